// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/render_arguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTranslator>
#include <cmath>

#include "render/font_size.h"

namespace yz {

namespace {

// The parser's own complaints in the words the rest of the program uses.
class ParserMessages : public QTranslator {
 public:
  QString translate(const char* context, const char* source, const char* disambiguation,
                    int n) const override {
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    if (qstrcmp(context, "QCommandLineParser") != 0) return {};
    static const QHash<QByteArray, QString> words = {
        {"Unknown option '%1'.", QStringLiteral("未知的选项：“%1”")},
        {"Unknown options: %1.", QStringLiteral("未知的选项：%1")},
        {"Missing value after '%1'.", QStringLiteral("选项“%1”后缺少取值")},
        {"Unexpected value after '%1'.", QStringLiteral("选项“%1”不带取值")},
    };
    return words.value(source);
  }
  bool isEmpty() const override { return false; }
};

const QStringList kFileTypes = {QStringLiteral("png"), QStringLiteral("jpg"),
                                QStringLiteral("jpeg"), QStringLiteral("bmp"),
                                QStringLiteral("svg"),  QStringLiteral("pdf")};
// The types that can leave the ground bare.
const QStringList kTransparentTypes = {QStringLiteral("png"), QStringLiteral("svg"),
                                       QStringLiteral("pdf")};

struct Options {
  QCommandLineOption name{QStringLiteral("name"), QStringLiteral("中文姓名（默认 纪元朗）"),
                          QStringLiteral("姓名")};
  QCommandLineOption en{QStringLiteral("en"), QStringLiteral("英文名，英文签款式用（默认 Osric）"),
                        QStringLiteral("英文名")};
  QCommandLineOption style{QStringLiteral("style"),
                           QStringLiteral("签名款式名称，或 all：每种款式各画一张（默认 公文签）"),
                           QStringLiteral("款式")};
  QCommandLineOption background{
      QStringLiteral("background"),
      QStringLiteral("背景图片名称，或 none：透明背景，只能存为 PNG（默认 第二张背景）"),
      QStringLiteral("背景")};
  QCommandLineOption size{QStringLiteral("size"),
                          QStringLiteral("字号，单位为点（默认 72，印章款式 48）"),
                          QStringLiteral("字号")};
  QCommandLineOption color{QStringLiteral("color"),
                           QStringLiteral("墨色 #RRGGBB（默认 款式自己的颜色）"),
                           QStringLiteral("#RRGGBB")};
  QCommandLineOption x{QStringLiteral("x"),
                       QStringLiteral("签名左上角的横坐标，单位为缇（默认 居中）"),
                       QStringLiteral("缇")};
  QCommandLineOption y{QStringLiteral("y"),
                       QStringLiteral("签名左上角的纵坐标，单位为缇（默认 居中）"),
                       QStringLiteral("缇")};
  QCommandLineOption scale{QStringLiteral("scale"),
                           QStringLiteral("放大倍数 1 到 8：画布和字一起放大，笔画清晰（默认 1）"),
                           QStringLiteral("倍数"), QStringLiteral("1")};
  QCommandLineOption out{QStringLiteral("out"),
                         QStringLiteral("输出文件 .png/.jpg/.bmp，或矢量的 .svg/.pdf；--style all 时为文件夹"),
                         QStringLiteral("路径")};
  QCommandLineOption practice{
      QStringLiteral("practice"),
      QStringLiteral("画一页练字帖（A4 PDF）：签名范字、描红行和空白格；--out 须以 .pdf 结尾")};
  QCommandLineOption format{QStringLiteral("format"),
                            QStringLiteral("--style all 时的文件类型 png、jpg、bmp、svg 或 pdf（默认 png）"),
                            QStringLiteral("类型")};
};

// The options of --sign: stamps placed on PDF documents, in millimetres.
struct SignOptions {
  QCommandLineOption sign{QStringLiteral("sign"),
                          QStringLiteral("把签名盖到 PDF 文档上（可多次给出，每个文档各写一个新文件）"),
                          QStringLiteral("文档.pdf")};
  QCommandLineOption pages{QStringLiteral("pages"),
                           QStringLiteral("签在哪些页：all、odd、even 或页码如 1,3-5（默认 all）"),
                           QStringLiteral("页")};
  QCommandLineOption at{QStringLiteral("at"),
                        QStringLiteral("签名左上角的位置 X,Y，单位毫米，从页面左上角量起（按阅读器显示的页面）"),
                        QStringLiteral("X,Y")};
  QCommandLineOption width{QStringLiteral("width"),
                           QStringLiteral("签名的宽度，单位毫米，高度按比例（默认 50）"),
                           QStringLiteral("毫米")};
  QCommandLineOption seal{QStringLiteral("seal"),
                          QStringLiteral("再盖一枚姓名印章，款式 篆印体 或 篆印体-阴文"),
                          QStringLiteral("款式")};
  QCommandLineOption sealAt{QStringLiteral("seal-at"),
                            QStringLiteral("印章左上角的位置 X,Y，单位毫米"), QStringLiteral("X,Y")};
  QCommandLineOption sealWidth{QStringLiteral("seal-width"),
                               QStringLiteral("印章的宽度，单位毫米（默认 30）"),
                               QStringLiteral("毫米")};
  QCommandLineOption sealBlend{
      QStringLiteral("seal-blend"),
      QStringLiteral("印章的墨色：multiply 像印泥一样与纸上的字相乘，normal 直接盖在上面（默认 multiply）"),
      QStringLiteral("方式")};
  QCommandLineOption seam{QStringLiteral("seam"),
                          QStringLiteral("加盖骑缝章：--style 的印章（不是印章款式时用 篆印体）切成竖条，盖在各页右边缘")};
  QCommandLineOption seamPages{QStringLiteral("seam-pages"),
                               QStringLiteral("骑缝章盖在哪些页，写法同 --pages（默认 all）"),
                               QStringLiteral("页")};
  QCommandLineOption seamSkipFirst{QStringLiteral("seam-skip-first"),
                                   QStringLiteral("骑缝章不盖所选的第一页（封面）")};
  QCommandLineOption seamSlices{
      QStringLiteral("seam-slices"),
      QStringLiteral("骑缝章每轮最多切成几条（默认 10）；页数更多时从下一页起再盖一枚"),
      QStringLiteral("条数")};
  QCommandLineOption seamY{QStringLiteral("seam-y"),
                           QStringLiteral("骑缝章上边距页面顶端的距离，单位毫米（默认 上下居中）"),
                           QStringLiteral("毫米")};
  QCommandLineOption seamWidth{QStringLiteral("seam-width"),
                               QStringLiteral("骑缝章整枚的宽度，单位毫米（默认 30）"),
                               QStringLiteral("毫米")};
  QCommandLineOption date{QStringLiteral("date"),
                          QStringLiteral("在签名下方写上日期：不给文字时为今天，如 2026年12月10日"),
                          QStringLiteral("文字")};
  QCommandLineOption password{QStringLiteral("password"),
                              QStringLiteral("文档的打开密码（有密码的文档没有它就不签署、不核验）"),
                              QStringLiteral("密码")};
  QCommandLineOption passwordFile{QStringLiteral("password-file"),
                                  QStringLiteral("从文件的第一行读文档的打开密码（免得密码出现在命令行上）"),
                                  QStringLiteral("文件")};
  QCommandLineOption breakSignatures{
      QStringLiteral("break-signatures"),
      QStringLiteral("文档已有数字签名时改为重写整个文件（已有的数字签名会因此失效；不加时签名和印章追加在原文件之后，已有签名保持有效）")};
  QCommandLineOption certificate{
      QStringLiteral("certificate"),
      QStringLiteral("用数字证书（PKCS#12 文件 .p12/.pfx）签名：签名和印章作为数字签名的外观，追加在原文件之后"),
      QStringLiteral("文件.p12")};
  QCommandLineOption certificatePasswordFile{
      QStringLiteral("certificate-password-file"),
      QStringLiteral("从文件的第一行读证书（或 NSS 数据库）的密码；也可用环境变量 YZ_CERTIFICATE_PASSWORD"),
      QStringLiteral("文件")};
  // Shared with --verify, where the database's trust settings judge the signers' certificates.
  QCommandLineOption nssDb{QStringLiteral("nss-db"),
                           QStringLiteral("NSS 证书数据库的文件夹（如 ~/.pki/nssdb）：签署时与 --nss-nickname 同用，"
                                          "用其中的证书签名；与 --verify 同用时按它的信任设置判断证书是否可信"
                                          "（核验时默认 ~/.pki/nssdb）"),
                           QStringLiteral("文件夹")};
  QCommandLineOption nssNickname{QStringLiteral("nss-nickname"),
                                 QStringLiteral("NSS 数据库中证书的昵称"), QStringLiteral("昵称")};
  QCommandLineOption field{QStringLiteral("field"),
                           QStringLiteral("签入文档自带的空签名域（按名称）；签名画在该域的位置"),
                           QStringLiteral("名称")};
  QCommandLineOption reason{QStringLiteral("reason"), QStringLiteral("数字签名的理由，如 同意"),
                            QStringLiteral("文字")};
  QCommandLineOption location{QStringLiteral("location"), QStringLiteral("数字签名的地点"),
                              QStringLiteral("文字")};
  QCommandLineOption tsa{QStringLiteral("tsa"),
                         QStringLiteral("时间戳服务（RFC 3161）的网址：给数字签名加上可信时间"),
                         QStringLiteral("网址")};

