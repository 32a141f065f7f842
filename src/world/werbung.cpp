// Advertising contracts.
#include "world/werbung.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/datei.h"
#include "base/random.h"
#include "base/ruf.h"
#include "world/netz.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/leben.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"

i32 Werbung_Ranglisten_Aufschlag(int team) {
    const Werbung_Einstellungen& e = Werbung_Einstellung;
    i32 grenze = std::clamp(e.ranglisten_progression_grenze, 0, 500);
    i32 progression = std::clamp(e.ranglisten_progression, 0, 999);
    if (!grenze || !progression) return 0;
    i32 platz = Welt_Hook.rangliste_platz(team);
    if (platz < 1 || platz > grenze) return 0;
    return static_cast<i32>(static_cast<i64>(progression) * (grenze - platz + 1) / grenze);
}

namespace {

const char* sponsoren[WERBUNG_SPONSOREN] = {
    "Brauerei Kessler",  "Nordlicht Energie",  "Velotrax",         "Fliesen Amberg",  "Autohaus Wendt",
    "Sparkraft Bank",    "Quellgold Wasser",   "Trixa Sport",      "Möbel Hallstein", "Kaffee Morena",
    "Elektro Bramm",     "Bauring AG",         "Sonnfeld Reisen",  "Pixwerk Medien",  "Mühlbach Versand",
    "Tannwald Milch",    "Kronstein Versich.", "Ostwind Logistik", "Grünhag Gärten",  "Vantor Telekom",
    "Leuchtfeuer Lotto", "Sportwelt Riedel",   "Hafenbräu",        "Orbis Computer"};

std::vector<Werbung_Daten> daten;
std::vector<u8> vorhanden;
std::vector<Werbung_Daten> neu_daten;
std::vector<u8> neu_vorhanden;

bool ok(int t) { return t >= 0 && t < static_cast<int>(daten.size()) && vorhanden[static_cast<size_t>(t)]; }

// Price of a contract per match: 2,000 x the base price per cent, plus the
// class's surcharge, scaled by the club's strength (50 %..290 %).
i32 preis(int team, int klasse) {
    const Werbung_Einstellungen& e = Werbung_Einstellung;
    const i32 aufpreis[4] = {e.bande_aufpreis, e.tv_aufpreis, e.ersatzpartner_aufpreis, e.hauptsponsor_aufpreis};
    i64 p = 2000LL * e.grundpreis / 100;
    p = p * (100 + aufpreis[std::clamp(klasse, 0, 3)]) / 100;
    p = p * (50 + Team_Get_Staerke(team)) / 100;
    p = p * (1000 + Werbung_Ranglisten_Aufschlag(team)) / 1000;
    return static_cast<i32>(p / 100 * 100);
}

void angebot_ziehen(int team, Werbung_Daten* w) {
    w->angebot_sponsor = static_cast<u8>(Rnd_Basis(0, WERBUNG_SPONSOREN - 1));
    w->angebot_art = static_cast<u8>(Rnd_Basis(0, 3));
    w->angebot_dauer = static_cast<u16>(std::clamp(Werbung_Einstellung.vertragsdauer, 1, WERBUNG_DAUER_MAX));
    // One draw sets the offer's worth: a main sponsor who pays more for his
    // own place pays more for the free boards too.
    const i32 faktor = Rnd_Basis(80, 120);
    w->angebot_betrag = preis(team, w->angebot_art) * faktor / 100;
    for (int i = 0; i < 3; i++) w->angebot_betraege[i] = preis(team, i) * faktor / 100;
    w->angebot_anzahl2 = w->angebot_dauer;
}

}  // namespace

Werbung_Einstellungen Werbung_Einstellung;

void Werbung_Wert_Setzen(int feld, i32 wert) {
    if (feld < 0 || feld > 9) return;
    static i32 Werbung_Einstellungen::*const felder[10] = {&Werbung_Einstellungen::grundpreis,
                                                           &Werbung_Einstellungen::bande_aufpreis,
                                                           &Werbung_Einstellungen::tv_aufpreis,
                                                           &Werbung_Einstellungen::hauptsponsor_aufpreis,
                                                           &Werbung_Einstellungen::ersatzpartner_aufpreis,
                                                           &Werbung_Einstellungen::ranglisten_progression,
                                                           &Werbung_Einstellungen::ranglisten_progression_grenze,
                                                           &Werbung_Einstellungen::suchpreis,
                                                           &Werbung_Einstellungen::suchpreis_add,
                                                           &Werbung_Einstellungen::vertragsdauer};
    Werbung_Einstellung.*felder[feld] = wert;
}

