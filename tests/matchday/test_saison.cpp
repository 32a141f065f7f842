// Two seasons of the shipped world through the game's run loop, headless:
// every league game once on a day of its competition, tables archived,
// knock-out rounds halving with one winner per tie, promotion and
// relegation carried into the second season, competitions held twice a year
// or every second year. Saves that contradict themselves are refused. The
// season's modules are those the game registers (news, events, arbiter,
// rankings, announcements); the announcement pages are clicked away.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include "base/spielstand.h"
#include "matchday/saison.h"
#include "main/saison_lauf.h"
#include "matchday/spieltag.h"
#include "season/ankuendigung.h"
#include "season/archiv.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/news.h"
#include "season/paarungen.h"
#include "season/rangliste.h"
#include "season/season_hooks.h"
#include "season/season_spielstand.h"
#include "season/season_test_hilfen.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_block.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_werte.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/speichern.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

using Spiel_Schluessel = std::tuple<i32, i32, i32, i32, i32>;  // season, competition, matchday, leg, game

// What the run saw, collected at the end of each competition's games of a day.
struct Beobachtung {
    std::map<Spiel_Schluessel, int> gespielt;
    std::vector<std::string> fehler;
    std::map<std::pair<i32, i32>, int> runden_enden;  // (season, competition) -> finished rounds
    std::vector<std::pair<i32, i32>> wechsel;         // (team, target league) of season 1
    int ko_runden = 0;
    std::vector<i32> menschen;
    std::vector<Spielankuendigung> seiten;  // pages and screens opened, their kind in `art`
    int freigegeben = 0;                    // pages taken down
    int screen_bilder = 0;                  // frames the open screen still stays
    bool taste = false;
};
Beobachtung* seh = nullptr;

void fehler(const std::string& t) { seh->fehler.push_back(t); }

const Wettbewerb* zeiger(i32 id) { return Wettbewerb_Get_Zeiger(id); }
i32 id_von(const char* kennung) {
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (std::string(Wettbewerb_Tabelle[i].identifikation) == kennung) return Wettbewerb_Tabelle[i].id;
    return -1;
}

// A league's final table: every team its games, goals for = against, the
// ranking equals the table and the archive, the moves of its places noted.
void liga_pruefen(const Wettbewerb& w) {
    auto t = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten(&w, t.get());
    Tabelle_Argumente a;
    a.wettbewerb = w.id;
    Spiele_Get_Tabelle(a, t.get());
    u32 tore = 0, gegentore = 0;
    for (u32 r = 0; r < t->zeilen; ++r) {
        tore += t->tore[0][r];
        gegentore += t->gegentore[0][r];
        if (t->spiele[0][r] != static_cast<u32>(w.spieltage * std::max(w.best_of_x, 1)) && w.teams % 2 == 0)
            fehler(std::string(w.name) + ": team with " + std::to_string(t->spiele[0][r]) + " games");
        if (t->team[t->reihenfolge[r]] != static_cast<u32>(w.teilnehmer[r])) fehler(std::string(w.name) + ": order");
    }
    if (tore != gegentore || t->zeilen != static_cast<u32>(w.teams)) fehler(std::string(w.name) + ": goals or rows");
    if (!w.basisliga) return;
    auto archiv = std::make_unique<Tabelle>();
    if (!Statistik_Archiv_Holen(*archiv, w.id, Kalender_Get_Jahr())) fehler(std::string(w.name) + ": not archived");
    else
        for (u32 r = 0; r < t->zeilen; ++r)
            if (archiv->team[archiv->reihenfolge[r]] != t->team[t->reihenfolge[r]])
                fehler(std::string(w.name) + ": archive order");
    if (Kalender_Get_Jahr() != 0) return;
    for (i32 p = 0; p < w.teams; ++p) {
        const i32* z = Wettbewerb_Get_Qualifikanten(w.id, p);
        for (int k = 0; z && k < 5 && z[k] >= 0; ++k)
            if (z[k] != w.id && zeiger(z[k])->basisliga) seh->wechsel.emplace_back(w.teilnehmer[p], z[k]);
    }
}

