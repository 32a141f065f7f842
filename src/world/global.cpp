// The global configuration (global.cfg, personal.cfg) and the price rules.
#include "world/global.h"

#include <strings.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/debug.h"
#include "base/random.h"
#include "base/tempstr.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/konfig.h"
#include "world/konfig_lesen.h"
#include "world/konfig_schluessel.h"
#include "world/spieler.h"
#include "world/welt.h"

using namespace welt_konfig;

Kontinent_Def Kontinent_Tabelle[KONTINENT_ANZAHL];
Scout_Def Scout_Tabelle[SCOUT_ANZAHL];
Trainingslager_Def Trainingslager_Tabelle[TRAININGSLAGER_ANZAHL];
Attribut_Def Attribut_Tabelle[54];
Global_Parameter Global_Param;
i32 Global_Preis_Faktor = 100;
u8 Global_Attribut_Wahl_Flag = 0;
namespace {
// The installed table; read through the const reference Welt_Hook.
Welt_Hooks welt_tabelle;
}  // namespace
const Welt_Hooks& Welt_Hook = welt_tabelle;

void Welt_Set_Hooks(const Welt_Hooks& hooks) { welt_tabelle = hooks; }

namespace {

struct Global_Stand {
    Kontinent_Def k[KONTINENT_ANZAHL];
    Trainingslager_Def l[TRAININGSLAGER_ANZAHL];
    Attribut_Def a[54];
    Global_Parameter p;
    i32 preis = 100;
};

void vorgabe(Global_Stand* g) {
    std::memset(g->k, 0, sizeof g->k);
    std::memset(g->l, 0, sizeof g->l);
    std::memset(g->a, 0, sizeof g->a);
    for (auto& a : g->a) {
        a.noetige_punkte = 20;
        a.punkte_training = 2;
        for (int i = 0; i < 3; i++) a.voraussetzung[i] = -1;
    }
    g->p = Global_Parameter();
    g->preis = 100;
}

const Global_Parameter_Zahl* parameter_finden(const char* k) {
    for (const Global_Parameter_Zahl& z : GLOBAL_PARAMETER_ZAHLEN)
        if (strcasecmp(k, z.deutsch) == 0 || strcasecmp(k, z.englisch) == 0) return &z;
    return nullptr;
}

bool global_lesen(Global_Stand* g) {
    vorgabe(g);
    int block = -1;  // G_KONTINENT, G_LAGER, G_ATTRIBUT
    int nk = -1, nl = -1, na = -1, prozent_zeile = 0;
    bool fehler = false;
    int key = -1;
    // A block's opening key: counts the block, refused past the table's end.
    auto neuer_block = [&](int* n, int anzahl, const char* zu_viele) {
        block = key;
        if (++*n < anzahl) return true;
        Read_Config_Melden(WELT_F_STRUKTUR, "%s", zu_viele);
        return false;
    };
    for (;;) {
        const char* k = Read_Config_Next(nullptr, 0);
        if (!*k) break;
        // A general parameter of one number (the table of global.h).
        if (const Global_Parameter_Zahl* z = parameter_finden(k)) {
            if (!zahl_in(k, z->min, z->max, &(g->p.*z->feld))) fehler = true;
            continue;
        }
        key = finden(k, GLOBAL_SCHLUESSEL, G_ANZAHL);
        if (key < 0) {
            // The season module's keys (stadium models, advertising, options).
            if (Welt_Hook.global_cfg_schluessel(k) == 1) continue;
            Read_Config_Melden(WELT_F_BEFEHL, "Unbekannter Befehl (%s)", k);
            fehler = true;
            continue;
        }
        bool ok = true;
        switch (key) {
            case G_INFOTEXT:
            case G_VERSION: break;
            case G_KONTINENT: ok = neuer_block(&nk, KONTINENT_ANZAHL, "Zu viele Kontinente"); break;
            case G_LAGER: ok = neuer_block(&nl, TRAININGSLAGER_ANZAHL, "Zu viele Trainingslager"); break;
            case G_ATTRIBUT: ok = neuer_block(&na, 54, "Zu viele Attribute"); break;
            case G_PARAMETER: block = key; break;
            case G_PREIS: ok = zahl_in(k, 1, 1000, &g->preis); break;
            case G_P_PROZENT:
                if (prozent_zeile >= 6) {
                    Read_Config_Melden(WELT_F_STRUKTUR, "Zu viele Zeilen (%s)", k);
                    ok = false;
                    break;
                }
                ok = liste_in(k, 0, 100, 7, g->p.training_absturz_prozent[prozent_zeile]);
                prozent_zeile++;
                break;
            default: {
                // Keys of a block.
                if (block == G_KONTINENT && nk >= 0 && nk < KONTINENT_ANZAHL) {
                    Kontinent_Def& d = g->k[nk];
                    if (key == G_NAME) text(k, d.name, sizeof d.name);
                    else if (key == G_LAENDER) ok = zahl_in(k, 0, 1, &d.hat_laender);
                    else block = -2;
                } else if (block == G_LAGER && nl >= 0 && nl < TRAININGSLAGER_ANZAHL) {
                    Trainingslager_Def& d = g->l[nl];
                    if (key == G_LAGER_NAME || key == G_NAME) text(k, d.name, sizeof d.name);
                    else if (key == G_KOSTEN) ok = zahl_in(k, 0, 100000000, &d.kosten);
                    else if (key == G_MORAL) ok = zahl_in(k, 0, 1000, &d.moral);
                    else if (key == G_ERHOLUNG) ok = zahl_in(k, 0, 1000, &d.erholung);
                    else if (key == G_STAERKE) ok = zahl_in(k, 0, 1000, &d.staerke);
                    else if (key == G_INFO || key == G_INFO1) text(k, d.info, sizeof d.info);
                    else block = -2;
                } else if (block == G_ATTRIBUT && na >= 0 && na < 54) {
                    Attribut_Def& d = g->a[na];
                    if (key == G_NAME) text(k, d.name, sizeof d.name);
                    else if (key == G_INFO1 || key == G_INFO) text(k, d.info1, sizeof d.info1);
                    else if (key == G_MOEGLICH) ok = liste_in(k, 0, 9, 2, d.moeglich_wann);
                    else if (key == G_NOETIG) ok = zahl_in(k, 1, 998, &d.noetige_punkte);
                    else if (key == G_PUNKTE) ok = zahl_in(k, 0, 998, &d.punkte_training);
                    else if (key == G_VORAUS) ok = liste_in(k, -1, 53, 3, d.voraussetzung);
                    else if (key == G_AUSW1) ok = zahl_in(k, -1000, 1000, &d.auswirkung[0]);
                    else if (key == G_AUSW2) ok = zahl_in(k, -1000, 1000, &d.auswirkung[1]);
                    else if (key == G_AUSW3) ok = zahl_in(k, -1000, 1000, &d.auswirkung[2]);
                    else block = -2;
                } else {
                    block = -2;
                }
                if (block == -2) {
                    Read_Config_Melden(WELT_F_STRUKTUR, "%s ausserhalb seines Blocks", k);
                    ok = false;
                    block = -1;
                }
            }
        }
        if (!ok) fehler = true;
    }
    if (fehler || Read_Config_Anzahl_Fehler() > 0) return false;
    u32 summe;
    if (!Read_Config_Checksumme_Ok(&summe)) Read_Config_Melden(200, "Checksumme stimmt nicht (%u)", summe);
    return true;
}

void uebernehmen(const Global_Stand& g) {
    std::memcpy(Kontinent_Tabelle, g.k, sizeof g.k);
    std::memcpy(Trainingslager_Tabelle, g.l, sizeof g.l);
    std::memcpy(Attribut_Tabelle, g.a, sizeof g.a);
    Global_Param = g.p;
    Global_Preis_Faktor = g.preis;
    Global_Attribut_Wahl_Flag = 0;
}

// What global.cfg and personal.cfg gave last, for Global_Cfg_Reset.
Global_Stand geladen;
bool geladen_gueltig = false;
Scout_Def geladene_scouts[SCOUT_ANZAHL];

bool global_datei(bool offen, const char* pfad) {
    if (!offen) {
        Read_Config_Melden(WELT_F_DATEI, "Datei fehlt (%s)", pfad ? pfad : "global.cfg");
        return false;
    }
    static Global_Stand g;
    bool ok = global_lesen(&g);
    Read_Config_Close();
    if (ok) {
        uebernehmen(g);
        geladen = g;
        geladen_gueltig = true;
    }
    return ok;
}

bool personal_datei(bool offen, const char* pfad) {
    if (!offen) {
        Read_Config_Melden(WELT_F_DATEI, "Datei fehlt (%s)", pfad ? pfad : "personal.cfg");
        return false;
    }
    Scout_Def s[SCOUT_ANZAHL];
    std::memset(s, 0, sizeof s);
    int n = -1;
    bool fehler = false;
    for (;;) {
        const char* k = Read_Config_Next(nullptr, 0);
        if (!*k) break;
        int key = finden_gemeldet(k, PERSONAL_SCHLUESSEL, P_ANZAHL, &fehler);
        if (key < 0) continue;
        bool ok = true;
        if (key == P_INFOTEXT || key == P_VERSION) continue;
        if (key == P_SCOUT) {
            if (++n >= SCOUT_ANZAHL) {
                Read_Config_Melden(WELT_F_STRUKTUR, "Zu viele Scouts");
                fehler = true;
                break;
            }
            continue;
        }
        if (n < 0) {
            Read_Config_Melden(WELT_F_STRUKTUR, "%s vor NEUER_SCOUT", k);
            fehler = true;
            continue;
        }
        Scout_Def& d = s[n];
        i32* ziel = nullptr;
        switch (key) {
            case P_VORNAME: text(k, d.vorname, sizeof d.vorname); break;
            case P_NACHNAME: text(k, d.nachname, sizeof d.nachname); break;
            case P_GRUND: ok = zahl_in(k, 0, 100000000, &d.grundpreis_factor); break;
            case P_GEBIET: ziel = d.gebietspreis; break;
            case P_WAHRSCH: ziel = d.wahrscheinlichkeitsfactor; break;
            case P_UEBER: ziel = d.ueberredungskraft; break;
            case P_STAERKE: ziel = d.spieler_staerke_factor; break;
        }
        if (ziel) ok = liste_in(k, 0, 100000000, KONTINENT_ANZAHL, ziel);
        if (!ok) fehler = true;
    }
    bool ok = !fehler && Read_Config_Anzahl_Fehler() == 0;
    Read_Config_Close();
    if (ok) {
        std::memcpy(Scout_Tabelle, s, sizeof s);
        std::memcpy(geladene_scouts, s, sizeof s);
    }
    return ok;
}

}  // namespace

