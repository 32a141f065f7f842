// The configuration-file reader and the writer helper.
#include "base/config.h"

#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/cp1252.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/meldung.h"
#include "base/settings.h"
#include "base/tempstr.h"

namespace {

// ---------------------------------------------------------------------------
// Levels

struct Zeile {
    u32 start;   // first character after the leading blanks
    u32 ende;    // one past the last character
    i32 nummer;  // line number from 1
};

struct Alias_Tabelle {
    std::vector<std::pair<std::string, i32>> eintraege;
};

struct Ebene {
    std::string text;           // Windows-1252
    std::vector<Zeile> zeilen;  // key lines (no empty, comment or CHECKSUMME lines)
    size_t idx = 0;             // next key line
    bool in_zeile = false;      // inside line idx (item-by-item reading)
    u32 spalte = 0;             // reading position inside line idx
    std::string schluessel;
    std::string wert;
    i32 zeile_nr = 0;
    u32 lauf = 0;        // running checksum
    size_t gehasht = 0;  // key lines already in the running checksum
    u32 gesamt = 0;      // checksum of the whole level
    bool checksumme_da = false;
    bool checksumme_lesbar = false;
    u32 checksumme_soll = 0;
    std::shared_ptr<Alias_Tabelle> alias;
    std::string name;  // name in messages
    int art = -1;
    int set = 0;
    int fehler = 0;
    int warnungen = 0;
};

// Each thread reads its own files (the world is also read on a worker).
thread_local std::vector<std::unique_ptr<Ebene>> g_ebenen;
// This thread's messages are only counted (see Read_Config_Still).
thread_local bool g_still = false;
thread_local int g_still_meldungen = 0;  // held back since the thread was made still
Read_Config_Melder g_melder = nullptr;

const char* const k_dateinamen[CONFIG_ART_ANZAHL] = {
    "team.cfg",   "spieler.cfg", "wettbewerb.cfg", "personal.cfg",         "zeitplan.cfg",
    "global.cfg", "text.cfg",    "ereignis.cfg",   "wettbewerb_alias.cfg",
};

Ebene* oben() { return g_ebenen.empty() ? nullptr : g_ebenen.back().get(); }

inline bool blank(char c) { return c == ' ' || c == '\t'; }

inline char gross(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool gleich_ohne_fall(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (gross(a[i]) != gross(b[i])) return false;
    return true;
}

std::string_view trimmen(std::string_view s) {
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// True when every byte sequence is well-formed UTF-8 (through a pointer:
// the files are megabytes).
bool ist_utf8(std::string_view s) {
    const u8* p = reinterpret_cast<const u8*>(s.data());
    const u8* const ende = p + s.size();
    while (p < ende) {
        const u8 c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        ptrdiff_t n;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
        } else {
            return false;
        }
        if (ende - p <= n) return false;
        for (ptrdiff_t k = 1; k <= n; ++k)
            if ((p[k] & 0xC0) != 0x80) return false;
        p += n + 1;
    }
    return true;
}

// File contents on disk -> the game's text. A file that is no valid UTF-8
// is taken as Windows-1252 already (older files).
std::string text_aus_datei(std::string roh) {
    if (roh.size() >= 3 && static_cast<u8>(roh[0]) == 0xEF && static_cast<u8>(roh[1]) == 0xBB &&
        static_cast<u8>(roh[2]) == 0xBF)
        roh.erase(0, 3);
    if (!ist_utf8(roh)) return roh;
    return Utf8_To_Cp1252(roh);
}

bool datei_laden(const char* pfad, std::string* aus) {
    std::string p = W32_Pfad_Uebersetzen(pfad);
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) return false;
    // Read in one block of the file's size (not grown by doubling: the
    // player file is megabytes).
    std::string roh;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long laenge = std::ftell(f);
        if (laenge > 0 && static_cast<u64>(laenge) <= CONFIG_MAX_DATEI) roh.reserve(static_cast<size_t>(laenge));
    }
    std::rewind(f);
    char puffer[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) {
        if (roh.size() + n > CONFIG_MAX_DATEI) {
            ok = false;
            break;
        }
        roh.append(puffer, n);
    }
    if (std::ferror(f)) ok = false;
    std::fclose(f);
    if (!ok) return false;
    *aus = text_aus_datei(std::move(roh));
    return true;
}

