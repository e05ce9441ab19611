// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/sign_document.h"

#include <QFileInfo>
#include <optional>
#include <map>
#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include "export/whole_file.h"
#include "sign/file_kind.h"
#include "sign/open_document.h"
#include "sign/page_content.h"
#include "sign/page_frame.h"
#include "sign/pades_signing.h"
#include "sign/pdfa_claim.h"
#include "sign/seam_slices.h"
#include "sign/units.h"
#include "sign/written_pdf.h"

namespace yz {

namespace {

// Thrown out of the page loop or the writer when the progress callback says stop.
struct Cancelled {};

// A stamp's art copied into the document once, as a form XObject every page shares.
struct ImportedArt {
  std::unique_ptr<QPDF> source;  // the library copies stream data only when writing
  QPDFObjectHandle form;
  const StampArt* art = nullptr;
};

ImportedArt Import(QPDF& pdf, const StampArt& art, bool opaque) {
  ImportedArt imported;
  imported.source = std::make_unique<QPDF>();
  imported.source->processMemoryFile("stamp", art.pdf.constData(), size_t(art.pdf.size()));
  QPDFPageObjectHelper page = QPDFPageDocumentHelper(*imported.source).getAllPages().at(0);
  imported.form = pdf.copyForeignObject(page.getFormXObjectForPage());
  if (opaque) RemoveTransparency(imported.form);
  imported.art = &art;
  return imported;
}

std::string Number(double value) { return QUtil::double_to_string(value, 4); }

std::string Matrix(const QTransform& t) {
  return QPDFMatrix(t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()).unparse();
}

// One page's share of the work: its frame, the names its resources gained, what it draws.
class PageStamping {
 public:
  PageStamping(QPDFPageObjectHelper page, QPDFObjectHandle multiply)
      : page_(page), frame_(FrameOfPage(page_)), multiply_(multiply) {}

  QSizeF Shown() const { return frame_.ShownPoints(); }

  // Draws the art's ink into `ink` (points of the page as shown, from its top-left, y down),
  // seen only inside `clip` when one is given (same coordinates).
  void Draw(const ImportedArt& imported, const QRectF& ink, InkBlend blend,
            const std::optional<QRectF>& clip = {}) {
    const double height = Shown().height();
    std::string ops = "q\n" + Matrix(frame_.ShownToUser()) + " cm\n";
    if (blend == InkBlend::Multiply) ops += BlendName() + " gs\n";
    if (clip)
      ops += Number(clip->left()) + " " + Number(height - clip->bottom()) + " " +
             Number(clip->width()) + " " + Number(clip->height()) + " re W n\n";
    const QPDFObjectHandle::Rectangle rect(ink.left(), height - ink.bottom(), ink.right(),
                                           height - ink.top());
    ops += page_.placeFormXObject(imported.form, FormName(imported), rect, false, true, true);
    drawing_ += ops + "Q\n";
  }

  void Finish(ContentEnds& known) {
    if (!drawing_.empty()) DrawOverPage(page_, drawing_, &known);
  }

 private:
  std::string FormName(const ImportedArt& imported) {
    auto [at, added] = forms_.try_emplace(imported.art);
    if (added) at->second = AddPageResource(page_, "/XObject", imported.form, "/YzStamp");
    return at->second;
  }
  std::string BlendName() {
    if (blend_.empty()) blend_ = AddPageResource(page_, "/ExtGState", multiply_, "/YzInk");
    return blend_;
  }

  QPDFPageObjectHelper page_;
  PageFrame frame_;
  QPDFObjectHandle multiply_;
  std::map<const StampArt*, std::string> forms_;
  std::string blend_;
  std::string drawing_;
};

QString PageList(const QList<int>& pages) {
  QStringList numbers;
  for (int page : pages) numbers << QString::number(page);
  return numbers.join(QStringLiteral("、"));
}

bool Within(const QRectF& ink, const QSizeF& page) {
  constexpr double kSlack = 0.01;  // points: rounding of the caller's millimetres
  return QRectF(QPointF(0, 0), page).adjusted(-kSlack, -kSlack, kSlack, kSlack).contains(ink);
}

QString StampName(const Stamp& stamp) {
  switch (stamp.kind) {
    case Stamp::Kind::Seal: return QStringLiteral("印章");
    case Stamp::Kind::Date: return QStringLiteral("日期");
    case Stamp::Kind::Signature: break;
  }
  return QStringLiteral("签名");
}

// A document the plan may not sign as it stands, but could with the user's word.
class Refused : public Failure {
 public:
  Refused(SigningResult::Outcome outcome, const QString& message)
      : Failure(message), outcome_(outcome) {}
  SigningResult::Outcome outcome() const { return outcome_; }

