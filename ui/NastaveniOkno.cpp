#include "NastaveniOkno.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "CisloPole.h"
#include "Texty.h"
#include "ZpravaOkno.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

constexpr int kSloupecPopisu = 0;
constexpr int kSloupecPole = 1;
constexpr int kSloupecDruhy = 2;

}  // namespace

NastaveniOkno::NastaveniOkno(QWidget* rodic, Workspace& ws, const QString& nadpis)
    : QDialog(rodic), ws_(ws) {
    setWindowTitle(nadpis);
    auto* hlavni = new QVBoxLayout(this);
    mrizka_ = new QGridLayout;
    mrizka_->setHorizontalSpacing(10);
    mrizka_->setVerticalSpacing(4);
    hlavni->addLayout(mrizka_);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* kopirovat = new QAction(Q(ws_.jazyk.tlacitko.kopirovat), this);
    kopirovat->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(kopirovat, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(TextKopie()); });
    addAction(kopirovat);
}

QLabel* NastaveniOkno::Popisek(const QString& text) {
    return new QLabel(text.isEmpty() ? text : text + ":", this);
}

void NastaveniOkno::Pridat(Pole pole) {
    pole.puvodni = pole.text();
    pole_.push_back(std::move(pole));
}

void NastaveniOkno::Nadpis(const QString& text) {
    auto* nadpis = new QLabel(text, this);
    QFont pismo = nadpis->font();
    pismo.setBold(true);
    nadpis->setFont(pismo);
    if (radek_ > 0) mrizka_->setRowMinimumHeight(radek_++, 6);
    mrizka_->addWidget(nadpis, radek_++, 0, 1, 3);
    kopie_.push_back({text, {}});
}

QLineEdit* NastaveniOkno::CisloText(const QString& popis, const QString& klic, const QString& text,
                                    Real dolni, Real horni, std::function<void(Real)> ulozit,
                                    int skupina) {
    auto* pole = new QLineEdit(text, this);
    pole->setObjectName(klic);
    pole->setAlignment(Qt::AlignRight);
    pole->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000.0000000")));
    mrizka_->addWidget(Popisek(popis), radek_, kSloupecPopisu);
    mrizka_->addWidget(pole, radek_++, kSloupecPole);
    kopie_.push_back({popis, {[pole] { return pole->text(); }}});
    Pridat({popis,
            [pole] { return pole->text(); },
            {},
            [pole, dolni, horni] { return VRozsahu(pole->text(), dolni, horni); },
            [pole] { pole->clear(); },
            [pole, ulozit] { ulozit(*CisloZTextu(pole->text())); },
            skupina});
    return pole;
}

QLineEdit* NastaveniOkno::Cislo(const QString& popis, const QString& klic, Real zobrazena,
                                int desetiny, Real dolni, Real horni,
                                std::function<void(Real)> ulozit, int skupina) {
    return CisloText(popis, klic, TextCisla(zobrazena, desetiny), dolni, horni, std::move(ulozit),
                     skupina);
}

QLineEdit* NastaveniOkno::CisloVedle(QWidget* vedle, const QString& klic, Real zobrazena,
                                     int desetiny, Real dolni, Real horni,
                                     std::function<void(Real)> ulozit) {
    auto* pole = new QLineEdit(TextCisla(zobrazena, desetiny), this);
    pole->setObjectName(klic);
    pole->setAlignment(Qt::AlignRight);
    int r = 0, s = 0, rs = 0, ss = 0;
    mrizka_->getItemPosition(mrizka_->indexOf(vedle), &r, &s, &rs, &ss);
    mrizka_->addWidget(pole, r, kSloupecDruhy);
    kopie_.back().hodnoty.push_back([pole] { return pole->text(); });
    Pridat({klic,
            [pole] { return pole->text(); },
            {},
            [pole, dolni, horni] { return VRozsahu(pole->text(), dolni, horni); },
            [pole] { pole->clear(); },
            [pole, ulozit] { ulozit(*CisloZTextu(pole->text())); },
            0});
    return pole;
}

