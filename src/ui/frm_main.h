// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/installation.h"
#include "render/draw_signature.h"
#include "ui/canvas_menu.h"
#include "ui/canvas_view.h"
#include "ui/color_swatch.h"
#include "ui/form_services.h"
#include "ui/image_control.h"
#include "ui/skin.h"
#include "ui/window_actions.h"
#include "ui/sharp_canvas.h"
#include "ui/sign/window.h"
#include "ui/style_gallery.h"

namespace yz {

// The one window. Its controls carry the names the rest of the program knows them by; every
// event is tied to one short handler below, and every handler's failure reaches the user as
// one message box while the window keeps the state the failure left.
class frmMain : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 719;   // 10785 twips
  static constexpr int kClientHeight = 459;  // 6885 twips
  static constexpr float kCanvasWidthTwips = 5820;
  static constexpr float kCanvasHeightTwips = 3920;

  frmMain(FormServices services, Installation installation, QWidget* parent = nullptr);
  ~frmMain() override;

  // The load event: fills the lists from the installation, selects the defaults and draws once.
  void Form_Load();
  void DrawSignature(qint32 x, qint32 y);
  void Redraw() { DrawSignature(-1, -1); }
  bool IsLoading() const { return IsLoading_; }

  // What the controls ask to be drawn, with the signature's top-left at (x, y).
  DrawingRequest RequestFromControls(qint32 x, qint32 y) const;

  // Selecting from code runs the same Click handler as a pick by the user (and lets its
  // failure through to the caller).
  void SetFontListIndex(int index);
  void SetImgListIndex(int index);

  QComboBox* cboSize;
  QComboBox* cboImg;
  QComboBox* cboFont;
  CanvasView* picMain;
  ImageControl* imgMove;
  QLineEdit* txtEN;
  QLineEdit* txtCN;
  ImageControl* imgLogo;
  ImageControl* imgPrint;
  ImageControl* imgSave;
  ImageControl* imgHelp;
  ImageControl* imgUrlMore;
  ImageControl* imgSignDocument;  // 签署 PDF 文档…, under the canvas
  ColorSwatch* lblColorPreview;
  WindowActions* actions;  // the commands a menu lists, with their shortcuts
  // The right-click menu over picMain and imgMove; its actions' shortcuts work window-wide.
  CanvasMenu* canvasMenu;

  const Installation installation;
  const Catalogue& catalogue = installation.catalogue;  // FontPaths, BackgroundPaths, SingleFaceNames
  float DragStartX = 0;
  float DragStartY = 0;

  static QString HomePageUrl();
  static QString HelpPageUrl();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ConnectEvents();
  void CreateCanvasMenu();
  void ShowStyleGallery();
  void SignDocumentClick();
  void CopyTransparentPicture();
  // Pictures drawn beside the canvas (the gallery, the transparent copy, the sharp view) need
  // Qt's font registry; a test's fake registry has none of them.
  QtFontRegistry& QtFonts() const;

  void cboFont_Click();
  void cboImg_Click();
  void cboSize_Click();
  void cboSize_KeyDown(int keyCode);
  void txtCN_Change();
  void txtEN_Change();
  void imgMove_MouseDown(int button, float x, float y);
  void imgMove_MouseMove(int button, float x, float y);
  void DragMove(int button, float x, float y);
  void imgMove_MouseUp();
  void imgLogo_Click();
  void imgHelp_Click();
  void imgSave_Click();
  void imgPrint_Click();
  void lblColorPreview_Click();

  // Moves the handle where the drawing placed it; a failed step fails the handler.
  void Apply(const Drawing& drawing);

  // Runs one step; gives the user's words for its failure, nothing when it succeeded.
  static std::optional<QString> FailureOf(const std::function<void()>& step);
  // Runs one handler; its failure shows one message box.
  void Handle(const std::function<void()>& handler);

  FormServices services_;
  bool IsLoading_ = false;
  bool dragFailureShown_ = false;  // since the last left press on the handle
  Skin skin_;
  SharpCanvas sharp_;
  DrawingRequest lastDrawn_;  // what the canvas shows, for the transparent copy
  // Deleted here before the members they use are gone, unless someone deleted them first.
  QPointer<StyleGallery> gallery_;
  QPointer<SignWindow> signWindow_;
};

}  // namespace yz
