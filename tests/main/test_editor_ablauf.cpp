// The data editor headless with the program's wiring: from the start
// screen into the editor, a club renamed, its crest and first kit changed,
// a player's look and attributes edited, the files written, the editor
// left, and a new game through the wizard with the edited club: the game
// reads the edited world back without a message, the main menu shows the
// club, and its first match, played with the live view, shows the new name
// and crest in the header bar and the figures in the new kit. Each step
// leaves a PNG (KORDAVO_EDITOR_PNG names the folder).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "base/meldung.h"
#include "grafik_nummern.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "platform/headless.h"
#include "programm.h"
#include "screens/editor/attribut_edit.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor.h"
#include "screens/editor/wappen.h"
#include "screens/live_view/figur_palette.h"
#include "screens/live_view/spielansicht.h"
#include "screens/screens.h"
#include "screens/start/spielstart.h"
#include "season/ankuendigung.h"
#include "season/kalender_lauf.h"
#include "season/wettbewerb_schreiben.h"
#include "world/attribut.h"
#include "world/team.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace {

std::string png(const std::string& name) {
    const char* ordner = std::getenv("KORDAVO_EDITOR_PNG");
    return (ordner ? std::string(ordner) + "/" : std::string()) + "editor_" + name + ".png";
}

std::string an(i32 x, i32 y, const char* taste = "left") {
    return "move " + std::to_string(x) + " " + std::to_string(y) + "\nwait 2\npress " + taste + "\nwait 2\nrelease " +
           taste + "\nwait 3\n";
}
std::string klick(i32 icon) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(icon);
    if (!i) return "wait 1\n";
    return an(i->x + i->w / 2, i->y + i->h / 2);
}
// The requester's yes, or its only button.
std::string ja() {
    const Screen_Icon* k2 = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_2);
    const Screen_Icon* k1 = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_1);
    const bool eins = k1 && !(k1->status & MENUE_S_VERSTECKT);
    return klick(eins ? ICON_REQ_KNOPF_1 : k2 ? ICON_REQ_KNOPF_2 : ICON_REQ_KNOPF_1);
}

// The view that shows a match of the club (null while none does).
const Spielansicht_View* live_view_von(i32 team) {
    const Spielansicht_View* views = Spielansicht_Views();
    for (int s = 0; s < SA_VIEWS; ++s)
        if (views[s].present && views[s].pitch &&
            (static_cast<i32>(views[s].pitch->team[0]) == team || static_cast<i32>(views[s].pitch->team[1]) == team))
            return &views[s];
    return nullptr;
}

// The 16-bit pixels a figure's shirt takes with this shirt colour: the
// entries of a colour table that change with the shirt alone.
std::vector<std::pair<i32, u16>> hemd_pixel(const u8 hemd[3]) {
    Sa_Figur_Farben a{}, b{};
    std::memcpy(&a.rgb[6], hemd, 3);
    b.rgb[6] = static_cast<u8>(hemd[0] ^ 0x80), b.rgb[7] = static_cast<u8>(hemd[1] ^ 0x80),
    b.rgb[8] = static_cast<u8>(hemd[2] ^ 0x80);
    u16 ta[256], tb[256];
    Spielansicht_Farbtabelle(ta, a);
    Spielansicht_Farbtabelle(tb, b);
    std::vector<std::pair<i32, u16>> r;
    for (i32 i = 0; i < 256; ++i)
        if (ta[i] != tb[i]) r.emplace_back(i, ta[i]);
    return r;
}

class Editor_Ablauf : public ::testing::Test {
  protected:
    void SetUp() override {
        meldungen.clear();
        ASSERT_TRUE(Test_Programm_Starten("kordavo_editor", &ordner, true));
        Meldung_Set_Hooks({.zeigen = [](const char* t) { meldungen.emplace_back(t); }});
    }
    void TearDown() override {
        Meldung_Hooks_Zuruecksetzen();
        Test_Programm_Beenden(ordner);
    }
    void lauf(const std::string& skript, i32 frames = 8) {
        ASSERT_TRUE(Headless_Skript(skript));
        i32 n = 0;
        do Headless_Frames(1);
        while (++n < 3000 && !Headless_Skript_Zu_Ende());
        ASSERT_TRUE(Headless_Skript_Zu_Ende());
        Headless_Frames(frames);
    }
    void bild(const std::string& name) { lauf("wait 2\nscreenshot " + png(name) + "\n", 6); }
    // A wizard list entry showing `wert` of `liste` (scrolled there first).
    void waehlen(const i32* liste, i32 anzahl, i32 wert) {
        const i32* w = std::find(liste, liste + anzahl, wert);
        ASSERT_NE(w, liste + anzahl) << wert;
        Spielstart_Zustand& z = Spielstart_Get_Zustand();
        z.erster = static_cast<i32>(w - liste);
        Spielstart_Seite_Init(0);
        lauf("wait 2\n");
        lauf(klick(ICON_WIZ_EINTRAG));
    }
    std::string ordner;
    static inline std::vector<std::string> meldungen;
};

