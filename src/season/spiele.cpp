#include "base/ruf.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "world/welt.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/liste.h"
#include "base/tempstr.h"
#include "season/ereignisse.h"
#include "season/netz_rufe.h"
#include "season/season_hooks.h"
#include "season/spiele_intern.h"
#include "season/spiele_saetze.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"

namespace spiele_intern {

Zustand z;

constexpr u32 KAPAZITAETEN[5] = {7000, 2500, 3000, 2500, 500};

Liste_Kopf* neue_liste() {
    auto* l = new Liste_Kopf{};
    if (!Liste_Init(l)) {
        delete l;
        return nullptr;
    }
    return l;
}

void liste_weg(Liste_Kopf*& l) {
    if (!l) return;
    Liste_Freigeben(l);
    delete l;
    l = nullptr;
}

Liste_Element* plan_knoten(i32 plan) {
    if (!z.plaene || plan < 0) return nullptr;
    return Liste_Find_Element(z.plaene, static_cast<u32>(plan));
}

Spielplan_Kopf* kopf_von(Liste_Element* e) { return e ? static_cast<Spielplan_Kopf*>(e->data) : nullptr; }
Spiel* spiele_von(Liste_Element* e) {
    return e ? reinterpret_cast<Spiel*>(static_cast<u8*>(e->data) + sizeof(Spielplan_Kopf)) : nullptr;
}

// The plan key of a competition.
i32 plan_von_wettbewerb(i32 wettbewerb) { return Wettbewerb_Get_Spielplan(wettbewerb); }

Spiel* lock_spiel(i32 handle) {
    if (handle < 1 || handle > SPIELE_LOCKS) return nullptr;
    const Lock& l = z.locks[handle - 1];
    if (l.plan == LOCK_RING) return l.pos < z.ring.size() ? &z.ring[l.pos].spiel : nullptr;
    if (l.plan < 0) return nullptr;
    Liste_Element* e = plan_knoten(l.plan);
    if (!e || l.pos >= kopf_von(e)->spiele) return nullptr;
    return spiele_von(e) + l.pos;
}

// Tables built from a plan are stale once one of its games changes.
void tabellen_veraltet(i32 plan) {
    if (plan >= 0) Spiele_Tabellen_Cache_Leeren_Plan(plan);
}
void tabellen_veraltet_handle(i32 handle) {
    if (handle >= 1 && handle <= SPIELE_LOCKS) tabellen_veraltet(z.locks[handle - 1].plan);
}

Spiel* gesperrt(i32 handle) {
    if (!z.bereit) {
        Debug_Printf("Spiele Objekt nicht initialisiert.");
        return nullptr;
    }
    Spiel* s = lock_spiel(handle);
    if (!s) Debug_Printf("Versuchter Zugriff auf nicht gelocken Datensatz.");
    return s;
}

i32 lock_nehmen(i32 plan, u32 pos) {
    for (int i = 0; i < SPIELE_LOCKS; ++i)
        if (z.locks[i].plan == LOCK_FREI) {
            z.locks[i].plan = plan;
            z.locks[i].pos = pos;
            return i + 1;
        }
    Debug_Printf("Kein weiterer Lock verfügbar.");
    return 0;
}

void spiel_frisch(Spiel& s, u8 wettbewerb, u16 spieltag, u8 runde, u16 index) {
    std::memset(&s, 0, sizeof s);
    s.team_a = -1;
    s.tore_a = -1;
    s.niederschlag = 255;
    s.wettbewerb = wettbewerb;
    s.spieltag = spieltag;
    s.runde = runde;
    s.index = index;
}

}  // namespace spiele_intern

using namespace spiele_intern;

// ---------------------------------------------------------------------------

bool Spiele_Init() {
    if (z.bereit) Spiele_Free();
    z.plaene = neue_liste();
    if (!z.plaene) return false;
    z.ereignisse.assign(static_cast<size_t>(SPIELE_EREIGNIS_KAPAZITAET) * SPIELE_EREIGNIS_GROESSE, 0);
    for (int i = 0; i < 5; ++i) z.speicher[i] = std::make_unique<Spiele_Speicher>(GROESSEN[i], KAPAZITAETEN[i]);
    for (auto& l : z.locks) l = Lock{};
    z.ereignis_anzahl = 1;
    z.naechster_plan = 0;
    z.ring.clear();
    z.ring_cursor = -1;
    z.reset_erledigt = false;
    z.bereit = true;
    Spiele_Tabellen_Cache_Leeren();
    return true;
}

