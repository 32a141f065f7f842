// The main thread's message queue (see messages.h).
#include "platform/messages.h"

#include <mutex>

#include "base/globals.h"
#include "platform/hooks.h"
#include "platform/window.h"

W32_HWND W32_Hauptfenster = 0;

namespace {

std::mutex nachrichten_sperre;
W32_Nachricht nachrichten_ring[W32_NACHRICHTEN_MAX];
u32 nachrichten_anfang = 0;  // index of the oldest message
u32 nachrichten_anzahl = 0;

}  // namespace

bool W32_Post_Message(W32_HWND fenster, u32 nachricht, uintptr_t wparam, intptr_t lparam) {
    {
        std::lock_guard<std::mutex> sperre(nachrichten_sperre);
        if (nachrichten_anzahl >= W32_NACHRICHTEN_MAX) return false;
        u32 i = (nachrichten_anfang + nachrichten_anzahl) % W32_NACHRICHTEN_MAX;
        nachrichten_ring[i] = W32_Nachricht{fenster, nachricht, wparam, lparam};
        nachrichten_anzahl++;
    }
    // A waiting event loop of the window wakes up (nothing without one).
    W32_Fenster_Wecken();
    return true;
}

void W32_Post_Quit_Message(i32 code) { W32_Post_Message(W32_Hauptfenster, WM_QUIT, static_cast<uintptr_t>(code), 0); }

bool W32_Peek_Message(W32_Nachricht* aus) {
    std::lock_guard<std::mutex> sperre(nachrichten_sperre);
    if (nachrichten_anzahl == 0) return false;
    if (aus) *aus = nachrichten_ring[nachrichten_anfang];
    nachrichten_anfang = (nachrichten_anfang + 1) % W32_NACHRICHTEN_MAX;
    nachrichten_anzahl--;
    return true;
}

u32 W32_Nachrichten_Anzahl() {
    std::lock_guard<std::mutex> sperre(nachrichten_sperre);
    return nachrichten_anzahl;
}

void W32_Nachrichten_Leeren() {
    std::lock_guard<std::mutex> sperre(nachrichten_sperre);
    nachrichten_anfang = 0;
    nachrichten_anzahl = 0;
}

intptr_t W32_WindowProc(W32_HWND fenster, u32 nachricht, uintptr_t wparam, intptr_t lparam) {
    if (nachricht == WM_SOCKET) {
        Main_Hooks.Socket_Event(wparam, static_cast<u32>(lparam) & 0xFFFFu);
        return 0;
    }
    return 0;
}

u32 W32_Nachrichten_Abarbeiten(u32 max) {
    u32 n = 0;
    W32_Nachricht m;
    while (n < max && W32_Peek_Message(&m)) {
        n++;
        if (m.nachricht == WM_QUIT) {
            if (Quit_Status == QUIT_STATUS_LAEUFT && !Main_Hooks.Beenden_Fragen()) Quit_Status = QUIT_STATUS_ANGEFORDERT;
            continue;
        }
        W32_WindowProc(m.fenster, m.nachricht, m.wparam, m.lparam);
    }
    return n;
}
