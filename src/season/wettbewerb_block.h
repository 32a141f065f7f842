// The competitions' save block (block 3 of the save game).
#pragma once

struct Datei_Status;

// Save block 3: u32 byte count; when not 0: u32 version, i32 friendlies id,
// i32 dummy count, u32 records (128), then the records' images packed. An
// empty block (a game saved before the block existed) keeps the running
// table. A block that contradicts itself or the calendar (a team in two
// running leagues, more legs played than the competition's days so far) is
// refused.
bool Wettbewerb_Save(Datei_Status* datei);
bool Wettbewerb_Lesen(Datei_Status* datei);
bool Wettbewerb_Pruefen();
void Wettbewerb_Uebernehmen();
void Wettbewerb_Verwerfen();
