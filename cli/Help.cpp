#include "Options.h"

namespace vertano::cli {

namespace {

const char* Usage() {
    return R"(Usage:
  vertano-cli check [OPTIONS] [RAW...] [--points FILE] [--scale FILE]
                    [--supp-... FILE] [--report OUT.txt [--report-sections F]]
  vertano-cli convert --to mtx|asc [--export] [OPTIONS] IN... -o OUT
  vertano-cli reduce [OPTIONS] RAW... -o OUT.mtx [--points FILE [--scale FILE]
                     [--level zero|mean|H]] [--faces]
  vertano-cli simulate --layout grid|random|traverse|tiny [network options]
                       [--format mtx|asc] [unit options] -o PREFIX
  vertano-cli adjust [OPTIONS] RAW... --points FILE [--free | --unfix NAME,...]
                     [--scale FILE] [--supp-... FILE] [--level zero|mean|H]
                     [adjustment options] [--coords OUT.txt] [--json OUT.json]
                     [--report OUT.txt [--report-sections all|default|LIST]]
                     [--epoch OUT.epc] [--dxf OUT.dxf]
                     [--plot OUT.png|.bmp|.jpg] [drawing options]
  vertano-cli approx [OPTIONS] RAW... --points FILE [--scale FILE]
                     [--level zero|mean|H] [-o OUT.txt] [--explain]
  vertano-cli transform [OPTIONS] RAW... --points FILE [adjust's inputs and
                        options] --identical FILE [--identical-yxz]
                        [--method adjustment|point-bearing]
                        [--base NAME --orient NAME [--bearing ANGLE]]
                        [-o OUT.txt] [--json OUT.json]
                        [--report OUT.txt [--report-sections all|default|LIST]]
                        [--epoch OUT.epc] [--dxf OUT.dxf]
                        [--plot OUT.png|.bmp|.jpg] [drawing options]
  vertano-cli project save -o JOB.gpr [every input option of adjust]
  vertano-cli project show JOB.gpr
  vertano-cli --help
  Instead of RAW... and the other input files, check, convert, reduce, adjust,
  approx, transform and project save also take --project JOB.gpr. Options may
  stand before the command too (vertano-cli --lang cs adjust ...); the command
  must take them either way.

)";
}

const char* CommandsText() {
    return R"(Commands:
  check     Reads raw measurement files and reports, per file, the number of
            measurements read or the line that rejected the file and why.
            Then it finds the measurement sets, checks every value, face
            difference and set difference against the default tolerances and
            prints the number of errors of each check and their total. With
            --points, --scale and --supp-... it loads those lists too and
            prints their error counts. --report writes the raw measurements,
            the face differences and means and the set means as the first
            part of the report (see adjust).
  convert   Reads the files (all of them must be accepted) and writes their
            measurements, with continuing station numbers, to OUT in the format
            given by --to. With --export the file is exported instead: no
            instrument or target heights (MTX: station number, station, target,
            direction, zenith angle, distance; ASC: blocks without heights).
            An MTX export is meant for other programs and is not read back.
  reduce    Reads the raw files (all of them must be accepted), finds the sets
            and writes one line per target and station with the mean of the
            sets (with --faces: one line per face pair with the mean of the two
            faces) to OUT as MTX, in the units of the options. With --points the
            distances and zenith angles are reduced to the point marks and the
            distances to the level and the projection; lines to points whose
            coordinates are neither given nor computable are left out.
  simulate  Makes up a network for trying the program: true coordinates of a
            layout, a total station on every point observing its nearest
            neighbours in two faces and several sets (face I clockwise, face II
            back), each set on the same circle setting, with random instrument
            and signal heights of 1.3 to 1.7 m and normal errors of the chosen
            size. It writes PREFIX.mtx (or .asc), the given points
            PREFIX-given.txt, the true coordinates of all points
            PREFIX-truth.txt, the gross errors put in PREFIX-gross.txt (station
            number, station, target, set, face, quantity, size) and, with
            --supplementary, PREFIX-supp-distance.txt, -supp-bearing.txt,
            -supp-height.txt and -supp-plumb.txt. The same options and seed give
            the same files.
  adjust    Adjusts the network: reads the files as check does, runs the
            checks (errors stop it: exit 3), then the measurement analysis
            (face and set means, approximate coordinates, reduction of the
            distances, supplementary measurements, a priori precision and
            weights) and the network adjustment (robust iterations, rejection
            of outliers, plain iterations, accuracy). The given points are
            fixed unless --free or --unfix says otherwise. Prints a summary:
            unknowns, measurements, redundancy, unit standard deviations,
            iterations, outliers by kind, the datum, the weights used and the
            uncontrolled measurements (a gross error in them cannot be found)
            with the points that depend on them.
            --coords writes the adjusted coordinates of every point (adjusted
            points first, then the fixed ones) as XYZ in the unit of
            --coord-unit; --json writes the full result in metres and radians;
            --report writes the report of the adjustment (a text file in the
            language of --lang and the units of the unit options).
  approx    Computes the approximate coordinates of the points that are not
            given, as the measurement analysis does (sets, face and set means,
            reduction of the distances), and writes them as XYZ to OUT (to the
            output without -o). --explain adds one line per point saying how it
            was found (polar point, free station, resection, intersection,
            local system), one per local system (where it started, its common
            points with the residuals of the fit), one for the refinement, and
            names the points no construction reached, with why.
  transform Adjusts the network as adjust does, then transforms it into the
            system of the identical points (--identical: points of the
            network with their coordinates in the second system). The
            transformation analysis pairs them with the network points by
            number. --method adjustment (the default) estimates three
            translations and a rotation about the vertical from all pairs by
            least squares, robustly, rejecting wrong identical coordinates;
            point-bearing takes one pair as the base and the bearing to a
            second one. Prints both summaries; -o writes the transformed points
            (XYZ with their standard deviations), --json the key, the identical
            points with their residuals and the transformed points, --report
            the report of the transformation.
  project   save: reads the input files as adjust does and writes them with
            the settings of the options (units, language, level, weights,
            estimator, significance level, exclusion) and the fixation of the
            points (--free, --unfix) as a project file; every name and value is
            checked first, and when one cannot be stored nothing is written.
            show: prints what a project holds and its settings.

)";
}

