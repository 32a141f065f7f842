// The match engine: one pitch record per running match, played frame by
// frame (90 ticks per match minute).
//
// A pitch holds 34 player slots (17 a side: 11 on the pitch, 6 on the bench),
// the referee, two linesmen and the ball as moving objects on a pitch of
// 10,800 x 6,806 cm, the match situation, the tactic zones, the replay ring
// and the sync slots of a networked match. The record holds fixed-width
// fields only; it is saved, sent and fetched field by field through
// base/bytes.h (each record's `felder` below lists them in memory order, so
// the bytes are those of the record's little-endian memory image).
//
// Every draw that changes a match comes from the shared random table through
// the pitch's own cursor, so the same record, commands and binary give the
// same match on every machine, whatever else ran in between.
#pragma once

#include <bit>
#include <cstddef>
#include <type_traits>

#include "base/bytes.h"
#include "base/types.h"

static_assert(std::endian::native == std::endian::little, "pitch records are stored little-endian");

// ---------------------------------------------------------------------------
// Pitch constants (cm).
constexpr i32 SF_LAENGE = 10800;
constexpr i32 SF_BREITE = 6806;
constexpr i32 SF_PFOSTEN_1 = 3037;  // goal posts (y)
constexpr i32 SF_PFOSTEN_2 = 3769;
constexpr i32 SF_LATTE = 244;  // crossbar height
constexpr i32 SF_MITTE_X = 5400;
constexpr i32 SF_STRAFRAUM_TIEFE = 1650;
constexpr i32 SF_STRAFRAUM_Y1 = 1387;  // penalty area across
constexpr i32 SF_STRAFRAUM_Y2 = 5419;
constexpr i32 SF_ELFMETERPUNKT = 1100;

constexpr int SF_MAX_SPIELFELDER = 200;
constexpr int SF_MAX_ANZEIGE = 4;
constexpr int SF_SPIELER = 34;
constexpr int SF_PRO_SEITE = 17;
constexpr int SF_OBJEKTE = 53;  // 0..33 players, 34 referee, 35/36 linesmen, 37 ball, extra figures
constexpr int SF_OBJ_SCHIRI = 34;
constexpr int SF_OBJ_LINIE_1 = 35;
constexpr int SF_OBJ_LINIE_2 = 36;
constexpr int SF_OBJ_BALL = 37;
constexpr int SF_TICKS_PRO_MINUTE = 90;
constexpr int SF_FRAME_MS = 45;
constexpr int SF_WECHSEL_MAX = 3;
constexpr u8 SF_MANAGER_COMPUTER = 1, SF_MANAGER_MENSCH = 2;  // Spielfeld_Seite::manager
constexpr int SF_WECHSEL_LISTE = 7;
constexpr int SF_KOMMANDOS = 32;
// Each side has its own half of the command table: side s uses the slots
// s * SF_KOMMANDOS_SEITE onwards; a full half refuses only that side's commands.
constexpr int SF_KOMMANDOS_SEITE = SF_KOMMANDOS / 2;
constexpr int SF_REPLAY_BILDER = 96;
constexpr int SF_REPLAY_OBJEKTE = 38;
constexpr u32 SF_SYNC_MAGIC = 0xCFCECDCCu;
constexpr int SF_KOMMANDO_VERZUG = 4;  // commands take effect four minutes later
// A command from the network lies at most this many minutes ahead of the
// pitch's minute; one further ahead is refused.
constexpr int SF_KOMMANDO_FENSTER = 8;

// Slot states (Spielfeld_Spieler::status).
constexpr u32 SFS_AUF_DEM_PLATZ = 16;
constexpr u32 SFS_BANK = 32;
constexpr u32 SFS_VERLETZT = 64;
constexpr u32 SFS_GELB = 0x80;
constexpr u32 SFS_GELBROT = 0x100;
constexpr u32 SFS_ROT = 0x200;
constexpr u32 SFS_AUSGEWECHSELT = 0x100000;
constexpr u32 SFS_EINGEWECHSELT = 0x200000;

#include "base/ereignis_flags.h"  // the event flags (SFE_*)

// Match situations (Spielfeld_Daten::situation).
enum Spielfeld_Situation : u8 {
    SIT_SPIEL = 0,
    SIT_ANSTOSS = 1,
    SIT_EINWURF = 2,
    SIT_ECKE = 3,
    SIT_ABSTOSS = 4,
    SIT_HALBZEIT_ENDE = 5,  // the engine ended the half
    SIT_FREISTOSS = 6,
    SIT_ELFMETER = 7,
    SIT_TORJUBEL = 8,
    SIT_SCHIESSEN = 9,  // a kick of the penalty shoot-out
    SIT_ABSEITS = 10,   // free kick after offside
};

// Statistic bytes per slot (Spielfeld_Inhalt::statistik).
enum {
    SFST_NOTE = 0,  // grade x 10 (10..60)
    SFST_TORE = 1,
    SFST_SCHUESSE = 2,
    SFST_ZWEIKAMPF_VERLOREN = 3,
    SFST_ZWEIKAMPF_GEWONNEN = 4,
    SFST_BALLKONTAKTE = 5,
    SFST_FOULS = 6,
    SFST_MINUTEN = 7
};

// Change flags of the network copies.
constexpr u8 SFA_WERT1 = 1;
constexpr u8 SFA_SCHALTER = 2;
constexpr u8 SFA_WECHSEL = 4;
constexpr u8 SFA_POSITIONEN = 16;
constexpr u8 SFA_NEU_BERECHNEN = 32;

