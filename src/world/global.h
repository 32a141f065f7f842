// The global configuration of the world: continents, scouts, training camps,
// special attributes, price factor and the general parameters; prices.
#pragma once

#include "base/types.h"

constexpr int KONTINENT_ANZAHL = 15;
constexpr int SCOUT_ANZAHL = 4;
constexpr int TRAININGSLAGER_ANZAHL = 8;

struct Kontinent_Def {
    char name[32];
    u8 hat_laender;
};

struct Scout_Def {
    char vorname[24];
    char nachname[32];
    i32 grundpreis_factor;
    i32 gebietspreis[KONTINENT_ANZAHL];
    i32 wahrscheinlichkeitsfactor[KONTINENT_ANZAHL];
    i32 ueberredungskraft[KONTINENT_ANZAHL];
    i32 spieler_staerke_factor[KONTINENT_ANZAHL];
};

struct Trainingslager_Def {
    char name[40];
    i32 kosten;
    i32 moral;
    i32 erholung;
    i32 staerke;
    char info[160];
};

struct Attribut_Def {
    char name[32];
    char info1[96];
    i32 moeglich_wann[2];
    i32 noetige_punkte;    // NOETIGE_ENTWICKELUNGSPUNKTE
    i32 punkte_training;   // ENTWICKELUNGSPUNKTE_TRAINING
    i32 voraussetzung[3];  // -1 none
    i32 auswirkung[3];
};

// The general parameters (section ALGEMEINE_PARAMETER).
struct Global_Parameter {
    i32 training_punkte_schnell = 8;
    i32 training_punkte_langsam = 3;
    i32 training_punkte_max_zeit_schnelle_fase = 10;
    i32 training_absturz = 20;
    i32 training_extra_bonus = 5;
    i32 training_absturz_prozent[6][7] = {};
    i32 training_lager_staerke = 30;
    i32 training_lager_verletzung = 5;
    i32 training_lager_balken_staerke = 20;
    i32 training_lager_balken_moral = 20;
    i32 training_lager_balken_erholung = 20;
    i32 trainings_einheiten_pro_runde = 3;
    i32 compi_transfer_verkauf_abzug = 25;  // FAKTOR_0_100_COMPI_TRANSFER_VERKAUF_ABZUG
};

// The general parameters that are one number each, as global.cfg spells
// them (German and English keyword), with the range the reader accepts and
// the field: one table for the reader, the writer and the world generator
// (which writes the defaults above). The six lists of
// TRAINING_ABSTURZ_PROCENT_PARAM are written after the first
// GLOBAL_PARAMETER_VOR_LISTEN entries.
struct Global_Parameter_Zahl {
    const char* deutsch;
    const char* englisch;
    i32 min, max;
    i32 Global_Parameter::*feld;
};
inline constexpr Global_Parameter_Zahl GLOBAL_PARAMETER_ZAHLEN[] = {
    {"TRAINING_PUNKTE_SCHNELL_PARAM", "TRAINING_POINTS_FAST_PARAM", 0, 1000, &Global_Parameter::training_punkte_schnell},
    {"TRAINING_PUNKTE_LANGZAM_PARAM", "TRAINING_POINTS_SLOW_PARAM", 0, 1000, &Global_Parameter::training_punkte_langsam},
    {"TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE", "TRAINING_POINTS_MAX_TIME_FAST_PHASE", 0, 1000,
     &Global_Parameter::training_punkte_max_zeit_schnelle_fase},
    {"TRAINING_ABSTURZ_PARAM", "TRAINING_DROP_PARAM", 0, 1000, &Global_Parameter::training_absturz},
    {"TRAINING_EXTRA_BONUS_PARAM", "TRAINING_EXTRA_BONUS_PARAM", 0, 1000, &Global_Parameter::training_extra_bonus},
    {"TRAINING_LAGER_STAERKE_PARAM", "TRAINING_CAMP_STRENGTH_PARAM", 0, 1000,
     &Global_Parameter::training_lager_staerke},
    {"TRAINING_LAGER_VERLETZUNG_PARAM", "TRAINING_CAMP_INJURY_PARAM", 0, 100,
     &Global_Parameter::training_lager_verletzung},
    {"TRAINING_LAGER_BALKEN_STAERKE_PARAM", "TRAINING_CAMP_BAR_STRENGTH_PARAM", 0, 1000,
     &Global_Parameter::training_lager_balken_staerke},
    {"TRAINING_LAGER_BALKEN_MORAL_PARAM", "TRAINING_CAMP_BAR_MORALE_PARAM", 0, 1000,
     &Global_Parameter::training_lager_balken_moral},
    {"TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM", "TRAINING_CAMP_BAR_RECOVERY_PARAM", 0, 1000,
     &Global_Parameter::training_lager_balken_erholung},
    {"TRAININGS_EINHEITEN_PRO_RUNDE", "TRAINING_UNITS_PER_ROUND", 0, 100,
     &Global_Parameter::trainings_einheiten_pro_runde},
    {"FAKTOR_0_100_COMPI_TRANSFER_VERKAUF_ABZUG", "FACTOR_0_100_COMPUTER_TRANSFER_SALE_DEDUCTION", 0, 100,
     &Global_Parameter::compi_transfer_verkauf_abzug},
};
inline constexpr int GLOBAL_PARAMETER_VOR_LISTEN = 5;

