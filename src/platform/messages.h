// The window message queue of the main thread.
//
// Everything that the main loop reacts to outside the frame arrives here as
// a message: the quit message and the socket events that the network layer
// posts (WM_USER + 1, the socket in wParam, the event bits in the low 16 bits
// of lParam). Posting is allowed from any thread; the queue is a fixed ring
// (no allocation), and a full queue refuses the message.
#pragma once

#include <cstdint>

#include "base/types.h"

// The main window's handle. It is 0 until the window (or, without a
// display, its stand-in) exists; every socket's event selection names it.
using W32_HWND = uintptr_t;
extern W32_HWND W32_Hauptfenster;

constexpr u32 WM_QUIT = 0x0012;
constexpr u32 WM_USER = 0x0400;
constexpr u32 WM_SOCKET = WM_USER + 1;  // 1025: a socket event

// Capacity of the queue.
constexpr u32 W32_NACHRICHTEN_MAX = 4096;

struct W32_Nachricht {
    W32_HWND fenster;
    u32 nachricht;
    uintptr_t wparam;
    intptr_t lparam;
};

// Appends a message (thread-safe); false when the queue is full. Wakes a
// main loop that is waiting for events.
bool W32_Post_Message(W32_HWND fenster, u32 nachricht, uintptr_t wparam, intptr_t lparam);
// Posts WM_QUIT.
void W32_Post_Quit_Message(i32 code);
// Takes the oldest message; false when none is waiting.
bool W32_Peek_Message(W32_Nachricht* aus);
// Number of waiting messages.
u32 W32_Nachrichten_Anzahl();
// Drops every waiting message.
void W32_Nachrichten_Leeren();

// The window procedure: message 1025 (WM_USER + 1) calls the socket hook with
// wParam (the socket) and the low 16 bits of lParam (the event bits) and
// returns 0; other messages are ignored (0).
intptr_t W32_WindowProc(W32_HWND fenster, u32 nachricht, uintptr_t wparam, intptr_t lparam);

// Drains the queue as the main loop does: WM_QUIT moves the quit state from
// 0 to 1, every other message goes to W32_WindowProc. At most `max`
// messages are handled in one call (messages posted while draining wait for
// the next pass once that many have been handled). Returns the number handled.
u32 W32_Nachrichten_Abarbeiten(u32 max = W32_NACHRICHTEN_MAX);

