// The manager's inbox in a running game: a credit offer from the other
// manager and an offer of the random events arrive, are shown in their
// question box and answered by its buttons; the help box over the squad
// screen; the menu's byte in a save game.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/settings.h"
#include "graphics/bildformat.h"
#include "graphics/blitter.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "graphics/zeichenspur.h"
#include "grafik_nummern.h"
#include "gui/wappen.h"
#include "platform/png.h"
#include "base/spielstand.h"
#include "fahrer.h"
#include "gui/eingabe.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/rangliste.h"
#include "season/spiele.h"
#include "season/richter.h"
#include "base/ruf.h"
#include "screens/club/bank.h"
#include "screens/squad/kader.h"
#include "spur.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/spieler.h"

namespace f = fahrer;

namespace {

// Whether a text of the frame holds the piece.
bool gezeigt(const std::vector<spur::Text>& t, const std::string& stueck) {
    for (const spur::Text& x : t)
        if (x.sichtbar.find(stueck) != std::string::npos) return true;
    return false;
}

class Posteingang : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(Test_Programm_Starten("kordavo_posteingang", &ordner)); }
    void TearDown() override { Test_Programm_Beenden(ordner); }

    // Two managers at this machine, the first one's turn in the main menu.
    void zwei_manager() {
        ASSERT_TRUE(W32_Registry_Write("Mitspieler", "2"));
        ASSERT_TRUE(f::lauf("wait 12\n", 14));
        ASSERT_EQ(Manager_Anzahl_Menschen(), 2);
        ASSERT_TRUE(f::bis_menue());
    }
    void ein_manager() {
        ASSERT_TRUE(f::lauf("wait 12\n", 14));
        ASSERT_TRUE(f::bis_menue());
    }

    // Message boxes clicked away and turns ended until a question box is up
    // (true), or `schritte` steps passed.
    static bool bis_frage(i32 schritte = 3000) {
        for (i32 n = 0; n < schritte; ++n) {
            if (Menue_Requester_Offen() && f::da(ICON_REQ_KNOPF_1)) return true;
            if (Menue_Requester_Offen()) {
                if (!f::antworten(false)) return false;
            } else if (f::im_menue()) {
                if (!f::zug_beenden()) return false;
            } else if (!f::weiter()) {
                return false;
            }
        }
        return false;
    }
    // Frames in the menu, message boxes clicked away, until `fertig` or
    // `frames` passed (the arbiter looks at the answers every 5 s).
    template <class P>
    static void spielen(P fertig, i32 frames) {
        for (i32 n = 0; n < frames && !fertig(); ++n) {
            if (Menue_Requester_Offen() && !f::da(ICON_REQ_KNOPF_1)) f::antworten(false);
            else f::frame();
        }
    }

    std::string ordner;
};

i32 anderer_manager() {
    i32 teams[8];
    const int n = Manager_Ist_Dran(teams, 0, 0);
    for (int i = 0; i < n; ++i)
        if (teams[i] != Team_Aktiv) return teams[i];
    return -1;
}

// The active manager asks the other one for a credit on the bank screen;
// the other one's inbox shows the question in his turn, and his answer is
// carried out: "Ja" books the credit, "Nein" nothing.
TEST_F(Posteingang, KreditanfrageWirdGezeigtUndBeantwortet) {
    for (const bool ja : {true, false}) {
        SCOPED_TRACE(ja ? "Ja" : "Nein");
        zwei_manager();
        if (HasFatalFailure()) return;
        const i32 frager = Team_Aktiv, gefragt = anderer_manager();
        ASSERT_GE(gefragt, 0);
        ASSERT_TRUE(f::menue(2, 0));
        ASSERT_TRUE(Screen_Offen(Screen_Id::BANK));
        ASSERT_TRUE(f::icon(ICON_BANK_PARTNER));
        ASSERT_EQ(Bank_Screen_Partner(), gefragt);
        const f64 betrag = Bank_Screen_Betrag();
        const f64 vorher_frager = Bank_Get_Kontostand(frager, 0, 0);
        const f64 vorher_gefragt = Bank_Get_Kontostand(gefragt, 0, 0);
        ASSERT_TRUE(f::icon(ICON_BANK_KREDIT));
        // The box comes up in the asked manager's turn, with the question.
        ASSERT_TRUE(bis_frage());
        EXPECT_EQ(Team_Aktiv, gefragt);
        const i32 index = News_Finde(gefragt, static_cast<i32>(NEWS_FRAGE), 0, 0);
        ASSERT_GE(index, 0);
        const u32 id = News_Get_Id(index);
        const std::string frage = News_Get_Text(index);
        const auto bild = spur::frame();
        EXPECT_TRUE(gezeigt(bild, frage.substr(0, frage.find(' ')))) << frage;
        // An answer in another club's name, through the inbox, changes nothing.
        News_Antwort_Ja(frager, index);
        EXPECT_EQ(News_Suche_Id(id), index);
        ASSERT_TRUE(f::antworten(ja));
        EXPECT_LT(News_Suche_Id(id), 0) << "the answered question is gone";
        // A second answer to the old place finds nothing to answer.
        const i32 anzahl = News_Anzahl();
        News_Antwort_Ja(gefragt, index);
        EXPECT_EQ(News_Anzahl(), anzahl);
        spielen([&] { return Bank_Get_Kontostand(frager, 0, 0) != vorher_frager; }, 1200);
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(frager, 0, 0) - vorher_frager, ja ? betrag : 0.0);
        EXPECT_DOUBLE_EQ(vorher_gefragt - Bank_Get_Kontostand(gefragt, 0, 0), ja ? betrag : 0.0);
        TearDown();
        SetUp();
    }
}