  QList<QCommandLineOption> All() const {
    return {sign,      pages,      at,         width, seal,     sealAt,         sealWidth,
            sealBlend, seam,       seamPages,  seamSkipFirst,  seamSlices, seamY, seamWidth,
            date,      password,   passwordFile, breakSignatures, certificate,
            certificatePasswordFile, nssDb, nssNickname, field, reason, location, tsa};
  }
};

// The options of --verify: reading a document's signatures, nothing drawn or written.
struct VerifyOptions {
  QCommandLineOption verify{
      QStringLiteral("verify"),
      QStringLiteral("核验 PDF 文档里的数字签名，每个签名一行：签名域、签名者、结论（有效、签名后已被修改、"
                     "无法验证）、签名时间、覆盖范围、证书是否可信；全部有效时退出状态为 0"),
      QStringLiteral("文档.pdf")};
};

// --date takes its text only when one follows it: a bare --date (last, or before another
// option) asks for today's date, which QCommandLineParser cannot say by itself.
QStringList WithDateValue(const QStringList& arguments) {
  QStringList out;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    if (arguments[i] != QStringLiteral("--date")) {
      out << arguments[i];
    } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith('-')) {
      out << QStringLiteral("--date=") + arguments[++i];
    } else {
      out << QStringLiteral("--date=");
    }
  }
  return out;
}

