#include "season/archiv.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "base/bereich.h"
#include "base/compress.h"
#include "base/datei.h"
#include "base/memory.h"
#include "base/ruf.h"
#include "season/archiv_bloecke.h"
#include "season/kalender.h"
#include "season/netz_rufe.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "world/welt.h"

namespace {

constexpr u32 WETTBEWERB_NUMMERN = 384;
constexpr int WORTE_PRO_ZEILE = 15;
constexpr int RASTER_SPIELTAGE = TABELLE_RASTER / TABELLE_RASTER_ZEILEN;
constexpr u32 MAX_EINTRAEGE = 1u << 20;
constexpr u32 MAX_EINTRAG_BYTES = 1u << 20;

// Key: (season × 384 + competition) × 4 + the table's number in its season.
u32 schluessel(i32 jahr, i32 wettbewerb, i32 k) {
    return (static_cast<u32>(jahr) * WETTBEWERB_NUMMERN + static_cast<u32>(wettbewerb)) * ARCHIV_PRO_SAISON +
           static_cast<u32>(k);
}
i32 jahr_von(u32 s) { return static_cast<i32>(s / ARCHIV_PRO_SAISON / WETTBEWERB_NUMMERN); }
i32 wettbewerb_von(u32 s) { return static_cast<i32>(s / ARCHIV_PRO_SAISON % WETTBEWERB_NUMMERN); }

u32 gruppe_von(u32 s) { return static_cast<u32>(wettbewerb_von(s)); }
// Key -> zlib block; each competition keeps its twenty seasons and the
// season being archived.
Archiv_Bloecke archiv(ARCHIV_JAHRE + 1, WETTBEWERB_NUMMERN, gruppe_von),
    staging(ARCHIV_JAHRE + 1, WETTBEWERB_NUMMERN, gruppe_von);
bool staging_da = false;

// A bit stream of w-bit fields in u16 words from bit 0 upward.
struct Bits {
    std::vector<u16>& worte;
    int bit = 16;
    void schreiben(u32 wert, int breite) {
        for (int i = 0; i < breite; ++i, ++bit) {
            if (bit == 16) {
                worte.push_back(0);
                bit = 0;
            }
            if ((wert >> i) & 1) worte.back() = static_cast<u16>(worte.back() | (1u << bit));
        }
    }
};
struct Bits_Lesen {
    const std::vector<u16>& worte;
    size_t wort;
    int bit = 0;
    bool lesen(int breite, u32* wert) {
        *wert = 0;
        for (int i = 0; i < breite; ++i, ++bit) {
            if (bit == 16) {
                ++wort;
                bit = 0;
            }
            if (wort >= worte.size()) return false;
            *wert |= ((worte[wort] >> bit) & 1u) << i;
        }
        return true;
    }
};

i32 spieltage_von(i32 wettbewerb) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(wettbewerb);
    return w ? std::clamp(w->spieltage, 0, RASTER_SPIELTAGE) : -1;
}

}  // namespace

std::vector<u16> Archiv_Kompakt(const Tabelle& t, i32 spieltage) {
    std::vector<u16> w;
    const u32 n = std::min<u32>(t.zeilen, TABELLE_ZEILEN);
    spieltage = std::clamp(spieltage, 0, RASTER_SPIELTAGE);
    w.push_back(static_cast<u16>(t.wettbewerb));
    w.push_back(static_cast<u16>(n));
    for (u32 r = 0; r < n; ++r) {
        w.push_back(static_cast<u16>(t.reihenfolge[r]));
        w.push_back(static_cast<u16>(t.vorherige[r]));
        w.push_back(static_cast<u16>(t.team[r]));
        for (int v = 0; v < 3; ++v)
            for (const u32* feld : {t.spiele[v], t.punkte[v], t.tore[v], t.gegentore[v]})
                w.push_back(static_cast<u16>(std::min<u32>(feld[r], 0xFFFF)));
    }
    // Rows past the grids' 24 have no grid entries: they store "no game".
    auto eintrag = [&](u32 r, i32 d, bool heim) -> u32 {
        if (r >= TABELLE_RASTER_ZEILEN) return heim ? 0 : 3;
        const u32 i = static_cast<u32>(d) * TABELLE_RASTER_ZEILEN + r;
        return heim ? (t.heim[i] == 1 ? 1 : 0) : std::min<u32>(t.ergebnis[i], 3);
    };
    Bits heim{w};
    for (u32 r = 0; r < n; ++r)
        for (i32 d = 0; d < spieltage; ++d) heim.schreiben(eintrag(r, d, true), 1);
    Bits ergebnis{w};
    for (u32 r = 0; r < n; ++r)
        for (i32 d = 0; d < spieltage; ++d) ergebnis.schreiben(eintrag(r, d, false), 2);
    return w;
}

