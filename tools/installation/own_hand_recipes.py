# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Search, for every character a face lacks, the parts the face itself can lend, build the
glyph, judge it, and write what passed as the face's recipe file (own_hand/<face>.tsv).

    /usr/bin/python3 own_hand_recipes.py [--sheet DIR] [SOURCE_KEY ...]

Run ahead of time, not by the build: the build only applies the committed recipes. Each part
comes, best first, from a character the face has with that part in the same place (cut at
the ink gap between its parts), else from the part's own character scaled into the box the
face's characters give that place; a part the face lacks but can build is built first. A
build the gate refuses is tried again from the next nearest drawings of its parts.
"""

import argparse
import itertools
import re
import statistics
import sys
from dataclasses import dataclass
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from fontTools.pens.recordingPen import RecordingPen  # noqa: E402
from fontTools.pens.ttGlyphPen import TTGlyphPen  # noqa: E402
from PIL import Image, ImageDraw, ImageOps  # noqa: E402

import decomposition  # noqa: E402
import fill  # noqa: E402
import fonts  # noqa: E402
import glyph_metrics  # noqa: E402
import own_hand  # noqa: E402
import own_hand_gate as gate  # noqa: E402
import own_hand_layout as layout  # noqa: E402
import own_hand_placement as placement  # noqa: E402
import sources  # noqa: E402
from catalogue import SINGLE_FACES, SOURCES, STYLES  # noqa: E402
from charsets import chinese_name_characters  # noqa: E402

REGULAR_HAND = "LXGWWenKai"
# A gap between parts narrower than this share of the em is a stroke's wobble, not a gap.
NARROWEST_GAP = 0.004
# Where along the glyph a gap between parts may lie.
GAP_RANGE = (0.12, 0.88)
# Neighbours the reading is compared against, at most.
NEIGHBOURS = 40
CALIBRATION_SAMPLE = 400
# Times a built glyph's weight is mended toward the face's.
MENDING_ROUNDS = 2
# The face's own drawings of a part in one place it is compared with, at most.
KIN = 12
# A character whose nearest drawings fail is built again from the next nearest: this many
# drawings of each part, this many plans in all.
DONORS = 3
OTHER_PLANS = 8


def faces() -> dict[str, list[str]]:
    """Recipe name -> the source keys sharing that font file (a thickened copy shares the
    recipes of its plain face: recipes are applied before thickening)."""
    keys = {key for style in STYLES if style.chinese for key in style.fonts}
    keys |= {key for _, _, key in SINGLE_FACES if key != REGULAR_HAND}
    found: dict[str, list[str]] = {}
    for key in sorted(keys):
        found.setdefault(own_hand.recipe_path(SOURCES[key]).stem, []).append(key)
    return found


def learned_codes(cmap, every: int = 1) -> list[int]:
    """The face's characters a name may hold, every every-th of them: what it is cut on."""
    return sorted(set(cmap) & set(chinese_name_characters()))[::every]


@dataclass
class Piece:
    donor: str
    contours: tuple[int, ...]
    box: tuple[float, float, float, float]


