// The live view's stadium: the home club's ground as the club has built it.
// A match's pitch record takes its stand levels and pitch look from the home
// club's stadium record; the view lays the stand pictures of those levels
// over the pitch picture at their boxes; building at the stadium changes
// what the next match shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/png.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "kaputtes_archiv.h"
#include "kit.h"
#include "match/match_test.h"
#include "screens/live_view/boden.h"
#include "screens/live_view/projektion.h"
#include "screens/live_view/spielansicht.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "world/bank.h"
#include "world/stadion.h"
#include "world/stadion_bau.h"
#include "world/welt.h"

namespace {

constexpr int ARCHIV_RASEN = 13, ARCHIV_LICHT = 14, ARCHIV_TRIBUENEN = 15, ARCHIV_SPRITES = 17;

class LiveTribuenen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Partie_Spiele_Leeren();
        alte_hooks = Spielfeld_Get_Hooks();
        Spielfeld_Set_Hooks(Partie_Hooks());
        heim = static_cast<u32>(Team_Aktiv);
        const std::vector<u32> liga = Liga_Vereine(groesste_erste_liga());
        for (u32 t : liga)
            if (t != heim) {
                gast = t;
                break;
            }
        view = std::make_unique<Spielansicht_View>();
    }
    void TearDown() override {
        Spielansicht_View_Leeren(view.get());
        Abpfiff();
        Spielfeld_Set_Hooks(alte_hooks);
        kit::Beenden();
    }
    Stadion_Daten& stadion() { return *Stadion_Get(static_cast<int>(heim), 1); }
    void Abpfiff() {
        if (Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel)) Spielfeld_Loeschen(sf->wettbewerb);
    }
    // A new home match of the club (the one before it gone).
    Spielfeld_Daten* Anpfiff() {
        Abpfiff();
        ++spiel;
        Partie_Spiel_Anmelden(spiel, heim, gast, 7);
        if (!Spielfeld_Neu(spiel, 0, 0, 8000, heim, 1)) return nullptr;
        return Spielfeld_Zeiger(spiel);
    }
    // Builds the view's picture for the pitch at a layout.
    bool Bauen(Spielfeld_Daten* sf, u32 layout) {
        Spielansicht_View_Leeren(view.get());
        view->pitch = sf;
        view->layout = layout;
        return Spielansicht_Bild_Neu(view.get());
    }

    u32 heim = 0, gast = 0, spiel = 9300;
    std::unique_ptr<Spielansicht_View> view;
    Spielfeld_Hooks alte_hooks;
};

// A picture keyed on colour 0 laid onto another at (x, y) of the full
// scale (every other row and column at half scale).
void auflegen(Rastport& bild, const Rastport& t, i32 x0, i32 y0, bool halb) {
    u16* z = bild.bitmap->pixel16();
    const u16* q = t.bitmap->pixel16();
    for (i32 y = 0; y < t.hoehe; y += halb ? 2 : 1)
        for (i32 x = halb ? 1 : 0; x < t.breite; x += halb ? 2 : 1) {
            const u16 p = q[static_cast<size_t>(y) * t.breite + x];
            const i32 zx = halb ? x0 / 2 + x / 2 : x0 + x, zy = halb ? y0 / 2 + y / 2 : y0 + y;
            if (p && zx < bild.breite && zy < bild.hoehe) z[static_cast<size_t>(zy) * bild.breite + zx] = p;
        }
}

// The pitch picture a view of this kind and layout must show, composed from
// the archives: the plain pitch, the light over its grass blended by its
// alpha (mirrored with the pitch), each side's stand picture where it is
// not colour 0, and the players' tunnel over them.
Rastport_Bild Erwartet(const Spielfeld_Daten& sf, u32 layout, bool gespiegelt = false,
                                   bool mit_licht = true) {
    const bool halb = layout != SA_VOLL;
    Rastport_Bild bild(
        Resf_Lade_Rastport(Resf_Spiel_Slot(ARCHIV_RASEN), Spielansicht_Bild_Nummer(sf.bild_art, layout)));
    if (!bild || !Rastport_Lock(bild.get())) return nullptr;
    u16* z = bild->bitmap->pixel16();
    if (mit_licht) {
        Rastport_Bild l(
            Resf_Lade_Rastport(Resf_Spiel_Slot(ARCHIV_LICHT), spielansicht::Rasen_Licht_Nummer(sf.bild_art, halb)));
        if (!l || !Rastport_Lock(l.get()) || l->breite != bild->breite || l->alpha.empty()) return nullptr;
        for (i32 y = 0; y < bild->hoehe; ++y)
            for (i32 x = 0; x < bild->breite; ++x) {
                const size_t i = static_cast<size_t>(y) * bild->breite + (gespiegelt ? bild->breite - 1 - x : x);
                const int a = l->alpha[i];
                u16& d = z[static_cast<size_t>(y) * bild->breite + x];
                if (a) d = std::max<u16>(1, pixel::mischen<16>(d, l->bitmap->pixel16()[i], a, 255 - a));
            }
    }
    for (int s = 0; s < spielansicht::TRIBUENE_SEITEN; ++s) {
        const int i = gespiegelt ? (s < 3 ? 2 - s : 8 - s) : s;  // the side whose byte is taken
        const i32 nummer = spielansicht::Tribuene_Bild(s, SF_Tribuene_Stufe(sf.tribuene[i]));
        if (nummer < 0) continue;
        Rastport_Bild t(Resf_Lade_Rastport(Resf_Spiel_Slot(ARCHIV_TRIBUENEN), nummer));
        if (!t || !Rastport_Lock(t.get())) return nullptr;
        const spielansicht::Kasten k = spielansicht::Tribuene_Kasten(s);
        auflegen(*bild, *t, k.x, k.y, halb);
    }
    Rastport_Bild tunnel(Resf_Lade_Rastport(Resf_Spiel_Slot(ARCHIV_SPRITES), 145));
    if (!tunnel || !Rastport_Lock(tunnel.get())) return nullptr;
    auflegen(*bild, *tunnel, spielansicht::TUNNEL_X, spielansicht::TUNNEL_Y, halb);
    return bild;
}

