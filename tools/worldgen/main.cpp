// worldgen: writes the shipped football world (configuration set 1).
//
//   worldgen <output folder>            writes the world files
//   worldgen --report [<output folder>] writes them (into a temporary folder
//                                       when none is given), loads them as
//                                       the game does and prints the figures
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kennzahlen.h"
#include "worldgen.h"

using namespace worldgen;

namespace {

bool vorraete_pruefen() {
    bool ok = true;
    for (size_t l = 0; l < laender().size(); l++) {
        const Land& L = laender()[l];
        int n = nachnamen_vorrat(static_cast<int>(l));
        if (L.vornamen.size() < 40 || n < 300) {
            std::fprintf(stderr, "worldgen: %s hat %zu Vornamen und %d Nachnamen (mindestens 40 und 300)\n",
                         L.kuerzel.c_str(), L.vornamen.size(), n);
            ok = false;
        }
    }
    return ok;
}

Welt erzeugen() {
    Welt w;
    Namen n;
    teams_anlegen(w, n);
    trikots_waehlen(w);
    spieler_anlegen(w, n);
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    std::string a1 = argc > 1 ? argv[1] : "";
    if (a1 == "-h" || a1 == "--help") {
        std::printf("Aufruf: worldgen <Ausgabeordner> | worldgen --report [<Ausgabeordner>]\n");
        return 0;
    }
    bool bericht = a1 == "--report";
    if (argc < 2 || argc > 3 || (!bericht && argc != 2) || (!bericht && a1.rfind("-", 0) == 0)) {
        std::fprintf(stderr, "Aufruf: worldgen <Ausgabeordner> | worldgen --report [<Ausgabeordner>]\n");
        return 2;
    }
    if (!vorraete_pruefen()) return 1;
    std::string ordner = bericht ? (argc == 3 ? argv[2] : "") : a1;
    char temp[] = "/tmp/worldgen_XXXXXX";
    if (ordner.empty()) {
        if (!mkdtemp(temp)) {
            std::fprintf(stderr, "worldgen: kein temporärer Ordner\n");
            return 1;
        }
        ordner = temp;
    }
    Welt w = erzeugen();
    if (!welt_schreiben(w, ordner)) {
        std::fprintf(stderr, "worldgen: kann nicht nach %s schreiben\n", ordner.c_str());
        return 1;
    }
    if (!bericht) {
        std::printf("worldgen: %zu Teams, %zu Spieler\n", w.teams.size(), w.spieler.size());
        return 0;
    }
    std::printf("Namensvorrat (Vornamen/Nachnamen):");
    for (size_t l = 0; l < laender().size(); l++)
        std::printf(" %s %zu/%d", laender()[l].kuerzel.c_str(), laender()[l].vornamen.size(),
                    nachnamen_vorrat(static_cast<int>(l)));
    std::printf("\n");
    int rc = bericht_drucken(ordner.c_str(), stdout) ? 0 : 1;
    if (argc != 3) std::system(("rm -rf '" + ordner + "'").c_str());
    return rc;
}
