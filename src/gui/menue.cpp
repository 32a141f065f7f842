// The menu engine: icon slots, pictures, the life cycle of icons and the saved state.
#include "gui/menue.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/tools.h"
#include "graphics/bildformat.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/hauptmenue.h"
#include "gui/menue_intern.h"
#include "platform/mainloop.h"
#include "world/manager.h"
#include "world/welt.h"
#include "grafik_nummern.h"

namespace {

struct Slave {
    u32 grafik = MENUE_KEINE_GRAFIK;
    Rastport_Bild bild;
    std::string tga;  // name of a TGA picture (grafik unused)
};
Slave slaves[MENUE_SLAVES];
// The slot a picture number was found in last, by the number's low bits
// (slot + 1; 0 none): asked again, a slot that still holds that picture
// answers without the search over all slots.
constexpr u32 SLAVE_MERKER = 256;
u16 slave_merker[SLAVE_MERKER] = {};
static_assert(MENUE_SLAVES < 65535);

Menue_Hooks installiert{};

}  // namespace

namespace menue_kern {

const Menue_Hooks& hooks_tabelle = installiert;
Engine* M = nullptr;

bool modal_aktiv() {
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = 0; s < M->hoechster[e]; ++s)
            if (ist_belegt(e, s) && (slot(e, s)->flags & MENUE_F_MODAL) && sichtbar(slot(e, s))) return true;
    return false;
}

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

void eigenes_bild_freigeben(i32 nummer) { M->eigen[nummer] = nullptr; }

void scroll_bilder_freigeben() {
    M->scroll.bild = nullptr;
    M->scroll_gerettet = nullptr;
}

Rastport* eigenes_bild(Screen_Icon* i) {
    if (!M || i->nummer < 0 || i->nummer >= MENUE_ICON_NUMMERN) return nullptr;
    if (i->w < 0 || i->w > 800 || i->h < 0 || i->h > 600) {
        Debug_Printf("SCHWERER ICON-INIT-FEHLER! Icon %d: %dx%d\n", i->nummer, i->w, i->h);
        i->w = 25, i->h = 25, i->farbe = FARBE_MARKE;
    }
    const u16 farbe = (i->status & MENUE_S_TRANSPARENT) ? 0 : i->farbe;
    Rastport_Bild& e = M->eigen[i->nummer];
    if (e && (e->breite != i->w || e->hoehe != i->h || M->eigen_farbe[i->nummer] != farbe))
        eigenes_bild_freigeben(i->nummer);
    if (!e && i->w > 0 && i->h > 0) {
        e.reset(Rastport_Neu_Einfach(i->w, i->h, Screen_Rastport && Screen_Rastport->tiefe() == 15 ? 15 : 16));
        if (e) Blt_Rechteck(e.get(), 0, 0, -1, -1, farbe);
        if (e) e->fest = true;  // made anew when its size or colour changes
        M->eigen_farbe[i->nummer] = farbe;
    }
    return e.get();
}

}  // namespace menue_kern

using namespace menue_kern;

void Menue_Set_Hooks(const Menue_Hooks& h) { installiert = h; }
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
        if (s.bild && s.tga == name) return s.bild.get();
        if (!s.bild && !frei) frei = &s;
    }
    if (!frei) {
        Debug_Printf("Slave_RP %s: falsche nr/kein freier\n", name);
        return nullptr;
    }
    const std::string pfad = std::string(W32_Dir_Tabelle[W32_DIR_RESFILE]) + "/dummy/" + name + ".tga";
    Rastport* bild = Tga_Rastport_Datei(pfad.c_str(), 16);
    if (!bild) return nullptr;
    *frei = Slave{MENUE_KEINE_GRAFIK, Rastport_Bild(bild), name};
    return bild;
}

void Menue_Tga_Freigeben(const char* name) {
    for (Slave& s : slaves)
        if (s.bild && name && s.tga == name) s = Slave{};
}

Rastport* Menue_Get_Slave_Rastport(u32 grafik) {
    grafik = Menue_Heimat_Grafik(grafik);
    u16& merker = slave_merker[grafik % SLAVE_MERKER];
    if (merker) {
        const Slave& s = slaves[merker - 1];
        if (s.bild && s.tga.empty() && s.grafik == grafik) return s.bild.get();
    }
    Slave* frei = nullptr;
    for (Slave& s : slaves) {
        if (s.bild && s.tga.empty() && s.grafik == grafik) {
            merker = static_cast<u16>(&s - slaves + 1);
            return s.bild.get();
        }
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
    Rastport_Bild bild(Resf_Grafik_Laden(static_cast<i32>(grafik)));
    if (!bild || !Rastport_Lock(bild.get())) return nullptr;
    *frei = Slave{grafik, std::move(bild)};
    merker = static_cast<u16>(frei - slaves + 1);
    return frei->bild.get();
}

void Menue_Slave_Vorab(u32 grafik) {
    grafik = Menue_Heimat_Grafik(grafik);
    for (const Slave& s : slaves)
        if (s.bild && s.tga.empty() && s.grafik == grafik) return;
    i32 archiv = 0, eintrag = 0;
    if (grafik >= 4000 && grafik < 92000 && Resf_Grafik_Nummer(static_cast<i32>(grafik), &archiv, &eintrag))
        Resf_Vorab_Bereit(Resf_Spiel_Slot(archiv), eintrag);
}

void Menue_Slave_Freigeben(i64 grafik) {
    for (Slave& s : slaves)
        if (s.bild && (grafik < 0 || (s.tga.empty() && s.grafik == static_cast<u32>(grafik)))) s = Slave{};
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


u32 Menue_Icon_Zustand(i32 nummer) { return zustand_lesen(Team_Aktiv, nummer); }

void Menue_Icon_Zustand_Setzen(i32 nummer, u32 wert) { zustand_setzen(Team_Aktiv, nummer, wert); }

bool Menue_Icon_An(const Screen_Icon* i) { return i && (i->status & MENUE_S_AN) && Menue_Icon_Zustand(i->nummer) != 0; }

void Menue_Free_All() {
    Menue_Slave_Freigeben(-1);
    delete M;  // its pictures go with it
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
