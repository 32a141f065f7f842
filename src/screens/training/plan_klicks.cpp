// The training plan's clicks: the rows and the plan's fields chosen, the
// requesters asked, the automatic plan switched, the pages turned.
#include "screens/training/plan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/gesicht.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "screens/teile/schritt.h"
#include "screens/teile/spieler_hilfe.h"
#include "world/modi.h"
#include "screens/teile/sterne.h"
#include "screens/training/ablauf.h"
#include "screens/training/film.h"
#include "screens/training/talente.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/spieler.h"
#include "world/welt.h"
#include "screens/training/plan_intern.h"

using namespace plan_intern;

namespace {
// A requester's lines: a label, its value past the colon.
constexpr Kit_Stelle MELDUNG_WERT{Kit_Ausrichtung::LINKS, 160};
}  // namespace

// --- Requesters -------------------------------------------------------------------

void Training_Verletzt_Melden(i32 p) {
    char t[600];
    const Kit_Einzug stopp = Kit_Einzug_Bei(MELDUNG_WERT);
    std::snprintf(t, sizeof t, "^c%05d%s %s ^l%s%s : %s^l%s%s : %d %s", FARBE_WEISS, Spieler_String(505, p, nullptr, 0),
                  text(T_VERLETZT), text(T_VERLETZT_2), stopp.code,
                  Spieler_Get_Verletzungs_Text(wert(SPIELER_WERT_VERLETZUNG_ART, p)), text(T_VERLETZT_3), stopp.code,
                  wert(SPIELER_WERT_VERLETZUNG_DAUER, p), text(T_VERLETZT_4));
    Screen_Mitteilung(t);
}

void Training_Limit_Melden() { Screen_Mitteilung(text(T_LIMIT)); }

void Training_Wechsel_Fragen(i32 p, i32 alt, i32 neu, void (*ja)(i32, const i32*)) {
    char t[600];
    const Kit_Einzug stopp = Kit_Einzug_Bei(MELDUNG_WERT);
    std::snprintf(t, sizeof t, "^c%05d%s^l%s%s:  %s^l%s%s:  %s", FARBE_WEISS, text(T_WECHSEL), text(T_WECHSEL_ALT),
                  stopp.code, name(alt), text(T_WECHSEL_NEU), stopp.code, name(neu));
    const i32 werte[3] = {alt, neu, p};
    Menue_Requester(REQUESTER_JA_NEIN, Team_Aktiv, t, text(T_JA), text(T_NEIN), ja, [](i32, const i32*) {}, 3, werte);
}

// --- Clicks -------------------------------------------------------------------------

void Spieler_Training_Trainieren(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || gewaehlt < 0) return;
    const i32 p = gewaehlt;
    if (Training_Einheiten_Frei(p) <= 0) {
        Training_Limit_Melden();
        return;
    }
    i32 a = Attribute_Get_Attribut_In_Ausbildung(p);
    if (a < 0) a = Spieler_Training_Slot_Pruefen(p, slots[1]);
    if (a < 0) return;
    if (static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) & VERLETZT) {
        Training_Verletzt_Melden(p);
        return;
    }
    Screen_Oeffnen_Fuer(Screen_Id::TRAININGSFILM, {.spieler = p, .team = Team_Aktiv, .attribut = a});
}

void Spieler_Training_Slot_Klick(Screen_Icon*, u32 ereignis) {
    const i32 p = gewaehlt;
    if (!(ereignis & MENUE_E_LINKS) || p < 0 || slots[1] < 0) return;
    const i32 t = Attribute_Get_Attribut_In_Ausbildung(p);
    if (slots[1] == t) return;
    if (t >= 0) Training_Wechsel_Fragen(p, t, slots[1], wechsel_bestaetigt);
    else schreiben(SPIELER_WERT_GELD, p, 0);
    Blt_Cache_Leeren();
}

void Spieler_Training_Pfeil(Screen_Icon* icon, u32 ereignis) {
    if (!icon || !(ereignis & MENUE_E_LINKS) || gewaehlt < 0) return;
    if (!Screen_Drossel_Frei(&pfeil_drossel, PLAN_PFEIL_MS)) return;
    const bool vor = icon->user[0] == WORT_VOR;
    Spieler_Training_Slots_Setzen(gewaehlt, vor ? SLOTS_VOR : SLOTS_ZURUECK);
    Blt_Cache_Leeren();
}

void Spieler_Training_Zeile_Klick(Screen_Icon* icon, u32 ereignis) {
    const i32 k = zeile_von(icon);
    if (k < 0 || !(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) || zeile_spieler[k] < 0) return;
    const i32 p = zeile_spieler[k];
    marke_loeschen(gewaehlt);
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    auswaehlen(p);
    if (ereignis & MENUE_E_RECHTS) {
        // A right click shows the player's card.
        Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE, {.spieler = p, .team = Team_Aktiv, .modus = SPIELERKARTE_EIGEN});
    } else if (Screen_Offen(Screen_Id::ATTRIBUT_POPUP)) {
        Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = p, .team = Team_Aktiv});
    } else if (Maus_Get_X() >= 304 && Maus_Get_X() <= 359) {
        // On the attributes: the popup to choose the ones he plays with.
        Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP,
                            {.spieler = p, .team = Team_Aktiv, .x = Maus_Get_X(), .y = Maus_Get_Y()});
    }
    Blt_Cache_Leeren();
}

void Spieler_Training_Talente_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || gewaehlt < 0) return;
    Screen_Oeffnen_Fuer(Screen_Id::TALENTE, {.spieler = gewaehlt, .team = Team_Aktiv, .modus = TALENTE_EIGENES_TEAM});
}

void Spieler_Training_Auto_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Icon_Zustand_Setzen(ICON_PLAN_AUTO, Menue_Icon_Zustand(ICON_PLAN_AUTO) ? 0 : 1);
    Blt_Cache_Leeren();
}