void melden_an(Ebene* e, int code, i32 zeile, const char* format, ...) __attribute__((format(printf, 4, 5)));

void ausgeben(const char* text) {
    Debug_Printf("%s", text);
    if (g_melder) g_melder(text);
    else Meldung_Printf("%s", text);
}

// Reports a message of the level's file and counts it as error (codes below
// 200) or warning.
void melden_an_v(Ebene* e, int code, i32 zeile, const char* format, va_list args) {
    if (g_still) {
        ++g_still_meldungen;
        if (e) {
            if (code < 200 || code >= 900) ++e->fehler;
            else ++e->warnungen;
        }
        return;
    }
    char* text = Read_Config_Meldung_Text_V(code, e ? e->name.c_str() : "?", zeile, format, args);
    if (e) {
        if (code < 200 || code >= 900) ++e->fehler;
        else ++e->warnungen;
    }
    ausgeben(text);
}

void melden_an(Ebene* e, int code, i32 zeile, const char* format, ...) {
    va_list args;
    va_start(args, format);
    melden_an_v(e, code, zeile, format, args);
    va_end(args);
}

// The first word of a line and the rest, both trimmed.
void zerlegen(std::string_view zeile, std::string_view* schluessel, std::string_view* wert) {
    size_t i = 0;
    while (i < zeile.size() && !blank(zeile[i])) ++i;
    *schluessel = zeile.substr(0, i);
    *wert = trimmen(zeile.substr(i));
}

u32 fnv(u32 h, std::string_view s) {
    for (char c : s) {
        h ^= static_cast<u8>(c);
        h *= 16777619u;
    }
    return h;
}

u32 zeilen_hash(u32 h, std::string_view schluessel, std::string_view wert) {
    for (char c : schluessel) {
        h ^= static_cast<u8>(gross(c));
        h *= 16777619u;
    }
    h = fnv(h, "=");
    h = fnv(h, wert);
    return fnv(h, "\n");
}

// Reads a CHECKSUMME value: a decimal number, signed or not, that fits 32 bits.
bool checksumme_parsen(std::string_view s, u32* aus) {
    s = trimmen(s);
    bool neg = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        neg = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 10) return false;
    u64 v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<u64>(c - '0');
    }
    if (neg) {
        if (v > 2147483648ull) return false;
        *aus = static_cast<u32>(-static_cast<i64>(v));
    } else {
        if (v > 0xFFFFFFFFull) return false;
        *aus = static_cast<u32>(v);
    }
    return true;
}

// Splits the text into key lines, notes the CHECKSUMME line and computes the
// checksum of the whole level. With `melden` problems are reported.
void vorbereiten(Ebene* e, bool melden) {
    const std::string& t = e->text;
    u32 pos = 0;
    i32 nummer = 0;
    e->gesamt = Config_Checksumme_Start();
    const u32 n = static_cast<u32>(t.size());
    while (pos < n) {
        ++nummer;
        u32 anfang = pos;
        while (pos < n && t[pos] != '\n' && t[pos] != '\r') ++pos;
        u32 ende = pos;
        if (pos < n) {
            if (t[pos] == '\r' && pos + 1 < n && t[pos + 1] == '\n') ++pos;
            ++pos;
        }
        while (anfang < ende && blank(t[anfang])) ++anfang;
        while (ende > anfang && blank(t[ende - 1])) --ende;
        if (anfang == ende || t[anfang] == ';') continue;
        if (ende - anfang > CONFIG_MAX_ZEILE) {
            if (melden)
                melden_an(e, CONFIG_W_ZEILE_LANG, nummer, "Zeile zu lang (max. %u Zeichen)",
                          static_cast<unsigned>(CONFIG_MAX_ZEILE));
            ende = anfang + CONFIG_MAX_ZEILE;
        }
        std::string_view zeile(t.data() + anfang, ende - anfang);
        std::string_view schluessel, wert;
        zerlegen(zeile, &schluessel, &wert);
        if (gleich_ohne_fall(schluessel, "CHECKSUMME")) {
            if (!e->checksumme_da) {
                e->checksumme_da = true;
                e->checksumme_lesbar = checksumme_parsen(wert, &e->checksumme_soll);
                if (!e->checksumme_lesbar && melden && !wert.empty())
                    melden_an(e, CONFIG_W_CHECKSUMME, nummer, "Checksumme nicht lesbar (%.*s)",
                              static_cast<int>(wert.size() > 40 ? 40 : wert.size()), wert.data());
            }
            continue;
        }
        e->zeilen.push_back({anfang, ende, nummer});
        e->gesamt = zeilen_hash(e->gesamt, schluessel, wert);
    }
    e->lauf = Config_Checksumme_Start();
}

