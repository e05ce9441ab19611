// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAction>
#include <QDialog>
#include <QPdfDocument>
#include <QPushButton>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "seams/message_box.h"
#include "seams/save_dialog.h"
#include "sign/document_inspection.h"
#include "sign/sign_document.h"
#include "ui/sign/art_set.h"
#include "ui/sign/choices.h"
#include "ui/sign/page_list.h"
#include "ui/sign/page_view.h"
#include "ui/sign/stamp_list.h"

namespace yz {

// 签署 PDF 文档: one document's pages, the window's signature and seal placed on them as
// stamps, the choices of pages, date and 骑缝章, and saving a signed copy. Saving builds the
// same plan the renderer builds from its options and hands it to the signing code, so that
// what the window shows and what is written cannot differ.
class SignWindow : public QDialog {
  Q_OBJECT
 public:
  // Asks for a password with `prompt`; nothing when the user gave up.
  using AskPassword = std::function<std::optional<QString>(const QString& prompt)>;

  SignWindow(const StampTools& tools, const QStringList& styleNames, MessageBox& messages,
             SaveDialog& saveDialog, QWidget* parent = nullptr);

  // The signature as the main window draws it; its background is never put on a page.
  void SetSignature(const DrawingRequest& request);
  // Opens a document: asks for its password if it has one, asks before going on with one that
  // holds digital signatures, and says why one cannot be signed. False when nothing was opened.
  bool Open(const QString& path);
  // Shows page `page` (from 1) large.
  void ShowPage(int page);
  // 保存签署后的文档…: asks for the new file and signs into it.
  void Save();

  // What saving now would sign. Throws Failure for a choice that cannot be read.
  SigningPlan Plan() const;

  int PageCount() const { return inspection_.pageCount; }
  const QString& DocumentPath() const { return path_; }

  AskPassword askPassword;  // QInputDialog in password mode; tests answer for the user
  SignStampList stamps;
  QUndoStack history;
  SignPageList* pageList;
  SignPageView* view;
  SignChoices* choices;
  QAction* undo;
  QAction* redo;
  QAction* save;
  QPushButton* btnSave;

 private:
  void CreateControls();
  void ConnectEvents();
  // The stamps' pictures for the current choices; a stamp that cannot be drawn says so once.
  void RedrawArts();
  void FollowChoices();
  // The document read again after it was signed in place.
  void ReloadPages();
  void FollowStamps();
  bool OnThisPage(const PlacedStamp& stamp) const;
  std::optional<SignPageView::SeamPreview> SeamOnThisPage() const;
  // Where a new stamp goes on the page shown, beside the stamps already there.
  PlacedStamp DefaultPlace(Stamp::Kind kind, const PlacedStamps& others) const;
  void Toggle(Stamp::Kind kind, bool present);
  DrawingRequest SealRequest(int style) const;
  // Pages out of range throw Failure; stamps reaching off their pages are listed.
  QStringList StampsOffTheirPages(const SigningPlan& plan) const;
  std::optional<QString> Password(const QString& prompt) const;
  void Handle(const std::function<void()>& step);

  const StampTools tools_;
  const QStringList styleNames_;
  MessageBox& messages_;
  SaveDialog& saveDialog_;
  DrawingRequest signature_;
  QString path_;
  QString password_;
  bool goOnDespiteSignatures_ = false;
  bool saving_ = false;
  DocumentInspection inspection_;
  QPdfDocument document_;
  SignArtSet arts_;
  QString artFailureShown_;
};

}  // namespace yz
