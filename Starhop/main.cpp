#include "Starhop/StarhopApp.h"

int main(int argc, char** argv) { return platform::runApp<Starhop::StarhopApp>(argc, argv); }
