// SPDX-License-Identifier: MIT
// The buffers one surface's picture is drawn into: at most two whole
// pictures, as Wayland clients keep them. The renderer draws into the current
// buffer while the compositor does not hold it (committed, not yet
// released). When it does, the other buffer becomes current: made the first
// time it is needed, and brought up to date first with the rows drawn since
// it was last current, so that the current buffer always holds the whole
// picture. A compositor that copies what it is given and releases at once
// (GL renderers) never gets a second buffer made; one that reads the
// client's memory while showing it (pixman) holds the attached buffer until
// the next attach, and the two take turns.
//
// Promises: a buffer the compositor holds is never written, not even by the
// catching up; TakeDamage gives the rows drawn since it was last called,
// which with Current() is what a commit sends; a new size drops both buffers
// (the compositor keeps what it holds) and starts from one black buffer,
// damaged whole.
//
// Buffer is ShmBuffer in the product: anything with Busy(), Pixels() and
// StridePixels(), made black at a size by the factory.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>

#include "common/failure.h"

namespace quorvana {

// Rows top … bottom − 1; empty when bottom ≤ top.
struct RowSpan {
    int top = 0;
    int bottom = 0;

    bool IsEmpty() const { return bottom <= top; }
    int Height() const { return bottom - top; }
    // The smallest span holding both.
    RowSpan Joined(const RowSpan& other) const
    {
        if (IsEmpty()) return other;
        if (other.IsEmpty()) return *this;
        return RowSpan{std::min(top, other.top), std::max(bottom, other.bottom)};
    }
};

template <class Buffer>
class BufferPool {
public:
    using Factory = std::function<Result<std::unique_ptr<Buffer>>(int width, int height)>;

    explicit BufferPool(Factory make) : m_make(std::move(make)) {}

    // One black buffer of width × height, damaged whole; the old ones go.
    [[nodiscard]] Result<> Resize(int width, int height)
    {
        m_current.reset();
        m_other.reset();
        m_width = width;
        m_height = height;
        m_current = TRY(m_make(width, height));
        m_otherLags = {};
        m_damage = RowSpan{0, height};
        return {};
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The buffer to draw into now (see above); null before the first size
    // and while the compositor holds both. Fails only in making the second.
    [[nodiscard]] Result<Buffer*> Acquire()
    {
        if (!m_current || !m_current->Busy()) return m_current.get();
        if (!m_other) {
            m_other = TRY(m_make(m_width, m_height));
            m_otherLags = RowSpan{0, m_height};
        } else if (m_other->Busy()) {
            return nullptr;
        }
        // Reading the held buffer is allowed; only writing it is not.
        const std::ptrdiff_t stride = m_current->StridePixels();
        std::memcpy(m_other->Pixels() + m_otherLags.top * stride, m_current->Pixels() + m_otherLags.top * stride,
                    sizeof(*m_current->Pixels()) * static_cast<std::size_t>(std::max(0, m_otherLags.Height())) *
                        static_cast<std::size_t>(stride));
        std::swap(m_current, m_other);
        m_otherLags = {};
        return m_current.get();
    }
    // Rows just drawn into the buffer Acquire gave.
    void MarkDrawn(RowSpan rows)
    {
        m_damage = m_damage.Joined(rows);
        if (m_other) m_otherLags = m_otherLags.Joined(rows);
    }

    // The buffer holding the whole picture, to attach; null before the first size.
    Buffer* Current() const { return m_current.get(); }
    // The rows drawn since the last call (or everything, after a new size).
    RowSpan TakeDamage() { return std::exchange(m_damage, RowSpan{}); }

private:
    Factory m_make;
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<Buffer> m_current;
    std::unique_ptr<Buffer> m_other;  // made when the compositor first holds the current one
    RowSpan m_otherLags;              // rows drawn since m_other was current: where it differs
    RowSpan m_damage;                 // rows drawn since the last TakeDamage
};

}  // namespace quorvana
