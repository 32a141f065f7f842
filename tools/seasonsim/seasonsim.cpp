// seasonsim: starts a new game of the shipped world headless and plays its
// days: every matchday's games by dice minutes, the human clubs' games on the
// match engine. Prints the results and the figures beside the bands of real
// football.
//
//   seasonsim [-t DAYS] [-m HUMANS] [-s SEED] [-c CLUB] [-v]
//     -t  days to play (1..366; 120)
//     -m  human clubs (0..2; 0), chosen at random by the seed
//     -s  seed, 0..35999999: moves the shared random table's cursor
//     -c  the (first) human club by name
//     -v  prints every result
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/globals.h"
#include "base/random.h"
#include "gemeinsam/argumente.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "season/spiele.h"
#include "season/spieltag.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr const char* AUFRUF = "usage: seasonsim [-t DAYS] [-m HUMANS] [-s SEED] [-c CLUB] [-v]\n";

struct Optionen {
    long long tage = 120, menschen = 0, saat = 0;
    std::string club;
    bool alle = false;
};

constexpr werkzeug::Aufruf AUFRUF_W{"seasonsim", AUFRUF};

[[noreturn]] void abbruch(const std::string& text, int code = 2) { werkzeug::Abbruch(AUFRUF_W, text, code); }

long long zahl(const char* option, const char* text, long long von, long long bis) {
    return werkzeug::Zahl(AUFRUF_W, option, text, von, bis);
}

Optionen lesen(int argc, char** argv) {
    Optionen o;
    werkzeug::Optionen_Lesen(AUFRUF_W, argc, argv, "tmscv", [&](char x, auto wert) {
        switch (x) {
            case 't': o.tage = zahl("-t", wert(), 1, 366); break;
            case 'm': o.menschen = zahl("-m", wert(), 0, 2); break;
            case 's': o.saat = zahl("-s", wert(), 0, 35999999); break;
            case 'c': o.club = wert(); break;
            case 'v': o.alle = true; break;
        }
    });
    if (!o.club.empty() && o.menschen == 0) o.menschen = 1;
    return o;
}

std::string name(i32 team) {
    if (team < 0 || team >= Team_Anzahl) return "-";
    return Cp1252_To_Utf8(Team_Fix_Daten[team].name);
}

i32 team_von_name(const std::string& n) {
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (name(t) == n) return t;
    return -1;
}

void zeile(const char* was, const Spieltag_Zahlen& z, int e) {
    const double n = z.spiele[e];
    if (n == 0) {
        std::printf("%-8s no matches\n", was);
        return;
    }
    std::printf("%-8s %6u matches  goals/game %.2f (2.6-3.2)  home/draw/away %.0f/%.0f/%.0f %% (43-50/22-30/24-32)\n",
                was, z.spiele[e], z.tore[e] / n, 100.0 * z.heimsiege[e] / n, 100.0 * z.remis[e] / n,
                100.0 * z.auswaertssiege[e] / n);
}

}  // namespace

int main(int argc, char** argv) {
    const Optionen o = lesen(argc, argv);
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    const char* src = std::getenv("KORDAVO_SOURCE_DIR");
    const std::string daten = std::string(src ? src : ".") + "/data/config";
    Internet_Modus = INTERNET_MODUS_EINZEL;
    if (!Welt_Laden_Ordner(daten.c_str(), 0)) abbruch("the world in " + daten + " cannot be read", 1);
    Stadion_Init();
    Bank_Init();
    for (i32 t = 0; t < Team_Anzahl; ++t) Bank_Konto_Anlegen(t, 1000000.0, 0);
    Rnd_Set_Index(static_cast<i32>(o.saat), 0);
    if (!Wettbewerb_Init() || !Spiele_Init() || !Kalender_Init(nullptr)) abbruch("the season cannot start", 1);
    const std::string cfg = daten + "/1_wettbewerb.cfg", alias = daten + "/1_wettbewerb_alias.cfg";
    if (!Wettbewerb_Config_Lesen_Pfad(cfg.c_str(), alias.c_str())) abbruch("the competitions cannot be read", 1);
    Wettbewerb_Spielplaene_Erstellen();
    const std::vector<i32> ligen = Spieltag_Ligen_Starten();
    if (ligen.empty()) abbruch("no league could start", 1);
    // The human clubs: by name, then at random among the league clubs.
    std::vector<i32> clubs;
    for (i32 id : ligen) {
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
        for (int k = 0; k < w->aktuelle_teams; ++k) clubs.push_back(w->aktuelle_team[k]);
    }
    std::vector<i32> menschen;
    if (!o.club.empty()) {
        const i32 t = team_von_name(o.club);
        if (t < 0) abbruch("no club is called \"" + o.club + "\"");
        menschen.push_back(t);
    }
    while (static_cast<long long>(menschen.size()) < o.menschen) {
        const i32 t = clubs[static_cast<size_t>(Rnd_Basis(0, static_cast<i32>(clubs.size()) - 1))];
        if (t != (menschen.empty() ? -1 : menschen[0])) menschen.push_back(t);
    }
    for (i32 t : menschen) {
        Manager_Neuer_Mitspieler(t, "seasonsim", -1);
        // Nobody sits at the screen: the assistant picks the line-up.
        Team_Own_Daten[t].formation = static_cast<i8>(Team_Own_Daten[t].formation | 0x80);
        std::printf("human club: %s\n", name(t).c_str());
    }
    Option_Wert(OPTION_AUTOSAVE, 1, 0);  // the tool keeps no save games
    Spieltag_Hooks_Installieren();
    Spieltag_Init();
    for (long long d = 0; d < o.tage; ++d) {
        Kalender_Jeden_Tag();
        Spieltag_Vorbereiten();
        if (Spieltag_Slots().empty()) continue;
        Spieltag_Gruppe_Starten();
        for (long long i = 0; i < 10000000 && Spieltag_Spiele_Offen(); ++i) {
            Kalender_Jetzt += 45;
            Spieltag_Run(0);
        }
        if (Spieltag_Spiele_Offen()) abbruch("a matchday did not end", 1);
        std::printf("%s: %zu matches\n", Cp1252_To_Utf8(Kalender_Get_Datum().zahl_text).c_str(),
                    Spieltag_Slots().size());
        if (!o.alle) continue;
        for (const auto& r : Spieltag_Slots())
            if (const Spiel* s = Spiele_Get_Spiel(r.spiel, true)) {
                const Wettbewerb* w = Wettbewerb_Get_Zeiger(s->wettbewerb);
                std::printf("  %-24s %-26s %d:%d  %s\n", w ? Cp1252_To_Utf8(w->name).c_str() : "?",
                            name(s->team_a).c_str(), s->tore_a, s->tore_b, name(s->team_b).c_str());
            }
    }
    const Spieltag_Zahlen& z = Spieltag_Get_Zahlen();
    zeile("dice", z, 0);
    zeile("engine", z, 1);
    std::printf("time: %.2f s wall, %.2f s CPU\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
    Spieltag_DeInit();
    return 0;
}
