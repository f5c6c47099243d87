#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"

namespace vertano {
namespace {

Tjazyk Jazyk(uint8_t typJazyk) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    nastaveni.typJazyk = typJazyk;
    Tjazyk jazyk;
    jazyk.Default(nastaveni);
    return jazyk;
}

std::map<std::string, std::string> VsechnyTexty(const Tjazyk& jazyk) {
    std::map<std::string, std::string> texty;
    jazyk.ProKazdyText([&](const char* skupina, const char* klic, const std::string& text) {
        texty[std::string(skupina) + "." + klic] = text;
    });
    return texty;
}

// Strict UTF-8: no stray continuation bytes, truncated, overlong or surrogate
// sequences and nothing beyond U+10FFFF.
bool JePlatneUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t delka = 0;
        char32_t kod = 0;
        char32_t nejmene = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            delka = 2, kod = b & 0x1F, nejmene = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            delka = 3, kod = b & 0x0F, nejmene = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            delka = 4, kod = b & 0x07, nejmene = 0x10000;
        } else {
            return false;
        }
        if (i + delka > s.size()) return false;
        for (std::size_t k = 1; k < delka; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            kod = (kod << 6) | (c & 0x3F);
        }
        if (kod < nejmene || kod > 0x10FFFF || (kod >= 0xD800 && kod <= 0xDFFF)) return false;
        i += delka;
    }
    return true;
}

