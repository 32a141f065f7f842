#include "season/wettbewerb.h"

#include <strings.h>
#include <algorithm>
#include <cstring>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/memory.h"
#include "season/wettbewerb_felder.h"

Wettbewerb* Wettbewerb_Tabelle = nullptr;
i32 Wettbewerb_Freundschaft_Id = -1;
i32 Wettbewerb_Dummy_Anzahl = 0;

namespace {

Wettbewerb vorlage_bauen() {
    Wettbewerb w;
    std::memset(&w, 0, sizeof w);
    w.spielplan = -1;
    w.vorherige_runde = w.naechste_runde = -1;
    w.vorherige_gruppe = w.naechste_gruppe = -1;
    w.visuell_nachfolger = w.visuell_vorgaenger = w.visuell_gruppe = -1;
    w.kalendermarke = -1;
    w.super_alias = WETTBEWERB_KEIN_SUPER_ALIAS;
    w.quote_wochentag = 90;
    w.startwoche = 3;
    w.endwoche = 44;
    w.spielfrei_start = 24;
    w.spielfrei_ende = 29;
    w.teams = 18;
    w.paare_pro_runde = -1;
    w.aktuelle_teams = 18;
    w.spieltage = -1;
    for (auto& a : w.weiterkommen) a = -1;
    w.laufzeit_worte[1] = 17;
    w.laufzeit_worte[2] = 18;
    w.best_of_x = 1;
    w.zweiter = 1;
    w.halbzeit_laenge = 45;
    w.halbzeit_laenge_verl = 15;
    w.halbzeiten = 2;
    w.halbzeiten_verl = 2;
    w.alle_x_jahre = 1;
    w.ausrichter = w.aktueller_ausrichter = w.ausrichter_stadion = -1;
    w.wichtig = 50;
    w.wurzel = -1;
    for (auto& t : w.aktuelle_team) t = -1;
    for (auto& t : w.start_team) t = -1;
    for (auto& t : w.teilnehmer) t = -1;
    w.kalender_position = 5;
    w.erste_gelbsperre = 3;
    w.intervall_gelbsperre = 100;
    return w;
}

const Wettbewerb& vorlage() {
    static const Wettbewerb v = vorlage_bauen();
    return v;
}

struct Modus_Eintrag {
    const char* deutsch;
    const char* englisch;
    u32 bits;
};
const Modus_Eintrag MODI[21] = {
    {"RUECKSPIELE", "RETURN_GAMES", WB_RUECKSPIELE},
    {"HEIMRECHT", "HOME_PRIVILEGE", WB_HEIMRECHT},
    {"KO_SYSTEM", "KO_SYSTEM", WB_KO_SYSTEM | WB_ELFMETERSCHIESSEN},
    {"VERLAENGERUNG", "EXTRATIME", WB_VERLAENGERUNG},
    {"AUSWTORE_DOPPELT", "AWAY_GOALS_DOUBLED", WB_AUSWTORE_DOPPELT},
    {"LOSEN", "TOSS", WB_LOSEN},
    {"ENGLISCHE_TABELLE", "ENGLISH_TABLE", WB_ENGLISCHE_TABELLE},
    {"OHNE_SCHIRI", "WITHOUT_REF", WB_OHNE_SCHIRI},
    {"RUECKSPIEL_SOFORT", "PROMPT_REPLAY", WB_RUECKSPIEL_SOFORT},
    {"AMATEUR_HEIMRECHT", "AMATEUR_HOME_PRIVILEGE", WB_AMATEUR_HEIMRECHT},
    {"SUDDEN_DEATH", "SUDDEN_DEATH", WB_SUDDEN_DEATH},
    {"ELFMETERSCHIESSEN", "PENALTY_SHOOTOUT", WB_ELFMETERSCHIESSEN},
    {"AUSRICHTER_DABEI", "HOST_QUALIFYING", WB_AUSRICHTER_DABEI},
    {"EINNAHMEN_TEILEN", "SHARE_INCOME", WB_EINNAHMEN_TEILEN},
    {"SPIELE_PRO_SPIELTAG_VARIABEL", "GAMES_PER_MATCHDAY_VARIABLE", WB_SPIELE_VARIABEL},
    {"SCHIRI_NICHT_AUS_TEAMLAND", "REF_NOT_TEAM_NATIONAL", WB_SCHIRI_NICHT_AUS_TEAMLAND},
    {"QUALIFIKANTEN_AUS_LIGABAUM", "QUALIFIERS_EX_LEAGUETREE", WB_QUALI_AUS_LIGABAUM | WB_ELFMETERSCHIESSEN},
    {"GELBSPERRE_ZUSAMMENZAEHLEN", "TOTAL_YELLOW_BANS", WB_GELBSPERRE_ZUSAMMEN},
    {"WIEDERHOLUNGSSPIEL", "MATCH_REPLAY", WB_WIEDERHOLUNGSSPIEL},
    {"ENGLISCHE_GELBSPERRE", "ENGLISH_YELLOW_BAN", WB_ENGLISCHE_GELBSPERRE},
    {"dummy", "REPLAY_IF_DRAW", 0},
};

struct Runden_Eintrag {
    const char* deutsch;
    const char* englisch;
    const char* symbol;
};
const Runden_Eintrag RUNDEN[WETTBEWERB_RUNDEN_NAMEN] = {
    {"HEUTIGE_SPIELE", "TODAYS_GAMES", "*33"},
    {"1.RUNDE", "1ST_ROUND", "*34"},
    {"2.RUNDE", "2ND_ROUND", "*35"},
    {"3.RUNDE", "3RD_ROUND", "*36"},
    {"ACHTELFINALE", "LAST_SIXTEEN_FINAL", "*40"},
    {"VIERTELFINALE", "QUARTER_FINAL", "*41"},
    {"HALBFINALE", "SEMI_FINAL", "*42"},
    {"FINALE", "FINAL", "*43"},
    {"SPIEL_UM_DEN_3.PLATZ", "3RD_PLACE_PLAYOFF", "*44"},
    {"VORRUNDE", "PRELIM", "*45"},
    {"ZWISCHENRUNDE", "ROUND", "*46"},
    {"QUALIFIKATIONSRUNDE", "QUALIFYING_ROUND", "*47"},
    {"QUALIFIKATION", "QUALIFICATION", "*48"},
    {"4.RUNDE", "4TH_ROUND", "*37"},
    {"5.RUNDE", "5TH_ROUND", "*38"},
    {"6.RUNDE", "6TH_ROUND", "*39"},
};

// Visits every field of the record in image order.
template <class IO, class W>
void felder(IO& io, W& w) {
    io(w.name);
    io(w.gruppen_name);
    io(w.identifikation);
    io(w.team_slots);
    io(w.paarungen);
    io(w.paarungs_tabelle);
    season::felder_7_bis_38(io, w);
    io(w.weiterkommen);
    io(w.quali_fuer);
    io(w.laufzeit_worte);
    io(w.rundentext);
    season::felder_43_bis_64(io, w);
    io(w.auffuellen);
    io(w.quali_land);
    io(w.ketten_spieltage);
    io(w.wurzel);
    io(w.platz_slots);
    io(w.aktuelle_team);
    io(w.start_team);
    io(w.teilnehmer);
    io(w.ranglisten_wert);
    io(w.kalender_position);
    season::felder_75_bis_88(io, w);
    io(w.slot_worte);
    io(w.antritts_praemie);
    io(w.kontinent);
    io(w.frei91);
    io(w.wert_a);
    io(w.wert_b);
    io(w.wert_c);
    io(w.frei95);
}

bool benannt(i32 index) {
    return Wettbewerb_Tabelle && index >= 0 && index < WETTBEWERB_ANZAHL && Wettbewerb_Tabelle[index].name[0] != 0;
}

i32 id_von_index(i32 index) { return benannt(index) ? Wettbewerb_Tabelle[index].id : -1; }

Wettbewerb_Horizontal horizontal_global;
Wettbewerb_Vertikal vertikal_global;

}  // namespace