void Spiele_Free() {
    liste_weg(z.plaene);
    z.naechster_plan = -1;
    z.ereignisse.clear();
    z.ereignisse.shrink_to_fit();
    z.ereignisse_neu.clear();
    z.ereignisse_neu.shrink_to_fit();
    for (auto& s : z.speicher) s.reset();
    for (auto& l : z.locks) l = Lock{};
    z.bereit = false;
}

bool Spiele_Bereit() { return z.bereit; }

i32 Spiele_Neuer_Spielplan(i8 modus, u32 teams, i32 spieltage, i32 runden, u8 wettbewerb, i32 pro_spieltag) {
    if (!z.bereit) {
        Debug_Printf("Spiele Objekt nicht initialisiert.");
        return -1;
    }
    if (spieltage < 0 || runden < 1 || teams > 65535 || spieltage > 65535 || runden > 255) return -1;
    const u32 g0 = (teams + 1) / 2;
    u64 spiele = 0;
    if (modus) {
        u64 g = pro_spieltag >= 0 ? static_cast<u64>(pro_spieltag) : g0;
        spiele = g * static_cast<u64>(spieltage) * static_cast<u64>(runden);
    } else {
        u32 g = g0;
        for (i32 md = 0; md < spieltage; ++md, g = Spiele_KO_Folgerunde(g)) spiele += static_cast<u64>(g) * runden;
    }
    if (spiele > 65535) return -1;
    const u32 groesse = sizeof(Spielplan_Kopf) + 32 * static_cast<u32>(spiele);
    Liste_Element* e = Liste_Insert_Element(z.plaene, Liste_Last_Element(z.plaene), nullptr, groesse,
                                            static_cast<u32>(z.naechster_plan));
    if (!e) return -1;
    Debug_Printf("Spiele-Verwaltung: Gesamte Spiele:%d Wettbew.:%d Teams:%d Spieltage:%d ligamode:%d",
                 static_cast<int>(spiele), wettbewerb, teams, spieltage, modus);
    Spiel* s = spiele_von(e);
    u32 i = 0;
    u32 g = modus ? (pro_spieltag >= 0 ? static_cast<u32>(pro_spieltag) : g0) : g0;
    for (i32 md = 0; md < spieltage; ++md) {
        for (i32 leg = 0; leg < runden; ++leg)
            for (u32 k = 0; k < g; ++k, ++i)
                spiel_frisch(s[i], wettbewerb, static_cast<u16>(md), static_cast<u8>(leg), static_cast<u16>(k));
        if (!modus) g = Spiele_KO_Folgerunde(g);
    }
    Spielplan_Kopf* k = kopf_von(e);
    *k = Spielplan_Kopf{static_cast<u32>(modus ? 1 : 0), teams, static_cast<u32>(spieltage), static_cast<u32>(runden),
                        static_cast<u32>(spiele)};
    // The header keeps the caller's mode value.
    k->modus = static_cast<u32>(static_cast<u8>(modus));
    return z.naechster_plan++;
}