bool JeAscii(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

struct OcekavaneOznameni {
    int32_t cislo;
    const char* nadpis;
    const char* text;
};

TEST(TjazykOznameni, EveryNumberInEnglishHasItsTitleAndJoinedText) {
    const OcekavaneOznameni ocekavane[] = {
        {0, "Error", "An error occurred during the processing! Please check the processed data."},
        {1, "Fixed points error",
         "At least two network points must be inserted! The list of inserted network points "
         "must not contain any duplicates!"},
        {2, "Fixed points error", "Improper configuration of inserted network points."},
        {3, "Warning - Fixed points error",
         "The maximal difference of slope distances between the network points has been "
         "exceeded. The measurements may contain gross errors."},
        {4, "Adjustment process error", "Insufficient number of redundant measurements."},
        {5, "Robust adjustment error",
         "Error in solving the normal equations. The measurements may contain gross errors."},
        {6, "Outlier detection error",
         "A priori accuracy of network does not reflect reality. The measurements may contain "
         "gross errors."},
        {7, "Adjustment process error",
         "Error in solving the normal equations. The measurements may contain gross errors."},
        {8, "Adjustment process error",
         "Network accuracy evaluation error. The measurements may contain gross errors."},
        {9, "Identical points error",
         "At least two identical points must be inserted! The list of inserted identical points "
         "must not contain any duplicates!"},
        {10, "Identical points error",
         "At least two inserted identical points must correspond to the network points."},
        {11, "Identical points error",
         "At least two inserted identical points must have different coordinates X and Y."},
        {12, "Robust adjustment error",
         "Error in solving the normal equations. The inserted identical points may contain gross "
         "errors."},
        {13, "Outlier detection error",
         "A priori accuracy of identical points does not reflect reality. The inserted identical "
         "points may contain gross errors."},
        {14, "Adjustment process error",
         "Error in solving the normal equations. The inserted identical points may contain gross "
         "errors."},
        {15, "Adjustment process error",
         "Transformation accuracy evaluation error. The inserted identical points may contain "
         "gross errors."},
        {16, "Transformation error",
         "An error occurred during the coordinates transformation process!"},
        {17, "Scale factor error",
         "The list of scale factors for distance reduction contains errors."},
        {18, "Supplementary measurement error",
         "The list of supplementary measurements (Slope distance) contains errors."},
        {19, "Supplementary measurement error",
         "The list of supplementary measurements (Bearing) contains errors."},
        {20, "Supplementary measurement error",
         "The list of supplementary measurements (Height difference) contains errors."},
        {21, "Supplementary measurement error",
         "The list of supplementary measurements (Vertical plumbing) contains errors."},
        {22, "Supplementary measurement error",
         "The maximal difference of supplementary measurement (Slope distance) between the "
         "network points has been exceeded. The measurements may contain gross errors."},
        {23, "Supplementary measurement error",
         "The maximal difference of supplementary measurement (Bearing) between the network "
         "points has been exceeded. The measurements may contain gross errors."},
        {24, "Supplementary measurement error",
         "The maximal difference of supplementary measurement (Height difference) between the "
         "network points has been exceeded. The measurements may contain gross errors."},
        {25, "Supplementary measurement error",
         "The maximal difference of supplementary measurement (Vertical plumbing) between the "
         "network points has been exceeded. The measurements may contain gross errors."},
        {26, "Protocol error", "An error occurred during the protocol processing!"},
        {28, "Error", "An error occurred during the save process!"},
    };
    const Tjazyk en = Jazyk(1);
    for (const OcekavaneOznameni& o : ocekavane) {
        const jazyk::Toznameni z = en.Oznameni(o.cislo);
        EXPECT_EQ(z.nadpis, o.nadpis) << "notification " << o.cislo;
        EXPECT_EQ(z.text, o.text) << "notification " << o.cislo;
    }
}

TEST(TjazykOznameni, EveryNumberInCzechIsTranslatedAndJoinedTheSameWay) {
    const Tjazyk cs = Jazyk(0);
    const Tjazyk en = Jazyk(1);
    for (int32_t cislo = 0; cislo <= 28; ++cislo) {
        if (cislo == 27) continue;
        const jazyk::Toznameni c = cs.Oznameni(cislo);
        const jazyk::Toznameni e = en.Oznameni(cislo);
        EXPECT_NE(c.nadpis, e.nadpis) << cislo;
        EXPECT_NE(c.text, e.text) << cislo;
        EXPECT_TRUE(JePlatneUtf8(c.nadpis) && JePlatneUtf8(c.text)) << cislo;
    }
    EXPECT_EQ(cs.Oznameni(0).nadpis, "Chyba");
    EXPECT_EQ(cs.Oznameni(0).text,
              "Během zpracování došlo k chybě! Prosím, zkontrolujte zpracovávaná data.");
    EXPECT_EQ(cs.Oznameni(3).nadpis, "Upozornění - Chyba fixních bodů");
    EXPECT_EQ(cs.Oznameni(9).text,
              "Musí být vloženy minimálně dva identické body! Seznam vložených identických bodů "
              "nesmí obsahovat žádné duplicity!");
    EXPECT_EQ(cs.Oznameni(28).text, "Při ukládání souboru došlo k chybě!");
}

TEST(TjazykOznameni, UnknownNumbersGiveTheGenericError) {
    const Tjazyk en = Jazyk(1);
    const Tjazyk cs = Jazyk(0);
    for (const int32_t cislo : {-1, 27, 29, 1000, INT32_MIN}) {
        EXPECT_EQ(en.Oznameni(cislo).nadpis, "Error");
        EXPECT_EQ(en.Oznameni(cislo).text, "Error");
        EXPECT_EQ(cs.Oznameni(cislo).nadpis, "Chyba");
        EXPECT_EQ(cs.Oznameni(cislo).text, "Chyba");
    }
}

TEST(Tjazyk, SwitchingTheLanguageChangesEveryTextButTheSharedOnes) {
    // The same in both languages by design; units and extensions follow other codes.
    const std::set<std::string> spolecne = {"tlacitko.ok",
                                            "popis.x",
                                            "popis.y",
                                            "popis.z",
                                            "popis.verzeCislo",
                                            "protokol.data",
                                            "filter.priponaSuroveMereni",
                                            "filter.priponaSouradnice",
                                            "filter.priponaProjekt",
                                            "filter.priponaMeritko",
                                            "filter.priponaDoplnek",
                                            "filter.priponaProtokol",
                                            "filter.priponaEtapa",
                                            "popisJednotky.delka_hodnota",
                                            "popisJednotky.delka_odchylka",
                                            "popisJednotky.smer_hodnota",
                                            "popisJednotky.smer_odchylka",
                                            "popisJednotky.x_hodnota",
                                            "popisJednotky.x_odchylka"};

    Tnastaveni nastaveni;
    nastaveni.Default();
    Tjazyk jazyk;
    jazyk.Default(nastaveni);
    const std::map<std::string, std::string> cs = VsechnyTexty(jazyk);
    const std::vector<std::string> odhadyCs = jazyk.typOdhadu;
    nastaveni.typJazyk = 1;
    jazyk.Default(nastaveni);
    const std::map<std::string, std::string> en = VsechnyTexty(jazyk);

    ASSERT_EQ(cs.size(), en.size());
    EXPECT_GT(cs.size(), 380u);
    for (const auto& [klic, text] : cs) {
        EXPECT_FALSE(text.empty()) << klic;
        EXPECT_FALSE(en.at(klic).empty()) << klic;
        if (spolecne.count(klic)) {
            EXPECT_EQ(text, en.at(klic)) << klic;
        } else {
            EXPECT_NE(text, en.at(klic)) << klic;
        }
    }
    EXPECT_EQ(jazyk.typOdhadu, odhadyCs);
    EXPECT_EQ(cs.at("tlacitko.ok"), "OK");
    EXPECT_TRUE(std::regex_match(cs.at("popis.verzeCislo"), std::regex(R"(\d+\.\d+\.\d+)")));
}

TEST(Tjazyk, CzechTextsAreValidUtf8WithDiacriticsAndEnglishIsPlainAscii) {
    const std::map<std::string, std::string> cs = VsechnyTexty(Jazyk(0));
    const std::map<std::string, std::string> en = VsechnyTexty(Jazyk(1));
    std::size_t sDiakritikou = 0;
    for (const auto& [klic, text] : cs) {
        EXPECT_TRUE(JePlatneUtf8(text)) << klic;
        if (!JeAscii(text)) ++sDiakritikou;
    }
    for (const auto& [klic, text] : en) EXPECT_TRUE(JeAscii(text)) << klic << ": " << text;
    EXPECT_GT(sDiakritikou, cs.size() / 2);
    // Bytes spelled out, so the check does not depend on how this file is encoded.
    EXPECT_EQ(cs.at("popis.delka"), "\xC5\xA0ikm\xC3\xA1 d\xC3\xA9lka");
    EXPECT_EQ(cs.at("nadpis.varovani"), "Upozorn\xC4\x9Bn\xC3\xAD");
    EXPECT_EQ(cs.at("protokol.poradiChybnehoRadku"),
              "Po\xC5\x99"
              "ad\xC3\xAD chybn\xC3\xA9ho \xC5\x99\xC3\xA1"
              "dku (ignorov\xC3\xA1ny "
              "pr\xC3\xA1zdn\xC3\xA9 \xC5\x99\xC3\xA1"
              "dky)");
}

TEST(Tjazyk, UnitLabelsFollowTheUnitCodes) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tjazyk jazyk;
    const char* const uhly[][2] = {
        {"rad", "mrad"}, {"gon", "mgon"}, {"deg", "mdeg"}, {"dms", "sec"}};
    for (uint8_t kod = 0; kod < 4; ++kod) {
        nastaveni.jednotky.uhel = kod;
        jazyk.Default(nastaveni);
        EXPECT_EQ(jazyk.popisJednotky.smer_hodnota, uhly[kod][0]);
        EXPECT_EQ(jazyk.popisJednotky.smer_odchylka, uhly[kod][1]);
    }
    nastaveni.jednotky.delka = 1;
    nastaveni.jednotky.souradnice = 0;
    jazyk.Default(nastaveni);
    EXPECT_EQ(jazyk.popisJednotky.delka_hodnota, "ft");
    EXPECT_EQ(jazyk.popisJednotky.delka_odchylka, "pt");
    EXPECT_EQ(jazyk.popisJednotky.x_hodnota, "m");
    EXPECT_EQ(jazyk.popisJednotky.x_odchylka, "mm");
    nastaveni.jednotky.delka = 0;
    nastaveni.jednotky.souradnice = 1;
    jazyk.Default(nastaveni);
    EXPECT_EQ(jazyk.popisJednotky.delka_hodnota, "m");
    EXPECT_EQ(jazyk.popisJednotky.x_hodnota, "ft");
    EXPECT_EQ(jazyk.popisJednotky.x_odchylka, "pt");
}

