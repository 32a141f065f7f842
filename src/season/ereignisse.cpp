#include "season/ereignisse.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "season/netz_rufe.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr int SPIELER_PRO_TEAM = 20;
constexpr u32 AUFSTELLUNG_STARTELF = 16;
constexpr u32 ALLE_SPIELER = 0;
constexpr int LETZTE_ERGEBNISSE = 5;
constexpr u8 KEIN_ERGEBNIS = 255;
constexpr i32 TORE_IM_VERLAUF = 15;

u8 plus_eins(u8 v) { return v == 255 ? v : static_cast<u8>(v + 1); }
void u16_addieren(u16& z, i32 wert) {
    const i64 v = static_cast<i64>(z) + std::max(wert, 0);
    z = static_cast<u16>(std::min<i64>(v, 0xFFFF));
}

// A player's counter entry in a competition's base competition, created
// when `anlegen` is set.
u8* zaehler_eintrag(i32 wettbewerb, i32 spieler, bool anlegen) {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW);
    u32 k = 0;
    if (!s || !Spiele_Schluessel_Spieler(Wettbewerb_Get_Basis_Id(wettbewerb), spieler, &k)) return nullptr;
    if (anlegen) return s->Holen(k);
    const i32 i = s->Finden(k);
    return i < 0 ? nullptr : s->Eintrag(static_cast<u32>(i));
}

// The key leading a store's entry i (every entry starts with its u32 key):
// the store's framing, read alone where a walk over all entries needs no more.
u32 schluessel_von(const Spiele_Speicher* s, u32 i) { return get_u32le(s->Eintrag(i)); }

bool ist_spieler(i32 s) { return s >= 0 && s < Spieler_Anzahl; }
bool ist_team(i32 t) { return t >= 0 && t < Team_Anzahl; }

void status_setzen(i32 spieler, u32 weg, u32 dazu) {
    Spieler_Status_Aendern(spieler, weg, dazu);
}

// A card's counters: the ban it brings and the mark that it was received in
// the last match (the ban is served from the match after the next check).
void karte(i32 wettbewerb, i32 spieler, i32 team, u32 flags) {
    u8* e = zaehler_eintrag(wettbewerb, spieler, true);
    if (!e) return;
    auto r = bytes::aus_bild<spiele_satz::Zaehler>(e);
    auto z = [&r](i32 art) -> u8& { return r.art(art); };
    if (flags & SFE_GELB) {
        const i32 n = (z(ZAEHLER_GELB) & 127) + 1;
        const bool sperre = Wettbewerb_Gelbsperre(wettbewerb, n);
        z(ZAEHLER_SPERRE) = sperre ? static_cast<u8>(SPERRE_GELB | 1) : z(ZAEHLER_SPERRE);
        z(ZAEHLER_GELB) = static_cast<u8>(std::min(n, 127) | GELB_LETZTES_SPIEL);
    } else if (flags & SFE_GELBROT) {
        status_setzen(spieler, STATUS_SPIELT, STATUS_GESPERRT_GELBROT);
        z(ZAEHLER_SPERRE) = SPERRE_GELBROT | 1;
        z(ZAEHLER_GELBROT) = plus_eins(z(ZAEHLER_GELBROT));
        z(ZAEHLER_GELB) |= GELB_LETZTES_SPIEL;
    } else if (flags & SFE_ROT) {
        i32 spiele = Rnd_Basis(2, 6);
        if (Team_Hat_Manager(team)) spiele = std::clamp(spiele - Rnd_Basis(1, 3), 2, 8);
        status_setzen(spieler, STATUS_SPIELT, STATUS_GESPERRT_ROT);
        z(ZAEHLER_SPERRE) = static_cast<u8>(SPERRE_ROT | spiele);
        z(ZAEHLER_ROT) = plus_eins(z(ZAEHLER_ROT));
        z(ZAEHLER_GELB) |= GELB_LETZTES_SPIEL;
    }
    bytes::in_bild(e, r);
}

