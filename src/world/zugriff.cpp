// The value accessors of players, teams and managers.
//
// Every mode names one field and its bounds. A read gives the field; a write
// or bit operation computes the new value first and stores it only when it
// lies within the mode's bounds; otherwise the write is refused, logged and
// the old value returned. An unknown mode or a number outside the arrays logs
// a line ending in "Falscher Parameter!" and touches nothing.
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "base/debug.h"
#include "base/memory.h"
#include "base/tempstr.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

// A field of a record: its address and its width and signedness.
struct Feld {
    void* p = nullptr;
    int typ = 0;  // 1 u8, -1 i8, 2 u16, -2 i16, 4 u32, -4 i32
    i64 min = 0;
    i64 max = 0;
};

i64 feld_lesen(const Feld& f) {
    switch (f.typ) {
        case 1: return *static_cast<u8*>(f.p);
        case -1: return *static_cast<i8*>(f.p);
        case 2: return *static_cast<u16*>(f.p);
        case -2: return *static_cast<i16*>(f.p);
        case 4: return *static_cast<u32*>(f.p);
        case -4: return *static_cast<i32*>(f.p);
    }
    return 0;
}

void feld_schreiben(const Feld& f, i64 v) {
    switch (f.typ) {
        case 1: *static_cast<u8*>(f.p) = static_cast<u8>(v); break;
        case -1: *static_cast<i8*>(f.p) = static_cast<i8>(v); break;
        case 2: *static_cast<u16*>(f.p) = static_cast<u16>(v); break;
        case -2: *static_cast<i16*>(f.p) = static_cast<i16>(v); break;
        case 4: *static_cast<u32*>(f.p) = static_cast<u32>(v); break;
        case -4: *static_cast<i32*>(f.p) = static_cast<i32>(v); break;
    }
}

template <class T>
Feld F(T* p, i64 min, i64 max) {
    Feld f;
    f.p = p;
    f.min = min;
    f.max = max;
    if constexpr (std::is_same_v<T, u8>) f.typ = 1;
    else if constexpr (std::is_same_v<T, i8>) f.typ = -1;
    else if constexpr (std::is_same_v<T, u16>) f.typ = 2;
    else if constexpr (std::is_same_v<T, i16>) f.typ = -2;
    else if constexpr (std::is_same_v<T, u32>) f.typ = 4;
    else f.typ = -4;
    return f;
}

constexpr i64 I32_MIN = -2147483648LL;
constexpr i64 I32_MAX = 2147483647LL;
constexpr i64 U32_MAX = 4294967295LL;

