#include "season/richter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/debug.h"
#include "base/liste.h"
#include "base/memory.h"
#include "base/ruf.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/news.h"
#include "season/season_hooks.h"
#include "world/bank.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

// What the arbiter tells the asking team: an ordinary message of the money
// category.
constexpr u32 RICHTER_FLAGS = NEWS_NACHRICHT | 0x1000;

bool unbeantwortet(i32 antwort) { return antwort == -1 || antwort == -2; }

// The requests the arbiter holds: every question posted on this machine (or
// found in the store, as after loading a game), until it is answered or
// expires. A reply is carried out only for one of them.
struct Offen {
    u32 id;
    News_Daten d;
};
std::vector<Offen> offen;
std::vector<u32> erledigt;  // ids of questions answered or expired

bool bekannt(u32 id) {
    for (const Offen& o : offen)
        if (o.id == id) return true;
    return std::find(erledigt.begin(), erledigt.end(), id) != erledigt.end();
}

void merken(u32 id, const News_Daten& d) {
    if (id != 0 && !bekannt(id) && unbeantwortet(d.w[ANFRAGE_ANTWORT])) offen.push_back({id, d});
}

// The question a reply answers: the same request words, from the club that
// was asked (an offer of the random events: the offered club).
std::vector<Offen>::iterator gefragt(const News_Daten& antwort, i32 absender) {
    return std::find_if(offen.begin(), offen.end(), [&](const Offen& o) {
        const i32 wer = o.d.w[ANFRAGE_ART] == ANFRAGE_EREIGNIS ? ANFRAGE_FRAGER : ANFRAGE_GEFRAGT;
        return std::equal(o.d.w, o.d.w + ANFRAGE_ANTWORT, antwort.w) && absender == o.d.w[wer];
    });
}

std::string team_name(i32 team) {
    const char* n = Team_String(721, team, nullptr, 0);
    return n ? n : "";
}

// The ids of the items a team of any recipient holds with the flag; taken
// first, so that deleting and posting cannot disturb the walk.
std::vector<u32> ids_mit(u32 flag) {
    std::vector<u32> ids;
    for (i32 i = News_Erste(-1, static_cast<i32>(flag)); i >= 0; i = News_Naechste()) ids.push_back(News_Get_Id(i));
    return ids;
}

void melden(const News_Daten& d, const char* format) {
    News_Neu(d.w[ANFRAGE_GEFRAGT], d.w[ANFRAGE_FRAGER], -1, RICHTER_FLAGS, nullptr, format,
             team_name(d.w[ANFRAGE_GEFRAGT]).c_str());
}

// Whether an unanswered request expires today (kind 8 and unknown kinds never do).
bool verfaellt(const News_Daten& d, i32 heute) {
    const i32 art = d.w[ANFRAGE_ART];
    return d.w[ANFRAGE_FRIST] <= heute && art >= ANFRAGE_KREDIT && art <= ANFRAGE_VERTRAG && art != ANFRAGE_UNBEFRISTET;
}

// Unanswered requests whose deadline has come are deleted (and no longer
// held); an expired credit request is reported to the asker.
void fristen(i32 heute) {
    for (u32 id : ids_mit(NEWS_FRAGE)) merken(id, News_Get_Daten(News_Suche_Id(id)));
    for (auto o = offen.begin(); o != offen.end();) {
        if (verfaellt(o->d, heute)) {
            erledigt.push_back(o->id);
            o = offen.erase(o);
        } else {
            ++o;
        }
    }
    for (u32 id : ids_mit(NEWS_FRAGE)) {
        const i32 i = News_Suche_Id(id);
        const News_Daten d = News_Get_Daten(i);
        if (i < 0 || !unbeantwortet(d.w[ANFRAGE_ANTWORT]) || d.w[ANFRAGE_FRIST] > heute) continue;
        const i32 art = d.w[ANFRAGE_ART];
        if (art < ANFRAGE_KREDIT || art > ANFRAGE_VERTRAG || art == ANFRAGE_UNBEFRISTET) continue;
        News_Set(i, -1, 0, NEWS_SETZEN);
        if (art == ANFRAGE_KREDIT) melden(d, "Ihre Anfrage nach einem Kredit von %s wurde nicht beantwortet.");
    }
}

void kredit(const News_Daten& d) {
    if (d.w[ANFRAGE_ANTWORT] == 0) {
        melden(d, "Ihre Anfrage nach einem Kredit von %s wurde leider abgelehnt.");
        return;
    }
    const bool gebucht = Bank_Kredit(d.w[ANFRAGE_GEFRAGT], d.w[ANFRAGE_FRAGER], static_cast<f32>(d.w[ANFRAGE_BETRAG]),
                                     d.w[ANFRAGE_LAUFZEIT], 0, static_cast<f32>(d.w[ANFRAGE_ZINS]), 0);
    melden(d, gebucht ? "%s stellte Ihnen den gewünschten Kredit zur Verfügung. Das Geld ist bereits auf Ihrem Konto "
                        "eingegangen."
                      : "%s wollte den gewünschten Kredit zur Verfügung stellen, das Konto war aber leider nicht "
                        "gedeckt.");
}