class Face:
    def __init__(self, font, table, learn: bool = True, every: int = 1):
        self.font, self.table = font, table
        self.upm = font["head"].unitsPerEm
        glyf = font["glyf"]
        self.cmap = {code: name for code, name in font.getBestCmap().items()
                     if glyf[name].numberOfContours != 0}
        self.glyphs = font.getGlyphSet()
        self._outlines = {}
        self.places: dict[tuple, list[Piece]] = {}    # (kind, n, index, part) -> pieces
        self.generic: dict[tuple, list] = {}          # (kind, n, index) -> boxes
        self.splits: dict[str, list[Piece]] = {}      # own character -> its pieces
        self.spacing = placement.Spacing()
        # Donors come from the characters a name may hold, as the installed face keeps them.
        learned = learned_codes(self.cmap, every) if learn else []
        for code in learned:
            character = chr(code)
            split = table.get(character)
            if code < 0x3400 or split is None:
                continue
            pieces = self.cut(character, split)
            if pieces is None:
                continue
            self.splits[character] = pieces
            n = len(split.parts)
            for index, (part, piece) in enumerate(zip(split.parts, pieces)):
                self.places.setdefault((split.kind, n, index, part), []).append(piece)
                self.generic.setdefault((split.kind, n, index), []).append(piece.box)
            self.spacing.learn(split, [p.box for p in pieces])
        self.spacing.solve()

    def kin(self, key) -> list[tuple[str, object]]:
        """(donor, feature) of the face's own drawings of a part in a place, a few of them."""
        if not hasattr(self, "_kin"):
            self._kin = {}
        if key not in self._kin:
            pieces = sorted(self.places.get(key, []), key=lambda p: p.donor)[:KIN]
            glyphs = {}
            for number, piece in enumerate(pieces):
                pen = TTGlyphPen(None)
                own_hand.draw_part(pen, self.outline(piece.donor),
                                   own_hand.Part(piece.donor, piece.contours, (1, 1, 0, 0)))
                glyphs[0xF0000 + number] = (pen.glyph(), self.upm)
            found = []
            if glyphs:
                drawn = gate.trial_font(self.upm, self.font["hhea"].ascent,
                                        self.font["hhea"].descent, glyphs)
                for number, piece in enumerate(pieces):
                    found.append((piece.donor, gate.feature(
                        glyph_metrics.draw(drawn, chr(0xF0000 + number)))))
            self._kin[key] = found
        return self._kin[key]

    def kinship(self, key, drawn, besides: str) -> float | None:
        """How like the closest of the face's other drawings of the part in that place the
        drawn part is; None when the face has no other."""
        others = [f for donor, f in self.kin(key) if donor != besides]
        if not others:
            return None
        return max(gate.likeness(drawn, other) for other in others)

    def outline(self, character: str):
        if character not in self._outlines:
            self._outlines[character] = own_hand.contours(self.glyphs,
                                                          self.cmap[ord(character)])
        return self._outlines[character]

    def has(self, character: str) -> bool:
        return len(character) == 1 and ord(character) in self.cmap

    def cut(self, character: str, split) -> list[Piece] | None:
        """The character's contours in its parts, cut at the ink gaps between them; None when
        the face joins the parts (no cut leaves every contour on one side but for a stroke's
        tip)."""
        outline = self.outline(character)
        if not outline:
            return None
        boxes = [own_hand.contour_box(c) for c in outline]
        if layout.enclosing(split.kind):
            found = layout.cut_enclosure(outline, boxes, split.kind)
            return None if found is None else [
                Piece(character, tuple(indices), layout.union_box([boxes[i] for i in indices]))
                for indices in found]
        axis = 0 if split.kind == decomposition.ACROSS else 1
        spans = [(b[axis], b[axis + 2]) for b in boxes]
        cuts = find_cuts(spans, len(split.parts) - 1, NARROWEST_GAP * self.upm)
        if cuts is None:
            return None
        wanted = len(cuts)
        sections = [[] for _ in split.parts]
        for index, (start, end) in enumerate(spans):
            section = sum((start + end) / 2 > cut for cut in cuts)
            # Stacked parts run downwards, font units upwards.
            sections[section if axis == 0 else wanted - section].append(index)
        pieces = []
        for indices in sections:
            if not indices:
                return None
            chosen = [boxes[i] for i in indices]
            pieces.append(Piece(character, tuple(indices),
                                (min(b[0] for b in chosen), min(b[1] for b in chosen),
                                 max(b[2] for b in chosen), max(b[3] for b in chosen))))
        return pieces


# Steps a cut is looked for at along the glyph, and how far a contour may reach across it.
CUT_STEPS = 60
MOST_REACH = 0.07


def find_cuts(spans, count: int, narrowest: float) -> list[float] | None:
    """Where to cut the spans (contours' extents along one axis) into count + 1 groups: in the
    widest runs of positions that no contour crosses by more than MOST_REACH of the extent."""
    low, high = min(s[0] for s in spans), max(s[1] for s in spans)
    extent = high - low
    if extent <= 0:
        return None
    reach = MOST_REACH * extent

    def crossing(position):
        return max((min(position - start, end - position) for start, end in spans
                    if start < position < end), default=0.0)

    step = extent / CUT_STEPS
    positions = [low + step * i for i in range(CUT_STEPS + 1)
                 if GAP_RANGE[0] <= i / CUT_STEPS <= GAP_RANGE[1]]
    clear = [crossing(p) <= reach for p in positions]
    runs, begin = [], None
    for position, ok in zip(positions + [None], clear + [False]):
        if ok and begin is None:
            begin = position
        elif not ok and begin is not None:
            end = position if position is not None else positions[-1]
            runs.append((end - begin, (begin + end) / 2))
            begin = None
    def parts_both_sides(position):
        # A cut just inside a long contour's end clears it too: each side must hold a part.
        left = [end for start, end in spans if (start + end) / 2 < position]
        right = [start for start, end in spans if (start + end) / 2 >= position]
        return (left and right and max(left) - low >= GAP_RANGE[0] * extent
                and high - min(right) >= GAP_RANGE[0] * extent)
    runs = [r for r in runs if (r[0] >= narrowest or r[0] >= step) and parts_both_sides(r[1])]
    if len(runs) < count:
        return None
    return sorted(position for _, position in sorted(runs, reverse=True)[:count])


