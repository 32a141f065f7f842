#!/usr/bin/env python3
"""The tree's wiring rules, checked on the sources (run by ctest as main_regeln).

1. The role of the machine is asked only through the call layer: no
   comparison of Internet_Modus outside src/base/ruf.h.
2. Hook tables are installed only by the program's start-up code in
   src/main: no `<Name>_Set_Hooks(...)` call and no assignment to an entry
   of a global hook table elsewhere in src/ (tests install fakes).
3. Every entry of a hook table (a struct named *_Hooks or *_Hook_Tabelle)
   has its default in the declaration.
4. No loose function pointer stands beside the tables: no global variable
   of a function-pointer type (`extern void (*Name)(...)`).
5. Randomness comes from the two generators of src/base/random.*: the
   shared table for the game, the decoration generator for looks. No other
   generator (the C library's rand, <random>'s engines) anywhere in src/.
6. Records are read and written through their types (base/bytes.h), not by
   offset: outside the framing code (src/base, src/net, src/jpeg) no
   little-endian read or write at a pointer plus a literal offset
   (`get_u32le(p + 4)`, `put_i16le(p + 2, v)`) and no memcpy to or from a
   pointer plus a literal offset (`memcpy(z.name, p + 2, 25)`).
7. What a club is, the world says once (Team_Ist_Verein): the club kind bit
   TEAM_ART_VEREIN is not named outside src/world.
8. Screens draw their texts through the widget kit (src/gui/kit.h): no
   Font_Printf, Font_Printf_Glatt, Font_Printf_Alpha or Font_Markup_Ausgabe
   in src/screens, and every file there that defines a screen (a
   `Screen_Def Name()`) draws text with a Kit_ call.
9. Colours by their palette names: no 565 colour written as a number in
   src/screens (a u16 or a FARBE_ name given a literal of 256 or more, or a
   number as the colour of a Kit_ text).
10. An icon is told apart by its user words or its procedures, never by its
   number: no comparison or subtraction of an icon's `nummer` with an icon
   constant (ICON_..., the demo's I_...), nor of a local `n` copied from an
   icon `i`, in src/screens and src/gui (the menu engine, the main menu,
   the requester, the demo, the match control bar).
11. Fonts by name (Kit_Font and Kit_Schrift): no FONT_ constant defined and
   no Font_Tabelle_Holen in src/screens.
12. Each hook table is built whole and installed once: in the program's
   start-up code (the files of src/main; the intro program in
   src/main/intro/ is a program of its own) every `<Name>_Set_Hooks(...)`
   is called in one place only, and no installed
   table is copied back there (`Name_Hooks h = Name_Get_Hooks();`) to be
   changed and installed again (reading an entry to call it is fine). A
   global hook table is a const reference to the installed one (`extern const Name_Hooks& Name;`).
13. Every program links every layer: no `#if KORDAVO_HAT_<LAYER>` in src/.
14. The world's records are written through the world: outside src/world no
   field of a record array (Team_Daten, Team_Own_Daten, Team_Fix_Daten,
   Spieler_Daten, Spieler_Fix_Daten) is assigned, and no writable reference
   to one of their records is taken.
15. A picture a screen or the menu engine makes or loads has an owner
   (Rastport_Bild): no Rastport_Free in src/screens and src/gui; the picture
   goes with its owner.
16. A screen's file stays readable: no file of src/screens holds more than
   SCREEN_ZEILEN_MAX lines; a bigger one is split along what the player
   sees (list, card, dialogue), its shared parts in a header beside it.
17. A screen opens another by its id (Screen_Oeffnen, Screen_Oeffnen_Fuer,
   the launch table): the procedure a screen's record names to open it
   (`.oeffnen = Name`, or a `..._Init` / `..._Oeffnen` its `.oeffnen` or
   `.oeffnen_fuer` calls) is named in no other source file of src/screens
   and src/gui, neither called nor handed on as a procedure. The program's
   start-up code (src/main) opens screens by id too: it names no screen's
   opener either (a hook entry of the same name, `.Name = ...`, is no call).
18. Screens build their icon tables with the widget kit's builders (rows and
   tables of n rows, steppers, panels, picture buttons of a group's shape:
   Kit_Zeilen, Kit_Stepperknopf, Kit_Panel_Icon, Kit_Bildknopf) or write an
   entry out: no function in src/screens or in the gui's own screens (the
   main menu, the requester, the match control bar, the demo) returns a
   Screen_Icon, a Kit_..._Def or an array of icons (a screen's own row,
   stepper, panel or button builder), and no table is made from an index
   sequence. A table built from a shared row is the kit's own: a function
   whose whole body returns one call of a kit builder (`constexpr auto
   spalte(i32 c) { return Kit_Zeilen<11>({...c...}, {...}); }`) may stand;
   one of deduced type that makes icons any other way may not.
19. The menu engine's own state stays its own: gui/menue_intern.h is
   included only by the engine's files (src/gui/menue*.cpp); everyone else
   goes through gui/menue.h.
20. Calls inside one library are direct: no file of a library calls an
   entry of its own library's global hook table that bears the name of a
   procedure defined in that library (`Season_Module.News_Pruefen(t)` in
   src/season, where src/season defines News_Pruefen).
21. Nothing stray at the root: no PNG in the source folder's top level and
   no folder screens/ beside src/ (pictures tests leave for a look go to
   the build folder).
22. Every procedure has a caller: a function defined in a source file of
   src/ is named somewhere besides its own definitions and declarations
   (in src/, tests/, bench/, tools/ or fuzz/), or the comment line right
   above its definition or declaration begins with KEIN_AUFRUFER and says
   why it stays.
23. Modes and booking kinds by name: no Spieler_Wert, Team_Wert or
   Manager_Wert called with a bare mode number (world/modi.h names them),
   and no Bank_Buchen with a bare number as its booking kind (world/bank.h
   names them).
24. The program's start-up code is compiled once, in its library
   (kordavo_programm): no CMakeLists.txt outside src/ (tests, tools,
   benchmarks, fuzz targets, cmake) names a source file of src/main
   (`src/main/registrierung.cpp`); the programs link the library instead.
25. The architecture notes list every hook table as it is: the section
   "Hook tables and where they are installed" of docs/ARCHITECTURE.md
   names every table of src/ (a struct *_Hooks or *_Hook_Tabelle) with its
   header and every entry of it, and no entry the table lacks; an entry
   listed as "default kept" says so in the comment line above its
   declaration, and one listed as installed in (or built by) a file names
   the entry there (`.name`). (Checked when the notes are there.)
26. A table's columns are declared once: no file of src/screens writes a
   tab stop by hand (`^tl0124`, `^tz%04d`, `^tr0735` in a string); its
   columns are Kit_Spalte tables drawn with Kit_Tabelle_Kopf_Printf,
   Kit_Tabelle_Zeile_Printf and Kit_Tabelle_Zelle_Printf, a text at a
   place of its line is Kit_Printf_Stelle, a stop inside a text built in
   pieces Kit_Einzug_Bei, a line kept to be drawn later
   Kit_Tabelle_Zeile_Setzen.
27. Every widget of the kit serves a screen: each function src/gui/kit.h
   declares is named somewhere in src/ outside the kit's own two files
   (src/gui/kit.h, src/gui/kit.cpp), or the kit names it outside its own
   declarations and definitions (a helper of another widget). A widget only
   its tests draw is dead code and goes with its tests.

Usage: regeln.py <source folder>. Prints each breach as file:line: text and
exits 1 when there is one, 2 on bad arguments.
"""
import pathlib
import re
import sys

