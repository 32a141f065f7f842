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
#include "season/spiele_saetze.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"

namespace {

constexpr i32 LOCK_FREI = -1;
constexpr i32 LOCK_RING = -2;  // a network client's lock into its game cache

struct Lock {
    i32 plan = LOCK_FREI;  // plan key, LOCK_FREI or LOCK_RING
    u32 pos = 0;           // position of the game in the plan, or ring entry
};

// A network client's cache of games fetched from the server.
constexpr int RING_GROESSE = 5000;
constexpr u32 RING_LEER = 0xFFFFFFFFu;
struct Ring_Eintrag {
    u32 schluessel = RING_LEER;
    Spiel spiel{};
};

struct Zustand {
    bool bereit = false;
    Liste_Kopf* plaene = nullptr;
    i32 naechster_plan = 0;
    Lock locks[SPIELE_LOCKS];
    std::vector<u8> ereignisse;  // capacity × 9 bytes
    u32 ereignis_anzahl = 1;
    std::unique_ptr<Spiele_Speicher> speicher[5];
    Spiel kopie{};
    std::vector<Ring_Eintrag> ring;
    i32 ring_cursor = -1;
    bool reset_erledigt = false;
};
Zustand z;

constexpr u32 GROESSEN[5] = {bytes::groesse<spiele_satz::Zaehler>(), bytes::groesse<spiele_satz::Ewig>(),
                             bytes::groesse<spiele_satz::Serien>(), bytes::groesse<spiele_satz::Direkt>(),
                             bytes::groesse<spiele_satz::Sieger>()};
constexpr u32 KAPAZITAETEN[5] = {7000, 2500, 3000, 2500, 500};
// Bounds of a loaded save block (far above anything a season produces).
constexpr u32 MAX_LADE_KAPAZITAET = 16u * 1024u * 1024u;

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

}  // namespace

// ---------------------------------------------------------------------------
// The sorted store

Spiele_Speicher::Spiele_Speicher(u32 eintrag_groesse, u32 kapazitaet)
    : groesse_(eintrag_groesse), kapazitaet_(std::max<u32>(kapazitaet, 1)) {
    daten_.assign(static_cast<size_t>(kapazitaet_) * groesse_, 0);
}

i32 Spiele_Speicher::Finden(u32 schluessel, u32* einfuege) const {
    // Step search: start in the middle and halve the step each time.
    u32 lo = 0, hi = anzahl_;
    while (lo < hi) {
        u32 mitte = lo + (hi - lo) / 2;
        u32 k = get_u32le(Eintrag(mitte));
        if (k < schluessel) lo = mitte + 1;
        else hi = mitte;
    }
    if (einfuege) *einfuege = lo;
    if (lo < anzahl_ && get_u32le(Eintrag(lo)) == schluessel) return static_cast<i32>(lo);
    return -1;
}

u8* Spiele_Speicher::Holen(u32 schluessel) {
    u32 pos = 0;
    i32 i = Finden(schluessel, &pos);
    if (i >= 0) return Eintrag(static_cast<u32>(i));
    if (anzahl_ + 1 >= kapazitaet_) {
        u32 neu = std::max<u32>(kapazitaet_ * 120 / 100, kapazitaet_ + 2);
        daten_.resize(static_cast<size_t>(neu) * groesse_, 0);
        kapazitaet_ = neu;
    }
    u8* p = Eintrag(pos);
    std::memmove(p + groesse_, p, static_cast<size_t>(anzahl_ - pos) * groesse_);
    std::memset(p, 0, groesse_);
    put_u32le(p, schluessel);
    ++anzahl_;
    return p;
}

void Spiele_Speicher::Loeschen(u32 i) {
    if (i >= anzahl_) return;
    u8* p = Eintrag(i);
    std::memmove(p, p + groesse_, static_cast<size_t>(anzahl_ - i - 1) * groesse_);
    --anzahl_;
    std::memset(Eintrag(anzahl_), 0, groesse_);
}

void Spiele_Speicher::Leeren() {
    anzahl_ = 0;
    std::fill(daten_.begin(), daten_.end(), 0);
}