bool Wettbewerb_Init() {
    if (!Wettbewerb_Tabelle) {
        Wettbewerb_Tabelle =
            static_cast<Wettbewerb*>(W32_Memory_H_Alloc(sizeof(Wettbewerb) * WETTBEWERB_ANZAHL, "Wettbewerb_Tabelle"));
        if (!Wettbewerb_Tabelle) return false;
    }
    Wettbewerb_Reset(-1);
    Wettbewerb_Dummy_Anzahl = 0;
    return true;
}

void Wettbewerb_Free() {
    if (Wettbewerb_Tabelle) W32_Memory_H_Free(Wettbewerb_Tabelle);
    Wettbewerb_Tabelle = nullptr;
    Wettbewerb_Freundschaft_Id = -1;
    Wettbewerb_Dummy_Anzahl = 0;
}

bool Wettbewerb_Modul_Bereit() { return Wettbewerb_Tabelle != nullptr; }

void Wettbewerb_Reset(i32 index) {
    if (!Wettbewerb_Tabelle) return;
    auto eins = [](Wettbewerb& w) {
        char name[25];
        std::memcpy(name, w.name, sizeof name);
        w = vorlage();
        std::memcpy(w.name, name, sizeof name);
        for (auto& liste : w.quali_fuer)
            for (auto& q : liste) q = -1;
        for (auto& r : w.rundentext) r = -1;
    };
    if (index == -1) {
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            eins(Wettbewerb_Tabelle[i]);
            std::memset(Wettbewerb_Tabelle[i].name, 0, sizeof Wettbewerb_Tabelle[i].name);
        }
        Wettbewerb_Freundschaft_Id = -1;
        return;
    }
    if (index >= 0 && index < WETTBEWERB_ANZAHL) eins(Wettbewerb_Tabelle[index]);
}

