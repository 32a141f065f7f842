#include "season/kalender.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/bereich.h"
#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tempstr.h"
#include "base/types.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/optionen.h"
#include "season/rangliste.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/welt.h"

namespace {

constexpr int MAX_GRUPPEN = KALENDER_MAX_GRUPPEN;
// The list of possible days holds at most 104 entries; every append,
// single or pair, checks that bound.
constexpr int MAX_MOEGLICH = 104;
// A return leg two weeks after the first; after a pair the next first leg
// comes three weeks later at the earliest.
constexpr i32 RUECKSPIEL_ABSTAND = 14;
constexpr i32 PAAR_WOCHEN_SPRUNG = 3;
// Weekday index of day 0 (a Thursday) in the week that the weeks count from.
constexpr i32 WOCHENTAG_TAG0 = 5;
// Extra passes over other weekdays when the weekday's days are not enough.
constexpr int EXTRA_DURCHGAENGE = 9;
// The calendar year of day 0.
constexpr i32 START_JAHR = 2003;

bool initialisiert = false;
Kalender_Zustand zustand;
u8 monatslaengen[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
std::vector<i32> heutige_gruppen;

const char* const WOCHENTAGE[7] = {"Samstag", "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag"};
const char* const MONATE[12] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
char wochentag_text[7][16];
char monat_text[12][16];

bool schaltjahr(i32 jahr) { return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0; }

void texte_aufloesen() {
    for (int i = 0; i < 7; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "*%d", i);
        const char* t = Season_Gui.Text(id);
        std::snprintf(wochentag_text[i], sizeof wochentag_text[i], "%s", t ? t : WOCHENTAGE[i]);
    }
    for (int i = 0; i < 12; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "*%d", 7 + i);
        const char* t = Season_Gui.Text(id);
        std::snprintf(monat_text[i], sizeof monat_text[i], "%s", t ? t : MONATE[i]);
    }
}

// The four date templates of the screen text table ("*19" .. "*22"); used
// only when the first begins with "#".
const char* vorlage(int n) {
    char id[16];
    std::snprintf(id, sizeof id, "*%d", 18 + n);
    return Season_Gui.Text(id);
}

void vorlage_anwenden(const char* v, const Datum& d, char* out, size_t groesse) {
    // Asked for every frame (the main menu's date): written in place.
    if (!out || groesse == 0) return;
    size_t n = 0;
    auto dazu = [&](const char* t) {
        for (; *t && n + 1 < groesse; ++t) out[n++] = *t;
    };
    for (const char* c = v + 1; *c; ++c) {
        char zahl[16];
        switch (*c) {
            case 'd':
                std::snprintf(zahl, sizeof zahl, "%d", d.tag_im_monat);
                dazu(zahl);
                break;
            case 'm': dazu(d.monat_name); break;
            case 'n':
                std::snprintf(zahl, sizeof zahl, "%d", d.monat);
                dazu(zahl);
                break;
            case 'w': dazu(d.wochentag_name); break;
            case 'y':
                std::snprintf(zahl, sizeof zahl, "%d", d.jahr);
                dazu(zahl);
                break;
            default: {
                const char ein[2] = {*c, 0};
                dazu(ein);
                break;
            }
        }
    }
    out[n] = 0;
}

void texte_bauen(Datum& d, bool lang) {
    if (wochentag_text[0][0] == 0) texte_aufloesen();
    std::memset(d.wochentag_name, 0, sizeof d.wochentag_name);
    std::memset(d.monat_name, 0, sizeof d.monat_name);
    std::strncpy(d.wochentag_name, wochentag_text[d.wochentag], 14);
    std::strncpy(d.monat_name, monat_text[d.monat - 1], 14);
    std::memset(d.name_text, 0, sizeof d.name_text);
    std::memset(d.zahl_text, 0, sizeof d.zahl_text);
    const char* v1 = vorlage(1);
    if (v1 && v1[0] == '#') {
        const char* a = vorlage(lang ? 1 : 3);
        const char* b = vorlage(lang ? 2 : 4);
        vorlage_anwenden(a ? a : "#", d, d.name_text, sizeof d.name_text);
        vorlage_anwenden(b ? b : "#", d, d.zahl_text, sizeof d.zahl_text);
        return;
    }
    if (lang) {
        std::snprintf(d.name_text, sizeof d.name_text, "%s, %d.%s %d", d.wochentag_name, d.tag_im_monat, d.monat_name,
                      d.jahr);
        std::snprintf(d.zahl_text, sizeof d.zahl_text, "%s, %d.%d.%d", d.wochentag_name, d.tag_im_monat, d.monat,
                      d.jahr);
    } else {
        std::snprintf(d.name_text, sizeof d.name_text, "%d.%s %d", d.tag_im_monat, d.monat_name, d.jahr);
        std::snprintf(d.zahl_text, sizeof d.zahl_text, "%d.%d.%d", d.tag_im_monat, d.monat, d.jahr);
    }
}

// Builds the date of a day index (0 or later).
Datum datum_bauen(i32 tag, bool lang) {
    Datum d;
    std::memset(&d, 0, sizeof d);
    if (tag < 0) tag = 0;
    d.tag = tag;
    d.wochentag = (5 + tag % 7) % 7;
    // Days since 1 July 2003; a year runs from 1 July to 30 June.
    i32 rest = tag + 2;
    i32 jahr = START_JAHR;
    for (;;) {
        i32 laenge = schaltjahr(jahr + 1) ? 366 : 365;
        if (rest < laenge) break;
        rest -= laenge;
        ++jahr;
    }
    monatslaengen[1] = schaltjahr(jahr + 1) ? 29 : 28;
    int monat = 6;
    while (rest >= monatslaengen[monat]) {
        rest -= monatslaengen[monat];
        if (++monat == 12) {
            monat = 0;
            ++jahr;
        }
    }
    d.tag_im_monat = rest + 1;
    d.monat = monat + 1;
    d.jahr = jahr;
    d.vor_schaltjahr = schaltjahr(jahr + 1) ? 1 : 0;
    texte_bauen(d, lang);
    return d;
}

