// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/render_arguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTranslator>

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

void CheckOutput(const RenderArguments& a) {
  if (a.out.isEmpty())
    throw BadArguments(QStringLiteral("缺少 --out：要写入的文件（--style all 时为文件夹）"));
  // The command line arrives decoded from UTF-8, with bytes that are not UTF-8 as U+FFFD; such
  // a name would write a different file from the one asked for.
  if (a.out.contains(QChar::ReplacementCharacter) ||
      QFile::decodeName(QFile::encodeName(a.out)) != a.out)
    throw BadArguments(
        QStringLiteral("--out 的名称含有不能照原样写成文件名的字节（不是有效的 UTF-8）：“%1”")
            .arg(a.out));
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

}  // namespace

RenderArguments ParseRenderArguments(const QStringList& arguments) {
  Options o;
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "不开窗口，按窗口里同样的选择画出签名并存为图片；写出的每个文件打印一行路径。"));
  // Qt's own help option would also offer --help-all for Qt's options, which are not read here.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("显示本帮助"));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("显示版本"));
  parser.addOptions({help, version});
  parser.addOptions(
      {o.name, o.en, o.style, o.background, o.size, o.color, o.x, o.y, o.scale, o.out, o.format,
       o.practice});
  RenderArguments a;
  ParserMessages messages;
  const bool translated = QCoreApplication::instance() &&
                          QCoreApplication::installTranslator(&messages);
  // Some of the texts are made only when asked for, so both happen under the translator.
  const bool parsed = parser.parse(arguments);
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
  CheckOutput(a);
  return a;
}

}  // namespace yz