i32 ergebnis(i32 tore, i32 gegentore) { return tore > gegentore ? 1 : tore == gegentore ? 0 : 2; }

}  // namespace

bool Spiele_Ereignisse_Reservieren(i32 handle) {
    Spiel* s = Spiele_Get_Spiel(handle, true);
    if (!s || ruf::Client()) return false;
    if (s->erstes_ereignis) return true;
    const u32 erster = Spiele_Ereignis_Block(EREIGNISSE_PRO_SPIEL);
    if (!erster) return false;
    s->erstes_ereignis = erster;
    s->ereignis_anzahl = 0;
    return true;
}

i32 Spiele_Ereignis_Eintragen(i32 handle, u32 flags, i32 minute, i32 spieler, i32 spieler2) {
    Spiel* s = Spiele_Get_Spiel(handle, true);
    if (!s) return -1;
    if (!s->erstes_ereignis) {
        Debug_Printf("Ereignis Speicher für dieses Spiel nicht vorbereitet");
        return -1;
    }
    const bool fuer_a = (flags & SFE_TEAM_A) != 0;
    if (flags & SFE_TOR) {
        i8& tore = fuer_a ? s->tore_a : s->tore_b;
        if (s->tore_a < 0) s->tore_a = 0;
        if (s->tore_b < 0) s->tore_b = 0;
        if (tore < 127) ++tore;
        Spiele_Tabellen_Cache_Leeren_Plan(Wettbewerb_Get_Spielplan(s->wettbewerb));
    }
    if (s->ereignis_anzahl >= EREIGNISSE_PRO_SPIEL) {
        Debug_Printf("Ereignis-Array Überlauf");
        return s->ereignis_anzahl;
    }
    u8* e = Spiele_Ereignis(s->erstes_ereignis + s->ereignis_anzahl);
    if (!e) return s->ereignis_anzahl;
    bytes::in_bild(e, spiele_satz::Ereignis{static_cast<i16>(spieler), static_cast<i16>(spieler2), flags,
                                            static_cast<u8>(std::clamp<i32>(minute < 0 ? s->minute : minute, 0, 255))});
    if (flags & (SFE_GELB | SFE_GELBROT | SFE_ROT))
        karte(s->wettbewerb, spieler, fuer_a ? s->team_a : s->team_b, flags);
    return ++s->ereignis_anzahl;
}

void Spiele_Set_Wettbewerb_Ereignis(i32 wettbewerb, i32 spieler, i32 art, i32 wert) {
    if (ruf::Client() || art < ZAEHLER_GELB || art > ZAEHLER_SPERRE) return;
    u8* e = zaehler_eintrag(wettbewerb, spieler, true);
    if (!e) return;
    auto r = bytes::aus_bild<spiele_satz::Zaehler>(e);
    u8& z = r.art(art);
    z = wert < 0 ? plus_eins(z) : static_cast<u8>(std::min(wert, 255));
    bytes::in_bild(e, r);
}

namespace {
constexpr u32 HOL_BLOCK = 100;  // keys one answer of call 1042 covers
std::set<u32> geholte_bloecke;  // a client's blocks fetched since its cache reset
}  // namespace

