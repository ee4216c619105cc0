#include "cli/HelpText.h"

#include "catalogue/Catalogue.h"

namespace velars::cli {

namespace {

const char* const kUsage = R"(Usage:
  velars-tp-calc --model M --section S --dy D --density X --flow X
                 --temperature X --gauge-pressure X --atm-pressure X
                 [--ldy X] [--verbose]
                 [--report FILE.docx|FILE.odt|FILE.pdf [--counter FILE] [--detailed]]
  velars-tp-calc --csv FILE [--output FILE] [--threads N]
                 [--reports DIR [--report-format docx|odt|pdf] [--counter FILE]
                  [--detailed]]
  velars-tp-calc --compare --density X --flow X --temperature X
                 --gauge-pressure X --atm-pressure X [--ldy X]
                 [--max-loss PA] [--csv]
  velars-tp-calc --curve --model M --section S --dy D --density X --flow X
                 --temperature X --gauge-pressure X --atm-pressure X
                 [--ldy X] [--points N] [--flow-range A:B] [--csv]
                 [--plot FILE.svg|FILE.png] [--plot-size WxH] [--max-loss PA]
  velars-tp-calc --help | --version

Estimates the largest pressure loss of a gas flow meter and its measuring
section in clean state, and the allowed increase of the pressure drop once
the flow conditioner is fouled, exactly as the velars-tp window does.

One installation
  Prints the lines the window's results pane shows (four lines without a
  flow conditioner, nine with one), numbers with the decimal and group
  separators of the user's locale (LC_ALL, LC_NUMERIC or LANG).

  --model M            the meter model: its number 0 to 5, its name, or its
                       name without the bracketed part (letter case ignored)
  --section S          the measuring section: its number in the model's list
                       (from 0) or its name
  --dy D, --diameter D the nominal diameter in mm; it must be one the model
                       offers (its position in the model's list, from 0,
                       works too)
  --density X          gas density at standard conditions, kg/m³
  --flow X             flow rate at standard conditions, nm³/h
  --temperature X      gas temperature, °C
  --gauge-pressure X, --gauge X
                       gauge pressure, MPa
  --atm-pressure X, --atm X
                       atmospheric pressure, kPa
  --ldy X              L/Dy, needed by the cut-in model only (model 2);
                       ignored for the others
  --verbose, -v        after the results, the intermediate values: the
                       inputs in SI units, for models 0 and 2 the viscosity
                       term μ, the absolute pressure p, the velocity term w,
                       the Reynolds number Re with the friction formula used
                       and the friction factor λ, then every loss
                       coefficient, their total and both losses in Pa

  Values are read as the window reads them: "." and "," both work as the
  decimal mark, an exponent may follow (1,5e3); blanks around the number are
  allowed. Each value is stored in single precision, then converted to SI
  units (kPa × 1000, MPa × 1 000 000, °C + 273.15) and stored again, so the
  results match the window to the last digit. Every invalid input is
  reported with its field; nothing is printed on standard output then.
  Options may also be written --name=value, and "_" for "-" in a name.

Many installations (CSV)
  --csv FILE           reads one installation per row from FILE ("-" for
                       standard input) and writes CSV to standard output
  --output FILE, -o FILE
                       writes the CSV to FILE instead
  --threads N          worker threads (default: one per processor)

  The first row names the columns, in any order, letter case ignored:
    model, section, dy, density, flow, temperature, gauge_pressure,
    atm_pressure   (all needed; the same values as the options above)
    ldy            (needed for rows of model 2 only)
  Columns with other names are copied to the output unchanged (a metering
  point's name, for instance). Fields are separated by ";" when the header
  line holds one, else by a tab when it holds one, else by ","; a field may
  be quoted with double quotes (RFC 4180), which a "," decimal mark needs
  when "," also separates the fields. Lines end with LF or CR LF; empty
  lines are skipped; a UTF-8 byte order mark is allowed.

  The output has the input columns in their order, then
    dzeta_pp, dzeta_turb, dzeta_turb2, dzeta_sum   loss coefficients
    loss_pa, allowed_increase_pa                   the two results, Pa
    loss_mm, allowed_increase_mm                   the same in mm of water
  Output is machine-readable: "," between fields, "." as the decimal mark,
  no group separators, and every value with the fewest digits that read
  back as exactly the stored single-precision value. Model and section come
  out as numbers, dy in mm, the inputs in their own units as read (single
  precision), ldy only for model 2.

  A row that cannot be calculated is left out of the output and reported on
  standard error as "row N: field 'flow': '5,,0' is not a valid floating
  point value" (one line per problem; rows are counted as in a spreadsheet,
  the header being row 1), and the other rows go on. Text from the file is
  shown with control characters escaped and cut after 40 characters. A row
  longer than 1 MiB is reported as "row N: line longer than 1 MiB". The
  file is read and the output written as the conversion goes, so that
  memory stays small whatever the size of the file; FILE may be a pipe.

Numbered reports (--report, --reports)
  The numbered report the window writes with " Отчет MS Word" ticked: the
  same paragraphs, texts, sizes, weights and alignments, made by the same
  report code into the program's own document server, which saves it to a
  file instead of showing it. No display and no word processor are needed.
  Standard output stays as without these options.

