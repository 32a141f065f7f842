// Save block 16 begins with the 140-byte option block; the news that follow
// it in the same block are added by the news module. Until then the block is
// the option block alone.
#pragma once

struct Datei_Status;

bool Optionen_Save(Datei_Status* datei);
// Reads the option block into staging; the running options stay until
// Optionen_Uebernehmen.
bool Optionen_Lesen_Block(Datei_Status* datei);
void Optionen_Uebernehmen();
void Optionen_Verwerfen();
