// The data editor's main screen on the shipped world: club names and player
// values edited in place with their bounds, the Tab walk, the steppers, a
// league exchange written at once, player moves, the nationality chooser,
// sorting, writing the files (and a folder that refuses them), reloading,
// abandoned edits, and the diagnostic page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <unistd.h>

#include "base/config.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/spielstand.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "gui/eingabe.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kit.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "screens/editor/editor.h"
#include "screens/screens.h"
#include "screens/club/diagnose.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_schreiben.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

namespace fs = std::filesystem;

i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
i32 zeile_y(i32 k) { return EDITOR_ZEILE_Y0 + EDITOR_ZEILE_H * k + 8; }
// The file as it lies on disk.
std::string pfad(int art) {
    const char* p = Read_Config_Get_Filenamen(art, Editor_Satz(), 0);
    return p ? W32_Pfad_Uebersetzen(p) : "";
}
// Types as a player does, capitals with Shift.
void tippen(const char* text) {
    for (const char* c = text; *c; ++c) {
        Eingabe_Zeichen(static_cast<u8>(*c), std::isupper(static_cast<unsigned char>(*c)) ? 1 : 0);
        kit::Frames(1);
    }
}
std::string lesen(const std::string& datei) {
    std::ifstream f(datei, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
bool meldung_mit(const char* teil) {
    for (const std::string& m : kit::Meldungen())
        if (m.find(teil) != std::string::npos) return true;
    return false;
}

class Editor : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Menue_Screen_Icons_Loeschen_Bereich(BEREICH_AUCH_BLEIBENDE, -9999, -9999, 9999, 9999);
        ASSERT_TRUE(Screen_Oeffnen(Screen_Id::EDITOR));
        kit::Frames(3);
        kit::Meldungen_Leeren();
    }
    void TearDown() override {
        Screen_Schliessen(Screen_Id::EDITOR);
        Config_Modify_Free();
        kit::Beenden();
    }
    Editor_Zustand& st() { return Editor_Get_Zustand(); }
    // Types into the open field (the whole old text chosen) and ends with a key.
    void eingeben(const char* text, u32 taste = VK_RETURN) {
        kit::Frames(2);
        tippen(text);
        kit::Warten(200);
        kit::Taste(taste);
        kit::Frames(2);
    }
    void klick_icon(i32 nummer, u32 taste = MAUS_LINKS) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_TRUE(i) << nummer;
        kit::Klick(i->x + i->w / 2, i->y + i->h / 2, taste);
        kit::Frames(2);
    }
};

TEST_F(Editor, OeffnetMitDenListenUndZeichnet) {
    EXPECT_TRUE(Screen_Offen(Screen_Id::EDITOR));
    EXPECT_EQ(static_cast<i32>(st().teams.size()), Team_Anzahl - 1);
    EXPECT_EQ(std::count(st().teams.begin(), st().teams.end(), Team_Transfermarkt), 0);
    // The first club's squad in squad order.
    EXPECT_EQ(st().team, st().teams[0]);
    ASSERT_FALSE(st().spieler.empty());
    for (size_t i = 1; i < st().spieler.size(); ++i) EXPECT_LE(wert(87, st().spieler[i - 1]), wert(87, st().spieler[i]));
    // The competitions are in their edit mode while the editor is up.
    EXPECT_EQ(Config_Modify_Set(), Editor_Satz());
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(Team_String(721, st().teams[0], nullptr, 0)));
    EXPECT_TRUE(kit::Text(Spieler_String(63, st().spieler[0], nullptr, 0)));
    EXPECT_TRUE(kit::Text("Transfermarkt ohne Scouts"));
    // The club's league, and every value of a player row: number, stars, maximum stars, matches.
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(st().teams[0], true);
    ASSERT_GE(liga, 0);
    EXPECT_TRUE(kit::Text(Wettbewerb_Get_Name(liga, false).substr(0, 6).c_str()));
    // Every club row's league stands whole in its column, left of the row's
    // crest button and clear of the country before it.
    std::set<std::string> namen;
    for (const i32 t : st().teams)
        if (const i32 l = Wettbewerb_Get_Liga_Von_Team(t, true); l >= 0) namen.insert(Wettbewerb_Get_Name(l, false));
    i32 ligen = 0;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
        // The club list's league column, below its header.
        if (e.art != SPUR_TEXT || e.ziel != Screen_Rastport || e.x < 200 || e.x > 300 || e.y <= 112 || e.y > 460)
            continue;
        EXPECT_TRUE(namen.count(e.sichtbar)) << e.sichtbar;
        Font* f = Font_Tabelle_Holen(e.font);
        ASSERT_TRUE(f);
        EXPECT_LE(e.x + Font_Text_Breite(f, e.sichtbar.c_str()), 8 + 340) << e.sichtbar;
        ++ligen;
    }
    EXPECT_GT(ligen, 10);
    const i32 p = st().spieler[0];
    const i32 y = EDITOR_ZEILE_Y0 + 12;
    for (i32 modus : {74, 92, 97, 55})
        EXPECT_TRUE(kit::Text_Auf_Zeile(std::to_string(wert(modus, p)).c_str(), y)) << modus;
    kit::Png("editor_haupt");
}