double Millimetres(const QString& option, const QString& text, bool positive) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  constexpr double kLargest = 10000;  // ten metres: no page is larger
  if (!ok || !std::isfinite(value) || std::abs(value) > kLargest || (positive && value <= 0))
    throw BadArguments(QStringLiteral("--%1 须是%2毫米数：“%3”")
                           .arg(option, positive ? QStringLiteral("大于 0 的") : QString(), text));
  return value;
}

QPointF Position(const QString& option, const QString& text) {
  const QStringList parts = text.split(QRegularExpression(QStringLiteral("[,，]")));
  if (parts.size() != 2)
    throw BadArguments(
        QStringLiteral("--%1 须写成 X,Y（毫米，从页面左上角量起），例如 30,40：“%2”").arg(option, text));
  return {Millimetres(option, parts[0], false), Millimetres(option, parts[1], false)};
}

qint32 Integer(const QString& option, const QString& text, qint64 low, qint64 high,
               const QString& what) {
  bool ok = false;
  const qint64 value = text.trimmed().toLongLong(&ok);
  if (!ok || value < low || value > high)
    throw BadArguments(QStringLiteral("--%1 须是%2：“%3”").arg(option, what, text));
  return qint32(value);
}

Colour ParseInk(const QString& text) {
  static const QRegularExpression hex(
      QStringLiteral("^#([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})$"));
  const QRegularExpressionMatch match = hex.match(text);
  if (!match.hasMatch())
    throw BadArguments(QStringLiteral("--color 须写成 #RRGGBB，例如 #C00000：“%1”").arg(text));
  const auto part = [&](int i) { return Colour(match.captured(i).toUInt(nullptr, 16)); };
  return part(1) | (part(2) << 8) | (part(3) << 16);
}

