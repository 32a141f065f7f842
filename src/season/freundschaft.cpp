// Friendlies and team changes.
#include "season/freundschaft.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr int LISTE_MAX = 128;

// The records in use from index 0 up to the first free one.
template <class F>
void belegte(F&& f) {
    for (int i = 0; Wettbewerb_Tabelle && i < WETTBEWERB_ANZAHL && Wettbewerb_Tabelle[i].name[0]; ++i)
        f(Wettbewerb_Tabelle[i]);
}

int laenge(const i16* liste, i32 n) {
    const int m = std::clamp<i32>(n, 0, LISTE_MAX);
    for (int i = 0; i < m; ++i)
        if (liste[i] == -1) return i;
    return m;
}

bool enthaelt(const i16* liste, int n, i32 team) { return std::find(liste, liste + n, team) != liste + n; }

void tauschen(i16* liste, int n, i32 x, i32 y) {
    for (int i = 0; i < n; ++i) {
        if (liste[i] == x) liste[i] = static_cast<i16>(y);
        else if (liste[i] == y) liste[i] = static_cast<i16>(x);
    }
}

// The team stands as a current or a start team in a competition of the
// kind (all kinds with `art` -1).
bool steht_in_art(i32 team, i32 art) {
    bool ja = false;
    belegte([&](const Wettbewerb& w) {
        if (art != -1 && w.super_alias != art) return;
        ja |= enthaelt(w.aktuelle_team, laenge(w.aktuelle_team, w.teams), team) ||
              enthaelt(w.start_team, laenge(w.start_team, w.startteam_anzahl), team);
    });
    return ja;
}

// The first team of the nation without a human manager that stands in no
// competition of the kind; -1 when none.
i32 ersatz_von_nation(i32 team, i32 art) {
    const i32 land = Team_Wert(TEAM_WERT_NATION, team, 0, OP_LESEN);
    std::vector<u32> teams(static_cast<size_t>(std::max(Team_Anzahl, 1)));
    const int n = Team_Get_Teams_Von_Nation(land, teams.data());
    for (int i = 0; i < n && i < static_cast<int>(teams.size()); ++i) {
        const i32 t = static_cast<i32>(teams[static_cast<size_t>(i)]);
        if (t != team && !Team_Hat_Manager(t) && !steht_in_art(t, art)) return t;
    }
    return -1;
}

i32 freie_kalendermarke() {
    // A mark handed out by the calendar's slot counter, so no competition
    // placed later can get the same one.
    return Kalender_Ist_Initialisiert() ? Kalender_Neuer_Slot() : -1;
}

// The friendlies' calendar mark is sound when the calendar's counter has
// handed it out and no other competition carries it.
bool marke_gueltig(const Wettbewerb& f) {
    if (f.kalendermarke < 0 || f.kalendermarke >= std::min(Kalender_Get_Zustand().slot_zaehler, KALENDER_SLOTS))
        return false;
    bool frei = true;
    belegte([&](const Wettbewerb& w) { frei &= &w == &f || w.kalendermarke != f.kalendermarke; });
    return frei;
}

}  // namespace

i32 Dummy_Init(const char* name) {
    if (!Wettbewerb_Modul_Bereit()) return -1;
    i32 frei = -1;
    for (int i = 0; i < WETTBEWERB_ANZAHL && frei < 0; ++i)
        if (!Wettbewerb_Tabelle[i].name[0]) frei = i;
    if (frei < 0) return -1;
    i32 id = WETTBEWERB_DUMMY_ERSTE_ID;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (Wettbewerb_Tabelle[i].name[0] && Wettbewerb_Tabelle[i].id == id) {
            ++id;
            i = -1;
        }
    Wettbewerb& w = Wettbewerb_Tabelle[frei];
    w = Wettbewerb_Standard();
    std::memset(w.name, 0, sizeof w.name);
    std::strncpy(w.name, name && name[0] ? name : "Dummy-Wettbewerb", sizeof w.name - 1);
    w.id = id;
    w.teams = w.spieltage = w.aktuelle_teams = 0;
    w.nicht_schreiben = 1;
    ++Wettbewerb_Dummy_Anzahl;
    return id;
}

bool Dummy_Free(i32 id) {
    if (!Wettbewerb_Modul_Bereit() || Wettbewerb_Dummy_Anzahl <= 0) {
        Debug_Printf("Dummy_Free ohne Init");
        return false;
    }
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w) return false;
    if (w->spielplan >= 0) Spiele_Loesche_Spielplan(w->spielplan);
    if (Kalender_Ist_Initialisiert() && w->kalendermarke >= 0) Kalender_Termine_Loeschen(id);
    w->spielplan = -1;
    std::memset(w->name, 0, sizeof w->name);
    w->id = -1;
    --Wettbewerb_Dummy_Anzahl;
    if (Wettbewerb_Freundschaft_Id == id) Wettbewerb_Freundschaft_Id = -1;
    return true;
}