bool Archiv_Entpacken(const std::vector<u16>& w, i32 spieltage, Tabelle& t) {
    if (w.size() < 2 || w[1] > TABELLE_ZEILEN) return false;
    const u32 n = w[1];
    spieltage = std::clamp(spieltage, 0, RASTER_SPIELTAGE);
    const size_t grid_worte =
        (n * static_cast<u32>(spieltage) + 15) / 16 + (2 * n * static_cast<u32>(spieltage) + 15) / 16;
    if (w.size() != 2 + n * WORTE_PRO_ZEILE + grid_worte) return false;
    t.wettbewerb = w[0];
    t.zeilen = n;
    auto vorzeichen = [](u16 x) { return static_cast<u32>(static_cast<i32>(static_cast<i16>(x))); };
    size_t o = 2;
    for (u32 r = 0; r < n; ++r) {
        t.reihenfolge[r] = vorzeichen(w[o++]);
        t.vorherige[r] = vorzeichen(w[o++]);
        t.team[r] = vorzeichen(w[o++]);
        for (int v = 0; v < 3; ++v)
            for (u32* feld : {t.spiele[v], t.punkte[v], t.tore[v], t.gegentore[v]}) feld[r] = w[o++];
    }
    Bits_Lesen heim{w, o};
    std::vector<u8> heim_bits(n * static_cast<u32>(spieltage));
    for (u8& b : heim_bits) {
        u32 x = 0;
        if (!heim.lesen(1, &x)) return false;
        b = static_cast<u8>(x);
    }
    Bits_Lesen ergebnis{w, o + (n * static_cast<u32>(spieltage) + 15) / 16};
    for (u32 r = 0; r < n; ++r)
        for (i32 d = 0; d < spieltage; ++d) {
            u32 x = 0;
            if (!ergebnis.lesen(2, &x)) return false;
            if (r >= TABELLE_RASTER_ZEILEN) continue;
            const u32 i = static_cast<u32>(d) * TABELLE_RASTER_ZEILEN + r;
            t.ergebnis[i] = x == 3 ? 0xFFFF : static_cast<u16>(x);
            // A day without a game keeps the prepared venue value.
            t.heim[i] = x == 3 ? 0xFF : heim_bits[r * static_cast<u32>(spieltage) + static_cast<u32>(d)];
        }
    return true;
}

bool Statistik_Archiv_Speichern(const Tabelle& t, i32 jahr) {
    const i32 wb = static_cast<i32>(t.wettbewerb);
    const i32 tage = spieltage_von(wb);
    if (tage < 0 || wb < 0 || static_cast<u32>(wb) >= WETTBEWERB_NUMMERN || jahr < 0) return false;
    // Tables older than twenty seasons go.
    archiv.Entfernen_Wenn(
        [&](u32 s) { return wettbewerb_von(s) == wb && jahr_von(s) < jahr - ARCHIV_JAHRE; });
    i32 k = 0;
    while (k < ARCHIV_PRO_SAISON && archiv.Finden(schluessel(jahr, wb, k))) ++k;
    if (k == ARCHIV_PRO_SAISON) return false;
    const std::vector<u16> worte = Archiv_Kompakt(t, tage);
    std::vector<u8> bild;
    bytes::Schreiber s{bild};
    for (u16 w : worte) s(w);
    u32 groesse = 0;
    void* block = W32_Cmp_Zlib_Pack_Neu(bild.data(), static_cast<u32>(bild.size()), &groesse);
    if (!block) return false;
    const u8* b = static_cast<const u8*>(block);
    const bool ok = archiv.Einfuegen(schluessel(jahr, wb, k), b, groesse);
    W32_Memory_H_Free(block);
    return ok;
}