// The last-event header at the head of every pitch record (12 bytes).
struct Spielfeld_Ereignis_Kopf {
    u32 flags;
    i16 minute;
    i16 sekunde;
    i16 zweiter;  // second player slot, -1; the injury kind for an injury
    i8 slot;      // player slot, -1
    u8 gueltig;   // 1 until a view took it
};
template <class V, bytes::Art<Spielfeld_Ereignis_Kopf> S>
constexpr void felder(V& v, S& r) {
    v(r.flags), v(r.minute), v(r.sekunde), v(r.zweiter), v(r.slot), v(r.gueltig);
}
static_assert(sizeof(Spielfeld_Ereignis_Kopf) == 12 && bytes::groesse<Spielfeld_Ereignis_Kopf>() == 12);

// One player slot (64 bytes).
// A board value naming an advertising partner (partner 0..23 from here on).
constexpr u32 SF_BANDE_PARTNER = 1000;

// Bit of Spielfeld_Spieler::flag: the player marks a man (the view shows his marker).
constexpr u8 SFS_FLAG_DECKT = 8;

struct Spielfeld_Spieler {
    i32 spieler;   // player number, < 0 empty
    i32 ausdauer;  // stamina 1,000..10,000
    u32 status;    // SFS_*
    i16 staerke;   // base strength 0..12,000
    i8 rueckennummer;
    u8 flag;        // 1 penalty, 2 corner, 4 free-kick taker, 8 marks a man; 0x10 stands at alt_x/alt_y;
                    // 0x20/0x40/0x80 pace of the current line
    i16 zone_x[2];  // tactic zone bounds
    i16 zone_y[2];
    i16 marke[2][2];         // the zone's two marker points
    i16 taktik_x, taktik_y;  // tactical home position (seen from a side attacking to the right)
    u8 f_pass, f_schuss, f_zweikampf, f_tempo, f_torwart, f_technik, f_kopf, f_haerte;  // skills 0..100
    i16 bewertung;              // rating points gathered in play
    u8 gelb;                    // yellow cards this match
    u8 verletzung;              // injury kind + 1, 0 none
    u8 minute_ein, minute_aus;  // 255 none
    u8 position;                // 0 goalkeeper .. 3 attack
    i8 deckt;                   // the opponent slot he marks, -1
    i16 ziel_x, ziel_y;         // where he runs to
    u8 schritte;                // steps left on the current straight line to the target
    u8 sperre;                  // ticks he stays beaten after a lost duel
    u8 vorlagen;                // assists
    u8 tore;                    // goals (own goals not counted)
    i16 alt_x, alt_y;           // the target of the current straight line
};
template <class V, bytes::Art<Spielfeld_Spieler> S>
constexpr void felder(V& v, S& r) {
    v(r.spieler), v(r.ausdauer), v(r.status), v(r.staerke), v(r.rueckennummer), v(r.flag);
    v(r.zone_x), v(r.zone_y), v(r.marke), v(r.taktik_x), v(r.taktik_y);
    v(r.f_pass), v(r.f_schuss), v(r.f_zweikampf), v(r.f_tempo), v(r.f_torwart), v(r.f_technik), v(r.f_kopf),
        v(r.f_haerte);
    v(r.bewertung), v(r.gelb), v(r.verletzung), v(r.minute_ein), v(r.minute_aus), v(r.position), v(r.deckt);
    v(r.ziel_x), v(r.ziel_y), v(r.schritte), v(r.sperre), v(r.vorlagen), v(r.tore), v(r.alt_x), v(r.alt_y);
}
static_assert(sizeof(Spielfeld_Spieler) == 64 && bytes::groesse<Spielfeld_Spieler>() == 64);

// Animation entry of a figure (what the view shows; sets in match/anim.h).
struct Spielfeld_Anim {
    u16 set;      // index into Anim_Tabelle
    u16 bild;     // ticks since the set (or its current round, for a set that loops) began
    u8 richtung;  // 0..15
    u8 frei;
    i16 ziel_objekt;
    i16 rest;  // ticks the set still plays (in the current round for a set that loops)
    i16 frei2;
    f32 schritt[3];
};
template <class V, bytes::Art<Spielfeld_Anim> S>
constexpr void felder(V& v, S& r) {
    v(r.set), v(r.bild), v(r.richtung), v(r.frei), v(r.ziel_objekt), v(r.rest), v(r.frei2), v(r.schritt);
}
static_assert(sizeof(Spielfeld_Anim) == 24 && bytes::groesse<Spielfeld_Anim>() == 24);

// A moving object (76 bytes).
struct Spielfeld_Objekt {
    f32 x, y, z;
    f32 vx, vy, vz;
    u8 sichtbar;
    u8 torwart;
    u8 unterdrueckt;  // no linked set
    u8 frei;
    Spielfeld_Anim anim;
    i32 bild_x, bild_y;         // screen position (written by the view)
    u16 letzt_set, letzt_bild;  // drawing memory of the view
    u8 letzt_richtung, frei2;
    u16 eintrag_set, eintrag_bild;
    u16 frei3;
    i32 haltezeit;
};
template <class V, bytes::Art<Spielfeld_Objekt> S>
constexpr void felder(V& v, S& r) {
    v(r.x), v(r.y), v(r.z), v(r.vx), v(r.vy), v(r.vz), v(r.sichtbar), v(r.torwart), v(r.unterdrueckt), v(r.frei);
    v(r.anim), v(r.bild_x), v(r.bild_y), v(r.letzt_set), v(r.letzt_bild), v(r.letzt_richtung), v(r.frei2);
    v(r.eintrag_set), v(r.eintrag_bild), v(r.frei3), v(r.haltezeit);
}
static_assert(sizeof(Spielfeld_Objekt) == 76 && bytes::groesse<Spielfeld_Objekt>() == 76);

