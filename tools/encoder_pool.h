// SPDX-License-Identifier: MIT
// Encodes finished pictures as PNG on worker threads while the renderer
// draws the next ones. The renderer's thread hands in a copy of each
// picture and takes the encoded files back in the order it handed them in.
// At most a fixed number of pictures are held at once (waiting, being
// encoded, or encoded and not yet taken), so memory does not grow with the
// number of pictures exported. Memory running out is a failure like any
// other: a copy that cannot be made fails Submit, and an encoding that runs
// out hands its failure back through TakeNext; nothing escapes a worker.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "common/failure.h"
#include "render/pixel_store.h"

namespace quorvana {

// A PNG file's bytes, or why the picture could not be encoded.
using EncodedPicture = Result<std::vector<unsigned char>>;

class EncoderPool {
public:
    // Up to workers threads, as many as the system will start (at least
    // one, else the failure); held >= 1 bounds the pictures held at once.
    static Result<std::unique_ptr<EncoderPool>> Start(int workers, std::size_t held);
    // Stops the workers; pictures not yet taken are dropped.
    ~EncoderPool();
    EncoderPool(const EncoderPool&) = delete;
    EncoderPool& operator=(const EncoderPool&) = delete;

    // True when Submit must wait for TakeNext to make room.
    bool Full() const;
    bool Empty() const;
    // Copies the picture into the queue; call only when not Full. Fails,
    // holding nothing more, when memory runs out for the copy.
    Result<> Submit(const PixelStore& picture);
    // True when the oldest picture handed in is encoded.
    bool NextReady() const;
    // The oldest picture handed in, once encoded; call only when not Empty.
    EncodedPicture TakeNext();

    // The pictures a pool may hold for pictures of this many bytes: a few
    // per worker, fewer for very large pictures, never none.
    static std::size_t HeldFor(int workers, std::size_t pictureBytes);

private:
    struct Job {
        PixelStore picture;
        int width = 0;
        int height = 0;
        bool encoded = false;
        std::optional<EncodedPicture> result;  // once encoded; none when memory ran out
    };

    explicit EncoderPool(std::size_t held);
    void Work();

    const std::size_t m_held;
    mutable std::mutex m_mutex;
    std::condition_variable m_workArrived;
    std::condition_variable m_jobDone;
    std::deque<std::shared_ptr<Job>> m_inOrder;  // everything held, oldest first
    std::deque<std::shared_ptr<Job>> m_waiting;  // handed in, not yet picked up by a worker
    std::vector<PixelStore> m_spare;             // copies already encoded, for reuse
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};

}  // namespace quorvana
