#include "season/wettbewerb_config.h"

#include <strings.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <future>
#include <memory>

#include "base/config.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/nebenher.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "season/kalender.h"
#include "season/paarungen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_schluessel.h"
#include "world/global.h"

namespace {

using namespace wettbewerb_konfig;

constexpr int LISTEN = WETTBEWERB_CONFIG_LISTEN;
std::vector<Wettbewerb_Referenz> listen[LISTEN];
int letzter_set = -1;
bool cache_geschrieben = false;
bool vorab_genommen = false;  // the last reading of a set took the worker's

// A game file's stand, to tell whether it changed since it was read ahead
// (none for no file).
Datei_Stand dateistand(const std::string& pfad) { return Datei_Stand_Lesen(W32_Pfad_Uebersetzen(pfad.c_str())); }

// A reading of the file ahead, on a worker (Wettbewerb_Config_Vorab_Lesen):
// its own table and lists, the developer log's lines (passed on when it is
// taken), the weekday and continent keys (their names belong to the running
// game: they are resolved when it is taken), and whether the reading had
// anything to report (then the game reads the file itself, so that the
// player sees what is wrong).
struct Vorab {
    int set = -1, alias_set = -1;
    std::string pfad, alias_pfad;
    Datei_Stand staende[2];
    std::vector<Wettbewerb> tabelle;
    std::vector<Wettbewerb_Referenz> listen[LISTEN];
    std::vector<std::string> protokoll;
    struct Spaeter {
        i32 index;
        int schluessel;
        std::string wert;
    };
    std::vector<Spaeter> spaeter;
    bool gemeldet = false;
    bool ok = false;
};
// The reading ahead this thread does (none: the reader fills the game's table).
thread_local Vorab* vorab_ziel = nullptr;

Wettbewerb* tab() { return vorab_ziel ? vorab_ziel->tabelle.data() : Wettbewerb_Tabelle; }
std::vector<Wettbewerb_Referenz>* L() { return vorab_ziel ? vorab_ziel->listen : listen; }

void melden(const char* text) {
    if (vorab_ziel) vorab_ziel->gemeldet = true;
    else Meldung_Printf("%s", text);
}

// A line of the developer log; a reading ahead keeps it for the game.
__attribute__((format(printf, 1, 2))) void protokoll(const char* format, ...) {
    va_list args, kopie;
    va_start(args, format);
    va_copy(kopie, args);
    const int n = std::vsnprintf(nullptr, 0, format, kopie);
    va_end(kopie);
    std::string zeile(static_cast<size_t>(std::max(n, 0)), '\0');
    std::vsnprintf(zeile.data(), zeile.size() + 1, format, args);
    va_end(args);
    if (vorab_ziel) vorab_ziel->protokoll.push_back(std::move(zeile));
    else Debug_Printf("%s", zeile.c_str());
}

// A record to its defaults, its name kept.
void satz_zuruecksetzen(Wettbewerb& w) {
    char name[sizeof w.name];
    std::memcpy(name, w.name, sizeof name);
    w = Wettbewerb_Standard();
    std::memcpy(w.name, name, sizeof name);
}

// A warning for data beyond the room of the record.
void zu_viele(const char* was, i32 zeile) {
    char t[200];
    std::snprintf(t, sizeof t, "[%d] Warning in wettbewerb.cfg:\n - (205) Zu viele Eintraege (%s)\n\n", zeile, was);
    melden(t);
}

std::string trimmen(const std::string& s) {
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> teilen(const std::string& s) {
    std::vector<std::string> v;
    size_t start = 0;
    for (;;) {
        size_t k = s.find(',', start);
        v.push_back(trimmen(s.substr(start, k == std::string::npos ? std::string::npos : k - start)));
        if (k == std::string::npos) break;
        start = k + 1;
    }
    return v;
}

// Lists whose items are numbers, and the smallest and largest value an
// item may hold (teams and countries are not negative; a pairing is a
// slot byte).
struct Zahlenliste {
    int liste;
    i32 min, max;
};
constexpr Zahlenliste ZAHLENLISTEN[] = {{3, 0, 32767}, {6, 0, 32767}, {8, 0, 255}, {10, 0, 32767}};
constexpr int MAX_LISTENEINTRAEGE = 4096;

// One item of a comma list at the line being read, in the reader's number
// forms (JA/NEIN, "#alias", a decimal number); false with the reader's
// message (naming this line) when it is none or out of range.
bool listen_zahl(const std::string& item, i32 min, i32 max, i32* aus) {
    if (!strcasecmp(item.c_str(), "JA") || !strcasecmp(item.c_str(), "YES")) {
        *aus = 1;
    } else if (!strcasecmp(item.c_str(), "NEIN") || !strcasecmp(item.c_str(), "NO")) {
        *aus = 0;
    } else if (item[0] == '#') {
        if (!Read_Config_Get_Alias_Id(trimmen(item.substr(1)).c_str(), aus)) {
            Read_Config_Melden(CONFIG_W_ALIAS, "Unbekannter Alias (%.60s)", item.c_str());
            return false;
        }
    } else {
        char* ende = nullptr;
        const long v = std::strtol(item.c_str(), &ende, 10);
        if (ende == item.c_str() || *ende || v < INT32_MIN || v > INT32_MAX) {
            Read_Config_Melden(CONFIG_W_ZAHL, "Ungültige Zahl (%.60s)", item.c_str());
            return false;
        }
        *aus = static_cast<i32>(v);
    }
    if (*aus < min || *aus > max) {
        Read_Config_Melden(WETTBEWERB_W_WERT, "Ungueltiger Wert (%.60s)", item.c_str());
        return false;
    }
    return true;
}

void zahlen_lesen(Wettbewerb_Referenz& r, const Zahlenliste& z) {
    int n = 0;
    for (const std::string& item : teilen(r.text)) {
        if (item.empty() || ++n > MAX_LISTENEINTRAEGE) continue;
        i32 v = 0;
        if (listen_zahl(item, z.min, z.max, &v)) r.werte.push_back(v);
        else r.abgewiesen = true;
    }
}

void referenz(int art, const char* text, i32 index, size_t max) {
    Wettbewerb_Referenz r;
    r.text.assign(text ? text : "");
    if (r.text.size() > max) r.text.resize(max);
    r.index = index;
    r.zeile = Read_Config_Get_Zeile();
    for (const Zahlenliste& z : ZAHLENLISTEN)
        if (z.liste == art) zahlen_lesen(r, z);
    L()[art].push_back(std::move(r));
}

i32 clamp(i32 v, i32 lo, i32 hi) { return Tools_Clamp(v, lo, hi, -1); }

bool ist_ko(const Wettbewerb& w) { return (w.modus & WB_KO_SYSTEM) != 0; }

// Post-processing of the cross references, in steps.
void super_aliase() {
    Wettbewerb* t = tab();
    // 1. Super aliases: equal texts share a number, in order of first use.
    L()[13].clear();
    for (auto& r : L()[1]) {
        int nummer = -1;
        for (auto& s : L()[13])
            if (strcasecmp(s.text.c_str(), r.text.c_str()) == 0) nummer = s.index;
        if (nummer == -1) {
            nummer = static_cast<int>(L()[13].size());
            Wettbewerb_Referenz s;
            s.text = r.text;
            s.index = nummer;
            L()[13].push_back(s);
        }
        if (r.index >= 0 && r.index < WETTBEWERB_ANZAHL) t[r.index].super_alias = nummer;
        r.aufgeloest = true;
    }
}

void auffuellen_lesen() {
    Wettbewerb* t = tab();
    // 2. Number lists, once.
    for (auto& r : L()[3]) {  // AUFFUELL_MIT_TEAMS
        Wettbewerb& w = t[r.index];
        if (w.auffuell_anzahl >= 32) {
            zu_viele("AUFFUELL_MIT_TEAMS", r.zeile);
            continue;
        }
        r.aufgeloest = true;
        if (r.abgewiesen) continue;
        i16* zeile = w.auffuellen[w.auffuell_anzahl];
        zeile[0] = zeile[1] = zeile[2] = 0;
        const std::vector<i32>& v = r.werte;
        if (v.size() > 3) zu_viele("AUFFUELL_MIT_TEAMS", r.zeile);
        for (size_t i = 0; i < v.size() && i < 3; ++i) zeile[i] = static_cast<i16>(v[i]);
        ++w.auffuell_anzahl;
        r.aufgeloest = true;
    }
}

void startteilnehmer_lesen() {
    Wettbewerb* t = tab();
    for (auto& r : L()[6]) {  // STARTTEILNEHMER
        Wettbewerb& w = t[r.index];
        const std::vector<i32>& v = r.werte;
        const int max = std::min(w.teams, WETTBEWERB_MAX_TEAMS);
        if (static_cast<int>(v.size()) > max) zu_viele("STARTTEILNEHMER", r.zeile);
        for (int p = 0; p < static_cast<int>(v.size()) && p < max; ++p) {
            w.start_team[p] = static_cast<i16>(v[p]);
            w.teilnehmer[p] = static_cast<i16>(v[p]);
            w.slot_worte[p] = -1;
            w.startteam_anzahl = std::max(w.startteam_anzahl, p + 1);
        }
        r.aufgeloest = true;
    }
}

void paarungen_lesen() {
    Wettbewerb* t = tab();
    for (auto& r : L()[8]) {  // WER_GEGEN_WEN
        Wettbewerb& w = t[r.index];
        for (i32 x : r.werte) {
            if (w.paarungs_anzahl >= WETTBEWERB_PAARUNGS_BYTES) {
                zu_viele("WER_GEGEN_WEN", r.zeile);
                break;
            }
            w.paarungen[w.paarungs_anzahl++] = static_cast<u8>(x);
        }
        r.aufgeloest = true;
    }
}

void quali_laender_lesen() {
    Wettbewerb* t = tab();
    for (auto& r : L()[10]) {  // QUALI_LAND
        Wettbewerb& w = t[r.index];
        if (w.quali_land_anzahl >= 64) {
            char m[160];
            std::snprintf(m, sizeof m, "[%d] Warning in wettbewerb.cfg:\n - (202) Zu viele Quali_Laender (max.%d)",
                          r.zeile, 64);
            melden(m);
            continue;
        }
        r.aufgeloest = true;
        if (r.abgewiesen) continue;
        i16* zeile = w.quali_land[w.quali_land_anzahl];
        zeile[0] = zeile[1] = 0;
        const std::vector<i32>& v = r.werte;
        for (size_t i = 0; i < v.size() && i < 2; ++i) zeile[i] = static_cast<i16>(v[i]);
        ++w.quali_land_anzahl;
        r.aufgeloest = true;
    }
}

void verweise_aufloesen() {
    Wettbewerb* t = tab();
    // QUALI_FUER and the links, by identification.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) t[i].quali_fuer_anzahl = 0;
    for (size_t n = 0; n < L()[0].size(); ++n) {
        const std::string& ident = L()[0][n].text;
        const i32 ziel = L()[0][n].index;
        // QUALI_FUER: the k-th line of a record fills its list k.
        std::vector<int> zeilen_zaehler(WETTBEWERB_ANZAHL, 0);
        for (auto& r : L()[2]) {
            int k = zeilen_zaehler[r.index]++;
            if (k >= WETTBEWERB_QUALI_LISTEN) continue;
            std::vector<std::string> items = teilen(r.text);
            Wettbewerb& w = t[r.index];
            for (size_t p = 0; p < items.size() && p < 128; ++p)
                if (strcasecmp(items[p].c_str(), ident.c_str()) == 0) {
                    w.quali_fuer[k][p] = ziel;
                    r.aufgeloest = true;
                }
            w.quali_fuer_anzahl = std::max(w.quali_fuer_anzahl, k + 1);
        }
        for (int art : {4, 5, 7, 9}) {
            for (auto& r : L()[art]) {
                if (strcasecmp(r.text.c_str(), ident.c_str()) != 0) continue;
                Wettbewerb& w = t[r.index];
                switch (art) {
                    case 4: w.visuell_nachfolger = ziel; break;
                    case 5: w.naechste_runde = ziel; break;
                    case 7:
                        // The chain's groups share the first group as their display group.
                        w.naechste_gruppe = ziel;
                        if (w.visuell_gruppe == -1) w.visuell_gruppe = r.index;
                        t[ziel].visuell_gruppe = w.visuell_gruppe;
                        break;
                    case 9:
                        if (w.visuell_gruppe == -1) {
                            w.visuell_gruppe = r.index;
                            t[ziel].visuell_gruppe = r.index;
                        } else {
                            t[ziel].visuell_gruppe = w.visuell_gruppe;
                        }
                        break;
                }
                r.aufgeloest = true;
            }
        }
    }
}

void unaufgeloeste_melden() {
    // 3. Unresolved references go to the developer log.
    for (int art = 3; art <= 11; ++art)
        for (auto& r : L()[art])
            if (!r.aufgeloest)
                protokoll("\nWarning in wettbewerb.cfg:\n - (200) Identifizierung unbekannt (%s)\n\n",
                             r.text.c_str());
}

void spieltage_und_links() {
    Wettbewerb* t = tab();
    // 4. Matchday counts and derived links.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = t[i];
        if (!w.name[0]) continue;
        if (ist_ko(w) && (w.modus & WB_RUECKSPIELE) && w.best_of_x < 2) w.best_of_x = 2;
        i32 max;
        if (ist_ko(w)) {
            max = Spiele_KO_Runden(static_cast<u32>(std::max(w.teams, 0)));
        } else {
            max = 2 * ((w.teams + 1) / 2 * 2) - 2;
        }
        if (w.spieltage == -1) {
            w.spieltage = std::min(max, WETTBEWERB_MAX_SPIELTAGE);
        } else if (ist_ko(w) && w.spieltage > max) {
            char m[200];
            std::snprintf(m, sizeof m, "\nWarning in wettbewerb.cfg:\n - (201) Zuviele Spieltage angegeben (%s)\n\n",
                          w.name);
            melden(m);
            w.spieltage = max;
        }
        auto gueltig = [&](i32 k) { return k >= 0 && k < WETTBEWERB_ANZAHL && t[k].name[0]; };
        if (gueltig(w.visuell_nachfolger) && t[w.visuell_nachfolger].visuell_vorgaenger == -1 &&
            w.visuell_nachfolger != i)
            t[w.visuell_nachfolger].visuell_vorgaenger = i;
        if (w.visuell_gruppe != -1)
            for (int k = 0; k < WETTBEWERB_ANZAHL; ++k)
                if (t[k].name[0] && t[k].visuell_gruppe == w.visuell_gruppe && k != i && w.visuell_vorgaenger != -1)
                    t[k].visuell_vorgaenger = w.visuell_vorgaenger;
        if (gueltig(w.naechste_runde) && t[w.naechste_runde].vorherige_runde == -1 && w.naechste_runde != i)
            t[w.naechste_runde].vorherige_runde = i;
    }
}

void gruppenketten() {
    Wettbewerb* t = tab();
    // 5. and 6. Group chains: visual group, previous round, previous group.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!t[i].name[0]) continue;
        int k = t[i].naechste_gruppe, schritte = 0;
        while (k >= 0 && k < WETTBEWERB_ANZAHL && t[k].name[0] && k != i && schritte++ < WETTBEWERB_ANZAHL) {
            if (t[k].visuell_gruppe == -1) t[k].visuell_gruppe = i;
            k = t[k].naechste_gruppe;
        }
    }
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!t[i].name[0]) continue;
        int vorher = i, k = t[i].naechste_gruppe, schritte = 0;
        while (k >= 0 && k < WETTBEWERB_ANZAHL && t[k].name[0] && k != i && schritte++ < WETTBEWERB_ANZAHL) {
            t[k].vorherige_runde = t[i].vorherige_runde;
            t[k].vorherige_gruppe = vorher;
            t[k].gruppen_position = schritte;
            vorher = k;
            k = t[k].naechste_gruppe;
        }
    }
    // Every group of a chain shows in the display group of its first group.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!t[i].name[0] || t[i].vorherige_gruppe != -1 || t[i].naechste_gruppe == -1) continue;
        if (t[i].visuell_gruppe == -1) t[i].visuell_gruppe = i;
        int k = t[i].naechste_gruppe, schritte = 0;
        while (k >= 0 && k < WETTBEWERB_ANZAHL && t[k].name[0] && k != i && schritte++ < WETTBEWERB_ANZAHL) {
            t[k].visuell_gruppe = t[i].visuell_gruppe;
            k = t[k].naechste_gruppe;
        }
    }
}

