// The SDL2 window back end, and the run without a window (see window.h).
#include "platform/window.h"

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/cp1252.h"
#include "platform/display.h"
#include "platform/hooks.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/messages.h"

const char* const W32_FENSTERKLASSE = "Kordavo";

namespace {

bool headless = false;
bool headless_erzwungen = false;
bool fenster_aktiv = true;
SDL_Window* fenster = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* textur = nullptr;
u32 wecker_ereignis = 0;
std::string fenster_fehler;  // why the wanted window could not be opened (SDL's words)
std::atomic<bool> wartet{false};
volatile std::sig_atomic_t signal_erhalten = 0;

void Signal_Behandeln(int) { signal_erhalten = 1; }

void Fenster_Wecken() {
    if (!fenster || !wartet.load()) return;
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = wecker_ereignis;
    SDL_PushEvent(&e);
}

bool Umgebung_Headless() {
    const char* h = std::getenv("KORDAVO_HEADLESS");
    return h && h[0] && std::strcmp(h, "0") != 0;
}

void Maus_Aus_Fenster(i32 fx, i32 fy) {
    i32 w, h;
    Fenster_Groesse(&w, &h);
    i32 sx, sy;
    Display_Fenster_Zu_Spiel(fx, fy, Display_Letterbox(w, h), &sx, &sy);
    Eingabe_Maus_Position(sx, sy);
}

u32 Maus_Bit(u8 sdl_taste) {
    if (sdl_taste == SDL_BUTTON_LEFT) return MAUS_LINKS;
    if (sdl_taste == SDL_BUTTON_RIGHT) return MAUS_RECHTS;
    return 0;
}

void Ereignis_Behandeln(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT: W32_Post_Quit_Message(0); break;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_MINIMIZED:
                case SDL_WINDOWEVENT_HIDDEN:
                    if (fenster_aktiv && Main_Hooks.Fenster_Aktiv) Main_Hooks.Fenster_Aktiv(false);
                    fenster_aktiv = false;
                    break;
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_MAXIMIZED:
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_EXPOSED:
                    if (!fenster_aktiv && Main_Hooks.Fenster_Aktiv) Main_Hooks.Fenster_Aktiv(true);
                    fenster_aktiv = true;
                    break;
                default: break;
            }
            break;
        case SDL_MOUSEMOTION: Maus_Aus_Fenster(e.motion.x, e.motion.y); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            Maus_Aus_Fenster(e.button.x, e.button.y);
            if (u32 bit = Maus_Bit(e.button.button)) Eingabe_Maus_Taste(bit, e.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEWHEEL: {
            i32 y = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) y = -y;
            if (y) Eingabe_Maus_Rad(y);
            break;
        }
        case SDL_KEYDOWN: {
            SDL_Keycode k = e.key.keysym.sym;
            if ((k == SDLK_RETURN || k == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT)) {
                if (!e.key.repeat) W32_Set_Vollbild(!W32_Get_Vollbild());
                break;
            }
            if (k == SDLK_F12) {
                if (!e.key.repeat) Display_Screenshot_Anfordern(Display_Screenshot_Name());
                break;
            }
            Eingabe_Taste(Taste_Vk_Aus_Sdl(k), true);
            break;
        }
        case SDL_KEYUP: Eingabe_Taste(Taste_Vk_Aus_Sdl(e.key.keysym.sym), false); break;
        case SDL_TEXTINPUT: Eingabe_Text_Utf8(e.text.text); break;
        default: break;
    }
}

// True when the machine may have graphics hardware (a DRM device), or the
// player chose a renderer through SDL_RENDER_DRIVER.
bool Hardware_Grafik_Moeglich() {
    const char* wahl = std::getenv("SDL_RENDER_DRIVER");
    if (wahl && wahl[0]) return true;
    std::error_code fehler;
    for (const auto& e : std::filesystem::directory_iterator("/dev/dri", fehler)) {
        std::string name = e.path().filename().string();
        if (name.rfind("renderD", 0) == 0 || name.rfind("card", 0) == 0) return true;
    }
    return false;
}

// True when an OpenGL renderer runs on a software rasterizer (Mesa's
// llvmpipe and the like): it costs far more memory than SDL's own software
// renderer and is no faster for one 800x600 picture.
bool Gl_In_Software(SDL_Renderer* r) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(r, &info) != 0 || !info.name || std::strncmp(info.name, "opengl", 6) != 0) return false;
    using Gl_Get_String = const unsigned char* (*)(unsigned);
    auto gl_get_string = reinterpret_cast<Gl_Get_String>(SDL_GL_GetProcAddress("glGetString"));
    if (!gl_get_string) return false;
    const char* name = reinterpret_cast<const char*>(gl_get_string(0x1F01));  // GL_RENDERER
    return name && (std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") || std::strstr(name, "swrast") ||
                    std::strstr(name, "Software Rasterizer"));
}

const char* Umgebung_Wert(const char* name) {
    const char* w = std::getenv(name);
    return w && w[0] ? w : nullptr;
}

// Whether a display may be there; `grund` says why not. SDL is not asked
// when nothing points to one (its probes print their own noise), and its
// invisible stand-ins (offscreen, dummy) count only when chosen on purpose.
bool Anzeige_Moeglich(std::string* grund) {
    if (Umgebung_Wert("SDL_VIDEODRIVER") || Umgebung_Wert("DISPLAY") || Umgebung_Wert("WAYLAND_DISPLAY") ||
        Hardware_Grafik_Moeglich())
        return true;
    *grund = "weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt";
    return false;
}

bool Unsichtbarer_Treiber() {
    const char* t = SDL_GetCurrentVideoDriver();
    return !Umgebung_Wert("SDL_VIDEODRIVER") && t && (std::strcmp(t, "offscreen") == 0 || std::strcmp(t, "dummy") == 0);
}

