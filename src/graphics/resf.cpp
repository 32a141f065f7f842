// Resource archives (see resf.h).
#include "graphics/resf.h"

#include <pthread.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <thread>

#include "base/bytes.h"
#include "base/compress.h"
#include "base/files.h"
#include "base/settings.h"
#include "graphics/font.h"
#include "platform/errorbox.h"

namespace {

struct Resf_Slot {
    bool belegt = false;
    FILE* datei = nullptr;
    u32 groesse = 0;
    i32 basis = 0;
    std::string name;
    std::vector<u32> typ, offset, ende;
};
Resf_Slot slots[RESF_SLOTS];

const char* const standard_namen[RESF_SPIEL_ARCHIVE] = {
    "menue_res.res",       "global_res.res",      "pilo_res.res",        "tavesk_res.res",      "rumo_res.res",
    "bexot_res.res",       "dolv_res.res",        "sefu_res.res",        "wappen.res",          "mausres.res",
    "fontres.res",         "grafikres.res",       "stadion_gfx.res",     "rasen_hg.res",        "rasen_hg_sprite.res",
    "rasen_tribuenen.res", "stadion_bitmaps.res", "stadion_sprites.res", "spieler_gesicht.res", "stadion_menue.res",
    "stadion_sound.res",   "menue_sound.res"};

i32 spiel_slots[RESF_SPIEL_ARCHIVE];
bool spiel_offen = false;
u32 stand = 1;

// A packed entry's zlib block unpacked into `klar`; false for a damaged
// block or a head that promises more than zlib can give from its data
// (about 1032 bytes from one).
bool entpacken(const std::vector<u8>& roh, std::vector<u8>& klar) {
    if (roh.size() < ZLIB_KOPF_GROESSE) return false;
    bytes::Leser k(roh.data(), ZLIB_KOPF_GROESSE);
    const u32 soll = k.u32_(), gepackt = k.u32_();
    if (soll == 0 || soll > RESF_ENTPACKT_MAX || gepackt > roh.size() - ZLIB_KOPF_GROESSE || soll / 1032 > gepackt)
        return false;
    klar.resize(soll);
    return W32_Cmp_Zlib_Unpack_Sicher(roh.data(), static_cast<u32>(roh.size()), klar.data(), soll) == soll;
}

}  // namespace

std::vector<u8> Resf_Eintrag_Packen(const std::vector<u8>& daten) {
    if (daten.empty() || daten.size() > RESF_ENTPACKT_MAX) return {};
    std::vector<u8> block(daten.size() + ZLIB_KOPF_GROESSE);
    const u32 n = W32_Cmp_Zlib_Pack(daten.data(), block.data(), static_cast<u32>(daten.size()));
    if (n == 0 || n > daten.size() - daten.size() / 4) return {};
    block.resize(n);
    return block;
}

u32 Resf_Stand() { return stand; }

