// Fuzz target: the input script's reader on arbitrary text. A script that
// is read must hold only sound commands in line order; a script that is
// refused must leave the previous one in force with a message naming its
// line. Read scripts are then run for a few frames (without screenshots,
// which would write files) against the input state and the message queue.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/input.h"
#include "platform/messages.h"
#include "platform/script.h"

namespace {

constexpr std::string_view VORHER = "move 1 2\nquit\n";

bool Ist_Vorher(const Eingabe_Skript& s) {
    const auto& b = s.Befehle();
    return b.size() == 2 && b[0].art == Skript_Art::Bewegen && b[0].b == 1 && b[0].c == 2 &&
           b[1].art == Skript_Art::Beenden;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    u32 schritt = size ? data[0] : 20;  // 0 counts as 1 ms

    Eingabe_Skript s;
    std::string fehler;
    if (!s.Parsen(VORHER, 20, &fehler)) std::abort();
    if (!s.Parsen(text, schritt, &fehler)) {
        if (!Ist_Vorher(s) || fehler.rfind("Eingabeskript, Zeile ", 0) != 0) std::abort();
        return 0;
    }

    // Lines: at most one more than there are line ends, never decreasing.
    size_t zeilen = 1;
    for (char c : text) zeilen += c == '\n';
    i32 letzte = 0;
    bool screenshot = false;
    for (const Skript_Befehl& b : s.Befehle()) {
        if (b.zeile <= letzte || static_cast<size_t>(b.zeile) > zeilen) std::abort();
        letzte = b.zeile;
        if (b.art == Skript_Art::Warten && b.a < 0) std::abort();
        if ((b.art == Skript_Art::Druecken || b.art == Skript_Art::Loslassen || b.art == Skript_Art::Klick) &&
            b.a != static_cast<i32>(MAUS_LINKS) && b.a != static_cast<i32>(MAUS_RECHTS))
            std::abort();
        if ((b.art == Skript_Art::Taste || b.art == Skript_Art::Taste_Runter || b.art == Skript_Art::Taste_Hoch) &&
            (b.a <= 0 || b.a > 255))
            std::abort();
        if (b.art == Skript_Art::Screenshot) screenshot = true;
    }
    if (screenshot) return 0;

    Eingabe_Zuruecksetzen();
    W32_Nachrichten_Leeren();
    for (u32 frame = 0; frame < 64 && !s.Zu_Ende(); frame++) {
        s.Schritt(frame);
        Eingabe_Frame_Abtasten();
        Maus_Update();
        if (Maus_Get_X() < 0 || Maus_Get_X() > 799 || Maus_Get_Y() < 0 || Maus_Get_Y() > 599) std::abort();
        Maus_Get_Tasten();
        Taste_Get_Zeichen();
        Taste_Reset();
    }
    W32_Nachrichten_Leeren();
    return 0;
}
