// SPDX-License-Identifier: MIT
// How one surface's picture reaches the compositor. The picture is cut into
// bands of rows, each shown by a subsurface with a wl_shm buffer of its own
// (shm_buffer.h), and the renderer draws straight into those buffers through
// this Surface. A commit attaches only the bands drawn into, with only the
// rows drawn since the last commit marked as damaged; at most one commit
// waits for each frame callback, so a fast pace draws several rows per
// output frame and sends them together. The bands' subsurfaces are
// desynchronised and the surface beneath them, a 1 x 1 black backdrop that
// the caller's viewport stretches, is committed only with a new size: a
// compositor may go over every band at each of its commits.
//
// A buffer the compositor holds (committed, not yet released) is never
// written. A compositor that copies what it is given and releases at once
// (GL renderers) never holds one at a tick. One that reads the client's
// memory while showing it (pixman) holds each band's buffer until the next
// one is attached, so a band drawn into needs another buffer: one spare,
// made the first time, passes from band to band and catches up on what the
// band shows (only on the rows drawn since, when it comes back to the band
// it left). The picture thus costs its own size and one band, not twice its
// size. Writes into a band whose buffer is held while the spare is busy
// elsewhere (a frame end's marker crosses many bands at once) wait in the
// band (pending_writes.h); while any wait, each release is followed at once
// by the commit of the next band, without waiting for a frame.
//
// At a fractional scale, or without subsurfaces or viewporter, the picture
// is one band on the surface itself: bands must start at whole logical rows.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <wayland-client.h>

#include "common/failure.h"
#include "render/surface.h"
#include "wayland/connection.h"
#include "wayland/pending_writes.h"
#include "wayland/proxy.h"
#include "wayland/shm_buffer.h"

namespace quorvana {

// Rows top … bottom − 1; empty when bottom ≤ top.
struct RowSpan {
    int top = 0;
    int bottom = 0;

    bool IsEmpty() const { return bottom <= top; }
    int Height() const { return bottom - top; }
    // The smallest span holding both.
    RowSpan Joined(const RowSpan& other) const;
};

// A picture of `height` rows in bands of about kBandRows: each band a whole
// number of `scale` rows, so that it starts at a logical row; the last band
// takes what is left.
inline constexpr int kBandRows = 32;
std::vector<RowSpan> BandRows(int height, int scale);

class SurfacePresenter final : public Surface {
public:
    SurfacePresenter(const WaylandConnection& connection, wl_surface* surface)
        : m_connection(connection), m_surface(surface)
    {
    }
    SurfacePresenter(const SurfacePresenter&) = delete;
    SurfacePresenter& operator=(const SurfacePresenter&) = delete;

    // Whether this compositor lets the picture be cut into bands.
    bool CanBand() const { return m_connection.Subcompositor() && m_connection.Viewporter(); }
    // A black picture of width × height device pixels, sent at the next
    // Commit whatever frame is pending. bandScale > 0: in bands on
    // subsurfaces at that buffer scale, over a black backdrop the caller's
    // viewport stretches over the surface; 0: one band on the surface
    // itself, whose scale or viewport the caller sets.
    [[nodiscard]] Result<> Resize(int width, int height, int bandScale);
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Whether row y can be drawn into its band's buffer now. A tick whose
    // row cannot waits, so that writes wait in bands only at a frame end and
    // never pile up behind a compositor that stopped releasing.
    bool ReadyForRow(int y) const;
    // Sends what was drawn (see above), and a failure to make the spare.
    [[nodiscard]] Result<> Commit();

    // The renderer's surface: the whole picture, no clip.
    void SetPixel(int x, int y, COLORREF colour) override { SetRow(x, y, &colour, 1); }
    COLORREF GetPixel(int x, int y) const override;
    void FillBlack(const Rect& rect) override;
    Rect ClientRect() const override { return Rect{0, 0, m_width, m_height}; }
    void SetRow(int x, int y, const COLORREF* colours, int count) override;
    COLORREF* WritableRow(int x, int y, int count) override;
    const COLORREF* ReadableRow(int x, int y, int count) const override;

private:
    struct Band {
        RowSpan rows;                       // the picture's rows it shows
        Proxy<wl_surface> surface;          // null: the band is the presenter's surface
        Proxy<wl_subsurface> subsurface;
        std::unique_ptr<ShmBuffer> buffer;  // what it shows; drawn into while not held
        RowSpan undamaged;                  // its own rows drawn since the last commit
        PendingWrites pending;
    };
    static const wl_callback_listener s_frameListener;
    static void OnFrameDone(void* data, wl_callback* callback, std::uint32_t time);

    Band& BandAt(int y);
    const Band& BandAt(int y) const;
    wl_surface* SurfaceOf(const Band& band) const { return band.surface ? band.surface.get() : m_surface; }
    // Makes the band's buffer writable, by the spare if the compositor holds
    // it; false while the spare is busy (or could not be made).
    bool MakeWritable(Band& band);
    void MarkDrawn(Band& band, RowSpan rows);
    // Applies the waiting writes of every band whose buffer can be written.
    void ApplyPending();
    bool AnyPending() const;

    const WaylandConnection& m_connection;
    wl_surface* m_surface;
    int m_width = 0;
    int m_height = 0;
    int m_bandRows = 0;  // every band's height but the last's
    std::unique_ptr<ShmBuffer> m_backdrop;  // the surface's own 1 × 1 black buffer under bands
    bool m_backdropSent = true;
    std::vector<Band> m_bands;
    std::unique_ptr<ShmBuffer> m_spare;
    std::size_t m_spareBand = 0;        // the band the spare last showed (when m_spare)
    RowSpan m_spareLags;                // that band's rows drawn since: where the spare differs
    std::optional<Failure> m_failed;    // making the spare failed inside a drawing call
    Proxy<wl_callback> m_frame;         // the last paced commit's, until it is shown
};

}  // namespace quorvana