bool Spiele_Hole_Wettbewerb_Ereignisse(u32 schluessel) {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW);
    if (!ruf::Client() || !s || schluessel == 0 || Spieler_Anzahl <= 0) return false;
    const auto antwort = ruf::Rufen(RUF_WETTBEWERB_EREIGNISSE, schluessel);
    if (!antwort) return false;
    const auto& [daten, anzahl] = *antwort;
    constexpr size_t ZEILE = bytes::groesse<spiele_satz::Zaehler_Zeile>();
    if (anzahl < 0 || static_cast<u32>(anzahl) > HOL_BLOCK || daten.size() != static_cast<size_t>(anzahl) * ZEILE)
        return false;
    // Every entry must name a competition number and a player of this world
    // and lie in the asked block; otherwise none is taken.
    const u64 n = static_cast<u64>(Spieler_Anzahl);
    std::vector<spiele_satz::Zaehler> neu;
    for (i32 i = 0; i < anzahl; ++i) {
        const auto z = bytes::aus_bild<spiele_satz::Zaehler_Zeile>(daten.data() + ZEILE * static_cast<size_t>(i));
        const u64 k = u64{z.basis} * n + z.spieler + 1;
        if (z.spieler >= n || k < schluessel || k >= u64{schluessel} + HOL_BLOCK) return false;
        spiele_satz::Zaehler e{static_cast<u32>(k), {}};
        std::copy(std::begin(z.zaehler), std::end(z.zaehler), e.zaehler);
        neu.push_back(e);
    }
    // The block as the server has it now: old entries of the block go.
    for (u32 i = s->Anzahl(); i-- > 0;) {
        const u32 k = schluessel_von(s, i);
        if (k >= schluessel && k < schluessel + HOL_BLOCK) s->Loeschen(i);
    }
    for (const spiele_satz::Zaehler& z : neu)
        if (u8* e = s->Holen(z.schluessel)) bytes::in_bild(e, z);
    return true;
}

void Spiele_Wettbewerb_Ereignisse_Vergessen() { geholte_bloecke.clear(); }

i32 Spiele_Get_Wettbewerb_Ereignis(i32 wettbewerb, i32 art, i32 spieler) {
    if (art < ZAEHLER_GELB || art > ZAEHLER_SPERRE || !ist_spieler(spieler)) return -1;
    u32 k = 0;
    if (ruf::Client() && Spiele_Schluessel_Spieler(Wettbewerb_Get_Basis_Id(wettbewerb), spieler, &k)) {
        // A client asks the server once for the block of keys that holds it.
        const u32 block = (k - 1) / HOL_BLOCK * HOL_BLOCK + 1;
        if (geholte_bloecke.insert(block).second && !Spiele_Hole_Wettbewerb_Ereignisse(block))
            geholte_bloecke.erase(block);
    }
    const u8* e = zaehler_eintrag(wettbewerb, spieler, false);
    return e ? bytes::aus_bild<spiele_satz::Zaehler>(e).art(art) : 0;
}

void Spiele_Loesche_Wettbewerb_Ereignis(i32 basis) {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW);
    if (!s || ruf::Client()) return;
    if (basis < 0) {
        s->Leeren();
        return;
    }
    // A competition's counters are the keys basis * players + 1 up to
    // (basis + 1) * players, one run of the sorted store.
    const u64 n = static_cast<u64>(std::max(Spieler_Anzahl, 1));
    const u64 von = static_cast<u64>(basis) * n + 1;
    if (von <= UINT32_MAX) s->Loeschen_Bereich(static_cast<u32>(von), von + n);
}

bool Wettbewerb_Gelbsperre(i32 wettbewerb, i32 karten) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(wettbewerb);
    if (!w || w->erste_gelbsperre == 0) return false;
    const i32 erste = w->erste_gelbsperre, intervall = std::max<i32>(w->intervall_gelbsperre, 1);
    return karten >= erste && (karten - erste) % intervall == 0;
}

void Spiele_Setze_Eingesetzte_Spieler_Vor_Spiel(i32 wettbewerb, i32 team) {
    if (ruf::Client() || !ist_team(team)) return;
    i32 spieler[SPIELER_PRO_TEAM];
    const int n = Teamspieler_Ins_Array(team, spieler, SPIELER_PRO_TEAM, AUFSTELLUNG_STARTELF);
    for (int i = 0; i < n; ++i) Spiele_Set_Wettbewerb_Ereignis(wettbewerb, spieler[i], ZAEHLER_EINSAETZE, -1);
}

