#include "season/kalender_zug.h"

#include <cstring>

#include "base/debug.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "season/ankuendigung.h"
#include "season/news.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/netz_rufe.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/werbung.h"
#include "world/welt.h"

namespace {

// The codes of the hidden key mode by action; a code is matched against
// every code it begins, so "qv" and "qqq" both stay reachable.
constexpr const char* GEHEIM_CODES[KALENDER_GEHEIM_ANZAHL] = {
    "", "g", "qv", "c", "e", "s", "a", "t", "d", "z", "r", "plorvex", "u", "qqq", "y", "n"};
constexpr int GEHEIM_LAENGE = 8;
constexpr int TASTE_SHIFT = 16;
constexpr f32 GEHEIM_GELD[3] = {0.0f, 1000000.0f, 10000000.0f};

bool team_ok(i32 t) { return t >= 0 && t < Team_Anzahl; }

char getippt[GEHEIM_LAENGE] = {};
int getippt_laenge = 0;

constexpr i32 STOCKUNG_MS = 1000;  // a longer overrun is a stalled frame, not a late manager
// A network client waiting for the server's next day asks at most this often,
// and looks for its news (the pages after its match, made by the server once
// the match's competition is done there) at most this often.
constexpr u32 CLIENT_FRAGE_MS = 200;
constexpr u32 CLIENT_NEWS_MS = 1500;

Kalender_Lauf& L() { return Kalender_Lauf_Get(); }

}  // namespace

bool Kalender_Team_Online_Woanders(i32 team) {
    // A client's own club carries the mark too (the server's team records
    // say a user plays it): that user is at this machine.
    if (ruf::Client() && team == Team_Aktiv) return false;
    return !ruf::Einzel() && team >= 0 && team < Team_Anzahl &&
           (Team_Wert(TEAM_WERT_STATUS, team, 0, 0) & TEAM_STATUS_USER_AKTIV) != 0;
}

// A network client's day is the server's. Once its turns are over it asks
// the server for its date (at most every CLIENT_FRAGE_MS, while no match of
// its own has kicked off); when the server has gone on, that day is taken
// with the server's competitions, calendar and caches, and the client's own
// tick follows. False while the server is still on the client's day.
// A row whose match has not kicked off holds nothing back: the server goes
// on only once today's matches are over, so when its day has changed such a
// row is one of the server's new day, taken in the moment between the
// server's tick and this question. The pages after this client's match come
// first, in the order of a single game: the day is not taken while one is
// waiting or shown (the server's day may go on the moment its own record of
// the match ends, before this copy has shown its final whistle).
bool Kalender_Client_Tag_Folgen() {
    Kalender_Lauf& lauf = L();
    if (Season_Module.Spieltag_Spiel_Angepfiffen() || Spielankuendigung_Screen_Offen()) return false;
    if (lauf.runmodus == RUNMODUS_SPIELTAG || !Spielankuendigung_Puffer_Leer()) return false;
    if (Kalender_Jetzt - lauf.client_frage < CLIENT_FRAGE_MS) return false;
    lauf.client_frage = Kalender_Jetzt;
    i32 tag = 0, modus = 0;
    if (!Kalender_Internet_Client_Stand(&tag, &modus)) return false;
    // The pages the server made for this client's match come while the day
    // lasts (they are shown before the next one), and once more when the
    // server has gone on, so none is left for the next day's menu.
    if (tag != Kalender_Get_Tag() || Kalender_Jetzt - lauf.client_news >= CLIENT_NEWS_MS) {
        lauf.client_news = Kalender_Jetzt;
        News_Pruefen(Team_Aktiv);
        if (!Spielankuendigung_Puffer_Leer()) return false;
    }
    if (tag == Kalender_Get_Tag()) return false;
    Kalender_Internet_Client_Laden();
    if (Kalender_Get_Tag() != tag) return false;  // not taken: asked again
    Season_Netz.Client_Teamdaten_Abgleichen();
    Kalender_Jeden_Tag();
    return true;
}

