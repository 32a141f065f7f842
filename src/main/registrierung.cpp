// Start-up registration of the layers' hooks.
//
// Each layer that is built into the program (KORDAVO_HAT_<LAYER>, set by
// the build for every library that exists) fills its entries here, for
// example
//
//   #if KORDAVO_HAT_SEASON
//       Main_Hooks.Kalender_Run = Kalender_Run;
//   #endif
//
// Entries left alone keep their do-nothing defaults (the frame default draws
// a plain screen), so the program runs with whatever layers exist.
#include "main/registrierung.h"

#include "platform/hooks.h"

void Main_Registrieren() {
    // The platform layer's table (platform/hooks.h):
    //   sound start, the 22 resource archives, fonts   -> graphics
    //   Verbindung_Start/Pump/Server_Clients, Socket_Event,
    //   Server_Frame, Client_Frame                     -> net
    //   Kalender_Run                                   -> season
    //   Video_Init, Video_Overlay                      -> graphics (video)
    //   Grafik_Sound_Freigeben, Archive_Schliessen     -> graphics
    // The base layer's tables (Tools_Set_Hooks, Meldung_Set_Hooks) are filled
    // here as well once their layers exist.
}
