// The live match view: view slots, the frame's run, keeping the views in step
// with the list of shown matches, the focus click and the layout.
#include "screens/live_view/spielansicht.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <vector>


#include "base/debug.h"
#include "base/tools.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/menue.h"
#include "gui/menue_spiel.h"
#include "platform/input.h"
#include "screens/live_view/boden.h"
#include "screens/live_view/kommentar.h"
#include "screens/live_view/kopfzeile.h"
#include "screens/live_view/projektion.h"
#include "screens/live_view/stadion_ton.h"
#include "season/kalender.h"
#include "world/welt.h"

namespace {

Spielansicht_View views[SA_VIEWS];

// 0 start pending, 2 starting (stays 2 after a failed start), 1 running.
u32 laufzustand = 0;
// 1 while a mouse press belongs to a menu icon or was used by a view.
u32 maus_genommen = 0;
// 0 home, 1 away: the side of the focused match the line-up screen shows.
u32 seite_gezeigt = 0;
u32 letzte_tasten = 0;
bool geladen = false;
u32 bilder_stand = 0;  // the archives' count the view's pictures come from

constexpr i32 ECKE_X[4] = {0, 400, 0, 400};
constexpr i32 ECKE_Y[4] = {0, 0, 282, 282};

// The layouts a number of shown matches starts with.
void layouts_setzen(int anzahl) {
    static constexpr u32 TABELLE[4][4] = {{SA_VOLL, 0, 0, 0},
                                          {SA_HALB, SA_HALB, 0, 0},
                                          {SA_HALB, SA_VIERTEL, SA_VIERTEL, 0},
                                          {SA_VIERTEL, SA_VIERTEL, SA_VIERTEL, SA_VIERTEL}};
    if (anzahl < 1 || anzahl > SA_VIEWS) return;
    for (int i = 0; i < anzahl; ++i) views[i].layout = TABELLE[anzahl - 1][i];
}

bool gezeigt(const Spielansicht_View& v) { return v.present && v.pitch; }

// A slot as clearing leaves it: no pitch, no pictures, nothing scattered or built.
bool leer(const Spielansicht_View& v) {
    return !v.pitch && !v.present && !v.active && !v.focus && !v.bild && !v.kopf_gross && !v.kopf_klein &&
           v.layout == SA_VOLL && !v.wetter_gestartet && !v.banden_bereit && v.zuschauer_anzahl == 0 &&
           v.ticker[0] == 0 && v.kommentar[0] == 0;
}

void team_waehlen(const Spielansicht_View& v, u32 seite) {
    Menue_Spiel_Team_Waehlen(v.pitch, static_cast<i32>(v.pitch->team[seite]));
    Spielansicht_Kopfzeilen_Namen();
}

void bilder_freigeben(Spielansicht_View& v) {
    v.bild.reset();
    Spielansicht_Kopfzeilen_Free(&v);
}

// The replay of the shown match: its ring of recorded positions played
// from the oldest frame to the newest at the pace they were recorded (one
// frame every second match tick), while the match itself waits. At the
// newest frame the replay ends and the match goes on.
struct Wiederholung {
    Spielfeld_Daten* sf = nullptr;  // the match being replayed
    int zurueck = -1;               // the ring frame shown, counted back from the newest
    u32 zeit = 0;                   // when it was first shown
    f32 echt[SF_REPLAY_OBJEKTE][3] = {};  // the live positions, put back after drawing
} wh;

// True when the view shows its match's replay this frame: the ring frame's
// positions stand in the objects until wiederholung_ende.
bool wiederholung_beginn(Spielansicht_View& v, const Spielfeld_Steuerung* st) {
    Spielfeld_Daten* gezeigt[SF_MAX_ANZEIGE] = {};
    const bool laeuft = Spielfeld_Replay_Laeuft() && Spielfeld_Anzeigeliste(gezeigt) > 0 && gezeigt[0] == v.pitch;
    if (!laeuft) {
        if (wh.sf == v.pitch) wh = {};
        return false;
    }
    Spielfeld_Daten& sf = *v.pitch;
    const u32 jetzt = W32_Get_Time();
    if (wh.sf != &sf) wh.sf = &sf, wh.zurueck = sf.replay_anzahl - 1, wh.zeit = jetzt;
    // One ring frame per two match ticks of the match's own period.
    const u32 schritt = 2 * static_cast<u32>(std::max(st ? st->periode_ms : 0, 20));
    while (wh.zurueck >= 0 && jetzt - wh.zeit >= schritt) --wh.zurueck, wh.zeit += schritt;
    i16 bild[SF_REPLAY_OBJEKTE][3];
    if (wh.zurueck < 0 || !Spielfeld_Replay_Bild(&sf, wh.zurueck, bild)) {
        Spielfeld_Replay_Stop(0);
        wh = {};
        return false;
    }
    for (int i = 0; i < SF_REPLAY_OBJEKTE; ++i) {
        Spielfeld_Objekt& o = sf.objekt[i];
        wh.echt[i][0] = o.x, wh.echt[i][1] = o.y, wh.echt[i][2] = o.z;
        o.x = bild[i][0], o.y = bild[i][1], o.z = bild[i][2];
    }
    return true;
}

void wiederholung_ende(Spielansicht_View& v) {
    for (int i = 0; i < SF_REPLAY_OBJEKTE; ++i) {
        Spielfeld_Objekt& o = v.pitch->objekt[i];
        o.x = wh.echt[i][0], o.y = wh.echt[i][1], o.z = wh.echt[i][2];
    }
}

// The games of the live session whose shoot-out was reported.
std::vector<u32> schiessen_gemeldet;

}  // namespace

