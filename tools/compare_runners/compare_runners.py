#!/usr/bin/env python3
"""Runs the same random step sequences through two tgsim-cli programs and reports every
difference in their outputs (exit status, stdout, stderr, --results, --chart, --picture files).

    compare_runners.py OLD_CLI NEW_CLI [--count N] [--seed S] [--pictures K]

Used when the code is reshaped without changing behaviour: the outputs must be byte-identical.
"""
import argparse
import filecmp
import os
import random
import subprocess
import sys
import tempfile

COMMANDS = [
    "G1Click", "G2Click", "G3Click", "G4Click", "G5Click", "G6Click",
    "war_zeroweClick", "war_koncowClick", "war_nominalneClick", "Warunkizadane1Click",
    "Softstart1Click", "Synchroniz1Click", "ZabwAutom1Click", "Zwarcie1Click", "Pracawsieci1Click",
    "ZrzutQ1Click", "TestPSS1Click", "Klasyczny1Click", "Canaya1Click", "PSS2A_1Click",
    "PSS2A_2Click", "PSS2A_3Click", "PSS1wejsciowy1Click", "Stale_PSS", "O1Click",
    "Obliczeniecalkicieplnej1Click", "Przelacz_DaneAkt_Wykres",
]
GRIDS = {"siatka": 40, "siatkaPraca": 17, "war_pocz": 30, "Siatka_PSS": 25, "zadanystanustalony": 8}
CELL_TEXTS = ["0", "1", "-1", "0,5", "2,5", "1e3", "x", "", "1.5", "1,2,3", " 3 ", "-0,0", "1E400",
              "1e-400", "TAK", "NIE", "tak", "0,001", "100", "15750", "-5", "7e1", "NaN", "inf"]
# Settings that keep runs short: a whole sequence must finish in a second or two.
SHORT_RUN = ["siatkaPraca.0=0", "siatkaPraca.1=1"]


def random_steps(rng):
    steps = list(SHORT_RUN) if rng.random() < 0.9 else []
    for _ in range(rng.randint(1, 12)):
        kind = rng.random()
        if kind < 0.55:
            steps.append(rng.choice(COMMANDS))
            if steps[-1] in ("Softstart1Click", "Synchroniz1Click", "ZabwAutom1Click", "Zwarcie1Click",
                             "Pracawsieci1Click", "ZrzutQ1Click", "TestPSS1Click"):
                steps.extend(SHORT_RUN)
        elif kind < 0.85:
            grid = rng.choice(list(GRIDS))
            column = rng.randrange(GRIDS[grid] + 1)
            steps.append(f"{grid}.{column}={rng.choice(CELL_TEXTS)}")
        elif kind < 0.93:
            steps += [rng.choice(["--tick", "--untick"]), str(rng.randint(1, 17))]
        else:
            grid = rng.choice(list(GRIDS))
            steps += ["--header", f"{grid}.{rng.randrange(GRIDS[grid])}={rng.choice(CELL_TEXTS)}"]
    if rng.random() < 0.7:
        steps.append("O1Click")
    return steps


def run(cli, steps, folder, picture):
    outputs = ["--results", os.path.join(folder, "results.csv"), "--chart", os.path.join(folder, "chart.csv")]
    if picture:
        outputs += ["--picture", os.path.join(folder, "chart.svg")]
    for grid in GRIDS:
        outputs += ["--grid", grid]
    done = subprocess.run([cli, *steps, *outputs, "--state"], capture_output=True, timeout=120)
    return done


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--pictures", type=int, default=20, help="sequences that also compare an SVG picture")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    differences = 0
    for n in range(args.count):
        steps = random_steps(rng)
        picture = n < args.pictures
        with tempfile.TemporaryDirectory() as old_dir, tempfile.TemporaryDirectory() as new_dir:
            old = run(args.old, steps, old_dir, picture)
            new = run(args.new, steps, new_dir, picture)
            problems = []
            for what in ("returncode", "stdout", "stderr"):
                if getattr(old, what) != getattr(new, what):
                    problems.append(what)
            for name in ("results.csv", "chart.csv", "chart.svg"):
                a, b = os.path.join(old_dir, name), os.path.join(new_dir, name)
                if os.path.exists(a) != os.path.exists(b) or (os.path.exists(a) and not filecmp.cmp(a, b, False)):
                    problems.append(name)
            if problems:
                differences += 1
                print(f"sequence {n}: {' '.join(steps)}\n  differs in: {', '.join(problems)}")
                if "stderr" in problems:
                    print(f"  old stderr: {old.stderr.decode(errors='replace').strip()}")
                    print(f"  new stderr: {new.stderr.decode(errors='replace').strip()}")
    print(f"{args.count} sequences, {differences} with differences")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
