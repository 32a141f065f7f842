#include "screens/training/ablauf.h"

#include <algorithm>

#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "world/modi.h"
#include "screens/training/plan.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr u32 VERLETZT = 0x40;
constexpr i32 VERLETZUNG_TRAINING = 2;
constexpr i32 VIDEO_ATTRIBUT = 11, VIDEO_TORWART = 52, VIDEO_STERN = 51;
constexpr const char* CONTAINER = "animationen.res";

Trainings_Ablauf ablauf;
Training_Anbindung anbindung;
u32 pause_beginn = 0, halte_beginn = 0, jetzt_ms = 0;

i32 lesen(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
void schreiben(int modus, i32 p, i32 w) { Spieler_Wert(modus, p, w, OP_SCHREIBEN); }
i32 klemmen(i32 x, i32 lo, i32 hi) { return Tools_Clamp(x, lo, hi, -1); }
const Global_Parameter& param() { return Global_Param; }

void slots_leeren() {
    Anim_Slots_Init(ablauf.allgemein, 10);
    Anim_Slots_Init(ablauf.bonus, 1);
    Anim_Slots_Init(ablauf.bonus_betrag, 1);
}

void video_los(Bnk_Video*& v) {
    if (v) Bnk_RelV(v);
    v = nullptr;
}

void videos_los() {
    video_los(ablauf.video);
    video_los(ablauf.verletzung);
    video_los(ablauf.herzvideo);
}

Bnk_Video* video_starten(i32 nummer, i32 start, const char* info) {
    Bnk_Video* v = Bnk_InitV(nummer, CONTAINER, 0, start, TRAINING_VIDEO_X, TRAINING_VIDEO_Y, BNK_AUS_CONTAINER, info,
                             false);
    if (v) Bnk_PauseV(v, 0);
    return v;
}

i32 kosten() { return Global_Attribut_Training_Kosten(ablauf.attribut, ablauf.spieler); }

void fertig_stellen() {
    ablauf.zustand = TRAINING_FERTIG;
    slots_leeren();
    Sound_Effekt_Stop_All();
}

// The outcome bands of a draw 0..100 in the row of the current stage; the
// order of the tests is part of the game (a client draws the same).
i32 ergebnis_ziehen() {
    const i32 r = Rnd_Basis(0, 100);
    const i32* c = param().training_absturz_prozent[Training_Ergebnis_Zeile(ablauf.stufe)];
    const i32 p = ablauf.spieler;
    if (r >= c[0] && r < c[1]) {
        ablauf.punkte_weg = true;
        return ERGEBNIS_PUNKTE_WEG;
    }
    if (r >= c[1] && r < c[2]) {
        const i32 m = lesen(SPIELER_WERT_MORAL, p);
        if (m < 1) return ERGEBNIS_NICHTS;
        const i32 neu = std::max(0, m - Rnd_Basis(1, 3));
        schreiben(SPIELER_WERT_MORAL, p, neu);
        ablauf.ergebnis_wert = m - neu;
        return ERGEBNIS_MORAL;
    }
    if (r >= c[2] && r < c[3]) {
        const i32 e = lesen(SPIELER_WERT_ERSCHOEPFUNG, p) / 2;
        if (2 * e >= 9) return ERGEBNIS_NICHTS;
        const i32 x = std::min(9, 2 * e + Rnd_Basis(2, 8));
        if (x != 0 && x / 2 == e) return ERGEBNIS_NICHTS;
        schreiben(SPIELER_WERT_ERSCHOEPFUNG, p, x);
        ablauf.ergebnis_wert = x / 2 - e;
        return ERGEBNIS_ERSCHOEPFUNG;
    }
    if (r >= c[4] && r < c[5]) return ERGEBNIS_NICHTS;
    if (r >= c[5] && r < c[6]) {
        // A refused injury (a network client) is no injury to report.
        if (!Spieler_Verletzen(Team_Aktiv, p, VERLETZUNG_TRAINING)) return ERGEBNIS_NICHTS;
        videos_los();
        ablauf.verletzung = video_starten(VIDEO_VERLETZUNG, 0, "kwagen");
        Sound_Effekt_Play(KLANG_VERLETZUNG, false);
        return ERGEBNIS_VERLETZT;
    }
    if (r >= c[3] && r < c[4]) {
        const i32 d = Rnd_Basis(0, 4) != 0 ? 1 : 2;
        const i32 s = lesen(SPIELER_WERT_STAERKE, p);
        if (d > s) return ERGEBNIS_NICHTS;
        schreiben(SPIELER_WERT_STAERKE, p, s - d);
        ablauf.ergebnis_wert = d;
        return ERGEBNIS_STAERKE;
    }
    return ERGEBNIS_NICHTS;
}

i32 zielpunkte(i32 p, i32 a) {
    const Attribut_Def& d = Attribut_Tabelle[a >= 0 && a < ATTRIBUT_ANZAHL ? a : 0];
    return d.punkte_training + (lesen(SPIELER_WERT_57, p) * 2) / 100 - (lesen(SPIELER_WERT_ERSCHOEPFUNG, p) * 4) / 100 +
           (lesen(SPIELER_WERT_SPIELE, p) * 2) / 10 + Rnd_Basis(0, 50);
}

// Books a finished training into the player: the points (or the learned
// attribute, or a star), the money spent, the training counted.
void ergebnis_buchen(i32 p, i32 a, i32 mitgebracht, i32 verdient, i32 kosten) {
    const i32 noetig = Attribut_Noetig(a);
    const i32 summe = mitgebracht + verdient;
    bool stern_dazu = false;
    if (a == TRAINING_STERN && summe >= noetig) {
        schreiben(a, p, 0);
        const i32 s = lesen(SPIELER_WERT_STAERKE, p);
        if (s < TRAINING_STERN_MAX) {
            schreiben(SPIELER_WERT_STAERKE, p, s + 1);
            Spieler_Set_Maxstaerke(p);
            stern_dazu = true;
        }
    } else if (summe < noetig) {
        schreiben(a, p, summe);
    } else {
        Attribut_Spieler_Setze_Wert(p, a, 0);
        Training_Attribut_Aktivieren(p, a);
    }
    schreiben(SPIELER_WERT_GELD, p, lesen(SPIELER_WERT_GELD, p) + kosten);
    // The attribute stays marked as the one in training.
    if (a != TRAINING_STERN) {
        if (lesen(a, p) == 0) schreiben(a, p, 1);
    } else if (lesen(SPIELER_WERT_STAERKE, p) < TRAINING_STERN_MAX && lesen(a, p) == 0 && !stern_dazu) {
        schreiben(a, p, 1);
    }
    schreiben(SPIELER_WERT_TRAININGS, p, lesen(SPIELER_WERT_TRAININGS, p) + 1);
}

}  // namespace