i32 Resf_Oeffnen(const char* name, i32 basis) {
    i32 frei = -1;
    for (i32 i = 0; i < RESF_SLOTS && frei < 0; ++i)
        if (!slots[i].belegt) frei = i;
    if (frei < 0 || !name) return -1;
    FILE* f = std::fopen(W32_Pfad_Uebersetzen(name).c_str(), "rb");
    if (!f) {
        Grafik_Fehler_Setzen("Archiv %s nicht gefunden", name);
        return -1;
    }
    Resf_Slot s;
    s.datei = f;
    s.basis = basis;
    s.name = name;
    std::fseek(f, 0, SEEK_END);
    const long laenge = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    u8 kopf[12];
    bool ok =
        laenge >= 12 && laenge < 0x7FFFFFFF && std::fread(kopf, 1, 12, f) == 12 && std::memcmp(kopf, "RESF", 4) == 0;
    if (ok) {
        s.groesse = static_cast<u32>(laenge);
        bytes::Leser l(kopf + 4, 8);
        const u32 n = l.u32_(), verz = l.u32_();
        ok = verz >= 12 && verz <= s.groesse && n <= (s.groesse - verz) / 8;
        std::vector<u8> d(ok ? static_cast<size_t>(n) * 8 : 0);  // only once n fits the file
        ok = ok && std::fseek(f, static_cast<long>(verz), SEEK_SET) == 0 &&
             std::fread(d.data(), 1, d.size(), f) == d.size();
        if (ok) {
            bytes::Leser v(d.data(), d.size());
            for (u32 i = 0; i < n; ++i) {
                s.typ.push_back(v.u32_());
                s.offset.push_back(v.u32_());
                if (s.offset.back() > s.groesse) ok = false;
            }
        }
        if (ok) {
            // An entry ends where the next piece of the file begins: every
            // entry lies inside the file, so no entry's bytes are sized past it.
            std::vector<u32> grenzen(s.offset);
            grenzen.push_back(verz);
            grenzen.push_back(s.groesse);
            std::sort(grenzen.begin(), grenzen.end());
            s.ende.resize(n);
            for (u32 i = 0; i < n; ++i) {
                auto it = std::upper_bound(grenzen.begin(), grenzen.end(), s.offset[i]);
                s.ende[i] = it == grenzen.end() ? s.groesse : *it;
            }
        }
    }
    if (!ok) {
        Grafik_Fehler_Setzen("Archiv %s ist kein gültiges RESF-Archiv", name);
        std::fclose(f);
        return -1;
    }
    s.belegt = true;
    slots[frei] = std::move(s);
    ++stand;
    return frei;
}

i32 Resf_Schliessen(i32 slot) {
    if (Resf_Slot_Gueltig(slot)) {
        std::fclose(slots[slot].datei);
        slots[slot] = Resf_Slot{};
        ++stand;
    }
    return -1;
}

bool Resf_Slot_Gueltig(i32 slot) { return slot >= 0 && slot < RESF_SLOTS && slots[slot].belegt; }

bool Resf_Eintrag_Gueltig(i32 slot, i32 eintrag) {
    if (!Resf_Slot_Gueltig(slot)) return false;
    const i64 e = static_cast<i64>(eintrag) + slots[slot].basis;
    return e >= 0 && e < static_cast<i64>(slots[slot].typ.size());
}

i32 Resf_Anzahl(i32 slot) { return Resf_Slot_Gueltig(slot) ? static_cast<i32>(slots[slot].typ.size()) : 0; }

bool Resf_Eintrag_Daten(i32 slot, i32 eintrag, i16* typ, std::vector<u8>& daten) {
    if (!Resf_Eintrag_Gueltig(slot, eintrag)) return false;
    Resf_Slot& s = slots[slot];
    const size_t e = static_cast<size_t>(eintrag + s.basis);
    if (typ) *typ = static_cast<i16>(s.typ[e] & 0xFFFF);
    // Read from the file when asked for: an open archive holds nothing but
    // its directory.
    std::vector<u8> roh;
    std::vector<u8>& ziel = s.typ[e] & RESF_GEPACKT ? roh : daten;
    ziel.resize(s.ende[e] - s.offset[e]);
    const bool gelesen = std::fseek(s.datei, static_cast<long>(s.offset[e]), SEEK_SET) == 0 &&
                         std::fread(ziel.data(), 1, ziel.size(), s.datei) == ziel.size();
    if (!(s.typ[e] & RESF_GEPACKT)) return gelesen;
    if (gelesen && entpacken(roh, daten)) return true;
    daten.clear();
    Grafik_Fehler_Setzen("Archiv %s: gepackter Eintrag %d ist beschädigt", s.name.c_str(), eintrag);
    return false;
}

