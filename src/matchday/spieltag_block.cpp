// The matchday's save block: the rows and shoot-outs, read whole and checked
// before the loaded table takes over.
#include "matchday/spieltag.h"


#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "match/spielfeld.h"
#include "matchday/nachspiel.h"
#include "matchday/spieltag_intern.h"
#include "matchday/spieltag_netz.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

// --- save block ---------------------------------------------------------------------------

namespace spieltag_intern {

// A loaded block waits here until every block of the save game was read.
struct Staging {
    bool da = false;
    bool initialisiert = false;
    std::vector<Spieltag_Slot> slots;
    std::vector<Elfmeter_Eintrag> elfmeter;
};
Staging staging;

constexpr u32 SPIELTAG_BLOCK_MAX = 64u * 1024u * 1024u;

template <class V>
void block_felder(V& v, u8& an, std::vector<Spieltag_Slot>& slots, std::vector<Elfmeter_Eintrag>& elfmeter,
                  i32& tempo) {
    v(an);
    if (an) v(slots), v(elfmeter), v(tempo);
}

bool zeile_gueltig(const Spieltag_Slot& r) {
    switch (r.status) {
        case ST_WARTET:
        case ST_ANGEPFIFFEN:
        case ST_LAEUFT:
        case ST_PAUSE:
        case ST_BEENDET:
        case ST_FERTIG:
        case ST_ELFMETER: break;
        default: return false;
    }
    return r.spiel > 0 && r.spiel <= SPIELE_LOCKS && r.halbzeit >= 0 && r.halbzeit < 16 && r.bereit[0] >= 0 &&
           r.bereit[0] <= 2 && r.bereit[1] >= 0 && r.bereit[1] <= 2;
}

bool spieltag_lesen(Datei_Status* datei) {
    staging = Staging{};
    if (Datei_Groesse(datei) == 0) {
        // A save game from before the matchday existed: no match was running.
        staging.da = staging.initialisiert = true;
        return true;
    }
    u32 n = 0;
    if (!Datei_Lesen_Felder(datei, 4, [&](bytes::Leser& l) { l(n); })) return false;
    if (n == 0 || n > SPIELTAG_BLOCK_MAX) return false;
    u8 an = 0;
    i32 tempo = 0;
    Staging neu;
    if (!Datei_Lesen_Felder(datei, n, [&](bytes::Leser& l) { block_felder(l, an, neu.slots, neu.elfmeter, tempo); }))
        return false;
    // One row per game, every row sound, every shoot-out on a row in its shoot-out.
    std::vector<i16> spiele;
    for (const auto& r : neu.slots) {
        if (!zeile_gueltig(r) || std::find(spiele.begin(), spiele.end(), r.spiel) != spiele.end()) return false;
        spiele.push_back(r.spiel);
    }
    for (const auto& e : neu.elfmeter) {
        auto it = std::find_if(neu.slots.begin(), neu.slots.end(), [&](auto& r) { return r.spiel == e.spiel; });
        if (it == neu.slots.end() || e.e.anzahl[0] < 1 || e.e.anzahl[0] > 11 || e.e.anzahl[1] < 1 ||
            e.e.anzahl[1] > 11 || e.e.seite < 0 || e.e.seite > 1 || e.e.naechster[0] < 0 ||
            e.e.naechster[0] >= e.e.anzahl[0] || e.e.naechster[1] < 0 || e.e.naechster[1] >= e.e.anzahl[1])
            return false;
    }
    if (an && tempo != static_cast<i32>(GESCHWINDIGKEIT)) return false;
    neu.initialisiert = an != 0;
    neu.da = true;
    staging = std::move(neu);
    return true;
}

// The loaded rows take over; their fixture locks came with the fixture block.
void spieltag_uebernehmen() {
    ++zeilen_stand;
    if (!staging.da) return;
    z.slots = std::move(staging.slots);
    z.elfmeter = std::move(staging.elfmeter);
    z.initialisiert = staging.initialisiert;
    z.schrittzaehler = GESCHWINDIGKEIT;
    staging = Staging{};
}

void spieltag_verwerfen() { staging = Staging{}; }

}  // namespace spieltag_intern

using namespace spieltag_intern;

bool Spieltag_Save(Datei_Status* datei) {
    u8 an = z.initialisiert ? 1 : 0;
    i32 tempo = static_cast<i32>(GESCHWINDIGKEIT);
    std::vector<u8> b;
    bytes::Schreiber s{b};
    block_felder(s, an, z.slots, z.elfmeter, tempo);
    const u32 n = static_cast<u32>(b.size());
    std::vector<u8> kopf;
    bytes::Schreiber{kopf}(n);
    return Datei_Schreiben(datei, kopf.data(), 4) && Datei_Schreiben(datei, b.data(), n);
}

bool Spieltag_Load(Datei_Status* datei) {
    if (!spieltag_lesen(datei)) {
        spieltag_verwerfen();
        return false;
    }
    spieltag_uebernehmen();
    return true;
}
