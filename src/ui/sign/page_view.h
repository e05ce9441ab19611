// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QImage>
#include <QScrollArea>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>
#include <functional>
#include <optional>

#include "sign/seam_slices.h"
#include "ui/sign/art_set.h"
#include "ui/sign/stamp_list.h"

class QPdfDocument;

namespace yz {

// The current page, large, with the stamps over it as they will be printed on it. A stamp is
// dragged to move it (it stops at the page's edge), dragged by a corner handle or turned with
// the mouse wheel to resize it (its proportions stay); from the keyboard, Tab goes from the
// page to each stamp in turn, the arrows move the selected one by 1 mm (Shift: 10 mm), + and −
// resize it and Delete removes it. Each of these is one step of the undo history. A stamp that
// does not go on this page is shown faint; moving it here puts it on this page. A stamp placed
// on a page of another size is shown where PlaceOnPage puts it here.
//
// A page turn shows a quick picture of the page at once and draws it sharp once the turns stop
// for a moment, so that held keys never queue up behind the drawing.
class SignPageView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMarginPx = 12;
  static constexpr int kHandlePx = 8;
  static constexpr double kKeyStepMm = 1;
  static constexpr double kShiftKeyStepMm = 10;
  static constexpr double kKeyResize = 1.1;
  // 100 %: the page at its real size on a screen of 96 dots per inch.
  static constexpr double kPxPerMmAt100 = 96 / 25.4;
  static constexpr double kMinZoom = 0.25;
  static constexpr double kMaxZoom = 8;
  // A page is drawn sharp once the turns have stopped this long.
  static constexpr int kSharpAfterMs = 90;
  // The quick picture has this share of the sharp one's width and height.
  static constexpr int kQuickShrink = 4;

  // The 骑缝章's slice on this page's right edge.
  struct SeamPreview {
    SeamSlice slice;
    double widthMm = 0;
    std::optional<double> topMm;
  };
  enum class Showing { OnPage, Faint, Hidden };
  enum class Fit { Page, Width, None };

  SignPageView(SignStampList& stamps, QUndoStack& history, const SignArtSet& arts,
               QWidget* parent = nullptr);

  // Shows page `page` (from 1) of `document`, `pageMm` large after its crop and rotation.
  void ShowPage(QPdfDocument* document, int page, QSizeF pageMm);
  // How each stamp shows on this page: on it, faint (it goes on other pages) or not at all.
  void SetShowing(std::function<Showing(const PlacedStamp&)> showing);
  void SetDate(std::optional<DatePlace> place);
  void SetSeam(std::optional<SeamPreview> seam);
  void SetSealMultiplies(bool multiplies);

  // Zoom: fitted to the page or its width, or a factor of the real size.
  void SetFit(Fit fit);
  void SetZoom(double zoom);
  void ZoomBy(double factor);
  Fit FitMode() const { return fit_; }
  // The page's scale now, as a factor of its real size.
  double Zoom() const { return PxPerMm() / kPxPerMmAt100; }
  // Sets the widget's smallest size for the zoom, for a scroll area whose viewport is `viewport`.
  void FollowViewport(QSize viewport);

  int Page() const { return page_; }
  QSizeF PageMm() const { return pageMm_; }
  // Where the page is drawn in the widget, and the conversions between the widget's pixels and
  // millimetres on the page.
  QRectF PageRectPx() const;
  QPointF ToMm(QPointF px) const;
  QPointF ToPx(QPointF mm) const;
  // A stamp as it stands on this page, in millimetres and in the widget's pixels.
  PlacedStamp Shown(int index) const;
  QRectF StampRectPx(int index) const;
  QRectF DateRectPx() const;

  int Selected() const { return selected_; }
  void Select(int index);
  // The page as drawn now, without the stamps: the quick picture until the sharp one is ready.
  const QImage& PagePixels() const { return pagePixels_; }
  bool IsSharp() const { return sharp_; }
  // Draws the sharp picture now instead of after the pause.
  void DrawSharpNow();
  // Draws the quick pictures of the pages before and after this one, so that the next turn
  // shows its first picture at once; the window runs it when nothing else is waiting.
  void DrawNeighbours();

 signals:
  void SelectionChanged();
  void ZoomChanged();
  // The user moved or resized a stamp on this page.
  void Placed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  enum class Grab { None, Move, Resize };
  double PxPerMm() const;
  double HeightPerWidth(int index) const;
  QRectF StampBoxMm(int index) const;
  Showing ShowingOf(int index) const;
  int StampAt(QPointF px) const;
  // The corner handle of the selected stamp under `px`: the opposite corner in millimetres.
  std::optional<QPointF> AnchorOfHandleAt(QPointF px) const;
  // Replaces the selected stamp by `changed` (on this page) as one step of the history.
  void Edit(const PlacedStamp& changed, const QString& verb, int mergeId = -1);
  void EnsurePagePixels();
  void PaintStamp(QPainter& painter, const StampArt& art, const QRectF& target, bool onPage,
                  bool multiply) const;
  void PaintSeam(QPainter& painter) const;
  QString KindName(int index) const;
  void Describe();

  SignStampList& stamps_;
  QUndoStack& history_;
  const SignArtSet& arts_;
  QPdfDocument* document_ = nullptr;
  int page_ = 0;
  QSizeF pageMm_;
  QImage pagePixels_;
  int pixelsPage_ = -1;
  bool sharp_ = false;
  QTimer sharpLater_;
  QTimer neighboursLater_;
  // Quick pictures by page, for the neighbours of the page shown; all of one size.
  QHash<int, QImage> quick_;
  std::function<Showing(const PlacedStamp&)> showing_;
  std::optional<DatePlace> date_;
  std::optional<SeamPreview> seam_;
  bool sealMultiplies_ = true;
  Fit fit_ = Fit::Page;
  double zoom_ = 1;
  QSize viewport_;

  int selected_ = -1;
  Grab grab_ = Grab::None;
  QPointF grabOffsetMm_;  // pointer minus the stamp's top-left, for a move
  QPointF anchorMm_;      // the fixed corner, for a resize
  PlacedStamps before_;   // the list when the drag began
};

// The page view in a scroll area that tells it its viewport's size, for the zoom.
class SignPageScroller : public QScrollArea {
 public:
  SignPageScroller(SignPageView* view, QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  SignPageView* view_;
};

}  // namespace yz
