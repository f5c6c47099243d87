#include "DesktopTexts.h"

namespace vertano::ui {

namespace {

DesktopTexts Cesky() {
    DesktopTexts t;
    t.recentProjects = QString::fromUtf8("Poslední projekty");
    t.recentNone = QString::fromUtf8("(žádné)");
    t.recentClear = QString::fromUtf8("Vymazat seznam");
    t.recentMissing = QString::fromUtf8("Projekt již neexistuje a byl odebrán ze seznamu:\n%1");
    t.dropRefused = QString::fromUtf8(
        "Tyto soubory nelze otevřít přetažením (projekt .gpr, surová měření .mtx, .asc, .gsi, "
        "síť .xml, souřadnice bodů .txt):");
    t.dropOneProject = QString::fromUtf8("Otevírá se jen první přetažený projekt:");
    t.welcomeTitle = QString::fromUtf8("Vítejte ve Vertanu");
    t.welcomeIntro = QString::fromUtf8(
        "Začněte surovými měřeními totální stanice, uloženým projektem nebo ukázkovou sítí. "
        "Soubory měření, bodů i projekty lze také přetáhnout do tohoto okna.");
    t.openExample = QString::fromUtf8("Otevřít ukázku");
    t.addRawFiles = QString::fromUtf8("Přidat surová měření ...");
    t.openProject = QString::fromUtf8("Otevřít projekt ...");
    t.emptyTable = QString::fromUtf8("Prázdná tabulka");
    t.welcomeRecent = QString::fromUtf8("Poslední projekty");
    t.exampleMissing = QString::fromUtf8("Ukázkový projekt nebyl nalezen.");
    t.toolbar = QString::fromUtf8("Hlavní cesta");
    t.toolAdd = QString::fromUtf8("Přidat");
    t.toolCheck = QString::fromUtf8("Kontrola");
    t.toolAnalyse = QString::fromUtf8("Analýza");
    t.toolAdjust = QString::fromUtf8("Vyrovnání");
    t.toolDrawing = QString::fromUtf8("Kresba");
    t.toolReport = QString::fromUtf8("Protokol");
    t.toolSave = QString::fromUtf8("Uložit");
    t.undo = QString::fromUtf8("Zpět");
    t.redo = QString::fromUtf8("Znovu");
    t.details = QString::fromUtf8("Podrobnosti");
    t.checksNone = QString::fromUtf8("Kontrola: bez chyb (měření: %1)");
    t.checksFound = QString::fromUtf8("Kontrola: nalezené chyby: %1 (měření: %2)");
    t.checksEmpty = QString::fromUtf8("Kontrola: žádná měření");
    t.analysisDone =
        QString::fromUtf8("Analýza měření: souřadnice bodů: %1, měření do vyrovnání: %2");
    t.analysisUnreached = QString::fromUtf8(", body bez souřadnic: %1");
    t.analysisWarnings = QString::fromUtf8(", varování: %1");
    t.analysisStopped = QString::fromUtf8("Analýza měření zastavena: %1");
    t.analysisCancelled = QString::fromUtf8("Analýza měření zrušena");
    t.adjustmentDone = QString::fromUtf8(
        "Vyrovnání sítě: σ0 = %1 (a priori %2), odlehlá měření: %3, nekontrolovaná měření: %4, "
        "iterace: %5");
    t.adjustmentStopped = QString::fromUtf8("Vyrovnání sítě zastaveno: %1");
    t.adjustmentCancelled = QString::fromUtf8("Vyrovnání sítě zrušeno");
    t.adjustmentDeclined = QString::fromUtf8("Vyrovnání sítě nekonvergovalo a bylo ukončeno");
    t.projectOpened = QString::fromUtf8("Projekt otevřen: %1");
    t.projectNotOpened = QString::fromUtf8("Projekt nelze otevřít: %1");
    t.projectSaved = QString::fromUtf8("Projekt uložen: %1");
    t.projectNotSaved = QString::fromUtf8("Projekt nelze uložit: %1");
    t.filesAdded = QString::fromUtf8("Přidané soubory: %1, měření: %2");
    t.filesCancelled = QString::fromUtf8("Přidávání souborů zrušeno, nic nebylo přidáno");
    t.matrixCancelled = QString::fromUtf8("Výpočet matice váhových koeficientů zrušen");
    t.epochCancelled = QString::fromUtf8("Ukládání etapy zrušeno, soubor zůstal beze změny");
    t.pointsAdded = QString::fromUtf8("Přidané body: %1");
    t.csvTitle = QString::fromUtf8("Rozvržení souboru CSV");
    t.csvOrder = QString::fromUtf8("Pořadí sloupců:");
    t.csvOrderHelp = QString::fromUtf8(
        "Písmeno za každý sloupec: N číslo bodu, X, Y, Z, - sloupec vynechat (např. NYXZ)");
    t.csvSeparator = QString::fromUtf8("Oddělovač:");
    t.csvComma = QString::fromUtf8("čárka");
    t.csvSemicolon = QString::fromUtf8("středník");
    t.csvTab = QString::fromUtf8("tabulátor");
    t.csvSpace = QString::fromUtf8("mezery");
    t.csvDecimal = QString::fromUtf8("Desetinná značka:");
    t.csvPoint = QString::fromUtf8("tečka");
    t.csvHeader = QString::fromUtf8("Záhlaví na prvním řádku:");
    t.csvHeaderAuto = QString::fromUtf8("zjistit");
    t.csvHeaderYes = QString::fromUtf8("ano");
    t.csvHeaderNo = QString::fromUtf8("ne");
    t.csvPreview = QString::fromUtf8("Začátek souboru:");
    t.csvInvalid = QString::fromUtf8(
        "Rozvržení nelze použít: pořadí musí jmenovat N, X, Y a Z každé jednou (jinak jen -) "
        "a desetinná značka nesmí být oddělovačem.");
    t.filter = QString::fromUtf8("Filtr:");
    t.filterHint = QString::fromUtf8("bod nebo stanovisko");
    t.filterShown = QString::fromUtf8("zobrazeno %1 z %2");
    t.originalOrder = QString::fromUtf8("Původní pořadí");
    t.exportCsv = QString::fromUtf8("Exportovat do CSV ...");
    t.csvFiles = QString::fromUtf8("Tabulka CSV|*.csv");
    t.mapHint = QString::fromUtf8(
        "Klepněte na bod v kresbě: zobrazí se jeho souřadnice, směrodatné odchylky, elipsa "
        "chyb a měření s opravami. Řádky vybrané v tabulkách výsledků se v kresbě zvýrazní.");
    t.findPoint = QString::fromUtf8("Najít bod");
    t.findPointHint = QString::fromUtf8("číslo bodu (F3, Ctrl+F)");
    t.pointNotFound = QString::fromUtf8("Bod %1 v kresbě není.");
    t.noResults = QString::fromUtf8("Pro tento bod nejsou výsledky vyrovnání.");
    t.sideShot = QString::fromUtf8("rajón nebo bod závislý na nekontrolovaných měřeních");
    t.fixedPoint = QString::fromUtf8("pevný bod");
    t.ellipse = QString::fromUtf8("Elipsa chyb");
    t.semiAxisA = QString::fromUtf8("a");
    t.semiAxisB = QString::fromUtf8("b");
    t.bearingA = QString::fromUtf8("směrník a");
    t.observations = QString::fromUtf8("Měření v bodě");
    t.outlier = QString::fromUtf8("odlehlé");
    t.uncontrolled = QString::fromUtf8("nekontrolované");
    t.legend = QString::fromUtf8("Legenda");
    t.legendOutlier = QString::fromUtf8("odlehlé měření (vyloučené)");
    t.legendUncontrolled = QString::fromUtf8("nekontrolované měření");
    t.legendSideShot = QString::fromUtf8("rajón, nekontrolovaný bod");
    t.legendSelected = QString::fromUtf8("vybráno");
    t.selectedRows = QString::fromUtf8("Vybraný řádek tabulky");
    return t;
}

DesktopTexts Anglicky() {
    DesktopTexts t;
    t.recentProjects = "Recent projects";
    t.recentNone = "(none)";
    t.recentClear = "Clear list";
    t.recentMissing = "The project no longer exists and was removed from the list:\n%1";
    t.dropRefused =
        "These files cannot be opened by dropping them (a project .gpr, raw measurements .mtx, "
        ".asc, .gsi, a network .xml, point coordinates .txt):";
    t.dropOneProject = "Only the first project dropped is opened:";
    t.welcomeTitle = "Welcome to Vertano";
    t.welcomeIntro =
        "Start with the raw measurements of a total station, a saved project or the example "
        "network. Measurement files, point files and projects can also be dropped onto this "
        "window.";
    t.openExample = "Open example";
    t.addRawFiles = "Add raw files ...";
    t.openProject = "Open project ...";
    t.emptyTable = "Empty table";
    t.welcomeRecent = "Recent projects";
    t.exampleMissing = "The example project was not found.";
    t.toolbar = "Main road";
    t.toolAdd = "Add files";
    t.toolCheck = "Check";
    t.toolAnalyse = "Analyse";
    t.toolAdjust = "Adjust";
    t.toolDrawing = "Drawing";
    t.toolReport = "Report";
    t.toolSave = "Save";
    t.undo = "Undo";
    t.redo = "Redo";
    t.details = "Details";
    t.checksNone = "Checks: no errors (measurements: %1)";
    t.checksFound = "Checks: errors found: %1 (measurements: %2)";
    t.checksEmpty = "Checks: no measurements";
    t.analysisDone =
        "Measurement analysis: coordinates of points: %1, measurements for the adjustment: %2";
    t.analysisUnreached = ", points without coordinates: %1";
    t.analysisWarnings = ", warnings: %1";
    t.analysisStopped = "Measurement analysis stopped: %1";
    t.analysisCancelled = "Measurement analysis cancelled";
    t.adjustmentDone = QString::fromUtf8(
        "Network adjustment: σ0 = %1 (a priori %2), outliers: %3, uncontrolled observations: "
        "%4, iterations: %5");
    t.adjustmentStopped = "Network adjustment stopped: %1";
    t.adjustmentCancelled = "Network adjustment cancelled";
    t.adjustmentDeclined = "Network adjustment did not converge and was ended";
    t.projectOpened = "Project opened: %1";
    t.projectNotOpened = "The project cannot be opened: %1";
    t.projectSaved = "Project saved: %1";
    t.projectNotSaved = "The project cannot be saved: %1";
    t.filesAdded = "Added files: %1, measurements: %2";
    t.filesCancelled = "Adding files cancelled; nothing was added";
    t.matrixCancelled = "Weight coefficient matrix cancelled";
    t.epochCancelled = "Saving the epoch cancelled; the file was left as it was";
    t.pointsAdded = "Added points: %1";
    t.csvTitle = "Layout of a CSV file";
    t.csvOrder = "Column order:";
    t.csvOrderHelp = "A letter per column: N point number, X, Y, Z, - a column skipped (e.g. NYXZ)";
    t.csvSeparator = "Separator:";
    t.csvComma = "comma";
    t.csvSemicolon = "semicolon";
    t.csvTab = "tab";
    t.csvSpace = "blanks";
    t.csvDecimal = "Decimal mark:";
    t.csvPoint = "point";
    t.csvHeader = "Header on the first line:";
    t.csvHeaderAuto = "detect";
    t.csvHeaderYes = "yes";
    t.csvHeaderNo = "no";
    t.csvPreview = "Beginning of the file:";
    t.csvInvalid = "The layout cannot be used: %1";
    t.filter = "Filter:";
    t.filterHint = "point or station";
    t.filterShown = "shown %1 of %2";
    t.originalOrder = "Original order";
    t.exportCsv = "Export to CSV ...";
    t.csvFiles = "CSV table|*.csv";
    t.mapHint =
        "Click a point in the drawing to see its coordinates, standard deviations, error "
        "ellipse and observations with their residuals. Rows selected in the result tables are "
        "highlighted in the drawing.";
    t.findPoint = "Find point";
    t.findPointHint = "point number (F3, Ctrl+F)";
    t.pointNotFound = "Point %1 is not in the drawing.";
    t.noResults = "The adjustment has no results for this point.";
    t.sideShot = "side shot or point depending on uncontrolled observations";
    t.fixedPoint = "fixed point";
    t.ellipse = "Error ellipse";
    t.semiAxisA = "a";
    t.semiAxisB = "b";
    t.bearingA = "bearing of a";
    t.observations = "Observations at the point";
    t.outlier = "outlier";
    t.uncontrolled = "uncontrolled";
    t.legend = "Legend";
    t.legendOutlier = "outlier (rejected)";
    t.legendUncontrolled = "uncontrolled observation";
    t.legendSideShot = "side shot, uncontrolled point";
    t.legendSelected = "selected";
    t.selectedRows = "Selected table row";
    return t;
}

}  // namespace

const DesktopTexts& TextyPlochy(uint8_t typJazyk) {
    static const DesktopTexts cesky = Cesky();
    static const DesktopTexts anglicky = Anglicky();
    return typJazyk == 0 ? cesky : anglicky;
}

}  // namespace vertano::ui
