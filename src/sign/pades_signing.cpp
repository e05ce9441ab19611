// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/pades_signing.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "sign/appended_file.h"
#include "sign/docmdp.h"
#include "sign/incremental_update.h"
#include "sign/open_document.h"
#include "sign/page_frame.h"
#include "sign/pdfa_claim.h"
#include "sign/seam_slices.h"
#include "sign/signature_field.h"
#include "sign/stamp_annotations.h"
#include "sign/units.h"

namespace yz {

namespace {

constexpr int kPrintFlag = 4, kHiddenFlag = 2, kNoViewFlag = 32;
// Wide enough for any offset of a file below 10 GB.
constexpr int kOffsetWidth = 10;

// One stamp on one page, worked out before anything is built so that the document's
// certification can be judged on the whole.
struct Placement {
  const StampArt* art = nullptr;
  int page = 0;  // index
  InkPlace place;
  InkBlend blend = InkBlend::Normal;
  QString what;
};

QString PageNumbers(const QList<int>& pages) {
  QStringList numbers;
  for (int page : pages) numbers << QString::number(page);
  return numbers.join(QStringLiteral("、"));
}

bool InsidePage(const QRectF& ink, const QSizeF& page) {
  constexpr double kSlack = 0.01;  // points: rounding of the caller's millimetres
  return QRectF(QPointF(0, 0), page).adjusted(-kSlack, -kSlack, kSlack, kSlack).contains(ink);
}

template <typename Resolve>
QList<int> ChosenPages(const QString& what, Resolve resolve) {
  try {
    return resolve();
  } catch (const Failure& failure) {
    throw Failure(what + QStringLiteral("：") + failure.message());
  }
}

// The art fitted into a field's rectangle, keeping its proportions, centred.
QRectF Fitted(const StampArt& art, const QRectF& field) {
  const double ratio = art.ink.width() / art.ink.height();
  QSizeF size(field.width(), field.width() / ratio);
  if (size.height() > field.height()) size = QSizeF(field.height() * ratio, field.height());
  return QRectF(field.center() - QPointF(size.width(), size.height()) / 2, size);
}

QByteArray PdfText(const QString& text) {
  return QByteArray::fromStdString(QPDFObjectHandle::newUnicodeString(text.toStdString()).unparse());
}

QByteArray PdfDate(const QDateTime& when) {
  return "(D:" + when.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "+00'00')";
}

const QByteArray kByteRangePlaceholder =
    "[0 " + QByteArray(3 * (kOffsetWidth + 1) - 1, ' ') + "]";

class Appending {
 public:
  Appending(const SigningPlan& plan, const StampArts& arts, const SigningProgress& progress)
      : plan_(plan), arts_(arts), progress_(progress), path_(plan.documentPath) {}

  std::optional<SigningResult> Run() {
    OpenedDocument document = OpenDocument(path_, plan_.password);
    QPDF& pdf = *document.pdf;
    if (!plan_.certificate && (plan_.goOnDespiteSignatures || !HoldsDigitalSignatures(pdf)))
      return std::nullopt;
    CheckMayAppend(document);
    blending_.emplace(pdf, path_);
    const FileEnd end = ReadFileEnd(path_);
    if (pdf.isLinearized())
      warnings_ << QStringLiteral("文档原为线性化（快速网页查看）格式，追加签署后不再是：%1").arg(path_);
    pages_ = document.pages;
    for (QPDFPageObjectHelper& page : pages_) frames_.push_back(FrameOfPage(page));
    total_ = 2 * int(pages_.size());
    Tell(0);

    if (!plan_.fieldName.isEmpty())
      field_ = FindEmptySignatureField(pdf, pages_, plan_.fieldName, path_);
    Plan();
    if (const QString refusal =
            CertificationRefusal(CertificationOf(pdf), plan_.certificate && !field_,
                                 !placements_.empty(), path_);
        !refusal.isEmpty())
      throw Failure(refusal);

    IncrementalUpdate update(pdf, end);
    StampAppearances appearances(pdf, blending_->Opaque());
    // Stamps go page by page for each kind in turn: told as the share of them placed, so that
    // the count only grows.
    for (size_t i = 0; i < placements_.size(); ++i) {
      const Placement& placement = placements_[i];
      const auto appearance =
          appearances.For(*placement.art, frames_[size_t(placement.page)], placement.place,
                          placement.blend);
      AddStampAnnotation(pdf, update, pages_[size_t(placement.page)], appearance, placement.what);
      Tell(int(pages_.size() * (i + 1) / placements_.size()));
    }
    Tell(int(pages_.size()));
    SigningResult result;
    std::optional<SignatureGap> gap;
    QPDFObjectHandle signature;
    if (plan_.certificate) {
      signature = update.Reserve();
      result.signatureField = signedField_ = AddSignatureWidget(pdf, update, appearances, signature);
      update.SetRaw(signature, SignatureDictionary());
    }
    IncrementalUpdate::Laid laid = update.Write();
    if (plan_.certificate) gap = PatchByteRange(laid, signature, end.size);
    const CertificateSigning* certificate = plan_.certificate ? &*plan_.certificate : nullptr;
    WriteAppended(
        path_, end.size, laid.bytes, plan_.outputPath, gap,
        [certificate](const QByteArray& digest) {
          return MakeCadesSignature(*certificate->signer, digest, certificate->timestamp);
        },
        [this](qint64 done, qint64 total) {
          const int pages = int(pages_.size());
          return !progress_ || progress_(pages + int(pages * done / std::max<qint64>(total, 1)), total_);
        },
        [this](const QString& written) { return ReadBack(written); });
    Tell(total_);
    result.outcome = SigningResult::Outcome::Written;
    result.writtenPath = QFileInfo(plan_.outputPath).absoluteFilePath();
    result.warnings = warnings_;
    result.appended = true;
    return result;
  }