 private:
  SigningResult::Outcome outcome_;
};

// Says which stamp a page choice that does not fit the document belongs to.
template <typename Resolve>
QList<int> PagesOf(const QString& what, Resolve resolve) {
  try {
    return resolve();
  } catch (const Failure& failure) {
    throw Failure(what + QStringLiteral("：") + failure.message());
  }
}

class Signing {
 public:
  Signing(const SigningPlan& plan, const StampArts& arts, const SigningProgress& progress)
      : plan_(plan), arts_(arts), progress_(progress) {}

  SigningResult Run() {
    OpenedDocument document = OpenDocument(plan_.documentPath, plan_.password);
    QPDF& pdf = *document.pdf;
    warnings_ = document.warnings;
    CheckMayChange(pdf);
    blending_.emplace(pdf, plan_.documentPath);
    const int pageCount = int(document.pages.size());
    total_ = 2 * pageCount;
    Tell(0);
    std::vector<PageStamping> pages;
    const QPDFObjectHandle multiply =
        pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /ExtGState /BM /Multiply >>"));
    for (const QPDFPageObjectHelper& page : document.pages) pages.emplace_back(page, multiply);

    std::vector<ImportedArt> imported;
    imported.reserve(plan_.stamps.size() + 1);
    for (size_t i = 0; i < plan_.stamps.size(); ++i) {
      const Stamp& stamp = plan_.stamps[i];
      const QList<int> on =
          PagesOf(StampName(stamp), [&] { return ResolvePages(stamp.pages, pageCount); });
      imported.push_back(Import(pdf, arts_.stamps.at(i), blending_->Opaque()));
      PlaceStamp(stamp, imported.back(), on, pages);
    }
    if (plan_.seam) {
      imported.push_back(Import(pdf, *arts_.seam, blending_->Opaque()));
      PlaceSeam(*plan_.seam, imported.back(), pages);
    }
    ContentEnds known;  // pages repeated in a document share their content streams
    for (int i = 0; i < pageCount; ++i) {
      pages[size_t(i)].Finish(known);
      Tell(i + 1);
    }
    const QByteArray bytes = Write(pdf);
    warnings_ += RepairWarnings(pdf, plan_.documentPath);
    if (const QString reason = WriteFileWhole(plan_.outputPath, bytes); !reason.isEmpty())
      throw Failure(
          QStringLiteral("无法保存签署后的文档：%1\n原因：%2").arg(plan_.outputPath, reason));
    SigningResult result;
    result.outcome = SigningResult::Outcome::Written;
    result.writtenPath = QFileInfo(plan_.outputPath).absoluteFilePath();
    result.warnings = warnings_;
    return result;
  }

  QStringList Warnings() const { return warnings_; }

 private:
  void CheckMayChange(QPDF& pdf) {
    const QString& path = plan_.documentPath;
    if (ModificationForbidden(pdf))
      throw Failure(
          QStringLiteral("文档的所有者设置了“禁止修改”，不能在上面签署：%1").arg(path));
    if (HoldsDigitalSignatures(pdf) && !plan_.goOnDespiteSignatures)
      throw Refused(SigningResult::Outcome::HoldsSignatures,
                    QStringLiteral("文档里已有数字签名，再签署会使它们失效（整个文件要重写）：%1")
                        .arg(path));
    if (arts_.stamps.size() != plan_.stamps.size() || bool(arts_.seam) != bool(plan_.seam))
      throw Failure(QStringLiteral("签署的印章还没有画好：%1").arg(path));
    if (plan_.stamps.empty() && !plan_.seam)
      throw Failure(QStringLiteral("没有要盖在文档上的签名或印章：%1").arg(path));
    if (plan_.outputPath.isEmpty())
      throw Failure(QStringLiteral("没有给出签署后文档的保存位置：%1").arg(path));
    // Replacing a pipe or a device with a file is not what its owner meant by naming it.
    if (const QString kind = NotRegularFile(plan_.outputPath); !kind.isEmpty())
      throw Failure(QStringLiteral("无法保存签署后的文档：“%1”是%2，不是普通文件").arg(plan_.outputPath, kind));
  }

  void PlaceStamp(const Stamp& stamp, const ImportedArt& imported, const QList<int>& on,
                  std::vector<PageStamping>& pages) {
    if (!(stamp.widthMm > 0))
      throw Failure(QStringLiteral("%1的宽度须大于 0 毫米").arg(StampName(stamp)));
    const QRectF ink(stamp.topLeftMm * kPointsPerMillimetre,
                     QSizeF(stamp.widthMm, imported.art->HeightForWidth(stamp.widthMm)) *
                         kPointsPerMillimetre);
    QList<int> outside;
    for (int page : on) {
      PageStamping& stamping = pages[size_t(page - 1)];
      if (!Within(ink, stamping.Shown())) outside << page;
      stamping.Draw(imported, ink, Blend(stamp.blend));
    }
    if (!outside.isEmpty())
      warnings_ << QStringLiteral("%1有部分落在页面之外（第 %2 页）").arg(StampName(stamp), PageList(outside));
  }

