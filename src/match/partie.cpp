// Whole matches without the season (tools, benchmarks, tests).
#include "match/partie.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "base/cp1252.h"
#include "base/random.h"
#include "match/spielfeld_intern.h"
#include "world/konfig.h"
#include "world/modi.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

struct Spiel_Eintrag {
    u32 heim, gast, wettbewerb;
    std::vector<Partie_Ereignis> ereignisse;
};
std::map<u32, Spiel_Eintrag>& spiele() {
    static std::map<u32, Spiel_Eintrag> m;
    return m;
}

bool info(u32 spiel, u32* heim, u32* gast, u32* wettbewerb, i32* temperatur, i32* niederschlag) {
    auto it = spiele().find(spiel);
    if (it == spiele().end()) return false;
    *heim = it->second.heim;
    *gast = it->second.gast;
    *wettbewerb = it->second.wettbewerb;
    *temperatur = 15;
    *niederschlag = 0;
    return true;
}

void ereignis(u32 spiel, i32 spieler, i32 zweiter, u32 flags, u8 minute) {
    auto it = spiele().find(spiel);
    if (it != spiele().end()) it->second.ereignisse.push_back({spieler, zweiter, flags, minute});
}

// A draw for the runner from the pitch's own cursor.
int runner_zufall(Spielfeld_Daten* sf, int von, int bis) {
    Rnd_Push();
    Rnd_Set_Index(static_cast<i32>(sf->zufall), 0);
    int r = Rnd_Basis(von, bis);
    sf->zufall = Rnd_Get_Index();
    Rnd_Pop();
    return r;
}

}  // namespace

void Partie_Spiel_Anmelden(u32 spiel, u32 heim, u32 gast, u32 wettbewerb) {
    spiele()[spiel] = Spiel_Eintrag{heim, gast, wettbewerb, {}};
}

void Partie_Spiele_Leeren() { spiele().clear(); }

Spielfeld_Hooks Partie_Hooks() {
    Spielfeld_Hooks h = Spielfeld_Get_Hooks();
    h.spiel_info = &info;
    h.spiele_ereignis = &ereignis;
    return h;
}

const std::vector<Partie_Ereignis>& Partie_Ereignisse(u32 spiel) {
    static const std::vector<Partie_Ereignis> leer;
    auto it = spiele().find(spiel);
    return it == spiele().end() ? leer : it->second.ereignisse;
}

int Partie_Halbzeit_Ende(const Partie_Optionen& o, int h) {
    if (h <= 2) return o.halbzeit_minuten * h;
    return o.halbzeit_minuten * 2 + o.verlaengerung_minuten * (h - 2);
}

namespace {
// What a step changed: offside and penalty whistles, goals and their slice.
void zaehlen(const Spielfeld_Daten* sf, u8 situation, u8 schuss, int tore, Partie_Zaehler& z) {
    if (sf->situation != situation) {
        if (sf->situation == SIT_ABSEITS) z.abseits++;
        if (sf->situation == SIT_ELFMETER) z.elfer_gegeben++;
    }
    if (sf->tore[0] + sf->tore[1] <= tore) return;
    if (schuss == SCHUSS_KEINER) {
        bool eigentor = false;
        auto it = spiele().find(sf->spiel);
        if (it != spiele().end())
            for (auto e = it->second.ereignisse.rbegin(); e != it->second.ereignisse.rend(); ++e)
                if (e->flags & SFE_TOR) {
                    eigentor = (e->flags & SFE_EIGENTOR) != 0;
                    break;
                }
        if (!eigentor) z.tore_ohne_schuss++;
    }
    if (sf->halbzeit > 2) return;
    int m = sf->minute - (sf->halbzeit == 2 ? 45 : 0);
    int k = m < 15 ? 0 : (m < 30 ? 1 : 2);
    z.tore_abschnitt[(sf->halbzeit - 1) * 3 + k]++;
}
}  // namespace

