// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frm_main.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

#include "app/style_rules.h"
#include "output/export_signature.h"
#include "output/ink_colour.h"
#include "output/practice_sheet_click.h"
#include "output/print_signature.h"
#include "output/save_signature.h"
#include "render/signature_picture.h"
#include "seams/failure.h"
#include "ui/painted_buttons.h"
#include "ui/picture_clipboard.h"
#include "ui/skin.h"

namespace yz {

namespace {

// Twips to the window's pixels (15 to the pixel).
int Px(int twips) { return int(std::lround(twips / 15.0)); }
QRect PxRect(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

QFont ListFont() {
  QFont font(QStringLiteral("宋体"));
  font.setPointSizeF(12);
  return font;
}

QFont NameBoxFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPointSizeF(14.25);
  return font;
}

const QStringList& SizeEntries() {
  static const QStringList sizes = [] {
    QStringList list = QStringLiteral("8,9,10,11,12,22,24,26,28,36,48,72").split(',');
    for (int size = 100; size <= 200; size += 15) list << QString::number(size);
    return list;
  }();
  return sizes;
}

}  // namespace

QString frmMain::HomePageUrl() { return QStringLiteral(YZ_HOME_URL); }
QString frmMain::HelpPageUrl() { return HomePageUrl() + QStringLiteral("/qmrj.asp"); }

frmMain::frmMain(FormServices services, Installation installation, QWidget* parent)
    : QWidget(parent),
      installation(std::move(installation)),
      services_(services),
      sharp_(dynamic_cast<QtFontRegistry*>(&services.fonts)) {
  setWindowTitle(QStringLiteral("砚舟签名设计软件 免费版"));
  setWindowIcon(AppIcon());
  setFixedSize(kClientWidth, kClientHeight);
  CreateControls();
  ConnectEvents();
  actions = new WindowActions(this, imgSave, imgPrint);
  CreateCanvasMenu();
}

frmMain::~frmMain() {
  // Qt deletes the child widgets only after the members are gone, and a child going away can
  // still fire a handler (an editable list finishing its edit as it loses focus): no handler
  // may run on a window half taken apart.
  for (QObject* control : std::initializer_list<QObject*>{cboFont, cboImg, cboSize, txtCN, txtEN})
    control->disconnect(this);
  cboSize->removeEventFilter(this);
  cboSize->lineEdit()->removeEventFilter(this);
  delete signWindow_;
  delete gallery_;
}

void frmMain::CreateControls() {
  // Created in the order of the window's layout; the tab order is set below.
  cboSize = new QComboBox(this);
  cboSize->setEditable(true);
  cboSize->setInsertPolicy(QComboBox::NoInsert);
  cboSize->setGeometry(PxRect(8280, 3360, 1620, 360));
  cboSize->setEditText(QStringLiteral("cboSize"));
  cboImg = new QComboBox(this);
  cboImg->setGeometry(PxRect(8280, 2155, 1620, 360));
  cboFont = new QComboBox(this);
  cboFont->setGeometry(PxRect(8280, 1515, 1620, 360));
  for (QComboBox* combo : {cboSize, cboImg, cboFont}) combo->setFont(ListFont());

  picMain = new CanvasView(services_.canvas, this);
  picMain->ShowSharper(&sharp_);
  picMain->setGeometry(PxRect(580, 2300, 5820, 3920));
  imgMove = new ImageControl(picMain);
  imgMove->Move(120, 1560, 615, 375);
  imgMove->setToolTip(QStringLiteral("按住文字可以拖动到你想要的位置哦"));

  txtEN = new QLineEdit(QStringLiteral("Osric"), this);
  txtEN->setGeometry(PxRect(4560, 1640, 1720, 315));
  txtCN = new QLineEdit(QStringLiteral("纪元朗"), this);
  txtCN->setGeometry(PxRect(1440, 1640, 1455, 285));
  for (QLineEdit* box : {txtEN, txtCN}) {
    box->setFont(NameBoxFont());
    box->setFrame(false);  // the skin paints the white box around it
  }

  imgLogo = new ImageControl(this);
  imgLogo->Move(600, 600, 5775, 735);
  imgPrint = new ImageControl(this);
  imgPrint->Move(8760, 3840, 975, 780);
  imgSave = new ImageControl(this);
  imgSave->Move(7920, 4080, 735, 645);
  imgHelp = new ImageControl(this);
  imgHelp->Move(8760, 4680, 1215, 945);
  imgUrlMore = new ImageControl(this);
  imgUrlMore->Move(7320, 4800, 1335, 705);
  // One control beyond the window's own: the painted 签署 PDF 文档 in the free strip under the
  // canvas, so that signing is found without the canvas's right-click menu.
  imgSignDocument = new ImageControl(this);
  imgSignDocument->Move(4365, 6330, 2040, 375);
  imgSignDocument->setToolTip(QStringLiteral("签署 PDF 文档… (Ctrl+Shift+S)"));
  lblColorPreview = new ColorSwatch(this);
  lblColorPreview->setGeometry(PxRect(8280, 2760, 1620, 375));

  // One shape, the pointing hand, over the drag handle and the five image buttons only.
  for (QWidget* w : std::initializer_list<QWidget*>{imgMove, imgLogo, imgPrint, imgSave, imgHelp,
                                                     imgUrlMore, imgSignDocument}) {
    w->setCursor(Qt::PointingHandCursor);
  }

  setTabOrder(txtCN, txtEN);
  setTabOrder(txtEN, picMain);
  setTabOrder(picMain, cboFont);
  setTabOrder(cboFont, cboImg);
  setTabOrder(cboImg, cboSize);
  // The painted buttons follow, so that the keyboard reaches saving and printing too.
  const auto tile = [](ImageControl* image, const QString& caption) {
    return PaintedButton{image, caption, [image] { emit image->Click(); }, kPaintedTileRadius};
  };
  OfferToKeyboard(cboSize,
                  {{lblColorPreview, QStringLiteral("字颜色"), [this] { emit lblColorPreview->Click(); }},
                   tile(imgSave, QStringLiteral("保存签名")), tile(imgPrint, QStringLiteral("打印签名")),
                   tile(imgUrlMore, QStringLiteral("手写签名")), tile(imgHelp, QStringLiteral("使用必读")),
                   tile(imgSignDocument, QStringLiteral("签署 PDF 文档…"))});
}

void frmMain::ConnectEvents() {
  // activated is a pick by the user; picks from code call the handler themselves.
  connect(cboFont, &QComboBox::activated, this, [this] { Handle([this] { cboFont_Click(); }); });
  connect(cboImg, &QComboBox::activated, this, [this] { Handle([this] { cboImg_Click(); }); });
  connect(cboSize, &QComboBox::activated, this, [this] { Handle([this] { cboSize_Click(); }); });
  cboSize->lineEdit()->installEventFilter(this);
  cboSize->installEventFilter(this);
  connect(txtCN, &QLineEdit::textChanged, this, [this] { Handle([this] { txtCN_Change(); }); });
  connect(txtEN, &QLineEdit::textChanged, this, [this] { Handle([this] { txtEN_Change(); }); });

  connect(imgMove, &ImageControl::MouseDown, this, [this](int button, int, float x, float y) {
    imgMove_MouseDown(button, x, y);
  });
  connect(imgMove, &ImageControl::MouseMove, this,
          [this](int button, int, float x, float y) { DragMove(button, x, y); });
  connect(imgMove, &ImageControl::MouseUp, this, [this] { imgMove_MouseUp(); });

  connect(imgLogo, &ImageControl::Click, this, [this] { imgLogo_Click(); });
  connect(imgUrlMore, &ImageControl::Click, this, [this] { imgLogo_Click(); });
  connect(imgHelp, &ImageControl::Click, this, [this] { imgHelp_Click(); });
  connect(imgSignDocument, &ImageControl::Click, this, [this] { Handle([this] { SignDocumentClick(); }); });
  connect(imgSave, &ImageControl::Click, this, [this] { Handle([this] { imgSave_Click(); }); });
  connect(imgPrint, &ImageControl::Click, this, [this] { Handle([this] { imgPrint_Click(); }); });
  connect(lblColorPreview, &ColorSwatch::Click, this,
          [this] { Handle([this] { lblColorPreview_Click(); }); });
}

std::optional<QString> frmMain::FailureOf(const std::function<void()>& step) {
  try {
    step();
    return std::nullopt;
  } catch (const Failure& failure) {
    return failure.message();
  } catch (const std::exception& error) {
    return QStringLiteral("操作没有完成：%1").arg(QString::fromLocal8Bit(error.what()));
  }
}

void frmMain::Handle(const std::function<void()>& handler) {
  if (const std::optional<QString> failure = FailureOf(handler)) {
    services_.messages.Show(*failure, kMbExclamation);
  }
}

// --- load -----------------------------------------------------------------------------------

void frmMain::Form_Load() {
  // A broken default background fails both its click and the first drawing: say it once.
  QStringList failures;
  const auto step = [&failures](const std::function<void()>& run) {
    const std::optional<QString> failure = FailureOf(run);
    if (failure && !failures.contains(*failure)) failures << *failure;
  };
  IsLoading_ = true;

  cboFont->clear();
  cboFont->addItems(catalogue.styleNames);
  // Without a "公文签" the first style is the default, so the first drawing still has a style.
  if (const int style = DefaultStyleIndex(catalogue.styleNames); style >= 0)
    step([this, style] { SetFontListIndex(style); });

  cboImg->clear();
  cboImg->addItems(catalogue.backgroundNames);
  if (const int picture = DefaultBackgroundIndex(catalogue.backgroundNames); picture >= 0)
    step([this, picture] { SetImgListIndex(picture); });

  cboSize->clear();
  cboSize->addItems(SizeEntries());
  cboSize->setEditText(QString::number(kDefaultSize));
  lblColorPreview->SetBackColor(kBlack);
  IsLoading_ = false;
  step([this] { Redraw(); });
  for (const QString& failure : failures) services_.messages.Show(failure, kMbExclamation);
}

// --- drawing --------------------------------------------------------------------------------

DrawingRequest frmMain::RequestFromControls(qint32 x, qint32 y) const {
  DrawingRequest request;
  request.style = cboFont->currentIndex();
  request.textCN = txtCN->text();
  request.textEN = txtEN->text();
  request.sizeText = cboSize->currentText();
  request.ink = lblColorPreview->BackColor();
  request.background = cboImg->currentIndex();
  request.x = x;
  request.y = y;
  return request;
}

void frmMain::DrawSignature(qint32 x, qint32 y) {
  if (IsLoading_) return;
  struct Repaint {
    CanvasView* view;
    ~Repaint() { view->update(); }  // show what was drawn, also up to a failed step
  } repaint{picMain};
  const DrawingTools tools{services_.canvas, services_.fonts, services_.pictures};
  sharp_.Follow(devicePixelRatioF());
  // Every step runs on the canvas, then on the sharp one when the screen wants it.
  const auto draw = [&](DrawingStep step, const DrawingRequest& request) {
    const Drawing drawing = step(request, installation, tools);
    sharp_.Run(step, request, installation, services_.pictures);
    lastDrawn_ = request;
    if (gallery_) gallery_->Follow(request);
    return drawing;
  };
  DrawingRequest request = RequestFromControls(x, y);
  if (request.style != -1) {
    Apply(draw(yz::DrawSignature, request));
    return;
  }
  // No style yet: the canvas is prepared first (a failing background stops before anything is
  // selected); selecting the first style runs its click handling, which caps the size, sets the
  // ink and draws once completely; then this drawing goes on over that picture.
  Apply(draw(PrepareCanvas, request));
  SetFontListIndex(0);
  request = RequestFromControls(x, y);
  Apply(draw(DrawName, request));
}

void frmMain::Apply(const Drawing& drawing) {
  if (drawing.handle) {
    const HandleRect& h = *drawing.handle;
    imgMove->Move(h.left, h.top, h.width, h.height);
  }
  if (drawing.failure) throw Failure(*drawing.failure);
}

void frmMain::SetFontListIndex(int index) {
  // An entry that is not there selects nothing; firing the click anyway would send the drawing's
  // no-style fallback round again and again.
  if (index < 0 || index >= cboFont->count()) {
    throw Failure(QStringLiteral("没有可用的签名款式：%1 中没有找到签名款式或字体。")
                      .arg(installation.AppPath + QStringLiteral("fonts/")));
  }
  cboFont->setCurrentIndex(index);
  cboFont_Click();
}

void frmMain::SetImgListIndex(int index) {
  cboImg->setCurrentIndex(index);
  cboImg_Click();
}

// --- control events -------------------------------------------------------------------------

void frmMain::cboFont_Click() {
  const StyleRule rule = StyleRuleFor(cboFont->currentText());
  if (LeadingNumber(cboSize->currentText()) > rule.sizeCap) {
    cboSize->setEditText(QString::number(rule.sizeCap));
  }
  lblColorPreview->SetBackColor(rule.ink);
  DrawSignature(-1, -1);
}

void frmMain::cboImg_Click() {
  const int index = cboImg->currentIndex();
  if (index < 0 || index >= Catalogue::kMaxEntries || index >= catalogue.BackgroundPaths.size()) {
    throw Failure(QStringLiteral("没有选择背景图片。"));
  }
  services_.canvas.SetPicture(services_.pictures.LoadPicture(catalogue.BackgroundPaths[index]));
  DrawSignature(-1, -1);
}

void frmMain::cboSize_Click() { DrawSignature(-1, -1); }

void frmMain::cboSize_KeyDown(int keyCode) {
  if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter) DrawSignature(-1, -1);
}

