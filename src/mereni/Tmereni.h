#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "matice/Real.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// An ordered list of measurement rows. The rows of one station are kept together
// and in measurement order: a station is a run of consecutive rows with the same
// poradi, a set a run with the same poradi and skupina. Indices are 0-based.
class Tmereni {
  public:
    std::vector<Tzaznam> zaznam;
    // Error counters of the last check run, one per check flag of a row.
    std::array<int32_t, Tzaznam::kPocetKontrol> kontrola{};

    Tmereni() = default;
    explicit Tmereni(int32_t pocet) { Create(pocet); }

    // ---- whole list ----
    // Zero counters and `pocet` all-zero rows (which are not full).
    void Create(int32_t pocet);
    // Grows with all-zero rows or cuts the tail.
    void Velikost(int32_t pocet);
    void Clear();
    void Kopiruj(const Tmereni& mereni);
    void PridejMereniBezZmen(const Tmereni& mereni);
    // Drops trailing empty rows, then appends the rows of `noveMereni` with their
    // station numbers continuing after the current last row and `soubor` set to
    // `identifikator`. The station numbers of `noveMereni` are shifted in place.
    void PridejMereniSouboru(Tmereni& noveMereni, int32_t identifikator);
    // The same for a list that is not needed afterwards: its rows are moved, not
    // copied (into an empty list the whole list is taken over), and it is left
    // empty. A large file is then never held twice.
    void PridejMereniSouboru(Tmereni&& noveMereni, int32_t identifikator);
    void ExportujMereniDleStanoviska(Tmereni& mereniStanovisko, int32_t poradi) const;

    // ---- single rows ----
    void PridejZaznam(const Tzaznam& zaznam_novy);
    void PridejPrazdnyZaznam();
    // `poradi` may equal the row count (append); beyond it is a programming error.
    void VlozitZaznamNaPoradi(const Tzaznam& zaznam_novy, int32_t poradi);
    void SmazZaznamDlePoradi(int32_t poradi);
    void VyprazdniZaznamDlePoradi(int32_t poradi);
    // Moves the row one place up (`smer` true) or down, only next to a full row;
    // `poradi` follows the row. A move that is not allowed changes nothing.
    void PosunZaznam(int32_t& poradi, bool smer);
    // As PosunZaznam, but a row never leaves its station.
    void PosunZaznamStanovisko(int32_t& poradi, bool smer);

    // ---- removal of empty rows ----
    void SmazPrazdneZaznamy();
    void SmazPrazdneZaznamyNeradPoradi();
    bool SmazPrazdneZaznamyNaKonci();
    void SmazNezarazeneZaznamy();
    bool SmazZaznamyBezDelky();

    // ---- station numbering and look-up ----
    void SeradPoradi();
    int32_t NejvetsiPoradi() const;
    int32_t NejvetsiSkupina() const;
    int32_t PosledniPoradi() const;
    // Finds the run of rows of station `poradi` starting the scan at
    // `pocatekProhledavani`; `pocatek` and `konec` are untouched when there is none.
    // Returns the index where the scan stopped.
    int32_t IndexyZaznamuDleStanoviska(int32_t& pocatek, int32_t& konec,
                                       int32_t pocatekProhledavani, int32_t poradi) const;
    int32_t IndexyZaznamuDleSkupiny(int32_t& pocatek, int32_t& konec, int32_t pocatekProhledavani,
                                    int32_t poradiSkupiny, int32_t poradiStanoviska) const;
    // A station table in rows: row k-1 for station k holds soubor = k, cislo_stn =
    // the station name, poradi = index of its first row, skupina = of its last row.
    // A station number with no rows leaves its row all-zero.
    void IndexyZaznamuVsechStanovisek(Tmereni& indexy) const;
    // Entry k-1 = index of the first row of station k; the last entry = index after
    // the last row of the last station. A station without rows gets the start of
    // the next one (an empty range).
    void IndexyZaznamuVsechStanovisekVector(std::vector<int32_t>& indexy) const;
    int32_t PoradiPrvnihoZaznamuSCisemSouboru(int32_t cisloSouboru) const;
    int32_t SkupinaDlePoradi();
    // Fills `strList` with the station and target names (station by station) and
    // sets iStn/iCil to positions in it. Names are compared exactly, as everywhere
    // else in the program. Returns the number of names.
    int32_t PoradiBoduPriradit(std::vector<std::string>& strList);

    // ---- counting and tests ----
    int32_t PocetPlnychZaznamu() const;
    int32_t PocetPrazdnychZaznamu() const;
    bool ObsahujePrazneZaznamy() const;
    bool ExistujePlnyZaznam() const;
    int32_t PocetZaznamuBezDelky() const;
    int32_t PocetZaznamuSDelkou() const;
    bool ObsahujeZaznamyBezDelky() const;
    bool JeMerenaDelka() const;
    bool JeMerenaDelkaNaStanovisku(int32_t poradi, Tzaznam& zaznam_out, int32_t& index) const;
    int32_t PocetZarazenychZaznamuDoSkupin() const;
    bool ExistujeZarazenyZaznamDoSkupiny() const;
    bool ExistujeNezarazenyZaznamDoSkupiny() const;
    int32_t PocetZaznamuSPolohou(bool poloha) const;
    int32_t PocetOdlehlychHodnot() const;
    int32_t PocetStanovisekSNeodehlymiHodnotami() const;
    int32_t PocetSkupinNaStanovisku(int32_t pocatek, int32_t konec) const;

    // ---- derived values ----
    void JeZkontrolovanoNastavit(bool prepinac);
    // Every row takes the standard deviations of the row of `vstup` at its iPrvni;
    // a row whose iPrvni is outside `vstup` gets -1 (not set).
    void KopirovatSmerodatneOdchylky(const Tmereni& vstup);
    void VyprazdnitSmerodatneOdchylky();
    // Quantity codes 1-20; any other code leaves the list as it is.
    void Sort(int32_t velicina);

  private:
    // One column (quantity codes 7-20 of Sort) reduced by a statistic; -1 when the
    // statistic is unknown or cannot be computed.
    Real StatistikaSloupce(int32_t velicina, int32_t statistika) const;
};

}  // namespace vertano
