#include "screens/teile/spielerkarte.h"

#include "gui/menue.h"

namespace {
Spielerkarte_Prozedur karte = nullptr;
}  // namespace

void Spielerkarte_Anmelden(Spielerkarte_Prozedur oeffnen) { karte = oeffnen; }

bool Spielerkarte_Zeigen(i32 spieler, i32 team, i32 modus) { return karte && karte(spieler, team, modus); }

bool Spielerkarte_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIELERKARTE); }
