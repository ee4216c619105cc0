#pragma once
// The command line of velars-tp-calc.

#include <QString>
#include <QStringList>
#include <optional>

#include "cli/InstallationInput.h"

namespace velars::cli {

struct ToolOptions {
    bool help = false;
    bool version = false;
    bool verbose = false;
    std::optional<QString> csv;     // input file, "-" for standard input
    std::optional<QString> output;  // CSV output file; standard output when absent
    int threads = 0;                // 0: one per processor
    // Sizing: every choice for the gas data, or the loss curve of one.
    bool compare = false;
    bool curve = false;
    bool csvOutput = false;            // --csv without a file: CSV of the comparison or curve
    std::optional<QString> maxLoss;    // Pa
    std::optional<QString> points;     // of the curve
    std::optional<QString> flowRange;  // "A:B", nm3/h
    std::optional<QString> plot;       // image of the curve, .svg or .png
    std::optional<QString> plotSize;   // "WxH", pixels
    // Numbered reports: of one installation, or one per row of --csv.
    std::optional<QString> report;        // file, .docx, .odt or .pdf
    std::optional<QString> reports;       // folder of report-<N>.<format>
    std::optional<QString> reportFormat;  // docx, odt or pdf, for --reports
    std::optional<QString> counter;       // the counter file
    bool detailed = false;                // with the "Ход расчета" part
    InstallationTexts texts;              // the inputs of a single installation
};

// Reads the arguments (without the program name): "--name value" or
// "--name=value"; "_" and "-" are the same in a name. Returns an empty text
// when they are usable, otherwise what is wrong with them.
QString ParseOptions(const QStringList& arguments, ToolOptions& options);

}  // namespace velars::cli