void doppelte_startteams() {
    Wettbewerb* t = tab();
    // 7. A team twice in the start lists of one league system.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = t[i];
        if (!w.name[0]) continue;
        std::vector<i32> system;
        Wettbewerb_Vertikal v;
        for (i32 ebene = v.Wurzel(w.id); ebene != -1; ebene = v.Naechste()) {
            i32 ei = Wettbewerb_Get_Index(ebene);
            system.push_back(ei);
            for (int k = 0; k < WETTBEWERB_ANZAHL; ++k)
                if (k != ei && t[k].name[0] && t[ei].visuell_gruppe != -1 &&
                    t[k].visuell_gruppe == t[ei].visuell_gruppe)
                    system.push_back(k);
        }
        std::sort(system.begin(), system.end());
        system.erase(std::unique(system.begin(), system.end()), system.end());
        for (int p = 0; p < std::min(w.startteam_anzahl, WETTBEWERB_MAX_TEAMS); ++p) {
            i32 team = w.start_team[p];
            bool doppelt = false;
            for (i32 k : system) {
                const Wettbewerb& a = t[k];
                for (int q = 0; q < std::min(a.startteam_anzahl, WETTBEWERB_MAX_TEAMS) && !doppelt; ++q)
                    if (a.start_team[q] == team && !(k == i && q == p)) doppelt = true;
            }
            if (doppelt) {
                char m[120];
                std::snprintf(m, sizeof m, "Team %d doppelt in Wettbewerb %s", team, w.name);
                melden(m);
            }
        }
    }
}

