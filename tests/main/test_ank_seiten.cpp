// The announcement pages and the pitch overview drawn headless with the
// generated archives and the shipped world: a goals page and a statistics
// page over the dimmed main menu, a table screen, and the pitch overview of
// a running match with a tired player, the ball in the air and the info box
// under the mouse. Each is written as a PNG; the pages and screens are
// checked by what they drew (texts, colours, places), the pitch overview,
// a picture above all, by its golden hash.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/files.h"
#include "base/globals.h"
#include "base/pruefsumme.h"
#include "base/random.h"
#include "graphics/abdruck.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "graphics/zeichenspur.h"
#include "gui/ank_seiten.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/spielfeld_uebersicht.h"
#include "main/registrierung.h"
#include "main/spielbeginn.h"
#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "platform/mainloop.h"
#include "platform/png.h"
#include "programm.h"
#include "screens/club/finanzen.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "spur.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/finanz_zahlen.h"
#include "world/global.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

#ifndef KORDAVO_SPIELORDNER
#define KORDAVO_SPIELORDNER "game"
#endif

namespace {

// A copy of the screen as it stands.
Rastport_Bild schirm_kopie() {
    Rastport_Bild kopie(Rastport_Neu_Einfach(800, 600, 16));
    if (kopie) Blt_Blit(Screen_Rastport, 0, 0, 800, 600, kopie.get(), 0, 0, Blt_Opt_Standard);
    return kopie;
}

// Whether the screen shows exactly the picture's pixels.
bool schirm_zeigt(const Rastport* bild) {
    return std::memcmp(Screen_Rastport->bitmap->pixel16(), bild->bitmap->pixel16(), size_t{800} * 600 * 2) == 0;
}

class AnkSeiten : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Test_Programm_Starten("kordavo_seiten", &ordner));
        // Every test plays the same new game: the fixture dates come from
        // the shared random table, whose cursor an earlier game moved on.
        Rnd_Set_Index(0, 0);
        // A new game, its turns ended day by day until the leagues have
        // entered their teams; a page before the menu is clicked away.
        std::string skript = "wait 12\n";
        for (int tag = 0; tag < 20; ++tag) skript += "move 750 583\nwait 2\nclick left\nwait 40\nclick left\nwait 4\n";
        ASSERT_GT(Headless_Lauf(skript, 1200), 0);
        // The first matchday is played to its end, its pages clicked away.
        for (int n = 0; n < 400 && (Kalender_Get_Runmodus() != RUNMODUS_SPIEL || Season_Module.Spieltag_Spiele_Offen() ||
                                    !Spielankuendigung_Puffer_Leer() || Spielankuendigung_Screen_Offen());
             ++n) {
            ASSERT_GT(Headless_Lauf(std::string(Ankuendigung_Wegklicken()) + "wait 5\n", 8), 0);
        }
    }
    // The pages' pictures go with the graphics (the start-up registration).
    void TearDown() override { Test_Programm_Beenden(ordner); }
    static void schreiben(const Rastport* rp, const char* name) {
        EXPECT_TRUE(Png_Schreiben(name, rp->bitmap->pixel16(), rp->breite, rp->hoehe, rp->breite, 16));
    }
    // The texts drawn onto `ziel` (any picture: null) since the trace was switched on, with
    // their boxes; the trace is switched off.
    static std::vector<spur::Text> texte(const Rastport* ziel) {
        std::vector<spur::Text> t;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
            if (e.art != SPUR_TEXT || (ziel && e.ziel != ziel) || e.sichtbar.empty()) continue;
            std::string sichtbar = e.sichtbar;
            std::erase(sichtbar, '\t');
            Font* f = Font_Tabelle_Holen(e.font);
            const i32 h = f ? f->hoehe : 0;
            t.push_back({sichtbar, e.font, e.farbe, e.x, e.y - h, e.x + (f ? Font_Text_Breite(f, sichtbar.c_str()) : 0),
                         e.y, spur::platziert(e.text)});
        }
        Zeichenspur_Ausschalten();
        return t;
    }
    // The active manager's league with figures of a season's second half.
    static i32 liga(std::vector<Ank_Tabellenzeile>* zeilen) {
        for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            const Wettbewerb* w = Wettbewerb_Get_Zeiger_Index(i);
            if (!w) continue;
            const i32 id = w->id;
            *zeilen = Ank_Tabelle_Sammeln(id);
            if (std::any_of(zeilen->begin(), zeilen->end(), [](auto& z) { return z.team == Team_Aktiv; })) {
                for (size_t k = 0; k < zeilen->size(); ++k) {
                    auto& z = (*zeilen)[k];
                    z.spiele = 24;
                    z.punkte = 55 - 3 * static_cast<i32>(k) + static_cast<i32>(k % 3);
                    z.tore = 52 - 2 * static_cast<i32>(k);
                    z.gegentore = 18 + static_cast<i32>(k) * 3 / 2;
                    z.vorher = k % 4 == 1 ? static_cast<i32>(k) + 2 : k % 4 == 2 ? static_cast<i32>(k) : -1;
                }
                return id;
            }
        }
        return -1;
    }
    std::string ordner;
};

