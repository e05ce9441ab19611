# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Whether a glyph built from a face's parts may stand for its character.

Three checks, each calibrated on the face's own glyphs, not on fixed numbers:
- its parts sit in the boxes the decomposition gives them, in order and apart;
- its stroke weight lies within the interquartile range of the face's own characters;
- it reads as the intended character: drawn small and blurred, it is closer to the regular
  hand's (LXGW WenKai's) glyph of that character than to the regular hand's glyphs of its
  near neighbours (characters sharing a part in the same place), by a margin at least as
  wide as the face's own glyphs of the same arrangement mostly reach; and each of its parts
  alike resembles the regular hand's part in that place as the face's own parts do;
- its parts keep together: the widest empty band between them is no wider than the face's
  own glyphs of that arrangement mostly leave (parts set apart read as two characters);
- its parts lie as the regular hand lays out the same character: each part's box centre and
  extent, as shares of the glyph's ink box, differ from the regular hand's by no more than
  the face's own glyphs mostly differ (冏 drawn side by side, an enclosure stacked, parts in
  each other's places all fail), and an enclosure holds its inside within its box.
A built glyph that fails any of them is not used: the fill's plain character stays.
"""

import io
import statistics
from dataclasses import dataclass

import numpy as np
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from PIL import Image, ImageFilter, ImageOps

import decomposition
import glyph_metrics
import own_hand_layout as layout

SIDE = 32            # the small drawing compared
BLUR = 1.2           # pixels at SIDE: strokes of two hands rarely fall on the same pixels
PERCENTILE = 0.10    # share of the face's own glyphs a built one may fall behind
# Consecutive parts may overlap by this share of the glyph's extent (strokes reach across).
MOST_OVERLAP = 0.12
# A part may stray from its box by this share of the em.
BOX_SLACK = 0.06
# Share of the face's own glyphs whose gap between parts a built one may exceed.
GAP_PERCENTILE = 0.95
# A pixel this inked (of 1) is ink when looking for the band between parts.
GAP_INK = 0.25


def trial_font(units_per_em: int, ascent: int, descent: int,
               glyphs: dict[int, tuple[object, int]]):
    """A font holding only the given glyphs (code -> (glyph, advance)), to draw them as
    FreeType draws the installed font."""
    names = {code: f"g{code:X}" for code in glyphs}
    builder = FontBuilder(units_per_em, isTTF=True)
    builder.setupGlyphOrder([".notdef", *names.values()])
    builder.setupCharacterMap({code: names[code] for code in glyphs})
    builder.setupGlyf({".notdef": TTGlyphPen(None).glyph(),
                       **{names[code]: glyph for code, (glyph, _) in glyphs.items()}})
    builder.setupHorizontalMetrics({".notdef": (units_per_em, 0),
                                    **{names[code]: (advance, 0)
                                       for code, (_, advance) in glyphs.items()}})
    builder.setupHorizontalHeader(ascent=ascent, descent=-abs(descent))
    builder.setupNameTable({"familyName": "Trial", "styleName": "Regular"})
    builder.setupOS2()
    builder.setupPost()
    out = io.BytesIO()
    builder.font.save(out)
    return glyph_metrics.face(out.getvalue())


def ink(image: Image.Image) -> np.ndarray:
    return np.asarray(image, dtype=np.float32) / 255


def stroke_width(image: Image.Image) -> float | None:
    """Mean stroke width in pixels: twice the ink's area over its outline's length."""
    solid = ink(image) >= 0.5
    area = solid.sum()
    if not area:
        return None
    edge = solid & ~(np.roll(solid, 1, 0) & np.roll(solid, -1, 0)
                     & np.roll(solid, 1, 1) & np.roll(solid, -1, 1))
    return 2 * float(area) / max(1, int(edge.sum()))


def feature(image: Image.Image, box=None, mirrored: bool = False) -> np.ndarray | None:
    """The ink (within box, relative to the ink's own box, if given) stretched to SIDE x SIDE,
    blurred and normalised, so that two drawings compare by one dot product."""
    whole = image.getbbox()
    if whole is None:
        return None
    if box is not None:
        left, top, right, bottom = whole
        width, height = right - left, bottom - top
        region = (left + box[0] * width, top + box[1] * height,
                  left + box[2] * width, top + box[3] * height)
        image = image.crop(tuple(round(v) for v in region))
        whole = image.getbbox()
        if whole is None:
            return None
    small = image.crop(whole).resize((SIDE, SIDE), Image.BILINEAR)
    if mirrored:
        small = ImageOps.mirror(small)
    values = ink(small.filter(ImageFilter.GaussianBlur(BLUR))).ravel()
    values = values - values.mean()
    norm = np.linalg.norm(values)
    return values / norm if norm else None


def likeness(a: np.ndarray | None, b: np.ndarray | None) -> float:
    return float(a @ b) if a is not None and b is not None else -1.0


def margin(glyph: np.ndarray | None, intended: np.ndarray | None,
           neighbours: list[np.ndarray]) -> float:
    """How much closer the glyph is to the intended character than to its nearest neighbour."""
    closest = max((likeness(glyph, other) for other in neighbours), default=-1.0)
    return likeness(glyph, intended) - closest


def low(values: list[float]) -> float:
    """The value the face's own glyphs reach but for the lowest PERCENTILE of them."""
    ordered = sorted(values)
    return ordered[int(PERCENTILE * (len(ordered) - 1))]


def high(values: list[float]) -> float:
    """The gap the face's own glyphs stay within but for the widest few."""
    ordered = sorted(values)
    return ordered[int(GAP_PERCENTILE * (len(ordered) - 1))]


def widest_gap(image: Image.Image, kind: str) -> float:
    """The widest band of columns (rows, when stacked) without ink across the glyph, as a
    share of its ink's width (height): the gap it leaves between its parts."""
    solid = ink(image) >= GAP_INK
    rows, columns = np.flatnonzero(solid.any(axis=1)), np.flatnonzero(solid.any(axis=0))
    if not len(rows):
        return 0.0
    solid = solid[rows[0]:rows[-1] + 1, columns[0]:columns[-1] + 1]
    inked = solid.any(axis=0 if kind == "a" else 1)
    widest = run = 0
    for filled in inked:
        run = 0 if filled else run + 1
        widest = max(widest, run)
    return widest / len(inked)


def quartiles(values: list[float]) -> tuple[float, float]:
    q = statistics.quantiles(values, n=4)
    return q[0], q[2]


@dataclass(frozen=True)
class Calibration:
    """What the face's own glyphs reach, per arrangement (a / d, and number of parts)."""
    weights: tuple[tuple[float, float], ...]  # (ink share, stroke width in pixels) of its own
    margin: dict[tuple[str, int], float]     # lowest usual margin over the neighbours
    part: dict[tuple[str, int], float]       # lowest usual likeness of a part
    facing: dict[tuple[str, int], float]     # lowest usual lead of a part over its mirror
    kin: dict[tuple[str, int], float]        # lowest usual likeness to its other drawings
    gap: dict[tuple[str, int], float] = None  # widest usual band between the parts
    layout: dict[tuple[str, int], float] = None  # largest usual disagreement of the layout


@dataclass(frozen=True)
class Verdict:
    passed: bool
    reason: str
    weight: float
    share: float
    margin: float
    part: float


# Own glyphs of about the same ink share a built glyph's weight is compared with.
NEAREST = 40


def weight_range(calibration: "Calibration", share: float) -> tuple[float, float]:
    """The interquartile range of stroke width over the face's own glyphs nearest in ink
    share: dense characters crowd their strokes and measure heavier."""
    nearest = sorted(calibration.weights, key=lambda own: abs(own[0] - share))[:NEAREST]
    return quartiles([width for _, width in nearest])


def ink_share(image: Image.Image) -> float:
    return float(ink(image).sum()) / (image.width * image.height / 9)


def in_boxes(kind: str, placed: list[tuple], wanted: list[tuple], units_per_em: int) -> str:
    """Empty when the placed parts' ink boxes keep to the wanted boxes and their order along
    the arrangement; otherwise what is wrong. Boxes are (x0, y0, x1, y1) in font units."""
    axis = 0 if kind == "a" else 1
    slack = BOX_SLACK * units_per_em
    for index, (box, target) in enumerate(zip(placed, wanted)):
        if any(abs(box[k] - target[k]) > slack for k in range(4)):
            return f"part {index + 1} off its box"
    if kind in decomposition.ENCLOSING:
        # Beyond a closed side only (this 土 may reach past 广's roof on the right).
        outer, inner = placed
        if any(abs(inner[k] - outer[k]) > slack and (inner[k] < outer[k]) == (k < 2)
               for k in layout.CLOSED[kind]):
            return "inside out of its enclosure"
        return ""
    extent = (max(b[axis + 2] for b in placed) - min(b[axis] for b in placed)) or 1
    ordered = placed if axis == 0 else placed  # down: the first part is the top one
    for first, second in zip(ordered, ordered[1:]):
        if axis == 0:
            overlap = first[2] - second[0]
        else:
            overlap = second[3] - first[1]
        if overlap > MOST_OVERLAP * extent:
            return "parts overlap"
    return ""


# Enclosures of every kind are calibrated together: a face has too few of each.
ENCLOSED = ("enclosed", 2)
# The layout calibrated over every arrangement, for one the face has too few glyphs of.
ANY_ARRANGEMENT = ("any", 0)


def arrangement(kind: str, n: int) -> tuple[str, int]:
    return ENCLOSED if kind in decomposition.ENCLOSING else (kind, n)


def usual(known: dict, arrangement: tuple[str, int], default: float) -> float:
    """What the face's own glyphs of the arrangement reach; for one it has too few glyphs of
    (a face draws few enclosures), what all its glyphs reach."""
    return known.get(arrangement, known.get(ANY_ARRANGEMENT, default))


def laid_out_otherwise(kind: str, judged) -> str:
    """Empty unless the parts are laid out otherwise than the regular hand's drawing of the
    character shows them (judged: its decomposition as judged on that drawing)."""
    if judged is not None and judged.kind != kind:
        return f"laid out as {kind}, drawn as {judged.kind}"
    return ""


def laid_out_wrong(known: dict | None, kind: str, placed, judged, reference) -> str:
    """Empty unless the parts are laid out otherwise than the regular hand's drawing of the
    character shows them (judged: its decomposition as judged on that drawing), or lie unlike
    the regular hand's parts (reference: their boxes, in any units, one per part, in the
    decomposition's order) by more than the face's own glyphs mostly do (known: the largest
    usual disagreement per arrangement)."""
    otherwise = laid_out_otherwise(kind, judged)
    most = usual(known or {}, arrangement(kind, len(placed)), None)
    if otherwise or not reference or most is None or len(reference) != len(placed):
        return otherwise
    off = layout.disagreement(placed, reference)
    return f"layout unlike the regular hand's ({off:.3f} above {most:.3f})" if off > most else ""


# Share of the face's own drawings of a part in a place whose proportions a built part may
# fall outside, at each end.
SHAPE_TAIL = 0.025


def squeezed(placed, own) -> str:
    """Empty unless a part (its box) is narrower or wider for its height than the face ever
    mostly draws it in that place (own: the boxes of those drawings; five at least)."""
    if len(own) < 5:
        return ""
    ratios = sorted((b[2] - b[0]) / max(1.0, b[3] - b[1]) for b in own)
    low = ratios[int(SHAPE_TAIL * (len(ratios) - 1))]
    high = ratios[round((1 - SHAPE_TAIL) * (len(ratios) - 1))]
    ratio = (placed[2] - placed[0]) / max(1.0, placed[3] - placed[1])
    if not low <= ratio <= high:
        return f"a part squeezed (proportion {ratio:.2f} outside {low:.2f}-{high:.2f})"
    return ""


def apart(calibration: Calibration, arrangement: tuple[str, int], image: Image.Image) -> str:
    """Empty unless the parts stand further apart than the face's own ever mostly do."""
    gap = widest_gap(image, arrangement[0])
    widest = (calibration.gap or {}).get(arrangement, 1.0)
    return f"parts apart (gap {gap:.3f} above {widest:.3f})" if gap > widest else ""


def judge(calibration: Calibration, arrangement: tuple[str, int], image: Image.Image,
          intended: np.ndarray | None, neighbours: list[np.ndarray],
          part_likeness: list[float], facing: list[float], kin: list[float],
          boxes: str) -> Verdict:
    weight = stroke_width(image) or 0.0
    got = margin(feature(image), intended, neighbours)
    worst_part = min(part_likeness, default=-1.0)
    share = ink_share(image)
    low_weight, high_weight = weight_range(calibration, share)
    reason = boxes
    if not reason:
        reason = apart(calibration, arrangement, image)
    if not reason and not low_weight <= weight <= high_weight:
        reason = f"weight {weight:.2f} outside {low_weight:.2f}-{high_weight:.2f}"
    if not reason and got < usual(calibration.margin, arrangement, 0.0):
        reason = f"reads as another character (margin {got:.3f})"
    if not reason and min(kin, default=1.0) < usual(calibration.kin, arrangement, 1.0):
        reason = f"a part unlike the face's own drawings of it (likeness {min(kin):.3f})"
    if not reason and part_likeness and worst_part < usual(calibration.part, arrangement, 1.0):
        reason = f"a part unlike its place (likeness {worst_part:.3f})"
    if not reason and facing and min(facing) < usual(calibration.facing, arrangement, 1.0):
        reason = f"a part faces the wrong way (lead {min(facing):.3f})"
    return Verdict(not reason, reason or "passed", weight, share, got, worst_part)