median_box = placement.median_box


def mapping(source, target) -> tuple[float, float, float, float]:
    sx = (target[2] - target[0]) / max(1.0, source[2] - source[0])
    sy = (target[3] - target[1]) / max(1.0, source[3] - source[1])
    return (sx, sy, target[0] - sx * source[0], target[1] - sy * source[1])


def placed_box(box, transform):
    sx, sy, dx, dy = transform
    xs, ys = (sx * box[0] + dx, sx * box[2] + dx), (sy * box[1] + dy, sy * box[3] + dy)
    return (min(xs), min(ys), max(xs), max(ys))


def outline_box(outline):
    boxes = [own_hand.contour_box(c) for c in outline]
    return (min(b[0] for b in boxes), min(b[1] for b in boxes),
            max(b[2] for b in boxes), max(b[3] for b in boxes))


class Planner:
    """Recipes for one face: each part from the best donor, components built on the way."""

    def __init__(self, face: Face, stroke: float):
        self.face, self.stroke = face, stroke
        self.components: dict[str, own_hand.Recipe | None] = {}
        self.builder = own_hand.Builder(face.glyphs, face.cmap)

    def box_of(self, kind, n, index, part):
        """The part's median box in that place; the place's, when the face has no such part
        there; None when it has no part there at all."""
        pieces = self.face.places.get((kind, n, index, part))
        if pieces:
            return median_box([p.box for p in pieces])
        generic = self.face.generic.get((kind, n, index))
        return median_box(generic) if generic else None

    def targets(self, kind, parts) -> list[tuple] | None:
        """Where each part goes, set against the others as the face sets its own."""
        n = len(parts)
        if any(self.box_of(kind, n, i, part) is None for i, part in enumerate(parts)):
            return None
        return self.face.spacing.targets(kind, parts,
                                         lambda i, part: self.box_of(kind, n, i, part))

    def nearest(self, kind, n, index, part, target, most=1) -> list[tuple[float, own_hand.Part]]:
        """The face's drawings of the part in that place whose boxes lie nearest the target,
        nearest first, each with its distance and placed in the target box."""
        pieces = self.face.places.get((kind, n, index, part), [])
        ranked = sorted(((sum(abs(a - b) for a, b in zip(p.box, target)), p.donor, p)
                         for p in pieces), key=lambda found: found[:2])[:most]
        return [(distance, own_hand.Part(p.donor, p.contours, mapping(p.box, target)))
                for distance, _, p in ranked]

    def part(self, kind, n, index, part, depth, target) -> own_hand.Part | None:
        """The part, placed in the target box."""
        drawn = self.nearest(kind, n, index, part, target)
        if drawn:
            return drawn[0][1]
        if self.face.has(part):
            donor, outline = part, self.face.outline(part)
        else:
            component = self.component(part, depth)
            if component is None:
                return None
            donor, outline = "=" + component.key, self.builder.made[component.key]
        if not outline:
            return None
        transform = mapping(outline_box(outline), target)
        shrink = (transform[0] * transform[1]) ** 0.5
        radius = max(0, round(self.stroke * (1 - shrink) / 2))
        return own_hand.Part(donor, (), transform, radius)

    def component(self, part: str, depth: int) -> own_hand.Recipe | None:
        key = "~" + part
        if key not in self.components:
            split = self.face.table.get(part)
            recipe = self.plan(key, split, depth + 1, mapped=False) if split and depth < 2 \
                else None
            if recipe:
                try:
                    self.builder.build(recipe)
                except ValueError:
                    recipe = None   # too many points to be a part
            self.components[key] = recipe
        return self.components[key]

    def plan(self, key: str, split, depth: int = 0, mapped: bool = True):
        targets = self.targets(split.kind, split.parts)
        if targets is None:
            return None
        parts = []
        for index, (part, target) in enumerate(zip(split.parts, targets)):
            found = self.part(split.kind, len(split.parts), index, part, depth, target)
            if found is None:
                return None
            parts.append(found)
        return own_hand.Recipe(key, split.kind, tuple(parts), mapped, split.parts)

    def other_plans(self, key: str, split) -> list[own_hand.Recipe]:
        """The character's plans from the next nearest drawings of its parts (DONORS of each),
        nearest together first, the plan itself left out; OTHER_PLANS at most."""
        targets = self.targets(split.kind, split.parts)
        if targets is None:
            return []
        n, options = len(split.parts), []
        for index, (part, target) in enumerate(zip(split.parts, targets)):
            drawn = self.nearest(split.kind, n, index, part, target, DONORS)
            if not drawn:
                found = self.part(split.kind, n, index, part, 0, target)
                if found is None:
                    return []
                drawn = [(0.0, found)]
            options.append(drawn)
        combinations = sorted(itertools.product(*options),
                              key=lambda parts: sum(distance for distance, _ in parts))
        return [own_hand.Recipe(key, split.kind, tuple(part for _, part in parts), True,
                                split.parts)
                for parts in combinations[1:OTHER_PLANS + 1]]

    def needed_components(self, recipe) -> list[own_hand.Recipe]:
        found = []
        for part in recipe.parts:
            if part.donor.startswith("="):
                component = self.components[part.donor[1:]]
                found += self.needed_components(component) + [component]
        return found