TEST_F(Editor, VereinsnameWirdImFeldGeaendert) {
    const i32 t = st().teams[0];
    kit::Klick(80, zeile_y(0));
    ASSERT_TRUE(st().feld.aktiv);
    EXPECT_EQ(st().feld.wert, FELD_TEAMNAME);
    kit::Png("editor_vereinsname");
    eingeben("Neuer Name");
    EXPECT_STREQ(Team_String(721, t, nullptr, 0), "Neuer Name");
    EXPECT_FALSE(st().feld.aktiv);
}

// Each typed value: held to its bound, the user told the bound.
TEST_F(Editor, ZahlenWerdenAnIhreGrenzenGehalten) {
    const i32 p = st().spieler[0];
    Spieler_Wert(97, p, 8, OP_SCHREIBEN);
    Spieler_Wert(92, p, 4, OP_SCHREIBEN);
    const struct Fall {
        i32 x, modus;
        const char* getippt;
        i32 erwartet;
        bool hinweis;
    } faelle[] = {
        {405, 74, "0", 1, true},    {405, 74, "99", 50, true},  {405, 74, "17", 17, false},
        {610, 55, "0", 1, true},    {610, 55, "151", 150, true}, {610, 55, "42", 42, false},
        {582, 97, "7", 12, true},   {582, 97, "2", 12, true},   {582, 97, "10", 10, false},
        {565, 92, "11", 10, true},  {565, 92, "3", 3, false},
    };
    for (const Fall& f : faelle) {
        kit::Warten(400);
        kit::Klick(f.x, zeile_y(0));
        ASSERT_TRUE(st().feld.aktiv) << f.getippt;
        ASSERT_EQ(st().feld.wert, f.modus) << f.getippt;
        eingeben(f.getippt);
        EXPECT_EQ(wert(f.modus, p), f.erwartet) << f.modus << " " << f.getippt;
        EXPECT_EQ(!st().fehler.empty(), f.hinweis) << f.modus << " " << f.getippt << ": " << st().fehler;
    }
    // The note names the bound.
    kit::Warten(400);
    kit::Klick(405, zeile_y(0));
    eingeben("77");
    EXPECT_NE(st().fehler.find("1 bis 50"), std::string::npos) << st().fehler;
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text("Erlaubt sind 1 bis 50"));
}