TEST_F(AnkSeiten, ToreStatistikTabelleUndSpielfeld) {
    // Rows per page: 25 table rows give 12 (8 and 6 leave the same remainder
    // and lose the tie), 9 rows one page, 30 results pages of 10.
    const i32 seiten[][3] = {{25, 20, 12}, {9, 20, 9}, {18, 20, 18}, {30, 10, 10}, {23, 10, 7}, {47, 20, 15}};
    for (const auto& f : seiten) EXPECT_EQ(Ank_Zeilen_Pro_Seite(f[0], f[1]), f[2]) << f[0];
    // The matchday and leg last played from the cycle's counters: {matchday,
    // leg, legs} -> {matchday, leg}.
    const i32 zuletzt[][5] = {{0, 0, 1, 0, 0}, {1, 0, 1, 0, 0}, {5, 0, 2, 4, 1}, {3, 1, 2, 3, 0}, {34, 0, 0, 33, 0}};
    for (const auto& f : zuletzt) {
        Wettbewerb_Info w{};
        w.aktueller_spieltag = f[0], w.aktuelle_runde = f[1], w.best_of_x = f[2];
        const Ank_Spieltag l = Ank_Letzter_Spieltag(w);
        EXPECT_EQ(l.spieltag, f[3]) << f[0] << "/" << f[1];
        EXPECT_EQ(l.runde, f[4]) << f[0] << "/" << f[1];
    }
    std::vector<Ank_Tabellenzeile> tabelle;
    const i32 wettbewerb = liga(&tabelle);
    ASSERT_GE(wettbewerb, 0);
    ASSERT_GE(tabelle.size(), 12u);
    const i32 gast = Team_Aktiv, heim = tabelle[tabelle[0].team == gast ? 1 : 0].team;
    ASSERT_NE(heim, gast);

    // After the match: 3:2 with the scorers from both squads.
    Spielankuendigung a;
    a.wettbewerb = wettbewerb, a.team_a = heim, a.team_b = gast, a.spieltag = 23, a.tag = Kalender_Get_Tag();
    Ank_Nach_Spiel d;
    d.team1 = heim, d.team2 = gast, d.tore1 = 3, d.tore2 = 2, d.wert1 = 7, d.wert2 = 4;
    d.wettbewerb = wettbewerb, d.zuschauer = 48213;
    for (int i = 0; i < 34; ++i) {
        d.spieler[i].b[2] = static_cast<u8>(i < 17 ? 1 + i % 3 : i % 2);
        d.spieler[i].b[3] = static_cast<u8>(i % 4), d.spieler[i].b[4] = static_cast<u8>(3 + i % 5);
        d.spieler[i].b[5] = static_cast<u8>(i < 17 ? 9 : 7);
    }
    Ank_Daten_Schreiben(d, a.daten);
    i32 h_elf[64], g_elf[64];
    ASSERT_GE(Teamspieler_Ins_Array(heim, h_elf, 64, 16), 11);
    ASSERT_GE(Teamspieler_Ins_Array(gast, g_elf, 64, 16), 11);
    auto name = [](i32 s) { return std::string(Spieler_String(63, s, nullptr, 0)); };
    const std::vector<Ank_Tor> tore = {{1, 0, true, name(h_elf[9]), 12},  {1, 1, false, name(g_elf[10]), 28},
                                       {2, 1, true, name(h_elf[10]), 51}, {2, 2, false, name(g_elf[9]), 77},
                                       {3, 2, true, name(h_elf[8]), 89}};

    // Pages over the main menu, dimmed as the announcements show them.
    Rastport_Bild schirm(Rastport_Neu_Einfach(800, 600, 16));
    Rastport_Bild schatten(Resf_Lade_Rastport(Resf_Spiel_Slot(1), 331));
    auto ueber_menue = [&](Rastport_Bild seite) {
        Blt_Blit(Screen_Rastport, 0, 0, 800, 600, schirm.get(), 0, 0, Blt_Opt_Standard);
        if (schatten) Blt_Alpha_Prozent_Transparent(schatten.get(), 0, 0, 800, 600, schirm.get(), 0, 0, 90);
        Blt_Blit(seite.get(), 0, 0, -1, -1, schirm.get(), 400 - seite->breite / 2, 300 - seite->hoehe / 2,
                 Blt_Opt_Standard);
    };
    // Each page fills the screen's height (no half of the menu's header
    // above it), keeps its texts inside and none over another.
    auto seite = [&](Rastport* bild, const char* name) {
        EXPECT_EQ(bild->hoehe, 600) << name;
        std::vector<spur::Text> t = texte(bild);
        EXPECT_EQ(spur::ueberlappungen(t), std::vector<std::string>{}) << name;
        EXPECT_EQ(spur::ausserhalb(t, 16, 0, bild->breite - 16, bild->hoehe - 8), std::vector<std::string>{}) << name;
        ueber_menue(Rastport_Bild(bild));
        schreiben(schirm.get(), name);
        return t;
    };
    Zeichenspur_Einschalten();
    const auto t_tore = seite(Ank_Seite_Tore(a, tore), "ank_tore.png");
    EXPECT_TRUE(std::any_of(t_tore.begin(), t_tore.end(),
                            [&](const spur::Text& e) { return e.sichtbar.find(tore[4].name) != std::string::npos; }));
    // Gold for our side's goals only, whether we play at home or away (the
    // active manager's club is the away side here): in the goal list, and
    // in the score's digits (the gold column of the strip for our side).
    u16 unsere_ziffer[2] = {}, andere_ziffer[2] = {};
    for (const bool wir_heim : {false, true}) {
        Spielankuendigung b = a;
        Ank_Nach_Spiel e = d;
        if (wir_heim) std::swap(e.team1, e.team2), b.team_a = gast, b.team_b = heim;
        Ank_Daten_Schreiben(e, b.daten);
        Zeichenspur_Einschalten();
        const Rastport_Bild p(Ank_Seite_Tore(b, tore));
        ASSERT_NE(p, nullptr);
        const auto t = texte(p.get());
        for (const Ank_Tor& tor : tore) {
            const auto z = std::find_if(t.begin(), t.end(), [&](const spur::Text& x) {
                return x.sichtbar.find(tor.name) != std::string::npos && x.sichtbar.find(std::to_string(tor.minute) + ".") != std::string::npos;
            });
            ASSERT_NE(z, t.end()) << tor.name;
            const bool unser = tor.fuer_heim == wir_heim;
            EXPECT_EQ(z->farbe, unser ? FARBE_GOLD : FARBE_HELL) << wir_heim << " " << tor.minute;
        }
        // A point of each digit's box (its background, left of the digit).
        const i32 m = p->breite / 2, y = 140 + 6;
        const u16 heim_ziffer = p->bitmap->pixel16()[y * p->breite + m - 56 - 2 + 6];
        const u16 gast_ziffer = p->bitmap->pixel16()[y * p->breite + m + 2 + 6];
        unsere_ziffer[wir_heim] = wir_heim ? heim_ziffer : gast_ziffer;
        andere_ziffer[wir_heim] = wir_heim ? gast_ziffer : heim_ziffer;
    }
    // The same colour within a step of each channel (the page's own shading
    // shows through the boxes' edges).
    const auto gleich = [](u16 a, u16 b) {
        return std::abs((a >> 11) - (b >> 11)) <= 1 && std::abs(((a >> 5) & 63) - ((b >> 5) & 63)) <= 2 &&
               std::abs((a & 31) - (b & 31)) <= 1;
    };
    EXPECT_TRUE(gleich(unsere_ziffer[0], unsere_ziffer[1]))
        << "unsere Ziffern heim und auswärts verschieden: " << unsere_ziffer[0] << " " << unsere_ziffer[1];
    EXPECT_TRUE(gleich(andere_ziffer[0], andere_ziffer[1])) << andere_ziffer[0] << " " << andere_ziffer[1];
    EXPECT_FALSE(gleich(unsere_ziffer[0], andere_ziffer[0])) << "unsere Ziffern wie die des Gegners";
    // An own goal names its scorer as the other side's man ("Eigentor von
    // ..."); a shoot-out kick shows the shoot-out's mark, not a minute.
    {
        std::vector<Ank_Tor> mit = tore;
        mit.push_back({4, 2, true, name(g_elf[3]), 90, false, true});
        mit.push_back({5, 2, true, name(h_elf[7]), 121, true, false});
        Zeichenspur_Einschalten();
        const Rastport_Bild p(Ank_Seite_Tore(a, mit));
        ASSERT_NE(p, nullptr);
        const auto t = texte(p.get());
        auto zeile = [&](const std::string& teil) {
            return std::find_if(t.begin(), t.end(), [&](const spur::Text& x) { return x.sichtbar.find(teil) != std::string::npos; });
        };
        EXPECT_NE(zeile("Eigentor von " + name(g_elf[3])), t.end());
        const auto kick = zeile(name(h_elf[7]));
        ASSERT_NE(kick, t.end());
        EXPECT_NE(kick->sichtbar.find("i.E."), std::string::npos) << kick->sichtbar;
        EXPECT_EQ(kick->sichtbar.find("121."), std::string::npos) << kick->sichtbar;
    }
    Ank_Daten_Schreiben(d, a.daten);
    Zeichenspur_Einschalten();
    seite(Ank_Seite_Statistik(a), "ank_statistik.png");
    // The money page: whose books they are, income above expenses, the
    // amounts right-aligned in one column, the loss in its colour.
    const Ank_Finanzen geld{{1284000, 450000, 0, 125000}, {0, 212000, 85000, 1500000, 42000, 10000, 18000}};
    Zeichenspur_Einschalten();
    const auto t_geld = seite(Ank_Seite_Geld(a, geld), "ank_geld.png");
    // The month whose books they are is named, as the finance screen names
    // its period.
    const Datum heute = Kalender_Get_Datum_Von_Tag(-1, false);
    const std::string monat = std::string(Kalender_Get_Monat_Text(heute.monat)) + " " + std::to_string(heute.jahr);
    EXPECT_NE(spur::finden(t_geld, "Finanzen " + monat + ": " + Team_String(721, heim, nullptr, 0)), nullptr);
    const spur::Text* zuschauer = spur::finden(t_geld, "1.284.000 \x80");
    const spur::Text* betrieb = spur::finden(t_geld, "212.000 \x80");
    const spur::Text* verlust = spur::finden(t_geld, "8.000 \x80");
    ASSERT_TRUE(zuschauer && betrieb && verlust);
    EXPECT_EQ(zuschauer->x1, betrieb->x1);
    EXPECT_LT(zuschauer->y1, spur::finden(t_geld, "Ausgaben")->y0);
    EXPECT_LT(spur::finden(t_geld, "Ausgaben")->y1, betrieb->y0);
    EXPECT_EQ(verlust->farbe, FARBE_FEHLER);
    // The head-to-head lines: the home side (the table's leader after the
    // matchday the game played before, which has not met the away side
    // yet) won 2:1, drew 0:0, lost 1:3; from the other side wins and
    // defeats change places.
    Spiele_Set_Spiele_Gegen(wettbewerb, heim, gast, 2, 1);
    Spiele_Set_Spiele_Gegen(wettbewerb, heim, gast, 0, 0);
    Spiele_Set_Spiele_Gegen(wettbewerb, heim, gast, 1, 3);
    std::string bilanz, ergebnisse;
    ASSERT_TRUE(Statistik_Bilanz_Text(-1, heim, gast, &bilanz, &ergebnisse, false));
    EXPECT_EQ(bilanz, "Bilanz: 1 Sieg, 1 Unentschieden, 1 Niederlage");
    EXPECT_EQ(ergebnisse, "Ergebnisse: 1:3,0:0,2:1");
    Spiele_Set_Spiele_Gegen(wettbewerb, heim, gast, 4, 0);
    ASSERT_TRUE(Statistik_Bilanz_Text(wettbewerb, heim, gast, &bilanz, &ergebnisse, true));
    EXPECT_EQ(bilanz, "Bilanz: 1 Sieg, 1 Unentschieden, 2 Niederlagen");
    EXPECT_FALSE(Statistik_Bilanz_Text(wettbewerb, gast, heim, &bilanz, &ergebnisse, false));  // the return pairing
    EXPECT_EQ(bilanz, "");
    // The screens' competition of the day follows the active manager: the
    // one of its match today (played already: no game left for today).
    Menue_Set_Aktiver_Manager(Team_Aktiv);
    i32 spiel = 0;
    Spieltag_Get_Gegner(Team_Aktiv, nullptr, nullptr, &spiel, nullptr);
    EXPECT_EQ(Team_Wettbewerb, Spieltag_Get_Wettbewerb(Team_Aktiv));
    EXPECT_EQ(spiel, -1);
    // Before the match: today's pairing with its record.
    Zeichenspur_Einschalten();
    Rastport_Bild vor(Ank_Seite_Vor_Menue(heim, gast));
    ASSERT_NE(vor, nullptr);
    const auto t_vor = texte(vor.get());
    EXPECT_EQ(spur::ueberlappungen(t_vor), std::vector<std::string>{});
    EXPECT_EQ(spur::ausserhalb(t_vor, 8, 0, vor->breite - 8, vor->hoehe), std::vector<std::string>{});
    ueber_menue(std::move(vor));
    schreiben(schirm.get(), "ank_vor_dem_spiel.png");

    // The table screen: 18 clubs on one page.
    const i32 pro_seite = Ank_Zeilen_Pro_Seite(static_cast<i32>(tabelle.size()), 20);
    Zeichenspur_Einschalten();
    Ank_Screen_Tabelle_Zeichnen(schirm.get(), wettbewerb, tabelle, 0, pro_seite);
    schreiben(schirm.get(), "ank_tabelle.png");
    {
        // Every place in the colour of its own qualification (places count
        // from 1, the competition's from 0).
        const auto t = texte(schirm.get());
        EXPECT_EQ(spur::ueberlappungen(t), std::vector<std::string>{});
        for (const Ank_Tabellenzeile& r : tabelle) {
            const std::string anfang = std::to_string(r.platz) + ".(";
            const auto e = std::find_if(t.begin(), t.end(), [&](const spur::Text& x) { return x.sichtbar.starts_with(anfang); });
            ASSERT_NE(e, t.end()) << anfang;
            const i32 rgb = Wettbewerb_Get_Platz_Farbe(wettbewerb, r.platz - 1);
            const u16 soll = rgb < 0 ? FARBE_WEISS
                             : rgb == WETTBEWERB_FARBE_AUFSTIEG ? FARBE_GUT
                             : rgb == WETTBEWERB_FARBE_ABSTIEG  ? FARBE_SCHLECHT
                                                                : FARBE_INFO;
            EXPECT_EQ(e->farbe, soll) << r.platz;
        }
    }

    // The results screen: nine games, one of them not played yet.
    std::vector<Ank_Ergebniszeile> spiele;
    for (size_t k = 0; k + 1 < tabelle.size(); k += 2) {
        Ank_Ergebniszeile r;
        r.team_a = tabelle[k].team, r.team_b = tabelle[k + 1].team;
        r.tore_a = static_cast<i32>(k % 4), r.tore_b = static_cast<i32>((k / 2) % 3);
        r.halb_a = r.tore_a / 2, r.halb_b = r.tore_b / 2;
        if (k == 16) r.tore_a = r.tore_b = -1;
        spiele.push_back(r);
    }
    Zeichenspur_Einschalten();
    Ank_Screen_Ergebnisse_Zeichnen(schirm.get(), wettbewerb, 23, spiele, 0, Ank_Zeilen_Pro_Seite(9, 10));
    schreiben(schirm.get(), "ank_ergebnisse.png");
    EXPECT_EQ(spur::ueberlappungen(texte(schirm.get())), std::vector<std::string>{});
    // Shown a day later (a client's pages come after the server has moved
    // on): dated the match day, as the host's page is, for results and table.
    for (int modus = 0; modus < 2; ++modus) {
        SCOPED_TRACE(modus);
        const i32 spieltag_datum = Kalender_Get_Tag() - 1;
        const std::string soll = Kalender_Get_Datum_Text(spieltag_datum, true);
        const std::string heute = Kalender_Get_Datum_Text(Kalender_Get_Tag(), true);
        ASSERT_NE(soll, heute);
        Zeichenspur_Einschalten();
        if (modus == 0) Ank_Screen_Tabelle_Zeichnen(schirm.get(), wettbewerb, tabelle, 0, pro_seite, spieltag_datum);
        else Ank_Screen_Ergebnisse_Zeichnen(schirm.get(), wettbewerb, 23, spiele, 0, Ank_Zeilen_Pro_Seite(9, 10), spieltag_datum);
        const auto t = texte(schirm.get());
        const auto hat = [&](const std::string& s) {
            return std::any_of(t.begin(), t.end(), [&](const spur::Text& x) { return x.sichtbar == s; });
        };
        EXPECT_TRUE(hat(soll)) << soll;
        EXPECT_FALSE(hat(heute)) << heute;
    }

    // The pitch overview: 4-4-2 against 4-4-2, minute 67, the ball in the
    // air, a tired home forward, a duel, the mouse over the away keeper.
    static Spielfeld_Inhalt sf;
    std::memset(static_cast<void*>(&sf), 0, sizeof sf);
    sf.team[0] = static_cast<u32>(heim), sf.team[1] = static_cast<u32>(gast);
    sf.tore[0] = 2, sf.tore[1] = 1, sf.minute = 66, sf.staerke[0] = 712, sf.staerke[1] = 540;
    const i32 aufstellung[11][2] = {{500, 3403},  {2200, 1000}, {2000, 2600}, {2000, 4200}, {2200, 5800}, {4200, 900},
                                    {4000, 2700}, {4100, 4300}, {4300, 5900}, {6300, 2900}, {5800, 4200}};
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 11; ++k) {
            const int i = s * 17 + k;
            Spielfeld_Spieler& p = sf.spieler[i];
            p.spieler = s ? g_elf[k] : h_elf[k];
            p.status = SFS_AUF_DEM_PLATZ;
            p.rueckennummer = static_cast<i8>(k + 1);
            p.ausdauer = 8000;
            p.staerke = static_cast<i16>(6000 + 300 * k);
            p.f_pass = static_cast<u8>(60 + k * 3), p.f_schuss = static_cast<u8>(40 + k * 5);
            p.f_zweikampf = 70, p.f_tempo = static_cast<u8>(55 + k * 4);
            const i32 x = s ? 10800 - aufstellung[k][0] - 400 : aufstellung[k][0];
            const i32 y = s ? 6806 - aufstellung[k][1] : aufstellung[k][1];
            sf.objekt[i].x = static_cast<f32>(x), sf.objekt[i].y = static_cast<f32>(y);
            p.zone_x[0] = static_cast<i16>(std::max(0, x - 1500)), p.zone_x[1] = static_cast<i16>(std::min(10800, x + 1500));
            p.zone_y[0] = static_cast<i16>(std::max(0, y - 1200)), p.zone_y[1] = static_cast<i16>(std::min(6806, y + 1200));
            p.marke[0][0] = static_cast<i16>(x - 600), p.marke[0][1] = static_cast<i16>(y);
            p.marke[1][0] = static_cast<i16>(x + 600), p.marke[1][1] = static_cast<i16>(y);
        }
    sf.spieler[10].ausdauer = 2500;  // tired: pulses
    sf.objekt[37].x = 6600, sf.objekt[37].y = 3500, sf.objekt[37].z = 420;
    sf.zweikampf[0] = 9, sf.zweikampf[1] = 17 + 3;
    // The pulse starts afresh (the matchday played before showed its own match).
    Spieltag_Free_Grafik();
    for (int f = 0; f < 4; ++f) ASSERT_TRUE(Spieltag_Blit_Spielfeld(sf, schirm.get(), -100, -100));
    EXPECT_EQ(Spieltag_Blinkstufe(), 70);
    const i32 tx = Spieltag_Bild_X(sf, static_cast<i32>(sf.objekt[17].x));
    const i32 ty = Spieltag_Bild_Y(sf, static_cast<i32>(sf.objekt[17].y));
    ASSERT_TRUE(Spieltag_Blit_Spielfeld(sf, schirm.get(), tx + 3, ty - 2));
    schreiben(schirm.get(), "spielfeld_uebersicht.png");
    // Pinned place by named place: every player and the ball where the
    // pitch puts them, then the four quarters that cover the whole picture.
    static const u64 SUMME[27] = {
        0x6994b42eb212eb32ull, 0xcd75b4282ec398a1ull, 0x416850b58ef6b2dfull,
        0x52b5a4cb7cb8f62bull, 0xdeb4568b949267aaull, 0x1e9cf48cd8e72dacull,
        0xdd9afdd0dcaa9ce8ull, 0xa4fc28b2c075d1e4ull, 0xd3916d6967eb8438ull,
        0x832074937a40ff82ull, 0xfac01eef3477757full, 0xdeae1d8ff9d3b8feull,
        0x3cd2276c8ae026a6ull, 0xbcd976e69a011c1cull, 0x523b6f60e81b7c60ull,
        0x6c7f7c9ceb492f01ull, 0xd29ba2ceea372a99ull, 0xd6b4d25b941ba9f5ull,
        0x4ff072663ecc7746ull, 0xa8163ea69a909f55ull, 0xb7b3b8b648622969ull,
        0xff650ef4609298cfull, 0xa9f2665965f2e3a2ull, 0x54f69c98cbe2252eull,
        0xf0680de3dd42c675ull, 0x4a7e20f2820ddcddull, 0x8599197723af9d46ull,
    };
    struct Ort {
        std::string name;
        pruef::Bereich b;
    };
    std::vector<Ort> orte;
    // A box 24 wide around a place of the pitch, from `oben` above it.
    auto um = [&](const std::string& name, f32 x, f32 y, i32 oben, i32 hoch) {
        orte.push_back({name, {nullptr, Spieltag_Bild_X(sf, static_cast<i32>(x)) - 12,
                               Spieltag_Bild_Y(sf, static_cast<i32>(y)) - oben, 24, hoch}});
    };
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 11; ++k)
            um(std::string(s ? "Gast " : "Heim ") + std::to_string(k + 1), sf.objekt[s * 17 + k].x, sf.objekt[s * 17 + k].y, 12, 24);
    um("Ball", 6600, 3500, 16, 28);  // with its shadow
    const char* const viertel[4] = {"oben links", "oben rechts", "unten links", "unten rechts"};
    for (i32 v = 0; v < 4; ++v) orte.push_back({std::string("Viertel ") + viertel[v], {nullptr, (v % 2) * 400, (v / 2) * 300, 400, 300}});
    ASSERT_EQ(orte.size(), std::size(SUMME));
    for (size_t i = 0; i < orte.size(); ++i) {
        const pruef::Bereich& b = orte[i].b;
        const u64 s = pruef::Bereich_Summe(schirm->bitmap->pixel16(), 800, 600, b.x, b.y, b.w, b.h);
        EXPECT_EQ(s, SUMME[i]) << orte[i].name << " bei " << b.x << "," << b.y << ": 0x" << std::hex << s;
    }
}

}  // namespace

