// seasonsim: starts a new game of the shipped world headless through the
// game's run loop and plays whole seasons: every matchday's games by dice
// minutes, the human clubs' games on the match engine, the human turns ended
// at once. Prints per season the champion and the relegated of each league,
// the cup winners, the goals per game of dice and engine matches beside the
// bands of real football, the world's figures (each line beginning with its
// name: squads, median balance, players sharing a full name, median fine
// strength by level, club-to-club transfers, human club), the random events
// of the human clubs per category (texts and questions against their chances:
// matches and days), the time taken and
// the memory in use; after several seasons the same over all of them.
//
//   seasonsim [-n SEASONS] [-m HUMANS] [-s SEED] [-c CLUB] [-w DAY -o FILE] [-l FILE] [-r FILE] [-v]
//     -n  seasons to play (1..50; 1)
//     -m  human clubs (0..2; 0), chosen at random by the seed
//     -s  seed, 0..4294967295: the shared random table's cursor is the seed
//         mod 6000 (the table's size), so seeds 6000 apart play the same game
//     -c  the (first) human club by name
//     -w  saves the game when the day index DAY (1..36500) is reached, into
//     -o  FILE
//     -l  loads the save FILE and plays on from its day
//     -r  writes every club's row at the start and at each season's end into
//         FILE (tab-separated: season, club, league, level, strength, ground,
//         balance, monthly wages and sponsor money, stars and talents, the
//         eleven's mean age): what makes a club rise
//     -v  prints every competition's results of each day
#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/files.h"
#include "base/random.h"
#include "base/spielstand.h"
#include "gemeinsam/argumente.h"
#include "matchday/saison.h"
#include "main/saison_lauf.h"
#include "matchday/spieltag.h"
#include "seasonsim/saisonbericht.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/welt_tag.h"
#include "season/wettbewerb_werte.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/leben.h"
#include "world/stadion.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/welt_pruefen.h"

namespace {

constexpr const char* AUFRUF =
    "usage: seasonsim [-n SEASONS] [-m HUMANS] [-s SEED] [-c CLUB] [-w DAY -o FILE] [-l FILE] [-r FILE] [-v]\n";
constexpr werkzeug::Aufruf AUFRUF_W{"seasonsim", AUFRUF};

struct Optionen {
    long long saisons = 1, menschen = 0, saat = 0, speichertag = -1;
    std::string club, ausgabe, laden, vereine;
    bool alle = false;
};

[[noreturn]] void abbruch(const std::string& text, int code = 2) { werkzeug::Abbruch(AUFRUF_W, text, code); }

Optionen lesen(int argc, char** argv) {
    Optionen o;
    werkzeug::Optionen_Lesen(AUFRUF_W, argc, argv, "nmscwolrv", [&](char x, auto wert) {
        switch (x) {
            case 'n': o.saisons = werkzeug::Zahl(AUFRUF_W, "-n", wert(), 1, 50); break;
            case 'm': o.menschen = werkzeug::Zahl(AUFRUF_W, "-m", wert(), 0, 2); break;
            case 's': o.saat = werkzeug::Zahl(AUFRUF_W, "-s", wert(), 0, 4294967295LL); break;
            case 'c': o.club = wert(); break;
            case 'w': o.speichertag = werkzeug::Zahl(AUFRUF_W, "-w", wert(), 1, 36500); break;
            case 'o': o.ausgabe = wert(); break;
            case 'l': o.laden = wert(); break;
            case 'r': o.vereine = wert(); break;
            case 'v': o.alle = true; break;
        }
    });
    if ((o.speichertag >= 0) != !o.ausgabe.empty()) abbruch("-w and -o go together");
    if (!o.club.empty() && o.menschen == 0) o.menschen = 1;
    if (!o.laden.empty() && (o.menschen > 0 || !o.club.empty()))
        abbruch("a loaded save brings its own human clubs: -l goes without -m and -c");
    return o;
}

std::string name(i32 team) {
    if (team < 0 || team >= Team_Anzahl) return "-";
    return Cp1252_To_Utf8(Team_Fix_Daten[team].name);
}

// Reads the club names (the world alone) to find a club by name and the
// clubs to draw human managers from; the game reads the world again.
std::vector<i32> menschen_waehlen(const Optionen& o, const std::string& daten) {
    std::vector<i32> m;
    if (o.menschen == 0) return m;
    if (!Welt_Laden_Ordner(daten.c_str(), 0)) abbruch("the world in " + daten + " cannot be read", 1);
    std::vector<i32> clubs;
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Team_Daten[t].art & TEAM_ART_VEREIN) clubs.push_back(t);
    if (!o.club.empty()) {
        i32 t = -1;
        for (i32 c : clubs)
            if (name(c) == o.club) t = c;
        if (t < 0) abbruch("no club is called \"" + o.club + "\"");
        m.push_back(t);
    }
    Rnd_Set_Index(static_cast<i32>(o.saat % RND_TABELLE_GROESSE), 0);
    while (static_cast<long long>(m.size()) < o.menschen && clubs.size() > 1) {
        const i32 t = clubs[static_cast<size_t>(Rnd_Basis(0, static_cast<i32>(clubs.size()) - 1))];
        if (m.empty() || t != m[0]) m.push_back(t);
    }
    Welt_Freigeben();
    return m;
}

