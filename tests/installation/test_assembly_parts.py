# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The assembler's shared work gives what separate work gives, byte for byte:
/usr/bin/python3 test_assembly_parts.py <app dir>.

Several files made from one prepared font, and seal characters cut once for both carvings and
in parts, against each made on its own (on a few characters, to stay quick).
"""

import os
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.argv.pop(1) if len(sys.argv) > 1 else None
TOOLS = Path(__file__).resolve().parents[2] / "tools/installation"
sys.path.insert(0, str(TOOLS))

import derived_cache  # noqa: E402
import fonts  # noqa: E402
import seal_face  # noqa: E402
import sources  # noqa: E402
from catalogue import SOURCES  # noqa: E402


class SharedWork(unittest.TestCase):
    def test_files_from_one_prepared_font_are_those_made_alone(self):
        source = SOURCES["DancingScript"]
        data, index = sources.font_bytes(source), sources.face_index(source)
        ligature = [fonts.Ligature(0xE000, "o", "s")]
        files = [("Probe2", []), ("Probe3", []), ("Probe1", ligature)]
        together = fonts.build_fonts(source, data, index, files, [])
        alone = [fonts.build_font(source, data, index, family, ligatures, [])
                 for family, ligatures in files]
        self.assertEqual(together, alone)
        self.assertEqual(len(set(together)), 3, "each file has its own face name")
        with self.assertRaisesRegex(ValueError, "ligatures"):
            fonts.build_fonts(source, data, index, list(reversed(files)), [])

    def test_seal_characters_cut_once_in_parts_are_each_face_cut_alone(self):
        outlines, notices = seal_face.outline_source(("NotoSansSCBold",))
        codes = [0x41, 0x2C, 0x20, *seal_face.seal_codes()[200::700]]
        carvings = [seal_face.RELIEF, seal_face.INTAGLIO]
        cut = {}
        for part in range(3):
            cut.update(seal_face.cut_characters(codes[part::3], outlines, carvings))
        for which, carving in enumerate(carvings):
            with self.subTest(relief=carving.relief):
                self.assertEqual(
                    seal_face.face_from(cut, which, "Probe", "Cut", notices),
                    seal_face.build_seal_face(carving, "Probe", "Cut", notices, codes, outlines))


class CacheFolder(unittest.TestCase):
    def test_only_entries_unused_for_a_month_are_pruned(self):
        with tempfile.TemporaryDirectory() as folder:
            cache = derived_cache.Cache(Path(folder))
            cache.put("aa" * 32, b"old")
            cache.put("bb" * 32, b"used")
            month_ago = time.time() - 31 * 86400
            for key in ("aa" * 32, "bb" * 32):
                os.utime(cache._path(key), (month_ago, month_ago))
            self.assertEqual(cache.get("bb" * 32), b"used")  # a use keeps it
            cache.prune()
            self.assertIsNone(cache.get("aa" * 32))
            self.assertEqual(cache.get("bb" * 32), b"used")
            self.assertEqual([path.name for path in Path(folder).rglob(".part-*")], [])
        self.assertIsNone(derived_cache.Cache(None).get("aa" * 32))


if __name__ == "__main__":
    unittest.main()
