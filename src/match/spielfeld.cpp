// Pitch records: the table of running matches, their life cycle, events,
// the shown list, the tick control, in-match changes and the save block.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/spielstand.h"
#include "match/anim.h"
#include "match/spielfeld_intern.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/spieler.h"
#include "world/welt.h"

Spielfeld_Hooks SF_Hook;
Spielfeld_Steuerung SF_Steuerung = {0, 0, 0, SF_FRAME_MS};

namespace {

Spielfeld_Daten* Tabelle[SF_MAX_SPIELFELDER];
Spielfeld_Daten* Anzeige[SF_MAX_ANZEIGE];
int Anzeige_Anzahl = 0;
bool Anzeige_An = false;
bool Replay_Aktiv = false;
int Replay_Zurueck = 0;

// Staged state of a save game being loaded.
Spielfeld_Daten* Lade_Tabelle[SF_MAX_SPIELFELDER];
int Lade_Anzahl = 0;
int Lade_Anzeige[SF_MAX_ANZEIGE];
int Lade_Anzeige_Anzahl = 0;
Spielfeld_Steuerung Lade_Steuerung;

int anzeige_max() {
    int m = SF_Hook.anzeige_max ? SF_Hook.anzeige_max() : 0;
    if (m <= 0 || m > SF_MAX_ANZEIGE) m = SF_MAX_ANZEIGE;
    return m;
}

void aus_anzeige_nehmen(Spielfeld_Daten* sf) {
    for (int i = 0; i < Anzeige_Anzahl; i++) {
        if (Anzeige[i] == sf) {
            for (int j = i; j + 1 < Anzeige_Anzahl; j++) Anzeige[j] = Anzeige[j + 1];
            Anzeige_Anzahl--;
            i--;
        }
    }
}

void lade_verwerfen() {
    for (int i = 0; i < Lade_Anzahl; i++) std::free(Lade_Tabelle[i]);
    Lade_Anzahl = 0;
    Lade_Anzeige_Anzahl = 0;
}

u8 skill(int basis, int bonus) {
    int v = basis + bonus;
    return static_cast<u8>(v < 1 ? 1 : (v > 100 ? 100 : v));
}

// Fills one slot from a player of the world.
void slot_fuellen(Spielfeld_Daten* sf, int slot, i32 sp, bool startelf, int heimvorteil) {
    Spielfeld_Spieler& s = sf->spieler[slot];
    std::memset(&s, 0, sizeof s);
    s.spieler = sp;
    int ersch = Spieler_Wert(56, sp, 0, OP_LESEN);
    s.ausdauer = 10000 - ersch * 450;
    s.status = startelf ? SFS_AUF_DEM_PLATZ : SFS_BANK;
    s.staerke = static_cast<i16>(Spieler_Wert(58, sp, 0, OP_LESEN));
    s.rueckennummer = static_cast<i8>(Spieler_Wert(84, sp, 0, OP_LESEN));
    s.position = static_cast<u8>(Spieler_Wert(67, sp, 0, OP_LESEN));
    s.deckt = -1;
    s.minute_ein = startelf ? 0 : 255;
    s.minute_aus = 255;
    // Skills from the fine strength (0..12,000) and the morale, shaped by
    // position and the active special attributes.
    int basis = s.staerke / 120 + (Spieler_Wert(90, sp, 0, OP_LESEN) - 3) + heimvorteil;
    int b[8] = {0, 0, 0, 0, 0, 0, 0, 0};  // pass, shot, duel, pace, keeper, technique, header, hardness
    switch (s.position) {
        case 0: b[1] = -30; b[4] = 0; break;
        case 1: b[2] = 8; b[1] = -12; b[6] = 4; break;
        case 2: b[0] = 6; b[5] = 4; break;
        default: b[1] = 10; b[2] = -8; b[3] = 4; break;
    }
    if (heimvorteil) {
        // At home a side also wins a little more of its duels.
        b[2] += 1;
    }
    for (int a = 0; a < 53; a++) {
        if (!Attribute_Hat_Attribut(sp, a)) continue;
        if (a >= 40 && a <= 46) b[a % 8] -= 6;
        else if (a >= 47) b[4] += 5;
        else b[a % 8] += 5;
    }
    s.f_pass = skill(basis, b[0]);
    s.f_schuss = skill(basis, b[1]);
    s.f_zweikampf = skill(basis, b[2]);
    s.f_tempo = skill(basis, b[3]);
    s.f_torwart = s.position == 0 ? skill(basis, b[4]) : 5;
    s.f_technik = skill(basis, b[5]);
    s.f_kopf = skill(basis, b[6]);
    s.f_haerte = skill(40 + (sp % 7) * 5, b[7]);
    // Tactical home position from the formation cell: rows run from the own
    // goal to the attack, columns across the pitch.
    int zeile = Spieler_Wert(83, sp, 0, OP_LESEN);
    int spalte = Spieler_Wert(82, sp, 0, OP_LESEN);
    s.taktik_x = static_cast<i16>(zeile == 0 ? 250 : 1200 + zeile * 520);
    s.taktik_y = static_cast<i16>(700 + spalte * 900);
    s.zone_x[0] = static_cast<i16>(s.taktik_x - 1500 < 0 ? 0 : s.taktik_x - 1500);
    s.zone_x[1] = static_cast<i16>(s.taktik_x + 1500);
    s.zone_y[0] = static_cast<i16>(s.taktik_y - 1200 < 0 ? 0 : s.taktik_y - 1200);
    s.zone_y[1] = static_cast<i16>(s.taktik_y + 1200 > SF_BREITE ? SF_BREITE : s.taktik_y + 1200);
    s.marke[0][0] = s.zone_x[0];
    s.marke[0][1] = s.zone_y[0];
    s.marke[1][0] = s.zone_x[1];
    s.marke[1][1] = s.zone_y[1];
    u32 st = static_cast<u32>(Spieler_Wert(75, sp, 0, OP_LESEN));
    if (st & SP_STATUS_ROLLE_0) s.flag |= 1;  // penalty taker
    if (st & SP_STATUS_ROLLE_1) s.flag |= 2;  // corner taker
    if (st & SP_STATUS_ROLLE_3) s.flag |= 4;  // free-kick taker
    if (Spieler_Wert(99, sp, 0, OP_LESEN) >= 0) s.flag |= 8;  // marks a man
}

bool seite_fuellen(Spielfeld_Daten* sf, int seite, u32 team, int heimvorteil) {
    i32 start[20], bank[20];
    int n = Teamspieler_Ins_Array(static_cast<int>(team), start, 20, SP_STATUS_AUFGESTELLT);
    if (n < MAX_SPIELER_EINGESETZT) {
        Debug_Printf("Spielfeld_Neu: Team %u hat nur %d Spieler aufgestellt\n", team, n);
        return false;
    }
    n = MAX_SPIELER_EINGESETZT;
    int b = Teamspieler_Ins_Array(static_cast<int>(team), bank, 20, SP_STATUS_ERSATZ);
    if (b > SF_PRO_SEITE - MAX_SPIELER_EINGESETZT) b = SF_PRO_SEITE - MAX_SPIELER_EINGESETZT;
    // The goalkeeper (row 0) takes the first slot.
    int tw = 0;
    for (int i = 0; i < n; i++)
        if (Spieler_Wert(83, start[i], 0, OP_LESEN) == 0) { tw = i; break; }
    i32 t = start[0];
    start[0] = start[tw];
    start[tw] = t;
    int basis = seite * SF_PRO_SEITE;
    for (int i = 0; i < n; i++) slot_fuellen(sf, basis + i, start[i], true, heimvorteil);
    for (int i = 0; i < b; i++) slot_fuellen(sf, basis + n + i, bank[i], false, heimvorteil);
    for (int i = n + b; i < SF_PRO_SEITE; i++) {
        std::memset(&sf->spieler[basis + i], 0, sizeof(Spielfeld_Spieler));
        sf->spieler[basis + i].spieler = -1;
        sf->spieler[basis + i].deckt = -1;
    }
    sf->objekt[basis].torwart = 1;
    Spielfeld_Seite& s = sf->seite[seite];
    s.wechsel_erlaubt = SF_WECHSEL_MAX;
    std::memset(s.rein, 255, sizeof s.rein);
    std::memset(s.raus, 255, sizeof s.raus);
    std::memset(s.netz_rein, 255, sizeof s.netz_rein);
    std::memset(s.netz_raus, 255, sizeof s.netz_raus);
    Team_Get_Aktuelle_Taktik(static_cast<int>(team), s.team_taktik);
    // The in-match values start from the team's tactic bytes (cut to 1, 1, 9, 1, 4, 6, 4):
    // offside trap, pressing, attacking drive, -, pass risk, line height, hardness.
    const u8* tt = s.team_taktik;
    s.taktik[TW_SCHALTER1] = static_cast<i8>(tt[0] ? 1 : 0);
    s.taktik[TW_SCHALTER2] = static_cast<i8>(tt[1] ? 100 : 0);
    s.taktik[TW_WERT1] = static_cast<i8>(40 + (tt[2] > 9 ? 9 : tt[2]) * 5 / 2);
    s.taktik[TW_WERT2] = static_cast<i8>(42 + (tt[4] > 4 ? 4 : tt[4]) * 4);
    s.taktik[TW_WERT2_ABG] = static_cast<i8>((s.taktik[TW_WERT2] + 50) / 2);
    s.taktik[TW_WERT3] = static_cast<i8>(44 + (tt[5] > 6 ? 6 : tt[5]) * 2);
    s.taktik[TW_WERT3_ABG] = static_cast<i8>((s.taktik[TW_WERT3] + 50) / 2);
    s.taktik[TW_WERT4] = static_cast<i8>(42 + (tt[6] > 4 ? 4 : tt[6]) * 4);
    std::memcpy(s.netz_taktik, s.taktik, sizeof s.taktik);
    i32 st = Team_Get_Staerke_Modus(static_cast<int>(team), SP_STATUS_AUFGESTELLT);
    i32 v = st * 999 / 132;
    sf->staerke[seite] = static_cast<i16>(v < 0 ? 0 : (v > 999 ? 999 : v));
    return true;
}

}  // namespace

