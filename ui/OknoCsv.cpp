#include "OknoCsv.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <fstream>

#include "Barvy.h"
#include "DesktopTexts.h"

namespace vertano::ui {

namespace {

// The first lines of the file for the preview: a few kilobytes at most, so that
// a huge or binary file costs nothing; the bytes are shown as UTF-8.
QString ZacatekSouboru(const std::filesystem::path& soubor) {
    constexpr std::streamsize kNejvice = 4096;
    constexpr int kRadku = 8;
    std::ifstream in(soubor, std::ios::binary);
    std::string text(static_cast<std::size_t>(kNejvice), '\0');
    in.read(text.data(), kNejvice);
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    QStringList radky = QString::fromUtf8(text).split('\n');
    while (radky.size() > kRadku) radky.removeLast();
    for (QString& r : radky) r.remove('\r');
    return radky.join('\n');
}

}  // namespace

OknoCsv::OknoCsv(QWidget* rodic, const std::filesystem::path& soubor,
                 const exchange::CsvVolby& volby, const DesktopTexts& texty, const QString& zrusit)
    : QDialog(rodic), texty_(texty) {
    setWindowTitle(texty.csvTitle + " - " + QString::fromStdString(soubor.filename().string()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* hlavni = new QVBoxLayout(this);
    auto* formular = new QFormLayout;
    poradi_ = new QLineEdit(QString::fromStdString(volby.poradi), this);
    poradi_->setObjectName("poradi");
    poradi_->setToolTip(texty.csvOrderHelp);
    formular->addRow(texty.csvOrder, poradi_);
    oddelovac_ = new QComboBox(this);
    oddelovac_->setObjectName("oddelovac");
    const std::pair<QString, char> oddelovace[] = {{texty.csvComma, ','},
                                                   {texty.csvSemicolon, ';'},
                                                   {texty.csvTab, '\t'},
                                                   {texty.csvSpace, ' '}};
    for (const auto& [nazev, znak] : oddelovace) oddelovac_->addItem(nazev, QChar(znak));
    oddelovac_->setCurrentIndex(std::max(0, oddelovac_->findData(QChar(volby.oddelovac))));
    formular->addRow(texty.csvSeparator, oddelovac_);
    desetinna_ = new QComboBox(this);
    desetinna_->setObjectName("desetinna");
    desetinna_->addItem(texty.csvPoint, QChar('.'));
    desetinna_->addItem(texty.csvComma, QChar(','));
    desetinna_->setCurrentIndex(volby.desetinna == ',' ? 1 : 0);
    formular->addRow(texty.csvDecimal, desetinna_);
    hlavicka_ = new QComboBox(this);
    hlavicka_->setObjectName("hlavicka");
    hlavicka_->addItem(texty.csvHeaderAuto,
                       static_cast<int>(exchange::CsvVolby::Hlavicka::Zjistit));
    hlavicka_->addItem(texty.csvHeaderYes, static_cast<int>(exchange::CsvVolby::Hlavicka::Ano));
    hlavicka_->addItem(texty.csvHeaderNo, static_cast<int>(exchange::CsvVolby::Hlavicka::Ne));
    hlavicka_->setCurrentIndex(std::max(0, hlavicka_->findData(static_cast<int>(volby.hlavicka))));
    formular->addRow(texty.csvHeader, hlavicka_);
    hlavni->addLayout(formular);

    hlavni->addWidget(new QLabel(texty.csvPreview, this));
    nahled_ = new QPlainTextEdit(ZacatekSouboru(soubor), this);
    nahled_->setReadOnly(true);
    nahled_->setLineWrapMode(QPlainTextEdit::NoWrap);
    nahled_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    nahled_->setMinimumSize(440, 150);
    hlavni->addWidget(nahled_);
    stav_ = new QLabel(this);
    stav_->setObjectName("stav");
    stav_->setStyleSheet("color: " + barvy::kChyba.name());
    stav_->setWordWrap(true);
    hlavni->addWidget(stav_);

    auto* tlacitka = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = tlacitka->button(QDialogButtonBox::Ok);
    tlacitka->button(QDialogButtonBox::Cancel)->setText(zrusit);
    connect(tlacitka, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(tlacitka, &QDialogButtonBox::rejected, this, &QDialog::reject);
    hlavni->addWidget(tlacitka);

    connect(poradi_, &QLineEdit::textChanged, this, &OknoCsv::Obnovit);
    for (QComboBox* c : {oddelovac_, desetinna_, hlavicka_})
        connect(c, &QComboBox::currentIndexChanged, this, &OknoCsv::Obnovit);
    Obnovit();
}

exchange::CsvVolby OknoCsv::Volby() const {
    exchange::CsvVolby v;
    v.poradi = poradi_->text().trimmed().toUpper().toStdString();
    v.oddelovac = oddelovac_->currentData().toChar().toLatin1();
    v.desetinna = desetinna_->currentData().toChar().toLatin1();
    v.hlavicka = static_cast<exchange::CsvVolby::Hlavicka>(hlavicka_->currentData().toInt());
    return v;
}

void OknoCsv::Obnovit() {
    chyba_ = QString::fromStdString(exchange::KontrolaVoleb(Volby()));
    // The reason is the reader's (English); the Czech text states the rule.
    const QString& t = texty_.csvInvalid;
    stav_->setText(chyba_.isEmpty() ? QString() : t.contains("%1") ? t.arg(chyba_) : t);
    ok_->setEnabled(chyba_.isEmpty());
}

}  // namespace vertano::ui
