// The GUI demonstration screen (see demo.h).
#include "gui/demo.h"

#include <cstdio>
#include <cstring>

#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "gui/eingabe.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "platform/input.h"

namespace {

// Icon numbers.
enum : i16 {
    I_WEITER = 100,
    I_TON,
    I_PLUS,
    I_WIPPE,
    I_LISTE = 110,
    I_BALKEN,
    I_KNOPF,
    I_ZIEH = 120,
    I_FELD = 130,
    I_ENDE = 140,
    I_REQ = 150,
    I_JA,
    I_NEIN,
    I_STATUS = 160,
    I_KONTEXT = 170,
    I_FENSTER = 210,
    I_SBALKEN,
    I_SKNOPF,
    I_ZEILE = 220,  // the scroll window and its 12 rows
};
constexpr i32 ZEILEN = 12;

struct Zustand {
    Font* font = nullptr;
    i32 frame = 0;
    std::vector<Demo_Klick> klicks;
    i32 weiter = 0, plus = 0, wippe = 250, anfang = 0;
    bool feld_aktiv = false;
    char feld[24] = "Kordavo";
    const char* antwort = "";
    Kontextmenue kontext;
    Menue_Wippe wippe_daten;
    Move_Struktur move;
    Move_Struktur smove;
    Menue_Drag drag;
};
Zustand* Z = nullptr;

// Panels and texts come from the widget kit.
void panel(Rastport* rp, i32 x, i32 y, i32 w, i32 h, u16 oben, u16 unten) {
    Kit_Fuellen(rp, x, y, w, h, KIT_RADIUS_KLEIN, oben, unten);
}
void text(Rastport* rp, const char* t, i32 x, i32 y, u16 farbe) { Kit_Text(rp, Z->font, farbe, t, x, y); }
void text_mitte(Rastport* rp, const char* t, i32 x, i32 y, i32 w, i32 h, u16 farbe) {
    Kit_Text_Mitte(rp, Z->font, farbe, t, x + w / 2, Kit_Text_Grundlinie(Z->font, y, h));
}

void merken(Screen_Icon* i, u32 e) { Z->klicks.push_back({i->nummer, e, Z->frame}); }

// A button's label is its icon's name: each button names its own drawing
// procedure with its label.
template <const char* TEXT>
void knopf_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    Kit_Knopf(rp, Z->font, TEXT, x, y, i->w, i->h, Kit_Zustand_Von(i));
}
constexpr char T_WEITER[] = "Weiter", T_TON[] = "Ton", T_PLUS[] = "+1", T_ENDE[] = "Beenden", T_JA[] = "Ja",
               T_NEIN[] = "Nein";

// The context menu's rows: user word 0 holds the row's entry.
const char* kontext_text(const Screen_Icon* i) { return Z->kontext.eintrag[i->user[0]].text; }

void kontext_schliessen() {
    for (i16 n = I_KONTEXT; n <= I_KONTEXT + KONTEXT_MAX; ++n) Menue_Screen_Icon_Loeschen(n);
}

void kontext_klick(Screen_Icon* i, u32 e) {
    merken(i, e);
    const i32 k = static_cast<i32>(i->user[0]);
    Menue_Kontext_Eingabefeld_Jump_Call(k, I_WIPPE, Z->kontext.eintrag[k].wert);
    kontext_schliessen();
}

