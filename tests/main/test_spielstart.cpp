// A new game through the start screen and the wizard, headless with the
// program's wiring and the generated archives: two managers page by page
// (with the refused face and club), the finished set-up in the main menu,
// a save into slot 3 and the load back; the start screen's network switch;
// and the finishing's league placement and start money on the loaded world.
// Each page leaves a PNG (KORDAVO_SPIELSTART_PNG names the folder; else the
// build folder's spielstart/).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <cstring>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "grafik_nummern.h"
#include "graphics/glatt.h"
#include "graphics/zeichenspur.h"
#include "graphics/resf.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "platform/headless.h"
#include "programm.h"
#include "world/global.h"
#include "start_klick.h"
#include "screens/club/spielstand.h"
#include "screens/screens.h"
#include "screens/start/spielstart.h"
#include "season/kalender_lauf.h"
#include "season/startkonten.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

#include "bild_ordner.h"

namespace {

std::string png(const std::string& name) {
    const char* ordner = std::getenv("KORDAVO_SPIELSTART_PNG");
    const std::string o = ordner && *ordner ? std::string(ordner) : bild_ordner::Ordner("spielstart");
    return (o.empty() ? std::string() : o + "/") + "spielstart_" + name + ".png";
}

std::string klick(i32 icon) { return Start_Klick(icon); }
std::string eintrag(i32 k) { return Start_Eintrag(k); }

bool sichtbar(i32 icon) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(icon);
    return i && !(i->status & MENUE_S_VERSTECKT);
}
bool grau(i32 icon) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(icon);
    return i && (i->status & MENUE_S_GRAU);
}

class Spielstart : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(Test_Programm_Starten("kordavo_start", &ordner, true)); }
    void TearDown() override { Test_Programm_Beenden(ordner); }
    // Runs a script part; while `filme_sammeln` the videos it opens are recorded.
    void lauf(const std::string& skript, i32 frames = 8) {
        if (filme_sammeln) Zeichenspur_Einschalten();
        // The whole script, then a few frames for what it started.
        ASSERT_TRUE(Headless_Skript(skript));
        i32 n = 0;
        do Headless_Frames(1);
        while (++n < 3000 && !Headless_Skript_Zu_Ende());
        ASSERT_TRUE(Headless_Skript_Zu_Ende());
        Headless_Frames(frames);
        if (!filme_sammeln) return;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_VIDEO && e.text == "start") {
                filme.push_back(e.nummer);
                orte.emplace_back(e.x, e.y);
            }
        Zeichenspur_Ausschalten();
    }
    bool filme_sammeln = false;
    std::vector<i32> filme;
    std::vector<std::pair<i32, i32>> orte;
    // Blits of `grafik` (its first entry for a range: any of them) drawn w x h
    // in the next frame, at (x, y) when given.
    i32 blits(i32 grafik, i32 w, i32 h, i32 x = -1, i32 y = -1) {
        Zeichenspur_Einschalten();
        Blt_Cache_Leeren();
        Menue_Screen_Refresh();
        i32 n = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_BLIT && e.grafik >= grafik && e.grafik < grafik + 10 && e.breite == w && e.hoehe == h &&
                (x < 0 || (e.x == x && e.y == y)))
                ++n;
        Zeichenspur_Ausschalten();
        return n;
    }
    void bild(const std::string& name) { lauf("wait 2\nscreenshot " + png(name) + "\n", 6); }
    // From the start screen into the wizard's first page.
    void neues_spiel() {
        lauf("wait 5\n", 8);
        ASSERT_TRUE(Screen_Offen(Screen_Id::SPIELSTART));
        lauf(klick(ICON_START_NEU), 12);
        ASSERT_EQ(Spielstart_Get_Zustand().seite, 0);
    }
    // One manager's pages 2..6: name, face, country entry, club entry, league entry.
    void manager(const char* name, i32 gesicht, i32 land, i32 verein, i32 liga, const std::string& bilder = "") {
        ASSERT_EQ(Spielstart_Get_Zustand().seite, 2);
        lauf(std::string("text ") + name + "\nwait 10\nkey return\nwait 3\n", 40);
        if (!bilder.empty()) bild(bilder + "3_gesicht");
        ASSERT_EQ(Spielstart_Get_Zustand().seite, 3) << name;
        lauf(klick(ICON_WIZ_EINTRAG + gesicht));
        if (!bilder.empty()) bild(bilder + "4_land");
        ASSERT_EQ(Spielstart_Get_Zustand().seite, 4) << name;
        lauf(eintrag(land));
        if (!bilder.empty()) bild(bilder + "5_verein");
        ASSERT_EQ(Spielstart_Get_Zustand().seite, 5) << name;
        lauf(eintrag(verein));
        if (!bilder.empty()) bild(bilder + "6_liga");
        ASSERT_EQ(Spielstart_Get_Zustand().seite, 6) << name;
        lauf(eintrag(liga));
    }
    std::string ordner;
};

