#include "screens/teile/spieler_hilfe.h"

#include <cstdio>
#include <vector>

#include "gui/kit.h"
#include "gui/text_cfg.h"
#include "screens/teile/namen.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/tabelle.h"
#include "season/wettbewerb_abfragen.h"
#include "world/attribut.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {
constexpr u32 VERLETZT = 0x40, GESPERRT = 0x380;
constexpr u32 ROLLE_1 = 0x800, ROLLE_2 = 0x1000, ROLLE_3 = 0x2000, ROLLE_4 = 0x4000;
constexpr u32 EREIGNIS_TOR = 4;
constexpr i32 SPERR_ZAEHLER = 8;

// Texts of the squad screen's section.
enum : i32 {
    T_TORE = 29,
    T_VORLAGEN = 30,
    T_TRAINING = 32,
    T_GESPERRT = 39,
    T_ROTSPERRE = 40,
    T_GELBSPERRE = 41,
    T_SPIEL = 42,
    T_SPIELE = 43,
    T_VERLETZT = 44,
    T_NOCH = 45,
    T_QUOTE = 46,
    T_ERLOES = 37,
    T_MARKTWERT = 38,
    T_GEHALT = 47,
};
constexpr i32 T_TAKTIK_ROLLEN = 6;
struct Rolle {
    u32 bit;
    i32 text;
};
constexpr Rolle ROLLEN[4] = {{ROLLE_4, 36}, {ROLLE_2, 37}, {ROLLE_3, 38}, {ROLLE_1, 39}};

const char* e1(i32 n) { return Text_cfg_Text(TEXT_EINSETZEN_1, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }

// Appends printf output at the end of buf.
template <class... A>
void dazu(char* buf, size_t n, const char* format, A... a) {
    size_t l = 0;
    while (l < n && buf[l]) ++l;
    if (l + 1 < n) std::snprintf(buf + l, n - l, format, a...);
}

// Goals (first named) and assists (second named) of the player over this
// year's competitions; the counts of all players are kept until the player
// asked for or the day changes, so that a hover shown over many frames counts once.
struct Statistik {
    std::vector<u32> tore, vorlagen;
    i32 spieler = -1, tag = -1;
};
Statistik statistik;

void zaehlen(i32 p, i32* tore, i32* vorlagen) {
    const i32 tag = Kalender_Get_Tag();
    if (statistik.spieler != p || statistik.tag != tag) {
        statistik.spieler = p, statistik.tag = tag;
        statistik.tore.assign(static_cast<size_t>(Spieler_Anzahl > 0 ? Spieler_Anzahl : 1), 0);
        statistik.vorlagen.assign(statistik.tore.size(), 0);
        i32 ids[256];
        const i32 n = Wettbewerb_Get_Aktive(-1, ids, false);
        const u32 tor = EREIGNIS_TOR, vorlage = EREIGNIS_TOR | STATISTIK_ZWEITER_SPIELER;
        if (n > 0) {
            Spiele_Get_Statistik(true, ids, n, &tor, 1, -1, -1, -1, -1, statistik.tore.data(), 0);
            Spiele_Get_Statistik(true, ids, n, &vorlage, 1, -1, -1, -1, -1, statistik.vorlagen.data(), 0);
        }
    }
    const bool da = p >= 0 && static_cast<size_t>(p) < statistik.tore.size();
    *tore = da ? static_cast<i32>(statistik.tore[static_cast<size_t>(p)]) : 0;
    *vorlagen = da ? static_cast<i32>(statistik.vorlagen[static_cast<size_t>(p)]) : 0;
}

// The market's shorter list has its values nearer.
constexpr Kit_Stelle MARKT_WERT{Kit_Ausrichtung::LINKS, 97};

}  // namespace

namespace {

// The name and the injury or suspension line.
void kopf(i32 p, char* buf, size_t n) {
    dazu(buf, n, "%s", Spieler_String(508, p, nullptr, 0));
    const u32 status = static_cast<u32>(wert(SPIELER_WERT_STATUS, p));
    if (status & VERLETZT) {
        const i32 dauer = wert(SPIELER_WERT_VERLETZUNG_DAUER, p);
        dazu(buf, n, "^l%s %s %s %d %s", e1(T_VERLETZT), Verletzungs_Text(wert(SPIELER_WERT_VERLETZUNG_ART, p)),
             e1(T_NOCH), dauer, e1(dauer == 1 ? T_SPIEL : T_SPIELE));
    } else if (status & GESPERRT) {
        const i32 z = Spiele_Get_Wettbewerb_Ereignis(Team_Wettbewerb, SPERR_ZAEHLER, p);
        if (z > 0 && (z & 128)) {
            const i32 spiele = z & ~128;
            dazu(buf, n, "^l%s %d %s", e1(T_GESPERRT), spiele, e1(spiele == 1 ? T_SPIEL : T_SPIELE));
        } else if (z > 0 && (z & 64)) {
            dazu(buf, n, "^l%s %s", e1(T_GESPERRT), e1(T_ROTSPERRE));
        } else if (z > 0 && (z & 32)) {
            dazu(buf, n, "^l%s %s", e1(T_GESPERRT), e1(T_GELBSPERRE));
        }
    }
}

}  // namespace

