#include "main/saison_anmelden.h"

#include "main/statistik_anmelden.h"

#include "base/ruf.h"
#include "base/types.h"
#include "match/spielfeld.h"
#include "matchday/nachspiel.h"
#include "matchday/saison.h"
#include "matchday/season_netz.h"
#include "matchday/spieltag.h"
#include "matchday/spieltag_netz.h"
#include "season/ankuendigung.h"
#include "season/archiv.h"
#include "season/ereignis_zufall.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/rangliste.h"
#include "season/richter.h"
#include "season/season_spielstand.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/markt.h"

Spielfeld_Hooks Saison_Spielfeld_Tabelle() {
    Spielfeld_Hooks h{};
    h.spiel_info = [](u32 spiel, u32* heim, u32* gast, u32* wettbewerb, i32* temperatur, i32* niederschlag) {
        const Spiel* s = Spiele_Get_Spiel(static_cast<i32>(spiel), true);
        if (!s) return false;
        if (heim) *heim = static_cast<u32>(s->team_a);
        if (gast) *gast = static_cast<u32>(s->team_b);
        if (wettbewerb) *wettbewerb = s->wettbewerb;
        if (temperatur) *temperatur = s->temperatur;
        if (niederschlag) *niederschlag = s->niederschlag;
        return true;
    };
    h.check_spielende = Spieltag_Check_Spielende;
    h.spiele_ereignis = [](u32 spiel, i32 spieler, i32 zweiter, u32 flags, u8 minute) {
        // A client's copy books nothing: the server's fixture comes with the refresh.
        if (ruf::Client()) return;
        Spiele_Ereignis_Eintragen(static_cast<i32>(spiel), flags, minute, spieler, zweiter);
    };
    h.reset_spielschritt = Kalender_Reset_Spielschritt;
    // A managed club's player left out lately may sulk (the server decides).
    h.spieler_nach_spiel = [](u32 team, i32 spieler) {
        if (ruf::Client() || !Team_Hat_Manager(static_cast<int>(team))) return;
        Ereignis_Spieler_Nach_Spiel(static_cast<i32>(team), spieler);
    };
    // Fines of the evaluation (cards) go to the bank like a forfeit's.
    h.strafe = Spieltag_Strafe_Buchen;
    // A client with this team has fetched its pitch: its side is ready.
    h.set_bereit = Spieltag_Team_Hat_Spielfeld;
    // The player statistics of every match played on the engine.
    Statistik_Spielfeld_Eintragen(h);
    return h;
}

Season_Module_Hooks Saison_Module_Tabelle() {
    return {
        .Spieltag_Init = Spieltag_Init,
        .Spieltag_DeInit = Spieltag_DeInit,
        .Spieltag_Vorbereiten = Spieltag_Vorbereiten,
        .Spieltag_Spiele_Offen = Spieltag_Spiele_Offen,
        .Spieltag_Spiel_Angepfiffen = Spieltag_Spiel_Angepfiffen,
        .Spieltag_Naechste_Gruppe = [] { Spieltag_Gruppe_Starten(); },
        .Spieltag_Run = Spieltag_Run,
        .Wettbewerb_Jedes_Jahr = Wettbewerb_Jedes_Jahr,
        .Wettbewerb_Jeden_Tag = Wettbewerb_Jeden_Tag,
        .Saison_Wechsel = Saison_Wechsel,
        .Spieltag_Team_Offen = [](int team) { return Spieltag_Team_Offen(team); },
        .Spieltag_Kein_Spiel = Spieltag_Kein_Spiel,
        .Spieltag_Kein_Spiel_Loeschen = Spieltag_Kein_Spiel_Loeschen,
        .Spieltag_Team_Im_Spiel = [](int team) { return Spieltag_Team_Im_Spiel(team); },
        .Spieltag_Team_Offen_Ankuendigen = [](int team) { return Spieltag_Team_Offen_Ankuendigen(team); },
        .Spieltag_Get_Gegner = [](int team, bool* auswaerts, int* wettbewerb) -> int {
            return Spieltag_Get_Gegner_Wettbewerb(team, auswaerts, wettbewerb);
        },
        .Spielfeld_Set_Fast = Spielfeld_Set_Fast,
    };
}

// The clubs' league slots and their countries' competitions come from the
// competitions of the season.
Team_Hooks Saison_Team_Tabelle() {
    return {
        .land_hat_wettbewerbe =
            [](int land) {
                if (!Wettbewerb_Tabelle) return Team_Land_Hat_Vereine(land);
                return Wettbewerb_Get_Aktive(land, nullptr, false) > 0;
            },
        .basisliga =
            [](int team) { return Wettbewerb_Tabelle ? Wettbewerb_Get_Liga_Von_Team(team, true) : i32{-2}; },
    };
}

Spieltag_Hooks Saison_Spieltag_Tabelle() { return {.wettbewerb_fertig = Wettbewerb_Spiele_Beendet}; }

void Saison_Module_Anmelden(const Saison_Tabellen& tabellen) {
    // The world's calls upwards (season keys of global.cfg, today's day,
    // a player's statistics).
    Welt_Set_Hooks({
        .global_cfg_schluessel = Global_Cfg_Schluessel,
        .kalender_tag = [] { return Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0; },
        .news_neu =
            [](i32 team, const char* text) {
                if (Team_Hat_Manager(team)) News_Neu_Text(-1, team, -1, NEWS_NACHRICHT, nullptr, text);
            },
        .transfer_erloes = Transfer_Angebot_Differenz,
        .spieler_statistik = Spiele_Spieler_Statistik,
        .spiel_daten = Spieltag_Spiel_Daten,
        .rangliste_platz =
            [](i32 team) {
                Rangliste_Eintrag e;
                return Rangliste_Get_Eintrag(team, &e) ? e.platz + 1 : i32{0};
            },
    });
    Team_Set_Hooks(tabellen.team);
    // Save blocks of the calendar, fixtures and competitions.
    Season_Spielstand_Anmelden();
    // The calendar's and the run loop's calls into the matchday, the season
    // cycle and the modules beside them.
    Season_Module_Set_Hooks(tabellen.module);
    Season_Gui_Set_Hooks(tabellen.gui);
    Spieltag_Set_Hooks(tabellen.spieltag);
    Spielfeld_Set_Hooks(tabellen.spielfeld);
    // Rankings (save block 15, call 1020); the arbiter's rows.
    Rangliste_Anmelden();
    Richter_Netz_Anmelden();
    // Match announcements: the first save block.
    Spielankuendigung_Spielstand_Anmelden();
    // The server rows of the season's and the matchday's remote calls.
    Spieltag_Netz_Anmelden();
    Season_Netz_Anmelden();
}
