// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/page_list.h"

#include <QPainter>
#include <QPdfDocument>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "ui/sign/page_picture.h"

namespace yz {

namespace {

// The page itself also when its row is selected: the selection's tint would hide it.
QIcon PageIcon(const QPixmap& page) {
  QIcon icon(page);
  icon.addPixmap(page, QIcon::Selected);
  return icon;
}

constexpr int kMarkPx = 12;
const QColor kMark(0xc0, 0x10, 0x10);
const QColor kCurrent(0x1e, 0x6f, 0xd9);

// A thumbnail as the list draws it, then its mark and the frame of the page on screen.
class MarkedPageDelegate : public QStyledItemDelegate {
 public:
  MarkedPageDelegate(const SignPageList* list) : QStyledItemDelegate(const_cast<SignPageList*>(list)), list_(list) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const QSize icon = option.decorationSize.boundedTo(list_->iconSize());
    const QIcon pictures = index.data(Qt::DecorationRole).value<QIcon>();
    const QSize actual = pictures.actualSize(icon);
    const QRect page(QPoint(option.rect.center().x() - actual.width() / 2, option.rect.top() + 2), actual);
    painter->save();
    // A hairline round the paper: a blank page is white on the list's white.
    painter->setPen(QColor(0xb0, 0xb0, 0xb0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(page).adjusted(-0.5, -0.5, 0.5, 0.5));
    if (list_->IsMarked(index.row() + 1)) {
      // A folded red corner at the top right: this page gets ink.
      QPolygon corner;
      corner << page.topRight() << page.topRight() + QPoint(-kMarkPx, 0) << page.topRight() + QPoint(0, kMarkPx);
      painter->setPen(Qt::NoPen);
      painter->setBrush(kMark);
      painter->drawPolygon(corner);
    }
    if (index.row() == list_->currentRow()) {
      painter->setPen(QPen(kCurrent, 3));
      painter->setBrush(Qt::NoBrush);
      painter->drawRect(page.adjusted(-2, -2, 2, 2));
    }
    painter->restore();
  }

 private:
  const SignPageList* list_;
};

}  // namespace

SignPageList::SignPageList(QWidget* parent) : QListWidget(parent) {
  setViewMode(QListView::IconMode);
  setFlow(QListView::TopToBottom);
  setWrapping(false);
  setMovement(QListView::Static);
  setResizeMode(QListView::Adjust);
  setIconSize(kThumbnailBox);
  setUniformItemSizes(true);  // a thousand rows laid out without measuring each
  setSpacing(4);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFixedWidth(kThumbnailBox.width() + 48);
  setAccessibleName(QStringLiteral("页面列表"));
  setItemDelegate(new MarkedPageDelegate(this));
  next_.setInterval(0);
  connect(&next_, &QTimer::timeout, this, &SignPageList::DrawNextVisible);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, &next_, qOverload<>(&QTimer::start));
}

QIcon SignPageList::BlankIcon(QSizeF pageMm) const {
  QPixmap blank(FittedPageSize(pageMm, kThumbnailBox));
  blank.fill(Qt::white);
  return PageIcon(blank);
}

void SignPageList::ShowDocument(QPdfDocument* document, const QList<QSizeF>& pageSizesMm) {
  next_.stop();
  clear();
  document_ = document;
  sizesMm_ = pageSizesMm;
  drawn_.fill(false, pageSizesMm.size());
  marks_.clear();
  drawnCount_ = 0;
  // Pages of one shape share one blank picture.
  QSizeF lastShape;
  QIcon blank;
  for (int page = 0; page < pageSizesMm.size(); ++page) {
    if (pageSizesMm[page] != lastShape || blank.isNull()) {
      lastShape = pageSizesMm[page];
      blank = BlankIcon(lastShape);
    }
    auto* item = new QListWidgetItem(blank, QString::number(page + 1), this);
    item->setTextAlignment(Qt::AlignHCenter);
  }
  next_.start();
}

void SignPageList::SetMarks(const QList<bool>& marked) {
  if (marked == marks_) return;
  marks_ = marked;
  viewport()->update();
}

void SignPageList::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  next_.start();
}

void SignPageList::showEvent(QShowEvent* event) {
  QListWidget::showEvent(event);
  next_.start();
}

void SignPageList::DrawNextVisible() {
  if (!document_ || count() == 0) {
    next_.stop();
    return;
  }
  const QRect view = viewport()->rect();
  // The first row in view; the top edge may fall between two rows.
  int first = -1;
  for (int y = view.top(); y < view.bottom() && first < 0; y += spacing() + 1)
    first = indexAt(QPoint(view.center().x(), y)).row();
  if (first < 0) {
    next_.stop();
    return;
  }
  for (int row = first; row < count(); ++row) {
    if (!visualItemRect(item(row)).intersects(view)) break;
    if (drawn_[row]) continue;
    drawn_[row] = true;
    ++drawnCount_;
    const qreal ratio = devicePixelRatioF();
    QImage thumbnail = PagePicture(*document_, row, FittedPageSize(sizesMm_[row], kThumbnailBox) * ratio);
    thumbnail.setDevicePixelRatio(ratio);
    item(row)->setIcon(PageIcon(QPixmap::fromImage(thumbnail)));
    return;  // one per turn: the next comes after whatever the user did meanwhile
  }
  next_.stop();
}

}  // namespace yz
