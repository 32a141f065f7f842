#include "net/schema.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

Netz_Teil E(u8 element, u32 breite) { return {.element = element, .breite = breite}; }
Netz_Teil V(u8 element, u32 einheit, u8 zaehler = 0, u32 teiler = 1) {
    return {.element = element, .breite = 0, .einheit = einheit, .zaehler = zaehler, .teiler = teiler};
}
// A vector argument whose count is the first word of its array.
Netz_Teil A(u8 element, u32 einheit) {
    return {.element = element, .breite = 0, .einheit = einheit, .mit_anzahl = true};
}
Netz_Teil K(u32 wert, u32 breite) { return {.element = Netz_Teil::KONSTANT, .breite = breite, .wert = wert}; }
Netz_Teil L(u32 breite) { return {.element = Netz_Teil::LEER, .breite = breite}; }

using T = std::vector<Netz_Teil>;

// Calls and blocks whose rows the world registers: the mapping of their
// typed declaration onto the wire. The other rows are served by the season
// and the match engine as they arrive; until then they are refused with
// another types string and answered without a row.
std::vector<Netz_Schema> tabelle_bauen() {
    std::vector<Netz_Schema> t = {
        // Blocks.
        {0, "SPIELER", "iV<=0iiii", 0, 0, false, 0, T{E(2, 4), E(3, 4), E(4, 4)}, T{V(1, 1)}},
        {1, "SPIELER_CLIENT_SEND", "vV>3520", 0, 0, false, 0, T{E(1, 3520)}, T{}},
        {2, "SPIELER_STARTINFO", "vI4", 0, 0, true, 0, T{}, T{E(1, 4)}},
        {4, "CS_SPIELER_TAUSCH_OKAY", "viiiiiI4", 0, 0, false, 0, T{E(1, 4), E(2, 4), E(3, 4), E(4, 4), E(5, 4)},
         T{E(6, 4)}},
        {10, "TEAM_T", "vV<52i", 0, 0, false, 0, T{E(2, 4)}, T{E(1, 52)}},
        {11, "TEAM_T_FIX", "vV<116i", 0, 0, false, 0, T{E(2, 4)}, T{E(1, 116)}},
        {12, "TEAM_T_OWN", "vW2V<768i", 0, 0, false, 0, T{E(3, 4)}, T{E(1, 2), E(2, 768)}},
        {13, "TEAM_T_BLOCK", "vV<%d", 52, 52 * 1000, false, 0, T{}, T{V(1, 52)}},
        {14, "TEAM_T_FIX_BLOCK", "vV<%d", 116, 116 * 1000, false, 0, T{}, T{V(1, 116)}},
        {15, "TEAM_CLIENT_SEND", "vV>768cc", 0, 0, false, 0, T{E(1, 768), E(2, 1), E(3, 1)}, T{}},
        {16, "TEAM_STARTINFO", "vI4I4I4W4W4", 0, 0, true, 0, T{}, T{E(1, 4), E(2, 4), E(3, 4), E(4, 2), E(5, 2)}},
        {17, "TEAM_STARTTEAMS", "vC<80000I<4", 0, 0, true, 0, T{}, T{V(1, 1, 2, 80)}},
        {18, "CS_TEAM_SPIELERBLOCK", "iV<=0ii", 0, 0, false, 0, T{E(2, 4), E(3, 4)}, T{V(1, 1)}},
        {19, "CS_TEAM_SET_USER_ACTIVE", "viiC>36i", 0, 0, true, 1, T{E(1, 4), E(2, 4), E(3, 36), E(4, 4)}, T{}},
        {30, "MANAGER_DATEN", "vV<176V<8V<3", 0, 0, false, 0, T{}, T{E(1, 176), E(2, 8), E(3, 3)}},
        {31, "MANAGER_STARTINFO_1", "vI4I4", 0, 0, true, 0, T{}, T{E(1, 4), E(2, 4)}},
        {32, "MANAGER_STARTINFO_2", "viC<1C<36", 0, 0, true, 0, T{E(1, 4)}, T{E(2, 1), E(3, 36)}},
        {33, "MANAGER_CLIENT_SEND", "vV>176V>8V>3", 0, 0, false, 0, T{E(1, 176), E(2, 8), E(3, 3)}, T{}},
        // Block 34 takes its direction from the array's flag: '>' stores, '<' fetches.
        {34, "CS_MANAGER_ICON_STATUS", "vV>33616", 0, 0, false, 0, T{K(1, 1), E(1, 33616)}, T{E(1, 33616)}},
        {34, "CS_MANAGER_ICON_STATUS", "vV<33616", 0, 0, false, 0, T{K(0, 1), L(33616)}, T{E(1, 33616)}},
        // The arbiter's list travels empty; an entry is exactly one request record.
        {50, "CS_RICHTER_LISTE", "vV<=0", 0, 0, false, 0, T{}, T{V(1, 1)}},
        {52, "CS_RICHTER_LISTE_ELEMENT_NEU", "iC40ii", 0, 0, false, 0, T{E(1, 40), E(2, 4), E(3, 4)}, T{E(0, 4)}},
        // Calls.
        {1000, "KALENDER_SAISON", "iI<4I<4I<140", 0, 0, false, 0, T{}, T{E(1, 4), E(2, 4), E(3, 140)}},
        {1001, "KALENDER_DATUM", "iC000C<132C<4C<4C<4", 0, 0, false, 0, T{},
         T{V(1, 4), E(2, 132), E(3, 4), E(4, 4), E(5, 4)}},
        {1002, "KALENDER_KALENDER", "iC000C<7468C<4", 0, 0, false, 0, T{}, T{V(1, 4), V(2, 1), E(3, 4)}},
        {1003, "KALENDER_ZEITPLAN", "iC<4C<4", 0, 0, false, 0, T{}, T{}},
        {1004, "WETTBEWERB_INIT", "iC000I<4I<4", 0, 0, false, 0, T{}, T{V(1, 1), E(2, 4), E(3, 4)}},
        {1005, "WETTBEWERB_VOR_MENUE", "vC000", 0, 0, false, 0, T{}, T{V(1, 1)}},
        {1006, "SPIELE_LOCK_ADD", "iC000C<4iiii", 0, 0, false, 0, T{E(3, 4), E(4, 4), E(5, 4), E(6, 4)},
         T{V(1, 32), E(2, 4)}},
        {1007, "SPIELE_VOR_MENUE", "vI4I4", 0, 0, false, 0, T{}, T{E(1, 4), E(2, 4)}},
        {1009, "SPIELE_SPIELEREIGNIS", "vC<%dii", 9, 9 * 5000, false, 0, T{E(2, 4), E(3, 4)}, T{V(1, 1)}, 3},
        {1010, "SPIELE_TABELLE_BERECHNEN", "iC000iiiiciiciicciI4", 0, 0, false, 0,
         T{E(2, 4), E(3, 4), E(4, 4), E(5, 4), E(6, 1), E(7, 4), E(8, 4), E(9, 1), E(10, 4), E(11, 4), E(12, 1),
           E(13, 1), E(14, 4)},
         T{V(1, 1)}},
        {1011, "SPIELE_GET_SPIELSTAENDE", "iC<=0iiiiI<4", 0, 0, false, 0, T{E(2, 4), E(3, 4), E(4, 4), E(5, 4)},
         T{V(1, 1), E(6, 4)}},
        // 1012: the known ids, their count first (4 n + 4 bytes, n up to a full store).
        {1012, "NEWS_NEU", "iC<=0C<4C<4C%di", 4, 4 * 1501, false, 0, T{A(4, 4), E(5, 4)}, T{V(1, 1), E(2, 4), E(3, 4)},
         4, 4},
        // 1013: sender, recipients, flags, the data block and the text with its NUL.
        {1013, "NEWS_EINTRAGEN", "iiiiiC40C%d", 1, 4096, false, 0,
         T{E(1, 4), E(2, 4), E(3, 4), E(4, 4), E(5, 40), V(6, 1)}, T{E(0, 4)}, 0, 0, 6},
        {1014, "NEWS_LOESCHEN", "viiii", 0, 0, false, 0, T{E(1, 4), E(2, 4), E(3, 4), E(4, 4)}, T{}},
        {1015, "STADION_GET_STADION", "iC<=0i", 0, 0, false, 0, T{E(2, 4)}, T{V(1, 1)}},
        {1016, "STADION_SCHREIBE_WERTE", "viiiii", 0, 0, false, 0, T{E(1, 4), E(2, 4), E(3, 4), E(4, 4), E(5, 4)}, T{}},
        // 1018, 1019: the next class (team, the class it builds) and a renovation (team, comfort), answered
        // with the step's result.
        {1018, "STADION_NEUBAU", "cii", 0, 0, false, 0, T{E(1, 4), E(2, 4)}, T{E(0, 1)}},
        {1019, "STADION_RENOVIERUNG", "cii", 0, 0, false, 0, T{E(1, 4), E(2, 4)}, T{E(0, 1)}},
        // 1020: the result slot carries the count of ranked clubs.
        {1020, "HIGHSCORE_GET_HIGHSCORE", "iC<=0i", 0, 0, false, 0, T{E(2, 4)}, T{E(0, 4), V(1, 136)}},
        {1021, "WERBUNG_GET_WERBEFIRMEN", "cC<240", 0, 0, false, 0, T{}, T{}},
        {1022, "WERBUNG_VERTRAG_ABSCHLIESSEN", "ciiii", 0, 0, false, 0, T{E(1, 4), E(2, 4), E(3, 4), E(4, 4)},
         T{E(0, 4)}},
        // 1023: a team's advertising record (the result: 1 present, 0 none).
        {1023, "WERBUNG_SCHREIBE_WERTE", "iC<176iiiii", 0, 0, false, 0, T{E(2, 4)}, T{E(0, 1), E(1, 176)}},
        {1024, "BANK_GET_DATEN_1", "iC<=0C<12C<28C<28F<4F<4F<4F<4C<52i", 0, 0, false, 0, T{E(10, 4)},
         T{V(1, 24), E(2, 12), E(3, 28), E(4, 28), E(5, 4), E(6, 4), E(7, 4), E(8, 4), E(9, 52)}},
        // 1025: the team's 20-byte account head, then its credits (28 bytes each).
        {1025, "BANK_GET_DATEN_2", "iC<=0C<20i", 0, 0, false, 0, T{E(3, 4)}, T{E(2, 20), V(1, 28)}},
        // 1026, 1028: the last element is the request's number.
        {1026, "BANK_GET_BOERSE", "ciiiiiii", 0, 0, false, 0,
         T{E(1, 4), E(2, 4), E(3, 4), E(4, 4), E(5, 4), E(6, 4), E(7, 4)}, T{E(0, 1)}},
        {1027, "BANK_GET_BUCHUNG", "vC<8400C<4C<4i", 0, 0, false, 0, T{E(4, 4)}, T{E(1, 8400), E(2, 4), E(3, 4)}},
        // Arguments in the order of the typed call: the teams, the amount, the
        // term, the option, the rate, the request's number.
        {1028, "BANK_ANLAGEN_TRANSFER", "iF4F4iiici", 0, 0, false, 0,
         T{E(3, 4), E(4, 4), E(1, 4), E(5, 4), E(6, 1), E(2, 4), E(7, 4)}, T{E(0, 1)}},
        {1029, "SPIELTAG_TEAM_BEREIT", "vi", 0, 0, false, 0, T{E(1, 4)}, T{}},
        {1031, "SPIELTAG_GET_SLOT", "vC<24I<4I<4I<4I<4i", 0, 0, false, 0, T{E(6, 4)},
         T{E(1, 24), E(2, 4), E(3, 4), E(4, 4), E(5, 4)}},
        {1032, "SPIELFELD LADEN", "iI<42276I<4F<4I<4I<4", 0, 0, false, 0, T{},
         T{E(0, 1), V(1, 1), E(2, 4), E(3, 4), E(4, 4), E(5, 4)}},
        {1033, "SPIELE_GET_SERIEN", "iiiI<4I<4I<4I<4I<4I<4I<4i", 0, 0, false, 0, T{E(1, 4), E(2, 4), E(10, 4)},
         T{E(0, 1), E(3, 4), E(4, 4), E(5, 4), E(6, 4), E(7, 4), E(8, 4), E(9, 4)}},
        {1034, "SPIELE_GET_SPIELE_GEGEN", "iiiiI<4I<4I<4I<%di", 12, 12 * 50, false, 0,
         T{E(1, 4), E(2, 4), E(3, 4), E(8, 4)}, T{E(0, 1), E(4, 4), E(5, 4), E(6, 4), V(7, 1)}, 8},
        {1035, "SPIELE_GET_TEAMSTATISTIK", "iiiiiiiiC<3368", 0, 0, false, 0,
         T{E(1, 4), E(2, 4), E(3, 4), E(4, 4), E(5, 4), E(6, 4), E(7, 4)}, T{E(0, 4), V(8, 1)}},
        {1036, "SPIELE_GET_TABELLENPLAETZE", "iiiiiciiciicciC<368", 0, 0, false, 0,
         T{E(1, 4), E(2, 4), E(3, 4), E(4, 4), E(5, 1), E(6, 4), E(7, 4), E(8, 1), E(9, 4), E(10, 4), E(11, 1),
           E(12, 1), E(13, 4)},
         T{E(0, 4), E(14, 368)}},
        // 1041: the winner in the result slot, then runner-up and the final's two scores.
        {1041, "SPIELE_GET_SIEGER", "iiiI<4I<4I<4", 0, 0, false, 0, T{E(1, 4), E(2, 4)},
         T{E(0, 4), E(3, 4), E(4, 4), E(5, 4)}},
        {1042, "CS_SPIELE_SUCHE_WETTBEWERB_EREIGNIS", "iC<=0C<4i", 0, 0, false, 0, T{E(3, 4)}, T{V(1, 1), E(2, 4)}},
        {1043, "KALENDER_BEFEHL", "iii", 0, 0, false, 0, T{E(1, 4), E(2, 4)}, T{E(0, 4)}},
        // 1044: an archived table (competition, season, number), run-length packed.
        {1044, "STATISTIK_ARCHIV", "iC000iii", 0, 0, false, 0, T{E(2, 4), E(3, 4), E(4, 4)}, T{V(1, 1)}},
        // 1045: a team's places in the archived tables (team, at most that
        // many), 28 bytes a place.
        {1045, "STATISTIK_ARCHIV_TEAM", "iC000ii", 0, 0, false, 0, T{E(2, 4), E(3, 4)}, T{V(1, 28)}},
        // The market's steps of a managed club: a negotiation's start (team,
        // market player; the transfers left, -1 refused), a scout's paid
        // search (team, scout, area) and the hiring of its prospect (team,
        // scout, player).
        {1046, "CS_TRANSFER_VERHANDLUNG", "iii", 0, 0, false, 0, T{E(1, 4), E(2, 4)}, T{E(0, 4)}},
        {1047, "CS_SCOUT_BEZAHLEN", "ciii", 0, 0, false, 0, T{E(1, 4), E(2, 4), E(3, 4)}, T{E(0, 1)}},
        {1048, "CS_SCOUT_VERPFLICHTEN", "ciii", 0, 0, false, 0, T{E(1, 4), E(2, 4), E(3, 4)}, T{E(0, 1)}},
        // 1049: the asking club's highest request number carried out, above
        // which its next paying request must lie.
        {1049, "CS_ANFRAGE_STAND", "i", 0, 0, false, 0, T{}, T{E(0, 4)}},
        // 1050: a client's sign of life, allowed from the start (a manager
        // choosing his club sits idle too); it carries and changes nothing.
        {1050, "NETZ_LEBENSZEICHEN", "v", 0, 0, true, 0, T{}, T{}},
    };
    return t;
}

}  // namespace