bool Global_Cfg_Laden(int set) {
    return global_datei(Read_Config_Open(CONFIG_GLOBAL, set, set), Read_Config_Get_Filenamen(CONFIG_GLOBAL, set, 0));
}
bool Global_Cfg_Laden_Pfad(const char* pfad, const char* alias) {
    return global_datei(Read_Config_Open_Pfad(pfad, alias), pfad);
}
bool Personal_Cfg_Laden(int set) {
    return personal_datei(Read_Config_Open(CONFIG_PERSONAL, set, set),
                          Read_Config_Get_Filenamen(CONFIG_PERSONAL, set, 0));
}
bool Personal_Cfg_Laden_Pfad(const char* pfad, const char* alias) {
    return personal_datei(Read_Config_Open_Pfad(pfad, alias), pfad);
}

void Global_Cfg_Reset() {
    // A new game loads the configuration and then resets it: the reset
    // undoes what a running game changed, it does not throw away what was
    // just read.
    static Global_Stand g;
    if (geladen_gueltig) {
        g = geladen;
    } else {
        vorgabe(&g);
    }
    uebernehmen(g);
    std::memcpy(Scout_Tabelle, geladene_scouts, sizeof Scout_Tabelle);
}

void Global_Cfg_Leeren() {
    static Global_Stand g;
    vorgabe(&g);
    uebernehmen(g);
    std::memset(Scout_Tabelle, 0, sizeof Scout_Tabelle);
    geladen_gueltig = false;
    std::memset(geladene_scouts, 0, sizeof geladene_scouts);
}

