// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace yz {

class SignChoices;

// What the signing window keeps between runs, in the desktop's place for settings
// (~/.config/yanzhou-sign/yanzhou-sign.conf): its choices, its zoom, the last folders of its
// open and save dialogs and its recent documents. Never a page list (it belongs to one
// document), never the date's text (it is today's) and never a password. A value that no
// longer fits (a style that is gone, a folder that no longer exists, a damaged file) falls back
// to the default without a word.
namespace remembered {

inline constexpr int kRecentDocuments = 8;

// The settings of the whole program; Qt looks for them under XDG_CONFIG_HOME.
std::unique_ptr<QSettings> Settings();

void RestoreChoices(SignChoices& choices);
void RememberChoices(const SignChoices& choices);

// A factor of the page's real size; nothing for the fit to the page.
std::optional<double> Zoom();
// `zoom` nothing: fitted to the page; 0: fitted to the width.
void RememberZoom(std::optional<double> zoom);

// The folder of the last document opened or signed copy saved, while it still exists.
QString OpenFolder();
QString SaveFolder();
void RememberOpened(const QString& documentPath);
void RememberSaved(const QString& writtenPath);

// The documents opened last, newest first, those that still exist.
QStringList RecentDocuments();

}  // namespace remembered
}  // namespace yz
