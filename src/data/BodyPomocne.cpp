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
    std::swap(bod.sig_X, bod.sig_Y);
}

void ZrusitOdchylky(Tbod& bod) {
    bod.sig_X = bod.sig_Y = bod.sig_Z = -1;
}

bool JsouTotozneVRovine(const Tbod& a, const Tbod& b) {
    return a.JePlny && b.JePlny && a.X == b.X && a.Y == b.Y;
}

bool JsouTotozneVProstoru(const Tbod& a, const Tbod& b) {
    return JsouTotozneVRovine(a, b) && a.Z == b.Z;
}

}  // namespace vertano
