#include "output/render_plan.h"

#include <QDir>
#include <QSet>
#include <algorithm>

namespace yz {

namespace {

constexpr int kDefaultSize = 72;
constexpr qsizetype kMaxStemBytes = 200;

QString Choices(const QStringList& names) { return names.join(QStringLiteral("、")); }

int StyleIndex(const RenderArguments& a, const Catalogue& catalogue) {
  if (!a.style) return std::max<int>(0, catalogue.styleNames.indexOf(QStringLiteral("公文签")));
  const int index = catalogue.styleNames.indexOf(*a.style);
  if (index < 0)
    throw BadArguments(QStringLiteral("没有名为“%1”的签名款式；可选：%2、all")
                           .arg(*a.style, Choices(catalogue.styleNames)));
  return index;
}

int BackgroundIndex(const RenderArguments& a, const Catalogue& catalogue) {
  if (!a.background) return std::min<int>(1, catalogue.backgroundNames.size() - 1);
  const int index = catalogue.backgroundNames.indexOf(*a.background);
  if (index < 0)
    throw BadArguments(QStringLiteral("没有名为“%1”的背景图片；可选：%2、none")
                           .arg(*a.background, Choices(catalogue.backgroundNames)));
  return index;
}

RenderJob JobFor(const RenderArguments& a, const Catalogue& catalogue, int style, int background,
                 const StyleDefaultsFor& defaultsFor) {
  const StyleDefaults defaults = defaultsFor(catalogue.styleNames[style]);
  RenderJob job;
  job.styleIndex = style;
  job.backgroundIndex = background;
  job.transparent = a.transparent;
  job.sizeText = a.sizeText.value_or(QString::number(std::min(kDefaultSize, defaults.sizeCap)));
  job.ink = a.ink.value_or(defaults.ink);
  job.textCN = a.nameCN;
  job.textEN = a.nameEN;
  job.x = a.x;
  job.y = a.y;
  job.scale = a.scale;
  return job;
}

}  // namespace

QString StyleFileStem(const QString& styleName) {
  QString stem;
  for (const QChar c : styleName) {
    const bool hostile =
        c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c);
    stem += hostile ? QChar('_') : c;
  }
  stem = stem.trimmed();
  while (stem.startsWith('.') || stem.startsWith('-')) stem.remove(0, 1);
  while (stem.toUtf8().size() > kMaxStemBytes) stem.chop(stem.back().isLowSurrogate() ? 2 : 1);
  return stem.isEmpty() ? QStringLiteral("款式") : stem;
}

QList<PlannedPicture> PlanPictures(const RenderArguments& a, const Catalogue& catalogue,
                                   const StyleDefaultsFor& defaultsFor) {
  const int background = BackgroundIndex(a, catalogue);
  if (!a.allStyles) {
    return {{JobFor(a, catalogue, StyleIndex(a, catalogue), background, defaultsFor), a.out}};
  }
  QList<PlannedPicture> pictures;
  QSet<QString> taken;  // a folder style and a single face may share a name
  const QString suffix = '.' + QString::fromLatin1(a.folderFormat);
  for (int style = 0; style < catalogue.styleNames.size(); ++style) {
    const QString stem = StyleFileStem(catalogue.styleNames[style]);
    QString name = stem + suffix;
    for (int n = 2; taken.contains(name); ++n)
      name = QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix);
    taken.insert(name);
    pictures.append(
        {JobFor(a, catalogue, style, background, defaultsFor), QDir(a.out).filePath(name)});
  }
  return pictures;
}

}  // namespace yz
