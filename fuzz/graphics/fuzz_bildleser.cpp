// The readers of stored pictures, sprites, fonts, archives, TGA and BMP, of
// HRF containers, videos and WAV sounds (first bytes 0xF0 to 0xF2), and the
// TGA, BMP, PCX and clipboard readers into the caller's pixels (first bytes
// 0xE0 to 0xE3): the
// first byte picks the reader, the rest is its input. Whatever a reader
// accepts is used once (drawn, decoded, mixed), so that accepted input is
// also safe to use.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/bytes.h"
#include "graphics/bildformat.h"
#include "graphics/blitter.h"
#include "graphics/container.h"
#include "graphics/font.h"
#include "graphics/mixer.h"
#include "graphics/resf.h"
#include "graphics/video.h"
#include "platform/zwischenablage.h"

namespace {

void zeichnen(Rastport* rp) {
    static Rastport* ziel = Rastport_Neu_Einfach(64, 48, 16);
    if (!rp) return;
    const Blt_Optionen* optionen[] = {nullptr,        Blt_Opt_Transparent, Blt_Opt_Maske,     Blt_Opt_Alpha,
                                      Blt_Opt_Sprite, Blt_Opt_Schatten,    Blt_Opt_Einfaerben};
    for (const Blt_Optionen* o : optionen) Blt_Blit(rp, -3, 2, -1, -1, ziel, 5, -7, o);
    if (rp->sprite) Blt_Rle_Halb(*rp->sprite, ziel, -2, 3);
    Rastport_Free(rp);
}

// Every frame decoded and copied, partly outside the target.
void abspielen(Vid_Film* f) {
    static std::vector<u16> ziel(64 * 48);
    for (i32 k = 1; f && k <= Vid_Frames(f) && k <= 64; ++k) {
        Vid_Goto(f, k, false);
        Vid_Dekodieren(f);
        Vid_Kopieren(f, ziel.data(), 128, 48, -5, 7);
    }
}

std::string als_datei(const u8* p, size_t n) {
    static const std::string pfad = "/tmp/kordavo_fuzz_hrf_" + std::to_string(getpid()) + ".res";
    FILE* f = std::fopen(pfad.c_str(), "wb");
    if (!f) return {};
    std::fwrite(p, 1, n, f);
    std::fclose(f);
    return pfad;
}

void neue_leser(u8 art, const u8* p, size_t n) {
    if (art == 0xF0) {
        // A container: every entry read in both modes, a video entry played.
        const std::string pfad = als_datei(p, n);
        const W32_Handle h = W32_File_Open_Read(pfad.c_str());
        for (i32 e = 0; h >= 0 && e < 16; ++e) {
            Res_Resource r = Res_ReadResource(h, e, RES_MODUS_SPEICHER);
            if (r.adresse) abspielen(Vid_Oeffnen(Res_Daten(r), r.groesse, nullptr).get());
            Res_FreeResource(r);
            const Res_Resource hr = Res_ReadHandleResource(h, e);
            if (hr.adresse) abspielen(Vid_Oeffnen_Handle(h, nullptr).get());
        }
        if (h >= 0) W32_File_Close(h);
        std::remove(pfad.c_str());
    } else if (art == 0xF1) {
        abspielen(Vid_Oeffnen(p, n, nullptr).get());
    } else {
        Mixer_Start(false);
        const u32 s = Mixer_Sample_Laden(p, n);
        static i16 aus[2 * 512];
        Mixer_Pan(Mixer_Spielen(s), 40);
        Mixer_Mischen(aus, 512);
        Mixer_Sample_Freigeben(s);
    }
}

// Reads into exactly the bytes the reader may use, at every depth it takes,
// so that a write past them shows; the picture is sized by the reader's
// own info call.
void pixel_leser(u8 art, const u8* p, size_t n) {
    const u32 n32 = static_cast<u32>(n);
    i32 bits = 0, w = 0, h = 0;
    u8 palette[768];
    auto puffer = [&](i32 t) { return std::vector<u8>(Bild_Ziel_Bytes(w, h, t)); };
    if (art == 0xE0 && Tga_Info_Puffer(p, n32, &bits, &w, &h))
        for (i32 t : {8, 15, 16, 24}) {
            auto z = puffer(t);
            Tga_Lesen_Puffer(p, n32, z.data(), z.size(), t, palette);
        }
    if (art == 0xE1 && Bmp_Info_Puffer(p, n32, &bits, &w, &h)) {
        Bmp_Palette_Puffer(p, n32, palette, true);
        for (i32 t : {8, 15, 16, 24}) {
            auto z = puffer(t);
            Bmp_Lesen_Puffer(p, n32, z.data(), w, h, t, palette);
        }
    }
    if (art == 0xE2 && Pcx_Info_Puffer(p, n32, &bits, &w, &h)) {
        std::vector<u16> z(static_cast<size_t>(w) * h);
        Pcx_Lesen_Puffer(p, n32, z.data(), w, h, 16);
    }
    if (art == 0xE3) {
        // The clipboard names a file holding the input.
        const std::string pfad = als_datei(p, n);
        Zwischenablage_Setzen("file://" + pfad + "\n");
        if (Clipboard_Info(&bits, &w, &h)) {
            std::vector<u16> z(static_cast<size_t>(w) * h);
            Clipboard_Lesen(z.data(), w, h, 15);
        }
        std::remove(pfad.c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const u8* p = data + 1;
    const size_t n = size - 1;
    const u32 n32 = static_cast<u32>(n);
    if (data[0] >= 0xE0 && data[0] <= 0xE3) {
        pixel_leser(data[0], p, n);
        return 0;
    }
    if (data[0] >= 0xF0 && data[0] <= 0xF2) {
        neue_leser(data[0], p, n);
        return 0;
    }
    switch (data[0] % 6) {
        case 0: {
            bytes::Leser l(p, n);
            zeichnen(Rastport_Lesen(l));
            break;
        }
        case 1: {
            bytes::Leser l(p, n);
            std::unique_ptr<Font> f(Font_Lesen(l, 16));
            if (f) {
                static Rastport* ziel = Rastport_Neu_Einfach(120, 40, 16);
                Font_Markup_Ausgabe(ziel, f.get(), 0xFFFF, "Ab^c12345\xE4^fb0009 1.5^tr0050x^l^bbz", 2, 30, 0);
                Font_Text_Breite(f.get(), "Ab^tz0020cd^gll0001e");
            }
            break;
        }
        case 2: {
            bytes::Leser l(p, n);
            u32 k[6];
            for (u32& x : k) x = l.u32_();
            auto sp = Rle_Sprite_Lesen(l, k[5]);
            if (sp) {
                Rastport* rp = Rastport_Neu(sp->breite, sp->hoehe, 16, 3, 0);
                if (rp) rp->sprite = std::move(sp);
                zeichnen(rp);
            }
            break;
        }
        case 3: zeichnen(Tga_Rastport_Puffer(p, n32, 16)); break;
        case 4: zeichnen(Bmp_Rastport_Puffer(p, n32, 15)); break;
        default: {
            // A whole archive on disk, every entry loaded.
            static const std::string pfad = "/tmp/kordavo_fuzz_resf_" + std::to_string(getpid()) + ".res";
            FILE* f = std::fopen(pfad.c_str(), "wb");
            if (!f) return 0;
            std::fwrite(p, 1, n, f);
            std::fclose(f);
            const i32 slot = Resf_Oeffnen(pfad.c_str(), 0);
            for (i32 e = 0; e < Resf_Anzahl(slot) && e < 64; ++e) {
                i16 typ = 0;
                std::vector<u8> d;
                Resf_Eintrag_Daten(slot, e, &typ, d);
                if (typ == RESF_BILD || typ == RESF_SPRITE) zeichnen(Resf_Lade_Rastport(slot, e));
                std::vector<u8> blob;
                Resf_Lade_Blob(slot, e, blob);
            }
            Resf_Schliessen(slot);
            std::remove(pfad.c_str());
        }
    }
    return 0;
}