void Training_Anbinden(const Training_Anbindung& a) { anbindung = a; }
Trainings_Ablauf& Training_Ablauf() { return ablauf; }

i32 Training_Video_Nummer(i32 a) {
    if (a >= 0 && a < 40) return VIDEO_ATTRIBUT + a;
    if (a >= 47 && a <= 52) return VIDEO_TORWART;
    if (a == TRAINING_STERN) return VIDEO_STERN;
    return -1;
}

i32 Training_Ergebnis_Zeile(i32 stufe) { return std::clamp(stufe, 0, TRAINING_STUFEN_MAX - 1); }

void Training_Beginnen(i32 p, i32 a) {
    videos_los();
    ablauf = Trainings_Ablauf{};
    ablauf.spieler = p, ablauf.attribut = a;
    const i32 noetig = Attribut_Noetig(a);
    // 1. The points the attribute carries into the run. A value outside the
    // training range starts the run at 0; a learned or blocked attribute is
    // never overwritten by setting up a run.
    const i32 wert = lesen(a, p);
    ablauf.mitgebracht = wert >= 2 && wert < noetig ? wert : 0;
    if (wert >= 0 && wert < noetig) schreiben(a, p, ablauf.mitgebracht);
    // 2. Everything else from the start.
    slots_leeren();
    // 3. The target points of the quick phase.
    ablauf.zielpunkte = zielpunkte(p, a);
    // 4. The stages: thresholds sorted, unused places -1.
    const i32 n = Rnd_Basis(2, TRAINING_STUFEN_MAX);
    i32 werte[TRAINING_STUFEN_MAX + 1];
    for (i32 i = 0; i <= TRAINING_STUFEN_MAX; ++i) werte[i] = 1000;
    for (i32 i = 0; i < n; ++i) {
        werte[i] = i == 0 ? 52 : Rnd(55, 212);
        ablauf.haltezeit[i] = Rnd_Basis(1000, param().training_punkte_max_zeit_schnelle_fase * 1000);
    }
    std::sort(werte, werte + TRAINING_STUFEN_MAX + 1);
    for (i32 i = 0; i < TRAINING_STUFEN_MAX; ++i) ablauf.schwelle[i] = i < n ? werte[i] : -1;
    ablauf.haltezeit[TRAINING_STUFEN_MAX] = -1;
    ablauf.stufen = n;
}

