#include "Durovevadi/DizuderizuApp.h"

int main(int argc, char** argv) { return platform::runApp<Durovevadi::DizuderizuApp>(argc, argv); }
