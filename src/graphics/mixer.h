// The game's own sound mixer over SDL2 audio: 64 channels that play samples
// (PCM held in memory, one-shot or looping) with volume and pan, mixed into
// signed 16-bit stereo with 32-bit accumulation and clipping.
//
// Samples are numbered handles (1..), channels 0..63. Everything the audio
// callback reads is changed only under the device lock, so the main thread
// may call every function at any time. Without a device (no sound card, the
// headless runs, tests) the mixer still works: Mixer_Mischen renders by hand.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

constexpr i32 MIXER_KANAELE = 64;
constexpr i32 MIXER_RATE = 22050;
constexpr i32 MIXER_PAN_STEREO = -1;  // a stereo source unpanned at full level

// A decoded sound: interleaved signed 16-bit PCM.
struct Ton_Pcm {
    std::vector<i16> pcm;
    i32 kanaele = 1;  // 1 or 2
    u32 rate = MIXER_RATE;
    size_t frames() const { return pcm.size() / static_cast<size_t>(kanaele); }
};

// Reads a RIFF WAVE file in memory (PCM, 8 or 16 bit, mono or stereo,
// 4,000..96,000 Hz). False with a German message in *fehler for anything
// else or a damaged file; nothing is read outside the given bytes.
bool Ton_Wav_Lesen(const u8* daten, size_t laenge, Ton_Pcm& aus, std::string* fehler);

// Starts the mixer. With `geraet` it opens SDL's default audio device
// (22,050 Hz wanted, stereo S16, 1,024 frames); false when none opens, and
// the mixer stays off. Without `geraet` it runs at MIXER_RATE and is driven
// by Mixer_Mischen alone.
bool Mixer_Start(bool geraet);
void Mixer_Ende();  // stops every channel, frees every sample, closes the device
i32 Mixer_Rate();

// A sample from a complete WAV file in memory; 0 when refused (message in
// the debug trace) or when the mixer is off.
u32 Mixer_Sample_Laden(const u8* daten, size_t laenge);
void Mixer_Sample_Loop(u32 sample, bool loop);
// Stops the channels that play it, then frees it.
void Mixer_Sample_Freigeben(u32 sample);

// Plays a sample on the first free channel at volume 255, pan centre;
// the channel or -1.
i32 Mixer_Spielen(u32 sample);
void Mixer_Stop(i32 kanal);
bool Mixer_Lautstaerke(i32 kanal, i32 v);  // 0..255, false for a bad channel
bool Mixer_Pan(i32 kanal, i32 pan);        // 0 left, 128 centre, 255 right, or MIXER_PAN_STEREO
void Mixer_Pause(i32 kanal, bool an);
// True while the channel has a sample that has not ended (paused counts).
bool Mixer_Kanal_Aktiv(i32 kanal);

// Mixes `frames` stereo frames into `aus` (what the device callback does).
void Mixer_Mischen(i16* aus, i32 frames);
