// The live view's figures: loading the animation sets, and the players,
// officials and ball drawn in depth order (the colour tables of the kits:
// figur_farben.cpp; the sprite blits: figur_blit.cpp).
#include "screens/live_view/figuren.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "base/bytes.h"
#include "base/memory.h"
#include "base/random.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/pixel_schleifen.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/hauptmenue.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/display.h"
#include "platform/input.h"
#include "screens/live_view/figur_palette.h"
#include "screens/live_view/projektion.h"
#include "screens/live_view/spielansicht.h"
#include "screens/live_view/stadion_ton.h"
#include "world/team.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace {

constexpr int ARCHIV_GFX = 12;  // stadion_gfx.res
constexpr int KOPF = 36;        // bytes of a frame header
constexpr int MAX_BILDER = 64;  // frames a direction
constexpr int MAX_SEITE = 512;  // a frame's width or height

// A loaded blob: its frame data and, per direction, its frames.
struct Blob {
    u8* daten = nullptr;
    u32 groesse = 0;
    u32 bilder = 0;
    Sa_Frame* frames[ANIM_RICHTUNGEN] = {};
    // The crowd's frames at half scale, [direction * bilder + frame]; their
    // rows and runs in `halb_daten` (Spielansicht_Frames_Halb).
    std::vector<Sa_Frame> halb;
    std::vector<u8> halb_daten;
};

// One row of a frame: every count reaches exactly the width inside the data.
bool zeile_gueltig(const u8* p, size_t n, i32 breite) {
    size_t i = 0;
    for (i32 x = 0; x < breite;) {
        if (i >= n) return false;
        const u8 c = p[i++];
        const i32 k = c & 0x7F;
        if (k == 0 || x + k > breite) return false;
        if (c & 0x80) {
            if (n - i < static_cast<size_t>(k)) return false;
            i += static_cast<size_t>(k);
        }
        x += k;
    }
    return true;
}

void blob_free(Blob& b) {
    b.halb = {};
    b.halb_daten = {};
    for (Sa_Frame*& f : b.frames) f = static_cast<Sa_Frame*>(W32_Memory_H_Free(f));
    b.daten = static_cast<u8*>(W32_Memory_H_Free(b.daten));
    b.groesse = b.bilder = 0;
}

// Reads and checks a blob of the archive; everything or nothing.
bool blob_laden(i32 eintrag, Blob& b) {
    std::vector<u8> roh;
    i16 typ = 0;
    if (!Resf_Eintrag_Daten(Resf_Spiel_Slot(ARCHIV_GFX), eintrag, &typ, roh) || typ != RESF_ANIMSET) return false;
    bytes::Leser l(roh.data(), roh.size());
    u32 groesse = 0, n = 0, anzahl = 0;
    l(groesse), l(n), l(anzahl);
    if (l.fehler || n < 1 || n > MAX_BILDER || anzahl != ANIM_RICHTUNGEN * n || groesse < KOPF) return false;
    std::vector<u32> versatz(anzahl);
    for (u32& v : versatz) l(v);
    if (l.fehler || roh.size() - l.pos < groesse) return false;
    const u8* quelle = roh.data() + l.pos;
    // Every frame lies inside the data with its rows.
    std::vector<Sa_Frame> gelesen(anzahl);
    for (u32 k = 0; k < anzahl; ++k) {
        if (versatz[k] > groesse - KOPF) return false;
        bytes::Leser f(quelle + versatz[k], groesse - versatz[k]);
        Sa_Frame& fr = gelesen[k];
        f(fr.breite), f(fr.hoehe), f(fr.x_versatz), f(fr.y_versatz);
        if (fr.breite < 1 || fr.hoehe < 1 || fr.breite > MAX_SEITE || fr.hoehe > MAX_SEITE) return false;
        const size_t zeilen = versatz[k] + KOPF, daten = zeilen + 4 * static_cast<size_t>(fr.hoehe);
        if (daten > groesse) return false;
        bytes::Leser z(quelle + zeilen, 4 * static_cast<size_t>(fr.hoehe));
        for (i16 y = 0; y < fr.hoehe; ++y) {
            u32 start = 0;
            z(start);
            if (start >= groesse - daten || !zeile_gueltig(quelle + daten + start, groesse - daten - start, fr.breite))
                return false;
        }
        fr.zeilen = reinterpret_cast<const u8*>(zeilen);  // offsets until the block is made
        fr.daten = reinterpret_cast<const u8*>(daten);
    }
    b.daten = static_cast<u8*>(W32_Memory_H_Alloc(groesse, "Animset"));
    if (!b.daten) return false;
    std::memcpy(b.daten, quelle, groesse);
    b.groesse = groesse;
    b.bilder = n;
    for (int d = 0; d < ANIM_RICHTUNGEN; ++d) {
        b.frames[d] = static_cast<Sa_Frame*>(W32_Memory_H_Alloc(sizeof(Sa_Frame) * n, "Animset"));
        if (!b.frames[d]) {
            blob_free(b);
            return false;
        }
        for (u32 f = 0; f < n; ++f) {
            Sa_Frame fr = gelesen[d * n + f];
            fr.zeilen = b.daten + reinterpret_cast<size_t>(fr.zeilen);
            fr.daten = b.daten + reinterpret_cast<size_t>(fr.daten);
            b.frames[d][f] = fr;
        }
    }
    return true;
}

