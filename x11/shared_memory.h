// SPDX-License-Identifier: MIT
// Memory that the saver and the X server both map (MIT-SHM), for a window's
// image: the saver draws into it and the server reads its puts from it.
// Where the server takes a file descriptor (MIT-SHM 1.2 over a local
// socket), the memory is an anonymous memfd handed over as one, so there is
// no named segment that a killed saver could leave behind. Elsewhere it is a
// System V segment, marked for removal as soon as it is made. Detached from
// the server and unmapped when this object goes.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <cstddef>
#include <memory>

namespace quorvana {

class SharedMemory {
public:
    // Null when the server cannot map memory of ours (another machine,
    // another IPC namespace) or when this much does not fit.
    static std::unique_ptr<SharedMemory> Attach(Display* display, std::size_t bytes);
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    char* Data() const { return m_info.shmaddr; }
    // What XShmPutImage names the memory by; it stays at this address.
    XShmSegmentInfo* Info() { return &m_info; }
    bool PassedAsFileDescriptor() const { return m_info.shmid < 0; }

private:
    SharedMemory(Display* display, std::size_t bytes) : m_display(display), m_bytes(bytes) {}
    bool AttachFileDescriptor();
    bool AttachSystemVSegment();

    Display* m_display;
    std::size_t m_bytes;
    XShmSegmentInfo m_info{0, -1, nullptr, False};
    bool m_attached = false;
};

}  // namespace quorvana
