#include "Zivirodevevo/VidizividavaRov.h"

int main(int argc, char** argv) { return platform::runApp<Zivirodevevo::VidizividavaRov>(argc, argv); }
