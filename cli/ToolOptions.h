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
    InstallationTexts texts;        // the inputs of a single installation
};

// Reads the arguments (without the program name): "--name value" or
// "--name=value"; "_" and "-" are the same in a name. Returns an empty text
// when they are usable, otherwise what is wrong with them.
QString ParseOptions(const QStringList& arguments, ToolOptions& options);

}  // namespace velars::cli
