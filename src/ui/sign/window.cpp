// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/style_rules.h"
#include "output/export_signature.h"
#include "render/picked_style.h"
#include "seams/failure.h"
#include "sign/seam_slices.h"
#include "ui/sign/progress.h"
#include "ui/sign/stamp_command.h"

namespace yz {

namespace {

constexpr double kEdgeMm = 20;  // a default place keeps this far from the page's edges
constexpr int kPagesNamed = 5;  // in a warning, before "等"

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

QString KindName(Stamp::Kind kind) {
  switch (kind) {
    case Stamp::Kind::Seal: return QStringLiteral("印章");
    case Stamp::Kind::Date: return QStringLiteral("日期");
    case Stamp::Kind::Signature: break;
  }
  return QStringLiteral("签名");
}

}  // namespace

SignWindow::SignWindow(const StampTools& tools, const QStringList& styleNames,
                       MessageBox& messages, SaveDialog& saveDialog, QWidget* parent)
    : QDialog(parent),
      tools_(tools),
      styleNames_(styleNames),
      messages_(messages),
      saveDialog_(saveDialog) {
  setWindowTitle(QStringLiteral("签署 PDF 文档"));
  askPassword = [this](const QString& prompt) { return Password(prompt); };
  CreateControls();
  ConnectEvents();
  // Large for a page, but never beyond a small screen.
  QSize size(1100, 760);
  if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableGeometry().size() * 0.95);
  resize(size);
}

