// SPDX-License-Identifier: MIT
#include "x11/expose_coalescer.h"

#include <algorithm>

namespace quorvana {

std::optional<Rect> ExposeCoalescer::Add(const Rect& exposed, int remaining)
{
    if (!exposed.IsEmpty()) {
        if (!m_pending) {
            m_pending = exposed;
        } else {
            m_pending->left = std::min(m_pending->left, exposed.left);
            m_pending->top = std::min(m_pending->top, exposed.top);
            m_pending->right = std::max(m_pending->right, exposed.right);
            m_pending->bottom = std::max(m_pending->bottom, exposed.bottom);
        }
    }
    if (remaining > 0) return std::nullopt;
    std::optional<Rect> area = m_pending;
    m_pending.reset();
    return area;
}

}  // namespace quorvana