TEST_F(Editor, TabGehtDurchSpaltenUndZeilenRundherum) {
    const i32 n = static_cast<i32>(st().spieler.size());
    ASSERT_EQ(n, EDITOR_ZEILEN);
    // From the last column of the last row to the first column of the first.
    kit::Klick(610, zeile_y(n - 1));
    ASSERT_EQ(st().feld.wert, FELD_SPIELE);
    kit::Warten(200);
    kit::Taste(VK_TAB);
    kit::Frames(2);
    EXPECT_TRUE(st().feld.aktiv);
    EXPECT_TRUE(st().feld.tab);
    EXPECT_EQ(st().feld.spieler, st().spieler[0]);
    EXPECT_EQ(st().feld.wert, FELD_NUMMER);
    EXPECT_EQ(st().feld.spalte, 0);
    // Through the columns of the row in order.
    for (i32 k = 1; k < 7; ++k) {
        kit::Warten(200);
        kit::Taste(VK_TAB);
        kit::Frames(2);
        EXPECT_EQ(st().feld.wert, EDITOR_SPALTEN[k]) << k;
        EXPECT_EQ(st().feld.x, EDITOR_SPALTEN_X[k]) << k;
        EXPECT_EQ(st().feld.spieler, st().spieler[0]) << k;
    }
    // Shift+Tab goes back; from the first column of the first row to the last of the last.
    Editor_Feld_Beginnen(FELD_NUMMER, st().spieler[0], st().team, EDITOR_SPALTEN_X[0], EDITOR_ZEILE_Y0);
    kit::Warten(200);
    Eingabe_Taste(VK_SHIFT, true);
    kit::Taste(VK_TAB);
    Eingabe_Taste(VK_SHIFT, false);
    kit::Frames(2);
    EXPECT_EQ(st().feld.spieler, st().spieler[static_cast<size_t>(n - 1)]);
    EXPECT_EQ(st().feld.wert, FELD_SPIELE);
    // Escape stops the walk and leaves the value.
    const i32 vorher = wert(55, st().spieler[static_cast<size_t>(n - 1)]);
    kit::Tippen("3");
    kit::Taste(VK_ESCAPE);
    kit::Frames(2);
    EXPECT_FALSE(st().feld.aktiv);
    EXPECT_FALSE(st().feld.tab);
    EXPECT_EQ(wert(55, st().spieler[static_cast<size_t>(n - 1)]), vorher);
}

// The editor's keyboard: the text field's end comes first, else the key itself.
TEST_F(Editor, TastenUndIhreWirkung) {
    using W = Editor_Tastenwirkung;
    const struct {
        i32 feld;
        u32 code;
        bool shift;
        W wirkung;
    } faelle[] = {
        {EINGABE_FERTIG, 0, false, W::UEBERNEHMEN},   {EINGABE_TAB, 0, false, W::WEITER},
        {EINGABE_SHIFT_TAB, 0, true, W::ZURUECK},      {EINGABE_ABBRUCH, 0, false, W::VERWERFEN},
        {EINGABE_FERTIG, VK_ESCAPE, false, W::UEBERNEHMEN},  // the field's end wins over a key
        {EINGABE_LAEUFT, VK_RETURN, false, W::UEBERNEHMEN}, {EINGABE_LAEUFT, VK_TAB, false, W::WEITER},
        {EINGABE_LAEUFT, VK_TAB, true, W::ZURUECK},         {EINGABE_LAEUFT, VK_ESCAPE, true, W::VERWERFEN},
        {EINGABE_LAEUFT, VK_UP, false, W::HOCH},            {EINGABE_LAEUFT, VK_DOWN, true, W::RUNTER},
        {EINGABE_LAEUFT, VK_LEFT, false, W::KEINE},         {EINGABE_LAEUFT, 0, true, W::KEINE},
        {-1, VK_TAB, false, W::WEITER},  // a field that could not run: the key
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Editor_Taste(f.feld, f.code, f.shift), f.wirkung) << f.feld << " " << f.code << " " << f.shift;
}

