// The options screen in a new game with two human managers: opened from the
// main menu, the turn-limit cycle, the switches, the network server switch
// (also when the server cannot start), scrolling, closing, the per-manager
// scroll place; with one manager the server row is inert.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/globals.h"
#include "base/spielstand.h"
#include "grafik_nummern.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "screens/anmelden.h"
#include "screens/club/optionen.h"
#include "screens/screens.h"
#include "season/kalender_zug.h"
#include "season/optionen.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

// Centre of visible row r of the list.
i32 zeile_y(i32 r) { return 184 + OPTIONEN_ZEILE_H * r + 13; }

bool server_geht = false;
i32 server_auf = 0, server_zu = 0;

class Optionen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(2));
        server_geht = false;
        server_auf = server_zu = 0;
        Screens_Set_Hooks({
            .server_oeffnen =
                [] {
                    ++server_auf;
                    return server_geht;
                },
            .server_schliessen = [] { ++server_zu; },
            .lokale_adresse =
                [](u8 a[4]) {
                    a[0] = 192, a[1] = 168, a[2] = 1, a[3] = 7;
                },
        });
    }
    void TearDown() override {
        Screens_Set_Hooks({});
        kit::Beenden();
    }
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(3, 2));
        ASSERT_TRUE(Screen_Offen(Screen_Id::OPTIONEN));
        kit::Frames(40);  // the dialog's pop-up slides shut behind the screen
        ASSERT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_SPIEL)->y, 571);
    }
};

TEST_F(Optionen, AusDemHauptmenueGezeichnet) {
    ASSERT_EQ(Manager_Anzahl_Menschen(), 2);
    for (const std::string& m : kit::Meldungen()) ADD_FAILURE() << "the test world loads without a message: " << m;
    oeffnen();
    kit::Maus(300, zeile_y(2));  // the hover mark under the autosave row
    kit::Spur_Leeren();
    kit::Frames(1);
    const Zeichenspur_Eintrag* t = kit::Text("Optionen");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->font, 11);
    EXPECT_EQ(t->farbe, 65535);
    EXPECT_EQ(t->x, 249);
    EXPECT_EQ(t->y, 146);
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_OPTIONEN_LISTE, 40, 90));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_OPTIONEN_SCHLIESSEN, 700, 470));
    // Headings white in font 11, options in font 9; the server row with the address.
    struct Zeile {
        const char* text;
        i32 font, y;
        u16 farbe;
    } zeilen[] = {
        {"Spiel", 11, 201, 65535},
        {"Unbegrenzte Minuten Bedenkzeit", 9, 228, 57115},
        {"automatisch speichern", 9, 255, 57115},
        {"Adresse 192.168.1.7", 9, 309, 57115},
        {"Anzeige und Ton", 11, 390, 65535},
    };
    for (const Zeile& z : zeilen) {
        const Zeichenspur_Eintrag* e = kit::Text_Auf_Zeile(z.text, z.y);
        ASSERT_TRUE(e) << z.text;
        EXPECT_EQ(e->font, z.font) << z.text;
        EXPECT_EQ(e->farbe, z.farbe) << z.text;
    }
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_OPTIONEN_ZEILE, 300, zeile_y(2)));
    // Autosave (19) is on from the start: its tick; the turn limit (0) is off.
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_OPTIONEN_HAKEN, 50, 187 + 27 * 2 + 5));
    EXPECT_FALSE(kit::Grafik_Bei(GRAFIK_OPTIONEN_HAKEN, 50, 187 + 27 * 1 + 5));
    // A switch that is off shows its empty box (the help texts, row 8): a
    // frame in the panel's light edge where the tick stands when it is on;
    // the turn limit's and the client turn bound's rows are values: their
    // box is the minus button that steps them back.
    auto kasten = [](i32 r) {
        int n = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Flaechen(FARBE_KANTE_HELL, Screen_Rastport))
            n += e.x >= 43 && e.x < 63 && e.y >= 187 + 27 * r && e.y < 187 + 27 * r + 20;
        return n;
    };
    ASSERT_EQ(Option_Wert(40, 0, 0), 0);  // the help texts
    EXPECT_FALSE(kit::Grafik_Bei(GRAFIK_OPTIONEN_HAKEN, 50, 187 + 27 * 8 + 5));
    EXPECT_EQ(kasten(8), 4);
    EXPECT_EQ(kasten(1), 4);
    EXPECT_EQ(kasten(5), 4);
    EXPECT_TRUE(kit::Text_Auf_Zeile("-", 228));
    EXPECT_EQ(kasten(2), 0);  // ticked: the tick's picture
    kit::Png("optionen");
    // Headings and blank rows show no hover mark.
    for (i32 r : {0, 6}) {
        kit::Maus(300, zeile_y(r));
        kit::Spur_Leeren();
        kit::Frames(1);
        EXPECT_FALSE(Zeichenspur_Blit(GRAFIK_OPTIONEN_ZEILE)) << r;
    }
}