void Spielfeld_Set_Hooks(const Spielfeld_Hooks& h) { SF_Hook = h; }

bool Spielfeld_Pruefen(const Spielfeld_Daten* sf) {
    if (!sf) return false;
    auto slot_ok = [](int v) { return v == KEIN_SLOT || (v >= 0 && v < SF_SPIELER); };
    auto ort_ok = [](f32 v) { return std::isfinite(v) && v > -30000.0f && v < 30000.0f; };
    if (sf->minuten_teil >= SF_TICKS_PRO_MINUTE || sf->zufall >= RND_TABELLE_GROESSE) return false;
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
const Spielfeld_Hooks& Spielfeld_Get_Hooks() { return SF_Hook; }

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
        if (!Tabelle[i]) continue;
        index[i] = k++;
        if (!Datei_Schreiben(d, Tabelle[i], SPIELFELD_GROESSE)) return false;
    }
    put_u32le(b, static_cast<u32>(Anzeige_Anzahl));
    if (!Datei_Schreiben(d, b, 4)) return false;
    for (int a = 0; a < Anzeige_Anzahl; a++) {
        for (int i = 0; i < SF_MAX_SPIELFELDER; i++)
            if (Tabelle[i] == Anzeige[a]) put_u32le(b, static_cast<u32>(index[i]));
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
        Lade_Tabelle[Lade_Anzahl++] = sf;
        if (Datei_Lesen(d, sf, SPIELFELD_GROESSE) != SPIELFELD_GROESSE) { lade_verwerfen(); return false; }
        for (u32 j = 0; j < i; j++)
            if (Lade_Tabelle[j]->spiel == sf->spiel) { lade_verwerfen(); return false; }
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
        Lade_Anzeige[Lade_Anzeige_Anzahl++] = static_cast<int>(get_u32le(b));
    }
    u8 st[8];
    if (Datei_Lesen(d, st, 8) != 8) { lade_verwerfen(); return false; }
    Lade_Steuerung.pause = st[0] ? 1 : 0;
    Lade_Steuerung.schnell = st[1];
    Lade_Steuerung.periode_ms = get_i32le(st + 4);
    if (Lade_Steuerung.periode_ms < 0 || Lade_Steuerung.periode_ms > 1000) Lade_Steuerung.periode_ms = SF_FRAME_MS;
    return true;
}