// The end of a competition's games of the day, seen from outside.
void fertig(i32 id) {
    const Wettbewerb* w = zeiger(id);
    const i32 jahr = Kalender_Get_Jahr();
    const i32 heute = Kalender_Get_Tag() - Kalender_Get_Basistag();
    if (!Kalender_Termin_Gesetzt(heute, w->kalendermarke)) fehler(std::string(w->name) + ": game without its day");
    for (const auto& r : Spieltag_Slots())
        if (const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr; s && s->wettbewerb == id) {
            ++seh->gespielt[{jahr, id, s->spieltag, s->runde, s->index}];
            if (s->tore_a < 0 || s->tore_b < 0) fehler(std::string(w->name) + ": no result");
        }
    const Wettbewerb* erste = w;
    while (erste->vorherige_gruppe >= 0) erste = &Wettbewerb_Tabelle[erste->vorherige_gruppe];
    const bool letzte_runde = erste->aktuelle_runde + 1 >= std::max(erste->best_of_x, 1);
    const i32 n = Wettbewerb_Spiele_Pro_Spieltag(w, -1);
    if ((w->modus & WB_KO_SYSTEM) && letzte_runde && erste == w) {
        // Every tie one winner, one of its two sides; shoot-outs leave none level.
        for (i32 k = 0; k < n; ++k) {
            i32 s = -1, v = -1;
            const i32 r = Wettbewerb_KO_Sieger(w, -1, k, &s, &v, -1, 0, 0);
            if (r < 0 && (w->modus & WB_ELFMETERSCHIESSEN)) fehler(std::string(w->name) + ": tie without winner");
        }
        ++seh->ko_runden;
    }
    const i32 tag_vorher = w->aktueller_spieltag;
    Wettbewerb_Spiele_Beendet(id);
    if (erste != w || !letzte_runde) return;
    if ((w->modus & WB_KO_SYSTEM) && tag_vorher + 1 < w->spieltage) {
        if (Wettbewerb_Spiele_Pro_Spieltag(w, -1) != (n + 1) / 2) fehler(std::string(w->name) + ": round not halved");
        std::set<i32> sieger(w->teilnehmer, w->teilnehmer + n);
        if (static_cast<i32>(sieger.size()) != n) fehler(std::string(w->name) + ": a team won twice");
    }
    if (tag_vorher + 1 < w->spieltage) return;
    ++seh->runden_enden[{jahr, id}];
    if (!(w->modus & WB_KO_SYSTEM) && Spiele_Get_Kopf(w->spielplan)) liga_pruefen(*w);
    if ((w->modus & WB_KO_SYSTEM) && w->naechste_runde < 0 &&
        Spiele_Get_Wettbewerb_Sieger(id, jahr, nullptr, nullptr, nullptr) != w->sieger)
        fehler(std::string(w->name) + ": winner not stored");
}

// The announcement pages headless: each page or screen opened is noted with
// its kind; a page is clicked away once open (the button alternates between
// frames), a screen closed by its button after a few frames.
bool notieren(u32 art, const Spielankuendigung& a) {
    seh->seiten.push_back(a);
    seh->seiten.back().art = art;
    return true;
}
Ankuendigung_Hooks seiten_hooks() {
    Ankuendigung_Hooks h;
    h.seite_bauen = notieren;
    h.seite_freigeben = [] { ++seh->freigegeben; };
    h.maus_tasten = [] { return (seh->taste = !seh->taste) ? 1 : 0; };
    h.screen_oeffnen = [](int modus, const Spielankuendigung& a) {
        seh->screen_bilder = 3;
        return notieren(modus == 0 ? ANK_TABELLE : modus == 1 ? ANK_ERGEBNISSE : ANK_SIEGER, a);
    };
    h.screen_offen = [] {
        if (seh->screen_bilder > 0 && --seh->screen_bilder == 0) Spielankuendigung_Screen_Schliessen();
        return seh->screen_bilder > 0;
    };
    return h;
}

