// The one place where the screens are registered: each screen's record and
// the main menu's launch entries that open it.
#include "screens/anmelden.h"

#include "gui/hauptmenue.h"
#include "screens/club/optionen.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/screens.h"

namespace {
// Dialog buttons of the main menu's launch table (icons 702..705).
constexpr int KNOPF_TEAM = 0, KNOPF_WETTBEWERB = 1, KNOPF_VEREIN = 2, KNOPF_SPIEL = 3;
}  // namespace

void Screens_Anmelden() {
    Screens_Zuruecksetzen();
    Screen_Registrieren(Screen_Id::OPTIONEN, Optionen_Screen_Def());
    Screen_Registrieren(Screen_Id::WETTBEWERB_TABELLE, Wettbewerb_Tabelle_Screen_Def());

    // Dialog button 705 ("Spiel"): load 0, save 1, options 2; 3 ends the program.
    Screen_Launch_Eintragen(KNOPF_SPIEL, 2, Screen_Id::OPTIONEN);
    // Dialog button 703 ("Wettbewerb"): the competition table 0; the match
    // control bar's table button (entry 3) opens it too.
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 0, Screen_Id::WETTBEWERB_TABELLE);
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 3, Screen_Id::WETTBEWERB_TABELLE);
    (void)KNOPF_TEAM, (void)KNOPF_VEREIN;
}
