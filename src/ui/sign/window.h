// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPdfDocument>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "seams/message_box.h"
#include "seams/open_dialog.h"
#include "seams/save_dialog.h"
#include "sign/document_inspection.h"
#include "sign/sign_document.h"
#include "ui/sign/art_set.h"
#include "ui/sign/certificate_choice.h"
#include "ui/sign/choices.h"
#include "ui/sign/page_list.h"
#include "ui/sign/page_view.h"
#include "ui/sign/signatures_panel.h"
#include "ui/sign/stamp_list.h"

class QSessionManager;

namespace yz {

// Asks for a document to sign in the open dialog, starting in the folder of the last one;
// empty when the user cancelled.
QString AskForDocumentToSign(OpenDialog& dialog, QWidget* owner);

// 签署 PDF 文档: one document's pages, the window's signature and seal placed on them as
// stamps, the choices of pages, date and 骑缝章, and saving a signed copy. Saving builds the
// same plan the renderer builds from its options and hands it to the signing code, so that
// what the window shows and what is written cannot differ. Stamps placed and not yet saved are
// never thrown away without a question, however the window or the program is closed.
class SignWindow : public QDialog {
  Q_OBJECT
 public:
  // Asks for a password with `prompt`; nothing when the user gave up.
  using AskPassword = std::function<std::optional<QString>(const QString& prompt)>;

  SignWindow(const StampTools& tools, const QStringList& styleNames, MessageBox& messages,
             SaveDialog& saveDialog, OpenDialog& openDialog, QWidget* parent = nullptr);

  // The signature as the main window draws it; its background is never put on a page.
  void SetSignature(const DrawingRequest& request);
  // Opens a document: asks for its password if it has one, lists the digital signatures it
  // holds, and says why one cannot be signed. False when nothing was opened.
  bool Open(const QString& path);
  // Shows page `page` (from 1) large.
  void ShowPage(int page);
  // 保存签署后的文档…: asks for the new file and signs into it. True when it was written.
  bool Save();

  // Stamps placed or changed since the document was opened or last saved.
  bool HasUnsavedStamps() const;
  // Asks 保存 / 不保存 / 取消 when there are unsaved stamps: true when closing may go on (saved,
  // or the user chose not to save), false to keep everything as it is.
  bool MayClose();

  // What saving now would sign. Throws Failure for a choice that cannot be read.
  SigningPlan Plan() const;

  int PageCount() const { return inspection_.pageCount; }
  const QString& DocumentPath() const { return path_; }
  // The note under the page when a stamp had to be pulled inside this page, or its first places
  // found no white space; empty otherwise.
  QString PageNote() const { return lblNote->isVisible() ? lblNote->text() : QString(); }

  AskPassword askPassword;  // QInputDialog in password mode; tests answer for the user
  SignStampList stamps;
  QUndoStack history;
  SignPageList* pageList;
  SignPageView* view;
  SignPageScroller* scroller;
  SignChoices* choices;
  SignCertificateChoice* certificate;
  SignaturesPanel* signatures;
  QSpinBox* spnPage;
  QLabel* lblPageCount;
  QLabel* lblZoom;
  QLabel* lblNote;
  QPushButton* btnRecent;
  QAction* undo;
  QAction* redo;
  QAction* save;
  QAction* zoomIn;
  QAction* zoomOut;
  QAction* fitWidth;
  QAction* fitPage;
  QPushButton* btnSave;
  QPushButton* btnClose;

 public slots:
  // Esc, 关闭 and the title bar's close button all come here.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  QLayout* CreatePageBar();
  void ConnectEvents();
  // The stamps' pictures for the current choices; a stamp that cannot be drawn says so once.
  void RedrawArts();
  void FollowChoices();
  // The pages the stamps and the 骑缝章 go on, as the choices say now.
  void FollowPlaces();
  // What depends on the page on screen: faint or hidden stamps, the 骑缝章's slice, the note.
  void FollowPage();
  void FollowZoom();
  // The document read again after it was signed in place.
  void ReloadPages();
  void FollowStamps();
  // The thumbnails' marks: pages that get a stamp or a slice of the 骑缝章.
  void FollowMarks();
  void FillRecent();
  void OpenAnother(const QString& path);
  SignPageView::Showing ShowingOf(const PlacedStamp& stamp) const;
  std::optional<SignPageView::SeamPreview> SeamOnPage(int page) const;
  // Where the stamps of `kinds` start on the page on screen, beside those already there.
  PlacedStamps SuggestedPlaces(const QList<Stamp::Kind>& kinds, const PlacedStamps& others);
  void Toggle(Stamp::Kind kind, bool present);
  void ToggleDate(bool on);
  DrawingRequest SealRequest(int style) const;
  // The stamps of the plan for one placed stamp: one per size of page it goes on.
  void AddToPlan(const PlacedStamp& placed, SigningPlan& plan, const QList<int>& pages) const;
  // Pages out of range throw Failure; stamps reaching off their pages are listed.
  QStringList StampsOffTheirPages(const SigningPlan& plan) const;
  std::optional<QString> Password(const QString& prompt) const;
  void Handle(const std::function<void()>& step);
  void CommitData(QSessionManager& manager);

  const StampTools tools_;
  const QStringList styleNames_;
  MessageBox& messages_;
  SaveDialog& saveDialog_;
  OpenDialog& openDialog_;
  DrawingRequest signature_;
  QString path_;
  QString password_;
  bool saving_ = false;
  bool settingDate_ = false;
  bool restoring_ = false;
  DocumentInspection inspection_;
  QPdfDocument document_;
  SignArtSet arts_;
  QString artFailureShown_;
  QList<bool> stampPages_;  // by page from 0: whether the stamps go on it
  QList<bool> seamPages_;
  int noRoomOnPage_ = 0;  // the page whose proposed places found no white space, or 0   // by page from 0: whether it gets a slice of the 骑缝章
};

}  // namespace yz
