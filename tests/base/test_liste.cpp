// The list container: insert positions, finding, walking, deleting, the
// registry, the memory image and the save-game form.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/datei.h"
#include "base/debug.h"
#include "base/liste.h"
#include "base/memory.h"

namespace {

// Fills every free registry row; returns how many heads it took.
size_t Registry_Fuellen(std::vector<Liste_Kopf>& viele) {
    viele.assign(LISTE_MAX_LISTEN, Liste_Kopf{});
    size_t n = 0;
    while (n < viele.size() && Liste_Init(&viele[n])) ++n;
    return n;
}

// Loads a list from the bytes through a memory stream.
bool Laden(Liste_Kopf* l, const std::vector<u8>& b, u32 n) {
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(b.data(), n);
    const bool ok = Liste_Load(l, d);
    Datei_Schliessen(d);
    return ok;
}

class Liste : public ::testing::Test {
  protected:
    void SetUp() override {
        bloecke_ = W32_Memory_Anzahl_Bloecke();
        ASSERT_TRUE(Liste_Init(&liste));
    }
    void TearDown() override {
        Liste_Freigeben(&liste);
        EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), bloecke_) << "nodes leaked";
    }
    // The ids in list order, checked against the backward links too.
    std::vector<u32> Ids(const Liste_Kopf& l) {
        std::vector<u32> ids;
        const Liste_Element* vorher = nullptr;
        for (Liste_Element* e = Liste_First_Element(&l); e != nullptr; e = Liste_Next_Element(e)) {
            EXPECT_EQ(e->previous, vorher);
            ids.push_back(e->id);
            vorher = e;
        }
        EXPECT_EQ(Liste_Last_Element(&l), vorher);
        EXPECT_EQ(ids.size(), l.anzahl);
        return ids;
    }
    Liste_Kopf liste{};
    u32 bloecke_ = 0;
};

// After null: the new first node; after a node: right behind it. The
// payload is copied (aligned to 16) or zeroed; Find gives the first node of an id.
TEST_F(Liste, InsertPositionsPayloadsAndFind) {
    const char text[] = "Elfmeter";
    Liste_Element* a = Liste_Insert_Element(&liste, nullptr, text, sizeof text, 1);
    Liste_Element* b = Liste_Insert_Element(&liste, nullptr, nullptr, 4, 2);  // before a
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Ids(liste), (std::vector<u32>{2, 1}));
    EXPECT_NE(a->data, static_cast<const void*>(text));
    EXPECT_STREQ(static_cast<char*>(a->data), "Elfmeter");
    EXPECT_EQ(a->size, sizeof text);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a->data) % 16, 0u);
    Liste_Element* z = Liste_Insert_Element(&liste, b, nullptr, 100, 3);  // between b and a
    EXPECT_EQ(std::vector<u8>(static_cast<u8*>(z->data), static_cast<u8*>(z->data) + 100), std::vector<u8>(100, 0));
    Liste_Insert_Element(&liste, a, nullptr, 4, 1);  // after the last, a second id 1
    EXPECT_EQ(Ids(liste), (std::vector<u32>{2, 3, 1, 1}));
    EXPECT_EQ(Liste_Find_Element(&liste, 1), a);
    EXPECT_EQ(Liste_Find_Element(&liste, 2), b);
    EXPECT_EQ(Liste_Find_Element(&liste, 7), nullptr);
    // Loader style: each after the previous keeps the order.
    Liste_Kopf zweite{};
    ASSERT_TRUE(Liste_Init(&zweite));
    Liste_Element* letzter = nullptr;
    for (u32 id = 10; id < 15; ++id) letzter = Liste_Insert_Element(&zweite, letzter, nullptr, 0, id);
    EXPECT_EQ(Ids(zweite), (std::vector<u32>{10, 11, 12, 13, 14}));
    // A node of another list is refused.
    EXPECT_EQ(Liste_Insert_Element(&liste, letzter, nullptr, 4, 99), nullptr);
    EXPECT_EQ(liste.anzahl, 4u);
    Liste_Freigeben(&zweite);
}

TEST_F(Liste, DeleteKeepsTheLinksRight) {
    std::vector<Liste_Element*> e;
    for (u32 id = 1; id <= 5; ++id)
        e.push_back(Liste_Insert_Element(&liste, e.empty() ? nullptr : e.back(), nullptr, 8, id));
    EXPECT_TRUE(Liste_Delete_Element(&liste, e[0]));  // first
    EXPECT_TRUE(Liste_Delete_Element(&liste, e[4]));  // last
    EXPECT_TRUE(Liste_Delete_Element(&liste, e[2]));  // middle
    EXPECT_EQ(Ids(liste), (std::vector<u32>{2, 4}));
    EXPECT_FALSE(Liste_Delete_Element(&liste, nullptr));
    Liste_Kopf andere{};
    ASSERT_TRUE(Liste_Init(&andere));
    Liste_Element* fremd = Liste_Insert_Element(&andere, nullptr, nullptr, 0, 1);
    EXPECT_FALSE(Liste_Delete_Element(&liste, fremd));
    EXPECT_EQ(andere.anzahl, 1u);
    Liste_Freigeben(&andere);

    Liste_Delete_All(&liste);
    EXPECT_EQ(Ids(liste), std::vector<u32>{});
    EXPECT_EQ(Liste_First_Element(&liste), nullptr);
    // Still valid after Delete_All.
    EXPECT_NE(Liste_Insert_Element(&liste, nullptr, nullptr, 0, 1), nullptr);
}