const char* Werbung_Sponsor_Name(int s) { return s >= 0 && s < WERBUNG_SPONSOREN ? sponsoren[s] : ""; }

void Werbung_Init() {
    daten.assign(static_cast<size_t>(Team_Anzahl), Werbung_Daten{});
    vorhanden.assign(static_cast<size_t>(Team_Anzahl), 0);
}

void Werbung_Free() {
    daten.clear();
    vorhanden.clear();
}

void Werbung_Init_Manager_Teams() {
    for (int t = 0; t < Team_Anzahl; t++)
        if (Team_Hat_Manager(t)) Werbung_Init_Team(t, 1);
}

int Werbung_Get_Bandenklasse(int slot) { return slot < 0 ? 0 : slot < 3 ? 0 : slot < 6 ? 1 : slot < WERBUNG_BANDEN ? 2 : 3; }

bool Werbung_Init_Team(int t, int) {
    if (t < 0 || t >= Team_Anzahl) return false;
    if (static_cast<int>(daten.size()) != Team_Anzahl) Werbung_Init();
    Werbung_Daten& w = daten[static_cast<size_t>(t)];
    w = Werbung_Daten{};
    for (int s = 0; s < WERBUNG_SLOTS; s++) {
        w.slot[s].sponsor = static_cast<u8>((t * 7 + s * 5) % WERBUNG_SPONSOREN);
        w.slot[s].betrag = preis(t, Werbung_Get_Bandenklasse(s));
        w.slot[s].anzahl = static_cast<u16>(std::clamp(Werbung_Einstellung.vertragsdauer, 1, WERBUNG_DAUER_MAX));
    }
    for (int i = 0; i < 3; i++) w.ersatz[i] = preis(t, i);
    vorhanden[static_cast<size_t>(t)] = 1;
    return true;
}

Werbung_Daten* Werbung_Get(int t) {
    if (!ok(t) || !Team_Hat_Manager(t)) return nullptr;
    return &daten[static_cast<size_t>(t)];
}

Werbung_Summen Werbung_Einnahmen(int t) {
    Werbung_Summen e;
    if (!ok(t)) return e;
    const Werbung_Daten& w = daten[static_cast<size_t>(t)];
    for (int i = 0; i < WERBUNG_BANDEN; i++) {
        if (w.slot[i].betrag > 0) e.banden += w.slot[i].betrag;
        else ++e.frei[std::clamp(Werbung_Get_Bandenklasse(i), 0, 2)];
    }
    if (w.slot[WERBUNG_HAUPTSPONSOR].betrag > 0) e.hauptsponsor = w.slot[WERBUNG_HAUPTSPONSOR].betrag;
    if (w.ersatz[0] != 0)
        for (int k = 0; k < 3; k++) e.ersatz += static_cast<i64>(e.frei[k]) * std::max(0, w.ersatz[k]);
    e.summe = e.banden + e.hauptsponsor + e.ersatz;
    return e;
}

i32 Werbung_Get_Sponsorbetrag(int t) { return static_cast<i32>(std::min<i64>(Werbung_Einnahmen(t).summe, 2147483647)); }

i64 Werbung_Suchgebuehr(int t) {
    if (!ok(t)) return Werbung_Einstellung.suchpreis;
    return Werbung_Einstellung.suchpreis +
           static_cast<i64>(Werbung_Einstellung.suchpreis_add) * daten[static_cast<size_t>(t)].zaehler[1];
}

bool Werbung_Neues_Angebot(int t, int zahlen) {
    if (ruf::Client()) return Werbung_Internet_Client_Aktion(t, WERBUNG_AKTION_SUCHEN, 0) == 1;
    if (!ok(t) || Welt_Client_Fremd(t)) return false;
    Werbung_Daten& w = daten[static_cast<size_t>(t)];
    if (w.suche_zu) return false;
    // The fee grows with every search of the season.
    const i64 gebuehr = Werbung_Suchgebuehr(t);
    if (zahlen && gebuehr >= 1 && !Bank_Buchen(t, -1, static_cast<f32>(gebuehr), BANK_AUSGABE, 0, -1)) return false;
    w.zaehler[1]++;
    angebot_ziehen(t, &w);
    return true;
}

