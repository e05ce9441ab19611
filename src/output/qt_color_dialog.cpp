// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/qt_color_dialog.h"

#include <QColorDialog>
#include <QTimer>

namespace yz {

ColorDialog::Result QtColorDialog::ChooseColor(const Request& request) {
  for (int i = 0; i < int(request.customColours.size()); ++i) {
    QColorDialog::setCustomColor(i, ToQColor(request.customColours[size_t(i)]));
  }
  QColorDialog dialog(ToQColor(request.initial), request.owner);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (request.placeOnOpen) {
    // Once the dialog has its size, move it; later moves by the user are left alone.
    QTimer::singleShot(0, &dialog, [&dialog, &request] {
      dialog.move(request.placeOnOpen(dialog.frameGeometry()));
    });
  }
  Result result;
  result.confirmed = dialog.exec() == QDialog::Accepted;
  if (result.confirmed) result.colour = FromQColor(dialog.selectedColor());
  return result;
}

}  // namespace yz
