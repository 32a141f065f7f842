// The inbox and the menu's save block (see posteingang.h).
#include "main/posteingang.h"
#include "main/lager_stand.h"

#include <vector>

#include "base/bytes.h"
#include "base/datei.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/spielstand.h"
#include "gui/eingabe.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "screens/club/wettbewerb_screen.h"
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
        .wettbewerb_auffrischen = Tabelle_Screen_Stand_Folgen,
    };
}

// The menu engine's block of a save game: its byte, then the training camp
// in progress (lager_stand.h), staged until every block has been read.
u8 menue_gelesen = 0;

bool menue_schreiben(Datei_Status* datei) {
    std::vector<u8> aus;
    bytes::Schreiber s{aus};
    Menue_Speichern(s);
    Lager_Stand_Schreiben(s);
    return Datei_Schreiben(datei, aus.data(), static_cast<u32>(aus.size()));
}

bool menue_lesen(Datei_Status* datei) {
    // A game saved before the menu had its block holds none and comes back
    // in the main menu; one saved before the camp went into it holds the
    // menu's byte alone.
    const i32 rest = static_cast<i32>(Datei_Groesse(datei)) - Datei_Position(datei);
    menue_gelesen = 0;
    Lager_Stand_Verwerfen();
    if (rest == 0) return true;
    if (rest < 0 || rest > 4096) return false;
    std::vector<u8> block(static_cast<size_t>(rest));
    if (Datei_Lesen(datei, block.data(), static_cast<u32>(rest)) != static_cast<u32>(rest)) return false;
    bytes::Leser l(block.data(), block.size());
    l(menue_gelesen);
    if (rest > 1 && !Lager_Stand_Lesen(l)) return false;
    return !l.fehler && l.pos == block.size();
}

void menue_uebernehmen() {
    bytes::Leser l(&menue_gelesen, 1);
    Menue_Laden(l);
    Lager_Stand_Uebernehmen();
}

}  // namespace

void Main_Posteingang_Anmelden() {
    News_Set_Hooks(news_tabelle());
    Spielstand_Modul menue;
    menue.name = "Menue";
    menue.schreiben = menue_schreiben;
    menue.lesen = menue_lesen;
    menue.uebernehmen = menue_uebernehmen;
    menue.verwerfen = Lager_Stand_Verwerfen;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_MENUE, menue);
}
