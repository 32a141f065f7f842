// The season's upward hook tables (see season_hooks.h).
#include "season/season_hooks.h"

#include "season/kalender_lauf.h"
#include "world/aufstellung.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

constinit Season_Gui_Hooks gui{};
constinit Season_Module_Hooks module{};
constinit Season_Netz_Hooks netz{};

}  // namespace

const Season_Gui_Hooks& Season_Gui = gui;
const Season_Module_Hooks& Season_Module = module;
const Season_Netz_Hooks& Season_Netz = netz;

bool Season_Spielstart_Sofort(int, uint8_t* wizard_byte) {
    if (wizard_byte) *wizard_byte = 0;
    return true;
}

void Season_Auto_Aufstellung(int team) {
    if (team < 0 || team >= Team_Anzahl) return;
    Team_Aufstellung_Manuell(team);
    Aufstellung_Automatisch(team);
    Team_Wert(TEAM_WERT_FORMATION, team, 128, OP_BITS_SETZEN);
}

void Season_Laden_Sofort(int slot) { K_NEUER_TAG(KALENDER_LADEN, slot); }

void Season_Gui_Set_Hooks(const Season_Gui_Hooks& h) { gui = h; }
void Season_Module_Set_Hooks(const Season_Module_Hooks& h) { module = h; }
void Season_Netz_Set_Hooks(const Season_Netz_Hooks& h) { netz = h; }

void Season_Hooks_Zuruecksetzen() {
    gui = {};
    module = {};
    netz = {};
}
