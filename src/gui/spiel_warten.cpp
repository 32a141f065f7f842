// The frame shown while a match of a manager at this machine is played: the
// live view of the shown matches, or without one the match's overview,
// under the control bar.
#include "base/globals.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/spielfeld_uebersicht.h"
#include "match/spielfeld.h"
#include "platform/input.h"
#include "season/kalender_zug.h"
#include "season/spiele.h"
#include "matchday/spieltag.h"
#include "matchday/spieltag_netz.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

bool laeuft(const Spieltag_Slot& r) {
    return r.status == ST_LAEUFT || r.status == ST_PAUSE || r.status == ST_ELFMETER || r.status == ST_ANGEPFIFFEN ||
           r.status == ST_BEENDET;
}

void bild_zeichnen(Screen_Icon*, Rastport* rp, i32, i32) {
    // The live view shows the matches the matchday put on display (up to
    // four); once none is left it is switched off and its pictures freed.
    Spielfeld_Daten* gezeigt[SF_MAX_ANZEIGE];
    if (Spielfeld_Anzeigeliste(gezeigt) > 0) {
        Spielfeld_Anzeige_An();
        if (Spielfeld_Anzeige_Refresh()) return;
    } else {
        Spielfeld_Anzeige_Aus();
    }
    const Spielfeld_Daten* sf = Menue_Laufendes_Spiel();
    // Between two matches (or before the pictures load) the screen stays calm.
    if (!sf || !Spieltag_Blit_Spielfeld(*sf, rp, Maus_Get_X(), Maus_Get_Y())) Blt_Rechteck(rp, 0, 0, 800, 600, FARBE_NAVY);
}

const Screen_Icon* tabelle() {
    static const Screen_Icon t[] = {
        [] {
            Screen_Icon i;
            i.nummer = ICON_SPIEL_BILD, i.grafik = MENUE_KEINE_GRAFIK, i.x = 0, i.y = 0, i.w = 800, i.h = 600;
            i.ebene = 0;
            i.flags = MENUE_F_NICHT_ABFRAGEN;
            i.status = MENUE_S_TRANSPARENT;
            i.zeichnen = bild_zeichnen;
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

Spielfeld_Daten* Menue_Laufendes_Spiel() {
    Spielfeld_Daten* anderes = nullptr;
    for (const Spieltag_Slot& r : Spieltag_Slots()) {
        if (r.spiel <= 0 || !laeuft(r)) continue;
        const Spiel* s = Spiele_Get_Spiel(r.spiel, true);
        if (!s) continue;
        Spielfeld_Daten* sf = Spielfeld_Zeiger(Spieltag_Spielfeld_Nummer(r));
        if (!sf) continue;
        if (s->team_a == Team_Aktiv || s->team_b == Team_Aktiv) return sf;
        // Another manager's match, when he sits at this machine: a network
        // client's club's match is shown at the client's, not here.
        const auto hier = [](i32 t) { return Team_Hat_Manager(t) && !Kalender_Team_Online_Woanders(t); };
        if (!anderes && (hier(s->team_a) || hier(s->team_b))) anderes = sf;
    }
    return anderes;
}

void Menue_Spiel_Warten() {
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIEL_BILD)) {
        Menue_Kontrollleiste_Zeigen();
        Menue_Screen_Icon_Tabelle_Hinzufuegen(tabelle());
    }
    Menue_Tick();
}