TEST_F(Posteingang, ZufallsangebotWirdGezeigtUndAngenommen) {
    ein_manager();
    if (HasFatalFailure()) return;
    const i32 team = Team_Aktiv;
    i32 kader[64];
    ASSERT_GT(Teamspieler_Ins_Array(team, kader, 64, 0), 0);
    const i32 spieler = kader[0];
    const i32 n = Ereignis_Zufall(EREIGNIS_MAXSTAERKE_VERAENDERT);
    const Ereignis* e = Ereignis_Get(n);
    ASSERT_NE(e, nullptr);
    const i32 neu = Spieler_Wert(97, spieler, 0, OP_LESEN) == 10 ? 8 : 10;
    const i32 preis = 1000;
    // The offer as the random events post it.
    News_Daten d;
    const i32 w[10] = {ANFRAGE_EREIGNIS, team, spieler, Kalender_Get_Tag() + 40, e->kategorie, neu, n, preis, 0, -1};
    for (int i = 0; i < 10; ++i) d.w[i] = w[i];
    const u32 id = News_Neu_Text(team, team, -1, NEWS_FRAGE, &d, "Ein Trainer bietet seine Dienste an.");
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(bis_frage());
    EXPECT_TRUE(gezeigt(spur::frame(), "Trainer bietet"));
    const f64 vorher = Bank_Get_Kontostand(team, 0, 0);
    ASSERT_TRUE(f::antworten(true));
    spielen([&] { return Spieler_Wert(97, spieler, 0, OP_LESEN) == neu; }, 1200);
    EXPECT_EQ(Spieler_Wert(97, spieler, 0, OP_LESEN), neu);
    EXPECT_DOUBLE_EQ(vorher - Bank_Get_Kontostand(team, 0, 0), preis);
}

// An event's question shows the event's symbol beside the crest; a
// question without one shows none.
TEST_F(Posteingang, FrageZeigtDasSymbolDesEreignisses) {
    ein_manager();
    if (HasFatalFailure()) return;
    const i32 team = Team_Aktiv;
    for (const i32 symbol : {3, 0}) {
        SCOPED_TRACE(symbol);
        News_Daten d;
        const i32 w[10] = {ANFRAGE_EREIGNIS, team, -1, Kalender_Get_Tag() + 40, 0, 0, 0, 0, symbol, -1};
        for (int i = 0; i < 10; ++i) d.w[i] = w[i];
        ASSERT_NE(News_Neu_Text(team, team, -1, NEWS_FRAGE, &d, "Ein Angebot mit Symbol."), 0u);
        ASSERT_TRUE(bis_frage());
        spur::frame();
        const Zeichenspur_Eintrag* e = Zeichenspur_Blit_Bei(549 - 72 + 32, 213 + 32);
        const bool gezeigt = e && e->grafik == GRAFIK_FRAGE_SYMBOL + symbol - 1;
        EXPECT_EQ(gezeigt, symbol != 0);
        ASSERT_TRUE(f::antworten(false));
    }
}

// The help box over the squad screen's automatic line-up button once the
// mouse has rested on it for a second: with the manager's help option on
// it shows the button's text, off it shows none.
TEST_F(Posteingang, HilfetextUeberDemKader) {
    ein_manager();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(f::menue(0, 0));
    ASSERT_TRUE(f::da(ICON_KADER_AUTO));
    Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_AUTO);
    const char* hilfe = knopf->hilfe_prozedur ? knopf->hilfe_prozedur(knopf) : knopf->hilfe;
    ASSERT_TRUE(hilfe && *hilfe);
    const std::string anfang = std::string(hilfe).substr(0, std::string(hilfe).find_first_of("^ "));
    const std::string hin = f::ort(knopf->x + knopf->w / 2, knopf->y + knopf->h / 2);
    for (const bool an : {true, false}) {
        SCOPED_TRACE(an ? "an" : "aus");
        Option_Wert(OPTION_TEAM_ERSTE, 1, an ? 1 : 0);
        // The mouse rests 1.2 s on the button (a frame is 20 ms).
        ASSERT_TRUE(f::lauf("move 5 5\nwait 4\nmove " + hin + "\n", 60));
        EXPECT_EQ(gezeigt(spur::frame(), anfang), an) << anfang;
        EXPECT_EQ(Hilfe_Text_Sichtbar(), an);
    }
}

