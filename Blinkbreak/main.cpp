#include "Blinkbreak/BlinkbreakApp.h"

int main(int argc, char** argv) { return platform::runApp<Blinkbreak::BlinkbreakApp>(argc, argv); }
