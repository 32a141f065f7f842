// In-match changes: tactical points, substitutions and tactic values, queued
// locally or in the command slots of a networked match; the substitutions
// carried out at a dead ball and the changes of computer sides.
#include <cstring>

#include "base/debug.h"
#include "match/anim.h"
#include "match/spielfeld_intern.h"
#include "world/aufstellung.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {
// Formation row r: 1200 + 520·r cm, tactical point 1342 + 753.3·r (the
// middle of the screen's row r); rounded to the nearest unit both ways.
constexpr i32 CM_REIHE_0 = 1200, CM_REIHE = 5200, TAKTIK_REIHE_0 = 1342, TAKTIK_REIHE = 7533;
i32 runden_teilen(i64 z, i64 n) { return static_cast<i32>(z >= 0 ? (z + n / 2) / n : -((-z + n / 2) / n)); }
}  // namespace

i32 Spielfeld_Taktik_Aus_Cm(i32 cm) {
    const i32 tx = TAKTIK_REIHE_0 + runden_teilen(static_cast<i64>(cm - CM_REIHE_0) * TAKTIK_REIHE, CM_REIHE);
    return tx < 1000 ? 1000 : (tx > 9800 ? 9800 : tx);
}

i32 Spielfeld_Cm_Aus_Taktik(i32 tx) {
    tx = tx < 1000 ? 1000 : (tx > 9800 ? 9800 : tx);
    return CM_REIHE_0 + runden_teilen(static_cast<i64>(tx - TAKTIK_REIHE_0) * CM_REIHE, TAKTIK_REIHE);
}

int Spielfeld_Faehigkeit(const Spielfeld_Daten* sf, int slot, int wert) {
    if (!sf || slot < 0 || slot >= SF_SPIELER) return 0;
    return engine::faehig(sf, slot, static_cast<u8>(wert < 0 ? 0 : (wert > 255 ? 255 : wert)));
}

i32 Spielfeld_Get_Taktikposition(const Spielfeld_Daten* sf, int slot, i32* y) {
    if (!sf || slot < 0 || slot >= SF_SPIELER) return -1;
    if (y) *y = sf->spieler[slot].taktik_y;
    return Spielfeld_Taktik_Aus_Cm(sf->spieler[slot].taktik_x);
}

i32 Spielfeld_Get_Taktikposition_Lokal(const Spielfeld_Daten* sf, int slot, i32* y) {
    // A pending command of this slot's side shows its point before it takes effect.
    if (!sf || slot < 0 || slot >= SF_SPIELER) return -1;
    int seite = sf_seite(slot);
    const Spielfeld_Kommando* letzt = nullptr;
    for (const auto& k : sf->kommando)
        if (k.belegt == 1 && k.seite == seite && (k.aenderung & SFA_POSITIONEN) &&
            k.punkte[slot - seite * SF_PRO_SEITE][0] >= 0 && (!letzt || k.nummer > letzt->nummer))
            letzt = &k;
    if (!letzt) return Spielfeld_Get_Taktikposition(sf, slot, y);
    if (y) *y = letzt->punkte[slot - seite * SF_PRO_SEITE][1];
    return letzt->punkte[slot - seite * SF_PRO_SEITE][0];
}

namespace {
// A command slot of the side for the network; null when all are used.
Spielfeld_Kommando* neues_kommando(Spielfeld_Daten* sf, int seite) {
    for (int i = 0; i < SF_KOMMANDOS_SEITE; ++i) {
        Spielfeld_Kommando& k = sf->kommando[seite * SF_KOMMANDOS_SEITE + i];
        if (k.belegt) continue;
        std::memset(&k, 0, sizeof k);
        k.belegt = 1;
        k.seite = static_cast<u8>(seite);
        k.minute = static_cast<u16>(sf->minute + SF_KOMMANDO_VERZUG);
        k.nummer = ++sf->seite[seite].kommando_nummer;
        std::memset(k.rein, 255, sizeof k.rein);
        std::memset(k.raus, 255, sizeof k.raus);
        for (auto& p : k.punkte) p[0] = p[1] = -1;
        std::memcpy(k.taktik, sf->seite[seite].netz_taktik, sizeof k.taktik);
        k.schalter = sf->seite[seite].netz_schalter;
        return &k;
    }
    Debug_Printf("Spielfeld: keine freie Befehlszeile fuer Seite %d\n", seite);
    return nullptr;
}
}  // namespace