SDL_Renderer* Software_Renderer() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(fenster, -1, SDL_RENDERER_SOFTWARE);
}

}  // namespace

bool W32_Init_Window() {
    headless = headless_erzwungen || Umgebung_Headless();
    fenster_aktiv = true;
    fenster_fehler.clear();
    if (!headless && !Anzeige_Moeglich(&fenster_fehler)) headless = true;
    if (!headless) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            fenster_fehler = Utf8_To_Cp1252(SDL_GetError());
            headless = true;
        } else if (Unsichtbarer_Treiber()) {
            fenster_fehler = "keine Anzeige gefunden";
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            headless = true;
        }
    }
    if (!headless) {
        fenster = SDL_CreateWindow("Kordavo", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, DISPLAY_BREITE,
                                   DISPLAY_HOEHE, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
        if (!fenster) {
            fenster_fehler = Utf8_To_Cp1252(SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            headless = true;
        } else {
            SDL_SetWindowMinimumSize(fenster, DISPLAY_BREITE / 4, DISPLAY_HOEHE / 4);
            if (!wecker_ereignis) wecker_ereignis = SDL_RegisterEvents(1);
            SDL_StartTextInput();
        }
    }
    W32_Hauptfenster = fenster ? static_cast<W32_HWND>(SDL_GetWindowID(fenster)) : 1;
    return !headless;
}

void W32_Close_Window() {
    Fenster_Display_Freigeben();
    if (fenster) {
        SDL_StopTextInput();
        SDL_DestroyWindow(fenster);
        fenster = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SDL_Quit();
    W32_Hauptfenster = 0;
}

bool W32_Ist_Headless() { return headless || !fenster; }

const std::string& W32_Fenster_Fehler() { return fenster_fehler; }

void W32_Set_Headless(bool h) {
    headless_erzwungen = h;
    if (h) headless = true;
}

bool W32_Fenster_Aktiv() { return fenster ? fenster_aktiv : true; }

void W32_Fenster_Ereignisse() {
    if (signal_erhalten) {
        signal_erhalten = 0;
        W32_Post_Quit_Message(0);
    }
    if (!fenster) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) Ereignis_Behandeln(e);
}

bool W32_Fenster_Warten(u32 ms) {
    if (!fenster) {
        if (W32_Nachrichten_Anzahl()) return true;
        SDL_Delay(ms);
        return W32_Nachrichten_Anzahl() != 0;
    }
    if (W32_Nachrichten_Anzahl()) return true;
    wartet.store(true);
    SDL_Event e;
    bool etwas = false;
    if (W32_Nachrichten_Anzahl() == 0 && SDL_WaitEventTimeout(&e, static_cast<int>(ms))) {
        Ereignis_Behandeln(e);
        etwas = true;
    }
    wartet.store(false);
    return etwas || W32_Nachrichten_Anzahl() != 0;
}

void W32_Sdl_Ereignis(const SDL_Event& e) { Ereignis_Behandeln(e); }

void W32_Signale_Abfangen() {
    std::signal(SIGINT, Signal_Behandeln);
    std::signal(SIGTERM, Signal_Behandeln);
}

// ---------------------------------------------------------------------------
// Display back end
// ---------------------------------------------------------------------------

bool Fenster_Display_Init(i32 farbtiefe) {
    if (!fenster) return false;
    Fenster_Display_Freigeben();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (Hardware_Grafik_Moeglich()) {
        renderer = SDL_CreateRenderer(fenster, -1, SDL_RENDERER_PRESENTVSYNC);
        if (!renderer) renderer = SDL_CreateRenderer(fenster, -1, 0);
        if (renderer && Gl_In_Software(renderer)) {
            SDL_DestroyRenderer(renderer);
            renderer = nullptr;
        }
    }
    if (!renderer) renderer = Software_Renderer();
    if (!renderer) return false;
    u32 format = farbtiefe == 15 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    textur = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, DISPLAY_BREITE, DISPLAY_HOEHE);
    if (!textur) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        return false;
    }
    SDL_ShowWindow(fenster);
    fenster_aktiv = true;
    return true;
}

void Fenster_Present(const u16* puffer, i32 pitch) {
    if (!renderer || !textur) return;
    SDL_UpdateTexture(textur, nullptr, puffer, pitch * static_cast<int>(sizeof(u16)));
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    Display_Rechteck r = Display_Letterbox(w, h);
    SDL_Rect ziel{r.x, r.y, r.w, r.h};
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, textur, nullptr, &ziel);
    SDL_RenderPresent(renderer);
    // Keeps the window answering the desktop while the game presents from a
    // long loading loop; the events wait for the next drain.
    SDL_PumpEvents();
}

void Fenster_Display_Freigeben() {
    if (textur) SDL_DestroyTexture(textur);
    if (renderer) SDL_DestroyRenderer(renderer);
    textur = nullptr;
    renderer = nullptr;
    if (fenster) {
        if (SDL_GetWindowFlags(fenster) & SDL_WINDOW_FULLSCREEN_DESKTOP) SDL_SetWindowFullscreen(fenster, 0);
        SDL_HideWindow(fenster);
    }
}

bool Fenster_Vollbild(bool an) {
    if (!fenster) return false;
    return SDL_SetWindowFullscreen(fenster, an ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

void Fenster_Groesse(i32* w, i32* h) {
    int fw = 0, fh = 0;
    if (fenster) SDL_GetWindowSize(fenster, &fw, &fh);
    *w = fw;
    *h = fh;
}

void* Fenster_Sdl() { return fenster; }

void W32_Fenster_Wecken() { Fenster_Wecken(); }
