#include "base/tempstr.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace {
char g_puffer[TEMP_STRING_ANZAHL][TEMP_STRING_GROESSE];
std::atomic<u32> g_naechster{0};

// The index runs 0..99 and wraps, so every buffer is handed out exactly once
// in every 100 calls.
char* Temp_Naechster() {
    u32 alt = g_naechster.load(std::memory_order_relaxed);
    while (!g_naechster.compare_exchange_weak(alt, (alt + 1) % TEMP_STRING_ANZAHL, std::memory_order_relaxed)) {
    }
    return g_puffer[alt];
}
}  // namespace

char* Temp_String() {
    char* p = Temp_Naechster();
    p[0] = '\0';
    return p;
}

char* Temp_Sprintf(const char* format, ...) {
    char* p = Temp_Naechster();
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(p, TEMP_STRING_GROESSE, format, args);
    va_end(args);
    if (n < 0) p[0] = '\0';
    return p;
}
