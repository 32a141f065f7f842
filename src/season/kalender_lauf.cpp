#include "season/kalender_lauf.h"

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/debug.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/memory.h"
#include "base/meldung.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/welt_tag.h"
#include "season/kalender_zug.h"
#include "season/netz_rufe.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/rangliste.h"
#include "season/richter.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/startkonten.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_schreiben.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "base/config.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/werbung.h"

i32 Kalender_Runmodus = RUNMODUS_NEUES_SPIEL;
u32 Kalender_Jetzt = 0;

namespace {

// Times of the run loop in milliseconds, and its fixed step counts.
constexpr u32 MUSIK_INTERVALL = 500;
constexpr u32 RICHTER_INTERVALL = 5000;
constexpr u32 MAUS_RUHE_SCHRITT = 100;  // unit of the idle mouse's extra steps
constexpr i32 MAUS_RUHE_MIN = 3, MAUS_RUHE_MAX = 30;
constexpr int SCHRITTE_PRO_STUFE = 20;     // matchday steps per speed level
constexpr int SCHRITTE_ANKUENDIGUNG = 40;  // matchday steps while an announcement steps matches
constexpr int AUTOMATIK_MAUS_RAND = 10;    // the mouse left of it stops the automatic
// Icons of the screens the run loop looks for.
constexpr int ICON_WEITER = 707;       // the "next day" button
constexpr int ICON_MENUE_VIDEO = 708;  // the menu screen with the background video
constexpr int ICON_VIDEO_PAUSE = 715;  // a screen that pauses every video
// Draws of the random table in every day advance.
constexpr int ZIEHUNGEN_PRO_TAG = 3;
// The answer of the announcement pass that steps the matches.
constexpr int ANKUENDIGUNG_FERTIG = 0, ANKUENDIGUNG_LAEUFT = 1;

Kalender_Lauf lauf;
bool beendet = false;  // the end-of-game mode has freed the modules
bool zurueck = false;  // back to the start screen at the next pass
// The configuration set of a new game, and the set whose competitions a
// finished set-up reads (-1 none).
struct Spielstart {
    int konfig_satz = 0;
    int wettbewerb_satz = -1;
    int alias_satz = -1;
} spielstart;

void modus_setzen(i32 m) {
    lauf.runmodus = m;
    Kalender_Runmodus = m;
}

void module_initialisieren() {
    // A new game starts without the pages a game before it left waiting (a
    // client whose server went returns to the start screen with them).
    Spielankuendigung_Init();
    Ereignis_Init();
    News_Init();
    Wettbewerb_Init();
    Spiele_Init();
    Bank_Init();
    Season_Gui.Menue_Init();
    Season_Module.Spieltag_Init();
    Stadion_Init();
    Werbung_Init();
    Statistik_Init();
    Kalender_Flags_Setzen();
    Global_Cfg_Laden(spielstart.konfig_satz);
    Global_Cfg_Reset();
    Team_Init_Leer();
}

void module_freigeben(bool programm_ende = true) {
    if (ruf::Client()) {
        ruf::Rufen(RUF_TEAM_BEREIT, -1);
    }
    Season_Gui.Backsound_Pause(1);
    Statistik_Free();
    Stadion_Free();
    Season_Module.Spielfeld_Free();
    Season_Module.Spieltag_DeInit();
    Season_Gui.Menue_Free();
    Bank_Free();
    Spiele_Free();
    Wettbewerb_Free();
    News_Free();
    Spieler_Free();
    Team_Free(1);
    Season_Gui.Texte_Free();
    Ereignis_Free();
    Rangliste_Free();
    Season_Gui.Blt_Cache_Leeren();
    Kalender_Free();
    Season_Gui.Sound_Free();
    Season_Gui.Backsound_Pause(1);
    if (programm_ende) Tools_Programm_Beenden("Kalender_Run", 0);
}

// One pass of the running matches, with extra steps for fast play, single
// steps and (in a manager's turn) a mouse that rests. A match shown live
// takes a step only when its pitch clock is due (and its step clears the
// single-step flag), so these passes carry on the matches behind the view.
bool spiele_schritte(bool zug) {
    lauf.spielschritt = 1;
    bool laufen = Season_Module.Spieltag_Run(0);
    if (!laufen || !(lauf.spiel_fast || lauf.spielschritt)) return laufen;
    int n = 0;
    if (zug) {
        Season_Module.Spieltag_Run(0);
        i32 mx = Season_Gui.Maus_X(), my = Season_Gui.Maus_Y();
        if (mx == lauf.letzte_maus_x && my == lauf.letzte_maus_y) {
            i32 k = static_cast<i32>((Kalender_Jetzt - lauf.letzte_maus_zeit) / MAUS_RUHE_SCHRITT);
            if (k < MAUS_RUHE_MIN) k = 0;
            if (k > MAUS_RUHE_MAX) k = MAUS_RUHE_MAX;
            if (k) n = k + SCHRITTE_PRO_STUFE * lauf.spielschritt + SCHRITTE_PRO_STUFE;
        } else {
            lauf.letzte_maus_x = mx;
            lauf.letzte_maus_y = my;
            lauf.letzte_maus_zeit = Kalender_Jetzt;
        }
    } else {
        n = SCHRITTE_PRO_STUFE * (lauf.spiel_fast + lauf.spielschritt + 1);
    }
    for (int i = 0; i < n; ++i) Season_Module.Spieltag_Run(0);
    return laufen;
}

// The calendar, its texts and the player texts, once.
bool kalender_bereit() {
    if (Kalender_Ist_Initialisiert()) return true;
    Season_Gui.Texte_Laden();
    Spieler_Init_Texte();
    Kalender_Init(nullptr);
    if (Kalender_Ist_Initialisiert()) return true;
    Debug_Printf("Kalender_Init misslungen!");
    return false;
}

// Day advance: the next group of today's open matches starts, or the daily
// tick runs; a matchday stops it, and so does every new day on which
// managers at this machine take their turns (days without matches and
// managers pass one per frame). A server's day waits for the turns of its
// clients' managers; a client's follows the server's.
void tag_vorruecken() {
    if (lauf.neuer_tag != 1) return;
    if (ruf::Client()) {
        Kalender_Client_Tag_Folgen();
        return;
    }
    bool neuer = false;
    if (Season_Module.Spieltag_Spiele_Offen()) {
        Season_Module.Spieltag_Naechste_Gruppe();
    } else if (!Spielankuendigung_Screen_Offen()) {
        if (ruf::Server() && !Season_Netz.Clients_Fertig()) return;
        const Datum vorher = Kalender_Get_Datum();
        const bool begonnen = lauf.spielstart_beendet && Kalender_Get_Tag() > 0;
        Kalender_Jeden_Tag();
        neuer = true;
        // The world's own step follows the tick: the new month's money, the
        // new season's ageing.
        const Datum heute = Kalender_Get_Datum();
        if (begonnen && lauf.spielstart_beendet && heute.tag != vorher.tag)
            Welt_Tag(heute.monat != vorher.monat, heute.monat == 7 && heute.tag_im_monat == 3);
        // Normal play's draw of the pass belongs to the game's step, not to
        // the frame: a pass that only shows the menus, a notice or a match
        // while the manager thinks draws nothing, so a game saved and loaded
        // again (whose notices take other frames) and a manager quick or slow
        // in the menus meet the same numbers. It comes before the pass's
        // save or load, so a save taken in this pass already holds it.
        if (lauf.runmodus == RUNMODUS_SPIEL) Rnd_Basis(0, 1);
    }
    if (lauf.neuer_tag == 1 && (Kalender_Spieltage_Heute(-1, 0, nullptr) > 0 || (neuer && Kalender_Hat_Zuege())))
        lauf.neuer_tag = 255;
}

// Typed keys, mouse clicks, music and the automatic.
void eingaben(u8 neuer_tag_vorher) {
    if (Season_Gui.Taste_Oder_Klick() || lauf.taste_wartet) {
        lauf.taste_wartet = 0;
        int zeichen = Season_Gui.Taste_Get_Zeichen();
        if (lauf.runmodus != RUNMODUS_NEUES_SPIEL && lauf.runmodus != RUNMODUS_ENDE) Kalender_Taste(zeichen);
    } else if (neuer_tag_vorher != 1 && lauf.neuer_tag != 1) {
        // A stop on a matchday (255) is cleared on the next pass.
        lauf.neuer_tag = 0;
    }
    u8 tasten = static_cast<u8>(Season_Gui.Maus_Tasten());
    if ((tasten & 1) && !(lauf.letzte_maustasten & 1)) lauf.links_klick ^= 1;
    lauf.letzte_maustasten = tasten;
    if (Kalender_Jetzt - lauf.letzte_musik > MUSIK_INTERVALL) {
        Season_Gui.Backsound_Update();
        lauf.letzte_musik = Kalender_Jetzt;
    }
    if (lauf.automatik) {
        if (Season_Gui.Maus_X() < AUTOMATIK_MAUS_RAND) lauf.automatik = 0;
        else if (Season_Gui.Icon_Auf_Screen(ICON_WEITER)) lauf.neuer_tag = 1;
    }
}

// True when the set-up wizard is finished; a finished set-up reads the
// competitions of the headless start set once.
bool spielstart_pruefen(u8* wizard) {
    // An open edit of the competitions keeps the new game back.
    if (Config_Modify_Sperrt_Spielstart() || !Season_Gui.Spielstart_Pruefen(0, wizard)) return false;
    if (!lauf.spielstart_beendet && spielstart.wettbewerb_satz >= 0)
        Wettbewerb_Config_Spielstart(spielstart.wettbewerb_satz, spielstart.alias_satz);
    lauf.spielstart_beendet = true;
    return true;
}

// Mode 23: the wizard; when it is finished the first season begins.
void modus_wizard() {
    u8 wizard = 0;
    if (spielstart_pruefen(&wizard)) {
        modus_setzen(RUNMODUS_TAGE_LAUFEN);
        if (ruf::Einzel()) Werbung_Init_Manager_Teams();
        Kalender_Jedes_Jahr();
        Team_Free_Ladepuffer();
        if (!ruf::Client()) {
            // Every club's line-up comes from here (a second round of line-ups
            // on the same squads would pick the same ones again).
            Team_Nach_Spieler(wizard);
            Startkonten_Eroeffnen();
        } else if (!Season_Module.Spieltag_Kein_Spiel()) {
            Kalender_Internet_Client_Laden();
        }
        Rangliste_Init_Falls_Noetig();
        Kalender_Neue_Zugliste();
        if (ruf::Client()) Season_Netz.Client_Teamdaten_Abgleichen();
        // A client is handed its controls at once: its days come from the server.
        if (ruf::Client()) Season_Gui.Menue_Manager_Wechsel(Team_Aktiv);
        else lauf.erste_uebergabe = true;
        lauf.zug_start = Kalender_Jetzt;
        // The first day's turns are handed out.
        lauf.zug_gestartet = lauf.zug_index < lauf.zug_anzahl ? 1 : 0;
    }
    Season_Gui.Menue_Tick();
    Season_Gui.Kalender_Blit_Modus(0);
}

// The news pass and the announcement check of a manager's turn.
void news_und_ankuendigungen() {
    if (!lauf.news_pruefen) return;
    if (!lauf.ankuendigung_pruefen) {
        if (!News_Pruefen(Team_Aktiv)) {
            lauf.news_pruefen = 0;
            lauf.letzter_richter = Kalender_Jetzt;
        }
    } else if (!Season_Gui.Modal_Screen()) {
        // The check stays while an announcement of the active team's match
        // starts now; the news pass follows later.
        if (!(Season_Module.Spieltag_Team_Offen(Team_Aktiv) && Spielankuendigung_Jetzt(0, true)))
            lauf.ankuendigung_pruefen = 0;
    }
}

// A manager's turn in the menus.
void manager_zug() {
    Season_Gui.Menue_Hintergrund_Video(1, 0);
    lauf.menue_gezeigt = 1;
    if (lauf.zug_index >= lauf.zug_anzahl) {
        Kalender_Neue_Zugliste();
        Season_Gui.Menue_Manager_Wechsel(Team_Aktiv);
        lauf.zug_start = Kalender_Jetzt;
        lauf.zug_gestartet = 1;
    }
    Season_Gui.Menue_Tick();
    Season_Gui.Bnk_Pause_Alle(Season_Gui.Icon_Auf_Screen(ICON_VIDEO_PAUSE) ? 1 : 0);
    // Releasing every video above also set the menu's clip going, and the
    // tick may have opened a screen above the menu (the screen used last
    // reopens at a turn's start): the clip is asked again before this frame
    // is shown, so it never lies over a screen.
    Season_Gui.Menue_Hintergrund_Video(-1, 0);
    if (Season_Gui.Modal_Screen()) {
        lauf.menue_gezeigt = 0;
        Season_Gui.Menue_Hintergrund_Video(-1, 1);
    }
    if (!Season_Gui.Icon_Auf_Screen(ICON_MENUE_VIDEO)) Season_Gui.Menue_Hintergrund_Video(-1, 1);
    Season_Gui.Kalender_Blit_Modus(0);
    Kalender_Zugzeit_Pruefen();
    Season_Gui.Kalender_Blit_Zugzeit();
    if (Kalender_Jetzt - lauf.letzter_richter > RICHTER_INTERVALL) {
        Richter_Jeden_Tag();
        lauf.letzter_richter = Kalender_Jetzt;
        Kalender_Flags_Setzen();
    }
    news_und_ankuendigungen();
}

// While a screen before or after a match stands at a server (and a box over
// it waits for its answer), and in its manager's turn, the matchday goes on
// as long as a client's match runs: it is played here in step with the
// client's machine, at the client's pace, and must never wait for what the
// server's manager reads or does. The matches of this machine's managers
// wait for the screen as before.
void andere_spiele_schritte() {
    if (!ruf::Server()) return;
    i32 teams[KALENDER_MAX_ZUGLISTE];
    const int n = std::clamp(Manager_Ist_Dran(teams, 0, 0), 0, KALENDER_MAX_ZUGLISTE);
    for (int i = 0; i < n; ++i)
        if (Kalender_Team_Online_Woanders(teams[i]) && Season_Module.Spieltag_Team_Im_Spiel(teams[i])) {
            spiele_schritte(false);
            return;
        }
}

// Mode 1: normal play.
void modus_spiel() {
    if (ruf::Server()) Season_Netz.Startteams_Senden();
    // No screens while the day advances or a match at this machine is played.
    // A client's day stays open (new-day flag 1) until the server's moves
    // on: its own match is played and shown within it.
    const bool im_spiel = (lauf.neuer_tag != 1 || ruf::Client()) && Kalender_Pruefe_Zugende();
    // A client waiting for the server's next day shows the pages after its
    // match as they come (on the day of the match).
    const bool seiten = ruf::Client() && !Spielankuendigung_Puffer_Leer();
    // A pass of a manager's turn steps the matches by the resting mouse,
    // also while a screen of his stands over the menu.
    bool zug = false;
    if ((lauf.neuer_tag == 1 && !seiten) || im_spiel) {
        lauf.zug_start = Kalender_Jetzt;
        if (im_spiel) Season_Gui.Spiel_Warten();
    } else if (Spielankuendigung_Run(Kalender_Jetzt) != ANKUENDIGUNG_FERTIG ||
               (!Spielankuendigung_Puffer_Leer() && !Season_Gui.Modal_Screen())) {
        lauf.zug_start = Kalender_Jetzt;
        lauf.ankuendigung_pruefen = 0;
        modus_setzen(RUNMODUS_SPIELTAG);
        Season_Gui.Bnk_Pause_Alle(1);
    } else if (lauf.neuer_tag == 1) {
        lauf.zug_start = Kalender_Jetzt;
        Season_Gui.Spiel_Warten();
    } else {
        manager_zug();
        zug = true;
    }
    if (spiele_schritte(zug)) Season_Module.Spielfeld_Anzeige_Refresh();
    else Season_Gui.Backsound_Pause(0);
    // A turn's pass steps the matches by the mouse that rests: a client's
    // match is not held to the server's manager's hand.
    if (zug) andere_spiele_schritte();
}

// Mode 22: the matchday's announcements.
void modus_spieltag() {
    Season_Gui.Backsound_Pause(0);
    int r = Spielankuendigung_Run(Kalender_Jetzt);
    if (r == ANKUENDIGUNG_FERTIG) {
        if (lauf.runmodus == RUNMODUS_SPIELTAG && Spielankuendigung_Puffer_Leer()) {
            modus_setzen(RUNMODUS_SPIEL);
            Kalender_Flags_Setzen();
            Season_Gui.Sound_Alle_Stoppen();
            Kalender_Pruefe_Zugende();
        }
    } else if (r != ANKUENDIGUNG_LAEUFT) {
        for (int i = 0; i < SCHRITTE_ANKUENDIGUNG; ++i) Season_Module.Spieltag_Run(0);
    } else {
        // The picture before a match of this machine (or a page opening)
        // stands: a client's match plays on meanwhile.
        andere_spiele_schritte();
    }
    Season_Gui.Menue_Hintergrund_Video(-1, 1);
    lauf.zug_start = Kalender_Jetzt;
}

// Modes 17, 18 and 24: waiting for an announcement screen to close.
void modus_warten() {
    if (Spielankuendigung_Screen_Offen()) {
        Season_Gui.Menue_Tick();
        Season_Gui.Kalender_Blit_Modus(0);
        andere_spiele_schritte();
    } else {
        Kalender_Flags_Setzen();
        modus_setzen(RUNMODUS_SPIEL);
    }
}

}  // namespace

