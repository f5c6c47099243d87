#include "ModelSurovych.h"

#include <array>

#include "Texty.h"
#include "workspace/TabulkaMereni.h"

namespace vertano::ui {

namespace {

const Tmereni& Prazdny() {
    static const Tmereni kPrazdny;
    return kPrazdny;
}

constexpr std::array<int, sloupec::kPocet> kSirky = {50, 100, 80, 100, 80, 130, 130, 130};

}  // namespace

ModelSurovych::ModelSurovych(const Tnastaveni& nastaveni, const Tjazyk& jazyk, QObject* rodic)
    : ModelTabulky(rodic), nastaveni_(nastaveni), jazyk_(jazyk), mereni_(&Prazdny()) {
    Resetovat();
}

void ModelSurovych::NastavitZdroj(const Tmereni* mereni) {
    mereni_ = mereni != nullptr ? mereni : &Prazdny();
    Resetovat();
}

int ModelSurovych::PocetZaznamu() const {
    return static_cast<int>(mereni_->zaznam.size());
}

bool ModelSurovych::JePlny(int radek) const {
    const Tzaznam* z = Zaznam(radek);
    return z != nullptr && z->JePlny();
}

int ModelSurovych::PocetSloupcu() const {
    return sloupec::kPocet;
}

QString ModelSurovych::Text(int radek, int sloupec) const {
    const Tzaznam* z = Zaznam(radek);
    return z == nullptr ? QString() : Q(TextBunky(*z, sloupec, nastaveni_));
}

const Tzaznam* ModelSurovych::Zaznam(int radek) const {
    if (radek < 0 || static_cast<std::size_t>(radek) >= mereni_->zaznam.size()) return nullptr;
    return &mereni_->zaznam[static_cast<std::size_t>(radek)];
}

int ModelSurovych::NavrhovaSirka(int sloupec) const {
    return sloupec >= 0 && sloupec < sloupec::kPocet ? kSirky[static_cast<std::size_t>(sloupec)]
                                                     : 0;
}

bool ModelSurovych::Tucne(int sloupec) const {
    return sloupec <= sloupec::kCisloStn;
}

bool ModelSurovych::JeChybny(int radek) const {
    const Tzaznam* z = Zaznam(radek);
    return z != nullptr && z->JePlny() && !z->jeVyrazeno && (z->MaKontrolu() || !z->JeVeSkupine());
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

}  // namespace vertano::ui
