// The bank: accounts, bookings, credits, money texts.
#include "world/bank.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/bereich.h"
#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "base/tempstr.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

std::vector<Bank_Konto> konten;                         // by team
std::vector<std::vector<Bank_Kredit_Eintrag>> kredite;  // by team (borrower)
i32 periode = 0;
// What a save game's block was read into, until it is taken over.
std::vector<Bank_Konto> neu_konten;
std::vector<std::vector<Bank_Kredit_Eintrag>> neu_kredite;
i32 neu_periode = 0;
// Per team the highest request number the server carried out (a loaded save).
std::vector<u32> neu_anfragen;

const f32 zinsen[7] = {8.5f, 8.3f, 8.1f, 8.0f, 7.8f, 7.5f, 7.2f};

// Currencies: factor for one euro, sign, name; the countries that pay in it.
const Bank_Waehrung waehrungen[BANK_WAEHRUNGEN] = {
    {1.0f, "€", "Euro"}, {0.69f, "£", "Pfund"}, {1.52f, "CHF", "Franken"}};
const char* const waehrung_laender[BANK_WAEHRUNGEN] = {"", "ENG", "SUI"};

int waehrung_von_land(int team) {
    if (team < 0 || team >= Team_Anzahl || !Team_Daten) return BANK_EURO;
    int nation = Team_Daten[team].nation;
    if (nation < 0 || nation >= Team_Anzahl) return BANK_EURO;
    const char* alias = Team_Alias_Name(nation);
    for (int w = 1; w < BANK_WAEHRUNGEN; w++)
        if (alias && std::strcmp(alias, waehrung_laender[w]) == 0) return w;
    return BANK_EURO;
}

bool ist_spielzeile(int kategorie) { return kategorie >= BANK_SPIEL_HEIM && kategorie <= BANK_SPIEL_ZUSCHAUER; }

Bank_Konto* konto(int team) {
    if (team < 0 || team >= static_cast<int>(konten.size())) return nullptr;
    Bank_Konto* k = &konten[static_cast<size_t>(team)];
    return k->eroeffnet ? k : nullptr;
}

void eintragen(Bank_Konto* k, f32 betrag, int kategorie, int partner) {
    Bank_Buchung& b = k->buchung[k->ring_index];
    b.betrag = betrag;
    b.kategorie = static_cast<u8>(kategorie);
    b.frei = 0;
    b.partner = static_cast<i16>(partner);
    b.periode = periode;
    k->ring_index = (k->ring_index + 1) % BANK_BUCHUNGEN;
    if (k->anzahl < BANK_BUCHUNGEN) k->anzahl++;
}

void groesse_sichern() {
    if (Team_Anzahl > 0 && static_cast<int>(konten.size()) != Team_Anzahl) {
        konten.resize(static_cast<size_t>(Team_Anzahl));
        kredite.resize(static_cast<size_t>(Team_Anzahl));
    }
}

}  // namespace

void Bank_Init() {
    konten.assign(static_cast<size_t>(Team_Anzahl > 0 ? Team_Anzahl : 0), Bank_Konto{});
    kredite.assign(konten.size(), {});
    periode = 0;
    ruf::Anfrage_Vergessen();
}

void Bank_Free() {
    konten.clear();
    kredite.clear();
    periode = 0;
}

bool Bank_Konto_Anlegen(int team, f64 start, int) {
    groesse_sichern();
    if (team < 0 || team >= static_cast<int>(konten.size())) return false;
    Bank_Konto& k = konten[static_cast<size_t>(team)];
    k = Bank_Konto{};
    k.eroeffnet = 1;
    k.kontostand = start;
    k.waehrung = waehrung_von_land(team);
    i64 wert = 0;
    for (int i = 0; i < Team_Kader_Anzahl(team); i++) wert += Spieler_Berechne_Marktwert(Team_Kader(team)[i]);
    i64 rahmen = wert / 10;
    if (rahmen < 500000) rahmen = 500000;
    k.kreditrahmen = static_cast<f32>(rahmen / 10000 * 10000);
    kredite[static_cast<size_t>(team)].clear();
    return true;
}

bool Bank_Konto_Offen(int team) { return konto(team) != nullptr; }

