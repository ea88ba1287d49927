#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Fails when an include breaks the layering of the tree or two source files share a name.

usage: check-layers.py [source root]

- A folder of core/ includes only itself and the folders below it in CORE_LEVELS; folders on
  one level do not include each other.
- Nothing in core/ includes a Qt header.
- No two modules of core/ (a header with its source) include each other in a circle, so that
  core can be read and tested bottom up.
- gui/widgets/ includes nothing of gui/views/ or gui/app/.
- No two source files share a name (main.cpp aside), so that a name finds one file.
"""

import os
import re
import sys

# Bottom first; a folder may include the folders of the levels before its own.
CORE_LEVELS = [
    ["io"],
    ["pitch"],
    ["strings"],
    ["sound"],
    ["document"],
    ["chart", "frets"],
    ["report"],
    ["options"],
    ["files"],
]

# What gui/widgets must not reach: the widgets sit under every window and page.
WIDGETS_FORBIDDEN = ["views", "app"]

SOURCE_FOLDERS = ["core", "render", "gui", "cli", "tests", "bench", "fuzz", "packaging"]
SOURCE_SUFFIXES = (".cpp", ".h", ".hpp", ".cc")
SHARED_NAMES_ALLOWED = {"main.cpp"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z]|^Qt[A-Za-z]*/")


def includes(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if m:
                yield number, m.group(1), m.group(2)


def source_files(root, folder):
    top = os.path.join(root, folder)
    for dirpath, dirnames, filenames in os.walk(top):
        dirnames.sort()
        for name in sorted(filenames):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.join(dirpath, name)


def check_core(root, problems):
    level = {folder: i for i, group in enumerate(CORE_LEVELS) for folder in group}
    core = os.path.join(root, "core")
    for path in source_files(root, "core"):
        rel = os.path.relpath(path, core)
        parts = rel.split(os.sep)
        if len(parts) < 2:
            continue
        own = parts[0]
        if own not in level:
            problems.append(f"core/{rel}: folder '{own}' has no place in CORE_LEVELS")
            continue
        for number, kind, target in includes(path):
            if kind == "<":
                if QT_HEADER.match(target):
                    problems.append(f"core/{rel}:{number}: includes Qt <{target}>")
                continue
            other = target.split("/")[0] if "/" in target else own
            if other == own or other not in level:
                continue
            if level[other] >= level[own]:
                problems.append(f"core/{rel}:{number}: '{own}' includes \"{target}\" of "
                                f"'{other}', which is not below it")


def check_circles(root, problems):
    """A module is core/<folder>/<Name> (.h and .cpp); an edge is an include of a core header."""
    core = os.path.join(root, "core")
    edges = {}
    for path in source_files(root, "core"):
        rel = os.path.relpath(path, core)
        if os.sep not in rel:
            continue
        module = os.path.splitext(rel)[0].replace(os.sep, "/")
        targets = edges.setdefault(module, set())
        own = module.split("/")[0]
        for _, kind, target in includes(path):
            if kind != '"':
                continue
            name = target if "/" in target else f"{own}/{target}"
            other = os.path.splitext(name)[0]
            if other != module and os.path.exists(os.path.join(core, name)):
                targets.add(other)
    # Depth-first search; a grey module met again closes a circle.
    state, stack = {}, []

    def visit(module):
        state[module] = "grey"
        stack.append(module)
        for other in sorted(edges.get(module, ())):
            if state.get(other) == "grey":
                circle = stack[stack.index(other):] + [other]
                problems.append("core modules include each other: " + " -> ".join(circle))
            elif other not in state:
                visit(other)
        stack.pop()
        state[module] = "black"

    for module in sorted(edges):
        if module not in state:
            visit(module)


def check_widgets(root, problems):
    for path in source_files(root, os.path.join("gui", "widgets")):
        rel = os.path.relpath(path, root)
        for number, kind, target in includes(path):
            if kind == '"' and target.split("/")[0] in WIDGETS_FORBIDDEN:
                problems.append(f"{rel}:{number}: widgets include \"{target}\"")


def check_names(root, problems):
    seen = {}
    for folder in SOURCE_FOLDERS:
        for path in source_files(root, folder):
            name = os.path.basename(path)
            if name not in SHARED_NAMES_ALLOWED:
                seen.setdefault(name, []).append(os.path.relpath(path, root))
    for name, paths in sorted(seen.items()):
        if len(paths) > 1:
            problems.append(f"{name} is the name of {len(paths)} files: {', '.join(paths)}")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    if not os.path.isdir(os.path.join(root, "core")):
        print(f"check-layers: no core/ under {root}", file=sys.stderr)
        return 2
    problems = []
    check_core(root, problems)
    check_circles(root, problems)
    check_widgets(root, problems)
    check_names(root, problems)
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
