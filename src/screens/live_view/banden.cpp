// The 42 advertising boards around the pitch: each shows one of two sponsors'
// logos and swaps them every eight seconds on its own phase, the old logo
// sliding out diagonally upward while the new one slides in behind it.
#include <algorithm>

#include "base/random.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "screens/live_view/spielansicht.h"
#include "world/werbung.h"

namespace {

// The house boards 0..13, then the advertising partners' boards.
constexpr int HAUS = GRAFIK_LIVE_LOGO_0_ANZAHL, PARTNER = GRAFIK_LIVE_PARTNER_0_ANZAHL, LOGOS = HAUS + PARTNER;
static_assert(HAUS == 14 && PARTNER == WERBUNG_SPONSOREN && GRAFIK_LIVE_LOGO_1_ANZAHL == HAUS &&
              GRAFIK_LIVE_PARTNER_1_ANZAHL == PARTNER);
constexpr u32 WECHSEL_MS = 8000;

// Placement in pixels of the full-scale pitch picture; kind 0 boards stand
// behind the goal lines, kind 1 along the touchlines. Boards 0..19 are on the
// far side (drawn before the figures), 20..41 on the near side.
constexpr struct {
    i32 x, y;
    u32 art;
} PLATZ[SA_BANDEN] = {
    {117, 338, 0},  {239, 307, 0},  {361, 277, 0},  {922, 137, 0},  {1044, 107, 0}, {1166, 76, 0},
    {1542, 76, 1},  {1663, 106, 1}, {1784, 136, 1}, {1904, 166, 1}, {2025, 196, 1}, {2146, 227, 1},
    {2267, 257, 1}, {2630, 347, 1}, {2751, 378, 1}, {2872, 408, 1}, {2993, 438, 1}, {3114, 468, 1},
    {3235, 499, 1}, {3356, 529, 1}, {2317, 889, 0}, {2439, 858, 0}, {2561, 828, 0}, {3123, 687, 0},
    {3244, 657, 0}, {3367, 626, 0}, {103, 435, 1},  {224, 465, 1},  {345, 495, 1},  {466, 525, 1},
    {586, 556, 1},  {707, 586, 1},  {828, 616, 1},  {949, 647, 1},  {1070, 677, 1}, {1191, 707, 1},
    {1312, 738, 1}, {1433, 768, 1}, {1554, 798, 1}, {1675, 829, 1}, {1797, 859, 1}, {1918, 889, 1},
};

// Logos by kind and scale (0 full, 1 half), and the work pictures a swap is composed in.
Rastport_Bild logos[2][2][LOGOS];
Rastport_Bild arbeit[2][2];

Rastport_Bild halbieren(Rastport* voll) {
    Rastport_Bild h{Rastport_Neu(std::max(1, voll->breite / 2), std::max(1, voll->hoehe / 2), 16, 0, 0)};
    if (!h || !Rastport_Lock(h.get())) return nullptr;
    Blt_Rechteck(h.get(), 0, 0, h->breite, h->hoehe, 0);
    Blt_Kopie_Transparent_Halb(voll, h.get(), 0, 0);
    return h;
}

// A logo number from a board value: a partner's board, else value mod 15 - 1
// (1 when that is below 0).
i32 logo_aus(u32 wert) {
    if (wert >= SF_BANDE_PARTNER && wert - SF_BANDE_PARTNER < static_cast<u32>(PARTNER))
        return HAUS + static_cast<i32>(wert - SF_BANDE_PARTNER);
    const i32 l = static_cast<i32>(wert % 15) - 1;
    return l < 0 ? 1 : std::min(l, HAUS - 1);
}

i32 logo_grafik(int art, int i) {
    if (i < HAUS) return (art ? GRAFIK_LIVE_LOGO_1 : GRAFIK_LIVE_LOGO_0) + i;
    return (art ? GRAFIK_LIVE_PARTNER_1 : GRAFIK_LIVE_PARTNER_0) + i - HAUS;
}

// The work picture cut to the board's shape: the key colour 0 wherever the
// board's logo has it (without a branch, so that it runs many pixels a step).
void formen(u16* __restrict p, const u16* __restrict form, i32 n) {
    for (i32 k = 0; k < n; ++k) p[k] = static_cast<u16>(p[k] & (form[k] ? 0xFFFFu : 0u));
}

void einrichten(Spielansicht_View* v) {
    const Spielfeld_Daten& sf = *v->pitch;
    for (int i = 0; i < SA_BANDEN; ++i) {
        Sa_Bande& b = v->banden[i];
        b = Sa_Bande{};
        b.x = PLATZ[i].x, b.y = PLATZ[i].y, b.art = PLATZ[i].art;
        b.wechsel_zeit = sf.uhr - static_cast<u32>(Rnd_Deko_Von_Bis(0, 7999));
        b.logo[0] = logo_aus(sf.banden[i % 8]);
        b.logo[1] = logo_aus(sf.banden[(i + 1) % 8]);
        b.neu_x = b.art == 0 ? 13 : -13, b.neu_y = 26;
    }
    v->banden_bereit = 1;
}

}  // namespace