void nachbearbeiten() {
    super_aliase();
    auffuellen_lesen();
    startteilnehmer_lesen();
    paarungen_lesen();
    quali_laender_lesen();
    verweise_aufloesen();
    unaufgeloeste_melden();
    spieltage_und_links();
    gruppenketten();
    doppelte_startteams();
}

// Keys whose value is one number held to its bounds.
struct Zahl_Schluessel {
    int schluessel;
    i32 min, max;
    void (*setzen)(Wettbewerb& w, i32 v);
};
#define FELD(K, MIN, MAX, F)                                                           \
    {                                                                                  \
        K, MIN, MAX, [](Wettbewerb& w, i32 v) { w.F = static_cast<decltype(w.F)>(v); } \
    }
const Zahl_Schluessel ZAHLEN[] = {
    FELD(K_QUOTE, 10, 100, quote_wochentag),
    FELD(K_STARTWOCHE, 0, 51, startwoche),
    FELD(K_ENDWOCHE, 0, 51, endwoche),
    FELD(K_FREI_START, 0, 51, spielfrei_start),
    FELD(K_FREI_ENDE, 0, 51, spielfrei_ende),
    FELD(K_SPIELTAGE, 0, WETTBEWERB_MAX_SPIELTAGE, spieltage),
    FELD(K_PARALLEL, 1, 20, parallel_gruppen),
    FELD(K_HZ_LAENGE, 1, 255, halbzeit_laenge),
    FELD(K_HZ_LAENGE_VERL, 1, 255, halbzeit_laenge_verl),
    FELD(K_HZ, 1, 255, halbzeiten),
    FELD(K_HZ_VERL, 1, 255, halbzeiten_verl),
    FELD(K_GOLDEN_GOAL, 0, 1, golden_goal),
    FELD(K_ALLE_X, 1, 255, alle_x_jahre),
    FELD(K_STARTJAHR, 0, 255, startjahr),
    FELD(K_LAND, 0, 65535, land),
    FELD(K_BASISLIGA, 0, 1, basisliga),
    FELD(K_MEHRMALS, 0, 1, mehrmals_pro_jahr),
    FELD(K_QUALI_MISCHEN, 0, 1, quali_mischen),
    FELD(K_GRAFIK, 0, 268435455, grafik_nummer),
    FELD(K_AUDIO, 0, 268435455, audio_nummer),
    FELD(K_AMATEUR, 0, 1, amateur_liga),
    FELD(K_QUALI_SAISONSTART, 0, 1, quali_saisonstart),
    FELD(K_AUSRICHTER, -1, 999, ausrichter),
    FELD(K_AUSRICHTER_STADION, -1, 100000, ausrichter_stadion),
    FELD(K_WICHTIG, 0, 100, wichtig),
    FELD(K_ZWEI_WOCHEN, 0, 1, rueckspiel_zwei_wochen),
    FELD(K_ERSTE_GELB, 1, 255, erste_gelbsperre),
    FELD(K_INTERVALL_GELB, 1, 255, intervall_gelbsperre),
    FELD(K_KALENDER_POS, 0, 500, kalender_position),
    FELD(K_SIEG_PRAEMIE, 0, 5000000, sieg_praemie),
    FELD(K_UNENTSCHIEDEN_PRAEMIE, 0, 5000000, unentschieden_praemie),
    FELD(K_QUALIWOCHE, 0, 51, qualiwoche),
    FELD(K_ANTRITTS_PRAEMIE, 0, 5000000, antritts_praemie),
};
#undef FELD

