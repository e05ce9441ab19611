// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/window.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QSessionManager>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/style_rules.h"
#include "output/export_signature.h"
#include "render/picked_style.h"
#include "seams/failure.h"
#include "sign/docmdp.h"
#include "sign/seam_slices.h"
#include "sign/stamp_places.h"
#include "ui/sign/page_picture.h"
#include "ui/sign/progress.h"
#include "ui/sign/remembered.h"
#include "ui/sign/signing_labels.h"
#include "ui/sign/stamp_command.h"

namespace yz {

namespace {

constexpr int kPagesNamed = 5;  // in a warning, before "等"
// The page is read for the stamps' first places at about 4 pixels to the millimetre.
constexpr QSize kPlacingPicture{1000, 1000};

QList<std::pair<int, QString>> SealStyles(const QStringList& styleNames) {
  QList<std::pair<int, QString>> seals;
  for (const QString& name : {kSealOutline, kSealFilled})
    if (const int index = int(styleNames.indexOf(name)); index >= 0) seals.append({index, name});
  return seals;
}

QString PageNumbers(const QList<int>& pages) {
  QStringList named;
  for (int i = 0; i < std::min<int>(kPagesNamed, int(pages.size())); ++i)
    named << QString::number(pages[i]);
  QString text = named.join(QStringLiteral("、"));
  if (pages.size() > kPagesNamed) text += QStringLiteral(" 等 %1 页").arg(pages.size());
  return text;
}

// Ascending pages as a list of runs: 1-3,7.
PageSelection AsRuns(const QList<int>& pages) {
  PageSelection selection{PageSelection::Kind::List, {}};
  for (const int page : pages) {
    if (!selection.ranges.isEmpty() && selection.ranges.back().last + 1 == page)
      selection.ranges.back().last = page;
    else
      selection.ranges.append({page, page});
  }
  return selection;
}

// A field that keeps Home and End for its own editing.
bool IsTextField(const QWidget* widget) {
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->isEditable();
  return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

}  // namespace

SignWindow::SignWindow(const StampTools& tools, const QStringList& styleNames, MessageBox& messages,
                       SaveDialog& saveDialog, OpenDialog& openDialog, QWidget* parent)
    : QDialog(parent),
      tools_(tools),
      styleNames_(styleNames),
      messages_(messages),
      saveDialog_(saveDialog),
      openDialog_(openDialog) {
  setWindowTitle(QStringLiteral("签署 PDF 文档"));
  askPassword = [this](const QString& prompt) { return Password(prompt); };
  CreateControls();
  restoring_ = true;
  remembered::RestoreChoices(*choices);
  if (const std::optional<double> zoom = remembered::Zoom())
    *zoom > 0 ? view->SetZoom(*zoom) : view->SetFit(SignPageView::Fit::Width);
  restoring_ = false;
  ConnectEvents();
  FollowZoom();
  // Large for a page, but never beyond a small screen.
  QSize size(1100, 760);
  if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableGeometry().size() * 0.95);
  resize(size);
  // Page Up and Page Down turn pages wherever the focus is in this window.
  qApp->installEventFilter(this);
  connect(qApp, &QGuiApplication::commitDataRequest, this, &SignWindow::CommitData);
}

QLayout* SignWindow::CreatePageBar() {
  spnPage = new QSpinBox;
  spnPage->setRange(1, 1);
  spnPage->setKeyboardTracking(false);  // a page number is gone to once it is typed whole
  spnPage->setAccessibleName(QStringLiteral("第几页"));
  spnPage->setToolTip(QStringLiteral("输入页码后按 Enter 跳到那一页（Home/End：首页/末页）"));
  lblPageCount = new QLabel(QStringLiteral("/ 0 页"));
  lblZoom = new QLabel;
  lblZoom->setMinimumWidth(64);
  lblZoom->setAlignment(Qt::AlignCenter);
  lblZoom->setAccessibleName(QStringLiteral("缩放比例"));
  auto* bar = new QHBoxLayout;
  bar->addWidget(new QLabel(QStringLiteral("第")));
  bar->addWidget(spnPage);
  bar->addWidget(lblPageCount);
  bar->addStretch(1);
  for (QAction* action : {zoomOut, zoomIn, fitWidth, fitPage}) {
    auto* button = new QToolButton;
    button->setDefaultAction(action);
    button->setAccessibleName(action->toolTip());
    bar->addWidget(button);
    if (action == zoomOut) bar->addWidget(lblZoom);
  }
  return bar;
}

void SignWindow::CreateControls() {
  pageList = new SignPageList(this);
  view = new SignPageView(stamps, history, arts_);
  scroller = new SignPageScroller(view, this);
  choices = new SignChoices(SealStyles(styleNames_), this);
  choices->setFixedWidth(260);
  choices->pageOnScreen = [this] { return std::max(1, view->Page()); };
  certificate = new SignCertificateChoice(messages_, openDialog_, saveDialog_, this);
  certificate->setFixedWidth(260);
  signatures = new SignaturesPanel(this);
  signatures->setFixedWidth(260);

  undo = history.createUndoAction(this, QStringLiteral("撤销"));
  undo->setShortcut(QKeySequence::Undo);
  redo = history.createRedoAction(this, QStringLiteral("重做"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  save = new QAction(QStringLiteral("保存签署后的文档…"), this);
  save->setShortcut(QKeySequence::Save);
  zoomIn = new QAction(QStringLiteral("+"), this);
  zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zoomIn->setToolTip(QStringLiteral("放大 (Ctrl++)"));
  zoomOut = new QAction(QStringLiteral("−"), this);
  zoomOut->setShortcut(QKeySequence::ZoomOut);
  zoomOut->setToolTip(QStringLiteral("缩小 (Ctrl+−)"));
  fitWidth = new QAction(QStringLiteral("适合宽度"), this);
  fitWidth->setToolTip(QStringLiteral("适合宽度"));
  fitPage = new QAction(QStringLiteral("适合页面"), this);
  fitPage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  fitPage->setToolTip(QStringLiteral("适合页面 (Ctrl+0)"));
  for (QAction* action : {undo, redo, save, zoomIn, zoomOut, fitPage}) addAction(action);

  auto* buttons = new QHBoxLayout;
  for (QAction* action : {undo, redo}) {
    auto* button = new QPushButton(action->text().section(' ', 0, 0));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    button->setEnabled(action->isEnabled());
    buttons->addWidget(button);
  }
  btnRecent = new QPushButton(QStringLiteral("打开其他文档"));
  btnRecent->setAutoDefault(false);
  btnRecent->setMenu(new QMenu(btnRecent));
  btnRecent->setAccessibleName(QStringLiteral("打开其他文档或最近的文档"));
  buttons->addWidget(btnRecent);
  buttons->addStretch(1);
  btnSave = new QPushButton(save->text());
  btnSave->setAutoDefault(false);
  btnClose = new QPushButton(QStringLiteral("关闭"));
  btnClose->setAutoDefault(false);
  buttons->addWidget(btnSave);
  buttons->addWidget(btnClose);

  lblNote = new QLabel;
  lblNote->setWordWrap(true);
  lblNote->setStyleSheet(QStringLiteral("background: #fff4c2; color: #5a4500; padding: 4px;"));
  lblNote->setAccessibleName(QStringLiteral("提示"));
  lblNote->hide();

  auto* middle = new QVBoxLayout;
  middle->addLayout(CreatePageBar());
  middle->addWidget(scroller, 1);
  middle->addWidget(lblNote);
  // The side panel has room below the choices for more of them.
  auto* side = new QVBoxLayout;
  side->addWidget(choices, 1);
  side->addWidget(certificate);
  side->addWidget(signatures);
  auto* top = new QHBoxLayout;
  top->addWidget(pageList);
  top->addLayout(middle, 1);
  top->addLayout(side);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top, 1);
  outer->addLayout(buttons);
  // The keyboard's way through the window: the pages, the page box, the page and its stamps, the
  // choices from top to bottom, the zoom, then the buttons along the bottom.
  QList<QWidget*> order = {pageList, spnPage, view};
  order << QList<QWidget*>{choices->chkSignature, choices->chkSeal, choices->cboSealStyle, choices->chkMultiply,
                           choices->cboPages, choices->txtPages, choices->chkDate, choices->txtDate,
                           choices->cboDatePlace, choices->grpSeam, choices->cboSeamStyle,
                           choices->spnSeamSlices, choices->txtSeamPages, choices->chkSkipFirst,
                           choices->spnSeamTop, choices->spnSeamWidth};
  order << QList<QWidget*>{certificate->cboCertificate, certificate->btnExport, certificate->cboField,
                           certificate->txtReason, certificate->txtLocation, certificate->txtTimestamp,
                           signatures->btnDetails};
  for (QToolButton* zoom : findChildren<QToolButton*>())
    if (zoom != certificate->btnExport) order << zoom;
  for (QPushButton* button : findChildren<QPushButton*>())
    if (button != btnRecent && button != btnSave && button != btnClose && button != signatures->btnDetails)
      order << button;  // 撤销, 重做
  order << btnRecent << btnSave << btnClose;
  for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void SignWindow::ConnectEvents() {
  connect(save, &QAction::triggered, this, [this] { Handle([this] { Save(); }); });
  connect(btnSave, &QPushButton::clicked, save, &QAction::trigger);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
  connect(pageList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row + 1 != view->Page()) ShowPage(row + 1);
  });
  connect(spnPage, &QSpinBox::valueChanged, this, [this](int page) { ShowPage(page); });
  connect(&stamps, &SignStampList::Changed, this, &SignWindow::FollowStamps);
  connect(choices, &SignChoices::Changed, this, &SignWindow::FollowChoices);
  connect(choices, &SignChoices::PlacesChanged, this, &SignWindow::FollowPlaces);
  connect(choices->chkSignature, &QCheckBox::toggled, this,
          [this](bool on) { Toggle(Stamp::Kind::Signature, on); });
  connect(choices->chkSeal, &QCheckBox::toggled, this, [this](bool on) { Toggle(Stamp::Kind::Seal, on); });
  connect(choices->chkDate, &QCheckBox::toggled, this, &SignWindow::ToggleDate);
  connect(view, &SignPageView::ZoomChanged, this, &SignWindow::FollowZoom);
  // A stamp put on a page where it did not go goes there, when the stamps go on one page only.
  connect(view, &SignPageView::Placed, this, [this] {
    if (choices->cboPages->currentIndex() == SignChoices::kThisPage) choices->SetOnlyPage(view->Page());
  });
  connect(zoomIn, &QAction::triggered, this, [this] { view->ZoomBy(1.25); });
  connect(zoomOut, &QAction::triggered, this, [this] { view->ZoomBy(1 / 1.25); });
  connect(fitWidth, &QAction::triggered, this, [this] { view->SetFit(SignPageView::Fit::Width); });
  connect(fitPage, &QAction::triggered, this, [this] { view->SetFit(SignPageView::Fit::Page); });
  connect(&history, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
  connect(btnRecent->menu(), &QMenu::aboutToShow, this, &SignWindow::FillRecent);
}

void SignWindow::Handle(const std::function<void()>& step) {
  try {
    step();
  } catch (const Failure& failure) {
    messages_.Show(failure.message(), kMbExclamation);
  }
}

void SignWindow::SetSignature(const DrawingRequest& request) {
  signature_ = request;
  signature_.background.reset();
  signature_.x = signature_.y = -1;  // whole: a place dragged half off the canvas cuts nothing
  signature_.scale = 1;
  certificate->SetName(request.textCN);
  artFailureShown_.clear();
  RedrawArts();
}

DrawingRequest SignWindow::SealRequest(int style) const {
  DrawingRequest seal = AsPicked(signature_, style, styleNames_.value(style));
  seal.background.reset();
  return seal;
}

// --- keys and closing ----------------------------------------------------------------------

bool SignWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || path_.isEmpty()) return false;
  const auto* widget = qobject_cast<QWidget*>(watched);
  // Only this window's own controls: an open drop-down list or a dialog over it keeps its keys.
  if (!widget || widget->window() != this) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  switch (key->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
      if (modifiers != Qt::NoModifier) return false;
      // Cheap: the page is drawn when the events are through, so held keys never queue up.
      ShowPage(std::clamp(view->Page() + (key->key() == Qt::Key_PageDown ? 1 : -1), 1, PageCount()));
      return true;
    case Qt::Key_Home:
    case Qt::Key_End:
      if (IsTextField(widget) || (modifiers != Qt::NoModifier && modifiers != Qt::ControlModifier))
        return false;
      ShowPage(key->key() == Qt::Key_Home ? 1 : PageCount());
      return true;
    default: return false;
  }
}

