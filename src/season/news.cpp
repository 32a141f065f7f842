#include "season/news.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>

#include "base/bereich.h"
#include "base/datei.h"
#include "base/debug.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/optionen_block.h"
#include "season/richter.h"
#include "season/season_hooks.h"
#include "world/manager.h"
#include "world/netz.h"
#include "world/welt.h"

namespace {

struct Empfaenger {
    i32 team;
    u32 flags;
};

struct Item {
    u32 id = 0;
    i32 tag = 0;
    i32 sender = 0;
    News_Daten daten;
    std::string text;  // binary texts may hold NULs
    std::vector<Empfaenger> an;
    u32 angekommen = 0;  // clock time it reached this machine's store (not saved, not sent)
};

struct Store {
    bool bereit = false;
    u32 naechste_id = 1;
    std::deque<Item> items;  // oldest first
};

Store store;
Store gelesen;
bool gelesen_gut = false;
News_Hooks hooks;

// The end-of-turn button's grey state bit (icon_707_status).
constexpr int ICON_707_GRAU = 2;

// The day each team's manager last told the others that he ended his turn:
// while the day waits for the other machines his turn is handed back to
// him as often as he ends it, and the others hear of it once.
struct Zug_Gemeldet {
    i32 jahr = -1, tag = -1;
};
Zug_Gemeldet zug_gemeldet[MAX_TEAMS];
void zug_gemeldet_vergessen() {
    for (Zug_Gemeldet& z : zug_gemeldet) z = {};
}

// The scan cursor.
struct Scan {
    i32 team = -1, maske = -1, pos = 0;
    u32 muss = 0, nicht = 0;
} scan;

const std::string leer;

bool index_gut(i32 index) { return index >= 0 && index < static_cast<i32>(store.items.size()); }

bool passt(u32 flags, i32 maske) {
    const u32 m = static_cast<u32>(maske);
    if (maske == -1) return true;
    if (m & NEWS_GESPEICHERT) return (flags & m) == m;
    return (flags & m) != 0;
}

// A recipient left with no bits (or only the stored mark) is removed.
bool leer_flags(u32 f) { return f == 0 || f == NEWS_GESPEICHERT; }

bool teamnummer_gut(i32 team) { return team >= 0 && team < MAX_TEAMS; }

void loeschen(i32 index) {
    store.items.erase(store.items.begin() + index);
    if (scan.pos > index) --scan.pos;
}

// Appends an item (a full store first drops its oldest); an id of 0 takes
// the next one. The id stored.
u32 einfuegen(Item&& it) {
    if (static_cast<i32>(store.items.size()) >= NEWS_MAX) loeschen(0);
    if (!it.id) it.id = store.naechste_id++;
    if (it.id >= store.naechste_id) store.naechste_id = it.id + 1;
    it.angekommen = W32_Get_Time();
    store.items.push_back(std::move(it));
    return store.items.back().id;
}

u32 client_posten(i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags, const News_Daten* daten, const char* text);

}  // namespace

void News_Set_Hooks(const News_Hooks& h) { hooks = h; }

void News_Init() {
    Richter_Zuruecksetzen();
    zug_gemeldet_vergessen();
    store = Store{};
    store.bereit = true;
    scan = Scan{};
}

void News_Free() {
    Richter_Zuruecksetzen();
    zug_gemeldet_vergessen();
    store = Store{};
    scan = Scan{};
}

bool News_Bereit() { return store.bereit; }

const News_Daten_Art& News_Daten_Art_Von(u32 flags, const News_Daten& d) {
    if (flags & NEWS_BINAER) return NEWS_DATEN_ARTEN[1];
    if (flags & NEWS_TAGESNOTIZ) return NEWS_DATEN_ARTEN[2];
    switch (d.w[ANFRAGE_ART]) {
        case ANFRAGE_KREDIT: return NEWS_DATEN_ARTEN[3];
        case ANFRAGE_EREIGNIS: return NEWS_DATEN_ARTEN[4];
        case ANFRAGE_VERTRAG: return NEWS_DATEN_ARTEN[5];
        default: return NEWS_DATEN_ARTEN[0];
    }
}

