#include "workspace/PrikazPomocne.h"

#include <algorithm>
#include <optional>

#include "workspace/Workspace.h"

namespace vertano {

namespace {

constexpr uint8_t kCestina = 0;
// More names make a dialog taller than a screen; the count says how many there are.
constexpr std::size_t kMaxVypsanych = 20;

bool Cesky(const Workspace& ws) {
    return ws.nastaveni.typJazyk == kCestina;
}

std::string Spojit(const std::vector<std::string>& polozky) {
    std::string text;
    const std::size_t n = std::min(polozky.size(), kMaxVypsanych);
    for (std::size_t i = 0; i < n; ++i) text += (i == 0 ? "" : ", ") + polozky[i];
    if (polozky.size() > n) text += ", ...";
    return text;
}

}  // namespace

std::string TextEtapy(const Workspace& ws, const std::string_view pripona) {
    return " " + ws.jazyk.tlacitko.zpracovani + std::string(pripona);
}

bool PokracovatPriNekonvergenci(const Workspace& ws, Interaction& interakce,
                                const std::string& nadpis, const std::string& hrube) {
    const jazyk::Thlaseni& h = ws.jazyk.hlaseni;
    return interakce.Ask(ws.jazyk.nadpis.varovani + " - " + nadpis,
                         h.nekonvergujiciProces + " " + hrube + " " + h.opravduPokracovat);
}

bool UkazatOznameni(Workspace& ws, Interaction& interakce, const int32_t cislo,
                    const std::string& podrobnosti, const std::string& druhyRadek) {
    ws.chyby.Oznameni(cislo);
    const std::optional<int32_t> prevzato = ws.chyby.PrevzitOznameni();
    if (!prevzato) return false;
    const jazyk::Toznameni o = ws.jazyk.Oznameni(*prevzato);
    std::string text = o.text;
    if (!druhyRadek.empty()) {
        text += "\n" + druhyRadek;
    } else if (!podrobnosti.empty()) {
        text += " (" + podrobnosti + ")";
    }
    interakce.Notify(o.nadpis, text);
    return true;
}

void UkazatVarovani(Workspace& ws, Interaction& interakce, const std::string& text) {
    interakce.Notify(ws.jazyk.nadpis.varovani, text);
}

void UkazatVynechanaMereni(Workspace& ws, Interaction& interakce,
                           const std::vector<VynechaneMereni>& vynechana) {
    if (vynechana.empty()) return;
    std::vector<std::string> polozky;
    polozky.reserve(vynechana.size());
    for (const VynechaneMereni& v : vynechana) {
        polozky.push_back(v.cislo_stn + " - " + v.cislo_cil + " (" + v.chybejiciBod + ")");
    }
    const std::string pocet = std::to_string(vynechana.size());
    const std::string text =
        Cesky(ws)
            ? "Měření vynechaná z vyrovnání, bod nemá souřadnice: " + pocet + ": "
            : "Measurements left out of the adjustment, a point has no coordinates: " + pocet +
                  ": ";
    interakce.Notify(ws.jazyk.nadpis.varovani, text + Spojit(polozky));
}

void UkazatVynechaneDoplnky(Workspace& ws, Interaction& interakce, const int32_t pocet,
                            const std::vector<std::string>& chybejiciBody) {
    if (pocet <= 0) return;
    const std::string text =
        Cesky(ws) ? "Doplňková měření vynechaná z vyrovnání, bod není v síti: "
                  : "Supplementary measurements left out of the adjustment, a point is not in "
                    "the network: ";
    interakce.Notify(ws.jazyk.nadpis.varovani,
                     text + std::to_string(pocet) + ": " + Spojit(chybejiciBody));
}

bool Preruseni::Zadano() {
    if (zadano_) return true;
    if ((cekani_ && !cekani_()) || (interakce_ != nullptr && interakce_->StopRequested()))
        zadano_ = true;
    return zadano_;
}

WaitHook Preruseni::Hook() {
    if (!cekani_ && interakce_ == nullptr) return {};
    return [this] { Zadano(); };
}

void UkazatZruseni(Workspace& ws, Interaction& interakce, const bool vyrovnani) {
    std::string text;
    if (vyrovnani) {
        text = Cesky(ws) ? "Vyrovnání sítě bylo na žádost uživatele přerušeno. Výsledky analýzy "
                           "měření zůstávají zachovány."
                         : "The network adjustment was stopped at the user's request. The results "
                           "of the measurement analysis are kept.";
    } else {
        text = Cesky(ws) ? "Analýza měření byla na žádost uživatele přerušena."
                         : "The measurement analysis was stopped at the user's request.";
    }
    interakce.Notify(ws.jazyk.nadpis.varovani, text);
}

}  // namespace vertano
