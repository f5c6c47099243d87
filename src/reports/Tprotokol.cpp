#include "reports/Tprotokol.h"

#include "data/Tjazyk.h"
#include "mereni/TextovySoubor.h"
#include "reports/Tabulka.h"

namespace vertano {

namespace {

constexpr const char* kKonecRadku = "\r\n";

}  // namespace

void Tprotokol::Uvod(const Tjazyk& jazyk) {
    const std::string program =
        std::string("Vertano ") + jazyk.popis.verzeCislo + " " + jazyk.popis.verzeDatum;
    Pridej(program);
    Pridej(Cara('*', program));
    Pridej(jazyk.protokol.kontakt + ": " + kKontaktJmeno + " (" + kKontaktAdresa + ")");
}

void Tprotokol::Hlavicka(const int typ, const Tjazyk& jazyk, const std::string& vytvoreno) {
    static constexpr const char* kPismena[] = {"A", "B", "C", "D", "E"};
    const std::string* nazvy[] = {&jazyk.nadpis.zpracovaniMereni, &jazyk.tlacitko.analyzaMereni,
                                  &jazyk.tlacitko.vyrovnaniSite,
                                  &jazyk.tlacitko.transformaceSVyrovnanim,
                                  &jazyk.tlacitko.bodASmernik};
    const bool znamy = typ >= 1 && typ <= 5;
    const std::string pismeno = znamy ? kPismena[typ - 1] : "";
    const std::string nazev = znamy ? *nazvy[typ - 1] : "";
    Pridej("");
    Pridej("");
    const std::string radek = jazyk.protokol.protokol1 + " " + pismeno + " - " + nazev;
    Pridej(radek);
    Pridej(Cara('*', radek));
    Pridej(jazyk.protokol.vytvoreno + ": " + vytvoreno);
}

std::string Tprotokol::Dokument() const {
    std::string d;
    for (const std::string& z : text) {
        d += z;
        d += kKonecRadku;
    }
    return d;
}

std::vector<std::string> Tprotokol::Radky() const {
    std::vector<std::string> radky;
    const std::string d = Dokument();
    std::size_t od = 0;
    while (od < d.size()) {
        const std::size_t konec = d.find(kKonecRadku, od);
        radky.push_back(d.substr(od, konec - od));
        od = konec + 2;
    }
    return radky;
}

bool UlozitProtokol(const Tprotokol& protokol, const std::filesystem::path& cesta,
                    std::string& chyba) {
    if (protokol.text.empty()) {
        chyba = "The report is empty; " + cesta.string() + " was not written";
        return false;
    }
    return SaveTextFile(cesta, protokol.Radky(), chyba);
}

}  // namespace vertano