// One queued command of a networked or local side (192 bytes).
struct Spielfeld_Kommando {
    u16 minute;    // the minute it takes effect
    u16 nummer;    // running number of the sending side
    u8 seite;      // 0 home, 1 away
    u8 belegt;     // 1 used
    u8 aenderung;  // SFA_* flags
    u8 schalter;
    u8 rein[SF_WECHSEL_LISTE];
    u8 raus[SF_WECHSEL_LISTE];
    i8 taktik[10];
    i16 punkte[SF_PRO_SEITE][2];  // tactical points, -1 unchanged
    u8 frei[92];
};
template <class V, bytes::Art<Spielfeld_Kommando> S>
constexpr void felder(V& v, S& r) {
    v(r.minute), v(r.nummer), v(r.seite), v(r.belegt), v(r.aenderung), v(r.schalter), v(r.rein), v(r.raus);
    v(r.taktik), v(r.punkte), v(r.frei);
}
static_assert(sizeof(Spielfeld_Kommando) == 192 && bytes::groesse<Spielfeld_Kommando>() == 192);

// In-match tactic bytes of a side: switch 1, switch 2, value 1, value 2 and
// its derived value, value 3, derived, zero flag, value 4, spare.
enum {
    TW_SCHALTER1,
    TW_SCHALTER2,
    TW_WERT1,
    TW_WERT2,
    TW_WERT2_ABG,
    TW_WERT3,
    TW_WERT3_ABG,
    TW_WERT3_NULL,
    TW_WERT4,
    TW_FREI
};

struct Spielfeld_Seite {
    u8 wechsel_erlaubt;
    u8 wechsel_gemacht;
    u8 rein[SF_WECHSEL_LISTE];  // pending: coming on (255 free)
    u8 raus[SF_WECHSEL_LISTE];  // pending: going off
    u8 wechsel_sperre;
    u8 wechsel_aenderung;
    u8 schalter;  // all-forward switch of the in-match line-up screen
    i8 taktik[10];
    // Network copies and their change flags.
    u8 netz_rein[SF_WECHSEL_LISTE];
    u8 netz_raus[SF_WECHSEL_LISTE];
    u8 netz_schalter;
    i8 netz_taktik[10];
    u8 netz_aenderung;
    u8 team_taktik[7];
    u8 ecken;  // corners (the after-match page's further byte)
    // Who manages the side, fixed at kick-off so that every machine playing
    // the record substitutes alike: 1 the computer, 2 a human (no computer
    // substitutions), 0 not recorded (an older record: the world tells).
    u8 manager;
    i32 aufregung;      // crowd excitement %
    u32 ereignis_bits;  // bit 0: something to cheer
    i16 elfer_tore;     // shoot-out goals
    i16 elfer_schuesse;
    u16 kommando_nummer;  // next running number of this side's commands
    u16 frei2;
};
template <class V, bytes::Art<Spielfeld_Seite> S>
constexpr void felder(V& v, S& r) {
    v(r.wechsel_erlaubt), v(r.wechsel_gemacht), v(r.rein), v(r.raus), v(r.wechsel_sperre), v(r.wechsel_aenderung);
    v(r.schalter), v(r.taktik), v(r.netz_rein), v(r.netz_raus), v(r.netz_schalter), v(r.netz_taktik),
        v(r.netz_aenderung);
    v(r.team_taktik), v(r.ecken), v(r.manager), v(r.aufregung), v(r.ereignis_bits), v(r.elfer_tore), v(r.elfer_schuesse);
    v(r.kommando_nummer), v(r.frei2);
}
static_assert(sizeof(Spielfeld_Seite) == 80 && bytes::groesse<Spielfeld_Seite>() == 80);

// A stand side's level (-1 nothing, 0..4) as the pitch record's stand byte
// and back: (byte + 1) mod 8 picks the level from 0, -1, 1, 1, 2, 2, 3, 4.
inline i8 SF_Tribuene_Byte(int stufe) {
    constexpr i8 BYTE[5] = {-1, 1, 3, 5, 6};
    return stufe < 0 || stufe > 4 ? i8{0} : BYTE[stufe];
}
inline int SF_Tribuene_Stufe(i8 byte) {
    constexpr int STUFE[8] = {0, -1, 1, 1, 2, 2, 3, 4};
    return STUFE[(byte + 1) & 7];
}