const std::vector<Netz_Schema>& Netz_Schema_Tabelle() {
    static const std::vector<Netz_Schema> t = tabelle_bauen();
    return t;
}

bool Netz_Schema_Bekannt(u32 nummer) {
    for (const Netz_Schema& s : Netz_Schema_Tabelle())
        if (s.nummer == nummer) return true;
    return false;
}

std::string Netz_Schema_Typen(const Netz_Schema& s, u32 laenge) {
    std::string t = s.typen;
    if (const size_t p = t.find("%d"); p != std::string::npos) t.replace(p, 2, std::to_string(laenge));
    return t;
}

const Netz_Schema* Netz_Schema_Suchen(u32 nummer, std::string_view typen, u32* laenge) {
    for (const Netz_Schema& s : Netz_Schema_Tabelle()) {
        if (s.nummer != nummer) continue;
        const std::string_view muster = s.typen;
        const size_t p = muster.find("%d");
        if (p == std::string_view::npos) {
            if (muster == typen) return &s;
            continue;
        }
        const std::string_view vorn = muster.substr(0, p), hinten = muster.substr(p + 2);
        if (typen.size() <= vorn.size() + hinten.size() || typen.substr(0, vorn.size()) != vorn ||
            typen.substr(typen.size() - hinten.size()) != hinten)
            continue;
        const std::string_view ziffern = typen.substr(vorn.size(), typen.size() - vorn.size() - hinten.size());
        if (ziffern.size() > 7 || ziffern[0] == '0') continue;
        u64 n = 0;
        bool ok = true;
        for (char c : ziffern) {
            if (c < '0' || c > '9') ok = false;
            n = n * 10 + static_cast<u64>(c - '0');
        }
        if (!ok || n % s.vielfaches || n > s.hoechstens) continue;
        if (laenge) *laenge = static_cast<u32>(n);
        return &s;
    }
    return nullptr;
}
