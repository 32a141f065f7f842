#include "screens/teile/attribut_zeile.h"

#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

constexpr i32 GRAU_PROZENT = 40;

}  // namespace

void Attribut_Zeile_Zeichnen(Rastport* ziel, i32 a, Attribut_Marke marke, bool grau, i32 x, i32 y) {
    if (a < 0 || a >= ATTRIBUT_ANZAHL) return;
    Kit_Bild_Zeichnen(ziel, GRAFIK_ATTRIBUT + a, x + 23, y + 1);
    switch (marke) {
        case Attribut_Marke::AKTIV: Kit_Bild_Zeichnen(ziel, GRAFIK_POPUP_AKTIV, x + 5, y + 2); break;
        case Attribut_Marke::GESPERRT: Kit_Bild_Zeichnen(ziel, GRAFIK_POPUP_GESPERRT, x + 5, y + 2); break;
        case Attribut_Marke::NEGATIV: Kit_Bild_Zeichnen(ziel, GRAFIK_POPUP_NEGATIV, x + 5, y + 2); break;
        case Attribut_Marke::KEINE: break;
    }
    if (Font* f = Kit_Font(Kit_Schrift::KLEIN))
        Kit_Printf(ziel, f, Attribute_Ist_Negativ(a) ? FARBE_FEHLER : FARBE_WEISS, x + 54, y + 13, "%s",
                   Attribut_Tabelle[a].name);
    if (grau)
        if (Rastport* b = Kit_Bild(GRAFIK_POPUP_GRAU))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, x, y, GRAU_PROZENT);
}
