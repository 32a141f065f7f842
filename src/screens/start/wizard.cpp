// The new-game wizard: page by page the number of managers, the difficulty
// and, for each manager, his name, face, country, club and league; a
// summary at the left, the page's list at the right.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/cp1252.h"
#include "base/ruf.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/video.h"
#include "gui/eingabe.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "platform/input.h"
#include "screens/start/spielstart.h"
#include "screens/start/start_intern.h"
#include "screens/start/wizard_intern.h"
#include "screens/teile/scroll.h"
#include "screens/teile/sterne.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"

namespace wizard_intern {

// Videos of animationen.res: the background and one per page.
constexpr i32 VIDEO_HINTERGRUND = 55;
constexpr i32 VIDEO_SEITE[8] = {-1, -1, 57, 56, 53, 58, 54, -1};
constexpr i32 VIDEO_X = 540, VIDEO_Y = 446;

// The leagues' pictures by graphic number (a number without a picture shows the first).
constexpr i32 LIGA_BILDER = GRAFIK_WIZ_LIGA_ANZAHL;
constexpr i32 SICHTBAR = 6;
constexpr i32 KNOPF_Y_MIN = 188, KNOPF_Y_MAX = 386;
constexpr u32 KNOPF_STAND = 194;  // the knob's place when a page opens

// List layouts: heading graphic, entry size, entry positions.
struct Layout {
    u32 kopf;
    i16 w, h;
    i16 x[WIZ_EINTRAEGE], y[WIZ_EINTRAEGE];
};
constexpr Layout liste(u32 kopf, i16 y0, i16 dy, i32 n) {
    Layout l{kopf, 353, 33, {}, {}};
    for (i32 k = 0; k < WIZ_EINTRAEGE; ++k) {
        l.x[k] = 427;
        l.y[k] = static_cast<i16>(k < n ? y0 + dy * k : -1000);
    }
    return l;
}
constexpr Layout gesichter() {
    Layout l{GRAFIK_WIZ_KOPF_GESICHT, 74, 74, {}, {}};
    for (i32 k = 0; k < WIZ_EINTRAEGE; ++k) {
        l.x[k] = static_cast<i16>(435 + 84 * (k % 4));
        l.y[k] = static_cast<i16>(194 + 77 * (k / 4));
    }
    return l;
}
const Layout LAYOUT_SCHWIERIGKEIT = liste(GRAFIK_WIZ_KOPF_SCHWIERIGKEIT, 204, 46, 5);
const Layout LAYOUT_GESICHT = gesichter();
const Layout LAYOUT_LISTE = liste(GRAFIK_WIZ_KOPF_LISTE, 194, 34, SICHTBAR);
const Layout LAYOUT_VEREIN = liste(GRAFIK_WIZ_KOPF_VEREIN, 194, 34, SICHTBAR);

Bnk_Video* video_hg = nullptr;
Bnk_Video* video_seite = nullptr;
i32 video_hg_nummer = -1, video_seite_nummer = -1;
i32 gesehene_seite = -1;  // the page whose icons are up

Move_Struktur scroll{Spielstart_Liste_Scrollen, 0, 0, -1, KNOPF_Y_MIN, KNOPF_Y_MAX, 774, 0, ICON_WIZ_BALKEN};

constexpr auto RAHMEN = Icon_Tabelle_Bauen<Icon_Besitzer::SPIELSTART_WIZARD>({
    {.nummer = ICON_WIZ_RAHMEN, .flags = MENUE_F_NICHT_ABFRAGEN, .x = 0, .y = 100, .zeichnen = Spielstart_Uebersicht,
     .ebene = 0, .w = 1, .h = 1},
    {.nummer = ICON_WIZ_ZURUECK,
     .grafik = GRAFIK_WIZ_BLAETTERN,
     .grafik_gedrueckt = GRAFIK_WIZ_BLAETTERN_GEDRUECKT,
     .x = 427,
     .y = 494,
     .status = KNOPF,
     .klick = Spielstart_Zurueck_Klick,
     .zeichnen = Spielstart_Zurueck_Text,
     .ebene = 1,
     .w = 100,
     .h = 30},
    {.nummer = ICON_WIZ_WEITER,
     .grafik = GRAFIK_WIZ_BLAETTERN,
     .grafik_gedrueckt = GRAFIK_WIZ_BLAETTERN_GEDRUECKT,
     .x = 667,
     .y = 494,
     .status = KNOPF,
     .klick = Spielstart_Weiter_Seite_Klick,
     .zeichnen = Spielstart_Weiter_Text,
     .ebene = 1,
     .w = 100,
     .h = 30},
});

// The list's scroll bar: the wheel turns it over the first entry.
constexpr Scrollbalken BALKEN{.spur = ICON_WIZ_BALKEN, .knopf = ICON_WIZ_KNOPF, .liste = ICON_WIZ_EINTRAG,
                              .grafik_spur = GRAFIK_WIZ_BALKEN, .grafik_knopf = GRAFIK_WB_KNOPF, .x = 774,
                              .spur_y = 188, .spur_b = 9, .spur_h = 210, .knopf_x = 774, .knopf_y = KNOPF_Y_MIN,
                              .knopf_b = 9, .knopf_h = 12, .move = &scroll, .ebene = 4};
// The first of the twelve list entries; the others follow it down.
constexpr Screen_Icon EINTRAG{.nummer = ICON_WIZ_EINTRAG,
                              .x = 427,
                              .y = 194,
                              .status = MENUE_S_TRANSPARENT,
                              .klick = Spielstart_Auswahl_Klick,
                              .zeichnen = Spielstart_Listeneintrag,
                              .ebene = 4,
                              .w = 353,
                              .h = 33};
constexpr auto LISTE =
    Icon_Tabelle_Aus<Icon_Besitzer::SPIELSTART_WIZARD>(Icon_Liste({
                                                           {.nummer = ICON_WIZ_KOPF,
                                                            .grafik = GRAFIK_WIZ_KOPF_LISTE,
                                                            .flags = MENUE_F_NICHT_ABFRAGEN,
                                                            .x = 411,
                                                            .y = 150,
                                                            .status = MENUE_S_TRANSPARENT,
                                                            .zeichnen = Spielstart_Listenkopf,
                                                            .ebene = 0,
                                                            .w = 380,
                                                            .h = 388},
                                                           Icon_Scrollspur(BALKEN),
                                                           Icon_Scrollknopf(BALKEN),
                                                       }),
                                                       Icon_Reihe<12>(EINTRAG, 0, 34));

constexpr auto NAME = Icon_Tabelle_Bauen<Icon_Besitzer::SPIELSTART_WIZARD>({
    {.nummer = ICON_WIZ_NAME,
     .grafik = GRAFIK_WIZ_NAME,
     .x = 419,
     .y = 244,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Spielstart_Name_Seite,
     .ebene = 1,
     .w = 356,
     .h = 96},
});

constexpr auto ANZAHL = Icon_Tabelle_Bauen<Icon_Besitzer::SPIELSTART_WIZARD>({
    {.nummer = ICON_WIZ_PLUS,
     .grafik = GRAFIK_WIZ_PLUS,
     .grafik_gedrueckt = GRAFIK_WIZ_PLUS_GEDRUECKT,
     .x = 568,
     .y = 214,
     .status = KNOPF,
     .klick = Spielstart_Plus_Klick,
     .ebene = 2,
     .w = 56,
     .h = 48},
    {.nummer = ICON_WIZ_MINUS,
     .grafik = GRAFIK_WIZ_MINUS,
     .grafik_gedrueckt = GRAFIK_WIZ_MINUS_GEDRUECKT,
     .x = 568,
     .y = 354,
     .status = KNOPF,
     .klick = Spielstart_Minus_Klick,
     .ebene = 2,
     .w = 56,
     .h = 48},
    {.nummer = ICON_WIZ_ANZAHL,
     .grafik = GRAFIK_WIZ_ANZAHL,
     .flags = MENUE_F_NICHT_ABFRAGEN,
     .x = 556,
     .y = 272,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Spielstart_Anzahl_Zeichnen,
     .ebene = 1,
     .w = ICON_WIZ_ANZAHL_BREITE,
     .h = ICON_WIZ_ANZAHL_HOEHE},
});

constexpr auto BEHALTEN = Icon_Tabelle_Bauen<Icon_Besitzer::SPIELSTART_WIZARD>({
    {.nummer = ICON_WIZ_BEHALTEN,
     .x = 427,
     .y = 404,
     .status = MENUE_S_TRANSPARENT,
     .klick = Spielstart_Behalten_Klick,
     .zeichnen = Spielstart_Team_Behalten_Info,
     .ebene = 2,
     .w = 340,
     .h = 24},
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_ZUSATZ, n); }
i32 liga_bild(i32 liga) {
    const i32 g = Wettbewerb_Get_Grafik_Nummer(liga, nullptr);
    return g >= 0 && g < LIGA_BILDER ? g : 0;
}

Spielstart_Zustand& Z() { return Spielstart_Get_Zustand(); }
Spielstart_Slot& aktueller() { return Spielstart_Slots[std::clamp(Z().slot, 0, SPIELSTART_SLOTS - 1)]; }

const char* schwierigkeit_name(i32 s) { return s >= 0 && s < 5 ? text(99 + s) : text(69); }

// The number of entries of the current page's list.
i32 eintraege() {
    switch (Z().seite) {
        case S_SCHWIERIGKEIT: return 5;
        case S_GESICHT: return SPIELSTART_GESICHTER;
        case S_LAND: return Z().laender_anzahl;
        case S_VEREIN: return Z().teams_anzahl;
        case S_LIGA: return Z().ligen_anzahl;
        default: return 0;
    }
}
i32 sichtbar() { return Z().seite == S_GESICHT ? WIZ_EINTRAEGE : Z().seite == S_SCHWIERIGKEIT ? 5 : SICHTBAR; }
const Layout* layout() {
    switch (Z().seite) {
        case S_SCHWIERIGKEIT: return &LAYOUT_SCHWIERIGKEIT;
        case S_GESICHT: return &LAYOUT_GESICHT;
        case S_VEREIN: return &LAYOUT_VEREIN;
        case S_LAND:
        case S_LIGA: return &LAYOUT_LISTE;
        default: return nullptr;
    }
}

// The clubs of the chosen country, by league level, clubs without a league
// last (not on a client, whose list holds only the server's offered clubs).
void teams_bauen() {
    Spielstart_Zustand& z = Z();
    z.teams_anzahl = 0;
    if (aktueller().land < 0) return;
    u32 l[1000];
    const i32 n = Team_Get_Teams_Von_Nation(aktueller().land, l, 1, 1);
    for (i32 i = 0; i < n && i < 1000; ++i) {
        const i32 t = static_cast<i32>(l[i]);
        // A client is offered the clubs no user plays and no manager at the server holds.
        if (ruf::Client() && !Spielstart_Client_Waehlbar(t)) continue;
        z.teams[z.teams_anzahl++] = t;
    }
}

void ligen_bauen() {
    Spielstart_Zustand& z = Z();
    z.ligen_anzahl = std::clamp(Wettbewerb_Get_Aktive(-1, z.ligen, true), 0, 128);
}

void video_seite_schliessen() {
    if (video_seite) Bnk_RelV(video_seite);
    video_seite = nullptr;
    video_seite_nummer = -1;
}

void video_seite_oeffnen(i32 nummer) {
    video_seite_schliessen();
    if (nummer < 0) return;
    video_seite = Bnk_InitV(nummer, "animationen.res", 0, 0, VIDEO_X, VIDEO_Y, BNK_AUS_CONTAINER, "Wizard", false);
    if (video_seite) {
        video_seite_nummer = nummer;
        Bnk_PauseV(video_seite, 0);
    }
}

void anzeigen(i32 icon, bool zeigen) { Start_Zeigen(icon, zeigen); }

// Sets up the icons of the current page.
void seite_aufbauen() {
    Spielstart_Zustand& z = Z();
    Menue_Screen_Icons_Loeschen_Bereich(BEREICH_AUCH_BLEIBENDE, 0, 0, 799, 599);
    Menue_Set_Hintergrund(Kit_Bild(GRAFIK_ASSISTENT), 0);
    video_seite_oeffnen(VIDEO_SEITE[std::clamp(z.seite, 0, 7)]);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(RAHMEN.daten());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(LISTE.daten());
    const Layout* l = layout();
    anzeigen(ICON_WIZ_KOPF, true);  // the panel also behind the count, so no empty band shows
    if (Screen_Icon* k = Kit_Icon(ICON_WIZ_KOPF)) k->grafik = l ? l->kopf : GRAFIK_WIZ_KOPF_LISTE;
    const i32 n = eintraege(), sicht = sichtbar();
    for (i32 k = 0; k < WIZ_EINTRAEGE; ++k) {
        Screen_Icon* e = Kit_Icon(ICON_WIZ_EINTRAG + k);
        if (!e) continue;
        const bool da = l && k < sicht && k < n;
        e->status = da ? MENUE_S_TRANSPARENT : MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT;
        if (da) {
            e->x = l->x[k], e->y = l->y[k], e->w = l->w, e->h = l->h;
        }
    }
    const bool rollen = z.seite >= S_LAND && z.seite <= S_LIGA && n - SICHTBAR + 1 > 1;
    scroll.stufen = static_cast<i16>(rollen ? n - SICHTBAR + 1 : 0);
    Menue_Icon_Zustand_Setzen(ICON_WIZ_KNOPF, KNOPF_STAND);
    anzeigen(ICON_WIZ_BALKEN, rollen);
    anzeigen(ICON_WIZ_KNOPF, rollen);
    if (Screen_Icon* k = Kit_Icon(ICON_WIZ_KNOPF)) {
        k->y = KNOPF_Y_MIN;
        Menue_Icon_Zustand_Setzen(ICON_WIZ_KNOPF, KNOPF_Y_MIN);
    }
    if (z.seite == S_ANZAHL) Menue_Screen_Icon_Tabelle_Hinzufuegen(ANZAHL.daten());
    if (z.seite == S_NAME) {
        // A name to start from, chosen whole, so a player with the mouse
        // alone goes on and one who types replaces it.
        Spielstart_Slot& s = aktueller();
        if (!s.name[0]) std::snprintf(s.name, sizeof s.name, text(147), z.slot + 1);
        Menue_Screen_Icon_Tabelle_Hinzufuegen(NAME.daten());
    }
    if (z.seite == S_VEREIN && !ruf::Client()) Menue_Screen_Icon_Tabelle_Hinzufuegen(BEHALTEN.daten());
    // Back: not before the first page (a client not before the name page).
    Start_Grau(ICON_WIZ_ZURUECK, (z.seite == S_ANZAHL && z.slot == 0) || (ruf::Client() && z.seite <= S_NAME));
    Start_Grau(ICON_WIZ_WEITER, !Spielstart_Seite_Fertig());
    gesehene_seite = z.seite;
    Blt_Cache_Leeren();
}

void frage_ja(i32, const i32*) { Spielstart_Abschliessen(); }
void frage_nein(i32, const i32*) { Spielstart_Abschluss_Nein(); }

}  // namespace wizard_intern

