// Building at a club's stadium as the stadium screen offers it: the next
// class, a renovation up to a comfort level, a new capacity within the
// class's range, the ticket price. Each building step is paid from the
// club's account (booking kind 14) and changes nothing when the booking is
// refused. On a network client every step goes to the server, which books
// and builds; the client then reads the stadium record and the account back.
#pragma once

#include "base/types.h"

struct Stadion_Daten;

constexpr int STADION_KLASSEN = 6;
constexpr i32 STADION_ABBAU_PRO_PLATZ = 50;  // removing a seat costs this
constexpr i32 STADION_PREIS_MIN = 5, STADION_PREIS_MAX = 60;
constexpr i32 STADION_KOMFORT_MAX = 100;

// A class of the building table: its capacity range, what building the
// class costs, the price of an added seat and of a comfort point, and the
// comfort a newly built stadium of the class has.
struct Stadion_Bauklasse {
    i32 von, bis;
    i64 baupreis;
    i32 platzpreis, punktpreis;
    i32 komfort;
};
// Class 0..5 (held to that range).
const Stadion_Bauklasse& Stadion_Bauklasse_Holen(int klasse);

// The stadium as the live match view draws it. Six stand sides (0 left end,
// 1 far side, 2 right end; 3, 4, 5 what stands above them), each at a level
// (-1 nothing, 0 a grass bank or the clubhouse, 1 plain steps or floodlight
// masts, 2..4 seated stands or roofs of growing size) by the class; in the
// upper half of the class's capacity range both ends are built one level
// higher (never above the far side). Nothing stands above the right end (the
// corner nearest the camera). The pitch's look: the class, and 6 for
// a class-5 stadium in the upper half of its range.
constexpr int STADION_SEITEN = 6;
void Stadion_Tribuenen(const Stadion_Daten& s, int stufe[STADION_SEITEN]);
int Stadion_Bildart(const Stadion_Daten& s);

// What a step costs for the stadium as it stands: the renovation to a
// comfort level (0 when it is not above the current one), the change to a
// capacity (added seats at the class's seat price, removed ones at 50).
i64 Stadion_Renovierung_Kosten(const Stadion_Daten& s, i32 komfort);
i64 Stadion_Kapazitaet_Kosten(const Stadion_Daten& s, i32 kapazitaet);

enum class Stadion_Bau : u8 {
    GEBUCHT = 1,      // paid and built
    KEIN_STADION,     // the club has no stadium (or is not the asking club)
    HOECHSTE_KLASSE,  // class 5 cannot be built further
    UNGUELTIG,        // a value outside its range: nothing booked
    ABGELEHNT,        // the bank refused the booking: nothing built
    KEINE_ANTWORT,    // a client whose server did not answer
};

// The next class: its building price; comfort and capacity become the new
// class's start values.
Stadion_Bau Stadion_Klasse_Bauen(int team);
// Comfort up to `komfort` (current..100).
Stadion_Bau Stadion_Renovieren(int team, i32 komfort);
// Capacity to `kapazitaet` (within the class's range); seats and terraces
// keep their shares.
Stadion_Bau Stadion_Kapazitaet_Aendern(int team, i32 kapazitaet);
// Ticket price 5..60 (costs nothing).
Stadion_Bau Stadion_Preis_Setzen(int team, i32 preis);

// The server's rows of these steps (calls 1016, 1018, 1019): run for the
// asking team only.
// Builds class `klasse` when it is the next one; a stadium that has it
// already answers "done" and pays nothing (the same request again).
u8 Stadion_Internet_Server_Bauen(i32 team, i32 klasse);
u8 Stadion_Internet_Server_Renovieren(i32 team, i32 komfort);
u8 Stadion_Internet_Server_Setzen(i32 team, i32 ausbauen, i32 preis, i32 sitz, i32 steh);
