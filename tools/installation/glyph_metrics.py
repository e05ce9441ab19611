# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""How glyphs look once drawn: ink share, advance and ink box at 96 pixels to the em, and how
much two faces' glyphs overlap. Used to match filled glyphs to a face and to tell faces apart.

Everything is measured on what FreeType draws, so overlapping contours and composites count
once, as the program shows them.
"""

import io
import statistics
from dataclasses import dataclass
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFont

EM = 96
# Common name characters, for telling faces apart.
NAME_SAMPLE = "王李张刘陈杨黄赵吴周徐孙马朱胡郭何林罗高明华伟芳"


@dataclass(frozen=True)
class Shape:
    ink: float       # share of the em square covered
    advance: float   # in ems
    width: float     # ink box, in ems
    height: float
    centre_y: float  # ink box centre above the baseline, in ems


def face(font: bytes | Path, index: int = 0, size: int = EM) -> ImageFont.FreeTypeFont:
    source = io.BytesIO(font) if isinstance(font, bytes) else str(font)
    return ImageFont.truetype(source, size=size, index=index)


def draw(font: ImageFont.FreeTypeFont, character: str) -> Image.Image:
    """The glyph in grey levels on a canvas three ems wide, baseline two ems down."""
    size = font.size
    image = Image.new("L", (3 * size, 3 * size), 0)
    ImageDraw.Draw(image).text((size, 2 * size), character, fill=255, font=font, anchor="ls")
    return image


def shape(font: ImageFont.FreeTypeFont, character: str) -> Shape | None:
    image = draw(font, character)
    box = image.getbbox()
    if box is None:
        return None
    size = font.size
    ink = sum(value * count for value, count in enumerate(image.histogram())) / 255
    return Shape(ink / size ** 2, font.getlength(character) / size, (box[2] - box[0]) / size,
                 (box[3] - box[1]) / size, (2 * size - (box[1] + box[3]) / 2) / size)


def shapes(font: ImageFont.FreeTypeFont, characters) -> list[Shape]:
    return [found for found in (shape(font, c) for c in characters) if found]


def median_shape(found: list[Shape]) -> Shape:
    return Shape(*(statistics.median(getattr(s, field) for s in found)
                   for field in Shape.__dataclass_fields__))


def silhouette(font: ImageFont.FreeTypeFont, character: str, side: int = 64) -> Image.Image | None:
    """The glyph cropped to its ink and stretched to side x side, in black and white."""
    image = draw(font, character)
    box = image.getbbox()
    if box is None:
        return None
    return image.crop(box).resize((side, side)).point(lambda value: 255 if value >= 128 else 0)


def overlap(first: ImageFont.FreeTypeFont, second: ImageFont.FreeTypeFont,
            characters: str = NAME_SAMPLE) -> float:
    """Mean intersection over union of the two faces' silhouettes of the same characters."""
    ratios = []
    for character in characters:
        a, b = silhouette(first, character), silhouette(second, character)
        if a is None or b is None:
            continue
        union = ImageChops.lighter(a, b).histogram()[255]
        both = ImageChops.darker(a, b).histogram()[255]
        ratios.append(both / union if union else 1.0)
    return sum(ratios) / len(ratios) if ratios else 0.0
