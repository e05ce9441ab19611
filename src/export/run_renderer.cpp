// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/run_renderer.h"

#include <QDir>
#include <QFileInfo>

#include "app/installation.h"
#include "export/names_to_draw.h"
#include "export/practice_sheet.h"
#include "export/signature_file.h"
#include "render/qt_picture_loader.h"
#include "seams/message_box.h"

namespace yz {

QString OneLine(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  text.replace('\n', ' ');
  return text.trimmed();
}

namespace {

// The start-up's warning about the compound-surname table goes to standard error; the drawing
// goes on without the table, as the window does.
class ErrorStreamMessages : public MessageBox {
 public:
  explicit ErrorStreamMessages(QTextStream& err) : err_(err) {}
  void Show(const QString& text, int, const QString&) override {
    err_ << OneLine(text) << Qt::endl;
  }
  bool Ask(const QString&, const QString&) override { return false; }

 private:
  QTextStream& err_;
};

void MakeFolder(const QString& folder) {
  const QFileInfo info(folder);
  if (info.exists() && !info.isDir())
    throw BadArguments(QStringLiteral("--style all 的 --out 须是文件夹，“%1”是文件").arg(folder));
  if (!QDir().mkpath(folder)) throw Failure(QStringLiteral("无法创建文件夹：%1").arg(folder));
}

void CheckNotFolder(const QString& path) {
  if (QFileInfo(path).isDir())
    throw BadArguments(
        QStringLiteral("--out 是一个文件夹，请给出文件名（或使用 --style all）：“%1”").arg(path));
}

}  // namespace

int RunRenderer(const QStringList& arguments, const QString& appPath, QTextStream& out,
                QTextStream& err, const SignDocuments& signDocuments,
                const VerifyDocument& verifyDocument) {
  const QString program = QFileInfo(arguments.value(0)).fileName();
  const auto report = [&](const Failure& failure, int status) {
    err << program << ": " << OneLine(failure.message()) << Qt::endl;
    return status;
  };
  try {
    const RenderArguments a = ParseRenderArguments(arguments);
    if (a.action != RenderArguments::Action::Render) {
      out << a.text << Qt::flush;
      return kRenderedOk;
    }
    if (a.verifying) {
      if (!verifyDocument) throw Failure(QStringLiteral("这个程序不能核验签名"));
      return verifyDocument(a, out, err);
    }
    ErrorStreamMessages messages(err);
    const Installation installation = LoadInstallation(appPath, messages);
    const Catalogue& catalogue = installation.catalogue;
    if (catalogue.styleNames.isEmpty())
      throw Failure(QStringLiteral("没有可用的签名款式：%1 中没有找到签名款式或字体。")
                        .arg(appPath + QStringLiteral("fonts/")));
    const QList<PlannedPicture> pictures = PlanPictures(a, catalogue);
    CheckNamesToDraw(pictures, catalogue);
    if (a.signing) {
      if (!signDocuments) throw Failure(QStringLiteral("这个程序不能签署文档"));
      return signDocuments(a, pictures.first(), installation, out, err);
    }
    if (a.allStyles)
      MakeFolder(a.out);
    else
      CheckNotFolder(a.out);

    QtFontRegistry fonts;
    QtPictureLoader loader;
    // One picture that cannot be drawn or written does not keep the others from being made;
    // each failure is told at the end.
    QList<Failure> failures;
    for (const PlannedPicture& picture : pictures) {
      try {
        if (a.practice)
          WritePracticeSheetFile(picture.request, installation, fonts, loader, picture.path);
        else
          WriteSignatureFile(picture.request, installation, fonts, loader, picture.path);
        out << QFileInfo(picture.path).absoluteFilePath() << Qt::endl;
      } catch (const Failure& failure) {
        failures << failure;
      }
    }
    for (const Failure& failure : failures) report(failure, kRenderFailed);
    return failures.isEmpty() ? kRenderedOk : kRenderFailed;
  } catch (const BadArguments& bad) {
    return report(bad, kBadArguments);
  } catch (const Failure& failure) {
    return report(failure, kRenderFailed);
  }
}

}  // namespace yz