ROLLE = re.compile(r"\bInternet_Modus\s*[!=]=|[!=]=\s*Internet_Modus\b|switch\s*\(\s*Internet_Modus\b")
SET_AUFRUF = re.compile(r"\b\w+_Set_Hooks\s*\(")
SET_DEKLARATION = re.compile(r"^\s*(void|inline void)\s+\w+_Set_Hooks\s*\(")
TABELLE_STRUCT = re.compile(r"\bstruct\s+(\w+_Hooks|\w+_Hook_Tabelle)\s*\{")
EINTRAG = re.compile(r"\(\s*\*\s*(\w+)\s*\)\s*\(")
FREMDER_ZUFALL = re.compile(r"\b(std::)?(s?rand|rand_r|drand48|random)\s*\(|\b(mt19937(_64)?|minstd_rand0?|random_device|default_random_engine|ranlux\w*|knuth_b)\b")
OFFSET_ZUGRIFF = re.compile(
    r"\b(get|put)_[iu](16|32|64)le\s*\([^;()]*\+\s*\d+\s*[,)]"
    r"|\bmemcpy\s*\([^;]*,\s*[^,;()]*\+\s*\d+\s*,|\bmemcpy\s*\(\s*[^,;()]*\+\s*\d+\s*,")
RAHMEN = ("src/base/", "src/net/", "src/jpeg/")
VEREIN_BIT = re.compile(r"\bTEAM_ART_VEREIN\b")
GET_AUFRUF = re.compile(r"(?<!const )\b\w+_(?:Hooks|Hook_Tabelle)\s+\w+\s*=\s*\w+_Get_Hooks\s*\(\s*\)")
GLOBALE_TABELLE = re.compile(r"^\s*extern\s+(?!const\b)(\w+_Hooks|\w+_Hook_Tabelle)\s*&?\s*\w+\s*;", re.M)
SCHICHT_SCHALTER = re.compile(r"^\s*#\s*(el)?if\b[^\n]*\bKORDAVO_HAT_", re.M)
WELT_SATZ = r"\b(?:Team_Daten|Team_Own_Daten|Team_Fix_Daten|Spieler_Daten|Spieler_Fix_Daten)\s*\["
WELT_SCHREIBEN = re.compile(
    WELT_SATZ + r"[^;{}]*?\]\s*\.\s*\w+(?:\s*\[[^;\]]*\])*(?:\s*\.\s*\w+)?\s*(?:[-+*/|&^]?=(?!=)|\+\+|--)"
    r"|(?<![\w:])(?<!const )(?:Spieler_Struktur|Team_Struktur|Team_Own|Team_Fix|Spieler_Fix|auto)\s*&\s*\w+\s*=\s*" + WELT_SATZ)
