// The lockstep of a networked match: per-minute signals with the minute
// limits, the queued commands and the position checksum; the repair of a
// mismatch by fetching the whole pitch record. Layout: docs/formats/match-sync.md.
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "match/netz_rufe.h"
#include "match/spielfeld_intern.h"
#include "world/welt.h"

namespace {

// The side of a team in a pitch, -1.
int seite_von(const Spielfeld_Daten* sf, u32 team) {
    if (team == sf->team[0]) return 0;
    if (team == sf->team[1]) return 1;
    return -1;
}

constexpr size_t SIGNAL_GROESSE = bytes::groesse<Spielfeld_Sync_Signal>();

// Reads a signal from its bytes; SFN_OK or why it was refused.
int signal_lesen(const u8* signal, u32 laenge, Spielfeld_Sync_Signal* s) {
    if (!signal || laenge < SIGNAL_GROESSE) return SFN_KURZ;
    bytes::Leser l(signal, SIGNAL_GROESSE);
    l(*s);
    if (s->magic != SF_SYNC_MAGIC) return SFN_MAGIC;
    if (s->art != 1) return SFN_ART;
    return SFN_OK;
}

// Takes the commands of a signal that are not known yet and still lie ahead.
void kommandos_uebernehmen(Spielfeld_Daten* sf, const Spielfeld_Sync_Signal& s, int nur_seite) {
    for (const auto& k : s.kommando) {
        if (k.belegt != 1 || k.seite > 1) continue;
        if (nur_seite >= 0 && k.seite != nur_seite) continue;
        if (k.minute <= sf->minute) continue;  // too late: the checksum shows the difference
        if (k.minute > sf->minute + SF_KOMMANDO_FENSTER) {
            Debug_Printf("Spielfeld: Befehl fuer Minute %u liegt zu weit voraus\n", k.minute);
            continue;
        }
        bool bekannt = false;
        Spielfeld_Kommando* frei = nullptr;
        for (int i = 0; i < SF_KOMMANDOS_SEITE; ++i) {
            Spielfeld_Kommando& c = sf->kommando[k.seite * SF_KOMMANDOS_SEITE + i];
            if (c.belegt == 1 && c.nummer == k.nummer) bekannt = true;
            if (!c.belegt && !frei) frei = &c;
        }
        if (bekannt) continue;
        if (!frei) {
            Debug_Printf("Spielfeld: keine freie Befehlszeile fuer Seite %d\n", k.seite);
            continue;
        }
        *frei = k;
        for (u8& r : frei->rein)
            if (r != 255 && r >= SF_SPIELER) r = 255;
        for (u8& r : frei->raus)
            if (r != 255 && r >= SF_SPIELER) r = 255;
        // The tactic values as the screens set them: each within 0..100, the
        // derived ones following (a client's hardness of -128 or push of 127
        // is not played).
        i8* t = frei->taktik;
        for (int i : {TW_SCHALTER1, TW_SCHALTER2, TW_WERT1, TW_WERT2, TW_WERT3, TW_WERT4})
            t[i] = std::clamp<i8>(t[i], 0, 100);
        t[TW_WERT2_ABG] = static_cast<i8>((t[TW_WERT2] + 50) / 2);
        t[TW_WERT3_ABG] = static_cast<i8>((t[TW_WERT3] + 50) / 2);
        t[TW_WERT3_NULL] = t[TW_WERT3] == 0;
        auto& se = sf->seite[k.seite];
        if (k.nummer > se.kommando_nummer) se.kommando_nummer = k.nummer;
    }
}

// True when the signal's checksum differs from ours of the same minute.
bool abweichung(const Spielfeld_Daten* sf, const Spielfeld_Sync_Signal& s) {
    if (s.pruef_minute <= 0) return false;
    int k = (s.pruef_minute % 1000) & 7;
    if (sf->pruef_minute[k] != static_cast<u32>(s.pruef_minute)) return false;
    return sf->pruef_summe[k] != s.pruefsumme;
}

}  // namespace