int Bank_Buchen(int zahler, int empfaenger, f32 betrag, int kategorie, int erzwingen, int waehrung) {
    if (!(betrag >= 1.0f) || !std::isfinite(betrag) || kategorie < 0 || kategorie > 127) return 0;
    if (ruf::Client()) {
        const int ok = ruf::Rufen(RUF_BANK_BUCHUNG, zahler, empfaenger, static_cast<i32>(betrag), kategorie, erzwingen,
                                  waehrung, Welt_Anfrage_Nummer())
                           .value_or(0);
        // The client's account follows the server's booking at once: its
        // balance and its bookings, which the finance screen and the money
        // page add up (else they missed the payment until the next fetch).
        for (const int t : {zahler, empfaenger})
            if (ok && t >= 0 && konto(t)) {
                Bank_Internet_Client_Get_Kredite(t);
                Bank_Internet_Client_Refresh(t);
            }
        return ok;
    }
    // An amount in another currency is booked in euros.
    if (waehrung > BANK_EURO && waehrung < BANK_WAEHRUNGEN) {
        betrag /= waehrungen[waehrung].faktor;
        if (!(betrag >= 1.0f)) return 0;
    }
    Bank_Konto* z = zahler >= 0 ? konto(zahler) : nullptr;
    Bank_Konto* e = empfaenger >= 0 ? konto(empfaenger) : nullptr;
    if ((zahler >= 0 && !z) || (empfaenger >= 0 && !e) || (!z && !e)) return 0;
    if (z && !erzwingen && z->kontostand + z->kreditrahmen < betrag) return 0;
    // No account goes past the most money the bank keeps.
    if (betrag > BANK_GELD_MAX || (z && z->kontostand - betrag < -BANK_GELD_MAX) ||
        (e && e->kontostand + betrag > BANK_GELD_MAX))
        return 0;
    if (z) {
        z->kontostand -= betrag;
        eintragen(z, betrag, kategorie | BANK_RICHTUNG_AUS, empfaenger);
    }
    if (e) {
        e->kontostand += betrag;
        eintragen(e, betrag, kategorie, zahler);
    }
    return 1;
}

f64 Bank_Get_Kontostand(int team, int, int) {
    Bank_Konto* k = konto(team);
    return k ? k->kontostand : 0.0;
}

f64 Bank_Get_Kreditrahmen(int team) {
    Bank_Konto* k = konto(team);
    return k ? k->kreditrahmen : 0.0;
}

int Bank_Get_Laufzeit_Klasse(int monate) {
    static const int grenze[7] = {1, 3, 6, 12, 24, 36, 48};
    int klasse = 0;
    for (int i = 0; i < 7; i++)
        if (monate >= grenze[i]) klasse = i;
    return klasse;
}

f32 Bank_Get_Zins(int klasse) { return zinsen[klasse < 0 ? 0 : klasse > 6 ? 6 : klasse]; }

bool Bank_Kredit(int geber, int nehmer, f32 betrag, int laufzeit, int option, f32 zins, int) {
    if (geber == nehmer || (geber < 0 && nehmer < 0)) return false;
    // A client's credit is the server's to book (a booking of kind 41 is
    // refused there).
    if (ruf::Client()) return Bank_Internet_Client_Kredit(geber, nehmer, betrag, laufzeit, option, zins);
    if ((nehmer >= 0 && !konto(nehmer)) || (geber >= 0 && !konto(geber))) return false;
    if (!(betrag >= BANK_KREDIT_MIN && betrag <= BANK_KREDIT_MAX)) return false;
    if (laufzeit < BANK_LAUFZEIT_MIN || laufzeit > BANK_LAUFZEIT_MAX) return false;
    if (zins == -1.0f) zins = Bank_Get_Zins(Bank_Get_Laufzeit_Klasse(laufzeit));
    if (!(zins >= BANK_ZINS_MIN && zins <= BANK_ZINS_MAX)) return false;
    if (geber >= 0 && konto(geber)->kontostand < betrag) return false;
    if (!Bank_Buchen(geber, nehmer, betrag, BANK_KREDIT, 1, -1)) return false;
    Bank_Kredit_Eintrag e{};
    e.betrag = betrag;
    e.betrag_zins = betrag * (1.0f + zins / 100.0f * static_cast<f32>(laufzeit) / 12.0f);
    e.laufzeit = laufzeit;
    e.start_periode = periode;
    e.zins = zins;
    if (nehmer >= 0) {
        e.partner = geber;
        e.anlage = 0;
        kredite[static_cast<size_t>(nehmer)].push_back(e);
    }
    if (geber >= 0) {
        e.partner = nehmer;
        e.anlage = 1;
        kredite[static_cast<size_t>(geber)].push_back(e);
    }
    return true;
}

