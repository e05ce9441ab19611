// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/page_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/sign/page_picture.h"
#include "ui/sign/stamp_command.h"

namespace yz {

namespace {
constexpr double kGhostOpacity = 0.35;
constexpr double kWheelStep = 1.1;  // per notch
constexpr double kZoomWheelStep = 1.15;
constexpr double kFitSlackMm = 1e-6;
const QColor kDesk(0x80, 0x80, 0x80);
const QColor kFocus(0x1e, 0x6f, 0xd9);

bool Fits(const QRectF& box, QSizeF pageMm) {
  return box.left() >= -kFitSlackMm && box.top() >= -kFitSlackMm &&
         box.right() <= pageMm.width() + kFitSlackMm && box.bottom() <= pageMm.height() + kFitSlackMm;
}
}  // namespace

SignPageView::SignPageView(SignStampList& stamps, QUndoStack& history, const SignArtSet& arts,
                           QWidget* parent)
    : QWidget(parent), stamps_(stamps), history_(history), arts_(arts) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);  // the cursor tells a handle from the stamp
  setAccessibleName(QStringLiteral("页面"));
  sharpLater_.setSingleShot(true);
  sharpLater_.setInterval(kSharpAfterMs);
  connect(&sharpLater_, &QTimer::timeout, this, &SignPageView::DrawSharpNow);
  neighboursLater_.setSingleShot(true);
  neighboursLater_.setInterval(0);
  connect(&neighboursLater_, &QTimer::timeout, this, &SignPageView::DrawNeighbours);
  connect(&stamps_, &SignStampList::Changed, this, [this] {
    if (selected_ >= stamps_.Stamps().size()) Select(-1);
    Describe();
    update();
  });
}

void SignPageView::ShowPage(QPdfDocument* document, int page, QSizeF pageMm) {
  if (document != document_) quick_.clear();
  document_ = document;
  page_ = page;
  const bool reshaped = pageMm != pageMm_;
  pageMm_ = pageMm;
  pixelsPage_ = -1;
  if (reshaped) FollowViewport(viewport_);
  Describe();
  update();
}

void SignPageView::SetShowing(std::function<Showing(const PlacedStamp&)> showing) {
  showing_ = std::move(showing);
  update();
}

void SignPageView::SetDate(std::optional<DatePlace> place) {
  date_ = place;
  update();
}

void SignPageView::SetSeam(std::optional<SeamPreview> seam) {
  seam_ = seam;
  update();
}

void SignPageView::SetSealMultiplies(bool multiplies) {
  sealMultiplies_ = multiplies;
  update();
}

void SignPageView::Select(int index) {
  if (index == selected_) return;
  selected_ = index;
  Describe();
  update();
  emit SelectionChanged();
}

// --- zoom ----------------------------------------------------------------------------------

void SignPageView::SetFit(Fit fit) {
  if (fit == Fit::None) zoom_ = Zoom();
  fit_ = fit;
  FollowViewport(viewport_);
  update();
  emit ZoomChanged();
}

void SignPageView::SetZoom(double zoom) {
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  fit_ = Fit::None;
  FollowViewport(viewport_);
  update();
  emit ZoomChanged();
}

void SignPageView::ZoomBy(double factor) { SetZoom(Zoom() * factor); }

void SignPageView::FollowViewport(QSize viewport) {
  viewport_ = viewport;
  QSize least(0, 0);
  if (!pageMm_.isEmpty()) {
    if (fit_ == Fit::None) {
      least = (pageMm_ * kPxPerMmAt100 * zoom_).toSize() + QSize(2 * kMarginPx, 2 * kMarginPx);
    } else if (fit_ == Fit::Width && viewport.width() > 0) {
      // Leave room for the scroll bar the height will need, so the width does not swing.
      const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
      const double perMm = std::max(1.0, viewport.width() - bar - 2.0 * kMarginPx) / pageMm_.width();
      least = QSize(0, int(std::ceil(pageMm_.height() * perMm)) + 2 * kMarginPx);
    }
  }
  if (minimumSize() != least) setMinimumSize(least);
}

// --- geometry ------------------------------------------------------------------------------

double SignPageView::PxPerMm() const {
  if (pageMm_.isEmpty()) return 1;
  const double across = (width() - 2.0 * kMarginPx) / pageMm_.width();
  switch (fit_) {
    case Fit::None: return kPxPerMmAt100 * zoom_;
    case Fit::Width: return std::max(0.1, across);
    case Fit::Page: break;
  }
  return std::max(0.1, std::min(across, (height() - 2.0 * kMarginPx) / pageMm_.height()));
}