bool spieler_feld(int m, Spieler_Struktur* s, Spieler_Fix* x, Feld* f) {
    if (m >= 0 && m < ATTRIBUT_ANZAHL) {
        *f = F(&s->attribut[m], -1, 999);
        return true;
    }
    switch (m) {
        case SPIELER_WERT_SPIELE: *f = F(&s->spiele, 0, 999); return true;
        case SPIELER_WERT_ERSCHOEPFUNG: *f = F(&s->erschoepfung, 0, 9); return true;
        case SPIELER_WERT_57: *f = F(&s->wert57, 0, 30000); return true;
        case SPIELER_WERT_STAERKE_FEIN: *f = F(&s->staerke_fein, 0, 12000); return true;
        case SPIELER_WERT_AUSSEHEN: *f = F(&x->aussehen, 0, U32_MAX); return true;
        case SPIELER_WERT_POSITION: *f = F(&x->position, 0, 3); return true;
        case SPIELER_WERT_NATION: *f = F(&x->nation, 0, MAX_TEAMS - 1); return true;
        case SPIELER_WERT_VERLETZUNG_ART: *f = F(&s->verletzung_art, 0, 41); return true;
        case SPIELER_WERT_VERLETZUNG_DAUER: *f = F(&s->verletzung_dauer, 0, 999); return true;
        case SPIELER_WERT_HAARFARBE: *f = F(&x->haarfarbe, 0, 65535); return true;
        case SPIELER_WERT_HAUTFARBE: *f = F(&x->hautfarbe, 0, 65535); return true;
        case SPIELER_WERT_74: *f = F(&s->wert74, 0, 50); return true;
        case SPIELER_WERT_STATUS: *f = F(&s->status, 0, 0x7FFFF); return true;
        case SPIELER_WERT_LIGA_0: *f = F(&s->liga_wert[0], 0, 65535); return true;
        case SPIELER_WERT_LIGA_1: *f = F(&s->liga_wert[1], 0, 65535); return true;
        case SPIELER_WERT_LIGA_2: *f = F(&s->liga_wert[2], 0, 65535); return true;
        case SPIELER_WERT_SPALTE: *f = F(&s->spalte, 0, 6); return true;
        case SPIELER_WERT_ZEILE: *f = F(&s->zeile, 0, 10); return true;
        case SPIELER_WERT_RUECKENNUMMER: *f = F(&s->rueckennummer, 0, 99); return true;
        case SPIELER_WERT_MARKTWERT: *f = F(&s->marktwert, 0, I32_MAX); return true;
        case SPIELER_WERT_TEAM: *f = F(&s->team, -1, MAX_TEAMS - 1); return true;
        case SPIELER_WERT_SLOT: *f = F(&s->slot, 0, 19); return true;
        case SPIELER_WERT_WETTBEWERB: *f = F(&s->wettbewerb, -1, I32_MAX); return true;
        case SPIELER_WERT_MORAL: *f = F(&s->moral, 0, 6); return true;
        case SPIELER_WERT_STAERKE: *f = F(&s->staerke, 0, 12); return true;
        case SPIELER_WERT_GELD: *f = F(&s->trainingsgeld, 0, I32_MAX); return true;
        case SPIELER_WERT_MAX_STAERKE: *f = F(&s->max_staerke, 0, 12); return true;
        case SPIELER_WERT_TRAININGS: *f = F(&s->trainings, 0, 255); return true;
        case SPIELER_WERT_GEDECKT_VON: *f = F(&s->gedeckt_von, -1, I32_MAX); return true;
        case SPIELER_WERT_LIGA_WORT: *f = F(&s->liga_wort, I32_MIN, I32_MAX); return true;
    }
    return false;
}

bool team_feld(int m, Team_Struktur* t, Team_Own* o, Feld* f) {
    switch (m) {
        case TEAM_WERT_STEHPLAETZE: *f = F(&t->stehplaetze, 0, 200000); return true;
        case TEAM_WERT_SITZPLAETZE: *f = F(&t->sitzplaetze, 0, 200000); return true;
        case TEAM_WERT_NATION: *f = F(&t->nation, 0, MAX_TEAMS - 1); return true;
        case TEAM_WERT_STATUS: *f = F(&t->status, 0, U32_MAX); return true;
        case TEAM_WERT_FORMATION: *f = F(&o->formation, -128, 127); return true;
        case TEAM_WERT_WAPPEN: *f = F(&t->wappen, 0, 1000); return true;
        case TEAM_WERT_KONTINENT: *f = F(&t->kontinent, 0, 14); return true;
        case TEAM_WERT_LIGA: *f = F(&t->liga, -1, I32_MAX); return true;
        case TEAM_WERT_SCOUT: *f = F(&t->scout, -1, 3); return true;
        case TEAM_WERT_SCOUT_SPIELER: *f = F(&t->scout_spieler, -1, I32_MAX); return true;
        case TEAM_WERT_TRANSFERS: *f = F(&t->transfers, 0, 99); return true;
        case TEAM_WERT_21: *f = F(&t->wert21, 0, 99); return true;
    }
    return false;
}

bool manager_feld(int m, Manager_Struktur* ms, Feld* f) {
    switch (m) {
        case MANAGER_WERT_GESICHT: *f = F(&ms->daten.gesicht, 0, 999); return true;
        case MANAGER_WERT_TEAM: *f = F(&ms->daten.team, -1, MAX_TEAMS - 1); return true;
    }
    return false;
}