bool Bank_Kredite_Setzen(int team, const Bank_Kredit_Eintrag* eintraege, int anzahl) {
    if (!konto(team) || anzahl < 0 || (anzahl > 0 && !eintraege)) return false;
    kredite[static_cast<size_t>(team)].assign(eintraege, eintraege + anzahl);
    return true;
}

int Bank_Get_Anzahl_Kredite(int team) {
    if (!konto(team)) return 0;
    return static_cast<int>(kredite[static_cast<size_t>(team)].size());
}

const Bank_Kredit_Eintrag* Bank_Get_Naechster_Kredit(int team, int* cursor) {
    if (!konto(team) || !cursor || *cursor < 0) return nullptr;
    auto& l = kredite[static_cast<size_t>(team)];
    if (*cursor >= static_cast<int>(l.size())) return nullptr;
    return &l[static_cast<size_t>((*cursor)++)];
}

f64 Bank_Summe_Buchungen(int team, int offset, int kategorie, int) {
    Bank_Konto* k = konto(team);
    if (!k) return 0.0;
    f64 summe = 0;
    for (int i = 0; i < k->anzahl; i++) {
        const Bank_Buchung& b = k->buchung[i];
        if (b.periode != periode - offset) continue;
        if (kategorie >= 0 && b.kategorie != kategorie) continue;
        if (kategorie < 0 && ist_spielzeile(b.kategorie)) continue;
        summe += b.betrag;
    }
    return summe;
}

bool Bank_Hat_Buchung_In_Periode(int team, int offset) {
    Bank_Konto* k = konto(team);
    if (!k) return false;
    for (int i = 0; i < k->anzahl; i++)
        if (k->buchung[i].periode == periode - offset) return true;
    return false;
}

void Bank_Neue_Periode() {
    periode++;
    // Every month the borrower pays back one part of the amount with interest.
    // A credit between two teams is listed by both: the borrower's entry
    // books, the lender's entry follows it.
    for (size_t t = 0; t < kredite.size(); t++) {
        auto& l = kredite[t];
        for (size_t i = 0; i < l.size();) {
            Bank_Kredit_Eintrag& e = l[i];
            f32 rate = e.betrag * (1.0f + e.zins / 100.0f * static_cast<f32>(e.laufzeit) / 12.0f) /
                       static_cast<f32>(e.laufzeit);
            if (rate > e.betrag_zins) rate = e.betrag_zins;
            if (e.anlage == 0) Bank_Buchen(static_cast<int>(t), e.partner, rate, BANK_KREDIT, 1, -1);
            else if (e.partner < 0) Bank_Buchen(-1, static_cast<int>(t), rate, BANK_KREDIT, 1, -1);
            e.betrag_zins -= rate;
            if (e.betrag_zins < 1.0f) l.erase(l.begin() + static_cast<long>(i));
            else i++;
        }
    }
}

i32 Bank_Get_Periode() { return periode; }

i32 Bank_Kredit_Restmonate(const Bank_Kredit_Eintrag& e) {
    return std::max(0, e.laufzeit - (periode - e.start_periode));
}

bool Bank_Periode_Uebernehmen(i32 p) {
    if (p < 0 || p > BANK_PERIODE_MAX) return false;
    periode = p;
    return true;
}

const char* Bank_Zahl_String(char* puffer, i64 wert, int) {
    char ziffern[32];
    std::snprintf(ziffern, sizeof ziffern, "%lld", static_cast<long long>(wert < 0 ? -wert : wert));
    std::string r = wert < 0 ? "-" : "";
    size_t n = std::strlen(ziffern);
    for (size_t i = 0; i < n; i++) {
        r += ziffern[i];
        if (i + 1 < n && (n - i - 1) % 3 == 0) r += '.';
    }
    char* ziel = puffer ? puffer : Temp_String();
    std::snprintf(ziel, TEMP_STRING_GROESSE, "%s", r.c_str());
    return ziel;
}

const Bank_Waehrung& Bank_Get_Waehrung_Eintrag(int w) {
    return waehrungen[w < 0 || w >= BANK_WAEHRUNGEN ? BANK_EURO : w];
}