i32 Global_Runde_10000(i32 betrag) {
    if (betrag <= 0) return 0;
    return betrag / 10000 * 10000;
}

i32 Global_Get_Kontinent_Nummer(const char* name) {
    if (!name) return -1;
    for (int i = 0; i < KONTINENT_ANZAHL; i++)
        if (Kontinent_Tabelle[i].name[0] && strcasecmp(name, Kontinent_Tabelle[i].name) == 0) return i;
    return -1;
}

// The strength factor of a team in per cent: 50 for the weakest, 150 for the strongest squad.
static i32 team_faktor(int team) {
    if (team < 0 || team >= Team_Anzahl) return 100;
    int s = Team_Get_Staerke(team);  // 0..240
    return 50 + s * 100 / 240;
}

i32 Global_Attribut_Training_Kosten(int attribut, int spieler) {
    if (attribut < 0 || attribut >= 54 || spieler < 0 || spieler >= Spieler_Anzahl) return 0;
    i64 k = static_cast<i64>(Attribut_Tabelle[attribut].noetige_punkte) * 5000 * Global_Preis_Faktor / 100;
    k = k * (100 + Spieler_Daten[spieler].staerke * 10) / 100;
    return Global_Runde_10000(static_cast<i32>(k > 2000000000 ? 2000000000 : k));
}

