// The modal message requester (see hauptmenue.h).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/sound.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/umbruch.h"
#include "gui/wappen.h"
#include "world/welt.h"

namespace {

constexpr i32 TEXT_MAX = 499, KNOPF_MAX = 99, LISTE_MAX = 50;
constexpr i32 T_JA = 25, T_NEIN = 26, T_OK = 27, T_TITEL_MITTEILUNG = 51, T_TITEL_FRAGE = 52;
constexpr i32 KLANG_REQUESTER = 14;
constexpr i32 ZEILE = 33;       // line height of the message
constexpr i32 KNOPF_OBEN = 251;  // the buttons' top, from the page's top

struct Requester {
    i32 art = 0, team = -1;
    char text[TEXT_MAX + 1] = {};
    char knopf[2][KNOPF_MAX + 1] = {};
    Requester_Prozedur prozedur[2] = {};
    i32 anzahl[2] = {};
    i32 liste[2][LISTE_MAX] = {};
    i32 symbol = 0;
} R;
i32 naechstes_symbol = 0;
// The right-click icon of the screen under the requester, given back when
// the requester goes (a screen's close-by-right-click keeps working).
i32 rechts_vorher = -1;

void kopieren(char* ziel, size_t n, const char* q) { std::snprintf(ziel, n, "%s", q ? q : ""); }

// The title says what the requester is: a question or a message.
const char* titel() { return Menue_Text(R.art == REQUESTER_JA_NEIN ? T_TITEL_FRAGE : T_TITEL_MITTEILUNG); }

void seite_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    if (Font* f = Font_Tabelle_Holen(12)) Kit_Text_Mitte(rp, f, FARBE_KREIDE, titel(), x + i->w / 2, y + 26);
    Wappen_Blit(R.team, rp, 549, 213, 64, 64, nullptr);
    // The question's symbol beside the crest.
    if (R.symbol >= 1 && R.symbol <= REQUESTER_SYMBOLE)
        if (Rastport* b = Menue_Get_Hooks().grafik_holen(static_cast<u32>(GRAFIK_FRAGE_SYMBOL + R.symbol - 1)))
            Blt_Blit(b, 0, 0, -1, -1, rp, 549 - 72, 213, Blt_Opt_Transparent);
    if (Font* f = Font_Tabelle_Holen(14)) Kit_Text(rp, f, FARBE_WEISS, Team_String(721, R.team, nullptr, 0), x + 18, y + 60);
    if (Font* f = Font_Tabelle_Holen(11)) {
        // The text box; a short message stands in the middle of the room
        // between the name and the buttons instead of leaving a band empty.
        const i32 oben = y + 127, unten = y + 286, raum_ende = y + KNOPF_OBEN - 8;
        const i32 ende = Umbruch_Text_Ausgabe(nullptr, f, R.text, x + 18, x + 645, oben, unten, FARBE_WEISS, 4, ZEILE);
        const i32 block = ende - ZEILE - oben;
        const i32 versatz = std::max(0, (raum_ende - oben - block) / 2);
        Umbruch_Text_Ausgabe(rp, f, R.text, x + 18, x + 645, oben + versatz, unten, FARBE_WEISS, 4, ZEILE);
    }
}

void dimmer_zeichnen(Screen_Icon*, Rastport* rp, i32, i32) { Blt_Abdunkeln(rp, 0, 0, 800, 600, 90); }

// The visible part of a button's picture: in line with the text column.
struct Knopf_Flaeche {
    i32 x, y, w, h;
};
constexpr Knopf_Flaeche FLAECHE[2] = {{13, 0, 63, 27}, {0, 3, 63, 27}};

void knopf_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    const i32 k = static_cast<i32>(i->user[0]);  // which answer
    const Knopf_Flaeche& a = FLAECHE[k];
    if (Font* f = Font_Tabelle_Holen(12))
        Kit_Text_Mitte(rp, f, FARBE_KNOPF_TEXT, R.knopf[k], x + a.x + a.w / 2, Kit_Text_Grundlinie(f, y + a.y, a.h));
}

