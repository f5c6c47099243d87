#include "ApproxExplanation.h"

#include "mereni/Text.h"

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

std::string Fit(const SpolecnyBod& b) {
    return b.cislo + " (" + FormatFixed(b.vX, 4) + ", " + FormatFixed(b.vY, 4) + ", " +
           FormatFixed(b.vZ, 4) + (b.jeVyloucen ? ", left out" : "") + ")";
}

std::string LocalSystem(const LokalniSystemPriblizne& l, size_t index) {
    std::string line = "local system " + std::to_string(index + 1) + ": occupation " +
                       std::to_string(l.poradiStanoviska) + " (station " + l.cisloStn + ", " +
                       std::to_string(l.pocetCilu) + " targets with distances), " +
                       std::to_string(l.pocetBodu) + " points";
    if (l.jeBezZnamych) {
        return line + ", " + std::to_string(l.pocetUrcenych) +
               " new; placed as computed: nothing was known";
    }
    std::string common;
    for (const SpolecnyBod& b : l.spolecne) {
        common += (common.empty() ? "" : ", ") + (l.jeUmisten ? Fit(b) : b.cislo);
    }
    if (!l.jeUmisten) {
        return line + "; not fitted: " + std::string(KlicDuvodu(l.duvod)) +
               (common.empty() ? "" : " (" + common + ")");
    }
    return line + ", " + std::to_string(l.pocetUrcenych) + " new; fitted on " +
           std::to_string(l.spolecne.size()) +
           " common points, residuals (x, y, z) [m]: " + common + "; rotation " +
           FormatFixed(l.natoceni, 6) + " rad, scale of the fit " + FormatFixed(l.meritko, 6) +
           " (not applied)";
}

std::string Refinement(const ZpresneniPriblizne& z) {
    if (!z.jeProvedeno) return "refinement: not taken (" + z.chyba + ")";
    return "refinement: " + std::to_string(z.pocetIteraci) + " iterations, largest move " +
           FormatFixed(z.maxPosun, 4) + " m, " + std::to_string(z.pocetPotlacenych) +
           " measurements weighted down as gross errors";
}

}  // namespace

std::vector<std::string> ExplanationLines(const VysvetleniPriblizne& vysvetleni) {
    std::vector<std::string> lines;
    for (const PuvodBodu& p : vysvetleni.urcene) lines.push_back(Line(p));
    for (size_t i = 0; i < vysvetleni.lokalniSystemy.size(); ++i) {
        lines.push_back(LocalSystem(vysvetleni.lokalniSystemy[i], i));
    }
    const ZpresneniPriblizne& z = vysvetleni.zpresneni;
    if (z.jeProvedeno || !z.chyba.empty()) lines.push_back(Refinement(z));
    for (size_t i = 0; i < vysvetleni.neurcene.size(); ++i) {
        lines.push_back(vysvetleni.neurcene[i] + ": not reached (" +
                        std::string(KlicDuvodu(vysvetleni.duvodyNeurcenych[i])) + ")");
    }
    return lines;
}

}  // namespace vertano::cli