namespace {

// The client's signals in flight, per match: a busy server answers one
// packet of a client per frame, so questions sent faster than that pile up
// behind each other, each answer older than the last.
struct Offene_Signale {
    u32 spiel;
    u32 anzahl;
};
std::vector<Offene_Signale> offene_signale;

Offene_Signale* offen_fuer(u32 spiel, bool anlegen) {
    for (Offene_Signale& o : offene_signale)
        if (o.spiel == spiel) return &o;
    if (!anlegen) return nullptr;
    // A client plays one match at a time; a few stay from matches it left.
    if (offene_signale.size() >= 8) offene_signale.erase(offene_signale.begin());
    return &offene_signale.emplace_back(Offene_Signale{spiel, 0});
}

}  // namespace

void SF_Signal_Gesendet(u32 spiel) { ++offen_fuer(spiel, true)->anzahl; }

u32 Spielfeld_Signale_Offen(u32 spiel) {
    const Offene_Signale* o = offen_fuer(spiel, false);
    return o ? o->anzahl : 0;
}

bool SF_Nachfrage_Faellig(Spielfeld_Daten* sf, u32 uhrzeit) {
    // Every signal is answered (a server without the match says so); an
    // answer that never comes means a lost line, which ends the game, or a
    // copy held for long, which takes the server's record instead.
    if (Spielfeld_Signale_Offen(sf->spiel) > 0) return false;
    // A clock that went back (a loaded game) asks at once.
    if (uhrzeit >= sf->signal_zeit && uhrzeit - sf->signal_zeit < SF_NACHFRAGE_MS) return false;
    sf->signal_zeit = uhrzeit;
    return true;
}

void Spielfeld_Set_Netz(Spielfeld_Daten* sf, int rolle, int seite) {
    if (!sf) return;
    std::erase_if(offene_signale, [sf](const Offene_Signale& o) { return o.spiel == sf->spiel; });
    sf->netz_seite = static_cast<u8>(seite & 1);
    sf->netz = static_cast<u8>(rolle < 0 || rolle > 2 ? 0 : rolle);
    sf->grenze_eigen = static_cast<i16>(sf->minute + 2);
    sf->grenze_andere = static_cast<i16>(sf->minute + 2);
    sf->wartet = 0;
    sf->sync_fehler = 0;
    sf->stand_andere = 0;
}

void Spielfeld_Netz_Freigeben(Spielfeld_Daten* sf) {
    if (!sf) return;
    sf->grenze_andere = SF_GRENZE_OFFEN;
    sf->wartet = 0;
}

void Spielfeld_Signal_Fuellen(const Spielfeld_Daten* sf, u32 team, Spielfeld_Sync_Signal* aus) {
    std::memset(aus, 0, sizeof *aus);
    aus->magic = SF_SYNC_MAGIC;
    aus->art = 1;
    aus->team = team;
    aus->spiel = sf->spiel;
    aus->minute = sf->minute;
    aus->halbzeit = sf->halbzeit;
    aus->minuten_grenze = sf->minute + 2;
    aus->halbzeit_grenze = sf->halbzeit;
    int k = -1;
    for (int i = 0; i < 8; i++)
        if (sf->pruef_minute[i] != 0 && (k < 0 || sf->pruef_minute[i] > sf->pruef_minute[k])) k = i;
    if (k >= 0 && sf->ticks > 0) {
        aus->pruef_minute = static_cast<i32>(sf->pruef_minute[k]);
        aus->pruefsumme = sf->pruef_summe[k];
    } else {
        aus->pruef_minute = -1;
    }
    u32 n = 0;
    for (const auto& c : sf->kommando)
        if (c.belegt == 1) aus->kommando[n++] = c;
    aus->anzahl = n;
}

