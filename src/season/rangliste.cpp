#include "season/rangliste.h"

#include <algorithm>
#include <vector>

#include "base/datei.h"
#include "base/debug.h"
#include "base/random.h"
#include "base/spielstand.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr u32 STAERKE_MODUS = 16;  // the starting eleven

struct Zustand {
    bool bereit = false;
    i32 anzahl = 0;
    i32 sortieren = 0;
    std::vector<Rangliste_Eintrag> eintraege;  // Team_Anzahl records, the first `anzahl` in use
};
Zustand z;
Zustand staging;
bool staging_da = false;
bool geholt = false;  // a client's ranking fetched since the last reset

bool bereit(const char* wer) {
    if (z.bereit) return true;
    Debug_Printf("%s: Rangliste muß initialisiert werden\n", wer);
    return false;
}

Rangliste_Eintrag* eintrag(i32 team) {
    for (i32 i = 0; i < z.anzahl; ++i)
        if (z.eintraege[static_cast<size_t>(i)].team == team) return &z.eintraege[static_cast<size_t>(i)];
    return nullptr;
}

i32 staerke(i32 team) { return std::clamp(Team_Get_Staerke_Modus(team, STAERKE_MODUS), 1, RANGLISTE_STAERKE_MAX); }

template <class T>
void vorne(T (&h)[RANGLISTE_HISTORIE], T wert) {
    std::copy_backward(h, h + RANGLISTE_HISTORIE - 1, h + RANGLISTE_HISTORIE);
    h[0] = wert;
}

// The places of one key: the record numbers sorted by it, descending.
template <class Feld>
void plaetze(Feld schluessel_von, i32 Rangliste_Eintrag::*platz) {
    std::vector<u32> nummern(static_cast<size_t>(z.anzahl));
    std::vector<i32> schluessel(static_cast<size_t>(z.anzahl));
    for (i32 i = 0; i < z.anzahl; ++i) {
        nummern[static_cast<size_t>(i)] = static_cast<u32>(i);
        schluessel[static_cast<size_t>(i)] = schluessel_von(z.eintraege[static_cast<size_t>(i)]);
    }
    SortMisch_Sortiere(nummern.data(), schluessel.data(), z.anzahl, 1);
    for (i32 p = 0; p < z.anzahl; ++p) z.eintraege[nummern[static_cast<size_t>(p)]].*platz = p;
}

// A record of a ranking of `anzahl` places in a world of `teams` teams.
bool eintrag_gut(const Rangliste_Eintrag& e, i32 anzahl, i32 teams) {
    if (!Felder_Pruefen("Rangliste", e, RANGLISTE_FELDER)) return false;
    if (e.team < 0 || e.team >= teams || e.platz < 0 || e.platz >= anzahl || e.form_platz < 0 ||
        e.form_platz >= anzahl)
        return false;
    for (int k = 0; k < RANGLISTE_HISTORIE; ++k)
        if (e.gegner[k] < -1 || e.gegner[k] >= teams) return false;
    return true;
}

}  // namespace

void Rangliste_Aufbauen() {
    z = Zustand{};
    z.eintraege.assign(static_cast<size_t>(std::max(Team_Anzahl, 0)), Rangliste_Eintrag{});
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        if (!Team_Ist_Normal(t, TEAM_ART_RANGLISTE) || Wettbewerb_Get_Liga_Von_Team(t, true) == -1) continue;
        Rangliste_Eintrag& e = z.eintraege[static_cast<size_t>(z.anzahl++)];
        e.team = t;
        std::fill(std::begin(e.gegner), std::end(e.gegner), -1);
    }
    z.bereit = true;
    z.sortieren = 1;
}

void Rangliste_Init_Falls_Noetig() {
    if (!z.bereit) Rangliste_Aufbauen();
}

void Rangliste_Free() { z = Zustand{}; }
bool Rangliste_Bereit() { return z.bereit; }
int Rangliste_Anzahl() { return z.anzahl; }

void Rangliste_Nach_Spiel(i32 team, const Spiel& s) {
    if (s.tore_a < 0 || s.tore_b < 0) return;
    Rangliste_Init_Falls_Noetig();
    Rangliste_Eintrag* e = eintrag(team);
    if (!e || (team != s.team_a && team != s.team_b)) return;
    const bool heim = team == s.team_a;
    const i32 gegner = heim ? s.team_b : s.team_a;
    const i32 eigene = heim ? s.tore_a : s.tore_b, andere = heim ? s.tore_b : s.tore_a;
    const i32 selbst = staerke(team), fremd = staerke(gegner);
    const i32 punkte = eigene > andere ? selbst + fremd : eigene == andere ? selbst + fremd / 2 : selbst;
    vorne(e->gegner, gegner);
    vorne(e->ort, static_cast<u8>(heim ? 0 : 1));
    vorne(e->tore, static_cast<u8>(eigene));
    vorne(e->gegentore, static_cast<u8>(andere));
    vorne(e->punkte, punkte);
    e->summe = std::min(e->summe, RANGLISTE_SUMME_MAX - punkte) + punkte;
    z.sortieren = 1;
}

