// Rockers and context menus of the menu engine.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/debug.h"
#include "gui/menue.h"
#include "gui/menue_intern.h"
#include "platform/input.h"

namespace menue_kern {

void wippe_punkt(const Screen_Icon* i, i32 k, i32* x, i32* y) {
    const Menue_Wippe* w = static_cast<const Menue_Wippe*>(i->daten);
    *x = w && w->x_off[k] >= 0 ? w->x_off[k] : WIPPE_X[k] + WIPPE_B[k] / 2;
    *y = w && w->y_off[k] >= 0 ? w->y_off[k] : WIPPE_Y[k];
}

}  // namespace menue_kern

using namespace menue_kern;

// --- Rockers and their context menu ---------------------------------------------------------

float Menue_Universaler_Wippe_Weiterschalter(Screen_Icon* icon, u32 ereignis) {
    Menue_Wippe* w = icon ? static_cast<Menue_Wippe*>(icon->daten) : nullptr;
    if (!w || (!w->wert_f && !w->wert_i)) {
        Debug_Printf("Menue_Universaler_Wippe_Weiterschalter: Kein Wert!\n");
        return 0;
    }
    static constexpr i32 faktor[6] = {100, 10, 1, 1, 10, 100};
    const i32 rel = Maus_Get_X() - icon->x;
    i32 k = 0, bestd = 1 << 30;
    for (i32 j = 0; j < 6; ++j) {
        i32 px = 0, py = 0;
        wippe_punkt(icon, j, &px, &py);
        if (std::abs(rel - px) < bestd) bestd = std::abs(rel - px), k = j;
    }
    float v = w->wert_f ? *w->wert_f : static_cast<float>(*w->wert_i);
    const float schritt = static_cast<float>(w->schritt) * static_cast<float>(faktor[k]);
    if (ereignis & MENUE_E_MINUS) v = std::max(w->minimum, v - schritt);
    if (ereignis & MENUE_E_PLUS) v = std::min(w->maximum, v + schritt);
    if (w->wert_f) *w->wert_f = v;
    else *w->wert_i = static_cast<i32>(v);
    return v;
}

void Menue_Wippe_Kontextmenue(Screen_Icon* icon, Kontextmenue* k) {
    Menue_Wippe* w = icon ? static_cast<Menue_Wippe*>(icon->daten) : nullptr;
    Menue_Init_Kontextmenue(k, "Eingabefeld ändern:", w ? icon->nummer : -1, 0,
                            [](i32 e, i32 nummer, i32 wert) { Menue_Kontext_Eingabefeld_Jump_Call(e, nummer, wert); });
    if (!k || !w) return;
    static const char* const feste[3] = {"Zurücksetzen auf Vorgabewert", "Zurücksetzen auf Minimalwert",
                                         "Zurücksetzen auf Maximalwert"};
    for (const char* t : feste) Menue_Kontextmenue_Eintrag(k, t, 0);
    if (w->schritt < 2) return;
    k->eintrag[0].status |= 2;
    const i32 mn = static_cast<i32>(w->minimum), mx = static_cast<i32>(w->maximum);
    const i32 d = (mx - mn) / 5;
    i32 m = 1;
    while (d >= 10 && m * 10 <= d) m *= 10;
    i32 vorher = mn - 1;
    for (i32 i = 0; i < 5; ++i) {
        const i32 v = std::clamp((mn + i * d) / m * m, mn, mx);
        if (i > 0 && v == vorher) continue;
        vorher = v;
        char text[48];
        std::snprintf(text, sizeof text, "Setzen auf %d", v);
        Menue_Kontextmenue_Eintrag(k, text, v);
    }
}

void Menue_Init_Kontextmenue(Kontextmenue* k, const char* titel, i32 icon, i32 standard_status,
                             Kontext_Prozedur prozedur) {
    if (!k) {
        Debug_Printf("Menue_Init_Kontextmenue: k==NULL!\n");
        return;
    }
    if (standard_status == -1) {
        Debug_Printf("Menue_Init_Kontextmenue: default_status: falscher Wert!\n");
        standard_status = 0;
    }
    *k = Kontextmenue{};
    k->titel = titel;
    k->icon = icon;
    k->standard_status = static_cast<u32>(standard_status);
    k->prozedur = prozedur;
}

bool Menue_Kontextmenue_Eintrag(Kontextmenue* k, const char* text, i32 wert) {
    if (!k || k->anzahl < 0 || k->anzahl >= KONTEXT_MAX) return false;
    auto& e = k->eintrag[k->anzahl++];
    std::snprintf(e.text, sizeof e.text, "%s", text ? text : "");
    e.status = k->standard_status;
    e.wert = wert;
    return true;
}

bool Menue_Kontextmenue_Waehlen(const Kontextmenue* k, i32 eintrag) {
    if (!k || !k->prozedur || eintrag < 0 || eintrag >= k->anzahl || eintrag >= KONTEXT_MAX) return false;
    k->prozedur(eintrag, k->icon, k->eintrag[eintrag].wert);
    return true;
}

bool Menue_Kontext_Eingabefeld_Jump_Call(i32 eintrag, i32 nummer, i32 wert) {
    Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    Menue_Wippe* w = (i && (i->flags & MENUE_F_WIPPE)) ? static_cast<Menue_Wippe*>(i->daten) : nullptr;
    if (!w || eintrag < 0 || eintrag > 7) return false;
    const float v = eintrag == 0   ? w->vorgabe
                    : eintrag == 1 ? w->minimum
                    : eintrag == 2 ? w->maximum
                                   : static_cast<float>(wert);
    if (w->wert_f) *w->wert_f = v;
    else if (w->wert_i) *w->wert_i = static_cast<i32>(v);
    if (i->klick) i->klick(i, MENUE_E_KONTEXT);
    return true;
}

