// Statistics and events: everything the engine tells the outside goes
// through here (the event sink, the client's signal), the grades, the match
// report and the bookings after the matchday.
#include <cstring>

#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "match/spielfeld_intern.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/welt.h"

void SF_Ereignis(Spielfeld_Daten* sf, u32 flags, int slot, int zweiter) {
    constexpr u32 KOPF =
        SFE_TOR | SFE_GELB | SFE_GELBROT | SFE_ROT | SFE_FOUL | SFE_VERLETZUNG | SFE_WECHSEL | SFE_STANDARD;
    if ((flags & KOPF) && !(sf->ereignis.gueltig && (sf->ereignis.flags & SFE_TOR))) {
        sf->ereignis.flags = flags;
        sf->ereignis.minute = sf->minute;
        sf->ereignis.sekunde = static_cast<i16>(sf->minuten_teil * 60 / SF_TICKS_PRO_MINUTE);
        sf->ereignis.zweiter = static_cast<i16>(zweiter);
        sf->ereignis.slot = static_cast<i8>(slot);
        sf->ereignis.gueltig = 1;
    }
    {
        i32 sp = slot >= 0 && slot < SF_SPIELER ? sf->spieler[slot].spieler : -1;
        i32 zw = -1;
        if (flags & SFE_VERLETZUNG) zw = zweiter;
        else if (zweiter >= 0 && zweiter < SF_SPIELER) zw = sf->spieler[zweiter].spieler;
        else if (zweiter == 32767) zw = 32767;  // a shoot-out kick has no second player
        u32 f = flags & ~SFE_TEAM_A;
        // For a goal the team flag names the side that scored (also for an own goal).
        int seite = slot >= 0 ? sf_seite(slot) : -1;
        if ((flags & SFE_EIGENTOR) && seite >= 0) seite ^= 1;
        if (seite == 0 || (slot < 0 && (flags & SFE_TEAM_A))) f |= SFE_TEAM_A;
        i32 m = sf->minute + 1;
        SF_Hook.spiele_ereignis(sf->spiel, sp, zw, f, static_cast<u8>(m > 255 ? 255 : m));
    }
    SF_Hook.ankuendigung_refresh();
    // Stadium sounds for the pitch the focused view shows, while its camera keeps up.
    if (flags & SFE_TOR) SF_Klang(sf, SF_KLANG_NETZ);
    if (sf->fokus && sf->kamera_schritte < 2) {
        if (flags & SFE_TOR) SF_Hook.sound_stadion(6, 0, 4, slot >= 0 ? sf_seite(slot) : 0);
        else if (flags & SFE_CHANCE) SF_Hook.sound_reaktion(4, 2);
        else if (flags & (SFE_GELB | SFE_GELBROT | SFE_ROT | SFE_FOUL)) SF_Hook.sound_stadion(3, 0, 2, 0);
    }
    if (slot >= 0 && (flags & (SFE_TOR | SFE_GELB | SFE_ROT | SFE_GELBROT))) {
        int s = sf_seite(slot);
        if (flags & SFE_EIGENTOR) s ^= 1;
        sf->seite[s].ereignis_bits |= 1;
        sf->seite[s].aufregung = 100;
    }
}

void SF_Klang(const Spielfeld_Daten* sf, int sample) {
    if (sf->fokus && sf->kamera_schritte < 2) SF_Hook.sound_stereo(sample, 0, 0);
}

void Spielfeld_Ereignis_Eintragen(Spielfeld_Daten* sf, u32 flags, int slot, int zweiter) {
    if (!sf) return;
    if (slot < -1 || slot >= SF_SPIELER) {
        Debug_Printf("Spielfeld_Ereignis_Eintragen: Slot %d ungueltig\n", slot);
        return;
    }
    if (!(flags & SFE_VERLETZUNG) && (zweiter < -1 || zweiter >= SF_SPIELER)) zweiter = -1;
    SF_Ereignis(sf, flags, slot, zweiter);
}

void Spielfeld_Get_Bericht(const Spielfeld_Daten* sf, Spielfeld_Bericht* aus) {
    std::memset(aus, 0, sizeof *aus);
    aus->heim = sf->team[0];
    aus->gast = sf->team[1];
    aus->tore[0] = sf->tore[0];
    aus->tore[1] = sf->tore[1];
    aus->weitere[0] = sf->seite[0].ecken;
    aus->weitere[1] = sf->seite[1].ecken;
    aus->wettbewerb = sf->wettbewerb;
    aus->zuschauer = sf->zuschauer;
    std::memcpy(aus->statistik, sf->statistik, sizeof aus->statistik);
}

void SF_Signal_Senden(const Spielfeld_Daten* sf) {
    if (sf->netz != 2) return;
    Spielfeld_Sync_Signal sig;
    Spielfeld_Signal_Fuellen(sf, sf->team[sf->netz_seite & 1], &sig);
    SF_Hook.client_signal(&sig);
    SF_Signal_Gesendet(sf->spiel);
}