// Pixels of the view's picture that differ from the composition, over a grid.
int Abweichungen(const Rastport& ist, const Rastport& soll) {
    int n = 0;
    for (i32 y = 0; y < ist.hoehe; y += 3)
        for (i32 x = 0; x < ist.breite; x += 7) {
            const size_t i = static_cast<size_t>(y) * ist.breite + x;
            n += ist.bitmap->pixel16()[i] != soll.bitmap->pixel16()[i];
        }
    return n;
}

// Where the far side's terraces stand (row 2, 30 m along, left of the
// players' tunnel) and where its back rows would be: the point's pixel of
// the full-scale picture.
spielansicht::Punkt Laengs(double reihe) {
    const spielansicht::Tribuene& t = spielansicht::TRIBUENE[1];
    return spielansicht::Tribuene_Punkt(spielansicht::VOLL, t, 30, t.d0 + t.dd * (reihe + 0.5),
                                        spielansicht::REIHE_HOCH_M * reihe + 0.46);
}

struct Fall {
    i32 klasse, kapazitaet;
    std::array<int, 6> stufen;  // left end, far side, right end, above them
    u8 bild_art;
};
constexpr Fall FAELLE[] = {
    {0, 2000, {0, 1, 0, 0, 1, -1}, 0},    // grass banks, the clubhouse, floodlights on the far side
    {0, 8000, {1, 1, 1, 1, 1, -1}, 0},     // the upper half builds steps at the ends
    {1, 6000, {1, 1, 1, 1, 1, -1}, 1},
    {2, 14000, {1, 2, 1, 1, 2, -1}, 2},
    {2, 30000, {2, 2, 2, 2, 2, -1}, 2},
    {3, 26000, {2, 3, 2, 2, 3, -1}, 3},
    {4, 40000, {3, 4, 3, 3, 4, -1}, 4},
    {5, 62000, {4, 4, 4, 4, 4, -1}, 5},
    {5, 110000, {4, 4, 4, 4, 4, -1}, 6},  // the biggest bowl: the arena's pitch
};

TEST_F(LiveTribuenen, EveryClassShowsItsStandsAtTheirPlaces) {
    for (const Fall& f : FAELLE) {
        SCOPED_TRACE("Klasse " + std::to_string(f.klasse) + ", " + std::to_string(f.kapazitaet) + " Plätze");
        stadion().klasse = f.klasse;
        stadion().kapazitaet = f.kapazitaet;
        Spielfeld_Daten* sf = Anpfiff();
        ASSERT_NE(sf, nullptr);
        EXPECT_EQ(sf->bild_art, f.bild_art);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(SF_Tribuene_Stufe(sf->tribuene[i]), f.stufen[i]) << "Seite " << i;
        // The composition is compared for the smallest, a middle and the
        // biggest ground, at both scales; the levels for every case.
        const bool vergleichen = f.kapazitaet == 2000 || f.kapazitaet == 26000 || f.kapazitaet == 110000;
        for (u32 layout : {SA_VOLL, SA_HALB}) {
            ASSERT_TRUE(Bauen(sf, layout));
            for (int i = 0; i < 6; ++i)
                EXPECT_EQ(view->stand_level[i], static_cast<u32>(std::max(0, f.stufen[i]))) << "Seite " << i;
            if (!vergleichen) continue;
            Rastport_Bild soll = Erwartet(*sf, layout);
            ASSERT_TRUE(soll);
            EXPECT_EQ(Abweichungen(*view->bild, *soll), 0) << "Layout " << layout;
        }
        // At full scale the far side's second row is stand, not bowl.
        Rastport_Bild leer(Resf_Lade_Rastport(Resf_Spiel_Slot(ARCHIV_RASEN), 2 * f.bild_art));
        ASSERT_TRUE(Bauen(sf, SA_VOLL));
        ASSERT_TRUE(leer && Rastport_Lock(leer.get()));
        const spielansicht::Punkt p2 = Laengs(2);
        const size_t i2 = static_cast<size_t>(p2.y) * 3610 + p2.x;
        EXPECT_NE(view->bild->bitmap->pixel16()[i2], leer->bitmap->pixel16()[i2]);
        if (f.kapazitaet == 2000 || f.kapazitaet == 8000 || f.kapazitaet == 14000 || f.kapazitaet == 26000 ||
            f.kapazitaet == 40000 || f.kapazitaet == 110000) {
            // The pitch picture at half scale for the gallery.
            const std::string name = "live_stadion_klasse_" + std::to_string(f.klasse) + "_" +
                                     std::to_string(f.kapazitaet / 1000) + "k";
            ASSERT_TRUE(Bauen(sf, SA_HALB));
            const char* b = std::getenv("KORDAVO_BINARY_DIR");
            const std::string ordner = std::string(b ? b : ".") + "/screens";
            std::error_code ec;
            std::filesystem::create_directories(ordner, ec);
            Png_Schreiben(ordner + "/" + name + ".png", view->bild->bitmap->pixel16(),
                          view->bild->breite, view->bild->hoehe, view->bild->breite, 16);
        }
    }
}

