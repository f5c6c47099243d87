#include "ModelTabulky.h"

#include <algorithm>

#include "workspace/TabulkaMereni.h"

namespace vertano::ui {

ModelTabulky::ModelTabulky(QObject* rodic) : QAbstractTableModel(rodic) {}

bool ModelTabulky::JeJmeno(int sloupec) const {
    const int s = SurovySloupec(sloupec);
    return Tucne(sloupec) || s == sloupec::kCisloStn || s == sloupec::kCisloCil;
}

void ModelTabulky::Obnovit() {
    ++generace_;
    // The row count changes at the end only when rows were added or removed;
    // a layout change keeps the view's scroll position and current row.
    const int nove = PocetRadku();
    if (nove > zobrazeno_) {
        beginInsertRows({}, zobrazeno_, nove - 1);
        zobrazeno_ = nove;
        endInsertRows();
    } else if (nove < zobrazeno_) {
        beginRemoveRows({}, nove, zobrazeno_ - 1);
        zobrazeno_ = nove;
        endRemoveRows();
    }
    if (zobrazeno_ > 0 && PocetSloupcu() > 0)
        emit dataChanged(index(0, 0), index(zobrazeno_ - 1, PocetSloupcu() - 1));
}

void ModelTabulky::Resetovat() {
    ++generace_;
    beginResetModel();
    zobrazeno_ = PocetRadku();
    endResetModel();
}

void ModelTabulky::ObnovitTexty() {
    if (PocetSloupcu() > 0) emit headerDataChanged(Qt::Horizontal, 0, PocetSloupcu() - 1);
    Obnovit();
}

void ModelTabulky::NastavitViditelneRadky(int pocet) {
    if (pocet == viditelne_) return;
    viditelne_ = pocet;
    Obnovit();
}

int ModelTabulky::PocetRadku() const {
    return std::max(PocetZaznamu() + 1, viditelne_ + 1);
}

int ModelTabulky::rowCount(const QModelIndex& rodic) const {
    return rodic.isValid() ? 0 : zobrazeno_;
}

int ModelTabulky::columnCount(const QModelIndex& rodic) const {
    return rodic.isValid() ? 0 : PocetSloupcu();
}

QVariant ModelTabulky::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (index.row() >= PocetZaznamu() || !JePlny(index.row())) return QString();
    return Text(index.row(), index.column());
}

QVariant ModelTabulky::headerData(int sekce, Qt::Orientation orientace, int role) const {
    if (orientace != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return Zahlavi(sekce);
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignCenter);
    return {};
}

ModelSeznamu::ModelSeznamu(QObject* rodic) : ModelTabulky(rodic) {}

void ModelSeznamu::Nastavit(Radky radky, std::vector<SloupecSeznamu> sloupce) {
    radky_ = std::move(radky);
    sloupce_ = std::move(sloupce);
    Resetovat();
}

int ModelSeznamu::PocetZaznamu() const {
    return radky_.pocet ? std::max(0, radky_.pocet()) : 0;
}

bool ModelSeznamu::JePlny(int radek) const {
    if (radek < 0 || radek >= PocetZaznamu()) return false;
    return !radky_.plny || radky_.plny(radek);
}

int ModelSeznamu::PocetSloupcu() const {
    return static_cast<int>(sloupce_.size());
}

QString ModelSeznamu::Text(int radek, int sloupec) const {
    if (sloupec < 0 || sloupec >= PocetSloupcu()) return {};
    const SloupecSeznamu& s = sloupce_[static_cast<std::size_t>(sloupec)];
    return s.text ? s.text(radek) : QString();
}

QString ModelSeznamu::Zahlavi(int sloupec) const {
    if (sloupec < 0 || sloupec >= PocetSloupcu()) return {};
    const SloupecSeznamu& s = sloupce_[static_cast<std::size_t>(sloupec)];
    return s.skupina + "\n" + s.nazev;
}

int ModelSeznamu::NavrhovaSirka(int sloupec) const {
    if (sloupec < 0 || sloupec >= PocetSloupcu()) return 0;
    return sloupce_[static_cast<std::size_t>(sloupec)].sirka;
}

bool ModelSeznamu::Tucne(int sloupec) const {
    if (sloupec < 0 || sloupec >= PocetSloupcu()) return false;
    return sloupce_[static_cast<std::size_t>(sloupec)].tucne;
}

const Tzaznam* ModelSeznamu::Zaznam(int radek) const {
    if (!radky_.zaznam || radek < 0 || radek >= PocetZaznamu()) return nullptr;
    return radky_.zaznam(radek);
}

int ModelSeznamu::SurovySloupec(int sloupec) const {
    if (sloupec < 0 || sloupec >= PocetSloupcu()) return -1;
    return sloupce_[static_cast<std::size_t>(sloupec)].surovy;
}

Znacka ModelSeznamu::ZnackaBunky(int radek, int sloupec) const {
    if (sloupec < 0 || sloupec >= PocetSloupcu() || !JePlny(radek)) return Znacka::Zadna;
    const SloupecSeznamu& s = sloupce_[static_cast<std::size_t>(sloupec)];
    return s.znacka ? s.znacka(radek) : Znacka::Zadna;
}

std::vector<std::string> ModelSeznamu::Body(int radek) const {
    if (!radky_.body || !JePlny(radek)) return {};
    return radky_.body(radek);
}

bool ModelSeznamu::JeJmeno(int sloupec) const {
    if (sloupec < 0 || sloupec >= PocetSloupcu()) return false;
    const SloupecSeznamu& s = sloupce_[static_cast<std::size_t>(sloupec)];
    return s.tucne || s.jmeno || ModelTabulky::JeJmeno(sloupec);
}

bool ModelSeznamu::JeChybny(int radek) const {
    return radky_.chybny && JePlny(radek) && radky_.chybny(radek);
}

}  // namespace vertano::ui
