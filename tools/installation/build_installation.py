# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Assemble the sample installation under the application directory.

    /usr/bin/python3 build_installation.py --app-dir build/app --state build/tools/state.json

Writes fonts/<style>/<P>1..3.dat, fonts/电脑字/<name>(<face>).dat, images/NN-<name>.png,
data/fuxing.dat and licences/. Each output is remembered in the state file with the recipe
that made it; an output whose file is there and whose recipe is unchanged is not made again.
"""

import argparse
import hashlib
import json
import multiprocessing
import os
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import backgrounds  # noqa: E402
import charsets  # noqa: E402
import fill  # noqa: E402
import fonts  # noqa: E402
import glyph_metrics  # noqa: E402
import own_hand  # noqa: E402
import seal_face  # noqa: E402
import sources  # noqa: E402
import surnames  # noqa: E402
from catalogue import BACKGROUNDS, SEAL_FACES, SINGLE_FACES, SOURCES, STYLES  # noqa: E402

WORKERS = 2


def font_jobs() -> list[tuple[str, str, str, bool]]:
    """(relative output path, source key, family, with ligatures) for every font file."""
    jobs = []
    for style in STYLES:
        for part, key in enumerate(style.fonts, start=1):
            family = f"{style.prefix}{part}"
            # Only the first part draws a surname; ligatures elsewhere would be dead weight.
            jobs.append((f"fonts/{style.name}/{family}.dat", key, family,
                         style.chinese and part == 1))
    for display, face, key in SINGLE_FACES:
        jobs.append((f"fonts/电脑字/{display}({face}).dat", key, face, False))
    return jobs


def seal_jobs() -> list[tuple[str, int]]:
    """(relative output path, index in SEAL_FACES) for every seal face."""
    return [(f"fonts/电脑字/{seal.display}({seal.face}).dat", index)
            for index, seal in enumerate(SEAL_FACES)]


def code_of(*modules) -> list[str]:
    """What an output's making depends on in this folder's code: a change there remakes it."""
    return [hashlib.sha256(Path(module.__file__).read_bytes()).hexdigest() for module in modules]


def recipe(*parts) -> str:
    text = json.dumps(parts, ensure_ascii=False, sort_keys=True, default=str)
    return hashlib.sha256(text.encode("utf-8")).hexdigest()


def write_atomically(path: Path, data: bytes) -> None:
    path.parent.mkdir(parents=True, exist_ok=True)
    scratch = path.with_name("." + path.name + ".part")
    scratch.write_bytes(data)
    os.replace(scratch, path)


def make_font(job: tuple[str, str, str, bool], app_dir: str) -> str:
    relative, key, family, with_ligatures = job
    source = SOURCES[key]
    fillers = [] if source.latin else [
        (filler, sources.font_bytes(SOURCES[filler]), sources.face_index(SOURCES[filler]))
        for filler in source.fill]
    data = fonts.build_font(source, sources.font_bytes(source), sources.face_index(source),
                            family, surnames.ligatures() if with_ligatures else [], fillers)
    write_atomically(Path(app_dir) / relative, data)
    return relative


def make_seal(job: tuple[str, int], app_dir: str) -> str:
    relative, index = job
    write_atomically(Path(app_dir) / relative, seal_face.seal_face_bytes(SEAL_FACES[index]))
    return relative


def make_picture(job: tuple[str, str, int], app_dir: str) -> str:
    name, kind, seed = job
    target = Path(app_dir) / "images" / name
    target.parent.mkdir(parents=True, exist_ok=True)
    scratch = target.with_name(".part-" + target.name)
    backgrounds.make_background(kind, scratch, seed)
    os.replace(scratch, target)
    return f"images/{name}"


def _run_font(arguments):
    return make_font(*arguments)


def _run_picture(arguments):
    return make_picture(*arguments)


def _run_seal(arguments):
    return make_seal(*arguments)


def font_users(with_fillers: bool = False) -> dict[str, list[str]]:
    """The installed font files made from each source font, by source key; with_fillers, also
    the files a face lent its characters to (marked so)."""
    users: dict[str, list[str]] = {}
    for relative, key, _, _ in font_jobs():
        users.setdefault(key, []).append(relative)
        if with_fillers and not SOURCES[key].latin:
            for filler in SOURCES[key].fill:
                users.setdefault(filler, []).append(f"{relative} (missing characters)")
    for relative, index in seal_jobs():
        for key in SEAL_FACES[index].outlines:
            users.setdefault(key, []).append(relative)
    return users


def licence_files(app_dir: Path) -> dict[str, bytes]:
    """One licence per source font, and an index of which installed file uses which (a face
    that lends its characters to fill another counts as used by that file too)."""
    files = {}
    users = font_users(with_fillers=True)
    index = ["Licences of the fonts in fonts/. Each installed font was cut down to the",
             "characters a name can use and renamed; the sources are credited here.", ""]
    for key, used_by in users.items():
        source = SOURCES[key]
        origin = source.origin
        where = (f"npm {origin.package_ref}" if isinstance(origin, sources.NpmSource)
                 else f"Debian package {origin.package}")
        copyright_line = ""
        if isinstance(origin, sources.NpmSource) and not origin.licence:
            font = fonts.load(sources.font_bytes(source), 0)
            copyright_line = fonts.copyright_line(font)
        text = sources.licence_text(source, copyright_line, SOURCES["MaShanZheng"])
        files[f"licences/{key}.txt"] = text.encode("utf-8")
        index.append(f"{source.credit} ({where}), licences/{key}.txt:")
        index.extend(f"    {path}" for path in used_by)
    files["licences/README.txt"] = ("\n".join(index) + "\n").encode("utf-8")
    return files


def remove_stale(app_dir: Path, state: dict, wanted: set[str]) -> None:
    """Delete what an earlier catalogue made and this one no longer lists: a dropped style
    left behind would still show in the style list."""
    for relative in sorted(set(state) - wanted):
        path = app_dir / relative
        path.unlink(missing_ok=True)
        del state[relative]
        folder = path.parent
        while folder != app_dir and folder.is_dir() and not any(folder.iterdir()):
            folder.rmdir()
            folder = folder.parent


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app-dir", required=True, type=Path)
    parser.add_argument("--state", required=True, type=Path)
    arguments = parser.parse_args()
    app_dir = arguments.app_dir.resolve()
    state_path = arguments.state
    state = json.loads(state_path.read_text()) if state_path.exists() else {}

    def needed(relative: str, key: str) -> bool:
        return state.get(relative) != key or not (app_dir / relative).exists()

    def save() -> None:
        state_path.parent.mkdir(parents=True, exist_ok=True)
        state_path.write_text(json.dumps(state, ensure_ascii=False, indent=1, sort_keys=True))

    def done(relative: str, key: str) -> None:
        state[relative] = key
        save()

    ligature_list = [(item.code, item.first, item.second) for item in surnames.ligatures()]
    font_work = []
    for job in font_jobs():
        relative, key, family, with_ligatures = job
        source = SOURCES[key]
        fillers = [] if source.latin else [SOURCES[filler] for filler in source.fill]
        made_by = recipe(relative, source, family, ligature_list if with_ligatures else [],
                         fillers, code_of(fonts, fill, glyph_metrics, charsets, own_hand),
                         own_hand.recipe_digest(source))
        if needed(relative, made_by):
            font_work.append((job, made_by))

    seal_work = []
    for job in seal_jobs():
        relative, index = job
        seal = SEAL_FACES[index]
        made_by = recipe(relative, seal, [SOURCES[key] for key in seal.outlines],
                         code_of(fonts, seal_face))
        if needed(relative, made_by):
            seal_work.append((job, made_by))

    picture_work = []
    for seed, (name, kind) in enumerate(BACKGROUNDS, start=1):
        made_by = recipe(name, kind, seed, backgrounds.BACKGROUND_SIZE, code_of(backgrounds))
        if needed(f"images/{name}", made_by):
            picture_work.append(((name, kind, seed), made_by))

    small_files = {"data/fuxing.dat": surnames.table_bytes(), **licence_files(app_dir),
                   own_hand.PROVENANCE: own_hand.provenance_text().encode("utf-8")}
    wanted = ({job[0] for job in font_jobs()} | {job[0] for job in seal_jobs()}
              | {f"images/{name}" for name, _ in BACKGROUNDS} | set(small_files))
    remove_stale(app_dir, state, wanted)
    save()
    for relative, data in small_files.items():
        made_by = recipe(relative, hashlib.sha256(data).hexdigest())
        if needed(relative, made_by):
            write_atomically(app_dir / relative, data)
            done(relative, made_by)

    # Fetch every download once, here, so that the workers never race for the cache.
    seal_keys = [key for seal in SEAL_FACES for key in seal.outlines]
    for key in [key for (_, key, _, _), _ in font_work] + seal_keys:
        for needed_key in (key, *SOURCES[key].fill):
            origin = SOURCES[needed_key].origin
            if isinstance(origin, sources.NpmSource):
                sources.npm_tarball(origin)

    if font_work or seal_work or picture_work:
        print(f"assembling {len(font_work) + len(seal_work)} fonts and {len(picture_work)} pictures "
              f"in {app_dir}", flush=True)
    with multiprocessing.Pool(WORKERS) as pool:
        pictures = pool.imap_unordered(
            _run_picture, [(job, str(app_dir)) for job, _ in picture_work])
        # The seal faces take longest: start them first.
        seals = pool.imap_unordered(_run_seal, [(job, str(app_dir)) for job, _ in seal_work])
        keys = {f"images/{job[0]}": made_by for job, made_by in picture_work}
        for relative in pictures:
            done(relative, keys[relative])
        keys = {job[0]: made_by for job, made_by in font_work}
        for relative in pool.imap_unordered(_run_font, [(job, str(app_dir))
                                                        for job, _ in font_work]):
            print(f"  {relative}", flush=True)
            done(relative, keys[relative])
        keys = {job[0]: made_by for job, made_by in seal_work}
        for relative in seals:
            print(f"  {relative}", flush=True)
            done(relative, keys[relative])
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (sources.SourceError, OSError, ValueError, RuntimeError) as error:
        print(f"build_installation: {error}", file=sys.stderr)
        sys.exit(1)
