#include "SouborovaOkna.h"

#include <QDir>
#include <QFileDialog>
#include <algorithm>

#include "DesktopTexts.h"
#include "Texty.h"

namespace vertano::ui {

namespace {

// The folders of the two kinds of window, kept for the run.
QString& SlozkaOtevreni() {
    static QString slozka = QDir::currentPath();
    return slozka;
}

QString& SlozkaUlozeni() {
    static QString slozka = QDir::currentPath();
    return slozka;
}

QStringList Casti(const std::string& filtr) {
    return Q(filtr).split('|', Qt::SkipEmptyParts);
}

int Index(const uint8_t* kod, int pocet) {
    const int i = kod != nullptr ? *kod : 0;
    return i >= 0 && i < pocet ? i : 0;
}

// The formats of other programs (the data exchange) after the program's own.
std::string DalsiCteni(uint8_t jazyk) {
    return jazyk == 0 ? "|Surová data GSI|*.gsi *.GSI|Síť GNU Gama XML|*.xml *.gkf *.XML *.GKF"
                      : "|GSI raw data|*.gsi *.GSI|GNU Gama XML network|*.xml *.gkf *.XML *.GKF";
}

// Given points of a spreadsheet or a GIS; their layout is asked for.
std::string CsvBodu(uint8_t jazyk) {
    return jazyk == 0 ? "|Body CSV|*.csv *.CSV" : "|CSV points|*.csv *.CSV";
}

std::string DalsiZapis(uint8_t jazyk) {
    return jazyk == 0
               ? "|Vyrovnaná síť GNU Gama XML|*.xml|Vyrovnané body CSV|*.csv"
                 "|Opravy měření CSV|*.obs.csv|Vyrovnaná síť GeoJSON|*.geojson"
               : "|Adjusted network GNU Gama XML|*.xml|Adjusted points CSV|*.csv"
                 "|Residuals of observations CSV|*.obs.csv|Adjusted network GeoJSON|*.geojson";
}

}  // namespace

PopisSouboru Popis(DruhSouboru druh, bool ulozit, Tnastaveni& n, const Tjazyk& j) {
    nastaveni::Tsoubor& kody = ulozit ? n.souborVystup : n.souborVstup;
    const jazyk::Tfilter& f = j.filter;
    const QString meritka = " - " + Q(j.popis.meritkoveKoeficienty);
    const QString mereni = Male(j.popis.mereni);
    const QString vertano = QStringLiteral(" Vertano ");
    const QString ulozitJako = Q(j.tlacitko.ulozit) + " " + Q(j.tlacitko.jako) + vertano;
    switch (druh) {
        case DruhSouboru::SurovaMereni:
            if (ulozit)
                return {Q(j.nadpis.ulozitSurovaMereni), f.typSuroveMereni, &kody.typSuroveMereni};
            return {Q(j.nadpis.pridatSurovaMereni), f.typSuroveMereni + DalsiCteni(n.typJazyk),
                    &kody.typSuroveMereni, 2};
        case DruhSouboru::Export:
            return {Q(j.tlacitko.exportovat), f.typSuroveMereni + DalsiZapis(n.typJazyk),
                    &n.souborVystup.typSuroveMereni, 2};
        case DruhSouboru::Body:
            if (ulozit) return {Q(j.nadpis.ulozitBody), f.typSouradnice, &kody.typSouradnice};
            return {Q(j.nadpis.pridatBody), f.typSouradnice + CsvBodu(n.typJazyk),
                    &kody.typSouradnice};
        case DruhSouboru::Meritko:
            return {Q(ulozit ? j.nadpis.ulozitBody : j.nadpis.pridatBody) + meritka, f.typMeritko,
                    &kody.typMeritko};
        case DruhSouboru::Doplnek:
            return {Q(ulozit ? j.tlacitko.ulozit : j.tlacitko.pridat) + " " + mereni, f.typDoplnek,
                    &kody.typDoplnek};
        case DruhSouboru::Protokol:
            return {Q(j.tlacitko.ulozit) + " " + Male(j.protokol.protokol1), f.typProtokol,
                    &kody.typProtokol};
        case DruhSouboru::Grafika:
            return {Q(j.tlacitko.ulozit), std::string(jazyk::kFilterGrafika), &kody.typGrafika};
        case DruhSouboru::Projekt:
            return {ulozit ? ulozitJako + Q(j.tlacitko.projekt)
                           : Q(j.tlacitko.otevrit) + vertano + Q(j.tlacitko.projekt),
                    f.typProjekt, &kody.typProjekt};
        case DruhSouboru::Etapa:
            return {ulozitJako + Male(j.tlacitko.etapa), f.typEtapa, &kody.typEtapa};
        case DruhSouboru::TabulkaCsv: {
            const DesktopTexts& d = TextyPlochy(n.typJazyk);
            return {d.exportCsv.chopped(4), S(d.csvFiles), nullptr};
        }
    }
    return {};
}

QStringList FiltryQt(const std::string& filtr) {
    const QStringList casti = Casti(filtr);
    QStringList filtry;
    for (qsizetype i = 0; i + 1 < casti.size(); i += 2)
        filtry << casti[i] + " (" + casti[i + 1] + ")";
    return filtry;
}

QString PriponaFiltru(const std::string& filtr, int index) {
    const QStringList casti = Casti(filtr);
    const qsizetype i = 2 * static_cast<qsizetype>(index) + 1;
    if (index < 0 || i >= casti.size()) return {};
    const QString maska = casti[i];
    // From the first dot after the last star: "*.obs.csv" gives ".obs.csv".
    const qsizetype tecka = maska.indexOf('.', std::max<qsizetype>(0, maska.lastIndexOf('*')));
    if (tecka < 0 || maska.indexOf('*', tecka) >= 0 || maska.indexOf(' ') >= 0) return {};
    return maska.mid(tecka);
}

std::filesystem::path CestaSPriponou(const QString& cesta, const QString& pripona) {
    const QString jmeno = cesta.trimmed();
    if (jmeno.isEmpty() || QFileInfo(jmeno).fileName().trimmed().isEmpty()) return {};
    QString vysledek = jmeno;
    if (!pripona.isEmpty() && !vysledek.endsWith(pripona, Qt::CaseInsensitive)) vysledek += pripona;
    return std::filesystem::path(vysledek.toStdU16String());
}

std::vector<std::filesystem::path> OtevritSoubory(QWidget* rodic, DruhSouboru druh, bool vice,
                                                  Tnastaveni& nastaveni, const Tjazyk& jazyk) {
    const PopisSouboru popis = Popis(druh, false, nastaveni, jazyk);
    const QStringList filtry = FiltryQt(popis.filtr);
    QFileDialog okno(rodic, popis.nadpis, SlozkaOtevreni());
    okno.setAcceptMode(QFileDialog::AcceptOpen);
    okno.setFileMode(vice ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    okno.setNameFilters(filtry);
    if (!filtry.isEmpty()) okno.selectNameFilter(filtry[Index(popis.kod, filtry.size())]);
    const bool vybrano = okno.exec() == QDialog::Accepted;
    const auto zvoleny =
        static_cast<int>(std::max<qsizetype>(0, filtry.indexOf(okno.selectedNameFilter())));
    if (popis.kod != nullptr && zvoleny < popis.pocetKodu)
        *popis.kod = static_cast<uint8_t>(zvoleny);
    SlozkaOtevreni() = okno.directory().absolutePath();
    std::vector<std::filesystem::path> cesty;
    if (!vybrano) return cesty;
    for (const QString& soubor : okno.selectedFiles()) cesty.emplace_back(soubor.toStdU16String());
    return cesty;
}

std::filesystem::path UlozitSoubor(QWidget* rodic, DruhSouboru druh, Tnastaveni& nastaveni,
                                   const Tjazyk& jazyk) {
    const PopisSouboru popis = Popis(druh, true, nastaveni, jazyk);
    const QStringList filtry = FiltryQt(popis.filtr);
    QFileDialog okno(rodic, popis.nadpis, SlozkaUlozeni());
    okno.setAcceptMode(QFileDialog::AcceptSave);
    okno.setFileMode(QFileDialog::AnyFile);
    okno.setNameFilters(filtry);
    const int puvodni = Index(popis.kod, static_cast<int>(filtry.size()));
    if (!filtry.isEmpty()) okno.selectNameFilter(filtry[puvodni]);
    // The dialog asks before replacing a file under the name that will be written.
    okno.setDefaultSuffix(PriponaFiltru(popis.filtr, puvodni).mid(1));
    QObject::connect(&okno, &QFileDialog::filterSelected, &okno, [&](const QString& filtr) {
        okno.setDefaultSuffix(
            PriponaFiltru(popis.filtr, static_cast<int>(filtry.indexOf(filtr))).mid(1));
    });
    const bool vybrano = okno.exec() == QDialog::Accepted && !okno.selectedFiles().isEmpty();
    const int index =
        static_cast<int>(std::max<qsizetype>(0, filtry.indexOf(okno.selectedNameFilter())));
    if (popis.kod != nullptr && index < popis.pocetKodu) *popis.kod = static_cast<uint8_t>(index);
    SlozkaUlozeni() = okno.directory().absolutePath();
    if (!vybrano) return {};
    return CestaSPriponou(okno.selectedFiles().constFirst(), PriponaFiltru(popis.filtr, index));
}

}  // namespace vertano::ui
