#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vertano::exchange {

// Something of a file the program read but does not use (a code block, a word it
// has no place for, an attribute it ignores), with the line of the file. A reader
// lists every such thing, so that nothing is dropped without a word.
struct Poznamka {
    int32_t fileLine = 0;
    std::string text;  // English
};

// "line 12: code block not used".
std::string PopisPoznamky(const Poznamka& p);

// Many notes of one kind would bury the rest: the first `limit` as they are, then
// one line that counts the others.
std::vector<std::string> PopisPoznamek(const std::vector<Poznamka>& poznamky, size_t limit = 20);

}  // namespace vertano::exchange