int Bank_Get_Waehrung(int team) {
    if (team < 0) return BANK_EURO;
    Bank_Konto* k = konto(team);
    if (k && k->waehrung >= 0 && k->waehrung < BANK_WAEHRUNGEN) return k->waehrung;
    return waehrung_von_land(team);
}

const char* Bank_Geld_String(f64 betrag, int team, int waehrung, int) {
    int w = waehrung >= 0 && waehrung < BANK_WAEHRUNGEN ? waehrung : Bank_Get_Waehrung(team);
    betrag *= static_cast<f64>(waehrungen[w].faktor);
    if (!std::isfinite(betrag)) betrag = 0;
    if (betrag > 9.0e15) betrag = 9.0e15;
    if (betrag < -9.0e15) betrag = -9.0e15;
    char* t = Temp_String();
    Bank_Zahl_String(t, static_cast<i64>(std::llround(betrag)), 0);
    std::strncat(t, " ", TEMP_STRING_GROESSE - std::strlen(t) - 1);
    std::strncat(t, waehrungen[w].zeichen, TEMP_STRING_GROESSE - std::strlen(t) - 1);
    return t;
}

bool Bank_Buche_Spieldaten_Info(int team, const Welt_Spiel_Info& s) {
    if (ruf::Client()) {
        Debug_Out(DEBUG_FEHLER, "Client-Zugriff: Bank_Buche_Spieldaten()");
        return false;
    }
    Bank_Konto* k = konto(team);
    if (!k || (s.heim != team && s.gast != team)) return false;
    const f32 werte[5] = {static_cast<f32>(s.heim), static_cast<f32>(s.gast), static_cast<f32>(s.tore_heim),
                          static_cast<f32>(s.tore_gast), static_cast<f32>(s.zuschauer)};
    // Records of an earlier match of this period are overwritten in place.
    bool gesetzt[5] = {};
    for (int i = 0; i < k->anzahl; i++) {
        Bank_Buchung& b = k->buchung[i];
        if (b.periode != periode || !ist_spielzeile(b.kategorie)) continue;
        int n = b.kategorie - BANK_SPIEL_HEIM;
        b.betrag = gesetzt[n] ? 0.0f : werte[n];
        gesetzt[n] = true;
    }
    for (int n = 0; n < 5; n++)
        if (!gesetzt[n]) eintragen(k, werte[n], BANK_SPIEL_HEIM + n, n == 0 ? s.gast : n == 1 ? s.heim : -1);
    return true;
}

void Bank_Buche_Spieldaten(int team, int spiel) {
    Welt_Spiel_Info s;
    if (!Welt_Hook.spiel_daten(spiel, &s)) return;
    Bank_Buche_Spieldaten_Info(team, s);
}

bool Bank_Ist_Geldbuchung(int kategorie) { return kategorie >= 0 && kategorie <= 255 && !ist_spielzeile(kategorie); }


const Bank_Konto* Bank_Get_Konto(int team) { return konto(team); }
Bank_Konto* Bank_Konto_Schreibbar(int team) { return konto(team); }

// Block: u32 version, u32 team count, i32 period; per team the account
// (packed), u32 credit count and the credits.
namespace {
// Version 2 adds each team's highest request number; version 1 still loads.
constexpr u32 BLOCK_VERSION = 2;
constexpr u32 MAX_KREDITE = 10000;
}  // namespace

namespace {

// An account's stored image, field by field, is its bytes in memory on a
// little-endian machine: each field lies where the image puts it, with no
// gap between. The weekly autosave copies an account whole instead of
// visiting its 700 bookings' fields one by one.
static_assert(offsetof(Bank_Buchung, betrag) == 0 && offsetof(Bank_Buchung, kategorie) == 4 &&
                  offsetof(Bank_Buchung, frei) == 5 && offsetof(Bank_Buchung, partner) == 6 &&
                  offsetof(Bank_Buchung, periode) == 8,
              "a booking's fields lie in the order of its image");
static_assert(offsetof(Bank_Konto, buchung) == 0 && offsetof(Bank_Konto, kontostand) == 8400 &&
                  offsetof(Bank_Konto, kreditrahmen) == 8408 && offsetof(Bank_Konto, waehrung) == 8412 &&
                  offsetof(Bank_Konto, ring_index) == 8416 && offsetof(Bank_Konto, anzahl) == 8420 &&
                  offsetof(Bank_Konto, eroeffnet) == 8424 && offsetof(Bank_Konto, frei) == 8428,
              "an account's fields lie in the order of its image");

std::vector<u8> konto_bild(const Bank_Konto& k) {
    std::vector<u8> b;
    b.reserve(sizeof k);
    bytes::Schreiber s{b};
    bytes::wie_im_speicher(s, k);
    return b;
}

}  // namespace

