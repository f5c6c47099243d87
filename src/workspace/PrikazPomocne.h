#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "adjustment/TmodelSite.h"
#include "adjustment/VysledekSite.h"
#include "data/Interaction.h"
#include "matice/ParallelRows.h"
#include "workspace/VyrovnaniSite.h"

namespace vertano {

class Workspace;

// What the two commands of the adjustment share: the busy label, the
// notifications and the warnings that have no number in the message catalogue.

// The busy label " Processing" + suffix in the language in force, e.g. " ... [2/3]".
std::string TextEtapy(const Workspace& ws, std::string_view pripona);

// Announces notification `cislo` and shows it through the interaction, with a
// second line saying what caused it (in the current language), or else with
// an optional detail (English, from the library) after its text. A
// notification the command suppressed (Tchyby::Nehlasit) is not shown; either
// way it is consumed. Returns whether it was shown.
bool UkazatOznameni(Workspace& ws, Interaction& interakce, int32_t cislo,
                    const std::string& podrobnosti = {}, const std::string& druhyRadek = {});

// A warning (title "Warning" in the current language) with the given text.
void UkazatVarovani(Workspace& ws, Interaction& interakce, const std::string& text);

// The warning that observations were left out because a point has no
// coordinates, naming them (at most a screenful; the count is always complete).
void UkazatVynechanaMereni(Workspace& ws, Interaction& interakce,
                           const std::vector<VynechaneMereni>& vynechana);

// The warning that supplementary rows were left out because a point of theirs is
// not in the network, with their number and the points missing.
void UkazatVynechaneDoplnky(Workspace& ws, Interaction& interakce, int32_t pocet,
                            const std::vector<std::string>& chybejiciBody);

// The stop request of a command's wait hook or of its interaction: asked before
// every stage and iteration, and remembered from the repaints while worker
// threads compute, so that a request made during a long product is honoured at
// the next iteration.
class Preruseni {
  public:
    explicit Preruseni(const Cekani& cekani, Interaction* interakce = nullptr)
        : cekani_(cekani), interakce_(interakce) {}
    Preruseni(const Preruseni&) = delete;
    Preruseni& operator=(const Preruseni&) = delete;

    // Asks the hook (once more) and tells whether a stop was requested.
    bool Zadano();
    // The hook for the waits of the parallel products; empty without a hook.
    WaitHook Hook();

  private:
    const Cekani& cekani_;
    Interaction* interakce_;
    std::atomic<bool> zadano_{false};
};

// The question after iterations that did not converge: "Warning - <nadpis>",
// the non-convergence text, `hrube` (which data may hold gross errors) and "Do
// you want to continue?". True for "Yes".
bool PokracovatPriNekonvergenci(const Workspace& ws, Interaction& interakce,
                                const std::string& nadpis, const std::string& hrube);

// How a loop of adjustment passes ended.
enum class KonecIteraci { Hotovo, Selhani, Zruseno };

// The passes `krok` of a model (VyrovnatRobustne or VyrovnatOpakovane, of the
// network or of the transformation) from pocetIteraci 0 until a pass asks for no
// other, each labelled " ... [faze/n]"; `zrusit`, when given, is asked before
// every pass.
template <class Model>
KonecIteraci Iterovat(const Workspace& ws, Interaction& interakce, Model& model,
                      bool (Model::*krok)(bool&), int faze,
                      const std::function<bool()>& zrusit = {}) {
    model.ZacitIterace();
    bool znovu = true;
    while (znovu) {
        if (zrusit && zrusit()) return KonecIteraci::Zruseno;
        interakce.Stage(TextEtapy(ws, " ... [" + std::to_string(faze) + "/" +
                                          std::to_string(model.Vysledek().PocetIteraci() + 1) +
                                          "]"));
        if (!(model.*krok)(znovu)) return KonecIteraci::Selhani;
    }
    return KonecIteraci::Hotovo;
}

// The notice that a command stopped at the user's request: the analysis leaves
// nothing behind, the adjustment keeps the analysis.
void UkazatZruseni(Workspace& ws, Interaction& interakce, bool vyrovnani);

}  // namespace vertano
