// The squad screen's clicks: rows, pitch shirts and buttons chosen and
// swapped, and the rows and shirts dragged and dropped (what the screen's
// files share: kader_intern.h).
#include "screens/squad/kader.h"

#include <algorithm>
#include <cstdio>

#include "base/debug.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
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
#include "world/modi.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

using namespace kader_intern;

// --- Clicks ----------------------------------------------------------------------------

void E1_Screen_Zeile_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 k = static_cast<i32>(i->user[1]);
    if (k < 0 || k >= KADER_ZEILEN) return;
    const i32 p = static_cast<i32>(i->user[0]);
    const i32 s = p >= 0 ? (eigenes_gezeigt() ? wert(SPIELER_WERT_SLOT, p) : k) : -1;
    if (ereignis & MENUE_E_HOVER_REIN) {
        if (s >= 0 && s < 11) verknuepft_feld[s] = i->nummer;
        return;
    }
    if (ereignis & MENUE_E_HOVER_RAUS) {
        if (s >= 0 && s < 11) verknuepft_feld[s] = -1;
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || p < 0) return;
    // While the attribute popup is open a row shows its player there.
    if (Attribut_Popup_Offen()) {
        Attribut_Popup_Spieler_Zeigen(p, liste_team);
        return;
    }
    const i32 mx = Maus_Get_X();
    if (mx >= ATTRIBUTE_X0 && mx <= ATTRIBUTE_X1) {
        Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = p, .team = liste_team, .x = mx, .y = Maus_Get_Y()});
        setzen(i->nummer, false);
        return;
    }
    if (!eigenes_gezeigt()) return;
    waehlen_oder_tauschen(k);
    neu_fuellen();
}

void E1_Screen_Feld_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 p = static_cast<i32>(i->user[0]);
    if (p < 0) return;
    const i32 k = zeile_von_spieler(p);
    if (ereignis & MENUE_E_HOVER_REIN) {
        if (k >= 0) verknuepft_zeile[k] = i->nummer;
        return;
    }
    if (ereignis & MENUE_E_HOVER_RAUS) {
        for (i32& v : verknuepft_zeile) v = -1;
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || !eigenes_gezeigt() || k < 0) return;
    if (geaendert) geaendert = false, auswahl_loeschen();
    const i32 g = erste_gewaehlte_zeile();
    if (g < 0 || g == k) {
        const bool ein = !an(ICON_KADER_ZEILE + k);
        setzen(ICON_KADER_ZEILE + k, ein);
        setzen(i->nummer, ein);
    } else {
        waehlen_oder_tauschen(k);
    }
    neu_fuellen();
}

void E1_Screen_Spielfeld_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !eigenes_gezeigt() || geaendert) return;
    const i32 g = erste_gewaehlte_zeile();
    if (g < 0) return;
    i32 p = E1_Screen_Spieler_Von(ICON_KADER_ZEILE + g);
    if (!verfuegbar(p)) {
        refuse();
        return;
    }
    i32 c = Maus_Get_X(), r = Maus_Get_Y();
    if (E1_Screen_Maus_In_Feld(&c, &r) && aufs_feld(p, c, r)) Aufstellung_Gesetzt(Team_Aktiv);
    auswahl_loeschen();
    geaendert = false;
    neu_fuellen();
}

void E1_Screen_Menue_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    // A right click anywhere comes here: it closes an open player window
    // first, opens the card of a player under the mouse, and otherwise goes
    // back to the team menu.
    if (ereignis & MENUE_E_RECHTS) {
        if (Spielerfenster_Schliessen()) {
            auswahl_zuruecksetzen();
            return;
        }
        const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
        for (i32 n = ICON_KADER_ZEILE; n < ICON_KADER_FELD + KADER_FELDER; ++n) {
            const Screen_Icon* i = Kit_Icon(n);
            if (!i || (i->status & MENUE_S_VERSTECKT) || mx < i->x || mx >= i->x + i->w || my < i->y || my >= i->y + i->h)
                continue;
            const i32 p = static_cast<i32>(i->user[0]), t = ist_feld(i) ? feld_team : liste_team;
            if (p < 0 || p >= Spieler_Anzahl) continue;
            Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE, {.spieler = p, .team = t});
            auswahl_zuruecksetzen();
            return;
        }
    }
    if (Screen_Icon* d = Kit_Icon(ICON_DIALOG_TEAM)) Menue_Dialog_Klick(d, MENUE_E_LINKS);
}

