// The live match view's drawing steps: background, header bar, frame and
// bottom bar, and the bar pictures they share.
#include <algorithm>
#include <cstdio>

#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "screens/live_view/spielansicht.h"
#include "world/bank.h"

namespace {

// The bar pictures: bottom bar, the two header bar backgrounds, the two
// digit sheets.
enum { LEISTE, KOPF_GROSS, KOPF_KLEIN, ZIFFERN_GROSS, ZIFFERN_KLEIN, BILDER };
constexpr i32 NUMMERN[BILDER] = {GRAFIK_LIVE_LEISTE, GRAFIK_LIVE_KOPF_GROSS, GRAFIK_LIVE_KOPF_KLEIN,
                                 GRAFIK_LIVE_ZIFFERN_GROSS, GRAFIK_LIVE_ZIFFERN_KLEIN};
Rastport* bilder[BILDER] = {};

enum { TEXT_MINUTE = 165, TEXT_ZUSCHAUER = 166 };
constexpr u16 RAHMEN_FOKUS = Farbe_565(0xFFFF00), RAHMEN_ANDERE = Farbe_565(0x141415);

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
        bilder[i] = Resf_Grafik_Laden(NUMMERN[i]);
        if (!bilder[i] || !Rastport_Lock(bilder[i])) {
            Spielansicht_Bilder_Free();
            return false;
        }
    }
    return true;
}

void Spielansicht_Bilder_Free() {
    for (Rastport*& rp : bilder) {
        Rastport_Free(rp);
        rp = nullptr;
    }
}

i32 Spielansicht_Kopf_Hoehe(const Spielansicht_View* v) {
    const Rastport* rp = bilder[v->layout == SA_VIERTEL ? KOPF_KLEIN : KOPF_GROSS];
    return rp ? rp->hoehe : 0;
}

void Spielansicht_Hintergrund(const Spielansicht_View* v) {
    if (!v || !v->bild || !Screen_Rastport) return;
    Blt_Blit(v->bild, v->scroll_x, v->scroll_y, v->breite, v->hoehe, Screen_Rastport, v->screen_x, v->screen_y,
             Blt_Opt_Standard);
}

void Spielansicht_Kopfzeile(const Spielansicht_View* v) {
    if (!v || !v->pitch || !Screen_Rastport) return;
    const Spielfeld_Daten& sf = *v->pitch;
    const i32 x = v->screen_x, y = v->screen_y, minute = sf.minute + 1;
    const char* min_text = Text_cfg_Text(TEXT_REST, TEXT_MINUTE);
    if (v->layout != SA_VIERTEL) {
        if (Rastport* k = bilder[KOPF_GROSS])
            Blt_Blit(k, 0, 0, k->breite, k->hoehe, Screen_Rastport, x, y, Blt_Opt_Standard);
        ziffer(bilder[ZIFFERN_GROSS], sf.tore[0], 0, 30, 20, 23, x + 255, y + 8);
        ziffer(bilder[ZIFFERN_GROSS], sf.tore[1], 1, 30, 20, 23, x + 285, y + 8);
        char zahl[32];
        Bank_Zahl_String(zahl, sf.zuschauer, 0);
        Font_Printf(Screen_Rastport, Font_Tabelle_Holen(9), "^c%05d^tz%04d%s %s", x, y + 19, FARBE_WEISS,
                    v->breite / 2 + 10, zahl, Text_cfg_Text(TEXT_REST, TEXT_ZUSCHAUER));
        Font_Printf(Screen_Rastport, Font_Tabelle_Holen(11), "^c%05d^tz%04d%d%s", x, y + 20, FARBE_WEISS,
                    v->breite / 2 + 143, minute, min_text);
    } else {
        if (Rastport* k = bilder[KOPF_KLEIN])
            Blt_Blit(k, 0, 0, k->breite, k->hoehe, Screen_Rastport, x, y, Blt_Opt_Standard);
        ziffer(bilder[ZIFFERN_KLEIN], sf.tore[0], 0, 22, 16, 17, x + 154, y + 2);
        ziffer(bilder[ZIFFERN_KLEIN], sf.tore[1], 1, 22, 16, 17, x + 176, y + 2);
        Font_Printf(Screen_Rastport, Font_Tabelle_Holen(9), "^c%05d^tl%04d%d%s", x, y + 12, FARBE_WEISS,
                    v->breite / 2 + 10, minute, min_text);
    }
}

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
    Rastport* l = bilder[LEISTE];
    if (!l || !Screen_Rastport) return;
    Blt_Blit(l, 0, 0, l->breite, l->hoehe, Screen_Rastport, 0, 600 - l->hoehe, Blt_Opt_Standard);
}
