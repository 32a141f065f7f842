// Who owns which icon numbers. Icon numbers are fixed: a manager's
// remembered screen states are kept and saved by icon number, so two owners
// must never share one. Every screen and every module of the frame of play
// owns one range here; the build refuses overlapping ranges, and an icon
// table built with Icon_Tabelle_Bauen (gui/icon_tabelle.h) refuses numbers
// outside its owner's range.
//
// A new screen adds its line (ranges in ascending order).
#pragma once

#include "base/types.h"

enum class Icon_Besitzer : i32 {
    RAHMEN_DES_SPIELS,  // main menu, dialog bar, requester, control bar
    WETTBEWERB,         // competition screen with table, results and team views
    DIAGNOSE,           // the developers' balance page of the hidden key mode
    SPIELSTART_WIZARD,  // the new-game wizard
    SPIELSTART,         // game start screen
    SPIELSTAND_LADEN,   // load screen
    ANKUENDIGUNG,       // match announcement pages and the winners screen
    ANK_FENSTER,        // the floating table and results windows over a match
    SPIELSTAND_SPEICHERN,  // save screen
    STADION,
    FINANZEN,
    WERBUNG,
    RANGLISTE,
    OPTIONEN,
    KADER,           // squad and line-up screen
    KADER_ANSICHT,   // squad view
    BANK,
    TAKTIK,
    IM_SPIEL_AUFSTELLUNG,  // in-match line-up windows
    IM_SPIEL_TAKTIK,
    SPIELERKARTE,
    TRANSFER,
    VERHANDLUNG,
    SCOUTING,
    TALENTE,
    TRAININGSPLAN,
    TRAININGSFILM,
    ATTRIBUT_POPUP,
    TRAININGSLAGER_WAHL,
    ATTRIBUT_WAHL,  // the attribute choice after the cheat that gives every attribute
    TRAININGSLAGER,
    EDITOR,          // the data editor
    ATTRIBUT_EDIT,   // the data editor's attribute edit
    EDITOR_AUSSEHEN,
    EDITOR_WAPPEN,
    ANZAHL
};

struct Icon_Bereich {
    Icon_Besitzer besitzer;
    i16 erstes, letztes;
    const char* name;
};

// Ascending, one line per owner, in the order of Icon_Besitzer.
inline constexpr Icon_Bereich ICON_BEREICHE[] = {
    {Icon_Besitzer::RAHMEN_DES_SPIELS, 701, 728, "Rahmen des Spiels"},
    {Icon_Besitzer::WETTBEWERB, 802, 866, "Wettbewerb"},
    {Icon_Besitzer::DIAGNOSE, 867, 867, "Diagnose"},
    {Icon_Besitzer::SPIELSTART_WIZARD, 868, 890, "Neues Spiel"},
    {Icon_Besitzer::SPIELSTART, 891, 901, "Spielstart"},
    {Icon_Besitzer::SPIELSTAND_LADEN, 1701, 1704, "Spielstand laden"},
    {Icon_Besitzer::ANKUENDIGUNG, 1705, 1710, "Ankuendigung"},
    {Icon_Besitzer::ANK_FENSTER, 1711, 1714, "Tabelle und Ergebnisse im Spiel"},
    {Icon_Besitzer::SPIELSTAND_SPEICHERN, 1715, 1719, "Spielstand speichern"},
    {Icon_Besitzer::STADION, 1720, 1729, "Stadion"},
    {Icon_Besitzer::FINANZEN, 1731, 1733, "Finanzen"},
    {Icon_Besitzer::WERBUNG, 1734, 1737, "Werbung"},
    {Icon_Besitzer::RANGLISTE, 1738, 1743, "Rangliste"},
    {Icon_Besitzer::OPTIONEN, 1744, 1748, "Optionen"},
    {Icon_Besitzer::KADER, 2401, 2436, "Kader"},
    {Icon_Besitzer::KADER_ANSICHT, 2437, 2497, "Kaderansicht"},
    {Icon_Besitzer::BANK, 2499, 2504, "Bank"},
    {Icon_Besitzer::TAKTIK, 2505, 2579, "Taktik"},
    {Icon_Besitzer::IM_SPIEL_AUFSTELLUNG, 2580, 2611, "Aufstellung im Spiel"},
    {Icon_Besitzer::IM_SPIEL_TAKTIK, 2613, 2623, "Taktik im Spiel"},
    {Icon_Besitzer::SPIELERKARTE, 3301, 3308, "Spielerkarte"},
    {Icon_Besitzer::TRANSFER, 3310, 3345, "Transfer"},
    {Icon_Besitzer::VERHANDLUNG, 3346, 3353, "Verhandlung"},
    {Icon_Besitzer::SCOUTING, 3355, 3412, "Scouting"},
    {Icon_Besitzer::TALENTE, 3414, 3464, "Talente"},
    {Icon_Besitzer::TRAININGSPLAN, 3466, 3496, "Trainingsplan"},
    {Icon_Besitzer::TRAININGSFILM, 3498, 3507, "Trainingsfilm"},
    {Icon_Besitzer::ATTRIBUT_POPUP, 3509, 3534, "Attribut-Popup"},
    {Icon_Besitzer::TRAININGSLAGER_WAHL, 3537, 3540, "Trainingslager-Wahl"},
    {Icon_Besitzer::ATTRIBUT_WAHL, 3547, 3604, "Attribut-Wahl"},
    {Icon_Besitzer::TRAININGSLAGER, 3606, 3629, "Trainingslager"},
    {Icon_Besitzer::EDITOR, 3631, 3734, "Daten-Editor"},
    {Icon_Besitzer::ATTRIBUT_EDIT, 3736, 3793, "Editor: Fähigkeiten"},
    {Icon_Besitzer::EDITOR_AUSSEHEN, 3796, 3828, "Editor: Aussehen"},
    {Icon_Besitzer::EDITOR_WAPPEN, 3830, 3860, "Editor: Wappen und Trikots"},
};

namespace icon_bereiche_intern {
constexpr i32 ANZAHL = static_cast<i32>(sizeof ICON_BEREICHE / sizeof ICON_BEREICHE[0]);
constexpr bool in_ordnung() {
    if (ANZAHL != static_cast<i32>(Icon_Besitzer::ANZAHL)) return false;
    for (i32 i = 0; i < ANZAHL; ++i) {
        const Icon_Bereich& b = ICON_BEREICHE[i];
        if (static_cast<i32>(b.besitzer) != i || b.erstes < 0 || b.letztes < b.erstes || b.letztes >= 4202) return false;
        if (i > 0 && b.erstes <= ICON_BEREICHE[i - 1].letztes) return false;  // overlap or out of order
    }
    return true;
}
}  // namespace icon_bereiche_intern
static_assert(icon_bereiche_intern::in_ordnung(),
              "icon ranges: one line per owner in the owners' order, ascending, without overlaps, below 4202");

constexpr const Icon_Bereich& Icon_Bereich_Von(Icon_Besitzer b) { return ICON_BEREICHE[static_cast<i32>(b)]; }
constexpr bool Icon_Gehoert(Icon_Besitzer b, i32 nummer) {
    return nummer >= Icon_Bereich_Von(b).erstes && nummer <= Icon_Bereich_Von(b).letztes;
}
// The range holding the number, or null.
constexpr const Icon_Bereich* Icon_Bereich_Der_Nummer(i32 nummer) {
    for (const Icon_Bereich& b : ICON_BEREICHE)
        if (nummer >= b.erstes && nummer <= b.letztes) return &b;
    return nullptr;
}
