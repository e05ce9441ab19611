# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Characters a face lacks, built from the face's own parts by a committed recipe.

A recipe line names, for one character, each part's donor character in the same face, which of
the donor's contours make the part (the donor is cut at the ink gap between its parts, so
whole contours fall on one side) and where the part goes. The donors were searched for and the
results checked ahead of time (own_hand_recipes.py); applying a recipe only copies contours,
so it takes a fraction of a second per face and gives the same bytes every time.

A recipe file belongs to one font file: its header holds the font's sha256, and a file whose
digest does not match is not applied (the characters then stay with the fill).
"""

import hashlib
import os
from dataclasses import dataclass
from pathlib import Path

from fontTools.pens.basePen import BasePen
from fontTools.pens.recordingPen import DecomposingRecordingPen, RecordingPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import newTable

RECIPES = Path(__file__).resolve().parent / "own_hand"
# The table that lists the built characters (big-endian 32-bit code points): checks read it.
BUILT_TABLE = "YZoh"
# Where the provenance of every built glyph lies in the installation: beside the index of
# which font lent which characters (fonts/ holds fonts only: the style list shows every entry,
# the package's copyright file must account for every file).
PROVENANCE = "licences/own-hand.txt"
# The ring a part is copied around to thicken it (as fonts.thicken_glyphs does).
# Most points a built glyph may hold: a thickened face draws each glyph nine times in one
# composite, which FreeType must still rasterise (at 45,000 points it gives up).
MOST_POINTS = 3000


@dataclass(frozen=True)
class Part:
    donor: str                      # a character of the face, or "=<key>" for a built component
    contours: tuple[int, ...]       # indices into the donor's contours; empty: all of them
    transform: tuple[float, float, float, float]   # x' = sx x + dx, y' = sy y + dy
    radius: int = 0                 # thickening of the part (thinning if below 0), font units

    def text(self) -> str:
        sx, sy, dx, dy = self.transform
        picked = ",".join(map(str, self.contours)) or "*"
        return f"{self.donor}|{picked}|{sx:.4f},{sy:.4f},{dx:.1f},{dy:.1f}|{self.radius}"

    @staticmethod
    def read(text: str) -> "Part":
        donor, picked, transform, radius = text.split("|")
        contours = () if picked == "*" else tuple(int(i) for i in picked.split(","))
        values = tuple(float(v) for v in transform.split(","))
        return Part(donor, contours, values, int(radius))


@dataclass(frozen=True)
class Recipe:
    key: str                 # the character built, or a component's key (a part of others)
    kind: str                # a / d, as the decomposition says
    parts: tuple[Part, ...]
    mapped: bool             # a character of the face; False for a component used elsewhere
    components: tuple[str, ...] = ()   # the decomposition's parts, for the provenance

    def line(self) -> str:
        return "\t".join([self.key, "char" if self.mapped else "part", self.kind,
                          " ".join(self.components), *(p.text() for p in self.parts)])

    @staticmethod
    def read(line: str) -> "Recipe":
        key, role, kind, components, *parts = line.split("\t")
        return Recipe(key, kind, tuple(Part.read(p) for p in parts), role == "char",
                      tuple(components.split(" ")))


def recipe_path(source) -> Path:
    """Where the recipes for a source's font file are kept (a thickened copy of a face shares
    its plain face's: recipes are applied before thickening)."""
    name = Path(source.origin.font).name.split(".")[0].replace("-*-", "-").replace("*", "")
    return RECIPES / f"{name}.tsv"


def recipe_digest(source) -> str:
    """Of the source's recipe file: a change to it remakes the fonts made from the source."""
    path = recipe_path(source)
    return hashlib.sha256(path.read_bytes()).hexdigest() if path.exists() else ""


def write_recipes(path: Path, lines: list[str]) -> None:
    """Whole or not at all: a build may be reading the old file."""
    scratch = path.with_name("." + path.name + ".part")
    scratch.write_text("\n".join(lines) + "\n", encoding="utf-8")
    os.replace(scratch, path)


def recorded_digest(path: Path) -> str:
    """The sha256 of the font file the recipes were made for, as their header records it."""
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            if line.startswith("# font sha256 "):
                return line.split()[-1]
    return ""


def read_recipes(path: Path) -> list[Recipe]:
    """The file's recipes; a line that does not read as one (a damaged file) is left out, and
    the characters it would have built stay with the fill."""
    found = []
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        if line and not line.startswith("#"):
            try:
                found.append(Recipe.read(line))
            except (ValueError, TypeError):
                continue
    return found


