#include "Cli.h"
#include "ProcessMemory.h"

int main(int argc, char** argv) {
    vertano::cli::KeepFreedMemory();
    return vertano::cli::Main(argc, argv);
}