bool Bank_Speichern(Datei_Status* d) {
    bool ok = Datei_Schreiben_Felder(
        d, [&](bytes::Schreiber& s) { s(BLOCK_VERSION), s(static_cast<u32>(konten.size())), s(periode); });
    for (size_t t = 0; ok && t < konten.size(); t++) {
        ok = Datei_Schreiben_Gepackt_Vektor(d, konto_bild(konten[t])) &&
             Datei_Schreiben_Felder(d, [&](bytes::Schreiber& s) {
                 s(static_cast<u32>(kredite[t].size()));
                 bytes::feld_schreiben(s, kredite[t].data(), kredite[t].size());
             });
    }
    return ok && Datei_Schreiben_Felder(d, [&](bytes::Schreiber& s) {
               for (size_t t = 0; t < konten.size(); t++) s(ruf::Anfrage_Stand(static_cast<i32>(t)));
           });
}

namespace {

// A loaded account: its fields and its bookings' within their ranges.

bool konto_gueltig(const Bank_Konto& k) {
    if (!Felder_Pruefen("Bank", k, BANK_KONTO_FELDER)) return false;
    for (const Bank_Buchung& b : k.buchung)
        if (!Felder_Pruefen("Bank", b, BANK_BUCHUNG_FELDER)) return false;
    return true;
}

}  // namespace

bool Bank_Laden(Datei_Status* d) {
    u32 version = 0, n = 0;
    i32 p = 0;
    if (!Datei_Lesen_Felder(d, 12, [&](bytes::Leser& l) { l(version), l(n), l(p); }) || version < 1 || version > BLOCK_VERSION ||
        !Bereiche_Pruefen("Bank", {{"periode", p, 0, BANK_PERIODE_MAX}}))
        return false;
    if (n > static_cast<u32>(MAX_TEAMS)) return false;
    std::vector<Bank_Konto> k(n);
    std::vector<std::vector<Bank_Kredit_Eintrag>> kr(n);
    for (u32 t = 0; t < n; t++) {
        if (!Datei_Lesen_Felder(
                d, bytes::groesse<Bank_Konto>(), [&](bytes::Leser& l) { l(k[t]); }, true))
            return false;
        if (!konto_gueltig(k[t])) return false;
        u32 m = 0;
        if (!Datei_Lesen_Felder(d, 4, [&](bytes::Leser& l) { l(m); }) || m > MAX_KREDITE) return false;
        kr[t].resize(m);
        if (!Datei_Lesen_Felder(d, m * bytes::groesse<Bank_Kredit_Eintrag>(),
                                [&](bytes::Leser& l) { bytes::feld_lesen(l, kr[t].data(), m); }))
            return false;
        for (const Bank_Kredit_Eintrag& e : kr[t])
            if (!Felder_Pruefen("Bank", e, BANK_KREDIT_FELDER)) return false;
    }
    std::vector<u32> anfragen(n, 0);
    if (version >= 2 &&
        !Datei_Lesen_Felder(d, 4 * n, [&](bytes::Leser& l) { bytes::feld_lesen(l, anfragen.data(), n); }))
        return false;
    neu_konten = std::move(k);
    neu_kredite = std::move(kr);
    neu_periode = p;
    neu_anfragen = std::move(anfragen);
    return true;
}

void Bank_Uebernehmen() {
    konten = std::move(neu_konten);
    kredite = std::move(neu_kredite);
    periode = neu_periode;
    ruf::Anfrage_Vergessen();
    for (size_t t = 0; t < neu_anfragen.size(); t++) ruf::Anfrage_Stand_Setzen(static_cast<i32>(t), neu_anfragen[t]);
    Bank_Verwerfen();
}

void Bank_Verwerfen() {
    neu_konten.clear();
    neu_kredite.clear();
    neu_periode = 0;
    neu_anfragen.clear();
}
