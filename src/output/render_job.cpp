#include "output/render_job.h"

#include "app/mod_pub.h"
#include "render/draw_signature.h"
#include "render/qt_canvas.h"

namespace yz {

namespace {

// The controls' values for one job; nothing here is ever unselected or loading.
class JobControls : public SignatureControls {
 public:
  JobControls(const RenderJob& job, const Catalogue& catalogue)
      : job_(job), catalogue_(catalogue) {}

  bool IsLoading() const override { return false; }
  int ImgListIndex() const override { return job_.transparent ? 0 : job_.backgroundIndex; }
  QString SizeText() const override { return job_.sizeText; }
  Colour InkColour() const override { return job_.ink; }
  int FontListIndex() const override { return style_; }
  void SetFontListIndex(int index) override { style_ = index; }
  QString FontListEntry(int index) const override { return catalogue_.styleNames.value(index); }
  QString FontText() const override { return catalogue_.styleNames.value(style_); }
  QString TextCN() const override { return job_.textCN; }
  QString TextEN() const override { return job_.textEN; }
  void MoveHandle(float, float, float, float) override {}  // nothing to drag

 private:
  const RenderJob& job_;
  const Catalogue& catalogue_;
  int style_ = job_.styleIndex;
};

// Stands in for the background list when the job has none: one entry that loads no picture.
class NoPicture : public PictureLoader {
 public:
  QImage LoadPicture(const QString&) override { return QImage(); }
};

}  // namespace

QImage RenderJobImage(const RenderJob& job, const Catalogue& catalogue,
                      const QString& compoundSurnames, QtFontRegistry& fonts,
                      PictureLoader& pictures) {
  JobControls controls(job, catalogue);
  QtCanvas canvas(fonts, kCanvasInnerPixels, job.scale,
                  job.transparent ? QtCanvas::Ground::Transparent : QtCanvas::Ground::White);
  NoPicture noPicture;
  static const QStringList kNoBackgrounds{QString()};
  DrawingContext context{controls,
                         canvas,
                         fonts,
                         job.transparent ? static_cast<PictureLoader&>(noPicture) : pictures,
                         catalogue.FontPaths,
                         job.transparent ? kNoBackgrounds : catalogue.BackgroundPaths,
                         catalogue.SingleFaceNames,
                         compoundSurnames,
                         modPub::OffsetX,
                         modPub::OffsetY};
  DrawSignature(context, job.x, job.y);
  return canvas.Image();
}

}  // namespace yz