// A club's squad as (strength, stars) pairs in squad order.
std::vector<std::pair<i32, i32>> kader_werte(i32 team) {
    i32 k[20];
    const i32 n = Teamspieler_Ins_Array(team, k, 20, 0);
    std::vector<std::pair<i32, i32>> v;
    for (i32 i = 0; i < n; ++i) v.emplace_back(Spieler_Wert(58, k[i], 0, OP_LESEN), Spieler_Wert(92, k[i], 0, OP_LESEN));
    return v;
}
const std::vector<std::pair<i32, i32>> ALPHA_KADER = {
    {6245, 6}, {6838, 6}, {5002, 5}, {6940, 6}, {6214, 6}, {7382, 7}, {7138, 7}, {5867, 5}, {6803, 6}, {6536, 6},
    {6632, 6}, {6236, 6}, {6148, 6}, {5025, 5}, {5888, 5}, {1311, 1}, {6085, 6}, {1119, 1}, {5034, 5}, {4680, 4}};

TEST_F(Spielstart, ZweiManagerDurchDenWizardSpeichernUndLaden) {
    lauf("wait 5\n", 8);
    // The start screen: new game, continue (greyed without a save), load, the
    // data editor and the network switch; the network controls hidden.
    const struct {
        i32 icon;
        bool zu_sehen, ist_grau;
    } start[] = {{ICON_START_NEU, true, false},     {ICON_START_WEITER, true, true},  {ICON_START_LADEN, true, false},
                 {ICON_START_EDITOR, true, false},  {ICON_START_NETZ, true, false},   {ICON_START_ROLLE, false, false},
                 {ICON_START_SUCHEN, false, false}, {ICON_START_STOPP, false, false}, {ICON_START_ADRESSE, false, false},
                 {ICON_START_FELD, false, false},   {ICON_START_PRUEFEN, false, false}};
    for (const auto& f : start) {
        EXPECT_EQ(sichtbar(f.icon), f.zu_sehen) << f.icon;
        EXPECT_EQ(grau(f.icon), f.ist_grau) << f.icon;
    }
    // Each big button is labelled with what it does, wherever it stands.
    const struct {
        i32 icon;
        const char* wort;
    } beschriftung[] = {{ICON_START_NEU, "Neues Spiel"},
                        {ICON_START_WEITER, "Weiter"},
                        {ICON_START_LADEN, "Laden"},
                        {ICON_START_EDITOR, "Daten-Editor"}};
    Zeichenspur_Einschalten();
    Blt_Cache_Leeren();
    Menue_Screen_Refresh();
    for (const auto& b : beschriftung) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(b.icon);
        ASSERT_NE(i, nullptr) << b.icon;
        std::string gesehen;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_TEXT && e.x >= i->x && e.x < i->x + i->w && e.y >= i->y && e.y < i->y + i->h)
                gesehen += e.sichtbar;
        // The centring tab of the label's markup is not a letter.
        gesehen.erase(0, gesehen.find_first_not_of('\t'));
        EXPECT_EQ(gesehen, b.wort) << "Knopf " << b.icon;
    }
    Zeichenspur_Ausschalten();
    bild("0_start");
    filme_sammeln = true;
    lauf(klick(ICON_START_NEU), 12);
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    ASSERT_EQ(z.seite, 0);
    EXPECT_TRUE(grau(ICON_WIZ_ZURUECK));
    EXPECT_EQ(Spielstart_Video_Hintergrund(), 55);
    // The count stays within 1..6 at both buttons.
    for (i32 n = 0; n < 7; ++n) lauf(klick(ICON_WIZ_PLUS), 8);
    EXPECT_EQ(z.anzahl, SPIELSTART_MANAGER_MAX);
    for (i32 n = 0; n < 7; ++n) lauf(klick(ICON_WIZ_MINUS), 8);
    EXPECT_EQ(z.anzahl, 1);
    lauf(klick(ICON_WIZ_PLUS), 8);
    ASSERT_EQ(z.anzahl, 2);
    bild("1_anzahl");
    // The count is drawn from the digit strip: one full-width row below ten,
    // two half-width rows from ten on.
    const struct {
        i32 anzahl, breite, stuecke;
    } ziffern[] = {{2, 40, 1}, {6, 40, 1}, {12, 20, 2}};
    for (const auto& f : ziffern) {
        const i32 vorher = z.anzahl;
        z.anzahl = f.anzahl;
        EXPECT_EQ(blits(GRAFIK_WIZ_ZIFFERN, f.breite, 46), f.stuecke) << f.anzahl;
        z.anzahl = vorher;
    }
    lauf(klick(ICON_WIZ_WEITER));
    ASSERT_EQ(z.seite, 1);
    EXPECT_TRUE(grau(ICON_WIZ_WEITER));  // no difficulty yet
    bild("2_schwierigkeit");
    lauf(eintrag(2));
    ASSERT_EQ(z.seite, 2);
    EXPECT_EQ(z.schwierigkeit, 2);
    EXPECT_EQ(Spielstart_Video_Seite(), 57);
    // A name to start from, replaced by the one typed.
    EXPECT_STREQ(Spielstart_Slots[0].name, "Manager 1");
    EXPECT_FALSE(grau(ICON_WIZ_WEITER));
    bild("3_name");
    // While the game is set up the market holds a placeholder manager.
    ASSERT_TRUE(Team_Hat_Manager(Team_Transfermarkt));
    EXPECT_STREQ(Team_String(300, Team_Transfermarkt, nullptr, 0), "Neuer Manager");
    // The first country's clubs: both managers choose from them.
    manager("Alpha", 0, 0, 0, 0, "a");
    ASSERT_EQ(z.seite, 2);
    ASSERT_EQ(z.slot, 1);
    // Back from the second manager's name shows the first one's league page.
    lauf(klick(ICON_WIZ_ZURUECK));
    EXPECT_EQ(z.seite, 6);
    EXPECT_EQ(z.slot, 0);
    lauf(eintrag(0));
    ASSERT_EQ(z.slot, 1);
    ASSERT_EQ(z.seite, 2);
    lauf("text Beta\nwait 10\nkey return\nwait 3\n", 40);
    ASSERT_EQ(z.seite, 3);
    // Alpha's face is refused (greyed, the page stays).
    lauf(eintrag(0));
    EXPECT_EQ(z.seite, 3);
    EXPECT_TRUE(grau(ICON_WIZ_EINTRAG));
    EXPECT_EQ(Spielstart_Slots[1].gesicht, -1);
    bild("b3_gesicht_vergeben");
    lauf(eintrag(1));
    ASSERT_EQ(z.seite, 4);
    lauf(eintrag(0));
    ASSERT_EQ(z.seite, 5);
    // Alpha's club is refused as well.
    lauf(eintrag(0));
    EXPECT_EQ(z.seite, 5);
    EXPECT_EQ(Spielstart_Slots[1].team, -1);
    bild("b5_verein_vergeben");
    lauf(eintrag(1));
    ASSERT_EQ(z.seite, 6);
    lauf(eintrag(0));
    // The final question.
    ASSERT_TRUE(Menue_Requester_Offen());
    bild("7_frage");
    // The summary shows Beta's league by its picture.
    EXPECT_EQ(blits(GRAFIK_WIZ_LIGA, 70, 70, 37, 443), 1);
    const i32 alpha = Spielstart_Slots[0].team, beta = Spielstart_Slots[1].team;
    const i32 liga = Spielstart_Slots[0].liga;
    filme_sammeln = false;
    ASSERT_GE(alpha, 0);
    ASSERT_GE(beta, 0);
    ASSERT_NE(alpha, beta);
    // The strengths the finishing gives Alpha's squad from a known place of
    // the random table (a change of the scaling or of its draws shows here).
    Rnd_Set_Index(1000, 0);
    const size_t vorab = Resf_Vorab_Anzahl();
    lauf("move 116 424\nwait 2\nclick left\n", 1);
    ASSERT_EQ(Spielstart_Beendet, 1);
    // The main menu's pictures went to the graphics workers while the game
    // was made (background, header, dialog bar and buttons).
    EXPECT_GE(Resf_Vorab_Anzahl(), vorab + 6);
    EXPECT_EQ(kader_werte(alpha), ALPHA_KADER);
    lauf("wait 10\n", 40);
    for (i32 n = 0; n < 300 && Kalender_Get_Runmodus() != RUNMODUS_SPIEL; ++n) lauf("wait 5\n", 8);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    EXPECT_EQ(Spielstart_Beendet, 1);
    EXPECT_EQ(Schwierigkeit, 2);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 2);
    EXPECT_FALSE(Team_Hat_Manager(Team_Transfermarkt));
    EXPECT_STREQ(Team_String(300, alpha, nullptr, 0), "Alpha");
    EXPECT_STREQ(Team_String(300, beta, nullptr, 0), "Beta");
    // Alpha plays in the league he chose, with the money of difficulty 2 at its level.
    EXPECT_EQ(Wettbewerb_Get_Liga_Von_Team(alpha, true), liga);
    EXPECT_EQ(Bank_Get_Kontostand(alpha, 0, -1),
              static_cast<f64>(Startkonto_Betrag(2, Wettbewerb_Get_Liga_Prozent(alpha))));
    if (Wettbewerb_Get_Liga_Prozent(alpha) == 100) {
        EXPECT_EQ(Bank_Get_Kontostand(alpha, 0, -1), 3500000.0);
    }
    EXPECT_NE(Werbung_Get(alpha), nullptr);
    // The finishing fitted both clubs' grounds to their league; the ticket
    // price stays the usual one and the comfort that of a normal ground of
    // the class (not the lowest price and no comfort at all).
    for (i32 t : {alpha, beta}) {
        const Stadion_Daten* st = Stadion_Get(t, 1);
        ASSERT_NE(st, nullptr);
        EXPECT_EQ(st->eintrittspreis, Stadion_Get_Level(1)) << t;
        EXPECT_GE(st->komfort, Stadion_Get_Klasse(st->klasse).normkomfort) << t;
        EXPECT_GT(st->komfort, 0) << t;
    }
    // The videos opened on the way: the background, then each page's own
    // (name, face, country, club, league) at its place beside the buttons.
    const std::vector<i32> erwartet = {55, 57, 56, 53, 58, 54};
    ASSERT_GE(filme.size(), erwartet.size());
    EXPECT_EQ(std::vector<i32>(filme.begin(), filme.begin() + 6), erwartet);
    for (const auto& [x, y] : orte) {
        EXPECT_TRUE((x == 0 && y == 0) || (x == 540 && y == 446)) << x << "," << y;
    }
    for (i32 n = 0; n < 300 && !(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) && !Menue_Requester_Offen()); ++n)
        lauf(std::string(Menue_Requester_Offen() ? "click right 400 300\n" : "") + "wait 5\n", 10);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));
    bild("8_hauptmenue");

    // Save into slot 3 with its description, then load it back.
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::SPEICHERN));
    lauf("wait 2\n" + std::string("move 300 ") + std::to_string(DISK_ZEILE_Y0 + DISK_ZEILE_H * 3 + 10) +
         "\nwait 2\nclick left\nwait 3\n");
    ASSERT_EQ(Disk_Screen_Gewaehlt(), 3);
    bild("9_speichern");
    lauf("key backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\n"
         "key backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\ntext Testspiel\nwait 12\nkey return\n",
         40);
    lauf(klick(ICON_SPEICHERN_KNOPF), 40);
    Spielstand_Beschreibung b{};
    ASSERT_TRUE(Spielstand_Get_Beschreibung(3, &b));
    EXPECT_STREQ(b.text, "Testspiel");
    EXPECT_STREQ(b.manager, Team_String(300, Team_Aktiv, nullptr, 0));
    // The notice that it was saved goes away with a click.
    ASSERT_TRUE(Menue_Requester_Offen());
    lauf("click right 400 300\nwait 3\n");
    ASSERT_FALSE(Menue_Requester_Offen());
    char zwischen[] = "Zwischendurch";
    Team_String(300, alpha, zwischen, 1);
    ASSERT_STREQ(Team_String(300, alpha, nullptr, 0), "Zwischendurch");
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::LADEN));
    // The slot saved last is still chosen (a click on it would take it back).
    if (Disk_Screen_Gewaehlt() != 3)
        lauf("wait 2\n" + std::string("move 300 ") + std::to_string(DISK_ZEILE_Y0 + DISK_ZEILE_H * 3 + 10) +
             "\nwait 2\nclick left\nwait 3\n");
    ASSERT_EQ(Disk_Screen_Gewaehlt(), 3);
    bild("10_laden");
    lauf(klick(ICON_LADEN_KNOPF), 40);
    EXPECT_STREQ(Team_String(300, alpha, nullptr, 0), "Alpha");
    EXPECT_EQ(Spielstand_Get_Letzter(), 3);
}

