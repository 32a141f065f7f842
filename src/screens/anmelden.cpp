// The one place where the screens are registered: each screen's record and
// the main menu's launch entries that open it.
#include "screens/anmelden.h"

#include "screens/club/bank.h"
#include "screens/club/diagnose.h"
#include "screens/club/finanzen.h"
#include "screens/club/optionen.h"
#include "screens/club/rangliste_screen.h"
#include "screens/club/spielstand.h"
#include "screens/club/stadion_screen.h"
#include "screens/club/werbung_screen.h"
#include "gui/hauptmenue.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/editor/attribut_edit.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor.h"
#include "screens/editor/wappen.h"
#include "screens/market/scouting.h"
#include "screens/market/transfer.h"
#include "screens/screens.h"
#include "screens/squad/kader.h"
#include "screens/start/spielstart.h"
#include "screens/squad/attribut_popup.h"
#include "screens/match/ank_fenster.h"
#include "screens/match/im_spiel.h"
#include "screens/match/taktik_im_spiel.h"
#include "screens/squad/kaderansicht.h"
#include "screens/squad/spielerkarte.h"
#include "screens/squad/taktik.h"
#include "screens/training/film.h"
#include "screens/training/lager.h"
#include "screens/training/plan.h"
#include "screens/training/talente.h"

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
    Screen_Registrieren(Screen_Id::SPIELSTART, Spielstart_Screen_Def());

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
    // Dialog button 703 ("Wettbewerb"): the competition table 0.
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 0, Screen_Id::WETTBEWERB_TABELLE);

    // The match control bar's line-up and tactics buttons (its buttons 5
    // and 6): the windows over the running match.
    Screen_Registrieren(Screen_Id::IM_SPIEL_AUFSTELLUNG, E_Im_Spiel_Screen_Def());
    Screen_Registrieren(Screen_Id::IM_SPIEL_TAKTIK, Taktik_Im_Spiel_Screen_Def());
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 5, Screen_Id::IM_SPIEL_AUFSTELLUNG);
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 6, Screen_Id::IM_SPIEL_TAKTIK);

    // Dialog button 702 ("Team"): the squad view 1 and the tactics 2.
    Screen_Registrieren(Screen_Id::KADER_ANSICHT, E2_Screen_Def());
    Screen_Registrieren(Screen_Id::TAKTIK, Taktik_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_TEAM, 1, Screen_Id::KADER_ANSICHT);
    Screen_Launch_Eintragen(KNOPF_TEAM, 2, Screen_Id::TAKTIK);
    // The player card every list opens (its talents button opens the
    // talents screen below).
    Screen_Registrieren(Screen_Id::SPIELERKARTE, Spielerkarte_Screen_Def());

    // The transfer market: the transfer screen (dialog button 702, entry 3)
    // and the scouting screen it sends a scout to.
    Screen_Registrieren(Screen_Id::TRANSFER, Transfer_Screen_Def());
    Screen_Registrieren(Screen_Id::SCOUTING, Scouting_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_TEAM, 3, Screen_Id::TRANSFER);

    // Training: the sheet (702/4) with the talents tree and the training
    // film over it, the camp (702/5) and its run.
    Screen_Registrieren(Screen_Id::TRAININGSPLAN, Spieler_Training_Screen_Def());
    Screen_Registrieren(Screen_Id::TALENTE, Spieler_Talente_Screen_Def());
    Screen_Registrieren(Screen_Id::TRAININGSFILM, Spieler_Training2_Screen_Def());
    Screen_Registrieren(Screen_Id::TRAININGSLAGER, Trainings_Lager_Screen_Def());
    Screen_Registrieren(Screen_Id::TRAININGSLAGER_LAUF, Trainings_Lager_Run_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_TEAM, 4, Screen_Id::TRAININGSPLAN);
    Screen_Launch_Eintragen(KNOPF_TEAM, 5, Screen_Id::TRAININGSLAGER);

    // The club's facilities: advertising 704/1, stadium 704/2.
    Screen_Registrieren(Screen_Id::STADION, Stadion_Screen_Def());
    Screen_Registrieren(Screen_Id::WERBUNG, Werbung_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_VEREIN, 1, Screen_Id::WERBUNG);
    Screen_Launch_Eintragen(KNOPF_VEREIN, 2, Screen_Id::STADION);
    // The competition screen's results (703/1) and team overview (703/2).
    Screen_Registrieren(Screen_Id::WETTBEWERB_ERGEBNISSE, Wettbewerb_Ergebnisse_Screen_Def());
    Screen_Registrieren(Screen_Id::WETTBEWERB_UEBERSICHT, Wettbewerb_Uebersicht_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 1, Screen_Id::WETTBEWERB_ERGEBNISSE);
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 2, Screen_Id::WETTBEWERB_UEBERSICHT);
    // The ranking screen (703/3).
    Screen_Registrieren(Screen_Id::RANGLISTE, Rangliste_Screen_Def());
    Screen_Launch_Eintragen(KNOPF_WETTBEWERB, 3, Screen_Id::RANGLISTE);

    // The data editor (the start screen's editor button) with its attribute
    // edit, look and crest pages; the diagnostic page (the hidden key mode).
    Screen_Registrieren(Screen_Id::EDITOR, Editor_Screen_Def());
    Screen_Registrieren(Screen_Id::EDITOR_ATTRIBUTE, Attribut_Edit_Screen_Def());
    Screen_Registrieren(Screen_Id::EDITOR_AUSSEHEN, Editor_Aussehen_Screen_Def());
    Screen_Registrieren(Screen_Id::EDITOR_WAPPEN, Editor_Wappen_Screen_Def());
    // Once every attribute was given by the cheat, the attribute popup hands
    // over to the attribute choice.
    Screen_Registrieren(Screen_Id::ATTRIBUT_WAHL, Attribut_Wahl_Screen_Def());
    Screen_Registrieren(Screen_Id::ATTRIBUT_POPUP, Attribut_Popup_Def());

    // The match control bar's table and results buttons (its buttons 3
    // and 4): the small windows over the running match.
    Screen_Registrieren(Screen_Id::SPIEL_TABELLE, Ank_Fenster_Tabelle_Screen_Def());
    Screen_Registrieren(Screen_Id::SPIEL_ERGEBNISSE, Ank_Fenster_Ergebnisse_Screen_Def());
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 3, Screen_Id::SPIEL_TABELLE);
    Screen_Launch_Eintragen(MENUE_LAUNCH_LEISTE, 4, Screen_Id::SPIEL_ERGEBNISSE);
    // The developers' balance page of the hidden key mode.
    Screen_Registrieren(Screen_Id::DIAGNOSE, Diagnose_Screen_Def());
}
