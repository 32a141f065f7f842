// The matchday pitch overview (see spielfeld_uebersicht.h).
#include "gui/spielfeld_uebersicht.h"

#include <algorithm>
#include <memory>

#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/palette.h"
#include "gui/wappen.h"
#include "match/spielfeld.h"
#include "season/wettbewerb_werte.h"
#include "world/welt.h"

namespace {

constexpr i32 ARCHIV = 4;  // the game screens' pictures
constexpr i32 E_HINTERGRUND = 31, E_HEIM = 33, E_GAST = 34, E_BALL = 35, E_NETZ_LINKS = 66, E_NETZ_RECHTS = 67;
constexpr i32 BAELLE = 31, BALL_OBJEKT = 37, OBJEKTE = 38;
constexpr u16 WEISS = FARBE_WEISS, WERT = FARBE_GEWAEHLT, TOR = FARBE_MARKE, GOLD = FARBE_HELLGOLD, NORMAL = FARBE_HELL;

struct Bilder {
    Rastport_Bild hintergrund;
    Rastport_Bild heim;
    Rastport_Bild gast;
    Rastport_Bild ball[BAELLE];
    Rastport_Bild netz[2];
    bool versucht = false;
} B;

struct Zustand {
    i32 blink = 100, schritt = 10;
    i32 minute = -1, tore = -1;
    // The clock of the match shown (a record of another match starts it afresh).
    const Spielfeld_Inhalt* uhr_von = nullptr;
    Spielfeld_Uhr uhr;
} Z;

Rastport_Bild laden(i32 eintrag) {
    const i32 slot = Resf_Spiel_Slot(ARCHIV);
    return Rastport_Bild(slot >= 0 ? Resf_Lade_Rastport(slot, eintrag) : nullptr);
}

bool bilder() {
    if (!B.versucht) {
        B.versucht = true;
        B.hintergrund = laden(E_HINTERGRUND);
        B.heim = laden(E_HEIM);
        B.gast = laden(E_GAST);
        for (i32 i = 0; i < BAELLE; ++i) B.ball[i] = laden(E_BALL + i);
        B.netz[0] = laden(E_NETZ_LINKS);
        B.netz[1] = laden(E_NETZ_RECHTS);
    }
    return B.hintergrund && B.heim && B.gast && B.netz[0] && B.netz[1];
}

Font* font(i32 n) { return Font_Tabelle_Holen(n); }

bool auf_dem_platz(const Spielfeld_Inhalt& sf, i32 i) {
    return i < SF_SPIELER && (sf.spieler[i].status & SFS_AUF_DEM_PLATZ) && sf.spieler[i].spieler >= 0 &&
           sf.objekt[i].y > 0;
}

void zentriert(const Rastport* bild, Rastport* ziel, i32 x, i32 y, const Blt_Optionen* opt) {
    if (bild) Blt_Blit(const_cast<Rastport*>(bild), 0, 0, -1, -1, ziel, x - bild->breite / 2, y - bild->hoehe / 2, opt);
}

void rahmen(Rastport* ziel, i32 x0, i32 y0, i32 x1, i32 y1, u16 farbe) {
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    Blt_Rechteck(ziel, x0, y0, x1 - x0 + 1, 1, farbe);
    Blt_Rechteck(ziel, x0, y1, x1 - x0 + 1, 1, farbe);
    Blt_Rechteck(ziel, x0, y0, 1, y1 - y0 + 1, farbe);
    Blt_Rechteck(ziel, x1, y0, 1, y1 - y0 + 1, farbe);
}

}  // namespace

i32 Spieltag_Bild_X_Fest(i32 x) { return x * 755 / 10800 + 22; }
i32 Spieltag_Bild_Y_Fest(i32 y) { return y * 476 / 6806 + 111; }
i32 Spieltag_Bild_X(const Spielfeld_Inhalt& sf, i32 x) {
    const i32 s = x * 755 / 10800;
    return (sf.seitenwechsel ? 755 - s : s) + 22;
}
i32 Spieltag_Bild_Y(const Spielfeld_Inhalt& sf, i32 y) {
    const i32 s = y * 476 / 6806;
    return (sf.seitenwechsel ? 476 - s : s) + 111;
}
i32 Spieltag_Ball_Bild(i32 hoehe) { return std::clamp(hoehe * BAELLE / 700, 0, BAELLE - 1); }
i32 Spieltag_Blinkstufe() { return Z.blink; }

void Spieltag_Free_Grafik() {
    B = Bilder{};
    Z = Zustand{};
}

