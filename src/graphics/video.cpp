#include "graphics/video.h"
#include "graphics/abdruck.h"
#include "graphics/zeichenspur.h"

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <bit>
#include <cstring>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/settings.h"
#include "base/tools.h"
#include "graphics/container.h"
#include "graphics/rastport.h"

namespace {
Video_Hooks hooks{};
}  // namespace

void Video_Set_Hooks(const Video_Hooks& h) { hooks = h; }
const Video_Hooks& Video_Get_Hooks() { return hooks; }

struct Vid_Film {
    i32 w = 0, h = 0;
    u32 frames = 0, fps_z = 1, fps_n = 1;
    // The whole video (shared with another opening of the same clip).
    std::shared_ptr<const std::vector<u8>> daten;
    std::vector<u32> offsets;  // frames + 1, into daten
    std::vector<u16> bild, tmp;
    i32 frame = 1;       // current, 1-based
    i32 dekodiert = 0;   // the frame in `bild`, 0 none
    u64 uhr_us = 0;      // the video's clock
    u64 faellig_us = 0;  // when the current frame is due
    u32 letzte_ms = 0;
    bool pausiert = false;
    bool gemeldet = false;
    u64 dauer_us() const { return 1000000ull * fps_n / fps_z; }
};

void Vid_Loeschen::operator()(Vid_Film* f) const { delete f; }

namespace {

bool kopf_pruefen(const u8* d, size_t n, Vid_Film& f, std::string* fehler) {
    auto nein = [&](const char* t) {
        if (fehler) *fehler = t;
        return false;
    };
    bytes::Leser l(d, n);
    char kennung[4] = {};
    l.bytes(kennung, 4);
    const u16 version = static_cast<u16>(l.get(2));
    f.w = static_cast<u16>(l.get(2)), f.h = static_cast<u16>(l.get(2));
    l.get(2);
    f.frames = l.u32_(), f.fps_z = l.u32_(), f.fps_n = l.u32_();
    if (l.fehler || std::memcmp(kennung, "KVID", 4) != 0) return nein("kein Video (Kennung KVID fehlt)");
    if (version != 1) return nein("Videoversion unbekannt");
    if (f.w < 1 || f.h < 1 || f.w > KVID_MAX_SEITE || f.h > KVID_MAX_SEITE) return nein("Videogröße ungültig");
    if (f.frames < 1 || f.frames > KVID_MAX_FRAMES) return nein("Bildanzahl des Videos ungültig");
    if (f.fps_z == 0 || f.fps_n == 0 || f.fps_z / f.fps_n > 200) return nein("Bildrate des Videos ungültig");
    return true;
}

// Checks the offsets once the whole video is in `daten`.
bool offsets_pruefen(Vid_Film& f, std::string* fehler) {
    bytes::Leser l(f.daten->data() + KVID_KOPF, f.daten->size() - KVID_KOPF);
    f.offsets.resize(f.frames + 1);
    const u32 erster = KVID_KOPF + 4 * (f.frames + 1);
    for (u32 i = 0; i <= f.frames; ++i) f.offsets[i] = l.u32_();
    bool gut = !l.fehler && f.offsets[0] >= erster && f.offsets[f.frames] <= f.daten->size();
    // In 64 bits: an offset near 2^32 plus the frame header must not wrap.
    for (u32 i = 0; gut && i < f.frames; ++i) gut = f.offsets[i + 1] >= static_cast<u64>(f.offsets[i]) + 5;
    if (!gut) {
        if (fehler) *fehler = "Bildverzeichnis des Videos beschädigt";
        return false;
    }
    const size_t pixel = static_cast<size_t>(f.w) * f.h;
    f.bild.assign(pixel, 0);
    f.tmp.assign(pixel, 0);
    return true;
}

// Decodes frame n (1-based) onto the buffer; a delta frame needs n - 1 there.
bool frame_lesen(Vid_Film& f, u32 n) {
    const u8* p = f.daten->data() + f.offsets[n - 1];
    const size_t laenge = f.offsets[n] - f.offsets[n - 1];
    const u8 art = p[0];
    const u32 roh = p[1] | (p[2] << 8) | (p[3] << 16) | (static_cast<u32>(p[4]) << 24);
    uLongf ziel = static_cast<uLongf>(f.tmp.size() * 2);
    if (art > 1 || roh != ziel ||
        uncompress(reinterpret_cast<Bytef*>(f.tmp.data()), &ziel, p + 5, static_cast<uLong>(laenge - 5)) != Z_OK ||
        ziel != roh) {
        if (!f.gemeldet) Debug_Printf("Video: Bild %u ist beschädigt\n", n);
        f.gemeldet = true;
        f.dekodiert = 0;
        return false;
    }
    // Stored little-endian: on a little-endian host the bytes are the pixels.
    if constexpr (std::endian::native != std::endian::little)
        for (u16& v : f.tmp) v = static_cast<u16>((v >> 8) | (v << 8));
    if (art == 0) {
        f.bild.swap(f.tmp);
    } else {
        u16* z = f.bild.data();
        const u16* q = f.tmp.data();
        for (size_t i = 0, n = f.bild.size(); i < n; ++i) z[i] ^= q[i];
    }
    f.dekodiert = static_cast<i32>(n);
    return true;
}

bool ist_schluessel(const Vid_Film& f, u32 n) { return (*f.daten)[f.offsets[n - 1]] == 0; }

void uhr_stellen(Vid_Film& f) {
    const u32 jetzt = hooks.uhr();
    if (!f.pausiert) f.uhr_us += static_cast<u64>(static_cast<u32>(jetzt - f.letzte_ms)) * 1000;
    f.letzte_ms = jetzt;
}

}  // namespace

