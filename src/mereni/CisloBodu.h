#pragma once

#include <string_view>

namespace vertano {

// Point numbers are compared by one rule everywhere: exact, case-sensitive
// equality of the text. "a1" and "A1" are two different points; a look-up that
// folded case would silently merge them and tie observations to the wrong mark.
inline bool JeStejneCislo(std::string_view a, std::string_view b) {
    return a == b;
}

// Name order of the tables and sorts: a shorter number first, numbers of equal
// length by character codes. So 9 < 10 < 100 and B < A2. Length counts
// characters, not bytes, so a number with accented letters is not pushed back.
bool JeCisloPred(std::string_view a, std::string_view b);

// Number of characters of UTF-8 text (bytes that do not continue a sequence).
int PocetZnaku(std::string_view text);

}  // namespace vertano
