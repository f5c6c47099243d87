#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "files/ProjektSoubor.h"

namespace vertano {

class Tinfo;
class Tnastaveni;
class Workspace;

// Outcome of a project command: the file layer's result, whose message says what
// failed, where and why (English).
struct VysledekProjektu {
    bool uspech = false;
    ProjektResult soubor;
};

// Saves the workspace's settings and input lists as a project. Every name and
// value is checked against the reader's rules first: when one fails, or the file
// cannot be saved, nothing is written, an existing file stays as it was, the
// project state is unchanged and notification 28 is announced (the result names
// the section and the row). On success every file list of the project state holds
// just the project file (ID 1), souborProjekt is that entry and nothing is
// unsaved.
VysledekProjektu UlozitProjekt(Workspace& ws, const std::filesystem::path& cesta);

// Opens a project: on success it replaces the settings and every input list
// (PrevzitProjekt). On failure the settings are the defaults and every input list
// is empty, souborProjekt is cleared and the other file lists stay; the result
// names the section and the line. A front end that would rather keep its data on
// a failed open calls OtevritProjektBezZtraty.
VysledekProjektu OtevritProjekt(Workspace& ws, const std::filesystem::path& cesta);

// Opens a project for a window: the file is read in full first and only a file
// that was read completely replaces the settings and the input lists
// (PrevzitProjekt). A file that cannot be read leaves the workspace as it was,
// results and their state included, so nothing the user had is lost.
VysledekProjektu OtevritProjektBezZtraty(Workspace& ws, const std::filesystem::path& cesta);

// Puts a project that was read into the workspace: settings, raw measurements
// (their rows belong to the project file, ID 1), given and identical points,
// scale factors and supplementary measurements. Every result becomes out of date,
// the file lists hold just the project file, the sets are identified and the
// checks of the lists run as after loading files, the texts follow the
// language and units of the project, and nothing is unsaved.
void PrevzitProjekt(Workspace& ws, ProjektObsah&& obsah, const std::filesystem::path& cesta);

// The settings section of a project for these settings (empty when the writer
// refuses a value): what "unsaved" compares.
std::vector<std::string> SettingsAsStored(const Tnastaveni& nastaveni);

// Whether something a project stores would be lost: inputs while no project is
// open (they came from other files), or, since the project was last saved or
// opened (or since the start), a change of an input list (WorkflowState) or of
// a setting the project keeps. Closing the program or opening a project asks
// first only then.
bool HasUnsavedChanges(const Workspace& ws);

// The file lists after a project has been opened or saved: the raw-measurement
// list holds one entry for the project (ID 1, format code typProjekt, read, 0
// rows), every other list a copy of it, and souborProjekt is that entry.
void NastavitSouboryProjektu(Tinfo& info, const std::filesystem::path& cesta, int32_t typProjekt);

}  // namespace vertano