namespace {

// Takes a read signal into a pitch; a server's answer replaces the signal.
int verarbeiten(Spielfeld_Daten* sf, Spielfeld_Sync_Signal& s, u32 sender_team, bool antworten) {
    if (!sf) return SFN_KEIN_SPIEL;
    int seite = seite_von(sf, s.team);
    if (s.team != sender_team || seite < 0 || s.spiel != sf->spiel) {
        Debug_Printf("Spielfeld: Signal von Team %u fuer Spiel %u passt nicht\n", s.team, s.spiel);
        return SFN_TEAM;
    }
    if (s.anzahl > SF_KOMMANDOS) s.anzahl = SF_KOMMANDOS;
    // A server takes only the sender's own side's commands; a client takes all.
    kommandos_uebernehmen(sf, s, antworten ? seite : -1);
    // Minutes repeat after a break, so a limit counts in its own half only. A
    // side already in a later half has ended this one: nothing holds this side
    // any more before the half's end, which both sides reach at the same tick.
    if (s.halbzeit > sf->halbzeit) sf->grenze_andere = SF_GRENZE_OFFEN;
    else if (s.halbzeit == sf->halbzeit && s.minuten_grenze > sf->grenze_andere && s.minuten_grenze < SF_GRENZE_OFFEN)
        sf->grenze_andere = static_cast<i16>(s.minuten_grenze);
    bool falsch = abweichung(sf, s);
    if (antworten) {
        // How far the client has come, also in a half this side has left
        // behind: it plays on, it is not silent.
        const i32 stand = std::clamp(s.halbzeit, 0, 60) * 1000 + std::clamp(s.minute, 0, 999);
        if (stand > sf->stand_andere) sf->stand_andere = static_cast<u16>(stand);
        Spielfeld_Signal_Fuellen(sf, sender_team, &s);
        if (falsch) s.flags |= SF_SIGNAL_HOLEN;
        if (sf->beendet) s.flags |= SF_SIGNAL_ENDE;
    } else if (falsch || (s.flags & SF_SIGNAL_HOLEN)) {
        sf->sync_fehler = 1;
    } else if (!sf->sync_fehler && ((s.flags & SF_SIGNAL_ENDE) || (s.halbzeit > sf->halbzeit && sf->halbzeit_status == 2))) {
        // The server's match is over, or its next half has begun while the
        // copy waits in the break: the copy carries on from the server's record.
        sf->sync_fehler = 2;
    }
    return SFN_OK;
}

// Reads a signal from its bytes; a refusal is logged.
int gelesen(const u8* signal, u32 laenge, Spielfeld_Sync_Signal* s) {
    int r = signal_lesen(signal, laenge, s);
    if (r != SFN_OK) Debug_Printf("Spielfeld: Signal abgelehnt (%d)\n", r);
    return r;
}

}  // namespace

int Spielfeld_Signal_Verarbeiten(Spielfeld_Daten* sf, u8* signal, u32 laenge, u32 sender_team, bool antworten) {
    Spielfeld_Sync_Signal s;
    int r = gelesen(signal, laenge, &s);
    if (r == SFN_OK) r = verarbeiten(sf, s, sender_team, antworten);
    if (r == SFN_OK && antworten) bytes::bild_schreiben(signal, SIGNAL_GROESSE, [&](bytes::Schreiber& w) { w(s); });
    return r;
}

int Spielfeld_Internet_Server_Read_Signal(u8* signal, u32 laenge, u32 sender_team) {
    Spielfeld_Sync_Signal s;
    int r = gelesen(signal, laenge, &s);
    if (r != SFN_OK) return r;
    Spielfeld_Daten* sf = Spielfeld_Zeiger(s.spiel);
    if (!sf || seite_von(sf, sender_team) < 0) {
        // The match is over here (its pitch is gone, or its number already
        // serves another match): the answer says so and raises no limit,
        // never the client's own signal echoed as if it were the server's.
        Debug_Printf("Spielfeld: Team %u spielt nicht in Spiel %u\n", sender_team, s.spiel);
        Spielfeld_Sync_Signal ende{};
        ende.magic = SF_SYNC_MAGIC;
        ende.art = 1;
        ende.team = sender_team;
        ende.spiel = s.spiel;
        ende.minute = ende.minuten_grenze = ende.pruef_minute = -1;
        ende.flags = SF_SIGNAL_ENDE;
        bytes::bild_schreiben(signal, SIGNAL_GROESSE, [&](bytes::Schreiber& w) { w(ende); });
        return sf ? SFN_TEAM : SFN_KEIN_SPIEL;
    }
    return Spielfeld_Signal_Verarbeiten(sf, signal, laenge, sender_team, true);
}

