// A team's (or player's) match statistics over competitions: results, goals
// and chances by minute, who scored first, comebacks, minutes since the last
// goal (the 842-word record of Spiele_Get_Team_Statistik).
#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

#include "base/debug.h"
#include "base/ruf.h"
#include "season/ereignisse.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/netz_rufe.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "world/welt.h"

namespace {

// Words of the record.
enum Wort : int {
    TORE_MINUTE = 0,
    CHANCEN_MINUTE = 200,
    GEGENTORE_MINUTE = 400,
    GEGNER_CHANCEN_MINUTE = 600,
    TORE = 800,
    CHANCEN = 801,
    GEGENTORE = 802,
    GEGNER_CHANCEN = 803,
    SPIELE = 804,
    SIEGE = 805,
    UNENTSCHIEDEN = 806,
    NIEDERLAGEN = 807,
    MIT_TOREN = 808,
    MIT_GEGENTOREN = 818,
    SPIELE_VOR_SIEG = 828,
    POSITION_SIEG = 829,
    SPIELE_VOR_NIEDERLAGE = 830,
    POSITION_NIEDERLAGE = 831,
    ERSTES_TOR = 832,
    POSITION_ERSTES_TOR = 833,
    ERSTES_GEGENTOR = 834,
    POSITION_ERSTES_GEGENTOR = 835,
    SIEG_NACH_RUECKSTAND = 836,
    POSITION_SIEG_NACH_RUECKSTAND = 837,
    NIEDERLAGE_NACH_FUEHRUNG = 838,
    POSITION_NIEDERLAGE_NACH_FUEHRUNG = 839,
    MINUTEN_OHNE_TOR = 840,
    MINUTEN_OHNE_GEGENTOR = 841,
};
constexpr u32 MINUTEN = 200;
constexpr u8 NACH_VERLAENGERUNG = 2;  // result flag: the game went beyond regular time
constexpr u32 KEINE = 0xFFFFFFFFu;

// The plans of a competition: its base competition's rounds and groups.
void plaene_sammeln(i32 id, std::vector<bool>& gesehen, std::vector<i32>& aus) {
    const i32 basis = Wettbewerb_Get_Index(Wettbewerb_Get_Basis_Id(id));
    std::vector<i32> offen{basis};
    while (!offen.empty()) {
        const i32 i = offen.back();
        offen.pop_back();
        if (i < 0 || i >= WETTBEWERB_ANZAHL || gesehen[static_cast<size_t>(i)] || !Wettbewerb_Tabelle[i].name[0])
            continue;
        gesehen[static_cast<size_t>(i)] = true;
        aus.push_back(i);
        offen.push_back(Wettbewerb_Tabelle[i].naechste_gruppe);
        offen.push_back(Wettbewerb_Tabelle[i].naechste_runde);
    }
}

class Zaehlung {
  public:
    Zaehlung(const Statistik_Argumente& a, u32* e, bool positionen) : a_(a), e_(e), positionen_(positionen) {}

    void plan(const Wettbewerb& w) {
        const Spielplan_Kopf* kopf = Spiele_Get_Kopf(w.spielplan);
        const Spiel* spiele = Spiele_Get_Spiele(w.spielplan);
        if (!kopf || !spiele) return;
        const bool minuten = w.halbzeiten == 2 && w.halbzeit_laenge == 45;
        for (u32 i = kopf->spiele; i-- > 0;) spiel(spiele[i], i, minuten);
    }

  private:
    bool nimmt(const Spiel& s, bool* seite_a) const {
        if (s.minute <= 0 || s.team_a < 0 || s.tore_a < 0) return false;
        if ((a_.erster_spieltag >= 0 && s.spieltag < a_.erster_spieltag) ||
            (a_.letzter_spieltag >= 0 && s.spieltag > a_.letzter_spieltag) || (a_.runde >= 0 && s.runde != a_.runde))
            return false;
        *seite_a = true;
        if (a_.team < 0) return true;
        const bool heim_ok = a_.ort == 0 || (a_.ort & 1), aus_ok = a_.ort == 0 || (a_.ort & 2);
        if (s.team_a == a_.team && heim_ok) return true;
        *seite_a = false;
        return s.team_b == a_.team && aus_ok;
    }