TEST_F(LiveTribuenen, BuildingTheNextClassChangesTheNextMatch) {
    stadion().klasse = 1;
    stadion().kapazitaet = 6000;
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_NE(sf, nullptr);
    ASSERT_TRUE(Bauen(sf, SA_VOLL));
    const u16 vorher = view->bild->bitmap->pixel16()[static_cast<size_t>(Laengs(6).y) * 3610 + Laengs(6).x];
    Bank_Buchen(-1, static_cast<int>(heim), 50000000.0f, BANK_EINNAHME, 1, BANK_EURO);
    ASSERT_EQ(Stadion_Klasse_Bauen(static_cast<int>(heim)), Stadion_Bau::GEBUCHT);
    // The running match keeps its ground; the next one is built bigger.
    EXPECT_EQ(SF_Tribuene_Stufe(sf->tribuene[1]), 1);
    sf = Anpfiff();
    ASSERT_NE(sf, nullptr);
    EXPECT_EQ(sf->bild_art, 2);
    EXPECT_EQ(SF_Tribuene_Stufe(sf->tribuene[1]), 2);
    EXPECT_EQ(SF_Tribuene_Stufe(sf->tribuene[4]), 2) << "the far side gets its roof";
    ASSERT_TRUE(Bauen(sf, SA_VOLL));
    EXPECT_NE(view->bild->bitmap->pixel16()[static_cast<size_t>(Laengs(6).y) * 3610 + Laengs(6).x], vorher)
        << "row 6 of the far side is seated now";
    Rastport_Bild soll = Erwartet(*sf, SA_VOLL);
    ASSERT_TRUE(soll);
    EXPECT_EQ(Abweichungen(*view->bild, *soll), 0);
}

TEST_F(LiveTribuenen, MirroredPitchTakesTheOtherEndsBytes) {
    stadion().klasse = 2;
    stadion().kapazitaet = 14000;
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_NE(sf, nullptr);
    sf->tribuene[0] = SF_Tribuene_Byte(4);
    sf->tribuene[2] = SF_Tribuene_Byte(0);
    Spielansicht_View_Leeren(view.get());
    view->pitch = sf;
    view->gespiegelt = 1;
    ASSERT_TRUE(Spielansicht_Bild_Neu(view.get()));
    // Side 0 is drawn with the right end's byte and the level is stored for it.
    EXPECT_EQ(view->stand_level[2], 0u);
    EXPECT_EQ(view->stand_level[0], 4u);
}

// The light over the grass by stadium kind (mirrored with the pitch) and the
// players' tunnel over the far stand, at both scales; the light changes the
// grass, the tunnel stands in the gap of the far boards; a damaged light
// picture is left out and the pitch is still built.
TEST_F(LiveTribuenen, TheGrassLightAndThePlayersTunnel) {
    stadion().klasse = 3;
    stadion().kapazitaet = 26000;
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_NE(sf, nullptr);
    const struct Fall {
        u8 bild_art;
        u32 layout;
        bool gespiegelt;
    } faelle[] = {{0, SA_VOLL, false}, {3, SA_HALB, false}, {6, SA_VOLL, true}, {4, SA_VIERTEL, true}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE("Art " + std::to_string(f.bild_art) + ", Layout " + std::to_string(f.layout));
        sf->bild_art = f.bild_art;
        Spielansicht_View_Leeren(view.get());
        view->pitch = sf, view->layout = f.layout, view->gespiegelt = f.gespiegelt;
        ASSERT_TRUE(Spielansicht_Bild_Neu(view.get()));
        Rastport_Bild soll = Erwartet(*sf, f.layout, f.gespiegelt);
        ASSERT_TRUE(soll);
        EXPECT_EQ(Abweichungen(*view->bild, *soll), 0);
        Rastport_Bild ohne = Erwartet(*sf, f.layout, f.gespiegelt, false);
        ASSERT_TRUE(ohne);
        EXPECT_GT(Abweichungen(*view->bild, *ohne), 1000) << "the light changes the grass";
    }
    // The tunnel's mouth (the telescopic tunnel's dark front at the touchline)
    // sits in the gap between far boards 12 and 13.
    const spielansicht::Punkt mund =
        spielansicht::Projektion(spielansicht::VOLL, false, spielansicht::TUNNEL_MITTE_M * 100, -160, 100);
    EXPECT_GT(mund.x, 2267 + 124);
    EXPECT_LT(mund.x, 2630);
    view->gespiegelt = 0, view->layout = SA_VOLL;
    ASSERT_TRUE(Spielansicht_Bild_Neu(view.get()));
    const u16 dunkel = view->bild->bitmap->pixel16()[static_cast<size_t>(mund.y) * 3610 + mund.x];
    u8 r, g, b;
    Farbe_Get_RGB(dunkel, 16, &r, &g, &b);
    EXPECT_LT(r + g + b, 120) << "the tunnel's dark mouth";
    // A damaged light picture: left out.
    Kaputtes_Archiv k;
    k.slot = ARCHIV_LICHT;
    ASSERT_TRUE(k.anlegen(spielansicht::Rasen_Licht_Nummer(sf->bild_art, false), [](u32& typ, u8*, u32) { typ = 99; }));
    const bool gebaut = Bauen(sf, SA_VOLL);
    k.zurueck();
    ASSERT_TRUE(gebaut);
    Rastport_Bild ohne = Erwartet(*sf, SA_VOLL, false, false);
    ASSERT_TRUE(ohne);
    EXPECT_EQ(Abweichungen(*view->bild, *ohne), 0);
}

