// SPDX-License-Identifier: MIT
#include "x11/shared_memory.h"

#include <X11/Xlib-xcb.h>
#include <cstdlib>
#include <fcntl.h>
#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <sys/socket.h>
#include <xcb/shm.h>

#include "common/file_descriptor.h"
#include "x11/x_connection.h"

namespace quorvana {

namespace {

// File descriptors travel only over a local socket; sent over TCP they
// would break the connection, so the server's version alone is not enough.
bool TakesFileDescriptors(Display* display)
{
    int major = 0, minor = 0;
    Bool pixmaps = False;
    if (!XShmQueryVersion(display, &major, &minor, &pixmaps) || major < 1 || (major == 1 && minor < 2)) return false;
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    return getsockname(ConnectionNumber(display), reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
           address.ss_family == AF_UNIX;
}

}  // namespace

std::unique_ptr<SharedMemory> SharedMemory::Attach(Display* display, std::size_t bytes)
{
    std::unique_ptr<SharedMemory> memory(new SharedMemory(display, bytes));
    if (TakesFileDescriptors(display) && memory->AttachFileDescriptor()) return memory;
    if (memory->AttachSystemVSegment()) return memory;
    return nullptr;
}

SharedMemory::~SharedMemory()
{
    if (m_attached) {
        XShmDetach(m_display, &m_info);
        XSync(m_display, False);
    }
    if (!m_info.shmaddr) return;
    if (m_info.shmid < 0)
        munmap(m_info.shmaddr, m_bytes);
    else
        shmdt(m_info.shmaddr);
}

bool SharedMemory::AttachFileDescriptor()
{
    const FileDescriptor memory(memfd_create("quorvana-image", MFD_CLOEXEC));
    if (memory.Get() < 0 || ftruncate(memory.Get(), static_cast<off_t>(m_bytes)) != 0) return false;
    void* address = mmap(nullptr, m_bytes, PROT_READ | PROT_WRITE, MAP_SHARED, memory.Get(), 0);
    if (address == MAP_FAILED) return false;
    m_info.shmaddr = static_cast<char*>(address);
    // The request closes the descriptor it sends, so it gets a copy.
    const int sent = fcntl(memory.Get(), F_DUPFD_CLOEXEC, 0);
    xcb_connection_t* connection = XGetXCBConnection(m_display);
    m_info.shmseg = XAllocID(m_display);
    xcb_generic_error_t* error =
        sent < 0 ? nullptr : xcb_request_check(connection, xcb_shm_attach_fd_checked(connection, m_info.shmseg, sent, 0));
    m_attached = sent >= 0 && !error;
    std::free(error);
    if (m_attached) return true;
    munmap(address, m_bytes);
    m_info = XShmSegmentInfo{0, -1, nullptr, False};
    return false;
}

bool SharedMemory::AttachSystemVSegment()
{
    const int id = shmget(IPC_PRIVATE, m_bytes, IPC_CREAT | 0600);
    if (id < 0) return false;
    void* address = shmat(id, nullptr, 0);
    // Marked for removal at once, before the round trip to the server: it
    // goes away with the last detach even if the program is killed while
    // waiting for the server. Linux lets the server attach a marked segment,
    // and MIT-SHM only works with a server on the same kernel.
    shmctl(id, IPC_RMID, nullptr);
    if (address == reinterpret_cast<void*>(-1)) return false;
    m_info = XShmSegmentInfo{0, id, static_cast<char*>(address), False};
    {
        ErrorTrap trap(m_display);
        XShmAttach(m_display, &m_info);
        m_attached = !trap.Failed();
    }
    if (m_attached) return true;
    shmdt(address);
    m_info = XShmSegmentInfo{0, -1, nullptr, False};
    return false;
}

}  // namespace quorvana
