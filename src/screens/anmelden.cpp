// The one place where the screens are registered: each screen's record and
// the main menu's launch entries that open it.
#include "screens/anmelden.h"

#include "screens/club/bank.h"
#include "screens/club/finanzen.h"
#include "screens/club/optionen.h"
#include "screens/screens.h"

namespace {
// Dialog buttons of the main menu's launch table (icons 702..705).
constexpr int KNOPF_TEAM = 0, KNOPF_WETTBEWERB = 1, KNOPF_VEREIN = 2, KNOPF_SPIEL = 3;
}  // namespace

void Screens_Anmelden() {
    Screens_Zuruecksetzen();
    Screen_Registrieren(Screen_Id::OPTIONEN, Optionen_Screen_Def());
    Screen_Registrieren(Screen_Id::BANK, Bank_Screen_Def());
    Screen_Registrieren(Screen_Id::FINANZEN, Finanz_Screen_Def());

    // Dialog button 705 ("Spiel"): load 0, save 1, options 2; 3 ends the program.
    Screen_Launch_Eintragen(KNOPF_SPIEL, 2, Screen_Id::OPTIONEN);
    // Dialog button 704 ("Verein"): bank 0, finances 3.
    Screen_Launch_Eintragen(KNOPF_VEREIN, 0, Screen_Id::BANK);
    Screen_Launch_Eintragen(KNOPF_VEREIN, 3, Screen_Id::FINANZEN);
    (void)KNOPF_TEAM, (void)KNOPF_WETTBEWERB;
}
