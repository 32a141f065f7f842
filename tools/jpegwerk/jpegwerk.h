// The command-line tool's whole work (arguments as main gets them; the exit
// code as the program's). Called by main and by the tool's fuzz target.
#pragma once

int Jpegwerk(int argc, char** argv);
