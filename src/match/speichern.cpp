// The save block of the running pitches, the check of a record from a save
// game or the network, and the position checksum of the lockstep.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "base/bereich.h"
#include "base/datei.h"
#include "base/debug.h"
#include "base/spielstand.h"
#include "match/anim.h"
#include "match/spielfeld_intern.h"

namespace {

// Staged state of a save game being loaded.
struct Ladezustand {
    Spielfeld_Daten* tabelle[SF_MAX_SPIELFELDER];
    int anzahl;
    int anzeige[SF_MAX_ANZEIGE];
    int anzeige_anzahl;
    Spielfeld_Steuerung steuerung;
};
Ladezustand Lade;

void lade_verwerfen() {
    for (int i = 0; i < Lade.anzahl; i++) std::free(Lade.tabelle[i]);
    Lade.anzahl = 0;
    Lade.anzeige_anzahl = 0;
}

void load_uebernehmen() {
    for (auto*& t : SF_Register.tabelle) {
        std::free(t);
        t = nullptr;
    }
    for (int i = 0; i < Lade.anzahl; i++) SF_Register.tabelle[i] = Lade.tabelle[i];
    ++SF_Register.stand;
    SF_Register.anzeige_anzahl = 0;
    for (int i = 0; i < Lade.anzeige_anzahl; i++)
        SF_Register.anzeige[SF_Register.anzeige_anzahl++] = SF_Register.tabelle[Lade.anzeige[i]];
    SF_Steuerung = Lade.steuerung;
    Lade.anzahl = 0;
    Lade.anzeige_anzahl = 0;
}

}  // namespace

void Spielfeld_Speicherblock_Anmelden() {
    Spielstand_Modul m;
    m.name = "Spielfelder";
    m.schreiben = &Spielfeld_Save;
    m.lesen = &Spielfeld_Load;
    m.uebernehmen = &load_uebernehmen;
    m.verwerfen = &lade_verwerfen;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELFELDER, m);
}

bool Spielfeld_Pruefen(const Spielfeld_Daten* sf) {
    if (!sf) return false;
    auto slot_ok = [](int v) { return v == KEIN_SLOT || (v >= 0 && v < SF_SPIELER); };
    auto ort_ok = [](f32 v) { return std::isfinite(v) && v > -30000.0f && v < 30000.0f; };
    if (sf->minuten_teil >= SF_TICKS_PRO_MINUTE || sf->zufall >= RND_TABELLE_GROESSE) return false;
    if (sf->zufall_versatz < 0 || sf->zufall_versatz >= static_cast<i32>(RND_TABELLE_GROESSE)) return false;
    if (sf->tore[0] < 0 || sf->tore[1] < 0 || sf->minute < 0) return false;
    if (sf->situation > SIT_ABSEITS || sf->halbzeit_status > 2 || sf->schuss > SCHUSS_EIGENTOR ||
        sf->elfer_ergebnis > SCHUSS_EIGENTOR)
        return false;
    if (!slot_ok(sf->ballfuehrer) || !slot_ok(sf->ausfuehrer) || !slot_ok(sf->ball_letzter) ||
        !slot_ok(sf->pass_ziel) || !slot_ok(sf->pass_geber) || !slot_ok(sf->schuetze) || !slot_ok(sf->elfer_schuetze))
        return false;
    if (sf->ball_seite > 1 || sf->schuss_seite > 1 || sf->elfer_seite > 1 || sf->anstoss_seite > 1 ||
        sf->netz_seite > 1)
        return false;
    if (sf->replay_pos >= SF_REPLAY_BILDER || sf->replay_anzahl > SF_REPLAY_BILDER) return false;
    for (i16 z : sf->zweikampf)
        if (z < -1 || z >= SF_OBJEKTE) return false;
    for (const auto& sp : sf->spieler)
        if (sp.deckt < -1 || sp.deckt >= SF_SPIELER || sp.verletzung > 42) return false;
    for (const auto& se : sf->seite) {
        if (se.wechsel_erlaubt > SF_WECHSEL_LISTE || se.wechsel_gemacht > se.wechsel_erlaubt) return false;
        for (int i = 0; i < SF_WECHSEL_LISTE; i++)
            if (!slot_ok(se.rein[i]) || !slot_ok(se.raus[i])) return false;
    }
    for (const auto& k : sf->kommando) {
        if (!k.belegt) continue;
        if (k.seite > 1) return false;
        for (int i = 0; i < SF_WECHSEL_LISTE; i++)
            if (!slot_ok(k.rein[i]) || !slot_ok(k.raus[i])) return false;
    }
    for (const auto& o : sf->objekt) {
        if (!ort_ok(o.x) || !ort_ok(o.y) || !ort_ok(o.z) || !ort_ok(o.vx) || !ort_ok(o.vy) || !ort_ok(o.vz))
            return false;
        if (o.anim.set >= ANIM_SETS || o.anim.rest > Anim_Tabelle[o.anim.set].dauer || o.anim.richtung > 15)
            return false;
    }
    for (f32 v : sf->ball_ziel)
        if (!ort_ok(v)) return false;
    for (f32 v : sf->kamera)
        if (!ort_ok(v)) return false;
    if (!ort_ok(sf->standard_x) || !ort_ok(sf->standard_y) || !ort_ok(sf->vorteil_x) || !ort_ok(sf->vorteil_y))
        return false;
    return true;
}