namespace {

TEST_F(AnkSeiten, NachDemSpielKommenDieSeitenUndWerdenWeggeklickt) {
    // The managed club's match is over: the run loop shows the goals,
    // statistics and money pages, the results and table screens and the
    // winners screen, each taken away by a click.
    std::vector<Ank_Tabellenzeile> tabelle;
    const i32 wettbewerb = liga(&tabelle);
    ASSERT_GE(wettbewerb, 0);
    Ank_Nach_Spiel d;
    d.team1 = Team_Aktiv, d.team2 = tabelle[tabelle[0].team == Team_Aktiv ? 1 : 0].team;
    d.tore1 = 2, d.tore2 = 0, d.wettbewerb = wettbewerb;
    Spielankuendigung_Nach_Spiel(0, 0, 0, d);
    // The competition won: the winners screen closes the series.
    Spielankuendigung_Setzen(wettbewerb, Team_Aktiv, d.team2, 0, 0, 0, nullptr);
    ASSERT_TRUE(Spielankuendigung_Puffern(ANK_SIEGER, static_cast<u32>(Team_Aktiv) * 50 + 5));
    std::vector<u32> arten;
    for (int i = 0; i < 60 && arten.size() < 7; ++i) {
        ASSERT_GT(Headless_Lauf("wait 3\n", 3), 0);
        const bool screen = Spielankuendigung_Screen_Offen();
        if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && !screen) continue;
        if (arten.empty() || arten.back() != Spielankuendigung_Laufende_Art()) {
            arten.push_back(Spielankuendigung_Laufende_Art());
            if (arten.back() == ANK_SIEGER) {
                ASSERT_GT(Headless_Lauf("screenshot ank_sieger.png\n", 2), 0);
            }
        }
        // A page: a click anywhere; a screen: its close button.
        const char* klick = !screen                                   ? "click left\nwait 2\n"
                            : Spielankuendigung_Laufende_Art() == ANK_SIEGER ? "move 410 562\nwait 2\nclick left\nwait 2\n"
                                                                          : "move 570 562\nwait 2\nclick left\nwait 2\n";
        ASSERT_GT(Headless_Lauf(klick, 8), 0);
    }
    const std::vector<u32> soll{ANK_TORE, ANK_STATISTIK, ANK_GELD, ANK_ERGEBNISSE, ANK_TABELLE, ANK_SIEGER};
    EXPECT_EQ(arten, soll);
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    EXPECT_TRUE(Spielankuendigung_Puffer_Leer());
}