TEST_F(Spielstart, NetzSchalterZeigtDieRollen) {
    lauf("wait 5\n", 8);
    // On: a client (the role of a new manager), with the server choice shown;
    // server/client flips the role; off: single play and the old buttons.
    const struct {
        i32 icon;
        bool einzel, client, server;
        i32 rolle_nachher;
        const char* name;
    } schritte[] = {
        {ICON_START_NETZ, false, true, false, INTERNET_MODUS_CLIENT, "netz_client"},
        {ICON_START_ROLLE, false, false, true, INTERNET_MODUS_SERVER, "netz_server"},
        {ICON_START_ROLLE, false, true, false, INTERNET_MODUS_CLIENT, nullptr},
        {ICON_START_NETZ, true, false, false, INTERNET_MODUS_EINZEL, nullptr},
    };
    for (const auto& s : schritte) {
        lauf(klick(s.icon), 8);
        EXPECT_EQ(Internet_Modus, s.rolle_nachher) << s.icon;
        EXPECT_TRUE(sichtbar(ICON_START_ROLLE) == !s.einzel);
        EXPECT_EQ(sichtbar(ICON_START_SUCHEN), s.client);
        EXPECT_EQ(sichtbar(ICON_START_PRUEFEN), s.client);
        EXPECT_EQ(sichtbar(ICON_START_FELD), s.client);
        EXPECT_EQ(sichtbar(ICON_START_LADEN), !s.client);
        EXPECT_EQ(sichtbar(ICON_START_WEITER), !s.client);
        EXPECT_EQ(sichtbar(ICON_START_EDITOR), s.einzel);  // the editor in single play only
        if (s.name) bild(s.name);
    }
    // Editing the address: a new address resets the test to "???"; a text
    // that is no address keeps the old one.
    lauf(klick(ICON_START_NETZ), 8);
    Spielstart_Netz& n = Spielstart_Get_Netz();
    n.test = 0;
    lauf(klick(ICON_START_ADRESSE), 8);
    lauf("key backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\n"
         "key backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\nkey backspace\n"
         "text 10.1.2.3\nwait 12\nkey return\nwait 3\n",
         40);
    EXPECT_EQ(n.adresse[0], 10);
    EXPECT_EQ(n.adresse[3], 3);
    EXPECT_EQ(n.test, -1);
    bild("netz_adresse");
    lauf(klick(ICON_START_ADRESSE), 8);
    lauf("key backspace\nkey backspace\ntext x\nwait 4\nkey return\nwait 3\n", 40);
    EXPECT_EQ(n.adresse[3], 3);  // "10.1.2.x" is no address
    lauf(klick(ICON_START_NETZ), 8);
    EXPECT_EQ(Internet_Modus, INTERNET_MODUS_EINZEL);
}

}  // namespace

