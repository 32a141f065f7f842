// Scroll bars and the scroll screen of the menu engine.
#include <algorithm>
#include <cmath>

#include "base/debug.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "gui/menue.h"
#include "gui/menue_intern.h"
#include "platform/input.h"

namespace menue_kern {

void knopf_auf(Screen_Icon* k, i32 pos) {
    Move_Struktur* m = move_von(k);
    if (senkrecht(m)) {
        k->y = static_cast<i16>(std::clamp<i32>(pos, m->y_min, m->y_max));
        k->x = m->spur_x;
    } else {
        k->x = static_cast<i16>(std::clamp<i32>(pos, m->x_min, m->x_max));
        k->y = m->spur_y;
    }
    Menue_Icon_Zustand_Setzen(k->nummer, static_cast<u32>(senkrecht(m) ? k->y : k->x));
}

void knopf_melden(Screen_Icon* k, u32 ereignis) {
    Move_Struktur* m = move_von(k);
    if (m && m->prozedur) m->prozedur(k, Menue_Balkenpos_In_Index(k), ereignis);
}

}  // namespace menue_kern

using namespace menue_kern;

// --- Scroll bars ------------------------------------------------------------------------------

i32 Menue_Balkenpos_In_Index(const Screen_Icon* k) {
    const Move_Struktur* m =
        k && (k->flags & MENUE_F_SCROLLBUTTON) ? static_cast<const Move_Struktur*>(k->daten) : nullptr;
    if (!m || m->stufen <= 1) return 0;
    const i32 pos = senkrecht(m) ? k->y : k->x;
    const i32 mn = senkrecht(m) ? m->y_min : m->x_min, mx = senkrecht(m) ? m->y_max : m->x_max;
    if (mx <= mn) return 0;
    return (m->stufen - 1) * (std::clamp(pos, mn, mx) - mn) / (mx - mn);
}

void Menue_Scrollbuttonpos_Zuweisen(Screen_Icon* k) {
    if (!move_von(k)) return;
    if (const u32 pos = Menue_Icon_Zustand(k->nummer)) knopf_auf(k, static_cast<i32>(pos));
}

void Menue_Scrollbutton_Setzen(Screen_Icon* k, i32 index) {
    Move_Struktur* m = move_von(k);
    if (!m || m->stufen <= 1) return;
    const i32 mn = senkrecht(m) ? m->y_min : m->x_min, mx = senkrecht(m) ? m->y_max : m->x_max;
    index = std::clamp<i32>(index, 0, m->stufen - 1);
    knopf_auf(k, mn + ((mx - mn) * index + m->stufen - 2) / (m->stufen - 1));
}

void Menue_Scrollbar_Klick(Screen_Icon* balken, u32) {
    Screen_Icon* k = balken ? Menue_Screen_Icon_Aus_Nummer(balken->verknuepft) : nullptr;
    Move_Struktur* m = move_von(k);
    if (!m) {
        Debug_Printf("Menue_Scrollbar_Klick: Kein Scr_Icon!\n");
        return;
    }
    knopf_auf(k, senkrecht(m) ? Maus_Get_Y() - k->h / 2 : Maus_Get_X() - k->w / 2);
    knopf_melden(k, MENUE_E_SCROLL);
}

void Menue_Scrollbar_Klick_Intern(Screen_Icon* k, i32 delta) {
    Move_Struktur* m = move_von(k);
    if (!m || m->stufen < 1) return;
    const i32 spur = senkrecht(m) ? m->y_max - m->y_min : m->x_max - m->x_min;
    const i32 schritt = (spur / m->stufen + 2) * delta;
    knopf_auf(k, (senkrecht(m) ? k->y : k->x) + schritt);
    knopf_melden(k, MENUE_E_SCROLL);
}

