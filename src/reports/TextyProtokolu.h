#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mereni/Velicina.h"

namespace vertano {

class Tjazyk;

// Words the report titles and legends compose from the language tables.

// Lower-case letters for the Latin letters of both languages (A-Z and the
// accented letters of Latin-1 and Latin Extended-A: "Měření" gives "měření");
// every other character as it is.
std::string MalaPismena(std::string_view text);

// Accuracy types of the titles: 1 a priori, 2 a posteriori, 3 both.
namespace presnostProtokolu {
inline constexpr int kApriori = 1;
inline constexpr int kAposteriori = 2;
inline constexpr int kObe = 3;
}  // namespace presnostProtokolu

// The suffix of a title by accuracy type, with its leading blank:
// " (A priori accuracy)", " (A posteriori accuracy)",
// " (A priori / A posteriori accuracy)"; empty for any other type.
std::string PriponaPresnosti(const Tjazyk& jazyk, int typ);

// A variant byte of the report settings, 0 .. posledni (a value beyond is taken
// as the last).
int VolbaProtokolu(uint8_t bajt, int posledni);

// Observation kinds of the outlier and adjusted-observation tables, in the
// order of the report's sections; the supplementary kinds from DoplnekDelka to
// Provazeni.
enum class DruhProtokolu {
    Smer = 1,
    Zenit = 2,
    Delka = 3,
    DoplnekDelka = 4,
    Smernik = 5,
    Prevyseni = 6,
    Provazeni = 7,
    Posun = 8,  // orientation shifts, no observations
};

// Directions, zenith angles, bearings and orientation shifts are angles.
bool JeUhlovyDruhProtokolu(DruhProtokolu druh);

// The kind in titles: "Horizontal direction", ..., "Slope distance (Supplement)",
// "Bearing", "Height difference", "Vertical plumbing", "Orientation shift".
std::string NazevDruhu(const Tjazyk& jazyk, DruhProtokolu druh);

// The kind of the adjustment model (Velicina) of a report kind; Zadna for the
// orientation shifts, which are no observations.
Velicina VelicinaDruhu(DruhProtokolu druh);

}  // namespace vertano
