// The network's start-up wiring: the block protocol, the call lines, the
// match signal relay, the season's network steps and what a player sees of
// the network (the waiting indicator, a lost server, clients coming and
// going).
#pragma once

void Netz_Anmelden();
