#pragma once
// The nine inputs of one installation, with the names the tool uses for them:
// the CSV column name (also the field name in messages) and the option.

#include <array>
#include <string_view>

namespace velars::cli {

enum class Field {
    Model,
    Section,
    Dy,
    Density,
    Flow,
    Temperature,
    GaugePressure,
    AtmPressure,
    LDy
};

constexpr int kFieldCount = 9;

constexpr std::array<Field, kFieldCount> kAllFields = {
    Field::Model,       Field::Section,       Field::Dy,          Field::Density, Field::Flow,
    Field::Temperature, Field::GaugePressure, Field::AtmPressure, Field::LDy,
};

constexpr int IndexOf(Field field) { return static_cast<int>(field); }

// "model", "section", "dy", "density", "flow", "temperature",
// "gauge_pressure", "atm_pressure", "ldy".
std::string_view ColumnName(Field field);

// "--model", ..., "--gauge-pressure", "--atm-pressure", "--ldy".
std::string_view OptionName(Field field);

}  // namespace velars::cli
