// The backing store of a fractal window: a 32-bit top-down DIB section the
// size of the client area, wrapped in a quorvana::PixelStore that the
// renderer draws into and reads back from. Present copies its pixels to
// the window; nothing is ever read back from the screen.
#pragma once

#include <windows.h>

#include "render/pixel_store.h"

class BackingStore {
public:
    BackingStore() = default;
    BackingStore(const BackingStore&) = delete;
    BackingStore& operator=(const BackingStore&) = delete;
    ~BackingStore();

    // Makes the store width × height, all black, unless it is that size
    // already. An empty or failed allocation leaves an empty store.
    void Resize(int width, int height);

    quorvana::PixelStore& Store() { return m_store; }
    int Width() const { return m_store.Width(); }
    int Height() const { return m_store.Height(); }

    // Copies the store's pixels within rect, clipped to the store, to the
    // same place on target; PresentRows the rows [top, bottom).
    void Present(HDC target, const RECT& rect) const;
    void PresentRows(HDC target, int top, int bottom) const { Present(target, RECT{0, top, Width(), bottom}); }

private:
    void Release();

    HBITMAP m_bitmap = nullptr;
    HDC m_memoryDc = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    quorvana::PixelStore m_store;
};
