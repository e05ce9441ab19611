#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks a resources directory against the window's geometry: the skin's size and format, the
white places the controls stand in, the green frame, the lettering beside each control, the
light edge frame, the buttons, the icons' sizes and colours, and the 2x artwork of each.

usage: check_artwork.py <resources-dir>"""
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
import zlib
from pathlib import Path

RESOURCES = Path(sys.argv.pop(1)) if len(sys.argv) > 1 else Path(__file__).parents[2] / "resources"


def read_png(path):
    """(width, height, colour type, rows of pixel tuples) of an 8-bit RGB or RGBA PNG."""
    data = path.read_bytes()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG"
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert depth == 8 and colour in (2, 6) and interlace == 0, f"{path}: unexpected format {header}"
    channels = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = previous[i], previous[i - channels] if i >= channels else 0
            predictor = [0, a, b, (a + b) // 2, None][kind]
            if kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                predictor = a if pa <= pb and pa <= pc else b if pb <= pc else c
            line[i] = (line[i] + predictor) & 0xFF
        rows.append([tuple(line[x * channels:(x + 1) * channels]) for x in range(width)])
        previous = line
    return width, height, colour, rows


def pixels(rows, left, top, width, height):
    return [rows[y][x] for y in range(top, top + height) for x in range(left, left + width)]


def brightness(p):
    return (p[0] + p[1] + p[2]) / 3


CONTROLS = {  # left, top, width, height in the skin's pixels
    "txtCN": (96, 109, 97, 19), "txtEN": (304, 109, 115, 21), "picMain": (39, 153, 388, 261),
    "cboFont": (552, 101, 108, 24), "cboImg": (552, 144, 108, 24),
    "lblColorPreview": (552, 184, 108, 25), "cboSize": (552, 224, 108, 24),
    "imgSave": (528, 272, 49, 43), "imgPrint": (584, 256, 65, 52),
    "imgUrlMore": (488, 320, 89, 47), "imgHelp": (584, 312, 81, 63), "imgLogo": (40, 40, 385, 49),
}


class Skin(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.width, cls.height, cls.colour, cls.rows = read_png(RESOURCES / "skin.png")

    def test_size_and_format(self):
        self.assertEqual((self.width, self.height, self.colour), (720, 460, 2))

    def test_white_places_under_the_text_boxes_and_canvas(self):
        for name in ("txtCN", "txtEN", "picMain"):
            off_white = [p for p in pixels(self.rows, *CONTROLS[name]) if p != (255, 255, 255)]
            self.assertEqual(off_white, [], name)
        # The white boxes end where the description puts them, not beyond.
        for x, y in ((87, 118), (204, 118), (292, 118), (428, 118), (150, 101), (150, 136)):
            self.assertLess(brightness(self.rows[y][x]), 200, (x, y))

    def test_green_frame_round_the_drawing_area(self):
        left, top, width, height = CONTROLS["picMain"]
        for offset in (1, 2, 3):
            for x, y in ((left - offset, top + 100), (left + width - 1 + offset, top + 100),
                         (left + 150, top - offset), (left + 150, top + height - 1 + offset)):
                r, g, b = self.rows[y][x]
                self.assertTrue(g > r + 15 and g > b + 5 and g < 160, ((x, y), (r, g, b)))

    def test_calm_ground_under_the_combo_boxes(self):
        for name in ("cboFont", "cboImg", "lblColorPreview", "cboSize"):
            values = [brightness(p) for p in pixels(self.rows, *CONTROLS[name])]
            self.assertLess(max(values) - min(values), 25, name)

    def test_lettering_beside_each_control(self):
        def has_lettering(left, top, width, height):
            return sum(1 for p in pixels(self.rows, left, top, width, height) if brightness(p) > 190) > 20

        self.assertTrue(has_lettering(44, 102, 44, 34), "姓名")
        self.assertTrue(has_lettering(250, 102, 43, 34), "英文")
        for name in ("cboFont", "cboImg", "lblColorPreview", "cboSize"):
            _, top, _, height = CONTROLS[name]
            self.assertTrue(has_lettering(490, top, 58, height), name)
        self.assertTrue(has_lettering(520, 45, 100, 36), "签名设置")
        self.assertTrue(has_lettering(95, 40, 200, 49), "product name")

    def test_painted_buttons_stand_out_of_the_panel(self):
        ground = brightness(self.rows[312][500])  # the tray, clear of seal and buttons
        for name in ("imgSave", "imgPrint", "imgUrlMore", "imgHelp"):
            left, top, width, height = CONTROLS[name]
            face = pixels(self.rows, left + 3, top + 3, width - 6, height - 8)
            mean = sum(brightness(p) for p in face) / len(face)
            self.assertGreater(mean, ground + 30, name)

    def test_light_frame_symmetric_in_the_client_area(self):
        # The client area is 719 × 459; the frame runs three pixels inside it on every side.
        for edge, inside in (((3, 230), (9, 230)), ((715, 230), (709, 230)),
                             ((360, 3), (360, 9)), ((360, 455), (360, 449))):
            self.assertGreater(brightness(self.rows[edge[1]][edge[0]]),
                               brightness(self.rows[inside[1]][inside[0]]) + 40, edge)


def halved(path):
    """The picture at half its size, each pixel the mean of a 2 × 2 block (ImageMagick)."""
    with tempfile.TemporaryDirectory() as scratch:
        small = Path(scratch) / "halved.png"
        subprocess.run(["convert", str(path), "-filter", "box", "-resize", "50%",
                        ("PNG32:" if read_png_header(path)[2] == 6 else "PNG24:") + str(small)], check=True)
        return read_png(small)


def read_png_header(path):
    return struct.unpack(">IIBB", path.read_bytes()[16:26])


def share_sharper_than_stretched(fine, coarse):
    """Share of the fine picture's pixels more than 10 % away from the coarse one stretched to
    twice its size by repeating pixels: nothing if the fine one is only that stretch."""
    with tempfile.TemporaryDirectory() as scratch:
        stretched = Path(scratch) / "stretched.png"
        subprocess.run(["convert", str(coarse), "-scale", "200%", str(stretched)], check=True)
        run = subprocess.run(["compare", "-metric", "AE", "-fuzz", "10%", str(fine), str(stretched), "null:"],
                             capture_output=True, text=True)
    width, height, _, _ = read_png_header(fine)
    return float(run.stderr.split()[0]) / (width * height)


def mean_difference(rows, other_rows):
    differences = [abs(a - b) for row, other in zip(rows, other_rows)
                   for p, q in zip(row, other) for a, b in zip(p, q)]
    return sum(differences) / len(differences)


class FineArtwork(unittest.TestCase):
    """The 2x artwork is the 1x drawing at twice the pixels: the same picture once halved."""

    def assertTwiceTheSize(self, fine, coarse):
        width, height, colour, _ = read_png_header(fine)
        coarse_width, coarse_height, coarse_colour, _ = read_png_header(coarse)
        self.assertEqual((width, height, colour), (2 * coarse_width, 2 * coarse_height, coarse_colour), fine)
        self.assertLess(mean_difference(halved(fine)[3], read_png(coarse)[3]), 4.0, fine)
        self.assertGreater(share_sharper_than_stretched(fine, coarse), 0.01, f"{fine} is the 1x stretched")

    def test_skin(self):
        self.assertTwiceTheSize(RESOURCES / "skin@2x.png", RESOURCES / "skin.png")

    def test_icons(self):
        for size in (32, 64, 128, 256):
            self.assertTwiceTheSize(RESOURCES / "icons" / f"yanzhou-sign-{size}@2x.png",
                                    RESOURCES / "icons" / f"yanzhou-sign-{size}.png")


class Icons(unittest.TestCase):
    def test_bitmaps(self):
        for size in (32, 64, 128, 256):
            width, height, colour, rows = read_png(RESOURCES / "icons" / f"yanzhou-sign-{size}.png")
            self.assertEqual((width, height), (size, size))
            every = [p for row in rows for p in row]
            if colour == 6:
                self.assertEqual(rows[0][0][3], 0, "rounded corners are transparent")
                every = [p for p in every if p[3] == 255]
            red = sum(1 for p in every if p[0] > p[1] + 70 and p[0] > p[2] + 70)
            teal = sum(1 for p in every if p[1] > p[0] + 25 and p[2] > p[0] + 15)
            self.assertGreater(red / len(every), 0.08, f"{size}: the quill")
            self.assertGreater(teal / len(every), 0.4, f"{size}: the square")

    def test_vector(self):
        svg = ET.parse(RESOURCES / "icons" / "yanzhou-sign.svg").getroot()
        self.assertEqual(svg.get("viewBox"), "0 0 100 100")
        paths = svg.findall("{http://www.w3.org/2000/svg}path")
        self.assertGreaterEqual(len(paths), 4)
        self.assertTrue(all(p.get("d", "").startswith("M") for p in paths))

    def test_vector_renders_as_the_bitmap(self):
        # rsvg-convert comes from librsvg2-bin.
        with tempfile.TemporaryDirectory() as scratch:
            rendered = Path(scratch) / "icon.png"
            subprocess.run(["rsvg-convert", "-w", "256", "-h", "256", "-o", str(rendered),
                            str(RESOURCES / "icons" / "yanzhou-sign.svg")], check=True)
            _, _, _, svg_rows = read_png(rendered)
        _, _, _, png_rows = read_png(RESOURCES / "icons" / "yanzhou-sign-256.png")
        differences = [abs(a - b) for svg_row, png_row in zip(svg_rows, png_rows)
                       for p, q in zip(svg_row, png_row) for a, b in zip(p, q)]
        self.assertLess(sum(differences) / len(differences), 2.0)


if __name__ == "__main__":
    unittest.main()
