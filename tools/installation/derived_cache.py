# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""A cache of what the assembler makes, shared by every clone and build on the machine.

Each file is kept under a key that digests everything it is made from: its recipe (the
catalogue's entry), the bytes of the source fonts, the standard character list, every file of
this folder's code and data, and the versions of the libraries and tools that draw and save it.
A changed input gives another key, so the file is made anew; nothing is ever looked up by name
alone. Entries unused for CACHE_DAYS days are removed.
"""

import hashlib
import json
import os
import platform
import subprocess
import tempfile
import time
from functools import lru_cache
from pathlib import Path

import sources

CACHE_DAYS = 30
HERE = Path(__file__).resolve().parent


def default_folder() -> Path | None:
    """~/.cache/yanzhou-sign/installation, or YZ_INSTALLATION_CACHE; "off" there: no cache."""
    configured = os.environ.get("YZ_INSTALLATION_CACHE")
    if configured == "off":
        return None
    return Path(configured) if configured else Path.home() / ".cache/yanzhou-sign/installation"


@lru_cache(maxsize=None)
def file_digest(path: str) -> str:
    return sources.sha256_of(Path(path))


def code_digest(folder: Path = HERE) -> str:
    """Every file of the assembler's folder, by name and content: a new module or table added
    beside the others is covered without being listed."""
    digest = hashlib.sha256()
    for path in sorted(folder.rglob("*")):
        if path.is_file() and "__pycache__" not in path.parts:
            digest.update(str(path.relative_to(folder)).encode("utf-8") + b"\0")
            digest.update(file_digest(str(path)).encode("ascii"))
    return digest.hexdigest()


@lru_cache(maxsize=1)
def tool_versions() -> str:
    """The libraries and programs whose output lands in the files, by version."""
    import fontTools
    import numpy
    import PIL
    import shapely
    from PIL import features
    try:
        convert = subprocess.run(["convert", "-version"], capture_output=True, text=True,
                                 check=False).stdout.splitlines()[:1]
    except OSError:
        convert = ["no convert"]
    return json.dumps([platform.python_version(), fontTools.version, numpy.__version__,
                       shapely.__version__, PIL.__version__, features.version("freetype2"),
                       *convert])


def key_of(recipe: str, inputs: list[str], folder: Path = HERE) -> str:
    """The cache key of one output: its recipe, the digests of its input files, the code."""
    text = json.dumps([recipe, inputs, code_digest(folder), tool_versions()])
    return hashlib.sha256(text.encode("utf-8")).hexdigest()


class Cache:
    def __init__(self, folder: Path | None):
        self.folder = folder
        if folder is not None:
            folder.mkdir(parents=True, exist_ok=True)

    def _path(self, key: str) -> Path:
        return self.folder / key[:2] / key

    def get(self, key: str) -> bytes | None:
        if self.folder is None:
            return None
        path = self._path(key)
        try:
            data = path.read_bytes()
        except OSError:
            return None
        os.utime(path)  # still in use: not pruned
        return data

    def put(self, key: str, data: bytes) -> None:
        """Written whole or not at all, so that two builds at once never see half a file."""
        if self.folder is None:
            return
        path = self._path(key)
        path.parent.mkdir(parents=True, exist_ok=True)
        handle, scratch = tempfile.mkstemp(dir=path.parent, prefix=".part-")
        with os.fdopen(handle, "wb") as stream:
            stream.write(data)
        os.replace(scratch, path)

    def prune(self) -> None:
        if self.folder is None:
            return
        oldest = time.time() - CACHE_DAYS * 86400
        for path in self.folder.glob("*/*"):
            try:
                if path.stat().st_mtime < oldest:
                    path.unlink()
            except OSError:
                pass
