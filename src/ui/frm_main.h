#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/catalogue.h"
#include "render/draw_signature.h"
#include "ui/canvas_view.h"
#include "ui/color_swatch.h"
#include "ui/form_services.h"
#include "ui/image_control.h"
#include "ui/skin.h"
#include "ui/window_actions.h"

namespace yz {

// The one window. Its controls carry the names the rest of the program knows them by; every
// event is tied to one short handler below, and every handler's failure reaches the user as
// one message box while the window keeps the state the failure left.
class frmMain : public QWidget, public SignatureControls {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 719;   // 10785 twips
  static constexpr int kClientHeight = 459;  // 6885 twips
  static constexpr float kCanvasWidthTwips = 5820;
  static constexpr float kCanvasHeightTwips = 3920;

  explicit frmMain(FormServices services, QWidget* parent = nullptr);

  // The load event: fills the lists from AppPath, selects the defaults and draws once.
  void Form_Load();
  void DrawSignature(qint32 x, qint32 y);
  void Redraw() { DrawSignature(-1, -1); }

  // SignatureControls: what a drawing reads and changes.
  bool IsLoading() const override { return IsLoading_; }
  int ImgListIndex() const override { return cboImg->currentIndex(); }
  QString SizeText() const override { return cboSize->currentText(); }
  Colour InkColour() const override { return lblColorPreview->BackColor(); }
  int FontListIndex() const override { return cboFont->currentIndex(); }
  void SetFontListIndex(int index) override;
  QString FontListEntry(int index) const override { return cboFont->itemText(index); }
  QString FontText() const override { return cboFont->currentText(); }
  QString TextCN() const override { return txtCN->text(); }
  QString TextEN() const override { return txtEN->text(); }
  void MoveHandle(float left, float top, float width, float height) override;

  // Selecting from code runs the same Click handler as a pick by the user (and lets its
  // failure through to the caller).
  void SetImgListIndex(int index);
  bool SelectFontByText(const QString& text);

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
  ColorSwatch* lblColorPreview;
  WindowActions* actions;  // the commands a menu lists, with their shortcuts

  Catalogue catalogue;  // FontPaths, BackgroundPaths, SingleFaceNames
  float DragStartX = 0;
  float DragStartY = 0;

  static QString HomePageUrl();
  static QString HelpPageUrl();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ConnectEvents();

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

  // Runs one step; gives the user's words for its failure, nothing when it succeeded.
  static std::optional<QString> FailureOf(const std::function<void()>& step);
  // Runs one handler; its failure shows one message box.
  void Handle(const std::function<void()>& handler);

  FormServices services_;
  bool IsLoading_ = false;
  bool dragFailureShown_ = false;  // since the last left press on the handle
  Skin skin_;
};

}  // namespace yz
