#include "tools/defaults/DefaultsTool.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return DefaultsTool(std::cout, std::cerr, std::cin).run(std::vector<std::string>(argv + 1, argv + argc));
}
