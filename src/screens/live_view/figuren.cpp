// The live view's figures: loading the animation sets, the colour tables of
// the kits, the 8-bit sprite blit and the players, officials and ball drawn
// in depth order.
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
    for (const Blob& b : publikum) n += b.groesse + ANIM_RICHTUNGEN * b.bilder * sizeof(Sa_Frame);
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

int Spielansicht_Publikum_Bilder(int gruppe) {
    return gruppe >= 0 && gruppe < SA_PUBLIKUM_GRUPPEN ? static_cast<int>(publikum[gruppe].bilder) : 0;
}

bool Spielansicht_Sprites_Laden() {
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
// Colours.

void Spielansicht_Farbtabelle(u16 t[256], const Sa_Figur_Farben& f) {
    using namespace figur;
    const u8* pal = BASIS.rgb6.data();
    // Entries that no part names (outlines, flags, seams) keep their own colour.
    for (int i = 0; i < 256; ++i)
        t[i] = Farbe_Get_Pixel(Display_Farbtiefe, (pal[3 * i] & 63) * 4, (pal[3 * i + 1] & 63) * 4,
                               (pal[3 * i + 2] & 63) * 4);
    // Parts in order, each from its bytes of the colour record.
    constexpr struct {
        Teil teil;
        int byte;
    } TEILE_FARBE[TEILE] = {{HAAR, 0}, {HOSE, 15}, {HEMD, 6}, {AERMEL, 9}, {HAUT, 3}, {SCHUHE, 18}, {STUTZEN, 12},
                            {KRAGEN, 12}};
    for (const auto& tf : TEILE_FARBE) {
        const std::array<i32, 64> liste = Liste_I32(tf.teil);
        Farbe_Palette_Einfaerben(f.rgb[tf.byte], f.rgb[tf.byte + 1], f.rgb[tf.byte + 2], pal, liste.data(),
                                 LISTEN[tf.teil].bezug, LISTEN[tf.teil].laenge, t);
    }
    t[SCHATTEN] = Farbe_Get_Pixel(Display_Farbtiefe, 40, 60, 40);
    for (int i = 0; i < 256; ++i)
        if (t[i] == 0) t[i] = 1;
}

namespace {

// A table cleared, the ball's two parts tinted to one colour, entry 44 and the zero rule.
void einfarbig(u16 t[256], u8 r, u8 g, u8 b) {
    using namespace figur;
    std::fill(t, t + 256, 0);
    for (Teil teil : {HOSE, HEMD}) {
        const std::array<i32, 64> liste = Liste_I32(teil);
        Farbe_Palette_Einfaerben(r, g, b, BASIS.rgb6.data(), liste.data(), LISTEN[teil].bezug, LISTEN[teil].laenge, t);
    }
    t[SCHATTEN] = Farbe_Get_Pixel(Display_Farbtiefe, 40, 60, 40);
    for (int i = 0; i < 256; ++i)
        if (t[i] == 0) t[i] = 1;
}

u32 rgb_von(const u8* p) { return static_cast<u32>(p[0]) << 16 | static_cast<u32>(p[1]) << 8 | p[2]; }

// Hair and skin of a player (16-bit pixels of his record); a record without
// them gets a plain look rather than black.
void haar_haut(i32 spieler, Sa_Figur_Farben& f) {
    const u16 haar = static_cast<u16>(Spieler_Wert(72, spieler, 0, 0));
    const u16 haut = static_cast<u16>(Spieler_Wert(73, spieler, 0, 0));
    if (haar) Farbe_Get_RGB(haar, 16, &f.rgb[0], &f.rgb[1], &f.rgb[2]);
    else f.rgb[0] = 70, f.rgb[1] = 48, f.rgb[2] = 30;
    if (haut) Farbe_Get_RGB(haut, 16, &f.rgb[3], &f.rgb[4], &f.rgb[5]);
    else f.rgb[3] = 222, f.rgb[4] = 170, f.rgb[5] = 130;
}

// The kit colours 1, 2, 4, 3 of a block's kit (triples k..k+3).
void kit(const u8* block, int k, Sa_Figur_Farben& f) {
    std::memcpy(&f.rgb[6], block + 3 * k, 3);
    std::memcpy(&f.rgb[9], block + 3 * (k + 1), 3);
    std::memcpy(&f.rgb[12], block + 3 * (k + 3), 3);
    std::memcpy(&f.rgb[15], block + 3 * (k + 2), 3);
    f.rgb[18] = f.rgb[19] = f.rgb[20] = 0;
}

// The referee's colour: of three, the one that differs from both clubs'
// first colour at the highest tolerance (the later one on a tie); kept from
// the last match when none differs.
u32 schiri_farbe = 0x00C0C0;

void schiri_waehlen(const u8 heim[36], const u8 gast[36]) {
    constexpr u32 FARBEN[3] = {0x00C0C0, 0x9B4343, 0xEEDCA1};
    const u32 h = rgb_von(heim), g = rgb_von(gast);
    for (int tol = 200; tol >= 0; --tol) {
        bool gefunden = false;
        for (u32 c : FARBEN)
            if (!Trikot_Farbe_Gleich(c, h, tol) && !Trikot_Farbe_Gleich(c, g, tol)) schiri_farbe = c, gefunden = true;
        if (gefunden) return;
    }
}

}  // namespace

bool Spielansicht_Farben_Bauen(Spielansicht_View* v) {
    if (!v || !v->pitch) return false;
    Spielfeld_Daten& sf = *v->pitch;
    Spielansicht_Trikotfarben(v);
    for (auto& t : v->farben) std::fill(t, t + 256, 0);
    for (int s = 0; s < SF_SPIELER; ++s) {
        const i32 spieler = sf.spieler[s].spieler;
        if (spieler < 0) continue;
        Sa_Figur_Farben f{};
        haar_haut(spieler, f);
        const int seite = s < SF_PRO_SEITE ? 0 : 1;
        // The block holds the kit each side wears (Spielansicht_Trikotfarben).
        const int k = sf.objekt[s].torwart ? 8 : 0;
        kit(v->trikot_farben[seite], k, f);
        Spielansicht_Farbtabelle(v->farben[s], f);
    }
    // Officials: the referee's colour, dark shorts, light socks.
    schiri_waehlen(v->trikot_farben[0], v->trikot_farben[1]);
    Sa_Figur_Farben o{};
    const u8 offiziell[21] = {137, 122, 75, 233, 177, 102};
    std::memcpy(o.rgb, offiziell, 6);
    const u8 r = static_cast<u8>(schiri_farbe >> 16), gr = static_cast<u8>(schiri_farbe >> 8),
             b = static_cast<u8>(schiri_farbe);
    o.rgb[6] = static_cast<u8>(r * 65 / 100), o.rgb[7] = static_cast<u8>(gr * 65 / 100), o.rgb[8] = static_cast<u8>(b * 65 / 100);
    o.rgb[9] = r, o.rgb[10] = gr, o.rgb[11] = b;
    o.rgb[12] = o.rgb[13] = o.rgb[14] = 240;
    o.rgb[15] = o.rgb[16] = o.rgb[17] = 1;
    for (int obj : {SF_OBJ_SCHIRI, SF_OBJ_LINIE_1, SF_OBJ_LINIE_2}) Spielansicht_Farbtabelle(v->farben[obj], o);
    // The ball (orange in the larger stadiums), the card colours, the plain palette.
    if (sf.bild_art % 7 >= 4) einfarbig(v->farben[SF_OBJ_BALL], 230, 100, 0);
    else einfarbig(v->farben[SF_OBJ_BALL], 230, 230, 230);
    einfarbig(v->farben[54], 255, 0, 0);
    einfarbig(v->farben[55], 255, 255, 0);
    for (int i = 0; i < 256; ++i)
        v->farben[56][i] = Farbe_Get_Pixel(Display_Farbtiefe, (figur::BASIS.rgb6[3 * i] & 63) * 4,
                                           (figur::BASIS.rgb6[3 * i + 1] & 63) * 4, (figur::BASIS.rgb6[3 * i + 2] & 63) * 4);
    // Extra figures (the crowd's odd colours): a random player's look in a random club's kit.
    for (int obj = 57; obj < 62; ++obj) {
        int slot = 9;
        for (int n = 0; n < 100; ++n) {
            slot = Rnd_Deko_Von_Bis(9, SF_SPIELER - 1);
            if (sf.spieler[slot].spieler >= 1) break;
        }
        int club = 1;
        for (int n = 0; n < 100; ++n) {
            club = Rnd_Deko_Von_Bis(1, 100);
            if (club < Team_Anzahl && Team_Ist_Normal(club, 0)) break;
        }
        Sa_Figur_Farben f{};
        haar_haut(sf.spieler[slot].spieler, f);
        u8 block[36] = {};
        if (club < Team_Anzahl) Team_Zeiger(700, club, block, 2);
        Spielansicht_Trikot_Aufhellen(block);
        kit(block, 0, f);
        Spielansicht_Farbtabelle(v->farben[obj], f);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Blits.

namespace {

struct Klipp {
    u16* pixel;
    i32 pitch;
    i32 x0, y0, x1, y1;  // inclusive-exclusive box on the screen
};

Klipp klipp_von(const Spielansicht_View* v) {
    Klipp k{};
    if (!Screen_Rastport || !Rastport_Lock(Screen_Rastport) || Screen_Rastport->tiefe() == 8) return k;
    k.pixel = Screen_Rastport->bitmap->pixel16();
    k.pitch = Screen_Rastport->breite;
    k.x0 = std::max(0, v->screen_x), k.y0 = std::max(0, v->screen_y);
    k.x1 = std::min(Screen_Rastport->breite, v->screen_x + v->breite);
    k.y1 = std::min(Screen_Rastport->hoehe, v->screen_y + v->hoehe);
    return k;
}

u32 lies32(const u8* p) { return get_u32le(p); }

// An 8-bit frame with its top-left at (x, y) of the screen, full or half size.
bool rle8(const Klipp& k, const Sa_Frame& f, const u16* t, i32 x, i32 y, bool halb) {
    const i32 w = halb ? f.breite / 2 : f.breite, h = halb ? (f.hoehe + 1) / 2 : f.hoehe;
    if (!k.pixel || x >= k.x1 || y >= k.y1 || x + w <= k.x0 || y + h <= k.y0) return false;
    bool gezeichnet = false;
    const i32 schritt = halb ? 2 : 1;
    // A frame inside the view's columns is drawn without a test a pixel.
    const bool ganz_breit = x >= k.x0 && x + w <= k.x1;
    for (i32 zeile = 0; zeile < f.hoehe; zeile += schritt) {
        const i32 sy = y + zeile / schritt;
        if (sy < k.y0) continue;
        if (sy >= k.y1) break;
        const u8* p = f.daten + lies32(f.zeilen + 4 * zeile);
        u16* ziel = k.pixel + static_cast<size_t>(sy) * k.pitch;
        for (i32 sx = 0; sx < f.breite;) {
            const u8 c = *p++;
            const i32 n = c & 0x7F;
            if ((c & 0x80) && ganz_breit) {
                // At half size only the odd columns are drawn.
                if (!halb) {
                    u16* z = ziel + x + sx;
                    for (i32 i = 0; i < n; ++i) z[i] = t[p[i]];
                    gezeichnet |= n > 0;
                } else {
                    for (i32 i = (sx & 1) ? 0 : 1; i < n; i += 2) ziel[x + (sx + i) / 2] = t[p[i]], gezeichnet = true;
                }
                p += n;
            } else if (c & 0x80) {
                for (i32 i = 0; i < n; ++i) {
                    const i32 px = sx + i;
                    if (halb && !(px & 1)) continue;
                    const i32 dx = x + (halb ? px / 2 : px);
                    if (dx >= k.x0 && dx < k.x1) ziel[dx] = t[p[i]], gezeichnet = true;
                }
                p += n;
            }
            sx += n;
        }
    }
    return gezeichnet;
}

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

// Where a 16-bit frame lands on the screen and what of it the view shows.
struct Lage16 {
    i32 x = 0, y = 0, w = 0, h = 0;     // the frame's box on the screen
    i32 kx = 0, ky = 0, kw = 0, kh = 0;  // its visible part
    bool halb = false;
    bool ganz() const { return kx == x && ky == y && kw == w && kh == h; }
};

bool lage16(const Spielansicht_View* v, const Rle_Sprite& sp, i32 x, i32 y, Lage16* l) {
    if (!Screen_Rastport || sp.breite <= 0 || sp.hoehe <= 0) return false;
    l->halb = v->layout != SA_VOLL;
    l->w = l->halb ? sp.breite / 2 : sp.breite;
    l->h = l->halb ? (sp.hoehe + 1) / 2 : sp.hoehe;
    const i32 ox = l->halb ? sp.x_korrektur / 2 : sp.x_korrektur;
    const i32 oy = l->halb ? sp.y_korrektur / 2 : sp.y_korrektur;
    l->x = x - v->scroll_x + (sp.gespiegelt ? -(l->w + ox) : ox) + v->screen_x;
    l->y = y - v->scroll_y + oy + v->screen_y;
    const i32 x0 = std::max({0, v->screen_x, l->x}), y0 = std::max({0, v->screen_y, l->y});
    const i32 x1 = std::min({Screen_Rastport->breite, v->screen_x + v->breite, l->x + l->w});
    const i32 y1 = std::min({Screen_Rastport->hoehe, v->screen_y + v->hoehe, l->y + l->h});
    if (x1 <= x0 || y1 <= y0) return false;
    l->kx = x0, l->ky = y0, l->kw = x1 - x0, l->kh = y1 - y0;
    return true;
}

using Rle_Schleife = i32 (*)(const Rle_Sprite&, Rastport*, i32, i32);

// A temporary picture of the frame's size in the screen's depth, cleared.
Rastport_Bild zwischenbild(const Lage16& l) {
    Rastport_Bild t{Rastport_Neu_Einfach(l.w, l.h, Screen_Rastport->tiefe())};
    if (t) Blt_Rechteck(t.get(), 0, 0, l.w, l.h, 0);
    return t;
}

}  // namespace

void Spielansicht_Bild_Blit(const Spielansicht_View* v, Rastport* rp, i32 x, i32 y) { bild_blit(v, rp, x, y); }

bool Spielansicht_Blit_Rle8(Spielansicht_View* v, const Sa_Frame* f, int objekt, i32 x, i32 y) {
    if (!v || !f || objekt < 0 || objekt >= SA_FARBTABELLEN) return false;
    const bool halb = v->layout != SA_VOLL;
    const i32 ox = halb ? f->x_versatz / 2 : f->x_versatz, oy = halb ? f->y_versatz / 2 : f->y_versatz;
    return rle8(klipp_von(v), *f, v->farben[objekt], x - v->scroll_x + ox + v->screen_x,
                y - v->scroll_y + oy + v->screen_y, halb);
}

bool Spielansicht_Blit_Rle(Spielansicht_View* v, const Sa_Frame16* f, i32 x, i32 y) {
    Lage16 l;
    if (!v || !f || !lage16(v, f->bild, x, y, &l)) return false;
    const Rle_Schleife schleife = l.halb ? (f->bild.gespiegelt ? Blt_Rle_Gespiegelt_Halb : Blt_Rle_Halb)
                                         : (f->bild.gespiegelt ? Blt_Rle_Gespiegelt : Blt_Rle);
    if (l.ganz()) return schleife(f->bild, Screen_Rastport, l.x, l.y) != 0;
    const Rastport_Bild t = zwischenbild(l);
    if (!t) return false;
    const bool ok = schleife(f->bild, t.get(), 0, 0) != 0;
    if (ok) Blt_Blit(t.get(), l.kx - l.x, l.ky - l.y, l.kw, l.kh, Screen_Rastport, l.kx, l.ky, Blt_Opt_Transparent);
    return ok;
}

bool Spielansicht_Blit_Rle_Stufe(Spielansicht_View* v, const Sa_Frame16* f, i32 stufe, i32 x, i32 y) {
    Lage16 l;
    if (!v || !f) return false;
    if (f->bild.gespiegelt) return Blt_Leer_A(f->bild, Screen_Rastport, x, y) != 0;
    if (f->tiefe != 15 && f->tiefe != 16) return Blt_Leer_B(f->bild, Screen_Rastport, x, y) != 0;
    if (!lage16(v, f->bild, x, y, &l)) return false;
    auto mischen = [&](Rastport* ziel, i32 dx, i32 dy) {
        return (l.halb ? Blt_Rle_Alpha_Halb(f->bild, ziel, dx, dy, stufe) : Blt_Rle_Alpha(f->bild, ziel, dx, dy, stufe)) != 0;
    };
    if (l.ganz()) return mischen(Screen_Rastport, l.x, l.y);
    // Cut: blend onto a copy of what lies under the visible part, then put it back.
    const Rastport_Bild t = zwischenbild(l);
    if (!t) return false;
    const i32 sx = l.kx - l.x, sy = l.ky - l.y;
    Blt_Blit(Screen_Rastport, l.kx, l.ky, l.kw, l.kh, t.get(), sx, sy, nullptr);
    const bool ok = mischen(t.get(), 0, 0);
    if (ok) Blt_Blit(t.get(), sx, sy, l.kw, l.kh, Screen_Rastport, l.kx, l.ky, nullptr);
    return ok;
}

bool Spielansicht_Blit_Publikum(Spielansicht_View* v, const Sa_Frame* f, int variante, i32 x, i32 y) {
    return Spielansicht_Blit_Rle8(v, f, variante, x, y);
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