namespace {
// The button and track of a value conversion; false (reported) without a
// scroll button.
bool wert_spur(const char* name, i32 nummer, Screen_Icon*& k, i32& spur_min, i32& spur_max, bool& gespiegelt,
               i32 umkehr) {
    if (!k) k = Menue_Screen_Icon_Aus_Nummer(nummer);
    const Move_Struktur* m = move_von(k);
    if (!m) {
        Debug_Printf("%s: scroll_icon==NULL!\n", name);
        return false;
    }
    if (spur_min == -1) spur_min = senkrecht(m) ? m->y_min : m->x_min;
    if (spur_max == -1) spur_max = senkrecht(m) ? m->y_max : m->x_max;
    // Screen y grows downward: a vertical bar shows its highest value at the top.
    gespiegelt = senkrecht(m) ? umkehr == 0 : umkehr == 1;
    return true;
}
}  // namespace

i32 Menue_Wert_In_Scrollpos_Umrechnen(i32 team, i32 nummer, Screen_Icon* k, i32 wert, i32 umkehr, i32 wert_min,
                                      i32 wert_max, i32 spur_min, i32 spur_max) {
    bool gespiegelt = false;
    if (!wert_spur("Menue_Wert_In_Scrollpos_Umrechnen", nummer, k, spur_min, spur_max, gespiegelt, umkehr)) return -1;
    const i64 spanne = static_cast<i64>(wert_max) - wert_min;
    i64 v = std::clamp<i64>(wert, std::min(wert_min, wert_max), std::max(wert_min, wert_max));
    if (gespiegelt) v = static_cast<i64>(wert_max) + wert_min - v;
    const double anteil = spanne < 1 ? 0.0 : static_cast<double>(v - wert_min) / static_cast<double>(spanne);
    const i32 pos = static_cast<i32>(std::floor((spur_max - spur_min) * anteil + spur_min + 0.5));
    zustand_setzen(team, nummer >= 0 ? nummer : k->nummer, static_cast<u32>(pos));
    return pos;
}

i32 Menue_Scrollpos_In_Wert_Umrechnen(i32 team, i32 nummer, Screen_Icon* k, i32 umkehr, i32 wert_min, i32 wert_max,
                                      i32 spur_min, i32 spur_max) {
    bool gespiegelt = false;
    if (!wert_spur("Menue_Scrollpos_In_Wert_Umrechnen", nummer, k, spur_min, spur_max, gespiegelt, umkehr)) return 0;
    const i32 laenge = spur_max - spur_min;
    if (laenge <= 0) return 0;
    const u32 gespeichert = zustand_lesen(team, nummer >= 0 ? nummer : k->nummer);
    const i32 pos = gespeichert ? static_cast<i32>(gespeichert) : senkrecht(move_von(k)) ? k->y : k->x;
    const double anteil = static_cast<double>(std::clamp(pos - spur_min, 0, laenge)) / laenge;
    const i64 v = static_cast<i64>(std::floor((static_cast<double>(wert_max) - wert_min) * anteil + 0.5 + wert_min));
    return static_cast<i32>(gespiegelt ? static_cast<i64>(wert_max) + wert_min - v : v);
}

bool Menue_Check_Icon_Raster(const Icon_Raster* r, i32 mx, i32 my, i32* x, i32* y) {
    i32 zellen = 0, best_d = -1;
    for (; r; r = r->naechstes)
        for (i32 z = 0; z < r->zeilen; ++z)
            for (i32 s = 0; s < r->spalten; ++s) {
                if (++zellen > 300) {
                    Debug_Printf("Menue_Check_Icon_Raster: MAX-RASTERSIZE erreicht!\n");
                    return best_d >= 0;
                }
                const i32 cx = r->x + s * (r->zelle_b + r->abstand_x), cy = r->y + z * (r->zelle_h + r->abstand_y);
                const i32 d = abstand(mx, my, cx + r->zelle_b / 2, cy + r->zelle_h / 2);
                if (best_d < 0 || d < best_d) best_d = d, *x = cx, *y = cy;
            }
    return best_d >= 0;
}

// --- The scroll screen ----------------------------------------------------------------------------

Menue_Scrollscreen* Menue_Get_Scrollscreen(i32 nummer) {
    if (!M) Menue_Init();
    if (nummer != 0) {
        Debug_Printf("Menue_Get_Scrollscreen: nr falsch!\n");
        return nullptr;
    }
    return &M->scroll;
}