// Bytes outside the levels' range and a damaged stand archive never break
// the view: an unknown byte is read by its low three bits, a missing stand
// picture is left out.
TEST_F(LiveTribuenen, OddBytesAndAMissingStandArchive) {
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_NE(sf, nullptr);
    struct {
        i8 byte;
        int stufe;
    } const BYTES[] = {{-1, 0}, {0, -1}, {2, 1}, {7, 0}, {-128, -1}, {127, 0}, {-3, 3}};
    for (const auto& b : BYTES) EXPECT_EQ(SF_Tribuene_Stufe(b.byte), b.stufe) << static_cast<int>(b.byte);
    for (int s = 0; s < 5; ++s) EXPECT_EQ(SF_Tribuene_Stufe(SF_Tribuene_Byte(s)), s);
    EXPECT_EQ(SF_Tribuene_Stufe(SF_Tribuene_Byte(-1)), -1);
    for (int i = 0; i < 6; ++i) sf->tribuene[i] = static_cast<i8>(-100 + 37 * i);
    ASSERT_TRUE(Bauen(sf, SA_VIERTEL));
    // A damaged far-side picture is left out: the pitch is still built, the
    // far side bare, the other stands in place.
    for (int i = 0; i < 6; ++i) sf->tribuene[i] = SF_Tribuene_Byte(3);
    Kaputtes_Archiv k;
    k.slot = ARCHIV_TRIBUENEN;
    ASSERT_TRUE(k.anlegen(spielansicht::Tribuene_Bild(1, 3), [](u32& typ, u8*, u32) { typ = 99; }));
    const bool gebaut = Bauen(sf, SA_VOLL);
    auto ohne = std::make_unique<Spielfeld_Daten>(*sf);
    ohne->tribuene[1] = SF_Tribuene_Byte(-1);
    k.zurueck();
    ASSERT_TRUE(gebaut);
    Rastport_Bild soll = Erwartet(*ohne, SA_VOLL);
    ASSERT_TRUE(soll);
    EXPECT_EQ(Abweichungen(*view->bild, *soll), 0);
}

}  // namespace

namespace {

// The ground pictures a view of this pitch is built from and the live view
// keeps while it runs: each stand picture its levels show and the tunnel
// (the lit grass goes to the ground built from it).
size_t boden_bilder(const Spielfeld_Daten& sf) {
    std::vector<i32> tribuenen;
    for (int seite = 0; seite < spielansicht::TRIBUENE_SEITEN; ++seite)
        if (const i32 n = spielansicht::Tribuene_Bild(seite, SF_Tribuene_Stufe(sf.tribuene[seite]));
            n >= 0 && std::find(tribuenen.begin(), tribuenen.end(), n) == tribuenen.end())
            tribuenen.push_back(n);
    return tribuenen.size() + 1;
}

// Waits until the graphics workers have nothing left to hand over.
void workers_leer() {
    for (int i = 0; i < 5000 && Resf_Vorab_Anzahl() > 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace

// Whether two pictures hold the same pixels, every one of them.
bool gleiche_pixel(const Rastport& a, const Rastport& b) {
    if (a.breite != b.breite || a.hoehe != b.hoehe || !a.bitmap || !b.bitmap || a.tiefe() != b.tiefe()) return false;
    const size_t n = static_cast<size_t>(a.breite) * a.hoehe;
    return std::equal(a.bitmap->pixel16(), a.bitmap->pixel16() + n, b.bitmap->pixel16());
}

// A ground built in the frame (the pictures it is built from are kept while
// the live view runs: its stands and the tunnel, and nothing else, neither
// the grass light, the largest of them, nor the lit grass). The end of the
// live view lets them go and keeps the built ground for the next kick-off;
// built anew, it is built from freshly unpacked pictures.
TEST_F(LiveTribuenen, GroundPicturesAreKeptOnlyWhileTheLiveViewRuns) {
    stadion().klasse = 2;
    stadion().kapazitaet = 14000;
    Spielansicht_Vorrat_Freigeben();
    ASSERT_EQ(Spielansicht_Vorrat_Anzahl(), 0u);
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_TRUE(sf);
    const Rastport_Bild frisch = Erwartet(*sf, SA_VOLL);
    ASSERT_TRUE(frisch);
    for (int kickoff = 0; kickoff < 2; ++kickoff) {
        SCOPED_TRACE(kickoff);
        ASSERT_TRUE(Bauen(sf, SA_VOLL));
        EXPECT_EQ(Abweichungen(*view->bild, *frisch), 0);
        EXPECT_EQ(Spielansicht_Vorrat_Anzahl(), boden_bilder(*sf));
        EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), 1u);
        ASSERT_TRUE(Bauen(sf, SA_VOLL));  // a second view on it takes what is kept
        EXPECT_EQ(Spielansicht_Vorrat_Anzahl(), boden_bilder(*sf));
        Spielansicht_View_Leeren(view.get());
        Spielansicht_Free();  // the matchday's live view ends
        EXPECT_EQ(Spielansicht_Vorrat_Anzahl(), 0u);
        EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), 1u) << "the built ground stays";
        // The next kick-off on it takes it, nothing unpacked.
        ASSERT_TRUE(Bauen(sf, SA_VOLL));
        EXPECT_EQ(Spielansicht_Vorrat_Anzahl(), 0u);
        EXPECT_EQ(Abweichungen(*view->bild, *frisch), 0);
        Spielansicht_View_Leeren(view.get());
        Spielansicht_Gebaute_Freigeben();  // built anew in the next round
    }
    Spielansicht_Vorrat_Freigeben();
}