TEST_F(Optionen, ZugzeitZyklusUndSchalter) {
    oeffnen();
    std::vector<i32> werte;
    for (int k = 0; k < 11; ++k) {
        kit::Klick(300, zeile_y(1));
        werte.push_back(Option_Wert(0, 0, 0));
    }
    EXPECT_EQ(werte, (std::vector<i32>{60000, 120000, 180000, 240000, 300000, 360000, 420000, 480000, 540000,
                                       600000, 0}));
    kit::Klick(300, zeile_y(1));
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text("1 Minute Bedenkzeit"));
    // A network client cannot change it and sees it grey.
    Internet_Modus = INTERNET_MODUS_CLIENT;
    kit::Klick(300, zeile_y(1));
    EXPECT_EQ(Option_Wert(0, 0, 0), 60000);
    kit::Spur_Leeren();
    kit::Frames(1);
    ASSERT_TRUE(kit::Text("1 Minute Bedenkzeit"));
    EXPECT_EQ(kit::Text("1 Minute Bedenkzeit")->farbe, 33908);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    // Plain switches toggle; headings and blank rows ignore clicks.
    const i32 autosave = Option_Wert(OPTION_AUTOSAVE, 0, 0);
    kit::Klick(300, zeile_y(2));
    EXPECT_EQ(Option_Wert(OPTION_AUTOSAVE, 0, 0), autosave ^ 1);
    kit::Klick(300, zeile_y(2));
    EXPECT_EQ(Option_Wert(OPTION_AUTOSAVE, 0, 0), autosave);
    const i32 musik = Option_Wert(OPTION_TEAM_BIT_0, 0, 0);
    kit::Klick(300, zeile_y(9));
    EXPECT_EQ(Option_Wert(OPTION_TEAM_BIT_0, 0, 0), musik ^ 1);
    Option_Wert(40, 1, 5);
    kit::Klick(300, zeile_y(8));  // option 40: any other value becomes 0, then 0 becomes 1
    EXPECT_EQ(Option_Wert(40, 0, 0), 0);
    kit::Klick(300, zeile_y(8));
    EXPECT_EQ(Option_Wert(40, 0, 0), 1);
    i32 vorher[64];
    for (i32 o = 0; o < 64; ++o) vorher[o] = Option_Wert(o, 0, 0);
    for (i32 r : {0, 6, 7}) kit::Klick(300, zeile_y(r));
    kit::Klick(660, zeile_y(2));  // right of the list
    for (i32 o = 0; o < 64; ++o) EXPECT_EQ(Option_Wert(o, 0, 0), vorher[o]) << o;
}

