#!/usr/bin/env python3
"""Prints the tables of standard parameters of the built-in generator sets that docs/model.md
shows, one per rotor model, from `tgsim-cli --standard-parameters`:

    standard_parameter_tables.py [CLI]      (default build/release/app/tgsim-cli)

Each cell is the value to four significant digits and, where the set types a catalogue value,
the ratio to it to three decimals. Set 5 has no rotor circuits and is left out.
"""
import csv
import os
import subprocess
import sys
import tempfile

SETS = [1, 2, 3, 4, 6]
MODELS = [("Klasyczny", "classical"), ("Canaya", "Canay")]


def table(cli, generator, model):
    with tempfile.TemporaryDirectory() as folder:
        name = os.path.join(folder, "standard.csv")
        subprocess.run([cli, "--generator", str(generator), "--model", model, "--standard-parameters", name],
                       check=True)
        with open(name, newline="") as f:
            return list(csv.DictReader(f))


def cell(row):
    text = "%.4g" % float(row["value"]) if row["value"] else ""
    return text + (" (%.3f)" % float(row["ratio"]) if row["ratio"] else "")


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/release/app/tgsim-cli"
    for model, title in MODELS:
        tables = [table(cli, generator, model) for generator in SETS]
        print("%s model:\n" % title)
        print("| | unit | " + " | ".join("set %d" % s for s in SETS) + " |")
        print("|---|---|" + "---|" * len(SETS))
        for index, first in enumerate(tables[0]):
            cells = [cell(t[index]) for t in tables]
            print("| `%s` | %s | %s |" % (first["name"], first["unit"], " | ".join(cells)))
        print()


if __name__ == "__main__":
    main()