bool Spielfeld_Set_Taktikposition(Spielfeld_Daten* sf, u32 team, int slot, i32 x, i32 y) {
    if (!sf || slot < 0 || slot >= SF_SPIELER) return false;
    int seite = team == sf->team[0] ? 0 : (team == sf->team[1] ? 1 : -1);
    if (seite < 0 || sf_seite(slot) != seite || sf->spieler[slot].spieler < 0) return false;
    x = x < 1000 ? 1000 : (x > 9800 ? 9800 : x);
    y = y < 400 ? 400 : (y > 6406 ? 6406 : y);
    sf->seite[seite].netz_aenderung |= SFA_POSITIONEN;
    if (sf->netz) {
        Spielfeld_Kommando* k = neues_kommando(sf, seite);
        if (!k) return false;
        k->aenderung = SFA_POSITIONEN;
        k->punkte[slot - seite * SF_PRO_SEITE][0] = static_cast<i16>(x);
        k->punkte[slot - seite * SF_PRO_SEITE][1] = static_cast<i16>(y);
        return true;
    }
    Spielfeld_Spieler& s = sf->spieler[slot];
    const i32 cm = Spielfeld_Cm_Aus_Taktik(x);
    s.taktik_x = static_cast<i16>(cm);
    s.taktik_y = static_cast<i16>(y);
    s.zone_x[0] = static_cast<i16>(cm - 1500 < 0 ? 0 : cm - 1500);
    s.zone_x[1] = static_cast<i16>(cm + 1500);
    s.zone_y[0] = static_cast<i16>(y - 1200 < 0 ? 0 : y - 1200);
    s.zone_y[1] = static_cast<i16>(y + 1200 > SF_BREITE ? SF_BREITE : y + 1200);
    engine::abzug_setzen(sf, slot);
    return true;
}

bool Spielfeld_Ist_In_Rollenliste_A(const Spielfeld_Daten* sf, int slot) {
    if (!sf) return false;
    for (const auto& s : sf->seite)
        for (u8 r : s.rein)
            if (r == slot) return true;
    return false;
}

bool Spielfeld_Ist_In_Rollenliste_B(const Spielfeld_Daten* sf, int slot) {
    if (!sf) return false;
    for (const auto& s : sf->seite)
        for (u8 r : s.raus)
            if (r == slot) return true;
    return false;
}

