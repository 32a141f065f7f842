// The save-game stream.
#include "base/datei.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "base/compress.h"
#include "base/files.h"
#include "base/lzw.h"

namespace {

i64 g_schreibgrenze = -1;

// XORs `n` bytes in place with the key stream starting at stream offset
// `pos`. k(i+1) = k(i) * 33 + 7 mod 256 has period 256, so k(i) = folge[i & 255].
void verschluesseln(Datei_Status* d, u8* p, u32 n, u32 pos) {
    // Piece by piece up to the end of the key's period, so the inner loop
    // runs over plain ranges (and the compiler does it many bytes a step).
    u32 i = (pos - d->verschl_start) & 255u;
    const u8* folge = d->folge.data();
    for (u32 j = 0; j < n;) {
        const u32 m = std::min<u32>(n - j, 256u - i);
        u8* __restrict ziel = p + j;
        const u8* __restrict schluessel = folge + i;
        for (u32 t = 0; t < m; ++t) ziel[t] ^= schluessel[t];
        j += m;
        i = 0;
    }
}

u8 summe(const u8* p, u32 n, u8 start) {
    u32 s = start;
    for (u32 j = 0; j < n; ++j) s += p[j];
    return static_cast<u8>(s);
}

Datei_Status* datei_oeffnen(const char* name, const char* modus) {
    if (!name || !*name) return nullptr;
    std::string pfad = W32_Pfad_Uebersetzen(name);
    std::FILE* f = std::fopen(pfad.c_str(), modus);
    if (!f) return nullptr;
    auto* d = new Datei_Status;
    d->datei = f;
    return d;
}

// Switching between reading and writing on one FILE needs a seek.
void op_wechsel(Datei_Status* d, int op) {
    if (d->letzte_op != 0 && d->letzte_op != op) std::fseek(d->datei, 0, SEEK_CUR);
    d->letzte_op = op;
}

u32 aktuelle_pos(Datei_Status* d) {
    if (d->speicher) return d->pos;
    long p = std::ftell(d->datei);
    return p < 0 ? 0 : static_cast<u32>(p);
}

// Writes stored bytes (already scrambled) at the current position.
bool roh_schreiben(Datei_Status* d, const u8* p, u32 n) {
    if (d->speicher) {
        if (d->ansicht) return false;
        u64 ende = static_cast<u64>(d->pos) + n;
        if (ende > 0xFFFFFFFFull) return false;
        if (ende > d->puffer.size()) d->puffer.resize(ende);
        std::memcpy(d->puffer.data() + d->pos, p, n);
        d->pos = static_cast<u32>(ende);
        return true;
    }
    op_wechsel(d, 1);
    if (g_schreibgrenze >= 0) {
        if (static_cast<i64>(n) > g_schreibgrenze) {
            // Part of it reaches the disk, as on a device that fills up.
            size_t teil = static_cast<size_t>(g_schreibgrenze);
            if (teil > 0) std::fwrite(p, 1, teil, d->datei);
            g_schreibgrenze = 0;
            return false;
        }
        g_schreibgrenze -= n;
    }
    return std::fwrite(p, 1, n, d->datei) == n;
}

}  // namespace

Datei_Status* Datei_Oeffnen_Schreiben(const char* name) { return datei_oeffnen(name, "wb+"); }

Datei_Status* Datei_Oeffnen_Lesen(const char* name) { return datei_oeffnen(name, "rb"); }

Datei_Status* Datei_Oeffnen_Speicher() {
    auto* d = new Datei_Status;
    d->speicher = true;
    return d;
}

Datei_Status* Datei_Oeffnen_Speicher_Lesen(const void* daten, u32 groesse) {
    if (!daten && groesse > 0) return nullptr;
    auto* d = new Datei_Status;
    d->speicher = true;
    static const u8 leer = 0;
    d->ansicht = daten ? static_cast<const u8*>(daten) : &leer;
    d->ansicht_groesse = groesse;
    return d;
}

const u8* Datei_Speicher_Daten(const Datei_Status* d, u32* groesse) {
    if (!d || !d->speicher) {
        if (groesse) *groesse = 0;
        return nullptr;
    }
    if (d->ansicht) {
        if (groesse) *groesse = d->ansicht_groesse;
        return d->ansicht;
    }
    if (groesse) *groesse = static_cast<u32>(d->puffer.size());
    return d->puffer.data();
}

bool Datei_Schliessen(Datei_Status* d) {
    if (!d) return false;
    bool ok = d->fehler == 0;
    if (d->datei && std::fclose(d->datei) != 0) ok = false;
    delete d;
    return ok;
}

