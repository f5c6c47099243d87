#include "workspace/Workspace.h"

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
}

void Workspace::NastavitJazyk(const uint8_t typJazyk) {
    if (typJazyk != kCestina && typJazyk != kAnglictina) return;
    if (typJazyk != nastaveni.typJazyk) {
        info.jeProtokolVyrovnani = false;
        info.jeProtokolTransSVyr = false;
        info.jeProtokolTransBodASmer = false;
    }
    nastaveni.typJazyk = typJazyk;
    ObnovitTexty();
}

void Workspace::ObnovitTexty() {
    jazyk.Default(nastaveni);
}

}  // namespace vertano
