#include "Talkclock/TalkclockApp.h"

int main(int argc, char** argv) { return platform::runApp<Talkclock::TalkclockApp>(argc, argv); }