bool SignWindow::HasUnsavedStamps() const { return !path_.isEmpty() && !history.isClean(); }

bool SignWindow::MayClose() {
  if (!HasUnsavedStamps() || saving_) return !saving_;
  switch (messages_.AskToSave(QStringLiteral("《%1》上放好的签名和印章还没有保存。\n要保存签署后的文档吗？")
                                  .arg(QFileInfo(path_).fileName()))) {
    case MessageBox::SaveAnswer::Save: {
      bool written = false;
      Handle([&] { written = Save(); });
      return written;
    }
    case MessageBox::SaveAnswer::Discard:
      history.setClean();  // asked once: the closing that follows does not ask again
      return true;
    case MessageBox::SaveAnswer::Cancel: break;
  }
  return false;
}

void SignWindow::reject() {
  if (MayClose()) QDialog::reject();
}

void SignWindow::CommitData(QSessionManager& manager) {
  // The desktop session is ending: the same question, if the session lets the program ask.
  if (!HasUnsavedStamps() || !manager.allowsInteraction()) return;
  const bool mayClose = MayClose();
  manager.release();
  if (!mayClose) manager.cancel();
}

// --- opening -------------------------------------------------------------------------------

std::optional<QString> SignWindow::Password(const QString& prompt) const {
  bool ok = false;
  const QString text = QInputDialog::getText(const_cast<SignWindow*>(this), QStringLiteral("需要密码"),
                                             prompt, QLineEdit::Password, QString(), &ok);
  if (!ok) return std::nullopt;
  return text;
}

