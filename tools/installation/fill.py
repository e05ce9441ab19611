"""Characters a face lacks, drawn from a fuller face and brought to the face's own weight and
width, so a rare character in a name does not stand out of the style.

Both faces are measured on the same sample of common characters (ink share of the em at 96
pixels, advance, ink box); the filler's outlines are then scaled to the target's ink box and
advance and, where the filler is lighter, thickened until the ink shares meet.
"""

import io
from dataclasses import dataclass

from fontTools.pens.perimeterPen import PerimeterPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

import glyph_metrics
from charsets import gb2312

# The table that lists the filled characters (big-endian 32-bit code points): checks read it.
FILLED_TABLE = "YZfl"
# Most strokes a filled glyph may gain on each side, as a share of the em.
MOST_THICKENING = 0.06


@dataclass(frozen=True)
class Fit:
    """How one filler's outlines are placed in the target, in target units."""
    scale_x: float
    scale_y: float
    advance: float   # factor on the filler's advance
    shift_y: int
    radius: int      # thickening, as in fonts.thicken

    def describe(self) -> str:
        return (f"scale {self.scale_x:.2f} x {self.scale_y:.2f}, advance x{self.advance:.2f}, "
                f"thickened {self.radius}")


def calibration_sample() -> str:
    """Every tenth level-1 hanzi of GB2312 (the common ones): 376 characters."""
    common = [code for code in gb2312() if 0x4E00 <= code <= 0x9FFF][:3755]
    return "".join(chr(code) for code in common[::10])


def font_data(font: TTFont) -> bytes:
    """The font as it stands, to draw from; every glyph's box is already known."""
    recalc, font.recalcBBoxes = font.recalcBBoxes, False
    out = io.BytesIO()
    font.save(out, reorderTables=False)
    font.recalcBBoxes = recalc
    return out.getvalue()


def _median_perimeter(font: TTFont, characters: str) -> float:
    glyphs, cmap = font.getGlyphSet(), font.getBestCmap()
    lengths = []
    for character in characters:
        pen = PerimeterPen(glyphs)
        glyphs[cmap[ord(character)]].draw(pen)
        lengths.append(pen.value)
    lengths.sort()
    return lengths[len(lengths) // 2] / font["head"].unitsPerEm


def fit(target: glyph_metrics.Shape, filler: glyph_metrics.Shape, perimeter: float,
        units_per_em: int) -> Fit:
    """Scale for the ink box, then thicken by the ink still missing over the stroke outline's
    length (the union of the outline moved round a circle of radius r gains about length x r);
    the box is first shrunk by what the thickening will add."""
    radius = 0.0
    for _ in range(3):
        scale_x = (target.width - 2 * radius) / filler.width
        scale_y = (target.height - 2 * radius) / filler.height
        missing = target.ink - filler.ink * scale_x * scale_y
        length = perimeter * (scale_x + scale_y) / 2
        radius = min(max(missing / length, 0.0), MOST_THICKENING)
    shift = (target.centre_y - filler.centre_y * scale_y) * units_per_em
    return Fit(scale_x, scale_y, target.advance / filler.advance, round(shift),
               round(radius * units_per_em))


def _map(font: TTFont, names: dict[int, str]) -> None:
    """Point the characters at their glyphs, adding a full-range table when one lies beyond
    16 bits (the 16-bit table cannot hold it)."""
    cmap = font["cmap"]
    if any(code > 0xFFFF for code in names) and not cmap.getcmap(3, 10):
        wide = CmapSubtable.newSubtable(12)
        wide.platformID, wide.platEncID, wide.language = 3, 10, 0
        wide.cmap = dict(font.getBestCmap())
        cmap.tables.append(wide)
    for table in cmap.tables:
        if table.isUnicode():
            table.cmap.update({code: name for code, name in names.items()
                               if code <= 0xFFFF or table.format in (12, 13)})


def _record(font: TTFont, codes: list[int]) -> None:
    table = newTable(FILLED_TABLE)
    table.data = b"".join(code.to_bytes(4, "big") for code in sorted(codes))
    font[FILLED_TABLE] = table


def filled_characters(font: TTFont) -> list[int]:
    if FILLED_TABLE not in font:
        return []
    data = font.getTableData(FILLED_TABLE)
    return [int.from_bytes(data[at:at + 4], "big") for at in range(0, len(data), 4)]


def _place(font: TTFont, filler: TTFont, codes: list[int], placed: Fit, add_glyphs,
           thicken_glyphs) -> dict[int, str]:
    """Copy the filler's glyphs for codes into the font as placed; their names by code."""
    upm = font["head"].unitsPerEm
    ratio = upm / filler["head"].unitsPerEm
    filler_cmap, glyphs = filler.getBestCmap(), filler.getGlyphSet()
    outlines, names = [], {}
    for code in codes:
        name = filler_cmap[code]
        width = filler["hmtx"][name][0] * ratio
        advance = width * placed.advance
        recording = DecomposingRecordingPen(glyphs)
        glyphs[name].draw(recording)
        # Centred in its advance as the filler centres it.
        dx = (advance - width * placed.scale_x) / 2
        pen = TTGlyphPen(None)
        recording.replay(TransformPen(pen, (ratio * placed.scale_x, 0, 0, ratio * placed.scale_y,
                                            dx, placed.shift_y)))
        glyph = pen.glyph()
        glyph.recalcBounds(font["glyf"])
        names[code] = f"fill{code:05X}"
        outlines.append((names[code], glyph, round(advance)))
    add_glyphs(font, outlines)
    if placed.radius:
        thicken_glyphs(font, list(names.values()), placed.radius, grow=False)
    return names


def fill(font: TTFont, wanted: list[int], fillers: list[tuple[str, TTFont, bytes, int]],
         add_glyphs, thicken_glyphs) -> list[str]:
    """Give the font every wanted character it lacks. Of the fillers that have a character,
    the heaviest one that is not heavier than the font once scaled gives it (a glyph can be
    thickened but not thinned); the lightest where all are heavier. Returns one line per
    filler used, with its fit and how many characters it gave."""
    own = font.getBestCmap()
    missing = [code for code in wanted if code not in own]
    if not missing:
        return []
    sample = calibration_sample()
    target_face = glyph_metrics.face(font_data(font))
    upm = font["head"].unitsPerEm
    candidates = []
    for key, filler, data, index in fillers:
        filler_cmap = filler.getBestCmap()
        common = "".join(c for c in sample if ord(c) in own and ord(c) in filler_cmap)
        filler_face = glyph_metrics.face(data, index)
        target = glyph_metrics.median_shape(glyph_metrics.shapes(target_face, common))
        source = glyph_metrics.median_shape(glyph_metrics.shapes(filler_face, common))
        placed = fit(target, source, _median_perimeter(filler, common), upm)
        scaled_ink = source.ink * (target.width / source.width) * (target.height / source.height)
        candidates.append((scaled_ink / target.ink, key, filler, placed))
    lighter = sorted((c for c in candidates if c[0] <= 1), key=lambda c: c[0])
    heavier = sorted((c for c in candidates if c[0] > 1), key=lambda c: c[0])
    report, names = [], {}
    for _, key, filler, placed in [*reversed(lighter), *heavier]:
        codes = [code for code in missing if code in filler.getBestCmap() and code not in names]
        if codes:
            names.update(_place(font, filler, codes, placed, add_glyphs, thicken_glyphs))
            report.append(f"{len(codes)} from {key}: {placed.describe()}")
    _map(font, names)
    _record(font, list(names))
    return report
