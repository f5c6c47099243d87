#include "support/TestSupport.h"

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <locale>
#include <random>
#include <sstream>
#include <stdexcept>

namespace vertano::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path p = fs::temp_directory_path() / ("vertano-test-" + std::to_string(rd()));
        if (fs::create_directory(p)) {
            path_ = p;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path DataPath(const std::string& relative) {
    const char* root = std::getenv("VERTANO_TEST_DATA");
    return fs::path(root ? root : "tests/data") / relative;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

LocaleGuard::LocaleGuard(const char* name) {
    const char* current = std::setlocale(LC_ALL, nullptr);
    savedC_ = current ? current : "C";
    if (std::setlocale(LC_ALL, name) == nullptr) return;
    try {
        std::locale::global(std::locale(name));
        active_ = true;
    } catch (const std::runtime_error&) {
        std::setlocale(LC_ALL, savedC_.c_str());
    }
}

LocaleGuard::~LocaleGuard() {
    if (!active_) return;
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, savedC_.c_str());
}

}  // namespace vertano::test
