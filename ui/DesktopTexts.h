#pragma once

#include <QString>
#include <cstdint>

namespace vertano::ui {

// The words of the desktop around the windows (recent projects, dropping files,
// the welcome, the toolbar and the outcome line), which the catalogue of
// messages does not hold. Placeholders %1, %2 ... are filled with QString::arg.
struct DesktopTexts {
    // Recent projects
    QString recentProjects, recentNone, recentClear, recentMissing;
    // Dropping files onto the main window
    QString dropRefused, dropOneProject;
    // The welcome
    QString welcomeTitle, welcomeIntro, openExample, addRawFiles, openProject, emptyTable,
        welcomeRecent, exampleMissing;
    // The toolbar of the main road
    QString toolbar, toolAdd, toolCheck, toolAnalyse, toolAdjust, toolDrawing, toolReport, toolSave;
    // Undo and redo of the edits of the raw table
    QString undo, redo;
    // The outcome line
    QString details, checksNone, checksFound, checksEmpty, analysisDone, analysisUnreached,
        analysisWarnings, analysisStopped, analysisCancelled, adjustmentDone, adjustmentStopped,
        adjustmentCancelled, adjustmentDeclined, projectOpened, projectNotOpened, projectSaved,
        projectNotSaved, filesAdded, pointsAdded;
    // The layout of a CSV file of points
    QString csvTitle, csvOrder, csvOrderHelp, csvSeparator, csvComma, csvSemicolon, csvTab,
        csvSpace, csvDecimal, csvPoint, csvHeader, csvHeaderAuto, csvHeaderYes, csvHeaderNo,
        csvPreview, csvInvalid;
    // The tables: filter, order, copy and export
    QString filter, filterHint, filterShown, originalOrder, exportCsv, csvFiles;
    // The map of the network: the side panel, the search and the legend
    QString mapHint, findPoint, findPointHint, pointNotFound, noResults, sideShot,
        fixedPoint, ellipse, semiAxisA, semiAxisB, bearingA, observations, outlier, uncontrolled,
        legend, legendOutlier, legendUncontrolled, legendSideShot, legendSelected, selectedRows;
    // A long command the user cancelled: what was kept
    QString filesCancelled, matrixCancelled, epochCancelled;
};

// The texts in a language of the settings: 0 Czech, anything else English.
const DesktopTexts& TextyPlochy(uint8_t typJazyk);

}  // namespace vertano::ui
