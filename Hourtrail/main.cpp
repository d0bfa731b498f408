#include "Hourtrail/HourtrailApp.h"

int main(int argc, char** argv) { return platform::runApp<Hourtrail::HourtrailApp>(argc, argv); }
