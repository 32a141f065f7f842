#include "matchday/saison_anmelden.h"

#include "base/types.h"
#include "matchday/saison.h"
#include "matchday/season_netz.h"
#include "matchday/spieltag.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/netz_rufe.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/rangliste.h"
#include "season/richter.h"
#include "season/season_hooks.h"
#include "season/season_spielstand.h"
#include "world/global.h"

void Saison_Module_Anmelden() {
    // The world's calls upwards (season keys of global.cfg, today's day,
    // a player's statistics).
    Welt_Set_Hooks({
        .global_cfg_schluessel = Global_Cfg_Schluessel,
        .kalender_tag = [] { return Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0; },
        .spieler_statistik = Spiele_Spieler_Statistik,
    });
    // Save blocks of the calendar, fixtures and competitions.
    Season_Spielstand_Anmelden();
    // The matchday runner in the season's hooks, and the match engine's
    // hooks it answers (fixture lookup, end check, events, readiness).
    Spieltag_Hooks_Installieren();
    Season_Module.Spieltag_Team_Offen_Ankuendigen = [](int team) { return Spieltag_Team_Offen_Ankuendigen(team); };
    // The season cycle: yearly set-up, daily work, the end of a matchday.
    Saison_Hooks_Installieren();
    News_Hooks_Installieren();
    Ereignis_Hooks_Installieren();
    Richter_Hooks_Installieren();
    Rangliste_Hooks_Installieren();
    // Match announcements: the first save block, the run loop's pass, the
    // screens' presence (their pages come from the menu engine's hooks).
    Spielankuendigung_Spielstand_Anmelden();
    Season_Module.Spielankuendigung_Run = Spielankuendigung_Run;
    Season_Module.Spielankuendigung_Puffer_Leer = Spielankuendigung_Puffer_Leer;
    Season_Module.Spielankuendigung_Jetzt = [](int art, bool leer) {
        return Spielankuendigung_Jetzt(static_cast<u32>(art), leer);
    };
    Season_Gui.Ankuendigung_Screen_Offen = Spielankuendigung_Screen_Offen;
    // The server rows of the season's remote calls.
    Season_Netz_Anmelden();
}
