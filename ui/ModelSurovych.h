#pragma once

#include "ModelTabulky.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "mereni/Tmereni.h"

namespace vertano::ui {

// The raw measurement list as a table of eight columns, drawn with every mark of
// the raw table.
class ModelSurovych : public ModelTabulky {
    Q_OBJECT

  public:
    ModelSurovych(const Tnastaveni& nastaveni, const Tjazyk& jazyk, QObject* rodic = nullptr);

    // The list shown; while a long command changes the real list on another
    // thread the window shows a copy.
    void NastavitZdroj(const Tmereni* mereni);
    const Tmereni& Zdroj() const { return *mereni_; }

    int PocetZaznamu() const override;
    bool JePlny(int radek) const override;
    int PocetSloupcu() const override;
    QString Text(int radek, int sloupec) const override;
    QString Zahlavi(int sloupec) const override;
    int NavrhovaSirka(int sloupec) const override;
    bool Tucne(int sloupec) const override;
    // The row of the list behind a table row; nullptr for a padding row.
    const Tzaznam* Zaznam(int radek) const override;
    int SurovySloupec(int sloupec) const override { return sloupec; }
    bool JeChybny(int radek) const override;

  private:
    const Tnastaveni& nastaveni_;
    const Tjazyk& jazyk_;
    const Tmereni* mereni_ = nullptr;
};

}  // namespace vertano::ui