// The position field is not typed: its keys reach the editor's keyboard directly.
TEST_F(Editor, PositionsfeldNimmtReturnTabUndEscape) {
    const i32 p = st().spieler[3];
    const struct {
        u32 taste;
        bool shift;
        bool aktiv;  // a field is open afterwards
        i32 feld;    // which
    } faelle[] = {
        {VK_RETURN, false, false, 0},
        {VK_TAB, false, true, FELD_INITIAL},
        {VK_TAB, true, true, FELD_NUMMER},
        {VK_ESCAPE, false, false, 0},
    };
    for (const auto& f : faelle) {
        st().feld.tab = false;
        Editor_Feld_Zuruecksetzen();
        const i32 alt = wert(67, p);
        kit::Warten(400);
        kit::Klick(430, zeile_y(3));
        ASSERT_EQ(st().feld.wert, FELD_POSITION) << f.taste;
        kit::Warten(350);
        kit::Taste(VK_UP);
        kit::Warten(200);
        if (f.shift) Eingabe_Taste(VK_SHIFT, true);
        kit::Taste(f.taste);
        if (f.shift) Eingabe_Taste(VK_SHIFT, false);
        kit::Frames(2);
        EXPECT_EQ(st().feld.aktiv, f.aktiv) << f.taste << " " << f.shift;
        if (f.aktiv) {
            EXPECT_EQ(st().feld.wert, f.feld) << f.taste << " " << f.shift;
            EXPECT_EQ(st().feld.spieler, p) << f.taste << " " << f.shift;
            EXPECT_TRUE(st().feld.tab);
        } else {
            EXPECT_FALSE(st().feld.tab) << f.taste;
        }
        // The class stepped before the key stays, whatever the key.
        EXPECT_EQ(wert(67, p), (alt + 1) % 4) << f.taste << " " << f.shift;
    }
}

// The steppers of the stars, as the keys step them.
TEST_F(Editor, SterneUndPositionSchrittweise) {
    struct S {
        i32 sterne, max;
        bool hoch;
        i32 erwartet;
    };
    for (const S& s : std::initializer_list<S>{{3, 8, true, 4}, {8, 8, true, 0}, {0, 8, false, 8}, {5, 12, false, 4}})
        EXPECT_EQ(Editor_Sterne_Schritt(s.sterne, s.max, s.hoch), s.erwartet) << s.sterne;
    struct M {
        i32 max, sterne;
        bool hoch;
        i32 erwartet;
    };
    for (const M& m : std::initializer_list<M>{
             {4, 3, true, 6}, {10, 3, true, 12}, {11, 7, true, 8}, {12, 5, true, 6}, {8, 3, false, 6}, {4, 3, false, 12}})
        EXPECT_EQ(Editor_Maxsterne_Schritt(m.max, m.sterne, m.hoch), m.erwartet) << m.max << " " << m.sterne;
    struct E {
        i32 eingabe, sterne, erwartet;
    };
    for (const E& e : std::initializer_list<E>{{7, 3, 12}, {1, 0, 2}, {0, 4, 12}, {6, 4, 6}, {4, 6, 12}, {14, 2, 12}})
        EXPECT_EQ(Editor_Maxsterne_Aus_Eingabe(e.eingabe, e.sterne), e.erwartet) << e.eingabe;
    // The keys on a running field.
    const i32 p = st().spieler[1];
    Spieler_Wert(97, p, 6, OP_SCHREIBEN);
    Spieler_Wert(92, p, 6, OP_SCHREIBEN);
    kit::Klick(565, zeile_y(1));
    ASSERT_EQ(st().feld.wert, FELD_STERNE);
    kit::Warten(250);
    kit::Taste(VK_UP);
    EXPECT_EQ(wert(92, p), 0);  // past the maximum round to 0
    kit::Warten(250);
    kit::Taste(VK_DOWN);
    EXPECT_EQ(wert(92, p), 6);
    // The position class: a field player becoming a goalkeeper gets the keeper's attributes open.
    const i32 q = st().spieler[5];
    const i32 alt = wert(67, q);
    kit::Warten(400);
    kit::Klick(430, zeile_y(5));
    ASSERT_EQ(st().feld.wert, FELD_POSITION);
    kit::Png("editor_position");
    kit::Warten(350);
    kit::Taste(VK_UP);
    EXPECT_EQ(wert(67, q), (alt + 1) % 4);
    Editor_Position_Setzen(q, 0);
    for (i32 a : {0, 12, 39}) EXPECT_EQ(wert(a, q), -1) << a;
    for (i32 a : {47, 52}) EXPECT_GE(wert(a, q), 0) << a;
    Editor_Position_Setzen(q, 2);
    for (i32 a : {47, 50, 52}) EXPECT_EQ(wert(a, q), -1) << a;
    for (i32 a : {0, 39}) EXPECT_EQ(wert(a, q), 0) << a;
}

