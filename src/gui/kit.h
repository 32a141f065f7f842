// The widget kit every screen draws with: text in its own colour, panels
// (plain and titled), buttons in their states, tables (header bar and rows
// that share its span), tabs drawn from their pictures, the value stepper
// and the requester's frame. All of it is drawn from an icon's draw
// procedure with colours of the one palette (gui/palette.h); sizes follow
// an 8 px grid.
//
// Texts: a font's colour is state that markup codes change, so a text drawn
// with a bare Font_Markup_Ausgabe inherits whatever the text before it left
// behind. Kit_Text sets the font's colour first; screens draw every text
// through it (or give a "^c" code at the text's start).
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "base/types.h"
#include "gui/menue.h"

struct Rastport;
struct Font;
struct Screen_Icon;
struct Icon_Textzeile;

constexpr i32 KIT_RASTER = 8;
constexpr i32 KIT_RAND = 16;         // inner padding of a panel
constexpr i32 KIT_TITEL_HOEHE = 32;  // title bar of a titled panel, gold rule included
constexpr i32 KIT_RADIUS = 6;        // corner radius of panels and buttons
constexpr i32 KIT_RADIUS_KLEIN = 3;  // buttons lower than 24 px
constexpr i32 KIT_KNOPF_HOEHE = 32;
constexpr i32 KIT_ZEILE = 20;  // table row
constexpr i32 KIT_KOPF = 24;   // table header bar

// --- Fonts by name -------------------------------------------------------------
// The game's fonts (line height and face): a screen asks for a font by what
// it is, never by its place in the font table.
enum class Kit_Schrift : i32 {
    NORMAL = 0,         // 12 px
    GROSS = 1,          // 15 px
    UEBERSCHRIFT = 2,   // 20 px bold
    GROSSTITEL = 3,     // 24 px bold
    RIESIG = 4,         // 30 px bold
    WINZIG = 5,         // 8 px narrow
    KLEIN = 6,          // 12 px: hints and small labels
    MITTEL_14 = 7,      // 14 px
    MITTEL = 8,         // 16 px
    TEXT = 9,           // 11 px: rows and running text
    SCHMAL = 10,        // 12 px narrow: column heads
    SCHMAL_GROSS = 11,  // 14 px narrow: values and sums
    KNOPF = 12,         // 14 px bold: button labels
    ZEILE_18 = 13,      // 18 px
    TITEL = 14,         // 19 px bold: a screen's title
    ZAHL = 15,          // 10 px narrow bold: shirt numbers, counters
    ZAHL_KLEIN = 16,    // 9 px narrow bold
};
// The font; null while the fonts are not loaded.
Font* Kit_Font(Kit_Schrift s);

// --- Pictures and icons ------------------------------------------------------------
// A picture of the game's archives by its graphic number (null when missing).
Rastport* Kit_Bild(u32 grafik);
// The picture drawn with its colour key at x, y; h > 0 draws only its upper
// h rows. False when the picture is missing (nothing drawn).
bool Kit_Bild_Zeichnen(Rastport* ziel, u32 grafik, i32 x, i32 y, i32 h = -1);
// The icon of the running screen by its number; null when it is not there.
Screen_Icon* Kit_Icon(i32 nummer);
// An icon greyed out (it ignores clicks and shows its grey state) or live again.
void Kit_Grau(i32 nummer, bool grau);
// An icon shown or hidden.
void Kit_Zeigen(i32 nummer, bool sichtbar);

