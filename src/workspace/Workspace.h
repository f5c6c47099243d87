#pragma once

#include <cstdint>

#include "adjustment/TmodelSite.h"
#include "adjustment/Tvahy.h"
#include "adjustment/TvektorMereni.h"
#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "drawing/TgrafikaData.h"
#include "mereni/Tmereni.h"
#include "reports/Tprotokol.h"
#include "supplementary/TdoplnkoveMereni.h"
#include "transformation/TmodelTransformacePrevod.h"
#include "transformation/TmodelTransformaceVyrovnani.h"
#include "transformation/TvektorSouradnice.h"
#include "workspace/WorkflowState.h"

namespace vertano {

// Every long-lived object of a running program: created once at start-up,
// destroyed at exit, reached by reference by every window and command, never
// created or freed by a command. Front ends own exactly one.
//
// Members are constructed in the order they are declared, and later members may
// depend on earlier ones (the language tables read the settings), so the order of
// the declarations below is part of the contract: do not reorder them.
class Workspace {
  public:
    Tnastaveni nastaveni;
    Tchyby chyby;
    Tinfo info;
    // Which results are current, and what changed since the last save or open.
    WorkflowState state;
    Tjazyk jazyk;

    // The four reports: network adjustment, transformation with adjustment,
    // point and bearing transformation, files added.
    Tprotokol protokolVyrovnani;
    Tprotokol protokolTransSVyr;
    Tprotokol protokolTransBodASmer;
    Tprotokol protokolPridatSoubor;

    // ---- measurement lists ----
    Tmereni suroveMereni;    // the raw measurements of the main window
    Tmereni schrankaMereni;  // clipboard of raw rows
    // Working lists of the raw-data analysis.
    Tmereni mereniVyrovnani;           // reduced observations for the adjustment
    Tmereni mereniVyrovnaniZobrazeni;  // their display copy (distances unscaled)
    Tmereni porovnaniDelekPriblizne;   // distances against all points with coordinates
    Tmereni porovnaniDelekFixni;       // distances against the fixed points only
    Tmereni mereniJednaPoloha;         // shown and edited in the one-face windows

    // ---- coordinate lists ----
    // The names of the given and identical point lists match the error counters of
    // Tchyby that their checks fill.
    Tsouradnice souradniceFixni;              // given network points
    Tsouradnice souradniceTransformaceVstup;  // identical points, output system
    Tsouradnice souradniceMeritko;            // scale factors
    Tsouradnice souradnicePriblizne;          // approximate coordinates
    Tsouradnice souradniceFixniVyrovnani;     // fixed coordinates of the adjustment
    Tsouradnice souradniceTransformovane;     // transformed coordinates
    Tsouradnice souradniceZobrazeni;          // display copy
    Tsouradnice schrankaSouradnice;           // coordinate clipboard
    // The identical points paired by the transformation analysis: entry 2k the
    // network point (input system), entry 2k + 1 the user's point (output system).
    Tsouradnice souradniceIdenticke;

    // ---- supplementary measurements ----
    TdoplnkoveMereni doplnekVstup;       // as entered, loaded and saved
    TdoplnkoveMereni doplnekZpracovany;  // as prepared for the adjustment

    Tvahy vahy;

    // The network adjustment writes both models; the outlier model keeps every
    // observation of the robust stage annotated with its test values.
    TmodelSite modelVyrovnany;
    TmodelSite modelOdlehly;

    TgrafikaData grafika;  // drawing data of the adjusted network

    TvektorMereni vektorMereniZobrazeni;  // display copy of observations

    TvektorSouradnice vektorSouradniceZobrazeni;  // display copy of identical coordinates

    // The transformation adjustment and its outlier copy, which keeps the
    // rejected identical coordinates with their test values.
    TmodelTransformaceVyrovnani modelTransformace;
    TmodelTransformaceVyrovnani modelTransformaceOdlehly;
    // The network transformed with the adjusted key, and by point and bearing.
    TmodelTransformacePrevod prevodSVyrovnanim;
    TmodelTransformacePrevod prevodBodASmernik;

    // Fills settings, language tables, error state and project state with their
    // defaults, in that order: the texts follow the default settings. Nothing is
    // unsaved at the start.
    Workspace();

    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    Workspace(Workspace&&) = delete;
    Workspace& operator=(Workspace&&) = delete;

    // Switches the language of every text (settings code: 0 Czech, 1 English) and
    // refills the tables. Reports already built exist in the old language, so a
    // real switch marks them as no longer current. An unknown code changes nothing.
    void NastavitJazyk(uint8_t typJazyk);

    // Refills the language tables after a unit or an input format of the settings
    // has changed (unit labels and default extensions follow them).
    void ObnovitTexty();
};

}  // namespace vertano
