// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the window exactly as the program does, then checks every text its controls draw (and
// a message box's): each character must come out of a face that has its glyph, never as the
// empty box of a face that lacks it. Prints the faces each kind of control drew in; exit status
// 1 when a character came out as a box. Run it beside the installed program, on a display.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QRawFont>
#include <QTextLayout>
#include <QTextStream>
#include <QTimer>
#include <QToolTip>

#include "seams/message_box.h"
#include "ui/start_up.h"

namespace {

struct DrawnText {
  QString control;
  QFont font;
  QString text;
};

QList<DrawnText> TextsOf(QWidget* widget) {
  const QString control = QString::fromLatin1(widget->metaObject()->className());
  QList<DrawnText> texts;
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    for (int i = 0; i < combo->count(); ++i) texts.append({control, combo->font(), combo->itemText(i)});
  }
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    texts.append({control, edit->font(), edit->text() + edit->placeholderText()});
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    texts.append({control, button->font(), button->text()});
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) texts.append({control, label->font(), label->text()});
  if (!widget->toolTip().isEmpty()) texts.append({control + " tooltip", QToolTip::font(), widget->toolTip()});
  return texts;
}

// Each character laid out on its own: the faces it is drawn in, or nothing when it is a box.
QStringList FacesOf(const QFont& font, const QString& character) {
  QTextLayout layout(character, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  QStringList faces;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    for (const quint32 glyph : run.glyphIndexes()) {
      if (glyph == 0) return {};  // .notdef: the box
    }
    faces << run.rawFont().familyName();
  }
  return faces;
}

int CheckTexts(const QList<DrawnText>& texts) {
  QTextStream out(stdout);
  QMap<QString, QStringList> facesByControl;
  QMap<QString, int> charactersByControl;
  int boxes = 0;
  for (const DrawnText& drawn : texts) {
    const QString key = drawn.control + " (" + drawn.font.family() + ")";
    for (const uint ucs4 : drawn.text.toUcs4()) {
      if (ucs4 <= 0x20) continue;
      const QString character = QString::fromUcs4(reinterpret_cast<const char32_t*>(&ucs4), 1);
      const QStringList faces = FacesOf(drawn.font, character);
      if (faces.isEmpty()) {
        out << "BOX: " << key << " draws " << character << " (U+" << QString::number(ucs4, 16).toUpper()
            << ") of \"" << drawn.text << "\" as a box\n";
        ++boxes;
      }
      for (const QString& face : faces) {
        if (!facesByControl[key].contains(face)) facesByControl[key] << face;
      }
      ++charactersByControl[key];
    }
  }
  for (auto it = charactersByControl.cbegin(); it != charactersByControl.cend(); ++it) {
    out << it.key() << ": " << it.value() << " characters in " << facesByControl[it.key()].join(", ") << "\n";
  }
  out << (boxes ? "some characters are boxes\n" : "no boxes\n");
  return boxes ? 1 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Runs once the start-up has shown the window and its lists are filled.
  QTimer::singleShot(0, [] {
    QList<DrawnText> texts;
    for (QWidget* widget : QApplication::allWidgets()) texts += TextsOf(widget);
    // The message boxes: the program's title and Qt's own (translated) buttons.
    QMessageBox box(QMessageBox::Warning, yz::kAppTitle, yz::kAppTitle,
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    for (QWidget* widget : box.findChildren<QWidget*>()) texts += TextsOf(widget);
    QApplication::exit(CheckTexts(texts));
  });
  return modPub::Main(application);
}
