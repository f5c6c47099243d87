#include <QApplication>

#include "Dialogy.h"
#include "HlavniOkno.h"
#include "Ikona.h"
#include "Spusteni.h"
#include "workspace/Workspace.h"

int main(int argc, char** argv) {
    QApplication aplikace(argc, argv);
    QApplication::setApplicationName("Vertano");
    QApplication::setDesktopFileName("vertano");
    QApplication::setWindowIcon(vertano::ui::IkonaProgramu());
    vertano::Workspace ws;
    vertano::ui::OknaDialogu dialogy(ws.jazyk);
    vertano::ui::HlavniOkno okno(ws, dialogy);
    okno.show();
    QStringList argumenty = QApplication::arguments();
    argumenty.removeFirst();
    vertano::ui::OtevritArgumenty(okno, argumenty);
    return QApplication::exec();
}
