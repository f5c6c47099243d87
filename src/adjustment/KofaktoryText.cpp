#include "adjustment/KofaktoryText.h"

#include <array>
#include <charconv>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace vertano {

std::string KofaktoryText(const Tmatrix& Q, int32_t a, const std::function<bool(int32_t)>& radek) {
    std::string vystup;
    if (a < 1 || static_cast<int32_t>(Q.size()) < a) return vystup;
    try {
        std::vector<std::string> text;  // lower triangle, row by row
        text.reserve(static_cast<std::size_t>(a) * static_cast<std::size_t>(a + 1) / 2);
        for (int32_t i = 0; i < a; ++i) {
            if (static_cast<int32_t>(Q[static_cast<std::size_t>(i)].size()) <= i) return {};
            for (int32_t j = 0; j <= i; ++j) {
                std::array<char, 64> buf{};
                const auto [end, ec] =
                    std::to_chars(buf.data(), buf.data() + buf.size(),
                                  Q[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)],
                                  std::chars_format::general);
                text.emplace_back(buf.data(), ec == std::errc() ? end : buf.data());
            }
        }
        const auto prvek = [&text](int32_t i, int32_t j) -> const std::string& {
            if (j > i) std::swap(i, j);
            return text[static_cast<std::size_t>(i) * static_cast<std::size_t>(i + 1) / 2 +
                        static_cast<std::size_t>(j)];
        };
        for (int32_t i = 0; i < a; ++i) {
            if (radek && !radek(i)) return {};
            for (int32_t j = 0; j < a; ++j) {
                if (j > 0) vystup += ' ';
                vystup += prvek(i, j);
            }
            vystup += "\r\n";
        }
    } catch (const std::bad_alloc&) {
        vystup.clear();
    }
    return vystup;
}

}  // namespace vertano