LOSER_ZEIGER = re.compile(r"^\s*extern\s[^;]*\(\s*\*\s*\w+\s*\)\s*\(", re.M)
FONT_AUSGABE = re.compile(r"\b(Font_Printf|Font_Printf_Glatt|Font_Printf_Alpha|Font_Markup_Ausgabe)\s*\(")
SCREEN_DEF = re.compile(r"^Screen_Def\s+\w+\s*\(\s*\)\s*\{", re.M)
KIT_TEXT = re.compile(r"\bKit_(Text\w*|Printf\w*|Knopf|Panel_Titel|Tabelle_\w+|Reiter|Stepper)\s*\(")
ZAHL_565 = r"(0[xX][0-9A-Fa-f]{3,4}|[1-9][0-9]{3,4})\b"
ROHE_FARBE = re.compile(
    r"\bu16\b[^;(){}]*?=\s*\{?[^;]*?\b" + ZAHL_565
    + r"|\bFARBE_\w+\s*=\s*" + ZAHL_565
    + r"|\bKit_(Text\w*|Printf\w*)\s*\([^,;]+,[^,;]+,\s*" + ZAHL_565)
ICON_NUMMER = re.compile(
    r"(->|\.)nummer\s*(==|!=|<=|>=|<(?!<)|>(?!>)|-(?![->]))\s*\(?\s*(ICON_|I_[A-Z])"
    r"|\b(ICON_|I_[A-Z])\w*(\s*[-+]\s*\w+)?\s*(==|!=|<=|>=|<|>)\s*\w+(->|\.)nummer\b"
    r"|\bn\s*=\s*(i|icon)->nummer\s*;")
SCREEN_ZEILEN_MAX = 650
BILD_FREI = re.compile(r"\bRastport_Free\s*\(")
EIGENER_BAUER = re.compile(
    r"^[ \t]*(?:static\s+)?(?:(?:constexpr|consteval|inline)\s+)*"
    r"(?:Screen_Icon|Kit_\w+_Def|std::array\s*<\s*Screen_Icon\b[^>]*>)\s+\w+\s*\([^;{]*\)\s*\{"
    r"|^[ \t]*(?:static\s+)?(?:(?:constexpr|consteval|inline)\s+)*auto\s+\w+\s*\(\s*std::index_sequence", re.M)
AUTO_FUNKTION = re.compile(
    r"^[ \t]*(?:static\s+)?(?:(?:constexpr|consteval|inline)\s+)*auto\s+\w+\s*\((?!\s*std::index_sequence)[^;{]*\)\s*\{", re.M)
