// Conversion between the game's Windows-1252 text and UTF-8 (files on disk,
// the terminal, the debug log).
#pragma once

#include <string>
#include <string_view>

#include "base/types.h"

// Unicode code point of a Windows-1252 byte (the five unassigned bytes 0x81,
// 0x8D, 0x8F, 0x90, 0x9D map to the C1 controls of the same value).
u32 Cp1252_Zeichen_Unicode(u8 c);
// Windows-1252 byte of a code point, or -1 when the character has none.
int Cp1252_Zeichen_Aus_Unicode(u32 cp);

// CP1252 text -> UTF-8. Never fails.
std::string Cp1252_To_Utf8(std::string_view text);
// UTF-8 text -> CP1252. Characters without a CP1252 byte and malformed UTF-8
// sequences become `ersatz`.
std::string Utf8_To_Cp1252(std::string_view text, char ersatz = '?');
