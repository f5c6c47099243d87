#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>
#include <array>

#include "NastaveniDialogy.h"
#include "UiTestSupport.h"
#include "data/Interaction.h"
#include "matice/Konstanty.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

namespace {

// Whether each of the eight results is current, in the order of Step.
using Priznaky = std::array<bool, 8>;

Priznaky Cist(const WorkflowState& stav) {
    Priznaky p;
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = stav.Current(static_cast<Step>(i));
    return p;
}

void VseNastavit(WorkflowState& stav) {
    for (int i = 0; i < 8; ++i) stav.Computed(static_cast<Step>(i));
}

// All flags set but the ones named (indices into Priznaky).
Priznaky Krome(std::initializer_list<int> vymazane) {
    Priznaky p;
    p.fill(true);
    for (const int i : vymazane) p[static_cast<std::size_t>(i)] = false;
    return p;
}

constexpr int kAnalyza = 0;
constexpr int kVyrovnani = 1;
constexpr int kTransSVyr = 3;
constexpr int kProtokolVyr = 5;
constexpr int kProtokolTrans = 6;
constexpr int kProtokolBod = 7;

QLineEdit* Pole(QWidget& okno, const char* jmeno) {
    auto* pole = okno.findChild<QLineEdit*>(jmeno);
    if (pole == nullptr) qFatal("no field %s", jmeno);
    return pole;
}

// Types `mimo` into the field and confirms: the dialog must stay open with the
// field emptied and nothing stored; then `uvnitr` must be accepted.
void MezPole(NastaveniOkno& okno, const char* jmeno, const QString& mimo, const QString& uvnitr) {
    QLineEdit* pole = Pole(okno, jmeno);
    pole->setText(mimo);
    QVERIFY2(!okno.Potvrdit(), jmeno);
    QVERIFY(pole->text().isEmpty());
    pole->setText(uvnitr);
    QVERIFY2(okno.Potvrdit(), jmeno);
    QCOMPARE(okno.result(), int(QDialog::Accepted));
}

Real Gon(Real g) {
    return g * kPi / 200;
}

// A small analysed network: the dialogs of the adjustment see real weights.
void Analyzovat(Workspace& ws) {
    test::Nacist(ws, test::Sit(SimulaceTvar::Grid, 12, 4));
    SilentInteraction ui;
    AnalyzaSuroveMereni(ws, ui);
}

}  // namespace

// Each settings dialog: a value just inside its bounds is stored, the bound
// itself is refused, exactly the flags named for the dialog are cleared, and an
// untouched field keeps its value exactly.
class NastaveniTest : public QObject {
    Q_OBJECT

  private slots:
    void ConfirmingWithoutAChangeClearsNothing() {
        Workspace ws;
        Analyzovat(ws);
        VseNastavit(ws.state);
        NastaveniJednotkyOkno a(nullptr, ws);
        NastaveniKontrolaOkno b(nullptr, ws);
        NastaveniZrcadleniOkno c(nullptr, ws);
        NastaveniRedukceOkno d(nullptr, ws);
        NastaveniSitOkno e(nullptr, ws);
        NastaveniTransformaceOkno f(nullptr, ws);
        NastaveniVahOkno g(nullptr, ws);
        NastaveniProtokolOkno h(nullptr, ws);
        for (NastaveniOkno* okno :
             std::initializer_list<NastaveniOkno*>{&a, &b, &c, &d, &e, &f, &g, &h}) {
            QVERIFY(!okno->Zmeneno());
            QVERIFY(okno->Potvrdit());
            QCOMPARE(okno->result(), int(QDialog::Rejected));
        }
        QCOMPARE(Cist(ws.state), Krome({}));
    }