bool Partie_Schritt(Spielfeld_Daten* sf, int ende, bool golden_goal, Partie_Zaehler* zaehler) {
    // The driver's clock runs one frame period per step.
    static u32 uhr = 0;
    uhr += SF_FRAME_MS;
    i32 steht = 0;
    const u8 situation = sf->situation, schuss = sf->schuss;
    const int tore = sf->tore[0] + sf->tore[1];
    f32 r = Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, uhr);
    if (zaehler) zaehlen(sf, situation, schuss, tore, *zaehler);
    if (r >= 999.0f || sf->halbzeit_status == 2) return false;
    // The runner's end test: stoppage time begins at the end of the half and
    // runs for a drawn number of minutes.
    if (sf->halbzeit_status == 0 && sf->minute - sf->minuten_korrektur + 1 >= ende) {
        sf->halbzeit_status = 1;
        int nachspiel = sf->halbzeit == 1 ? runner_zufall(sf, 0, 2)
                                          : (sf->halbzeit == 2 ? runner_zufall(sf, 1, 5) : runner_zufall(sf, 0, 1));
        sf->nachspiel_bis = static_cast<i16>(ende + nachspiel);
    }
    // The golden goal: extra time begins level, so a score that is no longer level ends the match.
    if (golden_goal && sf->halbzeit > 2 && sf->tore[0] != sf->tore[1] && !sf->ende_angefordert) {
        Spielfeld_Set_Spielende_Feld(sf);
        return true;
    }
    if (sf->halbzeit_status == 1 && !sf->ende_angefordert && sf->minute >= sf->nachspiel_bis)
        Spielfeld_Set_Spielende_Feld(sf);
    return true;
}

Partie_Ergebnis Partie_Spielen(u32 spiel, const Partie_Optionen& o) {
    Partie_Ergebnis e;
    Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
    if (!sf) return e;
    int grenze = 0;
    // Extra time follows the regular halves when the score is level then (a
    // pitch loaded during extra time goes on with it).
    const int verl = o.verlaengerung_halbzeiten > 0 ? o.verlaengerung_halbzeiten : 0;
    int halbzeiten = sf->halbzeit > 2 ? 2 + verl : 2;
    for (int h = sf->halbzeit; h <= halbzeiten; h++) {
        if (h > sf->halbzeit) {
            if (h == 3) {
                Spielfeld_Ereignis_Eintragen(sf, SFE_VERLAENGERUNG, -1, -1);
                e.verlaengerung = true;
            }
            sf->minute = static_cast<i16>(Partie_Halbzeit_Ende(o, h - 1));
            sf->minuten_teil = 0;
            sf->minuten_korrektur = 0;
            Spielfeld_Halbzeit_Start(spiel);
        }
        if (h > 2) e.verlaengerung = true;
        const bool golden = o.golden_goal && h > 2;
        while (Partie_Schritt(sf, Partie_Halbzeit_Ende(o, h), golden, &e.zaehler))
            if (++grenze > 60000) return e;
        // The last 1000.0 is handed out once.
        i32 steht = 0;
        Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0);
        if (h == 2 && verl > 0 && sf->tore[0] == sf->tore[1]) halbzeiten = 2 + verl;
        if (golden && sf->tore[0] != sf->tore[1]) {
            e.golden_goal = true;
            break;
        }
    }
    if (o.elfmeterschiessen && sf->tore[0] == sf->tore[1]) {
        Spielfeld_Ereignis_Eintragen(sf, SFE_ELFMETERSCHIESSEN, -1, -1);
        // Eleven kickers a side in a shuffled order; five rounds, then sudden death.
        u32 folge[2][SF_PRO_SEITE];
        int n[2] = {0, 0};
        for (int s = 0; s < 2; s++) {
            for (int i = s * SF_PRO_SEITE; i < s * SF_PRO_SEITE + SF_PRO_SEITE; i++)
                if (sf_auf_platz(sf->spieler[i])) folge[s][n[s]++] = static_cast<u32>(i);
            Rnd_Push();
            Rnd_Set_Index(static_cast<i32>(sf->zufall), 0);
            SortMisch_Mische(folge[s], n[s]);
            sf->zufall = Rnd_Get_Index();
            Rnd_Pop();
        }
        for (int runde = 0; runde < 60; runde++) {
            for (int s = 0; s < 2; s++) {
                if (n[s] == 0) continue;
                Spielfeld_Set_Elfmeter(spiel, s, static_cast<int>(folge[s][runde % n[s]]));
                while (!Spielfeld_Darf_Enden(spiel))
                    if (++grenze > 60000) return e;
                    else Partie_Schritt(sf, 9999);
                if (runde < 5) {
                    // Early decision: the other side cannot catch up any more.
                    int a = sf->seite[0].elfer_tore, b = sf->seite[1].elfer_tore;
                    int rest0 = 5 - sf->seite[0].elfer_schuesse, rest1 = 5 - sf->seite[1].elfer_schuesse;
                    if (a + rest0 < b || b + rest1 < a) goto fertig;
                }
            }
            if (runde >= 4 && sf->seite[0].elfer_tore != sf->seite[1].elfer_tore) break;
        }
    }
