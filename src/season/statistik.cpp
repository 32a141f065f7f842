#include "season/statistik.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/datei.h"
#include "season/archiv.h"
#include "season/kalender.h"
#include "season/qualifikation.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/aufstellung.h"
#include "world/welt.h"

namespace {

// A game's entry from the team's side; false when the team does not play.
bool eintrag(const Wettbewerb& w, const Spiel& s, i32 team, Statistik_Termin* t) {
    const bool a = team < 0 || s.team_a == team, b = team >= 0 && s.team_b == team;
    if (!a && !b) return false;
    const bool heimrecht = (w.modus & WB_HEIMRECHT) != 0;
    t->gegner = a ? s.team_b : s.team_a;
    t->ort = heimrecht ? (a ? 0 : 1) : 2;
    t->tore = a ? s.tore_a : s.tore_b;
    t->gegentore = a ? s.tore_b : s.tore_a;
    return true;
}

}  // namespace

int Statistik_Naechstes_Spiel(i32 team, i32 erster_tag, i32 wettbewerb, Statistik_Termin* aus, int max, i32 ort,
                              bool nur_ungespielt) {
    if (!aus || max <= 0 || !Kalender_Ist_Initialisiert() || !Wettbewerb_Tabelle) return 0;
    const i32 heute = Kalender_Get_Tag();
    if (erster_tag < 0) erster_tag = heute;
    int n = 0;
    // The groups playing on a day, listed once per day (not once per
    // competition): a day without matches is passed at once.
    std::vector<i32> gruppen(KALENDER_MAX_GRUPPEN);
    for (i32 tag = erster_tag; tag <= heute + TERMINE_TAGE && n < max; ++tag) {
        const i32 offset = tag - Kalender_Get_Basistag();
        const int an_dem_tag = Kalender_Spieltage_Heute(offset, 1, gruppen.data());
        if (an_dem_tag <= 0) continue;
        const auto spielt = [&](i32 marke) {
            const i32 id = Wettbewerb_Get_Id_Von_Kalendermarke(marke);
            return id != -1 && std::find(gruppen.begin(), gruppen.begin() + an_dem_tag, id) != gruppen.begin() + an_dem_tag;
        };
        for (int i = 0; i < WETTBEWERB_ANZAHL && n < max; ++i) {
            const Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (!w.name[0] || w.kalendermarke < 0 || (wettbewerb >= 0 && w.id != wettbewerb)) continue;
            if (!spielt(w.kalendermarke)) continue;
            i32 runde = 0;
            const i32 spieltag = Kalender_Get_Spieltag_Nummer(tag, w.id, &runde);
            if (spieltag < 0) continue;
            for (u32 k = 0; n < max; ++k) {
                Spiele_Lock_Halter h(
                    Spiele_Lock(static_cast<u32>(w.id), static_cast<u32>(spieltag), static_cast<u32>(runde), k));
                if (!h) break;
                const Spiel& s = *Spiele_Get_Spiel(h.Handle(), true);
                Statistik_Termin t{-1, tag, w.id, 0, -1, -1, spieltag, runde, static_cast<i32>(k)};
                if (s.team_a <= 0) {
                    // The pairing is not drawn yet: listed once when the team takes part.
                    if (team < 0 || Wettbewerb_Team_Eingetragen(i, team, false, LISTE_NACH_STAND)) aus[n++] = t;
                    break;
                }
                if (!eintrag(w, s, team, &t) || (nur_ungespielt && t.tore >= 0)) continue;
                if ((ort == 1 && t.ort != 0) || (ort == 2 && t.ort != 1)) continue;
                aus[n++] = t;
            }
        }
    }
    return n;
}

