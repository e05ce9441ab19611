# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Assemble the sample installation under the application directory.

    /usr/bin/python3 build_installation.py --app-dir build/app --state build/tools/state.json

Writes fonts/<style>/<P>1..3.dat, fonts/电脑字/<name>(<face>).dat, images/NN-<name>.png,
data/fuxing.dat and licences/. Each output is remembered in the state file with the recipe
that made it; an output whose file is there and whose recipe is unchanged is not made again,
and one made before, by this or another build on the machine, is taken from the cache
(derived_cache.py). --only builds a part, for checks.
"""

import argparse
import fnmatch
import hashlib
import json
import multiprocessing
import os
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import backgrounds  # noqa: E402
import charsets  # noqa: E402
import derived_cache  # noqa: E402
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


def font_groups() -> list[tuple[str, list[tuple[str, str, bool]]]]:
    """The font files by source key: (relative path, family, with ligatures). The files of one
    source differ only in face name and ligatures, so the source is cut down, thickened and
    filled once for them all; those with ligatures come last (they keep them)."""
    groups: dict[str, list[tuple[str, str, bool]]] = {}
    for relative, key, family, with_ligatures in font_jobs():
        groups.setdefault(key, []).append((relative, family, with_ligatures))
    return [(key, sorted(files, key=lambda file: file[2])) for key, files in groups.items()]


def seal_groups() -> list[tuple[tuple[str, ...], list[int]]]:
    """The seal faces by the faces they are cut from: (outline keys, indexes in SEAL_FACES).
    A character is cut once for every seal face of its group."""
    groups: dict[tuple[str, ...], list[int]] = {}
    for index, seal in enumerate(SEAL_FACES):
        groups.setdefault(seal.outlines, []).append(index)
    return list(groups.items())


def make_fonts(key: str, files: list[tuple[str, str, bool]]) -> list[tuple[str, bytes]]:
    source = SOURCES[key]
    fillers = [] if source.latin else [
        (filler, sources.font_bytes(SOURCES[filler]), sources.face_index(SOURCES[filler]))
        for filler in source.fill]
    made = fonts.build_fonts(
        source, sources.font_bytes(source), sources.face_index(source),
        [(family, surnames.ligatures() if with_ligatures else []) for _, family, with_ligatures
         in files], fillers)
    return [(relative, data) for (relative, _, _), data in zip(files, made)]


_OUTLINES: dict[tuple[str, ...], object] = {}


def cut_seal_characters(keys: tuple[str, ...], seals: list[int], codes: list[int]) -> dict:
    """One part of a seal group's characters, cut and worn for each of its seal faces."""
    if keys not in _OUTLINES:  # loaded once per worker, not once per part
        _OUTLINES[keys] = seal_face.outline_source(keys)[0]
    return seal_face.cut_characters(codes, _OUTLINES[keys],
                                    [seal_face.carving_of(SEAL_FACES[index]) for index in seals])


def make_picture(name: str, kind: str, seed: int) -> list[tuple[str, bytes]]:
    with tempfile.TemporaryDirectory() as scratch:
        made = Path(scratch) / name
        backgrounds.make_background(kind, made, seed)
        return [(f"images/{name}", made.read_bytes())]


def run_task(task):
    """One piece of work in a worker: (kind, arguments...) -> what it made."""
    kind, *arguments = task
    work = {"fonts": make_fonts, "seal part": cut_seal_characters, "picture": make_picture}
    return task, work[kind](*arguments)


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


SEAL_PARTS = 12   # a seal group's characters are cut in this many parts, spread over the workers