TEST_F(Liste, UnregisteredHeadsAreRefused) {
    Liste_Kopf nie{};
    EXPECT_FALSE(Liste_Gueltig(&nie));
    EXPECT_EQ(Liste_Insert_Element(&nie, nullptr, nullptr, 4, 1), nullptr);
    EXPECT_EQ(Liste_First_Element(&nie), nullptr);
    EXPECT_EQ(Liste_Find_Element(&nie, 1), nullptr);
    Liste_Delete_All(&nie);
    EXPECT_EQ(Liste_Insert_Element(nullptr, nullptr, nullptr, 4, 1), nullptr);
    EXPECT_EQ(Liste_Next_Element(nullptr), nullptr);

    Liste_Kopf weg{};
    ASSERT_TRUE(Liste_Init(&weg));
    Liste_Insert_Element(&weg, nullptr, nullptr, 4, 1);
    Liste_Freigeben(&weg);  // nodes freed, head unregistered
    EXPECT_FALSE(Liste_Gueltig(&weg));
    EXPECT_EQ(Liste_Insert_Element(&weg, nullptr, nullptr, 4, 1), nullptr);
}

TEST_F(Liste, ReinitEmptiesAndRegistryHoldsAThousandLists) {
    Liste_Insert_Element(&liste, nullptr, nullptr, 4, 1);
    const u32 nummer = liste.nummer;
    ASSERT_TRUE(Liste_Init(&liste));  // again: same row, nodes freed
    EXPECT_EQ(liste.nummer, nummer);
    EXPECT_EQ(liste.anzahl, 0u);

    std::vector<Liste_Kopf> viele;
    const size_t n = Registry_Fuellen(viele);
    EXPECT_LT(n, static_cast<size_t>(LISTE_MAX_LISTEN));  // 'liste' holds one row already
    Debug_Mitschnitt log;
    Liste_Kopf eine_zu_viel{};
    EXPECT_FALSE(Liste_Init(&eine_zu_viel));
    EXPECT_TRUE(log.Enthaelt("Liste_Init"));
    Liste_Freigeben(&viele[0]);
    EXPECT_TRUE(Liste_Init(&eine_zu_viel));  // a freed row can be used again
    Liste_Freigeben(&eine_zu_viel);
    for (size_t i = 1; i < n; ++i) Liste_Freigeben(&viele[i]);
}

// A list 1, 2, 3 with small payloads, and its exact image.
void Fuellen(Liste_Kopf& l) {
    Liste_Element* e = Liste_Insert_Element(&l, nullptr, "AB", 2, 0x11);
    e = Liste_Insert_Element(&l, e, nullptr, 0, 0x22);
    Liste_Insert_Element(&l, e, "xyz", 3, 0x33);
}

std::vector<u8> Erwartetes_Abbild() {
    std::vector<u8> b;
    auto u32le = [&](u32 v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<u8>(v >> (8 * i)));
    };
    auto knoten = [&](u32 id, const char* daten, u32 n) {
        for (u32 feld : {0xFFFFFFFFu, 0u, 0u, 0u, id, n, 0u}) u32le(feld);  // marker, 3 links, id, size, reserved
        for (u32 i = 0; i < n; ++i) b.push_back(static_cast<u8>(daten[i]));
    };
    knoten(0x11, "AB", 2);
    knoten(0x22, "", 0);
    knoten(0x33, "xyz", 3);
    u32le(0xF0F0F0F0);
    return b;
}

TEST_F(Liste, MemoryImageHasTheFixedLayoutAndRoundTrips) {
    Fuellen(liste);
    u32 groesse = 0;
    u8* bild = static_cast<u8*>(Liste_To_Mem(&liste, &groesse));
    ASSERT_NE(bild, nullptr);
    EXPECT_EQ(groesse, Liste_Mem_Groesse(&liste));
    EXPECT_EQ(std::vector<u8>(bild, bild + groesse), Erwartetes_Abbild());

    Liste_Kopf kopie{};
    ASSERT_TRUE(Liste_Init(&kopie));
    Liste_Insert_Element(&kopie, nullptr, nullptr, 0, 0x99);  // replaced by the image
    ASSERT_TRUE(Liste_From_Mem(&kopie, bild, groesse));
    EXPECT_EQ(Ids(kopie), (std::vector<u32>{0x11, 0x22, 0x33}));
    EXPECT_EQ(std::memcmp(Liste_Last_Element(&kopie)->data, "xyz", 3), 0);
    EXPECT_EQ(Liste_Find_Element(&kopie, 0x22)->size, 0u);
    // The rebuilt nodes belong to the copy.
    EXPECT_TRUE(Liste_Delete_Element(&kopie, Liste_Find_Element(&kopie, 0x22)));
    Liste_Freigeben(&kopie);
    W32_Memory_H_Free(bild);

    // An empty list is just the end marker.
    Liste_Kopf leer{};
    ASSERT_TRUE(Liste_Init(&leer));
    u8* nichts = static_cast<u8*>(Liste_To_Mem(&leer, &groesse));
    EXPECT_EQ(groesse, 4u);
    EXPECT_EQ(get_u32le(nichts), 0xF0F0F0F0u);
    EXPECT_TRUE(Liste_From_Mem(&liste, nichts, groesse));
    EXPECT_EQ(liste.anzahl, 0u);
    W32_Memory_H_Free(nichts);
    Liste_Freigeben(&leer);
}