    void UnitsStoreTheListsAndClearTheReports() {
        Workspace ws;
        VseNastavit(ws.state);
        NastaveniJednotkyOkno okno(nullptr, ws);
        okno.findChild<QComboBox*>("presnost.meritko")->setCurrentIndex(11);
        QVERIFY(okno.Potvrdit());
        QCOMPARE(int(ws.nastaveni.presnost.meritko), 11);
        QCOMPARE(Cist(ws.state), Krome({kProtokolVyr, kProtokolTrans, kProtokolBod}));
        // The texts follow the units.
        NastaveniJednotkyOkno stopy(nullptr, ws);
        stopy.findChild<QComboBox*>("jednotky.delka")->setCurrentIndex(1);
        QVERIFY(stopy.Potvrdit());
        QCOMPARE(QString::fromStdString(ws.jazyk.popisJednotky.delka_hodnota), QString("ft"));
    }

    void CheckingAcceptsBelowTheBoundOnly() {
        Workspace ws;
        VseNastavit(ws.state);
        NastaveniKontrolaOkno okno(nullptr, ws);
        Pole(okno, "mezPoloha.rozdil_smer")->setText("0");
        QVERIFY(!okno.Potvrdit());
        MezPole(okno, "mezPoloha.rozdil_smer", "10", "9,99999");
        QVERIFY(std::fabs(ws.nastaveni.mezPoloha.rozdil_smer - Gon(9.99999L)) < 1e-15L);
        QCOMPARE(Cist(ws.state), Krome({kAnalyza}));
        // The other limits are untouched.
        QCOMPARE(ws.nastaveni.mezSkupina.rozdil_smer, Gon(0.01L));
    }

    void MirroringAcceptsNegativeValuesAboveTheNegativeBound() {
        Workspace ws;
        VseNastavit(ws.state);
        NastaveniZrcadleniOkno okno(nullptr, ws);
        MezPole(okno, "zrcadleni.rozdil_delka", "-10", "-9.9999");
        QCOMPARE(ws.nastaveni.zrcadleni.rozdil_delka, Real(-9.9999L));
        QCOMPARE(Cist(ws.state), Krome({}));
    }

    void ReductionChecksTheRadiusAndTakesTheLevelInTheCoordinateUnit() {
        Workspace ws;
        VseNastavit(ws.state);
        {
            NastaveniRedukceOkno okno(nullptr, ws);
            MezPole(okno, "redukceMereni.polomerRefPlochy", "1000", "1001");
            QCOMPARE(ws.nastaveni.redukceMereni.polomerRefPlochy, Real(1001));
            QCOMPARE(Cist(ws.state), Krome({kAnalyza}));
        }
        // In feet a level of 5000 ft (1524 m) lies within the +-3000 m bounds.
        ws.nastaveni.jednotky.souradnice = 1;
        NastaveniRedukceOkno stopy(nullptr, ws);
        MezPole(stopy, "redukceMereni.vyskaHladiny", "9843", "5000");
        QVERIFY(std::fabs(ws.nastaveni.redukceMereni.vyskaHladiny - 1524) < 1e-9L);
    }

    void NetworkAdjustmentClearsTheAdjustmentAndTheAnalysisOnlyWhenItMust() {
        Workspace ws;
        Analyzovat(ws);
        QVERIFY(ws.state.Current(Step::Analysis));
        VseNastavit(ws.state);
        {
            NastaveniSitOkno okno(nullptr, ws);
            MezPole(okno, "maxPrirustek", "10000", "9999");
            QVERIFY(std::fabs(ws.nastaveni.vyrovnani.maxPrirustek - 9.999L) < 1e-12L);
            QCOMPARE(Cist(ws.state), Krome({kVyrovnani}));
        }
        VseNastavit(ws.state);
        {
            // A given deviation the weights used changes: the analysis is stale.
            NastaveniSitOkno okno(nullptr, ws);
            MezPole(okno, "odchylka_zadanaSmer", "0", "0.6");
            QCOMPARE(Cist(ws.state), Krome({kAnalyza, kVyrovnani}));
        }
        VseNastavit(ws.state);
        {
            NastaveniSitOkno okno(nullptr, ws);
            okno.findChild<QCheckBox*>("zachovatSouradnice")->setChecked(true);
            QVERIFY(okno.Potvrdit());
            QVERIFY(!ws.state.Current(Step::Analysis));
        }
    }