// ---------------------------------------------------------------------------
// Save block: u32 count, the records, u32 shown count, the shown pitches as
// table indices (u32), the control record (pause, fast, spare, period).

bool Spielfeld_Save(Datei_Status* d) {
    std::vector<const Spielfeld_Daten*> felder;
    for (const Spielfeld_Daten* sf : SF_Register.tabelle)
        if (sf) felder.push_back(sf);
    std::vector<u32> angezeigt;
    for (int a = 0; a < SF_Register.anzeige_anzahl; a++)
        for (u32 i = 0; i < felder.size(); i++)
            if (felder[i] == SF_Register.anzeige[a]) angezeigt.push_back(i);
    Spielfeld_Steuerung st = SF_Steuerung;
    st.frei = 0;
    return Datei_Schreiben_Felder(d, [&](bytes::Schreiber& s) {
        s(static_cast<u32>(felder.size()));
        for (const Spielfeld_Daten* sf : felder) s(*sf);
        s(angezeigt), s(st);
    });
}

bool Spielfeld_Load(Datei_Status* d) {
    lade_verwerfen();
    auto lies_u32 = [d](u32* v) { return Datei_Lesen_Felder(d, 4, [&](bytes::Leser& l) { l(*v); }); };
    if (Datei_Groesse(d) == 0) {
        // A save game from before the pitches were saved: no match was running.
        Lade.steuerung = SF_Steuerung;
        return true;
    }
    u32 n = 0;
    if (!lies_u32(&n)) return false;
    if (n > SF_MAX_SPIELFELDER) {
        Debug_Printf("Spielfeld_Load: %u Spielfelder (hoechstens %d)\n", n, SF_MAX_SPIELFELDER);
        return false;
    }
    for (u32 i = 0; i < n; i++) {
        auto* sf = static_cast<Spielfeld_Daten*>(std::calloc(1, sizeof(Spielfeld_Daten)));
        if (!sf) {
            lade_verwerfen();
            return false;
        }
        Lade.tabelle[Lade.anzahl++] = sf;
        if (!Datei_Lesen_Felder(d, SPIELFELD_GROESSE, [&](bytes::Leser& l) { l(*sf); })) {
            lade_verwerfen();
            return false;
        }
        for (u32 j = 0; j < i; j++)
            if (Lade.tabelle[j]->spiel == sf->spiel) {
                lade_verwerfen();
                return false;
            }
        if (!Spielfeld_Pruefen(sf)) {
            Debug_Printf("Spielfeld_Load: Spielfeld %u beschaedigt\n", i);
            lade_verwerfen();
            return false;
        }
    }
    u32 a = 0;
    if (!lies_u32(&a) || a > SF_MAX_ANZEIGE) {
        lade_verwerfen();
        return false;
    }
    for (u32 i = 0; i < a; i++) {
        u32 t = 0;
        if (!lies_u32(&t) || t >= n) {
            lade_verwerfen();
            return false;
        }
        Lade.anzeige[Lade.anzeige_anzahl++] = static_cast<int>(t);
    }
    Spielfeld_Steuerung st{};
    if (!Datei_Lesen_Felder(d, bytes::groesse<Spielfeld_Steuerung>(), [&](bytes::Leser& l) { l(st); })) {
        lade_verwerfen();
        return false;
    }
    // The frame period the pitches run at: a save with another is damaged.
    if (!Bereiche_Pruefen("Spielfelder", {{"periode_ms", st.periode_ms, 1, 1000}})) {
        lade_verwerfen();
        return false;
    }
    Lade.steuerung.pause = st.pause ? 1 : 0;
    Lade.steuerung.schnell = st.schnell;
    Lade.steuerung.periode_ms = st.periode_ms;
    return true;
}

u32 Spielfeld_Pruefsumme(const Spielfeld_Daten* sf) {
    u32 h = 2166136261u;
    auto mix = [&h](i32 v) {
        u32 u = static_cast<u32>(v);
        for (int i = 0; i < 4; i++) {
            h ^= (u >> (i * 8)) & 0xFF;
            h *= 16777619u;
        }
    };
    for (int i = 0; i <= SF_OBJ_BALL; i++) {
        mix(static_cast<i32>(sf->objekt[i].x));
        mix(static_cast<i32>(sf->objekt[i].y));
        mix(static_cast<i32>(sf->objekt[i].z));
    }
    mix(sf->tore[0]);
    mix(sf->tore[1]);
    mix(static_cast<i32>(sf->zufall));
    return h;
}