// The season's titles and the relegated, collected as rounds end.
std::vector<std::string> ergebnisse;
Saison_Bericht bericht;
Bericht_Summe summe;
bool alle_ausgeben = false;

void fertig(i32 id) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    const bool letzte = w && w->vorherige_gruppe < 0 && w->naechste_runde < 0 &&
                        w->aktuelle_runde + 1 >= std::max(w->best_of_x, 1) && w->aktueller_spieltag + 1 >= w->spieltage;
    if (alle_ausgeben && w)
        for (const auto& r : Spieltag_Slots())
            if (const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr; s && s->wettbewerb == id)
                std::printf("  %-24s %-26s %d:%d  %s\n", Cp1252_To_Utf8(w->name).c_str(), name(s->team_a).c_str(),
                            s->tore_a, s->tore_b, name(s->team_b).c_str());
    bericht.Vor_Beendet(id);
    Wettbewerb_Spiele_Beendet(id);
    bericht.Nach_Beendet(id);
    if (!letzte) return;
    std::string z = Cp1252_To_Utf8(w->name) + ": " + name(w->sieger);
    if (w->basisliga && !(w->modus & WB_KO_SYSTEM)) {
        i32 auf = 0, ab = 0;
        Wettbewerb_Get_Auf_Abstieg(id, &auf, &ab);
        if (ab > 0) {
            z += "; relegated:";
            for (i32 p = ab - 1; p < w->teams; ++p) {
                z += ' ';
                z += name(w->teilnehmer[p]);
                if (p + 1 < w->teams) z += ',';
            }
        }
    }
    ergebnisse.push_back(z);
}

void zeile(const char* was, const Spieltag_Zahlen& z, const Spieltag_Zahlen& vorher, int e) {
    const double n = z.spiele[e] - vorher.spiele[e];
    if (n == 0) {
        std::printf("  %-7s no matches\n", was);
        return;
    }
    std::printf(
        "  %-7s %6.0f matches  goals/game %.2f (2.6-3.2)  home/draw/away %.0f/%.0f/%.0f %% (43-50/22-30/24-32)\n", was,
        n, (z.tore[e] - vorher.tore[e]) / n, 100.0 * (z.heimsiege[e] - vorher.heimsiege[e]) / n,
        100.0 * (z.remis[e] - vorher.remis[e]) / n, 100.0 * (z.auswaertssiege[e] - vorher.auswaertssiege[e]) / n);
}

std::string prozent(u32 teil, u32 ganz) {
    char t[32];
    std::snprintf(t, sizeof t, "%.0f %%", ganz ? 100.0 * teil / ganz : 0.0);
    return t;
}

std::string groessen(const std::map<u32, u32>& g) {
    std::string t;
    for (const auto& [n, k] : g)
        t.append(" ").append(std::to_string(n)).append(": ").append(std::to_string(k)).append(";");
    return t;
}