bool sets_geladen = false;
// The archives' state the sets were loaded from (sets of another are stale),
// and the next set the stock step tries in that state.
u32 sets_stand = 0;
int vorrat_naechster = 0;
Blob publikum[SA_PUBLIKUM_GRUPPEN];
// Entries of the 15 crowd groups.
constexpr i32 PUBLIKUM_EINTRAG[SA_PUBLIKUM_GRUPPEN] = {193, 189, 190, 191, 192, 197, 198, 194,
                                                      195, 196, 199, 200, 201, 202, 203};

const Sa_Frame* frame_aus(Sa_Frame* const* frames, u32 bilder, u32 richtungen, int d, int f) {
    if (bilder == 0 || f < 0 || d < 0) return nullptr;
    if (richtungen <= 1) d = 0;
    if (d >= ANIM_RICHTUNGEN || !frames[d]) return nullptr;
    return &frames[d][std::min<u32>(static_cast<u32>(f), bilder - 1)];
}

// The small pictures: ball shadow, markers, shirt numbers.
Rastport_Bild schatten;
Rastport_Bild schatten_halb;  // for half and quarter views
Rastport_Bild marken[5];
Rastport_Bild nummern[50];
// The goals' pieces drawn over the figures: [left, right][full, half scale].
Rastport_Bild tore[2][2];
u32 sprites_stand = 0;        // the archives' count the pictures come from
int sprites_vorrat_naechster = 0;  // the next picture the stock step loads

}  // namespace

// ---------------------------------------------------------------------------
// Animation sets.

const Sa_Frame* Spielansicht_Frame_Zeiger(int set, int richtung, int bild) {
    if (set < 0 || set >= ANIM_SETS) return nullptr;
    const Anim_Def& a = Anim_Tabelle[set];
    if (!a.daten) return nullptr;
    return frame_aus(reinterpret_cast<Sa_Frame* const*>(a.bilder), a.letztes_bild + 1, a.richtungen, richtung, bild);
}

bool Spielansicht_Animset_Laden(int set, u32* bytes) {
    if (set < 0 || set >= ANIM_SETS) return false;
    Anim_Def& a = Anim_Tabelle[set];
    if (!a.ladbar || a.eintrag < 0) return false;
    if (a.daten) return true;
    Blob b;
    if (!blob_laden(a.eintrag, b)) return false;
    a.daten = b.daten;
    a.datengroesse = b.groesse;
    a.letztes_bild = b.bilder - 1;
    for (int d = 0; d < ANIM_RICHTUNGEN; ++d) a.bilder[d] = reinterpret_cast<void**>(b.frames[d]);
    if (bytes) *bytes = b.groesse + ANIM_RICHTUNGEN * b.bilder * static_cast<u32>(sizeof(Sa_Frame));
    return true;
}

void Spielansicht_Animset_Free(int set) {
    if (set < 0 || set >= ANIM_SETS) return;
    Anim_Def& a = Anim_Tabelle[set];
    for (void**& f : a.bilder) f = static_cast<void**>(W32_Memory_H_Free(f));
    a.daten = W32_Memory_H_Free(a.daten);
    a.datengroesse = 0;
    a.letztes_bild = 0;
}

