#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "files/FileResult.h"
#include "mereni/Tmereni.h"

namespace vertano {

// Format codes of raw measurement files (souborVstup/souborVystup.typSuroveMereni).
namespace format {
inline constexpr int kMtx = 0;
inline constexpr int kAsc = 1;
}  // namespace format

// ".mtx" or ".asc"; empty for another code.
std::string RawFileExtension(int code);
// The format of a file name by its extension in any letter case; -1 when unknown.
int RawFormatFromExtension(const std::filesystem::path& path);

// Reader, writer and exporter chosen by format code; any other code gives nothing
// (an empty list or text) and UnknownFormat.
RawFileResult ReadRaw(int code, const std::vector<std::string>& lines, const Tnastaveni& s,
                      Tmereni& mereni);
// The same on prepared lines that point into the whole text of a file.
RawFileResult ReadRawLines(int code, const std::vector<PreparedLineView>& lines,
                           const Tnastaveni& s, Tmereni& mereni);
RawFileResult WriteRaw(int code, const Tmereni& mereni, const Tnastaveni& s,
                       std::vector<std::string>& lines);
RawFileResult ExportRaw(int code, std::vector<std::string>& lines, const Tnastaveni& s);

// What happened to one file of a load command.
struct LoadedRawFile {
    std::filesystem::path path;
    int32_t id = 0;  // entry in the raw-file list of Tinfo; 0 when not registered
    int32_t rowsAdded = 0;
    RawFileResult result;  // the reader's outcome; CannotOpen when the file was not read
    std::string message;   // English, names the file; empty when it loaded
    // Things of a file of another format the program does not use, each with
    // its line (English); the native formats have none.
    std::vector<std::string> poznamky;
};

struct RawLoadReport {
    std::vector<LoadedRawFile> files;
    // True when a file could not be opened: the command stopped there, files read
    // before it stay loaded and the rest were not tried.
    bool stopped = false;
};

// Loads one file with the reader of `code` and appends it: the file is registered in
// the raw-file list of `info` (a rejected file too, with nacteni false and the
// failing line) and its rows are appended with continuing station numbers. A file
// that cannot be opened is not registered.
LoadedRawFile NactiSoubor(Tmereni& mereni, Tinfo& info, const Tnastaveni& nastaveni,
                          const std::filesystem::path& cesta, int code);

// The "add raw measurements" command for the files the user chose, in that order,
// with the reader of souborVstup.typSuroveMereni.
RawLoadReport NacteniSouboru(Tmereni& mereni, Tinfo& info, const Tnastaveni& nastaveni,
                             const std::vector<std::filesystem::path>& cesty);

// Removes the rows of one raw file from the list (the order of the rest kept) and
// its entry from the raw-file list of `info`. An unknown file changes nothing.
void SmazSoubor(Tmereni& mereni, Tinfo& info, int32_t identifikator);

struct RawSaveReport {
    bool ok = false;
    bool cancelled = false;  // a blank path: nothing was done
    RawFileResult result;    // of the writer or exporter
    std::string message;     // English; empty on success and when cancelled
};

// Saves the list with the writer of souborVystup.typSuroveMereni to `cesta` as given
// (trailing empty rows of the list are removed first). A blank path cancels, as for
// every other kind of file. A list without a full row, a writer that fails and a
// failed save leave the file on disk as it was.
RawSaveReport UlozeniSouboru(Tmereni& mereni, const Tnastaveni& nastaveni,
                             const std::filesystem::path& cesta);

// Exports a copy of the list (internal form through the exporter of
// souborVystup.typSuroveMereni) to `cesta`; the list is not changed. A blank path
// cancels.
RawSaveReport ExportSouboru(const Tmereni& mereni, const Tnastaveni& nastaveni,
                            const std::filesystem::path& cesta);

}  // namespace vertano
