#include "Spusteni.h"

#include <QFileInfo>
#include <filesystem>
#include <vector>

#include "HlavniOkno.h"
#include "files/SurovaMereniSoubory.h"

namespace vertano::ui {

void OtevritArgumenty(HlavniOkno& okno, const QStringList& argumenty) {
    std::vector<std::filesystem::path> surova;
    QStringList odmitnute;
    for (const QString& a : argumenty) {
        const std::filesystem::path cesta(a.toStdU16String());
        if (RawFormatFromExtension(cesta) >= 0) {
            surova.push_back(cesta);
        } else {
            odmitnute << a;
        }
    }
    if (!surova.empty()) okno.PridatSoubory(surova);
    if (!odmitnute.isEmpty()) okno.OznamitNeznameArgumenty(odmitnute);
}

}  // namespace vertano::ui
