# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks over the two seal faces the build cuts: /usr/bin/python3 test_seal_faces.py <app dir>."""

import multiprocessing
import sys
import unittest
from pathlib import Path

from fontTools.ttLib import TTFont

APP_DIR = Path(sys.argv.pop(1) if len(sys.argv) > 1 else "build/app")
TOOLS = Path(__file__).resolve().parents[2] / "tools/installation"
sys.path.insert(0, str(TOOLS))

from catalogue import SEAL_FACES  # noqa: E402
from charsets import chinese_name_characters, standard_characters  # noqa: E402

FACES = {"篆印体": "ZhuanYin", "篆印体-阴文": "ZhuanYinYinWen"}


def seal_path(display: str) -> Path:
    return APP_DIR / "fonts/电脑字" / f"{display}({FACES[display]}).dat"


def cut_part(keys, codes) -> dict:
    """A part of the characters cut again for every seal face cut from those outlines."""
    import seal_face
    outlines = seal_face.outline_source(keys)[0]
    carvings = [seal_face.carving_of(seal) for seal in SEAL_FACES if seal.outlines == keys]
    return seal_face.cut_characters(codes, outlines, carvings)


def rebuilt() -> dict[str, bytes]:
    """Every seal face built again, face name -> bytes: each character cut once for all the
    faces sharing its outlines, in two fresh processes (each its own hash seed) taking every
    other character, as the assembler spreads the work."""
    import seal_face
    codes = seal_face.seal_codes()
    found = {}
    for keys in dict.fromkeys(seal.outlines for seal in SEAL_FACES):
        with multiprocessing.get_context("spawn").Pool(2) as pool:
            parts = pool.starmap(cut_part, [(keys, codes[0::2]), (keys, codes[1::2])])
        cut = {code: glyph for part in parts for code, glyph in part.items()}
        notices = seal_face.outline_source(keys)[1]
        sharing = [seal for seal in SEAL_FACES if seal.outlines == keys]
        for which, seal in enumerate(sharing):
            found[seal.face] = seal_face.face_from(cut, which, seal.face,
                                                   seal_face.origin_of(seal), notices)
    return found


class SealFaces(unittest.TestCase):
    def test_the_files_declare_their_faces(self):
        self.assertEqual({seal.display: seal.face for seal in SEAL_FACES}, FACES)
        for display, face in FACES.items():
            with self.subTest(face=face), TTFont(seal_path(display), lazy=True) as font:
                families = {record.toUnicode() for record in font["name"].names
                            if record.nameID in (1, 4, 6, 16)}
                self.assertEqual(families, {face})

    def test_every_name_character_has_a_glyph_of_its_own_filling_the_em(self):
        wanted = chinese_name_characters()
        self.assertLessEqual(set(standard_characters()), set(wanted))
        for display in FACES:
            with self.subTest(face=display), TTFont(seal_path(display)) as font:
                cmap, glyf = font.getBestCmap(), font["glyf"]
                upm = font["head"].unitsPerEm
                missing = [f"U+{code:04X}" for code in wanted if code not in cmap]
                self.assertEqual(missing, [])
                empty = [f"U+{code:04X}" for code in wanted
                         if not chr(code).isspace() and glyf[cmap[code]].numberOfContours <= 0]
                self.assertEqual(empty, [], "drawn as nothing")
                # Seal characters fill their squares: the average box over the hanzi.
                boxes = [glyf[cmap[code]] for code in standard_characters()]
                width = sum(g.xMax - g.xMin for g in boxes) / len(boxes) / upm
                height = sum(g.yMax - g.yMin for g in boxes) / len(boxes) / upm
                self.assertGreaterEqual(width, 0.85)
                self.assertGreaterEqual(height, 0.85)
                self.assertEqual({font["hmtx"][cmap[code]][0] for code in standard_characters()},
                                 {upm}, "every hanzi a square cell")

    def test_two_builds_give_the_same_bytes(self):
        # Every face again against the installed file.
        again = rebuilt()
        self.assertEqual(set(again), set(FACES.values()))
        for seal in SEAL_FACES:
            with self.subTest(face=seal.face):
                self.assertTrue(again[seal.face] == seal_path(seal.display).read_bytes(),
                                "a second build differs")


if __name__ == "__main__":
    unittest.main(verbosity=1)
