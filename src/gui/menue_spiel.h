// The menu engine's part of the frame of play: the end-of-turn button's grey
// state, the screen a manager used last, starting screens, halting a running
// match for the line-up, a network client's refresh and the videos the menu
// lets go at a safe point of the frame.
#pragma once

#include "base/types.h"

struct Screen_Icon;
struct Bnk_Video;

// Calls upward into the screens (the defaults: no in-match line-up screen).
struct Menue_Spiel_Hooks {
    // Hands a team to the in-match line-up screen; its answer (the club it
    // shows, -1 none).
    i32 (*im_spiel_team)(i32 team) = [](i32) { return -1; };
    // Opens the in-match line-up screen.
    void (*im_spiel_aufstellung)() = [] {};
};
void Menue_Spiel_Set_Hooks(const Menue_Spiel_Hooks& h);

// The end-of-turn button 707 greyed (on) or not; kept for the next main menu.
void Menue_Set_Icon707_Status(bool an);
bool Menue_Get_Icon707_Status();

// The launch entry a manager chose last (button 0..3, entry 0..5), kept in
// the manager's record (setting 307). False (0, 0) for a team without a
// manager or a stored choice out of range.
bool Menue_Letzte_Wahl(i32 team, i32* knopf, i32* eintrag);
void Menue_Letzte_Wahl_Setzen(i32 team, i32 knopf, i32 eintrag);
// Starts a screen: sound effects stop, the saved menu byte becomes 0, the
// procedure runs.
void Menue_Starte_Screen(void (*prozedur)());

// Forces the match pause, presses the pause button 717 and opens the in-match
// line-up (pressing 721) unless it is pressed already.
void Menue_Spiel_Anhalten();
// Hands the team to the in-match line-up screen (the caller, an icon or a
// pitch record, is not used) and returns the screen's answer.
i32 Menue_Spiel_Team_Waehlen(const void* quelle, i32 team);
// On a network client: fetches players and teams again from the server.
// True when nothing had to be fetched or both fetches succeeded.
bool Menue_Client_Aktualisieren();

// Queues a video for release by the next Menue_Tick (5 places; when all are
// taken the video is released at once). A video queued twice is kept once.
void Menue_Video_Freigabe_Vormerken(Bnk_Video* video);
// Releases the queued videos (Menue_Tick calls it before drawing).
void Menue_Videos_Vorgemerkt_Freigeben();
// Forgets the queue and releases every video slot but the main menu's clip,
// which is turned off (it rests for the next turn).
void Menue_Videos_Stoppen();

// A click procedure that does nothing (for icons that only show).
void Menue_Leer(Screen_Icon* icon, u32 ereignis);
