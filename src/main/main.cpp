// Kordavo: the program entry.
#include "main/registrierung.h"
#include "platform/mainloop.h"

int main(int argc, char** argv) {
    Main_Registrieren();
    return Main_Programm(argc, argv);
}