 private:
  void CheckMayAppend(const OpenedDocument& document) {
    QPDF& pdf = *document.pdf;
    if (arts_.stamps.size() != plan_.stamps.size() || bool(arts_.seam) != bool(plan_.seam))
      throw Failure(QStringLiteral("签署的印章还没有画好：%1").arg(path_));
    if (plan_.stamps.empty() && !plan_.seam && !plan_.certificate)
      throw Failure(QStringLiteral("没有要盖在文档上的签名或印章：%1").arg(path_));
    if (plan_.outputPath.isEmpty())
      throw Failure(QStringLiteral("没有给出签署后文档的保存位置：%1").arg(path_));
    if (!plan_.fieldName.isEmpty() && !plan_.certificate)
      throw Failure(QStringLiteral("签入文档的签名域需要数字证书：%1").arg(path_));
    if (plan_.certificate && !plan_.certificate->signer)
      throw Failure(QStringLiteral("没有选定签名用的数字证书：%1").arg(path_));
    if (ModificationForbidden(pdf))
      throw Failure(QStringLiteral("文档的所有者设置了“禁止修改”，不能在上面签署：%1").arg(path_));
    // Appending to a file whose own structure the library had to rebuild would leave an update
    // pointing into what readers cannot follow.
    if (!document.warnings.isEmpty())
      throw Failure(
          QStringLiteral("文档的结构已损坏（交叉引用表须修复才能读取），不能在原文件后追加签署：%1").arg(path_));
    if (pdf.isEncrypted())
      throw Failure(QStringLiteral(
                        "文档是加密的：追加的签名和印章须用文档的密钥加密，本程序还不能这样做，没有签署：%1")
                        .arg(path_));
  }

  // The stamp the signature's widget shows: the signature, else the seal; none with only a
  // 骑缝章 (an invisible signature) or without a certificate.
  int FaceStamp() const {
    if (!plan_.certificate) return -1;
    for (Stamp::Kind kind : {Stamp::Kind::Signature, Stamp::Kind::Seal})
      for (size_t i = 0; i < plan_.stamps.size(); ++i)
        if (plan_.stamps[i].kind == kind) return int(i);
    return -1;
  }

  void Plan() {
    const int pageCount = int(pages_.size());
    face_ = FaceStamp();
    for (size_t i = 0; i < plan_.stamps.size(); ++i) {
      const Stamp& stamp = plan_.stamps[i];
      const StampArt& art = arts_.stamps[i];
      // In a document's own field the face goes where the field is, fitted to it.
      if (int(i) == face_ && field_) continue;
      const QString what = StampKindName(stamp.kind);
      if (!(stamp.widthMm > 0)) throw Failure(QStringLiteral("%1的宽度须大于 0 毫米").arg(what));
      const QList<int> on = ChosenPages(what, [&] { return ResolvePages(stamp.pages, pageCount); });
      const QRectF ink(stamp.topLeftMm * kPointsPerMillimetre,
                       QSizeF(stamp.widthMm, art.HeightForWidth(stamp.widthMm)) * kPointsPerMillimetre);
      QList<int> outside;
      for (int page : on) {
        if (!InsidePage(ink, frames_[size_t(page - 1)].ShownPoints())) outside << page;
        const Placement placement{&art, page - 1, {ink, std::nullopt}, Blend(stamp.blend), what};
        if (int(i) == face_ && !facePlacement_)
          facePlacement_ = placement;
        else
          placements_.push_back(placement);
      }
      if (!outside.isEmpty())
        warnings_ << QStringLiteral("%1有部分落在页面之外（第 %2 页）").arg(what, PageNumbers(outside));
    }
    if (plan_.seam) PlanSeam(*plan_.seam, *arts_.seam);
  }