void Spielansicht_Animsets_Free() {
    for (int s = 0; s < ANIM_SETS; ++s) Spielansicht_Animset_Free(s);
    sets_geladen = false;
}

bool Spielansicht_Animsets_Laden() {
    if (sets_stand != Resf_Stand()) Spielansicht_Animsets_Free();
    if (sets_geladen) {
        for (Anim_Def& a : Anim_Tabelle) a.gezeichnet = 0;
        return true;
    }
    sets_stand = Resf_Stand();
    int gezaehlt = 0, fertig = 0;
    for (int s = 0; s < ANIM_SETS; ++s) gezaehlt += Anim_Tabelle[s].ladbar != 0;
    sets_geladen = true;
    // A start that takes its time shows how far it got, at most every 200 ms.
    u32 notiert = W32_Get_Time();
    for (int s = 0; s < ANIM_SETS && sets_geladen; ++s) {
        Anim_Tabelle[s].gezeichnet = 0;
        if (!Anim_Tabelle[s].ladbar) continue;
        if (W32_Get_Time() - notiert > SA_FORTSCHRITT_MS) {
            Menue_Fortschritt(Text_cfg_Text(TEXT_REST, SA_TEXT_STADION_LAEDT), fertig * 100 / std::max(gezaehlt, 1));
            notiert = W32_Get_Time();
        }
        if (!Spielansicht_Animset_Laden(s, nullptr)) sets_geladen = false;
        ++fertig;
    }
    if (!sets_geladen) Spielansicht_Animsets_Free();
    return sets_geladen;
}

bool Spielansicht_Animsets_Vorrat_Schritt() {
    if (sets_stand != Resf_Stand()) {
        Spielansicht_Animsets_Free();
        sets_stand = Resf_Stand();
        vorrat_naechster = 0;
    }
    if (sets_geladen) return false;
    // Each set is tried once per archive state: a damaged one is left to the
    // kick-off, which refuses the start.
    while (vorrat_naechster < ANIM_SETS) {
        const int s = vorrat_naechster++;
        if (Anim_Tabelle[s].ladbar && !Anim_Tabelle[s].daten) {
            Spielansicht_Animset_Laden(s, nullptr);
            return true;
        }
    }
    sets_geladen = std::all_of(std::begin(Anim_Tabelle), std::end(Anim_Tabelle),
                               [](const Anim_Def& a) { return !a.ladbar || a.daten; });
    return false;
}

void Spielansicht_Animsets_Vorrat_Freigeben() {
    Spielansicht_Animsets_Free();
    vorrat_naechster = 0;
}

u64 Spielansicht_Animsets_Bytes() {
    u64 n = 0;
    for (const Anim_Def& a : Anim_Tabelle)
        if (a.daten) n += a.datengroesse + ANIM_RICHTUNGEN * (a.letztes_bild + 1) * sizeof(Sa_Frame);
    for (const Blob& b : publikum)
        n += b.groesse + ANIM_RICHTUNGEN * b.bilder * sizeof(Sa_Frame) + b.halb_daten.size() +
             b.halb.size() * sizeof(Sa_Frame);
    return n;
}

int Spielansicht_Anim_Bild(int set, u16 ticks) {
    if (set < 0 || set >= ANIM_SETS) return 0;
    const Anim_Def& a = Anim_Tabelle[set];
    const u32 bilder = a.letztes_bild + 1, dauer = std::max<u32>(a.dauer, 1);
    return static_cast<int>(std::min<u32>(static_cast<u32>(ticks) % dauer * bilder / dauer, bilder - 1));
}

bool Spielansicht_Anim_Laden() {
    for (int g = 0; g < SA_PUBLIKUM_GRUPPEN; ++g)
        if (!publikum[g].daten && !blob_laden(PUBLIKUM_EINTRAG[g], publikum[g])) {
            Spielansicht_Anim_Free();
            return false;
        }
    for (Blob& b : publikum)  // the frames small views draw
        if (b.halb.empty()) {
            std::vector<const Sa_Frame*> quellen;
            for (int d = 0; d < ANIM_RICHTUNGEN; ++d)
                for (u32 f = 0; f < b.bilder; ++f) quellen.push_back(&b.frames[d][f]);
            Spielansicht_Frames_Halb(quellen, b.halb, b.halb_daten);
        }
    return true;
}

