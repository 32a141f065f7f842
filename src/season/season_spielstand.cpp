#include "season/season_spielstand.h"

#include "base/spielstand.h"
#include "season/kalender.h"
#include "season/news.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb_block.h"
#include "season/wettbewerb_config.h"

void Season_Spielstand_Anmelden() {
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_STATISTIK, {"statistik", Statistik_Save, Statistik_Lesen,
                                                           Statistik_Uebernehmen, Statistik_Verwerfen});
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_WETTBEWERBE,
                              {"wettbewerbe", Wettbewerb_Save, Wettbewerb_Lesen, Wettbewerb_Uebernehmen,
                               Wettbewerb_Verwerfen, Wettbewerb_Pruefen, true});  // written beside the others
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_KALENDER,
                              {"kalender", Kalender_Save, Kalender_Lesen, Kalender_Uebernehmen, Kalender_Verwerfen});
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELE,
                              {"spiele", Spiele_Save, Spiele_Lesen, Spiele_Uebernehmen, Spiele_Verwerfen});
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_NEWS, {"news", News_Save, News_Lesen, News_Uebernehmen, News_Verwerfen});
    Wettbewerb_Config_Cache_Anmelden();
}

void Season_Spielstand_Abmelden() {
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_STATISTIK);
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_WETTBEWERBE);
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_KALENDER);
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_SPIELE);
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_NEWS);
    Spielstand_Config_Modul_Abmelden(CONFIG_BLOCK_WETTBEWERBE);
}
