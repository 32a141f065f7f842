// The modal message requester (see hauptmenue.h).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/sound.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/umbruch.h"
#include "gui/wappen.h"
#include "world/welt.h"

namespace {

constexpr i32 TEXT_MAX = 499, KNOPF_MAX = 99, LISTE_MAX = 50;
constexpr i32 T_JA = 25, T_NEIN = 26, T_OK = 27;
constexpr i32 KLANG_REQUESTER = 14;

struct Requester {
    i32 art = 0, team = -1;
    char text[TEXT_MAX + 1] = {};
    char knopf[2][KNOPF_MAX + 1] = {};
    Requester_Prozedur prozedur[2] = {};
    i32 anzahl[2] = {};
    i32 liste[2][LISTE_MAX] = {};
} R;
// The right-click icon of the screen under the requester, given back when
// the requester goes (a screen's close-by-right-click keeps working).
i32 rechts_vorher = -1;

void kopieren(char* ziel, size_t n, const char* q) { std::snprintf(ziel, n, "%s", q ? q : ""); }

void seite_zeichnen(Screen_Icon*, Rastport* rp, i32 x, i32 y) {
    Wappen_Blit(R.team, rp, 549, 213, 64, 64, nullptr);
    if (Font* f = Font_Tabelle_Holen(14))
        Font_Markup_Ausgabe(rp, f, 0xFFFF, Team_String(721, R.team, nullptr, 0), x + 18, y + 60, 1);
    if (Font* f = Font_Tabelle_Holen(11))
        Umbruch_Text_Ausgabe(rp, f, R.text, x + 18, x + 520, y + 127, y + 286, 0xFFFF, 4, 33);
}

void dimmer_zeichnen(Screen_Icon*, Rastport* rp, i32, i32) { Blt_Abdunkeln(rp, 0, 0, 800, 600, 90); }

void knopf_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    Font* f = Font_Tabelle_Holen(12);
    const char* t = R.knopf[i->nummer - ICON_REQ_KNOPF_1];
    if (f) Font_Markup_Ausgabe(rp, f, 0xFFFF, t, x + (i->w - Font_Text_Breite(f, t)) / 2, y + 20, 1);
}

const Screen_Icon* tabelle() {
    static const Screen_Icon t[] = {
        [] {
            Screen_Icon i;
            i.nummer = ICON_REQ_DIMMER, i.x = 0, i.y = 0, i.w = 800, i.h = 600, i.ebene = 23;
            i.flags = MENUE_F_MODAL | MENUE_F_NICHT_ABFRAGEN;
            i.zeichnen = dimmer_zeichnen;
            return i;
        }(),
        [] {
            Screen_Icon i;
            i.nummer = ICON_REQ_SEITE, i.grafik = 4014, i.x = 66, i.y = 158, i.w = 668, i.h = 300, i.ebene = 24;
            i.flags = MENUE_F_MODAL | MENUE_F_NICHT_ABFRAGEN;
            i.status = MENUE_S_TRANSPARENT;
            i.zeichnen = seite_zeichnen;
            return i;
        }(),
        [] {
            Screen_Icon i;
            i.nummer = ICON_REQ_KNOPF_1, i.grafik = 4017, i.grafik_gedrueckt = 4016, i.x = 71, i.y = 409, i.w = 90,
            i.h = 30;
            i.ebene = 25, i.flags = MENUE_F_MODAL, i.status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD;
            i.klick = Menue_Requester_Knopf, i.zeichnen = knopf_zeichnen;
            return i;
        }(),
        [] {
            Screen_Icon i;
            i.nummer = ICON_REQ_KNOPF_2, i.grafik = 4019, i.grafik_gedrueckt = 4018, i.x = 639, i.y = 409, i.w = 90,
            i.h = 30;
            i.ebene = 25, i.flags = MENUE_F_MODAL, i.status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD;
            i.klick = Menue_Requester_Knopf, i.zeichnen = knopf_zeichnen;
            return i;
        }(),
        [] {
            Screen_Icon i;
            i.nummer = -1;
            return i;
        }(),
    };
    return t;
}

}  // namespace

void Menue_Requester_Knopf(Screen_Icon* i, u32) {
    // Button 713 is the first answer; of a one-button requester the shown
    // button (714) and a right click (713 as the right-click icon) both answer.
    const i32 k = i->nummer == ICON_REQ_KNOPF_1 || R.art != REQUESTER_JA_NEIN ? 0 : 1;
    Menue_Screen_Icon_Tabelle_Loeschen(tabelle());
    Menue_Set_Rechtsklick_Icon(rechts_vorher);
    rechts_vorher = -1;
    Requester r = R;
    if (r.prozedur[k]) r.prozedur[k](r.anzahl[k], r.liste[k]);
}

void Menue_Requester(i32 art, i32 team, const char* text, const char* knopf1, const char* knopf2, Requester_Prozedur p1,
                     Requester_Prozedur p2, i32 n1, const i32* l1, i32 n2, const i32* l2) {
    R = Requester{};
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
    Sound_Effekt_Solo(KLANG_REQUESTER, false);
}

void Menue_Requester_Wieder_Zeigen() {
    if (const i32 r = Menue_Get_Rechtsklick_Icon(); r != ICON_REQ_KNOPF_1 && Menue_Screen_Icon_Ist_Vorhanden(r))
        rechts_vorher = r;
    Menue_Screen_Icon_Tabelle_Loeschen(tabelle());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(tabelle());
    if (R.art != REQUESTER_JA_NEIN) {
        // One button: the right one answers; 713 hides and takes right clicks.
        if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_1)) i->status |= MENUE_S_VERSTECKT;
        Menue_Set_Rechtsklick_Icon(ICON_REQ_KNOPF_1);
    }
}

bool Menue_Requester_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_REQ_SEITE); }