bool Training_Start_Klick() {
    if (ablauf.spieler < 0) return false;
    if (ablauf.zustand != TRAINING_BEREIT) {
        // A later click stops the run where it stands.
        fertig_stellen();
        video_los(ablauf.video);
        return false;
    }
    const i32 k = kosten();
    if (k > 0 && !Bank_Buchen(Team_Aktiv, -1, static_cast<f32>(k), BANK_TRAINING, 0, -1)) return false;
    ablauf.video = video_starten(Training_Video_Nummer(ablauf.attribut), 0, "Attr");
    Sound_Effekt_Play(KLANG_TRAINING_START, false);
    ablauf.zustand = TRAINING_SCHNELL;
    if (ruf::Client()) Internet_Client_Send_Data_Back();
    return true;
}

void Training_Frame(u32 jetzt) {
    jetzt_ms = jetzt;
    Trainings_Ablauf& t = ablauf;
    if (t.spieler < 0) return;
    const i32 noetig = Attribut_Noetig(t.attribut);
    const bool schnell = anbindung.schnell_an();
    // Nothing happens to a run that was not paid for.
    const bool laeuft = t.zustand != TRAINING_BEREIT;
    // 1. The required points reached: the attribute is learned.
    if (laeuft && t.mitgebracht + t.verdient >= noetig && t.zustand != TRAINING_FERTIG) {
        t.verdient = noetig - t.mitgebracht;
        fertig_stellen();
        videos_los();
        anbindung.gelernt(t.spieler, t.attribut);
    }
    // 2., 3. The quick phase's target reached.
    if (laeuft && schnell && t.verdient >= t.zielpunkte && t.zustand != TRAINING_FERTIG) {
        fertig_stellen();
        video_los(t.video);
    }
    if (!schnell && t.verdient >= t.zielpunkte && t.zustand == TRAINING_SCHNELL) {
        t.zustand = TRAINING_PAUSE;
        pause_beginn = jetzt;
    }
    // 4. The bar reached the top: it falls.
    if (t.position >= TRAINING_HOEHE && t.zustand != TRAINING_ABSTURZ && t.zustand != TRAINING_FERTIG) {
        t.zustand = TRAINING_ABSTURZ;
        t.halten = false;
        Training_Absturz_Ereignis();
    }
    // 5. A stage's threshold reached: the fast climb.
    if (!t.halten && t.zustand == TRAINING_STEIGEN && t.stufe < t.stufen && t.position >= t.schwelle[t.stufe]) {
        t.zustand = TRAINING_SPRINT;
        t.ziel = t.schwelle[t.stufe] + Rnd_Basis(30, 50);
        if (t.ziel >= TRAINING_HOEHE) t.ziel = t.ziel - TRAINING_HOEHE + Rnd_Basis(10, 60);
    }
    // 6. The hold at a stage top is over: sink a little.
    if (t.halten && t.stufe >= 0 && t.stufe <= TRAINING_STUFEN_MAX && jetzt - halte_beginn > static_cast<u32>(std::max(0, t.haltezeit[t.stufe])) &&
        t.zustand != TRAINING_ABSTURZ && t.zustand != TRAINING_FERTIG) {
        t.halten = false;
        t.zustand = TRAINING_SINKEN;
        if (t.stufe < t.stufen) {
            t.ziel = t.position - Rnd_Basis(20, 45);
            if (t.ziel < 35) t.ziel = Rnd(35, 65);
        }
    }
    // 7. All stages done: the slow climb to the top.
    if (t.stufe >= t.stufen && t.zustand >= TRAINING_STEIGEN && t.zustand != TRAINING_ABSTURZ &&
        t.zustand != TRAINING_FERTIG)
        t.zustand = TRAINING_STEIGEN;

    if (t.zustand == TRAINING_PAUSE) {
        if (jetzt - pause_beginn >= static_cast<u32>(TRAINING_PAUSE_MS)) t.zustand = TRAINING_STEIGEN;
    } else if (t.zustand == TRAINING_SCHNELL || (t.zustand >= TRAINING_STEIGEN && t.zustand <= TRAINING_SPRINT)) {
        Training_Schritt(jetzt);
    } else if (t.zustand == TRAINING_ABSTURZ || t.zustand == TRAINING_FERTIG) {
        Training_Bonus_Pruefen();
    }
}