namespace {

TEST(SpielstartRegeln, NamenUndAdressen) {
    const struct {
        const char* name;
        bool gut;
    } namen[] = {{"Alpha", true},
                 {"M\xFCller-L\xFC" "denscheid", true},  // Windows-1252 umlauts
                 {"", false},
                 {"   ", false},
                 {"abcdefghijklmnopqrstuvwxyzabcdefghi", true},   // 35
                 {"abcdefghijklmnopqrstuvwxyzabcdefghij", false},  // 36
                 {"Ab^c", false},                                  // the markup's escape
                 {"Tab\tulator", false},
                 {"Zeichen \x81", false}};  // a byte without a character
    for (const auto& n : namen) EXPECT_EQ(Spielstart_Name_Gueltig(n.name), n.gut) << n.name;
    const struct {
        i32 a[4];
        const char* text;
    } adressen[] = {{{192, 168, 0, 1}, "192.168.0.1"}, {{10, -1, 2, 3}, "10.2.3"}, {{-1, -1, -1, -1}, ""}};
    for (const auto& a : adressen) {
        char t[32];
        Spielstart_Adresse_Text(a.a, t, sizeof t);
        EXPECT_STREQ(t, a.text);
    }
}

TEST_F(Spielstart, AbschlussLigenGeldUndLandwahl) {
    neues_spiel();
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    // The start money by difficulty at the top level (the amount and
    // 500,000, rounded down to 100,000); an unset difficulty counts as 2.
    i32 oben = -1;
    for (i32 t = 0; t < Team_Anzahl && oben < 0; ++t)
        if ((Team_Daten[t].art & TEAM_ART_VEREIN) && Wettbewerb_Get_Liga_Prozent(t) == 100) oben = t;
    ASSERT_GE(oben, 0);
    const i64 geld[] = {6500000, 5000000, 3500000, 3000000, 2500000};
    for (i32 s = 0; s < 5; ++s) EXPECT_EQ(Spielstart_Startgeld(oben, s), geld[s]) << s;
    EXPECT_EQ(Spielstart_Startgeld(oben, -1), 3500000);

    // A new country clears the club and the league chosen before.
    z.anzahl = 1, z.slot = 0;
    Spielstart_Slot& s = Spielstart_Slots[0];
    std::snprintf(s.name, sizeof s.name, "Gamma");
    s.gesicht = 3, s.team = 5, s.liga = 2;
    z.seite = 3;
    Spielstart_Seite_Init(1);
    ASSERT_EQ(z.seite, 4);
    lauf(eintrag(1));
    EXPECT_EQ(s.land, z.laender[1]);
    EXPECT_EQ(s.team, -1);
    EXPECT_EQ(s.liga, -1);
    ASSERT_EQ(z.seite, 5);

    // League placement: a club moved into another league changes places
    // with that league's last club; its own league moves nothing.
    const i32 t0 = z.teams[0];
    const i32 alt = Wettbewerb_Get_Liga_Von_Team(t0, true);
    ASSERT_GE(alt, 0);
    i32 ziel = -1;
    for (i32 i = 0; i < z.ligen_anzahl + 128 && ziel < 0; ++i) {
        i32 ligen[128];
        const i32 n = Wettbewerb_Get_Aktive(-1, ligen, true);
        for (i32 k = 0; k < n && ziel < 0; ++k)
            if (ligen[k] != alt) ziel = ligen[k];
    }
    ASSERT_GE(ziel, 0);
    // The league's last club of its start list (the season has not entered its clubs yet).
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(ziel);
    ASSERT_NE(w, nullptr);
    i32 p = w->startteam_anzahl - 1;
    while (p > 0 && w->start_team[p] < 0) --p;
    const i32 letzter = w->start_team[p];
    ASSERT_GE(letzter, 0);
    s.team = t0, s.liga = ziel, s.behalten = 1;
    Spielstart_Teams_Angleichen();
    EXPECT_EQ(Team_Wert(11, t0, 0, OP_LESEN), ziel);
    EXPECT_EQ(Team_Wert(11, letzter, 0, OP_LESEN), alt);
    EXPECT_EQ(Wettbewerb_Get_Liga_Von_Team(t0, true), ziel);
    EXPECT_EQ(Wettbewerb_Get_Liga_Von_Team(letzter, true), alt);
    EXPECT_EQ(w->start_team[p], t0);
    // Chosen again: the club is in that league already, nothing moves.
    Spielstart_Teams_Angleichen();
    EXPECT_EQ(Team_Wert(11, t0, 0, OP_LESEN), ziel);
    EXPECT_EQ(Team_Wert(11, letzter, 0, OP_LESEN), alt);

    // The easiest level starts the squad afresh (form 4, value 56 at 0),
    // whether the club is kept or not; the other levels leave it.
    const struct {
        i32 schwierigkeit, behalten;
        bool frisch;
    } stufen[] = {{0, 1, true}, {0, 0, true}, {1, 1, false}, {2, 0, false}, {4, 1, false}};
    for (const auto& f : stufen) {
        i32 k[20];
        const i32 n = Teamspieler_Ins_Array(t0, k, 20, 0);
        ASSERT_GT(n, 0);
        for (i32 i = 0; i < n; ++i) Spieler_Wert(90, k[i], 6, OP_SCHREIBEN), Spieler_Wert(56, k[i], 3, OP_SCHREIBEN);
        Schwierigkeit = f.schwierigkeit;
        s.behalten = f.behalten;
        Spielstart_Teams_Angleichen();
        for (i32 i = 0; i < n; ++i) {
            EXPECT_EQ(Spieler_Wert(90, k[i], 0, OP_LESEN), f.frisch ? 4 : 6) << f.schwierigkeit << "/" << f.behalten;
            EXPECT_EQ(Spieler_Wert(56, k[i], 0, OP_LESEN), f.frisch ? 0 : 3) << f.schwierigkeit << "/" << f.behalten;
        }
    }
    Schwierigkeit = 2;
}

}  // namespace