struct Spielfeld_Inhalt {
    Spielfeld_Ereignis_Kopf ereignis;  // must stay at offset 0
    u32 spiel;                         // game number
    u32 wettbewerb;
    u32 team[2];  // home, away
    i8 tore[2];
    u8 weitere[2];  // corners per side
    u32 zuschauer;
    u32 uhr;        // ms of the current frame
    u32 uhr_basis;  // clock time of the last paced frame
    i16 minute;
    u16 minuten_teil;  // ticks within the minute (0..89)
    u8 situation;
    u8 halbzeit_status;  // 0 playing, 1 stoppage time, 2 half ended
    u8 minuten_korrektur;
    u8 engine;   // 1 the engine plays the record
    u8 anzeige;  // 1 shown
    u8 halbzeit_start;
    u8 seitenwechsel;  // ends changed
    u8 halten;         // Spielfeld_Darf_Enden false while set
    u32 zufall;        // saved random cursor
    i16 staerke[2];    // side strengths 0..999
    i8 rating[2];      // side-rating bytes
    u8 halbzeit;       // 1, 2, 3.. half being played
    u8 beendet;        // Spielfeld_Set_Beendet
    i16 zweikampf[2];  // duel participants (object indices, -1)
    u8 statistik[SF_SPIELER][8];
    Spielfeld_Spieler spieler[SF_SPIELER];
    u32 extra_figur;  // >= 1 lets the extra figure draw slot 34
    Spielfeld_Objekt objekt[SF_OBJEKTE];
    f32 ball_ziel[3];  // ball flight target
    f32 kamera[3];
    u8 kamera_schnell;
    u8 fokus;              // set by the view every frame
    u8 bild_art;           // stadium picture kind
    u8 regen_staerke;      // weather strength (0 none)
    u8 regen_art;          // 0 rain, 1 snow
    u8 ballfuehrer;        // player slot with the ball, 255 none
    u8 linienrichter_ruf;  // 1 a linesman signalled the last decision
    u8 gast_von_aussen;    // venue byte: 1 the home side plays away from home ground
    i32 kamera_schritte;
    i32 scroll[2];
    i8 tribuene[6];   // stand byte of each side (SF_Tribuene_Byte of its level)
    u8 concern;       // the competition concerns a human
    u8 netz;          // 0 single, 1 server, 2 client (a local setting)
    i32 belegung[6];  // stand occupancy %
    // The eight boards' values: SF_BANDE_PARTNER + n shows advertising
    // partner n; any other value v shows house board v mod 15 - 1 (1 when
    // that is below 0).
    u32 banden[8];
    u32 markiert[2];
    Spielfeld_Seite seite[2];
    // Engine state.
    u8 anstoss_seite;  // side that kicks off the half
    u8 ausfuehrer;     // taker of a set piece, 255
    u8 ball_seite;     // side that last touched the ball
    u8 ball_letzter;   // slot that last touched the ball, 255
    u8 pass_ziel;      // intended receiver, 255
    u8 pass_geber;     // slot that passed, 255
    u8 schuss;         // 0 no shot in flight, else the outcome (SCHUSS_*)
    u8 schuss_seite;
    u8 schuetze;           // slot of the shooter
    u8 schuss_flags;       // SFE_KOPF etc. of the shot in flight
    u8 ende_angefordert;   // Spielfeld_Set_Spielende called
    u8 ende_gemeldet;      // 1000.0 returned
    i16 wartezeit;         // ticks until a set piece is taken
    i16 ballbesitz_ticks;  // ticks the holder has the ball
    i32 ballbesitz[2];     // possession ticks per side
    f32 standard_x, standard_y;
    u8 elfer_seite;  // shoot-out kick
    u8 elfer_schuetze;
    u8 elfer_ergebnis;
    u8 vorteil;  // ticks of advantage still running, 0 none
    u8 vorteil_seite;
    u8 vorteil_taeter;
    u8 elfer_im_spiel;  // 1 the shot in flight is a penalty
    u8 ausgewertet;     // 1 after Spielfeld_Auswertung booked it
    f32 vorteil_x, vorteil_y;
    i32 ticks;           // ticks played
    i16 nachspiel_bis;   // headless driver: the minute its stoppage time ends
    i16 zufall_versatz;  // the cursor moves on by this at every tick (0..5999)
    // Network lockstep.
    i16 grenze_eigen;  // this side may play while minute < both limits
    i16 grenze_andere;
    u8 wartet;       // 1 while the pitch waits for the other side
    u8 sync_fehler;  // 1 a checksum did not match
    u16 stand_andere;  // server: the furthest half * 1000 + minute the other side signalled (0 none)
    u32 pruef_minute[8];  // half * 1000 + minute of each kept checksum (0 none)
    u32 pruef_summe[8];
    u32 wartet_seit;  // clock time when the wait began
    u8 netz_seite;    // the local machine's side (a local setting)
    u8 frei_ns[3];
    u32 signal_zeit;  // clock time of the client's last signal
    Spielfeld_Kommando kommando[SF_KOMMANDOS];
    // Replay ring: every second tick x, y, z of the first 38 objects.
    u16 replay_pos;
    u16 replay_anzahl;
    i16 replay[SF_REPLAY_BILDER][SF_REPLAY_OBJEKTE][3];
    // The out-of-position deduction of each slot in half stars at his
    // tactical point (Spielfeld_Positionsabzug), kept while he is on the
    // pitch; a saved record from before it was kept reads 0.
    u8 abzug[SF_SPIELER];
    u8 frei_ab[2];
};