// --- Text --------------------------------------------------------------------
// printf-formatted text in a colour, markup allowed after it; y the bottom of
// the first line. Kit_Printf draws with the plain renderer, Kit_Printf_Glatt
// with the soft shadow (kept in the blit cache). 1 when drawn.
i32 Kit_Printf(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
i32 Kit_Printf_Glatt(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
// The same drawn afresh: the cached patches at that place are freed first
// (a text that changes in place, as a name on the live bar).
i32 Kit_Printf_Glatt_Neu(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
// A text in a colour, drawn `prozent` opaque over what lies below (a shirt
// number over its faded shirt). 1 when drawn.
i32 Kit_Text_Alpha(Rastport* rp, Font* f, u16 farbe, const char* text, i32 x, i32 y, i32 prozent);
// Left edge x, bottom y (as Font_Markup_Ausgabe). 0 when nothing was drawn.
i32 Kit_Text(Rastport* rp, Font* f, u16 farbe, const char* text, i32 x, i32 y);
i32 Kit_Text_Mitte(Rastport* rp, Font* f, u16 farbe, const char* text, i32 mitte, i32 y);
i32 Kit_Text_Rechts(Rastport* rp, Font* f, u16 farbe, const char* text, i32 rechts, i32 y);
// The bottom y that centres one line of the font in a box from top y, h high.
i32 Kit_Text_Grundlinie(const Font* f, i32 y, i32 h);

// --- Panels ---------------------------------------------------------------------
// A panel: soft shadow (0/2), rounded corners, a vertical gradient, a light
// top edge and a dark lower edge.
void Kit_Panel(Rastport* rp, i32 x, i32 y, i32 w, i32 h);
// A panel with a title bar: the title in chalk, a thin gold rule under it.
// Returns the top y of the panel's content (below the rule, padded).
i32 Kit_Panel_Titel(Rastport* rp, Font* f, const char* titel, i32 x, i32 y, i32 w, i32 h);
// Only the rounded, vertically graded area (no shadow, no edges).
void Kit_Fuellen(Rastport* rp, i32 x, i32 y, i32 w, i32 h, i32 radius, u16 oben, u16 unten);

// --- Buttons --------------------------------------------------------------------
enum class Kit_Zustand : u8 { NORMAL, UEBER, GEDRUECKT, AN, GRAU };
// The state of a menu icon: grey, on (MENUE_S_AN and its stored state),
// pressed (left button held on it), under the mouse, else normal.
Kit_Zustand Kit_Zustand_Von(const Screen_Icon* icon);
// The hover look of a button drawn from a picture: while the mouse rests on
// the icon (not pressed, not grey) its upper `h` pixels (all of it when h
// is 0) are lit toward the hover gradient, with a light top edge. Drawn
// before the label.
void Kit_Ueber(Rastport* rp, const Screen_Icon* icon, i32 h = 0);
// The label of a button drawn from its picture (an icon's text line): the
// button font (or another), centred both ways, in the warm button cream.
Icon_Textzeile Kit_Knopf_Beschriftung(const char* text, Kit_Schrift schrift = Kit_Schrift::KNOPF);
// A button drawn from its pictures, as an entry of a screen's icon table:
// transparent, the pressed picture while held; a label sets MENUE_F_TEXT.
struct Kit_Bildknopf_Def {
    i16 nummer = -1;
    u32 grafik = MENUE_KEINE_GRAFIK;
    u32 gedrueckt = MENUE_KEINE_GRAFIK;  // while held
    u32 an = MENUE_KEINE_GRAFIK;         // while on (a switch)
    i16 x = 0, y = 0, w = 0, h = 0;
    i8 ebene = 0;
    Icon_Klick_Prozedur klick = nullptr;
    Icon_Zeichen_Prozedur zeichnen = nullptr;
    Icon_Hilfe_Prozedur hilfe = nullptr;
    const char* hilfe_text = nullptr;
    Icon_Textzeile* text = nullptr;  // its label
    u32 flags = 0;                   // further engine flags (modal, both buttons)
    u32 status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD;
    u32 wort[2] = {0, 0};  // its user words
};
constexpr Screen_Icon Kit_Bildknopf(const Kit_Bildknopf_Def& d) {
    return {.nummer = d.nummer,
            .grafik = d.grafik,
            .grafik_an = d.an,
            .grafik_gedrueckt = d.gedrueckt,
            .flags = d.flags | (d.text ? static_cast<u32>(MENUE_F_TEXT) : 0u),
            .x = d.x,
            .y = d.y,
            .daten = d.text,
            .status = d.status,
            .hilfe = d.hilfe_text,
            .klick = d.klick,
            .zeichnen = d.zeichnen,
            .ebene = d.ebene,
            .w = d.w,
            .h = d.h,
            .hilfe_prozedur = d.hilfe,
            .user = {d.wort[0], d.wort[1]}};
}

// A value stepper drawn from its picture (the four zones of the bank's and
// the stadium's steppers, screens/teile/schritt.h): held, it repeats (a
// stepper that steps once a click: wiederholen = false); the pressed zone's
// picture is the screen's to set.
struct Kit_Stepperknopf_Def {
    i16 nummer = -1;
    u32 grafik = MENUE_KEINE_GRAFIK;
    i16 x = 0, y = 0, w = 98, h = 22;
    i8 ebene = 0;
    Icon_Klick_Prozedur klick = nullptr;
    Icon_Zeichen_Prozedur zeichnen = nullptr;
    Icon_Hilfe_Prozedur hilfe = nullptr;
    u32 flags = 0;
    u32 wort[2] = {0, 0};
    bool wiederholen = true;
};
constexpr Screen_Icon Kit_Stepperknopf(const Kit_Stepperknopf_Def& d) {
    return {.nummer = d.nummer,
            .grafik = d.grafik,
            .flags = d.flags,
            .x = d.x,
            .y = d.y,
            .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | (d.wiederholen ? MENUE_S_WIEDERHOLEN : 0u),
            .klick = d.klick,
            .zeichnen = d.zeichnen,
            .ebene = d.ebene,
            .w = d.w,
            .h = d.h,
            .hilfe_prozedur = d.hilfe,
            .user = {d.wort[0], d.wort[1]}};
}

// A panel of a screen as an icon: its frame or page (a picture, or drawn by
// `zeichnen`, e.g. with Kit_Panel), lying under the screen's other icons and
// taking the clicks beside them (`klick`); `flags` as the engine's (modal,
// both buttons, the whole screen).
struct Kit_Panel_Def {
    i16 nummer = -1;
    u32 grafik = MENUE_KEINE_GRAFIK;
    i16 x = 0, y = 0, w = 0, h = 0;
    i8 ebene = 0;
    Icon_Klick_Prozedur klick = nullptr;
    Icon_Zeichen_Prozedur zeichnen = nullptr;
    u32 flags = 0;
    u32 status = MENUE_S_TRANSPARENT;
    u32 wort[2] = {0, 0};
};
constexpr Screen_Icon Kit_Panel_Icon(const Kit_Panel_Def& d) {
    return {.nummer = d.nummer,
            .grafik = d.grafik,
            .flags = d.flags,
            .x = d.x,
            .y = d.y,
            .status = d.status,
            .klick = d.klick,
            .zeichnen = d.zeichnen,
            .ebene = d.ebene,
            .w = d.w,
            .h = d.h,
            .user = {d.wort[0], d.wort[1]}};
}

// A table of N rows of one shape (a list's rows, a column of fields): row k
// is `erste` with number erste.nummer + k, placed k steps of (dx, dy) on,
// or at (x[k], y[k]) when the rows stand in blocks (either given alone
// replaces only its own axis; Kit_Lagen makes them); its index (erster_index + k)
// is written to user word `index_wort` (-1: none), the word the row's
// procedures read. A column of a grid whose numbers run row by row steps
// its number and index by the row's width (`schritt`). Joined with single
// icons by Icon_Tabelle_Aus. Rows whose numbers or pictures come from the
// screen's own table take them from `nummern` / `grafiken` (the on picture
// keeps its distance to the picture of the first row).
//
//   Kit_Zeilen<21>({.nummer = ICON_X_ZEILE, .grafik = ..., .user = {NICHTS, 0}}, {.dy = 17, .index_wort = 1})
struct Kit_Zeilen_Lage {
    i32 dx = 0, dy = 0;
    i32 index_wort = 0;
    i32 erster_index = 0;
    i32 grafik_schritt = 0;           // row k shows picture erste.grafik + k·grafik_schritt
    i32 schritt = 1;                  // row k has number erste.nummer + k·schritt, index erster_index + k·schritt
    const i16* nummern = nullptr;     // the rows' own numbers (N of them)
    const u32* grafiken = nullptr;    // the rows' own pictures (N of them)
    Icon_Textzeile* texte = nullptr;  // row k carries texte[k], its label (MENUE_F_TEXT set)
    const i16* x = nullptr;           // the rows' own left edges (N of them), instead of dx
    const i16* y = nullptr;           // the rows' own tops (N of them), instead of dy
};
// The places of N rows from a rule (row k -> its place), for Kit_Zeilen_Lage.
template <size_t N>
constexpr std::array<i16, N> Kit_Lagen(i32 (*lage)(i32 k)) {
    std::array<i16, N> r{};
    for (size_t k = 0; k < N; ++k) r[k] = static_cast<i16>(lage(static_cast<i32>(k)));
    return r;
}
// An icon of a group whose icons share every field but their number and
// place: the group's form put at `nummer`, (x, y). With Kit_Zeilen a screen
// writes a group's shared fields once.
constexpr Screen_Icon Kit_Icon_Bei(Screen_Icon form, i16 nummer, i16 x, i16 y) {
    form.nummer = nummer, form.x = x, form.y = y;
    return form;
}
template <size_t N>
constexpr std::array<Screen_Icon, N> Kit_Zeilen(const Screen_Icon& erste, const Kit_Zeilen_Lage& lage) {
    std::array<Screen_Icon, N> r{};
    for (size_t k = 0; k < N; ++k) {
        const i32 n = static_cast<i32>(k);
        r[k] = erste;
        r[k].nummer = static_cast<i16>(erste.nummer + n * lage.schritt);
        r[k].grafik = static_cast<u32>(static_cast<i32>(erste.grafik) + lage.grafik_schritt * n);
        if (lage.nummern) r[k].nummer = lage.nummern[k];
        if (lage.texte) r[k].daten = &lage.texte[k], r[k].flags |= MENUE_F_TEXT;
        if (lage.grafiken) {
            r[k].grafik = lage.grafiken[k];
            if (erste.grafik_an != MENUE_KEINE_GRAFIK)
                r[k].grafik_an = lage.grafiken[k] + (erste.grafik_an - erste.grafik);
        }
        r[k].x = lage.x ? lage.x[k] : static_cast<i16>(erste.x + lage.dx * n);
        r[k].y = lage.y ? lage.y[k] : static_cast<i16>(erste.y + lage.dy * n);
        if (lage.index_wort == 0 || lage.index_wort == 1)
            r[k].user[lage.index_wort] = static_cast<u32>(lage.erster_index + n * lage.schritt);
    }
    return r;
}

// A table of N icons of one form whose icons differ in more than their place
// (the tactics screen's big values: picture, click procedure, size and user
// words; a screen's arrows and switches): icon k is `form` with the fields
// of eigen[k]. A field eigen[k] leaves at its default keeps the form's (its
// number: form.nummer + k); its place, click procedure and user words are
// always its own (the form's procedures for drawing and help are shared).
//
//   Kit_Zeilen_Eigen(FORM, {{.grafik = G_A, .x = 10, .y = 112, .klick = a, .wort = {0, 0}},
//                           {.grafik = G_B, .x = 10, .y = 271, .h = 84, .klick = b, .wort = {1, 0}}})
struct Kit_Zeile_Eigen {
    i16 nummer = -1;                     // -1: form.nummer + k
    u32 grafik = MENUE_KEINE_GRAFIK;     // none: the form's
    u32 gedrueckt = MENUE_KEINE_GRAFIK;  // none: the form's
    u32 an = MENUE_KEINE_GRAFIK;         // none: the form's
    i16 x = 0, y = 0;
    i16 w = 0, h = 0;  // 0: the form's
    i8 ebene = -1;     // -1: the form's
    Icon_Klick_Prozedur klick = nullptr;
    Icon_Textzeile* text = nullptr;  // its label (MENUE_F_TEXT set); null: the form's
    u32 status = 0;                  // 0: the form's
    u32 wort[2] = {0, 0};
};
template <size_t N>
constexpr std::array<Screen_Icon, N> Kit_Zeilen_Eigen(const Screen_Icon& form, const Kit_Zeile_Eigen (&eigen)[N]) {
    std::array<Screen_Icon, N> r{};
    for (size_t k = 0; k < N; ++k) {
        const Kit_Zeile_Eigen& e = eigen[k];
        Screen_Icon& i = r[k];
        i = form;
        i.nummer = e.nummer >= 0 ? e.nummer : static_cast<i16>(form.nummer + static_cast<i32>(k));
        if (e.grafik != MENUE_KEINE_GRAFIK) i.grafik = e.grafik;
        if (e.gedrueckt != MENUE_KEINE_GRAFIK) i.grafik_gedrueckt = e.gedrueckt;
        if (e.an != MENUE_KEINE_GRAFIK) i.grafik_an = e.an;
        i.x = e.x, i.y = e.y;
        if (e.w) i.w = e.w;
        if (e.h) i.h = e.h;
        if (e.ebene >= 0) i.ebene = e.ebene;
        i.klick = e.klick;
        if (e.text) i.daten = e.text, i.flags |= MENUE_F_TEXT;
        if (e.status) i.status = e.status;
        i.user[0] = e.wort[0], i.user[1] = e.wort[1];
    }
    return r;
}

// A button of a group of one shape (a column of buttons, the arrows of a
// window): `form` holds what they share, `eigen` what is the button's own;
// every field of `eigen` that differs from its default replaces the form's
// (a form's field is not set back to its default this way). The procedures
// (click, draw, help) are always the button's own, from `eigen`.
constexpr Kit_Bildknopf_Def Kit_Bildknopf_Ueber(const Kit_Bildknopf_Def& form, const Kit_Bildknopf_Def& eigen) {
    const Kit_Bildknopf_Def n{};
    Kit_Bildknopf_Def d = form;
    if (eigen.nummer != n.nummer) d.nummer = eigen.nummer;
    if (eigen.grafik != n.grafik) d.grafik = eigen.grafik;
    if (eigen.gedrueckt != n.gedrueckt) d.gedrueckt = eigen.gedrueckt;
    if (eigen.an != n.an) d.an = eigen.an;
    if (eigen.x != n.x) d.x = eigen.x;
    if (eigen.y != n.y) d.y = eigen.y;
    if (eigen.w != n.w) d.w = eigen.w;
    if (eigen.h != n.h) d.h = eigen.h;
    if (eigen.ebene != n.ebene) d.ebene = eigen.ebene;
    d.klick = eigen.klick;
    d.zeichnen = eigen.zeichnen;
    d.hilfe = eigen.hilfe;
    if (eigen.hilfe_text != n.hilfe_text) d.hilfe_text = eigen.hilfe_text;
    if (eigen.text != n.text) d.text = eigen.text;
    if (eigen.flags != n.flags) d.flags = eigen.flags;
    if (eigen.status != n.status) d.status = eigen.status;
    if (eigen.wort[0] != n.wort[0]) d.wort[0] = eigen.wort[0];
    if (eigen.wort[1] != n.wort[1]) d.wort[1] = eigen.wort[1];
    return d;
}
constexpr Screen_Icon Kit_Bildknopf(const Kit_Bildknopf_Def& form, const Kit_Bildknopf_Def& eigen) {
    return Kit_Bildknopf(Kit_Bildknopf_Ueber(form, eigen));
}

// A raised button with its label centred; "on" carries a gold bar and a gold
// label, grey a dim label, pressed the gradient reversed.
void Kit_Knopf(Rastport* rp, Font* f, const char* text, i32 x, i32 y, i32 w, i32 h, Kit_Zustand z);

// --- Tables ---------------------------------------------------------------------
enum class Kit_Ausrichtung : u8 { LINKS, MITTE, RECHTS };
// How a column's head stands: as its cells, at the left edge, centred, at
// the right edge, or not at all (a column of cells under a neighbour's head).
enum class Kit_Kopf : u8 { WIE_ZELLEN, LINKS, MITTE, RECHTS, KEINER };
// A column: its left edge x and width; its cells stand at x (left), at
// x + breite/2 (centred) or at x + breite (right) by `ausrichtung`, its head
// as `kopf` says, moved `kopf_versatz` px to the right (a head set off its
// cells, or drawn from another x than its rows: from its panel's edge).
// A column without a width has x as that place itself.
struct Kit_Spalte {
    const char* titel = "";
    i16 x = 0;  // relative to the table's left edge (the text's x for a table drawn as texts)
    Kit_Ausrichtung ausrichtung = Kit_Ausrichtung::LINKS;
    i16 breite = 0;
    Kit_Kopf kopf = Kit_Kopf::WIE_ZELLEN;
    i16 kopf_versatz = 0;
};
// How a column's cells (kopf = false) or its head stand.
constexpr Kit_Ausrichtung Kit_Spalte_Ausrichtung(const Kit_Spalte& s, bool kopf = false) {
    if (!kopf || s.kopf == Kit_Kopf::WIE_ZELLEN || s.kopf == Kit_Kopf::KEINER) return s.ausrichtung;
    return s.kopf == Kit_Kopf::MITTE    ? Kit_Ausrichtung::MITTE
           : s.kopf == Kit_Kopf::RECHTS ? Kit_Ausrichtung::RECHTS
                                        : Kit_Ausrichtung::LINKS;
}
// The place a column's cells (or its head) are put at, relative to the table.
constexpr i32 Kit_Spalte_X(const Kit_Spalte& s, bool kopf = false) {
    const Kit_Ausrichtung a = Kit_Spalte_Ausrichtung(s, kopf);
    return s.x +
           (a == Kit_Ausrichtung::MITTE    ? s.breite / 2
            : a == Kit_Ausrichtung::RECHTS ? s.breite
                                           : 0) +
           (kopf ? s.kopf_versatz : 0);
}
struct Kit_Tabelle {
    i32 x = 0, y = 0, w = 0;  // header bar top-left and the width every row shares
    i32 kopf_h = KIT_KOPF, zeile_h = KIT_ZEILE;
    const Kit_Spalte* spalten = nullptr;
    i32 anzahl = 0;
    Font* kopf_font = nullptr;
    Font* font = nullptr;
};
void Kit_Tabelle_Kopf(Rastport* rp, const Kit_Tabelle& t);
// Top y of row `zeile` (0 = first under the header).
i32 Kit_Tabelle_Zeile_Y(const Kit_Tabelle& t, i32 zeile);
// Row background (alternating shade, the selected row in gold) and its cells
// (one text per column, null skips a cell) in `farbe`.
void Kit_Tabelle_Zeile(Rastport* rp, const Kit_Tabelle& t, i32 zeile, const char* const* zellen, u16 farbe,
                       bool gewaehlt = false);

// A table drawn as texts: a line's cells are one text whose columns begin
// at tab stops, so the line is one record of the draw trace and its
// columns measure their cells the way the font does. The columns are
// declared once (a Kit_Spalte table); the head and every row are placed
// from that one declaration. In the format each '\t' begins the next
// column (the first '\t' the first column given): the head's titles stand
// as the columns' `kopf` says, the cells as their `ausrichtung`; a head
// line passes over the columns without a head (Kit_Kopf::KEINER). A '\v'
// passes over the next column without its stop (its cell brings its own,
// made with Kit_Einzug_Bei, or stays empty). Further '\t' than columns
// begin nothing. Markup between the cells is kept as
// written. Drawn with the plain renderer or the soft shadow (`schein`).
//
//   constexpr Kit_Spalte SPALTEN[] = {{.x = 16, .ausrichtung = Kit_Ausrichtung::MITTE, .breite = 48,
//                                      .kopf = Kit_Kopf::LINKS}, ...};
//   Kit_Tabelle_Kopf_Printf(ziel, klein, FARBE_KOPF, 0, 131, Kit_Schein::GLATT, SPALTEN, "\t%s\t%s", a, b);
//   Kit_Tabelle_Zeile_Printf(ziel, gross, farbe, 0, y, Kit_Schein::GLATT, SPALTEN, "\t%d.\t%s", platz, name);
//
// A line that fills only some columns in a row passes those
// (std::span(SPALTEN).subspan(2)); one cell alone is Kit_Tabelle_Zelle_Printf.
enum class Kit_Schein : u8 { SCHLICHT, GLATT };
i32 Kit_Tabelle_Kopf_Printf(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, Kit_Schein schein,
                            std::span<const Kit_Spalte> spalten, const char* format, ...)
    __attribute__((format(printf, 8, 9)));
i32 Kit_Tabelle_Zeile_Printf(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, Kit_Schein schein,
                             std::span<const Kit_Spalte> spalten, const char* format, ...)
    __attribute__((format(printf, 8, 9)));
i32 Kit_Tabelle_Zelle_Printf(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, Kit_Schein schein,
                             const Kit_Spalte& spalte, const char* format, ...) __attribute__((format(printf, 8, 9)));
// A table line's text with its stops set, written to `aus` (cut to
// `groesse`, always ended) for a text kept and drawn later (a window's list
// rows): the same text Kit_Tabelle_Zeile_Printf draws. Its length.
i32 Kit_Tabelle_Zeile_Setzen(char* aus, size_t groesse, std::span<const Kit_Spalte> spalten, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
// One text put at a place of its line outside any table (a label at its
// left edge, a title centred over a panel, a sum at its right edge): the
// text from its start up to a further stop stands at `stelle` as
// `ausrichtung` says, relative to x.
struct Kit_Stelle {
    Kit_Ausrichtung ausrichtung = Kit_Ausrichtung::LINKS;
    i32 x = 0;
};
i32 Kit_Printf_Stelle(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, Kit_Schein schein, Kit_Stelle stelle,
                      const char* format, ...) __attribute__((format(printf, 8, 9)));
// The markup that puts what follows at a place of the line, for a text
// built in pieces (a cell whose text is made beforehand): "^tz0685".
struct Kit_Einzug {
    char code[8];
};
Kit_Einzug Kit_Einzug_Bei(Kit_Stelle stelle);
// The place of a column's cells (or head) as a Kit_Stelle.
constexpr Kit_Stelle Kit_Spalte_Stelle(const Kit_Spalte& s, bool kopf = false) {
    return {Kit_Spalte_Ausrichtung(s, kopf), Kit_Spalte_X(s, kopf)};
}

// The colour of a table place in the palette: a place that leads into an
// international competition in the info blue, promotion good, relegation
// bad, any other place `sonst` (gold stays for the own club and scores).
u16 Kit_Platz_Farbe(i32 wettbewerb, i32 platz, u16 sonst);

// --- Tabs -----------------------------------------------------------------------
// A tab of a row drawn from its pictures (the crest editor's crest and kits):
// the active tab's picture with its caption in gold, any other's with its
// caption in white. The caption is centred over the tab's width, its bottom
// `text_y` below the tab's top, with the soft shadow.
struct Kit_Reiter_Def {
    u32 grafik = MENUE_KEINE_GRAFIK;
    u32 aktiv = MENUE_KEINE_GRAFIK;  // the active tab's picture
    i32 breite = 0;
    i32 text_y = 0;
    Kit_Schrift schrift = Kit_Schrift::TEXT;
};
void Kit_Reiter(Rastport* rp, const Kit_Reiter_Def& d, const char* text, i32 x, i32 y, bool aktiv);