TEST_F(Editor, FalscheNamenWerdenAbgelehnt) {
    const std::string lang(25, 'A');
    const struct {
        const char* name;
        i32 max;
        bool gut;
        const char* grund;
    } faelle[] = {
        {"", 24, false, "leer"},           {"   ", 24, false, "leer"},       {lang.c_str(), 24, false, "zu lang"},
        {lang.c_str(), 25, true, ""},      {"Mit^Zeichen", 24, false, "Zeichen"}, {"Bad\x81", 24, false, "Zeichen"},
        {"Tab\there", 24, false, "Zeichen"}, {"Müller-Lüdenscheidt", 24, true, ""}, {"1. FC Süd", 24, true, ""},
    };
    for (const auto& f : faelle) {
        std::string grund;
        EXPECT_EQ(Editor_Name_Pruefen(f.name, f.max, &grund), f.gut) << f.name;
        if (!f.gut) {
            EXPECT_NE(grund.find(f.grund), std::string::npos) << f.name << ": " << grund;
        }
    }
    // Through the field: an emptied name is refused and the old one stays.
    const i32 t = st().teams[0];
    const std::string alt = Team_String(721, t, nullptr, 0);
    kit::Klick(80, zeile_y(0));
    kit::Frames(1);
    kit::Taste(VK_DELETE);
    kit::Taste(VK_RETURN);
    kit::Frames(2);
    EXPECT_EQ(Team_String(721, t, nullptr, 0), alt);
    EXPECT_NE(st().fehler.find("leer"), std::string::npos);
    // An initial must be one letter; a lower-case one is stored in capitals.
    const i32 p = st().spieler[2];
    kit::Warten(400);
    kit::Klick(460, zeile_y(2));
    ASSERT_EQ(st().feld.wert, FELD_INITIAL);
    std::snprintf(st().feld.puffer, sizeof st().feld.puffer, "7");
    EXPECT_FALSE(Editor_Eingabe_Uebernehmen());
    EXPECT_NE(st().fehler.find("Buchstaben"), std::string::npos);
    Editor_Feld_Zuruecksetzen();
    kit::Warten(400);
    kit::Klick(460, zeile_y(2));
    eingeben("k");
    EXPECT_STREQ(Spieler_String(64, p, nullptr, 0), "K.");
}