std::vector<u8> Vid_Schreiben(i32 w, i32 h, u32 fps_zaehler, u32 fps_nenner,
                              const std::vector<std::vector<u16>>& frames, u32 schluessel_abstand) {
    return Vid_Schreiben(
        w, h, fps_zaehler, fps_nenner, static_cast<i32>(frames.size()),
        [&](i32 i, std::vector<u16>& bild) { bild = frames[static_cast<size_t>(i)]; }, schluessel_abstand);
}

std::vector<u8> Vid_Schreiben(i32 w, i32 h, u32 fps_zaehler, u32 fps_nenner, i32 anzahl,
                              const std::function<void(i32, std::vector<u16>&)>& bild, u32 schluessel_abstand) {
    const size_t n = static_cast<size_t>(std::max(0, anzahl));
    std::vector<u8> d;
    bytes::Schreiber s{d};
    s(u32{0x4449564B});  // "KVID"
    s(u16{1});
    s(static_cast<u16>(w));
    s(static_cast<u16>(h));
    s(u16{0});
    s(static_cast<u32>(n));
    s(fps_zaehler);
    s(fps_nenner);
    s(u32{0});  // flags: no sound track
    s(u32{0});  // sound rate
    s(u16{0});  // sound channels
    s(u16{0});
    const size_t tabelle = d.size();
    for (size_t i = 0; i <= n; ++i) s(u32{0});
    const size_t pixel = static_cast<size_t>(w) * h;
    std::vector<u8> roh(pixel * 2);
    std::vector<u16> jetzt(pixel), vorher(pixel);
    for (size_t i = 0; i < n; ++i) {
        put_u32le(d.data() + tabelle + 4 * i, static_cast<u32>(d.size()));
        jetzt.assign(pixel, 0);
        bild(static_cast<i32>(i), jetzt);
        jetzt.resize(pixel);
        const bool schluessel = schluessel_abstand == 0 || i % schluessel_abstand == 0;
        for (size_t k = 0; k < pixel; ++k) {
            const u16 v = schluessel ? jetzt[k] : static_cast<u16>(jetzt[k] ^ vorher[k]);
            roh[2 * k] = static_cast<u8>(v), roh[2 * k + 1] = static_cast<u8>(v >> 8);
        }
        uLongf z_n = compressBound(static_cast<uLong>(roh.size()));
        std::vector<u8> z(z_n);
        compress2(z.data(), &z_n, roh.data(), static_cast<uLong>(roh.size()), 9);
        s(static_cast<u8>(schluessel ? 0 : 1));
        s(static_cast<u32>(roh.size()));
        s.bytes(z.data(), z_n);
        std::swap(jetzt, vorher);
    }
    put_u32le(d.data() + tabelle + 4 * n, static_cast<u32>(d.size()));
    return d;
}

