#include "ZpravaOkno.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vertano::ui {

namespace {

QLabel* Text(const QString& text, QWidget* rodic) {
    auto* popis = new QLabel(text, rodic);
    popis->setWordWrap(true);
    popis->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Long messages wrap at a readable width instead of stretching the window.
    popis->setMinimumWidth(360);
    popis->setMaximumWidth(560);
    return popis;
}

QHBoxLayout* RadekTlacitek(std::initializer_list<QPushButton*> tlacitka) {
    auto* radek = new QHBoxLayout;
    radek->addStretch();
    for (QPushButton* t : tlacitka) {
        if (t != nullptr) radek->addWidget(t);
    }
    radek->addStretch();
    return radek;
}

QHBoxLayout* SIkonou(QWidget* rodic, QStyle::StandardPixmap ikona, QLabel* text) {
    auto* radek = new QHBoxLayout;
    auto* obrazek = new QLabel(rodic);
    obrazek->setPixmap(rodic->style()->standardIcon(ikona).pixmap(32, 32));
    obrazek->setAlignment(Qt::AlignTop);
    radek->addWidget(obrazek);
    radek->addSpacing(8);
    radek->addWidget(text, 1);
    return radek;
}

}  // namespace

void FixniRamecek(QDialog& dialog) {
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (dialog.layout() != nullptr) dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
}

ZpravaOkno::ZpravaOkno(QWidget* rodic, const QString& nadpis, const QString& text,
                       const QString& ok, const QString& protokol, std::function<void()> naProtokol)
    : QDialog(rodic) {
    setWindowTitle(nadpis);
    auto* hlavni = new QVBoxLayout(this);
    hlavni->addLayout(SIkonou(this, QStyle::SP_MessageBoxInformation, Text(text, this)));
    ok_ = new QPushButton(ok, this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    if (naProtokol) {
        protokol_ = new QPushButton(protokol, this);
        protokol_->setAutoDefault(false);
        connect(protokol_, &QPushButton::clicked, this, [naProtokol] { naProtokol(); });
    }
    hlavni->addSpacing(6);
    hlavni->addLayout(RadekTlacitek({ok_, protokol_}));
    FixniRamecek(*this);
    ok_->setFocus();
}

PotvrzeniOkno::PotvrzeniOkno(QWidget* rodic, const QString& nadpis, const QString& text,
                             const QString& ano, const QString& ne)
    : QDialog(rodic) {
    setWindowTitle(nadpis);
    auto* hlavni = new QVBoxLayout(this);
    hlavni->addLayout(SIkonou(this, QStyle::SP_MessageBoxQuestion, Text(text, this)));
    ano_ = new QPushButton(ano, this);
    ne_ = new QPushButton(ne, this);
    ano_->setAutoDefault(false);
    ne_->setDefault(true);
    connect(ano_, &QPushButton::clicked, this, &QDialog::accept);
    connect(ne_, &QPushButton::clicked, this, &QDialog::reject);
    hlavni->addSpacing(6);
    hlavni->addLayout(RadekTlacitek({ano_, ne_}));
    FixniRamecek(*this);
    ne_->setFocus();
}

}  // namespace vertano::ui