TEST_F(Editor, LigentauschWirdSofortGeschrieben) {
    // Two listed clubs of different leagues.
    i32 a = -1, b = -1;
    for (i32 k = 0; k < EDITOR_ZEILEN && b < 0; ++k) {
        const i32 t = st().teams[static_cast<size_t>(k)];
        if (Wettbewerb_Get_Liga_Von_Team(t, true) < 0) continue;
        if (a < 0) a = k;
        else if (Wettbewerb_Get_Liga_Von_Team(t, true) != Wettbewerb_Get_Liga_Von_Team(st().teams[static_cast<size_t>(a)], true))
            b = k;
    }
    ASSERT_GE(b, 0);
    const i32 ta = st().teams[static_cast<size_t>(a)], tb = st().teams[static_cast<size_t>(b)];
    const i32 la = Wettbewerb_Get_Liga_Von_Team(ta, true), lb = Wettbewerb_Get_Liga_Von_Team(tb, true);
    std::filesystem::remove(pfad(CONFIG_WETTBEWERB));
    kit::Klick(100, zeile_y(a), MAUS_RECHTS);
    kit::Frames(2);
    kit::Png("editor_verein_gemerkt");
    kit::Klick(15, zeile_y(b));
    kit::Frames(2);
    EXPECT_EQ(Wettbewerb_Get_Liga_Von_Team(ta, true), lb);
    EXPECT_EQ(Wettbewerb_Get_Liga_Von_Team(tb, true), la);
    EXPECT_EQ(Team_Wert(11, ta, 0, OP_LESEN), lb);
    const std::string text = lesen(pfad(CONFIG_WETTBEWERB));
    EXPECT_NE(text.find(EDITOR_INFOTEXT), std::string::npos);
    // No cache hides the new text from the next game.
    EXPECT_FALSE(std::filesystem::exists(W32_Pfad_Uebersetzen(Spielstand_Config_Pfad(Editor_Satz()))));
}

TEST_F(Editor, SpielerTauschenUndMarkieren) {
    const i32 team = st().team;
    const i32 p0 = st().spieler[0], p1 = st().spieler[1];
    const i32 s0 = wert(87, p0), s1 = wert(87, p1);
    kit::Klick(389, zeile_y(0));
    i32 mt = -1;
    ASSERT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_EDITOR_SPIELER_MARKE));
    EXPECT_EQ(static_cast<i32>(Menue_Screen_Icon_Aus_Nummer(ICON_EDITOR_SPIELER_MARKE)->user[0]), p0);
    kit::Png("editor_spieler_gemerkt");
    // The same player again: the mark goes, nothing moves.
    kit::Klick(389, zeile_y(0));
    EXPECT_EQ(static_cast<i32>(Menue_Screen_Icon_Aus_Nummer(ICON_EDITOR_SPIELER_MARKE)->user[0]), -1);
    EXPECT_EQ(wert(87, p0), s0);
    // Within the club: the squad places are exchanged.
    kit::Klick(389, zeile_y(0));
    kit::Klick(389, zeile_y(1));
    EXPECT_EQ(wert(87, p0), s1);
    EXPECT_EQ(wert(87, p1), s0);
    // Between clubs: marked here, exchanged with a player of the next club.
    const i32 q = st().spieler[3];
    kit::Klick(389, zeile_y(3));
    kit::Klick(100, zeile_y(1));
    const i32 anderer = st().team;
    ASSERT_NE(anderer, team);
    const i32 r = st().spieler[0];
    (void)mt;
    kit::Klick(389, zeile_y(0));
    EXPECT_EQ(Spieler_Get_Team(q), anderer);
    EXPECT_EQ(Spieler_Get_Team(r), team);
    EXPECT_EQ(Team_Kader_Anzahl(team), EDITOR_ZEILEN);
    EXPECT_EQ(Team_Kader_Anzahl(anderer), EDITOR_ZEILEN);
}

TEST_F(Editor, NationalitaetUeberKontinentUndLand) {
    const i32 p = st().spieler[4];
    kit::Klick(720, zeile_y(4));
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_KONTINENT_TITEL));
    // The first shown continent that has countries.
    const Screen_Icon* k = nullptr;
    for (i32 c = 0; c < EDITOR_KONTINENTE && !k; ++c) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_EDITOR_KONTINENT + c);
        if (i && !(i->status & MENUE_S_VERSTECKT)) k = i;
    }
    ASSERT_TRUE(k);
    kit::Klick(k->x + 40, k->y + 10);
    kit::Frames(2);
    ASSERT_FALSE(st().wahl_laender.empty());
    kit::Png("editor_nationalitaet");
    const Screen_Icon* l = Menue_Screen_Icon_Aus_Nummer(ICON_EDITOR_LAND);
    ASSERT_TRUE(l);
    const i32 land = st().wahl_laender[0];
    kit::Klick(l->x + 40, l->y + 10);
    kit::Frames(2);
    EXPECT_EQ(wert(68, p), land);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_KONTINENT_TITEL));
}

