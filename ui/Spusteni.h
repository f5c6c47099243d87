#pragma once

#include <QStringList>

namespace vertano::ui {

class HlavniOkno;

// What the command line of the program asks for, once the main window is shown:
// raw measurement files (.mtx, .asc) are added as "Add ..." adds them. A project
// file (.gpr) is refused with a message while this version cannot read
// projects. Other arguments are named in a message and ignored.
void OtevritArgumenty(HlavniOkno& okno, const QStringList& argumenty);

}  // namespace vertano::ui
