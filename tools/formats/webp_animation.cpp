// SPDX-License-Identifier: MIT
#include "tools/formats/webp_animation.h"

#include <string>

#include <webp/encode.h>
#include <webp/mux.h>

#include "tools/formats/not_enough_memory.h"

namespace quorvana {

// libwebp's encoder, the frame picture it reads and the settings of every
// frame, freed together.
struct WebpAnimation::Encoder {
    WebPAnimEncoder* animation = nullptr;
    WebPPicture frame{};
    WebPConfig config{};

    ~Encoder()
    {
        WebPPictureFree(&frame);
        if (animation) WebPAnimEncoderDelete(animation);
    }
};

WebpAnimation::WebpAnimation(int width, int height, const Theme& theme)
    : m_encoder(std::make_unique<Encoder>()), m_theme(theme)
{
    WebPAnimEncoderOptions options;
    WebPAnimEncoderOptionsInit(&options);
    options.kmax = 0;  // no key frames: each frame is only what changed
    options.anim_params.loop_count = 0;  // repeat forever
    m_encoder->animation = WebPAnimEncoderNew(width, height, &options);
    WebPConfigInit(&m_encoder->config);
    m_encoder->config.lossless = 1;
    m_encoder->config.method = 4;
    m_encoder->config.quality = 100;  // for lossless: the effort, not a loss
    WebPPictureInit(&m_encoder->frame);
    m_encoder->frame.use_argb = 1;
    m_encoder->frame.width = width;
    m_encoder->frame.height = height;
    if (!WebPPictureAlloc(&m_encoder->frame)) m_encoder->frame.argb = nullptr;
}

WebpAnimation::~WebpAnimation() = default;

Result<> WebpAnimation::AddFrame(const PixelStore& window, const Rect& changed, int milliseconds)
{
    WebPPicture& frame = m_encoder->frame;
    if (!m_encoder->animation || !frame.argb)
        return Failure::NotEnoughMemoryFor("recording " + PictureOfSize(frame.width, frame.height));
    // The frame picture keeps the window as the last frame left it (the
    // first frame, a repaint, covers it all): only the change is copied.
    for (int y = changed.top; y < changed.bottom; ++y) {
        const COLORREF* stored = window.Row(y);
        std::uint32_t* argb = frame.argb + static_cast<std::size_t>(y) * frame.argb_stride;
        // COLORREF is red in the low byte; WebP's ARGB has blue there.
        for (int x = changed.left; x < changed.right; ++x) {
            const COLORREF shown = m_theme.Shown(stored[x]);
            argb[x] = 0xFF000000u | (shown & 0xFF) << 16 | (shown & 0xFF00) | (shown >> 16 & 0xFF);
        }
    }
    if (!WebPAnimEncoderAdd(m_encoder->animation, &frame, m_timestampMs, &m_encoder->config)) {
        if (frame.error_code == VP8_ENC_ERROR_OUT_OF_MEMORY)
            return Failure::NotEnoughMemoryFor("recording " + PictureOfSize(frame.width, frame.height));
        return Failure::Runtime(std::string("the WebP encoder failed: ") + WebPAnimEncoderGetError(m_encoder->animation));
    }
    m_timestampMs += milliseconds;
    return {};
}

Result<> WebpAnimation::Finish()
{
    // The last frame lasts until the end's time stamp.
    WebPData file;
    WebPDataInit(&file);
    if (!WebPAnimEncoderAdd(m_encoder->animation, nullptr, m_timestampMs, nullptr) ||
        !WebPAnimEncoderAssemble(m_encoder->animation, &file))
        return Failure::Runtime(std::string("the WebP encoder failed: ") + WebPAnimEncoderGetError(m_encoder->animation));
    m_bytes.insert(m_bytes.end(), file.bytes, file.bytes + file.size);
    WebPDataClear(&file);
    return {};
}

}  // namespace quorvana
