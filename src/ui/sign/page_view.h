// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
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
// dragged to move it, dragged by a corner handle or turned with the mouse wheel to resize it
// (its proportions stay), and Delete removes the selected one; each of these is one step of
// the undo history. A stamp that does not go on this page is shown faint; moving it here puts
// it on this page.
class SignPageView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMarginPx = 12;
  static constexpr int kHandlePx = 8;

  // The 骑缝章's slice on this page's right edge.
  struct SeamPreview {
    SeamSlice slice;
    double widthMm = 0;
    std::optional<double> topMm;
  };

  SignPageView(SignStampList& stamps, QUndoStack& history, const SignArtSet& arts,
               QWidget* parent = nullptr);

  // Shows page `page` (from 1) of `document`, `pageMm` large after its crop and rotation.
  void ShowPage(QPdfDocument* document, int page, QSizeF pageMm);
  void SetOnPage(std::function<bool(const PlacedStamp&)> onPage);
  void SetDate(std::optional<DatePlace> place);
  void SetSeam(std::optional<SeamPreview> seam);
  void SetSealMultiplies(bool multiplies);

  int Page() const { return page_; }
  QSizeF PageMm() const { return pageMm_; }
  // Where the page is drawn in the widget, and the conversions between the widget's pixels and
  // millimetres on the page.
  QRectF PageRectPx() const;
  QPointF ToMm(QPointF px) const;
  QPointF ToPx(QPointF mm) const;
  QRectF StampRectPx(int index) const;
  QRectF DateRectPx() const;

  int Selected() const { return selected_; }
  void Select(int index);
  // The page as last drawn, without the stamps.
  const QImage& PagePixels() const { return pagePixels_; }

 signals:
  void SelectionChanged();
  void PageStep(int delta);  // Page Up / Page Down

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum class Grab { None, Move, Resize };
  double PxPerMm() const;
  double HeightPerWidth(int index) const;
  QRectF StampBoxMm(int index) const;
  int StampAt(QPointF px) const;
  // The corner handle of the selected stamp under `px`: the opposite corner in millimetres.
  std::optional<QPointF> AnchorOfHandleAt(QPointF px) const;
  void EnsurePagePixels();
  void PaintStamp(QPainter& painter, const StampArt& art, const QRectF& target, bool onPage,
                  bool multiply) const;
  void PaintSeam(QPainter& painter) const;
  QString KindName(int index) const;

  SignStampList& stamps_;
  QUndoStack& history_;
  const SignArtSet& arts_;
  QPdfDocument* document_ = nullptr;
  int page_ = 0;
  QSizeF pageMm_;
  QImage pagePixels_;
  int pixelsPage_ = -1;
  std::function<bool(const PlacedStamp&)> onPage_;
  std::optional<DatePlace> date_;
  std::optional<SeamPreview> seam_;
  bool sealMultiplies_ = true;

  int selected_ = -1;
  Grab grab_ = Grab::None;
  QPointF grabOffsetMm_;  // pointer minus the stamp's top-left, for a move
  QPointF anchorMm_;      // the fixed corner, for a resize
  PlacedStamps before_;   // the list when the drag began
};

}  // namespace yz
