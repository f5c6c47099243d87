#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "matice/Real.h"

namespace vertano {

class Tchyby;
class Tjazyk;
class Tnastaveni;

// The four kinds of supplementary measurement. Two numberings exist and must not
// be mixed: the input windows and files number the kinds as below (okno.doplnek
// 1-4), the adjustment by observation type (velicina::kDoplnek..., 4-7). Every
// routine of this folder takes the window numbering and converts with TypVeliciny.
namespace doplnek {

inline constexpr int kSmernik = 1;    // bearing
inline constexpr int kDelka = 2;      // slope distance
inline constexpr int kPrevyseni = 3;  // height difference, target minus station
inline constexpr int kProvazeni = 4;  // vertical plumbing tie: equal X and Y

// The order in which the preparation, the observation vectors and the notices
// visit the kinds (the order of the observation equations of the adjustment).
inline constexpr std::array<int, 4> kPoradiZpracovani = {kDelka, kSmernik, kPrevyseni, kProvazeni};
// The order of the whole check when a project is opened.
inline constexpr std::array<int, 4> kPoradiKontroly = {kSmernik, kDelka, kPrevyseni, kProvazeni};

inline constexpr bool JeDruh(int druh) {
    return druh >= kSmernik && druh <= kProvazeni;
}

// File list of the kind in Tinfo (info::kDoplnek...), -1 for an unknown kind.
int TypSouboru(int druh);
// Observation type in the adjustment (velicina::kDoplnek...), 0 for an unknown kind.
int32_t TypVeliciny(int druh);
// Fields of one line of the kind's text file, 0 for an unknown kind.
int PocetPoli(int druh);

// The kind's a-priori standard deviation (settings doplnek.odchylka_...) and its
// limit for the comparison with coordinates (mezZeSouradnic.rozdil_...); -1 for an
// unknown kind.
Real OdchylkaDruhu(int druh, const Tnastaveni& nastaveni);
Real MezPorovnani(int druh, const Tnastaveni& nastaveni);

// The kind's error counter in Tchyby; nullptr for an unknown kind.
int32_t* CitacChyb(Tchyby& chyby, int druh);
int32_t CitacChyb(const Tchyby& chyby, int druh);

// Notification numbers: the list contains errors (18-21), the comparison with
// coordinates exceeded its limit (22-25); 0 for an unknown kind.
int32_t OznameniChyby(int druh);
int32_t OznameniPrekroceni(int druh);

// English name of the kind for messages of the readers and the preparation.
const char* NazevDruhu(int druh);
// The kind's name as the windows, the reports and the command line show it, in
// the language in force ("Bearing", "Distance", "Height difference", "Vertical
// plumbing"); empty for an unknown kind.
std::string NazevDruhu(const Tjazyk& jazyk, int druh);

}  // namespace doplnek
}  // namespace vertano
