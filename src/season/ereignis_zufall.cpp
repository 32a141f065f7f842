#include "season/ereignis_zufall.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "base/config.h"
#include "base/debug.h"
#include "base/random.h"
#include "season/kalender.h"
#include "season/news.h"
#include "season/season_hooks.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

const char* const KATEGORIE_NAMEN[EREIGNIS_KATEGORIEN] = {
    "RANDALE",
    "SERIEN_SIEGE",
    "SERIEN_NIEDERLAGEN",
    "SPIELER_NEGATIVES_ATTRIBUT_WEG",
    "SPIELER_BEENDET_AKTUELLES_TRAINING",
    "SPIELER_NEGATIVES_ATTRIBUT_DAZU",
    "ZUSCHAUER_EUPHORIE",
    "SPIELER_NICHT_EINGESETZT",
    "SPIELERGEWERKSCHAFT_UNZUFRIEDEN",
    "SPIELERGEWERKSCHAFT_ZUFRIEDEN",
    "SPIELER_TALENT_JETZT_ERLERNBAR",
    "SPIELER_TALENT_NICHT_MEHR_ERLERNBAR",
    "SPIELERGEWERKSCHAFT_WAHL",
    "SPIELER_MAXSTAEKE_VERAENDERT",
};

bool bereit = false;
std::vector<Ereignis> liste;

// True when every conversion of the text is %s, %d or %%.
bool format_gut(const std::string& t) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '%') continue;
        if (i + 1 >= t.size()) return false;
        const char c = t[++i];
        if (c != 's' && c != 'd' && c != '%') return false;
    }
    return true;
}

void text_setzen(std::string& ziel, bool& gesetzt) {
    if (gesetzt) {
        Read_Config_Melden(EREIGNIS_W_TEXT_DOPPELT, "mehr als eine Text in einem Ereignis");
        return;
    }
    gesetzt = true;
    std::string s = Read_Config_Get_String();
    if (s.size() > EREIGNIS_TEXT_MAX) s.resize(EREIGNIS_TEXT_MAX);
    if (!format_gut(s)) {
        Read_Config_Melden(EREIGNIS_W_FORMAT, "Ungültiges Format im Text (%.60s)", s.c_str());
        s.clear();
    }
    ziel = std::move(s);
}

// Reads the open level to its end into a fresh list.
bool geoeffnet_lesen() {
    std::vector<Ereignis> neu;
    Ereignis e;
    bool gesetzt[3] = {};
    bool erstes = true;
    auto ablegen = [&] {
        if (e.kategorie >= 0 && static_cast<i32>(neu.size()) < EREIGNIS_MAX) neu.push_back(e);
    };
    for (;;) {
        const char* s = Read_Config_Next(nullptr, 0);
        if (!s || !*s) break;
        const std::string k = s;
        if (k == "NEUES_EREIGNIS") {
            if (!erstes) ablegen();
            erstes = false;
            e = Ereignis{};
            gesetzt[0] = gesetzt[1] = gesetzt[2] = false;
        } else if (k == "TEXT") {
            text_setzen(e.text, gesetzt[0]);
        } else if (k == "JA_TEXT") {
            text_setzen(e.ja_text, gesetzt[1]);
        } else if (k == "NEIN_TEXT") {
            text_setzen(e.nein_text, gesetzt[2]);
        } else if (k == "KATEGORIE") {
            std::string name = Read_Config_Get_String();
            if (name.size() > 100) name.resize(100);
            for (i32 c = 0; c < EREIGNIS_KATEGORIEN; ++c)
                if (strcasecmp(name.c_str(), KATEGORIE_NAMEN[c]) == 0) e.kategorie = c;
        } else if (k == "WERT1") {
            e.wert1 = Read_Config_Get_Wert();
        } else if (k == "WERT2") {
            e.wert2 = Read_Config_Get_Wert();
        } else if (k == "SOUND") {
            e.sound = Read_Config_Get_Wert();
        } else if (strcasecmp(k.c_str(), "INFOTEXT") != 0) {
            Read_Config_Melden(EREIGNIS_E_BEFEHL, "Unbekannter Befehl (%.60s)", k.c_str());
        }
    }
    ablegen();
    Read_Config_Close();
    liste = std::move(neu);
    Debug_Printf("EREIGNIS AUSGELESEN !\n");
    return true;
}

}  // namespace