void Training_Schritt(u32 jetzt) {
    Trainings_Ablauf& t = ablauf;
    if (t.zustand != TRAINING_SCHNELL) Training_Bonus_Auszahlen();
    if (t.schritt_gelaufen && jetzt - t.letzter_schritt < static_cast<u32>(TRAINING_SCHRITT_MS)) return;
    t.schritt_gelaufen = true;
    t.letzter_schritt = jetzt;
    const i32 schnell = param().training_punkte_schnell, langsam = param().training_punkte_langsam;
    switch (t.zustand) {
        case TRAINING_SCHNELL:
            t.verdient += t.zielpunkte - t.verdient < 6 ? 1 : 20;
            t.position = std::clamp(Tools_Runden(Tools_Prozent(t.verdient, t.zielpunkte) * 0.5), 0, 50);
            return;
        case TRAINING_STEIGEN: {
            const i32 k = 5 - t.position * 5 / TRAINING_HOEHE;
            if (Rnd_Basis(0, klemmen(langsam - k + 1, 0, 20)) == 0) t.verdient += 1;
            t.position += 2;
            break;
        }
        case TRAINING_HALTEN: {
            t.position = Rnd_Basis(t.position - 2, t.position + 3);
            if (t.position >= TRAINING_HOEHE) t.position -= Rnd_Basis(5, 25);
            const i32 k = 10 - t.position * 10 / TRAINING_HOEHE;
            if (Rnd(0, klemmen(schnell - k + 3, 0, 40)) < 3) t.verdient += 4;
            Training_Absturz_Pruefen();
            break;
        }
        case TRAINING_SINKEN:
            if (Rnd_Basis(0, klemmen(langsam, 0, 20)) == 0) t.verdient += 1;
            if (t.position <= t.ziel) {
                t.zustand = TRAINING_STEIGEN;
                t.ziel = -1;
                t.stufe += 1;
            } else {
                t.position -= 2;
            }
            break;
        case TRAINING_SPRINT:
            if (Rnd_Basis(0, klemmen(schnell, 0, 40)) < 3) t.verdient += 4;
            if (t.position >= t.ziel) {
                t.zustand = TRAINING_HALTEN;
                t.ziel = -1;
                halte_beginn = jetzt;
                t.halten = true;
            } else {
                t.position += 3;
            }
            Training_Absturz_Pruefen();
            break;
        default: return;
    }
    Training_Bonus_Pruefen();
}

void Training_Absturz_Pruefen() {
    Trainings_Ablauf& t = ablauf;
    if (t.zustand == TRAINING_ABSTURZ) return;
    const i32 bis = std::max(0, TRAINING_HOEHE - t.position) * klemmen(param().training_absturz, 0, 40);
    if (Rnd_Basis(0, bis) < 3) {
        t.zustand = TRAINING_ABSTURZ;
        t.halten = false;
        Training_Absturz_Ereignis();
    }
}

void Training_Bonus_Pruefen() {
    Trainings_Ablauf& t = ablauf;
    if (t.zustand == TRAINING_ABSTURZ || t.zustand == TRAINING_FERTIG) {
        slots_leeren();
        return;
    }
    if (t.zustand == TRAINING_BEREIT || Anim_Slot_Belegt(t.bonus, 0) || Anim_Slot_Belegt(t.bonus_betrag, 0)) return;
    const i32 bis = std::max(0, TRAINING_HOEHE - t.position) * klemmen(param().training_extra_bonus, 0, 40);
    if (Rnd_Basis(0, bis) < 2)
        Anim_Slot_Neu(t.bonus, 1, BONUS_X, BONUS_Y - t.position, BONUS_BILD, BONUS_GRENZE, BONUS_FRAME_MS, false, 0);
}

