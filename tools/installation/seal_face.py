# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The two seal faces, cut here rather than taken from a font: no seal face is free to ship.

Each character is cut as an engraver cuts it from a shipped face's outline: stretched to fill
its square, every stroke evened to one weight with rounded ends and corners, the strokes near
the square's edge a little heavier. The outline is then worn: a few chips and a slight
waviness, from noise seeded by the character, so the same character always gives the same
outline and two builds give the same bytes.
"""

import io
import math
import random
from array import array
from dataclasses import dataclass

import numpy as np
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.basePen import BasePen
from fontTools.ttLib import TTFont
from fontTools.ttLib.tables._g_l_y_f import Glyph, GlyphCoordinates
from fontTools.ttLib.tables.ttProgram import Program
from shapely import affinity
from shapely.geometry import MultiPolygon, Polygon, box
from shapely.ops import unary_union

import fonts
import sources
from catalogue import SOURCES, SealFace
from charsets import chinese_name_characters

UPM = 1000
ASCENT, DESCENT = 880, 120
# The glyph box inside its 1000 x 1000 cell. At 48 pt the frame reaches 104 units left of
# the grid and 62 above it, ends flush at its right and bottom, and its outline (em / 16)
# lies inside; these margins leave about 20 units between frame and strokes on all four sides.
BOX = (-20, -40, 920, 860)
# Stroke half-widths: even strokes about as heavy as the frame's outline, heavier near the box
# edge (toward the frame), where a seal's strokes run into its border.
RADIUS, EDGE_RADIUS = 34.0, 42.0
# (reach of the ink from the box edge, stroke half-width there), in steps too small to see
EDGE_STEPS = ((150, 38.0), (100, EDGE_RADIUS))
MOST_STRETCH = 2.0           # a flat or narrow character widens at most this much more
ROUND = 3                    # circle segments per quarter turn
WAVE_STEP = 90               # units between the wave's control points along an edge
WAVE_LENGTH = 200.0          # units between the noise's lattice points
SIMPLIFY = 3.0               # units an outline may move when its points are thinned
CORNER = math.radians(50)    # a turn this sharp stays a corner


@dataclass(frozen=True)
class Carving:
    """How the stone is cut: relief strokes stand red and lose chips; intaglio strokes are
    grooves that show white, and chips of stone break from their edges into the red."""
    relief: bool
    wave: float              # largest outward or inward shift of the edge, in units
    chips: tuple[int, int]   # fewest and most chips a character gets


RELIEF = Carving(relief=True, wave=14.0, chips=(3, 5))
INTAGLIO = Carving(relief=False, wave=9.0, chips=(2, 4))


def is_hanzi(code: int) -> bool:
    return (0x3400 <= code <= 0x4DBF or 0x4E00 <= code <= 0x9FFF or 0xF900 <= code <= 0xFAFF
            or 0x20000 <= code <= 0x3FFFF)


# --- drawing the shape -------------------------------------------------------------------

def _fitting(low: np.ndarray, high: np.ndarray, inner) -> tuple[np.ndarray, np.ndarray]:
    """Scale and offset taking the box low..high to fill `inner`, centred; an axis stretches
    at most MOST_STRETCH times as much as the other, so 一 stays a line."""
    size = np.maximum(high - low, 1.0)
    room = np.array([inner[2] - inner[0], inner[3] - inner[1]])
    scale = room / size
    scale = np.minimum(scale, scale.min() * MOST_STRETCH)
    return scale, np.array(inner[:2]) + (room - size * scale) / 2 - low * scale


def _inset(distance: float) -> Polygon:
    x0, y0, x1, y1 = BOX
    return box(x0 + distance, y0 + distance, x1 - distance, y1 - distance)


class _FlatPen(BasePen):
    """Outline contours as point rings, curves flattened."""

    def __init__(self, glyph_set):
        super().__init__(glyph_set)
        self.rings, self.ring = [], []

    def _moveTo(self, point):
        self.ring = [point]

    def _lineTo(self, point):
        self.ring.append(point)

    # Each curve becomes four lines; the weights of its points at t = 1/4, 1/2, 3/4, 1, in the
    # order the sums were always taken, so that every build gives the same points.
    _T = np.linspace(0.25, 1, 4)
    _U = 1 - _T
    _CUBIC = ((_U ** 3)[:, None], (3 * _U * _U * _T)[:, None], (3 * _U * _T * _T)[:, None],
              (_T ** 3)[:, None])
    _QUADRATIC = ((_U * _U)[:, None], (2 * _U * _T)[:, None], (_T * _T)[:, None])

    def _curveToOne(self, p1, p2, p3):
        a, b, c, d = self._CUBIC
        points = (a * np.array(self._getCurrentPoint()) + b * np.array(p1) + c * np.array(p2)
                  + d * np.array(p3))
        self.ring.extend(map(tuple, points))

    def _qCurveToOne(self, p1, p2):
        a, b, c = self._QUADRATIC
        points = a * np.array(self._getCurrentPoint()) + b * np.array(p1) + c * np.array(p2)
        self.ring.extend(map(tuple, points))

    def _closePath(self):
        if len(self.ring) >= 3:
            self.rings.append(self.ring)
        self.ring = []

    _endPath = _closePath


def _filled(rings) -> object:
    """The area a font's contours fill. Fonts differ in which way their outer contours run:
    the largest contour is an outer one, and every contour running its way adds ink."""
    polygons = [(Polygon(ring), _signed_area(np.array(ring))) for ring in rings]
    polygons = [(polygon, area) for polygon, area in polygons if area != 0]
    if not polygons:
        return Polygon()
    outer_sign = math.copysign(1, max(polygons, key=lambda item: abs(item[1]))[1])
    outer = [polygon.buffer(0) for polygon, area in polygons if area * outer_sign > 0]
    holes = [polygon.buffer(0) for polygon, area in polygons if area * outer_sign < 0]
    shape = unary_union(outer)
    return shape.difference(unary_union(holes)) if holes else shape


def _stroke_width(shape) -> float:
    return 2 * shape.area / max(shape.length, 1.0)


def _filling(shape, inner):
    bounds = np.array(shape.bounds)
    fit, offset = _fitting(bounds[:2], bounds[2:], inner)
    return affinity.affine_transform(shape, [fit[0], 0, 0, fit[1], *offset])


def cut(glyph_set, name: str, scale: float, hanzi: bool):
    """A face's glyph as an engraver cuts it: a character stretched to fill the box, every
    stroke evened to the pen's weight with rounded ends and corners, and heavier near the box's
    edge. Other characters (punctuation, letters) keep their place and are only evened."""
    pen = _FlatPen(glyph_set)
    glyph_set[name].draw(pen)
    shape = _filled(pen.rings)
    if shape.is_empty:
        return shape
    shape = _filling(shape, BOX) if hanzi else affinity.scale(shape, scale, scale, origin=(0, 0))
    grow = RADIUS - _stroke_width(shape) / 2
    # Eroding and growing again rounds every corner; the growth sets the weight.
    evened = shape.buffer(-RADIUS / 2, resolution=ROUND).buffer(RADIUS / 2 + grow,
                                                                resolution=ROUND)
    if evened.is_empty:   # strokes all thinner than the erosion: grow them as they are
        evened = shape.buffer(grow, resolution=ROUND)
    if not hanzi:
        return evened
    heavier = [evened] + [evened.difference(_inset(reach)).buffer(radius - RADIUS,
                                                                   resolution=ROUND)
                          for reach, radius in EDGE_STEPS]
    return _filling(unary_union(heavier), BOX)


# --- wearing the edge --------------------------------------------------------------------

def _parts(shape) -> list[Polygon]:
    if shape.is_empty:
        return []
    return list(shape.geoms) if isinstance(shape, MultiPolygon) else [shape]


def _topology(shape) -> tuple[int, int]:
    parts = _parts(shape)
    return len(parts), sum(len(part.interiors) for part in parts)


def _outward(points: np.ndarray, anticlockwise: bool) -> np.ndarray:
    """Unit normals pointing away from the ink at each point of a closed ring."""
    tangent = np.roll(points, -1, axis=0) - np.roll(points, 1, axis=0)
    length = np.maximum(np.hypot(tangent[:, 0], tangent[:, 1]), 1e-9)[:, None]
    normal = np.column_stack([tangent[:, 1], -tangent[:, 0]]) / length
    return normal if anticlockwise else -normal


def _signed_area(points: np.ndarray) -> float:
    x, y = points[:, 0], points[:, 1]
    return float(np.dot(x, np.roll(y, -1)) - np.dot(np.roll(x, -1), y)) / 2


def chipped(shape, carving: Carving, rng: random.Random):
    """A few small chips along the edge, none of which breaks a stroke, joins two strokes
    or closes a counter: a chip that would is left out."""
    rings = [np.array(part.exterior.coords)[:-1] for part in _parts(shape)]
    if not rings:
        return shape
    topology = _topology(shape)
    for _ in range(rng.randint(*carving.chips)):
        points = rings[rng.randrange(len(rings))]
        at = rng.randrange(len(points))
        normal = _outward(points, _signed_area(points) > 0)[at]
        size = RADIUS * rng.uniform(0.8, 1.2)
        centre = points[at] + normal * size * (0.3 if carving.relief else -0.2)
        corners = 9
        angles = (np.arange(corners) + [rng.uniform(-0.2, 0.2) for _ in range(corners)]) \
            * (2 * math.pi / corners)
        radii = size * np.array([rng.uniform(0.8, 1.1) for _ in range(corners)])
        chip = Polygon(np.column_stack([centre[0] + radii * np.cos(angles),
                                        centre[1] + radii * np.sin(angles)]))
        changed = shape.difference(chip) if carving.relief else shape.union(chip)
        if _topology(changed) == topology:
            shape = changed
    return shape


class _Noise:
    """Smooth value noise on a lattice, the same for every run."""

    def __init__(self):
        self.values = np.random.default_rng(1712).uniform(-1, 1, 256)
        self.hash = np.random.default_rng(1713).permutation(256)

    def _at(self, ix, iy):
        return self.values[self.hash[(self.hash[ix & 255] + iy) & 255]]

    def __call__(self, points: np.ndarray) -> np.ndarray:
        scaled = points / WAVE_LENGTH
        whole = np.floor(scaled).astype(np.int64)
        fraction = scaled - whole
        fx, fy = (fraction * fraction * (3 - 2 * fraction)).T
        ix, iy = whole.T
        top = self._at(ix, iy) * (1 - fx) + self._at(ix + 1, iy) * fx
        bottom = self._at(ix, iy + 1) * (1 - fx) + self._at(ix + 1, iy + 1) * fx
        return top * (1 - fy) + bottom * fy


NOISE = _Noise()


def wavy_contour(ring: np.ndarray, hole: bool, carving: Carving, shift: np.ndarray):
    """One closed ring as TrueType points: clockwise around ink, the other way around a hole.
    Sharp corners stay on the curve; every other point becomes a quadratic control point, so
    round ends stay round with few points, and long edges get extra control points pushed in
    or out by the noise, so that they bend gently."""
    if (_signed_area(ring) > 0) != hole:
        ring = ring[::-1]
    edge = np.roll(ring, -1, axis=0) - ring
    before = np.roll(edge, 1, axis=0)
    turn = np.abs(np.arctan2(before[:, 0] * edge[:, 1] - before[:, 1] * edge[:, 0],
                             (before * edge).sum(axis=1)))
    # Each point, then its edge's extra points at i / (extra + 1) of the way along it.
    runs = (np.hypot(edge[:, 0], edge[:, 1]) // WAVE_STEP).astype(int) + 1
    first = np.cumsum(runs) - runs
    of = np.repeat(np.arange(len(ring)), runs)
    along = np.arange(len(of)) - first[of]
    points = ring[of]
    extra = along > 0
    points[extra] += edge[of[extra]] * (along[extra] / runs[of[extra]])[:, None]
    corners = np.zeros(len(of), dtype=np.uint8)
    corners[first] = turn > CORNER
    moved = points + _outward(points, hole) * (carving.wave * NOISE(points + shift))[:, None]
    return np.rint(moved).astype(np.int32), corners


def _thinned(shape):
    """Fewer points; thinning may, rarely, leave an outline crossing itself: mend it."""
    thinned = shape.simplify(SIMPLIFY)
    return thinned if thinned.is_valid else thinned.buffer(0)


def worn(shape, code: int, carving: Carving, thinned=None) -> list:
    """The glyph's contours, chipped and wavy; the same character always wears the same.
    `thinned`, when given, is _thinned(shape), shared by the carvings of one cut."""
    rng = random.Random(f"{carving.relief}:{code}")
    shape = chipped(_thinned(shape) if thinned is None else thinned, carving, rng)
    shape = _thinned(shape)
    shift = np.array([rng.uniform(0, 4096), rng.uniform(0, 4096)])
    contours = []
    for part in _parts(shape):
        contours.append(wavy_contour(np.array(part.exterior.coords)[:-1], False, carving, shift))
        for ring in part.interiors:
            contours.append(wavy_contour(np.array(ring.coords)[:-1], True, carving, shift))
    return contours


def glyph_of(contours) -> Glyph:
    glyph = Glyph()
    if not contours:
        return glyph
    points = np.vstack([points for points, _ in contours])
    glyph.numberOfContours = len(contours)
    glyph.coordinates = GlyphCoordinates(points.tolist())
    glyph.flags = array("B", np.concatenate([flags for _, flags in contours]).tobytes())
    glyph.endPtsOfContours = (np.cumsum([len(points) for points, _ in contours]) - 1).tolist()
    glyph.program = Program()
    glyph.program.fromBytecode(b"")
    (glyph.xMin, glyph.yMin), (glyph.xMax, glyph.yMax) = points.min(axis=0), points.max(axis=0)
    glyph.xMin, glyph.yMin, glyph.xMax, glyph.yMax = map(int, (glyph.xMin, glyph.yMin,
                                                              glyph.xMax, glyph.yMax))
    return glyph


# --- the face ----------------------------------------------------------------------------

class OutlineSource:
    """The shipped faces that draw what the stroke data lacks, in order of preference."""

    def __init__(self, faces: list[TTFont]):
        self.faces = [(face, face.getBestCmap(), face.getGlyphSet(),
                       UPM / face["head"].unitsPerEm) for face in faces]

    def shape(self, code: int):
        """The first drawing of the character; some faces map characters to empty glyphs,
        which only a space may keep."""
        found = None
        for face, cmap, glyph_set, scale in self.faces:
            if code in cmap:
                name = cmap[code]
                advance = face["hmtx"][name][0] * scale
                shape = cut(glyph_set, name, scale, is_hanzi(code))
                if not shape.is_empty or chr(code).isspace():
                    return shape, advance
                found = found or (shape, advance)
        if found is None:
            raise ValueError(f"no source draws U+{code:04X}")
        return found


def cut_characters(codes, outlines: OutlineSource, carvings: list[Carving]) -> dict:
    """Each character cut once and worn for every carving: {code: (advance, [contours or
    None, one per carving])}. A character's wear depends on the character alone, so the
    characters may be cut in any order or in parts, and two carvings share the cutting."""
    cut_glyphs = {}
    for code in codes:
        shape, advance = outlines.shape(code)
        advance = UPM if is_hanzi(code) else round(advance)
        thinned = None if shape.is_empty else _thinned(shape)
        cut_glyphs[code] = (advance, [None if shape.is_empty else worn(shape, code, carving,
                                                                        thinned)
                                      for carving in carvings])
    return cut_glyphs


def face_from(cut_glyphs: dict, which: int, family: str, origin: str, copyright: str) -> bytes:
    """The whole face as TrueType bytes from cut_characters' result for its carving number
    `which`: the same arguments always give the same bytes."""
    order, cmap = [".notdef"], {}
    glyphs, advances = {".notdef": Glyph()}, {".notdef": UPM // 2}
    for code in sorted(cut_glyphs):
        advance, worn_contours = cut_glyphs[code]
        contours = worn_contours[which]
        name = f"uni{code:04X}" if code <= 0xFFFF else f"u{code:05X}"
        order.append(name)
        cmap[code] = name
        glyphs[name] = glyph_of(contours) if contours is not None else Glyph()
        advances[name] = advance
    builder = FontBuilder(UPM, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(cmap)
    builder.setupGlyf(glyphs)
    glyf = builder.font["glyf"]
    builder.setupHorizontalMetrics({name: (advances[name], getattr(glyf[name], "xMin", 0))
                                    for name in order})
    builder.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    builder.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
                     usWinAscent=ASCENT, usWinDescent=DESCENT, fsSelection=0x40 | 0x80,
                     achVendID="NONE", fsType=0, version=4)
    builder.setupNameTable({"copyright": copyright, "familyName": family, "styleName": "Regular"})
    builder.setupPost()
    builder.setupMaxp()
    font = builder.font
    # A fixed date: two builds give the same bytes.
    font["head"].created = font["head"].modified = 0x83AA7E80   # 2004-01-01 in font time
    font.recalcTimestamp = False
    # Every glyph's box is known already: spare fontTools walking all the points again.
    drawn = [glyph for glyph in glyphs.values() if glyph.numberOfContours]
    head = font["head"]
    head.xMin, head.yMin = min(g.xMin for g in drawn), min(g.yMin for g in drawn)
    head.xMax, head.yMax = max(g.xMax for g in drawn), max(g.yMax for g in drawn)
    font.recalcBBoxes = False
    font["maxp"].recalc(font)
    font["hhea"].recalc(font)
    fonts.rename(font, family, origin)
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def build_seal_face(carving: Carving, family: str, origin: str, copyright: str, codes,
                    outlines: OutlineSource) -> bytes:
    """The whole face as TrueType bytes: the same arguments always give the same bytes."""
    return face_from(cut_characters(codes, outlines, [carving]), 0, family, origin, copyright)


def seal_codes() -> list[int]:
    """Every character a name can use, and ASCII: what each seal face holds."""
    return sorted({*range(0x20, 0x7F), *chinese_name_characters()})


def outline_source(keys) -> tuple[OutlineSource, str]:
    """The shipped faces a seal is cut from, and their copyright notices, which travel with
    the glyphs cut from them."""
    faces = [fonts.load(sources.font_bytes(SOURCES[key]), sources.face_index(SOURCES[key]))
             for key in keys]
    return OutlineSource(faces), "\n".join(fonts.copyright_line(face) for face in faces)


def carving_of(seal: SealFace) -> Carving:
    return RELIEF if seal.relief else INTAGLIO


def origin_of(seal: SealFace) -> str:
    return "Cut from " + ", ".join(SOURCES[key].credit for key in seal.outlines)


def seal_face_bytes(seal: SealFace) -> bytes:
    """The installed file of one seal face."""
    outlines, notices = outline_source(seal.outlines)
    return face_from(cut_characters(seal_codes(), outlines, [carving_of(seal)]), 0, seal.face,
                     origin_of(seal), notices)
