// The squad screen drawn: the rows, the shirts on the pitch, and
// the hover texts (what the screen's files share: kader_intern.h).
#include "screens/squad/kader.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "base/debug.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/abdruck.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/kader_intern.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/schritt.h"
#include "screens/teile/spieler_hilfe.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/welt.h"

using namespace kader_intern;

// --- Drawing ------------------------------------------------------------------------

void E1_Screen_Zeile_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    const i32 k = static_cast<i32>(i->user[1]);
    const bool vor = vorschau.an && k >= 0 && k < KADER_FELDER && Menue_Get_Klick_Icon() != i;
    const i32 p = vor ? vorschau.spieler[k] : static_cast<i32>(i->user[0]);
    if (p < 0 || p >= Spieler_Anzahl) return;
    if (Menue_Get_Klick_Icon() == i && x < ZEILE_X) {
        // Dragged over the pitch: a shirt where he would go.
        const i32 klasse = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
        if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT_GEHOBEN + TRIKOT_BILD[klasse]))
            Blt_Blit(b, 0, 0, -1, -1, ziel, x - 2, y - 2, Blt_Opt_Transparent);
        const i32 nummer = wert(SPIELER_WERT_RUECKENNUMMER, p);
        if (Font* f = Kit_Font(Kit_Schrift::TEXT))
            Kit_Tabelle_Zeile_Printf(ziel, f, verfuegbar(p) ? FARBE_WEISS : FARBE_FEHLER,
                                     x + 2 - (nummer >= 10 && nummer <= 19 ? 1 : 0), y + 19, Kit_Schein::SCHLICHT,
                                     SPIELERZEILE_SPALTEN, "^fb0008\t%d^fe", nummer);
        return;
    }
    const bool gewaehlt = an(i->nummer);
    if (Menue_Get_Aktives_Icon() == i || gewaehlt)
        if (Rastport* b = Kit_Bild(GRAFIK_KADER_ZEILE)) Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
    Spielerzeile z{.spieler = p, .x = x, .y = y, .hoehe = ZEILE_H, .gewaehlt = gewaehlt};
    z.gezogen = k >= 0 && k < KADER_ZEILEN && verknuepft_zeile[k] >= 0;
    // The starters' rows show what the player loses at his own cell (at the
    // cell he would take while a drop is previewed).
    if (vor) {
        z.abzug = Spieler_Positionsabzug(p, vorschau.reihe[k]);
        z.gezogen = Menue_Get_Klick_Icon() && p == static_cast<i32>(Menue_Get_Klick_Icon()->user[0]);
    }
    if (!vor && k < 11 && wert(SPIELER_WERT_SLOT, p) <= 10)
        z.abzug = Spieler_Positionsabzug(p, wert(SPIELER_WERT_ZEILE, p));
    Spielerzeile_Zeichnen(ziel, z);
}

