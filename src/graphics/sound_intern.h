// State the effect player and the background music share.
#pragma once

#include <vector>

#include "base/types.h"

struct Sound_Gemeinsam {
    i32 musik_lautstaerke = 0;  // 0..160, the value last applied to the music
    i32 duck = 0;               // updates left during which the music stays lowered
    bool exklusiv = false;      // an effect plays exclusively, the music is silent
};
extern Sound_Gemeinsam Sound_Geteilt;

bool Sound_Musik_Option();