const char* Spieler_Hilfetext(i32 p, bool eigen, char* buf, size_t n, bool rollen) {
    if (!buf || n == 0) return "";
    buf[0] = 0;
    if (p < 0 || p >= Spieler_Anzahl) return buf;
    kopf(p, buf, n);
    const u32 status = static_cast<u32>(wert(SPIELER_WERT_STATUS, p));
    i32 tore = 0, vorlagen = 0;
    zaehlen(p, &tore, &vorlagen);
    const Kit_Einzug w = Kit_Einzug_Bei(SPIELER_HILFE_WERT);
    if (tore) dazu(buf, n, "^l%s%s%d", e1(T_TORE), w.code, tore);
    if (vorlagen) dazu(buf, n, "^l%s%s%d", e1(T_VORLAGEN), w.code, vorlagen);
    const i32 a = wert(SPIELER_WERT_LIGA_0, p);
    if (a > 0) dazu(buf, n, "^l%s%s%d%%", e1(T_QUOTE), w.code, 100 / a * wert(SPIELER_WERT_LIGA_1, p));
    if (!eigen) return buf;
    const i32 training = Attribute_Get_Attribut_In_Ausbildung(p);
    if (training >= 0 && training < 54)
        dazu(buf, n, "^l%s%s%s", e1(T_TRAINING), w.code, Attribut_Tabelle[training].name);
    if (rollen && (status & (ROLLE_1 | ROLLE_2 | ROLLE_3 | ROLLE_4))) {
        dazu(buf, n, "^l%s:%s", Text_cfg_Text(TEXT_TAKTIK, T_TAKTIK_ROLLEN), w.code);
        for (const Rolle& r : ROLLEN)
            if (status & r.bit) dazu(buf, n, "%s ", Text_cfg_Text(TEXT_TAKTIK, r.text));
    }
    return buf;
}

const char* Spieler_Hilfetext_Markt(i32 p, bool erloes, char* buf, size_t n) {
    if (!buf || n == 0) return "";
    buf[0] = 0;
    if (p < 0 || p >= Spieler_Anzahl) return buf;
    kopf(p, buf, n);
    i32 tore = 0, vorlagen = 0;
    zaehlen(p, &tore, &vorlagen);
    const i32 a = wert(SPIELER_WERT_LIGA_0, p);
    const i32 proceeds = erloes ? Transfer_Angebot_Differenz(p) : 0;
    const i32 marktwert = Spieler_Berechne_Marktwert(p);
    const i32 training = Attribute_Get_Attribut_In_Ausbildung(p);
    const bool in_training = training >= 0 && training < 54;
    if (tore || vorlagen || proceeds || marktwert || a || in_training) dazu(buf, n, "%s", "^l");
    const Kit_Einzug w = Kit_Einzug_Bei(MARKT_WERT);
    if (tore) dazu(buf, n, "^l%s%s%d", e1(T_TORE), w.code, tore);
    if (vorlagen) dazu(buf, n, "^l%s%s%d", e1(T_VORLAGEN), w.code, vorlagen);
    if (a > 0) dazu(buf, n, "^l%s%s%d%%", e1(T_QUOTE), w.code, 100 / a * wert(SPIELER_WERT_LIGA_1, p));
    auto geld = [](i32 b) { return Bank_Geld_String(b, Team_Aktiv, -1, 0); };
    if (erloes) dazu(buf, n, "^l%s%s^fb0009%s^fe", e1(T_ERLOES), w.code, geld(proceeds));
    if (marktwert) {
        dazu(buf, n, "^l%s%s^fb0009%s^fe", e1(T_MARKTWERT), w.code, geld(marktwert));
        dazu(buf, n, "^l%s%s^fb0009%s^fe", e1(T_GEHALT), w.code, geld(Spieler_Berechne_Gehalt(p)));
    }
    if (in_training) dazu(buf, n, "^l%s%s%s", e1(T_TRAINING), w.code, Attribut_Tabelle[training].name);
    return buf;
}
