#include "tests/sample/SampleApp.h"

int main(int argc, char** argv) { return platform::runApp<sample::SampleApp>(argc, argv); }