Rastport* Menue_Screen_Icon_Scroll_Bitmap(i32 nummer) {
    Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(nummer);
    if (!ss) return nullptr;
    if (ss->bild &&
        (ss->bild->breite != static_cast<i32>(ss->inhalt_b) || ss->bild->hoehe != static_cast<i32>(ss->inhalt_h))) {
        ss->bild = nullptr;
    }
    if (!ss->bild) {
        if (ss->inhalt_b < 1 || ss->inhalt_h < 1 || ss->inhalt_b > 4096 || ss->inhalt_h > 8192 ||
            !(ss->bild = Rastport_Bild(
                  Rastport_Neu_Einfach(static_cast<i32>(ss->inhalt_b), static_cast<i32>(ss->inhalt_h), 16)))) {
            Debug_Printf("Menue_Screen_Icon_Scroll_Bitmap: Kein Speicher f. Nr. %d (br=%u, ho=%u)\n", nummer,
                         ss->inhalt_b, ss->inhalt_h);
            return nullptr;
        }
    }
    return ss->bild.get();
}

void Menue_Kill_Scrollscreen(i32 nummer) {
    Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(nummer);
    if (!ss) return;
    scroll_bilder_freigeben();
    ss->aktuell = -1;
    ss->ziel = 0;
    for (i32 n = 0; n < MENUE_ICON_NUMMERN; ++n)
        if (M->nummern[n] && M->nummern[n]->scroll != 255) Menue_Screen_Icon_Loeschen(n);
    if (Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ss->knopf)) {
        const i32 balken = k->verknuepft;
        Menue_Screen_Icon_Loeschen(ss->knopf);
        Menue_Screen_Icon_Loeschen(balken);
    }
}

void Menue_Dynamischen_Scrollbar_Korrigieren(Menue_Scrollscreen* ss) {
    if (!ss) {
        Debug_Printf("Menue_Dynamischen_Scrollbar_Korrigieren: ss==NULL\n");
        return;
    }
    ss->aktuell = ss->ziel;
}

Rastport* Menue_Blit_Rastport(const Screen_Icon* i, i32* x, i32* y) {
    *x = i->x, *y = i->y;
    if (i->scroll == 255) return Screen_Rastport;
    const Menue_Scrollscreen& ss = M->scroll;
    const i32 versatz = std::max(ss.aktuell, 0);
    *x = i->x - static_cast<i32>(ss.fenster_x) + ((ss.flags & SCROLL_WAAGERECHT) ? versatz : 0);
    *y = i->y - static_cast<i32>(ss.fenster_y) + ((ss.flags & SCROLL_WAAGERECHT) ? 0 : versatz);
    return Menue_Screen_Icon_Scroll_Bitmap(i->scroll);
}

void Menue_Scrollscreen_Rasterbreite_Festlegen(i32 nummer) {
    Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(nummer);
    if (!ss) return;
    Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ss->knopf);
    Move_Struktur* m = move_von(k);
    Screen_Icon* balken = k ? Menue_Screen_Icon_Aus_Nummer(k->verknuepft) : nullptr;
    const bool waag = (ss->flags & SCROLL_WAAGERECHT) != 0;
    const i32 fenster = static_cast<i32>(waag ? ss->fenster_b : ss->fenster_h);
    const i32 ueber = static_cast<i32>(ss->inhalt_laenge) - static_cast<i32>(ss->bereich_start) - fenster;
    const i32 spur = m ? (senkrecht(m) ? m->y_max - m->y_min : m->x_max - m->x_min) : 0;
    const bool zeigen = ueber > 0 && spur > 0;
    for (Screen_Icon* i : {k, balken})
        if (i) i->status = zeigen ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
    if (m) m->skala = zeigen ? static_cast<float>(ueber) * 100.f / static_cast<float>(spur) : 0.f;
    if (!zeigen) ss->ziel = 0;
}

i32 Menue_Abs_Balkenpos(Screen_Icon* k) {
    Move_Struktur* m = move_von(k);
    if (!m) {
        Debug_Printf("Menue_Abs_Balkenpos: sc=NULL!\n");
        return -1;
    }
    if (m->scrollscreen >= 0) Menue_Scrollscreen_Rasterbreite_Festlegen(m->scrollscreen);
    const i32 pos = senkrecht(m) ? k->y : k->x;
    const i32 mn = senkrecht(m) ? m->y_min : m->x_min, mx = senkrecht(m) ? m->y_max : m->x_max;
    if (pos < mn || pos > mx) Debug_Printf("Menue_Abs_Balkenpos: Scrollbutton-Pos falsch!\n");
    const i32 versatz = static_cast<i32>(static_cast<float>(std::clamp(pos, mn, mx) - mn) * m->skala / 100.f);
    if (m->scrollscreen >= 0)
        if (Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(m->scrollscreen)) ss->ziel = versatz;
    return versatz;
}

