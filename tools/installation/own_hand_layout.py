# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""How a character's parts lie: cutting a glyph that encloses one part in another, where each
part lies in the glyph (normalised to its ink box), and judging the decomposition table's
records against the regular hand's drawing of the same character.

An enclosing part is closed on some sides of the glyph and open on the others (门 open at the
bottom, 辶 closed on the left and at the bottom). A contour belongs to the enclosure when it
reaches into a band along one of its closed sides; the rest is the inside, which must then lie
within the enclosure's box, clear of every closed side.
"""

import numpy as np
from PIL import Image, ImageDraw

import decomposition

# Sides: left, bottom, right, top (font units: y upwards).
LEFT, BOTTOM, RIGHT, TOP = range(4)
CLOSED = {"s": (LEFT, BOTTOM, RIGHT, TOP), "st": (LEFT, RIGHT, TOP),
          "sb": (LEFT, BOTTOM, RIGHT), "sl": (LEFT, BOTTOM, TOP), "str": (RIGHT, TOP),
          "sbl": (LEFT, BOTTOM), "stl": (LEFT, TOP)}
# A contour reaching this close to a closed side (share of the glyph's extent) is the
# enclosure's.
BAND = 0.05
# The inside keeps at least this far from every closed side.
INSET = 0.03
# Along a closed side, the enclosure's ink in that band runs at least this share of the side
# (冂's legs reach the bottom of 冏 but do not close it).
CLOSING = 0.5
CLOSING_BAND = 0.25
# Every layout a record may be judged to have, in the order they are tried.
SIDE_BY_SIDE_OR_STACKED = (decomposition.ACROSS, decomposition.DOWN)
LAYOUTS = (*SIDE_BY_SIDE_OR_STACKED, *CLOSED)


def enclosing(kind: str) -> bool:
    return kind in CLOSED


def union_box(boxes):
    return (min(b[0] for b in boxes), min(b[1] for b in boxes),
            max(b[2] for b in boxes), max(b[3] for b in boxes))


def cut_enclosure(outline, boxes: list[tuple], kind: str) -> tuple[list[int], list[int]] | None:
    """The contours (outline, and their boxes) of the enclosure and of the inside, or None when
    they do not fall so: no inside, an inside reaching a closed side, or a closed side the
    enclosure leaves open."""
    whole = union_box(boxes)
    width, height = whole[2] - whole[0] or 1, whole[3] - whole[1] or 1
    band = (BAND * width, BAND * height)

    def reaches(box, side, within):
        distance = (box[0] - whole[0], box[1] - whole[1], whole[2] - box[2],
                    whole[3] - box[3])[side]
        return distance <= within[side % 2]

    outer = [i for i, box in enumerate(boxes)
             if any(reaches(box, side, band) for side in CLOSED[kind])]
    # A counter goes with the contour around it (囗's inner edge is the enclosure's): one
    # turning the other way from the smallest contour whose box holds it.
    # (An island within a counter turns as the ink does: it is not the counter's counter.)
    turns = [turning(contour) for contour in outline]
    holes = set()
    for index in sorted(range(len(boxes)), key=lambda i: -area(boxes[i])):
        around = [i for i in range(len(boxes)) if i != index and contains(boxes[i], boxes[index])]
        if not around:
            continue
        closest = min(around, key=lambda i: area(boxes[i]))
        if closest not in holes and turns[closest] != turns[index]:
            holes.add(index)
            if closest in outer and index not in outer:
                outer.append(index)
    outer.sort()
    inner = [i for i in range(len(boxes)) if i not in outer]
    if not outer or not inner:
        return None
    inset = (INSET * width, INSET * height)
    inside = union_box([boxes[i] for i in inner])
    if any(reaches(inside, side, inset) for side in CLOSED[kind]):
        return None
    if not closes(raster([outline[i] for i in outer], whole, SIDE, True), CLOSED[kind]):
        return None
    return outer, inner


SIDE = 48


def turning(contour) -> bool:
    """Whether the contour runs anticlockwise (by its points' signed area)."""
    points = [p for _, arguments in contour for p in arguments if p is not None]
    return sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(points, points[1:] + points[:1])) > 0


def contains(box, other) -> bool:
    return box[0] <= other[0] and box[1] <= other[1] and box[2] >= other[2] \
        and box[3] >= other[3]


def area(box) -> float:
    return (box[2] - box[0]) * (box[3] - box[1])


def closes(image: Image.Image, sides) -> bool:
    """Whether the ink runs along each side within the band there."""
    solid = np.asarray(image, dtype=np.uint8)[2:-2, 2:-2] >= 128
    band = max(1, round(CLOSING_BAND * SIDE))
    runs = {LEFT: solid[:, :band].any(axis=1), RIGHT: solid[:, -band:].any(axis=1),
            TOP: solid[:band, :].any(axis=0), BOTTOM: solid[-band:, :].any(axis=0)}
    return all(runs[side].mean() >= CLOSING for side in sides)


