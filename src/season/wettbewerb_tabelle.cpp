// Knock-out decisions of a tie and the preparation of a competition's table.
#include <algorithm>
#include <cstring>

#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

i32 Wettbewerb_Get_Basis_Id(i32 id) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w) return -1;
    Wettbewerb* r = w->wurzel >= 0 ? Wettbewerb_Get_Zeiger_Index(w->wurzel) : w;
    if (!r) r = w;
    // A broken chain ends the walk after every record has been seen once.
    for (int schritte = 0; r && schritte < WETTBEWERB_ANZAHL; ++schritte, r = Wettbewerb_Naechste_Runde(r))
        if (r->spieltage != 0) return r->id;
    return w->id;
}

namespace {

// Goals of one leg of a tie: played (false when unplayed), home side and
// the two scores.
struct Spiel_Stand {
    bool gespielt = false;
    i32 team_a = -1, team_b = -1, tore_a = -1, tore_b = -1;
};

Spiel_Stand stand_lesen(i32 id, i32 spieltag, i32 runde, i32 k) {
    Spiel_Stand st;
    Spiele_Lock_Halter h(
        Spiele_Lock(static_cast<u32>(id), static_cast<u32>(spieltag), static_cast<u32>(runde), static_cast<u32>(k)));
    if (!h) return st;
    const Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
    if (!s) return st;
    st.team_a = s->team_a;
    st.team_b = s->team_b;
    st.tore_a = s->tore_a;
    st.tore_b = s->tore_b;
    st.gespielt = s->tore_a >= 0;
    return st;
}

i32 ergebnis(i32 sieger, i32 verlierer, i32* aus_sieger, i32* aus_verlierer) {
    if (aus_sieger) *aus_sieger = sieger;
    if (aus_verlierer) *aus_verlierer = verlierer;
    return sieger;
}

}  // namespace

i32 Wettbewerb_KO_Sieger(const Wettbewerb* w, i32 spieltag, i32 k, i32* aus_sieger, i32* aus_verlierer, i32 extra_runde,
                         i32 extra_a, i32 extra_b) {
    ergebnis(-1, -1, aus_sieger, aus_verlierer);
    if (!w || !w->name[0] || k < 0) return -1;
    if (spieltag < 0) spieltag = w->aktueller_spieltag;
    if (extra_runde < 0) extra_runde = w->aktuelle_runde;
    const i32 legs = std::clamp(w->best_of_x, 1, 255);
    const Spiel_Stand erstes = stand_lesen(w->id, spieltag, 0, k);
    const i32 x = erstes.team_a, y = erstes.team_b;
    if (x < 0 && y < 0) return -2;  // no tie drawn yet
    // A bye: the side without an opponent goes through unplayed.
    if (x > 0 && y < 0) return ergebnis(x, -1, aus_sieger, aus_verlierer);
    if (y > 0 && x < 0) return ergebnis(y, -1, aus_sieger, aus_verlierer);
    i32 x_siege = 0, y_siege = 0, x_tore = 0, y_tore = 0, x_auswaerts = 0, y_auswaerts = 0;
    for (i32 l = 0; l < legs; ++l) {
        Spiel_Stand st = stand_lesen(w->id, spieltag, l, k);
        if (!st.gespielt) {
            const i32 noch = legs - l;
            if (x_siege + noch < y_siege) return ergebnis(y, x, aus_sieger, aus_verlierer);
            if (x_siege <= y_siege + noch) return -2;
            return ergebnis(x, y, aus_sieger, aus_verlierer);
        }
        if (l == extra_runde) {
            st.tore_a += extra_a;
            st.tore_b += extra_b;
        }
        // X is at home when it is the leg's team A (the even legs of a tie).
        const bool x_heim = st.team_a == x || (st.team_a != y && l % 2 == 0);
        const i32 tx = x_heim ? st.tore_a : st.tore_b;
        const i32 ty = x_heim ? st.tore_b : st.tore_a;
        x_tore += tx;
        y_tore += ty;
        if (x_heim) y_auswaerts += ty;
        else x_auswaerts += tx;
        if (tx > ty) ++x_siege;
        if (ty > tx) ++y_siege;
    }
    if (x_siege != y_siege)
        return x_siege > y_siege ? ergebnis(x, y, aus_sieger, aus_verlierer)
                                 : ergebnis(y, x, aus_sieger, aus_verlierer);
    if (x_tore != y_tore)
        return x_tore > y_tore ? ergebnis(x, y, aus_sieger, aus_verlierer) : ergebnis(y, x, aus_sieger, aus_verlierer);
    if ((w->modus & WB_AUSWTORE_DOPPELT) && x_auswaerts != y_auswaerts)
        return x_auswaerts > y_auswaerts ? ergebnis(x, y, aus_sieger, aus_verlierer)
                                         : ergebnis(y, x, aus_sieger, aus_verlierer);
    if (w->modus & WB_KO_SYSTEM) return -1;
    return (w->modus & (WB_VERLAENGERUNG | WB_ELFMETERSCHIESSEN)) ? -1 : -2;
}

i32 Wettbewerb_Get_Runden_Sieger(i32 id, i32 spieltag, i32 k, i32 extra_runde, i32 extra_a, i32 extra_b) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w) return -1;
    return Wettbewerb_KO_Sieger(w, spieltag, k, nullptr, nullptr, extra_runde, extra_a, extra_b);
}

void Wettbewerb_Tabelle_Vorbereiten(const Wettbewerb* w, Tabelle* t) {
    if (!t) return;
    std::memset(t, 0, sizeof *t);
    std::fill(std::begin(t->ergebnis), std::end(t->ergebnis), static_cast<u16>(0xFFFF));
    std::fill(std::begin(t->heim), std::end(t->heim), static_cast<u8>(0xFF));
    std::fill(std::begin(t->vorherige), std::end(t->vorherige), 0xFFFFFFFFu);
    if (!w) return;
    // Row count 0 until the competition has started (its second flag byte).
    const i32 n = w->flags[1] ? std::clamp(w->teams, 0, TABELLE_ZEILEN) : 0;
    t->zeilen = static_cast<u32>(n);
    for (i32 r = 0; r < n; ++r) {
        t->team[r] = static_cast<u32>(static_cast<i32>(w->aktuelle_team[r]));
        t->reihenfolge[r] = static_cast<u32>(r);
    }
}

bool Wettbewerb_Tabelle_Vorbereiten_Id(i32 id, Tabelle* t) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w || !t) return false;
    Wettbewerb_Tabelle_Vorbereiten(w, t);
    return true;
}

bool Wettbewerb_Get_Tabellen_Teams(i32 id, Tabelle* t) { return Wettbewerb_Tabelle_Vorbereiten_Id(id, t); }