void SignWindow::CreateControls() {
  pageList = new SignPageList(this);
  view = new SignPageView(stamps, history, arts_, this);
  choices = new SignChoices(SealStyles(styleNames_), this);
  choices->setFixedWidth(250);

  undo = history.createUndoAction(this, QStringLiteral("撤销"));
  undo->setShortcut(QKeySequence::Undo);
  redo = history.createRedoAction(this, QStringLiteral("重做"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  save = new QAction(QStringLiteral("保存签署后的文档…"), this);
  save->setShortcut(QKeySequence::Save);
  for (QAction* action : {undo, redo, save}) addAction(action);

  auto* buttons = new QHBoxLayout;
  for (QAction* action : {undo, redo}) {
    auto* button = new QPushButton(action->text().section(' ', 0, 0));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    button->setEnabled(action->isEnabled());
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  btnSave = new QPushButton(save->text());
  btnSave->setAutoDefault(false);
  auto* btnClose = new QPushButton(QStringLiteral("关闭"));
  btnClose->setAutoDefault(false);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
  buttons->addWidget(btnSave);
  buttons->addWidget(btnClose);

  auto* side = new QVBoxLayout;
  side->addWidget(choices, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(pageList);
  top->addWidget(view, 1);
  top->addLayout(side);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top, 1);
  outer->addLayout(buttons);
}

void SignWindow::ConnectEvents() {
  connect(save, &QAction::triggered, this, [this] { Handle([this] { Save(); }); });
  connect(btnSave, &QPushButton::clicked, save, &QAction::trigger);
  connect(pageList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row + 1 != view->Page()) ShowPage(row + 1);
  });
  connect(view, &SignPageView::PageStep, this, [this](int step) { ShowPage(view->Page() + step); });
  connect(&stamps, &SignStampList::Changed, this, &SignWindow::FollowStamps);
  connect(choices, &SignChoices::Changed, this, &SignWindow::FollowChoices);
  connect(choices->chkSignature, &QCheckBox::toggled, this,
          [this](bool on) { Toggle(Stamp::Kind::Signature, on); });
  connect(choices->chkSeal, &QCheckBox::toggled, this, [this](bool on) { Toggle(Stamp::Kind::Seal, on); });
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
  artFailureShown_.clear();
  RedrawArts();
}

DrawingRequest SignWindow::SealRequest(int style) const {
  DrawingRequest seal = AsPicked(signature_, style, styleNames_.value(style));
  seal.background.reset();
  return seal;
}

// --- opening -------------------------------------------------------------------------------

std::optional<QString> SignWindow::Password(const QString& prompt) const {
  bool ok = false;
  const QString text = QInputDialog::getText(const_cast<SignWindow*>(this), QStringLiteral("需要密码"),
                                             prompt, QLineEdit::Password, QString(), &ok);
  if (!ok) return std::nullopt;
  return text;
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
  bool goOn = false;
  if (inspection.holdsDigitalSignatures) {
    if (!messages_.Ask(QStringLiteral("《%1》带有数字签名。签署后会写出一个新文件，其中原有的数字签名"
                                      "将失效（不再能证明文档未被改动）。\n仍要签署吗？")
                           .arg(name)))
      return false;
    goOn = true;
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
  goOnDespiteSignatures_ = goOn;
  inspection_ = inspection;
  setWindowTitle(QStringLiteral("签署 PDF 文档 - %1").arg(name));

  history.clear();
  pageList->ShowDocument(&document_, inspection_.pageSizesMm);
  view->Select(-1);
  ShowPage(1);
  view->setFocus();  // Page Down, Delete and the wheel work at once
  PlacedStamps placed;
  if (choices->chkSignature->isChecked() && arts_.signature)
    placed.append(DefaultPlace(Stamp::Kind::Signature, placed));
  if (choices->chkSeal->isChecked() && arts_.seal) placed.append(DefaultPlace(Stamp::Kind::Seal, placed));
  stamps.Set(placed);
  FollowStamps();
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
  pageList->ShowDocument(&document_, inspection_.pageSizesMm);
  ShowPage(std::clamp(page, 1, inspection_.pageCount));
}

void SignWindow::ShowPage(int page) {
  if (page < 1 || page > inspection_.pageCount) return;
  view->ShowPage(&document_, page, inspection_.pageSizesMm[page - 1]);
  if (pageList->currentRow() != page - 1) pageList->setCurrentRow(page - 1);
  FollowChoices();
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

PlacedStamp SignWindow::DefaultPlace(Stamp::Kind kind, const PlacedStamps& others) const {
  const int page = std::max(1, view->Page());
  const QSizeF pageMm = inspection_.pageSizesMm.value(page - 1, QSizeF(210, 297));
  PlacedStamp stamp{kind, page, {}, kind == Stamp::Kind::Seal ? kDefaultSealWidthMm
                                                                : kDefaultSignatureWidthMm};
  stamp.widthMm = std::min(stamp.widthMm, std::max(kMinStampWidthMm, pageMm.width() / 2));
  const double height = stamp.widthMm * arts_.HeightPerWidth(kind);
  // Where a signature usually goes: low on the right.
  QPointF topLeft(pageMm.width() * 0.55, pageMm.height() * 0.72);
  const auto signature = std::find_if(others.begin(), others.end(), [](const PlacedStamp& other) {
    return other.kind == Stamp::Kind::Signature;
  });
  if (kind == Stamp::Kind::Seal && signature != others.end() && signature->page == page) {
    // Just over the signature's end, as a seal is pressed beside a signed name, clear of the
    // date under the name.
    const QRectF box = StampBoxMm(*signature, arts_.HeightPerWidth(Stamp::Kind::Signature));
    topLeft = QPointF(box.right() - stamp.widthMm / 4, box.center().y() - height / 2);
  }
  stamp.topLeftMm = QPointF(
      std::clamp(topLeft.x(), 0.0, std::max(0.0, pageMm.width() - kEdgeMm - stamp.widthMm)),
      std::clamp(topLeft.y(), 0.0, std::max(0.0, pageMm.height() - kEdgeMm - height)));
  return stamp;
}

void SignWindow::Toggle(Stamp::Kind kind, bool present) {
  if (path_.isEmpty() || (stamps.IndexOf(kind) >= 0) == present) return;
  PlacedStamps after = stamps.Stamps();
  if (present) {
    if (!arts_.For(kind)) {
      FollowStamps();  // nothing to put on the page: the box goes back
      return;
    }
    after.append(DefaultPlace(kind, after));
  } else {
    after.removeAt(stamps.IndexOf(kind));
  }
  history.push(new SignStampCommand(stamps, stamps.Stamps(), after,
                                    (present ? QStringLiteral("加上") : QStringLiteral("去掉")) +
                                        KindName(kind)));
}

void SignWindow::FollowStamps() {
  // The boxes say what is on the page, whichever way it got there (a key, an undo).
  for (const auto& [box, kind] : {std::pair{choices->chkSignature, Stamp::Kind::Signature},
                                  std::pair{choices->chkSeal, Stamp::Kind::Seal}}) {
    if (path_.isEmpty()) continue;
    QSignalBlocker blocker(box);
    box->setChecked(stamps.IndexOf(kind) >= 0);
  }
  view->update();
}

void SignWindow::FollowChoices() {
  RedrawArts();
  view->SetOnPage([this](const PlacedStamp& stamp) { return OnThisPage(stamp); });
  view->SetDate(choices->Date());
  view->SetSealMultiplies(choices->SealBlend() == InkBlend::Multiply);
  view->SetSeam(SeamOnThisPage());
}

bool SignWindow::OnThisPage(const PlacedStamp& stamp) const {
  try {
    return ResolvePages(choices->PagesFor(stamp.page), inspection_.pageCount).contains(view->Page());
  } catch (const Failure&) {
    return true;  // a list still being typed: nothing is faint until it can be read
  }
}

std::optional<SignPageView::SeamPreview> SignWindow::SeamOnThisPage() const {
  if (!choices->SeamWanted() || !arts_.seam || inspection_.pageCount < 1) return std::nullopt;
  try {
    const SeamStamp seam = choices->Seam({});
    for (const SeamSlice& slice : PlanSeamSlices(SeamPages(seam, inspection_.pageCount), seam.maxSlices))
      if (slice.page == view->Page()) return SignPageView::SeamPreview{slice, seam.widthMm, seam.topMm};
  } catch (const Failure&) {
  }
  return std::nullopt;
}

// --- saving --------------------------------------------------------------------------------

SigningPlan SignWindow::Plan() const {
  SigningPlan plan;
  plan.documentPath = path_;
  plan.password = password_;
  plan.goOnDespiteSignatures = goOnDespiteSignatures_;
  for (const PlacedStamp& placed : stamps.Stamps()) {
    Stamp stamp{placed.kind};
    stamp.request = placed.kind == Stamp::Kind::Seal ? SealRequest(choices->SealStyle()) : signature_;
    stamp.pages = choices->PagesFor(placed.page);
    stamp.topLeftMm = placed.topLeftMm;
    stamp.widthMm = placed.widthMm;
    stamp.blend = placed.kind == Stamp::Kind::Seal ? choices->SealBlend() : InkBlend::Normal;
    plan.stamps.push_back(stamp);
    if (placed.kind != Stamp::Kind::Signature || !choices->Date()) continue;
    const QRectF box = DateBoxMm(StampBoxMm(placed, arts_.HeightPerWidth(Stamp::Kind::Signature)),
                                 arts_.HeightPerWidth(Stamp::Kind::Date), *choices->Date());
    Stamp date{Stamp::Kind::Date};
    date.dateText = choices->DateText();
    date.dateInk = signature_.ink;
    date.pages = stamp.pages;
    date.topLeftMm = box.topLeft();
    date.widthMm = box.width();
    plan.stamps.push_back(date);
  }
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
      if (!QRectF(QPointF(0, 0), inspection_.pageSizesMm[page - 1]).contains(box)) pages << page;
    if (!pages.isEmpty())
      off << QStringLiteral("%1超出了第 %2 页").arg(KindName(stamp.kind), PageNumbers(pages));
  }
  if (plan.seam) SeamPages(*plan.seam, inspection_.pageCount);  // its page numbers are in range
  return off;
}

void SignWindow::Save() {
  // The window stays live while a save runs (its progress shows only after a moment): a second
  // press of Ctrl+S meanwhile starts nothing.
  if (path_.isEmpty() || saving_) return;
  saving_ = true;
  const auto done = qScopeGuard([this] { saving_ = false; });
  SigningPlan plan = Plan();
  if (plan.stamps.empty() && !plan.seam) {
    messages_.Show(QStringLiteral("页面上还没有签名、印章或骑缝章，没有可以保存的签署。"), kMbExclamation);
    return;
  }
  if (const QStringList off = StampsOffTheirPages(plan); !off.isEmpty()) {
    if (!messages_.Ask(off.join(QStringLiteral("；")) +
                       QStringLiteral("的边界，超出的部分不会显示。\n仍要保存吗？")))
      return;
  }
  const auto chosen = AskForExportFile(this, QStringLiteral("保存签署后的文档"),
                                       {{QStringLiteral("PDF 文档 (*.pdf)"), QStringLiteral("pdf")}},
                                       saveDialog_, messages_, DefaultSignedPath(path_));
  if (!chosen) return;
  plan.outputPath = chosen->first;
  const StampArts arts = DrawStampArts(plan, tools_);
  for (;;) {
    const SigningResult result = SignWithProgress(this, plan, arts);
    switch (result.outcome) {
      case SigningResult::Outcome::Written: {
        // Written over the document shown: show the pages as they are now, stamps and all.
        if (QFileInfo(result.writtenPath).canonicalFilePath() == QFileInfo(path_).canonicalFilePath())
          ReloadPages();
        QString text = QStringLiteral("签署完毕！") + "\r\n" + result.writtenPath;
        if (!result.warnings.isEmpty()) text += "\r\n\r\n" + result.warnings.join("\r\n");
        messages_.Show(text, kMbInformation);
        return;
      }
      case SigningResult::Outcome::HoldsSignatures:
        if (!messages_.Ask(QStringLiteral("这个文档带有数字签名，签署后它们将失效。\n仍要签署吗？")))
          return;
        plan.goOnDespiteSignatures = goOnDespiteSignatures_ = true;
        continue;
      case SigningResult::Outcome::NeedsPassword:
      case SigningResult::Outcome::WrongPassword: {
        const std::optional<QString> given =
            askPassword(QStringLiteral("《%1》需要密码，请输入：").arg(QFileInfo(path_).fileName()));
        if (!given) return;
        plan.password = password_ = *given;
        continue;
      }
      case SigningResult::Outcome::Cancelled:
        messages_.Show(QStringLiteral("签署已取消，没有写出文件。"), kMbInformation);
        return;
      case SigningResult::Outcome::Failed:
        messages_.Show(result.failure, kMbExclamation);
        return;
    }
  }
}

}  // namespace yz