void Spielansicht_Anim_Free() {
    for (Blob& b : publikum) blob_free(b);
}

const Sa_Frame* Spielansicht_Publikum_Frame(int gruppe, int richtung, int bild) {
    if (gruppe < 0 || gruppe >= SA_PUBLIKUM_GRUPPEN) return nullptr;
    const Blob& b = publikum[gruppe];
    return b.daten ? frame_aus(b.frames, b.bilder, ANIM_RICHTUNGEN, richtung, bild) : nullptr;
}

const Sa_Frame* Spielansicht_Publikum_Frame_Halb(int gruppe, int richtung, int bild) {
    if (!Spielansicht_Publikum_Frame(gruppe, richtung, bild)) return nullptr;  // the range checked
    const Blob& b = publikum[gruppe];
    const size_t k = static_cast<size_t>(richtung) * b.bilder + std::min<u32>(static_cast<u32>(bild), b.bilder - 1);
    return k < b.halb.size() ? &b.halb[k] : nullptr;
}

int Spielansicht_Publikum_Bilder(int gruppe) {
    return gruppe >= 0 && gruppe < SA_PUBLIKUM_GRUPPEN ? static_cast<int>(publikum[gruppe].bilder) : 0;
}

namespace {
// Drops pictures loaded from an older state of the archives.
void sprites_stand_pruefen() {
    if (sprites_stand == Resf_Stand()) return;
    Spielansicht_Sprites_Free();
    sprites_stand = Resf_Stand();
    sprites_vorrat_naechster = 0;
}
}  // namespace

bool Spielansicht_Sprites_Laden() {
    sprites_stand_pruefen();
    bool ok = true;
    auto laden = [&ok](Rastport_Bild& rp, i32 nummer) {
        if (rp) return;
        rp.reset(Resf_Grafik_Laden(nummer));
        if (!rp || !Rastport_Lock(rp.get())) ok = false;
    };
    laden(schatten, GRAFIK_LIVE_BALLSCHATTEN);
    for (int i = 0; i < 5; ++i) laden(marken[i], GRAFIK_LIVE_MARKE + i);
    for (int i = 0; i < 50; ++i) laden(nummern[i], GRAFIK_LIVE_NUMMER + i);
    for (int s = 0; s < 2; ++s) laden(tore[0][s], GRAFIK_LIVE_TOR_LINKS + s), laden(tore[1][s], GRAFIK_LIVE_TOR_RECHTS + s);
    if (ok && !schatten_halb) {
        schatten_halb.reset(Rastport_Neu(std::max(1, schatten->breite / 2), std::max(1, schatten->hoehe / 2), 16, 0, 0));
        if (schatten_halb && Rastport_Lock(schatten_halb.get())) {
            Blt_Rechteck(schatten_halb.get(), 0, 0, schatten_halb->breite, schatten_halb->hoehe, 0);
            Blt_Kopie_Transparent_Halb(schatten.get(), schatten_halb.get(), 0, 0);
        } else {
            ok = false;
        }
    }
    if (ok) ok = Spielansicht_Logos_Laden();
    if (!ok) Spielansicht_Sprites_Free();
    return ok;
}