Wettbewerb Wettbewerb_Standard() {
    Wettbewerb w = vorlage();
    for (auto& liste : w.quali_fuer)
        for (auto& q : liste) q = -1;
    for (auto& r : w.rundentext) r = -1;
    return w;
}

void Wettbewerb_Bild_Schreiben(const Wettbewerb& w, u8* out) {
    bytes::bild_schreiben(out, WETTBEWERB_GROESSE, [&](bytes::Schreiber& s) { felder(s, w); });
}

void Wettbewerb_Bild_Lesen(Wettbewerb& w, const u8* in) {
    bytes::Leser l(in, WETTBEWERB_GROESSE);
    felder(l, w);
    w.name[24] = w.gruppen_name[19] = w.identifikation[10] = 0;
}

// ---------------------------------------------------------------------------

namespace {
// The display walks need the table; without it they log the call.
bool tabelle_da(const char* wer) {
    if (Wettbewerb_Tabelle) return true;
    Debug_Printf("%s: Falscher Aufruf\n", wer);
    return false;
}
// A competition shown in the display group.
bool in_gruppe(const Wettbewerb& w, i32 gruppe) {
    return w.name[0] && w.kalendermarke != -1 && w.visuell_gruppe == gruppe;
}
bool wert_setzen(i32 id, i32 wert, i32 Wettbewerb::*feld) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w || wert < 0) return false;
    w->*feld = wert;
    return true;
}
i32 wert_holen(i32 id, i32 Wettbewerb::*feld) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    return w ? w->*feld : -1;
}
}  // namespace

