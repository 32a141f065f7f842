// The menu engine: icon slots, drawing and the input dispatcher.
#include "gui/menue.h"
#include "gui/menue_spiel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/tools.h"
#include "graphics/abdruck.h"
#include "graphics/alpha.h"
#include "graphics/bildformat.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "platform/input.h"
#include "platform/mainloop.h"
#include "world/manager.h"
#include "world/welt.h"
#include "grafik_nummern.h"

namespace {

Menue_Hooks hooks_tabelle{};

struct Slave {
    u32 grafik = MENUE_KEINE_GRAFIK;
    Rastport* bild = nullptr;
    std::string tga;  // name of a TGA picture (grafik unused)
};
Slave slaves[MENUE_SLAVES];

struct Hook {
    Menue_Hook_Prozedur p = nullptr;
    void* arg = nullptr;
    u32 periode = 0;
    u32 naechste = 0;
};

// One section of a probed frame: an icon (or the background, -1) with its
// fingerprint and the rectangle it draws in.
struct Teil {
    i32 nummer = -1;
    u64 abdruck = 0;
    Abdruck_Rechteck rechteck;
};

struct Engine {
    std::vector<Screen_Icon> slots;  // MENUE_EBENEN x MENUE_SLOTS
    std::vector<u8> belegt;
    i32 hoechster[MENUE_EBENEN] = {};  // one past the highest used slot of a layer
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
    Menue_Scrollscreen scroll;
    Rastport* scroll_gerettet = nullptr;   // what lies under the scroll screen's background graphic
    u32 zustand[MENUE_ICON_NUMMERN] = {};  // icon states while no human manager plays
    // Own pictures of icons without a graphic (made on first use, by number),
    // with the fill colour they were made with.
    Rastport* eigen[MENUE_ICON_NUMMERN] = {};
    u16 eigen_farbe[MENUE_ICON_NUMMERN] = {};
    // Changes of the icons (added, removed, the background): a kept cover
    // made at another count is drawn anew.
    u32 stand = 0;
    // The screen under a covering icon as drawn with the cover, for the
    // frames that follow.
    struct Deckel {
        const Screen_Icon* icon = nullptr;
        const Rastport* ziel = nullptr;
        u32 stand = 0;
        Rastport* bild = nullptr;
        // The texts and pictures drawn under it, for the draw trace of the
        // frames that copy it (kept only while the trace is on).
        std::vector<Zeichenspur_Eintrag> spur;
        bool mit_spur = false;
    } deckel;
    // The frame kept on the screen: its probe's fingerprint and, with the
    // draw trace on, what it drew.
    struct Behalten {
        bool gueltig = false;
        const Rastport* ziel = nullptr;
        const u16* pixel = nullptr;  // the target's pixels when it was drawn
        std::vector<Teil> teile;
        std::vector<Zeichenspur_Eintrag> spur;
        bool mit_spur = false;
    } behalten;
};

// Draw procedures that only draw (Menue_Reiner_Zeichner), for the whole run.
std::vector<Icon_Zeichen_Prozedur> reine_zeichner;

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
    Menue_Icon_Zustand_Setzen(k->nummer, static_cast<u32>(senkrecht(m) ? k->y : k->x));
}

void knopf_melden(Screen_Icon* k, u32 ereignis) {
    Move_Struktur* m = move_von(k);
    if (m && m->prozedur) m->prozedur(k, Menue_Balkenpos_In_Index(k), ereignis);
}

