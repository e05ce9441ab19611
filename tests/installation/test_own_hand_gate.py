# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The gate on glyphs built from a face's own parts: what it lets through is the committed
recipes, and deliberately wrong builds (a part swapped for another component, a part drawn
mirrored) do not pass, so those characters stay with the fill.

    /usr/bin/python3 test_own_hand_gate.py [app dir, not used]
"""

import sys
import tempfile
import unittest
from pathlib import Path

sys.argv[1:] = []  # the app directory ctest passes: the gate needs only the source fonts
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools/installation"))
import decomposition  # noqa: E402
import fill  # noqa: E402
import fonts  # noqa: E402
import glyph_metrics  # noqa: E402
import own_hand_gate as gate  # noqa: E402
import own_hand  # noqa: E402
import own_hand_recipes as recipes  # noqa: E402
import own_hand_regate as regate  # noqa: E402
import sources  # noqa: E402
from catalogue import SOURCES  # noqa: E402

FACE = "ZhiMangXing"
SAMPLE = 40
# Recipes this face's file once held: 王 and 月 set so far apart that 玥 read as two
# characters, and 鱼 and 感 wider apart still.
APART = ["玥\tchar\ta\t王 月\t玳|0,1|1.0780,1.0196,-8.0,-11.7|-3\t期|0,1,2,3|0.9930,0.9691,-5.1,-0.2|-3",
         "鳡\tchar\ta\t鱼 感\t鳊|5,6,7|1.0056,1.0353,-8.3,-5.2|-4\t憾|0|1.0000,1.0000,0.0,0.0|-4"]
# The face's own characters of those arrangements, which must keep passing.
OWN = {("a", 2): "现珍玩珠理明朗", ("d", 2): "基堂垄"}


class Gate(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        table = decomposition.load()
        cls.data = sources.font_bytes(SOURCES[FACE])
        cls.shop = recipes.workshop(cls.data, 0, recipes.Reader(table))
        path = own_hand.recipe_path(SOURCES[FACE])
        committed = [r for r in own_hand.read_recipes(path) if r.mapped]
        # Parts taken from donors only, so that every spoiled copy changes a real part.
        cls.committed = [r for r in committed
                         if not any(p.donor.startswith("=") for p in r.parts)][:SAMPLE]
        cls.plans = {r.key: r for r in cls.committed}

    def test_the_committed_recipes_pass_as_they_did(self):
        verdicts = self.shop.judge(dict(self.plans))
        failed = {c: v.reason for c, v in verdicts.items() if not v.passed}
        self.assertEqual(len(self.committed), SAMPLE)
        self.assertEqual(failed, {})

    def test_wrong_builds_fall_back_to_the_fill(self):
        cases = {
            "swapped": {c: recipes.swapped(self.shop.face, p) for c, p in self.plans.items()},
            # The least symmetric part: a mirrored 王 is still 王.
            "mirrored": {c: recipes.mirrored(self.shop.face, self.shop.planner, p)
                         for c, p in self.plans.items()},
        }
        # What a check of this kind lets through on this face when the recipes are made.
        allowed = {"swapped": 0.05, "mirrored": 0.2}
        for label, spoiled in cases.items():
            with self.subTest(fault=label):
                verdicts = self.shop.judge(dict(spoiled))
                through = [c for c, v in verdicts.items() if v.passed]
                self.assertLessEqual(len(through), allowed[label] * len(spoiled),
                                     "".join(through))
                # Only what passed is written, so the font lacks the rest and the fill
                # gives it the plain character.
                lines = self.shop.lines(spoiled, verdicts)
                font = fonts.load(self.data, 0)
                built = own_hand.apply(font, [own_hand.Recipe.read(line) for line in lines],
                                       fonts._add_glyphs, fill.map_characters)
                cmap = font.getBestCmap()
                self.assertEqual({r.key for r in built if r.mapped}, set(through))
                for character in set(spoiled) - set(through):
                    self.assertNotIn(ord(character), cmap)

    def test_parts_set_apart_fall_back_but_the_faces_own_pass(self):
        plans = {r.key: r for r in map(own_hand.Recipe.read, APART)}
        verdicts = self.shop.judge(dict(plans))
        self.assertEqual({c: v.reason.split(" (")[0] for c, v in verdicts.items()},
                         {c: "parts apart" for c in plans})
        drawn = glyph_metrics.face(self.data)
        apart = {c: gate.apart(self.shop.calibration, arrangement, glyph_metrics.draw(drawn, c))
                 for arrangement, own in OWN.items() for c in own}
        self.assertEqual({c: why for c, why in apart.items() if why}, {})

    def test_holding_a_file_to_the_gap_drops_only_what_fails(self):
        # A component goes with the last character using it; one still used, the header and
        # every other line stay as they were.
        lines = ["# 10 lacking: 3 built, 1 gated out, 6 with no usable parts; 7 left to the fill",
                 "# font sha256 0", "~1\tpart\ta\t口 口\t口|*|1,1,0,0|0\t口|*|1,1,0,0|0",
                 "~2\tpart\td\t口 ~1\t口|*|1,1,0,0|0\t=~1|*|1,1,0,0|0",
                 "甲\tchar\ta\t口 2\t口|*|1,1,0,0|0\t=~2|*|1,1,0,0|0",
                 "乙\tchar\ta\t口 1\t口|*|1,1,0,0|0\t=~1|*|1,1,0,0|0",
                 "丙\tchar\ta\t口 口\t口|*|1,1,0,0|0\t口|*|1,1,0,0|0", "not a recipe"]
        self.assertEqual(regate.kept_lines(lines, set()), lines)
        self.assertEqual(regate.kept_lines(lines, {"甲"}), lines[:3] + lines[5:])
        self.assertEqual(regate.kept_lines(lines, {"甲", "乙"}), lines[:2] + lines[6:])
        self.assertEqual(
            [regate.recount(line, 2) for line in lines[:2]],
            ["# 10 lacking: 1 built, 3 gated out, 6 with no usable parts; 9 left to the fill",
             lines[1]])

    def test_a_damaged_recipe_file_builds_only_what_it_still_says(self):
        # A hand-edited or cut-off file must not stop the build: what cannot be read or drawn
        # stays with the fill, the rest is built.
        good = self.committed[0].line()
        lines = [good, "不\tchar\ta\t口", self.committed[1].line().replace("|", ";", 1),
                 "㐀\tchar\ta\t口 口\t口|999|1,1,0,0|0\t口|*|1,1,0,0|0",
                 "㐁\tchar\ta\t口 口\t\U0001F600|*|1,1,0,0|0\t口|*|1,1,0,0|0",
                 good[:len(good) // 2]]
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "damaged.tsv"
            path.write_text("\n".join(lines) + "\n", encoding="utf-8")
            recipes_read = own_hand.read_recipes(path)
        font = fonts.load(self.data, 0)
        built = own_hand.apply(font, recipes_read, fonts._add_glyphs, fill.map_characters)
        self.assertEqual([r.key for r in built], [self.committed[0].key])

    def test_a_swapped_or_mirrored_part_really_differs(self):
        # The spoiled copies must change the drawing, or the test above proves nothing.
        plan = self.committed[0]
        for spoiled in (recipes.swapped(self.shop.face, plan),
                        recipes.mirrored(self.shop.face, self.shop.planner, plan)):
            self.assertNotEqual(spoiled.parts, plan.parts)


if __name__ == "__main__":
    unittest.main(verbosity=1)
