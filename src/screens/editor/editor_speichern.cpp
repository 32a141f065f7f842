// Saving, reloading and leaving the editor (each after its question).
#include "screens/editor/editor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/config.h"
#include "base/cp1252.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/spielstand.h"
#include "base/tempstr.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/eingabe.h"
#include "gui/gesicht.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "screens/editor/attribut_edit.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor_intern.h"
#include "screens/editor/wappen.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "season/freundschaft.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_schreiben.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

using namespace editor_intern;

// --- The buttons ----------------------------------------------------------------------------

namespace {

std::string pfad(int art, int alias) {
    const char* p = Read_Config_Get_Filenamen(art, SATZ, alias);
    return p ? p : "";
}

// The files written aside first and swapped in together: the old files
// stay whole when any of them cannot be written.
bool alle_schreiben() {
    struct Datei {
        std::string ziel, neu;
    };
    const std::string team = pfad(CONFIG_TEAM, 0), team_alias = pfad(CONFIG_TEAM, 1);
    const std::string spieler = pfad(CONFIG_SPIELER, 0), spieler_alias = pfad(CONFIG_SPIELER, 1);
    if (team.empty() || spieler.empty()) return false;
    const std::string n = ".neu";
    std::vector<Datei> dateien = {{team, team + n}, {spieler, spieler + n}};
    if (!team_alias.empty()) dateien.push_back({team_alias, team_alias + n});
    if (!spieler_alias.empty() && spieler_alias != team_alias) dateien.push_back({spieler_alias, spieler_alias + n});
    auto aufraeumen = [&] {
        for (const Datei& d : dateien) std::remove(W32_Pfad_Uebersetzen(d.neu.c_str()).c_str());
    };
    bool ok = Convert_Team_Config_Speichern_Pfad((team + n).c_str(),
                                                 team_alias.empty() ? nullptr : (team_alias + n).c_str(),
                                                 EDITOR_INFOTEXT) &&
              Convert_Spieler_Config_Speichern_Pfad(
                  (spieler + n).c_str(), spieler_alias.empty() ? nullptr : (spieler_alias + n).c_str(),
                  EDITOR_INFOTEXT);
    // The competitions last: their writer replaces its file whole itself.
    if (ok) ok = Config_Modify_Set() == SATZ && Wettbewerb_Config_Schreiben(SATZ, EDITOR_INFOTEXT);
    if (!ok) {
        aufraeumen();
        return false;
    }
    for (const Datei& d : dateien) {
        const std::string von = W32_Pfad_Uebersetzen(d.neu.c_str()), nach = W32_Pfad_Uebersetzen(d.ziel.c_str());
        if (std::rename(von.c_str(), nach.c_str()) != 0) {
            aufraeumen();
            return false;
        }
    }
    return true;
}

void speichern_ja(i32, const i32*) { Editor_Speichern(); }
void laden_ja(i32, const i32*) { Editor_Neu_Laden(); }
void beenden_ja(i32, const i32*) { Editor_Beenden(); }

}  // namespace

bool Editor_Speichern() {
    if (st.feld.aktiv) Editor_Feld_Zuruecksetzen();
    if (!alle_schreiben()) {
        Meldung_Printf("%s", text(T_SPEICHERN_FEHLER));
        return false;
    }
    // The binary cache of the set would hide the new text from the next game.
    Spielstand_Config_Loeschen(SATZ);
    Menue_Requester(1, Team_Aktiv, text(T_GESPEICHERT), text(T_OK), nullptr, nullptr, nullptr);
    return true;
}

bool Editor_Neu_Laden() {
    Editor_Feld_Zuruecksetzen();
    Editor_Wahl_Schliessen();
    int ok = 0;
    if (!Team(SATZ) || !Spieler(&ok) || !ok) {
        Team_Free_Ladepuffer();
        Meldung_Printf("%s", text(T_LADEN_FEHLER));
        return false;
    }
    Team_Set_Wappen_Flags();
    Config_Modify_Init(SATZ, SATZ);
    if (Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) Team_Aktiv = Aktuelles_Team = 0;
    spieler_marke_setzen(-1, -1);
    team_marke_setzen(-1);
    Editor_Teamliste(0, st.sortierung);
    Editor_Spielerliste(Team_Aktiv);
    return true;
}

void Editor_Beenden() {
    Editor_Feld_Zuruecksetzen();
    Config_Modify_Free();
    Screen_Schliessen(Screen_Id::EDITOR);
    Screen_Oeffnen(Screen_Id::SPIELSTART);
}

void Editor_Speichern_Frage(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Requester(2, Team_Aktiv, text(T_SPEICHERN), text(T_JA), text(T_NEIN), speichern_ja, nullptr);
}

void Editor_Neu_Laden_Frage(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Requester(2, Team_Aktiv, text(T_NEU_LADEN), text(T_JA), text(T_NEIN), laden_ja, nullptr);
}

void Editor_Beenden_Frage(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Requester(2, Team_Aktiv, text(T_BEENDEN), text(T_JA), text(T_NEIN), beenden_ja, nullptr);
}
