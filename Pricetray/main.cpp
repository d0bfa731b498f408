#include "Pricetray/PricetrayApp.h"

int main(int argc, char** argv) { return platform::runApp<Pricetray::PricetrayApp>(argc, argv); }