std::string stufen(const std::map<i32, double, std::greater<i32>>& jetzt,
                   const std::map<i32, double, std::greater<i32>>& start) {
    std::string t;
    int stufe = 1;
    for (const auto& [prozent, median] : jetzt) {
        char z[96];
        const auto s = start.find(prozent);
        const double vorher = s != start.end() ? s->second : 0;
        std::snprintf(z, sizeof z, " level %d %.0f (start %.0f, %+.0f %%);", stufe++, median, vorher,
                      vorher > 0 ? 100 * (median / vorher - 1) : 0.0);
        t += z;
    }
    return t;
}

// The season's figures beside the bands of real football and of a living world.
// The random events of the season for the managed clubs: their chances
// (matches, days) and per category the texts and questions posted.
void ereignisse_ausgeben(const Ereignis_Zahlen& z, const Ereignis_Zahlen& vorher) {
    std::printf("  events  %lld matches of managed clubs, %lld days", static_cast<long long>(z.spiele - vorher.spiele),
                static_cast<long long>(z.tage - vorher.tage));
    if (z.erste_frage_tag >= 0) std::printf("; first question on day %d", z.erste_frage_tag);
    std::printf("\n");
    for (const char* art : {"texts", "questions"}) {
        const bool fragen = art[0] == 'q';
        std::string liste;
        long long summe = 0;
        for (i32 k = 0; k < EREIGNIS_KATEGORIEN; ++k) {
            const long long n = (fragen ? z.fragen[k] - vorher.fragen[k] : z.texte[k] - vorher.texte[k]);
            summe += n;
            if (n) liste += std::string(" ") + Ereignis_Kategorie_Name(k) + " " + std::to_string(n);
        }
        std::printf("          %-9s %lld%s%s\n", art, summe, liste.empty() ? "" : ":", liste.c_str());
    }
}

void welt_ausgeben(const Bericht_Saison& b) {
    std::printf("  dice    0:0 %s (5-11 %%), draws %s (22-30 %%); the stronger side wins/draws/loses by its margin\n",
                prozent(b.null_null, b.spiele).c_str(), prozent(b.remis, b.spiele).c_str());
    static const char* const klassen[5] = {"<500", "500-999", "1000-1999", "2000-2999", ">=3000"};
    for (int k = 0; k < 5; ++k) {
        const u32 n = b.luecke[k][0] + b.luecke[k][1] + b.luecke[k][2];
        std::printf("          %-9s %6u matches  %s / %s / %s\n", klassen[k], n, prozent(b.luecke[k][0], n).c_str(),
                    prozent(b.luecke[k][1], n).c_str(), prozent(b.luecke[k][2], n).c_str());
    }
    for (const Bericht_Liga& l : b.ligen) {
        if (!l.gross) continue;
        std::printf("  %-22s champion %.2f (2.1-2.6), last %.2f (0.5-1.0) points a game; strongest before: %s, place %d\n",
                    l.name.c_str(), l.meister_ppg, l.letzter_ppg, name(l.staerkster).c_str(), l.staerkster_platz);
    }
    std::printf("  top divisions' league matches %u: home wins %s (43-50 %%), away wins %s (24-32 %%), 0:0 %s (5-11 %%)\n",
                b.oben_spiele, prozent(b.oben_heimsiege, b.oben_spiele).c_str(),
                prozent(b.oben_auswaertssiege, b.oben_spiele).c_str(), prozent(b.oben_null_null, b.oben_spiele).c_str());
    std::printf("  promoted and down again %u of %u (30-50 %%); cup finalists from lower divisions %u of %u (<=15 %%)\n",
                b.aufsteiger_ab, b.aufsteiger, b.pokal_unten, b.pokal_finalisten);
    std::printf("  world: club players' ages %d-%d, median %.1f (16-37, 24-28); retired %d, youth %d\n", b.alter_min,
                b.alter_max, b.alter_median, b.abgaenge, b.zugaenge);
    std::printf("  squads %u-%u (18-25, varying):%s\n", b.kader_min, b.kader_max, groessen(b.kader_groessen).c_str());
    std::string stars;
    for (const auto& [liga, n] : b.stars) stars += " " + liga + " " + std::to_string(n) + ";";
    std::printf("  stars (10-30 per big league):%s\n", stars.c_str());
    std::printf("  median balance of top-division clubs %.2f M, %.2fx the start (>=0.7x), %u of %u in the red; "
                "wages paid %.1f M; richest club %s %.1f M, %.1fx the median (<=15x)\n",
                b.saldo_median / 1e6, b.saldo_start > 0 ? b.saldo_median / b.saldo_start : 0.0, b.im_minus, b.top_clubs,
                b.gehaelter / 1e6, name(b.reichster).c_str(), b.reichster_saldo / 1e6,
                b.saldo_median > 0 ? b.reichster_saldo / b.saldo_median : 0.0);
    std::printf("  months of wages held: top divisions' median club %.1f (1-6), richest club %.1f; "
                "deals with the market %d (some every season), players to or from it %u\n",
                b.monate_median, b.reichster_monate, b.markt_deals, b.markt_wechsel);
    std::printf("  players sharing a full name: %u of %u (none)\n", b.namensgleiche, b.spieler);
    std::printf("  median fine strength by level (within 15 %% of the start):%s\n",
                stufen(b.staerke_stufe, b.staerke_stufe_start).c_str());
    std::printf("  club-to-club transfers: %u, %.2f a club (>=1), %u of players of 9000 or more (%s of the clubs' %u, "
                "5-10 %%)\n",
                b.wechsel, b.clubs ? static_cast<double>(b.wechsel) / b.clubs : 0.0, b.wechsel_stark,
                prozent(b.wechsel_stark, b.stark).c_str(), b.stark);
    for (const Bericht_Mensch& m : b.menschen)
        std::printf("  human club %s: %.2f points a game, computer clubs of its strength %.2f (%u); exhaustion %.2f "
                    "(league %.2f), injured %.0f (%.1f), morale %.2f (%.2f)\n",
                    name(m.team).c_str(), m.ppg, m.ppg_gleich, m.gleich, m.erschoepfung, m.erschoepfung_liga,
                    m.verletzt, m.verletzt_liga, m.moral, m.moral_liga);
}

