#include "base/memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <unordered_set>

#include "base/debug.h"

// Heap block layout (malloc underneath, so AddressSanitizer sees every block):
//
//   raw + 0    12 unused bytes (keep the payload 16-byte aligned)
//   raw + 12   W32_Memory_Header (36 bytes)
//   raw + 48   payload (size bytes)
//   raw + 48 + size   u32 guard word W32_MEMORY_MAGIC_HINTEN
//
// Page blocks (mmap): one leading page whose last 36 bytes hold the header,
// then the page-rounded payload.
//
// Live payload pointers are kept in a set, so a pointer that was never handed
// out (or was freed already) is recognised without reading memory around it.

namespace {

constexpr size_t k_vorne = 48;
constexpr size_t k_kopf_versatz = k_vorne - sizeof(W32_Memory_Header);
constexpr size_t k_hinten = 4;

std::mutex g_mutex;
std::unordered_set<const void*>* g_bloecke = nullptr;  // created on first use, never destroyed
u32 g_nummer = 0;
u64 g_bytes = 0;

std::unordered_set<const void*>& Bloecke() {
    if (g_bloecke == nullptr) g_bloecke = new std::unordered_set<const void*>();
    return *g_bloecke;
}

u32 Pruefsumme(const W32_Memory_Header& h) {
    const u32 felder[8] = {h.magic_anfang, h.art, h.groesse, h.owner_lo, h.owner_hi, h.nummer, h.versatz, h.magic_ende};
    u32 x = 0x811C9DC5u;
    for (u32 f : felder) {
        x ^= f;
        x *= 0x01000193u;
        x ^= x >> 15;
    }
    return x;
}

W32_Memory_Header* Kopf_Von(const void* payload) {
    return reinterpret_cast<W32_Memory_Header*>(static_cast<u8*>(const_cast<void*>(payload)) -
                                                sizeof(W32_Memory_Header));
}

void Kopf_Schreiben(void* payload, size_t size, u32 art, const void* owner, u32 versatz) {
    W32_Memory_Header h{};
    h.magic_anfang = W32_MEMORY_MAGIC_ANFANG;
    h.art = art;
    h.groesse = static_cast<u32>(size);
    const u64 o = reinterpret_cast<uintptr_t>(owner);
    h.owner_lo = static_cast<u32>(o);
    h.owner_hi = static_cast<u32>(o >> 32);
    h.nummer = ++g_nummer;
    h.versatz = versatz;
    h.magic_ende = W32_MEMORY_MAGIC_ENDE;
    h.pruefsumme = Pruefsumme(h);
    *Kopf_Von(payload) = h;
}

// Checks the header (and for heap blocks the trailing guard) of a block that
// is known to be live.
bool Kopf_Intakt(const void* payload, u32 art) {
    const W32_Memory_Header& h = *Kopf_Von(payload);
    if (h.magic_anfang != W32_MEMORY_MAGIC_ANFANG || h.magic_ende != W32_MEMORY_MAGIC_ENDE) return false;
    if (h.art != art || h.pruefsumme != Pruefsumme(h)) return false;
    if (art == W32_MEMORY_ART_HEAP) {
        if (h.versatz != k_kopf_versatz) return false;
        u32 hinten;
        std::memcpy(&hinten, static_cast<const u8*>(payload) + h.groesse, 4);
        if (hinten != W32_MEMORY_MAGIC_HINTEN) return false;
    }
    return true;
}

size_t Seite() {
    static const size_t s = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    return s;
}

size_t Seiten_Runden(size_t n) { return (n + Seite() - 1) / Seite() * Seite(); }

void* Falscher_Zeiger(void* ptr, const char* wer) {
    Debug_Printf("Error: %s wrong ptr", wer);
    Debug_Printf("  (block %p)", ptr);
    return ptr;
}

// Takes a block of the kind out of the register and gives its size; false
// (with the message of `wer`) for a pointer that is no intact block of that
// kind, which is then not touched.
bool Austragen(void* ptr, u32 art, const char* wer, size_t* groesse) {
    std::unique_lock<std::mutex> lock(g_mutex);
    auto& bloecke = Bloecke();
    auto it = bloecke.find(ptr);
    if (it == bloecke.end() || !Kopf_Intakt(ptr, art)) {
        lock.unlock();
        Falscher_Zeiger(ptr, wer);
        return false;
    }
    bloecke.erase(it);
    W32_Memory_Header* h = Kopf_Von(ptr);
    *groesse = h->groesse;
    g_bytes -= h->groesse;
    h->magic_anfang = 0;  // a stale copy of the pointer no longer looks like a block
    return true;
}

}  // namespace

