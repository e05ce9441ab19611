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
import own_hand_layout as layout  # noqa: E402
import own_hand_placement as placement  # noqa: E402
from own_hand_recipes import find_cuts  # noqa: E402


def rectangle(x0, y0, x1, y1):
    """A clockwise contour, as TrueType draws an outer one."""
    return [("moveTo", ((x0, y0),)), ("lineTo", ((x0, y1),)), ("lineTo", ((x1, y1),)),
            ("lineTo", ((x1, y0),)), ("closePath", ())]


class Table(unittest.TestCase):
    def test_reads_the_arrangements_a_face_can_lend_parts_to(self):
        text = "module.exports = `" + "\n".join([
            "玥:a(王,月)", "喆:ra(吉)", "昌:rd(日)", "哑:a/t(口,亚)", "湖:a(氵,古,月)",
            "赵:sbl(走,乂)", "彧:c()", "𠀀:a(一,二,三,四)", "42476:d(一,吅,25180)亅",
            "堃:d(38106,土)", "问:st(门,口)", "国:s(囗,玉)", "包:lock(勹,巳)", "回:rs(囗)",
            "𠀁:st(冂,一,口)"]) + "`;"
        table = decomposition.parse(text)
        Split = decomposition.Split
        self.assertEqual(table, {
            "玥": Split("a", ("王", "月")), "喆": Split("a", ("吉", "吉")),
            "昌": Split("d", ("日", "日")), "哑": Split("a", ("口", "亚")),
            "湖": Split("a", ("氵", "古", "月")), "堃": Split("d", ("38106", "土")),
            "赵": Split("sbl", ("走", "乂")), "问": Split("st", ("门", "口")),
            "国": Split("s", ("囗", "玉"))})


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

    def test_an_inside_must_keep_within_its_enclosure(self):
        outer = (0, 0, 1000, 1000)
        self.assertEqual(gate.in_boxes("s", [outer, (200, 200, 800, 800)],
                                       [outer, (200, 200, 800, 800)], 1000), "")
        out = [outer, (200, 200, 800, 1200)]
        self.assertEqual(gate.in_boxes("st", out, out, 1000), "inside out of its enclosure")
        # Open at the bottom: an inside reaching below the legs is still held.
        low = [outer, (200, -200, 800, 600)]
        self.assertEqual(gate.in_boxes("st", low, low, 1000), "")

    def test_stacked_parts_overlap_top_over_bottom(self):
        stacked = [(0, 500, 1000, 1000), (0, 0, 1000, 560)]   # top part first
        self.assertEqual(gate.in_boxes("d", stacked, stacked, 1000), "")
        crowded = [(0, 400, 1000, 1000), (0, 0, 1000, 600)]
        self.assertEqual(gate.in_boxes("d", crowded, crowded, 1000), "parts overlap")


def ring(x0, y0, x1, y1, width):
    """A frame: its outer edge clockwise, its counter anticlockwise."""
    inner = [("moveTo", ((x0 + width, y0 + width),)), ("lineTo", ((x1 - width, y0 + width),)),
             ("lineTo", ((x1 - width, y1 - width),)), ("lineTo", ((x0 + width, y1 - width),)),
             ("closePath", ())]
    return [rectangle(x0, y0, x1, y1), inner]


class Enclosures(unittest.TestCase):
    def cut(self, outline, kind):
        return layout.cut_enclosure(outline, [own_hand.contour_box(c) for c in outline], kind)

    def test_a_frame_holds_what_lies_inside_it_and_keeps_its_counter(self):
        # 囗 around a block: the counter goes with the frame, the block is the inside.
        outline = ring(0, 0, 1000, 1000, 80) + [rectangle(300, 300, 700, 700)]
        self.assertEqual(self.cut(outline, "s"), ([0, 1], [2]))

    def test_an_open_side_is_not_taken_for_a_closed_one(self):
        # 冂 (two legs and a roof) over a block: open at the bottom, so not all round.
        legs = [rectangle(0, 0, 80, 1000), rectangle(920, 0, 1000, 1000),
                rectangle(0, 920, 1000, 1000)]
        outline = legs + [rectangle(300, 200, 700, 700)]
        self.assertEqual(self.cut(outline, "st"), ([0, 1, 2], [3]))
        self.assertIsNone(self.cut(outline, "s"))
        # Side by side parts are no enclosure: the right one reaches the right side.
        self.assertIsNone(self.cut([rectangle(0, 0, 400, 1000), rectangle(500, 0, 1000, 1000)],
                                   "st"))

    def test_layouts_disagree_by_the_largest_shift_of_a_part(self):
        enclosed = [(0, 0, 1000, 1000), (250, 250, 750, 750)]
        self.assertEqual(layout.disagreement(enclosed, enclosed), 0)
        side_by_side = [(0, 0, 450, 1000), (550, 0, 1000, 1000)]
        self.assertAlmostEqual(layout.disagreement(side_by_side, enclosed), 0.55)
        # Only the layout counts, not the size: the same parts at half size agree.
        self.assertAlmostEqual(layout.disagreement(
            [tuple(v / 2 for v in box) for box in enclosed], enclosed), 0)


def learned(observations):
    """A spacing learned from (left box, right box) pairs of parts named by the pair."""
    spacing = placement.Spacing()
    for parts, boxes in observations:
        spacing.learn(decomposition.Split("a", parts), boxes)
    spacing.solve()
    return spacing


class Spacing(unittest.TestCase):
    def test_widths_come_from_the_ratios_between_partners(self):
        # 番 wide beside a narrow 阝; 羽 wide beside a narrow 木; so beside each other they
        # share the width about evenly, neither squeezed to the width it had there.
        spacing = learned([(("番", "阝"), [(0, 0, 700, 800), (740, 0, 1000, 800)]),
                           (("木", "羽"), [(0, 0, 260, 800), (300, 0, 1000, 800)])] * 3)
        boxes = {("a", 2, 0, "番"): (0, 0, 700, 800), ("a", 2, 1, "羽"): (300, 0, 1000, 800)}
        left, right = spacing.targets("a", ("番", "羽"), lambda i, p: boxes[("a", 2, i, p)])
        self.assertAlmostEqual(left[2] - left[0], right[2] - right[0], delta=30)
        self.assertAlmostEqual(right[0] - left[2], 40, delta=1)   # the gap the face leaves
        self.assertEqual((left[0], right[2]), (0, 1000))          # pressed into its extent
        # Two narrow parts keep the widths the face gives them, centred on that extent:
        # stretched to fill it, their strokes would draw heavy across.
        boxes = {("a", 2, 0, "木"): (0, 0, 260, 800), ("a", 2, 1, "阝"): (740, 0, 1000, 800)}
        left, right = spacing.targets("a", ("木", "阝"), lambda i, p: boxes[("a", 2, i, p)])
        self.assertEqual([round(v) for v in (left[0], left[2], right[0], right[2])],
                         [220, 480, 520, 780])

    def test_an_inside_goes_where_the_face_puts_it_in_that_enclosure(self):
        spacing = placement.Spacing()
        for inner in [(200, 100, 800, 700), (220, 120, 780, 680)]:
            spacing.learn(decomposition.Split("st", ("门", "口")), [(0, 0, 1000, 1000), inner])
        outer, inside = spacing.targets("st", ("门", "日"),
                                        lambda i, p: [(0, 0, 500, 500), (0, 0, 1, 1)][i])
        self.assertEqual(outer, (0, 0, 500, 500))
        self.assertEqual(tuple(round(v) for v in inside), (105, 55, 395, 345))


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