void CheckCertificate(const RenderArguments::Signing& s) {
  if (!s.password.isEmpty() && s.passwordFile)
    throw BadArguments(QStringLiteral("--password 与 --password-file 只能给出一个"));
  if (s.certificate && s.nssDatabase)
    throw BadArguments(QStringLiteral("--certificate 与 --nss-db 只能给出一个：证书文件或 NSS 数据库"));
  if (s.nssDatabase.has_value() != s.nssNickname.has_value())
    throw BadArguments(QStringLiteral("--nss-db 与 --nss-nickname 要一起给出：数据库和其中证书的昵称"));
  if (s.WithCertificate()) {
    if (s.breakSignatures)
      throw BadArguments(QStringLiteral("--break-signatures 不能与数字证书同用：数字签名总是追加在原文件之后"));
    return;
  }
  const std::pair<bool, const char*> needing[] = {
      {s.certificatePasswordFile.has_value(), "certificate-password-file"},
      {!s.field.isEmpty(), "field"},
      {!s.reason.isEmpty(), "reason"},
      {!s.location.isEmpty(), "location"},
      {!s.timestampUrl.isEmpty(), "tsa"}};
  for (const auto& [set, name] : needing)
    if (set)
      throw BadArguments(QStringLiteral("--%1 用于数字签名：请同时给出 --certificate 或 --nss-db")
                             .arg(QLatin1String(name)));
}

void CheckSigning(const RenderArguments& a) {
  const RenderArguments::Signing& s = *a.signing;
  if (a.practice || a.allStyles)
    throw BadArguments(QStringLiteral("--sign 不能与 --practice 或 --style all 同用"));
  CheckCertificate(s);
  if (!s.at && !s.seal && !s.seam && !s.WithCertificate())
    throw BadArguments(
        QStringLiteral("--sign 要盖什么：请给出签名的位置 --at X,Y，或 --seal、--seam"));
  if (s.width && !s.at) throw BadArguments(QStringLiteral("--width 要与 --at 同用"));
  if (s.date && !s.at) throw BadArguments(QStringLiteral("--date 写在签名下方，要与 --at 同用"));
  if (s.seal.has_value() != s.sealAt.has_value())
    throw BadArguments(QStringLiteral("--seal 与 --seal-at 要一起给出：印章的款式和位置"));
  if (s.sealWidth && !s.seal) throw BadArguments(QStringLiteral("--seal-width 要与 --seal 同用"));
  if (!s.seam && (s.seamSlices || s.seamY || s.seamWidth || s.seamSkipFirst ||
                  s.seamPages != QStringLiteral("all")))
    throw BadArguments(QStringLiteral("--seam-pages、--seam-slices、--seam-y 等要与 --seam 同用"));
  if (s.documents.size() > 1 && !a.out.isEmpty() && QFileInfo(a.out).isFile())
    throw BadArguments(
        QStringLiteral("签署多个文档时 --out 须是文件夹，“%1”是文件").arg(a.out));
}