bool Resf_Eintrag_Ort(i32 slot, i32 eintrag, Resf_Ort* ort) {
    if (!ort || !Resf_Eintrag_Gueltig(slot, eintrag)) return false;
    const Resf_Slot& s = slots[slot];
    const size_t e = static_cast<size_t>(eintrag + s.basis);
    ort->pfad = W32_Pfad_Uebersetzen(s.name.c_str());
    ort->offset = s.offset[e];
    ort->laenge = s.ende[e] - s.offset[e];
    ort->typ = static_cast<i16>(s.typ[e] & 0xFFFF);
    ort->gepackt = (s.typ[e] & RESF_GEPACKT) != 0;
    return true;
}

bool Resf_Ort_Lesen(const Resf_Ort& ort, std::vector<u8>& daten) {
    std::vector<u8> roh;
    std::vector<u8>& ziel = ort.gepackt ? roh : daten;
    FILE* f = std::fopen(ort.pfad.c_str(), "rb");
    if (!f) return false;
    ziel.resize(ort.laenge);
    const bool gelesen = std::fseek(f, static_cast<long>(ort.offset), SEEK_SET) == 0 &&
                         std::fread(ziel.data(), 1, ziel.size(), f) == ziel.size();
    std::fclose(f);
    if (!gelesen) return false;
    return !ort.gepackt || entpacken(roh, daten);
}

void* Resf_Lade_Eintrag(i32 slot, i32 eintrag, i32 tiefe, void* extra) {
    i16 typ = 0;
    std::vector<u8> d;
    if (!Resf_Eintrag_Daten(slot, eintrag, &typ, d)) return nullptr;
    bytes::Leser l(d.data(), d.size());
    switch (typ) {
        case RESF_BILD: return Rastport_Lesen(l);
        case RESF_BLOB: {
            const u32 n = l.u32_();
            if (l.fehler || n > d.size() - 4) {
                Grafik_Fehler_Setzen("Archiv: Block %d ist abgeschnitten", eintrag);
                return nullptr;
            }
            u8* blob = new u8[n ? n : 1];
            std::memcpy(blob, d.data() + 4, n);
            if (extra) *static_cast<u32*>(extra) = n;
            return blob;
        }
        case RESF_FONT: return Font_Lesen(l, tiefe);
        case RESF_SPRITE: {
            u32 kopf[6];
            for (u32& k : kopf) k = l.u32_();
            auto sp = Rle_Sprite_Lesen(l, kopf[5]);
            if (!sp) return nullptr;
            // Negated in unsigned arithmetic: a stored 0x80000000 must not overflow.
            sp->x_korrektur = static_cast<i16>(static_cast<u16>(0u - kopf[2]));
            sp->y_korrektur = static_cast<i16>(static_cast<u16>(0u - kopf[3]));
            if (extra == RESF_NUR_SPRITE) return sp.release();
            Rastport* rp = Rastport_Neu(sp->breite, sp->hoehe, 16, 3, 0);
            if (rp) rp->sprite = std::move(sp);
            return rp;
        }
        default: return nullptr;
    }
}

namespace {

// The unpacking worker: a few threads that read pictures from entry bytes the
// frame copied for it and unpacks their pixels. It touches nothing but its
// jobs, so an archive may close while it works: every job carries the
// archives' count it was made under, and what belongs to an older count is
// thrown away as soon as the frame asks under a newer one.
class Vorab {
  public:
    struct Schluessel {
        i32 slot, eintrag;
        u32 stand;
        auto operator<=>(const Schluessel&) const = default;
    };

    Vorab() {
        // A forked child has none of the workers: it drops what they were
        // at (a load then does it in the frame) and starts its own.
        pthread_atfork([] { vorab_selbst->m_.lock(); }, [] { vorab_selbst->m_.unlock(); },
                       [] {
                           Vorab& v = *vorab_selbst;
                           new (&v.m_) std::mutex();
                           new (&v.cv_) std::condition_variable();
                           for (auto& f : v.faeden_) (void)f.release();  // threads of the parent
                           v.faeden_.clear();
                           v.dringend_.clear();
                           v.auftraege_.clear();
                           for (auto& [k, e] : v.einmal_) e.fertig = true;
                       });
    }
    ~Vorab() {
        {
            std::lock_guard<std::mutex> l(m_);
            ende_ = true;
        }
        cv_.notify_all();
        for (auto& f : faeden_) f->join();
    }
    static inline Vorab* vorab_selbst = nullptr;