QComboBox* NastaveniOkno::Vyber(const QString& popis, const QString& klic,
                                const QStringList& polozky, int index,
                                std::function<void(int)> ulozit, int skupina) {
    auto* seznam = new QComboBox(this);
    seznam->setObjectName(klic);
    seznam->addItems(polozky);
    seznam->setCurrentIndex(index);
    mrizka_->addWidget(Popisek(popis), radek_, kSloupecPopisu);
    mrizka_->addWidget(seznam, radek_++, kSloupecPole);
    kopie_.push_back({popis, {[seznam] { return seznam->currentText(); }}});
    Pridat({popis,
            [seznam] { return QString::number(seznam->currentIndex()); },
            {},
            [] { return true; },
            [] {},
            [seznam, ulozit] { ulozit(seznam->currentIndex()); },
            skupina});
    return seznam;
}

void NastaveniOkno::DvaVybery(const QString& popis, const QString& klic1, const QString& klic2,
                              const QStringList& polozky, int index1, int index2,
                              std::function<void(int)> ulozit1, std::function<void(int)> ulozit2) {
    auto* prvni = new QComboBox(this);
    auto* druhy = new QComboBox(this);
    prvni->setObjectName(klic1);
    druhy->setObjectName(klic2);
    prvni->addItems(polozky);
    druhy->addItems(polozky);
    prvni->setCurrentIndex(index1);
    druhy->setCurrentIndex(index2);
    mrizka_->addWidget(Popisek(popis), radek_, kSloupecPopisu);
    mrizka_->addWidget(prvni, radek_, kSloupecPole);
    mrizka_->addWidget(druhy, radek_++, kSloupecDruhy);
    kopie_.push_back(
        {popis,
         {[prvni] { return prvni->currentText(); }, [druhy] { return druhy->currentText(); }}});
    Pridat({popis,
            [prvni] { return QString::number(prvni->currentIndex()); },
            {},
            [] { return true; },
            [] {},
            [prvni, ulozit1] { ulozit1(prvni->currentIndex()); },
            0});
    Pridat({popis,
            [druhy] { return QString::number(druhy->currentIndex()); },
            {},
            [] { return true; },
            [] {},
            [druhy, ulozit2] { ulozit2(druhy->currentIndex()); },
            0});
}

QCheckBox* NastaveniOkno::Zaskrtnuti(const QString& text, const QString& klic, bool hodnota,
                                     std::function<void(bool)> ulozit, int skupina) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(klic);
    box->setChecked(hodnota);
    mrizka_->addWidget(box, radek_++, kSloupecPopisu, 1, 2);
    kopie_.push_back({text, {[box] { return QString(box->isChecked() ? "x" : "-"); }}});
    Pridat({text,
            [box] { return QString(box->isChecked() ? "1" : "0"); },
            {},
            [] { return true; },
            [] {},
            [box, ulozit] { ulozit(box->isChecked()); },
            skupina});
    return box;
}

QComboBox* NastaveniOkno::ZaskrtnutiSVyberem(const QString& text, const QString& klic, bool hodnota,
                                             std::function<void(bool)> ulozit,
                                             const QStringList& polozky, int index,
                                             std::function<void(int)> ulozitVyber, int skupina) {
    QCheckBox* box = Zaskrtnuti(text, klic, hodnota, std::move(ulozit), skupina);
    int r = 0, s = 0, rs = 0, ss = 0;
    mrizka_->getItemPosition(mrizka_->indexOf(box), &r, &s, &rs, &ss);
    mrizka_->removeWidget(box);
    mrizka_->addWidget(box, r, kSloupecPopisu);
    auto* seznam = new QComboBox(this);
    seznam->setObjectName(klic + "Varianta");
    seznam->addItems(polozky);
    seznam->setCurrentIndex(index);
    seznam->setEnabled(hodnota);
    mrizka_->addWidget(seznam, r, kSloupecPole);
    connect(box, &QCheckBox::toggled, seznam, &QWidget::setEnabled);
    kopie_.back().hodnoty.push_back([seznam] { return seznam->currentText(); });
    Pridat({text,
            [seznam] { return QString::number(seznam->currentIndex()); },
            {},
            [] { return true; },
            [] {},
            [seznam, ulozitVyber] { ulozitVyber(seznam->currentIndex()); },
            skupina});
    return seznam;
}