int Spielfeld_Wechsel_Eintragen(Spielfeld_Daten* sf, int seite, int rein, int raus) {
    if (!sf) return SFW_KEIN_SPIELFELD;
    if (seite < 0 || seite > 1) return SFW_SEITE;
    int basis = seite * SF_PRO_SEITE;
    if (rein < basis || rein >= basis + SF_PRO_SEITE ||
        (raus != 255 && (raus < basis || raus >= basis + SF_PRO_SEITE))) {
        Debug_Printf("Spielfeld_Wechsel: Slot %d/%d gehoert nicht zur Seite %d\n", rein, raus, seite);
        return SFW_SEITE;
    }
    const Spielfeld_Spieler& r = sf->spieler[rein];
    if (r.spieler < 0) return SFW_SLOT_LEER;
    if (!(r.status & SFS_BANK) || (r.status & (SFS_AUF_DEM_PLATZ | SFS_AUSGEWECHSELT | SFS_EINGEWECHSELT))) {
        Debug_Printf("Spielfeld_Wechsel: Slot %d sitzt nicht auf der Bank\n", rein);
        return SFW_NICHT_AUF_BANK;
    }
    if (raus != 255 && !sf_auf_platz(sf->spieler[raus])) {
        Debug_Printf("Spielfeld_Wechsel: Slot %d steht nicht auf dem Platz\n", raus);
        return SFW_NICHT_AUF_PLATZ;
    }
    Spielfeld_Seite& s = sf->seite[seite];
    int offen = 0, frei = -1;
    for (int i = 0; i < SF_WECHSEL_LISTE; i++) {
        if (s.rein[i] != 255) {
            offen++;
            if (s.rein[i] == rein || (raus != 255 && s.raus[i] == raus)) return SFW_SCHON_IN_LISTE;
        } else if (frei < 0) {
            frei = i;
        }
    }
    for (const auto& k : sf->kommando)
        if (k.belegt == 1 && k.seite == seite)
            for (int i = 0; i < SF_WECHSEL_LISTE; i++) {
                if (k.rein[i] != 255) offen++;
                if (k.rein[i] == rein || (raus != 255 && k.raus[i] == raus)) return SFW_SCHON_IN_LISTE;
            }
    if (s.wechsel_gemacht + offen >= s.wechsel_erlaubt) return SFW_KEINE_WECHSEL;
    if (frei < 0) return SFW_LISTE_VOLL;
    s.netz_aenderung |= SFA_WECHSEL;
    if (sf->netz) {
        Spielfeld_Kommando* k = neues_kommando(sf, seite);
        if (!k) return SFW_LISTE_VOLL;
        k->aenderung = SFA_WECHSEL;
        k->rein[0] = static_cast<u8>(rein);
        k->raus[0] = static_cast<u8>(raus);
        return SFW_OK;
    }
    s.rein[frei] = static_cast<u8>(rein);
    s.raus[frei] = static_cast<u8>(raus);
    s.wechsel_aenderung = 1;
    return SFW_OK;
}

bool Spielfeld_Set_Taktikwert(Spielfeld_Daten* sf, int seite, int index, int wert) {
    if (!sf || seite < 0 || seite > 1 || index < 0 || index >= TW_FREI) return false;
    if (wert < 0) wert = 0;
    if (wert > 100) wert = 100;
    Spielfeld_Seite& s = sf->seite[seite];
    i8 alt[10];
    std::memcpy(alt, s.netz_taktik, sizeof alt);
    s.netz_taktik[index] = static_cast<i8>(wert);
    s.netz_taktik[TW_WERT2_ABG] = static_cast<i8>((s.netz_taktik[TW_WERT2] + 50) / 2);
    s.netz_taktik[TW_WERT3_ABG] = static_cast<i8>((s.netz_taktik[TW_WERT3] + 50) / 2);
    s.netz_taktik[TW_WERT3_NULL] = s.netz_taktik[TW_WERT3] == 0;
    u8 flag = index == TW_WERT1 ? SFA_WERT1 : SFA_SCHALTER;
    if (index == TW_WERT3) flag |= SFA_NEU_BERECHNEN;
    s.netz_aenderung |= flag;
    if (sf->netz) {
        Spielfeld_Kommando* k = neues_kommando(sf, seite);
        if (!k) {
            std::memcpy(s.netz_taktik, alt, sizeof alt);
            return false;
        }
        k->aenderung = flag;
        std::memcpy(k->taktik, s.netz_taktik, sizeof k->taktik);
        return true;
    }
    std::memcpy(s.taktik, s.netz_taktik, sizeof s.taktik);
    if (flag & SFA_NEU_BERECHNEN) Engine_Taktik_Berechnen(sf, seite);
    return true;
}

bool Spielfeld_Set_Schalter(Spielfeld_Daten* sf, int seite, int wert) {
    if (!sf || seite < 0 || seite > 1) return false;
    Spielfeld_Seite& s = sf->seite[seite];
    const u8 alt = s.netz_schalter;
    s.netz_schalter = wert ? 1 : 0;
    s.netz_aenderung |= SFA_SCHALTER;
    if (sf->netz) {
        Spielfeld_Kommando* k = neues_kommando(sf, seite);
        if (!k) {
            s.netz_schalter = alt;
            return false;
        }
        k->aenderung = SFA_SCHALTER;
        return true;
    }
    s.schalter = s.netz_schalter;
    return true;
}