    void spiel(const Spiel& s, u32 position, bool minuten) {
        bool seite_a = true;
        if (!nimmt(s, &seite_a)) return;
        ++e_[SPIELE];
        const i32 eigene = seite_a ? s.tore_a : s.tore_b, gegner = seite_a ? s.tore_b : s.tore_a;
        // The game's events, last first, then first to last.
        std::vector<spiele_satz::Ereignis> ereignisse;
        for (u32 k = 0; s.erstes_ereignis && k < std::min<u32>(s.ereignis_anzahl, EREIGNISSE_PRO_SPIEL); ++k)
            if (const u8* bild = Spiele_Ereignis(s.erstes_ereignis + k))
                ereignisse.push_back(bytes::aus_bild<spiele_satz::Ereignis>(bild));
        bool eigenes_tor = false, gegentor = false;
        for (auto it = ereignisse.rbegin(); it != ereignisse.rend(); ++it) {
            const spiele_satz::Ereignis& r = *it;
            if (a_.spieler >= 0 && r.spieler != a_.spieler) continue;
            const u32 flags = r.flags;
            const u32 minute = r.minute;
            const bool unseres = ((flags & SFE_TEAM_A) != 0) == seite_a;
            if (flags & SFE_CHANCE) {
                ++e_[unseres ? CHANCEN : GEGNER_CHANCEN];
                if (minuten && minute < MINUTEN) ++e_[(unseres ? CHANCEN_MINUTE : GEGNER_CHANCEN_MINUTE) + minute];
            }
            if (!(flags & SFE_TOR)) continue;
            ++e_[unseres ? TORE : GEGENTORE];
            if (minuten && minute < MINUTEN) ++e_[(unseres ? TORE_MINUTE : GEGENTORE_MINUTE) + minute];
            bool& gefunden = unseres ? tor_gefunden_ : gegentor_gefunden_;
            if (!gefunden)
                e_[unseres ? MINUTEN_OHNE_TOR : MINUTEN_OHNE_GEGENTOR] += std::max<u32>(s.minute, minute) - minute;
            gefunden = true;
            (unseres ? eigenes_tor : gegentor) = true;
        }
        if (!eigenes_tor && !tor_gefunden_) e_[MINUTEN_OHNE_TOR] += s.minute;
        if (!gegentor && !gegentor_gefunden_) e_[MINUTEN_OHNE_GEGENTOR] += s.minute;
        // Who scored first, and whether the team was ever behind or ahead.
        i32 wir = 0, die = 0;
        bool zurueck = false, vorn = false, erstes = true;
        for (const spiele_satz::Ereignis& r : ereignisse) {
            const u32 flags = r.flags;
            if (!(flags & SFE_TOR)) continue;
            const bool unseres = ((flags & SFE_TEAM_A) != 0) == seite_a;
            if (erstes) zaehlen(unseres ? ERSTES_TOR : ERSTES_GEGENTOR, position);
            erstes = false;
            ++(unseres ? wir : die);
            zurueck |= wir < die;
            vorn |= wir > die;
        }
        if (!(s.flags & NACH_VERLAENGERUNG)) {
            if (eigene < 10) ++e_[MIT_TOREN + eigene];
            if (gegner < 10) ++e_[MIT_GEGENTOREN + gegner];
        }
        if (eigene > gegner) {
            ++e_[SIEGE];
            if (positionen_ && e_[SPIELE_VOR_SIEG] == KEINE) {
                e_[SPIELE_VOR_SIEG] = e_[SPIELE] - 1;
                e_[POSITION_SIEG] = position;
            }
            if (zurueck) zaehlen(SIEG_NACH_RUECKSTAND, position);
        } else if (eigene < gegner) {
            ++e_[NIEDERLAGEN];
            if (positionen_ && e_[SPIELE_VOR_NIEDERLAGE] == KEINE) {
                e_[SPIELE_VOR_NIEDERLAGE] = e_[SPIELE] - 1;
                e_[POSITION_NIEDERLAGE] = position;
            }
            if (vorn) zaehlen(NIEDERLAGE_NACH_FUEHRUNG, position);
        } else {
            ++e_[UNENTSCHIEDEN];
        }
    }

    // A counter and, the first time, the game's position in its plan.
    void zaehlen(int wort, u32 position) {
        ++e_[wort];
        if (positionen_ && e_[wort + 1] == KEINE) e_[wort + 1] = position;
    }

    const Statistik_Argumente& a_;
    u32* e_;
    bool positionen_;
    bool tor_gefunden_ = false, gegentor_gefunden_ = false;
};

}  // namespace

bool Spiele_Team_Statistik_Holen(const Statistik_Argumente& a, u32* e) {
    const auto antwort = ruf::Rufen(RUF_SPIELE_STATISTIK, a.team, a.spieler, a.wettbewerb, a.erster_spieltag,
                                    a.letzter_spieltag, a.runde, a.ort);
    if (!antwort || std::get<1>(*antwort).size() != 4u * STATISTIK_WORTE) return false;
    const std::vector<u8>& bild = std::get<1>(*antwort);
    for (int i = 0; i < STATISTIK_WORTE; ++i) e[i] = get_u32le(bild.data() + 4 * i);
    return std::get<0>(*antwort) != 0;
}

bool Spiele_Team_Statistik_Bauen(const Statistik_Argumente& a, u32* e) {
    if (!Wettbewerb_Tabelle || !Spiele_Bereit()) return false;
    std::vector<bool> gesehen(WETTBEWERB_ANZAHL, false);
    std::vector<i32> wettbewerbe;
    if (a.wettbewerb >= 0) {
        plaene_sammeln(a.wettbewerb, gesehen, wettbewerbe);
    } else {
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
            if (Wettbewerb_Tabelle[i].name[0] && Wettbewerb_Tabelle[i].kalendermarke >= 0)
                plaene_sammeln(Wettbewerb_Tabelle[i].id, gesehen, wettbewerbe);
    }
    Zaehlung z(a, e, a.wettbewerb >= 0);
    for (i32 i : wettbewerbe) z.plan(Wettbewerb_Tabelle[i]);
    return e[SPIELE] > 0;
}

