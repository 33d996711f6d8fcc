#!/usr/bin/env python3
"""Applies the small semantic changes of mutants.tsv one at a time to a scratch copy of the
source tree, builds it and runs the suites that need no window; reports for each mutant whether
a test failed (killed) or none did (survived).

    mutation_check.py [--only ID[,ID...]] [--suites NAME[,NAME...]] [--time-limit SECONDS]
                      [--scratch FOLDER] [--jobs N] [--list]

The scratch copy (default build/mutation: its source in src, its build in build) is kept between
calls, so only what a mutant touches is built again. A mutant whose text is not found exactly
once in its file is refused before anything is built. A mutant marked equivalent (it cannot
change any result) is still run; it is expected to survive. Exit status 0 when every mutant not
marked equivalent was killed.
"""
import argparse
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
TARGETS = ["tgsim-cli", "tgsim_reference_runs", "tgsim_core_tests", "tgsim_base_tests", "tgsim_data_tests",
           "tgsim_scenario_tests", "tgsim_driver_tests", "tgsim_cli_tests"]
# The suites in the order they are run (the fastest killers first); the first failure ends a mutant.
SUITES = [
    ("reference", ["tools/reference_runs/tgsim_reference_runs", "check"]),
    ("core", ["tests/core/tgsim_core_tests", "--gtest_fail_fast", "--gtest_brief=1"]),
    ("base", ["tests/base/tgsim_base_tests", "--gtest_fail_fast", "--gtest_brief=1"]),
    ("data", ["tests/data/tgsim_data_tests", "--gtest_fail_fast", "--gtest_brief=1"]),
    ("scenarios", ["tests/scenarios/tgsim_scenario_tests", "--gtest_fail_fast", "--gtest_brief=1"]),
    ("driver", ["tests/driver/tgsim_driver_tests", "--gtest_fail_fast", "--gtest_brief=1"]),
    ("cli", ["tests/app/cli/tgsim_cli_tests", "--gtest_fail_fast", "--gtest_brief=1"]),
]


class Mutant:
    def __init__(self, fields, line):
        if len(fields) not in (4, 5):
            raise SystemExit(f"mutants.tsv:{line}: expected id, file, original, replacement[, equivalent]")
        self.id, self.file, self.original, self.replacement = fields[:4]
        self.equivalent = fields[4] if len(fields) == 5 else ""
        self.line = line


def read_mutants(path):
    mutants = []
    for number, text in enumerate(path.read_text().splitlines(), 1):
        if text.strip() and not text.startswith("#"):
            mutants.append(Mutant([f.strip() for f in text.split("\t")], number))
    ids = [m.id for m in mutants]
    duplicates = {i for i in ids if ids.count(i) > 1}
    if duplicates:
        raise SystemExit("mutants.tsv: ids given twice: " + ", ".join(sorted(duplicates)))
    return mutants


def refusals(mutants):
    """Why each mutant that cannot be applied is refused."""
    out = []
    for m in mutants:
        path = SOURCE / m.file
        if not path.is_file():
            out.append(f"{m.id}: no file {m.file}")
            continue
        count = path.read_text().count(m.original)
        if count != 1:
            out.append(f"{m.id}: '{m.original}' is found {count} times in {m.file}, not once")
    return out