i32 Spielansicht_Logo_Nummer(u32 wert) { return logo_aus(wert); }

bool Spielansicht_Logos_Laden() {
    for (int art = 0; art < 2; ++art) {
        for (int i = 0; i < LOGOS; ++i) {
            if (logos[art][0][i]) continue;
            Rastport_Bild rp{Resf_Grafik_Laden(logo_grafik(art, i))};
            if (!rp || !Rastport_Lock(rp.get()) || !(logos[art][1][i] = halbieren(rp.get()))) {
                Spielansicht_Logos_Free();
                return false;
            }
            logos[art][0][i] = std::move(rp);
        }
        for (int s = 0; s < 2; ++s) {
            const Rastport* l = logos[art][s][0].get();
            if (!arbeit[art][s]) arbeit[art][s].reset(Rastport_Neu(l->breite, l->hoehe, 16, 0, 0));
            if (!arbeit[art][s] || !Rastport_Lock(arbeit[art][s].get())) {
                Spielansicht_Logos_Free();
                return false;
            }
        }
    }
    return true;
}

int Spielansicht_Logos_Anzahl() { return 2 * LOGOS; }

int Spielansicht_Logos_Geladen() {
    int n = 0;
    for (const auto& art : logos)
        for (const Rastport_Bild& rp : art[0]) n += rp != nullptr;
    return n;
}

void Spielansicht_Logo_Laden(int nummer) {
    if (nummer < 0 || nummer >= 2 * LOGOS) return;
    const int art = nummer / LOGOS, i = nummer % LOGOS;
    if (logos[art][0][i]) return;
    Rastport_Bild rp{Resf_Grafik_Laden(logo_grafik(art, i))};
    if (!rp || !Rastport_Lock(rp.get())) return;
    if (Rastport_Bild halb = halbieren(rp.get())) {
        logos[art][1][i] = std::move(halb);
        logos[art][0][i] = std::move(rp);
    }
}

void Spielansicht_Logos_Free() {
    for (auto& art : logos)
        for (auto& skala : art)
            for (Rastport_Bild& rp : skala) rp.reset();
    for (auto& art : arbeit)
        for (Rastport_Bild& rp : art) rp.reset();
}

namespace {
// Whether a picture of w x h at a point of the pitch picture shows in the
// view (Spielansicht_Bild_Blit draws some of it).
bool sichtbar(const Spielansicht_View& v, i32 x, i32 y, i32 w, i32 h) {
    const i32 dx = x - v.scroll_x, dy = y - v.scroll_y;
    return Screen_Rastport && dx < v.breite && dy < v.hoehe && dx + w > 0 && dy + h > 0;
}
}  // namespace