int Spielfeld_Positionsabzug(const Spielfeld_Daten* sf, int seite, int slot, i32 x, i32 y) {
    if (!sf || slot < 0 || slot >= SF_SPIELER || sf->spieler[slot].spieler < 0) return 0;
    if (seite >= 0 && seite <= 1)
        if (const int r = SF_Hook.positionsabzug(sf, static_cast<i32>(sf->team[seite]), sf->spieler[slot].spieler, x, y);
            r >= 0)
            return r;
    // The formation row of the point (seen from the side's own goal) against the player's class.
    const i32 rx = Spielfeld_Cm_Aus_Taktik(x);
    int zeile = rx < 900 ? 0 : (rx - 1200) / 520;
    if (zeile < 0) zeile = 1;
    if (zeile > 10) zeile = 10;
    (void)y;
    return Aufstellung_Abzug(sf->spieler[slot].position, zeile);
}

void Engine_Kommandos_Anwenden(Spielfeld_Daten* sf) {
    // Due commands in the order (side, number), identical on every machine.
    for (;;) {
        Spielfeld_Kommando* k = nullptr;
        for (auto& c : sf->kommando)
            if (c.belegt == 1 && c.minute <= sf->minute &&
                (!k || c.seite < k->seite || (c.seite == k->seite && c.nummer < k->nummer)))
                k = &c;
        if (!k) return;
        // The slot is freed first: a command still in its slot would count
        // as its own pending substitution and refuse it.
        Spielfeld_Kommando c = *k;
        std::memset(k, 0, sizeof *k);
        k = &c;
        int s = k->seite & 1;
        u8 netz = sf->netz;
        sf->netz = 0;  // carry out locally
        if (k->aenderung & SFA_POSITIONEN)
            for (int i = 0; i < SF_PRO_SEITE; i++)
                if (k->punkte[i][0] >= 0)
                    Spielfeld_Set_Taktikposition(sf, sf->team[s], s * SF_PRO_SEITE + i, k->punkte[i][0],
                                                 k->punkte[i][1]);
        if (k->aenderung & SFA_WECHSEL)
            for (int i = 0; i < SF_WECHSEL_LISTE; i++)
                if (k->rein[i] != 255) Spielfeld_Wechsel_Eintragen(sf, s, k->rein[i], k->raus[i]);
        if (k->aenderung & (SFA_WERT1 | SFA_SCHALTER | SFA_NEU_BERECHNEN)) {
            std::memcpy(sf->seite[s].taktik, k->taktik, sizeof k->taktik);
            std::memcpy(sf->seite[s].netz_taktik, k->taktik, sizeof k->taktik);
            sf->seite[s].schalter = k->schalter;
            if (k->aenderung & SFA_NEU_BERECHNEN) Engine_Taktik_Berechnen(sf, s);
        }
        sf->netz = netz;
    }
}

