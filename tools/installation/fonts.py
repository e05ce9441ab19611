# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""One installed font: cut down to what a name can use, optionally thickened, given the
compound-surname ligatures, and renamed so that its face name is its file name's stem."""

import io
import math
from dataclasses import dataclass

from fontTools import subset
from fontTools.ttLib import TTFont
from fontTools.ttLib.tables._g_l_y_f import Glyph, GlyphComponent

import fill
import own_hand
from catalogue import Source
from charsets import chinese_name_characters

ASCII = range(0x20, 0x7F)
LATIN = [*range(0x20, 0x250), *range(0x2000, 0x2070), 0x20AC]
# Tables the drawing never reads; the bitmaps and vertical metrics alone can be megabytes.
UNUSED_TABLES = ["EBDT", "EBLC", "EBSC", "BDF", "FFTM", "hdmx", "VDMX", "LTSH", "DSIG",
                 "vhea", "vmtx", "VORG", "mort", "morx"]


@dataclass(frozen=True)
class Ligature:
    code: int      # the private-use character the table names for this surname
    first: str
    second: str


def load(data: bytes, index: int) -> TTFont:
    # The source's own time stamps are kept, so the same inputs give the same bytes.
    return TTFont(io.BytesIO(data), fontNumber=index, recalcBBoxes=True, recalcTimestamp=False)


def cut_down(font: TTFont, latin: bool) -> None:
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = False
    options.drop_tables += UNUSED_TABLES
    if latin:
        # Script fonts join their letters through contextual alternates and kerning.
        options.layout_features = ["*"]
        options.hinting = True
        wanted = LATIN
    else:
        options.hinting = False
        wanted = [*ASCII, *chinese_name_characters()]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=wanted)
    subsetter.subset(font)


def _bounds(font: TTFont, name: str):
    glyph = font["glyf"][name]
    if not hasattr(glyph, "xMin"):
        return None
    return glyph.xMin, glyph.yMin, glyph.xMax, glyph.yMax


def _composite(parts: list[tuple[str, float, int, int]], font: TTFont) -> Glyph:
    """A composite glyph of (component, uniform scale, dx, dy) parts, its box set from theirs.

    Computing boxes here spares fontTools walking every composite's points again on save.
    """
    glyph = Glyph()
    glyph.numberOfContours = -1
    glyph.components = []
    boxes = []
    for name, scale, dx, dy in parts:
        component = GlyphComponent()
        component.glyphName, component.x, component.y, component.flags = name, dx, dy, 0
        if scale != 1:
            component.transform = [[scale, 0], [0, scale]]
        glyph.components.append(component)
        box = _bounds(font, name)
        if box:
            boxes.append((math.floor(box[0] * scale + dx), math.floor(box[1] * scale + dy),
                          math.ceil(box[2] * scale + dx), math.ceil(box[3] * scale + dy)))
    glyph.xMin = min(box[0] for box in boxes)
    glyph.yMin = min(box[1] for box in boxes)
    glyph.xMax = max(box[2] for box in boxes)
    glyph.yMax = max(box[3] for box in boxes)
    return glyph


def _add_glyphs(font: TTFont, glyphs: list[tuple[str, object, int]]) -> None:
    """Add or replace (name, glyph, advance) in one pass over the glyph order."""
    glyf, hmtx = font["glyf"], font["hmtx"]
    order = font.getGlyphOrder()
    known = set(order)
    added = [name for name, _, _ in glyphs if name not in known]
    if added:
        order = order + added
        font.setGlyphOrder(order)
        glyf.glyphOrder = order
    for name, glyph, advance in glyphs:
        glyf[name] = glyph
        hmtx[name] = (advance, glyph.xMin if hasattr(glyph, "xMin") else 0)


def thicken(font: TTFont, radius: int) -> None:
    """Make every stroke about 2 x radius wider."""
    glyf = font["glyf"]
    names = [name for name in font.getGlyphOrder()
             if not glyf[name].isComposite() and glyf[name].numberOfContours > 0]
    thicken_glyphs(font, names, radius, grow=True)


def thicken_glyphs(font: TTFont, names: list[str], radius: int, grow: bool) -> None:
    """Widen the strokes of the named outline glyphs by about 2 x radius.

    Each outline becomes a composite of itself placed around a small circle; the
    rasteriser fills the union, which widens strokes evenly without redrawing them. With
    grow, the advance takes the extra width; without, the glyph keeps its advance and centre.
    """
    glyf, hmtx = font["glyf"], font["hmtx"]
    ring = [(0, 0), (radius, 0), (-radius, 0), (0, radius), (0, -radius)]
    diagonal = round(radius * 0.7071)
    ring += [(diagonal, diagonal), (diagonal, -diagonal), (-diagonal, diagonal),
             (-diagonal, -diagonal)]
    shift, extra = (radius, 2 * radius) if grow else (0, 0)
    outlines, composites = [], []
    for name in names:
        advance, _ = hmtx[name]
        outlines.append((name + ".outline", glyf[name], advance))
    _add_glyphs(font, outlines)
    for outline, _, advance in outlines:
        parts = [(outline, 1, dx + shift, dy) for dx, dy in ring]
        composites.append((outline[:-len(".outline")], _composite(parts, font), advance + extra))
    _add_glyphs(font, composites)


