// The modes of the player accessor (Spieler_Wert(modus, spieler, ...)) the
// screens read, named once for all of them.
#pragma once

constexpr int MODUS_SPIELE = 55;        // games played this season
constexpr int MODUS_ERSCHOEPFUNG = 56;  // tiredness 0..9
constexpr int MODUS_WERT57 = 57;        // the training value the world keeps beside it
constexpr int MODUS_KLASSE = 67;        // position class 0..3 (keeper .. attack)
constexpr int MODUS_VERLETZUNG = 70;    // kind of injury or ban
constexpr int MODUS_DAUER = 71;         // its days left
constexpr int MODUS_STATUS = 75;        // status bits (injured, banned, scout ...)
constexpr int MODUS_QUOTE_A = 76;       // the two shares of the hover text's quota
constexpr int MODUS_QUOTE_B = 77;
constexpr int MODUS_SPALTE = 82;        // formation column
constexpr int MODUS_REIHE = 83;         // formation row (depth)
constexpr int MODUS_NUMMER = 84;        // shirt number
constexpr int MODUS_MARKTWERT = 85;
constexpr int MODUS_SLOT = 87;          // place in the squad order (0..10 the eleven)
constexpr int MODUS_MORAL = 90;
constexpr int MODUS_STAERKE = 92;       // strength (the stars)
constexpr int MODUS_GELD = 93;          // salary
constexpr int MODUS_MAX = 97;           // highest strength he can reach
constexpr int MODUS_TRAININGS = 98;     // trainings done
