#include "data/BodyPomocne.h"

#include <utility>

namespace vertano {

void VyprazdnitBod(Tbod& bod) {
    const auto kontrola = bod.kontrola;
    bod = Tbod::Prazdny();
    bod.kontrola = kontrola;
}

void ZamenitXY(Tbod& bod) {
    std::swap(bod.X, bod.Y);
    if (!bod.presnost.HasValue()) return;
    Tpresnost& p = bod.UpravPresnost();
    std::swap(p.sig_X, p.sig_Y);
}

void ZrusitOdchylky(Tbod& bod) {
    bod.SmazOdchylky();
}

bool JsouTotozneVRovine(const Tbod& a, const Tbod& b) {
    return a.JePlny && b.JePlny && a.X == b.X && a.Y == b.Y;
}

bool JsouTotozneVProstoru(const Tbod& a, const Tbod& b) {
    return JsouTotozneVRovine(a, b) && a.Z == b.Z;
}

}  // namespace vertano