QRectF SignPageView::PageRectPx() const {
  const QSizeF size = pageMm_ * PxPerMm();
  return QRectF(QPointF(std::max<double>(kMarginPx, (width() - size.width()) / 2),
                        std::max<double>(kMarginPx, (height() - size.height()) / 2)),
                size);
}

QPointF SignPageView::ToMm(QPointF px) const { return (px - PageRectPx().topLeft()) / PxPerMm(); }
QPointF SignPageView::ToPx(QPointF mm) const { return PageRectPx().topLeft() + mm * PxPerMm(); }

double SignPageView::HeightPerWidth(int index) const {
  return arts_.HeightPerWidth(stamps_.Stamps()[index].kind);
}

PlacedStamp SignPageView::Shown(int index) const {
  return PlaceOnPage(stamps_.Stamps()[index], HeightPerWidth(index), pageMm_);
}

QRectF SignPageView::StampBoxMm(int index) const {
  return yz::StampBoxMm(Shown(index), HeightPerWidth(index));
}

QRectF SignPageView::StampRectPx(int index) const {
  const QRectF mm = StampBoxMm(index);
  return QRectF(ToPx(mm.topLeft()), mm.size() * PxPerMm());
}

QRectF SignPageView::DateRectPx() const {
  const int signature = stamps_.IndexOf(Stamp::Kind::Signature);
  if (!date_ || signature < 0 || !arts_.date) return {};
  const QRectF mm = DateBoxMm(StampBoxMm(signature), arts_.HeightPerWidth(Stamp::Kind::Date), *date_);
  return QRectF(ToPx(mm.topLeft()), mm.size() * PxPerMm());
}

SignPageView::Showing SignPageView::ShowingOf(int index) const {
  return showing_ ? showing_(stamps_.Stamps()[index]) : Showing::OnPage;
}

int SignPageView::StampAt(QPointF px) const {
  // The last drawn is on top.
  for (int i = int(stamps_.Stamps().size()) - 1; i >= 0; --i)
    if (ShowingOf(i) != Showing::Hidden && StampRectPx(i).contains(px)) return i;
  return -1;
}

std::optional<QPointF> SignPageView::AnchorOfHandleAt(QPointF px) const {
  if (selected_ < 0) return std::nullopt;
  const QRectF box = StampRectPx(selected_);
  const QRectF mm = StampBoxMm(selected_);
  const std::pair<QPointF, QPointF> corners[] = {{box.topLeft(), mm.bottomRight()},
                                                 {box.topRight(), mm.bottomLeft()},
                                                 {box.bottomLeft(), mm.topRight()},
                                                 {box.bottomRight(), mm.topLeft()}};
  for (const auto& [corner, anchor] : corners) {
    const QPointF d = px - corner;
    if (std::abs(d.x()) <= kHandlePx && std::abs(d.y()) <= kHandlePx) return anchor;
  }
  return std::nullopt;
}

QString SignPageView::KindName(int index) const {
  return StampKindName(stamps_.Stamps()[index].kind);
}

void SignPageView::Describe() {
  // What a screen reader says of the page view: the page, and where the selected stamp is.
  QString text = QStringLiteral("第 %1 页").arg(page_);
  if (selected_ >= 0 && selected_ < stamps_.Stamps().size()) {
    const QRectF box = StampBoxMm(selected_);
    text += QStringLiteral("，已选中%1：距左 %2 毫米，距顶 %3 毫米，宽 %4 毫米")
                .arg(KindName(selected_))
                .arg(box.left(), 0, 'f', 0)
                .arg(box.top(), 0, 'f', 0)
                .arg(box.width(), 0, 'f', 0);
  }
  setAccessibleDescription(text);
}

// --- edits ---------------------------------------------------------------------------------

void SignPageView::Edit(const PlacedStamp& changed, const QString& verb, int mergeId) {
  if (selected_ < 0) return;
  PlacedStamps after = stamps_.Stamps();
  after[selected_] = changed;
  after[selected_].page = page_;
  after[selected_].pageMm = pageMm_;
  if (after == stamps_.Stamps()) return;
  const QString text = verb + KindName(selected_);
  history_.push(new SignStampCommand(stamps_, stamps_.Stamps(), after, text, mergeId));
  emit Placed();
  // Zoomed in, the stamp the keys move stays in sight.
  if (auto* area = qobject_cast<QScrollArea*>(parentWidget() ? parentWidget()->parentWidget() : nullptr)) {
    const QRectF box = StampRectPx(selected_);
    area->ensureVisible(int(box.center().x()), int(box.center().y()), int(box.width() / 2) + kMarginPx,
                        int(box.height() / 2) + kMarginPx);
  }
}

