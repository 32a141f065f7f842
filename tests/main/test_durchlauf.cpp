// A whole season played through the screens, headless, as two players at
// one machine play it: a new game through the start screen and the wizard;
// on the first day each manager takes a credit, builds the stadium's next
// class, signs an advertising partner, sets his line-up and tactics, sells
// a player and buys one by negotiation, and trains a player; then every day
// of the season, the managers' matches shown live at the fastest speed (one
// substitution made in the running match), the pages after each match
// clicked away; the season change with its promotions and relegations. The
// game is saved four matchdays before the end; the final tables it reaches
// are reached again, table for table, after loading that save and playing
// on the same way. Pictures of each
// step go into the folder KORDAVO_DURCHLAUF names (default "durchlauf").
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/spielstand.h"
#include "fahrer.h"
#include "match/spielfeld.h"
#include "screens/club/spielstand.h"
#include "screens/club/stadion_screen.h"
#include "screens/live_view/spielansicht.h"
#include "screens/market/transfer.h"
#include "screens/market/verhandlung.h"
#include "screens/match/im_spiel.h"
#include "screens/start/spielstart.h"
#include "screens/training/ablauf.h"
#include "screens/training/film.h"
#include "screens/training/plan.h"
#include "season/archiv.h"
#include "season/kalender.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/spieler.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace fs = std::filesystem;
namespace f = fahrer;

namespace {

i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
constexpr int SLOT = 87, STATUS = 75, EINHEITEN = 98;
// The own squad's rows on the squad and transfer screens.
constexpr i32 zeile_y(i32 i) { return i < 11 ? 136 + 17 * i : i < 17 ? 344 + 17 * (i - 11) : 467 + 17 * (i - 17); }

// The final tables of a season: each base league's clubs in their order,
// with points and goals.
struct Zeile {
    u32 team, punkte, tore, gegentore;
    bool operator==(const Zeile&) const = default;
};
using Tabellen = std::map<i32, std::vector<Zeile>>;

Tabellen archivierte_tabellen(i32 jahr) {
    Tabellen aus;
    auto t = std::make_unique<Tabelle>();
    for (i32 id = Wettbewerb_Get_Erster_Aktiver(); id >= 0; id = Wettbewerb_Get_Naechster_Aktiver(id)) {
        if (!Wettbewerb_Ist_Basisliga(id) || !Statistik_Archiv_Holen(*t, id, jahr)) continue;
        auto& z = aus[id];
        for (u32 r = 0; r < t->zeilen; ++r) {
            const u32 row = t->reihenfolge[r];
            z.push_back({t->team[row], t->punkte[0][row], t->tore[0][row], t->gegentore[0][row]});
        }
    }
    return aus;
}

class Durchlauf : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Test_Programm_Starten("kordavo_durchlauf", &ordner, true));
        const char* z = std::getenv("KORDAVO_DURCHLAUF");
        ziel = z && *z ? z : "durchlauf";
        fs::create_directories(ziel);
    }
    void TearDown() override { Test_Programm_Beenden(ordner); }

    // A picture of the first sight of `name`.
    void bild(const std::string& name) {
        if (gesehen.insert(name).second) {
            ASSERT_TRUE(f::bild(ziel + "/" + name + ".png")) << name;
        }
    }
    void klick_icon(i32 nummer) { ASSERT_TRUE(f::icon(nummer)) << "icon " << nummer; }
    void menue(i32 knopf, i32 eintrag, Screen_Id id) { ASSERT_TRUE(f::oeffnen(knopf, eintrag, id)) << knopf << "/" << eintrag; }
    // The new game: two managers through the wizard with the mouse.
    void neues_spiel();
    // The first day's business of the active manager, each step by clicks.
    void geschaefte(int m);
    // Days until `fertig` holds: turns ended, matches shown live at full
    // speed, pages and notices taken away. With `wechseln` the substitution
    // is made in the first human match's second half.
    template <class Pred>
    void spielen(Pred fertig, bool wechseln);
    void auswechseln(Spielfeld_Daten* sf);
    void speichern(i32 slot);
    void laden(i32 slot, i32 tag);

    std::string ordner, ziel;
    std::set<std::string> gesehen;
    i32 teams[2] = {-1, -1};
    std::set<std::pair<i32, u32>> live_gezeigt;  // day and match of each match seen in the live view
    bool gewechselt = false;
};