bool Spiele_Speicher::Setzen(const u8* daten, u32 anzahl, u32 kapazitaet) {
    if (anzahl > kapazitaet || kapazitaet > MAX_LADE_KAPAZITAET) return false;
    for (u32 i = 1; i < anzahl; ++i)
        if (get_u32le(daten + static_cast<size_t>(i - 1) * groesse_) >=
            get_u32le(daten + static_cast<size_t>(i) * groesse_))
            return false;
    // A larger array already allocated keeps its capacity.
    kapazitaet = std::max({kapazitaet, kapazitaet_, 1u});
    daten_.assign(static_cast<size_t>(kapazitaet) * groesse_, 0);
    if (anzahl) std::memcpy(daten_.data(), daten, static_cast<size_t>(anzahl) * groesse_);
    anzahl_ = anzahl;
    kapazitaet_ = kapazitaet;
    return true;
}

Spiele_Speicher* Spiele_Get_Speicher(int welcher) {
    if (welcher < 0 || welcher > 4) return nullptr;
    return z.speicher[welcher].get();
}

u32 Spiele_Ereignis_Kapazitaet() { return static_cast<u32>(z.ereignisse.size() / SPIELE_EREIGNIS_GROESSE); }
u32 Spiele_Ereignis_Anzahl() { return z.ereignis_anzahl; }

u32 Spiele_Ereignis_Block(u32 anzahl) {
    if (!z.bereit || anzahl == 0) return 0;
    // The store grows by a fifth while the block does not fit.
    while (static_cast<u64>(z.ereignis_anzahl) + anzahl > Spiele_Ereignis_Kapazitaet()) {
        const u64 neu = std::max<u64>(Spiele_Ereignis_Kapazitaet() * 120ull / 100, z.ereignis_anzahl + anzahl);
        if (neu > MAX_LADE_KAPAZITAET) return 0;
        z.ereignisse.resize(static_cast<size_t>(neu) * SPIELE_EREIGNIS_GROESSE, 0);
    }
    const u32 erster = z.ereignis_anzahl;
    z.ereignis_anzahl += anzahl;
    return erster;
}
void Spiele_Ereignisse_Verdichten() {
    if (!z.bereit || ruf::Client()) return;
    std::vector<u8> neu(static_cast<size_t>(SPIELE_EREIGNIS_KAPAZITAET) * SPIELE_EREIGNIS_GROESSE, 0);
    u32 anzahl = 1;
    auto umziehen = [&](Spiel& s) {
        if (!s.erstes_ereignis) return;
        const u32 n = std::min<u32>(s.ereignis_anzahl, EREIGNISSE_PRO_SPIEL);
        const u32 platz = s.tore_a >= 0 ? std::max<u32>(n, 1) : EREIGNISSE_PRO_SPIEL;
        while (static_cast<size_t>(anzahl + platz) * SPIELE_EREIGNIS_GROESSE > neu.size())
            neu.resize(neu.size() * 6 / 5, 0);
        for (u32 e = 0; e < n; ++e)
            if (const u8* alt = Spiele_Ereignis(s.erstes_ereignis + e))
                std::memcpy(neu.data() + static_cast<size_t>(anzahl + e) * SPIELE_EREIGNIS_GROESSE, alt,
                            SPIELE_EREIGNIS_GROESSE);
        s.erstes_ereignis = anzahl;
        anzahl += platz;
    };
    for (Liste_Element* e = Liste_First_Element(z.plaene); e; e = Liste_Next_Element(e)) {
        Spiel* spiele = spiele_von(e);
        for (u32 i = 0; i < kopf_von(e)->spiele; ++i) umziehen(spiele[i]);
    }
    for (auto& r : z.ring) umziehen(r.spiel);
    z.ereignisse = std::move(neu);
    z.ereignis_anzahl = anzahl;
}

namespace {
// Entries a game's block holds on to: its events once it is played, the
// whole reservation while it may still record some.
u32 belegt(const Spiel& s) {
    return s.tore_a >= 0 ? std::min<u32>(s.ereignis_anzahl, EREIGNISSE_PRO_SPIEL) : EREIGNISSE_PRO_SPIEL;
}
}  // namespace