bool Datei_Schreiben(Datei_Status* d, const void* puffer, u32 groesse) {
    if (!d) return false;
    if (groesse == 0) return true;
    if (!puffer) {
        d->fehler = 1;
        return false;
    }
    const u8* p = static_cast<const u8*>(puffer);
    bool ok;
    if (d->verschluesselt && d->speicher && !d->ansicht) {
        // In memory: the bytes are put in place and scrambled there.
        const u32 pos = d->pos;
        ok = roh_schreiben(d, p, groesse);
        if (ok) verschluesseln(d, d->puffer.data() + pos, groesse, pos);
    } else if (d->verschluesselt) {
        // Scramble through a small buffer, piece by piece.
        u8 stueck[4096];
        u32 pos = aktuelle_pos(d);
        ok = true;
        for (u32 off = 0; off < groesse && ok; off += sizeof stueck) {
            u32 n = groesse - off < sizeof stueck ? groesse - off : static_cast<u32>(sizeof stueck);
            std::memcpy(stueck, p + off, n);
            verschluesseln(d, stueck, n, pos + off);
            ok = roh_schreiben(d, stueck, n);
        }
    } else {
        ok = roh_schreiben(d, p, groesse);
    }
    if (!ok) {
        d->fehler = 1;
        return false;
    }
    d->pruefung = summe(p, groesse, d->pruefung);
    d->geschrieben += groesse;
    return true;
}

u32 Datei_Lesen(Datei_Status* d, void* puffer, u32 groesse) {
    if (!d || groesse == 0) return 0;
    if (!puffer) {
        d->fehler = 1;
        return 0;
    }
    u8* p = static_cast<u8*>(puffer);
    u32 pos = aktuelle_pos(d);
    u32 n;
    if (d->speicher) {
        const u8* daten = d->ansicht ? d->ansicht : d->puffer.data();
        u32 groesse_ges = d->ansicht ? d->ansicht_groesse : static_cast<u32>(d->puffer.size());
        u32 rest = d->pos < groesse_ges ? groesse_ges - d->pos : 0;
        n = groesse < rest ? groesse : rest;
        if (n) std::memcpy(p, daten + d->pos, n);
        d->pos += n;
    } else {
        op_wechsel(d, 2);
        n = static_cast<u32>(std::fread(p, 1, groesse, d->datei));
    }
    if (d->verschluesselt && n) verschluesseln(d, p, n, pos);
    d->pruefung = summe(p, n, d->pruefung);
    if (n < groesse) d->fehler = 1;
    return n;
}

bool Datei_Seek(Datei_Status* d, i32 offset, i32 herkunft) {
    if (!d) return false;
    i64 basis = 0;
    if (herkunft == W32_SEEK_AKTUELL) basis = aktuelle_pos(d);
    else if (herkunft == W32_SEEK_ENDE) basis = Datei_Groesse(d);
    i64 ziel = basis + offset;
    if (ziel < 0 || ziel > 0x7FFFFFFF) {
        d->fehler = 1;
        return false;
    }
    if (d->speicher) {
        u32 g = d->ansicht ? d->ansicht_groesse : static_cast<u32>(d->puffer.size());
        if (ziel > g) {
            d->fehler = 1;
            return false;
        }
        d->pos = static_cast<u32>(ziel);
        return true;
    }
    d->letzte_op = 0;
    if (std::fseek(d->datei, static_cast<long>(ziel), SEEK_SET) != 0) {
        d->fehler = 1;
        return false;
    }
    return true;
}

i32 Datei_Position(Datei_Status* d) {
    if (!d) return -1;
    return static_cast<i32>(aktuelle_pos(d));
}

u32 Datei_Groesse(Datei_Status* d) {
    if (!d) return 0;
    if (d->speicher) return d->ansicht ? d->ansicht_groesse : static_cast<u32>(d->puffer.size());
    long jetzt = std::ftell(d->datei);
    std::fflush(d->datei);
    std::fseek(d->datei, 0, SEEK_END);
    long g = std::ftell(d->datei);
    std::fseek(d->datei, jetzt < 0 ? 0 : jetzt, SEEK_SET);
    d->letzte_op = 0;
    return g < 0 ? 0 : static_cast<u32>(g);
}

void Datei_Verschluesselung_An(Datei_Status* d, u8 schluessel) {
    if (!d) return;
    d->verschluesselt = 1;
    d->schluessel = schluessel;
    d->verschl_start = aktuelle_pos(d);
    u8 k = schluessel;
    for (u32 i = 0; i < 256; ++i) {
        d->folge[i] = k;
        k = static_cast<u8>(k * 33u + 7u);
    }
}

void Datei_Pruefung_Setzen(Datei_Status* d, u8 wert) {
    if (d) d->pruefung = wert;
}

bool Datei_Sync(Datei_Status* d) {
    if (!d) return false;
    if (d->speicher) return true;
    if (std::fflush(d->datei) != 0) return false;
    return fsync(fileno(d->datei)) == 0;
}

