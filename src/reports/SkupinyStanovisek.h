#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "reports/Tprotokol.h"

namespace vertano {

// The rows of every station 1 ... N of a list, N its highest station number,
// each station's rows in list order. A station number without rows gets an
// empty group, and every station gets exactly its own rows, however the list is
// ordered. `plny(z)` tells a record to report; `poradi(z)` its station number.
template <class Zaznam, class Plny, class Poradi>
std::vector<std::vector<std::size_t>> RadkyStanovisek(const std::vector<Zaznam>& zaznamy, Plny plny,
                                                      Poradi poradi) {
    int32_t posledni = 0;
    for (const Zaznam& z : zaznamy) {
        if (plny(z)) posledni = std::max(posledni, static_cast<int32_t>(poradi(z)));
    }
    // Station numbers are consecutive on reading; far more numbers than rows
    // mean a list that does not fit together.
    if (static_cast<std::size_t>(posledni) > 4 * zaznamy.size() + 1024) {
        throw ChybaProtokolu("The station numbers do not fit the list");
    }
    std::vector<std::vector<std::size_t>> stanoviska(static_cast<std::size_t>(posledni));
    for (std::size_t i = 0; i < zaznamy.size(); ++i) {
        const int32_t s = poradi(zaznamy[i]);
        if (plny(zaznamy[i]) && s >= 1) stanoviska[static_cast<std::size_t>(s - 1)].push_back(i);
    }
    return stanoviska;
}

}  // namespace vertano
