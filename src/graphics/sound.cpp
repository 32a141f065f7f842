#include "graphics/sound.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/files.h"
#include "graphics/mixer.h"
#include "graphics/resf.h"
#include "graphics/sound_intern.h"
#include "graphics/zeichenspur.h"

namespace {

constexpr u32 KEIN_KANAL = static_cast<u32>(-1);
constexpr i32 MENUE_SOUND_ARCHIV = 21;

Sound_Slot slots[SOUND_SLOTS];
bool gestartet = false;

Sound_Hooks hooks{};

struct Effekt {
    Sound_Slot* slot = nullptr;
};
Effekt effekte[SOUND_EFFEKT_KANAELE];
i32 effekt_lautstaerke = 255;

i32 kanal_von(const Sound_Slot* s) { return s->kanal == KEIN_KANAL ? -1 : static_cast<i32>(s->kanal); }

}  // namespace

Sound_Gemeinsam Sound_Geteilt;

bool Sound_Effekt_Aus_Archiv(i32 nummer, std::vector<u8>& blob) {
    const i32 slot = Resf_Spiel_Slot(MENUE_SOUND_ARCHIV);
    return slot >= 0 && Resf_Lade_Blob(slot, nummer, blob);
}

void Sound_Set_Hooks(const Sound_Hooks& h) { hooks = h; }
const Sound_Hooks& Sound_Get_Hooks() { return hooks; }
bool Sound_Musik_Option() { return hooks.musik_an(); }

bool Sound_Init() {
    if (!gestartet) gestartet = Mixer_Start(true);
    return gestartet;
}

bool Sound_Init_Stumm() {
    if (!gestartet) gestartet = Mixer_Start(false);
    return gestartet;
}

bool Sound_An() { return gestartet; }

void Sound_Close() {
    if (gestartet) Mixer_Ende();
    gestartet = false;
    for (Sound_Slot& s : slots) std::memset(&s, 0, sizeof s);
    for (Effekt& e : effekte) e = Effekt{};
}

i32 Sound_Clamp_255(i32 v) { return std::clamp(v, 0, 255); }

Sound_Slot* Sound_Slot_Neu() {
    for (Sound_Slot& s : slots)
        if (!s.belegt) {
            std::memset(&s, 0, sizeof s);
            s.belegt = 1;
            s.kanal = KEIN_KANAL;
            return &s;
        }
    return nullptr;
}

i32 Sound_Slot_Leeren(Sound_Slot* s) {
    if (s) std::memset(s, 0, sizeof *s);
    return 0;
}

Sound_Slot* Sound_Lade_Sample(const u8* daten, u32 laenge) {
    if (!gestartet) return nullptr;
    Sound_Slot* s = Sound_Slot_Neu();
    if (!s) return nullptr;
    s->sample = Mixer_Sample_Laden(daten, laenge);
    if (!s->sample) {
        Sound_Slot_Leeren(s);
        return nullptr;
    }
    s->art = SOUND_SAMPLE;
    return s;
}

Sound_Slot* Sound_Play_Sample(Sound_Slot* s, i32 lautstaerke, i32 pan, bool loop) {
    if (!s || s->art != SOUND_SAMPLE) return s;
    // The loop mode is set both ways: a sample once played looped may be played once again.
    Mixer_Sample_Loop(s->sample, loop);
    const i32 k = Mixer_Spielen(s->sample);
    s->kanal = k < 0 ? KEIN_KANAL : static_cast<u32>(k);
    s->loop = loop;
    Sound_Set_Lautstaerke(s, lautstaerke == -1 ? 255 : lautstaerke);
    Sound_Set_Pan(s, pan == -1 ? 128 : pan);
    return s;
}

Sound_Slot* Sound_Stop_Sample(Sound_Slot* s) {
    if (s && s->art == SOUND_SAMPLE) {
        Mixer_Stop(kanal_von(s));
        // The channel goes to the next sample played: a stopped slot that
        // kept it would turn that sample's volume and count as running.
        s->kanal = KEIN_KANAL;
    }
    return s;
}

void Sound_Free_Sample(Sound_Slot* s) {
    if (!s || s->art != SOUND_SAMPLE) return;
    Mixer_Sample_Freigeben(s->sample);
    Sound_Slot_Leeren(s);
}

Sound_Slot* Sound_Set_Lautstaerke(Sound_Slot* s, i32 v) {
    if (s && Mixer_Lautstaerke(kanal_von(s), Sound_Clamp_255(v))) s->lautstaerke = static_cast<u8>(Sound_Clamp_255(v));
    return s;
}

Sound_Slot* Sound_Set_Pan(Sound_Slot* s, i32 pan) {
    if (s && Mixer_Pan(kanal_von(s), Sound_Clamp_255(pan))) s->pan = static_cast<u8>(Sound_Clamp_255(pan));
    return s;
}

Sound_Slot* Sound_Stream_Oeffnen(const char* datei, i32 lautstaerke, i32 pan) {
    Sound_Slot* s = Sound_Slot_Neu();
    if (!s) return nullptr;
    if (!gestartet || !datei) {
        Sound_Slot_Leeren(s);
        return nullptr;
    }
    std::vector<u8> d;
    const W32_Handle h = W32_File_Open_Read(datei);
    // The music is read whole: at most 64 MB (six minutes of CD sound).
    if (h >= 0 && W32_File_Size(h) <= (64u << 20)) {
        d.resize(W32_File_Size(h));
        if (W32_File_Read(d.data(), 1, static_cast<u32>(d.size()), h) != d.size()) d.clear();
    }
    if (h >= 0) W32_File_Close(h);
    const u32 sample = d.empty() ? 0 : Mixer_Sample_Laden(d.data(), d.size());
    if (!sample) {
        Debug_Printf("Sound: %s nicht abspielbar\n", datei);
        Sound_Slot_Leeren(s);
        return nullptr;
    }
    Mixer_Sample_Loop(sample, true);
    const i32 k = Mixer_Spielen(sample);
    if (k < 0) {
        Mixer_Sample_Freigeben(sample);
        Sound_Slot_Leeren(s);
        return nullptr;
    }
    s->art = SOUND_STREAM;
    s->sample = s->stream = sample;
    s->kanal = static_cast<u32>(k);
    Mixer_Pan(k, MIXER_PAN_STEREO);
    Sound_Set_Lautstaerke(s, lautstaerke);
    Sound_Set_Pan(s, pan);
    return s;
}