TEST(Tjazyk, CodesOutOfRangeKeepThePreviousTexts) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    nastaveni.typJazyk = 1;
    Tjazyk jazyk;
    jazyk.Default(nastaveni);
    nastaveni.typJazyk = 2;
    nastaveni.jednotky.uhel = 4;
    nastaveni.jednotky.delka = 200;
    nastaveni.souborVstup.typSuroveMereni = 2;
    jazyk.Default(nastaveni);
    EXPECT_EQ(jazyk.popis.stanovisko, "Standpoint");
    EXPECT_EQ(jazyk.nadpis.chyba, "Error");
    EXPECT_EQ(jazyk.popisJednotky.smer_hodnota, "gon");
    EXPECT_EQ(jazyk.popisJednotky.delka_odchylka, "mm");
    EXPECT_EQ(jazyk.filter.priponaSuroveMereni, ".asc");  // ASC is the default input format
    EXPECT_EQ(jazyk.typOdhadu.size(), 12u);
}

TEST(Tjazyk, DefaultExtensionsFollowTheInputFormat) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tjazyk jazyk;
    nastaveni.souborVstup.typSuroveMereni = 1;
    jazyk.Default(nastaveni);
    EXPECT_EQ(jazyk.filter.priponaSuroveMereni, ".asc");
    nastaveni.souborVstup.typSuroveMereni = 0;
    jazyk.Default(nastaveni);
    EXPECT_EQ(jazyk.filter.priponaSuroveMereni, ".mtx");
    EXPECT_EQ(jazyk.filter.priponaSouradnice, ".txt");
    EXPECT_EQ(jazyk.filter.priponaProjekt, ".gpr");
    EXPECT_EQ(jazyk.filter.priponaEtapa, ".epc");
    EXPECT_EQ(jazyk.filter.priponaProtokol, ".txt");
}

