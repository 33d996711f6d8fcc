#!/usr/bin/env python3
"""Runs the same random step sequences through two tgsim-cli programs and reports every
difference in their outputs: exit status, stdout (grids and state, also after a failure),
stderr, and the files of --results, --chart, --compare, --picture, --standard-parameters,
--modes and --ringdown; every tenth sequence is also run as a small study (its table and
picture compared).

    compare_runners.py OLD_CLI NEW_CLI [--count N] [--seed S] [--pictures K] [--jobs J]

Used when the code is reshaped without changing behaviour: the outputs must be byte-identical.
"""
import argparse
import filecmp
import os
import random
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

COMMANDS = [
    "G1Click", "G2Click", "G3Click", "G4Click", "G5Click", "G6Click",
    "war_zeroweClick", "war_koncowClick", "war_nominalneClick", "Warunkizadane1Click",
    "Softstart1Click", "Synchroniz1Click", "ZabwAutom1Click", "Zwarcie1Click", "Pracawsieci1Click",
    "ZrzutQ1Click", "TestPSS1Click", "Klasyczny1Click", "Canaya1Click", "PSS2A_1Click",
    "PSS2A_2Click", "PSS2A_3Click", "PSS1wejsciowy1Click", "Stale_PSS", "O1Click",
    "Obliczeniecalkicieplnej1Click", "Przelacz_DaneAkt_Wykres", "ZachowajPrzebiegClick", "UsunPorownaniaClick",
]
SCENARIOS = {"Softstart1Click", "Synchroniz1Click", "ZabwAutom1Click", "Zwarcie1Click", "Pracawsieci1Click",
             "ZrzutQ1Click", "TestPSS1Click"}
# The friendlier spellings of steps, and a few words the runner refuses.
SPELLINGS = [["--generator", "3"], ["--scenario", "Praca w sieci"], ["--scenario", "Test: PSS 2A"],
             ["--model", "Canaya"], ["--model", "Klasyczny"], ["--solve"], ["--generator", "7"],
             ["--scenario", "Nic"], ["bogus"], ["siatka.99=1"]]
GRIDS = {"siatka": 40, "siatkaPraca": 17, "war_pocz": 30, "Siatka_PSS": 25, "zadanystanustalony": 8}
GOOD_TEXTS = ["0", "1", "-1", "0,5", "2,5", "1e3", " 3 ", "-0,0", "1e-400", "TAK", "NIE", "0,001", "100", "15750",
              "-5", "7e1", "0,3", "1,0"]
BAD_TEXTS = ["x", "", "1.5", "1,2,3", "1E400", "tak", "TAKE", "NaN", "inf"]
# Settings that keep runs short: a whole sequence must finish in a second or two.
SHORT_RUN = ["siatkaPraca.0=0", "siatkaPraca.1=1"]
RINGDOWNS = ["w", "P", "delta:0:", "Q:0,2:0,9", "Ug::0,5", "alfa:0:0,01"]
FILES = ["results.csv", "chart.csv", "compare.csv", "chart.svg", "standard.csv", "modes.csv", "ringdown1.csv",
         "ringdown2.csv", "table.csv", "study.svg"]


def cell_text(rng):
    return rng.choice(GOOD_TEXTS if rng.random() < 0.7 else BAD_TEXTS)


def random_steps(rng):
    """Steps as groups of words (a step and its option's value stay together)."""
    steps = [[word] for word in SHORT_RUN] if rng.random() < 0.9 else []
    if rng.random() < 0.3:  # from a steady state on the network, where the modes exist
        steps += [[rng.choice(["Pracawsieci1Click", "TestPSS1Click"])]] + [[word] for word in SHORT_RUN]
        steps += [[rng.choice(["Warunkizadane1Click", "war_nominalneClick"])]]
    for _ in range(rng.randint(1, 12)):
        kind = rng.random()
        if kind < 0.55:
            steps.append([rng.choice(COMMANDS)])
            if steps[-1][0] in SCENARIOS:
                steps += [[word] for word in SHORT_RUN]
        elif kind < 0.83:
            grid = rng.choice(list(GRIDS))
            column = rng.randrange(GRIDS[grid] + 1)
            steps.append([f"{grid}.{column}={cell_text(rng)}"])
        elif kind < 0.90:
            steps.append([rng.choice(["--tick", "--untick"]), str(rng.randint(1, 17))])
        elif kind < 0.96:
            grid = rng.choice(list(GRIDS))
            steps.append(["--header", f"{grid}.{rng.randrange(GRIDS[grid])}={cell_text(rng)}"])
        elif kind < 0.985:
            steps.append(rng.choice(SPELLINGS[:6]))
        else:
            steps.append(rng.choice(SPELLINGS[6:]))
    if rng.random() < 0.7:
        steps.append(["O1Click"])
    return steps


