#pragma once

#include <QIcon>

namespace vertano::ui {

// The program's icon (the picture of icons/vertano.svg, painted here so that the
// window needs no image plugin): a small network with an error ellipse.
QIcon IkonaProgramu();

}  // namespace vertano::ui