// --- mouse and keys ------------------------------------------------------------------------

void SignPageView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) return;
  const QPointF px = event->position();
  before_ = stamps_.Stamps();
  if (const std::optional<QPointF> anchor = AnchorOfHandleAt(px)) {
    grab_ = Grab::Resize;
    anchorMm_ = *anchor;
    return;
  }
  const int hit = StampAt(px);
  Select(hit);
  if (hit < 0) return;
  grab_ = Grab::Move;
  grabOffsetMm_ = ToMm(px) - Shown(hit).topLeftMm;
}

void SignPageView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF px = event->position();
  if (grab_ == Grab::None || selected_ < 0) {
    setCursor(AnchorOfHandleAt(px)   ? Qt::SizeFDiagCursor
              : StampAt(px) >= 0     ? Qt::SizeAllCursor
                                     : Qt::ArrowCursor);
    return;
  }
  PlacedStamps stamps = before_;
  PlacedStamp& stamp = stamps[selected_];
  const double heightPerWidth = HeightPerWidth(selected_);
  stamp = PlaceOnPage(stamp, heightPerWidth, pageMm_);
  if (grab_ == Grab::Move) {
    // It stops at the page's edge: nothing of it hangs off the paper.
    stamp.topLeftMm = KeptOnPage(ToMm(px) - grabOffsetMm_, yz::StampBoxMm(stamp, heightPerWidth).size(), pageMm_);
  } else {
    const QPointF pointer(std::clamp(ToMm(px).x(), 0.0, pageMm_.width()),
                          std::clamp(ToMm(px).y(), 0.0, pageMm_.height()));
    const PlacedStamp resized = ResizedFromAnchor(stamp, heightPerWidth, anchorMm_, pointer);
    if (!Fits(yz::StampBoxMm(resized, heightPerWidth), pageMm_)) return;  // stays as last shown
    stamp = resized;
  }
  stamp.page = page_;
  stamp.pageMm = pageMm_;
  stamps_.Set(stamps);
}

void SignPageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || grab_ == Grab::None) return;
  const Grab grab = grab_;
  grab_ = Grab::None;
  if (selected_ < 0 || stamps_.Stamps() == before_) return;
  const QString verb = grab == Grab::Move ? QStringLiteral("移动") : QStringLiteral("缩放");
  history_.push(new SignStampCommand(stamps_, before_, stamps_.Stamps(), verb + KindName(selected_)));
  emit Placed();
}

void SignPageView::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    if (event->angleDelta().y() != 0) ZoomBy(std::pow(kZoomWheelStep, event->angleDelta().y() / 120.0));
    event->accept();
    return;
  }
  int index = StampAt(event->position());
  if (index < 0) index = selected_;
  if (index < 0 || grab_ != Grab::None || event->angleDelta().y() == 0) {
    event->ignore();  // the scroll area scrolls the page
    return;
  }
  Select(index);
  const double heightPerWidth = HeightPerWidth(index);
  PlacedStamp scaled = ScaledAboutCentre(Shown(index), heightPerWidth,
                                         std::pow(kWheelStep, event->angleDelta().y() / 120.0));
  const QRectF box = yz::StampBoxMm(scaled, heightPerWidth);
  if (box.width() <= pageMm_.width() && box.height() <= pageMm_.height()) {
    scaled.topLeftMm = KeptOnPage(scaled.topLeftMm, box.size(), pageMm_);
    Edit(scaled, QStringLiteral("缩放"), SignStampCommand::kWheelResize);
  }
  event->accept();
}

