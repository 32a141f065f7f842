// Kordavo: the program entry.
#include "main/registrierung.h"
#include "main/spielbeginn.h"
#include "platform/mainloop.h"

int main(int argc, char** argv) {
    // The start set is chosen before the hooks are filled: the settings are
    // read on their first use.
    Main_Spielstart_Anmelden(Main_Spielstart_Waehlen());
    return Main_Programm(argc, argv);
}
