// The save-game stream: a file or a memory buffer that modules write their
// save blocks into and read them back from, optionally scrambled.
//
// Scrambling: while it is on, byte i of the stream (counted from the
// position where it was switched on) is XORed with k(i), where k(0) is the
// key byte and k(i+1) = (k(i) * 33 + 7) mod 256. The key stream depends only
// on the position, so seeking inside a scrambled stream works. Scrambling
// hides the data from casual eyes; damage is found by the checks of the
// save-game file (spielstand.h), not by the scrambling.
//
// The check byte is the sum (mod 256) of every plain byte written or read
// through Datei_Schreiben / Datei_Lesen since the stream was opened (or
// Datei_Pruefung_Setzen).
#pragma once

#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "base/bytes.h"
#include "base/types.h"

struct Datei_Status {
    u32 geschrieben = 0;    // bytes written through Datei_Schreiben
    u8 verschluesselt = 0;  // 1 while scrambling is on
    u8 fehler = 0;          // 1 after a failed write, short read or failed seek
    u8 schluessel = 0;      // key byte given to Datei_Verschluesselung_An
    u8 pruefung = 0;        // check byte (see above)

    // Backing: a file, or a memory buffer (own and growable, or a read-only view).
    std::FILE* datei = nullptr;
    bool speicher = false;
    std::vector<u8> puffer;       // memory stream written (own data)
    const u8* ansicht = nullptr;  // memory stream read (caller's data)
    u32 ansicht_groesse = 0;
    u32 pos = 0;                  // position of a memory stream
    u32 verschl_start = 0;        // stream position where scrambling began
    std::array<u8, 256> folge{};  // key stream k(0..255) (its period is 256)
    int letzte_op = 0;            // file: 1 write, 2 read (a seek is needed in between)
    // A memory stream written with its packing put off (Datei_Packen_Aufschieben):
    // each packed block's plain bytes and the place in `puffer` where its
    // packed form goes.
    bool packen_aufgeschoben = false;
    struct Aufgeschoben {
        u32 pos;
        std::vector<u8> klar;
    };
    std::vector<Aufgeschoben> aufgeschoben;
};

// Opens a stream file for writing and reading ("wb+": created or emptied).
// Null when it cannot be opened.
Datei_Status* Datei_Oeffnen_Schreiben(const char* name);
// Opens an existing stream file for reading; null when missing.
Datei_Status* Datei_Oeffnen_Lesen(const char* name);
// A memory stream that grows as it is written (and can be read back after a
// Datei_Seek).
Datei_Status* Datei_Oeffnen_Speicher();
// A memory stream that reads `groesse` bytes of the caller's data (not
// copied: the data must live until the stream is closed). Writing fails.
Datei_Status* Datei_Oeffnen_Speicher_Lesen(const void* daten, u32 groesse);
// The bytes of a memory stream (stored form, scrambled where it was on).
const u8* Datei_Speicher_Daten(const Datei_Status* datei, u32* groesse);

// Closes the stream and frees it. True when no error happened on it and the
// file was closed cleanly. Null is accepted (false).
bool Datei_Schliessen(Datei_Status* datei);

// Writes a block; false without a stream or when the write fails (the error
// flag is then set).
bool Datei_Schreiben(Datei_Status* datei, const void* puffer, u32 groesse);
// Reads up to `groesse` bytes; returns the number read (0 at the end or
// without a stream). A short read sets the error flag.
u32 Datei_Lesen(Datei_Status* datei, void* puffer, u32 groesse);

// Moves the position (origins of files.h: W32_SEEK_ANFANG 2001,
// W32_SEEK_AKTUELL 2002, W32_SEEK_ENDE 2003; any other counts as from the
// start). False (and the error flag) for a position before the start or
// past the end of a memory stream.
bool Datei_Seek(Datei_Status* datei, i32 offset, i32 herkunft);
// Current position, -1 without a stream.
i32 Datei_Position(Datei_Status* datei);
// Size of the stream in bytes.
u32 Datei_Groesse(Datei_Status* datei);

