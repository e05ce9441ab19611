// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/style_gallery.h"

#include <QGridLayout>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "render/picked_style.h"
#include "seams/failure.h"

namespace yz {

namespace {
constexpr int kColumns = 4;
constexpr int kVisibleRows = 3;
}  // namespace

StyleGallery::StyleGallery(const QStringList& styleNames, DrawPicture draw,
                           std::function<void(int)> pick, QWidget* parent)
    : QDialog(parent), styleNames_(styleNames), draw_(std::move(draw)) {
  setWindowTitle(QStringLiteral("全部款式预览"));
  auto* grid = new QWidget;
  auto* layout = new QGridLayout(grid);
  layout->setSpacing(6);
  for (int style = 0; style < styleNames.size(); ++style) {
    auto* button = new QToolButton(grid);
    button->setText(styleNames[style]);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(kThumbnailSize);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setAccessibleName(styleNames[style]);
    group_.addButton(button, style);
    layout->addWidget(button, style / kColumns, style % kColumns);
    buttons_ << button;
  }
  thumbnails_.resize(styleNames.size());
  stale_.fill(true, styleNames.size());
  for (int style = 0; style < styleNames.size(); ++style) SetIcon(style, QImage());
  if (styleNames.isEmpty()) layout->addWidget(new QLabel(QStringLiteral("没有可用的签名款式。")));
  connect(&group_, &QButtonGroup::idClicked, this, [pick = std::move(pick)](int style) { pick(style); });

  auto* scroll = new QScrollArea;
  scroll->setWidget(grid);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(scroll);
  // Every column, and three rows; more rows scroll.
  const QSize whole = grid->sizeHint();
  const int rows = int((styleNames.size() + kColumns - 1) / kColumns);
  if (rows <= kVisibleRows) {
    scroll->setMinimumSize(whole);
  } else {
    const int rowHeight = buttons_.front()->sizeHint().height() + layout->spacing();
    scroll->setMinimumSize(whole.width() + scroll->verticalScrollBar()->sizeHint().width(),
                           kVisibleRows * rowHeight + layout->contentsMargins().top());
  }

  next_.setInterval(0);
  connect(&next_, &QTimer::timeout, this, &StyleGallery::DrawNext);
}

void StyleGallery::Follow(const DrawingRequest& controls) {
  const bool sameName = followed_ && controls.textCN == controls_.textCN &&
                        controls.textEN == controls_.textEN &&
                        controls.sizeText == controls_.sizeText &&
                        controls.background == controls_.background;
  followed_ = true;
  controls_ = controls;
  group_.setExclusive(false);
  for (int style = 0; style < buttons_.size(); ++style) buttons_[style]->setChecked(style == controls.style);
  group_.setExclusive(true);
  if (sameName) return;
  stale_.fill(true);
  if (isVisible()) next_.start();
}

void StyleGallery::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!Filled()) next_.start();
}

void StyleGallery::DrawNext() {
  const int style = int(stale_.indexOf(true));
  if (style < 0 || !followed_) {
    next_.stop();
    return;
  }
  stale_[style] = false;
  const DrawingRequest request = AsPicked(controls_, style, styleNames_[style]);
  try {
    const QImage picture = draw_(request);
    const qreal ratio = devicePixelRatioF();
    QImage thumbnail = picture.scaled(kThumbnailSize * ratio, Qt::KeepAspectRatio,
                                      Qt::SmoothTransformation);
    thumbnail.setDevicePixelRatio(ratio);
    thumbnails_[style] = thumbnail;
    buttons_[style]->setToolTip(styleNames_[style]);
  } catch (const Failure& failure) {
    // One broken style says so on its own thumbnail; the others still draw.
    thumbnails_[style] = QImage();
    buttons_[style]->setToolTip(failure.message());
    SetIcon(style, QImage(), QStringLiteral("无法绘制"));
    return;
  }
  SetIcon(style, thumbnails_[style]);
}

void StyleGallery::SetIcon(int style, const QImage& thumbnail, const QString& note) {
  if (!thumbnail.isNull()) {
    buttons_[style]->setIcon(QPixmap::fromImage(thumbnail));
    return;
  }
  QPixmap blank(kThumbnailSize);
  blank.fill(palette().color(QPalette::Base));
  QPainter painter(&blank);
  painter.drawText(blank.rect(), Qt::AlignCenter, note);
  painter.end();
  buttons_[style]->setIcon(blank);
}

}  // namespace yz