// Brings the running checksum up to key line `bis` (exclusive).
void hashen_bis(Ebene* e, size_t bis) {
    while (e->gehasht < bis && e->gehasht < e->zeilen.size()) {
        const Zeile& z = e->zeilen[e->gehasht++];
        std::string_view schluessel, wert;
        zerlegen(std::string_view(e->text.data() + z.start, z.ende - z.start), &schluessel, &wert);
        e->lauf = zeilen_hash(e->lauf, schluessel, wert);
    }
}

bool alias_laden(Ebene* e, const char* pfad);

// Gives a new level its aliases: the companion file of its kind and alias
// set, or (without one) those of the level below.
void alias_verbinden(Ebene* e, int art, int alias_set, const Ebene* unten) {
    if (alias_set >= 0 && art >= 0 && art < CONFIG_ART_ANZAHL) {
        if (const char* apfad = Read_Config_Get_Filenamen(art, alias_set, 1)) {
            const std::string kopie = apfad;  // a temporary string of the caller's rotation
            alias_laden(e, kopie.c_str());
        }
    } else if (unten) {
        e->alias = unten->alias;
    }
}

bool alias_laden(Ebene* e, const char* pfad) {
    auto tab = std::make_shared<Alias_Tabelle>();
    e->alias = tab;
    Ebene a;
    if (!datei_laden(pfad, &a.text)) {
        Debug_Printf("Read_Config: Aliasdatei %s fehlt\n", pfad);
        return false;
    }
    a.name = W32_Pfad_Dateiname(pfad);
    vorbereiten(&a, true);
    for (const Zeile& z : a.zeilen) {
        std::string_view schluessel, wert;
        zerlegen(std::string_view(a.text.data() + z.start, z.ende - z.start), &schluessel, &wert);
        u32 v = 0;
        bool ok = checksumme_parsen(wert, &v);
        i64 id = 0;
        if (ok) {
            bool neg = !wert.empty() && wert[0] == '-';
            id = neg ? static_cast<i64>(static_cast<i32>(v)) : static_cast<i64>(v);
            if (id > 0x7FFFFFFF || (neg && static_cast<i32>(v) > 0)) ok = false;
        }
        if (!ok) {
            melden_an(&a, CONFIG_W_ALIAS_DATEI, z.nummer, "Ungültige Alias-Zeile (%.*s)",
                      static_cast<int>(schluessel.size() > 60 ? 60 : schluessel.size()), schluessel.data());
            continue;
        }
        bool doppelt = false;
        for (auto& [name, alt] : tab->eintraege)
            if (gleich_ohne_fall(name, schluessel)) doppelt = true;
        if (doppelt) {
            melden_an(&a, CONFIG_W_ALIAS_DATEI, z.nummer, "Alias doppelt (%.*s)",
                      static_cast<int>(schluessel.size() > 60 ? 60 : schluessel.size()), schluessel.data());
            continue;
        }
        tab->eintraege.emplace_back(std::string(schluessel), static_cast<i32>(id));
    }
    return true;
}

std::string anzeige_name(int art, int set) {
    if (art == CONFIG_TEXT) return std::to_string(set + 1) + "_te.cfg";
    if (art >= 0 && art < CONFIG_ART_ANZAHL) return k_dateinamen[art];
    return "speicher";
}

bool ebene_pushen(std::unique_ptr<Ebene> e) {
    if (static_cast<int>(g_ebenen.size()) >= CONFIG_MAX_EBENEN) {
        Debug_Printf("Read_Config: zu viele Ebenen offen (%s)\n", e->name.c_str());
        return false;
    }
    g_ebenen.push_back(std::move(e));
    vorbereiten(oben(), true);
    return true;
}

