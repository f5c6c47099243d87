#include "ModelSurovych.h"

#include <algorithm>

#include "Texty.h"
#include "workspace/TabulkaMereni.h"

namespace vertano::ui {

namespace {

const Tmereni& Prazdny() {
    static const Tmereni kPrazdny;
    return kPrazdny;
}

}  // namespace

ModelSurovych::ModelSurovych(const Tnastaveni& nastaveni, const Tjazyk& jazyk, QObject* rodic)
    : QAbstractTableModel(rodic), nastaveni_(nastaveni), jazyk_(jazyk), mereni_(&Prazdny()) {
    zobrazeno_ = PocetRadku();
}

void ModelSurovych::NastavitZdroj(const Tmereni* mereni) {
    beginResetModel();
    mereni_ = mereni != nullptr ? mereni : &Prazdny();
    zobrazeno_ = PocetRadku();
    endResetModel();
}

void ModelSurovych::Obnovit() {
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
    if (zobrazeno_ > 0) emit dataChanged(index(0, 0), index(zobrazeno_ - 1, sloupec::kPocet - 1));
}

void ModelSurovych::ObnovitTexty() {
    emit headerDataChanged(Qt::Horizontal, 0, sloupec::kPocet - 1);
    Obnovit();
}

void ModelSurovych::NastavitViditelneRadky(int pocet) {
    if (pocet == viditelne_) return;
    viditelne_ = pocet;
    Obnovit();
}

const Tzaznam* ModelSurovych::Zaznam(int radek) const {
    if (radek < 0 || static_cast<std::size_t>(radek) >= mereni_->zaznam.size()) return nullptr;
    return &mereni_->zaznam[static_cast<std::size_t>(radek)];
}

int ModelSurovych::PocetRadku() const {
    const int n = static_cast<int>(mereni_->zaznam.size());
    return std::max(n + 1, viditelne_ + 1);
}

int ModelSurovych::rowCount(const QModelIndex& rodic) const {
    return rodic.isValid() ? 0 : zobrazeno_;
}

int ModelSurovych::columnCount(const QModelIndex& rodic) const {
    return rodic.isValid() ? 0 : sloupec::kPocet;
}

QVariant ModelSurovych::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const Tzaznam* z = Zaznam(index.row());
    if (z == nullptr) return QString();
    return Q(TextBunky(*z, index.column(), nastaveni_));
}

QString ModelSurovych::Zahlavi(int sloupec) const {
    const jazyk::Tpopis& p = jazyk_.popis;
    const jazyk::TpopisJednotky& j = jazyk_.popisJednotky;
    const auto jednotka = [](const std::string& u) { return QStringLiteral(" [") + Q(u) + "]"; };
    switch (sloupec) {
        case sloupec::kPoradi:
            return "\n" + Q(p.poradi);
        case sloupec::kCisloStn:
            return Q(p.stanovisko) + "\n" + Q(p.cislo);
        case sloupec::kVyskaStn:
            return Q(p.stanovisko) + "\n" + Q(p.vyska) + jednotka(j.delka_hodnota);
        case sloupec::kCisloCil:
            return Q(p.cil) + "\n" + Q(p.cislo);
        case sloupec::kVyskaCil:
            return Q(p.cil) + "\n" + Q(p.vyska) + jednotka(j.delka_hodnota);
        case sloupec::kSmer:
            return Q(p.merene_veliciny) + "\n" + Q(p.smer) + jednotka(j.smer_hodnota);
        case sloupec::kZenit:
            return Q(p.merene_veliciny) + "\n" + Q(p.zenit) + jednotka(j.smer_hodnota);
        case sloupec::kDelka:
            return Q(p.merene_veliciny) + "\n" + Q(p.delka) + jednotka(j.delka_hodnota);
        default:
            return {};
    }
}

QVariant ModelSurovych::headerData(int sekce, Qt::Orientation orientace, int role) const {
    if (orientace != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return Zahlavi(sekce);
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignCenter);
    return {};
}

}  // namespace vertano::ui
