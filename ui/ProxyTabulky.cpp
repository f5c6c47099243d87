#include "ProxyTabulky.h"

#include <algorithm>

#include "ModelTabulky.h"
#include "Texty.h"
#include "workspace/TextTabulky.h"

namespace vertano::ui {

ProxyTabulky::ProxyTabulky(ModelTabulky& model, QObject* rodic)
    : QSortFilterProxyModel(rodic), model_(model) {
    setDynamicSortFilter(true);
    setSourceModel(&model);
}

void ProxyTabulky::NastavitFiltr(const QString& text) {
    const QString novy = text.trimmed();
    if (novy == filtr_) return;
    filtr_ = novy;
    invalidateFilter();
}

int ProxyTabulky::RadekModelu(int radekPohledu) const {
    if (radekPohledu < 0 || radekPohledu >= rowCount()) return -1;
    return mapToSource(index(radekPohledu, 0)).row();
}

int ProxyTabulky::RadekPohledu(int radekModelu) const {
    if (radekModelu < 0 || radekModelu >= model_.rowCount()) return -1;
    const QModelIndex i = mapFromSource(model_.index(radekModelu, 0));
    return i.isValid() ? i.row() : -1;
}

const std::string& ProxyTabulky::Klic(int radek, int sloupec) const {
    const std::size_t n = static_cast<std::size_t>(std::max(0, model_.PocetZaznamu()));
    if (sloupec != sloupecKlicu_ || model_.Generace() != generaceKlicu_ || klice_.size() != n) {
        klice_.assign(n, std::string());
        maKlic_.assign(n, false);
        sloupecKlicu_ = sloupec;
        generaceKlicu_ = model_.Generace();
    }
    const auto i = static_cast<std::size_t>(radek);
    if (!maKlic_[i]) {
        klice_[i] = S(model_.Text(radek, sloupec));
        maKlic_[i] = true;
    }
    return klice_[i];
}

bool ProxyTabulky::lessThan(const QModelIndex& vlevo, const QModelIndex& vpravo) const {
    // Qt puts a row first in a descending order when lessThan(other, row); the
    // rules that hold in both orders answer for the order asked.
    const bool vzestupne = sortOrder() == Qt::AscendingOrder;
    const int a = vlevo.row();
    const int b = vpravo.row();
    const bool plnyA = a < model_.PocetZaznamu() && model_.JePlny(a);
    const bool plnyB = b < model_.PocetZaznamu() && model_.JePlny(b);
    if (plnyA != plnyB) return vzestupne ? plnyA : plnyB;
    if (!plnyA) return vzestupne ? a < b : a > b;
    const std::string& x = Klic(a, vlevo.column());
    const std::string& y = Klic(b, vpravo.column());
    const bool prazdnyX = x.find_first_not_of(' ') == std::string::npos;
    const bool prazdnyY = y.find_first_not_of(' ') == std::string::npos;
    if (prazdnyX != prazdnyY) return vzestupne ? !prazdnyX : !prazdnyY;
    const int c = PorovnatBunky(x, y);
    if (c != 0) return c < 0;
    // Equal cells keep the order of the list in both directions.
    return vzestupne ? a < b : a > b;
}

bool ProxyTabulky::filterAcceptsRow(int radek, const QModelIndex&) const {
    if (radek >= model_.PocetZaznamu()) return true;  // the padding below the list
    if (filtr_.isEmpty()) return true;
    if (!model_.JePlny(radek)) return false;
    bool maJmeno = false;
    for (int s = 0; s < model_.PocetSloupcu(); ++s) maJmeno = maJmeno || model_.JeJmeno(s);
    for (int s = 0; s < model_.PocetSloupcu(); ++s) {
        if (maJmeno && !model_.JeJmeno(s)) continue;
        if (model_.Text(radek, s).contains(filtr_, Qt::CaseInsensitive)) return true;
    }
    return false;
}

}  // namespace vertano::ui
