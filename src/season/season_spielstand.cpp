#include "season/season_spielstand.h"

#include "base/spielstand.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb_config.h"

void Season_Spielstand_Anmelden() {
    Spielstand_Modul k;
    k.name = "kalender";
    k.schreiben = Kalender_Save;
    k.lesen = Kalender_Lesen;
    k.uebernehmen = Kalender_Uebernehmen;
    k.verwerfen = Kalender_Verwerfen;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_KALENDER, k);
    Spielstand_Modul s;
    s.name = "spiele";
    s.schreiben = Spiele_Save;
    s.lesen = Spiele_Lesen;
    s.uebernehmen = Spiele_Uebernehmen;
    s.verwerfen = Spiele_Verwerfen;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELE, s);
    Wettbewerb_Config_Cache_Anmelden();
}

void Season_Spielstand_Abmelden() {
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_KALENDER);
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_SPIELE);
    Spielstand_Config_Modul_Abmelden(CONFIG_BLOCK_WETTBEWERBE);
}
