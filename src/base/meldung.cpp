#include "base/meldung.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "base/cp1252.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/tempstr.h"

namespace {

Meldung_Hooks g_hooks;

// Formats a message into a temporary string and notes it in the debug log.
char* Formatieren(const char* format, va_list args) {
    char* text = Temp_String();
    if (std::vsnprintf(text, TEMP_STRING_GROESSE, format, args) < 0) text[0] = '\0';
    Debug_Out(DEBUG_MELDUNG, "Meldung: %s", text);
    return text;
}

}  // namespace

void Meldung_Auf_Stderr(const char* text) {
    std::string zeile = "Meldung: " + Cp1252_To_Utf8(text);
    if (zeile.back() != '\n') zeile += '\n';
    std::fwrite(zeile.data(), 1, zeile.size(), stderr);
}

void Meldung_Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const char* text = Formatieren(format, args);
    va_end(args);
    g_hooks.zeigen(text);
}

void Meldung_Manager_Printf(i32 art, i32 team, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const char* text = Formatieren(format, args);
    va_end(args);
    g_hooks.manager_zeigen(art, team, text);
}

bool Meldung_Beenden() {
    const bool ja = g_hooks.beenden_fragen();
    if (ja && Quit_Status == QUIT_STATUS_LAEUFT) Quit_Status = QUIT_STATUS_ANGEFORDERT;
    return ja;
}

void Meldung_Set_Hooks(const Meldung_Hooks& hooks) { g_hooks = hooks; }

void Meldung_Hooks_Zuruecksetzen() { g_hooks = Meldung_Hooks{}; }