namespace engine {

void abzug_setzen(Spielfeld_Daten* sf, int slot) {
    if (slot < 0 || slot >= SF_SPIELER) return;
    const Spielfeld_Spieler& s = sf->spieler[slot];
    int d = 0;
    if (s.spieler >= 0 && (s.status & SFS_AUF_DEM_PLATZ)) {
        i32 y = 0;
        const i32 x = Spielfeld_Get_Taktikposition(sf, slot, &y);
        d = Spielfeld_Positionsabzug(sf, sf_seite(slot), slot, x, y);
    }
    sf->abzug[slot] = static_cast<u8>(d < 0 ? 0 : (d > 255 ? 255 : d));
}

// A queued substitution is carried out at a dead ball.
bool wechsel_ausfuehren(Spielfeld_Daten* sf) {
    for (int s = 0; s < 2; s++) {
        auto& se = sf->seite[s];
        for (int k = 0; k < SF_WECHSEL_LISTE; k++) {
            if (se.rein[k] == 255) continue;
            int rein = se.rein[k], raus = se.raus[k];
            se.rein[k] = se.raus[k] = 255;
            auto& r = sf->spieler[rein];
            bool ok = se.wechsel_gemacht < se.wechsel_erlaubt && r.spieler >= 0 && (r.status & SFS_BANK) &&
                      !(r.status & (SFS_AUF_DEM_PLATZ | SFS_EINGEWECHSELT | SFS_AUSGEWECHSELT));
            if (raus != 255 && !sf_auf_platz(sf->spieler[raus])) ok = false;
            if (!ok) continue;
            se.wechsel_sperre = 1;
            se.wechsel_gemacht++;
            auto& ro = O(sf, rein);
            ro.x = SF_MITTE_X;
            ro.y = 20;
            versetzt(r);
            ro.sichtbar = 1;
            ro.torwart = 0;
            if (raus != 255) {
                auto& a = sf->spieler[raus];
                a.status = (a.status & ~SFS_AUF_DEM_PLATZ) | SFS_AUSGEWECHSELT;
                a.minute_aus = static_cast<u8>(sf->minute);
                bool tw = O(sf, raus).torwart;
                r.taktik_x = a.taktik_x;
                r.taktik_y = a.taktik_y;
                std::memcpy(r.zone_x, a.zone_x, sizeof r.zone_x);
                std::memcpy(r.zone_y, a.zone_y, sizeof r.zone_y);
                O(sf, raus).torwart = 0;
                vom_platz(sf, raus);
                // vom_platz may have named a new keeper; the substitute takes the keeper's place.
                if (tw) {
                    for (int i = s * SF_PRO_SEITE; i < s * SF_PRO_SEITE + SF_PRO_SEITE; i++) O(sf, i).torwart = 0;
                    ro.torwart = 1;
                }
            }
            r.status = (r.status & ~SFS_BANK) | SFS_AUF_DEM_PLATZ | SFS_EINGEWECHSELT;
            r.minute_ein = static_cast<u8>(sf->minute);
            abzug_setzen(sf, rein);
            if (raus != 255) abzug_setzen(sf, raus);
            SF_Ereignis(sf, SFE_WECHSEL, rein, raus == 255 ? -1 : raus);
            anim(O(sf, SF_OBJ_LINIE_1), A_WECHSEL);
            if (se.wechsel_gemacht >= se.wechsel_erlaubt) {
                std::memset(se.rein, 255, sizeof se.rein);
                std::memset(se.raus, 255, sizeof se.raus);
            }
            se.wechsel_sperre = 0;
            return true;
        }
    }
    return false;
}

// Computer sides change injured and tired players.
void computer_wechsel(Spielfeld_Daten* sf, int s) {
    auto& se = sf->seite[s];
    if (se.wechsel_gemacht >= se.wechsel_erlaubt) return;
    for (u8 r : se.rein)
        if (r != 255) return;
    const bool mensch = se.manager == SF_MANAGER_MENSCH ||
                        (se.manager == 0 && (Team_Wert(TEAM_WERT_STATUS, static_cast<int>(sf->team[s]), 0, OP_LESEN) & TEAM_STATUS_USER));
    if (mensch) return;
    int b = s * SF_PRO_SEITE, raus = -1, schlechtest = 1 << 30;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        const auto& sp = sf->spieler[i];
        if (!sf_auf_platz(sp)) continue;
        int w = sp.verletzung ? 0 : (sf->minute >= 60 ? sp.ausdauer + sp.bewertung * 40 : 1 << 30);
        if (w < schlechtest && (sp.verletzung || w < 5200)) {
            schlechtest = w;
            raus = i;
        }
    }
    if (raus < 0) return;
    bool tw = O(sf, raus).torwart;
    int rein = -1;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        const auto& sp = sf->spieler[i];
        if (sp.spieler < 0 || !(sp.status & SFS_BANK) || (sp.status & (SFS_EINGEWECHSELT | SFS_AUSGEWECHSELT)))
            continue;
        if ((sp.position == 0) != tw) continue;
        if (rein < 0 || sp.position == sf->spieler[raus].position) rein = i;
        if (sp.position == sf->spieler[raus].position) break;
    }
    if (rein < 0) return;
    se.rein[0] = static_cast<u8>(rein);
    se.raus[0] = static_cast<u8>(raus);
}

}  // namespace engine
