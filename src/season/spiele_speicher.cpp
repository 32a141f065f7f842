// The sorted store the fixtures' plans are kept in: records of one size,
// kept in key order, found by halving.
#include "season/spiele.h"

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/liste.h"
#include "base/ruf.h"
#include "base/tempstr.h"
#include "season/ereignisse.h"
#include "season/netz_rufe.h"
#include "season/season_hooks.h"
#include "season/spiele_intern.h"
#include "season/spiele_saetze.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/welt.h"

using namespace spiele_intern;

// ---------------------------------------------------------------------------
// The sorted store

Spiele_Speicher::Spiele_Speicher(u32 eintrag_groesse, u32 kapazitaet)
    : groesse_(eintrag_groesse), kapazitaet_(std::max<u32>(kapazitaet, 1)) {
    // The capacity is reserved; only the entries in use are written.
    daten_.reserve(static_cast<size_t>(kapazitaet_) * groesse_);
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
        daten_.reserve(static_cast<size_t>(neu) * groesse_);
        kapazitaet_ = neu;
    }
    const auto stelle = daten_.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(pos) * groesse_);
    daten_.insert(stelle, groesse_, u8{0});
    u8* p = Eintrag(pos);
    put_u32le(p, schluessel);
    ++anzahl_;
    return p;
}

void Spiele_Speicher::Loeschen(u32 i) {
    if (i >= anzahl_) return;
    const auto stelle = daten_.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(i) * groesse_);
    daten_.erase(stelle, stelle + groesse_);
    --anzahl_;
}

u32 Spiele_Speicher::Loeschen_Bereich(u32 von, u64 bis) {
    u32 a = 0, e = anzahl_;
    Finden(von, &a);
    if (bis <= UINT32_MAX) Finden(static_cast<u32>(bis), &e);
    if (e <= a) return 0;
    const auto anfang = daten_.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(a) * groesse_);
    daten_.erase(anfang, anfang + static_cast<std::ptrdiff_t>(static_cast<size_t>(e - a) * groesse_));
    const u32 weg = e - a;
    anzahl_ -= weg;
    return weg;
}

void Spiele_Speicher::Leeren() {
    anzahl_ = 0;
    daten_.clear();
}

bool Spiele_Speicher::Setzen(const u8* daten, u32 anzahl, u32 kapazitaet) {
    if (anzahl > kapazitaet || kapazitaet > MAX_LADE_KAPAZITAET) return false;
    for (u32 i = 1; i < anzahl; ++i)
        if (get_u32le(daten + static_cast<size_t>(i - 1) * groesse_) >=
            get_u32le(daten + static_cast<size_t>(i) * groesse_))
            return false;
    // A larger array already allocated keeps its capacity.
    kapazitaet = std::max({kapazitaet, kapazitaet_, 1u});
    daten_.clear();
    daten_.reserve(static_cast<size_t>(kapazitaet) * groesse_);
    daten_.insert(daten_.end(), daten, daten + static_cast<size_t>(anzahl) * groesse_);
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
        // By the fifth itself: a plain resize doubles the vector's memory,
        // which the double buffer then keeps for good.
        z.ereignisse.reserve(static_cast<size_t>(neu) * SPIELE_EREIGNIS_GROESSE);
        z.ereignisse.resize(static_cast<size_t>(neu) * SPIELE_EREIGNIS_GROESSE, 0);
    }
    const u32 erster = z.ereignis_anzahl;
    z.ereignis_anzahl += anzahl;
    return erster;
}
void Spiele_Ereignisse_Verdichten() {
    if (!z.bereit || ruf::Client()) return;
    std::vector<u8>& neu = z.ereignisse_neu;
    neu.assign(static_cast<size_t>(SPIELE_EREIGNIS_KAPAZITAET) * SPIELE_EREIGNIS_GROESSE, 0);
    u32 anzahl = 1;
    auto umziehen = [&](Spiel& s) {
        if (!s.erstes_ereignis) return;
        const u32 n = std::min<u32>(s.ereignis_anzahl, EREIGNISSE_PRO_SPIEL);
        const u32 platz = s.tore_a >= 0 ? std::max<u32>(n, 1) : EREIGNISSE_PRO_SPIEL;
        while (static_cast<size_t>(anzahl + platz) * SPIELE_EREIGNIS_GROESSE > neu.size()) {
            neu.reserve(neu.size() * 6 / 5);
            neu.resize(neu.size() * 6 / 5, 0);
        }
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
    z.ereignisse.swap(neu);
    z.ereignis_anzahl = anzahl;
    // The second buffer is the store's twin: the block a busy day grew is
    // let go once the store is back to its size (else every later day kept
    // the peak day's memory beside the store), and a twin of the store's
    // size takes its place, so the next day allocates nothing.
    if (neu.capacity() > z.ereignisse.size()) {
        std::vector<u8>().swap(neu);
        neu.reserve(z.ereignisse.size());
    }
}

size_t Spiele_Ereignis_Speicher_Bytes() { return z.ereignisse.capacity() + z.ereignisse_neu.capacity(); }

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
