#include "data/Tjazyk.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "data/JazykTexty.h"

namespace vertano {

namespace {

// A code outside the alternatives selects nothing: the text keeps its previous
// value rather than becoming empty or reading past the table.
template <std::size_t N>
void Vybrat(std::string& cil, const std::array<std::string_view, N>& moznosti, unsigned kod) {
    if (kod < N) cil.assign(moznosti[kod]);
}

template <class Zaznam, class Texty>
void VybratJazyk(Zaznam& cil, const Texty& texty, unsigned kodJazyka) {
    Zaznam::Spolu(cil, texty,
                  [kodJazyka](const char*, std::string& text, const jazyk::Varianty& v) {
                      Vybrat(text, v, kodJazyka);
                  });
}

void NaplnitFilter(jazyk::Tfilter& f, const nastaveni::Tsoubor& vstup, unsigned kodJazyka) {
    const jazyk::Filter<jazyk::Varianty>& t = jazyk::TextyFilter();
    Vybrat(f.typSuroveMereni, t.typSuroveMereni, kodJazyka);
    Vybrat(f.typSouradnice, t.typSouradnice, kodJazyka);
    Vybrat(f.typProjekt, t.typProjekt, kodJazyka);
    Vybrat(f.typMeritko, t.typMeritko, kodJazyka);
    Vybrat(f.typDoplnek, t.typDoplnek, kodJazyka);
    Vybrat(f.typProtokol, t.typProtokol, kodJazyka);
    Vybrat(f.typEtapa, t.typEtapa, kodJazyka);
    Vybrat(f.priponaSuroveMereni, t.priponaSuroveMereni, vstup.typSuroveMereni);
    Vybrat(f.priponaSouradnice, t.priponaSouradnice, vstup.typSouradnice);
    Vybrat(f.priponaProjekt, t.priponaProjekt, vstup.typProjekt);
    Vybrat(f.priponaMeritko, t.priponaMeritko, vstup.typMeritko);
    Vybrat(f.priponaDoplnek, t.priponaDoplnek, vstup.typDoplnek);
    Vybrat(f.priponaProtokol, t.priponaProtokol, vstup.typProtokol);
    Vybrat(f.priponaEtapa, t.priponaEtapa, vstup.typEtapa);
}

void NaplnitJednotky(jazyk::TpopisJednotky& p, const nastaveni::Tjednotky& j) {
    Vybrat(p.delka_hodnota, jazyk::kJednotkyDelka, j.delka);
    Vybrat(p.delka_odchylka, jazyk::kJednotkyDelkaOdchylka, j.delka);
    Vybrat(p.smer_hodnota, jazyk::kJednotkyUhel, j.uhel);
    Vybrat(p.smer_odchylka, jazyk::kJednotkyUhelOdchylka, j.uhel);
    Vybrat(p.x_hodnota, jazyk::kJednotkyDelka, j.souradnice);
    Vybrat(p.x_odchylka, jazyk::kJednotkyDelkaOdchylka, j.souradnice);
}

// How a notification composes its title and text from the message catalogue.
enum class Titulek {
    chyba,            // nadpis.chyba
    hlaseni,          // one catalogue text
    varovaniHlaseni,  // nadpis.varovani + " - " + one catalogue text
};

using Text = std::string jazyk::Thlaseni::*;

struct Polozka {
    int32_t cislo;
    Titulek titulek;
    Text nadpis;  // the catalogue text of the title, when it has one
    Text text;
    Text text2;  // joined to text with one blank, when set
};

using H = jazyk::Thlaseni;

constexpr std::array kKatalog = {
    Polozka{0, Titulek::chyba, nullptr, &H::chybaPriZpracovani, nullptr},
    Polozka{1, Titulek::hlaseni, &H::chybaFixnichBodu, &H::nejmeneDvaBodyVlozeny,
            &H::seznamBezDuplicit},
    Polozka{2, Titulek::hlaseni, &H::chybaFixnichBodu, &H::nevhodnaKonfiguraceBodu, nullptr},
    Polozka{3, Titulek::varovaniHlaseni, &H::chybaFixnichBodu, &H::prekrocenMezniRozdil,
            &H::mereniObsahujeHrube},
    Polozka{4, Titulek::hlaseni, &H::chybaVyrovnani, &H::maloNadbytecnych, nullptr},
    Polozka{5, Titulek::hlaseni, &H::chybaRobustnihoVyrovnani, &H::chybaVReseniNormalnichRovnic,
            &H::mereniObsahujeHrube},
    Polozka{6, Titulek::hlaseni, &H::chybaDetekceOdlehlych, &H::apriorPresnostNeodpovida,
            &H::mereniObsahujeHrube},
    Polozka{7, Titulek::hlaseni, &H::chybaVyrovnani, &H::chybaVReseniNormalnichRovnic,
            &H::mereniObsahujeHrube},
    Polozka{8, Titulek::hlaseni, &H::chybaVyrovnani, &H::chybaVyhodnoceniMereni,
            &H::mereniObsahujeHrube},
    Polozka{9, Titulek::hlaseni, &H::chybaIdentickychBodu, &H::nejmeneDvaIdentikeBodyVlozeny,
            &H::seznamIdentickychBezDuplicit},
    Polozka{10, Titulek::hlaseni, &H::chybaIdentickychBodu, &H::identickeMusiOdpovidatSiti,
            nullptr},
    Polozka{11, Titulek::hlaseni, &H::chybaIdentickychBodu, &H::identickeMusiMitDozdilneXY,
            nullptr},
    Polozka{12, Titulek::hlaseni, &H::chybaRobustnihoVyrovnani, &H::chybaVReseniNormalnichRovnic,
            &H::identickeObsahujiHrube},
    Polozka{13, Titulek::hlaseni, &H::chybaDetekceOdlehlych,
            &H::apriorPresnostIdentickcyhNeodpovida, &H::identickeObsahujiHrube},
    Polozka{14, Titulek::hlaseni, &H::chybaVyrovnani, &H::chybaVReseniNormalnichRovnic,
            &H::identickeObsahujiHrube},
    Polozka{15, Titulek::hlaseni, &H::chybaVyrovnani, &H::chybaVyhodnoceniTransformace,
            &H::identickeObsahujiHrube},
    Polozka{16, Titulek::hlaseni, &H::chybaTransformace, &H::chybaPriTransform, nullptr},
    Polozka{17, Titulek::hlaseni, &H::chybaMeritkovychKoeficientu, &H::meritkoObsahujeChyby,
            nullptr},
    Polozka{18, Titulek::hlaseni, &H::chybaDoplnkovehoMereni, &H::doplnekDelkaObsahujeChyby,
            nullptr},
    Polozka{19, Titulek::hlaseni, &H::chybaDoplnkovehoMereni, &H::doplnekSmernikObsahujeChyby,
            nullptr},
    Polozka{20, Titulek::hlaseni, &H::chybaDoplnkovehoMereni, &H::doplnekPrevyseniObsahujeChyby,
            nullptr},
    Polozka{21, Titulek::hlaseni, &H::chybaDoplnkovehoMereni, &H::doplnekProvazeniObsahujeChyby,
            nullptr},
    Polozka{22, Titulek::hlaseni, &H::chybaDoplnkovehoMereni, &H::prekrocenMezniRozdilDoplnekDelka,
            &H::mereniObsahujeHrube},
    Polozka{23, Titulek::hlaseni, &H::chybaDoplnkovehoMereni,
            &H::prekrocenMezniRozdilDoplnekSmernik, &H::mereniObsahujeHrube},
    Polozka{24, Titulek::hlaseni, &H::chybaDoplnkovehoMereni,
            &H::prekrocenMezniRozdilDoplnekPrevyseni, &H::mereniObsahujeHrube},
    Polozka{25, Titulek::hlaseni, &H::chybaDoplnkovehoMereni,
            &H::prekrocenMezniRozdilDoplnekProvazeni, &H::mereniObsahujeHrube},
    Polozka{26, Titulek::hlaseni, &H::chybaProtokol, &H::chybaZpracovaniProtokolu, nullptr},
    Polozka{28, Titulek::chyba, nullptr, &H::chybaPriUkladani, nullptr},
};

}  // namespace

void Tjazyk::Default(const Tnastaveni& nastaveni) {
    const unsigned kodJazyka = nastaveni.typJazyk;
    NaplnitFilter(filter, nastaveni.souborVstup, kodJazyka);
    VybratJazyk(popis, jazyk::TextyPopis(), kodJazyka);
    NaplnitJednotky(popisJednotky, nastaveni.jednotky);
    VybratJazyk(tlacitko, jazyk::TextyTlacitko(), kodJazyka);
    VybratJazyk(hlaseni, jazyk::TextyHlaseni(), kodJazyka);
    VybratJazyk(nadpis, jazyk::TextyNadpis(), kodJazyka);
    typOdhadu.assign(jazyk::kTypOdhadu.begin(), jazyk::kTypOdhadu.end());
    VybratJazyk(protokol, jazyk::TextyProtokol(), kodJazyka);
}

jazyk::Toznameni Tjazyk::Oznameni(int32_t cislo) const {
    for (const Polozka& p : kKatalog) {
        if (p.cislo != cislo) continue;
        jazyk::Toznameni o;
        switch (p.titulek) {
            case Titulek::chyba:
                o.nadpis = nadpis.chyba;
                break;
            case Titulek::hlaseni:
                o.nadpis = hlaseni.*p.nadpis;
                break;
            case Titulek::varovaniHlaseni:
                o.nadpis = nadpis.varovani + " - " + hlaseni.*p.nadpis;
                break;
        }
        o.text = hlaseni.*p.text;
        if (p.text2 != nullptr) o.text += " " + hlaseni.*p.text2;
        return o;
    }
    return {nadpis.chyba, nadpis.chyba};
}

}  // namespace vertano