def neighbours_of(table, character, candidates: set[str]) -> list[str]:
    """Characters sharing a part with it in the same place, in the same arrangement."""
    split = table[character]
    found = []
    for other in sorted(candidates):
        if other == character:
            continue
        theirs = table.get(other)
        if theirs and theirs.kind == split.kind and len(theirs.parts) == len(split.parts) \
                and any(a == b for a, b in zip(theirs.parts, split.parts)):
            found.append(other)
    return found[:NEIGHBOURS]


class Reader:
    """The regular hand's drawings of characters and of their parts, for the reading check."""

    def __init__(self, table):
        source = SOURCES[REGULAR_HAND]
        data = sources.font_bytes(source)
        self.face = Face(fonts.load(data, sources.face_index(source)), table, learn=False)
        self.drawn = glyph_metrics.face(data, sources.face_index(source))
        self._features = {}
        self.characters = {chr(c) for c in self.face.cmap if c >= 0x3400}
        # The table as this hand draws it: every record's layout judged on its glyph.
        self.table = self.face.table = layout.Judge(table, self.face, self.feature)

    def feature(self, character, box=None, mirrored=False):
        key = (character, box, mirrored)
        if key not in self._features:
            self._features[key] = gate.feature(glyph_metrics.draw(self.drawn, character), box,
                                               mirrored)
        return self._features[key]

    def piece_boxes(self, character) -> list[tuple] | None:
        """Each part's box (font units), as the regular hand cuts the character."""
        if character not in self.face.splits:
            split = self.face.table.get(character)
            self.face.splits[character] = self.face.cut(character, split) \
                if split and self.face.has(character) else None
        pieces = self.face.splits[character]
        return None if pieces is None else [p.box for p in pieces]

    def part_boxes(self, character) -> list[tuple] | None:
        """Each part's box relative to the character's ink box (0..1, top down)."""
        boxes = self.piece_boxes(character)
        return None if boxes is None else relative_boxes(boxes)


def relative_boxes(boxes) -> list[tuple]:
    x0, y0 = min(b[0] for b in boxes), min(b[1] for b in boxes)
    x1, y1 = max(b[2] for b in boxes), max(b[3] for b in boxes)
    w, h = (x1 - x0) or 1, (y1 - y0) or 1
    return [((b[0] - x0) / w, (y1 - b[3]) / h, (b[2] - x0) / w, (y1 - b[1]) / h) for b in boxes]


