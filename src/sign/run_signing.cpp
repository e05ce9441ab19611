// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/run_signing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "app/style_rules.h"
#include "export/run_renderer.h"
#include "render/qt_picture_loader.h"
#include "sign/date_stamp.h"
#include "sign/renderer_certificate.h"
#include "sign/sign_document.h"

namespace yz {

namespace {

PageSelection Pages(const QString& option, const QString& text) {
  try {
    return ParsePageSelection(text);
  } catch (const Failure& failure) {
    throw BadArguments(QStringLiteral("--%1：%2").arg(option, failure.message()));
  }
}

DrawingRequest SealRequest(const RenderArguments& arguments, const QString& style,
                           const Catalogue& catalogue) {
  if (!IsSealStyle(style))
    throw BadArguments(QStringLiteral("“%1”不是印章款式；印章可选：%2、%3")
                           .arg(style, kSealOutline, kSealFilled));
  RenderArguments seal = arguments;
  seal.style = style;
  seal.sizeText.reset();  // the seal's own size and ink, as picking it in the window sets
  seal.ink.reset();
  return PlanPictures(seal, catalogue).first().request;
}

// The plan every document shares, with the art of its stamps.
struct SharedPlan {
  SigningPlan plan;
  StampArts arts;
};

SharedPlan PlanStamps(const RenderArguments& a, const PlannedPicture& signature,
                      const Installation& installation) {
  const RenderArguments::Signing& s = *a.signing;
  const Catalogue& catalogue = installation.catalogue;
  const PageSelection pages = Pages(QStringLiteral("pages"), s.pages);
  const InkBlend sealBlend = s.sealMultiplies ? InkBlend::Multiply : InkBlend::Normal;
  std::optional<DrawingRequest> seal, seam;
  if (s.seal) seal = SealRequest(a, *s.seal, catalogue);
  if (s.seam) {
    const QString style = catalogue.styleNames.value(signature.request.style);
    seam = SealRequest(a, IsSealStyle(style) ? style : kSealOutline, catalogue);
  }
  const PageSelection seamPages = Pages(QStringLiteral("seam-pages"), s.seamPages);

  QtFontRegistry fonts;
  QtPictureLoader loader;
  const StampTools tools{installation, fonts, loader};
  SharedPlan shared;
  SigningPlan& plan = shared.plan;
  plan.password = s.password;
  plan.goOnDespiteSignatures = s.breakSignatures;
  plan.fieldName = s.field;
  // Signing into a field needs no place: the signature is drawn where the field is.
  if (s.at || !s.field.isEmpty()) {
    Stamp stamp;
    stamp.request = signature.request;
    stamp.pages = s.at ? pages : ParsePageSelection(QStringLiteral("1"));
    stamp.topLeftMm = s.at.value_or(QPointF());
    stamp.widthMm = s.width.value_or(kDefaultSignatureWidthMm);
    const StampArt& art = shared.arts.stamps.emplace_back(DrawingArt(stamp.request, tools));
    plan.stamps.push_back(stamp);
    if (s.date) {
      const QString text = s.date->isEmpty() ? DateText() : *s.date;
      StampArt dateArt = TextArt(text, stamp.request.ink == kWhite ? kBlack : stamp.request.ink);
      plan.stamps.push_back(DateStampBy(stamp, art, text, dateArt));
      shared.arts.stamps.push_back(std::move(dateArt));
    }
  }
  if (seal) {
    Stamp stamp;
    stamp.kind = Stamp::Kind::Seal;
    stamp.request = *seal;
    stamp.pages = pages;
    stamp.topLeftMm = *s.sealAt;
    stamp.widthMm = s.sealWidth.value_or(kDefaultSealWidthMm);
    stamp.blend = sealBlend;
    shared.arts.stamps.push_back(DrawingArt(stamp.request, tools));
    plan.stamps.push_back(stamp);
  }
  if (seam) {
    SeamStamp stamp;
    stamp.seal = *seam;
    stamp.pages = seamPages;
    stamp.skipFirst = s.seamSkipFirst;
    stamp.maxSlices = s.seamSlices.value_or(kDefaultSeamSlices);
    stamp.widthMm = s.seamWidth.value_or(kDefaultSealWidthMm);
    stamp.topMm = s.seamY;
    stamp.blend = sealBlend;
    shared.arts.seam = DrawingArt(stamp.seal, tools);
    plan.seam = stamp;
  }
  return shared;
}

bool IsFolder(const QString& out, qsizetype documents) {
  return documents > 1 || out.endsWith('/') || QFileInfo(out).isDir();
}

// Where each document's signed copy goes: one file, or each in the folder as <name>-已签.pdf
// (-2, -3 … for documents of the same name from different folders).
QStringList OutputPaths(const QString& out, const QStringList& documents) {
  if (out.isEmpty()) {
    QStringList paths;
    for (const QString& document : documents) paths << DefaultSignedPath(document);
    return paths;
  }
  if (!IsFolder(out, documents.size())) {
    if (QFileInfo(out).suffix().toLower() != QStringLiteral("pdf"))
      throw BadArguments(QStringLiteral("--sign 的 --out 须以 .pdf 结尾，或是文件夹：“%1”").arg(out));
    return {out};
  }
  if (QFileInfo(out).exists() && !QFileInfo(out).isDir())
    throw BadArguments(QStringLiteral("签署多个文档时 --out 须是文件夹，“%1”是文件").arg(out));
  if (!QDir().mkpath(out)) throw Failure(QStringLiteral("无法创建文件夹：%1").arg(out));
  QStringList paths;
  QSet<QString> taken;
  for (const QString& document : documents) {
    const QString name = QFileInfo(DefaultSignedPath(document)).fileName();
    QString path = QDir(out).filePath(name);
    for (int n = 2; taken.contains(path); ++n)
      path = QDir(out).filePath(
          QStringLiteral("%1-%2.pdf").arg(QFileInfo(name).completeBaseName()).arg(n));
    taken.insert(path);
    paths << path;
  }
  return paths;
}

// What the renderer's user can do about a refusal the window would ask about.
QString WithHint(const SigningResult& result) {
  switch (result.outcome) {
    case SigningResult::Outcome::NeedsPassword:
      return result.failure + QStringLiteral("（请用 --password-file 或 --password 给出）");
    case SigningResult::Outcome::HoldsSignatures:
      return result.failure + QStringLiteral("（确要签署请加 --break-signatures）");
    default: return result.failure;
  }
}

}  // namespace

int RunSigning(const RenderArguments& a, const PlannedPicture& signature,
               const Installation& installation, QTextStream& out, QTextStream& err) {
  const QString program = QCoreApplication::applicationName();
  const QStringList outputs = OutputPaths(a.out, a.signing->documents);
  SharedPlan shared = PlanStamps(a, signature, installation);
  try {
    // Read and opened once, with one password, for every document.
    if (a.signing->passwordFile) shared.plan.password = PasswordFromFile(*a.signing->passwordFile);
    shared.plan.certificate = RendererCertificate(*a.signing);
  } catch (const Failure& failure) {
    err << program << ": " << OneLine(failure.message()) << Qt::endl;
    return kRenderFailed;
  }
  QStringList failures;
  for (qsizetype i = 0; i < outputs.size(); ++i) {
    SigningPlan plan = shared.plan;
    plan.documentPath = a.signing->documents[i];
    plan.outputPath = outputs[i];
    const SigningResult result = SignDocument(plan, shared.arts);
    for (const QString& warning : result.warnings)
      err << program << QStringLiteral(": 注意：") << OneLine(warning) << Qt::endl;
    if (result.Ok())
      out << result.writtenPath << Qt::endl;
    else
      failures << OneLine(WithHint(result));
  }
  for (const QString& failure : failures) err << program << ": " << failure << Qt::endl;
  return failures.isEmpty() ? kRenderedOk : kRenderFailed;
}

}  // namespace yz
