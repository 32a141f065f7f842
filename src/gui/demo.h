// The GUI demonstration: one screen built from icon tables that shows every
// widget of the menu engine (button, toggle, auto-repeat button, rocker with
// its context menu, a list with scroll bar and wheel, a draggable icon with a
// snap raster, an input field, a help text and a modal requester). Screens
// are built the same way; tests drive it with an input script.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

struct Font;

// One call of a click procedure: icon, event and the frame it came in.
struct Demo_Klick {
    i32 icon;
    u32 ereignis;
    i32 frame;
    bool operator==(const Demo_Klick&) const = default;
};

// Opens the screen (menu engine initialised, icons added) with the font for
// all of its texts. Its help boxes need the menu engine's help hooks
// installed (Hilfe_Text_Ausgabe, Hilfe_Text_Ende).
void Gui_Demo_Starten(Font* font);
// One frame: refresh, input, the input field, the help box.
void Gui_Demo_Frame();
void Gui_Demo_Beenden();
const std::vector<Demo_Klick>& Gui_Demo_Klicks();
// The current text of the input field, the rocker value, the list position.
std::string Gui_Demo_Feldtext();
i32 Gui_Demo_Wippenwert();
i32 Gui_Demo_Listenanfang();