// Removes the quotes around a quoted value. A value that starts and ends
// with a quote loses just those two (quotes inside stay: "Er rief "Tor!"");
// a quote that is never closed gives warning 300.
std::string wert_aus(Ebene* e, std::string_view w) {
    if (w.empty() || w[0] != '"') return std::string(w);
    if (w.size() >= 2 && w.back() == '"') return std::string(w.substr(1, w.size() - 2));
    size_t zu = w.find('"', 1);
    if (zu == std::string_view::npos) {
        melden_an(e, CONFIG_W_ANFUEHRUNG, e->zeile_nr, "Anführungszeichen nicht geschlossen");
        return std::string(trimmen(w.substr(1)));
    }
    return std::string(w);  // text after the closing quote: kept as written
}

inline bool ist_trenner(char c, const char* trenner) { return trenner && c != 0 && std::strchr(trenner, c) != nullptr; }

const char* next_zeile(Ebene* e, const char* trenner) {
    if (e->in_zeile) {
        ++e->idx;
        e->in_zeile = false;
    }
    if (e->idx >= e->zeilen.size()) {
        hashen_bis(e, e->zeilen.size());
        e->schluessel.clear();
        e->wert.clear();
        return "";
    }
    const Zeile& z = e->zeilen[e->idx++];
    hashen_bis(e, e->idx);
    e->zeile_nr = z.nummer;
    std::string_view zeile(e->text.data() + z.start, z.ende - z.start);
    size_t i = 0;
    while (i < zeile.size() && !blank(zeile[i]) && !ist_trenner(zeile[i], trenner)) ++i;
    e->schluessel.assign(zeile.substr(0, i));
    while (i < zeile.size() && blank(zeile[i])) ++i;
    if (i < zeile.size() && ist_trenner(zeile[i], trenner)) ++i;
    e->wert = wert_aus(e, trimmen(zeile.substr(i)));
    return e->schluessel.c_str();
}

