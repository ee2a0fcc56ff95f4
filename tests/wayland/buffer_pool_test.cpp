// SPDX-License-Identifier: MIT
// The picture's buffer pool against a fake compositor that releases at once,
// at the next attach (pixman) or only when told. Each case is a script of
// ticks, commits, releases and new sizes; after every step the harness
// checks what the presenter relies on: the buffer given to draw into holds
// the whole picture, a commit's damage covers every row changed since the
// last commit, and no buffer the compositor holds, nor one dropped, is
// written. Each case then says how many buffers were made and how many
// ticks waited or failed.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/colour.h"
#include "wayland/buffer_pool.h"

namespace quorvana {
namespace {

enum class Release { AtOnce, AtNextAttach, WhenTold };

// A buffer's memory, owned by the test so that it outlives the buffer.
struct Memory {
    int width = 0;
    std::vector<COLORREF> pixels;
    bool busy = false;
    bool dropped = false;
    std::vector<COLORREF> frozen;  // its pixels when last committed or dropped
};

struct FakeBuffer {
    explicit FakeBuffer(Memory* made) : memory(made) {}
    ~FakeBuffer()
    {
        memory->dropped = true;
        memory->frozen = memory->pixels;
    }
    bool Busy() const { return memory->busy; }
    COLORREF* Pixels() const { return memory->pixels.data(); }
    int StridePixels() const { return memory->width; }

    Memory* memory;
};

class FakeCompositor {
public:
    FakeCompositor(Release release, int memoryFor)
        : m_release(release), m_memoryFor(memoryFor),
          m_pool([this](int width, int height) -> Result<std::unique_ptr<FakeBuffer>> {
              if (static_cast<int>(m_memories.size()) == m_memoryFor) return Failure::Runtime("out of memory");
              m_memories.push_back(std::make_unique<Memory>(
                  Memory{width, std::vector<COLORREF>(static_cast<std::size_t>(width * height), kBlack), false, false, {}}));
              return std::make_unique<FakeBuffer>(m_memories.back().get());
          })
    {
    }

    // A new size: the picture starts black.
    void Resize(int width, int height)
    {
        ASSERT_TRUE(m_pool.Resize(width, height));
        m_width = width;
        m_picture.assign(static_cast<std::size_t>(width * height), kBlack);
        m_shown.clear();  // nothing of this size shown yet: the damage must be whole
    }
    // A tick: one row, or every row at once as a frame end's marker does.
    void Tick(bool allRows)
    {
        Result<FakeBuffer*> acquired = m_pool.Acquire();
        if (!acquired) {
            ++failures;
            return;
        }
        FakeBuffer* buffer = std::move(acquired).TakeValue();
        if (!buffer) {
            ++waits;
            return;
        }
        EXPECT_EQ(buffer->memory->pixels, m_picture) << "the buffer to draw into lacks part of the picture";
        const int height = static_cast<int>(m_picture.size()) / m_width;
        const RowSpan rows = allRows ? RowSpan{0, height} : RowSpan{m_ticks % height, m_ticks % height + 1};
        ++m_ticks;
        for (int y = rows.top; y < rows.bottom; ++y) {
            const std::size_t at = static_cast<std::size_t>(y * m_width + m_ticks % m_width);
            buffer->Pixels()[at] = m_picture[at] = static_cast<COLORREF>(m_ticks);
        }
        m_pool.MarkDrawn(rows);
    }
    void Commit()
    {
        const RowSpan damage = m_pool.TakeDamage();
        if (damage.IsEmpty()) return;
        Memory& attached = *m_pool.Current()->memory;
        EXPECT_FALSE(attached.busy) << "committed a buffer the compositor holds";
        EXPECT_EQ(attached.pixels, m_picture) << "committed a buffer lacking part of the picture";
        for (std::size_t i = 0; i < m_picture.size(); ++i) {
            const int y = static_cast<int>(i) / m_width;
            if (m_shown.empty() || m_shown[i] != m_picture[i]) {
                EXPECT_TRUE(y >= damage.top && y < damage.bottom) << "row " << y << " changed but is not damaged";
            }
        }
        m_shown = m_picture;
        if (m_release == Release::AtNextAttach && m_attached) m_attached->busy = false;
        attached.busy = m_release != Release::AtOnce;
        attached.frozen = attached.pixels;
        m_attached = &attached;
    }
    void ReleaseAll()
    {
        for (const auto& memory : m_memories) memory->busy = false;
    }
    // No buffer held or dropped has changed since.
    void ExpectNothingHeldWritten() const
    {
        for (const auto& memory : m_memories)
            if (memory->busy || memory->dropped) {
                EXPECT_EQ(memory->pixels, memory->frozen) << "a held buffer was written";
            }
    }

    int Made() const { return static_cast<int>(m_memories.size()); }
    int waits = 0;
    int failures = 0;

private:
    Release m_release;
    int m_memoryFor;
    std::vector<std::unique_ptr<Memory>> m_memories;
    BufferPool<FakeBuffer> m_pool;
    int m_width = 0;
    std::vector<COLORREF> m_picture;  // what the renderer drew
    std::vector<COLORREF> m_shown;    // as of the last commit
    Memory* m_attached = nullptr;
    int m_ticks = 0;
};

TEST(BufferPool, ScriptsOfTicksCommitsAndReleases)
{
    // d: a tick drawing a row, m: one drawing every row, c: a commit,
    // r: the compositor releases all it holds, s: a new size.
    const struct {
        const char* name;
        Release release;
        int memoryFor;  // buffers the factory can make
        const char* script;
        int made, waits, failures;
    } cases[] = {
        {"released at once: one buffer", Release::AtOnce, 9, "dcdcddcmcdcsdcdc", 2, 0, 0},
        {"held to the next attach: two take turns", Release::AtNextAttach, 9, "dcdcdddcmcdcmdcdc", 2, 0, 0},
        {"released late: the held one catches up", Release::WhenTold, 9, "dcdrdcdrdcmrdc", 2, 0, 0},
        {"both held: ticks wait until a release", Release::WhenTold, 9, "dcdcdddrdcdmc", 2, 3, 0},
        {"a new size while both are held", Release::WhenTold, 9, "dcdcsdcdcrdc", 4, 0, 0},
        {"a new size while one is held", Release::AtNextAttach, 9, "dcdcdsdcdcdc", 4, 0, 0},
        {"no memory for the second: the tick fails", Release::AtNextAttach, 1, "dcd", 1, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeCompositor compositor(c.release, c.memoryFor);
        compositor.Resize(4, 6);
        int sizes = 0;
        for (const char* step = c.script; *step; ++step) {
            SCOPED_TRACE(std::string("step ") + std::to_string(step - c.script) + " '" + *step + "'");
            switch (*step) {
                case 'd': compositor.Tick(false); break;
                case 'm': compositor.Tick(true); break;
                case 'c': compositor.Commit(); break;
                case 'r': compositor.ReleaseAll(); break;
                case 's': ++sizes; compositor.Resize(4 + sizes, 6 + 2 * sizes); break;
                default: FAIL() << "no step '" << *step << "'";
            }
            compositor.ExpectNothingHeldWritten();
        }
        EXPECT_EQ(compositor.Made(), c.made);
        EXPECT_EQ(compositor.waits, c.waits);
        EXPECT_EQ(compositor.failures, c.failures);
    }
}

}  // namespace
}  // namespace quorvana