namespace {
void load_uebernehmen() {
    for (auto*& t : Tabelle) {
        std::free(t);
        t = nullptr;
    }
    for (int i = 0; i < Lade_Anzahl; i++) Tabelle[i] = Lade_Tabelle[i];
    Anzeige_Anzahl = 0;
    for (int i = 0; i < Lade_Anzeige_Anzahl; i++) Anzeige[Anzeige_Anzahl++] = Tabelle[Lade_Anzeige[i]];
    SF_Steuerung = Lade_Steuerung;
    Lade_Anzahl = 0;
    Lade_Anzeige_Anzahl = 0;
}
}  // namespace

// ---------------------------------------------------------------------------

void Spielfeld_Init() {
    Spielstand_Modul m;
    m.name = "Spielfelder";
    m.schreiben = &Spielfeld_Save;
    m.lesen = &Spielfeld_Load;
    m.uebernehmen = &load_uebernehmen;
    m.verwerfen = &lade_verwerfen;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELFELDER, m);
}

void Spielfeld_DeInit() {
    for (auto*& t : Tabelle) {
        std::free(t);
        t = nullptr;
    }
    Anzeige_Anzahl = 0;
    Replay_Aktiv = false;
    if (Anzeige_An && SF_Hook.ansicht_free) SF_Hook.ansicht_free();
    Anzeige_An = false;
}

int Spielfeld_Anzahl() {
    int n = 0;
    for (auto* t : Tabelle) n += t != nullptr;
    return n;
}

Spielfeld_Daten* Spielfeld_Zeiger(u32 spiel) {
    for (auto* t : Tabelle)
        if (t && t->spiel == spiel) return t;
    return nullptr;
}

Spielfeld_Daten* SF_Suche_Team(u32 team) {
    for (auto* t : Tabelle)
        if (t && !t->beendet && (t->team[0] == team || t->team[1] == team)) return t;
    return nullptr;
}

bool Spielfeld_Neu(u32 spiel, int angezeigt, int anzeige_anzahl, u32 zuschauer, u32 heim_team, int concern) {
    if (Spielfeld_Zeiger(spiel)) {
        Debug_Printf("Spielfeld_Neu: Spiel %u laeuft schon\n", spiel);
        return false;
    }
    int frei = -1;
    for (int i = 0; i < SF_MAX_SPIELFELDER; i++)
        if (!Tabelle[i]) { frei = i; break; }
    if (frei < 0) {
        Debug_Printf("Spielfeld_Neu: alle %d Spielfelder belegt\n", SF_MAX_SPIELFELDER);
        return false;
    }
    u32 heim = 0, gast = 0, wettbewerb = 0;
    i32 temperatur = 15, niederschlag = 0;
    if (!SF_Hook.spiel_info || !SF_Hook.spiel_info(spiel, &heim, &gast, &wettbewerb, &temperatur, &niederschlag)) {
        Debug_Printf("Spielfeld_Neu: Spiel %u unbekannt\n", spiel);
        return false;
    }
    if (heim >= static_cast<u32>(Team_Anzahl) || gast >= static_cast<u32>(Team_Anzahl) || heim == gast) {
        Debug_Printf("Spielfeld_Neu: Spiel %u mit unbekanntem Team (%u, %u)\n", spiel, heim, gast);
        return false;
    }
    auto* sf = static_cast<Spielfeld_Daten*>(std::calloc(1, sizeof(Spielfeld_Daten)));
    if (!sf) return false;
    sf->spiel = spiel;
    sf->wettbewerb = wettbewerb;
    sf->team[0] = heim;
    sf->team[1] = gast;
    // The home side plays at its own ground unless the venue is another club's.
    sf->gast_von_aussen = (heim_team != heim && heim_team < static_cast<u32>(Team_Anzahl)) ? 1 : 0;
    int vorteil = sf->gast_von_aussen ? 0 : 2;
    if (!seite_fuellen(sf, 0, heim, vorteil) || !seite_fuellen(sf, 1, gast, 0)) {
        std::free(sf);
        return false;
    }
    for (int s = 0; s < 2; s++) {
        int r = sf->staerke[s] / 100;
        sf->rating[s] = static_cast<i8>(r);
    }
    sf->zuschauer = zuschauer;
    sf->engine = (angezeigt || concern) ? 1 : 0;
    sf->concern = concern ? 1 : 0;
    sf->anzeige = (angezeigt && anzeige_anzahl > 0) ? 1 : 0;
    sf->zweikampf[0] = sf->zweikampf[1] = -1;
    sf->ballfuehrer = KEIN_SLOT;
    sf->ausfuehrer = KEIN_SLOT;
    sf->ball_letzter = KEIN_SLOT;
    sf->pass_ziel = KEIN_SLOT;
    sf->pass_geber = KEIN_SLOT;
    sf->halbzeit = 1;
    sf->regen_staerke = static_cast<u8>(niederschlag > 0 ? (niederschlag > 100 ? 10 : niederschlag / 10) : 0);
    sf->regen_art = temperatur < 2 ? 1 : 0;
    i32 platz = Team_Wert(4, static_cast<int>(heim), 0, OP_LESEN) + Team_Wert(5, static_cast<int>(heim), 0, OP_LESEN);
    i32 belegung = platz > 0 ? static_cast<i32>(static_cast<i64>(zuschauer) * 100 / platz) : 100;
    if (belegung > 100) belegung = 100;
    for (int i = 0; i < 6; i++) {
        sf->belegung[i] = belegung;
        sf->tribuene[i] = static_cast<i8>(platz / 12000 > 7 ? 7 : platz / 12000);
    }
    sf->bild_art = static_cast<u8>(heim % 7);
    for (int i = 0; i < 8; i++) sf->banden[i] = 1 + (heim * 8 + i) % 14;
    sf->extra_figur = 0;
    sf->zufall = Rnd_Get_Index();
    // The pace of the day from the pitch's own cursor.
    Rnd_Push();
    Rnd_Set_Index(static_cast<i32>(sf->zufall), 0);
    sf->tempo = static_cast<i16>(Rnd_Basis(30, 170));
    sf->zufall = Rnd_Get_Index();
    Rnd_Pop();
    sf->anstoss_seite = 0;
    Engine_Taktik_Berechnen(sf, 0);
    Engine_Taktik_Berechnen(sf, 1);
    Engine_Aufstellen(sf, 0);
    Tabelle[frei] = sf;
    if (sf->anzeige) Spielfeld_Anzeige_Hinzufuegen(sf, 0);
    return true;
}

