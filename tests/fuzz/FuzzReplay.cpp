// Runs a fuzz target over every file of the folders it is given, in name
// order, as libFuzzer replays a corpus. Built with the ordinary compiler, it
// keeps every target compiling and runs the stored inputs (among them the
// inputs of faults found by fuzzing) on every test run, not only under
// `make fuzz`. A target reports a fault by aborting.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    std::size_t pocet = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code chyba;
        std::vector<std::filesystem::path> soubory;
        for (const auto& e : std::filesystem::directory_iterator(argv[i], chyba)) {
            if (e.is_regular_file()) soubory.push_back(e.path());
        }
        if (chyba) {
            std::cerr << argv[i] << ": " << chyba.message() << "\n";
            return 1;
        }
        std::sort(soubory.begin(), soubory.end());
        for (const std::filesystem::path& soubor : soubory) {
            std::ifstream in(soubor, std::ios::binary);
            const std::vector<char> data((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.data()), data.size());
            ++pocet;
        }
    }
    std::cout << pocet << " inputs replayed\n";
    return pocet > 0 ? 0 : 1;
}
