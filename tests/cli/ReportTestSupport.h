#pragma once

// Running the command line with a fixed clock, and reading and comparing the
// reports it writes.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "mereni/Text.h"

namespace vertano::cli::test {

// The clock of every report of the tests.
inline CasProtokolu FixedTime() {
    return {2026, 12, 8, 14, 5, 31};
}

inline Outcome RunReport(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Run(args, out, err, nullptr, FixedTime);
    return {status, out.str(), err.str()};
}

// The lines of a document with CR LF line ends; a line end of another kind is
// kept in its line, so that it shows as a difference.
inline std::vector<std::string> ReportLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

struct Token {
    std::string text;
    size_t end = 0;  // one past its last byte: columns are right-aligned
};

inline std::vector<Token> Tokens(const std::string& line) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        tokens.push_back({line.substr(start, i - start), i});
    }
    return tokens;
}

// A number as the reports write it: an optional "-", digits, optionally "." and
// digits. The number of decimals is returned through `decimals`.
inline bool IsReportNumber(const std::string& t, int& decimals) {
    size_t i = t.size() > 1 && t[0] == '-' ? 1 : 0;
    const size_t digits = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    if (i == digits) return false;
    decimals = 0;
    if (i == t.size()) return true;
    if (t[i] != '.') return false;
    const size_t point = ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    decimals = static_cast<int>(i - point);
    return i == t.size() && decimals > 0;
}

inline bool SameToken(const std::string& expected, const std::string& actual) {
    if (expected == actual) return true;
    int de = 0;
    int da = 0;
    if (!IsReportNumber(expected, de) || !IsReportNumber(actual, da) || de != da) return false;
    Real e = 0;
    Real a = 0;
    if (ParseNumber(expected, e) != NumberStatus::Ok || ParseNumber(actual, a) != NumberStatus::Ok)
        return false;
    // One unit in the last decimal, and a little for the binary values.
    return std::fabs(e - a) <= std::pow(10.0L, -de) * 1.001L;
}

// Empty when `actual` matches `expected` line by line: the same tokens at the
// same places, numbers within one unit of their last decimal; otherwise the
// first difference.
inline std::string CompareReports(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> e = ReportLines(expected);
    const std::vector<std::string> a = ReportLines(actual);
    for (size_t n = 0; n < std::max(e.size(), a.size()); ++n) {
        const std::string& le = n < e.size() ? e[n] : std::string("<end>");
        const std::string& la = n < a.size() ? a[n] : std::string("<end>");
        const std::string where =
            "line " + std::to_string(n + 1) + ":\n  expected: " + le + "\n  actual:   " + la;
        if (n >= e.size() || n >= a.size()) return where;
        const std::vector<Token> te = Tokens(le);
        const std::vector<Token> ta = Tokens(la);
        if (te.size() != ta.size() || le.size() != la.size()) return where;
        for (size_t k = 0; k < te.size(); ++k) {
            if (te[k].end != ta[k].end || !SameToken(te[k].text, ta[k].text)) return where;
        }
    }
    return {};
}

// The table of the section whose title starts with `code` + " ": the lines
// between its header line (after "Data:" and its "~" line) and the next empty
// line, header excluded. Empty when the report has no such section.
inline std::vector<std::string> SectionTable(const std::vector<std::string>& lines,
                                             const std::string& code) {
    size_t n = 0;
    while (n < lines.size() && lines[n].rfind(code + " ", 0) != 0) ++n;
    while (n < lines.size() && lines[n] != "Data:" && lines[n] != "Data:") ++n;
    std::vector<std::string> table;
    for (n += 3; n < lines.size() && !lines[n].empty(); ++n) table.push_back(lines[n]);
    return table;
}

}  // namespace vertano::cli::test