bool News_Daten_Pruefen(u32 flags, const News_Daten& d) {
    const News_Daten_Art& art = News_Daten_Art_Von(flags, d);
    for (int i = 0; i < 10; ++i) {
        const Feld_Grenze<News_Daten>& b = art.felder[i];
        const f64 w = b.lesen(d);
        if (!(w >= b.min && w <= b.max)) {
            Debug_Printf("News (%s): %s = %.17g liegt nicht in %.17g..%.17g\n", art.name, b.name, w, b.min, b.max);
            return false;
        }
    }
    return true;
}

u32 News_Schreiben(u32 id, i32 tag, i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags, const News_Daten* daten,
                   const char* text, u32 laenge) {
    if (!store.bereit) {
        Debug_Printf("News-Modul nicht initialisiert !!!\n");
        return 0;
    }
    if (!text) return 0;
    if (flags == 0xFFFFFFFFu || flags == 0xFFFFFFFEu) flags = 0x804;
    if (flags != NEWS_ANTWORT) {
        flags |= NEWS_GESPEICHERT;
        if (!(flags & NEWS_KATEGORIEN)) flags |= NEWS_KATEGORIE_SONST;
    }
    if (flags & NEWS_BINAER) {
        if (!daten || daten->w[0] <= 0) {
            Debug_Printf("Binärnews ohne Länge\n");
            return 0;
        }
        laenge = static_cast<u32>(daten->w[0] - 1);
    } else {
        laenge = static_cast<u32>(std::strlen(text));
    }
    if (laenge == 0 || laenge > NEWS_TEXT_MAX) return 0;
    if (empfaenger != -1 && !Team_Hat_Manager(empfaenger) && (empfaenger2 == -1 || !Team_Hat_Manager(empfaenger2)) &&
        !(flags & (NEWS_FRAGE | NEWS_ANTWORT)))
        return 0;

    Item it;
    it.tag = tag == -1 ? Kalender_Get_Tag() : tag;
    it.sender = sender;
    if (daten) it.daten = *daten;
    it.text.assign(text, laenge);
    if (empfaenger == -1) {
        if (flags & NEWS_ANTWORT) {
            if (Team_Hat_Manager(sender)) it.an.push_back({sender, flags});
        } else {
            for (i32 t = 0; t < Team_Anzahl && t < MAX_TEAMS; ++t)
                if (t != sender && Team_Hat_Manager(t)) it.an.push_back({t, flags});
        }
        if (it.an.empty()) return 0;
    } else {
        if (!teamnummer_gut(empfaenger) || (empfaenger2 != -1 && !teamnummer_gut(empfaenger2))) return 0;
        it.an.push_back({empfaenger, flags});
        if (empfaenger2 != -1 && empfaenger2 != empfaenger) it.an.push_back({empfaenger2, flags});
    }
    it.id = id;
    const u32 neu = einfuegen(std::move(it));
    if ((flags & NEWS_FRAGE) && daten) Richter_Frage_Gestellt(neu, *daten);
    return neu;
}

u32 News_Neu_Text(i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags, const News_Daten* daten, const char* text) {
    if (ruf::Client()) return client_posten(sender, empfaenger, empfaenger2, flags, daten, text);
    return News_Schreiben(0, -1, sender, empfaenger, empfaenger2, flags, daten, text);
}

u32 News_Sende_Team_Text(const char* text) {
    if (ruf::Einzel() || !text || Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl || Team_Aktiv >= MAX_TEAMS) return 0;
    Zug_Gemeldet& z = zug_gemeldet[Team_Aktiv];
    if (z.jahr == Kalender_Get_Jahr() && z.tag == Kalender_Get_Tag()) return 0;
    char manager[64], verein[64];
    std::snprintf(manager, sizeof manager, "%s", Team_String(300, Team_Aktiv, nullptr, 0));
    std::snprintf(verein, sizeof verein, "%s", Team_String(721, Team_Aktiv, nullptr, 0));
    News_Daten d{};
    d.w[0] = Kalender_Get_Tag();
    d.w[1] = Team_Aktiv;
    z = {Kalender_Get_Jahr(), Kalender_Get_Tag()};
    return News_Neu(Team_Aktiv, -1, -1, NEWS_NACHRICHT | NEWS_TAGESNOTIZ, &d, "%s (%s) %s", manager, verein, text);
}