void Spielansicht_Banden(Spielansicht_View* v, int pass) {
    if (!v || !v->pitch || !logos[0][0][0]) return;
    if (!v->banden_bereit) einrichten(v);
    const Spielfeld_Daten& sf = *v->pitch;
    for (Sa_Bande& b : v->banden)
        if (static_cast<i32>(sf.uhr - (b.wechsel_zeit + WECHSEL_MS)) > 0) b.wechsel_zeit = sf.uhr, b.wechselt = 1;
    const int von = pass & 1 ? 0 : 20, bis = pass & 2 ? SA_BANDEN : 20;
    const int s = v->layout == SA_VOLL ? 0 : 1, teiler = s ? 2 : 1;
    for (int i = von; i < bis; ++i) {
        Sa_Bande& b = v->banden[i];
        const int art = b.art ? 1 : 0;
        Rastport* jetzt = logos[art][s][b.logo[b.seite & 1]].get();
        if (!b.wechselt) {
            Spielansicht_Bild_Blit(v, jetzt, b.x / teiler, b.y / teiler);
            continue;
        }
        // The two logos composed in the work picture, cut to the board's
        // shape; only for a board the view shows (the slide moves on all
        // the same).
        Rastport* a = arbeit[art][s].get();
        if (sichtbar(*v, b.x / teiler, b.y / teiler, a->breite, a->hoehe)) {
            Rastport* anderes = logos[art][s][b.logo[(b.seite + 1) & 1]].get();
            Blt_Rechteck(a, 0, 0, a->breite, a->hoehe, 0);
            Blt_Blit(jetzt, 0, 0, -1, -1, a, b.alt_x / teiler, b.alt_y / teiler, Blt_Opt_Transparent);
            Blt_Blit(anderes, 0, 0, -1, -1, a, b.neu_x / teiler, b.neu_y / teiler, Blt_Opt_Transparent);
            formen(a->bitmap->pixel16(), jetzt->bitmap->pixel16(),
                   std::min(a->breite * a->hoehe, jetzt->breite * jetzt->hoehe));
            Spielansicht_Bild_Blit(v, a, b.x / teiler, b.y / teiler);
        }
        const int dx = art == 0 ? -1 : 1;
        b.alt_x += dx, b.neu_x += dx, b.alt_y -= 2, b.neu_y -= 2;
        if ((art == 0 && b.neu_x < 0) || (art == 1 && b.neu_x > 0)) {
            b.alt_x = b.alt_y = 0;
            b.neu_x = art == 0 ? 13 : -13, b.neu_y = 26;
            b.logo[b.seite & 1] = logo_aus(sf.banden[static_cast<u32>(Rnd_Deko_Von_Bis(0, 7))]);
            b.seite ^= 1;
            b.wechselt = 0;
        }
    }
}

i32 Spielansicht_Banden_Pixel(const Spielansicht_View* v, i32 x, i32 y, i32 w, i32 h) {
    if (!v || !v->banden_bereit || !logos[0][0][0]) return 0;
    const int s = v->layout == SA_VOLL ? 0 : 1, teiler = s ? 2 : 1;
    // The rectangle inside the view.
    const i32 x0 = std::max(x, v->screen_x), y0 = std::max(y, v->screen_y);
    const i32 x1 = std::min(x + w, v->screen_x + v->breite), y1 = std::min(y + h, v->screen_y + v->hoehe);
    i32 n = 0;
    for (const Sa_Bande& b : v->banden) {
        const Rastport* l = logos[b.art ? 1 : 0][s][b.logo[b.seite & 1]].get();
        if (!l || !l->bitmap) continue;
        // Where it is drawn (Spielansicht_Bild_Blit), in the shape of the logo shown.
        const i32 bx = b.x / teiler - v->scroll_x + v->screen_x, by = b.y / teiler - v->scroll_y + v->screen_y;
        const u16* form = l->bitmap->pixel16();
        for (i32 py = std::max(y0, by); py < std::min(y1, by + l->hoehe); ++py)
            for (i32 px = std::max(x0, bx); px < std::min(x1, bx + l->breite); ++px)
                n += form[(py - by) * l->breite + (px - bx)] != 0;
    }
    return n;
}
