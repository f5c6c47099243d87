#include "files/SurovaMereniSoubory.h"

#include <algorithm>

#include "files/AscFormat.h"
#include "files/MtxFormat.h"
#include "files/VnitrniForma.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

namespace fs = std::filesystem;

namespace {

RawSaveReport SaveFailure(const fs::path& cesta, const RawFileResult& r, const char* what) {
    RawSaveReport rep;
    rep.result = r;
    std::string where;
    // Writers and exporters count the rows of the list.
    if (r.counter > 0) where = "row " + FormatInteger(r.counter) + ": ";
    rep.message = "Cannot " + std::string(what) + " " + cesta.string() +
                  " (the file was not changed): " + where + FileErrorText(r.error) +
                  (r.detail.empty() ? "" : ": " + QuoteInput(r.detail)) +
                  (r.note.empty() ? "" : ": " + r.note);
    return rep;
}

RawSaveReport Save(const fs::path& cesta, const std::vector<std::string>& lines) {
    RawSaveReport rep;
    std::string error;
    rep.ok = SaveTextFile(cesta, lines, error);
    rep.message = error;
    if (!rep.ok) rep.result = NotedFailure(FileError::CannotSave, 0, 0, error);
    return rep;
}

// A blank name is the save dialog's way of saying "cancel".
bool JeZruseno(const fs::path& cesta, RawSaveReport& rep) {
    rep = RawSaveReport{};
    rep.cancelled = Trim(cesta.string()).empty();
    return rep.cancelled;
}

bool HasFullRow(const Tmereni& m) {
    return std::any_of(m.zaznam.begin(), m.zaznam.end(),
                       [](const Tzaznam& z) { return z.JePlny(); });
}

RawFileResult NothingToWrite() {
    return FileFailure(FileError::NothingToWrite, 0, 0);
}

}  // namespace

std::string RawFileExtension(int code) {
    if (code == format::kMtx) return ".mtx";
    if (code == format::kAsc) return ".asc";
    return {};
}

int RawFormatFromExtension(const fs::path& path) {
    const std::string ext = AsciiLower(path.extension().string());
    if (ext == ".mtx") return format::kMtx;
    if (ext == ".asc") return format::kAsc;
    return -1;
}

namespace {

template <class Lines>
RawFileResult ReadPrepared(int code, const Lines& lines, const Tnastaveni& s, Tmereni& mereni) {
    if (code == format::kMtx) return ReadMtxPrepared(lines, s, mereni);
    if (code == format::kAsc) return ReadAscPrepared(lines, s, mereni);
    mereni.Clear();
    return FileFailure(FileError::UnknownFormat, 0, 0, FormatInteger(code));
}

}  // namespace

RawFileResult ReadRaw(int code, const std::vector<std::string>& lines, const Tnastaveni& s,
                      Tmereni& mereni) {
    return ReadPrepared(code, PrepareLines(lines), s, mereni);
}

RawFileResult ReadRawLines(int code, const std::vector<PreparedLineView>& lines,
                           const Tnastaveni& s, Tmereni& mereni) {
    return ReadPrepared(code, lines, s, mereni);
}

RawFileResult WriteRaw(int code, const Tmereni& mereni, const Tnastaveni& s,
                       std::vector<std::string>& lines) {
    if (code == format::kMtx) return WriteMtx(mereni, s, lines);
    if (code == format::kAsc) return WriteAsc(mereni, s, lines);
    lines.clear();
    return FileFailure(FileError::UnknownFormat, 0, 0, FormatInteger(code));
}

RawFileResult ExportRaw(int code, std::vector<std::string>& lines, const Tnastaveni& s) {
    if (code == format::kMtx) return ExportMtx(lines, s);
    if (code == format::kAsc) return ExportAsc(lines, s);
    lines.clear();
    return FileFailure(FileError::UnknownFormat, 0, 0, FormatInteger(code));
}