int Spielfeld_Internet_Client_Read_Signal(Spielfeld_Daten* sf, const u8* signal, u32 laenge, u32 sender_team) {
    Spielfeld_Sync_Signal s;
    int r = gelesen(signal, laenge, &s);
    // Whatever it says, an answer to this copy has come.
    if (r == SFN_OK && sf && s.spiel == sf->spiel)
        if (Offene_Signale* o = offen_fuer(sf->spiel, false); o && o->anzahl > 0) --o->anzahl;
    return r == SFN_OK ? verarbeiten(sf, s, sender_team, false) : r;
}

u32 Spielfeld_Signal_Spiel(const u8* signal, u32 laenge) {
    Spielfeld_Sync_Signal s;
    return signal_lesen(signal, laenge, &s) == SFN_OK ? s.spiel : 0;
}

bool Spielfeld_Internet_Client_Get_Spielfeld(Spielfeld_Daten* sf, u32 spiel) {
    auto neu_zeiger = std::make_unique<Spielfeld_Daten>();
    Spielfeld_Daten& neu = *neu_zeiger;
    std::vector<u8> bild(SPIELFELD_GROESSE);
    u32 werte[4] = {0, 0, 0, 0};
    if (!sf || !SF_Hook.hole_spielfeld(spiel, bild.data(), werte)) {
        Debug_Printf("Spielfeld: Spiel %u nicht vom Server erhalten\n", spiel);
        return false;
    }
    bytes::Leser l(bild.data(), bild.size());
    l(neu);
    if (neu.spiel != spiel || neu.team[0] != sf->team[0] || neu.team[1] != sf->team[1] || !Spielfeld_Pruefen(&neu)) {
        Debug_Printf("Spielfeld: Spielfeld vom Server passt nicht zu Spiel %u\n", spiel);
        return false;
    }
    // The local display state stays; everything else is the server's. The
    // display state includes the last-event header and the replay ring: the
    // server's header holds what no view took there (a goal long past stays
    // valid on a server nobody watches), and its ring what it recorded.
    Debug_Printf("Spielfeld: Spiel %u vom Server uebernommen (Minute %d, Halbzeit %d -> Minute %d, Halbzeit %d)\n", spiel,
                 sf->minute, sf->halbzeit, neu.minute, neu.halbzeit);
    u8 anzeige = sf->anzeige, fokus = sf->fokus, seite = sf->netz_seite;
    u32 basis = sf->uhr_basis;
    const Spielfeld_Ereignis_Kopf ereignis = sf->ereignis;
    const std::vector<u8> replay(reinterpret_cast<const u8*>(sf->replay),
                                 reinterpret_cast<const u8*>(sf->replay) + sizeof sf->replay);
    const u16 replay_pos = sf->replay_pos, replay_anzahl = sf->replay_anzahl;
    *sf = neu;
    sf->anzeige = anzeige;
    sf->fokus = fokus;
    sf->uhr_basis = basis;
    sf->ereignis = ereignis;
    std::memcpy(sf->replay, replay.data(), sizeof sf->replay);
    sf->replay_pos = replay_pos;
    sf->replay_anzahl = replay_anzahl;
    sf->netz = 2;
    sf->netz_seite = seite;
    sf->sync_fehler = 0;
    // The record stands for every answer still to come.
    std::erase_if(offene_signale, [spiel](const Offene_Signale& o) { return o.spiel == spiel; });
    sf->wartet = 0;
    sf->grenze_andere = neu.grenze_eigen;
    return true;
}

