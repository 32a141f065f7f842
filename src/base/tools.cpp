#include "base/tools.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <utility>

#include "base/debug.h"
#include "base/globals.h"
#include "base/tempstr.h"

namespace {

Tools_Hooks g_hooks;
Uhr_Hooks g_uhr;
bool g_uhr_fest = false;
u32 g_uhr_stand = 0;
u32 g_timer[TOOLS_TIMER_ANZAHL];

i32 Begrenzen(i64 v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<i32>(v);
}

}  // namespace

u32 Uhr_Monoton() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return static_cast<u32>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

i32 Tools_Clamp(i32 wert, i32 low, i32 high, i32 vorgabe) {
    if (wert >= low && wert <= high) return wert;
    if (vorgabe != -1) return vorgabe;
    return wert < low ? low : high;
}

i32 Tools_Prozent(i32 a, i32 b) {
    if (b == 0) return 0;
    const i64 z = static_cast<i64>(a) * 100;
    const i64 n = b;
    // Round half away from zero in exact integer arithmetic.
    const bool negativ = (z < 0) != (n < 0);
    const u64 az = static_cast<u64>(z < 0 ? -z : z);
    const u64 an = static_cast<u64>(n < 0 ? -n : n);
    const i64 q = static_cast<i64>((2 * az + an) / (2 * an));
    return Begrenzen(negativ ? -q : q);
}

const char* Tools_Komma_Zahl(f64 wert, i32 stellen) {
    char* t = Temp_Sprintf("%.*f", std::clamp(stellen, 0, 6), wert);
    if (char* p = std::strchr(t, '.')) *p = ',';
    return t;
}

i32 Tools_Runden(f64 wert) {
    if (std::isnan(wert)) return 0;
    const f64 r = std::round(wert);  // halves away from zero
    if (r >= 2147483647.0) return INT32_MAX;
    if (r <= -2147483648.0) return INT32_MIN;
    return static_cast<i32>(r);
}

i32 Tools_Abs_Diff(i32 a, i32 b) {
    const i64 d = static_cast<i64>(a) - b;
    return Begrenzen(d < 0 ? -d : d);
}

i32 Tools_Abstand(i32 dx, i32 dy) {
    const u64 q = static_cast<u64>(static_cast<i64>(dx) * dx) + static_cast<u64>(static_cast<i64>(dy) * dy);
    // Integer square root: start from the floating estimate, then correct.
    u64 r = static_cast<u64>(std::sqrt(static_cast<f64>(q)));
    while (r > 0 && r * r > q) --r;
    while ((r + 1) * (r + 1) <= q) ++r;
    return Begrenzen(static_cast<i64>(r));
}

char* Tools_Strncpy(char* ziel, const char* quelle, i32 n) {
    if (ziel == nullptr) return ziel;
    if (n < 0) n = 0;
    i32 i = 0;
    if (quelle != nullptr)
        for (; i < n && quelle[i] != '\0'; ++i) ziel[i] = quelle[i];
    ziel[i] = '\0';
    return ziel;
}

char* Tools_Leerzeichen(const char* text, i32 laenge) {
    char* p = Temp_String();
    const i64 vorhanden = text != nullptr ? static_cast<i64>(std::strlen(text)) : 0;
    i64 n = static_cast<i64>(laenge) - vorhanden;
    if (n < 0) n = 0;
    if (n > TEMP_STRING_GROESSE - 1) n = TEMP_STRING_GROESSE - 1;
    std::memset(p, ' ', static_cast<size_t>(n));
    p[n] = '\0';
    return p;
}

bool Tools_IP_Parsen(const char* text, i32 aus[4]) {
    if (text == nullptr || aus == nullptr) return false;
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    i32 teile[4];
    for (int k = 0; k < 4; ++k) {
        if (k > 0) {
            if (*p != '.') return false;
            ++p;
        }
        if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
        i32 v = 0;
        int ziffern = 0;
        while (std::isdigit(static_cast<unsigned char>(*p))) {
            v = v * 10 + (*p - '0');
            ++p;
            if (++ziffern > 3) return false;
        }
        if (v > 255) return false;
        teile[k] = v;
    }
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
    if (*p != '\0') return false;
    for (int k = 0; k < 4; ++k) aus[k] = teile[k];
    return true;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Tools_Memcpy(void* ziel, const void* quelle, size_t groesse) {
    if (groesse == 0 || ziel == nullptr || quelle == nullptr) return;
    std::memmove(ziel, quelle, groesse);
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Tools_Memset32(void* feld, u32 wert, size_t anzahl) {
    if (feld == nullptr) return;
    u8* p = static_cast<u8*>(feld);
    for (size_t i = 0; i < anzahl; ++i) std::memcpy(p + 4 * i, &wert, 4);
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Tools_Swap(u32* a, u32* b) { std::swap(*a, *b); }
void Tools_Swap(i32* a, i32* b) { std::swap(*a, *b); }

i32 Tools_Array_Find(const u32* feld, i32 anzahl, u32 wert) {
    if (feld == nullptr) return -1;
    for (i32 i = 0; i < anzahl; ++i)
        if (feld[i] == wert) return i;
    return -1;
}

i32 Tools_Array_Find(const i32* feld, i32 anzahl, i32 wert) {
    return Tools_Array_Find(reinterpret_cast<const u32*>(feld), anzahl, static_cast<u32>(wert));
}

void Tools_Timer_Start(i32 slot) { g_timer[Tools_Clamp(slot, 0, TOOLS_TIMER_ANZAHL - 1, -1)] = W32_Get_Time(); }

u32 Tools_Timer_Dauer(i32 slot) { return W32_Get_Time() - g_timer[Tools_Clamp(slot, 0, TOOLS_TIMER_ANZAHL - 1, -1)]; }

u32 Tools_Programm_Beenden(const char* grund, i32 /*unbenutzt*/) {
    const u32 alt = Quit_Status;
    Debug_Printf("Tools_Programm_Beenden: %s", grund != nullptr ? grund : "");
    g_hooks.programm_beenden();
    if (Quit_Status == QUIT_STATUS_LAEUFT) Quit_Status = QUIT_STATUS_ANGEFORDERT;
    return alt;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
Font* Tools_Get_Font(i32 nummer) { return g_hooks.get_font(nummer); }

i32 Tools_Text_Kopieren(const char* text, char* ausgabe, Font*, i32) {
    if (ausgabe != nullptr && text != nullptr && ausgabe != text) std::strcpy(ausgabe, text);
    return 0;
}

i32 Tools_Text_Kuerzen(const char* text, char* ausgabe, Font* font, i32 breite) {
    return g_hooks.text_kuerzen(text, ausgabe, font, breite);
}

void Tools_Set_Hooks(const Tools_Hooks& hooks) { g_hooks = hooks; }

u32 W32_Get_Time() { return g_uhr_fest ? g_uhr_stand : g_uhr.jetzt(); }

void W32_Uhr_Fest(bool an, u32 start) {
    g_uhr_fest = an;
    g_uhr_stand = start;
}

void W32_Uhr_Vor(u32 ms) { g_uhr_stand += ms; }

// A source installed takes over from fixed steps, as fixed steps switched
// on take over from a source: the later one counts.
void Uhr_Set_Hooks(const Uhr_Hooks& hooks) {
    g_uhr = hooks;
    g_uhr_fest = false;
}

void Tools_Hooks_Zuruecksetzen() { g_hooks = Tools_Hooks{}; }