void kontext_oeffnen(Screen_Icon* wippe) {
    Menue_Wippe_Kontextmenue(wippe, &Z->kontext);
    const i16 x = static_cast<i16>(wippe->x + wippe->w + 8), y0 = wippe->y;
    Screen_Icon t;
    t.nummer = I_KONTEXT;
    t.x = x, t.y = y0, t.w = 220, t.h = 22, t.ebene = 20;
    t.flags = MENUE_F_MODAL | MENUE_F_NICHT_ABFRAGEN;
    t.zeichnen = [](Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
        panel(rp, x, y, i->w, i->h, FARBE_KNOPF_OBEN, FARBE_PANEL);
        text(rp, Z->kontext.titel, x + 6, y + 16, FARBE_GOLD);
    };
    Menue_Screen_Icon_Hinzufuegen(t);
    for (i32 k = 0; k < Z->kontext.anzahl; ++k) {
        Screen_Icon e = t;
        e.nummer = static_cast<i16>(I_KONTEXT + 1 + k);
        e.y = static_cast<i16>(y0 + 22 + k * 20);
        e.h = 20;
        e.user[0] = static_cast<u32>(k);
        e.flags = MENUE_F_MODAL;
        e.status = (Z->kontext.eintrag[k].status & 2) ? static_cast<u32>(MENUE_S_GRAU) : 0u;
        e.klick = kontext_klick;
        e.zeichnen = [](Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
            const bool ueber = Menue_Get_Aktives_Icon() == i;
            Blt_Rechteck(rp, x, y, i->w, i->h, ueber ? FARBE_UEBER_OBEN : FARBE_PANEL);
            text(rp, kontext_text(i), x + 10, y + 15, (i->status & MENUE_S_GRAU) ? FARBE_AUS : FARBE_KREIDE);
        };
        Menue_Screen_Icon_Hinzufuegen(e);
    }
}

void requester_schliessen() {
    for (i16 n : {I_REQ, I_JA, I_NEIN}) Menue_Screen_Icon_Loeschen(n);
}

// One click procedure per icon; every click is recorded first.
void klick(Screen_Icon* i, u32 e) { merken(i, e); }
void weiter_klick(Screen_Icon* i, u32 e) {
    merken(i, e);
    ++Z->weiter;
}
void ton_klick(Screen_Icon* i, u32 e) {
    merken(i, e);
    Menue_Icon_Zustand_Setzen(i->nummer, !Menue_Icon_Zustand(i->nummer));
}
void plus_klick(Screen_Icon* i, u32 e) {
    merken(i, e);
    ++Z->plus;
}
void feld_klick(Screen_Icon* i, u32 e) {
    merken(i, e);
    Z->feld_aktiv = true;
}
void ja_klick(Screen_Icon* i, u32 e) {
    merken(i, e);
    Z->antwort = "Ja";
    requester_schliessen();
}
void nein_klick(Screen_Icon* i, u32 e) {
    merken(i, e);
    Z->antwort = "Nein";
    requester_schliessen();
}
// The quit button asks first.
void ende_klick(Screen_Icon* i, u32 e) {
    merken(i, e);
    static const Screen_Icon req[] = {
        [] {
            Screen_Icon r;
            r.nummer = I_REQ, r.x = 250, r.y = 230, r.w = 300, r.h = 120, r.ebene = 24;
            r.flags = MENUE_F_MODAL | MENUE_F_NICHT_ABFRAGEN;
            r.zeichnen = [](Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
                Blt_Abdunkeln(rp, 0, 0, 800, 600, 64);
                Kit_Panel_Titel(rp, Z->font, "Wirklich beenden?", x, y, i->w, i->h);
            };
            return r;
        }(),
        [] {
            Screen_Icon r;
            r.nummer = I_JA, r.x = 280, r.y = 300, r.w = 100, r.h = 28, r.ebene = 25;
            r.flags = MENUE_F_MODAL, r.klick = ja_klick, r.zeichnen = knopf_zeichnen<T_JA>;
            return r;
        }(),
        [] {
            Screen_Icon r;
            r.nummer = I_NEIN, r.x = 420, r.y = 300, r.w = 100, r.h = 28, r.ebene = 25;
            r.flags = MENUE_F_MODAL, r.klick = nein_klick, r.zeichnen = knopf_zeichnen<T_NEIN>;
            return r;
        }(),
        [] {
            Screen_Icon r;
            r.nummer = -1;
            return r;
        }(),
    };
    Menue_Screen_Icon_Tabelle_Hinzufuegen(req);
}

void wippe_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    panel(rp, x, y, i->w, i->h, FARBE_KNOPF_OBEN, FARBE_PANEL);
    static constexpr i16 oy[6] = {23, 25, 26, 26, 25, 23};
    for (i32 k = 0; k < 6; ++k) {
        const u16 c = k < 3 ? FARBE_SCHLECHT : FARBE_GUT;
        Blt_Rechteck(rp, x + WIPPE_X[k], y + oy[k] - 4, WIPPE_B[k], 9, c);
    }
    char t[16];
    std::snprintf(t, sizeof t, "%d", Z->wippe);
    text_mitte(rp, t, x, y - 2, i->w, 20, FARBE_KREIDE);
}