Spielansicht_View* Spielansicht_Views() { return views; }
u32 Spielansicht_Laufzustand() { return laufzustand; }

// ---------------------------------------------------------------------------
// The frame.

bool Spielansicht_Run(Spielfeld_Daten** liste, int anzahl, const Spielfeld_Steuerung* st, u8 kamera_fest) {
    if (!liste || anzahl < 0) anzahl = 0;
    if (anzahl > SA_VIEWS) anzahl = SA_VIEWS;
    if (laufzustand == 0) {
        schiessen_gemeldet.clear();
        laufzustand = 2;
        if (!Spielansicht_Init()) return false;
        Spielansicht_Alle_Leeren();
        for (int i = 0; i < anzahl; ++i) views[i].pitch = liste[i];
        layouts_setzen(anzahl);
        spielansicht::Boden_Vorab(anzahl);
        laufzustand = 1;
        // One line a shown match (KORDAVO_DEBUG): what a watching script
        // or a tester reads of the view without looking at the picture.
        for (int i = 0; i < anzahl; ++i)
            if (liste[i]) Debug_Printf("Live-Ansicht: Tag %d, Team %u - Team %u", static_cast<int>(Kalender_Get_Tag()),
                             liste[i]->team[0], liste[i]->team[1]);
        return false;
    }
    if (laufzustand != 1) return false;

    if (Menue_Get_Aktives_Icon()) maus_genommen = 1;
    else if (W32_Get_Mouse_Buttons() == 0) maus_genommen = 0;
    Spielansicht_Liste_Abgleichen(liste, anzahl);
    // A shown match's shoot-out once (KORDAVO_DEBUG), as its first kick is set up.
    for (const Spielansicht_View& v : views)
        if (v.present && v.pitch &&
            (v.pitch->situation == SIT_SCHIESSEN || v.pitch->seite[0].elfer_schuesse + v.pitch->seite[1].elfer_schuesse > 0) &&
            std::find(schiessen_gemeldet.begin(), schiessen_gemeldet.end(), v.pitch->spiel) == schiessen_gemeldet.end()) {
            schiessen_gemeldet.push_back(v.pitch->spiel);
            Debug_Printf("Live-Ansicht: Elfmeterschießen, Team %u - Team %u", v.pitch->team[0], v.pitch->team[1]);
        }
    if (!maus_genommen) Spielansicht_Klick();
    Spielansicht_Layout();

    bool gezeichnet = false;
    const Spielansicht_View* letzter = nullptr;
    for (const Spielansicht_View& v : views)
        if (v.active && v.pitch) letzter = &v;
    for (Spielansicht_View& v : views) {
        if (!v.active || !v.pitch) continue;
        const bool wiederholung = wiederholung_beginn(v, st);
        if (st) Spielansicht_Kamera(&v, v.pitch, st, kamera_fest);
        Spielansicht_Hintergrund(&v);
        Spielansicht_Zuschauer(&v);
        Spielansicht_Banden(&v, 1);
        Spielansicht_Zeichnen(&v, st, kamera_fest);
        Spielansicht_Banden(&v, 2);
        if (wiederholung) wiederholung_ende(v);
        Spielansicht_Wetter(&v, v.pitch->regen_staerke, v.pitch->regen_art);
        // The bottom bar is copied whole: the last view's copy covers the
        // others', so only it is drawn.
        if (&v == letzter) Spielansicht_Leiste();
        Spielansicht_Kopfzeile(&v);
        Spielansicht_Rahmen(&v);
        if (Spielansicht_Kommentar(&v)) Spielansicht_Ticker_Zeile(&v, v.kommentar);
        if (v.focus) Spielansicht_Sound_Stimmung(v.pitch);
        Spielansicht_Ticker_Zeichnen(Screen_Rastport, &v);
        gezeichnet = true;
    }
    return gezeichnet;
}

