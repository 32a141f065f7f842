// Start-up registration of the layers' hooks.
//
// Each layer that is built into the program (KORDAVO_HAT_<LAYER>, set by
// the build for every library that exists) fills its entries here. Entries
// left alone keep their do-nothing defaults (the frame default draws a plain
// screen), so the program runs with whatever layers exist.
#include "main/registrierung.h"

#include "platform/hooks.h"

#if KORDAVO_HAT_WORLD
#include "world/netz_rufe.h"
#include "world/speichern.h"
#endif
#if KORDAVO_HAT_GRAPHICS
#include "graphics/grafik_start.h"
#endif
#if KORDAVO_HAT_SEASON
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "season/season_spielstand.h"
#include "world/global.h"
#endif

namespace {
// Configuration set of a new game: set 0 is the shipped "1_*.cfg" files.
constexpr int kStartSet = 0;
}  // namespace

void Main_Registrieren() {
#if KORDAVO_HAT_WORLD
    // Save blocks 8 to 12 and 14, and the world's part of the configuration cache.
    Welt_Spielstand_Anmelden();
    // The server rows of the world's remote calls and blocks.
    Welt_Netz_Anmelden();
#endif
#if KORDAVO_HAT_SEASON
    // The world's calls upwards (season keys of global.cfg, today's day);
    // the global.cfg a new game loads.
    Welt_Set_Hooks({
        .global_cfg_schluessel = Global_Cfg_Schluessel,
        .kalender_tag = [] { return Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0; },
    });
    Kalender_Set_Spielstart(kStartSet);
    // Save blocks of the calendar, fixtures and competitions.
    Season_Spielstand_Anmelden();
#endif
#if KORDAVO_HAT_GRAPHICS
    // The 22 resource archives at start-up, the screen surface, darkening
    // table and fonts after the display; released at shutdown.
    Main_Hooks.Archive_Oeffnen = Grafik_Archive_Oeffnen;
    Main_Hooks.Fonts_Laden = Grafik_Fonts_Laden;
    Main_Hooks.Grafik_Sound_Freigeben = Grafik_Freigeben;
    Main_Hooks.Archive_Schliessen = Grafik_Archive_Schliessen;
    Grafik_Tools_Anmelden();
#endif
    // Still at their defaults, filled as their layers arrive:
    //   Main_Hooks.Kalender_Run                        -> season, together with the
    //                                                     new-game wizard screen (without
    //                                                     screens the season would run
    //                                                     its days unseen)
    //   sound start, video, Meldung_Set_Hooks          -> sound and the menu engine
    //   Verbindung_*, Socket_Event, Server_Frame,
    //   Client_Frame, the world's and season's
    //   network hooks                                  -> network play
}