extern Kontinent_Def Kontinent_Tabelle[KONTINENT_ANZAHL];
extern Scout_Def Scout_Tabelle[SCOUT_ANZAHL];
extern Trainingslager_Def Trainingslager_Tabelle[TRAININGSLAGER_ANZAHL];
extern Attribut_Def Attribut_Tabelle[54];
extern Global_Parameter Global_Param;
extern i32 Global_Preis_Faktor;       // per cent, multiplies training costs
extern u8 Global_Attribut_Wahl_Flag;  // set by Attribute_Alle_Maximal_Setzen, cleared by reading

// What the world needs of a finished (or prepared) fixture; the season's
// fixture record stays the season's own, a hook hands these values over.
struct Welt_Spiel_Info {
    i32 heim = -1;  // home team
    i32 gast = -1;  // away team
    i32 tore_heim = 0;
    i32 tore_gast = 0;
    i32 zuschauer = 0;    // attendance
    i32 wettbewerb = -1;  // competition id
    i32 tag = 0;          // day index of the match
    i32 ort = -1;         // the club whose ground it was played at (-1: the home team's)
};

// Calls into higher layers, filled by src/main at start-up. Every entry is
// a function; the defaults do nothing and know nothing.
struct Welt_Hooks {
    // The season module's global keys: 1 when it knows the key (it reads the
    // value through the configuration reader itself).
    int (*global_cfg_schluessel)(const char* schluessel) = [](const char*) { return 0; };
    // Today's day index (for prices that stay the same all day).
    i32 (*kalender_tag)() = [] { return i32{0}; };
    // A news text for a manager's team.
    void (*news_neu)(i32 team, const char* text) = [](i32, const char*) {};
    // What the acting club gets for the player who leaves it in an exchange
    // (the transfer screen's offer difference).
    i32 (*transfer_erloes)(i32 spieler) = [](i32) { return i32{0}; };
    // A player's statistic in a league system (the fixtures' statistics):
    // 0 goals, 1 assists, 2 scorer points, 22 yellow, 23 yellow-red, 24 red cards.
    i32 (*spieler_statistik)(i32 statistik, i32 liga, i32 team, i32 spieler) = [](i32, i32, i32, i32) {
        return i32{0};
    };
    // The values of a fixture (the number the matchday passes to the
    // post-match steps); false when there is no such fixture.
    bool (*spiel_daten)(i32 spiel, Welt_Spiel_Info* aus) = [](i32, Welt_Spiel_Info*) { return false; };
    // The team's place in the club rankings (1 the best), 0 when it has none.
    i32 (*rangliste_platz)(i32 team) = [](i32) { return i32{0}; };
};
extern const Welt_Hooks& Welt_Hook;
// Installs the whole table (entries left out of a designated initialiser
// keep their defaults).
void Welt_Set_Hooks(const Welt_Hooks& hooks);

// Reads global.cfg / personal.cfg of a set (alias set the same); false and
// the old tables kept when the file is missing or has an error.
bool Global_Cfg_Laden(int set);
bool Global_Cfg_Laden_Pfad(const char* pfad, const char* alias_pfad);
bool Personal_Cfg_Laden(int set);
bool Personal_Cfg_Laden_Pfad(const char* pfad, const char* alias_pfad);
// Back to what global.cfg and personal.cfg gave when they were last read
// (the built-in defaults when nothing was read): the in-game changes are
// undone, the loaded tables stay.
void Global_Cfg_Reset();
// Back to the built-in defaults, forgetting what was read.
void Global_Cfg_Leeren();
// Writers: global.cfg (continents, camps, attributes, price factor, general
// parameters; the season module's keys are not part of it) and personal.cfg
// (the scouts) with their alias companions (the team aliases) at the paths
// given; `name` is the info text. False when a file cannot be written.
bool Global_Cfg_Speichern_Pfad(const char* pfad, const char* alias_pfad, const char* name);
bool Personal_Cfg_Speichern_Pfad(const char* pfad, const char* alias_pfad, const char* name);

// Prices.
i32 Global_Runde_10000(i32 betrag);
i32 Global_Get_Kontinent_Nummer(const char* name);
i32 Global_Attribut_Training_Kosten(int attribut, int spieler);
i32 Global_Trainingslager_Kosten(int lager);
i32 Global_Scout_Grundpreis(int scout, int team);
i32 Global_Scout_Gebietspreis(int scout, int kontinent);
i32 Global_Transfer_Forderung(int spieler);
const char* Global_Get_Hauptattribut_Name(int spieler, int n);
void Global_Init_Leer(int team);