TEST_F(Optionen, NetzwerkServerAnUndAusUndFehlschlag) {
    oeffnen();
    // The server cannot start: the option stays off, the message says so.
    kit::Meldungen_Leeren();
    kit::Klick(300, zeile_y(4));
    EXPECT_EQ(server_auf, 1);
    EXPECT_EQ(Option_Wert(21, 0, 0), 0);
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_EQ(kit::Meldungen()[0], Text_cfg_Text(TEXT_ZUSATZ, 142));
    kit::Requester_Antworten(true);
    ASSERT_FALSE(kit::Requester_Offen());
    EXPECT_EQ(Menue_Get_Rechtsklick_Icon(), ICON_OPTIONEN_SCHLIESSEN) << "the requester gives it back";
    // It starts: option 3, this manager's team the server's, the other human
    // manager's team waits for its client (status bit 16).
    server_geht = true;
    i32 menschen[2];
    ASSERT_EQ(Manager_Ist_Dran(menschen, 0, 0), 2);
    const i32 anderer = menschen[0] == Team_Aktiv ? menschen[1] : menschen[0];
    Team_Wert(7, anderer, static_cast<i32>(TEAM_STATUS_USER), OP_BITS_LOESCHEN);
    kit::Meldungen_Leeren();
    kit::Klick(300, zeile_y(4));
    EXPECT_EQ(Option_Wert(21, 0, 0), 3);
    EXPECT_EQ(Server_Lokales_Team, Team_Aktiv);
    EXPECT_TRUE(Team_Wert(7, anderer, 0, OP_LESEN) & TEAM_STATUS_USER);
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_EQ(kit::Meldungen()[0], Text_cfg_Text(TEXT_OPTIONEN, 26));
    kit::Requester_Antworten(true);
    // Off again: closed, no club's manager counts as active at a client.
    Team_Wert(7, anderer, static_cast<i32>(TEAM_STATUS_USER_AKTIV), OP_BITS_SETZEN);
    kit::Meldungen_Leeren();
    kit::Klick(300, zeile_y(4));
    EXPECT_EQ(server_zu, 1);
    EXPECT_EQ(Option_Wert(21, 0, 0), 0);
    EXPECT_FALSE(Team_Wert(7, anderer, 0, OP_LESEN) & TEAM_STATUS_USER_AKTIV);
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_EQ(kit::Meldungen()[0], Text_cfg_Text(TEXT_OPTIONEN, 27));
}

TEST_F(Optionen, ScrollenSchliessenUndProManager) {
    oeffnen();
    const Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_OPTIONEN_KNOPF);
    ASSERT_TRUE(knopf);
    EXPECT_EQ(knopf->y, 186);
    EXPECT_EQ(Optionen_Erste_Zeile(), 0);
    // The knob dragged to the bottom: the last nine rows come up, with the scroll sound.
    kit::Spur_Leeren();
    kit::Ziehen(758, knopf->y + 10, 758, 470, 8);
    EXPECT_EQ(Optionen_Erste_Zeile(), 9);
    const std::vector<i32> klaenge = kit::Klaenge();
    EXPECT_NE(std::find(klaenge.begin(), klaenge.end(), 13), klaenge.end());
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text("Spieltagsvorschau"));
    EXPECT_FALSE(kit::Text("Bedenkzeit"));
    // The row under the mouse now is table row 9 + r.
    EXPECT_EQ(Optionen_Zeile_Bei(300, zeile_y(9)), 18);
    kit::Png("optionen_gescrollt");
    // A right click anywhere closes the screen; the main menu stays.
    kit::Klick(100, 100, MAUS_RECHTS);
    EXPECT_FALSE(Screen_Offen(Screen_Id::OPTIONEN));
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_OPTIONEN_SCHLEIER));
    // Opened again: the same place. The other manager keeps his own.
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::OPTIONEN));
    EXPECT_EQ(Optionen_Erste_Zeile(), 9);
    kit::Klick(100, 100, MAUS_RECHTS);
    const i32 erster = Team_Aktiv;
    i32 menschen[2];
    ASSERT_EQ(Manager_Ist_Dran(menschen, 0, 0), 2);
    const i32 zweiter = menschen[0] == erster ? menschen[1] : menschen[0];
    Menue_Manager_Wechsel(zweiter);
    kit::Frames(2);
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::OPTIONEN));
    EXPECT_EQ(Optionen_Erste_Zeile(), 0);
    kit::Klick(100, 100, MAUS_RECHTS);
    Menue_Manager_Wechsel(erster);
    kit::Frames(2);
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::OPTIONEN));
    EXPECT_EQ(Optionen_Erste_Zeile(), 9);
    // The place is saved with the game: moved after saving, loading brings it back.
    kit::Klick(100, 100, MAUS_RECHTS);
    const std::string pfad = Spielstand_Pfad(5);
    ASSERT_TRUE(Spielstand_Speichern(pfad.c_str(), 1)) << Spielstand_Letzter_Fehler();
    Menue_Icon_Zustand_Setzen(ICON_OPTIONEN_KNOPF, 186);
    ASSERT_TRUE(Spielstand_Laden(pfad.c_str())) << Spielstand_Letzter_Fehler();
    Menue_Set_Aktiver_Manager(erster);
    kit::Frames(2);
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::OPTIONEN));
    EXPECT_EQ(Optionen_Erste_Zeile(), 9);
}

