// The live match view's drawing steps: background, header bar, frame and
// bottom bar, and the bar pictures they share.
#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "base/random.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "gui/spielfeld_uebersicht.h"
#include "gui/text_cfg.h"
#include "screens/live_view/spielansicht.h"
#include "world/bank.h"

namespace {

// The bar pictures: bottom bar, the two header bar backgrounds, the two
// digit sheets, nine rain-drop and nine snow-flake frames.
enum { LEISTE, KOPF_GROSS, KOPF_KLEIN, ZIFFERN_GROSS, ZIFFERN_KLEIN, REGEN, SCHNEE = REGEN + 9, BILDER = SCHNEE + 9 };
constexpr auto NUMMERN = [] {
    std::array<i32, BILDER> n{GRAFIK_LIVE_LEISTE, GRAFIK_LIVE_KOPF_GROSS, GRAFIK_LIVE_KOPF_KLEIN,
                              GRAFIK_LIVE_ZIFFERN_GROSS, GRAFIK_LIVE_ZIFFERN_KLEIN};
    for (int i = 0; i < 9; ++i) n[REGEN + i] = GRAFIK_LIVE_REGEN + i, n[SCHNEE + i] = GRAFIK_LIVE_SCHNEE + i;
    return n;
}();
Rastport_Bild bilder[BILDER];
// The rain and snow frames as runs: hundreds are drawn a frame.
Blt_Laeufe wetter_laeufe[18];
// The weather particles a frame draws: place in the view, frame.
struct Sichtbar {
    i16 x, y;
    u8 bild;
};
Sichtbar sichtbar[SA_PARTIKEL];

enum { TEXT_MINUTE = 165, TEXT_ZUSCHAUER = 166 };
constexpr u16 RAHMEN_FOKUS = FARBE_GOLD, RAHMEN_ANDERE = Farbe_565(0x141415);

// The clock of each match the view has shown since it started, by pitch
// record (at most a few a day: four views, the day's matches).
std::vector<std::pair<const Spielfeld_Daten*, Spielfeld_Uhr>> uhren;

i32 uhr_lesen(const Spielfeld_Daten& sf) {
    auto it = std::find_if(uhren.begin(), uhren.end(), [&](const auto& u) { return u.first == &sf; });
    if (it == uhren.end()) {
        if (uhren.size() >= 64) uhren.clear();
        uhren.emplace_back(&sf, Spielfeld_Uhr{});
        it = uhren.end() - 1;
    }
    return Spieltag_Uhr_Lesen(&it->second, sf);
}

// A score digit: goals above 9 show 9 (the sheets hold one digit a side).
void ziffer(Rastport* blatt, int tore, i32 spalte, i32 zw, i32 zh, i32 schritt, i32 x, i32 y) {
    if (!blatt) return;
    const i32 z = std::clamp(tore, 0, 9);
    Blt_Blit(blatt, spalte * zw, schritt * z + 2, zw, zh, Screen_Rastport, x, y, Blt_Opt_Transparent);
}

}  // namespace

bool Spielansicht_Bilder_Laden() {
    for (int i = 0; i < BILDER; ++i) {
        if (bilder[i]) continue;
        bilder[i].reset(Resf_Grafik_Laden(NUMMERN[i]));
        if (!bilder[i] || !Rastport_Lock(bilder[i].get())) {
            Spielansicht_Bilder_Free();
            return false;
        }
    }
    // A frame without runs is drawn through the blitter.
    for (int i = 0; i < 18; ++i)
        if (Rastport* rp = bilder[REGEN + i].get(); wetter_laeufe[i].quelle != rp || wetter_laeufe[i].serie != rp->serie)
            Blt_Laeufe_Bauen(rp, &wetter_laeufe[i]);
    return true;
}

void Spielansicht_Bilder_Free() {
    for (Rastport_Bild& rp : bilder) rp.reset();
    for (Blt_Laeufe& l : wetter_laeufe) l = Blt_Laeufe{};
}

