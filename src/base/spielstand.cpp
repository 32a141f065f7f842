// Save games and the binary configuration cache.
#include "base/spielstand.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <sys/stat.h>

#include <array>
#include <chrono>
#include <future>
#include <pthread.h>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "base/debug.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/settings.h"
#include "base/tempstr.h"

namespace {

// Frame tags: "KB" and the block number; "KEND" after the last block.
constexpr u32 TAG_BLOCK = 0x4B420000u;
constexpr u32 TAG_ENDE = 0x444E454Bu;
constexpr u32 RAHMEN_KOPF = 8;    // tag, length
constexpr u32 RAHMEN_FUSS = 4;    // CRC-32 of the payload
constexpr u32 ENDE_GROESSE = 13;  // tag, block count, check byte, CRC-32 of the file

// ---------------------------------------------------------------------------
// Block 17: the random table's cursor

u8 g_zufall_neu[RND_BLOCK_GROESSE];
bool g_zufall_bereit = false;

bool zufall_schreiben(Datei_Status* d) {
    u8 block[RND_BLOCK_GROESSE];
    Rnd_Block_Schreiben(block);
    return Datei_Schreiben(d, block, sizeof block);
}

bool zufall_lesen(Datei_Status* d) {
    u8 block[RND_BLOCK_GROESSE];
    if (Datei_Lesen(d, block, sizeof block) != sizeof block || !Rnd_Block_Gueltig(block)) return false;
    std::memcpy(g_zufall_neu, block, sizeof block);
    g_zufall_bereit = true;
    return true;
}

void zufall_uebernehmen() {
    if (g_zufall_bereit) Rnd_Block_Lesen(g_zufall_neu);
    g_zufall_bereit = false;
}

void zufall_verwerfen() { g_zufall_bereit = false; }

Spielstand_Modul zufall_modul() {
    Spielstand_Modul m;
    m.name = "Zufallstabelle";
    m.schreiben = zufall_schreiben;
    m.lesen = zufall_lesen;
    m.uebernehmen = zufall_uebernehmen;
    m.verwerfen = zufall_verwerfen;
    return m;
}

Spielstand_Modul g_module[SPIELSTAND_BLOECKE + 1] = {};
Spielstand_Modul g_config[CONFIG_BLOECKE + 1] = {};
bool g_module_bereit = false;
Spielstand_Hooks g_hooks;
std::string g_fehler;

void module_init() {
    if (g_module_bereit) return;
    g_module[SPIELSTAND_BLOCK_ZUFALL] = zufall_modul();
    g_module_bereit = true;
}

void fehler_melden(const char* format, ...) __attribute__((format(printf, 1, 2)));
void fehler_melden(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    g_fehler = text;
    Meldung_Printf("%s", text);
}

std::string ordner_von(const std::string& pfad) {
    size_t p = pfad.rfind('/');
    if (p == std::string::npos) return ".";
    if (p == 0) return "/";
    return pfad.substr(0, p);
}

// ---------------------------------------------------------------------------
// Writing: head, then the framed blocks, then the end frame; all into a
// temporary file that replaces the target only when it is complete.

class Rahmen_Schreiber {
  public:
    explicit Rahmen_Schreiber(Datei_Status* d) : d_(d) {}
    bool schreiben(const void* p, u32 n) {
        if (!ok_) return false;
        if (n == 0) return true;
        crc_ = crc32(crc_, static_cast<const Bytef*>(p), n);
        ok_ = Datei_Schreiben(d_, p, n);
        return ok_;
    }
    // Bytes whose own CRC-32 the caller has: the file's CRC takes it in
    // without a second pass over them.
    bool schreiben_mit_crc(const void* p, u32 n, uLong eigene) {
        if (!ok_) return false;
        if (n == 0) return true;
        crc_ = crc32_combine(crc_, eigene, static_cast<z_off_t>(n));
        ok_ = Datei_Schreiben(d_, p, n);
        return ok_;
    }
    bool u32_schreiben(u32 v) {
        u8 b[4];
        bytes::bild_schreiben(b, sizeof b, [v](bytes::Schreiber& s) { s(v); });
        return schreiben(b, sizeof b);
    }
    uLong crc() const { return crc_; }
    bool ok() const { return ok_; }

