// Program entry, start-up, main loop, frame and shutdown (see mainloop.h),
// Taste_Warten, and the headless driver of headless.h.
#include "platform/mainloop.h"

#include <SDL.h>
#include <sys/utsname.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/debug.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/memory.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "platform/display.h"
#include "platform/errorbox.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "platform/input.h"
#include "platform/intro.h"
#include "platform/messages.h"
#include "platform/script.h"
#include "platform/window.h"

std::tm Main_Startzeit{};
char Main_Systemversion[160] = "";

namespace {

// After the script has ended (and quit was posted) the program gets this
// many frames to leave the main loop before it is made to.
constexpr u32 SKRIPT_NACHLAUF_FRAMES = 1000;

u32 frame_anzahl = 0;
u32 frame_schritt = 0;
// The frame being run is shown; passes since the last shown frame, the real
// time it was shown at and the frames shown so far.
bool frame_gezeigt = true;
u32 ungezeigt = 0;
u32 letztes_bild_ms = 0;
u32 gezeigt_anzahl = 0;
u32 letzte_frame_zeit = 0;
bool archive_offen = false;

// Fixed time step (headless run with a script, and tests).
bool feste_schritte = false;

// The millisecond clock moves on by the fixed step from 1000 on (true), or
// follows the real time again (false).
void Feste_Schritte(bool an) {
    feste_schritte = an;
    W32_Uhr_Fest(an);
}

void Archive_Schliessen_Wenn_Offen() {
    if (archive_offen) Main_Hooks.Archive_Schliessen();
    archive_offen = false;
}

// The input script.
Eingabe_Skript skript;
bool skript_aktiv = false;
u32 skript_frame = 0;
bool beenden_am_ende = false;  // the program ends when the script has ended
bool ende_gepostet = false;
u32 ende_frame = 0;

void Skript_Ende_Pruefen() {
    if (!skript_aktiv || !beenden_am_ende || !skript.Zu_Ende()) return;
    if (!ende_gepostet) {
        ende_gepostet = true;
        ende_frame = frame_anzahl;
        W32_Post_Quit_Message(0);
    } else if (frame_anzahl - ende_frame > SKRIPT_NACHLAUF_FRAMES && Quit_Status != QUIT_STATUS_VERLASSEN) {
        W32_Stderr("Eingabeskript zu Ende, das Spiel hat sich nicht beendet: Hauptschleife verlassen.");
        Quit_Status = QUIT_STATUS_VERLASSEN;
    }
}

// One step of a waiting loop: time moves on and the next key is taken in.
void Warte_Schritt() {
    if (feste_schritte) {
        W32_Uhr_Vor(HEADLESS_ZEITSCHRITT_MS);
        if (skript_aktiv) skript.Schritt(skript_frame++);
        frame_anzahl++;
        Skript_Ende_Pruefen();
    } else {
        W32_Fenster_Warten(10);
    }
    Eingabe_Frame_Abtasten();
}

// One step of Taste_Warten: messages, network, time and the next key; false
// once the program is asked to quit.
bool Warte_Durchgang() {
    W32_Message_Pump();
    Warte_Schritt();
    return Quit_Status == QUIT_STATUS_LAEUFT;
}

// A window was wanted and cannot be had (`grund` says why): with a script
// the run goes on without one; without a script there is nothing to play,
// and the program ends. One line either way.
bool Ohne_Fenster_Weiter(const std::string& grund) {
    if (skript_aktiv) {
        W32_Stderr(("Kein Fenster möglich (" + grund + "): Kordavo läuft ohne Fenster.").c_str());
        return true;
    }
    W32_Error_Box(
        "Kein Fenster möglich (%s): ohne Fenster läuft Kordavo nur mit einem Eingabeskript "
        "(KORDAVO_SCRIPT=datei) oder mit KORDAVO_HEADLESS=1.",
        grund.c_str());
    return false;
}

void Skript_Setzen_Aktiv() {
    skript_aktiv = true;
    skript_frame = 0;
    ende_gepostet = false;
    ende_frame = 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------

bool Main_Startup_Checks() {
    // Without a sound card the game runs silent: one quiet line, no box that
    // would wait for a click before the game has even opened its window.
    if (!W32_Ist_Headless() && !Main_Hooks.Sound_Starten()) W32_Stderr("Kein Sound! Das Spiel läuft ohne Ton.");
    if (!W32_Dir_Init()) {
        std::error_code fehler;
        if (std::filesystem::exists(W32_Pfad_Uebersetzen(W32_Dir_Tabelle[W32_DIR_WORK]), fehler))
            W32_Error_Box(
                "Der Spielordner %s ist kein Ordner.\nBitte KORDAVO_GAME_DIR oder Work_dir in settings.ini "
                "prüfen.",
                W32_Dir_Tabelle[W32_DIR_WORK]);
        else
            W32_Error_Box("Der Spielordner %s fehlt.\nBitte das Spiel neu installieren.",
                          W32_Dir_Tabelle[W32_DIR_WORK]);
        return false;
    }
    for (int zeile = 1; zeile < W32_DIR_ANZAHL; zeile++) {
        std::error_code fehler;
        if (!std::filesystem::is_directory(W32_Pfad_Uebersetzen(W32_Dir_Tabelle[zeile]), fehler)) {
            W32_Error_Box(
                "Der Ordner %s fehlt: die Ordnerstruktur des Spiels ist unvollständig.\n"
                "Bitte das Spiel neu installieren.",
                W32_Dir_Tabelle[zeile]);
            return false;
        }
    }
    if (!Main_Hooks.Archive_Oeffnen()) return false;
    archive_offen = true;
    return true;
}

bool Main_Init_Fonts_Network() {
    if (!Main_Hooks.Fonts_Laden()) {
        W32_Error_Box("Die Schriften des Spiels konnten nicht geladen werden.\nBitte das Spiel neu installieren.");
        return false;
    }
    // Failures of the network start are not reported: the game runs on in single play.
    Main_Hooks.Verbindung_Start("e:\\zorv\\server_log.txt", 9);
    Main_Hooks.Verbindung_Get_Local_Host();
    return true;
}

// ---------------------------------------------------------------------------
// Main loop and frame
// ---------------------------------------------------------------------------

// Passes of the connection pump per frame: a client's, and a server's
// before and after its receive work.
constexpr int PUMPE_CLIENT = 12;
constexpr int PUMPE_SERVER = 2;

void Main_Network_Pump() {
    if (ruf::Client()) {
        for (int i = 0; i < PUMPE_CLIENT; i++) Main_Hooks.Verbindung_Pump();
    } else if (ruf::Server()) {
        for (int i = 0; i < PUMPE_SERVER; i++) Main_Hooks.Verbindung_Pump();
        Main_Hooks.Verbindung_Server_Clients();
        for (int i = 0; i < PUMPE_SERVER; i++) Main_Hooks.Verbindung_Pump();
    }
}

void Main_Frame_Dispatch() {
    if (ruf::Server()) Main_Hooks.Server_Frame();
    else if (ruf::Client()) Main_Hooks.Client_Frame();
    Main_Hooks.Kalender_Run();
}

void Main_Free_Grafik_Sound() { Main_Hooks.Grafik_Sound_Freigeben(); }

namespace {
// Whether the frame about to run is shown (see SCHNELL_BILD_MS).
bool frame_zeigen() {
    if (!Main_Hooks.Schnellster_Lauf() || Display_Screenshot_Wartet()) return true;
    if (feste_schritte) return ++ungezeigt >= SCHNELL_HEADLESS_JEDER;
    return SDL_GetTicks() - letztes_bild_ms >= SCHNELL_BILD_MS;
}
}  // namespace

bool W32_Frame_Gezeigt() { return frame_gezeigt; }
u32 W32_Echtzeit_Ms() { return static_cast<u32>(SDL_GetTicks64()); }
u32 W32_Frame_Gezeigt_Anzahl() { return gezeigt_anzahl; }

void W32_Frame() {
    if (feste_schritte) W32_Uhr_Vor(HEADLESS_ZEITSCHRITT_MS);
    u32 anfang = W32_Get_Time();
    frame_schritt = anfang - letzte_frame_zeit;
    letzte_frame_zeit = anfang;

    if (skript_aktiv) skript.Schritt(skript_frame++);
    frame_gezeigt = frame_zeigen();
    Eingabe_Frame_Abtasten();
    Main_Frame_Dispatch();
    const bool gezeigt = frame_gezeigt;
    frame_gezeigt = true;
    if (gezeigt) {
        if (W32_Display.puffer) Main_Hooks.Video_Overlay(W32_Display.puffer, W32_Display.pitch, W32_Display.hoehe);
        W32_Present_Now();
        ungezeigt = 0;
        letztes_bild_ms = SDL_GetTicks();
        ++gezeigt_anzahl;
    }
    frame_anzahl++;
    Skript_Ende_Pruefen();

    // A pass that is not shown goes on at once.
    if (!feste_schritte && gezeigt) {
        // Without a fixed step the frames follow the real clock: at most 100 a
        // second in a window, 50 without one.
        u32 soll = W32_Display.fenster ? FENSTER_MIN_FRAME_MS : HEADLESS_ZEITSCHRITT_MS;
        u32 dauer = W32_Get_Time() - anfang;
        if (dauer < soll) SDL_Delay(soll - dauer);
    }
}

void W32_Message_Pump() {
    W32_Fenster_Ereignisse();
    W32_Nachrichten_Abarbeiten();
    Eingabe_Neuer_Durchgang();
    Main_Network_Pump();
    if (feste_schritte) {
        // Waiting loops compare against the clock: let it move with real time.
        W32_Uhr_Vor(1);
        SDL_Delay(1);
    }
    letzte_frame_zeit = W32_Get_Time();
}

u32 W32_Frame_Zeitschritt() { return frame_schritt; }
u32 W32_Frame_Anzahl() { return frame_anzahl; }

void Main_Schleife_Durchgang() {
    W32_Fenster_Ereignisse();
    W32_Nachrichten_Abarbeiten();
    Main_Network_Pump();
    if (Quit_Status == QUIT_STATUS_VERLASSEN) return;
    if (!W32_Fenster_Aktiv()) {
        // Minimised: wait for the next event, but let the network run now and then.
        W32_Fenster_Warten(100);
        return;
    }
    W32_Frame();
}

void Main_Schleife() {
    while (Quit_Status != QUIT_STATUS_VERLASSEN) Main_Schleife_Durchgang();
}

u32 Taste_Warten() {
    // First until no key is held and none is waiting ...
    for (;;) {
        if (!Warte_Durchgang()) return 0;
        if (!Eingabe_Taste_Gehalten() && !Taste_Oder_Klick(0)) break;
    }
    // ... then until a key is pressed.
    for (;;) {
        if (!Warte_Durchgang()) return 0;
        if (Taste_Oder_Klick(0)) {
            u32 taste = Taste_Get_Zeichen();
            if (!taste) taste = Taste_Get_Code();
            Taste_Reset();
            return taste;
        }
        // A script that has run out brings no more keys.
        if (feste_schritte && (!skript_aktiv || skript.Zu_Ende())) return 0;
    }
}

// ---------------------------------------------------------------------------
// Shutdown and the whole program
// ---------------------------------------------------------------------------

namespace {

// What the start-up has set up so far; it is released once, in reverse
// order, whichever way Main_Programm leaves.
struct Abbau {
    bool gestartet = false;  // the start-up checks began (sound, archives)
    bool display = false;    // W32_Init_Display ran
    bool schleife = false;   // the main loop ran (the frame released graphics and sound)
    Abbau() = default;
    Abbau(const Abbau&) = delete;
    Abbau& operator=(const Abbau&) = delete;
    ~Abbau() {
        if (schleife) Main_Hooks.Kompression_Freigeben();
        else if (gestartet) Main_Free_Grafik_Sound();
        Archive_Schliessen_Wenn_Offen();
        if (schleife) Speicher_Bericht();
        if (display) W32_Release_Display();
        if (schleife && !W32_Ist_Headless()) Intro_Starten(true);
        W32_Close_Window();
        if (feste_schritte) Feste_Schritte(false);
    }
    static void Speicher_Bericht() {
        u32 bloecke = W32_Memory_Bericht();
        if (!bloecke) return;
        char text[120];
        std::snprintf(text, sizeof text, "Speicher: %u Blöcke beim Beenden nicht freigegeben.", bloecke);
        W32_Stderr(text);
    }
};

// The local time and the system version.
void Startzeit_Merken() {
    std::time_t jetzt = std::time(nullptr);
    localtime_r(&jetzt, &Main_Startzeit);
    struct utsname u {};
    if (uname(&u) == 0) std::snprintf(Main_Systemversion, sizeof Main_Systemversion, "%s %s", u.sysname, u.release);
}

// KORDAVO_SCRIPT: the input script, which ends the program when it has run
// out. False when it cannot be read (the message is shown).
bool Skript_Aus_Umgebung() {
    const char* skript_pfad = std::getenv("KORDAVO_SCRIPT");
    if (!skript_pfad || !skript_pfad[0]) return true;
    u32 schritt = W32_Ist_Headless() ? HEADLESS_ZEITSCHRITT_MS : FENSTER_MIN_FRAME_MS;
    std::string fehler;
    if (!skript.Laden(skript_pfad, schritt, &fehler)) {
        W32_Error_Box("%s", fehler.c_str());
        return false;
    }
    Skript_Setzen_Aktiv();
    beenden_am_ende = true;
    return true;
}

}  // namespace

int Main_Programm(int argc, char** argv) {
    Startzeit_Merken();
    W32_Init_Window();
    Abbau abbau;
    if (!Skript_Aus_Umgebung()) return 1;
    if (!W32_Fenster_Fehler().empty() && !Ohne_Fenster_Weiter(W32_Fenster_Fehler())) return 1;
    if (W32_Ist_Headless()) {
        if (skript_aktiv) {
            Feste_Schritte(true);
        } else {
            W32_Signale_Abfangen();
        }
    }
    abbau.gestartet = true;
    if (!Main_Startup_Checks()) return 1;
    if (!W32_Ist_Headless()) Intro_Starten(false);
    if (!W32_Init_Display(16)) {
        // The window cannot show anything: go on without it, or end.
        if (!Ohne_Fenster_Weiter("die Anzeige lässt sich nicht einrichten")) return 1;
        W32_Close_Window();
        W32_Set_Headless(true);
        W32_Init_Window();
        W32_Init_Display(16);
    }
    abbau.display = true;
    if (!Main_Init_Fonts_Network()) return 1;
    letzte_frame_zeit = W32_Get_Time();
    abbau.schleife = true;
    Main_Schleife();
    return 0;
}

// ---------------------------------------------------------------------------
// Headless driver for tests
// ---------------------------------------------------------------------------

bool Headless_Starten(i32 farbtiefe) {
    if (!W32_Ist_Headless() || W32_Hauptfenster == 0) {
        W32_Set_Headless(true);
        W32_Init_Window();
    }
    Feste_Schritte(true);
    letzte_frame_zeit = W32_Get_Time();
    frame_anzahl = 0;
    frame_schritt = 0;
    ungezeigt = 0;
    gezeigt_anzahl = 0;
    skript.Leeren();
    skript_aktiv = false;
    beenden_am_ende = false;
    ende_gepostet = false;
    W32_Nachrichten_Leeren();
    Eingabe_Zuruecksetzen();
    Quit_Status = QUIT_STATUS_LAEUFT;
    return W32_Init_Display(farbtiefe);
}

bool Headless_Skript(std::string_view text, std::string* fehler) {
    Eingabe_Skript neu;
    if (!neu.Parsen(text, HEADLESS_ZEITSCHRITT_MS, fehler)) return false;
    skript = std::move(neu);
    Skript_Setzen_Aktiv();
    return true;
}

i32 Headless_Frames(i32 n) {
    u32 anfang = frame_anzahl;
    for (i32 i = 0; i < n && Quit_Status != QUIT_STATUS_VERLASSEN; i++) Main_Schleife_Durchgang();
    return static_cast<i32>(frame_anzahl - anfang);
}

i32 Headless_Lauf(std::string_view text, i32 max_frames) {
    if (!Headless_Skript(text, nullptr)) return -1;
    return Headless_Frames(max_frames);
}

bool Headless_Skript_Zu_Ende() { return !skript_aktiv || skript.Zu_Ende(); }

std::vector<u16> Headless_Bildpuffer() {
    std::vector<u16> bild;
    if (!W32_Display.puffer) return bild;
    bild.resize(static_cast<size_t>(W32_Display.breite) * W32_Display.hoehe);
    for (i32 y = 0; y < W32_Display.hoehe; y++)
        for (i32 x = 0; x < W32_Display.breite; x++)
            bild[static_cast<size_t>(y) * W32_Display.breite + x] = W32_Display.puffer[y * W32_Display.pitch + x];
    return bild;
}

void Headless_Beenden() {
    W32_Release_Display();
    Feste_Schritte(false);
    skript.Leeren();
    skript_aktiv = false;
}