void liste_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    Blt_Rechteck(rp, x, y, i->w, i->h, FARBE_PANEL);
    Blt_Rahmen(rp, x, y, i->w, i->h, FARBE_KANTE_HELL, 1);
    for (i32 z = 0; z < 10; ++z) {
        char t[32];
        std::snprintf(t, sizeof t, "Spieler %d", Z->anfang + z + 1);
        if ((Z->anfang + z) % 2) Blt_Rechteck(rp, x + 1, y + 1 + z * 20, i->w - 2, 20, FARBE_ZEILE_HELL);
        text(rp, t, x + 8, y + 16 + z * 20, z + Z->anfang == 0 ? FARBE_GOLD : FARBE_KREIDE);
    }
}

void balken_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) { Blt_Rechteck(rp, x + 4, y, 4, i->h, FARBE_KANTE_DUNKEL); }
void scrollknopf_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    panel(rp, x, y, i->w, i->h, FARBE_KREIDE_2, FARBE_KANTE_HELL);
}

void zieh_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    panel(rp, x, y, i->w, i->h, FARBE_GOLD, FARBE_GOLD_DUNKEL);
    text_mitte(rp, "Z", x, y, i->w, i->h, FARBE_NAVY);
}

void raster_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    Blt_Rechteck(rp, x, y, i->w, i->h, FARBE_RASEN);
    for (i32 k = 0; k < 5; ++k) Blt_Rahmen(rp, x + 5 + k * 50, y + 5, 40, 40, FARBE_LINIE, 1);
}

void feld_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    Blt_Rechteck(rp, x, y, i->w, i->h, FARBE_NAVY);
    Blt_Rahmen(rp, x, y, i->w, i->h, Z->feld_aktiv ? FARBE_GOLD : FARBE_KANTE_HELL, 1);
    if (!Z->feld_aktiv) text(rp, Z->feld, x + 4, y + 15, FARBE_KREIDE);
}

void status_zeichnen(Screen_Icon*, Rastport* rp, i32 x, i32 y) {
    text(rp, "GUI-Vorf\xFChrung", 40, 40, FARBE_KREIDE);
    Blt_Rechteck(rp, 40, 46, 300, 1, FARBE_GOLD);
    char t[160];
    std::snprintf(t, sizeof t, "Weiter: %d  Plus: %d  Wert: %d  Feld: %s  Antwort: %s", Z->weiter, Z->plus, Z->wippe,
                  Z->feld, Z->antwort);
    text(rp, t, 40, 570, FARBE_KREIDE_2);
}

// The scroll window: a frame with the rows of the scroll screen inside.
void fenster_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    Blt_Rechteck(rp, x, y, i->w, i->h, FARBE_PANEL);
    Blt_Rahmen(rp, x, y, i->w, i->h, FARBE_KANTE_HELL, 1);
}

void zeile_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    const i32 n = static_cast<i32>(i->user[0]);  // the row
    panel(rp, x, y, i->w, i->h, n % 2 ? FARBE_KNOPF_OBEN : FARBE_UEBER_OBEN, FARBE_PANEL);
    char t[32];
    std::snprintf(t, sizeof t, "Gruppe %d", n + 1);
    text(rp, t, x + 10, y + 22, Menue_Get_Aktives_Icon() == i ? FARBE_GOLD : FARBE_KREIDE);
}

void drop(Screen_Icon* g, Screen_Icon*, i32 x, i32 y, u32 e) {
    g->x = static_cast<i16>(x), g->y = static_cast<i16>(y);
    Z->klicks.push_back({g->nummer, e, Z->frame});
}

void scroll(Screen_Icon* k, i32 index, u32 e) {
    Z->anfang = index;
    if (e) Z->klicks.push_back({k->nummer, e, Z->frame});
}