namespace {

constexpr u32 ANFANGS_KAPAZITAET = 1500;
constexpr u16 KEINE_AENDERUNG = 65535;
constexpr u8 KEIN_EINTRAG = 255;
constexpr u8 NOTE_BITS = 7, WECHSEL_BITS = 8 | 16, EINTRAG_ZU = 32;

Spiele_Speicher& speicher() {
    static Spiele_Speicher s(STATISTIK_SPIELER_GROESSE, ANFANGS_KAPAZITAET);
    return s;
}

void lesen(const u8* e, Statistik_Spieler& s) {
    bytes::Leser l(e, STATISTIK_SPIELER_GROESSE);
    l(s);
}

void schreiben(const Statistik_Spieler& s, u8* e) {
    bytes::bild_schreiben(e, STATISTIK_SPIELER_GROESSE, [&](bytes::Schreiber& w) { w(s); });
}

template <class T, size_t N>
void vorne_einfuegen(T (&h)[N], T wert) {
    std::copy_backward(h, h + N - 1, h + N);
    h[0] = wert;
}

u16 addieren(u16 alt, u16 dazu) { return static_cast<u16>(std::min<u32>(u32{alt} + dazu, STATISTIK_ZAEHLER_MAX)); }

}  // namespace

Statistik_Spieler Statistik_Spieler_Unveraendert(i32 spieler) {
    Statistik_Spieler s;
    s.spieler = static_cast<u32>(spieler);
    s.tore = KEINE_AENDERUNG;  // -1 as i16
    s.einsaetze = s.international = s.minuten = KEINE_AENDERUNG;
    std::fill(std::begin(s.h1), std::end(s.h1), KEIN_EINTRAG);
    std::fill(std::begin(s.h2), std::end(s.h2), KEINE_AENDERUNG);
    std::fill(std::begin(s.spiele), std::end(s.spiele), KEIN_EINTRAG);
    std::fill(std::begin(s.h3), std::end(s.h3), KEIN_EINTRAG);
    return s;
}

bool Statistik_Spieler_Setze(i32 spieler, const Statistik_Spieler& neu, bool anlegen) {
    if (spieler < 0) return false;
    Spiele_Speicher& sp = speicher();
    const u32 k = static_cast<u32>(spieler);
    const bool da = sp.Finden(k) >= 0;
    if (!da && !anlegen) return false;
    u8* e = sp.Holen(k);
    if (!e) return false;
    Statistik_Spieler s;
    if (da) {
        lesen(e, s);
    } else {
        s = Statistik_Spieler_Unveraendert(spieler);
        s.tore = s.einsaetze = s.international = s.minuten = 0;
        std::fill(std::begin(s.h2), std::end(s.h2), 0xFFFF);
    }
    if (neu.tore != KEINE_AENDERUNG) s.tore = addieren(s.tore, neu.tore);
    if (neu.einsaetze != KEINE_AENDERUNG) s.einsaetze = addieren(s.einsaetze, neu.einsaetze);
    if (neu.international != KEINE_AENDERUNG) s.international = addieren(s.international, neu.international);
    if (neu.minuten != KEINE_AENDERUNG) s.minuten = addieren(s.minuten, neu.minuten);
    if (neu.h1[0] != KEIN_EINTRAG) vorne_einfuegen(s.h1, neu.h1[0]);
    if (neu.h2[0] != KEINE_AENDERUNG) vorne_einfuegen(s.h2, neu.h2[0]);
    if (neu.h3[0] != KEIN_EINTRAG) vorne_einfuegen(s.h3, neu.h3[0]);
    if (neu.spiele[0] != KEIN_EINTRAG) {
        if (s.spiele[0] == KEIN_EINTRAG) s.spiele[0] = 0;
        else if (s.spiele[0] & EINTRAG_ZU) vorne_einfuegen(s.spiele, u8{0});
        if (neu.spiele[0] & NOTE_BITS) s.spiele[0] |= static_cast<u8>((neu.spiele[0] & NOTE_BITS) | EINTRAG_ZU);
        s.spiele[0] |= neu.spiele[0] & WECHSEL_BITS;
    }
    schreiben(s, e);
    return true;
}

i32 Statistik_Spieler_Suche(i32 spieler) { return spieler < 0 ? -1 : speicher().Finden(static_cast<u32>(spieler)); }

bool Statistik_Spieler_Get(i32 spieler, Statistik_Spieler* aus) {
    const i32 i = Statistik_Spieler_Suche(spieler);
    if (i < 0 || !aus) return false;
    lesen(speicher().Eintrag(static_cast<u32>(i)), *aus);
    return true;
}

