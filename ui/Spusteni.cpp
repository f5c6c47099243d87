#include "Spusteni.h"

#include <optional>
#include <vector>

#include "HlavniOkno.h"
#include "exchange/Format.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Text.h"

namespace vertano::ui {

DruhSouboruCesty DruhCesty(const std::filesystem::path& cesta) {
    const std::string pripona = AsciiLower(cesta.extension().string());
    if (pripona == ".gpr") return DruhSouboruCesty::Projekt;
    if (RawFormatFromExtension(cesta) >= 0 ||
        exchange::FormatPodlePripony(cesta, exchange::Obsah::SurovaMereni) ||
        exchange::FormatPodlePripony(cesta, exchange::Obsah::Sit))
        return DruhSouboruCesty::Surova;
    if (pripona == ".txt") return DruhSouboruCesty::Body;
    return DruhSouboruCesty::Nezname;
}

void OtevritArgumenty(HlavniOkno& okno, const QStringList& argumenty) {
    std::optional<std::filesystem::path> projekt;
    std::vector<std::filesystem::path> surova;
    QStringList odmitnute;
    for (const QString& a : argumenty) {
        const std::filesystem::path cesta(a.toStdU16String());
        const DruhSouboruCesty druh = DruhCesty(cesta);
        if (druh == DruhSouboruCesty::Projekt && !projekt) {
            projekt = cesta;
        } else if (druh == DruhSouboruCesty::Surova) {
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
