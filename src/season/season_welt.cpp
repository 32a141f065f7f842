#include "season/season_welt.h"

#include <algorithm>

#include "season/kalender.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/werbung.h"
#include "world/aufstellung.h"

namespace {

int config_set = 0;

int manager_ist_dran(i32* aus, int max) {
    i32 alle[1000];
    int n = Manager_Ist_Dran(alle, 0, 0);
    n = std::clamp(n, 0, std::min(max, 1000));
    std::copy(alle, alle + n, aus);
    return n;
}

const char* kontinent_name(int i) {
    if (i < 0 || i >= KONTINENT_ANZAHL || !Kontinent_Tabelle[i].name[0]) return nullptr;
    return Kontinent_Tabelle[i].name;
}

u8* team_optionen() {
    if (Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return nullptr;
    return static_cast<u8*>(Team_Zeiger(306, Team_Aktiv, nullptr, 0));
}

}  // namespace

void Season_Welt_Anbinden(int set) {
    config_set = set;
    Season_Welt.Team_Anzahl = []() { return static_cast<int>(Team_Anzahl); };
    Season_Welt.Team_Aktiv = []() { return static_cast<int>(Team_Aktiv); };
    Season_Welt.Set_Team_Aktiv = [](int t) { Team_Aktiv = t; };
    Season_Welt.Manager_Ist_Dran = manager_ist_dran;
    Season_Welt.Global_Cfg_Laden = []() { Global_Cfg_Laden(config_set); };
    Season_Welt.Global_Cfg_Reset = Global_Cfg_Reset;
    Season_Welt.Kontinent_Name = kontinent_name;
    Season_Welt.Team_Init_Leer = Team_Init_Leer;
    Season_Welt.Team_Free_Ladepuffer = Team_Free_Ladepuffer;
    Season_Welt.Team_Nach_Spieler = [](u8 b) { Team_Nach_Spieler(b); };
    Season_Welt.Team_Init_Aufstellungen = Team_Init_Aufstellungen;
    Season_Welt.Team_Free = Team_Free;
    Season_Welt.Spieler_Init_Texte = Spieler_Init_Texte;
    Season_Welt.Spieler_Free = Spieler_Free;
    Season_Welt.Bank_Init = Bank_Init;
    Season_Welt.Bank_Free = Bank_Free;
    Season_Welt.Stadion_Init = Stadion_Init;
    Season_Welt.Stadion_Free = Stadion_Free;
    Season_Welt.Werbung_Init = Werbung_Init;
    Season_Welt.Werbung_Init_Manager_Teams = Werbung_Init_Manager_Teams;
    Season_Welt.Team_Optionen = team_optionen;
    Season_Welt.Stadion_Modell_Setzen = Stadion_Modell_Setzen;
    Season_Welt.Werbung_Wert_Setzen = Werbung_Wert_Setzen;
    Season_Welt.Stadion_Level_Setzen = Stadion_Level_Setzen;
    Season_Welt.Team_Staerke_Modus = [](int t, u32 m) {
        return t >= 0 && t < Team_Anzahl ? Team_Get_Staerke_Modus(t, m) : 0;
    };
    Season_Welt.Team_Name = [](int t, char* puffer) -> const char* {
        puffer[0] = 0;
        if (t < 0 || t >= Team_Anzahl) return puffer;
        const char* n = Team_String(721, t, puffer, 0);
        return n ? n : puffer;
    };
    Season_Welt.Team_Vergleiche = [](int a, int b, i32 aus[4], u32 m) {
        for (int i = 0; i < 4; ++i) aus[i] = 0;
        if (a >= 0 && a < Team_Anzahl && b >= 0 && b < Team_Anzahl) Team_Vergleiche_Abw_Mit_Stu(a, b, aus, m);
    };
}