bool Werbung_Angebot_Annehmen(int t) {
    if (ruf::Client()) return Werbung_Internet_Client_Aktion(t, WERBUNG_AKTION_ANNEHMEN, 0) == 1;
    if (!ok(t) || Welt_Client_Fremd(t)) return false;
    Werbung_Daten& w = daten[static_cast<size_t>(t)];
    if (w.angebot_betrag <= 0) return false;
    int von = w.angebot_art == 3 ? WERBUNG_HAUPTSPONSOR : w.angebot_art == 0 ? 0 : w.angebot_art == 1 ? 3 : 6;
    int bis = w.angebot_art == 3 ? WERBUNG_HAUPTSPONSOR : w.angebot_art == 0 ? 2 : w.angebot_art == 1 ? 5 : 7;
    int ziel = -1;
    for (int s = von; s <= bis && ziel < 0; s++)
        if (w.slot[s].betrag == 0) ziel = s;
    if (ziel < 0) {
        ziel = von;
        for (int s = von; s <= bis; s++)
            if (w.slot[s].betrag < w.slot[ziel].betrag) ziel = s;
    }
    w.slot[ziel].sponsor = w.angebot_sponsor;
    w.slot[ziel].betrag = w.angebot_betrag;
    w.slot[ziel].anzahl = w.angebot_dauer;
    w.slot[ziel].wert2 = 0;
    // A new main sponsor brings his own amounts for the free boards.
    if (w.angebot_art == 3)
        for (int i = 0; i < 3; i++) w.ersatz[i] = w.angebot_betraege[i];
    w.angebot_betrag = 0;
    return true;
}

void Werbung_Banden_Vergeben(int t, int) {
    if (ruf::Client()) {
        Werbung_Internet_Client_Aktion(t, WERBUNG_AKTION_BANDEN, 0);
        return;
    }
    if (!ok(t)) return;
    Werbung_Daten& w = daten[static_cast<size_t>(t)];
    for (int s = 0; s < WERBUNG_BANDEN; s++) {
        if (w.slot[s].betrag) continue;
        w.slot[s].sponsor = static_cast<u8>(Rnd_Basis(0, WERBUNG_SPONSOREN - 1));
        w.slot[s].betrag = preis(t, Werbung_Get_Bandenklasse(s));
        w.slot[s].anzahl = 17;
    }
}

int Werbung_Zaehler_Weiter(int t) {
    if (ruf::Client()) return std::max(0, Werbung_Internet_Client_Aktion(t, WERBUNG_AKTION_ZAEHLER, 0));
    if (!ok(t)) return 0;
    Werbung_Daten& w = daten[static_cast<size_t>(t)];
    int z = ++w.zaehler[0];
    if (z % 7 != 0) return 0;
    int stufe = std::min(3, z / 7);
    if (stufe == 3) w.suche_zu = 1;
    return stufe;
}

bool Werbung_Banden_Automatik(int t, bool an) {
    if (ruf::Client()) return Werbung_Internet_Client_Aktion(t, WERBUNG_AKTION_AUTOMATIK, an ? 1 : 0) == 1;
    Werbung_Daten* w = Werbung_Get(t);
    if (!w || Welt_Client_Fremd(t)) return false;
    w->banden_flag = an ? 1 : 0;
    w->automatik = an ? 1 : 0;
    if (an) Werbung_Banden_Vergeben(t, 0);
    return true;
}

bool Werbung_Setzen(int t, const Werbung_Daten& d) {
    if (t < 0 || t >= Team_Anzahl) return false;
    if (static_cast<int>(daten.size()) != Team_Anzahl) Werbung_Init();
    daten[static_cast<size_t>(t)] = d;
    vorhanden[static_cast<size_t>(t)] = 1;
    return true;
}

void Werbung_Nach_Spiel(int t, int) {
    if (!ok(t)) return;
    Werbung_Daten& w = daten[static_cast<size_t>(t)];
    const i64 summe = Werbung_Einnahmen(t).summe;
    for (auto& s : w.slot) {
        if (s.betrag <= 0) continue;
        if (s.anzahl > 0 && --s.anzahl == 0) s.betrag = 0;
    }
    if (w.slot[WERBUNG_HAUPTSPONSOR].betrag == 0)
        for (i32& e : w.ersatz) e = 0;
    if (summe > 0) Bank_Buchen(-1, t, static_cast<f32>(summe), BANK_WERBUNG, 1, -1);
    // With the board switch on, boards whose contract ran out get a new partner.
    if (w.banden_flag) Werbung_Banden_Vergeben(t, 0);
}

