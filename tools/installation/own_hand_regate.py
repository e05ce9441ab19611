# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Hold the committed recipe files to the gate's checks of the gap between parts and of each
part's proportions, and to the audit, without searching for donors again: the glyphs they
build whose parts stand further apart than the face's own ever mostly do, with a part
narrower or wider than the face ever mostly draws it there, or that the audit flags (a wrong
layout, parts overlapping or apart beyond the face's spread), are dropped (with the
components only they used), so those characters stay with the fill. Every other line of a
file is kept as it is.

    /usr/bin/python3 own_hand_regate.py [--dry-run] [RECIPE_NAME or SOURCE_KEY ...]
"""

import argparse
import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import decomposition  # noqa: E402
import fill  # noqa: E402
import fonts  # noqa: E402
import glyph_metrics  # noqa: E402
import own_hand  # noqa: E402
import own_hand_audit  # noqa: E402
import own_hand_gate as gate  # noqa: E402
import own_hand_recipes as recipes  # noqa: E402
import sources  # noqa: E402
from catalogue import SOURCES  # noqa: E402

COUNTS = re.compile(r"# (\d+) lacking: (\d+) built, (\d+) gated out, (\d+) with no usable "
                    r"parts; (\d+) left to the fill")


def apart(data: bytes, index: int, reader, recipe_list) -> dict[str, str]:
    """Character -> why, for each built glyph whose parts stand too far apart."""
    face = recipes.Face(fonts.load(data, index), reader.table)
    drawn = glyph_metrics.face(data, index)
    calibration = gate.Calibration((), {}, {}, {}, {}, recipes.gap_calibration(
        face, drawn, recipes.calibration_characters(face, reader)))
    font = fonts.load(data, index)
    used = own_hand.apply(font, recipe_list, fonts._add_glyphs, fill.map_characters)
    # Drawn as the recipes were judged when made: alone in a trial font.
    glyf, advance = font["glyf"], own_hand.median_advance(font, face.cmap)
    built = gate.trial_font(face.upm, font["hhea"].ascent, font["hhea"].descent,
                            {ord(r.key): (glyf[f"own{ord(r.key):05X}"], advance)
                             for r in used})
    found = {}
    for recipe in used:
        reason = gate.apart(calibration, gate.arrangement(recipe.kind, len(recipe.parts)),
                            glyph_metrics.draw(built, recipe.key))
        if reason:
            found[recipe.key] = reason
    flagged = own_hand_audit.Auditor(data, index, reader, face).look(recipe_list)
    return {**flagged, **out_of_shape(face, recipe_list), **found}


def out_of_shape(face, recipe_list) -> dict[str, str]:
    """Character -> why, for each built glyph with a part out of the face's proportions."""
    planner = recipes.Planner(face, 0.0)
    found = {}
    for recipe in recipe_list:
        try:
            planner.builder.build(recipe)
        except (KeyError, IndexError, ValueError):
            continue
        if recipe.mapped:
            why = recipes.out_of_shape(face, recipe,
                                       recipes.part_targets(face, planner, recipe))
            if why:
                found[recipe.key] = why
    return found


def kept_lines(lines: list[str], dropped: set[str]) -> list[str]:
    """The file's lines without the dropped characters' and the components no kept line
    needs any more; a line that does not read as a recipe is kept as it is."""
    read = {}
    for number, line in enumerate(lines):
        if line and not line.startswith("#"):
            try:
                read[number] = own_hand.Recipe.read(line)
            except (ValueError, TypeError):
                continue
    components = {r.key: r for r in read.values() if not r.mapped}
    needed, waiting = set(), [r for r in read.values() if r.mapped and r.key not in dropped]
    while waiting:
        for part in waiting.pop().parts:
            key = part.donor[1:]
            if part.donor.startswith("=") and key not in needed and key in components:
                needed.add(key)
                waiting.append(components[key])
    return [line for number, line in enumerate(lines)
            if number not in read or (read[number].key not in dropped if read[number].mapped
                                      else read[number].key in needed)]


def recount(line: str, dropped: int) -> str:
    """The header's counts with the dropped glyphs moved from built to gated out."""
    found = COUNTS.fullmatch(line)
    if not found:
        return line
    lacking, built, gated, unusable, left = map(int, found.groups())
    return (f"# {lacking} lacking: {built - dropped} built, {gated + dropped} gated out, "
            f"{unusable} with no usable parts; {left + dropped} left to the fill")


def regate(keys: list[str], reader, dry_run: bool = False) -> dict[str, str]:
    source = SOURCES[keys[0]]
    path = own_hand.recipe_path(source)
    data = sources.font_bytes(source)
    if not path.exists() or own_hand.recorded_digest(path) != own_hand.font_digest(data):
        return {}
    found = apart(data, sources.face_index(source), reader,
                  own_hand.read_recipes(path))
    if found and not dry_run:
        lines = path.read_text(encoding="utf-8").splitlines()
        own_hand.write_recipes(path, [recount(line, len(found))
                                      for line in kept_lines(lines, set(found))])
    return found


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("faces", nargs="*")
    parser.add_argument("--dry-run", action="store_true", help="report, change no file")
    arguments = parser.parse_args()
    reader = recipes.Reader(decomposition.load())
    for name, keys in recipes.faces().items():
        if arguments.faces and name not in arguments.faces and not set(keys) & set(
                arguments.faces):
            continue
        found = regate(keys, reader, arguments.dry_run)
        print(f"{name}: {len(found)} dropped: " + " ".join(sorted(found)), flush=True)
        for character, reason in sorted(found.items()):
            print(f"  {character} {reason}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