def reading(reader: Reader, image, character, boxes, neighbours):
    """The margin over the neighbours, each part's likeness to the regular hand's part in
    that place, and how far that likeness leads the likeness to the part's mirror image."""
    got = gate.margin(gate.feature(image), reader.feature(character),
                      [reader.feature(other) for other in neighbours])
    theirs = reader.part_boxes(character)
    parts, facing = [], []
    if theirs is not None:
        for ours, regular in zip(boxes, theirs):
            drawn = gate.feature(image, ours)
            alike = gate.likeness(drawn, reader.feature(character, tuple(regular)))
            parts.append(alike)
            facing.append(alike - gate.likeness(drawn, reader.feature(character, tuple(regular),
                                                                      mirrored=True)))
    return got, parts, facing


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("faces", nargs="*")
    parser.add_argument("--limit", type=int, default=0, help="try only this many characters")
    parser.add_argument("--quick", action="store_true",
                        help="leave out the count of deliberately wrong builds let through")
    arguments = parser.parse_args()
    reader = Reader(decomposition.load())
    for name, keys in faces().items():
        if arguments.faces and name not in arguments.faces and not set(keys) & set(
                arguments.faces):
            continue
        source = SOURCES[keys[0]]
        data = sources.font_bytes(source)
        counts, lines = make_recipes(data, sources.face_index(source), reader, arguments.limit,
                                     arguments.quick)
        path = own_hand.recipe_path(source)
        path.parent.mkdir(exist_ok=True)
        # Split so that licence tools reading this file do not take them for its own.
        tag = "# SPDX" + "-"
        header = [tag + "FileCopyrightText: 2026 The yanzhou-sign authors",
                  tag + "FileCopyrightText: Gavin Grover (the decomposition data)",
                  tag + "FileCopyrightText: 2012-2014 Jeremiah Daneil de la Rouviere",
                  tag + "License-Identifier: GPL-3.0-or-later AND MIT",
                  f"# Characters {source.credit} lacks, built from its own parts by",
                  "# own_hand_recipes.py: key, role, arrangement, parts, then per part",
                  "# donor|contours|sx,sy,dx,dy|thickening. Do not edit by hand.",
                  f"# {counts}",
                  f"# font sha256 {own_hand.font_digest(data)}"]
        own_hand.write_recipes(path, header + lines)
        print(f"{name}: {counts}", flush=True)
    return 0


@dataclass
class Workshop:
    """One face made ready: its parts learned, its own glyphs measured."""
    face: Face
    planner: Planner
    reader: Reader
    calibration: gate.Calibration
    advance: int
    spread: object = None    # the face's own spread, as the audit holds built glyphs to it

    def draw(self, plans: dict) -> object:
        """The plans' glyphs in one trial font, as FreeType draws them."""
        font = self.face.font
        return gate.trial_font(self.face.upm, font["hhea"].ascent, font["hhea"].descent,
                               {ord(c): (self.planner.builder.build(p), self.advance)
                                for c, p in plans.items()})

    def plans(self, characters) -> dict:
        found = {}
        for character in characters:
            split = self.face.table.get(character)
            plan = self.planner.plan(character, split) if split else None
            if plan:
                try:
                    self.planner.builder.build(plan)
                except ValueError:
                    continue
                found[character] = plan
        return found

    def judge(self, plans: dict) -> dict:
        """Each plan's verdict; a plan too light or too heavy is thickened or thinned to the
        median of the face's glyphs of that density and judged again (twice at most: the
        density moves with the weight). Plans so mended replace theirs in plans."""
        trial = self.draw(plans)
        verdicts = {c: self.audited(c, plan, check(self.face, self.planner, self.reader, trial,
                                                   c, plan, self.calibration))
                    for c, plan in plans.items()}
        for _ in range(MENDING_ROUNDS):
            mended = {}
            for character, verdict in verdicts.items():
                if not verdict.reason.startswith("weight"):
                    continue
                low_weight, high_weight = gate.weight_range(self.calibration, verdict.share)
                short = (low_weight + high_weight) / 2 - verdict.weight
                radius = round(short / 2 / glyph_metrics.EM * self.face.upm)
                if radius:
                    plan = plans[character]
                    mended[character] = own_hand.Recipe(
                        plan.key, plan.kind,
                        tuple(own_hand.Part(p.donor, p.contours, p.transform, p.radius + radius)
                              for p in plan.parts), True, plan.components)
            if not mended:
                break
            again = self.draw(mended)
            for character, plan in mended.items():
                verdict = self.audited(character, plan, check(
                    self.face, self.planner, self.reader, again, character, plan,
                    self.calibration))
                if verdict.passed or verdict.reason.startswith("weight"):
                    plans[character], verdicts[character] = plan, verdict
        return verdicts

    def try_other_plans(self, plans: dict, verdicts: dict) -> None:
        """Each character that failed built again from the next nearest drawings of its
        parts, one round a plan, until one passes (plans and verdicts take it); a character
        whose every plan fails keeps its first verdict."""
        others = {c: self.planner.other_plans(c, self.face.table[c])
                  for c, verdict in verdicts.items() if not verdict.passed}
        for round_ in range(OTHER_PLANS):
            trial = {c: found[round_] for c, found in others.items()
                     if round_ < len(found) and not verdicts[c].passed}
            if not trial:
                break
            for character, verdict in self.judge(trial).items():
                if verdict.passed:
                    plans[character], verdicts[character] = trial[character], verdict

    def audited(self, character, plan, verdict) -> gate.Verdict:
        """The verdict, failed if the audit would flag what passed (parts overlapping or apart
        beyond the face's own spread)."""
        import own_hand_audit   # here, not above: the audit builds on this module
        if not verdict.passed:
            return verdict
        if self.spread is None:
            self.spread = own_hand_audit.Spread.of(self.face, self.reader)
        why = own_hand_audit.finding(self.spread, self.reader, character, plan.kind,
                                     part_targets(self.face, self.planner, plan), self.face.upm)
        return gate.Verdict(False, why, verdict.weight, verdict.share, verdict.margin,
                            verdict.part) if why else verdict

    def lines(self, plans: dict, verdicts: dict) -> list[str]:
        """The recipe lines of the plans that passed, each after the components it uses."""
        lines, written = [], set()
        for character, plan in plans.items():
            if not verdicts[character].passed:
                continue
            for component in self.planner.needed_components(plan):
                if component.key not in written:
                    lines.append(component.line())
                    written.add(component.key)
            lines.append(plan.line())
        return lines