// Options of several commands.
const char* OptionsText() {
    return R"(Options:
  --lang en|cs                   language of the messages (default en)
  --angle-unit rad|gon|deg|dms   unit of angles in the files (default gon);
                                 dms is degrees-minutes-seconds as D.MMSS
  --length-unit m|ft             unit of lengths in the files (default m)
  --angle-decimals N             convert, reduce, simulate: decimals of
                                 angles written, 0 to 10 (default 5; radians
                                 at least 9)
  --length-decimals N            convert, reduce, simulate: decimals of lengths
                                 written, 0 to 10 (default 4)
  --format mtx|asc|gsi|gama      format of the raw input files; by default taken
                                 from each file's extension (.mtx, .asc, .gsi,
                                 and .xml or .gkf for a network in the XML
                                 format of GNU Gama, any case); simulate: the
                                 format written (mtx or asc, default mtx)
  --to mtx|asc                   format written by convert
  --export                       convert: export without heights
  -o, --output OUT               the file to write; an existing file is replaced
                                 only when the new one is complete; - is the
                                 standard output (so for every other output
                                 but --plot), and the report then goes to the
                                 error output; a device or a named pipe is
                                 written as it is, never replaced
  --order standard|simultaneous  check, reduce, adjust, approx: with
                                 simultaneous, stations observed face I and
                                 face II target by target are first rearranged
                                 into sets
  --mirror                       check, reduce, adjust, approx: every
                                 measurement outside a set gets a mirrored
                                 measurement in the other face; with --order
                                 simultaneous the pairs are then arranged into
                                 sets
  --drop-unassigned              check, reduce, adjust, approx: deletes the
                                 measurements outside the sets, after asking
                                 (see --yes)
  -y, --yes                      answer "Yes" to every question; without it the
                                 answer is "No" unless you type y at a terminal
  --rows                         check: list every row a check flagged
  --points FILE                  given network points, XYZ (repeatable); a
                                 .csv file as --csv says
  --csv LAYOUT                   CSV files read and written: order=NXYZ (N
                                 name, X, Y, Z, - a column skipped),
                                 sep=comma|semicolon|tab|space, decimal=.|,
                                 header=auto|yes|no, e.g. order=NYXZ,sep=;
  --yxz                          the point files are YXZ
  --coord-unit m|ft              unit of the point files and of --level H
  --scale FILE                   scale factors: point and factor (repeatable)
  --supp-distance FILE           supplementary slope distances (repeatable)
  --supp-bearing FILE            supplementary bearings (repeatable)
  --supp-height FILE             supplementary height differences (repeatable)
  --supp-plumb FILE              supplementary plumbing ties (repeatable)
  --level zero|mean|H            reduce, adjust, approx: the level distances
                                 are reduced to:
                                 zero (default), the mean height of the network,
                                 or the height H (strictly between -3000 and
                                 3000 m)
  --faces                        reduce: write face means instead of set means
  --explain                      approx: say how each point was found
  --project JOB.gpr              read the project instead of input files; the
                                 options given beside it override its settings
                                 for this run (the project is not changed)
  --verbose                      print the stages of the processing
  -h, --help                     this text
)";
}

