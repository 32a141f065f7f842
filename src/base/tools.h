// Small helpers used everywhere, and the millisecond clock.
#pragma once

#include <cstddef>

#include "base/types.h"

struct Font;  // a loaded font (graphics layer)

// The value when low <= value <= high; otherwise the default, or the bound
// that was crossed when the default is -1.
i32 Tools_Clamp(i32 wert, i32 low, i32 high, i32 vorgabe);
// a / b * 100, rounded (halves away from zero); 0 when b is 0.
i32 Tools_Prozent(i32 a, i32 b);
// The nearest whole number, halves away from zero (clamped to the i32 range).
i32 Tools_Runden(f64 wert);
// A number with `stellen` decimals and a decimal comma ("4,5"), in a
// temporary string.
const char* Tools_Komma_Zahl(f64 wert, i32 stellen);
// |a - b| (clamped to the i32 range).
i32 Tools_Abs_Diff(i32 a, i32 b);
// The distance sqrt(dx*dx + dy*dy), truncated; exact integer arithmetic.
i32 Tools_Abstand(i32 dx, i32 dy);

// Copies at most n characters and terminates: `ziel` must hold n + 1 bytes.
// A null source gives "". Returns ziel.
char* Tools_Strncpy(char* ziel, const char* quelle, i32 n);
// A temporary string of blanks that pads `text` to `laenge` characters
// ("" when the text is as long or longer; at most 799 blanks).
char* Tools_Leerzeichen(const char* text, i32 laenge);
// True when the text is a dotted four-part address ("192.168.0.1", each part
// 0..255, blanks around it allowed); only then are the four numbers written.
bool Tools_IP_Parsen(const char* text, i32 aus[4]);

// Copies a block that may overlap.
void Tools_Memcpy(void* ziel, const void* quelle, size_t groesse);
// Fills `anzahl` 32-bit words with the value.
void Tools_Memset32(void* feld, u32 wert, size_t anzahl);
// Swaps two 32-bit values.
void Tools_Swap(u32* a, u32* b);
void Tools_Swap(i32* a, i32* b);
// Index of the first entry equal to the value, -1 when absent.
i32 Tools_Array_Find(const u32* feld, i32 anzahl, u32 wert);
i32 Tools_Array_Find(const i32* feld, i32 anzahl, i32 wert);

// Six timer slots (0..5; other slot numbers are clamped into that range).
constexpr int TOOLS_TIMER_ANZAHL = 6;
void Tools_Timer_Start(i32 slot);
// Milliseconds since that slot was started.
u32 Tools_Timer_Dauer(i32 slot);

// Requests the end of the program: calls the network hook (a client tells the
// server that it leaves and the connections are closed), then moves the quit
// state from 0 to 1. Returns the quit state it found. The reason is logged.
u32 Tools_Programm_Beenden(const char* grund, i32 unbenutzt);

// Font tools; the graphics layer provides them through Tools_Hooks.
// Without hooks Tools_Get_Font gives null and Tools_Text_Kuerzen copies the
// text unchanged and returns 0.
Font* Tools_Get_Font(i32 nummer);
// Copies the text into `ausgabe` (when not null) and cuts characters off its
// end until its width in the font is at most `breite`; returns the width.
i32 Tools_Text_Kuerzen(const char* text, char* ausgabe, Font* font, i32 breite);

// Without fonts: copies the text (when `ausgabe` is not null) and gives 0.
i32 Tools_Text_Kopieren(const char* text, char* ausgabe, Font* font, i32 breite);

// Upward calls of the tools. Every entry is a function; the defaults do
// nothing (no font; the text copied uncut).
struct Tools_Hooks {
    void (*programm_beenden)() = [] {};  // network: leave the game, close connections
    Font* (*get_font)(i32 nummer) = [](i32) -> Font* { return nullptr; };
    i32 (*text_kuerzen)(const char* text, char* ausgabe, Font* font, i32 breite) = Tools_Text_Kopieren;
};
// Installs the whole table (src/main at start-up; entries left out of a
// designated initialiser keep their defaults).
void Tools_Set_Hooks(const Tools_Hooks& hooks);
// Back to the do-nothing defaults (tests).
void Tools_Hooks_Zuruecksetzen();

// The millisecond clock: monotonic, starts near 0 at program start, wraps
// after 49 days like every u32 millisecond counter.
u32 W32_Get_Time();
// The real monotonic clock the program's clock follows by default.
u32 Uhr_Monoton();
// Fixed steps (a headless run): the clock stands at `start` and moves only
// by W32_Uhr_Vor; switched off it follows its source again. A source
// installed later (Uhr_Set_Hooks) ends them: the later one counts.
void W32_Uhr_Fest(bool an, u32 start = 1000);
void W32_Uhr_Vor(u32 ms);

// The clock's source, a test seam.
struct Uhr_Hooks {
    // default kept: the real monotonic clock (tests install their own).
    u32 (*jetzt)() = Uhr_Monoton;
};
void Uhr_Set_Hooks(const Uhr_Hooks& hooks);
