// The world's own daily step (see welt_tag.h).
#include "season/welt_tag.h"

#include <algorithm>
#include <map>
#include <vector>

#include "base/globals.h"
#include "base/ruf.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "world/bank.h"
#include "world/leben.h"
#include "world/stadion.h"
#include "world/welt.h"

namespace {

bool ist_club(int t) { return t >= 0 && t < Team_Anzahl && t != Team_Transfermarkt && (Team_Daten[t].art & TEAM_ART_VEREIN); }

// Each base league's median monthly wage bill and median ground.
struct Liga_Mitte {
    f64 gehalt = 0, kapazitaet = 1;
};
std::map<i32, Liga_Mitte> liga_mitte() {
    std::map<i32, std::vector<f64>> g, k;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (ist_club(t)) {
            const i32 liga = Wettbewerb_Get_Liga_Von_Team(t, true);
            g[liga].push_back(Leben_Gehaltssumme(t));
            k[liga].push_back(Stadion_Get_Kapazitaet(t));
        }
    std::map<i32, Liga_Mitte> m;
    for (auto& [liga, v] : g) {
        std::sort(v.begin(), v.end());
        std::sort(k[liga].begin(), k[liga].end());
        m[liga] = {v[v.size() / 2], std::max(1.0, k[liga][k[liga].size() / 2])};
    }
    return m;
}

f64 sponsorgeld(int team, const std::map<i32, Liga_Mitte>& m) {
    if (!ist_club(team)) return 0;
    const auto it = m.find(Wettbewerb_Get_Liga_Von_Team(team, true));
    if (it == m.end()) return 0;
    // A bigger ground stands for a bigger club: more sponsors, more fans.
    const f64 groesse = std::clamp(Stadion_Get_Kapazitaet(team) / it->second.kapazitaet, 0.25, 4.0);
    return it->second.gehalt * WELT_SPONSOR_PROZENT / 100 * groesse;
}

}  // namespace

f64 Welt_Tag_Sponsorgeld(int team) { return sponsorgeld(team, liga_mitte()); }

void Welt_Tag(bool neuer_monat, bool neue_saison) {
    if (ruf::Client()) return;
    Leben_Erholung();
    if (neue_saison) Leben_Saisonwechsel(2003 + Kalender_Get_Jahr());
    if (!neuer_monat) return;
    Bank_Neue_Periode();
    const std::map<i32, Liga_Mitte> mitte = liga_mitte();
    for (int t = 0; t < Team_Anzahl; ++t) {
        if (!ist_club(t) || !Bank_Konto_Offen(t)) continue;
        Leben_Gehaelter_Zahlen(t);
        const f64 geld = sponsorgeld(t, mitte);
        if (geld >= 1) Bank_Buchen(-1, t, static_cast<f32>(geld), BANK_WERBUNG, 1, -1);
    }
    // The transfer windows: computer clubs trade with the market as their
    // money says, at most twice a window.
    const i32 monat = Kalender_Get_Datum().monat;
    if (monat == 7 || monat == 8 || monat == 1)
        for (int t = 0; t < Team_Anzahl; ++t)
            for (int i = 0; i < 2 && Leben_Transfer(t); ++i) {
            }
}
