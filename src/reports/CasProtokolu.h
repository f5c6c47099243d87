#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vertano {

// The local date and time a report is created at. The report takes it from a
// clock its caller passes, so that a test or a reference file can fix it.
struct CasProtokolu {
    int32_t rok = 0;
    int32_t mesic = 0;  // 1-12
    int32_t den = 0;    // 1-31
    int32_t hodina = 0;
    int32_t minuta = 0;
    int32_t sekunda = 0;
};

using Hodiny = std::function<CasProtokolu()>;

// The clock of the computer in its local time zone.
CasProtokolu MistniCas();

// "08.12.2026 14:05:31" in Czech, "2026-12-08 14:05:31" in English: a short date,
// a blank and the time with seconds. The English date is written year first,
// which nobody misreads, whatever country the report travels to.
std::string TextCasu(const CasProtokolu& cas, uint8_t typJazyk);

}  // namespace vertano