// A live start has the ground of its view built on a worker thread (a
// single view shows the full scale only), nothing unpacked for the frame;
// the view built in the next frame takes it, and it holds every pixel the
// frame would have built, stands and tunnel included.
TEST_F(LiveTribuenen, AStartHasTheGroundBuiltOnAWorker) {
    stadion().klasse = 2;
    stadion().kapazitaet = 14000;
    Spielansicht_Vorrat_Freigeben();
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_TRUE(sf);
    Spielfeld_Daten* liste[1] = {sf};
    workers_leer();
    const size_t vorher = Resf_Vorab_Anzahl();
    Spielansicht_Run(liste, 1, nullptr, 0);
    ASSERT_EQ(Spielansicht_Laufzustand(), 1u);
    EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), 1u) << "the ground is at a worker";
    EXPECT_EQ(Resf_Vorab_Anzahl(), vorher) << "nothing is unpacked for the frame";
    Spielansicht_Run(liste, 1, nullptr, 0);
    EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), 0u) << "the view took it";
    EXPECT_EQ(Spielansicht_Vorrat_Anzahl(), 0u) << "no stand is kept for it";
    EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), 1u);
    const Spielansicht_View& v = Spielansicht_Views()[0];
    ASSERT_TRUE(v.present && v.bild);
    ASSERT_EQ(v.layout, static_cast<u32>(SA_VOLL));
    const Rastport_Bild soll = Erwartet(*sf, v.layout, v.gespiegelt != 0);
    ASSERT_TRUE(soll);
    EXPECT_EQ(Abweichungen(*v.bild, *soll), 0);
    Spielansicht_Gebaute_Freigeben();
    ASSERT_TRUE(Bauen(sf, SA_VOLL));  // the same ground built in the frame
    EXPECT_NE(view->bild, v.bild);
    EXPECT_TRUE(gleiche_pixel(*v.bild, *view->bild));
    const std::shared_ptr<Rastport> soll_ganz = view->bild;
    Spielansicht_View_Leeren(view.get());
    Spielansicht_Free();
    EXPECT_EQ(Spielansicht_Vorrat_Anzahl(), 0u);
    EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), 1u) << "kept for the next kick-off";
    // The next kick-off on the same ground takes the kept one: nothing is built.
    Spielansicht_Run(liste, 1, nullptr, 0);
    EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), 0u);
    Spielansicht_Run(liste, 1, nullptr, 0);
    ASSERT_TRUE(v.present && v.bild);
    EXPECT_TRUE(gleiche_pixel(*v.bild, *soll_ganz));
    Spielansicht_Free();
    // A kick-off on other grounds has its own built and keeps the one
    // before for a later matchday (a club's home ground comes back).
    Spielansicht_View_Leeren(view.get());
    Spielfeld_Daten kopie = *sf;
    kopie.bild_art = static_cast<u8>((sf->bild_art + 1) % 7);
    Spielfeld_Daten* anders[1] = {&kopie};
    Spielansicht_Run(anders, 1, nullptr, 0);
    // Two full-scale grounds hold more than the kept grounds may: the one
    // before goes, and goes at the start, not beside the new one's build.
    EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), 0u) << "let go before the new one is built";
    EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), 1u);
    Spielansicht_Run(anders, 1, nullptr, 0);
    ASSERT_TRUE(v.present && v.bild);
    EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), 1u);
    EXPECT_NE(v.bild, soll_ganz);
    Spielansicht_Free();
    Spielansicht_Vorrat_Freigeben();
}

