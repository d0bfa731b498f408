#include "Carryover/CarryoverApp.h"

int main(int argc, char** argv) { return platform::runApp<Carryover::CarryoverApp>(argc, argv); }
