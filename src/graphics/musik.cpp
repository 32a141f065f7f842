// The background music: "background.wav" of the working folder as a looping
// stream, faded by Backsound_Update every 500 ms.
#include <algorithm>
#include <cstdio>

#include "base/debug.h"
#include "base/files.h"
#include "graphics/sound.h"
#include "graphics/sound_intern.h"

namespace {

i32 zustand = 0;  // 0 off, 1 playing, 2 paused
bool gehalten = false;
Sound_Slot* slot = nullptr;

}  // namespace

i32 Backsound_Lautstaerke() { return Sound_Geteilt.musik_lautstaerke; }
i32 Backsound_Zustand() { return zustand; }
const Sound_Slot* Backsound_Slot() { return slot; }

void Backsound_Start() {
    if (gehalten) return;
    if (zustand != 0) {
        Debug_Printf("BACKSOUND RESUME\n");
        Backsound_Weiter();
        return;
    }
    if (!Sound_Musik_Option()) return;
    Debug_Printf("BACKSOUND WIEDER REIN\n");
    char pfad[W32_DIR_LAENGE + 32];
    std::snprintf(pfad, sizeof pfad, "%s\\%s", W32_Dir_Tabelle[W32_DIR_WORK], "background.wav");
    // A missing file or no sound leaves the state at playing without a
    // stream: every later step finds nothing to do until the game ends.
    slot = Sound_Stream_Oeffnen(pfad, 255, 128);
    zustand = 1;
    Backsound_Set_Lautstaerke(0);
}

void Backsound_Stop() {
    if ((zustand == 1 || zustand == 2) && slot) Sound_Stream_Schliessen(slot);
    slot = nullptr;
    zustand = 0;
}

void Backsound_Anhalten() {
    if (zustand == 1 && slot) {
        Sound_Stream_Pause(slot);
        zustand = 2;
    }
}

void Backsound_Weiter() {
    if (!Sound_Geteilt.exklusiv && zustand == 2 && slot && !gehalten) {
        Sound_Stream_Weiter(slot);
        Debug_Printf("BACKSOUND RESUME OK\n");
        zustand = 1;
        Sound_Geteilt.musik_lautstaerke = std::max(Sound_Geteilt.musik_lautstaerke, 50);
        Sound_Set_Lautstaerke(slot, Sound_Geteilt.musik_lautstaerke);
    } else {
        Debug_Printf("BS RESUME %d %d %d\n", zustand, slot ? 1 : 0, gehalten ? 1 : 0);
    }
}

void Backsound_Set_Lautstaerke(i32 v) {
    if (Sound_Geteilt.exklusiv && v != 0) return;
    if (!slot) return;
    if (v > 0) Backsound_Weiter();
    else Backsound_Anhalten();
    Sound_Set_Lautstaerke(slot, v);
    Sound_Geteilt.musik_lautstaerke = std::clamp(v, 0, 255);
}

void Backsound_Pause(i32 an) {
    if (an) {
        if (!gehalten) Backsound_Stop();
        gehalten = true;
    } else if (gehalten) {
        gehalten = false;
        Backsound_Start();
    }
}

void Backsound_Update() {
    const bool an = Sound_Musik_Option();
    if ((!an || gehalten) && zustand != 0) Backsound_Stop();
    if (an && zustand == 0 && !gehalten) Backsound_Start();
    if (Sound_Geteilt.exklusiv) return;
    Sound_Gemeinsam& g = Sound_Geteilt;
    if (g.duck > 0) {
        if (g.musik_lautstaerke != 0)
            Backsound_Set_Lautstaerke(std::clamp(g.musik_lautstaerke - 15, 50, BACKSOUND_MAX));
        --g.duck;
        return;
    }
    Backsound_Set_Lautstaerke(std::clamp(g.musik_lautstaerke + 5, 0, BACKSOUND_MAX));
}
