#include "DawnList/DawnListApp.h"

int main(int argc, char** argv) { return platform::runApp<DawnList::DawnListApp>(argc, argv); }