void E1_Screen_Auto_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !eigenes_gezeigt()) return;
    const i32 t = Team_Aktiv;
    const bool ein = !an(ICON_KADER_AUTO);
    setzen(ICON_KADER_AUTO, ein);
    Team_Aufstellung_Manuell(t);
    if (ein) {
        Team_Wert(TEAM_FORMATION, t, AUTOMATISCH, OP_BITS_SETZEN);
        // A network client whose change did not stick keeps its line-up.
        if (!Team_Hat_Manager(t) || (Team_Wert(TEAM_FORMATION, t, 0, OP_LESEN) & AUTOMATISCH)) Aufstellung_Automatisch(t);
    }
    auswahl_loeschen();
    neu_fuellen();
}

void E1_Screen_Ansicht_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || (i->status & MENUE_S_GRAU)) return;
    const bool ein = !an(ICON_KADER_ANSICHT);
    setzen(ICON_KADER_ANSICHT, ein);
    setzen(ICON_KADERANSICHT_ANSICHT, ein);
    if (ein && Team_Ansicht >= 0 && Team_Ansicht < Team_Anzahl && ruf::Haelt_Spiel() &&
        (!Team_Hat_Manager(Team_Ansicht) || (Team_Wert(TEAM_FORMATION, Team_Ansicht, 0, OP_LESEN) & AUTOMATISCH)))
        Aufstellung_Automatisch(Team_Ansicht);
    E1_Screen_Anzeigen();
}

// --- Dragging -------------------------------------------------------------------------------

void E1_Screen_Zeile_Ablegen(Screen_Icon* g, Screen_Icon* ziel, i32 x, i32 y, u32 ereignis) {
    vorschau.an = false;
    if (!(ereignis & MENUE_E_DROP) || !eigenes_gezeigt()) return;
    const i32 p = static_cast<i32>(g->user[0]);
    if (p < 0) return;
    if (geaendert) geaendert = false, auswahl_loeschen();
    if (ist_feld(ziel) || (ist_zeile(ziel) && ziel->y != g->y)) {
        ablegen_tauschen(p, static_cast<i32>(ziel->user[0]));
    } else if (ziel && ziel->klick == E1_Screen_Spielfeld_Klick) {
        i32 c = x, r = y;
        if (!verfuegbar(p)) {
            refuse();
        } else if (E1_Screen_Maus_In_Feld(&c, &r)) {
            // He takes the place of an unavailable starter first, if there is one.
            if (wert(SPIELER_WERT_SLOT, p) > 10)
                if (const i32 q = erster_ausfall_in_elf(); q >= 0) Spieler_Tauschen_Intern(p, q, Team_Aktiv, Team_Aktiv);
            if (aufs_feld(p, c, r)) geaendert_setzen();
        }
    }
    for (i32& v : verknuepft_zeile) v = -1;
    for (i32& v : verknuepft_feld) v = -1;
    neu_fuellen();
}

void E1_Screen_Feld_Ablegen(Screen_Icon* g, Screen_Icon* ziel, i32 x, i32 y, u32 ereignis) {
    vorschau.an = false;
    if (!(ereignis & MENUE_E_DROP) || !eigenes_gezeigt()) return;
    const i32 p = static_cast<i32>(g->user[0]);
    if (p < 0) return;
    if (geaendert) geaendert = false, auswahl_loeschen();
    if (ist_zeile(ziel) || ist_feld(ziel)) {
        ablegen_tauschen(p, static_cast<i32>(ziel->user[0]));
    } else if (ziel && ziel->klick == E1_Screen_Spielfeld_Klick) {
        i32 c = x, r = y;
        if (E1_Screen_Maus_In_Feld(&c, &r) && aufs_feld(p, c, r)) geaendert_setzen();
    }
    for (i32& v : verknuepft_zeile) v = -1;
    for (i32& v : verknuepft_feld) v = -1;
    neu_fuellen();
}
