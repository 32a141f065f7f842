#include "season/optionen_block.h"

#include <cstdint>

#include "base/datei.h"
#include "base/types.h"
#include "season/optionen.h"

namespace {
uint8_t gelesen[OPTIONEN_GROESSE];
bool bereit = false;
}  // namespace

bool Optionen_Save(Datei_Status* datei) {
    uint8_t bild[OPTIONEN_GROESSE];
    Optionen_Schreiben(bild);
    return Datei_Schreiben(datei, bild, OPTIONEN_GROESSE);
}

// A block is refused when a value is outside what the settings allow.
bool Optionen_Lesen_Block(Datei_Status* datei) {
    bereit = Datei_Lesen(datei, gelesen, OPTIONEN_GROESSE) == OPTIONEN_GROESSE && Optionen_Gueltig(gelesen);
    return bereit;
}

void Optionen_Uebernehmen() {
    if (bereit) Optionen_Lesen(gelesen);
    bereit = false;
}

void Optionen_Verwerfen() { bereit = false; }