def words(groups):
    return [word for group in groups for word in group]


def single_run(cli, steps, folder, rng, picture):
    path = lambda name: os.path.join(folder, name)
    outputs = ["--results", path("results.csv"), "--chart", path("chart.csv"), "--compare", path("compare.csv"),
               "--standard-parameters", path("standard.csv"), "--modes", path("modes.csv"),
               "--ringdown", rng.choice(RINGDOWNS), path("ringdown1.csv"),
               "--ringdown", rng.choice(RINGDOWNS), path("ringdown2.csv")]
    if rng.random() < 0.5:
        outputs += ["--ringdown", rng.choice(RINGDOWNS), path("ringdown1.csv")]
    if picture:
        outputs += ["--picture", path("chart.svg")] + (["--legend"] if rng.random() < 0.5 else [])
    for grid in GRIDS:
        outputs += ["--grid", grid]
    return subprocess.run([cli, *words(steps), *outputs, "--state"], capture_output=True, timeout=300, cwd=folder)


def study_run(cli, steps, folder, rng):
    """The same steps as a study: a sweep of the end time (kept short) and of one more cell."""
    path = lambda name: os.path.join(folder, name)
    sweeps = [["--sweep", "siatkaPraca.1=0,2:0,6:2"],
              ["--sweep", rng.choice(["zadanystanustalony.0=0,3:0,9:2", "Siatka_PSS.16=0:4:3", "siatka.19=2:3:2"])]]
    cut = rng.randrange(len(steps) + 1)
    study = words(steps[:cut] + sweeps + steps[cut:])
    if "O1Click" not in study:
        study.append("O1Click")
    extra = ["--modes"] if rng.random() < 0.5 else []
    return subprocess.run([cli, *study, "--study", path("table.csv"), "--study-picture", path("study.svg"),
                           "--jobs", "1", *extra], capture_output=True, timeout=300, cwd=folder)


def compare(args, n):
    """The differences of sequence n, as report lines."""
    rng = random.Random(f"{args.seed}/{n}")
    steps = random_steps(rng)
    picture = n % max(1, args.count // max(1, args.pictures)) == 0 if args.pictures else False
    study = n % 10 == 9
    with tempfile.TemporaryDirectory() as old_dir, tempfile.TemporaryDirectory() as new_dir:
        state = rng.getstate()
        old = single_run(args.old, steps, old_dir, rng, picture)
        rng.setstate(state)
        new = single_run(args.new, steps, new_dir, rng, picture)
        runs = [(old, new, "")]
        if study:
            state = rng.getstate()
            old_study = study_run(args.old, steps, old_dir, rng)
            rng.setstate(state)
            runs.append((old_study, study_run(args.new, steps, new_dir, rng), "study "))
        problems = []
        for a, b, what in runs:
            problems += [what + name for name in ("returncode", "stdout", "stderr")
                         if getattr(a, name) != getattr(b, name)]
        for name in FILES:
            a, b = os.path.join(old_dir, name), os.path.join(new_dir, name)
            if os.path.exists(a) != os.path.exists(b) or (os.path.exists(a) and not filecmp.cmp(a, b, False)):
                problems.append(name)
        if not problems:
            return []
        lines = [f"sequence {n}: {' '.join(words(steps))}", f"  differs in: {', '.join(problems)}"]
        if "stderr" in problems:
            lines += [f"  old stderr: {old.stderr.decode(errors='replace').strip()}",
                      f"  new stderr: {new.stderr.decode(errors='replace').strip()}"]
        return lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--pictures", type=int, default=20, help="sequences that also compare an SVG picture")
    parser.add_argument("--jobs", type=int, default=1, help="sequences compared at once")
    args = parser.parse_args()
    differences = 0
    with ThreadPoolExecutor(args.jobs) as pool:
        for lines in pool.map(lambda n: compare(args, n), range(args.count)):
            if lines:
                differences += 1
                print("\n".join(lines), flush=True)
    print(f"{args.count} sequences (seed {args.seed}), {differences} with differences")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
