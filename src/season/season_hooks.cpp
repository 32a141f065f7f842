// The do-nothing defaults of the season's upward hooks (see season_hooks.h).
#include "season/season_hooks.h"

#include "season/kalender_lauf.h"

namespace {

void Nichts() {}
void Nichts_I(int) {}
void Nichts_II(int, int) {}
bool Falsch() { return false; }
bool Falsch_I(int) { return false; }
bool Wahr() { return true; }
int Null() { return 0; }
const char* Kein_Text(const char*) { return nullptr; }
// The wizard finishes at once and asks nothing (wizard byte 0).
bool Wizard_Fertig(int, uint8_t* wizard_byte) {
    if (wizard_byte) *wizard_byte = 0;
    return true;
}
int Ankuendigung_Fertig(uint32_t) { return 0; }
bool Keine_Ankuendigung(int, bool) { return false; }

constexpr Season_Gui_Hooks Standard_Gui() {
    return Season_Gui_Hooks{
        .Text = Kein_Text,
        .Texte_Laden = Nichts,
        .Texte_Free = Nichts,
        .Menue_Init = Nichts,
        .Menue_Free = Nichts,
        .Menue_Tick = Nichts,
        .Spielstart_Pruefen = Wizard_Fertig,
        .Menue_Manager_Wechsel = Nichts_I,
        .Menue_Set_Aktiver_Manager = Nichts_I,
        .Blt_Cache_Leeren = Nichts,
        .Backsound_Update = Nichts,
        .Backsound_Pause = Nichts_I,
        .Sound_Free = Nichts,
        .Icon_Auf_Screen = Falsch_I,
        .Modal_Screen = Falsch,
        .Ankuendigung_Screen_Offen = Falsch,
        .Taste_Oder_Klick = Falsch,
        .Taste_Get_Zeichen = Null,
        .Taste_Reset = Nichts,
        .Maus_Update = Nichts,
        .Maus_X = Null,
        .Maus_Y = Null,
        .Maus_Tasten = Null,
        .Menue_Hintergrund_Video = Nichts_II,
        .Bnk_Pause_Alle = Nichts_I,
        .Sound_Alle_Stoppen = Nichts,
        .Menue_Zug_Beenden = Nichts,
        .Fortschritt = [](const char*, int) {},
        .Spielstand_Laden_Fragen = [](int slot) { K_NEUER_TAG(KALENDER_LADEN, slot); },
        .Spiel_Warten = Nichts,
    };
}

constexpr Season_Module_Hooks Standard_Module() {
    return Season_Module_Hooks{
        .Ereignis_Init = Nichts,
        .Ereignis_Free = Nichts,
        .News_Init = Nichts,
        .News_Free = Nichts,
        .Spieltag_Init = Nichts,
        .Spieltag_DeInit = Nichts,
        .Statistik_Init = Nichts,
        .Statistik_Free = Nichts,
        .Rangliste_Init = Nichts,
        .Rangliste_Free = Nichts,
        .Rangliste_Sortieren = Nichts,
        .Spieltag_Vorbereiten = Nichts,
        .Richter_Jeden_Tag = Nichts,
        .Ereignis_Jeden_Tag = Nichts,
        .Spieltag_Spiele_Offen = Falsch,
        .Spieltag_Naechste_Gruppe = Nichts,
        .Spieltag_Run = Falsch_I,
        .Spielfeld_Free = Nichts,
        .Wettbewerb_Jedes_Jahr = Nichts,
        .Wettbewerb_Jeden_Tag = Nichts,
        .Saison_Wechsel = Nichts,
        .Spielankuendigung_Run = Ankuendigung_Fertig,
        .Spielankuendigung_Puffer_Leer = Wahr,
        .Richter_Run = Nichts,
        .News_Pruefen = Falsch_I,
        .Kalender_Blit_Modus = Nichts_I,
        .Kalender_Blit_Zugzeit = Nichts,
        .Spieltag_Team_Spielt = Falsch_I,
        .Spieltag_Kein_Spiel = Falsch,
        .Spielfeld_Anzeige_Refresh = Nichts,
        .Spielankuendigung_Jetzt = Keine_Ankuendigung,
        .Spieltag_Kein_Spiel_Loeschen = Nichts,
        .Spieltag_Team_Im_Spiel = Falsch_I,
        .Spieltag_Team_Offen_Ankuendigen = Falsch_I,
    };
}

constexpr Season_Netz_Hooks Standard_Netz() {
    return Season_Netz_Hooks{
        .Startteams_Senden = Nichts,
        .Client_Teamdaten_Abgleichen = Nichts,
    };
}

}  // namespace

constinit Season_Gui_Hooks Season_Gui = Standard_Gui();
constinit Season_Module_Hooks Season_Module = Standard_Module();
constinit Season_Netz_Hooks Season_Netz = Standard_Netz();

void Season_Hooks_Zuruecksetzen() {
    Season_Gui = Standard_Gui();
    Season_Module = Standard_Module();
    Season_Netz = Standard_Netz();
}