// Two matches shown: each view's ground is built on a worker at the half
// scale it starts with; the full scale is built ahead too when one match
// may go on alone (extra time, a shoot-out, a golden goal, another point of
// play), so that the view left alone goes full from a ground built ahead.
// Matches that end together have it built only should one be left alone
// after all, in the frame. Every ground holds the pixels the frame builds.
TEST_F(LiveTribuenen, TwoViewsHaveTheFullScaleBuiltAheadWhenOneMayGoOnAlone) {
    stadion().klasse = 2;
    stadion().kapazitaet = 14000;
    const struct Fall {
        const char* was;
        u32 modus_dazu;     // flags set on the competition
        i16 minute_zweites;  // the second match's minute
        bool voll_vorab;
    } faelle[] = {
        {"a league matchday", 0, 0, false},
        {"extra time", WB_VERLAENGERUNG, 0, true},
        {"a shoot-out", WB_ELFMETERSCHIESSEN, 0, true},
        {"knock-out", WB_KO_SYSTEM, 0, true},
        {"golden goal", WB_SUDDEN_DEATH, 0, true},
        {"another minute", 0, 3, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Spielansicht_Vorrat_Freigeben();
        Spielfeld_Daten* sf = Anpfiff();
        ASSERT_TRUE(sf);
        const u32 wettbewerb = sf->wettbewerb;
        // Both matches in the home club's league.
        const i32 liga = Wettbewerb_Get_Liga_Von_Team(static_cast<i32>(heim), true);
        Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
        ASSERT_TRUE(w);
        sf->wettbewerb = static_cast<u32>(liga);
        const u32 modus = w->modus;
        w->modus = (modus & ~(WB_VERLAENGERUNG | WB_ELFMETERSCHIESSEN | WB_KO_SYSTEM | WB_SUDDEN_DEATH)) | f.modus_dazu;
        // A second match on another ground: the away side at home.
        const u32 zweites = spiel + 1000;
        Partie_Spiel_Anmelden(zweites, gast, heim, wettbewerb);
        ASSERT_TRUE(Spielfeld_Neu(zweites, 0, 0, 8000, gast, 1));
        Spielfeld_Daten* sf2 = Spielfeld_Zeiger(zweites);
        ASSERT_TRUE(sf2);
        sf2->wettbewerb = static_cast<u32>(liga);
        sf2->minute = static_cast<i16>(sf->minute + f.minute_zweites);
        bool gleich = sf->bild_art == sf2->bild_art;
        for (int i = 0; i < 6; ++i)
            gleich = gleich && SF_Tribuene_Stufe(sf->tribuene[i]) == SF_Tribuene_Stufe(sf2->tribuene[i]);
        const size_t grounds = gleich ? 1 : 2;
        // A ground of another pitch kept from a matchday before: it stays
        // beside two half-scale grounds, but not beside a full scale built
        // ahead (taken, it leaves room for no other).
        Spielfeld_Daten dritter = *sf;
        for (u8 art = 0; art < 7 && (dritter.bild_art == sf->bild_art || dritter.bild_art == sf2->bild_art); ++art)
            dritter.bild_art = art;
        ASSERT_TRUE(Bauen(&dritter, SA_HALB));
        Spielansicht_View_Leeren(view.get());
        ASSERT_EQ(Spielansicht_Gebaute_Anzahl(), 1u);
        Spielfeld_Daten* liste[2] = {sf, sf2};
        Spielansicht_Run(liste, 2, nullptr, 0);
        ASSERT_EQ(Spielansicht_Laufzustand(), 1u);
        EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), f.voll_vorab ? 0u : 1u) << "the kept ground of another pitch";
        EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), (f.voll_vorab ? 2 : 1) * grounds) << "the half scale of each ground";
        Spielansicht_Run(liste, 2, nullptr, 0);
        EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), f.voll_vorab ? grounds : 0) << "the full scale waits for its turn";
        const Spielansicht_View& v = Spielansicht_Views()[0];
        ASSERT_TRUE(v.present && v.bild);
        ASSERT_EQ(v.layout, static_cast<u32>(SA_HALB));
        Rastport_Bild soll = Erwartet(*sf, v.layout, v.gespiegelt != 0);
        ASSERT_TRUE(soll);
        EXPECT_EQ(Abweichungen(*v.bild, *soll), 0);
        const std::shared_ptr<Rastport> halb = v.bild;
        // The second match ends: the first view goes full.
        Spielansicht_Run(liste, 1, nullptr, 0);
        ASSERT_TRUE(v.present && v.bild);
        EXPECT_EQ(v.layout, static_cast<u32>(SA_VOLL));
        EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), f.voll_vorab ? grounds - 1 : 0)
            << "the full scale was taken from the worker";
        soll = Erwartet(*sf, SA_VOLL, v.gespiegelt != 0);
        ASSERT_TRUE(soll);
        EXPECT_EQ(Abweichungen(*v.bild, *soll), 0);
        // Both scales as the frame builds them.
        Spielansicht_Gebaute_Freigeben();
        for (const auto& [layout, bild] :
             {std::pair{static_cast<u32>(SA_HALB), halb}, std::pair{static_cast<u32>(SA_VOLL), v.bild}}) {
            SCOPED_TRACE(layout);
            ASSERT_TRUE(Bauen(sf, layout));
            EXPECT_NE(view->bild, bild);
            EXPECT_TRUE(gleiche_pixel(*bild, *view->bild));
        }
        Spielansicht_View_Leeren(view.get());
        Spielansicht_Free();
        EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), 0u);
        EXPECT_EQ(Spielansicht_Vorrat_Anzahl(), 0u);
        w->modus = modus;
        sf->wettbewerb = sf2->wettbewerb = wettbewerb;
        Spielfeld_Loeschen(wettbewerb);
        Spielansicht_Vorrat_Freigeben();
    }
}

