#include "graphics/abdruck.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "graphics/blitter.h"
#include "graphics/rastport.h"

const Rastport* Abdruck_Ziel = nullptr;

namespace {
enum class Modus : u8 { AUS, PROBE, KLIPP, WACHE };

struct Zustand {
    Modus modus = Modus::AUS;
    const Rastport* ziel = nullptr;
    u64 hash = 0;               // probe: the open section's fingerprint
    Abdruck_Rechteck rechteck;  // probe: where the open section draws; pass: the clip
    bool fehler = false;        // probe: unsure; pass: failed; watch: touched
    Abdruck_Rechteck fremd;     // watch: drawn over in a known place
    u32 beruehrungen = 0;       // watch: drawing aimed at the target since it began
    i32 schutz = 0;
} z;
u32 wache_serie = 0;  // watches begun

// Drawing aimed at the watched target.
Abdruck_Folge beruehrt() {
    z.fehler = true;
    ++z.beruehrungen;
    return Abdruck_Folge::ZEICHNEN;
}

constexpr u64 HASH_ANFANG = 0xCBF29CE484222325ull;

// Remembered drawings (Abdruck_Gemerkt): sets of four by the low bits of
// their key, the one used longest ago giving way to a new one (a screen's
// drawings probed every frame do not push each other out).
struct Gemerkt {
    u64 schluessel = 0;  // 0: empty
    u64 hash = 0;
    Abdruck_Rechteck rechteck;
    i64 nachher = 0;
    u32 benutzt = 0;  // when found or remembered last
};
constexpr size_t GEMERKT_WEGE = 4, GEMERKT_SAETZE = 1024;
Gemerkt gemerkt[GEMERKT_SAETZE * GEMERKT_WEGE];
u32 gemerkt_uhr = 0;

Gemerkt* gemerkt_finden(u64 schluessel) {
    Gemerkt* satz = &gemerkt[(schluessel % GEMERKT_SAETZE) * GEMERKT_WEGE];
    for (size_t k = 0; k < GEMERKT_WEGE; ++k)
        if (satz[k].schluessel == schluessel) {
            satz[k].benutzt = ++gemerkt_uhr;
            return &satz[k];
        }
    return nullptr;
}

void gemerkt_ablegen(const Gemerkt& neu) {
    Gemerkt* satz = &gemerkt[(neu.schluessel % GEMERKT_SAETZE) * GEMERKT_WEGE];
    Gemerkt* platz = satz;
    for (size_t k = 0; k < GEMERKT_WEGE; ++k) {
        if (satz[k].schluessel == neu.schluessel || !satz[k].schluessel) {
            platz = &satz[k];
            break;
        }
        if (satz[k].benutzt - gemerkt_uhr < platz->benutzt - gemerkt_uhr) platz = &satz[k];
    }
    *platz = neu;
    platz->benutzt = ++gemerkt_uhr;
}
// The one being fingerprinted apart (schluessel 0: none) and the open
// section's state around it.
struct Offen {
    u64 schluessel = 0;
    u64 hash = 0;
    Abdruck_Rechteck rechteck;
    bool fehler = false;
    i32 innen = 0;  // opened within it and not ended yet
} offen;

u64 gemerkt_schluessel(const Rastport* ziel, const i64* werte, i32 anzahl) {
    u64 h = HASH_ANFANG ^ static_cast<u64>(reinterpret_cast<uintptr_t>(ziel));
    for (i32 i = 0; i < anzahl; ++i) h = (h ^ static_cast<u64>(werte[i])) * 0x100000001B3ull + (h >> 31);
    h ^= static_cast<u64>(anzahl) << 56;
    return h ? h : 1;
}

inline void mischen(u64 v) { z.hash = (z.hash ^ v) * 0x100000001B3ull + (z.hash >> 29); }

// The rectangle cut to the target.
Abdruck_Rechteck auf_ziel(i64 x, i64 y, i64 w, i64 h) {
    const i64 zw = z.ziel ? z.ziel->breite : 0, zh = z.ziel ? z.ziel->hoehe : 0;
    Abdruck_Rechteck r;
    r.x0 = static_cast<i32>(std::clamp<i64>(x, 0, zw));
    r.y0 = static_cast<i32>(std::clamp<i64>(y, 0, zh));
    r.x1 = static_cast<i32>(std::clamp<i64>(x + std::max<i64>(w, 0), 0, zw));
    r.y1 = static_cast<i32>(std::clamp<i64>(y + std::max<i64>(h, 0), 0, zh));
    return r;
}

void starten(Modus m, const Rastport* ziel) {
    z = {};
    offen = {};
    z.modus = ziel ? m : Modus::AUS;
    z.ziel = ziel;
    z.hash = HASH_ANFANG;
    Abdruck_Ziel = ziel;
}

// Clipped pass: cuts [*d, *d + *n) to [a, b), moving *s along; false when
// nothing is left.
bool schneiden(i32* s, i32* d, i32* n, i32 a, i32 b) {
    if (*d < a) {
        const i32 weg = a - *d;
        if (s) *s += weg;
        *n -= weg;
        *d = a;
    }
    if (*d + *n > b) *n = b - *d;
    return *n > 0;
}

// The drawing fingerprinted apart joins the open section as a remembered
// one does (remembered when `merken` and sure).
void gemerkt_schliessen(bool merken, i64 nachher = 0) {
    if (!offen.schluessel) return;
    const u64 hash = z.hash;
    const Abdruck_Rechteck r = z.rechteck;
    const bool fehler = z.fehler;
    if (merken && !fehler) gemerkt_ablegen({offen.schluessel, hash, r, nachher});
    z.hash = offen.hash, z.fehler = offen.fehler || fehler;
    z.rechteck = offen.rechteck;
    z.rechteck.dazu(r);
    mischen(hash);
    mischen(0x200);
    offen = {};
}
}  // namespace

