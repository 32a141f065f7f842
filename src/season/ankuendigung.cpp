// Match announcements (see ankuendigung.h).
#include "season/ankuendigung.h"

#include <cstring>

#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/speichern.h"
#include "world/welt.h"

namespace {

// The option that must be on for each kind (-1: none is shown).
constexpr i32 OPTION_ART[ANK_ARTEN] = {4, 5, 14, 14, 14, 11, 12, -1, 12};
constexpr i32 OPTION_ANIMATION = 24;
constexpr i32 STATUS_NETZ_AKTIV = 32;
constexpr u32 NEWS_ANK_FLAGS = 0x8002000;
constexpr int EFFEKT_VOR_SPIEL = 6;

Ankuendigung_Hooks H;

struct Zustand {
    Spielankuendigung aktuell;
    Spielankuendigung puffer[ANK_PUFFER];
    u32 start = 0;  // 0: no display running
    u32 art = 0;
    bool seite = false;
    int stufe = 0;
    u32 stufe_zeit = 0;
    bool klick_scharf = false;
    bool killblocker = false;
    bool jingle = false;
    i32 letztes_team = -1;
} z;

// Staged by a load until it is taken over.
struct Geladen {
    Spielankuendigung puffer[ANK_PUFFER];
    Spielankuendigung aktuell;
};
Geladen* geladen = nullptr;

bool option(u32 art) { return art < ANK_ARTEN && OPTION_ART[art] >= 0 && Option_Wert(OPTION_ART[art], 0, 0) != 0; }
bool animation() { return Option_Wert(OPTION_ANIMATION, 0, 0) != 0; }
bool team_gueltig(i32 t) { return t >= 0 && t < Team_Anzahl; }
u32 fern(i32 team) {
    return team_gueltig(team) ? static_cast<u32>(Team_Wert(TEAM_WERT_STATUS, team, 0, OP_LESEN) & STATUS_NETZ_AKTIV) : 0;
}
bool lokal_menschlich(i32 team) { return team_gueltig(team) && Team_Mensch_Spielt(team) && fern(team) == 0; }
bool automatik() { return Kalender_Ist_Automatik() != 0; }
bool laeuft(u32 jetzt) {
    return z.start != 0 && z.start + ANK_DAUER_MS > jetzt && (z.start < jetzt || z.start < W32_Get_Time());
}
bool ist_screen(u32 art) { return art == ANK_ERGEBNISSE || art == ANK_TABELLE || art == ANK_SIEGER; }
i32 screen_runmodus(u32 art) {
    return art == ANK_TABELLE ? RUNMODUS_WARTEN_18 : art == ANK_ERGEBNISSE ? RUNMODUS_WARTEN_17 : RUNMODUS_WARTEN_24;
}

// A network client's results and table screens come from the server once
// the matches of their kick-off group have ended there; what they read is
// the server's record of now: the competition's current matchday, the
// fixtures of the announced match's matchday and the tables. This machine
// fetched them as its own match ended, when another client's match of the
// same day may still have been running (its score of then is no result).
void screen_stand_holen(const Spielankuendigung& a) {
    if (!ruf::Client() || (a.art != ANK_ERGEBNISSE && a.art != ANK_TABELLE)) return;
    Wettbewerb_Internet_Client_Stand_Auffrischen();
    if (a.wettbewerb >= 0 && a.spieltag >= 0 && a.runde >= 0)
        Spiele_Client_Spieltag_Erneuern(static_cast<u32>(a.wettbewerb), static_cast<u32>(a.spieltag),
                                        static_cast<u32>(a.runde));
    Spiele_Tabellen_Cache_Leeren();
}

// The page's opening (or closing) at the current step.
void oeffnung_zeigen(bool hintergrund) { H.seite_zeigen(z.art, z.stufe, hintergrund); }

void lesen_verwerfen() {
    delete geladen;
    geladen = nullptr;
}

bool lesen(Datei_Status* d) {
    lesen_verwerfen();
    geladen = new Geladen;
    // A game saved before announcements existed has an empty block.
    if (Datei_Position(d) >= static_cast<i32>(Datei_Groesse(d))) return true;
    bool ok = Datei_Lesen_Felder(
        d, 20 * 336, [](bytes::Leser& l) { l(geladen->puffer); }, true);
    ok = ok && Datei_Lesen_Felder(d, 336, [](bytes::Leser& l) { l(geladen->aktuell); }, true);
    // The clubs are those of the saved world, read in the same load (a load
    // from the start screen has no world yet): bounded here by the most a
    // world holds, checked against the saved world's count once every
    // block is read.
    for (const auto& a : geladen->puffer)
        ok = ok && (a.prioritaet == 0 || Spielankuendigung_Gueltig(a, true, MAX_TEAMS));
    ok = ok && Spielankuendigung_Gueltig(geladen->aktuell, false, MAX_TEAMS);
    if (!ok) Debug_Printf("Ankuendigungen: Block im Spielstand beschaedigt\n");
    return ok;
}

// Nothing buffered and nothing ever set: the block stays empty (as in
// games saved before announcements existed).
bool leer() {
    const Spielankuendigung frisch;
    return Spielankuendigung_Puffer_Leer() && std::memcmp(&frisch, &z.aktuell, sizeof frisch) == 0;
}

// Every staged club within the saved world.
bool pruefen() {
    if (!geladen) return true;
    const i32 teams = Welt_Block_Team_Anzahl();
    for (const auto& a : geladen->puffer)
        if (a.prioritaet && !Spielankuendigung_Gueltig(a, true, teams)) return false;
    return Spielankuendigung_Gueltig(geladen->aktuell, false, teams);
}

void uebernehmen() {
    if (!geladen) return;
    Spielankuendigung_Init();
    std::memcpy(static_cast<void*>(z.puffer), geladen->puffer, sizeof z.puffer);
    z.aktuell = geladen->aktuell;
    lesen_verwerfen();
}

}  // namespace

