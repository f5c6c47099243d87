#include "files/VyrazeniSoubor.h"

#include "mereni/Text.h"

namespace vertano {

namespace {

bool ZeDvou(const std::string& stanovisko, const std::string& cil, const std::string& text,
            VzorVyrazeni& vzor, std::string& chyba) {
    if (stanovisko.empty() || cil.empty()) {
        chyba = "'" + text + "' is not STATION/TARGET";
        return false;
    }
    vzor = VzorVyrazeni{stanovisko, cil, text};
    return true;
}

}  // namespace

bool CistVzorVyrazeni(const std::string& text, VzorVyrazeni& vzor, std::string& chyba) {
    const std::size_t lomitko = text.find('/');
    if (lomitko == std::string::npos || text.find('/', lomitko + 1) != std::string::npos) {
        chyba = "'" + text + "' is not STATION/TARGET (one '/'; '*' for any name)";
        return false;
    }
    return ZeDvou(text.substr(0, lomitko), text.substr(lomitko + 1), text, vzor, chyba);
}

FileResult CistSouborVyrazeni(const std::filesystem::path& cesta,
                              std::vector<VzorVyrazeni>& vzory) {
    vzory.clear();
    std::vector<std::string> radky;
    FileResult r;
    if (!ReadLinesForLoading(cesta, radky, r) || !r.ok) return r;
    const std::vector<PreparedLine> pripravene = PrepareLines(radky);
    std::vector<VzorVyrazeni> nove;
    for (std::size_t i = 0; i < pripravene.size(); ++i) {
        const PreparedLine& l = pripravene[i];
        if (l.text.front() == '#') continue;
        const auto counter = static_cast<int32_t>(i + 1);
        if (HasControlCharacter(l.text))
            return FileFailure(FileError::ControlCharacter, counter, l.fileLine, l.text);
        const std::vector<std::string> t = Tokenize(l.text);
        VzorVyrazeni vzor;
        std::string chyba;
        const bool ok = t.size() == 2 ? ZeDvou(t[0], t[1], l.text, vzor, chyba)
                                      : t.size() == 1 && CistVzorVyrazeni(t[0], vzor, chyba);
        if (!ok) {
            if (chyba.empty()) chyba = "'" + l.text + "' is not STATION/TARGET";
            return NotedFailure(FileError::WrongTokenCount, counter, l.fileLine, chyba);
        }
        nove.push_back(std::move(vzor));
    }
    vzory = std::move(nove);
    r.counter = static_cast<int32_t>(vzory.size());
    return r;
}

bool OdpovidaJmenuVzoru(const std::string& vzor, const std::string& jmeno) {
    // Greedy matching with the last star to fall back on: linear in practice, and
    // never recursive.
    std::size_t v = 0;
    std::size_t j = 0;
    std::size_t hvezda = std::string::npos;
    std::size_t odkud = 0;
    while (j < jmeno.size()) {
        if (v < vzor.size() && vzor[v] == '*') {
            hvezda = v++;
            odkud = j;
        } else if (v < vzor.size() && vzor[v] == jmeno[j]) {
            ++v;
            ++j;
        } else if (hvezda != std::string::npos) {
            v = hvezda + 1;
            j = ++odkud;
        } else {
            return false;
        }
    }
    while (v < vzor.size() && vzor[v] == '*') ++v;
    return v == vzor.size();
}

}  // namespace vertano