void Spielfeld_Loeschen(u32 wettbewerb) {
    for (auto*& t : Tabelle) {
        if (t && t->wettbewerb == wettbewerb) {
            aus_anzeige_nehmen(t);
            std::free(t);
            t = nullptr;
        }
    }
}

void Spielfeld_Set_Spielende(u32 spiel) { Spielfeld_Set_Spielende_Feld(Spielfeld_Zeiger(spiel)); }

void Spielfeld_Set_Spielende_Feld(Spielfeld_Daten* sf) {
    if (sf && sf->halbzeit_status != 2 && !sf->ende_angefordert) sf->ende_angefordert = 1;
}

void Spielfeld_Set_Beendet(u32 spiel) {
    Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
    if (sf) sf->beendet = sf->anzeige ? 60 : 1;
}

bool Spielfeld_Darf_Enden(u32 spiel) {
    Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
    return !sf || !sf->halten;
}

void Spielfeld_Halbzeit_Start(u32 spiel) { Spielfeld_Halbzeit_Start_Feld(Spielfeld_Zeiger(spiel)); }

void Spielfeld_Halbzeit_Start_Feld(Spielfeld_Daten* sf) {
    if (!sf) return;
    sf->halbzeit++;
    sf->seitenwechsel ^= 1;
    sf->halbzeit_status = 0;
    sf->ende_angefordert = 0;
    sf->ende_gemeldet = 0;
    sf->halbzeit_start = 1;
    sf->halten = 0;
    sf->grenze_eigen = static_cast<i16>(sf->minute + 2);
    Engine_Aufstellen(sf, (sf->halbzeit - 1) & 1);
}

bool Spielfeld_Set_Elfmeter(u32 spiel, int seite, int schuetze) {
    Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
    if (!sf || seite < 0 || seite > 1) return false;
    int slot = -1;
    int basis = seite * SF_PRO_SEITE;
    if (schuetze >= basis && schuetze < basis + SF_PRO_SEITE && sf->spieler[schuetze].spieler >= 0)
        slot = schuetze;
    else
        for (int i = basis; i < basis + SF_PRO_SEITE; i++)
            if (sf->spieler[i].spieler == schuetze && schuetze >= 0) slot = i;
    if (slot < 0 || !sf_auf_platz(sf->spieler[slot])) {
        Debug_Printf("Spielfeld_Set_Elfmeter: Schuetze %d steht nicht auf dem Platz\n", schuetze);
        return false;
    }
    Engine_Elfmeter_Vorbereiten(sf, seite, slot);
    return true;
}

// ---------------------------------------------------------------------------
// Events.

void SF_Ereignis(Spielfeld_Daten* sf, u32 flags, int slot, int zweiter) {
    constexpr u32 KOPF = SFE_TOR | SFE_GELB | SFE_GELBROT | SFE_ROT | SFE_FOUL | SFE_VERLETZUNG | SFE_WECHSEL | SFE_STANDARD;
    if ((flags & KOPF) && !(sf->ereignis.gueltig && (sf->ereignis.flags & SFE_TOR))) {
        sf->ereignis.flags = flags;
        sf->ereignis.minute = sf->minute;
        sf->ereignis.sekunde = static_cast<i16>(sf->minuten_teil * 60 / SF_TICKS_PRO_MINUTE);
        sf->ereignis.zweiter = static_cast<i16>(zweiter);
        sf->ereignis.slot = static_cast<i8>(slot);
        sf->ereignis.gueltig = 1;
    }
    if (SF_Hook.spiele_ereignis) {
        i32 sp = slot >= 0 && slot < SF_SPIELER ? sf->spieler[slot].spieler : -1;
        i32 zw = -1;
        if (flags & SFE_VERLETZUNG) zw = zweiter;
        else if (zweiter >= 0 && zweiter < SF_SPIELER) zw = sf->spieler[zweiter].spieler;
        else if (zweiter == 32767) zw = 32767;  // a shoot-out kick has no second player
        u32 f = flags & ~SFE_TEAM_A;
        // For a goal the team flag names the side that scored (also for an own goal).
        int seite = slot >= 0 ? sf_seite(slot) : -1;
        if ((flags & SFE_EIGENTOR) && seite >= 0) seite ^= 1;
        if (seite == 0 || (slot < 0 && (flags & SFE_TEAM_A))) f |= SFE_TEAM_A;
        i32 m = sf->minute + 1;
        SF_Hook.spiele_ereignis(sf->spiel, sp, zw, f, static_cast<u8>(m > 255 ? 255 : m));
    }
    if (SF_Hook.ankuendigung_refresh) SF_Hook.ankuendigung_refresh();
    // Stadium sounds for the pitch the focused view shows, while its camera keeps up.
    if (sf->fokus && sf->kamera_schritte < 2) {
        if ((flags & SFE_TOR) && SF_Hook.sound_stadion) SF_Hook.sound_stadion(6, 0, 4, slot >= 0 ? sf_seite(slot) : 0);
        else if ((flags & SFE_CHANCE) && SF_Hook.sound_reaktion) SF_Hook.sound_reaktion(4, 2);
        else if ((flags & (SFE_GELB | SFE_GELBROT | SFE_ROT | SFE_FOUL)) && SF_Hook.sound_stadion)
            SF_Hook.sound_stadion(3, 0, 2, 0);
    }
    if (slot >= 0 && (flags & (SFE_TOR | SFE_GELB | SFE_ROT | SFE_GELBROT))) {
        int s = sf_seite(slot);
        if (flags & SFE_EIGENTOR) s ^= 1;
        sf->seite[s].ereignis_bits |= 1;
        sf->seite[s].aufregung = 100;
    }
}