fertig:
    e.tore[0] = sf->tore[0];
    e.tore[1] = sf->tore[1];
    for (int s = 0; s < 2; s++) {
        e.elfer_tore[s] = sf->seite[s].elfer_tore;
        e.elfer_schuesse[s] = sf->seite[s].elfer_schuesse;
    }
    e.ticks = sf->ticks;
    e.ok = true;
    Spielfeld_Set_Beendet(spiel);
    return e;
}

void Partie_Figuren::aufnehmen(const Spielfeld_Daten* sf, const std::vector<Partie_Ereignis>& ev,
                               const Partie_Ergebnis& e) {
    spiele++;
    verlaengerungen += e.verlaengerung ? 1 : 0;
    golden_goals += e.golden_goal ? 1 : 0;
    // The events agree with the score; a sent-off player takes no further part.
    int gezaehlt[2] = {0, 0};
    std::vector<i32> weg;
    for (const auto& x : ev) {
        if (x.flags & SFE_ELFMETERSCHIESSEN) break;
        for (i32 w : weg) vom_platz_dabei += w == x.spieler;
        if (x.flags & SFE_TOR) {
            gezaehlt[(x.flags & SFE_TEAM_A) ? 0 : 1]++;
            if (x.spieler < 0 || x.minute < 1) ohne_schuetze++;
        }
        if (x.flags & (SFE_ROT | SFE_GELBROT)) weg.push_back(x.spieler);
    }
    if (gezaehlt[0] != e.tore[0] || gezaehlt[1] != e.tore[1]) falsche_ereignisse++;
    tore += e.tore[0] + e.tore[1];
    if (e.tore[0] > e.tore[1]) heimsiege++;
    else if (e.tore[0] < e.tore[1]) auswaertssiege++;
    else remis++;
    if (e.tore[0] == 0 && e.tore[1] == 0) null_null++;
    if (e.tore[0] >= 6 || e.tore[1] >= 6) ab_6++;
    meiste_tore = std::max({meiste_tore, e.tore[0], e.tore[1]});
    ergebnis[std::min(e.tore[0], 7)][std::min(e.tore[1], 7)]++;
    schiessen_kicks += e.elfer_schuesse[0] + e.elfer_schuesse[1];
    schiessen_tore += e.elfer_tore[0] + e.elfer_tore[1];
    abseits += e.zaehler.abseits;
    elfer_gegeben += e.zaehler.elfer_gegeben;
    tore_ohne_schuss += e.zaehler.tore_ohne_schuss;
    for (int i = 0; i < 6; i++) tore_abschnitt[i] += e.zaehler.tore_abschnitt[i];
    ecken += sf->seite[0].ecken + sf->seite[1].ecken;
    besitz_heim += sf->ballbesitz[0];
    besitz_alle += sf->ballbesitz[0] + sf->ballbesitz[1];
    for (const auto& st : sf->statistik) schuesse += st[SFST_SCHUESSE];
    for (const auto& x : ev) {
        if (x.flags & SFE_ELFMETERSCHIESSEN) break;
        if (x.flags & SFE_GELB) gelb++;
        if (x.flags & SFE_GELBROT) gelbrot++;
        if (x.flags & SFE_ROT) rot++;
        if (x.flags & SFE_FOUL) fouls++;
        if (x.flags & SFE_EIGENTOR) eigentore++;
        if ((x.flags & SFE_TOR) && (x.flags & SFE_KOPF)) kopftore++;
        if (x.flags & SFE_CHANCE) aufs_tor++;
        if ((x.flags & SFE_ELFMETER) && (x.flags & SFE_CHANCE)) elfer++;
        if ((x.flags & SFE_ELFMETER) && (x.flags & SFE_TOR)) elfer_tore++;
    }
    // The margin: the difference of the starting elevens' mean strength (0..12,000), scaled to 0..999.
    int summe[2] = {0, 0};
    for (int i = 0; i < SF_SPIELER; i++)
        if (sf->spieler[i].spieler >= 0 && sf->spieler[i].minute_ein == 0) summe[sf_seite(i)] += sf->spieler[i].staerke;
    int d = (summe[0] - summe[1]) / (MAX_SPIELER_EINGESETZT * 12);
    int stark = d >= 0 ? 0 : 1;
    int st = (d < 0 ? -d : d) / (stufe_breite > 0 ? stufe_breite : 50);
    if (st > 5) st = 5;
    stufe_spiele[st]++;
    if (e.tore[stark] > e.tore[stark ^ 1]) stufe_siege[st]++;
    if (e.tore[stark] < e.tore[stark ^ 1]) stufe_niederlagen[st]++;
}

