// The readers of stored pictures, sprites, fonts, archives, TGA and BMP: the
// first byte picks the reader, the rest is its input. Whatever a reader
// accepts is drawn once, so that accepted input is also safe to use.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/bytes.h"
#include "graphics/bildformat.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/resf.h"

namespace {

void zeichnen(Rastport* rp) {
    static Rastport* ziel = Rastport_Neu_Einfach(64, 48, 16);
    if (!rp) return;
    const Blt_Optionen* optionen[] = {nullptr, Blt_Opt_Transparent, Blt_Opt_Maske, Blt_Opt_Alpha,
                                       Blt_Opt_Sprite, Blt_Opt_Schatten, Blt_Opt_Einfaerben};
    for (const Blt_Optionen* o : optionen) Blt_Blit(rp, -3, 2, -1, -1, ziel, 5, -7, o);
    if (rp->sprite) Blt_Rle_Halb(*rp->sprite, ziel, -2, 3);
    Rastport_Free(rp);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const u8* p = data + 1;
    const size_t n = size - 1;
    const u32 n32 = static_cast<u32>(n);
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
