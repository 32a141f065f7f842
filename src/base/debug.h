// The developer debug log. Lines are formatted and dropped unless the
// environment variable KORDAVO_DEBUG is set (then they go to stderr,
// converted to UTF-8) or a capture is installed (tests).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

// Level flags of Debug_Out (informational only).
constexpr u32 DEBUG_INFO = 0x01;
constexpr u32 DEBUG_FEHLER = 0x02;
constexpr u32 DEBUG_MELDUNG = 0x04;

void Debug_Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Debug_Out(u32 level, const char* format, ...) __attribute__((format(printf, 2, 3)));
// True when a line would go anywhere (lets callers skip expensive work).
bool Debug_Aktiv();

// Capture hook: receives every line (CP1252, as formatted).
using Debug_Capture_Fn = void (*)(u32 level, const char* zeile, void* user);
void Debug_Set_Capture(Debug_Capture_Fn fn, void* user);

// Collects the debug lines while it lives (tests):
//   Debug_Mitschnitt log;  ...;  EXPECT_TRUE(log.Enthaelt("Falscher Parameter!"));
class Debug_Mitschnitt {
  public:
    Debug_Mitschnitt();
    ~Debug_Mitschnitt();
    Debug_Mitschnitt(const Debug_Mitschnitt&) = delete;
    Debug_Mitschnitt& operator=(const Debug_Mitschnitt&) = delete;

    // True when some line contains the text.
    bool Enthaelt(std::string_view text) const;
    // Number of lines containing the text.
    int Anzahl(std::string_view text) const;
    const std::vector<std::string>& Zeilen() const { return zeilen_; }
    void Leeren() { zeilen_.clear(); }

  private:
    static void Aufnehmen(u32 level, const char* zeile, void* user);
    std::vector<std::string> zeilen_;
    Debug_Capture_Fn alt_fn_;
    void* alt_user_;
};
