#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "seams/canvas.h"
#include "seams/colour.h"
#include "seams/font_registry.h"
#include "seams/picture_loader.h"

namespace yz {

// The window state one drawing reads, and what it may change: the drag handle's place and, when
// no style is selected, the style list's selection.
class SignatureControls {
 public:
  virtual ~SignatureControls() = default;
  virtual bool IsLoading() const = 0;
  virtual int ImgListIndex() const = 0;   // cboImg, -1 when nothing is selected
  virtual QString SizeText() const = 0;   // cboSize text
  virtual Colour InkColour() const = 0;   // lblColorPreview back colour
  virtual int FontListIndex() const = 0;  // cboFont, -1 when nothing is selected
  // Selects a cboFont entry from code; runs the same Click handler as a pick by the user.
  virtual void SetFontListIndex(int index) = 0;
  virtual QString FontListEntry(int index) const = 0;
  virtual QString FontText() const = 0;  // cboFont text
  virtual QString TextCN() const = 0;
  virtual QString TextEN() const = 0;
  virtual void MoveHandle(float left, float top, float width, float height) = 0;  // imgMove.Move
};

// Everything one drawing needs besides the window.
struct DrawingContext {
  SignatureControls& controls;
  Canvas& picMain;
  FontRegistry& fonts;
  PictureLoader& pictures;
  const QStringList& FontPaths;
  const QStringList& BackgroundPaths;
  const QString& SingleFaceNames;
  const QString& CompoundSurnames;
  qint32 OffsetX = 250;
  qint32 OffsetY = 500;
};

// The one drawing entry: rebuilds the whole picture from the window's state. -1 in a coordinate
// asks for that coordinate's default. Throws Failure for a step that cannot be done (no
// background selected, a background that cannot be decoded, a size that is not a sane number);
// what was drawn before the failing step stays, and no font file stays registered.
void DrawSignature(DrawingContext& context, qint32 x, qint32 y);

}  // namespace yz
