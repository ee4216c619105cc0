#pragma once
// One CSV row: its installation read, calculated and written as an output
// line, or the reasons it could not be.

#include <string>
#include <string_view>
#include <vector>

#include "calc/CalculationSteps.h"
#include "cli/CsvColumns.h"

namespace velars::cli {

class CsvRowCalculation {
public:
    // With `fastPath` the plain rows (device by numbers, plain ASCII values)
    // are read without Qt strings; every other row, and every row without
    // it, goes through the window's own reading. Both give the same output.
    CsvRowCalculation(const CsvColumns& columns, bool fastPath);

    // The output header: the input columns, then the results.
    void AppendHeader(std::string& out) const;

    // A short row's missing fields at the end count as not given.
    // Appends the row's output line (with its LF) to `out`; or, when the row
    // is invalid or its calculation faults, appends one message per problem
    // ("field 'flow': 'x' is not a valid floating point value", "Floating
    // point division by zero") to `errors` and returns false. With `steps`,
    // the calculation's intermediate values go there too.
    bool Process(const std::vector<std::string_view>& fields, std::string& out,
                 std::vector<std::string>& errors, CalculationSteps* steps = nullptr) const;

private:
    struct Values;
    bool ReadFast(const std::vector<std::string_view>& fields, Values& values) const;
    bool ReadReference(const std::vector<std::string_view>& fields, Values& values,
                       std::vector<std::string>& errors) const;
    void AppendLine(const std::vector<std::string_view>& fields, const Values& values,
                    std::string& out) const;

    const CsvColumns& columns_;
    bool fastPath_;
};

// A field copied to the output: quoted when it holds a comma, a quote or a
// line end.
void AppendCsvField(std::string& out, std::string_view text);

}  // namespace velars::cli
