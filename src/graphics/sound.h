// Sound slots, the menu effect player and the background music, on the
// game's own mixer (graphics/mixer.h).
//
// Slot layer: 64 slots that hold a sample loaded from memory (kind 2001) or
// a looping stream opened from a file (kind 2002). Effect player: 10
// channels playing entries of menue_sound.res; every effect ducks the music,
// an exclusive one loops with the music silenced until the effects are
// stopped. Music: "background.wav" of the working folder, faded in and out
// by Backsound_Update every 500 ms. Main thread only.
#pragma once

#include <vector>

#include "base/types.h"

constexpr u32 SOUND_SAMPLE = 2001;
constexpr u32 SOUND_STREAM = 2002;
constexpr i32 SOUND_SLOTS = 64;
constexpr i32 SOUND_EFFEKT_KANAELE = 10;

struct Sound_Slot {
    u32 art;  // SOUND_SAMPLE, SOUND_STREAM, 0 none
    u8 belegt;
    u8 pausiert;  // paused by a window deactivation
    u8 loop;
    u8 frei_;
    u32 sample;  // mixer sample handle (both kinds: a stream is a looping sample)
    u32 stream;  // the same handle for a stream, 0 for a sample
    u32 kanal;   // mixer channel, u32(-1) none
    u8 lautstaerke;
    u8 pan;
    u8 frei2_[2];
};
static_assert(sizeof(Sound_Slot) == 24, "a sound slot is 24 bytes");

// What the sound layer asks of the layers above (the option block lives in
// the season): the music (option 42) and effects (option 43) switches.
// Where effect sounds come from: entry n of menue_sound.res (the default of
// Sound_Hooks.effekt_quelle; tests install their own).
bool Sound_Effekt_Aus_Archiv(i32 nummer, std::vector<u8>& blob);
struct Sound_Hooks {
    bool (*musik_an)() = [] { return true; };
    bool (*effekte_an)() = [] { return true; };
    // Every effect of the game is an entry of its sound archive; tests hand
    // in their own samples.
    // default kept: the sound archive.
    bool (*effekt_quelle)(i32 nummer, std::vector<u8>& blob) = Sound_Effekt_Aus_Archiv;
};
void Sound_Set_Hooks(const Sound_Hooks& h);
const Sound_Hooks& Sound_Get_Hooks();

// Slot layer.
bool Sound_Init();        // opens the audio device; false: sound stays off
bool Sound_Init_Stumm();  // the mixer without a device (tests, benchmarks)
bool Sound_An();
void Sound_Close();
i32 Sound_Clamp_255(i32 v);
Sound_Slot* Sound_Slot_Neu();
i32 Sound_Slot_Leeren(Sound_Slot* s);
Sound_Slot* Sound_Lade_Sample(const u8* daten, u32 laenge);
Sound_Slot* Sound_Play_Sample(Sound_Slot* s, i32 lautstaerke, i32 pan, bool loop);
Sound_Slot* Sound_Stop_Sample(Sound_Slot* s);
void Sound_Free_Sample(Sound_Slot* s);
Sound_Slot* Sound_Set_Lautstaerke(Sound_Slot* s, i32 v);
Sound_Slot* Sound_Set_Pan(Sound_Slot* s, i32 pan);
Sound_Slot* Sound_Stream_Oeffnen(const char* datei, i32 lautstaerke, i32 pan);
Sound_Slot* Sound_Stream_Pause(Sound_Slot* s);
Sound_Slot* Sound_Stream_Weiter(Sound_Slot* s);
void Sound_Stream_Schliessen(Sound_Slot* s);
void Sound_Pause_All();
void Sound_Resume_All();
void Sound_Free_All();
bool Sound_Laeuft(const Sound_Slot* s);  // the sample still sounds

// Effect player.
i32 Sound_Effekt_Play(i32 nummer, bool exklusiv);
void Sound_Effekt_Stop(i32 kanal);
void Sound_Effekt_Stop_All();
i32 Sound_Effekt_Solo(i32 nummer, bool exklusiv);
i32 Sound_Effekt_Solo_Lautstaerke(i32 nummer, bool exklusiv, i32 lautstaerke);
i32 Sound_Effekt_Lautstaerke();
bool Sound_Effekt_Exklusiv();

// Background music.
constexpr i32 BACKSOUND_MAX = 160;
void Backsound_Start();
void Backsound_Stop();
void Backsound_Anhalten();
void Backsound_Weiter();
void Backsound_Set_Lautstaerke(i32 v);
void Backsound_Pause(i32 an);
void Backsound_Update();
i32 Backsound_Lautstaerke();
i32 Backsound_Zustand();  // 0 off, 1 playing, 2 paused
const Sound_Slot* Backsound_Slot();

// Shutdown at the end of a game and of the program: effects, music, mixer.
void Sound_Alles_Freigeben();
