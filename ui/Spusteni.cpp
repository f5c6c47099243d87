#include "Spusteni.h"

#include <QFileInfo>
#include <filesystem>
#include <optional>
#include <vector>

#include "HlavniOkno.h"
#include "exchange/Format.h"
#include "files/SurovaMereniSoubory.h"

namespace vertano::ui {

void OtevritArgumenty(HlavniOkno& okno, const QStringList& argumenty) {
    std::optional<std::filesystem::path> projekt;
    std::vector<std::filesystem::path> surova;
    QStringList odmitnute;
    for (const QString& a : argumenty) {
        const std::filesystem::path cesta(a.toStdU16String());
        if (QFileInfo(a).suffix().compare("gpr", Qt::CaseInsensitive) == 0 && !projekt) {
            projekt = cesta;
        } else if (RawFormatFromExtension(cesta) >= 0 ||
                   exchange::FormatPodlePripony(cesta, exchange::Obsah::SurovaMereni) ||
                   exchange::FormatPodlePripony(cesta, exchange::Obsah::Sit)) {
            surova.push_back(cesta);
        } else {
            odmitnute << a;
        }
    }
    // The project replaces every list, so the raw files come after it. The window
    // shows what was opened; only a failure needs a message.
    if (projekt) okno.OtevritProjekt(*projekt, false);
    if (!surova.empty()) okno.PridatSoubory(surova);
    if (!odmitnute.isEmpty()) okno.OznamitNeznameArgumenty(odmitnute);
}

}  // namespace vertano::ui