void Spiele_Setze_Sperren_Spieler_Vor_Spiel(i32 wettbewerb, i32 team, bool zaehlt) {
    if (ruf::Client() || !ist_team(team)) return;
    i32 spieler[SPIELER_PRO_TEAM];
    const int n = Teamspieler_Ins_Array(team, spieler, SPIELER_PRO_TEAM, ALLE_SPIELER);
    for (int i = 0; i < n; ++i) {
        const i32 p = spieler[i];
        u8* e = zaehler_eintrag(wettbewerb, p, false);
        auto r = e ? bytes::aus_bild<spiele_satz::Zaehler>(e) : spiele_satz::Zaehler{};
        const i32 gelb = r.art(ZAEHLER_GELB) & 127;
        status_setzen(p, STATUS_GELB_GEFAEHRDET | STATUS_GESPERRT_GELB | STATUS_GESPERRT_GELBROT | STATUS_GESPERRT_ROT,
                      Wettbewerb_Gelbsperre(wettbewerb, gelb + 1) ? STATUS_GELB_GEFAEHRDET : 0);
        if (!e) continue;
        u8& sperre = r.art(ZAEHLER_SPERRE);
        u8& karten = r.art(ZAEHLER_GELB);
        if (sperre) {
            const u8 art = sperre & (SPERRE_GELB | SPERRE_GELBROT | SPERRE_ROT);
            i32 spiele = sperre & SPERRE_SPIELE;
            if (zaehlt && !(karten & GELB_LETZTES_SPIEL)) spiele = std::clamp(spiele, 1, 10) - 1;
            const u32 bit = (art & SPERRE_GELB)      ? STATUS_GESPERRT_GELB
                            : (art & SPERRE_GELBROT) ? STATUS_GESPERRT_GELBROT
                            : (art & SPERRE_ROT)     ? STATUS_GESPERRT_ROT
                                                     : STATUS_GESPERRT_SONST;
            if (spiele > 0) {
                status_setzen(p, 0, bit);
                sperre = static_cast<u8>(art | spiele);
            } else {
                sperre = 0;
            }
        }
        if (zaehlt) karten &= static_cast<u8>(~GELB_LETZTES_SPIEL);
        bytes::in_bild(e, r);
    }
}

void Spiele_Set_Ewige_Tabelle(i32 wettbewerb, i32 team, i32 punkte, i32 tore, i32 gegentore, i32 erg, i32 ort) {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EWIG);
    u32 k = 0;
    if (ruf::Client() || !s || ort < 0 || ort > 1 || !Spiele_Schluessel_Ewig(Wettbewerb_Get_Basis_Id(wettbewerb), team, &k))
        return;
    u8* e = s->Holen(k);
    if (!e) return;
    auto r = bytes::aus_bild<spiele_satz::Ewig>(e);
    auto feld = [&](int paar) -> u16& { return r.wert[paar][ort]; };
    u16_addieren(feld(0), punkte);
    u16_addieren(feld(1), tore);
    u16_addieren(feld(2), gegentore);
    u16_addieren(feld(erg == 1 ? 3 : erg == 0 ? 4 : 5), 1);
    bytes::in_bild(e, r);
}

bool Spiele_Get_Ewige_Tabelle(i32 wettbewerb, i32 team, u32 aus[6], i32 art) {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EWIG);
    u32 k = 0;
    if (!s || !aus || art < 0 || art > 2 || !Spiele_Schluessel_Ewig(Wettbewerb_Get_Basis_Id(wettbewerb), team, &k))
        return false;
    const i32 i = s->Finden(k);
    if (i < 0) return false;
    const auto r = bytes::aus_bild<spiele_satz::Ewig>(s->Eintrag(static_cast<u32>(i)));
    for (int paar = 0; paar < 6; ++paar) {
        const u32 heim = r.wert[paar][0], gast = r.wert[paar][1];
        aus[paar] = art == 0 ? heim : art == 1 ? gast : heim + gast;
    }
    return true;
}