// Keys whose value is resolved after the whole file is read: the list it
// goes to and the text length kept. A start list and a qualification list
// name up to 128 teams or competitions, by alias too: their lines are kept
// whole.
struct Verweis_Schluessel {
    int schluessel, liste;
    size_t laenge;
};
constexpr size_t LANGE_LISTE = 4096;
const Verweis_Schluessel VERWEISE[] = {
    {K_SUPER_ART, 1, 15},       {K_AUFFUELLEN, 3, 360},    {K_VIS_NACHFOLGER, 4, 360},
    {K_NACHFOLGERUNDE, 5, 360}, {K_START, 6, LANGE_LISTE}, {K_PARALLELGRUPPE, 7, 360},
    {K_WER_GEGEN_WEN, 8, 360},  {K_VIS_PARALLEL, 9, 360},  {K_QUALI_LAND, 10, 360},
};

// The reader's state over one file.
struct Lesen {
    int set, alias_set;
    bool ist_datei;
    int index = 0;
    i32 id_zaehler = WETTBEWERB_ERSTE_ID;
    bool ident_fehlt = true;
    bool erster_neu = true;
    int rundentext = 0;
    bool abbruch = false;
    bool neu_gelesen = false;  // a record without identification: the file was read again from the cache set
};

void syntaxfehler(i32 zeile, int nummer, const char* text, const std::string& wert) {
    char m[200];
    std::snprintf(m, sizeof m, "[%d] Syntax-Error in wettbewerb.cfg:\n - (%d) %s (%.80s)\n\n", zeile, nummer, text,
                  wert.c_str());
    melden(m);
}

