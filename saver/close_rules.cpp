// SPDX-License-Identifier: MIT
#include "saver/close_rules.h"

namespace quorvana {

CloseAnswer CloseRules::OnButtonPress(Button button) const
{
    return button == Button::Other ? CloseAnswer::Stay() : CloseAnswer::Close();
}

CloseAnswer CloseRules::OnPointerAt(int x, int y, Clock::time_point now, Space space)
{
    const Place place{space, x, y};
    if (!m_firstPointer || (m_settles && now < *m_settles)) {
        m_firstPointer = place;
        return CloseAnswer::Stay();
    }
    // Measured against the first report until the layout changes.
    return place == *m_firstPointer ? CloseAnswer::Stay() : CloseAnswer::Close();
}

CloseAnswer CloseRules::OnFocusLost(Clock::time_point now)
{
    if (!m_focusCheck) m_focusCheck = now + kFocusGrace;
    return CloseAnswer::CheckAgainAt(*m_focusCheck);
}

CloseAnswer CloseRules::OnFocusCheck(bool focusWithinSaver)
{
    m_focusCheck.reset();
    return focusWithinSaver ? CloseAnswer::Stay() : CloseAnswer::Close();
}

}  // namespace quorvana
