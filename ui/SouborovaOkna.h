#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"

class QWidget;

namespace vertano::ui {

// The kinds of file the program reads and writes through its file windows.
// Export: the "Export ..." of the main window (the prepared measurements, or the
// adjusted network in the formats of other programs).
enum class DruhSouboru {
    SurovaMereni,
    Body,
    Meritko,
    Doplnek,
    Protokol,
    Grafika,
    Projekt,
    Etapa,
    Export,
    TabulkaCsv  // any table of the program as shown
};

// How the file window of a kind looks and what it remembers: its title, its file
// types as the catalogue gives them ("description|mask|description|mask") and the
// format code of the settings that holds the chosen type.
struct PopisSouboru {
    QString nadpis;
    std::string filtr;
    uint8_t* kod = nullptr;
    // The settings keep only the types of the program's own formats, the first
    // ones; the formats of other programs follow them and are not kept.
    int pocetKodu = 1000;
};

// The window of a kind for adding or opening (`ulozit` false) or for saving.
PopisSouboru Popis(DruhSouboru druh, bool ulozit, Tnastaveni& nastaveni, const Tjazyk& jazyk);

// The file types as a Qt file dialog lists them: "description (mask)".
QStringList FiltryQt(const std::string& filtr);
// The extension of file type `index` (".mtx"), from its mask; empty when the
// mask names none.
QString PriponaFiltru(const std::string& filtr, int index);
// The saved path gets the extension of the chosen type unless the name already
// ends with it (in any letter case): "net" becomes "net.txt", a chosen existing
// "net.txt" stays as it is. A name that is only blanks gives an empty path.
std::filesystem::path CestaSPriponou(const QString& cesta, const QString& pripona);

// The real file windows: Qt's file dialog with the title, the file types, the
// type index stored in the settings (read when it opens and written back when it
// closes, chosen file or not), and the folder kept from one use to the next.
std::vector<std::filesystem::path> OtevritSoubory(QWidget* rodic, DruhSouboru druh, bool vice,
                                                  Tnastaveni& nastaveni, const Tjazyk& jazyk);
std::filesystem::path UlozitSoubor(QWidget* rodic, DruhSouboru druh, Tnastaveni& nastaveni,
                                   const Tjazyk& jazyk);

}  // namespace vertano::ui