void fehlende_identifikation(i32 zeile) {
    char m[200];
    std::snprintf(m, sizeof m,
                  "[%d] Syntax-Error in wettbewerb.cfg:\n - (102) Identifikation fue Wettbewerb fehlt \n\n", zeile);
    melden(m);
}

// The key number of a key text (German or English), -1 when unknown.
int schluessel_finden(const char* key) {
    for (int i = 0; i < WETTBEWERB_CONFIG_SCHLUESSEL; ++i)
        if (strcasecmp(key, DEUTSCH[i]) == 0) return i;
    for (int i = 0; i < WETTBEWERB_CONFIG_SCHLUESSEL; ++i)
        if (strcasecmp(key, ENGLISCH[i]) == 0) return i;
    return -1;
}

// NEUER_WETTBEWERB: the next record (it starts as a copy of the name).
void neuer_wettbewerb(Lesen& l, i32 zeile) {
    Wettbewerb* t = tab();
    if (l.erster_neu) {
        l.erster_neu = false;
        return;
    }
    if (l.ident_fehlt) {
        fehlende_identifikation(zeile);
        if (vorab_ziel) {  // the game reads the file again and reports it
            l.abbruch = true;
            return;
        }
        if (letzter_set >= 0 && l.ist_datei) {
            int zurueck = letzter_set;
            letzter_set = -1;
            Read_Config_Close();
            Wettbewerb_Config_Eintrag_Lesen(zurueck, l.alias_set);
            l.neu_gelesen = true;
            l.abbruch = true;
            return;
        }
        Meldung_Printf("Schwerer Syntaxfehler in wettbewerb.cfg !!!\n");
        Tools_Programm_Beenden("wettbewerb.cfg", 0);
        l.abbruch = true;
        return;
    }
    ++l.index;
    if (l.index == WETTBEWERB_ANZAHL - 1) {
        l.index = WETTBEWERB_ANZAHL - 2;
        melden("Zu viele Wettbewerbe...\rWettbewerbe werden teilweise ignoriert.\n");
        l.abbruch = true;
        return;
    }
    satz_zuruecksetzen(t[l.index]);
    std::memcpy(t[l.index].name, t[l.index - 1].name, sizeof t[l.index].name);
    l.ident_fehlt = true;
    l.rundentext = 0;
}

// The keys whose value is a name the running game holds: a weekday, a
// continent.
void namen_anwenden(Wettbewerb& w, int k, const std::string& wert) {
    if (k == K_WOCHENTAG) {
        for (int d = 0; d < 7; ++d)
            if (strcasecmp(trimmen(wert).c_str(), Kalender_Get_Wochentag_Text(d)) == 0) w.wochentag = d;
        return;
    }
    w.kontinent = 0;
    for (int c = 0; c < KONTINENT_ANZAHL; ++c) {
        const char* n = Kontinent_Tabelle[c].name;
        if (n[0] && strcasecmp(n, trimmen(wert).c_str()) == 0) {
            w.kontinent = static_cast<u8>(c);
            break;
        }
    }
}