  void PlanSeam(const SeamStamp& seam, const StampArt& art) {
    if (!(seam.widthMm > 0)) throw Failure(QStringLiteral("骑缝章的宽度须大于 0 毫米"));
    const QSizeF seal = QSizeF(seam.widthMm, art.HeightForWidth(seam.widthMm)) * kPointsPerMillimetre;
    const QList<int> on =
        ChosenPages(QStringLiteral("骑缝章"), [&] { return SeamPages(seam, int(pages_.size())); });
    QList<int> outside;
    for (const SeamSlice& slice : PlanSeamSlices(on, seam.maxSlices)) {
      const QSizeF shown = frames_[size_t(slice.page - 1)].ShownPoints();
      const double width = seal.width() / slice.count;
      const double top = seam.topMm ? *seam.topMm * kPointsPerMillimetre
                                    : (shown.height() - seal.height()) / 2;
      const QRectF ink(QPointF(shown.width() - (slice.index + 1) * width, top), seal);
      const QRectF cut(shown.width() - width, 0, width, shown.height());
      if (!InsidePage(QRectF(cut.left(), ink.top(), cut.width(), ink.height()), shown))
        outside << slice.page;
      placements_.push_back({&art, slice.page - 1, {ink, cut.intersected(ink)}, Blend(seam.blend),
                             QStringLiteral("骑缝章")});
    }
    if (!outside.isEmpty())
      warnings_ << QStringLiteral("骑缝章有部分落在页面之外（第 %1 页）").arg(PageNumbers(outside));
  }

  // The signature's field: the document's own, given our appearance at its place, or a new
  // one whose widget shows the face stamp (a widget of no size when there is none).
  QString AddSignatureWidget(QPDF& pdf, IncrementalUpdate& update, StampAppearances& appearances,
                             const QPDFObjectHandle& signature) {
    if (field_) {
      QPDFObjectHandle widget = field_->widget;
      const PageFrame& frame = frames_[size_t(field_->page)];
      const QRectF area = StampAppearances::ShownRect(frame, widget.getKey("/Rect"));
      if (face_ >= 0 && !area.isEmpty()) {
        const Stamp& stamp = plan_.stamps[size_t(face_)];
        const StampArt& art = arts_.stamps[size_t(face_)];
        const auto appearance = appearances.For(art, frame, {Fitted(art, area), area}, Blend(stamp.blend));
        widget.replaceKey("/AP", QPDFObjectHandle::newDictionary());
        widget.getKey("/AP").replaceKey("/N", appearance.form);
      }
      QPDFObjectHandle flags = widget.getKey("/F");
      const long long old = flags.isInteger() ? flags.getIntValue() : 0;
      widget.replaceKey("/F", QPDFObjectHandle::newInteger((old | kPrintFlag) & ~(kHiddenFlag | kNoViewFlag)));
      field_->field.replaceKey("/V", signature);
      update.Changed(widget);
      update.Changed(field_->field);
      MarkSigned(pdf, update);
      return plan_.fieldName;
    }
    const QString name = NewSignatureFieldName(pdf);
    QPDFObjectHandle widget = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Annot /Subtype /Widget /FT /Sig /F " + std::to_string(kPrintFlag) + " >>"));
    widget.replaceKey("/T", QPDFObjectHandle::newUnicodeString(name.toStdString()));
    widget.replaceKey("/V", signature);
    int page = 0;
    if (facePlacement_) {
      page = facePlacement_->page;
      const auto appearance = appearances.For(*facePlacement_->art, frames_[size_t(page)],
                                              facePlacement_->place, facePlacement_->blend);
      widget.replaceKey("/Rect", appearance.rect);
      widget.replaceKey("/AP", QPDFObjectHandle::newDictionary());
      widget.getKey("/AP").replaceKey("/N", appearance.form);
    } else {
      widget.replaceKey("/Rect", QPDFObjectHandle::parse("[0 0 0 0]"));
    }
    widget.replaceKey("/P", pages_[size_t(page)].getObjectHandle());
    AddToAnnots(update, pages_[size_t(page)], widget);
    ListSignatureField(pdf, update, widget);
    update.Add(widget);
    return name;
  }

