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
    return t;
}

}  // namespace

const DesktopTexts& TextyPlochy(uint8_t typJazyk) {
    static const DesktopTexts cesky = Cesky();
    static const DesktopTexts anglicky = Anglicky();
    return typJazyk == 0 ? cesky : anglicky;
}

}  // namespace vertano::ui
