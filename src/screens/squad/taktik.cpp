#include "screens/squad/taktik.h"

#include <algorithm>
#include <iterator>

#include "base/globals.h"
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
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "screens/teile/spieler_hilfe.h"
#include "world/modi.h"
#include "screens/teile/spielerzeile.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

i32 zeilen_team = -1;  // the club whose eleven the rows show (a row's user words: 0 its player, 1 its row)

constexpr u32 NICHT_VERFUEGBAR = 0x7c0;
constexpr u32 STUFE_MS = 150;
constexpr i32 ZEILE_X = 204, ZEILE_B = 579, ZEILE_H = 16;
constexpr i32 ROLLE_X[TAKTIK_ROLLEN] = {676, 703, 730, 757};
constexpr i32 ROLLE_B = 24, ROLLE_H = 15;
constexpr i32 ATTRIBUTE_X0 = 549, ATTRIBUTE_X1 = 630;
constexpr i32 ZEILE_Y(i32 k) { return 136 + 17 * k; }

// Texts of the screen's section.
enum : i32 {
    T_KOPF = 0,  // 0..6 column headers
    T_STARTELF = 7,
    T_LABEL = 8,  // 8..14 the values' labels (switches: while off)
    T_HILFE = 17,  // 17..34 the help of icons 2507..2524
    T_ROLLE = 36,  // 36..39 the role names
    T_AN = 41,     // 41..43 the switches' labels while on
    T_STIL = 44,   // 44..50 the playing styles
};
constexpr i32 T_BEXOT_ROLLEN = 10;

// The seven values: the big icon's picture base and the number of steps
// (2 for a switch).
struct Wert {
    i32 grafik, stufen;
    i16 x, y;  // the big icon
    i16 lx, ly;  // its label
};
constexpr Wert WERTE[7] = {
    {GRAFIK_TAKTIK_ABSEITS, 2, 10, 112, 17, 106},  {GRAFIK_TAKTIK_PRESSING, 2, 10, 271, 17, 266},
    {GRAFIK_TAKTIK_DRANG, 10, 10, 434, 17, 429},    {GRAFIK_TAKTIK_DECKUNG, 2, 240, 367, 247, 361},
    {GRAFIK_TAKTIK_RISIKO, 5, 240, 475, 247, 469},  {GRAFIK_TAKTIK_STIL, 7, 530, 367, 537, 361},
    {GRAFIK_TAKTIK_HAERTE, 5, 530, 475, 537, 469},
};
// The small switch of a switched value and its pictures.
constexpr i32 KLEIN_VON[7] = {ICON_TAKTIK_KLEIN_0, ICON_TAKTIK_KLEIN_1, -1, ICON_TAKTIK_KLEIN_3, -1, -1, -1};
// The playing style's colours, from the most attacking to the most defensive.
constexpr const u16 (&STIL_FARBE)[7] = FARBE_NOTE;

Screen_Drossel drossel;
char hilfe[1024];

const char* text(i32 n) { return Text_cfg_Text(TEXT_TAKTIK, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
bool verfuegbar(i32 p) { return (static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) & NICHT_VERFUEGBAR) == 0; }
bool team_ok(i32 t) { return t >= 0 && t < Team_Anzahl; }

// The team's value v.
i32 gezeigt(i32 v) {
    u8 t[7];
    Team_Get_Aktuelle_Taktik(Team_Aktiv, t);
    return t[v];
}

// The team's values kept in the big icons' words of the manager, as every
// screen keeps what its manager sees.
void werte_schreiben() {
    if (!team_ok(Team_Aktiv)) return;
    u8 t[7];
    Team_Get_Aktuelle_Taktik(Team_Aktiv, t);
    for (i32 v = 0; v < 7; ++v) Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_TAKTIK_GROSS + v, t[v]);
}
// Value v becomes w (cut to its range by the team) and the words follow.
void wert_setzen(i32 v, i32 w) {
    u8 t[7];
    Team_Get_Aktuelle_Taktik(Team_Aktiv, t);
    t[v] = static_cast<u8>(std::clamp(w, 0, 255));
    Team_Set_Aktuelle_Taktik(Team_Aktiv, t);
    werte_schreiben();
}

