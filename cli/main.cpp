#include "Cli.h"

int main(int argc, char** argv) {
    return vertano::cli::Main(argc, argv);
}
