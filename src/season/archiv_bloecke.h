// The blocks of the season archive: an index sorted by key and one arena
// holding the blocks' bytes in key order, each at its real size (no node
// and no allocation per table). The arena is laid out for a whole history
// when a group's first block comes: each group (a competition) gets room
// for `jahre` blocks of its largest size so far, so that the seasons'
// tables fill the arena without it growing, and old tables dropped make
// room for new ones.
#pragma once

#include <cstddef>
#include <vector>

#include "base/types.h"

// The room laid out ahead is held to this (a history of real tables takes
// some hundred kB; the sizes a damaged save claims do not make the arena):
// past it the arena grows with what is stored.
constexpr size_t ARCHIV_VORRAT_MAX = size_t{32} << 20;

class Archiv_Bloecke {
  public:
    struct Eintrag {
        u32 schluessel, anfang, laenge;
    };
    // jahre: blocks a group keeps at once; gruppe_von: the group of a key
    // (below gruppen).
    Archiv_Bloecke(u32 jahre, u32 gruppen, u32 (*gruppe_von)(u32 schluessel));

    const Eintrag* Finden(u32 schluessel) const;
    const u8* Daten(const Eintrag& e) const { return arena_.data() + e.anfang; }
    // Stores a block under a new key (false when the key is taken or the
    // group is out of range; nothing changes then).
    bool Einfuegen(u32 schluessel, const u8* daten, u32 laenge);
    // Removes every block whose key the test picks; the arena keeps its size.
    template <class F>
    void Entfernen_Wenn(F&& weg) {
        std::vector<Eintrag> rest;
        rest.reserve(index_.size());
        u32 ziel = 0;
        for (const Eintrag& e : index_) {
            if (weg(e.schluessel)) continue;
            verschieben(e.anfang, ziel, e.laenge);
            rest.push_back({e.schluessel, ziel, e.laenge});
            ziel += e.laenge;
        }
        index_.swap(rest);
        belegt_ = ziel;
    }
    // Empties the archive and gives its memory back.
    void Leeren();
    void Tauschen(Archiv_Bloecke& b);

    const std::vector<Eintrag>& Index() const { return index_; }
    size_t Anzahl() const { return index_.size(); }
    bool Leer() const { return index_.empty(); }
    // Bytes in use and bytes the arena holds.
    size_t Belegt() const { return belegt_; }
    size_t Vorrat() const { return arena_.size(); }

  private:
    void verschieben(u32 von, u32 nach, u32 laenge);
    // The arena made large enough for every group's history and for `dazu`
    // more bytes.
    void platz_schaffen(size_t dazu);

    u32 jahre_;
    u32 (*gruppe_von_)(u32);
    std::vector<Eintrag> index_;
    std::vector<u8> arena_;        // its whole size is written (the memory is held)
    size_t belegt_ = 0;            // bytes in use from the arena's start
    std::vector<u32> groesster_;   // per group: its largest block
    size_t geplant_ = 0;           // the history's bytes: jahre x the groups' largest blocks
    u32 gruppen_da_ = 0;           // groups with a block so far
};