void E1_Screen_Feld_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    const i32 p = static_cast<i32>(i->user[0]);
    if (p < 0 || p >= Spieler_Anzahl) return;
    if (!verfuegbar(p)) {
        i->status |= MENUE_S_GRAU;
        return;
    }
    if (!feld_gesperrt) i->status &= ~MENUE_S_GRAU;
    const i32 k = static_cast<i32>(i->user[1]);
    const i32 klasse = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
    const i32 nummer = wert(SPIELER_WERT_RUECKENNUMMER, p);
    const i32 links = nummer >= 10 && nummer <= 19 ? 1 : 0;
    const bool gehoben = eigenes_gezeigt() && (an(i->nummer) || Menue_Get_Aktives_Icon() == i ||
                                               Menue_Get_Klick_Icon() == i ||
                                               (k >= 0 && k < KADER_FELDER && verknuepft_feld[k] >= 0));
    // The own shirt being dragged leaves a half-transparent copy at its
    // place, its number one pixel lower.
    if (gehoben && Menue_Get_Klick_Icon() == i && k >= 0 && k < KADER_FELDER) {
        const i32 hx = feld_heim[k][0], hy = feld_heim[k][1];
        if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT + TRIKOT_BILD[klasse]))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, hx, hy, 50);
        if (Font* f = Kit_Font(Kit_Schrift::ZAHL)) {
            char t[48];
            std::snprintf(t, sizeof t, "^fb0006%s%d^fe",
                          Kit_Einzug_Bei(Kit_Spalte_Stelle(SPIELERZEILE_SPALTEN[SZ_NUMMER])).code, nummer);
            Kit_Text_Alpha(ziel, f, FARBE_WEISS, t, hx - links, hy - 7 + FELD_H + 1, 50);
        }
    }
    if (gehoben) {
        if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT_GEHOBEN + TRIKOT_BILD[klasse]))
            Blt_Blit(b, 0, 0, -1, -1, ziel, x - 2, y - 2, Blt_Opt_Transparent);
        if (Font* f = Kit_Font(Kit_Schrift::TEXT))
            Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x + 2 - links, y + 19, Kit_Schein::SCHLICHT,
                                     SPIELERZEILE_SPALTEN, "^fb0008\t%d^fe", nummer);
        return;
    }
    // A probed frame: the shirt and its number draw the same while they are the same.
    const bool merken = Abdruck_Trifft(ziel);
    if (merken) [[unlikely]] {
        const i64 werte[] = {0x4645, x, y, klasse, nummer};
        if (Abdruck_Gemerkt(werte, static_cast<i32>(std::size(werte))) == Abdruck_Folge::FERTIG) return;
    }
    if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT + TRIKOT_BILD[klasse]))
        Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x - links, y - 7 + FELD_H, Kit_Schein::SCHLICHT,
                                 SPIELERZEILE_SPALTEN, "^fb0006\t%d^fe", nummer);
    if (merken) Abdruck_Gemerkt_Ende();
}

void E1_Screen_Ansicht_Pruefen(Screen_Icon* i, Rastport*, i32, i32) {
    const bool keine = Team_Ansicht < 0 || Team_Ansicht >= Team_Anzahl;
    if (keine && !(i->status & MENUE_S_GRAU)) {
        i->status |= MENUE_S_GRAU;
        E1_Screen_Anzeigen();
    } else if (!keine && (i->status & MENUE_S_GRAU)) {
        i->status &= ~MENUE_S_GRAU;
        E1_Screen_Anzeigen();
    }
}


// --- Hover texts --------------------------------------------------------------------------

const char* E1_Screen_Hilfetext(Screen_Icon* i) {
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (i->zeichnen == E1_Screen_Titel_Zeichnen) {
        if (my < 110) {
            static constexpr i32 GRENZE[8][2] = {{205, 230}, {233, 267}, {268, 399}, {400, 495},
                                                 {496, 545}, {546, 635}, {654, 699}, {724, 760}};
            for (i32 k = 0; k < 8; ++k)
                if (mx >= GRENZE[k][0] && mx <= GRENZE[k][1]) return text(T_HILFE_KOPF + k);
            return nullptr;
        }
        if (my >= 121 && my <= 135 && mx <= 244) return text(T_HILFE_ELF);
        if (my >= 328 && my <= 342 && mx <= 314) return text(T_HILFE_BANK);
        if (my >= 450 && my <= 465 && mx <= 264) return text(T_HILFE_RESERVE);
        return text(T_HILFE_LISTE);
    }
    if (i->klick == E1_Screen_Spielfeld_Klick) return text(T_HILFE_FELD);
    if (i->user[1] == WORT_KNOPF) return text(T_HILFE_KNOPF + static_cast<i32>(i->user[0]));
    const i32 p = static_cast<i32>(i->user[0]);
    if (p < 0 || p >= Spieler_Anzahl) return nullptr;
    if (ist_zeile(i) && mx >= 546 && mx <= 635) {
        const char* name = Global_Get_Hauptattribut_Name(p, (mx - 546) / 30);
        return name && *name ? name : nullptr;
    }
    return Spieler_Hilfetext(p, eigenes_gezeigt(), hilfe, sizeof hilfe);
}