using namespace wizard_intern;

void Spielstart_Wizard_Zuruecksetzen() {
    Spielstart_Videos_Schliessen();
    gesehene_seite = -1;
    scroll.stufen = 0;
}

void Spielstart_Videos_Schliessen() {
    video_seite_schliessen();
    if (video_hg) Bnk_RelV(video_hg);
    video_hg = nullptr;
    video_hg_nummer = -1;
}

void Spielstart_Hintergrund_Video_Oeffnen() {
    if (video_hg) return;
    video_hg = Bnk_InitV(VIDEO_HINTERGRUND, "animationen.res", 0, 0, 0, 0, BNK_AUS_CONTAINER, "TestVideo", false);
    if (video_hg) {
        video_hg_nummer = VIDEO_HINTERGRUND;
        Bnk_PauseV(video_hg, 0);
    }
}

i32 Spielstart_Video_Hintergrund() { return video_hg ? video_hg_nummer : -1; }
i32 Spielstart_Video_Seite() { return video_seite ? video_seite_nummer : -1; }

bool Spielstart_Name_Gueltig(const char* name) {
    if (!name || !name[0]) return false;
    const size_t n = std::strlen(name);
    if (n > static_cast<size_t>(SPIELSTART_NAME_MAX)) return false;
    const Font* f = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    bool nur_leer = true;
    for (size_t i = 0; i < n; ++i) {
        const u8 c = static_cast<u8>(name[i]);
        // Control characters, the markup's escape '^', bytes without a
        // character and characters the font has no glyph for are refused.
        if (c < 32 || c == 127 || c == '^') return false;
        const u32 u = Cp1252_Zeichen_Unicode(c);
        if (u >= 0x80 && u < 0xA0) return false;  // the five unassigned bytes
        if (f && c != ' ' && Font_Zeichen_Breite(const_cast<Font*>(f), c) - f->abstand <= 0) return false;
        if (c != ' ') nur_leer = false;
    }
    return !nur_leer;
}

