#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "mereni/Tzaznam.h"

namespace vertano::ui {

// How a cell is marked beyond its text: red text (a check flag, an outlier), or
// the small red "F" of a fixed point at the left of the cell.
enum class Znacka { Zadna, Chyba, Fixni };

// The rows of a list as the selection rules see them: how many there are and
// which are full (empty rows are never selected).
class RadkyTabulky {
  public:
    virtual ~RadkyTabulky() = default;
    virtual int PocetZaznamu() const = 0;
    virtual bool JePlny(int radek) const = 0;
};

// A list of the program shown as a table. The model holds no data of its own:
// every cell is formatted from the list when the view asks for it, so only the
// rows in view are ever formatted. Below the list the table shows empty rows,
// so that it is always at least one row longer than the rows that fit in the
// window (the list itself is not padded).
class ModelTabulky : public QAbstractTableModel, public RadkyTabulky {
    Q_OBJECT

  public:
    explicit ModelTabulky(QObject* rodic = nullptr);

    virtual int PocetSloupcu() const = 0;
    // The text of a cell of a row of the list (0 <= radek < PocetZaznamu()).
    virtual QString Text(int radek, int sloupec) const = 0;
    // "Group\nName [unit]" of a column (an empty first line where the column has
    // no group).
    virtual QString Zahlavi(int sloupec) const = 0;
    // The width of a column in pixels of a 96 dpi screen with the small font
    // the tables were designed for; a larger font widens it.
    virtual int NavrhovaSirka(int sloupec) const = 0;
    virtual bool Tucne(int /*sloupec*/) const { return false; }
    // The measurement row behind a table row, for lists drawn with the marks of
    // the raw table (stations, sets, faces, check flags); nullptr otherwise.
    virtual const Tzaznam* Zaznam(int /*radek*/) const { return nullptr; }
    // Which raw-table column (sloupec::k...) a column shows, -1 for none: its
    // marks follow those of that column.
    virtual int SurovySloupec(int /*sloupec*/) const { return -1; }
    virtual Znacka ZnackaBunky(int /*radek*/, int /*sloupec*/) const { return Znacka::Zadna; }
    // A row that "Find incorrect" / "Find outliers" stops at.
    virtual bool JeChybny(int /*radek*/) const { return false; }
    // A column of point names (a point, a station, a target): the filter of the
    // table looks in these. By default the bold columns and the station and
    // target numbers of the raw columns.
    virtual bool JeJmeno(int sloupec) const;
    // Counts the changes of the list, so that a view may keep what it derived
    // from the texts until the next one.
    int Generace() const { return generace_; }

    // The list changed (rows added, deleted, moved, renumbered).
    void Obnovit();
    // The source or the columns were replaced.
    void Resetovat();
    // Only the texts changed (units, decimals, language).
    void ObnovitTexty();
    // The number of rows that fit in the view; the padding follows it.
    void NastavitViditelneRadky(int pocet);

    int rowCount(const QModelIndex& rodic = {}) const override;
    int columnCount(const QModelIndex& rodic = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int sekce, Qt::Orientation orientace, int role) const override;

  private:
    int PocetRadku() const;

    int viditelne_ = 0;
    int zobrazeno_ = 0;  // rows the view was last told about
    int generace_ = 0;
};

// One column of a list described by functions of the row.
struct SloupecSeznamu {
    SloupecSeznamu(QString skupina_, QString nazev_, int sirka_,
                   std::function<QString(int radek)> text_,
                   std::function<Znacka(int radek)> znacka_ = {}, int surovy_ = -1,
                   bool tucne_ = false, bool jmeno_ = false)
        : skupina(std::move(skupina_)),
          nazev(std::move(nazev_)),
          sirka(sirka_),
          text(std::move(text_)),
          znacka(std::move(znacka_)),
          surovy(surovy_),
          tucne(tucne_),
          jmeno(jmeno_) {}

    QString skupina;
    QString nazev;
    int sirka = 100;
    std::function<QString(int radek)> text;
    std::function<Znacka(int radek)> znacka;  // none when empty
    int surovy = -1;                          // raw-table column whose marks it shows
    bool tucne = false;
    bool jmeno = false;  // point names that are not bold (a target)
};

// A table over any list of the program: the row count, the full rows and the
// cells come from functions, so one model serves every result and list window.
class ModelSeznamu : public ModelTabulky {
    Q_OBJECT

  public:
    struct Radky {
        std::function<int()> pocet;
        std::function<bool(int)> plny;
        // Optional: the measurement row of a row, and the rows that are errors.
        std::function<const Tzaznam*(int)> zaznam;
        std::function<bool(int)> chybny;
        // Optional: the point names of a row for the drawing, one for a point,
        // station and target for an observation.
        std::function<std::vector<std::string>(int)> body;
    };

    explicit ModelSeznamu(QObject* rodic = nullptr);

    void Nastavit(Radky radky, std::vector<SloupecSeznamu> sloupce);
    const std::vector<SloupecSeznamu>& Sloupce() const { return sloupce_; }
    // The point names of a row (empty where the list names none).
    std::vector<std::string> Body(int radek) const;
    bool MaBody() const { return static_cast<bool>(radky_.body); }

    int PocetZaznamu() const override;
    bool JePlny(int radek) const override;
    int PocetSloupcu() const override;
    QString Text(int radek, int sloupec) const override;
    QString Zahlavi(int sloupec) const override;
    int NavrhovaSirka(int sloupec) const override;
    bool Tucne(int sloupec) const override;
    const Tzaznam* Zaznam(int radek) const override;
    int SurovySloupec(int sloupec) const override;
    Znacka ZnackaBunky(int radek, int sloupec) const override;
    bool JeChybny(int radek) const override;
    bool JeJmeno(int sloupec) const override;

  private:
    Radky radky_;
    std::vector<SloupecSeznamu> sloupce_;
};

}  // namespace vertano::ui
