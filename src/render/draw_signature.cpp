// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/draw_signature.h"

#include <functional>

#include "render/direction_controls.h"
#include "render/face_names.h"
#include "render/font_size.h"
#include "render/joined_layout.h"
#include "render/layout_context.h"
#include "render/seal_layout.h"
#include "render/split_signature_name.h"
#include "render/three_font_layout.h"
#include "seams/failure.h"

namespace yz {
namespace {

constexpr int kLastListIndex = Catalogue::kMaxEntries - 1;  // the path tables hold 0 to 1000

// Runs the steps of one drawing; a failing step ends it with its reason.
Drawing Run(const std::function<void(Drawing&)>& steps) {
  Drawing drawing;
  try {
    steps(drawing);
  } catch (const Failure& failure) {
    drawing.failure = failure.message();
  }
  return drawing;
}

void LoadBackground(const DrawingRequest& request, const Installation& installation,
                    const DrawingTools& tools) {
  const Catalogue& catalogue = installation.catalogue;
  if (!request.background) {
    tools.picMain.SetPicture(QImage());  // no picture: the canvas's own ground
    return;
  }
  if (catalogue.BackgroundPaths.isEmpty())
    throw Failure(QStringLiteral("没有可用的背景图片：%1 中没有找到图片")
                      .arg(installation.AppPath + QStringLiteral("images/")));
  const int index = *request.background;
  if (index < 0 || index > kLastListIndex)
    throw Failure(QStringLiteral("没有选择背景图片（背景列表序号 %1 无效）").arg(index));
  if (index >= catalogue.BackgroundPaths.size())
    throw Failure(QStringLiteral("背景列表序号 %1 没有对应的图片文件").arg(index));
  tools.picMain.SetPicture(tools.pictures.LoadPicture(catalogue.BackgroundPaths[index]));
}

void DrawSingleFace(LayoutContext& context, const DrawingRequest& request,
                    const QString& styleName, const QString& fontPath) {
  ScopedFontFile font(context.fonts, fontPath);
  context.picMain.SetFontName(SingleFaceNameOf(fontPath));
  if (IsSealStyle(styleName))
    DrawSeal(context, request.x, request.y, request.textCN, styleName == kSealFilled);
  else
    DrawJoinedSignature(context, request.x, request.y, request.textCN);
}

}  // namespace

Drawing PrepareCanvas(const DrawingRequest& request, const Installation& installation,
                      const DrawingTools& tools) {
  return Run([&](Drawing&) {
    Canvas& canvas = tools.picMain;
    canvas.Cls();
    LoadBackground(request, installation, tools);
    canvas.SetFontName(QStringLiteral("Courier New"));
    canvas.SetFontSize(ParseFontSize(request.sizeText));
    canvas.SetForeColor(request.ink);
    canvas.SetFontTransparent(true);
  });
}

Drawing DrawName(const DrawingRequest& asked, const Installation& installation,
                 const DrawingTools& tools) {
  // The window, the renderer, the gallery and the practice sheet all draw through here, so a
  // name's direction controls are dropped once for every style.
  DrawingRequest request = asked;
  request.textCN = WithoutDirectionControls(asked.textCN);
  request.textEN = WithoutDirectionControls(asked.textEN);
  return Run([&](Drawing& drawing) {
    const Catalogue& catalogue = installation.catalogue;
    const int style = request.style;
    if (style < 0 || style > kLastListIndex || style >= catalogue.FontPaths.size())
      throw Failure(QStringLiteral("没有可用的签名款式（款式列表序号 %1 无效）").arg(style));
    const QString& styleName = catalogue.styleNames[style];
    const QString& fontPath = catalogue.FontPaths[style];
    LayoutContext context{tools.picMain, tools.fonts, installation.OffsetX, installation.OffsetY,
                          drawing};
    if (fontPath.right(4).toLower() == QStringLiteral(".dat")) {
      DrawSingleFace(context, request, styleName, fontPath);
      return;
    }
    const SignatureParts parts =
        SplitSignatureName(styleName, catalogue.SingleFaceNames, installation.CompoundSurnames,
                           request.textCN, request.textEN);
    if (parts.draw) DrawThreeFontSignature(context, request.x, request.y, fontPath, parts);
  });
}

Drawing DrawSignature(const DrawingRequest& request, const Installation& installation,
                      const DrawingTools& tools) {
  Drawing prepared = PrepareCanvas(request, installation, tools);
  if (prepared.failure) return prepared;
  return DrawName(request, installation, tools);
}

}  // namespace yz
