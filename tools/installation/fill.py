# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Characters a face lacks, drawn from a fuller face and brought to the face's own weight and
width, so a rare character in a name does not stand out of the style.

Both faces are measured on the same sample of common characters (advance, ink box at 96 pixels
to the em); the filler's outlines are scaled to the target's ink box and advance. Then the ink
share of the characters filled is brought to the target's own median: the filler whose weight
comes closest is taken, and where it is still lighter its strokes are thickened. The ink is
measured on trial glyphs as drawn, not estimated: the copies a thickened glyph is made of
darken their shared edges when drawn smooth, more than their geometry says.
"""

import io
from dataclasses import dataclass

from fontTools.fontBuilder import FontBuilder
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


def calibration_sample_pool() -> list[int]:
    """The level-1 hanzi of GB2312: the 3,755 common ones."""
    return [code for code in gb2312() if 0x4E00 <= code <= 0x9FFF][:3755]


def calibration_sample() -> str:
    """Every tenth level-1 hanzi of GB2312 (the common ones): 376 characters."""
    return "".join(chr(code) for code in calibration_sample_pool()[::10])


def font_data(font: TTFont) -> bytes:
    """The font as it stands, to draw from; every glyph's box is already known."""
    recalc, font.recalcBBoxes = font.recalcBBoxes, False
    out = io.BytesIO()
    font.save(out, reorderTables=False)
    font.recalcBBoxes = recalc
    return out.getvalue()


def fit(target: glyph_metrics.Shape, filler: glyph_metrics.Shape, radius: int,
        units_per_em: int) -> Fit:
    """Scale to the target's median ink box (less what thickening by radius adds) and advance,
    and move to its median vertical centre."""
    grown = 2 * radius / units_per_em
    scale_x = (target.width - grown) / filler.width
    scale_y = (target.height - grown) / filler.height
    shift = (target.centre_y - filler.centre_y * scale_y) * units_per_em
    return Fit(scale_x, scale_y, target.advance / filler.advance, round(shift), radius)


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


# Glyphs built from a face's own parts are mapped the same way.
map_characters = _map


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


def _trial_ink(filler: TTFont, characters: str, placed: Fit, units_per_em: int, add_glyphs,
               thicken_glyphs) -> float:
    """Median ink share of the characters as they would be filled: drawn from a small font
    that holds them only."""
    builder = FontBuilder(units_per_em, isTTF=True)
    builder.setupGlyphOrder([".notdef"])
    builder.setupCharacterMap({})
    builder.setupGlyf({".notdef": TTGlyphPen(None).glyph()})
    builder.setupHorizontalMetrics({".notdef": (units_per_em, 0)})
    builder.setupHorizontalHeader(ascent=units_per_em, descent=0)
    builder.setupNameTable({"familyName": "Trial", "styleName": "Regular"})
    builder.setupOS2()
    builder.setupPost()
    trial = builder.font
    _map(trial, _place(trial, filler, [ord(c) for c in characters], placed, add_glyphs,
                       thicken_glyphs))
    face = glyph_metrics.face(font_data(trial))
    return glyph_metrics.median_shape(glyph_metrics.shapes(face, characters)).ink


def fill(font: TTFont, wanted: list[int], fillers: list[tuple[str, TTFont, bytes, int]],
         add_glyphs, thicken_glyphs) -> list[str]:
    """Give the font every wanted character it lacks, from the filler closest in weight (one
    that is lighter can be thickened, one that is heavier cannot be thinned). Returns one line
    per filler used, with its fit, the ink it reached and how many characters it gave."""
    # A character mapped to an empty glyph is missing too (some faces map symbols so).
    glyf = font["glyf"] if "glyf" in font else None
    own = {code: name for code, name in font.getBestCmap().items()
           if glyf is None or glyf[name].numberOfContours != 0 or chr(code).isspace()}
    missing = [code for code in wanted if code not in own]
    if not missing:
        return []
    sample = calibration_sample()
    target_face = glyph_metrics.face(font_data(font))
    upm = font["head"].unitsPerEm

    def trial(choice, radius: int) -> tuple[float, Fit]:
        filler, target, source, given = choice
        placed = fit(target, source, radius, upm)
        ink = _trial_ink(filler, given, placed, upm, add_glyphs, thicken_glyphs)
        return ink / target.ink, placed

    choices = []
    for key, filler, data, index in fillers:
        filler_cmap = filler.getBestCmap()
        common = "".join(c for c in sample if ord(c) in own and ord(c) in filler_cmap)
        filler_face = glyph_metrics.face(data, index)
        # Rare characters hold more strokes than common ones: their ink is what must match.
        given = "".join(chr(code) for code in missing if code in filler_cmap and code >= 0x3400)
        given = given[::max(1, len(given) // 100)] or common
        choice = (filler, glyph_metrics.median_shape(glyph_metrics.shapes(target_face, common)),
                  glyph_metrics.median_shape(glyph_metrics.shapes(filler_face, common)), given)
        choices.append((trial(choice, 0), key, choice))
    if not choices:
        return []  # a face whose licence takes no other glyphs keeps its gaps
    # Closest as it is; failing that, the heaviest lighter one, thickened.
    (ratio, placed), key, choice = min(choices, key=lambda c: abs(c[0][0] - 1))
    lighter = [c for c in choices if c[0][0] < 1]
    if abs(ratio - 1) > 0.05 and lighter:
        (ratio, placed), key, choice = max(lighter, key=lambda c: c[0][0])
        low, high = 0, round(MOST_THICKENING * upm)
        while high - low > 1:
            middle = (low + high) // 2
            attempt = trial(choice, middle)
            if abs(attempt[0] - 1) < abs(ratio - 1):
                ratio, placed = attempt
            low, high = (middle, high) if attempt[0] < 1 else (low, middle)
    # The chosen filler first; any character it lacks from the others, unthickened.
    rest = [(k, c) for _, k, c in choices if k != key]
    report, names = [], {}
    for filler_key, filler_choice in [(key, choice), *rest]:
        filler = filler_choice[0]
        codes = [code for code in missing if code in filler.getBestCmap() and code not in names]
        if not codes:
            continue
        used = placed if filler_key == key else trial(filler_choice, 0)[1]
        names.update(_place(font, filler, codes, used, add_glyphs, thicken_glyphs))
        report.append(f"{len(codes)} from {filler_key}: {used.describe()}"
                      + (f", ink x{ratio:.2f}" if filler_key == key else ""))
    _map(font, names)
    _record(font, list(names))
    return report
