// Start-up registration of the layers' hooks.
//
// Each lower layer's hook table is built by one function here (or in the
// season's part, saison_anmelden.cpp) with designated initialisers naming
// the entries of the layers above, and installed once. Entries left out keep
// their defaults. Every program (the game, the headless network tool, the
// tests that drive the program) links all layers and runs this one
// registration.
#include "main/registrierung.h"


#include "main/heap.h"
#include "main/lager_stand.h"
#include "main/netz_anmelden.h"
#include "main/posteingang.h"

#include "base/globals.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "platform/display.h"
#include "platform/hooks.h"

#include "world/modi.h"
#include "world/netz_rufe.h"
#include "world/speichern.h"
#include "graphics/font.h"
#include "graphics/grafik_start.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "graphics/farbe.h"
#include "graphics/glatt.h"
#include "base/meldung.h"
#include "gui/ank_seiten.h"
#include "gui/anmelden.h"
#include "gui/bilder.h"
#include "gui/eingabe.h"
#include "gui/spielfeld_uebersicht.h"
#include "gui/gesicht.h"
#include "gui/hauptmenue.h"
#include "gui/menue_spiel.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "platform/input.h"
#include "base/spielstand.h"
#include "net/netz_start.h"
#include "net/protokoll.h"
#include "net/server_schalter.h"
#include "net/slots.h"
#include "world/netz.h"
#include "world/team.h"
#include "match/netz_rufe.h"
#include "match/spielfeld.h"
#include "screens/start/spielstart.h"
#include "screens/anmelden.h"
#include "screens/club/rangliste_screen.h"
#include "screens/club/spielstand.h"
#include "screens/live_view/figuren.h"
#include "screens/live_view/spielansicht.h"
#include "screens/live_view/kommentar.h"
#include "screens/live_view/stadion_ton.h"
#include "screens/match/ank_bild.h"
#include "screens/match/ank_fenster.h"
#include "screens/match/im_spiel.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/squad/kader.h"
#include "screens/screens.h"
#include "matchday/spieltag.h"
#include "screens/training/ablauf.h"
#include "world/team.h"
#include "net/server_schalter.h"
#include "net/start_netz.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/rangliste.h"
#include "season/richter.h"
#include "main/saison_anmelden.h"
#include "matchday/season_netz.h"
#include "season/season_hooks.h"
#include "season/season_spielstand.h"
#include "matchday/saison.h"
#include "matchday/spieltag.h"
#include "season/spiele.h"
#include "season/vorschau_saetze.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {
// Configuration set of a new game: set 0 is the shipped "1_*.cfg" files.
constexpr int kStartSet = 0;
// The game option that switches the menu animation.
[[maybe_unused]] constexpr int kOptionMenueAnimation = 24;

// The world's save blocks and server rows.
void welt_anmelden() {
    // Save blocks 8 to 12 and 14, and the world's part of the configuration cache.
    Welt_Spielstand_Anmelden();
    // The server rows of the world's remote calls and blocks.
    Welt_Netz_Anmelden();
}

// The match engine's table: the matchday's answers (with the season) and, in
// a network game, the signal relay to the server and the fetch of a pitch.
Spielfeld_Hooks spielfeld_tabelle() {
    Spielfeld_Hooks h = Saison_Spielfeld_Tabelle();
    h.client_signal = [](const Spielfeld_Sync_Signal* s) {
        const std::vector<u8> b = bytes::bild(s, 1);
        Netz_Signal_Senden(b.data(), static_cast<u32>(b.size()));
    };
    h.hole_spielfeld = Spielfeld_Netz_Holen;
    // The live match view: started and freed with the display, one frame of
    // it per frame of play, the focused view's pitch for the in-match screens.
    h.ansicht_init = [] { Spielansicht_Init(); };
    h.ansicht_free = Spielansicht_Free;
    h.ansicht_run = [](Spielfeld_Daten** liste, int anzahl, Spielfeld_Steuerung* st) {
        Spielansicht_Run(liste, anzahl, st, 0);
    };
    h.ansicht_get_spielfeld = Spielansicht_Get_Spielfeld;
    // The engine's notices in the live view's ticker line; the crowd's
    // sounds of the match the focused view shows.
    h.ticker = Spielansicht_Ticker_Setzen;
    h.sound_stadion = Spielansicht_Sound_Stadion;
    h.sound_reaktion = Spielansicht_Sound_Reaktion;
    h.sound_stereo = Spielansicht_Sound_Stereo;
    // A player's deduction at a place is the in-match line-up screen's rule.
    h.positionsabzug = E_Im_Spiel_Screen_Positionsabzug;
    // A recorded match event redraws the floating table and results windows.
    h.ankuendigung_refresh = Spielankuendigung_Set_Refresh;
    return h;
}