std::string Partie_Figuren::text() const {
    std::string r;
    char z[160];
    double n = spiele > 0 ? spiele : 1;
    auto zeile = [&](const char* name, double wert, const char* band) {
        std::snprintf(z, sizeof z, "%-36s %9.3f   %s\n", name, wert, band);
        r += z;
    };
    auto anteil = [](double a, double b) { return b > 0 ? 100.0 * a / b : 0.0; };
    std::snprintf(z, sizeof z, "%-36s %9d\n", "matches", spiele);
    r += z;
    zeile("goals per match", tore / n, "2.5 .. 3.1");
    zeile("home wins %", anteil(heimsiege, n), "42 .. 50");
    zeile("draws %", anteil(remis, n), "22 .. 30");
    zeile("away wins %", anteil(auswaertssiege, n), "24 .. 33");
    zeile("0-0 %", anteil(null_null, n), "5 .. 11");
    zeile("a side scoring 6 or more %", anteil(ab_6, n), "< 1");
    zeile("most goals of one side", meiste_tore, "<= 9");
    zeile("shots per match", schuesse / n, "20 .. 30");
    zeile("shots on target per match", aufs_tor / n, "7 .. 11");
    zeile("corners per match", ecken / n, "8 .. 12");
    zeile("fouls per match", fouls / n, "18 .. 28");
    zeile("offsides per match", abseits / n, "2 .. 5");
    zeile("penalties awarded per match", elfer_gegeben / n, "0.2 .. 0.35");
    zeile("penalties converted in play %", anteil(elfer_tore, elfer), "70 .. 85");
    zeile("headed goals % of goals", anteil(kopftore, tore), "10 .. 25");
    zeile("goals without a shot % (no own goals)", anteil(tore_ohne_schuss, tore), "< 1");
    zeile("own goals per match", eigentore / n, "");
    static const char* const ABSCHNITT[6] = {"goals %, minutes 1-15",   "goals %, minutes 16-30",
                                             "goals %, minutes 31-45+", "goals %, minutes 46-60",
                                             "goals %, minutes 61-75",  "goals %, minutes 76-90+"};
    int alle = 0;
    for (int t : tore_abschnitt) alle += t;
    for (int i = 0; i < 6; i++) zeile(ABSCHNITT[i], anteil(tore_abschnitt[i], alle), i % 3 == 2 ? "> first 15" : "");
    zeile("home possession %",
          besitz_alle ? 100.0 * static_cast<double>(besitz_heim) / static_cast<double>(besitz_alle) : 0.0, "");
    zeile("yellow cards per match", (gelb + gelbrot) / n, "2.5 .. 4.5");
    zeile("red cards per match", (gelbrot + rot) / n, "<= 0.3");
    zeile("shoot-out kicks converted %", anteil(schiessen_tore, schiessen_kicks), "68 .. 80");
    if (verlaengerungen) zeile("extra time %", anteil(verlaengerungen, n), "");
    if (golden_goals) zeile("decided by a golden goal %", anteil(golden_goals, n), "");
    for (int i = 0; i < 6; i++) {
        if (!stufe_spiele[i]) continue;
        char name[64];
        std::snprintf(name, sizeof name, "stronger side wins %%, margin %d%s", i * stufe_breite, i == 5 ? "+" : "");
        std::snprintf(z, sizeof z, "%-36s %9.3f   (%d matches, upsets %.1f %%)\n", name,
                      anteil(stufe_siege[i], stufe_spiele[i]), stufe_spiele[i],
                      anteil(stufe_niederlagen[i], stufe_spiele[i]));
        r += z;
    }
    // The ten most frequent score lines.
    std::vector<std::pair<int, int>> linien;
    for (int h = 0; h < 8; h++)
        for (int g = 0; g < 8; g++)
            if (ergebnis[h][g]) linien.push_back({-ergebnis[h][g], h * 8 + g});
    std::sort(linien.begin(), linien.end());
    for (size_t i = 0; i < linien.size() && i < 10; i++) {
        char name[64];
        int h = linien[i].second / 8, g = linien[i].second % 8;
        std::snprintf(name, sizeof name, "score %d:%d %%", h, g);
        zeile(name, anteil(-linien[i].first, n), "");
    }
    return r;
}