void SignPageView::keyPressEvent(QKeyEvent* event) {
  const bool busy = grab_ != Grab::None || selected_ < 0;
  const int key = event->key();
  if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && !busy) {
    PlacedStamps after = stamps_.Stamps();
    const QString text = QStringLiteral("删除") + KindName(selected_);
    after.removeAt(selected_);
    Select(-1);
    history_.push(new SignStampCommand(stamps_, stamps_.Stamps(), after, text));
    return;
  }
  const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  const double step = event->modifiers() & Qt::ShiftModifier ? kShiftKeyStepMm : kKeyStepMm;
  QPointF move;
  if (key == Qt::Key_Left) move = QPointF(-step, 0);
  if (key == Qt::Key_Right) move = QPointF(step, 0);
  if (key == Qt::Key_Up) move = QPointF(0, -step);
  if (key == Qt::Key_Down) move = QPointF(0, step);
  if (!move.isNull() && plain && !busy) {
    PlacedStamp moved = Shown(selected_);
    moved.topLeftMm = KeptOnPage(moved.topLeftMm + move, StampBoxMm(selected_).size(), pageMm_);
    Edit(moved, QStringLiteral("移动"), SignStampCommand::kKeyMove);
    return;
  }
  const bool grow = key == Qt::Key_Plus || key == Qt::Key_Equal;
  const bool shrink = key == Qt::Key_Minus || key == Qt::Key_Underscore;
  if ((grow || shrink) && plain && !busy) {
    const double heightPerWidth = HeightPerWidth(selected_);
    PlacedStamp resized = ScaledAboutCentre(Shown(selected_), heightPerWidth, grow ? kKeyResize : 1 / kKeyResize);
    const QRectF box = yz::StampBoxMm(resized, heightPerWidth);
    if (box.width() <= pageMm_.width() && box.height() <= pageMm_.height()) {
      resized.topLeftMm = KeptOnPage(resized.topLeftMm, box.size(), pageMm_);
      Edit(resized, QStringLiteral("缩放"), SignStampCommand::kKeyResize);
    }
    return;
  }
  QWidget::keyPressEvent(event);
}

bool SignPageView::focusNextPrevChild(bool next) {
  // Tab goes from the page to each stamp shown on it, then on to the next control.
  if (hasFocus() && grab_ == Grab::None) {
    const int count = int(stamps_.Stamps().size());
    int target = selected_;
    do {
      target += next ? 1 : -1;
    } while (target >= 0 && target < count && ShowingOf(target) == Showing::Hidden);
    if (next ? target < count : selected_ >= 0) {
      Select(target);
      return true;
    }
  }
  return QWidget::focusNextPrevChild(next);
}

void SignPageView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (fit_ != Fit::None) emit ZoomChanged();  // fitted, the scale follows the window's size
}

void SignPageView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void SignPageView::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

// --- painting ------------------------------------------------------------------------------

void SignPageView::EnsurePagePixels() {
  if (pixelsPage_ != page_) {
    // A new page: a quick picture now, the sharp one when the turning stops.
    const QSize size = (PageRectPx().size() * devicePixelRatioF()).toSize() / kQuickShrink;
    pixelsPage_ = page_;
    const QImage kept = quick_.value(page_);
    pagePixels_ = !kept.isNull() && kept.size() == size ? kept
                  : document_                           ? PagePicture(*document_, page_ - 1, size)
                                                        : QImage();
    sharp_ = false;
    sharpLater_.start();
  } else if (sharp_ && pagePixels_.size() != (PageRectPx().size() * devicePixelRatioF()).toSize()) {
    sharp_ = false;  // zoomed: the last sharp picture, scaled, until the new one is drawn
    sharpLater_.start();
  }
}

void SignPageView::DrawSharpNow() {
  sharpLater_.stop();
  if (!document_ || page_ < 1) return;
  const qreal ratio = devicePixelRatioF();
  pagePixels_ = PagePicture(*document_, page_ - 1, (PageRectPx().size() * ratio).toSize());
  pagePixels_.setDevicePixelRatio(ratio);
  pixelsPage_ = page_;
  sharp_ = true;
  update();
  neighboursLater_.start();
}

void SignPageView::DrawNeighbours() {
  if (!document_ || page_ < 1) return;
  const QSize size = (PageRectPx().size() * devicePixelRatioF()).toSize() / kQuickShrink;
  for (auto kept = quick_.begin(); kept != quick_.end();)
    kept = std::abs(kept.key() - page_) > 1 || kept.value().size() != size ? quick_.erase(kept) : std::next(kept);
  // Pages of another shape get a picture of this size too; it is simply not used for them.
  for (const int page : {page_ + 1, page_ - 1})
    if (page >= 1 && page <= document_->pageCount() && !quick_.contains(page))
      quick_.insert(page, PagePicture(*document_, page - 1, size));
}

void SignPageView::PaintStamp(QPainter& painter, const StampArt& art, const QRectF& target,
                              bool onPage, bool multiply) const {
  painter.save();
  painter.setOpacity(onPage ? 1 : kGhostOpacity);
  if (multiply) painter.setCompositionMode(QPainter::CompositionMode_Multiply);
  PaintStampArt(painter, art, target);
  painter.restore();
}