const char* next_eintrag(Ebene* e, const char* trenner) {
    for (;;) {
        if (e->idx >= e->zeilen.size()) {
            hashen_bis(e, e->zeilen.size());
            e->schluessel.clear();
            e->wert.clear();
            return "";
        }
        const Zeile& z = e->zeilen[e->idx];
        if (!e->in_zeile) {
            e->in_zeile = true;
            e->spalte = z.start;
            hashen_bis(e, e->idx + 1);
        }
        const std::string& t = e->text;
        u32 p = e->spalte;
        while (p < z.ende && blank(t[p])) ++p;
        if (p >= z.ende) {
            ++e->idx;
            e->in_zeile = false;
            continue;
        }
        e->zeile_nr = z.nummer;
        std::string wort;
        if (t[p] == '"') {
            u32 zu = p + 1;
            while (zu < z.ende && t[zu] != '"') ++zu;
            if (zu >= z.ende) {
                melden_an(e, CONFIG_W_ANFUEHRUNG, z.nummer, "Anführungszeichen nicht geschlossen");
                wort.assign(t, p + 1, z.ende - p - 1);
                p = z.ende;
            } else {
                wort.assign(t, p + 1, zu - p - 1);
                p = zu + 1;
                while (p < z.ende && !blank(t[p]) && !ist_trenner(t[p], trenner)) ++p;  // dropped
            }
        } else {
            u32 a = p;
            while (p < z.ende && !blank(t[p]) && !ist_trenner(t[p], trenner)) ++p;
            wort.assign(t, a, p - a);
            if (wort.empty()) {
                // An empty item between two separators is skipped.
                e->spalte = p + 1;
                continue;
            }
        }
        while (p < z.ende && blank(t[p])) ++p;
        if (p < z.ende && ist_trenner(t[p], trenner)) ++p;
        e->spalte = p;
        e->schluessel = wort;
        e->wert = wort;
        return e->schluessel.c_str();
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// File names

char* Read_Config_Get_Filenamen(int art, int set, int alias) {
    if (art < 0 || art >= CONFIG_ART_ANZAHL) {
        Debug_Printf("Read_Config_Get_Filenamen: falscher Modus!");
        return nullptr;
    }
    char name[W32_DIR_LAENGE] = {0};
    if (!W32_Registry_Read(Temp_Sprintf("conf_%d", art), name, sizeof name) || name[0] == 0)
        std::strncpy(name, k_dateinamen[art], sizeof name - 1);
    if (alias) {
        size_t len = std::strlen(name);
        if (len >= 4 && gleich_ohne_fall(std::string_view(name + len - 4, 4), ".cfg")) name[len - 4] = 0;
        std::strncat(name, "_alias.cfg", sizeof name - std::strlen(name) - 1);
    }
    if (W32_Dir_Tabelle[W32_DIR_CONFIG][0] == 0) W32_Dir_Init();
    return Temp_Sprintf("%s\\%d_%s", W32_Dir_Tabelle[W32_DIR_CONFIG], set + 1, name);
}

// ---------------------------------------------------------------------------
// Levels

bool Read_Config_Open(int art, int set, int alias_set) {
    if (art < 0 || art >= CONFIG_ART_ANZAHL) {
        Debug_Printf("Read_Config_Open: falscher Modus!");
        return false;
    }
    Ebene* unten = oben();
    if (set < 0) set = unten ? unten->set : 0;
    const char* pfad = Read_Config_Get_Filenamen(art, set, 0);
    auto e = std::make_unique<Ebene>();
    if (!pfad || !datei_laden(pfad, &e->text)) {
        Debug_Printf("Read_Config_Open: %s fehlt\n", pfad ? pfad : "?");
        return false;
    }
    e->art = art;
    e->set = set;
    e->name = anzeige_name(art, set);
    alias_verbinden(e.get(), art, alias_set, unten);
    return ebene_pushen(std::move(e));
}

bool Read_Config_Open_Pfad(const char* pfad, const char* alias_pfad) {
    if (!pfad) return false;
    auto e = std::make_unique<Ebene>();
    if (!datei_laden(pfad, &e->text)) return false;
    Ebene* unten = oben();
    e->set = unten ? unten->set : 0;
    e->name = W32_Pfad_Dateiname(pfad);
    if (alias_pfad) alias_laden(e.get(), alias_pfad);
    else if (unten) e->alias = unten->alias;
    return ebene_pushen(std::move(e));
}

bool Read_Config_Open_Mem(const char* text, u32 laenge, int art, int set, int alias_set) {
    if (!text && laenge > 0) return false;
    if (laenge > CONFIG_MAX_DATEI) return false;
    Ebene* unten = oben();
    auto e = std::make_unique<Ebene>();
    if (laenge) e->text.assign(text, laenge);
    e->art = art;
    e->set = set >= 0 ? set : (unten ? unten->set : 0);
    e->name = (art >= 0 && art < CONFIG_ART_ANZAHL) ? anzeige_name(art, e->set) : "speicher";
    alias_verbinden(e.get(), art, alias_set, unten);
    return ebene_pushen(std::move(e));
}

void Read_Config_Close() {
    if (!g_ebenen.empty()) g_ebenen.pop_back();
}

int Read_Config_Ebenen() { return static_cast<int>(g_ebenen.size()); }

// ---------------------------------------------------------------------------
// Reading

const char* Read_Config_Next(const char* trenner, int nur_schluessel) {
    Ebene* e = oben();
    if (!e) return "";
    return nur_schluessel ? next_eintrag(e, trenner) : next_zeile(e, trenner);
}

const char* Read_Config_Get_String() {
    Ebene* e = oben();
    return e ? e->wert.c_str() : "";
}

i32 Read_Config_Get_Wert() {
    Ebene* e = oben();
    if (!e) return 0;
    std::string_view s = trimmen(e->wert);
    if (gleich_ohne_fall(s, "JA") || gleich_ohne_fall(s, "YES")) return 1;
    if (gleich_ohne_fall(s, "NEIN") || gleich_ohne_fall(s, "NO")) return 0;
    const int kurz = static_cast<int>(s.size() > 60 ? 60 : s.size());
    if (!s.empty() && s[0] == '#') {
        std::string name(trimmen(s.substr(1)));
        i32 id = 0;
        if (Read_Config_Get_Alias_Id(name.c_str(), &id)) return id;
        melden_an(e, CONFIG_W_ALIAS, e->zeile_nr, "Unbekannter Alias (%.*s)", kurz, s.data());
        return -1;
    }
    size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
    size_t ziffern_start = i;
    i64 v = 0;
    bool zu_gross = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648ll) {
            zu_gross = true;
            v = 2147483648ll;
        }
        ++i;
    }
    if (i == ziffern_start) {
        melden_an(e, CONFIG_W_ZAHL, e->zeile_nr, "Ungültige Zahl (%.*s)", kurz, s.data());
        return 0;
    }
    if (neg) v = -v;
    if (v > 2147483647ll) {
        v = 2147483647ll;
        zu_gross = true;
    }
    if (zu_gross) melden_an(e, CONFIG_W_ZAHL, e->zeile_nr, "Zahl zu groß (%.*s)", kurz, s.data());
    else if (i < s.size()) melden_an(e, CONFIG_W_ZAHL, e->zeile_nr, "Ungültige Zahl (%.*s)", kurz, s.data());
    return static_cast<i32>(v);
}

