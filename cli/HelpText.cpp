#include "cli/HelpText.h"

#include "catalogue/Catalogue.h"

namespace velars::cli {

namespace {

const char* const kUsage = R"(Usage:
  velars-tp-calc --model M --section S --dy D --density X --flow X
                 --temperature X --gauge-pressure X --atm-pressure X
                 [--ldy X] [--verbose]
  velars-tp-calc --csv FILE [--output FILE] [--threads N]
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
     (division by zero, overflow, invalid operation), or a CSV row failed
  2  the command line, the input file, its header, the output, or the plot
     file could not be used: a file that could not be read to its end, a
     write that failed
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
