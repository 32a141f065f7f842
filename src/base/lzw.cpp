// LZW packing method 3696: 9- to 12-bit codes, least significant bit first,
// with a clear code (256) and an end code (257). See docs/formats/lzw.md.
#include "base/lzw.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Width of the next code: enough bits for the highest code the reader may see
// next (the code it would assign next), at least 9 and at most 12.
inline u32 code_breite(u32 naechster) {
    if (naechster < 512) return 9;
    if (naechster < 1024) return 10;
    if (naechster < 2048) return 11;
    return 12;
}

class Bit_Schreiber {
  public:
    Bit_Schreiber(u8* dst, u32 cap, u32 pos) : dst_(dst), cap_(cap), pos_(pos) {}
    void schreiben(u32 code, u32 breite) {
        akku_ |= static_cast<u64>(code) << bits_;
        bits_ += breite;
        while (bits_ >= 8) {
            byte(static_cast<u8>(akku_));
            akku_ >>= 8;
            bits_ -= 8;
        }
    }
    void abschliessen() {
        if (bits_ > 0) byte(static_cast<u8>(akku_));
        akku_ = 0;
        bits_ = 0;
    }
    bool ok() const { return ok_; }
    u32 pos() const { return pos_; }

  private:
    void byte(u8 b) {
        if (pos_ >= cap_) {
            ok_ = false;
            return;
        }
        dst_[pos_++] = b;
    }
    u8* dst_;
    u32 cap_;
    u32 pos_;
    u64 akku_ = 0;
    u32 bits_ = 0;
    bool ok_ = true;
};

// Dictionary of the packer: (prefix code, byte) -> code, open addressing.
class Packer_Woerterbuch {
  public:
    Packer_Woerterbuch() : schluessel_(GROESSE), code_(GROESSE) { leeren(); }
    void leeren() { std::fill(schluessel_.begin(), schluessel_.end(), LEER); }
    // The code of (prefix, byte), or -1; `slot` gets the place to insert at.
    int suchen(u32 prefix, u8 c, u32* slot) const {
        u32 k = (prefix << 8) | c;
        u32 h = (k * 2654435761u) >> (32 - BITS);
        while (schluessel_[h] != LEER) {
            if (schluessel_[h] == k) return static_cast<int>(code_[h]);
            h = (h + 1) & (GROESSE - 1);
        }
        *slot = h;
        return -1;
    }
    void einfuegen(u32 slot, u32 prefix, u8 c, u32 code) {
        schluessel_[slot] = (prefix << 8) | c;
        code_[slot] = static_cast<u16>(code);
    }

  private:
    static constexpr u32 BITS = 13;
    static constexpr u32 GROESSE = 1u << BITS;  // twice the code space
    static constexpr u32 LEER = 0xFFFFFFFFu;
    std::vector<u32> schluessel_;
    std::vector<u16> code_;
};

}  // namespace

u32 Lzw_Max_Gepackt(u32 n) {
    u64 codes = static_cast<u64>(n) + n / 1024 + 4;
    u64 bytes = 8 + (codes * 12 + 7) / 8;
    return bytes > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<u32>(bytes);
}

u32 Lzw_Packen(const u8* src, u32 n, u8* dst, u32 cap) {
    if (!dst || cap < 8 || (n > 0 && !src)) return 0;
    Bit_Schreiber aus(dst, cap, 8);
    Packer_Woerterbuch wb;
    u32 leser_naechster = LZW_CODE_ERSTER;  // the reader's next code
    bool leser_erster = true;               // the reader has no previous code
    u32 naechster = LZW_CODE_ERSTER;        // the packer's next code

    auto daten_code = [&](u32 code) {
        aus.schreiben(code, code_breite(leser_naechster));
        if (!leser_erster && leser_naechster < LZW_MAX_CODES) ++leser_naechster;
        leser_erster = false;
    };

    if (n > 0) {
        u32 w = src[0];
        for (u32 i = 1; i < n; ++i) {
            u8 c = src[i];
            u32 slot = 0;
            int gefunden = wb.suchen(w, c, &slot);
            if (gefunden >= 0) {
                w = static_cast<u32>(gefunden);
                continue;
            }
            daten_code(w);
            if (naechster < LZW_MAX_CODES) {
                wb.einfuegen(slot, w, c, naechster++);
            } else {
                aus.schreiben(LZW_CODE_CLEAR, code_breite(leser_naechster));
                wb.leeren();
                naechster = LZW_CODE_ERSTER;
                leser_naechster = LZW_CODE_ERSTER;
                leser_erster = true;
            }
            w = c;
            if (!aus.ok()) return 0;
        }
        daten_code(w);
    }
    aus.schreiben(LZW_CODE_ENDE, code_breite(leser_naechster));
    aus.abschliessen();
    if (!aus.ok()) return 0;
    Pack_Kopf_Schreiben(dst, {n, aus.pos()});
    return aus.pos();
}

