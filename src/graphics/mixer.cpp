#include "graphics/mixer.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/debug.h"

namespace {

// While the audio device is looked for, the sound libraries under SDL
// (ALSA above all) write their own complaints to stderr, eight lines and
// more on a machine without a sound card. They go to nowhere for that
// moment; what went wrong is in SDL's error text, which the debug file gets.
struct Stille_Fehlerausgabe {
    int alt = -1;
    Stille_Fehlerausgabe() {
        std::fflush(stderr);
        const int leer = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (leer < 0) return;
        alt = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (alt >= 0 && dup2(leer, STDERR_FILENO) < 0) close(alt), alt = -1;
        close(leer);
    }
    ~Stille_Fehlerausgabe() {
        if (alt < 0) return;
        std::fflush(stderr);
        dup2(alt, STDERR_FILENO);
        close(alt);
    }
    Stille_Fehlerausgabe(const Stille_Fehlerausgabe&) = delete;
    Stille_Fehlerausgabe& operator=(const Stille_Fehlerausgabe&) = delete;
};

u32 le32(const u8* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<u32>(p[3]) << 24); }
u16 le16(const u8* p) { return static_cast<u16>(p[0] | (p[1] << 8)); }

struct Sample {
    Ton_Pcm ton;
    bool loop = false;
};

struct Kanal {
    Sample* sample = nullptr;
    u32 handle = 0;
    u64 pos = 0;  // 32.32 fixed point, in source frames
    u64 schritt = 0;
    i32 vol = 255, pan = 128;
    bool pausiert = false;
};

struct Zustand {
    bool an = false;
    SDL_AudioDeviceID geraet = 0;
    i32 rate = MIXER_RATE;
    std::vector<std::unique_ptr<Sample>> samples;  // handle - 1
    Kanal kanal[MIXER_KANAELE];
    std::vector<i32> summe;
    // A program that ends without Mixer_Ende (a signal's orderly quit) stops
    // the device's thread before the buffers it mixes into go.
    ~Zustand() {
        if (geraet) SDL_CloseAudioDevice(geraet);
    }
};
Zustand z;

// The device lock, a no-op without a device.
struct Sperre {
    Sperre() {
        if (z.geraet) SDL_LockAudioDevice(z.geraet);
    }
    ~Sperre() {
        if (z.geraet) SDL_UnlockAudioDevice(z.geraet);
    }
};

bool kanal_gueltig(i32 k) { return k >= 0 && k < MIXER_KANAELE; }

Sample* sample_von(u32 h) {
    if (h == 0 || h > z.samples.size()) return nullptr;
    return z.samples[h - 1].get();
}

void callback(void*, Uint8* strom, int bytes) { Mixer_Mischen(reinterpret_cast<i16*>(strom), bytes / 4); }

}  // namespace

bool Ton_Wav_Lesen(const u8* d, size_t n, Ton_Pcm& aus, std::string* fehler) {
    auto nein = [&](const char* t) {
        if (fehler) *fehler = t;
        return false;
    };
    if (!d || n < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0)
        return nein("keine WAV-Datei (RIFF/WAVE fehlt)");
    size_t p = 12;
    i32 format = 0, kanaele = 0, bits = 0;
    u32 rate = 0;
    const u8* daten = nullptr;
    size_t daten_laenge = 0;
    while (p + 8 <= n) {
        const u32 groesse = le32(d + p + 4);
        const u8* inhalt = d + p + 8;
        const size_t rest = n - p - 8;
        if (groesse > rest) {
            // A data chunk cut short keeps what is there; any other is damage.
            if (std::memcmp(d + p, "data", 4) != 0) return nein("WAV-Block ragt über das Dateiende");
        }
        const size_t g = std::min<size_t>(groesse, rest);
        if (std::memcmp(d + p, "fmt ", 4) == 0) {
            if (g < 16) return nein("WAV-Formatblock zu kurz");
            format = le16(inhalt), kanaele = le16(inhalt + 2), rate = le32(inhalt + 4), bits = le16(inhalt + 14);
        } else if (std::memcmp(d + p, "data", 4) == 0) {
            daten = inhalt, daten_laenge = g;
        }
        p += 8 + g + (g & 1);
    }
    if (format != 1) return nein("WAV-Datei ist nicht PCM");
    if (kanaele != 1 && kanaele != 2) return nein("WAV-Datei hat weder einen noch zwei Kanäle");
    if (bits != 8 && bits != 16) return nein("WAV-Datei hat weder 8 noch 16 Bit");
    if (rate < 4000 || rate > 96000) return nein("WAV-Abtastrate außerhalb 4000..96000 Hz");
    if (!daten) return nein("WAV-Datei ohne Daten");
    const size_t werte = daten_laenge / static_cast<size_t>(bits / 8) / kanaele * kanaele;
    if (werte == 0) return nein("WAV-Datei ohne Daten");
    aus.kanaele = kanaele;
    aus.rate = rate;
    aus.pcm.resize(werte);
    for (size_t i = 0; i < werte; ++i)
        aus.pcm[i] = bits == 8 ? static_cast<i16>((daten[i] - 128) << 8) : static_cast<i16>(le16(daten + 2 * i));
    return true;
}

