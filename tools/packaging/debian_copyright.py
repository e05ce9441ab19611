# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Write the package's machine-readable copyright file from what the installation holds.

    /usr/bin/python3 debian_copyright.py --app-dir build/app --header copyright.head \
        --installed-as usr/lib/yanzhou-sign --out build/packaging/copyright

The header (the program's own paragraphs) comes first; then one Files paragraph per source font,
listing the installed files made from it, its copyright and its licence in full, read from the
licence file the installation step wrote and from the fonts' own name tables. A font file that no
source accounts for, a missing licence file or a licence it cannot name stops the build: a
package must not ship a font under an unstated or wrong licence.
"""

import argparse
import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "installation"))

from fontTools.ttLib import TTFont  # noqa: E402

import build_installation  # noqa: E402
from catalogue import SOURCES  # noqa: E402


class CopyrightError(RuntimeError):
    pass


# Licences recognised by their own wording, with the short names the copyright format uses.
KNOWN_LICENCES = [
    (re.compile(r"SIL\s+Open\s+Font\s+License,?\s+Version\s+1\.1", re.I), "OFL-1.1"),
    (re.compile(r"ARPHIC\s+PUBLIC\s+LICENSE", re.I), "Arphic-1999"),
]

NOTICE = re.compile(r"copyright|\(c\)|©", re.I)


def paragraphs(text: str) -> list[dict[str, str]]:
    """Fields of each paragraph of a text in the copyright format; continuation lines joined."""
    found = []
    for block in re.split(r"\n\s*\n", text):
        fields: dict[str, str] = {}
        name = None
        for line in block.splitlines():
            if line[:1] in (" ", "\t") and name:
                fields[name] += "\n" + line.strip()
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = value.strip()
        found.append(fields)
    return found


def from_debian_copyright(text: str) -> tuple[str, str] | None:
    """(copyright, licence name) of the paragraph covering every file, when `text` is itself
    a Debian package's copyright file in the machine-readable format."""
    if "copyright-format/1.0" not in text.split("\n", 1)[0]:
        return None
    for fields in paragraphs(text):
        if fields.get("Files") == "*" and "License" in fields and "Copyright" in fields:
            return fields["Copyright"].strip(), fields["License"].split("\n", 1)[0].strip()
    return None


def notices_in(font_file: Path) -> str:
    """The copyright lines of a font's name table (it may hold a version and more besides)."""
    notice = TTFont(font_file, lazy=True)["name"].getDebugName(0) or ""
    return "\n".join(line.strip() for line in notice.splitlines() if NOTICE.search(line))


def describe(key: str, licence: str, first_font: Path) -> tuple[str, str]:
    """(copyright, licence short name) of one source font: the notices of its name table and of
    its Debian package's copyright file together, and the licence as that file names it or as
    the licence's own wording says."""
    notices = notices_in(first_font).splitlines()
    debian = from_debian_copyright(licence)
    if debian:
        notices += [line for line in debian[0].splitlines() if line not in notices]
        names = [debian[1]]
    else:
        names = [name for pattern, name in KNOWN_LICENCES if pattern.search(licence)]
    if len(names) != 1:
        raise CopyrightError(f"licences/{key}.txt: cannot tell which licence it is "
                             f"({' or '.join(names) or 'none known'}); add it to KNOWN_LICENCES")
    if not notices:
        raise CopyrightError(f"{first_font}: no copyright notice in its name table or licence")
    return "\n".join(notices), names[0]


def field(name: str, value: str) -> str:
    """A field whose value may run over several lines: continuation lines are indented and an
    empty line is written as a lone full stop."""
    first, *rest = value.rstrip().split("\n")
    lines = [f"{name}: {first}".rstrip()]
    lines.extend(" " + line.rstrip() if line.strip() else " ." for line in rest)
    return "\n".join(lines)


# The Chinese faces draw the characters they lack with LXGW WenKai's glyphs (see docs/FONTS.md).
FILLED_NOTE = (" Characters the face lacks are drawn from LXGW WenKai (Copyright 2021-2023 LXGW, SIL Open"
               " Font License 1.1), as licences/README.txt lists.")


def files_pattern(path: str) -> str:
    # The Files field separates patterns by white space; ? matches any one character.
    return re.sub(r"\s", "?", path)


def font_paragraphs(app_dir: Path, installed_as: str) -> list[str]:
    users = build_installation.font_users()
    made = {path for paths in users.values() for path in paths}
    filled = {relative for relative, key, _, _ in build_installation.font_jobs()
              if not SOURCES[key].latin}
    shipped = {str(p.relative_to(app_dir)) for p in (app_dir / "fonts").rglob("*") if p.is_file()}
    unaccounted = sorted(shipped - made)
    if unaccounted:
        raise CopyrightError("no source font in the catalogue accounts for "
                             + ", ".join(unaccounted))
    written = []
    for key, paths in users.items():
        licence_file = app_dir / "licences" / f"{key}.txt"
        if not licence_file.is_file():
            raise CopyrightError(f"{licence_file} is missing: build the installation first")
        licence = licence_file.read_text(encoding="utf-8")
        notices, name = describe(key, licence, app_dir / paths[0])
        written.append("\n".join([
            field("Files", "\n".join(files_pattern(f"{installed_as}/{path}") for path in paths)),
            field("Copyright", notices),
            field("License", f"{name}\n{licence}"),
            field("Comment", f"From {SOURCES[key].credit}; the licence as "
                             f"{installed_as}/licences/{key}.txt holds it."
                             + (FILLED_NOTE if set(paths) & filled else "")),
        ]))
    return written


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app-dir", required=True, type=Path)
    parser.add_argument("--header", required=True, type=Path)
    parser.add_argument("--installed-as", required=True)
    parser.add_argument("--out", required=True, type=Path)
    arguments = parser.parse_args()
    text = "\n\n".join([arguments.header.read_text(encoding="utf-8").strip()]
                       + font_paragraphs(arguments.app_dir.resolve(),
                                         arguments.installed_as.strip("/"))) + "\n"
    arguments.out.parent.mkdir(parents=True, exist_ok=True)
    arguments.out.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (CopyrightError, OSError) as error:
        print(f"debian_copyright: {error}", file=sys.stderr)
        sys.exit(1)