i32 tage_seit_1970(i32 y, i32 m, i32 d) {
    // Days from civil (proleptic Gregorian).
    y -= m <= 2;
    const i32 era = (y >= 0 ? y : y - 399) / 400;
    const i32 yoe = y - era * 400;
    const i32 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const i32 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

i32 heute_offset() { return zustand.aktuell.tag - zustand.basistag; }

bool bit_gesetzt(i32 offset, i32 slot) {
    if (offset < 0 || offset >= KALENDER_TAGE || slot < 0 || slot >= KALENDER_SLOTS) return false;
    return (zustand.bits[slot / 32][offset] >> (slot % 32)) & 1u;
}

bool tag_frei(i32 offset) {
    if (offset < 0 || offset >= KALENDER_TAGE) return false;
    for (int r = 0; r < 4; ++r)
        if (zustand.bits[r][offset]) return false;
    return true;
}

i32 art_von(i32 offset) {
    if (offset < 0 || offset >= KALENDER_TAGE) return -1;
    return zustand.art[offset];
}

// The list of possible days of Kalender_Termine_Verteilen.
struct Moeglich {
    std::vector<i32> tage;
    bool paare = false;

    // True when the day or its return day lies within an earlier pair.
    bool in_paar_spanne(i32 tag) const {
        for (size_t i = 0; i + 1 < tage.size(); i += 2)
            if (tag >= tage[i] && tag <= tage[i + 1]) return true;
        return false;
    }
    bool enthaelt(i32 tag) const { return std::find(tage.begin(), tage.end(), tag) != tage.end(); }
};

// Adds a day to the list (and, in pair mode, its return day 14 days later).
bool vormerken(Moeglich& m, i32 tag, i32 art) {
    if (tag <= 0 || tag >= KALENDER_TAGE) return false;
    if (art != -1 && art_von(tag) != art) return false;
    if (!m.paare) {
        if (static_cast<int>(m.tage.size()) >= MAX_MOEGLICH) return false;
        if (m.enthaelt(tag)) return false;
        m.tage.push_back(tag);
        return true;
    }
    i32 rueck = tag + RUECKSPIEL_ABSTAND;
    if (rueck >= KALENDER_TAGE) return false;
    if (static_cast<int>(m.tage.size()) + 2 > MAX_MOEGLICH) return false;
    if (m.in_paar_spanne(tag) || m.in_paar_spanne(rueck)) return false;
    if (art_von(rueck) != art && !tag_frei(rueck)) return false;
    m.tage.push_back(tag);
    m.tage.push_back(rueck);
    return true;
}

void mischen(std::vector<i32>& v, size_t von, size_t bis, bool paare) {
    if (bis > v.size()) bis = v.size();
    if (von >= bis || bis - von < 2) return;
    std::vector<u32> t(v.begin() + von, v.begin() + bis);
    if (paare) SortMisch_Mische_Paare(t.data(), static_cast<i32>(t.size()));
    else SortMisch_Mische(t.data(), static_cast<i32>(t.size()));
    for (size_t i = 0; i < t.size(); ++i) v[von + i] = static_cast<i32>(t[i]);
}

i32 schnitt(i32 c3, i32 n, i32 p, bool paare) {
    i32 anz = static_cast<i32>(static_cast<double>(c3) * n / static_cast<double>(p + n));
    if (anz == c3 && p != 0) --anz;
    if (paare && ((anz - c3) % 2 != 0)) --anz;
    return std::max(anz, 0);
}

// Marks n of the c possible days for the slot, spread evenly; returns the
// number of days marked.
int termine_streuen(const std::vector<i32>& tage, int n, i32 slot, i32 art) {
    int c = static_cast<int>(tage.size());
    if (c == 0 || n <= 0) return 0;
    std::vector<bool> gestrichen(c, false);
    int schritt = c * 10 / n;  // tenths
    int cursor = 0, zehntel = 0, markiert = 0;
    int versuche = 0;
    while (markiert < n && versuche < 4 * c + 8) {
        ++versuche;
        if (!gestrichen[cursor]) {
            gestrichen[cursor] = true;  // tried once: never again
            if (Kalender_Termin_Setzen(tage[cursor], slot, art)) ++markiert;
            cursor = (cursor + 1) % c;
        }
        zehntel += schritt / 2;
        cursor = (cursor + zehntel / 10) % c;
        zehntel %= 10;
        // When the cursor lands on a day already tried, move on to the next
        // one not yet tried.
        int weiter = 0;
        while (gestrichen[cursor] && weiter < c) {
            cursor = (cursor + 1) % c;
            ++weiter;
        }
        if (weiter == c) break;
    }
    return markiert;
}

}  // namespace

// ---------------------------------------------------------------------------

bool Kalender_Init(const Datum* datum) {
    std::memset(&zustand, 0, sizeof zustand);
    zustand.wochentag_tag0 = WOCHENTAG_TAG0;
    Kalender_Re_Init();
    texte_aufloesen();
    zustand.aktuell = datum ? *datum : datum_bauen(0, true);
    heutige_gruppen.clear();
    initialisiert = true;
    return true;
}

void Kalender_Re_Init() {
    std::memset(zustand.bits, 0, sizeof zustand.bits);
    for (auto& a : zustand.art) a = -1;
    zustand.slot_zaehler = 0;
}

