# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The pieces that build a character from a face's own parts, on made-up input: reading the
decomposition table, cutting a glyph at its ink gap, placing and thinning parts, the boxes
and weight checks of the gate.

    /usr/bin/python3 test_own_hand_parts.py [app dir, not used]
"""

import sys
import unittest
from pathlib import Path

sys.argv[1:] = []
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools/installation"))
import decomposition  # noqa: E402
import own_hand  # noqa: E402
import own_hand_gate as gate  # noqa: E402
from own_hand_recipes import find_cuts  # noqa: E402


def rectangle(x0, y0, x1, y1):
    """A clockwise contour, as TrueType draws an outer one."""
    return [("moveTo", ((x0, y0),)), ("lineTo", ((x0, y1),)), ("lineTo", ((x1, y1),)),
            ("lineTo", ((x1, y0),)), ("closePath", ())]


class Table(unittest.TestCase):
    def test_reads_the_arrangements_a_face_can_lend_parts_to(self):
        text = "module.exports = `" + "\n".join([
            "玥:a(王,月)", "喆:ra(吉)", "昌:rd(日)", "哑:a/t(口,亚)", "湖:a(氵,古,月)",
            "赵:stl(走,乂)", "彧:c()", "𠀀:a(一,二,三,四)", "42476:d(一,吅,25180)亅",
            "堃:d(38106,土)"]) + "`;"
        table = decomposition.parse(text)
        Split = decomposition.Split
        self.assertEqual(table, {
            "玥": Split("a", ("王", "月")), "喆": Split("a", ("吉", "吉")),
            "昌": Split("d", ("日", "日")), "哑": Split("a", ("口", "亚")),
            "湖": Split("a", ("氵", "古", "月")), "堃": Split("d", ("38106", "土"))})


class Cut(unittest.TestCase):
    def test_cuts_in_the_widest_clear_gap(self):
        # Spans along one axis: a narrow gap inside the left part, a wide one between parts.
        spans = [(0, 180), (200, 400), (520, 1000)]
        cut = find_cuts(spans, 1, 4)
        self.assertEqual(len(cut), 1)
        self.assertTrue(400 < cut[0] < 520, cut)

    def test_a_stroke_tip_may_reach_across_but_a_joined_stroke_may_not(self):
        tip = [(0, 430), (400, 1000)]        # 30 across: 3 % of the glyph
        joined = [(0, 600), (400, 1000)]     # the parts share 200
        self.assertIsNotNone(find_cuts(tip, 1, 4))
        self.assertIsNone(find_cuts(joined, 1, 4))

    def test_three_parts_take_two_cuts_and_edges_are_not_gaps(self):
        spans = [(0, 300), (360, 640), (700, 1000)]
        cuts = find_cuts(spans, 2, 4)
        self.assertEqual(len(cuts), 2)
        self.assertTrue(300 < cuts[0] < 360 and 640 < cuts[1] < 700, cuts)
        # A speck at the very edge leaves a gap there, but no part is that thin.
        self.assertIsNone(find_cuts([(0, 40), (80, 1000)], 1, 4))


class Placing(unittest.TestCase):
    def test_a_part_reads_back_as_written(self):
        part = own_hand.Part("现", (0, 2, 3), (0.95, 1.0, -12.5, 30.0), -4)
        self.assertEqual(own_hand.Part.read(part.text()), own_hand.Part(
            "现", (0, 2, 3), (0.95, 1.0, -12.5, 30.0), -4))
        whole = own_hand.Part("月", (), (0.5, 1.0, 500.0, 0.0), 6)
        self.assertEqual(own_hand.Part.read(whole.text()).contours, ())

    def test_thinning_narrows_strokes_and_keeps_counters(self):
        # A 100-unit stroke around a counter: 20 thinner on each side leaves 60, and the
        # counter grows by the same.
        outer = rectangle(0, 0, 400, 400)
        inner = [("moveTo", ((100, 100),)), ("lineTo", ((300, 100),)),
                 ("lineTo", ((300, 300),)), ("lineTo", ((100, 300),)), ("closePath", ())]
        thinned = own_hand._offset([outer, inner], (1, 1, 0, 0), -20)
        boxes = sorted(own_hand.contour_box(c) for c in thinned)
        self.assertEqual(len(boxes), 2)
        self.assertEqual([tuple(round(v) for v in box) for box in boxes],
                         [(20, 20, 380, 380), (80, 80, 320, 320)])

    def test_thickening_grows_one_outline_not_copies(self):
        grown = own_hand._offset([rectangle(0, 0, 100, 400)], (2, 1, 50, 0), 10)
        self.assertEqual(len(grown), 1)
        self.assertEqual(tuple(round(v) for v in own_hand.contour_box(grown[0])),
                         (40, -10, 260, 410))

    def test_thinning_away_a_hairline_leaves_nothing(self):
        self.assertEqual(own_hand._offset([rectangle(0, 0, 30, 400)], (1, 1, 0, 0), -20), [])


class GateBoxes(unittest.TestCase):
    wanted = [(0, 0, 400, 800), (450, 0, 1000, 800)]

    def test_parts_in_place_pass_and_strays_are_named(self):
        self.assertEqual(gate.in_boxes("a", self.wanted, self.wanted, 1000), "")
        off = [(0, 0, 400, 800), (450, 200, 1000, 1000)]
        self.assertEqual(gate.in_boxes("a", off, self.wanted, 1000), "part 2 off its box")
        crowded = [(0, 0, 560, 800), (420, 0, 1000, 800)]
        self.assertEqual(gate.in_boxes("a", crowded, crowded, 1000), "parts overlap")

    def test_stacked_parts_overlap_top_over_bottom(self):
        stacked = [(0, 500, 1000, 1000), (0, 0, 1000, 560)]   # top part first
        self.assertEqual(gate.in_boxes("d", stacked, stacked, 1000), "")
        crowded = [(0, 400, 1000, 1000), (0, 0, 1000, 600)]
        self.assertEqual(gate.in_boxes("d", crowded, crowded, 1000), "parts overlap")


class GateWeight(unittest.TestCase):
    def test_a_glyph_is_weighed_against_the_faces_glyphs_of_its_density(self):
        light = [(0.10, 5.0 + i / 100) for i in range(40)]
        dense = [(0.30, 8.0 + i / 100) for i in range(40)]
        calibration = gate.Calibration(tuple(light + dense), {}, {}, {}, {})
        low, high = gate.weight_range(calibration, 0.29)
        self.assertTrue(8.0 <= low < high <= 8.4, (low, high))
        low, high = gate.weight_range(calibration, 0.11)
        self.assertTrue(5.0 <= low < high <= 5.4, (low, high))


if __name__ == "__main__":
    unittest.main(verbosity=1)