bool K_Setze_Manager_Im_Menue() {
    Kalender_Lauf& l = L();
    while (++l.zug_index < l.zug_anzahl) {
        const i32 team = l.zugliste[l.zug_index];
        if (Kalender_Team_Online_Woanders(team)) {
            Debug_Printf("K_Setze_Manager_Im_Menue Index:%d %d %d  Teamonl:%d\r\n", l.zug_index, l.zug_anzahl, team, 1);
            continue;
        }
        Team_Aktiv = team;
        Season_Gui.Menue_Hintergrund_Video(0, 1);
        // The hand-over builds the next manager's main menu with his club.
        Season_Gui.Menue_Manager_Wechsel(team);
        Kalender_Flags_Setzen();
        l.zug_start = Kalender_Jetzt;
        Debug_Printf("K_Setze_Manager_Im_Menue Index:%d Next Team:%d\r\n", l.zug_index, team);
        return true;
    }
    l.zug_index = l.zug_anzahl;
    return false;
}

bool Kalender_Pruefe_Zugende() {
    Kalender_Lauf& l = L();
    if (l.zug_gestartet) return false;
    // While a match of a club whose manager sits at this machine is being
    // played the turns wait and the match is shown; its manager's menu comes
    // back with the result. In a network game that holds at every machine
    // for its own managers' clubs (a client's day stays open until the
    // server's moves on, so its match is shown on that day too); the clubs
    // of managers at other machines are theirs to show.
    i32 teams[KALENDER_MAX_ZUGLISTE];
    const int n = Manager_Ist_Dran(teams, 0, 0);
    for (int i = 0; i < n && i < KALENDER_MAX_ZUGLISTE; ++i)
        if (!Kalender_Team_Online_Woanders(teams[i]) && Season_Module.Spieltag_Team_Im_Spiel(teams[i])) return true;
    if (l.neuer_tag == 1) return false;
    if (Spielankuendigung_Screen_Offen() || !Spielankuendigung_Puffer_Leer()) return false;
    Kalender_Neue_Zugliste();
    if (l.zug_index >= l.zug_anzahl) {
        // Nobody plays at this machine today: the day is done; a stop on a
        // matchday (255) is seen for one pass before the advance goes on.
        // The end-of-turn button greys while nobody is left to hand over to.
        Season_Gui.Menue_Set_Icon707_Status(!Kalender_Weitere_Manager());
        l.tag_fertig = 1;
        if (l.neuer_tag == 0) l.neuer_tag = 1;
        return false;
    }
    l.tag_fertig = 0;
    Season_Gui.Menue_Set_Icon707_Status(false);
    l.zug_gestartet = 1;
    Season_Gui.Menue_Manager_Wechsel(Team_Aktiv);
    l.zug_start = Kalender_Jetzt;
    return false;
}

bool Kalender_Hat_Zuege() {
    i32 teams[KALENDER_MAX_ZUGLISTE];
    const int n = Manager_Ist_Dran(teams, 0, 0);
    for (int i = 0; i < n && i < KALENDER_MAX_ZUGLISTE; ++i)
        if (!Kalender_Team_Online_Woanders(teams[i])) return true;
    return false;
}

bool Kalender_Weitere_Manager() {
    const Kalender_Lauf& l = L();
    for (i32 i = l.zug_index + 1; i < l.zug_anzahl; ++i)
        if (!Kalender_Team_Online_Woanders(l.zugliste[i])) return true;
    return false;
}

i32 Kalender_Zugzeit_Limit() { return Option_Wert(OPTION_ZUGZEIT, 0, 0); }

i32 Kalender_Zugzeit_Rest() {
    const i32 limit = Kalender_Zugzeit_Limit();
    if (limit <= 0) return -1;
    return static_cast<i32>(L().zug_start + static_cast<u32>(limit) - Kalender_Jetzt);
}

