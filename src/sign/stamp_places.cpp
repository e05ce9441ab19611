// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/stamp_places.h"

#include <algorithm>
#include <cmath>

#include "sign/ink_grid.h"
#include "sign/page_ink_layout.h"

namespace yz {

namespace {

// Margins a page is usually given, for a page too bare to show its own.
constexpr double kUsualSideMarginShare = 0.12;
constexpr double kUsualSideMarginMostMm = 25;
constexpr double kUsualBottomMarginShare = 0.08;
constexpr double kFooterClearanceMm = 3;
// White kept between a stamp and the page's ink.
constexpr double kClearanceMm = 0.5;
// A seal is pressed over the signature's last character: this much of it, at most this much of
// the signature.
constexpr double kSealOverSealShare = 0.35;
constexpr double kSealOverSignatureShare = 0.3;
// The date under the signature, as far as the window puts it, or further down past a rule.
constexpr double kDateGapShare = 0.1;
constexpr double kDateFurthestMm = 12;
// A name is written a line's space under the text it closes, and on a signature line just above
// it.
constexpr double kBelowTextMm = 5;
constexpr double kAboveRuleMm = 0.75;
constexpr double kRuleReachAboveMm = 3;
// A label's signature line starts right after it or runs under it; the name itself goes at most
// this far right of the label.
constexpr double kLabelToRuleMm = 15;
constexpr double kLabelReachMm = 30;
constexpr double kLabelOverMm = 6;
// Rules in the upper half of the text are headings' and tables', not the end's.
constexpr double kRulesFromShare = 0.5;
constexpr double kStepMm = 1;

struct Limits {
  double left, right, top, bottom;
  bool Hold(const QRectF& box) const {
    constexpr double kSlack = 1e-6;
    return box.left() >= left - kSlack && box.right() <= right + kSlack &&
           box.top() >= top - kSlack && box.bottom() <= bottom + kSlack;
  }
};

// Steps from `from` towards `to` (either way), `from` first and `to` last; a millimetre apart, or
// further on a page so large that a search a millimetre at a time would take long.
std::vector<double> Steps(double from, double to) {
  constexpr int kMostSteps = 400;
  std::vector<double> steps;
  const double step = std::max(kStepMm, std::abs(to - from) / kMostSteps);
  const double direction = to >= from ? step : -step;
  const int count = int(std::floor(std::abs(to - from) / step));
  for (int i = 0; i <= count; ++i) steps.push_back(from + i * direction);
  if (steps.empty() || std::abs(steps.back() - to) > 1e-9) steps.push_back(to);
  return steps;
}

class Placer {
 public:
  Placer(const InkGrid& grid, const PageInkLayout& layout, const StampSizesMm& sizes)
      : grid_(grid), layout_(layout), sizes_(sizes), limits_(LimitsFor()) {}

  const Limits& Bounds() const { return limits_; }

  // The stamps with the signature's top-left at `at`, if each finds white space there.
  std::optional<StampPlaces> Try(QPointF at) const {
    const QRectF signature(at, sizes_.signature);
    if (!Clear(signature)) return std::nullopt;
    StampPlaces places;
    places.signature = at;
    places.roomFound = true;
    if (sizes_.seal) {
      places.seal = FirstClear(SealOptions(signature));
      if (!places.seal) return std::nullopt;
    }
    if (sizes_.date) {
      places.date = FirstClear(DateOptions(signature), *sizes_.date);
      if (!places.date) return std::nullopt;
    }
    return places;
  }

  // The stamps with the signature at `at`, all inside the margins however much ink they cover,
  // with how much that is: the seal and the date each where it covers least.
  std::optional<std::pair<int, StampPlaces>> Covering(QPointF at) const {
    const QRectF signature(at, sizes_.signature);
    if (!limits_.Hold(signature)) return std::nullopt;
    std::pair<int, StampPlaces> covering{grid_.InkCellsIn(signature), {}};
    covering.second.signature = at;
    StampPlaces& places = covering.second;
    if (sizes_.seal && !(places.seal = LeastInk(SealOptions(signature), *sizes_.seal, covering.first)))
      return std::nullopt;
    if (sizes_.date && !(places.date = LeastInk(DateOptions(signature), *sizes_.date, covering.first)))
      return std::nullopt;
    return covering;
  }