    // Hands the entry's bytes to the worker. A picture to be kept stays in
    // the worker's store once it is read and is lent out as copies; any
    // other waits there to be taken once.
    void auftrag(const Schluessel& k, std::vector<u8>&& bytes, bool halten = false) {
        std::lock_guard<std::mutex> l(m_);
        neuer_stand(k.stand);
        if (faeden_.empty()) {
            // A few threads: one big picture takes a while, and the frame
            // may ask for several before it takes the first.
            const unsigned n = std::clamp(std::thread::hardware_concurrency(), 2u, 4u) - 1;
            for (unsigned i = 0; i < n; ++i) faeden_.push_back(std::make_unique<std::thread>([this] { arbeiten(); }));
        }
        // What a frame waits for goes before what is only kept.
        auto& schlange = halten ? auftraege_ : dringend_;
        schlange.push_back({k, std::move(bytes), halten});
        schlange.back().bytes.shrink_to_fit();
        if (!halten) einmal_[k] = Eintrag{};
        cv_.notify_one();
    }
    // Whether the entry was handed over to be taken once: *fertig when the
    // worker is done with it.
    bool bekannt(const Schluessel& k, bool* fertig) {
        std::lock_guard<std::mutex> l(m_);
        neuer_stand(k.stand);
        if (gehalten_.count(k)) {
            *fertig = true;
            return true;
        }
        const auto it = einmal_.find(k);
        if (it == einmal_.end()) return false;
        *fertig = it->second.fertig;
        return true;
    }
    // The entry's picture to be taken once, waiting for the worker when it
    // is still at it; else the kept one read anew from its entry's bytes
    // (never waited for), its pixels unpacked. Null when there is neither
    // or the worker could not read it.
    Rastport* nehmen(const Schluessel& k) {
        std::vector<u8> roh;
        {
            std::unique_lock<std::mutex> l(m_);
            neuer_stand(k.stand);
            if (einmal_.count(k)) {
                cv_.wait(l, [&] { return einmal_.at(k).fertig; });
                const auto it = einmal_.find(k);
                Rastport* rp = it->second.bild.release();
                einmal_.erase(it);
                return rp;
            }
            const auto it = gehalten_.find(k);
            if (it == gehalten_.end()) return nullptr;
            roh = it->second;
        }
        // The worker read these bytes and found the packed pixels whole.
        bytes::Leser leser(roh.data(), roh.size());
        Rastport_Bild kopie(Rastport_Lesen(leser));
        if (kopie && kopie->bitmap) Rastport_Bitmap_Entpacken(kopie->bitmap.get());
        return kopie.release();
    }
    size_t anzahl() {
        std::lock_guard<std::mutex> l(m_);
        return einmal_.size();
    }
    size_t gehalten() {
        std::lock_guard<std::mutex> l(m_);
        return gehalten_.size();
    }

  private:
    struct Auftrag {
        Schluessel k;
        std::vector<u8> bytes;
        bool halten = false;
    };
    struct Eintrag {
        bool fertig = false;
        Rastport_Bild bild;
    };


    // Asked under a newer archives' count: everything of the older goes
    // (the job at the worker is thrown away when it is done).
    void neuer_stand(u32 jetzt) {
        if (jetzt == stand_) return;
        stand_ = jetzt;
        einmal_.clear();
        gehalten_.clear();
        std::erase_if(auftraege_, [&](const Auftrag& a) { return a.k.stand != jetzt; });
        std::erase_if(dringend_, [&](const Auftrag& a) { return a.k.stand != jetzt; });
    }

