// The menu engine: icon slots, drawing and the input dispatcher.
#include "gui/menue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/tools.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "platform/input.h"

namespace {

struct Slave {
    u32 grafik = MENUE_KEINE_GRAFIK;
    Rastport* bild = nullptr;
};
Slave slaves[MENUE_SLAVES];
void kein_klang(i32) {}
void keine_hilfe(const char*, i32, i32) {}
void kein_hilfe_ende() {}
bool hilfe_aus() { return false; }

struct Hook {
    Menue_Hook_Prozedur p = nullptr;
    void* arg = nullptr;
    u32 periode = 0;
    u32 naechste = 0;
};

struct Engine {
    std::vector<Screen_Icon> slots;           // MENUE_EBENEN x MENUE_SLOTS
    std::vector<u8> belegt;
    i32 hoechster[MENUE_EBENEN] = {};         // one past the highest used slot of a layer
    Screen_Icon* nummern[MENUE_ICON_NUMMERN] = {};
    i32 anzahl = 0;
    Rastport* hintergrund = nullptr;
    u16 hintergrund_farbe = 0;
    i32 rechts_icon = -1;
    Hook hooks[MENUE_HOOKS];

    // Dispatcher.
    Screen_Icon* aktiv = nullptr;
    Screen_Icon* gedrueckt = nullptr;  // left press waiting for its release
    Screen_Icon* wartend = nullptr;    // press on a draggable icon: drag or click?
    i32 wartend_x = 0, wartend_y = 0;
    Screen_Icon* gezogen = nullptr;
    i32 griff_x = 0, griff_y = 0, zieh_x = 0, zieh_y = 0;
    i32 zieh_index = -1;
    u32 alt_tasten = 0;
    u32 verzoegerung = 400;
    u32 letzter = 0;
    u32 ruhe_seit = 0;
    u32 rad_zeit = 0;
    bool rad_gesehen = false;
    i32 hover_nummer = -1;
    bool hilfe_sichtbar = false;
};

Engine* M = nullptr;

Screen_Icon* slot(i32 ebene, i32 s) { return &M->slots[static_cast<size_t>(ebene) * MENUE_SLOTS + s]; }
bool ist_belegt(i32 ebene, i32 s) { return M->belegt[static_cast<size_t>(ebene) * MENUE_SLOTS + s] != 0; }

bool sichtbar(const Screen_Icon* i) { return !(i->status & MENUE_S_VERSTECKT); }

bool modal_aktiv() {
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = 0; s < M->hoechster[e]; ++s)
            if (ist_belegt(e, s) && (slot(e, s)->flags & MENUE_F_MODAL) && sichtbar(slot(e, s))) return true;
    return false;
}