TEST_F(Editor_Ablauf, BearbeitenSchreibenUndNeuesSpiel) {
    lauf("wait 5\n", 8);
    ASSERT_TRUE(Screen_Offen(Screen_Id::SPIELSTART));
    const Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_START_EDITOR);
    ASSERT_TRUE(knopf);
    EXPECT_FALSE(knopf->status & MENUE_S_VERSTECKT);
    bild("0_start");
    lauf(klick(ICON_START_EDITOR), 12);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_RAHMEN));
    Editor_Zustand& st = Editor_Get_Zustand();
    // The first ordinary club with a league, in the first row.
    i32 verein = -1;
    for (i32 t = 0; t < Team_Anzahl && verein < 0; ++t)
        if (t != Team_Transfermarkt && (Team_Get_Art(t) & TEAM_ART_VEREIN) && Team_Wert(11, t, 0, OP_LESEN) >= 0)
            verein = t;
    ASSERT_GE(verein, 0);
    const auto it = std::find(st.teams.begin(), st.teams.end(), verein);
    ASSERT_NE(it, st.teams.end());
    Editor_Teamliste(static_cast<i32>(it - st.teams.begin()), -1);
    const i32 y0 = EDITOR_ZEILE_Y0 + 8;
    lauf(an(100, y0));
    ASSERT_EQ(st.team, verein);
    ASSERT_TRUE(st.feld.aktiv);
    lauf("text \"Kordavo Elf\"\nwait 4\nkey return\nwait 4\n");
    ASSERT_STREQ(Team_String(721, verein, nullptr, 0), "Kordavo Elf");
    bild("1_haupt");
    // Crest and first kit.
    lauf(an(354, y0));
    ASSERT_TRUE(Editor_Wappen_Offen());
    const i32 wappen = Team_Wert(9, verein, 0, OP_LESEN), trikot = Trikot_Get_TrikotNr(verein, 0);
    lauf(klick(ICON_WAPPEN_VOR) + "wait 30\n");
    lauf(klick(3843) + "wait 30\n");
    const i32 wappen_neu = Team_Wert(9, verein, 0, OP_LESEN), trikot_neu = Trikot_Get_TrikotNr(verein, 0);
    EXPECT_EQ(wappen_neu, wappen >= WAPPEN_MAX ? 1 : wappen + 1);
    EXPECT_NE(trikot_neu, trikot);
    bild("2_wappen");
    lauf(klick(ICON_WAPPEN_FERTIG));
    ASSERT_FALSE(Editor_Wappen_Offen());
    // The first player's look and attributes.
    const i32 spieler = st.spieler[0];
    lauf(an(771, y0));
    ASSERT_TRUE(Editor_Aussehen_Offen());
    lauf(klick(ICON_AUSSEHEN_VOR + 3) + "wait 30\n");
    lauf(klick(ICON_AUSSEHEN_VOR + 5) + "wait 30\n");
    const u32 look = static_cast<u32>(Spieler_Wert(65, spieler, 0, OP_LESEN));
    bild("3_aussehen");
    lauf(klick(ICON_AUSSEHEN_FERTIG));
    ASSERT_FALSE(Editor_Aussehen_Offen());
    lauf(an(650, y0));
    ASSERT_EQ(Attribut_Edit_Spieler(), spieler);
    // A row the player has not yet: learned.
    i32 zeile = -1;
    for (i32 k = 0; k < Attribut_Edit_Zeilen() && zeile < 0; ++k)
        if (Attribut_Edit_Zustand(spieler, Attribut_Edit_Attribut(k)) == 0 && !Attribute_Ist_Negativ(Attribut_Edit_Attribut(k)))
            zeile = k;
    ASSERT_GE(zeile, 0);
    const i32 attribut = Attribut_Edit_Attribut(zeile);
    lauf(klick(ICON_AEDIT_ZEILE + zeile));
    const i32 zustand = Attribut_Edit_Zustand(spieler, attribut);
    EXPECT_NE(zustand, 0);
    bild("4_attribute");
    lauf(klick(ICON_AEDIT_SCHLIESSEN));
    // Written, then the editor left for the start screen.
    lauf(klick(ICON_EDITOR_SPEICHERN));
    ASSERT_TRUE(Menue_Requester_Offen());
    lauf(ja(), 10);
    ASSERT_TRUE(Menue_Requester_Offen());  // "written"
    bild("5_gespeichert");
    lauf(ja(), 10);
    lauf(klick(ICON_EDITOR_BEENDEN));
    ASSERT_TRUE(Menue_Requester_Offen());
    lauf(ja(), 12);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_RAHMEN));
    bild("5b_start");
    ASSERT_TRUE(Screen_Offen(Screen_Id::SPIELSTART));
    EXPECT_EQ(Config_Modify_Set(), -1);

    // A new game with one manager on the edited club.
    meldungen.clear();
    lauf(klick(ICON_START_NEU), 12);
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    ASSERT_EQ(z.seite, 0);
    lauf(klick(ICON_WIZ_WEITER));
    lauf(klick(ICON_WIZ_EINTRAG + 2));
    ASSERT_EQ(z.seite, 2);
    lauf("text Tester\nwait 10\nkey return\nwait 3\n", 40);
    ASSERT_EQ(z.seite, 3);
    lauf(klick(ICON_WIZ_EINTRAG));
    ASSERT_EQ(z.seite, 4);
    waehlen(z.laender, z.laender_anzahl, Team_Wert(6, verein, 0, OP_LESEN));
    ASSERT_EQ(z.seite, 5);
    EXPECT_STREQ(Team_String(721, verein, nullptr, 0), "Kordavo Elf");
    waehlen(z.teams, z.teams_anzahl, verein);
    ASSERT_EQ(z.seite, 6);
    waehlen(z.ligen, z.ligen_anzahl, Team_Wert(11, verein, 0, OP_LESEN));
    ASSERT_TRUE(Menue_Requester_Offen());
    lauf(ja(), 40);
    for (i32 n = 0; n < 300 && Kalender_Get_Runmodus() != RUNMODUS_SPIEL; ++n) lauf("wait 5\n", 8);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    for (i32 n = 0; n < 300 && !(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) && !Menue_Requester_Offen()); ++n)
        lauf(std::string(Menue_Requester_Offen() ? "click right 400 300\n" : "") + Ankuendigung_Wegklicken() + "wait 5\n",
             10);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));
    // The edited world, read back from the written files.
    EXPECT_EQ(Team_Aktiv, verein);
    EXPECT_STREQ(Team_String(721, verein, nullptr, 0), "Kordavo Elf");
    EXPECT_EQ(Team_Wert(9, verein, 0, OP_LESEN), wappen_neu);
    EXPECT_EQ(Trikot_Get_TrikotNr(verein, 0), trikot_neu);
    EXPECT_EQ(static_cast<u32>(Spieler_Wert(65, spieler, 0, OP_LESEN)), look);
    EXPECT_EQ(Attribut_Edit_Zustand(spieler, attribut), zustand);
    for (const std::string& m : meldungen) ADD_FAILURE() << "message: " << m;
    // The main menu shows the club by its new name.
    Zeichenspur_Einschalten();
    Headless_Frames(2);
    bool gesehen = false;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        gesehen = gesehen || (e.art == SPUR_TEXT && e.text.find("Kordavo Elf") != std::string::npos);
    Zeichenspur_Ausschalten();
    EXPECT_TRUE(gesehen);
    bild("6_hauptmenue");

    // Day by day to the club's first match, shown live. The trace is kept
    // from the frame the view is built on: its header bars are drawn then.
    Test_Live_Ansicht(true);
    Zeichenspur_Einschalten();
    const Spielansicht_View* v = nullptr;
    for (i32 n = 0; n < 3000 && !(v = live_view_von(verein)); ++n) {
        Zeichenspur_Leeren();
        if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && !Spielankuendigung_Screen_Offen() &&
            Spielankuendigung_Puffer_Leer() && !Menue_Requester_Offen() &&
            Menue_Screen_Icon_Ist_Vorhanden(ICON_ZUG_ENDE))
            lauf("move 750 583\nwait 2\nclick left\nwait 3\n", 4);
        else if (Menue_Requester_Offen())
            lauf("click right 400 300\nwait 3\n", 4);
        else
            lauf(std::string(Ankuendigung_Wegklicken()) + "wait 2\n", 2);
    }
    ASSERT_TRUE(v) << "the club's match was not shown live";
    const i32 seite = static_cast<i32>(v->pitch->team[0]) == verein ? 0 : 1;
    ASSERT_TRUE(v->kopf_gross);
    // The header bar: the new name written into it, the crest drawn into it at its side's place.
    bool name_im_kopf = false;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        name_im_kopf = name_im_kopf || (e.art == SPUR_TEXT && e.ziel == v->kopf_gross.get() &&
                                       e.sichtbar.find("Kordavo Elf") != std::string::npos);
    EXPECT_TRUE(name_im_kopf);
    const Zeichenspur_Eintrag* wappen_blit = Zeichenspur_Blit_Bei(seite == 0 ? 29 : 767, 16, v->kopf_gross.get());
    ASSERT_TRUE(wappen_blit) << "no crest in the header bar";
    EXPECT_EQ(wappen_blit->breite, 28);
    // The figures of the club wear the new kit: the view's colours are the
    // kit's, brightened for the pitch, and the shirt entries of every
    // outfield player's colour table take them. The goalkeeper wears the
    // keeper's kit the pairing chose (a borrowed one when the club's own
    // is like the other side's), and the brightening weighs it in.
    i32 torwart[2] = {-1, -1};
    Trikot_Team_VS_Team(static_cast<i32>(v->pitch->team[0]), static_cast<i32>(v->pitch->team[1]), &torwart[0],
                        &torwart[1], 2);
    ASSERT_GE(torwart[seite], 0);
    u8 block[36] = {};
    for (i32 slot = 0; slot < 2; ++slot) Trikot_Farben_Setzen(block, slot, Trikot_Get_TrikotNr(verein, slot));
    Trikot_Farben_Setzen(block, 2, torwart[seite]);
    Spielansicht_Trikot_Aufhellen(block);
    EXPECT_EQ(std::memcmp(block, v->trikot_farben[seite], 36), 0);
    const Trikot_Def* neu = Trikot_Get_TrikotStructure(trikot_neu);
    const Trikot_Def* alt = Trikot_Get_TrikotStructure(trikot);
    ASSERT_TRUE(neu && alt);
    const i32 gegner = static_cast<i32>(v->pitch->team[1 - seite]);
    const bool zweites =
        seite == 1 && Trikot_Is_Trikot_Equal(Trikot_Get_TrikotNr(gegner, 0), trikot_neu, TRIKOT_TOLERANZ, 0);
    const auto hemd = hemd_pixel(&v->trikot_farben[seite][zweites ? 12 : 0]);
    ASSERT_FALSE(hemd.empty());
    i32 figuren = 0;
    for (i32 s = seite * SF_PRO_SEITE; s < (seite + 1) * SF_PRO_SEITE; ++s) {
        if (v->pitch->spieler[s].spieler < 0 || v->pitch->objekt[s].torwart) continue;
        ++figuren;
        for (const auto& [index, pixel] : hemd) EXPECT_EQ(v->farben[s][index], pixel) << s << " " << index;
    }
    EXPECT_GE(figuren, 10);
    if (!zweites && neu->hemd != alt->hemd) {
        u8 alt_block[36] = {};
        Trikot_Farben_Setzen(alt_block, 0, trikot);
        Spielansicht_Trikot_Aufhellen(alt_block);
        EXPECT_NE(hemd_pixel(alt_block), hemd) << "the old kit would look the same";
    }
    // A few frames on, the bar is on the screen.
    Zeichenspur_Leeren();
    lauf("wait 3\n", 3);
    EXPECT_TRUE(Zeichenspur_Blit(GRAFIK_LIVE_KOPF_GROSS));
    Zeichenspur_Ausschalten();
    bild("7_live");
    Test_Live_Ansicht(false);
}

}  // namespace