i32 Spiele_Spiel_Einfuegen(i8 modus, i32 wettbewerb, u32 spieltag, i8 neuer_spieltag, u16 team_a, u16 team_b,
                           u32* aus_spieltag, u32* aus_runde, u32* aus_index) {
    if (!z.bereit) {
        Debug_Printf("Spiele Objekt nicht initialisiert.");
        return -1;
    }
    Wettbewerb* w = Wettbewerb_Get_Zeiger(wettbewerb);
    i32 plan = w ? w->spielplan : -1;
    Liste_Element* alt = plan_knoten(plan);
    if (!alt) {
        plan = Spiele_Neuer_Spielplan(modus, 0, 0, 1, static_cast<u8>(wettbewerb), 0);
        if (plan < 0) return -1;
        if (w) w->spielplan = plan;
        alt = plan_knoten(plan);
    }
    Spielplan_Kopf kopf = *kopf_von(alt);
    if (kopf.spiele >= 65535) return -1;
    // Where the new game goes.
    const Spiel* s = spiele_von(alt);
    u32 pos = kopf.spiele;
    u16 index = 0;
    bool gefunden = false;
    for (u32 i = 0; i < kopf.spiele; ++i)
        if (s[i].spieltag == spieltag) {
            gefunden = true;
            pos = i;
            break;
        }
    u32 md = spieltag;
    if (gefunden && !neuer_spieltag) {
        // After the existing games of that matchday.
        while (pos < kopf.spiele && s[pos].spieltag == spieltag) {
            index = static_cast<u16>(std::max<u32>(index, s[pos].index + 1u));
            ++pos;
        }
    } else if (!gefunden) {
        md = kopf.spieltage;
        pos = kopf.spiele;
        ++kopf.spieltage;
    } else {
        ++kopf.spieltage;
    }
    // Re-create the node one game larger.
    const u32 groesse = sizeof(Spielplan_Kopf) + 32 * (kopf.spiele + 1);
    Liste_Element* neu = Liste_Insert_Element(z.plaene, alt, nullptr, groesse, static_cast<u32>(plan));
    if (!neu) return -1;
    Spiel* n = spiele_von(neu);
    std::copy(s, s + pos, n);
    std::copy(s + pos, s + kopf.spiele, n + pos + 1);
    if (gefunden && neuer_spieltag)
        for (u32 i = pos + 1; i <= kopf.spiele; ++i) ++n[i].spieltag;
    spiel_frisch(n[pos], static_cast<u8>(wettbewerb), static_cast<u16>(md), 0, index);
    n[pos].team_a = static_cast<i16>(team_a);
    n[pos].team_b = static_cast<i16>(team_b);
    ++kopf.spiele;
    *kopf_von(neu) = kopf;
    Liste_Delete_Element(z.plaene, alt);
    // Every lock of a moved game moves with it.
    for (auto& l : z.locks)
        if (l.plan == plan && l.pos >= pos) ++l.pos;
    tabellen_veraltet(plan);
    if (aus_spieltag) *aus_spieltag = md;
    if (aus_runde) *aus_runde = 0;
    if (aus_index) *aus_index = index;
    return plan;
}

bool Spiele_Loesche_Spielplan(i32 plan) {
    Liste_Element* e = plan_knoten(plan);
    if (!e) {
        Debug_Printf("Wettbewerb löschen: Wettbewerb existiert nicht!");
        return false;
    }
    u8 wb = kopf_von(e)->spiele ? spiele_von(e)[0].wettbewerb : 0;
    Liste_Delete_Element(z.plaene, e);
    tabellen_veraltet(plan);
    // The competition's per-player counters go with it.
    if (Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW); s && Spieler_Anzahl > 0) {
        u32 n = static_cast<u32>(Spieler_Anzahl);
        for (u32 i = s->Anzahl(); i-- > 0;)
            if ((get_u32le(s->Eintrag(i)) - 1) / n == wb) s->Loeschen(i);
    }
    Spiele_Unlock(-1);
    return true;
}

u32 Spiele_Anzahl_Spiele(i32 plan) {
    Liste_Element* e = plan_knoten(plan);
    return e ? kopf_von(e)->spiele : 0;
}

const Spielplan_Kopf* Spiele_Get_Kopf(i32 plan) { return kopf_von(plan_knoten(plan)); }

const Spiel* Spiele_Get_Spiele(i32 plan) {
    Liste_Element* e = plan_knoten(plan);
    return e ? spiele_von(e) : nullptr;
}

void Spiele_Ergebnisse_Loeschen(i32 wettbewerb) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Spiele Ergebnisse_Loeschen");
        return;
    }
    Liste_Element* e = plan_knoten(plan_von_wettbewerb(wettbewerb));
    if (!e) return;
    tabellen_veraltet(plan_von_wettbewerb(wettbewerb));
    Spiel* s = spiele_von(e);
    for (u32 i = 0; i < kopf_von(e)->spiele; ++i) {
        s[i].team_a = -1;
        s[i].tore_a = s[i].tore_b = -1;  // no half of last season's score stays
        s[i].niederschlag = 255;
        s[i].erstes_ereignis = 0;
        s[i].ereignis_anzahl = 0;
        s[i].minute = 0;
        s[i].flags = 0;
    }
}

