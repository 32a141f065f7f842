// Fuzz target: run-length unpacking of untrusted blocks (network packets,
// save blocks), and the packer's round trip.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/compress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const u32 n = static_cast<u32>(size > 1000000 ? 1000000 : size);

    // Bounded unpacking into a buffer of a size the input cannot choose.
    std::vector<u8> ziel(4096);
    Tools_RLE_Entpacken_Sicher(data, n, ziel.data(), static_cast<u32>(ziel.size()));

    // The head-trusting form, with the destination sized from the head as
    // its callers do, and the head's packed size within the input.
    if (n >= 8) {
        u32 roh = get_u32le(data);
        u32 gepackt = get_u32le(data + 4);
        if (gepackt <= n && roh <= (1u << 20)) {
            std::vector<u8> genau(roh);
            u32 aus = Tools_RLE_Entpacken(data, genau.data());
            if (aus != 0 && aus != roh) std::abort();
        }
    }

    // Round trip.
    std::vector<u8> p(Tools_RLE_Max_Gepackt(n));
    u32 g = Tools_RLE_Packen(data, p.data(), n);
    if (g < 9 || g > p.size()) std::abort();
    std::vector<u8> zurueck(n + 1);
    u32 aus = Tools_RLE_Entpacken_Sicher(p.data(), g, zurueck.data(), n);
    if (aus != n || (n && std::memcmp(zurueck.data(), data, n) != 0)) std::abort();
    return 0;
}