bool Spielfeld_Sync_Fehler_Beheben(Spielfeld_Daten* sf) {
    if (!sf) return false;
    if (sf->netz != 2) {
        sf->sync_fehler = 0;
        return true;
    }
    return Spielfeld_Internet_Client_Get_Spielfeld(sf, sf->spiel);
}

namespace {
// The final records of the networked matches deleted last, one per pitch place.
std::vector<std::unique_ptr<Spielfeld_Daten>> geendet;
}  // namespace

void SF_Netz_Ende_Merken(const Spielfeld_Daten* sf) {
    if (!sf) return;
    std::erase_if(geendet, [&](const auto& g) { return g->team[0] == sf->team[0] && g->team[1] == sf->team[1]; });
    if (geendet.size() >= SF_MAX_SPIELFELDER) geendet.erase(geendet.begin());
    geendet.push_back(std::make_unique<Spielfeld_Daten>(*sf));
}

bool Spielfeld_Internet_Server_Send_Spielfeld(u32 team, u8* aus, u32* minute, f32* zeit, u32* wettbewerb, u32* spiel) {
    if (!aus) return false;
    // The running match of the team, else its finished one still in the table
    // (a client that plays on in stoppage time takes the final state from it).
    Spielfeld_Daten* sf = SF_Suche_Team(team);
    for (auto* t : SF_Register.tabelle)
        if (!sf && t && (t->team[0] == team || t->team[1] == team)) sf = t;
    for (auto g = geendet.rbegin(); !sf && g != geendet.rend(); ++g)
        if ((*g)->team[0] == team || (*g)->team[1] == team) sf = g->get();
    if (!sf) return false;
    bytes::bild_schreiben(aus, SPIELFELD_GROESSE, [sf](bytes::Schreiber& w) { w(*sf); });
    if (minute) *minute = static_cast<u32>(sf->minute);
    if (zeit) *zeit = static_cast<f32>(sf->minute) + static_cast<f32>(sf->minuten_teil) / SF_TICKS_PRO_MINUTE;
    if (wettbewerb) *wettbewerb = sf->wettbewerb;
    if (spiel) *spiel = sf->spiel;
    SF_Hook.set_bereit(team);
    return true;
}

// ---------------------------------------------------------------------------
// The remote call 1032.

void Spielfeld_Netz_Anmelden() {
    ruf::Zeile_Anmelden(RUF_SPIELFELD_LADEN, []() {
        std::tuple<u8, std::vector<u8>, u32, f32, u32, u32> a{};
        auto& [ok, bild, minute, zeit, wettbewerb, spiel] = a;
        bild.assign(SPIELFELD_GROESSE, 0);
        ok = Aktuelles_Team >= 0 &&
                     Spielfeld_Internet_Server_Send_Spielfeld(static_cast<u32>(Aktuelles_Team), bild.data(), &minute,
                                                              &zeit, &wettbewerb, &spiel)
                 ? 1
                 : 0;
        if (!ok) bild.assign(SPIELFELD_GROESSE, 0);
        return a;
    });
}

bool Spielfeld_Netz_Holen(u32 spiel, u8* aus, u32 werte[4]) {
    const auto a = ruf::Rufen(RUF_SPIELFELD_LADEN);
    if (!a || !aus) return false;
    const auto& [ok, bild, minute, zeit, wettbewerb, nummer] = *a;
    if (!ok || nummer != spiel || bild.size() != SPIELFELD_GROESSE) return false;
    std::memcpy(aus, bild.data(), SPIELFELD_GROESSE);
    if (werte) {
        werte[0] = minute;
        werte[1] = std::bit_cast<u32>(zeit);
        werte[2] = wettbewerb;
        werte[3] = nummer;
    }
    return true;
}
