#!/usr/bin/env python3
"""Checks that regeln.py finds each kind of breach and passes clean code."""
import pathlib
import subprocess
import sys
import tempfile

REGELN = pathlib.Path(__file__).with_name("regeln.py")

# (file, text, expected word in the report or None for clean)
FAELLE = [
    ("src/season/a.cpp", "void f() { if (Internet_Modus == INTERNET_MODUS_CLIENT) return; }\n", "Rolle"),
    ("src/season/a.cpp", "bool c() { return INTERNET_MODUS_SERVER != Internet_Modus; }\n", "Rolle"),
    ("src/season/a.cpp", "void f() { switch (Internet_Modus) {} }\n", "Rolle"),
    ("src/base/ruf.h", "inline bool Client() { return Internet_Modus == INTERNET_MODUS_CLIENT; }\n", None),
    ("src/season/a.cpp", "void f() { Internet_Modus = INTERNET_MODUS_EINZEL; }\n", None),
    ("src/season/a.cpp", "// Internet_Modus == 2 in a comment\n", None),
    ("src/season/a.cpp", "void f() { Welt_Set_Hooks({.kalender_tag = g}); }\n", "ausserhalb"),
    ("src/main/b.cpp", "void f() { Welt_Set_Hooks({.kalender_tag = g}); }\n", None),
    ("src/world/global.h", "void Welt_Set_Hooks(const Welt_Hooks& hooks);\n", None),
    ("src/season/a.cpp", "struct X_Hooks { int a; };\nextern X_Hooks X_Tab;\nvoid f() { X_Tab.a = 1; }\n",
     "Hook-Eintrag ausserhalb"),
    ("src/season/a.cpp", "struct X_Hooks { int a; };\nextern const X_Hooks& X_Tab;\nbool f() { return X_Tab.a == 1; }\n",
     None),
    ("src/season/a.h", "struct X_Hooks {\n    void (*a)(int) = [](int) {};\n    bool (*b)();\n};\n", "b ohne Standard"),
    ("src/season/a.h", "struct X_Hooks {\n    void (*a)(int) = [](int) { void (*p)(); };\n};\n", None),
    ("src/gui/a.h", "extern Rastport* (*Menue_Grafik_Holen)(u32 grafik);\n", "loser Funktionszeiger"),
    ("src/gui/a.h", "extern const Menue_Hooks& Menue_Hooks_Tabelle;\n", None),
    ("src/season/a.h", "struct Main_Hook_Tabelle {\n    void (*a)(\n        int x) = [](int) {};\n};\n", None),
    ("src/screens/a.cpp", "int n = std::rand() % 50;\n", "Zufall"),
    ("src/world/a.cpp", "static std::minstd_rand gen(12345);\n", "Zufall"),
    ("src/season/a.cpp", "std::mt19937 g{1};\n", "Zufall"),
    ("src/base/random.cpp", "static std::mt19937 deko{1};\n", None),
    ("src/season/a.cpp", "i32 n = Rnd_Deko_Von_Bis(0, 49); i32 m = Rnd(0, 3);\n", None),
    ("src/season/a.cpp", "u32 f = get_u32le(r + 4);\n", "Versatz"),
    ("src/season/a.cpp", "u32 f = get_u32le(items + 12 * i + 4);\n", "Versatz"),
    ("src/world/a.cpp", "put_i16le(e + 2, wert);\n", "Versatz"),
    ("src/screens/a.cpp", "std::memcpy(z.team_name, e + 2, 25);\n", "Versatz"),
    ("src/screens/a.cpp", "std::memcpy(e + 27, z.user, 36);\n", "Versatz"),
    ("src/season/a.cpp", "u32 f = get_u32le(r); auto z = bytes::aus_bild<Zeile>(b + ZEILE * i);\n", None),
    ("src/net/a.cpp", "u32 n = get_u32le(kopf + 4);\n", None),
    ("src/season/a.cpp", "bool c(int t) { return Team_Daten[t].art & TEAM_ART_VEREIN; }\n", "Team_Ist_Verein"),
    ("src/world/team.cpp", "bool Team_Ist_Verein(int t) { return Team_Daten[t].art & TEAM_ART_VEREIN; }\n"
     "bool v(int t) { return Team_Ist_Verein(t); }\n", None),
    ("src/screens/a/b.cpp", "void z() { Font_Printf(rp, f, \"^c%05d%s\", 0, 0, FARBE_WEISS, t); }\n", "Widget-Kit vorbei"),
    ("src/screens/a/b.cpp", "void z() { Font_Printf_Glatt(rp, f, \"%s\", 0, 0, t); }\n", "Widget-Kit vorbei"),
    ("src/gui/b.cpp", "void z() { Font_Printf(rp, f, \"%s\", 0, 0, t); }\n", None),
    ("src/screens/a/b.cpp", "Screen_Def B_Def() {\n    return {};\n}\n", "Screen ohne Text"),
    ("src/screens/a/b.cpp", "Screen_Def B_Def() {\n    return {};\n}\nvoid z() { Kit_Printf(rp, f, FARBE_WEISS, 0, 0, \"%d\", 1); }\n"
     "Screen_Def d = B_Def();\n", None),
    ("src/screens/a/b.cpp", "constexpr u16 FARBE_LABEL = 50744;\n", "Farbe als Zahl"),
    ("src/screens/a/b.cpp", "constexpr u16 F[3] = {20051, 52743, 50055};\n", "Farbe als Zahl"),
    ("src/screens/a/b.cpp", "void z() { Kit_Printf(rp, f, 0xC638, 0, 0, \"%s\", t); }\n", "Farbe als Zahl"),
    ("src/screens/a/b.cpp", "constexpr u16 F = FARBE_KOPF; const u16 n = mischen(a, b, 255 - a);\n", None),
    ("src/screens/a/b.cpp", "void k(Screen_Icon* i) { if (i->nummer == ICON_BANK_ZINS) return; }\n", "User-Wort"),
    ("src/screens/a/b.cpp", "void k(Screen_Icon* i) { const i32 z = i->nummer - ICON_KADER_ZEILE; }\n", "User-Wort"),
    ("src/screens/a/b.cpp", "void k(Screen_Icon* i) { if (ICON_E2_KARTE + g != i->nummer) return; }\n", "User-Wort"),
    ("src/screens/a/b.cpp", "void k(Screen_Icon* i) { const i32 n = i->nummer; }\n", "User-Wort"),
    ("src/gui/kontrollleiste.cpp", "void k(Screen_Icon* i) { if (i->nummer == ICON_LEISTE_VORSPULEN) return; }\n", "User-Wort"),
    ("src/screens/a/b.cpp", "void k(Screen_Icon* i, Ling& l) { if (i->user[0] == 1 && l.nummer >= 10) return; }\n", None),
    ("src/gui/requester.cpp", "void k(Screen_Icon* i) { const i32 k = i->nummer - ICON_REQ_KNOPF_1; }\n", "User-Wort"),
    ("src/gui/demo.cpp", "const char* t(const Screen_Icon* i) { return e[i->nummer - I_KONTEXT - 1].text; }\n", "User-Wort"),
    ("src/gui/menue.cpp", "bool f(const Screen_Icon& i) { return i.nummer < 0 || i.nummer >= MENUE_ICON_NUMMERN; }\n", None),
    ("src/screens/a/b.cpp", "constexpr i32 FONT_KLEIN = 9;\n", "Kit_Font"),
    ("src/screens/a/b.cpp", "Font* f = Font_Tabelle_Holen(9);\n", "Kit_Font"),
    ("src/screens/a/b.cpp", "Font* f = Kit_Font(Kit_Schrift::TEXT);\n", None),
    ("src/screens/a/b.cpp", "constexpr Screen_Icon zeile(i32 k) {\n    return {.nummer = static_cast<i16>(10 + k)};\n}\n",
     "eigener Icon-Bauer"),
    ("src/screens/a/b.cpp", "constexpr Screen_Icon knopf(i16 n, u32 g,\n                            u32 d) {\n    return {};\n}\n",
     "eigener Icon-Bauer"),
    ("src/screens/a/b.cpp", "constexpr Kit_Bildknopf_Def pfeil(bool vor) {\n    return {.w = 18};\n}\n", "eigener Icon-Bauer"),
    ("src/screens/a/b.cpp", "template <size_t... I>\nconstexpr auto tabelle(std::index_sequence<I...>) {\n    return 0;\n}\n",
     "eigener Icon-Bauer"),
    ("src/screens/a/b.cpp", "constexpr Kit_Bildknopf_Def PFEIL{.w = 18, .h = 18};\n"
     "constexpr auto Z = Kit_Zeilen<3>({.nummer = 10}, {.dy = 17});\nconst Screen_Icon* tabelle_von(i32 w);\n"
     "Screen_Icon* zeile_von(i32 k) { return Kit_Icon(k); }\n", None),

    ("src/main/a.cpp", "void f() { Team_Set_Hooks(t()); }\nvoid g() { Team_Set_Hooks(u()); }\n", "schon in"),
    ("src/main/a.cpp", "void f() { Team_Hooks h = Team_Get_Hooks(); Team_Set_Hooks(h); }\n", "zurueckgelesen"),
    ("src/main/a.cpp", "bool f() { return Spieltag_Get_Hooks().live_ansicht(); }\n", None),
    ("src/main/a.cpp", "void f() { Team_Set_Hooks(t()); Spieltag_Set_Hooks(s()); }\n", None),
    ("src/main/intro/a.cpp", "void f() { Video_Set_Hooks(a); Video_Set_Hooks(b); }\n", None),
    ("src/world/global.h", "extern Welt_Hooks Welt_Hook;\n", "const-Referenz"),
    ("src/world/global.h", "extern const Welt_Hooks& Welt_Hook;\n", None),
    ("src/main/a.cpp", "#if KORDAVO_HAT_GUI\nvoid f();\n#endif\n", "Schicht"),
    ("src/season/a.cpp", "void f(int t) { Team_Daten[t].liga = 3; }\n", "Satz der Welt"),
    ("src/season/a.cpp", "void f(int t) { Team_Daten[t].status &= ~TEAM_STATUS_USER_AKTIV; }\n", "Satz der Welt"),
    ("src/season/a.cpp", "void f() { Spieler_Daten[Team_Kader(t)[i]].trainings = 0; }\n", "Satz der Welt"),
    ("src/season/a.cpp", "void f(int t) { Team_Own_Daten[t].aufstellung[2] = 5; }\n", "Satz der Welt"),
    ("src/season/a.cpp", "void f(int s) { Spieler_Daten[s].moral++; }\n", "Satz der Welt"),
    ("src/season/a.cpp", "void f(int s) { Spieler_Struktur& sp = Spieler_Daten[s]; }\n", "Satz der Welt"),
    ("src/season/a.cpp", "bool f(int s) { return Spieler_Daten[s].status == 2 || Team_Daten[s].liga >= 0; }\n", None),
    ("src/season/a.cpp", "void f(int s) { const Spieler_Struktur& sp = Spieler_Daten[s]; x = Spieler_Daten[s].team; }\n", None),
    ("src/world/team.cpp", "void f(int t) { Team_Daten[t].liga = 3; }\n", None),
    ("src/main/a.cpp", "#if KORDAVO_HAT_NET && KORDAVO_HAT_GUI\n#elif KORDAVO_HAT_SEASON\n#endif\n", "Schicht"),
    ("src/screens/a/b.cpp", "void f(Rastport* rp) { Rastport_Free(rp); }\n", "Rastport_Bild"),
    ("src/screens/a/b.cpp", "void f() { Rastport_Bild rp{Rastport_Neu_Einfach(8, 8, 16)}; rp.reset(); }\n", None),
    ("src/gui/b.cpp", "void f(Rastport* rp) { Rastport_Free(rp); }\n", "Rastport_Bild"),
    ("src/graphics/b.cpp", "void f(Rastport* rp) { Rastport_Free(rp); }\n", None),
    ("src/gui/menue_scroll.cpp", "#include \"gui/menue_intern.h\"\n", None),
    ("src/gui/kit.cpp", "#include \"gui/menue_intern.h\"\n", "Innenleben der Menue-Engine"),
    ("src/gui/kontrollleiste.cpp", "Screen_Icon knopf(i32 k) {\n    return {};\n}\n", "eigener Icon-Bauer"),
    ("src/gui/hauptmenue.cpp", "static Screen_Icon icon(i16 nr, u32 g) {\n    return {};\n}\n", "eigener Icon-Bauer"),
    ("src/screens/a/b.cpp", "  #  include \"gui/menue_intern.h\"\n", "Innenleben der Menue-Engine"),
    # A library's own procedures are called directly, not through its own table.
    ("src/season/a.cpp", "extern const S_Hooks& Season_Module;\nbool News_Pruefen(int t) { return t > 0; }\n"
     "bool f() { return Season_Module.News_Pruefen(3); }\n", "ueber ihre Hook-Tabelle"),
    ("src/season/a.cpp", "extern const S_Hooks& Season_Module;\nbool News_Pruefen(int t) { return t > 0; }\n"
     "bool f() { return News_Pruefen(3) || Season_Module.Spieltag_Run(0); }\n", None),
    # Every procedure has a caller, or the comment above it says why it stays.
    ("src/world/a.cpp", "int Team_Alt_Wert(int t) { return t; }\n", "Team_Alt_Wert hat keinen Aufrufer"),
    ("src/world/a.cpp", "// KEIN_AUFRUFER: the module's full set of procedures.\nint Team_Alt_Wert(int t) { return t; }\n", None),
    ("src/world/a.cpp", "int Team_Alt_Wert(int t) {\n    return t;\n}\nint g() { return Team_Alt_Wert(2); }\n", None),
    # A table built from a shared row through the kit's builder may stand; a
    # function of deduced type that makes icons by hand may not.
    ("src/screens/a/b.cpp", "constexpr auto spalte(i32 c) {\n    return Kit_Zeilen<11>({.nummer = static_cast<i16>(10 + c), "
     ".x = X[c]},\n                          {.dy = 17, .erster_index = c, .schritt = 4});\n}\n", None),
    ("src/screens/a/b.cpp", "constexpr auto spalte(i32 c) {\n    std::array<Screen_Icon, 2> r{};\n    r[0].nummer = c;\n"
     "    return r;\n}\n", "eigener Icon-Bauer"),
    ("src/screens/a/b.cpp", "constexpr auto spalte(i32 c) {\n    auto r = Kit_Zeilen<2>({.nummer = 1}, {});\n"
     "    r[1].x = c;\n    return r;\n}\n", "eigener Icon-Bauer"),
    ("src/screens/a/b.cpp", "auto breite(i32 c) {\n    return c * 2;\n}\n", None),
    # A table's columns are declared once: no tab stop written by hand in a
    # screen, neither in a drawn text nor in one built for later.
    ("src/screens/a/b.cpp", "void z() { Kit_Printf(rp, f, FARBE_WEISS, 0, 9, \"^tz0245%s\", t); }\n", "Tabstopp ^tz0245"),
    ("src/screens/a/b.cpp", "void z() { Kit_Printf(rp, f, FARBE_WEISS, 0, 9, \"%d^tl%04d%s\", 1, 59, t); }\n",
     "Tabstopp ^tl%04d"),
    ("src/screens/a/b.cpp", "const char* S = \"^tr07350\";\n", "Tabstopp ^tr0735"),
    ("src/screens/a/b.cpp", "void z(char* m) { std::snprintf(m, 64, \"^c%05d^tz%04d%d\", 1, 168, 2); }\n",
     "Tabstopp ^tz%04d"),
    ("src/screens/a/b.cpp", "// \"^tz0245\" as it used to be\nvoid z() { Kit_Tabelle_Zeile_Printf(rp, f, FARBE_WEISS, 0, 9, "
     "Kit_Schein::GLATT, SPALTEN, \"\\t%d.\\t%s\", 1, t); }\n", None),
    ("src/screens/a/b.cpp", "void z() { Kit_Printf(rp, f, FARBE_WEISS, 0, 9, \"^fb0006%s ^tx^ta\", t); }\n", None),
    ("src/gui/b.cpp", "void z() { Font_Printf(rp, f, \"^tz%04d%s\", 0, 0, 400, t); }\n", None),
    # Modes and booking kinds by name.
    ("src/screens/a/b.cpp", "void f(int s) { Spieler_Wert(58, s, 0, OP_LESEN); }\n", "nackter Modusnummer"),
    ("src/season/a.cpp", "int f(int t) { return Team_Wert( 11, t, 0, OP_LESEN); }\n", "nackter Modusnummer"),
    ("src/season/a.cpp", "int f(int t) { return Team_Wert(TEAM_WERT_LIGA, t, 0, OP_LESEN) + g(11, t); }\n", None),
    ("src/world/a.cpp", "void f(int t, float x) { Bank_Buchen(-1, t, x, 4, 1, -1); }\n", "nackter Kategorie"),
    ("src/world/a.cpp", "void f(int t, int p) { Bank_Buchen(t, -1, static_cast<f32>(p), BANK_ZUSCHAUER, 1, -1); }\n", None),
    ("src/world/a.cpp", "void f(int t, int p) { Bank_Buchen(t, g(1, 2), h(3), BANK_AUSGABE, 0, -1); }\n", None),
    ("src/screens/a/b.cpp", "int x;\n" * 651, "Zeilen"),
    ("src/screens/a/b.cpp", "int x;\n" * 650, None),
    ("src/gui/b.cpp", "int x;\n" * 651, None),
]