// The icons follow the team's values: pictures, switch states, labels.
void werte_zeigen() {
    if (!team_ok(Team_Aktiv)) return;
    u8 t[7];
    Team_Get_Aktuelle_Taktik(Team_Aktiv, t);
    for (i32 v = 0; v < 7; ++v) {
        Screen_Icon* g = Kit_Icon(ICON_TAKTIK_GROSS + v);
        if (!g) continue;
        if (WERTE[v].stufen > 2) {
            g->grafik = static_cast<u32>(WERTE[v].grafik + std::min<i32>(t[v], WERTE[v].stufen - 1));
        } else {
            Menue_Icon_Zustand_Setzen(KLEIN_VON[v], t[v] ? 1 : 0);
        }
    }
    if (Screen_Icon* k = Kit_Icon(ICON_TAKTIK_KLEIN_3))
        k->grafik_an = t[3] ? GRAFIK_TAKTIK_KLEIN_3_AN : GRAFIK_TAKTIK_KLEIN_3_AUS;
    Blt_Cache_Leeren();
}

i32 zeilen_spieler(i32 k) {
    const Screen_Icon* i = Kit_Icon(ICON_TAKTIK_ZEILE + k);
    return i ? static_cast<i32>(i->user[0]) : -1;
}

void rollen_setzen() {
    for (i32 k = 0; k < TAKTIK_ZEILEN; ++k) {
        const i32 p = zeilen_spieler(k);
        const bool da = p >= 0 && p < Spieler_Anzahl;
        const u32 status = da ? static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) : 0;
        for (i32 c = 0; c < TAKTIK_ROLLEN; ++c) {
            const i32 n = ICON_TAKTIK_ROLLE + 4 * k + c;
            Screen_Icon* b = Kit_Icon(n);
            if (!b) continue;
            const bool frei = da && verfuegbar(p);
            Menue_Icon_Zustand_Setzen(n, frei && (status & TAKTIK_ROLLE_BIT[c]) ? 1 : 0);
            b->status = frei ? b->status & ~MENUE_S_GRAU : b->status | MENUE_S_GRAU;
            b->status = da ? b->status & ~MENUE_S_VERSTECKT : b->status | MENUE_S_VERSTECKT;
        }
    }
    Blt_Cache_Leeren();
}

// A value control's user words: 0 its value (a step arrow: value + STUFE_HOCH
// for the up arrow), 1 WORT_WERT + the number of its hover text.
constexpr u32 WORT_WERT = 0x100, STUFE_HOCH = 0x100;
constexpr u32 wert_wort(i32 hilfe) { return WORT_WERT + static_cast<u32>(hilfe); }

// The first of the eleven player rows; the others follow it down.
constexpr Screen_Icon ZEILE{.nummer = ICON_TAKTIK_ZEILE,
                            .flags = MENUE_F_BEIDE_TASTEN,
                            .x = ZEILE_X,
                            .y = static_cast<i16>(ZEILE_Y(0)),
                            .status = MENUE_S_TRANSPARENT,
                            .klick = Taktik_Screen_Zeile_Klick,
                            .zeichnen = Taktik_Screen_Zeile_Zeichnen,
                            .ebene = 4,
                            .w = ZEILE_B,
                            .h = ZEILE_H,
                            .hilfe_prozedur = Taktik_Screen_Hilfetext};
// The role buttons' static help texts are the role names ("*36".."*39",
// resolved when the screen opens); column c shows picture ROLLE_BILD[c].
constexpr i32 ROLLE_BILD[TAKTIK_ROLLEN] = {1, 2, 0, 3};  // columns 0..3 -> 24183, 24184, 24182, 24185
constexpr auto RAHMEN = Icon_Tabelle_Bauen<Icon_Besitzer::TAKTIK>({
    {.nummer = ICON_TAKTIK_RAHMEN,
     .grafik = GRAFIK_TAKTIK_RAHMEN,
     .x = 3,
     .y = 86,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Taktik_Screen_Titel_Zeichnen,
     .ebene = 2,
     .w = 794,
     .h = 478,
     .hilfe_prozedur = Taktik_Screen_Hilfetext},
});
// The seven values' big icons (user words: 0 the value + STUFE_HOCH, as a
// click on them steps up; 1 its hover text): a switch's icon turns it, a
// stepped value's steps it.
constexpr Screen_Icon GROSS{.nummer = ICON_TAKTIK_GROSS,
                            .status = MENUE_S_TRANSPARENT,
                            .ebene = 4,
                            .w = 250,
                            .h = 44,
                            .hilfe_prozedur = Taktik_Screen_Hilfetext};
