// The frame buffer, its presentation and screenshots (see display.h).
#include "platform/display.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "base/cp1252.h"
#include "base/files.h"
#include "platform/hooks.h"
#include "platform/png.h"
#include "platform/window.h"

W32_Display_Struktur W32_Display;
i32 Display_Farbtiefe = 16;

namespace {

// The frame buffer lives for the whole run, outside the guarded blocks: the
// count of blocks still allocated is taken before the display is released.
alignas(64) u16 bild_puffer[DISPLAY_BREITE * DISPLAY_HOEHE];

std::vector<std::string> screenshot_wuensche;
u32 screenshot_anzahl = 0;

void Screenshots_Schreiben() {
    if (screenshot_wuensche.empty()) return;
    for (const std::string& pfad : screenshot_wuensche) {
        if (Display_Screenshot(pfad)) {
            std::fprintf(stderr, "Screenshot: %s\n", pfad.c_str());
        } else {
            std::fprintf(stderr, "%s\n",
                         Cp1252_To_Utf8("Screenshot konnte nicht geschrieben werden: ").append(pfad).c_str());
        }
    }
    screenshot_wuensche.clear();
}

}  // namespace

bool W32_Init_Display(i32 farbtiefe) {
    if (farbtiefe != 15) farbtiefe = 16;
    Display_Farbtiefe = farbtiefe;
    W32_Display.breite = DISPLAY_BREITE;
    W32_Display.hoehe = DISPLAY_HOEHE;
    W32_Display.pitch = DISPLAY_BREITE;
    W32_Display.bits_pro_pixel = farbtiefe;
    W32_Display.puffer = bild_puffer;
    for (u16& p : bild_puffer) p = 0;
    W32_Display.fenster = false;
    if (!W32_Ist_Headless()) {
        if (!Fenster_Display_Init(farbtiefe)) return false;
        W32_Display.fenster = true;
    }
    Main_Hooks.Video_Init(W32_Display.puffer, W32_Display.breite, W32_Display.hoehe, farbtiefe);
    return true;
}

void W32_Release_Display() {
    if (W32_Display.fenster) Fenster_Display_Freigeben();
    W32_Display.fenster = false;
    W32_Display.vollbild = false;
    W32_Display.puffer = nullptr;
}

bool Display_Screenshot_Wartet() { return !screenshot_wuensche.empty(); }

void W32_Present_Now() {
    if (!W32_Display.puffer) return;
    if (W32_Display.fenster) Fenster_Present(W32_Display.puffer, W32_Display.pitch);
    Screenshots_Schreiben();
}

bool W32_Set_Vollbild(bool an) {
    if (!W32_Display.fenster) return false;
    if (!Fenster_Vollbild(an)) return false;
    W32_Display.vollbild = an;
    return true;
}

bool W32_Get_Vollbild() { return W32_Display.vollbild; }

u16 Display_Farbe(u8 r, u8 g, u8 b) {
    if (Display_Farbtiefe == 15) return static_cast<u16>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    return static_cast<u16>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

Display_Rechteck Display_Letterbox(i32 fw, i32 fh) {
    if (fw <= 0 || fh <= 0) return Display_Rechteck{0, 0, 0, 0};
    i64 w, h;
    if (static_cast<i64>(fw) * DISPLAY_HOEHE > static_cast<i64>(fh) * DISPLAY_BREITE) {
        // Wider than 4:3: bars left and right.
        h = fh;
        w = (static_cast<i64>(fh) * DISPLAY_BREITE + DISPLAY_HOEHE / 2) / DISPLAY_HOEHE;
    } else {
        w = fw;
        h = (static_cast<i64>(fw) * DISPLAY_HOEHE + DISPLAY_BREITE / 2) / DISPLAY_BREITE;
    }
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    return Display_Rechteck{static_cast<i32>((fw - w) / 2), static_cast<i32>((fh - h) / 2), static_cast<i32>(w),
                            static_cast<i32>(h)};
}

void Display_Fenster_Zu_Spiel(i32 fx, i32 fy, const Display_Rechteck& bild, i32* sx, i32* sy) {
    i64 x = 0, y = 0;
    if (bild.w > 0 && bild.h > 0) {
        // Floor division, so points left of / above the picture stay negative.
        i64 dx = static_cast<i64>(fx - bild.x) * DISPLAY_BREITE;
        i64 dy = static_cast<i64>(fy - bild.y) * DISPLAY_HOEHE;
        x = dx >= 0 ? dx / bild.w : -((-dx + bild.w - 1) / bild.w);
        y = dy >= 0 ? dy / bild.h : -((-dy + bild.h - 1) / bild.h);
    }
    if (x < 0) x = 0;
    if (x > DISPLAY_BREITE - 1) x = DISPLAY_BREITE - 1;
    if (y < 0) y = 0;
    if (y > DISPLAY_HOEHE - 1) y = DISPLAY_HOEHE - 1;
    *sx = static_cast<i32>(x);
    *sy = static_cast<i32>(y);
}

void Display_Screenshot_Anfordern(const std::string& pfad) { screenshot_wuensche.push_back(pfad); }

bool Display_Screenshot(const std::string& pfad) {
    if (!W32_Display.puffer) return false;
    if (!Png_Schreiben(pfad, W32_Display.puffer, W32_Display.breite, W32_Display.hoehe, W32_Display.pitch,
                       Display_Farbtiefe))
        return false;
    screenshot_anzahl++;
    return true;
}

std::string Display_Screenshot_Name() {
    // Built in one step: assigning "." afterwards trips GCC 12's -Wrestrict.
    const std::string temp = W32_Pfad_Uebersetzen(W32_Dir_Tabelle[W32_DIR_TEMP]);
    const std::string ordner = temp.empty() ? std::string(".") : temp;
    char name[32];
    for (int i = 0; i < 1000; i++) {
        std::snprintf(name, sizeof name, "screenshot_%03d.png", i);
        std::string pfad = ordner + "/" + name;
        std::error_code fehler;
        if (!std::filesystem::exists(pfad, fehler)) return pfad;
    }
    return ordner + "/screenshot_999.png";
}

u32 Display_Screenshot_Anzahl() { return screenshot_anzahl; }