def contours(glyphs, name: str) -> list[list[tuple[str, tuple]]]:
    """The glyph's outline as drawn (components resolved), one list of pen calls a contour."""
    recording = DecomposingRecordingPen(glyphs)
    glyphs[name].draw(recording)
    return split_contours(recording.value)


def contour_box(contour) -> tuple[float, float, float, float]:
    points = [p for _, arguments in contour for p in arguments if p is not None]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return min(xs), min(ys), max(xs), max(ys)


def _replay(contour, pen, transform, offset=(0.0, 0.0)) -> None:
    sx, sy, dx, dy = transform
    dx, dy = dx + offset[0], dy + offset[1]

    def moved(point):
        return None if point is None else (round(sx * point[0] + dx), round(sy * point[1] + dy))
    for operator, arguments in contour:
        getattr(pen, operator)(*(moved(p) for p in arguments))


class _Flattening(BasePen):
    """Records each contour as a polygon, curves cut into short straight pieces."""

    def __init__(self):
        super().__init__(None)
        self.rings, self.current = [], []

    def _moveTo(self, point):
        self.current = [point]

    def _lineTo(self, point):
        self.current.append(point)

    def _qCurveToOne(self, control, point):
        start = self.current[-1]
        for step in range(1, _CURVE_STEPS + 1):
            t = step / _CURVE_STEPS
            self.current.append(((1 - t) ** 2 * start[0] + 2 * t * (1 - t) * control[0]
                                 + t * t * point[0],
                                 (1 - t) ** 2 * start[1] + 2 * t * (1 - t) * control[1]
                                 + t * t * point[1]))

    def _curveToOne(self, first, second, point):
        self._qCurveToOne(((first[0] + second[0]) / 2, (first[1] + second[1]) / 2), point)

    def _closePath(self):
        if len(self.current) >= 3:
            self.rings.append(self.current)
        self.current = []

    _endPath = _closePath


_CURVE_STEPS = 3


def _offset(contours, transform, radius: float) -> list:
    """The contours, placed, with every stroke radius wider on each side (narrower if radius
    is below 0), as straight-edged contours (outer ones clockwise, as TrueType draws them)."""
    from shapely.geometry import Polygon
    from shapely.geometry.polygon import orient
    from shapely.ops import unary_union
    flat = _Flattening()
    for contour in contours:
        _replay(contour, flat, transform)
    outer, holes = [], []
    for ring in flat.rings:
        polygon = Polygon(ring).buffer(0)
        # TrueType's outer contours run clockwise: a negative signed area.
        signed = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(ring, ring[1:] + ring[:1]))
        (outer if signed < 0 else holes).append(polygon)
    shape = unary_union(outer).difference(unary_union(holes)) if holes else unary_union(outer)
    shape = shape.buffer(radius, join_style=1).simplify(2.0)
    polygons = getattr(shape, "geoms", [shape])
    found = []
    for polygon in polygons:
        if polygon.is_empty or polygon.geom_type != "Polygon":
            continue
        polygon = orient(polygon, sign=-1.0)
        for ring in [polygon.exterior, *polygon.interiors]:
            points = [(round(x), round(y)) for x, y in ring.coords[:-1]]
            if len(points) >= 3:
                found.append([("moveTo", (points[0],)),
                              *(("lineTo", (p,)) for p in points[1:]), ("closePath", ())])
    return found


def draw_part(pen, outline, part: Part) -> None:
    picked = [outline[i] for i in part.contours] if part.contours else outline
    if part.radius:
        # Grown or thinned as one outline: copies about a ring would multiply the points,
        # and a thickened face draws every glyph nine times again.
        for contour in _offset(picked, part.transform, part.radius):
            _replay(contour, pen, (1, 1, 0, 0))
        return
    for contour in picked:
        _replay(contour, pen, part.transform)