constexpr auto SCHALTER = Taktik_Screen_Schalter_Klick, STUFE = Taktik_Screen_Stufe_Klick,
               KNOPF = Taktik_Screen_Knopf_Klick;
constexpr u32 bild(i32 v) { return static_cast<u32>(WERTE[v].grafik); }
constexpr auto GROSSE = Kit_Zeilen_Eigen(
    GROSS,
    {{.grafik = bild(0),
      .x = WERTE[0].x,
      .y = WERTE[0].y,
      .w = 186,
      .h = 88,
      .klick = SCHALTER,
      .wort = {STUFE_HOCH + 0, wert_wort(0)}},
     {.grafik = bild(1),
      .x = WERTE[1].x,
      .y = WERTE[1].y,
      .w = 186,
      .h = 88,
      .klick = SCHALTER,
      .wort = {STUFE_HOCH + 1, wert_wort(1)}},
     {.grafik = bild(2),
      .x = WERTE[2].x,
      .y = WERTE[2].y,
      .w = 186,
      .h = 84,
      .klick = STUFE,
      .wort = {STUFE_HOCH + 2, wert_wort(2)}},
     {.grafik = bild(3), .x = WERTE[3].x, .y = WERTE[3].y, .klick = SCHALTER, .wort = {STUFE_HOCH + 3, wert_wort(3)}},
     {.grafik = bild(4), .x = WERTE[4].x, .y = WERTE[4].y, .klick = STUFE, .wort = {STUFE_HOCH + 4, wert_wort(4)}},
     {.grafik = bild(5), .x = WERTE[5].x, .y = WERTE[5].y, .klick = STUFE, .wort = {STUFE_HOCH + 5, wert_wort(5)}},
     {.grafik = bild(6), .x = WERTE[6].x, .y = WERTE[6].y, .klick = STUFE, .wort = {STUFE_HOCH + 6, wert_wort(6)}}});
// The small switches of values 0, 1 and 3 (user word 0 the value).
constexpr Screen_Icon KLEIN = Kit_Bildknopf(
    {.w = 64, .h = 24, .ebene = 5, .hilfe = Taktik_Screen_Hilfetext, .status = MENUE_S_TRANSPARENT | MENUE_S_AN});
constexpr auto KLEINE = Kit_Zeilen_Eigen(KLEIN, {{.nummer = ICON_TAKTIK_KLEIN_0,
                                                  .grafik = GRAFIK_TAKTIK_KLEIN_0,
                                                  .gedrueckt = GRAFIK_TAKTIK_KLEIN_0 + 2,
                                                  .an = GRAFIK_TAKTIK_KLEIN_0 + 2,
                                                  .x = 12,
                                                  .y = 206,
                                                  .klick = KNOPF,
                                                  .wort = {0, wert_wort(7)}},
                                                 {.nummer = ICON_TAKTIK_KLEIN_1,
                                                  .grafik = GRAFIK_TAKTIK_KLEIN_1,
                                                  .gedrueckt = GRAFIK_TAKTIK_KLEIN_1 + 2,
                                                  .an = GRAFIK_TAKTIK_KLEIN_1 + 2,
                                                  .x = 12,
                                                  .y = 365,
                                                  .klick = KNOPF,
                                                  .wort = {1, wert_wort(8)}},
                                                 {.nummer = ICON_TAKTIK_KLEIN_3,
                                                  .grafik = GRAFIK_TAKTIK_KLEIN_3,
                                                  .gedrueckt = GRAFIK_TAKTIK_KLEIN_3_AN,
                                                  .an = GRAFIK_TAKTIK_KLEIN_3_AN,
                                                  .x = 242,
                                                  .y = 420,
                                                  .klick = KNOPF,
                                                  .wort = {3, wert_wort(11)}}});
