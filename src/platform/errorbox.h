// Message boxes of the platform layer.
#pragma once

#include "base/types.h"

// A printf-style message box titled "ERROR:" over the main window; returns
// when the player has closed it. The text (Windows-1252) always goes to
// stderr too (as UTF-8); without a display, or in a headless run, stderr is
// all there is.
void W32_Error_Box(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A Windows-1252 text as one UTF-8 line on stderr.
void W32_Stderr(const char* text);

// Number of boxes asked for so far (tests).
u32 W32_Error_Box_Anzahl();
