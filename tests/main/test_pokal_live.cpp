// A manager's first cup tie watched live, fast play (">>") clicked in the
// control bar as a player clicks it, played headless through the program's
// own input. The game starts with the manager at the club named below,
// whose first cup tie goes to a penalty shoot-out; every match of his club
// is watched live at fast speed, the tie stopping at its breaks (the
// manager asks for it that morning). Checked:
// - the shoot-out is shown in the live view (its kicks on the pitch);
// - the main menu's header after the tie: the club's goals first, the mark;
// - the goals page names the round and carries the mark under the score,
//   the shoot-out's kicks with the mark instead of a minute;
// - the results screen after the match and the cup's results page ("Liga
//   > Ergebnisse", the cup chosen with the competition arrow: the round of
//   sixteen by its name, one matchday back the tie) show its score and mark;
// - every goal of every match played on the days of the club's next three
//   matches too (live or not) is credited to the side its scorer plays for
//   (an own goal to the other side, named so on the goals page).
//
// KORDAVO_POKAL_SPIELSTAND=<file> also writes the game, saved through the
// save screen on the main menu of the day of the cup tie, to that file (the
// mouse run in the real window loads it: tests/data/pokal_elfmeter.kdv);
// KORDAVO_POKAL_VEREIN=<club> tries another club.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/bytes.h"
#include "base/files.h"
#include "base/settings.h"
#include "base/spielstand.h"
#include "fahrer.h"
#include "gui/ank_seiten.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "programm.h"
#include "screens/club/spielstand.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/live_view/spielansicht.h"
#include "season/ankuendigung.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "spur.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace f = fahrer;

