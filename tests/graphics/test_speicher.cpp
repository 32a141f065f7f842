// Stored records (NALP pictures, sprites, fonts), archives and picture files:
// round trips, and refusal of every truncated or inconsistent input.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "base/bytes.h"
#include "base/files.h"
#include "graphics/bildformat.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/resf.h"
#include "testfont.h"

namespace {

Rastport_Bild halten(Rastport* rp) { return Rastport_Bild(rp); }

std::string tmp(const std::string& name) {
    const auto d = std::filesystem::temp_directory_path() / ("kordavo_gfx_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return (d / name).string();
}

void schreiben(const std::string& pfad, const std::vector<u8>& d) {
    FILE* f = std::fopen(pfad.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(d.data(), 1, d.size(), f);
    std::fclose(f);
}

// A picture with every stored plane: pixels (zlib-packed), mask, alpha, sprite.
Rastport_Bild voll() {
    Rastport_Bild rp = halten(Rastport_Neu_Einfach(33, 8, 16));
    for (int i = 0; i < 264; ++i) rp->bitmap->pixel16()[i] = static_cast<u16>(i % 4 ? (i / 33) * 999 : 0);
    rp->maske.assign(Rastport_Maske_Groesse(33, 8), 0x5A);
    rp->alpha.assign(264, 0);
    for (int i = 0; i < 264; ++i) rp->alpha[static_cast<size_t>(i)] = static_cast<u8>(i);
    rp->sprite = Rle_Sprite_Aus_Pixeln(rp->bitmap->pixel16(), 33, 8);
    rp->bitmap->farbschluessel = 3;
    return rp;
}

std::vector<u8> gespeichert(const Rastport& rp) {
    std::vector<u8> d;
    bytes::Schreiber s{d};
    Rastport_Schreiben(s, rp);
    return d;
}

// Every prefix of a stored form is refused, and never read past its end.
void jeder_praefix_abgelehnt(const std::vector<u8>& d, const std::function<bool(const u8*, size_t)>& lesen) {
    for (size_t n = 0; n < d.size(); ++n) {
        std::vector<u8> kurz(d.begin(), d.begin() + static_cast<long>(n));  // exact size: ASan sees any overrun
        ASSERT_FALSE(lesen(kurz.data(), kurz.size())) << "Länge " << n << " von " << d.size();
    }
    ASSERT_TRUE(lesen(d.data(), d.size()));
}

TEST(Nalp, RundreiseAllerEbenen) {
    Rastport_Bild a = voll();
    ASSERT_EQ(Rastport_Bitmap_Packen(a->bitmap.get(), PACK_ZLIB), 1);
    std::vector<u8> d = gespeichert(*a);
    EXPECT_EQ(d.size(), Rastport_Groesse(*a));
    bytes::Leser l(d.data(), d.size());
    Rastport_Bild b = halten(Rastport_Lesen(l));
    ASSERT_TRUE(b);
    EXPECT_EQ(l.pos, d.size());
    EXPECT_EQ(gespeichert(*b), d);  // read and written again: the same bytes
    ASSERT_EQ(Rastport_Lock(b.get()), 1);
    EXPECT_TRUE(std::equal(b->bitmap->speicher.begin(), b->bitmap->speicher.end(), a->bitmap->speicher.begin()));
    EXPECT_EQ(b->maske, a->maske);
    EXPECT_EQ(b->alpha, a->alpha);
    EXPECT_EQ(b->sprite->daten, a->sprite->daten);
    EXPECT_EQ(b->bitmap->farbschluessel, 3);
    jeder_praefix_abgelehnt(d, [](const u8* p, size_t n) {
        bytes::Leser l(p, n);
        return halten(Rastport_Lesen(l)) != nullptr;
    });
}

// A large alpha plane is stored packed and read back as it was; damaged or
// inconsistent packed data is refused.
TEST(Nalp, GepackteAlphaEbene) {
    Rastport_Bild a = halten(Rastport_Neu_Einfach(200, 60, 16));
    a->alpha.assign(200 * 60, 0);
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 200; ++x) a->alpha[static_cast<size_t>(y) * 200 + x] = static_cast<u8>(x);
    a->bitmap->pixel_behalten = 0;  // stored as the archives store pictures: pixels packed
    ASSERT_EQ(Rastport_Bitmap_Packen(a->bitmap.get(), PACK_ZLIB), 1);
    const std::vector<u8> d = gespeichert(*a);
    EXPECT_LT(d.size(), a->alpha.size());  // the plane alone would be larger than the whole record
    EXPECT_EQ(d.size(), Rastport_Groesse(*a));
    EXPECT_EQ(get_u32le(d.data() + 52), 1u);
    bytes::Leser l(d.data(), d.size());
    Rastport_Bild b = halten(Rastport_Lesen(l));
    ASSERT_TRUE(b);
    EXPECT_EQ(l.pos, d.size());
    EXPECT_EQ(b->alpha, a->alpha);
    jeder_praefix_abgelehnt(d, [](const u8* p, size_t n) {
        bytes::Leser l(p, n);
        return halten(Rastport_Lesen(l)) != nullptr;
    });
    // The packed block's head follows the bitmap: find it by its sizes.
    size_t ort = 0;
    for (size_t i = 56; i + 8 <= d.size(); ++i)
        if (get_u32le(d.data() + i) == 200u * 60u && get_u32le(d.data() + i + 4) == d.size() - i - 8) ort = i;
    ASSERT_NE(ort, 0u);
    struct Fall {
        const char* was;
        size_t offset;
        u32 wert;
    } faelle[] = {
        {"ungepackte Größe falsch", ort, 200u * 59u},
        {"gepackte Größe über das Ende", ort + 4, static_cast<u32>(d.size())},
        {"Daten beschädigt", ort + 10, 0xDEADBEEF},
    };
    for (const Fall& f : faelle) {
        std::vector<u8> k = d;
        put_u32le(k.data() + f.offset, f.wert);
        bytes::Leser lk(k.data(), k.size());
        EXPECT_EQ(halten(Rastport_Lesen(lk)), nullptr) << f.was;
        EXPECT_STRNE(Grafik_Fehler(), "") << f.was;
    }
    // A record written with word 52 at 0 carries its alpha plane unpacked.
    Rastport_Bild v = voll();
    const std::vector<u8> klein = gespeichert(*v);
    EXPECT_EQ(get_u32le(klein.data() + 52), 0u);
}

TEST(Nalp, UnstimmigeFelderAbgelehnt) {
    Rastport_Bild a = voll();
    const std::vector<u8> gut = gespeichert(*a);
    struct Fall {
        const char* was;
        size_t offset;
        u32 wert;
    } faelle[] = {
        {"Breite 0", 4, 0},
        {"Breite riesig", 4, 0x7FFFFFFF},
        {"Bitmap-Breite weicht ab", 56 + 8, 10},
        {"Farbtiefe 24", 56 + 16, 24},
        {"Pixelgröße falsch", 56 + 44, 91},
        {"Spritegröße zu groß", 24, 0xFFFFFF00},
        {"Kennung", 0, 0x50414C4E},
    };
    for (const Fall& f : faelle) {
        std::vector<u8> d = gut;
        put_u32le(d.data() + f.offset, f.wert);
        bytes::Leser l(d.data(), d.size());
        EXPECT_EQ(halten(Rastport_Lesen(l)), nullptr) << f.was;
        EXPECT_STRNE(Grafik_Fehler(), "") << f.was;
    }
    // A sprite row whose counts pass the width is refused.
    Rastport_Bild s = halten(Rastport_Neu(3, 1, 16, 1, 0));
    s->sprite = std::make_unique<Rle_Sprite>();
    *s->sprite = Rle_Sprite{.breite = 3, .hoehe = 1, .zeilen = {0}, .daten = {4}};
    std::vector<u8> d = gespeichert(*s);
    bytes::Leser l(d.data(), d.size());
    EXPECT_EQ(halten(Rastport_Lesen(l)), nullptr);
    // Damaged zlib data: the lock fails and leaves no pixels behind.
    Rastport_Bild z = voll();
    ASSERT_EQ(Rastport_Bitmap_Packen(z->bitmap.get(), PACK_ZLIB), 1);
    z->bitmap->speicher.clear();
    z->bitmap->gepackt[12] ^= 0xFF;
    EXPECT_EQ(Rastport_Lock(z.get()), 0);
    EXPECT_FALSE(z->bitmap->hat_pixel());
}

TEST(Font, RundreiseUndPruefungen) {
    std::unique_ptr<Font> f(testfont::neu(1));
    f->extra.assign(256, 0);
    f->extra['A' - 32] = 2;
    f->ziffernzelle = 7;
    std::vector<u8> d;
    bytes::Schreiber s{d};
    Font_Schreiben(s, *f);
    EXPECT_EQ(d.size(), Font_Speichergroesse(*f));
    EXPECT_EQ(Font_Speichergroesse(*f) - Rastport_Groesse(*f->blatt), 68664u);
    bytes::Leser l(d.data(), d.size());
    std::unique_ptr<Font> g(Font_Lesen(l, 16));
    ASSERT_TRUE(g);
    EXPECT_EQ(Font_Zeichen_Breite(g.get(), 'A'), 10);
    EXPECT_EQ(Font_Zeichen_Breite(g.get(), 10), 0);
    EXPECT_EQ(g->ziffernzelle, 7);
    // Broken fields: a glyph outside the sheet, mode 0 with an 8-bit sheet.
    for (auto [offset, wert] :
         {std::pair<size_t, u32>{4 + 260 + 4 * 33, 0x7FFFFF00}, {4 + 1284 + 4 * 33, 5000}, {4 + 2344, 0}, {4 + 2348, 0xFFFFFFFF}}) {
        std::vector<u8> b = d;
        put_u32le(b.data() + offset, wert);
        bytes::Leser lb(b.data(), b.size());
        EXPECT_EQ(std::unique_ptr<Font>(Font_Lesen(lb, 16)), nullptr) << offset;
    }
    f->extra.clear();
    d.clear();
    Font_Schreiben(s, *f);
    jeder_praefix_abgelehnt(d, [](const u8* p, size_t n) {
        bytes::Leser l(p, n);
        return std::unique_ptr<Font>(Font_Lesen(l, 16)) != nullptr;
    });
}

// A RESF archive with the given entries (type, data).
std::vector<u8> archiv(const std::vector<std::pair<u32, std::vector<u8>>>& e) {
    std::vector<u8> d;
    bytes::Schreiber s{d};
    s.bytes("RESF", 4);
    s(static_cast<u32>(e.size())), s(u32{0});
    std::vector<u32> off;
    for (const auto& x : e) off.push_back(static_cast<u32>(d.size())), s.bytes(x.second.data(), x.second.size());
    put_u32le(d.data() + 8, static_cast<u32>(d.size()));
    for (size_t i = 0; i < e.size(); ++i) s(e[i].first), s(off[i]);
    return d;
}

TEST(Resf, EintraegeUndSlots) {
    Rastport_Bild a = voll();
    std::vector<u8> blob0 = {0, 0, 0, 0}, blob3 = {3, 0, 0, 0, 7, 8, 9}, blob_lang = {200, 0, 0, 0, 1};
    std::vector<u8> sprite;
    bytes::Schreiber s{sprite};
    for (u32 v : {0u, 0u, 4u, 6u, 0u, a->sprite->groesse()}) s(v);
    Rle_Sprite_Schreiben(s, *a->sprite);
    // Offsets of 2^31 (which a signed negation would overflow) are taken
    // modulo 2^16.
    std::vector<u8> sprite_weit;
    bytes::Schreiber sw{sprite_weit};
    for (u32 v : {0u, 0u, 0x80000000u, 0xFFFF0001u, 0u, a->sprite->groesse()}) sw(v);
    Rle_Sprite_Schreiben(sw, *a->sprite);
    const std::string pfad = tmp("test.res");
    schreiben(
        pfad,
        archiv({{14, gespeichert(*a)}, {16, blob0}, {16, blob3}, {0x10010, blob_lang}, {40, sprite}, {66, {1, 2}},
                {40, sprite_weit}}));
    const i32 slot = Resf_Oeffnen(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(Resf_Anzahl(slot), 7);
    Rastport_Bild weit = halten(Resf_Lade_Rastport(slot, 6));
    ASSERT_TRUE(weit && weit->sprite);
    EXPECT_EQ(weit->sprite->x_korrektur, 0);
    EXPECT_EQ(weit->sprite->y_korrektur, -1);
    EXPECT_TRUE(halten(Resf_Lade_Rastport(slot, 0)));
    u32 n = 99;
    std::unique_ptr<u8[]> b(static_cast<u8*>(Resf_Lade_Eintrag(slot, 1, 16, &n)));
    EXPECT_TRUE(b);
    EXPECT_EQ(n, 0u);  // size 0: an empty block
    std::vector<u8> blob;
    EXPECT_TRUE(Resf_Lade_Blob(slot, 2, blob));
    EXPECT_EQ(blob, (std::vector<u8>{7, 8, 9}));
    EXPECT_FALSE(Resf_Lade_Blob(slot, 3, blob));  // type word 0x10010 is type 16, but its size passes the entry
    Rastport_Bild sp = halten(Resf_Lade_Rastport(slot, 4));
    ASSERT_TRUE(sp && sp->sprite);
    EXPECT_EQ(sp->sprite->x_korrektur, -4);
    EXPECT_EQ(sp->sprite->y_korrektur, -6);
    EXPECT_EQ(Resf_Lade_Eintrag(slot, 5, 16, nullptr), nullptr);  // other types: nothing
    EXPECT_EQ(Resf_Lade_Eintrag(slot, 7, 16, nullptr), nullptr);  // entry == count
    EXPECT_EQ(Resf_Lade_Eintrag(slot, -1, 16, nullptr), nullptr);
    Resf_Schliessen(slot);
    const i32 basis = Resf_Oeffnen(pfad.c_str(), 1);
    EXPECT_TRUE(Resf_Eintrag_Gueltig(basis, -1));  // entry -1 with base 1 is entry 0
    EXPECT_FALSE(Resf_Eintrag_Gueltig(basis, 6));
    Resf_Schliessen(basis);

    // Count 0 opens and loads nothing; all 30 slots in use: the 31st fails.
    const std::string leer = tmp("leer.res");
    schreiben(leer, archiv({}));
    std::vector<i32> slots;
    for (int i = 0; i < RESF_SLOTS; ++i) slots.push_back(Resf_Oeffnen(leer.c_str(), 0));
    for (i32 x : slots) ASSERT_GE(x, 0);
    EXPECT_EQ(Resf_Lade_Eintrag(slots[0], 0, 16, nullptr), nullptr);
    EXPECT_EQ(Resf_Oeffnen(leer.c_str(), 0), -1);
    for (i32 x : slots) Resf_Schliessen(x);

    // Damaged archives are refused at opening.
    std::vector<u8> gut = archiv({{16, blob3}});
    for (auto [offset, wert] : {std::pair<size_t, u32>{4, 1000}, {8, 3}, {8, 0xFFFFFFF0}, {gut.size() - 4, 0xFFFF}}) {
        std::vector<u8> d = gut;
        put_u32le(d.data() + offset, wert);
        schreiben(leer, d);
        EXPECT_EQ(Resf_Oeffnen(leer.c_str(), 0), -1) << offset;
    }
    i32 ar = 0, e = 0;
    EXPECT_FALSE(Resf_Grafik_Nummer(3999, &ar, &e));
    EXPECT_FALSE(Resf_Grafik_Nummer(92000, &ar, &e));  // past the last archive
    EXPECT_TRUE(Resf_Grafik_Nummer(12135, &ar, &e));
    EXPECT_EQ(ar * 10000 + e, 2 * 10000 + 135);
}

// Packed entries: unpacked when they are asked for and read back as
// they were written, also through a second entry sharing the same bytes;
// damaged packed data leave that entry empty with a German message while
// the archive and its other entries stay usable.
TEST(Resf, GepackteEintraege) {
    std::vector<u8> set(20000);
    for (size_t i = 0; i < set.size(); ++i) set[i] = static_cast<u8>((i / 7) % 13);
    std::vector<u8> blob = {100, 0, 0, 0};
    blob.resize(104, 0x42);
    const std::vector<u8> set_gepackt = Resf_Eintrag_Packen(set), blob_gepackt = Resf_Eintrag_Packen(blob);
    ASSERT_FALSE(set_gepackt.empty());
    ASSERT_FALSE(blob_gepackt.empty());
    EXPECT_LT(set_gepackt.size(), set.size() / 4);
    // What does not pack by a quarter stays as it is.
    std::vector<u8> rauschen(4096);
    u32 x = 1;
    for (u8& b : rauschen) b = static_cast<u8>((x = x * 1103515245u + 12345u) >> 24);
    EXPECT_TRUE(Resf_Eintrag_Packen(rauschen).empty());
    EXPECT_TRUE(Resf_Eintrag_Packen({}).empty());

    const std::string pfad = tmp("gepackt.res");
    std::vector<u8> d = archiv({{RESF_ANIMSET | RESF_GEPACKT, set_gepackt},
                                {RESF_BLOB | RESF_GEPACKT, blob_gepackt},
                                {RESF_ANIMSET | RESF_GEPACKT, {}},
                                {RESF_BLOB, {3, 0, 0, 0, 7, 8, 9}}});
    // Entry 2 shares entry 0's bytes.
    const u32 verz = get_u32le(d.data() + 8);
    put_u32le(d.data() + verz + 8 * 2 + 4, get_u32le(d.data() + verz + 4));
    schreiben(pfad, d);
    const i32 slot = Resf_Oeffnen(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);
    std::vector<u8> gelesen;
    i16 typ = 0;
    for (i32 e : {0, 2, 0}) {
        ASSERT_TRUE(Resf_Eintrag_Daten(slot, e, &typ, gelesen)) << e;
        EXPECT_EQ(typ, RESF_ANIMSET);
        EXPECT_EQ(gelesen, set) << e;
    }
    EXPECT_TRUE(Resf_Lade_Blob(slot, 1, gelesen));
    EXPECT_EQ(gelesen, std::vector<u8>(100, 0x42));
    u32 n = 0;
    std::unique_ptr<u8[]> b(static_cast<u8*>(Resf_Lade_Eintrag(slot, 1, 16, &n)));
    EXPECT_TRUE(b && n == 100 && b[99] == 0x42);
    Resf_Schliessen(slot);

    // Damaged packed data.
    const struct Fall {
        const char* was;
        std::function<void(std::vector<u8>&)> aendern;
    } faelle[] = {
        {"abgeschnitten", [](std::vector<u8>& p) { p.resize(p.size() / 2); }},
        {"nur ein halber Kopf", [](std::vector<u8>& p) { p.resize(5); }},
        {"ein Byte im Strom gekippt", [](std::vector<u8>& p) { p[p.size() / 2] ^= 0x5A; }},
        {"Kopf nennt mehr als entpackt", [](std::vector<u8>& p) { put_u32le(p.data(), get_u32le(p.data()) + 1); }},
        {"Kopf nennt weniger als entpackt", [](std::vector<u8>& p) { put_u32le(p.data(), get_u32le(p.data()) - 1); }},
        {"Kopf nennt 0", [](std::vector<u8>& p) { put_u32le(p.data(), 0); }},
        {"Kopf nennt mehr als 64 MB", [](std::vector<u8>& p) { put_u32le(p.data(), RESF_ENTPACKT_MAX + 1); }},
        {"Kopf verspricht mehr als zlib kann", [](std::vector<u8>& p) { put_u32le(p.data(), 0x3C00000); }},
        {"gepackte Größe über das Ende", [](std::vector<u8>& p) { put_u32le(p.data() + 4, 0xFFFFFFF0); }},
    };
    for (const Fall& f : faelle) {
        std::vector<u8> kaputt = set_gepackt;
        f.aendern(kaputt);
        schreiben(pfad, archiv({{RESF_ANIMSET | RESF_GEPACKT, kaputt}, {RESF_BLOB | RESF_GEPACKT, blob_gepackt}}));
        Grafik_Fehler_Setzen("%s", "");
        const i32 k = Resf_Oeffnen(pfad.c_str(), 0);
        ASSERT_GE(k, 0) << f.was;
        // Opening reads the directory only: the damage shows when the entry is asked for.
        EXPECT_STREQ(Grafik_Fehler(), "") << f.was;
        EXPECT_FALSE(Resf_Eintrag_Daten(k, 0, &typ, gelesen)) << f.was;
        EXPECT_NE(std::string(Grafik_Fehler()).find("gepackter Eintrag 0 ist besch\xE4" "digt"), std::string::npos)
            << f.was << ": " << Grafik_Fehler();
        EXPECT_EQ(Resf_Lade_Eintrag(k, 0, 16, nullptr), nullptr) << f.was;
        EXPECT_TRUE(Resf_Lade_Blob(k, 1, gelesen)) << f.was;
        Resf_Schliessen(k);
    }
}

// An entry read at its place on another thread (through a file of its
// own) gives the bytes the archive's own read gives, packed or not; a
// damaged packed entry and a file gone are refused, and a refused entry
// has no place.
TEST(Resf, EintragAnSeinemOrtGelesen) {
    std::vector<u8> set(20000);
    for (size_t i = 0; i < set.size(); ++i) set[i] = static_cast<u8>((i / 7) % 13);
    const std::vector<u8> set_gepackt = Resf_Eintrag_Packen(set);
    ASSERT_FALSE(set_gepackt.empty());
    std::vector<u8> kaputt = set_gepackt;
    kaputt.resize(kaputt.size() / 2);
    const std::string pfad = tmp("ort.res");
    schreiben(pfad, archiv({{RESF_ANIMSET | RESF_GEPACKT, set_gepackt},
                            {RESF_BLOB, {3, 0, 0, 0, 7, 8, 9}},
                            {RESF_BILD | RESF_GEPACKT, kaputt}}));
    const i32 slot = Resf_Oeffnen(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);
    const struct Fall {
        i32 eintrag;
        i16 typ;
        bool gepackt, lesbar;
    } faelle[] = {{0, RESF_ANIMSET, true, true}, {1, RESF_BLOB, false, true}, {2, RESF_BILD, true, false}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.eintrag);
        Resf_Ort ort;
        ASSERT_TRUE(Resf_Eintrag_Ort(slot, f.eintrag, &ort));
        EXPECT_EQ(ort.typ, f.typ);
        EXPECT_EQ(ort.gepackt, f.gepackt);
        std::vector<u8> hier, dort;
        i16 typ = 0;
        EXPECT_EQ(Resf_Eintrag_Daten(slot, f.eintrag, &typ, hier), f.lesbar);
        bool gelesen = false;
        std::thread([&] { gelesen = Resf_Ort_Lesen(ort, dort); }).join();
        EXPECT_EQ(gelesen, f.lesbar);
        if (f.lesbar) {
            EXPECT_EQ(dort, hier);
        }
    }
    Resf_Ort ort;
    EXPECT_FALSE(Resf_Eintrag_Ort(slot, 3, &ort)) << "no such entry";
    EXPECT_FALSE(Resf_Eintrag_Ort(slot, -1, &ort));
    ASSERT_TRUE(Resf_Eintrag_Ort(slot, 0, &ort));
    Resf_Schliessen(slot);
    std::filesystem::remove(pfad);
    std::vector<u8> dort;
    EXPECT_FALSE(Resf_Ort_Lesen(ort, dort)) << "the file is gone";
}

// Pictures loaded ahead: the worker reads and unpacks them, and what the
// load then takes equals what a load in place gives (with its pixels
// already there); a damaged one is taken packed and refused in the frame
// with the message a load in place gives; a blob is nothing to load ahead;
// and an archive closed meanwhile never hands its picture to the archive
// opened after it.
TEST(Resf, VorabGeladenGleichInPlaceGeladen) {
    const auto gepackt = [](u16 faktor, bool beschaedigt = false) {
        Rastport_Bild rp = voll();
        for (int i = 0; i < 264; ++i) rp->bitmap->pixel16()[i] = static_cast<u16>(i * faktor);
        rp->bitmap->pixel_behalten = 0;
        EXPECT_EQ(Rastport_Bitmap_Packen(rp->bitmap.get(), PACK_ZLIB), 1);
        if (beschaedigt) rp->bitmap->gepackt[rp->bitmap->gepackt.size() / 2] ^= 0xFF;
        return gespeichert(*rp);
    };
    const std::vector<u8> kaputt = gepackt(5, true);
    const std::vector<u8> bild = gepackt(3), im_archiv_gepackt = Resf_Eintrag_Packen(gepackt(7));
    ASSERT_FALSE(im_archiv_gepackt.empty());
    const std::string pfad = tmp("vorab.res");
    schreiben(pfad, archiv({{RESF_BILD, bild},
                            {RESF_BILD, kaputt},
                            {RESF_BLOB, {3, 0, 0, 0, 7, 8, 9}},
                            {RESF_BILD | RESF_GEPACKT, im_archiv_gepackt}}));
    const i32 slot = Resf_Oeffnen(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);
    const auto bereit = [&](i32 e) {
        for (int i = 0; i < 5000; ++i) {
            if (Resf_Vorab_Bereit(slot, e)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    };
    for (i32 e : {0, 1, 3}) {
        Rastport_Bild hier(Resf_Lade_Rastport(slot, e));
        ASSERT_TRUE(hier) << e;
        const bool entpackt = Rastport_Lock(hier.get()) != 0;
        const std::string meldung = Grafik_Fehler();
        EXPECT_EQ(entpackt, e != 1);

        EXPECT_FALSE(Resf_Vorab_Bereit(slot, e)) << "handed to the worker";
        EXPECT_EQ(Resf_Vorab_Anzahl(), 1u);
        ASSERT_TRUE(bereit(e)) << e;
        Grafik_Fehler_Setzen("-");
        Rastport_Bild vorab(Resf_Lade_Rastport(slot, e));
        EXPECT_EQ(Resf_Vorab_Anzahl(), 0u) << "taken";
        ASSERT_TRUE(vorab) << e;
        EXPECT_EQ(vorab->bitmap->hat_pixel(), entpackt) << "unpacked on the worker: " << e;
        EXPECT_EQ(Rastport_Lock(vorab.get()) != 0, entpackt) << e;
        EXPECT_EQ(vorab->grafik, hier->grafik);
        EXPECT_TRUE(vorab->fest);
        if (entpackt)
            EXPECT_TRUE(std::equal(hier->bitmap->pixel16(), hier->bitmap->pixel16() + 264, vorab->bitmap->pixel16()))
                << e;
        else
            EXPECT_EQ(std::string(Grafik_Fehler()), meldung) << "the frame's own message";
        EXPECT_EQ(vorab->alpha, hier->alpha);
        EXPECT_EQ(vorab->maske, hier->maske);
    }
    EXPECT_TRUE(Resf_Vorab_Bereit(slot, 2)) << "a blob is loaded as always";
    EXPECT_TRUE(Resf_Vorab_Bereit(slot, 9)) << "no such entry";
    EXPECT_EQ(Resf_Vorab_Anzahl(), 0u);

    // The whole archive kept (packed): every load gets its own copy with its
    // pixels; the damaged picture is not kept and loads as in place.
    EXPECT_EQ(Resf_Vorab_Halten(slot), 3);
    for (int i = 0; i < 5000 && Resf_Vorab_Gehalten() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(Resf_Vorab_Gehalten(), 2u);
    for (i32 e : {0, 3}) {
        Rastport_Bild erste(Resf_Lade_Rastport(slot, e)), zweite(Resf_Lade_Rastport(slot, e));
        ASSERT_TRUE(erste && zweite && erste->bitmap->hat_pixel() && zweite->bitmap->hat_pixel()) << e;
        EXPECT_NE(erste->bitmap->pixel16(), zweite->bitmap->pixel16()) << "copies";
        EXPECT_TRUE(std::equal(erste->bitmap->pixel16(), erste->bitmap->pixel16() + 264, zweite->bitmap->pixel16()));
        EXPECT_EQ(erste->bitmap->pixel16()[10], e == 0 ? 30 : 70);
        EXPECT_EQ(erste->alpha, zweite->alpha);
        ASSERT_TRUE(erste->sprite && zweite->sprite);
        EXPECT_EQ(erste->sprite->daten, zweite->sprite->daten);
        EXPECT_TRUE(Resf_Vorab_Bereit(slot, e)) << "kept: nothing to hand over";
    }
    EXPECT_EQ(Resf_Vorab_Anzahl(), 0u);
    Rastport_Bild kaputtes(Resf_Lade_Rastport(slot, 1));
    ASSERT_TRUE(kaputtes);
    EXPECT_EQ(Rastport_Lock(kaputtes.get()), 0);

    // Kept and asked for, then the archive closes: the next archive in that
    // slot gives its own pictures.
    EXPECT_FALSE(Resf_Vorab_Bereit(slot, 1));
    Resf_Schliessen(slot);
    const std::string anderer = tmp("vorab2.res");
    schreiben(anderer, archiv({{RESF_BILD, gepackt(11)}, {RESF_BILD, gepackt(13)}}));
    const i32 neu = Resf_Oeffnen(anderer.c_str(), 0);
    ASSERT_EQ(neu, slot);
    for (i32 e : {0, 1}) {
        Rastport_Bild b(Resf_Lade_Rastport(neu, e));
        ASSERT_TRUE(b && Rastport_Lock(b.get()));
        EXPECT_EQ(b->bitmap->pixel16()[10], e == 0 ? 110 : 130);
    }
    EXPECT_EQ(Resf_Vorab_Anzahl(), 0u);
    Resf_Schliessen(neu);
}

// A child forked while the workers are at an archive has none of them: its
// loads do not wait for them, and it unpacks in its own workers or in place.
TEST(Resf, VorabImGeforktenKind) {
    std::vector<u8> groesser;
    {
        Rastport_Bild rp = halten(Rastport_Neu_Einfach(512, 512, 16));
        for (int i = 0; i < 512 * 512; ++i) rp->bitmap->pixel16()[i] = static_cast<u16>((i % 512) * 7);
        rp->bitmap->pixel_behalten = 0;
        ASSERT_EQ(Rastport_Bitmap_Packen(rp->bitmap.get(), PACK_ZLIB), 1);
        groesser = gespeichert(*rp);
    }
    std::vector<std::pair<u32, std::vector<u8>>> eintraege(40, {RESF_BILD, groesser});
    const std::string pfad = tmp("fork.res");
    schreiben(pfad, archiv(eintraege));
    const i32 slot = Resf_Oeffnen(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);
    // Entry 5 stays out of the parent's work, so that the child's first ask for it is new work
    // however fast the parent's workers were before the fork.
    Resf_Vorab_Halten(slot, 6);
    for (i32 e = 0; e < 4; ++e) Resf_Vorab_Bereit(slot, e);
    const pid_t kind = fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        alarm(20);  // a load that waits for a worker of the parent never ends
        bool ok = true;
        for (i32 e : {0, 1, 2, 3, 39}) {
            Rastport_Bild b(Resf_Lade_Rastport(slot, e));
            ok = ok && b && Rastport_Lock(b.get()) && b->bitmap->pixel16()[3] == 21;
        }
        ok = ok && !Resf_Vorab_Bereit(slot, 5);  // its own workers take new work
        for (int i = 0; i < 5000 && !Resf_Vorab_Bereit(slot, 5); ++i) usleep(1000);
        Rastport_Bild b(Resf_Lade_Rastport(slot, 5));
        ok = ok && b && b->bitmap->hat_pixel();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(kind, &status, 0), kind);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    Rastport_Bild b(Resf_Lade_Rastport(slot, 0));
    EXPECT_TRUE(b && Rastport_Lock(b.get()));
    Resf_Schliessen(slot);
}

// A font whose sheet is stored packed (as the game's fonts are) is read
// with its sheet unpacked; a damaged sheet refuses the font.
TEST(Font, GepacktesZeichenblatt) {
    std::unique_ptr<Font> f(testfont::neu(1));
    std::vector<u8> ungepackt;
    bytes::Schreiber su{ungepackt};
    Font_Schreiben(su, *f);
    f->blatt->bitmap->pixel_behalten = 0;
    ASSERT_EQ(Rastport_Bitmap_Packen(f->blatt->bitmap.get(), PACK_ZLIB), 1);
    std::vector<u8> d;
    bytes::Schreiber s{d};
    Font_Schreiben(s, *f);
    EXPECT_LT(d.size(), ungepackt.size());
    bytes::Leser l(d.data(), d.size());
    std::unique_ptr<Font> g(Font_Lesen(l, 16));
    ASSERT_TRUE(g);
    bytes::Leser lu(ungepackt.data(), ungepackt.size());
    std::unique_ptr<Font> h(Font_Lesen(lu, 16));
    ASSERT_TRUE(g->blatt->bitmap->hat_pixel());
    ASSERT_TRUE(h);
    Rastport_Bitmap &a = *g->blatt->bitmap, &b = *h->blatt->bitmap;
    ASSERT_EQ(a.pixel_groesse(), b.pixel_groesse());
    EXPECT_TRUE(std::equal(a.pixel8(), a.pixel8() + a.pixel_groesse(), b.pixel8()));
    d[d.size() - 5] ^= 0xFF;  // inside the sheet's zlib stream
    bytes::Leser lk(d.data(), d.size());
    EXPECT_EQ(std::unique_ptr<Font>(Font_Lesen(lk, 16)), nullptr);
    EXPECT_NE(std::string(Grafik_Fehler()).find("Zeichenblatt"), std::string::npos) << Grafik_Fehler();
}

TEST(Bilddateien, TgaBmpJpeg) {
    // TGA: descriptor 0x20 keeps the first stored row on top, 0 puts it at the bottom.
    Rastport_Bild a = halten(Rastport_Neu_Einfach(2, 2, 16));
    const u16 werte[4] = {0xF800, 0x07E0, 0x001F, 0xFFFF};
    std::copy(werte, werte + 4, a->bitmap->pixel16());
    std::vector<u8> tga;
    ASSERT_TRUE(Tga_Schreiben(tga, a.get()));
    Rastport_Bild b = halten(Tga_Rastport_Puffer(tga.data(), static_cast<u32>(tga.size()), 16));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->bitmap->pixel16()[0] & 0xF800, 0xF800);
    tga[17] = 0;
    Rastport_Bild c = halten(Tga_Rastport_Puffer(tga.data(), static_cast<u32>(tga.size()), 16));
    EXPECT_EQ(c->bitmap->pixel16()[2] & 0xF800, 0xF800);
    jeder_praefix_abgelehnt(
        tga, [](const u8* p, size_t n) { return halten(Tga_Rastport_Puffer(p, static_cast<u32>(n), 16)) != nullptr; });

    // 24- and 32-bit TGA: blue, green, red (and alpha) per pixel.
    for (u8 bits : {24, 32}) {
        std::vector<u8> t = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, bits, 0x20, 0, 0, 255, 255};
        t.resize(18 + bits / 8);
        Rastport_Bild p = halten(Tga_Rastport_Puffer(t.data(), static_cast<u32>(t.size()), 16));
        ASSERT_TRUE(p) << +bits;
        EXPECT_EQ(p->bitmap->pixel16()[0], 0xF800) << +bits;
    }

    // BMP 24-bit, bottom-up; RLE refused.
    std::vector<u8> bmp;
    bytes::Schreiber s{bmp};
    s.bytes("BM", 2), s(u32{70}), s(u32{0}), s(u32{54});
    s(u32{40}), s(i32{2}), s(i32{2}), s(u16{1}), s(u16{24}), s(u32{0}), s(u32{16}), s(u32{0}), s(u32{0}), s(u32{0}),
        s(u32{0});
    for (u8 v : {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}) s(v);
    Rastport_Bild m = halten(Bmp_Rastport_Puffer(bmp.data(), static_cast<u32>(bmp.size()), 16));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->bitmap->pixel16()[2], 0xF800);  // the first stored row is the bottom one
    jeder_praefix_abgelehnt(
        bmp, [](const u8* p, size_t n) { return halten(Bmp_Rastport_Puffer(p, static_cast<u32>(n), 16)) != nullptr; });
    bmp[30] = 1;
    EXPECT_EQ(halten(Bmp_Rastport_Puffer(bmp.data(), static_cast<u32>(bmp.size()), 16)), nullptr);

    // JPEG through the codec: packed in a surface, decoded on first lock; depth 8 fails.
    Rastport_Bild j = halten(Rastport_Neu_Einfach(16, 16, 16));
    for (int i = 0; i < 256; ++i) j->bitmap->pixel16()[i] = Farbe_Pack_565(i, 128, 255 - i);
    std::vector<u8> jpg;
    ASSERT_TRUE(
        Jpeg_Schreiben_Puffer(j->bitmap->pixel16(), 16, 16, 16, 4, 150, jpg));  // selector 4 -> 1, quality 150 -> 49
    std::vector<u8> jpg49;
    ASSERT_TRUE(Jpeg_Schreiben_Puffer(j->bitmap->pixel16(), 16, 16, 16, 1, 49, jpg49));
    EXPECT_EQ(jpg, jpg49);
    Rastport_Bild k = halten(Jpeg_Rastport_Puffer(jpg.data(), static_cast<u32>(jpg.size()), 16));
    ASSERT_TRUE(k);
    EXPECT_FALSE(k->bitmap->hat_pixel());
    EXPECT_EQ(Rastport_Lock(k.get()), 1);
    u8 r, g, bb;
    Farbe_Get_RGB(k->bitmap->pixel16()[5 * 16 + 5], 16, &r, &g, &bb);
    EXPECT_NEAR(g, 128, 24);
    EXPECT_EQ(halten(Jpeg_Lesen_Puffer(jpg.data(), static_cast<u32>(jpg.size()), 8)), nullptr);
    jpg.resize(jpg.size() / 2);
    Rastport_Bild kaputt = halten(Jpeg_Rastport_Puffer(jpg.data(), static_cast<u32>(jpg.size()), 16));
    if (kaputt) {
        EXPECT_EQ(Rastport_Lock(kaputt.get()), 0);
    }
}

}  // namespace