// Pages only for the managers' teams (a line-ups picture for either side,
// a winners screen for any winner), each a valid record with its caller's
// priority; the pages of one match in the order of their kinds. Returns
// the kinds shown.
std::set<u32> seiten_pruefen() {
    std::set<u32> arten;
    std::map<std::tuple<i32, i32, i32, i32, i32, i32>, u32> letzte_art;  // one match: its day and fixture key
    const u32 n = static_cast<u32>(Team_Anzahl);
    auto mensch = [](i32 t) { return std::count(seh->menschen.begin(), seh->menschen.end(), t) > 0; };
    for (const Spielankuendigung& a : seh->seiten) {
        arten.insert(a.art);
        if (a.art == ANK_VOR_MENUE) continue;  // the active manager's menu page: no record of its own
        const i32 team = a.art == ANK_VOR_SPIEL && !mensch(a.team_a) ? a.team_b : a.team_a;
        const u32 t = static_cast<u32>(team);
        const u32 prioritaet = a.art == ANK_VOR_SPIEL ? t + 8 * n
                               : a.art == ANK_SIEGER  ? t * 50 + 5
                                                      : t * 50 + (a.art <= ANK_GELD ? n * 50 : 0) + 12 - a.art;
        u32& vorher = letzte_art[{a.tag, a.team_a, a.wettbewerb, a.spieltag, a.index, a.runde}];
        if (!Spielankuendigung_Gueltig(a, true) || a.prioritaet != prioritaet ||
            !(mensch(team) || a.art == ANK_SIEGER) || (a.art != ANK_SIEGER && a.art <= vorher))
            fehler("page " + std::to_string(a.art) + " of team " + std::to_string(a.team_a));
        if (a.art != ANK_SIEGER) vorher = a.art;
    }
    return arten;
}

// Season 2 once its leagues have started: full leagues, the moves of
// season 1 done, nobody twice in running competitions of one kind.
void saison2_pruefen() {
    std::map<std::pair<i32, i32>, int> art_team;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || !w.flags[1] || w.flags[0]) continue;
        std::set<i32> teams(w.aktuelle_team, w.aktuelle_team + w.aktuelle_teams);
        if (w.basisliga && (w.aktuelle_teams != w.teams || static_cast<i32>(teams.size()) != w.teams))
            fehler(std::string(w.name) + ": not its TEAMS in season 2");
        for (i32 t : teams)
            if (t > 0 && ++art_team[{w.super_alias, t}] > 1)
                fehler(std::string(w.name) + ": team " + std::to_string(t) + " twice in a kind");
    }
    for (auto [team, ziel] : seh->wechsel) {
        const Wettbewerb* w = zeiger(ziel);
        if (std::find(w->aktuelle_team, w->aktuelle_team + w->aktuelle_teams, team) ==
            w->aktuelle_team + w->aktuelle_teams)
            fehler("team " + std::to_string(team) + " not moved to " + w->name);
    }
}

