// matchsim: plays N matches between clubs of one league (or two named clubs)
// with a seed and prints the figures, one row per measure.
//
//   matchsim [-n N] [-s SEED] [-w WORLD_FOLDER] [-l LEAGUE] [-h HOME -a AWAY] [-e] [-x] [-g] [-k]
//     -e  prints the event list of the first match
//     -x  plays two halves of 15 minutes of extra time after a draw
//     -g  with -x: the first goal in extra time ends the match (golden goal)
//     -k  decides matches still drawn by a penalty shoot-out
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/cp1252.h"
#include "base/globals.h"
#include "base/random.h"
#include "match/partie.h"
#include "world/konfig.h"
#include "world/welt.h"

int main(int argc, char** argv) {
    int n = 10000, seed = 1, liga = -1, heim = -1, gast = -1;
    bool ereignisse = false, schiessen = false, verlaengerung = false, golden = false;
    std::string welt;
    const char* src = std::getenv("KORDAVO_SOURCE_DIR");
    welt = std::string(src ? src : ".") + "/data/config";
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        auto wert = [&]() -> const char* { return i + 1 < argc ? argv[++i] : "0"; };
        if (a == "-n") n = std::atoi(wert());
        else if (a == "-s") seed = std::atoi(wert());
        else if (a == "-w") welt = wert();
        else if (a == "-l") liga = std::atoi(wert());
        else if (a == "-h") heim = std::atoi(wert());
        else if (a == "-a") gast = std::atoi(wert());
        else if (a == "-e") ereignisse = true;
        else if (a == "-k") schiessen = true;
        else if (a == "-x") verlaengerung = true;
        else if (a == "-g") golden = true;
        else {
            std::fprintf(stderr, "usage: matchsim [-n N] [-s SEED] [-w WORLD] [-l LEAGUE] [-h HOME -a AWAY] [-e] [-x] [-g] [-k]\n");
            return 2;
        }
    }
    Internet_Modus = INTERNET_MODUS_EINZEL;
    if (!Welt_Laden_Ordner(welt.c_str(), 0)) {
        std::fprintf(stderr, "matchsim: cannot load the world from %s\n", welt.c_str());
        return 1;
    }
    std::vector<u32> vereine;
    if (heim >= 0 && gast >= 0) {
        vereine = {static_cast<u32>(heim), static_cast<u32>(gast)};
    } else {
        if (liga < 0) liga = Liga_Groesste();
        vereine = Liga_Vereine(liga);
    }
    if (vereine.size() < 2) {
        std::fprintf(stderr, "matchsim: fewer than two clubs\n");
        return 1;
    }
    std::printf("league %d, %zu clubs, %d matches, seed %d\n", liga, vereine.size(), n, seed);
    Spielfeld_Init();
    Partie_Hooks_Installieren();
    Partie_Figuren f;
    Partie_Optionen o;
    o.elfmeterschiessen = schiessen;
    o.verlaengerung_halbzeiten = verlaengerung ? 2 : 0;
    o.golden_goal = golden;
    int verlaengert = 0, golden_goals = 0;
    auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < n; k++) {
        u32 h, g;
        if (heim >= 0 && gast >= 0) {
            h = vereine[0];
            g = vereine[1];
        } else {
            Liga_Paarung(vereine, k, &h, &g);
        }
        u32 spiel = static_cast<u32>(k + 1);
        Partie_Spiel_Anmelden(spiel, h, g, 1);
        Rnd_Set_Index(static_cast<i32>((static_cast<u32>(seed) * 7919u + static_cast<u32>(k) * 1237u) % RND_TABELLE_GROESSE), 0);
        if (!Spielfeld_Neu(spiel, 0, 0, 30000, h, 1)) {
            std::fprintf(stderr, "matchsim: match %d (%u - %u) refused\n", k, h, g);
            continue;
        }
        Partie_Ergebnis e = Partie_Spielen(spiel, o);
        verlaengert += e.verlaengerung ? 1 : 0;
        golden_goals += e.golden_goal ? 1 : 0;
        f.aufnehmen(Spielfeld_Zeiger(spiel), Partie_Ereignisse(spiel), e);
        if (k == 0 && ereignisse) {
            std::printf("%s - %s  %d:%d\n", Cp1252_To_Utf8(Team_String(0, static_cast<int>(h), nullptr, 0)).c_str(),
                        Cp1252_To_Utf8(Team_String(0, static_cast<int>(g), nullptr, 0)).c_str(), e.tore[0], e.tore[1]);
            std::fputs(Partie_Ereignisliste(spiel).c_str(), stdout);
        }
        Spielfeld_Loeschen(1);
        Partie_Spiele_Leeren();
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::fputs(f.text().c_str(), stdout);
    if (verlaengerung) {
        std::printf("%-34s %9.3f\n", "extra time %", 100.0 * verlaengert / (n > 0 ? n : 1));
        if (golden) std::printf("%-34s %9.3f\n", "decided by a golden goal %", 100.0 * golden_goals / (n > 0 ? n : 1));
    }
    std::printf("%-34s %9.3f\n", "ms per match", ms / n);
    Spielfeld_DeInit();
    return 0;
}
