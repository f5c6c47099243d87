#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/ZdrojVah.h"

namespace vertano {

// The settings keep a record of format codes called Tsoubor too, so the loaded-file
// entry of the project state lives in its own namespace.
namespace info {

// One loaded file of the open project.
struct Tsoubor {
    int32_t ID = 0;        // unique within its list
    std::string jmeno;     // file name with extension, no directory
    std::string cesta;     // directory with a trailing separator
    std::string pripona;   // extension including the dot
    int32_t typ = 0;       // format code the file was read with
    bool nacteni = false;  // the file produced at least one full row or point
    int32_t hlaseni = 0;   // rows or points read, or the 1-based line that failed
};

using Tsoubory = std::vector<Tsoubor>;

// File kinds of the eight lists of Tinfo.
inline constexpr int kSurovaMereni = 0;
inline constexpr int kSouradniceFixni = 1;
inline constexpr int kSouradniceTransformaceVstup = 2;
inline constexpr int kSouradniceMeritkoVstup = 3;
inline constexpr int kDoplnekSmernik = 4;
inline constexpr int kDoplnekDelka = 5;
inline constexpr int kDoplnekPrevyseni = 6;
inline constexpr int kDoplnekProvazeni = 7;
inline constexpr int kPocetTypu = 8;

// A file entry for the given path, with ID 0: name, directory (with a trailing
// separator, empty for a bare name) and extension (with the dot) are split from it.
Tsoubor FileEntryFromPath(const std::filesystem::path& cesta, int32_t formatKod, bool nacteni,
                          int32_t hlaseni);

}  // namespace info

// Where the a-priori precision of one kind of observation came from.
struct TtypVah {
    bool vnitrniPresnost = false;
    bool vnejsiPresnost = false;
    bool zadanaPresnost = false;
};

struct TinfoVahy {
    TtypVah delka;
    TtypVah smer;
    TtypVah zenit;
    bool vnitrniPresnost = false;  // the source fed any quantity
    bool vnejsiPresnost = false;
    bool zadanaPresnost = false;
    ZdrojVah typVah = ZdrojVah::Neurcen;
};

// Which inputs took part in the last measurement analysis.
struct TanalyzaMereni {
    bool mereniDoVyrovnani = false;
    bool souradnicePriblizne = false;
    bool souradniceFixni = false;
    bool delkyMeziFixBody = false;
    bool doplnekDelka = false;
    bool doplnekSmernik = false;
    bool doplnekPrevyseni = false;
    bool doplnekProvazeni = false;
};

// State of the open project: the files loaded per kind, what fed the weights and
// which inputs the last analysis used. (Whether a result is current is the
// workspace's WorkflowState.) Operations taking a file kind accept 0-7 (info::k...);
// any other kind does nothing or returns 0, except VratSoubory, which then gives
// the raw-measurement list.
class Tinfo {
  public:
    info::Tsoubory souborySurovaMereni;
    info::Tsoubory souborySouradniceFixni;
    info::Tsoubory souborySouradniceTransformaceVstup;
    info::Tsoubory souborySouradniceMeritkoVstup;
    info::Tsoubory souboryDoplnekSmernik;
    info::Tsoubory souboryDoplnekDelka;
    info::Tsoubory souboryDoplnekPrevyseni;
    info::Tsoubory souboryDoplnekProvazeni;
    info::Tsoubor souborProjekt;
    TinfoVahy infoVahy;
    TanalyzaMereni analyzaMereni;

    // Empties the file lists, the project file and infoVahy; analyzaMereni keeps
    // its values.
    void Default();

    void PocetSouboru(int32_t pocet, int typ);
    void PridejSoubor(const info::Tsoubor& soubor, int typ);
    void SmazSoubor(int32_t identifikator, int typ);
    int32_t VratPocetSouboru(int typ) const;
    int32_t VratUspesneNactenychSouboru(int typ) const;
    const info::Tsoubory& VratSoubory(int typ) const;

    // Appends the entry of a file just read to list `typSouboru` and returns its
    // new ID (0 for an unknown kind). The ID follows the largest one in the list,
    // so an ID is never shared while its entry exists.
    int32_t RegistrovatSoubor(int typSouboru, const std::filesystem::path& cesta, int32_t formatKod,
                              bool nacteni, int32_t hlaseni);

  private:
    info::Tsoubory* Seznam(int typ);
    const info::Tsoubory* Seznam(int typ) const;
};

}  // namespace vertano
