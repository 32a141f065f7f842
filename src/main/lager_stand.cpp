// The running training camp in the save game (see lager_stand.h).
#include "main/lager_stand.h"

#include <optional>

#include "base/random.h"
#include "base/tools.h"
#include "screens/screens.h"
#include "screens/training/lager.h"
#include "season/kalender.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

// The course's fields, in their order on disk: the camp, the squad and its
// start values, the three bars, the steps played, the messages. The clock
// of the last step and the messages' times are this machine's and start
// anew when the camp runs on.
template <class V, class L>
void lauf_felder(V& v, L& l) {
    v(l.lager), v(l.anzahl), v(l.kader), v(l.start);
    for (auto& b : l.balken) v(b.position), v(b.stufe), v(b.stufen), v(b.ziel), v(b.halten), v(b.zustand), v(b.halt_beginn);
    v(l.schritt), v(l.letzter_anstieg);
    for (auto& m : l.meldung) {
        u8 gezeigt = m.gezeigt ? 1 : 0;
        v(m.spieler), v(m.art), v(m.wert), v(gezeigt);
        m.gezeigt = gezeigt != 0;
    }
}

struct Gespeichert {
    i32 team = -1;
    i32 tag = 0;  // the calendar's day the camp ran on
    Lager_Lauf lauf;
};

std::optional<Gespeichert> gelesen;  // staged by the load
std::optional<Gespeichert> wartend;  // loaded, waiting for its manager

bool laeuft(const Lager_Lauf& l) { return l.lager >= 0 && !l.beendet && Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF); }

// A course that holds together: a camp of the table, a squad of at most 20,
// every bar inside its stages.
bool stimmig(const Gespeichert& g) {
    const Lager_Lauf& l = g.lauf;
    if (g.team < 0 || l.lager < 0 || l.lager >= TRAININGSLAGER_ANZAHL || l.anzahl < 0 || l.anzahl > 20) return false;
    for (i32 i = 0; i < l.anzahl; ++i)
        if (l.kader[i] < 0) return false;
    for (const Lager_Balken& b : l.balken)
        if (b.stufe < -1 || b.stufe >= LAUF_STUFEN || b.stufen < 0 || b.stufen > LAUF_STUFEN) return false;
    for (const Lager_Meldung& m : l.meldung)
        if (m.art < 0 || m.art > 3) return false;
    return true;
}

}  // namespace

void Lager_Stand_Schreiben(bytes::Schreiber& s) {
    Lager_Lauf l = Trainings_Lager_Lauf();
    if (!laeuft(l)) {
        s(u8{0});
        return;
    }
    s(u8{1});
    s(Team_Aktiv);
    s(static_cast<i32>(Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0));
    lauf_felder(s, l);
}

bool Lager_Stand_Lesen(bytes::Leser& l) {
    gelesen.reset();
    u8 da = 0;
    l(da);
    if (l.fehler || da > 1) return false;
    if (!da) return true;
    Gespeichert g;
    l(g.team), l(g.tag);
    lauf_felder(l, g.lauf);
    if (l.fehler || !stimmig(g)) return false;
    gelesen = g;
    return true;
}

void Lager_Stand_Uebernehmen() {
    wartend = gelesen;
    gelesen.reset();
}

void Lager_Stand_Verwerfen() { gelesen.reset(); }

bool Lager_Stand_Wartet() { return wartend.has_value(); }

void Lager_Stand_Fortsetzen() {
    if (!wartend) return;
    // A camp whose day has passed without its manager (another game begun,
    // the day played on by the others) is over: it never runs on.
    const i32 heute = Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0;
    if (wartend->tag != heute) wartend.reset();
    if (!wartend || wartend->team != Team_Aktiv) return;
    const Gespeichert g = *wartend;
    wartend.reset();
    // A squad member that left the world meanwhile (another world loaded)
    // ends the camp's return: nothing of it runs on.
    for (i32 i = 0; i < g.lauf.anzahl; ++i)
        if (g.lauf.kader[i] >= Spieler_Anzahl) return;
    // The run's screen opens as a new camp's does; its course is then the
    // saved one, and the shared table stands where the save left it (the
    // opening's own draws for new bars are taken back).
    const u32 cursor = Rnd_Get_Index();
    Screen_Oeffnen_Fuer(Screen_Id::TRAININGSLAGER_LAUF, {.lager = g.lauf.lager});
    if (!Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF)) return;
    Lager_Lauf& l = Trainings_Lager_Lauf();
    const u32 jetzt = W32_Get_Time();
    l = g.lauf;
    l.letzter_takt = jetzt;
    for (Lager_Meldung& m : l.meldung) m.zeit = jetzt;
    Rnd_Set_Index(static_cast<i32>(cursor), 0);
}
