#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "data/SouradniceTestPomocne.h"
#include "data/Tsouradnice.h"
#include "files/SouradniceText.h"
#include "mereni/Text.h"

namespace vertano {
namespace {

using test::Plny;
using test::Seznam;
using Text = std::vector<std::string>;

Tbod SOdchylkami(const std::string& cislo, Real sx, Real sy, Real sz) {
    Tbod b = Plny(cislo, 1000.5, 2000.25, 300);
    b.UpravPresnost().sig_X = sx;
    b.UpravPresnost().sig_Y = sy;
    b.UpravPresnost().sig_Z = sz;
    return b;
}

TEST(CoordinateInternalForm, DeviationGroupHasOnlyTheColumnsTheLastDeviationNeeds) {
    const Tsouradnice s =
        Seznam({SOdchylkami("A", -1, -1, -1), SOdchylkami("B", 0.001L, -1, -1),
                SOdchylkami("C", -1, 0.002L, -1), SOdchylkami("D", -1, -1, 0.002L)});
    Text t = {"stale"};
    ASSERT_TRUE(UlozDoStringList(s, t).ok);
    EXPECT_EQ(
        t, (Text{"A\t1000.5\t2000.25\t300\t", "B\t1000.5\t2000.25\t300\t\t0.001",
                 "C\t1000.5\t2000.25\t300\t\t0\t0.002", "D\t1000.5\t2000.25\t300\t\t0\t0\t0.002"}));
    EXPECT_EQ(Tokenize(t[1]).size(), 5u);
}

TEST(CoordinateInternalForm, ReadsDeviationsBackByTheirPosition) {
    const Tsouradnice s =
        Seznam({SOdchylkami("A", -1, -1, -1), SOdchylkami("B", 0.001L, -1, -1),
                SOdchylkami("C", -1, 0.002L, -1), SOdchylkami("D", -1, -1, 0.002L),
                SOdchylkami("E", 0.001L, 0.002L, 0.003L)});
    Text t;
    ASSERT_TRUE(UlozDoStringList(s, t).ok);
    Tsouradnice zpet;
    const CoordinateFileResult r = ReadCoordinateForm(zpet, t);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(zpet.Pocet(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(zpet.bod[i].cislo, s.bod[i].cislo);
        EXPECT_EQ(zpet.bod[i].poradi, i + 1);
        EXPECT_TRUE(zpet.bod[i].JePlny);
        EXPECT_EQ(zpet.bod[i].X, s.bod[i].X);
        EXPECT_EQ(zpet.bod[i].Presnost().sig_X, s.bod[i].Presnost().sig_X) << i;
        EXPECT_EQ(zpet.bod[i].Presnost().sig_Y, s.bod[i].Presnost().sig_Y) << i;
        EXPECT_EQ(zpet.bod[i].Presnost().sig_Z, s.bod[i].Presnost().sig_Z) << i;
        EXPECT_EQ(zpet.bod[i].zkresleni, 0);  // not in the line: stays zero
    }
}

// A project holds the deviations of identical points by the rule of their
// files: 0 is not given, anything else lies strictly between 0 and 100 m or
// the line is refused (it was once quietly replaced by the default).
TEST(CoordinateInternalForm, DeviationsOutsideTheRangeOfTheFilesAreRefused) {
    Tsouradnice s;
    ASSERT_TRUE(ReadCoordinateForm(s, {"B 1 2 3 0 0", "C 1 2 3 0 0.01 0.02"}).ok);
    EXPECT_EQ(s.bod[0].Presnost().sig_X, -1);
    EXPECT_EQ(s.bod[0].Presnost().sig_Y, -1);
    EXPECT_EQ(s.bod[1].Presnost().sig_X, -1);
    EXPECT_EQ(s.bod[1].Presnost().sig_Y, Real(0.01L));
    EXPECT_EQ(s.bod[1].Presnost().sig_Z, Real(0.02L));
    for (const std::string radek : {"A 1 2 3 -0.005", "A 1 2 3 500", "A 1 2 3 0 0.01 100"}) {
        const CoordinateFileResult r = ReadCoordinateForm(s, {"B 1 2 3", radek});
        EXPECT_FALSE(r.ok) << radek;
        EXPECT_EQ(r.error, FileError::NumberOutOfRange) << radek;
        EXPECT_EQ(r.counter, 2) << radek;
        EXPECT_EQ(r.cislo, "A") << radek;
        EXPECT_TRUE(s.bod.empty());
    }
    // The writer never writes what the reader refuses.
    Tbod b = Plny("D", 1, 2, 3);
    b.UpravPresnost().sig_X = 150;
    b.UpravPresnost().sig_Y = 0.003L;
    Text t;
    ASSERT_TRUE(UlozDoStringList(Seznam({b}), t).ok);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0], "D\t1\t2\t3\t\t0\t0.003");
}

TEST(CoordinateInternalForm, OnlyFullPointsAreWrittenAndEmptyListsGiveNoLines) {
    Tsouradnice s = Seznam({Plny("A", 1, 2, 3)});
    s.PridejPrazdnyBod();
    s.PridejBod(Plny("B", 4, 5, 6));
    s.PridejPrazdnyBod();
    Text t;
    const CoordinateFileResult r = UlozDoStringListFix(s, t);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.counter, 2);
    EXPECT_EQ(t, (Text{"A\t1\t2\t3\t0", "B\t4\t5\t6\t0"}));