def normalised(boxes) -> list[tuple[float, float, float, float]]:
    """Each box as (centre x, centre y, width, height), as shares of the boxes' union (y
    downwards from its top)."""
    x0, y0, x1, y1 = union_box(boxes)
    w, h = (x1 - x0) or 1, (y1 - y0) or 1
    return [(((b[0] + b[2]) / 2 - x0) / w, (y1 - (b[1] + b[3]) / 2) / h,
             (b[2] - b[0]) / w, (b[3] - b[1]) / h) for b in boxes]


def disagreement(ours, reference) -> float:
    """How far the parts lie from where the reference has them: the largest difference of a
    part's box centre or extent, as a share of the glyph's ink box."""
    return max(abs(a - b) for mine, theirs in zip(normalised(ours), normalised(reference))
               for a, b in zip(mine, theirs))


def raster(outline, box, side: int = 64, stretched: bool = False) -> Image.Image:
    """The contours' ink (outer contours filled, counters cut out), box scaled to side
    (stretched: each way)."""
    from own_hand import _Flattening, _replay
    scale = side / max(1.0, box[2] - box[0], box[3] - box[1])
    scale_x, scale_y = (side / max(1.0, box[2] - box[0]), side / max(1.0, box[3] - box[1])) \
        if stretched else (scale, scale)
    flat = _Flattening()
    for contour in outline:
        _replay(contour, flat, (1, 1, 0, 0))
    image = Image.new("L", (side + 4, side + 4), 0)
    drawer = ImageDraw.Draw(image)
    rings = []
    for ring in flat.rings:
        signed = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(ring, ring[1:] + ring[:1]))
        rings.append((signed >= 0, ring))     # counters (anticlockwise) after the ink
    for hole, ring in sorted(rings, key=lambda r: r[0]):
        drawer.polygon([(2 + (x - box[0]) * scale_x, 2 + (box[3] - y) * scale_y)
                        for x, y in ring],
                       fill=0 if hole else 255)
    return image


class Judge:
    """The decomposition table as the regular hand draws it: a record whose parts do not lie
    as it says in the regular hand's glyph is tried with every other layout; the first under
    which the glyph cuts into parts resembling the named ones stands, and a record no layout
    fits is left out (its character then has no parts)."""

    def __init__(self, table, face, feature):
        self.table, self.face, self.feature = table, face, feature
        self.verdicts: dict[str, object] = {}

    def get(self, character, default=None):
        if character not in self.verdicts:
            self.verdicts[character] = self.judged(character)
        return self.verdicts[character] or default

    def __getitem__(self, character):
        found = self.get(character)
        if found is None:
            raise KeyError(character)
        return found

    def __contains__(self, character) -> bool:
        return self.get(character) is not None

    def judged(self, character):
        split = self.table.get(character)
        if split is None or not self.face.has(character):
            return split
        fits = self.fits(character, split)
        if fits:
            return split
        # A record whose layout cuts the glyph, but into parts unlike those named: the cut
        # across or down may have fallen within a part (the widest gap of 仰 lies inside 卬),
        # so only the other of those two is tried; an enclosure cut there is wrong (周's).
        # One whose layout does not cut the glyph at all is tried with every layout (冏).
        others = [kind for kind in LAYOUTS if kind != split.kind and (
            fits is None or kind in SIDE_BY_SIDE_OR_STACKED) and (
            len(split.parts) == 2 or kind in SIDE_BY_SIDE_OR_STACKED)]
        for kind in others:
            tried = decomposition.Split(kind, split.parts)
            if self.fits(character, tried, switching=True):
                return tried
        # None fits: an enclosure is left out (there is no drawing to place its inside by),
        # the rest stand unjudged.
        return None if enclosing(split.kind) else split

    def fits(self, character, split, switching: bool = False) -> bool | None:
        """Whether the regular hand's glyph cuts so, into parts each more like its own named
        part than like any other named part (parts the face has as characters); None when
        it does not cut so at all."""
        pieces = self.face.cut(character, split)
        if pieces is None:
            return None
        outline = self.face.outline(character)
        named = {p: self.feature(p) for p in set(split.parts) if self.face.has(p)}
        if switching and all(named.get(part) is None for part in split.parts):
            return False   # a layout other than the record's needs a part seen
        for part, piece in zip(split.parts, pieces):
            if part not in named or named[part] is None:
                continue
            drawn = piece_feature(outline, piece.contours)
            mine = float(drawn @ named[part]) if drawn is not None else -1.0
            if mine < LEAST_LIKENESS or any(float(drawn @ f) > mine for p, f in named.items()
                                            if p != part and f is not None):
                return False
        return True


# A part of the regular hand's glyph is taken for the part named when this alike (blurred
# drawings' correlation); its own parts measure 0.5 to 0.9 against the part's character.
LEAST_LIKENESS = 0.3


def piece_feature(outline, indices):
    import own_hand_gate as gate
    from own_hand import contour_box
    picked = [outline[i] for i in indices]
    return gate.feature(raster(picked, union_box([contour_box(c) for c in picked])))


