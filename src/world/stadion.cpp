// Stadiums.
#include "world/stadion.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "base/bereich.h"
#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/netz.h"
#include "world/welt.h"

namespace {

const Stadion_Modell vorgabe[6] = {
    {1000, 9000, 0, 100, 10000, 10000, 2, 30},          {5000, 16000, 1200000, 150, 10000, 30000, 2, 40},
    {12000, 32000, 3500000, 300, 20000, 50000, 2, 50},  {25000, 45000, 12000000, 600, 50000, 70000, 2, 60},
    {35000, 70000, 35000000, 800, 80000, 90000, 2, 80}, {60000, 120000, 90000000, 1200, 120000, 120000, 2, 90}};
Stadion_Modell klassen[6] = {vorgabe[0], vorgabe[1], vorgabe[2], vorgabe[3], vorgabe[4], vorgabe[5]};
i32 zuschauer_level = 100;
i32 normpreis_level = 20;

std::vector<Stadion_Daten> stadien;
std::vector<u8> vorhanden;
std::vector<std::vector<Stadion_Erweiterung>> erweiterung;  // empty or one table per team
i32 prozent = 100;
std::vector<Stadion_Daten> neu_stadien;
std::vector<u8> neu_vorhanden;
std::vector<std::vector<Stadion_Erweiterung>> neu_erweiterung;
i32 neu_prozent = 100;

void stadion_anlegen(int t) {
    Stadion_Daten& s = stadien[static_cast<size_t>(t)];
    s = Stadion_Daten{};
    s.sitzplaetze = Team_Daten[t].sitzplaetze;
    s.stehplaetze = Team_Daten[t].stehplaetze;
    if (s.sitzplaetze + s.stehplaetze <= 0) s.sitzplaetze = 5000;
    s.kapazitaet = s.sitzplaetze + s.stehplaetze;
    s.klasse = Stadion_Klasse_Von_Kapazitaet(s.kapazitaet);
    s.groesse = s.kapazitaet / 1000;
    s.eintrittspreis = std::clamp(normpreis_level, STADION_EINTRITT_MIN, STADION_EINTRITT_MAX);
    s.komfort = klassen[s.klasse].normkomfort;
    vorhanden[static_cast<size_t>(t)] = 1;
}

// The module is set up with the season's modules, before a new game has
// read its world: teams that came later get their stadium when first asked.
void groesse_sichern() {
    if (Team_Anzahl <= static_cast<int>(stadien.size()) || !Team_Daten) return;
    const size_t alt = stadien.size();
    stadien.resize(static_cast<size_t>(Team_Anzahl));
    vorhanden.resize(stadien.size(), 0);
    erweiterung.resize(stadien.size());
    for (int t = static_cast<int>(alt); t < Team_Anzahl; t++)
        if (t != Team_Transfermarkt) stadion_anlegen(t);
}

bool ok(int t) {
    if (t >= static_cast<int>(stadien.size())) groesse_sichern();
    return t >= 0 && t < static_cast<int>(stadien.size()) && vorhanden[static_cast<size_t>(t)];
}

void neu_berechnen(Stadion_Daten* s) {
    s->kapazitaet = s->sitzplaetze + s->stehplaetze;
    // The class ranges overlap: a stadium keeps its built class while its
    // capacity lies in that class's range (more seats do not build a class).
    const bool im_bereich = s->klasse >= 0 && s->klasse <= 5 && s->kapazitaet >= klassen[s->klasse].min_kapazitaet &&
                            s->kapazitaet <= klassen[s->klasse].max_kapazitaet;
    if (!im_bereich) s->klasse = Stadion_Klasse_Von_Kapazitaet(s->kapazitaet);
    s->groesse = s->kapazitaet / 1000;
}

}  // namespace

const Stadion_Modell& Stadion_Get_Klasse(int k) { return klassen[std::clamp(k, 0, 5)]; }

void Stadion_Modell_Setzen(int modell, int feld, i32 wert) {
    if (modell < 1 || modell > 6 || feld < 0 || feld > 7) return;
    static i32 Stadion_Modell::*const felder[8] = {
        &Stadion_Modell::min_kapazitaet, &Stadion_Modell::max_kapazitaet,       &Stadion_Modell::baupreis,
        &Stadion_Modell::platz_baupreis, &Stadion_Modell::grundpreis_pro_spiel, &Stadion_Modell::komfort_baupreis,
        &Stadion_Modell::platzkosten,    &Stadion_Modell::normkomfort};
    klassen[modell - 1].*felder[feld] = wert;
}

