// Fuzz target: every binary input of the season modules. The first byte
// picks the reader: the competition table of call 1004 (packed), the status
// of call 1005, the competition block of the configuration cache, the
// fixture save block, the calendar save block, the statistics block.
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/compress.h"
#include "base/datei.h"
#include "base/debug.h"
#include "season/archiv.h"
#include "season/kalender.h"
#include "season/paarungen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/welt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 1 || groesse > (1u << 20)) return 0;
    if (!Kalender_Ist_Initialisiert()) Kalender_Init(nullptr);
    if (!Wettbewerb_Modul_Bereit()) Wettbewerb_Init();
    if (!Spiele_Bereit()) Spiele_Init();
    const uint8_t art = daten[0] % 7;
    const u8* p = daten + 1;
    const u32 n = static_cast<u32>(groesse - 1);
    switch (art) {
        case 0: Wettbewerb_Tabelle_Empfangen(p, n, -1, 0); break;
        case 1: {
            // The raw bytes as the unpacked stream, packed here, so that the
            // chunk readers see them directly.
            std::vector<u8> gepackt(Tools_RLE_Max_Gepackt(n));
            u32 k = Tools_RLE_Packen(p, gepackt.data(), n);
            Wettbewerb_Tabelle_Empfangen(gepackt.data(), k, -1, 0);
            Wettbewerb_Status_Empfangen(gepackt.data(), k);
            break;
        }
        case 2: {
            Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(p, n);
            Wettbewerb_Config_Bin_Set(0);
            if (Wettbewerb_Config_Bin_Load(d)) Wettbewerb_Config_Bin_Uebernehmen();
            Datei_Schliessen(d);
            break;
        }
        case 3: {
            Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(p, n);
            Spiele_Load(d);
            Datei_Schliessen(d);
            Spiele_Unlock(-1);
            break;
        }
        case 4: {
            Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(p, n);
            Kalender_Load(d);
            Datei_Schliessen(d);
            break;
        }
        case 5: {
            // The statistics block (archive, career records), then every table
            // of it expanded and a record read.
            Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(p, n);
            if (Statistik_Lesen(d)) Statistik_Uebernehmen();
            else Statistik_Verwerfen();
            Datei_Schliessen(d);
            Statistik_Spieler rekord;
            Statistik_Spieler_Get(static_cast<i32>(daten[0]), &rekord);
            Tabelle t;
            for (i32 id = 50; id < 54; ++id)
                for (i32 jahr = 0; jahr < 3; ++jahr) Statistik_Archiv_Holen(t, id, jahr);
            break;
        }
        default: Kalender_Load_Bild(p, n); break;
    }
    // Whatever was taken over must be usable.
    for (u32 i = 0; i < 4; ++i) {
        i32 h = Spiele_Lock(50 + i, 0, 0, 0);
        if (h) Spiele_Unlock(h);
    }
    // The queries over what was taken over: tie decisions, series,
    // head-to-head, the table rows.
    if (Team_Anzahl != 64) Welt_Anlegen(64, 0);
    for (i32 id = 50; id < 54; ++id) {
        for (i32 k = 0; k < 3; ++k) Wettbewerb_Get_Runden_Sieger(id, -1, k, -1, 1, 0);
        u32 serie[7];
        Spiele_Get_Serien(id, static_cast<i32>(daten[0] % 64), serie, 2);
        u32 s1, s2, s3;
        u8 erg[12 * 8];
        Spiele_Internet_Server_Send_Spiele_Gegen(-1, 1, 2, 8, &s1, &s2, &s3, erg);
        Tabelle_Argumente a;
        a.wettbewerb = id;
        u8 verlauf[SPIELE_VERLAUF_BYTES];
        Spiele_Internet_Server_Send_Tabelle(a, -1, -1, 1, verlauf);
    }
    // Pairings, the draw and the tables over whatever was taken over: no walk
    // may loop or index out of bounds.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0]) continue;
        Wettbewerb_Paar paare[PAARUNGEN_MAX_SPIELE];
        for (i32 d = 0; d < 3; ++d)
            Wettbewerb_Get_Spieltag_Paarungen(w, d + w.aktueller_spieltag, d, paare, PAARUNGEN_MAX_SPIELE);
        Wettbewerb_Get_Spiele_Bis(&w, -1, -1);
        Wettbewerb_KO_Auslosung(w);
        Wettbewerb_Paarungen_Setzen(w);
        Wettbewerb_Heimrecht_Anpassen(w);
        Tabelle t;
        Wettbewerb_Get_Tabellen_Teams(w.id, &t);
        Tabelle_Argumente a;
        a.wettbewerb = w.id;
        a.live_minute = daten[0];
        Spiele_Get_Tabelle(a, &t);
        Statistik_Argumente st;
        st.team = static_cast<i32>(daten[0] % 64);
        st.wettbewerb = w.id;
        u32 worte[STATISTIK_WORTE];
        Spiele_Get_Team_Statistik(st, worte);
    }
    Spiele_Unlock(-1);
    Kalender_Spieltage_Heute(-1, 0, nullptr);
    std::vector<u8> s;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Serialisieren(i, s);
    return 0;
}