TEST_F(Editor, SortierungNachNameUndLand) {
    auto name = [](i32 t) { return std::string(Team_String(721, t, nullptr, 0)); };
    auto klein = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (size_t i = 1; i < st().teams.size(); ++i) EXPECT_LE(klein(name(st().teams[i - 1])), klein(name(st().teams[i])));
    klick_icon(ICON_EDITOR_SORT_NAME);
    EXPECT_EQ(st().sortierung, 1);
    for (size_t i = 1; i < st().teams.size(); ++i) EXPECT_GE(klein(name(st().teams[i - 1])), klein(name(st().teams[i])));
    klick_icon(ICON_EDITOR_SORT_LAND);
    EXPECT_EQ(st().sortierung, 2);
    for (size_t i = 1; i < st().teams.size(); ++i) {
        const std::string a = klein(Team_String(6, st().teams[i - 1], nullptr, 0)),
                          b = klein(Team_String(6, st().teams[i], nullptr, 0));
        EXPECT_LE(a, b) << i;
    }
    // Scrolling the list by its knob's value.
    Editor_Team_Scrollen(nullptr, 30, 0);
    EXPECT_EQ(st().team_erster, 30);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_EDITOR_TEAM_KNOPF));
}

TEST_F(Editor, TransfermarktListen) {
    klick_icon(ICON_EDITOR_MARKT);
    EXPECT_EQ(st().markt, 0);
    ASSERT_GT(st().spieler.size(), static_cast<size_t>(EDITOR_ZEILEN));
    for (i32 p : st().spieler) EXPECT_FALSE(wert(75, p) & SP_STATUS_SCOUT);
    for (size_t i = 1; i < st().spieler.size(); ++i) EXPECT_LE(wert(68, st().spieler[i - 1]), wert(68, st().spieler[i]));
    // The long list scrolls; the walk follows it past the shown rows.
    Editor_Spieler_Scrollen(nullptr, 5, 0);
    EXPECT_EQ(st().spieler_erster, 5);
    kit::Klick(610, zeile_y(EDITOR_ZEILEN - 1));
    kit::Warten(200);
    kit::Taste(VK_TAB);
    kit::Frames(2);
    EXPECT_EQ(st().feld.spieler, st().spieler[static_cast<size_t>(5 + EDITOR_ZEILEN)]);
    EXPECT_EQ(st().spieler_erster, 6);
    klick_icon(ICON_EDITOR_SCOUTS);
    EXPECT_EQ(st().markt, 1);
    for (i32 p : st().spieler) EXPECT_TRUE(wert(75, p) & SP_STATUS_SCOUT);
}