// The managed club's match of today is over, the matchday's table still
// stands (so it is after loading a game saved then, when no club has been
// shown before the menu yet): viewing the club brings no page before the
// match, which would show the played match as still to come.
TEST_F(AnkSeiten, GespieltesSpielBringtKeineSeiteVorDemSpiel) {
    ASSERT_TRUE(Spieltag_Initialisiert());
    ASSERT_TRUE(Spieltag_Team_Spielt(Team_Aktiv));
    ASSERT_FALSE(Spieltag_Team_Offen(Team_Aktiv));
    ASSERT_NE(Spielankuendigung_Laufende_Art(), static_cast<u32>(ANK_VOR_MENUE));
    Spielankuendigung_Reset();
    Team_Ansicht = Team_Aktiv;
    Kalender_Flags_Setzen();
    for (int i = 0; i < 20; ++i) {
        ASSERT_GT(Headless_Lauf("wait 3\n", 3), 0);
        EXPECT_NE(Spielankuendigung_Laufende_Art(), static_cast<u32>(ANK_VOR_MENUE)) << "pass " << i;
    }
    EXPECT_EQ(Kalender_Lauf_Get().ankuendigung_pruefen, 0);
}

// The first matchday in the game: every league match of the day had
// spectators, never more than the home ground holds, a bigger club drew
// more; the money page adds up to what the bank booked this month (the
// match line's records, which move no money, left out).
TEST_F(AnkSeiten, ErsterSpieltagZuschauerUndGeldStimmen) {
    int spiele = 0;
    for (const Spieltag_Slot& r : Spieltag_Slots()) {
        const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, false) : nullptr;
        if (!s || s->tore_a < 0 || (s->flags & SPIEL_FLAG_ABGESAGT)) continue;
        ++spiele;
        EXPECT_GT(s->zuschauer, 0u) << s->team_a << "-" << s->team_b;
        EXPECT_LE(static_cast<i32>(s->zuschauer), Stadion_Get_Kapazitaet(s->team_a)) << s->team_a;
    }
    EXPECT_GT(spiele, 0);
    const i32 t = Team_Aktiv;
    const Bank_Konto* k = Bank_Get_Konto(t);
    ASSERT_NE(k, nullptr);
    double ein = 0, aus = 0;
    for (int i = 0; i < k->anzahl; ++i) {
        const Bank_Buchung& b = k->buchung[i];
        if (b.periode != Bank_Get_Periode() || !Bank_Ist_Geldbuchung(b.kategorie)) continue;
        (b.kategorie & BANK_RICHTUNG_AUS ? aus : ein) += b.betrag;
    }
    EXPECT_GT(Bank_Summe_Buchungen(t, 0, BANK_SPIEL_ZUSCHAUER, 0) + Bank_Summe_Buchungen(t, 0, BANK_SPIEL_HEIM, 0), 0.0)
        << "the match line is recorded";
    const Ank_Finanzen f = Ank_Finanzen_Holen(t);
    double seite_ein = 0, seite_aus = 0;
    for (double x : f.einnahmen) seite_ein += x;
    for (double x : f.ausgaben) seite_aus += x;
    EXPECT_NEAR(seite_ein, ein, 0.5);
    EXPECT_NEAR(seite_aus, aus, 0.5);
}


