# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The compound-surname table data/fuxing.dat and the characters that stand for each surname.

Each entry is: space, the two surname characters, "-", one character the program skips, the
character it draws instead. That drawn character lies in the user-defined area of code page
936 (AAA1 onwards, which decodes to U+E000 onwards), where each first-part font carries a
ligature of the two surname characters.
"""

from catalogue import COMPOUND_SURNAMES
from fonts import Ligature

SKIPPED = "="
FIRST_CODE = (0xAA, 0xA1)


def drawn_character(index: int) -> str:
    lead, trail = FIRST_CODE[0] + index // 94, FIRST_CODE[1] + index % 94
    if lead > 0xAF:
        raise ValueError("more compound surnames than the user-defined rows AAA1-AFFE hold")
    return bytes([lead, trail]).decode("gb18030")


def ligatures() -> list[Ligature]:
    return [Ligature(ord(drawn_character(i)), pair[0], pair[1])
            for i, pair in enumerate(COMPOUND_SURNAMES)]


def table_text() -> str:
    return "".join(f" {pair}-{SKIPPED}{drawn_character(i)}\r\n"
                   for i, pair in enumerate(COMPOUND_SURNAMES))


def table_bytes() -> bytes:
    text = table_text()
    seen = set()
    for pair in COMPOUND_SURNAMES:
        if len(pair) != 2 or pair in seen:
            raise ValueError(f"compound surname {pair!r} is not two characters or is listed twice")
        seen.add(pair)
        if text.find(pair) != text.find(" " + pair + "-") + 1:
            raise ValueError(f"{pair} occurs in the table before its own entry")
    return text.encode("gb18030")