void Durchlauf::neues_spiel() {
    ASSERT_TRUE(f::lauf("wait 5\n", 8));
    ASSERT_TRUE(Screen_Offen(Screen_Id::SPIELSTART));
    bild("00_start");
    klick_icon(ICON_START_NEU);
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    ASSERT_EQ(z.seite, 0);
    klick_icon(ICON_WIZ_PLUS);
    ASSERT_EQ(z.anzahl, 2);
    klick_icon(ICON_WIZ_WEITER);
    ASSERT_EQ(z.seite, 1);
    klick_icon(ICON_WIZ_EINTRAG + 2);  // difficulty 2
    const char* namen[2] = {"Anna", "Bernd"};
    for (int m = 0; m < 2; ++m) {
        ASSERT_EQ(z.seite, 2) << m;
        ASSERT_TRUE(f::lauf(std::string("text ") + namen[m] + "\nwait 10\nkey return\nwait 3\n", 20));
        ASSERT_EQ(z.seite, 3) << m;
        klick_icon(ICON_WIZ_EINTRAG + m);  // face
        ASSERT_EQ(z.seite, 4) << m;
        klick_icon(ICON_WIZ_EINTRAG);  // the first country
        ASSERT_EQ(z.seite, 5) << m;
        klick_icon(ICON_WIZ_EINTRAG + m);  // club
        if (m == 0) bild("01_wizard_liga");
        ASSERT_EQ(z.seite, 6) << m;
        klick_icon(ICON_WIZ_EINTRAG);  // its league
    }
    ASSERT_TRUE(Menue_Requester_Offen());
    bild("02_wizard_frage");
    ASSERT_TRUE(f::antworten(true));
    for (i32 n = 0; n < 400 && Kalender_Get_Runmodus() != RUNMODUS_SPIEL; ++n) ASSERT_TRUE(f::lauf("wait 5\n", 4));
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 2);
    teams[0] = Spielstart_Slots[0].team;
    teams[1] = Spielstart_Slots[1].team;
    ASSERT_TRUE(f::bis_menue());
    bild("03_hauptmenue");
}

