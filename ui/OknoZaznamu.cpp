#include "OknoZaznamu.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Barvy.h"
#include "CisloPole.h"
#include "Texty.h"
#include "workspace/UpravyMereni.h"

namespace vertano::ui {

namespace {

bool Platne(const QString& text, DruhPole druh) {
    switch (druh) {
        case DruhPole::Jmeno:
            return JePlatneJmeno(OrezatJmeno(S(text)));
        case DruhPole::Cele: {
            bool ok = false;
            text.trimmed().toInt(&ok);
            return ok;
        }
        case DruhPole::Cislo:
            return CisloZTextu(text).has_value();
        case DruhPole::Mereni:
        case DruhPole::Zenit:
            return CisloZTextu(text).has_value() ||
                   JeNemerenoPole(S(text), druh == DruhPole::Zenit);
    }
    return false;
}

}  // namespace

OknoZaznamu::OknoZaznamu(QWidget* rodic, const QString& nadpis, const Texty& texty,
                         std::vector<PoleZaznamu> pole, bool uprava)
    : QDialog(rodic), pole_(std::move(pole)), uprava_(uprava) {
    setWindowTitle(nadpis);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* hlavni = new QVBoxLayout(this);
    auto* mrizka = new QGridLayout;
    mrizka->setHorizontalSpacing(8);
    mrizka->setVerticalSpacing(4);
    hlavni->addLayout(mrizka);
    for (std::size_t i = 0; i < pole_.size(); ++i) {
        const PoleZaznamu& p = pole_[i];
        const int r = static_cast<int>(i);
        mrizka->addWidget(new QLabel(p.nazev, this), r, 0);
        auto* hodnota = new QLineEdit(p.hodnota, this);
        hodnota->setObjectName("pole" + QString::number(r));
        hodnota->setReadOnly(p.jenCteni);
        hodnota->setAlignment(Qt::AlignRight);
        hodnota->setMinimumWidth(hodnota->fontMetrics().horizontalAdvance(QString(16, '0')));
        if (p.jenCteni) {
            hodnota->setFocusPolicy(Qt::NoFocus);
            QPalette seda = hodnota->palette();
            seda.setColor(QPalette::Base, palette().color(QPalette::Window));
            hodnota->setPalette(seda);
        }
        hodnota->installEventFilter(this);
        connect(hodnota, &QLineEdit::textChanged, this, &OknoZaznamu::Obnovit);
        mrizka->addWidget(hodnota, r, 1);
        auto* znacka = new QLabel(this);
        znacka->setFixedWidth(14);
        znacka->setAlignment(Qt::AlignCenter);
        mrizka->addWidget(znacka, r, 2);
        mrizka->addWidget(new QLabel(p.jednotka, this), r, 3);
        hodnoty_.push_back(hodnota);
        znacky_.push_back(znacka);
    }
    mrizka->setColumnStretch(1, 1);

    auto* tlacitka = new QHBoxLayout;
    const auto tlacitko = [this, tlacitka](const QString& text, auto&& prikaz) {
        auto* t = new QPushButton(text, this);
        t->setAutoDefault(false);
        connect(t, &QPushButton::clicked, this, prikaz);
        tlacitka->addWidget(t);
        return t;
    };
    tlacitko(texty.zavrit + " [Esc]", [this] { reject(); });
    tlacitko(texty.vycistit + " [Del]", [this] { Vycistit(); });
    tlacitka->addStretch();
    tlacitko(texty.vlozit + " [Ent]", [this] { Vlozit(); });
    tlacitko(texty.vlozitAZavrit, [this] { VlozitAZavrit(); });
    hlavni->addLayout(tlacitka);
    snimek_ = Hodnoty();
    Obnovit();
    for (QLineEdit* h : hodnoty_) {
        if (!h->isReadOnly()) {
            h->setFocus();
            break;
        }
    }
}

std::vector<QString> OknoZaznamu::Hodnoty() const {
    std::vector<QString> h;
    for (const QLineEdit* e : hodnoty_) h.push_back(e->text());
    return h;
}

bool OknoZaznamu::JePlatne(int i) const {
    const PoleZaznamu& p = pole_[static_cast<std::size_t>(i)];
    const QString text = hodnoty_[static_cast<std::size_t>(i)]->text();
    if (p.jenCteni) return true;
    if (uprava_ && text.trimmed().isEmpty()) return true;
    return Platne(text, p.druh);
}

void OknoZaznamu::Obnovit() {
    for (std::size_t i = 0; i < hodnoty_.size(); ++i) {
        QLabel* z = znacky_[i];
        const bool prazdne = hodnoty_[i]->text().trimmed().isEmpty();
        QColor barva = barvy::kPolohaI;
        QString znak = QString::fromUtf8("✓");
        if (pole_[i].jenCteni) {
            znak.clear();
        } else if (uprava_ && prazdne) {
            barva = barvy::kMimoSkupinu;
            znak = QString::fromUtf8("–");
        } else if (!JePlatne(static_cast<int>(i))) {
            barva = barvy::kChyba;
            znak = QString::fromUtf8("✗");
        }
        z->setText(znak);
        z->setStyleSheet("color: " + barva.name() + "; font-weight: bold");
    }
}

bool OknoZaznamu::VsechnaPlatna() const {
    for (int i = 0; i < PocetPoli(); ++i) {
        if (!JePlatne(i)) return false;
    }
    return true;
}

void OknoZaznamu::Vlozit() {
    std::vector<QString> h = Hodnoty();
    if (h == snimek_ || !vlozit || !VsechnaPlatna()) return;
    for (std::size_t i = 0; i < h.size(); ++i) {
        // In the edit mode a field left as it was shown changes nothing: its
        // text is the rounded display of a value that must keep its digits.
        if (uprava_ && h[i] == snimek_[i]) {
            h[i].clear();
            continue;
        }
        // Names are taken as trimmed.
        if (pole_[i].druh == DruhPole::Jmeno) h[i] = Q(OrezatJmeno(S(h[i])));
    }
    setEnabled(false);
    const bool ok = vlozit(h);
    setEnabled(true);
    if (!ok) return;
    ++vlozeno_;
    if (naplnit) {
        const std::vector<QString> nove = naplnit();
        for (std::size_t i = 0; i < hodnoty_.size() && i < nove.size(); ++i)
            hodnoty_[i]->setText(nove[i]);
    }
    snimek_ = Hodnoty();
    Obnovit();
}

void OknoZaznamu::VlozitAZavrit() {
    // An invalid field keeps the window open, so that its mark is seen and
    // the values typed are not lost.
    if (!VsechnaPlatna()) return;
    Vlozit();
    accept();
}

void OknoZaznamu::Vycistit() {
    for (std::size_t i = 0; i < hodnoty_.size(); ++i) {
        if (!pole_[i].jenCteni) hodnoty_[i]->clear();
    }
}

bool OknoZaznamu::eventFilter(QObject* objekt, QEvent* udalost) {
    if (udalost->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(udalost);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Vlozit();
            return true;
        }
        // Del in an empty field clears the window; in a field with text it
        // deletes as usual.
        auto* pole = qobject_cast<QLineEdit*>(objekt);
        if (k->key() == Qt::Key_Delete && pole != nullptr && pole->text().isEmpty()) {
            Vycistit();
            return true;
        }
    }
    return QDialog::eventFilter(objekt, udalost);
}

}  // namespace vertano::ui