  void PlaceSeam(const SeamStamp& seam, const ImportedArt& imported,
                 std::vector<PageStamping>& pages) {
    if (!(seam.widthMm > 0)) throw Failure(QStringLiteral("骑缝章的宽度须大于 0 毫米"));
    const QSizeF seal =
        QSizeF(seam.widthMm, imported.art->HeightForWidth(seam.widthMm)) * kPointsPerMillimetre;
    QList<int> outside;
    const QList<int> on =
        PagesOf(QStringLiteral("骑缝章"), [&] { return SeamPages(seam, int(pages.size())); });
    for (const SeamSlice& slice : PlanSeamSlices(on, seam.maxSlices)) {
      PageStamping& stamping = pages[size_t(slice.page - 1)];
      const QSizeF shown = stamping.Shown();
      const double width = seal.width() / slice.count;
      const double top = seam.topMm ? *seam.topMm * kPointsPerMillimetre
                                    : (shown.height() - seal.height()) / 2;
      const QRectF ink(QPointF(shown.width() - (slice.index + 1) * width, top), seal);
      const QRectF cut(shown.width() - width, 0, width, shown.height());
      if (!Within(QRectF(cut.left(), ink.top(), cut.width(), ink.height()), shown))
        outside << slice.page;
      stamping.Draw(imported, ink, Blend(seam.blend), cut);
    }
    if (!outside.isEmpty())
      warnings_ << QStringLiteral("骑缝章有部分落在页面之外（第 %1 页）").arg(PageList(outside));
  }

  // An archival document of the first part may hold no transparency, multiplying included.
  InkBlend Blend(InkBlend asked) { return blending_->For(asked, warnings_); }

  void Tell(int done) {
    if (progress_ && !progress_(done, total_)) throw Cancelled{};
  }

  QByteArray Write(QPDF& pdf) {
    class Reporter : public QPDFWriter::ProgressReporter {
     public:
      Reporter(Signing& signing, int from, int span) : signing_(signing), from_(from), span_(span) {}
      void reportProgress(int percent) override { signing_.Tell(from_ + span_ * percent / 100); }

     private:
      Signing& signing_;
      int from_, span_;
    };
    QPDFWriter writer(pdf);
    // The document's own streams go out as they came in (only an uncompressed one is
    // compressed, as the library's object streams are).
    writer.setDecodeLevel(qpdf_dl_none);
    writer.registerProgressReporter(std::make_shared<Reporter>(*this, total_ / 2, total_ / 2));
    return WriteToMemory(writer);
  }

  const SigningPlan& plan_;
  const StampArts& arts_;
  const SigningProgress& progress_;
  int total_ = 0;
  std::optional<StampBlending> blending_;
  QStringList warnings_;
};

SigningResult Failed(SigningResult::Outcome outcome, const QString& message,
                     const QStringList& warnings = {}) {
  SigningResult result;
  result.outcome = outcome;
  result.failure = message;
  result.warnings = warnings;
  return result;
}

}  // namespace

StampArts DrawStampArts(const SigningPlan& plan, const StampTools& tools) {
  StampArts arts;
  for (const Stamp& stamp : plan.stamps) arts.stamps.push_back(StampArtFor(stamp, tools));
  if (plan.seam) arts.seam = DrawingArt(plan.seam->seal, tools);
  return arts;
}

SigningResult SignDocument(const SigningPlan& plan, const StampArts& arts,
                           const SigningProgress& progress) {
  using Outcome = SigningResult::Outcome;
  Signing signing(plan, arts, progress);
  const auto cancelled = [&] {
    return Failed(Outcome::Cancelled,
                  QStringLiteral("已取消签署，没有写出文件：%1").arg(plan.documentPath));
  };
  try {
    // A certificate, or a document already signed: appended, never rewritten.
    if (std::optional<SigningResult> appended = SignByAppendingWhenDue(plan, arts, progress))
      return *appended;
    return signing.Run();
  } catch (const Cancelled&) {
    return cancelled();
  } catch (const SigningStopped&) {
    return cancelled();
  } catch (const DocumentProblem& problem) {
    if (problem.kind() == DocumentProblem::Kind::NeedsPassword)
      return Failed(Outcome::NeedsPassword, problem.message());
    if (problem.kind() == DocumentProblem::Kind::WrongPassword)
      return Failed(Outcome::WrongPassword, problem.message());
    return Failed(Outcome::Failed, problem.message());
  } catch (const Refused& refused) {
    return Failed(refused.outcome(), refused.message(), signing.Warnings());
  } catch (const Failure& failure) {
    // A step's reason that names neither file is told with the document it is about.
    QString message = failure.message();
    if (!message.contains(plan.documentPath) && !message.contains(plan.outputPath))
      message += QStringLiteral("（文档：%1）").arg(plan.documentPath);
    return Failed(Outcome::Failed, message, signing.Warnings());
  } catch (const std::exception& error) {
    return Failed(Outcome::Failed, DamagedDocument(plan.documentPath, error), signing.Warnings());
  }
}

}  // namespace yz