// Each filter must split into "description|mask" pairs, or a file window would offer
// a blank file type.
void OcekavatDvojice(std::string_view filter) {
    std::vector<std::string_view> casti;
    std::size_t zacatek = 0;
    for (;;) {
        const std::size_t konec = filter.find('|', zacatek);
        casti.push_back(filter.substr(zacatek, konec - zacatek));
        if (konec == std::string_view::npos) break;
        zacatek = konec + 1;
    }
    EXPECT_EQ(casti.size() % 2, 0u) << filter;
    for (std::size_t i = 0; i < casti.size(); ++i) {
        EXPECT_FALSE(casti[i].empty()) << filter;
        if (i % 2 == 1) {
            EXPECT_EQ(casti[i].substr(0, 2), "*.") << filter;
        }
    }
}

TEST(Tjazyk, FiltersAreDescriptionMaskPairsInBothLanguages) {
    for (const uint8_t typJazyk : {0, 1}) {
        const Tjazyk jazyk = Jazyk(typJazyk);
        const jazyk::Tfilter& f = jazyk.filter;
        for (const std::string* filter :
             {&f.typSuroveMereni, &f.typSouradnice, &f.typProjekt, &f.typMeritko, &f.typDoplnek,
              &f.typProtokol, &f.typEtapa}) {
            OcekavatDvojice(*filter);
        }
    }
    OcekavatDvojice(jazyk::kFilterGrafika);
    EXPECT_EQ(Jazyk(1).filter.typSuroveMereni, "Matrix format MTX|*.mtx|Measurements ASC|*.asc");
    EXPECT_EQ(Jazyk(0).filter.typProjekt, "Vertano projekt|*.gpr");
}

TEST(Tjazyk, EstimatorNamesInTheirCodeOrderAndNotDuplicatedByARefill) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tjazyk jazyk;
    jazyk.Default(nastaveni);
    jazyk.Default(nastaveni);
    const std::vector<std::string> ocekavane = {"Huber",  "M-huber", "Hampel",  "Talwar",
                                                "Cauchy", "Tukey",   "Geman",   "Andrews",
                                                "Welsh",  "Fair",    "L1 Norm", "L1/L2 Norm"};
    EXPECT_EQ(jazyk.typOdhadu, ocekavane);
}

TEST(Tjazyk, ReportAndWindowWordsComposeAsTheyAreUsed) {
    const Tjazyk en = Jazyk(1);
    EXPECT_EQ(en.tlacitko.otevrit + " Vertano " + en.tlacitko.projekt, "Open Vertano project");
    EXPECT_EQ(en.tlacitko.ulozit + " " + en.tlacitko.jako + " Vertano " + en.tlacitko.projekt,
              "Save as Vertano project");
    EXPECT_EQ(en.protokol.protokol1 + " - " + en.tlacitko.vyrovnaniSite,
              "Protocol - Network adjustment");
    EXPECT_EQ(en.popis.parametrOsy + " - " + en.popis.delka2, "Axis parameter - Length");
    EXPECT_EQ(en.tlacitko.souradnice2 + " " + en.popis.x, "Coordinate X");
    // The release date: day first in both languages, as the reports print it.
    EXPECT_TRUE(std::regex_match(en.popis.verzeDatum, std::regex(R"(\(\d\d/\d\d/\d{4}\))")));
    EXPECT_TRUE(
        std::regex_match(Jazyk(0).popis.verzeDatum, std::regex(R"(\(\d\d\.\d\d\.\d{4}\))")));
}

}  // namespace
}  // namespace vertano
