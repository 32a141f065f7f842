// The new game's wizard drawn: its pages' titles, the settings and their
// values, the managers' rows.
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
#include "screens/teile/scroll.h"
#include "screens/teile/sterne.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"
#include "screens/start/wizard_intern.h"

using namespace wizard_intern;

namespace {
constexpr Kit_Stelle SEITEN_TITEL{Kit_Ausrichtung::MITTE, 598};  // the page's title and its hint
constexpr Kit_Stelle SERVER{Kit_Ausrichtung::RECHTS, 360};       // the server's address beside the managers
// The list of countries, clubs or leagues: the name from the row's left
// (its head at the list's left edge on the screen), the count or country
// at the row's right edge.
constexpr Kit_Spalte LISTE_KOPF[] = {{.x = 521}, {.x = 767, .ausrichtung = Kit_Ausrichtung::RECHTS}};
constexpr Kit_Stelle LISTE_WERT{Kit_Ausrichtung::RECHTS, 340};
constexpr Kit_Stelle KNOPF_TEXT{Kit_Ausrichtung::MITTE, 50};  // a button's label over its picture
}  // namespace

// --- Drawing -------------------------------------------------------------------------------

void Spielstart_Uebersicht(Screen_Icon*, Rastport* ziel, i32, i32) {
    const Spielstart_Zustand& z = Z();
    const Spielstart_Slot& s = aktueller();
    auto farbe = [&](i32 seite) { return z.seite == seite ? FARBE_GEWAEHLT : FARBE_WEISS; };
    const i32 seite = std::clamp(z.seite, 0, 7);
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::GROSSTITEL), FARBE_WEISS, 0, 132, Kit_Schein::GLATT, SEITEN_TITEL,
                      "%s", text(72 + seite));
    if (z.seite == S_ANZAHL)
        Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_GEWAEHLT, 0, 168, Kit_Schein::GLATT, SEITEN_TITEL,
                          "%s", text(79));
    // Managers.
    char zeile[160];
    if (z.anzahl == 1) std::snprintf(zeile, sizeof zeile, "%d. %s", z.slot + 1, text(80));
    else std::snprintf(zeile, sizeof zeile, text(81), z.slot + 1, z.anzahl);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::MITTEL), farbe(S_ANZAHL), 40, 124, "%s", zeile);
    if (ruf::Client()) {
        const Spielstart_Netz& n = Spielstart_Get_Netz();
        char server[80];
        std::snprintf(server, sizeof server, text(139), n.adresse[0], n.adresse[1], n.adresse[2], n.adresse[3]);
        Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_HELL, 0, 124, Kit_Schein::GLATT, SERVER, "%s",
                          server);
    }
    // Difficulty.
    if (z.schwierigkeit >= 0)
        Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_SCHWIERIGKEIT + static_cast<u32>(z.schwierigkeit), 37, 150);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::MITTEL), farbe(S_SCHWIERIGKEIT), 133, 178, "%s: %s", text(83),
                     schwierigkeit_name(z.schwierigkeit));
    // Name and face.
    if (s.gesicht >= 0) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_GESICHT + static_cast<u32>(s.gesicht), 37, 206);
    else Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_FELD_LEER, 37, 206);
    if (z.seite == S_GESICHT) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_GESICHT_RAHMEN, 35, 204);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::MITTEL), farbe(z.seite == S_GESICHT ? S_GESICHT : S_NAME), 133, 250,
                     "%s: %s", text(71), s.name[0] ? s.name : text(69));
    // Country, club, league.
    Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_FELD_LEER, 37, 285);
    if (s.land >= 0) Wappen_Blit(s.land, ziel, 41, 289, 62, 62, nullptr);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::MITTEL), farbe(S_LAND), 133, 330, "%s: %s", text(84),
                     s.land >= 0 ? Team_String(721, s.land, nullptr, 0) : text(69));
    Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_FELD_LEER, 37, 364);
    if (s.team >= 0) Wappen_Blit(s.team, ziel, 41, 368, 62, 62, nullptr);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::MITTEL), farbe(S_VEREIN), 133, 410, "%s: %s", text(85),
                     s.team >= 0 ? Team_String(721, s.team, nullptr, 0) : text(69));
    // The league's picture by its graphic number (the empty field without a league).
    if (s.liga >= 0) Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_WIZ_LIGA + liga_bild(s.liga)), 37, 443);
    else Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_FELD_LEER, 37, 443);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::MITTEL), farbe(S_LIGA), 133, 490, "%s: %s", text(86),
                     s.liga >= 0 ? Wettbewerb_Get_Name(s.liga, false).c_str() : text(69));
}

