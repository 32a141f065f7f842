#include "screens/teile/attribut_zeile.h"

#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "grafik_nummern.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

constexpr i32 FONT_NAME = 6;
constexpr i32 GRAU_PROZENT = 40;

Rastport* bild(i32 nummer) { return Menue_Get_Hooks().grafik_holen(static_cast<u32>(nummer)); }
void blit(Rastport* ziel, i32 nummer, i32 x, i32 y) {
    if (Rastport* b = bild(nummer)) Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
}

}  // namespace

void Attribut_Zeile_Zeichnen(Rastport* ziel, i32 a, Attribut_Marke marke, bool grau, i32 x, i32 y) {
    if (a < 0 || a >= ATTRIBUT_ANZAHL) return;
    blit(ziel, GRAFIK_ATTRIBUT + a, x + 23, y + 1);
    switch (marke) {
        case Attribut_Marke::AKTIV: blit(ziel, GRAFIK_POPUP_AKTIV, x + 5, y + 2); break;
        case Attribut_Marke::GESPERRT: blit(ziel, GRAFIK_POPUP_GESPERRT, x + 5, y + 2); break;
        case Attribut_Marke::NEGATIV: blit(ziel, GRAFIK_POPUP_NEGATIV, x + 5, y + 2); break;
        case Attribut_Marke::KEINE: break;
    }
    if (Font* f = Font_Tabelle_Holen(FONT_NAME))
        Font_Printf(ziel, f, "^c%05d%s", x + 54, y + 13, Attribute_Ist_Negativ(a) ? FARBE_FEHLER : FARBE_WEISS,
                    Attribut_Tabelle[a].name);
    if (grau)
        if (Rastport* b = bild(GRAFIK_POPUP_GRAU))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, x, y, GRAU_PROZENT);
}
