#include "automation/Automation.h"

namespace velars {

Variant& TAutoArgsBase::operator[](int index) {
    VELARS_ASSERT(index <= m_Count);
    VELARS_ASSERT(index >= 0);
    // Argument i lives in slot m_Count - i + 1; index 0 is the result slot.
    return index == 0 ? slots_[0] : slots_[m_Count - index + 1];
}

}  // namespace velars