void Durchlauf::geschaefte(int m) {
    const i32 team = Team_Aktiv;
    SCOPED_TRACE("manager " + std::to_string(m));
    ASSERT_TRUE(team == teams[0] || team == teams[1]);
    const std::string n = std::to_string(m + 1);

    // A credit of 3.1 million from the bank (amount +10 steps three times).
    menue(2, 0, Screen_Id::BANK);
    const i32 kredite = Bank_Get_Anzahl_Kredite(team);
    const f64 vorher = Bank_Get_Kontostand(team, 0, -1);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(f::klick(95 + 85, 347 + 10));
    ASSERT_TRUE(f::klick(450, 485));
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(team), kredite + 1);
    EXPECT_GT(Bank_Get_Kontostand(team, 0, -1), vorher + 1000000.0);
    bild("1" + n + "_bank");
    // The notice of the new balance.
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(f::antworten(true));
    }

    // The stadium: its comfort raised by a point (the level's "+1" step,
    // then the order for the building work).
    menue(2, 2, Screen_Id::STADION);
    const i32 komfort = Stadion_Get(team, 1)->komfort;
    const f64 konto = Bank_Get_Kontostand(team, 0, -1);
    ASSERT_TRUE(f::klick(671 + 58, 271 + 10));
    ASSERT_TRUE(f::klick(670 + 50, 341 + 15));
    bild("1" + n + "_stadion");
    EXPECT_EQ(Stadion_Get(team, 1)->komfort, komfort + 1);
    EXPECT_LT(Bank_Get_Kontostand(team, 0, -1), konto);
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(f::antworten(true));
    }
    if (f::da(ICON_STADION_POPUP)) {
        ASSERT_TRUE(f::klick(400, 300));
    }

    // An advertising partner: searched for until one makes an offer, signed.
    menue(2, 1, Screen_Id::WERBUNG);
    Werbung_Daten* w = Werbung_Get(team);
    ASSERT_TRUE(w);
    for (int i = 0; i < 3 && w->angebot_betrag <= 0; ++i) {
        ASSERT_TRUE(f::klick(61 + 75, 521 + 15));
        if (Menue_Requester_Offen()) {
            ASSERT_TRUE(f::antworten(true));
        }
    }
    ASSERT_GT(w->angebot_betrag, 0) << "no offer after three searches";
    const i32 sponsor = w->angebot_sponsor;
    ASSERT_TRUE(f::klick(61 + 75, 405 + 15));
    bool unterschrieben = false;
    for (const auto& s : w->slot) unterschrieben = unterschrieben || (s.sponsor == sponsor && s.betrag > 0);
    EXPECT_TRUE(unterschrieben) << "partner " << sponsor;
    bild("1" + n + "_werbung");

    // The line-up: a reserve dragged onto starter 5's row.
    menue(0, 0, Screen_Id::KADER);
    i32 liste[40];
    const i32 k = Teamspieler_Ins_Array(team, liste, 40, 0);
    i32 reserve = -1, reserve_slot = -1;
    for (i32 i = 0; i < k && reserve < 0; ++i)
        if (wert(SLOT, liste[i]) >= 17 && wert(SLOT, liste[i]) < 20 && !(wert(STATUS, liste[i]) & 0x7c0))
            reserve = liste[i], reserve_slot = wert(SLOT, liste[i]);
    ASSERT_GE(reserve, 0);
    ASSERT_TRUE(f::ziehen(300, zeile_y(reserve_slot) + 8, 300, zeile_y(5) + 8));
    ASSERT_TRUE(f::lauf("wait 40\n", 2));
    EXPECT_EQ(wert(SLOT, reserve), 5);
    bild("1" + n + "_kader");

    // The tactics: attacking urge one up.
    menue(0, 2, Screen_Id::TAKTIK);
    u8 taktik[7];
    Team_Get_Aktuelle_Taktik(team, taktik);
    const u8 drang = taktik[2];
    klick_icon(2517);
    Team_Get_Aktuelle_Taktik(team, taktik);
    EXPECT_EQ(taktik[2], (drang + 1) % 10);
    bild("1" + n + "_taktik");

    // The market: the last reserve sold (yes to the question); then the
    // first market player the club can afford bought for the player in
    // row 18, by raising the bid until the seller agrees.
    menue(0, 3, Screen_Id::TRANSFER);
    const i32 verkauft = Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN + 19);
    ASSERT_GE(verkauft, 0);
    ASSERT_TRUE(f::klick(150, zeile_y(19) + 8));
    ASSERT_TRUE(Menue_Requester_Offen());
    ASSERT_TRUE(f::antworten(true));
    EXPECT_NE(Spieler_Get_Team(verkauft), team);
    bild("1" + n + "_verkauf");
    i32 gekauft = -1;
    for (i32 i = 0; i < 10 && gekauft < 0; ++i) {
        const i32 q = Transfer_Screen_Spieler_Von(ICON_TRANSFER_MARKT + i);
        if (q < 0) continue;
        ASSERT_TRUE(f::klick(480, 136 + 17 * i + 8));
        if (Transfer_Screen_Markt_Auswahl() != q) continue;
        ASSERT_TRUE(f::klick(150, zeile_y(18) + 8));
        if (Menue_Requester_Offen()) {  // too dear
            ASSERT_TRUE(f::antworten(false));
        }
        if (!Verhandlung_Offen()) continue;
        bild("1" + n + "_verhandlung");
        klick_icon(ICON_VERHANDLUNG_START);
        const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
        const Screen_Icon* plus = Menue_Screen_Icon_Aus_Nummer(ICON_VERHANDLUNG_100K);
        ASSERT_TRUE(plus);
        const std::string hin = "move " + f::ort(plus->x + plus->w / 2, plus->y + plus->h / 2) + "\nwait 2\n";
        for (int s = 0; s < 400 && d.stand != VH_ENDE; ++s) ASSERT_TRUE(f::lauf(hin + "press left\nwait 1\nrelease left\nwait 10\n", 0));
        ASSERT_EQ(d.stand, VH_ENDE);
        const bool einig = d.einig;
        bild("1" + n + "_verhandlung_ende");
        klick_icon(ICON_VERHANDLUNG_VERLASSEN);
        if (einig) gekauft = q;
    }
    ASSERT_GE(gekauft, 0) << "no market player bought";
    EXPECT_EQ(Spieler_Get_Team(gekauft), team);

    // Training: the sheet's chosen player trains, the film at its quick
    // finish, the result taken.
    menue(0, 4, Screen_Id::TRAININGSPLAN);
    const i32 p = Spieler_Training_Gewaehlt();
    ASSERT_GE(p, 0);
    const i32 einheiten = wert(EINHEITEN, p);
    klick_icon(ICON_PLAN_TRAINIEREN);
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(f::antworten(true));
    }
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSFILM));
    klick_icon(ICON_FILM_SCHNELL);
    klick_icon(ICON_FILM_START);
    for (int i = 0; i < 3000 && Training_Ablauf().zustand != TRAINING_FERTIG; ++i) Headless_Frames(1);
    ASSERT_EQ(Training_Ablauf().zustand, TRAINING_FERTIG);
    bild("1" + n + "_training");
    if (f::da(ICON_FILM_GELERNT_ZU)) klick_icon(ICON_FILM_GELERNT_ZU);
    klick_icon(ICON_FILM_OK);
    EXPECT_FALSE(Screen_Offen(Screen_Id::TRAININGSFILM));
    EXPECT_EQ(wert(EINHEITEN, p), einheiten + 1);
    ASSERT_TRUE(f::bis_menue());
}