void Abdruck_Rechteck::dazu(const Abdruck_Rechteck& r) {
    if (r.leer()) return;
    if (leer()) {
        *this = r;
        return;
    }
    x0 = std::min(x0, r.x0), y0 = std::min(y0, r.y0), x1 = std::max(x1, r.x1), y1 = std::max(y1, r.y1);
}

void Abdruck_Probe_Beginnen(const Rastport* ziel) { starten(Modus::PROBE, ziel); }

void Abdruck_Abschnitt(u64* hash, Abdruck_Rechteck* rechteck) {
    gemerkt_schliessen(false);  // a drawing left open ends with its section
    if (hash) *hash = z.hash;
    if (rechteck) *rechteck = z.rechteck;
    z.hash = HASH_ANFANG;
    z.rechteck = {};
}

bool Abdruck_Probe_Ende() {
    const bool sicher = z.modus == Modus::PROBE && !z.fehler;
    Abdruck_Aus();
    return sicher;
}

void Abdruck_Klipp_Beginnen(const Rastport* ziel, const Abdruck_Rechteck& r) {
    starten(Modus::KLIPP, ziel);
    z.rechteck = r;
}

bool Abdruck_Klipp_Ende() {
    const bool gut = z.modus == Modus::KLIPP && !z.fehler;
    Abdruck_Aus();
    return gut;
}

void Abdruck_Wache(const Rastport* ziel) {
    starten(Modus::WACHE, ziel);
    ++wache_serie;
}

u64 Abdruck_Wache_Stand(const Rastport* ziel) {
    if (z.modus != Modus::WACHE || !ziel || z.ziel != ziel) return 0;
    return static_cast<u64>(wache_serie) << 32 | z.beruehrungen;
}

bool Abdruck_Beruehrt(Abdruck_Rechteck* flaeche) {
    if (flaeche) *flaeche = z.modus == Modus::WACHE ? z.fremd : Abdruck_Rechteck{};
    return z.modus == Modus::WACHE && z.fehler;
}