void Kalender_Zugzeit_Pruefen() {
    Kalender_Lauf& l = L();
    const i32 rest = Kalender_Zugzeit_Rest();
    if (l.zeit_stop || rest < 0 - STOCKUNG_MS || (rest < 0 && l.tag_fertig) || Kalender_Zugzeit_Limit() <= 0) {
        l.zug_start = Kalender_Jetzt;
        return;
    }
    if (rest < 0) {
        l.zug_start = Kalender_Jetzt;
        Season_Gui.Menue_Zug_Beenden();
    }
}

namespace {
i32 client_tag = -1, client_limit = 0;
u32 client_zug_start = 0;
}  // namespace

void Kalender_Client_Zugzeit_Pruefen() {
    if (!ruf::Server() || !Kalender_Ist_Initialisiert()) return;
    const Kalender_Lauf& l = L();
    const i32 heute = Kalender_Get_Tag();
    const u32 jetzt = Season_Netz.Echtzeit_Ms();
    // Without a turn time the server's own bound holds: a client never keeps the day.
    const i32 limit = Kalender_Zugzeit_Limit() > 0 ? Kalender_Zugzeit_Limit() : Option_Client_Zugzeit_Ms();
    // A new day, a frozen clock, or a limit changed in the middle of the
    // turn (the server's manager stepping through the minutes) starts the
    // client's time anew: the time already spent never counts against a
    // limit that was not set while it passed.
    if (heute != client_tag || l.zeit_stop || limit <= 0 || limit != client_limit) {
        client_tag = heute;
        client_limit = limit;
        client_zug_start = jetzt;
        return;
    }
    // Real time: a slow frame here gives the client no more time.
    const i32 rest = static_cast<i32>(client_zug_start + static_cast<u32>(limit) - jetzt);
    if (rest < 0 && !Season_Netz.Clients_Fertig()) {
        Debug_Printf("Zugzeit abgelaufen: die Clients beenden ihren Zug von Tag %d\n", heute);
        Season_Netz.Clients_Zug_Beenden();
        client_zug_start = jetzt;
    }
}

const char* Kalender_Geheim_Code(int aktion) {
    return aktion >= 1 && aktion < KALENDER_GEHEIM_ANZAHL ? GEHEIM_CODES[aktion] : "";
}

void Kalender_Geheim_Zuruecksetzen() {
    getippt_laenge = 0;
    getippt[0] = 0;
}

namespace {

bool geheim_aktiv() { return Season_Gui.Taste_Shift() && Season_Gui.Maus_X() == 1 && Season_Gui.Maus_Y() == 1; }

// One key for the detector; true when the key belonged to it.
bool geheim_taste(int zeichen) {
    if (!geheim_aktiv()) {
        Kalender_Geheim_Zuruecksetzen();
        return false;
    }
    if (zeichen == 0) return true;
    if (zeichen == TASTE_SHIFT || getippt_laenge >= GEHEIM_LAENGE - 1) {
        Kalender_Geheim_Zuruecksetzen();
        return true;
    }
    const char c = static_cast<char>(zeichen >= 'A' && zeichen <= 'Z' ? zeichen - 'A' + 'a' : zeichen);
    getippt[getippt_laenge++] = c;
    getippt[getippt_laenge] = 0;
    bool beginnt = false;
    for (int i = 1; i < KALENDER_GEHEIM_ANZAHL; ++i) {
        const char* code = GEHEIM_CODES[i];
        if (std::strncmp(code, getippt, static_cast<size_t>(getippt_laenge)) != 0) continue;
        if (code[getippt_laenge] == 0) {
            Kalender_Geheim_Zuruecksetzen();
            Kalender_Geheimtaste_Ausfuehren(i);
            return true;
        }
        beginnt = true;
    }
    if (!beginnt) Kalender_Geheim_Zuruecksetzen();
    return true;
}

void geld(f32 betrag) {
    if (!team_ok(Team_Aktiv)) return;
    if (ruf::Client()) ruf::Rufen(RUF_KALENDER_BEFEHL, 2, static_cast<i32>(betrag));
    else Bank_Buchen(-1, Team_Aktiv, betrag, BANK_EINNAHME, 1, -1);
    for (int i = 0; i < Team_Kader_Anzahl(Team_Aktiv); ++i) Spieler_Trainings_Zuruecksetzen(Team_Kader(Team_Aktiv)[i]);
}

}  // namespace

