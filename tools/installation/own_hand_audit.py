# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Audit every glyph the committed recipes build, in every face: a wrong layout (the parts
lying unlike the regular hand's drawing of the same character by more than the face's own
glyphs ever mostly do), parts overlapping or standing apart beyond the face's own spread,
and an inside out of its enclosure.

    /usr/bin/python3 own_hand_audit.py [--sheet OUT.png] [RECIPE_NAME or SOURCE_KEY ...]

--sheet draws, one row a face, what it flagged (red) and then its built enclosures.

Measured on the recipes' boxes (each part's donor contours as placed), not on drawings, so
every built glyph of every face is looked at in about a minute.
"""

import argparse
import statistics
import sys
from dataclasses import dataclass
from pathlib import Path

from PIL import Image, ImageDraw

sys.path.insert(0, str(Path(__file__).resolve().parent))

import decomposition  # noqa: E402
import fonts  # noqa: E402
import glyph_metrics  # noqa: E402
import own_hand  # noqa: E402
import own_hand_gate as gate  # noqa: E402
import own_hand_layout as layout  # noqa: E402
import own_hand_recipes as recipes  # noqa: E402
import sources  # noqa: E402
from catalogue import SOURCES  # noqa: E402

# The face's own spread: the share of its glyphs a built one may lie beyond, at each end.
TAIL = 0.025
SPREAD_SAMPLE = 4


def gap_share(kind: str, boxes) -> list[float]:
    """The gaps between consecutive parts along the arrangement, as shares of the glyph's
    extent there (below 0: the parts overlap)."""
    axis = 0 if kind == decomposition.ACROSS else 1
    runs = [(b[0], b[2]) if axis == 0 else (-b[3], -b[1]) for b in boxes]
    extent = (max(r[1] for r in runs) - min(r[0] for r in runs)) or 1
    return [(second[0] - first[1]) / extent for first, second in zip(runs, runs[1:])]


def tails(values: list[float]) -> tuple[float, float]:
    ordered = sorted(values)
    return (ordered[int(TAIL * (len(ordered) - 1))],
            ordered[round((1 - TAIL) * (len(ordered) - 1))])


@dataclass
class Spread:
    """How the face's own glyphs lie, per arrangement: the largest usual disagreement with
    the regular hand's layout, and the usual range of the gaps between parts."""
    layout: dict
    gaps: dict

    @staticmethod
    def of(face, reader) -> "Spread":
        offs, gaps = {}, {}
        # Always the same sample of the face's glyphs, whether the face was cut whole (the
        # recipe search) or only on that sample (the audit): a glyph the search lets through
        # is never one the audit flags.
        sample = {chr(code) for code in recipes.learned_codes(face.cmap, SPREAD_SAMPLE)}
        for character, pieces in sorted(face.splits.items()):
            if character not in sample:
                continue
            split = face.table[character]
            boxes = [p.box for p in pieces]
            arrangement = gate.arrangement(split.kind, len(split.parts))
            reference = reader.piece_boxes(character)
            if reference and len(reference) == len(boxes):
                off = layout.disagreement(boxes, reference)
                offs.setdefault(arrangement, []).append(off)
                offs.setdefault(gate.ANY_ARRANGEMENT, []).append(off)
            if not layout.enclosing(split.kind):
                gaps.setdefault(arrangement, []).extend(gap_share(split.kind, boxes))
        return Spread({k: gate.high(v) for k, v in offs.items() if len(v) >= 10},
                      {k: tails(v) for k, v in gaps.items() if len(v) >= 10})


def finding(spread: Spread, reader, character: str, kind: str, placed, upm: int) -> str:
    """What is wrong with a built glyph's parts (boxes in font units), or empty."""
    arrangement = gate.arrangement(kind, len(placed))
    wrong = gate.laid_out_wrong(spread.layout, kind, placed, reader.table.get(character),
                                reader.piece_boxes(character))
    if wrong:
        return wrong
    if layout.enclosing(kind):
        return gate.in_boxes(kind, placed, placed, upm)
    low, high = spread.gaps.get(arrangement, (-1.0, 1.0))
    for gap in gap_share(kind, placed):
        if gap < low:
            return f"parts overlap ({gap:.3f} below {low:.3f})"
        if gap > high:
            return f"parts apart ({gap:.3f} above {high:.3f})"
    return ""