namespace {
Ereignis_Zahlen zahlen;
void zaehlen(i64* feld, i32 kategorie, u32 id) {
    if (id && kategorie >= 0 && kategorie < EREIGNIS_KATEGORIEN) ++feld[kategorie];
}
}  // namespace

const Ereignis_Zahlen& Ereignis_Get_Zahlen() { return zahlen; }

const char* Ereignis_Kategorie_Name(i32 k) { return k >= 0 && k < EREIGNIS_KATEGORIEN ? KATEGORIE_NAMEN[k] : ""; }

void Ereignis_Init() {
    Ereignis_Free();
    zahlen = Ereignis_Zahlen{};
    bereit = true;
    Ereignis_Laden(0);
}

void Ereignis_Free() {
    bereit = false;
    liste.clear();
}

bool Ereignis_Laden(int set) {
    liste.clear();
    if (!Read_Config_Open(CONFIG_EREIGNIS, set, -1)) {
        Debug_Printf("EREIGNISCONFIG NICHT DA !\n");
        return false;
    }
    return geoeffnet_lesen();
}

bool Ereignis_Laden_Text(const char* text, u32 laenge) {
    liste.clear();
    return text && Read_Config_Open_Mem(text, laenge, CONFIG_EREIGNIS, -1, -1) && geoeffnet_lesen();
}

i32 Ereignis_Anzahl() { return static_cast<i32>(liste.size()); }

const Ereignis* Ereignis_Get(i32 nummer) {
    if (!bereit) {
        Debug_Printf("Ereignismodul nicht initialisiert\n");
        return nullptr;
    }
    return nummer >= 0 && nummer < Ereignis_Anzahl() ? &liste[static_cast<size_t>(nummer)] : nullptr;
}

i32 Ereignis_Zufall(i32 kategorie) {
    if (!bereit) {
        Debug_Printf("Ereignismodul nicht initialisiert\n");
        return -1;
    }
    if (Schwierigkeit == 0 && Kalender_Get_Tag() < 90) return -1;
    i32 treffer[100];
    i32 n = 0;
    for (i32 i = 0; i < Ereignis_Anzahl() && n < 100; ++i)
        if (liste[static_cast<size_t>(i)].kategorie == kategorie) treffer[n++] = i;
    return n ? treffer[Rnd_Basis(0, n - 1)] : -1;
}

std::string Ereignis_Text(const std::string& format, const std::vector<std::string>& argumente) {
    std::string aus;
    size_t a = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            aus += format[i];
            continue;
        }
        const char c = format[++i];
        if (c == 's' || c == 'd') {
            if (a < argumente.size()) aus += argumente[a];
            ++a;
        } else {
            aus += c;
        }
    }
    return aus;
}

namespace {
// Posts the event's text to the team (-1: every manager).
void posten(i32 nummer, i32 team, const std::vector<std::string>& argumente) {
    const Ereignis* e = Ereignis_Get(nummer);
    if (!e || e->text.empty()) return;
    const std::string t = Ereignis_Text(e->text, argumente);
    zaehlen(zahlen.texte, e->kategorie, News_Neu_Text(team, team, -1, NEWS_NACHRICHT, nullptr, t.c_str()));
}
}  // namespace

