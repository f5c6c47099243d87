#pragma once

#include <QString>
#include <any>
#include <memory>
#include <utility>
#include <vector>

#include "ModelTabulky.h"
#include "OknoHledani.h"
#include "OknoZaznamu.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/SeznamyVstupu.h"
#include "workspace/TabulkaMereni.h"

class QWidget;

namespace vertano {
class Workspace;
}

namespace vertano::ui {

class Dialogy;

// One list as a list input window edits it: its working copy, its columns,
// its record window and the commands of its menus. The window calls these
// and repaints; the rules themselves are the workspace's. Every command
// returns whether the working copy changed.
class SeznamVstupu {
  public:
    explicit SeznamVstupu(Workspace& ws) : ws_(ws) {}
    virtual ~SeznamVstupu() = default;

    // The working copy as it is now, and putting such a copy back (undo and
    // redo in the window). A list without them has no undo.
    virtual std::any Snimek() const { return {}; }
    virtual void Vratit(const std::any& /*snimek*/) {}

    virtual QString Nadpis() const = 0;
    virtual QString NazevMenu() const = 0;
    // A key of the list for the search patterns, which live for the whole run.
    virtual QString Klic() const = 0;

    virtual ModelSeznamu::Radky Radky() const = 0;
    virtual std::vector<SloupecSeznamu> Sloupce() const = 0;
    // One attribute per column, for the find window.
    virtual std::vector<AtributHledani> Atributy() const = 0;

    // The record window: its title and fields for inserting or editing the
    // selected rows, and applying its values.
    virtual bool MaNovy() const { return true; }
    virtual QString NadpisZaznamu(bool uprava) const = 0;
    virtual std::vector<PoleZaznamu> Pole(const Tvyber& vyber, bool uprava) const = 0;
    virtual bool Zapsat(Tvyber& vyber, const std::vector<QString>& hodnoty, bool uprava) = 0;

    virtual QString OtazkaSmazani(int pocet) const = 0;
    virtual bool Smazat(Tvyber& vyber) = 0;
    virtual bool MaSchranku() const { return true; }
    virtual bool Kopirovat(const Tvyber& /*vyber*/) { return false; }
    virtual bool Vyjmout(Tvyber& /*vyber*/) { return false; }
    virtual bool Vlozit(Tvyber& /*vyber*/) { return false; }
    virtual bool SchrankaPlna() const { return false; }
    virtual bool Posunout(Tvyber& vyber, bool nahoru) = 0;
    // Sort orders offered: caption and code.
    virtual std::vector<std::pair<QString, int>> Razeni() const { return {}; }
    virtual bool Seradit(Tvyber& /*vyber*/, int /*kod*/) { return false; }
    // Whether sorting and moving change what the list means (the order of the
    // identical points does; that of given points does not).
    virtual bool PoradiJeZmenou() const { return false; }

    // "Add ..." and "Save as ..."; false when the list has no files.
    virtual bool MaSoubory() const { return true; }
    virtual bool Pridat(QWidget* rodic, Dialogy& dialogy) = 0;
    virtual void Ulozit(QWidget* rodic, Dialogy& dialogy) = 0;

    // Points only: "Swap X-Y" and the fixation of the given points.
    virtual bool MaZamenu() const { return false; }
    virtual bool MaFixaci() const { return false; }
    virtual bool ZamenitXY(const Tvyber& /*vyber*/) { return false; }
    virtual bool Fixovat(const Tvyber& /*vyber*/, bool /*fixni*/) { return false; }
    virtual bool FixovatOsy(const Tvyber& /*vyber*/, FixniOsy /*osy*/) { return false; }

    // Supplementary measurements only: switching the selected rows off (kept,
    // saved and shown as not used, left out of the adjustment) or on again.
    virtual bool MaVyrazeni() const { return false; }
    virtual bool Vyradit(const Tvyber& /*vyber*/, bool /*vyradit*/) { return false; }

    // Flags and counters of the working copy after a change.
    virtual void Zkontrolovat() = 0;
    // Closing: the working copy goes back into the model.
    virtual void Zavrit(bool zmeneno) = 0;

  protected:
    Workspace& ws_;
};

// The point lists: given points, identical points of the output system,
// scale factors.
std::unique_ptr<SeznamVstupu> SeznamVstupuBodu(Workspace& ws, SeznamBodu druh);
// The supplementary measurements of a kind (doplnek::k...).
std::unique_ptr<SeznamVstupu> SeznamVstupuDoplnku(Workspace& ws, DruhDoplnku druh);
// The a-priori deviations of the measurements prepared for the adjustment.
std::unique_ptr<SeznamVstupu> SeznamVstupuOdchylek(Workspace& ws);
// The a-priori deviations of the identical points of the transformation.
std::unique_ptr<SeznamVstupu> SeznamVstupuOdchylekBodu(Workspace& ws);

// Values typed in a window, in the display units of the settings, as internal
// units; std::nullopt for an empty or invalid text.
std::optional<Real> DelkaZTextu(const QString& text, const Tnastaveni& nastaveni);
std::optional<Real> UhelZTextu(const QString& text, const Tnastaveni& nastaveni);
std::optional<Real> SouradniceZTextu(const QString& text, const Tnastaveni& nastaveni);
std::optional<Real> OdchylkaDelkyZTextu(const QString& text, const Tnastaveni& nastaveni);
std::optional<Real> OdchylkaUhluZTextu(const QString& text, const Tnastaveni& nastaveni);
std::optional<std::string> JmenoZTextu(const QString& text);

}  // namespace vertano::ui