bool Wettbewerb_Set_Wert_A(i32 id, i32 wert) { return wert_setzen(id, wert, &Wettbewerb::wert_a); }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Wettbewerb_Set_Wert_B(i32 id, i32 wert) { return wert_setzen(id, wert, &Wettbewerb::wert_b); }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Wettbewerb_Set_Wert_C(i32 id, i32 wert) { return wert_setzen(id, wert, &Wettbewerb::wert_c); }
i32 Wettbewerb_Get_Wert_A(i32 id) { return wert_holen(id, &Wettbewerb::wert_a); }
i32 Wettbewerb_Get_Wert_B(i32 id) { return wert_holen(id, &Wettbewerb::wert_b); }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Wettbewerb_Get_Wert_C(i32 id) { return wert_holen(id, &Wettbewerb::wert_c); }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Wettbewerb_Get_Wert_D(i32 id) { return wert_holen(id, &Wettbewerb::land); }

void Wettbewerb_Quali_Markierungen_Loeschen() {
    if (!Wettbewerb_Tabelle) return;
    // Every list entry of every record, in one loop without branches.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        i32* q = &Wettbewerb_Tabelle[i].quali_fuer[0][0];
        constexpr size_t N = sizeof Wettbewerb_Tabelle[i].quali_fuer / sizeof(i32);
        for (size_t k = 0; k < N; ++k) q[k] = q[k] == -3 ? -1 : q[k];
    }
}

int Wettbewerb_Modus_Schluessel(const char* text) {
    if (!text) return -1;
    for (int i = 0; i < 21; ++i)
        if (strcasecmp(text, MODI[i].deutsch) == 0 || strcasecmp(text, MODI[i].englisch) == 0) return i;
    return -1;
}
u32 Wettbewerb_Modus_Bits(int index) { return index >= 0 && index < 21 ? MODI[index].bits : 0; }
const char* Wettbewerb_Modus_Name(int index, bool englisch) {
    if (index < 0 || index >= 21) return nullptr;
    return englisch ? MODI[index].englisch : MODI[index].deutsch;
}

int Wettbewerb_Rundenname_Index(const char* text) {
    if (!text) return -1;
    for (int i = 0; i < WETTBEWERB_RUNDEN_NAMEN; ++i)
        if (strcasecmp(text, RUNDEN[i].deutsch) == 0 || strcasecmp(text, RUNDEN[i].englisch) == 0) return i;
    return -1;
}
const char* Wettbewerb_Rundenname(int index, bool englisch) {
    if (index < 0 || index >= WETTBEWERB_RUNDEN_NAMEN) return nullptr;
    return englisch ? RUNDEN[index].englisch : RUNDEN[index].deutsch;
}
const char* Wettbewerb_Rundenname_Symbol(int index) {
    if (index < 0 || index >= WETTBEWERB_RUNDEN_NAMEN) return nullptr;
    return RUNDEN[index].symbol;
}

// ---------------------------------------------------------------------------

i32 Wettbewerb_Get_Index(i32 id) {
    if (!Wettbewerb_Tabelle || id < 0) return -1;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (Wettbewerb_Tabelle[i].name[0] && Wettbewerb_Tabelle[i].id == id) return i;
    return -1;
}

i32 Wettbewerb_Get_Index_Von_Marke(i32 marke) {
    if (!Wettbewerb_Tabelle || marke < 0) return -1;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (Wettbewerb_Tabelle[i].name[0] && Wettbewerb_Tabelle[i].kalendermarke == marke) return i;
    return -1;
}

Wettbewerb* Wettbewerb_Get_Zeiger(i32 id) {
    i32 i = Wettbewerb_Get_Index(id);
    return i < 0 ? nullptr : &Wettbewerb_Tabelle[i];
}

Wettbewerb* Wettbewerb_Get_Zeiger_Index(i32 index) { return benannt(index) ? &Wettbewerb_Tabelle[index] : nullptr; }

i32 Wettbewerb_Get_Best_Of(i32 id) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    return w ? w->best_of_x : 1;
}

i32 Wettbewerb_Get_Spielplan(i32 id) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    return w ? w->spielplan : -1;
}