bool Lzw_Entpacken(const u8* src, u32 verfuegbar, u8* dst, u32 cap, u32* ausgabe) {
    if (ausgabe) *ausgabe = 0;
    if (!src || !dst || verfuegbar < 8) return false;
    const Pack_Kopf kopf = Pack_Kopf_Lesen(src);
    const u32 soll = kopf.groesse, gepackt = kopf.gepackt;  // plain names: the lambda below takes them
    if (gepackt < 8 || gepackt > verfuegbar || soll > cap) return false;

    // Entries: prefix code, last byte, first byte, length.
    static thread_local u16 prefix[LZW_MAX_CODES];
    static thread_local u8 letztes[LZW_MAX_CODES];
    static thread_local u8 erstes[LZW_MAX_CODES];
    static thread_local u32 laenge[LZW_MAX_CODES];
    for (u32 c = 0; c < 256; ++c) {
        prefix[c] = 0;
        letztes[c] = erstes[c] = static_cast<u8>(c);
        laenge[c] = 1;
    }

    const u64 bits_gesamt = static_cast<u64>(gepackt - 8) * 8;
    u64 bitpos = 0;
    u32 naechster = LZW_CODE_ERSTER;
    i32 vorher = -1;
    u32 aus = 0;

    // Writes the string of `code` at the output position.
    auto ausgeben = [&](u32 code) -> bool {
        u32 len = laenge[code];
        if (len > soll - aus) return false;
        u32 p = aus + len;
        u32 c = code;
        for (u32 k = 0; k < len; ++k) {
            dst[--p] = letztes[c];
            c = prefix[c];
        }
        aus += len;
        return true;
    };

    // Makes the next code: the previous string followed by one byte.
    auto eintragen = [&](u8 byte) {
        prefix[naechster] = static_cast<u16>(vorher);
        letztes[naechster] = byte;
        erstes[naechster] = erstes[vorher];
        laenge[naechster] = laenge[vorher] + 1;
        ++naechster;
    };

    for (;;) {
        const u32 breite = code_breite(naechster);
        if (bitpos + breite > bits_gesamt) return false;  // no end code
        u32 code = 0;
        for (u32 k = 0; k < breite; ++k, ++bitpos) {
            u32 bit = (src[8 + (bitpos >> 3)] >> (bitpos & 7)) & 1u;
            code |= bit << k;
        }
        if (code == LZW_CODE_CLEAR) {
            naechster = LZW_CODE_ERSTER;
            vorher = -1;
            continue;
        }
        if (code == LZW_CODE_ENDE) {
            // The stream must end in the byte that holds the end code.
            if ((bitpos + 7) / 8 != gepackt - 8) return false;
            if (aus != soll) return false;
            if (ausgabe) *ausgabe = aus;
            return true;
        }
        if (vorher < 0) {
            if (code >= 256) return false;
            if (!ausgeben(code)) return false;
            vorher = static_cast<i32>(code);
            continue;
        }
        if (code < naechster && (code < 256 || code >= LZW_CODE_ERSTER)) {
            if (!ausgeben(code)) return false;
            if (naechster < LZW_MAX_CODES) eintragen(erstes[code]);
        } else if (code == naechster && naechster < LZW_MAX_CODES) {
            eintragen(erstes[vorher]);  // the code just made: the previous string and its own first byte
            if (!ausgeben(code)) return false;
        } else {
            return false;
        }
        vorher = static_cast<i32>(code);
    }
}