class Assembly:
    """What this run must make, what it may take from the cache, and the state file that
    remembers what was made: an output whose file is there and whose recipe is unchanged is
    not touched."""

    def __init__(self, app_dir: Path, state_path: Path, cache: derived_cache.Cache,
                 only: list[str]):
        self.app_dir, self.state_path, self.cache, self.only = app_dir, state_path, cache, only
        self.state = json.loads(state_path.read_text()) if state_path.exists() else {}
        self.wanted: dict[str, tuple[str, str]] = {}   # relative -> (recipe, cache key)
        self.made = self.cached = 0

    def chosen(self, relative: str) -> bool:
        return not self.only or any(fnmatch.fnmatchcase(relative, pattern) for pattern in self.only)

    def want(self, relative: str, made_by: str, inputs: list[str]) -> bool:
        """Note an output; True when it is still to be made (not there, not in the cache)."""
        self.wanted[relative] = (made_by, derived_cache.key_of(made_by, inputs))
        if self.state.get(relative) == made_by and (self.app_dir / relative).exists():
            return False
        data = self.cache.get(self.wanted[relative][1])
        if data is None:
            return True
        self.write(relative, data, store=False)
        self.cached += 1
        return False

    def write(self, relative: str, data: bytes, store: bool = True) -> None:
        made_by, key = self.wanted[relative]
        write_atomically(self.app_dir / relative, data)
        if store:
            self.cache.put(key, data)
            self.made += 1
        self.state[relative] = made_by
        self.save()

    def save(self) -> None:
        self.state_path.parent.mkdir(parents=True, exist_ok=True)
        self.state_path.write_text(json.dumps(self.state, ensure_ascii=False, indent=1,
                                              sort_keys=True))


def source_inputs(keys) -> list[str]:
    """Digests of the source fonts' bytes: an npm tarball's is pinned and checked when it is
    fetched, a Debian file's is taken from the file."""
    digests = []
    for key in keys:
        origin = SOURCES[key].origin
        if isinstance(origin, sources.NpmSource):
            digests.append(origin.sha256)
        elif Path(origin.font).exists():
            digests.append(derived_cache.file_digest(origin.font))
        else:
            raise sources.SourceError(f"{origin.font} is missing: install the Debian package "
                                      f"{origin.package}")
    return digests


def characters_input() -> str:
    return derived_cache.file_digest(str(charsets.UNIHAN_MAPPINGS))


def planned_work(assembly: Assembly) -> tuple[list, dict]:
    """The tasks for the workers, longest first so that the two end together, and the seal
    groups whose parts they cut."""
    ligature_list = [(item.code, item.first, item.second) for item in surnames.ligatures()]
    chinese_fonts, latin_fonts = [], []
    for key, files in font_groups():
        source = SOURCES[key]
        fillers = [] if source.latin else [SOURCES[filler] for filler in source.fill]
        inputs = source_inputs([key, *(filler.key for filler in fillers)]) + [characters_input()]
        missing = False
        for relative, family, with_ligatures in files:
            if not assembly.chosen(relative):
                continue
            made_by = recipe(relative, source, family, ligature_list if with_ligatures else [],
                             fillers, code_of(fonts, fill, glyph_metrics, charsets, own_hand),
                             own_hand.recipe_digest(source))
            missing |= assembly.want(relative, made_by, inputs)
        if missing:
            chosen = [file for file in files if assembly.chosen(file[0])]
            (latin_fonts if source.latin else chinese_fonts).append(("fonts", key, chosen))

    seal_tasks, seal_work = [], {}
    codes = seal_face.seal_codes()
    for keys, indexes in seal_groups():
        inputs = source_inputs(keys) + [characters_input()]
        missing = []
        for index in indexes:
            relative = seal_jobs()[index][0]
            if not assembly.chosen(relative):
                continue
            seal = SEAL_FACES[index]
            made_by = recipe(relative, seal, [SOURCES[key] for key in seal.outlines],
                             code_of(fonts, seal_face))
            if assembly.want(relative, made_by, inputs):
                missing.append(index)
        if missing:
            seal_work[keys] = {"seals": missing, "parts": SEAL_PARTS, "cut": {}}
            seal_tasks += [("seal part", keys, missing, codes[part::SEAL_PARTS])
                           for part in range(SEAL_PARTS)]

    pictures = []
    for seed, (name, kind) in enumerate(BACKGROUNDS, start=1):
        relative = f"images/{name}"
        made_by = recipe(name, kind, seed, backgrounds.BACKGROUND_SIZE, code_of(backgrounds))
        if assembly.chosen(relative) and assembly.want(relative, made_by, []):
            pictures.append(("picture", name, kind, seed))
    return chinese_fonts + seal_tasks + latin_fonts + pictures, seal_work