const char* AdjustmentOptionsText() {
    return R"(  Adjustment options (adjust):
  --free                         no point is fixed: a free network, its datum
                                 given by the approximate coordinates
  --unfix NAME,...               these given points are adjusted too
                                 (repeatable)
  --fix-plan NAME,...            only X and Y of these given points are fixed,
                                 their heights adjusted (repeatable)
  --fix-height NAME,...          only Z of these given points is fixed, their
                                 positions adjusted (repeatable)
  --exclude STN/TGT,...|FILE     switch off the measurements from STN to TGT
                                 ('*' for any characters): kept and reported,
                                 not adjusted; a file (or @FILE) holds one
                                 pattern a line (repeatable)
  --weights inner|outer|given    the a priori precision the weights come from
                                 (default inner); a source that cannot be
                                 computed gives way as in the program
  --estimator NAME               robust estimator: Huber (default), M-huber,
                                 Hampel, Talwar, Cauchy, Tukey, Geman, Andrews,
                                 Welsh, Fair, "L1 Norm", "L1/L2 Norm" (any
                                 letter case) or its number 1-12
  --alpha A                      significance level of the outlier test, greater
                                 than 1e-8 and less than 1 (default 0.05)
  --no-exclusion                 no robust estimation, no rejection of outliers
  --threads N                    worker threads of the matrix products and
                                 the sparse cofactors, 1 to 255 (default: one
                                 per processor)
  --solver auto|dense|sparse     solver of the normal equations: sparse
                                 (fast, little memory), the dense reference,
                                 or auto (default): sparse, dense only where
                                 the sparse one cannot handle the datum
  --coords OUT.txt               write the adjusted coordinates (XYZ)
  --json OUT.json                write the result as JSON (metres, radians)
  --gama OUT.xml                 adjust: the adjusted network as input of GNU
                                 Gama (gama-local), to check the result there
  --csv-points OUT.csv           adjust: adjusted points with standard
                                 deviations and ellipses (CSV)
  --csv-observations OUT.csv     adjust: observations with residuals (CSV)
  --geojson OUT.geojson          adjust: points, lines and ellipses (magnified
                                 by --ellipse-scale) for a GIS
  --report OUT.txt               adjust: write the network adjustment report;
                                 check: its part A (raw measurements, face
                                 differences and means, set means); transform:
                                 the report of the transformation
  --report-sections S            adjust, transform: the sections of the report:
                                 default (C-01 basic information, C-02 adjusted
                                 coordinates), all (every section, a priori and
                                 a posteriori accuracy side by side) or codes
                                 separated by commas: A-01 raw measurements,
                                 A-02 face differences, A-03 face means, A-04
                                 set means, B-01 marked point values, B-02 fixed
                                 points, B-03 coordinates and B-04 measurements
                                 before the adjustment, B-05 inner and B-06
                                 outer precision, C-01 basic information, C-02
                                 adjusted coordinates, C-03 error ellipsoids,
                                 C-04 outliers, C-05 adjusted measurements;
                                 transform: D-01 identical points, D-02 and D-03
                                 basic information (identical points, key), D-04
                                 outlying identical coordinates, D-05 adjusted
                                 identical coordinates, D-06 transformed
                                 coordinates, D-07 transformed ellipsoids; E-01
                                 to E-04 the same for point and bearing; A to E
                                 for a whole part; "default," before codes adds
                                 them to the default ones. F (also for check)
                                 appends the report of the files read.
  Transformation options (transform; also the inputs and options of adjust):
  --identical FILE               identical points in the second system (XYZ,
                                 in the unit of --coord-unit), each line point
                                 number, X, Y, Z and up to three standard
                                 deviations sX sY sZ (0: the default of 2 mm)
                                 (repeatable)
  --identical-yxz                the identical-point files are YXZ (the
                                 deviations then sY sX sZ)
  --method adjustment|point-bearing
                                 transformation with adjustment (default) or by
                                 point and bearing
  --base NAME                    point-bearing: the identical point that keeps
                                 its coordinates of the second system
  --orient NAME                  point-bearing: the identical point that gives
                                 the orientation (with --base; default: the
                                 first two pairs apart in both systems)
  --bearing ANGLE                point-bearing: the bearing from base to orient
                                 in the second system, in the unit of
                                 --angle-unit (default: from their coordinates)
  -o OUT.txt                     transform: write the transformed points
  --epoch OUT.epc                adjust, transform: write the epoch file of the
                                 result. Its cofactors grow with the square of
                                 the network: about 22 bytes for each of the
                                 n (n + 1) / 2 cofactors of n determined
                                 coordinates (3,000 points: 845 MB; 10,000:
                                 10 GB); the memory stays that of the adjustment
  --large-epoch                  write an epoch file above 500 MB too (without
                                 it such a file is refused with its size)
  --dxf OUT.dxf                  write the drawing of the network as DXF
  --plot OUT.png|.bmp|.jpg       write the picture of the network (not to -:
                                 its format comes from the name)
  Drawing options (with --dxf or --plot; by default as the settings say):
  --dxf-lang cs|en               language of the DXF layer names
  --ellipse-scale K              magnification of the error ellipses, 1 to
                                 10000000 (default 50000)
  --ellipses apriori|aposteriori
                                 the unit standard deviation of the ellipses
  --plot-size WxH                size of the picture in pixels, 100 to 10000
                                 each (default 1200x800)
  --plot-style default|black-white
                                 colours: yellow, green and silver on black, or
                                 black on white
)";
}