// A live match view needs a display to show it on: the human clubs'
// matches are shown (up to four at once, paced to the clock) in a window
// and headless with a frame buffer; a program without a display (the
// headless network tool) plays them unseen on the engine.
bool live_ansicht() { return W32_Display.puffer != nullptr; }

// The matchday's table: the season's entries and the live view.
Spieltag_Hooks spieltag_tabelle() {
    Spieltag_Hooks h = Saison_Spieltag_Tabelle();
    h.live_ansicht = live_ansicht;
    return h;
}

// The team's table: the season's entries and the post-match step's
// automatic training of the training sheet.
Team_Hooks team_tabelle() {
    Team_Hooks h = Saison_Team_Tabelle();
    h.automatisches_training = [](int t) { Training_Automatisch(t); };
    return h;
}

Season_Gui_Hooks season_gui_tabelle(bool (*spielstart)(int, u8*));

// The season: its save blocks, hook tables and server rows; the match
// engine's, the matchday's and the team's tables.
void saison_anmelden(bool (*spielstart)(int, u8*)) {
    // The global.cfg a new game loads; the season's save blocks, hook
    // tables and server rows (shared with the headless runs).
    Kalender_Set_Spielstart(kStartSet);
    Saison_Module_Anmelden({
        .module = Saison_Module_Tabelle(),
        .gui = season_gui_tabelle(spielstart),
        .spielfeld = spielfeld_tabelle(),
        .team = team_tabelle(),
        .spieltag = spieltag_tabelle(),
    });
}

// Archives, fonts, sound, music and videos.
void grafik_anmelden() {
    // Music and effects follow the active manager's options 42 and 43 (on
    // while no manager is active); the run loop updates the music every
    // 500 ms, holds it for the live match, pauses the videos and stops the
    // effects.
    Sound_Set_Hooks({
        .musik_an = [] { return Option_Wert(OPTION_TEAM_BIT_0, 0, 1) != 0; },
        .effekte_an = [] { return Option_Wert(OPTION_TEAM_LETZTE, 0, 1) != 0; },
    });
}

// A club whose crest photo lies in the crest folder shows it; any other
// club, or a photo that is missing or damaged, the crest of the archive.
Rastport* wappen_laden(i32 nummer, i32 team) {
    if (team >= 0 && team < Team_Anzahl && (Team_Wert(TEAM_WERT_STATUS, team, 0, OP_LESEN) & TEAM_STATUS_WAPPENFOTO))
        if (Rastport* foto = Bilder_Laden(team, nullptr, BILDER_WAPPEN)) return foto;
    return Wappen_Aus_Archiv(nummer);
}

