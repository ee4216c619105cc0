#include "cli/ToolFields.h"

namespace velars::cli {

namespace {

constexpr std::array<std::string_view, kFieldCount> kColumnNames = {
    "model",       "section",        "dy",           "density", "flow",
    "temperature", "gauge_pressure", "atm_pressure", "ldy",
};

constexpr std::array<std::string_view, kFieldCount> kOptionNames = {
    "--model",       "--section",        "--dy",           "--density", "--flow",
    "--temperature", "--gauge-pressure", "--atm-pressure", "--ldy",
};

}  // namespace

std::string_view ColumnName(Field field) { return kColumnNames[IndexOf(field)]; }

std::string_view OptionName(Field field) { return kOptionNames[IndexOf(field)]; }

}  // namespace velars::cli
