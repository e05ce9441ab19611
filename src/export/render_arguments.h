// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>

#include "seams/colour.h"
#include "seams/failure.h"

namespace yz {

// A command line the renderer cannot act on; the message is one line saying why.
class BadArguments : public Failure {
 public:
  using Failure::Failure;
};

// What the renderer was asked for. Whatever is left out is what the window starts with or what
// choosing the style there sets (resolved later against the installation).
struct RenderArguments {
  enum class Action { Render, ShowHelp, ShowVersion };
  Action action = Action::Render;
  QString text;  // the help or version text to print

  QString nameCN = QStringLiteral("纪元朗");  // the window's own starting names
  QString nameEN = QStringLiteral("Osric");
  std::optional<QString> style;       // nullopt: the window's default style
  bool allStyles = false;             // --style all
  std::optional<QString> background;  // nullopt: the window's default picture
  bool transparent = false;           // --background none
  std::optional<QString> sizeText;    // nullopt: 72, capped by the style
  std::optional<Colour> ink;          // nullopt: the style's ink
  qint32 x = -1;                      // twips; -1 asks for the default position
  qint32 y = -1;
  int scale = 1;
  bool practice = false;            // --practice: a practice sheet (PDF) instead of the picture
  QString out;                      // a file, or a folder with --style all
  QByteArray folderFormat = "png";  // the files' type with --style all

  // --sign: documents to sign with the signature of --style (and a seal) instead of drawing a
  // picture. Millimetres from the top-left of the page as a viewer shows it.
  struct Signing {
    QStringList documents;
    QString pages = QStringLiteral("all");  // read by the signing, which knows page lists
    std::optional<QPointF> at;              // the signature's ink's top-left; none: no signature
    std::optional<double> width;            // nullopt: the signing's default
    std::optional<QString> seal;            // --seal STYLE
    std::optional<QPointF> sealAt;
    std::optional<double> sealWidth;
    bool sealMultiplies = true;  // --seal-blend multiply|normal, for the seal and the 骑缝章
    bool seam = false;
    QString seamPages = QStringLiteral("all");
    bool seamSkipFirst = false;
    std::optional<int> seamSlices;
    std::optional<double> seamY;
    std::optional<double> seamWidth;
    std::optional<QString> date;  // --date [TEXT]: an empty text asks for today's
    QString password;
    std::optional<QString> passwordFile;  // --password-file: the document's password, first line
    bool breakSignatures = false;  // rewrite (and so break) a document's digital signatures
    // Signing with a certificate: a PKCS#12 file, or a key in an NSS database. Its password
    // comes from a file's first line or the environment, never from the command line.
    std::optional<QString> certificate;
    std::optional<QString> certificatePasswordFile;
    std::optional<QString> nssDatabase;
    std::optional<QString> nssNickname;
    QString field;     // the document's own empty signature field to sign into
    QString reason;
    QString location;
    QString timestampUrl;  // --tsa

    bool WithCertificate() const { return certificate || nssDatabase; }
  };
  std::optional<Signing> signing;

  // --verify: check the digital signatures a PDF document holds instead of drawing anything.
  struct Verifying {
    QString document;
    QString password;     // --password, for an encrypted document
    std::optional<QString> passwordFile;  // --password-file: the password is its first line
    QString nssDatabase;  // --nss-db: whose trust settings judge the certificates; empty: ~/.pki/nssdb
  };
  std::optional<Verifying> verifying;
};

inline constexpr int kMinRenderScale = 1;
inline constexpr int kMaxRenderScale = 8;

// Reads the command line (program name first) with QCommandLineParser's conventions. Throws
// BadArguments for anything it cannot use: unknown options, values out of range or malformed, a
// missing --out, an output type that cannot hold what was asked for, signing options without
// --sign or without a stamp to place, --verify with anything but its own options.
RenderArguments ParseRenderArguments(const QStringList& arguments);

}  // namespace yz