namespace {
Vid_Zeiger oeffnen(std::shared_ptr<const std::vector<u8>> daten, std::string* fehler) {
    Vid_Zeiger f(new Vid_Film);
    if (!kopf_pruefen(daten->data(), daten->size(), *f, fehler)) return nullptr;
    f->daten = std::move(daten);
    if (f->daten->size() < KVID_KOPF || !offsets_pruefen(*f, fehler)) return nullptr;
    f->letzte_ms = hooks.uhr();
    return f;
}

// The last clips read whole from a file, by where they lie and what their
// head and tail say: a clip opened again (the menu's, whenever the menu
// comes back) is not read again.
struct Gelesen {
    i32 start = 0;
    u32 datei = 0;
    std::vector<u8> kopf, schluss;
    std::shared_ptr<const std::vector<u8>> daten;
};
std::vector<Gelesen> gelesen;
constexpr size_t GELESEN_MAX = 2;
constexpr u32 SCHLUSS = 64;
}  // namespace

Vid_Zeiger Vid_Oeffnen(const u8* daten, size_t laenge, std::string* fehler) {
    if (!daten) return nullptr;
    return oeffnen(std::make_shared<const std::vector<u8>>(daten, daten + laenge), fehler);
}

Vid_Zeiger Vid_Oeffnen_Handle(W32_Handle h, std::string* fehler) {
    const i32 start = W32_File_Tell(h);
    if (start < 0) {
        if (fehler) *fehler = "Video: keine Datei";
        return nullptr;
    }
    const u32 rest = W32_File_Size(h) - std::min<u32>(W32_File_Size(h), static_cast<u32>(start));
    u8 kopf[KVID_KOPF];
    Vid_Film probe;
    if (rest < KVID_KOPF || W32_File_Read(kopf, 1, KVID_KOPF, h) != KVID_KOPF ||
        !kopf_pruefen(kopf, KVID_KOPF, probe, fehler)) {
        if (fehler && fehler->empty()) *fehler = "Video abgeschnitten";
        return nullptr;
    }
    // The end of the last frame is the video's size.
    u8 ende[4];
    const u32 pos_ende = KVID_KOPF + 4 * probe.frames;
    if (pos_ende + 4 > rest || W32_File_Seek(h, start + static_cast<i32>(pos_ende), W32_SEEK_ANFANG) == 0 ||
        W32_File_Read(ende, 1, 4, h) != 4) {
        if (fehler) *fehler = "Video abgeschnitten";
        return nullptr;
    }
    const u32 groesse = ende[0] | (ende[1] << 8) | (ende[2] << 16) | (static_cast<u32>(ende[3]) << 24);
    if (groesse < pos_ende + 4 || groesse > rest) {
        if (fehler) *fehler = "Video abgeschnitten";
        return nullptr;
    }
    Gelesen g{start, W32_File_Size(h), std::vector<u8>(kopf, kopf + KVID_KOPF), std::vector<u8>(std::min(SCHLUSS, groesse)), {}};
    if (W32_File_Seek(h, start + static_cast<i32>(groesse - g.schluss.size()), W32_SEEK_ANFANG) == 0 ||
        W32_File_Read(g.schluss.data(), 1, static_cast<u32>(g.schluss.size()), h) != g.schluss.size()) {
        if (fehler) *fehler = "Video nicht lesbar";
        return nullptr;
    }
    for (const Gelesen& a : gelesen)
        if (a.start == g.start && a.datei == g.datei && a.daten->size() == groesse && a.kopf == g.kopf &&
            a.schluss == g.schluss)
            return oeffnen(a.daten, fehler);
    auto d = std::make_shared<std::vector<u8>>(groesse);
    W32_File_Seek(h, start, W32_SEEK_ANFANG);
    if (W32_File_Read(d->data(), 1, groesse, h) != groesse) {
        if (fehler) *fehler = "Video nicht lesbar";
        return nullptr;
    }
    g.daten = std::move(d);
    Vid_Zeiger f = oeffnen(g.daten, fehler);
    if (f) {
        if (gelesen.size() >= GELESEN_MAX) gelesen.erase(gelesen.begin());
        gelesen.push_back(std::move(g));
    }
    return f;
}