QString AskForDocumentToSign(OpenDialog& dialog, QWidget* owner) {
  return dialog.GetOpenFileName(owner, QStringLiteral("签署 PDF 文档"),
                                {QStringLiteral("PDF 文档 (*.pdf)"), QStringLiteral("所有文件 (*)")},
                                remembered::OpenFolder());
}

void SignWindow::FillRecent() {
  QMenu* menu = btnRecent->menu();
  menu->clear();
  menu->addAction(QStringLiteral("打开…"), this, [this] { OpenAnother(AskForDocumentToSign(openDialog_, this)); });
  const QStringList recent = remembered::RecentDocuments();
  if (!recent.isEmpty()) menu->addSection(QStringLiteral("最近的文档"));
  for (const QString& path : recent)
    menu->addAction(QFileInfo(path).fileName(), this, [this, path] { OpenAnother(path); })->setToolTip(path);
}

void SignWindow::OpenAnother(const QString& path) {
  if (path.isEmpty() || !MayClose()) return;
  Open(path);
}

bool SignWindow::Open(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  QString password;
  DocumentInspection inspection = InspectDocument(path);
  while (inspection.access != DocumentInspection::Access::Open && inspection.failure.isEmpty()) {
    const QString prompt =
        inspection.access == DocumentInspection::Access::NeedsPassword
            ? QStringLiteral("《%1》有打开密码，请输入密码：").arg(name)
            : QStringLiteral("密码不对，打不开《%1》。请再输入一次：").arg(name);
    const std::optional<QString> given = askPassword(prompt);
    if (!given) return false;
    password = *given;
    inspection = InspectDocument(path, password);
  }
  if (!inspection.failure.isEmpty()) {
    messages_.Show(inspection.failure, kMbExclamation);
    return false;
  }
  if (inspection.modificationForbidden) {
    messages_.Show(QStringLiteral("《%1》的权限设置不允许修改，不能签署：\n%2").arg(name, path),
                   kMbExclamation);
    return false;
  }
  if (inspection.pageCount < 1 || inspection.pageSizesMm.size() != inspection.pageCount) {
    messages_.Show(QStringLiteral("《%1》没有可以签署的页面：\n%2").arg(name, path), kMbExclamation);
    return false;
  }
  // Signed documents are appended to, so their signatures stay valid: listed, never a question.
  const DocumentSignatures found = CheckDocumentSignatures(path, password);
  if (found.docMdpPermission == 1) {
    messages_.Show(CertificationRefusal(Certified::NoChanges, true, true, path), kMbExclamation);
    return false;
  }
  document_.close();
  document_.setPassword(password);
  if (const QPdfDocument::Error error = document_.load(path); error != QPdfDocument::Error::None) {
    messages_.Show(QStringLiteral("《%1》的页面无法显示，不能在这里签署：\n%2").arg(name, path),
                   kMbExclamation);
    document_.close();
    path_.clear();
    inspection_ = {};
    return false;
  }
  path_ = path;
  password_ = password;
  inspection_ = inspection;
  signatures->Show(found);
  certificate->SetDocument(found);
  setWindowTitle(QStringLiteral("签署 PDF 文档 - %1[*]").arg(name));
  remembered::RememberOpened(path);

  history.clear();
  pageList->ShowDocument(&document_, inspection_.pageSizesMm);
  spnPage->setRange(1, inspection_.pageCount);
  lblPageCount->setText(QStringLiteral("/ %1 页").arg(inspection_.pageCount));
  choices->SetPageCount(inspection_.pageCount);
  view->Select(-1);
  ShowPage(1);
  choices->SetOnlyPage(1);
  view->setFocus();  // Page Down, Delete and the wheel work at once
  QList<Stamp::Kind> kinds;
  if (choices->chkSignature->isChecked() && arts_.signature) kinds << Stamp::Kind::Signature;
  if (choices->chkSeal->isChecked() && arts_.seal) kinds << Stamp::Kind::Seal;
  stamps.Set(SuggestedPlaces(kinds, {}));
  FollowChoices();
  history.setClean();
  setWindowModified(false);
  for (const QString& warning : inspection_.warnings) messages_.Show(warning, kMbInformation);
  return true;
}