bool Spiele_Get_Statistik(bool spieler_modus, const i32* wettbewerbe, int wettbewerb_anzahl, const u32* selektoren,
                          int selektor_anzahl, i32 erster_spieltag, i32 letzter_spieltag, i32 erste_minute,
                          i32 letzte_minute, u32* aus, u32 seite) {
    if (selektor_anzahl < 1 || selektor_anzahl > STATISTIK_MAX_SELEKTOREN || !selektoren || !aus) {
        Debug_Printf("Spiele_Get_Statistik: %d Selektoren (erlaubt 1 bis %d)\n", selektor_anzahl,
                     STATISTIK_MAX_SELEKTOREN);
        return false;
    }
    const i32 zeilen = spieler_modus ? Spieler_Anzahl : Team_Anzahl;
    if (zeilen <= 0) return false;
    std::fill(aus, aus + static_cast<size_t>(zeilen) * static_cast<size_t>(selektor_anzahl), 0u);
    if (!Wettbewerb_Tabelle || !Spiele_Bereit() || !wettbewerbe) return true;
    auto zaehle = [&](int s, i32 wer, u32 dazu) {
        if (wer >= 0 && wer < zeilen)
            aus[static_cast<size_t>(s) * static_cast<size_t>(zeilen) + static_cast<size_t>(wer)] += dazu;
    };
    std::vector<bool> gesehen(WETTBEWERB_ANZAHL, false);
    std::vector<i32> plaene;
    for (int k = 0; k < wettbewerb_anzahl; ++k) plaene_sammeln(wettbewerbe[k], gesehen, plaene);
    for (i32 i : plaene) {
        const Spielplan_Kopf* kopf = Spiele_Get_Kopf(Wettbewerb_Tabelle[i].spielplan);
        const Spiel* spiele = Spiele_Get_Spiele(Wettbewerb_Tabelle[i].spielplan);
        for (u32 g = 0; kopf && spiele && g < kopf->spiele; ++g) {
            const Spiel& sp = spiele[g];
            if (sp.tore_a < 0 || (erster_spieltag >= 0 && sp.spieltag < erster_spieltag) ||
                (letzter_spieltag >= 0 && sp.spieltag > letzter_spieltag))
                continue;
            for (int s = 0; s < selektor_anzahl; ++s) {
                const bool zweiter = selektoren[s] & STATISTIK_ZWEITER_SPIELER;
                u32 sel = selektoren[s] & 0x3FFFFFFFu;
                if (!spieler_modus) {
                    if (sel & STATISTIK_ZUSCHAUER) {
                        zaehle(s, sp.team_a, sp.zuschauer);
                        continue;
                    }
                    if (sel & STATISTIK_HEIMSPIELE) {
                        zaehle(s, sp.team_a, 1);
                        continue;
                    }
                    if (sel & STATISTIK_SPIELE) {
                        zaehle(s, sp.team_a, 1);
                        zaehle(s, sp.team_b, 1);
                        sel &= ~STATISTIK_SPIELE;
                        if (!sel) continue;
                    }
                }
                const bool gegner = !spieler_modus && (sel & STATISTIK_FUER_GEGNER);
                sel &= ~STATISTIK_FUER_GEGNER;
                bool schiessen = false;  // the shoot-out has begun
                for (u32 e = 0; sp.erstes_ereignis && e < std::min<u32>(sp.ereignis_anzahl, EREIGNISSE_PRO_SPIEL);
                     ++e) {
                    const u8* bild = Spiele_Ereignis(sp.erstes_ereignis + e);
                    if (!bild) continue;
                    const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
                    const u32 flags = r.flags;
                    if (flags & SFE_ELFMETERSCHIESSEN) schiessen = true;
                    // A player's goals are his own: an own goal counts for the
                    // other side, never for him; a shoot-out kick is no goal of his.
                    if (spieler_modus && (sel & SFE_TOR) && ((flags & SFE_EIGENTOR) || schiessen)) continue;
                    const i32 minute = r.minute;
                    const bool fuer_a = flags & SFE_TEAM_A;
                    if ((seite & 3) && !((fuer_a && (seite & 1)) || (!fuer_a && (seite & 2)))) continue;
                    if ((erste_minute >= 0 && minute < erste_minute) ||
                        (letzte_minute >= 0 && minute > letzte_minute) || (flags & sel) != sel)
                        continue;
                    if (spieler_modus) {
                        const i32 wer = zweiter ? r.spieler2 : r.spieler;
                        if (wer != -1 && wer != 32767) zaehle(s, wer, 1);
                    } else {
                        zaehle(s, fuer_a != gegner ? sp.team_a : sp.team_b, 1);
                    }
                }
            }
        }
    }
    return true;
}
