#include "Urlstash/UrlstashApp.h"

int main(int argc, char** argv) { return platform::runApp<Urlstash::UrlstashApp>(argc, argv); }
