#include "base/globals.h"

u32 Internet_Modus = INTERNET_MODUS_EINZEL;
u32 Quit_Status = QUIT_STATUS_LAEUFT;