namespace {

constexpr i32 ANGEBOT_FRIST = NEWS_ANGEBOT_FRIST;

std::string spieler_name(i32 spieler) {
    const char* n = Spieler_String(505, spieler, nullptr, 0);
    return n ? n : "";
}
std::string geld(i64 betrag, i32 team) { return Bank_Geld_String(static_cast<f64>(betrag), team, -1, 0); }

// An offer: a question to the team whose data block the arbiter hands back.
void anbieten(i32 nummer, i32 team, i32 spieler, i32 wert, i64 preis, const std::vector<std::string>& argumente) {
    const Ereignis* e = Ereignis_Get(nummer);
    if (!e || e->text.empty()) return;
    News_Daten d;
    const i32 bild = std::clamp(e->sound, 0, NEWS_BILD_MAX);
    const i32 w[10] = {11,           team, spieler, Kalender_Get_Tag() + ANGEBOT_FRIST,
                       e->kategorie, wert, nummer,  static_cast<i32>(preis),
                       bild,         -1};
    std::copy(w, w + 10, d.w);
    const u32 id = News_Neu_Text(team, team, -1, NEWS_FRAGE, &d, Ereignis_Text(e->text, argumente).c_str());
    zaehlen(zahlen.fragen, e->kategorie, id);
    if (id && zahlen.erste_frage_tag < 0) zahlen.erste_frage_tag = Kalender_Get_Tag();
}

i32 negative(i32 spieler, i32* liste) { return Attribute_Get_Attribute(spieler, liste, 3, 2); }

// One of the players that pass the test, drawn; -1 for none.
template <class Test>
i32 einer(const std::vector<i32>& kader, Test test) {
    std::vector<i32> k;
    for (i32 s : kader)
        if (test(s)) k.push_back(s);
    return k.empty() ? -1 : k[static_cast<size_t>(Rnd_Basis(0, static_cast<i32>(k.size()) - 1))];
}

void habit_weg(const std::vector<i32>& kader, i32 team) {
    i32 l[3];
    const i32 s = einer(kader, [&](i32 p) { return negative(p, l) > 0; });
    if (s < 0) return;
    const i32 a = l[Rnd_Basis(0, negative(s, l) - 1)];
    const i32 n = Ereignis_Zufall(EREIGNIS_NEGATIVES_ATTRIBUT_WEG);
    if (n < 0) return;
    const i64 preis = static_cast<i64>(Ereignis_Get(n)->wert1) * (500 * Rnd_Basis(0, 4) + 300);
    anbieten(n, team, s, a, preis, {spieler_name(s), geld(preis, team), Attribut_Tabelle[a].name});
}

// A new bad habit (40..46), unless the player's figures speak against it.
void habit_dazu(const std::vector<i32>& kader, i32 team) {
    i32 l[3];
    const i32 s = einer(kader, [&](i32 p) { return negative(p, l) < 3; });
    if (s < 0) return;
    i32 a = -1;
    for (int versuch = 0; versuch < 20 && a < 0; ++versuch) {
        const i32 x = Rnd_Basis(40, 46);
        if (!Attribute_Hat_Attribut(s, x)) a = x;
    }
    if (a < 0) return;
    auto hat = [&](i32 x) { return Attribute_Hat_Attribut(s, x); };
    const i32 staerke = Spieler_Wert(SPIELER_WERT_STAERKE, s, 0, OP_LESEN);
    const i32 schnitt = Team_Get_Staerke_Modus(team, 0) / std::max<i32>(static_cast<i32>(kader.size()), 1);
    const bool fallen =
        (a == 40 && (staerke < 10 || Spieler_Wert(SPIELER_WERT_SPIELE, s, 0, OP_LESEN) > 50 || hat(10))) ||
        (a == 41 && !hat(10) && schnitt >= staerke - 2) ||
        ((a == 42 || a == 43) && (Rnd_Basis(0, 2) != 0 || hat(13))) || (a == 44 && (Rnd_Basis(0, 2) != 0 || hat(14))) ||
        (a == 45 && (Rnd_Basis(0, 1) != 0 || !hat(13) || hat(10))) ||
        (a == 46 && (Rnd_Basis(0, 2) != 0 || hat(16) || hat(15)));
    const i32 n = fallen ? -1 : Ereignis_Zufall(EREIGNIS_NEGATIVES_ATTRIBUT_DAZU);
    if (n >= 0 && Attribut_Spieler_Setze_Wert(s, a, 0)) posten(n, team, {spieler_name(s), Attribut_Tabelle[a].name});
}

// The training finished for money: the training's own cost, 20 to 60 % off.
void training(const std::vector<i32>& kader, i32 team) {
    const i32 s = kader[static_cast<size_t>(Rnd_Basis(0, static_cast<i32>(kader.size()) - 1))];
    const i32 a = Attribute_Get_Attribut_In_Ausbildung(s);
    const i32 n = a >= 0 ? Ereignis_Zufall(EREIGNIS_TRAINING_BEENDET) : -1;
    if (n < 0) return;
    const i64 preis = static_cast<i64>(Global_Attribut_Training_Kosten(a, s)) * (80 - 10 * Rnd_Basis(2, 6)) / 100;
    anbieten(n, team, s, a, preis, {spieler_name(s), Attribut_Tabelle[a].name, geld(preis, team)});
}

void maximalstaerke(const std::vector<i32>& kader, i32 team) {
    const i32 s = einer(kader, [](i32 p) {
        const i32 v = Spieler_Wert(SPIELER_WERT_MAX_STAERKE, p, 0, OP_LESEN);
        return v >= 3 && v <= 11;
    });
    if (s < 0) return;
    const i32 alt = Spieler_Wert(SPIELER_WERT_MAX_STAERKE, s, 0, OP_LESEN),
              neu = std::clamp(alt + 2 * Rnd_Basis(1, 2), 0, 12);
    const i32 n = Ereignis_Zufall(EREIGNIS_MAXSTAERKE_VERAENDERT);
    if (n < 0) return;
    const i64 preis = static_cast<i64>(neu) * 20000 * (80 - 10 * Rnd_Basis(2, 6)) / 100;
    anbieten(n, team, s, neu, preis,
             {spieler_name(s), std::to_string(alt / 2), std::to_string(neu / 2), geld(preis, team)});
}

// Fans riot after a home defeat in a comfortable ground: comfort lost, a fine.
void randale(i32 team) {
    const i32 n = Ereignis_Zufall(EREIGNIS_RANDALE);
    Stadion_Daten* st = n >= 0 ? Stadion_Get(team, 1) : nullptr;
    if (!st || st->komfort <= 20 || Rnd_Basis(0, 5) >= st->klasse) return;
    const Ereignis& e = *Ereignis_Get(n);
    if (e.wert2) st->komfort = std::clamp(st->komfort - Rnd_Basis(e.wert2 - 5, e.wert2 + 5), 0, 100);
    if (e.wert1) Bank_Buchen(team, -1, static_cast<f32>(e.wert1), BANK_AUSGABE, 1, -1);
    const std::string komfort = std::to_string(st->komfort), strafe = geld(e.wert1, team);
    posten(n, team,
           !e.wert1   ? std::vector<std::string>{komfort}
           : !e.wert2 ? std::vector<std::string>{strafe}
                      : std::vector<std::string>{strafe, komfort});
}

}  // namespace