std::string Partie_Ereignisliste(u32 spiel) {
    std::string r;
    char z[200];
    for (const auto& e : Partie_Ereignisse(spiel)) {
        const char* art = "";
        if (e.flags & SFE_TOR) art = (e.flags & SFE_EIGENTOR) ? "own goal" : "goal";
        else if (e.flags & SFE_GELB) art = "yellow card";
        else if (e.flags & SFE_GELBROT) art = "yellow-red card";
        else if (e.flags & SFE_ROT) art = "red card";
        else if (e.flags & SFE_FOUL) art = "foul";
        else if (e.flags & SFE_VERLETZUNG) art = "injury";
        else if (e.flags & SFE_WECHSEL) art = "substitution";
        else if (e.flags & SFE_STANDARD) art = "set piece";
        else if (e.flags & SFE_CHANCE) art = "chance";
        else if (e.flags & SFE_ELFMETERSCHIESSEN) art = "shoot-out begins";
        else if (e.flags & SFE_VERLAENGERUNG) art = "extra time";
        std::string name = "-";
        if (e.spieler >= 0 && e.spieler < Spieler_Anzahl)
            name = Cp1252_To_Utf8(Spieler_String(63, e.spieler, nullptr, 0));
        std::snprintf(z, sizeof z, "%3d' %-5s %-18s %-24s (flags 0x%07x, second %d)\n", e.minute,
                      (e.flags & SFE_TEAM_A) ? "home" : "away", art, name.c_str(), e.flags, e.zweiter);
        r += z;
    }
    return r;
}

namespace {
// A league: the clubs of one country on one level; its key is country * 10 + level.
int liga_schluessel(int t) {
    if (!Team_Ist_Verein(t)) return -1;
    int e = Team_Get_Ebene(t);
    if (e <= 0) return -1;
    return Team_Wert(TEAM_WERT_NATION, t, 0, OP_LESEN) * 10 + e;
}
}  // namespace