i32 Global_Trainingslager_Kosten(int lager) {
    if (lager < 0 || lager >= TRAININGSLAGER_ANZAHL) return 0;
    i64 k = static_cast<i64>(Trainingslager_Tabelle[lager].kosten) * team_faktor(Team_Aktiv) / 100;
    return Global_Runde_10000(static_cast<i32>(k > 2000000000 ? 2000000000 : k));
}

i32 Global_Scout_Grundpreis(int scout, int team) {
    if (scout < 0 || scout >= SCOUT_ANZAHL) return 0;
    i64 k = static_cast<i64>(Scout_Tabelle[scout].grundpreis_factor) * team_faktor(team) / 100;
    return Global_Runde_10000(static_cast<i32>(k > 2000000000 ? 2000000000 : k));
}

i32 Global_Scout_Gebietspreis(int scout, int kontinent) {
    if (scout < 0 || scout >= SCOUT_ANZAHL || kontinent < 0 || kontinent >= KONTINENT_ANZAHL) return 0;
    i64 k = static_cast<i64>(Scout_Tabelle[scout].gebietspreis[kontinent]) * team_faktor(Team_Aktiv) / 100;
    return Global_Runde_10000(static_cast<i32>(k > 2000000000 ? 2000000000 : k));
}

i32 Global_Transfer_Forderung(int spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl) return 0;
    i32 tag = Welt_Hook.kalender_tag();
    // The draw starts at a cursor fixed by player and day, so the demand stays the same all day.
    Rnd_Push();
    Rnd_Set_Index(spieler * 7 + tag * 13, 0);
    bool scout = (Spieler_Daten[spieler].status & SP_STATUS_SCOUT) != 0;
    i32 prozent = scout ? Rnd_Basis(30, 80) : Rnd_Basis(-10, 40);
    Rnd_Pop();
    i64 wert = Spieler_Berechne_Marktwert(spieler);
    wert = wert * (100 + prozent) / 100;
    return Global_Runde_10000(static_cast<i32>(wert > 2000000000 ? 2000000000 : wert));
}

