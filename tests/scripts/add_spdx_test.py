#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""scripts/add-spdx.py on a scratch tree: where the tag goes in each kind of file, what it leaves
alone, that a second run changes nothing, and that --check tells tagged from untagged trees.

usage: add_spdx_test.py [path of add-spdx.py]
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(__file__), "..", "..", "scripts", "add-spdx.py"))

CPP = "// SPDX-License-Identifier: GPL-3.0-or-later"
HASH = "# SPDX-License-Identifier: GPL-3.0-or-later"

# name, before, after
CASES = [
    ("core/Header.h", "#pragma once\n", CPP + "\n\n#pragma once\n"),
    ("core/Empty.cpp", "", CPP + "\n"),
    ("core/Windows.cpp", "#include \"Windows.h\"\r\nint x;\r\n",
     CPP + "\r\n\r\n#include \"Windows.h\"\r\nint x;\r\n"),
    ("core/Tagged.cpp", CPP + "\n\nint x;\n", CPP + "\n\nint x;\n"),
    ("scripts/run.sh", "#!/usr/bin/env bash\n# Runs it.\nset -e\n",
     "#!/usr/bin/env bash\n" + HASH + "\n\n# Runs it.\nset -e\n"),
    ("scripts/tool.py", "#!/usr/bin/env python3\n\n\"\"\"Doc.\"\"\"\n",
     "#!/usr/bin/env python3\n" + HASH + "\n\n\"\"\"Doc.\"\"\"\n"),
    ("scripts/tagged.sh", "#!/bin/sh\n" + HASH + "\nexit 0\n", "#!/bin/sh\n" + HASH + "\nexit 0\n"),
    ("CMakeLists.txt", "project(X)\n", HASH + "\n\nproject(X)\n"),
    ("cmake/Find.cmake", "\nset(A 1)\n", HASH + "\n\nset(A 1)\n"),
    ("Makefile", "all:\n\ttrue\n", HASH + "\n\nall:\n\ttrue\n"),
    # Not source: never touched.
    ("README.md", "# Title\n", "# Title\n"),
    ("gui/icon.svg", "<svg/>\n", "<svg/>\n"),
]
UNTAGGED = sorted(name for name, before, after in CASES if before != after)
IGNORED = ("build/gui/moc_Window.cpp", "int generated;\n")


def run(root, *args):
    return subprocess.run([sys.executable, SCRIPT, *args, root], capture_output=True, text=True)


class AddSpdxTest(unittest.TestCase):

    def tree(self, with_git):
        root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, root)
        for name, before in [(n, b) for n, b, _ in CASES] + [IGNORED]:
            os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
            with open(os.path.join(root, name), "w", encoding="utf-8", newline="") as f:
                f.write(before)
        if with_git:
            with open(os.path.join(root, ".gitignore"), "w", encoding="utf-8") as f:
                f.write("/build/\n")
            subprocess.run(["git", "init", "-q", root], check=True)
        return root

    def read(self, root, name):
        with open(os.path.join(root, name), encoding="utf-8", newline="") as f:
            return f.read()

    def check_tree(self, with_git):
        root = self.tree(with_git)
        before = run(root, "--check")
        self.assertEqual(before.returncode, 1, before.stderr)
        listed = sorted(line.strip() for line in before.stderr.splitlines()[1:-1])
        self.assertEqual(listed, UNTAGGED)

        self.assertEqual(run(root).returncode, 0)
        for name, _, after in CASES:
            with self.subTest(file=name):
                self.assertEqual(self.read(root, name), after)
        # Generated files in the build folder are not the project's.
        self.assertEqual(self.read(root, IGNORED[0]), IGNORED[1])

        again = run(root)
        self.assertEqual(again.stdout.split()[:2], ["tagged", "0"], again.stdout)
        for name, _, after in CASES:
            self.assertEqual(self.read(root, name), after, name)
        self.assertEqual(run(root, "--check").returncode, 0)

    def test_plain_folder(self):
        self.check_tree(with_git=False)

    @unittest.skipUnless(shutil.which("git"), "git is not installed")
    def test_git_checkout(self):
        self.check_tree(with_git=True)

    def test_keeps_executable_bit(self):
        root = self.tree(with_git=False)
        script = os.path.join(root, "scripts", "run.sh")
        os.chmod(script, 0o755)
        run(root)
        self.assertTrue(os.access(script, os.X_OK))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
