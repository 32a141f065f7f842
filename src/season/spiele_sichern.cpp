// The fixtures in the save game: the plans written and read back as one
// block, checked as they come in.
#include "season/spiele.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/liste.h"
#include "base/ruf.h"
#include "base/tempstr.h"
#include "season/ereignisse.h"
#include "season/netz_rufe.h"
#include "season/season_hooks.h"
#include "season/spiele_intern.h"
#include "season/spiele_saetze.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/welt.h"

using namespace spiele_intern;

// ---------------------------------------------------------------------------
// Save block

bool Spiele_Save(Datei_Status* datei) {
    if (!z.bereit || !datei) return false;
    if (!Liste_Save(z.plaene, datei)) return false;
    // Each lock as its plan's place in the list (-1 none) and its game.
    i32 ordinale[SPIELE_LOCKS];
    u32 positionen[SPIELE_LOCKS];
    for (int i = 0; i < SPIELE_LOCKS; ++i) {
        i32 ordinal = -1;
        if (z.locks[i].plan >= 0) {
            i32 k = 0;
            for (Liste_Element* e = Liste_First_Element(z.plaene); e; e = Liste_Next_Element(e), ++k)
                if (e->id == static_cast<u32>(z.locks[i].plan)) {
                    ordinal = k;
                    break;
                }
        }
        ordinale[i] = ordinal;
        positionen[i] = ordinal >= 0 ? z.locks[i].pos : 0xFFFFFFFFu;
    }
    if (!Datei_Schreiben_Felder(datei, [&](bytes::Schreiber& s) {
            s(ordinale), s(positionen), s(z.naechster_plan), s(Spiele_Ereignis_Kapazitaet()), s(z.ereignis_anzahl);
        }))
        return false;
    if (!Datei_Schreiben_Gepackt(datei, z.ereignisse.data(), static_cast<u32>(z.ereignisse.size()))) return false;
    for (int k = 0; k < 5; ++k) {
        const Spiele_Speicher& s = *z.speicher[k];
        if (!Datei_Schreiben_Felder(datei, [&](bytes::Schreiber& w) { w(s.Anzahl()), w(s.Kapazitaet()); }))
            return false;
        if (!Datei_Schreiben_Gepackt(datei, s.Eintrag(0), s.Anzahl() * s.Groesse())) return false;
    }
    return true;
}

namespace {
// A block read but not yet taken over.
struct Staging {
    bool da = false;
    Liste_Kopf* plaene = nullptr;
    i32 naechster_plan = 0;
    std::vector<u8> ereignisse;
    u32 ereignis_anzahl = 1;
    std::unique_ptr<Spiele_Speicher> speicher[5];
    i32 lock_ordinal[SPIELE_LOCKS];
    u32 lock_pos[SPIELE_LOCKS];
};
Staging st;
}  // namespace

void Spiele_Verwerfen() {
    liste_weg(st.plaene);
    st.ereignisse.clear();
    for (auto& sp : st.speicher) sp.reset();
    st.da = false;
}

namespace {
// The values a loaded plan can hold: the bounds of Spiele_Neuer_Spielplan,
// every game on a matchday and leg of its plan, a score of -1 (unplayed) or
// more, its events inside the event store.
bool plan_gueltig(Liste_Element* e, u32 ereignisse) {
    const Spielplan_Kopf& k = *kopf_von(e);
    if (k.modus > 255 || k.teams > 65535 || k.spieltage > 65535 || k.runden < 1 || k.runden > 255) return false;
    const Spiel* s = spiele_von(e);
    for (u32 i = 0; i < k.spiele; ++i) {
        const Spiel& g = s[i];
        if (g.spieltag >= k.spieltage || g.runde >= k.runden || g.tore_a < -1 || g.tore_b < -1) return false;
        if (g.erstes_ereignis && static_cast<u64>(g.erstes_ereignis) + g.ereignis_anzahl > ereignisse) return false;
    }
    return true;
}
}  // namespace