// A field player of the manager's side off, the first bench player who can
// come on in, through the line-up windows of the control bar.
void Durchlauf::auswechseln(Spielfeld_Daten* sf) {
    // The match held first (the pause button), so the rows stand still.
    if (!Spielfeld_Get_Pause()) {
        ASSERT_TRUE(f::icon(ICON_LEISTE_PAUSE, 2));
    }
    ASSERT_TRUE(Spielfeld_Get_Pause());
    ASSERT_TRUE(f::icon(ICON_LEISTE_AUFSTELLUNG, 4));
    ASSERT_TRUE(E_Im_Spiel_Screen_Ist_Offen());
    // The windows show the side of the manager at the machine (both sides
    // are managers' when their clubs meet): the side its bench rows are on.
    const Im_Spiel_Stand st = E_Im_Spiel_Screen_Stand();
    int bank = -1, seite = -1;
    for (int k = 0; k < IM_SPIEL_BANKZEILEN && bank < 0; ++k)
        for (int i = 0; i < 2 * SF_PRO_SEITE; ++i)
            if (st.bank[k] >= 0 && sf->spieler[i].spieler == st.bank[k] &&
                (sf->spieler[i].status & (SFS_BANK | SFS_VERLETZT | SFS_AUSGEWECHSELT)) == SFS_BANK)
                bank = k, seite = i / SF_PRO_SEITE;
    ASSERT_GE(bank, 0);
    i32 rein = -1;
    for (int i = seite * SF_PRO_SEITE; i < (seite + 1) * SF_PRO_SEITE; ++i)
        if (sf->spieler[i].spieler == st.bank[bank]) rein = i;
    ASSERT_GE(rein, 0);
    const Screen_Icon* feld = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_ZEILE + 5);
    const Screen_Icon* ersatz = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_ZEILE + IM_SPIEL_FELDZEILEN + bank);
    ASSERT_TRUE(feld && ersatz);
    ASSERT_TRUE(f::klick(feld->x + 100, feld->y + 8, 2));
    ASSERT_TRUE(f::klick(ersatz->x + 100, ersatz->y + 8, 2));
    bild("30_auswechslung");
    const bool gemacht = (sf->spieler[rein].status & SFS_EINGEWECHSELT) != 0;
    EXPECT_TRUE(gemacht || Spielfeld_Ist_In_Rollenliste_A(sf, rein));
    ASSERT_TRUE(f::icon(ICON_LEISTE_AUFSTELLUNG, 2));
    EXPECT_FALSE(E_Im_Spiel_Screen_Ist_Offen());
    ASSERT_TRUE(f::icon(ICON_LEISTE_PAUSE, 2));
    EXPECT_FALSE(Spielfeld_Get_Pause());
    gewechselt = true;
}