// The menu engine in the frame of play; texts and announcement pages.
void menue_anmelden() {
    // Faces and shirt colours of the menu engine from the world.
    Gesicht_Set_Hooks({.aussehen = Gui_Welt_Aussehen, .farben = Gui_Welt_Farben});
    // The menu engine's click sounds (9 a click, 10 the rocker's right
    // click); the help texts, shown when the active manager has them on (his
    // option 40).
    Menue_Set_Hooks({
        .klick_klang = [](i32 klang) { Sound_Effekt_Solo(klang, false); },
        .hilfe_zeigen = Hilfe_Text_Ausgabe,
        .hilfe_ende = Hilfe_Text_Ende,
        .hilfe_an = [] { return Option_Wert(OPTION_TEAM_ERSTE, 0, 0) != 0; },
    });
    // A club's crest inside a text ("^l" markup), square.
    Font_Set_Hooks({.wappen_blit = [](Rastport* rp, i32 team, i32 x, i32 y, i32 groesse) {
        Wappen_Blit(team, rp, x, y, groesse, groesse, nullptr);
    }});
    // Crest numbers from the world; a competition's cup is its graphic
    // number (-1: the team's league); a club's crest photo in the crest
    // folder before its archive crest.
    Wappen_Set_Hooks({.nummer_von_team = Gui_Welt_Wappen_Nummer,
                      .bild_laden = wappen_laden,
                      .pokal_grafik = [](i32 wettbewerb, i32 team) {
                          if (wettbewerb < 0) wettbewerb = Wettbewerb_Get_Liga_Von_Team(team, true);
                          return Wettbewerb_Get_Grafik_Nummer(wettbewerb, nullptr);
                      }});
    // The announcement pages and screens, their sounds, the remarks' texts.
    Vorschau_Set_Texte([](i32 n) { return Text_cfg_Text(TEXT_REST, n); });
    {
        Ankuendigung_Hooks ank = Ank_Seiten_Ankuendigung_Hooks();
        ank.effekt = [](int nummer, bool exklusiv) { Sound_Effekt_Play(nummer, exklusiv); };
        ank.maus_rechts_sperre = [] { Maus_Rechts_Sperre = 1; };
        // A client's money page after a match shows the bookings the server
        // made for its club during the match.
        ank.bank_holen = [](i32 team) { Bank_Internet_Client_Refresh(team); };
        ank.maus_tasten = [] {
            Maus_Update();
            return static_cast<int>(Maus_Get_Tasten());
        };
        Ankuendigung_Set_Hooks(ank);
    }
    // The pre-match picture of kind 1: today's fixture decides who is at home.
    Ank_Seiten_Set_Hooks({.mensch = [](i32 team) { return Team_Mensch_Spielt(team); },
                          .hauptmenue = Menue_Hauptmenue_Zeigen,
                          .vor_spiel_bild = [](const Spielankuendigung& a) -> Rastport* {
                              Spiel s{};
                              if (Ank_Heutiges_Spiel(a.team_a, &s)) return Ank_Bild_Init(s.team_a, s.team_b);
                              return Ank_Bild_Init(a.team_a, a.team_b);
                          },
                          .vor_spiel_zeichnen = Ank_Bild_Zeichnen,
                          .vor_spiel_free = Ank_Bild_Free,
                          .stadion_ton_free = Spielansicht_Sound_Beenden});
    // The in-match line-up screen takes the live view's focus click and the
    // match's halt for a line-up change.
    Menue_Spiel_Set_Hooks({.im_spiel_team = E_Im_Spiel_Screen_Team,
                           .im_spiel_aufstellung = [] { Screen_Oeffnen(Screen_Id::IM_SPIEL_AUFSTELLUNG); }});
}

// The window closed on a server whose clients are still connected: their
// game ends with the server's, so the manager is asked first (a second close
// while the question stands ends the program).
bool beenden_gefragt = false;
bool Beenden_Fragen() {
    if (beenden_gefragt && Menue_Requester_Offen()) return false;
    bool verbunden = false;
    for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots) verbunden |= s.benutzt && s.verbindung;
    if (!ruf::Server() || !verbunden || !Kalender_Ist_Initialisiert() || Menue_Requester_Offen()) return false;
    beenden_gefragt = true;
    Menue_Requester(
        REQUESTER_JA_NEIN, Team_Aktiv, "Noch sind Mitspieler mit diesem Spiel verbunden. Ihr Spiel endet mit deinem. Wirklich beenden?",
        nullptr, nullptr,
        [](i32, const i32*) {
            beenden_gefragt = false;
            if (Quit_Status == QUIT_STATUS_LAEUFT) Quit_Status = QUIT_STATUS_ANGEFORDERT;
        },
        [](i32, const i32*) { beenden_gefragt = false; });
    return true;
}