void Spielansicht_Liste_Abgleichen(Spielfeld_Daten** liste, int anzahl) {
    if (!liste || anzahl < 0) anzahl = 0;
    if (anzahl > SA_VIEWS) anzahl = SA_VIEWS;
    // Compared with the list's pitch records (an empty entry stays an empty
    // slot), so an empty entry does not rebuild every view every frame.
    int belegt = 0, eintraege = 0;
    for (const Spielansicht_View& v : views)
        if (v.pitch) ++belegt;
    for (int i = 0; i < anzahl; ++i)
        if (liste[i]) ++eintraege;
    const bool anders = belegt != eintraege;
    if (anders) layouts_setzen(anzahl);
    for (int s = 0; s < SA_VIEWS; ++s) {
        Spielansicht_View& v = views[s];
        u32 fokus = v.focus;
        if (s < anzahl) {
            if (v.pitch != liste[s] || anders) {
                const u32 layout = v.layout;
                Spielansicht_View_Leeren(&v);
                v.layout = layout;
                v.pitch = liste[s];
            }
        } else {
            // A slot left empty since it was last cleared is cleared no more:
            // clearing writes the whole record (crowd, particles, colour
            // tables) and no one writes to an empty slot.
            if (!leer(v)) Spielansicht_View_Leeren(&v);
            fokus = 0;
        }
        if (v.pitch && !v.present) {
            // A view whose pictures cannot be made keeps only its pitch and
            // layout and is tried again on the next frame, alone: the others
            // are not rebuilt for it.
            Spielfeld_Daten* sf = v.pitch;
            const u32 layout = v.layout;
            sf->kamera_schritte = 50;  // a new view settles on its first frame
            if (!Spielansicht_View_Init(&v, sf, layout)) {
                Spielansicht_View_Leeren(&v);
                v.pitch = sf;
                v.layout = layout;
            }
        }
        v.focus = fokus;
    }
}

void Spielansicht_Klick() {
    const u32 tasten = Maus_Get_Tasten();
    for (Spielansicht_View& v : views) {
        if (!v.active || !v.pitch || letzte_tasten == MAUS_LINKS || tasten != MAUS_LINKS ||
            !Maus_In_Rechteck(v.screen_x, v.screen_y, v.breite, v.hoehe))
            continue;
        for (Spielansicht_View& andere : views) andere.focus = 0;
        v.focus = 1;
        seite_gezeigt ^= 1;
        team_waehlen(v, seite_gezeigt);
        maus_genommen = 1;
        break;
    }
    letzte_tasten = tasten;
}

void Spielansicht_Layout() {
    bool schon_fokus = false;
    int anzahl = 0;
    for (Spielansicht_View& v : views) {
        if (!gezeigt(v)) {
            v.active = 0;
            v.focus = 0;
            continue;
        }
        ++anzahl;
        if (v.focus) {
            if (schon_fokus) v.focus = 0;
            schon_fokus = true;
        }
    }
    // A full view only for a single match.
    if (anzahl == 1) {
        if (views[0].layout != SA_VOLL) Spielansicht_Set_Layout(&views[0], SA_VOLL);
    } else if (anzahl > 1 && views[0].layout == SA_VOLL) {
        Spielansicht_Set_Layout(&views[0], anzahl == 4 ? SA_VIERTEL : SA_HALB);
    }

    int q = 0;
    for (int s = 0; s < SA_VIEWS; ++s) {
        Spielansicht_View& v = views[s];
        if (!gezeigt(v)) continue;
        if (q >= 4) {
            v.active = 0;  // no room left: not drawn, not clickable
            continue;
        }
        v.active = 1;
        if (!schon_fokus) {
            v.focus = 1;
            schon_fokus = true;
            team_waehlen(v, 0);
        }
        // A half view cannot start in the right column.
        if (v.layout == SA_HALB && (q == 1 || q == 3)) {
            v.layout = SA_VIERTEL;
            if (anzahl < 4 && s + 1 < SA_VIEWS && gezeigt(views[s + 1]) && views[s + 1].layout == SA_VIERTEL)
                views[s + 1].layout = SA_HALB;
        }
        v.screen_x = ECKE_X[q];
        v.screen_y = ECKE_Y[q];
        switch (v.layout) {
            case SA_VOLL: v.breite = SA_VOLL_W, v.hoehe = SA_VOLL_H, q += 4; break;
            case SA_HALB: v.breite = SA_HALB_W, v.hoehe = SA_HALB_H, q += 2; break;
            default: v.breite = SA_VIERTEL_W, v.hoehe = SA_VIERTEL_H, q += 1; break;
        }
        if (q > 4) v.active = 0;  // it does not fit
    }
}