i32 Read_Config_Get_Zeile() {
    Ebene* e = oben();
    return e ? e->zeile_nr : 0;
}

// ---------------------------------------------------------------------------
// Checksum and aliases

u32 Config_Checksumme_Start() { return 2166136261u; }

u32 Config_Checksumme_Zeile(u32 stand, const char* schluessel, const char* wert) {
    return zeilen_hash(stand, schluessel ? schluessel : "", trimmen(wert ? wert : ""));
}

bool Read_Config_Checksumme_Ok(u32* berechnet) {
    Ebene* e = oben();
    if (!e) {
        if (berechnet) *berechnet = 0;
        return true;
    }
    if (berechnet) *berechnet = e->gesamt;
    if (!e->checksumme_da) return true;
    if (!e->checksumme_lesbar) return false;
    if (e->checksumme_soll == 0) return true;
    return e->checksumme_soll == e->gesamt;
}

u32 Read_Config_Get_Checksumme() {
    Ebene* e = oben();
    return e ? e->lauf : 0;
}

bool Read_Config_Checksumme_Datei(const char* pfad, u32* checksumme) {
    if (checksumme) *checksumme = 0;
    if (!pfad) return false;
    Ebene e;
    if (!datei_laden(pfad, &e.text)) return false;
    vorbereiten(&e, false);
    if (checksumme) *checksumme = e.gesamt;
    return true;
}

const char* Read_Config_Get_Alias_Name(i32 id) {
    Ebene* e = oben();
    if (!e || !e->alias) return nullptr;
    for (auto& [name, wert] : e->alias->eintraege)
        if (wert == id) return name.c_str();
    return nullptr;
}

bool Read_Config_Get_Alias_Id(const char* name, i32* id) {
    Ebene* e = oben();
    if (!e || !e->alias || !name) return false;
    for (auto& [n, wert] : e->alias->eintraege) {
        if (gleich_ohne_fall(n, name)) {
            if (id) *id = wert;
            return true;
        }
    }
    return false;
}

const char* Read_Config_Get_Dateiname() {
    Ebene* e = oben();
    return e ? e->name.c_str() : "";
}

// ---------------------------------------------------------------------------
// Messages

char* Read_Config_Meldung_Text_V(int code, const char* datei, i32 zeile, const char* format, va_list args) {
    char detail[TEMP_STRING_GROESSE];
    std::vsnprintf(detail, sizeof detail, format ? format : "", args);
    const char* art = code < 200 || code >= 900 ? "Syntax-Error" : "Warning";
    if (zeile >= 0)
        return Temp_Sprintf("[%d] %s in %s:\n - (%d) %s\n\n", zeile, art, datei ? datei : "?", code, detail);
    return Temp_Sprintf("%s in %s:\n - (%d) %s\n\n", art, datei ? datei : "?", code, detail);
}

char* Read_Config_Meldung_Text(int code, const char* datei, i32 zeile, const char* format, ...) {
    va_list args;
    va_start(args, format);
    char* t = Read_Config_Meldung_Text_V(code, datei, zeile, format, args);
    va_end(args);
    return t;
}

void Read_Config_Still(bool still) {
    if (still && !g_still) g_still_meldungen = 0;
    g_still = still;
}

int Read_Config_Still_Meldungen() { return g_still_meldungen; }

void Read_Config_Melden(int code, const char* format, ...) {
    Ebene* e = oben();
    va_list args;
    va_start(args, format);
    melden_an_v(e, code, e ? e->zeile_nr : -1, format, args);
    va_end(args);
}

int Read_Config_Anzahl_Fehler() {
    Ebene* e = oben();
    return e ? e->fehler : 0;
}

