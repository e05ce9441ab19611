// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <fcntl.h>
#include <unistd.h>

#include "app/mod_pub.h"
#include "export/run_renderer.h"
#include "render/control_fonts.h"
#include "sign/run_signing.h"
#include "sign/run_verification.h"

namespace {

// Standard error is the renderer's own: one line per problem, in the user's words. Libraries
// write there too (libpng prints "libpng error: ..." for a damaged picture, beside the reason
// the renderer gives), so the descriptor the system calls standard error goes to /dev/null and
// the reasons to a copy of the original.
QFile& Reasons() {
  static QFile reasons;
  return reasons;
}

void KeepLibraryLinesOffStandardError() {
  const int original = ::dup(STDERR_FILENO);
  const int sink = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (original < 0 || sink < 0 ||
      !Reasons().open(original, QIODevice::WriteOnly | QIODevice::Unbuffered,
                      QFileDevice::AutoCloseHandle)) {
    Reasons().open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
  } else {
    ::dup2(sink, STDERR_FILENO);
  }
  if (sink >= 0) ::close(sink);
}

// Qt's warnings are about the desktop session (no runtime folder, no display) that a program
// without windows does not use.
void KeepSevereQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    QTextStream(&Reasons()) << "yanzhou-sign-render: Qt: " << message << Qt::endl;
}

}  // namespace

int main(int argc, char* argv[]) {
  KeepLibraryLinesOffStandardError();
  qInstallMessageHandler(KeepSevereQtMessages);
  // No window is ever shown: the offscreen platform has the same fonts and needs no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt takes options such as --style from the command line it is given; the renderer's own
  // --style is not for Qt, so Qt sees the program name alone.
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("yanzhou-sign-render"));
  QGuiApplication::setApplicationVersion(QStringLiteral(YZ_VERSION));
  // The same face substitutes as the window, so that both draw with the same fonts.
  yz::InstallControlFontSubstitutes();

  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  QTextStream out(stdout);
  QTextStream err(&Reasons());
  return yz::RunRenderer(arguments, modPub::AppPathFor(QCoreApplication::applicationDirPath()),
                         out, err, yz::RunSigning, yz::RunVerification);
}
