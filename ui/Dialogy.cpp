#include "Dialogy.h"

#include <QDialog>

#include "ProtokolOkno.h"
#include "Texty.h"
#include "ZpravaOkno.h"
#include "workspace/CislaOznameni.h"
#include "workspace/DruhyRadek.h"
#include "workspace/VystupySite.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

void OznamitChybuUlozeni(Dialogy& dialogy, QWidget* rodic, Workspace& ws,
                         const std::string& duvod) {
    ws.chyby.PrevzitOznameni();
    const jazyk::Toznameni o = ws.jazyk.Oznameni(oznameni::kUkladani);
    dialogy.Zprava(rodic, Q(o.nadpis), Q(o.text) + "\n" + Q(duvod));
}

bool PotvrditVelikostEtapy(Dialogy& dialogy, QWidget* rodic, const Workspace& ws,
                           DruhVysledku vysledek) {
    const int64_t bajty = VelikostEtapySite(ws, vysledek);
    if (bajty <= kVelkaEtapa) return true;
    return dialogy.Potvrzeni(rodic, Q(ws.jazyk.nadpis.varovani), Q(OtazkaVelkeEtapy(ws, bajty)));
}

void OknaDialogu::Zprava(QWidget* rodic, const QString& nadpis, const QString& text,
                         const std::function<void()>& protokol) {
    ZpravaOkno okno(rodic, nadpis, text, Q(jazyk_.tlacitko.ok), Q(jazyk_.protokol.protokol1),
                    protokol);
    okno.exec();
}

bool OknaDialogu::Potvrzeni(QWidget* rodic, const QString& nadpis, const QString& text) {
    PotvrzeniOkno okno(rodic, nadpis, text, Q(jazyk_.tlacitko.ano), Q(jazyk_.tlacitko.ne));
    return okno.exec() == QDialog::Accepted;
}

std::vector<std::filesystem::path> OknaDialogu::Otevrit(QWidget* rodic, DruhSouboru druh, bool vice,
                                                        Tnastaveni& nastaveni,
                                                        const Tjazyk& jazyk) {
    return OtevritSoubory(rodic, druh, vice, nastaveni, jazyk);
}

std::filesystem::path OknaDialogu::Ulozit(QWidget* rodic, DruhSouboru druh, Tnastaveni& nastaveni,
                                          const Tjazyk& jazyk) {
    return UlozitSoubor(rodic, druh, nastaveni, jazyk);
}

void OknaDialogu::Protokol(QWidget* rodic, Workspace& ws, const QString& nadpis,
                           const std::vector<std::string>& radky) {
    ProtokolOkno okno(rodic, ws, *this, nadpis, radky);
    okno.exec();
}

int OknaDialogu::Ukazat(QDialog& okno) {
    return okno.exec();
}

void OknaDialogu::UkazatVedle(QDialog& okno) {
    okno.show();
    okno.raise();
    okno.activateWindow();
}

}  // namespace vertano::ui
