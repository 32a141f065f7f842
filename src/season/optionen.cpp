#include "season/optionen.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "base/bereich.h"
#include "base/config.h"
#include "base/meldung.h"
#include "base/tools.h"
#include "base/types.h"
#include "season/kalender_lauf.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

// Team_Zeiger kind of a manager's settings record.
constexpr int TEAM_ZEIGER_MANAGER_EINSTELLUNGEN = 306;

Optionen_Block block;
// Stadium model selected by the last STADION_MODELL_n key (0 none).
int stadion_modell = 0;
int manager_team_gelesen = 0;
i32 spiel_fast_cfg = 0;

void defaults() {
    static const i32 vorgabe[30] = {0, 0, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1,
                                    1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, OPTION_CLIENT_ZUGZEIT_VORGABE, 0, 0, 0};
    block.anz_teams = 1;
    for (auto& m : block.manager_team) m = 0;
    std::memcpy(block.wert, vorgabe, sizeof vorgabe);
}

struct Start {
    Start() { defaults(); }
} start;

// The three-byte settings record of the active team's manager, or null.
u8* team_optionen() {
    if (Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return nullptr;
    return static_cast<u8*>(Team_Zeiger(TEAM_ZEIGER_MANAGER_EINSTELLUNGEN, Team_Aktiv, nullptr, 0));
}

}  // namespace

void Optionen_Reset() { defaults(); }
Optionen_Block& Optionen_Get() { return block; }

void Optionen_Schreiben(u8* out) {
    bytes::bild_schreiben(out, OPTIONEN_GROESSE, [](bytes::Schreiber& s) { s(block); });
}

void Optionen_Lesen(const u8* in) {
    bytes::Leser l(in, OPTIONEN_GROESSE);
    l(block);
}

bool Optionen_Gueltig(const u8* in) {
    Optionen_Block b;
    bytes::Leser l(in, OPTIONEN_GROESSE);
    l(b);
    static_assert(MAX_TEAMS - 1 == 999, "the manager teams' range");
    return !l.fehler && Felder_Pruefen("Optionen", b, OPTIONEN_FELDER);
}

i32 Option_Client_Zugzeit_Ms() {
    const i32 minuten = block.wert[OPTION_CLIENT_ZUGZEIT];
    return minuten > 0 && minuten <= OPTION_CLIENT_ZUGZEIT_MAX ? minuten * 60000 : 0;
}

i32 Option_Wert(i32 index, i32 setzen, i32 wert) {
    if (index >= 0 && index < OPTIONEN_WERTE) {
        if (setzen) block.wert[index] = wert;
        return block.wert[index];
    }
    if (index >= OPTION_TEAM_ERSTE && index <= OPTION_TEAM_LETZTE) {
        u8* t = team_optionen();
        if (!t) return wert;
        if (index < OPTION_TEAM_BIT_0) {
            if (setzen) t[index - OPTION_TEAM_ERSTE] = static_cast<u8>(static_cast<i8>(wert));
            return static_cast<i8>(t[index - OPTION_TEAM_ERSTE]);
        }
        u8 bit = index == OPTION_TEAM_BIT_0 ? 1 : 2;
        if (setzen) {
            if (wert & 1) t[2] |= bit;
            else t[2] &= static_cast<u8>(~bit);
        }
        return (t[2] & bit) ? 1 : 0;
    }
    if (index == OPTION_ANZ_TEAMS) {
        if (setzen == 1) block.anz_teams = wert;
        return block.anz_teams;
    }
    if (index == OPTION_MANAGER_TEAM) {
        if (setzen == 0) {
            if (wert >= 0 && wert < OPTIONEN_MANAGER_TEAMS) return block.manager_team[wert];
            return wert;
        }
        if (setzen == 1) {
            i32 eintrag = ((wert % OPTIONEN_MANAGER_TEAMS) + OPTIONEN_MANAGER_TEAMS) % OPTIONEN_MANAGER_TEAMS;
            block.manager_team[eintrag] = wert / OPTIONEN_MANAGER_TEAMS;
            return wert;
        }
    }
    return wert;
}

int Global_Cfg_Manager_Team_Anzahl() { return manager_team_gelesen; }

int Global_Cfg_Schluessel(const char* schluessel) {
    // The value is read from the line only for a known key.
    return Global_Cfg_Schluessel_Wert(schluessel, INT32_MIN);
}