    void arbeiten() {
        std::unique_lock<std::mutex> l(m_);
        for (;;) {
            cv_.wait(l, [&] { return ende_ || !dringend_.empty() || !auftraege_.empty(); });
            if (ende_) return;
            auto& schlange = dringend_.empty() ? auftraege_ : dringend_;
            Auftrag a = std::move(schlange.front());
            schlange.pop_front();
            l.unlock();
            Rastport_Bild rp;
            {
                bytes::Leser leser(a.bytes.data(), a.bytes.size());
                rp.reset(Rastport_Lesen(leser));
            }
            // zlib-packed pixels are unpacked here; anything else (or
            // damaged data) is left to the frame's Rastport_Lock. A picture
            // to be kept stays as its entry's bytes (a thousand crests
            // unpacked are ten times their packed size, and their read
            // alpha planes alone twice): it is unpacked on a copy to see
            // that it is whole, and each one lent out is read anew.
            bool ganz = rp != nullptr;
            if (rp && rp->bitmap && rp->bitmap->packart == PACK_ZLIB) {
                if (!a.halten) {
                    Rastport_Bitmap_Entpacken(rp->bitmap.get());
                } else {
                    Rastport_Bitmap probe = *rp->bitmap;
                    ganz = Rastport_Bitmap_Entpacken(&probe) != 0;
                }
            } else if (rp && rp->bitmap) {
                ganz = rp->bitmap->hat_pixel();
            }
            l.lock();
            if (a.k.stand != stand_) continue;  // an older archive's
            if (a.halten) {
                // Kept only when whole: a damaged one loads in the frame.
                if (ganz) gehalten_[a.k] = std::move(a.bytes);
                continue;
            }
            const auto it = einmal_.find(a.k);
            if (it == einmal_.end()) continue;
            it->second = Eintrag{true, std::move(rp)};
            cv_.notify_all();
        }
    }

    std::mutex m_;
    std::condition_variable cv_;
    std::vector<std::unique_ptr<std::thread>> faeden_;
    bool ende_ = false;
    u32 stand_ = 0;  // the archives' count the jobs belong to
    std::deque<Auftrag> dringend_;   // pictures to be taken once
    std::deque<Auftrag> auftraege_;  // pictures to be kept
    std::map<Schluessel, Eintrag> einmal_;          // handed over to be taken once
    std::map<Schluessel, std::vector<u8>> gehalten_;  // entry bytes, kept while their archive stays open
};

Vorab& vorab() {
    static Vorab v;
    Vorab::vorab_selbst = &v;
    return v;
}

}  // namespace

bool Resf_Vorab_Bereit(i32 slot, i32 eintrag) {
    if (!Resf_Eintrag_Gueltig(slot, eintrag)) return true;
    const Vorab::Schluessel k{slot, eintrag, stand};
    bool fertig = false;
    if (vorab().bekannt(k, &fertig)) return fertig;
    i16 typ = 0;
    std::vector<u8> d;
    if (!Resf_Eintrag_Daten(slot, eintrag, &typ, d) || typ != RESF_BILD) return true;
    vorab().auftrag(k, std::move(d));
    return false;
}

size_t Resf_Vorab_Anzahl() { return vorab().anzahl(); }

i32 Resf_Vorab_Halten(i32 slot, i32 von) {
    if (!Resf_Slot_Gueltig(slot)) return 0;
    i32 n = 0;
    for (i32 e = std::max(von, 0); e < Resf_Anzahl(slot) - slots[slot].basis; ++e) {
        i16 typ = 0;
        std::vector<u8> d;
        if (!Resf_Eintrag_Daten(slot, e, &typ, d) || typ != RESF_BILD) continue;
        vorab().auftrag({slot, e, stand}, std::move(d), true);
        ++n;
    }
    return n;
}