// The platform's calls up: start-up, the frame of play, the network's part
// of the main loop, shutdown. One table, installed whole.
void main_hooks_anmelden() {
    // Network start and host look-up, connection pump, the server's receive
    // work, the server's and the client's part of the frame, socket events:
    // the network's own builder.
    Main_Hook_Tabelle h = Netz_Main_Hooks();
    // Sound (a failed start only warns); the 22 resource archives at
    // start-up; the videos at display set-up; the screen surface,
    // darkening table and fonts after the display.
    h.Sound_Starten = Sound_Init;
    h.Archive_Oeffnen = Grafik_Archive_Oeffnen;
    h.Video_Init = Video_Init_Hook;
    h.Fonts_Laden = Grafik_Fonts_Laden;
    // The frame of play: the season's run loop drives the menu engine
    // (one Menue_Tick per frame, the music every 500 ms inside it); after
    // it the recoloured-picture cache is swept.
    h.Kalender_Run = [] {
        Kalender_Run();
        Farbe_Cache_Aufraeumen();
        // While no match is shown live, one more figure set (then one more
        // small picture of the figures) is loaded a frame, so that a
        // kick-off finds them all (its ground pictures are
        // made on the workers as it starts). The pass that ends the program
        // releases them with the season's graphics.
        if (Quit_Status != QUIT_STATUS_LAEUFT) Spielansicht_Vorrat_Freigeben();
        else if (Spielansicht_Laufzustand() != 1 && Spieltag_Get_Hooks().live_ansicht() &&
                 !Spielansicht_Animsets_Vorrat_Schritt())
            Spielansicht_Sprites_Vorrat_Schritt();
        // The grounds kept built for the next kick-offs go with the live
        // view switched off and at the change of season.
        Spielansicht_Gebaute_Pflegen(Spieltag_Get_Hooks().live_ansicht(), Kalender_Get_Jahr());
        // A quit the run loop could not serve (no calendar) still ends the program.
        if (Quit_Status == QUIT_STATUS_ANGEFORDERT) Quit_Status = QUIT_STATUS_VERLASSEN;
    };
    // The running videos are drawn over the frame before presenting.
    h.Video_Overlay = Video_Overlay_Hook;
    // The fastest speed: a match shown live with fast play on, neither
    // paused nor in a replay.
    h.Schnellster_Lauf = [] {
        return Spielfeld_Get_Fast() != 0 && Spielfeld_Get_Anzeige() && !Spielfeld_Get_Pause() &&
               !Spielfeld_Replay_Laeuft();
    };
    h.Fenster_Aktiv = [](bool aktiv) { aktiv ? Sound_Resume_All() : Sound_Pause_All(); };
    h.Beenden_Fragen = Beenden_Fragen;
    // At the end the pages' and the pitch overview's pictures go first,
    // then videos, sound and graphics.
    h.Grafik_Sound_Freigeben = [] {
        Ank_Seiten_Free();
        Spieltag_Free_Grafik();
        Spielansicht_Vorrat_Freigeben();
        Bnk_Alle_Freigeben();
        Sound_Alles_Freigeben();
        Grafik_Freigeben();
    };
    h.Archive_Schliessen = Grafik_Archive_Schliessen;
    Main_Set_Hooks(h);
}

// The season's calls into the menus, keys and mouse; messages to the manager.
void menue_hooks_anmelden() {
    // The end of a turn goes to the calendar; option 24 is the menu animation;
    // the header's opponent is today's from the matchday runner.
    Hauptmenue_Set_Hooks({
        .gegner = [](i32 team, bool* auswaerts) { return Spieltag_Get_Gegner_Des_Tages(team, auswaerts); },
        .zug_ende = [] { K_NEUER_TAG(KALENDER_ZUG_ENDE, 0); },
        .screen_starten = Screen_Launch,
        .screen_schliessen = Screen_Launch_Schliessen,
        .animation = [] { return Option_Wert(kOptionMenueAnimation, 0, 0) != 0; },
        .wettbewerb = [](i32 team) { return Spieltag_Get_Wettbewerb(team); },
        .heimrecht = [](i32 wettbewerb) { return Wettbewerb_Hat_Heimrecht(wettbewerb); },
        // The header shows the home side left; without home right (a cup
        // tie) the team itself: its goals come first then.
        .ergebnis = [](i32 team, i32 tore[2], const char** zusatz) {
            for (const Spieltag_Slot& r : Spieltag_Slots()) {
                const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr;
                if (!s || (s->team_a != team && s->team_b != team)) continue;
                if (r.status != ST_FERTIG || s->tore_a < 0 || s->tore_b < 0) return false;
                const bool gedreht = s->team_b == team && !Wettbewerb_Hat_Heimrecht(s->wettbewerb);
                tore[0] = gedreht ? s->tore_b : s->tore_a, tore[1] = gedreht ? s->tore_a : s->tore_b;
                if (zusatz) *zusatz = Spiele_Ergebnis_Zusatz(s->flags);
                return true;
            }
            return false;
        },
        .am_selben_rechner = [] { return ruf::Einzel() && Manager_Anzahl_Menschen() > 1; },
    });
    // Messages to the manager (a failed save or load among them) in the requester.
    Meldung_Set_Hooks({
        .zeigen = [](const char* text) {
            Meldung_Auf_Stderr(text);
            Menue_Requester(REQUESTER_OK, Team_Aktiv, text, nullptr, nullptr, nullptr, nullptr);
        },
        .manager_zeigen = [](i32, i32 team, const char* text) {
            Meldung_Auf_Stderr(text);
            Menue_Requester(REQUESTER_OK, team, text, nullptr, nullptr, nullptr, nullptr);
        },
    });
}