  // Where the stamps go on a page with no room: low on the right inside the margins.
  StampPlaces Fallback() const {
    const QSizeF signature = sizes_.signature;
    const QSizeF seal = sizes_.seal.value_or(QSizeF());
    const double reachRight = sizes_.seal ? signature.width() - SealOverlap() + seal.width()
                                          : signature.width();
    const double dateBelow = sizes_.date ? DateGap() + sizes_.date->height() : 0;
    const double reachDown = std::max(signature.height() + dateBelow,
                                      (signature.height() + seal.height()) / 2);
    const QPointF at(std::max(0.0, limits_.right - reachRight),
                     std::max(0.0, limits_.bottom - reachDown));
    StampPlaces places;
    places.signature = at;
    const QRectF box(at, signature);
    if (sizes_.seal) places.seal = SealOptions(box).front();
    if (sizes_.date) places.date = DateOptions(box).front();
    return places;
  }

 private:
  Limits LimitsFor() const {
    const QSizeF page = grid_.PageMm();
    const double side = std::min(kUsualSideMarginMostMm, page.width() * kUsualSideMarginShare);
    const double usualBottom = page.height() * (1 - kUsualBottomMarginShare);
    const double footer = layout_.footerTopMm < page.height()
                              ? layout_.footerTopMm - kFooterClearanceMm
                              : page.height();
    if (layout_.blank) return {side, page.width() - side, side, std::min(usualBottom, footer)};
    Limits limits{layout_.textMm.left(), layout_.textMm.right(), layout_.textMm.top(),
                  std::min(footer, std::max(layout_.textMm.bottom(), usualBottom))};
    // Text narrower than the stamps (a short note) leaves the usual margins to them.
    if (limits.right - limits.left < GroupWidth()) {
      limits.left = std::min(limits.left, side);
      limits.right = std::max(limits.right, page.width() - side);
    }
    return limits;
  }

  double SealOverlap() const {
    if (!sizes_.seal) return 0;
    return std::min(kSealOverSealShare * sizes_.seal->width(),
                    kSealOverSignatureShare * sizes_.signature.width());
  }
  double GroupWidth() const {
    return sizes_.signature.width() +
           (sizes_.seal ? sizes_.seal->width() - SealOverlap() : 0);
  }
  double DateGap() const { return std::max(kClearanceMm * 2, sizes_.signature.height() * kDateGapShare); }

  // The seal over the signature's end, level with its middle, else its foot or its head (on a
  // signature line a seal must not cross the line; under a line of text it must stay below it).
  std::vector<QPointF> SealOptions(const QRectF& signature) const {
    const QSizeF seal = *sizes_.seal;
    const double x = signature.right() - SealOverlap();
    return {QPointF(x, signature.center().y() - seal.height() / 2),
            QPointF(x, signature.bottom() - seal.height()), QPointF(x, signature.top())};
  }
  // The date centred under the signature, moving down (past a signature line under the name),
  // else flush with its left edge.
  std::vector<QPointF> DateOptions(const QRectF& signature) const {
    const QSizeF date = *sizes_.date;
    std::vector<QPointF> options;
    for (const double x : {signature.center().x() - date.width() / 2, signature.left()})
      for (const double y : Steps(signature.bottom() + DateGap(), signature.bottom() + kDateFurthestMm))
        options.emplace_back(x, y);
    return options;
  }

  std::optional<QPointF> FirstClear(const std::vector<QPointF>& options) const {
    return FirstClear(options, *sizes_.seal);
  }
  std::optional<QPointF> FirstClear(const std::vector<QPointF>& options, const QSizeF& size) const {
    for (const QPointF& option : options)
      if (Clear(QRectF(option, size))) return option;
    return std::nullopt;
  }

  // The option inside the margins covering least ink, if one is inside, its ink added to `ink`.
  std::optional<QPointF> LeastInk(const std::vector<QPointF>& options, const QSizeF& size, int& ink) const {
    std::optional<QPointF> least;
    int leastInk = 0;
    for (const QPointF& option : options) {
      const QRectF box(option, size);
      if (!limits_.Hold(box)) continue;
      const int under = grid_.InkCellsIn(box);
      if (!least || under < leastInk) least = option, leastInk = under;
    }
    ink += leastInk;
    return least;
  }