class Builder:
    """Builds glyphs from recipes over one face's outlines; components built on the way are
    kept as outlines for the recipes that use them."""

    def __init__(self, glyph_set, cmap: dict[int, str]):
        self.glyphs, self.cmap = glyph_set, cmap
        self.made: dict[str, list] = {}

    def outline(self, donor: str) -> list:
        if donor.startswith("="):
            return self.made[donor[1:]]
        return contours(self.glyphs, self.cmap[ord(donor)])

    def build(self, recipe: Recipe):
        """The glyph for the recipe (a TrueType glyph), and its outline kept for others."""
        pen = TTGlyphPen(None)
        for part in recipe.parts:
            draw_part(pen, self.outline(part.donor), part)
        glyph = pen.glyph()
        if glyph.numberOfContours > 0 and len(glyph.coordinates) > MOST_POINTS:
            raise ValueError(f"{recipe.key}: too many points")
        recording = RecordingPen()
        glyph.draw(recording, None)
        self.made[recipe.key] = split_contours(recording.value)
        return glyph


def split_contours(value) -> list:
    found, current = [], []
    for operator, arguments in value:
        current.append((operator, arguments))
        if operator in ("closePath", "endPath"):
            found.append(current)
            current = []
    return found


def font_digest(data: bytes) -> str:
    return hashlib.sha256(data).hexdigest()


def median_advance(font, cmap: dict[int, str]) -> int:
    """What a hanzi of the face advances by, most often: a built one takes the same."""
    widths = sorted(font["hmtx"][name][0] for code, name in cmap.items()
                    if 0x4E00 <= code <= 0x9FFF)
    return widths[len(widths) // 2]


def built_characters(font) -> list[int]:
    if BUILT_TABLE not in font:
        return []
    data = font.getTableData(BUILT_TABLE)
    return [int.from_bytes(data[at:at + 4], "big") for at in range(0, len(data), 4)]


def apply(font, recipes: list[Recipe], add_glyphs, map_characters) -> list[Recipe]:
    """Give the font every character its recipes build that it lacks; returns the recipes
    applied to a character (their provenance)."""
    glyf = font["glyf"]
    cmap = {code: name for code, name in font.getBestCmap().items()
            if glyf[name].numberOfContours != 0}
    builder = Builder(font.getGlyphSet(), cmap)
    width = median_advance(font, cmap)
    outlines, names, used = [], {}, []
    for recipe in recipes:
        if recipe.mapped and len(recipe.key) != 1:
            continue
        code = ord(recipe.key) if recipe.mapped else None
        if not recipe.parts or recipe.mapped and (code in cmap or code in names):
            continue
        try:
            glyph = builder.build(recipe)
        except (KeyError, IndexError, ValueError, TypeError):
            # A donor the font lacks, a contour it does not have, too many points: not built.
            continue
        if not recipe.mapped:
            continue
        glyph.recalcBounds(glyf)
        names[code] = f"own{code:05X}"
        outlines.append((names[code], glyph, width))
        used.append(recipe)
    if not outlines:
        return []
    add_glyphs(font, outlines)
    map_characters(font, names)
    return used


def record(font, codes: list[int]) -> None:
    """List the built characters in the font (after subsetting, which drops unknown tables)."""
    table = newTable(BUILT_TABLE)
    table.data = b"".join(code.to_bytes(4, "big") for code in sorted(codes))
    font[BUILT_TABLE] = table


def apply_recipes(font, source, data: bytes, add_glyphs, map_characters) -> list[int]:
    """Build what the committed recipes for this font file give; the characters built. Recipes
    made for other bytes (the source changed since) are not applied."""
    path = recipe_path(source)
    if not path.exists() or recorded_digest(path) != font_digest(data):
        return []
    return [ord(r.key) for r in apply(font, read_recipes(path), add_glyphs, map_characters)]


def provenance_text() -> str:
    """Every recipe file's built characters with their parts and donors, for the file kept
    beside the fonts."""
    lines = ["# Characters built from a face's own parts: face file, character, arrangement",
             "# (a: side by side, d: stacked), each part and the character it was taken from."]
    for path in sorted(RECIPES.glob("*.tsv")):
        lines += provenance(path.stem, [r for r in read_recipes(path) if r.mapped])
    return "\n".join(lines) + "\n"


def provenance(family: str, used: list[Recipe]) -> list[str]:
    """One line per built character: the face, the character, its parts and their donors."""
    lines = []
    for recipe in used:
        parts = []
        for component, part in zip(recipe.components, recipe.parts):
            donor = part.donor
            how = ("built from its own parts" if donor.startswith("=") else
                   "the face's own, scaled" if donor == component else f"from {donor}")
            parts.append(f"{component} {how}")
        lines.append(f"{family}\t{recipe.key}\t{recipe.kind}\t" + "; ".join(parts))
    return lines
