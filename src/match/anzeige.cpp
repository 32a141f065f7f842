// The shown pitches (at most four), the replay of the focused one and the
// match-tick control (pause, fast, frame period).
#include <algorithm>
#include <cstring>

#include "base/globals.h"
#include "base/ruf.h"
#include "match/spielfeld_intern.h"

namespace {

int anzeige_max() {
    int m = SF_Hook.anzeige_max();
    if (m <= 0 || m > SF_MAX_ANZEIGE) m = SF_MAX_ANZEIGE;
    return m;
}

}  // namespace

void SF_Anzeige_Entfernen(Spielfeld_Daten* sf) {
    for (int i = 0; i < SF_Register.anzeige_anzahl; i++) {
        if (SF_Register.anzeige[i] == sf) {
            for (int j = i; j + 1 < SF_Register.anzeige_anzahl; j++)
                SF_Register.anzeige[j] = SF_Register.anzeige[j + 1];
            SF_Register.anzeige_anzahl--;
            i--;
        }
    }
}

namespace {

// The shown pitches of the table, gathered again only when a pitch has
// entered or left it or a display byte was set since (the runner asks on
// every pass, and a matchday holds up to 200 pitches, few of them shown).
struct Gezeigte {
    bool gueltig = false;
    u32 stand = 0, anzeige_stand = 0;
    int anzahl = 0;
    Spielfeld_Daten* liste[SF_MAX_SPIELFELDER];
};
Gezeigte gezeigte;
u32 anzeige_stand = 0;

}  // namespace

void SF_Anzeige_Geaendert() { ++anzeige_stand; }

// Only a held clock (the pause, the replay of the focused pitch) or one left
// far behind (a stall) is re-based: a running one keeps its base, else a
// shown pitch would never step while the frames come faster than its period.
void Spielfeld_Zeit_Fortsetzen(u32 uhrzeit) {
    const u32 grenze = SF_AUFHOLEN_PERIODEN * SF_Periode();
    Gezeigte& g = gezeigte;
    if (!g.gueltig || g.stand != SF_Register.stand || g.anzeige_stand != anzeige_stand) {
        g.anzahl = 0;
        for (auto* t : SF_Register.tabelle)
            if (t && t->anzeige) g.liste[g.anzahl++] = t;
        g.gueltig = true;
        g.stand = SF_Register.stand;
        g.anzeige_stand = anzeige_stand;
    }
    for (int i = 0; i < g.anzahl; ++i) {
        Spielfeld_Daten* t = g.liste[i];
        const bool gehalten = SF_Steuerung.pause || (SF_Register.replay_aktiv && SF_Register.anzeige_anzahl > 0 &&
                                                     SF_Register.anzeige[0] == t);
        if (gehalten || uhrzeit - t->uhr_basis > grenze) t->uhr_basis = uhrzeit;
    }
}

void Spielfeld_Set_Pause(int an) { SF_Steuerung.pause = an ? 1 : 0; }
int Spielfeld_Get_Pause() { return SF_Steuerung.pause; }
void Spielfeld_Set_Fast(int flags) { SF_Steuerung.schnell = static_cast<u8>(flags); }
int Spielfeld_Get_Fast() { return SF_Steuerung.schnell; }
void Spielfeld_Set_Spulen(bool an) { SF_Spulen = an; }
bool Spielfeld_Get_Spulen() { return SF_Spulen; }
Spielfeld_Steuerung* Spielfeld_Get_Steuerung() { return &SF_Steuerung; }

// ---------------------------------------------------------------------------
// Display.

void Spielfeld_Anzeige_An() {
    if (!SF_Register.anzeige_an) SF_Hook.ansicht_init();
    SF_Register.anzeige_an = true;
}

void Spielfeld_Anzeige_Aus() {
    if (SF_Register.anzeige_an) SF_Hook.ansicht_free();
    SF_Register.anzeige_an = false;
    SF_Register.replay_aktiv = false;
    SF_Spulen = false;
}

