#pragma once

#include <QColor>

namespace vertano::ui::barvy {

// The colours of every table of the program.
inline const QColor kPolohaI(89, 190, 77);           // face I mark, zero error counter
inline const QColor kChyba(238, 92, 92);             // errors, face II mark, fixed point
inline const QColor kRozdilPoloh(255, 165, 0);       // face-difference marks
inline const QColor kKonecStanoviska(72, 143, 237);  // line under the last row of a station
inline const QColor kRozdilSkupin(128, 0, 128);      // set-difference marks
inline const QColor kSudaSkupina(238, 255, 221);     // background of an even set
inline const QColor kLichaSkupina(221, 238, 255);    // background of an odd set
inline const QColor kVybrany(255, 210, 210);         // background of a selected row
inline const QColor kOddelovac(128, 128, 128);       // set and face separator lines
inline const QColor kMimoSkupinu(160, 160, 164);     // text of rows outside any set
inline const QColor kSkryty(255, 255, 255);          // hidden repeated station text
inline const QColor kCerna(0, 0, 0);                 // text of selected rows, current-row frame
inline const QColor kVyrazeny(128, 128, 128);        // text of rows switched off, struck out

}  // namespace vertano::ui::barvy