    // The mended fault: 0.5 mgon shown with no decimals reads "1"; storing that
    // text back would double the deviation.
    void AnUntouchedRoundedFieldKeepsItsValue() {
        Workspace ws;
        ws.nastaveni.presnost.uhel.odchylka = 0;
        const Real puvodni = ws.nastaveni.vyrovnani.odchylka_zadanaSmer;
        NastaveniSitOkno okno(nullptr, ws);
        QCOMPARE(Pole(okno, "odchylka_zadanaSmer")->text(), QString("1"));
        Pole(okno, "rozikoOdlehlost")->setText("0.01");
        QVERIFY(okno.Potvrdit());
        QCOMPARE(ws.nastaveni.vyrovnani.rizikoOdlehlost, Real(0.01L));
        QCOMPARE(ws.nastaveni.vyrovnani.odchylka_zadanaSmer, puvodni);
    }

    void TransformationClearsOnlyItsResult() {
        Workspace ws;
        VseNastavit(ws.state);
        NastaveniTransformaceOkno okno(nullptr, ws);
        MezPole(okno, "rozikoOdlehlost", "1", "0.999");
        QCOMPARE(ws.nastaveni.transformace.rizikoOdlehlost, Real(0.999L));
        QCOMPARE(Cist(ws.state), Krome({kTransSVyr}));
    }

    void APrioriAnalysisStoresTheUserDeviationsAndRecomputesTheWeights() {
        Workspace ws;
        Analyzovat(ws);
        VseNastavit(ws.state);
        NastaveniVahOkno okno(nullptr, ws);
        QVERIFY(!Pole(okno, "1.smer")->isEnabled());
        QVERIFY(!Pole(okno, "1.smer")->text().isEmpty());  // the sets gave an inner precision
        MezPole(okno, "3.smer", "10000", "0.7");
        QVERIFY(std::fabs(ws.nastaveni.vyrovnani.odchylka_zadanaSmer - Gon(0.0007L)) < 1e-18L);
        QCOMPARE(KodZdroje(ws.info.infoVahy.typVah), KodZdroje(ws.nastaveni.vyrovnani.typVah));
        QCOMPARE(Cist(ws.state), Krome({kVyrovnani}));
        // The user's source chosen: the weights take the new deviation.
        NastaveniVahOkno volba(nullptr, ws);
        volba.findChild<QRadioButton*>("typVah3")->setChecked(true);
        QVERIFY(volba.Potvrdit());
        QCOMPARE(KodZdroje(ws.info.infoVahy.typVah), 3);
        QVERIFY(std::fabs(ws.vahy.smer.odchylka - Gon(0.0007L)) < 1e-18L);
    }

    void APrioriAnalysisWithoutInnerPrecisionOffersNoInnerChoice() {
        Workspace ws;
        NastaveniVahOkno okno(nullptr, ws);
        QVERIFY(!okno.findChild<QRadioButton*>("typVah1")->isEnabled());
        QVERIFY(Pole(okno, "1.smer")->text().isEmpty());
    }

    void ReportContentsClearOnlyTheReportOfTheGroupChanged() {
        Workspace ws;
        VseNastavit(ws.state);
        NastaveniProtokolOkno okno(nullptr, ws);
        auto* box = okno.findChild<QCheckBox*>("bodyIdentTrans1");
        auto* varianta = okno.findChild<QComboBox*>("bodyIdentTrans1Varianta");
        QVERIFY(!varianta->isEnabled());
        box->setChecked(true);
        QVERIFY(varianta->isEnabled());
        QVERIFY(okno.Potvrdit());
        QVERIFY(ws.nastaveni.protokol.bodyIdentTransSVyr);
        QCOMPARE(Cist(ws.state), Krome({kProtokolTrans}));
    }

    void CopyGivesTheTitleAndEveryRow() {
        Workspace ws;
        ws.NastavitJazyk(1);
        NastaveniZrcadleniOkno okno(nullptr, ws);
        const QStringList radky = okno.TextKopie().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(radky.value(0), QString("Options - Mirroring"));
        QCOMPARE(radky.value(2), QString("Horizontal direction [gon]\t0.00000"));
    }
};

QTEST_MAIN(NastaveniTest)
#include "NastaveniTest.moc"