// The step arrows, down then up, of values 2, 4, 5 and 6 (user word 0 the
// value, + STUFE_HOCH for up); an arrow's pressed picture follows its own.
constexpr Screen_Icon PFEIL = Kit_Bildknopf({.w = 20, .h = 20, .ebene = 5, .hilfe = Taktik_Screen_Hilfetext});
// Each value's pair: its arrows' first number and picture, where the down
// arrow stands (the up arrow 22 px right of it) and the help text of the down
// arrow (the up arrow's is the next).
struct Pfeilpaar {
    u32 wert;
    i16 nummer;
    u32 grafik;
    i16 x, y;
    i32 hilfe;
};
constexpr Pfeilpaar PFEILPAARE[] = {{2, ICON_TAKTIK_PFEIL_2, GRAFIK_TAKTIK_PFEIL_2, 12, 523, 9},
                                    {4, ICON_TAKTIK_PFEIL_4, GRAFIK_TAKTIK_PFEIL_4, 242, 523, 12},
                                    {5, ICON_TAKTIK_PFEIL_5, GRAFIK_TAKTIK_PFEIL_5, 532, 415, 14},
                                    {6, ICON_TAKTIK_PFEIL_6, GRAFIK_TAKTIK_PFEIL_6, 532, 523, 16}};
constexpr auto PFEILE = [] {
    Kit_Zeile_Eigen z[2 * std::size(PFEILPAARE)]{};
    for (size_t p = 0; p < std::size(PFEILPAARE); ++p)
        for (i32 hoch = 0; hoch < 2; ++hoch) {
            const Pfeilpaar& a = PFEILPAARE[p];
            Kit_Zeile_Eigen& e = z[2 * p + static_cast<size_t>(hoch)];
            e.nummer = static_cast<i16>(a.nummer + hoch);
            e.grafik = a.grafik + 2 * static_cast<u32>(hoch);
            e.gedrueckt = e.grafik + 1;
            e.x = static_cast<i16>(a.x + 22 * hoch);
            e.y = a.y;
            e.klick = STUFE;
            e.wort[0] = a.wert + (hoch ? STUFE_HOCH : 0);
            e.wort[1] = wert_wort(a.hilfe + hoch);
        }
    return Kit_Zeilen_Eigen(PFEIL, z);
}();
constexpr auto WERTE_TABELLE = Icon_Tabelle_Aus<Icon_Besitzer::TAKTIK>(GROSSE, KLEINE, PFEILE);
constexpr auto ZEILEN =
    Icon_Tabelle_Aus<Icon_Besitzer::TAKTIK>(Icon_Reihe<11>(ZEILE, 0, ZEILE_Y(1) - ZEILE_Y(0), false));
// The role buttons: a column per role (c), a row per player (k), numbered
// and indexed row by row (user word 0: 4·k + c); every column is the one
// shared row at its own place and picture.
constexpr auto rollen_spalte(i32 c) {
    return Kit_Zeilen<11>({.nummer = static_cast<i16>(ICON_TAKTIK_ROLLE + c),
                           .grafik = static_cast<u32>(GRAFIK_TAKTIK_ROLLE + ROLLE_BILD[c]),
                           .grafik_an = static_cast<u32>(GRAFIK_TAKTIK_ROLLE_AN + ROLLE_BILD[c]),
                           .x = static_cast<i16>(ROLLE_X[c]),
                           .y = static_cast<i16>(ZEILE_Y(0)),
                           .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
                           .klick = Taktik_Screen_Rolle_Klick,
                           .ebene = 5,
                           .w = ROLLE_B,
                           .h = ROLLE_H},
                          {.dy = ZEILE_Y(1) - ZEILE_Y(0), .erster_index = c, .schritt = TAKTIK_ROLLEN});
}
constexpr auto ROLLEN =
    Icon_Tabelle_Aus<Icon_Besitzer::TAKTIK>(rollen_spalte(0), rollen_spalte(1), rollen_spalte(2), rollen_spalte(3));

// Help texts of the role buttons: the role names.
void rollen_hilfe() {
    for (i32 k = 0; k < TAKTIK_ZEILEN; ++k)
        for (i32 c = 0; c < TAKTIK_ROLLEN; ++c)
            if (Screen_Icon* b = Kit_Icon(ICON_TAKTIK_ROLLE + 4 * k + c)) b->hilfe = text(T_ROLLE + c);
}

}  // namespace

Screen_Def Taktik_Screen_Def() {
    return {
        .name = "Taktik", .icons = Icon_Besitzer::TAKTIK, .rahmen = ICON_TAKTIK_RAHMEN, .oeffnen = Taktik_Screen_Init};
}

