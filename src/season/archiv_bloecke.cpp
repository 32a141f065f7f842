#include "season/archiv_bloecke.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

Archiv_Bloecke::Archiv_Bloecke(u32 jahre, u32 gruppen, u32 (*gruppe_von)(u32))
    : jahre_(jahre), gruppe_von_(gruppe_von), groesster_(gruppen, 0) {}

const Archiv_Bloecke::Eintrag* Archiv_Bloecke::Finden(u32 schluessel) const {
    auto it = std::lower_bound(index_.begin(), index_.end(), schluessel,
                               [](const Eintrag& e, u32 k) { return e.schluessel < k; });
    return it != index_.end() && it->schluessel == schluessel ? &*it : nullptr;
}

void Archiv_Bloecke::verschieben(u32 von, u32 nach, u32 laenge) {
    if (von != nach && laenge) std::memmove(arena_.data() + nach, arena_.data() + von, laenge);
}

void Archiv_Bloecke::platz_schaffen(size_t dazu) {
    size_t ziel = std::max(std::min(geplant_, ARCHIV_VORRAT_MAX), belegt_ + dazu);
    if (ziel <= arena_.size()) return;
    // Past the planned history (more tables in a season than planned for)
    // the arena grows by a quarter at a time.
    if (belegt_ + dazu > geplant_) ziel = std::max(ziel, arena_.size() + arena_.size() / 4);
    arena_.reserve(ziel);
    arena_.resize(ziel, 0);
}

bool Archiv_Bloecke::Einfuegen(u32 schluessel, const u8* daten, u32 laenge) {
    const u32 gruppe = gruppe_von_(schluessel);
    if (gruppe >= groesster_.size()) return false;
    auto it = std::lower_bound(index_.begin(), index_.end(), schluessel,
                               [](const Eintrag& e, u32 k) { return e.schluessel < k; });
    if (it != index_.end() && it->schluessel == schluessel) return false;
    if (belegt_ + laenge > UINT32_MAX) return false;
    const size_t stelle = static_cast<size_t>(it - index_.begin());
    if (!groesster_[gruppe] && laenge) {
        // A new group: room in the index for its history.
        ++gruppen_da_;
        index_.reserve(std::max(index_.size() + 1, static_cast<size_t>(gruppen_da_) * jahre_));
    }
    if (laenge > groesster_[gruppe]) {
        geplant_ += static_cast<size_t>(laenge - groesster_[gruppe]) * jahre_;
        groesster_[gruppe] = laenge;
    }
    platz_schaffen(laenge);
    // The blocks after the new one move up by its length.
    const u32 anfang = stelle < index_.size() ? index_[stelle].anfang : static_cast<u32>(belegt_);
    verschieben(anfang, anfang + laenge, static_cast<u32>(belegt_ - anfang));
    for (size_t i = stelle; i < index_.size(); ++i) index_[i].anfang += laenge;
    if (laenge) std::memcpy(arena_.data() + anfang, daten, laenge);
    index_.insert(index_.begin() + static_cast<std::ptrdiff_t>(stelle), Eintrag{schluessel, anfang, laenge});
    belegt_ += laenge;
    return true;
}

void Archiv_Bloecke::Leeren() {
    std::vector<Eintrag>().swap(index_);
    std::vector<u8>().swap(arena_);
    std::fill(groesster_.begin(), groesster_.end(), 0);
    belegt_ = geplant_ = 0;
    gruppen_da_ = 0;
}

void Archiv_Bloecke::Tauschen(Archiv_Bloecke& b) {
    std::swap(jahre_, b.jahre_);
    std::swap(gruppe_von_, b.gruppe_von_);
    index_.swap(b.index_);
    arena_.swap(b.arena_);
    std::swap(belegt_, b.belegt_);
    groesster_.swap(b.groesster_);
    std::swap(geplant_, b.geplant_);
    std::swap(gruppen_da_, b.gruppen_da_);
}