void Vid_Gelesene_Freigeben() { gelesen.clear(); }

i32 Vid_Breite(const Vid_Film* f) { return f ? f->w : 0; }
i32 Vid_Hoehe(const Vid_Film* f) { return f ? f->h : 0; }
i32 Vid_Frames(const Vid_Film* f) { return f ? static_cast<i32>(f->frames) : 0; }
i32 Vid_Frame(const Vid_Film* f) { return f ? f->frame : -1; }
u32 Vid_Frame_Dauer_Ms(const Vid_Film* f) { return f ? static_cast<u32>((f->dauer_us() + 999) / 1000) : 0; }
const u16* Vid_Pixel(const Vid_Film* f) { return f ? f->bild.data() : nullptr; }

bool Vid_Faellig(Vid_Film* f) {
    if (!f || f->pausiert) return false;
    uhr_stellen(*f);
    return f->uhr_us >= f->faellig_us;
}

bool Vid_Dekodieren(Vid_Film* f) {
    if (!f) return false;
    const u32 n = static_cast<u32>(f->frame);
    if (f->dekodiert == f->frame) return true;
    if (f->dekodiert == f->frame - 1 && f->dekodiert > 0) return frame_lesen(*f, n);
    // From the last key frame at or before n.
    u32 k = n;
    while (k > 1 && !ist_schluessel(*f, k)) --k;
    for (u32 i = k; i <= n; ++i)
        if (!frame_lesen(*f, i)) return false;
    return true;
}

void Vid_Weiter(Vid_Film* f) {
    if (!f || f->frame >= static_cast<i32>(f->frames)) return;
    ++f->frame;
    f->faellig_us += f->dauer_us();
}

void Vid_Goto(Vid_Film* f, i32 n, bool anschliessend) {
    if (!f) return;
    f->frame = std::clamp(n, 1, static_cast<i32>(f->frames));
    uhr_stellen(*f);
    f->faellig_us = anschliessend ? f->faellig_us + f->dauer_us() : f->uhr_us;
}

void Vid_Pause(Vid_Film* f, bool an) {
    if (!f) return;
    uhr_stellen(*f);
    f->pausiert = an;
}

void Vid_Kopieren(const Vid_Film* f, u16* ziel, i32 pitch, i32 hoehe, i32 x, i32 y) {
    if (!f || !ziel || f->dekodiert == 0) return;
    const i32 breite = pitch / 2;
    const i32 x0 = std::max(0, x), x1 = std::min(breite, x + f->w);
    const i32 y0 = std::max(0, y), y1 = std::min(hoehe, y + f->h);
    for (i32 yy = y0; yy < y1; ++yy)
        std::memcpy(ziel + static_cast<size_t>(yy) * breite + x0,
                    &f->bild[static_cast<size_t>(yy - y) * f->w + (x0 - x)],
                    static_cast<size_t>(std::max(0, x1 - x0)) * 2);
}

