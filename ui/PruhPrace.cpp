#include "PruhPrace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

namespace vertano::ui {

namespace {

constexpr int kPromile = 1000;
constexpr int kSirkaUkazatele = 160;

}  // namespace

PruhPrace::PruhPrace(QWidget* rodic) : QWidget(rodic) {
    auto* radek = new QHBoxLayout(this);
    radek->setContentsMargins(0, 0, 0, 0);
    popis_ = new QLabel(this);
    popis_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    popis_->setObjectName("stavZpracovani");
    QFont tucne = popis_->font();
    tucne.setBold(true);
    popis_->setFont(tucne);
    ukazatel_ = new QProgressBar(this);
    ukazatel_->setObjectName("prubehPrace");
    ukazatel_->setFixedWidth(kSirkaUkazatele);
    ukazatel_->setTextVisible(false);
    zrusit_ = new QPushButton(this);
    zrusit_->setObjectName("zastavit");
    zrusit_->setAutoDefault(false);
    connect(zrusit_, &QPushButton::clicked, this, [this] {
        zrusit_->setEnabled(false);
        emit zrusit();
    });
    radek->addWidget(popis_, 1);
    radek->addWidget(ukazatel_);
    radek->addWidget(zrusit_);
}

void PruhPrace::Zacit(const QString& etapa, bool lzeZrusit) {
    popis_->setText(etapa);
    Prubeh(-1);
    zrusit_->setEnabled(true);
    zrusit_->setVisible(lzeZrusit);
}

void PruhPrace::Etapa(const QString& text) {
    if (!text.trimmed().isEmpty()) popis_->setText(text);
}

void PruhPrace::Prubeh(int promile) {
    if (promile < 0) {
        ukazatel_->setRange(0, 0);
        return;
    }
    ukazatel_->setRange(0, kPromile);
    ukazatel_->setValue(std::min(promile, kPromile));
}

void PruhPrace::NastavitTextZrusit(const QString& text) {
    zrusit_->setText(text);
}

}  // namespace vertano::ui
