// The keywords of the world's configuration files (team.cfg, spieler.cfg,
// personal.cfg, global.cfg), each spelt once here in German and English:
// the readers look them up in these tables, the writers and the world
// generator write `deutsch(key)`. A keyword renamed here is renamed in every
// reader and writer at once.
#pragma once

#include "world/konfig_lesen.h"

namespace welt_konfig {

// team.cfg
enum Team_Key {
    T_NEUES_TEAM,
    T_NUMMER,
    T_NAME,
    T_KURZNAME,
    T_STADIONNAME,
    T_STADT,
    T_ART,
    T_LAND,
    T_KONTINENT,
    T_EBENE,
    T_WAPPEN,
    T_TRIKOT,
    T_FARBEN,
    T_SITZ,
    T_STEH,
    T_FORMATION,
    T_TAKTIK,
    T_INFOTEXT,
    T_VERSION,
    T_TEAMS,
    T_ANZAHL
};
inline constexpr Schluessel TEAM_SCHLUESSEL[T_ANZAHL] = {{"NEUES_TEAM", "NEW_TEAM"},
                                                         {"NUMMER", "NUMBER"},
                                                         {"NAME", "NAME"},
                                                         {"KURZNAME", "SHORT_NAME"},
                                                         {"STADIONNAME", "STADIUM_NAME"},
                                                         {"STADT", "CITY"},
                                                         {"ART", "KIND"},
                                                         {"LAND", "COUNTRY"},
                                                         {"KONTINENT", "CONTINENT"},
                                                         {"EBENE", "LEVEL"},
                                                         {"WAPPEN", "CREST"},
                                                         {"TRIKOT", "KITS"},
                                                         {"FARBEN", "COLOURS"},
                                                         {"SITZPLAETZE", "SEATS"},
                                                         {"STEHPLAETZE", "TERRACES"},
                                                         {"FORMATION", "FORMATION"},
                                                         {"TAKTIK", "TACTICS"},
                                                         {"INFOTEXT", "INFOTEXT"},
                                                         {"VERSION", "VERSION"},
                                                         {"TEAMS", "TEAMS"}};

// The values of ART (a club, a country's team, the transfer market) in the
// order of the team kinds.
enum Team_Art_Wert { ART_VEREIN, ART_NATIONALTEAM, ART_TRANSFERMARKT, ART_ANZAHL };
inline constexpr Schluessel TEAM_ART_WERTE[ART_ANZAHL] = {
    {"VEREIN", "CLUB"}, {"NATIONALTEAM", "NATIONAL_TEAM"}, {"TRANSFERMARKT", "TRANSFER_MARKET"}};

// spieler.cfg
enum Spieler_Key {
    S_NEUER_SPIELER,
    S_TEAM,
    S_VORNAME,
    S_NACHNAME,
    S_NATION,
    S_POSITION,
    S_NUMMER,
    S_STAERKE,
    S_MAXSTAERKE,
    S_SPIELE,
    S_JAHRGANG,
    S_TALENT,
    S_AUSSEHEN,
    S_HAARFARBE,
    S_HAUTFARBE,
    S_ATTRIBUTE,
    S_GESPERRT,
    S_SCOUT,
    S_INFOTEXT,
    S_VERSION,
    S_SPIELER,
    S_ANZAHL
};
inline constexpr Schluessel SPIELER_SCHLUESSEL[S_ANZAHL] = {{"NEUER_SPIELER", "NEW_PLAYER"},
                                                            {"TEAM", "TEAM"},
                                                            {"VORNAME", "FIRST_NAME"},
                                                            {"NACHNAME", "SURNAME"},
                                                            {"NATION", "NATION"},
                                                            {"POSITION", "POSITION"},
                                                            {"NUMMER", "NUMBER"},
                                                            {"STAERKE", "STRENGTH"},
                                                            {"MAXSTAERKE", "MAX_STRENGTH"},
                                                            {"SPIELE", "MATCHES"},
                                                            {"JAHRGANG", "BORN"},
                                                            {"TALENT", "TALENT"},
                                                            {"AUSSEHEN", "LOOK"},
                                                            {"HAARFARBE", "HAIR"},
                                                            {"HAUTFARBE", "SKIN"},
                                                            {"ATTRIBUTE", "ATTRIBUTES"},
                                                            {"GESPERRT", "BLOCKED"},
                                                            {"SCOUT", "SCOUT"},
                                                            {"INFOTEXT", "INFOTEXT"},
                                                            {"VERSION", "VERSION"},
                                                            {"SPIELER", "PLAYERS"}};

// The values of POSITION, by position number.
inline constexpr Schluessel POSITION_WERTE[4] = {
    {"TOR", "GOAL"}, {"ABWEHR", "DEFENCE"}, {"MITTELFELD", "MIDFIELD"}, {"STURM", "ATTACK"}};

// personal.cfg
enum Personal_Key {
    P_SCOUT,
    P_VORNAME,
    P_NACHNAME,
    P_GRUND,
    P_GEBIET,
    P_WAHRSCH,
    P_UEBER,
    P_STAERKE,
    P_INFOTEXT,
    P_VERSION,
    P_ANZAHL
};
inline constexpr Schluessel PERSONAL_SCHLUESSEL[P_ANZAHL] = {{"NEUER_SCOUT", "NEW_SCOUT"},
                                                             {"VORNAME", "FIRST_NAME"},
                                                             {"NACHNAME", "SURNAME"},
                                                             {"GRUNDPREIS_FACTOR", "BASE_PRICE_FACTOR"},
                                                             {"GEBIETSPREIS", "AREA_PRICE"},
                                                             {"WAHRSCHEINLICHKEITSFACTOR", "PROBABILITY_FACTOR"},
                                                             {"UEBERREDUNGSKRAFT", "PERSUASION"},
                                                             {"SPIELER_STAERKE_FACTOR", "PLAYER_STRENGTH_FACTOR"},
                                                             {"INFOTEXT", "INFOTEXT"},
                                                             {"VERSION", "VERSION"}};

// global.cfg: the blocks and their keys (the one-number general parameters
// have their own table, GLOBAL_PARAMETER_ZAHLEN in world/global.h).
enum Global_Key {
    G_KONTINENT,
    G_LAGER,
    G_ATTRIBUT,
    G_PARAMETER,
    G_PREIS,
    G_NAME,
    G_LAENDER,
    G_LAGER_NAME,
    G_KOSTEN,
    G_MORAL,
    G_ERHOLUNG,
    G_STAERKE,
    G_INFO,
    G_INFO1,
    G_MOEGLICH,
    G_NOETIG,
    G_PUNKTE,
    G_VORAUS,
    G_AUSW1,
    G_AUSW2,
    G_AUSW3,
    G_P_PROZENT,
    G_INFOTEXT,
    G_VERSION,
    G_ANZAHL
};
inline constexpr Schluessel GLOBAL_SCHLUESSEL[G_ANZAHL] = {
    {"NEUER_KONTINENT", "NEW_CONTINENT"},
    {"NEUER_TR_LAGER", "NEW_TRAINING_CAMP"},
    {"NEUES_ATTRIBUT", "NEW_ATTRIBUTE"},
    {"ALGEMEINE_PARAMETER", "GENERAL_PARAMETERS"},
    {"PREIS_FAKTOR", "PRICE_FACTOR"},
    {"NAME", "NAME"},
    {"LAENDER", "COUNTRIES"},
    {"TR_LAGER_NAME", "CAMP_NAME"},
    {"KOSTEN", "COSTS"},
    {"MORAL", "MORALE"},
    {"ERHOLUNG", "RECOVERY"},
    {"STAERKE", "STRENGTH"},
    {"INFO", "INFO"},
    {"INFO1", "INFO1"},
    {"MOEGLICH_WANN", "POSSIBLE_WHEN"},
    {"NOETIGE_ENTWICKELUNGSPUNKTE", "REQUIRED_POINTS"},
    {"ENTWICKELUNGSPUNKTE_TRAINING", "TRAINING_POINTS"},
    {"VORAUSSETZUNG", "PREREQUISITES"},
    {"AUSWIRKUNG_1", "EFFECT_1"},
    {"AUSWIRKUNG_2", "EFFECT_2"},
    {"AUSWIRKUNG_3", "EFFECT_3"},
    {"TRAINING_ABSTURZ_PROCENT_PARAM", "TRAINING_DROP_PERCENT_PARAM"},
    {"INFOTEXT", "INFOTEXT"},
    {"VERSION", "VERSION"}};

// The German keyword a writer puts into the file.
constexpr const char* deutsch(Team_Key k) { return TEAM_SCHLUESSEL[k].deutsch; }
constexpr const char* deutsch(Spieler_Key k) { return SPIELER_SCHLUESSEL[k].deutsch; }
constexpr const char* deutsch(Personal_Key k) { return PERSONAL_SCHLUESSEL[k].deutsch; }
constexpr const char* deutsch(Global_Key k) { return GLOBAL_SCHLUESSEL[k].deutsch; }
constexpr const char* deutsch(Team_Art_Wert k) { return TEAM_ART_WERTE[k].deutsch; }

}  // namespace welt_konfig
