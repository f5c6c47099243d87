#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace vertano {

class Tjazyk;

// A plain-text report ("protocol"), assembled entry by entry. An entry may hold
// line breaks (CR LF) of its own; the document is every entry followed by CR LF,
// so the entry "\r\n" gives two empty lines and an entry ending in "\r\n" one
// empty line after its text.
class Tprotokol {
  public:
    std::vector<std::string> text;

    void Create() { text.clear(); }
    void Clear() { text.clear(); }

    void Pridej(std::string zaznam) { text.push_back(std::move(zaznam)); }

    // The report header: the program line "Vertano <version> <date>", a line of
    // "*" as long as it, and the contact line.
    void Uvod(const Tjazyk& jazyk);
    // A part header: two empty entries, "Protocol <letter> - <title>" (typ 1..5
    // gives A..E; another typ an empty title), a line of "*" as long as it and
    // "Created: " + `vytvoreno` (see TextCasu).
    void Hlavicka(int typ, const Tjazyk& jazyk, const std::string& vytvoreno);

    // The document: every entry followed by CR LF.
    std::string Dokument() const;
    // The lines of the document without their line ends (what a text file of
    // the report holds).
    std::vector<std::string> Radky() const;
};

// The contact line names the program's makers and where to reach them.
inline constexpr const char* kKontaktJmeno = "Vertano developers";
inline constexpr const char* kKontaktAdresa = "vertano@example.org";

// Thrown by the writers when a report cannot be made (a value that is not a
// number, a list that does not fit its counts); the builders catch it and leave
// the report empty. It never leaves the reports.
class ChybaProtokolu : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes the report as a text file (UTF-8, CR LF) through a temporary file that
// replaces `cesta` only when complete. An empty report is not written: it is
// the mark of a report that could not be made. False with an English reason.
bool UlozitProtokol(const Tprotokol& protokol, const std::filesystem::path& cesta,
                    std::string& chyba);

}  // namespace vertano