bool Spiele_Ereignis_Speicher_Packen(i32 handle) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Spiele Ereignis_Speicher_Packen\n");
        return false;
    }
    Spiel* g = gesperrt(handle);
    if (!g || !g->erstes_ereignis || g->tore_a < 0) return false;
    // The end of what the blocks before this one hold, and whether any block
    // lies behind it (every plan's games and the client ring alike).
    u32 ende = 1;
    bool dahinter = false;
    auto sehen = [&](const Spiel& s) {
        if (&s == g || !s.erstes_ereignis) return;
        if (s.erstes_ereignis < g->erstes_ereignis) ende = std::max(ende, s.erstes_ereignis + belegt(s));
        else dahinter = true;
    };
    for (Liste_Element* e = Liste_First_Element(z.plaene); e; e = Liste_Next_Element(e)) {
        const Spiel* spiele = spiele_von(e);
        for (u32 i = 0; i < kopf_von(e)->spiele; ++i) sehen(spiele[i]);
    }
    for (const auto& r : z.ring) sehen(r.spiel);
    const u32 n = belegt(*g);
    if (ende < g->erstes_ereignis) {
        for (u32 k = 0; k < n; ++k) {
            u8* von = Spiele_Ereignis(g->erstes_ereignis + k);
            u8* nach = Spiele_Ereignis(ende + k);
            if (von && nach) std::memmove(nach, von, SPIELE_EREIGNIS_GROESSE);
        }
        g->erstes_ereignis = ende;
    }
    // The last block gives its unused rest back to the store.
    if (!dahinter) z.ereignis_anzahl = std::max<u32>(g->erstes_ereignis + std::max<u32>(n, 1), 1);
    return true;
}

void Spiele_Alle_Ereignisse_Packen() {
    if (ruf::Client()) {
        Debug_Printf("Cl: Spiele Ereignis_Speicher_Packen\n");
        return;
    }
    Spiele_Ereignisse_Verdichten();
}

u8* Spiele_Ereignis(u32 index) {
    if (index == 0 || index >= Spiele_Ereignis_Kapazitaet()) return nullptr;
    return z.ereignisse.data() + static_cast<size_t>(index) * SPIELE_EREIGNIS_GROESSE;
}

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
// The network client's game cache

namespace {

u32 ring_schluessel(u32 wettbewerb, u32 spieltag, u32 runde, u32 index) {
    return index + spieltag * 256u + runde * 32768u + wettbewerb * 524288u + 1u;
}

i32 ring_speichern(u32 schluessel, const Spiel* spiel) {
    if (z.ring.size() != RING_GROESSE) z.ring.assign(RING_GROESSE, Ring_Eintrag{});
    z.ring_cursor = (z.ring_cursor + 1) % RING_GROESSE;
    Ring_Eintrag& e = z.ring[z.ring_cursor];
    e.schluessel = schluessel;
    if (spiel) {
        e.spiel = *spiel;
    } else {
        std::memset(&e.spiel, 0, sizeof e.spiel);
        e.spiel.zuschauer = 0xFFFFFFFFu;  // the server has no such game
    }
    return z.ring_cursor;
}

// Newest first, at most once round, up to the first empty entry.
i32 ring_suchen(u32 schluessel) {
    if (z.ring.size() != RING_GROESSE || z.ring_cursor < 0) return -1;
    for (int n = 0, i = z.ring_cursor; n < RING_GROESSE; ++n, i = (i + RING_GROESSE - 1) % RING_GROESSE) {
        if (z.ring[i].schluessel == RING_LEER) return -1;
        if (z.ring[i].schluessel == schluessel) return i;
    }
    return -1;
}

bool locks_frei() {
    for (const auto& l : z.locks)
        if (l.plan != LOCK_FREI) return false;
    return true;
}

void cache_reset() {
    if (z.reset_erledigt || !locks_frei()) return;
    Spiele_Tabellen_Cache_Leeren();
    Season_Module.Spieltag_Kein_Spiel_Loeschen();
    Wettbewerb_Internet_Client_Hole_Status();
    z.ring.assign(RING_GROESSE, Ring_Eintrag{});
    if (const auto a = ruf::Rufen(RUF_SPIELE_ANZAHL)) {
        auto [kapazitaet, anzahl] = *a;
        if (kapazitaet > MAX_LADE_KAPAZITAET) kapazitaet = MAX_LADE_KAPAZITAET;
        if (kapazitaet > Spiele_Ereignis_Kapazitaet())
            z.ereignisse.resize(static_cast<size_t>(kapazitaet) * SPIELE_EREIGNIS_GROESSE, 0);
        z.ereignis_anzahl = std::min(anzahl, Spiele_Ereignis_Kapazitaet());
    }
    z.speicher[SPEICHER_EREIGNIS_ERW] = std::make_unique<Spiele_Speicher>(12, 7000);
    z.ring_cursor = -1;
    z.reset_erledigt = true;
}

i32 client_lock(u32 wettbewerb, u32 spieltag, u32 runde, u32 index) {
    cache_reset();
    const u32 schluessel = ring_schluessel(wettbewerb, spieltag, runde, index);
    i32 i = ring_suchen(schluessel);
    if (i < 0) {
        // One page of the matchday's games from the server.
        std::vector<Spiel> puffer;
        if (auto a = ruf::Rufen(RUF_SPIELE_SEITE, wettbewerb, spieltag, runde, index)) puffer = std::get<0>(*a);
        const i32 anzahl = std::min<i32>(static_cast<i32>(puffer.size()), SPIELE_SEITE);
        const u32 seite = index / SPIELE_SEITE * SPIELE_SEITE;
        for (i32 k = 0; k < anzahl; ++k) {
            i32 r = ring_speichern(
                ring_schluessel(wettbewerb, puffer[k].spieltag, puffer[k].runde, seite + static_cast<u32>(k)),
                &puffer[k]);
            if (seite + static_cast<u32>(k) == index) i = r;
        }
        if (i < 0) {
            ring_speichern(schluessel, nullptr);
            return 0;
        }
    }
    if (z.ring[i].spiel.zuschauer == 0xFFFFFFFFu) return 0;
    return lock_nehmen(LOCK_RING, static_cast<u32>(i));
}

}  // namespace