void Ankuendigung_Set_Hooks(const Ankuendigung_Hooks& h) { H = h; }

void Ank_Daten_Schreiben(const Ank_Nach_Spiel& d, u8 aus[ANK_DATEN]) {
    std::vector<u8> b;
    bytes::Schreiber s{b};
    s(d);
    std::memcpy(aus, b.data(), ANK_DATEN);
}

Ank_Nach_Spiel Ank_Daten_Lesen(const u8 ein[ANK_DATEN]) {
    Ank_Nach_Spiel d;
    bytes::Leser l(ein, ANK_DATEN);
    l(d);
    return d;
}

bool Spielankuendigung_Gueltig(const Spielankuendigung& a, bool im_puffer, i32 teams) {
    if (teams < 0) teams = Team_Anzahl;
    const bool art_ok = a.art < ANK_ARTEN && a.art != 7;
    // Competition ids start at WETTBEWERB_ERSTE_ID and fit a fixture's byte.
    const bool wettbewerb_ok = a.wettbewerb == -1 || (a.wettbewerb >= WETTBEWERB_ERSTE_ID && a.wettbewerb <= 255);
    const bool teams_ok = a.team_a >= -1 && a.team_a < teams && a.team_b >= -1 && a.team_b < teams;
    const bool prio_ok = !im_puffer || (a.prioritaet > 0 && a.prioritaet < 0x80000000u);
    return art_ok && wettbewerb_ok && teams_ok && prio_ok;
}

void Spielankuendigung_Init() {
    if (z.seite) H.seite_freigeben();
    z = Zustand{};
}

const Spielankuendigung* Spielankuendigung_Puffer() { return z.puffer; }
u32 Spielankuendigung_Laufende_Art() { return z.art; }
int Spielankuendigung_Stufe() { return z.stufe; }
bool Spielankuendigung_Jingle() { return z.jingle; }
void Spielankuendigung_Set_Jingle(bool an) { z.jingle = an; }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Spielankuendigung_Reset() { z.letztes_team = -1; }

void Spielankuendigung_Setzen(i32 wettbewerb, i32 team_a, i32 team_b, i32 spieltag, i32 index, i32 runde,
                              const u8* daten) {
    Spielankuendigung& a = z.aktuell;
    a.wettbewerb = wettbewerb, a.team_a = team_a, a.team_b = team_b;
    a.spieltag = spieltag, a.index = index, a.runde = runde;
    a.tag = Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0;
    if (daten) std::memcpy(a.daten, daten, ANK_DATEN);
}

