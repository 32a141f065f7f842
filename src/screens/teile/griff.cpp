#include "screens/teile/griff.h"

#include "platform/input.h"

void Screen_Griff_Lassen(Screen_Griff* g) {
    if (!g) return;
    g->ziehen = false;
    g->alte_tasten = Maus_Get_Tasten();
}

bool Screen_Griff_Schritt(Screen_Griff* g, i32 x, i32 y, i32 breite, i32 hoehe, i32* nx, i32* ny) {
    if (!g) return false;
    const u32 t = Maus_Get_Tasten();
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const bool neu_links = (t & MAUS_LINKS) && !(g->alte_tasten & MAUS_LINKS);
    g->alte_tasten = t;
    if (neu_links && t == MAUS_LINKS && mx >= x && mx < x + breite && my >= y && my < y + hoehe) {
        g->ziehen = true;
        g->griff_x = mx - x, g->griff_y = my - y;
    }
    if (g->ziehen && t != MAUS_LINKS) g->ziehen = false;
    if (!g->ziehen) return false;
    *nx = mx - g->griff_x, *ny = my - g->griff_y;
    return true;
}