// The n-th of the attributes a player's rows and cards show (the list
// Attribute_Get_Attribute gives in mode 0): its badge and its name go
// together.
const char* Global_Get_Hauptattribut_Name(int spieler, int n) {
    if (spieler < 0 || spieler >= Spieler_Anzahl || n < 0 || n > 2) return "";
    i32 a[3];
    if (n >= Attribute_Get_Attribute(spieler, a, 3, 0) || a[n] < 0 || a[n] >= ATTRIBUT_ANZAHL) return "";
    return Attribut_Tabelle[a[n]].name;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Global_Init_Leer(int) {}

// ---------------------------------------------------------------------------
// Writers.

bool Global_Cfg_Speichern_Pfad(const char* pfad, const char* alias_pfad, const char* name) {
    Config_Schreiber w;
    if (!Config_Schreiber_Oeffnen(&w, pfad)) return false;
    kopf(&w, "Globale Einstellungen", name);
    Config_Schreiber_Zeile_Zahl(&w, deutsch(G_PREIS), Global_Preis_Faktor);
    // Blocks are numbered by their order: write up to the last one in use.
    int nk = KONTINENT_ANZAHL, nl = TRAININGSLAGER_ANZAHL;
    while (nk > 0 && !Kontinent_Tabelle[nk - 1].name[0]) nk--;
    while (nl > 0 && !Trainingslager_Tabelle[nl - 1].name[0]) nl--;
    for (int i = 0; i < nk; i++) {
        const Kontinent_Def& k = Kontinent_Tabelle[i];
        abschnitt(&w, deutsch(G_KONTINENT));
        Config_Schreiber_Zeile(&w, deutsch(G_NAME), zitat(k.name).c_str());
        Config_Schreiber_Zeile(&w, deutsch(G_LAENDER), k.hat_laender ? "JA" : "NEIN");
    }
    for (int i = 0; i < nl; i++) {
        const Trainingslager_Def& l = Trainingslager_Tabelle[i];
        abschnitt(&w, deutsch(G_LAGER));
        Config_Schreiber_Zeile(&w, deutsch(G_LAGER_NAME), zitat(l.name).c_str());
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_KOSTEN), l.kosten);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_MORAL), l.moral);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_ERHOLUNG), l.erholung);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_STAERKE), l.staerke);
        Config_Schreiber_Zeile(&w, deutsch(G_INFO), zitat(l.info).c_str());
    }
    for (const Attribut_Def& a : Attribut_Tabelle) {
        abschnitt(&w, deutsch(G_ATTRIBUT));
        Config_Schreiber_Zeile(&w, deutsch(G_NAME), zitat(a.name).c_str());
        Config_Schreiber_Zeile(&w, deutsch(G_INFO1), zitat(a.info1).c_str());
        Config_Schreiber_Zeile(&w, deutsch(G_MOEGLICH), verbinden(a.moeglich_wann, 2).c_str());
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_NOETIG), a.noetige_punkte);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_PUNKTE), a.punkte_training);
        Config_Schreiber_Zeile(&w, deutsch(G_VORAUS), verbinden(a.voraussetzung, 3).c_str());
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_AUSW1), a.auswirkung[0]);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_AUSW2), a.auswirkung[1]);
        Config_Schreiber_Zeile_Zahl(&w, deutsch(G_AUSW3), a.auswirkung[2]);
    }
    const Global_Parameter& p = Global_Param;
    abschnitt(&w, deutsch(G_PARAMETER));
    for (int i = 0; i < static_cast<int>(std::size(GLOBAL_PARAMETER_ZAHLEN)); ++i) {
        if (i == GLOBAL_PARAMETER_VOR_LISTEN)
            for (const auto& zeile : p.training_absturz_prozent)
                Config_Schreiber_Zeile(&w, deutsch(G_P_PROZENT), verbinden(zeile, 7).c_str());
        const Global_Parameter_Zahl& z = GLOBAL_PARAMETER_ZAHLEN[i];
        Config_Schreiber_Zeile_Zahl(&w, z.deutsch, p.*z.feld);
    }
    return schliessen_mit_alias(&w, alias_pfad);
}

bool Personal_Cfg_Speichern_Pfad(const char* pfad, const char* alias_pfad, const char* name) {
    Config_Schreiber w;
    if (!Config_Schreiber_Oeffnen(&w, pfad)) return false;
    kopf(&w, "Personal", name);
    for (const Scout_Def& s : Scout_Tabelle) {
        abschnitt(&w, deutsch(P_SCOUT));
        Config_Schreiber_Zeile(&w, deutsch(P_VORNAME), zitat(s.vorname).c_str());
        Config_Schreiber_Zeile(&w, deutsch(P_NACHNAME), zitat(s.nachname).c_str());
        Config_Schreiber_Zeile_Zahl(&w, deutsch(P_GRUND), s.grundpreis_factor);
        Config_Schreiber_Zeile(&w, deutsch(P_GEBIET), verbinden(s.gebietspreis, KONTINENT_ANZAHL).c_str());
        Config_Schreiber_Zeile(&w, deutsch(P_WAHRSCH),
                               verbinden(s.wahrscheinlichkeitsfactor, KONTINENT_ANZAHL).c_str());
        Config_Schreiber_Zeile(&w, deutsch(P_UEBER), verbinden(s.ueberredungskraft, KONTINENT_ANZAHL).c_str());
        Config_Schreiber_Zeile(&w, deutsch(P_STAERKE), verbinden(s.spieler_staerke_factor, KONTINENT_ANZAHL).c_str());
    }
    return schliessen_mit_alias(&w, alias_pfad);
}