Kalender_Lauf& Kalender_Lauf_Get() { return lauf; }

void Kalender_Lauf_Reset() {
    lauf = Kalender_Lauf{};
    Kalender_Geheim_Zuruecksetzen();
    modus_setzen(RUNMODUS_NEUES_SPIEL);
    beendet = false;
}

void Kalender_Set_Spielstart(int konfig_satz, int wettbewerb_satz, int alias_satz) {
    spielstart = {konfig_satz, wettbewerb_satz, alias_satz};
}

bool Kalender_Konfig_Neu_Laden() { return Global_Cfg_Laden(spielstart.konfig_satz); }
bool Kalender_Scouts_Laden() {
    // Read once a program: a set without the file keeps what it has.
    if (Scout_Tabelle[0].vorname[0]) return true;
    const char* pfad = Read_Config_Get_Filenamen(CONFIG_PERSONAL, spielstart.konfig_satz, 0);
    if (!pfad) return false;
    std::string datei = pfad;
    std::replace(datei.begin(), datei.end(), '\\', '/');
    std::error_code ec;
    if (!std::filesystem::exists(datei, ec)) return false;
    return Personal_Cfg_Laden(spielstart.konfig_satz);
}

const char* Kalender_Spielstand_Pfad(int slot) {
    const char* p = Spielstand_Pfad(slot);
    return p ? p : "";
}