bool Spielansicht_Sprites_Vorrat_Schritt() {
    sprites_stand_pruefen();
    // The pictures one a step (each tried once in the archives' present
    // state), then the boards' logos one a step, then what is made of them.
    struct Eintrag {
        Rastport_Bild* rp;
        i32 nummer;
    };
    std::array<Eintrag, 60> liste{};
    size_t n = 0;
    liste[n++] = {&schatten, GRAFIK_LIVE_BALLSCHATTEN};
    for (int i = 0; i < 5; ++i) liste[n++] = {&marken[i], GRAFIK_LIVE_MARKE + i};
    for (int i = 0; i < 50; ++i) liste[n++] = {&nummern[i], GRAFIK_LIVE_NUMMER + i};
    for (int s = 0; s < 2; ++s) liste[n++] = {&tore[0][s], GRAFIK_LIVE_TOR_LINKS + s};
    for (int s = 0; s < 2; ++s) liste[n++] = {&tore[1][s], GRAFIK_LIVE_TOR_RECHTS + s};
    while (static_cast<size_t>(sprites_vorrat_naechster) < n) {
        const Eintrag e = liste[static_cast<size_t>(sprites_vorrat_naechster++)];
        if (*e.rp) continue;
        e.rp->reset(Resf_Grafik_Laden(e.nummer));
        if (*e.rp && !Rastport_Lock(e.rp->get())) e.rp->reset();
        return true;
    }
    const int logos = Spielansicht_Logos_Anzahl();
    if (static_cast<size_t>(sprites_vorrat_naechster) < n + static_cast<size_t>(logos)) {
        Spielansicht_Logo_Laden(sprites_vorrat_naechster++ - static_cast<int>(n));
        return true;
    }
    if (static_cast<size_t>(sprites_vorrat_naechster) == n + static_cast<size_t>(logos)) {
        ++sprites_vorrat_naechster;
        // All there: the half shadow and the boards' work pictures; a
        // picture missing leaves it to the kick-off, which refuses the start.
        bool da = true;
        for (size_t i = 0; i < n; ++i) da = da && *liste[i].rp != nullptr;
        if (da) Spielansicht_Sprites_Laden();
        return true;
    }
    return false;
}

size_t Spielansicht_Sprites_Anzahl() {
    size_t n = schatten != nullptr;
    for (const Rastport_Bild& rp : marken) n += rp != nullptr;
    for (const Rastport_Bild& rp : nummern) n += rp != nullptr;
    for (const auto& seite : tore)
        for (const Rastport_Bild& rp : seite) n += rp != nullptr;
    return n + static_cast<size_t>(Spielansicht_Logos_Geladen());
}

const Rastport* Spielansicht_Nummer_Bild(int nummer) {
    return nummer >= 0 && nummer < 50 ? nummern[nummer].get() : nullptr;
}

void Spielansicht_Sprites_Vorrat_Freigeben() {
    Spielansicht_Sprites_Free();
    sprites_vorrat_naechster = 0;
}

void Spielansicht_Sprites_Free() {
    schatten.reset();
    schatten_halb.reset();
    for (Rastport_Bild& rp : marken) rp.reset();
    for (Rastport_Bild& rp : nummern) rp.reset();
    for (auto& seite : tore)
        for (Rastport_Bild& rp : seite) rp.reset();
    Spielansicht_Logos_Free();
}

// ---------------------------------------------------------------------------
// The figures.

int Spielansicht_Drehen(int ist, int soll) {
    ist &= 15, soll &= 15;
    if (ist == soll) return ist;
    const int vor = (soll - ist + 16) % 16;  // steps clockwise
    return vor < 8 ? (ist + 1) % 16 : (ist + 15) % 16;
}