TEST_F(Liste, MalformedImagesAreRefusedAndTheListIsKept) {
    Liste_Insert_Element(&liste, nullptr, "alt", 3, 0x77);
    const std::vector<u8> gut = Erwartetes_Abbild();
    Debug_Mitschnitt log;
    std::vector<std::vector<u8>> kaputt;
    for (size_t n = 0; n < gut.size(); ++n) kaputt.emplace_back(gut.begin(), gut.begin() + n);  // every truncation
    kaputt.push_back(gut);
    kaputt.back().push_back(0);  // bytes after the end marker
    kaputt.push_back(gut);
    kaputt.back()[30 + 2] = 0xFE;                                     // the second node's marker
    for (u32 falsch : {4u, 0x7FFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFE0u}) {  // a payload size past the end, or absurd
        kaputt.push_back(gut);
        put_u32le(kaputt.back().data() + 20, falsch);
    }
    for (size_t i = 0; i < kaputt.size(); ++i) {
        EXPECT_FALSE(Liste_From_Mem(&liste, kaputt[i].data(), static_cast<u32>(kaputt[i].size()))) << i;
        ASSERT_EQ(Ids(liste), std::vector<u32>{0x77}) << i;
    }
    EXPECT_FALSE(Liste_From_Mem(&liste, nullptr, 4));
    EXPECT_EQ(Ids(liste), std::vector<u32>{0x77});
    EXPECT_STREQ(std::string(static_cast<char*>(Liste_First_Element(&liste)->data), 3).c_str(), "alt");
    EXPECT_TRUE(log.Enthaelt("Liste_From_Mem"));
}

TEST_F(Liste, SaveAndLoadThroughTheStream) {
    Fuellen(liste);
    Datei_Status* s = Datei_Oeffnen_Speicher();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(Liste_Save(&liste, s));
    u32 groesse = 0;
    const u8* daten = Datei_Speicher_Daten(s, &groesse);
    const std::vector<u8> gespeichert(daten, daten + groesse);
    Datei_Schliessen(s);
    // 20-byte head (pointers 0, count, 0, check word), then the image.
    ASSERT_EQ(groesse, 20 + Erwartetes_Abbild().size());
    EXPECT_EQ(get_u32le(&gespeichert[8]), 3u);
    EXPECT_EQ(get_u32le(&gespeichert[16]), LISTE_MAGIC);
    EXPECT_EQ(std::vector<u8>(gespeichert.begin() + 20, gespeichert.end()), Erwartetes_Abbild());

    Liste_Kopf geladen{};
    ASSERT_TRUE(Liste_Init(&geladen));
    ASSERT_TRUE(Laden(&geladen, gespeichert, groesse));
    EXPECT_EQ(Ids(geladen), (std::vector<u32>{0x11, 0x22, 0x33}));
    EXPECT_EQ(std::memcmp(Liste_First_Element(&geladen)->data, "AB", 2), 0);

    // Every truncated stream is refused and the list keeps its nodes.
    for (u32 n = 0; n < groesse; ++n) {
        EXPECT_FALSE(Laden(&geladen, gespeichert, n)) << n;
        ASSERT_EQ(geladen.anzahl, 3u);
    }
    // A count that does not match the nodes.
    std::vector<u8> falsch = gespeichert;
    put_u32le(&falsch[8], 2);
    EXPECT_FALSE(Laden(&geladen, falsch, groesse));
    // Loading needs no registry row of its own: it works with a full registry.
    std::vector<Liste_Kopf> viele;
    const size_t n = Registry_Fuellen(viele);
    EXPECT_TRUE(Laden(&geladen, gespeichert, groesse));
    for (size_t i = 0; i < n; ++i) Liste_Freigeben(&viele[i]);
    // A payload size beyond the rest of the stream is refused before any allocation.
    std::vector<u8> gross = gespeichert;
    put_u32le(&gross[20 + 20], 60u * 1024 * 1024);
    EXPECT_FALSE(Laden(&geladen, gross, groesse));
    EXPECT_EQ(geladen.anzahl, 3u);

    EXPECT_FALSE(Liste_Save(&liste, nullptr));
    EXPECT_FALSE(Liste_Load(&geladen, nullptr));
    Liste_Freigeben(&geladen);
}

}  // namespace