void Spielstart_Listenkopf(Screen_Icon*, Rastport* ziel, i32, i32) {
    switch (Z().seite) {
        case S_LAND:
            Kit_Tabelle_Kopf_Printf(ziel, Kit_Font(Kit_Schrift::KLEIN), FARBE_KOPF, 0, 181, Kit_Schein::GLATT,
                                    LISTE_KOPF, "\t%s\t%s", text(87), text(88));
            break;
        case S_VEREIN:
            Kit_Tabelle_Kopf_Printf(ziel, Kit_Font(Kit_Schrift::KLEIN), FARBE_KOPF, 0, 181, Kit_Schein::GLATT,
                                    LISTE_KOPF, "\t%s\t%s", text(89), text(90));
            break;
        case S_LIGA:
            Kit_Tabelle_Kopf_Printf(ziel, Kit_Font(Kit_Schrift::KLEIN), FARBE_KOPF, 0, 181, Kit_Schein::GLATT,
                                    LISTE_KOPF, "\t%s\t%s", text(92), text(93));
            break;
        default: break;
    }
}

void Spielstart_Anzahl_Zeichnen(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    // The count from the digit strip: its row, or two half-width rows from 10 on.
    Rastport* streifen = Kit_Bild(GRAFIK_WIZ_ZIFFERN);
    const i32 n = Z().anzahl;
    if (!streifen || n < 0 || n > 99) return;
    const i32 zx = x + (ICON_WIZ_ANZAHL_BREITE - ZIFFER_BREITE) / 2, zy = y + (ICON_WIZ_ANZAHL_HOEHE - ZIFFER_HOEHE) / 2 - 2;
    if (n < 10) {
        Blt_Blit(streifen, 0, n * ZIFFER_HOEHE, ZIFFER_BREITE, ZIFFER_HOEHE, ziel, zx, zy, Blt_Opt_Transparent);
        return;
    }
    const i32 halb = ZIFFER_BREITE / 2;
    Blt_Blit(streifen, 0, (10 + n / 10) * ZIFFER_HOEHE, halb, ZIFFER_HOEHE, ziel, zx, zy, Blt_Opt_Transparent);
    Blt_Blit(streifen, 0, (10 + n % 10) * ZIFFER_HOEHE, halb, ZIFFER_HOEHE, ziel, zx + halb, zy, Blt_Opt_Transparent);
}

void Spielstart_Listeneintrag(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    const Spielstart_Zustand& z = Z();
    const Spielstart_Slot& s = aktueller();
    const i32 i = static_cast<i32>(icon->user[0]) + z.erster;
    if (i < 0 || i >= eintraege()) return;
    const bool maus = Menue_Get_Aktives_Icon() == icon;
    bool gewaehlt = false;
    switch (z.seite) {
        case S_SCHWIERIGKEIT: {
            gewaehlt = z.schwierigkeit == i;
            if (maus) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_HELL, x, y);
            if (gewaehlt) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_MARKE, x + 4, y + 6);
            Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_SCHWIERIGKEIT + static_cast<u32>(i), x + 36, y);
            Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), gewaehlt ? FARBE_GEWAEHLT : FARBE_WEISS, x + 94,
                             y + 22, "%s", schwierigkeit_name(i));
            return;
        }
        case S_GESICHT: {
            Rastport* g = Kit_Bild(GRAFIK_WIZ_GESICHT + static_cast<u32>(i));
            const bool vergeben = Spielstart_Kopf_Vergeben(i) && !ruf::Client();
            icon->status = vergeben ? icon->status | MENUE_S_GRAU : icon->status & ~MENUE_S_GRAU;
            if (!g) return;
            if (vergeben) Blt_Alpha_Prozent_Transparent(g, 0, 0, g->breite, g->hoehe, ziel, x, y, 50);
            else if (s.gesicht == i || s.gesicht < 0 || maus) Blt_Blit(g, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
            else Blt_Alpha_Prozent_Transparent(g, 0, 0, g->breite, g->hoehe, ziel, x, y, 60);
            if (s.gesicht == i) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_GESICHT_RAHMEN, x - 2, y - 2);
            return;
        }
        case S_LAND: {
            const i32 land = z.laender[i];
            gewaehlt = s.land == land;
            if (maus) Blt_Pulsieren_Transparent(Kit_Bild(GRAFIK_WIZ_HELL), 0, 0, 353, 33, ziel, x, y);
            if (gewaehlt) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_MARKE, x + 4, y + 6);
            Wappen_Blit(land, ziel, x + 38, y + 2, 28, 28, nullptr);
            Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), gewaehlt ? FARBE_GEWAEHLT : FARBE_WEISS, x + 94,
                             y + 22, "%s", Team_String(721, land, nullptr, 0));
            i32 ligen[128];
            const i32 n = Wettbewerb_Get_Aktive(land, ligen, true);
            Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_HELL, x, y + 22, Kit_Schein::GLATT, LISTE_WERT,
                              "%d", n);
            return;
        }
        case S_VEREIN: {
            const i32 t = z.teams[i];
            gewaehlt = s.team == t;
            if (maus) Blt_Pulsieren_Transparent(Kit_Bild(GRAFIK_WIZ_HELL), 0, 0, 353, 33, ziel, x, y);
            if (gewaehlt) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_MARKE, x + 4, y + 6);
            char user[37] = {};
            bool aktiv = false;
            i32 anderer = -1;
            if (Spielstart_Client_Team_Info(t, user, &aktiv)) {
                icon->status = aktiv ? icon->status | MENUE_S_GRAU : icon->status & ~MENUE_S_GRAU;
                Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_GEWAEHLT, x + 94, y + 30, "%s%s%s", user,
                                 aktiv ? " " : "", aktiv ? text(141) : "");
            } else if (!ruf::Client() && Spielstart_Team_Vergeben(t, &anderer)) {
                icon->status |= MENUE_S_GRAU;
                Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_MARKE, x + 94, y + 30, "[%s]",
                                 Spielstart_Slots[anderer].name);
            } else {
                icon->status &= ~MENUE_S_GRAU;
                const i32 liga = Wettbewerb_Get_Liga_Von_Team(t, true);
                const std::string n = liga >= 0 ? Wettbewerb_Get_Name(liga, false) : std::string(text(97));
                Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_HELL, x + 94, y + 30, "%s", n.c_str());
            }
            const i32 halbe = Team_Get_Staerke_Modus(t, 16) / 11;
            Sterne_Zeichnen(ziel, Sterne_Klein(std::clamp(halbe, 0, 12), 0, x + 292), y + 12);
            Wappen_Blit(t, ziel, x + 38, y + 2, 28, 28, nullptr);
            Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TEXT),
                             (icon->status & MENUE_S_GRAU) ? FARBE_GRAU
                             : gewaehlt                    ? FARBE_GEWAEHLT
                                                           : FARBE_WEISS,
                             x + 94, y + 16, "%s", Team_String(721, t, nullptr, 0));
            return;
        }
        case S_LIGA: {
            const i32 id = z.ligen[i];
            gewaehlt = s.liga == id;
            if (maus) Blt_Pulsieren_Transparent(Kit_Bild(GRAFIK_WIZ_HELL), 0, 0, 353, 33, ziel, x, y);
            if (gewaehlt) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_MARKE, x + 4, y + 6);
            Pokal_Blit(id, -1, ziel, x + 38, y + 2, 28, 28, nullptr);
            Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), gewaehlt ? FARBE_GEWAEHLT : FARBE_WEISS, x + 94,
                             y + 22, "%s", Wettbewerb_Get_Name(id, false).c_str());
            const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
            if (w && w->land >= 0 && w->land < Team_Anzahl)
                Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_HELL, x, y + 22, Kit_Schein::GLATT,
                                  LISTE_WERT, "%s", Team_String(722, w->land, nullptr, 0));
            return;
        }
        default: return;
    }
}

