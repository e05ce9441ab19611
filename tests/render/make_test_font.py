#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes a small copy of an installed font under a family name of the test's choosing.

Usage: make_test_font.py SOURCE OUTPUT FAMILY CHARACTERS [PUA=CHAR ...]

The copy holds only CHARACTERS (kept small so tests start quickly) and is renamed to FAMILY, so
that the face is selectable only while the test registers the file. Each PUA=CHAR maps the
private-use code point PUA (hex) to the glyph of CHAR, as the sample fonts do for the one-glyph
compound surnames.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def main(argv):
    source, output, family, characters = argv[1:5]
    extra = [item.split("=", 1) for item in argv[5:]]
    font = TTFont(source, fontNumber=0, lazy=False)
    options = subset.Options()
    options.name_IDs = ["*"]
    options.notdef_outline = True
    options.layout_features = []
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters + "".join(c for _, c in extra))
    subsetter.subset(font)
    for code, char in extra:
        for table in font["cmap"].tables:
            if table.isUnicode():
                table.cmap[int(code, 16)] = table.cmap[ord(char)]
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (1, 4, 6, 16, 17, 21, 22):
            names.removeNames(nameID=record.nameID)
    for name_id, value in ((1, family), (2, "Regular"), (4, family), (6, family)):
        names.setName(value, name_id, 3, 1, 0x409)
        names.setName(value, name_id, 1, 0, 0)
    font.save(output)


if __name__ == "__main__":
    main(sys.argv)