void Abdruck_Flaeche_Beruehrt(const Abdruck_Rechteck& r) {
    if (z.modus == Modus::WACHE) z.fremd.dazu(auf_ziel(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0)), ++z.beruehrungen;
    else Abdruck_Unsicher();
}

void Abdruck_Aus() {
    z = {};
    offen = {};
    Abdruck_Ziel = nullptr;
}

Abdruck_Folge Abdruck_Blit(const Rastport* src, i32* sx, i32* sy, i32* w, i32* h, i32* dx, i32* dy,
                           const Blt_Optionen* opt, i64 art, bool sprite) {
    switch (z.modus) {
        case Modus::PROBE: {
            if (!src || !src->fest) z.fehler = true;
            const i64 werte[] = {art, reinterpret_cast<intptr_t>(src), src ? src->serie : 0, *sx, *sy, *w, *h, *dx,
                                 *dy};
            for (i64 v : werte) mischen(static_cast<u64>(v));
            if (opt) {
                static_assert(sizeof(Blt_Optionen) % 4 == 0);
                u32 roh[sizeof(Blt_Optionen) / 4 + 1] = {};
                std::memcpy(roh, opt, sizeof(Blt_Optionen));
                for (size_t k = 0; k + 1 < std::size(roh); k += 2) mischen(roh[k] | static_cast<u64>(roh[k + 1]) << 32);
            } else mischen(1);
            z.rechteck.dazu(auf_ziel(*dx, *dy, *w, *h));
            return Abdruck_Folge::FERTIG;
        }
        case Modus::KLIPP: {
            const Abdruck_Rechteck ganz = auf_ziel(*dx, *dy, *w, *h);
            const Abdruck_Rechteck& k = z.rechteck;
            if (ganz.x1 <= k.x0 || ganz.x0 >= k.x1 || ganz.y1 <= k.y0 || ganz.y0 >= k.y1) return Abdruck_Folge::FERTIG;
            // A sprite is drawn whole or not at all.
            if (sprite && (ganz.x0 < k.x0 || ganz.y0 < k.y0 || ganz.x1 > k.x1 || ganz.y1 > k.y1)) {
                z.fehler = true;
                return Abdruck_Folge::FERTIG;
            }
            if (!schneiden(sx, dx, w, k.x0, k.x1) || !schneiden(sy, dy, h, k.y0, k.y1)) return Abdruck_Folge::FERTIG;
            return Abdruck_Folge::ZEICHNEN;
        }
        case Modus::WACHE: return beruehrt();
        case Modus::AUS: break;
    }
    return Abdruck_Folge::ZEICHNEN;
}

Abdruck_Folge Abdruck_Glyphe(const Rastport* blatt, i32 sx, i32 w, i32 dx, i32 dy, i32 breiter, u64 art) {
    if (z.modus != Modus::PROBE) return Abdruck_Folge::ZEICHNEN;
    if (!blatt->fest) z.fehler = true;
    const auto paar = [](i32 a, i32 b) { return static_cast<u64>(static_cast<u32>(a)) | static_cast<u64>(static_cast<u32>(b)) << 32; };
    mischen(static_cast<u64>(reinterpret_cast<uintptr_t>(blatt)) ^ static_cast<u64>(blatt->serie) << 40);
    mischen(paar(sx, w));
    mischen(paar(dx, dy));
    mischen(art ^ static_cast<u64>(breiter) << 48);
    z.rechteck.dazu(auf_ziel(dx, dy, w + breiter, blatt->hoehe));
    return Abdruck_Folge::FERTIG;
}

