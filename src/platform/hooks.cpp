// The hook table's defaults and the plain screen (see hooks.h).
#include "platform/hooks.h"

#include "base/globals.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/mainloop.h"

namespace {

void Rechteck(u16* p, i32 pitch, i32 x, i32 y, i32 w, i32 h, u16 farbe) {
    for (i32 j = y; j < y + h; j++) {
        if (j < 0 || j >= DISPLAY_HOEHE) continue;
        for (i32 i = x; i < x + w; i++)
            if (i >= 0 && i < DISPLAY_BREITE) p[j * pitch + i] = farbe;
    }
}

}  // namespace

namespace {
constinit Main_Hook_Tabelle tabelle{};
}  // namespace

const Main_Hook_Tabelle& Main_Hooks = tabelle;

void Main_Set_Hooks(const Main_Hook_Tabelle& h) { tabelle = h; }
void Main_Hooks_Zuruecksetzen() { tabelle = Main_Hook_Tabelle{}; }

void Main_Standard_Frame() {
    Maus_Update();
    if (Quit_Status != QUIT_STATUS_LAEUFT) {
        Main_Free_Grafik_Sound();
        Quit_Status = QUIT_STATUS_VERLASSEN;
        return;
    }
    u16* p = W32_Display.puffer;
    if (p) {
        i32 pitch = W32_Display.pitch;
        Rechteck(p, pitch, 0, 0, DISPLAY_BREITE, DISPLAY_HOEHE, Display_Farbe(16, 24, 40));
        // Eight colour bars: white, yellow, cyan, green, magenta, red, blue, black.
        static const u8 balken[8][3] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                        {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
        for (i32 i = 0; i < 8; i++)
            Rechteck(p, pitch, 80 + i * 80, 200, 80, 160, Display_Farbe(balken[i][0], balken[i][1], balken[i][2]));
        // A grey frame around the game area and a cross at the mouse (red while a button is held).
        u16 grau = Display_Farbe(128, 128, 128);
        Rechteck(p, pitch, 0, 0, DISPLAY_BREITE, 2, grau);
        Rechteck(p, pitch, 0, DISPLAY_HOEHE - 2, DISPLAY_BREITE, 2, grau);
        Rechteck(p, pitch, 0, 0, 2, DISPLAY_HOEHE, grau);
        Rechteck(p, pitch, DISPLAY_BREITE - 2, 0, 2, DISPLAY_HOEHE, grau);
        u16 kreuz = W32_Get_Mouse_Buttons() ? Display_Farbe(255, 64, 64) : Display_Farbe(255, 255, 255);
        Rechteck(p, pitch, Maus_Get_X() - 8, Maus_Get_Y(), 17, 1, kreuz);
        Rechteck(p, pitch, Maus_Get_X(), Maus_Get_Y() - 8, 1, 17, kreuz);
    }
    Taste_Reset();
}