  QByteArray SignatureDictionary() const {
    const CertificateSigning& c = *plan_.certificate;
    const int room = SignatureRoom(*c.signer, c.timestamp);
    QByteArray dict = "<< /Type /Sig /Filter /Adobe.PPKLite /SubFilter /ETSI.CAdES.detached";
    dict += " /ByteRange " + kByteRangePlaceholder;
    dict += " /Contents <" + QByteArray(2 * room, '0') + ">";
    dict += " /M " + PdfDate(QDateTime::currentDateTimeUtc());
    dict += " /Name " + PdfText(c.signer->Summary().subject);
    if (!c.reason.isEmpty()) dict += " /Reason " + PdfText(c.reason);
    if (!c.location.isEmpty()) dict += " /Location " + PdfText(c.location);
    if (!c.contactInfo.isEmpty()) dict += " /ContactInfo " + PdfText(c.contactInfo);
    return dict + " >>";
  }

  // Fills in the /ByteRange: everything but the /Contents string, now that every offset is
  // known; returns where that string is.
  static SignatureGap PatchByteRange(IncrementalUpdate::Laid& laid, const QPDFObjectHandle& signature,
                                     qint64 originalSize) {
    const qint64 object = laid.rawOffsets.at(signature.getObjectID());
    const qint64 range = laid.bytes.indexOf("/ByteRange " + kByteRangePlaceholder, object) + 11;
    SignatureGap gap;
    gap.at = laid.bytes.indexOf("/Contents <", object) + 10;
    gap.length = laid.bytes.indexOf('>', gap.at) + 1 - gap.at;
    const qint64 total = originalSize + laid.bytes.size();
    const qint64 before = originalSize + gap.at, after = before + gap.length;
    QByteArray filled = "[0";
    for (qint64 value : {before, after, total - after})
      filled += ' ' + QByteArray::number(value).leftJustified(kOffsetWidth, ' ');
    filled += ']';
    laid.bytes.replace(range, filled.size(), filled);
    return gap;
  }

  // The written file as a reader opens it: every page there, nothing the library must repair,
  // the signature's value where the field says. A fault of this program's own, never the
  // user's, but a file no reader could open must not take the output's place.
  QString ReadBack(const QString& written) const {
    const QString broken = QStringLiteral("签署后的文件读回时有错，没有写出（请报告这个问题）：%1").arg(path_);
    try {
      QPDF pdf;
      pdf.setSuppressWarnings(true);
      pdf.processFile(QFile::encodeName(written).constData(), plan_.password.toUtf8().constData());
      if (QPDFPageDocumentHelper(pdf).getAllPages().size() != pages_.size() || !pdf.getWarnings().empty())
        return broken;
      if (plan_.certificate &&
          (!HoldsDigitalSignatures(pdf) || EmptySignatureFields(pdf).contains(signedField_)))
        return broken;
    } catch (const std::exception&) {
      return broken;
    }
    return {};
  }

  // An archival document of the first part may hold no transparency, multiplying included.
  InkBlend Blend(InkBlend asked) { return blending_->For(asked, warnings_); }

  void Tell(int done) {
    if (progress_ && !progress_(done, total_)) throw SigningStopped{};
  }

  const SigningPlan& plan_;
  const StampArts& arts_;
  const SigningProgress& progress_;
  const QString path_;
  std::vector<QPDFPageObjectHelper> pages_;
  std::vector<PageFrame> frames_;
  std::optional<SignatureFieldPlace> field_;
  int face_ = -1;
  std::optional<Placement> facePlacement_;
  std::optional<StampBlending> blending_;
  std::vector<Placement> placements_;
  QString signedField_;
  QStringList warnings_;
  int total_ = 0;
};

}  // namespace

std::optional<SigningResult> SignByAppendingWhenDue(const SigningPlan& plan, const StampArts& arts,
                                                    const SigningProgress& progress) {
  try {
    return Appending(plan, arts, progress).Run();
  } catch (const AppendStopped&) {
    throw SigningStopped{};
  }
}

}  // namespace yz