i32 Wettbewerb_Get_Id_Von_Kalendermarke(i32 marke) { return id_von_index(Wettbewerb_Get_Index_Von_Marke(marke)); }

i32 Wettbewerb_Get_Kalendermarke(i32 id) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    return w ? w->kalendermarke : -1;
}

bool Wettbewerb_Ist_Basisliga(i32 id) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    return w && w->basisliga;
}

bool Wettbewerb_Hat_Heimrecht(i32 id) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    return w && (w->modus & WB_HEIMRECHT);
}

bool Wettbewerb_Ist_KO(i32 id) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    return w && (w->modus & WB_KO_SYSTEM);
}

i32 Wettbewerb_Get_Freundschaftsspiele() { return Wettbewerb_Freundschaft_Id; }
bool Wettbewerb_Ist_Freundschaftsspiele(i32 id) { return id != -1 && id == Wettbewerb_Freundschaft_Id; }

i32 Wettbewerb_Get_Liga_Von_Team(i32 team, bool nur_basisligen) {
    if (!Wettbewerb_Tabelle) return -1;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            const Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (!w.name[0] || (nur_basisligen && !w.basisliga)) continue;
            int n = w.teams < WETTBEWERB_MAX_TEAMS ? w.teams : WETTBEWERB_MAX_TEAMS;
            const i16* liste = pass == 0 ? w.aktuelle_team : w.start_team;
            if (pass == 1) n = w.startteam_anzahl < WETTBEWERB_MAX_TEAMS ? w.startteam_anzahl : WETTBEWERB_MAX_TEAMS;
            for (int k = 0; k < n; ++k)
                if (liste[k] == team) return w.id;
        }
    }
    return -1;
}

const Wettbewerb_Info* Wettbewerb_Get_Info(i32 id) {
    static Wettbewerb_Info info;
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w) return nullptr;
    info.modus = w->modus | (Wettbewerb_Ist_Freundschaftsspiele(id) ? WB_KO_SYSTEM : 0);
    info.teams = w->teams;
    info.spieltage = w->spieltage;
    info.aktueller_spieltag = w->aktueller_spieltag;
    info.aktuelle_runde = w->aktuelle_runde;
    info.best_of_x = w->best_of_x;
    info.land = w->land;
    info.basisliga = w->basisliga;
    info.ausrichter = w->ausrichter;
    info.ausrichter_stadion = w->ausrichter_stadion;
    info.grafik_nummer = w->grafik_nummer;
    info.audio_nummer = w->audio_nummer;
    info.spielplan = w->spielplan;
    info.ketten_summe = w->ketten_spieltage[0];
    info.ketten_offset = w->ketten_spieltage[1];
    info.wurzel_id = w->wurzel >= 0 ? id_von_index(w->wurzel) : w->id;
    info.halbzeit_laenge = w->halbzeit_laenge;
    info.halbzeit_laenge_verl = w->halbzeit_laenge_verl;
    info.halbzeiten = w->halbzeiten;
    info.halbzeiten_verl = w->halbzeiten_verl;
    info.sieger = w->sieger;
    info.pokal_praemie = w->pokal_praemie;
    info.wert_a = w->wert_a;
    return &info;
}

// ---------------------------------------------------------------------------

i32 Wettbewerb_Gruppen_Iterator::Erste() {
    index_ = Wettbewerb_Get_Index(id_);
    if (index_ < 0) return -1;
    // Back to the first group of the chain.
    int schritte = 0;
    while (benannt(Wettbewerb_Tabelle[index_].vorherige_gruppe) && schritte++ < WETTBEWERB_ANZAHL)
        index_ = Wettbewerb_Tabelle[index_].vorherige_gruppe;
    schritte_ = 0;
    return Wettbewerb_Tabelle[index_].id;
}