i32 Spielansicht_Kopf_Hoehe(const Spielansicht_View* v) {
    const Rastport* rp = bilder[v->layout == SA_VIERTEL ? KOPF_KLEIN : KOPF_GROSS].get();
    return rp ? rp->hoehe : 0;
}

void Spielansicht_Hintergrund(const Spielansicht_View* v) {
    if (!v || !v->bild || !Screen_Rastport) return;
    Blt_Blit(v->bild.get(), v->scroll_x, v->scroll_y, v->breite, v->hoehe, Screen_Rastport, v->screen_x, v->screen_y,
             Blt_Opt_Standard);
}

void Spielansicht_Kopfzeile(const Spielansicht_View* v) {
    if (!v || !v->pitch || !Screen_Rastport) return;
    const Spielfeld_Daten& sf = *v->pitch;
    const i32 x = v->screen_x, y = v->screen_y, minute = uhr_lesen(sf);
    const char* min_text = Text_cfg_Text(TEXT_REST, TEXT_MINUTE);
    if (v->layout != SA_VIERTEL) {
        if (Rastport* k = v->kopf_gross ? v->kopf_gross.get() : bilder[KOPF_GROSS].get())
            Blt_Blit(k, 0, 0, k->breite, k->hoehe, Screen_Rastport, x, y, Blt_Opt_Standard);
        ziffer(bilder[ZIFFERN_GROSS].get(), sf.tore[0], 0, 30, 20, 23, x + 255, y + 8);
        ziffer(bilder[ZIFFERN_GROSS].get(), sf.tore[1], 1, 30, 20, 23, x + 285, y + 8);
        char zahl[32];
        Bank_Zahl_String(zahl, sf.zuschauer, 0);
        Kit_Printf_Stelle(Screen_Rastport, Kit_Font(Kit_Schrift::TEXT), FARBE_WEISS, x, y + 19, Kit_Schein::SCHLICHT,
                          {Kit_Ausrichtung::MITTE, v->breite / 2 + 10}, "%s %s", zahl,
                          Text_cfg_Text(TEXT_REST, TEXT_ZUSCHAUER));
        Kit_Printf_Stelle(Screen_Rastport, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, x, y + 20,
                          Kit_Schein::SCHLICHT, {Kit_Ausrichtung::MITTE, v->breite / 2 + 143}, "%d%s", minute,
                          min_text);
    } else {
        if (Rastport* k = v->kopf_klein ? v->kopf_klein.get() : bilder[KOPF_KLEIN].get())
            Blt_Blit(k, 0, 0, k->breite, k->hoehe, Screen_Rastport, x, y, Blt_Opt_Standard);
        ziffer(bilder[ZIFFERN_KLEIN].get(), sf.tore[0], 0, 22, 16, 17, x + 154, y + 2);
        ziffer(bilder[ZIFFERN_KLEIN].get(), sf.tore[1], 1, 22, 16, 17, x + 176, y + 2);
        Kit_Printf_Stelle(Screen_Rastport, Kit_Font(Kit_Schrift::TEXT), FARBE_WEISS, x, y + 12, Kit_Schein::SCHLICHT,
                          {Kit_Ausrichtung::LINKS, v->breite / 2 + 10}, "%d%s", minute, min_text);
    }
}

void Spielansicht_Uhren_Leeren() { uhren.clear(); }

void Spielansicht_Rahmen(const Spielansicht_View* v) {
    if (!v || !v->pitch) return;
    // The engine plays the crowd's sounds for the focused match only.
    v->pitch->fokus = v->focus ? 1 : 0;
    if (v->layout == SA_VOLL || !Screen_Rastport) return;
    const i32 kopf = Spielansicht_Kopf_Hoehe(v);
    Blt_Rahmen(Screen_Rastport, v->screen_x, v->screen_y + kopf, v->breite, v->hoehe - kopf,
               v->focus ? RAHMEN_FOKUS : RAHMEN_ANDERE, 2);
}

