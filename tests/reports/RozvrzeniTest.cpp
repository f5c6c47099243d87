// The layout every report shares: header, part header, sections, tables and
// information rows, entry by entry.

#include <gtest/gtest.h>

#include "data/Tjazyk.h"
#include "reports/InfoSekce.h"
#include "reports/Tabulka.h"
#include "reports/TextyProtokolu.h"
#include "reports/Tprotokol.h"

namespace vertano {
namespace {

Tjazyk Anglicky() {
    Tnastaveni n;
    n.Default();
    n.typJazyk = 1;
    Tjazyk j;
    j.Default(n);
    return j;
}

TEST(Rozvrzeni, HeaderAndPartHeader) {
    const Tjazyk j = Anglicky();
    Tprotokol p;
    p.Uvod(j);
    p.Hlavicka(3, j, "2026-12-08 14:05:31");
    const std::string program = "Vertano " + j.popis.verzeCislo + " " + j.popis.verzeDatum;
    EXPECT_EQ(p.Dokument(), program + "\r\n" + std::string(program.size(), '*') +
                                "\r\n"
                                "Contact: Vertano developers (vertano@example.org)\r\n"
                                "\r\n\r\n"
                                "Protocol C - Network adjustment\r\n"
                                "*******************************\r\n"
                                "Created: 2026-12-08 14:05:31\r\n");
    EXPECT_EQ(p.text.size(), 8u);
    p.Clear();
    p.Hlavicka(9, j, "x");
    EXPECT_EQ(p.text[2], "Protocol  - ");
}

TEST(Rozvrzeni, SectionWithGroupsNotesAndRightAlignedColumns) {
    const Tjazyk j = Anglicky();
    Sekce s;
    s.nadpis = "B-05-1 Title";
    s.legendaSkupin = "[Serial number] Number of standpoint";
    Tabulka& t = s.tabulka;
    t.sloupce = {{"Target", "", ""}, {"Angle", "gon", ""}, {"Deviation", "mgon", "0.500"}};
    t.seskupena = true;
    // Station 2 has no rows: its lines stand, with nothing under them.
    t.skupiny = {{"[1] 4001", {{"4002", "-1.5", "0.12"}, {"4003", "12.25", "-"}}},
                 {"[2]", {}},
                 {"[3] 4003", {{"4001", "0.0", "1.10"}}}};
    Tprotokol p;
    ZapsatSekci(p, j, s);
    EXPECT_EQ(p.Dokument(),
              "\r\n\r\n"
              "B-05-1 Title\r\n"
              "============\r\n"
              "\r\nLegend:\r\n~~~~~~~\r\n"
              "--\r\n[Serial number] Number of standpoint\r\n--\r\n"
              "A: Target\r\nB: Angle [gon]\r\nC: Deviation [mgon] (0.500)\r\n\r\n"
              "Data:\r\n~~~~~\r\n"
              "   A  B[gon]  C[mgon]\r\n"
              "---------------------\r\n"
              "[1] 4001\r\n"
              "---------------------\r\n"
              "4002    -1.5     0.12\r\n"
              "4003   12.25        -\r\n"
              "---------------------\r\n"
              "[2]\r\n"
              "---------------------\r\n"
              "---------------------\r\n"
              "[3] 4003\r\n"
              "---------------------\r\n"
              "4001     0.0     1.10\r\n");
    // A row that does not fit the columns is a fault, not a shifted table.
    s.tabulka.skupiny[0].radky.push_back({"4004"});
    EXPECT_THROW(ZapsatSekci(p, j, s), ChybaProtokolu);
}

TEST(Rozvrzeni, WidthsCountCharactersNotBytes) {
    EXPECT_EQ(DelkaTextu("Měření"), 6u);
    EXPECT_EQ(Cara('=', "Výška cíle"), "==========");
    EXPECT_EQ(MalaPismena("Měření"), "měření");
    EXPECT_EQ(MalaPismena("ŠÍŘKA Ž Ů Ď"), "šířka ž ů ď");
    Tprotokol p;
    ZapsatInfo(p, "C-01 Základní",
               {{"Vyloučení", {{"Šikmá délka:", "0/3 [0.000]"}, {"Směr:", "-"}}},
                {"Síť", {{"Translace:", "", true}, {"X [m]:", "12.5"}}}});
    EXPECT_EQ(p.Dokument(),
              "\r\n\r\nC-01 Základní\r\n=============\r\n\r\n"
              "Vyloučení\r\n---------\r\n"
              "Šikmá délka:  0/3 [0.000]\r\n"
              "Směr:                   -\r\n"
              "\r\n"
              "Síť\r\n---\r\n"
              "Translace:\r\n"
              "X [m]:               12.5\r\n");
}

TEST(Rozvrzeni, SavedOnlyWhenComplete) {
    Tprotokol prazdny;
    std::string chyba;
    EXPECT_FALSE(UlozitProtokol(prazdny, "/nonexistent/never.txt", chyba));
    EXPECT_NE(chyba.find("empty"), std::string::npos);
}

}  // namespace
}  // namespace vertano
