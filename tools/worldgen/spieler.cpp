// Players: a model driven by age.
//
// Every squad place has a potential (the strength at the peak) set by the
// club's strength; the age curve turns it into today's strength: rising to a
// peak at 26 to 29 (goalkeepers two years later), falling after 31. Room to
// improve and talent fall with age, matches and experience grow with it. The
// big clubs of the big leagues hold the stars (the top three half-star steps).
#include <algorithm>
#include <map>

#include "season/welt_tag.h"
#include "world/aufstellung.h"
#include "world/konfig_schluessel.h"
#include "world/leben.h"
#include "worldgen.h"

namespace worldgen {

namespace {

constexpr int kader_pos[20] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 0, 1, 1, 2, 2, 3, 3, 0, 2};
constexpr int JUGEND_AB = 17;  // squad places 17..19 hold youth players
// Share of the peak strength by age 16..37 (outfield players).
constexpr double kurve[22] = {0.66, 0.70, 0.74, 0.78, 0.82, 0.86, 0.89, 0.92, 0.95, 0.97, 0.99,
                              1.00, 1.00, 1.00, 0.99, 0.97, 0.94, 0.91, 0.87, 0.83, 0.79, 0.75};
constexpr int haar_farben[6] = {0x0000, 0x4208, 0x8A22, 0xC4E4, 0xFF29, 0x9CE7};
constexpr int haut_farben[5] = {0xFEB7, 0xEE34, 0xCCEF, 0x8A07, 0x5143};
constexpr int MARKT_GRENZE = 7000;  // no free agent above this

double form(int alter, int pos) {
    int a = std::clamp(pos == 0 ? alter - 2 : alter, 16, 37);
    return kurve[a - 16];
}

// How many of a hundred players of the world are of each age from
// ALTER_VON on (beside the youth places' 16 to 19): the ages the world's
// yearly life keeps, a youth player coming for every one who retires (at
// 33 to 37, one in five a year from 33, all at 37) and each year's
// players staying alike up to 32. Why: drawn around 27 (18 + three dice of
// 0..6), the shipped players retired together, the world's median age fell
// from 27 to 23 in the ninth to eleventh season and came back, and the
// retirements swung between 215 and 624 a season.
constexpr int ALTER_VON = 19;
constexpr int ALTER_GEWICHT[] = {50, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100,
                                 95, 80, 50, 22, 6};  // 19..36

int alter_ziehen(bool jugend, bool erster_torwart) {
    if (jugend) return rnd.bis(6) == 0 ? 16 : rnd.von_bis(17, 19);
    if (erster_torwart) return rnd.von_bis(24, 34);
    // The three draws that once gave 18 + three dice of 0..6 (mostly 23 to
    // 30) read as one number of 0..342 and placed on the ages as a world
    // keeps them year after year (ALTER_GEWICHT): every other draw of the
    // world stays as it was.
    const int u = rnd.bis(7) * 49 + rnd.bis(7) * 7 + rnd.bis(7);
    int summe = 0;
    for (int g : ALTER_GEWICHT) summe += g;
    int bis = 0;
    for (size_t i = 0; i < std::size(ALTER_GEWICHT); ++i) {
        bis += ALTER_GEWICHT[i];
        if (u * summe < bis * 343) return ALTER_VON + static_cast<int>(i);
    }
    return ALTER_VON + static_cast<int>(std::size(ALTER_GEWICHT)) - 1;
}

void merkmal(std::string& a, int nr) {
    std::string s = std::to_string(nr);
    if (("," + a + ",").find("," + s + ",") != std::string::npos) return;
    a += (a.empty() ? "" : ",") + s;
}

// Special attributes: a few learned ones, experience with age, talent in youth.
std::string attribute(const Spieler& s, bool stamm) {
    std::string a;
    int n = rnd.bis(s.staerke > 8000 ? 3 : 2);
    for (int i = 0; i < n; i++) {
        int x = s.pos == 0 ? rnd.von_bis(47, 52) : rnd.bis(40);
        if (x != 10 && x != 34 && x != 35 && x != 37) merkmal(a, x);
    }
    if (s.alter >= 30 && rnd.bis(2) == 0) merkmal(a, 34);                   // Routinier
    if (s.alter >= 28 && stamm && rnd.bis(5) == 0) merkmal(a, 10);          // Führungsspieler
    if (s.alter >= 30 && rnd.bis(10) == 0) merkmal(a, 37);                  // Vorbild
    if (s.alter <= 21 && s.talent >= 35 && rnd.bis(5) < 3) merkmal(a, 35);  // Talent
    if (rnd.bis(10) == 0) merkmal(a, rnd.von_bis(40, 46));
    return a;
}

// A player of a country with a potential and an age; `einsatz` is his share of matches.
Spieler spieler(Namen& n, int team, int land, int pos, int potenzial, int alter, double einsatz) {
    const Land& L = laender()[static_cast<size_t>(land)];
    Spieler s;
    s.team = team;
    s.land = land;
    s.pos = pos;
    s.alter = alter;
    n.person(land, &s.vorname, &s.nachname);
    potenzial = std::clamp(potenzial, 600, 11900);
    s.staerke = std::clamp(static_cast<int>(potenzial * form(alter, pos)), 500, 11900);
    s.talent = std::clamp(static_cast<int>(44 - 2.2 * (alter - 17) + 6 * rnd.gauss()), 1, 50);
    // A player still rising grows towards the middle of his step (the step
    // times 1000, plus 500): the step below the potential puts that middle
    // at the potential on average. The step above it put every young
    // player a thousand over his peak, and young squads rose for years.
    bool steigt = alter < (pos == 0 ? 29 : 27);
    int max = steigt ? potenzial / 1000 + (s.talent >= 38 && alter < 22 ? 1 : 0)
                     : s.staerke / 1000 + (alter <= 30 && s.staerke % 1000 > 600 ? 1 : 0);
    s.max = std::clamp(max, s.staerke / 1000, 12);
    double jahre = std::max(0.0, alter - 17.5);
    s.spiele = std::clamp(static_cast<int>(jahre * 30 * einsatz * (0.6 + 0.8 * rnd.eins())), 0, 999);
    s.look = static_cast<uint32_t>(rnd.bis(4)) | (static_cast<uint32_t>(rnd.bis(32)) << 2) |
             (static_cast<uint32_t>(rnd.bis(64)) << 7) | (static_cast<uint32_t>(rnd.bis(128)) << 13) |
             (static_cast<uint32_t>(rnd.bis(64)) << 20) | (static_cast<uint32_t>(rnd.bis(32)) << 26);
    int haar = rnd.gewichtet(L.haare);
    if (alter >= 33 && rnd.bis(4) == 0) haar = 5;
    s.haar = haar_farben[haar];
    s.haut = haut_farben[rnd.gewichtet(L.haut)];
    return s;
}

// Stars of a club: only the big clubs of the big leagues have them.
int sterne(const Team& t) {
    const Land& L = laender()[static_cast<size_t>(t.land)];
    if (t.ebene != 1 || L.ligen.size() < 2 || t.groesse < 2.3) return 0;
    return static_cast<int>((t.groesse - 1.9) * 5 + 0.5);
}

// The star places of a big league's clubs: the places the season gives by
// standing (the eleven best), counted here by club size, which sets the
// standing. Other clubs hold none.
std::vector<int> sternplaetze(const Welt& w) {
    std::vector<int> plaetze(w.teams.size(), 0);
    for (size_t l = 0; l < laender().size(); l++) {
        if (laender()[l].ligen.size() < 2) continue;
        std::vector<int> clubs = vereine_der_ebene(w, static_cast<int>(l), 1);
        std::stable_sort(clubs.begin(), clubs.end(), [&](int a, int b) {
            return w.teams[static_cast<size_t>(a)].groesse > w.teams[static_cast<size_t>(b)].groesse;
        });
        for (size_t i = 0; i < clubs.size() && i < std::size(WELT_STERNPLAETZE_OBEN); i++)
            plaetze[static_cast<size_t>(clubs[i])] = WELT_STERNPLAETZE_OBEN[i];
    }
    return plaetze;
}

// The holders of an ordinary club's star places, drawn with numbers of
// their own so that the rest of the world stays as it was.
Zufall halter_rnd{0x4B6F726461766F32ull};                                   // "Kordavo2"
// Midfield first: with a forward first the top divisions' engine matches
// had more offsides than real football (5.2 a match); a goalkeeper second
// took their goals below it.
constexpr int halter_platz[3] = {JUGEND_AB + 2, JUGEND_AB, JUGEND_AB + 1};  // midfield, forward, goalkeeper

// A club of the middle that the season gives star places holds them from
// the start, as it will later: each with a talent or a young star of a
// star's potential, at any age up to the last at which a star holds his
// place. With the places empty, every such club filled them with star
// talents at once in the first seasons, and the same clubs of the middle
// rose far above their ground in nearly every game.
void halter(Spieler& s) {
    s.alter = halter_rnd.von_bis(17, LEBEN_STAR_BIS);
    const int potenzial = LEBEN_STAR_FEIN + halter_rnd.bis(1500);
    s.staerke = static_cast<int>(potenzial * form(s.alter, s.pos));
    s.max = std::max(potenzial / 1000, s.staerke / 1000);
    s.spiele = static_cast<int>((s.alter - 17.5) * 30 * 0.6 * (0.6 + 0.8 * halter_rnd.eins()));
    s.spiele = std::clamp(s.spiele, 0, 999);
    if (s.alter > 21) {  // the talent mark belongs to the young
        std::string a;
        size_t p = 0;
        const std::string alt = s.attribute + ",";
        for (size_t q; (q = alt.find(',', p)) != std::string::npos; p = q + 1)
            if (const std::string x = alt.substr(p, q - p); !x.empty() && x != "35") a += (a.empty() ? "" : ",") + x;
        s.attribute = a;
    }
}

std::vector<Spieler> kader(Namen& n, const Team& t, int plaetze) {
    std::vector<Spieler> k;
    int stars = sterne(t);
    const int halter_zahl = stars > 0 ? 0 : std::min(plaetze, 3);
    static const int stern_platz[11] = {9, 10, 7, 6, 8, 5, 2, 3, 0, 1, 4};
    for (int p = 0; p < 20; p++) {
        int land = rnd.bis(7) == 0 ? rnd.bis(static_cast<int>(laender().size())) : t.land;
        bool jugend = p >= JUGEND_AB, stamm = p < 11;
        bool stern = false;
        for (int i = 0; i < stars && i < 11; i++) stern = stern || stern_platz[i] == p;
        double faktor = stamm ? 1.08 : jugend ? 0.85 + 0.3 * rnd.eins() : 0.92;
        int pot = static_cast<int>(t.staerke * faktor * (1 + 0.07 * rnd.gauss()));
        int alter = alter_ziehen(jugend, p == 0);
        if (stern) {
            pot = STERN_AB + 900 + static_cast<int>(1100 * rnd.eins());
            alter = rnd.von_bis(24, 31);
        }
        Spieler s = spieler(n, t.nummer, land, kader_pos[p], pot, alter, stamm ? 0.9 : jugend ? 0.2 : 0.45);
        s.attribute = attribute(s, stamm);
        for (int i = 0; i < halter_zahl; i++)
            if (halter_platz[i] == p) halter(s);
        k.push_back(s);
    }
    return k;
}

// National teams: the best players of each nation at the clubs, each
// generated again under a name of his own (a player belongs to one team).
std::vector<Spieler> nationalteam(Namen& n, const Team& t, const std::vector<Spieler>& vereinsspieler) {
    const Land& L = laender()[static_cast<size_t>(t.land)];
    std::vector<const Spieler*> pool;
    for (const Spieler& s : vereinsspieler)
        if (s.land == t.land) pool.push_back(&s);
    std::stable_sort(pool.begin(), pool.end(),
                     [](const Spieler* a, const Spieler* b) { return a->staerke > b->staerke; });
    std::vector<bool> genommen(pool.size(), false);
    std::vector<Spieler> k;
    for (int p = 0; p < 20; p++) {
        int pos = kader_pos[p];
        const Spieler* vorbild = nullptr;
        for (size_t i = 0; i < pool.size() && !vorbild; i++)
            if (!genommen[i] && pool[i]->pos == pos) {
                genommen[i] = true;
                vorbild = pool[i];
            }
        int eigene = static_cast<int>(L.staerke * (p < 11 ? 1.1 : 0.95) * (1 + 0.05 * rnd.gauss()));
        Spieler s;
        if (vorbild && vorbild->staerke >= eigene * 9 / 10) {
            s = spieler(n, t.nummer, t.land, pos, vorbild->staerke, 27, 1.0);
            s.staerke = vorbild->staerke;
            s.max = vorbild->max;
            s.alter = vorbild->alter;
            s.talent = vorbild->talent;
            s.spiele = vorbild->spiele;
        } else {
            s = spieler(n, t.nummer, t.land, pos, eigene, alter_ziehen(false, p == 0), 1.0);
        }
        s.attribute = attribute(s, p < 11);
        k.push_back(s);
    }
    return k;
}

// The ages of the market's veterans, drawn with numbers of their own as
// the yearly life keeps the ages from VETERAN_AB on (ALTER_GEWICHT).
Zufall veteranen_rnd{0x4B6F726461766F33ull};  // "Kordavo3"
constexpr int VETERAN_AB = 31;

int veteranen_alter() {
    static const std::vector<int> gewichte(std::begin(ALTER_GEWICHT) + (VETERAN_AB - ALTER_VON),
                                           std::end(ALTER_GEWICHT));
    return VETERAN_AB + veteranen_rnd.gewichtet(gewichte);
}

// The market: out-of-contract veterans, young hopefuls and ordinary players;
// 60 hopefuls from the countries without a league only a scout finds.
// A veteran's strength, marks and matches are drawn for an age of 31 to 36
// drawn evenly, his age then anew as the world keeps them (veteranen_alter):
// every other draw of the world stays as it was. Why: a quarter of the
// market evenly of 31 to 36 was far older than the market the yearly life
// keeps (its retired are succeeded by youth players), and 494 to 553
// players retired in the first season against 347 to 511 in every later
// one (the market's share 197 against about 95).
std::vector<Spieler> markt(Namen& n) {
    std::vector<Spieler> k;
    int laender_zahl = static_cast<int>(laender().size());
    for (int i = 0; i < 1700; i++) {
        bool scout = i >= 1640;
        int land = scout ? 9 + i % 6 : rnd.bis(laender_zahl);
        int pos = i % 10 == 0 ? 0 : 1 + rnd.bis(3);
        int art = scout ? 1 : i % 4;  // 0 veteran, 1 hopeful, 2 and 3 ordinary
        int alter = art == 0 ? rnd.von_bis(31, 36) : art == 1 ? rnd.von_bis(17, 21) : rnd.von_bis(22, 30);
        int pot = scout      ? rnd.von_bis(6500, 9500)
                  : art == 0 ? rnd.von_bis(2500, 7500)
                  : art == 1 ? rnd.von_bis(2000, 7500)
                             : rnd.von_bis(900, 5500);
        Spieler s = spieler(n, 0, land, pos, pot, alter, art == 0 ? 0.7 : 0.4);
        s.staerke = std::min(s.staerke, MARKT_GRENZE);
        s.max = std::max(s.max, s.staerke / 1000);
        s.attribute = attribute(s, false);
        s.scout = scout;
        s.nummer = rnd.von_bis(1, 99);
        if (art == 0) s.alter = veteranen_alter();
        k.push_back(s);
    }
    return k;
}

void nummern(std::vector<Spieler>& k) {
    std::vector<int> frei;
    for (size_t p = 0; p < k.size(); p++) {
        int nr = p == 0 ? 1 : p == 11 ? 12 : p == 18 ? 30 : 0;
        while (nr == 0 || std::find(frei.begin(), frei.end(), nr) != frei.end()) nr = rnd.von_bis(2, 40);
        frei.push_back(nr);
        k[p].nummer = nr;
    }
}

}  // namespace

