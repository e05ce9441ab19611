// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/browse_file.h"

#include <exception>

#include "seams/failure.h"

namespace mdlBrowseFile {

namespace {

// The dialog gives no numbers of its own; every failure inside it is this one.
constexpr int kDialogFailure = 1;

void ShowDialogFailure(yz::MessageBox& messages, const QString& description) {
  messages.Show(QStringLiteral("Error: %1 %2").arg(kDialogFailure).arg(description), yz::kMbOk,
                QStringLiteral("browseFile"));
}

}  // namespace

QString WithTypeExtension(const QString& path, int filterIndex) {
  const QString fileName = path.mid(path.lastIndexOf('/') + 1);
  if (fileName.contains('.')) return path;
  return path + (filterIndex == 1 ? QStringLiteral(".bmp") : QStringLiteral(".jpg"));
}

QString browseFile(QWidget* owner, const QString& title, const QString& filter,
                   yz::SaveDialog& dialog, yz::MessageBox& messages) {
  try {
    // Labels are the odd items of the list, patterns the even ones.
    const QStringList items = filter.split(QChar(0), Qt::SkipEmptyParts);
    QStringList labels;
    for (int i = 0; i + 1 < items.size(); i += 2) labels << items[i];
    const yz::SaveDialog::Result result = dialog.GetSaveFileName(owner, title, labels, 1);
    if (!result.accepted || result.path.isEmpty()) return QString();
    return WithTypeExtension(result.path, result.filterIndex);
  } catch (const yz::Failure& failure) {
    ShowDialogFailure(messages, failure.message());
  } catch (const std::exception& error) {
    ShowDialogFailure(messages, QString::fromUtf8(error.what()));
  }
  return QString();
}

}  // namespace mdlBrowseFile