// Applies an operation to a field; returns the resulting value.
i32 anwenden(const char* name, int modus, const Feld& f, i32 wert, int op, bool* geschrieben) {
    i64 alt = feld_lesen(f);
    if (geschrieben) *geschrieben = false;
    if (op == OP_LESEN) return static_cast<i32>(alt);
    i64 neu;
    // Bit operations work on the field's bit pattern.
    u32 bits_alt = static_cast<u32>(alt);
    u32 bits = static_cast<u32>(wert);
    switch (op) {
        case OP_SCHREIBEN: neu = wert; break;
        case OP_BITS_SETZEN: neu = static_cast<i64>(bits_alt | bits); break;
        case OP_BITS_LOESCHEN: neu = static_cast<i64>(bits_alt & ~bits); break;
        case OP_BITS_TAUSCHEN: neu = static_cast<i64>(bits_alt ^ bits); break;
        default:
            Debug_Out(DEBUG_FEHLER, "%s(%d): Operation %d: Falscher Parameter!", name, modus, op);
            return static_cast<i32>(alt);
    }
    if (op != OP_SCHREIBEN) {
        // Signed fields take the bit pattern back to their own width.
        switch (f.typ) {
            case -1: neu = static_cast<i8>(neu); break;
            case -2: neu = static_cast<i16>(neu); break;
            case -4: neu = static_cast<i32>(neu); break;
            default: break;
        }
    } else if (f.typ == 4 && neu < 0) {
        neu = static_cast<u32>(wert);  // a u32 field takes the bit pattern of a negative i32
    }
    if (neu < f.min || neu > f.max) {
        Debug_Out(DEBUG_FEHLER, "%s(%d): Wert %lld ausserhalb %lld..%lld!", name, modus, static_cast<long long>(neu),
                  static_cast<long long>(f.min), static_cast<long long>(f.max));
        return static_cast<i32>(alt);
    }
    feld_schreiben(f, neu);
    if (geschrieben) *geschrieben = true;
    return static_cast<i32>(feld_lesen(f));
}

bool spieler_nummer_ok(const char* name, int modus, int spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl || !Spieler_Daten) {
        Debug_Out(DEBUG_FEHLER, "%s(%d): Spieler %d: Falscher Parameter!", name, modus, spieler);
        return false;
    }
    return true;
}

bool team_nummer_ok(const char* name, int modus, int team) {
    if (team < 0 || team >= Team_Anzahl || !Team_Daten) {
        Debug_Out(DEBUG_FEHLER, "%s(%d): Team %d: Falscher Parameter!", name, modus, team);
        return false;
    }
    return true;
}

// Copies a text into a fixed field, cut to fit and terminated.
template <size_t N>
void feld_text(char (&ziel)[N], const char* quelle) {
    std::strncpy(ziel, quelle ? quelle : "", N - 1);
    ziel[N - 1] = 0;
}

// The result of a string accessor: into the caller's buffer, or a temporary string.
const char* text_ergebnis(char* puffer, const char* text) {
    return puffer ? std::strcpy(puffer, text) : Temp_Sprintf("%s", text);
}

}  // namespace

bool Spieler_Wert_Grenzen(int modus, i64* min, i64* max) {
    Spieler_Struktur s{};
    Spieler_Fix x{};
    Feld f;
    if (!spieler_feld(modus, &s, &x, &f)) return false;
    *min = f.min;
    *max = f.max;
    return true;
}

bool Team_Wert_Grenzen(int modus, i64* min, i64* max) {
    Team_Struktur t{};
    Team_Own o{};
    Feld f;
    if (!team_feld(modus, &t, &o, &f)) return false;
    *min = f.min;
    *max = f.max;
    return true;
}

bool Spieler_Feld_Setzen(int modus, Spieler_Struktur* s, Spieler_Fix* x, i64 wert) {
    Feld f;
    if (!s || !x || !spieler_feld(modus, s, x, &f)) return false;
    feld_schreiben(f, wert);
    return true;
}

bool Team_Feld_Setzen(int modus, Team_Struktur* t, Team_Own* o, i64 wert) {
    Feld f;
    if (!t || !o || !team_feld(modus, t, o, &f)) return false;
    feld_schreiben(f, wert);
    return true;
}