void Spiele_Set_Serien(i32 wettbewerb, i32 team, i32 tore, i32 gegentore, i32 ort) {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_SERIEN);
    const i32 basis = wettbewerb == -1 ? SPIELE_ALLE_WETTBEWERBE : Wettbewerb_Get_Basis_Id(wettbewerb);
    u32 k = 0;
    if (ruf::Client() || !s || ort < 0 || ort > 1 || !Spiele_Schluessel_Serien(basis, team, &k)) return;
    u8* e = s->Holen(k);
    if (!e) return;
    auto satz = bytes::aus_bild<spiele_satz::Serien>(e);
    // Stored order: no goal scored, no goal conceded, defeats, wins, draws,
    // no win, unbeaten.
    const bool gilt[7] = {tore == 0,         gegentore == 0,    tore<gegentore, tore> gegentore,
                          tore == gegentore, tore <= gegentore, tore >= gegentore};
    for (int r = 0; r < 7; ++r)
        for (int spalte : {ort, 2}) {
            u8& z = satz.reihe[r][spalte];
            z = gilt[r] ? plus_eins(z) : 0;
        }
    bytes::in_bild(e, satz);
}

void Spiele_Set_Spiele_Gegen(i32 wettbewerb, i32 heim, i32 gast, i32 tore_heim, i32 tore_gast) {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_DIREKT);
    u32 k = 0;
    if (ruf::Client() || !s || !Spiele_Schluessel_Direkt(Wettbewerb_Get_Basis_Id(wettbewerb), heim, gast, &k)) return;
    const bool neu = s->Finden(k) < 0;
    u8* e = s->Holen(k);
    if (!e) return;
    auto r = bytes::aus_bild<spiele_satz::Direkt>(e);
    u8* letzte = r.letzte;
    if (neu) std::fill(letzte, letzte + LETZTE_ERGEBNISSE, KEIN_ERGEBNIS);
    u8& zaehler = r.ergebnis[tore_heim > tore_gast ? 0 : tore_heim == tore_gast ? 1 : 2];
    zaehler = plus_eins(zaehler);
    std::copy_backward(letzte, letzte + LETZTE_ERGEBNISSE - 1, letzte + LETZTE_ERGEBNISSE);
    letzte[0] =
        static_cast<u8>(std::clamp(tore_heim, 0, TORE_IM_VERLAUF) + 16 * std::clamp(tore_gast, 0, TORE_IM_VERLAUF));
    bytes::in_bild(e, r);
}

void Spiele_Set_Wettbewerb_Sieger(i32 wettbewerb, i32 sieger, i32 jahr, i32 zweiter, i32 tore_hoch, i32 tore_tief) {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_SIEGER);
    u32 k = 0;
    if (ruf::Client() || !s || !ist_team(sieger) || !Spiele_Schluessel_Sieger(Wettbewerb_Get_Basis_Id(wettbewerb), jahr, &k))
        return;
    u8* e = s->Holen(k);
    if (!e) return;
    bytes::in_bild(e,
                   spiele_satz::Sieger{k, static_cast<u16>(sieger), static_cast<i16>(ist_team(zweiter) ? zweiter : -1),
                                       static_cast<u8>(std::clamp(tore_hoch, 0, 255)),
                                       static_cast<u8>(std::clamp(tore_tief, 0, 255))});
}

