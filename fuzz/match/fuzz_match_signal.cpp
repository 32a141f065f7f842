// Fuzz target: sync signals and in-match commands fed into a running
// networked match (a server pitch and a client copy of it). Whatever arrives,
// nothing crashes, the records stay within their bounds and the client's
// record keeps its game.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/globals.h"
#include "base/random.h"
#include "match/partie.h"
#include "match/spielfeld.h"
#include "world/konfig.h"
#include "world/welt.h"

namespace {

Spielfeld_Daten* Server = nullptr;
Spielfeld_Daten Urzustand;
Spielfeld_Daten Client;
u32 Teams[2];

// What the server hands out on a fetch: its record with the input's patches.
const uint8_t* Flicken = nullptr;
size_t Flicken_Anzahl = 0;

bool hole(u32 spiel, u8* aus, u32*) {
    if (!Server || Server->spiel != spiel) return false;
    bytes::bild_schreiben(aus, SPIELFELD_GROESSE, [](bytes::Schreiber& s) { s(*Server); });
    for (size_t i = 0; i + 3 <= Flicken_Anzahl; i += 3)
        aus[(Flicken[i] | (Flicken[i + 1] << 8)) * 7u % SPIELFELD_GROESSE] = Flicken[i + 2];
    return true;
}

// The shipped world: from KORDAVO_SOURCE_DIR, else from the source tree
// the target was built from.
bool vorbereiten() {
    const char* s = std::getenv("KORDAVO_SOURCE_DIR");
    std::string welt = std::string(s && *s ? s : KORDAVO_QUELLE) + "/data/config";
    Internet_Modus = INTERNET_MODUS_EINZEL;
    if (!Welt_Laden_Ordner(welt.c_str(), 0)) {
        std::fprintf(stderr,
                     "fuzz_match_signal: die Welt in %s kann nicht geladen werden (KORDAVO_SOURCE_DIR setzen)\n",
                     welt.c_str());
        return false;
    }
    Spielfeld_Init();
    Spielfeld_Set_Hooks(Partie_Hooks());
    Spielfeld_Hooks h = Spielfeld_Get_Hooks();
    h.hole_spielfeld = &hole;
    Spielfeld_Set_Hooks(h);
    auto liga = Liga_Vereine(Liga_Groesste());
    if (liga.size() < 2) return false;
    Teams[0] = liga[0];
    Teams[1] = liga[1];
    Partie_Spiel_Anmelden(1, Teams[0], Teams[1], 7);
    Rnd_Set_Index(99, 0);
    if (!Spielfeld_Neu(1, 0, 0, 1000, Teams[0], 1)) return false;
    Server = Spielfeld_Zeiger(1);
    Spielfeld_Set_Netz(Server, 1, 0);
    for (int i = 0; i < 900; i++) Partie_Schritt(Server, 45);
    std::memcpy(static_cast<void*>(&Urzustand), Server, sizeof Urzustand);
    return true;
}

struct Leser {
    const uint8_t* d;
    size_t n, pos = 0;
    u8 b() { return pos < n ? d[pos++] : 0; }
    u16 w() { return static_cast<u16>(b() | (b() << 8)); }
    u32 l() { return static_cast<u32>(w()) | (static_cast<u32>(w()) << 16); }
    bool ende() const { return pos >= n; }
};

void pruefen(const Spielfeld_Daten* sf) {
    if (sf->spiel != 1 || sf->minuten_teil >= SF_TICKS_PRO_MINUTE || sf->zufall >= RND_TABELLE_GROESSE) std::abort();
    if (sf->tore[0] < 0 || sf->tore[1] < 0) std::abort();
    for (const auto& s : sf->seite)
        if (s.wechsel_gemacht > s.wechsel_erlaubt) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Without the world there is nothing to fuzz: stop rather than run empty.
    static bool bereit = vorbereiten();
    if (!bereit) std::exit(1);
    std::memcpy(static_cast<void*>(Server), &Urzustand, sizeof Urzustand);
    std::memcpy(static_cast<void*>(&Client), &Urzustand, sizeof Client);
    Spielfeld_Set_Netz(Server, 1, 0);
    Spielfeld_Set_Netz(&Client, 2, 1);
    static Spielfeld_Sync_Signal sig;
    Leser r{data, size > 20000 ? 20000 : size};
    for (int schritt = 0; schritt < 64 && !r.ende(); schritt++) {
        switch (r.b() % 9) {
            case 0: {  // a raw signal of any length to the server
                u32 n = r.w() % (sizeof sig + 16);
                u8 buf[sizeof sig + 16] = {};
                for (u32 i = 0; i < n && !r.ende(); i++) buf[i] = r.b();
                Spielfeld_Internet_Server_Read_Signal(buf, n, r.b() & 1 ? Teams[1] : r.l());
                break;
            }
            case 1: {  // a well-formed signal with patched bytes, to either side
                Spielfeld_Signal_Fuellen(&Client, Teams[1], &sig);
                int patches = r.b() % 16;
                u8* p = reinterpret_cast<u8*>(&sig);
                for (int i = 0; i < patches; i++) p[r.w() % sizeof sig] = r.b();
                if (r.b() & 1) Spielfeld_Internet_Server_Read_Signal(p, sizeof sig, Teams[1]);
                else Spielfeld_Internet_Client_Read_Signal(&Client, p, sizeof sig, Teams[1]);
                break;
            }
            case 2: Spielfeld_Wechsel_Eintragen(r.b() & 1 ? &Client : Server, r.b() % 3, r.b() % 40, r.b()); break;
            case 3:
                Spielfeld_Set_Taktikposition(&Client, r.b() & 1 ? Teams[1] : Teams[0], r.b() % 40, r.w(), r.w());
                break;
            case 4: Spielfeld_Set_Taktikwert(Server, r.b() % 3, r.b() % 12, r.b()); break;
            case 5:
            case 6: {  // both play on
                int n = r.b() % 200;
                for (int i = 0; i < n; i++) {
                    Partie_Schritt(Server, 45 * Server->halbzeit);
                    Partie_Schritt(&Client, 45 * Client.halbzeit);
                }
                if (Client.sync_fehler) Spielfeld_Sync_Fehler_Beheben(&Client);
                break;
            }
            case 7: {  // the client fetches a record damaged on the way
                Flicken_Anzahl = static_cast<size_t>(r.b() % 8) * 3;
                Flicken = r.d + r.pos;
                if (r.pos + Flicken_Anzahl > r.n) Flicken_Anzahl = 0;
                r.pos += Flicken_Anzahl;
                Spielfeld_Internet_Client_Get_Spielfeld(&Client, 1);
                Flicken_Anzahl = 0;
                if (!Spielfeld_Pruefen(&Client)) std::abort();
                break;
            }
            default:
                Spielfeld_Ereignis_Eintragen(&Client, r.l(), static_cast<i8>(r.b()), static_cast<i16>(r.w()));
                break;
        }
        pruefen(Server);
        pruefen(&Client);
    }
    return 0;
}