bool Spielankuendigung_Puffern(u32 art, u32 prioritaet) {
    if (automatik() || prioritaet == 0) return false;
    if (art == ANK_VOR_SPIEL)
        for (const auto& p : z.puffer)
            if (p.prioritaet && p.art == ANK_VOR_SPIEL && p.team_a == z.aktuell.team_a) {
                Debug_Printf("--> NICHT IN BUFFER!!\n");
                return false;
            }
    for (auto& p : z.puffer) {
        if (p.prioritaet) continue;
        p = z.aktuell;
        p.art = art;
        p.fern_a = fern(p.team_a);
        p.fern_b = p.team_b == -1 ? 0 : fern(p.team_b);
        p.prioritaet = prioritaet;
        Debug_Printf("--> IN BUFFER..\n");
        if (ruf::Server() && art != ANK_VOR_SPIEL) {
            if (p.fern_a) Spielankuendigung_Als_News(p, p.team_a);
            if (p.fern_b && art != ANK_GELD) Spielankuendigung_Als_News(p, p.team_b);
        }
        return true;
    }
    Debug_Printf("--> NICH IN BUFFER..BUFFER VOLL\n");
    return false;
}

void Spielankuendigung_Nach_Spiel(i32 spieltag, i32 index, i32 runde, const Ank_Nach_Spiel& d) {
    const bool m1 = team_gueltig(d.team1) && Team_Mensch_Spielt(d.team1);
    const bool m2 = team_gueltig(d.team2) && Team_Mensch_Spielt(d.team2);
    if (!m1 && !m2) return;
    const i32 team = m1 ? d.team1 : d.team2, andere = m1 ? d.team2 : d.team1;
    const u32 n = static_cast<u32>(Team_Anzahl), t = static_cast<u32>(team);
    u8 daten[ANK_DATEN];
    Ank_Daten_Schreiben(d, daten);
    Spielankuendigung_Setzen(d.wettbewerb, team, andere, spieltag, index, runde, daten);
    Spielankuendigung_Puffern(ANK_TORE, t * 50 + n * 50 + 10);
    Spielankuendigung_Puffern(ANK_STATISTIK, t * 50 + n * 50 + 9);
    Spielankuendigung_Puffern(ANK_GELD, t * 50 + n * 50 + 8);
    Spielankuendigung_Puffern(ANK_ERGEBNISSE, t * 50 + 7);
    Spielankuendigung_Puffern(ANK_TABELLE, t * 50 + 6);
    if (m1 && m2) {
        Spielankuendigung_Setzen(d.wettbewerb, andere, team, spieltag, index, runde, daten);
        Spielankuendigung_Puffern(ANK_GELD, static_cast<u32>(andere) * 50 + n * 50 + 8);
    }
}

void Spielankuendigung_Sieger(i32 wettbewerb, i32 sieger, i32 zweiter, i32 modus) {
    // Nobody won, or nobody to see it: nothing to announce. One entry serves
    // every manager (copies would be cleared unseen with the first one
    // shown, and would only take the slots of the managers' own pages).
    if (!team_gueltig(sieger) || Manager_Anzahl_Menschen() == 0) return;
    Spielankuendigung_Setzen(wettbewerb, sieger, team_gueltig(zweiter) ? zweiter : -1, modus, 0, 0, nullptr);
    Spielankuendigung_Puffern(ANK_SIEGER, static_cast<u32>(sieger) * 50 + 5);
}

bool Spielankuendigung_Aus_News(const u8* daten, u32 laenge) {
    if (automatik() || !daten || laenge != 336) return false;
    Spielankuendigung a;
    bytes::Leser l(daten, laenge);
    l(a);
    if (l.fehler || !Spielankuendigung_Gueltig(a, true)) {
        Debug_Printf("--> ANKUENDIGUNG ABGELEHNT (ungueltig)\n");
        return false;
    }
    for (auto& p : z.puffer)
        if (!p.prioritaet) {
            p = a;
            Debug_Printf("--> IN BUFFER..\n");
            return true;
        }
    Debug_Printf("--> NICH IN BUFFER..BUFFER VOLL\n");
    return false;
}

