#include "reports/CasProtokolu.h"

#include <chrono>
#include <ctime>

namespace vertano {

namespace {

std::string Dve(int32_t n) {
    const std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

CasProtokolu MistniCas() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm m{};
#if defined(_WIN32)
    localtime_s(&m, &t);
#else
    localtime_r(&t, &m);
#endif
    return {m.tm_year + 1900, m.tm_mon + 1, m.tm_mday, m.tm_hour, m.tm_min, m.tm_sec};
}

std::string TextCasu(const CasProtokolu& c, const uint8_t typJazyk) {
    const std::string cas = Dve(c.hodina) + ":" + Dve(c.minuta) + ":" + Dve(c.sekunda);
    if (typJazyk == 0) {
        return Dve(c.den) + "." + Dve(c.mesic) + "." + std::to_string(c.rok) + " " + cas;
    }
    return std::to_string(c.rok) + "-" + Dve(c.mesic) + "-" + Dve(c.den) + " " + cas;
}

}  // namespace vertano