LoadedRawFile NactiSoubor(Tmereni& mereni, Tinfo& info, const Tnastaveni& nastaveni,
                          const fs::path& cesta, int code) {
    LoadedRawFile f;
    f.path = cesta;
    Tmereni nove;
    if (code == format::kMtx) {
        // Read piece by piece: a file of a million rows is held as rows only.
        TextStream text;
        if (!OpenTextForLoading(cesta, text, f.result)) {
            f.message = f.result.note;
            return f;
        }
        if (f.result.ok) f.result = ReadMtxStream(text, nastaveni, nove);
        // Could not be read again (or changed meanwhile): as if it could not be opened.
        if (f.result.error == FileError::CannotOpen) {
            f.message = f.result.note;
            return f;
        }
    } else {
        // The text stays one string and the lines point into it: a large file is
        // then held once as text, once as rows.
        std::string text;
        if (!ReadTextForLoading(cesta, text, f.result)) {
            f.message = f.result.note;
            return f;
        }
        if (f.result.ok) f.result = ReadRawLines(code, PrepareLineViews(text), nastaveni, nove);
    }
    const bool nacteni = f.result.ok && HasFullRow(nove);
    f.id = info.RegistrovatSoubor(info::kSurovaMereni, cesta, code, nacteni, f.result.counter);
    if (!f.result.ok) {
        nove.Clear();
        f.message = cesta.string() + ": " + DescribeRawFailure(f.result);
        return f;
    }
    f.rowsAdded = nove.PocetPlnychZaznamu();
    mereni.PridejMereniSouboru(std::move(nove), f.id);
    return f;
}

RawLoadReport NacteniSouboru(Tmereni& mereni, Tinfo& info, const Tnastaveni& nastaveni,
                             const std::vector<fs::path>& cesty) {
    RawLoadReport rep;
    for (const fs::path& cesta : cesty) {
        rep.files.push_back(
            NactiSoubor(mereni, info, nastaveni, cesta, nastaveni.souborVstup.typSuroveMereni));
        if (rep.files.back().id == 0) {
            rep.stopped = true;
            break;
        }
    }
    return rep;
}

void SmazSoubor(Tmereni& mereni, Tinfo& info, int32_t identifikator) {
    std::erase_if(mereni.zaznam,
                  [identifikator](const Tzaznam& z) { return z.soubor == identifikator; });
    info.SmazSoubor(identifikator, info::kSurovaMereni);
}

RawSaveReport UlozeniSouboru(Tmereni& mereni, const Tnastaveni& nastaveni, const fs::path& cesta) {
    RawSaveReport zruseno;
    if (JeZruseno(cesta, zruseno)) return zruseno;
    mereni.SmazPrazdneZaznamyNaKonci();
    if (!HasFullRow(mereni)) return SaveFailure(cesta, NothingToWrite(), "save");
    std::vector<std::string> lines;
    const RawFileResult w =
        WriteRaw(nastaveni.souborVystup.typSuroveMereni, mereni, nastaveni, lines);
    if (!w.ok) return SaveFailure(cesta, w, "save");
    RawSaveReport rep = Save(cesta, lines);
    if (rep.ok) rep.result = w;
    return rep;
}

RawSaveReport ExportSouboru(const Tmereni& mereni, const Tnastaveni& nastaveni,
                            const fs::path& cesta) {
    RawSaveReport zruseno;
    if (JeZruseno(cesta, zruseno)) return zruseno;
    Tmereni kopie;
    kopie.Kopiruj(mereni);
    kopie.SmazPrazdneZaznamyNaKonci();
    if (!HasFullRow(kopie)) return SaveFailure(cesta, NothingToWrite(), "export");
    std::vector<std::string> lines;
    RawFileResult r = UlozDoStringList(kopie, lines);
    if (r.ok) r = ExportRaw(nastaveni.souborVystup.typSuroveMereni, lines, nastaveni);
    if (!r.ok) return SaveFailure(cesta, r, "export");
    RawSaveReport rep = Save(cesta, lines);
    if (rep.ok) rep.result = r;
    return rep;
}

}  // namespace vertano