def workshop(data: bytes, index: int, reader: Reader) -> Workshop:
    font = fonts.load(data, index)
    face = Face(font, reader.table)
    calibration, stroke_px = calibrate(face, glyph_metrics.face(data, index), reader)
    planner = Planner(face, stroke_px / glyph_metrics.EM * face.upm)
    return Workshop(face, planner, reader, calibration,
                    own_hand.median_advance(font, face.cmap))


def lacking(face: Face) -> list[str]:
    return [chr(code) for code in chinese_name_characters()
            if code >= 0x3400 and code not in face.cmap]


def make_recipes(data, index, reader, limit=0, quick=False):
    shop = workshop(data, index, reader)
    missing = lacking(shop.face)[:limit or None]
    plans = shop.plans(missing)
    verdicts = shop.judge(plans)
    shop.try_other_plans(plans, verdicts)
    lines = shop.lines(plans, verdicts)
    passed = [c for c, v in verdicts.items() if v.passed]
    reasons = {}
    for verdict in verdicts.values():
        if not verdict.passed:
            first = re.sub(r" [0-9.].*", "", verdict.reason.split(" (")[0])
            reasons[first] = reasons.get(first, 0) + 1
    print(f"  gated out: {reasons}", flush=True)
    if not quick:
        print(f"  wrong builds let through: {wrong_builds(shop, plans, passed)}", flush=True)
    counts = (f"{len(missing)} lacking: {len(passed)} built, {len(plans) - len(passed)} gated "
              f"out, {len(missing) - len(plans)} with no usable parts; "
              f"{len(missing) - len(passed)} left to the fill")
    return counts, lines


def swapped(face, plan, index=-1):
    """The plan with one part swapped for a different component drawn in that place."""
    kind, n = plan.kind, len(plan.parts)
    position = index % n
    others = sorted(((len(pieces), key[3]) for key, pieces in face.places.items()
                     if key[:3] == (kind, n, position) and key[3] != plan.components[position]),
                    reverse=True)
    pieces = face.places[(kind, n, position, others[0][1])]
    piece = pieces[0]
    old = plan.parts[position]
    wanted = median_box([p.box for p in pieces])
    part = own_hand.Part(piece.donor, piece.contours, mapping(piece.box, wanted), old.radius)
    parts = list(plan.parts)
    parts[position] = part
    return own_hand.Recipe(plan.key, plan.kind, tuple(parts), True, plan.components)


def mirrored(face, planner, plan, index=None):
    """The plan with one part drawn mirrored in its own box: the least symmetric one, unless
    told (a mirrored 王 is still 王)."""
    if index is None:
        index = min(range(len(plan.parts)), key=lambda i: symmetry(planner, plan.parts[i]))
    part = plan.parts[index]
    outline = planner.builder.outline(part.donor)
    picked = [outline[i] for i in part.contours] if part.contours else outline
    box = placed_box(outline_box(picked), part.transform)
    sx, sy, dx, dy = part.transform
    flipped = own_hand.Part(part.donor, part.contours, (-sx, sy, box[0] + box[2] - dx, dy),
                            part.radius)
    parts = list(plan.parts)
    parts[index] = flipped
    return own_hand.Recipe(plan.key, plan.kind, tuple(parts), True, plan.components)


def relaid(planner, plan, kind):
    """The plan's parts laid out another way (冏 side by side, an enclosure stacked), each
    placed as the face places that part there."""
    return planner.plan(plan.key, decomposition.Split(kind, plan.components))