// The keys that are neither a plain number nor a reference.
void schluessel_anwenden(Lesen& l, int k, Wettbewerb& w, const std::string& wert, i32 zeile) {
    switch (k) {
        case K_IDENT:
            if (l.ident_fehlt) {
                referenz(0, wert.c_str(), l.index, 15);
                w.id = l.id_zaehler++;
                Tools_Strncpy(w.identifikation, wert.c_str(), 10);
                l.ident_fehlt = false;
            }
            break;
        case K_WOCHENTAG:
        case K_KONTINENT:
            if (vorab_ziel) vorab_ziel->spaeter.push_back({l.index, k, wert});
            else namen_anwenden(w, k, wert);
            break;
        case K_TEAMS: {
            i32 n = clamp(Read_Config_Get_Wert(), 2, 255);
            // The per-team lists of the record hold 128 teams.
            if (n > WETTBEWERB_MAX_TEAMS) {
                zu_viele("TEAMS", zeile);
                n = WETTBEWERB_MAX_TEAMS;
            }
            w.teams = w.aktuelle_teams = n;
            protokoll("Teamanzahl auf %d gesetzt.\n", n);
            break;
        }
        case K_WEITERKOMM: {
            i32 v = clamp(Read_Config_Get_Wert(), 0, 255);
            auto frei = std::find(std::begin(w.weiterkommen), std::end(w.weiterkommen), -1);
            if (frei == std::end(w.weiterkommen)) zu_viele("WEITERKOMM_ANZ", zeile);
            else *frei = v;
            break;
        }
        case K_QUALI_FUER: {
            int schon = 0;
            for (auto& r : L()[2])
                if (r.index == l.index) ++schon;
            if (schon >= WETTBEWERB_QUALI_LISTEN) zu_viele("QUALI_FUER", zeile);
            else referenz(2, wert.c_str(), l.index, LANGE_LISTE);
            break;
        }
        case K_SIEGER: {
            i32 v = clamp(Read_Config_Get_Wert(), 0, 65535);
            w.sieger = v;
            if (w.startteam_anzahl < WETTBEWERB_MAX_TEAMS) w.teilnehmer[w.startteam_anzahl++] = static_cast<i16>(v);
            break;
        }
        case K_MODUS: {
            int m = Wettbewerb_Modus_Schluessel(trimmen(wert).c_str());
            if (m < 0) {
                syntaxfehler(zeile, 100, "Unbekannter Modus", wert);
            } else {
                w.modus |= Wettbewerb_Modus_Bits(m);
                protokoll("     -> %s AKTIVIERT!", Wettbewerb_Modus_Name(m, false));
            }
            break;
        }
        case K_NAME: Tools_Strncpy(w.name, wert.c_str(), 24); break;
        case K_NEU: neuer_wettbewerb(l, zeile); break;
        case K_BEST_OF: w.best_of_x = clamp(Read_Config_Get_Wert(), w.best_of_x, 20); break;
        case K_RUNDENTEXT: {
            // "NIX": a matchday without round text, so that the next text
            // keeps its matchday.
            const bool nix = strcasecmp(trimmen(wert).c_str(), "NIX") == 0;
            int r = nix ? -1 : Wettbewerb_Rundenname_Index(trimmen(wert).c_str());
            if (r < 0 && !nix) syntaxfehler(zeile, 100, "Unbekannter Modus", wert);
            else if (l.rundentext >= WETTBEWERB_MAX_SPIELTAGE) zu_viele("RUNDENTEXT", zeile);
            else w.rundentext[l.rundentext++] = r;
            break;
        }
        case K_GRUPPEN_NAME: Tools_Strncpy(w.gruppen_name, wert.c_str(), 19); break;
        case K_POKAL_PRAEMIE:
            if (Read_Config_Get_Wert() == 1) w.pokal_praemie = 1;
            break;
        case K_VERSION:
            if (Read_Config_Get_Wert() > WETTBEWERB_CONFIG_VERSION) {
                char m[200];
                std::snprintf(
                    m, sizeof m,
                    "Warning in wettbewerb.cfg:\n - (204) Wettbewerb-Konfiguration neuer als Programmversion (%d)\n\n",
                    zeile);
                melden(m);
            }
            break;
        case K_QUALI_LIGABAUM: {
            i32 v = clamp(Read_Config_Get_Wert(), 0, 255);
            if (v) w.quali_aus_ligabaum = static_cast<u8>(v);
            break;
        }
        default: break;  // WECHSEL_IN is read and ignored
    }
}

// One key line of the file.
void zeile_lesen(Lesen& l, const char* key) {
    const int k = schluessel_finden(key);
    const i32 zeile = Read_Config_Get_Zeile();
    if (k < 0) {
        if (strcasecmp(key, "INFOTEXT") != 0) syntaxfehler(zeile, 101, "Unbekannter Befehl", key);
        return;
    }
    Wettbewerb& w = tab()[l.index];
    const std::string wert = Read_Config_Get_String();
    for (const Zahl_Schluessel& z : ZAHLEN)
        if (z.schluessel == k) {
            z.setzen(w, clamp(Read_Config_Get_Wert(), z.min, z.max));
            return;
        }
    for (const Verweis_Schluessel& v : VERWEISE)
        if (v.schluessel == k) {
            referenz(v.liste, wert.c_str(), l.index, v.laenge);
            return;
        }
    schluessel_anwenden(l, k, w, wert, zeile);
}

// The last record is checked too: without an identification it is dropped,
// so that no record without id stays in the table.
void letzten_pruefen(const Lesen& l) {
    Wettbewerb* t = tab();
    if (l.abbruch || !l.ident_fehlt || !t[l.index].name[0]) return;
    fehlende_identifikation(Read_Config_Get_Zeile());
    satz_zuruecksetzen(t[l.index]);
    std::memset(t[l.index].name, 0, sizeof t[l.index].name);
    for (int art = 0; art < LISTEN; ++art)
        L()[art].erase(std::remove_if(L()[art].begin(), L()[art].end(),
                                         [&](const Wettbewerb_Referenz& r) { return r.index == l.index; }),
                          L()[art].end());
}

