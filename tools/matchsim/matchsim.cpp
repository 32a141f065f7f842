// matchsim: plays N matches with a seed and prints the figures, one row per
// measure with the band real football gives.
//
//   matchsim [-n N] [-s SEED] [-w WORLD] [-l LEAGUE | -d LEVEL] [-r] [-c CLUB -a CLUB] [-e] [-x] [-g] [-k]
//     -n  matches to play (1..10,000,000; 10,000)
//     -s  seed, 0..4294967295: with the match number it picks each match's
//         random stream
//     -l  the clubs of one league (country * 10 + level; default the largest)
//     -d  the clubs of one level in every country
//     -r  random pairings of the chosen clubs (the whole world without -l or
//         -d) instead of a home-and-away series
//     -c, -a  one pairing: home and away club by name or number
//     -e  prints the event list of the first match
//     -x  plays two halves of 15 minutes of extra time after a draw
//     -g  with -x: the first goal in extra time ends the match (golden goal)
//     -k  decides matches still drawn by a penalty shoot-out
#include <strings.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/globals.h"
#include "base/random.h"
#include "gemeinsam/argumente.h"
#include "match/partie.h"
#include "match/spielfeld.h"
#include "world/konfig.h"
#include "world/welt.h"

namespace {

constexpr const char* AUFRUF =
    "usage: matchsim [-n N] [-s SEED] [-w WORLD] [-l LEAGUE | -d LEVEL] [-r] [-c CLUB -a CLUB] [-e] [-x] [-g] [-k]\n";

struct Optionen {
    long long n = 10000;
    u32 saat = 1;
    std::string welt;
    int liga = -1, ebene = -1;
    bool zufaellig = false;
    std::string heim, gast;
    bool ereignisse = false, schiessen = false, verlaengerung = false, golden = false;
};

constexpr werkzeug::Aufruf AUFRUF_W{"matchsim", AUFRUF};

[[noreturn]] void abbruch(const std::string& text) { werkzeug::Abbruch(AUFRUF_W, text); }

long long zahl(const char* option, const char* text, long long von, long long bis) {
    return werkzeug::Zahl(AUFRUF_W, option, text, von, bis);
}

Optionen lesen(int argc, char** argv) {
    Optionen o;
    const char* src = std::getenv("KORDAVO_SOURCE_DIR");
    o.welt = std::string(src ? src : ".") + "/data/config";
    werkzeug::Optionen_Lesen(AUFRUF_W, argc, argv, "nswldrcaexgk", [&](char x, auto wert) {
        switch (x) {
            case 'n': o.n = zahl("-n", wert(), 1, 10000000); break;
            case 's': o.saat = static_cast<u32>(zahl("-s", wert(), 0, 4294967295LL)); break;
            case 'w': o.welt = wert(); break;
            case 'l': o.liga = static_cast<int>(zahl("-l", wert(), 1, 9999)); break;
            case 'd': o.ebene = static_cast<int>(zahl("-d", wert(), 1, 9)); break;
            case 'r': o.zufaellig = true; break;
            case 'c': o.heim = wert(); break;
            case 'a': o.gast = wert(); break;
            case 'e': o.ereignisse = true; break;
            case 'k': o.schiessen = true; break;
            case 'x': o.verlaengerung = true; break;
            case 'g': o.golden = true; break;
        }
    });
    if (o.heim.empty() != o.gast.empty()) abbruch("-c and -a go together");
    if (!o.heim.empty() && (o.liga >= 0 || o.ebene >= 0 || o.zufaellig))
        abbruch("-h/-a name one pairing: no -l, -d or -r with them");
    if (o.liga >= 0 && o.ebene >= 0) abbruch("-l and -d exclude each other");
    if (o.golden && !o.verlaengerung) abbruch("-g needs -x");
    if (o.welt.empty()) abbruch("-w wants a folder");
    return o;
}

bool ist_verein(int t) {
    for (u32 v : Vereine_Waehlen(-1, -1))
        if (static_cast<int>(v) == t) return true;
    return false;
}

// A club by number or by its name (letter case aside).
std::optional<u32> verein(const std::string& text) {
    bool ziffern = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    if (ziffern) {
        long long t = zahl("-h/-a", text.c_str(), 0, Team_Anzahl - 1);
        if (!ist_verein(static_cast<int>(t))) abbruch("team " + text + " is not a club");
        return static_cast<u32>(t);
    }
    std::string name = Utf8_To_Cp1252(text);
    for (int t = 0; t < Team_Anzahl; t++)
        if (ist_verein(t) && strcasecmp(Team_String(0, t, nullptr, 0), name.c_str()) == 0) return static_cast<u32>(t);
    abbruch("no club called \"" + text + "\"");
}

void erstes_zeigen(u32 spiel, u32 h, u32 g, const Partie_Ergebnis& e) {
    std::printf("%s - %s  %d:%d\n", Cp1252_To_Utf8(Team_String(0, static_cast<int>(h), nullptr, 0)).c_str(),
                Cp1252_To_Utf8(Team_String(0, static_cast<int>(g), nullptr, 0)).c_str(), e.tore[0], e.tore[1]);
    std::fputs(Partie_Ereignisliste(spiel).c_str(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Optionen o = lesen(argc, argv);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    if (!Welt_Laden_Ordner(o.welt.c_str(), 0)) {
        abbruch("cannot load the world from \"" + o.welt + "\"");
    }
    Partie_Lauf lauf;
    std::string auswahl;
    if (!o.heim.empty()) {
        u32 h = *verein(o.heim), g = *verein(o.gast);
        if (h == g) abbruch("a club cannot play itself");
        lauf.vereine = {h, g};
        auswahl = "one pairing";
    } else {
        if (o.liga < 0 && o.ebene < 0 && !o.zufaellig) o.liga = Liga_Groesste();
        lauf.vereine = Vereine_Waehlen(o.liga, o.ebene);
        auswahl = o.liga >= 0 ? "league " + std::to_string(o.liga)
                              : (o.ebene >= 0 ? "level " + std::to_string(o.ebene) : "the world");
        if (lauf.vereine.size() < 2) abbruch(auswahl + " has fewer than two clubs");
    }
    std::printf("%s, %zu clubs, %s, %lld matches, seed %u\n", auswahl.c_str(), lauf.vereine.size(),
                o.zufaellig ? "random pairings" : (o.heim.empty() ? "home-and-away series" : "the same pairing"), o.n,
                o.saat);
    Spielfeld_Init();
    Spielfeld_Set_Hooks(Partie_Hooks());
    lauf.zufaellig = o.zufaellig;
    lauf.saat = o.saat;
    lauf.spiele = o.n;
    lauf.optionen.elfmeterschiessen = o.schiessen;
    lauf.optionen.verlaengerung_halbzeiten = o.verlaengerung ? 2 : 0;
    lauf.optionen.golden_goal = o.golden;
    auto t0 = std::chrono::steady_clock::now();
    Partie_Figuren f = Partie_Lauf_Spielen(lauf, o.ereignisse ? &erstes_zeigen : nullptr);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::fputs(f.text().c_str(), stdout);
    double n = static_cast<double>(o.n);
    std::printf("%-36s %9.3f\n", "ms per match", ms / n);
    Spielfeld_DeInit();
    return 0;
}