// Block: u32 version, u32 count, per team u8 present + 176-byte record.
namespace {
constexpr u32 BLOCK_VERSION = 1;
}  // namespace

bool Werbung_Speichern(Datei_Status* d) {
    return Datei_Schreiben_Felder(d, [&](bytes::Schreiber& s) {
        s(BLOCK_VERSION), s(static_cast<u32>(daten.size()));
        for (size_t t = 0; t < daten.size(); t++) s(vorhanden[t]), s(daten[t]);
    });
}

bool Werbung_Laden(Datei_Status* d) {
    u32 version = 0, n = 0;
    if (!Datei_Lesen_Felder(d, 8, [&](bytes::Leser& l) { l(version), l(n); }) || version != BLOCK_VERSION ||
        n > static_cast<u32>(MAX_TEAMS))
        return false;
    std::vector<Werbung_Daten> w(n);
    std::vector<u8> v(n);
    if (!Datei_Lesen_Felder(d, n * (1 + bytes::groesse<Werbung_Daten>()), [&](bytes::Leser& l) {
            for (u32 t = 0; t < n; t++) l(v[t]), l(w[t]);
        }))
        return false;
    // Sponsors index their table; the offer's kind is a board class or the main sponsor.
    for (u32 t = 0; t < n; t++) {
        if (v[t] > 1 || !Felder_Pruefen("Werbung", w[t], WERBUNG_FELDER)) return false;
        for (const Werbung_Slot& s : w[t].slot)
            if (!Felder_Pruefen("Werbung", s, WERBUNG_SLOT_FELDER)) return false;
    }
    neu_daten = std::move(w);
    neu_vorhanden = std::move(v);
    return true;
}

void Werbung_Uebernehmen() {
    daten = std::move(neu_daten);
    vorhanden = std::move(neu_vorhanden);
    Werbung_Verwerfen();
}

void Werbung_Verwerfen() {
    neu_daten.clear();
    neu_vorhanden.clear();
}

namespace {

// The wage bill sponsors pay for, at least WELT_SPONSOR_LIGA_BODEN per cent
// of the league's median one.
f64 sponsor_basis(int team, f64 liga_gehalt) {
    return std::max(Leben_Gehaltssumme(team), liga_gehalt * WELT_SPONSOR_LIGA_BODEN / 100);
}

// The reserve: WELT_SPONSOR_POLSTER months of that wage bill times the
// square of the club's size (WELT_POLSTER_MIN to WELT_POLSTER_MAX).
f64 sponsor_polster(f64 eigen, f64 groesse) {
    return eigen * WELT_SPONSOR_POLSTER * std::clamp(groesse * groesse, WELT_POLSTER_MIN, WELT_POLSTER_MAX);
}

}  // namespace

f64 Werbung_Ueberschuss(int team, f64 liga_gehalt, f64 groesse) {
    if (!Team_Ist_Verein(team)) return 0;
    const f64 grenze = sponsor_polster(sponsor_basis(team, liga_gehalt), groesse) * WELT_UEBERSCHUSS_AB_PROZENT / 100;
    return std::max(0.0, Bank_Get_Kontostand(team, 0, -1) - grenze);
}

f64 Werbung_Sponsorgeld(int team, f64 liga_gehalt, f64 groesse) {
    if (!Team_Ist_Verein(team)) return 0;
    const f64 eigen = sponsor_basis(team, liga_gehalt);
    // A club that holds more than its reserve gets less, down to
    // WELT_SPONSOR_REST per cent at WELT_SPONSOR_BIS_PROZENT per cent of it.
    const f64 polster = sponsor_polster(eigen, groesse);
    f64 anteil = 1;
    if (polster >= 1) {
        const f64 ueber = Bank_Get_Kontostand(team, 0, -1) / polster - 1;  // beyond the reserve, in reserves
        anteil = std::clamp(1 - ueber * 100 / (WELT_SPONSOR_BIS_PROZENT - 100), WELT_SPONSOR_REST / 100.0, 1.0);
    }
    return eigen * WELT_SPONSOR_PROZENT / 100 * anteil;
}

void Werbung_Sponsorgeld_Buchen(int team, f64 liga_gehalt, f64 groesse) {
    const f64 geld = Werbung_Sponsorgeld(team, liga_gehalt, groesse);
    if (geld >= 1) Bank_Buchen(-1, team, static_cast<f32>(geld), BANK_WERBUNG, 1, -1);
}