  private:
    Datei_Status* d_;
    uLong crc_ = crc32(0, Z_NULL, 0);
    bool ok_ = true;
};

enum class Schreibfehler { KEINER, MODUL, ORDNER, ANLEGEN, SCHREIBEN };

// A module's block written into memory: its bytes, and, when its packing
// was put off, the plain bytes of its packed blocks still to be packed.
struct Block {
    std::vector<u8> bytes;
    std::vector<Datei_Status::Aufgeschoben> ungepackt;
};

// Every module's block, written into memory (index 0 stays empty). A
// module that fails leaves the disk untouched (MODUL). With `aufschieben`
// the packing of the blocks is left to Datei_Aufgeschobene_Packen (away from
// the frame).
Schreibfehler module_schreiben(const Spielstand_Modul* module, int anzahl, std::string* modul_name,
                               std::vector<Block>* bloecke, bool aufschieben = false) {
    bloecke->assign(anzahl + 1, {});
    // Module i's block into its own slot; false when it failed.
    const auto schreiben = [module, bloecke, aufschieben](int i) {
        Datei_Status* d = Datei_Oeffnen_Speicher();
        if (aufschieben) Datei_Packen_Aufschieben(d);
        const bool ok = module[i].schreiben(d) && !d->fehler;
        if (ok) {
            (*bloecke)[i].bytes.swap(d->puffer);
            (*bloecke)[i].ungepackt.swap(d->aufgeschoben);
        }
        Datei_Schliessen(d);
        return ok;
    };
    // The modules that may be written beside the others go to workers; the
    // caller's thread writes the rest meanwhile and then waits for them, so
    // the game stands still until every block holds it as it is now.
    std::vector<std::pair<int, std::future<bool>>> nebenher;
    for (int i = 1; i <= anzahl; ++i) {
        if (!module[i].schreiben || !module[i].nebenher) continue;
        try {
            nebenher.emplace_back(i, std::async(std::launch::async, schreiben, i));
        } catch (const std::system_error&) {
            std::promise<bool> sofort;  // no thread to be had: written here
            sofort.set_value(schreiben(i));
            nebenher.emplace_back(i, sofort.get_future());
        }
    }
    int fehler = 0;  // the first module in block order that failed
    for (int i = 1; i <= anzahl && fehler == 0; ++i)
        if (module[i].schreiben && !module[i].nebenher && !schreiben(i)) fehler = i;
    for (auto& [i, ergebnis] : nebenher)
        if (!ergebnis.get() && (fehler == 0 || i < fehler)) fehler = i;
    if (fehler) {
        *modul_name = module[fehler].name ? module[fehler].name : "?";
        return Schreibfehler::MODUL;
    }
    return Schreibfehler::KEINER;
}

// Packs what the blocks' writing put off. Touches no game state (it runs
// on the writer thread).
Schreibfehler bloecke_packen(std::vector<Block>* bloecke) {
    for (Block& b : *bloecke)
        if (!Datei_Aufgeschobene_Packen(&b.bytes, &b.ungepackt)) return Schreibfehler::SCHREIBEN;
    return Schreibfehler::KEINER;
}

// The file's bytes around the blocks: the header, the key (scrambling what
// follows when it is given), every block with its check, the end. Touches
// no game state (it also runs on the writer thread).
Schreibfehler rahmen_bilden(const u8* kopf, u32 kopf_len, const std::vector<Block>& bloecke,
                            const u8* schluessel, std::vector<u8>* aus) {
    const int anzahl = static_cast<int>(bloecke.size()) - 1;
    Datei_Status* d = Datei_Oeffnen_Speicher();
    // The file's size is known up front: its bytes are placed once.
    size_t groesse = kopf_len + 1 + ENDE_GROESSE;
    for (int i = 1; i <= anzahl; ++i) groesse += RAHMEN_KOPF + bloecke[i].bytes.size() + RAHMEN_FUSS;
    d->puffer.reserve(groesse);
    Rahmen_Schreiber w(d);
    w.schreiben(kopf, kopf_len);
    if (schluessel) {
        w.schreiben(schluessel, 1);
        Datei_Verschluesselung_An(d, *schluessel);
    }
    Datei_Pruefung_Setzen(d, 0);
    for (int i = 1; i <= anzahl && w.ok(); ++i) {
        const u32 n = static_cast<u32>(bloecke[i].bytes.size());
        const u8* daten = n ? bloecke[i].bytes.data() : nullptr;
        const uLong crc = crc32(crc32(0, Z_NULL, 0), daten ? daten : Z_NULL, n);
        w.u32_schreiben(TAG_BLOCK | static_cast<u32>(i));
        w.u32_schreiben(n);
        w.schreiben_mit_crc(daten, n, crc);
        w.u32_schreiben(static_cast<u32>(crc));
    }
    w.u32_schreiben(TAG_ENDE);
    w.u32_schreiben(static_cast<u32>(anzahl));
    u8 pruef = d->pruefung;
    w.schreiben(&pruef, 1);
    w.u32_schreiben(static_cast<u32>(w.crc()));
    u32 n = 0;
    const u8* daten = Datei_Speicher_Daten(d, &n);
    const bool ok = w.ok() && daten;
    if (ok) {
        aus->swap(d->puffer);
        aus->resize(n);
    }
    Datei_Schliessen(d);
    return ok ? Schreibfehler::KEINER : Schreibfehler::SCHREIBEN;
}

// Puts the bytes in place as the file at `ziel` (a path on disk): a
// temporary file beside it, written and synced, then renamed over it and the
// folder synced. On failure the previous file is whole and no temporary
// file is left. Touches nothing but the disk (it also runs on the writer
// thread).
Schreibfehler datei_ersetzen(const std::string& ziel, const std::vector<u8>& daten) {
    const std::string temp = ziel + ".tmp";
    struct stat st;
    if (stat(ziel.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Schreibfehler::ORDNER;
    auto* d = new Datei_Status;
    d->datei = std::fopen(temp.c_str(), "wb");
    if (!d->datei) {
        delete d;
        return Schreibfehler::ANLEGEN;
    }
    bool ok = Datei_Schreiben(d, daten.data(), static_cast<u32>(daten.size())) && Datei_Sync(d);
    ok = Datei_Schliessen(d) && ok;
    if (ok) ok = std::rename(temp.c_str(), ziel.c_str()) == 0;
    if (!ok) {
        std::remove(temp.c_str());
        return Schreibfehler::SCHREIBEN;
    }
    // Make the rename itself durable.
    int fd = open(ordner_von(ziel).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return Schreibfehler::KEINER;
}

Schreibfehler bloecke_schreiben(const char* pfad, const u8* kopf, u32 kopf_len, const Spielstand_Modul* module,
                                int anzahl, bool verschluesseln, std::string* modul_name) {
    std::vector<Block> bloecke;
    if (const Schreibfehler f = module_schreiben(module, anzahl, modul_name, &bloecke); f != Schreibfehler::KEINER)
        return f;
    const u8 schluessel = verschluesseln ? static_cast<u8>(Rnd_Deko()) : 0;
    std::vector<u8> daten;
    if (const Schreibfehler f = rahmen_bilden(kopf, kopf_len, bloecke, verschluesseln ? &schluessel : nullptr, &daten);
        f != Schreibfehler::KEINER)
        return f;
    return datei_ersetzen(W32_Pfad_Uebersetzen(pfad), daten);
}

// ---------------------------------------------------------------------------
// Reading: the whole file, checked before any module sees it.

enum class Lesefehler { KEINER, FEHLT, ORDNER, UNLESBAR, ZU_GROSS, FREMD, VERSION, BESCHAEDIGT };

// The name a message gives a file: its last path part ("dir/" names "dir").
std::string anzeige_name(const char* pfad) {
    std::string p = pfad ? pfad : "";
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
    std::string n = W32_Pfad_Dateiname(p.c_str());
    // A slot's file also carries the number the menus give it: "game_0.kdv
    // (Platz 1)", so a message and the question before it count alike.
    int slot = -1, gelesen = 0;
    if (std::sscanf(n.c_str(), "game_%d.kdv%n", &slot, &gelesen) == 1 && gelesen == static_cast<int>(n.size()) &&
        slot >= 0 && slot < SPIELSTAND_SLOTS)
        return n + " (Platz " + std::to_string(slot + 1) + ")";
    return n.empty() ? p : n;
}

bool lesen_bei(int fd, u64 pos, void* ziel, size_t n) {
    u8* p = static_cast<u8*>(ziel);
    while (n > 0) {
        ssize_t r = pread(fd, p, n, static_cast<off_t>(pos));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        p += r;
        pos += static_cast<u64>(r);
        n -= static_cast<size_t>(r);
    }
    return true;
}

// What a save game or cache file must look like before it is read whole.
struct Dateiform {
    const char* marke;  // leading bytes
    u32 marke_len;
    const char* version;  // bytes that follow the mark (null: none)
    u32 version_len;
    u32 kopf_len;         // head before the blocks (the key byte not counted)
    bool verschluesselt;  // a key byte follows the head; the rest is scrambled
    int anzahl;           // blocks
};

// Reads a save game or cache file. Before the whole file is read, its head
// is checked and its frames are walked by their 8-byte heads alone: every
// block must lie inside the file and the end frame must close it exactly. A
// file that is padded, cut or larger than any save can be is refused
// without being read, in little time and memory. `aus` gets the plain bytes.
Lesefehler datei_einlesen(const char* pfad, const Dateiform& form, std::vector<u8>* aus) {
    const std::string p = W32_Pfad_Uebersetzen(pfad);
    int fd = open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? Lesefehler::FEHLT : Lesefehler::UNLESBAR;
    struct Schliesser {
        int fd;
        ~Schliesser() { close(fd); }
    } schliesser{fd};
    struct stat st;
    if (fstat(fd, &st) != 0) return Lesefehler::UNLESBAR;
    if (S_ISDIR(st.st_mode)) return Lesefehler::ORDNER;
    if (!S_ISREG(st.st_mode)) return Lesefehler::UNLESBAR;
    const u64 groesse = static_cast<u64>(st.st_size);
    if (groesse > SPIELSTAND_MAX_DATEI) return Lesefehler::ZU_GROSS;
    const u32 daten_start = form.kopf_len + (form.verschluesselt ? 1 : 0);
    std::vector<u8> kopf(daten_start);
    const u32 kennung = form.marke_len + form.version_len;
    if (groesse < kennung || !lesen_bei(fd, 0, kopf.data(), kennung)) return Lesefehler::FREMD;
    if (std::memcmp(kopf.data(), form.marke, form.marke_len) != 0) return Lesefehler::FREMD;
    if (form.version && std::memcmp(kopf.data() + form.marke_len, form.version, form.version_len) != 0)
        return Lesefehler::VERSION;
    if (groesse < daten_start + ENDE_GROESSE || !lesen_bei(fd, 0, kopf.data(), daten_start))
        return Lesefehler::BESCHAEDIGT;
    std::array<u8, 256> folge{};
    if (form.verschluesselt) {
        Datei_Status* s = Datei_Oeffnen_Speicher();
        Datei_Verschluesselung_An(s, kopf[form.kopf_len]);
        folge = s->folge;
        Datei_Schliessen(s);
    }
    u64 pos = daten_start;
    for (int i = 1; i <= form.anzahl; ++i) {
        u8 r[RAHMEN_KOPF];
        if (groesse - pos < RAHMEN_KOPF + RAHMEN_FUSS || !lesen_bei(fd, pos, r, RAHMEN_KOPF))
            return Lesefehler::BESCHAEDIGT;
        for (u32 j = 0; j < RAHMEN_KOPF; ++j) r[j] ^= folge[(pos - daten_start + j) & 255u];
        const u64 n = get_u32le(r + 4);
        if (get_u32le(r) != (TAG_BLOCK | static_cast<u32>(i)) || n > groesse - pos - RAHMEN_KOPF - RAHMEN_FUSS)
            return Lesefehler::BESCHAEDIGT;
        pos += RAHMEN_KOPF + n + RAHMEN_FUSS;
    }
    if (groesse - pos != ENDE_GROESSE) return Lesefehler::BESCHAEDIGT;
    aus->resize(static_cast<size_t>(groesse));
    if (!lesen_bei(fd, 0, aus->data(), aus->size())) return Lesefehler::UNLESBAR;
    return Lesefehler::KEINER;
}

struct Block_Ort {
    u32 start = 0;
    u32 laenge = 0;
};

// Checks the framing, every block's CRC, the check byte and the file's CRC
// of the file in `klar`, which is unscrambled in place.
bool bloecke_pruefen(std::vector<u8>* klar, u32 kopf_len, bool verschluesselt, int anzahl,
                     std::vector<Block_Ort>* bloecke) {
    const u32 groesse = static_cast<u32>(klar->size());
    const u32 daten_start = kopf_len + (verschluesselt ? 1 : 0);
    if (groesse < daten_start + ENDE_GROESSE) return false;
    if (verschluesselt) {
        // Unscrambled in place: the file is held once.
        Datei_Status* s = Datei_Oeffnen_Speicher();
        Datei_Verschluesselung_An(s, (*klar)[kopf_len]);
        for (u32 i = daten_start; i < groesse; ++i) (*klar)[i] ^= s->folge[(i - daten_start) & 255u];
        Datei_Schliessen(s);
    }
    const u8* k = klar->data();
    bloecke->assign(anzahl + 1, Block_Ort{});
    u32 pos = daten_start;
    for (int i = 1; i <= anzahl; ++i) {
        if (groesse - pos < RAHMEN_KOPF) return false;
        if (get_u32le(k + pos) != (TAG_BLOCK | static_cast<u32>(i))) return false;
        u32 n = get_u32le(k + pos + 4);
        pos += RAHMEN_KOPF;
        if (n > groesse - pos || groesse - pos - n < RAHMEN_FUSS) return false;
        u32 crc = static_cast<u32>(crc32(crc32(0, Z_NULL, 0), k + pos, n));
        if (get_u32le(k + pos + n) != crc) return false;
        (*bloecke)[i] = {pos, n};
        pos += n + RAHMEN_FUSS;
    }
    if (groesse - pos != ENDE_GROESSE) return false;
    if (get_u32le(k + pos) != TAG_ENDE || get_u32le(k + pos + 4) != static_cast<u32>(anzahl)) return false;
    u32 summe = 0;
    for (u32 i = daten_start; i < pos + 8; ++i) summe += k[i];
    if (static_cast<u8>(summe) != k[pos + 8]) return false;
    u32 crc = static_cast<u32>(crc32(crc32(0, Z_NULL, 0), k, pos + 9));
    return get_u32le(k + pos + 9) == crc;
}

// Hands the blocks to the modules: all parse, then all take over; or all drop.
bool module_laden(const Spielstand_Modul* module, int anzahl, const std::vector<u8>& klar,
                  const std::vector<Block_Ort>& bloecke, std::string* modul_name) {
    std::vector<bool> gelesen(anzahl + 1, false);
    bool ok = true;
    for (int i = 1; i <= anzahl && ok; ++i) {
        const Block_Ort& b = bloecke[i];
        const Spielstand_Modul& m = module[i];
        if (!m.lesen) {
            if (b.laenge > 0) {
                *modul_name = Temp_Sprintf("Block %d ohne Modul", i);
                ok = false;
            }
            continue;
        }
        Datei_Status* s = Datei_Oeffnen_Speicher_Lesen(klar.data() + b.start, b.laenge);
        gelesen[i] = true;
        bool gut = m.lesen(s);
        gut = gut && !s->fehler && Datei_Position(s) == static_cast<i32>(b.laenge);
        Datei_Schliessen(s);
        if (!gut) {
            *modul_name = m.name ? m.name : "?";
            ok = false;
        }
    }
    for (int i = 1; i <= anzahl && ok; ++i)
        if (gelesen[i] && module[i].pruefen && !module[i].pruefen()) {
            *modul_name = module[i].name ? module[i].name : "?";
            ok = false;
        }
    if (!ok) {
        for (int i = 1; i <= anzahl; ++i)
            if (gelesen[i] && module[i].verwerfen) module[i].verwerfen();
        return false;
    }
    for (int i = 1; i <= anzahl; ++i)
        if (module[i].uebernehmen) module[i].uebernehmen();
    return true;
}

void beschreibung_kodieren(const Spielstand_Beschreibung& b, u8* p) {
    bytes::bild_schreiben(p, sizeof b, [&](bytes::Schreiber& s) { s(b); });
}

void beschreibung_dekodieren(const u8* p, Spielstand_Beschreibung* b) {
    bytes::Leser(p, sizeof *b)(*b);
    b->text[29] = b->manager[29] = b->verein[31] = 0;
}

const char* ordner(int zeile) {
    if (W32_Dir_Tabelle[zeile][0] == 0) W32_Dir_Init();
    return W32_Dir_Tabelle[zeile];
}

}  // namespace

// ---------------------------------------------------------------------------
// Registry

bool Spielstand_Modul_Anmelden(int block, const Spielstand_Modul& modul) {
    module_init();
    if (block < 1 || block >= SPIELSTAND_BLOCK_ZUFALL) return false;
    g_module[block] = modul;
    return true;
}

void Spielstand_Modul_Abmelden(int block) {
    module_init();
    if (block >= 1 && block < SPIELSTAND_BLOCK_ZUFALL) g_module[block] = Spielstand_Modul{};
}

Spielstand_Modul Spielstand_Modul_Holen(int block) {
    module_init();
    return block >= 1 && block < SPIELSTAND_BLOCK_ZUFALL ? g_module[block] : Spielstand_Modul{};
}

bool Spielstand_Config_Modul_Anmelden(int block, const Spielstand_Modul& modul) {
    if (block < 1 || block > CONFIG_BLOECKE) return false;
    g_config[block] = modul;
    return true;
}

void Spielstand_Config_Modul_Abmelden(int block) {
    if (block >= 1 && block <= CONFIG_BLOECKE) g_config[block] = Spielstand_Modul{};
}

void Spielstand_Set_Hooks(const Spielstand_Hooks& hooks) { g_hooks = hooks; }

const char* Spielstand_Letzter_Fehler() { return g_fehler.c_str(); }

// ---------------------------------------------------------------------------
// Save games

char* Spielstand_Pfad(int slot) {
    if (slot < 0 || slot >= SPIELSTAND_SLOTS) return nullptr;
    return Temp_Sprintf("%s\\game_%d.kdv", ordner(W32_DIR_SPIELSTAND), slot);
}

namespace {

// The German message of a failed save (kept for Spielstand_Letzter_Fehler).
void speicherfehler_melden(Schreibfehler f, const std::string& pfad, const std::string& modul) {
    // A failed save leaves the file as it was: there is an old save to keep
    // only when the file is there (a save under a new name had none).
    const char* alt = W32_File_Exists(pfad.c_str()) ? " Der alte Spielstand ist erhalten."
                                                    : " Es wurde kein Spielstand angelegt.";
    switch (f) {
        case Schreibfehler::KEINER: break;
        case Schreibfehler::MODUL:
            fehler_melden("Der Spielstand konnte nicht gespeichert werden: Fehler im Modul %s.", modul.c_str());
            break;
        case Schreibfehler::ORDNER:
            fehler_melden("Der Spielstand konnte nicht gespeichert werden: %s ist ein Ordner.",
                          anzeige_name(pfad.c_str()).c_str());
            break;
        case Schreibfehler::ANLEGEN:
            fehler_melden("Der Spielstand konnte nicht gespeichert werden: Die Datei %s lässt sich nicht anlegen "
                          "(ist der Ordner schreibgeschützt?).%s",
                          anzeige_name(pfad.c_str()).c_str(), alt);
            break;
        case Schreibfehler::SCHREIBEN:
            fehler_melden("Der Spielstand konnte nicht gespeichert werden: Schreibfehler (Datenträger voll?).%s", alt);
            break;
    }
}

// The header of a save game with the running game's description.
std::array<u8, SPIELSTAND_KOPF_GROESSE> spielstand_kopf(int still) {
    Spielstand_Beschreibung b;
    std::memset(&b, 0, sizeof b);
    g_hooks.beschreibung(&b, still);
    if (ruf::Server()) b.team |= SPIELSTAND_NETZSPIEL;
    std::array<u8, SPIELSTAND_KOPF_GROESSE> kopf{};
    std::memcpy(kopf.data(), SPIELSTAND_MAGIC, 10);
    std::memcpy(kopf.data() + 10, SPIELSTAND_VERSION, 5);
    beschreibung_kodieren(b, kopf.data() + 15);
    return kopf;
}

// Hands the blocks' fields to a writer thread, which packs, frames (and
// with a key scrambles) and writes them beside the old file, syncing and
// renaming it over it; the future holds the writer's answer.
std::future<Schreibfehler> schreiber_starten(const char* pfad, const u8* kopf, u32 kopf_groesse,
                                             std::vector<Block> bloecke, const u8* schluessel) {
    return std::async(std::launch::async,
                      [ziel = W32_Pfad_Uebersetzen(pfad), k = std::vector<u8>(kopf, kopf + kopf_groesse),
                       b = std::move(bloecke), mit_schluessel = schluessel != nullptr,
                       s = schluessel ? *schluessel : u8{0}]() mutable {
                          std::vector<u8> daten;
                          Schreibfehler f = bloecke_packen(&b);
                          if (f == Schreibfehler::KEINER)
                              f = rahmen_bilden(k.data(), static_cast<u32>(k.size()), b,
                                                mit_schluessel ? &s : nullptr, &daten);
                          return f != Schreibfehler::KEINER ? f : datei_ersetzen(ziel, daten);
                      });
}

// The save being written by the writer thread: its path (as given) and the
// thread's answer.
struct Hintergrund {
    std::string pfad;
    std::future<Schreibfehler> ergebnis;
} hintergrund;

}  // namespace

bool Spielstand_Hintergrund_Pruefen(bool warten) {
    if (!hintergrund.ergebnis.valid()) return true;
    if (!warten && hintergrund.ergebnis.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return true;
    const Schreibfehler f = hintergrund.ergebnis.get();
    if (f == Schreibfehler::KEINER) {
        Debug_Printf("Spielstand gespeichert: %s\n", hintergrund.pfad.c_str());
        return true;
    }
    speicherfehler_melden(f, hintergrund.pfad, "");
    return false;
}

bool Spielstand_Schreibt() {
    return hintergrund.ergebnis.valid() &&
           hintergrund.ergebnis.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

bool Spielstand_Speichern(const char* pfad, int still) {
    module_init();
    Spielstand_Hintergrund_Pruefen(true);
    g_fehler.clear();
    if (ruf::Client()) {
        Debug_Printf("Spielstand_Speichern: CLIENT-WRITE!\n");
        g_fehler = "Spielstand_Speichern: CLIENT-WRITE!";
        return false;
    }
    if (!pfad || !*pfad) return false;
    const auto kopf = spielstand_kopf(still);
    std::string modul;
    const Schreibfehler f =
        bloecke_schreiben(pfad, kopf.data(), static_cast<u32>(kopf.size()), g_module, SPIELSTAND_BLOECKE, true, &modul);
    if (f == Schreibfehler::KEINER) {
        Debug_Printf("Spielstand gespeichert: %s\n", pfad);
        return true;
    }
    speicherfehler_melden(f, pfad, modul);
    return false;
}

bool Spielstand_Speichern_Hintergrund(const char* pfad, int still) {
    module_init();
    // One write at a time, in the order they were asked for.
    Spielstand_Hintergrund_Pruefen(true);
    g_fehler.clear();
    if (ruf::Client()) {
        g_fehler = "Spielstand_Speichern: CLIENT-WRITE!";
        return false;
    }
    if (!pfad || !*pfad) return false;
    const auto kopf = spielstand_kopf(still);
    std::string modul;
    std::vector<Block> bloecke;
    if (const Schreibfehler f = module_schreiben(g_module, SPIELSTAND_BLOECKE, &modul, &bloecke, true);
        f != Schreibfehler::KEINER) {
        speicherfehler_melden(f, pfad, modul);
        return false;
    }
    // The frame takes the blocks' fields (a copy of the game as it stands
    // now); the writer packs, frames, scrambles and writes them.
    const u8 schluessel = static_cast<u8>(Rnd_Deko());
    hintergrund.pfad = pfad;
    hintergrund.ergebnis =
        schreiber_starten(pfad, kopf.data(), static_cast<u32>(kopf.size()), std::move(bloecke), &schluessel);
    return true;
}

bool Spielstand_Laden(const char* pfad) {
    module_init();
    Spielstand_Hintergrund_Pruefen(true);
    g_fehler.clear();
    if (!pfad || !*pfad) return false;
    const std::string name = anzeige_name(pfad);
    // The version counts by its first three characters ("1.0").
    const Dateiform form{SPIELSTAND_MAGIC,        10,   SPIELSTAND_VERSION, 3,
                         SPIELSTAND_KOPF_GROESSE, true, SPIELSTAND_BLOECKE};
    std::vector<u8> klar;
    std::vector<Block_Ort> bloecke;
    Lesefehler f = datei_einlesen(pfad, form, &klar);
    if (f == Lesefehler::KEINER && !bloecke_pruefen(&klar, SPIELSTAND_KOPF_GROESSE, true, SPIELSTAND_BLOECKE, &bloecke))
        f = Lesefehler::BESCHAEDIGT;
    if (f != Lesefehler::KEINER) {
        // By Lesefehler, from FEHLT on.
        static const char* const texte[] = {
            "Der Spielstand %s wurde nicht gefunden.",
            "%s ist ein Ordner, kein Spielstand.",
            "Der Spielstand %s ist nicht lesbar.",
            "Die Datei %s ist zu groß für einen Kordavo-Spielstand.",
            "Die Datei %s ist kein Kordavo-Spielstand.",
            "Der Spielstand %s stammt aus einer anderen Programmversion.",
            "Der Spielstand %s ist beschädigt und wurde nicht geladen.",
        };
        static_assert(std::size(texte) == static_cast<size_t>(Lesefehler::BESCHAEDIGT));
        fehler_melden(texte[static_cast<int>(f) - 1], name.c_str());
        return false;
    }
    std::string modul;
    if (!module_laden(g_module, SPIELSTAND_BLOECKE, klar, bloecke, &modul)) {
        fehler_melden("Der Spielstand %s konnte nicht geladen werden (%s). Das laufende Spiel bleibt unverändert.",
                      name.c_str(), modul.c_str());
        return false;
    }
    Spielstand_Beschreibung b{};
    if (klar.size() >= SPIELSTAND_KOPF_GROESSE) beschreibung_dekodieren(klar.data() + 15, &b);
    const bool server = ruf::Server() || (!ruf::Client() && Spielstand_Ist_Netzspiel(b));
    g_hooks.netz_schliessen();
    Internet_Modus = INTERNET_MODUS_EINZEL;
    if (server && !g_hooks.server_wieder_oeffnen())
        fehler_melden("Der Spielstand %s wurde geladen, aber der Server konnte nicht wieder geöffnet werden. Das Spiel "
                      "läuft ohne Netzwerk weiter.",
                      name.c_str());
    Debug_Printf("Spielstand geladen: %s\n", pfad);
    return true;
}

int Spielstand_Get_Beschreibung(int slot, Spielstand_Beschreibung* aus) {
    if (!aus || slot < 0 || slot >= SPIELSTAND_SLOTS) return 0;
    aus->text[0] = 0;
    aus->manager[0] = 0;
    const char* pfad = Spielstand_Pfad(slot);
    std::string p = W32_Pfad_Uebersetzen(pfad);
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) return 0;
    u8 kopf[SPIELSTAND_KOPF_GROESSE];
    bool ok = std::fread(kopf, 1, sizeof kopf, f) == sizeof kopf;
    std::fclose(f);
    if (!ok || std::memcmp(kopf, SPIELSTAND_MAGIC, 10) != 0 || std::memcmp(kopf + 10, SPIELSTAND_VERSION, 3) != 0)
        return 0;
    beschreibung_dekodieren(kopf + 15, aus);
    return 1;
}

void Spielstand_Set_Letzter(int slot) { W32_Registry_Write("gme", Temp_Sprintf("%d", slot + 1)); }

int Spielstand_Get_Letzter() {
    char wert[32] = {0};
    if (!W32_Registry_Read("gme", wert, sizeof wert)) return -1;
    char* ende = nullptr;
    long v = std::strtol(wert, &ende, 10);
    if (ende == wert || v < 1 || v > SPIELSTAND_SLOTS) return -1;
    return static_cast<int>(v - 1);
}

// ---------------------------------------------------------------------------
// Configuration cache

char* Spielstand_Config_Pfad(int set) {
    if (set < 0) return nullptr;
    return Temp_Sprintf("%s\\%d_config.bin", ordner(W32_DIR_CONFIG), set + 1);
}

namespace {

// The cache's header: the marker and the description (null: empty).
std::array<u8, sizeof CONFIG_CACHE_MARKE + CONFIG_CACHE_BESCHREIBUNG> config_kopf(const char* beschreibung) {
    std::array<u8, sizeof CONFIG_CACHE_MARKE + CONFIG_CACHE_BESCHREIBUNG> kopf{};
    std::memcpy(kopf.data(), CONFIG_CACHE_MARKE, sizeof CONFIG_CACHE_MARKE);
    if (beschreibung) {
        size_t n = strnlen(beschreibung, CONFIG_CACHE_BESCHREIBUNG - 1);
        std::memcpy(kopf.data() + sizeof CONFIG_CACHE_MARKE, beschreibung, n);
    }
    return kopf;
}

void config_fehler(const std::string& ziel, const std::string& modul) {
    g_fehler = "Konfigurations-Cache nicht geschrieben";
    Debug_Printf("Spielstand_Config_Speichern: %s nicht geschrieben (%s)\n", ziel.c_str(), modul.c_str());
}

// The cache being written by the writer thread, and how the last one handed
// to it went.
struct Config_Hintergrund {
    std::string pfad;
    std::future<Schreibfehler> ergebnis;
    bool letzter_ok = true;
} config_hintergrund;

// A process forked while a writer is at work would wait in the child for a
// thread it does not have: the fork waits for both writers first (their
// answers stay to be collected as before).
const bool fork_wartet_auf_schreiber = [] {
    pthread_atfork(
        [] {
            if (hintergrund.ergebnis.valid()) hintergrund.ergebnis.wait();
            if (config_hintergrund.ergebnis.valid()) config_hintergrund.ergebnis.wait();
        },
        nullptr, nullptr);
    return true;
}();

}  // namespace

bool Spielstand_Config_Warten() {
    if (config_hintergrund.ergebnis.valid()) {
        const Schreibfehler f = config_hintergrund.ergebnis.get();
        config_hintergrund.letzter_ok = f == Schreibfehler::KEINER;
        if (!config_hintergrund.letzter_ok) config_fehler(config_hintergrund.pfad, "");
    }
    return config_hintergrund.letzter_ok;
}

// The write in the foreground is the writer's write waited for: one way to
// the file, one message when it fails.
bool Spielstand_Config_Speichern(int set, const char* beschreibung) {
    return Spielstand_Config_Speichern_Hintergrund(set, beschreibung) && Spielstand_Config_Warten();
}

bool Spielstand_Config_Speichern_Hintergrund(int set, const char* beschreibung) {
    // One write at a time, in the order they were asked for.
    Spielstand_Config_Warten();
    g_fehler.clear();
    const char* pfad = Spielstand_Config_Pfad(set);
    if (!pfad) return false;
    std::string ziel = pfad;
    const auto kopf = config_kopf(beschreibung);
    std::string modul;
    std::vector<Block> bloecke;
    if (module_schreiben(g_config, CONFIG_BLOECKE, &modul, &bloecke, true) != Schreibfehler::KEINER) {
        config_fehler(ziel, modul);
        config_hintergrund.letzter_ok = false;
        return false;
    }
    config_hintergrund.pfad = ziel;
    config_hintergrund.ergebnis =
        schreiber_starten(ziel.c_str(), kopf.data(), static_cast<u32>(kopf.size()), std::move(bloecke), nullptr);
    return true;
}

bool Spielstand_Config_Laden(int set, char* aus) {
    Spielstand_Config_Warten();
    g_fehler.clear();
    if (aus) aus[0] = 0;
    const char* pfad = Spielstand_Config_Pfad(set);
    if (!pfad) return false;
    std::string ziel = pfad;
    constexpr u32 kopf_len = sizeof CONFIG_CACHE_MARKE + CONFIG_CACHE_BESCHREIBUNG;
    const Dateiform form{CONFIG_CACHE_MARKE, sizeof CONFIG_CACHE_MARKE, nullptr, 0, kopf_len, false, CONFIG_BLOECKE};
    std::vector<u8> klar;
    std::vector<Block_Ort> bloecke;
    Lesefehler f = datei_einlesen(ziel.c_str(), form, &klar);
    if (f == Lesefehler::FEHLT) return false;
    if (f != Lesefehler::KEINER || !bloecke_pruefen(&klar, kopf_len, false, CONFIG_BLOECKE, &bloecke)) {
        g_fehler = "Konfigurations-Cache beschädigt";
        Debug_Printf("Spielstand_Config_Laden: %s beschädigt\n", ziel.c_str());
        return false;
    }
    std::string modul;
    if (!module_laden(g_config, CONFIG_BLOECKE, klar, bloecke, &modul)) {
        g_fehler = "Konfigurations-Cache abgelehnt";
        Debug_Printf("Spielstand_Config_Laden: %s abgelehnt (%s)\n", ziel.c_str(), modul.c_str());
        return false;
    }
    if (aus) {
        std::memcpy(aus, klar.data() + sizeof CONFIG_CACHE_MARKE, CONFIG_CACHE_BESCHREIBUNG);
        aus[CONFIG_CACHE_BESCHREIBUNG - 1] = 0;
    }
    return true;
}

bool Spielstand_Config_Loeschen(int set) {
    Spielstand_Config_Warten();
    const char* pfad = Spielstand_Config_Pfad(set);
    if (!pfad) return false;
    return W32_File_Delete(pfad);
}