// After the file: the checksum, the qualification week.
void abschliessen() {
    u32 summe = 0;
    const bool summe_ok = Read_Config_Checksumme_Ok(&summe);
    if (!summe_ok && vorab_ziel) vorab_ziel->gemeldet = true;
    else if (!summe_ok)
        Meldung_Manager_Printf(1, -1,
                               "Die Wettbewerb-Konfigurationsdatei entspricht nicht dem Urzustand. Dies kann einen "
                               "fehlerhaften Programmablauf verursachen.^lUm diese Warnung abzuschalten, tragen Sie "
                               "bitte die Checksumme '%u' ein.",
                               summe);
    Read_Config_Close();
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = tab()[i];
        if (w.name[0] && w.qualiwoche > w.startwoche) {
            char m[240];
            std::snprintf(m, sizeof m,
                          "Warning in wettbewerb.cfg:\n\r - (203) Im Wettbewerb %s ist die Variable Qualiwoche(%d) "
                          "kleiner als die Startwoche(%d).",
                          w.name, w.qualiwoche, w.startwoche);
            melden(m);
            w.qualiwoche = w.startwoche;
        }
    }
}

// Reads the open level into the table. `set` is the set of the file (-1 for
// a path or a text). Returns false on a fatal error.
bool lesen(int set, int alias_set, bool ist_datei) {
    for (int i = 0; i < LISTEN; ++i) L()[i].clear();
    // A reading ahead fills a table of its own, made empty.
    if (!vorab_ziel) {
        Wettbewerb_Dummy_Anzahl = 0;
        Wettbewerb_Reset(-1);
    }
    Lesen l{set, alias_set, ist_datei};
    for (;;) {
        const char* s = Read_Config_Next(nullptr, 0);
        if (!s || !*s) break;
        zeile_lesen(l, std::string(s).c_str());
        if (l.neu_gelesen) return false;
        if (l.abbruch) break;
    }
    letzten_pruefen(l);
    if (l.abbruch && l.ident_fehlt && (vorab_ziel || Quit_Status != QUIT_STATUS_LAEUFT)) return false;
    nachbearbeiten();
    abschliessen();
    protokoll("WETTBEWERBCONFIG AUSGELESEN !\n");
    return true;
}

}  // namespace

const char* Wettbewerb_Config_Schluessel(int index, bool englisch) {
    if (index < 0 || index >= WETTBEWERB_CONFIG_SCHLUESSEL) return nullptr;
    return englisch ? ENGLISCH[index] : DEUTSCH[index];
}

int Wettbewerb_Config_Letzter_Set() { return letzter_set; }
void Wettbewerb_Config_Letzter_Set_Vergessen() { letzter_set = -1; }
bool Wettbewerb_Config_Cache_Geschrieben() {
    // The cache's disk part runs on the writer: its answer counts.
    return cache_geschrieben && Spielstand_Config_Warten();
}

const std::vector<Wettbewerb_Referenz>& Wettbewerb_Config_Liste(int art) {
    static const std::vector<Wettbewerb_Referenz> leer;
    return art >= 0 && art < LISTEN ? listen[art] : leer;
}

void Wettbewerb_Config_Listen_Freigeben() {
    for (auto& l : listen) l.clear();
}

Wettbewerb_Config_Listen Wettbewerb_Config_Listen_Nehmen() {
    Wettbewerb_Config_Listen aus;
    for (int i = 0; i < LISTEN; ++i) aus[static_cast<size_t>(i)] = std::move(listen[i]), listen[i].clear();
    return aus;
}

void Wettbewerb_Config_Listen_Setzen(Wettbewerb_Config_Listen ein) {
    for (int i = 0; i < LISTEN; ++i) listen[i] = std::move(ein[static_cast<size_t>(i)]);
}