// The season's calls into the menus, screens, keys, mouse, sound and videos:
// one table, installed whole with the season's. `spielstart` is the new-game set-up step (null:
// the season's default, which finishes at once).
Season_Gui_Hooks season_gui_tabelle(bool (*spielstart)(int, u8*)) {
    if (!spielstart) spielstart = Season_Spielstart_Sofort;
    return {
        // The calendar's names and date templates ("*0" .. "*22"), the round
        // names ("*33" ..), the result suffixes ("*157" ..: "n.V.", "i.E.")
        // and the matchday word ("*162"); a position
        // the text table leaves open ("[n]") gives none, so the caller's own
        // text stays.
        .Text = [](const char* id) -> const char* {
            const char* t = Text_cfg_Wert(id, TEXT_KALENDER);
            return t && *t && *t != '[' ? t : nullptr;
        },
        // The screen texts; a remark format that does not fit its values is
        // reported (and never used).
        .Texte_Laden = [] {
            Text_cfg_Init();
            if (const i32 n = Vorschau_Formate_Pruefen(); n >= 0)
                Meldung_Printf(
                    "text.cfg: Satzformat %d (REST_TAVESK) passt nicht zu seinen Werten und wird nicht benutzt.", n);
        },
        .Texte_Free = Text_cfg_Free,
        .Menue_Init = [] {
            Menue_Init();
            Backsound_Start();
        },
        .Menue_Free = [] {
            Backsound_Stop();
            Menue_Free_All();
        },
        .Menue_Tick = [] { Menue_Tick(); },
        .Spielstart_Pruefen = spielstart,
        // A manager takes over (after a load too): a training camp loaded with
        // the game runs on once its manager is at the machine.
        .Menue_Manager_Wechsel =
            [](int team) {
                Menue_Manager_Wechsel(team);
                Lager_Stand_Fortsetzen();
            },
        .Menue_Set_Aktiver_Manager = Menue_Set_Aktiver_Manager,
        .Blt_Cache_Leeren = Blt_Cache_Leeren,
        // Music and effects: the run loop updates the music every 500 ms,
        // holds it for the live match, pauses the videos and stops the effects.
        .Backsound_Update = Backsound_Update,
        .Backsound_Pause = Backsound_Pause,
        .Sound_Free = [] {
            Sound_Effekt_Stop_All();
            Sound_Free_All();
        },
        .Icon_Auf_Screen = [](int icon) { return Menue_Screen_Icon_Ist_Vorhanden(icon); },
        // A modal icon on the screen, or a requester whose icons a screen change
        // took off for the moment.
        .Modal_Screen = [] { return Menue_Get_Modal() || Menue_Requester_Offen(); },
        .Taste_Oder_Klick = [] { return Taste_Oder_Klick(0); },
        // A key typed into an input field is not the calendar's ("l" would load).
        .Taste_Get_Zeichen = [] { return Eingabefeld_Cursor_An() ? 0 : static_cast<int>(Taste_Get_Zeichen()); },
        .Taste_Reset = Taste_Reset,
        .Maus_Update = Maus_Update,
        .Maus_X = [] { return static_cast<int>(Maus_Get_X()); },
        .Maus_Y = [] { return static_cast<int>(Maus_Get_Y()); },
        // The run loop only looks at the buttons held: reading them must not
        // take a quick click away from the menu engine.
        .Maus_Tasten = [] { return static_cast<int>(W32_Get_Mouse_Buttons()); },
        // The menu's background video; the turn timer ends a turn as the
        // button does; a network client's mode icons.
        .Menue_Hintergrund_Video = [](int an, int pause) { Menue_Hintergrund_Video(an, pause); },
        .Bnk_Pause_Alle = Bnk_Pause_Alle,
        .Sound_Alle_Stoppen = Sound_Effekt_Stop_All,
        .Menue_Zug_Beenden = Menue_Zug_Beenden,
        .Fortschritt = [](const char* text, int prozent) { Menue_Fortschritt(text, prozent); },
        .Spielstand_Laden_Fragen = [](int slot) { Menue_Laden_Fragen(slot); },
        .Kalender_Blit_Modus = Menue_Modus_Zeichnen,
        // The rankings sorted anew: the competition screen's data and the ranking screen follow.
        .Rangliste_Screens_Auffrischen = [] {
            Tabelle_Screen_Aktualisieren();
            Rangliste_Screen_Aktualisieren();
            E1_Screen_Aktualisieren();
        },
        .Spiel_Anhalten = Menue_Spiel_Anhalten,
        // A match of this machine's manager running without a live view.
        .Spiel_Warten = Menue_Spiel_Warten,
        .Taste_Shift = Taste_Shift,
        .Menue_Set_Icon707_Status = Menue_Set_Icon707_Status,
        // The hidden key mode's balance page.
        .Diagnose_Screen_Init = [] { Screen_Oeffnen(Screen_Id::DIAGNOSE); },
        // The hidden key mode's read test of players 1..49 from the server.
        .Netz_Lesetest = [] { Internet_Test_Lese_Spieler(); },
        // Continuous play switches the managed clubs as the squad screen does.
        .Auto_Aufstellung = E1_Screen_Auto_Aufstellung,
    };
}