def add_ligatures(font: TTFont, ligatures: list[Ligature], scale: float = 0.86) -> None:
    """Draw each compound surname as one glyph: both characters in this font's own hand,
    scaled down and set tight side by side about their common vertical centre."""
    cmap = font.getBestCmap()
    hmtx = font["hmtx"]
    upm = font["head"].unitsPerEm
    overlap = round(0.03 * upm)
    added = []
    for ligature in ligatures:
        names = [cmap.get(ord(ligature.first)), cmap.get(ord(ligature.second))]
        if None in names:
            raise ValueError(f"font lacks {ligature.first}{ligature.second}")
        boxes = [_bounds(font, name) for name in names]
        low = min(box[1] for box in boxes)
        high = max(box[3] for box in boxes)
        centre = (low + high) / 2
        dy = round(centre * (1 - scale))
        left_bearing = round(min(hmtx[names[0]][1], 0.06 * upm) * scale)
        first_x = left_bearing - round(boxes[0][0] * scale)
        second_x = first_x + round((boxes[0][2] - boxes[1][0]) * scale) - overlap
        advance = second_x + round(boxes[1][2] * scale) + left_bearing
        # Two narrow characters must still take at least one character's room.
        room = max(hmtx[names[0]][0], hmtx[names[1]][0])
        if advance < room:
            first_x += (room - advance) // 2
            second_x += (room - advance) // 2
            advance = room
        glyph = _composite([(names[0], scale, first_x, dy), (names[1], scale, second_x, dy)], font)
        name = f"uni{ligature.code:04X}"
        added.append((name, glyph, advance))
        for table in font["cmap"].tables:
            if table.isUnicode():
                table.cmap[ligature.code] = name
    _add_glyphs(font, added)


def rename(font: TTFont, family: str, origin: str) -> None:
    """Give the font the one face name the program asks for, and nothing it could prefer."""
    names = font["name"]
    names.names = [record for record in names.names
                   if record.nameID not in (1, 2, 3, 4, 6, 16, 17, 18, 21, 22, 25)]
    values = {1: family, 2: "Regular", 3: f"yanzhou-sign: {family}", 4: family, 6: family,
              16: family, 17: "Regular",
              10: f"{origin}, cut down and renamed {family} for yanzhou-sign."}
    for name_id, text in values.items():
        names.setName(text, name_id, 3, 1, 0x409)
        names.setName(text, name_id, 1, 0, 0)
    os2 = font["OS/2"]
    os2.usWeightClass = 400
    os2.fsSelection = (os2.fsSelection & ~0b100001) | 0b1000000  # not bold/italic: regular
    font["head"].macStyle = 0
    font["post"].formatType = 3.0


def copyright_line(font: TTFont) -> str:
    return font["name"].getDebugName(0) or ""


def prepared(source: Source, data: bytes, index: int,
             fillers: list[tuple[str, bytes, int]], label: str) -> TTFont:
    """The source cut down, thickened and filled: what every file made from it shares.
    Fillers (key, font data, face number) give, in order, what the source lacks of a Chinese
    style's characters."""
    font = load(data, index)
    built = []
    if not source.latin:
        # What the face lacks, first from its own parts; the fill then takes only the rest.
        built = own_hand.apply_recipes(font, source, data, _add_glyphs,
                                         fill.map_characters)
        if built:
            print(f"    {label}: {len(built)} built from the face's own parts", flush=True)
    cut_down(font, source.latin)
    if not source.latin and built:
        own_hand.record(font, built)
    if source.bold:
        thicken(font, source.bold)
    if not source.latin:
        for line in fill.fill(font, list(chinese_name_characters()),
                              [(key, load(filler, number), filler, number)
                               for key, filler, number in fillers],
                              _add_glyphs, thicken_glyphs):
            print(f"    {label}: {line}", flush=True)
    return font


def finished(font: TTFont, source: Source, family: str, ligatures: list[Ligature]) -> bytes:
    """One installed file from a prepared font, under its own face name. Renaming leaves
    nothing behind, so one prepared font serves several files; the ligatures stay in it, so
    the files with them come last."""
    if ligatures:
        add_ligatures(font, ligatures)
    rename(font, family, source.credit)
    # Every box is known by now; recompute the summary tables once instead of every glyph's box.
    font.recalcBBoxes = False
    font["maxp"].recalc(font)
    font["hhea"].recalc(font)
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def build_fonts(source: Source, data: bytes, index: int,
                files: list[tuple[str, list[Ligature]]],
                fillers: list[tuple[str, bytes, int]]) -> list[bytes]:
    """The installed files (family, ligatures) made from one source, in the order given;
    those with ligatures must come after those without."""
    with_ligatures = [bool(ligatures) for _, ligatures in files]
    if with_ligatures != sorted(with_ligatures):
        raise ValueError("the files with ligatures must come after those without")
    font = prepared(source, data, index, fillers, ", ".join(family for family, _ in files))
    return [finished(font, source, family, ligatures) for family, ligatures in files]


def build_font(source: Source, data: bytes, index: int, family: str,
               ligatures: list[Ligature], fillers: list[tuple[str, bytes, int]]) -> bytes:
    """One installed font on its own."""
    return build_fonts(source, data, index, [(family, ligatures)], fillers)[0]