namespace {

// A game saved in slot 0 of an earlier run, read again from the start
// screen through "Laden" into a world that is still empty; a load screen
// left by its back button shows the start screen again.
TEST_F(Spielstart, LadenVomStartbildschirm) {
    namespace fs = std::filesystem;
    // A quick game with the mouse alone (the name to start from) and its save.
    neues_spiel();
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    lauf(klick(ICON_WIZ_WEITER));
    lauf(eintrag(1));
    ASSERT_EQ(z.seite, 2);
    lauf(klick(ICON_WIZ_WEITER));
    lauf(eintrag(2));
    lauf(eintrag(0));
    lauf(eintrag(2));
    lauf(eintrag(0));
    ASSERT_TRUE(Menue_Requester_Offen());
    lauf("move 116 424\nwait 2\npress left\nwait 2\nrelease left\nwait 10\n", 40);
    for (i32 n = 0; n < 300 && Kalender_Get_Runmodus() != RUNMODUS_SPIEL; ++n) lauf("wait 5\n");
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    const i32 team = Team_Aktiv;
    ASSERT_STREQ(Team_String(300, team, nullptr, 0), "Manager 1");
    K_NEUER_TAG(KALENDER_SPEICHERN, 0);
    lauf("wait 10\n", 20);
    const std::string datei = std::string(W32_Dir_Tabelle[W32_DIR_SPIELSTAND]) + "/game_0.kdv";
    ASSERT_TRUE(fs::exists(datei)) << datei;
    const std::string kopie = ordner + "_game_0.kdv";
    fs::copy_file(datei, kopie, fs::copy_options::overwrite_existing);
    Test_Programm_Beenden(ordner);

    // A new start of the program with that save in its folder (a new
    // program has read no configuration yet).
    Global_Cfg_Leeren();
    ASSERT_TRUE(Test_Programm_Starten("kordavo_start", &ordner, true));
    fs::copy_file(kopie, std::string(W32_Dir_Tabelle[W32_DIR_SPIELSTAND]) + "/game_0.kdv");
    fs::remove(kopie);
    lauf("wait 5\n", 8);
    EXPECT_TRUE(grau(ICON_START_WEITER));  // no slot used last in this folder
    lauf(klick(ICON_START_LADEN));
    ASSERT_TRUE(Screen_Offen(Screen_Id::LADEN));
    EXPECT_EQ(Disk_Screen_Slot_Zustand(0), Disk_Slot_Zustand::BELEGT);
    bild("11_laden_vom_start");
    // Back: the start screen again.
    lauf(klick(ICON_LADEN_ABBRECHEN));
    EXPECT_FALSE(Screen_Offen(Screen_Id::LADEN));
    ASSERT_TRUE(Screen_Offen(Screen_Id::SPIELSTART));
    // Load without a slot chosen: the screen asks for one and stays.
    lauf(klick(ICON_START_LADEN));
    lauf(klick(ICON_LADEN_KNOPF));
    EXPECT_TRUE(Screen_Offen(Screen_Id::LADEN));
    if (Menue_Requester_Offen()) lauf("click right 400 300\nwait 3\n");
    lauf("move 300 " + std::to_string(DISK_ZEILE_Y0 + 10) + "\nwait 2\nclick left\nwait 3\n");
    ASSERT_EQ(Disk_Screen_Gewaehlt(), 0);
    lauf(klick(ICON_LADEN_KNOPF), 40);
    for (i32 n = 0; n < 100 && Kalender_Get_Runmodus() != RUNMODUS_SPIEL; ++n) lauf("wait 5\n");
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    EXPECT_EQ(Spielstart_Beendet, 1);
    EXPECT_STREQ(Team_String(300, team, nullptr, 0), "Manager 1");
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_START_NEU));
    EXPECT_FALSE(Team_Hat_Manager(Team_Transfermarkt));
    EXPECT_EQ(Spielstand_Get_Letzter(), 0);
    // The loaded game has its scouts: names and fees, as a new game has them.
    for (i32 s = 0; s < SCOUT_ANZAHL; ++s) {
        EXPECT_STRNE(Scout_Tabelle[s].vorname, "") << "scout " << s;
        EXPECT_GT(Global_Scout_Grundpreis(s, team), 0) << "scout " << s;
    }
}

}  // namespace