std::vector<QRadioButton*> NastaveniOkno::Volby(const QStringList& texty, const QString& klic,
                                                int index, std::function<void(int)> ulozit) {
    auto* skupina = new QButtonGroup(this);
    std::vector<QRadioButton*> volby;
    for (qsizetype i = 0; i < texty.size(); ++i) {
        auto* volba = new QRadioButton(texty[i], this);
        volba->setObjectName(klic + QString::number(i));
        skupina->addButton(volba, static_cast<int>(i));
        volba->setChecked(i == index);
        mrizka_->addWidget(volba, radek_++, kSloupecPopisu, 1, 2);
        kopie_.push_back({texty[i], {[volba] { return QString(volba->isChecked() ? "x" : "-"); }}});
        volby.push_back(volba);
    }
    Pridat({klic,
            [skupina] { return QString::number(skupina->checkedId()); },
            {},
            [] { return true; },
            [] {},
            [skupina, ulozit] { ulozit(skupina->checkedId()); },
            0});
    return volby;
}

void NastaveniOkno::RegistrovatVolby(QButtonGroup* skupina, const QString& klic,
                                     std::function<void(int)> ulozit) {
    Pridat({klic,
            [skupina] { return QString::number(skupina->checkedId()); },
            {},
            [] { return true; },
            [] {},
            [skupina, ulozit] { ulozit(skupina->checkedId()); },
            0});
}

void NastaveniOkno::Widget(QWidget* w, int sloupec) {
    mrizka_->addWidget(w, radek_++, sloupec, 1, sloupec == 0 ? 3 : 2);
}

void NastaveniOkno::Dokoncit() {
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    vlozit_ = new QPushButton(Q(t.vlozit) + " [Ent]", this);
    zavrit_ = new QPushButton(Q(t.ukoncit) + " [Esc]", this);
    vlozit_->setAutoDefault(false);
    zavrit_->setAutoDefault(false);
    connect(vlozit_, &QPushButton::clicked, this, [this] { Potvrdit(); });
    connect(zavrit_, &QPushButton::clicked, this, &QDialog::reject);
    auto* tlacitka = new QHBoxLayout;
    tlacitka->addStretch();
    tlacitka->addWidget(vlozit_);
    tlacitka->addWidget(zavrit_);
    auto* hlavni = static_cast<QVBoxLayout*>(layout());
    hlavni->addSpacing(8);
    hlavni->addLayout(tlacitka);
    FixniRamecek(*this);
    // The dialog sees Enter before its controls: it confirms wherever the focus is.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    zavrit_->setFocus();
}

bool NastaveniOkno::eventFilter(QObject* objekt, QEvent* udalost) {
    if (udalost->type() == QEvent::KeyPress) {
        const auto* klavesa = static_cast<QKeyEvent*>(udalost);
        const bool enter = klavesa->key() == Qt::Key_Return || klavesa->key() == Qt::Key_Enter;
        const auto* seznam = qobject_cast<QComboBox*>(objekt);
        if (enter && !(seznam != nullptr && seznam->view()->isVisible())) {
            Potvrdit();
            return true;
        }
    }
    return QDialog::eventFilter(objekt, udalost);
}

bool NastaveniOkno::Zmeneno() const {
    for (const Pole& p : pole_) {
        if (p.text() != p.puvodni) return true;
    }
    return false;
}

bool NastaveniOkno::Potvrdit() {
    if (!Zmeneno()) {
        reject();
        return true;
    }
    bool vse = true;
    for (Pole& p : pole_) {
        if (p.text() == p.puvodni || p.platne()) continue;
        p.vyprazdnit();
        vse = false;
    }
    if (!vse) return false;
    unsigned skupiny = 0;
    for (Pole& p : pole_) {
        if (p.text() == p.puvodni) continue;
        p.ulozit();
        skupiny |= 1u << p.skupina;
    }
    PoUlozeni(skupiny);
    accept();
    return true;
}

QString NastaveniOkno::TextKopie() const {
    QString text = windowTitle() + "\r\n";
    for (const RadekKopie& r : kopie_) {
        text += r.popis;
        QStringList hodnoty;
        for (const auto& h : r.hodnoty) hodnoty << h();
        if (!hodnoty.isEmpty()) text += "\t" + hodnoty.join('/');
        text += "\r\n";
    }
    return text;
}

}  // namespace vertano::ui