bool unter_maus(const Screen_Icon* i, i32 mx, i32 my) {
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

i32 abstand(i32 x0, i32 y0, i32 x1, i32 y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    return static_cast<i32>(std::sqrt(dx * dx + dy * dy));
}

Move_Struktur* move_von(Screen_Icon* i) {
    return (i && (i->flags & MENUE_F_SCROLLBUTTON)) ? static_cast<Move_Struktur*>(i->daten) : nullptr;
}

bool senkrecht(const Move_Struktur* m) { return m->spur_x >= 0; }

void knopf_auf(Screen_Icon* k, i32 pos) {
    Move_Struktur* m = move_von(k);
    if (senkrecht(m)) {
        k->y = static_cast<i16>(std::clamp<i32>(pos, m->y_min, m->y_max));
        k->x = m->spur_x;
    } else {
        k->x = static_cast<i16>(std::clamp<i32>(pos, m->x_min, m->x_max));
        k->y = m->spur_y;
    }
}

void knopf_melden(Screen_Icon* k, u32 ereignis) {
    Move_Struktur* m = move_von(k);
    if (m && m->prozedur) m->prozedur(k, Menue_Balkenpos_In_Index(k), ereignis);
}

i32 wippe_knopf(const Screen_Icon* i, i32 mx, i32 my) {
    static constexpr i16 y_off[6] = {23, 25, 26, 26, 25, 23};
    i32 best = 0, bestd = 1 << 30;
    for (i32 k = 0; k < 6; ++k) {
        const i32 d = abstand(mx, my, i->x + WIPPE_X[k] + WIPPE_B[k] / 2, i->y + y_off[k]);
        if (d < bestd) bestd = d, best = k;
    }
    return best;
}

void feuern(Screen_Icon* i, u32 ereignis, u32 jetzt) {
    const bool wippe = (i->flags & MENUE_F_WIPPE) != 0;
    if (!(i->flags & MENUE_F_KEIN_KLANG)) {
        if (!wippe)
            Menue_Klick_Klang(9);
        else if (ereignis == MENUE_E_RECHTS)
            Menue_Klick_Klang(10);
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
    if (M->hilfe_sichtbar) Menue_Hilfe_Ende(), M->hilfe_sichtbar = false;
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
    if (M->hilfe_sichtbar) Menue_Hilfe_Ende(), M->hilfe_sichtbar = false;
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
        if (g->drag && (g->drag->flags & DRAG_BEI_BEWEGUNG) && g->drag->drop) g->drag->drop(g, nullptr, x, y, MENUE_E_DRAG_BEWEGT);
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

Rastport* (*Menue_Grafik_Holen)(u32) = Menue_Get_Slave_Rastport;

Rastport* Menue_Get_Slave_Rastport(u32 grafik) {
    Slave* frei = nullptr;
    for (Slave& s : slaves) {
        if (s.bild && s.grafik == grafik) return s.bild;
        if (!s.bild && !frei) frei = &s;
    }
    if (grafik < 4000 || grafik >= 92000) {
        Debug_Printf("Menue_Get_Slave_Rastport: slave_nr=%u!\n", grafik);
        return nullptr;
    }
    if (!frei) {
        Debug_Printf("Slave_RP %u: falsche nr/kein freier\n", grafik);
        return nullptr;
    }
    Rastport* bild = Resf_Grafik_Laden(static_cast<i32>(grafik));
    if (!bild || !Rastport_Lock(bild)) {
        Rastport_Free(bild);
        return nullptr;
    }
    *frei = Slave{grafik, bild};
    return bild;
}

void Menue_Slave_Freigeben(i64 grafik) {
    for (Slave& s : slaves)
        if (s.bild && (grafik < 0 || s.grafik == static_cast<u32>(grafik))) {
            Rastport_Free(s.bild);
            s = Slave{};
        }
}
void (*Menue_Klick_Klang)(i32) = kein_klang;
void (*Menue_Hilfe_Zeigen)(const char*, i32, i32) = keine_hilfe;
void (*Menue_Hilfe_Ende)() = kein_hilfe_ende;
bool (*Menue_Hilfe_An)() = hilfe_aus;
u8 Menue_Modus = 0;

// --- Life cycle and icons ------------------------------------------------------

void Menue_Init() {
    if (!M) M = new Engine;
    M->slots.assign(static_cast<size_t>(MENUE_EBENEN) * MENUE_SLOTS, Screen_Icon{});
    M->belegt.assign(static_cast<size_t>(MENUE_EBENEN) * MENUE_SLOTS, 0);
    Menue_Screen_Freigeben();
    for (Hook& h : M->hooks) h = Hook{};
    M->letzter = W32_Get_Time() - 500;
}

void Menue_Free_All() {
    Menue_Slave_Freigeben(-1);
    delete M;
    M = nullptr;
}

void Menue_Screen_Freigeben() {
    if (!M) return;
    std::fill(M->belegt.begin(), M->belegt.end(), 0);
    for (i32& h : M->hoechster) h = 0;
    for (auto*& n : M->nummern) n = nullptr;
    M->anzahl = 0;
    M->aktiv = M->gedrueckt = M->wartend = M->gezogen = nullptr;
    M->rechts_icon = -1;
    M->hover_nummer = -1;
    M->alt_tasten = 0;
    M->verzoegerung = 400;
    if (M->hilfe_sichtbar) Menue_Hilfe_Ende(), M->hilfe_sichtbar = false;
}

Screen_Icon* Menue_Screen_Icon_Hinzufuegen(const Screen_Icon& icon) {
    if (!M) Menue_Init();
    if (icon.nummer < 0 || icon.nummer >= MENUE_ICON_NUMMERN || icon.ebene < 0 || icon.ebene >= MENUE_EBENEN) {
        Debug_Printf("Menue_Screen_Icon_Hinzufuegen: Icon %d / Ebene %d falsch!\n", icon.nummer, icon.ebene);
        return nullptr;
    }
    if (M->nummern[icon.nummer]) {
        Debug_Printf("Menue_Screen_Icon_Hinzufuegen: Icon %d schon vorhanden!\n", icon.nummer);
        return nullptr;
    }
    for (i32 s = 0; s < MENUE_SLOTS; ++s) {
        if (ist_belegt(icon.ebene, s)) continue;
        Screen_Icon* i = slot(icon.ebene, s);
        *i = icon;
        M->belegt[static_cast<size_t>(icon.ebene) * MENUE_SLOTS + s] = 1;
        M->hoechster[icon.ebene] = std::max(M->hoechster[icon.ebene], s + 1);
        M->nummern[icon.nummer] = i;
        ++M->anzahl;
        if (Menue_Wippe* w = (i->flags & MENUE_F_WIPPE) ? static_cast<Menue_Wippe*>(i->daten) : nullptr)
            w->vorgabe = w->wert_f ? *w->wert_f : w->wert_i ? static_cast<float>(*w->wert_i) : 0.f;
        if (Move_Struktur* m = move_von(i)) {
            knopf_auf(i, senkrecht(m) ? i->y : i->x);
            if (m->stufen < 2) i->status |= MENUE_S_VERSTECKT;
        }
        return i;
    }
    Debug_Printf("Slave_RP %d: falsche nr/kein freier\n", icon.nummer);
    return nullptr;
}

i32 Menue_Screen_Icon_Tabelle_Hinzufuegen(const Screen_Icon* t) {
    i32 n = 0;
    for (; t && t->nummer != -1; ++t) n += Menue_Screen_Icon_Hinzufuegen(*t) != nullptr;
    return n;
}

void Menue_Screen_Icon_Loeschen(i32 nummer) {
    if (!M || nummer < 0 || nummer >= MENUE_ICON_NUMMERN || !M->nummern[nummer]) return;
    Screen_Icon* i = M->nummern[nummer];
    const size_t k = static_cast<size_t>(i - M->slots.data());
    M->belegt[k] = 0;
    M->nummern[nummer] = nullptr;
    --M->anzahl;
    for (Screen_Icon** p : {&M->aktiv, &M->gedrueckt, &M->wartend, &M->gezogen})
        if (*p == i) *p = nullptr;
    i->nummer = -1;
}

void Menue_Screen_Icon_Tabelle_Loeschen(const Screen_Icon* t) {
    for (; t && t->nummer != -1; ++t) Menue_Screen_Icon_Loeschen(t->nummer);
}

Screen_Icon* Menue_Screen_Icon_Aus_Nummer(i32 nummer) {
    if (!M || nummer < 0 || nummer >= MENUE_ICON_NUMMERN) return nullptr;
    return M->nummern[nummer];
}

bool Menue_Screen_Icon_Ist_Vorhanden(i32 nummer) { return Menue_Screen_Icon_Aus_Nummer(nummer) != nullptr; }
i32 Menue_Screen_Icon_Anzahl() { return M ? M->anzahl : 0; }

void Menue_Set_Hintergrund(Rastport* bild, u16 farbe) {
    if (!M) Menue_Init();
    M->hintergrund = bild;
    M->hintergrund_farbe = farbe;
}

void Menue_Set_Rechtsklick_Icon(i32 nummer) {
    if (!M) Menue_Init();
    M->rechts_icon = nummer;
}

// --- Drawing ---------------------------------------------------------------------

void Menue_Icon_Blit(Screen_Icon* i, Rastport* ziel) {
    if (!i || !ziel || !sichtbar(i)) return;
    const bool an = (i->status & MENUE_S_AN) != 0;
    Rastport* bild = i->bild;
    if (!bild) {
        const u32 g = an && i->grafik_an != MENUE_KEINE_GRAFIK ? i->grafik_an : i->grafik;
        if (g != MENUE_KEINE_GRAFIK) bild = Menue_Grafik_Holen(g);
    }
    if (bild && (i->status & MENUE_S_HALB))
        Blt_Alpha_Prozent_Transparent(bild, 0, 0, -1, -1, ziel, i->x, i->y, 50);
    else if (bild)
        Blt_Blit(bild, 0, 0, -1, -1, ziel, i->x, i->y, (i->status & MENUE_S_TRANSPARENT) ? Blt_Opt_Transparent : nullptr);
    else if (!i->zeichnen && i->w > 0 && i->h > 0)
        Blt_Rechteck(ziel, i->x, i->y, i->w, i->h, i->farbe);
    if (i->zeichnen) i->zeichnen(i, ziel, i->x, i->y);
    if (i->flags & MENUE_F_TEXT)
        for (auto* z = static_cast<const Icon_Textzeile*>(i->daten); z; z = z->naechste) {
            if (!z->font || !z->text) continue;
            i32 x = i->x + z->x, y = i->y + z->y;
            if (z->flags & ZEILE_ZENTRIERT) x = i->x + (i->w - Font_Text_Breite(z->font, z->text)) / 2;
            if (z->flags & ZEILE_RECHTS) x = i->x + i->w - z->x - Font_Text_Breite(z->font, z->text);
            if (z->flags & ZEILE_V_ZENTRIERT) y = i->y + (i->h + z->font->hoehe) / 2 - 2;
            Font_Markup_Ausgabe(ziel, z->font, i == M->aktiv ? z->farbe_aktiv : z->farbe, z->text, x, y, 0);
        }
    const bool druck = (i->status & MENUE_S_DRUCKBILD) && i == M->aktiv &&
                       (i == M->gedrueckt || ((i->status & MENUE_S_WIEDERHOLEN) && (M->alt_tasten & MAUS_LINKS)));
    if (druck) {
        Rastport* p = i->grafik_gedrueckt != MENUE_KEINE_GRAFIK ? Menue_Grafik_Holen(i->grafik_gedrueckt) : nullptr;
        if (p)
            Blt_Blit(p, 0, 0, -1, -1, ziel, i->x, i->y, Blt_Opt_Transparent);
        else
            Blt_Abdunkeln(ziel, i->x, i->y, i->w, i->h, 96);
    }
    if (i->status & MENUE_S_GRAU) Blt_Abdunkeln(ziel, i->x, i->y, i->w, i->h, 64);
}

void Menue_Screen_Refresh(Rastport* ziel) {
    if (!ziel) ziel = Screen_Rastport;
    if (!M || !ziel) return;
    if (M->hintergrund)
        Blt_Blit(M->hintergrund, 0, 0, -1, -1, ziel, 0, 0, nullptr);
    else
        Blt_Rechteck(ziel, 0, 0, ziel->breite, ziel->hoehe, M->hintergrund_farbe);
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s)
            if (ist_belegt(e, s) && slot(e, s) != M->gezogen) Menue_Icon_Blit(slot(e, s), ziel);
    if (Screen_Icon* g = M->gezogen) {
        const i16 x = g->x, y = g->y;
        g->x = static_cast<i16>(M->zieh_x), g->y = static_cast<i16>(M->zieh_y);
        Menue_Icon_Blit(g, ziel);
        g->x = x, g->y = y;
    }
}

// --- Input -----------------------------------------------------------------------------

i32 Menue_Tick() {
    Menue_Screen_Refresh();
    return Menue_Icons_Check();
}

i32 Menue_Icons_Check() {
    if (!M) return 0;
    const u32 jetzt = W32_Get_Time();
    Maus_Update();
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const u32 t = Maus_Get_Tasten();
    const u32 neu = t & ~M->alt_tasten;
    M->alt_tasten = t;
    if (!t) {
        M->verzoegerung = 400;
        M->letzter = jetzt - 500;
    }
    if ((neu & MAUS_RECHTS) && M->rechts_icon >= 0) {
        if (Screen_Icon* r = Menue_Screen_Icon_Aus_Nummer(M->rechts_icon); r && r->klick) {
            r->klick(r, MENUE_E_RECHTS);
            Maus_Rechts_Sperre = 1;
            return -1;
        }
    }

    // Hooks: once per visible icon.
    i32 sichtbare = 0;
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = 0; s < M->hoechster[e]; ++s) sichtbare += ist_belegt(e, s) && sichtbar(slot(e, s));
    hooks_laufen(sichtbare, jetzt);

    // A drag in progress.
    if (M->gezogen) {
        if (t & MAUS_LINKS) {
            drag_bewegen(mx, my);
            return 0;
        }
        return drag_loslassen(mx, my);
    }
    // A press on a draggable icon: moving makes it a drag, letting go a click.
    if (Screen_Icon* w = M->wartend) {
        if (t & MAUS_LINKS) {
            if (mx != M->wartend_x || my != M->wartend_y) {
                M->wartend = nullptr;
                drag_beginnen(w, M->wartend_x, M->wartend_y);
                drag_bewegen(mx, my);
                return 0;
            }
            return -1;
        }
        M->wartend = nullptr;
        feuern(w, MENUE_E_LINKS, jetzt);
        return 2;
    }

    // The wheel moves the scroll button whose linked icon lies nearest.
    if (const i32 rad = Maus_Get_Rad()) {
        Maus_Rad_Reset();
        Screen_Icon* best = nullptr;
        i32 best_d = 0;
        for (i32 e = 0; e < MENUE_EBENEN; ++e)
            for (i32 s = 0; s < M->hoechster[e]; ++s) {
                Screen_Icon* i = ist_belegt(e, s) ? slot(e, s) : nullptr;
                if (!move_von(i) || (i->status & (MENUE_S_VERSTECKT | MENUE_S_GRAU))) continue;
                const Screen_Icon* z = Menue_Screen_Icon_Aus_Nummer(i->verknuepft);
                const i32 d = z ? abstand(mx, my, z->x + z->w / 2, z->y + z->h / 2) : 2000000;
                if (!best || d < best_d) best = i, best_d = d;
            }
        if (best) {
            M->rad_zeit = jetzt;
            M->rad_gesehen = true;
            Menue_Scrollbar_Klick_Intern(best, -rad);
            aktiv_wechseln(nullptr, jetzt);
            return 0;
        }
    }
    const bool rad_ruhe = M->rad_gesehen && jetzt - M->rad_zeit < 500;
    Screen_Icon* b = rad_ruhe ? nullptr : icon_unter(mx, my, nullptr, modal_aktiv());

    // A left press fires on its release, while the mouse is still on the icon.
    if (Screen_Icon* g = M->gedrueckt; g && !(t & MAUS_LINKS)) {
        M->gedrueckt = nullptr;
        if (g == b) {
            feuern(g, MENUE_E_LINKS, jetzt);
            return 2;
        }
    }
    aktiv_wechseln(b, jetzt);
    if (!b) return 0;

    // The help text, drawn every frame (over the refreshed screen) once the
    // mouse has rested on the icon for a second.
    if (jetzt - M->ruhe_seit > 1000 && Menue_Hilfe_An()) {
        const char* text = b->hilfe_prozedur ? b->hilfe_prozedur(b) : b->hilfe;
        if (text && *text) {
            if (b->y >= 531)
                Menue_Hilfe_Zeigen(text, b->x, b->y - 40);
            else
                Menue_Hilfe_Zeigen(text, -1, -1);
            M->hilfe_sichtbar = true;
        }
    }
    if (b->status & MENUE_S_GRAU) return 0;
    if (b->sekundaer && ((neu & MAUS_RECHTS) || ((neu & MAUS_LINKS) && (b->flags & MENUE_F_LINKS_SEKUNDAER)))) {
        if ((b->flags & MENUE_F_HOVER) && b->klick) b->klick(b, MENUE_E_HOVER_SEKUNDAER);
        M->hover_nummer = -1;
        M->aktiv = nullptr;
        if (neu & MAUS_RECHTS) Maus_Rechts_Sperre = 1;
        b->sekundaer(b);
        return 2;
    }
    if ((neu & MAUS_RECHTS) && (b->flags & (MENUE_F_BEIDE_TASTEN | MENUE_F_WIPPE))) {
        feuern(b, MENUE_E_RECHTS, jetzt);
        return 2;
    }
    if (!(t & MAUS_LINKS)) return 0;
    if ((neu & MAUS_LINKS) && (b->flags & (MENUE_F_ZIEHBAR | MENUE_F_SCROLLBUTTON))) {
        M->wartend = b;
        M->wartend_x = mx, M->wartend_y = my;
        return -1;
    }
    if (b->status & MENUE_S_WIEDERHOLEN) {
        if (neu & MAUS_LINKS) M->verzoegerung = 400, M->letzter = jetzt - 500;  // a new press fires at once
        if (jetzt - M->letzter < M->verzoegerung) return (b->flags & MENUE_F_WIPPE) ? 1 : 0;
        feuern(b, MENUE_E_LINKS, jetzt);
        if (M->verzoegerung > 50) M->verzoegerung -= 50;
        if (M->verzoegerung < 350) M->verzoegerung = 50;
        return 2;
    }
    if (neu & MAUS_LINKS) M->gedrueckt = b;
    return -1;
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

// --- Rockers and their context menu ---------------------------------------------------------

float Menue_Universaler_Wippe_Weiterschalter(Screen_Icon* icon, u32 ereignis) {
    Menue_Wippe* w = icon ? static_cast<Menue_Wippe*>(icon->daten) : nullptr;
    if (!w || (!w->wert_f && !w->wert_i)) {
        Debug_Printf("Menue_Universaler_Wippe_Weiterschalter: Kein Wert!\n");
        return 0;
    }
    static constexpr i32 faktor[6] = {100, 10, 1, 1, 10, 100};
    const i32 rel = Maus_Get_X() - icon->x;
    i32 k = 0;
    for (i32 j = 1; j < 6; ++j)
        if (std::abs(rel - (WIPPE_X[j] + WIPPE_B[j] / 2)) < std::abs(rel - (WIPPE_X[k] + WIPPE_B[k] / 2))) k = j;
    float v = w->wert_f ? *w->wert_f : static_cast<float>(*w->wert_i);
    const float schritt = static_cast<float>(w->schritt) * static_cast<float>(faktor[k]);
    if (ereignis & MENUE_E_MINUS) v = std::max(w->minimum, v - schritt);
    if (ereignis & MENUE_E_PLUS) v = std::min(w->maximum, v + schritt);
    if (w->wert_f)
        *w->wert_f = v;
    else
        *w->wert_i = static_cast<i32>(v);
    return v;
}

void Menue_Wippe_Kontextmenue(Screen_Icon* icon, Kontextmenue* k) {
    if (!k) {
        Debug_Printf("Menue_Init_Kontextmenue: k==NULL!\n");
        return;
    }
    *k = Kontextmenue{};
    k->titel = "Eingabefeld ändern:";
    Menue_Wippe* w = icon ? static_cast<Menue_Wippe*>(icon->daten) : nullptr;
    if (!w) return;
    k->icon = icon->nummer;
    static const char* const feste[3] = {"Zurücksetzen auf Vorgabewert", "Zurücksetzen auf Minimalwert",
                                         "Zurücksetzen auf Maximalwert"};
    for (const char* t : feste) std::snprintf(k->eintrag[k->anzahl++].text, sizeof k->eintrag[0].text, "%s", t);
    if (w->schritt < 2) return;
    k->eintrag[0].status |= 2;
    const i32 mn = static_cast<i32>(w->minimum), mx = static_cast<i32>(w->maximum);
    const i32 d = (mx - mn) / 5;
    i32 m = 1;
    while (d >= 10 && m * 10 <= d) m *= 10;
    i32 vorher = mn - 1;
    for (i32 i = 0; i < 5; ++i) {
        const i32 v = std::clamp((mn + i * d) / m * m, mn, mx);
        if (i > 0 && v == vorher) continue;
        vorher = v;
        auto& e = k->eintrag[k->anzahl++];
        e.wert = v;
        std::snprintf(e.text, sizeof e.text, "Setzen auf %d", v);
    }
}

bool Menue_Kontext_Eingabefeld_Jump_Call(i32 eintrag, i32 nummer, i32 wert) {
    Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    Menue_Wippe* w = (i && (i->flags & MENUE_F_WIPPE)) ? static_cast<Menue_Wippe*>(i->daten) : nullptr;
    if (!w || eintrag < 0 || eintrag > 7) return false;
    const float v = eintrag == 0 ? w->vorgabe : eintrag == 1 ? w->minimum : eintrag == 2 ? w->maximum : static_cast<float>(wert);
    if (w->wert_f)
        *w->wert_f = v;
    else if (w->wert_i)
        *w->wert_i = static_cast<i32>(v);
    if (i->klick) i->klick(i, MENUE_E_KONTEXT);
    return true;
}

// --- Scroll bars ------------------------------------------------------------------------------

i32 Menue_Balkenpos_In_Index(const Screen_Icon* k) {
    const Move_Struktur* m = k && (k->flags & MENUE_F_SCROLLBUTTON) ? static_cast<const Move_Struktur*>(k->daten) : nullptr;
    if (!m || m->stufen <= 1) return 0;
    const i32 pos = senkrecht(m) ? k->y : k->x;
    const i32 mn = senkrecht(m) ? m->y_min : m->x_min, mx = senkrecht(m) ? m->y_max : m->x_max;
    if (mx <= mn) return 0;
    return (m->stufen - 1) * (std::clamp(pos, mn, mx) - mn) / (mx - mn);
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

// --- Saved state ---------------------------------------------------------------------------------

void Menue_Speichern(bytes::Schreiber& s) { s(Menue_Modus); }

bool Menue_Laden(bytes::Leser& l) {
    u8 v = 0;
    l(v);
    if (l.fehler) return false;
    Menue_Modus = v;
    Menue_Screen_Freigeben();
    return true;
}