std::vector<int> passende_formationen() {
    int elf[4] = {};  // the first eleven's players by position
    for (int p = 0; p < 11; p++) elf[kader_pos[p]]++;
    std::vector<int> passend;
    for (int n = 0; n < FORMATIONEN_PRO_TEAM; n++) {
        const Formation f = Formation_Standard(n);
        int linie[4] = {};
        std::map<int, int> reihen[4];  // per line: players by row
        for (int i = 0; i < 11; i++) {
            const int l = Aufstellung_Linie(f.zeile[i]);
            linie[l]++;
            reihen[l][f.zeile[i]]++;
        }
        if (linie[1] != elf[1] || reihen[1].size() != 1) continue;  // the back four in one row
        const bool wie_gebaut = linie[2] == elf[2] && linie[3] == elf[3];
        // The second forward just behind the first: the midfield in two
        // rows, the front one of at most three.
        const bool zweiter_dahinter = linie[3] == elf[3] - 1 && linie[2] == elf[2] + 1 && reihen[2].size() == 2 &&
                                      reihen[2].rbegin()->second <= 3;
        if (wie_gebaut || zweiter_dahinter) passend.push_back(n);
    }
    return passend;
}

void spieler_anlegen(Welt& w, Namen& n) {
    std::vector<std::vector<Spieler>> je_team(w.teams.size());
    std::vector<Spieler> vereinsspieler;
    const std::vector<int> plaetze = sternplaetze(w);
    for (const Team& t : w.teams)
        if (t.art == welt_konfig::deutsch(welt_konfig::ART_VEREIN)) {
            je_team[static_cast<size_t>(t.nummer)] = kader(n, t, plaetze[static_cast<size_t>(t.nummer)]);
            for (const Spieler& s : je_team[static_cast<size_t>(t.nummer)]) vereinsspieler.push_back(s);
        }
    for (Team& t : w.teams)
        if (t.art == welt_konfig::deutsch(welt_konfig::ART_NATIONALTEAM)) {
            je_team[static_cast<size_t>(t.nummer)] = nationalteam(n, t, vereinsspieler);
            int summe = 0;
            for (int p = 0; p < 11; p++)
                summe += je_team[static_cast<size_t>(t.nummer)][static_cast<size_t>(p)].staerke;
            t.staerke = summe / 11;
        }
    w.spieler = markt(n);
    for (size_t t = 1; t < je_team.size(); t++) {
        nummern(je_team[t]);
        w.spieler.insert(w.spieler.end(), je_team[t].begin(), je_team[t].end());
    }
}

}  // namespace worldgen
