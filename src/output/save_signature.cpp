// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/save_signature.h"

#include <QFileInfo>

#include "output/browse_file.h"
#include "export/picture_file.h"

namespace yz {

namespace {

// Remembers the name the user confirmed, to tell whether browseFile completed it.
class RememberingDialog : public SaveDialog {
 public:
  explicit RememberingDialog(SaveDialog& inner) : inner_(inner) {}
  Result GetSaveFileName(QWidget* owner, const QString& title, const QStringList& filters,
                         int filterIndex) override {
    confirmed = inner_.GetSaveFileName(owner, title, filters, filterIndex);
    return confirmed;
  }
  Result confirmed;

 private:
  SaveDialog& inner_;
};

}  // namespace

void SaveSignatureClick(QWidget* owner, const QImage& picture, SaveDialog& dialog,
                        MessageBox& messages) {
  static const QString filter = QStringLiteral("bmp文件(*.bmp)") + QChar(0) + "*.bmp" + QChar(0) +
                                QStringLiteral("jpg文件(*.jpg)") + QChar(0) + "*.jpg" + QChar(0);
  RememberingDialog remembering(dialog);
  const QString path = mdlBrowseFile::browseFile(owner, QStringLiteral("保存签名图片"), filter,
                                                 remembering, messages);
  if (path.isEmpty()) return;
  // The dialog asked only about the name as typed; ask about the completed one too.
  if (path != remembering.confirmed.path && QFileInfo::exists(path) &&
      !messages.Ask(QStringLiteral("%1 已经存在。\n要替换它吗？").arg(path))) {
    return;
  }
  WritePictureFile(picture, path);
  messages.Show(QStringLiteral("保存完毕！") + "\r\n" + path, kMbInformation);
}

}  // namespace yz