const char* SimulateOptionsText() {
    return R"(  Network options of simulate:
  --layout grid|random|traverse|tiny
                                 points on a jittered grid with heights varying
                                 by some tens of metres, scattered at random
                                 over the same terrain, a winding traverse, or
                                 a quadrilateral with its middle (5 points)
  --points N                     number of points, 3 to 100000 (grid and
                                 random 12, traverse 10)
  --spacing M                    distance between neighbouring points, 1 to
                                 1000 m (default 100)
  --neighbours K                 targets observed from each station, 2 to 50
                                 and at most the other points (default 8)
  --stations N                   number of points occupied, 1 to the number of
                                 points (default all), drawn at random
  --sets S                       measurement sets per station, 1 to 20
                                 (default 2)
  --given G                      number of given points, 0 to the number of
                                 points (default 3), spread over the network;
                                 their coordinates are exact
  --sigma-direction MGON         standard deviation of a direction, 0 to 1000
                                 (default 0.3)
  --sigma-zenith MGON            standard deviation of a zenith angle, 0 to
                                 1000 (default 0.3)
  --sigma-distance MM            standard deviation of a distance, 0 to 1000
                                 (default 1), also of supplementary height
                                 differences
  --ppm P                        plus P mm per km of distance, 0 to 1000
                                 (default 0)
  --gross N                      number of gross errors, 0 or more, each in one
                                 reading of one set and face (default 0)
  --gross-direction MGON         size of a gross error in a direction or zenith
                                 angle, 0 to 50000 (default 50; 0: none in
                                 angles)
  --gross-distance MM            size of a gross error in a distance, 0 to
                                 100000 (default 50; 0: none in distances)
  --supplementary                also supplementary measurements of each kind;
                                 the network gets one more point, straight below
                                 a point near its middle, for the plumbing tie
  --seed S                       seed of the random numbers, 0 to
                                 18446744073709551615 (default 1)
  -o PREFIX                      simulate: the start of the names written

Options may also be written as --option=value; "--" ends the options. An option
not marked repeatable may be given once. A file may be named once: an input
named twice, or an output that is an input or another output, is a usage error.

)";
}

// How numbers are written.
const char* UnitsText() {
    return R"(Units apply to reading and writing alike. Values are written with 5 decimals of
angles and 4 of lengths unless --angle-decimals and --length-decimals say
otherwise; angles in radians always get at least 9 (simulate writes more where
the unit needs them: radians 9, degrees and dms 6, coordinates in feet 5).

)";
}

const char* ExitStatusText() {
    return R"(Exit status:
  0  every file was read (and written) and, for check, no check found an error
  1  a file was rejected or could not be read, or the output could not be
     written; also a file that holds nothing (check only warns of it)
  2  usage error
  3  some check found errors; for reduce: errors in the points or scale factors
     (nothing written) or in the raw measurements (the file is written), or no
     mean left to write; for adjust and approx: errors in the raw measurements
     (nothing computed)
  4  adjust, approx, transform: the measurement analysis, the adjustment,
     the transformation analysis or the transformation stopped with the
     message printed before (nothing written)
)";
}

}  // namespace

std::string HelpText() {
    std::string text;
    for (const char* part : {Usage(), CommandsText(), OptionsText(), AdjustmentOptionsText(),
                             SimulateOptionsText(), UnitsText(), ExitStatusText()})
        text += part;
    return text;
}

}  // namespace vertano::cli