// ---------------------------------------------------------------------------
// Loaded records: every field within the bounds of its mode.

namespace {

// The first mode whose field lies outside its bounds, -1 when none does.
template <class Feld_Von>
int erster_fehler(Feld_Von feld_von) {
    static constexpr int MODI = 128;  // every mode is below
    for (int m = 0; m < MODI; ++m) {
        Feld f;
        if (!feld_von(m, &f)) continue;
        i64 v = feld_lesen(f);
        if (v < f.min || v > f.max) return m;
    }
    return -1;
}

}  // namespace

int Spieler_Werte_Pruefen(const Spieler_Struktur& s, const Spieler_Fix& x) {
    Spieler_Struktur a = s;
    Spieler_Fix b = x;
    return erster_fehler([&](int m, Feld* f) { return spieler_feld(m, &a, &b, f); });
}

int Team_Werte_Pruefen(const Team_Struktur& t, const Team_Own& o) {
    Team_Struktur a = t;
    Team_Own b = o;
    int m = erster_fehler([&](int m, Feld* f) { return team_feld(m, &a, &b, f); });
    if (m >= 0) return m;
    for (const Formation& f : o.formationen)
        for (int i = 0; i < 11; i++)
            if (f.spalte[i] > 6 || f.zeile[i] > 10) return 705;  // the formations' mode
    return -1;
}

int Manager_Werte_Pruefen(const Manager_Struktur& ms) {
    Manager_Struktur* a = new Manager_Struktur(ms);
    int m = erster_fehler([&](int m, Feld* f) { return manager_feld(m, a, f); });
    if (m < 0 && (ms.menue_wahl[0] > 3 || ms.menue_wahl[1] > 5)) m = 307;  // the menu choice's mode
    delete a;
    return m;
}

i32 Spieler_Wert(int modus, int spieler, i32 wert, int op) {
    if (!spieler_nummer_ok("Spieler_Wert", modus, spieler)) return 0;
    Spieler_Struktur* s = &Spieler_Daten[spieler];
    Feld f;
    if (!spieler_feld(modus, s, &Spieler_Fix_Daten[spieler], &f)) {
        Debug_Out(DEBUG_FEHLER, "Spieler_Wert(%d): Falscher Parameter!", modus);
        return 0;
    }
    if (op != OP_LESEN && Welt_Client_Fremd(s->team)) {
        Debug_Out(DEBUG_FEHLER, "Spieler_Wert: CLIENT-WRITE!");
        return static_cast<i32>(feld_lesen(f));
    }
    if (modus == SPIELER_WERT_TEAM && op != OP_LESEN) {
        // Moving a player to another squad: only by writing, only into a squad with room.
        int alt = s->team;
        if (op != OP_SCHREIBEN || wert < 0 || wert >= Team_Anzahl || wert == alt ||
            Team_Kader_Anzahl(wert) >= (wert == Team_Transfermarkt ? TRANSFERMARKT_SPIELER : MAX_SPIELER_PRO_TEAM)) {
            if (wert != alt)
                Debug_Out(DEBUG_FEHLER, "Spieler_Wert(86): Team %d nicht moeglich!", static_cast<int>(wert));
            return alt;
        }
        Team_Kader_Entfernen(alt, spieler);
        Team_Kader_Einfuegen(wert, spieler);
        s->team = wert;
        Spieler_Flags[spieler] = 1;
        return wert;
    }
    bool geschrieben = false;
    i32 r = anwenden("Spieler_Wert", modus, f, wert, op, &geschrieben);
    if (geschrieben) {
        Spieler_Flags[spieler] = 1;
        // Strength is kept on two scales: 58 fine (0..12000), 92 half stars (0..12).
        if (modus == SPIELER_WERT_STAERKE_FEIN) {
            int h = s->staerke_fein / 1000;
            s->staerke = static_cast<u8>(h > 12 ? 12 : h);
        } else if (modus == SPIELER_WERT_STAERKE) {
            s->staerke_fein = static_cast<u16>(s->staerke * 1000 + (s->staerke < 12 ? 500 : 0));
        }
    }
    return r;
}

