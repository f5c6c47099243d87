#pragma once

#include <array>
#include <string>
#include <vector>

#include "adjustment/AnotovaneRadky.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// The a-priori precision of one kind of observation from its three sources. A
// default-constructed record is the cleared state: lists empty, every value -1
// (not set), the totals the empty row (so their vyska_stn, the deviation, is -1).
//
// Summary rows are measurement rows used as containers: skupina is the row's
// weight in the next pooling level, vyska_stn the standard deviation, vyska_cil
// the mean; poradi, cislo_stn and cislo_cil say what the row summarises.

// Inner precision: the scatter of repeated sets of the same target.
struct TvnitrniPresnost {
    AnotovaneRadky mereniSkupina;  // every set measurement used, annotated
    Tmereni odchylkaSkupina;       // one summary row per station and target
    Tmereni odchylkaStanovisko;    // one summary row per station
    Tzaznam odchylkaCelkova = Tzaznam::Prazdny();
    Real odchylkaJednotkovaApriorni = -1;
    Real odchylkaJednotkovaAposteriorni = -1;

    void Prazdny() { *this = TvnitrniPresnost{}; }
};

// Outer precision: reciprocal pairs and closed triangles of directions.
struct TvnejsiPresnost {
    AnotovaneRadky mereniTrojuhelnik;  // the measurements used, annotated
    Tmereni odchylkaTrojuhelnik;       // one summary row per pair or triangle
    Tzaznam odchylkaCelkova = Tzaznam::Prazdny();
    Real odchylkaJednotkovaApriorni = -1;
    Real odchylkaJednotkovaAposteriorni = -1;
    // The three vertex point numbers of every triangle of directions, in the
    // order of the triangles' summary rows.
    std::vector<std::array<std::string, 3>> cislaTrojuhelnik;

    void Prazdny() { *this = TvnejsiPresnost{}; }
};

// The precision typed into the settings.
struct TzadanaPresnost {
    Real odchylkaCelkova = -1;
    Real odchylkaJednotkovaApriorni = -1;
    Real odchylkaJednotkovaAposteriorni = -1;

    void Prazdny() { *this = TzadanaPresnost{}; }
};

struct Tvaha {
    TvnitrniPresnost vnitrniPresnost;
    TvnejsiPresnost vnejsiPresnost;
    TzadanaPresnost zadanaPresnost;
    Real vaha = -1;      // kept for the record layout; weights are per observation
    Real odchylka = -1;  // the standard deviation selected for the kind

    void Prazdny() { *this = Tvaha{}; }
};

}  // namespace vertano