// ---- The table ----------------------------------------------------------------

namespace {

Bnk_Video videos[BNK_VIDEOS];
i32 video_tiefe = 0;
bool bereit = false;

void slot_freigeben(Bnk_Video& v) {
    v.film.reset();
    if (v.quelle >= 0) W32_File_Close(v.quelle);
    if (v.bitmap) Rastport_Free(v.bitmap);
    v = Bnk_Video{};
}

}  // namespace

bool Bink_InitBink(i32 wert1, i32 wert2, i32 wert3, void*, i32 farbtiefe) {
    for (Bnk_Video& v : videos) slot_freigeben(v);
    video_tiefe = farbtiefe;
    // Our videos are RGB565; the 16-bit screen is the only target.
    bereit = farbtiefe == 16;
    Debug_Printf(bereit ? "Bink_InitBink(%d,%d,%d) Bink is ready\n" : "Bink_InitBink(%d,%d,%d) fail\n", wert1, wert2,
                 wert3);
    return bereit;
}

W32_Handle Bink_OpenResource(const char* container, i32 nummer) {
    char name[256] = {};
    // The setting names the container; empty: the default is written there
    // and the caller's name used.
    if (!W32_Registry_Read("res_27", name, sizeof name) || !name[0]) {
        W32_Registry_Write("res_27", "animationen.res");
        std::snprintf(name, sizeof name, "%s", container ? container : "animationen.res");
    }
    const W32_Handle h = Res_OpenFile(name);
    if (h < 0) {
        Debug_Printf("Bink_OpenResource(%s) hResFile == NULL\n", name);
        return -1;
    }
    const Res_Resource r = Res_ReadResource(h, nummer, RES_MODUS_HANDLE);
    if (!r.adresse) {
        Debug_Printf("Bink_OpenResource(%s) hResource.lpAdresse == NULL\n", name);
        W32_File_Close(h);
        return -1;
    }
    return h;
}

Bnk_Video* Bnk_InitV(i32 nummer, const char* container, u32 schleifen, i32 start_frame, i32 x, i32 y, u32 flags,
                     const char* info, bool eigene_bitmap) {
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Video_Merken(nummer, "start", x, y, start_frame);
    i32 frei = -1;
    for (i32 i = 0; i < BNK_VIDEOS && frei < 0; ++i)
        if (videos[i].nummer < 0) frei = i;
    if (frei < 0) return nullptr;
    Bnk_Video& v = videos[frei];
    v = Bnk_Video{};
    v.nummer = frei, v.x = x, v.y = y, v.info = info, v.schleifen = schleifen, v.schleifen_gespielt = 1;
    v.eintrag = nummer;
    v.neustart_frame = start_frame + 1, v.eigene_bitmap = eigene_bitmap, v.flags = flags;
    v.quelle = flags == BNK_AUS_CONTAINER ? Bink_OpenResource(container, nummer)
                                          : W32_File_Open_Read(container ? container : "");
    std::string fehler;
    if (v.quelle >= 0) v.film = Vid_Oeffnen_Handle(v.quelle, &fehler);
    if (!v.film) {
        Debug_Printf("Bnk_InitV(...) BnkOpen VID:%d %s\n", nummer, fehler.c_str());
        slot_freigeben(v);
        return nullptr;
    }
    v.breite = Vid_Breite(v.film.get()), v.hoehe = Vid_Hoehe(v.film.get());
    if (eigene_bitmap) v.bitmap = Rastport_Neu_Einfach(v.breite, v.hoehe, 16);
    Vid_Pause(v.film.get(), true);
    Debug_Printf("Bnk_InitV(...) VID:%d INFO:%s\n", nummer, info ? info : "");
    return &v;
}

void Bnk_RelV(Bnk_Video* v) {
    if (!v) {
        Debug_Printf("Bink_ReleaseVideo(...) == NULL\n");
        return;
    }
    slot_freigeben(*v);
}