void Spieltag_Blit_Spielerinfo(const Spielfeld_Inhalt& sf, i32 slot, Rastport* ziel) {
    if (slot < 0 || slot >= SF_SPIELER || !ziel) return;
    const bool links = sf.objekt[slot].x < SF_MITTE_X;
    const i32 bx = (links != (sf.seitenwechsel != 0)) ? 540 : 0, by = 385;
    const Rastport_Bild box(Rastport_Neu_Einfach(260, 140, ziel->tiefe()));
    if (!box) return;
    Blt_Rechteck(box.get(), 0, 0, 260, 140, FARBE_DUNKEL);
    Blt_Alpha_Prozent(box.get(), 0, 0, 260, 140, ziel, bx, by, 50);
    const Spielfeld_Spieler& s = sf.spieler[slot];
    if (Font* f = font(16))
        Font_Printf(ziel, f, "^c%05d^tz%04d%s (St\xE4rke:%d)", bx + 0, by + 12, WEISS, 130,
                    Spieler_String(63, s.spieler, nullptr, 0), s.staerke);
    Blt_Rechteck(ziel, bx + 10, by + 16, 242, 2, WEISS);
    if (Font* f = font(9)) {
        const char* namen[4] = {"Pass", "Schuss", "Zweikampf", "Tempo"};
        const u8 werte[4] = {s.f_pass, s.f_schuss, s.f_zweikampf, s.f_tempo};
        for (int i = 0; i < 4; ++i) {
            const i32 y = by + 40 + i * 24;
            Font_Printf(ziel, f, "^c%05d%s", bx + 16, y, NORMAL, namen[i]);
            Blt_Rechteck(ziel, bx + 100, y - 8, 140, 6, FARBE_BALKEN_GRUND);
            Blt_Rechteck(ziel, bx + 100, y - 8, 140 * std::min<i32>(werte[i], 100) / 100, 6, GOLD);
        }
    }
}

i32 Spieltag_Uhr_Lesen(Spielfeld_Uhr* uhr, const Spielfeld_Inhalt& sf) {
    const i32 ende =
        sf.halbzeit > 0 ? Wettbewerb_Get_Halbzeit_Ende(static_cast<i32>(sf.wettbewerb), 0x7fff, sf.halbzeit - 1) : -1;
    return Spielfeld_Uhr_Lesen(uhr, &sf, ende);
}

