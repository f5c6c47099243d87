#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "matice/Real.h"
#include "mereni/Text.h"

namespace vertano {

// Unit codes as the settings keep them (jednotky.uhel, jednotky.delka). Any other
// code leaves values unconverted.
namespace jednotka {
inline constexpr uint8_t kRadian = 0;
inline constexpr uint8_t kGon = 1;
inline constexpr uint8_t kStupen = 2;  // decimal degree
inline constexpr uint8_t kDms = 3;     // degrees, minutes, seconds packed as D.MMSS
inline constexpr uint8_t kMetr = 0;
inline constexpr uint8_t kStopa = 1;  // international foot, 0.3048 m
}  // namespace jednotka

inline constexpr Real kStopaVMetrech = 0.3048L;

// An angle of valid data (a direction, zenith angle or bearing) lies in [0, 2pi).
// The full circle read in any unit is outside: 360 deg converts to 2pi exactly but
// 400 gon to a rounding step below it, so values within 1e-15 rad of 2pi count as
// the full circle. Every check and writer uses this one test, so a value is never
// valid in one unit or one list and invalid in another. False for NaN.
bool JeUhelVKruhu(Real uhel);

// Numeric conversions. D.MMSS values are decoded from their shortest decimal
// rendering, so 45.1 is 45 deg 10 min exactly although the binary value lies just
// below it; the D.MMSS result of RadiansToAngle is rounded to 1e-8 seconds with
// the carries done.
Real AngleToRadians(Real value, uint8_t code);
Real RadiansToAngle(Real radians, uint8_t code);
Real LengthToMetres(Real value, uint8_t code);
Real MetresToLength(Real metres, uint8_t code);

// Decimal degrees of a D.MMSS number written as text: the first two decimals are
// minutes, the next two whole seconds, the rest decimals of seconds. The sign is
// kept. False when the token is not a number.
bool DmsTextToDegrees(std::string_view token, Real& degrees);

// Standard deviations in their display units: a length deviation in mm, or in
// points (1/864 ft) for feet; an angular deviation in thousandths of the angle
// unit (mrad, mgon, mdeg), or in arc seconds for D.MMSS.
Real MetresToDeviation(Real metres, uint8_t code);
Real DeviationToMetres(Real value, uint8_t code);
Real RadiansToDeviation(Real radians, uint8_t code);
Real DeviationToRadians(Real value, uint8_t code);

// A number token read with the file rules of ParseNumber and converted to radians
// or metres. For D.MMSS the minutes and seconds are taken from the text itself.
NumberStatus ParseAngle(std::string_view token, uint8_t code, Real& radians);
NumberStatus ParseLength(std::string_view token, uint8_t code, Real& metres);

// Fixed notation in the unit of `code` with `decimals` decimals. A D.MMSS value is
// rounded as a whole, a rounded 60" carried into the minutes and 60' into the
// degrees, so that 45 deg 9 min 59.99996 s with 4 decimals is "45.1000".
std::string FormatAngle(Real radians, uint8_t code, int decimals);
std::string FormatDms(Real degrees, int decimals);
// As FormatAngle; a length of exactly 0 (not measured, not set) is "0".
std::string FormatLength(Real metres, uint8_t code, int decimals);

}  // namespace vertano
