// Save block 3: every competition record, packed, with the friendlies'
// id and the count of dummy competitions; checked against the calendar
// before anything is taken over.
#include <algorithm>
#include <utility>
#include <vector>

#include "base/bereich.h"
#include "base/bytes.h"
#include "base/datei.h"
#include "base/debug.h"
#include "season/freundschaft.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_block.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

Wettbewerb* tab() { return Wettbewerb_Tabelle; }
i32 legs(const Wettbewerb& w) { return std::max<i32>(w.best_of_x, 1); }

}  // namespace

namespace {

constexpr u32 SAISON_BLOCK_VERSION = 1;

struct Saison_Staging {
    bool da = false;    // a block was read
    bool leer = false;  // an empty block: the running table stays
    std::vector<Wettbewerb> tabelle;
    i32 freundschaft = -1, dummies = 0;
};
Saison_Staging staging;

// No team in two running base leagues.
bool ligen_eindeutig(const std::vector<Wettbewerb>& t) {
    std::vector<i32> gesehen;
    for (const Wettbewerb& w : t) {
        if (!w.name[0] || !w.basisliga || !w.flags[1]) continue;
        for (i32 k = 0; k < std::clamp(w.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS); ++k) {
            const i32 team = w.aktuelle_team[k];
            if (team <= 0) continue;
            if (std::find(gesehen.begin(), gesehen.end(), team) != gesehen.end()) return false;
            gesehen.push_back(team);
        }
    }
    return true;
}

// Every competition in use within its ranges, its team lists within the
// world's numbers (-1 none).
bool werte_gut(const std::vector<Wettbewerb>& t) {
    static_assert(WETTBEWERB_FELDER[7].max == KALENDER_SLOTS - 1, "the calendar marks' range");
    static_assert(WETTBEWERB_FELDER[std::size(WETTBEWERB_FELDER) - 1].max == KONTINENT_ANZAHL - 1,
                  "the continents' range");
    for (const Wettbewerb& w : t) {
        if (!w.name[0]) continue;
        if (!Felder_Pruefen("Wettbewerbe", w, WETTBEWERB_FELDER)) return false;
        for (int k = 0; k < WETTBEWERB_MAX_TEAMS; ++k)
            if (!Bereiche_Pruefen("Wettbewerbe", {{"aktuelle_team", w.aktuelle_team[k], -1, MAX_TEAMS - 1},
                                                  {"start_team", w.start_team[k], -1, MAX_TEAMS - 1},
                                                  {"teilnehmer", w.teilnehmer[k], -1, MAX_TEAMS - 1}}))
                return false;
    }
    return true;
}

// Every running competition has played no more legs than its days so far.
bool kalender_passt(const std::vector<Wettbewerb>& t, const Kalender_Zustand& k) {
    const i32 heute = k.aktuell.tag - k.basistag;
    for (const Wettbewerb& w : t) {
        if (!w.name[0] || w.kalendermarke < 0) continue;
        if (w.kalendermarke >= KALENDER_SLOTS) return false;
        if (w.vorherige_gruppe >= 0 || w.spieltage <= 0) continue;
        i32 tage = 0;
        for (i32 d = 0; d <= std::min(heute, KALENDER_TAGE - 1); ++d)
            if (k.bits[w.kalendermarke / 32][d] & (1u << (w.kalendermarke % 32))) ++tage;
        const i32 gespielt = std::min(w.aktueller_spieltag, w.spieltage) * legs(w) + w.aktuelle_runde;
        if (gespielt > tage) return false;
    }
    return true;
}

}  // namespace

bool Wettbewerb_Save(Datei_Status* datei) {
    if (!datei) return false;
    if (!Wettbewerb_Modul_Bereit()) return true;  // no season yet: an empty block
    std::vector<u8> bild(static_cast<size_t>(WETTBEWERB_ANZAHL) * WETTBEWERB_GROESSE);
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        Wettbewerb_Bild_Schreiben(tab()[i], bild.data() + static_cast<size_t>(i) * WETTBEWERB_GROESSE);
    const u32 version = SAISON_BLOCK_VERSION, anzahl = WETTBEWERB_ANZAHL;
    return Datei_Schreiben_Felder(datei,
                                  [&](bytes::Schreiber& s) {
                                      s(version), s(Wettbewerb_Freundschaft_Id), s(Wettbewerb_Dummy_Anzahl), s(anzahl);
                                  }) &&
           Datei_Schreiben_Gepackt_Vektor(datei, std::move(bild));
}

bool Wettbewerb_Lesen(Datei_Status* datei) {
    staging = Saison_Staging{};
    if (!datei) return false;
    if (Datei_Groesse(datei) == 0) {
        staging.da = staging.leer = true;
        return true;
    }
    u32 version = 0, anzahl = 0;
    Saison_Staging neu;
    if (!Datei_Lesen_Felder(datei, 16,
                            [&](bytes::Leser& l) { l(version), l(neu.freundschaft), l(neu.dummies), l(anzahl); }))
        return false;
    if (!Bereiche_Pruefen("Wettbewerbe", {{"version", version, SAISON_BLOCK_VERSION, SAISON_BLOCK_VERSION},
                                          {"anzahl", anzahl, WETTBEWERB_ANZAHL, WETTBEWERB_ANZAHL},
                                          {"dummies", neu.dummies, 0, WETTBEWERB_ANZAHL},
                                          // none (-1) or a competition id, which fits a fixture's byte
                                          {"freundschaft", neu.freundschaft == -1 ? WETTBEWERB_ERSTE_ID : neu.freundschaft,
                                           WETTBEWERB_ERSTE_ID, 255}}))
        return false;
    std::vector<u8> bild(static_cast<size_t>(anzahl) * WETTBEWERB_GROESSE + 1);
    if (Datei_Lesen_Gepackt(datei, bild.data(), static_cast<u32>(bild.size())) != anzahl * WETTBEWERB_GROESSE)
        return false;
    neu.tabelle.resize(anzahl);
    for (u32 i = 0; i < anzahl; ++i) Wettbewerb_Bild_Lesen(neu.tabelle[i], bild.data() + i * WETTBEWERB_GROESSE);
    if (!werte_gut(neu.tabelle)) return false;
    if (!ligen_eindeutig(neu.tabelle)) {
        Debug_Printf("Spielstand: ein Team steht in zwei Ligen\n");
        return false;
    }
    neu.da = true;
    staging = std::move(neu);
    return true;
}

bool Wettbewerb_Pruefen() {
    if (!staging.da || staging.leer) return true;
    Kalender_Zustand k;
    if (Kalender_Gelesen(&k) && !kalender_passt(staging.tabelle, k)) {
        Debug_Printf("Spielstand: ein Wettbewerb hat mehr gespielt als seine Termine erlauben\n");
        return false;
    }
    return true;
}

void Wettbewerb_Uebernehmen() {
    if (staging.da && !staging.leer && Wettbewerb_Modul_Bereit()) {
        std::copy(staging.tabelle.begin(), staging.tabelle.end(), tab());
        Wettbewerb_Freundschaft_Id = staging.freundschaft;
        Wettbewerb_Dummy_Anzahl = staging.dummies;
    }
    staging = Saison_Staging{};
}

void Wettbewerb_Verwerfen() { staging = Saison_Staging{}; }