namespace {

// A client's archived table from the server (call 1044): the record
// run-length packed. Taken only when it unpacks to exactly one record of
// the asked competition whose rows, order and teams are in range; only the
// archived fields go into the caller's record.
bool archiv_vom_server(Tabelle& t, i32 wettbewerb, i32 jahr, i32 k) {
    const auto antwort = ruf::Rufen(RUF_STATISTIK_ARCHIV, wettbewerb, jahr, k);
    if (!antwort || antwort->size() < RLE_KOPF_GROESSE) return false;
    std::vector<u8> bild(TABELLE_GROESSE);
    if (Tools_RLE_Entpacken_Sicher(antwort->data(), static_cast<u32>(antwort->size()), bild.data(),
                                   TABELLE_GROESSE) != TABELLE_GROESSE)
        return false;
    auto neu = std::make_unique<Tabelle>();
    Tabelle_Bild_Lesen(*neu, bild.data());
    const u32 n = neu->zeilen;
    if (static_cast<i32>(neu->wettbewerb) != wettbewerb || n > TABELLE_ZEILEN) return false;
    for (u32 r = 0; r < n; ++r)
        if (neu->reihenfolge[r] >= n || static_cast<i32>(neu->team[r]) < -1 ||
            static_cast<i32>(neu->team[r]) >= Team_Anzahl)
            return false;
    const i32 tage = std::max(spieltage_von(wettbewerb), 0);
    return Archiv_Entpacken(Archiv_Kompakt(*neu, tage), tage, t);
}

}  // namespace

bool Statistik_Archiv_Holen(Tabelle& t, i32 wettbewerb, i32 jahr, i32 k) {
    if (wettbewerb < 0 || static_cast<u32>(wettbewerb) >= WETTBEWERB_NUMMERN || jahr < 0 || k < 0 ||
        k >= ARCHIV_PRO_SAISON)
        return false;
    if (ruf::Client()) return archiv_vom_server(t, wettbewerb, jahr, k);
    const Archiv_Bloecke::Eintrag* e = archiv.Finden(schluessel(jahr, wettbewerb, k));
    if (!e) return false;
    u32 groesse = 0;
    void* roh = W32_Cmp_Zlib_Unpack_Neu(archiv.Daten(*e), e->laenge, &groesse);
    if (!roh) return false;
    std::vector<u16> worte(groesse / 2);
    bytes::Leser l(static_cast<const u8*>(roh), groesse);
    for (u16& w : worte) l(w);
    W32_Memory_H_Free(roh);
    return Archiv_Entpacken(worte, std::max(spieltage_von(wettbewerb), 0), t);
}

int Statistik_Archiv_Jahre(i32 wettbewerb, i32* jahre, int max) {
    int n = 0;
    const auto& index = archiv.Index();
    for (auto it = index.rbegin(); it != index.rend() && n < max; ++it)
        if (wettbewerb_von(it->schluessel) == wettbewerb && (n == 0 || jahre[n - 1] != jahr_von(it->schluessel)))
            jahre[n++] = jahr_von(it->schluessel);
    return n;
}

void Statistik_Archiv_Leeren() { archiv.Leeren(); }

namespace {

// The server's answer for a client, checked whole before any of it is used.
int archiv_team_vom_server(i32 team, Statistik_Archiv_Platz* aus, int max) {
    const auto antwort = ruf::Rufen(RUF_STATISTIK_ARCHIV_TEAM, team, std::min(max, STATISTIK_ARCHIV_TEAM_MAX));
    if (!antwort || antwort->size() > static_cast<size_t>(max)) return 0;
    for (const Statistik_Archiv_Platz& p : *antwort)
        if (p.jahr < 0 || p.wettbewerb < 0 || static_cast<u32>(p.wettbewerb) >= WETTBEWERB_NUMMERN || p.platz < 0 ||
            p.platz >= TABELLE_ZEILEN || p.punkte < 0 || p.tore < 0 || p.gegentore < 0 || p.verlustpunkte < -1)
            return 0;
    std::copy(antwort->begin(), antwort->end(), aus);
    return static_cast<int>(antwort->size());
}

}  // namespace

std::vector<Statistik_Archiv_Platz> Statistik_Internet_Server_Send_Archiv_Team(i32 team, i32 max) {
    std::vector<Statistik_Archiv_Platz> aus(static_cast<size_t>(std::clamp(max, 0, STATISTIK_ARCHIV_TEAM_MAX)));
    if (ruf::Client() || aus.empty()) return {};
    aus.resize(static_cast<size_t>(Statistik_Archiv_Team(team, aus.data(), static_cast<int>(aus.size()))));
    return aus;
}