namespace {

// A picture (colour key 0, or blended by its alpha plane) at a point of the
// pitch picture, clipped to the view.
void bild_blit(const Spielansicht_View* v, Rastport* rp, i32 x, i32 y, const Blt_Optionen* opt = Blt_Opt_Transparent) {
    if (!rp || !Screen_Rastport) return;
    i32 dx = x - v->scroll_x + v->screen_x, dy = y - v->scroll_y + v->screen_y, sx = 0, sy = 0;
    i32 w = rp->breite, h = rp->hoehe;
    if (dx < v->screen_x) sx = v->screen_x - dx, w -= sx, dx = v->screen_x;
    if (dy < v->screen_y) sy = v->screen_y - dy, h -= sy, dy = v->screen_y;
    w = std::min(w, v->screen_x + v->breite - dx);
    h = std::min(h, v->screen_y + v->hoehe - dy);
    if (w > 0 && h > 0) Blt_Blit(rp, sx, sy, w, h, Screen_Rastport, dx, dy, opt);
}


// Linesmen's flag sets by their motion.
int fahne_zu(int set) {
    switch (set) {
        case 7: return 222;
        case 8: return 223;
        case 9: return 226;
        case 126: return 224;
        case 127: return 225;
        default: return -1;
    }
}

int feste_richtung(int set) {
    switch (set) {
        case 90: case 91: case 97: case 101: return 8;
        case 98: case 99: case 100: case 114: case 118: case 119: case 120: case 121: return 10;
        default: return -1;
    }
}

// The screen direction of a pitch direction of the engine (0 along -y, 4
// along +x, clockwise).
int bildschirm_richtung(const Spielansicht_View* v, const Spielfeld_Objekt& o, int pitch_richtung) {
    const double w = (pitch_richtung & 15) * 3.14159265358979 / 8;
    i32 x1, y1, x2, y2;
    Spielansicht_Projektion(v, o.x, o.y, 0, &x1, &y1);
    Spielansicht_Projektion(v, o.x + static_cast<f32>(std::sin(w) * 300), o.y - static_cast<f32>(std::cos(w) * 300), 0,
                            &x2, &y2);
    return Spielansicht_Richtung(x1, y1, x2, y2);
}

// An entry of the draw list: an object, or a goal's piece (TOR_LINKS, TOR_RECHTS).
struct Eintrag {
    i64 tiefe;
    int objekt;
};
constexpr int TOR_LINKS = -2, TOR_RECHTS = -1;

// Where a figure stands against the goals: inside or behind the left goal
// (behind its goal line), or behind the right goal's net; else 0.
int am_tor(const Spielfeld_Objekt& o) {
    constexpr f32 MITTE = spielansicht::PLATZ_BREITE_M * 50, HALB = spielansicht::TOR_BREITE_M * 50 + 150,
                  LAENGE = spielansicht::PLATZ_LAENGE_M * 100, TIEFE = spielansicht::TOR_TIEFE_M * 100;
    if (std::abs(o.y - MITTE) > HALB) return 0;
    if (o.x < 0) return TOR_LINKS;
    if (o.x > LAENGE + TIEFE) return TOR_RECHTS;
    return 0;
}

// A goal's piece over the figures: the front of the left goal, the whole right goal.
void tor_zeichnen(const Spielansicht_View* v, int welches) {
    const bool halb = v->layout != SA_VOLL, rechts = welches == TOR_RECHTS;
    Rastport* rp = tore[rechts][halb].get();
    if (!rp || v->gespiegelt) return;
    const spielansicht::Kasten k = spielansicht::Tor_Kasten(halb ? spielansicht::HALB : spielansicht::VOLL, rechts);
    bild_blit(v, rp, k.x, k.y, Blt_Opt_Alpha);
}

void zeichnen_set(Spielansicht_View* v, int set, int richtung, int bild, int tabelle, i32 x, i32 y) {
    if (set < 0 || set >= ANIM_SETS) return;
    Anim_Def& a = Anim_Tabelle[set];
    if (!a.daten && !Spielansicht_Animset_Laden(set, nullptr)) return;
    Spielansicht_Blit_Rle8(v, Spielansicht_Frame_Zeiger(set, richtung, bild), tabelle, x, y);
    a.gezeichnet = 1;
    ++a.zaehler;
}

void name_zeigen(Spielansicht_View* v, int slot, i32 x, i32 y) {
    const i32 spieler = v->pitch->spieler[slot].spieler;
    if (spieler < 0 || !Screen_Rastport) return;
    const bool voll = v->layout == SA_VOLL;
    const i32 sx = x - v->scroll_x + v->screen_x + 5, sy = y - v->scroll_y + v->screen_y - (voll ? 48 : 26);
    // Only a label that starts inside its view (no text over a neighbour).
    if (sx < v->screen_x || sx > v->screen_x + v->breite - 40 || sy < v->screen_y + 12 || sy > v->screen_y + v->hoehe)
        return;
    Kit_Printf(Screen_Rastport, Kit_Font(voll ? Kit_Schrift::ZAHL_KLEIN : Kit_Schrift::WINZIG), FARBE_WEISS, sx, sy,
               "%s", Spieler_String(63, spieler, nullptr, 0));
}

}  // namespace

