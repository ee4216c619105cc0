#pragma once
// The comparison and the loss curve as CSV, machine-readable as the
// command-line tool's CSV mode writes: "," between fields, "." as the
// decimal mark, no group separators, every single-precision value in the
// fewest digits that read back exactly, LF line ends. A fault leaves the
// numbers empty and names itself in the last column; so does the allowed
// increase of a section without a flow conditioner.

#include <string>
#include <vector>

#include "calc/Sizing.h"

namespace velars {

// model,model_name,section,section_name,dy,loss_pa,loss_mm,
// allowed_increase_pa,allowed_increase_mm,fault
std::string ComparisonCsv(const std::vector<ChoiceResult>& results);

// flow,loss_pa,loss_mm,allowed_increase_pa,allowed_increase_mm,fault
std::string CurveCsv(const std::vector<ChoiceResult>& points);

// Whether the section has a flow conditioner or silencer whose fouling the
// allowed increase is about: every section but the first.
inline bool HasAllowedIncrease(int section) { return section != 0; }

}  // namespace velars