template <class Pred>
void Durchlauf::spielen(Pred fertig, bool wechseln) {
    static const char* const seiten[ANK_ARTEN] = {"", "40_seite_vor_spiel", "41_seite_tore", "42_seite_statistik",
                                                   "43_seite_finanzen", "44_screen_ergebnisse", "45_screen_tabelle",
                                                   "", "46_screen_sieger"};
    for (i32 n = 0; n < 400000 && !fertig(); ++n) {
        if (Menue_Requester_Offen()) {
            bild("20_hinweis");
            ASSERT_TRUE(f::antworten(false));
            continue;
        }
        if (f::im_menue()) {
            ASSERT_TRUE(f::zug_beenden());
            continue;
        }
        Spielfeld_Daten* gezeigt[SF_MAX_ANZEIGE];
        const int anzahl = Spielansicht_Laufzustand() == 1 ? Spielfeld_Anzeigeliste(gezeigt) : 0;
        if (anzahl > 0 && Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_PAUSE) && !Spielankuendigung_Screen_Offen()) {
            for (int i = 0; i < anzahl; ++i) live_gezeigt.insert({Kalender_Get_Tag(), gezeigt[i]->spiel});
            bild("31_live_" + std::to_string(anzahl));
            if (!Spielfeld_Get_Fast()) {
                ASSERT_TRUE(f::klick(250, 582, 1));  // the control bar's fast play
                continue;
            }
            Spielfeld_Daten* sf = E_Im_Spiel_Screen_Spielfeld();
            // The substitution in a match of the active manager's club against
            // a club without a manager (the windows show his side).
            const bool eigenes = sf && (static_cast<i32>(sf->team[0]) == Team_Aktiv) !=
                                           (static_cast<i32>(sf->team[1]) == Team_Aktiv) &&
                                 !(Team_Hat_Manager(static_cast<i32>(sf->team[0])) &&
                                   Team_Hat_Manager(static_cast<i32>(sf->team[1])));
            if (wechseln && !gewechselt && eigenes && sf->halbzeit >= 2 && sf->minute >= 50 &&
                sf->halbzeit_status == 0) {
                auswechseln(sf);
                if (HasFatalFailure()) return;
                continue;
            }
            ASSERT_TRUE(f::lauf("wait 4\n", 0));
            continue;
        }
        if (Spielankuendigung_Screen_Offen() ||
            (Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG && !Spielankuendigung_Puffer_Leer())) {
            const u32 art = Spielankuendigung_Laufende_Art();
            if (art < ANK_ARTEN && *seiten[art] && !gesehen.count(seiten[art])) {
                ASSERT_TRUE(f::lauf("wait 12\n", 1));
                bild(seiten[art]);
            }
        }
        ASSERT_TRUE(f::weiter());
    }
    ASSERT_TRUE(fertig());
}

// Save and load are commands the calendar carries out in a pass; the game's
// random table moves only with the game's own steps (never with frames in
// the menus or under a notice), so a loaded game plays on as the saved one
// did although its notices take other frames. Both end with the same steps:
// from the pass that saved or loaded, twelve frames, a picture, then the
// notice each leaves (the save's message, the hand-over to the manager)
// answered.
namespace {
// Runs the script frame by frame until `geschehen` holds, then `danach`
// frames more (the script ended by then); false when it did not happen.
template <class P>
bool bis_geschehen(const std::string& skript, P geschehen, i32 danach) {
    if (!Headless_Skript(skript)) return false;
    for (i32 n = 0; n < 200; ++n) {
        Headless_Frames(1);
        if (!geschehen()) continue;
        Headless_Frames(danach);
        return Headless_Skript_Zu_Ende();
    }
    return false;
}
std::string tipp_skript(i32 nummer) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    if (!i) return "";
    return "move " + f::ort(i->x + i->w / 2, i->y + i->h / 2) + "\nwait 1\npress left\nwait 1\nrelease left\n";
}
}  // namespace

void Durchlauf::speichern(i32 slot) {
    menue(3, 1, Screen_Id::SPEICHERN);
    ASSERT_TRUE(f::klick(300, DISK_ZEILE_Y0 + DISK_ZEILE_H * slot + 10));
    ASSERT_EQ(Disk_Screen_Gewaehlt(), slot);
    Spielstand_Beschreibung b{};
    ASSERT_FALSE(Spielstand_Get_Beschreibung(slot, &b)) << "the slot is empty before";
    ASSERT_TRUE(bis_geschehen(tipp_skript(ICON_SPEICHERN_KNOPF),
                              [&] { return Spielstand_Get_Beschreibung(slot, &b); }, 12));
    ASSERT_TRUE(f::bild(ziel + "/50_gespeichert.png"));
    ASSERT_TRUE(Menue_Requester_Offen());
    ASSERT_TRUE(f::bis_menue());
}

