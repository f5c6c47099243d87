#pragma once

#include <QStringList>
#include <filesystem>

namespace vertano::ui {

class HlavniOkno;

// What the program makes of a file by its name: a project (.gpr), raw
// measurements or a network of another program (added as "Add ..." adds them),
// a point list (.txt, the given points), or nothing it can open.
enum class DruhSouboruCesty { Projekt, Surova, Body, Nezname };
DruhSouboruCesty DruhCesty(const std::filesystem::path& cesta);

// What the command line of the program asks for, once the main window is shown:
// a project file (.gpr) is opened first, then raw measurement files (.mtx, .asc)
// are added as "Add ..." adds them. A project that cannot be read is named with
// the reason in a message and leaves the window empty. Other arguments, and any
// project after the first, are named in a message and ignored.
void OtevritArgumenty(HlavniOkno& okno, const QStringList& argumenty);

}  // namespace vertano::ui
