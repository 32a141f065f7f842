// The heap as the program runs with it.
#pragma once

// One arena for every thread. Main_Registrieren calls it; a headless run
// that does not register (a benchmark) calls it first, so that it measures
// the heap the program has. Before any worker thread starts.
void Main_Heap_Einrichten();
