#include "files/ProjektSoubor.h"

#include <utility>

#include "files/ProjektNastaveni.h"
#include "files/SouradniceText.h"
#include "files/VnitrniForma.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

namespace {

std::string Tag(int sekce, bool konec) {
    return std::string(konec ? "</" : "<") + FormatInteger(sekce) + ">";
}

// Control characters of a file quoted in a message would act on the terminal or
// vanish in a window: they are shown as \xNN.
std::string BezRidicichZnaku(const std::string& text) {
    return EscapeControl(text);
}

std::string MistoVSekci(int sekce) {
    return "section " + FormatInteger(sekce) + " (" + NazevSekceProjektu(sekce) + ")";
}

std::string PopisChyby(const FileResult& r) {
    std::string s = FileErrorText(r.error);
    if (!r.detail.empty()) s += ": " + r.detail;
    if (!r.note.empty())
        s += (r.detail.empty() ? ": " : " (") + r.note + (r.detail.empty() ? "" : ")");
    if (!r.allowed.empty()) s += " (allowed: " + r.allowed + ")";
    return s;
}

// "section 3 (given points), line 45 of the file, point P7: <reason>".
ProjektResult ChybaCteni(int sekce, FileResult r) {
    ProjektResult p;
    p.ok = false;
    p.sekce = sekce;
    std::string kde = MistoVSekci(sekce);
    if (r.fileLine > 0) kde += ", line " + FormatInteger(r.fileLine) + " of the file";
    if (!r.cislo.empty()) {
        kde += sekce == 1 ? ", setting " + FormatInteger(r.counter) + " " + r.cislo
                          : ", point " + r.cislo;
    }
    p.message = BezRidicichZnaku(kde + ": " + PopisChyby(r));
    p.vysledek = std::move(r);
    return p;
}

// "section 3 (given points), point 5 "A B": <reason>" for a list that cannot be
// written.
ProjektResult ChybaZapisu(int sekce, FileResult r, const std::string& co) {
    ProjektResult p;
    p.ok = false;
    p.sekce = sekce;
    std::string kde = MistoVSekci(sekce);
    if (sekce == 1) {
        kde += ", setting " + FormatInteger(r.counter) + " " + r.cislo;
    } else if (r.counter > 0) {
        kde += ", " + co + " " + FormatInteger(r.counter);
        if (!r.cislo.empty() && sekce != 3 && sekce != 4 && sekce != 5)
            kde += " (from " + r.cislo + ")";
        else if (!r.cislo.empty())
            kde += " (" + r.cislo + ")";
    }
    p.message = BezRidicichZnaku(kde + ": " + PopisChyby(r));
    p.vysledek = std::move(r);
    return p;
}

ProjektResult ChybaSouboru(FileError chyba, int32_t radek, std::string detail) {
    ProjektResult p;
    p.ok = false;
    p.vysledek = FileFailure(chyba, radek, radek, std::move(detail));
    p.message = BezRidicichZnaku(PopisChyby(p.vysledek));
    return p;
}

// The raw rows of the project: a row the reader could not take back is named
// with its station and target.
ProjektResult ZapsatSurova(const Tmereni& mereni, std::vector<std::string>& text) {
    FileResult r = UlozDoStringList(mereni, text);
    if (r.ok) return {};
    if (r.counter > 0 && static_cast<size_t>(r.counter) <= mereni.zaznam.size()) {
        const Tzaznam& z = mereni.zaznam[static_cast<size_t>(r.counter - 1)];
        r.cislo = z.cislo_stn + " -> " + z.cislo_cil;
    }
    return ChybaZapisu(2, std::move(r), "row");
}

ProjektResult PridatSekci(std::vector<std::string>& radky, int sekce,
                          std::vector<std::string>&& text) {
    radky.push_back(Tag(sekce, false));
    for (std::string& r : text) radky.push_back(std::move(r));
    radky.push_back(Tag(sekce, true));
    return {};
}

// Rows switched off by the user are kept in their sections as they are and named
// in a section of their own after the nine, "<10>" ... "</10>": one line per row,
// the number of its section and its position among the lines of that section
// (from 1). A project without such rows has no such section, so it is written
// as before; a reader that knows only the nine sections skips the lines.
constexpr int kSekceVyrazenych = 10;

void PridatVyrazene(int sekce, const Tmereni& mereni, std::vector<std::string>& text) {
    int32_t radek = 0;
    for (const Tzaznam& z : mereni.zaznam) {
        if (!z.JePlny()) continue;
        ++radek;
        if (z.jeVyrazeno) text.push_back(FormatInteger(sekce) + " " + FormatInteger(radek));
    }
}

std::vector<std::string> Vyrazene(const ProjektZdroj& z) {
    std::vector<std::string> text;
    PridatVyrazene(2, *z.suroveMereni, text);
    for (int k = 0; k < 4; ++k) PridatVyrazene(6 + k, *z.doplnek[static_cast<size_t>(k)], text);
    return text;
}

// The lines of the nine sections, or the section whose list cannot be written.
ProjektResult Sekce(const ProjektZdroj& z, std::vector<std::string>& radky) {
    std::vector<std::string> text;
    FileResult r = ZapsatNastaveni(*z.nastaveni, text);
    if (!r.ok) return ChybaZapisu(1, std::move(r), "");
    PridatSekci(radky, 1, std::move(text));
    if (ProjektResult p = ZapsatSurova(*z.suroveMereni, text); !p.ok) return p;
    PridatSekci(radky, 2, std::move(text));
    r = UlozDoStringListFix(*z.bodyFixni, text);
    if (!r.ok) return ChybaZapisu(3, std::move(r), "point");
    PridatSekci(radky, 3, std::move(text));
    r = UlozDoStringList(*z.bodyIdenticke, text);
    if (!r.ok) return ChybaZapisu(4, std::move(r), "point");
    PridatSekci(radky, 4, std::move(text));
    r = UlozDoStringListMeritko(*z.meritko, text);
    if (!r.ok) return ChybaZapisu(5, std::move(r), "point");
    PridatSekci(radky, 5, std::move(text));
    for (int k = 0; k < 4; ++k) {
        const auto druh = static_cast<DoplnekProjekt>(k);
        r = ZapsatDoplnekProjekt(druh, *z.doplnek[static_cast<size_t>(k)], text);
        if (!r.ok) return ChybaZapisu(6 + k, std::move(r), "row");
        PridatSekci(radky, 6 + k, std::move(text));
    }
    if (std::vector<std::string> vyrazene = Vyrazene(z); !vyrazene.empty())
        PridatSekci(radky, kSekceVyrazenych, std::move(vyrazene));
    return {};
}

// Where the eighteen tags stand among the prepared lines, or why they are not in
// order. Every tag must occur exactly once, in the order <1>, </1>, ..., </9>.
bool NajitTagy(const std::vector<PreparedLine>& radky, std::array<size_t, 18>& pozice,
               ProjektResult& chyba) {
    constexpr size_t kNenalezen = SIZE_MAX;
    pozice.fill(kNenalezen);
    for (size_t i = 0; i < radky.size(); ++i) {
        for (size_t t = 0; t < pozice.size(); ++t) {
            if (radky[i].text != Tag(static_cast<int>(t / 2) + 1, t % 2 == 1)) continue;
            if (pozice[t] != kNenalezen) {
                chyba = ChybaSouboru(FileError::BadTag, radky[i].fileLine,
                                     "\"" + radky[i].text + "\" occurs twice, at lines " +
                                         FormatInteger(radky[pozice[t]].fileLine) + " and " +
                                         FormatInteger(radky[i].fileLine));
                return false;
            }
            pozice[t] = i;
        }
    }
    for (size_t t = 0; t < pozice.size(); ++t) {
        const std::string tag = Tag(static_cast<int>(t / 2) + 1, t % 2 == 1);
        if (pozice[t] == kNenalezen) {
            chyba = ChybaSouboru(FileError::BadTag, 0, "\"" + tag + "\" is missing");
            return false;
        }
        if (t > 0 && pozice[t] < pozice[t - 1]) {
            const std::string predchozi = Tag(static_cast<int>((t - 1) / 2) + 1, (t - 1) % 2 == 1);
            chyba =
                ChybaSouboru(FileError::BadTag, radky[pozice[t]].fileLine,
                             "\"" + tag + "\" at line " + FormatInteger(radky[pozice[t]].fileLine) +
                                 " stands before \"" + predchozi + "\" at line " +
                                 FormatInteger(radky[pozice[t - 1]].fileLine));
            return false;
        }
    }
    return true;
}

// Every line belongs to a section: a line before the first tag, between two
// sections or after the last would otherwise be lost without a word (a
// measurement moved behind its section's end tag, say).
bool KontrolaMimoSekce(const std::vector<PreparedLine>& radky, const std::array<size_t, 18>& pozice,
                       const std::array<size_t, 2>& vyrazene, ProjektResult& chyba) {
    // The optional section of switched-off rows after "</9>" is a section too.
    std::vector<size_t> tagy(pozice.begin(), pozice.end());
    if (vyrazene[0] < vyrazene[1]) tagy.insert(tagy.end(), vyrazene.begin(), vyrazene.end());
    size_t od = 0;  // the first line after the last closing tag
    for (size_t t = 0; t <= tagy.size(); t += 2) {
        const size_t po = t < tagy.size() ? tagy[t] : radky.size();
        if (od < po) {
            const PreparedLine& r = radky[od];
            chyba = ChybaSouboru(
                FileError::TextOutsideSections, r.fileLine,
                "line " + FormatInteger(r.fileLine) + " \"" + QuoteInput(r.text) + "\"");
            return false;
        }
        if (t + 1 < tagy.size()) od = tagy[t + 1] + 1;
    }
    return true;
}

std::vector<std::string> Texty(const std::vector<PreparedLine>& radky) {
    std::vector<std::string> text;
    text.reserve(radky.size());
    for (const PreparedLine& r : radky) text.push_back(r.text);
    return text;
}

// A reader of the point lists counts the lines of its section; the message
// names the line of the file.
FileResult SRadkemSouboru(FileResult r, const std::vector<PreparedLine>& radky) {
    if (!r.ok && r.counter > 0 && static_cast<size_t>(r.counter) <= radky.size())
        r.fileLine = radky[static_cast<size_t>(r.counter - 1)].fileLine;
    return r;
}

// The points of a project are the blank points of a loaded file with the fields
// of their lines (a deviation or scale factor the line does not give is not set,
// -1, rather than 0), so that a project computes exactly as its files.
void JakoZeSouboru(Tsouradnice& s, bool odchylky, bool meritko) {
    for (Tbod& b : s.bod) {
        Tbod n = Tbod::Prazdny();
        n.cislo = std::move(b.cislo);
        n.poradi = b.poradi;
        n.JePlny = b.JePlny;
        n.JeFixni = b.JeFixni;
        n.fixniOsy = b.fixniOsy;
        n.X = b.X;
        n.Y = b.Y;
        n.Z = b.Z;
        if (odchylky && b.presnost.HasValue()) {
            Tpresnost& p = n.UpravPresnost();
            p.sig_X = b.Presnost().sig_X;
            p.sig_Y = b.Presnost().sig_Y;
            p.sig_Z = b.Presnost().sig_Z;
        }
        if (meritko) n.zkresleni = b.zkresleni;
        b = std::move(n);
    }
}

FileResult CistBody(FileResult r, Tsouradnice& s, bool odchylky, bool meritko,
                    const std::vector<PreparedLine>& radky) {
    if (r.ok) JakoZeSouboru(s, odchylky, meritko);
    return SRadkemSouboru(std::move(r), radky);
}

// The positions of the point names among the values of a line of the section.
std::vector<size_t> PoziceJmen(int sekce) {
    switch (sekce) {
        case 2:
            return {1, 3};
        case 3:
        case 4:
        case 5:
            return {0};
        case 6:
            return {0, 2};
        case 7:
        case 8:
        case 9:
            return {0, 1};
        default:
            return {};
    }
}

// A name with a control character inside would be read as one value, but the
// writer refuses it (it would be shown as nothing, or act on a terminal): the
// reader refuses it too, so that what is read can always be saved again.
FileResult KontrolaJmen(int sekce, const std::vector<PreparedLine>& radky) {
    const std::vector<size_t> pozice = PoziceJmen(sekce);
    for (size_t i = 0; i < radky.size(); ++i) {
        const std::vector<std::string> t = Tokenize(radky[i].text);
        for (const size_t k : pozice) {
            if (k >= t.size() || IsSingleToken(t[k])) continue;
            FileResult r = FileFailure(FileError::BadName, static_cast<int32_t>(i + 1),
                                       radky[i].fileLine, "\"" + t[k] + "\"");
            r.cislo = t[k];
            return r;
        }
    }
    return {};
}

FileResult CistSekci(int sekce, const std::vector<PreparedLine>& radky, ProjektObsah& obsah) {
    if (FileResult r = KontrolaJmen(sekce, radky); !r.ok) return r;
    switch (sekce) {
        case 1:
            return NacistNastaveni(radky, obsah.nastaveni);
        case 2:
            return ReadVnitrniFormaPrepared(radky, obsah.suroveMereni);
        case 3:
            return CistBody(ReadFixationForm(obsah.bodyFixni, Texty(radky)), obsah.bodyFixni, false,
                            false, radky);
        case 4:
            return CistBody(ReadCoordinateForm(obsah.bodyIdenticke, Texty(radky)),
                            obsah.bodyIdenticke, true, false, radky);
        case 5:
            return CistBody(ReadScaleForm(obsah.meritko, Texty(radky)), obsah.meritko, false, true,
                            radky);
        default: {
            const auto druh = static_cast<DoplnekProjekt>(sekce - 6);
            return NacistDoplnekProjekt(druh, radky, obsah.Doplnek(druh));
        }
    }
}

// The full rows of a list that the lines of its section gave, in order.
std::vector<Tzaznam*> RadkySekce(Tmereni& mereni) {
    std::vector<Tzaznam*> radky;
    for (Tzaznam& z : mereni.zaznam) {
        if (z.JePlny()) radky.push_back(&z);
    }
    return radky;
}

// Reads the lines of the section of switched-off rows (between its tags) into
// the lists already read.
FileResult CistVyrazene(const std::vector<PreparedLine>& radky, ProjektObsah& obsah) {
    for (size_t i = 0; i < radky.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        const std::vector<std::string> t = Tokenize(radky[i].text);
        if (t.size() != 2) return TokenCountFailure(counter, radky[i].fileLine, t.size(), "2");
        int32_t sekce = 0;
        int32_t radek = 0;
        if (ParseInteger32(t[0], sekce) != NumberStatus::Ok ||
            (sekce != 2 && (sekce < 6 || sekce > 9))) {
            return NotedFailure(FileError::BadNumber, counter, radky[i].fileLine,
                                "\"" + t[0] + "\" is not a section of measurements (2, 6 to 9)");
        }
        Tmereni& mereni =
            sekce == 2 ? obsah.suroveMereni : obsah.Doplnek(static_cast<DoplnekProjekt>(sekce - 6));
        const std::vector<Tzaznam*> plne = RadkySekce(mereni);
        if (ParseInteger32(t[1], radek) != NumberStatus::Ok || radek < 1 ||
            static_cast<size_t>(radek) > plne.size()) {
            return NotedFailure(FileError::NumberOutOfRange, counter, radky[i].fileLine,
                                "\"" + t[1] + "\" is not a row of section " + t[0] + " (1 to " +
                                    FormatInteger(static_cast<int64_t>(plne.size())) + ")");
        }
        plne[static_cast<size_t>(radek - 1)]->jeVyrazeno = true;
    }
    return {};
}

// Where the optional section of switched-off rows stands: both tags once, after
// "</9>", in order. False with the reason when they are not so.
bool NajitVyrazene(const std::vector<PreparedLine>& radky, size_t konec9, size_t& od, size_t& po,
                   ProjektResult& chyba) {
    constexpr size_t kNenalezen = SIZE_MAX;
    od = po = kNenalezen;
    for (size_t i = 0; i < radky.size(); ++i) {
        for (const bool zaviraci : {false, true}) {
            if (radky[i].text != Tag(kSekceVyrazenych, zaviraci)) continue;
            size_t& misto = zaviraci ? po : od;
            if (misto != kNenalezen || i < konec9) {
                chyba = ChybaSouboru(FileError::BadTag, radky[i].fileLine,
                                     "\"" + radky[i].text + "\" repeated or before \"</9>\"");
                return false;
            }
            misto = i;
        }
    }
    if ((od == kNenalezen) != (po == kNenalezen) || (od != kNenalezen && po < od)) {
        chyba = ChybaSouboru(FileError::BadTag, 0, "\"<10>\" and \"</10>\" do not pair");
        return false;
    }
    return true;
}

// Step 5 of a failed read: defaults and empty lists.
void Vyprazdnit(ProjektObsah& obsah) {
    obsah.nastaveni.Default();
    obsah.suroveMereni.Clear();
    obsah.bodyFixni.Clear();
    obsah.bodyIdenticke.Clear();
    obsah.meritko.Clear();
    for (Tmereni& m : obsah.doplnek) m.Clear();
}

ProjektResult SJmenemSouboru(ProjektResult p, const std::filesystem::path& cesta) {
    if (!p.ok) p.message = BezRidicichZnaku(cesta.string()) + ": " + p.message;
    return p;
}

}  // namespace