template <class V, bytes::Art<Spielfeld_Inhalt> S>
constexpr void felder(V& v, S& r) {
    v(r.ereignis), v(r.spiel), v(r.wettbewerb), v(r.team), v(r.tore), v(r.weitere), v(r.zuschauer), v(r.uhr);
    v(r.uhr_basis), v(r.minute), v(r.minuten_teil), v(r.situation), v(r.halbzeit_status), v(r.minuten_korrektur);
    v(r.engine), v(r.anzeige), v(r.halbzeit_start), v(r.seitenwechsel), v(r.halten), v(r.zufall), v(r.staerke);
    v(r.rating), v(r.halbzeit), v(r.beendet), v(r.zweikampf), v(r.statistik), v(r.spieler), v(r.extra_figur);
    v(r.objekt), v(r.ball_ziel), v(r.kamera), v(r.kamera_schnell), v(r.fokus), v(r.bild_art), v(r.regen_staerke);
    v(r.regen_art), v(r.ballfuehrer), v(r.linienrichter_ruf), v(r.gast_von_aussen), v(r.kamera_schritte), v(r.scroll);
    v(r.tribuene), v(r.concern), v(r.netz), v(r.belegung), v(r.banden), v(r.markiert), v(r.seite);
    v(r.anstoss_seite), v(r.ausfuehrer), v(r.ball_seite), v(r.ball_letzter), v(r.pass_ziel), v(r.pass_geber);
    v(r.schuss), v(r.schuss_seite), v(r.schuetze), v(r.schuss_flags), v(r.ende_angefordert), v(r.ende_gemeldet);
    v(r.wartezeit), v(r.ballbesitz_ticks), v(r.ballbesitz), v(r.standard_x), v(r.standard_y);
    v(r.elfer_seite), v(r.elfer_schuetze), v(r.elfer_ergebnis), v(r.vorteil), v(r.vorteil_seite), v(r.vorteil_taeter);
    v(r.elfer_im_spiel), v(r.ausgewertet), v(r.vorteil_x), v(r.vorteil_y), v(r.ticks), v(r.nachspiel_bis);
    v(r.zufall_versatz);
    v(r.grenze_eigen), v(r.grenze_andere), v(r.wartet), v(r.sync_fehler), v(r.stand_andere), v(r.pruef_minute);
    v(r.pruef_summe), v(r.wartet_seit), v(r.netz_seite), v(r.frei_ns), v(r.signal_zeit), v(r.kommando);
    v(r.replay_pos), v(r.replay_anzahl), v(r.replay), v(r.abzug), v(r.frei_ab);
}

constexpr u32 SPIELFELD_GROESSE = 42276;
static_assert(sizeof(Spielfeld_Inhalt) <= SPIELFELD_GROESSE &&
                  bytes::groesse<Spielfeld_Inhalt>() == sizeof(Spielfeld_Inhalt),
              "every field of the pitch record is in its visit");
static_assert(alignof(Spielfeld_Inhalt) == 4);

struct Spielfeld_Daten : Spielfeld_Inhalt {
    u8 reserve[SPIELFELD_GROESSE - sizeof(Spielfeld_Inhalt)];
};
// The record as it is saved, sent and fetched: its fields, then the reserve.
template <class V, bytes::Art<Spielfeld_Daten> S>
constexpr void felder(V& v, S& r) {
    using Inhalt = std::conditional_t<std::is_const_v<S>, const Spielfeld_Inhalt, Spielfeld_Inhalt>;
    v(static_cast<Inhalt&>(r)), v(r.reserve);
}
static_assert(sizeof(Spielfeld_Daten) == SPIELFELD_GROESSE && bytes::groesse<Spielfeld_Daten>() == SPIELFELD_GROESSE,
              "the pitch record is 42,276 bytes");

// The match report handed to the result pages (292 bytes).
struct Spielfeld_Bericht {
    u32 heim, gast;
    i8 tore[2];
    u8 weitere[2];
    u32 wettbewerb;
    u32 zuschauer;
    u8 statistik[SF_SPIELER][8];
};
static_assert(sizeof(Spielfeld_Bericht) == 292);

// The per-minute signal of a networked match (6,284 bytes); layout in
// docs/formats/match-sync.md.
struct Spielfeld_Sync_Signal {
    u32 magic;  // 0xCFCECDCC
    u32 art;    // 1 per-minute signal
    u32 team;   // sender's team
    u32 spiel;
    i32 minute;
    i32 halbzeit;
    i32 minuten_grenze;
    i32 halbzeit_grenze;
    u32 pruefsumme;
    i32 pruef_minute;  // half * 1000 + minute of the checksum, -1 none
    u32 flags;         // bit 0: the receiver must fetch the record anew
    u32 anzahl;        // used command slots
    u8 frei[92];
    Spielfeld_Kommando kommando[SF_KOMMANDOS];
};
template <class V, bytes::Art<Spielfeld_Sync_Signal> S>
constexpr void felder(V& v, S& r) {
    v(r.magic), v(r.art), v(r.team), v(r.spiel), v(r.minute), v(r.halbzeit), v(r.minuten_grenze), v(r.halbzeit_grenze);
    v(r.pruefsumme), v(r.pruef_minute), v(r.flags), v(r.anzahl), v(r.frei), v(r.kommando);
}
static_assert(sizeof(Spielfeld_Sync_Signal) == 6284 && bytes::groesse<Spielfeld_Sync_Signal>() == 6284,
              "the sync signal is 6,284 bytes");

// The match-tick control record.
struct Spielfeld_Steuerung {
    u8 pause;
    u8 schnell;
    u16 frei;
    i32 periode_ms;  // frame period (45)
};
template <class V, bytes::Art<Spielfeld_Steuerung> S>
constexpr void felder(V& v, S& r) {
    v(r.pause), v(r.schnell), v(r.frei), v(r.periode_ms);
}
static_assert(sizeof(Spielfeld_Steuerung) == 8 && bytes::groesse<Spielfeld_Steuerung>() == 8);