namespace engine {

void noten_berechnen(Spielfeld_Daten* sf) {
    for (int i = 0; i < SF_SPIELER; i++) {
        const auto& sp = sf->spieler[i];
        if (sp.spieler < 0 || sf->statistik[i][SFST_MINUTEN] == 0) continue;
        int g = sf_seite(i);
        int diff = sf->tore[g] - sf->tore[g ^ 1];
        int p = sp.bewertung + (diff > 0 ? 3 : (diff < 0 ? -3 : 0));
        int n = 35 - p * 10 / 6;
        sf->statistik[i][SFST_NOTE] = static_cast<u8>(n < 10 ? 10 : (n > 60 ? 60 : n));
    }
}

}  // namespace engine

// ---------------------------------------------------------------------------
// After the matchday.

void Spielfeld_Reset_Trainingszaehler(u32 team) {
    if (team >= static_cast<u32>(Team_Anzahl)) return;
    const i32* k = Team_Kader(static_cast<int>(team));
    int n = Team_Kader_Anzahl(static_cast<int>(team));
    for (int i = 0; i < n; i++) Spieler_Wert(SPIELER_WERT_TRAININGS, k[i], 0, OP_SCHREIBEN);
}

void Spielfeld_Spieler_Wert56_Loeschen(i32 spieler) {
    if (spieler >= 0 && spieler < Spieler_Anzahl) Spieler_Wert(SPIELER_WERT_ERSCHOEPFUNG, spieler, 0, OP_SCHREIBEN);
}

void Spielfeld_Auswertung(u32 wettbewerb) {
    if (ruf::Client()) return;
    for (auto* sf : SF_Register.tabelle) {
        if (!sf || sf->wettbewerb != wettbewerb || sf->ausgewertet || !sf->engine) continue;
        sf->ausgewertet = 1;
        for (int slot = 0; slot < SF_SPIELER; slot++) {
            const Spielfeld_Spieler& s = sf->spieler[slot];
            if (s.spieler < 0 || s.spieler >= Spieler_Anzahl) continue;
            u32 team = sf->team[sf_seite(slot)];
            int sp = s.spieler;
            // Cards: a sending-off suspends; a yellow card after an earlier
            // warning too. The marks are those the check before the next
            // match clears and sets again from the competition's ban
            // counters while a ban lasts: a mark beside them would keep the
            // player out for good once his ban is served.
            if (s.status & SFS_ROT) {
                Spieler_Wert(SPIELER_WERT_STATUS, sp, SP_STATUS_ROT, OP_BITS_SETZEN);
                SF_Hook.strafe(team, 25000);
            } else if (s.status & SFS_GELBROT) {
                Spieler_Wert(SPIELER_WERT_STATUS, sp, SP_STATUS_GELBROT, OP_BITS_SETZEN);
                SF_Hook.strafe(team, 10000);
            } else if (s.gelb) {
                if (Spieler_Wert(SPIELER_WERT_STATUS, sp, 0, OP_LESEN) & SP_STATUS_GELB_WARNUNG) {
                    Spieler_Wert(SPIELER_WERT_STATUS, sp, SP_STATUS_GELB_WARNUNG, OP_BITS_LOESCHEN);
                    Spieler_Wert(SPIELER_WERT_STATUS, sp, SP_STATUS_GELBSPERRE, OP_BITS_SETZEN);
                } else {
                    Spieler_Wert(SPIELER_WERT_STATUS, sp, SP_STATUS_GELB_WARNUNG, OP_BITS_SETZEN);
                }
            }
            if (s.verletzung) Spieler_Verletzen(static_cast<int>(team), sp, s.verletzung - 1);
            int minuten = sf->statistik[slot][SFST_MINUTEN];
            if (minuten > 0) {
                int e = Spieler_Wert(SPIELER_WERT_ERSCHOEPFUNG, sp, 0, OP_LESEN) + (minuten + 29) / 30;
                Spieler_Wert(SPIELER_WERT_ERSCHOEPFUNG, sp, e > 9 ? 9 : e, OP_SCHREIBEN);
            }
            int note = (sf->statistik[slot][SFST_NOTE] + 5) / 10;
            int marke = (s.status & SFS_EINGEWECHSELT ? 8 : 0) | (s.status & SFS_AUSGEWECHSELT ? 16 : 0);
            if (minuten > 0 || (s.status & SFS_BANK))
                SF_Hook.statistik_spieler(sp, wettbewerb, s.tore, minuten, minuten > 0 ? note : 0, marke);
            if (minuten > 0) {
                if (s.tore) SF_Hook.wettbewerb_ereignis(wettbewerb, sp, 5, s.tore);
                if (s.vorlagen) SF_Hook.wettbewerb_ereignis(wettbewerb, sp, 6, s.vorlagen);
                SF_Hook.wettbewerb_ereignis(wettbewerb, sp, 7, 7 - (note < 1 ? 1 : note));
            }
            // The left-out player's event is for a player who did not play:
            // neither on the pitch at any time nor brought on.
            const bool gespielt =
                minuten > 0 || (s.status & (SFS_AUF_DEM_PLATZ | SFS_EINGEWECHSELT | SFS_AUSGEWECHSELT)) != 0;
            if (!gespielt) SF_Hook.spieler_nach_spiel(team, sp);
            Spieler_Wert(SPIELER_WERT_TRAININGS, sp, 0, OP_SCHREIBEN);
        }
    }
}
