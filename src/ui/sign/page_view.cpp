// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/page_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QWheelEvent>
#include <cmath>

#include "ui/sign/page_picture.h"
#include "ui/sign/stamp_command.h"

namespace yz {

namespace {
constexpr double kGhostOpacity = 0.35;
constexpr double kWheelStep = 1.1;  // per notch
const QColor kDesk(0x80, 0x80, 0x80);
}  // namespace

SignPageView::SignPageView(SignStampList& stamps, QUndoStack& history, const SignArtSet& arts,
                           QWidget* parent)
    : QWidget(parent), stamps_(stamps), history_(history), arts_(arts) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);  // the cursor tells a handle from the stamp
  setMinimumSize(320, 320);
  setAccessibleName(QStringLiteral("页面"));
  connect(&stamps_, &SignStampList::Changed, this, [this] {
    if (selected_ >= stamps_.Stamps().size()) Select(-1);
    update();
  });
}

void SignPageView::ShowPage(QPdfDocument* document, int page, QSizeF pageMm) {
  document_ = document;
  page_ = page;
  pageMm_ = pageMm;
  pixelsPage_ = -1;
  update();
}

void SignPageView::SetOnPage(std::function<bool(const PlacedStamp&)> onPage) {
  onPage_ = std::move(onPage);
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
  update();
  emit SelectionChanged();
}

// --- geometry ------------------------------------------------------------------------------

double SignPageView::PxPerMm() const {
  if (pageMm_.isEmpty()) return 1;
  return std::min((width() - 2.0 * kMarginPx) / pageMm_.width(),
                  (height() - 2.0 * kMarginPx) / pageMm_.height());
}

QRectF SignPageView::PageRectPx() const {
  const QSizeF size = pageMm_ * PxPerMm();
  return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QPointF SignPageView::ToMm(QPointF px) const { return (px - PageRectPx().topLeft()) / PxPerMm(); }
QPointF SignPageView::ToPx(QPointF mm) const { return PageRectPx().topLeft() + mm * PxPerMm(); }

double SignPageView::HeightPerWidth(int index) const {
  return arts_.HeightPerWidth(stamps_.Stamps()[index].kind);
}

QRectF SignPageView::StampBoxMm(int index) const {
  return yz::StampBoxMm(stamps_.Stamps()[index], HeightPerWidth(index));
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

int SignPageView::StampAt(QPointF px) const {
  // The last drawn is on top.
  for (int i = int(stamps_.Stamps().size()) - 1; i >= 0; --i)
    if (StampRectPx(i).contains(px)) return i;
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
  return stamps_.Stamps()[index].kind == Stamp::Kind::Seal ? QStringLiteral("印章")
                                                           : QStringLiteral("签名");
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
  grabOffsetMm_ = ToMm(px) - stamps_.Stamps()[hit].topLeftMm;
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
  if (grab_ == Grab::Move) {
    stamp.topLeftMm = ToMm(px) - grabOffsetMm_;
  } else {
    stamp = ResizedFromAnchor(stamp, HeightPerWidth(selected_), anchorMm_, ToMm(px));
  }
  stamp.page = page_;
  stamps_.Set(stamps);
}

void SignPageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || grab_ == Grab::None) return;
  const Grab grab = grab_;
  grab_ = Grab::None;
  if (selected_ < 0 || stamps_.Stamps() == before_) return;
  const QString verb = grab == Grab::Move ? QStringLiteral("移动") : QStringLiteral("缩放");
  history_.push(new SignStampCommand(stamps_, before_, stamps_.Stamps(), verb + KindName(selected_)));
}

void SignPageView::wheelEvent(QWheelEvent* event) {
  int index = StampAt(event->position());
  if (index < 0) index = selected_;
  if (index < 0 || grab_ != Grab::None || event->angleDelta().y() == 0) {
    event->ignore();
    return;
  }
  Select(index);
  const PlacedStamps before = stamps_.Stamps();
  PlacedStamps after = before;
  after[index] = ScaledAboutCentre(after[index], HeightPerWidth(index),
                                   std::pow(kWheelStep, event->angleDelta().y() / 120.0));
  after[index].page = page_;
  if (after != before)
    history_.push(new SignStampCommand(stamps_, before, after,
                                       QStringLiteral("缩放") + KindName(index),
                                       SignStampCommand::kWheelResize));
  event->accept();
}

void SignPageView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && selected_ >= 0 &&
      grab_ == Grab::None) {
    PlacedStamps after = stamps_.Stamps();
    const QString text = QStringLiteral("删除") + KindName(selected_);
    after.removeAt(selected_);
    Select(-1);
    history_.push(new SignStampCommand(stamps_, stamps_.Stamps(), after, text));
    return;
  }
  if (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp) {
    emit PageStep(event->key() == Qt::Key_PageDown ? 1 : -1);
    return;
  }
  QWidget::keyPressEvent(event);
}

// --- painting ------------------------------------------------------------------------------

void SignPageView::EnsurePagePixels() {
  const QSize size = (PageRectPx().size() * devicePixelRatioF()).toSize();
  if (pixelsPage_ == page_ && pagePixels_.size() == size) return;
  pixelsPage_ = page_;
  pagePixels_ = document_ ? PagePicture(*document_, page_ - 1, size) : QImage();
  pagePixels_.setDevicePixelRatio(devicePixelRatioF());
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

void SignPageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kDesk);
  if (pageMm_.isEmpty()) return;
  EnsurePagePixels();
  const QRectF page = PageRectPx();
  // The stamps are laid on a copy of the page's picture: what reaches off the page is not
  // printed, and a seal multiplies with the page's own pixels as it will on paper.
  QImage composed = pagePixels_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  {
    QPainter onPage(&composed);
    onPage.setRenderHint(QPainter::Antialiasing);
    onPage.translate(-page.topLeft());
    const PlacedStamps& stamps = stamps_.Stamps();
    for (int i = 0; i < stamps.size(); ++i) {
      const StampArt* art = arts_.For(stamps[i].kind);
      if (!art) continue;
      const bool onThisPage = !onPage_ || onPage_(stamps[i]);
      const bool seal = stamps[i].kind == Stamp::Kind::Seal;
      PaintStamp(onPage, *art, StampRectPx(i), onThisPage, seal && sealMultiplies_);
      if (stamps[i].kind == Stamp::Kind::Signature && arts_.date && date_)
        PaintStamp(onPage, *arts_.date, DateRectPx(), onThisPage, false);
    }
    PaintSeam(onPage);
  }
  painter.drawImage(page, composed);
  painter.setRenderHint(QPainter::Antialiasing);
  const PlacedStamps& stamps = stamps_.Stamps();
  // The selection's frame and handles, also where they reach off the page.
  if (selected_ >= 0 && selected_ < stamps.size()) {
    const QRectF box = StampRectPx(selected_);
    painter.setPen(QPen(QColor(0x1e, 0x6f, 0xd9), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.setPen(QColor(0x1e, 0x6f, 0xd9));
    painter.setBrush(Qt::white);
    for (const QPointF corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()})
      painter.drawRect(QRectF(corner - QPointF(kHandlePx / 2.0, kHandlePx / 2.0),
                              QSizeF(kHandlePx, kHandlePx)));
  }
}

}  // namespace yz
