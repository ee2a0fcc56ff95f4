// SPDX-License-Identifier: MIT
#include "wayland/shm_buffer.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "common/file_descriptor.h"

namespace quorvana {

const wl_buffer_listener ShmBuffer::s_listener = {.release = OnRelease};

Result<std::unique_ptr<ShmBuffer>> ShmBuffer::Create(wl_shm* shm, int width, int height)
{
    std::unique_ptr<ShmBuffer> buffer(new ShmBuffer(width, height));
    const std::size_t stride = static_cast<std::size_t>(width) * sizeof(COLORREF);
    buffer->m_bytes = stride * static_cast<std::size_t>(height);
    // wl_shm pools are sized in 32 bits.
    if (buffer->m_bytes > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return Failure::Runtime("cannot make a picture buffer of " + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels: more than wl_shm can share");
    const auto failed = [&](const char* what) {
        // Memory running out is said as every program says it.
        if (errno == ENOMEM)
            return Failure::NotEnoughMemoryFor("a " + std::to_string(width) + " x " + std::to_string(height) + " picture");
        return Failure::Runtime("cannot make a picture buffer of " + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels (" + what + "): " + std::strerror(errno));
    };
    // The buffer is named only by its descriptor: nothing outlives the saver.
    FileDescriptor memory(memfd_create("quorvana-picture", MFD_CLOEXEC));
    if (memory.Get() < 0) return failed("memfd_create");
    if (ftruncate(memory.Get(), static_cast<off_t>(buffer->m_bytes)) != 0) return failed("ftruncate");
    void* mapped = mmap(nullptr, buffer->m_bytes, PROT_READ | PROT_WRITE, MAP_SHARED, memory.Get(), 0);
    if (mapped == MAP_FAILED) return failed("mmap");
    buffer->m_pixels = static_cast<COLORREF*>(mapped);
    wl_shm_pool* pool = wl_shm_create_pool(shm, memory.Get(), static_cast<std::int32_t>(buffer->m_bytes));
    buffer->m_buffer.reset(wl_shm_pool_create_buffer(pool, 0, width, height, static_cast<std::int32_t>(stride),
                                                     WL_SHM_FORMAT_XRGB8888));
    // The buffer keeps the pool's memory; the pool itself is not needed again.
    wl_shm_pool_destroy(pool);
    wl_buffer_add_listener(buffer->m_buffer.get(), &s_listener, buffer.get());
    return buffer;
}

ShmBuffer::~ShmBuffer()
{
    // Destroying a buffer the compositor still holds is allowed: it keeps
    // what it has, and this memory is never written again.
    m_buffer.reset();
    if (m_pixels) munmap(m_pixels, m_bytes);
}

void ShmBuffer::OnRelease(void* data, wl_buffer*) { static_cast<ShmBuffer*>(data)->m_busy = false; }

}  // namespace quorvana
