#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "support/TestSupport.h"

namespace vertano::cli::test {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome RunCli(const std::vector<std::string>& args, std::istream* terminal = nullptr) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Run(args, out, err, terminal);
    return {status, out.str(), err.str()};
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A file of tests/data/cli as an argument.
inline std::string Data(const std::string& name) {
    return vertano::test::DataPath("cli/" + name).string();
}

// Well-formed UTF-8: no stray continuation bytes, no truncated or overlong
// sequences, no surrogates, nothing above U+10FFFF.
inline bool IsValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t n = 0;
        unsigned min = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, min = 0x10000;
        } else {
            return false;
        }
        if (i + n >= text.size()) return false;  // truncated at the end
        unsigned code = c & (0x3F >> n);
        for (size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            code = (code << 6) | (d & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

// The line of `text` that starts with `start` (indentation ignored), without the
// line end; empty when there is none.
inline std::string LineStarting(const std::string& text, const std::string& start) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const size_t first = line.find_first_not_of(' ');
        if (first != std::string::npos && line.compare(first, start.size(), start) == 0)
            return line.substr(first);
    }
    return {};
}

}  // namespace vertano::cli::test
