// seasonsim: starts a new game of the shipped world headless through the
// game's run loop and plays whole seasons: every matchday's games by dice
// minutes, the human clubs' games on the match engine, the human turns ended
// at once. Prints per season the champion and the relegated of each league,
// the cup winners, the goals per game of dice and engine matches beside the
// bands of real football, the time taken and the memory in use.
//
//   seasonsim [-n SEASONS] [-m HUMANS] [-s SEED] [-c CLUB] [-w DAY -o FILE] [-l FILE] [-v]
//     -n  seasons to play (1..50; 1)
//     -m  human clubs (0..2; 0), chosen at random by the seed
//     -s  seed, 0..35999999: the shared random table's cursor
//     -c  the (first) human club by name
//     -w  saves the game when the day index DAY (1..36500) is reached, into
//     -o  FILE
//     -l  loads the save FILE and plays on from its day
//     -v  prints every competition's results of each day
#include <algorithm>
#include <chrono>
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
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr const char* AUFRUF =
    "usage: seasonsim [-n SEASONS] [-m HUMANS] [-s SEED] [-c CLUB] [-w DAY -o FILE] [-l FILE] [-v]\n";
constexpr werkzeug::Aufruf AUFRUF_W{"seasonsim", AUFRUF};

struct Optionen {
    long long saisons = 1, menschen = 0, saat = 0, speichertag = -1;
    std::string club, ausgabe, laden;
    bool alle = false;
};

[[noreturn]] void abbruch(const std::string& text, int code = 2) { werkzeug::Abbruch(AUFRUF_W, text, code); }

Optionen lesen(int argc, char** argv) {
    Optionen o;
    werkzeug::Optionen_Lesen(AUFRUF_W, argc, argv, "nmscwolv", [&](char x, auto wert) {
        switch (x) {
            case 'n': o.saisons = werkzeug::Zahl(AUFRUF_W, "-n", wert(), 1, 50); break;
            case 'm': o.menschen = werkzeug::Zahl(AUFRUF_W, "-m", wert(), 0, 2); break;
            case 's': o.saat = werkzeug::Zahl(AUFRUF_W, "-s", wert(), 0, 35999999); break;
            case 'c': o.club = wert(); break;
            case 'w': o.speichertag = werkzeug::Zahl(AUFRUF_W, "-w", wert(), 1, 36500); break;
            case 'o': o.ausgabe = wert(); break;
            case 'l': o.laden = wert(); break;
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
    Rnd_Set_Index(static_cast<i32>(o.saat), 0);
    while (static_cast<long long>(m.size()) < o.menschen && clubs.size() > 1) {
        const i32 t = clubs[static_cast<size_t>(Rnd_Basis(0, static_cast<i32>(clubs.size()) - 1))];
        if (m.empty() || t != m[0]) m.push_back(t);
    }
    Welt_Freigeben();
    return m;
}

// The season's titles and the relegated, collected as rounds end.
std::vector<std::string> ergebnisse;
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
    Wettbewerb_Spiele_Beendet(id);
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

    Saison_Spiel_Starten({daten, menschen_waehlen(o, daten), static_cast<i32>(o.saat)});
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

    const i32 letztes_jahr = Kalender_Get_Jahr() + static_cast<i32>(o.saisons);
    Spieltag_Zahlen vorher = Spieltag_Get_Zahlen();
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
        std::printf("  time: %.2f s wall, %.2f s CPU; memory %ld kB\n",
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - wand).count(),
                    static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, Saison_Lauf_Speicher_kB());
        wand = std::chrono::steady_clock::now();
        cpu = std::clock();
        if (Kalender_Get_Jahr() >= letztes_jahr) break;
    }
    Saison_Spiel_Beenden();
    std::error_code ec;
    std::filesystem::remove_all(ordner, ec);
    return code;
}