void Spiele_Set_Nachspiel_Statistik(i32 handle) {
    const Spiel* s = Spiele_Get_Spiel(handle, true);
    if (ruf::Client() || !s || s->tore_a < 0 || s->tore_b < 0 || !ist_team(s->team_a) || !ist_team(s->team_b)) return;
    const i32 id = s->wettbewerb;
    if (Wettbewerb_Ist_Freundschaftsspiele(id)) return;
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    const i32 sieg = w && (w->modus & WB_ENGLISCHE_TABELLE) ? 3 : 2;
    const i32 a = s->team_a, b = s->team_b, ta = s->tore_a, tb = s->tore_b;
    const i32 ea = ergebnis(ta, tb), eb = ergebnis(tb, ta);
    auto punkte = [sieg](i32 e) { return e == 1 ? sieg : e == 0 ? 1 : 0; };
    Spiele_Set_Ewige_Tabelle(id, a, punkte(ea), ta, tb, ea, 0);
    Spiele_Set_Ewige_Tabelle(id, b, punkte(eb), tb, ta, eb, 1);
    for (i32 c : {id, -1}) {
        Spiele_Set_Serien(c, a, ta, tb, 0);
        Spiele_Set_Serien(c, b, tb, ta, 1);
    }
    Spiele_Set_Spiele_Gegen(id, a, b, ta, tb);
}

i32 Spiele_Spieler_Statistik(i32 statistik, i32 wettbewerb, i32, i32 spieler) {
    switch (statistik) {
        case STATISTIK_GELB:
            return std::max(Spiele_Get_Wettbewerb_Ereignis(wettbewerb, ZAEHLER_GELB, spieler), 0) & 127;
        case STATISTIK_GELBROT:
            return std::max(Spiele_Get_Wettbewerb_Ereignis(wettbewerb, ZAEHLER_GELBROT, spieler), 0);
        case STATISTIK_ROT: return std::max(Spiele_Get_Wettbewerb_Ereignis(wettbewerb, ZAEHLER_ROT, spieler), 0);
        case STATISTIK_TORE:
        case STATISTIK_VORLAGEN:
        case STATISTIK_SCORER: break;
        default: return 0;
    }
    const i32 plan = Wettbewerb_Get_Spielplan(wettbewerb);
    const Spielplan_Kopf* kopf = Spiele_Get_Kopf(plan);
    const Spiel* spiele = Spiele_Get_Spiele(plan);
    if (!kopf || !spiele || spieler < 0) return 0;
    i32 tore = 0, vorlagen = 0;
    for (u32 i = 0; i < kopf->spiele; ++i) {
        const Spiel& s = spiele[i];
        bool schiessen = false;  // the shoot-out has begun: its kicks are no player's goals
        for (u32 e = 0; s.erstes_ereignis && e < std::min<u32>(s.ereignis_anzahl, EREIGNISSE_PRO_SPIEL); ++e) {
            const u8* bild = Spiele_Ereignis(s.erstes_ereignis + e);
            if (!bild) continue;
            const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
            if (r.flags & SFE_ELFMETERSCHIESSEN) schiessen = true;
            // An own goal is the other side's, not its scorer's.
            if (!(r.flags & SFE_TOR) || (r.flags & SFE_EIGENTOR) || schiessen) continue;
            tore += r.spieler == spieler;
            vorlagen += r.spieler2 == spieler;
        }
    }
    return statistik == STATISTIK_TORE ? tore : statistik == STATISTIK_VORLAGEN ? vorlagen : tore + vorlagen;
}

void Spiele_Ereignisse_Bereit(const Spiel& s) {
    if (ruf::Client() && s.erstes_ereignis && s.ereignis_anzahl)
        Spiele_Ereignisse_Holen(s.erstes_ereignis, std::min<u32>(s.ereignis_anzahl, EREIGNISSE_PRO_SPIEL));
}

