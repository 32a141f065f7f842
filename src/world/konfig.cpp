// team.cfg and spieler.cfg: loaders and the data editor's writers.
#include "world/markt.h"
#include "world/konfig.h"

#include <strings.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <future>
#include <memory>
#include <vector>

#include "base/config.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/nebenher.h"
#include "base/ruf.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/konfig_lesen.h"
#include "world/konfig_schluessel.h"
#include "world/spieler.h"
#include "world/trikot.h"
#include "world/welt.h"

i32 Welt_Config_Set = 0;

namespace welt_konfig {

int finden(const char* key, const Schluessel* tabelle, int anzahl) {
    for (int i = 0; i < anzahl; i++) {
        if (strcasecmp(key, tabelle[i].deutsch) == 0 || strcasecmp(key, tabelle[i].englisch) == 0) return i;
    }
    return -1;
}

int finden_gemeldet(const char* key, const Schluessel* tabelle, int anzahl, bool* fehler) {
    int i = finden(key, tabelle, anzahl);
    if (i < 0) {
        Read_Config_Melden(WELT_F_BEFEHL, "Unbekannter Befehl (%s)", key);
        *fehler = true;
    }
    return i;
}

static bool zahl_text(const char* key, const char* s, i64 min, i64 max, i64* aus) {
    i64 v = 0;
    if (s[0] == '#') {
        i32 id;
        if (!Read_Config_Get_Alias_Id(s + 1, &id)) {
            Read_Config_Melden(WELT_F_ALIAS, "Unbekannter Alias (%s)", s);
            return false;
        }
        v = id;
    } else if (strcasecmp(s, "JA") == 0 || strcasecmp(s, "YES") == 0) {
        v = 1;
    } else if (strcasecmp(s, "NEIN") == 0 || strcasecmp(s, "NO") == 0) {
        v = 0;
    } else {
        char* ende = nullptr;
        errno = 0;
        v = std::strtoll(s, &ende, 10);
        if (ende == s || *ende != 0 || errno == ERANGE) {
            Read_Config_Melden(WELT_F_GRENZE, "Keine Zahl (%s %s)", key, s);
            return false;
        }
    }
    if (v < min || v > max) {
        Read_Config_Melden(WELT_F_GRENZE, "Wert ausserhalb der Grenzen (%s %lld, erlaubt %lld..%lld)", key,
                           static_cast<long long>(v), static_cast<long long>(min), static_cast<long long>(max));
        return false;
    }
    *aus = v;
    return true;
}

bool zahl(const char* key, i64 min, i64 max, i64* aus) {
    return zahl_text(key, Read_Config_Get_String(), min, max, aus);
}

bool liste(const char* key, i64 min, i64 max, int anzahl, std::vector<i64>* aus, int max_anzahl) {
    aus->clear();
    std::string s = Read_Config_Get_String();
    size_t pos = 0;
    while (true) {
        size_t k = s.find(',', pos);
        std::string item = s.substr(pos, k == std::string::npos ? std::string::npos : k - pos);
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.pop_back();
        size_t a = item.find_first_not_of(" \t");
        item = a == std::string::npos ? std::string() : item.substr(a);
        i64 v;
        if (!zahl_text(key, item.c_str(), min, max, &v)) return false;
        aus->push_back(v);
        if (static_cast<int>(aus->size()) > (anzahl ? anzahl : max_anzahl)) break;
        if (k == std::string::npos) break;
        pos = k + 1;
    }
    if ((anzahl && static_cast<int>(aus->size()) != anzahl) || static_cast<int>(aus->size()) > max_anzahl) {
        Read_Config_Melden(WELT_F_GRENZE, "Falsche Anzahl von Werten (%s: %d)", key, static_cast<int>(aus->size()));
        return false;
    }
    return true;
}

void text(const char* key, char* ziel, size_t n) {
    const char* s = Read_Config_Get_String();
    if (std::strlen(s) >= n) Read_Config_Melden(201, "Text zu lang, gekürzt (%s)", key);
    std::strncpy(ziel, s, n - 1);
    ziel[n - 1] = 0;
}

}  // namespace welt_konfig

using namespace welt_konfig;

