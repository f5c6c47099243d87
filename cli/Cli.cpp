#include "Cli.h"

#include <iostream>

namespace vertano::cli {

int Main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::cerr << "vertano-cli: no commands yet\n";
    return 2;
}

}  // namespace vertano::cli