def sync_scratch(src):
    """Copies the tracked and new files of the source tree into src, writing only files whose
    content differs, so that an incremental build rebuilds only what changed."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=SOURCE,
                            check=True, capture_output=True).stdout.decode().split("\0")
    wanted = {name for name in listed if name and (SOURCE / name).is_file()}
    for name in wanted:
        data = (SOURCE / name).read_bytes()
        target = src / name
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
    for path in src.rglob("*"):
        if path.is_file() and str(path.relative_to(src)) not in wanted:
            path.unlink()


def run(command, cwd, timeout, env=None):
    """(exit status or None on timeout, output). On timeout the command's whole process group
    ends (a build's compilers, a test's runners)."""
    with subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          start_new_session=True) as process:
        try:
            output, _ = process.communicate(timeout=timeout)
            return process.returncode, output.decode(errors="replace")
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            output, _ = process.communicate()
            return None, output.decode(errors="replace")


def first_failure(suite, output):
    match = re.search(r"\[  FAILED  \] (\S+)", output) or re.search(r"^(\S+): the results changed", output, re.M)
    return f"{suite}: {match.group(1)}" if match else suite


def build_and_test(build, suites, jobs, deadline, env):
    """('killed', by what) / ('survived', '') / ('not built', why) / ('timed out', where)."""
    status, output = run(["cmake", "--build", str(build), "-j", str(jobs), "--target", *TARGETS], None,
                         max(1, deadline - time.monotonic()))
    if status is None:
        return "timed out", "building"
    if status != 0:
        errors = [l for l in output.splitlines() if "error" in l]
        return "not built", (errors[0] if errors else output[-300:]).strip()
    for suite, command in suites:
        status, output = run([str(build / command[0]), *command[1:]], build, max(1, deadline - time.monotonic()), env)
        if status is None:
            return "killed", f"{suite}: timed out"
        if status != 0:
            return "killed", first_failure(suite, output)
    return "survived", ""


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--only", action="append", default=[], help="mutant ids, comma-separated")
    parser.add_argument("--suites", help="the suites to run, comma-separated (default: " +
                        ",".join(name for name, _ in SUITES) + ")")
    parser.add_argument("--time-limit", type=float, default=900, help="seconds per mutant, building included")
    parser.add_argument("--scratch", type=Path, default=SOURCE / "build" / "mutation")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true", help="check the list and show it; build nothing")
    a = parser.parse_args()

    mutants = read_mutants(Path(__file__).with_name("mutants.tsv"))
    chosen = {i for group in a.only for i in group.split(",") if i}
    unknown = chosen - {m.id for m in mutants}
    if unknown:
        raise SystemExit("No mutant named " + ", ".join(sorted(unknown)))
    if chosen:
        mutants = [m for m in mutants if m.id in chosen]
    refused = refusals(mutants)
    if refused:
        raise SystemExit("Refused (the list needs mending):\n  " + "\n  ".join(refused))
    names = a.suites.split(",") if a.suites else [name for name, _ in SUITES]
    suites = [s for s in SUITES if s[0] in names]
    if len(suites) != len(names):
        raise SystemExit("The suites are " + ", ".join(name for name, _ in SUITES))
    if a.list:
        for m in mutants:
            print(f"{m.id:40} {m.file}" + (f"  (equivalent: {m.equivalent})" if m.equivalent else ""))
        return 0

    os.nice(10)
    src, build = a.scratch / "src", a.scratch / "build"
    src.mkdir(parents=True, exist_ok=True)
    sync_scratch(src)
    if not (build / "CMakeCache.txt").is_file():
        subprocess.run(["cmake", "-S", str(src), "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                        "-DTGSIM_BUILD_BENCH=OFF", "-DTGSIM_BUILD_TOOLS=OFF"], check=True, stdout=subprocess.DEVNULL)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tempfile.mkdtemp(prefix="tgsim_mutation_"))

    print("Without a mutant ...", flush=True)
    result, detail = build_and_test(build, suites, a.jobs, time.monotonic() + 3 * a.time_limit, env)
    if result != "survived":
        raise SystemExit(f"The copy without a mutant does not pass ({result}: {detail}): mend that first")

    rows = []
    for m in mutants:
        path = src / m.file
        original = path.read_text()
        started = time.monotonic()
        try:
            path.write_text(original.replace(m.original, m.replacement, 1))
            result, detail = build_and_test(build, suites, a.jobs, started + a.time_limit, env)
        finally:
            path.write_text(original)
        if result == "survived" and m.equivalent:
            result, detail = "equivalent", m.equivalent
        elif result == "killed" and m.equivalent:
            detail += " (marked equivalent: mend the list)"
        rows.append((m, result, detail))
        print(f"{m.id:40} {result:10} {detail}  [{time.monotonic() - started:.0f} s]", flush=True)

    counts = {}
    for _, result, _ in rows:
        counts[result] = counts.get(result, 0) + 1
    print("\n" + ", ".join(f"{n} {r}" for r, n in sorted(counts.items())))
    bad = [m.id for m, result, _ in rows if result not in ("killed", "equivalent") or (m.equivalent and result == "killed")]
    if bad:
        print("Not killed: " + ", ".join(bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