void Spielfeld_Ereignis_Eintragen(Spielfeld_Daten* sf, u32 flags, int slot, int zweiter) {
    if (!sf) return;
    if (slot < -1 || slot >= SF_SPIELER) {
        Debug_Printf("Spielfeld_Ereignis_Eintragen: Slot %d ungueltig\n", slot);
        return;
    }
    if (!(flags & SFE_VERLETZUNG) && (zweiter < -1 || zweiter >= SF_SPIELER)) zweiter = -1;
    SF_Ereignis(sf, flags, slot, zweiter);
}

void Spielfeld_Get_Bericht(const Spielfeld_Daten* sf, Spielfeld_Bericht* aus) {
    std::memset(aus, 0, sizeof *aus);
    aus->heim = sf->team[0];
    aus->gast = sf->team[1];
    aus->tore[0] = sf->tore[0];
    aus->tore[1] = sf->tore[1];
    aus->weitere[0] = sf->seite[0].ecken;
    aus->weitere[1] = sf->seite[1].ecken;
    aus->wettbewerb = sf->wettbewerb;
    aus->zuschauer = sf->zuschauer;
    std::memcpy(aus->statistik, sf->statistik, sizeof aus->statistik);
}

// ---------------------------------------------------------------------------
// Stepping.

f32 Spielfeld_Run(i32, i32, int, Spielfeld_Daten* sf, int, i32* uhr_steht, u8, u32 uhrzeit) {
    if (!sf || !sf->engine) return -1.0f;
    if (sf->beendet) {
        if (sf->beendet > 1) {
            sf->beendet--;
            if (sf->anzeige) Spielfeld_Anzeige_Hinzufuegen(sf, 0);
        }
        return -1.0f;
    }
    if (sf->situation == SIT_HALBZEIT_ENDE) {
        if (sf->anzeige) Spielfeld_Anzeige_Hinzufuegen(sf, 0);
        if (!sf->ende_gemeldet) {
            sf->ende_gemeldet = 1;
            return 1000.0f;
        }
        return -1.0f;
    }
    if (sf->anzeige) {
        Spielfeld_Anzeige_Hinzufuegen(sf, 0);
        if (SF_Steuerung.pause) return -1.0f;
        if (Replay_Aktiv && Anzeige_Anzahl > 0 && Anzeige[0] == sf) return -1.0f;
        if (!SF_Steuerung.schnell) {
            u32 periode = SF_Steuerung.periode_ms > 0 ? static_cast<u32>(SF_Steuerung.periode_ms) : 1u;
            if (uhrzeit - sf->uhr_basis < periode) return -1.0f;
            sf->uhr_basis = (uhrzeit - sf->uhr_basis > 8 * periode) ? uhrzeit : sf->uhr_basis + periode;
            if (SF_Hook.reset_spielschritt) SF_Hook.reset_spielschritt();
        }
    }
    if (sf->netz) {
        i16 grenze = sf->grenze_eigen < sf->grenze_andere ? sf->grenze_eigen : sf->grenze_andere;
        if (sf->minute >= grenze) {
            if (!sf->wartet) sf->wartet_seit = uhrzeit;
            sf->wartet = 1;
            if (uhr_steht) *uhr_steht = 1;
            if (uhrzeit - sf->wartet_seit > 2000 && SF_Hook.ticker) SF_Hook.ticker(sf, "Warte auf den Mitspieler ...");
            // A waiting client asks again, so that the server's answer raises its limit.
            if (sf->netz == 2 && SF_Hook.client_signal && (uhrzeit - sf->signal_zeit >= 100 || uhrzeit < sf->signal_zeit)) {
                static Spielfeld_Sync_Signal sig;
                sf->signal_zeit = uhrzeit;
                Spielfeld_Signal_Fuellen(sf, sf->team[sf->netz_seite & 1], &sig);
                SF_Hook.client_signal(&sig);
            }
            return -1.0f;
        }
        sf->wartet = 0;
    }
    Rnd_Push();
    Rnd_Set_Index(static_cast<i32>(sf->zufall), 0);
    Engine_Tick(sf);
    sf->zufall = Rnd_Get_Index();
    Rnd_Pop();
    sf->uhr += SF_FRAME_MS;
    if (sf->anzeige && !(sf->ticks & 1)) {
        i16 (*b)[3] = sf->replay[sf->replay_pos];
        for (int i = 0; i < SF_REPLAY_OBJEKTE; i++) {
            b[i][0] = static_cast<i16>(sf->objekt[i].x);
            b[i][1] = static_cast<i16>(sf->objekt[i].y);
            b[i][2] = static_cast<i16>(sf->objekt[i].z);
        }
        sf->replay_pos = static_cast<u16>((sf->replay_pos + 1) % SF_REPLAY_BILDER);
        if (sf->replay_anzahl < SF_REPLAY_BILDER) sf->replay_anzahl++;
    }
    if (SF_Hook.check_spielende) SF_Hook.check_spielende(sf);
    if (sf->situation == SIT_HALBZEIT_ENDE && !sf->ende_gemeldet) {
        sf->ende_gemeldet = 1;
        return 1000.0f;
    }
    return static_cast<f32>(sf->minute) + static_cast<f32>(sf->minuten_teil) / SF_TICKS_PRO_MINUTE;
}

