#!/usr/bin/env python3
"""Checks that namen_pruefen.py finds exactly the names the sources lack."""
import pathlib
import subprocess
import sys
import tempfile

WERKZEUG = pathlib.Path(__file__).with_name("namen_pruefen.py")

# (text lines, source text, range or None, names expected missing[, mapping
# file text, exit code expected])
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
    # A name built under one of our own counts when our name is in the mapped file.
    ("`Foo_Alt`\n", "void foo_neu();\n", None, [], "Foo_Alt src/a/a.h foo_neu\n", 0),
    # ... and is missing when the file lacks it (a longer word is no match).
    ("`Foo_Alt`\n", "void foo_neu2();\n", None, ["Foo_Alt"], "Foo_Alt src/a/a.h foo_neu\n", 1),
    # ... or when the mapped file does not exist.
    ("`Foo_Alt`\n", "void foo_neu();\n", None, ["Foo_Alt"], "Foo_Alt src/a/b.h foo_neu\n", 1),
    # A name marked as not built is listed, with its reason, but does not fail.
    ("`Foo_Alt` `Bar_X`\n", "int Bar_X;\n", None, ["Foo_Alt"], "# note\nFoo_Alt - - nothing to draw\n", 0),
    # A bad mapping file is refused: a short line, a half "-", a name twice.
    ("`Foo_Alt`\n", "", None, [], "Foo_Alt src/a/a.h\n", 2),
    ("`Foo_Alt`\n", "", None, [], "Foo_Alt - foo\n", 2),
    ("`Foo_Alt`\n", "", None, [], "Foo_Alt - -\nFoo_Alt - -\n", 2),
]


def pruefen(text, quelle, bereich, zuordnung=None, extra=()):
    with tempfile.TemporaryDirectory() as wurzel:
        doc = pathlib.Path(wurzel, "text.md")
        doc.write_text(text, encoding="utf-8")
        src = pathlib.Path(wurzel, "src", "a")
        src.mkdir(parents=True)
        (src / "a.h").write_text(quelle, encoding="utf-8")
        argumente = [sys.executable, str(WERKZEUG), str(doc), "--src", str(pathlib.Path(wurzel, "src"))]
        if bereich:
            argumente[3:3] = [str(bereich[0]), str(bereich[1])]
        if zuordnung is not None:
            pathlib.Path(wurzel, "z.txt").write_text(zuordnung, encoding="utf-8")
            argumente += ["--zuordnung", str(pathlib.Path(wurzel, "z.txt"))]
        r = subprocess.run(argumente + list(extra), capture_output=True, text=True)
        if extra:
            return r.returncode, r.stdout.splitlines()
        return r.returncode, [zeile.split("\t")[1] for zeile in r.stdout.splitlines()]


def pruefen_orte(text):
    with tempfile.TemporaryDirectory() as wurzel:
        doc = pathlib.Path(wurzel, "text.md")
        doc.write_text(text, encoding="utf-8")
        for datei, inhalt in (("screens/x.cpp", "void Eins_A(); void Zwei_B();"), ("welt/w.cpp", "Drei_C x; Eins_A y; Fuenf_E z;"),
                              ("welt/v.cpp", "int Drei_C; int Zwei_B;"), ("screens/y.cpp", "int neu_d;"),
                              ("welt/u.cpp", "int Vier_D;")):
            pfad = pathlib.Path(wurzel, "src", datei)
            pfad.parent.mkdir(parents=True, exist_ok=True)
            pfad.write_text(inhalt, encoding="utf-8")
        pathlib.Path(wurzel, "z.txt").write_text("Vier_D src/screens/y.cpp neu_d\n", encoding="utf-8")
        r = subprocess.run([sys.executable, str(WERKZEUG), str(doc), "--src", str(pathlib.Path(wurzel, "src")),
                            "--zuordnung", str(pathlib.Path(wurzel, "z.txt")), "--orte"], capture_output=True, text=True)
        return r.returncode, r.stdout.splitlines()


def main():
    fehler = 0
    for fall in FAELLE:
        text, quelle, bereich, erwartet = fall[:4]
        zuordnung, soll = fall[4:] if len(fall) > 4 else (None, 1 if erwartet else 0)
        code, fehlend = pruefen(text, quelle, bereich, zuordnung)
        if fehlend != erwartet or code != soll:
            fehler += 1
            print(f"FEHLER: {text!r}: Code {code}, fehlend {fehlend}, erwartet {erwartet}")
    # The homes of each heading's names: the screens' file first, a mapped
    # name at its mapped file, a file with one stray name not counted.
    text = "# Teil: Erster Screen\n`Eins_A` `Zwei_B` `Drei_C` `Fuenf_E`\n# Teil: Zweiter\n`Vier_D`\n"
    code, zeilen = pruefen_orte(text)
    erwartet = ["Erster Screen: src/screens/x.cpp, src/welt/w.cpp", "Zweiter: src/screens/y.cpp"]
    if code != 0 or zeilen != erwartet:
        fehler += 1
        print(f"FEHLER: Orte: Code {code}, {zeilen}, erwartet {erwartet}")
    print(f"{len(FAELLE) + 1 - fehler} von {len(FAELLE) + 1} Faellen richtig")
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