Abdruck_Folge Abdruck_Flaeche(i32* x, i32* y, i32* w, i32* h, const i64* werte, i32 anzahl) {
    switch (z.modus) {
        case Modus::PROBE:
            for (i32 i = 0; i < anzahl; ++i) mischen(static_cast<u64>(werte[i]));
            mischen(static_cast<u64>(*x)), mischen(static_cast<u64>(*y)), mischen(static_cast<u64>(*w)),
                mischen(static_cast<u64>(*h));
            z.rechteck.dazu(auf_ziel(*x, *y, *w, *h));
            return Abdruck_Folge::FERTIG;
        case Modus::KLIPP: {
            const Abdruck_Rechteck& k = z.rechteck;
            if (!schneiden(nullptr, x, w, k.x0, k.x1) || !schneiden(nullptr, y, h, k.y0, k.y1))
                return Abdruck_Folge::FERTIG;
            return Abdruck_Folge::ZEICHNEN;
        }
        case Modus::WACHE: return beruehrt();
        case Modus::AUS: break;
    }
    return Abdruck_Folge::ZEICHNEN;
}

Abdruck_Folge Abdruck_Ganz(const Abdruck_Rechteck& r, const i64* werte, i32 anzahl, const char* text) {
    switch (z.modus) {
        case Modus::PROBE:
            for (i32 i = 0; i < anzahl; ++i) mischen(static_cast<u64>(werte[i]));
            for (const char* t = text; t && *t; ++t) mischen(static_cast<u8>(*t));
            mischen(0x100);
            z.rechteck.dazu(auf_ziel(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0));
            return Abdruck_Folge::FERTIG;
        case Modus::KLIPP: {
            const Abdruck_Rechteck& k = z.rechteck;
            return r.x1 <= k.x0 || r.x0 >= k.x1 || r.y1 <= k.y0 || r.y0 >= k.y1 ? Abdruck_Folge::FERTIG
                                                                                : Abdruck_Folge::ZEICHNEN;
        }
        case Modus::WACHE: return beruehrt();
        case Modus::AUS: break;
    }
    return Abdruck_Folge::ZEICHNEN;
}

Abdruck_Folge Abdruck_Gemerkt(const i64* werte, i32 anzahl, i64* nachher) {
    if (z.modus != Modus::PROBE && z.modus != Modus::KLIPP) return Abdruck_Folge::ZEICHNEN;
    const u64 schluessel = gemerkt_schluessel(z.ziel, werte, anzahl);
    const Gemerkt* g = gemerkt_finden(schluessel);
    if (z.modus == Modus::KLIPP) {
        const Abdruck_Rechteck& k = z.rechteck;
        if (!g || !(g->rechteck.leer() || g->rechteck.x1 <= k.x0 || g->rechteck.x0 >= k.x1 || g->rechteck.y1 <= k.y0 ||
                    g->rechteck.y0 >= k.y1))
            return Abdruck_Folge::ZEICHNEN;
        if (nachher) *nachher = g->nachher;
        return Abdruck_Folge::FERTIG;
    }
    if (offen.schluessel) {
        ++offen.innen;  // within another: fingerprinted as usual
        return Abdruck_Folge::ZEICHNEN;
    }
    if (g) {
        mischen(g->hash);
        mischen(0x200);
        z.rechteck.dazu(g->rechteck);
        if (nachher) *nachher = g->nachher;
        return Abdruck_Folge::FERTIG;
    }
    offen = {schluessel, z.hash, z.rechteck, z.fehler, 0};
    z.hash = HASH_ANFANG, z.rechteck = {}, z.fehler = false;
    return Abdruck_Folge::ZEICHNEN;
}

void Abdruck_Gemerkt_Ende(i64 nachher) {
    if (z.modus != Modus::PROBE) return;
    if (offen.innen > 0) --offen.innen;
    else gemerkt_schliessen(true, nachher);
}

void Abdruck_Gemerkt_Vergessen() { std::fill(std::begin(gemerkt), std::end(gemerkt), Gemerkt{}); }

void Abdruck_Unsicher() {
    if (z.modus == Modus::WACHE) beruehrt();
    else if (z.modus != Modus::AUS) z.fehler = true;
}

Abdruck_Schutz::Abdruck_Schutz() { ++z.schutz; }
Abdruck_Schutz::~Abdruck_Schutz() { --z.schutz; }

void Abdruck_Gesperrt() {
    if (z.schutz == 0) Abdruck_Unsicher();
}