void summe_ausgeben() {
    Bericht_Summe_Meister(summe, bericht.Meister());
    const Bericht_Summe& m = summe;
    auto anteil = [](u32 a, u32 b) { return b ? 100.0 * a / b : 0.0; };
    std::printf("over %u seasons (bands of real football and of a living world in brackets)\n", m.saisons);
    std::printf("  pre-season strongest club is champion: %.0f %% of %u big-league seasons (25-50 %%)\n",
                anteil(m.staerkster_meister, m.ligen), m.ligen);
    std::printf("  different champions per big league in 10 seasons: %.1f (2-5)\n", m.meister_je_10);
    std::printf("  champions %.2f points a game (2.1-2.6), last places %.2f (0.5-1.0)\n", m.meister_ppg, m.letzter_ppg);
    std::printf("  promoted clubs relegated again: %.0f %% of %u (30-50 %%)\n", anteil(m.aufsteiger_ab, m.aufsteiger),
                m.aufsteiger);
    std::printf("  cup finalists from lower divisions: %.0f %% of %u (at most 15 %%)\n",
                anteil(m.pokal_unten, m.pokal_finalisten), m.pokal_finalisten);
    std::printf("  dice matches: %.2f goals a game (2.5-3.1), 0:0 %.1f %% (5-11 %%), draws %.1f %% (22-30 %%)\n",
                m.spiele ? static_cast<double>(m.tore) / m.spiele : 0.0, anteil(m.null_null, m.spiele),
                anteil(m.remis, m.spiele));
    std::printf("  top divisions' league matches: home wins %.1f %% (43-50 %%), away wins %.1f %% (24-32 %%), 0:0 %.1f %% "
                "(5-11 %%) of %u\n",
                anteil(m.oben_heimsiege, m.oben_spiele), anteil(m.oben_auswaertssiege, m.oben_spiele),
                anteil(m.oben_null_null, m.oben_spiele), m.oben_spiele);
    std::printf("  the stronger side wins by margin <500 / 500-999 / 1000-1999 / 2000-2999 / >=3000: "
                "%.0f / %.0f / %.0f / %.0f / %.0f %% (rising)\n",
                100 * m.sieg_anteil(0), 100 * m.sieg_anteil(1), 100 * m.sieg_anteil(2), 100 * m.sieg_anteil(3),
                100 * m.sieg_anteil(4));
    // The match engine's results by margin beside the dice's: a club whose
    // matches the engine plays should gain from a margin as a dice club does.
    std::string engine;
    for (int k = 0; k < 5; ++k) {
        const u32* e = m.luecke_engine[k];
        const u32 n = e[0] + e[1] + e[2];
        char z[64];
        std::snprintf(z, sizeof z, "%s%u/%u/%u %% (%u)", k ? "; " : "", n ? 100 * e[0] / n : 0, n ? 100 * e[1] / n : 0,
                      n ? 100 * e[2] / n : 0, n);
        engine += z;
    }
    std::printf("  engine matches, the stronger side's wins/draws/defeats by the same margins: %s\n", engine.c_str());
    std::printf("  at the end: ages %d-%d, median %.1f (16-37, 24-28); stars %u-%u per big league (10-30)\n",
                m.alter_min, m.alter_max, m.alter_median, m.stars_min, m.stars_max);
    std::string g;
    for (u32 n : m.kader_groessen) g.append(" ").append(std::to_string(n));
    std::printf("  squads at the end %u-%u (18-25); sizes seen at season ends:%s\n", m.kader_min, m.kader_max,
                g.c_str());
    std::printf("  median balance of top-division clubs %.2f M against %.2f M at the start (0.3x-3x); lowest after a "
                "season %.2fx (>=0.7x); %u of %u in the red after the first season (<=10 %%), %u at the end; richest "
                "club at most %.1fx the median (<=15x)\n",
                m.saldo_median / 1e6, m.saldo_start / 1e6, m.saldo_anteil_min, m.im_minus_erste, m.top_clubs_erste,
                m.im_minus, m.reich_anteil_max);
    std::printf("  clubs that ended a season in the red: %.1f %% of %u (2-10 %%), %u of them in the black at the end; "
                "richest club at least %.1fx the top divisions' median (5-15x)\n",
                anteil(static_cast<u32>(m.minus_clubs.size()), m.alle_clubs), m.alle_clubs, m.minus_erholt,
                m.reich_anteil_min < 1e9 ? m.reich_anteil_min : 0.0);
    std::printf("  median age at the seasons' ends %.1f-%.1f (24-28, steady); retired %d-%d a season (steady); "
                "moves of players of 9000 or more %.1f a season (some every season)\n",
                m.alter_median_min, m.alter_median_max, m.abgaenge_min, m.abgaenge_max,
                m.saisons ? static_cast<double>(m.wechsel_stark) / m.saisons : 0.0);
    std::printf("  months of wages held at the seasons' ends: top divisions' median club %.1f-%.1f (1-6), richest club "
                "%.1f-%.1f; deals with the market %.1f a season (some every season), players to or from it %u-%u a "
                "season after the first (60-300)\n",
                m.monate_min, m.monate_max, m.reich_monate_min, m.reich_monate_max,
                m.saisons ? static_cast<double>(m.markt_deals) / m.saisons : 0.0, m.markt_wechsel_min,
                m.markt_wechsel_max);
    std::printf("  players sharing a full name: at most %u at a season's end (none)\n", m.namensgleiche_max);
    std::printf("  median fine strength by level at the end (within 15 %% of the start):%s\n",
                stufen(m.staerke_stufe, m.staerke_stufe_start).c_str());
    std::printf("  club-to-club transfers: %.2f a club a season (>=1)\n",
                m.wechsel_clubs ? static_cast<double>(m.wechsel) / m.wechsel_clubs : 0.0);
    if (m.mensch_saisons) {
        const double n = m.mensch_saisons, g = std::max(1u, m.mensch_gleich_saisons);
        std::printf("  human club: %.2f points a game; in %u seasons beside computer clubs of its strength %.2f "
                    "against their %.2f (within 0.25); morale %.2f, its league %.2f (within 0.5)\n",
                    m.mensch_ppg / n, m.mensch_gleich_saisons, m.mensch_ppg_bei_gleich / g, m.mensch_ppg_gleich / g,
                    m.mensch_moral / n, m.mensch_moral_liga / n);
    }
    std::string risers;
    const auto anstieg = bericht.Staerke_Anstieg();
    for (size_t i = 0; i < anstieg.size() && i < 5; ++i)
        risers.append(" ")
            .append(name(anstieg[i].first))
            .append(" ")
            .append(std::to_string(anstieg[i].second))
            .append(";");
    std::printf("  biggest risers in strength:%s\n", risers.c_str());
}