i32 Spiele_Hole_Tore(u32 wettbewerb, u32 spieltag, u32 runde, i32 minute, i32 eigenes_spiel) {
    if (!ruf::Client() || !z.bereit) return 0;
    cache_reset();
    const auto a = ruf::Rufen(RUF_SPIELE_TORE, wettbewerb, spieltag, runde, minute);
    if (!a) return 0;
    const std::vector<u8>& puffer = std::get<0>(*a);
    const i32 anzahl = std::clamp<i32>(std::get<1>(*a), 0, static_cast<i32>(puffer.size() / 6));
    const Spiel* eigen = lock_spiel(eigenes_spiel);
    i32 gesetzt = 0;
    bool geaendert = false;
    for (i32 k = 0; k < anzahl; ++k) {
        i32 r = ring_suchen(ring_schluessel(wettbewerb, spieltag, runde, static_cast<u32>(k)));
        if (r < 0) continue;
        Spiel& s = z.ring[r].spiel;
        if (s.zuschauer == 0xFFFFFFFFu || &s == eigen) continue;
        const i8 a_neu = static_cast<i8>(puffer[6 * k + 4]), b_neu = static_cast<i8>(puffer[6 * k + 5]);
        if (a_neu != s.tore_a || b_neu != s.tore_b) geaendert = true;
        s.tore_a = a_neu;
        s.tore_b = b_neu;
        ++gesetzt;
    }
    // The server's tables this client keeps no longer hold these scores.
    if (geaendert) Spiele_Tabellen_Cache_Leeren();
    return gesetzt;
}

bool Spiele_Ereignisse_Holen(u32 index) {
    if (!ruf::Client() || !z.bereit) return false;
    cache_reset();
    const u32 kap = Spiele_Ereignis_Kapazitaet();
    if (index == 0 || index >= kap) return false;
    const u8* bild = z.ereignisse.data() + static_cast<size_t>(index) * SPIELE_EREIGNIS_GROESSE;
    if (bytes::aus_bild<spiele_satz::Ereignis>(bild).flags != 0) return true;  // already here
    u32 anzahl = std::min<u32>(100, kap - index);
    const auto puffer = ruf::Rufen(RUF_SPIELE_EREIGNISSE, index, anzahl);
    if (!puffer) return false;
    const u32 geholt = std::min<u32>(static_cast<u32>(puffer->size() / SPIELE_EREIGNIS_GROESSE), anzahl);
    std::memcpy(z.ereignisse.data() + static_cast<size_t>(index) * SPIELE_EREIGNIS_GROESSE, puffer->data(),
                static_cast<size_t>(geholt) * SPIELE_EREIGNIS_GROESSE);
    return geholt > 0;
}

