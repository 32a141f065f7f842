// The arbiter of requests between human managers (a credit from one club to
// another, offers of the random events, contract offers). A request is a
// question news item to the asked manager, his answer a reply item whose
// data block carries the answer; the arbiter lets unanswered requests expire
// at their deadline and carries out the answered ones. It runs on the server
// or in single play, from the daily tick and every few seconds from the run
// loop; on a network client it does nothing.
#pragma once

#include <array>
#include <vector>

#include "base/ruf.h"
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

// One settling pass. A reply counts only for a request the arbiter holds
// (a question posted on this machine, or found in the store), with the same
// request words, from the team that was asked (for an offer of the random
// events: the offered team itself), and only once; the request is then
// done, as is one past its deadline.
void Richter_Jeden_Tag();

struct News_Daten;
// The news store tells the arbiter of every question posted on the server
// or in single play.
void Richter_Frage_Gestellt(u32 id, const News_Daten& d);
// Whether a client may post this question: a request in its own name to
// another club (never an offer of the random events), not yet answered.
bool Richter_Frage_Erlaubt(i32 sender, i32 empfaenger, const News_Daten& d);
// Forgets every held request (a new or loaded news store).
void Richter_Zuruecksetzen();

// The arbiter's own request list (blocks 50 and 52) stays empty: requests
// travel as news questions. Block 50 answers the empty list's image; block
// 52 takes exactly one 40-byte request of the asking team and changes
// nothing (result 0).
u32 Richter_Internet_Server_Send_Liste(std::vector<u8>& aus);
// Block 52's request (record, size, list type): no list type is known, so
// nothing is kept; a request of another team or size is logged. Returns 0.
i32 Richter_Neu(const std::array<i32, 10>& anfrage, i32 groesse, i32 typ);
// Client: fetches the list (block 50); its node count, -1 when no valid
// list came.
i32 Richter_Internet_Client_Get_Liste();

// Block 50: the list's image; block 52: a request record (its asking team in
// word 1), its size and list type.
inline constexpr ruf::Ruf<std::vector<u8>> RUF_RICHTER_LISTE{50, "Richter_Liste"};
inline constexpr ruf::Ruf<i32, std::array<i32, 10>, i32, i32> RUF_RICHTER_NEU{52, "Richter_Neu"};

// Registers the two blocks' server rows (src/main).
void Richter_Netz_Anmelden();
