// Fuzz target: the LZW stream of method 3696 (packet frames from the
// network), and the packer's round trip.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/compress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const u32 n = static_cast<u32>(size > 200000 ? 200000 : size);

    std::vector<u8> ziel(8192);
    u32 aus = 0;
    W32_Cmp_Unpack_Sicher(data, n, ziel.data(), static_cast<u32>(ziel.size()), CMP_METHODE_LZW, &aus);
    if (aus > ziel.size()) std::abort();
    W32_Cmp_Unpack_Sicher(data, n, ziel.data(), static_cast<u32>(ziel.size()), CMP_METHODE_ZLIB, &aus);

    // The head-trusting form with the destination sized from the head.
    if (n >= 8) {
        u32 roh = get_u32le(data);
        u32 gepackt = get_u32le(data + 4);
        if (gepackt <= n && roh <= (1u << 20)) {
            std::vector<u8> genau(roh + 1);
            W32_Cmp_Unpack(data, genau.data(), CMP_METHODE_LZW);
        }
    }

    // Round trip.
    std::vector<u8> p(W32_Cmp_Max_Gepackt(n, CMP_METHODE_LZW));
    u32 g = W32_Cmp_Pack(data, n, p.data(), static_cast<u32>(p.size()), CMP_METHODE_LZW);
    if (g < 8) std::abort();
    std::vector<u8> zurueck(n + 1);
    if (!W32_Cmp_Unpack_Sicher(p.data(), g, zurueck.data(), n, CMP_METHODE_LZW, &aus) || aus != n) std::abort();
    if (n && std::memcmp(zurueck.data(), data, n) != 0) std::abort();
    return 0;
}