void SignWindow::ReloadPages() {
  const int page = view->Page();
  const DocumentInspection inspection = InspectDocument(path_, password_);
  document_.close();
  document_.setPassword(password_);
  if (!inspection.failure.isEmpty() || document_.load(path_) != QPdfDocument::Error::None) return;
  inspection_ = inspection;
  const DocumentSignatures found = CheckDocumentSignatures(path_, password_);
  signatures->Show(found);
  certificate->SetDocument(found);
  pageList->ShowDocument(&document_, inspection_.pageSizesMm);
  view->ShowPage(&document_, std::clamp(page, 1, inspection_.pageCount),
                 inspection_.pageSizesMm[std::clamp(page, 1, inspection_.pageCount) - 1]);
  ShowPage(std::clamp(page, 1, inspection_.pageCount));
  FollowChoices();
}

void SignWindow::ShowPage(int page) {
  if (page < 1 || page > inspection_.pageCount) return;
  if (page != view->Page() || view->PageMm() != inspection_.pageSizesMm[page - 1])
    view->ShowPage(&document_, page, inspection_.pageSizesMm[page - 1]);
  if (pageList->currentRow() != page - 1) pageList->setCurrentRow(page - 1);
  pageList->viewport()->update();
  if (spnPage->value() != page) {
    QSignalBlocker blocker(spnPage);
    spnPage->setValue(page);
  }
  FollowPage();
}