void CheckOutput(const RenderArguments& a) {
  if (a.signing) {
    CheckSigning(a);
    if (a.out.isEmpty()) return;  // each signed copy beside its document
  }
  if (a.out.isEmpty())
    throw BadArguments(QStringLiteral("缺少 --out：要写入的文件（--style all 时为文件夹）"));
  // The command line arrives decoded from UTF-8, with bytes that are not UTF-8 as U+FFFD; such
  // a name would write a different file from the one asked for.
  if (a.out.contains(QChar::ReplacementCharacter) ||
      QFile::decodeName(QFile::encodeName(a.out)) != a.out)
    throw BadArguments(
        QStringLiteral("--out 的名称含有不能照原样写成文件名的字节（不是有效的 UTF-8）：“%1”")
            .arg(a.out));
  if (a.signing) return;  // a file or a folder: told apart against the documents
  if (a.practice) {
    if (a.allStyles)
      throw BadArguments(QStringLiteral("--practice 一次画一种款式，不能与 --style all 同用"));
    if (QFileInfo(a.out).suffix().toLower() != QStringLiteral("pdf"))
      throw BadArguments(
          QStringLiteral("--practice 的 --out 须以 .pdf 结尾：“%1”").arg(a.out));
    return;
  }
  if (a.allStyles) {
    if (a.transparent && !kTransparentTypes.contains(QString::fromLatin1(a.folderFormat)))
      throw BadArguments(
          QStringLiteral("透明背景只能存为 PNG、SVG 或 PDF（BMP 和 JPEG 没有透明度）：--format %1")
              .arg(QString::fromLatin1(a.folderFormat)));
    return;
  }
  const QString suffix = QFileInfo(a.out).suffix().toLower();
  if (!kFileTypes.contains(suffix))
    throw BadArguments(
        QStringLiteral("--out 的文件名须以 .png、.jpg、.jpeg、.bmp、.svg 或 .pdf 结尾：“%1”")
            .arg(a.out));
  if (a.transparent && !kTransparentTypes.contains(suffix))
    throw BadArguments(
        QStringLiteral("透明背景只能存为 PNG、SVG 或 PDF（BMP 和 JPEG 没有透明度）：“%1”")
            .arg(a.out));
}

// Qt lists a one-letter option as -x; the renderer spells every option with two dashes (and
// accepts both), so the help shows --x and --y as its messages and README do. The padding after
// the name gives up one space, keeping the descriptions in their column.
QString HelpText(const QCommandLineParser& parser) {
  static const QRegularExpression oneLetter(QStringLiteral("^  -([xy]) (<[^>]*>) "),
                                            QRegularExpression::MultilineOption);
  return parser.helpText().replace(oneLetter, QStringLiteral("  --\\1 \\2"));
}

std::optional<double> OptionalMillimetres(const QCommandLineParser& parser,
                                          const QCommandLineOption& option, bool positive) {
  if (!parser.isSet(option)) return std::nullopt;
  return Millimetres(option.names().first(), parser.value(option), positive);
}

