# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks over the built sample installation: /usr/bin/python3 test_installation.py <app dir>."""

import itertools
import struct
import sys
import unicodedata
import unittest
import zlib
from pathlib import Path

from fontTools.ttLib import TTFont
from PIL import ImageChops

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools/installation"))
import glyph_metrics  # noqa: E402
import own_hand  # noqa: E402
import own_hand_gate  # noqa: E402
from charsets import gb2312, standard_characters  # noqa: E402
from fill import calibration_sample, filled_characters  # noqa: E402

APP_DIR = Path(sys.argv.pop(1) if len(sys.argv) > 1 else "build/app")
SINGLE_FACE_DIR = "电脑字"
SEALS = {"篆印体", "篆印体-阴文"}
CANVAS = (388, 261)
FONT_BUDGET = 8 * 1024 * 1024
TOTAL_BUDGET = 100 * 1024 * 1024
# How far filled glyphs may stray from the face's own, on the median of each measure.
MATCH = 0.15
# Two styles' faces overlapping more than this are the same face.
SAME_FACE = 0.7
# Built glyphs overlapping the regular hand's this much are the fill under another name.
LIKE_THE_FILL = 0.72
# Least share of a face's lacking hanzi built from its own parts.
LEAST_BUILT = {"毛体": 0.25, "公文签": 0.25}
LEAST_BUILT_ELSEWHERE = 0.10
REGULAR_HAND = "楷体"
# The styles whose lacking characters are filled from the regular hand, and name characters
# outside the common set each must draw in its own hand (梓玥: a most popular girl's name).
FILLED_FROM_THE_REGULAR_HAND = {"公文签", "毛体", "行书签", "楷书签", "雅宋", "快乐体"}
IN_EVERY_HAND = "玥"


def listing(directory: Path) -> list[Path]:
    # The program lists names with letter case ignored and hides dot files.
    return sorted((entry for entry in directory.iterdir() if not entry.name.startswith(".")),
                  key=lambda entry: entry.name.lower())


def family_names(path: Path) -> set[str]:
    """Every family the font declares (IDs 1 and 16, all platforms and languages)."""
    with TTFont(path, lazy=True) as font:
        return {record.toUnicode() for record in font["name"].names if record.nameID in (1, 16)}


def style_dirs() -> list[Path]:
    return [entry for entry in listing(APP_DIR / "fonts")
            if entry.is_dir() and entry.name != SINGLE_FACE_DIR]


def chinese_fonts() -> list[tuple[str, Path]]:
    """(style, font file) for every font that draws hanzi; the two seals count as one style."""
    found = [(style.name, path) for style in style_dirs() if "英文签" not in style.name
             for path in sorted(style.glob("*.dat"))]
    for path in listing(APP_DIR / "fonts" / SINGLE_FACE_DIR):
        display = path.name[:path.name.rindex("(")]
        found.append(("篆印体" if display in SEALS else display, path))
    return found


def drawn_characters(font: TTFont) -> set[int]:
    """Characters the font maps to a glyph with an outline of its own (a space needs none)."""
    glyf = font["glyf"]
    return {code for code, name in font.getBestCmap().items()
            if glyf[name].numberOfContours != 0 or unicodedata.category(chr(code)) == "Zs"}


def compound_table() -> str:
    text = (APP_DIR / "data/fuxing.dat").read_bytes().decode("gb18030")
    return text[:-2] if text.endswith("\r\n") else text


def table_entries(text: str) -> dict[str, str]:
    """Surname -> drawn character, read as the program reads it: the first occurrence of the
    two characters, and the character four places after it."""
    entries = {}
    for line in text.split("\r\n"):
        if len(line) >= 6 and line[0] == " " and line[3] == "-":
            pair = line[1:3]
            at = text.find(pair)
            entries[pair] = text[at + 4] if at + 4 < len(text) else ""
    return entries


