#include <QApplication>
#include <QSettings>

#include "DesktopSettings.h"
#include "Dialogy.h"
#include "HlavniOkno.h"
#include "Ikona.h"
#include "Spusteni.h"
#include "workspace/Workspace.h"

int main(int argc, char** argv) {
    QApplication aplikace(argc, argv);
    QApplication::setOrganizationName("Vertano");
    QApplication::setApplicationName("Vertano");
    QApplication::setDesktopFileName("vertano");
    QApplication::setWindowIcon(vertano::ui::IkonaProgramu());
    // The recent projects and the layout of the windows (not the settings of
    // the work, which the projects keep).
    QSettings pamet;
    vertano::ui::DesktopSettings::Use(&pamet);
    vertano::Workspace ws;
    vertano::ui::OknaDialogu dialogy(ws.jazyk);
    vertano::ui::HlavniOkno okno(ws, dialogy);
    okno.show();
    QStringList argumenty = QApplication::arguments();
    argumenty.removeFirst();
    vertano::ui::OtevritArgumenty(okno, argumenty);
    const int vysledek = QApplication::exec();
    return vysledek;
}
