// The save block of the running pitches, the check of a record from a save
// game or the network, and the position checksum of the lockstep.
#include <cmath>
#include <cstdlib>

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
    SF_Register.anzeige_anzahl = 0;
    for (int i = 0; i < Lade.anzeige_anzahl; i++) SF_Register.anzeige[SF_Register.anzeige_anzahl++] = SF_Register.tabelle[Lade.anzeige[i]];
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
    if (!slot_ok(sf->ballfuehrer) || !slot_ok(sf->ausfuehrer) || !slot_ok(sf->ball_letzter) || !slot_ok(sf->pass_ziel) ||
        !slot_ok(sf->pass_geber) || !slot_ok(sf->schuetze) || !slot_ok(sf->elfer_schuetze))
        return false;
    if (sf->ball_seite > 1 || sf->schuss_seite > 1 || sf->elfer_seite > 1 || sf->anstoss_seite > 1 || sf->netz_seite > 1)
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
        if (!ort_ok(o.x) || !ort_ok(o.y) || !ort_ok(o.z) || !ort_ok(o.vx) || !ort_ok(o.vy) || !ort_ok(o.vz)) return false;
        if (o.anim.set >= ANIM_SETS || o.anim.rest > Anim_Tabelle[o.anim.set].dauer || o.anim.richtung > 15) return false;
    }
    for (f32 v : sf->ball_ziel)
        if (!ort_ok(v)) return false;
    for (f32 v : sf->kamera)
        if (!ort_ok(v)) return false;
    if (!ort_ok(sf->standard_x) || !ort_ok(sf->standard_y) || !ort_ok(sf->vorteil_x) || !ort_ok(sf->vorteil_y)) return false;
    return true;
}

// ---------------------------------------------------------------------------
// Save block: u32 count, the records as they are, u32 shown count, the shown
// pitches as table indices (u32), the control record (pause, fast, period).

bool Spielfeld_Save(Datei_Status* d) {
    u8 b[4];
    int n = Spielfeld_Anzahl();
    put_u32le(b, static_cast<u32>(n));
    if (!Datei_Schreiben(d, b, 4)) return false;
    int index[SF_MAX_SPIELFELDER];
    int k = 0;
    for (int i = 0; i < SF_MAX_SPIELFELDER; i++) {
        if (!SF_Register.tabelle[i]) continue;
        index[i] = k++;
        if (!Datei_Schreiben(d, SF_Register.tabelle[i], SPIELFELD_GROESSE)) return false;
    }
    put_u32le(b, static_cast<u32>(SF_Register.anzeige_anzahl));
    if (!Datei_Schreiben(d, b, 4)) return false;
    for (int a = 0; a < SF_Register.anzeige_anzahl; a++) {
        for (int i = 0; i < SF_MAX_SPIELFELDER; i++)
            if (SF_Register.tabelle[i] == SF_Register.anzeige[a]) put_u32le(b, static_cast<u32>(index[i]));
        if (!Datei_Schreiben(d, b, 4)) return false;
    }
    u8 st[8];
    st[0] = SF_Steuerung.pause;
    st[1] = SF_Steuerung.schnell;
    st[2] = st[3] = 0;
    put_i32le(st + 4, SF_Steuerung.periode_ms);
    return Datei_Schreiben(d, st, 8);
}

bool Spielfeld_Load(Datei_Status* d) {
    lade_verwerfen();
    u8 b[4];
    if (Datei_Lesen(d, b, 4) != 4) return false;
    u32 n = get_u32le(b);
    if (n > SF_MAX_SPIELFELDER) {
        Debug_Printf("Spielfeld_Load: %u Spielfelder (hoechstens %d)\n", n, SF_MAX_SPIELFELDER);
        return false;
    }
    for (u32 i = 0; i < n; i++) {
        auto* sf = static_cast<Spielfeld_Daten*>(std::calloc(1, sizeof(Spielfeld_Daten)));
        if (!sf) { lade_verwerfen(); return false; }
        Lade.tabelle[Lade.anzahl++] = sf;
        if (Datei_Lesen(d, sf, SPIELFELD_GROESSE) != SPIELFELD_GROESSE) { lade_verwerfen(); return false; }
        for (u32 j = 0; j < i; j++)
            if (Lade.tabelle[j]->spiel == sf->spiel) { lade_verwerfen(); return false; }
        if (!Spielfeld_Pruefen(sf)) {
            Debug_Printf("Spielfeld_Load: Spielfeld %u beschaedigt\n", i);
            lade_verwerfen();
            return false;
        }
    }
    if (Datei_Lesen(d, b, 4) != 4) { lade_verwerfen(); return false; }
    u32 a = get_u32le(b);
    if (a > SF_MAX_ANZEIGE) { lade_verwerfen(); return false; }
    for (u32 i = 0; i < a; i++) {
        if (Datei_Lesen(d, b, 4) != 4 || get_u32le(b) >= n) { lade_verwerfen(); return false; }
        Lade.anzeige[Lade.anzeige_anzahl++] = static_cast<int>(get_u32le(b));
    }
    u8 st[8];
    if (Datei_Lesen(d, st, 8) != 8) { lade_verwerfen(); return false; }
    Lade.steuerung.pause = st[0] ? 1 : 0;
    Lade.steuerung.schnell = st[1];
    Lade.steuerung.periode_ms = get_i32le(st + 4);
    if (Lade.steuerung.periode_ms < 0 || Lade.steuerung.periode_ms > 1000) Lade.steuerung.periode_ms = SF_FRAME_MS;
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
