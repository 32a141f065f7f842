// The live match view's drawing steps: background, frame, bottom bar and
// header bar.
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "screens/live_view/spielansicht.h"

void Spielansicht_Hintergrund(const Spielansicht_View* v) {
    if (!v || !v->bild || !Screen_Rastport) return;
    Blt_Blit(v->bild, v->scroll_x, v->scroll_y, v->breite, v->hoehe, Screen_Rastport, v->screen_x, v->screen_y,
             Blt_Opt_Standard);
}
