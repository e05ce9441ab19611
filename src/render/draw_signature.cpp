#include "render/draw_signature.h"

#include "app/mod_pub.h"
#include "render/face_names.h"
#include "render/font_size.h"
#include "render/joined_layout.h"
#include "render/seal_layout.h"
#include "render/split_signature_name.h"
#include "render/three_font_layout.h"
#include "seams/failure.h"

namespace yz {
namespace {

constexpr int kLastListIndex = 1000;  // the path tables hold entries 0 to 1000

void LoadBackground(DrawingContext& context) {
  const int index = context.controls.ImgListIndex();
  if (context.BackgroundPaths.isEmpty())
    throw Failure(QStringLiteral("没有可用的背景图片：%1 中没有找到图片")
                      .arg(modPub::AppPath + QStringLiteral("images/")));
  if (index < 0 || index > kLastListIndex)
    throw Failure(QStringLiteral("没有选择背景图片（背景列表序号 %1 无效）").arg(index));
  if (index >= context.BackgroundPaths.size())
    throw Failure(QStringLiteral("背景列表序号 %1 没有对应的图片文件").arg(index));
  context.picMain.SetPicture(context.pictures.LoadPicture(context.BackgroundPaths[index]));
}

int SelectedStyle(DrawingContext& context) {
  if (context.controls.FontListIndex() == -1) {
    // Selecting runs the style list's click handling, which draws once before we go on.
    context.controls.SetFontListIndex(0);
  }
  const int index = context.controls.FontListIndex();
  if (index < 0 || index > kLastListIndex || index >= context.FontPaths.size())
    throw Failure(QStringLiteral("没有可用的签名款式（款式列表序号 %1 无效）").arg(index));
  return index;
}

// The seal test reads the combo's text, not the list entry, once for each seal name.
bool ShowsSealStyle(const SignatureControls& controls) {
  return controls.FontText() == kSealOutline || controls.FontText() == kSealFilled;
}

void DrawSingleFace(DrawingContext& context, qint32 x, qint32 y, const QString& fontPath) {
  const QString name = context.controls.TextCN();
  ScopedFontFile font(context.fonts, fontPath);
  context.picMain.SetFontName(SingleFaceNameOf(fontPath));
  if (ShowsSealStyle(context.controls))
    DrawSeal(context, x, y, name);
  else
    DrawJoinedSignature(context, x, y, name);
}

}  // namespace

void DrawSignature(DrawingContext& context, qint32 x, qint32 y) {
  SignatureControls& controls = context.controls;
  if (controls.IsLoading()) return;
  Canvas& canvas = context.picMain;
  canvas.Cls();
  LoadBackground(context);
  canvas.SetFontName(QStringLiteral("Courier New"));
  canvas.SetFontSize(ParseFontSize(controls.SizeText()));
  canvas.SetForeColor(controls.InkColour());
  canvas.SetFontTransparent(true);

  const int style = SelectedStyle(context);
  const QString styleName = controls.FontListEntry(style);
  const QString& fontPath = context.FontPaths[style];
  if (fontPath.right(4).toLower() == QStringLiteral(".dat")) {
    DrawSingleFace(context, x, y, fontPath);
    return;
  }
  const SignatureParts parts = SplitSignatureName(styleName, context.SingleFaceNames,
                                                  context.CompoundSurnames, controls.TextCN(),
                                                  controls.TextEN());
  if (parts.draw) DrawThreeFontSignature(context, x, y, fontPath, parts);
}

}  // namespace yz
