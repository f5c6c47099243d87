#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <vector>

#include "SouborovaOkna.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "workspace/VystupySite.h"

class QDialog;
class QWidget;

namespace vertano {
class Workspace;
}

namespace vertano::ui {

// The modal windows a command opens: messages, questions and file windows. The
// main window reaches them only through this interface, so that the tests can
// answer them without a person at the screen.
class Dialogy {
  public:
    virtual ~Dialogy() = default;

    // A message with "OK"; with `protokol` set, also the button "Protocol",
    // which calls it without closing the message.
    virtual void Zprava(QWidget* rodic, const QString& nadpis, const QString& text,
                        const std::function<void()>& protokol = {}) = 0;
    // A question; true only for "Yes".
    virtual bool Potvrzeni(QWidget* rodic, const QString& nadpis, const QString& text) = 0;
    // The files chosen in the add or open window of a kind (empty when cancelled).
    virtual std::vector<std::filesystem::path> Otevrit(QWidget* rodic, DruhSouboru druh, bool vice,
                                                       Tnastaveni& nastaveni,
                                                       const Tjazyk& jazyk) = 0;
    // The path chosen in the save window of a kind, with its extension (empty
    // when cancelled).
    virtual std::filesystem::path Ulozit(QWidget* rodic, DruhSouboru druh, Tnastaveni& nastaveni,
                                         const Tjazyk& jazyk) = 0;
    // The report window with a text, which the user may save.
    virtual void Protokol(QWidget* rodic, Workspace& ws, const QString& nadpis,
                          const std::vector<std::string>& radky) = 0;
    // A modal window of the program (list, record and find windows, the
    // results of the measurement analysis, the transformation windows) shown
    // until it is closed; the result of its exec().
    virtual int Ukazat(QDialog& okno) = 0;
    // A window that stays open beside the others (the adjustment and its
    // results): shown and raised, not modal, so the main window keeps working
    // while it is open. Its parent owns it.
    virtual void UkazatVedle(QDialog& okno) = 0;
};

// The message of a failed save (notification 28) with its reason; a pending
// notification of the workspace is taken, as this shows it.
void OznamitChybuUlozeni(Dialogy& dialogy, QWidget* rodic, Workspace& ws, const std::string& duvod);
// Before an epoch file larger than a user would expect (its cofactors grow with
// the square of the network) the user is asked; true when it may be written.
bool PotvrditVelikostEtapy(Dialogy& dialogy, QWidget* rodic, const Workspace& ws,
                           DruhVysledku vysledek);

// The program's own windows.
class OknaDialogu : public Dialogy {
  public:
    explicit OknaDialogu(const Tjazyk& jazyk) : jazyk_(jazyk) {}

    void Zprava(QWidget* rodic, const QString& nadpis, const QString& text,
                const std::function<void()>& protokol) override;
    bool Potvrzeni(QWidget* rodic, const QString& nadpis, const QString& text) override;
    std::vector<std::filesystem::path> Otevrit(QWidget* rodic, DruhSouboru druh, bool vice,
                                               Tnastaveni& nastaveni, const Tjazyk& jazyk) override;
    std::filesystem::path Ulozit(QWidget* rodic, DruhSouboru druh, Tnastaveni& nastaveni,
                                 const Tjazyk& jazyk) override;
    void Protokol(QWidget* rodic, Workspace& ws, const QString& nadpis,
                  const std::vector<std::string>& radky) override;
    int Ukazat(QDialog& okno) override;
    void UkazatVedle(QDialog& okno) override;

  private:
    const Tjazyk& jazyk_;
};

}  // namespace vertano::ui
