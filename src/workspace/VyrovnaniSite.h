#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "adjustment/Spolehlivost.h"
#include "adjustment/TmodelSite.h"
#include "data/Interaction.h"
#include "matice/ParallelRows.h"
#include "matice/Real.h"
#include "workspace/NevyuzitaData.h"

namespace vertano {

class Workspace;

// The two commands that turn the raw measurements of a workspace into an adjusted
// network: the raw-data analysis prepares the input of the adjustment, the
// network adjustment runs it. Both talk to the user only through the Interaction:
// busy stages, notifications (in the current language, consumed from
// Workspace::chyby) and the two non-convergence questions. Nothing is thrown.
//
// The optional wait hook is called repeatedly while worker threads compute the
// dense products and before every stage and iteration, so that a window can
// repaint itself or a front end running the command on a thread of its own can
// look at its stop button; it must not touch the workspace. When it returns
// false the command stops at the next stage or iteration with a message saying
// so: the analysis leaves no half-made products, the adjustment leaves the
// products of the analysis as they were (only the adjusted network is dropped).
using Cekani = std::function<bool()>;

// What the raw-data analysis did.
struct VysledekAnalyzy {
    // The analysis completed: it is current (WorkflowState, Step::Analysis).
    bool uspech = false;
    // The notification number that stopped it (1, 2, 17-21, or 0 for a failure
    // without a number of its own); -1 when it did not stop. The notification has
    // already been shown through the Interaction (unless it was suppressed).
    int32_t oznameni = -1;
    // Warnings shown on the way, which did not stop it (3, 22-25), in order.
    std::vector<int32_t> varovani;
    // Empty rows were removed from the end of the raw measurement list (a table
    // showing it must be refreshed).
    bool odstranenyRadky = false;
    // Full raw rows outside any measurement set: they take no part in the means.
    int32_t pocetMimoSkupiny = 0;
    // The wait hook asked it to stop (the notification saying so was shown).
    bool zruseno = false;
    // Reduced observations left out because their station or target got no
    // coordinates (no construction reached the point); reported through
    // Interaction::Notify as one warning.
    std::vector<VynechaneMereni> vynechana;
    // Supplementary rows left out because a point of theirs is not in the network;
    // reported through Interaction::Notify as one warning.
    int32_t pocetVynechanychDoplnku = 0;
    // Why a step of the library failed (English), when one did: the preparation
    // of the supplementary measurements names the row.
    std::string chyba;
    // The second line of the stopping notification (current language): what
    // caused it. Empty when it did not stop or there is nothing to name.
    std::string druhyRadek;
    // How the approximate coordinates came about (the final construction on the
    // reduced means); `neurcene` names every point of the measurements that no
    // construction reached, `duvodyNeurcenych` why. Surveyors ask exactly this
    // when coordinates are missing.
    VysledekPriblizne priblizne;
    // Given points that no measurement mentions, and the names among them that
    // differ from a measured one only by letter case or invisible characters;
    // each reported through Interaction::Notify as a warning.
    NevyuzitaData nevyuzita;
};

// What the network adjustment did.
struct VysledekVyrovnani {
    // The adjusted network is current (WorkflowState, Step::Adjustment).
    bool uspech = false;
    // The result was current already; nothing was computed, the caller only
    // shows it.
    bool jenZobrazeni = false;
    // The notification number that stopped it (4-8, or 0 for a failure without a
    // number of its own); -1 when it did not stop or the user answered "No" to a
    // non-convergence question. Already shown through the Interaction.
    int32_t oznameni = -1;
    // The user declined to continue after non-convergence (kind 1 robust, kind 2
    // plain); 0 when not. No notification follows such a stop.
    int32_t odmitnuto = 0;
    // The wait hook asked it to stop (the notification saying so was shown); the
    // products of the analysis are kept, so it can be started again at once.
    bool zruseno = false;
    // Reduced observations left out because their station or target has no
    // coordinates. They were reported through Interaction::Notify as one warning;
    // kept here for summaries (a front end that prints notifications need not
    // print them again).
    std::vector<VynechaneMereni> vynechana;
    // Iterations of the robust stage (0 without exclusion of outliers) and of the
    // plain stage.
    int32_t pocetIteraciRobustne = 0;
    int32_t pocetIteraci = 0;
    // Why the adjustment engine failed (English), when it did; for logs and the
    // command line.
    std::string chyba;
    // The second line of the stopping notification (current language), e.g. the
    // counts behind "too few redundant measurements".
    std::string druhyRadek;
    // The drawing data could not be filled (English reason); the adjustment
    // itself stands.
    std::string chybaGrafiky;
    // The reliability of the observations (the figures of each are in the
    // model's records); the uncontrolled ones and the points depending on them
    // were named through Interaction::Notify as one warning.
    SouhrnSpolehlivosti spolehlivost;
};

// Order of the outlier counts of SouhrnVyrovnani::odlehle: index = Velicina
// - 1, i.e. distance, direction, zenith, supplementary distance, bearing, height
// difference, plumbing tie.
inline constexpr int kPocetDruhuVelicin = 7;

// The figures of an adjusted network that a summary shows.
struct SouhrnVyrovnani {
    int32_t pocetBoduUrcovanych = 0;  // points the adjustment determined
    int32_t pocetBoduFixnich = 0;     // fixed points of the adjustment
    int32_t pocetPosunu = 0;          // orientation unknowns (station occupations)
    int32_t pocetNeznamych = 0;       // coordinates and orientations (no multipliers)
    int32_t pocetMereni = 0;          // observation equations
    int32_t pocetNadbytecnych = 0;    // redundancy
    Real odchylkaJednotkovaAprior = -1;
    Real odchylkaJednotkovaAposterior = -1;
    int32_t pocetIteraci = 0;  // plain iterations of the last run
    Fixace typFixace = Fixace::Neurcena;
    ZdrojVah typVah = ZdrojVah::Neurcen;  // actually used for the weights
    bool vylucovaniOdlehlych = false;     // the outlier exclusion ran
    // Observations excluded as outliers per kind (see kPocetDruhuVelicin).
    std::array<int32_t, kPocetDruhuVelicin> odlehle{};
    // Observations of each kind the outlier test saw, the rejected ones included
    // (the denominator of the share of outliers).
    std::array<int32_t, kPocetDruhuVelicin> testovane{};
    // The sums of the two arrays above.
    int32_t odlehleCelkem = 0;
    int32_t testovaneCelkem = 0;
    // Uncontrolled observations of the adjusted model (redundancy number below
    // 0.01) and the determined points they move.
    int32_t pocetNekontrolovanych = 0;
    std::vector<std::string> zavisleBody;
    // The side shots and the points depending on uncontrolled observations.
    std::vector<NekontrolovanyBod> nekontrolovaneBody;
    // Free coordinates of points fixed in plan or in height alone that no
    // observation reaches, held as given ("9001 Z").
    std::vector<std::string> neurceneSouradnice;
};

// Runs the raw-data analysis on the workspace (raw measurements, given points,
// scale factors, supplementary measurements, settings) and leaves its products
// there: mereniVyrovnani and its display copy, souradnicePriblizne,
// souradniceFixniVyrovnani, the two distance comparisons, doplnekZpracovany and
// vahy. It clears the adjusted network, which is no longer current. On a stop
// every product is cleared and the analysis is not current.
VysledekAnalyzy AnalyzaSuroveMereni(Workspace& ws, Interaction& interakce,
                                    const Cekani& cekani = {});

// Adjusts the network prepared by the last analysis into ws.modelVyrovnany (and
// the excluded observations into ws.modelOdlehly) and fills ws.grafika. When the
// adjusted network is current already it computes nothing (jenZobrazeni). On a
// stop both models are cleared and the adjusted network is not current. Either
// way the transformation analysis, both transformations and every report made
// from the network are no longer current.
VysledekVyrovnani VyrovnaniSite(Workspace& ws, Interaction& interakce, const Cekani& cekani = {});

// The summary of the adjusted network of the workspace; all zero / -1 when the
// adjusted network is not current.
SouhrnVyrovnani ShrnoutVyrovnani(const Workspace& ws);

}  // namespace vertano