TEST_F(Editor, SchreibenUndNeuLesen) {
    const i32 t = st().teams[0];
    const i32 p = st().spieler[0];
    Team_String(721, t, const_cast<char*>("Geschriebener Verein"), 1);
    Spieler_Wert(74, p, 33, OP_SCHREIBEN);
    klick_icon(ICON_EDITOR_SPEICHERN);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(true);
    kit::Frames(2);
    for (int art : {CONFIG_TEAM, CONFIG_SPIELER, CONFIG_WETTBEWERB})
        EXPECT_NE(lesen(pfad(art)).find(EDITOR_INFOTEXT), std::string::npos) << art;
    EXPECT_NE(lesen(pfad(CONFIG_TEAM)).find("Geschriebener Verein"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(W32_Pfad_Uebersetzen(Spielstand_Config_Pfad(Editor_Satz()))));
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    // A change not written goes with the reload; the written one comes back.
    Team_String(721, t, const_cast<char*>("Nicht geschrieben"), 1);
    kit::Meldungen_Leeren();
    klick_icon(ICON_EDITOR_NEU_LADEN);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(true);
    kit::Frames(2);
    EXPECT_STREQ(Team_String(721, t, nullptr, 0), "Geschriebener Verein");
    EXPECT_EQ(wert(74, p), 33);
    EXPECT_TRUE(kit::Meldungen().empty()) << kit::Meldungen().front();
    EXPECT_EQ(st().team, Team_Aktiv);
}

TEST_F(Editor, VerweigerterOrdnerLaesstDieAltenDateien) {
    const std::string dateien[3] = {pfad(CONFIG_TEAM), pfad(CONFIG_SPIELER), pfad(CONFIG_WETTBEWERB)};
    std::string vorher[3];
    for (int i = 0; i < 3; ++i) vorher[i] = lesen(dateien[i]);
    Team_String(721, st().teams[0], const_cast<char*>("Nie geschrieben"), 1);
    // The folder refuses new files: read-only for an ordinary user; for the
    // superuser, who may write anyway, the writer's work file is taken.
    const fs::path ordner = fs::path(dateien[0]).parent_path();
    const bool root = geteuid() == 0;
    if (root) fs::create_directory(dateien[0] + ".neu.tmp");
    else fs::permissions(ordner, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(Editor_Speichern());
    if (root) fs::remove(dateien[0] + ".neu.tmp");
    else fs::permissions(ordner, fs::perms::owner_all);
    EXPECT_TRUE(meldung_mit("nicht geschrieben werden"));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lesen(dateien[i]), vorher[i]) << dateien[i];
    for (const auto& e : fs::directory_iterator(ordner))
        EXPECT_EQ(e.path().string().find(".neu"), std::string::npos) << e.path();
}

TEST_F(Editor, AbgebrocheneAenderungenLassenDieDateien) {
    const std::string team = pfad(CONFIG_TEAM), spieler = pfad(CONFIG_SPIELER);
    const std::string vorher_t = lesen(team), vorher_s = lesen(spieler);
    const i32 t = st().teams[0];
    const std::string alt = Team_String(721, t, nullptr, 0);
    // Escape drops the typed name.
    kit::Klick(80, zeile_y(0));
    eingeben("Halb getippt", VK_ESCAPE);
    EXPECT_EQ(Team_String(721, t, nullptr, 0), alt);
    // Changes made but not written, and the editor left: the files stay.
    kit::Klick(80, zeile_y(0));
    eingeben("Verworfen");
    klick_icon(ICON_EDITOR_BEENDEN);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(true);
    kit::Frames(2);
    EXPECT_FALSE(Screen_Offen(Screen_Id::EDITOR));
    EXPECT_EQ(Config_Modify_Set(), -1);
    EXPECT_EQ(lesen(team), vorher_t);
    EXPECT_EQ(lesen(spieler), vorher_s);
}

// The diagnostic page opens from the editor's world and fits above the
// dialog bar (its figures are checked in the diagnostic page's own tests).
TEST_F(Editor, DiagnoseSeiteAufDemBildschirm) {
    // The page itself.
    Screen_Schliessen(Screen_Id::EDITOR);
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::DIAGNOSE));
    kit::Spur_Leeren();
    kit::Frames(1);
    const Zeichenspur_Eintrag* not_teams = kit::Text("NOT-Teams:");
    ASSERT_TRUE(not_teams);
    EXPECT_LT(not_teams->y, 566);  // on the page, above the dialog bar
    EXPECT_TRUE(kit::Text("Transfermarkt-Stärken (nur Scouts):"));
    kit::Png("diagnose");
}

}  // namespace
