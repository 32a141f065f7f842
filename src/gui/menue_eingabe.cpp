// The menu engine's input: the mouse turned into clicks, drags, wheel steps
// and help texts, and the timed hook procedures.
#include <algorithm>
#include <cmath>

#include "base/debug.h"
#include "base/tools.h"
#include "graphics/blitter.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "gui/menue.h"
#include "gui/menue_intern.h"
#include "gui/menue_spiel.h"
#include "platform/input.h"
#include "platform/mainloop.h"

using namespace menue_kern;

namespace {

bool im_fenster(const Menue_Scrollscreen& ss, i32 mx, i32 my) {
    return mx >= static_cast<i32>(ss.fenster_x) && my >= static_cast<i32>(ss.fenster_y) &&
           mx < static_cast<i32>(ss.fenster_x + ss.fenster_b) && my < static_cast<i32>(ss.fenster_y + ss.fenster_h);
}

bool unter_maus(const Screen_Icon* i, i32 mx, i32 my) {
    if (i->scroll != 255 && !im_fenster(M->scroll, mx, my)) return false;
    if (mx < i->clip_x0 || mx > i->clip_x1 || my < i->clip_y0 || my > i->clip_y1) return false;
    if (mx < i->x || my < i->y || mx >= i->x + i->w || my >= i->y + i->h) return false;
    if ((i->flags & MENUE_F_PIXELTEST) && i->bild && i->bild->bitmap) {
        Maus_Bild_Sicht b;
        b.breite = i->bild->breite;
        b.hoehe = i->bild->hoehe;
        b.maske = i->bild->maske.empty() ? nullptr : i->bild->maske.data();
        b.pixel = i->bild->bitmap->pixel16();
        b.tiefe = i->bild->tiefe();
        return Maus_Ueber_Bild(b, i->x, i->y);
    }
    return true;
}

i32 wippe_knopf(const Screen_Icon* i, i32 mx, i32 my) {
    i32 best = 0, bestd = 1 << 30;
    for (i32 k = 0; k < 6; ++k) {
        i32 px = 0, py = 0;
        wippe_punkt(i, k, &px, &py);
        const i32 d = abstand(mx, my, i->x + px, i->y + py);
        if (d < bestd) bestd = d, best = k;
    }
    return best;
}

void feuern(Screen_Icon* i, u32 ereignis, u32 jetzt) {
    const bool wippe = (i->flags & MENUE_F_WIPPE) != 0;
    if (!(i->flags & MENUE_F_KEIN_KLANG)) {
        if (!wippe) hooks_tabelle.klick_klang(9);
        else if (ereignis == MENUE_E_RECHTS) hooks_tabelle.klick_klang(10);
    }
    if (wippe) {
        ereignis |= wippe_knopf(i, Maus_Get_X(), Maus_Get_Y()) < 3 ? MENUE_E_MINUS : MENUE_E_PLUS;
        if (i->flags & MENUE_F_HALTEN_WIEDERHOLT) Menue_Universaler_Wippe_Weiterschalter(i, ereignis);
    }
    M->letzter = jetzt;
    M->ruhe_seit = jetzt;
    Blt_Cache_Leeren();  // what the click changes is drawn afresh
    if (ereignis & MENUE_E_RECHTS) Maus_Rechts_Sperre = 1;
    if (i->klick) i->klick(i, ereignis);
}

void hooks_laufen(i32 mal, u32 jetzt) {
    for (i32 k = 0; k < mal; ++k)
        for (Hook& h : M->hooks) {
            if (!h.p) continue;
            if (static_cast<i32>(jetzt - h.naechste) > 0) {
                h.naechste = jetzt + h.periode;
                h.p(h.arg, MENUE_E_HOOK_ZEIT);
            } else {
                h.p(h.arg, MENUE_E_HOOK);
            }
        }
}

void aktiv_wechseln(Screen_Icon* neu, u32 jetzt) {
    if (neu == M->aktiv) return;
    Screen_Icon* alt = M->aktiv;
    M->aktiv = neu;
    M->ruhe_seit = jetzt;
    if (M->hilfe_sichtbar) hooks_tabelle.hilfe_ende(), M->hilfe_sichtbar = false;
    if (alt && (alt->flags & MENUE_F_HOVER) && alt->klick) {
        M->hover_nummer = -1;
        alt->klick(alt, MENUE_E_HOVER_RAUS);
    }
    if (neu && (neu->flags & MENUE_F_HOVER) && neu->nummer != M->hover_nummer && neu->klick) {
        M->hover_nummer = neu->nummer;
        neu->klick(neu, MENUE_E_HOVER_REIN);
    }
}

void drag_beginnen(Screen_Icon* i, i32 mx, i32 my) {
    M->gezogen = i;
    M->griff_x = mx - i->x;
    M->griff_y = my - i->y;
    M->zieh_x = i->x;
    M->zieh_y = i->y;
    M->zieh_index = move_von(i) ? Menue_Balkenpos_In_Index(i) : -1;
    if (M->hilfe_sichtbar) hooks_tabelle.hilfe_ende(), M->hilfe_sichtbar = false;
}

void drag_bewegen(i32 mx, i32 my) {
    Screen_Icon* g = M->gezogen;
    if (Move_Struktur* m = move_von(g)) {
        knopf_auf(g, senkrecht(m) ? my - M->griff_y : mx - M->griff_x);
        M->zieh_x = g->x, M->zieh_y = g->y;
        const i32 idx = Menue_Balkenpos_In_Index(g);
        if (idx != M->zieh_index) {
            M->zieh_index = idx;
            knopf_melden(g, 0);
        }
        return;
    }
    i32 x = mx - M->griff_x, y = my - M->griff_y;
    if (g->raster && Menue_Check_Icon_Raster(g->raster, mx, my, &x, &y)) {
    } else if (g->drag) {
        const Menue_Drag* d = g->drag;
        const i32 x0 = d->x0 < 0 ? 0 : d->x0, y0 = d->x0 < 0 ? 0 : d->y0;
        const i32 x1 = d->x0 < 0 ? 799 : d->x1, y1 = d->x0 < 0 ? 599 : d->y1;
        x = std::clamp(x, x0, std::max(x0, x1 - g->w + 1));
        y = std::clamp(y, y0, std::max(y0, y1 - g->h + 1));
    }
    if (x != M->zieh_x || y != M->zieh_y) {
        M->zieh_x = x, M->zieh_y = y;
        if (g->drag && (g->drag->flags & DRAG_BEI_BEWEGUNG) && g->drag->drop)
            g->drag->drop(g, nullptr, x, y, MENUE_E_DRAG_BEWEGT);
    }
}

// The best icon under the mouse, `ausser` left out.
Screen_Icon* icon_unter(i32 mx, i32 my, const Screen_Icon* ausser, bool nur_modal) {
    Screen_Icon* best = nullptr;
    i32 best_score = 0;
    for (i32 e = MENUE_EBENEN - 1; e >= 0; --e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            if (!ist_belegt(e, s)) continue;
            Screen_Icon* i = slot(e, s);
            if (i == ausser || !sichtbar(i) || (i->flags & MENUE_F_NICHT_ABFRAGEN)) continue;
            if (nur_modal && !(i->flags & MENUE_F_MODAL)) continue;
            if (!unter_maus(i, mx, my)) continue;
            i32 score = abstand(mx, my, i->x + i->w / 2, i->y + i->h / 2) - 1000 * e;
            if (i->status & MENUE_S_GRAU) score += 2;
            if (!best || score < best_score) best = i, best_score = score;
        }
    return best;
}

i32 drag_loslassen(i32 mx, i32 my) {
    Screen_Icon* g = M->gezogen;
    M->gezogen = nullptr;
    if (move_von(g)) {
        knopf_melden(g, MENUE_E_SCROLL);
        return 0;
    }
    Screen_Icon* darunter = icon_unter(mx, my, g, false);
    const Menue_Drag* d = g->drag;
    bool drop = true;
    if (d && (d->flags & DRAG_NUR_GRUPPE) && d->drop_maske != 255)
        drop = darunter && darunter->drop_gruppe != 255 && (darunter->drop_gruppe & d->drop_maske);
    if (drop && d && d->drop) d->drop(g, darunter, M->zieh_x, M->zieh_y, MENUE_E_DROP);
    Blt_Cache_Leeren();
    return 1;
}


}  // namespace