void Taktik_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_TAKTIK_RAHMEN)) return;
    const bool requester = Menue_Requester_Offen();
    Menue_Screen_Icons_Loeschen_Bereich(BEREICH_GANZ_INNEN, 0, 84, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    for (const Screen_Icon* t : {RAHMEN.daten(), WERTE_TABELLE.daten(), ZEILEN.daten(), ROLLEN.daten()})
        Menue_Screen_Icon_Tabelle_Hinzufuegen(t);
    Menue_Set_Rechtsklick_Icon(-1);
    rollen_hilfe();
    drossel = {};
    werte_schreiben();
    Taktik_Screen_Fuellen(Team_Aktiv);
    if (requester) Menue_Requester_Wieder_Zeigen();
}

void Taktik_Screen_Fuellen(i32 team) {
    for (i32 k = 0; k < TAKTIK_ZEILEN; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_TAKTIK_ZEILE + k))
            i->user[0] = static_cast<u32>(-1), i->user[1] = static_cast<u32>(k);
    zeilen_team = team;
    if (!team_ok(team)) return;
    Check_Und_Set_Aa(team);
    i32 liste[20];
    const i32 n = std::max(0, Teamspieler_Ins_Array(team, liste, 20, 0));
    std::stable_sort(liste, liste + n,
                     [](i32 a, i32 b) { return wert(SPIELER_WERT_SLOT, a) < wert(SPIELER_WERT_SLOT, b); });
    for (i32 k = 0; k < TAKTIK_ZEILEN && k < n; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_TAKTIK_ZEILE + k)) {
            i->user[0] = static_cast<u32>(liste[k]);
            Menue_Icon_Zustand_Setzen(i->nummer, 0);
        }
    werte_zeigen();
    rollen_setzen();
}

bool Taktik_Screen_Stufe(i32 v, bool hoch) {
    if (v < 0 || v >= 7 || WERTE[v].stufen <= 2 || !team_ok(Team_Aktiv)) return false;
    werte_schreiben();
    if (!Screen_Drossel_Frei(&drossel, STUFE_MS)) return false;
    const i32 n = WERTE[v].stufen;
    const i32 alt = std::clamp(gezeigt(v), 0, n - 1);
    wert_setzen(v, hoch ? (alt + 1) % n : (alt + n - 1) % n);
    werte_zeigen();
    return true;
}

void Taktik_Screen_Schalten(i32 v) {
    if (v < 0 || v >= 7 || WERTE[v].stufen != 2 || !team_ok(Team_Aktiv)) return;
    werte_schreiben();
    wert_setzen(v, gezeigt(v) ? 0 : 1);
    werte_zeigen();
}

void Taktik_Screen_Rolle(i32 k, i32 c) {
    if (k < 0 || k >= TAKTIK_ZEILEN || c < 0 || c >= TAKTIK_ROLLEN) return;
    const i32 p = zeilen_spieler(k);
    if (p < 0 || p >= Spieler_Anzahl || !verfuegbar(p) || !team_ok(Team_Aktiv)) return;
    const i32 bit = static_cast<i32>(TAKTIK_ROLLE_BIT[c]);
    if (c == 3) {
        // The captain: one in the whole squad.
        i32 liste[40];
        const i32 n = Teamspieler_Ins_Array(Team_Aktiv, liste, 40, 0);
        for (i32 i = 0; i < n; ++i) Spieler_Wert(SPIELER_WERT_STATUS, liste[i], bit, OP_BITS_LOESCHEN);
        Spieler_Wert(SPIELER_WERT_STATUS, p, bit, OP_BITS_SETZEN);
    } else {
        Spieler_Wert(SPIELER_WERT_STATUS, p, bit, OP_BITS_TAUSCHEN);
    }
    rollen_setzen();
}

// --- Drawing ---------------------------------------------------------------------------