# Rules across files: ({file: text}, expected word or None).
KARTE = ("Screen_Def Karte_Screen_Def() {\n    return {.oeffnen_fuer = [](const Screen_Anlass& a) "
         "{ Karte_Init(a.spieler, a.team); }};\n}\nvoid z() { Kit_Text(rp, f, FARBE_WEISS, t, 0, 0); }\n"
         "Screen_Def d = Karte_Screen_Def();\n")
BANK = "Screen_Def Bank_Screen_Def() {\n    return {.oeffnen = Bank_Screen_Init};\n}\n"
FAELLE_DATEIEN = [
    ({"src/screens/a/karte.cpp": KARTE, "src/screens/b/kader.cpp": "void k() { Karte_Init(p, t); }\n"}, "an seiner Id vorbei"),
    ({"src/screens/a/karte.cpp": KARTE, "src/screens/anmelden.cpp": "void k() { Set_Karte(Bank_Screen_Init); }\n",
      "src/screens/c/bank.cpp": BANK + "void z() { Kit_Text(rp, f, FARBE_WEISS, t, 0, 0); }\n"}, "an seiner Id vorbei"),
    ({"src/screens/a/karte.cpp": KARTE + "void w() { Karte_Init(1, 2); }\n",
      "src/screens/b/kader.cpp": "void k() { Screen_Oeffnen_Fuer(Screen_Id::KARTE, {.spieler = p}); }\n",
      "src/screens/a/karte.h": "void Karte_Init(i32 spieler, i32 team);\n"}, None),
    ({"src/screens/a/karte.cpp": KARTE, "src/main/lager.cpp": "void f() { Karte_Init(3, 1); }\n"}, "an seiner Id vorbei"),
    ({"src/screens/a/karte.cpp": KARTE,
      "src/main/lager.cpp": "void f() { Set_Hooks({.Karte_Init = [] { Screen_Oeffnen_Fuer(Screen_Id::KARTE, {}); }}); }\n"},
     None),
    # The program's start-up code, compiled once in its library.
    ({"src/main/registrierung.cpp": "int x;\n",
      "tests/main/CMakeLists.txt": "kordavo_test(a SOURCES t.cpp ${PROJECT_SOURCE_DIR}/src/main/registrierung.cpp)\n"},
     "ein weiteres Mal"),
    ({"src/main/registrierung.cpp": "int x;\n",
      "bench/gui/CMakeLists.txt": "target_sources(b PRIVATE\n  ${PROJECT_SOURCE_DIR}/src/main/spielbeginn.cpp)\n"},
     "ein weiteres Mal"),
    ({"src/main/registrierung.cpp": "int x;\n",
      "tests/main/CMakeLists.txt": "# as src/main/registrierung.cpp wires it\nkordavo_test(a SOURCES t.cpp)\n"
                                   "kordavo_test(i SOURCES ${PROJECT_SOURCE_DIR}/src/main/intro/intro_film.cpp)\n"},
     None),
    # The architecture notes list every hook table and entry as they are.
    ({"src/season/x.h": "struct X_Hooks {\n    void (*a)() = [] {};\n    // default kept: nothing to do.\n"
                        "    void (*b)() = [] {};\n};\n",
      "src/main/m.cpp": "void f() { X_Set_Hooks({.a = g}); }\n",
      "docs/ARCHITECTURE.md": "## Hook tables and where they are installed\n\n#### X_Hooks (src/season/x.h)\n\n"
                              "- `a`: installed in src/main/m.cpp\n- `b`: default kept: nothing to do.\n\n## Build\n"},
     None),
    ({"src/season/x.h": "struct X_Hooks {\n    void (*a)() = [] {};\n    void (*b)() = [] {};\n};\n",
      "src/main/m.cpp": "void f() { X_Set_Hooks({.a = g, .b = g}); }\n",
      "docs/ARCHITECTURE.md": "## Hook tables and where they are installed\n\n#### X_Hooks (src/season/x.h)\n\n"
                              "- `a`: installed in src/main/m.cpp\n\n## Build\n"},
     "X_Hooks.b fehlt"),
    ({"src/season/x.h": "struct X_Hooks {\n    void (*a)() = [] {};\n};\nstruct Y_Hook_Tabelle {\n    void (*c)() = [] {};\n};\n",
      "src/main/m.cpp": "void f() { X_Set_Hooks({.a = g}); }\n",
      "docs/ARCHITECTURE.md": "## Hook tables and where they are installed\n\n#### X_Hooks (src/season/x.h)\n\n"
                              "- `a`: installed in src/main/m.cpp\n"},
     "Y_Hook_Tabelle fehlt"),
    ({"src/season/x.h": "struct X_Hooks {\n    void (*a)() = [] {};\n};\n",
      "src/main/m.cpp": "void f() { X_Set_Hooks({.a = g}); }\n",
      "docs/ARCHITECTURE.md": "## Hook tables and where they are installed\n\n#### X_Hooks (src/season/x.h)\n\n"
                              "- `a`, `alt`: installed in src/main/m.cpp\n"},
     "X_Hooks.alt steht in"),
    ({"src/season/x.h": "struct X_Hooks {\n    void (*a)() = [] {};\n};\n",
      "docs/ARCHITECTURE.md": "## Hook tables and where they are installed\n\n#### X_Hooks (src/season/x.h)\n\n"
                              "- `a`: default kept: nothing to do.\n"},
     "ohne Kommentar"),
    ({"src/season/x.h": "struct X_Hooks {\n    void (*a)() = [] {};\n};\n",
      "src/main/m.cpp": "void f() { X_Set_Hooks({}); }\n",
      "docs/ARCHITECTURE.md": "## Hook tables and where they are installed\n\n#### X_Hooks (src/season/x.h)\n\n"
                              "- `a`: installed in src/main/m.cpp\n"},
     "nicht gesetzt"),
    ({"src/season/x.h": "struct X_Hooks {\n    void (*a)() = [] {};\n};\n",
      "src/main/m.cpp": "void f() { X_Set_Hooks({.a = g}); }\n",
      "docs/ARCHITECTURE.md": "## Hook tables and where they are installed\n\n#### X_Hooks (src/world/x.h)\n\n"
                              "- `a`: installed in src/main/m.cpp\n"},
     "nicht in src/world/x.h"),
    # The kit's own builders return icons (a screen's may not).
    ({"src/gui/kit.h": "constexpr Screen_Icon Kit_Panel_Icon(const Kit_Panel_Def& d) {\n    return {};\n}\n",
      "src/screens/a/b.cpp": "constexpr Screen_Icon SEITE = Kit_Panel_Icon({.nummer = 1});\n"}, None),
    # A kit widget only its tests draw is dead; a screen's call, a gui screen's
    # or another kit function's keeps it.
    ({"src/gui/kit.h": "void Kit_Reiter(Rastport* rp, bool aktiv);\n",
      "tests/gui/test_kit.cpp": "TEST(Kit, R) { Kit_Reiter(nullptr, true); }\n"}, "Kit_Reiter der Widget-Kit ohne Aufrufer"),
    ({"src/gui/kit.h": "void Kit_Reiter(Rastport* rp, bool aktiv);\n",
      "src/gui/kit.cpp": "void Kit_Reiter(Rastport* rp, bool aktiv) {}\nvoid f() { Kit_Reiter(nullptr, true); }\n",
      "src/screens/a/b.cpp": "void z() { Kit_Reiter(rp, true); }\n"}, None),
    ({"src/gui/kit.h": "template <size_t N>\nconstexpr std::array<Screen_Icon, N> Kit_Zeilen(const Screen_Icon& e) {\n"
                       "    return {};\n}\n"}, "Kit_Zeilen der Widget-Kit ohne Aufrufer"),
    ({"src/gui/kit.h": "constexpr i32 Kit_Spalte_X(const Kit_Spalte& s) { return Kit_Versatz(s) + 1; }\n"
                       "constexpr i32 Kit_Versatz(const Kit_Spalte& s) { return s.x; }\n",
      "src/gui/ank_seiten.cpp": "i32 f(const Kit_Spalte& s) { return Kit_Spalte_X(s); }\n"}, None),
    ({"src/gui/kit.h": "i32 Kit_Printf(Rastport* rp, const char* format, ...);\n"
                       "void Kit_Scrollbalken(Rastport* rp, i32 anfang);\n",
      "src/screens/a/b.cpp": "void z() { Kit_Printf(rp, \"%d\", 1); }  // Kit_Scrollbalken(rp, 0) in a comment\n"},
     "Kit_Scrollbalken der Widget-Kit ohne Aufrufer"),
]


