#include "season/kalender_zug.h"

#include "base/debug.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "season/ankuendigung.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr i32 STOCKUNG_MS = 1000;  // a longer overrun is a stalled frame, not a late manager

Kalender_Lauf& L() { return Kalender_Lauf_Get(); }

}  // namespace

bool Kalender_Team_Online_Woanders(i32 team) {
    return !ruf::Einzel() && team >= 0 && team < Team_Anzahl &&
           (Team_Wert(7, team, 0, 0) & TEAM_STATUS_USER_AKTIV) != 0;
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
    if (l.zug_gestartet || l.neuer_tag == 1) return false;
    // While a match of a club at this machine is being played the turns
    // wait; its manager's menu comes back with the result (a network game
    // keeps its own hand-over).
    i32 teams[KALENDER_MAX_ZUGLISTE];
    const int n = ruf::Einzel() ? Manager_Ist_Dran(teams, 0, 0) : 0;
    for (int i = 0; i < n && i < KALENDER_MAX_ZUGLISTE; ++i)
        if (Season_Module.Spieltag_Team_Im_Spiel(teams[i])) return true;
    if (Spielankuendigung_Screen_Offen() || !Season_Module.Spielankuendigung_Puffer_Leer()) return false;
    Kalender_Neue_Zugliste();
    if (l.zug_index >= l.zug_anzahl) {
        // Nobody plays at this machine today: the day is done; a stop on a
        // matchday (255) is seen for one pass before the advance goes on.
        l.tag_fertig = 1;
        if (l.neuer_tag == 0) l.neuer_tag = 1;
        return false;
    }
    l.tag_fertig = 0;
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

i32 Kalender_Taste(int zeichen) {
    Kalender_Lauf& l = L();
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
        Spielstand_Set_Letzter(slot);
        l.spielstart_beendet = true;
        Season_Gui.Blt_Cache_Leeren();
        Season_Gui.Menue_Manager_Wechsel(Team_Aktiv);
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
void Kalender_Leer2(i32) {}
