#!/usr/bin/env python3
"""Which names a design text asks for are missing from the sources.

Usage: namen_pruefen.py TEXT [ERSTE_ZEILE LETZTE_ZEILE] [--src DIR]

Every name in backticks in the given lines of TEXT (a Markdown file) that
looks like a C++ identifier is looked for in the sources under DIR (src/ by
default): a name counts as defined when it stands as a whole word in a
source file there. Names with a call's parentheses or an array's brackets
("Foo()", "Bar[3]") are taken without them. Prints the missing names, one a
line, each with the line of TEXT it first stands in; exits 1 when any is
missing.
"""
import argparse
import pathlib
import re
import sys

NAME = re.compile(r"^[A-Za-z_][A-Za-z0-9_]*$")
BACKTICK = re.compile(r"`([^`\n]+)`")


def namen(zeilen):
    """The identifier-like names in backticks, each with the line it first stands in."""
    gefunden = {}
    for nummer, zeile in zeilen:
        for roh in BACKTICK.findall(zeile):
            name = re.sub(r"(\(.*\)|\[.*\])$", "", roh.strip())
            # Digits alone, single letters and all-lowercase words are values
            # or field names, not procedures.
            if not NAME.match(name) or len(name) < 3 or name.islower():
                continue
            gefunden.setdefault(name, nummer)
    return gefunden


def woerter(src):
    """Every identifier in the sources under `src`."""
    alle = set()
    for datei in pathlib.Path(src).rglob("*"):
        if datei.suffix in (".cpp", ".h", ".hpp", ".cc", ".inc"):
            alle.update(re.findall(r"[A-Za-z_][A-Za-z0-9_]*", datei.read_text(errors="replace")))
    return alle


def main(argv=None):
    p = argparse.ArgumentParser()
    p.add_argument("text")
    p.add_argument("bereich", nargs="*", type=int)
    p.add_argument("--src", default="src")
    a = p.parse_args(argv)
    zeilen = list(enumerate(pathlib.Path(a.text).read_text(errors="replace").splitlines(), 1))
    if len(a.bereich) == 2:
        zeilen = [z for z in zeilen if a.bereich[0] <= z[0] <= a.bereich[1]]
    elif a.bereich:
        p.error("a range is two line numbers")
    gesucht = namen(zeilen)
    vorhanden = woerter(a.src)
    fehlend = sorted((n for n in gesucht if n not in vorhanden), key=lambda n: gesucht[n])
    for n in fehlend:
        print(f"{gesucht[n]}\t{n}")
    print(f"{len(gesucht) - len(fehlend)} of {len(gesucht)} names found, {len(fehlend)} missing", file=sys.stderr)
    return 1 if fehlend else 0


if __name__ == "__main__":
    sys.exit(main())
