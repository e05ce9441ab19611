# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Render sample signatures in every style of a built installation into one PNG, to look at.

    /usr/bin/python3 preview.py <app dir> <out.png>

Each style directory is drawn as the program cuts names: surname (or the compound surname's
drawn character) in font 1, middle in font 2, last character in font 3; single faces draw the
whole name, the seals a two-by-two grid read from the right column down.
"""

import subprocess
import sys
import tempfile
from pathlib import Path

CHINESE = ["纪元朗", "欧阳娜娜"]
LATIN = "Osric"
POINTS = 54


def table(app_dir: Path) -> str:
    text = (app_dir / "data/fuxing.dat").read_bytes().decode("gb18030")
    return text[:-2] if text.endswith("\r\n") else text


def split_chinese(name: str, surnames: str) -> tuple[str, str, str]:
    if " " + name[:2] + "-" in surnames:
        at = surnames.find(name[:2])
        first, given = surnames[at + 4], name[2:]
    else:
        first, given = name[:1], name[1:]
    return first, given[:-1], given[-1:]


def label(font: Path, text: str, out: Path, size: int = POINTS, colour: str = "black") -> Path:
    subprocess.run(["convert", "-background", "none", "-fill", colour, "-font", str(font),
                    "-pointsize", str(size), f"label:{text}", str(out)], check=True)
    return out


def gap(out: Path, width: int = 40) -> Path:
    subprocess.run(["convert", "-size", f"{width}x1", "xc:none", str(out)], check=True)
    return out


def row(pieces: list[Path], out: Path) -> Path:
    subprocess.run(["convert", "-background", "none", *map(str, pieces), "-gravity", "South",
                    "+append", "+repage", str(out)], check=True)
    return out


def caption(text: str, out: Path) -> Path:
    caption_font = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
    return label(Path(caption_font), text, out, 18, "#555555")


def main() -> int:
    app_dir, target = Path(sys.argv[1]), Path(sys.argv[2])
    surnames = table(app_dir)
    with tempfile.TemporaryDirectory() as scratch_name:
        scratch = Path(scratch_name)
        count = iter(range(1_000_000))

        def temp() -> Path:
            return scratch / f"{next(count)}.png"

        rows = []
        for style in sorted((app_dir / "fonts").iterdir(), key=lambda p: p.name.lower()):
            if style.name == "电脑字":
                continue
            prefix = sorted(style.glob("*.dat"))[0].name[:3]
            fonts = [style / f"{prefix}{part}.dat" for part in "123"]
            names = ([(LATIN[0], LATIN[1:-1], LATIN[-1])] if "英文签" in style.name
                     else [split_chinese(name, surnames) for name in CHINESE])
            pieces = [caption(style.name, temp())]
            for parts in names:
                pieces += [label(font, part, temp()) for font, part in zip(fonts, parts) if part]
                pieces.append(gap(temp()))
            rows.append(row(pieces, temp()))
        for path in sorted((app_dir / "fonts/电脑字").iterdir(), key=lambda p: p.name.lower()):
            display = path.name[:path.name.rindex("(")]
            pieces = [caption(display, temp())]
            if display.startswith("篆印体"):
                filled = display.endswith("阴文")
                ink, paper = ("white", "#c00000") if filled else ("#c00000", "none")
                name = "纪元朗印"
                glyphs = [label(path, character, temp(), 40, ink) for character in name]
                columns = []
                for column in ((glyphs[2], glyphs[3]), (glyphs[0], glyphs[1])):
                    out = temp()
                    subprocess.run(["convert", "-background", "none", *map(str, column),
                                    "-append", str(out)], check=True)
                    columns.append(out)
                seal = temp()
                subprocess.run(["convert", "-background", paper, *map(str, columns), "+append",
                                "+repage", *(["-flatten"] if filled else []), "-compose", "Copy", "-bordercolor", "#c00000", "-border", "4",
                                str(seal)],
                               check=True)
                pieces.append(seal)
            else:
                pieces += [label(path, "纪元朗 欧阳娜娜", temp())]
            rows.append(row(pieces, temp()))
        subprocess.run(["convert", "-background", "#f6f0e1", *map(str, rows), "-append", "+repage",
                        "-flatten", str(target)], check=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