bool Spielfeld_Anzeige_Hinzufuegen(Spielfeld_Daten* sf, int erzwingen) {
    if (!sf) return false;
    for (int i = 0; i < SF_Register.anzeige_anzahl; i++) {
        if (SF_Register.anzeige[i] == sf) return true;
        if (SF_Register.anzeige[i]->team[0] == sf->team[0]) return false;
    }
    if (SF_Register.anzeige_anzahl >= anzeige_max()) return false;
    SF_Register.anzeige[SF_Register.anzeige_anzahl++] = sf;
    if (erzwingen && !sf->anzeige) {
        sf->anzeige = 1;
        SF_Anzeige_Geaendert();
    }
    return true;
}

void Spielfeld_Anzeigeliste_Leeren() { SF_Register.anzeige_anzahl = 0; }

int Spielfeld_Anzeigeliste(Spielfeld_Daten** aus) {
    for (int i = 0; i < SF_Register.anzeige_anzahl; i++) aus[i] = SF_Register.anzeige[i];
    return SF_Register.anzeige_anzahl;
}

bool Spielfeld_Anzeige_Refresh() {
    if (SF_Register.anzeige_anzahl == 0) return false;
    if (SF_Register.anzeige_an) {
        SF_Hook.ansicht_run(SF_Register.anzeige, SF_Register.anzeige_anzahl, &SF_Steuerung);
        return SF_Hook.ansicht_get_spielfeld() != nullptr;
    }
    if (Spielfeld_Daten* sf = Spielfeld_Get_Aktuelles_Spielfeld()) SF_Hook.blit_spielfeld(sf, sf->spiel);
    return false;
}

bool Spielfeld_Get_Anzeige() { return SF_Register.anzeige_an || SF_Register.anzeige_anzahl > 0; }

Spielfeld_Daten* Spielfeld_Get_Aktuelles_Spielfeld() {
    if (Spielfeld_Daten* sf = SF_Hook.ansicht_get_spielfeld()) return sf;
    return SF_Register.anzeige_anzahl > 0 ? SF_Register.anzeige[0] : nullptr;
}

void Spielfeld_Replay_Start(int) {
    if (!ruf::Einzel() || SF_Register.anzeige_anzahl == 0) return;
    SF_Register.replay_aktiv = true;
}

void Spielfeld_Replay_Stop(int) { SF_Register.replay_aktiv = false; }
bool Spielfeld_Replay_Laeuft() { return SF_Register.replay_aktiv; }

bool Spielfeld_Replay_Bild(const Spielfeld_Daten* sf, int zurueck, i16 aus[SF_REPLAY_OBJEKTE][3]) {
    if (!sf || zurueck < 0 || zurueck >= sf->replay_anzahl) return false;
    int i = (sf->replay_pos + SF_REPLAY_BILDER - 1 - zurueck) % SF_REPLAY_BILDER;
    std::memcpy(aus, sf->replay[i], sizeof(sf->replay[i]));
    return true;
}

i32 Spielfeld_Uhr_Lesen(Spielfeld_Uhr* uhr, const Spielfeld_Inhalt* sf, i32 ende) {
    if (!sf) return 0;
    i32 minute = sf->minute + 1;
    if (!uhr) return minute;
    if (!uhr->belegt || uhr->spiel != sf->spiel || uhr->team[0] != sf->team[0] || uhr->team[1] != sf->team[1])
        *uhr = {.belegt = true, .spiel = sf->spiel, .team = {sf->team[0], sf->team[1]}};
    // Stoppage time (and the break that follows it): the clock stands at the
    // half's end, or where it first saw the half's stoppage.
    if (sf->halbzeit_status != 0) {
        if (uhr->halt_halbzeit != sf->halbzeit) uhr->halt_halbzeit = sf->halbzeit, uhr->halt = ende > 0 ? ende : minute;
        minute = std::min(minute, uhr->halt);
    }
    minute = std::max(minute, uhr->gelesen);
    uhr->gelesen = minute;
    return minute;
}
