# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The character sets a Chinese style must draw: GB2312, and the list of standard characters
(the 8,105 of the 通用规范汉字表) that names are registered in.

The standard list comes from Debian's unicode-data (Unihan field kTGH), so it is read, not
copied into the tree.
"""

import bz2
from functools import lru_cache
from pathlib import Path

UNIHAN_MAPPINGS = Path("/usr/share/unicode/Unihan_OtherMappings.txt.bz2")


@lru_cache(maxsize=1)
def gb2312() -> tuple[int, ...]:
    """Every character of GB2312 (its symbols and both levels of hanzi)."""
    found = []
    for lead in range(0xA1, 0xF8):
        for trail in range(0xA1, 0xFF):
            try:
                found.append(ord(bytes([lead, trail]).decode("gb2312")))
            except UnicodeDecodeError:
                pass
    return tuple(found)


@lru_cache(maxsize=1)
def standard_characters() -> tuple[int, ...]:
    """The list of standard characters, in code point order (8,105 of them)."""
    if not UNIHAN_MAPPINGS.exists():
        raise FileNotFoundError(f"{UNIHAN_MAPPINGS} is missing: install the Debian package "
                                "unicode-data")
    found = []
    with bz2.open(UNIHAN_MAPPINGS, "rt", encoding="utf-8") as lines:
        for line in lines:
            fields = line.split("\t")
            if len(fields) >= 2 and fields[1] == "kTGH":
                found.append(int(fields[0][2:], 16))
    return tuple(sorted(found))


def chinese_name_characters() -> tuple[int, ...]:
    """What every Chinese style face must hold: GB2312 and the standard list together."""
    return tuple(sorted({*gb2312(), *standard_characters()}))