// Closed by its button or a right click, the options give back the main-menu
// screen they were opened over, drawn again; opened over the bare main menu
// they leave it bare.
TEST_F(Optionen, SchliessenGibtDenScreenVonVorherZurueck) {
    const struct {
        const char* name;
        int knopf, eintrag;
        Screen_Id screen;
        bool rechtsklick;
    } faelle[] = {
        {"Kader, Knopf", 0, 0, Screen_Id::KADER, false},
        {"Bank, Rechtsklick", 2, 0, Screen_Id::BANK, true},
        {"Rangliste, Knopf", 1, 3, Screen_Id::RANGLISTE, false},
        {"Hauptmenue, Knopf", -1, -1, Screen_Id::ANZAHL, false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.knopf >= 0) {
            ASSERT_TRUE(kit::Hauptmenue_Eintrag(f.knopf, f.eintrag));
            kit::Frames(40);
            ASSERT_TRUE(Screen_Offen(f.screen));
        }
        const Screen_Def* vorher = f.knopf >= 0 ? Screen_Holen(f.screen) : nullptr;
        const Screen_Icon* rahmen = vorher ? Menue_Screen_Icon_Aus_Nummer(vorher->rahmen) : nullptr;
        const u32 grafik = rahmen ? rahmen->grafik : MENUE_KEINE_GRAFIK;
        const i32 gx = rahmen ? rahmen->x + 2 : 0, gy = rahmen ? rahmen->y + 2 : 0;
        oeffnen();
        if (HasFatalFailure()) return;
        if (vorher) {
            EXPECT_FALSE(Screen_Offen(f.screen));
        }
        if (f.rechtsklick) {
            kit::Klick(100, 100, MAUS_RECHTS);
        } else {
            const Screen_Icon* zu = Menue_Screen_Icon_Aus_Nummer(ICON_OPTIONEN_SCHLIESSEN);
            ASSERT_TRUE(zu);
            kit::Klick(zu->x + zu->w / 2, zu->y + zu->h / 2);
        }
        EXPECT_FALSE(Screen_Offen(Screen_Id::OPTIONEN));
        kit::Spur_Leeren();
        kit::Frames(2);
        EXPECT_FALSE(kit::Text("Optionen"));
        if (vorher) {
            EXPECT_TRUE(Screen_Offen(f.screen)) << "the screen one came from is back";
            if (grafik != MENUE_KEINE_GRAFIK) {
                EXPECT_TRUE(kit::Grafik_Bei(static_cast<i32>(grafik), gx, gy));
            }
            Screen_Schliessen(f.screen);
            kit::Frames(2);
        } else {
            for (Screen_Id id : {Screen_Id::KADER, Screen_Id::BANK, Screen_Id::RANGLISTE})
                EXPECT_FALSE(Screen_Offen(id));
        }
    }
}

// The control bar's screen buttons go through the launch table: a screen
// entered there opens; an entry without a screen says it is not built yet.
TEST_F(Optionen, KontrollleisteOeffnetUeberDieLaunchTabelle) {
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 3, Screen_Id::OPTIONEN);
    Menue_Kontrollleiste_Zeigen();
    kit::Frames(2);
    const Screen_Icon* tabelle = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_TABELLE);
    ASSERT_TRUE(tabelle);
    kit::Klick(tabelle->x + tabelle->w / 2, tabelle->y + tabelle->h / 2);
    EXPECT_TRUE(Screen_Offen(Screen_Id::OPTIONEN));
    kit::Klick(100, 100, MAUS_RECHTS);
    EXPECT_FALSE(Screen_Offen(Screen_Id::OPTIONEN));
    Screens_Anmelden();  // back to the game's own table
}

// The server's bound on a network client's turn: ten minutes until its
// manager steps it, a minute a click, after thirty none, then one again; a
// client sees it grey and cannot change it.
TEST_F(Optionen, ClientZugzeitZyklus) {
    oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text_Auf_Zeile("10 Minuten pro Zug eines Netzwerk-Clients", 336));
    std::vector<i32> minuten;
    for (int k = 0; k < 23; ++k) {
        kit::Klick(300, zeile_y(5));
        minuten.push_back(Option_Client_Zugzeit_Ms() / 60000);
    }
    EXPECT_EQ(minuten, (std::vector<i32>{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                         30, 0, 1, 2}));
    Internet_Modus = INTERNET_MODUS_CLIENT;
    kit::Klick(300, zeile_y(5));
    EXPECT_EQ(Option_Client_Zugzeit_Ms(), 2 * 60000);
    kit::Spur_Leeren();
    kit::Frames(1);
    const Zeichenspur_Eintrag* e = kit::Text("2 Minuten pro Zug");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->farbe, 33908);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, OPTION_CLIENT_ZUGZEIT_VORGABE);
}