const char* Spieler_String(int modus, int spieler, char* puffer, int schreiben) {
    if (!spieler_nummer_ok("Spieler_String", modus, spieler)) return text_ergebnis(puffer, "");
    Spieler_Client_Egal* t = &Spieler_Texte[spieler];
    if (schreiben) {
        if (modus != 63 && modus != 64) {
            Debug_Out(DEBUG_FEHLER, "Spieler_String(%d): Falscher Parameter!", modus);
            return "";
        }
        if (Welt_Client_Fremd(Spieler_Daten[spieler].team)) {
            Debug_Out(DEBUG_FEHLER, "Spieler_String: CLIENT-WRITE!");
            return "";
        }
        if (!puffer) return "";
        if (modus == 63) feld_text(t->nachname, puffer);
        else feld_text(t->vorname, puffer);
        Spieler_Flags[spieler] = 1;
        return puffer;
    }
    char* r = Temp_String();
    switch (modus) {
        case 63: std::snprintf(r, TEMP_STRING_GROESSE, "%s", t->nachname); break;
        case 64:
            if (t->vorname[0]) std::snprintf(r, TEMP_STRING_GROESSE, "%c.", t->vorname[0]);
            break;
        case 505:
            std::snprintf(r, TEMP_STRING_GROESSE, "%s%s%s", t->vorname, t->vorname[0] ? " " : "", t->nachname);
            break;
        case 508: {
            int n = Spieler_Fix_Daten[spieler].nation;
            const char* land = (n >= 0 && n < Team_Anzahl) ? Team_Fix_Daten[n].name : "";
            std::snprintf(r, TEMP_STRING_GROESSE, "%s%s%s (%s)", t->vorname, t->vorname[0] ? " " : "", t->nachname,
                          land);
            break;
        }
        default: Debug_Out(DEBUG_FEHLER, "Spieler_String(%d): Falscher Parameter!", modus); break;
    }
    return puffer ? std::strcpy(puffer, r) : r;
}

int Spieler_Zeiger_Groesse(int art) {
    switch (art) {
        case 0: return sizeof(Spieler_Struktur);
        case 1: return sizeof(Spieler_Fix);
        case 2: return sizeof(Spieler_Client_Egal);
    }
    return 0;
}

void* Spieler_Zeiger(int art, int spieler, void* puffer, int flag) {
    if (!spieler_nummer_ok("Spieler_Zeiger", art, spieler)) return nullptr;
    void* block = nullptr;
    switch (art) {
        case 0: block = &Spieler_Daten[spieler]; break;
        case 1: block = &Spieler_Fix_Daten[spieler]; break;
        case 2: block = &Spieler_Texte[spieler]; break;
        default: Debug_Out(DEBUG_FEHLER, "Spieler_Zeiger(%d): Falscher Parameter!", art); return nullptr;
    }
    if (flag == 0) return block;
    if (!puffer) return nullptr;
    size_t n = static_cast<size_t>(Spieler_Zeiger_Groesse(art));
    if (flag == 1) {
        if (Welt_Client_Fremd(Spieler_Daten[spieler].team)) {
            Debug_Out(DEBUG_FEHLER, "Spieler_Zeiger: CLIENT-WRITE!");
            return nullptr;
        }
        std::memmove(block, puffer, n);
        Spieler_Flags[spieler] = 1;
    } else {
        std::memmove(puffer, block, n);
    }
    return block;
}

