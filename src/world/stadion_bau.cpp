// Building at a club's stadium.
#include "world/stadion_bau.h"

#include <algorithm>

#include "base/globals.h"
#include "base/ruf.h"
#include "world/bank.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/stadion.h"
#include "world/welt.h"

namespace {

// A seat costs what the stadium models charge per place built (100 to
// 1,200 by class; the global configuration's PLATZ_BAUPREIS is held to
// 5,000): the other per-class amounts of 10,000 to 120,000 are the models'
// running cost of a home match, and as a seat price they would make any
// extension dearer than building the next class (35,000 seats at class 4
// for 2.8 billion against 90 million for class 5).
constexpr Stadion_Bauklasse KLASSEN[STADION_KLASSEN] = {
    {1000, 9000, 0, 100, 10000, 30},
    {5000, 16000, 1200000, 150, 30000, 40},
    {12000, 32000, 3500000, 300, 50000, 50},
    {25000, 45000, 12000000, 600, 70000, 60},
    {35000, 70000, 35000000, 800, 90000, 80},
    {60000, 120000, 90000000, 1200, 120000, 90},
};

Stadion_Daten* stadion(int team) {
    if (team < 0 || team >= Team_Anzahl) return nullptr;
    return Stadion_Get(team, 1);
}

// Seats and terraces for a new capacity, the terraces keeping their share.
void kapazitaet_setzen(int team, Stadion_Daten* s, i32 kapazitaet) {
    const i64 alt = std::max(1, s->sitzplaetze + s->stehplaetze);
    const i32 steh = static_cast<i32>(static_cast<i64>(std::max(0, s->stehplaetze)) * kapazitaet / alt);
    s->stehplaetze = steh;
    s->sitzplaetze = kapazitaet - steh;
    s->kapazitaet = kapazitaet;
    s->groesse = kapazitaet / 1000;
    Team_Daten[team].sitzplaetze = s->sitzplaetze;
    Team_Daten[team].stehplaetze = s->stehplaetze;
}

bool buchen(int team, i64 betrag) {
    return betrag <= 0 || Bank_Buchen(team, -1, static_cast<f32>(betrag), BANK_STADIONBAU, 0, -1) != 0;
}

// A client's step: the server's verdict, then the record and the account read back.
Stadion_Bau vom_server(int team, std::optional<u8> antwort) {
    if (!antwort) return Stadion_Bau::KEINE_ANTWORT;
    Stadion_Internet_Client_Get(team);
    Bank_Internet_Client_Get_Kredite(team);
    Bank_Internet_Client_Refresh(team);
    const u8 a = *antwort;
    return a >= 1 && a <= static_cast<u8>(Stadion_Bau::KEINE_ANTWORT) ? static_cast<Stadion_Bau>(a)
                                                                       : Stadion_Bau::UNGUELTIG;
}

}  // namespace

namespace {

// Levels of the six sides by class: the ends, the far side, what stands
// above the ends and above the far side.
struct Ausbau {
    i8 enden, laengs, ueber_enden, ueber_laengs;
};
constexpr Ausbau AUSBAU[STADION_KLASSEN] = {
    {0, 1, 0, 1},   // grass banks and the clubhouse at the ends, plain steps and floodlights on the far side
    {1, 1, 1, 1},   // plain steps all round, floodlight masts
    {1, 2, 1, 2},   // a seated far side under a roof, floodlights at the ends
    {2, 3, 2, 3},   // seated stands all round, roofed
    {3, 4, 3, 4},   // tall stands, the far side at its highest
    {4, 4, 4, 4},   // the full bowl under one roof
};

bool obere_haelfte(const Stadion_Daten& s) {
    const Stadion_Bauklasse& k = Stadion_Bauklasse_Holen(s.klasse);
    return s.kapazitaet * 2 >= k.von + k.bis;
}

}  // namespace

