#include "season/richter.h"

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

// Unanswered requests whose deadline has come are deleted; an expired
// credit request is reported to the asker.
void fristen(i32 heute) {
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

// Answered requests: the reply is deleted, then carried out by its kind; a
// credit or an offer only while its deadline is still ahead.
void antworten(i32 heute) {
    for (u32 id : ids_mit(NEWS_ANTWORT)) {
        const i32 i = News_Suche_Id(id);
        const News_Daten d = News_Get_Daten(i);
        if (i < 0 || unbeantwortet(d.w[ANFRAGE_ANTWORT])) continue;
        const i32 absender = News_Get_Absender(i);
        News_Set(i, -1, 0, NEWS_SETZEN);
        // Nobody answers for another team.
        if (absender != d.w[d.w[ANFRAGE_ART] == ANFRAGE_EREIGNIS ? ANFRAGE_FRAGER : ANFRAGE_GEFRAGT]) continue;
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
