#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Holds the window's actions to their instruction budgets.

usage: check-perf-budget.py --driver PERF_ACTIONS --budget FILE [--runs N] [--jobs J]
                            [--update] [--dumps DIR]

Runs the driver (build/bench/perf_actions) under callgrind, which counts the instructions of
each action alone, and fails when an action takes more than its budget in FILE. Instruction
counts do not depend on how busy the machine is, so this guards speed without timing anything.

--update   writes every budget anew, 25 % above what was counted (after a change that makes an
           action cheaper, or one whose cost is accepted); review the difference before
           committing it.
--dumps    reads the callgrind profiles in DIR instead of running the driver.
"""

import argparse
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

HEADROOM = 1.25

BUDGET_HEADER = """\
# Instructions per run of each window action (bench/GuiActions.cpp), counted by callgrind:
# scripts/check-perf-budget.py (the `perf` test) fails when an action needs more. Each budget
# is about 25 % above what the action took when it was set; `--update` sets them anew.
"""


def read_budget(path):
    budget = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            parts = line.split()
            if len(parts) != 2 or not parts[1].isdigit():
                raise ValueError(f"{path}:{number}: expected an action and a whole number")
            budget[parts[0]] = int(parts[1])
    return budget


def write_budget(path, counts):
    with open(path, "w", encoding="utf-8") as f:
        f.write(BUDGET_HEADER)
        for name, count in counts.items():
            # Whole hundred thousands keep the file readable.
            f.write(f"{name} {math.ceil(count * HEADROOM / 1e5) * 100000}\n")


def read_dumps(folder):
    """Instructions per action from the profiles the driver dumped, summed over its runs."""
    counts = {}
    trigger = re.compile(r"^desc: Trigger: Client Request: (\S+)")
    for entry in sorted(os.listdir(folder)):
        name, total = None, None
        with open(os.path.join(folder, entry), encoding="utf-8", errors="replace") as f:
            for line in f:
                m = trigger.match(line)
                if m:
                    name = m.group(1)
                elif line.startswith(("summary:", "totals:")) and total is None:
                    total = int(line.split()[1])
        if name is not None and total is not None:
            counts[name] = counts.get(name, 0) + total
    return counts


def run_driver(driver, actions, runs, folder, index):
    env = dict(os.environ)
    # Hashing and the number format would otherwise differ from run to run or desk to desk.
    env.update(QT_HASH_SEED="0", LC_ALL="C.UTF-8", LANGUAGE="", QT_QPA_PLATFORM="offscreen")
    out = os.path.join(folder, f"part{index}")
    os.mkdir(out)
    command = ["valgrind", "--tool=callgrind", "--collect-atstart=no", "--instr-atstart=no",
               f"--callgrind-out-file={out}/callgrind.%p", driver, "--runs", str(runs)] + actions
    done = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True)
    return out, done.returncode, done.stdout


def count(driver, runs, jobs):
    listed = subprocess.run([driver, "--list"], stdout=subprocess.PIPE, text=True,
                            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"), check=True)
    actions = listed.stdout.split()
    # One program per action: what an action costs must not depend on what ran before it in
    # the same process (caches filled or cleared by other windows).
    counts = {}
    with tempfile.TemporaryDirectory() as folder:
        with ThreadPoolExecutor(jobs) as pool:
            results = list(pool.map(lambda p: run_driver(driver, [p[1]], runs, folder, p[0]),
                                    enumerate(actions)))
        for out, code, output in results:
            if code != 0:
                sys.stderr.write(output[-4000:])
                raise RuntimeError(f"the driver under callgrind ended with {code}")
            counts.update(read_dumps(out))
    missing = [a for a in actions if a not in counts]
    if missing:
        raise RuntimeError("no profile for " + ", ".join(missing))
    return {a: counts[a] // runs for a in actions}


def compare(counts, budget):
    """Lines of the report and whether every action kept to its budget."""
    lines, ok = [], True
    width = max(len(n) for n in list(counts) + list(budget))
    for name, measured in counts.items():
        limit = budget.get(name)
        if limit is None:
            lines.append(f"{name:<{width}} {measured:>13,}  no budget: add it (--update)")
            ok = False
            continue
        verdict = "ok" if measured <= limit else "OVER BUDGET"
        ok = ok and measured <= limit
        lines.append(f"{name:<{width}} {measured:>13,} of {limit:>13,}  "
                     f"{100 * measured / limit:5.1f} %  {verdict}")
    for name in budget:
        if name not in counts:
            lines.append(f"{name:<{width}} no such action: remove its budget")
            ok = False
    return lines, ok


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--driver")
    parser.add_argument("--budget", required=True)
    parser.add_argument("--runs", type=int, default=2)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--update", action="store_true")
    parser.add_argument("--dumps")
    args = parser.parse_args()

    try:
        if args.dumps:
            counts = {name: total // args.runs for name, total in read_dumps(args.dumps).items()}
        else:
            if not args.driver:
                parser.error("--driver or --dumps is needed")
            if shutil.which("valgrind") is None:
                print("valgrind is not installed (Debian package valgrind; `make deps-test`)",
                      file=sys.stderr)
                return 1
            counts = count(args.driver, args.runs, max(1, args.jobs))
        if args.update:
            write_budget(args.budget, counts)
            print(f"wrote {len(counts)} budgets to {args.budget}")
            return 0
        lines, ok = compare(counts, read_budget(args.budget))
    except (OSError, ValueError, RuntimeError, subprocess.CalledProcessError) as e:
        print(f"check-perf-budget: {e}", file=sys.stderr)
        return 1
    print("instructions per run:")
    print("\n".join(lines))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