// The money page of a match shows the books of the match's month: each row
// the bookings of its kinds, the result the account's change in that month.
// So does the finance screen. The page may come after the bank has begun
// the next month (a client's page comes when the server has gone on to the
// next day, its bank with the server's period): it still shows the match's.
TEST_F(AnkSeiten, GeldseiteZeigtDieBuchungenDesSpielmonats) {
    const i32 t = Team_Aktiv;
    i32 g = 1;
    while (g < Team_Anzahl && (g == t || !Team_Ist_Verein(g))) ++g;
    ASSERT_LT(g, Team_Anzahl);
    Bank_Neue_Periode();
    Welt_Spiel_Info spiel;
    spiel.heim = t, spiel.gast = g, spiel.tore_heim = 3, spiel.tore_gast = 1, spiel.zuschauer = 23456;
    ASSERT_TRUE(Bank_Buche_Spieldaten_Info(t, spiel));
    const f64 vorher = Bank_Get_Kontostand(t, 0, 0);
    const struct {
        bool ein;
        f32 betrag;
        int kategorie;
        int zeile;
    } buchungen[] = {
        {true, 412345, BANK_ZUSCHAUER, 0},          {true, 98765, BANK_WERBUNG, 1},  // sponsor
        {true, 45000, BANK_WERBUNG, 1},             // broadcasting
        {true, 700000, BANK_TRANSFER_EINNAHME, 2},  {true, 30000, BANK_EINNAHME, 3},  // premium
        {true, 150000, BANK_KREDIT, 3},             {true, 1234, BANK_OHNE_ART, 3},
        {false, 210000, BANK_GEHALT, 4},            {false, 17000, BANK_PERSONAL, 5},
        {false, 250000, BANK_STADIONBAU, 6},        {false, 333000, BANK_TRANSFER_AUSGABE, 7},
        {false, 11000, BANK_TRANSFER_AUSGABE, 7},   // scout fee
        {false, 21000, BANK_STADIONBETRIEB, 8},     {false, 45500, BANK_TRAINING, 9},
        {false, 60000, BANK_TRAINING, 9},           // camp
        {false, 20000, BANK_AUSGABE, 10},           // fine
        {false, 12500, BANK_KREDIT, 10},            // a credit's rate with its interest
    };
    i64 erwartet[FINANZ_ZEILEN] = {};
    for (const auto& b : buchungen) {
        ASSERT_TRUE(Bank_Buchen(b.ein ? -1 : t, b.ein ? t : -1, b.betrag, b.kategorie, 1, -1)) << b.kategorie;
        erwartet[b.zeile] += static_cast<i64>(b.betrag);
    }
    const f64 aenderung = Bank_Get_Kontostand(t, 0, 0) - vorher;
    ASSERT_NEAR(aenderung, 1437344.0 - 980000.0, 0.01);
    // The bank begins the next month with its wages; the calendar still
    // shows the match day.
    Bank_Neue_Periode();
    ASSERT_TRUE(Bank_Buchen(t, -1, 199999.0f, BANK_GEHALT, 1, -1));

    const Ankuendigung_Hooks h = Ank_Seiten_Ankuendigung_Hooks();
    Spielankuendigung a;
    a.art = ANK_GELD, a.team_a = t, a.team_b = g, a.tag = Kalender_Get_Tag();
    Ank_Nach_Spiel d;
    d.team1 = t, d.team2 = g, d.tore1 = 3, d.tore2 = 1, d.zuschauer = 23456;
    Ank_Daten_Schreiben(d, a.daten);
    Zeichenspur_Einschalten();
    ASSERT_TRUE(h.seite_bauen(ANK_GELD, a));
    const auto seite = texte(nullptr);
    h.seite_freigeben();
    EXPECT_NE(spur::finden(seite, "Finanzen " + std::string(Kalender_Monat_Text_Von_Tag(a.tag)) + ": " +
                                      Team_String(721, t, nullptr, 0)),
              nullptr);
    for (int i = 0; i < FINANZ_ZEILEN; ++i)
        EXPECT_NE(spur::finden(seite, Bank_Geld_String(static_cast<f64>(erwartet[i]), t, -1, 0)), nullptr)
            << "row " << i << ": " << Bank_Geld_String(static_cast<f64>(erwartet[i]), t, -1, 0);
    EXPECT_EQ(spur::finden(seite, Bank_Geld_String(199999.0, t, -1, 0)), nullptr) << "the next month's wages";
    const spur::Text* ergebnis = spur::finden(seite, Bank_Geld_String(aenderung, t, -1, 0));
    ASSERT_NE(ergebnis, nullptr) << "the result is the account's change of the month";
    EXPECT_NE(ergebnis->farbe, FARBE_FEHLER) << "a gain";

    // The finance screen's rows of that month are the same bookings.
    Finanz_Screen_Daten_Holen(-1);
    const Finanz_Zahlen& z = Finanz_Screen_Zahlen();
    for (int i = 0; i < FINANZ_ZEILEN; ++i) EXPECT_EQ(z.betrag[i], erwartet[i]) << "row " << i;
    EXPECT_EQ(z.einnahmen - z.ausgaben, static_cast<i32>(aenderung));
}

}  // namespace