void Kalender_Flags_Setzen() {
    lauf.news_pruefen = 1;
    lauf.ankuendigung_pruefen = 1;
}

i32 K_NEUER_TAG(i32 kommando, i32 slot) {
    if (!Kalender_Ist_Initialisiert() || kommando < KALENDER_LADEN || kommando > KALENDER_NEUER_TAG) return 0;
    switch (kommando) {
        case KALENDER_LADEN:
            lauf.laden = static_cast<u8>(slot + 1);
            lauf.taste_wartet = 1;
            return 1;
        case KALENDER_SPEICHERN:
            lauf.speichern = static_cast<u8>(slot + 1);
            lauf.speichern_abbruch = 0;
            lauf.taste_wartet = 1;
            return 1;
        case KALENDER_SPEICHERN_FRAGEN:
        case KALENDER_SPEICHERN_FRAGEN_RESERVIERT:
            lauf.speichern = 1;
            lauf.speichern_abbruch = 1;
            lauf.reserviert = kommando == KALENDER_SPEICHERN_FRAGEN_RESERVIERT ? 1 : 0;
            lauf.taste_wartet = 1;
            return 1;
        case KALENDER_FRAGE_TASTE:
            lauf.frage_taste = 1;
            lauf.taste_wartet = 1;
            return 1;
        case KALENDER_ZUG_ENDE:
            Debug_Printf("K_NEUER_TAG Index:%d Team:%d\r\n", lauf.zug_index, Team_Aktiv);
            if (!K_Setze_Manager_Im_Menue()) {
                Debug_Printf("K_NEUER_TAG Spielstart...\r\n");
                lauf.zug_gestartet = 0;
                // The line-ups picture before each human team's match of today.
                i32 teams[KALENDER_MAX_ZUGLISTE];
                const int n = std::clamp(Manager_Ist_Dran(teams, 0, 0), 0, KALENDER_MAX_ZUGLISTE);
                bool offen = false;
                for (int i = 0; i < n; ++i) {
                    if (!Season_Module.Spieltag_Team_Offen_Ankuendigen(teams[i])) continue;
                    offen = true;
                    if (Team_Hat_Manager_Aktiv(teams[i]))
                        Spielankuendigung_Puffern(ANK_VOR_SPIEL, static_cast<u32>(teams[i] + 8 * Team_Anzahl));
                }
                // The button shows the date while the day goes on by itself;
                // a match of a manager here keeps it free.
                Season_Gui.Menue_Set_Icon707_Status(!offen);
                lauf.neuer_tag = 1;
                modus_setzen(RUNMODUS_SPIELTAG);
            }
            return 0;
        default:
            Debug_Printf("K_NEUER_TAG_INTERN\r\n");
            lauf.neuer_tag = 1;
            return 0;
    }
}

