#!/usr/bin/env python3
"""Checks that namen_pruefen.py finds exactly the names the sources lack."""
import pathlib
import subprocess
import sys
import tempfile

WERKZEUG = pathlib.Path(__file__).with_name("namen_pruefen.py")

# (text lines, source text, range or None, names expected missing)
FAELLE = [
    # A procedure defined, one missing; call parentheses are no part of the name.
    ("`Foo_Bar`() and `Baz_Quux()`\n", "void Foo_Bar() {}\n", None, ["Baz_Quux"]),
    # A whole-word match only: a longer name does not define a shorter one.
    ("`Menue_Zeichnen`\n", "void Menue_Zeichnen_Alt();\n", None, ["Menue_Zeichnen"]),
    # Values, short words, field names and expressions are not names.
    ("`65535` `x` `spieler` `a + b` `Spieler_Wert 97`\n", "", None, []),
    # Array brackets dropped; a name found in a header counts.
    ("`Tabelle[3]`\n", "extern int Tabelle[10];\n", None, []),
    # Only the given line range is read.
    ("`Eins_A`\n`Zwei_B`\n`Drei_C`\n", "", (2, 2), ["Zwei_B"]),
    # Each missing name once, in the order of its first line.
    ("`Z_Spaeter` `A_Frueher`\n`Z_Spaeter`\n", "", None, ["Z_Spaeter", "A_Frueher"]),
]


def pruefen(text, quelle, bereich):
    with tempfile.TemporaryDirectory() as wurzel:
        doc = pathlib.Path(wurzel, "text.md")
        doc.write_text(text, encoding="utf-8")
        src = pathlib.Path(wurzel, "src", "a")
        src.mkdir(parents=True)
        (src / "a.h").write_text(quelle, encoding="utf-8")
        argumente = [sys.executable, str(WERKZEUG), str(doc), "--src", str(pathlib.Path(wurzel, "src"))]
        if bereich:
            argumente[3:3] = [str(bereich[0]), str(bereich[1])]
        r = subprocess.run(argumente, capture_output=True, text=True)
        return r.returncode, [zeile.split("\t")[1] for zeile in r.stdout.splitlines()]


def main():
    fehler = 0
    for text, quelle, bereich, erwartet in FAELLE:
        code, fehlend = pruefen(text, quelle, bereich)
        if fehlend != erwartet or code != (1 if erwartet else 0):
            fehler += 1
            print(f"FEHLER: {text!r}: Code {code}, fehlend {fehlend}, erwartet {erwartet}")
    print(f"{len(FAELLE) - fehler} von {len(FAELLE)} Faellen richtig")
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
