// The main menu's lines beyond the team names: series, strength and money,
// the turn clock and the menu's background video (see hauptmenue.h).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "base/globals.h"
#include "base/ruf.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "platform/display.h"
#include "graphics/video.h"
#include "gui/hauptmenue.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "match/spielfeld.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "world/bank.h"
#include "world/welt.h"

namespace {

constexpr u16 WEISS = FARBE_WEISS, WARNUNG = FARBE_WARNUNG;  // the clock's last 20 seconds: a light red
constexpr i32 WARNUNG_MS = 20000;
// Screen texts: the three "no series" lines, the seven series kinds, the
// three venue words.
constexpr i32 T_KEINE_SERIE = 33, T_SERIE_ERSTE = 36, T_ORT_WORT = 43, T_GELD = 48;
constexpr i32 SERIEN_ARTEN = 7;
// The menu's background video: entry 59 + the graphic number of the
// manager's league, 400 x 300, placed over the stands between the
// floodlights, clear of the header (y < 70) and of the opened pop-ups
// (y >= 436), so nothing it covers can be clicked.
constexpr i32 VIDEO_BASIS = 59, VIDEO_X = 200, VIDEO_Y = 100;
constexpr i32 VIDEO_ANZAHL = 10;  // the leagues' graphic numbers 0..9 have clips
constexpr const char* VIDEO_INFO = "Menue";

// The mode icons of a network client: three in the bottom bar, three in
// the corner while a match is shown (0 connected, 1 and 2 blinking while
// the client waits).
constexpr u32 MODUS_LEISTE = GRAFIK_MODUS_LEISTE, MODUS_ECKE = GRAFIK_MODUS_ECKE;
constexpr i32 LEISTE_X = 678, LEISTE_Y = 574, ECKE_X = 782, ECKE_Y = 582;
constexpr u32 BLINK_MS = 100;
// The progress box: frame and bar.
constexpr u32 FORTSCHRITT_RAHMEN = GRAFIK_FORTSCHRITT_RAHMEN, FORTSCHRITT_BALKEN = GRAFIK_FORTSCHRITT_BALKEN;
u32 blink_zeit = 0;
bool blink_an = false;

i32 serie_zuletzt = -1;  // the series kind shown last (they take turns)
Bnk_Video* video = nullptr;
i32 video_nummer = -1;
bool video_an = false;  // off, the clip rests at its first frame

}  // namespace

std::string Menue_Text_Fuellen(const char* text, i32 zahl, const char* wort) {
    std::string t = text ? text : "";
    if (const size_t p = t.find("%d"); p != std::string::npos) t.replace(p, 2, std::to_string(zahl));
    if (const size_t p = t.find("%s"); p != std::string::npos) t.replace(p, 2, wort ? wort : "");
    return t;
}

std::string Menue_Serien_Text(i32 team, i32 ort, bool mit_gegner) {
    u32 serien[SERIEN_ARTEN] = {};
    const i32 o = ort < 0 || ort > 2 ? 2 : ort;
    if (Spiele_Get_Serien(-1, team, serien, o))
        for (i32 n = 1; n <= SERIEN_ARTEN; ++n) {
            const i32 art = (serie_zuletzt + n) % SERIEN_ARTEN;
            if (serien[art] < 2) continue;
            serie_zuletzt = art;
            std::string t = Menue_Text_Fuellen(Menue_Text(T_SERIE_ERSTE + art), static_cast<i32>(serien[art]),
                                               Menue_Text(T_ORT_WORT + o));
            if (!mit_gegner && !t.empty()) t.replace(t.size() - 1, 1, " (Liga)");
            return t;
        }
    const char* keine = Menue_Text(T_KEINE_SERIE + o);
    return keine ? keine : "";
}

std::string Menue_Geld_Text(f64 betrag) {
    // Rounded to the euro as the bank's money words are, so the header and
    // the screens' sums show one balance alike.
    const long long n = std::llround(betrag < 0 ? -betrag : betrag);
    std::string ziffern = std::to_string(n), t;
    for (size_t i = 0; i < ziffern.size(); ++i) {
        if (i && (ziffern.size() - i) % 3 == 0) t += '.';
        t += ziffern[i];
    }
    return (betrag < 0 && n ? "-" : "") + t + " \x80";
}

std::string Menue_Kontostand_Danach(i32 team) {
    constexpr i32 T_KONTOSTAND_DANACH = 53;  // TRANSFER_SCREEN
    return std::string(Text_cfg_Text(TEXT_TRANSFER, T_KONTOSTAND_DANACH)) + ": " +
           Menue_Geld_Text(Bank_Get_Kontostand(team, 0, 0));
}

void Menue_Geld_Zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    Font* f = Font_Tabelle_Holen(9);
    if (!f || Team_Aktiv < 0) return;
    // Drawn every frame: put together without the heap.
    char t[128];
    std::snprintf(t, sizeof t, "%s: %s", Menue_Text(T_GELD) ? Menue_Text(T_GELD) : "",
                  Menue_Geld_Text(Bank_Get_Kontostand(Team_Aktiv, 0, 0)).c_str());
    // Close under the logo, so that the date fits below it above the screens.
    Kit_Text_Mitte(rp, f, WEISS, t, x + i->w / 2, y + 8);
}