// --- Input -----------------------------------------------------------------------------

i32 Menue_Tick() {
    Menue_Videos_Vorgemerkt_Freigeben();
    Menue_Screen_Refresh();
    return Menue_Icons_Check();
}

namespace {
// The mouse of this frame.
struct Maus_Lage {
    u32 jetzt = 0;
    i32 x = 0, y = 0;
    u32 tasten = 0;  // held
    u32 neu = 0;     // went down this frame
};

Maus_Lage maus_lesen() {
    Maus_Lage l;
    l.jetzt = W32_Get_Time();
    Maus_Update();
    l.x = Maus_Get_X(), l.y = Maus_Get_Y();
    // A press and release that fell into one pass reach the buttons even
    // when a draw procedure of this pass read the mouse (and so took the
    // latch) before the check.
    l.tasten = Maus_Get_Tasten() | Maus_Get_Klick();
    l.neu = l.tasten & ~M->alt_tasten;
    M->alt_tasten = l.tasten;
    if (!l.tasten) {
        M->verzoegerung = 400;
        M->letzter = l.jetzt - 500;
    }
    return l;
}

// The right-click icon takes a right press anywhere; true when it did.
bool rechtsklick_icon_bedienen(const Maus_Lage& l) {
    if (!(l.neu & MAUS_RECHTS) || M->rechts_icon < 0) return false;
    Screen_Icon* r = Menue_Screen_Icon_Aus_Nummer(M->rechts_icon);
    if (!r || !r->klick) return false;
    r->klick(r, MENUE_E_RECHTS);
    Maus_Rechts_Sperre = 1;
    return true;
}

// Hooks: once per visible icon.
void hooks_bedienen(u32 jetzt) {
    i32 sichtbare = 0;
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = 0; s < M->hoechster[e]; ++s) sichtbare += ist_belegt(e, s) && sichtbar(slot(e, s));
    hooks_laufen(sichtbare, jetzt);
}

