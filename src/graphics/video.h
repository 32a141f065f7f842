// Videos: the game's own format "KVID" (docs/formats/kvid.md), decoded frame
// by frame into an RGB565 buffer on a clock of its own that stands still
// while the video is paused; and the table of up to 8 videos that the menus
// and screens open from animationen.res and that the display copies into the
// screen once per frame.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/tools.h"
#include "base/types.h"

struct Rastport;

// ---- The format ------------------------------------------------------------

constexpr u32 KVID_KOPF = 36;
constexpr i32 KVID_MAX_SEITE = 2048;
constexpr u32 KVID_MAX_FRAMES = 100000;

// Writes a video from whole RGB565 frames (w * h each): the first and every
// `schluessel_abstand`-th frame whole, the others as the XOR with the one
// before, each zlib-packed.
std::vector<u8> Vid_Schreiben(i32 w, i32 h, u32 fps_zaehler, u32 fps_nenner,
                              const std::vector<std::vector<u16>>& frames, u32 schluessel_abstand = 25);
// The same with the frames drawn one at a time by `bild` (frame number, the
// frame's w * h pixels to fill), so a long video never lies whole in memory.
std::vector<u8> Vid_Schreiben(i32 w, i32 h, u32 fps_zaehler, u32 fps_nenner, i32 anzahl,
                              const std::function<void(i32, std::vector<u16>&)>& bild, u32 schluessel_abstand = 25);

// The clock the videos run on, in milliseconds: the program's clock; tests
// install their own.
struct Video_Hooks {
    // The game's videos run on the program's clock (in a headless run its
    // fixed frame step), as the frame of play does.
    // default kept: the program's clock.
    u32 (*uhr)() = W32_Get_Time;
};
void Video_Set_Hooks(const Video_Hooks& h);
const Video_Hooks& Video_Get_Hooks();

struct Vid_Film;
struct Vid_Loeschen {
    void operator()(Vid_Film* f) const;
};
using Vid_Zeiger = std::unique_ptr<Vid_Film, Vid_Loeschen>;

// Opens a video from bytes, or from a file handle positioned at its first
// byte. Null with a German message for a damaged video (nothing outside the
// given bytes or the file is read). Opens at frame 1, running.
Vid_Zeiger Vid_Oeffnen(const u8* daten, size_t laenge, std::string* fehler);
Vid_Zeiger Vid_Oeffnen_Handle(W32_Handle h, std::string* fehler);
// The last two clips read from a file are kept: opened again from the same
// place with the same size, head and tail, a clip shares the bytes read
// before. This drops them (the next opening reads the file).
void Vid_Gelesene_Freigeben();
i32 Vid_Breite(const Vid_Film* f);
i32 Vid_Hoehe(const Vid_Film* f);
i32 Vid_Frames(const Vid_Film* f);
i32 Vid_Frame(const Vid_Film* f);  // current frame, 1-based
u32 Vid_Frame_Dauer_Ms(const Vid_Film* f);  // how long a frame stands, rounded up
// True when the current frame is due on the video's clock.
bool Vid_Faellig(Vid_Film* f);
// Decodes the current frame into the buffer; false (buffer kept) when damaged.
bool Vid_Dekodieren(Vid_Film* f);
// The next frame, due one frame time after this one.
void Vid_Weiter(Vid_Film* f);
// Goes to frame n (1..frames): due at once, or one frame time after the
// current one (`anschliessend`, a loop).
void Vid_Goto(Vid_Film* f, i32 n, bool anschliessend);
void Vid_Pause(Vid_Film* f, bool an);
const u16* Vid_Pixel(const Vid_Film* f);
// Copies the decoded frame into a 16-bit target at (x, y), clipped.
void Vid_Kopieren(const Vid_Film* f, u16* ziel, i32 pitch, i32 hoehe, i32 x, i32 y);

// ---- The table of videos -----------------------------------------------------

constexpr i32 BNK_VIDEOS = 8;
constexpr u32 BNK_AUS_CONTAINER = 0x804000;  // the source is a container entry

struct Bnk_Video {
    i32 nummer = -1;  // slot 0..7, -1 free
    const char* info = nullptr;
    W32_Handle quelle = -1;  // the container handle
    u32 flags = 0;
    Vid_Zeiger film;
    bool eigene_bitmap = false;
    u32 schleifen = 0;  // plays, 0 endless
    u32 schleifen_gespielt = 1;
    i32 x = 0, y = 0, breite = 0, hoehe = 0;
    i32 neustart_frame = 1;
    Rastport* bitmap = nullptr;
    bool laeuft = false;
    bool pausiert = true;
    bool stop_am_ende = true;
    i32 eintrag = -1;  // the video's number in its container (for the draw trace)
};

bool Bink_InitBink(i32 wert1, i32 wert2, i32 wert3, void* sound, i32 farbtiefe);
Bnk_Video* Bnk_InitV(i32 nummer, const char* container, u32 schleifen, i32 start_frame, i32 x, i32 y, u32 flags,
                     const char* info, bool eigene_bitmap);
// The container's handle positioned at entry `nummer`, or -1.
W32_Handle Bink_OpenResource(const char* container, i32 nummer);
void Bnk_RelV(Bnk_Video* v);
void Bnk_Alle_Freigeben();
void Bnk_PauseV(Bnk_Video* v, i32 pause);
void Bnk_Pause_Alle(i32 pause);
void Bnk_StopV(Bnk_Video* v);
void Bnk_FrameV(Bnk_Video* v, u16* pixel, i32 pitch, i32 hoehe);
void Bnk_Frame_Alle(u16* pixel, i32 pitch, i32 hoehe);
i32 Bnk_GotoV(Bnk_Video* v, i32 frame);
i32 Bnk_Get_FrameV(const Bnk_Video* v);
bool Bnk_LaeuftV(const Bnk_Video* v);

// Platform hooks: the display's set-up and the overlay before presenting.
void Video_Init_Hook(u16* pixel, i32 breite, i32 hoehe, i32 farbtiefe);
void Video_Overlay_Hook(u16* pixel, i32 pitch, i32 hoehe);