void Stadion_Level_Setzen(int welcher, i32 wert) {
    if (welcher == 0) zuschauer_level = std::clamp(wert, 0, 1000);
    else if (welcher == 1) normpreis_level = std::clamp(wert, 1, 40);
}

i32 Stadion_Get_Level(int welcher) { return welcher == 0 ? zuschauer_level : normpreis_level; }

void Stadion_Modelle_Zuruecksetzen() {
    for (int i = 0; i < 6; i++) klassen[i] = vorgabe[i];
    zuschauer_level = 100;
    normpreis_level = 20;
}

int Stadion_Klasse_Von_Kapazitaet(int kap) {
    int k = 0;
    for (int i = 0; i < 6; i++)
        if (kap >= klassen[i].min_kapazitaet) k = i;
    // The highest class whose range still holds the capacity.
    while (k > 0 && kap < klassen[k].min_kapazitaet) k--;
    return k;
}

void Stadion_Init() {
    stadien.assign(static_cast<size_t>(Team_Anzahl), Stadion_Daten{});
    vorhanden.assign(static_cast<size_t>(Team_Anzahl), 0);
    erweiterung.assign(static_cast<size_t>(Team_Anzahl), {});
    prozent = 100;
    for (int t = 0; t < Team_Anzahl; t++)
        if (t != Team_Transfermarkt) stadion_anlegen(t);
}

void Stadion_Free() {
    stadien.clear();
    vorhanden.clear();
    erweiterung.clear();
    prozent = 100;
}

Stadion_Daten* Stadion_Get(int t, int) { return ok(t) ? &stadien[static_cast<size_t>(t)] : nullptr; }

i32 Stadion_Get_Kapazitaet(int t) { return ok(t) ? stadien[static_cast<size_t>(t)].kapazitaet : 0; }

bool Stadion_Set_Prozent(int p) {
    if (prozent != 100) return false;
    prozent = std::clamp(p, 25, 200);
    return true;
}

i32 Stadion_Get_Prozent() { return prozent; }

i32 Stadion_Anziehung(int t) {
    if (t < 0 || t >= Team_Anzahl) return 0;
    // The mean fine strength of the eleven best players, 0..12000, as 0..100.
    int beste[11] = {};
    for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
        int w = Spieler_Daten[Team_Kader(t)[i]].staerke_fein;
        for (int k = 0; k < 11; k++)
            if (w > beste[k]) std::swap(w, beste[k]);
    }
    int summe = 0;
    for (int w : beste) summe += w;
    return std::clamp(summe / 11 / 120, 0, 100);
}

i32 Stadion_Berechne_Zuschauer(int t, int spiel, int nachfrage, int, int, int, int, int, int) {
    if (!ok(t)) return 0;
    const Stadion_Daten& s = stadien[static_cast<size_t>(t)];
    if (s.kapazitaet <= 0) return 0;
    // The home club's draw, the opponent's and the match's demand (which
    // holds its importance); a neutral venue counts both sides as guests.
    Welt_Spiel_Info info;
    int heim = 40, gast = 40;
    if (Welt_Hook.spiel_daten(spiel, &info)) {
        heim = Stadion_Anziehung(info.heim);
        gast = Stadion_Anziehung(info.gast);
        if (info.heim != t) heim = (heim + gast) / 2;
    }
    // The base of 15 % carries a league match whose table still leaves both
    // sides every place open (the demand of most matchdays, about 75 % of a
    // decisive match's).
    i64 q = 15 + std::clamp(nachfrage, 0, 120) * 3 / 8 + heim / 3 + gast / 5;  // per cent
    // Comfort above the class's standard draws more, below it fewer (+-20 % at most).
    q = q * (100 + std::clamp(s.komfort - klassen[s.klasse].normkomfort, -40, 40) / 2) / 100;
    // Each unit of ticket price below the standard level draws 2 % more, above it 2 % fewer.
    q = q * std::clamp(100 + 2 * (normpreis_level - std::clamp(s.eintrittspreis, 5, 60)), 40, 160) / 100;
    q = q * zuschauer_level / 100;
    q = q * prozent / 100;
    // Some always come, unless the attendance level is set to nobody.
    if (zuschauer_level > 0) q = std::max<i64>(q, 5);
    const i64 z = s.kapazitaet * q / 100;
    return static_cast<i32>(std::clamp<i64>(z, zuschauer_level > 0 ? 1 : 0, s.kapazitaet));
}