// A drag in progress, or a press on a draggable icon that becomes a drag
// when the mouse moves and a click when it is let go. True (with the result
// of the check) when one of them took the frame.
bool ziehen_bedienen(const Maus_Lage& l, i32* ergebnis) {
    if (M->gezogen) {
        if (l.tasten & MAUS_LINKS) {
            drag_bewegen(l.x, l.y);
            *ergebnis = 0;
        } else {
            *ergebnis = drag_loslassen(l.x, l.y);
        }
        return true;
    }
    Screen_Icon* w = M->wartend;
    if (!w) return false;
    if (!(l.tasten & MAUS_LINKS)) {
        M->wartend = nullptr;
        feuern(w, MENUE_E_LINKS, l.jetzt);
        *ergebnis = 2;
    } else if (l.x != M->wartend_x || l.y != M->wartend_y) {
        M->wartend = nullptr;
        drag_beginnen(w, M->wartend_x, M->wartend_y);
        drag_bewegen(l.x, l.y);
        *ergebnis = 0;
    } else {
        *ergebnis = -1;
    }
    return true;
}

// The wheel moves the scroll button whose linked icon lies nearest; true when
// one moved.
bool rad_bedienen(const Maus_Lage& l) {
    const i32 rad = Maus_Get_Rad();
    if (!rad) return false;
    Maus_Rad_Reset();
    Screen_Icon* best = nullptr;
    i32 best_d = 0;
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = 0; s < M->hoechster[e]; ++s) {
            Screen_Icon* i = ist_belegt(e, s) ? slot(e, s) : nullptr;
            if (!move_von(i) || (i->status & (MENUE_S_VERSTECKT | MENUE_S_GRAU))) continue;
            const Screen_Icon* z = Menue_Screen_Icon_Aus_Nummer(i->verknuepft);
            const i32 d = z ? abstand(l.x, l.y, z->x + z->w / 2, z->y + z->h / 2) : 2000000;
            if (!best || d < best_d) best = i, best_d = d;
        }
    if (!best) return false;
    M->rad_zeit = l.jetzt;
    M->rad_gesehen = true;
    Menue_Scrollbar_Klick_Intern(best, -rad);
    aktiv_wechseln(nullptr, l.jetzt);
    return true;
}

// The help text, drawn every frame (over the refreshed screen) once the
// mouse has rested on the icon for a second.
void hilfe_bedienen(Screen_Icon* b, u32 jetzt) {
    if (jetzt - M->ruhe_seit <= 1000 || !hooks_tabelle.hilfe_an()) return;
    const char* text = b->hilfe_prozedur ? b->hilfe_prozedur(b) : b->hilfe;
    if (!text || !*text) return;
    if (b->y >= 531) hooks_tabelle.hilfe_zeigen(text, b->x, b->y - 40);
    else hooks_tabelle.hilfe_zeigen(text, -1, -1);
    M->hilfe_sichtbar = true;
}