// The point of rocker button k relative to the icon.
void wippe_punkt(const Screen_Icon* i, i32 k, i32* x, i32* y) {
    const Menue_Wippe* w = static_cast<const Menue_Wippe*>(i->daten);
    *x = w && w->x_off[k] >= 0 ? w->x_off[k] : WIPPE_X[k] + WIPPE_B[k] / 2;
    *y = w && w->y_off[k] >= 0 ? w->y_off[k] : WIPPE_Y[k];
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

void Menue_Set_Hooks(const Menue_Hooks& h) { hooks_tabelle = h; }
const Menue_Hooks& Menue_Get_Hooks() { return hooks_tabelle; }

u32 Menue_Heimat_Grafik(u32 grafik) {
    if (grafik != GRAFIK_KOPF && grafik != GRAFIK_ASSISTENT && grafik != GRAFIK_EDITOR) return grafik;
    if (Team_Heimnation >= Team_Anzahl) return grafik;
    const char* name = Team_String(0, Team_Heimnation, nullptr, 0);
    return name && std::string_view(name) == "Deutschland" ? grafik : grafik + 1;
}

Rastport* Menue_Get_Tga_Rastport(const char* name) {
    if (!name || !*name) return nullptr;
    Slave* frei = nullptr;
    for (Slave& s : slaves) {
        if (s.bild && s.tga == name) return s.bild;
        if (!s.bild && !frei) frei = &s;
    }
    if (!frei) {
        Debug_Printf("Slave_RP %s: falsche nr/kein freier\n", name);
        return nullptr;
    }
    const std::string pfad = std::string(W32_Dir_Tabelle[W32_DIR_RESFILE]) + "/dummy/" + name + ".tga";
    Rastport* bild = Tga_Rastport_Datei(pfad.c_str(), 16);
    if (!bild) return nullptr;
    *frei = Slave{MENUE_KEINE_GRAFIK, bild, name};
    return bild;
}

void Menue_Tga_Freigeben(const char* name) {
    for (Slave& s : slaves)
        if (s.bild && name && s.tga == name) {
            Rastport_Free(s.bild);
            s = Slave{};
        }
}

Rastport* Menue_Get_Slave_Rastport(u32 grafik) {
    grafik = Menue_Heimat_Grafik(grafik);
    Slave* frei = nullptr;
    for (Slave& s : slaves) {
        if (s.bild && s.tga.empty() && s.grafik == grafik) return s.bild;
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
        if (s.bild && (grafik < 0 || (s.tga.empty() && s.grafik == static_cast<u32>(grafik)))) {
            Rastport_Free(s.bild);
            s = Slave{};
        }
}
u8 Menue_Modus = 0;

// --- Life cycle and icons ------------------------------------------------------

void Menue_Init() {
    if (!M) M = new Engine;
    M->slots.assign(static_cast<size_t>(MENUE_EBENEN) * MENUE_SLOTS, Screen_Icon{});
    M->belegt.assign(static_cast<size_t>(MENUE_EBENEN) * MENUE_SLOTS, 0);
    Menue_Screen_Freigeben();
    for (Hook& h : M->hooks) h = Hook{};
    M->letzter = W32_Get_Time() - 500;
    std::fill(std::begin(M->zustand), std::end(M->zustand), 0u);
}

namespace {
u32 zustand_lesen(i32 team, i32 nummer) {
    if (nummer < 0 || nummer >= MENUE_ICON_NUMMERN) return 0;
    if (Team_Hat_Manager(team)) return Manager_Icon_Button_Lesen(team, nummer);
    return M ? M->zustand[nummer] : 0;
}

void zustand_setzen(i32 team, i32 nummer, u32 wert) {
    if (nummer < 0 || nummer >= MENUE_ICON_NUMMERN) return;
    if (Team_Hat_Manager(team)) Manager_Icon_Button_An_Aus(team, nummer, wert);
    else if (M) M->zustand[nummer] = wert;
}

void eigenes_bild_freigeben(i32 nummer) {
    Rastport_Free(M->eigen[nummer]);
    M->eigen[nummer] = nullptr;
}

void scroll_bilder_freigeben() {
    Rastport_Free(M->scroll.bild);
    M->scroll.bild = nullptr;
    Rastport_Free(M->scroll_gerettet);
    M->scroll_gerettet = nullptr;
}
}  // namespace

u32 Menue_Icon_Zustand(i32 nummer) { return zustand_lesen(Team_Aktiv, nummer); }

void Menue_Icon_Zustand_Setzen(i32 nummer, u32 wert) { zustand_setzen(Team_Aktiv, nummer, wert); }

bool Menue_Icon_An(const Screen_Icon* i) { return i && (i->status & MENUE_S_AN) && Menue_Icon_Zustand(i->nummer) != 0; }

void Menue_Free_All() {
    Menue_Slave_Freigeben(-1);
    if (M) scroll_bilder_freigeben();
    if (M)
        for (i32 n = 0; n < MENUE_ICON_NUMMERN; ++n) eigenes_bild_freigeben(n);
    if (M) Rastport_Free(M->deckel.bild);
    delete M;
    M = nullptr;
}

void Menue_Screen_Freigeben() {
    if (!M) return;
    std::fill(M->belegt.begin(), M->belegt.end(), 0);
    for (i32 n = 0; n < MENUE_ICON_NUMMERN; ++n) eigenes_bild_freigeben(n);
    for (i32& h : M->hoechster) h = 0;
    for (auto*& n : M->nummern) n = nullptr;
    M->anzahl = 0;
    M->aktiv = M->gedrueckt = M->wartend = M->gezogen = nullptr;
    M->rechts_icon = -1;
    M->hover_nummer = -1;
    M->alt_tasten = 0;
    M->verzoegerung = 400;
    if (M->hilfe_sichtbar) hooks_tabelle.hilfe_ende(), M->hilfe_sichtbar = false;
    scroll_bilder_freigeben();
    M->scroll = Menue_Scrollscreen{};
    ++M->stand;
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
        if (i->flags & MENUE_F_GANZER_SCREEN) i->x = 0, i->y = 0, i->w = 800, i->h = 600;
        M->belegt[static_cast<size_t>(icon.ebene) * MENUE_SLOTS + s] = 1;
        M->hoechster[icon.ebene] = std::max(M->hoechster[icon.ebene], s + 1);
        M->nummern[icon.nummer] = i;
        ++M->anzahl;
        ++M->stand;
        if (Menue_Wippe* w = (i->flags & MENUE_F_WIPPE) ? static_cast<Menue_Wippe*>(i->daten) : nullptr)
            w->vorgabe = w->wert_f ? *w->wert_f : w->wert_i ? static_cast<float>(*w->wert_i) : 0.f;
        if (Move_Struktur* m = move_von(i)) {
            if (Menue_Icon_Zustand(i->nummer)) Menue_Scrollbuttonpos_Zuweisen(i);
            else knopf_auf(i, senkrecht(m) ? i->y : i->x);
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
    eigenes_bild_freigeben(nummer);
    --M->anzahl;
    ++M->stand;
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

namespace {
// Whether the rectangle x, y, w x h meets the box (or lies wholly inside it).
bool im_bereich(i32 x, i32 y, i32 w, i32 h, i32 x0, i32 y0, i32 x1, i32 y1, bool ganz) {
    const i32 r = x + w - 1, u = y + h - 1;
    if (ganz) return x >= x0 && y >= y0 && r <= x1 && u <= y1;
    return x <= x1 && y <= y1 && r >= x0 && u >= y0;
}
}  // namespace

void Menue_Screen_Icons_Loeschen_Bereich(u32 modus, i32 x0, i32 y0, i32 x1, i32 y1) {
    if (!M) return;
    const bool ganz = (modus & BEREICH_GANZ_INNEN) != 0, scroll_lassen = (modus & BEREICH_SCROLLSCREEN_LASSEN) != 0;
    for (i32 e = MENUE_EBENEN - 1; e >= 0; --e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            const Screen_Icon* i = ist_belegt(e, s) ? slot(e, s) : nullptr;
            if (!i || ((i->flags & MENUE_F_BLEIBT) && !(modus & BEREICH_AUCH_BLEIBENDE))) continue;
            if (i->scroll != 255 && scroll_lassen) continue;
            if (im_bereich(i->x, i->y, i->w, i->h, x0, y0, x1, y1, ganz)) Menue_Screen_Icon_Loeschen(i->nummer);
        }
    const Menue_Scrollscreen& ss = M->scroll;
    if (!scroll_lassen &&
        im_bereich(static_cast<i32>(ss.fenster_x), static_cast<i32>(ss.fenster_y), static_cast<i32>(ss.fenster_b),
                   static_cast<i32>(ss.fenster_h), x0, y0, x1, y1, ganz))
        Menue_Kill_Scrollscreen(0);
}

void Menue_Set_Hintergrund(Rastport* bild, u16 farbe) {
    if (!M) Menue_Init();
    M->hintergrund = bild;
    M->hintergrund_farbe = farbe;
    ++M->stand;
}

void Menue_Set_Rechtsklick_Icon(i32 nummer) {
    if (!M) Menue_Init();
    M->rechts_icon = nummer;
}

i32 Menue_Get_Rechtsklick_Icon() { return M ? M->rechts_icon : -1; }

namespace {
// The icon's own picture: w x h in its colour (0 under state 32), made on
// first use; a size outside the screen is a fault.
Rastport* eigenes_bild(Screen_Icon* i) {
    if (!M || i->nummer < 0 || i->nummer >= MENUE_ICON_NUMMERN) return nullptr;
    if (i->w < 0 || i->w > 800 || i->h < 0 || i->h > 600) {
        Debug_Printf("SCHWERER ICON-INIT-FEHLER! Icon %d: %dx%d\n", i->nummer, i->w, i->h);
        i->w = 25, i->h = 25, i->farbe = FARBE_MARKE;
    }
    const u16 farbe = (i->status & MENUE_S_TRANSPARENT) ? 0 : i->farbe;
    Rastport*& e = M->eigen[i->nummer];
    if (e && (e->breite != i->w || e->hoehe != i->h || M->eigen_farbe[i->nummer] != farbe))
        eigenes_bild_freigeben(i->nummer);
    if (!e && i->w > 0 && i->h > 0) {
        e = Rastport_Neu_Einfach(i->w, i->h, Screen_Rastport && Screen_Rastport->tiefe() == 15 ? 15 : 16);
        if (e) Blt_Rechteck(e, 0, 0, -1, -1, farbe);
        if (e) e->fest = true;  // made anew when its size or colour changes
        M->eigen_farbe[i->nummer] = farbe;
    }
    return e;
}
}  // namespace

Rastport* Menue_Screen_Icon_Bitmap(Screen_Icon* i, i32* w, i32* h) {
    auto melden = [&](Rastport* b, i32 bw, i32 bh) {
        if (w) *w = bw;
        if (h) *h = bh;
        return b;
    };
    if (!i) return melden(nullptr, 0, 0);
    if (i->flags & MENUE_F_GANZER_SCREEN) {
        i->x = 0, i->y = 0, i->w = 800, i->h = 600;
        return melden(nullptr, 800, 600);
    }
    Rastport* bild = (i->flags & MENUE_F_TGA) ? Menue_Get_Tga_Rastport(i->tga) : i->bild;
    if (!bild && !(i->flags & MENUE_F_TGA) && i->grafik != MENUE_KEINE_GRAFIK) bild = hooks_tabelle.grafik_holen(i->grafik);
    if (bild) return melden(bild, bild->breite, bild->hoehe);
    if ((i->flags & MENUE_F_TGA) || i->grafik != MENUE_KEINE_GRAFIK) return melden(nullptr, 0, 0);
    Rastport* e = eigenes_bild(i);
    return melden(e, e ? e->breite : 0, e ? e->hoehe : 0);
}

void Menue_Icon_Passgroesse_Ermitteln(const Screen_Icon* i, i32* x0, i32* x1, i32* y0, i32* y1) {
    if (!i) return;
    i32 a = i->x, b = i->x + i->w - 1, c = i->y, d = i->y + i->h - 1;
    const bool ueberlappt = a <= i->clip_x1 && b >= i->clip_x0 && c <= i->clip_y1 && d >= i->clip_y0;
    if (ueberlappt) {
        a = std::max<i32>(a, i->clip_x0), b = std::min<i32>(b, i->clip_x1);
        c = std::max<i32>(c, i->clip_y0), d = std::min<i32>(d, i->clip_y1);
    }
    if (x0) *x0 = a;
    if (x1) *x1 = b;
    if (y0) *y0 = c;
    if (y1) *y1 = d;
}

void Menue_Init_Text_Icon(Screen_Icon* i, const Screen_Icon& v, const Icon_Textzeile* zeile, u32 grafik) {
    if (!i) return;
    if (Menue_Screen_Icon_Aus_Nummer(i->nummer)) Menue_Screen_Icon_Loeschen(i->nummer);
    i->x = v.x, i->y = v.y;
    i->clip_x0 = v.clip_x0, i->clip_y0 = v.clip_y0, i->clip_x1 = v.clip_x1, i->clip_y1 = v.clip_y1;
    i->flags = v.flags, i->status = v.status, i->drag = v.drag, i->drop_gruppe = v.drop_gruppe;
    i->klick = v.klick, i->zeichnen = v.zeichnen, i->sekundaer = v.sekundaer, i->hilfe_prozedur = v.hilfe_prozedur;
    i->ebene = v.ebene, i->scroll = v.scroll, i->farbe = v.farbe, i->verknuepft = v.verknuepft, i->hilfe = v.hilfe;
    if (i->w == 0 && i->h == 0) i->w = v.w, i->h = v.h;  // a graphic-less icon needs a size
    i->daten = const_cast<Icon_Textzeile*>(zeile);
    if (grafik != MENUE_KEINE_GRAFIK) i->grafik = grafik;
    i->user[0] = i->user[1] = 0xFFFFFFFFu;
}

i32 Menue_Init_Icon_Liste(Screen_Icon* tabelle, const Screen_Icon& v, const Icon_Textzeile* zeilen, u32 grafik) {
    i32 n = 0;
    for (Screen_Icon* i = tabelle; i && i->nummer != -1; ++i, ++n)
        Menue_Init_Text_Icon(i, v, zeilen ? zeilen + n : nullptr, grafik);
    return n;
}

bool Menue_Get_Modal() { return M && modal_aktiv(); }

// --- Drawing ---------------------------------------------------------------------

void Menue_Icon_Blit(Screen_Icon* i, Rastport* ziel) {
    if (!i || !ziel || !sichtbar(i)) return;
    const bool an = Menue_Icon_An(i);
    if (i->flags & MENUE_F_GANZER_SCREEN) {
        // The screen as drawn so far, veiled by graphic 8331 at 90 %.
        if (Rastport* s = hooks_tabelle.grafik_holen(MENUE_GRAFIK_SCHLEIER))
            for (i32 y = 0; y < 600; y += s->hoehe)
                for (i32 x = 0; x < 800; x += s->breite) Blt_Alpha_Prozent_Transparent(s, 0, 0, -1, -1, ziel, x, y, 90);
        if (i->zeichnen) i->zeichnen(i, ziel, i->x, i->y);
        return;
    }
    Rastport* bild = (i->flags & MENUE_F_TGA) ? Menue_Get_Tga_Rastport(i->tga) : i->bild;
    if (!bild && !(i->flags & MENUE_F_TGA)) {
        const u32 g = an && i->grafik_an != MENUE_KEINE_GRAFIK ? i->grafik_an : i->grafik;
        if (g != MENUE_KEINE_GRAFIK) bild = hooks_tabelle.grafik_holen(g);
    }
    if (bild && (i->status & MENUE_S_HALB)) Blt_Alpha_Prozent_Transparent(bild, 0, 0, -1, -1, ziel, i->x, i->y, 50);
    else if (bild)
        Blt_Blit(bild, 0, 0, -1, -1, ziel, i->x, i->y,
                 (i->status & MENUE_S_TRANSPARENT) ? Blt_Opt_Transparent : nullptr);
    else if (!i->zeichnen) {
        // An icon of its own colour (also one whose picture is missing): its
        // own picture, drawn with key 0 under state 32.
        const bool fehlt = (i->flags & MENUE_F_TGA) || i->grafik != MENUE_KEINE_GRAFIK;
        if (Rastport* eigen = fehlt ? eigenes_bild(i) : Menue_Screen_Icon_Bitmap(i, nullptr, nullptr))
            Blt_Blit(eigen, 0, 0, -1, -1, ziel, i->x, i->y,
                     (i->status & MENUE_S_TRANSPARENT) ? Blt_Opt_Transparent : nullptr);
    }
    if (const Menue_Wippe* w = (i->flags & MENUE_F_WIPPE) ? static_cast<const Menue_Wippe*>(i->daten) : nullptr)
        for (i32 k = 0; k < 6; ++k) {
            Rastport* p = w->grafik[k] >= 0 ? hooks_tabelle.grafik_holen(static_cast<u32>(w->grafik[k])) : nullptr;
            if (!p) continue;
            i32 px = 0, py = 0;
            wippe_punkt(i, k, &px, &py);
            Blt_Blit(p, 0, 0, -1, -1, ziel, i->x + px - p->breite / 2, i->y + py - p->hoehe / 2, Blt_Opt_Transparent);
        }
    if (i->zeichnen) i->zeichnen(i, ziel, i->x, i->y);
    if (i->flags & MENUE_F_TEXT)
        for (auto* z = static_cast<const Icon_Textzeile*>(i->daten); z; z = z->naechste) {
            if (!z->font || !z->text) continue;
            i32 x = i->x + z->x, y = i->y + z->y;
            if (z->flags & ZEILE_ZENTRIERT) x = i->x + (i->w - Font_Text_Breite(z->font, z->text)) / 2;
            if (z->flags & ZEILE_RECHTS) x = i->x + i->w - z->x - Font_Text_Breite(z->font, z->text);
            if (z->flags & ZEILE_V_ZENTRIERT) y = i->y + (i->h + z->font->hoehe) / 2 - 2;
            const u16 farbe = i == M->aktiv ? z->farbe_aktiv : z->farbe;
            z->font->farbe = farbe;  // each line in its own colour, whatever the text before left in the font
            Font_Markup_Ausgabe(ziel, z->font, farbe, z->text, x, y, 0);
        }
    const bool druck = (i->status & MENUE_S_DRUCKBILD) && i == M->aktiv &&
                       (i == M->gedrueckt || ((i->status & MENUE_S_WIEDERHOLEN) && (M->alt_tasten & MAUS_LINKS)));
    if (druck) {
        Rastport* p = i->grafik_gedrueckt != MENUE_KEINE_GRAFIK ? hooks_tabelle.grafik_holen(i->grafik_gedrueckt) : nullptr;
        if (p) Blt_Blit(p, 0, 0, -1, -1, ziel, i->x, i->y, Blt_Opt_Transparent);
        else Blt_Abdunkeln(ziel, i->x, i->y, i->w, i->h, 96);
    }
    if (i->status & MENUE_S_GRAU) Blt_Abdunkeln(ziel, i->x, i->y, i->w, i->h, 64);
}

namespace {
// The covering icon drawn last (it hides everything drawn before it), if any.
Screen_Icon* deckel_suchen() {
    Screen_Icon* d = nullptr;
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s)
            if (ist_belegt(e, s)) {
                Screen_Icon* i = slot(e, s);
                if ((i->flags & MENUE_F_DECKT) && sichtbar(i) && i->scroll == 255 && i != M->gezogen) d = i;
            }
    return d;
}

// The picture Menue_Icon_Blit draws for the icon (none for one of its own
// colour or a missing one).
Rastport* icon_bild(Screen_Icon* i) {
    if (i->flags & MENUE_F_TGA) return Menue_Get_Tga_Rastport(i->tga);
    if (i->bild) return i->bild;
    const u32 g = Menue_Icon_An(i) && i->grafik_an != MENUE_KEINE_GRAFIK ? i->grafik_an : i->grafik;
    return g != MENUE_KEINE_GRAFIK ? hooks_tabelle.grafik_holen(g) : nullptr;
}

// Whether some visible icon copies a picture over the whole target without
// a colour key: the background under it is never seen.
bool hintergrund_verdeckt(const Rastport* ziel) {
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = 0; s < M->hoechster[e]; ++s) {
            if (!ist_belegt(e, s)) continue;
            Screen_Icon* i = slot(e, s);
            if (!sichtbar(i) || i->scroll != 255 || i == M->gezogen || i->x > 0 || i->y > 0 ||
                (i->flags & MENUE_F_GANZER_SCREEN) || (i->status & (MENUE_S_TRANSPARENT | MENUE_S_HALB)))
                continue;
            const Rastport* b = icon_bild(i);
            if (b && b->tiefe() == ziel->tiefe() && b->tiefe() != 8 && i->x + b->breite >= ziel->breite &&
                i->y + b->hoehe >= ziel->hoehe && Rastport_Lock(const_cast<Rastport*>(b)))
                return true;
        }
    return false;
}

bool deckel_gilt(const Screen_Icon* d, const Rastport* ziel) {
    const auto& k = M->deckel;
    return d && k.bild && k.icon == d && k.ziel == ziel && k.stand == M->stand && k.bild->breite == ziel->breite &&
           k.bild->hoehe == ziel->hoehe && k.bild->tiefe() == ziel->tiefe() && (!Zeichenspur_An || k.mit_spur);
}

// Keeps the screen as drawn up to and with the cover (and, with the draw
// trace on, what was drawn from `spur_anfang` on).
void deckel_behalten(const Screen_Icon* d, Rastport* ziel, size_t spur_anfang) {
    auto& k = M->deckel;
    k.spur.clear();
    k.mit_spur = Zeichenspur_An;
    if (Zeichenspur_An)
        for (size_t i = spur_anfang; i < Zeichenspur_Eintraege().size(); ++i)
            if (const Zeichenspur_Eintrag& e = Zeichenspur_Eintraege()[i]; e.art == SPUR_TEXT || e.art == SPUR_BLIT)
                k.spur.push_back(e);
    if (!k.bild || k.bild->breite != ziel->breite || k.bild->hoehe != ziel->hoehe || k.bild->tiefe() != ziel->tiefe()) {
        Rastport_Free(k.bild);
        k.bild = Rastport_Neu_Einfach(ziel->breite, ziel->hoehe, ziel->tiefe());
    }
    if (!k.bild || !Blt_Blit(ziel, 0, 0, -1, -1, k.bild, 0, 0, nullptr)) {
        k.icon = nullptr;
        return;
    }
    // Its pixels stay until it is kept anew, as another picture.
    k.bild->fest = true;
    k.bild->serie = Rastport_Serie_Neu();
    k.icon = d, k.ziel = ziel, k.stand = M->stand;
}
}  // namespace

void Menue_Reiner_Zeichner(Icon_Zeichen_Prozedur p) {
    if (p && std::find(reine_zeichner.begin(), reine_zeichner.end(), p) == reine_zeichner.end())
        reine_zeichner.push_back(p);
}

namespace {
void frame_zeichnen(Rastport* ziel, std::vector<Teil>* teile = nullptr);

// The frame about to be drawn, section by section; false when it cannot be
// probed (an icon that does more than draw, the scroll screen, a drag, a
// cover not kept yet, drawing the probe cannot follow).
bool frame_abdruck(Rastport* ziel, std::vector<Teil>* teile) {
    // A cover is probed once its picture is kept (the first frame keeps it).
    if (M->gezogen) return false;
    const Screen_Icon* deckel = deckel_suchen();
    if (deckel && !deckel_gilt(deckel, ziel)) return false;
    // In drawing order: what lies under a kept cover is not drawn.
    bool gesperrt = false;
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            if (!ist_belegt(e, s)) continue;
            const Screen_Icon* i = slot(e, s);
            if (i == deckel) gesperrt = false;
            if (i == deckel || !sichtbar(i)) continue;
            if (i->scroll != 255 ||
                (i->zeichnen &&
                 std::find(reine_zeichner.begin(), reine_zeichner.end(), i->zeichnen) == reine_zeichner.end()))
                gesperrt = true;
        }
    if (gesperrt) return false;
    const bool spur = Zeichenspur_Anhalten();
    Abdruck_Probe_Beginnen(ziel);
    frame_zeichnen(ziel, teile);
    const bool ok = Abdruck_Probe_Ende();
    Zeichenspur_Fortsetzen(spur);
    return ok;
}

// Where the probed frame differs from the kept one (empty: nowhere); false
// when the icons are not the same ones in the same order.
bool unterschied(const std::vector<Teil>& alt, const std::vector<Teil>& neu, Abdruck_Rechteck* r) {
    if (alt.size() != neu.size()) return false;
    *r = {};
    for (size_t k = 0; k < neu.size(); ++k) {
        if (alt[k].nummer != neu[k].nummer) return false;
        if (alt[k].abdruck == neu[k].abdruck && alt[k].rechteck.x0 == neu[k].rechteck.x0 &&
            alt[k].rechteck.y0 == neu[k].rechteck.y0 && alt[k].rechteck.x1 == neu[k].rechteck.x1 &&
            alt[k].rechteck.y1 == neu[k].rechteck.y1)
            continue;
        r->dazu(alt[k].rechteck);
        r->dazu(neu[k].rechteck);
    }
    return true;
}
}  // namespace

void Menue_Screen_Refresh(Rastport* ziel) {
    // A frame that will not be shown leaves the screen as it is.
    if (!ziel && !W32_Frame_Gezeigt()) return;
    const bool schirm = !ziel;
    if (!ziel) ziel = Screen_Rastport;
    if (!M || !ziel) return;
    if (!schirm || !ziel->bitmap) {
        frame_zeichnen(ziel);
        return;
    }
    // The screen: the frame kept is drawn again only where the new one
    // differs, unless something else drew on it since. With the draw trace
    // on, a frame is either left as it is or drawn whole.
    auto& b = M->behalten;
    Abdruck_Rechteck fremd;  // drawn over from elsewhere in a known place (a video)
    const bool beruehrt = Abdruck_Beruehrt(&fremd);
    std::vector<Teil> teile;
    teile.reserve(b.teile.size() + 1);
    const bool vergleichbar = frame_abdruck(ziel, &teile);
    Abdruck_Rechteck neu;
    if (vergleichbar && b.gueltig && !beruehrt && b.ziel == ziel && b.pixel == ziel->bitmap->pixel16() &&
        unterschied(b.teile, teile, &neu)) {
        neu.dazu(fremd);
        if (neu.leer() && (!Zeichenspur_An || b.mit_spur)) {
            Zeichenspur_Wiederholen(b.spur);
            Abdruck_Wache(ziel);
            return;
        }
        // Past half the screen a clipped pass saves little.
        if (!Zeichenspur_An && neu.flaeche() * 2 <= static_cast<i64>(ziel->breite) * ziel->hoehe) {
            Abdruck_Klipp_Beginnen(ziel, neu);
            frame_zeichnen(ziel);
            if (Abdruck_Klipp_Ende()) {
                b.teile.swap(teile);
                b.mit_spur = false;
                b.spur.clear();
                Abdruck_Wache(ziel);
                return;
            }
        }
    }
    Abdruck_Aus();
    const size_t spur_anfang = Zeichenspur_An ? Zeichenspur_Eintraege().size() : 0;
    frame_zeichnen(ziel);
    b.gueltig = vergleichbar, b.ziel = ziel, b.pixel = ziel->bitmap->pixel16();
    b.teile.swap(teile);
    b.mit_spur = Zeichenspur_An;
    b.spur.clear();
    if (Zeichenspur_An)
        for (size_t k = spur_anfang; k < Zeichenspur_Eintraege().size(); ++k)
            if (const Zeichenspur_Eintrag& e = Zeichenspur_Eintraege()[k];
                e.art == SPUR_TEXT || e.art == SPUR_BLIT || e.art == SPUR_FLAECHE)
                b.spur.push_back(e);
    Abdruck_Wache(ziel);
}

namespace {
void frame_zeichnen(Rastport* ziel, std::vector<Teil>* teile) {
    // Probed: each icon a section of its own.
    const auto teil = [teile](i32 nummer) {
        if (!teile) return;
        if (teile->empty()) Abdruck_Abschnitt(nullptr, nullptr);
        else Abdruck_Abschnitt(&teile->back().abdruck, &teile->back().rechteck);
        if (nummer != -2) teile->push_back({.nummer = nummer});
    };
    // Under a covering icon whose picture is kept, nothing before it is drawn.
    Screen_Icon* deckel = deckel_suchen();
    const bool behalten = deckel_gilt(deckel, ziel);
    const size_t spur_anfang = Zeichenspur_An ? Zeichenspur_Eintraege().size() : 0;
    bool zeichnen = !behalten;
    if (behalten) {
        teil(-1);
        Blt_Blit(M->deckel.bild, 0, 0, -1, -1, ziel, 0, 0, nullptr);
        Zeichenspur_Wiederholen(M->deckel.spur);
    }
    else if (teil(-1); !hintergrund_verdeckt(ziel)) {
        if (M->hintergrund) Blt_Blit(M->hintergrund, 0, 0, -1, -1, ziel, 0, 0, nullptr);
        else Blt_Rechteck(ziel, 0, 0, ziel->breite, ziel->hoehe, M->hintergrund_farbe);
    }
    if (!deckel) M->deckel.icon = nullptr;
    // The scroll screen is drawn under the lowest layer that holds one of its
    // visible icons.
    i32 scroll_ebene = MENUE_EBENEN;
    for (i32 e = 0; e < MENUE_EBENEN && scroll_ebene == MENUE_EBENEN; ++e)
        for (i32 s = 0; s < M->hoechster[e]; ++s)
            if (ist_belegt(e, s) && slot(e, s)->scroll != 255 && sichtbar(slot(e, s))) {
                scroll_ebene = e;
                break;
            }
    for (i32 e = 0; e < MENUE_EBENEN; ++e) {
        if (e == scroll_ebene && zeichnen) Menue_Universale_Scroll_Blit_Prozedur(0, ziel);
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            if (!ist_belegt(e, s)) continue;
            Screen_Icon* i = slot(e, s);
            if (i == deckel) {
                if (!behalten) {
                    Menue_Icon_Blit(i, ziel);
                    deckel_behalten(i, ziel, spur_anfang);
                }
                zeichnen = true;
            } else if (zeichnen && i != M->gezogen && i->scroll == 255) {
                teil(i->nummer);
                Menue_Icon_Blit(i, ziel);
            }
        }
    }
    teil(-2);  // the last section ends
    if (Screen_Icon* g = M->gezogen) {
        const i16 x = g->x, y = g->y;
        g->x = static_cast<i16>(M->zieh_x), g->y = static_cast<i16>(M->zieh_y);
        Menue_Icon_Blit(g, ziel);
        g->x = x, g->y = y;
    }
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
    l.tasten = Maus_Get_Tasten();
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

// --- Rockers and their context menu ---------------------------------------------------------

float Menue_Universaler_Wippe_Weiterschalter(Screen_Icon* icon, u32 ereignis) {
    Menue_Wippe* w = icon ? static_cast<Menue_Wippe*>(icon->daten) : nullptr;
    if (!w || (!w->wert_f && !w->wert_i)) {
        Debug_Printf("Menue_Universaler_Wippe_Weiterschalter: Kein Wert!\n");
        return 0;
    }
    static constexpr i32 faktor[6] = {100, 10, 1, 1, 10, 100};
    const i32 rel = Maus_Get_X() - icon->x;
    i32 k = 0, bestd = 1 << 30;
    for (i32 j = 0; j < 6; ++j) {
        i32 px = 0, py = 0;
        wippe_punkt(icon, j, &px, &py);
        if (std::abs(rel - px) < bestd) bestd = std::abs(rel - px), k = j;
    }
    float v = w->wert_f ? *w->wert_f : static_cast<float>(*w->wert_i);
    const float schritt = static_cast<float>(w->schritt) * static_cast<float>(faktor[k]);
    if (ereignis & MENUE_E_MINUS) v = std::max(w->minimum, v - schritt);
    if (ereignis & MENUE_E_PLUS) v = std::min(w->maximum, v + schritt);
    if (w->wert_f) *w->wert_f = v;
    else *w->wert_i = static_cast<i32>(v);
    return v;
}

void Menue_Wippe_Kontextmenue(Screen_Icon* icon, Kontextmenue* k) {
    Menue_Wippe* w = icon ? static_cast<Menue_Wippe*>(icon->daten) : nullptr;
    Menue_Init_Kontextmenue(k, "Eingabefeld ändern:", w ? icon->nummer : -1, 0,
                            [](i32 e, i32 nummer, i32 wert) { Menue_Kontext_Eingabefeld_Jump_Call(e, nummer, wert); });
    if (!k || !w) return;
    static const char* const feste[3] = {"Zurücksetzen auf Vorgabewert", "Zurücksetzen auf Minimalwert",
                                         "Zurücksetzen auf Maximalwert"};
    for (const char* t : feste) Menue_Kontextmenue_Eintrag(k, t, 0);
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
        char text[48];
        std::snprintf(text, sizeof text, "Setzen auf %d", v);
        Menue_Kontextmenue_Eintrag(k, text, v);
    }
}

void Menue_Init_Kontextmenue(Kontextmenue* k, const char* titel, i32 icon, i32 standard_status,
                             Kontext_Prozedur prozedur) {
    if (!k) {
        Debug_Printf("Menue_Init_Kontextmenue: k==NULL!\n");
        return;
    }
    if (standard_status == -1) {
        Debug_Printf("Menue_Init_Kontextmenue: default_status: falscher Wert!\n");
        standard_status = 0;
    }
    *k = Kontextmenue{};
    k->titel = titel;
    k->icon = icon;
    k->standard_status = static_cast<u32>(standard_status);
    k->prozedur = prozedur;
}

bool Menue_Kontextmenue_Eintrag(Kontextmenue* k, const char* text, i32 wert) {
    if (!k || k->anzahl < 0 || k->anzahl >= KONTEXT_MAX) return false;
    auto& e = k->eintrag[k->anzahl++];
    std::snprintf(e.text, sizeof e.text, "%s", text ? text : "");
    e.status = k->standard_status;
    e.wert = wert;
    return true;
}

bool Menue_Kontextmenue_Waehlen(const Kontextmenue* k, i32 eintrag) {
    if (!k || !k->prozedur || eintrag < 0 || eintrag >= k->anzahl || eintrag >= KONTEXT_MAX) return false;
    k->prozedur(eintrag, k->icon, k->eintrag[eintrag].wert);
    return true;
}

bool Menue_Kontext_Eingabefeld_Jump_Call(i32 eintrag, i32 nummer, i32 wert) {
    Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    Menue_Wippe* w = (i && (i->flags & MENUE_F_WIPPE)) ? static_cast<Menue_Wippe*>(i->daten) : nullptr;
    if (!w || eintrag < 0 || eintrag > 7) return false;
    const float v = eintrag == 0   ? w->vorgabe
                    : eintrag == 1 ? w->minimum
                    : eintrag == 2 ? w->maximum
                                   : static_cast<float>(wert);
    if (w->wert_f) *w->wert_f = v;
    else if (w->wert_i) *w->wert_i = static_cast<i32>(v);
    if (i->klick) i->klick(i, MENUE_E_KONTEXT);
    return true;
}

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
        Rastport_Free(ss->bild);
        ss->bild = nullptr;
    }
    if (!ss->bild) {
        if (ss->inhalt_b < 1 || ss->inhalt_h < 1 || ss->inhalt_b > 4096 || ss->inhalt_h > 8192 ||
            !(ss->bild = Rastport_Neu_Einfach(static_cast<i32>(ss->inhalt_b), static_cast<i32>(ss->inhalt_h), 16))) {
            Debug_Printf("Menue_Screen_Icon_Scroll_Bitmap: Kein Speicher f. Nr. %d (br=%u, ho=%u)\n", nummer,
                         ss->inhalt_b, ss->inhalt_h);
            return nullptr;
        }
    }
    return ss->bild;
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
    Rastport*& g = M->scroll_gerettet;
    if (g && g->breite == h->breite && g->hoehe == h->hoehe) {
        Blt_Blit(g, 0, 0, -1, -1, ziel, x, y, nullptr);
        return;
    }
    Rastport_Free(g);
    g = Rastport_Neu_Einfach(h->breite, h->hoehe, 16);
    if (g) Blt_Blit(ziel, x, y, h->breite, h->hoehe, g, 0, 0, nullptr);
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

// --- Saved state ---------------------------------------------------------------------------------

void Menue_Speichern(bytes::Schreiber& s) { s(Menue_Modus); }

bool Menue_Laden(bytes::Leser& l) {
    u8 v = 0;
    l(v);
    if (l.fehler) return false;
    Menue_Modus = v;
    // The dialog bar's four buttons come back closed.
    for (i32 n = ICON_DIALOG_TEAM; n <= ICON_DIALOG_SPIEL; ++n) Menue_Icon_Zustand_Setzen(n, 0);
    Menue_Screen_Freigeben();
    return true;
}
