#pragma once

#include <cstdint>

namespace vertano {

class Tchyby;
class Tnastaveni;
class Tsouradnice;

// Which point list a coordinate check serves (the window setting okno.bodyVstup).
inline constexpr uint8_t kBodyVstupFixni = 1;      // given network points
inline constexpr uint8_t kBodyVstupIdenticke = 2;  // identical points, output system

// Checks a coordinate list after a load, a project opening or an edit: flags in
// every full point whether its number occurs elsewhere in the list ([0]), whether
// another full point has the same X and Y ([1]) or the same X, Y and Z ([2]), and
// stores the counts in the list's counter point of `chyby`: X duplicates, Y points
// coincident in space, Z points coincident in plan only. The total that blocks the
// analyses is duplicates plus points coincident in space for the given points,
// and duplicates only for the identical points (two identical points may well
// share a position). Any other `bodyVstup` changes nothing.
void KontrolaSouradnic(Tsouradnice& souradnice, uint8_t bodyVstup, Tchyby& chyby);

// Checks the scale-factor list: duplicates as above ([0], counter X) and factors
// not strictly inside (mezMaxVstup.hodnota_zkresleniMin, hodnota_zkresleniMax)
// ([1], counter Y); the total is their sum.
void KontrolaMeritka(Tsouradnice& meritko, const Tnastaveni& nastaveni, Tchyby& chyby);

}  // namespace vertano
