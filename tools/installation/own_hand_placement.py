# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Where a built character's parts go, learned from how the face sets its own parts against
each other: not each part in its own median box (王 where 珠 and 现 have it, 月 where 明 and 期
have it, which can leave them far apart or crowding each other), but:

- along the arrangement, each part takes the width the face gives it beside its partners (a
  wide 番 beside a narrow 阝 in 鄱, a narrow 木 beside 羽 in 栩: the widths of every part in
  every place solved together from those ratios), with the gap the face leaves beside that
  part in that place between them, the whole centred on the face's usual extent and pressed
  into it only when wider;
- across it, each part keeps the extent the face gives it in that place (its alignment);
- an enclosure's inside goes where the face's own glyphs of that enclosure put it, relative to
  the enclosure's box.
"""

import math
import statistics

import own_hand_layout as layout

# Rounds of the joint solution of part widths; it settles within a few.
ROUNDS = 12
# Weight of a part's own median width against its ratios to its partners (in observations).
PRIOR = 1.0


def median(values, default=0.0) -> float:
    return statistics.median(values) if values else default


def median_box(boxes) -> tuple[float, ...]:
    return tuple(statistics.median(b[k] for b in boxes) for k in range(4))


class Spacing:
    """The face's own spacing of parts, learned glyph by glyph (learn), then solved."""

    def __init__(self):
        self.widths: dict[tuple, list[float]] = {}     # place key -> extents along the axis
        self.before: dict[tuple, list[float]] = {}     # place key -> gap to the part before
        self.after: dict[tuple, list[float]] = {}      # place key -> gap to the part after
        self.gaps: dict[tuple, list[float]] = {}       # (kind, n, index) -> gap after it
        self.spans: dict[tuple, list[tuple]] = {}      # (kind, n) -> (start, end) along it
        self.ratios: list[tuple[tuple, tuple, float]] = []
        self.insides: dict[tuple, list[tuple]] = {}    # (kind, enclosure) or (kind,) -> box
        self.size: dict[tuple, float] = {}             # place key -> solved log width

    def learn(self, split, boxes) -> None:
        n, kind = len(split.parts), split.kind
        if layout.enclosing(kind):
            inside = relative(boxes[1], boxes[0])
            self.insides.setdefault((kind, split.parts[0]), []).append(inside)
            self.insides.setdefault((kind,), []).append(inside)
            return
        keys = [(kind, n, i, part) for i, part in enumerate(split.parts)]
        runs = [along(kind, box) for box in boxes]
        self.spans.setdefault((kind, n), []).append((runs[0][0], runs[-1][1]))
        for index, (key, run) in enumerate(zip(keys, runs)):
            self.widths.setdefault(key, []).append(run[1] - run[0])
            if index + 1 < n:
                gap = runs[index + 1][0] - run[1]
                self.after.setdefault(key, []).append(gap)
                self.before.setdefault(keys[index + 1], []).append(gap)
                self.gaps.setdefault((kind, n, index), []).append(gap)
                following = runs[index + 1][1] - runs[index + 1][0]
                if run[1] > run[0] and following > 0:
                    self.ratios.append((key, keys[index + 1],
                                        math.log((run[1] - run[0]) / following)))

    def solve(self) -> None:
        """Each place's log width, so that the ratios between neighbours are met as nearly as
        they can be, each drawn toward the part's own median width."""
        prior = {key: math.log(max(1.0, median(values))) for key, values in self.widths.items()}
        size = dict(prior)
        pairs: dict[tuple, list[tuple[tuple, float]]] = {}
        for first, second, ratio in self.ratios:
            pairs.setdefault(first, []).append((second, ratio))
            pairs.setdefault(second, []).append((first, -ratio))
        for _ in range(ROUNDS):
            for key in sorted(pairs):
                seen = pairs[key]
                size[key] = (PRIOR * prior[key] + sum(size[other] + ratio
                                                      for other, ratio in seen)) \
                    / (PRIOR + len(seen))
        # Only ratios count: each arrangement's widths keep their median scale.
        self.size = size

    def targets(self, kind: str, parts, box_of) -> list[tuple]:
        """The box (font units) each part goes in. box_of(index, part) is the part's median
        box in that place (the place's, when the face has no such part there)."""
        n = len(parts)
        boxes = [box_of(index, part) for index, part in enumerate(parts)]
        if layout.enclosing(kind):
            outer = boxes[0]
            inside = self.insides.get((kind, parts[0])) or self.insides.get((kind,))
            return [outer, placed(median_box(inside), outer) if inside else boxes[1]]
        keys = [(kind, n, i, part) for i, part in enumerate(parts)]
        runs = [along(kind, box) for box in boxes]
        spans = self.spans.get((kind, n))
        start, end = (median([s[0] for s in spans]), median([s[1] for s in spans])) if spans \
            else (runs[0][0], runs[-1][1])
        gaps = [median(self.after.get(keys[i], []) + self.before.get(keys[i + 1], []),
                       median(self.gaps.get((kind, n, i), [])))
                for i in range(n - 1)]
        weights = [math.exp(self.size[key]) if key in self.size else max(1.0, run[1] - run[0])
                   for key, run in zip(keys, runs)]
        # Parts keep the size the face gives them (a narrow 王 beside a narrow 月 makes a
        # narrow 玥, as the face's own narrow pairs are): stretching them to the usual extent
        # would widen their strokes across. Only parts too wide together are pressed into it.
        room = max(1.0, end - start - sum(gaps))
        natural = sum(weights)
        scale = min(1.0, room / natural)
        start += (room - natural * scale) / 2
        found, position = [], start
        for index, (box, weight) in enumerate(zip(boxes, weights)):
            extent = weight * scale
            found.append(with_run(kind, box, (position, position + extent)))
            position += extent + (gaps[index] if index < n - 1 else 0)
        return found


def along(kind: str, box) -> tuple[float, float]:
    """The box's run along the arrangement, in reading order (stacked parts run downwards:
    measured from the top, as distances below it)."""
    return (box[0], box[2]) if kind == "a" else (-box[3], -box[1])


def with_run(kind: str, box, run) -> tuple:
    if kind == "a":
        return (run[0], box[1], run[1], box[3])
    return (box[0], -run[1], box[2], -run[0])


def relative(box, within) -> tuple:
    w, h = (within[2] - within[0]) or 1, (within[3] - within[1]) or 1
    return ((box[0] - within[0]) / w, (box[1] - within[1]) / h,
            (box[2] - within[0]) / w, (box[3] - within[1]) / h)


def placed(share, within) -> tuple:
    w, h = within[2] - within[0], within[3] - within[1]
    return (within[0] + share[0] * w, within[1] + share[1] * h,
            within[0] + share[2] * w, within[1] + share[3] * h)