void Spielankuendigung_Als_News(const Spielankuendigung& a, i32 team) {
    std::vector<u8> b;
    bytes::Schreiber s{b};
    s(a);
    News_Daten d;
    d.w[0] = static_cast<i32>(b.size() + 1);  // a binary item's length + 1
    News_Schreiben(0, -1, -1, team, -1, NEWS_ANK_FLAGS, &d, reinterpret_cast<const char*>(b.data()),
                   static_cast<u32>(b.size()));
}

Spielankuendigung& Spielankuendigung_Aktuell() { return z.aktuell; }

bool Spielankuendigung_Puffer_Leer() {
    for (const auto& p : z.puffer)
        if (p.prioritaet) return false;
    return true;
}

bool Spielankuendigung_Screen_Offen() { return H.screen_offen(); }

bool Spielankuendigung_Jetzt(u32 art, bool nur_wenn_leer) {
    if (z.seite || automatik() || z.start || (nur_wenn_leer && !Spielankuendigung_Puffer_Leer())) return false;
    if (art == ANK_VOR_MENUE) {
        if (Team_Ansicht == -1 || Team_Ansicht == z.letztes_team) return false;
    }
    z.art = art;
    z.start = W32_Get_Time();
    if (z.start == 0) z.start = 1;
    z.stufe = 0;
    z.stufe_zeit = z.start;
    Debug_Printf("--> SPIELANKUENDIGUNG JETZT!\n");
    Spielankuendigung_Schritt();
    return true;
}

void Spielankuendigung_Schritt() {
    if (z.seite || !z.start) return;
    if (!option(z.art)) {
        z.start = 0;
        return;
    }
    Season_Gui.Blt_Cache_Leeren();
    switch (z.art) {
        case ANK_VOR_MENUE:
        case ANK_VOR_SPIEL:
        case ANK_TORE:
        case ANK_STATISTIK:
        case ANK_GELD:
            z.seite = H.seite_bauen(z.art, z.aktuell);
            z.killblocker = true;
            if (z.art == ANK_VOR_MENUE && z.seite) z.letztes_team = Team_Ansicht;
            if (z.art == ANK_VOR_SPIEL && z.seite) H.effekt(EFFEKT_VOR_SPIEL, false);
            break;
        case ANK_ERGEBNISSE:
        case ANK_TABELLE:
        case ANK_SIEGER: {
            const int modus = z.art == ANK_TABELLE ? 0 : z.art == ANK_ERGEBNISSE ? 1 : 2;
            if (!H.screen_oeffnen(modus, z.aktuell)) z.start = 0;
            else Kalender_Set_Runmodus(screen_runmodus(z.art));
            return;
        }
        default: break;
    }
    if (!z.seite) z.start = 0;
}

int Spielankuendigung_Run(u32 jetzt) {
    if (laeuft(jetzt) && !ist_screen(z.art)) {
        Spielankuendigung_Schritt();
        if (!z.seite) return 0;
        if (H.maus_tasten()) {
            if (z.stufe == ANK_STUFEN && z.klick_scharf) {
                z.start = 0;
                Spielankuendigung_Beenden();
                H.maus_rechts_sperre();
                H.maus_tasten();
                return 0;
            }
        } else {
            z.klick_scharf = true;
        }
        if (z.art == ANK_VOR_MENUE && animation()) {
            // Opens from the centre, one step per 28 ms at most.
            const bool letzte = z.stufe + 1 == ANK_STUFEN;
            if (letzte) Season_Gui.Menue_Hintergrund_Video(1, 1);
            oeffnung_zeigen(letzte);
            const int r = z.stufe == ANK_STUFEN ? 2 : 1;
            if (jetzt > z.stufe_zeit + ANK_STUFE_MS && z.stufe < ANK_STUFEN) {
                z.stufe_zeit = jetzt;
                ++z.stufe;
            }
            return r;
        }
        if (z.art == ANK_VOR_MENUE && z.stufe != ANK_STUFEN) Season_Gui.Menue_Hintergrund_Video(1, 1);
        z.stufe = ANK_STUFEN;
        z.killblocker = false;
        oeffnung_zeigen(z.art == ANK_VOR_MENUE);
        return z.art == ANK_VOR_SPIEL ? 1 : 2;
    }
    if (ist_screen(z.art) && z.start && H.screen_offen()) {
        // A screen waits in its own run mode (the run loop may have switched
        // to the announcements' mode after starting it).
        if (Kalender_Get_Runmodus() != screen_runmodus(z.art)) Kalender_Set_Runmodus(screen_runmodus(z.art));
        return 1;
    }
    // Over: a time-out closes the opened page step by step.
    z.klick_scharf = false;
    z.killblocker = false;
    if (z.stufe > 0 && z.seite && z.start) {
        if (animation() && z.art == ANK_VOR_MENUE) {
            H.hintergrund_zeigen(z.stufe == ANK_STUFEN);
            if (jetzt > z.stufe_zeit + ANK_STUFE_MS) {
                z.stufe_zeit = jetzt;
                --z.stufe;
            }
            if (z.stufe > 0) {
                oeffnung_zeigen(false);
                return 1;
            }
        }
        z.stufe = 0;
        return 0;
    }
    if (z.seite || z.start) Debug_Printf("--> SPIELANKUENDIGUNG ENDE%d!\n", z.seite ? 1 : 0);
    z.start = 0;
    z.stufe = 0;
    Spielankuendigung_Beenden();
    return Spielankuendigung_Aus_Puffer() ? 1 : 0;
}