void Training_Bonus_Auszahlen() {
    Trainings_Ablauf& t = ablauf;
    if (Anim_Slot_Belegt(t.bonus_betrag, 0) || !Anim_Slot_Belegt(t.bonus, 0) ||
        Anim_Slot_Get_Frame(t.bonus, 0) != BONUS_AUSZAHLUNG_FRAME)
        return;
    const i32 d = Rnd_Basis(1, 4);
    t.verdient += 25 * d;
    Anim_Slot_Neu(t.bonus_betrag, 1, t.bonus[0].x + 50, t.bonus[0].y + 50, BONUS_BETRAG_BILD[d - 1],
                  BONUS_BETRAG_GRENZE[d - 1], BONUS_FRAME_MS, false, 0);
}

void Training_Absturz_Ereignis() {
    slots_leeren();
    Sound_Effekt_Stop_All();
    videos_los();
    ablauf.herzvideo = video_starten(VIDEO_HERZ, VIDEO_HERZ_START, "herz");
    Sound_Effekt_Play(KLANG_HERZ, false);
    ablauf.herz = true;
    ablauf.ergebnis_wert = 0;
    ablauf.ergebnis = ergebnis_ziehen();
}

bool Training_Uebernehmen() {
    Trainings_Ablauf& t = ablauf;
    if (t.spieler < 0) return false;
    if (t.zustand == TRAINING_ABSTURZ) {
        t.zustand = TRAINING_FERTIG;
        if (t.ergebnis == ERGEBNIS_VERLETZT) Sound_Effekt_Play(KLANG_VERLETZUNG, false);
        else if (t.herz) Sound_Effekt_Play(KLANG_HERZ, false);
        return false;
    }
    if (t.zustand != TRAINING_FERTIG) return false;
    if (t.ergebnis == ERGEBNIS_PUNKTE_WEG) t.verdient = 0;
    ergebnis_buchen(t.spieler, t.attribut, t.mitgebracht, t.verdient, kosten());
    videos_los();
    Sound_Effekt_Stop_All();
    return true;
}

i32 Training_Automatisch(i32 team) {
    if (team < 0 || team >= Team_Anzahl || ruf::Client()) return 0;
    i32 kader[MAX_SPIELER_PRO_TEAM];
    const i32 n = Teamspieler_Ins_Array(team, kader, MAX_SPIELER_PRO_TEAM, 0);
    i32 trainings = 0;
    for (i32 i = 0; i < n; ++i) {
        const i32 p = kader[i];
        if ((static_cast<u32>(lesen(SPIELER_WERT_STATUS, p)) & VERLETZT) ||
            lesen(SPIELER_WERT_TRAININGS, p) >= param().trainings_einheiten_pro_runde)
            continue;
        i32 a = Attribute_Get_Attribut_In_Ausbildung(p);
        if (a < 0) a = Spieler_Training_Angebot(p);
        if (a < 0) continue;
        const i32 k = Global_Attribut_Training_Kosten(a, p);
        if (k > 0 && !Bank_Buchen(team, -1, static_cast<f32>(k), BANK_TRAINING, 0, -1)) break;
        const i32 noetig = Attribut_Noetig(a), wert = lesen(a, p);
        const i32 mitgebracht = wert >= 2 && wert < noetig ? wert : 0;
        const i32 verdient = std::min(zielpunkte(p, a), noetig - mitgebracht);
        ergebnis_buchen(p, a, mitgebracht, std::max(0, verdient), k);
        ++trainings;
    }
    return trainings;
}

void Training_Ende() {
    videos_los();
    slots_leeren();
    ablauf.zustand = TRAINING_BEREIT;
    ablauf.position = 0;
    ablauf.ergebnis = ERGEBNIS_KEINES;
    ablauf.punkte_weg = false;
}

void Training_Attribut_Aktivieren(i32 p, i32 a) {
    if (a == TRAINING_STERN || a < 0 || a >= ATTRIBUT_ANZAHL || lesen(SPIELER_WERT_POSITION, p) == 0 ||
        Attribute_Attribut_Aktief(p, a))
        return;
    i32 liste[3];
    Attribute_Get_Attribute(p, liste, 3, 0);
    // A free place among the three: the new attribute simply plays.
    for (i32 b : liste)
        if (b < 0) {
            schreiben(a, p, Attribut_Noetig(a) + 1);
            return;
        }
    for (i32 i = 2; i >= 0; --i) {
        const i32 b = liste[i];
        if (b < 0 || b >= ATTRIBUT_ANZAHL || b >= a || Attribute_Ist_Negativ(b)) continue;
        schreiben(b, p, Attribut_Noetig(b));
        schreiben(a, p, Attribut_Noetig(a) + 1);
        return;
    }
}
