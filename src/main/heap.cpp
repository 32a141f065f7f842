// The heap as the program runs with it.
#include "main/heap.h"

#include <malloc.h>

void Main_Heap_Einrichten() {
    // One heap for every thread: the graphics workers unpack pictures of
    // megabytes each, and an arena of their own kept what they freed as
    // resident pages the main thread's heap could not reuse; so do the
    // world's check and pre-read at a new game.
    mallopt(M_ARENA_MAX, 1);
}