NUR_KIT_BAUER = re.compile(r"\s*return\s+Kit_\w+\s*(?:<[^;{}]*?>)?\s*\([^;]*\)\s*;\s*", re.S)
OEFFNER_FELD = re.compile(r"\.(oeffnen|oeffnen_fuer)\s*=\s*")
OEFFNER_AUFRUF = re.compile(r"\b([A-Z]\w*_(?:Init|Oeffnen))\s*\(")
MAIN_QUELLE = re.compile(r"\bsrc/main/\w+\.cpp\b")
CMAKE_ORDNER = ("tests", "tools", "bench", "fuzz", "cmake")
MENUE_INTERN = re.compile(r'^\s*#\s*include\s*"gui/menue_intern\.h"', re.M)
MENUE_DATEI = re.compile(r"^src/gui/menue\w*\.cpp$")
GUI_SCREENS = re.compile(r"^src/gui/(hauptmenue\w*|requester|kontrollleiste|demo)\.cpp$")
FONT_NUMMER = re.compile(r"\bFONT_[A-Z0-9_]+\s*=(?!=)|\bFont_Tabelle_Holen\s*\(")
TABELLEN_ORT = re.compile(r"\bextern\s+(?:const\s+)?(?:\w+_Hooks|\w+_Hook_Tabelle)\s*&?\s*(\w+)\s*;")
FUNKTION_DEF = re.compile(
    r"^(?:[\w:<>\*&,]+[ \t]+)+\**&?([A-Z][A-Za-z0-9]*_\w+)\s*\([^;{}]*\)\s*(?:const\s*)?(?:noexcept\s*)?\{", re.M)
VORSPANN = re.compile(r"^\s*(?!return\b|else\b|case\b)(?:[\w:<>\*&,]+[ \t]+)+\**&?$")
KEIN_AUFRUFER = "// KEIN_AUFRUFER"
KIT_KOPF = "src/gui/kit.h"
KIT_DATEIEN = (KIT_KOPF, "src/gui/kit.cpp")
KIT_FUNKTION = re.compile(r"^[ \t]*(?!return\b|else\b|case\b)(?:[\w:<>\*&,]+[ \t]+)+\**&?(Kit_\w+)\s*\(", re.M)
KIT_NAME = re.compile(r"\bKit_\w+\b")
NEBENORDNER = ("tests", "bench", "tools", "fuzz")
NACKTER_MODUS = re.compile(r"\b(Spieler_Wert|Team_Wert|Manager_Wert)\s*\(\s*\d+\s*,")
BUCHUNG = re.compile(r"\bBank_Buchen\s*\(")
HANDSTOPP = re.compile(r"\^t[lzr](?:\d{4}|%0?4d)")
NOTIZEN = "docs/ARCHITECTURE.md"
NOTIZEN_ABSCHNITT = "## Hook tables and where they are installed"
NOTIZEN_TABELLE = re.compile(r"^#### (\w+) \((src/[\w/]+\.h)\b")
NOTIZEN_EINTRAG = re.compile(r"^- ((?:`\w+`(?:, )?)+): (.*)")


