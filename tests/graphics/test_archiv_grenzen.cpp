// Archives whose table points outside the file: refused at opening with a
// message, and nothing is allocated beyond what the file can hold.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/bytes.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"

namespace {

// The largest single request to operator new while `messen` is set.
std::atomic<bool> messen{false};
std::atomic<size_t> groesste{0};

void merken(size_t n) {
    if (!messen.load(std::memory_order_relaxed)) return;
    size_t alt = groesste.load();
    while (n > alt && !groesste.compare_exchange_weak(alt, n)) {
    }
}

}  // namespace

void* operator new(size_t n) {
    merken(n);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

std::string tmp(const std::string& name) {
    const auto d = std::filesystem::temp_directory_path() / ("kordavo_archiv_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return (d / name).string();
}

// A 627-byte archive: the head, 607 bytes of data and a table of one entry
// of the given type and offset at its end.
std::vector<u8> archiv(u32 typ, u32 offset) {
    constexpr u32 GROESSE = 627, VERZEICHNIS = GROESSE - 8;
    std::vector<u8> d;
    bytes::Schreiber s{d};
    s.bytes("RESF", 4);
    s(u32{1}), s(VERZEICHNIS);
    d.resize(VERZEICHNIS, 0x11);
    s(typ), s(offset);
    return d;
}

TEST(ArchivGrenzen, EintragAusserhalbDerDateiAbgelehnt) {
    constexpr u32 GROESSE = 627;
    // Offsets past the end whose distance to the file's end, taken in 32
    // bits, is 1.2 GB, 4 GB - 1 and 64 MB.
    const struct {
        u32 typ, offset;
    } faelle[] = {
        {RESF_GEPACKT | RESF_BILD, GROESSE - 1200000000u},
        {RESF_GEPACKT | RESF_BLOB, GROESSE + 1},
        {RESF_BILD, GROESSE - 1200000000u},
        {RESF_BLOB, GROESSE - 64u * 1024u * 1024u},
    };
    const std::string pfad = tmp("weit.res");
    for (const auto& f : faelle) {
        const std::vector<u8> d = archiv(f.typ, f.offset);
        ASSERT_EQ(d.size(), GROESSE);
        FILE* aus = std::fopen(pfad.c_str(), "wb");
        ASSERT_TRUE(aus);
        std::fwrite(d.data(), 1, d.size(), aus);
        std::fclose(aus);
        Grafik_Fehler_Setzen("%s", "");
        groesste = 0;
        messen = true;
        const i32 slot = Resf_Oeffnen(pfad.c_str(), 0);
        messen = false;
        EXPECT_EQ(slot, -1) << std::hex << f.typ << " " << f.offset;
        EXPECT_LE(groesste.load(), GROESSE) << std::hex << f.typ << " " << f.offset;
        EXPECT_NE(std::string(Grafik_Fehler()).find("kein gültiges RESF-Archiv"), std::string::npos) << Grafik_Fehler();
        if (slot >= 0) Resf_Schliessen(slot);
    }
    // The same archive with its entry inside the file opens.
    const std::vector<u8> gut = archiv(RESF_BLOB, 12);
    FILE* aus = std::fopen(pfad.c_str(), "wb");
    ASSERT_TRUE(aus);
    std::fwrite(gut.data(), 1, gut.size(), aus);
    std::fclose(aus);
    const i32 slot = Resf_Oeffnen(pfad.c_str(), 0);
    EXPECT_GE(slot, 0);
    Resf_Schliessen(slot);
    std::filesystem::remove_all(std::filesystem::path(pfad).parent_path());
}

}  // namespace
