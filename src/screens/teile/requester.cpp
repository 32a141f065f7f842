#include "screens/teile/requester.h"

#include "world/welt.h"

namespace {
void nichts(i32, const i32*) {}
}  // namespace

void Screen_Mitteilung(const char* text, Requester_Prozedur weiter, i32 anzahl, const i32* liste) {
    Menue_Requester(REQUESTER_OK, Team_Aktiv, text ? text : "", nullptr, nullptr, weiter ? weiter : nichts, nullptr,
                    anzahl, liste);
}

void Screen_Frage(const char* text, Requester_Prozedur ja, Requester_Prozedur nein, i32 anzahl, const i32* liste) {
    Menue_Requester(REQUESTER_JA_NEIN, Team_Aktiv, text ? text : "", nullptr, nullptr, ja ? ja : nichts,
                    nein ? nein : nichts, anzahl, liste, anzahl, liste);
}