def exchanged(face, planner, plan):
    """The plan with its first two parts drawn in each other's places, each stretched into
    the other's box."""
    boxes = part_targets(face, planner, plan)[:2]
    parts = list(plan.parts)
    for index, box in enumerate(boxes):
        part = plan.parts[index]
        outline = planner.builder.outline(part.donor)
        picked = [outline[i] for i in part.contours] if part.contours else outline
        parts[index] = own_hand.Part(part.donor, part.contours,
                                     mapping(outline_box(picked), boxes[1 - index]), part.radius)
    return own_hand.Recipe(plan.key, plan.kind, tuple(parts), True, plan.components)


def symmetry(planner, part) -> float:
    """How alike the part and its mirror image are (1: symmetric)."""
    pen = TTGlyphPen(None)
    own_hand.draw_part(pen, planner.builder.outline(part.donor),
                       own_hand.Part(part.donor, part.contours, (1, 1, 0, 0)))
    recording = RecordingPen()
    pen.glyph().draw(recording, None)
    outline = own_hand.split_contours(recording.value)
    if not outline:
        return 1.0
    box = outline_box(outline)
    image = draw_outline(outline, box)
    return gate.likeness(gate.feature(image), gate.feature(ImageOps.mirror(image)))


def draw_outline(outline, box, side=96):
    """The outline's ink drawn in grey levels, its box scaled to side pixels at most."""
    scale = side / max(1.0, box[2] - box[0], box[3] - box[1])
    image = Image.new("L", (side + 4, side + 4), 0)
    drawer = ImageDraw.Draw(image)
    for contour in outline:
        points = [p for _, arguments in contour for p in arguments if p is not None]
        if len(points) >= 3:
            drawer.polygon([(2 + (x - box[0]) * scale, 2 + (box[3] - y) * scale)
                            for x, y in points], fill=255)
    return image


def wrong_builds(shop: Workshop, plans: dict, passed: list[str], sample: int = 100) -> dict:
    """How many deliberately wrong builds of characters that passed the gate pass it too."""
    chosen = passed[:sample]
    through = {}
    for label, spoil in (("swapped", lambda p: swapped(shop.face, p)),
                         ("mirrored", lambda p: mirrored(shop.face, shop.planner, p)),
                         ("exchanged", lambda p: exchanged(shop.face, shop.planner, p))):
        variants = {c: spoil(plans[c]) for c in chosen}
        verdicts = shop.judge(dict(variants))
        through[label] = f"{sum(v.passed for v in verdicts.values())} of {len(variants)}"
    return through


def part_targets(face, planner, plan):
    """Each part's placed ink box, in font units."""
    boxes = []
    for part in plan.parts:
        outline = planner.builder.outline(part.donor)
        picked = [outline[i] for i in part.contours] if part.contours else outline
        box = outline_box(picked)
        grown = part.radius
        placed = placed_box(box, part.transform)
        boxes.append((placed[0] - grown, placed[1] - grown, placed[2] + grown,
                      placed[3] + grown))
    return boxes


def check(face, planner, reader, trial, character, plan, calibration) -> gate.Verdict:
    image = glyph_metrics.draw(trial, character)
    placed = part_targets(face, planner, plan)
    n = len(plan.parts)
    wanted = planner.targets(plan.kind, plan.components) or placed
    arrangement = gate.arrangement(plan.kind, n)
    wrong = (gate.in_boxes(plan.kind, placed, wanted, face.upm)
             or gate.laid_out_wrong(calibration.layout, plan.kind, placed,
                                    reader.table.get(character), reader.piece_boxes(character))
             or out_of_shape(face, plan, placed))
    neighbours = neighbours_of(reader.face.table, character, reader.characters) \
        if character in reader.face.table else []
    relative = relative_boxes(placed)
    kin = [kinship(face, plan.kind, i, component, image, relative[i], plan.parts[i].donor, n)
           for i, component in enumerate(plan.components)]
    verdict = judge(calibration, reader, image, character, arrangement, relative, neighbours,
                    kin)
    if wrong and verdict.passed:
        return gate.Verdict(False, wrong, verdict.weight, verdict.share, verdict.margin,
                            verdict.part)
    return verdict


def out_of_shape(face, plan, placed) -> str:
    """Empty unless a part is drawn narrower or wider than the face draws it in that place."""
    n = len(plan.parts)
    for index, component in enumerate(plan.components):
        pieces = face.places.get((plan.kind, n, index, component), [])
        why = gate.squeezed(placed[index], [p.box for p in pieces])
        if why:
            return why
    return ""


def kinship(face, kind, index, component, image, box, donor, n):
    """How like the face's other drawings of that part in that place the drawn part is; None
    for an enclosure (its box holds the inside too) or a part the face draws nowhere else."""
    if layout.enclosing(kind) and index == 0:
        return None
    return face.kinship((kind, n, index, component), gate.feature(image, box), donor)