void frmMain::txtCN_Change() {
  if (!txtCN->text().isEmpty()) DrawSignature(-1, -1);
}

void frmMain::txtEN_Change() {
  if (!txtEN->text().isEmpty()) DrawSignature(-1, -1);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == cboSize || watched == cboSize->lineEdit()) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Handled here alone: the combo would otherwise also report the Enter as a pick.
      Handle([&] { cboSize_KeyDown(key); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// --- drag handle ----------------------------------------------------------------------------

void frmMain::imgMove_MouseDown(int button, float x, float y) {
  if (button != 1) return;
  DragStartX = x;
  DragStartY = y;
  dragFailureShown_ = false;
  if (!IsSealStyle(cboFont->currentText())) imgMove->SetBorderStyle(1);
}

void frmMain::imgMove_MouseMove(int button, float x, float y) {
  if (button != 1) return;  // the left button alone
  imgMove->SetLeft(imgMove->Left() - DragStartX + x);
  imgMove->SetTop(imgMove->Top() - DragStartY + y);
  DrawSignature(qint32(std::nearbyint(imgMove->Left())), qint32(std::nearbyint(imgMove->Top())));
}

void frmMain::DragMove(int button, float x, float y) {
  const std::optional<QString> failure = FailureOf([&] { imgMove_MouseMove(button, x, y); });
  // Every move redraws, so a drag reports its first failure only. The message box takes the
  // mouse and the release may never reach the handle: the frame goes now.
  if (!failure || dragFailureShown_) return;
  dragFailureShown_ = true;
  imgMove->SetBorderStyle(0);
  services_.messages.Show(*failure, kMbExclamation);
}

void frmMain::imgMove_MouseUp() { imgMove->SetBorderStyle(0); }

// --- links, output, colour ------------------------------------------------------------------

void frmMain::imgLogo_Click() { services_.browser.Open(HomePageUrl()); }
void frmMain::imgHelp_Click() { services_.browser.Open(HelpPageUrl()); }

void frmMain::imgSave_Click() {
  SaveSignatureClick(this, services_.canvas.Image(), services_.saveDialog, services_.messages);
}

void frmMain::imgPrint_Click() {
  PrintSignatureClick(services_.canvas.Image(), kCanvasWidthTwips, kCanvasHeightTwips,
                      services_.printer, services_.messages);
}

void frmMain::lblColorPreview_Click() {
  if (const auto chosen = ChooseInkColour(this, lblColorPreview->BackColor(), services_.colorDialog)) {
    lblColorPreview->SetBackColor(*chosen);
  }
  DrawSignature(-1, -1);
}

// --- canvas menu: gallery, copies ----------------------------------------------------------

void frmMain::CreateCanvasMenu() {
  canvasMenu = new CanvasMenu(this, {picMain, imgMove});
  // The open menu takes the mouse, and the handle would never see the release of a drag.
  connect(canvasMenu->Menu(), &QMenu::aboutToShow, this, [this] { imgMove_MouseUp(); });
  canvasMenu->Add(QStringLiteral("全部款式预览"), QKeySequence(Qt::CTRL | Qt::Key_G),
                  [this] { Handle([this] { ShowStyleGallery(); }); });
  canvasMenu->AddSeparator();
  canvasMenu->Add(QStringLiteral("复制图片"), QKeySequence::Copy,
                  [this] { Handle([this] { CopyPictureToClipboard(services_.canvas.Image()); }); });
  canvasMenu->Add(QStringLiteral("复制透明图片"), {}, [this] { Handle([this] { CopyTransparentPicture(); }); });
  canvasMenu->AddSeparator();
  for (QAction* action : actions->All()) canvasMenu->Add(action);
  canvasMenu->Add(QStringLiteral("导出高清图片…"), {}, [this] {
    Handle([this] {
      ExportLargePictureClick(this, lastDrawn_, installation, QtFonts(), services_.pictures,
                              services_.saveDialog, services_.messages);
    });
  });
  canvasMenu->Add(QStringLiteral("导出矢量图…"), {}, [this] {
    Handle([this] {
      ExportVectorClick(this, lastDrawn_, installation, QtFonts(), services_.pictures,
                        services_.saveDialog, services_.messages);
    });
  });
  canvasMenu->AddSeparator();
  canvasMenu->Add(QStringLiteral("打印练字帖"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [this] {
    Handle([this] {
      PrintPracticeSheetClick(lastDrawn_, installation, QtFonts(), services_.pictures,
                              services_.printer, services_.messages);
    });
  });
  canvasMenu->Add(QStringLiteral("导出练字帖…"), {}, [this] {
    Handle([this] {
      ExportPracticeSheetClick(this, lastDrawn_, installation, QtFonts(), services_.pictures,
                               services_.saveDialog, services_.messages);
    });
  });
  canvasMenu->AddSeparator();
  canvasMenu->Add(QStringLiteral("签署 PDF 文档…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                  [this] { Handle([this] { SignDocumentClick(); }); });
  new TextCopyYields({txtCN, txtEN, cboSize}, this);
}

QtFontRegistry& frmMain::QtFonts() const {
  auto* fonts = dynamic_cast<QtFontRegistry*>(&services_.fonts);
  if (!fonts) throw Failure(QStringLiteral("这个窗口没有可以绘制图片的字体库。"));
  return *fonts;
}

void frmMain::ShowStyleGallery() {
  if (!gallery_) {
    gallery_ = new StyleGallery(
        catalogue.styleNames,
        [this](const DrawingRequest& request) {
          return DrawSignaturePicture(request, installation, QtFonts(), services_.pictures);
        },
        [this](int style) { Handle([this, style] { SetFontListIndex(style); }); }, this);
  }
  gallery_->Follow(RequestFromControls(-1, -1));
  gallery_->show();
  gallery_->raise();
  gallery_->activateWindow();
}

void frmMain::SignDocumentClick() {
  // Another document in its place: what was placed on the one shown is not lost unasked.
  if (signWindow_ && !signWindow_->MayClose()) return;
  const QString path = AskForDocumentToSign(services_.openDialog, this);
  if (path.isEmpty()) return;
  if (!signWindow_) {
    signWindow_ = new SignWindow(StampTools{installation, QtFonts(), services_.pictures},
                                 catalogue.styleNames, services_.messages, services_.saveDialog,
                                 services_.openDialog, this);
  }
  // The signature as the canvas shows it now, also when the window was open before.
  signWindow_->SetSignature(lastDrawn_);
  if (!signWindow_->Open(path)) return;
  signWindow_->show();
  signWindow_->raise();
  signWindow_->activateWindow();
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Closing the window ends the program: stamps placed and not saved are asked about first.
  if (signWindow_ && !signWindow_->MayClose()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void frmMain::CopyTransparentPicture() {
  DrawingRequest request = lastDrawn_;
  request.background.reset();
  request.scale = 1;
  CopyPictureToClipboard(DrawSignaturePicture(request, installation, QtFonts(), services_.pictures));
}

void frmMain::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // A ratio between 1 and 2 shows the 2x artwork scaled down, smoothly.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(0, 0, skin_.For(devicePixelRatioF()));
}

}  // namespace yz