// The dimmer and the page change only with the box (its icons made anew):
// kept with the darkened screen under them, only the buttons are drawn each
// frame. A button's user word 0: its answer 0 / 1.
constexpr auto REQUESTER = Icon_Tabelle_Bauen<Icon_Besitzer::RAHMEN_DES_SPIELS>({
    Kit_Panel_Icon({.nummer = ICON_REQ_DIMMER, .w = 800, .h = 600, .ebene = 23, .zeichnen = dimmer_zeichnen,
                    .flags = MENUE_F_MODAL | MENUE_F_NICHT_ABFRAGEN | MENUE_F_DECKT, .status = 0}),
    Kit_Panel_Icon({.nummer = ICON_REQ_SEITE, .grafik = GRAFIK_REQUESTER, .x = 66, .y = 158, .w = 668, .h = 300,
                    .ebene = 24, .zeichnen = seite_zeichnen,
                    .flags = MENUE_F_MODAL | MENUE_F_NICHT_ABFRAGEN | MENUE_F_DECKT}),
    Kit_Bildknopf({.nummer = ICON_REQ_KNOPF_1, .grafik = GRAFIK_REQUESTER_KNOPF_1,
                   .gedrueckt = GRAFIK_REQUESTER_KNOPF_1_GEDRUECKT, .x = 71, .y = 409, .w = 90, .h = 30, .ebene = 25,
                   .klick = Menue_Requester_Knopf, .zeichnen = knopf_zeichnen, .flags = MENUE_F_MODAL,
                   .wort = {0, 0}}),
    Kit_Bildknopf({.nummer = ICON_REQ_KNOPF_2, .grafik = GRAFIK_REQUESTER_KNOPF_2,
                   .gedrueckt = GRAFIK_REQUESTER_KNOPF_2_GEDRUECKT, .x = 649, .y = 406, .w = 90, .h = 30, .ebene = 25,
                   .klick = Menue_Requester_Knopf, .zeichnen = knopf_zeichnen, .flags = MENUE_F_MODAL,
                   .wort = {1, 0}}),
});

}  // namespace

void Menue_Requester_Knopf(Screen_Icon* i, u32) {
    // A button's user word 0 is its answer; of a one-button requester the
    // shown button (the second) and a right click (the first as the
    // right-click icon) both give the first.
    const i32 k = i->user[0] == 0 || R.art != REQUESTER_JA_NEIN ? 0 : 1;
    Menue_Screen_Icon_Tabelle_Loeschen(REQUESTER.daten());
    Menue_Set_Rechtsklick_Icon(rechts_vorher);
    rechts_vorher = -1;
    Requester r = R;
    if (r.prozedur[k]) r.prozedur[k](r.anzahl[k], r.liste[k]);
}

void Menue_Requester(i32 art, i32 team, const char* text, const char* knopf1, const char* knopf2, Requester_Prozedur p1,
                     Requester_Prozedur p2, i32 n1, const i32* l1, i32 n2, const i32* l2) {
    R = Requester{};
    R.symbol = naechstes_symbol;
    naechstes_symbol = 0;
    R.art = art;
    R.team = team;
    kopieren(R.text, sizeof R.text, text);
    const bool ja_nein = art == REQUESTER_JA_NEIN;
    kopieren(R.knopf[0], sizeof R.knopf[0], knopf1 && *knopf1 ? knopf1 : Menue_Text(ja_nein ? T_JA : T_OK));
    kopieren(R.knopf[1], sizeof R.knopf[1], knopf2 && *knopf2 ? knopf2 : Menue_Text(ja_nein ? T_NEIN : T_OK));
    if (!ja_nein) kopieren(R.knopf[1], sizeof R.knopf[1], R.knopf[0]);
    R.prozedur[0] = p1;
    R.prozedur[1] = ja_nein || p2 ? p2 : p1;
    if (!ja_nein && !p2) R.prozedur[1] = p1;
    R.anzahl[0] = std::clamp(l1 ? n1 : 0, 0, LISTE_MAX);
    R.anzahl[1] = std::clamp(l2 ? n2 : 0, 0, LISTE_MAX);
    if (R.anzahl[0]) std::memcpy(R.liste[0], l1, sizeof(i32) * R.anzahl[0]);
    if (R.anzahl[1]) std::memcpy(R.liste[1], l2, sizeof(i32) * R.anzahl[1]);
    Menue_Requester_Wieder_Zeigen();
    Menue_Hintergrund_Video(-1, 1);  // the menu's clip stands still under it
    Sound_Effekt_Solo(KLANG_REQUESTER, false);
}

void Menue_Requester_Symbol(i32 symbol) { naechstes_symbol = symbol; }

void Menue_Requester_Wieder_Zeigen() {
    // The box's procedures only draw.
    for (Icon_Zeichen_Prozedur p : {&dimmer_zeichnen, &seite_zeichnen, &knopf_zeichnen}) Menue_Reiner_Zeichner(p);
    if (const i32 r = Menue_Get_Rechtsklick_Icon(); r != ICON_REQ_KNOPF_1 && Menue_Screen_Icon_Ist_Vorhanden(r))
        rechts_vorher = r;
    Menue_Screen_Icon_Tabelle_Loeschen(REQUESTER.daten());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(REQUESTER.daten());
    if (R.art != REQUESTER_JA_NEIN) {
        // One button: the right one answers; 713 hides and takes right clicks.
        if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_1)) i->status |= MENUE_S_VERSTECKT;
        Menue_Set_Rechtsklick_Icon(ICON_REQ_KNOPF_1);
    }
}

bool Menue_Requester_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_REQ_SEITE); }
