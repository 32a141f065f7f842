// The control bar under a running match (see hauptmenue.h).
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "match/spielfeld.h"
#include "platform/input.h"
#include "season/kalender_lauf.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr i16 LEISTE_Y = 565;
constexpr i16 KNOPF_X[9] = {111, 169, 224, 282, 342, 435, 501, 573, 639};
constexpr i32 HALTEN_PERIODE_MS = 10;
bool erzwungen = false;

// Fast play while the left button is held on button 725: checked every
// 10 ms from the moment the mouse enters it until fast play is off again.
void vorspulen_hook(void*, u32 ereignis) {
    if (ereignis != MENUE_E_HOOK_ZEIT) return;
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_VORSPULEN);
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const bool drauf = i && mx >= i->x && mx < i->x + i->w && my >= i->y && my < i->y + i->h;
    const bool halten = drauf && (W32_Get_Mouse_Buttons() & 1);
    if (!Kalender_Ist_Automatik()) Kalender_Set_Spiel_Fast(halten ? 1 : 0);
    if (!drauf) Menue_Hook(vorspulen_hook, nullptr, true, 0);
}

void aus(Screen_Icon* i) {
    i->status &= ~static_cast<u32>(MENUE_S_AN);
    if (i->nummer <= ICON_LEISTE_TAKTIK) Manager_Icon_Button_An_Aus(Team_Aktiv, i->nummer, 0);
}

Screen_Icon knopf(i32 k) {
    Screen_Icon i;
    i.nummer = static_cast<i16>(ICON_LEISTE_ERSTER + k);
    i.grafik = 12010 + static_cast<u32>(k);
    i.grafik_an = 12001 + static_cast<u32>(k);
    i.x = KNOPF_X[k], i.y = LEISTE_Y, i.w = 55, i.h = 35, i.ebene = 12;
    i.status = MENUE_S_TRANSPARENT;
    i.klick = Menue_Kontrollleiste_Klick;
    return i;
}

const Screen_Icon* tabelle() {
    static const Screen_Icon t[] = {
        knopf(0),
        knopf(1),
        knopf(2),
        knopf(3),
        knopf(4),
        knopf(5),
        knopf(6),
        knopf(7),
        knopf(8),
        [] {
            Screen_Icon i;
            i.nummer = ICON_LEISTE_VORSPULEN, i.grafik = 12019, i.x = 752, i.y = LEISTE_Y, i.w = 48, i.h = 35,
            i.ebene = 12;
            i.flags = MENUE_F_HOVER;
            i.status = MENUE_S_TRANSPARENT;
            i.klick = Menue_Kontrollleiste_Klick;
            return i;
        }(),
        [] {
            Screen_Icon i;
            i.nummer = ICON_LEISTE_RAHMEN, i.grafik = 12000, i.x = 0, i.y = LEISTE_Y, i.w = 800, i.h = 35, i.ebene = 11;
            i.flags = MENUE_F_NICHT_ABFRAGEN;
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

void Menue_Kontrollleiste_Zeigen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_ERSTER) || erzwungen) return;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(tabelle());
    // The stored states of replay .. tactics of the active manager.
    for (i32 n = ICON_LEISTE_ERSTER; n <= ICON_LEISTE_ERSTER + 6; ++n)
        if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(n); i && Manager_Icon_Button_Lesen(Team_Aktiv, n))
            i->status |= MENUE_S_AN;
}

void Menue_Kontrollleiste_Klick(Screen_Icon* i, u32 ereignis) {
    if (i->nummer == ICON_LEISTE_VORSPULEN) {
        if (!Menue_Hook_Vorhanden(vorspulen_hook, nullptr)) Menue_Hook(vorspulen_hook, nullptr, false, HALTEN_PERIODE_MS);
        return;
    }
    if (!(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    i->status ^= MENUE_S_AN;
    const bool an = (i->status & MENUE_S_AN) != 0;
    if (i->nummer <= ICON_LEISTE_TAKTIK) Manager_Icon_Button_An_Aus(Team_Aktiv, i->nummer, an ? 1 : 0);
    switch (i->nummer) {
        case ICON_LEISTE_WIEDERHOLUNG: an ? Spielfeld_Replay_Start(0) : Spielfeld_Replay_Stop(0); break;
        case ICON_LEISTE_PAUSE: Menue_Spiel_Pause_Setzen(an); break;
        case ICON_LEISTE_SCHNELL:
            Spielfeld_Set_Fast(an ? 1 : 0);
            if (an) Menue_Spiel_Pause_Setzen(false);
            if (Screen_Icon* p = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_PAUSE)) aus(p);
            break;
        case ICON_LEISTE_LADEN:
        case ICON_LEISTE_SPEICHERN:
            // The match waits (its pause button pressed, so the player can
            // lift it) while a game is loaded or saved.
            aus(i);
            if (Screen_Icon* p = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_PAUSE)) {
                p->status |= MENUE_S_AN;
                Manager_Icon_Button_An_Aus(Team_Aktiv, ICON_LEISTE_PAUSE, 1);
            }
            Menue_Spiel_Pause_Setzen(true);
            i->nummer == ICON_LEISTE_LADEN ? Menue_Laden_Fragen() : Menue_Speichern();
            break;
        default:
            // The match windows and the in-match screens are still to come.
            aus(i);
            Menue_Im_Aufbau();
            break;
    }
}

void Menue_Set_Spiel_Pause(bool an) {
    erzwungen = an;
    if (an) Menue_Spiel_Pause_Setzen(true);
}

bool Menue_Get_Spiel_Pause() { return erzwungen; }
