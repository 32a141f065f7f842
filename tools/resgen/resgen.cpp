// resgen: writes the game's resource archives from the manifest.
//
//   resgen --out DIR [--manifest FILE] [--art DIR] [--teams FILE]
//       writes the 22 archives (fontres.res with the 17 fonts included) into DIR
//   resgen --bogen FILE.png ARCHIVE FROM TO [COLUMNS SCALE]
//       a contact sheet of entries FROM..TO for judging the art
//   resgen --schriften FILE.png FONTARCHIVE
//       a sample line of every font
//   resgen --kopf FILE.h [MANIFEST]
//       the header of the named rows (graphic numbers by name)
//   resgen --offen [MANIFEST]
//       the picture rows whose art is not made yet
//   resgen --png DIR ARCHIVE [ENTRY ...]
//       writes entries of an archive as PNG files (every picture entry when
//       no entry is named)
//
// The output is byte-identical from run to run. The manifest format is in
// docs/formats/resgen-manifest.md.
#include <png.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/resf.h"
#include "resgen.h"
#include "world/konfig_schluessel.h"
#include "world/trikot.h"

namespace {

// Films whose picture depends on the entry (the others are drawn once per size).
bool nach_eintrag(const std::string& rezept) {
    for (const char* r : {"training", "uebung", "lager"})
        if (rezept.rfind(r, 0) == 0) return true;
    return false;
}


[[noreturn]] void fehler_ende(const std::string& t, int code = 1) {
    std::fprintf(stderr, "resgen: %s\n", t.c_str());
    std::exit(code);
}

// One row of the manifest.
struct Zeile {
    std::string archiv;
    i32 von = 0, bis = 0;
    std::string art;  // bild, font, ton, film
    i32 w = 0, h = 0;
    std::string rezept;
    std::string name;  // "= NAME" at the end of the row: a constant of the generated header
    int nummer = 0;    // line number
};

struct Manifest {
    std::map<std::string, i32> archive;  // name -> number of entries
    std::vector<std::string> reihenfolge;
    std::vector<Zeile> zeilen;
    std::set<std::string> container;                         // written as HRF containers, not RESF archives
    std::vector<std::pair<std::string, std::string>> musik;  // file in the game folder, score
    struct Video {
        std::string datei, rezept;  // file in the game folder, recipe:frames
        i32 w = 0, h = 0;
    };
    std::vector<Video> videos;
};

bool name_gueltig(const std::string& n) {
    if (n.empty() || n[0] < 'A' || n[0] > 'Z') return false;
    for (char c : n)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

Manifest manifest_lesen(const std::string& datei) {
    std::ifstream in(datei);
    if (!in) fehler_ende("Manifest " + datei + " nicht lesbar");
    Manifest m;
    std::string text;
    int nr = 0;
    while (std::getline(in, text)) {
        ++nr;
        if (const size_t k = text.find('#'); k != std::string::npos) text.erase(k);
        std::istringstream z(text);
        std::string a;
        if (!(z >> a)) continue;
        auto fehler = [&](const std::string& was) { fehler_ende(datei + ":" + std::to_string(nr) + ": " + was, 2); };
        if (a == "MUSIK") {
            std::string datei, partitur;
            if (!(z >> datei >> partitur)) fehler("MUSIK erwartet Datei und Partitur");
            m.musik.emplace_back(datei, partitur);
            continue;
        }
        if (a == "VIDEO") {
            Manifest::Video v;
            std::string groesse;
            char x = 0;
            if (!(z >> v.datei >> groesse >> v.rezept) || std::sscanf(groesse.c_str(), "%dx%d%c", &v.w, &v.h, &x) != 2 ||
                v.w < 1 || v.h < 1 || v.w > 2048 || v.h > 2048 || v.datei.find("..") != std::string::npos)
                fehler("VIDEO erwartet Datei, Größe BxH (1..2048) und Rezept:Bilder");
            m.videos.push_back(v);
            continue;
        }
        if (a == "ARCHIV" || a == "CONTAINER") {
            std::string name;
            i32 n = -1;
            if (!(z >> name >> n) || n < 0 || n > 4000) fehler("ARCHIV erwartet Name und Anzahl 0..4000");
            if (!m.archive.count(name)) m.reihenfolge.push_back(name);
            m.archive[name] = n;
            if (a == "CONTAINER") m.container.insert(name);
            continue;
        }
        Zeile r;
        r.archiv = a;
        r.nummer = nr;
        std::string eintraege, groesse;
        if (!(z >> eintraege >> r.art >> groesse)) fehler("Zeile braucht Archiv, Eintrag, Art, Größe, Rezept");
        std::getline(z >> std::ws, r.rezept);
        while (!r.rezept.empty() && std::isspace(static_cast<unsigned char>(r.rezept.back()))) r.rezept.pop_back();
        if (const size_t g = r.rezept.rfind('='); g != std::string::npos && g > 0 &&
                                                  std::isspace(static_cast<unsigned char>(r.rezept[g - 1]))) {
            std::istringstream n(r.rezept.substr(g + 1));
            std::string rest;
            if (!(n >> r.name) || (n >> rest) || !name_gueltig(r.name))
                fehler("nach '=' steht ein Name aus A-Z, 0-9 und _ (mit einem Buchstaben vorn)");
            r.rezept.erase(g);
            while (!r.rezept.empty() && std::isspace(static_cast<unsigned char>(r.rezept.back()))) r.rezept.pop_back();
        }
        if (r.rezept.empty()) fehler("Rezept fehlt");
        if (!m.archive.count(r.archiv)) fehler("Archiv " + r.archiv + " ist nicht mit ARCHIV angelegt");
        if (std::sscanf(eintraege.c_str(), "%d-%d", &r.von, &r.bis) == 1) r.bis = r.von;
        if (r.von < 0 || r.bis < r.von || r.bis >= m.archive[r.archiv])
            fehler("Eintrag " + eintraege + " liegt außerhalb des Archivs");
        if ((r.art == "film") != (m.container.count(r.archiv) > 0))
            fehler("Filme gehören in einen CONTAINER, nur Filme");
        if (r.art == "bild" || r.art == "film") {
            // Pictures up to 4096 wide (the live view's pitch is 3610), clips up to 2048.
            const i32 grenze = r.art == "bild" ? 4096 : 2048;
            if (std::sscanf(groesse.c_str(), "%dx%d", &r.w, &r.h) != 2 || r.w < 1 || r.h < 1 || r.w > grenze ||
                r.h > grenze)
                fehler("Größe " + groesse + " ist nicht BxH");
        } else if (r.art == "ton") {
            r.w = std::atoi(groesse.c_str());
            if (r.w < 1 || r.w > 20000) fehler("Tonlänge " + groesse + " außerhalb 1..20000 ms");
        } else if (r.art == "anim") {
            // Animation sets: the recipe draws its own frames (the size is "-").
            if (groesse != "-" || r.rezept != "figuren") fehler("anim erwartet Größe - und Rezept figuren");
        } else if (r.art == "font") {
            r.h = std::atoi(groesse.c_str());
            if (r.h < 4 || r.h > 64) fehler("Fonthöhe " + groesse + " außerhalb 4..64");
        } else {
            fehler("unbekannte Art " + r.art);
        }
        m.zeilen.push_back(r);
    }
    return m;
}

// Clubs from the team configuration: name, crest number, kit colours.
void teams_lesen(const std::string& datei, resgen::Umgebung& u) {
    u.wappen.assign(1001, resgen::Verein{});
    std::ifstream in(datei);
    if (!in) {
        std::fprintf(stderr, "resgen: %s fehlt, Wappen ohne Vereinsdaten\n", datei.c_str());
        return;
    }
    std::string text, name;
    i32 wappen = -1, trikot = -1;
    auto ablegen = [&] {
        if (wappen >= 0 && wappen <= 1000 && !name.empty()) {
            resgen::Verein& v = u.wappen[static_cast<size_t>(wappen)];
            v.name = name;
            v.vorhanden = true;
            if (const Trikot_Def* t = Trikot_Get_TrikotStructure(trikot)) {
                v.farbe1 = t->hemd;
                v.farbe2 = t->hemd2 != t->hemd ? t->hemd2 : t->hose;
            }
        }
        name.clear(), wappen = trikot = -1;
    };
    while (std::getline(in, text)) {
        std::istringstream z(text);
        std::string k;
        z >> k;
        // The keywords as the game reads them (German or English, any case).
        const int key = welt_konfig::finden(k.c_str(), welt_konfig::TEAM_SCHLUESSEL, welt_konfig::T_ANZAHL);
        if (key == welt_konfig::T_NEUES_TEAM) ablegen();
        else if (key == welt_konfig::T_NAME) {
            const size_t a = text.find('"'), b = text.rfind('"');
            if (a != std::string::npos && b > a) name = text.substr(a + 1, b - a - 1);
        } else if (key == welt_konfig::T_WAPPEN) z >> wappen;
        else if (key == welt_konfig::T_TRIKOT) z >> trikot;
    }
    ablegen();
}

// Gives every crest a design no other crest has.
void wappen_unterscheiden(resgen::Umgebung& u) {
    std::set<std::string> gesehen;
    for (i32 n = 0; n <= 1000; ++n) {
        for (int versuch = 0; versuch < 200; ++versuch) {
            if (gesehen.insert(resgen::Wappen_Signatur(n, u)).second) break;
            ++u.wappen[static_cast<size_t>(n)].saat;
        }
    }
}

void datei_schreiben(const std::string& pfad, const std::vector<u8>& d);

// Entries with the same bytes are stored once (their directory entries
// share the offset). Entries other than pictures and fonts, which pack their
// pixels themselves, are stored packed when that saves a quarter (the
// animation sets; sounds hardly pack).
void archiv_schreiben(const std::string& pfad, const std::vector<std::pair<i16, std::vector<u8>>>& eintraege) {
    std::vector<u8> d;
    bytes::Schreiber s{d};
    s.bytes("RESF", 4);
    s(static_cast<u32>(eintraege.size()));
    s(u32{0});  // directory offset, set below
    std::vector<u32> offsets, typen;
    std::map<std::pair<u32, std::vector<u8>>, u32> gespeichert;  // (packed flag, stored bytes) -> offset
    for (const auto& [typ, daten] : eintraege) {
        u32 wort = static_cast<u16>(typ);
        std::vector<u8> abgelegt;
        if (typ != 0 && typ != RESF_BILD && typ != RESF_FONT) abgelegt = Resf_Eintrag_Packen(daten);
        if (abgelegt.empty()) abgelegt = daten;
        else wort |= RESF_GEPACKT;
        typen.push_back(wort);
        auto schon = gespeichert.find({wort & RESF_GEPACKT, abgelegt});
        if (schon != gespeichert.end() && !abgelegt.empty()) {
            offsets.push_back(schon->second);
            continue;
        }
        offsets.push_back(static_cast<u32>(d.size()));
        s.bytes(abgelegt.data(), abgelegt.size());
        if (!abgelegt.empty()) gespeichert.emplace(std::pair{wort & RESF_GEPACKT, std::move(abgelegt)}, offsets.back());
    }
    const u32 verz = static_cast<u32>(d.size());
    for (size_t i = 0; i < eintraege.size(); ++i) {
        s(typen[i]);
        s(offsets[i]);
    }
    put_u32le(d.data() + 8, verz);
    datei_schreiben(pfad, d);
}

void datei_schreiben(const std::string& pfad, const std::vector<u8>& d) {
    const std::string tmp = pfad + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f || std::fwrite(d.data(), 1, d.size(), f) != d.size() || std::fclose(f) != 0)
        fehler_ende("kann " + pfad + " nicht schreiben");
    if (std::rename(tmp.c_str(), pfad.c_str()) != 0) fehler_ende("kann " + pfad + " nicht anlegen");
}

// An HRF container (docs/formats/hrf.md): magic, count, count + 1 offsets, data.
void container_schreiben(const std::string& pfad, const std::vector<std::vector<u8>>& eintraege) {
    std::vector<u8> d;
    bytes::Schreiber s{d};
    s.bytes("HRF", 3);
    s(static_cast<u16>(eintraege.size()));
    u32 off = 5 + 4 * static_cast<u32>(eintraege.size() + 1);
    for (const auto& e : eintraege) s(off), off += static_cast<u32>(e.size());
    s(off);
    for (const auto& e : eintraege) s.bytes(e.data(), e.size());
    datei_schreiben(pfad, d);
}

int erzeugen(const std::string& aus, const std::string& manifest_datei, const std::string& art,
             const std::string& teams) {
    const Manifest m = manifest_lesen(manifest_datei);
    resgen::Umgebung u;
    u.art_ordner = art;
    teams_lesen(teams, u);
    // The attribute names live beside the team configuration.
    const size_t schnitt = teams.find_last_of('/');
    u.attribute = resgen::Attribut_Namen_Lesen((schnitt == std::string::npos ? std::string() : teams.substr(0, schnitt + 1)) +
                                               "1_global.cfg");
    wappen_unterscheiden(u);
    int fehler = 0;
    for (const auto& [datei, partitur] : m.musik) {
        std::string meldung;
        const std::vector<u8> wav = resgen::Musik(art + "/../musik/" + partitur, resgen::Soundfont_Pfad(), &meldung);
        if (wav.empty()) {
            std::fprintf(stderr, "resgen: %s\n", meldung.c_str());
            ++fehler;
            continue;
        }
        datei_schreiben(aus + "/../" + datei, wav);
    }
    for (const Manifest::Video& v : m.videos) {
        const std::vector<u8> film = resgen::Film(v.rezept, v.w, v.h, 0, u);
        if (film.empty()) {
            ++fehler;
            continue;
        }
        const std::string pfad = aus + "/../" + v.datei;
        std::error_code f;
        std::filesystem::create_directories(std::filesystem::path(pfad).parent_path(), f);
        datei_schreiben(pfad, film);
    }
    for (const std::string& name : m.reihenfolge) {
        if (m.container.count(name)) {
            std::vector<std::vector<u8>> filme(static_cast<size_t>(m.archive.at(name)));
            // Clips that do not change with their entry number are drawn once.
            std::map<std::string, std::vector<u8>> gezeichnet;
            for (const Zeile& z : m.zeilen)
                for (i32 e = z.von; z.archiv == name && e <= z.bis; ++e) {
                    const std::string schluessel = z.rezept + "/" + std::to_string(z.w) + "x" + std::to_string(z.h) +
                                                   "/" + std::to_string(nach_eintrag(z.rezept) ? e : 0);
                    if (!gezeichnet.count(schluessel)) gezeichnet[schluessel] = resgen::Film(z.rezept, z.w, z.h, e, u);
                    filme[static_cast<size_t>(e)] = gezeichnet[schluessel];
                    if (filme[static_cast<size_t>(e)].empty()) ++fehler;
                }
            for (auto& f : filme)
                if (f.empty()) f = resgen::Film("leer", 16, 16, 0, u);
            container_schreiben(aus + "/" + name, filme);
            continue;
        }
        std::vector<std::pair<i16, std::vector<u8>>> eintraege(static_cast<size_t>(m.archive.at(name)));
        for (const Zeile& z : m.zeilen) {
            if (z.archiv != name) continue;
            for (i32 e = z.von; e <= z.bis; ++e) {
                std::vector<u8> daten;
                bytes::Schreiber s{daten};
                if (z.art == "ton") {
                    const std::vector<u8> wav = resgen::Ton(z.rezept, z.w);
                    if (wav.empty()) {
                        ++fehler;
                        continue;
                    }
                    s(static_cast<u32>(wav.size()));
                    s.bytes(wav.data(), wav.size());
                    eintraege[static_cast<size_t>(e)] = {RESF_BLOB, std::move(daten)};
                } else if (z.art == "anim") {
                    const std::vector<u8> blob = resgen::Animset_Blob(e);
                    s.bytes(blob.data(), blob.size());
                    eintraege[static_cast<size_t>(e)] = {RESF_ANIMSET, std::move(daten)};
                } else if (z.art == "font") {
                    std::unique_ptr<Font> f(resgen::Schrift(z.rezept, z.h));
                    if (!f) {
                        ++fehler;
                        continue;
                    }
                    // The sheet is stored packed; the font's reader unpacks it on loading.
                    f->blatt->bitmap->pixel_behalten = 0;
                    Rastport_Bitmap_Packen(f->blatt->bitmap.get(), PACK_ZLIB);
                    Font_Schreiben(s, *f);
                    eintraege[static_cast<size_t>(e)] = {RESF_FONT, std::move(daten)};
                } else {
                    std::unique_ptr<Rastport> rp(resgen::Zeichnen(z.rezept, z.w, z.h, e, u));
                    if (!rp) {
                        std::fprintf(stderr, "resgen: %s:%d: Eintrag %d nicht gezeichnet\n", manifest_datei.c_str(),
                                     z.nummer, e);
                        ++fehler;
                        continue;
                    }
                    rp->bitmap->pixel_behalten = 0;
                    Rastport_Bitmap_Packen(rp->bitmap.get(), PACK_ZLIB);
                    Rastport_Schreiben(s, *rp);
                    eintraege[static_cast<size_t>(e)] = {RESF_BILD, std::move(daten)};
                }
            }
        }
        archiv_schreiben(aus + "/" + name, eintraege);
    }
    return fehler ? 1 : 0;
}

bool png_schreiben(const std::string& pfad, Rastport* rp) {
    if (!Rastport_Lock(rp)) return false;
    FILE* f = std::fopen(pfad.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    const i32 w = rp->breite, h = rp->hoehe;
    png_set_IHDR(png, info, static_cast<u32>(w), static_cast<u32>(h), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<u8> zeile(static_cast<size_t>(w) * 4);
    for (i32 y = 0; y < h; ++y) {
        for (i32 x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            u8* p = &zeile[static_cast<size_t>(x) * 4];
            if (rp->tiefe() == 8) {
                p[0] = p[1] = p[2] = rp->bitmap->pixel8()[i];
                p[3] = 255;
                continue;
            }
            const u16 v = rp->bitmap->pixel16()[i];
            Farbe_Get_RGB(v, rp->tiefe(), &p[0], &p[1], &p[2]);
            for (int k = 0; k < 3; ++k) p[k] = static_cast<u8>(p[k] | (p[k] >> 5));
            p[3] = !rp->alpha.empty() ? rp->alpha[i] : (v ? 255 : 0);
        }
        png_write_row(png, zeile.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

int png_ausgeben(const std::string& ordner, const std::string& archiv, const std::vector<i32>& nummern) {
    const i32 slot = Resf_Oeffnen(archiv.c_str(), 0);
    if (slot < 0) fehler_ende(std::string("Archiv nicht lesbar: ") + Grafik_Fehler(), 1);
    std::string stamm = archiv.substr(archiv.find_last_of('/') + 1);
    stamm = stamm.substr(0, stamm.find('.'));
    std::vector<i32> liste = nummern;
    if (liste.empty())
        for (i32 e = 0; e < Resf_Anzahl(slot); ++e) liste.push_back(e);
    int geschrieben = 0;
    for (i32 e : liste) {
        i16 typ = 0;
        std::vector<u8> d;
        if (!Resf_Eintrag_Daten(slot, e, &typ, d)) {
            if (!nummern.empty()) std::fprintf(stderr, "resgen: Eintrag %d gibt es nicht\n", e);
            continue;
        }
        std::unique_ptr<Rastport> rp;
        if (typ == RESF_BILD || typ == RESF_SPRITE) {
            rp.reset(Resf_Lade_Rastport(slot, e));
        } else if (typ == RESF_FONT) {
            bytes::Leser l(d.data(), d.size());
            std::unique_ptr<Font> f(Font_Lesen(l, 16));
            if (f) rp = std::move(f->blatt);
        }
        if (!rp) continue;
        if (rp->sprite && !rp->bitmap) {
            std::unique_ptr<Rastport> bild(Rastport_Neu_Einfach(rp->breite, rp->hoehe, 16));
            Blt_Rle(*rp->sprite, bild.get(), 0, 0);
            rp = std::move(bild);
        }
        char name[64];
        std::snprintf(name, sizeof name, "%s_%04d.png", stamm.c_str(), e);
        if (!png_schreiben(ordner + "/" + name, rp.get())) fehler_ende(ordner + "/" + name + " nicht schreibbar");
        ++geschrieben;
    }
    std::printf("%d Bilder nach %s geschrieben\n", geschrieben, ordner.c_str());
    return 0;
}

// A contact sheet: entries von..bis of an archive side by side on the navy
// background, each scaled by an integer factor, for judging the art.
int bogen(const std::string& datei, const std::string& archiv, i32 von, i32 bis, i32 spalten, i32 skala) {
    const i32 slot = Resf_Oeffnen(archiv.c_str(), 0);
    if (slot < 0) fehler_ende(std::string("Archiv nicht lesbar: ") + Grafik_Fehler(), 1);
    std::vector<std::unique_ptr<Rastport>> bilder;
    i32 zw = 1, zh = 1;
    for (i32 e = von; e <= bis; ++e) {
        std::unique_ptr<Rastport> rp(Resf_Lade_Rastport(slot, e));
        if (!rp || !Rastport_Lock(rp.get())) continue;
        zw = std::max(zw, rp->breite * skala), zh = std::max(zh, rp->hoehe * skala);
        bilder.push_back(std::move(rp));
    }
    if (bilder.empty()) fehler_ende("keine Bilder in diesem Bereich");
    const i32 rand = 12, n = static_cast<i32>(bilder.size()), zeilen = (n + spalten - 1) / spalten;
    std::unique_ptr<Rastport> b(
        Rastport_Neu_Einfach(rand + std::min(n, spalten) * (zw + rand), rand + zeilen * (zh + rand), 16));
    if (!b) fehler_ende("Bogen zu groß");
    Blt_Rechteck(b.get(), 0, 0, -1, -1, Farbe_Pack_565(0x16, 0x26, 0x3D));
    for (i32 i = 0; i < n; ++i) {
        Rastport& q = *bilder[static_cast<size_t>(i)];
        const i32 x0 = rand + (i % spalten) * (zw + rand), y0 = rand + (i / spalten) * (zh + rand);
        for (i32 y = 0; y < q.hoehe * skala; ++y)
            for (i32 x = 0; x < q.breite * skala; ++x) {
                const size_t k = static_cast<size_t>(y / skala) * q.breite + x / skala;
                const u16 p = q.bitmap->pixel16()[k];
                u16& d = b->bitmap->pixel16()[static_cast<size_t>(y0 + y) * b->breite + x0 + x];
                const int a = q.alpha.empty() ? (p ? 255 : 0) : q.alpha[k];
                if (a) d = pixel::mischen<16>(d, p, a, 255 - a);
            }
    }
    return png_schreiben(datei, b.get()) ? 0 : 1;
}

// A sample of every font of a font archive, chalk on the panel colour.
int schriftprobe(const std::string& datei, const std::string& archiv) {
    const i32 slot = Resf_Oeffnen(archiv.c_str(), 0);
    if (slot < 0) fehler_ende(std::string("Archiv nicht lesbar: ") + Grafik_Fehler(), 1);
    std::vector<std::unique_ptr<Font>> fonts;
    i32 h = 10;
    for (i32 e = 0; e < Resf_Anzahl(slot); ++e) {
        i16 typ = 0;
        std::vector<u8> d;
        if (!Resf_Eintrag_Daten(slot, e, &typ, d) || typ != RESF_FONT) continue;
        bytes::Leser l(d.data(), d.size());
        fonts.emplace_back(Font_Lesen(l, 16));
        if (fonts.back()) h += fonts.back()->hoehe + 8;
    }
    std::unique_ptr<Rastport> b(Rastport_Neu_Einfach(800, h, 16));
    Blt_Rechteck(b.get(), 0, 0, -1, -1, Farbe_Pack_565(0x16, 0x26, 0x3D));
    i32 y = 6;
    // Windows-1252: "Zurücksetzen auf Vorgabewert", umlauts, signs.
    const char* probe =
        "^tl0040Zur\xFC"
        "cksetzen auf Vorgabewert \xC4\xD6\xDC \xE4\xF6\xFC \xDF \xE9\xE8\xE0\xE7\xF1 \xA7 12\xB0 m\xB2 \xAB"
        "1:0\xBB ^c62819Tabelle 1.";
    for (size_t i = 0; i < fonts.size(); ++i) {
        if (!fonts[i]) continue;
        y += fonts[i]->hoehe + 8;
        fonts[i]->farbe = Farbe_Pack_565(0xA9, 0xB4, 0xC2);
        Font_Printf(b.get(), fonts[i].get(), "%zu", 8, y - 4, i);
        fonts[i]->farbe = Farbe_Pack_565(0xF2, 0xF4, 0xF0);
        Font_Markup_Ausgabe(b.get(), fonts[i].get(), fonts[i]->farbe, probe, 8, y - 4, 0);
    }
    return png_schreiben(datei, b.get()) ? 0 : 1;
}

// The header of the named rows: a picture row's name is its graphic number
// ((archive + 1) x 4000 + entry, archives counted in ARCHIV order), any other
// row's name its entry number; a range adds NAME_ANZAHL. Written only when
// its text changed, so that an unchanged manifest rebuilds nothing.
int kopf_schreiben(const std::string& datei, const std::string& manifest_datei) {
    const Manifest m = manifest_lesen(manifest_datei);
    std::map<std::string, i32> archiv_nummer;
    for (const std::string& a : m.reihenfolge)
        if (!m.container.count(a)) archiv_nummer.emplace(a, static_cast<i32>(archiv_nummer.size()));
    std::ostringstream t;
    t << "// Generated by resgen --kopf from data/art/manifest.txt: the named rows. Do not edit.\n"
         "#pragma once\n\n";
    std::set<std::string> namen;
    for (const Zeile& z : m.zeilen) {
        if (z.name.empty()) continue;
        if (!namen.insert(z.name).second) {
            std::fprintf(stderr, "resgen: %s:%d: Name %s steht zweimal\n", manifest_datei.c_str(), z.nummer,
                         z.name.c_str());
            return 1;
        }
        const auto a = archiv_nummer.find(z.archiv);
        const i32 wert = z.art == "bild" && a != archiv_nummer.end() ? (a->second + 1) * 4000 + z.von : z.von;
        t << "constexpr int " << z.name << " = " << wert << ";  // " << z.archiv << " " << z.von << "\n";
        if (z.bis > z.von) t << "constexpr int " << z.name << "_ANZAHL = " << z.bis - z.von + 1 << ";\n";
    }
    std::ifstream alt(datei, std::ios::binary);
    std::ostringstream vorher;
    vorher << alt.rdbuf();
    if (alt && vorher.str() == t.str()) return 0;
    std::ofstream aus(datei, std::ios::binary | std::ios::trunc);
    aus << t.str();
    return aus.good() ? 0 : 1;
}

// Lists the picture rows whose art is not made yet (recipe "offen"), one
// line each, and their count.
int offen_auflisten(const std::string& manifest_datei) {
    const Manifest m = manifest_lesen(manifest_datei);
    int bilder = 0;
    for (const Zeile& z : m.zeilen) {
        if (z.rezept.rfind("offen", 0) != 0) continue;
        const std::vector<std::string> arg = resgen::Argumente(z.rezept);
        const int basis = arg.empty() ? 0 : std::atoi(arg[0].c_str());
        if (z.bis > z.von) std::printf("%s %d-%d (%d-%d) %dx%d\n", z.archiv.c_str(), z.von, z.bis, basis + z.von,
                                       basis + z.bis, z.w, z.h);
        else std::printf("%s %d (%d) %dx%d\n", z.archiv.c_str(), z.von, basis + z.von, z.w, z.h);
        bilder += z.bis - z.von + 1;
    }
    std::printf("%d Bilder ohne fertige Grafik\n", bilder);
    return 0;
}

void gebrauch(int code = 2) {
    std::fprintf(code ? stderr : stdout,
                 "Aufruf: resgen --out ORDNER [--manifest DATEI] [--art ORDNER] [--teams DATEI]\n"
                 "        resgen --png ORDNER ARCHIV [EINTRAG ...]\n"
                 "        resgen --bogen DATEI.png ARCHIV VON BIS [SPALTEN SKALA]\n"
                 "        resgen --schriften DATEI.png FONTARCHIV\n"
                 "        resgen --kopf DATEI.h [MANIFEST]\n"
                 "        resgen --offen [MANIFEST]\n");
    std::exit(code);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() >= 3 && a[0] == "--png") {
        std::vector<i32> nummern;
        for (size_t i = 3; i < a.size(); ++i) {
            char* ende = nullptr;
            const long n = std::strtol(a[i].c_str(), &ende, 10);
            if (*ende || n < 0 || n > 65535) gebrauch();
            nummern.push_back(static_cast<i32>(n));
        }
        return png_ausgeben(a[1], a[2], nummern);
    }
    if (a.size() == 3 && a[0] == "--schriften") return schriftprobe(a[1], a[2]);
    if ((a.size() == 2 || a.size() == 3) && a[0] == "--kopf") {
        std::string manifest = a.size() == 3 ? a[2] : "";
#ifdef KORDAVO_QUELLE
        if (manifest.empty()) manifest = std::string(KORDAVO_QUELLE) + "/data/art/manifest.txt";
#endif
        if (manifest.empty()) gebrauch();
        return kopf_schreiben(a[1], manifest);
    }
    if ((a.size() == 1 || a.size() == 2) && a[0] == "--offen") {
        std::string manifest = a.size() == 2 ? a[1] : "";
#ifdef KORDAVO_QUELLE
        if (manifest.empty()) manifest = std::string(KORDAVO_QUELLE) + "/data/art/manifest.txt";
#endif
        if (manifest.empty()) gebrauch();
        return offen_auflisten(manifest);
    }
    if (!a.empty() && (a[0] == "-h" || a[0] == "--help")) gebrauch(0);
    if ((a.size() == 5 || a.size() == 7) && a[0] == "--bogen") {
        int z[4] = {0, 0, 8, 1};
        for (size_t i = 3; i < a.size(); ++i) {
            char* ende = nullptr;
            const long n = std::strtol(a[i].c_str(), &ende, 10);
            if (*ende || n < 0 || n > 4000) gebrauch();
            z[i - 3] = static_cast<int>(n);
        }
        if (z[1] < z[0] || z[2] < 1 || z[3] < 1 || z[3] > 8) gebrauch();
        return bogen(a[1], a[2], z[0], z[1], z[2], z[3]);
    }
    std::string aus, manifest, art, teams;
    for (size_t i = 0; i < a.size(); ++i) {
        if (i + 1 >= a.size()) gebrauch();
        if (a[i] == "--out") aus = a[++i];
        else if (a[i] == "--manifest") manifest = a[++i];
        else if (a[i] == "--art") art = a[++i];
        else if (a[i] == "--teams") teams = a[++i];
        else gebrauch();
    }
    if (aus.empty()) gebrauch();
#ifdef KORDAVO_QUELLE
    if (art.empty()) art = std::string(KORDAVO_QUELLE) + "/data/art";
    if (teams.empty()) teams = std::string(KORDAVO_QUELLE) + "/data/config/1_team.cfg";
#endif
    if (manifest.empty()) manifest = art + "/manifest.txt";
    return erzeugen(aus, manifest, art, teams);
}
