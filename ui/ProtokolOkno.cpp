#include "ProtokolOkno.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Texty.h"
#include "mereni/TextovySoubor.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

constexpr int32_t kOznameniUlozeni = 28;

}  // namespace

ProtokolOkno::ProtokolOkno(QWidget* rodic, Workspace& ws, Dialogy& dialogy, const QString& nadpis,
                           std::vector<std::string> radky)
    : QDialog(rodic), ws_(ws), dialogy_(dialogy), radky_(std::move(radky)) {
    setWindowTitle(nadpis);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* hlavni = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QString obsah;
    for (const std::string& r : radky_) obsah += Q(r) + "\n";
    text_->setPlainText(obsah);
    hlavni->addWidget(text_);
    const Tjazyk& j = ws_.jazyk;
    auto* ulozit = new QPushButton(Q(j.tlacitko.ulozit) + " " + Q(j.tlacitko.jako) + " ...", this);
    auto* zavrit = new QPushButton(Q(j.tlacitko.ukoncit) + " [Esc]", this);
    ulozit->setAutoDefault(false);
    zavrit->setAutoDefault(false);
    connect(ulozit, &QPushButton::clicked, this, &ProtokolOkno::Ulozit);
    connect(zavrit, &QPushButton::clicked, this, &QDialog::reject);
    auto* tlacitka = new QHBoxLayout;
    tlacitka->addStretch();
    tlacitka->addWidget(ulozit);
    tlacitka->addWidget(zavrit);
    hlavni->addLayout(tlacitka);
    const QFontMetrics fm(text_->font());
    resize(fm.horizontalAdvance(QString(100, 'M')) + 40, fm.height() * 30 + 80);
    zavrit->setFocus();
}

void ProtokolOkno::Ulozit() {
    const std::filesystem::path cesta =
        dialogy_.Ulozit(this, DruhSouboru::Protokol, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    std::string chyba;
    if (SaveTextFile(cesta, radky_, chyba)) return;
    const jazyk::Toznameni o = ws_.jazyk.Oznameni(kOznameniUlozeni);
    dialogy_.Zprava(this, Q(o.nadpis), Q(o.text) + "\n" + Q(chyba));
}

}  // namespace vertano::ui