// Every club's row of the season (see -r).
void vereine_schreiben(std::FILE* f, i32 saison) {
    if (!f) return;
    if (saison == 0)
        std::fprintf(f, "season\tclub\tname\tleague\tlevel\tstrength\tground\tbalance\twages\tsponsor\tstars\tage\tbookings\n");
    const i32 jahr = 2003 + Kalender_Get_Jahr();
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        if (t == Team_Transfermarkt || !(Team_Daten[t].art & TEAM_ART_VEREIN)) continue;
        const i32 liga = Wettbewerb_Get_Liga_Von_Team(t, true);
        const Wettbewerb* w = liga >= 0 ? Wettbewerb_Get_Zeiger(liga) : nullptr;
        std::vector<std::pair<i32, i32>> elf;  // (strength, age)
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
            const int s = Team_Kader(t)[i];
            elf.emplace_back(Spieler_Daten[s].staerke_fein, jahr - Spieler_Fix_Daten[s].geburtsjahr);
        }
        std::sort(elf.rbegin(), elf.rend());
        double alter = 0;
        const size_t n = std::min<size_t>(elf.size(), 11);
        for (size_t i = 0; i < n; ++i) alter += elf[i].second;
        // The last twelve months' bookings by kind (128 and up: money going out).
        std::map<int, f64> arten;
        if (const Bank_Konto* k = Bank_Get_Konto(t))
            for (int i = 0; i < k->anzahl; ++i)
                if (k->buchung[i].periode > Bank_Get_Periode() - 12 && Bank_Ist_Geldbuchung(k->buchung[i].kategorie))
                    arten[k->buchung[i].kategorie] += k->buchung[i].betrag;
        std::string buchungen;
        for (const auto& [art, betrag] : arten) buchungen += std::to_string(art) + "=" + std::to_string(std::lround(betrag)) + " ";
        std::fprintf(f, "%d\t%d\t%s\t%s\t%d\t%d\t%d\t%.0f\t%.0f\t%.0f\t%d\t%.1f\t%s\n", saison, t, name(t).c_str(),
                     w ? Cp1252_To_Utf8(w->name).c_str() : "-", liga >= 0 ? Wettbewerb_Get_Liga_Prozent(t) : 0,
                     Bericht_Staerke(t), Stadion_Get_Kapazitaet(t), Bank_Get_Kontostand(t, 0, -1),
                     Leben_Gehaltssumme(t), Welt_Tag_Sponsorgeld(t), Leben_Stars_Belegt(t, jahr, false),
                     n ? alter / static_cast<double>(n) : 0.0, buchungen.c_str());
    }
    std::fflush(f);
}

}  // namespace