namespace {
// Under the eleven rows, what the role buttons' letters stand for: each
// button's picture with its role's name, right-aligned to the column.
constexpr Attribut_Legende_Platz TAKTIK_LEGENDE{
    .x0 = 272, .x1 = 788, .y = 131, .zeilen = 1, .zeilenhoehe = 17, .verdichten = false};
constexpr i32 LEGENDE_Y = 340, LEGENDE_RECHTS = 785, LEGENDE_LUECKE = 14;
// Where the roles' legend begins.
i32 rollen_legende_links(Font* f) {
    i32 breite = 0;
    for (i32 c = 0; c < TAKTIK_ROLLEN; ++c)
        breite += ROLLE_B + 4 + Font_Text_Breite(f, text(T_ROLLE + c)) + (c ? LEGENDE_LUECKE : 0);
    return LEGENDE_RECHTS - breite;
}
void rollen_legende(Rastport* ziel, Font* f) {
    i32 x = rollen_legende_links(f);
    for (i32 c = 0; c < TAKTIK_ROLLEN; ++c) {
        Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_TAKTIK_ROLLE + ROLLE_BILD[c]), x, LEGENDE_Y - ROLLE_H + 3);
        x += ROLLE_B + 4;
        Kit_Printf(ziel, f, FARBE_KREIDE_2, x, LEGENDE_Y, "%s", text(T_ROLLE + c));
        x += Font_Text_Breite(f, text(T_ROLLE + c)) + LEGENDE_LUECKE;
    }
}
}  // namespace

void Taktik_Screen_Titel_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (!f || !team_ok(Team_Aktiv)) return;
    static constexpr i32 KOPF_X[7] = {210, 240, 285, 420, 500, 565, 672};
    for (i32 i = 0; i < 7; ++i) Kit_Printf(ziel, f, FARBE_KOPF, KOPF_X[i], 107, "%s", text(T_KOPF + i));
    Kit_Printf(ziel, f, FARBE_GEWAEHLT, 210, 131, "%s", text(T_STARTELF));
    // Beside the section's name: what the rows' attribute badges stand for.
    {
        i32 elf[MAX_SPIELER_PRO_TEAM];
        const i32 n = Teamspieler_Ins_Array(Team_Aktiv, elf, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT);
        // What has no room there goes under the rows, left of the roles' legend.
        Attribut_Legende_Zeichnen(
            ziel, Attribut_Legende_Zeichnen(ziel, Attribut_Legende_Sammeln(elf, n), GRAFIK_ATTRIBUT, TAKTIK_LEGENDE),
            GRAFIK_ATTRIBUT, {.x0 = 206, .x1 = rollen_legende_links(f) - LEGENDE_LUECKE, .y = LEGENDE_Y, .zeilen = 1});
    }
    u8 t[7];
    Team_Get_Aktuelle_Taktik(Team_Aktiv, t);
    for (i32 v = 0; v < 7; ++v) {
        const bool schalter = WERTE[v].stufen == 2;
        const i32 n = schalter && t[v] ? T_AN + (v == 3 ? 2 : v) : T_LABEL + v;
        Kit_Printf(ziel, f, v < 2 ? FARBE_KNOPF_TEXT : FARBE_WEISS, WERTE[v].lx, WERTE[v].ly, "%s", text(n));
    }
    const i32 stil = std::min<i32>(t[5], 6);
    Kit_Printf_Glatt(ziel, f, STIL_FARBE[6 - stil], 630, 360, "%s", text(T_STIL + stil));
    rollen_legende(ziel, f);
}

void Taktik_Screen_Zeile_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (Maus_Get_Tasten() == MAUS_RECHTS) Attribut_Popup_Schliessen();
    const i32 p = static_cast<i32>(i->user[0]);
    if (p < 0 || p >= Spieler_Anzahl) return;
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    // The row under the mouse, or the row whose roles the mouse is at.
    const bool im_rollenfeld =
        mx >= 649 && mx <= 782 && my >= 136 && my <= 321 && (my - 136) / 17 == static_cast<i32>(i->user[1]);
    if (Menue_Get_Aktives_Icon() == i || im_rollenfeld) {
        if (Rastport* b = Kit_Bild(GRAFIK_TAKTIK_ZEILE_PULS)) Blt_Pulsieren_Transparent(b, 0, 0, -1, -1, ziel, x, y);
        if (Rastport* b = Kit_Bild(GRAFIK_TAKTIK_ROLLEN_PULS)) Blt_Pulsieren_Transparent(b, 0, 0, -1, -1, ziel, 675, y);
    }
    const bool gewaehlt = Menue_Icon_Zustand(i->nummer) != 0;
    if (gewaehlt)
        if (Rastport* b = Kit_Bild(GRAFIK_TAKTIK_ZEILE)) Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
    Spielerzeile z{.spieler = p, .x = x, .y = y, .hoehe = ZEILE_H, .gewaehlt = gewaehlt, .mit_zustand = false};
    Spielerzeile_Zeichnen(ziel, z);
}

