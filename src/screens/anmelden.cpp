// The one place where the screens are registered: each screen's record and
// the main menu's launch entries that open it.
#include "screens/anmelden.h"

#include "screens/club/bank.h"
#include "screens/club/finanzen.h"
#include "screens/club/optionen.h"
#include "screens/club/rangliste_screen.h"
#include "screens/club/spielstand.h"
#include "screens/club/stadion_screen.h"
#include "screens/club/werbung_screen.h"
#include "gui/hauptmenue.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/screens.h"
#include "screens/squad/kader.h"

namespace {
// Dialog buttons of the main menu's launch table (icons 702..705).
constexpr int KNOPF_TEAM = 0, KNOPF_WETTBEWERB = 1, KNOPF_VEREIN = 2, KNOPF_SPIEL = 3;
}  // namespace

void Screens_Anmelden() {
    Screens_Zuruecksetzen();
    Screen_Registrieren(Screen_Id::OPTIONEN, Optionen_Screen_Def());
    Screen_Registrieren(Screen_Id::KADER, E1_Screen_Def());
    Screen_Registrieren(Screen_Id::LADEN, Disk_Screen_Laden_Def());
    Screen_Registrieren(Screen_Id::SPEICHERN, Disk_Screen_Speichern_Def());
    Screen_Registrieren(Screen_Id::BANK, Bank_Screen_Def());
    Screen_Registrieren(Screen_Id::FINANZEN, Finanz_Screen_Def());
    Screen_Registrieren(Screen_Id::WETTBEWERB_TABELLE, Wettbewerb_Tabelle_Screen_Def());

    // Dialog button 702 ("Team"): squad and line-up 0.
    Screen_Launch_Eintragen(KNOPF_TEAM, 0, Screen_Id::KADER);
    // Dialog button 705 ("Spiel"): load 0, save 1, options 2; 3 ends the program.
    Screen_Launch_Eintragen(KNOPF_SPIEL, 0, Screen_Id::LADEN);
    Screen_Launch_Eintragen(KNOPF_SPIEL, 1, Screen_Id::SPEICHERN);
    Screen_Launch_Eintragen(KNOPF_SPIEL, 2, Screen_Id::OPTIONEN);
    // The match control bar's load and save buttons (its buttons 7 and 8).
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 7, Screen_Id::LADEN);
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 8, Screen_Id::SPEICHERN);
    // Dialog button 704 ("Verein"): bank 0, finances 3.
    Screen_Launch_Eintragen(KNOPF_VEREIN, 0, Screen_Id::BANK);
    Screen_Launch_Eintragen(KNOPF_VEREIN, 3, Screen_Id::FINANZEN);
    // Dialog button 703 ("Wettbewerb"): the competition table 0; the match
    // control bar's table button (entry 3) opens it too.
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 0, Screen_Id::WETTBEWERB_TABELLE);
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 3, Screen_Id::WETTBEWERB_TABELLE);

    // The club's facilities: advertising 704/1, stadium 704/2.
    Screen_Registrieren(Screen_Id::STADION, Stadion_Screen_Def());
    Screen_Registrieren(Screen_Id::WERBUNG, Werbung_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_VEREIN, 1, Screen_Id::WERBUNG);
    Screen_Launch_Eintragen(KNOPF_VEREIN, 2, Screen_Id::STADION);
    // The competition screen's results (703/1, the match control bar's
    // results button) and team overview (703/2).
    Screen_Registrieren(Screen_Id::WETTBEWERB_ERGEBNISSE, Wettbewerb_Ergebnisse_Screen_Def());
    Screen_Registrieren(Screen_Id::WETTBEWERB_UEBERSICHT, Wettbewerb_Uebersicht_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 1, Screen_Id::WETTBEWERB_ERGEBNISSE);
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 2, Screen_Id::WETTBEWERB_UEBERSICHT);
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 4, Screen_Id::WETTBEWERB_ERGEBNISSE);
    // The ranking screen (703/3).
    Screen_Registrieren(Screen_Id::RANGLISTE, Rangliste_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 3, Screen_Id::RANGLISTE);
}