// The page before the menu stays up over the screen under it, shadowed: the
// shadow is blended once, and every frame after copies the shadowed screen
// whole (whatever was drawn on the screen since) and shows the same picture.
TEST_F(AnkSeiten, SchattenUnterDerSeiteEinmalGemischt) {
    ASSERT_NE(Screen_Rastport, nullptr);
    Rastport_Bild erwartet(Rastport_Neu_Einfach(800, 600, 16));
    Rastport_Bild schatten(Resf_Lade_Rastport(Resf_Spiel_Slot(1), 331));
    Rastport_Bild seite(Ank_Seite_Vor_Menue(Team_Aktiv, Team_Ansicht));
    ASSERT_TRUE(erwartet && schatten && seite);
    Blt_Blit(Screen_Rastport, 0, 0, 800, 600, erwartet.get(), 0, 0, Blt_Opt_Standard);
    Blt_Alpha_Prozent_Transparent(schatten.get(), 0, 0, schatten->breite, schatten->hoehe, erwartet.get(), 0, 0, 90);
    Blt_Blit(seite.get(), 0, 0, -1, -1, erwartet.get(), 400 - seite->breite / 2, 300 - seite->hoehe / 2, Blt_Opt_Standard);

    const Ankuendigung_Hooks h = Ank_Seiten_Ankuendigung_Hooks();
    Spielankuendigung a;
    a.team_a = Team_Aktiv, a.team_b = Team_Ansicht;
    ASSERT_TRUE(h.seite_bauen(ANK_VOR_MENUE, a));
    for (int frame = 0; frame < 3; ++frame) {
        Zeichenspur_Einschalten();
        h.seite_zeigen(ANK_VOR_MENUE, ANK_STUFEN, true);
        // Drawn whole over the screen: one copy after the first frame (the
        // first also blends the shadow, into its own picture).
        const auto ganz = std::count_if(Zeichenspur_Eintraege().begin(), Zeichenspur_Eintraege().end(),
                                        [](const Zeichenspur_Eintrag& e) {
                                            return e.art == SPUR_BLIT && e.ziel == Screen_Rastport && e.breite == 800 &&
                                                   e.hoehe == 600;
                                        });
        Zeichenspur_Ausschalten();
        EXPECT_EQ(ganz, 1) << frame;
        EXPECT_TRUE(schirm_zeigt(erwartet.get())) << frame;
        Blt_Rechteck(Screen_Rastport, 0, 0, 800, 600, 0x1234);
    }
    h.seite_freigeben();
}

