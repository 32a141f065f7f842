// Start-up registration: fills the hook tables of the lower layers with the
// entry points of the higher ones.
#pragma once

void Main_Registrieren();