    Tsouradnice prazdny;
    Text u = {"stale"};
    EXPECT_TRUE(UlozDoStringList(prazdny, u).ok);
    EXPECT_TRUE(u.empty());
}

TEST(CoordinateInternalForm, FixationFormsRoundTripAndTheActivityFormAppends) {
    Tbod a = Plny("A", 1.25, -2, 3);
    a.JeFixni = true;
    const Tsouradnice s = Seznam({a, Plny("B", 4, 5, 6)});

    Text fix;
    ASSERT_TRUE(UlozDoStringListFix(s, fix).ok);
    EXPECT_EQ(fix, (Text{"A\t1.25\t-2\t3\t-1", "B\t4\t5\t6\t0"}));
    Tsouradnice zpet;
    ASSERT_TRUE(ReadFixationForm(zpet, fix).ok);
    ASSERT_EQ(zpet.Pocet(), 2);
    EXPECT_TRUE(zpet.bod[0].JeFixni);
    EXPECT_FALSE(zpet.bod[1].JeFixni);
    EXPECT_EQ(zpet.bod[0].X, Real(1.25L));
    // The fixation form carries no deviations.
    EXPECT_FALSE(zpet.bod[0].presnost.HasValue());
    EXPECT_EQ(zpet.bod[0].Presnost().sig_X, -1);

    Text aktiv = {"header"};
    ASSERT_TRUE(UlozDoStringListFixAktiv(s, aktiv).ok);
    EXPECT_EQ(aktiv, (Text{"header", "A\t1.25\t-2\t3\t-1\t-1", "B\t4\t5\t6\t0\t-1"}));
}

TEST(CoordinateInternalForm, RoundsToTheRequestedDecimalPlace) {
    Tbod b = Plny("A", 1234567.1234565L, -0.0000004L, 5e-7L);
    b.UpravPresnost().sig_X = 0.00123456789L;
    const Tsouradnice s = Seznam({b});
    Text t;
    ASSERT_TRUE(UlozDoStringList(s, t, -6, true).ok);
    EXPECT_EQ(t, Text{"A\t1234567.123457\t0\t1E-6\t\t0.001235"});
    ASSERT_TRUE(UlozDoStringList(s, t, 2, true).ok);
    EXPECT_EQ(t.front().substr(0, 10), "A\t1234600\t");
}

TEST(CoordinateInternalForm, TinyMagnitudesAreWrittenAsZeroAndReadBack) {
    Tbod b = Plny("A", 1e-13L, -3e-15L, 5);
    b.UpravPresnost().sig_Z = 1e-14L;
    const Tsouradnice s = Seznam({b});
    Text t;
    ASSERT_TRUE(UlozDoStringList(s, t).ok);
    Tsouradnice zpet;
    ASSERT_TRUE(ReadCoordinateForm(zpet, t).ok) << t.front();
    EXPECT_EQ(zpet.bod[0].X, 0);
    EXPECT_EQ(zpet.bod[0].Y, 0);
    EXPECT_EQ(zpet.bod[0].Presnost().sig_Z, -1);
}

TEST(CoordinateInternalForm, RefusesPointsThatCouldNotBeReadBack) {
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    struct Pripad {
        Tbod bod;
        CoordinateFileError chyba;
    };
    for (const Pripad& p : {Pripad{Plny("A B", 1, 2, 3), CoordinateFileError::UnwritableName},
                            Pripad{Plny("", 1, 2, 3), CoordinateFileError::UnwritableName},
                            Pripad{Plny("A", nan, 2, 3), CoordinateFileError::UnwritableValue},
                            Pripad{Plny("A", 1, 2, 2e12), CoordinateFileError::UnwritableValue}}) {
        const Tsouradnice s = Seznam({Plny("OK", 1, 2, 3), p.bod});
        Text t = {"keep"};
        const CoordinateFileResult r = UlozDoStringListFixAktiv(s, t);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, p.chyba);
        EXPECT_EQ(r.counter, 2);
        EXPECT_EQ(t, Text{"keep"});  // the lines it had appended are gone
        EXPECT_FALSE(UlozDoStringList(s, t).ok);
        EXPECT_TRUE(t.empty());
    }
}

