// Block lists for the generated names of the world (texts in Windows-1252).
#pragma once

#include <string>
#include <string_view>

namespace worldgen {

// Lower-case ASCII letters and digits of a Windows-1252 text, accents dropped
// ("ß" becomes "ss"), everything else left out.
std::string falten(std::string_view text);
// True when a generated word has a plausible form: no capital inside, no
// triple letter, no doubled consonant after a consonant, no syllable twice.
bool wortform_ok(std::string_view wort);
// True when the text contains a slur of one of the game's languages.
bool beleidigend(std::string_view text);
// True when the surname is that of a famous footballer or manager.
bool beruehmt(std::string_view nachname);
// True when a professional club plays in the town of that name.
bool vereinsort(std::string_view ort);

}  // namespace worldgen
