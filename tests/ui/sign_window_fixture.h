// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest/QTest>

#include "ui/sign/remembered.h"
#include "ui/window_fixture.h"

namespace yz::testing {

// A document of `pages` A4 pages, each saying its number.
inline QString WritePdf(const QString& path, int pages) {
  QPdfWriter pdf(path);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setResolution(72);
  QPainter painter(&pdf);
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) pdf.newPage();
    painter.drawText(60, 80, QStringLiteral("Page %1").arg(page));
  }
  painter.end();
  return path;
}

// Pages of three shapes: A4 upright, A4 across, and a ticket 40 by 60 mm.
inline QString WriteMixedPdf(const QString& path) {
  QPdfWriter pdf(path);
  pdf.setResolution(72);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  QPainter painter(&pdf);
  painter.drawText(60, 80, QStringLiteral("Upright"));
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageOrientation(QPageLayout::Landscape);
  pdf.newPage();
  painter.drawText(60, 80, QStringLiteral("Across"));
  pdf.setPageOrientation(QPageLayout::Portrait);
  pdf.setPageSize(QPageSize(QSizeF(40, 60), QPageSize::Millimeter));
  pdf.newPage();
  painter.drawText(10, 20, QStringLiteral("Ticket"));
  painter.end();
  return path;
}

inline QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SignWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    remembered::Settings()->clear();  // each test starts as a fresh installation would
    WindowTest::SetUp();
    window->show();
    QApplication::setActiveWindow(window.get());  // the shortcut is the window's
    document = WritePdf(dir.filePath(QStringLiteral("合同.pdf")), 3);
  }

  // Ctrl+Shift+S in the window with `path` chosen in the open dialog.
  SignWindow* OpenSigning(const QString& path) {
    openDialog.answer = path;
    QApplication::setActiveWindow(window.get());  // the shortcut is the main window's
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    auto* signing = window->findChild<SignWindow*>();
    if (signing && signing->isVisible()) {
      signing->resize(1000, 720);
      QCoreApplication::processEvents();
    }
    return signing;
  }
  SignWindow& Opened() {
    SignWindow* signing = OpenSigning(document);
    if (!signing || !signing->isVisible()) throw std::runtime_error("the signing window did not open");
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.front().text.toStdString();
    return *signing;
  }

  static QPoint Centre(const SignPageView& view, int stamp) {
    return view.StampRectPx(stamp).center().toPoint();
  }
  static void Drag(SignPageView& view, QPoint from, QPoint to) {
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    QTest::mouseMove(&view, (from + to) / 2);
    QTest::mouseMove(&view, to);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
  }
  static void Wheel(SignPageView& view, QPoint at, int notches, Qt::KeyboardModifiers keys = {}) {
    QWheelEvent wheel(at, view.mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &wheel);
  }

  QTemporaryDir dir;
  QString document;
};

}  // namespace yz::testing
