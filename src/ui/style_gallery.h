// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "render/drawing_request.h"

namespace yz {

// 全部款式预览: the current name in every style of the list, each a thumbnail under its name.
// The dialog opens with blank thumbnails and draws them one per turn of the event loop (a style
// whose font was never parsed costs far more than a drag move), so typing stays responsive.
// A click on a thumbnail picks that style in the window.
class StyleGallery : public QDialog {
 public:
  static constexpr QSize kThumbnailSize{194, 131};
  using DrawPicture = std::function<QImage(const DrawingRequest&)>;

  StyleGallery(const QStringList& styleNames, DrawPicture draw, std::function<void(int)> pick,
               QWidget* parent);

  // Follows the window's controls: a new name, size or background draws every thumbnail again;
  // the selected style is marked.
  void Follow(const DrawingRequest& controls);

  // Every thumbnail shows the current controls.
  bool Filled() const { return !stale_.contains(true); }
  // The drawn thumbnail, or a null image while it is still to be drawn or failed.
  QImage Thumbnail(int style) const { return thumbnails_.value(style); }
  QToolButton* Button(int style) const { return buttons_.value(style); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void DrawNext();
  void SetIcon(int style, const QImage& thumbnail, const QString& note = {});

  QStringList styleNames_;
  DrawPicture draw_;
  DrawingRequest controls_;
  bool followed_ = false;
  QList<QToolButton*> buttons_;
  QList<QImage> thumbnails_;
  QList<bool> stale_;
  QButtonGroup group_;
  QTimer next_;
};

}  // namespace yz