std::optional<RenderArguments::Signing> ReadSigning(const QCommandLineParser& parser,
                                                    const SignOptions& so) {
  if (!parser.isSet(so.sign)) {
    for (const QCommandLineOption& option : so.All())
      if (parser.isSet(option))
        throw BadArguments(
            QStringLiteral("--%1 只用于签署文档：请用 --sign 给出文档").arg(option.names().first()));
    return std::nullopt;
  }
  RenderArguments::Signing s;
  s.documents = parser.values(so.sign);
  if (parser.isSet(so.pages)) s.pages = parser.value(so.pages);
  if (parser.isSet(so.at)) s.at = Position(QStringLiteral("at"), parser.value(so.at));
  s.width = OptionalMillimetres(parser, so.width, true);
  if (parser.isSet(so.seal)) s.seal = parser.value(so.seal);
  if (parser.isSet(so.sealAt))
    s.sealAt = Position(QStringLiteral("seal-at"), parser.value(so.sealAt));
  s.sealWidth = OptionalMillimetres(parser, so.sealWidth, true);
  if (parser.isSet(so.sealBlend)) {
    const QString blend = parser.value(so.sealBlend);
    if (blend != QStringLiteral("multiply") && blend != QStringLiteral("normal"))
      throw BadArguments(QStringLiteral("--seal-blend 须是 multiply 或 normal：“%1”").arg(blend));
    s.sealMultiplies = blend == QStringLiteral("multiply");
  }
  s.seam = parser.isSet(so.seam);
  if (parser.isSet(so.seamPages)) s.seamPages = parser.value(so.seamPages);
  s.seamSkipFirst = parser.isSet(so.seamSkipFirst);
  if (parser.isSet(so.seamSlices))
    s.seamSlices = Integer(QStringLiteral("seam-slices"), parser.value(so.seamSlices), 1, 1000,
                           QStringLiteral(" 1 到 1000 的整数"));
  s.seamY = OptionalMillimetres(parser, so.seamY, false);
  s.seamWidth = OptionalMillimetres(parser, so.seamWidth, true);
  if (parser.isSet(so.date)) s.date = parser.value(so.date);
  s.password = parser.value(so.password);
  const auto optional = [&](const QCommandLineOption& option) -> std::optional<QString> {
    if (!parser.isSet(option)) return std::nullopt;
    return parser.value(option);
  };
  s.passwordFile = optional(so.passwordFile);
  s.breakSignatures = parser.isSet(so.breakSignatures);
  s.certificate = optional(so.certificate);
  s.certificatePasswordFile = optional(so.certificatePasswordFile);
  s.nssDatabase = optional(so.nssDb);
  s.nssNickname = optional(so.nssNickname);
  s.field = parser.value(so.field);
  s.reason = parser.value(so.reason);
  s.location = parser.value(so.location);
  s.timestampUrl = parser.value(so.tsa);
  // Timestamp authorities answer over plain HTTP: the token is signed, the channel need not be.
  if (!s.timestampUrl.isEmpty() && !s.timestampUrl.startsWith(QStringLiteral("http://")))
    throw BadArguments(QStringLiteral("--tsa 须是 http:// 开头的网址：“%1”").arg(s.timestampUrl));
  return s;
}

// --verify reads one document and draws nothing: of the other options only the document's
// password goes with it.
std::optional<RenderArguments::Verifying> ReadVerifying(const QCommandLineParser& parser,
                                                        const VerifyOptions& vo,
                                                        const SignOptions& so) {
  if (!parser.isSet(vo.verify)) return std::nullopt;
  const QStringList documents = parser.values(vo.verify);
  if (documents.size() > 1)
    throw BadArguments(QStringLiteral("--verify 一次核验一个文档，给出了 %1 个").arg(documents.size()));
  const QStringList allowed = vo.verify.names() + so.nssDb.names() + so.password.names() +
                               so.passwordFile.names();
  for (const QString& name : parser.optionNames())
    if (!allowed.contains(name))
      throw BadArguments(
          QStringLiteral("--verify 只核验文档，不能与 --%1 同用（可与 --password、--password-file、--nss-db 同用）").arg(name));
  RenderArguments::Verifying v;
  v.document = documents.first();
  v.password = parser.value(so.password);
  if (parser.isSet(so.passwordFile)) {
    if (!v.password.isEmpty())
      throw BadArguments(QStringLiteral("--password 与 --password-file 只能给出一个"));
    v.passwordFile = parser.value(so.passwordFile);
  }
  v.nssDatabase = parser.value(so.nssDb);
  if (parser.isSet(so.nssDb) && v.nssDatabase.isEmpty())
    throw BadArguments(QStringLiteral("--nss-db 须给出证书数据库的文件夹"));
  return v;
}

}  // namespace