i32 Stadion_Spiel_Abrechnen(int ort, int heim, int gast, i32 zuschauer, int heim_anteil, int gast_anteil) {
    if (!ok(ort)) return 0;
    Stadion_Daten& s = stadien[static_cast<size_t>(ort)];
    s.zuschauer = std::clamp(zuschauer, 0, std::max(0, s.kapazitaet));
    s.einnahme = static_cast<f32>(s.zuschauer) * static_cast<f32>(s.eintrittspreis);
    // The sides' shares of the takings, the rest to the club whose ground it is.
    const int pa = heim >= 0 && heim < Team_Anzahl ? std::clamp(heim_anteil, 0, 100) : 0;
    const int pb = gast >= 0 && gast < Team_Anzahl ? std::clamp(gast_anteil, 0, 100 - pa) : 0;
    const f64 gesamt = s.einnahme, a = gesamt * pa / 100, b = gesamt * pb / 100;
    const std::pair<int, f64> teile[3] = {{heim, a}, {gast, b}, {ort, gesamt - a - b}};
    for (const auto& [team, betrag] : teile)
        if (betrag >= 1.0) Bank_Buchen(-1, team, static_cast<f32>(betrag), BANK_ZUSCHAUER, 1, -1);
    return s.zuschauer;
}

i32 Stadion_Spiel_Auswerten(int t, int spiel, int nachfrage) {
    if (!ok(t)) return 0;
    return Stadion_Spiel_Abrechnen(t, t, -1, Stadion_Berechne_Zuschauer(t, spiel, nachfrage, 100, 0, 0, 0, 0, 0), 100,
                                   0);
}

void Stadion_Nach_Spiel(int t, int) {
    if (!ok(t)) return;
    const Stadion_Daten& s = stadien[static_cast<size_t>(t)];
    const Stadion_Modell& m = klassen[s.klasse];
    f32 kosten =
        static_cast<f32>(m.grundpreis_pro_spiel) + static_cast<f32>(m.platzkosten) * static_cast<f32>(s.kapazitaet);
    if (kosten >= 1.0f) Bank_Buchen(t, -1, kosten, BANK_STADIONBETRIEB, 1, -1);
}

bool Stadion_Set_Daten(int t, const Stadion_Daten* d) {
    if (!ok(t) || !d || Welt_Client_Fremd(t)) return false;
    if (d->sitzplaetze < 0 || d->stehplaetze < 0 || d->sitzplaetze + d->stehplaetze > STADION_PLAETZE_MAX) return false;
    Stadion_Daten& s = stadien[static_cast<size_t>(t)];
    s.sitzplaetze = d->sitzplaetze;
    s.stehplaetze = d->stehplaetze;
    s.eintrittspreis = std::clamp(d->eintrittspreis, STADION_EINTRITT_MIN, STADION_EINTRITT_MAX);
    s.komfort = std::clamp(d->komfort, 0, STADION_KOMFORT_HOECHST);
    neu_berechnen(&s);
    Team_Daten[t].sitzplaetze = s.sitzplaetze;
    Team_Daten[t].stehplaetze = s.stehplaetze;
    return true;
}

bool Stadion_Set_Erweiterung_Slots_Info(int spiel, const Welt_Spiel_Info& info) {
    if (ruf::Client()) {
        Debug_Out(DEBUG_FEHLER, "Client-Zugriff: Stadion_Set_Erweiterung_Slots()");
        return false;
    }
    // The table of the ground the match was played at.
    const int t = info.ort >= 0 ? info.ort : info.heim;
    if (!ok(t) || info.heim < 0 || info.heim >= Team_Anzahl || info.gast < 0 || info.gast >= Team_Anzahl) return false;
    erweiterung.resize(stadien.size());
    auto& tabelle = erweiterung[static_cast<size_t>(t)];
    if (tabelle.empty()) tabelle.push_back(Stadion_Erweiterung{});
    Stadion_Erweiterung& e = tabelle[0];
    Stadion_Erweiterung_Slot* ziel = nullptr;
    for (auto& sl : e.slot)
        if (sl.belegt && sl.spiel == spiel && sl.tag == info.tag) ziel = &sl;
    if (!ziel) {
        ziel = &e.slot[e.naechster];
        if (!ziel->belegt) e.anzahl++;
        e.naechster = (e.naechster + 1) % STADION_ERWEITERUNG_SLOTS;
    }
    const Stadion_Daten& s = stadien[static_cast<size_t>(t)];
    Stadion_Erweiterung_Slot n{};
    n.spiel = spiel;
    n.tag = info.tag;
    n.heim = static_cast<i16>(info.heim);
    n.gast = static_cast<i16>(info.gast);
    n.zuschauer = std::clamp(info.zuschauer, 0, s.kapazitaet);
    n.einnahme = static_cast<f32>(n.zuschauer) * static_cast<f32>(s.eintrittspreis);
    n.tore_heim = static_cast<i8>(std::clamp(info.tore_heim, 0, 127));
    n.tore_gast = static_cast<i8>(std::clamp(info.tore_gast, 0, 127));
    n.wettbewerb = static_cast<u8>(info.wettbewerb >= 0 && info.wettbewerb < 255 ? info.wettbewerb : 255);
    n.belegt = 1;
    *ziel = n;
    return true;
}