namespace {
// Reads the level just opened (no set, no fallback) and closes it.
bool geoeffnet_lesen() {
    const int ebenen = Read_Config_Ebenen();
    bool ok = lesen(-1, -1, false);
    while (Read_Config_Ebenen() >= ebenen) Read_Config_Close();
    return ok;
}

// The set's file and its alias file as the settings name them now (the
// alias file of a negative set: none).
void vorab_pfade(int set, int alias_set, Vorab* v) {
    v->set = set;
    v->alias_set = alias_set;
    const char* p = Read_Config_Get_Filenamen(CONFIG_WETTBEWERB, set, 0);
    v->pfad = p ? p : "";
    const char* a = alias_set >= 0 ? Read_Config_Get_Filenamen(CONFIG_WETTBEWERB, alias_set, 1) : nullptr;
    v->alias_pfad = a ? a : "";
}

// The worker's reading: the table and lists as the game's reading fills
// them, on the worker's own open files.
void vorab_lesen(Vorab* v) {
    v->staende[0] = dateistand(v->pfad);
    v->staende[1] = dateistand(v->alias_pfad);
    // Without its alias file the game's reading would log that: it reads itself.
    if (v->pfad.empty() || (!v->alias_pfad.empty() && v->staende[1] == Datei_Stand{})) return;
    Wettbewerb leer = Wettbewerb_Standard();
    std::memset(leer.name, 0, sizeof leer.name);
    v->tabelle.assign(WETTBEWERB_ANZAHL, leer);
    Read_Config_Still(true);
    if (Read_Config_Open_Pfad(v->pfad.c_str(), v->alias_pfad.empty() ? nullptr : v->alias_pfad.c_str())) {
        vorab_ziel = v;
        const int ebenen = Read_Config_Ebenen();
        v->ok = lesen(v->set, v->alias_set, true);
        while (Read_Config_Ebenen() >= ebenen) Read_Config_Close();
        vorab_ziel = nullptr;
    }
    if (Read_Config_Still_Meldungen() > 0) v->gemeldet = true;
    Read_Config_Still(false);
}

// The worker's answer.
std::future<std::unique_ptr<Vorab>>& vorab_arbeit() { return Nebenher_Antwort<std::unique_ptr<Vorab>>(); }

// Takes over the reading ahead of the set when it read the files the
// settings name now, unchanged since, without a message; the worker is
// waited for when it is still at it. False: the game reads the file itself.
bool vorab_nehmen(int set, int alias_set) {
    if (!vorab_arbeit().valid()) return false;
    const std::unique_ptr<Vorab> v = vorab_arbeit().get();
    if (!v || !v->ok || v->gemeldet || Read_Config_Ebenen() != 0) return false;
    Vorab jetzt;
    vorab_pfade(set, alias_set, &jetzt);
    if (jetzt.set != v->set || jetzt.alias_set != v->alias_set || jetzt.pfad != v->pfad ||
        jetzt.alias_pfad != v->alias_pfad || dateistand(v->pfad) != v->staende[0] ||
        dateistand(v->alias_pfad) != v->staende[1])
        return false;
    Wettbewerb_Dummy_Anzahl = 0;
    Wettbewerb_Reset(-1);
    std::copy(v->tabelle.begin(), v->tabelle.end(), Wettbewerb_Tabelle);
    for (int i = 0; i < LISTEN; ++i) listen[i] = std::move(v->listen[i]);
    for (const Vorab::Spaeter& s : v->spaeter) namen_anwenden(Wettbewerb_Tabelle[s.index], s.schluessel, s.wert);
    for (const std::string& zeile : v->protokoll) Debug_Printf("%s", zeile.c_str());
    return true;
}
}  // namespace

bool Wettbewerb_Config_Vorab_Lesen(int set, int alias_set) {
    if (vorab_arbeit().valid()) vorab_arbeit().get();  // an earlier one ends first
    auto v = std::make_unique<Vorab>();
    vorab_pfade(set, alias_set, v.get());
    vorab_arbeit() = std::async(std::launch::async, [v = std::move(v)]() mutable {
        vorab_lesen(v.get());
        return std::move(v);
    });
    return true;
}

bool Wettbewerb_Config_Vorab_Genommen() { return vorab_genommen; }

bool Wettbewerb_Config_Eintrag_Lesen(int set, int alias_set) {
    cache_geschrieben = vorab_genommen = false;
    if (ruf::Client() || !Wettbewerb_Modul_Bereit()) return false;
    vorab_genommen = vorab_nehmen(set, alias_set);
    if (!vorab_genommen) {
        if (!Read_Config_Open(CONFIG_WETTBEWERB, set, alias_set)) {
            Meldung_Printf("WCONFIG!\n");
            Tools_Programm_Beenden("WCONFIG!", 0);
            return false;
        }
        const int ebenen = Read_Config_Ebenen();
        if (!lesen(set, alias_set, true)) {
            while (Read_Config_Ebenen() >= ebenen) Read_Config_Close();
            return letzter_set >= 0;
        }
    }
    letzter_set = set;
    // The cache of the set that was read.
    Wettbewerb_Config_Bin_Set(set);
    cache_geschrieben = Spielstand_Config_Speichern_Hintergrund(set, "wettbewerb.cfg");
    return true;
}

bool Wettbewerb_Config_Lesen_Pfad(const char* pfad, const char* alias_pfad) {
    if (ruf::Client() || !Wettbewerb_Modul_Bereit()) return false;
    if (!Read_Config_Open_Pfad(pfad, alias_pfad)) {
        Meldung_Printf("WCONFIG!\n");
        return false;
    }
    return geoeffnet_lesen();
}

bool Wettbewerb_Config_Lesen_Text(const char* text, u32 laenge) {
    if (ruf::Client() || !Wettbewerb_Modul_Bereit()) return false;
    return Read_Config_Open_Mem(text, laenge, CONFIG_WETTBEWERB, -1, -1) && geoeffnet_lesen();
}

int Wettbewerb_Spielplaene_Erstellen() {
    if (!Wettbewerb_Modul_Bereit()) return 0;
    int n = 0;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || w.id == Wettbewerb_Freundschaft_Id) continue;
        if (!ist_ko(w)) {
            // A league without a pairing order gets one (a received or
            // cached table keeps its own: no real pair is a team against itself).
            if (w.paarungen[0] == w.paarungen[1]) Wettbewerb_Spielplan_Mischen(w);
            if (w.teams > PAARUNGEN_MAX_LIGA) {
                Meldung_Printf(
                    "Schwerer Fehler!^lWettbewerb %s kann nicht gestartet werden, Spielplan nicht "
                    "vorhanden.^lDas Programm wird beendet.",
                    w.name);
                Tools_Programm_Beenden("Spielplan", 0);
                continue;
            }
        }
        if (Spiele_Get_Kopf(w.spielplan) == nullptr && w.spieltage != 0 && w.spieltage != -1) {
            w.spielplan = Spiele_Neuer_Spielplan(ist_ko(w) ? 0 : 1, static_cast<u32>(w.teams), w.spieltage, w.best_of_x,
                                                 static_cast<u8>(w.id), -1);
            if (w.spielplan >= 0) ++n;
        }
    }
    return n;
}
