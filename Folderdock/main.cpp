#include "Folderdock/FolderdockApp.h"

int main(int argc, char** argv) { return platform::runApp<Folderdock::FolderdockApp>(argc, argv); }
