#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "Options.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::Data;
using test::LineStarting;
using test::Outcome;
using test::RunCli;

TEST(CliCheckRaw, CleanNetworkCountsNothingAndExitsZero) {
    const Outcome r = RunCli({"check", Data("net.mtx")});
    EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Stations: 2\n"));
    EXPECT_EQ(LineStarting(r.out, "Errors summary"), "Errors summary: 0");
    // Every check is listed, each by its own name.
    for (const char* name :
         {"Identification - Measurement set: 0", "Basic checking - Number of target: 0",
          "Basic checking - Height of standpoint: 0", "Basic checking - Slope distance: 0",
          "Difference between positions - Horizontal direction: 0",
          "Difference between positions - Slope distance: 0",
          "Difference between positions - Slope distance (Position of telescope): 0",
          "Difference between sets - Zenith angle: 0"})
        EXPECT_TRUE(Contains(r.out, std::string("  ") + name + "\n")) << name;
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST(CliCheckRaw, FlaggedRowsAreCountedAndListedByName) {
    // Instrument height 2.5 m (limit 2 m) and a face difference of 50 mgon in
    // direction on the pair to 4001 (limit 10 mgon).
    const Outcome r = RunCli({"check", "--rows", Data("faults.mtx")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    // The height counts once per station, the face difference on both rows.
    EXPECT_EQ(LineStarting(r.out, "Basic checking - Height of standpoint"),
              "Basic checking - Height of standpoint: 1");
    EXPECT_EQ(LineStarting(r.out, "Difference between positions - Horizontal direction"),
              "Difference between positions - Horizontal direction: 2");
    EXPECT_EQ(LineStarting(r.out, "Errors summary"), "Errors summary: 3");
    EXPECT_TRUE(Contains(r.out,
                         "Serial number\tStandpoint\tTarget\tMeasurement set\t"
                         "Position of telescope\tChecking\n"));
    EXPECT_TRUE(Contains(r.out,
                         "1\t4004\t4001\t1\tI\tBasic checking - Height of standpoint; "
                         "Difference between positions - Horizontal direction\n"));
    EXPECT_TRUE(Contains(r.out,
                         "1\t4004\t4001\t1\tII\tBasic checking - Height of standpoint; "
                         "Difference between positions - Horizontal direction\n"));
    EXPECT_TRUE(Contains(r.out, "1\t4004\t4002\t1\tII\tBasic checking - Height of standpoint\n"));
}

TEST(CliCheckRaw, RowsListsRowsOutsideSetsAndNothingWhenClean) {
    Outcome r = RunCli({"check", "--rows", Data("stray.mtx")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_EQ(LineStarting(r.out, "Identification - Measurement set"),
              "Identification - Measurement set: 1");
    EXPECT_TRUE(Contains(r.out, "1\t4003\t4004\t0\tI\tIdentification - Measurement set\n"));
    r = RunCli({"check", "--rows", Data("net.mtx")});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(Contains(r.out, "Position of telescope\tChecking\n"));
    EXPECT_FALSE(Contains(r.out, "\t4001\t"));  // no data row under the header
}

TEST(CliCheckRaw, CzechTextsComeFromTheCatalogueAsUtf8) {
    const Outcome r = RunCli({"check", "--lang", "cs", "--rows", Data("faults.mtx")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(test::IsValidUtf8(r.out));
    EXPECT_TRUE(test::IsValidUtf8(r.err));
    EXPECT_TRUE(Contains(r.out, "faults.mtx: Počet měření: 4\n"));
    EXPECT_TRUE(Contains(r.out, "Přidat surová měření: Přidáno souborů: 1/1 (Počet měření: 4)"));
    EXPECT_EQ(LineStarting(r.out, "Základní kontrola - Výška stanoviska"),
              "Základní kontrola - Výška stanoviska: 1");
    EXPECT_EQ(LineStarting(r.out, "Rozdíl poloh - Vodorovný směr"),
              "Rozdíl poloh - Vodorovný směr: 2");
    EXPECT_EQ(LineStarting(r.out, "Přehled chyb"), "Přehled chyb: 3");
    EXPECT_TRUE(Contains(r.out, "Pořadí\tStanovisko\tCíl\tMěřická skupina\tPoloha dalekohledu"));
    EXPECT_FALSE(Contains(r.out, "Errors summary"));
    EXPECT_FALSE(Contains(r.out, "Checking"));
}

TEST(CliSetCommands, SimultaneousOrderIsRearrangedIntoSets) {
    Outcome r = RunCli({"check", Data("simul.mtx")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_EQ(LineStarting(r.out, "Identification - Measurement set"),
              "Identification - Measurement set: 12");
    r = RunCli({"check", "--order", "simultaneous", Data("simul.mtx")});
    EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_EQ(LineStarting(r.out, "Errors summary"), "Errors summary: 0");
    EXPECT_TRUE(Contains(r.err,
                         "Find measurement sets - Simultaneous measuring in both positions: "
                         "Found measurements: 12 (Found measurement sets: 2)\n"));
    // Stations already in the standard order are left alone.
    r = RunCli({"check", "--order", "simultaneous", Data("net.mtx")});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(Contains(r.err, "Found measurements: 0 (Found measurement sets: 0)"));
}

TEST(CliSetCommands, MirroredRowsFormSetsOnlyWhenArranged) {
    Outcome r = RunCli({"check", "--mirror", Data("oneface.mtx")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(
        Contains(r.err, "Mirror measurements outside the sets: Mirrored measurements: 3\n"));
    EXPECT_EQ(LineStarting(r.out, "Identification - Measurement set"),
              "Identification - Measurement set: 6");
    r = RunCli({"check", "--mirror", "--order", "simultaneous", Data("oneface.mtx")});
    EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, "Found measurements: 6 (Found measurement sets: 1)"));
    // Rows already in sets are not mirrored.
    r = RunCli({"check", "--mirror", Data("net.mtx")});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(Contains(r.err, "Mirrored measurements: 0\n"));
}

TEST(CliSetCommands, DeletingRowsOutsideSetsNeedsConsent) {
    const std::string question =
        "Warning: Do you really want to delete the selected measurements? "
        "(Number of measurements: 1)";
    Outcome r = RunCli({"check", "--drop-unassigned", Data("stray.mtx")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(r.err, question + " No\n")) << r.err;
    EXPECT_EQ(LineStarting(r.out, "Identification - Measurement set"),
              "Identification - Measurement set: 1");

    r = RunCli({"check", "--drop-unassigned", "--yes", Data("stray.mtx")});
    EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, question + " Yes\n"));

    // At a terminal the typed answer decides.
    std::istringstream yes("y\n");
    r = RunCli({"check", "--drop-unassigned", Data("stray.mtx")}, &yes);
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(Contains(r.err, question + " [y/N] "));
    std::istringstream no("\n");
    r = RunCli({"check", "--drop-unassigned", Data("stray.mtx")}, &no);
    EXPECT_EQ(r.status, kExitChecksFailed);

    // Nothing outside the sets: nothing is asked.
    r = RunCli({"check", "--drop-unassigned", Data("net.mtx")});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_FALSE(Contains(r.err, "delete"));
}

TEST(CliSetCommands, CzechQuestionAndAnswer) {
    const Outcome r =
        RunCli({"check", "--lang", "cs", "--drop-unassigned", "-y", Data("stray.mtx")});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(test::IsValidUtf8(r.err));
    EXPECT_TRUE(Contains(r.err,
                         "Upozornění: Opravdu chcete odstranit vybraná měření? (Počet vybraných "
                         "měření: 1) Ano\n"))
        << r.err;
}

TEST(CliCheckLists, GivenPointsCountDuplicatesAndCoincidences) {
    Outcome r = RunCli({"check", "--points", Data("points.txt")});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "points.txt: Number of points: 3\n"));
    EXPECT_TRUE(Contains(r.out, "Add points: Added files: 1/1 (Number of points: 3)"));
    EXPECT_FALSE(Contains(r.out, "Checking:"));  // no raw files, no raw section

    // Against points.txt: 4001 three times (once at the same place), 5001 and 5002
    // at one place, 5003 and 5004 one above the other (a warning only).
    r = RunCli({"check", "--points", Data("points.txt"), "--points", Data("points_bad.txt")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(r.out,
                         "Points:\n  Point number: 3\n  Coordinates X, Y, Z: 4\n"
                         "  Coordinates X, Y: 2\n  Errors summary: 7\n"))
        << r.out;
    EXPECT_TRUE(Contains(r.err, "Fixed points error: "));
}

TEST(CliCheckLists, ScaleFactorsCountDuplicatesAndRange) {
    Outcome r = RunCli({"check", "--scale", Data("scale.txt")});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out,
                         "Scale factors:\n  Point number: 0\n  Scale factor: 0\n"
                         "  Errors summary: 0\n"));
    r = RunCli({"check", "--scale", Data("scale_bad.txt")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(r.out,
                         "Scale factors:\n  Point number: 2\n  Scale factor: 1\n"
                         "  Errors summary: 3\n"));
    EXPECT_TRUE(Contains(r.err,
                         "Scale factor error: The list of scale factors for distance "
                         "reduction contains errors.\n"));
}

TEST(CliCheckLists, SupplementaryListsCountTheirErrorsByKind) {
    Outcome r = RunCli({"check", "--supp-height", Data("supp_height.txt")});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "supp_height.txt: Number of measurements: 1\n"));
    EXPECT_TRUE(Contains(r.out,
                         "Add measurements - Height difference: Added files: 1/1 "
                         "(Number of measurements: 1)"));
    EXPECT_TRUE(Contains(r.out,
                         "Supplement - Height difference:\n  Number of target: 0\n"
                         "  Height difference: 0\n  Errors summary: 0\n"));

    r = RunCli({"check", "--supp-distance", Data("supp_distance.txt"), "--supp-bearing",
                Data("supp_bearing.txt"), "--supp-plumb", Data("supp_plumb.txt")});
    EXPECT_EQ(r.status, kExitChecksFailed);
    // A distance from 4003 to itself; a bearing of 400 gon; a tie of 4001 to itself.
    EXPECT_TRUE(Contains(r.out,
                         "Supplement - Slope distance:\n  Number of target: 1\n"
                         "  Height of standpoint: 0\n  Height of target: 0\n"
                         "  Slope distance: 0\n  Errors summary: 1\n"));
    EXPECT_TRUE(Contains(r.out,
                         "Supplement - Bearing:\n  Number of target: 0\n  Bearing: 1\n"
                         "  Errors summary: 1\n"));
    EXPECT_TRUE(Contains(r.out,
                         "Supplement - Vertical plumbing:\n  Number of target: 1\n"
                         "  Errors summary: 1\n"));
    EXPECT_FALSE(Contains(r.out, "Height difference"));
    for (const char* kind : {"Slope distance", "Bearing", "Vertical plumbing"})
        EXPECT_TRUE(Contains(r.err, std::string("Supplementary measurement error: The list of "
                                                "supplementary measurements (") +
                                        kind + ") contains errors.\n"))
            << kind;
}

TEST(CliCheckLists, RejectedOrMissingFilesExitOneAndNameTheFile) {
    vertano::test::TempDir dir;
    vertano::test::WriteBytes(dir / "bad.txt", "P1 1 2\n");
    Outcome r =
        RunCli({"check", "--points", (dir / "bad.txt").string(), "--points", Data("points.txt")});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "bad.txt")) << r.err;
    EXPECT_TRUE(Contains(r.out, "Added files: 1/2 (Number of points: 3)"));

    // A file that cannot be opened stops the loading; the files after it are named.
    r = RunCli({"check", "--supp-plumb", (dir / "none.txt").string(), "--supp-plumb",
                Data("supp_plumb.txt")});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "none.txt"));
    EXPECT_TRUE(Contains(r.err, "supp_plumb.txt: not read"));

    // A rejected file outranks failed checks.
    r = RunCli({"check", Data("faults.mtx"), "--scale", (dir / "bad.txt").string()});
    EXPECT_EQ(r.status, kExitRejected);
}

}  // namespace
}  // namespace vertano::cli
