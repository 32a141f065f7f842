// Dragging a small window by its title bar: a press of the left button alone
// on the bar takes hold, the window follows the mouse until the left button
// is let go or another button joins.
#pragma once

#include "base/types.h"

struct Screen_Griff {
    bool ziehen = false;
    i32 griff_x = 0, griff_y = 0;  // the mouse's place in the window when taken
    u32 alte_tasten = 0;           // the buttons of the last frame
};

// Forgets a hold; the buttons held now count as pressed before (a press that
// opened the window does not take hold of it).
void Screen_Griff_Lassen(Screen_Griff* g);

// One frame: the title bar is (x, y, breite, hoehe). True while held, with the
// window's new top-left corner in *nx, *ny.
bool Screen_Griff_Schritt(Screen_Griff* g, i32 x, i32 y, i32 breite, i32 hoehe, i32* nx, i32* ny);