void Spielfeld_Zeit_Fortsetzen(u32 uhrzeit) {
    for (auto* t : Tabelle)
        if (t && t->anzeige) t->uhr_basis = uhrzeit;
}

void Spielfeld_Set_Pause(int an) { SF_Steuerung.pause = an ? 1 : 0; }
int Spielfeld_Get_Pause() { return SF_Steuerung.pause; }
void Spielfeld_Set_Fast(int flags) { SF_Steuerung.schnell = static_cast<u8>(flags); }
int Spielfeld_Get_Fast() { return SF_Steuerung.schnell; }
Spielfeld_Steuerung* Spielfeld_Get_Steuerung() { return &SF_Steuerung; }

// ---------------------------------------------------------------------------
// Display.

void Spielfeld_Anzeige_An() {
    if (!Anzeige_An && SF_Hook.ansicht_init) SF_Hook.ansicht_init();
    Anzeige_An = true;
}

void Spielfeld_Anzeige_Aus() {
    if (Anzeige_An && SF_Hook.ansicht_free) SF_Hook.ansicht_free();
    Anzeige_An = false;
    Replay_Aktiv = false;
}

bool Spielfeld_Anzeige_Hinzufuegen(Spielfeld_Daten* sf, int erzwingen) {
    if (!sf) return false;
    for (int i = 0; i < Anzeige_Anzahl; i++) {
        if (Anzeige[i] == sf) return true;
        if (Anzeige[i]->team[0] == sf->team[0]) return false;
    }
    if (Anzeige_Anzahl >= anzeige_max()) return false;
    Anzeige[Anzeige_Anzahl++] = sf;
    if (erzwingen) sf->anzeige = 1;
    return true;
}

void Spielfeld_Anzeigeliste_Leeren() { Anzeige_Anzahl = 0; }

int Spielfeld_Anzeigeliste(Spielfeld_Daten** aus) {
    for (int i = 0; i < Anzeige_Anzahl; i++) aus[i] = Anzeige[i];
    return Anzeige_Anzahl;
}

void Spielfeld_Anzeige_Refresh() {
    if (Anzeige_Anzahl == 0) return;
    if (Anzeige_An && SF_Hook.ansicht_run) {
        SF_Hook.ansicht_run(Anzeige, Anzeige_Anzahl, &SF_Steuerung);
        return;
    }
    if (SF_Hook.blit_spielfeld) {
        Spielfeld_Daten* sf = Spielfeld_Get_Aktuelles_Spielfeld();
        if (sf) SF_Hook.blit_spielfeld(sf, sf->spiel);
    }
}

bool Spielfeld_Get_Anzeige() { return Anzeige_An || Anzeige_Anzahl > 0; }

Spielfeld_Daten* Spielfeld_Get_Aktuelles_Spielfeld() {
    if (SF_Hook.ansicht_get_spielfeld) {
        Spielfeld_Daten* sf = SF_Hook.ansicht_get_spielfeld();
        if (sf) return sf;
    }
    return Anzeige_Anzahl > 0 ? Anzeige[0] : nullptr;
}

void Spielfeld_Replay_Start(int) {
    if (Internet_Modus != INTERNET_MODUS_EINZEL || Anzeige_Anzahl == 0) return;
    Replay_Aktiv = true;
    Replay_Zurueck = 0;
}

void Spielfeld_Replay_Stop(int) { Replay_Aktiv = false; }
bool Spielfeld_Replay_Laeuft() { return Replay_Aktiv; }

bool Spielfeld_Replay_Bild(const Spielfeld_Daten* sf, int zurueck, i16 aus[SF_REPLAY_OBJEKTE][3]) {
    if (!sf || zurueck < 0 || zurueck >= sf->replay_anzahl) return false;
    int i = (sf->replay_pos + SF_REPLAY_BILDER - 1 - zurueck) % SF_REPLAY_BILDER;
    std::memcpy(aus, sf->replay[i], sizeof(sf->replay[i]));
    return true;
}

// ---------------------------------------------------------------------------
// In-match changes.

i32 Spielfeld_Get_Taktikposition(const Spielfeld_Daten* sf, int slot, i32* y) {
    if (!sf || slot < 0 || slot >= SF_SPIELER) return -1;
    if (y) *y = sf->spieler[slot].taktik_y;
    return sf->spieler[slot].taktik_x;
}

i32 Spielfeld_Get_Taktikposition_Lokal(const Spielfeld_Daten* sf, int slot, i32* y) {
    // A pending command of this slot's side shows its point before it takes effect.
    if (!sf || slot < 0 || slot >= SF_SPIELER) return -1;
    int seite = sf_seite(slot);
    const Spielfeld_Kommando* letzt = nullptr;
    for (const auto& k : sf->kommando)
        if (k.belegt == 1 && k.seite == seite && (k.aenderung & SFA_POSITIONEN) &&
            k.punkte[slot - seite * SF_PRO_SEITE][0] >= 0 && (!letzt || k.nummer > letzt->nummer))
            letzt = &k;
    if (!letzt) return Spielfeld_Get_Taktikposition(sf, slot, y);
    if (y) *y = letzt->punkte[slot - seite * SF_PRO_SEITE][1];
    return letzt->punkte[slot - seite * SF_PRO_SEITE][0];
}

namespace {
// A command slot of the side for the network; null when all are used.
Spielfeld_Kommando* neues_kommando(Spielfeld_Daten* sf, int seite) {
    for (auto& k : sf->kommando) {
        if (k.belegt) continue;
        std::memset(&k, 0, sizeof k);
        k.belegt = 1;
        k.seite = static_cast<u8>(seite);
        k.minute = static_cast<u16>(sf->minute + SF_KOMMANDO_VERZUG);
        k.nummer = ++sf->seite[seite].kommando_nummer;
        std::memset(k.rein, 255, sizeof k.rein);
        std::memset(k.raus, 255, sizeof k.raus);
        for (auto& p : k.punkte) p[0] = p[1] = -1;
        std::memcpy(k.taktik, sf->seite[seite].netz_taktik, sizeof k.taktik);
        k.schalter = sf->seite[seite].netz_schalter;
        return &k;
    }
    Debug_Printf("Spielfeld: keine freie Befehlszeile\n");
    return nullptr;
}
}  // namespace

