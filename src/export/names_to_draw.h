// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

#include "app/catalogue.h"
#include "export/render_plan.h"

namespace yz {

// Throws BadArguments when a planned picture's style would draw a name that has nothing to draw
// (empty, or only spaces, ideographic spaces and invisible control characters): the picture
// would come out without a signature.
void CheckNamesToDraw(const QList<PlannedPicture>& pictures, const Catalogue& catalogue);

}  // namespace yz
