#!/usr/bin/env python3
"""The test share: non-blank, non-comment lines of tests/ against those of
src/ + tools/ + bench/ + fuzz/. C and C++ files lose // and /* */ comments,
CMake, shell and Python files their # lines. Per folder with --folders.

    scripts/test-share.py [--folders] [root]
"""
import os
import sys

C_ENDUNGEN = ('.cpp', '.h', '.hpp', '.c', '.cc', '.inc')
RAUTE_ENDUNGEN = ('.cmake', '.sh', '.py')
CODE = ('src', 'tools', 'bench', 'fuzz')


def c_zeilen(text):
    """Non-blank lines of C++ text without its comments (strings kept)."""
    aus, i, n, zeichen = [], 0, len(text), None
    while i < n:
        c = text[i]
        if zeichen:
            aus.append(c)
            if c == '\\' and i + 1 < n:
                aus.append(text[i + 1])
                i += 2
                continue
            if c == zeichen or c == '\n':
                zeichen = None
        elif c in '"\'':
            zeichen = c
            aus.append(c)
        elif text.startswith('//', i):
            j = text.find('\n', i)
            i = n if j < 0 else j
            continue
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            ende = n if j < 0 else j + 2
            aus.append('\n' * text.count('\n', i, ende))
            i = ende
            continue
        else:
            aus.append(c)
        i += 1
    return sum(1 for z in ''.join(aus).split('\n') if z.strip())


def zeilen(pfad):
    name = os.path.basename(pfad)
    if not (name.endswith(C_ENDUNGEN + RAUTE_ENDUNGEN) or name == 'CMakeLists.txt'):
        return None
    with open(pfad, encoding='utf-8', errors='replace') as f:
        text = f.read()
    if name.endswith(C_ENDUNGEN):
        return c_zeilen(text)
    return sum(1 for z in text.split('\n') if z.strip() and not z.strip().startswith('#'))


def baum(wurzel, ordner):
    summe, je_ordner = 0, {}
    basis = os.path.join(wurzel, ordner)
    for pfad, _, dateien in os.walk(basis):
        for d in dateien:
            n = zeilen(os.path.join(pfad, d))
            if n is None:
                continue
            summe += n
            teil = os.path.relpath(pfad, basis).split(os.sep)[0]
            je_ordner[teil] = je_ordner.get(teil, 0) + n
    return summe, je_ordner


def main():
    if any(a in ('-h', '--help') for a in sys.argv[1:]):
        print(__doc__.strip())
        return 0
    args = [a for a in sys.argv[1:] if a != '--folders']
    falsch = [a for a in args if a.startswith('-')]
    if falsch or len(args) > 1:
        print(f'test-share: unbekanntes Argument {(falsch or args[1:])[0]!r} (Hilfe: -h)', file=sys.stderr)
        return 2
    wurzel = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    if not os.path.isdir(wurzel):
        print(f'test-share: {wurzel!r} ist kein Ordner', file=sys.stderr)
        return 2
    tests, je_ordner = baum(wurzel, 'tests')
    code = sum(baum(wurzel, o)[0] for o in CODE)
    if code == 0:
        print(f'test-share: in {wurzel!r} liegt kein Code (src, tools, bench, fuzz)', file=sys.stderr)
        return 2
    if '--folders' in sys.argv:
        for teil in sorted(je_ordner):
            print(f'tests/{teil}: {je_ordner[teil]}')
    print(f'tests {tests}, code {code}, share {100.0 * tests / code:.2f} %')
    return 0


if __name__ == '__main__':
    sys.exit(main())
