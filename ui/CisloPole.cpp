#include "CisloPole.h"

#include <charconv>
#include <cmath>
#include <string>

#include "Texty.h"
#include "mereni/Text.h"

namespace vertano::ui {

std::optional<Real> CisloZTextu(const QString& text) {
    std::string s = S(text.trimmed());
    for (char& c : s) {
        if (c == ',') c = '.';
    }
    if (s.empty()) return std::nullopt;
    // from_chars takes no leading "+", which people do type.
    const char* zacatek = s.data() + (s.front() == '+' ? 1 : 0);
    Real hodnota = 0;
    const auto [konec, chyba] = std::from_chars(zacatek, s.data() + s.size(), hodnota);
    if (chyba != std::errc() || konec != s.data() + s.size() || !std::isfinite(hodnota))
        return std::nullopt;
    const Real velikost = std::fabs(hodnota);
    if (hodnota != 0 && !(velikost > 1e-12L && velikost < 1e12L)) return std::nullopt;
    return hodnota;
}

bool VRozsahu(const QString& text, Real dolni, Real horni) {
    const std::optional<Real> h = CisloZTextu(text);
    return h && dolni < *h && *h < horni;
}

QString TextCisla(Real hodnota, int desetiny) {
    return Q(FormatFixed(hodnota, desetiny));
}

QString TextCislaBezNul(Real hodnota, int desetiny) {
    QString text = TextCisla(hodnota, desetiny);
    if (text.contains('.')) {
        while (text.endsWith('0')) text.chop(1);
        if (text.endsWith('.')) text.chop(1);
    }
    return text;
}

}  // namespace vertano::ui