// The demo's icons are drawn by their procedures (no picture, no colour
// key); a click on one without a procedure of its own is recorded.
constexpr Kit_Bildknopf_Def FORM{.ebene = 1, .status = 0};

// A bar of 202 px at (x, 80) and its knob starting at (x, knopf_y); the knob
// answers the wheel for the icon `verknuepft`.
void scrollbalken(std::vector<Screen_Icon>& t, i16 balken, i16 knopf, i16 x, i16 knopf_y, Move_Struktur* m,
                  i16 verknuepft) {
    t.push_back(Kit_Bildknopf(FORM, {.nummer = balken, .x = x, .y = 80, .w = 12, .h = 202,
                                     .klick = Menue_Scrollbar_Klick, .zeichnen = balken_zeichnen}));
    t.back().verknuepft = knopf;
    t.push_back(Kit_Bildknopf(FORM, {.nummer = knopf, .x = x, .y = knopf_y, .w = 12, .h = 22, .ebene = 2, .klick = klick,
                                     .zeichnen = scrollknopf_zeichnen, .flags = MENUE_F_SCROLLBUTTON}));
    t.back().daten = m;
    t.back().verknuepft = verknuepft;
}

}  // namespace

void Gui_Demo_Starten(Font* font) {
    delete Z;
    Z = new Zustand;
    Z->font = font;
    Menue_Init();
    Menue_Set_Hintergrund(nullptr, FARBE_NAVY);
    Hilfe_Font = font;

    static const Icon_Raster raster{5, 1, 45, 305, 40, 40, 10, 0, nullptr};
    Z->wippe_daten = {nullptr, &Z->wippe, 0, 1000, 1, 0};
    Z->move = {scroll, 0, 0, -1, 80, 260, 505, 21, I_BALKEN};
    Z->drag.drop = drop;

    std::vector<Screen_Icon> t;
    t.push_back(Kit_Panel_Icon({.nummer = I_STATUS, .w = 1, .h = 1, .klick = klick, .zeichnen = status_zeichnen,
                                .flags = MENUE_F_NICHT_ABFRAGEN, .status = 0}));
    t.push_back(Kit_Bildknopf(FORM, {.nummer = I_WEITER, .x = 40, .y = 80, .w = 120, .h = 28, .klick = weiter_klick,
                                     .zeichnen = knopf_zeichnen<T_WEITER>,
                                     .hilfe_text = "Geht zum n\xE4"
                                                   "chsten Schritt.^lEin Klick z\xE4hlt beim Loslassen."}));
    t.push_back(Kit_Bildknopf(FORM, {.nummer = I_TON, .x = 40, .y = 120, .w = 120, .h = 28, .klick = ton_klick,
                                     .zeichnen = knopf_zeichnen<T_TON>, .status = MENUE_S_AN}));  // a toggle
    t.push_back(Kit_Bildknopf(FORM, {.nummer = I_PLUS, .x = 170, .y = 80, .w = 60, .h = 28, .klick = plus_klick,
                                     .zeichnen = knopf_zeichnen<T_PLUS>, .status = MENUE_S_WIEDERHOLEN}));
    t.push_back(Kit_Bildknopf(FORM, {.nummer = I_WIPPE, .x = 40, .y = 170, .w = 100, .h = 40, .klick = klick,
                                     .zeichnen = wippe_zeichnen,
                                     .flags = MENUE_F_WIPPE | MENUE_F_HALTEN_WIEDERHOLT}));
    t.back().daten = &Z->wippe_daten;
    t.back().sekundaer = kontext_oeffnen;
    t.push_back(Kit_Panel_Icon({.nummer = I_LISTE, .x = 300, .y = 80, .w = 200, .h = 202, .ebene = 1, .klick = klick,
                                .zeichnen = liste_zeichnen, .flags = MENUE_F_NICHT_ABFRAGEN, .status = 0}));
    scrollbalken(t, I_BALKEN, I_KNOPF, 505, 80, &Z->move, I_LISTE);
    t.push_back(Kit_Panel_Icon({.nummer = 0, .x = 40, .y = 300, .w = 250, .h = 50, .klick = klick,
                                .zeichnen = raster_zeichnen, .flags = MENUE_F_NICHT_ABFRAGEN, .status = 0}));
    t.push_back(Kit_Bildknopf(FORM, {.nummer = I_ZIEH, .x = 45, .y = 305, .w = 40, .h = 40, .ebene = 3, .klick = klick,
                                     .zeichnen = zieh_zeichnen, .flags = MENUE_F_ZIEHBAR}));
    t.back().raster = &raster;
    t.back().drag = &Z->drag;
    t.push_back(Kit_Bildknopf(FORM, {.nummer = I_FELD, .x = 300, .y = 320, .w = 200, .h = 22, .klick = feld_klick,
                                     .zeichnen = feld_zeichnen}));
    t.push_back(Kit_Bildknopf(FORM, {.nummer = I_ENDE, .x = 40, .y = 400, .w = 120, .h = 28, .klick = ende_klick,
                                     .zeichnen = knopf_zeichnen<T_ENDE>}));

    // The scroll window: 12 rows of 36 px in a window of 160 x 200, driven by
    // its bar, the knob and the wheel.
    Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(0);
    ss->inhalt_b = 160, ss->inhalt_h = ZEILEN * 36, ss->inhalt_laenge = ZEILEN * 36;
    ss->fenster_b = 160, ss->fenster_h = 200, ss->fenster_x = 570, ss->fenster_y = 81;
    ss->flags = 0, ss->knopf = I_SKNOPF;
    Z->smove = {Menue_Universale_Scroll_Prozedur, 0, 0, -1, 81, 259, 736, 10, I_SBALKEN, 0.f, 0};
    t.push_back(Kit_Panel_Icon({.nummer = I_FENSTER, .x = 569, .y = 80, .w = 162, .h = 202, .klick = klick,
                                .zeichnen = fenster_zeichnen, .flags = MENUE_F_NICHT_ABFRAGEN, .status = 0}));
    scrollbalken(t, I_SBALKEN, I_SKNOPF, 736, 81, &Z->smove, I_FENSTER);
    // Row k's user word 0: k.
    Screen_Icon zeile = Kit_Panel_Icon({.nummer = I_ZEILE, .x = 572, .y = 83, .w = 156, .h = 32, .ebene = 1,
                                        .klick = klick, .zeichnen = zeile_zeichnen, .status = 0});
    zeile.scroll = 0;  // in the scroll window
    for (const Screen_Icon& i : Kit_Zeilen<ZEILEN>(zeile, {.dy = 36})) t.push_back(i);
    t.push_back(Screen_Icon{});  // the end mark
    Menue_Screen_Icon_Tabelle_Hinzufuegen(t.data());
    Menue_Scrollscreen_Rasterbreite_Festlegen(0);
}