int Read_Config_Anzahl_Warnungen() {
    Ebene* e = oben();
    return e ? e->warnungen : 0;
}

void Read_Config_Set_Melder(Read_Config_Melder melder) { g_melder = melder; }

// ---------------------------------------------------------------------------
// Writer

bool Config_Schreiber_Oeffnen(Config_Schreiber* s, const char* pfad) {
    if (!s || !pfad) return false;
    s->pfad = W32_Pfad_Uebersetzen(pfad);
    s->temp = s->pfad + ".tmp";
    s->datei = std::fopen(s->temp.c_str(), "wb");
    s->checksumme_pos = -1;
    s->fehler = s->datei == nullptr;
    return s->datei != nullptr;
}

Config_Schreiber::~Config_Schreiber() {
    if (datei) Config_Schreiber_Abbrechen(this);
}

void Config_Schreiber_Abbrechen(Config_Schreiber* s) {
    if (!s) return;
    if (s->datei) std::fclose(s->datei);
    s->datei = nullptr;
    if (!s->temp.empty()) std::remove(s->temp.c_str());
    s->fehler = true;
}

void Config_Schreiber_Text(Config_Schreiber* s, const char* text) {
    if (!s || !s->datei || !text) return;
    std::string u = Cp1252_To_Utf8(text);
    if (std::fwrite(u.data(), 1, u.size(), s->datei) != u.size()) s->fehler = true;
}

void Config_Schreiber_Zeile(Config_Schreiber* s, const char* schluessel, const char* wert) {
    if (!s || !s->datei || !schluessel) return;
    std::string zeile = "\t";
    zeile += schluessel;
    size_t len = std::strlen(schluessel);
    zeile.append(len < 35 ? 35 - len : 1, ' ');
    zeile += wert ? wert : "";
    zeile += "\r\n";
    Config_Schreiber_Text(s, zeile.c_str());
}

void Config_Schreiber_Zeile_Zahl(Config_Schreiber* s, const char* schluessel, i64 wert) {
    Config_Schreiber_Zeile(s, schluessel, std::to_string(wert).c_str());
}

void Config_Schreiber_Checksumme_Platzhalter(Config_Schreiber* s) {
    if (!s || !s->datei) return;
    Config_Schreiber_Text(s, "CHECKSUMME ");
    s->checksumme_pos = std::ftell(s->datei);
    Config_Schreiber_Text(s, "                 \r\n");
}

namespace {

// Writes the checksum of the file over its placeholder.
bool checksumme_eintragen(const std::string& pfad, long pos) {
    Ebene e;
    std::string roh;
    {
        std::FILE* r = std::fopen(pfad.c_str(), "rb");
        if (!r) return false;
        char puffer[65536];
        size_t n;
        while ((n = std::fread(puffer, 1, sizeof puffer, r)) > 0) roh.append(puffer, n);
        std::fclose(r);
    }
    e.text = text_aus_datei(std::move(roh));
    vorbereiten(&e, false);
    std::FILE* w = std::fopen(pfad.c_str(), "r+b");
    if (!w) return false;
    char zahl[16];
    int n = std::snprintf(zahl, sizeof zahl, "%d", static_cast<i32>(e.gesamt));
    bool ok =
        std::fseek(w, pos, SEEK_SET) == 0 && std::fwrite(zahl, 1, static_cast<size_t>(n), w) == static_cast<size_t>(n);
    if (std::fflush(w) != 0 || fsync(fileno(w)) != 0) ok = false;
    if (std::fclose(w) != 0) ok = false;
    return ok;
}

}  // namespace

bool Config_Schreiber_Schliessen(Config_Schreiber* s) {
    if (!s || !s->datei) return false;
    if (std::fflush(s->datei) != 0 || fsync(fileno(s->datei)) != 0) s->fehler = true;
    if (std::fclose(s->datei) != 0) s->fehler = true;
    s->datei = nullptr;
    bool ok = !s->fehler;
    if (ok && s->checksumme_pos >= 0) ok = checksumme_eintragen(s->temp, s->checksumme_pos);
    if (ok) ok = std::rename(s->temp.c_str(), s->pfad.c_str()) == 0;
    if (!ok) {
        std::remove(s->temp.c_str());
        s->fehler = true;
    }
    return ok;
}