// --- Clicks -------------------------------------------------------------------------------

void Taktik_Screen_Schalter_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 v = static_cast<i32>(i->user[0] & ~STUFE_HOCH);
    // The big button of value 3 switches it without the marking assistant.
    Taktik_Screen_Schalten(v);
}

void Taktik_Screen_Knopf_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !team_ok(Team_Aktiv)) return;
    const i32 v = static_cast<i32>(i->user[0]);
    Taktik_Screen_Schalten(v);
    if (v != 3) return;
    // Man-marking on: the assistant gives each of the opponent's dangerous
    // players a marker; off (or no opponent known): the markers go.
    const bool an = gezeigt(3) != 0;
    if (team_ok(Team_Ansicht) && Team_Ansicht != Team_Aktiv)
        Assi_Mannschaftsaufstellung(Team_Aktiv, Team_Ansicht, an ? 100 : 0);
}

void Taktik_Screen_Stufe_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    const bool hoch = (i->user[0] & STUFE_HOCH) != 0;
    Taktik_Screen_Stufe(static_cast<i32>(i->user[0] & ~STUFE_HOCH), hoch);
}

void Taktik_Screen_Zeile_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 p = static_cast<i32>(i->user[0]);
    const i32 team = zeilen_team;
    if (p < 0 || p >= Spieler_Anzahl) return;
    if (ereignis & MENUE_E_RECHTS) {
        if (!Spielerfenster_Schliessen()) Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE, {.spieler = p, .team = team});
        Menue_Icon_Zustand_Setzen(i->nummer, 0);
        return;
    }
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 mx = Maus_Get_X();
    if (mx >= ATTRIBUTE_X0 && mx <= ATTRIBUTE_X1) {
        // An open popup shows this player.
        Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = p, .team = team, .x = mx, .y = Maus_Get_Y()});
        Menue_Icon_Zustand_Setzen(i->nummer, 0);
        return;
    }
    const bool war = Menue_Icon_Zustand(i->nummer) != 0;
    for (i32 k = 0; k < TAKTIK_ZEILEN; ++k) Menue_Icon_Zustand_Setzen(ICON_TAKTIK_ZEILE + k, 0);
    Menue_Icon_Zustand_Setzen(i->nummer, war ? 0 : 1);
    Blt_Cache_Leeren();
}

void Taktik_Screen_Rolle_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 index = static_cast<i32>(i->user[0]);
    Taktik_Screen_Rolle(index / 4, index % 4);
}

const char* Taktik_Screen_Hilfetext(Screen_Icon* i) {
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (i->zeichnen == Taktik_Screen_Titel_Zeichnen) {
        if (my < 91 || my > 109) return nullptr;
        struct Zone {
            i32 x0, x1, text;
        };
        static constexpr Zone ZONEN[6] = {{205, 230, 16}, {233, 267, 17}, {268, 399, 18},
                                          {400, 495, 19}, {496, 545, 20}, {546, 635, 21}};
        for (const Zone& z : ZONEN)
            if (mx >= z.x0 && mx <= z.x1) return Text_cfg_Text(TEXT_EINSETZEN_1, z.text);
        if (mx >= 665 && mx <= 785) return Text_cfg_Text(TEXT_ZUSATZ_BEXOT, T_BEXOT_ROLLEN);
        return nullptr;
    }
    if (i->user[1] & WORT_WERT) return text(T_HILFE + static_cast<i32>(i->user[1] & ~WORT_WERT));
    const i32 p = static_cast<i32>(i->user[0]);
    if (p < 0 || p >= Spieler_Anzahl) return nullptr;
    if (mx >= 546 && mx <= 635) {
        const char* name = Global_Get_Hauptattribut_Name(p, std::min((mx - 546) / 30, 2));
        return name && *name ? name : nullptr;
    }
    return Spieler_Hilfetext(p, true, hilfe, sizeof hilfe, false);
}
