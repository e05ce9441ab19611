# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The desktop installation: /usr/bin/python3 test_installed_tree.py <build>/app.

Installs the build into a temporary prefix whose path holds a space and Chinese characters, then
checks the tree: one application folder with the programs and their files, launchers in bin/,
a desktop entry and metainfo that the desktop's own validators accept, and the icon sizes."""

import configparser
import shlex
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
from pathlib import Path

APP_DIR = Path(sys.argv.pop(1) if len(sys.argv) > 1 else "build/app").resolve()
BUILD_DIR = APP_DIR.parent
APP_ID = "org.yanzhou.Sign"
PROGRAMS = ("yanzhou-sign", "yanzhou-sign-render")
ICON_SIZES = (32, 64, 128, 256)


def png_size(path: Path) -> tuple[int, int]:
    header = path.read_bytes()[:24]
    assert header[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG"
    return struct.unpack(">II", header[16:24])


def relative_files(folder: Path) -> set[str]:
    return {str(p.relative_to(folder)) for p in folder.rglob("*") if p.is_file()}


class InstalledTree(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        assert (BUILD_DIR / "CMakeCache.txt").exists(), f"no build at {BUILD_DIR}"
        cls.temp = tempfile.TemporaryDirectory()
        cls.prefix = Path(cls.temp.name) / "安装 目录"
        subprocess.run([shutil.which("cmake"), "--install", str(BUILD_DIR), "--prefix", str(cls.prefix)],
                       check=True, stdout=subprocess.DEVNULL)
        cls.app = cls.prefix / "lib/yanzhou-sign"
        cls.entry = cls.prefix / f"share/applications/{APP_ID}.desktop"
        cls.metainfo = cls.prefix / f"share/metainfo/{APP_ID}.metainfo.xml"

    @classmethod
    def tearDownClass(cls):
        cls.temp.cleanup()

    def test_one_application_folder_holds_the_programs_and_their_files(self):
        for program in PROGRAMS:
            self.assertTrue((self.app / program).is_file(), program)
            launcher = self.prefix / "bin" / program
            self.assertTrue(launcher.is_symlink(), launcher)
            self.assertFalse(Path(launcher.readlink()).is_absolute(), "a moved tree keeps working")
            self.assertEqual(launcher.resolve(), (self.app / program).resolve())
        for folder in ("fonts", "images", "data"):
            self.assertEqual(relative_files(self.app / folder), relative_files(APP_DIR / folder), folder)

    def test_the_installed_renderer_finds_its_files_beside_itself(self):
        with tempfile.TemporaryDirectory() as elsewhere:
            out = Path(elsewhere) / "签名.png"
            run = subprocess.run([str(self.prefix / "bin/yanzhou-sign-render"), "--out", str(out)],
                                 cwd=elsewhere, capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertEqual(run.stdout.splitlines(), [str(out)])
            built = Path(elsewhere) / "built.png"
            subprocess.run([str(APP_DIR / "yanzhou-sign-render"), "--out", str(built)], check=True,
                           capture_output=True)
            self.assertEqual(out.read_bytes(), built.read_bytes(), "same drawing as the build tree's")

    def test_the_desktop_entry_validates_and_starts_the_launcher(self):
        run = subprocess.run(["desktop-file-validate", str(self.entry)], capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertEqual(run.stdout + run.stderr, "", "no warnings either")
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.entry, encoding="utf-8")
        section = entry["Desktop Entry"]
        self.assertEqual(shlex.split(section["Exec"]), [str(self.prefix / "bin/yanzhou-sign")])
        self.assertEqual(section["Icon"], APP_ID)
        self.assertEqual(section["Name"], "砚舟签名设计")

    def test_the_metainfo_validates_and_describes_this_installation(self):
        run = subprocess.run(["appstreamcli", "validate", "--no-net", str(self.metainfo)],
                             capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        root = ET.parse(self.metainfo).getroot()
        self.assertEqual(root.findtext("id"), APP_ID)
        self.assertEqual(root.findtext("launchable"), self.entry.name)
        image = root.find("screenshots/screenshot[@type='default']/image")
        self.assertIsNotNone(image)
        self.assertTrue(image.text.startswith("https://"), image.text)
        published = self.prefix / "share/doc/yanzhou-sign" / Path(image.text).name
        self.assertEqual(png_size(published), (719, 459), "the window's screenshot")
        for binary in root.iterfind("provides/binary"):
            self.assertTrue((self.prefix / "bin" / binary.text).exists(), binary.text)
        run = subprocess.run(["appstreamcli", "validate-tree", "--no-net", str(self.prefix)],
                             capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

    def test_the_icon_is_in_the_hicolor_theme_at_every_size(self):
        for size in ICON_SIZES:
            icon = self.prefix / f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png"
            self.assertEqual(png_size(icon), (size, size), icon)
            icon = self.prefix / f"share/icons/hicolor/{size}x{size}@2/apps/{APP_ID}.png"
            self.assertEqual(png_size(icon), (2 * size, 2 * size), icon)
        self.assertTrue((self.prefix / f"share/icons/hicolor/scalable/apps/{APP_ID}.svg").is_file())


if __name__ == "__main__":
    unittest.main(verbosity=1)