i32 Wettbewerb_Freundschaftsspiele_Anlegen() {
    if (Wettbewerb_Freundschaft_Id != -1) Dummy_Free(Wettbewerb_Freundschaft_Id);
    const i32 id = Dummy_Init("Freundschaftsspiele");
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w) return -1;
    w->spielplan = -1;
    w->modus |= WB_SPIELE_VARIABEL | WB_HEIMRECHT;
    w->wurzel = Wettbewerb_Get_Index(id);
    w->ketten_spieltage[0] = w->ketten_spieltage[1] = 0;
    w->aktueller_spieltag = 0;
    w->spieltage = 0;
    w->kalender_position = 5;
    w->grafik_nummer = 6;
    w->wichtig = 1;
    w->kalendermarke = freie_kalendermarke();
    Wettbewerb_Freundschaft_Id = id;
    return id;
}

bool Wettbewerb_Freundschaftsspiel_Einfuegen(i32 tag, i32 team_a, i32 team_b, u32* spieltag, u32* runde, u32* index) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Wettbewerb Freundschaftsspiel_Einfuegen");
        return false;
    }
    Wettbewerb* w = Wettbewerb_Get_Zeiger(Wettbewerb_Freundschaft_Id);
    if (!w || !Kalender_Ist_Initialisiert() || team_a <= 0 || team_b <= 0 || team_a == team_b ||
        team_a >= Team_Anzahl || team_b >= Team_Anzahl)
        return false;
    // Today's games were entered this morning: a friendly is arranged for a
    // later day of the season.
    const i32 basis = Kalender_Get_Basistag();
    if (tag <= Kalender_Get_Tag() || tag >= basis + KALENDER_TAGE) return false;
    if (!marke_gueltig(*w)) {
        // The friendlies' days move to a mark of the calendar's own; days
        // of a mark another competition carries stay with that one.
        std::vector<i32> tage;
        if (Wettbewerb_Get_Id_Von_Kalendermarke(w->kalendermarke) == w->id) {
            for (i32 d = 0; d < KALENDER_TAGE; ++d)
                if (Kalender_Termin_Gesetzt(d, w->kalendermarke)) tage.push_back(d);
            Kalender_Termine_Loeschen(w->id);
        }
        w->kalendermarke = freie_kalendermarke();
        if (w->kalendermarke < 0 || w->kalendermarke >= KALENDER_SLOTS) {
            w->kalendermarke = -1;
            return false;
        }
        for (i32 d : tage) Kalender_Termin_Setzen_Extern(d, w->kalendermarke, -1);
    }
    const i32 marke = w->kalendermarke;
    i32 md = 0;
    bool neu = false;
    if (Kalender_Termin_Gesetzt(tag - basis, marke)) {
        md = Kalender_Get_Spieltag_Nummer(tag, w->id, nullptr);
    } else {
        // A new matchday after the last friendlies' day before this one.
        neu = true;
        for (i32 d = tag - basis - 1; d >= 0; --d)
            if (Kalender_Termin_Gesetzt(d, marke)) {
                md = Kalender_Get_Spieltag_Nummer(basis + d, w->id, nullptr) + 1;
                break;
            }
    }
    if (md < 0) return false;
    u32 s = 0, r = 0, i = 0;
    const i32 plan = Spiele_Spiel_Einfuegen(0, w->id, static_cast<u32>(md), neu ? 1 : 0, static_cast<u16>(team_a),
                                            static_cast<u16>(team_b), &s, &r, &i);
    if (plan < 0) return false;
    if (neu) Kalender_Termin_Setzen_Extern(tag - basis, marke, -1);
    if (neu) {
        ++w->spieltage;
        ++w->ketten_spieltage[0];
    }
    w->spielplan = plan;
    if (spieltag) *spieltag = s;
    if (runde) *runde = r;
    if (index) *index = i;
    return true;
}

void Wettbewerb_Team_Tauschen(i32 wettbewerb_a, i32 wettbewerb_b, i32 x, i32 y) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Wettbewerb Team_Tauschen");
        return;
    }
    if (x == -1 || y == -1 || (!Wettbewerb_Get_Zeiger(wettbewerb_a) && !Wettbewerb_Get_Zeiger(wettbewerb_b))) return;
    belegte([&](Wettbewerb& w) {
        tauschen(w.aktuelle_team, laenge(w.aktuelle_team, w.teams), x, y);
        tauschen(w.teilnehmer, laenge(w.teilnehmer, w.teams), x, y);
        tauschen(w.start_team, laenge(w.start_team, w.startteam_anzahl), x, y);
        if (w.spielplan >= 0) Spiele_Team_Tausch(w.spielplan, x, y);
    });
}

