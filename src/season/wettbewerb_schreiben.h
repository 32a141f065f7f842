// The competition configuration writer: the competition table written back
// as "wettbewerb.cfg", in the reader's key forms, so that the file read
// again gives the same records without a message.
#pragma once

// Writes the table as wettbewerb.cfg of the set (team, country and host
// numbers as "#name" where the set's alias file names them), with the info
// text when given. The old file is replaced only by a complete new one.
// False when nothing could be written.
bool Wettbewerb_Config_Schreiben(int set, const char* infotext);
// The same for a file and an alias file given by path (alias may be null).
bool Wettbewerb_Config_Schreiben_Pfad(const char* pfad, const char* alias_pfad, const char* infotext);
