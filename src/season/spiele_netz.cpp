// The fixtures over the network: the client's cache of games fetched from
// the server, and the server's rows sent on request.
#include "season/spiele.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

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
    // The events fetched before are forgotten: the server packs its store
    // (a new season's matches take the places of last season's).
    std::fill(z.ereignisse.begin(), z.ereignisse.end(), u8{0});
    z.speicher[SPEICHER_EREIGNIS_ERW] = std::make_unique<Spiele_Speicher>(12, 7000);
    z.ring_cursor = -1;
    z.reset_erledigt = true;
}

// One page of a matchday's games from the server into the cache: a game
// the cache holds is renewed in its place (its handles read the new
// record), another is stored; the entry of the game `index`, -1 when the
// server has none. The game `behalten` keeps the record the cache has.
i32 seite_holen(u32 wettbewerb, u32 spieltag, u32 runde, u32 index, u32 behalten = 0xFFFFFFFFu) {
    std::vector<Spiel> puffer;
    if (auto a = ruf::Rufen(RUF_SPIELE_SEITE, wettbewerb, spieltag, runde, index)) puffer = std::get<0>(*a);
    const i32 anzahl = std::min<i32>(static_cast<i32>(puffer.size()), SPIELE_SEITE);
    const u32 seite = index / SPIELE_SEITE * SPIELE_SEITE;
    i32 i = -1;
    for (i32 k = 0; k < anzahl; ++k) {
        if (seite + static_cast<u32>(k) == behalten) continue;
        const u32 schluessel =
            ring_schluessel(wettbewerb, puffer[k].spieltag, puffer[k].runde, seite + static_cast<u32>(k));
        i32 r = ring_suchen(schluessel);
        if (r >= 0) z.ring[r].spiel = puffer[k];
        else r = ring_speichern(schluessel, &puffer[k]);
        if (seite + static_cast<u32>(k) == index) i = r;
    }
    return i;
}

}  // namespace

i32 spiele_intern::client_lock(u32 wettbewerb, u32 spieltag, u32 runde, u32 index) {
    cache_reset();
    const u32 schluessel = ring_schluessel(wettbewerb, spieltag, runde, index);
    i32 i = ring_suchen(schluessel);
    if (i < 0) {
        i = seite_holen(wettbewerb, spieltag, runde, index);
        if (i < 0) {
            ring_speichern(schluessel, nullptr);
            return 0;
        }
    }
    if (z.ring[i].spiel.zuschauer == 0xFFFFFFFFu) return 0;
    return lock_nehmen(LOCK_RING, static_cast<u32>(i));
}

i32 Spiele_Hole_Tore(u32 wettbewerb, u32 spieltag, u32 runde, i32 minute, i32 eigenes_spiel) {
    if (!ruf::Client() || !z.bereit) return 0;
    cache_reset();
    const auto a = ruf::Rufen(RUF_SPIELE_TORE, wettbewerb, spieltag, runde, minute);
    if (!a) return 0;
    const std::vector<u8>& puffer = std::get<0>(*a);
    const i32 anzahl = std::clamp<i32>(std::get<1>(*a), 0, static_cast<i32>(puffer.size() / 6));
    // The own game by its place in the matchday: its record stays as it is.
    const Spiel* eigen_spiel = lock_spiel(eigenes_spiel);
    const bool eigen_hier = eigen_spiel && static_cast<u32>(eigen_spiel->wettbewerb) == wettbewerb &&
                            static_cast<u32>(eigen_spiel->spieltag) == spieltag &&
                            static_cast<u32>(eigen_spiel->runde) == runde;
    const u32 eigen = eigen_hier ? static_cast<u32>(eigen_spiel->index) : 0xFFFFFFFFu;
    auto tore_von = [&](i32 k) {
        return std::make_pair(static_cast<i8>(puffer[6 * k + 4]), static_cast<i8>(puffer[6 * k + 5]));
    };
    // A game whose goals changed comes anew from the server: its cached
    // record knows only the events there were when it was fetched, and the
    // goals page and the half-time score read those.
    i32 geholt_bis = -1;  // pages fetched anew lie below this index
    for (i32 k = 0; k < anzahl; ++k) {
        const i32 r = ring_suchen(ring_schluessel(wettbewerb, spieltag, runde, static_cast<u32>(k)));
        if (r < 0 || k < geholt_bis) continue;
        const Spiel& s = z.ring[r].spiel;
        if (s.zuschauer == 0xFFFFFFFFu || static_cast<u32>(k) == eigen) continue;
        if (tore_von(k) == std::make_pair(s.tore_a, s.tore_b)) continue;
        seite_holen(wettbewerb, spieltag, runde, static_cast<u32>(k), eigen);
        geholt_bis = k / SPIELE_SEITE * SPIELE_SEITE + SPIELE_SEITE;
    }
    i32 gesetzt = 0;
    bool geaendert = false;
    for (i32 k = 0; k < anzahl; ++k) {
        i32 r = ring_suchen(ring_schluessel(wettbewerb, spieltag, runde, static_cast<u32>(k)));
        if (r < 0) continue;
        Spiel& s = z.ring[r].spiel;
        if (s.zuschauer == 0xFFFFFFFFu || static_cast<u32>(k) == eigen || &s == eigen_spiel) continue;
        const auto [a_neu, b_neu] = tore_von(k);
        if (a_neu != s.tore_a || b_neu != s.tore_b) geaendert = true;
        s.tore_a = a_neu;
        s.tore_b = b_neu;
        ++gesetzt;
    }
    // The server's tables this client keeps no longer hold these scores.
    if (geaendert || geholt_bis >= 0) Spiele_Tabellen_Cache_Leeren();
    return gesetzt;
}

void Spiele_Client_Spiel_Holen(u32 wettbewerb, u32 spieltag, u32 runde, u32 index) {
    if (!ruf::Client() || !z.bereit) return;
    cache_reset();
    if (seite_holen(wettbewerb, spieltag, runde, index) >= 0) Spiele_Tabellen_Cache_Leeren();
}

void Spiele_Client_Spieltag_Erneuern(u32 wettbewerb, u32 spieltag, u32 runde) {
    if (!ruf::Client() || !z.bereit || !z.reset_erledigt) return;
    bool geholt = false;
    // A page comes anew when the cache holds a game of it (the others are
    // fetched when first read).
    for (u32 seite = 0; seite < 256; seite += SPIELE_SEITE) {
        bool im_cache = false;
        for (u32 k = seite; k < seite + SPIELE_SEITE && !im_cache; ++k) {
            const i32 r = ring_suchen(ring_schluessel(wettbewerb, spieltag, runde, k));
            im_cache = r >= 0 && z.ring[r].spiel.zuschauer != 0xFFFFFFFFu;
        }
        if (im_cache && seite_holen(wettbewerb, spieltag, runde, seite) >= 0) geholt = true;
    }
    if (geholt) Spiele_Tabellen_Cache_Leeren();
}

bool Spiele_Ereignisse_Holen(u32 index, u32 anzahl) {
    if (!ruf::Client() || !z.bereit) return false;
    cache_reset();
    const u32 kap = Spiele_Ereignis_Kapazitaet();
    if (index == 0 || index >= kap || anzahl == 0) return false;
    anzahl = std::min<u32>(anzahl, kap - index);
    // Events come in order: with the range's last one here, all are.
    const u8* bild = z.ereignisse.data() + static_cast<size_t>(index + anzahl - 1) * SPIELE_EREIGNIS_GROESSE;
    if (bytes::aus_bild<spiele_satz::Ereignis>(bild).flags != 0) return true;  // already here
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