void Kalender_Set_Runmodus(i32 modus) {
    if (!Kalender_Ist_Initialisiert()) return;
    if (modus != RUNMODUS_WARTEN_17 && modus != RUNMODUS_WARTEN_18 && modus != RUNMODUS_WARTEN_24) {
        Debug_Printf("Falscher Wert für Kalender_Set_Runmodus");
        return;
    }
    modus_setzen(modus);
}

i32 Kalender_Get_Runmodus() { return lauf.runmodus; }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Kalender_Ist_Im_Spiel() { return lauf.runmodus == RUNMODUS_SPIEL; }
void Kalender_Start_Spielzeit() { lauf.zug_start = Kalender_Jetzt; }
void Kalender_Clear_Neuer_Tag() { lauf.neuer_tag = 0; }
i32 Kalender_Ist_Automatik() { return lauf.automatik; }
i32 Kalender_Get_Spiel_Fast() { return lauf.spiel_fast; }
void Kalender_Set_Spiel_Fast(i32 an) { lauf.spiel_fast = an ? 1 : 0; }
void Kalender_Reset_Spielschritt() { lauf.spielschritt = 0; }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Kalender_Get_Testschalter() { return lauf.testschalter; }

void Kalender_Neue_Zugliste() {
    int n = Manager_Ist_Dran(lauf.zugliste, 0, 0);
    n = std::clamp(n, 0, KALENDER_MAX_ZUGLISTE);
    std::vector<u32> t(lauf.zugliste, lauf.zugliste + n);
    if (ruf::Einzel()) {
        SortMisch_Mische(t.data(), n);
    } else {
        // In a network game the managers' turns are handed out again as
        // often as they are ended while the day's matches wait for or play
        // with the other machines: the order is drawn aside from the shared
        // cursor, from the date, so the game's numbers do not depend on how
        // often that was.
        Rnd_Push();
        Rnd_Set_Index(Kalender_Get_Jahr() * 367 + Kalender_Get_Tag(), 0);
        SortMisch_Mische(t.data(), n);
        Rnd_Pop();
    }
    for (int i = 0; i < n; ++i) lauf.zugliste[i] = static_cast<i32>(t[i]);
    lauf.zug_anzahl = n;
    lauf.zug_index = 0;
    while (lauf.zug_index < n && Kalender_Team_Online_Woanders(lauf.zugliste[lauf.zug_index])) ++lauf.zug_index;
    Season_Gui.Menue_Hintergrund_Video(0, 1);  // queued for release
    if (lauf.zug_index < n) Team_Aktiv = lauf.zugliste[lauf.zug_index];
    lauf.zug_start = Kalender_Jetzt;
    // The end-of-turn button is free while somebody here takes a turn.
    Season_Gui.Menue_Set_Icon707_Status(lauf.zug_index >= n);
}