void Spielansicht_Zeichnen(Spielansicht_View* v, const Spielfeld_Steuerung* st, u8 kamera_fest) {
    if (!v || !v->pitch) return;
    Spielfeld_Daten& sf = *v->pitch;
    const bool halb = v->layout != SA_VOLL, pause = st && st->pause;
    for (Anim_Def& a : Anim_Tabelle) a.gezeichnet = 0;
    std::array<Eintrag, SF_OBJEKTE + 2> liste;
    int n = 0;
    for (int i = 0; i < SF_OBJEKTE; ++i) {
        Spielfeld_Objekt& o = sf.objekt[i];
        if (!o.sichtbar) continue;
        // A position outside all reason draws nothing.
        if (!(std::abs(o.x) < 20000.0f && std::abs(o.y) < 20000.0f && std::abs(o.z) < 5000.0f)) continue;
        Spielansicht_Projektion(v, o.x, o.y, o.z, &o.bild_x, &o.bild_y);
        i32 gx, gy;
        Spielansicht_Projektion(v, o.x, o.y, 0, &gx, &gy);
        liste[n++] = {2 * static_cast<i64>(gy), i};
    }
    // The goals' pieces go into the order: the left goal's front right after
    // the last figure inside or behind it (before every figure when there is
    // none), the right goal just before the first figure behind its net
    // (after every figure when there is none).
    i64 links = std::numeric_limits<i64>::min(), rechts = std::numeric_limits<i64>::max();
    for (int k = 0; k < n; ++k) {
        const int wo = am_tor(sf.objekt[liste[k].objekt]);
        if (wo == TOR_LINKS) links = std::max(links, liste[k].tiefe + 1);
        if (wo == TOR_RECHTS) rechts = std::min(rechts, liste[k].tiefe - 1);
    }
    liste[n++] = {links, TOR_LINKS};
    liste[n++] = {rechts, TOR_RECHTS};
    std::sort(liste.begin(), liste.begin() + n,
              [](const Eintrag& a, const Eintrag& b) { return a.tiefe != b.tiefe ? a.tiefe < b.tiefe : a.objekt < b.objekt; });
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    for (int k = 0; k < n; ++k) {
        const int i = liste[k].objekt;
        if (i < 0) {
            tor_zeichnen(v, i);
            continue;
        }
        Spielfeld_Objekt& o = sf.objekt[i];
        const int set = o.anim.set;
        if (set >= ANIM_SETS) continue;  // an unknown animation draws nothing
        i32 x = o.bild_x, y = o.bild_y;
        int richtung, bild, gezeigt_set = set;
        const bool halten = st && st->periode_ms >= 18 && static_cast<i32>(sf.uhr - static_cast<u32>(o.haltezeit)) < 0 &&
                            o.eintrag_set == set && o.eintrag_bild == o.anim.bild && o.letzt_set < ANIM_SETS;
        if (halten) {
            gezeigt_set = o.letzt_set, bild = o.letzt_bild, richtung = o.letzt_richtung;
        } else {
            bild = Spielansicht_Anim_Bild(set, o.anim.bild);
            int soll;
            if (i == SF_OBJ_BALL) {
                i32 zx, zy;
                Spielansicht_Projektion(v, sf.ball_ziel[0], sf.ball_ziel[1], 0, &zx, &zy);
                soll = (zx == x && zy == y) ? o.letzt_richtung : Spielansicht_Richtung(x, y, zx, zy);
            } else {
                // Facing: where the figure runs to, else the engine's facing.
                soll = o.letzt_richtung;
                const f32 vx = o.vx, vy = o.vy;
                i32 zx = x, zy = y;
                if (vx * vx + vy * vy > 100.0f) {
                    Spielansicht_Projektion(v, o.x + vx * 0.5f, o.y + vy * 0.5f, 0, &zx, &zy);
                    i32 gx, gy;
                    Spielansicht_Projektion(v, o.x, o.y, 0, &gx, &gy);
                    const i32 d = (zx - gx) * (zx - gx) + (zy - gy) * (zy - gy), min = halb ? 25 : 100;
                    if (d >= min && !kamera_fest) soll = Spielansicht_Richtung(gx, gy, zx, zy);
                } else if (!kamera_fest) {
                    soll = bildschirm_richtung(v, o, o.anim.richtung);
                }
            }
            richtung = pause || i == SF_OBJ_BALL ? soll : Spielansicht_Drehen(o.letzt_richtung, soll);
            if (const int fest = feste_richtung(set); fest >= 0) richtung = fest;
        }
        const int tabelle = i < SA_FARBTABELLEN ? i : 56;
        if (i == SF_OBJ_BALL) {
            i32 gx, gy;
            Spielansicht_Projektion(v, o.x, o.y, 0, &gx, &gy);
            if (Rastport* s = (halb ? schatten_halb : schatten).get())
                bild_blit(v, s, gx - s->breite / 2 + (halb ? 1 : 2), gy - s->hoehe / 2);
        }
        // Markers under players: the tired one blinks as he runs; a man-marker
        // wears his own.
        if (i < SF_SPIELER && sf.spieler[i].ausdauer * 30 / 10000 < 10 && sf.spieler[i].spieler >= 0 &&
            (static_cast<i32>(o.x / 100) & 1) && marken[2])
            bild_blit(v, marken[2].get(), x - marken[2]->breite / 2, y - marken[2]->hoehe / 2);
        if (i < SF_SPIELER && (sf.spieler[i].flag & SFS_FLAG_DECKT) && sf.spieler[i].spieler >= 0 && marken[3])
            bild_blit(v, marken[3].get(), x - marken[3]->breite / 2, y - marken[3]->hoehe / 2);
        // The beam's sound as a figure reaches its frame 5, in the focused view only.
        if (v->focus && i < SF_OBJ_BALL && gezeigt_set == A_BEAMEN && bild == 5 &&
            !(o.letzt_set == A_BEAMEN && o.letzt_bild == 5))
            Spielansicht_Sound_Stereo(SA_SAMPLE_BEAMEN, x - sf.scroll[0], 320);
        zeichnen_set(v, gezeigt_set, richtung, bild, tabelle, x, y);
        const Anim_Def& a = Anim_Tabelle[gezeigt_set];
        if (a.verbunden >= 0 && a.verbunden < ANIM_SETS && !o.unterdrueckt) {
            const int t = a.verbunden == 220 ? 54 : a.verbunden == 221 ? 55 : tabelle;
            zeichnen_set(v, a.verbunden, richtung, bild, t, x, y);
        }
        if ((i == SF_OBJ_LINIE_1 || i == SF_OBJ_LINIE_2) && fahne_zu(gezeigt_set) >= 0)
            zeichnen_set(v, fahne_zu(gezeigt_set), richtung, bild, tabelle, x, y);
        if (i < SF_SPIELER) {
            const Spielfeld_Spieler& sp = sf.spieler[i];
            // The substitutes sit shoulder to shoulder: their numbers would
            // run together, so a number shows from the pitch on.
            const bool auf_der_bank = (sp.status & SFS_BANK) && !(sp.status & SFS_AUF_DEM_PLATZ);
            if (!halb && sp.spieler >= 0 && !auf_der_bank) {
                Rastport* nr = nummern[std::max<int>(0, sp.rueckennummer) % 50].get();
                if (nr) bild_blit(v, nr, x - nr->breite / 2, y - 44);
            }
            const i32 sx = x - v->scroll_x + v->screen_x, sy = y - v->scroll_y + v->screen_y;
            const i32 bx = sx - 20, by = sy - (halb ? 22 : 45);
            if (mx >= bx && mx <= bx + 35 && my >= by && my <= by + (halb ? 25 : 50) && mx >= v->screen_x &&
                my >= v->screen_y && mx < v->screen_x + v->breite && my < v->screen_y + v->hoehe)
                v->name_bis[i] = sf.uhr + 1000;
            if (sf.ballfuehrer == i || sf.markiert[0] == static_cast<u32>(i) + 1 ||
                sf.markiert[1] == static_cast<u32>(i) + 1 || static_cast<i32>(sf.uhr - v->name_bis[i]) < 0)
                name_zeigen(v, i, x, y);
        }
        if (!halten) {
            o.letzt_set = static_cast<u16>(gezeigt_set);
            o.letzt_bild = static_cast<u16>(bild);
            o.letzt_richtung = static_cast<u8>(richtung);
            o.eintrag_set = static_cast<u16>(set);
            o.eintrag_bild = o.anim.bild;
            o.haltezeit = static_cast<i32>(sf.uhr + 70);
        }
    }
}

void Spielansicht_Bild_Blit(const Spielansicht_View* v, Rastport* rp, i32 x, i32 y) { bild_blit(v, rp, x, y); }
