// The menu engine's part of the frame of play (see menue_spiel.h).
#include "gui/menue_spiel.h"

#include <algorithm>
#include <array>

#include "base/debug.h"
#include "base/ruf.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "world/manager.h"
#include "world/netz.h"
#include "world/welt.h"

namespace {

Menue_Spiel_Hooks hooks;
bool icon707_grau = false;
std::array<Bnk_Video*, 5> vorgemerkt{};

}  // namespace

void Menue_Spiel_Set_Hooks(const Menue_Spiel_Hooks& h) { hooks = h; }

void Menue_Set_Icon707_Status(bool an) {
    icon707_grau = an;
    if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_ZUG_ENDE)) {
        if (an) i->status |= MENUE_S_GRAU;
        else i->status &= ~static_cast<u32>(MENUE_S_GRAU);
    }
}

bool Menue_Get_Icon707_Status() { return icon707_grau; }

bool Menue_Letzte_Wahl(i32 team, i32* knopf, i32* eintrag) {
    u32 wahl[2] = {0, 0};
    const bool da = team >= 0 && team < Team_Anzahl && Team_Hat_Manager(team) && Team_Zeiger(307, team, wahl, 32);
    const bool gut = da && wahl[0] <= 3 && wahl[1] <= 5;
    if (knopf) *knopf = gut ? static_cast<i32>(wahl[0]) : 0;
    if (eintrag) *eintrag = gut ? static_cast<i32>(wahl[1]) : 0;
    return gut;
}

void Menue_Letzte_Wahl_Setzen(i32 team, i32 knopf, i32 eintrag) {
    if (team < 0 || team >= Team_Anzahl || !Team_Hat_Manager(team) || knopf < 0 || knopf > 3 || eintrag < 0 ||
        eintrag > 5)
        return;
    u32 wahl[2] = {static_cast<u32>(knopf), static_cast<u32>(eintrag)};
    Team_Zeiger(307, team, wahl, 1);
}

void Menue_Starte_Screen(void (*prozedur)()) {
    Sound_Effekt_Stop_All();
    Menue_Modus = 0;
    if (prozedur) prozedur();
}

void Menue_Spiel_Anhalten() {
    Menue_Set_Spiel_Pause(true);
    Menue_Icon_Zustand_Setzen(ICON_LEISTE_PAUSE, 1);
    if (Menue_Icon_Zustand(ICON_LEISTE_AUFSTELLUNG)) return;
    Menue_Icon_Zustand_Setzen(ICON_LEISTE_AUFSTELLUNG, 1);
    hooks.im_spiel_aufstellung();
}

i32 Menue_Spiel_Team_Waehlen(const void*, i32 team) { return hooks.im_spiel_team(team); }

bool Menue_Client_Aktualisieren() {
    if (!ruf::Client()) return true;
    const bool spieler = Spieler_Internet_Client_Refresh();
    const bool teams = Team_Internet_Client_Refresh();
    // The balance the menu's header shows is the server's: a client books
    // nothing itself, so its account is mirrored (call 1025) before it shows.
    const bool konto = Bank_Internet_Client_Get_Kredite(Team_Aktiv);
    if (!spieler || !teams || !konto)
        Debug_Printf("Menue_Client_Aktualisieren: Spieler %d, Teams %d, Konto %d\n", spieler, teams, konto);
    return spieler && teams && konto;
}

void Menue_Video_Freigabe_Vormerken(Bnk_Video* v) {
    if (!v) return;
    if (std::find(vorgemerkt.begin(), vorgemerkt.end(), v) != vorgemerkt.end()) return;
    for (Bnk_Video*& p : vorgemerkt)
        if (!p) {
            p = v;
            return;
        }
    Debug_Printf("Menue_Video_Freigabe_Vormerken: kein Platz, Video sofort freigegeben\n");
    Bnk_RelV(v);
}

void Menue_Videos_Vorgemerkt_Freigeben() {
    for (Bnk_Video*& p : vorgemerkt)
        if (p) {
            Bnk_Video* v = p;
            p = nullptr;
            if (v->nummer >= 0) Bnk_RelV(v);  // not let go by another way meanwhile
        }
}

void Menue_Videos_Stoppen() {
    vorgemerkt.fill(nullptr);
    Menue_Hintergrund_Video(0, 1);
    Bnk_Alle_Freigeben(Menue_Hintergrund_Clip());
}

void Menue_Leer(Screen_Icon*, u32) {}
