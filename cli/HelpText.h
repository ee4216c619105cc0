#pragma once
#include <QString>

namespace velars::cli {

// What `velars-tp-calc --help` prints: usage, options, the CSV format, the
// exit statuses and the catalogue of models, sections and diameters.
QString HelpText();

// What `velars-tp-calc --version` prints: the name and the version, one line.
QString VersionText();

}  // namespace velars::cli
