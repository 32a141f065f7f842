// Temporary strings: 100 rotating buffers of 800 bytes. A result stays valid
// for 99 further calls; use it at once and never keep it.
#pragma once

#include "base/types.h"

constexpr int TEMP_STRING_ANZAHL = 100;
constexpr int TEMP_STRING_GROESSE = 800;

// The next buffer, cleared to "".
char* Temp_String();
// printf into the next buffer; longer output is cut at 799 characters.
char* Temp_Sprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