bool Statistik_Spieler_Loesche(i32 spieler) {
    const i32 i = Statistik_Spieler_Suche(spieler);
    if (i < 0) return false;
    speicher().Loeschen(static_cast<u32>(i));
    return true;
}

void Statistik_Spieler_Leeren() { speicher().Leeren(); }

void Statistik_Init() {
    Statistik_Archiv_Leeren();
    Statistik_Spieler_Leeren();
}

void Statistik_Free() { Statistik_Init(); }

void Spiele_Setze_Eingesetzte_Spieler_Gesamtstatistik_Vor_Spiel(i32 wettbewerb, i32 team) {
    if (team < 0 || team >= Team_Anzahl) return;
    constexpr int SPIELER_PRO_TEAM = 20;
    constexpr u32 STARTELF = 16;
    i32 spieler[SPIELER_PRO_TEAM];
    const int n = Teamspieler_Ins_Array(team, spieler, SPIELER_PRO_TEAM, STARTELF);
    const bool international = Wettbewerb_Ist_International(wettbewerb);
    for (int i = 0; i < n; ++i) {
        Statistik_Spieler u = Statistik_Spieler_Unveraendert(spieler[i]);
        u.einsaetze = 1;
        if (international) u.international = 1;
        Statistik_Spieler_Setze(spieler[i], u, true);
    }
}

namespace {

constexpr u32 MAX_SPIELER_EINTRAEGE = 4u * 1024u * 1024u;
Spiele_Speicher& staging() {
    static Spiele_Speicher s(STATISTIK_SPIELER_GROESSE, ANFANGS_KAPAZITAET);
    return s;
}
bool staging_da = false;

}  // namespace

bool Statistik_Spieler_Gueltig(const Statistik_Spieler& s) {
    if (!Felder_Pruefen("Statistik", s, STATISTIK_SPIELER_FELDER)) return false;
    for (u8 e : s.spiele)
        if (e != KEIN_EINTRAG && e > STATISTIK_SPIEL_BITS_MAX) {
            Debug_Printf("Statistik: Spielnote %u liegt nicht in 0..%u\n", unsigned{e},
                         unsigned{STATISTIK_SPIEL_BITS_MAX});
            return false;
        }
    return true;
}

bool Statistik_Spieler_Save(Datei_Status* datei) {
    const Spiele_Speicher& sp = speicher();
    if (!Datei_Schreiben_Felder(datei, [&](bytes::Schreiber& s) { s(sp.Anzahl()), s(sp.Kapazitaet()); })) return false;
    return sp.Anzahl() == 0 || Datei_Schreiben(datei, sp.Eintrag(0), sp.Anzahl() * STATISTIK_SPIELER_GROESSE);
}

bool Statistik_Spieler_Lesen(Datei_Status* datei) {
    staging_da = false;
    u32 n = 0, kapazitaet = 0;
    if (!Datei_Lesen_Felder(datei, 8, [&](bytes::Leser& l) { l(n), l(kapazitaet); })) return false;
    const i32 pos = Datei_Position(datei);
    if (n > kapazitaet || kapazitaet > MAX_SPIELER_EINTRAEGE || pos < 0 ||
        u64{n} * STATISTIK_SPIELER_GROESSE > Datei_Groesse(datei) - static_cast<u32>(pos))
        return false;
    std::vector<u8> daten(size_t{n} * STATISTIK_SPIELER_GROESSE);
    if (n && Datei_Lesen(datei, daten.data(), static_cast<u32>(daten.size())) != daten.size()) return false;
    for (u32 i = 0; i < n; ++i)
        if (!Statistik_Spieler_Gueltig(
                bytes::aus_bild<Statistik_Spieler>(daten.data() + size_t{i} * STATISTIK_SPIELER_GROESSE)))
            return false;
    staging() = Spiele_Speicher(STATISTIK_SPIELER_GROESSE, 1);  // the saved capacity, not a larger old one
    if (!staging().Setzen(daten.data(), n, kapazitaet)) return false;
    staging_da = true;
    return true;
}

void Statistik_Spieler_Uebernehmen() {
    if (staging_da) std::swap(speicher(), staging());
    Statistik_Spieler_Verwerfen();
}

void Statistik_Spieler_Verwerfen() {
    staging() = Spiele_Speicher(STATISTIK_SPIELER_GROESSE, 1);
    staging_da = false;
}

