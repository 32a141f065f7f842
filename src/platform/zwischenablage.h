// Text on the desktop's clipboard. While the window's video is up this is
// SDL's clipboard; without it (headless runs, tests) a clipboard of this
// process, so that reading it behaves the same everywhere.
#pragma once

#include <string>

// The clipboard's text; false (text empty) when it holds none.
bool Zwischenablage_Text(std::string& text);
// Puts text on the clipboard; false when the desktop refuses it.
bool Zwischenablage_Setzen(const std::string& text);