void Ereignis_Nach_Spiel(i32 team, i32 seite, i32 tore_heim, i32 tore_gast) {
    if (!bereit) return;
    ++zahlen.spiele;
    if (Rnd_Basis(0, 2) != 1) return;
    const i32 anzahl = std::min(Team_Kader_Anzahl(team), 20);
    if (anzahl <= 0) return;
    const std::vector<i32> kader(Team_Kader(team), Team_Kader(team) + anzahl);
    if (Rnd_Basis(0, 20) == 0) habit_weg(kader, team);
    if (Rnd_Basis(0, 10) == 0) habit_dazu(kader, team);
    if (Rnd_Basis(0, 5) == 0) training(kader, team);
    if (Rnd_Basis(0, 10) == 0) maximalstaerke(kader, team);
    if (Rnd_Basis(0, 20) == 5 && seite == 0 && tore_heim < tore_gast) randale(team);
}

namespace {

// A talent the player may now learn (category 10) or one he no longer may
// (category 11, the attribute blocked).
void talent_serie(i32 team, i32 niederlagen) {
    const i32 anzahl = std::min(Team_Kader_Anzahl(team), 20);
    if (anzahl <= 0) return;
    const i32* kader = Team_Kader(team);
    if (niederlagen < 3) {
        const i32 n = Ereignis_Zufall(EREIGNIS_TALENT_ERLERNBAR);
        if (n < 0) return;
        const i32 a = Rnd_Basis(34, 39), s = kader[Rnd_Basis(0, anzahl - 1)];
        if (!Attribute_Hat_Attribut(s, a) && Ereignis_Attribut_Moeglich(s, a))
            posten(n, team, {Attribut_Tabelle[a].name, spieler_name(s)});
        return;
    }
    const i32 n = Ereignis_Zufall(EREIGNIS_TALENT_NICHT_ERLERNBAR);
    if (n < 0) return;
    const i32 a = Rnd_Basis(20, 39), s = kader[Rnd_Basis(0, anzahl - 1)];
    if (Attribute_Erreichbar(s, a) && Attribut_Spieler_Setze_Wert(s, a, 2))
        posten(n, team, {Attribut_Tabelle[a].name, spieler_name(s)});
}

// Whether the attribute and its prerequisites (to the given depth) are open
// to the player; the depth ends a prerequisite cycle in a bad table.
bool moeglich(i32 spieler, i32 attribut, int tiefe) {
    if (attribut < 0 || attribut >= ATTRIBUT_ANZAHL || tiefe > ATTRIBUT_ANZAHL) return false;
    for (i32 v : Attribut_Tabelle[attribut].voraussetzung)
        if (v >= 0 && !moeglich(spieler, v, tiefe + 1)) return false;
    // Asked, never written: the removing mode would wipe a training in
    // progress or lift a block.
    return Attribute_Hat_Attribut(spieler, attribut) || Attribute_Offen(spieler, attribut);
}

}  // namespace