namespace {

// ---------------------------------------------------------------------------
// Pending teams: read by Team, taken over by Spieler.

struct Team_Puffer {
    std::vector<Team_Struktur> t;
    std::vector<Team_Fix> f;
    std::vector<Team_Own> o;
    std::vector<std::string> alias;
    std::vector<u8> ebene;
    bool gueltig = false;
};
Team_Puffer neu_teams;

// Alias names of the loaded world's teams.
std::vector<std::string> team_alias;
std::vector<u8> team_ebene;

void team_vorgabe(Team_Struktur* t, Team_Fix* f, Team_Own* o) {
    std::memset(t, 0, sizeof *t);
    std::memset(f, 0, sizeof *f);
    std::memset(o, 0, sizeof *o);
    t->liga = -1;
    t->scout = -1;
    t->scout_spieler = -1;
    t->art = TEAM_ART_VEREIN;
    t->trikot[0] = 0;
    t->trikot[1] = 5;
    t->trikot[2] = 10;
    for (int i = 0; i < 11; i++) o->transferfenster[i] = -1;
    for (int n = 0; n < FORMATIONEN_PRO_TEAM; n++) o->formationen[n] = Formation_Standard(n);
}

// Highest values of the team file's keys.
constexpr int EBENE_MAX = 9;
constexpr int WAPPEN_MAX = 1000;
constexpr int PLAETZE_MAX = 200000;

// The team file being read: the teams so far and what the checks at its end need.
struct Team_Lesen {
    Team_Puffer* p;
    bool farben_gesetzt = false;
    bool fehler = false;
    int erwartet = -1;  // TEAMS
    int markt = 0;      // teams of the kind TRANSFERMARKT
};

// The team read last gets the colours of its kits unless it gave its own.
void team_abschliessen(Team_Lesen& r) {
    if (r.p->t.empty() || r.farben_gesetzt) return;
    for (int s = 0; s < 3; s++) Trikot_Farben_Setzen(r.p->f.back().farben, s, r.p->t.back().trikot[s]);
}

// NEUES_TEAM: a team with the defaults and its alias name. False when the
// file holds too many.
bool team_anfangen(Team_Lesen& r) {
    team_abschliessen(r);
    Team_Puffer* p = r.p;
    if (static_cast<int>(p->t.size()) >= MAX_TEAMS) {
        Read_Config_Melden(WELT_F_STRUKTUR, "Zu viele Teams");
        return false;
    }
    p->t.emplace_back();
    p->f.emplace_back();
    p->o.emplace_back();
    p->ebene.push_back(0);
    team_vorgabe(&p->t.back(), &p->f.back(), &p->o.back());
    const char* a = Read_Config_Get_Alias_Name(static_cast<i32>(p->t.size()) - 1);
    p->alias.push_back(a ? a : "");
    r.farben_gesetzt = false;
    return true;
}

// ART: club, country team or the transfer market.
bool team_art(Team_Lesen& r, Team_Struktur& t) {
    const char* s = Read_Config_Get_String();
    int art = -1;
    for (int i = 0; i < ART_ANZAHL; i++)
        if (strcasecmp(s, TEAM_ART_WERTE[i].deutsch) == 0 || strcasecmp(s, TEAM_ART_WERTE[i].englisch) == 0) art = i;
    if (art < 0) {
        Read_Config_Melden(WELT_F_GRENZE, "Unbekannte Art (%s)", s);
        return false;
    }
    if (art == 0) {
        t.art = TEAM_ART_VEREIN | TEAM_ART_RANGLISTE | TEAM_ART_NEUTRAL_OK;
        t.status &= ~TEAM_STATUS_LAND;
    } else if (art == 1) {
        t.art = TEAM_ART_NATIONALTEAM | TEAM_ART_NEUTRAL_OK;
        t.status |= TEAM_STATUS_LAND;
    } else {
        t.art = TEAM_ART_TRANSFERMARKT;
        t.status &= ~TEAM_STATUS_LAND;
        r.markt++;
    }
    return true;
}

bool team_taktik(const char* k, Team_Own& o) {
    std::vector<i64> l;
    if (!liste(k, 0, 9, TAKTIK_WERTE, &l)) return false;
    for (int i = 0; i < TAKTIK_WERTE; i++) {
        const i64 v = l[static_cast<size_t>(i)];
        if (v > TAKTIK_GRENZE[i]) {
            Read_Config_Melden(WELT_F_GRENZE, "Wert ausserhalb der Grenzen (TAKTIK %d: %lld, erlaubt 0..%d)", i,
                               static_cast<long long>(v), TAKTIK_GRENZE[i]);
            return false;
        }
        o.taktik[i] = static_cast<u8>(v);
    }
    return true;
}

// One key of the current team.
bool team_schluessel(Team_Lesen& r, int key, const char* k) {
    Team_Puffer* p = r.p;
    Team_Struktur& t = p->t.back();
    Team_Fix& f = p->f.back();
    Team_Own& o = p->o.back();
    switch (key) {
        case T_NUMMER: {
            i64 v;
            if (!zahl(k, 0, MAX_TEAMS - 1, &v)) return false;
            if (v != static_cast<i64>(p->t.size()) - 1) {
                Read_Config_Melden(WELT_F_STRUKTUR, "Falsche Teamnummer (%lld statt %d)", static_cast<long long>(v),
                                   static_cast<int>(p->t.size()) - 1);
                return false;
            }
            return true;
        }
        case T_NAME: text(k, f.name, sizeof f.name); return true;
        case T_KURZNAME: text(k, f.kurzname, sizeof f.kurzname); return true;
        case T_STADIONNAME: text(k, f.stadion, sizeof f.stadion); return true;
        case T_STADT: text(k, f.stadt, sizeof f.stadt); return true;
        case T_ART: return team_art(r, t);
        case T_LAND: return zahl_in(k, 0, MAX_TEAMS - 1, &t.nation);
        case T_KONTINENT: return zahl_in(k, 0, KONTINENT_ANZAHL - 1, &t.kontinent);
        case T_EBENE: return zahl_in(k, 0, EBENE_MAX, &p->ebene.back());
        case T_WAPPEN: return zahl_in(k, 0, WAPPEN_MAX, &t.wappen);
        case T_TRIKOT: return liste_in(k, 0, TRIKOT_ANZAHL - 1, 3, t.trikot);
        case T_FARBEN:
            if (!liste_in(k, 0, 255, 36, f.farben)) return false;
            r.farben_gesetzt = true;
            return true;
        case T_SITZ: return zahl_in(k, 0, PLAETZE_MAX, &t.sitzplaetze);
        case T_STEH: return zahl_in(k, 0, PLAETZE_MAX, &t.stehplaetze);
        case T_FORMATION: return zahl_in(k, 0, FORMATIONEN_PRO_TEAM - 1, &o.formation);
        case T_TAKTIK: return team_taktik(k, o);
    }
    return true;
}

// The checks of the whole file: team count, one transfer market, countries
// that exist.
bool teams_pruefen(const Team_Lesen& r) {
    const Team_Puffer* p = r.p;
    if (r.erwartet >= 0 && r.erwartet != static_cast<int>(p->t.size())) {
        Read_Config_Melden(WELT_F_STRUKTUR, "Falsche Teamzahl (%d statt %d)", static_cast<int>(p->t.size()),
                           r.erwartet);
        return false;
    }
    if (r.markt != 1) {
        Read_Config_Melden(WELT_F_STRUKTUR, "Kein Transfermarkt (genau ein Team der Art TRANSFERMARKT)");
        return false;
    }
    if (p->t.size() < 2) {
        Read_Config_Melden(WELT_F_STRUKTUR, "Zu wenige Teams");
        return false;
    }
    for (size_t i = 0; i < p->t.size(); i++) {
        if (p->t[i].nation >= static_cast<i16>(p->t.size())) {
            Read_Config_Melden(WELT_F_STRUKTUR, "Land von Team %d existiert nicht", static_cast<int>(i));
            return false;
        }
    }
    return true;
}

// Reads the open team file into `p`.
bool teams_lesen(Team_Puffer* p) {
    *p = Team_Puffer{};
    Team_Lesen r{p};
    for (;;) {
        const char* k = Read_Config_Next(nullptr, 0);
        if (!*k) break;
        int key = finden_gemeldet(k, TEAM_SCHLUESSEL, T_ANZAHL, &r.fehler);
        if (key < 0 || key == T_INFOTEXT || key == T_VERSION) continue;
        if (key == T_TEAMS) {
            i64 v;
            if (zahl(k, 1, MAX_TEAMS, &v)) r.erwartet = static_cast<int>(v);
            else r.fehler = true;
        } else if (key == T_NEUES_TEAM) {
            if (!team_anfangen(r)) {
                r.fehler = true;
                break;
            }
        } else if (p->t.empty()) {
            Read_Config_Melden(WELT_F_STRUKTUR, "%s vor NEUES_TEAM", k);
            r.fehler = true;
        } else if (!team_schluessel(r, key, k)) {
            r.fehler = true;
        }
    }
    team_abschliessen(r);
    if (!r.fehler && !teams_pruefen(r)) r.fehler = true;
    if (r.fehler || Read_Config_Anzahl_Fehler() > 0) return false;
    u32 summe;
    if (!Read_Config_Checksumme_Ok(&summe)) Read_Config_Melden(200, "Checksumme stimmt nicht (%u)", summe);
    p->gueltig = true;
    return true;
}

struct Spieler_Puffer {
    std::vector<Spieler_Struktur> s;
    std::vector<Spieler_Fix> f;
    std::vector<Spieler_Client_Egal> x;
};

void spieler_vorgabe(Spieler_Struktur* s, Spieler_Fix* f, Spieler_Client_Egal* x) {
    std::memset(s, 0, sizeof *s);
    std::memset(f, 0, sizeof *f);
    std::memset(x, 0, sizeof *x);
    s->team = -1;
    s->wettbewerb = -1;
    s->gedeckt_von = -1;
    s->moral = 4;
    s->slot = 19;
    s->wert74 = 1;
}

int attribut_gelernt_wert(int a) {
    int n = Attribut_Tabelle[a].noetige_punkte;
    return (n > 0 ? n : 1) + 1;
}

// A learned attribute as the reader leaves it: its value comes from the
// attribute table, which the main thread fills from the global file while a
// worker may be reading the players ahead, so it is looked up only when the
// players are taken over (spieler_uebernehmen), on the main thread.
constexpr i16 ATTRIBUT_GELERNT_OFFEN = INT16_MAX;

bool spieler_lesen(Spieler_Puffer* p, int teams) {
    bool fehler = false;
    int erwartet = -1;
    for (;;) {
        const char* k = Read_Config_Next(nullptr, 0);
        if (!*k) break;
        int key = finden_gemeldet(k, SPIELER_SCHLUESSEL, S_ANZAHL, &fehler);
        if (key < 0) continue;
        if (key == S_INFOTEXT || key == S_VERSION) continue;
        if (key == S_SPIELER) {
            i64 v;
            if (zahl(k, 0, 200000, &v)) erwartet = static_cast<int>(v);
            else fehler = true;
            continue;
        }
        if (key == S_NEUER_SPIELER) {
            if (p->s.size() >= 200000) {
                Read_Config_Melden(WELT_F_STRUKTUR, "Zu viele Spieler");
                fehler = true;
                break;
            }
            p->s.emplace_back();
            p->f.emplace_back();
            p->x.emplace_back();
            spieler_vorgabe(&p->s.back(), &p->f.back(), &p->x.back());
            continue;
        }
        if (p->s.empty()) {
            Read_Config_Melden(WELT_F_STRUKTUR, "%s vor NEUER_SPIELER", k);
            fehler = true;
            continue;
        }
        Spieler_Struktur& s = p->s.back();
        Spieler_Fix& f = p->f.back();
        Spieler_Client_Egal& x = p->x.back();
        std::vector<i64> l;
        bool ok = true;
        i64 v = 0;
        switch (key) {
            case S_TEAM: ok = zahl_in(k, 0, teams - 1, &s.team); break;
            case S_VORNAME: text(k, x.vorname, sizeof x.vorname); break;
            case S_NACHNAME: text(k, x.nachname, sizeof x.nachname); break;
            case S_NATION: ok = zahl_in(k, 0, teams - 1, &f.nation); break;
            case S_POSITION: {
                const char* t = Read_Config_Get_String();
                int pos = -1;
                for (int i = 0; i < 4; i++)
                    if (strcasecmp(t, POSITION_WERTE[i].deutsch) == 0 || strcasecmp(t, POSITION_WERTE[i].englisch) == 0)
                        pos = i;
                if (pos < 0) ok = zahl_in(k, 0, 3, &f.position);
                else f.position = static_cast<u8>(pos);
                break;
            }
            case S_NUMMER: ok = zahl_in(k, 0, 99, &s.rueckennummer); break;
            case S_STAERKE:
                ok = zahl(k, 0, 12000, &v);
                if (ok) {
                    s.staerke_fein = static_cast<u16>(v);
                    s.staerke = static_cast<u8>(v / 1000 > 12 ? 12 : v / 1000);
                }
                break;
            case S_MAXSTAERKE: ok = zahl_in(k, 0, 12, &s.max_staerke); break;
            case S_SPIELE: ok = zahl_in(k, 0, 999, &s.spiele); break;
            case S_JAHRGANG: ok = zahl_in(k, 1900, 2100, &f.geburtsjahr); break;
            case S_TALENT: ok = zahl_in(k, 0, 50, &s.wert74); break;
            case S_AUSSEHEN:
                ok = zahl(k, -2147483648LL, 4294967295LL, &v);
                if (ok) f.aussehen = static_cast<u32>(v);
                break;
            case S_HAARFARBE: ok = zahl_in(k, 0, 65535, &f.haarfarbe); break;
            case S_HAUTFARBE: ok = zahl_in(k, 0, 65535, &f.hautfarbe); break;
            case S_ATTRIBUTE:
            case S_GESPERRT:
                ok = liste(k, 0, ATTRIBUT_ANZAHL - 1, 0, &l, ATTRIBUT_ANZAHL);
                for (size_t i = 0; ok && i < l.size(); i++) {
                    int a = static_cast<int>(l[i]);
                    s.attribut[a] = key == S_ATTRIBUTE ? ATTRIBUT_GELERNT_OFFEN : static_cast<i16>(-1);
                }
                break;
            case S_SCOUT:
                ok = zahl(k, 0, 1, &v);
                if (ok && v) s.status |= SP_STATUS_SCOUT;
                if (ok && !v) s.status &= ~SP_STATUS_SCOUT;
                break;
        }
        if (!ok) fehler = true;
    }
    if (!fehler) {
        for (size_t i = 0; i < p->s.size(); i++) {
            if (p->s[i].team < 0) {
                Read_Config_Melden(WELT_F_STRUKTUR, "Spieler %d ohne TEAM", static_cast<int>(i));
                fehler = true;
                break;
            }
            if (p->s[i].max_staerke < p->s[i].staerke) p->s[i].max_staerke = p->s[i].staerke;
        }
    }
    if (!fehler && erwartet >= 0 && erwartet != static_cast<int>(p->s.size())) {
        Read_Config_Melden(WELT_F_STRUKTUR, "Falsche Spielerzahl! (%d statt %d)", static_cast<int>(p->s.size()),
                           erwartet);
        fehler = true;
    }
    if (fehler || Read_Config_Anzahl_Fehler() > 0) return false;
    u32 summe;
    if (!Read_Config_Checksumme_Ok(&summe)) Read_Config_Melden(200, "Checksumme stimmt nicht (%u)", summe);
    return true;
}

// Checks the squads of the pending world: every team 20 players, the market 1,700.
bool kader_pruefen(const Team_Puffer& t, const Spieler_Puffer& p, int* markt_aus) {
    int teams = static_cast<int>(t.t.size());
    int markt = -1;
    for (int i = 0; i < teams; i++)
        if (t.t[static_cast<size_t>(i)].art & TEAM_ART_TRANSFERMARKT) markt = i;
    *markt_aus = markt;
    std::vector<int> zahl(static_cast<size_t>(teams), 0);
    for (const auto& s : p.s) zahl[static_cast<size_t>(s.team)]++;
    bool ok = static_cast<int>(p.s.size()) == (teams - 1) * MAX_SPIELER_PRO_TEAM + TRANSFERMARKT_SPIELER;
    int falsch = -1;
    for (int i = 0; ok && i < teams; i++) {
        int soll = i == markt ? TRANSFERMARKT_SPIELER : MAX_SPIELER_PRO_TEAM;
        if (zahl[static_cast<size_t>(i)] != soll) {
            ok = false;
            falsch = i;
        }
    }
    if (!ok) {
        if (falsch >= 0)
            Read_Config_Melden(WELT_F_STRUKTUR, "Falsche Spielerzahl! (Team %d hat %d)", falsch,
                               zahl[static_cast<size_t>(falsch)]);
        else
            Read_Config_Melden(WELT_F_STRUKTUR, "Falsche Spielerzahl! (%d statt %d)", static_cast<int>(p.s.size()),
                               (teams - 1) * MAX_SPIELER_PRO_TEAM + TRANSFERMARKT_SPIELER);
    }
    return ok;
}

bool vorab_teams = false;  // the pending teams came from the world read ahead
void vorab_teams_verwerfen() { vorab_teams = false; }

bool team_datei_lesen(bool geoeffnet, const char* pfad) {
    if (!geoeffnet) {
        Debug_Out(DEBUG_FEHLER, "Team: %s fehlt", pfad ? pfad : "team.cfg");
        Read_Config_Melden(WELT_F_DATEI, "Datei fehlt (%s)", pfad ? pfad : "team.cfg");
        return false;
    }
    vorab_teams_verwerfen();
    bool ok = teams_lesen(&neu_teams);
    Read_Config_Close();
    return ok;
}

bool spieler_uebernehmen(Spieler_Puffer& p, int markt, int* ok_aus);

bool spieler_datei_lesen(bool geoeffnet, const char* pfad, int* ok_aus) {
    if (ok_aus) *ok_aus = 0;
    if (!geoeffnet) {
        Debug_Out(DEBUG_FEHLER, "Spieler: %s fehlt", pfad ? pfad : "spieler.cfg");
        Read_Config_Melden(WELT_F_DATEI, "Datei fehlt (%s)", pfad ? pfad : "spieler.cfg");
        return false;
    }
    if (!neu_teams.gueltig) {
        Read_Config_Melden(WELT_F_STRUKTUR, "Keine Teams geladen");
        Read_Config_Close();
        return false;
    }
    Spieler_Puffer p;
    int teams = static_cast<int>(neu_teams.t.size());
    bool ok = spieler_lesen(&p, teams);
    int markt = -1;
    if (ok) ok = kader_pruefen(neu_teams, p, &markt);
    Read_Config_Close();
    if (!ok) return false;
    return spieler_uebernehmen(p, markt, ok_aus);
}

// Reads the team file of the path into `t` and the player file into `p`
// (with its market team), on the calling thread; nothing of the world
// changes.
bool welt_lesen(const std::string& team, const std::string& team_alias, const std::string& spieler,
                const std::string& spieler_alias, Team_Puffer* t, Spieler_Puffer* p, int* markt) {
    if (!Read_Config_Open_Pfad(team.c_str(), team_alias.c_str())) return false;
    bool ok = teams_lesen(t);
    Read_Config_Close();
    if (!ok || !Read_Config_Open_Pfad(spieler.c_str(), spieler_alias.c_str())) return false;
    ok = spieler_lesen(p, static_cast<int>(t->t.size())) && kader_pruefen(*t, *p, markt);
    Read_Config_Close();
    return ok;
}

// A game file's stand, to tell whether it changed since it was read ahead.
Datei_Stand dateistand(const std::string& pfad) { return Datei_Stand_Lesen(W32_Pfad_Uebersetzen(pfad.c_str())); }

// The world of a set read ahead on a worker thread (Welt_Vorab_Lesen).
struct Vorab_Welt {
    int set = -1;
    std::string team, team_alias, spieler, spieler_alias;
    Datei_Stand staende[4];
    bool ok = false;
    Team_Puffer t;
    Spieler_Puffer p;
    int markt = -1;
    // The world's arrays made and filled from t and p by the worker, so that
    // taking the world over only swaps them in.
    Welt_Bloecke bloecke;
};
// The worker's answer.
std::future<std::unique_ptr<Vorab_Welt>>& arbeit() { return Nebenher_Antwort<std::unique_ptr<Vorab_Welt>>(); }
std::unique_ptr<Vorab_Welt> vorab_welt;
int vorab_set = -1;          // what the worker reads: the set
std::string vorab_dateien;   // and its team and player files

// The set's world files as the settings name them now.
void vorab_pfade(int set, Vorab_Welt* v) {
    v->set = set;
    v->team = Read_Config_Get_Filenamen(CONFIG_TEAM, set, 0);
    v->team_alias = Read_Config_Get_Filenamen(CONFIG_TEAM, set, 1);
    v->spieler = Read_Config_Get_Filenamen(CONFIG_SPIELER, set, 0);
    v->spieler_alias = Read_Config_Get_Filenamen(CONFIG_SPIELER, set, 1);
}

// The world read ahead for the set, waited for when the worker is still at
// it; null when there is none or its files changed since (then it goes).
Vorab_Welt* vorab_holen(int set) {
    if (arbeit().valid()) vorab_welt = arbeit().get();
    if (!vorab_welt || vorab_welt->set != set || !vorab_welt->ok) return nullptr;
    Vorab_Welt jetzt;
    vorab_pfade(set, &jetzt);
    const std::string* pfade[4] = {&jetzt.team, &jetzt.team_alias, &jetzt.spieler, &jetzt.spieler_alias};
    const std::string* damals[4] = {&vorab_welt->team, &vorab_welt->team_alias, &vorab_welt->spieler,
                                    &vorab_welt->spieler_alias};
    for (int i = 0; i < 4; ++i)
        if (*pfade[i] != *damals[i] || dateistand(*pfade[i]) != vorab_welt->staende[i]) {
            vorab_welt.reset();
            return nullptr;
        }
    return vorab_welt.get();
}

// The worker's part of the take-over: the world's arrays, filled as
// spieler_uebernehmen fills them, and the squads; without memory they stay
// empty and the take-over copies as usual.
void bloecke_fuellen(Vorab_Welt* v) {
    const Team_Puffer& t = v->t;
    const Spieler_Puffer& p = v->p;
    Welt_Bloecke& b = v->bloecke;
    if (!Welt_Bloecke_Anlegen(&b, static_cast<int>(t.t.size()), static_cast<int>(p.s.size()))) return;
    std::memcpy(b.team, t.t.data(), sizeof(Team_Struktur) * t.t.size());
    std::memcpy(b.team_fix, t.f.data(), sizeof(Team_Fix) * t.f.size());
    std::memcpy(b.team_own, t.o.data(), sizeof(Team_Own) * t.o.size());
    if (!p.s.empty()) {
        std::memcpy(b.spieler_daten, p.s.data(), sizeof(Spieler_Struktur) * p.s.size());
        std::memcpy(b.spieler_fix, p.f.data(), sizeof(Spieler_Fix) * p.f.size());
        std::memcpy(b.texte, p.x.data(), sizeof(Spieler_Client_Egal) * p.x.size());
    }
    Welt_Bloecke_Kader(&b, v->markt);
    v->p = Spieler_Puffer();  // the arrays hold the players now
}

// The take-over of a world read ahead whose arrays the worker made: they are
// swapped in, and only the learned attributes are looked up here.
bool bloecke_uebernehmen(Vorab_Welt* v, int* ok_aus) {
    Welt_Bloecke_Einsetzen(&v->bloecke);
    for (int s = 0; s < Spieler_Anzahl; ++s)
        for (int a = 0; a < ATTRIBUT_ANZAHL; ++a)
            if (Spieler_Daten[s].attribut[a] == ATTRIBUT_GELERNT_OFFEN)
                Spieler_Daten[s].attribut[a] = static_cast<i16>(attribut_gelernt_wert(a));
    team_alias = std::move(neu_teams.alias);
    team_ebene = std::move(neu_teams.ebene);
    Team_Transfermarkt = v->markt;
    neu_teams = Team_Puffer();
    if (ok_aus) *ok_aus = 1;
    return true;
}

bool spieler_uebernehmen(Spieler_Puffer& p, int markt, int* ok_aus) {
    const int teams = static_cast<int>(neu_teams.t.size());
    for (Spieler_Struktur& s : p.s)
        for (int a = 0; a < ATTRIBUT_ANZAHL; ++a)
            if (s.attribut[a] == ATTRIBUT_GELERNT_OFFEN) s.attribut[a] = static_cast<i16>(attribut_gelernt_wert(a));
    // Take over: the pending teams and the players replace the world.
    if (!Welt_Anlegen(teams, static_cast<int>(p.s.size()))) return false;
    std::memcpy(Team_Daten, neu_teams.t.data(), sizeof(Team_Struktur) * neu_teams.t.size());
    std::memcpy(Team_Fix_Daten, neu_teams.f.data(), sizeof(Team_Fix) * neu_teams.f.size());
    std::memcpy(Team_Own_Daten, neu_teams.o.data(), sizeof(Team_Own) * neu_teams.o.size());
    std::memcpy(Spieler_Daten, p.s.data(), sizeof(Spieler_Struktur) * p.s.size());
    std::memcpy(Spieler_Fix_Daten, p.f.data(), sizeof(Spieler_Fix) * p.f.size());
    std::memcpy(Spieler_Texte, p.x.data(), sizeof(Spieler_Client_Egal) * p.x.size());
    team_alias = neu_teams.alias;
    team_ebene = neu_teams.ebene;
    Team_Transfermarkt = markt;
    neu_teams = Team_Puffer();
    Team_Kader_Neu_Aufbauen();
    if (ok_aus) *ok_aus = 1;
    return true;
}

std::string pfad_von(const char* ordner, int set, const char* name) {
    return std::string(ordner) + "/" + std::to_string(set + 1) + "_" + name;
}

}  // namespace