void* W32_Memory_H_Alloc_Fill(size_t size, const void* owner, u8 fill) {
    if (size == 0 || size > W32_MEMORY_MAX_GROESSE) return nullptr;
    u8* raw = static_cast<u8*>(std::malloc(k_vorne + size + k_hinten));
    if (raw == nullptr) return nullptr;
    u8* payload = raw + k_vorne;
    std::memset(payload, fill, size);
    const u32 hinten = W32_MEMORY_MAGIC_HINTEN;
    std::memcpy(payload + size, &hinten, 4);
    std::lock_guard<std::mutex> lock(g_mutex);
    Kopf_Schreiben(payload, size, W32_MEMORY_ART_HEAP, owner, static_cast<u32>(k_kopf_versatz));
    Bloecke().insert(payload);
    g_bytes += size;
    return payload;
}

void W32_Memory_Zurueckgeben() { malloc_trim(0); }

namespace {
bool zurueckgeben_faellig = false;
}  // namespace

void W32_Memory_Zurueckgeben_Spaeter() { zurueckgeben_faellig = true; }

bool W32_Memory_Zurueckgeben_Faellig() {
    if (!zurueckgeben_faellig) return false;
    zurueckgeben_faellig = false;
    W32_Memory_Zurueckgeben();
    return true;
}

void* W32_Memory_H_Alloc(size_t size, const void* owner) { return W32_Memory_H_Alloc_Fill(size, owner, 0); }

void* W32_Memory_H_Free(void* ptr) {
    size_t groesse = 0;
    if (ptr == nullptr) return nullptr;
    if (!Austragen(ptr, W32_MEMORY_ART_HEAP, "W32_Memory_H_Free", &groesse)) return ptr;
    std::free(static_cast<u8*>(ptr) - k_vorne);
    return nullptr;
}

void* W32_Memory_V_Alloc(size_t size, u32 schutz, const void* owner) {
    if (size == 0 || size > W32_MEMORY_MAX_GROESSE) return nullptr;
    const size_t seite = Seite();
    const size_t gesamt = seite + Seiten_Runden(size);
    void* base = mmap(nullptr, gesamt, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) return nullptr;
    u8* payload = static_cast<u8*>(base) + seite;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        Kopf_Schreiben(payload, size, W32_MEMORY_ART_VIRTUELL, owner,
                       static_cast<u32>(seite - sizeof(W32_Memory_Header)));
        Bloecke().insert(payload);
        g_bytes += size;
    }
    if (schutz == W32_PAGE_READONLY) mprotect(payload, gesamt - seite, PROT_READ);
    return payload;
}

void* W32_Memory_V_Free(void* ptr) {
    size_t groesse = 0;
    if (ptr == nullptr) return nullptr;
    if (!Austragen(ptr, W32_MEMORY_ART_VIRTUELL, "W32_Memory_V_Free", &groesse)) return ptr;
    const size_t seite = Seite();
    munmap(static_cast<u8*>(ptr) - seite, seite + Seiten_Runden(groesse));
    return nullptr;
}

size_t W32_Memory_Groesse(const void* ptr) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (ptr == nullptr || Bloecke().count(ptr) == 0) return 0;
    return Kopf_Von(ptr)->groesse;
}

bool W32_Memory_Pruefen(const void* ptr) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (ptr == nullptr || Bloecke().count(ptr) == 0) return false;
    return Kopf_Intakt(ptr, Kopf_Von(ptr)->art);
}

u32 W32_Memory_Anzahl_Bloecke() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return static_cast<u32>(Bloecke().size());
}

u64 W32_Memory_Anzahl_Bytes() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_bytes;
}

u32 W32_Memory_Bericht() {
    std::lock_guard<std::mutex> lock(g_mutex);
    for (const void* p : Bloecke()) {
        const W32_Memory_Header& h = *Kopf_Von(p);
        const u64 owner = (static_cast<u64>(h.owner_hi) << 32) | h.owner_lo;
        Debug_Printf("Speicherblock nicht freigegeben: Nr. %u, %u Bytes, Besitzer %#llx", h.nummer, h.groesse,
                     static_cast<unsigned long long>(owner));
    }
    return static_cast<u32>(Bloecke().size());
}
