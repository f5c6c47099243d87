#include "OknoPremisteni.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vertano::ui {

OknoPremisteni::OknoPremisteni(QWidget* rodic, const QString& nadpis, const QString& text,
                               const QString& premistit, const QString& zavrit, int pocet)
    : QDialog(rodic) {
    setWindowTitle(nadpis);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* hlavni = new QVBoxLayout(this);
    auto* radek = new QHBoxLayout;
    radek->addWidget(new QLabel(text, this));
    seznam_ = new QComboBox(this);
    for (int i = 1; i <= pocet; ++i) seznam_->addItem(QString::number(i));
    seznam_->setCurrentIndex(-1);
    radek->addWidget(seznam_);
    hlavni->addLayout(radek);
    auto* tlacitka = new QHBoxLayout;
    auto* ok = new QPushButton(premistit + " [Ent]", this);
    auto* konec = new QPushButton(zavrit + " [Esc]", this);
    ok->setDefault(true);
    konec->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (Poradi() > 0) accept();
    });
    connect(konec, &QPushButton::clicked, this, &QDialog::reject);
    tlacitka->addStretch();
    tlacitka->addWidget(ok);
    tlacitka->addWidget(konec);
    hlavni->addLayout(tlacitka);
    seznam_->setFocus();
}

int OknoPremisteni::Poradi() const {
    return seznam_->currentIndex() >= 0 ? seznam_->currentIndex() + 1 : 0;
}

}  // namespace vertano::ui