void Kalender_Jedes_Jahr() {
    if (ruf::Client()) return;
    Kalender_Re_Init();
    Season_Module.Wettbewerb_Jedes_Jahr();
}

void Kalender_Free() {
    initialisiert = false;
    heutige_gruppen.clear();
}

bool Kalender_Ist_Initialisiert() { return initialisiert; }

Datum Kalender_Get_Datum_Von_Tag(i32 tag, bool lang) {
    if (tag == -1) {
        Datum d = zustand.aktuell;
        texte_bauen(d, lang);
        return d;
    }
    return datum_bauen(tag, lang);
}

i32 Kalender_Get_Tag() { return zustand.aktuell.tag; }
i32 Kalender_Get_Jahr() { return zustand.jahr; }
Datum Kalender_Get_Datum() { return zustand.aktuell; }
i32 Kalender_Get_Basistag() { return zustand.basistag; }

// Both texts go into temporary strings.
const char* Kalender_Get_Datum_Text(i32 tag, bool lang) {
    Datum d = Kalender_Get_Datum_Von_Tag(tag, lang);
    return static_cast<const char*>(std::memcpy(Temp_String(), d.name_text, sizeof d.name_text));
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
const char* Kalender_Get_Datum_Text_Lang(i32 tag, bool lang) {
    Datum d = Kalender_Get_Datum_Von_Tag(tag, lang);
    return static_cast<const char*>(std::memcpy(Temp_String(), d.zahl_text, sizeof d.zahl_text));
}

const char* Kalender_Get_Wochentag_Text(i32 index) {
    if (wochentag_text[0][0] == 0) texte_aufloesen();
    i32 i = index % 7;
    if (i < 0) i += 7;
    return wochentag_text[i];
}

const char* Kalender_Get_Monat_Text(i32 monat) {
    if (monat_text[0][0] == 0) texte_aufloesen();
    if (monat < 1 || monat > 12) return "";
    return monat_text[monat - 1];
}

namespace {
// "August 2004": a month (1..12) and its year.
const char* monat_und_jahr(i32 monat, i32 jahr) {
    char* t = Temp_String();
    std::snprintf(t, TEMP_STRING_GROESSE, "%s %d", Kalender_Get_Monat_Text(monat), jahr);
    return t;
}
}  // namespace

const char* Kalender_Periode_Text(i32 offset) {
    const Datum heute = Kalender_Get_Datum_Von_Tag(-1, false);
    i32 monat = heute.monat - 1 + offset, jahr = heute.jahr;
    while (monat < 0) monat += 12, --jahr;
    while (monat > 11) monat -= 12, ++jahr;
    return monat_und_jahr(monat + 1, jahr);
}

const char* Kalender_Monat_Text_Von_Tag(i32 tag) {
    const Datum d = Kalender_Get_Datum_Von_Tag(tag, false);
    return monat_und_jahr(d.monat, d.jahr);
}

i32 Kalender_Monate_Seit(i32 tag) {
    const Datum d = Kalender_Get_Datum_Von_Tag(tag, false), heute = Kalender_Get_Datum_Von_Tag(-1, false);
    return (heute.jahr - d.jahr) * 12 + heute.monat - d.monat;
}

i32 Kalender_Get_Tag_Aus_Datum(i32 tag, i32 monat, i32 jahr) {
    if (monat < 1 || monat > 12 || tag < 1) return -1;
    static const int laengen[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (tag > laengen[monat - 1] || (monat == 2 && tag == 29 && !schaltjahr(jahr))) return -1;
    if (jahr > 1000000 || jahr < -1000000) return -1;
    i64 d = static_cast<i64>(tage_seit_1970(jahr, monat, tag)) - tage_seit_1970(2003, 7, 3);
    if (d < 0) return 0;
    if (d > 0x7FFFFFFF) return -1;
    return static_cast<i32>(d);
}

// ---------------------------------------------------------------------------

int Kalender_Spieltage_Heute(i32 offset, int modus, i32* liste) {
    if (!initialisiert) return 0;
    if (offset == -1) offset = heute_offset();
    if (offset < 0 || offset >= KALENDER_TAGE) return 0;
    if (modus == 0) heutige_gruppen.clear();
    int anzahl = 0;
    std::vector<i32> gelistet;
    for (i32 slot = 0; slot < KALENDER_SLOTS; ++slot) {
        if (!bit_gesetzt(offset, slot)) continue;
        i32 id = Wettbewerb_Get_Id_Von_Kalendermarke(slot);
        if (id < 0) continue;
        // Every group of the competition's round plays on its day; groups
        // with marks of their own are listed once.
        Wettbewerb_Gruppen_Iterator it(id);
        for (i32 g = it.Erste(); g != -1 && anzahl < MAX_GRUPPEN; g = it.Naechste()) {
            if (std::find(gelistet.begin(), gelistet.end(), g) != gelistet.end()) continue;
            gelistet.push_back(g);
            if (modus == 0) heutige_gruppen.push_back(g);
            else if (liste) liste[anzahl] = g;
            ++anzahl;
        }
    }
    return anzahl;
}

int Kalender_Spieltage_Am_Tag(i32 tag) {
    if (!initialisiert) return 0;
    i32 offset = tag == -1 ? -1 : tag - zustand.basistag;
    if (offset < -1) return 0;
    return Kalender_Spieltage_Heute(offset, 1, nullptr);
}

i32 Kalender_Get_Spieltermin(i32 wettbewerb, i32 spieltag, i32 runde) {
    if (!initialisiert) return 0;
    i32 marke = Wettbewerb_Get_Kalendermarke(wettbewerb);
    i32 legs = Wettbewerb_Get_Best_Of(wettbewerb);
    if (legs <= 0) legs = 1;
    i32 ziel = spieltag * legs + runde + 1;
    if (marke < 0 || ziel <= 0) return zustand.basistag;
    i32 gezaehlt = 0;
    for (i32 d = 0; d < KALENDER_TAGE; ++d) {
        if (bit_gesetzt(d, marke) && ++gezaehlt == ziel) return zustand.basistag + d;
    }
    return zustand.basistag;
}

i32 Kalender_Get_Spieltag_Nummer(i32 tag, i32 wettbewerb, i32* runde) {
    if (runde) *runde = 0;
    if (!initialisiert) return -1;
    i32 marke = Wettbewerb_Get_Kalendermarke(wettbewerb);
    i32 bis = std::min<i32>(tag - zustand.basistag, KALENDER_TAGE - 1);
    i32 nummer = -1;
    for (i32 d = 0; d <= bis; ++d)
        if (bit_gesetzt(d, marke)) ++nummer;
    if (nummer == -1) return -1;
    i32 bo = Wettbewerb_Get_Best_Of(wettbewerb);
    if (bo != 0) {
        if (runde) *runde = nummer % bo;
        return nummer / bo;
    }
    return nummer;
}

void Kalender_Termine_Loeschen(i32 wettbewerb) {
    if (!initialisiert) return;
    i32 marke = Wettbewerb_Get_Kalendermarke(wettbewerb);
    if (marke < 0 || marke >= KALENDER_SLOTS) return;
    for (int d = 0; d < KALENDER_TAGE; ++d) zustand.bits[marke / 32][d] &= ~(1u << (marke % 32));
}

i32 Kalender_Neuer_Slot() { return zustand.slot_zaehler++; }

bool Kalender_Spielt_Am_Tag(i32 offset, i32 marke) {
    i32 id = Wettbewerb_Get_Id_Von_Kalendermarke(marke);
    int n = Kalender_Spieltage_Heute(offset, 0, nullptr);
    for (int i = 0; i < n; ++i)
        if (heutige_gruppen[i] == id && id != -1) return true;
    return false;
}

i32 Kalender_Get_Tag_Art(i32 offset) {
    if (offset <= 0 || offset >= KALENDER_TAGE) return -1;
    return zustand.art[offset];
}

bool Kalender_Termin_Gesetzt(i32 offset, i32 slot) { return bit_gesetzt(offset, slot); }

bool Kalender_Termin_Setzen(i32 tag, i32 slot, i32 art) {
    if (!initialisiert) return false;
    if (tag >= KALENDER_TAGE) tag -= zustand.basistag;
    if (tag < 0 || tag >= KALENDER_TAGE || slot < 0 || slot >= KALENDER_SLOTS) return false;
    u32& wort = zustand.bits[slot / 32][tag];
    if (wort != 0 && art != -1 && zustand.art[tag] != art) return false;
    wort |= 1u << (slot % 32);
    if (art != -1) zustand.art[tag] = art;
    return true;
}

bool Kalender_Termin_Setzen_Extern(i32 tag, i32 slot, i32 art) { return Kalender_Termin_Setzen(tag, slot, art); }

namespace {

// One distribution of matchdays over the calendar (Kalender_Termine_Verteilen):
// the possible days are gathered in passes, cut to the share of this round,
// put in order and marked.
struct Verteilung {
    i32 n, p, quote, erste_woche, letzte_woche, art, frei_von, frei_bis;
    bool paare;
    i32 offset = 0, mitte = 0;  // the weekday, and the midweek day
    Moeglich m;
    int c2 = 0;  // days found on the weekday and the midweek day (passes 1 to 3 before the cut)
    int start = 0;
    bool extra = false;

    bool gesperrt(i32 woche) const { return woche >= frei_von && woche <= frei_bis; }

    template <class Nehmen>
    void wochen_lauf(i32 tag_offset, Nehmen&& nehmen) {
        for (i32 w = erste_woche; w <= letzte_woche; ++w) {
            if (gesperrt(w)) continue;
            i32 tag = w * 7 + tag_offset;
            if (nehmen(tag) && paare) w += PAAR_WOCHEN_SPRUNG;
        }
    }

    void grenzen(i32 wochentag, i32 vorgaenger_marke) {
        if (wochentag < 0 || wochentag > 6) wochentag = 0;
        offset = wochentag - WOCHENTAG_TAG0;
        if (offset < 0) offset += 7;
        if (p < 0) p = 0;
        quote = std::clamp(quote, 0, 100);
        if (letzte_woche < 1 || letzte_woche > 52) letzte_woche = 52;
        if (erste_woche < 0) erste_woche = 0;
        if (vorgaenger_marke >= 0 && vorgaenger_marke < KALENDER_SLOTS) {
            for (i32 d = 0; d < KALENDER_TAGE; ++d)
                if (bit_gesetzt(d, vorgaenger_marke)) erste_woche = std::max(erste_woche, d / 7 + 1);
        }
        erste_woche = std::max(erste_woche, (heute_offset() + 6) / 7);
        m.paare = paare;
        mitte = ((offset == 4) ? offset + 3 : offset + 4) % 7;
    }

    // Passes 1 to 3: days of the kind on the weekday, on a midweek day, then
    // free days on the weekday; cut to the share that leaves room for the
    // later rounds.
    void wochentag_durchgaenge() {
        int c1 = 0;
        if (art != -1) {
            wochen_lauf(offset, [&](i32 tag) { return art_von(tag) == art && vormerken(m, tag, art); });
            c1 = static_cast<int>(m.tage.size());
            if (c1 > 0 && c1 < n) {
                for (i32 w = erste_woche; w <= letzte_woche; ++w) {
                    if (gesperrt(w)) continue;
                    int cnt = static_cast<int>(m.tage.size());
                    if (cnt >= n || c1 * 100 < quote * cnt) break;
                    i32 tag = w * 7 + mitte;
                    if (art_von(tag) == art && vormerken(m, tag, art) && paare) w += PAAR_WOCHEN_SPRUNG;
                }
                int cnt = static_cast<int>(m.tage.size());
                if (cnt > 0 && c1 * 100 <= (quote + 5) * cnt) quote = 100;
            }
        }
        c2 = static_cast<int>(m.tage.size());
        if (c2 < n) wochen_lauf(offset, [&](i32 tag) { return tag_frei(tag) && vormerken(m, tag, -1); });
        const int c3 = static_cast<int>(m.tage.size());
        m.tage.resize(std::min<int>(schnitt(c3, n, p, paare), c3));
    }

    // Whether an extra pass r may take the day.
    bool extra_tag_passt(int r, i32 tag) const {
        if (tag <= 0 || tag >= KALENDER_TAGE) return false;
        if (!(art_von(tag) == art || tag_frei(tag))) return false;
        if ((r == 1 || r == 2) && (!tag_frei(tag - 1) || !tag_frei(tag + 1))) return false;
        if (r >= 1 && r <= 5 && art != -1 && (art_von(tag - 1) == art || art_von(tag + 1) == art)) return false;
        if (m.enthaelt(tag)) return false;
        if (paare) {
            i32 rueck = tag + RUECKSPIEL_ABSTAND;
            if (rueck >= KALENDER_TAGE || m.in_paar_spanne(tag) || m.in_paar_spanne(rueck)) return false;
            return tag_frei(rueck) && static_cast<int>(m.tage.size()) + 2 <= MAX_MOEGLICH;
        }
        return static_cast<int>(m.tage.size()) < MAX_MOEGLICH;
    }

    // Inserts a day of an extra pass before the first later entry of it.
    void extra_einfuegen(i32 tag) {
        size_t pos = m.tage.size();
        for (size_t i = start; i < m.tage.size(); i += (paare ? 2 : 1))
            if (m.tage[i] > tag) {
                pos = i;
                break;
            }
        if (paare) m.tage.insert(m.tage.begin() + pos, {tag, tag + RUECKSPIEL_ABSTAND});
        else m.tage.insert(m.tage.begin() + pos, tag);
    }

    // Extra passes on other weekdays while the days are not enough.
    void extra_durchgaenge() {
        i32 limit = std::min<i32>(static_cast<i32>(m.tage.size()), n);
        for (int r = 0; r < EXTRA_DURCHGAENGE && limit * quote / 100 < n; ++r) {
            if (!extra) start = static_cast<int>(m.tage.size());
            extra = true;
            i32 eo = (mitte + 2 * (r % 3)) % 7;
            i32 spaetester_alt = 0;
            for (int i = 0; i < start; ++i) spaetester_alt = std::max(spaetester_alt, m.tage[i]);
            for (i32 w = erste_woche; w <= letzte_woche; ++w) {
                if (gesperrt(w)) continue;
                i32 tag = w * 7 + eo;
                if (!extra_tag_passt(r, tag)) continue;
                extra_einfuegen(tag);
                if (paare) w += PAAR_WOCHEN_SPRUNG;
            }
            if (start == 0) {
                int neu = std::min<int>(schnitt(static_cast<int>(m.tage.size()), n, p, paare),
                                        static_cast<int>(m.tage.size()));
                m.tage.resize(neu);
            }
            int k = static_cast<int>(m.tage.size());
            if (start > 0) {
                for (int i = start; i < static_cast<int>(m.tage.size()); ++i)
                    if (m.tage[i] >= spaetester_alt) {
                        k = i;
                        break;
                    }
            }
            if (paare && (k % 2)) --k;
            if (n <= limit * quote / 100 + k - start) break;
            limit = static_cast<i32>(m.tage.size());
            start = static_cast<int>(m.tage.size());
        }
    }

    // Order: which of the possible days are taken is drawn through the
    // random table.
    void reihenfolge(bool nicht_mischen) {
        int cnt = static_cast<int>(m.tage.size());
        i32 letzter_alt = 0;
        for (int i = 0; i < std::min(start, cnt); ++i) letzter_alt = std::max(letzter_alt, m.tage[i]);
        if (start != 0 && cnt - start >= 2) {
            int e = cnt;
            for (int i = start; i < cnt; ++i)
                if (m.tage[i] > letzter_alt) {
                    e = i;
                    break;
                }
            e = std::max(e, std::min(n, cnt));
            if (paare && ((e - start) % 2)) ++e;
            mischen(m.tage, start, std::min(e, cnt), paare);
        }
        if (nicht_mischen) return;
        if (start < n) {
            if (start > c2) mischen(m.tage, c2, start, paare);
            if (!extra) mischen(m.tage, start, cnt, paare);
        } else {
            int mm = static_cast<int>(static_cast<i64>(start) * n / (p + n));
            if (paare && (mm % 2)) --mm;
            if (n <= mm + cnt - start && mm != c2 && mm > c2) mischen(m.tage, c2, mm, paare);
        }
        if (cnt > n && start != 0 && quote < 100) {
            int grenze = (100 - quote) * n / 100;
            int schritt = paare ? 2 : 1;
            for (int k = 0; k < grenze && start + k + schritt - 1 < cnt; k += schritt) {
                if (p != 0 && m.tage[start + k] > letzter_alt) continue;
                std::swap(m.tage[k], m.tage[start + k]);
                if (paare) std::swap(m.tage[k + 1], m.tage[start + k + 1]);
            }
        }
    }

    // Marks the first n days for the slot (-1: a new one); -1 when the days
    // are not enough, with no partial marks left.
    i32 markieren(i32 slot) {
        const int cnt = static_cast<int>(m.tage.size());
        if (cnt < n) return -1;
        m.tage.resize(n);
        Debug_Printf("Sptge:%d Art:%d Super_Art:%d Mgl:%d\n", n, art, art, cnt);
        if (slot == -1) slot = zustand.slot_zaehler;
        if (slot < 0 || slot >= KALENDER_SLOTS) return -1;
        if (termine_streuen(m.tage, n, slot, art) < n) {
            for (i32 t : m.tage)
                if (t >= 0 && t < KALENDER_TAGE) zustand.bits[slot / 32][t] &= ~(1u << (slot % 32));
            return -1;
        }
        if (slot == zustand.slot_zaehler) ++zustand.slot_zaehler;
        return slot;
    }
};

}  // namespace

i32 Kalender_Termine_Verteilen(i32 n, i32 vorgaenger_marke, i32 p, i32 wochentag, i32 quote, i32 erste_woche,
                               i32 letzte_woche, i32 art, i32 frei_von, i32 frei_bis, i32 slot, bool nicht_mischen,
                               bool paare) {
    if (!initialisiert) return -1;
    if (n <= 0) return slot;
    Verteilung v{n, p, quote, erste_woche, letzte_woche, art, frei_von, frei_bis, paare};
    v.grenzen(wochentag, vorgaenger_marke);
    v.wochentag_durchgaenge();
    v.extra_durchgaenge();
    v.reihenfolge(nicht_mischen);
    return v.markieren(slot);
}

// ---------------------------------------------------------------------------

Kalender_Zustand& Kalender_Get_Zustand() { return zustand; }

void Kalender_Datum_Schreiben(const Datum& d, u8* out) {
    bytes::bild_schreiben(out, sizeof(Datum), [&](bytes::Schreiber& s) { s(d); });
}

namespace {
// A read date's texts end inside their fields.
void datum_abschliessen(Datum& d) { d.name_text[49] = d.zahl_text[29] = d.wochentag_name[14] = d.monat_name[15] = 0; }
}  // namespace

void Kalender_Datum_Lesen(Datum& d, const u8* in) {
    bytes::Leser l(in, sizeof(Datum));
    l(d);
    datum_abschliessen(d);
}

namespace {

// The values a calendar state can hold; a save or a stream with others
// (a day kind out of range, a negative slot counter, a date that does not
// fit its record) is refused.
bool zustand_gueltig(const Kalender_Zustand& z) {
    const Datum& d = z.aktuell;
    if (!Bereiche_Pruefen("Kalender", {{"tag", d.tag, 0, KALENDER_TAG_MAX},
                                       {"tag_im_monat", d.tag_im_monat, 1, 31},
                                       {"wochentag", d.wochentag, 0, 6},
                                       {"monat", d.monat, 1, 12},
                                       {"jahr", d.jahr, START_JAHR, START_JAHR + KALENDER_JAHRE_MAX},
                                       {"vor_schaltjahr", d.vor_schaltjahr, 0, 1},
                                       {"basistag", z.basistag, 0, d.tag},
                                       {"wochentag_tag0", z.wochentag_tag0, WOCHENTAG_TAG0, WOCHENTAG_TAG0},
                                       {"saisonjahr", z.jahr, 0, KALENDER_JAHRE_MAX},
                                       {"slot_zaehler", z.slot_zaehler, 0, KALENDER_SLOTS}}))
        return false;
    for (i32 art : z.art)
        if (!Bereiche_Pruefen("Kalender", {{"art", art, -1, KALENDER_ARTEN - 1}})) return false;
    // The date record is the day index's own date; the base day is a
    // Thursday at most a season before it.
    const Datum soll = datum_bauen(d.tag, false);
    return Bereiche_Pruefen("Kalender", {{"tag_im_monat", d.tag_im_monat, soll.tag_im_monat, soll.tag_im_monat},
                                         {"monat", d.monat, soll.monat, soll.monat},
                                         {"jahr", d.jahr, soll.jahr, soll.jahr},
                                         {"wochentag", d.wochentag, soll.wochentag, soll.wochentag},
                                         {"vor_schaltjahr", d.vor_schaltjahr, soll.vor_schaltjahr, soll.vor_schaltjahr},
                                         {"basistag_wochentag", z.basistag % 7, 0, 0},
                                         {"saisontag", d.tag - z.basistag, 0, KALENDER_SAISON_TAGE_MAX - 1}});
}

// The run loop's part of the save image, after the state block.
struct Lauf_Bild {
    u8 anfragen[7];  // load, save, question key, save cancel, reserved, key pending, new day
    i32 runmodus;
    i32 zug_gestartet;
    u8 monate[12];
    i32 zug_index;
    i32 zug_anzahl;
    i32 spielzeit;  // ms since the turn started
    i32 zugliste[KALENDER_MAX_ZUGLISTE];
};
template <class V, bytes::Art<Lauf_Bild> S>
constexpr void felder(V& v, S& r) {
    v(r.anfragen), v(r.runmodus), v(r.zug_gestartet), v(r.monate), v(r.zug_index), v(r.zug_anzahl), v(r.spielzeit);
    v(r.zugliste);
}
constexpr size_t LAUF_BILD_GROESSE = 7 + 8 + 12 + 12 + 4 * KALENDER_MAX_ZUGLISTE;
static_assert(bytes::groesse<Lauf_Bild>() == LAUF_BILD_GROESSE);
constexpr size_t BILD_GROESSE = KALENDER_ZUSTAND_GROESSE + LAUF_BILD_GROESSE;
// The turn list is written packed behind the rest.
constexpr size_t KOPF_OHNE_LISTE = BILD_GROESSE - 4 * KALENDER_MAX_ZUGLISTE;

bool runmodus_gueltig(i32 m) {
    switch (m) {
        case RUNMODUS_TAGE_LAUFEN:
        case RUNMODUS_SPIEL:
        case RUNMODUS_WARTEN_17:
        case RUNMODUS_WARTEN_18:
        case RUNMODUS_NEUES_SPIEL:
        case RUNMODUS_ENDE:
        case RUNMODUS_SPIELTAG:
        case RUNMODUS_WIZARD:
        case RUNMODUS_WARTEN_24: return true;
        default: return false;
    }
}

bool lauf_bild_gueltig(const Lauf_Bild& b) {
    // Load and save requests name a slot + 1; the four flags are 0 or 1; the
    // new-day byte is idle, advancing or stopped.
    if (b.anfragen[0] > SPIELSTAND_SLOTS || b.anfragen[1] > SPIELSTAND_SLOTS) return false;
    for (int i = 2; i < 6; ++i)
        if (b.anfragen[i] > 1) return false;
    if (b.anfragen[6] != 0 && b.anfragen[6] != 1 && b.anfragen[6] != 255) return false;
    if (!runmodus_gueltig(b.runmodus)) return false;
    if (b.zug_gestartet != 0 && b.zug_gestartet != 1) return false;
    for (u8 m : b.monate)
        if (m < 28 || m > 31) return false;
    if (b.zug_anzahl < 0 || b.zug_anzahl > KALENDER_MAX_ZUGLISTE || b.zug_index < 0 || b.zug_index > b.zug_anzahl)
        return false;
    for (i32 i = 0; i < b.zug_anzahl; ++i)
        if (!Bereiche_Pruefen("Kalender", {{"zugliste", b.zugliste[i], 0, MAX_TEAMS - 1}})) return false;
    return true;
}

// Reads and checks a whole image; nothing is taken over.
bool bild_lesen(const u8* data, size_t n, Kalender_Zustand& z, Lauf_Bild& b) {
    if (!data || n != BILD_GROESSE || !Kalender_Zustand_Lesen(z, data, n)) return false;
    bytes::Leser l(data + KALENDER_ZUSTAND_GROESSE, LAUF_BILD_GROESSE);
    l(b);
    return !l.fehler && lauf_bild_gueltig(b);
}

}  // namespace

void Kalender_Zustand_Schreiben(const Kalender_Zustand& z, u8* out) {
    bytes::bild_schreiben(out, KALENDER_ZUSTAND_GROESSE, [&](bytes::Schreiber& s) { s(z); });
}

bool Kalender_Zustand_Lesen(Kalender_Zustand& z, const u8* in, size_t n) {
    if (n < KALENDER_ZUSTAND_GROESSE) return false;
    Kalender_Zustand neu;
    bytes::Leser l(in, KALENDER_ZUSTAND_GROESSE);
    l(neu);
    datum_abschliessen(neu.aktuell);
    if (!zustand_gueltig(neu)) return false;
    z = neu;
    return true;
}

std::vector<u8> Kalender_Save_Bild() {
    std::vector<u8> out;
    if (!initialisiert) return out;
    const Kalender_Lauf& l = Kalender_Lauf_Get();
    Lauf_Bild b = {.anfragen = {l.laden, l.speichern, l.frage_taste, l.speichern_abbruch, l.reserviert, l.taste_wartet,
                                l.neuer_tag},
                   .runmodus = l.runmodus,
                   .zug_gestartet = l.zug_gestartet,
                   .monate = {},
                   .zug_index = l.zug_index,
                   .zug_anzahl = l.zug_anzahl,
                   .spielzeit = static_cast<i32>(l.jetzt - l.zug_start),
                   .zugliste = {}};
    std::memcpy(b.monate, monatslaengen, sizeof b.monate);
    std::memcpy(b.zugliste, l.zugliste, sizeof b.zugliste);
    bytes::Schreiber s{out};
    s(zustand), s(b);
    return out;
}

bool Kalender_Load_Bild(const u8* data, size_t n) {
    if (!initialisiert) return false;
    Kalender_Zustand neu;
    Lauf_Bild b;
    if (!bild_lesen(data, n, neu, b)) return false;
    Kalender_Lauf& l = Kalender_Lauf_Get();
    zustand = neu;
    l.laden = b.anfragen[0];
    l.speichern = b.anfragen[1];
    l.frage_taste = b.anfragen[2];
    l.speichern_abbruch = b.anfragen[3];
    l.reserviert = b.anfragen[4];
    l.taste_wartet = b.anfragen[5];
    l.neuer_tag = b.anfragen[6];
    l.runmodus = Kalender_Runmodus = b.runmodus;
    l.zug_gestartet = b.zug_gestartet;
    std::memcpy(monatslaengen, b.monate, sizeof b.monate);
    l.zug_index = b.zug_index;
    l.zug_anzahl = b.zug_anzahl;
    l.zug_start = l.jetzt - static_cast<u32>(b.spielzeit);
    std::memcpy(l.zugliste, b.zugliste, sizeof b.zugliste);
    return true;
}

namespace {
std::vector<u8> kalender_staging;
}  // namespace

bool Kalender_Save(Datei_Status* datei) {
    if (!initialisiert || !datei) return false;
    std::vector<u8> b = Kalender_Save_Bild();
    return Datei_Schreiben(datei, b.data(), static_cast<u32>(KOPF_OHNE_LISTE)) &&
           Datei_Schreiben_Gepackt(datei, b.data() + KOPF_OHNE_LISTE, 4 * KALENDER_MAX_ZUGLISTE);
}

bool Kalender_Lesen(Datei_Status* datei) {
    kalender_staging.clear();
    if (!initialisiert || !datei) return false;
    std::vector<u8> b(BILD_GROESSE);
    if (Datei_Lesen(datei, b.data(), static_cast<u32>(KOPF_OHNE_LISTE)) != KOPF_OHNE_LISTE) return false;
    if (Datei_Lesen_Gepackt(datei, b.data() + KOPF_OHNE_LISTE, 4 * KALENDER_MAX_ZUGLISTE) != 4 * KALENDER_MAX_ZUGLISTE)
        return false;
    // Check the image without taking it over.
    Kalender_Zustand probe;
    Lauf_Bild lauf;
    if (!bild_lesen(b.data(), b.size(), probe, lauf)) return false;
    kalender_staging = std::move(b);
    return true;
}

void Kalender_Uebernehmen() {
    if (!kalender_staging.empty()) Kalender_Load_Bild(kalender_staging.data(), kalender_staging.size());
    kalender_staging.clear();
}

void Kalender_Verwerfen() { kalender_staging.clear(); }

bool Kalender_Gelesen(Kalender_Zustand* aus) {
    return aus && !kalender_staging.empty() &&
           Kalender_Zustand_Lesen(*aus, kalender_staging.data(), kalender_staging.size());
}

bool Kalender_Load(Datei_Status* datei) {
    if (!Kalender_Lesen(datei)) return false;
    Kalender_Uebernehmen();
    return true;
}

// ---------------------------------------------------------------------------
// Remote calls

i32 Kalender_Internet_Server_1000(i32* jahr, i32* tag, u8* optionen140) {
    if (jahr) *jahr = zustand.jahr;
    if (tag) *tag = zustand.aktuell.tag;
    if (optionen140) Optionen_Schreiben(optionen140);
    return 1;
}

i32 Kalender_Internet_Server_1001(std::vector<i32>& gruppen, u8* datum132, i32* anzahl, i32* runmodus, i32* frei) {
    int n = Kalender_Spieltage_Heute(-1, 0, nullptr);
    gruppen = heutige_gruppen;
    if (datum132) Kalender_Datum_Schreiben(zustand.aktuell, datum132);
    if (anzahl) *anzahl = n;
    if (runmodus) *runmodus = Kalender_Runmodus;
    if (frei) *frei = 0;
    return 1;
}

i32 Kalender_Internet_Server_1002(std::vector<i32>& gruppen, u8* zustand7468, i32* anzahl) {
    int n = Kalender_Spieltage_Heute(-1, 0, nullptr);
    gruppen = heutige_gruppen;
    if (zustand7468) Kalender_Zustand_Schreiben(zustand, zustand7468);
    if (anzahl) *anzahl = n;
    return 1;
}

i32 Kalender_Internet_Server_1003(i32, i32) { return 0; }

bool Kalender_Internet_Client_Stand(i32* tag, i32* modus) {
    const auto d = ruf::Rufen(RUF_KALENDER_DATUM);
    if (!d) return false;
    Datum datum{};
    Kalender_Datum_Lesen(datum, std::get<1>(*d).data());
    *tag = datum.tag;
    *modus = std::get<3>(*d);
    return true;
}

void Kalender_Internet_Client_Laden() {
    if (!ruf::Client() || !initialisiert) return;
    const i32 jahr_vorher = zustand.jahr;
    const auto saison = ruf::Rufen(RUF_KALENDER_SAISON);
    if (!saison) return;
    // The server's day index is not taken from this answer: the date comes
    // with the calendar state or the date below.
    const auto& [jahr, server_tag, opt] = *saison;
    (void)server_tag;
    zustand.jahr = jahr;
    if (Optionen_Gueltig(opt.data())) Optionen_Lesen(opt.data());
    std::vector<i32> gruppen;
    i32 anzahl = 0;
    // This machine's own first day (a client that has just joined, also in
    // the middle of a season) or a new season: the server's whole calendar,
    // so its competitions play on the server's days; else today's date.
    if (zustand.aktuell.tag == 0 || jahr != jahr_vorher) {
        const auto k = ruf::Rufen(RUF_KALENDER_KALENDER);
        if (!k) return;
        gruppen = std::get<0>(*k);
        anzahl = std::get<2>(*k);
        const std::vector<u8>& block = std::get<1>(*k);
        Kalender_Zustand neu;
        if (Kalender_Zustand_Lesen(neu, block.data(), block.size())) zustand = neu;
        // A new season or this machine's first day: the competitions and the fixtures anew.
        Wettbewerb_Internet_Client_Hole_Tabelle();
        Spiele_Internet_Client_Reset();
    } else {
        const auto d = ruf::Rufen(RUF_KALENDER_DATUM);
        if (!d) return;
        gruppen = std::get<0>(*d);
        anzahl = std::get<2>(*d);
        Kalender_Datum_Lesen(zustand.aktuell, std::get<1>(*d).data());
        // A new day: the server may have drawn its leagues or fixtures since
        // (a client that joined before the season's fixtures existed).
        Wettbewerb_Internet_Client_Hole_Tabelle();
        Spiele_Internet_Client_Reset();
    }
    anzahl = std::clamp<i32>(anzahl, 0, std::min<i32>(MAX_GRUPPEN, static_cast<i32>(gruppen.size())));
    heutige_gruppen.assign(gruppen.begin(), gruppen.begin() + anzahl);
    const i32 team = Team_Aktiv;
    if (team != 0) {
        Season_Module.Spieltag_Init();
        Kalender_Clear_Neuer_Tag();
        // The server's ranking of the new day is fetched when next read.
        Rangliste_Internet_Client_Reset();
        Rangliste_Init_Falls_Noetig();
        Rangliste_Sortieren();
        Season_Gui.Menue_Set_Aktiver_Manager(team);
    }
}

void Kalender_Internet_Client_Reset() { Kalender_Internet_Client_Laden(); }
