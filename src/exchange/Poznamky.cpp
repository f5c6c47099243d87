#include "exchange/Poznamky.h"

#include "mereni/Text.h"

namespace vertano::exchange {

std::string PopisPoznamky(const Poznamka& p) {
    // A note about the whole file has no line.
    if (p.fileLine <= 0) return p.text;
    return "line " + FormatInteger(p.fileLine) + ": " + p.text;
}

std::vector<std::string> PopisPoznamek(const std::vector<Poznamka>& poznamky, size_t limit) {
    std::vector<std::string> radky;
    for (size_t i = 0; i < poznamky.size() && i < limit; ++i)
        radky.push_back(PopisPoznamky(poznamky[i]));
    if (poznamky.size() > limit)
        radky.push_back("... and " + FormatInteger(static_cast<int64_t>(poznamky.size() - limit)) +
                        " more things not used");
    return radky;
}

}  // namespace vertano::exchange