bool Spielstart_Seite_Fertig() {
    const Spielstart_Slot& s = aktueller();
    switch (Z().seite) {
        case S_ANZAHL: return Z().anzahl >= 1 && Z().anzahl <= SPIELSTART_MANAGER_MAX;
        case S_SCHWIERIGKEIT: return Z().schwierigkeit >= 0;
        case S_NAME: return ruf::Client() || Spielstart_Name_Gueltig(s.name);
        case S_GESICHT: return ruf::Client() || (s.gesicht >= 0 && !Spielstart_Kopf_Vergeben(s.gesicht));
        case S_LAND: return s.land >= 0;
        case S_VEREIN: return s.team >= 0 && (ruf::Client() || !Spielstart_Team_Vergeben(s.team, nullptr));
        case S_LIGA: return s.liga >= 0;
        default: return true;
    }
}

void Spielstart_Seite_Init(i32 richtung) {
    Spielstart_Zustand& z = Z();
    if (z.seite == -1 && !video_hg) {
        Menue_Set_Hintergrund(Kit_Bild(GRAFIK_ASSISTENT), 0);
        Spielstart_Hintergrund_Video_Oeffnen();
    }
    if (richtung == 1 && !Spielstart_Seite_Fertig()) return;
    Eingabefeld_Free();
    z.erster = 0;
    if (richtung == -1 && z.seite == S_NAME && z.slot > 0) {
        // Back from the second manager's name: the first one's league page.
        z.seite = S_FRAGE;
        --z.slot;
    }
    if (ruf::Client() && richtung == -1 && z.seite <= S_NAME) richtung = 0;
    if (ruf::Client() && richtung == 1 && z.seite == S_VEREIN) z.seite = S_LIGA;
    z.seite = richtung == SPIELSTART_CLIENT_START ? S_NAME : std::clamp(z.seite + richtung, 0, 7);
    if (z.seite == S_VEREIN) teams_bauen();
    if (z.seite == S_LIGA) ligen_bauen();
    if (z.seite == S_FRAGE) {
        if (z.slot < z.anzahl - 1 && !ruf::Client()) {
            ++z.slot;
            z.seite = S_NAME;
        } else {
            // The last manager: the page stays on the league (a client's on
            // the club) under the final question.
            z.seite = ruf::Client() ? S_VEREIN : S_LIGA;
            seite_aufbauen();
            // The videos would lie over the question.
            Spielstart_Videos_Schliessen();
            Menue_Requester(2, -1, text(98), nullptr, nullptr, frage_ja, frage_nein);
            return;
        }
    }
    seite_aufbauen();
}

