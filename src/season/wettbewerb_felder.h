// The competition record's runs of plain fields in image order, shared by
// the record image and the network and cache streams. `io` is called with
// each field (a season::Schreiber or season::Leser, or a reader of one).
#pragma once

namespace season {

template <class IO, class W>
void felder_7_bis_38(IO& s, W& w) {
    s(w.spielplan);
    s(w.laufzeit);
    s(w.modus);
    s(w.vorherige_runde);
    s(w.naechste_runde);
    s(w.vorherige_gruppe);
    s(w.naechste_gruppe);
    s(w.visuell_nachfolger);
    s(w.visuell_vorgaenger);
    s(w.visuell_gruppe);
    s(w.kalendermarke);
    s(w.super_alias);
    s(w.wochentag);
    s(w.quote_wochentag);
    s(w.startwoche);
    s(w.quali_aus_ligabaum);
    s(w.frei23);
    s(w.endwoche);
    s(w.frei25);
    s(w.qualiwoche);
    s(w.spielfrei_start);
    s(w.spielfrei_ende);
    s(w.teams);
    s(w.sieg_praemie);
    s(w.unentschieden_praemie);
    s(w.paare_pro_runde);
    s(w.aktuelle_teams);
    s(w.spieltage);
    s(w.aktueller_spieltag);
    s(w.aktuelle_runde);
    s(w.parallel_gruppen);
    s(w.gruppen_position);
}

template <class IO, class W>
void felder_43_bis_64(IO& s, W& w) {
    s(w.best_of_x);
    s(w.sieger);
    s(w.zweiter);
    s(w.startteam_anzahl);
    s(w.halbzeit_laenge);
    s(w.halbzeit_laenge_verl);
    s(w.halbzeiten);
    s(w.halbzeiten_verl);
    s(w.alle_x_jahre);
    s(w.startjahr);
    s(w.land);
    s(w.auffuell_anzahl);
    s(w.quali_land_anzahl);
    s(w.ausrichter);
    s(w.aktueller_ausrichter);
    s(w.ausrichter_stadion);
    s(w.quali_fuer_anzahl);
    s(w.paarungs_anzahl);
    s(w.grafik_nummer);
    s(w.audio_nummer);
    s(w.wichtig);
    s(w.id);
}

template <class IO, class W>
void felder_75_bis_88(IO& s, W& w) {
    s(w.erste_gelbsperre);
    s(w.intervall_gelbsperre);
    s(w.flags);
    s(w.golden_goal);
    s(w.rueckspiel_zwei_wochen);
    s(w.mehrmals_pro_jahr);
    s(w.quali_mischen);
    s(w.basisliga);
    s(w.amateur_liga);
    s(w.pokal_praemie);
    s(w.quali_saisonstart);
    s(w.schalter);
    s(w.nicht_schreiben);
    s(w.frei88);
}

}  // namespace season