def png_size(path: Path) -> tuple[int, int]:
    """Width and height from the header, after checking the file is a whole PNG."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError(f"{path.name} is not a PNG")
    position, image_data = 8, b""
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        chunk = data[position + 8:position + 8 + length]
        if zlib.crc32(kind + chunk) != struct.unpack(">I", data[position + 8 + length:
                                                              position + 12 + length])[0]:
            raise ValueError(f"{path.name}: damaged {kind!r} chunk")
        if kind == b"IDAT":
            image_data += chunk
        position += 12 + length
    width, height = struct.unpack(">II", data[16:24])
    zlib.decompress(image_data)
    return width, height


class StyleDirectories(unittest.TestCase):
    def test_default_english_and_brush_styles_exist(self):
        names = [entry.name for entry in style_dirs()]
        self.assertIn("公文签", names)
        self.assertIn("毛体", names)
        self.assertTrue(any("英文签" in name for name in names), names)
        chinese = [name for name in names if "英文签" not in name]
        self.assertGreaterEqual(len(chinese), 4, "公文签, 毛体 and at least two more")

    def test_style_and_face_names_fit_the_style_list(self):
        # The list is 108 pixels wide at 12 points (16 pixels a hanzi, at most 9 for the rest).
        names = [entry.name for entry in style_dirs()]
        names += [path.name[:path.name.rindex("(")]
                  for path in listing(APP_DIR / "fonts" / SINGLE_FACE_DIR)]
        for name in names:
            with self.subTest(name=name):
                width = sum(16 if ord(c) > 0x2E80 else 9 for c in name)
                self.assertLessEqual(width, 108)
                self.assertNotIn(",", name)

    def test_each_style_has_three_fonts_named_by_their_prefix(self):
        for style in style_dirs():
            with self.subTest(style=style.name):
                files = [entry for entry in listing(style) if entry.is_file()]
                self.assertTrue(files, "empty style directory")
                prefix = files[0].name[:3]
                self.assertTrue(prefix.isascii() and prefix.isalpha(), prefix)
                for part in "123":
                    path = style / f"{prefix}{part}.dat"
                    self.assertTrue(path.is_file(), f"{path.name} missing")
                    self.assertEqual(family_names(path), {f"{prefix}{part}"})
                self.assertTrue(all(entry.name.startswith(prefix) for entry in files))

    def test_latin_styles_draw_latin_and_chinese_styles_draw_hanzi(self):
        for style in style_dirs():
            wanted = "Osric" if "英文签" in style.name else "纪元朗娜"
            for path in sorted(style.glob("*.dat")):
                with self.subTest(font=f"{style.name}/{path.name}"):
                    with TTFont(path, lazy=True) as font:
                        cmap = font.getBestCmap()
                    missing = [c for c in wanted if ord(c) not in cmap]
                    self.assertEqual(missing, [])


class ChineseCoverage(unittest.TestCase):
    def test_every_chinese_font_draws_gb2312_and_the_standard_list(self):
        standard, wanted = standard_characters(), set(gb2312()) | set(standard_characters())
        self.assertEqual(len(standard), 8105)
        for style, path in chinese_fonts():
            with self.subTest(font=f"{style}: {path.name}"):
                with TTFont(path, lazy=True) as font:
                    missing = sorted(wanted - drawn_characters(font))
                if missing:
                    self.fail(f"{style} ({path.name}) lacks {len(missing)}, first "
                              + "".join(chr(code) for code in missing[:20]))

    def test_filled_glyphs_match_the_faces_own_weight_and_width(self):
        print("\nfilled glyphs against the face's own (median ratio): ink advance width height")
        for style, path in chinese_fonts():
            with TTFont(path, lazy=True) as font:
                filled = filled_characters(font)
                cmap = font.getBestCmap()
            if not filled:
                continue
            face = glyph_metrics.face(path)
            own = [c for c in calibration_sample() if ord(c) in cmap and ord(c) not in filled]
            hanzi = [chr(code) for code in filled if code >= 0x3400][::5]
            theirs = glyph_metrics.median_shape(glyph_metrics.shapes(face, own))
            ours = glyph_metrics.median_shape(glyph_metrics.shapes(face, hanzi))
            ratios = {field: getattr(ours, field) / getattr(theirs, field)
                      for field in ("ink", "advance", "width", "height")}
            print(f"  {style}/{path.name}: {len(filled)} filled, "
                  + " ".join(f"{value:.2f}" for value in ratios.values()))
            for field, ratio in ratios.items():
                with self.subTest(font=f"{style}/{path.name}", measure=field):
                    self.assertLessEqual(abs(ratio - 1), MATCH, f"{ratio:.2f}")


class Silhouettes:
    """A face whose silhouettes are drawn once each (glyph_metrics.overlap asks for them
    again for every face it is compared with)."""

    def __init__(self, face):
        self.face, self.drawn = face, {}

    def silhouette(self, character):
        if character not in self.drawn:
            self.drawn[character] = glyph_metrics.silhouette(self.face, character)
        return self.drawn[character]

    def overlap(self, other: "Silhouettes") -> float:
        """As glyph_metrics.overlap: the mean intersection over union of the name sample."""
        ratios = []
        for character in glyph_metrics.NAME_SAMPLE:
            a, b = self.silhouette(character), other.silhouette(character)
            if a is not None and b is not None:
                union = ImageChops.lighter(a, b).histogram()[255]
                ratios.append(ImageChops.darker(a, b).histogram()[255] / union if union else 1.0)
        return sum(ratios) / len(ratios) if ratios else 0.0


def regular_hand() -> Path:
    return next(path for style, path in chinese_fonts() if style == REGULAR_HAND)


class OwnHand(unittest.TestCase):
    """Characters a face lacks, built from its own parts: how many, and that they are the
    face's hand (unlike the regular hand's, as heavy as the face's own)."""

    def built_faces(self):
        for style, path in chinese_fonts():
            with TTFont(path, lazy=True) as font:
                built = own_hand.built_characters(font)
                filled = [code for code in filled_characters(font) if code >= 0x3400]
            if style not in (REGULAR_HAND, "篆印体"):
                yield style, path, built, filled

    def test_each_face_builds_its_share_and_names_the_donors(self):
        provenance = (APP_DIR / own_hand.PROVENANCE).read_text(encoding="utf-8")
        listed = {line.split("\t")[1] for line in provenance.splitlines()
                  if line and not line.startswith("#")}
        print("\nhanzi built from the face's own parts / left to the fill")
        for style, path, built, filled in self.built_faces():
            share = len(built) / max(1, len(built) + len(filled))
            print(f"  {style}/{path.name}: {len(built)} built, {len(filled)} filled, "
                  f"{share:.0%} built")
            with self.subTest(font=f"{style}/{path.name}"):
                if built or filled:
                    self.assertGreaterEqual(share, LEAST_BUILT.get(style, LEAST_BUILT_ELSEWHERE))
                self.assertEqual(set(built) & set(filled), set())
                self.assertEqual({chr(code) for code in built} - listed, set())

    def test_popular_name_characters_are_in_every_styles_own_hand(self):
        seen = set()
        for style, path, built, _ in self.built_faces():
            if style not in FILLED_FROM_THE_REGULAR_HAND:
                continue
            seen.add(style)
            with self.subTest(font=f"{style}/{path.name}"):
                self.assertEqual([c for c in IN_EVERY_HAND if ord(c) not in built], [])
        self.assertEqual(seen, FILLED_FROM_THE_REGULAR_HAND)

    def test_built_glyphs_are_the_faces_hand_not_the_fill(self):
        kai = glyph_metrics.face(regular_hand())
        print("\nbuilt glyphs: overlap with the regular hand; ink and stroke width against "
              "the face's own (median ratio)")
        for style, path, built, _ in self.built_faces():
            if not built:
                continue
            face = glyph_metrics.face(path)
            sample = "".join(chr(code) for code in built[::max(1, len(built) // 40)])
            with TTFont(path, lazy=True) as font:
                cmap = font.getBestCmap()
                left = set(filled_characters(font)) | set(built)
            own = [c for c in calibration_sample() if ord(c) in cmap and ord(c) not in left]
            overlap = glyph_metrics.overlap(face, kai, sample)
            ink = (glyph_metrics.median_shape(glyph_metrics.shapes(face, sample)).ink
                   / glyph_metrics.median_shape(glyph_metrics.shapes(face, own)).ink)

            def stroke(characters):
                widths = [own_hand_gate.stroke_width(glyph_metrics.draw(face, c))
                          for c in characters]
                return sorted(w for w in widths if w)[len(widths) // 2]
            width = stroke(sample) / stroke(own)
            print(f"  {style}/{path.name}: overlap {overlap:.2f}, ink {ink:.2f}, "
                  f"stroke {width:.2f}")
            with self.subTest(font=f"{style}/{path.name}"):
                self.assertLess(overlap, LIKE_THE_FILL)
                self.assertLessEqual(abs(ink - 1), MATCH, f"ink {ink:.2f}")
                self.assertLessEqual(abs(width - 1), MATCH, f"stroke {width:.2f}")


class DistinctStyles(unittest.TestCase):
    def test_no_two_styles_share_a_face(self):
        fonts = chinese_fonts()
        # Each face's silhouettes drawn once, not once for every face it is compared with.
        faces = {path: Silhouettes(glyph_metrics.face(path)) for _, path in fonts}
        labels = [f"{style}/{path.stem}" if path.parent.name == style else path.stem
                  for style, path in fonts]
        print("\nmean overlap of the same characters' silhouettes")
        print(" " * 14 + " ".join(f"{index:>4}" for index in range(len(fonts))))
        table = {}
        for (a, (style_a, path_a)), (b, (style_b, path_b)) in itertools.combinations(
                enumerate(fonts), 2):
            table[a, b] = table[b, a] = faces[path_a].overlap(faces[path_b])
        for a, label in enumerate(labels):
            print(f"{a:>2} {label:<11.11}" + " ".join(
                "   -" if a == b else f"{table[a, b]:4.2f}" for b in range(len(fonts))))
        for (a, (style_a, path_a)), (b, (style_b, path_b)) in itertools.combinations(
                enumerate(fonts), 2):
            if style_a != style_b:
                with self.subTest(first=labels[a], second=labels[b]):
                    self.assertLess(table[a, b], SAME_FACE)


class SingleFaces(unittest.TestCase):
    def test_each_file_declares_the_face_in_its_name(self):
        files = listing(APP_DIR / "fonts" / SINGLE_FACE_DIR)
        self.assertGreaterEqual(len(files), 6)
        for path in files:
            with self.subTest(file=path.name):
                self.assertTrue(path.name.endswith(").dat"))
                face = path.name[path.name.rindex("(") + 1:path.name.index(")", path.name.rindex("("))]
                self.assertTrue(face.isascii() and face, face)
                self.assertEqual(family_names(path), {face})

    def test_both_seals_and_four_ordinary_faces(self):
        names = {path.name[:path.name.rindex("(")]
                 for path in listing(APP_DIR / "fonts" / SINGLE_FACE_DIR)}
        self.assertLessEqual(SEALS, names)
        self.assertGreaterEqual(len(names - SEALS), 4)
        self.assertFalse(any("," in name for name in names))


class CompoundSurnameTable(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.text = compound_table()
        cls.entries = table_entries(cls.text)

    def test_lists_the_common_compound_surnames(self):
        self.assertGreaterEqual(len(self.entries), 60)
        for pair in ["欧阳", "司马", "上官", "诸葛", "慕容", "单于", "闾丘", "亓官"]:
            self.assertIn(pair, self.entries)

    def test_no_surname_occurs_before_its_own_entry(self):
        for pair in self.entries:
            with self.subTest(surname=pair):
                self.assertEqual(self.text.find(pair), self.text.find(" " + pair + "-") + 1)

    def test_drawn_characters_are_user_defined_and_distinct(self):
        drawn = list(self.entries.values())
        self.assertEqual(len(set(drawn)), len(drawn))
        for pair, character in self.entries.items():
            with self.subTest(surname=pair):
                self.assertEqual(len(character), 1)
                self.assertTrue(0xE000 <= ord(character) <= 0xE765, hex(ord(character)))
                lead, trail = character.encode("gb18030")
                self.assertTrue(0xAA <= lead <= 0xAF or 0xF8 <= lead <= 0xFE or
                                0xA1 <= lead <= 0xA7, hex(lead))

    def test_every_chinese_first_font_draws_every_surname_as_one_glyph(self):
        for style in style_dirs():
            if "英文签" in style.name:
                continue
            first = sorted(style.glob("*1.dat"))[0]
            with TTFont(first) as font:
                self.check_ligatures(style, font)

    def check_ligatures(self, style, font):
        cmap, glyf = font.getBestCmap(), font["glyf"]
        for pair, character in self.entries.items():
            with self.subTest(style=style.name, surname=pair):
                self.assertIn(ord(character), cmap)
                glyph = glyf[cmap[ord(character)]]
                # The ligature is built from the font's own two characters.
                self.assertTrue(glyph.isComposite())
                used = {component.glyphName for component in glyph.components}
                self.assertEqual(used, {cmap[ord(pair[0])], cmap[ord(pair[1])]})
                self.assertGreaterEqual(font["hmtx"][cmap[ord(character)]][0],
                                 font["hmtx"][cmap[ord(pair[0])]][0])


class Backgrounds(unittest.TestCase):
    def test_at_least_four_pictures_at_canvas_size(self):
        pictures = listing(APP_DIR / "images")
        self.assertGreaterEqual(len(pictures), 4)
        for path in pictures:
            with self.subTest(picture=path.name):
                width, height = png_size(path)
                self.assertGreaterEqual(width, CANVAS[0])
                self.assertGreaterEqual(height, CANVAS[1])
                self.assertIn("-", path.name)


class Budget(unittest.TestCase):
    def test_fonts_and_whole_installation_fit(self):
        total = 0
        for path in sorted((APP_DIR / "fonts").rglob("*.dat")):
            size = path.stat().st_size
            total += size
            with self.subTest(font=str(path.relative_to(APP_DIR))):
                self.assertLessEqual(size, FONT_BUDGET)
        for folder in ["images", "data", "licences"]:
            total += sum(path.stat().st_size for path in (APP_DIR / folder).rglob("*"))
        self.assertLessEqual(total, TOTAL_BUDGET)

    def test_every_source_font_has_its_licence(self):
        index = (APP_DIR / "licences/README.txt").read_text(encoding="utf-8")
        for path in sorted((APP_DIR / "fonts").rglob("*.dat")):
            with self.subTest(font=path.name):
                self.assertIn(str(path.relative_to(APP_DIR)), index)
        for licence in (APP_DIR / "licences").glob("*.txt"):
            self.assertGreater(licence.stat().st_size, 500, licence.name)


if __name__ == "__main__":
    unittest.main(verbosity=1)
