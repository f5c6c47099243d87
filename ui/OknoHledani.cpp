#include "OknoHledani.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CisloPole.h"
#include "Texty.h"
#include "mereni/Text.h"
#include "workspace/UpravyMereni.h"

namespace vertano::ui {

namespace {

// The comparisons a list offers, in the order of the window's lists.
const std::vector<Porovnani>& Porovnani_(bool text) {
    static const std::vector<Porovnani> kCisla = {Porovnani::Rovno,      Porovnani::Vetsi,
                                                  Porovnani::Mensi,      Porovnani::VetsiRovno,
                                                  Porovnani::MensiRovno, Porovnani::Ruzne};
    static const std::vector<Porovnani> kTexty = {
        Porovnani::Rovno,      Porovnani::Obsahuje,   Porovnani::Vetsi, Porovnani::Mensi,
        Porovnani::VetsiRovno, Porovnani::MensiRovno, Porovnani::Ruzne};
    return text ? kTexty : kCisla;
}

QString Znak(Porovnani p) {
    switch (p) {
        case Porovnani::Rovno:
            return "=";
        case Porovnani::Obsahuje:
            return QString::fromUtf8("≈");
        case Porovnani::Vetsi:
            return ">";
        case Porovnani::Mensi:
            return "<";
        case Porovnani::VetsiRovno:
            return QString::fromUtf8("≥");
        case Porovnani::MensiRovno:
            return QString::fromUtf8("≤");
        case Porovnani::Ruzne:
            return QString::fromUtf8("≠");
        case Porovnani::Zadne:
            break;
    }
    return {};
}

QString Text(const PodminkaVzoru& p, AtributHledani::Druh druh) {
    if (p.porovnani == Porovnani::Zadne) return {};
    switch (druh) {
        case AtributHledani::Druh::Text:
            return Q(p.text);
        case AtributHledani::Druh::Cele:
            return QString::number(static_cast<long long>(p.cislo));
        default:
            return Q(FormatGeneral(p.cislo));
    }
}

}  // namespace

OknoHledani::OknoHledani(QWidget* rodic, const QString& nadpis, const QString& ok,
                         const QString& zavrit, std::vector<AtributHledani> atributy,
                         VzorAtributu& vzor)
    : QDialog(rodic), atributy_(std::move(atributy)), vzor_(vzor) {
    setWindowTitle(nadpis);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    vzor_.resize(atributy_.size());
    auto* hlavni = new QVBoxLayout(this);
    auto* mrizka = new QGridLayout;
    hlavni->addLayout(mrizka);
    for (std::size_t i = 0; i < atributy_.size(); ++i) {
        const AtributHledani& a = atributy_[i];
        const PodminkaVzoru& p = vzor_[i];
        const int r = static_cast<int>(i);
        mrizka->addWidget(new QLabel(a.nazev, this), r, 0);
        auto* porovnani = new QComboBox(this);
        auto* hodnota = new QLineEdit(this);
        hodnota->setObjectName("hodnota" + QString::number(r));
        if (a.druh == AtributHledani::Druh::Poloha) {
            porovnani->addItem("=");
            porovnani->setEnabled(false);
            poloha_ = new QComboBox(this);
            poloha_->addItems({QString(), "I", "II"});
            poloha_->setCurrentIndex(std::clamp(static_cast<int>(p.cislo), 0, 2));
            mrizka->addWidget(poloha_, r, 2);
            hodnota->hide();
        } else {
            const bool text = a.druh == AtributHledani::Druh::Text;
            for (const Porovnani x : Porovnani_(text)) porovnani->addItem(Znak(x));
            const auto& seznam = Porovnani_(text);
            const auto it = std::find(seznam.begin(), seznam.end(), p.porovnani);
            porovnani->setCurrentIndex(it == seznam.end() ? 0
                                                          : static_cast<int>(it - seznam.begin()));
            hodnota->setText(Text(p, a.druh));
            hodnota->setAlignment(text ? Qt::AlignLeft : Qt::AlignRight);
            mrizka->addWidget(hodnota, r, 2);
        }
        mrizka->addWidget(porovnani, r, 1);
        porovnani_.push_back(porovnani);
        hodnoty_.push_back(hodnota);
    }
    mrizka->setColumnStretch(2, 1);
    auto* tlacitka = new QHBoxLayout;
    auto* zavritT = new QPushButton(zavrit + " [Esc]", this);
    auto* okT = new QPushButton(ok + " [Ent]", this);
    zavritT->setAutoDefault(false);
    okT->setDefault(true);
    connect(zavritT, &QPushButton::clicked, this, &QDialog::reject);
    connect(okT, &QPushButton::clicked, this, &OknoHledani::Potvrdit);
    tlacitka->addWidget(zavritT);
    tlacitka->addStretch();
    tlacitka->addWidget(okT);
    hlavni->addLayout(tlacitka);
}

void OknoHledani::Ulozit() {
    for (std::size_t i = 0; i < atributy_.size(); ++i) {
        const AtributHledani& a = atributy_[i];
        PodminkaVzoru p;
        if (a.druh == AtributHledani::Druh::Poloha) {
            p.cislo = poloha_->currentIndex();
            p.porovnani = p.cislo > 0 ? Porovnani::Rovno : Porovnani::Zadne;
        } else {
            const bool text = a.druh == AtributHledani::Druh::Text;
            const Porovnani srovnani = Porovnani_(
                text)[static_cast<std::size_t>(std::max(0, porovnani_[i]->currentIndex()))];
            const QString t = hodnoty_[i]->text();
            bool ok = false;
            if (text) {
                p.text = OrezatJmeno(S(t));
                ok = !p.text.empty();
            } else if (a.druh == AtributHledani::Druh::Cele) {
                p.cislo = t.trimmed().toInt(&ok);
            } else if (const std::optional<Real> c = CisloZTextu(t)) {
                p.cislo = *c;
                ok = true;
            }
            p.porovnani = ok ? srovnani : Porovnani::Zadne;
            if (!ok) hodnoty_[i]->clear();
        }
        vzor_[i] = p;
    }
}

void OknoHledani::Potvrdit() {
    Ulozit();
    for (const PodminkaVzoru& p : vzor_) {
        if (p.porovnani != Porovnani::Zadne) {
            accept();
            return;
        }
    }
}

void OknoHledani::done(int vysledek) {
    // Any button stores the pattern as edited, so "Find next" uses it.
    if (vysledek != QDialog::Accepted) Ulozit();
    QDialog::done(vysledek);
}

std::vector<AtributHledani> AtributySurovych(const Tjazyk& jazyk) {
    const jazyk::Tpopis& p = jazyk.popis;
    const jazyk::TpopisJednotky& u = jazyk.popisJednotky;
    using D = AtributHledani::Druh;
    const auto j = [](const std::string& x) { return " [" + Q(x) + "]"; };
    return {{Q(p.poradi), D::Cele},
            {Q(p.cisloSTN), D::Text},
            {Q(p.vyskaSTN) + j(u.delka_hodnota), D::Cislo},
            {Q(p.poloha), D::Poloha},
            {Q(p.cisloCIL), D::Text},
            {Q(p.vyskaCIL) + j(u.delka_hodnota), D::Cislo},
            {Q(p.smer) + j(u.smer_hodnota), D::Cislo},
            {Q(p.zenit) + j(u.smer_hodnota), D::Cislo},
            {Q(p.delka) + j(u.delka_hodnota), D::Cislo},
            {Q(p.skupina), D::Cele}};
}

VzorAtributu ZeVzoruHledani(const VzorHledani& v) {
    PodminkaVzoru poloha;
    poloha.cislo = v.poloha;
    poloha.porovnani = v.poloha > 0 ? Porovnani::Rovno : Porovnani::Zadne;
    return {v.poradi,   v.cisloStn, v.vyskaStn, poloha,  v.cisloCil,
            v.vyskaCil, v.smer,     v.zenit,    v.delka, v.skupina};
}

VzorHledani DoVzoruHledani(const VzorAtributu& a) {
    VzorHledani v;
    if (a.size() < 10) return v;
    v.poradi = a[0];
    v.cisloStn = a[1];
    v.vyskaStn = a[2];
    v.poloha = a[3].porovnani == Porovnani::Zadne ? 0 : static_cast<int>(a[3].cislo);
    v.cisloCil = a[4];
    v.vyskaCil = a[5];
    v.smer = a[6];
    v.zenit = a[7];
    v.delka = a[8];
    v.skupina = a[9];
    return v;
}

}  // namespace vertano::ui