void Stadion_Tribuenen(const Stadion_Daten& s, int stufe[STADION_SEITEN]) {
    const Ausbau& a = AUSBAU[std::clamp(s.klasse, 0, STADION_KLASSEN - 1)];
    int enden = a.enden, ueber = a.ueber_enden;
    if (obere_haelfte(s) && enden < a.laengs) ++enden, ueber = std::max(ueber + 1, 1);
    stufe[0] = stufe[2] = enden;
    stufe[1] = a.laengs;
    stufe[3] = ueber;
    // Nothing stands above the right end: it is the corner nearest the
    // camera, where masts and a roof would hide the pitch.
    stufe[5] = -1;
    stufe[4] = a.ueber_laengs;
}

int Stadion_Bildart(const Stadion_Daten& s) {
    const int klasse = std::clamp(s.klasse, 0, STADION_KLASSEN - 1);
    return klasse == STADION_KLASSEN - 1 && obere_haelfte(s) ? 6 : klasse;
}

const Stadion_Bauklasse& Stadion_Bauklasse_Holen(int klasse) {
    return KLASSEN[std::clamp(klasse, 0, STADION_KLASSEN - 1)];
}

i64 Stadion_Renovierung_Kosten(const Stadion_Daten& s, i32 komfort) {
    if (komfort <= s.komfort) return 0;
    return static_cast<i64>(komfort - s.komfort) * Stadion_Bauklasse_Holen(s.klasse).punktpreis;
}

i64 Stadion_Kapazitaet_Kosten(const Stadion_Daten& s, i32 kapazitaet) {
    if (kapazitaet >= s.kapazitaet)
        return static_cast<i64>(kapazitaet - s.kapazitaet) * Stadion_Bauklasse_Holen(s.klasse).platzpreis;
    return static_cast<i64>(s.kapazitaet - kapazitaet) * STADION_ABBAU_PRO_PLATZ;
}

Stadion_Bau Stadion_Klasse_Bauen(int team) {
    if (ruf::Client()) {
        const Stadion_Daten* s = stadion(team);
        return vom_server(team, ruf::Rufen(RUF_STADION_NEUBAU, team, s ? s->klasse + 1 : 0));
    }
    Stadion_Daten* s = stadion(team);
    if (!s) return Stadion_Bau::KEIN_STADION;
    if (s->klasse < 0 || s->klasse >= STADION_KLASSEN - 1) return Stadion_Bau::HOECHSTE_KLASSE;
    const Stadion_Bauklasse& neu = KLASSEN[s->klasse + 1];
    if (!buchen(team, neu.baupreis)) return Stadion_Bau::ABGELEHNT;
    s->klasse += 1;
    s->komfort = neu.komfort;
    kapazitaet_setzen(team, s, neu.von);
    return Stadion_Bau::GEBUCHT;
}

Stadion_Bau Stadion_Renovieren(int team, i32 komfort) {
    if (ruf::Client()) return vom_server(team, ruf::Rufen(RUF_STADION_RENOVIERUNG, team, komfort));
    Stadion_Daten* s = stadion(team);
    if (!s) return Stadion_Bau::KEIN_STADION;
    if (komfort < s->komfort || komfort > STADION_KOMFORT_MAX) return Stadion_Bau::UNGUELTIG;
    if (!buchen(team, Stadion_Renovierung_Kosten(*s, komfort))) return Stadion_Bau::ABGELEHNT;
    s->komfort = komfort;
    return Stadion_Bau::GEBUCHT;
}

Stadion_Bau Stadion_Kapazitaet_Aendern(int team, i32 kapazitaet) {
    if (ruf::Client()) {
        const Stadion_Daten* s = stadion(team);
        if (!s) return Stadion_Bau::KEIN_STADION;
        if (!ruf::Rufen(RUF_STADION_SETZEN, team, 0, s->eintrittspreis, kapazitaet, 0))
            return Stadion_Bau::KEINE_ANTWORT;
        // The call answers nothing: the record read back tells.
        vom_server(team, static_cast<u8>(Stadion_Bau::GEBUCHT));
        const Stadion_Daten* neu = stadion(team);
        return neu && neu->kapazitaet == kapazitaet ? Stadion_Bau::GEBUCHT : Stadion_Bau::ABGELEHNT;
    }
    Stadion_Daten* s = stadion(team);
    if (!s) return Stadion_Bau::KEIN_STADION;
    const Stadion_Bauklasse& k = Stadion_Bauklasse_Holen(s->klasse);
    if (kapazitaet < k.von || kapazitaet > k.bis) return Stadion_Bau::UNGUELTIG;
    if (!buchen(team, Stadion_Kapazitaet_Kosten(*s, kapazitaet))) return Stadion_Bau::ABGELEHNT;
    kapazitaet_setzen(team, s, kapazitaet);
    return Stadion_Bau::GEBUCHT;
}