size_t Resf_Vorab_Gehalten() { return vorab().gehalten(); }

Rastport* Resf_Lade_Rastport(i32 slot, i32 eintrag) {
    Rastport* rp = nullptr;
    if (Resf_Eintrag_Gueltig(slot, eintrag)) rp = vorab().nehmen({slot, eintrag, stand});
    if (!rp) {
        i16 typ = 0;
        std::vector<u8> d;
        if (!Resf_Eintrag_Daten(slot, eintrag, &typ, d) || (typ != RESF_BILD && typ != RESF_SPRITE)) return nullptr;
        rp = static_cast<Rastport*>(Resf_Lade_Eintrag(slot, eintrag, 16, nullptr));
    }
    if (rp && eintrag >= 0 && eintrag < 4000)
        for (i32 a = 0; a < RESF_SPIEL_ARCHIVE; ++a)
            if (spiel_offen && spiel_slots[a] == slot) rp->grafik = (a + 1) * 4000 + eintrag;
    if (rp) rp->fest = true;
    return rp;
}

bool Resf_Lade_Blob(i32 slot, i32 eintrag, std::vector<u8>& blob) {
    i16 typ = 0;
    std::vector<u8> d;
    if (!Resf_Eintrag_Daten(slot, eintrag, &typ, d) || typ != RESF_BLOB) return false;
    bytes::Leser l(d.data(), d.size());
    const u32 n = l.u32_();
    if (l.fehler || n > d.size() - 4) return false;
    blob.assign(d.begin() + 4, d.begin() + 4 + n);
    return true;
}

const char* Resf_Standard_Name(i32 archiv) {
    return archiv >= 0 && archiv < RESF_SPIEL_ARCHIVE ? standard_namen[archiv] : nullptr;
}

i32 Resf_Init() {
    if (spiel_offen) return 1;
    for (i32& s : spiel_slots) s = -1;
    for (i32 n = 0; n < RESF_SPIEL_ARCHIVE; ++n) {
        char schluessel[16], name[100] = "";
        std::snprintf(schluessel, sizeof schluessel, "res_%d", n);
        if (!W32_Registry_Read(schluessel, name, sizeof name) || !name[0]) {
            std::snprintf(name, sizeof name, "%s", standard_namen[n]);
            W32_Registry_Write(schluessel, name);
        }
        const std::string pfad = std::string(W32_Dir_Tabelle[W32_DIR_RESFILE]) + "/" + name;
        spiel_slots[n] = Resf_Oeffnen(pfad.c_str(), 0);
        if (spiel_slots[n] < 0) {
            W32_Error_Box("Fehler: %s\\%s", W32_Dir_Tabelle[W32_DIR_RESFILE], name);
            spiel_offen = true;
            Resf_Free();
            return 0;
        }
    }
    spiel_offen = true;
    return 1;
}

void Resf_Free() {
    if (!spiel_offen) return;
    for (i32& s : spiel_slots) s = Resf_Schliessen(s);
    spiel_offen = false;
}

i32 Resf_Spiel_Slot(i32 archiv) {
    return spiel_offen && archiv >= 0 && archiv < RESF_SPIEL_ARCHIVE ? spiel_slots[archiv] : -1;
}

bool Resf_Grafik_Nummer(i32 nummer, i32* archiv, i32* eintrag) {
    if (nummer < 4000 || nummer >= 4000 * (RESF_SPIEL_ARCHIVE + 1)) return false;
    *archiv = nummer / 4000 - 1;
    *eintrag = nummer % 4000;
    return true;
}

Rastport* Resf_Grafik_Laden(i32 nummer) {
    i32 a, e;
    if (!Resf_Grafik_Nummer(nummer, &a, &e)) {
        Grafik_Fehler_Setzen("Grafiknummer %d ungültig", nummer);
        return nullptr;
    }
    return Resf_Lade_Rastport(Resf_Spiel_Slot(a), e);
}