bool Spieltag_Blit_Spielfeld(const Spielfeld_Inhalt& sf, Rastport* ziel, i32 mx, i32 my) {
    if (!ziel) return false;
    Z.blink += Z.schritt;
    if (Z.blink > 100) Z.blink = 100, Z.schritt = -10;
    if (Z.blink < 30) Z.blink = 30, Z.schritt = 10;
    if (!bilder()) return false;
    Blt_Blit(B.hintergrund.get(), 0, 0, 800, 600, ziel, 0, 0, Blt_Opt_Standard);

    const i32 heim = static_cast<i32>(sf.team[0]), gast = static_cast<i32>(sf.team[1]);
    auto name = [](i32 t) { return t >= 0 && t < Team_Anzahl ? Team_String(721, t, nullptr, 0) : ""; };
    if (heim >= 0 && heim < Team_Anzahl) Wappen_Holen(ziel, heim, 12, 7, true, 52, 52, false, -1);
    if (gast >= 0 && gast < Team_Anzahl) Wappen_Holen(ziel, gast, 736, 7, true, 52, 52, false, -1);
    if (sf.minute != Z.minute || sf.tore[0] + sf.tore[1] != Z.tore) {
        Blt_Cache_Leeren();
        Z.minute = sf.minute, Z.tore = sf.tore[0] + sf.tore[1];
    }
    if (Font* f = font(3)) {
        Font_Printf_Glatt(ziel, f, "^c%05d^tz0200%s", 0, 44, WEISS, name(heim));
        Font_Printf_Glatt(ziel, f, "^c%05d^tz0600%s", 0, 44, WEISS, name(gast));
    }
    if (Font* f = font(4)) {
        Font_Printf_Glatt(ziel, f, "^c%05d^tz0370%d", 0, 43, WEISS, sf.tore[0]);
        Font_Printf_Glatt(ziel, f, "^c%05d^tz0400:", 0, 41, GOLD);
        Font_Printf_Glatt(ziel, f, "^c%05d^tz0430%d", 0, 43, WEISS, sf.tore[1]);
    }
    if (Z.uhr_von != &sf) Z.uhr_von = &sf, Z.uhr = {};
    const i32 minute = Spieltag_Uhr_Lesen(&Z.uhr, sf);
    if (Font* f = font(2)) Font_Printf_Glatt(ziel, f, "^c%05d^tz0400%d.Minute", 0, 93, WERT, minute);
    // The match's progress under the clock.
    Blt_Rechteck(ziel, 297, 99, std::clamp<i32>(minute * 206 / 90, 0, 206), 3, GOLD);
    // Strengths: 0..999 as 0,0..66,0 (a decimal comma) with a gauge.
    if (Font* f = font(1))
        for (int s = 0; s < 2; ++s) {
            const i32 v = std::clamp<i32>(sf.staerke[s], 0, 999) * 132 / 999;
            Blt_Rechteck(ziel, s ? 552 + 83 - v * 82 / 132 : 165, 80, v * 82 / 132, 17, s ? FARBE_BALKEN_GAST : FARBE_BALKEN_HEIM);
            Font_Printf_Glatt(ziel, f, s ? "^c%05d^tr0540%d,%d" : "^c%05d^tl0260%d,%d", 0, 94, WEISS, v / 2,
                              (v % 2) * 5);
        }
    // The goals at both ends.
    for (i32 x : {0, SF_LAENGE}) {
        const i32 sx = Spieltag_Bild_X_Fest(x) - (x ? 1 : 0);
        const i32 y0 = Spieltag_Bild_Y_Fest(SF_PFOSTEN_1), y1 = Spieltag_Bild_Y_Fest(SF_PFOSTEN_2) + 2;
        Blt_Rechteck(ziel, sx, y0, 2, y1 - y0, TOR);
    }
    // The player under the mouse: his zone and the info box.
    for (i32 i = 0; i < SF_SPIELER; ++i) {
        if (!auf_dem_platz(sf, i)) continue;
        const i32 px = Spieltag_Bild_X(sf, static_cast<i32>(sf.objekt[i].x));
        const i32 py = Spieltag_Bild_Y(sf, static_cast<i32>(sf.objekt[i].y));
        if (mx - px < -9 || mx - px > 8 || my - py < -9 || my - py > 8) continue;
        const Spielfeld_Spieler& s = sf.spieler[i];
        rahmen(ziel, Spieltag_Bild_X(sf, s.zone_x[0]), Spieltag_Bild_Y(sf, s.zone_y[0]),
               Spieltag_Bild_X(sf, s.zone_x[1]), Spieltag_Bild_Y(sf, s.zone_y[1]), WERT);
        for (int k = 0; k < 2; ++k)
            Blt_Rechteck(ziel, Spieltag_Bild_X(sf, s.marke[k][0]) - 2, Spieltag_Bild_Y(sf, s.marke[k][1]) - 2, 5, 5,
                         TOR);
        Spieltag_Blit_Spielerinfo(sf, i, ziel);
        break;
    }
    // Markers, shirt numbers and the ball.
    for (i32 i = 0; i < OBJEKTE; ++i) {
        const i32 px = Spieltag_Bild_X(sf, static_cast<i32>(sf.objekt[i].x));
        const i32 py = Spieltag_Bild_Y(sf, static_cast<i32>(sf.objekt[i].y));
        if (i == BALL_OBJEKT) {
            zentriert(B.ball[Spieltag_Ball_Bild(static_cast<i32>(sf.objekt[i].z))].get(), ziel, px, py, Blt_Opt_Transparent);
            continue;
        }
        if (!auf_dem_platz(sf, i)) continue;
        Rastport* m = i < 17 ? B.heim.get() : B.gast.get();
        const i32 x0 = px - m->breite / 2, y0 = py - m->hoehe / 2;
        if (sf.spieler[i].ausdauer < 3000)
            Blt_Alpha_Prozent_Transparent(m, 0, 0, m->breite, m->hoehe, ziel, x0, y0, Z.blink);
        else
            Blt_Blit(m, 0, 0, -1, -1, ziel, x0, y0, Blt_Opt_Transparent);
        if (Font* f = font(16))
            Font_Printf(ziel, f, "^c%05d^tz%04d%d", x0, y0 + 16, i < 17 ? FARBE_DUNKEL : WEISS, 12,
                        sf.spieler[i].rueckennummer);
    }
    // The duel's names.
    if (Font* f = font(16))
        for (i32 d : sf.zweikampf)
            if (d >= 0 && auf_dem_platz(sf, d))
                Font_Printf(ziel, f, "^c%05d%s", Spieltag_Bild_X(sf, static_cast<i32>(sf.objekt[d].x)) + 5,
                            Spieltag_Bild_Y(sf, static_cast<i32>(sf.objekt[d].y)) + 10 + 9, WEISS,
                            Spieler_String(63, sf.spieler[d].spieler, nullptr, 0));
    Blt_Blit(B.netz[0].get(), 0, 0, -1, -1, ziel, 4, 317, Blt_Opt_Transparent);
    Blt_Blit(B.netz[1].get(), 0, 0, -1, -1, ziel, 777, 317, Blt_Opt_Transparent);
    return true;
}
