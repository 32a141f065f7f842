#include "season/statistik.h"

#include <algorithm>

#include "season/kalender.h"
#include "season/qualifikation.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"

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
    for (i32 tag = erster_tag; tag <= heute + TERMINE_TAGE && n < max; ++tag) {
        const i32 offset = tag - Kalender_Get_Basistag();
        for (int i = 0; i < WETTBEWERB_ANZAHL && n < max; ++i) {
            const Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (!w.name[0] || w.kalendermarke < 0 || (wettbewerb >= 0 && w.id != wettbewerb)) continue;
            if (!Kalender_Spielt_Am_Tag(offset, w.kalendermarke)) continue;
            i32 runde = 0;
            const i32 spieltag = Kalender_Get_Spieltag_Nummer(tag, w.id, &runde);
            if (spieltag < 0) continue;
            for (u32 k = 0; n < max; ++k) {
                Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(w.id), static_cast<u32>(spieltag), static_cast<u32>(runde), k));
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
