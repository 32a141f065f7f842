// The nationality chooser: a continent, then a country of it.
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

namespace {

// A choice list: its title row above its rows, each row's user word 0 its
// row (the title's names no row). The continents' and the countries' rows
// share one form; the countries' have their own procedures.
constexpr Screen_Icon KONTINENT_ZEILE = {.grafik = GRAFIK_EDITOR_WAHL,
                                         .grafik_an = GRAFIK_EDITOR_WAHL_AN,
                                         .flags = MENUE_F_BEIDE_TASTEN | MENUE_F_HOVER,
                                         .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                                         .klick = Editor_Kontinent_Klick,
                                         .zeichnen = Editor_Kontinent_Zeile,
                                         .ebene = 20,
                                         .w = 176,
                                         .h = 22};
constexpr Screen_Icon LAND_ZEILE = [] {
    Screen_Icon i = KONTINENT_ZEILE;
    i.klick = Editor_Land_Klick, i.zeichnen = Editor_Land_Zeile;
    return i;
}();
constexpr i16 WAHL_X = 300, TITEL_Y = 78, ZEILEN_Y = 100, ZEILE_DY = 22;
constexpr auto WAHL = Icon_Tabelle_Aus<Icon_Besitzer::EDITOR>(
    Kit_Zeilen<1>(Kit_Icon_Bei(KONTINENT_ZEILE, ICON_EDITOR_KONTINENT_TITEL, WAHL_X, TITEL_Y), {.erster_index = -1}),
    Kit_Zeilen<EDITOR_KONTINENTE>(Kit_Icon_Bei(KONTINENT_ZEILE, ICON_EDITOR_KONTINENT, WAHL_X, ZEILEN_Y),
                                  {.dy = ZEILE_DY}),
    Kit_Zeilen<1>(Kit_Icon_Bei(LAND_ZEILE, ICON_EDITOR_LAND_TITEL, WAHL_X, TITEL_Y), {.erster_index = -1}),
    Kit_Zeilen<EDITOR_LAENDER>(Kit_Icon_Bei(LAND_ZEILE, ICON_EDITOR_LAND, WAHL_X, ZEILEN_Y), {.dy = ZEILE_DY}));

}  // namespace

namespace editor_intern {
bool ist_titel(const Screen_Icon* i) { return i->user[0] == static_cast<u32>(-1); }
}  // namespace editor_intern

using namespace editor_intern;

// --- Nationality chooser ---------------------------------------------------------------

void Editor_Wahl_Oeffnen(i32 spieler) {
    Editor_Wahl_Schliessen();
    if (spieler < 0 || spieler >= Spieler_Anzahl) return;
    st.wahl_spieler = spieler;
    st.wahl_kontinent = -1;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(WAHL.daten());
    const bool scout = (wert(75, spieler) & SP_STATUS_SCOUT) != 0;
    zeigen(ICON_EDITOR_KONTINENT_TITEL, true);
    if (Screen_Icon* t = Kit_Icon(ICON_EDITOR_KONTINENT_TITEL)) t->y = 76;
    i32 k = 0;
    for (i32 c = 0; c < EDITOR_KONTINENTE; ++c) {
        Screen_Icon* r = Kit_Icon(ICON_EDITOR_KONTINENT + c);
        if (!r) continue;
        const bool da = Kontinent_Tabelle[c].name[0] && (scout || Kontinent_Tabelle[c].hat_laender);
        r->user[1] = static_cast<u32>(c);
        if (!da) continue;
        r->x = 300, r->y = static_cast<i16>(100 + 22 * k++);
        r->status &= ~MENUE_S_VERSTECKT;
    }
    // The last row gets the rounded piece.
    for (i32 c = EDITOR_KONTINENTE - 1; c >= 0; --c)
        if (Screen_Icon* r = Kit_Icon(ICON_EDITOR_KONTINENT + c); r && !(r->status & MENUE_S_VERSTECKT)) {
            r->grafik = GRAFIK_EDITOR_WAHL_LETZTE, r->grafik_an = GRAFIK_EDITOR_WAHL_LETZTE_AN;
            break;
        }
    Blt_Cache_Leeren();
}

void Editor_Wahl_Schliessen() {
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_KONTINENT_TITEL)) {
        st.wahl_spieler = st.wahl_kontinent = -1;
        return;
    }
    Menue_Screen_Icon_Tabelle_Loeschen(WAHL.daten());
    st.wahl_spieler = st.wahl_kontinent = -1;
    st.wahl_laender.clear();
    Blt_Cache_Leeren();
}