ProjektZdroj ProjektZdroj::Z(const ProjektObsah& o) {
    ProjektZdroj z;
    z.nastaveni = &o.nastaveni;
    z.suroveMereni = &o.suroveMereni;
    z.bodyFixni = &o.bodyFixni;
    z.bodyIdenticke = &o.bodyIdenticke;
    z.meritko = &o.meritko;
    for (size_t k = 0; k < o.doplnek.size(); ++k) z.doplnek[k] = &o.doplnek[k];
    return z;
}

const char* NazevSekceProjektu(int sekce) {
    static const char* const kNazvy[] = {"settings",
                                         "raw measurements",
                                         "given points",
                                         "identical points",
                                         "scale factors",
                                         "supplementary distances",
                                         "supplementary bearings",
                                         "supplementary height differences",
                                         "plumbing ties",
                                         "measurements switched off"};
    if (sekce < 1 || sekce > kPocetSekciProjektu + 1) return "";
    return kNazvy[sekce - 1];
}

ProjektResult ProjektText(const ProjektZdroj& zdroj, std::vector<std::string>& radky) {
    radky.clear();
    std::vector<std::string> text;
    if (ProjektResult p = Sekce(zdroj, text); !p.ok) return p;
    // The checks of the writers follow the rules of the readers; reading the whole
    // text back makes sure that no project is written that cannot be opened.
    ProjektObsah kontrola;
    kontrola.nastaveni = *zdroj.nastaveni;
    if (ProjektResult p = CistProjektText(text, kontrola); !p.ok) {
        p.message = "the project would not read back: " + p.message;
        return p;
    }
    radky = std::move(text);
    return {};
}