class Saison : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        for (const char* datei : {"1_global.cfg", "1_global_alias.cfg", "1_ereignis.cfg"})
            ordner.Schreiben(datei, season_test::Datei_Lesen(season_test::Quelle(std::string("data/config/") + datei)));
        seh = &b;
        if (GetParam() == 2) b.menschen = {16, 34};  // clubs of the first two German leagues
        Spiel_Starten();
    }
    void TearDown() override {
        Spiel_Beenden();
        Ankuendigung_Set_Hooks({});
    }

    // A new game through the run loop; the end of each competition's games
    // of a day is watched.
    static void Spiel_Starten() {
        Saison_Spiel_Starten({season_test::Quelle("data/config"), seh ? seh->menschen : std::vector<i32>{}, -1});
        Spieltag_Hooks h = Spieltag_Get_Hooks();
        h.wettbewerb_fertig = fertig;
        Spieltag_Set_Hooks(h);
        Ankuendigung_Set_Hooks(seiten_hooks());
    }
    static void Spiel_Beenden() { Saison_Spiel_Beenden(); }
    // Plays until the day index reaches `bis`; false when the loop stalled.
    bool Bis(i32 bis) {
        while (!Kalender_Ist_Initialisiert() || Kalender_Get_Tag() < bis) {
            if (!Saison_Lauf_Tag(lauf)) return false;
            // A few engine matches are enough here; the clubs go on as computer
            // clubs, managed again for the first league's last matchday (the
            // winners screens of the leagues ending that day).
            const Wettbewerb* d1 = zeiger(id_von("D1"));
            const bool letzter = d1->aktueller_spieltag + 1 == d1->spieltage;
            for (i32 t : seh->menschen)
                if (letzter) Manager_Neuer_Mitspieler(t, "Test", -1);
                else if (Spieltag_Get_Zahlen().spiele[1] >= 4) Manager_Loeschen(t);
        }
        return true;
    }

    // Saves that contradict themselves are refused; the running game stays.
    void Widersprueche_Abweisen() {
        const std::vector<u8> vorher = season_test::Block_Bytes(Wettbewerb_Save);
        Wettbewerb* d1 = Wettbewerb_Get_Zeiger(id_von("D1"));
        Wettbewerb* d2 = Wettbewerb_Get_Zeiger(id_von("D2"));
        struct Fall {
            const char* name;
            void (*verderben)(Wettbewerb* d1, Wettbewerb* d2);
        } faelle[] = {
            {"ein Team in zwei Ligen",
             [](Wettbewerb* l1, Wettbewerb* l2) { l2->aktuelle_team[3] = l1->aktuelle_team[5]; }},
            {"Spiele ohne Termin", [](Wettbewerb* l1, Wettbewerb*) { l1->aktueller_spieltag = 1; }},
        };
        const std::string pfad = ordner.pfad + "/spielstand/falsch.kdv";
        for (const auto& f : faelle) {
            const Wettbewerb a = *d1, c = *d2;
            f.verderben(d1, d2);
            ASSERT_TRUE(Spielstand_Speichern(pfad.c_str(), 1));
            *d1 = a;
            *d2 = c;
            EXPECT_FALSE(Spielstand_Laden(pfad.c_str())) << f.name;
            EXPECT_EQ(season_test::Block_Bytes(Wettbewerb_Save), vorher) << f.name;
        }
        ASSERT_TRUE(Spielstand_Speichern(pfad.c_str(), 1));
        EXPECT_TRUE(Spielstand_Laden(pfad.c_str())) << meldungen.Alle();
    }

    season_test::Spielordner ordner;
    season_test::Meldungen meldungen;
    Saison_Lauf lauf;
    Beobachtung b;
};