void Welt_Konfig_Setzen(const std::vector<std::string>& alias, const std::vector<u8>& ebene) {
    team_alias = alias;
    team_ebene = ebene;
}

const char* Team_Alias_Name(int team) {
    if (team < 0 || team >= static_cast<int>(team_alias.size())) return "";
    return team_alias[static_cast<size_t>(team)].c_str();
}

int Team_Get_Ebene(int team) {
    if (team < 0 || team >= static_cast<int>(team_ebene.size())) return 0;
    return team_ebene[static_cast<size_t>(team)];
}

void Team_Free_Ladepuffer() {
    neu_teams = Team_Puffer();
    vorab_teams_verwerfen();
}

void Team_Init_Leer() {
    Markt_Zuruecksetzen();
    Welt_Freigeben();
    Team_Free_Ladepuffer();
    team_alias.clear();
    team_ebene.clear();
    Team_Transfermarkt = 0;
    Team_Aktiv = Team_Ansicht = Aktuelles_Team = Team_Auswaerts = Server_Lokales_Team = 0;
    Team_Wettbewerb = -1;
    Team_Heimnation = 65535;
    Schwierigkeit = 2;
    Spielstart_Beendet = 0;
}

bool Welt_Vorab_Lesen(int set) {
    Vorab_Welt jetzt;
    vorab_pfade(set, &jetzt);
    const auto gleich = [&](const Vorab_Welt& v) {
        return v.set == set && v.team == jetzt.team && v.team_alias == jetzt.team_alias && v.spieler == jetzt.spieler &&
               v.spieler_alias == jetzt.spieler_alias;
    };
    if (arbeit().valid() && arbeit().wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        vorab_welt = arbeit().get();
    if (arbeit().valid()) {
        if (vorab_set == set && vorab_dateien == jetzt.team + jetzt.spieler) return false;
        vorab_welt = arbeit().get();  // another world's: it ends before the next begins
    }
    if (vorab_welt && gleich(*vorab_welt)) return true;
    auto v = std::make_unique<Vorab_Welt>(std::move(jetzt));
    vorab_set = set;
    vorab_dateien = v->team + v->spieler;
    vorab_welt.reset();
    arbeit() = std::async(std::launch::async, [v = std::move(v)]() mutable {
        const std::string* pfade[4] = {&v->team, &v->team_alias, &v->spieler, &v->spieler_alias};
        for (int i = 0; i < 4; ++i) v->staende[i] = dateistand(*pfade[i]);
        Read_Config_Still(true);
        v->ok = welt_lesen(v->team, v->team_alias, v->spieler, v->spieler_alias, &v->t, &v->p, &v->markt);
        Read_Config_Still(false);
        if (v->ok) bloecke_fuellen(v.get());
        return std::move(v);
    });
    return false;
}

void Welt_Vorab_Abwarten() {
    if (arbeit().valid()) arbeit().wait();
}

bool Team(int set) {
    Welt_Config_Set = set;
    vorab_teams = false;
    if (Vorab_Welt* v = vorab_holen(set)) {
        neu_teams = std::move(v->t);
        v->ok = false;  // its teams are taken: only its players wait for Spieler
        vorab_teams = true;
        return true;
    }
    return team_datei_lesen(Read_Config_Open(CONFIG_TEAM, set, set), Read_Config_Get_Filenamen(CONFIG_TEAM, set, 0));
}

bool Team_Pfad(const char* pfad, const char* alias_pfad) {
    return team_datei_lesen(Read_Config_Open_Pfad(pfad, alias_pfad), pfad);
}

bool Spieler(int* ok) {
    int set = Welt_Config_Set;
    // The players read ahead with the pending teams: taken over once.
    if (vorab_teams && vorab_welt && vorab_welt->set == set && neu_teams.gueltig) {
        vorab_teams = false;
        const std::unique_ptr<Vorab_Welt> v = std::move(vorab_welt);
        if (ok) *ok = 0;
        if (v->bloecke.teams == static_cast<int>(neu_teams.t.size())) return bloecke_uebernehmen(v.get(), ok);
        return spieler_uebernehmen(v->p, v->markt, ok);
    }
    vorab_teams = false;
    return spieler_datei_lesen(Read_Config_Open(CONFIG_SPIELER, set, set),
                               Read_Config_Get_Filenamen(CONFIG_SPIELER, set, 0), ok);
}

bool Spieler_Pfad(const char* pfad, const char* alias_pfad, int* ok) {
    return spieler_datei_lesen(Read_Config_Open_Pfad(pfad, alias_pfad), pfad, ok);
}

void Team_Nach_Spieler(int flag) {
    if (ruf::Client()) return;
    for (int s = 0; s < Spieler_Anzahl; s++) Spieler_Daten[s].marktwert = Spieler_Berechne_Marktwert(s);
    for (int t = 0; t < Team_Anzahl; t++) {
        if (t == Team_Transfermarkt) continue;
        Aufstellung_Automatisch(t);
    }
}

bool Welt_Laden(int set) {
    if (!Global_Cfg_Laden(set)) return false;
    Personal_Cfg_Laden(set);
    int ok = 0;
    if (!Team(set) || !Spieler(&ok) || !ok) return false;
    Team_Nach_Spieler(0);
    return true;
}

bool Welt_Laden_Ordner(const char* ordner, int set) {
    std::string g = pfad_von(ordner, set, "global.cfg"), ga = pfad_von(ordner, set, "global_alias.cfg");
    std::string p = pfad_von(ordner, set, "personal.cfg"), pa = pfad_von(ordner, set, "personal_alias.cfg");
    std::string t = pfad_von(ordner, set, "team.cfg"), ta = pfad_von(ordner, set, "team_alias.cfg");
    std::string s = pfad_von(ordner, set, "spieler.cfg"), sa = pfad_von(ordner, set, "spieler_alias.cfg");
    if (!Global_Cfg_Laden_Pfad(g.c_str(), ga.c_str())) return false;
    Personal_Cfg_Laden_Pfad(p.c_str(), pa.c_str());
    int ok = 0;
    if (!Team_Pfad(t.c_str(), ta.c_str()) || !Spieler_Pfad(s.c_str(), sa.c_str(), &ok) || !ok) return false;
    Team_Nach_Spieler(0);
    return true;
}

// ---------------------------------------------------------------------------
// Writers.

namespace {

std::string team_ref(int team) {
    const char* a = Team_Alias_Name(team);
    if (a && *a) return std::string("#") + a;
    return std::to_string(team);
}

}  // namespace

namespace welt_konfig {

std::string zitat(const char* t) { return std::string("\"") + t + "\""; }

void abschnitt(Config_Schreiber* w, const char* schluessel) {
    Config_Schreiber_Text(w, (std::string("\r\n") + schluessel + "\r\n").c_str());
}

void kopf(Config_Schreiber* w, const char* was, const char* name) {
    Config_Schreiber_Text(w, (std::string("; Kordavo - ") + was + "\r\n").c_str());
    Config_Schreiber_Checksumme_Platzhalter(w);
    Config_Schreiber_Zeile_Zahl(w, "VERSION", 1);
    if (name && *name) Config_Schreiber_Zeile(w, "INFOTEXT", zitat(name).c_str());
}

bool schliessen_mit_alias(Config_Schreiber* w, const char* alias_pfad) {
    bool ok = Config_Schreiber_Schliessen(w);
    return Welt_Alias_Schreiben(alias_pfad) && ok;
}

bool speichern_im_set(int art, int set, const char* name,
                      bool (*schreiber)(const char* pfad, const char* alias_pfad, const char* name)) {
    std::string p = Read_Config_Get_Filenamen(art, set, 0);
    std::string a = Read_Config_Get_Filenamen(art, set, 1);
    return schreiber(p.c_str(), a.c_str(), name);
}

}  // namespace welt_konfig

bool Welt_Alias_Schreiben(const char* pfad) {
    Config_Schreiber w;
    if (!Config_Schreiber_Oeffnen(&w, pfad)) return false;
    Config_Schreiber_Text(&w, "; Kordavo - Namen der Teams\r\n");
    Config_Schreiber_Checksumme_Platzhalter(&w);
    for (int t = 0; t < Team_Anzahl; t++) {
        std::string a = Team_Alias_Name(t);
        if (a.empty()) continue;
        Config_Schreiber_Text(&w, (a + " " + std::to_string(t) + "\r\n").c_str());
    }
    return Config_Schreiber_Schliessen(&w);
}

bool Convert_Team_Config_Speichern_Pfad(const char* pfad, const char* alias_pfad, const char* name) {
    if (!Team_Daten) return false;
    Config_Schreiber w;
    if (!Config_Schreiber_Oeffnen(&w, pfad)) return false;
    kopf(&w, "Teams", name);
    Config_Schreiber_Zeile_Zahl(&w, deutsch(T_TEAMS), Team_Anzahl);
    for (int i = 0; i < Team_Anzahl; i++) {
        const Team_Struktur& t = Team_Daten[i];
        const Team_Fix& f = Team_Fix_Daten[i];
        const Team_Own& o = Team_Own_Daten[i];
        abschnitt(&w, deutsch(T_NEUES_TEAM));
        Config_Schreiber_Zeile_Zahl(&w, deutsch(T_NUMMER), i);
        Config_Schreiber_Zeile(&w, deutsch(T_NAME), zitat(f.name).c_str());
        Config_Schreiber_Zeile(&w, deutsch(T_KURZNAME), zitat(f.kurzname).c_str());
        if (f.stadion[0]) Config_Schreiber_Zeile(&w, deutsch(T_STADIONNAME), zitat(f.stadion).c_str());
        if (f.stadt[0]) Config_Schreiber_Zeile(&w, deutsch(T_STADT), zitat(f.stadt).c_str());
        int art = (t.art & TEAM_ART_TRANSFERMARKT) ? 2 : (t.art & TEAM_ART_NATIONALTEAM) ? 1 : 0;
        Config_Schreiber_Zeile(&w, deutsch(T_ART), deutsch(static_cast<Team_Art_Wert>(art)));
        if (t.nation || art == 1) Config_Schreiber_Zeile(&w, deutsch(T_LAND), team_ref(t.nation).c_str());
        Config_Schreiber_Zeile_Zahl(&w, deutsch(T_KONTINENT), t.kontinent);
        if (Team_Get_Ebene(i)) Config_Schreiber_Zeile_Zahl(&w, deutsch(T_EBENE), Team_Get_Ebene(i));
        Config_Schreiber_Zeile_Zahl(&w, deutsch(T_WAPPEN), t.wappen);
        Config_Schreiber_Zeile(&w, deutsch(T_TRIKOT), verbinden(t.trikot, 3).c_str());
        Config_Schreiber_Zeile(&w, deutsch(T_FARBEN), verbinden(f.farben, 36).c_str());
        Config_Schreiber_Zeile_Zahl(&w, deutsch(T_SITZ), t.sitzplaetze);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(T_STEH), t.stehplaetze);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(T_FORMATION), o.formation & 0x7F);
        Config_Schreiber_Zeile(&w, deutsch(T_TAKTIK), verbinden(o.taktik, 7).c_str());
    }
    return schliessen_mit_alias(&w, alias_pfad);
}