bool Wettbewerb_Team_Wettbewerb_Wechsel(i32 team, i32 von, i32 nach) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Wettbewerb Team_Wettbewerb_Wechsel");
        return false;
    }
    if (team == -1) return false;
    bool ok = true;
    // Out of the list: the last entry takes the team's place.
    auto heraus = [&](i16* liste, i32& anzahl) {
        const int n = std::clamp<i32>(anzahl, 0, LISTE_MAX);
        for (int i = 0; i < n; ++i)
            if (liste[i] == team) {
                liste[i] = liste[n - 1];
                liste[n - 1] = -1;
                anzahl = n - 1;
                return true;
            }
        return false;
    };
    auto hinein = [&](i16* liste, i32& anzahl) {
        const int n = std::clamp<i32>(anzahl, 0, LISTE_MAX);
        if (enthaelt(liste, n, team) || n >= LISTE_MAX) return false;
        liste[n] = static_cast<i16>(team);
        anzahl = n + 1;
        return true;
    };
    if (Wettbewerb* w = Wettbewerb_Get_Zeiger(von)) {
        const bool a = heraus(w->aktuelle_team, w->aktuelle_teams);
        const bool s = heraus(w->start_team, w->startteam_anzahl);
        ok &= a || s;
        if (w->basisliga) Team_Wert(TEAM_WERT_LIGA, team, -1, OP_SCHREIBEN);
    }
    if (Wettbewerb* w = Wettbewerb_Get_Zeiger(nach)) {
        ok &= hinein(w->aktuelle_team, w->aktuelle_teams);
        ok &= hinein(w->start_team, w->startteam_anzahl);
        if (w->basisliga) Team_Wert(TEAM_WERT_LIGA, team, nach, OP_SCHREIBEN);
    }
    return ok;
}

void Wettbewerb_Team_Ersetzen() {
    belegte([&](Wettbewerb& w) {
        if (!Wettbewerb_Ist_International(w.id)) return;
        for (int i = 0, n = laenge(w.aktuelle_team, w.teams); i < n; ++i) {
            const i32 t = w.aktuelle_team[i];
            if (t <= 0 || !Team_Hat_Manager(t)) continue;
            if (const i32 e = ersatz_von_nation(t, w.super_alias); e >= 0) w.aktuelle_team[i] = static_cast<i16>(e);
        }
        for (int i = 0, n = laenge(w.start_team, w.startteam_anzahl); i < n; ++i) {
            const i32 t = w.start_team[i];
            if (t <= 0 || !Team_Hat_Manager(t)) continue;
            if (const i32 e = ersatz_von_nation(t, w.super_alias); e >= 0) {
                w.start_team[i] = static_cast<i16>(e);
                w.slot_worte[i] = -1;
            }
        }
    });
}

bool Wettbewerb_Manager_Team_Einsetzen(i32 team) {
    if (team <= 0 || team >= Team_Anzahl) return false;
    bool schon = false;
    belegte([&](const Wettbewerb& w) {
        schon |= Wettbewerb_Ist_International(w.id) &&
                 (enthaelt(w.aktuelle_team, laenge(w.aktuelle_team, w.teams), team) ||
                  enthaelt(w.start_team, laenge(w.start_team, w.startteam_anzahl), team));
    });
    if (schon) return false;
    const i32 land = Team_Wert(TEAM_WERT_NATION, team, 0, OP_LESEN);
    // The four tries in their order: current teams of the nation, any
    // current team, start teams of the nation, any start team.
    auto versuch = [&](Wettbewerb& w, bool start, bool gleiches_land) {
        i16* liste = start ? w.start_team : w.aktuelle_team;
        const int n = laenge(liste, start ? w.startteam_anzahl : w.teams);
        for (int i = 0; i < n; ++i) {
            const i32 t = liste[i];
            if (t <= 0 || Team_Hat_Manager(t) || (gleiches_land && Team_Wert(TEAM_WERT_NATION, t, 0, OP_LESEN) != land))
                continue;
            liste[i] = static_cast<i16>(team);
            if (start) w.slot_worte[i] = -1;
            return true;
        }
        return false;
    };
    bool gesetzt = false;
    belegte([&](Wettbewerb& w) {
        if (gesetzt || !Wettbewerb_Ist_International(w.id)) return;
        gesetzt =
            versuch(w, false, true) || versuch(w, false, false) || versuch(w, true, true) || versuch(w, true, false);
    });
    return gesetzt;
}
