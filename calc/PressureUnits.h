#pragma once
// Pressures in pascals, megapascals and millimetres of water column (one
// millimetre of water column is 9.80665 Pa): the one home of the
// water-column factors, for the window's two gauge-pressure fields, the
// results pane, the report and the sizing tables. Each conversion keeps the
// precision and the rounding its users have always shown, to the last
// digit; the checked ones raise EOverflow instead of giving an infinity.

namespace velars {

// The megapascal field's value, as stored (single), in millimetres of water
// column: the factor in double precision, the product in extended. Checked.
long double MegapascalToMmWater(float megapascals);

// The millimetre field's value in megapascals: the factor in double
// precision, the product in extended, rounded to single. Checked.
float MmWaterToMegapascal(long double millimetres);

// A pressure in pascals in millimetres of water column through megapascals,
// in extended precision and not rounded: the gauge pressure as the report
// shows it.
long double PascalToMmWaterExtended(float pascal);

// A pressure in pascals in millimetres of water column, rounded to single:
// the losses as the results pane, the report and the sizing tables show
// them. The factor is below 1, so a finite value cannot overflow.
float PascalToMmWater(float pascal);

}  // namespace velars
