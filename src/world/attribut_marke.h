// How a special attribute is told apart on its badges: its group (the
// talents tree's levels: basics, advanced, mastery; the weaknesses, the
// goalkeeper's attributes and the star training), each group in a colour of
// its own, and its short form made from the attributes' names: the same
// three letters on every badge that shows letters, the lists' and the squad
// view's small card badges alike. No two attributes share a short form, so
// no two badges look alike.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

enum class Attribut_Gruppe : u8 { GRUNDLAGEN, FORTGESCHRITTEN, MEISTERSCHAFT, SCHWAECHE, TORWART, STERNTRAINING };
constexpr int ATTRIBUT_GRUPPEN = 6;

// The group of attribute 0..53 (anything else counts as basics).
Attribut_Gruppe Attribut_Gruppe_Von(int attribut);

// The short forms of `namen` (Windows-1252, one entry per attribute in
// order), `laenge` characters each (2 or 3): the name's first letter, then
// the earliest later letters (spaces skipped) whose form no attribute before
// it has taken. A name too short for that keeps its first characters.
std::vector<std::string> Attribut_Kurzformen(const std::vector<std::string>& namen, size_t laenge);

// The letters every badge of an attribute shows.
constexpr size_t ATTRIBUT_MARKE_LAENGE = 3;
// The letters of attribute `attribut` among `namen` (Windows-1252, one entry
// per attribute in order); empty for an attribute outside the list.
std::string Attribut_Marke_Text(const std::vector<std::string>& namen, int attribut);
// The same over the loaded attribute table (Attribut_Tabelle).
std::string Attribut_Marke_Text(int attribut);
