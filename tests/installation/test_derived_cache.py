# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The assembler's cache: /usr/bin/python3 test_derived_cache.py <app dir>.

A part of the installation (two Latin fonts, one of them sharing its source with another
file, and a picture) is built without a cache and then from one, and compared byte for byte
with the other build and with the installation the build tree holds.
"""

import re
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

APP_DIR = Path(sys.argv.pop(1) if len(sys.argv) > 1 else "build/app")
TOOLS = Path(__file__).resolve().parents[2] / "tools/installation"
sys.path.insert(0, str(TOOLS))

import build_installation  # noqa: E402
from catalogue import DebianSource, Source  # noqa: E402

PART = ["fonts/英文签/*", "images/01-*"]


def assemble(app_dir: Path, cache: Path | None, tools: Path = TOOLS) -> tuple[int, int]:
    """Build PART into app_dir; (files made, files taken from the cache)."""
    command = ["/usr/bin/python3", str(tools / "build_installation.py"), "--app-dir", str(app_dir),
               "--state", str(app_dir.parent / (app_dir.name + ".state"))]
    command += ["--cache", str(cache)] if cache else ["--no-cache"]
    for pattern in PART:
        command += ["--only", pattern]
    result = subprocess.run(command, capture_output=True, text=True, timeout=600)
    if result.returncode != 0:
        raise AssertionError(result.stdout + result.stderr)
    made, cached = re.search(r"installation: (\d+) files made, (\d+) taken from the cache",
                             result.stdout).groups()
    return int(made), int(cached)


def contents(app_dir: Path) -> dict[str, bytes]:
    return {str(path.relative_to(app_dir)): path.read_bytes()
            for pattern in PART for path in app_dir.glob(pattern)}


class DerivedCache(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = Path(tempfile.mkdtemp())
        cls.cache = cls.scratch / "cache"
        cls.fresh = cls.scratch / "fresh"
        cls.fresh_counts = assemble(cls.fresh, None)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch)

    def test_a_build_from_the_cache_is_the_fresh_build_byte_for_byte(self):
        fresh = contents(self.fresh)
        self.assertEqual(len(fresh), 4)
        self.assertEqual(self.fresh_counts, (4, 0))
        first, second = self.scratch / "first", self.scratch / "second"
        self.assertEqual(assemble(first, self.cache), (4, 0), "an empty cache gives nothing")
        self.assertEqual(assemble(second, self.cache), (0, 4), "everything from the cache")
        self.assertEqual(assemble(second, self.cache), (0, 0), "in place already: left alone")
        for built in (first, second):
            self.assertEqual(contents(built), fresh)
        # The build tree's installation, wherever it came from, is what a fresh build makes.
        self.assertEqual(contents(APP_DIR), fresh)

    def test_a_change_in_the_assemblers_folder_makes_everything_again(self):
        tools = self.scratch / "tools"
        shutil.copytree(TOOLS, tools, ignore=shutil.ignore_patterns("__pycache__"))
        warm = self.scratch / "warm"
        assemble(warm, self.cache, tools)
        self.assertEqual(assemble(self.scratch / "again", self.cache, tools), (0, 4))
        # A module added beside the others counts without being named anywhere.
        (tools / "added_module.py").write_text("UNUSED = True\n")
        self.assertEqual(assemble(self.scratch / "changed", self.cache, tools), (4, 0))
        self.assertEqual(contents(self.scratch / "changed"), contents(self.fresh))

    def test_the_inputs_of_a_font_are_the_bytes_of_its_sources(self):
        font = self.scratch / "source.ttf"
        font.write_bytes(b"first")
        source = Source("Probe", "Probe", DebianSource("probe", str(font)))
        build_installation.SOURCES["Probe"] = source
        try:
            before = build_installation.source_inputs(["Probe"])
            build_installation.derived_cache.file_digest.cache_clear()
            font.write_bytes(b"second")
            self.assertNotEqual(build_installation.source_inputs(["Probe"]), before)
            font.unlink()
            with self.assertRaisesRegex(build_installation.sources.SourceError, "probe"):
                build_installation.source_inputs(["Probe"])
        finally:
            del build_installation.SOURCES["Probe"]


if __name__ == "__main__":
    unittest.main()