void Spiele_Internet_Client_Reset() {
    for (auto& l : z.locks) l = Lock{};
    z.reset_erledigt = false;
    cache_reset();
    Spiele_Wettbewerb_Ereignisse_Vergessen();
    Spiele_Sieger_Vergessen();
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

// ---------------------------------------------------------------------------
// Save block

bool Spiele_Save(Datei_Status* datei) {
    if (!z.bereit || !datei) return false;
    if (!Liste_Save(z.plaene, datei)) return false;
    // Each lock as its plan's place in the list (-1 none) and its game.
    i32 ordinale[SPIELE_LOCKS];
    u32 positionen[SPIELE_LOCKS];
    for (int i = 0; i < SPIELE_LOCKS; ++i) {
        i32 ordinal = -1;
        if (z.locks[i].plan >= 0) {
            i32 k = 0;
            for (Liste_Element* e = Liste_First_Element(z.plaene); e; e = Liste_Next_Element(e), ++k)
                if (e->id == static_cast<u32>(z.locks[i].plan)) {
                    ordinal = k;
                    break;
                }
        }
        ordinale[i] = ordinal;
        positionen[i] = ordinal >= 0 ? z.locks[i].pos : 0xFFFFFFFFu;
    }
    if (!Datei_Schreiben_Felder(datei, [&](bytes::Schreiber& s) {
            s(ordinale), s(positionen), s(z.naechster_plan), s(Spiele_Ereignis_Kapazitaet()), s(z.ereignis_anzahl);
        }))
        return false;
    if (!Datei_Schreiben_Gepackt(datei, z.ereignisse.data(), static_cast<u32>(z.ereignisse.size()))) return false;
    for (int k = 0; k < 5; ++k) {
        const Spiele_Speicher& s = *z.speicher[k];
        if (!Datei_Schreiben_Felder(datei, [&](bytes::Schreiber& w) { w(s.Anzahl()), w(s.Kapazitaet()); }))
            return false;
        if (!Datei_Schreiben_Gepackt(datei, s.Eintrag(0), s.Anzahl() * s.Groesse())) return false;
    }
    return true;
}

namespace {
// A block read but not yet taken over.
struct Staging {
    bool da = false;
    Liste_Kopf* plaene = nullptr;
    i32 naechster_plan = 0;
    std::vector<u8> ereignisse;
    u32 ereignis_anzahl = 1;
    std::unique_ptr<Spiele_Speicher> speicher[5];
    i32 lock_ordinal[SPIELE_LOCKS];
    u32 lock_pos[SPIELE_LOCKS];
};
Staging st;
}  // namespace

void Spiele_Verwerfen() {
    liste_weg(st.plaene);
    st.ereignisse.clear();
    for (auto& sp : st.speicher) sp.reset();
    st.da = false;
}

namespace {
// The values a loaded plan can hold: the bounds of Spiele_Neuer_Spielplan,
// every game on a matchday and leg of its plan, a score of -1 (unplayed) or
// more, its events inside the event store.
bool plan_gueltig(Liste_Element* e, u32 ereignisse) {
    const Spielplan_Kopf& k = *kopf_von(e);
    if (k.modus > 255 || k.teams > 65535 || k.spieltage > 65535 || k.runden < 1 || k.runden > 255) return false;
    const Spiel* s = spiele_von(e);
    for (u32 i = 0; i < k.spiele; ++i) {
        const Spiel& g = s[i];
        if (g.spieltag >= k.spieltage || g.runde >= k.runden || g.tore_a < -1 || g.tore_b < -1) return false;
        if (g.erstes_ereignis && static_cast<u64>(g.erstes_ereignis) + g.ereignis_anzahl > ereignisse) return false;
    }
    return true;
}
}  // namespace

bool Spiele_Lesen(Datei_Status* datei) {
    Spiele_Verwerfen();
    if (!z.bereit || !datei) return false;
    st.plaene = neue_liste();
    if (!st.plaene) return false;
    auto fehler = [&](const char* was) {
        Debug_Printf("Spiele_Load: %s\n", was);
        Spiele_Verwerfen();
        return false;
    };
    if (!Liste_Load(st.plaene, datei)) return fehler("Spielplaene fehlerhaft");
    // Every plan must hold as many games as its header says.
    for (Liste_Element* e = Liste_First_Element(st.plaene); e; e = Liste_Next_Element(e)) {
        if (e->size < sizeof(Spielplan_Kopf) || e->size != sizeof(Spielplan_Kopf) + 32u * kopf_von(e)->spiele)
            return fehler("Spielplan mit falscher Groesse");
    }
    u32 kapazitaet = 0, anzahl = 0;
    if (!Datei_Lesen_Felder(datei, SPIELE_LOCKS * 8 + 12, [&](bytes::Leser& l) {
            l(st.lock_ordinal), l(st.lock_pos), l(st.naechster_plan), l(kapazitaet), l(anzahl);
        }))
        return fehler("Block zu kurz");
    if (kapazitaet > MAX_LADE_KAPAZITAET || anzahl > kapazitaet || anzahl == 0) return fehler("Ereignisspeicher");
    st.ereignisse.assign(static_cast<size_t>(kapazitaet) * SPIELE_EREIGNIS_GROESSE, 0);
    if (Datei_Lesen_Gepackt(datei, st.ereignisse.data(), static_cast<u32>(st.ereignisse.size())) !=
        st.ereignisse.size())
        return fehler("Ereignisse");
    st.ereignis_anzahl = anzahl;
    for (Liste_Element* e = Liste_First_Element(st.plaene); e; e = Liste_Next_Element(e))
        if (!plan_gueltig(e, anzahl)) return fehler("Spielplan mit unmoeglichen Werten");
    for (int k = 0; k < 5; ++k) {
        u32 n = 0, cap = 0;
        if (!Datei_Lesen_Felder(datei, 8, [&](bytes::Leser& l) { l(n), l(cap); })) return fehler("Statistik");
        if (n > cap || cap > MAX_LADE_KAPAZITAET) return fehler("Statistik");
        std::vector<u8> daten(static_cast<size_t>(n) * GROESSEN[k]);
        if (n && Datei_Lesen_Gepackt(datei, daten.data(), static_cast<u32>(daten.size())) != daten.size())
            return fehler("Statistik");
        if (!n) {
            u8 leer[16];
            if (Datei_Lesen_Gepackt(datei, leer, sizeof leer) != 0 || datei->fehler) return fehler("Statistik");
        }
        st.speicher[k] = std::make_unique<Spiele_Speicher>(GROESSEN[k], z.speicher[k]->Kapazitaet());
        if (!st.speicher[k]->Setzen(daten.data(), n, cap)) return fehler("Statistik unsortiert");
    }
    st.da = true;
    return true;
}

void Spiele_Uebernehmen() {
    if (!st.da) return;
    liste_weg(z.plaene);
    z.plaene = st.plaene;
    st.plaene = nullptr;
    z.naechster_plan = st.naechster_plan;
    z.ereignisse = std::move(st.ereignisse);
    z.ereignis_anzahl = st.ereignis_anzahl;
    for (int k = 0; k < 5; ++k) z.speicher[k] = std::move(st.speicher[k]);
    // Each lock names a plan by its place in the list and a game in it.
    for (int i = 0; i < SPIELE_LOCKS; ++i) {
        z.locks[i] = Lock{};
        if (st.lock_ordinal[i] < 0) continue;
        i32 k = 0;
        for (Liste_Element* e = Liste_First_Element(z.plaene); e; e = Liste_Next_Element(e), ++k)
            if (k == st.lock_ordinal[i] && st.lock_pos[i] < kopf_von(e)->spiele) {
                z.locks[i].plan = static_cast<i32>(e->id);
                z.locks[i].pos = st.lock_pos[i];
            }
    }
    st.da = false;
    Spiele_Tabellen_Cache_Leeren();
}

bool Spiele_Load(Datei_Status* datei) {
    if (!Spiele_Lesen(datei)) return false;
    Spiele_Uebernehmen();
    return true;
}

// ---------------------------------------------------------------------------
// Server rows

i32 Spiele_Internet_Server_Send_Spiele(u32 wettbewerb, u32 spieltag, u32 runde, u32 index, Spiel* aus) {
    if (!aus) return 0;
    u32 seite = index / SPIELE_SEITE * SPIELE_SEITE;
    i32 n = 0;
    for (u32 i = seite; n < SPIELE_SEITE; ++i) {
        i32 h = Spiele_Lock(wettbewerb, spieltag, runde, i);
        if (!h) break;
        aus[n++] = *Spiele_Get_Spiel(h, true);
        Spiele_Unlock(h);
    }
    return n;
}

i32 Spiele_Internet_Server_Send_Anzahl(u32* kapazitaet, u32* anzahl) {
    if (kapazitaet) *kapazitaet = Spiele_Ereignis_Kapazitaet();
    if (anzahl) *anzahl = z.ereignis_anzahl;
    return 1;
}

i32 Spiele_Internet_Server_Send_Anzahl_2(u32* kapazitaet, u32* anzahl) {
    return Spiele_Internet_Server_Send_Anzahl(kapazitaet, anzahl);
}

i32 Spiele_Internet_Server_Send_Ereignisse(u32 erster, u32 anzahl, u8* aus, u32 aus_groesse) {
    if (!aus) return 0;
    i32 n = 0;
    for (u32 k = 0; k < anzahl && (static_cast<u32>(n) + 1) * SPIELE_EREIGNIS_GROESSE <= aus_groesse; ++k) {
        u32 i = erster + k;
        if (i >= Spiele_Ereignis_Kapazitaet()) {
            Debug_Printf("ACHTUNG: SPIELEREIGNIS SCHREIBT BEIM CLIENT REIN!!");
            continue;
        }
        std::memcpy(aus + n * SPIELE_EREIGNIS_GROESSE,
                    z.ereignisse.data() + static_cast<size_t>(i) * SPIELE_EREIGNIS_GROESSE, SPIELE_EREIGNIS_GROESSE);
        ++n;
    }
    return n;
}

i32 Spiele_Internet_Server_Send_Tore(u32 wettbewerb, u32 spieltag, u32 runde, i32 minute, std::vector<u8>& aus) {
    aus.clear();
    i32 n = 0;
    for (u32 i = 0;; ++i) {
        i32 h = Spiele_Lock(wettbewerb, spieltag, runde, i);
        if (!h) break;
        const Spiel s = *Spiele_Get_Spiel(h, true);
        Spiele_Unlock(h);
        u8 ta = 0, tb = 0;
        for (u32 e = 0; s.erstes_ereignis && e < s.ereignis_anzahl; ++e) {
            const u8* bild = Spiele_Ereignis(s.erstes_ereignis + e);
            if (!bild) break;
            const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
            if (!(r.flags & 4) || (minute >= 0 && r.minute > minute)) continue;
            if (r.flags & 1) ++ta;
            else ++tb;
        }
        bytes::Schreiber aus_s{aus};
        aus_s(spiele_satz::Tore_Zeile{s.team_a, ta, tb});
        ++n;
    }
    return n;
}

i32 Spiele_Internet_Server_Send_Wettbewerb_Ereignisse(u32 schluessel, i32 spieler_anzahl, std::vector<u8>& aus) {
    aus.clear();
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW);
    if (!s || spieler_anzahl <= 0 || schluessel == 0) return 0;
    u32 pos = 0;
    s->Finden(schluessel, &pos);
    i32 n = 0;
    bytes::Schreiber aus_s{aus};
    for (u32 i = pos; i < s->Anzahl() && n < 100; ++i) {
        const auto e = bytes::aus_bild<spiele_satz::Zaehler>(s->Eintrag(i));
        const u32 k = e.schluessel;
        if (k >= schluessel + 100) break;
        spiele_satz::Zaehler_Zeile zeile{
            (k - 1) / static_cast<u32>(spieler_anzahl), (k - 1) % static_cast<u32>(spieler_anzahl), {}};
        std::copy(std::begin(e.zaehler), std::end(e.zaehler), zeile.zaehler);
        aus_s(zeile);
        ++n;
    }
    return n;
}