// The buttons on the icon under the mouse (not grey): secondary procedure,
// right click, the start of a drag, auto-repeat or a press that waits for
// its release.
i32 icon_bedienen(Screen_Icon* b, const Maus_Lage& l) {
    const u32 t = l.tasten, neu = l.neu;
    if (b->sekundaer && ((neu & MAUS_RECHTS) || ((neu & MAUS_LINKS) && (b->flags & MENUE_F_LINKS_SEKUNDAER)))) {
        if ((b->flags & MENUE_F_HOVER) && b->klick) b->klick(b, MENUE_E_HOVER_SEKUNDAER);
        M->hover_nummer = -1;
        M->aktiv = nullptr;
        if (neu & MAUS_RECHTS) Maus_Rechts_Sperre = 1;
        b->sekundaer(b);
        return 2;
    }
    if ((neu & MAUS_RECHTS) && (b->flags & (MENUE_F_BEIDE_TASTEN | MENUE_F_WIPPE))) {
        feuern(b, MENUE_E_RECHTS, l.jetzt);
        return 2;
    }
    if (!(t & MAUS_LINKS)) return 0;
    if ((neu & MAUS_LINKS) && (b->flags & (MENUE_F_ZIEHBAR | MENUE_F_SCROLLBUTTON))) {
        M->wartend = b;
        M->wartend_x = l.x, M->wartend_y = l.y;
        return -1;
    }
    if (b->status & MENUE_S_WIEDERHOLEN) {
        if (neu & MAUS_LINKS) M->verzoegerung = 400, M->letzter = l.jetzt - 500;  // a new press fires at once
        if (l.jetzt - M->letzter < M->verzoegerung) return (b->flags & MENUE_F_WIPPE) ? 1 : 0;
        feuern(b, MENUE_E_LINKS, l.jetzt);
        if (M->verzoegerung > 50) M->verzoegerung -= 50;
        if (M->verzoegerung < 350) M->verzoegerung = 50;
        return 2;
    }
    if (neu & MAUS_LINKS) M->gedrueckt = b;
    return -1;
}
}  // namespace

i32 Menue_Icons_Check() {
    if (!M) return 0;
    const Maus_Lage l = maus_lesen();
    if (rechtsklick_icon_bedienen(l)) return -1;
    hooks_bedienen(l.jetzt);
    if (i32 ergebnis = 0; ziehen_bedienen(l, &ergebnis)) return ergebnis;
    if (rad_bedienen(l)) return 0;
    const bool rad_ruhe = M->rad_gesehen && l.jetzt - M->rad_zeit < 500;
    Screen_Icon* b = rad_ruhe ? nullptr : icon_unter(l.x, l.y, nullptr, modal_aktiv());

    // A left press fires on its release, while the mouse is still on the icon.
    if (Screen_Icon* g = M->gedrueckt; g && !(l.tasten & MAUS_LINKS)) {
        M->gedrueckt = nullptr;
        if (g == b) {
            feuern(g, MENUE_E_LINKS, l.jetzt);
            return 2;
        }
    }
    aktiv_wechseln(b, l.jetzt);
    if (!b) return 0;
    hilfe_bedienen(b, l.jetzt);
    if (b->status & MENUE_S_GRAU) return 0;
    return icon_bedienen(b, l);
}

Screen_Icon* Menue_Get_Aktives_Icon() { return M ? M->aktiv : nullptr; }
Screen_Icon* Menue_Get_Klick_Icon() { return M ? M->gezogen : nullptr; }
void Menue_Get_Move_Pos(i32* x, i32* y) {
    if (x) *x = M ? M->zieh_x : 0;
    if (y) *y = M ? M->zieh_y : 0;
}

// --- Hooks ---------------------------------------------------------------------------------

bool Menue_Hook(Menue_Hook_Prozedur p, void* arg, bool entfernen, u32 periode_ms) {
    if (!M) Menue_Init();
    for (Hook& h : M->hooks) {
        if (entfernen ? (h.p == p && h.arg == arg) : !h.p) {
            h = entfernen ? Hook{} : Hook{p, arg, periode_ms, W32_Get_Time() - 1};
            return true;
        }
    }
    Debug_Printf(entfernen ? "Hook-Procedure nicht gefunden!\n" : "Zuviele Hooked-Procedures!\n");
    return false;
}

bool Menue_Hook_Vorhanden(Menue_Hook_Prozedur p, void* arg) {
    if (!M) return false;
    for (const Hook& h : M->hooks) {
        if (!h.p) continue;
        if ((!arg && h.p == p) || (!p && h.arg == arg) || (h.p == p && h.arg == arg)) return true;
    }
    return false;
}