// --- stamps --------------------------------------------------------------------------------

void SignWindow::RedrawArts() {
  const auto draw = [this](const Stamp& stamp) -> std::optional<StampArt> {
    try {
      return StampArtFor(stamp, tools_);
    } catch (const Failure& failure) {
      // Said once, not at every change of a choice that draws it again.
      if (failure.message() != artFailureShown_) {
        artFailureShown_ = failure.message();
        messages_.Show(failure.message(), kMbExclamation);
      }
      return std::nullopt;
    }
  };
  Stamp signature{Stamp::Kind::Signature, signature_};
  arts_.signature = signature_.style >= 0 ? draw(signature) : std::nullopt;
  const int sealStyle = choices->cboSealStyle->count() ? choices->SealStyle() : -1;
  arts_.seal = sealStyle >= 0 ? draw(Stamp{Stamp::Kind::Seal, SealRequest(sealStyle)}) : std::nullopt;
  const int seamStyle = choices->cboSeamStyle->count() ? choices->SeamStyle() : -1;
  arts_.seam = choices->SeamWanted() && seamStyle >= 0
                   ? draw(Stamp{Stamp::Kind::Seal, SealRequest(seamStyle)})
                   : std::nullopt;
  Stamp date{Stamp::Kind::Date};
  date.dateText = choices->DateText();
  date.dateInk = signature_.ink;
  arts_.date = choices->Date() ? draw(date) : std::nullopt;
  view->update();
}

PlacedStamps SignWindow::SuggestedPlaces(const QList<Stamp::Kind>& kinds, const PlacedStamps& others) {
  PlacedStamps placed;
  const int page = std::max(1, view->Page());
  if (kinds.isEmpty() || page > inspection_.pageCount) return placed;
  const QSizeF pageMm = inspection_.pageSizesMm[page - 1];
  const auto sized = [&](Stamp::Kind kind, double widthMm) {
    const double width = std::min(widthMm, std::max(kMinStampWidthMm, pageMm.width() / 2));
    return QSizeF(width, width * arts_.HeightPerWidth(kind));
  };
  const QSizeF signatureSize = sized(Stamp::Kind::Signature, kDefaultSignatureWidthMm);
  const QSizeF sealSize = sized(Stamp::Kind::Seal, kDefaultSealWidthMm);
  const bool wantSignature = kinds.contains(Stamp::Kind::Signature);
  const bool wantSeal = kinds.contains(Stamp::Kind::Seal);
  std::optional<QRectF> signatureHere;  // a signature already on the page, as it stands here
  for (const PlacedStamp& other : others)
    if (other.kind == Stamp::Kind::Signature)
      signatureHere = StampBoxMm(PlaceOnPage(other, arts_.HeightPerWidth(other.kind), pageMm),
                                 arts_.HeightPerWidth(other.kind));
  StampSizesMm sizes;
  sizes.signature = signatureHere ? signatureHere->size() : wantSignature ? signatureSize : sealSize;
  if (wantSeal && (wantSignature || signatureHere)) sizes.seal = sealSize;
  if (const std::optional<DatePlace> date = choices->Date())
    sizes.date = DateBoxMm(QRectF(QPointF(), sizes.signature), arts_.HeightPerWidth(Stamp::Kind::Date), *date).size();
  const QImage picture = PagePicture(document_, page - 1, FittedPageSize(pageMm, kPlacingPicture));
  const StampPlaces places = SuggestStampPlaces(
      picture, pageMm, sizes,
      SigningLabelBoxesMm(document_, page - 1, pageMm, inspection_.pageRotations.value(page - 1)));
  const auto stamp = [&](Stamp::Kind kind, QPointF topLeft, QSizeF size) {
    return PlacedStamp{kind, page, KeptOnPage(topLeft, size, pageMm), size.width(), pageMm};
  };
  noRoomOnPage_ = places.roomFound ? 0 : page;
  if (wantSignature) placed << stamp(Stamp::Kind::Signature, places.signature, signatureSize);
  if (wantSeal) {
    QPointF topLeft = places.seal.value_or(places.signature);
    // Beside a signature already placed: where the seal would stand against it.
    if (signatureHere && !wantSignature && places.seal)
      topLeft += signatureHere->topLeft() - places.signature;
    placed << stamp(Stamp::Kind::Seal, topLeft, sealSize);
  }
  return placed;
}