Sound_Slot* Sound_Stream_Pause(Sound_Slot* s) {
    if (s && s->stream) Mixer_Pause(kanal_von(s), true);
    return s;
}

Sound_Slot* Sound_Stream_Weiter(Sound_Slot* s) {
    if (s && s->stream) Mixer_Pause(kanal_von(s), false);
    return s;
}

void Sound_Stream_Schliessen(Sound_Slot* s) {
    if (!s || !s->stream) return;
    Mixer_Sample_Freigeben(s->stream);
    Sound_Slot_Leeren(s);
}

void Sound_Pause_All() {
    for (Sound_Slot& s : slots) {
        if (!s.belegt) continue;
        if (s.art == SOUND_SAMPLE) Sound_Stop_Sample(&s), s.pausiert = 1;
        else if (s.art == SOUND_STREAM) Sound_Stream_Pause(&s), s.pausiert = 1;
    }
}

void Sound_Resume_All() {
    for (Sound_Slot& s : slots) {
        if (!s.belegt || !s.pausiert) continue;
        s.pausiert = 0;
        if (s.art == SOUND_STREAM) Sound_Stream_Weiter(&s);
        else if (s.art == SOUND_SAMPLE && s.loop) Sound_Play_Sample(&s, s.lautstaerke, s.pan, true);
    }
}

void Sound_Free_All() {
    for (Sound_Slot& s : slots) {
        if (!s.belegt || s.art == SOUND_STREAM) continue;
        if (s.art == SOUND_SAMPLE) Sound_Stop_Sample(&s), Sound_Free_Sample(&s);
        else Sound_Slot_Leeren(&s);
    }
}

bool Sound_Laeuft(const Sound_Slot* s) { return s && s->art && Mixer_Kanal_Aktiv(kanal_von(s)); }

i32 Sound_Effekt_Play(i32 nummer, bool exklusiv) {
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Klang_Merken(nummer, effekt_lautstaerke);
    if (!hooks.effekte_an()) return -1;
    Sound_Gemeinsam& g = Sound_Geteilt;
    g.musik_lautstaerke = std::min(g.musik_lautstaerke, 120);
    g.duck = 40;
    // A one-shot effect that has ended gives its channel back.
    for (Effekt& e : effekte)
        if (e.slot && !e.slot->loop && !Sound_Laeuft(e.slot)) Sound_Free_Sample(e.slot), e.slot = nullptr;
    i32 frei = -1;
    for (i32 i = 0; i < SOUND_EFFEKT_KANAELE && frei < 0; ++i)
        if (!effekte[i].slot) frei = i;
    i32 musik = g.musik_lautstaerke;
    if (exklusiv) musik = 0, g.exklusiv = true;
    Backsound_Set_Lautstaerke(musik);
    if (frei < 0) return -1;
    std::vector<u8> blob;
    if (!hooks.effekt_quelle(nummer, blob)) return -1;
    Sound_Slot* s = Sound_Lade_Sample(blob.data(), static_cast<u32>(blob.size()));
    if (!s) return -1;
    Sound_Play_Sample(s, effekt_lautstaerke, 128, exklusiv);
    effekte[frei].slot = s;
    return frei;
}

void Sound_Effekt_Stop(i32 kanal) {
    Sound_Geteilt.exklusiv = false;
    if (kanal < 0 || kanal >= SOUND_EFFEKT_KANAELE || !effekte[kanal].slot) {
        Debug_Printf("Sound wurde nicht gestartet\n");
        return;
    }
    Sound_Stop_Sample(effekte[kanal].slot);
    Sound_Free_Sample(effekte[kanal].slot);
    effekte[kanal].slot = nullptr;
}

void Sound_Effekt_Stop_All() {
    effekt_lautstaerke = 255;
    for (i32 i = 0; i < SOUND_EFFEKT_KANAELE; ++i)
        if (effekte[i].slot) Sound_Effekt_Stop(i);
    Sound_Geteilt.exklusiv = false;
    Backsound_Start();
}

i32 Sound_Effekt_Solo(i32 nummer, bool exklusiv) {
    Sound_Effekt_Stop_All();
    Sound_Effekt_Play(nummer, exklusiv);
    return 0;
}

i32 Sound_Effekt_Solo_Lautstaerke(i32 nummer, bool exklusiv, i32 lautstaerke) {
    Sound_Effekt_Stop_All();
    effekt_lautstaerke = Sound_Clamp_255(lautstaerke);
    Sound_Effekt_Play(nummer, exklusiv);
    return 0;
}

i32 Sound_Effekt_Lautstaerke() { return effekt_lautstaerke; }
bool Sound_Effekt_Exklusiv() { return Sound_Geteilt.exklusiv; }

void Sound_Alles_Freigeben() {
    for (i32 i = 0; i < SOUND_EFFEKT_KANAELE; ++i)
        if (effekte[i].slot) Sound_Effekt_Stop(i);
    Sound_Geteilt.exklusiv = false;
    Backsound_Stop();
    Sound_Free_All();
    Sound_Close();
    Sound_Geteilt = Sound_Gemeinsam{};
}