bool Ereignis_Attribut_Moeglich(i32 spieler, i32 attribut) {
    if (spieler < 0 || spieler >= Spieler_Anzahl) return false;
    return moeglich(spieler, attribut, 0);
}

void Ereignis_Serie(i32 team, i32 siege, i32 niederlagen) {
    if (!bereit || Rnd_Basis(0, 3) != 2) return;
    const bool sieg = siege > 0 && siege % 5 == 0;
    if (sieg || (niederlagen > 0 && niederlagen % 5 == 0)) {
        const i32 n = Ereignis_Zufall(sieg ? EREIGNIS_SERIEN_SIEGE : EREIGNIS_SERIEN_NIEDERLAGEN);
        const i64 betrag =
            n < 0 ? 0 : (80 + 10 * static_cast<i64>(Rnd_Basis(0, 4))) * Ereignis_Get(n)->wert1 / 100;
        if (betrag > 0) {
            const bool gebucht = sieg ? Bank_Buchen(-1, team, static_cast<f32>(betrag), BANK_EINNAHME, 1, -1) != 0
                                      : Bank_Buchen(team, -1, static_cast<f32>(betrag), BANK_AUSGABE, 1, -1) != 0;
            if (gebucht) posten(n, team, {Bank_Geld_String(static_cast<f64>(betrag), team, -1, 0)});
        }
    }
    if (Rnd_Basis(0, 5) == 3 && (siege >= 3 || niederlagen >= 3)) talent_serie(team, niederlagen);
}

void Ereignis_Spieler_Nach_Spiel(i32 team, i32 spieler) {
    if (!bereit || team < 0 || team >= Team_Anzahl || spieler < 0 || spieler >= Spieler_Anzahl) return;
    if (Rnd_Basis(0, 20) != 5) return;
    const i32 n = Ereignis_Zufall(EREIGNIS_NICHT_EINGESETZT);
    if (n < 0) return;
    const i32 anzahl = std::max<i32>(Team_Kader_Anzahl(team), 1);
    const i32 schnitt = Team_Get_Staerke_Modus(team, 0) / anzahl;
    const i32 moral = Spieler_Wert(SPIELER_WERT_MORAL, spieler, 0, OP_LESEN);
    if (Spieler_Wert(SPIELER_WERT_STAERKE, spieler, 0, OP_LESEN) - 1 <= schnitt ||
        Spieler_Wert(SPIELER_WERT_ERSCHOEPFUNG, spieler, 0, OP_LESEN) * 100 / 9 <= 34 ||
        (Spieler_Wert(SPIELER_WERT_STATUS, spieler, 0, OP_LESEN) & 0x7C0) != 0 || moral <= 0)
        return;
    posten(n, team, {spieler_name(spieler)});
    const i32 minus = moral > 1 && Rnd_Basis(0, 100) < 10 ? 2 : 1;
    Spieler_Wert(SPIELER_WERT_MORAL, spieler, moral - minus, OP_SCHREIBEN);
}