// Which matches end in the same frame: those of competitions that end play
// at a fixed minute, with halves alike, at the same point of play.
TEST_F(LiveTribuenen, MatchesEndTogetherOnlyWhenNothingCanKeepOneGoing) {
    Spielfeld_Daten* angepfiffen = Anpfiff();
    ASSERT_TRUE(angepfiffen);
    // A match of the home club's league.
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(static_cast<i32>(heim), true);
    Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
    ASSERT_TRUE(w);
    const auto erstes = std::make_unique<Spielfeld_Daten>(*angepfiffen);
    erstes->wettbewerb = static_cast<u32>(liga);
    const Spielfeld_Daten* sf = erstes.get();
    const Wettbewerb alt = *w;
    w->modus &= ~(WB_VERLAENGERUNG | WB_ELFMETERSCHIESSEN | WB_KO_SYSTEM | WB_SUDDEN_DEATH);
    // Another competition for the second match (its halves set per case).
    i32 andere_id = -1;
    for (i32 id = 1; id < 1000 && andere_id < 0; ++id)
        if (id != liga && Wettbewerb_Get_Zeiger(id)) andere_id = id;
    ASSERT_GE(andere_id, 0);
    Wettbewerb* andere = Wettbewerb_Get_Zeiger(andere_id);
    const Wettbewerb andere_alt = *andere;
    const struct Fall {
        const char* was;
        void (*aendern)(Spielfeld_Daten& zweites, Wettbewerb& andere);
        bool anderer_wettbewerb, zusammen;
    } faelle[] = {
        {"the same league, the same point", [](Spielfeld_Daten&, Wettbewerb&) {}, false, true},
        {"another minute", [](Spielfeld_Daten& z, Wettbewerb&) { z.minute += 1; }, false, false},
        {"another tick of the minute", [](Spielfeld_Daten& z, Wettbewerb&) { z.minuten_teil += 1; }, false, false},
        {"another half", [](Spielfeld_Daten& z, Wettbewerb&) { z.halbzeit += 1; }, false, false},
        {"in stoppage time", [](Spielfeld_Daten& z, Wettbewerb&) { z.halbzeit_status = 1; }, false, false},
        {"another correction", [](Spielfeld_Daten& z, Wettbewerb&) { z.minuten_korrektur += 1; }, false, false},
        {"another league alike", [](Spielfeld_Daten&, Wettbewerb&) {}, true, true},
        {"longer halves", [](Spielfeld_Daten&, Wettbewerb& a) { a.halbzeit_laenge += 5; }, true, false},
        {"more halves", [](Spielfeld_Daten&, Wettbewerb& a) { a.halbzeiten += 1; }, true, false},
        {"a cup with extra time", [](Spielfeld_Daten&, Wettbewerb& a) { a.modus |= WB_VERLAENGERUNG; }, true, false},
        {"a shoot-out", [](Spielfeld_Daten&, Wettbewerb& a) { a.modus |= WB_ELFMETERSCHIESSEN; }, true, false},
        {"knock-out", [](Spielfeld_Daten&, Wettbewerb& a) { a.modus |= WB_KO_SYSTEM; }, true, false},
        {"golden goal", [](Spielfeld_Daten&, Wettbewerb& a) { a.modus |= WB_SUDDEN_DEATH; }, true, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        *andere = andere_alt;
        andere->modus &= ~(WB_VERLAENGERUNG | WB_ELFMETERSCHIESSEN | WB_KO_SYSTEM | WB_SUDDEN_DEATH);
        andere->halbzeiten = w->halbzeiten, andere->halbzeit_laenge = w->halbzeit_laenge;
        auto zweites = std::make_unique<Spielfeld_Daten>(*sf);
        if (f.anderer_wettbewerb) zweites->wettbewerb = static_cast<u32>(andere_id);
        f.aendern(*zweites, *andere);
        const Spielfeld_Daten* liste[3] = {sf, nullptr, zweites.get()};
        EXPECT_EQ(spielansicht::Enden_Zusammen(liste, 3), f.zusammen);
        const Spielfeld_Daten* umgekehrt[2] = {zweites.get(), sf};
        EXPECT_EQ(spielansicht::Enden_Zusammen(umgekehrt, 2), f.zusammen);
    }
    // A match of no known competition may end at any time.
    auto ohne = std::make_unique<Spielfeld_Daten>(*sf);
    ohne->wettbewerb = 0xFFFFFFu;
    const Spielfeld_Daten* liste[2] = {sf, ohne.get()};
    EXPECT_FALSE(spielansicht::Enden_Zusammen(liste, 2));
    *andere = andere_alt;
    *w = alt;
}

namespace {

// A ground built once is kept: a second view on it (another slot, the next
// kick-off) takes the same picture; grass, scale, side and every stand
// level tell grounds apart, and each picture stays the one its ground is
// built as.
TEST_F(LiveTribuenen, ABuiltGroundIsKeptForTheNextViewOnIt) {
    stadion().klasse = 2;
    stadion().kapazitaet = 14000;
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_NE(sf, nullptr);
    Spielansicht_Gebaute_Freigeben();
    ASSERT_TRUE(Bauen(sf, SA_HALB));
    const std::shared_ptr<Rastport> erstes = view->bild;
    auto zweiter = std::make_unique<Spielansicht_View>();
    zweiter->pitch = sf, zweiter->layout = SA_VIERTEL;
    ASSERT_TRUE(Spielansicht_Bild_Neu(zweiter.get()));
    EXPECT_EQ(zweiter->bild, erstes) << "a half and a quarter view share the half-scale ground";
    EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), 1u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(zweiter->stand_level[i], view->stand_level[i]) << "Seite " << i;
    Spielansicht_View_Leeren(zweiter.get());

    const struct Fall {
        const char* was;
        void (*aendern)(Spielfeld_Daten&, Spielansicht_View&);
    } faelle[] = {
        {"another stand level", [](Spielfeld_Daten& s, Spielansicht_View&) { s.tribuene[3] = SF_Tribuene_Byte(4); }},
        {"another grass", [](Spielfeld_Daten& s, Spielansicht_View&) { s.bild_art = static_cast<u8>((s.bild_art + 1) % 7); }},
        {"the other side", [](Spielfeld_Daten&, Spielansicht_View& v) { v.gespiegelt = 1; }},
        {"the full scale", [](Spielfeld_Daten&, Spielansicht_View& v) { v.layout = SA_VOLL; }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        auto kopie = std::make_unique<Spielfeld_Daten>(*sf);
        Spielansicht_View_Leeren(view.get());
        view->pitch = kopie.get(), view->layout = SA_HALB;
        f.aendern(*kopie, *view);
        const u32 layout = view->layout, gespiegelt = view->gespiegelt;
        ASSERT_TRUE(Spielansicht_Bild_Neu(view.get()));
        EXPECT_NE(view->bild, erstes);
        const Rastport_Bild soll = Erwartet(*kopie, layout, gespiegelt != 0);
        ASSERT_TRUE(soll);
        EXPECT_EQ(Abweichungen(*view->bild, *soll), 0);
        Spielansicht_View_Leeren(view.get());
    }
    // The first ground is still the one it was built as.
    const Rastport_Bild soll = Erwartet(*sf, SA_HALB);
    ASSERT_TRUE(soll);
    EXPECT_EQ(Abweichungen(*erstes, *soll), 0);
    EXPECT_LE(Spielansicht_Gebaute_Anzahl(), 4u) << "only the last few grounds are kept";
    Spielansicht_Gebaute_Freigeben();
    EXPECT_EQ(Spielansicht_Gebaute_Anzahl(), 0u);
}

// The grounds built stay for later matchdays up to a budget, the last used
// last: a kept one is taken as it is and holds the pixels of one built
// anew. They go when the live view is switched off or the season changes,
// never while a live run shows them.
TEST_F(LiveTribuenen, KeptGroundsStayWithinABudgetUntilTheLiveViewIsOffOrTheSeasonChanges) {
    stadion().klasse = 2;
    stadion().kapazitaet = 14000;
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_NE(sf, nullptr);
    const i32 jahr = Kalender_Get_Jahr();
    Spielansicht_Gebaute_Freigeben();
    Spielansicht_Gebaute_Pflegen(true, jahr);
    // Seven grounds at half scale, one of each grass.
    std::vector<std::unique_ptr<Spielfeld_Daten>> plaetze;
    std::vector<std::shared_ptr<Rastport>> bilder;
    const auto bauen = [&](size_t i) {
        Spielansicht_View_Leeren(view.get());
        view->pitch = plaetze[i].get(), view->layout = SA_HALB;
        return Spielansicht_Bild_Neu(view.get());
    };
    for (u8 art = 0; art < 7; ++art) {
        plaetze.push_back(std::make_unique<Spielfeld_Daten>(*sf));
        plaetze.back()->bild_art = art;
        ASSERT_TRUE(bauen(art));
        bilder.push_back(view->bild);
    }
    Spielansicht_View_Leeren(view.get());
    EXPECT_GE(Spielansicht_Gebaute_Anzahl(), 4u) << "the grounds of two matchdays";
    EXPECT_LT(Spielansicht_Gebaute_Anzahl(), 7u) << "not every ground";
    Spielansicht_Gebaute_Pflegen(true, jahr);
    const size_t behalten = Spielansicht_Gebaute_Anzahl();
    EXPECT_GE(behalten, 4u) << "kept while the live view is on in the same season";
    // The last four are taken as kept, each as a fresh build gives it.
    for (size_t i = 3; i < 7; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(bauen(i));
        EXPECT_EQ(view->bild, bilder[i]);
        const Rastport_Bild soll = Erwartet(*plaetze[i], SA_HALB);
        ASSERT_TRUE(soll);
        EXPECT_EQ(Abweichungen(*view->bild, *soll), 0);
    }
    // The first went for them and is built anew.
    ASSERT_TRUE(bauen(0));
    EXPECT_NE(view->bild, bilder[0]);
    EXPECT_TRUE(gleiche_pixel(*view->bild, *bilder[0]));
    Spielansicht_View_Leeren(view.get());

    const struct Fall {
        const char* was;
        bool live_an;
        i32 saison;
        bool bleiben;
    } faelle[] = {
        {"on, the same season", true, jahr, true},
        {"the live view switched off", false, jahr, false},
        {"the next season", true, jahr + 1, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Spielansicht_Gebaute_Pflegen(true, jahr);
        ASSERT_TRUE(bauen(5));
        Spielansicht_View_Leeren(view.get());
        ASSERT_GE(Spielansicht_Gebaute_Anzahl(), 1u);
        Spielansicht_Gebaute_Pflegen(f.live_an, f.saison);
        EXPECT_EQ(Spielansicht_Gebaute_Anzahl() > 0, f.bleiben);
        // While a live run shows its ground, it stays whatever is asked.
        Spielansicht_Gebaute_Pflegen(true, jahr);
        Spielfeld_Daten* liste[1] = {sf};
        Spielansicht_Run(liste, 1, nullptr, 0);
        Spielansicht_Run(liste, 1, nullptr, 0);
        ASSERT_EQ(Spielansicht_Laufzustand(), 1u);
        Spielansicht_Gebaute_Pflegen(f.live_an, f.saison);
        EXPECT_GE(Spielansicht_Gebaute_Anzahl(), 1u);
        const Spielansicht_View& v = Spielansicht_Views()[0];
        ASSERT_TRUE(v.present && v.bild);
        Spielansicht_Free();
        Spielansicht_Gebaute_Pflegen(f.live_an, f.saison);
        EXPECT_EQ(Spielansicht_Gebaute_Anzahl() > 0, f.bleiben) << "after the live run";
    }
    Spielansicht_Vorrat_Freigeben();
}

// A club that builds at its stadium between two matchdays shows the new
// stands at its next home match: the ground kept from the match before is
// not taken for it.
TEST_F(LiveTribuenen, AStadiumBuiltUpBetweenMatchdaysIsShownAsBuilt) {
    stadion().klasse = 2;
    stadion().kapazitaet = 14000;
    Spielansicht_Vorrat_Freigeben();
    Spielfeld_Daten* sf = Anpfiff();
    ASSERT_TRUE(sf);
    Spielfeld_Daten* liste[1] = {sf};
    Spielansicht_Run(liste, 1, nullptr, 0);
    Spielansicht_Run(liste, 1, nullptr, 0);
    const std::shared_ptr<Rastport> vorher = Spielansicht_Views()[0].bild;
    ASSERT_TRUE(vorher);
    Spielansicht_Free();
    ASSERT_EQ(Spielansicht_Gebaute_Anzahl(), 1u);
    stadion().klasse = 3;
    stadion().kapazitaet = 26000;
    sf = Anpfiff();
    ASSERT_TRUE(sf);
    liste[0] = sf;
    Spielansicht_Run(liste, 1, nullptr, 0);
    EXPECT_EQ(Spielansicht_Boden_In_Arbeit(), 1u) << "the new ground is built";
    Spielansicht_Run(liste, 1, nullptr, 0);
    const Spielansicht_View& v = Spielansicht_Views()[0];
    ASSERT_TRUE(v.present && v.bild);
    EXPECT_NE(v.bild, vorher);
    const Rastport_Bild soll = Erwartet(*sf, SA_VOLL, v.gespiegelt != 0);
    ASSERT_TRUE(soll);
    EXPECT_EQ(Abweichungen(*v.bild, *soll), 0);
    EXPECT_FALSE(gleiche_pixel(*v.bild, *vorher));
    Spielansicht_Free();
    Spielansicht_Vorrat_Freigeben();
}

}  // namespace