void Stadion_Set_Erweiterung_Slots(int spiel) {
    Welt_Spiel_Info info;
    if (!Welt_Hook.spiel_daten(spiel, &info)) return;
    Stadion_Set_Erweiterung_Slots_Info(spiel, info);
}

const Stadion_Erweiterung* Stadion_Get_Erweiterung(int t) {
    if (!ok(t) || static_cast<size_t>(t) >= erweiterung.size() || erweiterung[static_cast<size_t>(t)].empty())
        return nullptr;
    return &erweiterung[static_cast<size_t>(t)][0];
}

bool Stadion_Ausbauen(int t) {
    if (!ok(t) || Welt_Client_Fremd(t)) return false;
    Stadion_Daten& s = stadien[static_cast<size_t>(t)];
    if (s.klasse >= 5) return false;
    const Stadion_Modell& k = klassen[s.klasse + 1];
    i32 neu = std::max(0, k.min_kapazitaet - s.kapazitaet);
    f32 preis = static_cast<f32>(k.baupreis) + static_cast<f32>(k.platz_baupreis) * static_cast<f32>(neu);
    if (preis >= 1.0f && !Bank_Buchen(t, -1, preis, BANK_STADIONBAU, 0, -1)) return false;
    s.sitzplaetze += neu;
    s.klasse += 1;  // built: the capacity lies in the new class's range
    neu_berechnen(&s);
    s.komfort = std::max(s.komfort, k.normkomfort);
    // The club's record holds the same places as its ground.
    Team_Daten[t].sitzplaetze = s.sitzplaetze;
    Team_Daten[t].stehplaetze = s.stehplaetze;
    return true;
}

namespace {
bool leer(const Stadion_Daten& x) {
    const Stadion_Daten null{};
    return std::memcmp(&x, &null, sizeof x) == 0;
}
}  // namespace

bool Stadion_Daten_Gueltig(const Stadion_Daten& x) {
    if (!Felder_Pruefen("Stadien", x, STADION_FELDER)) return false;
    // Fields that depend on each other: the capacity is seats plus terraces
    // and the size its thousands; the last crowd fitted the ground as its
    // class allows it (a capacity lowered since stays within the class); a
    // ground of the first class has nothing under construction.
    const i64 plaetze = std::max<i64>(x.kapazitaet, klassen[x.klasse].max_kapazitaet);
    return Bereiche_Pruefen("Stadien", {{"kapazitaet", x.kapazitaet, static_cast<i64>(x.sitzplaetze) + x.stehplaetze,
                                         static_cast<i64>(x.sitzplaetze) + x.stehplaetze},
                                        {"groesse", x.groesse, x.kapazitaet / 1000, x.kapazitaet / 1000},
                                        {"zuschauer", x.zuschauer, 0, plaetze},
                                        {"bau_tage", x.bau_tage, 0, x.klasse > 0 ? 366 : 0}}) &&
           Bereiche_Pruefen_F("Stadien", {{"einnahme", x.einnahme, 0.0, STADION_EINNAHME_MAX}});
}

// Block: u32 version, u32 count, i32 attendance level; per team a flag byte
// (1 record present, 2 extension table follows), the record and the table.
namespace {
constexpr u32 BLOCK_VERSION = 1;
constexpr u8 FLAG_DA = 1, FLAG_ERWEITERUNG = 2;
}  // namespace

