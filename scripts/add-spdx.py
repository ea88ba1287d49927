#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Puts the licence tag at the head of every source file of the project, or checks it is there.

usage: add-spdx.py [--check] [source root]

C++ files (.cpp, .h) open with "// SPDX-License-Identifier: GPL-3.0-or-later"; CMake, shell,
Python files and the Makefile carry the same tag as a "#" comment, after the "#!" line where
there is one. A file that has the tag is left as it is, so the script can be rerun after new
files arrive. With --check nothing is written: it lists the files without the tag and fails.
"""

import os
import subprocess
import sys

LICENSE = "GPL-3.0-or-later"
TAG = "SPDX-License-Identifier: " + LICENSE

CPP_SUFFIXES = (".cpp", ".h")
HASH_SUFFIXES = (".cmake", ".sh", ".py")
HASH_NAMES = ("CMakeLists.txt", "Makefile")
# Build folders, and what the project does not write itself.
SKIPPED_TOP = ("build", ".git", ".cache", ".ci")


def comment_for(path):
    """The tag line the file takes, or None for a file the tag is not for."""
    name = os.path.basename(path)
    if name.endswith(CPP_SUFFIXES):
        return "// " + TAG
    if name in HASH_NAMES or name.endswith(HASH_SUFFIXES):
        return "# " + TAG
    return None


def candidate_files(root):
    """Tracked and new (not ignored) files when the root is a git checkout, else a walk."""
    try:
        out = subprocess.run(
            ["git", "-C", root, "ls-files", "--cached", "--others", "--exclude-standard", "-z"],
            check=True, capture_output=True).stdout
        names = [n for n in out.decode("utf-8").split("\0") if n]
    except (OSError, subprocess.CalledProcessError):
        names = []
        for dirpath, dirnames, filenames in os.walk(root):
            rel = os.path.relpath(dirpath, root)
            if rel == ".":
                dirnames[:] = [d for d in dirnames if not d.startswith(SKIPPED_TOP)]
            names.extend(os.path.relpath(os.path.join(dirpath, f), root) for f in filenames)
    for name in sorted(names):
        if name.split("/", 1)[0].startswith(SKIPPED_TOP):
            continue
        if comment_for(name) and os.path.isfile(os.path.join(root, name)):
            yield name


def tag_index(lines):
    """Where the tag line goes: after a "#!" line, else first."""
    return 1 if lines and lines[0].startswith("#!") else 0


def has_tag(lines, comment):
    index = tag_index(lines)
    return len(lines) > index and lines[index].rstrip("\r\n") == comment


def with_tag(lines, comment):
    index = tag_index(lines)
    newline = "\r\n" if lines and lines[0].endswith("\r\n") else "\n"
    added = [comment + newline]
    # A blank line sets the tag apart from the file's own opening comment or code.
    if len(lines) > index and lines[index].strip():
        added.append(newline)
    return lines[:index] + added + lines[index:]


def main(argv):
    args = argv[1:]
    check = "--check" in args
    args = [a for a in args if a != "--check"]
    if len(args) > 1 or any(a.startswith("-") for a in args):
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

    missing = []
    checked = 0
    for name in candidate_files(root):
        path = os.path.join(root, name)
        comment = comment_for(name)
        with open(path, encoding="utf-8", newline="") as f:
            lines = f.readlines()
        checked += 1
        if has_tag(lines, comment):
            continue
        missing.append(name)
        if not check:
            with open(path, "w", encoding="utf-8", newline="") as f:
                f.writelines(with_tag(lines, comment))

    if check:
        if missing:
            print("Files without the licence tag (%s) at their head:" % TAG, file=sys.stderr)
            for name in missing:
                print("  " + name, file=sys.stderr)
            print("Run: scripts/add-spdx.py", file=sys.stderr)
            return 1
        print("%d files carry the licence tag" % checked)
    else:
        print("tagged %d of %d files" % (len(missing), checked))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
