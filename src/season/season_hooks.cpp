#include "season/season_hooks.h"

#include "season/wettbewerb_config.h"

namespace {

int welt_team_anzahl() { return 0; }
int team_aktiv = 0;
int get_team_aktiv() { return team_aktiv; }
void set_team_aktiv(int t) { team_aktiv = t; }
int welt_manager_ist_dran(int32_t*, int) { return 0; }
void nichts() {}
void nichts_i(int) {}
void nichts_u8(uint8_t) {}
const char* kein_text_i(int) { return nullptr; }
const char* kein_text(const char*) { return nullptr; }
uint8_t* keine_optionen() { return nullptr; }
void nichts_modell(int, int, int32_t) {}
void nichts_feld(int, int32_t) {}
bool falsch() { return false; }
bool wahr() { return true; }
bool spielstart_beendet = false;
int skript_set = -1, skript_alias = -1;
bool wizard_fertig(int, uint8_t* b) {
    if (b) *b = 0;
    // The first call opens the wizard; a later one finishes it.
    if (!spielstart_beendet && skript_set >= 0) Wettbewerb_Config_Spielstart(skript_set, skript_alias);
    spielstart_beendet = true;
    return true;
}
bool ist_beendet() { return spielstart_beendet; }
void set_beendet(bool b) { spielstart_beendet = b; }
int null_i() { return 0; }
bool falsch_i(int) { return false; }
int ank_fertig(uint32_t) { return 0; }
int kein_read(int, const char*, void**, int) { return 0; }
int keine_staerke(int, uint32_t) { return 0; }
const char* kein_name(int, char* puffer) {
    if (puffer) puffer[0] = 0;
    return puffer ? puffer : "";
}
void kein_vergleich(int, int, int32_t aus[4], uint32_t) {
    for (int i = 0; i < 4; ++i) aus[i] = 0;
}
uint32_t keine_tabelle(const Tabelle_Argumente&, Tabelle*) { return 0xFFFFFFFFu; }
void nichts_i32(int32_t) {}
void nichts_b(bool) {}
bool keine_statistik(const Statistik_Argumente&, uint32_t*) { return false; }
void nichts_ii(int, int) {}
bool keine_ankuendigung(int, bool) { return false; }

}  // namespace

Season_Welt_Hooks Season_Welt;
Season_Gui_Hooks Season_Gui;
Season_Module_Hooks Season_Module;
Season_Netz_Hooks Season_Netz;

void Season_Wizard_Skript(int set, int alias_set) {
    skript_set = set;
    skript_alias = alias_set;
}

void Season_Hooks_Zuruecksetzen() {
    spielstart_beendet = false;
    skript_set = skript_alias = -1;
    team_aktiv = 0;
    Season_Welt = Season_Welt_Hooks{
        welt_team_anzahl, get_team_aktiv, set_team_aktiv, welt_manager_ist_dran, nichts, nichts, kein_text_i,
        nichts, nichts, nichts_u8, nichts, nichts_i, nichts, nichts,
        nichts, nichts, nichts, nichts, nichts, nichts, keine_optionen,
        nichts_modell, nichts_feld, nichts_feld, keine_staerke, kein_name, kein_vergleich, nichts, nichts};
    Season_Gui = Season_Gui_Hooks{
        kein_text, nichts, nichts, nichts, nichts, nichts, wizard_fertig,
        ist_beendet, set_beendet, nichts_i, nichts_i, nichts, nichts, nichts_i, nichts,
        falsch_i, falsch, falsch, falsch, null_i, nichts, nichts, null_i,
        null_i, null_i, nichts_ii, nichts_i, nichts};
    Season_Module = Season_Module_Hooks{
        nichts, nichts, nichts, nichts, nichts, nichts, nichts, nichts,
        nichts, nichts, nichts, nichts, nichts, nichts, falsch, nichts,
        falsch_i, nichts, nichts, nichts, ank_fertig, wahr, nichts, falsch_i,
        nichts_i, nichts, nichts, falsch_i, falsch, nichts, keine_ankuendigung,
        keine_tabelle, nichts, nichts, nichts_i32, nichts_b, keine_statistik};
    Season_Netz = Season_Netz_Hooks{kein_read};
}

namespace {
struct Start {
    Start() { Season_Hooks_Zuruecksetzen(); }
} start;
}  // namespace
