// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/signature_file.h"

#include <QFileInfo>

#include "export/picture_file.h"
#include "export/vector_file.h"
#include "export/whole_file.h"
#include "render/signature_picture.h"
#include "seams/failure.h"

namespace yz {

void WriteSignatureFile(const DrawingRequest& request, const Installation& installation,
                        QtFontRegistry& fonts, PictureLoader& pictures, const QString& path) {
  if (!IsVectorFile(path)) {
    WritePictureFile(DrawSignaturePicture(request, installation, fonts, pictures), path);
    return;
  }
  const VectorDrawing shapes = DrawSignatureShapes(request, installation, fonts, pictures);
  const QString title = request.textCN;
  const QByteArray bytes = QFileInfo(path).suffix().toLower() == QStringLiteral("svg")
                               ? SvgDocument(shapes, title)
                               : PdfDocument(shapes, title);
  if (const QString reason = WriteFileWhole(path, bytes); !reason.isEmpty())
    throw Failure(QStringLiteral("无法保存签名图片：%1\n原因：%2").arg(path, reason));
}

}  // namespace yz
