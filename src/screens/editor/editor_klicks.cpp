// The data editor's clicks: the lists' clubs and players chosen, the
// remembered club and player, the transfer market's rows and the sort
// buttons (what the editor's files share: editor_intern.h).
#include "screens/editor/editor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/config.h"
#include "base/cp1252.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/spielstand.h"
#include "base/tempstr.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/eingabe.h"
#include "gui/gesicht.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "screens/editor/attribut_edit.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor_intern.h"
#include "screens/editor/wappen.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "season/freundschaft.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_schreiben.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

using namespace editor_intern;

// --- Clicks ------------------------------------------------------------------------------

void Editor_Team_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    const i32 t = listen_team(static_cast<i32>(i->user[0]));
    if (t < 0) return;
    const i32 x = Maus_Get_X();
    const i32 alt_markiert = team_marke();
    const i32 sp = spieler_marke();
    Editor_Wahl_Schliessen();
    st.feld.tab = false;
    Editor_Feld_Zuruecksetzen();
    st.fehler.clear();
    // A marked player stays marked: he is exchanged with one of this club.
    Editor_Spielerliste(t);
    if (ereignis & MENUE_E_RECHTS) {
        team_marke_setzen(t);
        return;
    }
    if (x >= 9 && x <= 23) {
        if (alt_markiert >= 0 && alt_markiert != t) {
            const i32 la = Wettbewerb_Get_Liga_Von_Team(alt_markiert, true);
            const i32 lb = Wettbewerb_Get_Liga_Von_Team(t, true);
            if (la >= 0 && lb >= 0 && la != lb) {
                Wettbewerb_Team_Wettbewerb_Wechsel(alt_markiert, la, lb);
                Wettbewerb_Team_Wettbewerb_Wechsel(t, lb, la);
                Team_Wert(TEAM_WERT_LIGA, alt_markiert, lb, OP_SCHREIBEN);
                Team_Wert(TEAM_WERT_LIGA, t, la, OP_SCHREIBEN);
                if (!Wettbewerb_Config_Schreiben(SATZ, EDITOR_INFOTEXT)) {
                    Meldung_Printf("%s", text(T_SPEICHERN_FEHLER));
                } else {
                    Spielstand_Config_Loeschen(SATZ);
                }
            }
            team_marke_setzen(-1);
            Editor_Teamliste(st.team_erster, st.sortierung);
        } else if (alt_markiert < 0 && sp < 0) {
            team_marke_setzen(t);
        }
        return;
    }
    if (x >= 348 && x <= 360) {
        Screen_Oeffnen_Fuer(Screen_Id::EDITOR_WAPPEN, {.team = t});
        return;
    }
    if (x >= 25 && x <= 178 && sp < 0) {
        Editor_Feld_Beginnen(FELD_TEAMNAME, -1, t, i->x + 16, i->y);
    }
}

void Editor_Team_Marke_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) team_marke_setzen(-1);
}

void Editor_Spieler_Marke_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) spieler_marke_setzen(-1, -1);
}

void Editor_Transfermarkt_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    Editor_Wahl_Schliessen();
    st.feld.tab = false;
    Editor_Feld_Zuruecksetzen();
    spieler_marke_setzen(-1, -1);
    Editor_Transfermarkt_Liste(0, static_cast<i32>(i->user[0]));
}

void Editor_Spieler_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    const i32 zeile = static_cast<i32>(i->user[0]);
    const i32 p = listen_spieler(zeile);
    if (p < 0) return;
    const i32 x = Maus_Get_X();
    const i32 y = i->y;
    const bool rechts = (ereignis & MENUE_E_RECHTS) != 0;
    if (st.wahl_spieler >= 0) Editor_Wahl_Schliessen();
    // Moving players (a club's list only): the first click, or a right
    // click, marks; the same player again clears the mark; another player is
    // exchanged with the marked one.
    if (!ist_markt() && ((x >= 382 && x <= 396) || rechts)) {
        i32 mt = -1;
        const i32 m = spieler_marke(&mt);
        st.feld.tab = false;
        Editor_Feld_Zuruecksetzen();
        if (m < 0 || rechts) {
            spieler_marke_setzen(p, st.team);
        } else if (m == p) {
            spieler_marke_setzen(-1, -1);
        } else {
            if (mt == st.team) Spieler_Tauschen_Intern(m, p, mt, st.team);
            else Team_Spieler_Tauschen(mt, st.team, m, p, 0);
            spieler_marke_setzen(-1, -1);
            Editor_Spielerliste(st.team);
        }
        return;
    }
    if (rechts) return;
    st.feld.tab = false;
    struct Bereich {
        i32 von, bis, wert, feld_x;
    };
    // Where two ranges overlap the later one takes the click.
    static constexpr Bereich BEREICHE[] = {
        {399, 415, FELD_NUMMER, 396},  {419, 449, FELD_POSITION, 420}, {453, 471, FELD_INITIAL, 449},
        {474, 588, FELD_NAME, 467},    {559, 574, FELD_STERNE, 557},   {575, 590, FELD_MAXSTERNE, 572},
        {599, 624, FELD_SPIELE, 600},
    };
    i32 treffer = -1, fx = 0;
    for (const Bereich& b : BEREICHE)
        if (x >= b.von && x <= b.bis) treffer = b.wert, fx = b.feld_x;
    if (treffer >= 0) {
        if (feld_bei(p, treffer)) return;  // the running field keeps the click
        Editor_Feld_Beginnen(treffer, p, st.team, fx, y);
        return;
    }
    Editor_Feld_Zuruecksetzen();
    if (x >= 631 && x <= 684)
        Screen_Oeffnen_Fuer(Screen_Id::EDITOR_ATTRIBUTE, {.spieler = p, .team = st.team, .x = 30, .y = 100});
    else if (x >= 698 && x <= 761) Editor_Wahl_Oeffnen(p);
    else if (x >= 762 && x <= 782) Screen_Oeffnen_Fuer(Screen_Id::EDITOR_AUSSEHEN, {.spieler = p});
}

void Editor_Sort_Name(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Editor_Feld_Zuruecksetzen();
    Editor_Teamliste(0, st.sortierung == 0 ? 1 : 0);
}

void Editor_Sort_Land(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Editor_Feld_Zuruecksetzen();
    Editor_Teamliste(0, 2);
}
