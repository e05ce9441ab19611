# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Background papers of our own making, drawn with ImageMagick from fixed seeds.

The same seed gives the same picture on every machine: noise and plasma take ImageMagick's
-seed, the fibres and flecks come from Python's seeded generator, and the PNG writer is told
to leave out its time stamps.
"""

import math
import random
import subprocess
from pathlib import Path

from catalogue import BACKGROUND_SIZE

PNG_OUT = ["-strip", "-define", "png:exclude-chunks=date,time", "-depth", "8"]


def _fibres(rng: random.Random, count: int, width: int, height: int) -> str:
    """MVG for hand-made paper's fibres: mostly short, fine and pale, a few long ones, all
    curling a little and lying every way."""
    strokes = []
    for _ in range(count):
        x, y = rng.uniform(0, width), rng.uniform(0, height)
        length = rng.choice([12, 18, 25, 35, 50, 80]) * rng.uniform(0.7, 1.3)
        angle = rng.uniform(0, 2 * math.pi)
        points = []
        for _ in range(4):
            points.append(f"{x:.1f},{y:.1f}")
            angle += rng.uniform(-0.9, 0.9)
            x += length / 3 * math.cos(angle)
            y += length / 3 * math.sin(angle)
        shade = rng.randint(165, 205)
        strokes.append(f"stroke rgba({shade},{shade - 10},{shade - 28},"
                       f"{rng.uniform(0.05, 0.22):.2f}) "
                       f"stroke-width {rng.uniform(0.3, 0.9):.2f} "
                       f"fill none bezier {' '.join(points)}")
    return "\n".join(strokes)


def _flecks(rng: random.Random, count: int, width: int, height: int) -> str:
    """MVG for small irregular gold-leaf flecks."""
    shapes = []
    for _ in range(count):
        x, y = rng.uniform(0, width), rng.uniform(0, height)
        size = rng.choice([1.5, 2, 3, 4, 6, 9]) * rng.uniform(0.6, 1.4)
        corners = " ".join(f"{x + rng.uniform(-size, size):.1f},{y + rng.uniform(-size, size):.1f}"
                           for _ in range(rng.randint(3, 5)))
        tone = rng.choice(["#c9a45a", "#d8b46a", "#b8913f", "#e2c27a"])
        shapes.append(f"fill {tone} fill-opacity {rng.uniform(0.55, 0.95):.2f} "
                      f"stroke none polygon {corners}")
    return "\n".join(shapes)


def _grid(width: int, height: int, margin: int, rows: int) -> str:
    """MVG for red practice paper: square cells with dashed centre lines, inside a margin and
    a heavier frame."""
    cell = (height - 2 * margin) // rows
    columns = (width - 2 * margin) // cell
    left, top = (width - columns * cell) // 2, (height - rows * cell) // 2
    right, bottom = left + columns * cell, top + rows * cell
    lines = [f"line {left + i * cell},{top} {left + i * cell},{bottom}" for i in range(columns + 1)]
    lines += [f"line {left},{top + j * cell} {right},{top + j * cell}" for j in range(rows + 1)]
    dashed = [f"line {left + i * cell + cell // 2},{top} {left + i * cell + cell // 2},{bottom}"
              for i in range(columns)]
    dashed += [f"line {left},{top + j * cell + cell // 2} {right},{top + j * cell + cell // 2}"
               for j in range(rows)]
    return (f"stroke #b83227 stroke-opacity 0.6 stroke-width 3 fill none\n"
            f"rectangle {left - 6},{top - 6} {right + 6},{bottom + 6}\n"
            "stroke-width 1.6\n" + "\n".join(lines)
            + "\nstroke-dasharray 6 6 stroke-width 1 stroke-opacity 0.35\n" + "\n".join(dashed))


def _run(arguments: list[str]) -> None:
    result = subprocess.run(["convert", *arguments], capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError("convert failed: " + result.stderr.strip())


def _draw(mvg: str) -> list[str]:
    """-draw arguments for a long MVG text, cut into pieces a command line accepts."""
    lines = mvg.splitlines()
    return [argument for start in range(0, len(lines), 200)
            for argument in ("-draw", "\n".join(lines[start:start + 200]))]


def _cloud(seed: int, size: str, kind: str, blur: int, tones: str) -> list[str]:
    """A soft grey cloud, made small and enlarged: smooth anyway, and quick to blur."""
    width, height = (int(v) for v in size.split("x"))
    small = f"{width // 4}x{height // 4}"
    return ["(", "-size", small, "-seed", str(seed), f"plasma:{kind}", "-colorspace", "Gray",
            "-blur", f"0x{blur}", "-auto-level", "+level", tones, "-resize", f"{size}!", ")"]


def _paper(base: str, seed: int, size: str, grain: float) -> list[str]:
    """A flat paper with fine grain and a soft, large-scale mottling."""
    return ["-size", size, "-seed", str(seed), f"xc:{base}",
            "-attenuate", str(grain), "+noise", "Gaussian", "-blur", "0x0.5",
            *_cloud(seed, size, "grey60-grey40", 10, "40%,60%"),
            "-compose", "SoftLight", "-composite"]


def make_background(kind: str, out: Path, seed: int) -> None:
    width, height = BACKGROUND_SIZE
    size = f"{width}x{height}"
    rng = random.Random(seed)
    if kind == "plain":
        _run([*_paper("#f3e4c4", seed, size, 0.12), *PNG_OUT, str(out)])
    elif kind == "rice":
        # Warm white, a soft cloud of thicker and thinner pulp, then the fibres.
        _run([*_paper("#f7f1e3", seed, size, 0.14),
              *_cloud(seed + 7, size, "grey55-grey45", 4, "46%,54%"),
              "-compose", "SoftLight", "-composite",
              *_draw(_fibres(rng, 520, width, height)), "-blur", "0x0.35",
              "-background", "#e9dcbd", "-vignette", "0x90-40-40", *PNG_OUT, str(out)])
    elif kind == "ink":
        _run([*_paper("#f4efe6", seed, size, 0.12),
              *_cloud(seed + 1, size, "fractal", 7, "80%,100%"),
              "-compose", "Multiply", "-composite",
              *PNG_OUT, str(out)])
    elif kind == "grid":
        _run([*_paper("#f7ecd9", seed, size, 0.10), *_draw(_grid(width, height, 34, 4)),
              *PNG_OUT, str(out)])
    elif kind == "gold":
        _run([*_paper("#efe0c0", seed, size, 0.10), *_draw(_flecks(rng, 700, width, height)),
              *PNG_OUT, str(out)])
    else:
        raise ValueError(f"no background kind {kind!r}")
