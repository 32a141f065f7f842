// Special attributes of players (54: 0..39 outfield, 40..46 negative,
// 47..52 goalkeeper, 53 star training). A player's value per attribute
// (Spieler_Wert 0..53): -1 blocked, 0 none, 1..required-1 in training,
// required learned (inactive), required+1 learned and active.
#pragma once

#include "base/types.h"

int Attribut_Noetig(int attribut);
bool Attribute_Ist_Negativ(int attribut);
// Learned and active.
bool Attribute_Hat_Attribut(int spieler, int attribut);
bool Attribute_Attribut_Aktief(int spieler, int attribut);
bool Attribute_Attribut_Gesperrt(int spieler, int attribut);
// Learned (active or not): the training has reached its maximum.
bool Attribute_Attribut_Hat_Maximum(int spieler, int attribut);
bool Attribute_Voraussetzung_Erfuellt(int spieler, int attribut);
// Not blocked, fits the player's position (goalkeeper attributes only for
// goalkeepers and the outfield ones only for field players) and its
// prerequisites are learned.
bool Attribute_Erreichbar(int spieler, int attribut);
// Open to the player whatever the prerequisites: not blocked, fits his
// position, and a negative attribute only after 50 matches. Changes nothing.
bool Attribute_Offen(int spieler, int attribut);
// The player may train the attribute now: reachable, not a negative one and
// not learned yet. Another attribute in training does not stand in the way
// (the talents screen asks before it switches; the switch drops the old).
bool Attribute_Kann_Attribut_Lernen(int spieler, int attribut);
int Attribute_Get_Voraussetzungen(int attribut, i32 aus[3]);
// mode 0 the active attributes (outfield from 46 down to 0, goalkeeper
// 40..52), 1 the learned ones (at most 18), 2 the negative ones (from the end
// of the mode-0 list backwards); at most n, the rest of `aus` -1.
int Attribute_Get_Attribute(int spieler, i32* aus, int n, int modus);
int Attribute_Get_Attribute_Alle(int spieler, i32* aus);
int Attribute_Get_Attribut_In_Ausbildung(int spieler);
// mode 0 learn (value := required points) with its checks and a news text,
// 2 block, 3 remove (value 0): refused while a learned attribute needs it,
// and for a negative attribute while the player has fewer than 50 matches (55).
bool Attribut_Spieler_Setze_Wert(int spieler, int attribut, int modus);
// The screens' variant: 0 learn (at most 18 learned), 2 block, 3 clear.
bool Attribut_Spieler_Setze_Wert_Screen(int spieler, int attribut, int modus);
// Learned attribute on/off; negative attributes stay active.
bool Attribut_Toggle_Aktive(int spieler, int attribut);
bool Attribut_Toggle_Aktive_Ohne_Pruefung(int spieler, int attribut);
// Every reachable attribute of the squads of teams 1..20 learned and
// active; sets the attribute-choice flag.
void Attribute_Alle_Maximal_Setzen();