class Auditor:
    """One face's built glyphs, looked at."""

    def __init__(self, data: bytes, index: int, reader, face=None):
        self.reader = reader
        # The face's spread is measured on every SPREAD_SAMPLE-th of its own glyphs (some
        # two thousand): enough for its percentiles, a quarter of the cutting.
        self.face = face or recipes.Face(fonts.load(data, index), reader.table,
                                         every=SPREAD_SAMPLE)
        self.planner = recipes.Planner(self.face, 0.0)
        self.spread = Spread.of(self.face, reader)

    def drawn(self, recipe_list, characters) -> dict[str, Image.Image]:
        """The built glyphs of the characters (components built on the way), cropped."""
        wanted = {r.key: r for r in recipe_list if r.mapped and r.key in characters}
        font = self.face.font
        advance = own_hand.median_advance(font, self.face.cmap)
        trial = gate.trial_font(self.face.upm, font["hhea"].ascent, font["hhea"].descent,
                                {ord(c): (self.planner.builder.build(r), advance)
                                 for c, r in wanted.items()})
        found = {}
        for character in characters:
            if character in wanted:
                image = glyph_metrics.draw(trial, character)
                box = image.getbbox()
                found[character] = image.crop(box) if box else image
        return found

    def look(self, recipe_list) -> dict[str, str]:
        """Character -> what is wrong, for every recipe building a character."""
        found = {}
        for recipe in recipe_list:
            if not recipe.mapped:
                try:
                    self.planner.builder.build(recipe)   # a component others use, kept
                except (KeyError, IndexError, ValueError):
                    pass
                continue
            placed = recipes.part_targets(self.face, self.planner, recipe)
            why = finding(self.spread, self.reader, recipe.key, recipe.kind, placed,
                          self.face.upm)
            if why:
                found[recipe.key] = why
        return found


CELL = 64
MOST_CELLS = 30


def sheet_row(auditor, built, found) -> Image.Image:
    """What was flagged (red), then every enclosure the face builds, MOST_CELLS at most."""
    enclosed = [r.key for r in built if r.mapped and layout.enclosing(r.kind)]
    characters = (sorted(found) + [c for c in enclosed if c not in found])[:MOST_CELLS]
    drawn = auditor.drawn(built, characters)
    row = Image.new("RGB", (MOST_CELLS * CELL, CELL), "white")
    for column, character in enumerate(characters):
        ink = drawn[character].copy()
        ink.thumbnail((CELL - 8, CELL - 8))
        colour = (200, 0, 0) if character in found else (0, 0, 0)
        row.paste(Image.new("RGB", ink.size, colour),
                  (column * CELL + (CELL - ink.width) // 2, (CELL - ink.height) // 2), ink)
        ImageDraw.Draw(row).rectangle([column * CELL, 0, (column + 1) * CELL - 1, CELL - 1],
                                      outline=(220, 220, 220))
    return row


def audit(names=(), reader=None, faces=None, rows=None) -> dict[str, dict[str, str]]:
    """Recipe name -> {character: finding}, over every face's committed recipes; faces: those
    already learned, by source key; rows, if given, gets each face's sheet row."""
    reader = reader or recipes.Reader(decomposition.load())
    results = {}
    for name, keys in recipes.faces().items():
        if names and name not in names and not set(keys) & set(names):
            continue
        source = SOURCES[keys[0]]
        path = own_hand.recipe_path(source)
        data = sources.font_bytes(source)
        if not path.exists() or own_hand.recorded_digest(path) != own_hand.font_digest(data):
            continue
        auditor = Auditor(data, sources.face_index(source), reader, (faces or {}).get(keys[0]))
        built = own_hand.read_recipes(path)
        results[name] = auditor.look(built)
        if rows is not None:
            rows.append(sheet_row(auditor, built, results[name]))
        print(f"{name}: {sum(r.mapped for r in built)} built, {len(results[name])} flagged "
              + " ".join(f"{c}({why.split(' (')[0]})" for c, why in
                         sorted(results[name].items())), flush=True)
    return results


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("faces", nargs="*")
    parser.add_argument("--sheet", type=Path)
    arguments = parser.parse_args()
    rows = [] if arguments.sheet else None
    results = audit(arguments.faces, rows=rows)
    if rows:
        picture = Image.new("RGB", (rows[0].width, CELL * len(rows)), "white")
        for number, row in enumerate(rows):
            picture.paste(row, (0, number * CELL))
        picture.save(arguments.sheet)
    print(f"flagged in all: {sum(len(found) for found in results.values())} "
          f"(median per face {statistics.median(len(f) for f in results.values()) if results else 0})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