void Durchlauf::laden(i32 slot, i32 tag) {
    menue(3, 0, Screen_Id::LADEN);
    if (Disk_Screen_Gewaehlt() != slot) {
        ASSERT_TRUE(f::klick(300, DISK_ZEILE_Y0 + DISK_ZEILE_H * slot + 10));
    }
    ASSERT_EQ(Disk_Screen_Gewaehlt(), slot);
    klick_icon(ICON_LADEN_KNOPF);
    // A box that stands then (a question or the hand-over to the active
    // manager) is answered with its first button; the game is loaded.
    auto geladen = [&] { return Kalender_Get_Jahr() == 0 && Kalender_Get_Tag() == tag; };
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(bis_geschehen(tipp_skript(ICON_REQ_KNOPF_1), geladen, 12));
    }
    for (int n = 0; n < 200 && !geladen(); ++n) ASSERT_TRUE(f::lauf("wait 1\n", 0));
    ASSERT_TRUE(geladen());
    ASSERT_TRUE(f::bild(ziel + "/51_geladen.png"));
    ASSERT_EQ(Spielstand_Get_Letzter(), slot);
    ASSERT_TRUE(f::bis_menue());
}

TEST_F(Durchlauf, EineSaisonDurchDieScreens) {
    neues_spiel();
    if (HasFatalFailure()) return;
    // Each manager's first turn: the business of the day, then its end.
    for (int m = 0; m < 2; ++m) {
        ASSERT_TRUE(f::bis_menue());
        geschaefte(Team_Aktiv == teams[0] ? 0 : 1);
        if (HasFatalFailure()) return;
        ASSERT_TRUE(f::zug_beenden());
    }
    Test_Live_Ansicht(true);
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(teams[0], true);
    ASSERT_GE(liga, 0);
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
    ASSERT_TRUE(w);
    // Most of the season, with the substitution; then the save.
    const i32 spaet = w->spieltage - 4;
    spielen([&] { return w->aktueller_spieltag >= spaet && f::im_menue(); }, true);
    if (HasFatalFailure()) return;
    EXPECT_TRUE(gewechselt);
    const i32 tag_gespeichert = Kalender_Get_Tag();
    speichern(2);
    if (HasFatalFailure()) return;
    // The rest of the season and the season change, until the second
    // season's leagues have their first matchday behind them.
    auto neue_saison = [&] { return Kalender_Get_Jahr() >= 1 && w->aktueller_spieltag >= 1 && f::im_menue(); };
    spielen(neue_saison, false);
    if (HasFatalFailure()) return;
    bild("60_neue_saison");
    const Tabellen ende = archivierte_tabellen(0);
    ASSERT_TRUE(ende.count(liga));
    // Every human match of the season was shown live: both clubs' league
    // matches (their two meetings one match each), their cup matches too.
    EXPECT_GE(live_gezeigt.size(), static_cast<size_t>(2 * w->spieltage - 2));
    // Promotion and relegation: each club whose final place sends it to
    // another base league plays there now; the managers' league lost and
    // gained clubs.
    const std::vector<Zeile>& tabelle = ende.at(liga);
    int weg = 0;
    for (size_t p = 0; p < tabelle.size(); ++p) {
        const i32* z = Wettbewerb_Get_Qualifikanten(liga, static_cast<i32>(p));
        for (int k = 0; z && k < 5 && z[k] >= 0; ++k)
            if (z[k] != liga && Wettbewerb_Ist_Basisliga(z[k])) {
                EXPECT_EQ(Wettbewerb_Get_Liga_Von_Team(static_cast<i32>(tabelle[p].team), true), z[k]) << p;
                ++weg;
            }
    }
    EXPECT_GT(weg, 0) << "nobody went up or down";

    // The end of the season again from the save: the same final tables.
    laden(2, tag_gespeichert);
    if (HasFatalFailure()) return;
    EXPECT_EQ(Kalender_Get_Jahr(), 0);
    spielen(neue_saison, false);
    if (HasFatalFailure()) return;
    // The same final tables, place for place, points and goals.
    const Tabellen wieder = archivierte_tabellen(0);
    EXPECT_EQ(wieder.size(), ende.size());
    for (const auto& [id, zeilen] : ende) {
        ASSERT_TRUE(wieder.count(id)) << id;
        EXPECT_TRUE(wieder.at(id) == zeilen) << id;
    }
}

}  // namespace