void SignWindow::Toggle(Stamp::Kind kind, bool present) {
  if (path_.isEmpty() || (stamps.IndexOf(kind) >= 0) == present) return;
  PlacedStamps after = stamps.Stamps();
  if (present) {
    if (!arts_.For(kind)) {
      FollowStamps();  // nothing to put on the page: the box goes back
      return;
    }
    after << SuggestedPlaces({kind}, after);
    if (choices->cboPages->currentIndex() == SignChoices::kThisPage) choices->SetOnlyPage(view->Page());
  } else {
    after.removeAt(stamps.IndexOf(kind));
  }
  history.push(new SignStampCommand(stamps, stamps.Stamps(), after,
                                    (present ? QStringLiteral("加上") : QStringLiteral("去掉")) +
                                        StampKindName(kind)));
  remembered::RememberChoices(*choices);
}

void SignWindow::ToggleDate(bool on) {
  if (settingDate_ || restoring_ || path_.isEmpty()) return;
  const auto set = [this](bool value) {
    settingDate_ = true;
    choices->chkDate->setChecked(value);
    settingDate_ = false;
  };
  history.push(new SignToggleCommand(set, on, on ? QStringLiteral("加上日期") : QStringLiteral("去掉日期")));
}

void SignWindow::FollowStamps() {
  // The boxes say what is on the page, whichever way it got there (a key, an undo).
  bool turned = false;
  for (const auto& [box, kind] : {std::pair{choices->chkSignature, Stamp::Kind::Signature},
                                  std::pair{choices->chkSeal, Stamp::Kind::Seal}}) {
    if (path_.isEmpty() || box->isChecked() == (stamps.IndexOf(kind) >= 0)) continue;
    QSignalBlocker blocker(box);
    box->setChecked(!box->isChecked());
    turned = true;
  }
  if (turned) remembered::RememberChoices(*choices);
  FollowMarks();
  FollowPage();
}

void SignWindow::FollowMarks() {
  QList<bool> marks = stamps.Stamps().isEmpty() ? QList<bool>(stampPages_.size(), false) : stampPages_;
  for (int page = 0; page < std::min(marks.size(), seamPages_.size()); ++page) marks[page] |= seamPages_[page];
  pageList->SetMarks(marks);
}

void SignWindow::FollowChoices() {
  RedrawArts();
  view->SetDate(choices->Date());
  view->SetSealMultiplies(choices->SealBlend() == InkBlend::Multiply);
  FollowPlaces();
}

void SignWindow::FollowPlaces() {
  const int count = inspection_.pageCount;
  stampPages_.fill(false, count);
  seamPages_.fill(false, count);
  if (choices->PagesProblem().isEmpty()) {
    try {
      for (const int page : ResolvePages(choices->Pages(), count)) stampPages_[page - 1] = true;
    } catch (const Failure&) {
    }
  }
  if (choices->SeamWanted() && arts_.seam && choices->SeamPagesProblem().isEmpty()) {
    try {
      const SeamStamp seam = choices->Seam({});
      for (const SeamSlice& slice : PlanSeamSlices(SeamPages(seam, count), seam.maxSlices))
        seamPages_[slice.page - 1] = true;
    } catch (const Failure&) {
    }
  }
  FollowMarks();
  FollowPage();
  if (!restoring_) remembered::RememberChoices(*choices);
}

SignPageView::Showing SignWindow::ShowingOf(const PlacedStamp&) const {
  // A list being typed wrong shows no stamps at all: faint ones would look like a valid choice.
  if (!choices->PagesProblem().isEmpty()) return SignPageView::Showing::Hidden;
  return stampPages_.value(view->Page() - 1) ? SignPageView::Showing::OnPage : SignPageView::Showing::Faint;
}