// Answered requests: the reply is deleted, then carried out by its kind once,
// for a request the arbiter holds, from the club that was asked; a credit or
// an offer only while its deadline is still ahead.
void antworten(i32 heute) {
    for (u32 id : ids_mit(NEWS_ANTWORT)) {
        const i32 i = News_Suche_Id(id);
        const News_Daten antwort = News_Get_Daten(i);
        if (i < 0 || unbeantwortet(antwort.w[ANFRAGE_ANTWORT])) continue;
        const i32 absender = News_Get_Absender(i);
        News_Set(i, -1, 0, NEWS_SETZEN);
        const auto o = gefragt(antwort, absender);
        if (o == offen.end()) {
            Debug_Printf("Richter: Antwort ohne Anfrage (Team %d, Art %d)\n", absender, antwort.w[ANFRAGE_ART]);
            continue;
        }
        News_Daten d = o->d;
        d.w[ANFRAGE_ANTWORT] = antwort.w[ANFRAGE_ANTWORT];
        erledigt.push_back(o->id);
        offen.erase(o);
        // The question, where the asked client has not deleted it yet, is answered.
        if (const i32 frage = News_Suche_Id(erledigt.back()); frage >= 0) News_Set(frage, -1, 0, NEWS_SETZEN);
        const bool rechtzeitig = d.w[ANFRAGE_FRIST] > heute;
        switch (d.w[ANFRAGE_ART]) {
            case ANFRAGE_KREDIT:
                if (rechtzeitig) kredit(d);
                break;
            case ANFRAGE_EREIGNIS:
                if (rechtzeitig) Ereignis_Antwort(d);
                break;
            case ANFRAGE_VERTRAG: Spieler_Vertrag_Ergebnis(d.w); break;
            default: break;
        }
    }
}

}  // namespace

void Richter_Jeden_Tag() {
    if (ruf::Client() || !News_Bereit() || !Kalender_Ist_Initialisiert()) return;
    const i32 heute = Kalender_Get_Tag();
    fristen(heute);
    antworten(heute);
}

// A request of another team, or of another size, is logged; none is kept.
i32 Richter_Neu(const std::array<i32, 10>& anfrage, i32 groesse, i32) {
    if (anfrage[ANFRAGE_FRAGER] != Aktuelles_Team || groesse != 40)
        Debug_Printf("Richter_Neu: fremde Anfrage (Team %d)\n", anfrage[ANFRAGE_FRAGER]);
    return 0;
}

void Richter_Frage_Gestellt(u32 id, const News_Daten& d) {
    if (!ruf::Client()) merken(id, d);
}

bool Richter_Frage_Erlaubt(i32 sender, i32 empfaenger, const News_Daten& d) {
    // A client asks another club in its own name; offers of the random
    // events come from the server alone.
    return d.w[ANFRAGE_ART] != ANFRAGE_EREIGNIS && d.w[ANFRAGE_FRAGER] == sender && d.w[ANFRAGE_GEFRAGT] == empfaenger &&
           sender != empfaenger && unbeantwortet(d.w[ANFRAGE_ANTWORT]);
}

void Richter_Zuruecksetzen() {
    offen.clear();
    erledigt.clear();
}

u32 Richter_Internet_Server_Send_Liste(std::vector<u8>& aus) {
    aus.clear();
    Liste_Kopf l{};
    if (!Liste_Init(&l)) return 0;
    u32 n = 0;
    if (u8* b = static_cast<u8*>(Liste_To_Mem(&l, &n))) {
        aus.assign(b, b + n);
        W32_Memory_H_Free(b);
    }
    Liste_Freigeben(&l);
    return static_cast<u32>(aus.size());
}

i32 Richter_Internet_Client_Get_Liste() {
    const auto d = ruf::Rufen(RUF_RICHTER_LISTE);
    Liste_Kopf l{};
    if (!d || d->empty() || !Liste_Init(&l)) return -1;
    const bool ok = Liste_From_Mem(&l, d->data(), static_cast<u32>(d->size()));
    const i32 n = ok ? static_cast<i32>(l.anzahl) : -1;
    Liste_Freigeben(&l);
    if (!ok) Debug_Printf("Richter_Internet_Client_Get_Liste: Listenfehler!\n");
    return n;
}

void Richter_Netz_Anmelden() {
    ruf::Zeile_Anmelden(RUF_RICHTER_LISTE, [] {
        std::vector<u8> b;
        Richter_Internet_Server_Send_Liste(b);
        return b;
    });
    ruf::Zeile_Anmelden(RUF_RICHTER_NEU, [](std::array<i32, 10> anfrage, i32 groesse, i32 typ) {
        return Richter_Neu(anfrage, groesse, typ);
    });
}
