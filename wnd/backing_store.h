// SPDX-License-Identifier: MIT
// The backing store of a fractal window: a 32-bit top-down DIB section the
// size of the client area, wrapped in a quorvana::PixelStore that the
// renderer draws into and reads back from through Surface().
// PresentChanges copies what was drawn since the last call to the window;
// nothing is ever read back from the screen.
#pragma once

#include <windows.h>

#include "render/dirty_surface.h"
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
    // The store as the renderer draws on it.
    quorvana::Surface& Surface() { return m_surface; }

    // Copies the area drawn through Surface() since the last call to the
    // same place on target.
    void PresentChanges(HDC target);

private:
    void Release();

    HBITMAP m_bitmap = nullptr;
    HDC m_memoryDc = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    quorvana::PixelStore m_store;
    quorvana::DirtySurface m_surface{m_store};
};
