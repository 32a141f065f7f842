// Kordavo: the program entry.
#include "main/registrierung.h"
#include "main/spielstart.h"
#include "platform/mainloop.h"

int main(int argc, char** argv) {
    Main_Registrieren(Main_Spielstart_Pruefen);
    Main_Spielstart_Registrieren();
    return Main_Programm(argc, argv);
}
