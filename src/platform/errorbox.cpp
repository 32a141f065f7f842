// Message boxes (see errorbox.h).
#include "platform/errorbox.h"

#include <SDL.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "base/cp1252.h"
#include "base/debug.h"
#include "platform/display.h"
#include "platform/window.h"

namespace {
u32 box_anzahl = 0;
}

void W32_Stderr(const char* text) {
    std::string utf8 = Cp1252_To_Utf8(text ? text : "");
    std::fprintf(stderr, "%s\n", utf8.c_str());
    std::fflush(stderr);
}

void W32_Error_Box(const char* format, ...) {
    char text[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    box_anzahl++;
    Debug_Printf("ERROR: %s", text);
    std::string utf8 = Cp1252_To_Utf8(text);
    std::fprintf(stderr, "ERROR: %s\n", utf8.c_str());
    std::fflush(stderr);
    if (W32_Ist_Headless()) return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "ERROR:", utf8.c_str(),
                             static_cast<SDL_Window*>(W32_Display.fenster ? Fenster_Sdl() : nullptr));
}

u32 W32_Error_Box_Anzahl() { return box_anzahl; }