std::vector<u32> Vereine_Waehlen(int liga, int ebene) {
    std::vector<u32> r;
    for (int t = 0; t < Team_Anzahl; t++) {
        int l = liga_schluessel(t);
        if (l < 0 || (liga >= 0 && l != liga) || (ebene >= 1 && l % 10 != ebene)) continue;
        r.push_back(static_cast<u32>(t));
    }
    return r;
}

namespace {
// The run's own generator for pairings and streams (not game randomness): splitmix64.
u64 mische(u64& zustand) {
    u64 z = (zustand += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
}  // namespace

Partie_Figuren Partie_Lauf_Spielen(const Partie_Lauf& lauf, void (*erstes)(u32, u32, u32, const Partie_Ergebnis&)) {
    Partie_Figuren f;
    f.stufe_breite = lauf.stufe_breite;
    const auto& v = lauf.vereine;
    if (v.size() < 2) return f;
    u64 zustand = lauf.saat;
    for (long long k = 0; k < lauf.spiele; k++) {
        u32 h, g;
        if (lauf.zufaellig) {
            u64 a = mische(zustand) % v.size(), b = mische(zustand) % (v.size() - 1);
            if (b >= a) b++;
            h = v[a];
            g = v[b];
        } else if (v.size() == 2) {
            // One pairing: the first club at home every time.
            h = v[0];
            g = v[1];
        } else {
            Liga_Paarung(v, static_cast<int>(k % (1 << 30)), &h, &g);
        }
        const u32 spiel = 1;
        Partie_Spiel_Anmelden(spiel, h, g, 1);
        if (Spielfeld_Neu(spiel, 0, 0, 30000, h, 1)) {
            // The match's stream: the seed and the match number mixed into 32 bits.
            u64 strom = (static_cast<u64>(lauf.saat) << 32) | static_cast<u64>(k & 0xFFFFFFFF);
            Spielfeld_Set_Zufall(Spielfeld_Zeiger(spiel), static_cast<u32>(mische(strom)));
            Partie_Ergebnis e = Partie_Spielen(spiel, lauf.optionen);
            f.aufnehmen(Spielfeld_Zeiger(spiel), Partie_Ereignisse(spiel), e);
            if (k == 0 && erstes) erstes(spiel, h, g, e);
        }
        Spielfeld_Loeschen(1);
        Partie_Spiele_Leeren();
    }
    return f;
}

std::vector<u32> Liga_Vereine(int liga) {
    std::vector<u32> r;
    for (int t = 0; t < Team_Anzahl; t++)
        if (liga_schluessel(t) == liga) r.push_back(static_cast<u32>(t));
    return r;
}

int Liga_Groesste() {
    std::map<int, int> n;
    for (int t = 0; t < Team_Anzahl; t++) {
        int l = liga_schluessel(t);
        if (l >= 0) n[l]++;
    }
    int best = -1, bn = 0;
    for (auto& [l, c] : n)
        if (c > bn) {
            bn = c;
            best = l;
        }
    return best;
}

void Liga_Paarung(const std::vector<u32>& v, int k, u32* heim, u32* gast) {
    const int n = static_cast<int>(v.size());
    if (n < 2) {
        *heim = *gast = n ? v[0] : 0;
        return;
    }
    // The pairs in rounds of the circle method: one club stays, the others
    // turn; with an odd number a bye (the place m - 1) rests in each round.
    const int m = n + (n & 1), runden = m - 1;
    const int je_runde = n & 1 ? (n - 1) / 2 : n / 2;
    const int paar = k / 2 % (runden * je_runde);
    const int r = paar / je_runde, j = paar % je_runde + (n & 1);
    int a = r, b = runden;
    if (j > 0) {
        a = (r + j) % runden;
        b = (r - j + runden) % runden;
    }
    // The return leg follows at once; the first leg's home side alternates.
    if ((k & 1) != ((r + j) & 1)) std::swap(a, b);
    *heim = v[static_cast<size_t>(a)];
    *gast = v[static_cast<size_t>(b)];
}