// The save-game driver's calls upwards: the description a save game carries
// comes from the save screen; the connections close after a game was loaded.
void spielstand_anmelden() {
    Spielstand_Set_Hooks({
        .beschreibung = Disk_Screen_Beschreibung,
        .netz_schliessen = Netz_Verbindungen_Schliessen,
        // The clubs the clients played are free for them to take again (the
        // save kept the marks of the clients of then), and the port listens.
        .server_wieder_oeffnen =
            [] {
                Team_Reset_User_Active_Alle();
                return Netz_Server_Oeffnen();
            },
    });
}

// The screens: their records and launch entries; their calls into the network.
void screens_anmelden() {
    Screens_Anmelden();
    Screens_Set_Hooks({
        .server_oeffnen = Netz_Server_Oeffnen,
        .server_schliessen = Netz_Server_Schliessen,
        .lokale_adresse = Netz_Lokale_Adresse,
        .server_pruefen = Netz_Start_Server_Pruefen,
        .suche_starten = Netz_Start_Suche_Starten,
        .suche_stand = Netz_Start_Suche_Stand,
        .verbinden = Netz_Start_Verbinden,
    });
    // The squad screen's procedures only draw (the view check sets the same
    // grey state again): its frames are kept while they do not change.
    for (Icon_Zeichen_Prozedur p : {&E1_Screen_Zeile_Zeichnen, &E1_Screen_Feld_Zeichnen, &E1_Screen_Titel_Zeichnen,
                                    &E1_Screen_Ansicht_Pruefen})
        Menue_Reiner_Zeichner(p);
}

// The tools' calls upwards.
void werkzeuge_anmelden() {
    // The tools' calls upwards: fonts from the graphics layer, leaving a
    // network game when the program ends.
    Tools_Set_Hooks({
        .programm_beenden = Netz_Verbindungen_Schliessen,
        .get_font = Font_Tabelle_Holen, .text_kuerzen = Font_Text_Kuerzen,
    });
}

}  // namespace

void Main_Registrieren(bool (*spielstart)(int, u8*)) {
    Main_Heap_Einrichten();
    // The heap keeps its own mapping threshold: fixed at a megabyte, the
    // weekly autosave's packing buffers and the unpacked pictures were
    // mapped and faulted in afresh each time (6 % more processor time over
    // a live season) to save some 11 MB of peak; the free pages go back
    // through W32_Memory_Zurueckgeben instead.
    main_hooks_anmelden();
    welt_anmelden();
    saison_anmelden(spielstart);
    grafik_anmelden();
    menue_anmelden();
    menue_hooks_anmelden();
    Netz_Anmelden();
    spielstand_anmelden();
    screens_anmelden();
    werkzeuge_anmelden();
    Main_Posteingang_Anmelden();
}