// Scrambling from the current position on, with the key byte.
void Datei_Verschluesselung_An(Datei_Status* datei, u8 schluessel);
// Sets the check byte (usually to 0 before a checked section).
void Datei_Pruefung_Setzen(Datei_Status* datei, u8 wert);

// Flushes a file stream to the disk (fsync). True for memory streams.
bool Datei_Sync(Datei_Status* datei);

// Packed block: u32 packed size, then the run-length packed data
// (compress.h). False without a stream, when memory is short or the write
// fails.
bool Datei_Schreiben_Gepackt(Datei_Status* datei, const void* puffer, u32 groesse);
// Reads a packed block into `puffer`, which holds `groesse` bytes. Returns
// the unpacked size; 0 (and the error flag) when the block is damaged, would
// not fit the buffer, or the stream ends early.
u32 Datei_Lesen_Gepackt(Datei_Status* datei, void* puffer, u32 groesse);
// Largest packed block Datei_Lesen_Gepackt accepts.
constexpr u32 DATEI_GEPACKT_MAX = 512u * 1024u * 1024u;

// The stream's bytes with every block in packed form: a memory stream
// written with its packing put off holds the packed blocks' plain bytes
// apart; this packs them into their places. It touches nothing but its
// arguments, so it may run on another thread than the one that wrote the
// stream. Each piece's plain bytes are let go once packed. False when
// memory is short or a piece lies out of place (the stream is then not to
// be written).
bool Datei_Aufgeschobene_Packen(std::vector<u8>* puffer, std::vector<Datei_Status::Aufgeschoben>* stuecke);
// From now on the memory stream keeps the plain bytes of every packed block
// (a copy taken at once) and packs none of them: what the stream holds is
// whole only after Datei_Aufgeschobene_Packen. A stream written so is meant
// for writing only (its position and size count the plain bytes). False
// for a file stream or a scrambled one.
bool Datei_Packen_Aufschieben(Datei_Status* datei);
// A packed block of the bytes in `klar`, handed over (a stream whose
// packing is put off takes them without a copy).
bool Datei_Schreiben_Gepackt_Vektor(Datei_Status* datei, std::vector<u8>&& klar);

// Field by field through base/bytes.h: `felder(bytes::Schreiber&)` writes
// fields, which go to the stream plain or as one packed block.
template <class Felder>
bool Datei_Schreiben_Felder(Datei_Status* datei, Felder felder, bool gepackt = false) {
    std::vector<u8> b;
    bytes::Schreiber s{b};
    felder(s);
    const u32 n = static_cast<u32>(b.size());
    return gepackt ? Datei_Schreiben_Gepackt_Vektor(datei, std::move(b)) : (n == 0 || Datei_Schreiben(datei, b.data(), n));
}
// Reads `groesse` bytes (plain, or one packed block of that size) and lets
// `felder(bytes::Leser&)` take its fields from them. False when the stream
// ends early, the block is damaged, or the visit reads more or fewer bytes.
template <class Felder>
bool Datei_Lesen_Felder(Datei_Status* datei, size_t groesse, Felder felder, bool gepackt = false) {
    if (groesse > DATEI_GEPACKT_MAX) return false;
    std::vector<u8> b(groesse);
    const u32 n = static_cast<u32>(groesse);
    if (n && (gepackt ? Datei_Lesen_Gepackt(datei, b.data(), n) : Datei_Lesen(datei, b.data(), n)) != n) return false;
    bytes::Leser l(b.data(), b.size());
    felder(l);
    return !l.fehler && l.pos == b.size();
}

// Tests only: after `bytes` more bytes written to files (all file streams
// together) every further file write fails, as on a full disk; -1 switches
// this off.
void Datei_Test_Schreibgrenze(i64 bytes);
