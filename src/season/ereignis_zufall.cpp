#include "season/ereignis_zufall.h"

#include <strings.h>

#include <cstring>

#include "base/config.h"
#include "base/debug.h"
#include "base/random.h"
#include "season/kalender.h"
#include "season/news.h"
#include "season/season_hooks.h"
#include "world/attribut.h"
#include "world/bank.h"
#include "world/global.h"
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

void Ereignis_Init() {
    Ereignis_Free();
    bereit = true;
    Ereignis_Laden(0);
}

void Ereignis_Free() {
    bereit = false;
    liste.clear();
}

bool Ereignis_Bereit() { return bereit; }

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
    News_Neu_Text(team, team, -1, NEWS_NACHRICHT, nullptr, t.c_str());
}
}  // namespace

void Ereignis_Serie(i32 team, i32 siege, i32 niederlagen) {
    if (!bereit || Rnd_Basis(0, 3) != 2) return;
    const bool sieg = siege > 0 && siege % 5 == 0;
    if (!sieg && !(niederlagen > 0 && niederlagen % 5 == 0)) return;
    const i32 n = Ereignis_Zufall(sieg ? EREIGNIS_SERIEN_SIEGE : EREIGNIS_SERIEN_NIEDERLAGEN);
    if (n < 0) return;
    const i64 betrag = (80 + 10 * static_cast<i64>(Rnd_Basis(0, 4))) * Ereignis_Get(n)->wert1 / 100;
    if (betrag <= 0) return;
    const bool gebucht = sieg ? Bank_Buchen(-1, team, static_cast<f32>(betrag), BANK_EINNAHME, 1, -1) != 0
                              : Bank_Buchen(team, -1, static_cast<f32>(betrag), BANK_AUSGABE, 1, -1) != 0;
    if (gebucht) posten(n, team, {Bank_Geld_String(static_cast<f64>(betrag), team, -1, 0)});
}

void Ereignis_Jeden_Tag() {
    if (!bereit) return;
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
            Spieler_Wert(97, spieler, wert, OP_SCHREIBEN);
            melden(e->ja_text, std::to_string(wert / 2));
            break;
        default: break;
    }
}

void Ereignis_Hooks_Installieren() {
    Season_Module.Ereignis_Init = Ereignis_Init;
    Season_Module.Ereignis_Free = Ereignis_Free;
    Season_Module.Ereignis_Jeden_Tag = Ereignis_Jeden_Tag;
}