Stadion_Bau Stadion_Preis_Setzen(int team, i32 preis) {
    if (ruf::Client()) {
        if (preis < STADION_PREIS_MIN || preis > STADION_PREIS_MAX) return Stadion_Bau::UNGUELTIG;
        if (!ruf::Rufen(RUF_STADION_SETZEN, team, 0, preis, -1, -1)) return Stadion_Bau::KEINE_ANTWORT;
        vom_server(team, static_cast<u8>(Stadion_Bau::GEBUCHT));
        const Stadion_Daten* neu = stadion(team);
        return neu && neu->eintrittspreis == preis ? Stadion_Bau::GEBUCHT : Stadion_Bau::ABGELEHNT;
    }
    Stadion_Daten* s = stadion(team);
    if (!s) return Stadion_Bau::KEIN_STADION;
    if (preis < STADION_PREIS_MIN || preis > STADION_PREIS_MAX) return Stadion_Bau::UNGUELTIG;
    s->eintrittspreis = preis;
    return Stadion_Bau::GEBUCHT;
}

namespace {
// The class a request asks for: built already (the request again) is done
// without paying, the next one is built, any other is out of range.
Stadion_Bau klasse_erreichen(i32 team, i32 klasse) {
    const Stadion_Daten* s = stadion(team);
    if (!s) return Stadion_Bau::KEIN_STADION;
    if (klasse >= 1 && klasse <= s->klasse) return Stadion_Bau::GEBUCHT;
    if (klasse != s->klasse + 1) return Stadion_Bau::UNGUELTIG;
    return Stadion_Klasse_Bauen(team);
}
}  // namespace

u8 Stadion_Internet_Server_Bauen(i32 team, i32 klasse) {
    if (team != Aktuelles_Team) return static_cast<u8>(Stadion_Bau::KEIN_STADION);
    return static_cast<u8>(klasse_erreichen(team, klasse));
}

u8 Stadion_Internet_Server_Renovieren(i32 team, i32 komfort) {
    if (team != Aktuelles_Team) return static_cast<u8>(Stadion_Bau::KEIN_STADION);
    return static_cast<u8>(Stadion_Renovieren(team, komfort));
}

u8 Stadion_Internet_Server_Setzen(i32 team, i32 ausbauen, i32 preis, i32 sitz, i32 steh) {
    if (team != Aktuelles_Team) return static_cast<u8>(Stadion_Bau::KEIN_STADION);
    const Stadion_Daten* s = stadion(team);
    if (!s) return static_cast<u8>(Stadion_Bau::KEIN_STADION);
    Stadion_Bau e = Stadion_Bau::GEBUCHT;
    if (ausbauen) e = klasse_erreichen(team, ausbauen);
    if (e == Stadion_Bau::GEBUCHT && preis != s->eintrittspreis) e = Stadion_Preis_Setzen(team, preis);
    // A new capacity is a building step like the screen's: paid here.
    if (e == Stadion_Bau::GEBUCHT && sitz >= 0 && steh >= 0) {
        const i64 neu = static_cast<i64>(sitz) + steh;
        if (neu > Stadion_Bauklasse_Holen(STADION_KLASSEN - 1).bis) e = Stadion_Bau::UNGUELTIG;
        else if (neu != s->kapazitaet) e = Stadion_Kapazitaet_Aendern(team, static_cast<i32>(neu));
    }
    return static_cast<u8>(e);
}
