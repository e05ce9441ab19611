// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/render_plan.h"

#include <QDir>
#include <QSet>
#include <algorithm>

#include "app/style_rules.h"

namespace yz {

namespace {

constexpr qsizetype kMaxStemBytes = 200;

QString Choices(const QStringList& names) { return names.join(QStringLiteral("、")); }

int StyleIndex(const RenderArguments& a, const Catalogue& catalogue) {
  if (!a.style) return std::max(0, DefaultStyleIndex(catalogue.styleNames));
  const int index = catalogue.styleNames.indexOf(*a.style);
  if (index < 0)
    throw BadArguments(QStringLiteral("没有名为“%1”的签名款式；可选：%2、all")
                           .arg(*a.style, Choices(catalogue.styleNames)));
  return index;
}

int BackgroundIndex(const RenderArguments& a, const Catalogue& catalogue) {
  if (!a.background) return DefaultBackgroundIndex(catalogue.backgroundNames);
  const int index = catalogue.backgroundNames.indexOf(*a.background);
  if (index < 0)
    throw BadArguments(QStringLiteral("没有名为“%1”的背景图片；可选：%2、none")
                           .arg(*a.background, Choices(catalogue.backgroundNames)));
  return index;
}

DrawingRequest RequestFor(const RenderArguments& a, const Catalogue& catalogue, int style,
                          int background) {
  const StyleRule rule = StyleRuleFor(catalogue.styleNames[style]);
  DrawingRequest request;
  request.style = style;
  if (a.transparent)
    request.background.reset();
  else
    request.background = background;
  request.sizeText = a.sizeText.value_or(QString::number(std::min(kDefaultSize, rule.sizeCap)));
  request.ink = a.ink.value_or(rule.ink);
  request.textCN = a.nameCN;
  request.textEN = a.nameEN;
  request.x = a.x;
  request.y = a.y;
  request.scale = a.scale;
  return request;
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

QList<PlannedPicture> PlanPictures(const RenderArguments& a, const Catalogue& catalogue) {
  const int background = BackgroundIndex(a, catalogue);
  if (!a.allStyles) {
    return {{RequestFor(a, catalogue, StyleIndex(a, catalogue), background), a.out}};
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
        {RequestFor(a, catalogue, style, background), QDir(a.out).filePath(name)});
  }
  return pictures;
}

}  // namespace yz