void SignPageView::PaintSeam(QPainter& painter) const {
  if (!seam_ || !arts_.seam || seam_->slice.count < 1) return;
  const double heightMm = seam_->widthMm * arts_.seam->inkMm.height() /
                          std::max(1e-9, arts_.seam->inkMm.width());
  const double sliceMm = seam_->widthMm / seam_->slice.count;
  const double top = seam_->topMm.value_or((pageMm_.height() - heightMm) / 2);
  const QRectF edge(ToPx(QPointF(pageMm_.width() - sliceMm, top)), QSizeF(sliceMm, heightMm) * PxPerMm());
  // The slice alone: the seal drawn on a picture the size of the slice, shifted so that this
  // page's part of it falls inside (the art clips itself to its own box, not to the slice).
  const qreal ratio = devicePixelRatioF();
  QImage slice((edge.size() * ratio).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  slice.fill(Qt::transparent);
  slice.setDevicePixelRatio(ratio);
  QPainter onSlice(&slice);
  onSlice.setRenderHint(QPainter::Antialiasing);
  const double shift = seam_->slice.index * sliceMm * PxPerMm();
  PaintStampArt(onSlice, *arts_.seam, QRectF(QPointF(-shift, 0), QSizeF(seam_->widthMm, heightMm) * PxPerMm()));
  onSlice.end();
  painter.save();
  if (sealMultiplies_) painter.setCompositionMode(QPainter::CompositionMode_Multiply);
  painter.drawImage(edge, slice);
  painter.restore();
}

void SignPageView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), kDesk);
  if (pageMm_.isEmpty()) return;
  EnsurePagePixels();
  const QRectF page = PageRectPx();
  // Only the part in sight is composed: zoomed in, the page is far larger than the screen.
  painter.save();
  painter.setClipRect(page.intersected(QRectF(event->rect())));
  painter.setRenderHint(QPainter::SmoothPixmapTransform, !sharp_);
  painter.drawImage(page, pagePixels_);
  // The stamps lie on the page's own pixels: what reaches off the page is not printed, and a
  // seal multiplies with the page's ink as it will on paper.
  painter.setRenderHint(QPainter::Antialiasing);
  const PlacedStamps& stamps = stamps_.Stamps();
  for (int i = 0; i < stamps.size(); ++i) {
    const StampArt* art = arts_.For(stamps[i].kind);
    const Showing showing = ShowingOf(i);
    if (!art || showing == Showing::Hidden) continue;
    const bool onThisPage = showing == Showing::OnPage;
    const bool seal = stamps[i].kind == Stamp::Kind::Seal;
    PaintStamp(painter, *art, StampRectPx(i), onThisPage, seal && sealMultiplies_);
    if (stamps[i].kind == Stamp::Kind::Signature && arts_.date && date_)
      PaintStamp(painter, *arts_.date, DateRectPx(), onThisPage, false);
  }
  PaintSeam(painter);
  painter.restore();
  painter.setRenderHint(QPainter::Antialiasing);
  // The keyboard's place: a frame round the page, or round the selected stamp.
  const bool focused = hasFocus();
  if (focused && (selected_ < 0 || selected_ >= stamps.size())) {
    painter.setPen(QPen(kFocus, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(page.adjusted(-5, -5, 5, 5));
  }
  // The selection's frame and handles, also where they reach off the page.
  if (selected_ >= 0 && selected_ < stamps.size() && ShowingOf(selected_) != Showing::Hidden) {
    const QRectF box = StampRectPx(selected_);
    painter.setPen(focused ? QPen(kFocus, 2) : QPen(kFocus, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.setPen(kFocus);
    painter.setBrush(Qt::white);
    for (const QPointF corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()})
      painter.drawRect(QRectF(corner - QPointF(kHandlePx / 2.0, kHandlePx / 2.0),
                              QSizeF(kHandlePx, kHandlePx)));
  }
}

// --- scroll area ---------------------------------------------------------------------------

SignPageScroller::SignPageScroller(SignPageView* view, QWidget* parent)
    : QScrollArea(parent), view_(view) {
  setWidget(view);
  setWidgetResizable(true);
  setAlignment(Qt::AlignCenter);
  setFocusPolicy(Qt::NoFocus);  // Tab goes to the page itself
  setMinimumSize(320, 320);
  setFrameShape(QFrame::NoFrame);
}

void SignPageScroller::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  view_->FollowViewport(viewport()->size());
}

}  // namespace yz