i32 Team_Wert(int modus, int team, i32 wert, int op) {
    if (!team_nummer_ok("Team_Wert", modus, team)) return 0;
    Feld f;
    if (!team_feld(modus, &Team_Daten[team], &Team_Own_Daten[team], &f)) {
        Debug_Out(DEBUG_FEHLER, "Team_Wert(%d): Falscher Parameter!", modus);
        return 0;
    }
    if (op != OP_LESEN && Welt_Client_Fremd(team)) {
        Debug_Out(DEBUG_FEHLER, "Team_Wert: CLIENT-WRITE!");
        return static_cast<i32>(feld_lesen(f));
    }
    // The formation number: bit 128 automatic, the index below 16.
    if (modus == TEAM_WERT_FORMATION && op != OP_LESEN) {
        i64 alt = feld_lesen(f);
        u8 b = static_cast<u8>(alt);
        u8 w = static_cast<u8>(wert);
        u8 n = op == OP_SCHREIBEN ? w : op == OP_BITS_SETZEN ? (b | w) : op == OP_BITS_LOESCHEN ? (b & ~w) : (b ^ w);
        if ((op == OP_SCHREIBEN && (wert < -128 || wert > 255)) || (n & 0x7F) >= FORMATIONEN_PRO_TEAM) {
            Debug_Out(DEBUG_FEHLER, "Team_Wert(8): Wert %d ausserhalb 0..15 (+128)!", static_cast<int>(wert));
            return static_cast<i32>(alt);
        }
        if (op != OP_SCHREIBEN && op != OP_BITS_SETZEN && op != OP_BITS_LOESCHEN && op != OP_BITS_TAUSCHEN) {
            Debug_Out(DEBUG_FEHLER, "Team_Wert(8): Operation %d: Falscher Parameter!", op);
            return static_cast<i32>(alt);
        }
        Team_Own_Daten[team].formation = static_cast<i8>(n);
        return Team_Own_Daten[team].formation;
    }
    return anwenden("Team_Wert", modus, f, wert, op, nullptr);
}

const char* Team_String(int modus, int team, char* puffer, int schreiben) {
    if (!team_nummer_ok("Team_String", modus, team)) return text_ergebnis(puffer, "");
    Team_Fix* x = &Team_Fix_Daten[team];
    if (schreiben) {
        if (Welt_Client_Fremd(team)) {
            Debug_Out(DEBUG_FEHLER, "Team_String: CLIENT-WRITE!");
            return "";
        }
        if (!puffer) return "";
        switch (modus) {
            case 0:
            case 721: feld_text(x->name, puffer); break;
            case 706: feld_text(x->kurzname, puffer); break;
            case 702: feld_text(x->stadion, puffer); break;
            case 703: feld_text(x->stadt, puffer); break;
            case 6: {
                int n = Team_Daten[team].nation;
                if (n < 0 || n >= Team_Anzahl) return "";
                feld_text(Team_Fix_Daten[n].name, puffer);
                break;
            }
            case 300: {
                Manager_Struktur* m = Team_Manager ? Team_Manager[team] : nullptr;
                if (!m) return "";
                feld_text(m->daten.name, puffer);
                break;
            }
            default: Debug_Out(DEBUG_FEHLER, "Team_String(%d): Falscher Parameter!", modus); return "";
        }
        return puffer;
    }
    char* r = Temp_String();
    switch (modus) {
        case 0:
            if (team == Team_Aktiv) std::snprintf(r, TEMP_STRING_GROESSE, "^ub%s^ue", x->name);
            else std::snprintf(r, TEMP_STRING_GROESSE, "%s", x->name);
            break;
        case 721: std::snprintf(r, TEMP_STRING_GROESSE, "%s", x->name); break;
        case 706:
        case 722: std::snprintf(r, TEMP_STRING_GROESSE, "%s", x->kurzname); break;
        case 702: std::snprintf(r, TEMP_STRING_GROESSE, "%s", x->stadion); break;
        case 703: std::snprintf(r, TEMP_STRING_GROESSE, "%s", x->stadt); break;
        case 710: std::snprintf(r, TEMP_STRING_GROESSE, "^gll%04d %s", team, x->name); break;  // inline crest
        case 6: {
            int n = Team_Daten[team].nation;
            if (n >= 0 && n < Team_Anzahl) std::snprintf(r, TEMP_STRING_GROESSE, "%s", Team_Fix_Daten[n].name);
            break;
        }
        case 300: {
            Manager_Struktur* m = Team_Manager ? Team_Manager[team] : nullptr;
            if (m) std::snprintf(r, TEMP_STRING_GROESSE, "%s", m->daten.name);
            break;
        }
        default: Debug_Out(DEBUG_FEHLER, "Team_String(%d): Falscher Parameter!", modus); break;
    }
    return puffer ? std::strcpy(puffer, r) : r;
}