void Menue_Zugzeit_Zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    const i32 rest = Kalender_Zugzeit_Rest();
    if (rest <= 0 || rest == Kalender_Zugzeit_Limit()) return;
    Font* f = Font_Tabelle_Holen(12);
    if (!f) return;
    const i32 min = std::min(rest / 60000, 9), sek = rest / 1000 % 60, hundertstel = rest / 10 % 100;
    char t[16];
    std::snprintf(t, sizeof t, "%d:%02d,%02d", min, sek, hundertstel);
    // In a small panel of its own, beside the dialog buttons.
    Kit_Panel(rp, x, y + 2, i->w - 2, i->h - 4);
    Kit_Text_Mitte(rp, f, rest < WARNUNG_MS ? WARNUNG : WEISS, t, x + (i->w - 2) / 2, Kit_Text_Grundlinie(f, y + 2, i->h - 4));
}

void Menue_Modus_Zeichnen(i32 blinken) {
    if (!ruf::Client() || !Screen_Rastport) return;
    if (blinken && Kalender_Jetzt - blink_zeit >= BLINK_MS) {
        blink_an = !blink_an;
        blink_zeit = Kalender_Jetzt;
    }
    const u32 index = blinken ? 1 + (blink_an ? 1 : 0) : 0;
    Rastport* bild = nullptr;
    i32 x = LEISTE_X, y = LEISTE_Y;
    if (Kalender_Lauf_Get().menue_gezeigt && !Spielfeld_Get_Anzeige()) {
        bild = Menue_Get_Slave_Rastport(MODUS_LEISTE + index);
    } else if (blinken) {
        bild = Menue_Get_Slave_Rastport(MODUS_ECKE + index);
        x = ECKE_X, y = ECKE_Y;
    }
    if (bild) Blt_Blit(bild, 0, 0, -1, -1, Screen_Rastport, x, y, Blt_Opt_Transparent);
}

void Menue_Fortschritt(const char* text, i32 prozent) {
    Rastport* rahmen = Menue_Get_Slave_Rastport(FORTSCHRITT_RAHMEN);
    Rastport* balken = Menue_Get_Slave_Rastport(FORTSCHRITT_BALKEN);
    if (!Screen_Rastport || !rahmen) return;
    const i32 x = (Screen_Rastport->breite - rahmen->breite) / 2, y = (Screen_Rastport->hoehe - rahmen->hoehe) / 2;
    Blt_Blit(rahmen, 0, 0, -1, -1, Screen_Rastport, x, y, Blt_Opt_Transparent);
    const i32 breite = balken ? balken->breite * std::clamp(prozent, 0, 100) / 100 : 0;
    if (breite > 0) Blt_Blit(balken, 0, 0, breite, balken->hoehe, Screen_Rastport, x + 10, y + 19, Blt_Opt_Transparent);
    if (Font* f = Font_Tabelle_Holen(9); f && text) Kit_Text(Screen_Rastport, f, WEISS, text, x + 10, y + 13);
    W32_Present_Now();
}

namespace {

// The main menu is the top thing on the screen: its background picture is
// up and nothing was opened above it (a requester, a screen's icons).
bool menue_oben() {
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_KOPF_BILD) || Menue_Requester_Offen()) return false;
    i32 eigene = 0;
    for (i32 n = ICON_DIALOG_RAHMEN; n <= ICON_KOPF_GELD; ++n) eigene += Menue_Screen_Icon_Ist_Vorhanden(n) ? 1 : 0;
    return Menue_Screen_Icon_Anzahl() <= eigene;
}

// The clip, unless every video was let go meanwhile (end of game, a load)
// and its slot perhaps taken by another.
Bnk_Video* clip() {
    if (video && (video->nummer < 0 || video->info != VIDEO_INFO || video->eintrag != video_nummer)) {
        video = nullptr;
        video_nummer = -1;
        video_an = false;
    }
    return video;
}

}  // namespace

void Menue_Hintergrund_Video(i32 an, i32 pause) {
    clip();
    // The clip is drawn over the finished frame: it runs only while the menu
    // is the top thing, and stands still (so is not drawn) under anything
    // opened above it.
    if (!pause && !menue_oben()) pause = 1;
    if (an == 0) {
        // Off: the clip goes back to its first frame and rests (nothing
        // draws from it, and resuming every video, as a live match does,
        // passes it by); it is kept for the next turn, which starts it
        // again as if it were opened anew.
        if (video && video_an) Bnk_RuhenV(video);
        video_an = false;
        return;
    }
    if (an == 1) {
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true));
        const i32 g = w ? w->grafik_nummer : 0;
        const i32 nummer = VIDEO_BASIS + (g >= 0 && g < VIDEO_ANZAHL ? g : 0);
        if (!video || nummer != video_nummer) {
            if (video) Bnk_RelV(video);
            video = Bnk_InitV(nummer, "animationen.res", 0, 0, VIDEO_X, VIDEO_Y, BNK_AUS_CONTAINER, VIDEO_INFO, false);
            video_nummer = video ? nummer : -1;
        }
        video_an = video != nullptr;
    }
    if (video && video_an) Bnk_PauseV(video, pause ? 1 : 0);
}

bool Menue_Hintergrund_Video_Laeuft() { return clip() && video_an && !video->pausiert; }

const Bnk_Video* Menue_Hintergrund_Clip() { return clip(); }