void Editor_Wahl_Kontinent(i32 c) {
    if (st.wahl_spieler < 0 || c == st.wahl_kontinent || c < 0 || c >= EDITOR_KONTINENTE) return;
    st.wahl_kontinent = c;
    st.wahl_laender.clear();
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if ((Team_Wert(TEAM_WERT_STATUS, t, 0, OP_LESEN) & TEAM_STATUS_LAND) &&
            (Global_Get_Kontinent_Nummer(team_name(t)) == c ||
             (Global_Get_Kontinent_Nummer(team_name(t)) < 0 && Team_Wert(TEAM_WERT_KONTINENT, t, 0, OP_LESEN) == c)))
            st.wahl_laender.push_back(t);
    std::stable_sort(st.wahl_laender.begin(), st.wahl_laender.end(),
                     [](i32 a, i32 b) { return vergleichen(team_name(a), team_name(b)) < 0; });
    if (st.wahl_laender.empty()) {
        const i32 t = Team_Suche_Zufaelligen_Spieler_Von_Kontinent(c);
        if (t >= 0) st.wahl_laender.push_back(t);
    }
    if (st.wahl_laender.size() > static_cast<size_t>(EDITOR_LAENDER)) st.wahl_laender.resize(EDITOR_LAENDER);
    const Screen_Icon* k = nullptr;
    for (i32 r = 0; r < EDITOR_KONTINENTE; ++r)
        if (const Screen_Icon* q = Kit_Icon(ICON_EDITOR_KONTINENT + r); q && static_cast<i32>(q->user[1]) == c) k = q;
    const i32 x = (k ? k->x : 300) + 178;
    const i32 n = static_cast<i32>(st.wahl_laender.size());
    const i32 y0 = std::clamp(k ? static_cast<i32>(k->y) : 100, 100, 560 - 22 * n);
    if (Screen_Icon* t = Kit_Icon(ICON_EDITOR_LAND_TITEL)) {
        t->x = static_cast<i16>(x), t->y = static_cast<i16>(y0 - 24);
        t->status &= ~MENUE_S_VERSTECKT;
    }
    for (i32 r = 0; r < EDITOR_LAENDER; ++r) {
        Screen_Icon* q = Kit_Icon(ICON_EDITOR_LAND + r);
        if (!q) continue;
        q->x = static_cast<i16>(x), q->y = static_cast<i16>(y0 + 22 * r);
        q->grafik = r == n - 1 ? GRAFIK_EDITOR_WAHL_LETZTE : GRAFIK_EDITOR_WAHL;
        q->grafik_an = r == n - 1 ? GRAFIK_EDITOR_WAHL_LETZTE_AN : GRAFIK_EDITOR_WAHL_AN;
        q->status = r < n ? q->status & ~MENUE_S_VERSTECKT : q->status | MENUE_S_VERSTECKT;
    }
    Blt_Cache_Leeren();
}

void Editor_Kontinent_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) {
        Editor_Wahl_Schliessen();
        return;
    }
    if (ist_titel(i)) return;
    if (ereignis & (MENUE_E_HOVER_REIN | MENUE_E_LINKS)) Editor_Wahl_Kontinent(static_cast<i32>(i->user[1]));
}

void Editor_Land_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) {
        Editor_Wahl_Schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || ist_titel(i)) return;
    const i32 r = static_cast<i32>(i->user[0]);
    if (r < 0 || r >= static_cast<i32>(st.wahl_laender.size()) || st.wahl_spieler < 0) return;
    const i32 p = st.wahl_spieler;
    Spieler_Wert(SPIELER_WERT_NATION, p, st.wahl_laender[static_cast<size_t>(r)], OP_SCHREIBEN);
    if (wert(75, p) & SP_STATUS_SCOUT) kontinente_zaehlen();
    Editor_Wahl_Schliessen();
}

void Editor_Kontinent_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i) return;
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (ist_titel(i)) {
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::KNOPF), FARBE_GOLD, x + 10, y + 16, "%s", text(T_KONTINENTE));
        return;
    }
    const i32 c = static_cast<i32>(i->user[1]);
    if (c < 0 || c >= KONTINENT_ANZAHL) return;
    const bool scout = st.wahl_spieler >= 0 && (wert(75, st.wahl_spieler) & SP_STATUS_SCOUT);
    const u16 farbe = c == st.wahl_kontinent ? FARBE_GOLD : FARBE_WEISS;
    if (scout) Kit_Printf(ziel, f, farbe, x + 10, y + 15, "%s (%d)", Kontinent_Tabelle[c].name, st.kontinent_zahl[c]);
    else Kit_Printf(ziel, f, farbe, x + 10, y + 15, "%s", Kontinent_Tabelle[c].name);
}

void Editor_Land_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i) return;
    if (ist_titel(i)) {
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::KNOPF), FARBE_GOLD, x + 10, y + 16, "%s", text(T_LAENDER_WAHL));
        return;
    }
    const i32 r = static_cast<i32>(i->user[0]);
    if (r < 0 || r >= static_cast<i32>(st.wahl_laender.size())) return;
    const i32 t = st.wahl_laender[static_cast<size_t>(r)];
    char name[64];
    Tools_Text_Kuerzen(team_name(t), name, Kit_Font(Kit_Schrift::TEXT), 130);
    Kit_Printf(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_WEISS, x + 10, y + 15, "%s", name);
    if (st.wahl_spieler >= 0 && wert(68, st.wahl_spieler) == t)
        Kit_Bild_Zeichnen(ziel, GRAFIK_POPUP_AKTIV, x + 154, y + 4);
}