i32 Wettbewerb_Gruppen_Iterator::Naechste() {
    if (!benannt(index_)) return -1;
    i32 n = Wettbewerb_Tabelle[index_].naechste_gruppe;
    if (!benannt(n) || ++schritte_ > WETTBEWERB_ANZAHL) {
        index_ = -1;
        return -1;
    }
    index_ = n;
    return Wettbewerb_Tabelle[n].id;
}

namespace {

// The first competition of the visual group from index `ab` on: its id, the
// cursor on it; -1 and the cursor -1 when there is none.
i32 gruppe_ab(int ab, i32 gruppe, i32* cursor) {
    for (int k = ab; k < WETTBEWERB_ANZAHL; ++k)
        if (in_gruppe(Wettbewerb_Tabelle[k], gruppe)) {
            *cursor = k;
            return Wettbewerb_Tabelle[k].id;
        }
    *cursor = -1;
    return -1;
}

}  // namespace

i32 Wettbewerb_Horizontal::Erster(i32 id) {
    i32 i = Wettbewerb_Get_Index(id);
    if (i < 0) {
        cursor_ = -1;
        return -1;
    }
    gruppe_ = Wettbewerb_Tabelle[i].visuell_gruppe;
    if (gruppe_ == -1) {
        cursor_ = -1;
        return id;
    }
    return gruppe_ab(0, gruppe_, &cursor_);
}

i32 Wettbewerb_Horizontal::Naechster() {
    if (cursor_ < 0 || !Wettbewerb_Tabelle) return -1;
    return gruppe_ab(cursor_ + 1, gruppe_, &cursor_);
}

i32 Wettbewerb_Vertikal::Wurzel(i32 id) {
    i32 i = Wettbewerb_Get_Index(id);
    if (i < 0) return -1;
    int schritte = 0;
    while (benannt(Wettbewerb_Tabelle[i].visuell_vorgaenger) && schritte++ < 50000)
        i = Wettbewerb_Tabelle[i].visuell_vorgaenger;
    cursor_ = i;
    schritte_ = 0;
    return Wettbewerb_Tabelle[i].id;
}

i32 Wettbewerb_Vertikal::Naechste() {
    if (!benannt(cursor_)) return -1;
    i32 n = Wettbewerb_Tabelle[cursor_].visuell_nachfolger;
    // A cycle of links ends the walk.
    if (!benannt(n) || ++schritte_ > WETTBEWERB_ANZAHL) return -1;
    cursor_ = n;
    return Wettbewerb_Tabelle[n].id;
}

i32 Wettbewerb_Visuell_Horizontal_Erster(i32 id) {
    if (!tabelle_da("Visuell_Horizontal")) return -1;
    return horizontal_global.Erster(id);
}

i32 Wettbewerb_Visuell_Horizontal_Naechster() {
    if (!tabelle_da("Hierarchien")) return -1;
    return horizontal_global.Naechster();
}

bool Wettbewerb_Visuell_Horizontal_Anz(i32 id, i32* anzahl, i32* position) {
    if (!Wettbewerb_Tabelle || !anzahl || !position) {
        Debug_Printf("Visuell_Horizontal: Falscher Aufruf\n");
        return false;
    }
    *anzahl = 0;
    *position = 0;
    i32 i = Wettbewerb_Get_Index(id);
    if (i < 0) return false;
    i32 gruppe = Wettbewerb_Tabelle[i].visuell_gruppe;
    if (gruppe == -1) {
        *anzahl = Wettbewerb_Tabelle[i].kalendermarke != -1 ? 1 : 0;
        return true;
    }
    for (int k = 0; k < WETTBEWERB_ANZAHL; ++k) {
        const Wettbewerb& w = Wettbewerb_Tabelle[k];
        if (!in_gruppe(w, gruppe)) continue;
        if (k == i) *position = *anzahl;
        ++*anzahl;
    }
    return true;
}

i32 Wettbewerb_Get_Hierarchie_Wurzel(i32 id) {
    if (!tabelle_da("Hierarchien")) return -1;
    return vertikal_global.Wurzel(id);
}

