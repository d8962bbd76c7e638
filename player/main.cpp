// verbacap on Linux: the program on the simulated desktop, driven by a scenario file.
#include "player/PlayerMain.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return player::PlayerMain(args, player::LinkedProgramEntry(), std::cout, std::cerr);
}