void SignWindow::FollowPage() {
  view->SetShowing([this](const PlacedStamp& stamp) { return ShowingOf(stamp); });
  view->SetSeam(SeamOnPage(view->Page()));
  QStringList pulled;
  for (const PlacedStamp& stamp : stamps.Stamps()) {
    bool pulledInside = false;
    PlaceOnPage(stamp, arts_.HeightPerWidth(stamp.kind), view->PageMm(), &pulledInside);
    if (pulledInside && ShowingOf(stamp) == SignPageView::Showing::OnPage) pulled << StampKindName(stamp.kind);
  }
  QStringList notes;
  if (!pulled.isEmpty())
    notes << QStringLiteral("这一页的大小或方向不同：%1按原位置会超出页面，已移到页内，保存时也放在这里。")
                 .arg(pulled.join(QStringLiteral("和")));
  // Until the user moves them, stamps that found no white space say they may cover text.
  if (noRoomOnPage_ == view->Page() && history.index() == 0 && !stamps.Stamps().isEmpty())
    notes << QStringLiteral("这一页没有足够的空白，签名和印章可能盖住了文字，请拖到合适的位置。");
  lblNote->setText(notes.join(QStringLiteral("\n")));
  lblNote->setVisible(!notes.isEmpty());
}

void SignWindow::FollowZoom() {
  lblZoom->setText(QStringLiteral("%1 %").arg(qRound(view->Zoom() * 100)));
  if (restoring_) return;
  switch (view->FitMode()) {
    case SignPageView::Fit::Page: remembered::RememberZoom(std::nullopt); break;
    case SignPageView::Fit::Width: remembered::RememberZoom(0); break;
    case SignPageView::Fit::None: remembered::RememberZoom(view->Zoom()); break;
  }
}

std::optional<SignPageView::SeamPreview> SignWindow::SeamOnPage(int page) const {
  if (!choices->SeamWanted() || !arts_.seam || inspection_.pageCount < 1 ||
      !choices->SeamPagesProblem().isEmpty())
    return std::nullopt;
  try {
    const SeamStamp seam = choices->Seam({});
    for (const SeamSlice& slice : PlanSeamSlices(SeamPages(seam, inspection_.pageCount), seam.maxSlices))
      if (slice.page == page) return SignPageView::SeamPreview{slice, seam.widthMm, seam.topMm};
  } catch (const Failure&) {
  }
  return std::nullopt;
}

// --- saving --------------------------------------------------------------------------------

void SignWindow::AddToPlan(const PlacedStamp& placed, SigningPlan& plan, const QList<int>& pages) const {
  const double heightPerWidth = arts_.HeightPerWidth(placed.kind);
  // Pages of another size get the stamp at their own place for it: one stamp per size.
  QMap<std::pair<double, double>, QList<int>> bySize;
  for (const int page : pages) {
    const QSizeF size = inspection_.pageSizesMm.value(page - 1);
    bySize[{size.width(), size.height()}] << page;
  }
  const bool oneSize = bySize.size() <= 1 &&
                       (bySize.isEmpty() || placed.pageMm.isEmpty() ||
                        QSizeF(bySize.firstKey().first, bySize.firstKey().second) == placed.pageMm);
  QList<std::pair<PageSelection, PlacedStamp>> groups;
  if (oneSize) {
    groups.append({choices->Pages(), placed});
  } else {
    for (auto group = bySize.cbegin(); group != bySize.cend(); ++group)
      groups.append({AsRuns(group.value()),
                     PlaceOnPage(placed, heightPerWidth, QSizeF(group.key().first, group.key().second))});
  }
  for (const auto& [selection, here] : groups) {
    Stamp stamp{here.kind};
    stamp.request = here.kind == Stamp::Kind::Seal ? SealRequest(choices->SealStyle()) : signature_;
    stamp.pages = selection;
    stamp.topLeftMm = here.topLeftMm;
    stamp.widthMm = here.widthMm;
    stamp.blend = here.kind == Stamp::Kind::Seal ? choices->SealBlend() : InkBlend::Normal;
    plan.stamps.push_back(stamp);
    if (here.kind != Stamp::Kind::Signature || !choices->Date()) continue;
    const QRectF box = DateBoxMm(StampBoxMm(here, heightPerWidth), arts_.HeightPerWidth(Stamp::Kind::Date),
                                 *choices->Date());
    Stamp date{Stamp::Kind::Date};
    date.dateText = choices->DateText();
    date.dateInk = signature_.ink;
    date.pages = stamp.pages;
    date.topLeftMm = box.topLeft();
    date.widthMm = box.width();
    plan.stamps.push_back(date);
  }
}