bool Spiele_Get_Tore_Zeitraum(i32 handle, i32 von, i32 bis, i32* tore_a, i32* tore_b) {
    const Spiel* s = Spiele_Get_Spiel(handle, true);
    if (!s) return false;
    Spiele_Ereignisse_Bereit(*s);
    i32 a = 0, b = 0;
    for (u32 e = 0; s->erstes_ereignis && e < std::min<u32>(s->ereignis_anzahl, EREIGNISSE_PRO_SPIEL); ++e) {
        const u8* bild = Spiele_Ereignis(s->erstes_ereignis + e);
        if (!bild) break;
        const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
        const u32 flags = r.flags;
        const i32 minute = r.minute;
        if (!(flags & SFE_TOR) || (von >= 0 && minute < von) || (bis >= 0 && minute > bis)) continue;
        ++((flags & SFE_TEAM_A) ? a : b);
    }
    if (tore_a) *tore_a = a;
    if (tore_b) *tore_b = b;
    return true;
}

bool Spiele_Get_Spiel_Zeitraum(i32 handle, i32 von, i32 bis, Spiel* aus) {
    const Spiel* s = Spiele_Get_Spiel(handle, true);
    if (!s || !aus) return false;
    *aus = *s;
    if (s->tore_a < 0) {
        aus->tore_a = -1;
        aus->tore_b = 0;
        return true;
    }
    i32 a = 0, b = 0;
    Spiele_Get_Tore_Zeitraum(handle, von, bis, &a, &b);
    aus->tore_a = static_cast<i8>(std::min(a, 127));
    aus->tore_b = static_cast<i8>(std::min(b, 127));
    return true;
}

bool Spiele_Ereignis_Iterator::Erstes(i32 handle, Spiele_Ereignis_Daten* aus) {
    handle_ = handle;
    naechstes_ = 0;
    if (const Spiel* s = handle ? Spiele_Get_Spiel(handle, true) : nullptr) Spiele_Ereignisse_Bereit(*s);
    return Naechstes(aus);
}

bool Spiele_Ereignis_Iterator::Naechstes(Spiele_Ereignis_Daten* aus) {
    // The game is read afresh each step: a moved or shrunk block ends the walk.
    const Spiel* s = handle_ ? Spiele_Get_Spiel(handle_, true) : nullptr;
    if (!s || !s->erstes_ereignis || naechstes_ >= std::min<u32>(s->ereignis_anzahl, EREIGNISSE_PRO_SPIEL)) return false;
    const u8* bild = Spiele_Ereignis(s->erstes_ereignis + naechstes_);
    if (!bild) return false;
    ++naechstes_;
    if (aus) {
        const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
        aus->spieler = r.spieler;
        aus->spieler2 = r.spieler2;
        aus->flags = r.flags;
        aus->minute = r.minute;
    }
    return true;
}

namespace {
Spiele_Ereignis_Iterator ereignis_iterator;
}

bool Spiele_Erstes_Ereignis(i32 handle, Spiele_Ereignis_Daten* aus) { return ereignis_iterator.Erstes(handle, aus); }
bool Spiele_Naechstes_Ereignis(Spiele_Ereignis_Daten* aus) { return ereignis_iterator.Naechstes(aus); }

i32 Spiele_Check_Wettbewerb_Ereignis() {
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW);
    if (!s) return 0;
    if (ruf::Client()) {
        Debug_Printf("Cl: Spiele Check_Wettbewerb_Ereignis\n");
        return 0;
    }
    // An entry whose key is not above the one before breaks the step search.
    i32 weg = 0;
    for (u32 i = 1; i < s->Anzahl();) {
        if (schluessel_von(s, i) <= schluessel_von(s, i - 1)) {
            s->Loeschen(i);
            ++weg;
        } else {
            ++i;
        }
    }
    return weg;
}

int Spiele_Get_Wettbewerb_Sieger_Array(i32 wettbewerb, i32 bis, i32* sieger, i32* jahre, int max) {
    int n = 0;
    for (i32 jahr = 0; jahr <= bis && n < max; ++jahr) {
        const i32 t = Spiele_Get_Wettbewerb_Sieger(wettbewerb, jahr, nullptr, nullptr, nullptr);
        if (t < 0) continue;
        if (sieger) sieger[n] = t;
        if (jahre) jahre[n] = jahr;
        ++n;
    }
    return n;
}