bool Spiele_Lesen(Datei_Status* datei) {
    Spiele_Verwerfen();
    if (!z.bereit || !datei) return false;
    st.plaene = neue_liste();
    if (!st.plaene) return false;
    auto fehler = [&](const char* was) {
        Debug_Printf("Spiele_Load: %s\n", was);
        Spiele_Verwerfen();
        return false;
    };
    if (!Liste_Load(st.plaene, datei)) return fehler("Spielplaene fehlerhaft");
    // Every plan must hold as many games as its header says.
    for (Liste_Element* e = Liste_First_Element(st.plaene); e; e = Liste_Next_Element(e)) {
        if (e->size < sizeof(Spielplan_Kopf) || e->size != sizeof(Spielplan_Kopf) + 32u * kopf_von(e)->spiele)
            return fehler("Spielplan mit falscher Groesse");
    }
    u32 kapazitaet = 0, anzahl = 0;
    if (!Datei_Lesen_Felder(datei, SPIELE_LOCKS * 8 + 12, [&](bytes::Leser& l) {
            l(st.lock_ordinal), l(st.lock_pos), l(st.naechster_plan), l(kapazitaet), l(anzahl);
        }))
        return fehler("Block zu kurz");
    if (kapazitaet > MAX_LADE_KAPAZITAET || anzahl > kapazitaet || anzahl == 0) return fehler("Ereignisspeicher");
    st.ereignisse.assign(static_cast<size_t>(kapazitaet) * SPIELE_EREIGNIS_GROESSE, 0);
    if (Datei_Lesen_Gepackt(datei, st.ereignisse.data(), static_cast<u32>(st.ereignisse.size())) !=
        st.ereignisse.size())
        return fehler("Ereignisse");
    st.ereignis_anzahl = anzahl;
    for (Liste_Element* e = Liste_First_Element(st.plaene); e; e = Liste_Next_Element(e))
        if (!plan_gueltig(e, anzahl)) return fehler("Spielplan mit unmoeglichen Werten");
    for (int k = 0; k < 5; ++k) {
        u32 n = 0, cap = 0;
        if (!Datei_Lesen_Felder(datei, 8, [&](bytes::Leser& l) { l(n), l(cap); })) return fehler("Statistik");
        if (n > cap || cap > MAX_LADE_KAPAZITAET) return fehler("Statistik");
        std::vector<u8> daten(static_cast<size_t>(n) * GROESSEN[k]);
        if (n && Datei_Lesen_Gepackt(datei, daten.data(), static_cast<u32>(daten.size())) != daten.size())
            return fehler("Statistik");
        if (!n) {
            u8 leer[16];
            if (Datei_Lesen_Gepackt(datei, leer, sizeof leer) != 0 || datei->fehler) return fehler("Statistik");
        }
        st.speicher[k] = std::make_unique<Spiele_Speicher>(GROESSEN[k], z.speicher[k]->Kapazitaet());
        if (!st.speicher[k]->Setzen(daten.data(), n, cap)) return fehler("Statistik unsortiert");
    }
    st.da = true;
    return true;
}

void Spiele_Uebernehmen() {
    if (!st.da) return;
    liste_weg(z.plaene);
    z.plaene = st.plaene;
    st.plaene = nullptr;
    z.naechster_plan = st.naechster_plan;
    z.ereignisse = std::move(st.ereignisse);
    z.ereignis_anzahl = st.ereignis_anzahl;
    for (int k = 0; k < 5; ++k) z.speicher[k] = std::move(st.speicher[k]);
    // Each lock names a plan by its place in the list and a game in it.
    for (int i = 0; i < SPIELE_LOCKS; ++i) {
        z.locks[i] = Lock{};
        if (st.lock_ordinal[i] < 0) continue;
        i32 k = 0;
        for (Liste_Element* e = Liste_First_Element(z.plaene); e; e = Liste_Next_Element(e), ++k)
            if (k == st.lock_ordinal[i] && st.lock_pos[i] < kopf_von(e)->spiele) {
                z.locks[i].plan = static_cast<i32>(e->id);
                z.locks[i].pos = st.lock_pos[i];
            }
    }
    st.da = false;
    Spiele_Tabellen_Cache_Leeren();
}

bool Spiele_Load(Datei_Status* datei) {
    if (!Spiele_Lesen(datei)) return false;
    Spiele_Uebernehmen();
    return true;
}
