#pragma once

#include "ModelTabulky.h"
#include "workspace/TabulkaMereni.h"

namespace vertano::ui {

// Every full row of the list selected; empty rows never are.
void VybratPlne(const RadkyTabulky& radky, Tvyber& vyber);
// Empty rows (and rows beyond the list) are deselected.
void OdznacitPrazdneRadky(const RadkyTabulky& radky, Tvyber& vyber);
// The next full row after `od` that `chybny` names, going on from the first row
// up to `od`; -1 when there is none.
int NajitChybnyRadek(const ModelTabulky& model, int od);

// How mouse and keys change the selection of a table: the anchor of a range and
// the value the last click gave to its row. Rows beyond the list (the padding of
// the table) and empty rows are never selected.
class RizeniVyberu {
  public:
    // A left-button press on `radek`: the row is inverted and its new value
    // remembered; without Ctrl every other row is deselected; with Shift every
    // row between the anchor (the first row when there is none yet) and this one
    // gets that value; the row becomes the anchor.
    void Klik(const RadkyTabulky& radky, Tvyber& vyber, int radek, bool ctrl, bool shift);
    // The pointer moved onto `radek` with the left button held: the row gets the
    // remembered value and becomes the anchor; without Ctrl and Shift every other
    // row is deselected, so the selection follows the pointer.
    void Tazeni(const RadkyTabulky& radky, Tvyber& vyber, int radek, bool ctrl, bool shift);
    // Enter inverts the current row and deselects all others; Space inverts it
    // and keeps the others.
    void Enter(const RadkyTabulky& radky, Tvyber& vyber, int aktualni);
    void Mezernik(const RadkyTabulky& radky, Tvyber& vyber, int aktualni);

    void Zrusit() { kotva_ = -1; }

  private:
    int kotva_ = -1;
    bool hodnota_ = false;
};

}  // namespace vertano::ui