def ohne_kommentare(text):
    """The text with // and /* */ comments blanked (line numbers kept)."""
    text = re.sub(r"/\*.*?\*/", lambda m: re.sub(r"[^\n]", " ", m.group(0)), text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def zeile(text, pos):
    return text.count("\n", 0, pos) + 1


def tabellen(quellen):
    """Names of the global hook tables: `extern <Struct> Name;` of a hook struct."""
    namen = set()
    for p, text in quellen:
        for m in re.finditer(r"\bextern\s+(?:const\s+)?(\w+_Hooks|\w+_Hook_Tabelle)\s*&?\s*(\w+)\s*;", text):
            namen.add(m.group(2))
    return namen


def eintraege_ohne_standard(text):
    """(position, name) of each function-pointer entry of a hook struct without `=`."""
    for m in TABELLE_STRUCT.finditer(text):
        tiefe, i = 1, m.end()
        while i < len(text) and tiefe:
            tiefe += {"{": 1, "}": -1}.get(text[i], 0)
            i += 1
        koerper_anfang, koerper_ende = m.end(), i - 1
        for e in EINTRAG.finditer(text, koerper_anfang, koerper_ende):
            # Only entries at the struct's own level (not inside a default's body).
            if text.count("{", koerper_anfang, e.start()) != text.count("}", koerper_anfang, e.start()):
                continue
            # The declarator's parameter list, then what follows it.
            tiefe, j = 1, e.end()
            while j < koerper_ende and tiefe:
                tiefe += {"(": 1, ")": -1}.get(text[j], 0)
                j += 1
            rest = text[j:koerper_ende].lstrip()
            if not rest.startswith("="):
                yield e.start(), e.group(1)


def tabellen_eintraege(quellen):
    """{table: (header, [entries at the struct's own level])} of every hook struct of src/."""
    aus = {}
    for p, text in quellen:
        for m in TABELLE_STRUCT.finditer(text):
            ende = koerper(text, m.end() - 1)
            namen = []
            for e in EINTRAG.finditer(text, m.end(), ende - 1):
                if text.count("{", m.end(), e.start()) == text.count("}", m.end(), e.start()):
                    namen.append(e.group(1))
            aus[m.group(1)] = (p, namen)
    return aus


def notizen_tabellen(wurzel, quellen, roh):
    """Breaches of rule 25: (where, text) for the hook tables' list of the architecture notes."""
    notizen = wurzel / NOTIZEN
    if not notizen.is_file():
        return
    text = notizen.read_text(encoding="utf-8")
    anfang = text.find(NOTIZEN_ABSCHNITT)
    if anfang < 0:
        yield f"{NOTIZEN}:1", f"Abschnitt '{NOTIZEN_ABSCHNITT}' fehlt"
        return
    ende = text.find("\n## ", anfang + 1)
    ende = len(text) if ende < 0 else ende
    gelistet = {}
    tabelle = None
    for i, z in enumerate(text[anfang:ende].split("\n")):
        nummer = zeile(text, anfang) + i
        m = NOTIZEN_TABELLE.match(z)
        if m:
            tabelle = m.group(1)
            gelistet[tabelle] = (nummer, m.group(2), [])
            continue
        m = NOTIZEN_EINTRAG.match(z)
        if m and tabelle:
            for name in re.findall(r"`(\w+)`", m.group(1)):
                gelistet[tabelle][2].append((nummer, name, m.group(2)))
    code = tabellen_eintraege(quellen)
    for name, (kopf, eintraege) in sorted(code.items()):
        if name not in gelistet:
            yield f"{kopf}:1", f"Hook-Tabelle {name} fehlt in {NOTIZEN}"
            continue
        nummer, kopf_notiz, liste = gelistet[name]
        if kopf_notiz != kopf:
            yield f"{NOTIZEN}:{nummer}", f"Hook-Tabelle {name} steht in {kopf}, nicht in {kopf_notiz}"
        namen_notiz = [n for _, n, _ in liste]
        for e in eintraege:
            if e not in namen_notiz:
                yield f"{NOTIZEN}:{nummer}", f"Hook-Eintrag {name}.{e} fehlt in {NOTIZEN}"
        deklaration = roh.get(kopf, "")
        for z_nr, e, wie in liste:
            if e not in eintraege:
                yield f"{NOTIZEN}:{z_nr}", f"Hook-Eintrag {name}.{e} steht in {NOTIZEN}, aber nicht in {kopf}"
                continue
            if wie.startswith("default kept"):
                m = re.search(r"\n([^\n]*)\n[^\n]*\(\s*\*\s*%s\s*\)\s*\(" % e, deklaration)
                if not m or "default kept" not in m.group(1):
                    yield f"{NOTIZEN}:{z_nr}", f"Hook-Eintrag {name}.{e}: 'default kept' ohne Kommentar in {kopf}"
                continue
            orte = re.findall(r"\bsrc/[\w/]+\.cpp\b", wie)
            if orte and not any(re.search(r"\.\s*%s\b" % e, roh.get(o, "")) for o in orte):
                yield f"{NOTIZEN}:{z_nr}", f"Hook-Eintrag {name}.{e} wird in {', '.join(orte)} nicht gesetzt"
    for name, (nummer, _, _) in sorted(gelistet.items()):
        if name not in code:
            yield f"{NOTIZEN}:{nummer}", f"Hook-Tabelle {name} steht in {NOTIZEN}, aber nicht in src/"


def koerper(text, anfang):
    """End of the braced block that opens at or after `anfang`."""
    i = text.index("{", anfang) + 1
    tiefe = 1
    while i < len(text) and tiefe:
        tiefe += {"{": 1, "}": -1}.get(text[i], 0)
        i += 1
    return i


def oeffner(quellen):
    """{procedure: file of the screen record} of every screen record's opener."""
    namen = {}
    for p, text in quellen:
        if not p.startswith("src/screens/"):
            continue
        for m in SCREEN_DEF.finditer(text):
            ende = koerper(text, m.start())
            for f in OEFFNER_FELD.finditer(text, m.end(), ende):
                rest = text[f.end():ende]
                name = re.match(r"\w+", rest)
                if name and not rest.startswith("["):
                    namen[name.group(0)] = p
                    continue
                # A lambda: the openers it calls, up to the end of its body.
                lambda_ende = koerper(text, f.end())
                for a in OEFFNER_AUFRUF.finditer(text, f.end(), lambda_ende):
                    namen[a.group(1)] = p
    return namen


def bibliothek(p):
    """The library folder of a source path (src/<name>/...), or None."""
    teile = p.split("/")
    return teile[1] if len(teile) > 2 and teile[0] == "src" else None


def eigene_tabellen_aufrufe(quellen):
    """(file, position, table, entry) of each call of an entry of the file's own
    library's global hook table that names a procedure of that library."""
    ort = {}
    for p, text in quellen:
        for m in TABELLEN_ORT.finditer(text):
            ort[m.group(1)] = bibliothek(p)
    definiert = {}
    for p, text in quellen:
        if p.endswith(".cpp"):
            for m in FUNKTION_DEF.finditer(text):
                definiert.setdefault(bibliothek(p), set()).add(m.group(1))
    if not ort:
        return
    aufruf = re.compile(r"\b(%s)\s*\.\s*(\w+)\s*\(" % "|".join(sorted(ort)))
    for p, text in quellen:
        b = bibliothek(p)
        for m in aufruf.finditer(text):
            if ort[m.group(1)] == b and m.group(2) in definiert.get(b, ()):
                yield p, m.start(), m.group(1), m.group(2)


def ohne_aufrufer(wurzel, quellen, roh):
    """(file, position, name) of each function of src/ named nowhere but in its
    own definitions and declarations, unless marked KEIN_AUFRUFER."""
    orte = {}
    for p, text in quellen:
        if p.endswith(".cpp"):
            for m in FUNKTION_DEF.finditer(text):
                orte.setdefault(m.group(1), (p, m.start(1)))
    if not orte:
        return
    texte = list(quellen)
    for ordner in NEBENORDNER:
        for q in sorted((wurzel / ordner).rglob("*")):
            if q.suffix in (".h", ".cpp", ".py", ".sh", ".txt"):
                texte.append((q.relative_to(wurzel).as_posix(), ohne_kommentare(q.read_text(encoding="utf-8", errors="replace"))))
    genutzt = set()
    markiert = set()
    wort = re.compile(r"\b[A-Z][A-Za-z0-9]*_\w+\b")
    for p, text in texte:
        zeilen = text.split("\n")
        roh_zeilen = roh.get(p, "").split("\n")
        for nr, z in enumerate(zeilen):
            for m in wort.finditer(z):
                name = m.group(0)
                if name not in orte or name in genutzt:
                    continue
                if p.startswith("src/") and VORSPANN.match(z[:m.start()]) and z[m.end():].lstrip().startswith("("):
                    # A definition or declaration: marked when its comment says why.
                    if nr > 0 and nr - 1 < len(roh_zeilen) and roh_zeilen[nr - 1].lstrip().startswith(KEIN_AUFRUFER):
                        markiert.add(name)
                    continue
                genutzt.add(name)
    for name, (p, pos) in sorted(orte.items()):
        if name not in genutzt and name not in markiert:
            yield p, pos, name


def kit_ohne_aufrufer(quellen):
    """(position in the kit's header, name) of each function the kit declares
    that no file of src/ outside the kit names and the kit names only in its
    own declarations and definitions."""
    texte = dict(quellen)
    kopf = texte.get(KIT_KOPF)
    if kopf is None:
        return
    namen = {}
    for m in KIT_FUNKTION.finditer(kopf):
        namen.setdefault(m.group(1), m.start(1))
    genutzt = set()
    for p, text in quellen:
        for m in KIT_NAME.finditer(text):
            name = m.group(0)
            if name not in namen or name in genutzt:
                continue
            if p in KIT_DATEIEN:
                anfang = text.rfind("\n", 0, m.start()) + 1
                if VORSPANN.match(text[anfang:m.start()]) and text[m.end():].lstrip().startswith("("):
                    continue
            genutzt.add(name)
    for name, pos in sorted(namen.items(), key=lambda e: e[1]):
        if name not in genutzt:
            yield pos, name


def argumente(text, anfang):
    """The top-level arguments of the call whose '(' is at `anfang`."""
    teile, tiefe, start = [], 0, anfang + 1
    for i in range(anfang, len(text)):
        c = text[i]
        if c in "([{":
            tiefe += 1
        elif c in ")]}":
            tiefe -= 1
            if tiefe == 0:
                teile.append(text[start:i])
                return teile
        elif c == "," and tiefe == 1:
            teile.append(text[start:i])
            start = i + 1
    return teile


def main(argv):
    if len(argv) == 2 and argv[1] in ("-h", "--help"):
        print(__doc__)
        return 0
    if len(argv) != 2 or not pathlib.Path(argv[1], "src").is_dir():
        print("Aufruf: regeln.py <Quellordner> (der Ordner mit src/)", file=sys.stderr)
        return 2
    wurzel = pathlib.Path(argv[1])
    quellen = []
    roh = {}
    for p in sorted((wurzel / "src").rglob("*")):
        if p.suffix in (".h", ".cpp"):
            text = p.read_text(encoding="utf-8")
            roh[p.relative_to(wurzel).as_posix()] = text
            quellen.append((p.relative_to(wurzel).as_posix(), ohne_kommentare(text)))
    namen = tabellen(quellen)
    oeffnende = oeffner(quellen)
    oeffner_name = re.compile(r"\b(%s)\b" % "|".join(sorted(oeffnende))) if oeffnende else None
    eintrag_setzen = re.compile(r"\b(%s)\s*\.\s*\w+\s*=(?!=)" % "|".join(sorted(namen))) if namen else None
    verstoesse = []
    installiert = {}
    for p, text in quellen:
        if p.startswith("src/main/") and p.count("/") == 2:
            for m in SET_AUFRUF.finditer(text):
                anfang = text.rfind("\n", 0, m.start()) + 1
                if SET_DEKLARATION.match(text[anfang:m.end()]):
                    continue
                name = m.group(0).split("(")[0].strip()
                ort = f"{p}:{zeile(text, m.start())}"
                if name in installiert:
                    verstoesse.append(f"{ort}: {name} schon in {installiert[name]} gesetzt")
                else:
                    installiert[name] = ort
            for m in GET_AUFRUF.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Hook-Tabelle zurueckgelesen statt ganz gebaut")
        for m in GLOBALE_TABELLE.finditer(text):
            verstoesse.append(f"{p}:{zeile(text, m.start())}: globale Hook-Tabelle ohne const-Referenz")
        for m in SCHICHT_SCHALTER.finditer(text):
            verstoesse.append(f"{p}:{zeile(text, m.start())}: Schicht abgeschaltet (jedes Programm hat alle)")
        in_main = p.startswith("src/main/")
        if p != "src/base/ruf.h":
            for m in ROLLE.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Rolle ohne ruf::Client()/Server()/Einzel()")
        if not in_main:
            for m in SET_AUFRUF.finditer(text):
                anfang = text.rfind("\n", 0, m.start()) + 1
                if SET_DEKLARATION.match(text[anfang:m.end()]):
                    continue
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Hook-Tabelle ausserhalb von src/main gesetzt")
            if eintrag_setzen:
                for m in eintrag_setzen.finditer(text):
                    verstoesse.append(f"{p}:{zeile(text, m.start())}: Hook-Eintrag ausserhalb von src/main gesetzt")
        if not p.startswith("src/base/random."):
            for m in FREMDER_ZUFALL.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Zufall ausserhalb der Zufallstabelle und des Deko-Generators")
        if not p.startswith(RAHMEN):
            for m in OFFSET_ZUGRIFF.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Feld ueber einen Versatz statt ueber seinen Satz gelesen")
        if not p.startswith("src/world/"):
            for m in VEREIN_BIT.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Vereinspruefung ausserhalb von Team_Ist_Verein")
        if not p.startswith("src/world/"):
            for m in WELT_SCHREIBEN.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Satz der Welt ausserhalb der Welt geschrieben")
        for m in LOSER_ZEIGER.finditer(text):
            verstoesse.append(f"{p}:{zeile(text, m.start())}: loser Funktionszeiger neben den Hook-Tabellen")
        if p.startswith("src/screens/") and text.count("\n") > SCREEN_ZEILEN_MAX:
            verstoesse.append(f"{p}:1: {text.count(chr(10))} Zeilen, mehr als {SCREEN_ZEILEN_MAX}: entlang der Naehte teilen")
        if p.startswith(("src/screens/", "src/gui/")):
            for m in BILD_FREI.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Bild von Hand freigegeben statt ueber Rastport_Bild")
        if not MENUE_DATEI.match(p):
            for m in MENUE_INTERN.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Innenleben der Menue-Engine ausserhalb ihrer Dateien")
        if p.startswith("src/screens/"):
            for m in FONT_AUSGABE.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Text an der Widget-Kit vorbei ({m.group(1)})")
            m = SCREEN_DEF.search(text)
            if m and not KIT_TEXT.search(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Screen ohne Text aus der Widget-Kit")
            for m in ROHE_FARBE.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Farbe als Zahl statt mit ihrem Namen aus der Palette")
            for m in FONT_NUMMER.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Font ueber seine Nummer statt ueber Kit_Font")
            for m in HANDSTOPP.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Tabstopp {m.group(0)} von Hand statt "
                                  "aus den Spalten der Widget-Kit (Kit_Spalte)")
        if p.startswith("src/screens/") or GUI_SCREENS.match(p):
            for m in EIGENER_BAUER.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: eigener Icon-Bauer statt der Bauer der Widget-Kit")
            for m in AUTO_FUNKTION.finditer(text):
                ende = koerper(text, m.end() - 1)
                rumpf = text[m.end():ende - 1]
                macht_icons = "Screen_Icon" in rumpf or re.search(r"\bKit_\w+\s*[<(]", rumpf)
                if macht_icons and not NUR_KIT_BAUER.fullmatch(rumpf):
                    verstoesse.append(f"{p}:{zeile(text, m.start())}: eigener Icon-Bauer statt der Bauer der Widget-Kit")
        if p.startswith(("src/screens/", "src/gui/")):
            for m in ICON_NUMMER.finditer(text):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Icon an seiner Nummer erkannt statt an seinem User-Wort")
        if oeffner_name and p.startswith(("src/screens/", "src/gui/")) and p.endswith(".cpp"):
            for m in oeffner_name.finditer(text):
                if oeffnende[m.group(1)] != p:
                    verstoesse.append(f"{p}:{zeile(text, m.start())}: {m.group(1)} oeffnet einen Screen an seiner Id vorbei")
        if oeffner_name and p.startswith("src/main/") and p.endswith(".cpp"):
            for m in oeffner_name.finditer(text):
                if not re.search(r"(\.|->)\s*$", text[max(0, m.start() - 4):m.start()]):
                    verstoesse.append(f"{p}:{zeile(text, m.start())}: {m.group(1)} oeffnet einen Screen an seiner Id vorbei")
        for m in NACKTER_MODUS.finditer(text):
            verstoesse.append(f"{p}:{zeile(text, m.start())}: {m.group(1)} mit nackter Modusnummer statt ihres Namens")
        for m in BUCHUNG.finditer(text):
            a = argumente(text, m.end() - 1)
            if len(a) >= 4 and re.fullmatch(r"\s*\d+\s*", a[3]):
                verstoesse.append(f"{p}:{zeile(text, m.start())}: Buchung mit nackter Kategorie statt ihres Namens")
        for pos, name in eintraege_ohne_standard(text):
            verstoesse.append(f"{p}:{zeile(text, pos)}: Hook-Eintrag {name} ohne Standard")
    for p, pos, tabelle, eintrag in eigene_tabellen_aufrufe(quellen):
        text = dict(quellen)[p]
        verstoesse.append(f"{p}:{zeile(text, pos)}: {tabelle}.{eintrag} ruft die eigene Bibliothek ueber ihre Hook-Tabelle")
    for bild in sorted(wurzel.glob("*.png")):
        verstoesse.append(f"{bild.name}:1: Bild im Wurzelordner (Bilder der Tests gehoeren in den Build-Ordner)")
    if (wurzel / "screens").is_dir():
        verstoesse.append("screens:1: Ordner screens/ im Wurzelordner neben src/screens")
    for p, pos, name in ohne_aufrufer(wurzel, quellen, roh):
        text = dict(quellen)[p]
        verstoesse.append(f"{p}:{zeile(text, pos)}: {name} hat keinen Aufrufer (sonst {KEIN_AUFRUFER}: Grund)")
    for pos, name in kit_ohne_aufrufer(quellen):
        text = dict(quellen)[KIT_KOPF]
        verstoesse.append(f"{KIT_KOPF}:{zeile(text, pos)}: {name} der Widget-Kit ohne Aufrufer ausserhalb der Kit "
                          "(totes Widget: mit seinen Tests entfernen)")
    for ordner in CMAKE_ORDNER:
        for c in sorted((wurzel / ordner).rglob("CMakeLists.txt")) + sorted((wurzel / ordner).rglob("*.cmake")):
            text = re.sub(r"#[^\n]*", "", c.read_text(encoding="utf-8"))
            for m in MAIN_QUELLE.finditer(text):
                verstoesse.append(f"{c.relative_to(wurzel).as_posix()}:{zeile(text, m.start())}: {m.group(0)} "
                                  "ein weiteres Mal uebersetzt statt kordavo_programm gelinkt")
    for ort, was in notizen_tabellen(wurzel, quellen, roh):
        verstoesse.append(f"{ort}: {was}")
    for v in verstoesse:
        print(v)
    return 1 if verstoesse else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