bool Spielfeld_Set_Taktikposition(Spielfeld_Daten* sf, u32 team, int slot, i32 x, i32 y) {
    if (!sf || slot < 0 || slot >= SF_SPIELER) return false;
    int seite = team == sf->team[0] ? 0 : (team == sf->team[1] ? 1 : -1);
    if (seite < 0 || sf_seite(slot) != seite || sf->spieler[slot].spieler < 0) return false;
    x = x < 1000 ? 1000 : (x > 9800 ? 9800 : x);
    y = y < 400 ? 400 : (y > 6406 ? 6406 : y);
    sf->seite[seite].netz_aenderung |= SFA_POSITIONEN;
    if (sf->netz) {
        Spielfeld_Kommando* k = neues_kommando(sf, seite);
        if (!k) return false;
        k->aenderung = SFA_POSITIONEN;
        k->punkte[slot - seite * SF_PRO_SEITE][0] = static_cast<i16>(x);
        k->punkte[slot - seite * SF_PRO_SEITE][1] = static_cast<i16>(y);
        return true;
    }
    Spielfeld_Spieler& s = sf->spieler[slot];
    s.taktik_x = static_cast<i16>(x);
    s.taktik_y = static_cast<i16>(y);
    s.zone_x[0] = static_cast<i16>(x - 1500 < 0 ? 0 : x - 1500);
    s.zone_x[1] = static_cast<i16>(x + 1500);
    s.zone_y[0] = static_cast<i16>(y - 1200 < 0 ? 0 : y - 1200);
    s.zone_y[1] = static_cast<i16>(y + 1200 > SF_BREITE ? SF_BREITE : y + 1200);
    return true;
}

bool Spielfeld_Ist_In_Rollenliste_A(const Spielfeld_Daten* sf, int slot) {
    if (!sf) return false;
    for (const auto& s : sf->seite)
        for (u8 r : s.rein)
            if (r == slot) return true;
    return false;
}

bool Spielfeld_Ist_In_Rollenliste_B(const Spielfeld_Daten* sf, int slot) {
    if (!sf) return false;
    for (const auto& s : sf->seite)
        for (u8 r : s.raus)
            if (r == slot) return true;
    return false;
}

int Spielfeld_Wechsel_Eintragen(Spielfeld_Daten* sf, int seite, int rein, int raus) {
    if (!sf) return SFW_KEIN_SPIELFELD;
    if (seite < 0 || seite > 1) return SFW_SEITE;
    int basis = seite * SF_PRO_SEITE;
    if (rein < basis || rein >= basis + SF_PRO_SEITE || (raus != 255 && (raus < basis || raus >= basis + SF_PRO_SEITE))) {
        Debug_Printf("Spielfeld_Wechsel: Slot %d/%d gehoert nicht zur Seite %d\n", rein, raus, seite);
        return SFW_SEITE;
    }
    const Spielfeld_Spieler& r = sf->spieler[rein];
    if (r.spieler < 0) return SFW_SLOT_LEER;
    if (!(r.status & SFS_BANK) || (r.status & (SFS_AUF_DEM_PLATZ | SFS_AUSGEWECHSELT | SFS_EINGEWECHSELT))) {
        Debug_Printf("Spielfeld_Wechsel: Slot %d sitzt nicht auf der Bank\n", rein);
        return SFW_NICHT_AUF_BANK;
    }
    if (raus != 255 && !sf_auf_platz(sf->spieler[raus])) {
        Debug_Printf("Spielfeld_Wechsel: Slot %d steht nicht auf dem Platz\n", raus);
        return SFW_NICHT_AUF_PLATZ;
    }
    Spielfeld_Seite& s = sf->seite[seite];
    int offen = 0, frei = -1;
    for (int i = 0; i < SF_WECHSEL_LISTE; i++) {
        if (s.rein[i] != 255) {
            offen++;
            if (s.rein[i] == rein || (raus != 255 && s.raus[i] == raus)) return SFW_SCHON_IN_LISTE;
        } else if (frei < 0) {
            frei = i;
        }
    }
    for (const auto& k : sf->kommando)
        if (k.belegt == 1 && k.seite == seite)
            for (int i = 0; i < SF_WECHSEL_LISTE; i++) {
                if (k.rein[i] != 255) offen++;
                if (k.rein[i] == rein || (raus != 255 && k.raus[i] == raus)) return SFW_SCHON_IN_LISTE;
            }
    if (s.wechsel_gemacht + offen >= s.wechsel_erlaubt) return SFW_KEINE_WECHSEL;
    if (frei < 0) return SFW_LISTE_VOLL;
    s.netz_aenderung |= SFA_WECHSEL;
    if (sf->netz) {
        Spielfeld_Kommando* k = neues_kommando(sf, seite);
        if (!k) return SFW_LISTE_VOLL;
        k->aenderung = SFA_WECHSEL;
        k->rein[0] = static_cast<u8>(rein);
        k->raus[0] = static_cast<u8>(raus);
        return SFW_OK;
    }
    s.rein[frei] = static_cast<u8>(rein);
    s.raus[frei] = static_cast<u8>(raus);
    s.wechsel_aenderung = 1;
    return SFW_OK;
}