# Files at the source folder's top level, beside src/: (paths, expected word or None).
FAELLE_WURZEL = [
    (["spielstart_0_start.png"], "Bild im Wurzelordner"),
    (["screens/live_figuren_golden.png"], "Ordner screens/"),
    (["docs/bild.png", "src/screens/a/b.png"], None),
]

# Files outside src/ that call a procedure of src/: ({file: text}, expected word or None).
FAELLE_AUFRUFER = [
    ({"src/world/a.cpp": "int Team_Alt_Wert(int t) { return t; }\n", "src/world/a.h": "int Team_Alt_Wert(int t);\n"},
     "keinen Aufrufer"),
    ({"src/world/a.cpp": "int Team_Alt_Wert(int t) { return t; }\n",
      "tests/world/test_a.cpp": "TEST(A, B) { EXPECT_EQ(Team_Alt_Wert(1), 1); }\n"}, None),
    ({"src/world/a.cpp": "int Team_Alt_Wert(int t) { return t; }\n",
      "src/world/a.h": "// KEIN_AUFRUFER: kept for the editor's next step.\nint Team_Alt_Wert(int t);\n"}, None),
]


def pruefen(datei, text):
    return pruefen_dateien({datei: text})


def pruefen_dateien(dateien):
    with tempfile.TemporaryDirectory() as wurzel:
        pathlib.Path(wurzel, "src").mkdir()
        for datei, text in dateien.items():
            p = pathlib.Path(wurzel, datei)
            p.parent.mkdir(parents=True, exist_ok=True)
            p.write_text(text, encoding="utf-8")
        r = subprocess.run([sys.executable, str(REGELN), wurzel], capture_output=True, text=True)
        return r.returncode, r.stdout


