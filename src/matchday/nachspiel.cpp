// The bookings after a match.
#include "matchday/nachspiel.h"

#include <algorithm>

#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "match/spielfeld.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/kalender_zug.h"
#include "season/news.h"
#include "season/rangliste.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb_werte.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

constexpr int KADER = 20;
constexpr u32 NEWS_ABSAGE = 516;

Welt_Spiel_Info info_von(const Spiel& s) {
    Welt_Spiel_Info i;
    i.heim = s.team_a;
    i.gast = s.team_b;
    i.tore_heim = std::max<int>(0, s.tore_a);
    i.tore_gast = std::max<int>(0, s.tore_b);
    i.zuschauer = static_cast<i32>(s.zuschauer);
    i.wettbewerb = s.wettbewerb;
    i.tag = Kalender_Get_Tag();
    i.ort = Spiele_Ort(s);
    return i;
}

// The managed team at the lowest difficulty keeps form 4 in its first 90 days.
bool schonzeit(i32 team) { return Team_Hat_Manager(team) && Schwierigkeit == 0 && Kalender_Get_Tag() < 90; }

void form_seite(i32 team, int g, int o, int s, int t, int h) {
    if (team <= 0) return;
    int ziel = (g - o - h) * 10 + 100;
    if (g + 3 <= o && (h ? s + (g - o) * 3 - 17 > t : t + (g - o) * 3 - 22 > s)) ziel -= 25;
    i32 kader[KADER];
    const bool schon = schonzeit(team);
    const int n = Teamspieler_Ins_Array(team, kader, KADER, schon ? 0 : 48);
    for (int i = 0; i < n; ++i) {
        const i32 sp = kader[i];
        int f = Spieler_Wert(SPIELER_WERT_MORAL, sp, 0, OP_LESEN);
        if (schon) {
            f = 4;
        } else {
            if (f * 4 + 130 - Rnd_Basis(0, 40) < ziel) ++f;
            if (Rnd_Basis(0, 40) + 70 - (6 - f) * 4 > ziel) --f;
            if (f < 3 && Rnd_Basis(0, 5) == 0) ++f;
            else if (f > 3 && Rnd_Basis(0, 5) == 0) --f;
            const int tief = Attribute_Hat_Attribut(sp, 10) ? 3 : 0;
            const int hoch = Attribute_Hat_Attribut(sp, 45) ? 3 : 6;
            f = std::clamp(std::clamp(f, tief, hoch), 0, 6);
        }
        Spieler_Wert(SPIELER_WERT_MORAL, sp, f, OP_SCHREIBEN);
    }
}

// The manager of a match's club becomes the active one when he is at the
// game at this machine (the pages after the match are buffered as the match
// finishes); a club played at another machine's is not this one's.
void aktiver_manager(const Spiel& s) {
    for (i32 t : {s.team_a, s.team_b})
        if (Team_Hat_Manager(t) && Team_Hat_Manager_Aktiv(t) && !Kalender_Team_Online_Woanders(t)) {
            Team_Aktiv = t;
            Season_Gui.Menue_Set_Aktiver_Manager(t);
            break;
        }
}

}  // namespace


void Spieltag_Form_Nach_Spiel(i32 spiel) {
    const Spiel* s = Spiele_Get_Spiel(spiel, true);
    if (!s || s->tore_a < 0 || s->tore_b < 0) return;
    const int a = s->tore_a, b = s->tore_b;
    const i32 heim = s->team_a, gast = s->team_b;
    const int sa = heim > 0 ? Team_Get_Staerke_Modus(heim, 0) : 0;
    const int sb = gast > 0 ? Team_Get_Staerke_Modus(gast, 0) : 0;
    form_seite(heim, a, b, sa, sb, 1);
    form_seite(gast, b, a, sb, sa, 0);
}

bool Spieltag_Spiel_Daten(i32 spiel, Welt_Spiel_Info* aus) {
    const Spiel* s = Spiele_Get_Spiel(spiel, true);
    if (!s || !aus) return false;
    *aus = info_von(*s);
    return true;
}

void Spieltag_Nachspiel_Spiel(i32 spiel) {
    if (ruf::Client()) return;
    const Spiel* sp = Spiele_Get_Spiel(spiel, true);
    if (!sp || sp->tore_a < 0 || sp->tore_b < 0) return;
    const Spiel s = *sp;  // the steps below may move the plan's games
    const Welt_Spiel_Info info = info_von(s);
    Stadion_Set_Erweiterung_Slots_Info(spiel, info);
    Spieltag_Form_Nach_Spiel(spiel);
    for (i32 t : {static_cast<i32>(s.team_a), static_cast<i32>(s.team_b)}) {
        if (t <= 0) continue;
        Team_Simuliere_Computerteam(t);
        Stadion_Nach_Spiel(t, spiel);
        Werbung_Nach_Spiel(t, spiel);
        Rangliste_Nach_Spiel(t, s);
        Bank_Buche_Spieldaten_Info(t, info);
    }
    // Points money: the winner, or both sides of a draw.
    if (s.tore_a != s.tore_b) {
        Wettbewerb_Zahle_Punkt_U(s.wettbewerb, s.tore_a > s.tore_b ? s.team_a : s.team_b, 1);
    } else {
        Wettbewerb_Zahle_Punkt_U(s.wettbewerb, s.team_a, 0);
        Wettbewerb_Zahle_Punkt_U(s.wettbewerb, s.team_b, 0);
    }
    if (Spielfeld_Zeiger(static_cast<u32>(spiel))) aktiver_manager(s);
    for (int seite = 0; seite < 2; ++seite) {
        const i32 t = seite == 0 ? s.team_a : s.team_b;
        if (t <= 0 || !Team_Hat_Manager(t)) continue;
        Ereignis_Nach_Spiel(t, seite, s.tore_a, s.tore_b);
        u32 serien[7];
        if (Spiele_Get_Serien(-1, t, serien, 2))
            Ereignis_Serie(t, static_cast<i32>(serien[2]), static_cast<i32>(serien[4]));
    }
}

void Spieltag_Absage_Melden(i32 team, i32 strafe) {
    if (team <= 0 || !Team_Hat_Manager(team)) return;
    News_Neu(-1, team, -1, NEWS_ABSAGE, nullptr,
             "Ihr Spiel wurde abgesagt, da Sie zu wenig Spieler eingesetzt haben! Sie zahlen %s Strafe.",
             Bank_Geld_String(static_cast<f64>(strafe), team, -1, 0));
}
