// Start-up registration of the layers' hooks.
//
// Each layer that is built into the program (KORDAVO_HAT_<LAYER>, set by
// the build for every library that exists) fills its entries here. Entries
// left alone keep their do-nothing defaults (the frame default draws a plain
// screen), so the program runs with whatever layers exist.
#include "main/registrierung.h"

#include "platform/hooks.h"

#if KORDAVO_HAT_WORLD
#include "world/speichern.h"
#endif
#if KORDAVO_HAT_NET
#include "base/spielstand.h"
#include "base/tools.h"
#include "net/netz_start.h"
#include "net/slots.h"
#endif
#if KORDAVO_HAT_SEASON
#include "season/season_spielstand.h"
#include "season/season_welt.h"
#endif

namespace {
// Configuration set of a new game: set 0 is the shipped "1_*.cfg" files.
constexpr int kStartSet = 0;
}  // namespace

void Main_Registrieren() {
#if KORDAVO_HAT_WORLD
    // Save blocks 8 to 12 and 14, and the world's part of the configuration cache.
    Welt_Spielstand_Anmelden();
#endif
#if KORDAVO_HAT_SEASON
    // The season's view of the world data, and the world's calls upwards
    // (season keys of global.cfg, today's day).
    Season_Welt_Anbinden(kStartSet);
    // Save blocks of the calendar, fixtures and competitions.
    Season_Spielstand_Anmelden();
#endif
#if KORDAVO_HAT_NET
    // Network start, connection pump, server receive work, the server's and
    // the client's part of the frame, socket events.
    Netz_Main_Hooks_Eintragen(&Main_Hooks);
    // The connections close after a game was loaded and when the program ends.
    Spielstand_Set_Hooks({.netz_schliessen = Netz_Verbindungen_Schliessen});
    Tools_Set_Hooks({.programm_beenden = Netz_Verbindungen_Schliessen});
#endif
    // Still at their defaults, filled as their layers arrive:
    //   Main_Hooks.Kalender_Run                        -> season, together with the
    //                                                     new-game wizard screen (without
    //                                                     screens the season would run
    //                                                     its days unseen)
    //   sound start, the 22 resource archives, fonts,
    //   video, Tools_Set_Hooks, Meldung_Set_Hooks      -> graphics and the menu engine
    //   the world's and season's network hooks,
    //   the network layer's packet and signal hooks    -> the network protocol
}