int Team_Zeiger_Groesse(int art) {
    switch (art) {
        case 300: return sizeof(Manager_Daten);
        case 301: return 36;
        case 302: return sizeof(u32) * MANAGER_ICONS;
        case 303: return sizeof(u32) * MANAGER_ICONS;
        case 306: return 3;
        case 307: return 8;
        case 700: return 36;
        case 701: return sizeof(Manager_Struktur);
        case 705: return sizeof(Formation) * FORMATIONEN_PRO_TEAM;
        case 726: return sizeof(i32) * 11;
    }
    return 0;
}

void* Team_Zeiger(int art, int team, void* puffer, int flag) {
    if (!team_nummer_ok("Team_Zeiger", art, team)) return nullptr;
    int groesse = Team_Zeiger_Groesse(art);
    if (groesse == 0) {
        Debug_Out(DEBUG_FEHLER, "Team_Zeiger(%d): Falscher Parameter!", art);
        return nullptr;
    }
    if (flag == 1 && Welt_Client_Fremd(team)) {
        Debug_Out(DEBUG_FEHLER, "Team_Zeiger: CLIENT-WRITE!");
        return nullptr;
    }
    Manager_Struktur* m = Team_Manager ? Team_Manager[team] : nullptr;
    void* block = nullptr;
    switch (art) {
        case 300: block = m ? &m->daten : nullptr; break;
        case 301: block = m ? m->daten.name : nullptr; break;
        case 302: block = m ? m->icon_status : nullptr; break;
        case 303: block = m ? m->icon_wort : nullptr; break;
        case 306: block = m ? m->einstellungen : nullptr; break;
        case 307: block = m ? m->menue_wahl : nullptr; break;
        case 700: block = Team_Fix_Daten[team].farben; break;
        case 701:
            if (flag == 1 && puffer) {
                // Installs a manager record (a copy of the caller's).
                if (!m) {
                    m = static_cast<Manager_Struktur*>(W32_Memory_H_Alloc(sizeof(Manager_Struktur), "Manager"));
                    if (!m) return nullptr;
                    Team_Manager[team] = m;
                    Manager_Anzahl++;
                }
                std::memmove(m, puffer, sizeof(Manager_Struktur));
                m->daten.team = team;
                return m;
            }
            block = m;
            break;
        case 705: block = Team_Own_Daten[team].formationen; break;
        case 726: block = Team_Own_Daten[team].transferfenster; break;
    }
    if (!block || flag == 0) return block;
    if (!puffer) return nullptr;
    if (flag == 1) std::memmove(block, puffer, static_cast<size_t>(groesse));
    else std::memmove(puffer, block, static_cast<size_t>(groesse));
    return block;
}

i32 Manager_Wert(int modus, int team, i32 wert, int op) {
    if (!team_nummer_ok("Manager_Wert", modus, team)) return 0;
    Manager_Struktur* m = Team_Manager ? Team_Manager[team] : nullptr;
    Feld f;
    static Manager_Struktur leer;
    if (!manager_feld(modus, m ? m : &leer, &f)) {
        Debug_Out(DEBUG_FEHLER, "Manager_Wert(%d): Falscher Parameter!", modus);
        return 0;
    }
    if (!m) return op == OP_LESEN && modus == MANAGER_WERT_TEAM ? -1 : 0;
    if (op != OP_LESEN && Welt_Client_Fremd(team)) {
        Debug_Out(DEBUG_FEHLER, "Manager_Wert: CLIENT-WRITE!");
        return static_cast<i32>(feld_lesen(f));
    }
    if (modus == MANAGER_WERT_TEAM && op != OP_LESEN) {
        Debug_Out(DEBUG_FEHLER, "Manager_Wert(1): nur lesbar! Falscher Parameter!");
        return m->daten.team;
    }
    return anwenden("Manager_Wert", modus, f, wert, op, nullptr);
}
