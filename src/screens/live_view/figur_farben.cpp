// The live view's figures coloured: the colour tables of the kits, hair and
// skin, and the referee's colours chosen apart from both clubs'.
#include "screens/live_view/figuren.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
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
#include "world/modi.h"
#include "world/team.h"
#include "world/trikot.h"
#include "world/welt.h"

// ---------------------------------------------------------------------------
// Colours.

namespace {
// The tables made, by colour record and display depth: a kick-off tints
// some thirty, and the clubs shown come back matchday after matchday.
struct Tabelle_Schluessel {
    std::array<u8, sizeof(Sa_Figur_Farben::rgb)> rgb;
    i32 tiefe;
    auto operator<=>(const Tabelle_Schluessel&) const = default;
};
std::map<Tabelle_Schluessel, std::array<u16, 256>> gemacht;
constexpr size_t GEMACHT_MAX = 2048;  // 1 MB of tables at most

void farbtabelle_machen(u16 t[256], const Sa_Figur_Farben& f) {
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
}  // namespace

size_t Spielansicht_Farbtabellen_Anzahl() { return gemacht.size(); }
void Spielansicht_Farbtabellen_Freigeben() { gemacht.clear(); }

void Spielansicht_Farbtabelle(u16 t[256], const Sa_Figur_Farben& f) {
    Tabelle_Schluessel k{{}, Display_Farbtiefe};
    std::copy(std::begin(f.rgb), std::end(f.rgb), k.rgb.begin());
    if (const auto it = gemacht.find(k); it != gemacht.end()) {
        std::copy(it->second.begin(), it->second.end(), t);
        return;
    }
    farbtabelle_machen(t, f);
    if (gemacht.size() >= GEMACHT_MAX) gemacht.clear();
    std::copy(t, t + 256, gemacht[k].begin());
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
    const u16 haar = static_cast<u16>(Spieler_Wert(SPIELER_WERT_HAARFARBE, spieler, 0, 0));
    const u16 haut = static_cast<u16>(Spieler_Wert(SPIELER_WERT_HAUTFARBE, spieler, 0, 0));
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

void Spielansicht_Trikot_Aufhellen(u8 block[36]) {
    int faktor = 180;
    for (int i = 0; i < 36; ++i)
        if (block[i] * 180 / 100 > 255 && block[i] < 240) faktor -= 5;
    faktor = std::max(faktor, 130);
    for (int i = 0; i < 36; ++i) block[i] = static_cast<u8>(std::min(block[i] * faktor / 100, 255));
}

// The kits the two sides wear are those of the pre-match picture
// (Trikot_Team_VS_Team): the field players' kit goes into the block's first
// kit, the goalkeeper's into its third. A club's own kit keeps the club's
// colours; a kit it has to borrow from the table brings the table's.
void Spielansicht_Trikotfarben(Spielansicht_View* v) {
    if (!v || !v->pitch) return;
    const u32 h = v->pitch->team[0], g = v->pitch->team[1];
    const bool beide = h < static_cast<u32>(Team_Anzahl) && g < static_cast<u32>(Team_Anzahl);
    int spieler[2] = {-1, -1}, torwart[2] = {-1, -1};
    if (beide) {
        Trikot_Team_VS_Team(static_cast<int>(h), static_cast<int>(g), &spieler[0], &spieler[1], 0);
        Trikot_Team_VS_Team(static_cast<int>(h), static_cast<int>(g), &torwart[0], &torwart[1], 2);
    }
    for (int seite = 0; seite < 2; ++seite) {
        u8* block = v->trikot_farben[seite];
        std::fill(block, block + 36, 0);
        const u32 team = v->pitch->team[seite];
        if (team < static_cast<u32>(Team_Anzahl)) Team_Zeiger(700, static_cast<int>(team), block, 2);
        if (beide) {
            const int t = static_cast<int>(team);
            if (spieler[seite] != Trikot_Get_TrikotNr(t, 0)) {
                if (spieler[seite] == Trikot_Get_TrikotNr(t, 1)) std::copy(block + 12, block + 24, block);
                else Trikot_Farben_Setzen(block, 0, spieler[seite]);
            }
            if (torwart[seite] != Trikot_Get_TrikotNr(t, 2)) Trikot_Farben_Setzen(block, 2, torwart[seite]);
        }
        Spielansicht_Trikot_Aufhellen(block);
    }
}