// The table screen after a matchday is kept while it does not change: a
// frame over it leaves the screen as it is (a mark written past the
// drawing survives), and every frame, also one after its close button
// turned grey, shows what a frame drawn whole shows.
TEST_F(AnkSeiten, TabellenScreenBleibtStehenWieErGezeichnetIst) {
    ASSERT_NE(Screen_Rastport, nullptr);
    std::vector<Ank_Tabellenzeile> zeilen;
    Spielankuendigung a;
    a.wettbewerb = liga(&zeilen);
    a.team_a = Team_Aktiv;
    ASSERT_GE(a.wettbewerb, 0);
    ASSERT_TRUE(Ank_Screen_Oeffnen(0, a));
    ASSERT_TRUE(W32_Frame_Gezeigt());
    Rastport_Bild ganz(Rastport_Neu_Einfach(800, 600, 16));
    ASSERT_TRUE(ganz);
    const size_t bytes = size_t{800} * 600 * 2;
    u16* pixel = Screen_Rastport->bitmap->pixel16();
    const auto wie_ganz = [&] {
        Menue_Screen_Refresh(ganz.get());
        return std::memcmp(pixel, ganz->bitmap->pixel16(), bytes) == 0;
    };
    Menue_Screen_Refresh();
    EXPECT_TRUE(wie_ganz());
    // An unchanged frame: the mark stays.
    const u16 vorher = pixel[20 * 800 + 20];
    pixel[20 * 800 + 20] = static_cast<u16>(vorher ^ 0xFFFF);
    Menue_Screen_Refresh();
    EXPECT_EQ(pixel[20 * 800 + 20], static_cast<u16>(vorher ^ 0xFFFF));
    pixel[20 * 800 + 20] = vorher;
    Menue_Screen_Refresh();
    EXPECT_TRUE(wie_ganz());
    // A changed button: drawn again where it changed, the same as whole.
    Screen_Icon* zu = Menue_Screen_Icon_Aus_Nummer(ICON_ANK_ZU);
    ASSERT_NE(zu, nullptr);
    zu->status |= MENUE_S_GRAU;
    Menue_Screen_Refresh();
    EXPECT_TRUE(wie_ganz());
    Ank_Seiten_Free();
}