def main():
    fehler = 0
    for datei, text, erwartet in FAELLE:
        code, ausgabe = pruefen(datei, text)
        gut = code == 0 and not ausgabe if erwartet is None else code == 1 and erwartet in ausgabe
        if not gut:
            fehler += 1
            print(f"FEHLER: {datei}: {text!r}: Code {code}, Ausgabe {ausgabe!r}, erwartet {erwartet!r}")
    for dateien, erwartet in FAELLE_DATEIEN:
        code, ausgabe = pruefen_dateien(dateien)
        gut = code == 0 and not ausgabe if erwartet is None else code == 1 and erwartet in ausgabe
        if not gut:
            fehler += 1
            print(f"FEHLER: {sorted(dateien)}: Code {code}, Ausgabe {ausgabe!r}, erwartet {erwartet!r}")
    for pfade, erwartet in FAELLE_WURZEL:
        code, ausgabe = pruefen_dateien({p: "" for p in pfade})
        gut = code == 0 and not ausgabe if erwartet is None else code == 1 and erwartet in ausgabe
        if not gut:
            fehler += 1
            print(f"FEHLER: {pfade}: Code {code}, Ausgabe {ausgabe!r}, erwartet {erwartet!r}")
    for dateien, erwartet in FAELLE_AUFRUFER:
        code, ausgabe = pruefen_dateien(dateien)
        gut = code == 0 and not ausgabe if erwartet is None else code == 1 and erwartet in ausgabe
        if not gut:
            fehler += 1
            print(f"FEHLER: {sorted(dateien)}: Code {code}, Ausgabe {ausgabe!r}, erwartet {erwartet!r}")
    # Bad arguments are refused with exit code 2.
    r = subprocess.run([sys.executable, str(REGELN)], capture_output=True, text=True)
    if r.returncode != 2:
        fehler += 1
        print(f"FEHLER: ohne Argument Code {r.returncode}")
    n = len(FAELLE) + len(FAELLE_DATEIEN) + len(FAELLE_WURZEL) + len(FAELLE_AUFRUFER) + 1
    print(f"{n - fehler} von {n} Faellen richtig")
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
