// Clubs and national teams: sizes with a heavy tail, names, grounds.
//
// Every league has a few big clubs (size 2.4 to 3.4) and a long middle (0.5 to
// 1.5). Size sets the squad's strength, the ground's capacity and through
// both the values, wages and sponsorship the game derives from them.
#include <algorithm>
#include <cstdio>

#include "world/konfig_schluessel.h"
#include "worldgen.h"

namespace worldgen {

namespace {

// The smallest size a club can have (see groessen).
constexpr double KLEINSTE_GROESSE = 0.5;
// Strength of a level relative to the top level of its country.
constexpr double ebenen_faktor[3] = {1.0, 0.56, 0.30};

std::string ersetzen(std::string s, const std::string& was, const std::string& wodurch) {
    size_t p = s.find(was);
    if (p != std::string::npos) s.replace(p, was.size(), wodurch);
    return s;
}

bool vokal_anfang(const std::string& s) {
    static const char* v[] = {"A", "E", "I", "O", "U", "É", "Â", "Î", "Ô"};
    for (const char* x : v)
        if (s.rfind(x, 0) == 0) return true;
    return false;
}

// A short name of at most ten characters: the town, or its first letter and
// its last syllable (B'borough), never a word cut in the middle.
std::string kurzname(const Land& L, const std::string& ort) {
    if (zeichen(ort) <= 10) return ort;
    for (const std::string& b : L.ort_b) {
        if (ort.size() > b.size() && ort.compare(ort.size() - b.size(), b.size(), b) == 0 && zeichen(b) <= 8)
            return ort.substr(0, 1) + "'" + b;
    }
    return "";
}

std::string stadion(const Land& L, int land, const std::string& ort, Namen& n) {
    for (;;) {
        std::string s = rnd.wahl(L.stadien);
        if (vokal_anfang(ort)) s = ersetzen(s, "de %s", "d'%s");
        s = ersetzen(s, "%s", ort);
        if (s.find("%n") != std::string::npos)
            s = ersetzen(ersetzen(s, "%v", rnd.wahl(L.vornamen)), "%n", n.nachname(land));
        if (zeichen(s) <= 27 && n.vergeben.insert("S:" + s).second) return s;
    }
}

// Club sizes of one league, in the order the clubs get their numbers.
std::vector<double> groessen(const Land& L, int ebene, int n) {
    std::vector<double> g(static_cast<size_t>(n));
    for (double& x : g) x = KLEINSTE_GROESSE + 0.7 * rnd.eins() + 0.3 * rnd.eins();
    int riesen = ebene == 1 ? L.riesen : rnd.bis(2);
    for (int r = 0; r < riesen && r < n; r++)
        g[static_cast<size_t>(r)] = ebene == 1 ? 2.4 + 1.0 * rnd.eins() : 1.6 + 0.5 * rnd.eins();
    for (int i = n - 1; i > 0; i--) std::swap(g[static_cast<size_t>(i)], g[static_cast<size_t>(rnd.bis(i + 1))]);
    return g;
}

// Capacity by the club's size, as a share of the way from the smallest size
// a club can have to the league's biggest: the same measure that sets the
// squad's strength. By the club's place among the sizes instead, the first
// ordinary club after the big ones got a ground like theirs with a squad of
// the middle, and its money bought it up among them in nearly every game.
// The share's own spread is a twentieth of the way: at three twentieths
// (up to 8,900 seats in a German top division, half the way an ordinary
// club's size spans) the clubs whose ground the draw put well above their
// squad bought their way up, and the same bottom clubs of the top
// divisions with the grounds of the middle were among the world's five
// biggest risers in game after game.
constexpr double PLAETZE_STREUUNG = 0.05;
void plaetze(const Land& L, int ebene, double anteil, Team& t) {
    size_t e = static_cast<size_t>(ebene - 1);
    double u = std::clamp((1 - PLAETZE_STREUUNG) * anteil + PLAETZE_STREUUNG * rnd.eins(), 0.0, 1.0);
    int lo = L.kapazitaet[2 * e], hi = L.kapazitaet[2 * e + 1];
    int gesamt = lo + static_cast<int>((hi - lo) * u);
    int steh = L.stehplatz[e] ? std::clamp(L.stehplatz[e] + rnd.von_bis(-10, 10), 0, 90) : 0;
    t.steh = gesamt * steh / 100 / 100 * 100;
    t.sitz = (gesamt - t.steh) / 100 * 100;
}

// A formation the squad plays as the generator builds it (see
// passende_formationen), chosen by the draw that once picked any of the
// sixteen, so every other draw of the world stays as it was. Why: the
// assistant keeps the shipped formation, and a managed club on automatic
// line-up played its engine matches in whatever the draw gave. Against a
// 4-4-2 of its strength a third-division club won at home 20-23 % of 400
// matches each in 5-4-1, 24 % in 3-6-1 and 4-2-4, 24-27 % in 4-5-1 and
// 28-34 % in 3-1-4-2 and 4-3-3, but 43 % in 4-4-2, 39-43 % in the
// diamond, 40-43 % in 4-2-3-1 and 35-36 % in 4-3-2-1, and over twenty
// seasons it ended from 0.62 points a game below the computer clubs of its
// strength to 0.30 above them by its formation alone. The one-forward
// shapes keep the engine's matches nearer real football's: with 4-4-2 and
// the diamond alone, offsides rose above five a match and away wins fell
// below a quarter.
void taktik(Team& t) {
    static const std::vector<int> passend = passende_formationen();
    t.formation = passend[static_cast<size_t>(rnd.bis(16)) % passend.size()];
    const int bis[7] = {2, 2, 10, 1, 5, 7, 5};
    for (int i = 0; i < 7; i++) t.taktik[i] = rnd.bis(bis[i]);
}

void liga_anlegen(Welt& w, Namen& n, int land, int ebene, int anzahl) {
    const Land& L = laender()[static_cast<size_t>(land)];
    std::vector<double> g = groessen(L, ebene, anzahl);
    std::vector<std::string> stapel;  // club name patterns in the mix of the country
    while (static_cast<int>(stapel.size()) < anzahl)
        for (const Muster& m : L.vereine)
            for (int k = 0; k < m.gewicht; k++) stapel.push_back(m.text);
    for (size_t i = stapel.size() - 1; i > 0; i--)
        std::swap(stapel[i], stapel[static_cast<size_t>(rnd.bis(static_cast<int>(i) + 1))]);
    for (int k = 0; k < anzahl; k++) {
        Team t;
        t.nummer = static_cast<int>(w.teams.size());
        for (;;) {
            std::string ort = n.ort(land);
            std::string name = ersetzen(stapel[static_cast<size_t>(k)], "%s", ort);
            std::string kurz = kurzname(L, ort);
            if (zeichen(name) > 24 || kurz.empty() || !n.vergeben.insert("V:" + name).second) continue;
            t.name = name;
            t.stadt = ort;
            t.kurz = kurz;
            break;
        }
        t.stadion = stadion(L, land, t.stadt, n);
        std::string a = L.kuerzel.substr(0, 1) + "_" + gross_ascii(t.stadt);
        if (a.size() > 13) a = a.substr(0, 13);
        std::string basis = a;
        for (int z = 2; !n.vergeben.insert("A:" + a).second; z++) a = basis + std::to_string(z);
        t.alias = a;
        t.art = welt_konfig::deutsch(welt_konfig::ART_VEREIN);
        t.land = land;
        t.ebene = ebene;
        t.groesse = g[static_cast<size_t>(k)];
        t.staerke = static_cast<int>(L.staerke * ebenen_faktor[ebene - 1] * (0.8 + 0.2 * t.groesse));
        t.kontinent = L.kontinent;
        t.wappen = t.nummer;
        const double groesste = *std::max_element(g.begin(), g.end());
        plaetze(L, ebene,
                groesste > KLEINSTE_GROESSE ? (t.groesse - KLEINSTE_GROESSE) / (groesste - KLEINSTE_GROESSE) : 1.0, t);
        taktik(t);
        w.teams.push_back(t);
    }
}

}  // namespace

void teams_anlegen(Welt& w, Namen& n) {
    const std::vector<Land>& land = laender();
    Team markt;
    markt.alias = "MARKT";
    markt.name = "Transfermarkt";
    markt.kurz = "Markt";
    markt.art = welt_konfig::deutsch(welt_konfig::ART_TRANSFERMARKT);
    w.teams.push_back(markt);
    for (size_t i = 0; i < land.size(); i++) {
        Team t;
        t.nummer = static_cast<int>(w.teams.size());
        t.alias = t.kurz = land[i].kuerzel;
        t.name = land[i].name;
        t.stadion = land[i].nationalstadion;
        n.vergeben.insert("A:" + t.alias);
        t.art = welt_konfig::deutsch(welt_konfig::ART_NATIONALTEAM);
        t.land = static_cast<int>(i);
        t.kontinent = land[i].kontinent;
        t.wappen = t.nummer;
        t.sitz = rnd.von_bis(40, 80) * 1000;
        for (int k = 0; k < 3; k++) t.trikot[k] = land[i].trikot[k];
        taktik(t);
        w.teams.push_back(t);
    }
    for (size_t i = 0; i < land.size(); i++)
        for (size_t e = 0; e < land[i].ligen.size(); e++)
            liga_anlegen(w, n, static_cast<int>(i), static_cast<int>(e) + 1, land[i].ligen[e]);
}

std::vector<int> vereine_der_ebene(const Welt& w, int land, int ebene) {
    std::vector<int> r;
    for (const Team& t : w.teams)
        if (t.art == welt_konfig::deutsch(welt_konfig::ART_VEREIN) && t.land == land && t.ebene == ebene)
            r.push_back(t.nummer);
    return r;
}

std::vector<int> vereine_nach_staerke(const Welt& w, int land, int ebene) {
    // A club's strength: the mean of its eleven best players.
    std::vector<std::vector<int>> je_team(w.teams.size());
    for (const Spieler& s : w.spieler) je_team[static_cast<size_t>(s.team)].push_back(s.staerke);
    auto staerke = [&](int t) {
        std::vector<int>& v = je_team[static_cast<size_t>(t)];
        std::sort(v.rbegin(), v.rend());
        long summe = 0;
        for (size_t i = 0; i < v.size() && i < 11; i++) summe += v[i];
        return summe;
    };
    std::vector<std::pair<long, int>> r;
    for (int t : vereine_der_ebene(w, land, ebene)) r.push_back({-staerke(t), t});
    std::stable_sort(r.begin(), r.end());
    std::vector<int> nr;
    for (const auto& x : r) nr.push_back(x.second);
    return nr;
}

}  // namespace worldgen
