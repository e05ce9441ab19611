// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

#include "output/qt_color_dialog.h"
#include "output/qt_save_dialog.h"
#include "ui/qt_message_box.h"
#include "ui/qt_translations.h"

using namespace yz;

namespace {

// The captions of the buttons on the dialog that `open` shows, read while it is up; the dialog
// is then closed by Escape.
QStringList ButtonsOf(const std::function<void()>& open) {
  QStringList captions;
  QTimer::singleShot(0, [&captions] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    for (const QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>()) {
      for (const QAbstractButton* button : box->buttons()) captions << button->text();
    }
    dialog->close();
  });
  open();
  return captions;
}

// A caption in Chinese: Han characters, and no Latin letters but a mnemonic's "(&S)".
bool IsChinese(QString caption) {
  caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)"))).remove('&');
  return caption.contains(QRegularExpression(QStringLiteral("\\p{Han}"))) &&
         !caption.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
}

}  // namespace

TEST(QtTranslations, QtsOwnDialogsSpeakChineseWhateverTheLocale) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ASSERT_TRUE(InstallChineseQtTranslations(*qApp)) << "qt6-translations-l10n is not installed";

  QtSaveDialog saveDialog;
  QtMessageBox messages;
  QtColorDialog colorDialog;
  const QStringList save = ButtonsOf([&] {
    saveDialog.GetSaveFileName(nullptr, QStringLiteral("保存签名"),
                               {QStringLiteral("PNG 图片 (*.png)")}, 1);
  });
  const QStringList message =
      ButtonsOf([&] { messages.Show(QStringLiteral("好"), kMbInformation, QString()); });
  const QStringList colour = ButtonsOf([&] { colorDialog.ChooseColor(ColorDialog::Request{}); });

  for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  QLocale::setDefault(before);

  for (const QStringList& captions : {save, message, colour}) {
    ASSERT_FALSE(captions.isEmpty());
    for (const QString& caption : captions) EXPECT_TRUE(IsChinese(caption)) << caption.toStdString();
  }
}