// The extension's image is its bytes in memory (the autosave copies it
// whole): each field lies where the image puts it, with no gap between.
static_assert(offsetof(Stadion_Erweiterung_Slot, spiel) == 0 && offsetof(Stadion_Erweiterung_Slot, tag) == 4 &&
                  offsetof(Stadion_Erweiterung_Slot, heim) == 8 && offsetof(Stadion_Erweiterung_Slot, gast) == 10 &&
                  offsetof(Stadion_Erweiterung_Slot, zuschauer) == 12 &&
                  offsetof(Stadion_Erweiterung_Slot, einnahme) == 16 &&
                  offsetof(Stadion_Erweiterung_Slot, tore_heim) == 20 &&
                  offsetof(Stadion_Erweiterung_Slot, tore_gast) == 21 &&
                  offsetof(Stadion_Erweiterung_Slot, wettbewerb) == 22 &&
                  offsetof(Stadion_Erweiterung_Slot, belegt) == 23 && offsetof(Stadion_Erweiterung_Slot, frei) == 24,
              "an extension slot's fields lie in the order of its image");
static_assert(offsetof(Stadion_Erweiterung, anzahl) == 0 && offsetof(Stadion_Erweiterung, naechster) == 4 &&
                  offsetof(Stadion_Erweiterung, slot) == 8,
              "the extension's fields lie in the order of its image");

bool Stadion_Speichern(Datei_Status* d) {
    erweiterung.resize(stadien.size());
    return Datei_Schreiben_Felder(d, [&](bytes::Schreiber& s) {
        s(BLOCK_VERSION), s(static_cast<u32>(stadien.size())), s(prozent);
        for (size_t t = 0; t < stadien.size(); t++) {
            const bool mit = vorhanden[t] && !erweiterung[t].empty();
            s(static_cast<u8>((vorhanden[t] ? FLAG_DA : 0) | (mit ? FLAG_ERWEITERUNG : 0))), s(stadien[t]);
            if (mit) bytes::wie_im_speicher(s, erweiterung[t][0]);
        }
    });
}

bool Stadion_Laden(Datei_Status* d) {
    u32 version = 0, n = 0;
    i32 p = 0;
    if (!Datei_Lesen_Felder(d, 12, [&](bytes::Leser& l) { l(version), l(n), l(p); }) ||
        !Bereiche_Pruefen("Stadien", {{"version", version, BLOCK_VERSION, BLOCK_VERSION},
                                      {"anzahl", n, 0, MAX_TEAMS},
                                      {"prozent", p, 25, 200}}))
        return false;
    std::vector<Stadion_Daten> s(n);
    std::vector<u8> v(n);
    std::vector<std::vector<Stadion_Erweiterung>> e(n);
    for (u32 t = 0; t < n; t++) {
        if (!Datei_Lesen_Felder(d, 1 + bytes::groesse<Stadion_Daten>(), [&](bytes::Leser& l) { l(v[t]), l(s[t]); }) ||
            v[t] > (FLAG_DA | FLAG_ERWEITERUNG) || v[t] == FLAG_ERWEITERUNG)
            return false;
        // A team without a stadium keeps an empty record.
        if ((v[t] & FLAG_DA) ? !Stadion_Daten_Gueltig(s[t]) : !leer(s[t])) return false;
        if (v[t] & FLAG_ERWEITERUNG) {
            Stadion_Erweiterung x;
            if (!Datei_Lesen_Felder(d, bytes::groesse<Stadion_Erweiterung>(), [&](bytes::Leser& l) { l(x); }))
                return false;
            if (x.naechster < 0 || x.naechster >= STADION_ERWEITERUNG_SLOTS || x.anzahl < 0 ||
                x.anzahl > STADION_ERWEITERUNG_SLOTS)
                return false;
            for (const Stadion_Erweiterung_Slot& e : x.slot)
                if (e.belegt > 1 || e.heim < -1 || e.heim >= MAX_TEAMS || e.gast < -1 || e.gast >= MAX_TEAMS ||
                    e.zuschauer < 0)
                    return false;
            e[t].push_back(x);
            v[t] = FLAG_DA;
        }
    }
    neu_stadien = std::move(s);
    neu_vorhanden = std::move(v);
    neu_erweiterung = std::move(e);
    neu_prozent = p;
    return true;
}

void Stadion_Uebernehmen() {
    stadien = std::move(neu_stadien);
    vorhanden = std::move(neu_vorhanden);
    erweiterung = std::move(neu_erweiterung);
    erweiterung.resize(stadien.size());
    prozent = neu_prozent;
    Stadion_Verwerfen();
}

void Stadion_Verwerfen() {
    neu_stadien.clear();
    neu_vorhanden.clear();
    neu_erweiterung.clear();
    neu_prozent = 100;
}