void Spielstart_Name_Seite(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    Spielstart_Slot& s = aktueller();
    char titel[80];
    std::snprintf(titel, sizeof titel, text(70), Z().slot + 1);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, x + 16, y + 28, "%s", titel);
    const i32 r = Eingabefeld_Bearbeiten(Kit_Font(Kit_Schrift::SCHMAL_GROSS), s.name, sizeof s.name,
                                         SPIELSTART_NAME_MAX, EINGABE_NAMEN | EINGABE_ALLES_WAEHLEN, x + 16, y + 44,
                                         320, 24, 0, 0, nullptr, 0, 0, nullptr, FARBE_WEISS);
    if (!Spielstart_Name_Gueltig(s.name) && s.name[0])
        Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_FEHLER, x + 16, y + 86, "%s", text(146));
    Start_Grau(ICON_WIZ_WEITER, !Spielstart_Seite_Fertig());
    if (r == EINGABE_FERTIG) {
        if (Spielstart_Seite_Fertig()) Spielstart_Seite_Init(1);
        else Eingabefeld_Free();
    }
}

void Spielstart_Zurueck_Text(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::KNOPF), (icon->status & MENUE_S_GRAU) ? FARBE_GRAU : FARBE_KNOPF_TEXT,
                      x, y + 21, Kit_Schein::GLATT, KNOPF_TEXT, "%s", text(95));
}

void Spielstart_Weiter_Text(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    // Greyed while the page's choice is missing.
    Start_Grau(ICON_WIZ_WEITER, !Spielstart_Seite_Fertig());
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::KNOPF), (icon->status & MENUE_S_GRAU) ? FARBE_GRAU : FARBE_KNOPF_TEXT,
                      x, y + 21, Kit_Schein::GLATT, KNOPF_TEXT, "%s", text(96));
}

void Spielstart_Team_Behalten_Info(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    const bool an = aktueller().behalten != 0;
    if (Menue_Get_Aktives_Icon() == icon) Kit_Bild_Zeichnen(ziel, GRAFIK_WIZ_HELL_KLEIN, x, y);
    Kit_Bild_Zeichnen(ziel, an ? GRAFIK_WIZ_HAKEN_AN : GRAFIK_WIZ_HAKEN, x + 2, y + 2);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TEXT), an ? FARBE_GEWAEHLT : FARBE_WEISS, x + 30, y + 17, "%s",
                     text(94));
}