  --report FILE        writes the report of the one installation to FILE, a
                       Word document, an OpenDocument text or a PDF by its
                       name's ending: .docx, .odt or .pdf (an existing FILE
                       is replaced)
  --reports DIR        with --csv FILE: one report per row that was
                       calculated, in the order of the rows, as
                       DIR/report-<N>.<format> (DIR is made when missing; a
                       file of that name already there is kept). The output
                       CSV gets a last column "report" with each row's
                       number, empty for a row that got no report
  --report-format F    docx (the default), odt or pdf, for --reports
  --detailed           adds the part "Ход расчета": the inputs in SI units,
                       for models 0 and 2 μ, p, w, Re with the friction
                       formula used and λ, each loss coefficient with where
                       it came from, their total, the loss formula with the
                       values put in and the results; the values --verbose
                       prints, to 6 significant digits, in the separators of
                       the user's locale
  --counter FILE       the counter file of the report numbers (section
                       "namber", key "n": the number of the next report)

  Without --counter the tool numbers from the window's counter, so that one
  user's reports form one series: installed for every user, the one in
  $XDG_DATA_HOME/velars-tp/ (by default ~/.local/share/velars-tp/); a
  portable copy, velars-tp_nr.ini beside the tool. Each report locks the
  counter (flock on "<counter>.lock", waiting at most 10 s), reads its
  number N, checks that files can be made in the counter's folder, stores
  N + 1 and lets the lock go; then it writes report N. So the windows and
  the tool, all at once, never give two reports the same number. A report
  that cannot be numbered (the counter's folder cannot be written, the
  counter cannot be stored, or another report holds it longer than 10 s) is
  not written and the tool says why; one whose file cannot be written keeps
  its number unused. In a batch the rows after either get no report.

Every choice for one gas (--compare)
  Calculates every model, section and diameter of the catalogue for the
  gas data, each exactly as a calculation of that one choice does, and
  lists them by the loss, smallest first: model and section numbers, Dy,
  the loss and the allowed increase in Pa and in mm of water column (the
  increase only for sections with a flow conditioner or silencer), and the
  device's names. The cut-in model (2) is included only when --ldy is given.
  A choice whose calculation raises a floating-point fault is listed last
  with the fault instead of numbers. Numbers are in the results pane's
  format with the locale's separators.

  --max-loss PA        lists only the choices whose loss is at or under PA
                       pascals, and says how many were left out
  --csv                writes CSV instead: model, model_name, section,
                       section_name, dy, loss_pa, loss_mm,
                       allowed_increase_pa, allowed_increase_mm, fault
                       (numbers as in the CSV mode's output; the note on
                       the choices left out goes to standard error)

The loss curve of one choice (--curve)
  The loss and the allowed increase of one installation at N flows from A
  to B, both included; every other input as given. A point whose
  calculation faults (the full-bore and cut-in models divide by the
  Reynolds number, which is zero at a flow of zero) shows the fault.

  --points N           the number of flows, 1 to 100000 (default 21)
  --flow-range A:B     the flows in nm³/h (default 0 to the --flow value)
  --csv                writes CSV instead: flow, loss_pa, loss_mm,
                       allowed_increase_pa, allowed_increase_mm, fault
  --plot FILE          draws the curve into FILE, an SVG or PNG image by
                       its name's ending: the loss (and the allowed
                       increase) in Pa against the flow in nm³/h; points
                       that faulted are left out of the lines and named in
                       the legend. No display is needed.
  --plot-size WxH      the image's size in pixels (default 900x560)
  --max-loss PA        draws the limit as a level line

Exit status
  0  every installation was calculated
  1  an input was invalid, a calculation raised a floating-point fault
     (division by zero, overflow, invalid operation), a CSV row failed, or
     a report could not be numbered
  2  the command line, the input file, its header, the output, the plot
     file, a report file or the reports' folder could not be used: a file
     that could not be read to its end, a write that failed
  In --compare and --curve a choice or point that faults is part of the
  answer: the status stays 0.

Models, their sections and diameters (mm)
)";

}  // namespace

QString VersionText() { return QStringLiteral("velars-tp-calc " VELARS_VERSION "\n"); }

QString HelpText() {
    QString text = QString::fromUtf8(kUsage);
    const QStringList& models = catalogue::ModelNames();
    for (int model = 0; model < models.size(); ++model) {
        text += QStringLiteral("  %1  %2\n").arg(model).arg(models.at(model));
        const QStringList& sections = catalogue::SectionsOf(model);
        for (int section = 0; section < sections.size(); ++section)
            text +=
                QStringLiteral("       section %1  %2\n").arg(section).arg(sections.at(section));
        text += QStringLiteral("       dy  %1\n")
                    .arg(catalogue::DiametersOf(model).join(QStringLiteral(", ")));
        if (catalogue::NeedsLDy(model)) text += QStringLiteral("       needs --ldy\n");
    }
    text += QStringLiteral(
        "\nExample\n"
        "  velars-tp-calc --model 3 --section 1 --dy 100 --density 0,68 --flow 500 \\\n"
        "                 --temperature 20 --gauge 0,3 --atm 101,325\n");
    return text;
}

}  // namespace velars::cli