bool Spielfeld_Set_Taktikwert(Spielfeld_Daten* sf, int seite, int index, int wert) {
    if (!sf || seite < 0 || seite > 1 || index < 0 || index >= TW_FREI) return false;
    if (wert < 0) wert = 0;
    if (wert > 100) wert = 100;
    Spielfeld_Seite& s = sf->seite[seite];
    i8 alt[10];
    std::memcpy(alt, s.netz_taktik, sizeof alt);
    s.netz_taktik[index] = static_cast<i8>(wert);
    s.netz_taktik[TW_WERT2_ABG] = static_cast<i8>((s.netz_taktik[TW_WERT2] + 50) / 2);
    s.netz_taktik[TW_WERT3_ABG] = static_cast<i8>((s.netz_taktik[TW_WERT3] + 50) / 2);
    s.netz_taktik[TW_WERT3_NULL] = s.netz_taktik[TW_WERT3] == 0;
    u8 flag = index == TW_WERT1 ? SFA_WERT1 : SFA_SCHALTER;
    if (index == TW_WERT3) flag |= SFA_NEU_BERECHNEN;
    s.netz_aenderung |= flag;
    if (sf->netz) {
        Spielfeld_Kommando* k = neues_kommando(sf, seite);
        if (!k) {
            std::memcpy(s.netz_taktik, alt, sizeof alt);
            return false;
        }
        k->aenderung = flag;
        std::memcpy(k->taktik, s.netz_taktik, sizeof k->taktik);
        return true;
    }
    std::memcpy(s.taktik, s.netz_taktik, sizeof s.taktik);
    if (flag & SFA_NEU_BERECHNEN) Engine_Taktik_Berechnen(sf, seite);
    return true;
}

int Spielfeld_Positionsabzug(const Spielfeld_Daten* sf, int seite, int slot, i32 x, i32 y) {
    if (!sf || slot < 0 || slot >= SF_SPIELER || sf->spieler[slot].spieler < 0) return 0;
    // The row of the point (seen from the side's own goal) against the player's class.
    i32 rx = x;
    int zeile = rx < 900 ? 0 : (rx - 1200) / 520;
    if (zeile < 0) zeile = 1;
    if (zeile > 10) zeile = 10;
    (void)seite;
    (void)y;
    return Aufstellung_Abzug(sf->spieler[slot].position, zeile);
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

// ---------------------------------------------------------------------------
// After the matchday.

void Spielfeld_Reset_Trainingszaehler(u32 team) {
    if (team >= static_cast<u32>(Team_Anzahl)) return;
    const i32* k = Team_Kader(static_cast<int>(team));
    int n = Team_Kader_Anzahl(static_cast<int>(team));
    for (int i = 0; i < n; i++) Spieler_Wert(98, k[i], 0, OP_SCHREIBEN);
}

void Spielfeld_Spieler_Wert56_Loeschen(i32 spieler) {
    if (spieler >= 0 && spieler < Spieler_Anzahl) Spieler_Wert(56, spieler, 0, OP_SCHREIBEN);
}

void Spielfeld_Auswertung(u32 wettbewerb) {
    if (Internet_Modus == INTERNET_MODUS_CLIENT) return;
    for (auto* sf : Tabelle) {
        if (!sf || sf->wettbewerb != wettbewerb || sf->ausgewertet || !sf->engine) continue;
        sf->ausgewertet = 1;
        for (int slot = 0; slot < SF_SPIELER; slot++) {
            const Spielfeld_Spieler& s = sf->spieler[slot];
            if (s.spieler < 0 || s.spieler >= Spieler_Anzahl) continue;
            u32 team = sf->team[sf_seite(slot)];
            int sp = s.spieler;
            // Cards: a sending-off suspends; a yellow card after an earlier warning too.
            if (s.status & SFS_ROT) {
                Spieler_Wert(75, sp, SP_STATUS_ROT | SP_STATUS_GESPERRT, OP_BITS_SETZEN);
                if (SF_Hook.strafe) SF_Hook.strafe(team, 25000);
            } else if (s.status & SFS_GELBROT) {
                Spieler_Wert(75, sp, SP_STATUS_GELBROT | SP_STATUS_GESPERRT, OP_BITS_SETZEN);
                if (SF_Hook.strafe) SF_Hook.strafe(team, 10000);
            } else if (s.gelb) {
                if (Spieler_Wert(75, sp, 0, OP_LESEN) & SP_STATUS_GELB_WARNUNG) {
                    Spieler_Wert(75, sp, SP_STATUS_GELB_WARNUNG, OP_BITS_LOESCHEN);
                    Spieler_Wert(75, sp, SP_STATUS_GELBSPERRE, OP_BITS_SETZEN);
                } else {
                    Spieler_Wert(75, sp, SP_STATUS_GELB_WARNUNG, OP_BITS_SETZEN);
                }
            }
            if (s.verletzung) Spieler_Verletzen(static_cast<int>(team), sp, s.verletzung - 1);
            int minuten = sf->statistik[slot][7];
            if (minuten > 0) {
                int e = Spieler_Wert(56, sp, 0, OP_LESEN) + (minuten + 29) / 30;
                Spieler_Wert(56, sp, e > 9 ? 9 : e, OP_SCHREIBEN);
            }
            int note = (sf->statistik[slot][0] + 5) / 10;
            int marke = (s.status & SFS_EINGEWECHSELT ? 8 : 0) | (s.status & SFS_AUSGEWECHSELT ? 16 : 0);
            if (SF_Hook.statistik_spieler && (minuten > 0 || (s.status & SFS_BANK)))
                SF_Hook.statistik_spieler(sp, wettbewerb, s.tore, minuten, minuten > 0 ? note : 0, marke);
            if (SF_Hook.wettbewerb_ereignis && minuten > 0) {
                if (s.tore) SF_Hook.wettbewerb_ereignis(wettbewerb, sp, 5, s.tore);
                if (s.vorlagen) SF_Hook.wettbewerb_ereignis(wettbewerb, sp, 6, s.vorlagen);
                SF_Hook.wettbewerb_ereignis(wettbewerb, sp, 7, 7 - (note < 1 ? 1 : note));
            }
            if (SF_Hook.spieler_nach_spiel) SF_Hook.spieler_nach_spiel(team, sp);
            Spieler_Wert(98, sp, 0, OP_SCHREIBEN);
        }
    }
}