def judge(calibration, reader, image, character, arrangement, relative, neighbours, kin):
    """The verdict: parts the face draws elsewhere in that place are compared with those
    drawings; the others with the regular hand's part (likeness, and facing the right way)."""
    got, parts, facing = reading(reader, image, character, relative, neighbours)
    alone = [i for i, value in enumerate(kin) if value is None]
    return gate.judge(calibration, arrangement, image, reader.feature(character),
                      [reader.feature(o) for o in neighbours],
                      [parts[i] for i in alone if i < len(parts)],
                      [facing[i] for i in alone if i < len(facing)],
                      [value for value in kin if value is not None], "")


def calibration_characters(face: Face, reader: Reader) -> list[str]:
    """The face's own two- and three-part glyphs the checks are calibrated on."""
    # The characters a face lacks are rarer and denser than its common ones: measure it on
    # those of its own that are rare too (beyond GB2312's first level), where it has enough.
    common = set(fill.calibration_sample_pool())
    characters = sorted(c for c in face.splits if c in reader.characters)
    rare = [c for c in characters if ord(c) not in common]
    characters = rare if len(rare) >= CALIBRATION_SAMPLE // 2 else characters
    return characters[::max(1, len(characters) // CALIBRATION_SAMPLE)]


def gap_calibration(face: Face, drawn, characters) -> dict[tuple[str, int], float]:
    """The widest band between parts the face's own glyphs of each arrangement mostly keep to."""
    gaps = {}
    for character in characters:
        split = face.table[character]
        if layout.enclosing(split.kind):
            continue   # no band between an enclosure and what it holds
        image = glyph_metrics.draw(drawn, character)
        gaps.setdefault((split.kind, len(split.parts)), []).append(
            gate.widest_gap(image, split.kind))
    return {k: gate.high(v) for k, v in gaps.items() if len(v) >= 10}


def calibrate(face: Face, drawn, reader: Reader) -> tuple[gate.Calibration, float]:
    """What the face's own two- and three-part glyphs reach on every check."""
    weights, margins, parts, facings, kin, layouts = [], {}, {}, {}, {}, {}
    for character in calibration_characters(face, reader):
        split = face.table[character]
        arrangement = gate.arrangement(split.kind, len(split.parts))
        image = glyph_metrics.draw(drawn, character)
        weight = gate.stroke_width(image)
        if weight:
            weights.append((gate.ink_share(image), weight))
        neighbours = neighbours_of(face.table, character, reader.characters)
        pieces = face.splits[character]
        relative = relative_boxes([p.box for p in pieces])
        got, likeness, facing = reading(reader, image, character, relative, neighbours)
        pooled = (arrangement, gate.ANY_ARRANGEMENT)
        for key in pooled:
            margins.setdefault(key, []).append(got)
            if likeness:
                parts.setdefault(key, []).append(min(likeness))
                facings.setdefault(key, []).append(min(facing))
        for index, part in enumerate(split.parts):
            value = kinship(face, split.kind, index, part, image, relative[index], character,
                            len(split.parts))
            for key in pooled if value is not None else ():
                kin.setdefault(key, []).append(value)
        reference = reader.piece_boxes(character)
        if reference:
            off = layout.disagreement([p.box for p in pieces], reference)
            for key in pooled:
                layouts.setdefault(key, []).append(off)
    calibration = gate.Calibration(tuple(weights),
                                   {k: gate.low(v) for k, v in margins.items() if len(v) >= 10},
                                   {k: gate.low(v) for k, v in parts.items() if len(v) >= 10},
                                   {k: gate.low(v) for k, v in facings.items() if len(v) >= 10},
                                   {k: gate.low(v) for k, v in kin.items() if len(v) >= 10},
                                   gap_calibration(face, drawn,
                                                   calibration_characters(face, reader)),
                                   {k: gate.high(v) for k, v in layouts.items() if len(v) >= 10})
    print("  own medians: part", {k: statistics.median(v) for k, v in parts.items()},
          "margin", {k: statistics.median(v) for k, v in margins.items()})
    print(f"  calibrated on {len(weights)} own glyphs: margin "
          f"{calibration.margin}, part {calibration.part}, facing {calibration.facing}, kin {calibration.kin}, "
          f"gap {calibration.gap}, layout {calibration.layout}",
          flush=True)
    return calibration, statistics.median(w for _, w in weights)


if __name__ == "__main__":
    sys.exit(main())