void Spielansicht_Leiste() {
    Rastport* l = bilder[LEISTE].get();
    if (!l || !Screen_Rastport) return;
    Blt_Blit(l, 0, 0, l->breite, l->hoehe, Screen_Rastport, 0, 600 - l->hoehe, Blt_Opt_Standard);
}

int Spielansicht_Wetter(Spielansicht_View* v, u8 staerke, u8 art) {
    if (!v || !v->bild || staerke == 0) return 0;
    const i32 w = v->bild->breite, h = v->bild->hoehe;
    if (!v->wetter_gestartet) {
        for (Spielansicht_Partikel& p : v->partikel) {
            p.x = static_cast<u16>(Rnd_Deko_Von_Bis(0, w - 1));
            p.y = static_cast<u16>(Rnd_Deko_Von_Bis(0, h - 1));
            p.tempo = static_cast<u16>(Rnd_Deko_Von_Bis(0, 9));
            p.bild = static_cast<u8>(Rnd_Deko_Von_Bis(0, 2));
        }
        v->wetter_gestartet = 1;
    }
    const int anzahl = std::min(40 * static_cast<int>(staerke), SA_PARTIKEL);
    const bool schnee = art == 1;
    // The nine frames' pictures, runs and the room a frame's top-left has
    // for the frame to lie wholly inside the view (none without a picture).
    struct Bild {
        Rastport* rp;
        const Blt_Laeufe* laeufe;
        i32 frei_x, frei_y;
    } bild[9];
    for (int b = 0; b < 9; ++b) {
        const int n = (schnee ? SCHNEE : REGEN) + b;
        Rastport* rp = Screen_Rastport ? bilder[n].get() : nullptr;
        bild[b] = {rp, &wetter_laeufe[n - REGEN], rp ? v->breite - rp->breite : -1, rp ? v->hoehe - rp->hoehe : -1};
    }
    // The particles to draw are noted without a branch and drawn after the
    // walk (in their order, where they stood before it moved them).
    int gezeigt = 0;
    for (int i = 0; i < anzahl; ++i) {
        Spielansicht_Partikel& p = v->partikel[i];
        // Drawn only where it lies wholly inside the view.
        const u8 nr = static_cast<u8>(p.bild % 9);
        const i32 vx = p.x - v->scroll_x, vy = p.y - v->scroll_y;
        sichtbar[gezeigt] = {static_cast<i16>(vx), static_cast<i16>(vy), nr};
        gezeigt += (vx >= 0) & (vy >= 0) & (vx <= bild[nr].frei_x) & (vy <= bild[nr].frei_y);
        i32 x = p.x, y = p.y;
        if (!schnee) {
            x += 2 * p.tempo + 3;
            y += 2 * p.tempo + 8;
            p.bild = static_cast<u8>((p.bild + 1) % 9);
        } else {
            x += Rnd_Deko_Von_Bis(-4, 4);
            y += Rnd_Deko_Von_Bis(3, 4);
            if (Rnd_Deko_Von_Bis(0, 99) < 10) p.bild = static_cast<u8>(Rnd_Deko_Von_Bis(0, 2));
            if (Rnd_Deko_Von_Bis(0, 99) < 1) y = 0;
        }
        if ((x == 0 && y == 0) || x < 0 || x >= w || y >= h) {
            x = Rnd_Deko_Von_Bis(0, w - 1);
            y = 0;
        }
        p.x = static_cast<u16>(x);
        p.y = static_cast<u16>(y);
    }
    for (int i = 0; i < gezeigt; ++i) {
        const Sichtbar& s = sichtbar[i];
        const Bild& b = bild[s.bild];
        Blt_Laeufe_Zeichnen(*b.laeufe, b.rp, Screen_Rastport, v->screen_x + s.x, v->screen_y + s.y);
    }
    return anzahl;
}
