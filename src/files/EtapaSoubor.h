#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "files/FileResult.h"
#include "matice/MatrixTypes.h"
#include "matice/Real.h"

namespace vertano {

class Tsouradnice;

// An epoch file keeps the result of one adjustment or transformation for a later
// comparison of epochs: four sections between the tags "<1>" ... "</4>". The
// program writes it and never reads it.
struct EtapaObsah {
    // Section 1: the counts of the adjustment, one per line in this order, then
    // the two unit standard deviations.
    int32_t pocetSmer = 0;
    int32_t pocetZenit = 0;
    int32_t pocetDelka = 0;
    int32_t pocetDoplnekDelka = 0;
    int32_t pocetDoplnekSmernik = 0;
    int32_t pocetDoplnekPrevyseni = 0;
    int32_t pocetDoplnekProvazeni = 0;
    int32_t pocetMereni = 0;
    int32_t pocetBodu = 0;  // coordinates / 3
    int32_t pocetBoduUrcovanych = 0;
    int32_t pocetBoduFixnich = 0;
    int32_t pocetPosunu = 0;
    int32_t pocetNeznamych = 0;
    int32_t pocetNadbytecnych = 0;
    int32_t pocetPodminek = 0;
    Real odchylkaJednotkovaAprior = 0;
    Real odchylkaJednotkovaAposterior = 0;
    // Section 2: the result points (number, X, Y, Z, fixation, "-1"), coordinates
    // rounded to six decimals. Not owned.
    const Tsouradnice* body = nullptr;
    // Section 3: the lower triangle of the cofactor matrix of the determined
    // coordinates by columns: Q[i][i], Q[i+1][i], ..., Q[n-1][i] for i = 0..n-1.
    std::vector<Real> kofaktory;
    // Or, when `sloupce` is given (a block too large to hold: 9,000 coordinates
    // make 40 million cofactors), the n x n block a column at a time:
    // sloupce(visit) calls visit(j, column) with column[i] = Q[i][j] for
    // j = 0 .. n - 1 while visit returns true, and is false on a failure. The
    // file then gets Q[j..n)[j] of each column as it comes, and is written
    // without its text ever being held whole.
    std::function<bool(const std::function<bool(int32_t, const Tvector&)>&)> sloupce;
    // Section 4: the measurement graph of the drawing data (lines joined by CR LF).
    std::string mereni;
};

// The n(n+1)/2 cofactors of the leading n x n block of `q` in the order of
// EtapaObsah::kofaktory; empty when `q` is smaller than n.
template <class Matice>
std::vector<Real> KofaktoryEtapy(const Matice& q, int32_t n) {
    std::vector<Real> out;
    if (n <= 0 || static_cast<int64_t>(q.size()) < n) return out;
    out.reserve(static_cast<size_t>(n) * static_cast<size_t>(n + 1) / 2);
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t k = i; k < n; ++k) {
            const auto& radek = q[static_cast<size_t>(k)];
            if (static_cast<int64_t>(radek.size()) <= i) return {};
            out.push_back(radek[static_cast<size_t>(i)]);
        }
    }
    return out;
}

// The text of the epoch: counts in decimal, the deviations and the cofactors in
// general notation, ten cofactors per line separated by one blank. Fails, without
// lines, when a value to write is not finite or a point cannot be written; the
// result says which.
FileResult EtapaText(const EtapaObsah& obsah, std::vector<std::string>& radky);

// The size of the epoch file in bytes, estimated before it is written (the
// cofactors take most of it: about 22 bytes each, n (n + 1) / 2 of them).
int64_t OdhadVelikostiEtapy(int32_t pocetBodu, int32_t n);

// Builds the text and saves it through the safe writer, line by line (a file of
// hundreds of megabytes is never held). False with an English message naming
// the file when it cannot be built or saved; an existing file is then left as
// it was.
bool ZapsatEtapu(const std::filesystem::path& cesta, const EtapaObsah& obsah, std::string& chyba);

}  // namespace vertano