int Statistik_Archiv_Team(i32 team, Statistik_Archiv_Platz* aus, int max) {
    if (!aus || max <= 0 || team < 0) return 0;
    if (ruf::Client()) return archiv_team_vom_server(team, aus, max);
    auto t = std::make_unique<Tabelle>();
    int n = 0;
    for (const Archiv_Bloecke::Eintrag& e : archiv.Index()) {
        if (n >= max) break;
        const u32 k = e.schluessel;
        const i32 wb = wettbewerb_von(k), jahr = jahr_von(k);
        *t = Tabelle{};
        if (!Statistik_Archiv_Holen(*t, wb, jahr, static_cast<i32>(k % ARCHIV_PRO_SAISON))) continue;
        const u32 zeilen = std::min<u32>(t->zeilen, TABELLE_ZEILEN);
        for (u32 platz = 0; platz < zeilen; ++platz) {
            const u32 r = t->reihenfolge[platz];
            if (r >= zeilen || static_cast<i32>(t->team[r]) != team) continue;
            const Wettbewerb* w = Wettbewerb_Get_Zeiger(wb);
            const bool drei = !w || (w->modus & WB_ENGLISCHE_TABELLE);
            const i32 spiele = static_cast<i32>(t->spiele[0][r]), punkte = static_cast<i32>(t->punkte[0][r]);
            aus[n++] = {jahr,
                        wb,
                        static_cast<i32>(platz),
                        drei ? -1 : 2 * spiele - punkte,
                        punkte,
                        static_cast<i32>(t->tore[0][r]),
                        static_cast<i32>(t->gegentore[0][r])};
            break;
        }
    }
    return n;
}

u32 Statistik_Internet_Server_Send_Archiv(std::vector<u8>& aus, i32 wettbewerb, i32 jahr, i32 k) {
    aus.clear();
    auto t = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten(nullptr, t.get());
    if (ruf::Client() || !Statistik_Archiv_Holen(*t, wettbewerb, jahr, k)) return 0;
    std::vector<u8> bild(TABELLE_GROESSE);
    Tabelle_Bild_Schreiben(*t, bild.data());
    aus.resize(Tools_RLE_Max_Gepackt(TABELLE_GROESSE));
    aus.resize(Tools_RLE_Packen(bild.data(), aus.data(), TABELLE_GROESSE));
    return static_cast<u32>(aus.size());
}

bool Archiv_Save(Datei_Status* datei) {
    if (!Datei_Schreiben_Felder(datei, [&](bytes::Schreiber& s) { s(static_cast<u32>(archiv.Anzahl())); }))
        return false;
    for (const Archiv_Bloecke::Eintrag& e : archiv.Index()) {
        // Key, size and the packed table.
        if (!Datei_Schreiben_Felder(datei, [&](bytes::Schreiber& s) {
                s(e.schluessel), s(e.laenge);
                s.bytes(archiv.Daten(e), e.laenge);
            }))
            return false;
    }
    return true;
}

bool Archiv_Lesen(Datei_Status* datei) {
    staging.Leeren();
    staging_da = false;
    u32 n = 0;
    if (!Datei_Lesen_Felder(datei, 4, [&](bytes::Leser& l) { l(n); }) || n > MAX_EINTRAEGE) return false;
    for (u32 i = 0; i < n; ++i) {
        u32 k = 0, groesse = 0;
        if (!Datei_Lesen_Felder(datei, 8, [&](bytes::Leser& l) { l(k), l(groesse); })) return false;
        // Keys rise, each names a known competition number, blocks are bounded.
        if (groesse > MAX_EINTRAG_BYTES || (!staging.Leer() && k <= staging.Index().back().schluessel)) return false;
        // A season the calendar can reach.
        if (!Bereiche_Pruefen("Statistik", {{"archiv_jahr", jahr_von(k), 0, KALENDER_JAHRE_MAX}})) return false;
        std::vector<u8> block(groesse);
        if (groesse && Datei_Lesen(datei, block.data(), groesse) != groesse) return false;
        if (!staging.Einfuegen(k, block.data(), groesse)) return false;
    }
    staging_da = true;
    return true;
}

void Archiv_Uebernehmen() {
    if (staging_da) archiv.Tauschen(staging);
    staging.Leeren();
    staging_da = false;
}

void Archiv_Verwerfen() {
    staging.Leeren();
    staging_da = false;
}

bool Archiv_Leer_Vormerken() {
    staging.Leeren();
    staging_da = true;
    return true;
}