// The menu engine's byte goes into a save game; a load brings it back and
// the dialog buttons closed.
TEST_F(Posteingang, LadenBringtDasMenueByteZurueck) {
    ein_manager();
    if (HasFatalFailure()) return;
    const std::string pfad = Spielstand_Pfad(4);
    Menue_Modus = 1;
    ASSERT_TRUE(Spielstand_Speichern(pfad.c_str(), 1));
    Menue_Modus = 0;
    Menue_Icon_Zustand_Setzen(ICON_DIALOG_TEAM + 1, 1);
    ASSERT_TRUE(Spielstand_Laden(pfad.c_str())) << Spielstand_Letzter_Fehler();
    EXPECT_EQ(Menue_Modus, 1);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_DIALOG_TEAM + 1), 0u);
}

// A club with a crest photo in the crest folder shows it in the game; the
// photo gone (or damaged), the club shows its crest of the archive again.
TEST_F(Posteingang, WappenfotoAusDemWappenordner) {
    ein_manager();
    if (HasFatalFailure()) return;
    const i32 team = Team_Aktiv;
    const std::string wappenordner = ordner + "/wappenbilder";
    std::filesystem::create_directories(wappenordner);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_WAPPENBILDER], W32_DIR_LAENGE, "%s", wappenordner.c_str());
    const std::string datei = wappenordner + "/" + std::to_string(team) + ".jpg";
    std::vector<u16> rot(80 * 80, 0xF800);
    ASSERT_TRUE(Jpeg_Schreiben_Datei(datei.c_str(), rot.data(), 80, 80, 16, 0, 90));
    Team_Wert(7, team, TEAM_STATUS_WAPPENFOTO, OP_BITS_SETZEN);
    auto mitte = [&] {
        Wappen_Set_Hooks(Wappen_Get_Hooks());  // nothing kept from before
        Rastport_Bild ziel(Rastport_Neu_Einfach(66, 66, 16));
        Blt_Rechteck(ziel.get(), 0, 0, 66, 66, 0);
        EXPECT_TRUE(Wappen_Blit(team, ziel.get(), 0, 0, 66, 66, nullptr));
        u8 r = 0, g = 0, b = 0;
        Png_Pixel_Rgb(ziel->bitmap->pixel16()[33 * 66 + 33], 16, &r, &g, &b);
        return std::array<u8, 3>{r, g, b};
    };
    const auto foto = mitte();
    EXPECT_GT(foto[0], 200);
    EXPECT_LT(foto[1], 40);
    std::remove(datei.c_str());
    EXPECT_NE(mitte(), foto) << "without the photo the archive's crest";
}

// The squad screen follows changes made behind its back once the rankings
// are sorted anew, and when a server's inbox pass sends its start teams:
// the rows show the line-up as it now is.
TEST_F(Posteingang, KaderFolgtDerRanglisteUndDemPosteingang) {
    ein_manager();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(f::menue(0, 0));
    ASSERT_TRUE(f::da(ICON_KADER_RAHMEN));
    // The manager sets his line-up himself (the assistant would put it back).
    Team_Wert(8, Team_Aktiv, 128, OP_BITS_LOESCHEN);
    auto reihe = [](i32 k) { return static_cast<i32>(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_ZEILE + k)->user[0]); };
    const struct {
        const char* weg;
        void (*ausloesen)();
    } wege[] = {
        {"Rangliste", [] {
             // A result of the club, then the sort that follows the day's matches.
             Spiel s{};
             s.team_a = static_cast<i16>(Team_Aktiv);
             s.team_b = static_cast<i16>(Team_Aktiv == 0 ? 1 : 0);
             s.tore_a = 2;
             s.tore_b = 1;
             Rangliste_Nach_Spiel(Team_Aktiv, s);
             Rangliste_Sortieren();
         }},
        {"Posteingang des Servers", [] {
             ruf::Als_Netz(true);
             News_Pruefen(Team_Aktiv);
             ruf::Als_Einzel();
         }},
    };
    for (const auto& w : wege) {
        SCOPED_TRACE(w.weg);
        const i32 erster = reihe(0), bank = reihe(12);
        ASSERT_GE(erster, 0);
        ASSERT_GE(bank, 0);
        // A starter and a substitute change places without the screen.
        Spieler_Tauschen_Intern(erster, bank, Team_Aktiv, Team_Aktiv);
        EXPECT_EQ(reihe(0), erster) << "the screen is not told by the swap itself";
        w.ausloesen();
        EXPECT_EQ(reihe(0), bank);
        EXPECT_EQ(reihe(12), erster);
    }
}

// The engine defaults the game keeps: the menu's pictures from its own
// picture slots, the videos on the program's clock, the effects from the
// sound archive.
TEST_F(Posteingang, BehalteneVorgaben) {
    EXPECT_EQ(Menue_Get_Hooks().grafik_holen, &Menue_Get_Slave_Rastport);
    EXPECT_EQ(Video_Get_Hooks().uhr, &W32_Get_Time);
    EXPECT_EQ(Sound_Get_Hooks().effekt_quelle, &Sound_Effekt_Aus_Archiv);
}

}  // namespace
