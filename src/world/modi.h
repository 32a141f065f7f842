// The modes of the world's value accessors by name: what Spieler_Wert,
// Team_Wert and Manager_Wert (world/welt.h) read or write under each number.
// The accessors' own field tables (world/zugriff.cpp) use the same names.
#pragma once

// Spieler_Wert: modes 0 .. ATTRIBUT_ANZAHL - 1 are the attributes; then:
constexpr int SPIELER_WERT_SPIELE = 55;             // matches played this season, 0..999
constexpr int SPIELER_WERT_ERSCHOEPFUNG = 56;       // tiredness, 0..9
constexpr int SPIELER_WERT_57 = 57;                 // the record's value 57, 0..30,000
constexpr int SPIELER_WERT_STAERKE_FEIN = 58;       // fine strength, 0..12,000
constexpr int SPIELER_WERT_AUSSEHEN = 65;           // the face's look
constexpr int SPIELER_WERT_POSITION = 67;           // position class, 0 keeper .. 3 attack
constexpr int SPIELER_WERT_NATION = 68;             // nation (a team number)
constexpr int SPIELER_WERT_VERLETZUNG_ART = 70;     // kind of injury or ban, 0..41
constexpr int SPIELER_WERT_VERLETZUNG_DAUER = 71;   // its days left
constexpr int SPIELER_WERT_HAARFARBE = 72;
constexpr int SPIELER_WERT_HAUTFARBE = 73;
constexpr int SPIELER_WERT_74 = 74;                 // the record's value 74, 0..50
constexpr int SPIELER_WERT_STATUS = 75;             // status bits (SP_STATUS_...)
constexpr int SPIELER_WERT_LIGA_0 = 76;             // the three league values
constexpr int SPIELER_WERT_LIGA_1 = 77;
constexpr int SPIELER_WERT_LIGA_2 = 78;
constexpr int SPIELER_WERT_SPALTE = 82;             // formation column, 0..6
constexpr int SPIELER_WERT_ZEILE = 83;              // formation row (depth), 0..10
constexpr int SPIELER_WERT_RUECKENNUMMER = 84;      // shirt number, 0..99
constexpr int SPIELER_WERT_MARKTWERT = 85;
constexpr int SPIELER_WERT_TEAM = 86;               // his club, -1 none
constexpr int SPIELER_WERT_SLOT = 87;               // place in the squad order (0..10 the eleven)
constexpr int SPIELER_WERT_WETTBEWERB = 88;
constexpr int SPIELER_WERT_MORAL = 90;              // form and morale, 0..6
constexpr int SPIELER_WERT_STAERKE = 92;            // strength in half stars, 0..12
constexpr int SPIELER_WERT_GELD = 93;               // salary
constexpr int SPIELER_WERT_MAX_STAERKE = 97;        // highest strength he can reach, 0..12
constexpr int SPIELER_WERT_TRAININGS = 98;          // trainings done, 0..255
constexpr int SPIELER_WERT_GEDECKT_VON = 99;        // the player marking him, -1 none
constexpr int SPIELER_WERT_LIGA_WORT = 100;

// Team_Wert:
constexpr int TEAM_WERT_STEHPLAETZE = 4;
constexpr int TEAM_WERT_SITZPLAETZE = 5;
constexpr int TEAM_WERT_NATION = 6;
constexpr int TEAM_WERT_STATUS = 7;                 // status bits (TEAM_STATUS_...)
constexpr int TEAM_WERT_FORMATION = 8;              // the formation; 128 and above: chosen automatically
constexpr int TEAM_WERT_WAPPEN = 9;
constexpr int TEAM_WERT_KONTINENT = 10;             // 0..14
constexpr int TEAM_WERT_LIGA = 11;                  // league slot, -1 none
constexpr int TEAM_WERT_SCOUT = 16;                 // the scout, -1 none
constexpr int TEAM_WERT_SCOUT_SPIELER = 17;         // the scout's player, -1 none
constexpr int TEAM_WERT_TRANSFERS = 20;             // transfers still allowed, 0..99
constexpr int TEAM_WERT_21 = 21;                    // the record's value 21, 0..99

// Manager_Wert:
constexpr int MANAGER_WERT_GESICHT = 0;             // 0..999
constexpr int MANAGER_WERT_TEAM = 1;                // his club, -1 none
