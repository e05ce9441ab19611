// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/export_signature.h"

#include <QFileInfo>

#include "export/signature_file.h"

namespace yz {

namespace {

void Export(QWidget* owner, DrawingRequest request, const QString& title,
            const QList<ExportType>& types, const Installation& installation,
            QtFontRegistry& fonts, PictureLoader& pictures, SaveDialog& dialog,
            MessageBox& messages) {
  const auto chosen = AskForExportFile(owner, title, types, dialog, messages);
  if (!chosen) return;
  const auto& [path, type] = *chosen;
  request.scale = type.scale;
  if (type.transparent) request.background.reset();
  WriteSignatureFile(request, installation, fonts, pictures, path);
  messages.Show(QStringLiteral("导出完毕！") + "\r\n" + path, kMbInformation);
}

}  // namespace

std::optional<std::pair<QString, ExportType>> AskForExportFile(QWidget* owner,
                                                               const QString& title,
                                                               const QList<ExportType>& types,
                                                               SaveDialog& dialog,
                                                               MessageBox& messages,
                                                               const QString& proposed) {
  QStringList labels;
  for (const ExportType& type : types) labels << type.label;
  const SaveDialog::Result result =
      proposed.isEmpty() ? dialog.GetSaveFileName(owner, title, labels, 1)
                         : dialog.GetSaveFileNameAt(owner, title, labels, 1, proposed);
  if (!result.accepted || result.path.isEmpty()) return std::nullopt;
  const ExportType& type = types.value(result.filterIndex - 1, types.front());
  const QString path = WithExtension(result.path, type.extension);
  if (path != result.path && QFileInfo::exists(path) &&
      !messages.Ask(QStringLiteral("%1 已经存在。\n要替换它吗？").arg(path)))
    return std::nullopt;
  return std::make_pair(path, type);
}

QString WithExtension(const QString& path, const QString& extension) {
  const QString fileName = path.mid(path.lastIndexOf('/') + 1);
  if (QFileInfo(fileName).suffix().compare(extension, Qt::CaseInsensitive) == 0) return path;
  return (path.endsWith('.') ? path : path + '.') + extension;
}

void ExportLargePictureClick(QWidget* owner, DrawingRequest request,
                             const Installation& installation, QtFontRegistry& fonts,
                             PictureLoader& pictures, SaveDialog& dialog, MessageBox& messages) {
  QList<ExportType> types;
  for (const bool transparent : {false, true})
    for (const int scale : {2, 4, 8})
      types.append({QStringLiteral("%1PNG 图片，%2 倍大小 (*.png)")
                        .arg(transparent ? QStringLiteral("透明背景 ") : QString())
                        .arg(scale),
                    QStringLiteral("png"), scale, transparent});
  Export(owner, request, QStringLiteral("导出高清图片"), types, installation, fonts, pictures,
         dialog, messages);
}

void ExportVectorClick(QWidget* owner, DrawingRequest request, const Installation& installation,
                       QtFontRegistry& fonts, PictureLoader& pictures, SaveDialog& dialog,
                       MessageBox& messages) {
  const QList<ExportType> types = {
      {QStringLiteral("SVG 矢量图 (*.svg)"), QStringLiteral("svg"), 1, false},
      {QStringLiteral("PDF 矢量文档 (*.pdf)"), QStringLiteral("pdf"), 1, false},
      {QStringLiteral("透明背景 SVG 矢量图 (*.svg)"), QStringLiteral("svg"), 1, true},
      {QStringLiteral("透明背景 PDF 矢量文档 (*.pdf)"), QStringLiteral("pdf"), 1, true}};
  Export(owner, request, QStringLiteral("导出矢量图"), types, installation, fonts, pictures,
         dialog, messages);
}

}  // namespace yz