i32 Wettbewerb_Get_Hierarchie_Naechste() {
    if (!tabelle_da("Hierarchien")) return -1;
    return vertikal_global.Naechste();
}

std::vector<i32> Wettbewerb_Get_Ligasysteme() {
    std::vector<i32> wurzeln;
    if (!Wettbewerb_Tabelle) return wurzeln;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!benannt(i) || !Wettbewerb_Tabelle[i].basisliga) continue;
        const i32 w = Wettbewerb_Vertikal().Wurzel(Wettbewerb_Tabelle[i].id);
        if (w >= 0 && std::find(wurzeln.begin(), wurzeln.end(), w) == wurzeln.end()) wurzeln.push_back(w);
    }
    return wurzeln;
}

void Wettbewerb_Visuell_Vertikal_Anz(i32 id, i32* ebenen, i32* eigene) {
    if (ebenen) *ebenen = 1;
    if (eigene) *eigene = 0;
    if (!Wettbewerb_Tabelle) {
        Debug_Printf("Anz_Hierarchien: Falscher Aufruf\n");
        return;
    }
    i32 i = Wettbewerb_Get_Index(id);
    if (i < 0) return;
    i32 e = 1, eig = 0;
    i32 k = i;
    int schritte = 0;
    while (benannt(Wettbewerb_Tabelle[k].visuell_vorgaenger)) {
        if (++schritte > 50000) {
            Debug_Printf("Wettbewerb_Visuell_Vertikal_Anz: Counter-Overflow #1!");
            if (ebenen) *ebenen = 4;
            if (eigene) *eigene = 0;
            return;
        }
        k = Wettbewerb_Tabelle[k].visuell_vorgaenger;
        ++e;
        ++eig;
    }
    k = i;
    schritte = 0;
    while (benannt(Wettbewerb_Tabelle[k].visuell_nachfolger)) {
        if (++schritte > 50000) {
            Debug_Printf("Wettbewerb_Visuell_Vertikal_Anz: Counter-Overflow #2!");
            if (ebenen) *ebenen = Wettbewerb_Tabelle[k].basisliga ? 4 : 1;
            if (eigene) *eigene = 0;
            return;
        }
        k = Wettbewerb_Tabelle[k].visuell_nachfolger;
        ++e;
    }
    if (!Wettbewerb_Tabelle[k].basisliga) eig = 0;
    if (ebenen) *ebenen = e;
    if (eigene) *eigene = eig;
}

// ---------------------------------------------------------------------------
// Links and chains

namespace {
Wettbewerb* link(i32 index) { return benannt(index) ? &Wettbewerb_Tabelle[index] : nullptr; }
bool frei_oder_null(const Wettbewerb* w) { return !w || !w->name[0]; }
i32 runden_cursor = -1;
i32 gruppen_cursor = -1;

// The first round of the chain that holds the record (index).
i32 erste_runde(i32 i) {
    for (int n = 0; n < WETTBEWERB_ANZAHL && benannt(Wettbewerb_Tabelle[i].vorherige_runde); ++n)
        i = Wettbewerb_Tabelle[i].vorherige_runde;
    return i;
}
i32 erste_gruppe(i32 i) {
    for (int n = 0; n < WETTBEWERB_ANZAHL && benannt(Wettbewerb_Tabelle[i].vorherige_gruppe); ++n)
        i = Wettbewerb_Tabelle[i].vorherige_gruppe;
    return i;
}
}  // namespace

i32 Wettbewerb_Get_Index_Von_Zeiger(const Wettbewerb* w) {
    if (!Wettbewerb_Tabelle || !w) return -1;
    i32 gefunden = -1;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (&Wettbewerb_Tabelle[i] == w) gefunden = i;
    return gefunden;
}