// Pages one after another, each over another screen, all show their screen
// under the shadow: the shadow kept from the first page is the one loaded
// for each, also after the pages were let go.
TEST_F(AnkSeiten, SeitenNacheinanderUnterDemselbenSchatten) {
    ASSERT_NE(Screen_Rastport, nullptr);
    Rastport_Bild schatten(Resf_Lade_Rastport(Resf_Spiel_Slot(1), 331));
    ASSERT_TRUE(schatten);
    const Ankuendigung_Hooks h = Ank_Seiten_Ankuendigung_Hooks();
    Spielankuendigung a;
    a.team_a = Team_Aktiv, a.team_b = Team_Ansicht;
    const u16 farben[] = {0x1234, 0xF800, 0x07E0};
    for (size_t k = 0; k < std::size(farben); ++k) {
        SCOPED_TRACE(k);
        if (k == 2) Ank_Seiten_Free();
        Blt_Rechteck(Screen_Rastport, 0, 0, 800, 600, farben[k]);
        Rastport_Bild erwartet(Rastport_Neu_Einfach(800, 600, 16));
        Rastport_Bild seite(Ank_Seite_Vor_Menue(Team_Aktiv, Team_Ansicht));
        ASSERT_TRUE(erwartet && seite);
        Blt_Blit(Screen_Rastport, 0, 0, 800, 600, erwartet.get(), 0, 0, Blt_Opt_Standard);
        Blt_Alpha_Prozent_Transparent(schatten.get(), 0, 0, schatten->breite, schatten->hoehe, erwartet.get(), 0, 0, 90);
        Blt_Blit(seite.get(), 0, 0, -1, -1, erwartet.get(), 400 - seite->breite / 2, 300 - seite->hoehe / 2,
                 Blt_Opt_Standard);
        ASSERT_TRUE(h.seite_bauen(ANK_VOR_MENUE, a));
        h.seite_zeigen(ANK_VOR_MENUE, ANK_STUFEN, true);
        EXPECT_TRUE(schirm_zeigt(erwartet.get()));
        h.seite_freigeben();
    }
}

// A page built while the one before is still up (a series of pages) keeps
// the screen under it in the picture the one before used: going, each gives
// back its own screen, not the one the page before lay over.
TEST_F(AnkSeiten, SeiteNachSeiteGibtIhrenSchirmZurueck) {
    ASSERT_NE(Screen_Rastport, nullptr);
    const Ankuendigung_Hooks h = Ank_Seiten_Ankuendigung_Hooks();
    Spielankuendigung a;
    a.team_a = Team_Aktiv, a.team_b = Team_Ansicht;
    const struct {
        u32 art;
        u16 farbe;
    } seiten[] = {{ANK_VOR_MENUE, 0x1234}, {ANK_VOR_MENUE, 0xF800}, {ANK_VOR_MENUE, 0x07E0}};
    for (const auto& s : seiten) {
        SCOPED_TRACE(s.farbe);
        Blt_Rechteck(Screen_Rastport, 0, 0, 800, 600, s.farbe);
        const Rastport_Bild erwartet = schirm_kopie();
        ASSERT_TRUE(erwartet);
        ASSERT_TRUE(h.seite_bauen(s.art, a));
        h.seite_zeigen(s.art, ANK_STUFEN, true);
        EXPECT_FALSE(schirm_zeigt(erwartet.get()));
        h.hintergrund_zeigen(true);
        EXPECT_TRUE(schirm_zeigt(erwartet.get()));
    }
    h.seite_freigeben();
}

// A page shown again while the screen is watched and nothing was drawn on
// it since stands as it is (nothing drawn); anything drawn over the screen,
// a new watch, another step or the screen unwatched shows it again. The
// screen holds the page over its screen either way.
TEST_F(AnkSeiten, UnveraenderteSeiteBleibtStehen) {
    ASSERT_NE(Screen_Rastport, nullptr);
    const Ankuendigung_Hooks h = Ank_Seiten_Ankuendigung_Hooks();
    Spielankuendigung a;
    a.team_a = Team_Aktiv, a.team_b = Team_Ansicht;
    Blt_Rechteck(Screen_Rastport, 0, 0, 800, 600, 0x1234);
    ASSERT_TRUE(h.seite_bauen(ANK_GELD, a));
    Abdruck_Wache(Screen_Rastport);
    h.seite_zeigen(ANK_GELD, ANK_STUFEN, false);
    const Rastport_Bild erwartet = schirm_kopie();
    ASSERT_TRUE(erwartet);
    const struct Fall {
        const char* was;
        std::function<void()> dazwischen;
        int stufe;
        bool gezeigt;
    } faelle[] = {
        {"nothing drawn since", [] {}, ANK_STUFEN, false},
        {"drawn over the page", [] { Blt_Rechteck(Screen_Rastport, 300, 250, 40, 30, 0xF800); }, ANK_STUFEN, true},
        {"nothing drawn since again", [] {}, ANK_STUFEN, false},
        {"a new watch", [] { Abdruck_Wache(Screen_Rastport); }, ANK_STUFEN, true},
        {"another step", [] {}, ANK_STUFEN - 1, true},
        {"the full page again", [] {}, ANK_STUFEN, true},
        {"the screen unwatched", [] { Abdruck_Aus(); }, ANK_STUFEN, true},
        {"still unwatched", [] {}, ANK_STUFEN, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        f.dazwischen();
        Zeichenspur_Einschalten();
        h.seite_zeigen(ANK_GELD, f.stufe, false);
        const bool gezeigt = std::any_of(Zeichenspur_Eintraege().begin(), Zeichenspur_Eintraege().end(),
                                         [](const Zeichenspur_Eintrag& e) { return e.ziel == Screen_Rastport; });
        Zeichenspur_Ausschalten();
        EXPECT_EQ(gezeigt, f.gezeigt);
        if (f.stufe == ANK_STUFEN) {
            EXPECT_TRUE(schirm_zeigt(erwartet.get()));
        }
    }
    Abdruck_Aus();
    h.seite_freigeben();
}
