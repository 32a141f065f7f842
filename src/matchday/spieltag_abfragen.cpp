// What the matchday table answers: a club's match, opponent and competition
// today, the rows' statuses, the fines booked.
#include "matchday/spieltag.h"


#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "match/spielfeld.h"
#include "matchday/nachspiel.h"
#include "matchday/spieltag_intern.h"
#include "matchday/spieltag_netz.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

using namespace spieltag_intern;

// --- queries ---------------------------------------------------------------------------

int Spieltag_Get_Status(i32 spiel) {
    const Spieltag_Slot* r = z.initialisiert ? slot_von_spiel(spiel) : nullptr;
    return r ? r->status : -1;
}

static bool team_in(const Spieltag_Slot& r, i32 team) {
    const Spiel* s = spiel_von(r);
    return s && team > 0 && (s->team_a == team || s->team_b == team);
}

// KEIN_AUFRUFER: one of the module's named procedures; the game asks whether a team's match is still open.
bool Spieltag_Team_Spielt(i32 team) {
    return z.initialisiert && std::any_of(z.slots.begin(), z.slots.end(), [&](auto& r) { return team_in(r, team); });
}

bool Spieltag_Team_Offen(i32 team) {
    return z.initialisiert && std::any_of(z.slots.begin(), z.slots.end(),
                                          [&](auto& r) { return r.status != ST_FERTIG && team_in(r, team); });
}

bool Spieltag_Team_Offen_Ankuendigen(i32 team) {
    if (!z.initialisiert) return false;
    const auto r = std::find_if(z.slots.begin(), z.slots.end(),
                                [&](auto& r) { return r.status != ST_FERTIG && team_in(r, team); });
    if (r == z.slots.end()) return false;
    const Spiel* s = spiel_von(*r);
    Spielankuendigung_Setzen(s->wettbewerb, s->team_a, s->team_b, s->spieltag, s->index, s->runde, nullptr);
    return true;
}

bool Spieltag_Team_Im_Spiel(i32 team) {
    if (!z.initialisiert) return false;
    const int bereit = ruf::Client() ? 0 : 1;
    for (const auto& r : z.slots) {
        if (!team_in(r, team)) continue;
        const Spiel* s = spiel_von(r);
        if (r.status == ST_LAEUFT || r.status == ST_PAUSE || r.status == ST_ELFMETER) return true;
        if ((r.status == ST_WARTET || r.status == ST_ANGEPFIFFEN || r.status == ST_BEENDET) &&
            r.bereit[s->team_a == team ? 0 : 1] > bereit)
            return true;
    }
    return false;
}

i32 Spieltag_Get_Gegner(i32 team, bool* auswaerts, i32* wichtigkeit, i32* spiel, i32* wettbewerb) {
    if (auswaerts) *auswaerts = false;
    if (wichtigkeit) *wichtigkeit = 0;
    if (spiel) *spiel = -1;
    if (wettbewerb) *wettbewerb = -1;
    if (!z.initialisiert) return -1;
    // The first unplayed game of today's rows with the team.
    for (const auto& r : z.slots) {
        const Spiel* s = team_in(r, team) ? spiel_von(r) : nullptr;
        if (!s || s->tore_a >= 0) continue;
        const bool aus = s->team_b == team;
        if (auswaerts) *auswaerts = aus && Wettbewerb_Hat_Heimrecht(s->wettbewerb);
        if (spiel) *spiel = r.spiel;
        if (wettbewerb) *wettbewerb = s->wettbewerb;
        if (wichtigkeit) *wichtigkeit = Wettbewerb_Get_Wichtigkeit(s->wettbewerb, -1);
        return aus ? s->team_a : s->team_b;
    }
    // None left today: the team's next fixture.
    Statistik_Termin t{};
    if (Statistik_Naechstes_Spiel(team, -1, -1, &t, 1, 0, true) != 1) return -1;
    if (auswaerts) *auswaerts = t.ort == 1;
    if (wettbewerb) *wettbewerb = t.wettbewerb;
    return t.gegner;
}

i32 Spieltag_Get_Gegner_Des_Tages(i32 team, bool* auswaerts) {
    if (auswaerts) *auswaerts = false;
    if (!z.initialisiert) return -1;
    for (const auto& r : z.slots)
        if (team_in(r, team)) {
            const Spiel* s = spiel_von(r);
            if (auswaerts) *auswaerts = s->team_b == team && Wettbewerb_Hat_Heimrecht(s->wettbewerb);
            return s->team_a == team ? s->team_b : s->team_a;
        }
    return Spieltag_Get_Gegner(team, auswaerts);
}

i32 Spieltag_Spiele_Von_Wettbewerb(i32 wettbewerb, std::vector<i32>* liste) {
    if (!liste || !z.initialisiert) return 0;
    i32 n = 0;
    for (const auto& r : z.slots) {
        const Spiel* s = spiel_von(r);
        if (s && s->wettbewerb == wettbewerb) {
            liste->push_back(r.spiel);
            ++n;
        }
    }
    return n;
}

i32 Spieltag_Get_Wettbewerb_Zeile(i32 zeile) {
    if (!z.initialisiert || zeile < 0 || static_cast<size_t>(zeile) >= z.slots.size()) return -1;
    const Spiel* s = spiel_von(z.slots[static_cast<size_t>(zeile)]);
    return s ? s->wettbewerb : -1;
}

i32 Spieltag_Get_Wettbewerb(i32 team) {
    if (!z.initialisiert) return -1;
    for (const auto& r : z.slots)
        if (team_in(r, team)) return spiel_von(r)->wettbewerb;
    return -1;
}

bool Spieltag_Spiele_Offen() {
    return z.initialisiert &&
           std::any_of(z.slots.begin(), z.slots.end(), [](auto& r) { return r.spiel > 0 && r.status != ST_FERTIG; });
}

bool Spieltag_Spiel_Angepfiffen() {
    return z.initialisiert && std::any_of(z.slots.begin(), z.slots.end(), [](auto& r) {
               return r.spiel > 0 && r.status != ST_WARTET && r.status != ST_FERTIG;
           });
}

bool Spieltag_Wettbewerb_Fertig(i32 wettbewerb) {
    for (const auto& r : z.slots) {
        const Spiel* s = spiel_von(r);
        if (s && s->wettbewerb == wettbewerb && r.status != ST_FERTIG) return false;
    }
    return true;
}

void Spieltag_Team_Hat_Spielfeld(u32 team) {
    for (const auto& r : z.slots)
        if (const Spiel* s = spiel_von(r); s && team > 0)
            Spieltag_Set_Bereit(
                r.spiel, s->team_a == static_cast<i32>(team) ? 0 : (s->team_b == static_cast<i32>(team) ? 1 : -1));
}

void Spieltag_Strafe_Buchen(u32 team, i32 betrag) {
    if (betrag > 0) Bank_Buchen(static_cast<int>(team), -1, static_cast<f32>(betrag), BANK_AUSGABE, 1, -1);
}

i32 Spieltag_Get_Gegner_Wettbewerb(i32 team, bool* auswaerts, i32* wettbewerb) {
    return Spieltag_Get_Gegner(team, auswaerts, nullptr, nullptr, wettbewerb);
}