// Point and station names follow one rule in every file the program writes: a
// name with an invisible control character (DEL here) is refused by the raw
// measurement writers, and so it is by the coordinate writers.
TEST(CoordinateInternalForm, NamesFollowTheRuleOfTheRawFiles) {
    const Tsouradnice s = Seznam({Plny("A\x7F", 1, 2, 3)});
    Text t;
    const CoordinateFileResult r = UlozDoStringList(s, t);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, CoordinateFileError::UnwritableName);
    EXPECT_FALSE(UlozDoStringListMeritko(s, t).ok);
    EXPECT_FALSE(IsSingleToken("A\x7F"));
}

TEST(CoordinateInternalForm, AHugeDeviationIsWrittenAsNotSetInsteadOfFailing) {
    const Tsouradnice s = Seznam({SOdchylkami("A", 5e12L, -1, -1)});
    Text t;
    ASSERT_TRUE(UlozDoStringList(s, t).ok);
    EXPECT_EQ(t, Text{"A\t1000.5\t2000.25\t300\t"});
}

TEST(CoordinateInternalForm, ReadersRefuseBadLinesAndLeaveTheListEmpty) {
    struct Pripad {
        Text radky;
        int kterou;  // 0 fixation, 1 coordinate, 2 scale
        CoordinateFileError chyba;
    };
    const std::vector<Pripad> pripady = {
        {{"A 1 2 3 -1", "B 1 2 3"}, 0, CoordinateFileError::WrongTokenCount},
        {{"A 1 2 3 -1", "B 1 2 3 yes"}, 0, CoordinateFileError::BadBoolean},
        {{"A 1 2 3 -1", "B 1 2 3 -1 XZ"}, 0, CoordinateFileError::BadFixedAxes},
        {{"A 1 2 3 -1", "B 1 2 3 -1 XY 0"}, 0, CoordinateFileError::WrongTokenCount},
        {{"A 1 2 3", "B 1 2 3 0 0 0 0"}, 1, CoordinateFileError::WrongTokenCount},
        {{"A 1 2 3", "B 1 2 3 x"}, 1, CoordinateFileError::BadNumber},
        {{"A 1", "B 1e-13"}, 2, CoordinateFileError::NumberOutOfRange},
        {{"A 1", "B"}, 2, CoordinateFileError::WrongTokenCount},
    };
    for (const Pripad& p : pripady) {
        Tsouradnice s = Seznam({Plny("old")});
        const CoordinateFileResult r = p.kterou == 0   ? ReadFixationForm(s, p.radky)
                                       : p.kterou == 1 ? ReadCoordinateForm(s, p.radky)
                                                       : ReadScaleForm(s, p.radky);
        EXPECT_FALSE(r.ok) << p.radky[1];
        EXPECT_EQ(r.error, p.chyba) << p.radky[1];
        EXPECT_EQ(r.counter, 2) << p.radky[1];
        EXPECT_EQ(s.Pocet(), 0) << p.radky[1];
    }
}

TEST(CoordinateInternalForm, PointsFixedInPlanOrHeightAloneKeepItThroughTheFixationForm) {
    Tbod a = Plny("A", 1, 2, 3);
    a.JeFixni = true;
    a.fixniOsy = FixniOsy::Poloha;
    Tbod b = Plny("B", 4, 5, 6);
    b.JeFixni = true;
    b.fixniOsy = FixniOsy::Vyska;
    Tbod c = Plny("C", 7, 8, 9);
    c.JeFixni = true;
    Text fix;
    ASSERT_TRUE(UlozDoStringListFix(Seznam({a, b, c}), fix).ok);
    // A fully fixed point is written as before: older readers take it.
    EXPECT_EQ(fix, (Text{"A\t1\t2\t3\t-1\tXY", "B\t4\t5\t6\t-1\tZ", "C\t7\t8\t9\t-1"}));
    Tsouradnice zpet;
    ASSERT_TRUE(ReadFixationForm(zpet, fix).ok);
    ASSERT_EQ(zpet.Pocet(), 3);
    EXPECT_EQ(zpet.bod[0].fixniOsy, FixniOsy::Poloha);
    EXPECT_EQ(zpet.bod[1].fixniOsy, FixniOsy::Vyska);
    EXPECT_EQ(zpet.bod[2].fixniOsy, FixniOsy::Vse);
    EXPECT_TRUE(zpet.bod[0].JeFixni);
}