namespace {

// A packed block as it stands in the stream: its u32 packed size, then the
// run-length packed bytes. False when memory is short. The packing goes
// into a buffer of the worst case, written only as far as the packed bytes
// go (not cleared first: a large one is mapped, and pages never written
// are never taken), and only the packed bytes are appended.
bool gepackt_anhaengen(const u8* klar, u32 groesse, std::vector<u8>* aus) {
    const std::unique_ptr<u8[]> puffer(new (std::nothrow) u8[Tools_RLE_Max_Gepackt(groesse)]);
    if (!puffer) return false;
    const u32 n = Tools_RLE_Packen(klar, puffer.get(), groesse);
    if (n == 0) return false;
    u8 kopf[4];
    for (int i = 0; i < 4; ++i) kopf[i] = static_cast<u8>(n >> (8 * i));
    aus->insert(aus->end(), kopf, kopf + 4);
    aus->insert(aus->end(), puffer.get(), puffer.get() + n);
    return true;
}

}  // namespace

bool Datei_Schreiben_Gepackt(Datei_Status* d, const void* puffer, u32 groesse) {
    if (!d) return false;
    if (!puffer && groesse > 0) {
        d->fehler = 1;
        return false;
    }
    const u8* p = static_cast<const u8*>(puffer);
    if (d->packen_aufgeschoben) return Datei_Schreiben_Gepackt_Vektor(d, std::vector<u8>(p, p + groesse));
    std::vector<u8> gepackt;
    if (!gepackt_anhaengen(p, groesse, &gepackt)) {
        d->fehler = 1;
        return false;
    }
    return Datei_Schreiben(d, gepackt.data(), static_cast<u32>(gepackt.size()));
}

bool Datei_Schreiben_Gepackt_Vektor(Datei_Status* d, std::vector<u8>&& klar) {
    if (!d) return false;
    if (!d->packen_aufgeschoben) return Datei_Schreiben_Gepackt(d, klar.data(), static_cast<u32>(klar.size()));
    if (d->fehler || d->pos != d->puffer.size()) {
        d->fehler = 1;
        return false;
    }
    d->aufgeschoben.push_back({d->pos, std::move(klar)});
    return true;
}

bool Datei_Packen_Aufschieben(Datei_Status* d) {
    if (!d || !d->speicher || d->ansicht || d->verschluesselt) return false;
    d->packen_aufgeschoben = true;
    return true;
}

bool Datei_Aufgeschobene_Packen(std::vector<u8>* puffer, std::vector<Datei_Status::Aufgeschoben>* stuecke) {
    if (stuecke->empty()) return true;
    // Room for the stream with every block at its plain size (packing
    // rarely makes a block larger): the bytes are placed once.
    size_t platz = puffer->size();
    for (const Datei_Status::Aufgeschoben& s : *stuecke) platz += 4 + s.klar.size();
    std::vector<u8> aus;
    aus.reserve(platz);
    size_t von = 0;
    for (Datei_Status::Aufgeschoben& s : *stuecke) {
        if (s.pos < von || s.pos > puffer->size()) return false;
        aus.insert(aus.end(), puffer->begin() + static_cast<std::ptrdiff_t>(von),
                   puffer->begin() + static_cast<std::ptrdiff_t>(s.pos));
        if (!gepackt_anhaengen(s.klar.data(), static_cast<u32>(s.klar.size()), &aus)) return false;
        // Packed: its plain bytes go at once.
        std::vector<u8>().swap(s.klar);
        von = s.pos;
    }
    aus.insert(aus.end(), puffer->begin() + static_cast<std::ptrdiff_t>(von), puffer->end());
    puffer->swap(aus);
    stuecke->clear();
    return true;
}

u32 Datei_Lesen_Gepackt(Datei_Status* d, void* puffer, u32 groesse) {
    if (!d) return 0;
    u32 n = 0;
    if (!Datei_Lesen_Felder(d, 4, [&](bytes::Leser& l) { l(n); })) return 0;
    if (n < RLE_KOPF_GROESSE + 1 || n > DATEI_GEPACKT_MAX) {
        d->fehler = 1;
        return 0;
    }
    // Never trust the size for more than the stream still holds.
    i32 pos = Datei_Position(d);
    u32 rest = Datei_Groesse(d);
    rest = pos >= 0 && static_cast<u32>(pos) <= rest ? rest - static_cast<u32>(pos) : 0;
    if (n > rest) {
        d->fehler = 1;
        return 0;
    }
    std::vector<u8> gepackt(n);
    if (Datei_Lesen(d, gepackt.data(), n) != n) return 0;
    const Pack_Kopf kopf = Pack_Kopf_Lesen(gepackt.data());
    if (kopf.gepackt != n) {
        d->fehler = 1;
        return 0;
    }
    const u32 soll = kopf.groesse;
    u32 aus = Tools_RLE_Entpacken_Sicher(gepackt.data(), n, puffer, groesse);
    if (aus != soll || (soll > 0 && aus == 0)) {
        d->fehler = 1;
        return 0;
    }
    return aus;
}

void Datei_Test_Schreibgrenze(i64 bytes) { g_schreibgrenze = bytes; }
