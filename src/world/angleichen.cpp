// A new game's clubs fitted to the leagues they start in.
#include "world/angleichen.h"

#include <algorithm>
#include <utility>

#include "base/random.h"
#include "world/aufstellung.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

void Team_Angleichen(i32 t, const i32* teams, i32 n_liga, i32 prozent, Liga_Schnitt& c) {
    if (t < 0 || t >= Team_Anzahl || !teams || n_liga <= 0) return;
    i32 n = 1, k = 0, summe_staerke = 0;
    i32 groesste[3] = {0, 0, 0};
    i32 sitze = c.sitze, steh = c.steh;
    if (c.sitze == 0) {
        n = n_liga;
        i64 s = 0, st = 0;
        for (i32 i = 0; i < n; ++i) {
            const i32 a = Team_Wert(TEAM_WERT_SITZPLAETZE, teams[i], 0, OP_LESEN),
                      b = Team_Wert(TEAM_WERT_STEHPLAETZE, teams[i], 0, OP_LESEN);
            s += a, st += b;
            // The three largest grounds of the league.
            i32 v = a + b;
            for (i32 j = 0; j < 3; ++j)
                if (v > groesste[j]) std::swap(v, groesste[j]);
            k = std::min(k + 1, 3);
            summe_staerke += Team_Get_Staerke(teams[i]);
        }
        sitze = c.sitze = static_cast<i32>(s / n);
        steh = c.steh = static_cast<i32>(st / n);
    }
    // The stadium: the league's average ground; in small leagues the three
    // largest grounds do not count, and a ground holds at least 8,000.
    i32 kap = sitze + steh;
    if (kap < 16000 && n - k > 0) kap = (kap * n - groesste[0] - groesste[1] - groesste[2]) / (n - k) - 3000;
    if (kap < 8000) kap = 8000;
    // Only the ground changes: the ticket price stays, and the comfort is
    // at least the usual one of the ground's class (a record built afresh
    // would put the price at its lowest and the comfort at 0).
    Stadion_Daten d{};
    if (const Stadion_Daten* alt = Stadion_Get(t, 1)) d = *alt;
    else d.eintrittspreis = Stadion_Get_Level(1);
    d.kapazitaet = kap;
    d.sitzplaetze = sitze;
    d.stehplaetze = steh;
    Stadion_Set_Daten(t, &d);
    if (const Stadion_Daten* neu = Stadion_Get(t, 1);
        neu && neu->komfort < Stadion_Get_Klasse(neu->klasse).normkomfort) {
        d = *neu;
        d.komfort = Stadion_Get_Klasse(neu->klasse).normkomfort;
        Stadion_Set_Daten(t, &d);
    }
    // The players: strength scaled to the league's average team.
    i32 s_avg = summe_staerke / n;
    if (c.staerke == 0) c.staerke = s_avg;
    s_avg = c.staerke;
    i32 spieler[20];
    const i32 m = Teamspieler_Ins_Array(t, spieler, 20, 0);
    if (s_avg <= 0 || m <= 0) return;
    const i32 p = std::max(1, Team_Get_Staerke(t) * 100 / s_avg);
    for (i32 i = 0; i < m; ++i) {
        const i32 sp = spieler[i];
        if (p >= 40) {
            const i32 alt = Spieler_Wert(SPIELER_WERT_STAERKE_FEIN, sp, 0, OP_LESEN);
            Spieler_Wert(SPIELER_WERT_STAERKE_FEIN, sp, std::clamp((alt + 500) * 100 / p, 0, 12000), OP_SCHREIBEN);
        } else {
            const i32 sterne = (m / 2 + Rnd_Basis(s_avg - s_avg / 5, s_avg + s_avg / 5)) / m;
            Spieler_Wert(SPIELER_WERT_STAERKE, sp, std::clamp(sterne, 0, 12), OP_SCHREIBEN);
        }
        Spieler_Set_Maxstaerke(sp);
        Spieler_Init_Start_Dummies(sp, prozent);
    }
}