bool Kalender_Geheimtaste_Ausfuehren(int aktion) {
    Kalender_Lauf& l = L();
    switch (aktion) {
        case 1:
        case 2:
            geld(GEHEIM_GELD[aktion]);
            return true;
        case 3:
            // A faulty file has been reported by the reader; the old tables stay.
            Kalender_Konfig_Neu_Laden();
            return true;
        case 4:
            l.engine_fast = l.engine_fast ? 0 : 1;
            Season_Module.Spielfeld_Set_Fast(l.engine_fast);
            return true;
        case 5:
            Kalender_Set_Spiel_Fast(!Kalender_Get_Spiel_Fast());
            return true;
        case 6:
            Attribute_Alle_Maximal_Setzen();
            return true;
        case 7:
            l.testschalter = l.testschalter ? 0 : 1;
            return true;
        case 8:
            if (team_ok(Team_Aktiv)) Season_Gui.Diagnose_Screen_Init();
            return true;
        case 9:
            l.zeit_stop = l.zeit_stop ? 0 : 1;
            return true;
        case 10:
            Team_Dauerspiel();
            return true;
        case 12:
            if (ruf::Client()) ruf::Rufen(RUF_KALENDER_BEFEHL, 1, 0);
            l.automatik = l.automatik ? 0 : 1;
            if (l.automatik)
                for (int t = 0; t < Team_Anzahl; ++t) {
                    if (!Team_Hat_Manager(t)) continue;
                    if (Werbung_Daten* w = Werbung_Get(t)) w->automatik = 1;
                    Season_Gui.Auto_Aufstellung(t);
                }
            return true;
        case 15:
            Season_Gui.Netz_Lesetest();
            return true;
        case 11:
        case 13:
        case 14:
            return true;
        default:
            return false;
    }
}

i32 Kalender_Taste(int zeichen) {
    Kalender_Lauf& l = L();
    if (geheim_taste(zeichen)) return 1;
    l.frage_taste = 0;
    if (zeichen == 'l' && !l.laden) {
        // A typed key never throws the running game away unasked.
        Season_Gui.Spielstand_Laden_Fragen(0);
        return 1;
    }
    if (l.laden) {
        const int slot = l.laden - 1;
        l.laden = 0;
        l.speichern = 0;
        // A failed load keeps the running game; the save driver has told the player.
        Season_Gui.Fortschritt("Spielstand wird geladen ...", 0);
        if (!Spielstand_Laden(Kalender_Spielstand_Pfad(slot))) return 0;
        Kalender_Scouts_Laden();
        Spielstand_Set_Letzter(slot);
        l.spielstart_beendet = true;
        Season_Gui.Blt_Cache_Leeren();
        Season_Gui.Menue_Manager_Wechsel(Team_Aktiv);
        Meldung_Printf("Das Spiel aus Platz %d wurde geladen.", slot + 1);
        return 1;
    }
    if (zeichen == 'k' || l.speichern) {
        const int slot = l.speichern ? l.speichern - 1 : 0;
        const bool abbruch = l.speichern_abbruch && zeichen != 'k';
        l.speichern = 0;
        l.speichern_abbruch = 0;
        if (abbruch) return 0;
        // A failure has been shown to the player by the save-game driver.
        Season_Gui.Fortschritt("Spielstand wird gespeichert ...", 0);
        const bool gespeichert = Spielstand_Speichern(Kalender_Spielstand_Pfad(slot), 0);
        Season_Gui.Fortschritt("Spielstand wird gespeichert ...", 100);
        if (!gespeichert) return 0;
        Spielstand_Set_Letzter(slot);
        if (slot != KALENDER_AUTOSAVE_SLOT) Meldung_Printf("Das Spiel wurde in Platz %d gespeichert.", slot + 1);
        return 1;
    }
    return zeichen == 'q' || zeichen == 'h' ? 1 : 0;
}

// The screens call it where a team's turn needs nothing more of the calendar.
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Kalender_Leer2(i32) {}