bool Statistik_Save(Datei_Status* datei) { return Archiv_Save(datei) && Statistik_Spieler_Save(datei); }

bool Statistik_Lesen(Datei_Status* datei) {
    if (Datei_Groesse(datei) == 0) {
        staging() = Spiele_Speicher(STATISTIK_SPIELER_GROESSE, ANFANGS_KAPAZITAET);
        staging_da = true;
        return Archiv_Leer_Vormerken();
    }
    return Archiv_Lesen(datei) && Statistik_Spieler_Lesen(datei);
}

void Statistik_Uebernehmen() {
    Archiv_Uebernehmen();
    Statistik_Spieler_Uebernehmen();
}

void Statistik_Verwerfen() {
    Archiv_Verwerfen();
    Statistik_Spieler_Verwerfen();
}

int Statistik_Team_Titel(i32 team, i32 wettbewerb, Statistik_Titel* aus, int max) {
    constexpr i32 JAHRE_VORAUS = 30;
    if (!Wettbewerb_Tabelle || !aus || max <= 0 || team < 0) return 0;
    std::vector<i32> basis;  // each competition once, by its base id
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || (wettbewerb != -1 && Wettbewerb_Get_Basis_Id(w.id) != Wettbewerb_Get_Basis_Id(wettbewerb)))
            continue;
        const i32 b = Wettbewerb_Get_Basis_Id(w.id);
        if (b >= 0 && std::find(basis.begin(), basis.end(), b) == basis.end()) basis.push_back(b);
    }
    int n = 0;
    for (i32 jahr = Kalender_Get_Jahr() + JAHRE_VORAUS; jahr >= 0 && n < max; --jahr)
        for (size_t k = 0; k < basis.size() && n < max; ++k)
            if (Spiele_Get_Wettbewerb_Sieger(basis[k], jahr, nullptr, nullptr, nullptr) == team)
                aus[n++] = {basis[k], jahr};
    return n;
}

namespace {
constexpr int BILANZ_ERGEBNISSE = 10;
// The words of the head-to-head lines (singular, plural).
constexpr const char* BILANZ = "Bilanz:";
constexpr const char* ERGEBNISSE = "Ergebnisse:";
constexpr const char* SIEG[2] = {"Sieg", "Siege"};
constexpr const char* REMIS[2] = {"Unentschieden", "Unentschieden"};
constexpr const char* NIEDERLAGE[2] = {"Niederlage", "Niederlagen"};
const char* wort(const char* const (&w)[2], u32 n) { return w[n == 1 ? 0 : 1]; }
}  // namespace

bool Statistik_Bilanz_Text(i32 wettbewerb, i32 a, i32 b, std::string* text1, std::string* text2, bool tauschen) {
    if (text1) text1->clear();
    if (text2) text2->clear();
    u32 s = 0, u = 0, n = 0;
    constexpr size_t ZEILE = bytes::groesse<spiele_satz::Gegen_Zeile>();
    u8 items[ZEILE * BILANZ_ERGEBNISSE];
    const i32 zahl = Spiele_Get_Spiele_Gegen(wettbewerb, a, b, &s, &u, &n, items, BILANZ_ERGEBNISSE);
    if (s + u + n == 0) return false;
    if (tauschen) std::swap(s, n);
    char zeile[160];
    std::snprintf(zeile, sizeof zeile, "%s %u %s, %u %s, %u %s", BILANZ, s, wort(SIEG, s), u, wort(REMIS, u), n,
                  wort(NIEDERLAGE, n));
    if (text1) *text1 = zeile;
    std::string ergebnisse;
    for (i32 i = 0; i < std::clamp(zahl, 0, BILANZ_ERGEBNISSE); ++i) {
        const auto z = bytes::aus_bild<spiele_satz::Gegen_Zeile>(items + ZEILE * static_cast<size_t>(i));
        std::snprintf(zeile, sizeof zeile, "%s%u:%u", i ? "," : "", z.tore_heim, z.tore_gast);
        ergebnisse += zeile;
    }
    if (text2) *text2 = std::string(ERGEBNISSE) + " " + ergebnisse;
    return true;
}