void Spiele_Team_Tausch(i32 plan, i32 x, i32 y) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Spiele Team_Tausch");
        return;
    }
    Liste_Element* e = plan_knoten(plan);
    if (!e) return;
    tabellen_veraltet(plan);
    Spiel* s = spiele_von(e);
    for (u32 i = 0; i < kopf_von(e)->spiele; ++i) {
        for (i16* t : {&s[i].team_a, &s[i].team_b}) {
            if (*t == x) *t = static_cast<i16>(y);
            else if (*t == y) *t = static_cast<i16>(x);
        }
    }
}

// ---------------------------------------------------------------------------
// Locks

i32 Spiele_Lock(u32 wettbewerb, u32 spieltag, u32 runde, u32 index) {
    if (!z.bereit) {
        Debug_Printf("Spiele Objekt nicht initialisiert.");
        return 0;
    }
    if (ruf::Client()) return client_lock(wettbewerb, spieltag, runde, index);
    i32 plan = plan_von_wettbewerb(static_cast<i32>(wettbewerb));
    Liste_Element* e = plan_knoten(plan);
    if (!e) return 0;
    const Spiel* s = spiele_von(e);
    for (u32 i = 0; i < kopf_von(e)->spiele; ++i)
        if (s[i].spieltag == spieltag && s[i].runde == runde && s[i].index == index) return lock_nehmen(plan, i);
    return 0;
}

i32 Spiele_Lock_Nummer(i32 plan, u32 position) {
    if (!z.bereit || ruf::Client()) return 0;
    Liste_Element* e = plan_knoten(plan);
    if (!e || position >= kopf_von(e)->spiele) return 0;
    return lock_nehmen(plan, position);
}

Spiel* Spiele_Get_Spiel(i32 handle, bool direkt) {
    Spiel* s = gesperrt(handle);
    if (!s) return nullptr;
    if (direkt) return s;
    z.kopie = *s;
    return &z.kopie;
}

void Spiele_Unlock(i32 handle) {
    if (handle == -1) {
        for (auto& l : z.locks) l = Lock{};
        return;
    }
    if (handle == 0) {
        Debug_Printf("Versuchtes Unlock auf ungültiges Element NULL.");
        return;
    }
    if (handle < 1 || handle > SPIELE_LOCKS) return;
    if (z.locks[handle - 1].plan == LOCK_FREI) Debug_Printf("Versuchtes Unlock eines nicht gelocken Datensatzes.");
    z.locks[handle - 1] = Lock{};
}

i32 Spiele_Freier_Lock() {
    for (int i = 0; i < SPIELE_LOCKS; ++i)
        if (z.locks[i].plan == LOCK_FREI) return i;
    return -1;
}

// ---------------------------------------------------------------------------
// Records through handles

void Spiele_Spiel_Clear(i32 handle) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Spiele Spiel_Clear");
        return;
    }
    if (Spiel* s = gesperrt(handle)) {
        std::memset(s, 0, sizeof *s);
        s->team_a = -1;
        tabellen_veraltet_handle(handle);
    }
    Spiele_Unlock(handle);
}

void Spiele_Set_Teams(i32 handle, i32 a, i32 b) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Spiele Set_Teams");
        return;
    }
    Spiel* s = gesperrt(handle);
    if (!s) return;
    tabellen_veraltet_handle(handle);
    // A side without a team gets its placeholder; the other keeps its team.
    s->team_a = static_cast<i16>(a == 0 ? 1 : a);
    s->team_b = static_cast<i16>(b == 0 ? 2 : b);
}

void Spiele_Ergebnis_Nullen(i32 handle) {
    if (Spiel* s = gesperrt(handle)) {
        s->tore_a = s->tore_b = 0;
        tabellen_veraltet_handle(handle);
    }
}

void Spiele_Set_Ergebnis(i32 handle, u8 a, u8 b, u8 flags) {
    if (Spiel* s = gesperrt(handle)) {
        s->tore_a = static_cast<i8>(a);
        s->tore_b = static_cast<i8>(b);
        s->flags = flags;
        tabellen_veraltet_handle(handle);
    }
}

