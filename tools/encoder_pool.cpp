// SPDX-License-Identifier: MIT
#include "tools/encoder_pool.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <system_error>

#include "tools/formats/not_enough_memory.h"
#include "tools/formats/png_encoder.h"

namespace quorvana {

namespace {
// Pictures held beyond those in the workers' hands keep every worker busy
// while the renderer draws; a budget keeps huge pictures from taking
// gigabytes of copies.
constexpr std::size_t kHeldPerWorker = 2;
constexpr std::size_t kHeldBytesBudget = std::size_t{512} << 20;

// The encoder's buffers and the file, which grows in steps as zlib fills
// it, may throw when memory runs out; here, on the worker, that ends the
// picture with no result. The failure's line needs memory too (the thread's
// own may be what ran out): the renderer's thread makes it (TakeNext). The
// encoder is made once, by the first picture.
std::optional<EncodedPicture> Encode(std::unique_ptr<PngEncoder>& encoder, const PixelStore& picture)
{
    try {
        if (!encoder) encoder = std::make_unique<PngEncoder>();
        return encoder->Encode(picture);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
}  // namespace

EncoderPool::EncoderPool(std::size_t held) : m_held(std::max<std::size_t>(held, 1))
{
    // Every copy may come back as a spare: room for all of them now, so
    // that a worker never grows the list.
    m_spare.reserve(m_held);
}

Result<std::unique_ptr<EncoderPool>> EncoderPool::Start(int workers, std::size_t held)
{
    std::unique_ptr<EncoderPool> pool(new EncoderPool(held));
    pool->m_workers.reserve(static_cast<std::size_t>(std::max(workers, 1)));
    // std::thread reports a thread the system will not start (no memory
    // for its stack, a limit on threads) only by throwing; fewer workers
    // still export, only more slowly.
    try {
        for (int i = 0; i < std::max(workers, 1); ++i) pool->m_workers.emplace_back([p = pool.get()] { p->Work(); });
    } catch (const std::system_error& error) {
        if (pool->m_workers.empty())
            return Failure::Runtime(std::string("cannot start a thread to encode the pictures: ") +
                                    std::strerror(error.code().value()));
    }
    return pool;
}

EncoderPool::~EncoderPool()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_waiting.clear();
    }
    m_workArrived.notify_all();
    for (std::thread& worker : m_workers) worker.join();
}

std::size_t EncoderPool::HeldFor(int workers, std::size_t pictureBytes)
{
    const std::size_t wanted = kHeldPerWorker * static_cast<std::size_t>(std::max(workers, 1));
    const std::size_t affordable = kHeldBytesBudget / std::max<std::size_t>(pictureBytes, 1);
    return std::clamp<std::size_t>(affordable, 1, wanted);
}

bool EncoderPool::Full() const
{
    std::lock_guard lock(m_mutex);
    return m_inOrder.size() >= m_held;
}

bool EncoderPool::Empty() const
{
    std::lock_guard lock(m_mutex);
    return m_inOrder.empty();
}

Result<> EncoderPool::Submit(const PixelStore& picture)
{
    auto job = std::make_shared<Job>();
    job->width = picture.Width();
    job->height = picture.Height();
    {
        // A copy whose encoding is done lends its pages: fresh ones would
        // be faulted in one by one.
        std::lock_guard lock(m_mutex);
        if (!m_spare.empty()) {
            job->picture = std::move(m_spare.back());
            m_spare.pop_back();
        }
    }
    if (job->picture.Width() != picture.Width() || job->picture.Height() != picture.Height())
        TRY(MakePicture(job->picture, picture.Width(), picture.Height()));
    for (int y = 0; y < picture.Height(); ++y) job->picture.SetRow(0, y, picture.Row(y), picture.Width());
    {
        std::lock_guard lock(m_mutex);
        m_inOrder.push_back(job);
        m_waiting.push_back(std::move(job));
    }
    m_workArrived.notify_one();
    return {};
}

bool EncoderPool::NextReady() const
{
    std::lock_guard lock(m_mutex);
    return !m_inOrder.empty() && m_inOrder.front()->encoded;
}

EncodedPicture EncoderPool::TakeNext()
{
    std::unique_lock lock(m_mutex);
    m_jobDone.wait(lock, [this] { return m_inOrder.front()->encoded; });
    const std::shared_ptr<Job> job = std::move(m_inOrder.front());
    m_inOrder.pop_front();
    lock.unlock();
    if (!job->result) return Failure::NotEnoughMemoryFor("encoding " + PictureOfSize(job->width, job->height));
    return std::move(*job->result);
}

void EncoderPool::Work()
{
    std::unique_ptr<PngEncoder> encoder;
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(m_mutex);
            m_workArrived.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_stopping) return;
            job = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        std::optional<EncodedPicture> result = Encode(encoder, job->picture);
        {
            std::lock_guard lock(m_mutex);
            m_spare.push_back(std::move(job->picture));
            job->result = std::move(result);
            job->encoded = true;
        }
        m_jobDone.notify_all();
    }
}

}  // namespace quorvana