void Gui_Demo_Frame() {
    if (!Z) return;
    Maus_Update();
    Menue_Tick();
    if (Z->feld_aktiv) {
        const i32 r = Eingabefeld_Bearbeiten(Z->font, Z->feld, sizeof Z->feld, 20,
                                             EINGABE_NAMEN | EINGABE_MAUS | EINGABE_KLICK_AUSSEN, 300, 320, 200, 22, 4,
                                             1, nullptr, 0, 0, nullptr, FARBE_KREIDE);
        if (r != EINGABE_LAEUFT) {
            Z->feld_aktiv = false;
            Z->klicks.push_back({I_FELD, static_cast<u32>(r), Z->frame});
        }
    }
    Taste_Reset();
    ++Z->frame;
}

void Gui_Demo_Beenden() {
    Eingabefeld_Free();
    Menue_Free_All();
    Hilfe_Font = nullptr;
    delete Z;
    Z = nullptr;
}

const std::vector<Demo_Klick>& Gui_Demo_Klicks() {
    static const std::vector<Demo_Klick> leer;
    return Z ? Z->klicks : leer;
}
std::string Gui_Demo_Feldtext() { return Z ? Z->feld : ""; }
i32 Gui_Demo_Wippenwert() { return Z ? Z->wippe : 0; }
i32 Gui_Demo_Listenanfang() { return Z ? Z->anfang : 0; }