void Spiele_Set_Zuschauer(i32 handle, u32 zuschauer) {
    if (Spiel* s = gesperrt(handle)) s->zuschauer = zuschauer;
}

void Spiele_Set_Ort(i32 handle, i32 team) {
    if (Spiel* s = gesperrt(handle)) s->ort = static_cast<u16>(team >= 0 && team < 0xFFFF ? team + 1 : 0);
}

i32 Spiele_Ort(const Spiel& s) { return s.ort > 0 ? static_cast<i32>(s.ort) - 1 : s.team_a; }

void Spiele_Set_Minute(i32 handle, i32 minute) {
    if (Spiel* s = gesperrt(handle)) s->minute = static_cast<u8>(minute == -1 ? s->minute + 1 : minute);
}

i32 Spiele_Get_Seite(i32 handle, i32 team) {
    Spiel* s = gesperrt(handle);
    if (!s) return 0;
    i32 id = s->wettbewerb;
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (w && !(w->modus & WB_HEIMRECHT)) return 0;
    return s->team_b == team ? 1 : 0;
}

i32 Spiele_Get_Hinspiel(i32 handle) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Spiele Get_Hinspiel");
        return 0;
    }
    Spiel* s = gesperrt(handle);
    if (!s) return 0;
    const Lock l = z.locks[handle - 1];
    Liste_Element* e = plan_knoten(l.plan);
    const Spiel* alle = spiele_von(e);
    for (u32 i = l.pos; i-- > 0;)
        if (alle[i].team_a == s->team_b && alle[i].team_b == s->team_a) return lock_nehmen(l.plan, i);
    return 0;
}

const char* Spiele_Ergebnis_Zusatz(u8 flags) {
    for (int bit = 4; bit >= 0; --bit)
        if (flags & (1u << bit)) {
            char id[16];
            std::snprintf(id, sizeof id, "*%d", 157 + bit);
            const char* t = Season_Gui.Text(id);
            return t ? t : "";
        }
    return "";
}

bool Spiele_Get_Ergebnis(i32 handle, i32* a, i32* b, char* text, u8 mit_ergebnis) {
    Spiel* s = gesperrt(handle);
    if (!s) return false;
    // A played game, or one whose teams are not known yet, keeps its own
    // result.
    if (s->tore_a >= 0 || s->team_a < 0 || s->team_b < 0) {
        if (a) *a = s->tore_a;
        if (b) *b = s->tore_b;
        if (text) std::strcpy(text, Spiele_Ergebnis_Zusatz(s->flags));
        return false;
    }
    // An unplayed game shows its forecast; the game stays unplayed.
    Spiel prognose = *s;
    i32 pa = 0, pb = 0;
    Spiele_Berechne_Ergebnis(s->team_a, s->team_b, &pa, &pb);
    prognose.tore_a = static_cast<i8>(pa);
    prognose.tore_b = static_cast<i8>(pb);
    prognose.flags = 16;
    if (a) *a = pa;
    if (b) *b = pb;
    if (text) std::strcpy(text, Spiele_Format_Ergebnis(&prognose, 0, mit_ergebnis != 0));
    return true;
}

const char* Spiele_Get_Ergebnis_Text(i32 handle, bool prognose) {
    Spiel* s = gesperrt(handle);
    if (!s) return "";
    if (prognose && s->tore_a < 0) return Spiele_Ergebnis_Zusatz(16);
    return Spiele_Ergebnis_Zusatz(s->flags);
}

// The text goes into a temporary string.
const char* Spiele_Format_Ergebnis(const Spiel* s, i32, bool mit_ergebnis) {
    if (!s || s->flags > 32) return Temp_String();
    if (s->tore_a < 0 && !((s->flags & 16) && !mit_ergebnis)) return Temp_String();
    if (mit_ergebnis) return Temp_Sprintf("%d:%d %s", s->tore_a, s->tore_b, Spiele_Ergebnis_Zusatz(s->flags));
    return Temp_Sprintf("%s", Spiele_Ergebnis_Zusatz(s->flags));
}