bool Convert_Spieler_Config_Speichern_Pfad(const char* pfad, const char* alias_pfad, const char* name) {
    if (!Spieler_Daten) return false;
    Config_Schreiber w;
    if (!Config_Schreiber_Oeffnen(&w, pfad)) return false;
    kopf(&w, "Spieler", name);
    Config_Schreiber_Zeile_Zahl(&w, deutsch(S_SPIELER), Spieler_Anzahl);
    for (int i = 0; i < Spieler_Anzahl; i++) {
        const Spieler_Struktur& s = Spieler_Daten[i];
        const Spieler_Fix& f = Spieler_Fix_Daten[i];
        const Spieler_Client_Egal& x = Spieler_Texte[i];
        abschnitt(&w, deutsch(S_NEUER_SPIELER));
        Config_Schreiber_Zeile(&w, deutsch(S_TEAM), team_ref(s.team).c_str());
        Config_Schreiber_Zeile(&w, deutsch(S_VORNAME), zitat(x.vorname).c_str());
        Config_Schreiber_Zeile(&w, deutsch(S_NACHNAME), zitat(x.nachname).c_str());
        Config_Schreiber_Zeile(&w, deutsch(S_NATION), team_ref(f.nation).c_str());
        Config_Schreiber_Zeile(&w, deutsch(S_POSITION), POSITION_WERTE[f.position & 3].deutsch);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_NUMMER), s.rueckennummer);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_STAERKE), s.staerke_fein);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_MAXSTAERKE), s.max_staerke);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_SPIELE), s.spiele);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_JAHRGANG), f.geburtsjahr);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_TALENT), s.wert74);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_AUSSEHEN), f.aussehen);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_HAARFARBE), f.haarfarbe);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(S_HAUTFARBE), f.hautfarbe);
        std::vector<i64> gelernt, gesperrt;
        for (int a = 0; a < ATTRIBUT_ANZAHL; a++) {
            if (s.attribut[a] < 0) gesperrt.push_back(a);
            else if (s.attribut[a] > 0 && s.attribut[a] >= attribut_gelernt_wert(a) - 1) gelernt.push_back(a);
        }
        if (!gelernt.empty())
            Config_Schreiber_Zeile(&w, deutsch(S_ATTRIBUTE),
                                   verbinden(gelernt.data(), static_cast<int>(gelernt.size())).c_str());
        if (!gesperrt.empty())
            Config_Schreiber_Zeile(&w, deutsch(S_GESPERRT),
                                   verbinden(gesperrt.data(), static_cast<int>(gesperrt.size())).c_str());
        if (s.status & SP_STATUS_SCOUT) Config_Schreiber_Zeile(&w, deutsch(S_SCOUT), "JA");
    }
    return schliessen_mit_alias(&w, alias_pfad);
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Convert_Team_Config_Speichern(int set, const char* name) {
    return speichern_im_set(CONFIG_TEAM, set, name, Convert_Team_Config_Speichern_Pfad);
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Convert_Spieler_Config_Speichern(int set, const char* name) {
    return speichern_im_set(CONFIG_SPIELER, set, name, Convert_Spieler_Config_Speichern_Pfad);
}