namespace {

// The club whose first cup tie, played as below, is decided on penalties.
constexpr const char* VEREIN = "24";

// The national cup the club is entered in (a knock-out competition that
// starts a cup, not a later round), -1.
i32 pokal_von(i32 team) {
    for (i32 id = Wettbewerb_Get_Erster_Aktiver(); id >= 0; id = Wettbewerb_Get_Naechster_Aktiver(id)) {
        const i32 basis = Wettbewerb_Get_Basis_Id(id);
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(basis);
        if (!w || !Wettbewerb_Ist_KO(basis) || w->vorherige_gruppe >= 0 || Wettbewerb_Ist_International(basis)) continue;
        for (i32 k = 0; k < w->startteam_anzahl; ++k)
            if (w->start_team[k] == team) return basis;
    }
    return -1;
}

using Schluessel = std::tuple<i32, i32, i32, i32>;  // competition, matchday, leg, index

// A goal whose scorer does not play for the side it is credited to (an own
// goal: for the other side), as "competition/matchday/index: minute name".
std::vector<std::string> falsche_schuetzen(const Spiel& s) {
    std::vector<std::string> aus;
    for (u32 e = 0; e < s.ereignis_anzahl; ++e) {
        const u8* bild = Spiele_Ereignis(s.erstes_ereignis + e);
        if (!bild) break;
        const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
        if (!(r.flags & SFE_TOR)) continue;
        const bool fuer_heim = (r.flags & SFE_TEAM_A) != 0;
        const bool eigentor = (r.flags & SFE_EIGENTOR) != 0;
        const i32 team = fuer_heim != eigentor ? s.team_a : s.team_b;
        const i32 hat = r.spieler >= 0 && r.spieler < Spieler_Anzahl ? Spieler_Get_Team(r.spieler) : -2;
        if (hat == team) continue;
        char zeile[200];
        std::snprintf(zeile, sizeof zeile, "%d/%d/%d: %d. %s (Spieler %d von Team %d, gutgeschrieben %s Team %d%s)",
                      s.wettbewerb, s.spieltag, s.index, r.minute + 1,
                      r.spieler >= 0 ? Spieler_String(63, r.spieler, nullptr, 0) : "?", r.spieler, hat,
                      fuer_heim ? "Heim" : "Gast", fuer_heim ? s.team_a : s.team_b, eigentor ? ", Eigentor" : "");
        aus.push_back(zeile);
    }
    return aus;
}

// The own goals among a game's events.
long eigentor_ereignisse(const Spiel& s) {
    long n = 0;
    for (u32 e = 0; e < s.ereignis_anzahl; ++e)
        if (const u8* bild = Spiele_Ereignis(s.erstes_ereignis + e)) {
            const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
            n += (r.flags & SFE_TOR) && (r.flags & SFE_EIGENTOR);
        }
    return n;
}

class Pokal_Live : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Test_Programm_Starten("kordavo_pokal_live", &ordner));
        const char* v = std::getenv("KORDAVO_POKAL_VEREIN");
        ASSERT_TRUE(W32_Registry_Write("Verein", v && *v ? v : VEREIN));
        const char* z = std::getenv("KORDAVO_GALERIE");
        bilder = z && *z ? z : "pokal_live";
        std::filesystem::create_directories(bilder);
    }
    void TearDown() override { Test_Programm_Beenden(ordner); }

    // The games of the day's rows that are over, each checked once.
    void fertige_pruefen() {
        for (const Spieltag_Slot& r : Spieltag_Slots()) {
            if (r.spiel <= 0 || (r.status != ST_BEENDET && r.status != ST_FERTIG)) continue;
            const Spiel* s = Spiele_Get_Spiel(r.spiel, true);
            if (!s || s->tore_a < 0) continue;
            const Schluessel k{s->wettbewerb, s->spieltag, s->runde, s->index};
            if (!geprueft.insert(k).second) continue;
            for (const std::string& x : falsche_schuetzen(*s)) fehler.push_back(x);
            // The goals page names an own goal's scorer as the other side's man.
            const std::vector<Ank_Tor> liste = Ank_Tore_Sammeln(s->wettbewerb, s->spieltag, s->runde, s->index);
            const auto eigentore = std::count_if(liste.begin(), liste.end(), [](const Ank_Tor& t) { return t.eigentor; });
            if (eigentore != eigentor_ereignisse(*s))
                fehler.push_back("Spiel " + std::to_string(s->index) + ": Eigentore ohne Zeichen auf der Torseite");
            tore += std::max<i32>(s->tore_a, 0) + std::max<i32>(s->tore_b, 0);
            if (s->team_a == team || s->team_b == team) {
                ++eigene;
                if (Wettbewerb_Get_Basis_Id(s->wettbewerb) == pokal) {
                    pokalspiel = *s;
                    pokal_gespielt = true;
                }
            }
        }
    }

    // Plays on as a player does until `fertig` holds at the main menu: turns
    // ended, pages and notices clicked away, every match of the club
    // watched live with fast play clicked as soon as its view is up; the
    // games of each day checked once they are over.
    template <class F>
    void spielen(F fertig) {
        for (int n = 0; n < 40000 && !(fertig() && f::im_menue()); ++n) {
            fertige_pruefen();
            if (Spielansicht_Laufzustand() == 1 && Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_PAUSE) &&
                !Spielankuendigung_Screen_Offen() && !Menue_Requester_Offen()) {
                Spielfeld_Daten* sf = Spielansicht_Get_Spielfeld();
                // A break the manager asked to stop at: the line-up window
                // it opens closed, the match taken on again.
                if (Spielfeld_Get_Pause()) {
                    ++pausen;
                    if (Menue_Icon_Zustand(ICON_LEISTE_AUFSTELLUNG)) {
                        ASSERT_TRUE(f::icon(ICON_LEISTE_AUFSTELLUNG, 2));
                    }
                    ASSERT_TRUE(f::icon(ICON_LEISTE_PAUSE, 2));
                    continue;
                }
                // Once a match: a second click would take fast play off again.
                if (sf && !Spielfeld_Get_Fast()) {
                    ASSERT_TRUE(f::icon(ICON_LEISTE_SCHNELL, 2));
                    ++schnell_geklickt;
                }
                if (sf && sf->situation == SIT_SCHIESSEN &&
                    (sf->team[0] == static_cast<u32>(team) || sf->team[1] == static_cast<u32>(team)))
                    schiessen_gesehen = true;
                ASSERT_TRUE(f::lauf("wait 1\n", 1));
                continue;
            }
            // The pages after the tie; the results screen's texts kept.
            if (pokal_gespielt && (Spielankuendigung_Screen_Offen() ||
                                   (Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG && !Spielankuendigung_Puffer_Leer()))) {
                const u32 art = Spielankuendigung_Laufende_Art();
                if (art < ANK_ARTEN && seiten.insert(art).second) {
                    ASSERT_TRUE(f::lauf("wait 12\n", 1));
                    ASSERT_TRUE(f::bild(bilder + "/seite_" + std::to_string(art) + ".png"));
                    if (art == ANK_ERGEBNISSE)
                        for (const spur::Text& t : spur::frame()) ergebnisseite.push_back(t.sichtbar);
                }
            }
            if (!f::im_menue()) {
                ASSERT_TRUE(f::weiter());
                continue;
            }
            // On the morning of the tie the manager asks the match to stop
            // at its breaks (the mouse run watches the shoot-out from the
            // last one), and the game may be saved for that run.
            if (!pokal_gespielt && pokal_heute() && !Option_Wert(OPTION_HALBZEIT_PAUSE, 0, 0)) {
                Option_Wert(OPTION_HALBZEIT_PAUSE, 1, 1);
                if (!speichern_nach.empty()) speichern();
                if (HasFatalFailure()) return;
            }
            ASSERT_TRUE(f::zug_beenden());
        }
    }
    // The club's cup tie waits among today's rows.
    bool pokal_heute() const {
        for (const Spieltag_Slot& r : Spieltag_Slots()) {
            const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr;
            if (s && r.status == ST_WARTET && (s->team_a == team || s->team_b == team) &&
                Wettbewerb_Get_Basis_Id(s->wettbewerb) == pokal)
                return true;
        }
        return false;
    }
    // Spiel > Speichern into the first slot, as a player saves; the file
    // copied to where KORDAVO_POKAL_SPIELSTAND says.
    void speichern() {
        ASSERT_TRUE(f::oeffnen(3, 1, Screen_Id::SPEICHERN));
        ASSERT_TRUE(f::klick(300, DISK_ZEILE_Y0 + DISK_ZEILE_H / 2, 6));
        ASSERT_TRUE(f::icon(ICON_SPEICHERN_KNOPF, 6));
        for (int k = 0; k < 200 && !Menue_Requester_Offen(); ++k) ASSERT_TRUE(f::lauf("wait 2\n", 0));
        ASSERT_TRUE(f::antworten(true));
        std::filesystem::copy_file(W32_Pfad_Uebersetzen(Spielstand_Pfad(0)), speichern_nach,
                                   std::filesystem::copy_options::overwrite_existing);
        std::printf("gespeichert: %s (Tag %d)\n", speichern_nach.c_str(), Kalender_Get_Tag());
        speichern_nach.clear();
        ASSERT_TRUE(f::bis_menue());
    }

    std::string ordner, speichern_nach;
    i32 schnell_geklickt = 0, tore = 0, pausen = 0;
    bool schiessen_gesehen = false;
    i32 team = -1, pokal = -1, eigene = 0;
    std::set<Schluessel> geprueft;
    std::vector<std::string> fehler, ergebnisseite;
    std::set<u32> seiten;
    std::string bilder;
    Spiel pokalspiel{};
    bool pokal_gespielt = false;
};