class Optionen_Ein_Manager : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(1)); }
    void TearDown() override { kit::Beenden(); }
};

TEST_F(Optionen_Ein_Manager, ServerZeileGrauUndOhneWirkung) {
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(3, 2));
    kit::Spur_Leeren();
    kit::Frames(1);
    const Zeichenspur_Eintrag* e = kit::Text(Text_cfg_Text(TEXT_OPTIONEN, 25));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->farbe, 33908);
    kit::Klick(300, zeile_y(4));
    EXPECT_EQ(Option_Wert(21, 0, 0), 0);
    EXPECT_TRUE(kit::Meldungen().empty());
}

}  // namespace

namespace {

// Each turn-limit line as a player reads it: no limit in the text file's
// words, "1 Minute", the client bound greyed while the turn time holds.
TEST_F(Optionen, ZugzeitZeilenSagenWasGilt) {
    oeffnen();
    struct Fall {
        i32 zugzeit_ms, client_minuten;
        const char* erste;
        const char* zweite;
        bool zweite_grau;
    } faelle[] = {
        {0, 10, "Unbegrenzte Minuten Bedenkzeit pro Zug",
         "Ohne Bedenkzeit: höchstens 10 Minuten pro Zug eines Netzwerk-Clients", false},
        {60000, 1, "1 Minute Bedenkzeit pro Zug", "Ohne Bedenkzeit: höchstens 1 Minute pro Zug eines Netzwerk-Clients",
         true},
        {120000, 0, "2 Minuten Bedenkzeit pro Zug", "Ohne Bedenkzeit: unbegrenzte Zeit pro Zug eines Netzwerk-Clients",
         true},
    };
    for (const Fall& f : faelle) {
        Option_Wert(OPTION_ZUGZEIT, 1, f.zugzeit_ms);
        Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, f.client_minuten);
        kit::Spur_Leeren();
        kit::Frames(1);
        EXPECT_TRUE(kit::Text_Auf_Zeile(f.erste, 228)) << f.erste;
        const Zeichenspur_Eintrag* z = kit::Text_Auf_Zeile(f.zweite, 336);
        ASSERT_TRUE(z) << f.zweite;
        EXPECT_EQ(z->farbe == 33908, f.zweite_grau) << f.zweite;
    }
    Option_Wert(OPTION_ZUGZEIT, 1, 0);
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, OPTION_CLIENT_ZUGZEIT_VORGABE);
}

// Both directions: a click on a limit's line steps it a minute up, a click
// on the minus box at its start a minute down; past either end it wraps.
TEST_F(Optionen, ZugzeitAuchZurueck) {
    oeffnen();
    struct Schritt {
        i32 zeile, x;
        i32 zugzeit_minuten, client_minuten;
    } schritte[] = {
        {1, 50, 10, 10},  // none, then down: the longest
        {1, 50, 9, 10},   {1, 300, 10, 10}, {1, 300, 0, 10}, {5, 50, 0, 9},
        {5, 300, 0, 10},  {5, 50, 0, 9},    {5, 50, 0, 8},
    };
    Option_Wert(OPTION_ZUGZEIT, 1, 0);
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, 10);
    for (const Schritt& st : schritte) {
        kit::Klick(st.x, zeile_y(st.zeile));
        EXPECT_EQ(Option_Wert(OPTION_ZUGZEIT, 0, 0), st.zugzeit_minuten * 60000) << st.zeile << " " << st.x;
        EXPECT_EQ(Option_Client_Zugzeit_Ms(), st.client_minuten * 60000) << st.zeile << " " << st.x;
    }
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, 0);
    kit::Klick(50, zeile_y(5));
    EXPECT_EQ(Option_Client_Zugzeit_Ms(), OPTION_CLIENT_ZUGZEIT_MAX * 60000) << "none, then down: the longest";
    EXPECT_TRUE(Screen_Offen(Screen_Id::OPTIONEN));
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, OPTION_CLIENT_ZUGZEIT_VORGABE);
}

}  // namespace