u8 Kalender_Jeden_Tag() {
    if (ruf::Client()) {
        lauf.neuer_tag = 0;
        // The server's day taken: its matches begin at the pitch clock here
        // too (fast play of an earlier match does not run them), and this
        // client's row follows the server's.
        if (lauf.spielstart_beendet) Season_Module.Spieltag_Vorbereiten();
        return 1;
    }
    Kalender_Flags_Setzen();
    Kalender_Zustand& z = Kalender_Get_Zustand();
    const i32 heute = z.aktuell.tag;
    Datum neu = Kalender_Get_Datum_Von_Tag(heute + 1, true);
    bool monatswechsel = neu.monat != z.aktuell.monat;
    bool saisonstart = false;
    if (neu.monat == 7 && neu.tag_im_monat == 3) {
        ++z.jahr;
        saisonstart = true;
    }
    if (heute == 0) saisonstart = true;
    // Weekly autosave: the save holds the day before the advance.
    if ((heute + 1) % 7 == 0 && Option_Wert(OPTION_AUTOSAVE, 0, 0)) {
        if (!Spielstand_Speichern_Hintergrund(Kalender_Spielstand_Pfad(KALENDER_AUTOSAVE_SLOT), 1))
            Debug_Printf("Autosave in Slot %d misslungen\n", KALENDER_AUTOSAVE_SLOT);
    }
    z.aktuell = neu;
    for (int i = 0; i < ZIEHUNGEN_PRO_TAG; ++i) Rnd_Basis(0, 8);
    const bool fertig = lauf.spielstart_beendet;
    if (fertig) {
        Debug_Printf("JEDEN TAG %s \n", z.aktuell.zahl_text);
        // A new season: the per-day tables start again at 3 July.
        if (saisonstart && heute != 0) Season_Module.Saison_Wechsel();
        Rangliste_Sortieren();
        Season_Module.Spieltag_Vorbereiten();
        Richter_Jeden_Tag();
        i32 teams[KALENDER_MAX_ZUGLISTE];
        int n = Manager_Ist_Dran(teams, 0, 0);
        i32 aktiv = Team_Aktiv;
        for (int i = 0; i < std::min(n, KALENDER_MAX_ZUGLISTE); ++i)
            if (teams[i] == aktiv) {
                Season_Gui.Menue_Set_Aktiver_Manager(aktiv);
                break;
            }
        Debug_Printf("Stopuhr...Richter");
        Season_Module.Wettbewerb_Jeden_Tag();
    }
    if (monatswechsel) Debug_Printf("JEDEN MONAT\n");
    Datum d = Kalender_Get_Datum_Von_Tag(-1, true);
    if (d.monat == 7 && d.tag_im_monat == 3) saisonstart = true;
    if (fertig) Ereignis_Jeden_Tag();
    Season_Gui.Blt_Cache_Leeren();
    Kalender_Flags_Setzen();
    return saisonstart ? 1 : 0;
}