void Menue_Universale_Scroll_Prozedur(Screen_Icon* k, i32, u32) {
    if (!move_von(k)) {
        Debug_Printf("Menue_Universale_Scroll_Prozedur: Kein Scrollbutton!\n");
        return;
    }
    Menue_Abs_Balkenpos(k);
}

namespace {
// Takes what lies under the background graphic h at (x, y) the first time,
// and puts it back every later time.
void hintergrund_retten(const Rastport* h, Rastport* ziel, i32 x, i32 y) {
    Rastport_Bild& g = M->scroll_gerettet;
    if (g && g->breite == h->breite && g->hoehe == h->hoehe) {
        Blt_Blit(g.get(), 0, 0, -1, -1, ziel, x, y, nullptr);
        return;
    }
    g = nullptr;
    g.reset(Rastport_Neu_Einfach(h->breite, h->hoehe, 16));
    if (g) Blt_Blit(ziel, x, y, h->breite, h->hoehe, g.get(), 0, 0, nullptr);
}
}  // namespace

void Menue_Universale_Scroll_Blit_Prozedur(i32 nummer, Rastport* ziel) {
    Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(nummer);
    if (!ss) return;
    const bool waag = (ss->flags & SCROLL_WAAGERECHT) != 0;
    // The icons follow the offset.
    // (An unknown offset counts as 0: a screen adds its icons unscrolled.)
    if (const i32 d = ss->ziel - std::max(ss->aktuell, 0)) {
        for (Screen_Icon* i : M->nummern)
            if (i && i->scroll == nummer) {
                if (waag) i->x = static_cast<i16>(i->x - d);
                else i->y = static_cast<i16>(i->y - d);
            }
    }
    ss->aktuell = ss->ziel;
    Rastport* bild = Menue_Screen_Icon_Scroll_Bitmap(nummer);
    if (!bild || !ziel) return;
    const i32 wx = static_cast<i32>(ss->fenster_x), wy = static_cast<i32>(ss->fenster_y);
    if (ss->hintergrund >= 0)
        if (Rastport* h = hooks_tabelle.grafik_holen(static_cast<u32>(ss->hintergrund))) {
            const i32 hx = wx + ss->rahmen_x, hy = wy + ss->rahmen_y;
            if ((ss->flags & SCROLL_HINTERGRUND) && !(ss->flags & SCROLL_OHNE_RETTEN))
                hintergrund_retten(h, ziel, hx, hy);
            Blt_Blit(h, 0, 0, -1, -1, ziel, hx, hy, (ss->flags & SCROLL_HINTERGRUND) ? Blt_Opt_Transparent : nullptr);
        }
    // The icons are drawn into the picture, which is then copied with key 0.
    Blt_Rechteck(bild, 0, 0, bild->breite, bild->hoehe, 0);
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            Screen_Icon* i = ist_belegt(e, s) ? slot(e, s) : nullptr;
            if (!i || i->scroll != nummer || i == M->gezogen) continue;
            i32 x = 0, y = 0;
            Menue_Blit_Rastport(i, &x, &y);
            const i16 ax = i->x, ay = i->y;
            i->x = static_cast<i16>(x), i->y = static_cast<i16>(y);
            Menue_Icon_Blit(i, bild);
            i->x = ax, i->y = ay;
        }
    Blt_Blit(bild, waag ? ss->ziel : 0, waag ? 0 : ss->ziel, static_cast<i32>(ss->fenster_b),
             static_cast<i32>(ss->fenster_h), ziel, wx, wy, Blt_Opt_Transparent);
    if (ss->prozedur)
        for (i16 n : ss->oben)
            if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(n); i && sichtbar(i)) Menue_Icon_Blit(i, ziel);
}