TEST(CoordinateInternalForm, BooleansAsTheProjectFileHasThem) {
    bool v = false;
    for (const char* ano : {"-1", "1", "2", "True", "TRUE", "true", "0,5"}) {
        EXPECT_TRUE(ParseBooleanToken(ano, v) && v) << ano;
    }
    for (const char* ne : {"0", "False", "fALSE", "0.0"}) {
        EXPECT_TRUE(ParseBooleanToken(ne, v) && !v) << ne;
    }
    for (const char* spatne : {"", "yes", "T", "truex"}) {
        EXPECT_FALSE(ParseBooleanToken(spatne, v)) << spatne;
    }
}

TEST(CoordinateInternalForm, ScaleFormRoundTrips) {
    Tbod a = Tbod::Prazdny();
    a.cislo = "A";
    a.zkresleni = 1.0000213L;
    a.JePlny = true;
    Tbod b = a;
    b.cislo = "B";
    b.zkresleni = 0.99999L;
    const Tsouradnice s = Seznam({a, b});
    Text t;
    ASSERT_TRUE(UlozDoStringListMeritko(s, t).ok);
    EXPECT_EQ(t, (Text{"A\t1.0000213", "B\t0.99999"}));
    Tsouradnice zpet;
    ASSERT_TRUE(ReadScaleForm(zpet, t).ok);
    ASSERT_EQ(zpet.Pocet(), 2);
    EXPECT_EQ(zpet.bod[0].zkresleni, a.zkresleni);
    EXPECT_EQ(zpet.bod[1].cislo, "B");
}

TEST(PridejBody, AppendsAfterTheListWithFileAndPosition) {
    Tsouradnice s = Seznam({Plny("old", 9, 9, 9)});
    const CoordinateFileResult r =
        PridejBodyFixVse(s, {"P1 1000.5 2000 300", "P2 1 2 3 extra"}, 7, true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.counter, 2);
    ASSERT_EQ(s.Pocet(), 3);
    const Tbod& p = s.bod[1];
    EXPECT_EQ(p.cislo, "P1");
    EXPECT_EQ(p.soubor, 7);
    EXPECT_EQ(p.poradi, 2);
    EXPECT_EQ(p.X, Real(1000.5L));
    EXPECT_EQ(p.Y, 2000);
    EXPECT_EQ(p.Z, 300);
    EXPECT_EQ(p.Presnost().sig_X, -1);  // starts as the empty point
    EXPECT_EQ(p.zkresleni, -1);
    EXPECT_TRUE(p.JePlny);
    EXPECT_TRUE(p.JeFixni);
    EXPECT_EQ(s.bod[2].poradi, 3);

    ASSERT_TRUE(PridejBody(s, {"P3 1 2 3"}, 8).ok);
    EXPECT_FALSE(s.bod[3].JeFixni);
}

TEST(PridejBody, ABadLineAddsNothing) {
    Tsouradnice s = Seznam({Plny("old")});
    const CoordinateFileResult r = PridejBody(s, {"P1 1 2 3", "P2 1 2"}, 1);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.counter, 2);
    EXPECT_EQ(s.Pocet(), 1);

    EXPECT_FALSE(PridejBodyMeritko(s, {"M1 1", "M2 abc"}, 1, true).ok);
    EXPECT_EQ(s.Pocet(), 1);
}

TEST(PridejBody, ScaleLinesGiveNumberAndFactorOnly) {
    Tsouradnice s;
    ASSERT_TRUE(PridejBodyMeritko(s, {"M1\t1,0000213", "M2 0"}, 3, true).ok);
    ASSERT_EQ(s.Pocet(), 2);
    EXPECT_EQ(s.bod[0].cislo, "M1");
    EXPECT_EQ(s.bod[0].zkresleni, Real(1.0000213L));
    EXPECT_EQ(s.bod[0].soubor, 3);
    EXPECT_EQ(s.bod[0].poradi, 1);
    EXPECT_TRUE(s.bod[0].JeFixni);
    EXPECT_EQ(s.bod[1].zkresleni, 0);
    EXPECT_EQ(s.bod[1].X, 0);
}

}  // namespace
}  // namespace vertano