// ---------------------------------------------------------------------------
// Calls upwards, filled by higher layers at start-up (src/main) with
// designated initialisers. Every entry starts at a stateless default that does
// nothing (or answers "no"), so the engine calls them without checks;
// Spielfeld_Set_Hooks puts the default back for an entry left null.
struct Spielfeld_Hooks {
    // The fixture of a game: teams, competition, temperature and
    // precipitation. False for an unknown game.
    bool (*spiel_info)(u32 spiel, u32* heim, u32* gast, u32* wettbewerb, i32* temperatur,
                       i32* niederschlag) = [](u32, u32*, u32*, u32*, i32*, i32*) { return false; };
    // The matchday's end check, every tick.
    bool (*check_spielende)(Spielfeld_Daten* sf) = [](Spielfeld_Daten*) { return false; };
    // A match event for the fixture record (player numbers, event minute).
    void (*spiele_ereignis)(u32 spiel, i32 spieler, i32 zweiter, u32 flags, u8 minute) = [](u32, i32, i32, u32, u8) {};
    void (*ankuendigung_refresh)() = [] {};
    void (*reset_spielschritt)() = [] {};
    // The 2-D overview of a shown pitch.
    // default kept: the match screen draws the overview itself, on its own rastport with the mouse, whenever the live view shows nothing.
    void (*blit_spielfeld)(Spielfeld_Daten* sf, u32 spiel) = [](Spielfeld_Daten*, u32) {};
    // The live view: init / free / one frame; the focused view's pitch (null: the first shown).
    void (*ansicht_init)() = [] {};
    void (*ansicht_free)() = [] {};
    void (*ansicht_run)(Spielfeld_Daten** liste, int anzahl, Spielfeld_Steuerung* st) = [](Spielfeld_Daten**, int,
                                                                                           Spielfeld_Steuerung*) {};
    Spielfeld_Daten* (*ansicht_get_spielfeld)() = []() -> Spielfeld_Daten* { return nullptr; };
    void (*ticker)(Spielfeld_Daten* sf, const char* text) = [](Spielfeld_Daten*, const char*) {};
    void (*sound_stadion)(int gruppe, int schleife, int lautstaerke, int variante) = [](int, int, int, int) {};
    void (*sound_reaktion)(int art, int stufe) = [](int, int) {};
    // One stadium sample (0..34: whistles, the ball, the net) panned by the
    // difference of two places.
    void (*sound_stereo)(int sample, int a, int b) = [](int, int, int) {};
    // After-match bookings.
    void (*statistik_spieler)(i32 spieler, u32 wettbewerb, int tore, int minuten, int note,
                              int wechsel) = [](i32, u32, int, int, int, int) {};
    void (*wettbewerb_ereignis)(u32 wettbewerb, i32 spieler, int zaehler, int wert) = [](u32, i32, int, int) {};
    void (*spieler_nach_spiel)(u32 team, i32 spieler) = [](u32, i32) {};
    void (*strafe)(u32 team, i32 betrag) = [](u32, i32) {};
    // Network: sends the client's signal (its bytes: bytes::bild(s, 1));
    // fetches the whole record (call 1032) as its SPIELFELD_GROESSE bytes.
    void (*client_signal)(const Spielfeld_Sync_Signal* s) = [](const Spielfeld_Sync_Signal*) {};
    bool (*hole_spielfeld)(u32 spiel, u8* aus, u32 werte[4]) = [](u32, u8*, u32*) { return false; };
    void (*set_bereit)(u32 team) = [](u32) {};
    // The maximum number of shown pitches (option 200), 0 = 4. Option 200
    // (ANZ_TEAMS) is 1 unless global.cfg says more: it would hide all but one.
    // default kept: every managed club's match at this machine is shown, up to four.
    int (*anzeige_max)() = [] { return 0; };
    // The half stars a player (number) of the team loses at a tactical
    // point (the in-match line-up screen's rule); -1: the engine's own rule.
    int (*positionsabzug)(const Spielfeld_Daten* sf, i32 team, i32 spieler, i32 x,
                          i32 y) = [](const Spielfeld_Daten*, i32, i32, i32, i32) { return -1; };
};
void Spielfeld_Set_Hooks(const Spielfeld_Hooks& h);
const Spielfeld_Hooks& Spielfeld_Get_Hooks();

// ---------------------------------------------------------------------------
// Module.
void Spielfeld_Init();
void Spielfeld_DeInit();
int Spielfeld_Anzahl();

