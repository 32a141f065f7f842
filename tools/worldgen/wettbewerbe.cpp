// wettbewerb.cfg: the competitions of the world, by team number.
//
// Leagues of each country by level (a level may be split into parallel
// regional leagues), a cup for every country with two levels or more, the
// European cup (four groups and a knock-out round), an indoor tournament,
// the nations' cup and an intercontinental tournament of national teams.
// Entrants of the cups and the European cup are the strongest clubs; each
// country keeps its own winter break (or none).
#include "season/wettbewerb_schluessel.h"
#include "world/konfig_schluessel.h"
#include "worldgen.h"

namespace worldgen {

namespace {

using namespace wettbewerb_konfig;

struct Liga_Plan {
    std::string land;                                                     // country alias
    std::string buchstabe;                                                // first letter of the league ids
    std::vector<std::vector<std::pair<std::string, std::string>>> ligen;  // per level: (id, name) of its leagues
    std::vector<int> wichtig;                                             // importance per level
    std::vector<int> abstieg;  // clubs relegated per level (the last level none)
    int europa;                // places of the top league in the European cup
    std::string pokal;         // name of the cup ("" none)
    bool wiederholung;         // cup ties drawn are replayed
    int pokal_teams;           // the strongest clubs in the cup (0 all)
    int start;                 // first week of the leagues
    int quote;                 // share of league matchdays on Saturdays
    int pause_von, pause_bis;  // winter break in weeks (0, 0 none)
};

// The season runs from July: week 5 is early August, weeks 25 to 28 are
// Christmas to mid-January, week 46 is late May; the national teams play in
// weeks 46 to 51. Leagues play on Saturdays (a tenth of their matchdays may
// fall midweek), cups on Wednesdays, the European cup on Tuesdays. Leagues
// share their days, so England's start late in August, nearly all on Saturdays:
// that leaves them the Saturdays of the others' winter break.
std::vector<Liga_Plan> liga_plaene() {
    return {
        {"DEU",
         "D",
         {{{"D1", "1. Liga Deutschland"}},
          {{"D2", "2. Liga Deutschland"}},
          {{"RN", "Regionalliga Nord"}, {"RS", "Regionalliga Süd"}}},
         {90, 75, 55},
         {2, 2, 0},
         4,
         "Pokal Deutschland",
         false,
         32,
         5,
         90,
         25,
         28},
        {"ENG",
         "E",
         {{{"E1", "Premier Division"}}, {{"E2", "First Division"}}},
         {85, 65},
         {3, 0},
         4,
         "Pokal England",
         true,
         0,
         7,
         95,
         0,
         0},
        {"ITA",
         "I",
         {{{"I1", "Serie Prima"}}, {{"I2", "Serie Seconda"}}},
         {85, 65},
         {3, 0},
         4,
         "Pokal Italien",
         false,
         32,
         5,
         90,
         25,
         26},
        {"ESP",
         "S",
         {{{"S1", "Primera Liga"}}, {{"S2", "Segunda Liga"}}},
         {85, 65},
         {3, 0},
         4,
         "Pokal Spanien",
         false,
         32,
         7,
         90,
         0,
         0},
        {"FRA",
         "F",
         {{{"F1", "Ligue Nationale"}}, {{"F2", "Ligue Deux"}}},
         {85, 65},
         {3, 0},
         1,
         "Pokal Frankreich",
         false,
         32,
         5,
         90,
         25,
         26},
        {"NED", "N", {{{"N1", "Eredivisie"}}}, {70}, {0}, 1, "", false, 0, 5, 90, 25, 26},
        {"POR", "P", {{{"P1", "Primeira Liga"}}}, {70}, {0}, 1, "", false, 0, 5, 90, 25, 25},
        {"AUT", "A", {{{"A1", "Bundesliga Österreich"}}}, {70}, {0}, 1, "", false, 0, 3, 90, 24, 31},
        {"SUI", "C", {{{"C1", "Super League Schweiz"}}}, {70}, {0}, 1, "", false, 0, 3, 90, 24, 31},
    };
}

std::string wiederholt(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; i++) r += (i ? "," : "") + s;
    return r;
}

int land_index(const std::string& k) {
    for (size_t i = 0; i < laender().size(); i++)
        if (laender()[i].kuerzel == k) return static_cast<int>(i);
    return -1;
}

struct Schreiber {
    Ausgabe& w;
    const Welt& welt;
    // The calendar row of the next league: the leagues share rows 4 and 5
    // in turn, as the data editor writes them when no home nation is set.
    int kalenderzeile = 4;
    void neu(const std::string& id, const std::string& name) {
        w.zeile("");
        w.zeile(deutsch(K_NEU));
        w.schluessel(deutsch(K_IDENT), id);
        w.text_(deutsch(K_NAME), name);
    }
    // Days: the weekday and the share of matchdays on it, the weeks, the break.
    void termine(const char* tag, int quote, int start, int ende, int pause_von = 0, int pause_bis = 0) {
        w.schluessel(deutsch(K_WOCHENTAG), tag);
        w.zahl(deutsch(K_QUOTE), quote);
        w.zahl(deutsch(K_STARTWOCHE), start);
        w.zahl(deutsch(K_ENDWOCHE), ende);
        if (!pause_von) w.zeile("; ohne Winterpause");
        w.zahl(deutsch(K_FREI_START), pause_von);
        w.zahl(deutsch(K_FREI_ENDE), pause_bis);
    }
    void ko_modus(bool wiederholung) {
        w.schluessel(deutsch(K_MODUS), "KO_SYSTEM");
        w.schluessel(deutsch(K_MODUS), "VERLAENGERUNG");
        w.schluessel(deutsch(K_MODUS), "ELFMETERSCHIESSEN");
        if (wiederholung) w.schluessel(deutsch(K_MODUS), "WIEDERHOLUNGSSPIEL");
    }
    void liga(const Liga_Plan& p, size_t e, size_t k, const std::vector<int>& start);
    void ligen(const Liga_Plan& p);
    void pokal(const Liga_Plan& p);
    void europapokal(const std::vector<Liga_Plan>& plaene);
    void halle(const Liga_Plan& heim);
    void laenderturniere(const std::string& heim);
};

void Schreiber::liga(const Liga_Plan& p, size_t e, size_t k, const std::vector<int>& start) {
    const auto& ebene = p.ligen[e];
    neu(ebene[k].first, ebene[k].second);
    w.schluessel(deutsch(K_SUPER_ART), "LIGA");
    w.schluessel(deutsch(K_LAND), "#" + p.land);
    w.schluessel(deutsch(K_BASISLIGA), "JA");
    w.zahl(deutsch(K_TEAMS), static_cast<long long>(start.size()));
    // Small leagues meet four times, as real ten-team leagues do.
    if (start.size() <= 10) w.zahl(deutsch(K_SPIELTAGE), 4 * (static_cast<long long>(start.size()) - 1));
    w.schluessel(deutsch(K_MODUS), "HEIMRECHT");
    w.schluessel(deutsch(K_MODUS), "ENGLISCHE_TABELLE");
    termine("Samstag", p.quote, p.start, 46, p.pause_von, p.pause_bis);
    w.zahl(deutsch(K_QUALIWOCHE), 2);
    bool unten = e + 1 < p.ligen.size();
    if (k + 1 < ebene.size()) w.schluessel(deutsch(K_VIS_PARALLEL), ebene[k + 1].first);
    else if (k == 0 && unten) w.schluessel(deutsch(K_VIS_NACHFOLGER), p.ligen[e + 1][0].first);
    if (e == 0 && p.europa) w.schluessel(deutsch(K_QUALI_FUER), wiederholt("EC_A", p.europa));
    if (e > 0)
        w.schluessel(deutsch(K_QUALI_FUER),
                     wiederholt(p.ligen[e - 1][0].first, p.abstieg[e - 1] / static_cast<int>(ebene.size())));
    if (unten && p.abstieg[e]) {
        const auto& naechste = p.ligen[e + 1];
        std::string z(start.size() - static_cast<size_t>(p.abstieg[e]), ',');
        for (int r = 0; r < p.abstieg[e]; r++)
            z += (r ? "," : "") + naechste[static_cast<size_t>(r) % naechste.size()].first;
        w.schluessel(deutsch(K_QUALI_FUER), z);
    }
    w.schluessel(deutsch(K_START), liste(start));
    w.zahl(deutsch(K_WICHTIG), p.wichtig[e]);
    w.zahl(deutsch(K_SIEG_PRAEMIE), 50000);
    w.zahl(deutsch(K_UNENTSCHIEDEN_PRAEMIE), 20000);
    w.zahl(deutsch(K_ERSTE_GELB), 5);
    w.zahl(deutsch(K_INTERVALL_GELB), 5);
    // Row 5 is every record's own and needs no line.
    if (kalenderzeile != 5) w.zahl(deutsch(K_KALENDER_POS), kalenderzeile);
    kalenderzeile = kalenderzeile == 4 ? 5 : 4;
}

void Schreiber::ligen(const Liga_Plan& p) {
    int li = land_index(p.land);
    for (size_t e = 0; e < p.ligen.size(); e++) {
        std::vector<int> alle = vereine_der_ebene(welt, li, static_cast<int>(e) + 1);
        size_t je = alle.size() / p.ligen[e].size();
        for (size_t k = 0; k < p.ligen[e].size(); k++)
            liga(p, e, k,
                 std::vector<int>(alle.begin() + static_cast<long>(k * je),
                                  alle.begin() + static_cast<long>((k + 1) * je)));
    }
}

// The cup: the strongest clubs, or every club of the country (a field that
// needs byes in its first round).
void Schreiber::pokal(const Liga_Plan& p) {
    int li = land_index(p.land);
    std::vector<int> start;
    for (size_t e = 0; e < p.ligen.size(); e++)
        for (int t : vereine_nach_staerke(welt, li, static_cast<int>(e) + 1))
            if (p.pokal_teams == 0 || static_cast<int>(start.size()) < p.pokal_teams) start.push_back(t);
    neu("POKAL_" + p.buchstabe, p.pokal);
    w.schluessel(deutsch(K_SUPER_ART), "POKAL");
    w.schluessel(deutsch(K_LAND), "#" + p.land);
    w.zahl(deutsch(K_TEAMS), static_cast<long long>(start.size()));
    ko_modus(p.wiederholung);
    termine("Mittwoch", 80, 6, 44, p.pause_von, p.pause_bis);
    w.zahl(deutsch(K_QUALIWOCHE), 2);
    std::vector<const char*> runden = {"ACHTELFINALE", "VIERTELFINALE", "HALBFINALE", "FINALE"};
    for (size_t n = 32; n < start.size(); n *= 2) runden.insert(runden.begin(), "2.RUNDE");
    runden.insert(runden.begin(), "1.RUNDE");
    for (const char* r : runden) w.schluessel(deutsch(K_RUNDENTEXT), r);
    w.schluessel(deutsch(K_START), liste(start));
    w.zahl(deutsch(K_WICHTIG), 60);
    w.zahl(deutsch(K_SIEG_PRAEMIE), 100000);
    w.schluessel(deutsch(K_POKAL_PRAEMIE), "JA");
}

// Four groups of four; group g starts with the g-th strongest club of every
// country that sends four clubs.
void Schreiber::europapokal(const std::vector<Liga_Plan>& plaene) {
    std::vector<const Liga_Plan*> vier;
    for (const Liga_Plan& p : plaene)
        if (p.europa == 4) vier.push_back(&p);
    for (int g = 0; g < 4; g++) {
        neu(std::string("EC_") + static_cast<char>('A' + g), "Europapokal");
        w.text_(deutsch(K_GRUPPEN_NAME), std::string("Gruppe ") + static_cast<char>('A' + g));
        w.schluessel(deutsch(K_SUPER_ART), "EUROPA");
        w.zahl(deutsch(K_TEAMS), 4);
        w.schluessel(deutsch(K_MODUS), "HEIMRECHT");
        w.zahl(deutsch(K_PARALLEL), 4);
        w.zahl(deutsch(K_WEITERKOMM), 2);
        if (g < 3) w.schluessel(deutsch(K_PARALLELGRUPPE), std::string("EC_") + static_cast<char>('B' + g));
        w.schluessel(deutsch(K_NACHFOLGERUNDE), "EC_KO");
        termine("Dienstag", 100, 8, 22);
        w.zahl(deutsch(K_QUALIWOCHE), 2);
        w.schluessel(deutsch(K_QUALI_FUER), "EC_KO,EC_KO");
        std::vector<int> start;
        for (const Liga_Plan* p : vier) {
            if (g == 0) w.schluessel(deutsch(K_QUALI_LAND), "#" + p->land + ",4");
            start.push_back(vereine_nach_staerke(welt, land_index(p->land), 1)[static_cast<size_t>(g)]);
        }
        w.schluessel(deutsch(K_START), liste(start));
        w.zahl(deutsch(K_WICHTIG), 95);
        w.zahl(deutsch(K_SIEG_PRAEMIE), 500000);
        w.zahl(deutsch(K_UNENTSCHIEDEN_PRAEMIE), 250000);
        w.zahl(deutsch(K_ANTRITTS_PRAEMIE), 1000000);
    }
    neu("EC_KO", "Europapokal");
    w.schluessel(deutsch(K_SUPER_ART), "EUROPA");
    w.zahl(deutsch(K_TEAMS), 8);
    for (const char* m : {"KO_SYSTEM", "RUECKSPIELE", "AUSWTORE_DOPPELT", "VERLAENGERUNG", "ELFMETERSCHIESSEN"})
        w.schluessel(deutsch(K_MODUS), m);
    // Legs a week apart; the final is played before the national teams' weeks.
    termine("Dienstag", 100, 30, 45);
    w.zahl(deutsch(K_QUALIWOCHE), 23);
    for (const char* r : {"VIERTELFINALE", "HALBFINALE", "FINALE"}) w.schluessel(deutsch(K_RUNDENTEXT), r);
    w.zahl(deutsch(K_WICHTIG), 100);
    w.zahl(deutsch(K_SIEG_PRAEMIE), 1000000);
    w.schluessel(deutsch(K_POKAL_PRAEMIE), "JA");
}

// The indoor tournament of the home country's four strongest clubs.
void Schreiber::halle(const Liga_Plan& heim) {
    std::vector<int> start = vereine_nach_staerke(welt, land_index(heim.land), 1);
    start.resize(4);
    neu("HALLE", "Hallenturnier");
    w.schluessel(deutsch(K_SUPER_ART), "TURNIER");
    w.zahl(deutsch(K_TEAMS), 4);
    ko_modus(false);
    // Sundays in the home country's winter break.
    termine("Sonntag", 100, heim.pause_von, heim.pause_bis);
    w.zahl(deutsch(K_QUALIWOCHE), 2);
    w.schluessel(deutsch(K_MEHRMALS), "JA");
    w.schluessel(deutsch(K_RUNDENTEXT), "HALBFINALE");
    w.schluessel(deutsch(K_RUNDENTEXT), "FINALE");
    w.schluessel(deutsch(K_START), liste(start));
    w.zahl(deutsch(K_WICHTIG), 20);
    w.zahl(deutsch(K_SIEG_PRAEMIE), 100000);
    w.schluessel(deutsch(K_POKAL_PRAEMIE), "JA");
}

// National teams: the first eight in the nations' cup, those from outside
// Europe (continents 6 and above) in the intercontinental cup.
void Schreiber::laenderturniere(const std::string& heim) {
    std::vector<int> nationen, uebersee;
    for (const Team& t : welt.teams) {
        if (t.art != welt_konfig::deutsch(welt_konfig::ART_NATIONALTEAM)) continue;
        if (nationen.size() < 8) nationen.push_back(t.nummer);
        if (t.kontinent >= 6) uebersee.push_back(t.nummer);
    }
    neu("NATIONEN", "Nationen-Cup");
    w.schluessel(deutsch(K_SUPER_ART), "LAENDER");
    w.zahl(deutsch(K_TEAMS), static_cast<long long>(nationen.size()));
    ko_modus(false);
    w.schluessel(deutsch(K_AUSRICHTER), "#" + heim);
    termine("Mittwoch", 100, 46, 51);
    w.zahl(deutsch(K_QUALIWOCHE), 2);
    w.zahl(deutsch(K_ALLE_X), 2);
    w.zahl(deutsch(K_STARTJAHR), 1);
    for (const char* r : {"VIERTELFINALE", "HALBFINALE", "FINALE"}) w.schluessel(deutsch(K_RUNDENTEXT), r);
    w.schluessel(deutsch(K_START), liste(nationen));
    w.zahl(deutsch(K_WICHTIG), 100);
    w.zahl(deutsch(K_SIEG_PRAEMIE), 100000);
    w.schluessel(deutsch(K_POKAL_PRAEMIE), "JA");

    neu("INTERKONT", "Interkontinental-Cup");
    w.schluessel(deutsch(K_SUPER_ART), "LAENDER");
    w.zahl(deutsch(K_TEAMS), static_cast<long long>(uebersee.size()));
    w.zahl(deutsch(K_SPIELTAGE), 3);
    w.schluessel(deutsch(K_MODUS), "HEIMRECHT");
    // The national teams' weeks after the season, shared with the nations' cup.
    termine("Mittwoch", 100, 46, 51);
    w.zahl(deutsch(K_QUALIWOCHE), 2);
    w.schluessel(deutsch(K_START), liste(uebersee));
    w.zahl(deutsch(K_WICHTIG), 60);
}

}  // namespace

void wettbewerbe(Ausgabe& w, const Welt& welt) {
    w.zeile("; Kordavo - Wettbewerbe (Konfigurationssatz 1)");
    w.zeile("; Ligen, Pokale, internationale Wettbewerbe und Länderturniere der ausgelieferten Welt.");
    w.zeile("CHECKSUMME                  ");  // filled in after writing
    w.text_("INFOTEXT", "Die Wettbewerbe der Welt von Kordavo");
    w.zahl(deutsch(K_VERSION), 201);
    Schreiber s{w, welt};
    const std::vector<Liga_Plan> plaene = liga_plaene();
    for (const Liga_Plan& p : plaene) {
        s.ligen(p);
        if (!p.pokal.empty()) s.pokal(p);
    }
    s.europapokal(plaene);
    s.halle(plaene[0]);
    s.laenderturniere(plaene[0].land);
}

}  // namespace worldgen
