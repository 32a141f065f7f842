// The inbox, the help texts and the menu's save block (see posteingang.h).
#include "main/posteingang.h"

#if KORDAVO_HAT_GUI && KORDAVO_HAT_SEASON
#include <vector>

#include "base/bytes.h"
#include "base/datei.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/spielstand.h"
#include "gui/bilder.h"
#include "gui/eingabe.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/wappen.h"
#include "screens/squad/kader.h"
#include "season/news.h"
#include "season/optionen.h"
#include "world/welt.h"

namespace {

// A question box carries the team it was shown to and the item's id (an
// index moves when older items go): the answer finds the question again,
// or nothing when it was answered or has expired meanwhile.
void antworten(i32 anzahl, const i32* liste, bool ja) {
    if (anzahl < 2 || !liste) return;
    const i32 team = liste[0];
    // Only the manager whose box it is answers it.
    if (team != Team_Aktiv) return;
    const i32 index = News_Suche_Id(static_cast<u32>(liste[1]));
    if (index < 0) return;
    if (ja) News_Antwort_Ja(team, index);
    else News_Antwort_Nein(team, index);
}
void ja(i32 anzahl, const i32* liste) { antworten(anzahl, liste, true); }
void nein(i32 anzahl, const i32* liste) { antworten(anzahl, liste, false); }

News_Hooks news_tabelle() {
    return {
        // A modal icon, or a requester whose icons a screen change took off
        // for the moment: the inbox waits until it is closed.
        .modal_screen = [] { return Menue_Get_Modal() || Menue_Requester_Offen(); },
        // The end-of-turn button's state bits (2: grey while the day goes
        // on without this machine's managers), -1 when it is not shown.
        .icon_707_status = []() -> int {
            const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_ZUG_ENDE);
            return i ? static_cast<int>(i->status & 0x7FFFFFFF) : -1;
        },
        .meldung = [](int team, const char* text) { Meldung_Manager_Printf(REQUESTER_OK, team, "%s", text); },
        .requester =
            [](int team, i32 index, const char* text, i32 bild) {
                const i32 liste[2] = {team, static_cast<i32>(News_Get_Id(index))};
                Menue_Requester_Symbol(bild);
                Menue_Requester(REQUESTER_JA_NEIN, team, text, nullptr, nullptr, ja, nein, 2, liste, 2, liste);
            },
        .uebersicht_auffrischen = E1_Screen_Aktualisieren,
    };
}

// The menu engine's block of a save game: its byte, staged until every
// block has been read.
u8 menue_gelesen = 0;

bool menue_schreiben(Datei_Status* datei) {
    std::vector<u8> aus;
    bytes::Schreiber s{aus};
    Menue_Speichern(s);
    return Datei_Schreiben(datei, aus.data(), static_cast<u32>(aus.size()));
}

bool menue_lesen(Datei_Status* datei) {
    // One byte; a game saved before the menu had its block holds none
    // and comes back in the main menu.
    const i32 rest = static_cast<i32>(Datei_Groesse(datei)) - Datei_Position(datei);
    menue_gelesen = 0;
    if (rest == 0) return true;
    return rest == 1 && Datei_Lesen(datei, &menue_gelesen, 1) == 1;
}

void menue_uebernehmen() {
    bytes::Leser l(&menue_gelesen, 1);
    Menue_Laden(l);
}

// A club whose crest photo lies in the crest folder shows it; any other
// club, or a photo that is missing or damaged, the crest of the archive.
Rastport* wappen_laden(i32 nummer, i32 team) {
    if (team >= 0 && team < Team_Anzahl && (Team_Wert(7, team, 0, OP_LESEN) & TEAM_STATUS_WAPPENFOTO))
        if (Rastport* foto = Bilder_Laden(team, nullptr, BILDER_WAPPEN)) return foto;
    return Wappen_Aus_Archiv(nummer);
}

}  // namespace

void Main_Posteingang_Anmelden() {
    Wappen_Hooks w = Wappen_Get_Hooks();
    w.bild_laden = wappen_laden;
    Wappen_Set_Hooks(w);
    News_Set_Hooks(news_tabelle());
    // Help texts: shown when the active manager has them on (his option 40).
    Menue_Hooks m = Menue_Get_Hooks();
    m.hilfe_an = [] { return Option_Wert(OPTION_TEAM_ERSTE, 0, 0) != 0; };
    m.hilfe_zeigen = Hilfe_Text_Ausgabe;
    m.hilfe_ende = Hilfe_Text_Ende;
    Menue_Set_Hooks(m);
    Spielstand_Modul menue;
    menue.name = "Menue";
    menue.schreiben = menue_schreiben;
    menue.lesen = menue_lesen;
    menue.uebernehmen = menue_uebernehmen;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_MENUE, menue);
}
#else
void Main_Posteingang_Anmelden() {}
#endif
