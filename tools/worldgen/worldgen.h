// worldgen: the generator of the shipped football world (configuration set 1).
//
// The parts: country tables (laender.cpp), names (namen.cpp), clubs and
// national teams (vereine.cpp), players (spieler.cpp), kits (trikots.cpp),
// competitions (wettbewerbe.cpp), the world files (ausgabe.cpp) and the
// report (bericht in kennzahlen.cpp). Everything is drawn from one fixed seed
// with the generator's own random numbers and plain arithmetic, so the output
// is the same byte for byte on every machine. Texts are UTF-8 here.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "kennzahlen.h"

namespace worldgen {

// xorshift64* with a fixed seed.
struct Zufall {
    uint64_t s = 0x4B6F726461766F31ull;  // "Kordavo1"
    uint64_t next() {
        s ^= s >> 12;
        s ^= s << 25;
        s ^= s >> 27;
        return s * 2685821657736338717ull;
    }
    int bis(int n) { return n <= 0 ? 0 : static_cast<int>((next() >> 33) % static_cast<uint64_t>(n)); }
    int von_bis(int a, int b) { return a + bis(b - a + 1); }
    double eins() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }  // [0, 1)
    // About normal with mean 0 and deviation 1 (sum of four uniforms), within ±3.5.
    double gauss() { return (eins() + eins() + eins() + eins() - 2.0) * 1.7320508075688772; }
    template <class T>
    const T& wahl(const std::vector<T>& v) {
        return v[static_cast<size_t>(bis(static_cast<int>(v.size())))];
    }
    // An index drawn by integer weights.
    int gewichtet(const std::vector<int>& g);
};
extern Zufall rnd;

using Liste = std::vector<std::string>;

struct Muster {
    std::string text;  // %s the town
    int gewicht;
};

struct Land {
    std::string kuerzel;  // alias of the national team
    std::string name;
    int kontinent;
    std::vector<int> ligen;  // club count per level (empty: national team only)
    int staerke;             // fine strength of a median top-level starter
    int riesen;              // big clubs of the top level
    Liste vornamen, nach_a, nach_b, ort_a, ort_b;
    std::vector<Muster> vereine;  // club name patterns, weighted
    Liste stadien;                // %s the town, %v first name, %n surname
    std::string nationalstadion;
    std::vector<int> kapazitaet;  // per level: smallest and largest ground (pairs)
    std::vector<int> stehplatz;   // per level: share of terraces in percent
    std::vector<int> haut;        // weights of the five skin tones
    std::vector<int> haare;       // weights of the six hair colours
    int trikot[3];                // the national team's kits
    std::string vokale;           // vowel triples and doubles the language has ("aue,ee")
};

const std::vector<Land>& laender();
extern const char* const kontinente[15];

struct Team {
    int nummer = 0;
    std::string alias, name, kurz, stadion, stadt, art;
    int land = -1;       // index into laender (-1 market)
    int ebene = 0;       // league level 1.. (0 none)
    double groesse = 0;  // club size: 1 an ordinary club of its level
    int staerke = 0;     // fine strength of a typical starter at his peak
    int wappen = 0, kontinent = 0, sitz = 0, steh = 0, formation = 0;
    int trikot[3] = {0, 0, 0};
    int taktik[7] = {0, 0, 0, 0, 0, 0, 0};
};

struct Spieler {
    int team = 0;
    int land = 0;
    int pos = 0;
    int nummer = 0;
    std::string vorname, nachname;
    int staerke = 0, max = 0, spiele = 0, alter = 0, talent = 0;
    uint32_t look = 0;
    int haar = 0, haut = 0;
    std::string attribute;
    bool scout = false;
};

struct Welt {
    std::vector<Team> teams;
    std::vector<Spieler> spieler;  // in file order: market, then every team's squad
};

// Names (namen.cpp). Every full name and club name is handed out once.
struct Namen {
    std::set<std::string> vergeben;
    // A first name and surname of the country not used before in the world.
    void person(int land, std::string* vorname, std::string* nachname);
    // A surname of the country that passes every filter.
    std::string nachname(int land);
    // A town of the country that passes every filter and is still free.
    std::string ort(int land);
};
// Length of a UTF-8 text in characters (what it takes in the game's one-byte set).
size_t zeichen(const std::string& s);
std::string gross_ascii(const std::string& s);
// True when a generated word reads as the country's language (no triple
// letters, no capital inside, vowel runs the language has, no stutter, no
// name on the block lists).
bool wort_ok(int land, const std::string& wort, bool ort);
// How many different surnames the syllables of a country give.
int nachnamen_vorrat(int land);

// Clubs and national teams (vereine.cpp).
void teams_anlegen(Welt& w, Namen& n);
// Kits (trikots.cpp).
void trikots_waehlen(Welt& w);
// Players (spieler.cpp).
void spieler_anlegen(Welt& w, Namen& n);
// The built-in formations a generated squad plays as it is built (its
// first eleven a goalkeeper, four defenders, four midfielders and two
// forwards): the four defenders as one back line, and either the eleven's
// own lines (4-4-2, the diamond) or its second forward just behind the
// first, in a midfield of two rows whose front one holds at most three
// (4-2-3-1, 4-3-2-1). Left out: a back three or five, three forwards or
// more, a flat midfield of five (4-5-1) or a front midfield row of four
// (4-1-4-1).
std::vector<int> passende_formationen();
// The club numbers of a country's level, strongest first.
std::vector<int> vereine_nach_staerke(const Welt& w, int land, int ebene);
// The club numbers of a country's level in team order.
std::vector<int> vereine_der_ebene(const Welt& w, int land, int ebene);

// Output (ausgabe.cpp, wettbewerbe.cpp).
struct Ausgabe {
    std::string text;
    void zeile(const std::string& z) { text += z + "\r\n"; }
    void schluessel(const std::string& k, const std::string& v);
    void zahl(const std::string& k, long long v) { schluessel(k, std::to_string(v)); }
    void text_(const std::string& k, const std::string& v) { schluessel(k, "\"" + v + "\""); }
    bool speichern(const std::string& pfad) const;
};
std::string liste(const std::vector<int>& v);
void wettbewerbe(Ausgabe& w, const Welt& welt);
bool welt_schreiben(const Welt& w, const std::string& ordner);

}  // namespace worldgen
