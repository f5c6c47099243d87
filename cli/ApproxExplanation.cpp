#include "ApproxExplanation.h"

namespace vertano::cli {

namespace {

std::string Candidates(const PuvodBodu& p) {
    std::string text;
    for (int32_t k = 1; k < kPocetZpusobu; ++k) {
        const int32_t n = p.pocetKandidatu[static_cast<size_t>(k)];
        if (n == 0) continue;
        text += (text.empty() ? "" : ", ") +
                std::string(KlicZpusobu(static_cast<ZpusobUrceni>(k))) + " " + std::to_string(n);
    }
    return text;
}

std::string Line(const PuvodBodu& p) {
    return p.cislo + ": " + std::string(KlicZpusobu(p.prvni)) + ", first from station " +
           p.cisloStn + " to target " + p.cisloCil + " (occupation " +
           std::to_string(p.poradiStanoviska) + ") in pass " + std::to_string(p.pruchod) +
           "; candidates: " + Candidates(p);
}

}  // namespace

std::vector<std::string> ExplanationLines(const VysvetleniPriblizne& vysvetleni) {
    std::vector<std::string> lines;
    for (const PuvodBodu& p : vysvetleni.urcene) lines.push_back(Line(p));
    for (const std::string& name : vysvetleni.neurcene) lines.push_back(name + ": not reached");
    return lines;
}

}  // namespace vertano::cli