void Bnk_Alle_Freigeben() {
    for (Bnk_Video& v : videos)
        if (v.nummer >= 0) slot_freigeben(v);
}

void Bnk_PauseV(Bnk_Video* v, i32 pause) {
    if (!v || v->nummer < 0) return;
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Video_Merken(v->eintrag, pause ? "pause" : "weiter", v->x, v->y, 0);
    // Paused, the video's clock stands still, so it does not rush on when resumed.
    Vid_Pause(v->film.get(), pause != 0);
    v->pausiert = pause != 0;
    v->laeuft = true;
}

void Bnk_Pause_Alle(i32 pause) {
    for (Bnk_Video& v : videos)
        if (v.nummer >= 0) Bnk_PauseV(&v, pause);
}

void Bnk_StopV(Bnk_Video* v) {
    if (!v || v->nummer < 0) return;
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Video_Merken(v->eintrag, "stop", v->x, v->y, 0);
    Vid_Goto(v->film.get(), 1, false);
    Vid_Pause(v->film.get(), true);
    v->laeuft = false;
    v->pausiert = true;
}

void Bnk_FrameV(Bnk_Video* v, u16* pixel, i32 pitch, i32 hoehe) {
    if (!v || v->nummer < 0 || v->pausiert) return;
    Vid_Film* f = v->film.get();
    if (Vid_Faellig(f)) {
        Vid_Dekodieren(f);
        if (Vid_Frame(f) == Vid_Frames(f)) {
            if (v->schleifen_gespielt == v->schleifen && v->stop_am_ende) {
                // The last frame stays on screen this once; then the video rests paused.
                Vid_Kopieren(f, pixel, pitch, hoehe, v->x, v->y);
                Bnk_PauseV(v, 1);
                return;
            }
            if (v->schleifen == 0 || v->schleifen_gespielt < v->schleifen) {
                ++v->schleifen_gespielt;
                Vid_Goto(f, v->neustart_frame, true);
            }
        } else {
            Vid_Weiter(f);
        }
    }
    Vid_Kopieren(f, pixel, pitch, hoehe, v->x, v->y);
}

void Bnk_Frame_Alle(u16* pixel, i32 pitch, i32 hoehe) {
    for (Bnk_Video& v : videos)
        if (v.nummer >= 0) {
            // Drawn over the finished frame, past the blitter: the next
            // frame draws its place again.
            if (Abdruck_Ziel && !v.pausiert) {
                const Vid_Film* f = v.film.get();
                Abdruck_Flaeche_Beruehrt({v.x, v.y, v.x + (f ? Vid_Breite(f) : 0), v.y + (f ? Vid_Hoehe(f) : 0)});
            }
            Bnk_FrameV(&v, pixel, pitch, hoehe);
        }
}

i32 Bnk_GotoV(Bnk_Video* v, i32 frame) {
    if (!v || v->nummer < 0) return -1;
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Video_Merken(v->eintrag, "sprung", v->x, v->y, frame);
    Vid_Goto(v->film.get(), frame, false);
    return Vid_Frame(v->film.get());
}

i32 Bnk_Get_FrameV(const Bnk_Video* v) { return v && v->nummer >= 0 ? Vid_Frame(v->film.get()) : -1; }
bool Bnk_LaeuftV(const Bnk_Video* v) { return v && v->nummer >= 0 && v->laeuft; }

void Video_Init_Hook(u16*, i32 breite, i32 hoehe, i32 farbtiefe) {
    Bink_InitBink(breite, hoehe, 0, nullptr, farbtiefe);
}
// The platform's pitch counts pixels; the video calls take bytes.
void Video_Overlay_Hook(u16* pixel, i32 pitch, i32 hoehe) {
    if (bereit) Bnk_Frame_Alle(pixel, pitch * 2, hoehe);
}