void Ereignis_Jeden_Tag() {
    if (!bereit) return;
    ++zahlen.tage;
    if (Rnd_Basis(0, 250) == 50) {
        const i32 n = Ereignis_Zufall(EREIGNIS_ZUSCHAUER_EUPHORIE);
        if (n >= 0 && Stadion_Set_Prozent(Ereignis_Get(n)->wert1)) posten(n, -1, {});
    }
    // The union draws from the shared table like every other event, so a
    // server, its clients and a reloaded game agree.
    if (Rnd_Basis(0, 10) != 5 || Kalender_Get_Tag() <= 365) return;
    const i32 praesi = Spieler_Get_Gewerkschafts_Praesi();
    if (praesi == -1 || Rnd_Basis(0, 1200) == 200) {
        const i32 seite = Rnd_Basis(0, 1);
        for (int versuch = 0; versuch <= 100; ++versuch) {
            const i32 n = Ereignis_Zufall(EREIGNIS_GEWERKSCHAFT_WAHL);
            if (n < 0) break;
            const Ereignis& e = *Ereignis_Get(n);
            if (e.wert1 != seite) continue;
            if (Spieler_Setze_Gewerkschafts_Praesi(seite) && Team_Set_Moral(e.wert2)) {
                const i32 p = Spieler_Get_Gewerkschafts_Praesi();
                const char* name = Spieler_String(505, p >= 0 ? p : -2 - p, nullptr, 0);
                posten(n, -1, {name ? name : "", std::to_string(e.wert2 < 0 ? -e.wert2 : e.wert2)});
            }
            break;
        }
        return;
    }
    const i32 kategorie = praesi < -1 ? EREIGNIS_GEWERKSCHAFT_UNZUFRIEDEN : EREIGNIS_GEWERKSCHAFT_ZUFRIEDEN;
    if ((praesi < -1 || praesi > 1) && Rnd_Basis(0, 600) == 200) {
        const i32 n = Ereignis_Zufall(kategorie);
        if (n >= 0 && Team_Set_Moral(Ereignis_Get(n)->wert1)) {
            const i32 w = Ereignis_Get(n)->wert1;
            posten(n, -1, {std::to_string(w < 0 ? -w : w)});
        }
    }
}

void Ereignis_Antwort(const News_Daten& d) {
    const i32 team = d.w[1], spieler = d.w[2], kategorie = d.w[4], wert = d.w[5], preis = d.w[7];
    const Ereignis* e = Ereignis_Get(d.w[6]);
    if (!bereit || !e || e->kategorie != kategorie || d.w[9] == 0 || spieler < 0 || spieler >= Spieler_Anzahl) return;
    const char* n = Spieler_String(505, spieler, nullptr, 0);
    const std::string name = n ? n : "";
    const bool attribut_gut = wert >= 0 && wert < ATTRIBUT_ANZAHL;
    auto melden = [&](const std::string& format, const std::string& zweites) {
        if (format.empty()) return;
        const std::string t = Ereignis_Text(format, {name, zweites});
        News_Neu_Text(team, team, -1, NEWS_NACHRICHT, &d, t.c_str());
    };
    auto zahlen = [&] { return Bank_Buchen(team, -1, static_cast<f32>(preis), BANK_AUSGABE, 1, -1) != 0; };
    switch (kategorie) {
        case EREIGNIS_NEGATIVES_ATTRIBUT_WEG: {
            if (!attribut_gut || !zahlen()) return;
            const bool geschafft = Rnd_Basis(10, 100) < e->wert1;
            if (geschafft) Attribut_Spieler_Setze_Wert(spieler, wert, e->wert1 < 80 ? 3 : 2);
            melden(geschafft ? e->ja_text : e->nein_text, Attribut_Tabelle[wert].name);
            break;
        }
        case EREIGNIS_TRAINING_BEENDET:
            if (!attribut_gut || Attribute_Hat_Attribut(spieler, wert) || !zahlen()) return;
            Spieler_Wert(wert, spieler, Attribut_Noetig(wert), OP_SCHREIBEN);
            melden(e->ja_text, Attribut_Tabelle[wert].name);
            break;
        case EREIGNIS_MAXSTAERKE_VERAENDERT:
            if (wert < 0 || wert > 12 || !zahlen()) return;
            Spieler_Wert(SPIELER_WERT_MAX_STAERKE, spieler, wert, OP_SCHREIBEN);
            melden(e->ja_text, std::to_string(wert / 2));
            break;
        default: break;
    }
}

