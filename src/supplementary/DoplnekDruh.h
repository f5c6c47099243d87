#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "matice/Real.h"
#include "mereni/Velicina.h"

namespace vertano {

class Tchyby;
class Tjazyk;
class Tnastaveni;

// The four kinds of supplementary measurement. Two numberings exist and must not
// be mixed: the input windows and files number the kinds as below (okno.doplnek
// 1-4), the adjustment by observation type (Velicina::Doplnek..., 4-7). Every
// routine of this folder takes the window numbering and converts with TypVeliciny.
enum class DruhDoplnku : int32_t {
    Zadny = 0,      // no kind (a row that failed nowhere, an unknown number)
    Smernik = 1,    // bearing
    Delka = 2,      // slope distance
    Prevyseni = 3,  // height difference, target minus station
    Provazeni = 4,  // vertical plumbing tie: equal X and Y
};

// The kind's number in the windows' numbering (okno.doplnek) and the kind of a
// number, Zadny for one out of range.
inline constexpr int32_t KodDruhu(DruhDoplnku druh) {
    return static_cast<int32_t>(druh);
}
inline constexpr DruhDoplnku DruhZKodu(int32_t kod) {
    return kod >= 1 && kod <= 4 ? static_cast<DruhDoplnku>(kod) : DruhDoplnku::Zadny;
}

namespace doplnek {

// The order in which the preparation, the observation vectors and the notices
// visit the kinds (the order of the observation equations of the adjustment).
inline constexpr std::array<DruhDoplnku, 4> kPoradiZpracovani = {
    DruhDoplnku::Delka, DruhDoplnku::Smernik, DruhDoplnku::Prevyseni, DruhDoplnku::Provazeni};
// The order of the whole check when a project is opened.
inline constexpr std::array<DruhDoplnku, 4> kPoradiKontroly = {
    DruhDoplnku::Smernik, DruhDoplnku::Delka, DruhDoplnku::Prevyseni, DruhDoplnku::Provazeni};

inline constexpr bool JeDruh(DruhDoplnku druh) {
    return KodDruhu(druh) >= 1 && KodDruhu(druh) <= 4;
}

// File list of the kind in Tinfo (info::kDoplnek...), -1 for an unknown kind.
int TypSouboru(DruhDoplnku druh);
// Observation type in the adjustment (Velicina::Doplnek...), Zadna for an unknown kind.
Velicina TypVeliciny(DruhDoplnku druh);
// Fields of one line of the kind's text file, 0 for an unknown kind.
int PocetPoli(DruhDoplnku druh);

// The kind's a-priori standard deviation (settings doplnek.odchylka_...) and its
// limit for the comparison with coordinates (mezZeSouradnic.rozdil_...); -1 for an
// unknown kind.
Real OdchylkaDruhu(DruhDoplnku druh, const Tnastaveni& nastaveni);
Real MezPorovnani(DruhDoplnku druh, const Tnastaveni& nastaveni);

// The kind's error counter in Tchyby; nullptr for an unknown kind.
int32_t* CitacChyb(Tchyby& chyby, DruhDoplnku druh);
int32_t CitacChyb(const Tchyby& chyby, DruhDoplnku druh);

// Notification numbers: the list contains errors (18-21), the comparison with
// coordinates exceeded its limit (22-25); 0 for an unknown kind.
int32_t OznameniChyby(DruhDoplnku druh);
int32_t OznameniPrekroceni(DruhDoplnku druh);

// English name of the kind for messages of the readers and the preparation.
const char* NazevDruhu(DruhDoplnku druh);
// The kind's name as the windows, the reports and the command line show it, in
// the language in force ("Bearing", "Distance", "Height difference", "Vertical
// plumbing"); empty for an unknown kind.
std::string NazevDruhu(const Tjazyk& jazyk, DruhDoplnku druh);

}  // namespace doplnek
}  // namespace vertano