void Spielankuendigung_Beenden() {
    if (z.killblocker) {
        Debug_Printf("SPIELANKÜNDIGUNG KILLBLOCKER!!!!\n");
        return;
    }
    if (z.seite && (Spielankuendigung_Puffer_Leer() || z.art == ANK_VOR_SPIEL)) {
        z.jingle = false;
        Season_Gui.Sound_Alle_Stoppen();
    }
    if (z.seite) H.seite_freigeben();
    z.seite = false;
}

void Spielankuendigung_Screen_Schliessen() {
    z.start = 0;
    z.killblocker = false;
    Spielankuendigung_Beenden();
    z.jingle = false;
    Debug_Printf("--> SPIELANKUENDIGUNG ENDE3!\n");
}

bool Spielankuendigung_Aus_Puffer() {
    if (Season_Gui.Modal_Screen() && Kalender_Get_Runmodus() == RUNMODUS_SPIEL) return false;
    int best = -1;
    for (int i = 0; i < ANK_PUFFER; ++i) {
        Spielankuendigung& p = z.puffer[i];
        if (!p.prioritaet) continue;
        if (ruf::Server()) {
            if ((!lokal_menschlich(p.team_a) && !lokal_menschlich(p.team_b)) ||
                (p.art == ANK_GELD && fern(p.team_a))) {
                p = Spielankuendigung{};
                continue;
            }
        }
        if (best < 0 || p.prioritaet > z.puffer[best].prioritaet) best = i;
    }
    if (best < 0) return false;
    if (z.seite || automatik() || z.start) return false;
    z.aktuell = z.puffer[best];
    if (ruf::Client() && z.aktuell.art == ANK_GELD) H.bank_holen(z.aktuell.team_a);
    screen_stand_holen(z.aktuell);
    if (!Spielankuendigung_Jetzt(z.aktuell.art, false)) return false;
    const u32 art = z.puffer[best].art;
    const i32 wettbewerb = z.puffer[best].wettbewerb;
    z.puffer[best] = Spielankuendigung{};
    if (ist_screen(art))
        for (auto& p : z.puffer)
            if (p.prioritaet && p.art == art && p.wettbewerb == wettbewerb) p = Spielankuendigung{};
    Debug_Printf("AUS BUFFER!!!\n");
    return true;
}

bool Spielankuendigung_Save(Datei_Status* d) {
    if (leer()) return true;
    return Datei_Schreiben_Felder(d, [](bytes::Schreiber& s) { s(z.puffer); }, true) &&
           Datei_Schreiben_Felder(d, [](bytes::Schreiber& s) { s(z.aktuell); }, true);
}

void Spielankuendigung_Spielstand_Anmelden() {
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_ANKUENDIGUNGEN,
                              {"Ankuendigungen", Spielankuendigung_Save, lesen, uebernehmen, lesen_verwerfen, pruefen});
}
