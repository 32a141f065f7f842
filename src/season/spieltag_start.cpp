// The first season's leagues without the season cycle: the configured start
// teams, the pairings and the matchdays in the calendar (the headless tools
// and the matchday tests play on it).
#include "season/kalender.h"
#include "season/paarungen.h"
#include "season/spieltag.h"
#include "season/wettbewerb.h"
#include "world/team.h"

std::vector<i32> Spieltag_Ligen_Starten() {
    std::vector<i32> ligen;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || w.spieltage <= 0 || (w.modus & WB_KO_SYSTEM) || w.vorherige_runde >= 0) continue;
        if (w.startteam_anzahl != w.teams || w.teams > WETTBEWERB_MAX_TEAMS) continue;
        for (int k = 0; k < w.teams; ++k) {
            w.aktuelle_team[k] = w.start_team[k];
            w.team_slots[k] = static_cast<u8>(k);
            Team_Set_Basisdaten(w.id, w.start_team[k]);
        }
        w.aktuelle_teams = w.teams;
        if (!Wettbewerb_Spielplan_Mischen(w)) continue;
        Wettbewerb_Paarungen_Setzen(w);
        const i32 slot = Kalender_Termine_Verteilen(w.spieltage * w.best_of_x, -1, 0, w.wochentag, w.quote_wochentag,
                                                    w.startwoche, w.endwoche, w.super_alias, w.spielfrei_start,
                                                    w.spielfrei_ende, -1, false, false);
        if (slot < 0) continue;
        w.kalendermarke = slot;
        ligen.push_back(w.id);
    }
    return ligen;
}