u32 News_Neu(i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags, const News_Daten* daten, const char* format, ...) {
    if (!format) return 0;
    char puffer[4096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(puffer, sizeof puffer, format, args);
    va_end(args);
    return News_Neu_Text(sender, empfaenger, empfaenger2, flags, daten, puffer);
}

bool News_Set(i32 index, i32 team, u32 wert, i32 modus) {
    if (!store.bereit || !index_gut(index)) return false;
    if (modus != NEWS_SETZEN && modus != NEWS_XOR && modus != NEWS_BITS_LOESCHEN && modus != NEWS_BITS_SETZEN) {
        Debug_Printf("Falscher News_Set-Modus\n");
        return false;
    }
    Item& it = store.items[static_cast<size_t>(index)];
    // A client's change goes to the server's item as well.
    if (ruf::Client()) ruf::Rufen(RUF_NEWS_SETZEN, static_cast<i32>(it.id), team, static_cast<i32>(wert), modus);
    bool entfernt = false;
    for (size_t i = 0; i < it.an.size();) {
        Empfaenger& e = it.an[i];
        if (team != -1 && e.team != team) {
            ++i;
            continue;
        }
        switch (modus) {
            case NEWS_SETZEN: e.flags = wert; break;
            case NEWS_XOR: e.flags ^= wert; break;
            case NEWS_BITS_LOESCHEN: e.flags &= wert ^ 0x7FFFFFFFu; break;
            default: e.flags |= wert; break;
        }
        if (leer_flags(e.flags)) {
            it.an.erase(it.an.begin() + static_cast<long>(i));
            entfernt = true;
        } else {
            ++i;
        }
    }
    if (it.an.empty()) loeschen(index);
    return entfernt;
}

i32 News_Anzahl() { return static_cast<i32>(store.items.size()); }
u32 News_Get_Id(i32 index) { return index_gut(index) ? store.items[static_cast<size_t>(index)].id : 0; }
i32 News_Suche_Id(u32 id) {
    for (size_t i = 0; i < store.items.size(); ++i)
        if (id && store.items[i].id == id) return static_cast<i32>(i);
    return -1;
}
i32 News_Get_Absender(i32 index) { return index_gut(index) ? store.items[static_cast<size_t>(index)].sender : -1; }
News_Daten News_Get_Daten(i32 index) {
    return index_gut(index) ? store.items[static_cast<size_t>(index)].daten : News_Daten{};
}
const std::string& News_Get_Text(i32 index) {
    return index_gut(index) ? store.items[static_cast<size_t>(index)].text : leer;
}
i32 News_Get_Flags(i32 index, i32 team) {
    if (!index_gut(index)) return -1;
    for (const Empfaenger& e : store.items[static_cast<size_t>(index)].an)
        if (e.team == team) return static_cast<i32>(e.flags);
    return -1;
}

i32 News_Naechste() {
    for (; scan.pos < News_Anzahl(); ++scan.pos) {
        for (const Empfaenger& e : store.items[static_cast<size_t>(scan.pos)].an) {
            if (scan.team != -1 && e.team != scan.team) continue;
            if (!passt(e.flags, scan.maske)) continue;
            if (scan.muss && (e.flags & scan.muss) != scan.muss) continue;
            if (e.flags & scan.nicht) continue;
            return scan.pos++;
        }
    }
    return -1;
}

i32 News_Erste(i32 team, i32 maske) { return News_Finde(team, maske, 0, 0); }

i32 News_Finde(i32 team, i32 maske, u32 muss, u32 nicht) {
    scan = Scan{team, maske, 0, muss, nicht};
    return store.bereit ? News_Naechste() : -1;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void News_Loeschen_Team(i32 wert0, i32 wort, i32 wert) {
    if (wort < 0 || wort >= 10) return;
    for (i32 i = News_Anzahl() - 1; i >= 0; --i) {
        const News_Daten& d = store.items[static_cast<size_t>(i)].daten;
        if (d.w[0] == wert0 && d.w[wort] == wert) loeschen(i);
    }
}

bool News_Pruefen(i32 team) {
    if (!store.bereit) return false;
    static bool warten = false;
    if (hooks.modal_screen()) {
        warten = true;
        return true;
    }
    if (warten) {
        warten = false;
        return true;
    }
    if (ruf::Server()) hooks.uebersicht_auffrischen();
    if (ruf::Client()) {
        // The club's own figures first, so a message about them finds them
        // current: its account and credits, its club records (its own
        // settings sent, then read back), then its news.
        Bank_Internet_Client_Get_Kredite(team);
        Bank_Internet_Client_Refresh(team);
        Team_Internet_Client_Send_T_Own();
        Team_Internet_Client_Get_T_Own();
        Team_Internet_Client_Get_T(team);
        hooks.uebersicht_auffrischen();
        hooks.wettbewerb_auffrischen();
        News_Internet_Client_Holen(team);
    }
    constexpr u32 zeigen = NEWS_BINAER | NEWS_TAGESNOTIZ | NEWS_ANKUENDIGUNG | NEWS_NACHRICHT | NEWS_FRAGE;
    bool etwas = false;
    const auto erstes = [team] {
        return News_Finde(team, static_cast<i32>(zeigen), 0, NEWS_GEZEIGT_2 | NEWS_ANTWORT);
    };
    for (i32 i = erstes(); i >= 0;) {
        const Item& it = store.items[static_cast<size_t>(i)];
        const u32 f = static_cast<u32>(News_Get_Flags(i, team));
        if (f & (NEWS_BINAER | NEWS_ANKUENDIGUNG)) {
            hooks.ankuendigung(it.text.data(), static_cast<u32>(it.text.size()));
            News_Set(i, team, 0, NEWS_SETZEN);
            etwas = true;
            i = erstes();
            continue;
        }
        if (f & NEWS_TAGESNOTIZ) {
            const int icon = hooks.icon_707_status();
            // Unseen as well once this machine's turns are over and it waits
            // for the day, whatever screen stands (a client watching its
            // match or reading its pages): the turn ended in time.
            const bool zuege_vorbei = Kalender_Lauf_Get().neuer_tag == 1;
            if (zuege_vorbei ||
                (icon >= 0 && ((icon & ICON_707_GRAU) || it.tag < Kalender_Get_Tag() || Team_Hat_Manager_Aktiv(it.sender)))) {
                News_Set(i, -1, 0, NEWS_SETZEN);
                etwas = true;
                i = erstes();
                continue;
            }
            // Another manager's end of his turn is news to one who keeps
            // him waiting: it waits while this manager's turn goes on and
            // goes unseen with the day when he ends his turn in time (else
            // a manager who plays after the other meets it at the start of
            // every turn). The items after it are taken meanwhile.
            if (W32_Get_Time() - it.angekommen < NEWS_NOTIZ_FRIST_MS) {
                i = News_Naechste();
                continue;
            }
        }
        if (f & NEWS_FRAGE) {
            // Marked shown so the next pass does not open it twice; the
            // answer deletes it.
            News_Set(i, team, NEWS_GEZEIGT_2, NEWS_BITS_SETZEN);
            hooks.requester(team, i, it.text.c_str(), it.daten.w[0] == 11 ? it.daten.w[8] : 0);
        } else {
            const std::string text = it.text;
            News_Set(i, team, 0, NEWS_SETZEN);
            hooks.meldung(team, text.c_str());
        }
        return true;
    }
    return etwas;
}

namespace {
void antworten(i32 team, i32 index, bool ja) {
    const i32 flags = News_Get_Flags(index, team);
    // Only an open question of the team is answered (a second answer finds
    // it gone).
    if (flags < 0 || !(static_cast<u32>(flags) & NEWS_FRAGE)) return;
    u32 f = static_cast<u32>(flags);
    if ((f & (NEWS_GEZEIGT_1 | NEWS_GEZEIGT_2)) == (NEWS_GEZEIGT_1 | NEWS_GEZEIGT_2))
        f &= ~(NEWS_GEZEIGT_1 | NEWS_GEZEIGT_2);
    f &= ~(NEWS_FRAGE | NEWS_ANTWORT | NEWS_GEZEIGT_2);
    News_Daten d = News_Get_Daten(index);
    d.w[9] = ja ? 1 : 0;
    const i32 an = News_Get_Absender(index);
    char name[64] = "";
    const char* n = Team_String(721, team, nullptr, 0);
    std::snprintf(name, sizeof name, "%s", n ? n : "");
    News_Set(index, -1, 0, NEWS_SETZEN);
    News_Neu(Team_Aktiv, an, -1, f | NEWS_ANTWORT, &d, ja ? "(%s sagt ja!)" : "(%s sagt nein!)", name);
}
}  // namespace

void News_Antwort_Ja(i32 team, i32 index) { antworten(team, index, true); }
void News_Antwort_Nein(i32 team, i32 index) { antworten(team, index, false); }

// ---------------------------------------------------------------------------
// Save block 16 after the option block.

namespace {
constexpr i32 ENDE = -1;
constexpr u32 MAX_EMPFAENGER = MAX_TEAMS;

void item_schreiben(bytes::Schreiber& s, const Item& it) {
    s(it.id), s(it.tag), s(it.sender), s(it.daten.w);
    s(static_cast<u32>(it.text.size()));
    s.bytes(it.text.data(), it.text.size());
    s(u8{0});
    for (const Empfaenger& e : it.an) s(e.team), s(e.flags);
    s(ENDE);
}

bool item_lesen(bytes::Leser& l, Item& it, u32 naechste_id) {
    u32 laenge = 0;
    l(it.id), l(it.tag), l(it.sender), l(it.daten.w), l(laenge);
    if (l.fehler || it.id == 0 || it.id >= naechste_id || laenge == 0 || laenge > NEWS_TEXT_MAX) return false;
    if (!Bereiche_Pruefen("News", {{"tag", it.tag, 0, KALENDER_TAG_MAX}, {"absender", it.sender, -1, MAX_TEAMS - 1}}))
        return false;
    if (!l.rest(laenge + 1)) return false;
    it.text.assign(reinterpret_cast<const char*>(l.p + l.pos), laenge);
    l.pos += laenge;
    u8 nul = 1;
    l(nul);
    if (nul != 0) return false;
    for (;;) {
        i32 team = 0;
        l(team);
        if (l.fehler) return false;
        if (team == ENDE) break;
        u32 flags = 0;
        l(flags);
        if (!teamnummer_gut(team) || leer_flags(flags) || it.an.size() >= MAX_EMPFAENGER) return false;
        const bool binaer = (flags & NEWS_BINAER) != 0;
        if (binaer ? it.daten.w[0] != static_cast<i32>(laenge + 1) : it.text.find('\0') != std::string::npos)
            return false;
        it.an.push_back({team, flags});
    }
    u32 alle = 0;
    for (const Empfaenger& e : it.an) alle |= e.flags;
    return !it.an.empty() && !l.fehler && News_Daten_Pruefen(alle, it.daten);
}
}  // namespace

bool News_Save(Datei_Status* datei) {
    if (!Optionen_Save(datei)) return false;
    // A store that never handed out an id adds nothing: a game saved before
    // news existed writes the same bytes again.
    if (!store.bereit || (store.items.empty() && store.naechste_id == 1)) return true;
    return Datei_Schreiben_Felder(datei, [](bytes::Schreiber& s) {
        s(u8{1}), s(store.naechste_id), s(static_cast<u32>(store.items.size()));
        for (const Item& it : store.items) item_schreiben(s, it);
    });
}

bool News_Lesen(Datei_Status* datei) {
    gelesen = Store{};
    gelesen_gut = false;
    if (!Optionen_Lesen_Block(datei)) return false;
    gelesen.bereit = true;
    const i32 pos = Datei_Position(datei);
    const u32 gesamt = Datei_Groesse(datei);
    if (pos < 0 || static_cast<u32>(pos) > gesamt) return false;
    const u32 rest = gesamt - static_cast<u32>(pos);
    if (rest > 0) {
        std::vector<u8> b(rest);
        if (Datei_Lesen(datei, b.data(), rest) != rest) return false;
        bytes::Leser l(b.data(), b.size());
        u8 init = 0;
        u32 anzahl = 0;
        l(init), l(gelesen.naechste_id);
        if (init != 1 || gelesen.naechste_id == 0) return false;
        l(anzahl);
        if (l.fehler || anzahl > static_cast<u32>(NEWS_MAX)) return false;
        u32 letzte_id = 0;
        for (u32 i = 0; i < anzahl; ++i) {
            Item it;
            // Ids rise through the store, so each is unique.
            if (!item_lesen(l, it, gelesen.naechste_id) || it.id <= letzte_id) return false;
            letzte_id = it.id;
            gelesen.items.push_back(std::move(it));
        }
        if (l.fehler || l.pos != b.size()) return false;
    }
    gelesen_gut = true;
    return true;
}

void News_Uebernehmen() {
    Optionen_Uebernehmen();
    if (!gelesen_gut) return;
    store = std::move(gelesen);
    gelesen = Store{};
    gelesen_gut = false;
    scan = Scan{};
    Richter_Zuruecksetzen();  // the arbiter takes the loaded questions on its next pass
}

void News_Verwerfen() {
    Optionen_Verwerfen();
    gelesen = Store{};
    gelesen_gut = false;
}

// ---------------------------------------------------------------------------
// Network rows.

void News_Internet_Server_1012(i32 team, const std::vector<u32>& bekannt_, std::vector<u8>& aus) {
    constexpr size_t GRENZE = 49000;
    std::vector<u32> bekannt = bekannt_;
    std::sort(bekannt.begin(), bekannt.end());
    aus.clear();
    bytes::Schreiber s{aus};
    for (const Item& it : store.items) {
        const i32 f = [&] {
            for (const Empfaenger& e : it.an)
                if (e.team == team) return static_cast<i32>(e.flags);
            return -1;
        }();
        if (f == -1 || std::binary_search(bekannt.begin(), bekannt.end(), it.id)) continue;
        const size_t text = it.text.size() + 1;
        const size_t groesse = 12 + 48 + ((text + 3) & ~size_t{3});
        if (aus.size() + groesse + 4 > GRENZE) break;
        s(it.id), s(static_cast<u32>(f)), s(static_cast<u32>(it.text.size()));
        s(it.tag), s(it.sender), s(it.daten.w);
        s.bytes(it.text.data(), it.text.size());
        for (size_t k = it.text.size(); k < ((text + 3) & ~size_t{3}); ++k) s(u8{0});
    }
    s(u32{0});
}

u32 News_Internet_Server_1013(i32 anfrager, i32 tag, i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags,
                              const News_Daten& daten, const char* text, u32 laenge) {
    if (sender != anfrager && !(empfaenger2 == -1 && empfaenger == anfrager)) {
        char zeile[64];
        std::snprintf(zeile, sizeof zeile, "%d", sender);
        News_Neu(anfrager, anfrager, -1, NEWS_NACHRICHT, nullptr, "Falscher Absender: %s", zeile);
        return 0;
    }
    // A question or a reply speaks for the asking team alone (the arbiter
    // carries out what a reply says); a client posts texts only, never
    // match announcements or binary items.
    if (((flags & (NEWS_FRAGE | NEWS_ANTWORT)) && sender != anfrager) || (flags & (NEWS_BINAER | NEWS_ANKUENDIGUNG)))
        return 0;
    if ((flags & NEWS_FRAGE) && !Richter_Frage_Erlaubt(sender, empfaenger, daten)) return 0;
    if (!News_Daten_Pruefen(flags, daten)) return 0;
    // The text arrives with its NUL and is read no further: one NUL, at its end.
    if (!text || laenge < 2 || laenge > NEWS_NETZ_TEXT || std::memchr(text, 0, laenge) != text + laenge - 1) return 0;
    return News_Schreiben(0, tag, sender, empfaenger, empfaenger2, flags, &daten, text, 0);
}

bool News_Internet_Server_1014(i32 anfrager, u32 id, i32 team, u32 wert, i32 modus) {
    if (team == -1) team = anfrager;
    if (team != anfrager) return false;
    const i32 index = News_Suche_Id(id);
    if (index < 0) return false;
    // A client marks or deletes its items; it never turns one into a
    // binary item or a day notice, or back (the data words stay its kind's).
    if (const i32 a = News_Get_Flags(index, team); a >= 0) {
        const u32 alt = static_cast<u32>(a);
        const u32 neu = modus == NEWS_SETZEN          ? wert
                        : modus == NEWS_XOR           ? alt ^ wert
                        : modus == NEWS_BITS_LOESCHEN ? alt & (wert ^ 0x7FFFFFFFu)
                                                      : alt | wert;
        if (!leer_flags(neu) && ((neu ^ alt) & (NEWS_BINAER | NEWS_TAGESNOTIZ))) return false;
    }
    News_Set(index, team, wert, modus);
    return true;
}

// ---------------------------------------------------------------------------
// Client side.

namespace {

// A client's item goes to the server, which answers its id; a copy is kept
// with that id unless it is a reply.
u32 client_posten(i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags, const News_Daten* daten, const char* text) {
    if (!text || (flags & (NEWS_BINAER | NEWS_ANKUENDIGUNG))) return 0;
    const size_t n = std::strlen(text);
    if (n == 0 || n + 1 > NEWS_NETZ_TEXT) {
        Debug_Printf("News: Text zu lang für das Netz (%zu)\n", n);
        return 0;
    }
    std::array<i32, 10> w{};
    if (daten) std::copy(daten->w, daten->w + 10, w.begin());
    const auto id =
        ruf::Rufen(RUF_NEWS_EINTRAGEN, sender, empfaenger, empfaenger2, flags, w, std::vector<u8>(text, text + n + 1));
    if (!id || *id == 0) return 0;
    if (!(flags & NEWS_ANTWORT) && empfaenger != -1)
        News_Schreiben(*id, -1, sender, empfaenger, empfaenger2, flags, daten, text);
    return *id;
}

// One item of the server's 1012 answer; false for a damaged one.
bool netz_item_lesen(bytes::Leser& l, i32 team, Item& it) {
    u32 flags = 0, laenge = 0;
    l(flags), l(laenge), l(it.tag), l(it.sender), l(it.daten.w);
    const u32 platz = (laenge + 4) & ~3u;  // the text, its NUL, padding to 4
    if (l.fehler || laenge == 0 || laenge > NEWS_TEXT_MAX || leer_flags(flags) || !l.rest(platz)) return false;
    const char* p = reinterpret_cast<const char*>(l.p + l.pos);
    l.pos += platz;
    if (p[laenge] != 0) return false;
    it.text.assign(p, laenge);
    if ((flags & NEWS_BINAER) ? it.daten.w[0] != static_cast<i32>(laenge + 1) : it.text.find('\0') != std::string::npos)
        return false;
    it.an = {{team, flags}};
    return true;
}

}  // namespace

bool News_Internet_Client_Holen(i32 team, i32* tag, i32* gegner) {
    if (!ruf::Client() || !store.bereit || !teamnummer_gut(team)) return false;
    std::vector<u32> bekannt;
    for (const Item& it : store.items) bekannt.push_back(it.id);
    const auto a = ruf::Rufen(RUF_NEWS_NEU, bekannt, team);
    if (!a) return false;
    // The whole answer is read before any item is taken: a damaged one
    // changes nothing.
    const std::vector<u8>& b = std::get<0>(*a);
    bytes::Leser l(b.data(), b.size());
    std::vector<Item> neu;
    for (;;) {
        Item it;
        l(it.id);
        if (l.fehler) return false;
        if (it.id == 0) break;
        if (neu.size() >= static_cast<size_t>(NEWS_MAX) || !netz_item_lesen(l, team, it)) return false;
        neu.push_back(std::move(it));
    }
    if (l.pos != b.size()) return false;
    for (Item& it : neu)
        if (News_Suche_Id(it.id) < 0) einfuegen(std::move(it));
    if (tag) *tag = std::get<1>(*a);
    if (gegner) *gegner = std::get<2>(*a);
    return true;
}
