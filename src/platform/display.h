// The 800x600 16-bit display.
//
// The game draws into one software frame buffer of 16-bit pixels (565, or
// 555 when depth 15 is chosen). Each frame the buffer is presented: in a
// window it is copied into an SDL texture and scaled into the window with
// its aspect kept (black bars fill the rest); without a display (headless)
// presenting only writes the screenshots that were asked for.
#pragma once

#include <string>

#include "base/types.h"

constexpr i32 DISPLAY_BREITE = 800;
constexpr i32 DISPLAY_HOEHE = 600;

struct W32_Display_Struktur {
    i32 breite = DISPLAY_BREITE;
    i32 hoehe = DISPLAY_HOEHE;
    i32 bits_pro_pixel = 16;     // 15 (555) or 16 (565)
    i32 pitch = DISPLAY_BREITE;  // pixels from one row of the buffer to the next
    u16* puffer = nullptr;       // the first software frame buffer (null until W32_Init_Display)
    bool vollbild = false;
    bool fenster = false;  // shown in a window (false: headless)
};
extern W32_Display_Struktur W32_Display;

// The display's bits per pixel: 15 (555) or 16 (565).
extern i32 Display_Farbtiefe;

// Sets the display up at the given depth (15 or 16; anything else counts as
// 16): the frame buffer (cleared to black), and in a window the texture
// through which it is shown; calls the video hook. False when the window's
// renderer cannot be made.
bool W32_Init_Display(i32 farbtiefe = 16);
// Releases the display (the window itself stays until shutdown).
void W32_Release_Display();
// Shows the current frame at once (also used while loading).
void W32_Present_Now();

// Full screen on or off (the window keeps its own size for later); Alt+Enter
// toggles it. False without a window.
bool W32_Set_Vollbild(bool an);
bool W32_Get_Vollbild();

// A colour in the display's pixel format.
u16 Display_Farbe(u8 r, u8 g, u8 b);

// Where the picture lies in an area of w x h pixels: scaled to the largest
// size that fits with its aspect kept, centred.
struct Display_Rechteck {
    i32 x, y, w, h;
};
Display_Rechteck Display_Letterbox(i32 flaeche_w, i32 flaeche_h);
// A point of that area in game pixels, clamped into 0..799 x 0..599 (points
// on the black bars go to the nearest edge).
void Display_Fenster_Zu_Spiel(i32 fx, i32 fy, const Display_Rechteck& bild, i32* sx, i32* sy);

// Asks for a screenshot of the next presented frame (PNG, path on disk in
// UTF-8). Several requests of one frame are all written.
void Display_Screenshot_Anfordern(const std::string& pfad);
// True while a screenshot waits for the next presented frame.
bool Display_Screenshot_Wartet();
// Writes the frame buffer as PNG now; false on failure.
bool Display_Screenshot(const std::string& pfad);
// A free name "screenshot_NNN.png" in the game's temp folder (F12).
std::string Display_Screenshot_Name();
// Screenshots written so far (tests).
u32 Display_Screenshot_Anzahl();
