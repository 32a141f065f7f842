#include "main/saison_lauf.h"

#include <algorithm>
#include <cstdio>

#include "base/globals.h"
#include "base/random.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "main/saison_anmelden.h"
#include "match/spielfeld.h"
#include "matchday/saison.h"
#include "matchday/spieltag.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/rangliste.h"
#include "season/season_hooks.h"
#include "season/season_spielstand.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/speichern.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

Saison_Spiel spiel_jetzt;

void modus_merken(Saison_Lauf& lauf) {
    const i32 m = Kalender_Get_Runmodus();
    if (lauf.wechsel && lauf.letzter == m) return;
    lauf.letzter = m;
    ++lauf.wechsel;
    lauf.gesehen |= Saison_Lauf_Modus_Bit(m);
    if (lauf.modi.size() < SAISON_LAUF_MODI) {
        if (lauf.modi.empty()) lauf.modi.reserve(SAISON_LAUF_MODI);
        lauf.modi.push_back(m);
    }
}

}  // namespace

long Saison_Lauf_Speicher_kB() {
    long seiten = 0, rss = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &seiten, &rss) != 2) rss = 0;
        std::fclose(f);
    }
    return rss * 4;
}

void Saison_Lauf_Start() {
    W32_Uhr_Fest(true);
}

void Saison_Lauf_Ende() { W32_Uhr_Fest(false); }

bool Saison_Lauf_Tag(Saison_Lauf& lauf, u64 grenze) {
    const i32 tag = Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : -1;
    for (u64 i = 0; i < grenze; ++i) {
        if (!spiel_jetzt.autosave) Option_Wert(OPTION_AUTOSAVE, 1, 0);
        W32_Uhr_Vor(SF_FRAME_MS);
        Kalender_Run();
        ++lauf.paesse;
        modus_merken(lauf);
        const i32 m = Kalender_Get_Runmodus();
        if (m == RUNMODUS_ENDE) return false;
        if (Kalender_Ist_Initialisiert() && Kalender_Get_Tag() != tag && m != RUNMODUS_WIZARD &&
            m != RUNMODUS_NEUES_SPIEL)
            return true;
        // The managers end their turn when the day's matches are over or
        // wait for them to start them.
        const auto& z = Spieltag_Slots();
        const bool warten =
            std::any_of(z.begin(), z.end(), [](auto& r) { return r.status == ST_WARTET && !r.bereit[0]; });
        if (m == RUNMODUS_SPIEL && (warten || !Spieltag_Spiele_Offen())) {
            K_NEUER_TAG(6, 0);
            modus_merken(lauf);
        }
    }
    return false;
}

void Saison_Spiel_Starten(const Saison_Spiel& spiel) {
    spiel_jetzt = spiel;
    Internet_Modus = INTERNET_MODUS_EINZEL;
    // The game's own registration of the season and the world's save
    // blocks, with the yearly set-up reading the competitions from the data
    // folder first; the menus and pages stay at their headless defaults and
    // the wizard loads the world and seats the managers.
    Season_Hooks_Zuruecksetzen();
    Season_Module_Hooks module = Saison_Module_Tabelle();
    module.Wettbewerb_Jedes_Jahr = [] {
        if (!Wettbewerb_Tabelle[0].name[0]) {
            const std::string cfg = spiel_jetzt.daten + "/1_wettbewerb.cfg";
            const std::string alias = spiel_jetzt.daten + "/1_wettbewerb_alias.cfg";
            if (!Wettbewerb_Config_Lesen_Pfad(cfg.c_str(), alias.c_str())) return;
            Wettbewerb_Spielplaene_Erstellen();
        }
        Wettbewerb_Jedes_Jahr();
    };
    Season_Gui_Hooks gui{.Spielstart_Pruefen = [](int, u8* wizard_byte) {
        if (wizard_byte) *wizard_byte = 0;
        if (Team_Anzahl > 1 && Team_Kader_Anzahl(1) > 0) return true;
        if (!Welt_Laden_Ordner(spiel_jetzt.daten.c_str(), 0)) return true;  // runs on empty rather than hang
        Stadion_Init();
        Bank_Init();
        if (spiel_jetzt.saat >= 0) Rnd_Set_Index(spiel_jetzt.saat, 0);
        for (i32 t : spiel_jetzt.menschen)
            if (Manager_Neuer_Mitspieler(t, "Manager", -1)) Team_Set_Automatische_Aufstellung(t);
        return true;
    }};
    Saison_Module_Anmelden({.module = module, .gui = gui});
    Welt_Spielstand_Anmelden();
    Spielankuendigung_Init();
    Kalender_Set_Spielstart(0);
    Kalender_Free();
    Kalender_Lauf_Reset();
    Saison_Lauf_Start();
}

void Saison_Spiel_Beenden() {
    Saison_Lauf_Ende();
    Spieltag_DeInit();
    Spiele_Free();
    Wettbewerb_Free();
    News_Free();
    Ereignis_Free();
    Rangliste_Free();
    Spielankuendigung_Init();
    Kalender_Free();
    Kalender_Lauf_Reset();
    Season_Spielstand_Abmelden();
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_RANGLISTEN);
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_ANKUENDIGUNGEN);
    Season_Hooks_Zuruecksetzen();
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Team_Hat_Manager(t)) Manager_Loeschen(t);
    Bank_Free();
    Welt_Freigeben();
}
