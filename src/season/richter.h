// The arbiter of requests between human managers (a credit from one club to
// another, offers of the random events, contract offers). A request is a
// question news item to the asked manager, his answer a reply item whose
// data block carries the answer; the arbiter lets unanswered requests expire
// at their deadline and carries out the answered ones. It runs on the server
// or in single play, from the daily tick and every few seconds from the run
// loop; on a network client it does nothing.
#pragma once

#include "base/types.h"

// The request data block (the news item's ten words).
enum Anfrage_Wort : int {
    ANFRAGE_ART = 0,       // request kind
    ANFRAGE_FRAGER = 1,    // the asking team
    ANFRAGE_GEFRAGT = 2,   // the asked team
    ANFRAGE_FRIST = 3,     // deadline (day index)
    ANFRAGE_BETRAG = 4,    // a credit's amount
    ANFRAGE_ZINS = 5,      // a credit's rate
    ANFRAGE_LAUFZEIT = 6,  // a credit's term in months
    ANFRAGE_ANTWORT = 9,   // -1 or -2 none yet, 0 no, else yes
};

// Request kinds.
constexpr i32 ANFRAGE_KREDIT = 5;
constexpr i32 ANFRAGE_UNBEFRISTET = 8;  // never expires
constexpr i32 ANFRAGE_EREIGNIS = 11;    // an offer of the random events
constexpr i32 ANFRAGE_VERTRAG = 12;     // a contract offer between clubs

// One settling pass.
void Richter_Jeden_Tag();

// Fills the season's module table (src/main).
void Richter_Hooks_Installieren();
