#include "workspace/Workspace.h"

#include "workspace/Projekt.h"

namespace vertano {

namespace {

constexpr uint8_t kCestina = 0;
constexpr uint8_t kAnglictina = 1;

}  // namespace

Workspace::Workspace() {
    nastaveni.Default();
    jazyk.Default(nastaveni);
    chyby.Default();
    info.Default();
    state.MarkSaved(SettingsAsStored(nastaveni));
}

void Workspace::NastavitJazyk(const uint8_t typJazyk) {
    if (typJazyk != kCestina && typJazyk != kAnglictina) return;
    if (typJazyk != nastaveni.typJazyk) state.ReportTextsChanged();
    nastaveni.typJazyk = typJazyk;
    ObnovitTexty();
}

void Workspace::ObnovitTexty() {
    jazyk.Default(nastaveni);
}

}  // namespace vertano
