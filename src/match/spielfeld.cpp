// Pitch records: the table of running matches, their life cycle and their
// stepping by the runner.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "match/anim.h"
#include "match/spielfeld_intern.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/stadion_bau.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {
// The installed table; read through the const reference SF_Hook.
Spielfeld_Hooks spielfeld_tabelle;
}  // namespace
const Spielfeld_Hooks& SF_Hook = spielfeld_tabelle;
Spielfeld_Steuerung SF_Steuerung = {0, 0, 0, SF_FRAME_MS};
bool SF_Spulen = false;
Spielfeld_Register SF_Register;

namespace {

// Records of ended matches, kept for the next ones: a matchday takes and
// gives back dozens of records of 42 kB, and taking them from the heap anew
// each time left its holes scattered between what lived on. Given back to
// the heap by Spielfeld_Vorrat_Freigeben (the season change) and at the
// program's end.
struct Feld_Vorrat {
    std::vector<Spielfeld_Daten*> felder;
    ~Feld_Vorrat() {
        for (Spielfeld_Daten* sf : felder) std::free(sf);
        felder.clear();
    }
} vorrat_halter;
std::vector<Spielfeld_Daten*>& feld_vorrat = vorrat_halter.felder;

Spielfeld_Daten* feld_nehmen() {
    if (feld_vorrat.empty()) return static_cast<Spielfeld_Daten*>(std::calloc(1, sizeof(Spielfeld_Daten)));
    Spielfeld_Daten* sf = feld_vorrat.back();
    feld_vorrat.pop_back();
    std::memset(static_cast<void*>(sf), 0, sizeof(Spielfeld_Daten));
    return sf;
}

void feld_zurueck(Spielfeld_Daten* sf) {
    if (!sf) return;
    if (feld_vorrat.capacity() < static_cast<size_t>(SF_MAX_SPIELFELDER)) feld_vorrat.reserve(SF_MAX_SPIELFELDER);
    if (feld_vorrat.size() < static_cast<size_t>(SF_MAX_SPIELFELDER)) feld_vorrat.push_back(sf);
    else std::free(sf);
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
    int ersch = Spieler_Wert(SPIELER_WERT_ERSCHOEPFUNG, sp, 0, OP_LESEN);
    s.ausdauer = 10000 - ersch * 450;
    s.status = startelf ? SFS_AUF_DEM_PLATZ : SFS_BANK;
    s.staerke = static_cast<i16>(Spieler_Wert(SPIELER_WERT_STAERKE_FEIN, sp, 0, OP_LESEN));
    s.rueckennummer = static_cast<i8>(Spieler_Wert(SPIELER_WERT_RUECKENNUMMER, sp, 0, OP_LESEN));
    s.position = static_cast<u8>(Spieler_Wert(SPIELER_WERT_POSITION, sp, 0, OP_LESEN));
    s.deckt = -1;
    s.minute_ein = startelf ? 0 : 255;
    s.minute_aus = 255;
    // Skills from the fine strength (0..12,000) and the morale, shaped by
    // position and the active special attributes.
    // Skills from the strength, flat enough that the weaker side keeps a chance in every duel; the
    // gap between the elevens counts again in abstand_verstaerken.
    int basis = 10 + s.staerke / engine::STAERKE_JE_PUNKT + (Spieler_Wert(SPIELER_WERT_MORAL, sp, 0, OP_LESEN) - 3) + heimvorteil;
    int b[8] = {0, 0, 0, 0, 0, 0, 0, 0};  // pass, shot, duel, pace, keeper, technique, header, hardness
    switch (s.position) {
        case 0:
            b[1] = -30;
            b[4] = 0;
            break;
        case 1:
            b[2] = 8;
            b[1] = -12;
            b[6] = 4;
            break;
        case 2:
            b[0] = 6;
            b[5] = 4;
            break;
        default:
            b[1] = 10;
            b[2] = -8;
            b[3] = 4;
            break;
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
    int zeile = Spieler_Wert(SPIELER_WERT_ZEILE, sp, 0, OP_LESEN);
    int spalte = Spieler_Wert(SPIELER_WERT_SPALTE, sp, 0, OP_LESEN);
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
    u32 st = static_cast<u32>(Spieler_Wert(SPIELER_WERT_STATUS, sp, 0, OP_LESEN));
    if (st & SP_STATUS_ELFMETER) s.flag |= 1;                 // penalty taker
    if (st & SP_STATUS_ECKEN) s.flag |= 2;                    // corner taker
    if (st & SP_STATUS_FREISTOSS) s.flag |= 4;                // free-kick taker
    if (Spieler_Wert(SPIELER_WERT_GEDECKT_VON, sp, 0, OP_LESEN) >= 0) s.flag |= SFS_FLAG_DECKT;  // marks a man
}

// The stronger eleven's skills, its substitutes' too, rise by a point per
// ABSTAND_JE_PUNKT of the gap between the elevens' mean fine strength, up to
// ABSTAND_BIS; beyond ABSTAND_KAPPE the weaker side's rise by a point per
// STAERKE_JE_PUNKT of the rest (the match's mean is set after).
void abstand_verstaerken(Spielfeld_Daten* sf) {
    int summe[2] = {0, 0}, n[2] = {0, 0};
    for (int i = 0; i < SF_SPIELER; i++) {
        const auto& s = sf->spieler[i];
        if (s.spieler < 0 || s.minute_ein != 0) continue;
        summe[sf_seite(i)] += s.staerke;
        n[sf_seite(i)]++;
    }
    if (n[0] == 0 || n[1] == 0) return;
    const int luecke = summe[0] / n[0] - summe[1] / n[1];
    const int punkte = static_cast<int>(
        std::lround(static_cast<double>(std::min(std::abs(luecke), engine::ABSTAND_BIS)) / engine::ABSTAND_JE_PUNKT));
    const int ueber = std::max(0, std::abs(luecke) - engine::ABSTAND_KAPPE);
    const int aufholen = static_cast<int>(std::lround(static_cast<double>(ueber) / engine::STAERKE_JE_PUNKT));
    const int seite = luecke > 0 ? 0 : 1;
    for (int i = 0; i < SF_SPIELER; i++) {
        auto& s = sf->spieler[i];
        if (s.spieler < 0) continue;
        const int p = sf_seite(i) == seite ? punkte : aufholen;
        if (p == 0) continue;
        for (u8* f : {&s.f_pass, &s.f_schuss, &s.f_zweikampf, &s.f_tempo, &s.f_technik, &s.f_kopf})
            *f = skill(*f, p);
        if (s.position == 0) s.f_torwart = skill(s.f_torwart, p);
    }
}

// A match of the lowest division is football as much as one of the top:
// the skills of both sides move together so that the match's mean is the
// same at every level; what the sides are against each other stays.
void auf_spielniveau(Spielfeld_Daten* sf) {
    int summe = 0, n = 0;
    for (const auto& s : sf->spieler)
        if (s.spieler >= 0) {
            summe += s.f_pass + s.f_schuss + s.f_zweikampf + s.f_tempo + s.f_technik + s.f_kopf;
            n += 6;
        }
    if (n == 0) return;
    const int verschiebung = engine::SPIELNIVEAU - summe / n;
    for (auto& s : sf->spieler) {
        if (s.spieler < 0) continue;
        for (u8* f : {&s.f_pass, &s.f_schuss, &s.f_zweikampf, &s.f_tempo, &s.f_technik, &s.f_kopf})
            *f = skill(*f, verschiebung);
        if (s.position == 0) s.f_torwart = skill(s.f_torwart, verschiebung);
    }
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
        if (Spieler_Wert(SPIELER_WERT_ZEILE, start[i], 0, OP_LESEN) == 0) {
            tw = i;
            break;
        }
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
    // A manager who leaves his line-up to the assistant leaves the
    // substitutions to it too: his side is changed as a computer side is.
    const bool mensch = (Team_Wert(TEAM_WERT_STATUS, static_cast<int>(team), 0, OP_LESEN) & TEAM_STATUS_USER) &&
                        !Team_Aufstellung_Automatisch(static_cast<int>(team));
    s.manager = mensch ? SF_MANAGER_MENSCH : SF_MANAGER_COMPUTER;
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

// The mean fine strength of a side's eleven (0 without players).
i32 mittel_fein(const Spielfeld_Daten* sf, int seite) {
    i64 summe = 0;
    int n = 0;
    for (int i = 0; i < MAX_SPIELER_EINGESETZT; i++) {
        const i32 sp = sf->spieler[seite * SF_PRO_SEITE + i].spieler;
        if (sp < 0 || sp >= Spieler_Anzahl) continue;
        summe += Spieler_Daten[sp].staerke_fein;
        n++;
    }
    return n ? static_cast<i32>(summe / n) : 0;
}

void ratings_setzen(Spielfeld_Daten* sf) {
    const i32 d = Spielfeld_Rating_Abstand(mittel_fein(sf, 0) - mittel_fein(sf, 1), sf->gast_von_aussen != 0);
    const int gast = Spielfeld_Seitenwert(sf, 1);
    sf->rating[1] = static_cast<i8>(gast);
    sf->rating[0] = static_cast<i8>(std::clamp(gast + d, -128, 127));
}

}  // namespace

u32 Spielfeld_Register_Stand() { return SF_Register.stand; }

int Spielfeld_Seitenwert(const Spielfeld_Daten* sf, int seite) {
    if (!sf || seite < 0 || seite > 1) return 0;
    return std::clamp<i32>(mittel_fein(sf, seite) / SF_SEITENWERT_TEILER, 0, 127);
}

int Spielfeld_Rating_Abstand(i32 luecke, bool neutral) {
    // The gap at which the home side's share leaves the flat part upwards.
    const i32 k = SF_RATING_SCHRITT;
    const i32 oben = neutral ? 2 * k : 0;
    const i32 d = luecke >= oben ? 4 + (luecke - oben) / k : -8 - (oben - luecke + k - 1) / k;
    return std::clamp(d, -30, 30);
}

void Spielfeld_Set_Hooks(const Spielfeld_Hooks& h) {
    const Spielfeld_Hooks standard;
    spielfeld_tabelle = h;
    auto ersetzen = [](auto& eintrag, auto vorgabe) {
        if (!eintrag) eintrag = vorgabe;
    };
    ersetzen(spielfeld_tabelle.spiel_info, standard.spiel_info);
    ersetzen(spielfeld_tabelle.check_spielende, standard.check_spielende);
    ersetzen(spielfeld_tabelle.spiele_ereignis, standard.spiele_ereignis);
    ersetzen(spielfeld_tabelle.ankuendigung_refresh, standard.ankuendigung_refresh);
    ersetzen(spielfeld_tabelle.reset_spielschritt, standard.reset_spielschritt);
    ersetzen(spielfeld_tabelle.blit_spielfeld, standard.blit_spielfeld);
    ersetzen(spielfeld_tabelle.ansicht_init, standard.ansicht_init);
    ersetzen(spielfeld_tabelle.ansicht_free, standard.ansicht_free);
    ersetzen(spielfeld_tabelle.ansicht_run, standard.ansicht_run);
    ersetzen(spielfeld_tabelle.ansicht_get_spielfeld, standard.ansicht_get_spielfeld);
    ersetzen(spielfeld_tabelle.ticker, standard.ticker);
    ersetzen(spielfeld_tabelle.sound_stadion, standard.sound_stadion);
    ersetzen(spielfeld_tabelle.sound_reaktion, standard.sound_reaktion);
    ersetzen(spielfeld_tabelle.sound_stereo, standard.sound_stereo);
    ersetzen(spielfeld_tabelle.statistik_spieler, standard.statistik_spieler);
    ersetzen(spielfeld_tabelle.wettbewerb_ereignis, standard.wettbewerb_ereignis);
    ersetzen(spielfeld_tabelle.spieler_nach_spiel, standard.spieler_nach_spiel);
    ersetzen(spielfeld_tabelle.strafe, standard.strafe);
    ersetzen(spielfeld_tabelle.client_signal, standard.client_signal);
    ersetzen(spielfeld_tabelle.hole_spielfeld, standard.hole_spielfeld);
    ersetzen(spielfeld_tabelle.set_bereit, standard.set_bereit);
    ersetzen(spielfeld_tabelle.anzeige_max, standard.anzeige_max);
    ersetzen(spielfeld_tabelle.positionsabzug, standard.positionsabzug);
}
const Spielfeld_Hooks& Spielfeld_Get_Hooks() { return SF_Hook; }

// ---------------------------------------------------------------------------

void Spielfeld_Init() { Spielfeld_Speicherblock_Anmelden(); }

void Spielfeld_DeInit() {
    for (auto*& t : SF_Register.tabelle) {
        std::free(t);
        t = nullptr;
    }
    Spielfeld_Vorrat_Freigeben();
    ++SF_Register.stand;
    SF_Register.anzeige_anzahl = 0;
    SF_Register.replay_aktiv = false;
    if (SF_Register.anzeige_an) SF_Hook.ansicht_free();
    SF_Register.anzeige_an = false;
}

int Spielfeld_Anzahl() {
    int n = 0;
    for (auto* t : SF_Register.tabelle) n += t != nullptr;
    return n;
}

Spielfeld_Daten* Spielfeld_Zeiger(u32 spiel) {
    // The runner asks for every row on every pass: each game's place in the
    // table is remembered and checked against the table before it is
    // trusted (a game has one pitch at most); a game without pitch (played
    // at once by dice when the table was full) is remembered until a pitch
    // enters the table.
    static std::unordered_map<u32, int> platz;
    static std::unordered_map<u32, u32> ohne;
    if (const auto it = platz.find(spiel); it != platz.end()) {
        Spielfeld_Daten* t = SF_Register.tabelle[it->second];
        if (t && t->spiel == spiel) return t;
    }
    if (const auto it = ohne.find(spiel); it != ohne.end() && it->second == SF_Register.stand) return nullptr;
    for (int i = 0; i < SF_MAX_SPIELFELDER; ++i) {
        Spielfeld_Daten* t = SF_Register.tabelle[i];
        if (t && t->spiel == spiel) {
            platz[spiel] = i;
            return t;
        }
    }
    if (ohne.size() > 4096) ohne.clear();
    ohne[spiel] = SF_Register.stand;
    return nullptr;
}

Spielfeld_Daten* SF_Suche_Team(u32 team) {
    for (auto* t : SF_Register.tabelle)
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
        if (!SF_Register.tabelle[i]) {
            frei = i;
            break;
        }
    if (frei < 0) {
        Debug_Printf("Spielfeld_Neu: alle %d Spielfelder belegt\n", SF_MAX_SPIELFELDER);
        return false;
    }
    u32 heim = 0, gast = 0, wettbewerb = 0;
    i32 temperatur = 15, niederschlag = 0;
    if (!SF_Hook.spiel_info(spiel, &heim, &gast, &wettbewerb, &temperatur, &niederschlag)) {
        Debug_Printf("Spielfeld_Neu: Spiel %u unbekannt\n", spiel);
        return false;
    }
    if (heim >= static_cast<u32>(Team_Anzahl) || gast >= static_cast<u32>(Team_Anzahl) || heim == gast) {
        Debug_Printf("Spielfeld_Neu: Spiel %u mit unbekanntem Team (%u, %u)\n", spiel, heim, gast);
        return false;
    }
    Spielfeld_Daten* sf = feld_nehmen();
    if (!sf) return false;
    sf->spiel = spiel;
    sf->wettbewerb = wettbewerb;
    sf->team[0] = heim;
    sf->team[1] = gast;
    // The home side plays at its own ground unless the venue is another club's.
    sf->gast_von_aussen = (heim_team != heim && heim_team < static_cast<u32>(Team_Anzahl)) ? 1 : 0;
    int vorteil = sf->gast_von_aussen ? 0 : engine::HEIMVORTEIL;
    if (!seite_fuellen(sf, 0, heim, vorteil) || !seite_fuellen(sf, 1, gast, 0)) {
        feld_zurueck(sf);
        return false;
    }
    abstand_verstaerken(sf);
    auf_spielniveau(sf);
    for (int i = 0; i < SF_SPIELER; i++) engine::abzug_setzen(sf, i);
    ratings_setzen(sf);
    // The ground the match is played at: the venue when it is another
    // club's (a neutral ground), else the home side's. The crowd is the one
    // that ground holds: never more than its capacity in use.
    const int ort = static_cast<int>(sf->gast_von_aussen ? heim_team : heim);
    i32 platz = Stadion_Get_Kapazitaet(ort);
    if (platz <= 0)
        platz = Team_Wert(TEAM_WERT_STEHPLAETZE, ort, 0, OP_LESEN) + Team_Wert(TEAM_WERT_SITZPLAETZE, ort, 0, OP_LESEN);
    if (platz > 0 && zuschauer > static_cast<u32>(platz)) zuschauer = static_cast<u32>(platz);
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
    i32 belegung = platz > 0 ? static_cast<i32>(static_cast<i64>(zuschauer) * 100 / platz) : 100;
    if (belegung > 100) belegung = 100;
    // The ground as its club has built it: its stands by side and the
    // pitch's look (a club without a stadium record plays on a meadow).
    int stufe[STADION_SEITEN] = {0, 1, 0, -1, -1, -1};
    const Stadion_Daten* stadion = Stadion_Get(ort, 1);
    if (stadion) Stadion_Tribuenen(*stadion, stufe);
    for (int i = 0; i < 6; i++) {
        sf->belegung[i] = belegung;
        sf->tribuene[i] = SF_Tribuene_Byte(stufe[i]);
    }
    sf->bild_art = static_cast<u8>(stadion ? Stadion_Bildart(*stadion) : 0);
    // The home club's boards show its signed advertising partners; a free
    // board and a club without advertising show the house boards.
    const Werbung_Daten* werbung = Werbung_Get(static_cast<int>(heim));
    for (int i = 0; i < 8; i++)
        sf->banden[i] = werbung && werbung->slot[i].betrag > 0 && werbung->slot[i].sponsor < WERBUNG_SPONSOREN
                            ? SF_BANDE_PARTNER + werbung->slot[i].sponsor
                            : 1 + (heim * 8 + i) % 14;
    sf->extra_figur = 0;
    sf->zufall = Rnd_Get_Index();
    sf->anstoss_seite = 0;
    Engine_Taktik_Berechnen(sf, 0);
    Engine_Taktik_Berechnen(sf, 1);
    Engine_Aufstellen(sf, 0);
    SF_Register.tabelle[frei] = sf;
    ++SF_Register.stand;
    if (sf->anzeige) Spielfeld_Anzeige_Hinzufuegen(sf, 0);
    return true;
}

void Spielfeld_Loeschen(u32 wettbewerb) {
    for (auto*& t : SF_Register.tabelle) {
        if (t && t->wettbewerb == wettbewerb) {
            if (t->netz == 1) SF_Netz_Ende_Merken(t);
            SF_Anzeige_Entfernen(t);
            feld_zurueck(t);
            t = nullptr;
            ++SF_Register.stand;
        }
    }
    // The last shown match gone: the live view lets go of its pictures.
    if (SF_Register.anzeige_anzahl == 0) Spielfeld_Anzeige_Aus();
}

void Spielfeld_Vorrat_Freigeben() {
    for (Spielfeld_Daten* sf : feld_vorrat) std::free(sf);
    std::vector<Spielfeld_Daten*>().swap(feld_vorrat);
}

size_t Spielfeld_Vorrat_Anzahl() { return feld_vorrat.size(); }

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
    // Minutes repeat after a break: the other side's limit of the half before counts no more.
    sf->grenze_eigen = static_cast<i16>(sf->minute + 2);
    sf->grenze_andere = sf->grenze_eigen;
    // The break gives some breath back.
    for (auto& sp : sf->spieler) sp.ausdauer = sp.ausdauer + 1500 > 10000 ? 10000 : sp.ausdauer + 1500;
    Engine_Aufstellen(sf, (sf->halbzeit - 1) & 1);
}

void Spielfeld_Set_Zufall(Spielfeld_Daten* sf, u32 saat) {
    if (!sf) return;
    sf->zufall = saat % RND_TABELLE_GROESSE;
    sf->zufall_versatz = static_cast<i16>(saat / RND_TABELLE_GROESSE % RND_TABELLE_GROESSE);
}

bool Spielfeld_Set_Elfmeter(u32 spiel, int seite, int schuetze) {
    Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
    if (!sf || seite < 0 || seite > 1) return false;
    int slot = -1;
    int basis = seite * SF_PRO_SEITE;
    if (schuetze >= basis && schuetze < basis + SF_PRO_SEITE && sf->spieler[schuetze].spieler >= 0) slot = schuetze;
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
        // A client's copy in the break asks on: the server's answer tells
        // when the next half has begun or the match is over there.
        if (sf->netz == 2 && SF_Nachfrage_Faellig(sf, uhrzeit)) SF_Signal_Senden(sf);
        return -1.0f;
    }
    if (sf->anzeige) {
        Spielfeld_Anzeige_Hinzufuegen(sf, 0);
        if (SF_Steuerung.pause) return -1.0f;
        if (SF_Register.replay_aktiv && SF_Register.anzeige_anzahl > 0 && SF_Register.anzeige[0] == sf) return -1.0f;
        if (!SF_Steuerung.schnell && !SF_Spulen) {
            const u32 periode = SF_Periode();
            if (uhrzeit - sf->uhr_basis < periode) return -1.0f;
            const bool zurueck = uhrzeit - sf->uhr_basis > SF_AUFHOLEN_PERIODEN * periode;
            sf->uhr_basis = zurueck ? uhrzeit : sf->uhr_basis + periode;
            SF_Hook.reset_spielschritt();
        }
    }
    if (sf->netz) {
        i16 grenze = sf->grenze_eigen < sf->grenze_andere ? sf->grenze_eigen : sf->grenze_andere;
        if (sf->minute >= grenze) {
            if (!sf->wartet) sf->wartet_seit = uhrzeit;
            sf->wartet = 1;
            if (uhr_steht) *uhr_steht = 1;
            if (uhrzeit - sf->wartet_seit > 2000) SF_Hook.ticker(sf, "Warte auf den Mitspieler ...");
            // A waiting client asks again, so that the server's answer raises its limit.
            if (sf->netz == 2 && SF_Nachfrage_Faellig(sf, uhrzeit)) SF_Signal_Senden(sf);
            return -1.0f;
        }
        sf->wartet = 0;
    }
    Rnd_Push();
    Rnd_Set_Index(static_cast<i32>(sf->zufall + static_cast<u32>(sf->zufall_versatz)), 0);
    Engine_Tick(sf);
    // The end check draws from the pitch's own stream too: every machine that
    // plays the record ends its halves at the same tick.
    SF_Hook.check_spielende(sf);
    sf->zufall = Rnd_Get_Index();
    Rnd_Pop();
    sf->uhr += SF_FRAME_MS;
    if (sf->anzeige && !(sf->ticks & 1)) {
        i16(*b)[3] = sf->replay[sf->replay_pos];
        for (int i = 0; i < SF_REPLAY_OBJEKTE; i++) {
            b[i][0] = static_cast<i16>(sf->objekt[i].x);
            b[i][1] = static_cast<i16>(sf->objekt[i].y);
            b[i][2] = static_cast<i16>(sf->objekt[i].z);
        }
        sf->replay_pos = static_cast<u16>((sf->replay_pos + 1) % SF_REPLAY_BILDER);
        if (sf->replay_anzahl < SF_REPLAY_BILDER) sf->replay_anzahl++;
    }
    if (sf->situation == SIT_HALBZEIT_ENDE && !sf->ende_gemeldet) {
        sf->ende_gemeldet = 1;
        return 1000.0f;
    }
    return static_cast<f32>(sf->minute) + static_cast<f32>(sf->minuten_teil) / SF_TICKS_PRO_MINUTE;
}
