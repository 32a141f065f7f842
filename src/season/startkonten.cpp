// The bank accounts of a new game (see startkonten.h).
#include "season/startkonten.h"

#include <algorithm>
#include <cmath>

#include "season/welt_tag.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr i64 BETRAG[5] = {6000000, 4500000, 3000000, 2500000, 2000000};
constexpr i32 STANDARD = 2;
constexpr i64 AUFSCHLAG = 500000, RUNDUNG = 100000;

}  // namespace

i64 Startkonto_Betrag(i32 schwierigkeit, i32 liga_prozent) {
    const i32 s = schwierigkeit >= 0 && schwierigkeit < 5 ? schwierigkeit : STANDARD;
    const i64 b = BETRAG[s] * std::clamp(liga_prozent, 0, 100) / 100;
    return (b + AUFSCHLAG) / RUNDUNG * RUNDUNG;
}

i64 Startkonto_Computerclub(i32 liga_prozent, f64 groesse) {
    const f64 g = std::isfinite(groesse) ? std::clamp(groesse, STARTKONTO_GROESSE_MIN, STARTKONTO_GROESSE_MAX) : 1.0;
    const i64 b = static_cast<i64>(static_cast<f64>(Startkonto_Betrag(STANDARD, liga_prozent)) * g);
    return b / RUNDUNG * RUNDUNG;
}

void Startkonten_Eroeffnen() {
    if (!Team_Daten) return;
    // The clubs' sizes in their leagues, taken once for all of them.
    const Welt_Tag_Ligen ligen = Welt_Tag_Ligen_Erfassen();
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        if (!Team_Ist_Verein(t) || Bank_Konto_Offen(t)) continue;
        const i32 prozent = Wettbewerb_Get_Liga_Prozent(t);
        const i64 betrag = Team_Hat_Manager(t) ? Startkonto_Betrag(Schwierigkeit, prozent)
                                               : Startkonto_Computerclub(prozent, ligen.Groesse(t));
        Bank_Konto_Anlegen(t, static_cast<f64>(betrag), 0);
    }
}