void Rangliste_Sortieren() {
    Rangliste_Init_Falls_Noetig();
    if (!z.sortieren) return;
    for (i32 i = 0; i < z.anzahl; ++i) {
        Rangliste_Eintrag& e = z.eintraege[static_cast<size_t>(i)];
        e.wert = e.summe;
        e.form = 0;
        for (i32 p : e.punkte) e.form += p;
    }
    plaetze([](const Rangliste_Eintrag& e) { return e.form; }, &Rangliste_Eintrag::form_platz);
    plaetze([](const Rangliste_Eintrag& e) { return e.wert; }, &Rangliste_Eintrag::platz);
    z.sortieren = 0;
    Season_Gui.Rangliste_Screens_Auffrischen();
}

bool Rangliste_Get_Bereich(i32 erster, i32 anzahl, i32* teams, i32* werte, int ordnung) {
    // A client reads the server's ranking, fetched once a day.
    Rangliste_Internet_Client_Get();
    if (!bereit("Rangliste_Get_Bereich")) return false;
    bool etwas = false;
    for (i32 i = 0; i < z.anzahl; ++i) {
        const Rangliste_Eintrag& e = z.eintraege[static_cast<size_t>(i)];
        const i32 platz = (ordnung == 1 ? e.platz : e.form_platz) - erster;
        if (platz < 0 || platz >= anzahl) continue;
        if (teams) teams[platz] = e.team;
        if (werte) werte[platz] = ordnung == 2 ? e.form : e.wert;
        etwas = true;
    }
    return etwas;
}

bool Rangliste_Get_Eintrag(i32 team, Rangliste_Eintrag* aus) {
    Rangliste_Internet_Client_Get();
    const Rangliste_Eintrag* e = team >= 0 && team < Team_Anzahl && z.bereit ? eintrag(team) : nullptr;
    if (aus) *aus = e ? *e : Rangliste_Eintrag{};
    return e != nullptr;
}

// ---------------------------------------------------------------------------
// Save block 15

bool Rangliste_Save(Datei_Status* datei) {
    if (!datei) return false;
    if (!z.bereit) return true;  // nothing built yet: an empty block
    return Datei_Schreiben_Felder(datei, [](bytes::Schreiber& s) {
        s(z.anzahl), s(z.sortieren);
        bytes::feld_schreiben(s, z.eintraege.data(), z.eintraege.size());
    });
}

bool Rangliste_Lesen(Datei_Status* datei) {
    Rangliste_Verwerfen();
    if (!datei) return false;
    staging_da = true;
    const u32 groesse = Datei_Groesse(datei);
    if (groesse == 0) return true;  // a save without ranking: built when needed
    // One record per team of the saved world (whose teams are read in the
    // same load, so the running world's count may differ: a load from the
    // start screen has no world yet).
    const u32 satz = static_cast<u32>(bytes::groesse<Rangliste_Eintrag>());
    if (groesse < 8 || (groesse - 8) % satz != 0 || (groesse - 8) / satz > static_cast<u32>(MAX_TEAMS)) return false;
    const size_t n = (groesse - 8) / satz;
    staging.eintraege.assign(n, Rangliste_Eintrag{});
    const bool gelesen = Datei_Lesen_Felder(datei, groesse, [](bytes::Leser& l) {
        l(staging.anzahl), l(staging.sortieren);
        bytes::feld_lesen(l, staging.eintraege.data(), staging.eintraege.size());
    });
    if (!gelesen || staging.anzahl < 0 || staging.anzahl > static_cast<i32>(n) ||
        (staging.sortieren != 0 && staging.sortieren != 1))
        return false;
    for (i32 i = 0; i < staging.anzahl; ++i)
        if (!eintrag_gut(staging.eintraege[static_cast<size_t>(i)], staging.anzahl, static_cast<i32>(n))) return false;
    staging.bereit = true;
    return true;
}

void Rangliste_Uebernehmen() {
    if (staging_da) z = staging;
    Rangliste_Verwerfen();
}

void Rangliste_Verwerfen() {
    staging = Zustand{};
    staging_da = false;
}

namespace {
std::tuple<i32, std::vector<Rangliste_Eintrag>> zeile_1020(i32 team) {
    if (team != Aktuelles_Team || !z.bereit) return {0, {}};
    return {z.anzahl, z.eintraege};
}
}  // namespace

bool Rangliste_Internet_Client_Get() {
    if (!ruf::Client() || geholt) return geholt;
    const auto a = ruf::Rufen(RUF_RANGLISTE, Team_Aktiv);
    if (!a) return false;
    const auto& [anzahl, eintraege] = *a;
    if (eintraege.size() != static_cast<size_t>(std::max(Team_Anzahl, 0)) || anzahl < 0 ||
        anzahl > static_cast<i32>(eintraege.size()))
        return false;
    for (i32 i = 0; i < anzahl; ++i)
        if (!eintrag_gut(eintraege[static_cast<size_t>(i)], anzahl, Team_Anzahl)) return false;
    z = Zustand{.bereit = true, .anzahl = anzahl, .sortieren = 0, .eintraege = eintraege};
    return geholt = true;
}

void Rangliste_Internet_Client_Reset() { geholt = false; }

void Rangliste_Anmelden() {
    ruf::Zeile_Anmelden(RUF_RANGLISTE, zeile_1020);
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_RANGLISTEN, {"rangliste", Rangliste_Save, Rangliste_Lesen,
                                                            Rangliste_Uebernehmen, Rangliste_Verwerfen});
}