bool Mixer_Start(bool geraet) {
    if (z.an) return true;
    z.rate = MIXER_RATE;
    if (geraet) {
        Stille_Fehlerausgabe still;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            Debug_Printf("Mixer: SDL-Audio nicht verfügbar: %s\n", SDL_GetError());
            return false;
        }
        SDL_AudioSpec soll{}, ist{};
        soll.freq = MIXER_RATE;
        soll.format = AUDIO_S16SYS;
        soll.channels = 2;
        soll.samples = 1024;
        soll.callback = callback;
        z.geraet = SDL_OpenAudioDevice(nullptr, 0, &soll, &ist, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (!z.geraet) {
            Debug_Printf("Mixer: kein Audiogerät: %s\n", SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        z.rate = ist.freq;
    }
    for (Kanal& k : z.kanal) k = Kanal{};
    z.an = true;
    if (z.geraet) SDL_PauseAudioDevice(z.geraet, 0);
    return true;
}

void Mixer_Ende() {
    if (z.geraet) {
        SDL_CloseAudioDevice(z.geraet);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        z.geraet = 0;
    }
    for (Kanal& k : z.kanal) k = Kanal{};
    z.samples.clear();
    z.an = false;
}

i32 Mixer_Rate() { return z.rate; }

u32 Mixer_Sample_Laden(const u8* daten, size_t laenge) {
    if (!z.an) return 0;
    auto s = std::make_unique<Sample>();
    std::string fehler;
    if (!Ton_Wav_Lesen(daten, laenge, s->ton, &fehler)) {
        Debug_Printf("Mixer: Ton abgelehnt: %s\n", fehler.c_str());
        return 0;
    }
    Sperre sp;
    for (size_t i = 0; i < z.samples.size(); ++i)
        if (!z.samples[i]) {
            z.samples[i] = std::move(s);
            return static_cast<u32>(i + 1);
        }
    z.samples.push_back(std::move(s));
    return static_cast<u32>(z.samples.size());
}

void Mixer_Sample_Loop(u32 h, bool loop) {
    Sperre sp;
    if (Sample* s = sample_von(h)) s->loop = loop;
}

void Mixer_Sample_Freigeben(u32 h) {
    Sperre sp;
    if (!sample_von(h)) return;
    for (Kanal& k : z.kanal)
        if (k.handle == h) k = Kanal{};
    z.samples[h - 1].reset();
}

i32 Mixer_Spielen(u32 h) {
    Sperre sp;
    Sample* s = sample_von(h);
    if (!s) return -1;
    for (i32 i = 0; i < MIXER_KANAELE; ++i) {
        Kanal& k = z.kanal[i];
        if (k.sample) continue;
        k = Kanal{};
        k.sample = s, k.handle = h;
        k.schritt = (static_cast<u64>(s->ton.rate) << 32) / static_cast<u64>(z.rate);
        return i;
    }
    return -1;
}

void Mixer_Stop(i32 kanal) {
    Sperre sp;
    if (kanal_gueltig(kanal)) z.kanal[kanal] = Kanal{};
}

bool Mixer_Lautstaerke(i32 kanal, i32 v) {
    if (!kanal_gueltig(kanal)) return false;
    Sperre sp;
    z.kanal[kanal].vol = std::clamp(v, 0, 255);
    return true;
}

bool Mixer_Pan(i32 kanal, i32 pan) {
    if (!kanal_gueltig(kanal)) return false;
    Sperre sp;
    z.kanal[kanal].pan = pan == MIXER_PAN_STEREO ? MIXER_PAN_STEREO : std::clamp(pan, 0, 255);
    return true;
}

void Mixer_Pause(i32 kanal, bool an) {
    Sperre sp;
    if (kanal_gueltig(kanal)) z.kanal[kanal].pausiert = an;
}

bool Mixer_Kanal_Aktiv(i32 kanal) {
    Sperre sp;
    return kanal_gueltig(kanal) && z.kanal[kanal].sample;
}

void Mixer_Mischen(i16* aus, i32 frames) {
    if (frames <= 0) return;
    z.summe.assign(static_cast<size_t>(frames) * 2, 0);
    for (Kanal& k : z.kanal) {
        if (!k.sample || k.pausiert) continue;
        const Ton_Pcm& t = k.sample->ton;
        const u64 laenge = t.frames();
        // Gains in 1/65025: volume times the pan's side (centre = full on both).
        i32 gl = 255, gr = 255;
        if (k.pan != MIXER_PAN_STEREO) gl = std::min(255, 2 * (255 - k.pan)), gr = std::min(255, 2 * k.pan);
        gl *= k.vol, gr *= k.vol;
        const bool stereo = t.kanaele == 2;
        i32* s = z.summe.data();
        for (i32 f = 0; f < frames; ++f) {
            u64 i = k.pos >> 32;
            if (i >= laenge) {
                if (!k.sample->loop) {
                    k = Kanal{};
                    break;
                }
                k.pos -= laenge << 32;
                i = k.pos >> 32;
            }
            const i16* q = &t.pcm[i * static_cast<u64>(t.kanaele)];
            const i32 l = q[0], r = stereo ? q[1] : q[0];
            s[2 * f] += static_cast<i32>((static_cast<i64>(l) * gl) / 65025);
            s[2 * f + 1] += static_cast<i32>((static_cast<i64>(r) * gr) / 65025);
            k.pos += k.schritt;
        }
    }
    for (size_t i = 0; i < z.summe.size(); ++i) aus[i] = static_cast<i16>(std::clamp(z.summe[i], -32768, 32767));
}