// ---------------------------------------------------------------------------
// Queries.

Spielfeld_Daten* Spielansicht_Get_Spielfeld() {
    for (int s = 1; s < SA_VIEWS; ++s)
        if (gezeigt(views[s]) && views[s].focus) return views[s].pitch;
    return gezeigt(views[0]) ? views[0].pitch : nullptr;
}

void Spielansicht_Spielfeld_Update(const Spielfeld_Daten* alt, Spielfeld_Daten* neu) {
    if (!alt) return;
    for (Spielansicht_View& v : views)
        if (v.present && v.pitch == alt) v.pitch = neu;
}

Spielansicht_View* Spielansicht_Suchen(const Spielfeld_Daten* sf) {
    if (!sf) return nullptr;
    Spielansicht_View* gefunden = nullptr;
    for (Spielansicht_View& v : views)
        if (v.pitch == sf) gefunden = &v;
    return gefunden;
}

// ---------------------------------------------------------------------------
// Building and clearing a view.

void Spielansicht_Set_Layout(Spielansicht_View* v, u32 layout) {
    if (!v) return;
    const bool war_voll = v->layout == SA_VOLL;
    v->layout = layout % 3;
    // A full view uses the full-scale picture, half and quarter views the
    // half-scale one. A view whose picture cannot be rebuilt is built anew.
    if (war_voll != (v->layout == SA_VOLL) && v->present && !Spielansicht_Bild_Neu(v)) v->present = 0;
}

bool Spielansicht_View_Init(Spielansicht_View* v, Spielfeld_Daten* sf, u32 layout) {
    if (!v) return false;
    Spielansicht_View_Leeren(v);
    v->pitch = sf;
    v->layout = layout % 3;
    if (!sf || !Spielansicht_Bild_Neu(v)) return false;
    Spielansicht_Kopfzeilen_Bauen(v);
    Spielansicht_Farben_Bauen(v);
    Spielansicht_Zuschauer_Bauen(v);
    v->present = 1;
    return true;
}

void Spielansicht_View_Leeren(Spielansicht_View* v) {
    if (!v) return;
    bilder_freigeben(*v);
    *v = Spielansicht_View{};
}

void Spielansicht_Alle_Leeren() {
    for (Spielansicht_View& v : views)
        if (v.pitch) Spielansicht_View_Leeren(&v);
}

i32 Spielansicht_View_Free(Spielansicht_View* v) {
    Spielansicht_View_Leeren(v);
    return 1;
}

void Spielansicht_Views_Free() {
    for (Spielansicht_View& v : views) Spielansicht_View_Free(&v);
}

bool Spielansicht_Init() {
    if (geladen) {
        // The goals page after a match silences the stadium while the view's
        // pictures stay loaded: a view starting again brings its sounds
        // back (without them it still shows its match).
        if (Spielansicht_Sound_Set() < 0) Spielansicht_Sound_Starten();
        return true;
    }
    // The figures, the pictures and the stadium sounds are needed; a start
    // that misses one frees everything it loaded. Without the crowd's sets
    // the stands stay empty. The pictures (the boards' logos, the shirt
    // numbers, the score heads) stay from the match before while the
    // archives are the same.
    // (The small pictures of the figures drop those of an older state
    // themselves: a stock loaded ahead of the kick-off stays.)
    if (bilder_stand != Resf_Stand()) {
        Spielansicht_Bilder_Free();
        bilder_stand = Resf_Stand();
    }
    geladen = Spielansicht_Animsets_Laden() && Spielansicht_Bilder_Laden() && Spielansicht_Sprites_Laden() &&
              Spielansicht_Sound_Starten();
    if (!geladen) {
        Spielansicht_Sound_Beenden();
        Spielansicht_Animsets_Free();
        Spielansicht_Bilder_Free();
        Spielansicht_Sprites_Free();
        return false;
    }
    Spielansicht_Anim_Laden();
    return true;
}

void Spielansicht_Free() {
    Spielansicht_Sound_Beenden();
    Spielansicht_Anim_Free();
    Spielansicht_Views_Free();
    // The ground pictures (stands, tunnel, lit grass, the built grounds) go
    // with the live view: a matchday's grounds are a few of many, and the
    // next kick-off has its own made on the workers.
    spielansicht::Boden_Freigeben();
    Spielansicht_Uhren_Leeren();
    geladen = false;
    // A new start begins afresh: the mouse free, the home side shown.
    laufzustand = 0;
    maus_genommen = 0;
    letzte_tasten = 0;
    seite_gezeigt = 0;
}
