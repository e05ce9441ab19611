# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Contact sheets of the characters built from each face's own parts, for a look: a random
sample from every installed face that has them, each glyph beside the regular hand's.

    /usr/bin/python3 own_hand_sheet.py <app dir> <out dir> [count]
"""

import random
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from fontTools.ttLib import TTFont  # noqa: E402
from PIL import Image, ImageDraw  # noqa: E402

import glyph_metrics  # noqa: E402
import own_hand  # noqa: E402

CELL = 72
COLUMNS = 10     # pairs a row


def pair(face, kai, character) -> Image.Image:
    """The built glyph (left) and the regular hand's (right, grey), on one cell each."""
    image = Image.new("L", (2 * CELL, CELL), 255)
    for column, (font, tone) in enumerate(((face, 0), (kai, 110))):
        drawn = glyph_metrics.draw(font, character)
        box = drawn.getbbox()
        if box is None:
            continue
        ink = drawn.crop(box)
        ink.thumbnail((CELL - 8, CELL - 8))
        ground = Image.new("L", ink.size, tone)
        image.paste(ground, (column * CELL + (CELL - ink.width) // 2,
                             (CELL - ink.height) // 2), ink)
    ImageDraw.Draw(image).line([(2 * CELL - 1, 0), (2 * CELL - 1, CELL)], fill=200)
    return image


def sheet(path: Path, kai, count: int) -> Image.Image | None:
    with TTFont(path, lazy=True) as font:
        built = own_hand.built_characters(font)
    if not built:
        return None
    chosen = sorted(random.Random(path.name).sample(built, min(count, len(built))))
    face = glyph_metrics.face(path)
    rows = (len(chosen) + COLUMNS - 1) // COLUMNS
    image = Image.new("L", (COLUMNS * 2 * CELL, rows * CELL), 255)
    for index, code in enumerate(chosen):
        image.paste(pair(face, kai, chr(code)),
                    ((index % COLUMNS) * 2 * CELL, (index // COLUMNS) * CELL))
    return image


def main() -> int:
    app_dir, out_dir = Path(sys.argv[1]), Path(sys.argv[2])
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 200
    out_dir.mkdir(parents=True, exist_ok=True)
    kai = glyph_metrics.face(next((app_dir / "fonts/电脑字").glob("楷体*.dat")))
    for path in sorted((app_dir / "fonts").rglob("*.dat")):
        image = sheet(path, kai, count)
        if image is not None:
            target = out_dir / f"{path.parent.name}-{path.stem}.png"
            image.save(target)
            print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