SigningPlan SignWindow::Plan() const {
  SigningPlan plan;
  plan.documentPath = path_;
  plan.password = password_;
  const PageSelection selection = choices->Pages();
  QList<int> pages;
  try {
    pages = ResolvePages(selection, inspection_.pageCount);
  } catch (const Failure&) {
    // Said when saving, in the page rule's words; the plan keeps the list as it was written.
  }
  for (const PlacedStamp& placed : stamps.Stamps()) AddToPlan(placed, plan, pages);
  if (choices->SeamWanted()) plan.seam = choices->Seam(SealRequest(choices->SeamStyle()));
  return plan;
}

QStringList SignWindow::StampsOffTheirPages(const SigningPlan& plan) const {
  QStringList off;
  for (const Stamp& stamp : plan.stamps) {
    const double heightPerWidth = arts_.HeightPerWidth(stamp.kind);
    const QRectF box(stamp.topLeftMm, QSizeF(stamp.widthMm, stamp.widthMm * heightPerWidth));
    QList<int> pages;
    for (const int page : ResolvePages(stamp.pages, inspection_.pageCount))
      if (!QRectF(QPointF(0, 0), inspection_.pageSizesMm[page - 1]).adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(box))
        pages << page;
    if (!pages.isEmpty())
      off << QStringLiteral("%1超出了第 %2 页").arg(StampKindName(stamp.kind), PageNumbers(pages));
  }
  if (plan.seam) SeamPages(*plan.seam, inspection_.pageCount);  // its page numbers are in range
  return off;
}

bool SignWindow::Save() {
  // The window stays live while a save runs (its progress shows only after a moment): a second
  // press of Ctrl+S meanwhile starts nothing.
  if (path_.isEmpty() || saving_) return false;
  saving_ = true;
  const auto done = qScopeGuard([this] { saving_ = false; });
  SigningPlan plan = Plan();
  if (plan.stamps.empty() && !plan.seam) {
    messages_.Show(QStringLiteral("页面上还没有签名、印章或骑缝章，没有可以保存的签署。"), kMbExclamation);
    return false;
  }
  if (const QStringList off = StampsOffTheirPages(plan); !off.isEmpty()) {
    if (!messages_.Ask(off.join(QStringLiteral("；")) +
                       QStringLiteral("的边界，超出的部分不会显示。\n仍要保存吗？")))
      return false;
  }
  if (!certificate->AddTo(plan)) return false;
  QString proposed = DefaultSignedPath(path_);
  if (const QString folder = remembered::SaveFolder(); !folder.isEmpty())
    proposed = QDir(folder).filePath(QFileInfo(proposed).fileName());
  const auto chosen = AskForExportFile(this, QStringLiteral("保存签署后的文档"),
                                       {{QStringLiteral("PDF 文档 (*.pdf)"), QStringLiteral("pdf")}},
                                       saveDialog_, messages_, proposed);
  if (!chosen) return false;
  plan.outputPath = chosen->first;
  const StampArts arts = DrawStampArts(plan, tools_);
  for (;;) {
    const SigningResult result = SignWithProgress(this, plan, arts);
    switch (result.outcome) {
      case SigningResult::Outcome::Written: {
        history.setClean();
        remembered::RememberSaved(result.writtenPath);
        // Written over the document shown: show the pages as they are now, stamps and all.
        if (QFileInfo(result.writtenPath).canonicalFilePath() == QFileInfo(path_).canonicalFilePath())
          ReloadPages();
        QString text = QStringLiteral("签署完毕！") + "\r\n" + result.writtenPath;
        // The file just written, checked as a reader will check it.
        if (plan.certificate || inspection_.holdsDigitalSignatures)
          if (const QString verdict = SavedVerdict(CheckDocumentSignatures(result.writtenPath, plan.password),
                                                   result.signatureField);
              !verdict.isEmpty())
            text += "\r\n\r\n" + verdict;
        if (!result.warnings.isEmpty()) text += "\r\n\r\n" + result.warnings.join("\r\n");
        messages_.Show(text, kMbInformation);
        return true;
      }
      case SigningResult::Outcome::NeedsPassword:
      case SigningResult::Outcome::WrongPassword: {
        const std::optional<QString> given =
            askPassword(QStringLiteral("《%1》需要密码，请输入：").arg(QFileInfo(path_).fileName()));
        if (!given) return false;
        plan.password = password_ = *given;
        continue;
      }
      case SigningResult::Outcome::Cancelled:
        messages_.Show(QStringLiteral("签署已取消，没有写出文件。"), kMbInformation);
        return false;
      case SigningResult::Outcome::HoldsSignatures:  // signed documents are appended to, never asked
      case SigningResult::Outcome::Failed:
        messages_.Show(result.failure, kMbExclamation);
        return false;
    }
  }
}

}  // namespace yz