void Spielstart_Abschluss_Nein() {
    Spielstart_Hintergrund_Video_Oeffnen();
    Spielstart_Seite_Init(0);
}

void Spielstart_Zurueck_Klick(Screen_Icon* icon, u32 ereignis) {
    if (icon && (ereignis & MENUE_E_LINKS) && !(icon->status & MENUE_S_GRAU)) Spielstart_Seite_Init(-1);
}

void Spielstart_Weiter_Seite_Klick(Screen_Icon* icon, u32 ereignis) {
    if (icon && (ereignis & MENUE_E_LINKS) && !(icon->status & MENUE_S_GRAU)) Spielstart_Seite_Init(1);
}

namespace {
void anzahl_aendern(i32 schritt) {
    Spielstart_Zustand& z = Z();
    z.anzahl = std::clamp(z.anzahl + schritt, 1, SPIELSTART_MANAGER_MAX);
    Blt_Cache_Leeren();
}
}  // namespace

void Spielstart_Plus_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_LINKS) anzahl_aendern(1);
}

void Spielstart_Minus_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_LINKS) anzahl_aendern(-1);
}

void Spielstart_Behalten_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    aktueller().behalten ^= 1;
    Blt_Cache_Leeren();
}

void Spielstart_Auswahl_Klick(Screen_Icon* icon, u32 ereignis) {
    if (!icon || !(ereignis & MENUE_E_LINKS)) return;
    Spielstart_Zustand& z = Z();
    Spielstart_Slot& s = aktueller();
    if (icon->status & MENUE_S_GRAU) return;
    const i32 i = static_cast<i32>(icon->user[0]) + z.erster;
    if (i < 0 || i >= eintraege()) return;
    switch (z.seite) {
        case S_SCHWIERIGKEIT: z.schwierigkeit = i; break;
        case S_GESICHT:
            if (Spielstart_Kopf_Vergeben(i) && !ruf::Client()) return;  // taken by another manager
            s.gesicht = i;
            break;
        case S_LAND:
            s.land = z.laender[i];
            s.liga = s.team = -1;
            break;
        case S_VEREIN:
            if (Spielstart_Team_Vergeben(z.teams[i], nullptr) && !ruf::Client()) return;
            s.team = z.teams[i];
            break;
        case S_LIGA: s.liga = z.ligen[i]; break;
        default: return;
    }
    Spielstart_Seite_Init(1);
}