int main(int argc, char** argv) {
    const Optionen o = lesen(argc, argv);
    alle_ausgeben = o.alle;
    const char* src = std::getenv("KORDAVO_SOURCE_DIR");
    const std::string daten = std::filesystem::absolute(std::string(src ? src : ".") + "/data/config").string();
    // A game folder of its own (autosaves), the configuration read in place.
    char vorlage[] = "/tmp/seasonsim_XXXXXX";
    const char* ordner = mkdtemp(vorlage);
    if (!ordner) abbruch("no temporary folder", 1);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_WORK], W32_DIR_LAENGE, "%s", ordner);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_SPIELSTAND], W32_DIR_LAENGE, "%s", ordner);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", daten.c_str());
    // A world that cannot be read whole is refused before anything is played.
    std::string meldung;
    if (!Welt_Ordner_Pruefen(daten, 0, &meldung)) {
        std::error_code ec;
        std::filesystem::remove_all(ordner, ec);
        abbruch(Cp1252_To_Utf8(meldung), 1);
    }

    Saison_Spiel_Starten({daten, menschen_waehlen(o, daten), static_cast<i32>(o.saat % RND_TABELLE_GROESSE)});
    Spieltag_Hooks h = Spieltag_Get_Hooks();
    h.wettbewerb_fertig = fertig;
    Spieltag_Set_Hooks(h);
    Saison_Lauf lauf;
    int code = 0;
    if (!Saison_Lauf_Tag(lauf)) abbruch("the new game did not start", 1);
    if (!o.laden.empty() && !Spielstand_Laden(o.laden.c_str())) {
        std::fprintf(stderr, "seasonsim: the save %s cannot be loaded\n", o.laden.c_str());
        code = 1;
    }
    for (i32 t = 0; t < Team_Anzahl && code == 0; ++t)
        if (Team_Hat_Manager(t)) std::printf("human club: %s\n", name(t).c_str());
    std::FILE* vereine = nullptr;
    if (!o.vereine.empty() && !(vereine = std::fopen(o.vereine.c_str(), "w"))) {
        std::fprintf(stderr, "seasonsim: %s cannot be written\n", o.vereine.c_str());
        code = 1;
    }
    vereine_schreiben(vereine, 0);

    const i32 letztes_jahr = Kalender_Get_Jahr() + static_cast<i32>(o.saisons);
    Spieltag_Zahlen vorher = Spieltag_Get_Zahlen();
    Ereignis_Zahlen ereignisse_vorher = Ereignis_Get_Zahlen();
    auto wand = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    while (code == 0) {
        const i32 jahr = Kalender_Get_Jahr();
        if (!Saison_Lauf_Tag(lauf)) {
            std::fprintf(stderr, "seasonsim: the run stalled on day %d\n", Kalender_Get_Tag());
            code = 1;
            break;
        }
        if (o.alle) std::printf("%s\n", Cp1252_To_Utf8(Kalender_Get_Datum().zahl_text).c_str());
        // A fixed scrambling key: the same game gives the same file.
        if (Kalender_Get_Tag() == o.speichertag) Rnd_Deko_Seed(1);
        if (Kalender_Get_Tag() == o.speichertag && !Spielstand_Speichern(o.ausgabe.c_str(), 1)) {
            std::fprintf(stderr, "seasonsim: the save %s cannot be written\n", o.ausgabe.c_str());
            code = 1;
        }
        if (Kalender_Get_Jahr() == jahr) continue;
        // A season has ended: its titles, figures, time and memory.
        std::printf("season %d/%02d\n", 2003 + jahr, (2004 + jahr) % 100);
        for (const auto& z : ergebnisse) std::printf("  %s\n", z.c_str());
        ergebnisse.clear();
        const Spieltag_Zahlen& z = Spieltag_Get_Zahlen();
        zeile("dice", z, vorher, 0);
        zeile("engine", z, vorher, 1);
        vorher = z;
        ereignisse_ausgeben(Ereignis_Get_Zahlen(), ereignisse_vorher);
        ereignisse_vorher = Ereignis_Get_Zahlen();
        const Bericht_Saison saison = bericht.Saison_Ende();
        welt_ausgeben(saison);
        Bericht_Summe_Dazu(summe, saison);
        std::printf("  time: %.2f s wall, %.2f s CPU; memory %ld kB\n",
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - wand).count(),
                    static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, Saison_Lauf_Speicher_kB());
        vereine_schreiben(vereine, static_cast<i32>(summe.saisons));
        wand = std::chrono::steady_clock::now();
        cpu = std::clock();
        if (Kalender_Get_Jahr() >= letztes_jahr) break;
    }
    if (vereine) std::fclose(vereine);
    if (code == 0 && summe.saisons > 1) summe_ausgeben();
    Saison_Spiel_Beenden();
    std::error_code ec;
    std::filesystem::remove_all(ordner, ec);
    return code;
}
