// Kits: chosen with the game's own clash check, so that inside a league the
// visitors always find one of their two kits that differs from the home
// side's first kit, no two clubs wear the same first kit, each club's kits
// differ from each other and the goalkeeper's kit differs from both.
#include "world/trikot.h"
#include "worldgen.h"

namespace worldgen {

namespace {

bool gleich(int a, int b) { return Trikot_Is_Trikot_Equal(a, b, TRIKOT_TOLERANZ, 0); }

// True when the away side can play against the home side's first kit.
bool spielbar(const Team& heim, const Team& gast) {
    return !gleich(heim.trikot[0], gast.trikot[0]) || !gleich(heim.trikot[0], gast.trikot[1]);
}

bool passt(const Team& t, const std::vector<Team*>& liga) {
    for (const Team* x : liga)
        if (x->trikot[0] == t.trikot[0] || !spielbar(*x, t) || !spielbar(t, *x)) return false;
    return true;
}

void ziehen(Team& t) {
    t.trikot[0] = rnd.bis(TRIKOT_ANZAHL);
    do t.trikot[1] = rnd.bis(TRIKOT_ANZAHL);
    while (gleich(t.trikot[0], t.trikot[1]));
    do t.trikot[2] = rnd.bis(TRIKOT_ANZAHL);
    while (gleich(t.trikot[2], t.trikot[0]) || gleich(t.trikot[2], t.trikot[1]));
}

}  // namespace

void trikots_waehlen(Welt& w) {
    for (size_t l = 0; l < laender().size(); l++)
        for (int e = 1; e <= 3; e++) {
            std::vector<Team*> liga;
            for (int nr : vereine_der_ebene(w, static_cast<int>(l), e)) {
                Team& t = w.teams[static_cast<size_t>(nr)];
                do ziehen(t);
                while (!passt(t, liga));
                liga.push_back(&t);
            }
        }
}

}  // namespace worldgen