ProjektResult CistProjektText(const std::vector<std::string>& radky, ProjektObsah& obsah) {
    const std::vector<PreparedLine> pripravene = PrepareLines(radky);
    std::array<size_t, 18> pozice{};
    ProjektResult p;
    size_t od = 0;
    size_t po = 0;
    if (NajitTagy(pripravene, pozice, p) && NajitVyrazene(pripravene, pozice.back(), od, po, p) &&
        KontrolaMimoSekce(pripravene, pozice, {od, po}, p)) {
        ProjektObsah nove;
        nove.nastaveni = obsah.nastaveni;
        for (int sekce = 1; sekce <= kPocetSekciProjektu && p.ok; ++sekce) {
            const size_t od = pozice[static_cast<size_t>(2 * (sekce - 1))] + 1;
            const size_t po = pozice[static_cast<size_t>(2 * (sekce - 1) + 1)];
            const std::vector<PreparedLine> sekceRadky(pripravene.begin() + static_cast<long>(od),
                                                       pripravene.begin() + static_cast<long>(po));
            FileResult r = CistSekci(sekce, sekceRadky, nove);
            if (!r.ok) p = ChybaCteni(sekce, std::move(r));
        }
        if (p.ok && od < po) {
            const std::vector<PreparedLine> radky(pripravene.begin() + static_cast<long>(od + 1),
                                                  pripravene.begin() + static_cast<long>(po));
            FileResult r = CistVyrazene(radky, nove);
            if (!r.ok) p = ChybaCteni(kSekceVyrazenych, std::move(r));
        }
        if (p.ok) {
            obsah = std::move(nove);
            return p;
        }
    }
    Vyprazdnit(obsah);
    return p;
}

ProjektResult ZapsatProjekt(const std::filesystem::path& cesta, const ProjektZdroj& zdroj) {
    std::vector<std::string> radky;
    ProjektResult p = ProjektText(zdroj, radky);
    if (!p.ok) return SJmenemSouboru(std::move(p), cesta);
    std::string chyba;
    if (!SaveTextFile(cesta, radky, chyba)) return ChybaSouboru(FileError::CannotSave, 0, chyba);
    return p;
}

ProjektResult CistProjekt(const std::filesystem::path& cesta, ProjektObsah& obsah) {
    std::vector<std::string> radky;
    FileResult r;
    if (!ReadLinesForLoading(cesta, radky, r) || !r.ok) {
        Vyprazdnit(obsah);
        ProjektResult p;
        p.ok = false;
        p.message = BezRidicichZnaku(PopisChyby(r));
        p.vysledek = std::move(r);
        // CannotOpen's note already names the file.
        if (p.vysledek.error == FileError::CannotOpen) return p;
        return SJmenemSouboru(std::move(p), cesta);
    }
    return SJmenemSouboru(CistProjektText(radky, obsah), cesta);
}

}  // namespace vertano
