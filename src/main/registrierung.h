// Start-up registration: fills the hook tables of the lower layers with the
// entry points of the higher ones.
#pragma once

#include "base/types.h"

// `spielstart`: the new-game set-up step of the season (null: it finishes
// at once, as in the headless tools).
void Main_Registrieren(bool (*spielstart)(int arg, u8* wizard_byte) = nullptr);