void Kalender_Zurueck_Zum_Start() { zurueck = true; }

void Kalender_Run() {
    if (zurueck && !beendet && Kalender_Ist_Initialisiert()) {
        zurueck = false;
        // The server has gone: nothing is asked of it on the way out (a
        // failed request would tell the player a second time).
        ruf::Als_Einzel();
        module_freigeben(false);
        Kalender_Lauf_Reset();
        return;
    }
    zurueck = false;
    // The weekly autosave's write, when it has ended, is answered here (a
    // failure with its message).
    Spielstand_Hintergrund_Pruefen();
    if (beendet || !kalender_bereit()) return;
    Season_Gui.Maus_Update();
    if (Quit_Status != QUIT_STATUS_LAEUFT) {
        Quit_Status = QUIT_STATUS_VERLASSEN;
        modus_setzen(RUNMODUS_ENDE);
    }
    Kalender_Jetzt = W32_Get_Time();
    lauf.jetzt = Kalender_Jetzt;
    const u8 neuer_tag_vorher = lauf.neuer_tag;
    // The heap's free pages asked back at the season change go back in the
    // pass after it.
    W32_Memory_Zurueckgeben_Faellig();
    tag_vorruecken();
    Kalender_Client_Zugzeit_Pruefen();
    eingaben(neuer_tag_vorher);
    // The menu's background video pauses; its on or off state stays.
    Season_Gui.Menue_Hintergrund_Video(-1, 1);
    lauf.menue_gezeigt = 0;

    switch (lauf.runmodus) {
        case RUNMODUS_NEUES_SPIEL:
            if (Config_Modify_Sperrt_Spielstart()) break;  // the edit's table stays
            module_initialisieren();
            spielstart_pruefen(nullptr);
            modus_setzen(RUNMODUS_WIZARD);
            Season_Gui.Backsound_Update();
            break;
        case RUNMODUS_WIZARD: modus_wizard(); break;
        case RUNMODUS_TAGE_LAUFEN:
            if (Kalender_Jeden_Tag() || Kalender_Get_Tag() == 0) {
                modus_setzen(RUNMODUS_SPIEL);
                // The header shows the day of the turn from the first hand-over on.
                if (lauf.erste_uebergabe) Season_Gui.Menue_Manager_Wechsel(Team_Aktiv);
                lauf.erste_uebergabe = false;
            }
            lauf.zug_start = Kalender_Jetzt;
            break;
        case RUNMODUS_SPIEL: modus_spiel(); break;
        case RUNMODUS_SPIELTAG: modus_spieltag(); break;
        case RUNMODUS_WARTEN_17:
        case RUNMODUS_WARTEN_18:
        case RUNMODUS_WARTEN_24: modus_warten(); break;
        case RUNMODUS_ENDE:
            module_freigeben();
            beendet = true;
            break;
        default: break;
    }
    // A quit asked for during this pass ("Beenden" answered with yes in the
    // menu): the game's modules are freed now, before the main loop ends
    // the program after this frame.
    if (Quit_Status != QUIT_STATUS_LAEUFT && !beendet) {
        Quit_Status = QUIT_STATUS_VERLASSEN;
        modus_setzen(RUNMODUS_ENDE);
        module_freigeben();
        beendet = true;
    }
    Season_Gui.Taste_Reset();
}