int Global_Cfg_Schluessel_Wert(const char* schluessel, i32 wert) {
    if (!schluessel) return 0;
    struct Modellfeld {
        const char* name;
        i32 max;
    };
    static const Modellfeld modell[8] = {{"MIN_KAPAZITAET", 150000},
                                         {"MAX_KAPAZITAET", 150000},
                                         {"BAUPREIS", 500000000},
                                         {"PLATZ_BAUPREIS", 5000},
                                         {"GRUNDPREIS_PRO_SPIEL", 5000000},
                                         {"KOMFORT_BAUPREIS", 5000000},
                                         {"PLATZKOSTEN", 10000},
                                         {"NORMKOMFORT", 100}};
    struct Werbefeld {
        const char* name;
        i32 min, max;
    };
    static const Werbefeld werbung[10] = {{"WERBUNG_GRUNDPREIS", 0, 100},
                                          {"WERBUNG_BANDE_AUFPREIS", 0, 500},
                                          {"WERBUNG_TV_AUFPREIS", 0, 500},
                                          {"WERBUNG_HAUPTSPONSOR_AUFPREIS", 0, 500},
                                          {"WERBUNG_ERSATZPARTNER_AUFPREIS", 0, 500},
                                          {"WERBUNG_RANGLISTEN_PROGRESSION", 0, 999},
                                          {"WERBUNG_RANGLISTEN_PROGRESSION_GRENZE", 0, 500},
                                          {"WERBUNG_SUCHPREIS", 0, 100000},
                                          {"WERBUNG_SUCHPREIS_ADD", 0, 100000},
                                          {"WERBUNG_VERTRAGSDAUER", 5, 50}};
    // The value comes from the current configuration line unless given.
    auto wert_holen = [&]() { return wert == INT32_MIN ? Read_Config_Get_Wert() : wert; };

    for (int m = 1; m <= 6; ++m) {
        char name[24];
        std::snprintf(name, sizeof name, "STADION_MODELL_%d", m);
        if (std::strcmp(schluessel, name) == 0) {
            stadion_modell = m;
            return 1;
        }
    }
    for (int f = 0; f < 8; ++f) {
        if (std::strcmp(schluessel, modell[f].name) != 0) continue;
        if (stadion_modell == 0) {
            Meldung_Printf("Kein Stadion initialisiert");
            return 1;
        }
        Stadion_Modell_Setzen(stadion_modell, f, Tools_Clamp(wert_holen(), 0, modell[f].max, -1));
        return 1;
    }
    for (int f = 0; f < 10; ++f) {
        if (std::strcmp(schluessel, werbung[f].name) != 0) continue;
        Werbung_Wert_Setzen(f, Tools_Clamp(wert_holen(), werbung[f].min, werbung[f].max, -1));
        return 1;
    }
    if (std::strcmp(schluessel, "ANZ_TEAMS") == 0) {
        block.anz_teams = Tools_Clamp(wert_holen(), 1, 4, -1);
        return 1;
    }
    if (std::strcmp(schluessel, "MANAGER_TEAM") == 0) {
        i32 v = wert_holen();
        if (manager_team_gelesen < 4) block.manager_team[manager_team_gelesen] = v;
        if (manager_team_gelesen < 4) ++manager_team_gelesen;
        return 1;
    }
    if (std::strcmp(schluessel, "OPTION_TIMER") == 0) {
        block.wert[0] = Tools_Clamp(wert_holen(), 0, 540000, -1);
        return 1;
    }
    if (std::strcmp(schluessel, "SPIEL_FAST") == 0) {
        spiel_fast_cfg = Tools_Clamp(wert_holen(), 0, 1, -1);
        Kalender_Set_Spiel_Fast(spiel_fast_cfg);
        return 1;
    }
    if (std::strcmp(schluessel, "STADION_ZUSCHAUER_LEVEL") == 0) {
        Stadion_Level_Setzen(0, Tools_Clamp(wert_holen(), 0, 1000, -1));
        return 1;
    }
    if (std::strcmp(schluessel, "STADION_NORMPREIS_LEVEL") == 0) {
        Stadion_Level_Setzen(1, Tools_Clamp(wert_holen(), 1, 40, -1));
        return 1;
    }
    return 0;
}