def finish_seal_part(assembly: Assembly, keys, seal_work: dict, cut: dict) -> None:
    """Collect a part; with the group's last part, save its seal faces."""
    work = seal_work[keys]
    work["cut"].update(cut)
    work["parts"] -= 1
    if work["parts"]:
        return
    notices = seal_face.outline_source(keys)[1]
    for which, index in enumerate(work["seals"]):
        seal = SEAL_FACES[index]
        relative = seal_jobs()[index][0]
        assembly.write(relative, seal_face.face_from(work["cut"], which, seal.face,
                                                     seal_face.origin_of(seal), notices))
        print(f"  {relative}", flush=True)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app-dir", required=True, type=Path)
    parser.add_argument("--state", required=True, type=Path)
    parser.add_argument("--cache", type=Path, default=derived_cache.default_folder(),
                        help="folder of the shared cache (default ~/.cache/yanzhou-sign/"
                             "installation)")
    parser.add_argument("--no-cache", action="store_true", help="make everything here")
    parser.add_argument("--only", action="append", default=[], metavar="PATTERN",
                        help="make only the outputs whose path matches (fnmatch), e.g. 'images/*'")
    arguments = parser.parse_args()
    started, cpu = time.monotonic(), time.process_time()
    app_dir = arguments.app_dir.resolve()
    cache = derived_cache.Cache(None if arguments.no_cache else arguments.cache)
    assembly = Assembly(app_dir, arguments.state, cache, arguments.only)

    small_files = {"data/fuxing.dat": surnames.table_bytes(), **licence_files(app_dir),
                   own_hand.PROVENANCE: own_hand.provenance_text().encode("utf-8")}
    for relative, data in small_files.items():
        made_by = recipe(relative, hashlib.sha256(data).hexdigest())
        assembly.wanted[relative] = (made_by, "")
        if assembly.state.get(relative) != made_by or not (app_dir / relative).exists():
            write_atomically(app_dir / relative, data)
            assembly.state[relative] = made_by
    tasks, seal_work = planned_work(assembly)
    remove_stale(app_dir, assembly.state, set(assembly.wanted))
    assembly.save()

    # Fetch every download once, here, so that the workers never race for the cache.
    for task in tasks:
        keys = [task[1]] if task[0] == "fonts" else list(task[1]) if task[0] == "seal part" else []
        for key in keys:
            for needed_key in (key, *SOURCES[key].fill):
                origin = SOURCES[needed_key].origin
                if isinstance(origin, sources.NpmSource):
                    sources.npm_tarball(origin)

    if tasks:
        print(f"assembling {len(assembly.wanted) - len(small_files) - assembly.cached} files in "
              f"{app_dir} ({assembly.cached} taken from the cache {cache.folder})", flush=True)
    workers_cpu = 0.0
    with multiprocessing.Pool(WORKERS) as pool:
        for task, result in pool.imap_unordered(run_task, tasks):
            if task[0] == "seal part":
                finish_seal_part(assembly, task[1], seal_work, result)
                continue
            for relative, data in result:
                assembly.write(relative, data)
                print(f"  {relative}", flush=True)
        pool.close()
        pool.join()
        workers_cpu = sum(os.times()[2:4])
    cache.prune()
    print(f"installation: {assembly.made} files made, {assembly.cached} taken from the cache, "
          f"{time.monotonic() - started:.0f} s ({time.process_time() - cpu + workers_cpu:.0f} s "
          f"of CPU)", flush=True)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (sources.SourceError, OSError, ValueError, RuntimeError) as error:
        print(f"build_installation: {error}", file=sys.stderr)
        sys.exit(1)
