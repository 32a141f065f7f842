#include "jpegwerk.h"

int main(int argc, char** argv) { return Jpegwerk(argc, argv); }