TEST_F(Pokal_Live, ElfmeterschiessenSchnellGespieltUndUeberall) {
    ASSERT_TRUE(f::lauf("wait 12\n", 14));
    ASSERT_TRUE(f::bis_menue());
    team = Team_Aktiv;
    pokal = pokal_von(team);
    ASSERT_GE(pokal, 0) << "the club is in no national cup";
    Test_Live_Ansicht(true);
    const char* spielstand = std::getenv("KORDAVO_POKAL_SPIELSTAND");
    speichern_nach = spielstand && *spielstand ? spielstand : "";
    spielen([&] { return pokal_gespielt; });
    if (HasFatalFailure()) return;
    ASSERT_TRUE(pokal_gespielt) << "the cup tie did not come";
    ASSERT_TRUE(speichern_nach.empty()) << "the game was not saved before the tie";
    EXPECT_EQ(pausen, 4) << "the tie stops at half-time, after 90 minutes, at the turn of extra time and before the shoot-out";
    Option_Wert(OPTION_HALBZEIT_PAUSE, 1, 0);
    std::printf("Pokal %d: %d:%d Flags %d nach %d eigenen Spielen, %d Pausen\n", pokal, pokalspiel.tore_a,
                pokalspiel.tore_b, pokalspiel.flags, eigene, pausen);
    EXPECT_GT(schnell_geklickt, 0);
    ASSERT_TRUE(pokalspiel.flags & 2) << "the cup tie was not decided on penalties: another club is needed";
    EXPECT_TRUE(schiessen_gesehen) << "the shoot-out was not shown";
    char ergebnis[32];
    std::snprintf(ergebnis, sizeof ergebnis, "%d:%d %s", pokalspiel.tore_a, pokalspiel.tore_b,
                  Spiele_Ergebnis_Zusatz(2));
    // A text holding the score and its mark (tab stops and spaces left out).
    const auto ohne_abstand = [](std::string t) {
        std::erase_if(t, [](char c) { return c == ' ' || c == '\t'; });
        return t;
    };
    const auto mit_ergebnis = [&](const std::vector<std::string>& texte) {
        return std::any_of(texte.begin(), texte.end(), [&](const std::string& t) {
            return ohne_abstand(t).find(ohne_abstand(ergebnis)) != std::string::npos;
        });
    };
    // The main menu's header after the tie: the club left (a cup tie has no
    // home side), its goals first, the mark under the score.
    {
        const bool heim = pokalspiel.team_a == team;
        char kopf[32];
        std::snprintf(kopf, sizeof kopf, "%d : %d", heim ? pokalspiel.tore_a : pokalspiel.tore_b,
                      heim ? pokalspiel.tore_b : pokalspiel.tore_a);
        std::vector<std::string> texte;
        for (const spur::Text& t : spur::frame())
            if (t.y1 < 70) texte.push_back(t.sichtbar);
        EXPECT_NE(std::find(texte.begin(), texte.end(), kopf), texte.end()) << kopf << " not in the header";
        EXPECT_NE(std::find(texte.begin(), texte.end(), Spiele_Ergebnis_Zusatz(2)), texte.end())
            << "no shoot-out mark in the header";
    }
    // The results screen after the match.
    EXPECT_TRUE(mit_ergebnis(ergebnisseite)) << ergebnis << " not on the results screen after the match";

    // The goals page of the tie: its round by name, the mark under the score.
    {
        Spielankuendigung a;
        a.art = ANK_TORE, a.wettbewerb = pokalspiel.wettbewerb, a.team_a = pokalspiel.team_a;
        a.team_b = pokalspiel.team_b, a.spieltag = pokalspiel.spieltag, a.runde = pokalspiel.runde;
        a.index = pokalspiel.index, a.tag = Kalender_Get_Tag();
        Ank_Nach_Spiel d;
        d.team1 = pokalspiel.team_a, d.team2 = pokalspiel.team_b, d.tore1 = pokalspiel.tore_a;
        d.tore2 = pokalspiel.tore_b, d.wettbewerb = pokalspiel.wettbewerb;
        Ank_Daten_Schreiben(d, a.daten);
        Zeichenspur_Einschalten();
        Zeichenspur_Leeren();
        const Rastport_Bild seite(
            Ank_Seite_Tore(a, Ank_Tore_Sammeln(a.wettbewerb, a.spieltag, a.runde, a.index)));
        ASSERT_NE(seite, nullptr);
        std::vector<std::string> texte;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_TEXT && e.ziel == seite.get()) texte.push_back(e.sichtbar);
        Zeichenspur_Ausschalten();
        const auto hat = [&](const std::string& x) {
            return std::any_of(texte.begin(), texte.end(),
                               [&](const std::string& t) { return ohne_abstand(t) == ohne_abstand(x); });
        };
        EXPECT_TRUE(hat(Spiele_Ergebnis_Zusatz(2))) << "no shoot-out mark on the goals page";
        EXPECT_TRUE(hat("Deutscher Pokal, 1. Runde")) << "the goals page names no round";
        // The shoot-out's kicks are listed with its mark, not with a minute
        // after the playing time.
        i32 kicks = 0;
        for (const std::string& t : texte) {
            const std::string x = ohne_abstand(t);
            if (x.size() > 4 && x.find(':') != std::string::npos && x.ends_with(Spiele_Ergebnis_Zusatz(2))) ++kicks;
            // A goal line's minute: the digits before its closing point; at
            // most extra time's last added minute (five at most: a goal at
            // 120+1 stands at 121).
            if (x.size() > 4 && x.find(':') != std::string::npos && x.back() == '.') {
                size_t k = x.size() - 1;
                while (k > 0 && std::isdigit(static_cast<unsigned char>(x[k - 1]))) --k;
                EXPECT_LE(std::atoi(x.c_str() + k), 125) << t;
            }
        }
        EXPECT_GT(kicks, 0) << "no shoot-out kick on the goals page";
    }

    // Liga > Ergebnisse, the cup chosen with the competition arrow: its
    // round shows the tie with its score and mark.
    ASSERT_TRUE(f::oeffnen(1, 1, Screen_Id::WETTBEWERB_ERGEBNISSE));
    i32 n = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&n);
    auto gezeigt = [&] {
        const u32 k = Manager_Icon_Word_Data_Lesen(Team_Aktiv, ICON_WB_HINTERGRUND);
        return k < static_cast<u32>(n) ? Wettbewerb_Get_Basis_Id(liste[k]) : -1;
    };
    for (int k = 0; k < n && gezeigt() != pokal; ++k) {
        ASSERT_TRUE(f::icon(ICON_WB_WETTBEWERB_VOR, 4));
        liste = Tabelle_Wettbewerbsliste(&n);
    }
    ASSERT_EQ(gezeigt(), pokal);
    ASSERT_TRUE(f::bild(bilder + "/pokal_ergebnisse.png"));
    // It opens at the next round, the round of sixteen, by that name.
    std::vector<std::string> kopf;
    for (const spur::Text& t : spur::frame()) kopf.push_back(t.sichtbar);
    EXPECT_TRUE(std::any_of(kopf.begin(), kopf.end(), [](const std::string& t) {
        return t.find("Ergebnisse Deutscher Pokal") != std::string::npos && t.find("Achtelfinale") != std::string::npos;
    })) << "the round of sixteen is not named";
    // The round of the tie: the matchday arrow back from the next one.
    ASSERT_TRUE(f::icon(ICON_WB_SPIELTAG_ZURUECK, 4));
    ASSERT_TRUE(f::bild(bilder + "/pokal_ergebnisse_zurueck.png"));
    i32 zeilen = 0;
    const Tabelle_Ergebnis_Zeile* z = Tabelle_Screen_Ergebnisse(&zeilen);
    const auto* r = std::find_if(z, z + zeilen, [&](const Tabelle_Ergebnis_Zeile& e) {
        return e.heim == pokalspiel.team_a && e.gast == pokalspiel.team_b;
    });
    ASSERT_NE(r, z + zeilen) << "the tie is not on the cup's results page (matchday "
                             << Manager_Icon_Word_Data_Lesen(Team_Aktiv, ICON_WB_SPIELTAG) << ", " << zeilen << " rows)";
    EXPECT_EQ(r->tore[0][0], pokalspiel.tore_a);
    EXPECT_EQ(r->tore[0][1], pokalspiel.tore_b);
    EXPECT_STREQ(r->text[0], Spiele_Ergebnis_Zusatz(2));
    // The own games: the tie drawn in the first row with its score and mark.
    ASSERT_TRUE(f::icon(ICON_WB_EIGENE, 4));
    std::vector<std::string> texte;
    for (const spur::Text& t : spur::frame()) texte.push_back(t.sichtbar);
    ASSERT_TRUE(f::bild(bilder + "/pokal_eigene_spiele.png"));
    EXPECT_TRUE(mit_ergebnis(texte)) << ergebnis << " not drawn on the cup's results page";

    // Three more of the club's matches live; every goal of those days (and
    // of the days before) credited to its scorer's side.
    ASSERT_TRUE(f::rechtsklick(400, 300, 6));
    const i32 bis = eigene + 3;
    spielen([&] { return eigene >= bis; });
    if (HasFatalFailure()) return;
    EXPECT_GE(eigene, bis);
    EXPECT_GT(tore, 10) << "too few goals to check";
    EXPECT_EQ(fehler, std::vector<std::string>{});
}

}  // namespace
