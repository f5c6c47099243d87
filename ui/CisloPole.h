#pragma once

#include <QString>
#include <optional>

#include "matice/Real.h"

namespace vertano::ui {

// The number entry rule of every dialog: blanks around the text are dropped,
// every "," becomes ".", and the text is a number when it parses whole and the
// value is 0 or its magnitude lies strictly between 1e-12 and 1e12.
std::optional<Real> CisloZTextu(const QString& text);

// A number field is in range when it is a number and dolni < value < horni.
bool VRozsahu(const QString& text, Real dolni, Real horni);

// A value as a field shows it: "." as decimal separator, `desetiny` decimals.
QString TextCisla(Real hodnota, int desetiny);
// The same with the trailing zeros of the decimals removed (significance levels).
QString TextCislaBezNul(Real hodnota, int desetiny);

}  // namespace vertano::ui