RenderArguments ParseRenderArguments(const QStringList& arguments) {
  Options o;
  const SignOptions so;
  const VerifyOptions vo;
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "不开窗口，按窗口里同样的选择画出签名并存为图片，或用 --sign 把签名和印章盖到 PDF "
      "文档上；写出的每个文件打印一行路径。用 --verify 核验文档里的数字签名。"));
  // Qt's own help option would also offer --help-all for Qt's options, which are not read here.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("显示本帮助"));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("显示版本"));
  parser.addOptions({help, version});
  parser.addOptions(
      {o.name, o.en, o.style, o.background, o.size, o.color, o.x, o.y, o.scale, o.out, o.format,
       o.practice});
  parser.addOptions(so.All());
  parser.addOptions({vo.verify});
  RenderArguments a;
  ParserMessages messages;
  const bool translated = QCoreApplication::instance() &&
                          QCoreApplication::installTranslator(&messages);
  // Some of the texts are made only when asked for, so both happen under the translator.
  const bool parsed = parser.parse(WithDateValue(arguments));
  const QString complaint = parsed ? QString() : parser.errorText();
  if (translated) QCoreApplication::removeTranslator(&messages);
  if (!parsed) throw BadArguments(complaint);
  if (parser.isSet(help)) {
    a.action = RenderArguments::Action::ShowHelp;
    a.text = HelpText(parser);
    return a;
  }
  if (parser.isSet(version)) {
    a.action = RenderArguments::Action::ShowVersion;
    a.text =
        QCoreApplication::applicationName() + ' ' + QCoreApplication::applicationVersion() + '\n';
    return a;
  }
  if (!parser.positionalArguments().isEmpty())
    throw BadArguments(QStringLiteral("多余的参数：“%1”（选项须以 -- 开头）")
                           .arg(parser.positionalArguments().join(' ')));
  a.verifying = ReadVerifying(parser, vo, so);
  if (a.verifying) return a;

  if (parser.isSet(o.name)) a.nameCN = parser.value(o.name);
  if (parser.isSet(o.en)) a.nameEN = parser.value(o.en);
  if (parser.isSet(o.style)) {
    a.allStyles = parser.value(o.style) == QStringLiteral("all");
    if (!a.allStyles) a.style = parser.value(o.style);
  }
  if (parser.isSet(o.background)) {
    a.transparent = parser.value(o.background) == QStringLiteral("none");
    if (!a.transparent) a.background = parser.value(o.background);
  }
  if (parser.isSet(o.size)) {
    try {
      ParseFontSize(parser.value(o.size));
    } catch (const Failure& failure) {
      throw BadArguments(QStringLiteral("--size：") + failure.message());
    }
    a.sizeText = parser.value(o.size);
  }
  if (parser.isSet(o.color)) a.ink = ParseInk(parser.value(o.color));
  const QString twips = QStringLiteral("以缇为单位的整数");
  if (parser.isSet(o.x))
    a.x = Integer(QStringLiteral("x"), parser.value(o.x), INT32_MIN, INT32_MAX, twips);
  if (parser.isSet(o.y))
    a.y = Integer(QStringLiteral("y"), parser.value(o.y), INT32_MIN, INT32_MAX, twips);
  a.scale = Integer(QStringLiteral("scale"), parser.value(o.scale), kMinRenderScale,
                    kMaxRenderScale, QStringLiteral(" 1 到 8 的整数"));
  if (parser.isSet(o.format)) {
    if (!a.allStyles)
      throw BadArguments(
          QStringLiteral("--format 只用于 --style all；单个文件的类型看 --out 的扩展名"));
    const QString format = parser.value(o.format).toLower();
    if (format == QStringLiteral("jpeg") || !kFileTypes.contains(format))
      throw BadArguments(QStringLiteral("--format 须是 png、jpg、bmp、svg 或 pdf：“%1”")
                             .arg(parser.value(o.format)));
    a.folderFormat = format.toLatin1();
  }
  a.practice = parser.isSet(o.practice);
  a.out = parser.value(o.out);
  a.signing = ReadSigning(parser, so);
  CheckOutput(a);
  return a;
}

}  // namespace yz