void Spielstart_Liste_Scrollen(Screen_Icon*, i32 index, u32) { Screen_Scroll_Gemeldet(&Z().erster, index); }

bool Spielstart_Team_Vergeben(i32 team, i32* slot) {
    if (team < 0) return false;
    for (i32 i = 0; i < Z().anzahl && i < SPIELSTART_SLOTS; ++i)
        if (i != Z().slot && Spielstart_Slots[i].team == team) {
            if (slot) *slot = i;
            return true;
        }
    return false;
}

bool Spielstart_Kopf_Vergeben(i32 gesicht) {
    if (gesicht < 0) return false;
    for (i32 i = 0; i < Z().anzahl && i < SPIELSTART_SLOTS; ++i)
        if (i != Z().slot && Spielstart_Slots[i].gesicht == gesicht) return true;
    return false;
}

bool Spielstart_Client_Team_Info(i32 team, char* name, bool* vergeben) {
    if (!ruf::Client()) return false;
    const Startteam_Eintrag* e = Spielstart_Startteam(team);
    if (!e || e->marke < 0 || !(e->status & (TEAM_STATUS_USER | TEAM_STATUS_USER_AKTIV))) return false;
    if (name) std::snprintf(name, 37, "%s", e->user);
    if (vergeben) *vergeben = (e->status & TEAM_STATUS_USER_AKTIV) != 0;
    return true;
}