TEST_P(Saison, ZweiSpielzeiten) {
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_NEUES_SPIEL);
    const i32 saison2 = Kalender_Get_Tag_Aus_Datum(3, 7, 2004);
    ASSERT_TRUE(Bis(saison2 + 21));  // the leagues of season 2 entered in week 2
    EXPECT_EQ(Kalender_Get_Jahr(), 1);
    EXPECT_EQ(Kalender_Get_Basistag(), saison2 - saison2 % 7);  // the Thursday before
    saison2_pruefen();
    // The season's friendlies: one competition without teams or matchdays
    // of its own, made anew at the season start (last season's is gone).
    const i32 freund = Wettbewerb_Get_Freundschaftsspiele();
    ASSERT_GE(freund, 0);
    EXPECT_EQ(Wettbewerb_Dummy_Anzahl, 1);
    EXPECT_EQ(zeiger(freund)->teams, 0);
    EXPECT_EQ(zeiger(freund)->spieltage, 0);
    if (GetParam() == 0) Widersprueche_Abweisen();
    EXPECT_EQ(Wettbewerb_Get_Freundschaftsspiele(), freund) << "kept through a save and a load";
    ASSERT_TRUE(Bis(saison2 + 364)) << "the loop stalled on day " << Kalender_Get_Tag();

    // Run modes 20 -> 23 -> 0 -> 1, then play, announcements and their screens.
    ASSERT_GE(lauf.modi.size(), 4u);
    EXPECT_EQ(std::vector<i32>(lauf.modi.begin(), lauf.modi.begin() + 3),
              (std::vector<i32>{RUNMODUS_WIZARD, RUNMODUS_TAGE_LAUFEN, RUNMODUS_SPIEL}));
    const std::set<i32> spielmodi{RUNMODUS_SPIEL, RUNMODUS_SPIELTAG, RUNMODUS_WARTEN_17, RUNMODUS_WARTEN_18,
                                  RUNMODUS_WARTEN_24};
    for (size_t i = 3; i < lauf.modi.size(); ++i) EXPECT_TRUE(spielmodi.count(lauf.modi[i])) << lauf.modi[i];
    // A season has more changes than the record keeps in order; every mode
    // reached is still known, and none outside the start and play modes.
    EXPECT_GT(lauf.wechsel, SAISON_LAUF_MODI);
    EXPECT_EQ(lauf.modi.size(), SAISON_LAUF_MODI);
    u64 erlaubt = Saison_Lauf_Modus_Bit(RUNMODUS_WIZARD) | Saison_Lauf_Modus_Bit(RUNMODUS_TAGE_LAUFEN);
    for (i32 m : spielmodi) erlaubt |= Saison_Lauf_Modus_Bit(m);
    EXPECT_EQ(lauf.gesehen & ~erlaubt, 0u);
    EXPECT_TRUE(lauf.gesehen & Saison_Lauf_Modus_Bit(RUNMODUS_SPIELTAG));
    EXPECT_EQ(Spieltag_Anzahl_Eingetragen(), Spieltag_Anzahl_Fertig());
    // The game's modules ran: the events of the configuration, news, the
    // ranking; every announcement made was shown and taken down.
    EXPECT_GT(Ereignis_Anzahl(), 0);
    EXPECT_TRUE(News_Bereit() && Rangliste_Bereit());
    EXPECT_TRUE(Spielankuendigung_Puffer_Leer());
    EXPECT_EQ(b.freigegeben,
              std::count_if(b.seiten.begin(), b.seiten.end(), [](auto& a) { return a.art <= ANK_GELD; }));
    // Every kind the matchday makes (none without a manager).
    const std::set<u32> alle{ANK_VOR_MENUE, ANK_VOR_SPIEL,  ANK_TORE,    ANK_STATISTIK,
                             ANK_GELD,      ANK_ERGEBNISSE, ANK_TABELLE, ANK_SIEGER};
    EXPECT_EQ(seiten_pruefen(), GetParam() == 0 ? std::set<u32>{} : alle);
    // The managed first league's winners screen once in each season.
    EXPECT_EQ(std::count_if(b.seiten.begin(), b.seiten.end(),
                            [](auto& a) { return a.art == ANK_SIEGER && a.wettbewerb == id_von("D1"); }),
              GetParam() == 0 ? 0 : 2);
    if (GetParam() > 0) {
        EXPECT_GE(Spieltag_Get_Zahlen().spiele[1], 4u);
    }
    // Every game of every league's plan exactly once in each season.
    for (i32 jahr : {0, 1})
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            const Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (!w.name[0] || !w.basisliga || (w.modus & WB_KO_SYSTEM)) continue;
            for (i32 d = 0; d < w.spieltage; ++d)
                for (i32 g = 0; g < w.teams / 2; ++g)
                    EXPECT_EQ((b.gespielt[{jahr, w.id, d, 0, g}]), 1) << w.name << " " << jahr << " " << d << " " << g;
            EXPECT_EQ((b.runden_enden[{jahr, w.id}]), 1) << w.name << " " << jahr;
        }
    for (auto [schluessel, n] : b.gespielt) {
        EXPECT_TRUE(n == 1 || zeiger(std::get<1>(schluessel))->mehrmals_pro_jahr) << std::get<1>(schluessel);
    }
    EXPECT_FALSE(b.wechsel.empty());
    EXPECT_GT(b.ko_runden, 20);
    // Held twice a year, held every second year (from the second season).
    const i32 halle = id_von("HALLE"), nationen = id_von("NATIONEN");
    EXPECT_GE((b.runden_enden[{0, halle}]), 2);
    EXPECT_GE((b.runden_enden[{1, halle}]), 2);
    EXPECT_EQ((b.runden_enden[{0, nationen}]), 0);
    EXPECT_EQ((b.runden_enden[{1, nationen}]), 1);
    // Two seasons on, every value of the game lies within the ranges its
    // save's readers hold it to: the game's own save loads.
    const std::string pfad = ordner.pfad + "/spielstand/zwei_saisons.kdv";
    ASSERT_TRUE(Spielstand_Speichern(pfad.c_str(), 1));
    EXPECT_TRUE(Spielstand_Laden(pfad.c_str())) << meldungen.Alle();
    for (const auto& f : b.fehler) ADD_FAILURE() << f;
}

INSTANTIATE_TEST_SUITE_P(Menschen, Saison, ::testing::Values(0, 2));

}  // namespace