// Life cycle of a pitch.
bool Spielfeld_Neu(u32 spiel, int angezeigt, int anzeige_anzahl, u32 zuschauer, u32 heim_team, int concern);
Spielfeld_Daten* Spielfeld_Zeiger(u32 spiel);
// A side's strength step: the mean fine strength (0..12000) of its eleven
// on the pitch divided by SF_SEITENWERT_TEILER, 0..80.
constexpr int SF_SEITENWERT_TEILER = 150;
// The two rating bytes (the dice minutes' chance share) differ by
// Spielfeld_Rating_Abstand of the sides' gap in mean fine strength (home
// minus away); the away byte is the away side's strength step. The dice
// formula leaves the chance share flat while home - away lies in -8..4
// (p and q at their floors: 61 % of the chances for the home side): the
// difference skips that flat part, so every SF_RATING_SCHRITT of gap moves
// the share one step. An even match sits at the flat part's upper end at
// home (61 %), two steps below its lower end on a neutral ground (50 %).
// About 1,600 points make the greatest home edge (71 %), 2,400 the
// greatest away edge (64 %): a far stronger side wins about two matches in
// three, the formula's bound.
constexpr int SF_RATING_SCHRITT = 400;
int Spielfeld_Rating_Abstand(i32 luecke, bool neutral);
// Goes up whenever a pitch enters or leaves the table.
u32 Spielfeld_Register_Stand();
int Spielfeld_Seitenwert(const Spielfeld_Daten* sf, int seite);
// Frees the records of the competition's matches; they are kept for the
// next matches (at most SF_MAX_SPIELFELDER) until Spielfeld_Vorrat_Freigeben
// gives them back to the heap. A new record starts zeroed either way.
void Spielfeld_Loeschen(u32 wettbewerb);
void Spielfeld_Vorrat_Freigeben();
size_t Spielfeld_Vorrat_Anzahl();
void Spielfeld_Set_Spielende(u32 spiel);
void Spielfeld_Set_Spielende_Feld(Spielfeld_Daten* sf);  // the same for a given record
void Spielfeld_Set_Beendet(u32 spiel);
bool Spielfeld_Darf_Enden(u32 spiel);
void Spielfeld_Halbzeit_Start(u32 spiel);
void Spielfeld_Halbzeit_Start_Feld(Spielfeld_Daten* sf);  // the same for a given record
bool Spielfeld_Set_Elfmeter(u32 spiel, int seite, int schuetze);
// Sets the random stream of a pitch from a 32-bit seed (tools and tests): the
// seed picks the start in the shared table and the step the cursor moves on
// by at every tick, so every seed below 36,000,000 gives its own stream.
void Spielfeld_Set_Zufall(Spielfeld_Daten* sf, u32 saat);
void Spielfeld_Ereignis_Eintragen(Spielfeld_Daten* sf, u32 flags, int slot, int zweiter);
void Spielfeld_Auswertung(u32 wettbewerb);
void Spielfeld_Reset_Trainingszaehler(u32 team);
void Spielfeld_Spieler_Wert56_Loeschen(i32 spieler);
void Spielfeld_Get_Bericht(const Spielfeld_Daten* sf, Spielfeld_Bericht* aus);

// One tick: -1.0 nothing stepped, 1000.0 the minute must be treated as
// changed, otherwise the pitch time stepped (minute + tick / 90).
f32 Spielfeld_Run(i32 minute, i32 sekunde, int eins, Spielfeld_Daten* sf, int eins2, i32* uhr_steht, u8 durchreichen,
                  u32 uhrzeit);
void Spielfeld_Zeit_Fortsetzen(u32 uhrzeit);

// Match-tick control.
void Spielfeld_Set_Pause(int an);
int Spielfeld_Get_Pause();
void Spielfeld_Set_Fast(int flags);
int Spielfeld_Get_Fast();
// Spooling: while the control bar's spool button is held, the shown matches
// leave their real-time pace and run with every pass the run loop makes
// (not saved; off again when the button is let go).
void Spielfeld_Set_Spulen(bool an);
bool Spielfeld_Get_Spulen();
Spielfeld_Steuerung* Spielfeld_Get_Steuerung();

// Display.
void Spielfeld_Anzeige_An();
void Spielfeld_Anzeige_Aus();
bool Spielfeld_Anzeige_Hinzufuegen(Spielfeld_Daten* sf, int erzwingen);
void Spielfeld_Anzeigeliste_Leeren();
int Spielfeld_Anzeigeliste(Spielfeld_Daten** aus);
// One frame of the display: the live view when it is on, else the overview
// of the current pitch. True when the live view shows a match.
bool Spielfeld_Anzeige_Refresh();
bool Spielfeld_Get_Anzeige();
Spielfeld_Daten* Spielfeld_Get_Aktuelles_Spielfeld();
void Spielfeld_Replay_Start(int);
void Spielfeld_Replay_Stop(int);
bool Spielfeld_Replay_Laeuft();
// Object positions of replay frame n back from the newest (false outside the ring).
bool Spielfeld_Replay_Bild(const Spielfeld_Daten* sf, int zurueck, i16 aus[SF_REPLAY_OBJEKTE][3]);
// The clock a shown match reads: the minute being played (minute + 1). In
// stoppage time and the break after it the clock stands at the half's end
// minute (`ende`, from the competition; -1 when unknown: the minute in which
// it first saw the stoppage), and it never reads less than it read before for
// the same game: a half begins again at its end minute, and a client's record
// fetched anew may lie a minute or two behind. A replay leaves it alone (the
// match waits). The caller keeps one per match it shows; another game or
// other clubs start it afresh.
struct Spielfeld_Uhr {
    bool belegt = false;
    u32 spiel = 0, team[2] = {0, 0};  // the match it read last
    i32 gelesen = 0;       // the minute it read
    u8 halt_halbzeit = 0;  // the half whose stoppage time holds the clock (0 none)
    i32 halt = 0;          // the minute it stands at then
};
i32 Spielfeld_Uhr_Lesen(Spielfeld_Uhr* uhr, const Spielfeld_Inhalt* sf, i32 ende = -1);