i32 Wettbewerb_Get_Team_Slot(const Wettbewerb* w, i32 team) {
    if (frei_oder_null(w)) return -1;
    for (int i = 0; i < WETTBEWERB_MAX_TEAMS; ++i)
        if (w->aktuelle_team[i] == team) return i;
    return -1;
}

Wettbewerb* Wettbewerb_Naechste_Runde(const Wettbewerb* w) {
    return frei_oder_null(w) ? nullptr : link(w->naechste_runde);
}
Wettbewerb* Wettbewerb_Vorherige_Runde(const Wettbewerb* w) {
    return frei_oder_null(w) ? nullptr : link(w->vorherige_runde);
}
Wettbewerb* Wettbewerb_Naechste_Gruppe(const Wettbewerb* w) {
    return frei_oder_null(w) ? nullptr : link(w->naechste_gruppe);
}
Wettbewerb* Wettbewerb_Vorherige_Gruppe(const Wettbewerb* w) {
    return frei_oder_null(w) ? nullptr : link(w->vorherige_gruppe);
}

namespace {
// The classic single-cursor walks over rounds and groups.
i32 cursor_setzen(i32& cursor, i32 index) {
    cursor = index;
    return index < 0 ? -1 : Wettbewerb_Tabelle[index].id;
}
i32 cursor_weiter(i32& cursor, i32 Wettbewerb::*verweis) {
    if (!benannt(cursor)) return -1;
    i32 n = Wettbewerb_Tabelle[cursor].*verweis;
    return cursor_setzen(cursor, !benannt(n) || n == cursor ? -1 : n);
}
}  // namespace

i32 Wettbewerb_Get_Erste_Runde(i32 id) {
    i32 i = Wettbewerb_Get_Index(id);
    return cursor_setzen(runden_cursor, i < 0 ? -1 : erste_runde(erste_gruppe(i)));
}

i32 Wettbewerb_Get_Naechste_Runde() { return cursor_weiter(runden_cursor, &Wettbewerb::naechste_runde); }

i32 Wettbewerb_Get_Erste_Gruppe(i32 id) {
    i32 i = Wettbewerb_Get_Index(id);
    return cursor_setzen(gruppen_cursor, i < 0 ? -1 : erste_gruppe(i));
}

i32 Wettbewerb_Get_Naechste_Gruppe() { return cursor_weiter(gruppen_cursor, &Wettbewerb::naechste_gruppe); }

i32 Wettbewerb_Get_Vorherige_Gruppe_Id(i32 id) {
    i32 i = Wettbewerb_Get_Index(id);
    if (i < 0 || !benannt(Wettbewerb_Tabelle[i].vorherige_gruppe)) return -1;
    gruppen_cursor = Wettbewerb_Tabelle[i].vorherige_gruppe;
    return Wettbewerb_Tabelle[gruppen_cursor].id;
}

i32 Wettbewerb_Anz_Runden(i32 id) {
    i32 i = Wettbewerb_Get_Index(id);
    if (i < 0) return 0;
    i = erste_runde(erste_gruppe(i));
    i32 n = 1;
    for (int k = 0; k < WETTBEWERB_ANZAHL && benannt(Wettbewerb_Tabelle[i].naechste_runde) &&
                    Wettbewerb_Tabelle[i].naechste_runde != i;
         ++k) {
        i = Wettbewerb_Tabelle[i].naechste_runde;
        ++n;
    }
    return n;
}

i32 Wettbewerb_Anz_Gruppen(i32 id) {
    i32 i = Wettbewerb_Get_Index(id);
    if (i < 0) return 0;
    Wettbewerb_Gruppen_Iterator it(id);
    i32 n = 0;
    for (i32 g = it.Erste(); g != -1; g = it.Naechste()) ++n;
    return n;
}

i32 Wettbewerb_Get_Wurzel_Id(i32 id) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w) return -1;
    return benannt(w->wurzel) ? Wettbewerb_Tabelle[w->wurzel].id : w->id;
}
