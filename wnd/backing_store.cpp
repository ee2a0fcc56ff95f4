// SPDX-License-Identifier: MIT
#include "wnd/backing_store.h"

BackingStore::~BackingStore() { Release(); }

void BackingStore::Release()
{
    if (m_memoryDc != nullptr) {
        ::SelectObject(m_memoryDc, m_previousBitmap);
        ::DeleteDC(m_memoryDc);
        m_memoryDc = nullptr;
    }
    if (m_bitmap != nullptr) {
        ::DeleteObject(m_bitmap);
        m_bitmap = nullptr;
    }
    m_store = quorvana::PixelStore();
    m_surface.TakeDirty();
}

void BackingStore::Resize(int width, int height)
{
    if (m_bitmap != nullptr && width == m_store.Width() && height == m_store.Height()) return;
    Release();
    if (width <= 0 || height <= 0) return;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first, as the store counts rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_memoryDc = ::CreateCompatibleDC(nullptr);
    if (m_bitmap == nullptr || m_memoryDc == nullptr || bits == nullptr) {
        Release();
        return;
    }
    m_previousBitmap = ::SelectObject(m_memoryDc, m_bitmap);
    // 0x00RRGGBB per pixel; the renderer's green levels and black read the
    // same in this layout and as COLORREF. A 32-bit row needs no padding.
    m_store = quorvana::PixelStore(width, height, width, static_cast<quorvana::COLORREF*>(bits));
}

void BackingStore::PresentChanges(HDC target)
{
    // The area lies within the store, since only the store's pixels count.
    const quorvana::Rect changed = m_surface.TakeDirty();
    if (m_memoryDc == nullptr || changed.IsEmpty()) return;
    ::BitBlt(target, changed.left, changed.top, changed.Width(), changed.Height(), m_memoryDc, changed.left,
             changed.top, SRCCOPY);
}
