#pragma once
// The paragraph alignment a member call puts, read from its argument: the
// automation codes 0 left, 1 centre, 2 right, 3 justify, as the document
// server's paragraphs and selection take them.

#include <Qt>

#include "automation/ArgumentConversion.h"

namespace velars {

class MemberCall;

// S_OK with `alignment` set; a type mismatch for a value that is no integer,
// the out-of-range error for any other code.
HRESULT AlignmentArgument(const MemberCall& call, const Variant& value, Qt::Alignment& alignment);

}  // namespace velars