// In-match changes.
// Tactical points are the line-up screens' scale: x 1000..9800 from the own
// goal forward, y 400..6406 across. The engine keeps home positions in
// centimetres from its own goal line (formation row r at 1200 + 520·r); the
// two scales are matched so that formation row r is the screen's row r.
i32 Spielfeld_Taktik_Aus_Cm(i32 cm);
i32 Spielfeld_Cm_Aus_Taktik(i32 tx);
// One half star of deduction costs a player this many skill points in every
// duel, pass, shot and run (a half star is 1,000 of fine strength, which
// gives 1000/230 skill points, and a gap between the elevens up to 1,500
// one more a 300).
constexpr int SF_HALBSTERN_PUNKTE = 5;
// A player's skill (f_* value of his slot) as the engine rates it now:
// stamina, injury and the out-of-position deduction taken off, at least 1.
int Spielfeld_Faehigkeit(const Spielfeld_Daten* sf, int slot, int wert);
i32 Spielfeld_Get_Taktikposition(const Spielfeld_Daten* sf, int slot, i32* y = nullptr);
i32 Spielfeld_Get_Taktikposition_Lokal(const Spielfeld_Daten* sf, int slot, i32* y = nullptr);
bool Spielfeld_Set_Taktikposition(Spielfeld_Daten* sf, u32 team, int slot, i32 x, i32 y);
bool Spielfeld_Ist_In_Rollenliste_A(const Spielfeld_Daten* sf, int slot);
bool Spielfeld_Ist_In_Rollenliste_B(const Spielfeld_Daten* sf, int slot);
// Queues a substitution (aus may be 255: into an empty place). 0 queued,
// otherwise a refusal code (SFW_*).
enum {
    SFW_OK = 0,
    SFW_KEIN_SPIELFELD,
    SFW_SEITE,
    SFW_SLOT_LEER,
    SFW_NICHT_AUF_BANK,
    SFW_NICHT_AUF_PLATZ,
    SFW_KEINE_WECHSEL,
    SFW_LISTE_VOLL,
    SFW_SCHON_IN_LISTE
};
int Spielfeld_Wechsel_Eintragen(Spielfeld_Daten* sf, int seite, int rein, int raus);
// Sets an in-match tactic byte (index TW_*) of a side.
bool Spielfeld_Set_Taktikwert(Spielfeld_Daten* sf, int seite, int index, int wert);
// Sets a side's all-forward switch (0 or 1); on a networked match it goes
// into a command like every other change.
bool Spielfeld_Set_Schalter(Spielfeld_Daten* sf, int seite, int wert);
// The out-of-position deduction (half stars) of a player at a tactical
// point: the rule installed as Spielfeld_Hooks.positionsabzug, else the
// engine's own. The engine rates its players with it (Spielfeld_Faehigkeit).
int Spielfeld_Positionsabzug(const Spielfeld_Daten* sf, int seite, int slot, i32 x, i32 y);

// True when every index, count and coordinate of a record is in range (a
// record from a save game or the network is checked before it is used).
bool Spielfeld_Pruefen(const Spielfeld_Daten* sf);

// Position checksum of the objects.
u32 Spielfeld_Pruefsumme(const Spielfeld_Daten* sf);

// Network.
bool Spielfeld_Sync_Fehler_Beheben(Spielfeld_Daten* sf);
bool Spielfeld_Internet_Client_Get_Spielfeld(Spielfeld_Daten* sf, u32 spiel);
// The server row of call 1032: writes the record of the team's running match
// as its SPIELFELD_GROESSE bytes to `aus`, and the minute, time, competition
// and game.
bool Spielfeld_Internet_Server_Send_Spielfeld(u32 team, u8* aus, u32* minute, f32* zeit, u32* wettbewerb, u32* spiel);
// Result codes of the signal readers.
enum { SFN_OK = 0, SFN_KURZ = 1, SFN_MAGIC = 2, SFN_ART = 3, SFN_TEAM = 4, SFN_KEIN_SPIEL = 5 };
int Spielfeld_Internet_Server_Read_Signal(u8* signal, u32 laenge, u32 sender_team);
int Spielfeld_Internet_Client_Read_Signal(Spielfeld_Daten* sf, const u8* signal, u32 laenge, u32 sender_team);
// A client's copy waiting at its limit or in a break asks the server again
// every SF_NACHFRAGE_MS, but only once its signals so far are answered: a
// busy server answers one packet of a client per frame, and questions sent
// faster pile up, each answer older than the last.
constexpr u32 SF_NACHFRAGE_MS = 100;
// Signals of the client's copy of match `spiel` not yet answered.
u32 Spielfeld_Signale_Offen(u32 spiel);
// The game a signal's bytes name (0 when they are no signal).
u32 Spielfeld_Signal_Spiel(const u8* signal, u32 laenge);
// Read_Signal on one given record (the server form for two engines in one process).
int Spielfeld_Signal_Verarbeiten(Spielfeld_Daten* sf, u8* signal, u32 laenge, u32 sender_team, bool antworten);
// Fills the pitch's per-minute signal.
void Spielfeld_Signal_Fuellen(const Spielfeld_Daten* sf, u32 team, Spielfeld_Sync_Signal* aus);
// Marks a pitch as the server's (1) or a client's (2) copy of a networked
// match; seite is the side the local manager plays.
void Spielfeld_Set_Netz(Spielfeld_Daten* sf, int rolle, int seite = 0);
// The other side no longer holds the match (its client has gone or stays
// silent): the pitch plays on alone up to the end of the half (a new half
// sets the limit again) and stays networked, so its final record is still
// served (call 1032) to a client that comes back.
void Spielfeld_Netz_Freigeben(Spielfeld_Daten* sf);
// Signal flags: bit 0 the client must fetch the whole record (a checksum
// differed); bit 1 the server's match is over (its final record waits).
constexpr u32 SF_SIGNAL_HOLEN = 1, SF_SIGNAL_ENDE = 2;
// A minute limit that holds nothing back.
constexpr i16 SF_GRENZE_OFFEN = 32000;

// Save block of the pitches (registered by Spielfeld_Init).
bool Spielfeld_Save(struct Datei_Status* datei);
bool Spielfeld_Load(struct Datei_Status* datei);