  bool Clear(const QRectF& box) const {
    return limits_.Hold(box) &&
           grid_.InkCellsIn(box.adjusted(-kClearanceMm, -kClearanceMm, kClearanceMm, kClearanceMm)) == 0;
  }

  const InkGrid& grid_;
  const PageInkLayout& layout_;
  const StampSizesMm& sizes_;
  Limits limits_;
};

using Candidates = std::vector<QPointF>;

// On a signature line: just above it, centred on it when it is longer than the name, sliding
// along it and a little up to find white.
Candidates OnRule(const QRectF& rule, const QSizeF& signature) {
  Candidates candidates;
  const double y = rule.top() - kAboveRuleMm - signature.height();
  const double x = rule.left() + std::max(kStepMm, (rule.width() - signature.width()) / 2);
  const double leftmost = rule.left() - signature.width() / 4;
  const double rightmost = rule.right() - signature.width() / 2;
  for (const double dy : Steps(0, -kRuleReachAboveMm))
    for (int i = 0;; ++i) {
      const double right = x + i * kStepMm, left = x - i * kStepMm;
      if (right > rightmost && left < leftmost) break;
      if (right <= rightmost) candidates.emplace_back(right, y + dy);
      if (i > 0 && left >= leftmost) candidates.emplace_back(left, y + dy);
    }
  return candidates;
}

// The rule a label goes with: starting right after it on its line, running under it, or over it
// (a form's "Signature" printed under the line).
bool RuleOfLabel(const QRectF& rule, const QRectF& label) {
  const bool across = rule.left() < label.right() && rule.right() > label.left();
  const bool after = rule.left() >= label.center().x() && rule.left() - label.right() <= kLabelToRuleMm &&
                     rule.top() >= label.top() - 2 && rule.top() <= label.bottom() + 3;
  const bool under = across && rule.top() >= label.bottom() - 1 && rule.top() <= label.bottom() + kLabelToRuleMm;
  const bool over = across && rule.bottom() <= label.top() + 1 && rule.bottom() >= label.top() - kLabelOverMm;
  return after || under || over;
}

// Beside a label (level with it, then a little up or down), then on the line after it.
Candidates ByLabel(const QRectF& label, const QSizeF& signature) {
  Candidates candidates;
  const double level = label.center().y() - signature.height() / 2;
  for (const double dy : Steps(0, signature.height() / 2))
    for (const double y : {level - dy, level + dy})
      for (const double x : Steps(label.right() + 2 * kClearanceMm, label.right() + kLabelReachMm))
        candidates.emplace_back(x, y);
  for (const double y : Steps(label.bottom() + kClearanceMm * 2, label.bottom() + 6))
    for (const double x : Steps(label.left(), label.left() + kLabelReachMm)) candidates.emplace_back(x, y);
  return candidates;
}

// Signature lines near the text's end: the first of the last group of them (a name's line
// before a date's), then the others from the end up.
std::vector<QRectF> RulesByPreference(const PageInkLayout& layout) {
  std::vector<QRectF> rules;
  const double from = layout.textMm.top() + kRulesFromShare * layout.textMm.height();
  for (const QRectF& rule : layout.signatureLinesMm)
    if (rule.top() >= from) rules.push_back(rule);
  if (rules.empty()) return rules;
  constexpr double kGroupMm = 25;
  const double last = rules.back().top();
  std::stable_partition(rules.begin(), rules.end(),
                        [&](const QRectF& rule) { return rule.top() >= last - kGroupMm; });
  const auto group = std::find_if(rules.begin(), rules.end(),
                                  [&](const QRectF& rule) { return rule.top() < last - kGroupMm; });
  std::stable_sort(rules.begin(), group, [](const QRectF& a, const QRectF& b) {
    return std::make_pair(std::round(a.top()), a.left()) < std::make_pair(std::round(b.top()), b.left());
  });
  std::reverse(group, rules.end());
  return rules;
}

// Below the last line of text, as far right as the margins let the stamps go, then beside it.
Candidates BelowAndBeside(const PageInkLayout& layout, const Limits& limits, const QSizeF& signature) {
  Candidates candidates;
  const QRectF& last = layout.linesMm.back();
  const double below = last.bottom() + kBelowTextMm;
  for (const double y : Steps(below, std::max(below, limits.bottom - signature.height())))
    for (const double x : Steps(limits.right - signature.width(), limits.left)) candidates.emplace_back(x, y);
  const double level = last.center().y() - signature.height() / 2;
  for (const double dy : Steps(0, signature.height() / 2))
    for (const double y : {level - dy, level + dy})
      for (const double x : Steps(limits.right - signature.width(), last.right()))
        candidates.emplace_back(x, y);
  return candidates;
}

// Any white space inside the margins, from the text's end up.
Candidates Anywhere(const Limits& limits, const QSizeF& signature) {
  Candidates candidates;
  for (const double y : Steps(limits.bottom - signature.height(), limits.top))
    for (const double x : Steps(limits.right - signature.width(), limits.left)) candidates.emplace_back(x, y);
  return candidates;
}

std::optional<StampPlaces> FirstThatFits(const Placer& placer, const Candidates& candidates) {
  for (const QPointF& at : candidates)
    if (auto places = placer.Try(at)) return places;
  return std::nullopt;
}

// With no white space for them, the place by the signing labels or on the signature line where
// the stamps cover least: still where the page asks for a name, even if over a little of its text.
std::optional<StampPlaces> LeastCovering(const Placer& placer, const Candidates& candidates) {
  std::optional<std::pair<int, StampPlaces>> least;
  for (const QPointF& at : candidates)
    if (auto covering = placer.Covering(at); covering && (!least || covering->first < least->first))
      least = covering;
  if (!least) return std::nullopt;
  return least->second;
}

// A size as a length can be: not negative, not infinite, not a number.
QSizeF Sane(const QSizeF& size) {
  const auto length = [](double mm) { return std::isfinite(mm) && mm > 0 ? mm : 0.0; };
  return QSizeF(length(size.width()), length(size.height()));
}

}  // namespace

StampPlaces SuggestStampPlaces(const QImage& page, const QSizeF& givenPageMm,
                               const StampSizesMm& givenSizes, const std::vector<QRectF>& labelBoxesMm) {
  const QSizeF pageMm = Sane(givenPageMm);
  StampSizesMm sizes{Sane(givenSizes.signature), {}, {}};
  if (givenSizes.seal) sizes.seal = Sane(*givenSizes.seal);
  if (givenSizes.date) sizes.date = Sane(*givenSizes.date);
  const InkGrid grid(page, pageMm);
  const PageInkLayout layout = ReadPageInkLayout(grid, labelBoxesMm);
  const Placer placer(grid, layout, sizes);
  const QSizeF signature = sizes.signature;

  // The label nearest the text's end first: the last in reading order.
  std::vector<QRectF> labels = labelBoxesMm;
  std::stable_sort(labels.begin(), labels.end(), [](const QRectF& a, const QRectF& b) {
    return std::make_pair(std::round(a.bottom()), -a.left()) > std::make_pair(std::round(b.bottom()), -b.left());
  });
  const std::vector<QRectF> rules = RulesByPreference(layout);
  // Where the page asks for a name, most telling first: a label's own line, beside or under a
  // label, a signature line near the text's end.
  std::vector<Candidates> asked;
  for (const QRectF& label : labels)
    for (const QRectF& rule : layout.signatureLinesMm)
      if (RuleOfLabel(rule, label)) asked.push_back(OnRule(rule, signature));
  for (const QRectF& label : labels) asked.push_back(ByLabel(label, signature));
  for (const QRectF& rule : rules) asked.push_back(OnRule(rule, signature));
  const auto onLine = [](StampPlaces places) {
    places.onSignatureLine = true;
    return places;
  };
  for (const Candidates& candidates : asked)
    if (auto places = FirstThatFits(placer, candidates)) return onLine(*places);
  if (!layout.blank)
    if (auto places = FirstThatFits(placer, BelowAndBeside(layout, placer.Bounds(), signature)))
      return *places;
  if (auto places = FirstThatFits(placer, Anywhere(placer.Bounds(), signature))) return *places;
  Candidates everyAsked;
  for (const Candidates& candidates : asked) everyAsked.insert(everyAsked.end(), candidates.begin(), candidates.end());
  if (auto places = LeastCovering(placer, everyAsked)) return onLine(*places);
  return placer.Fallback();
}

}  // namespace yz
