// SPDX-License-Identifier: MIT
// The renderer's own state, for its tests, benchmarks and fuzzers only: they
// set up a view, a best row or a limit directly and check the state to the
// bit after a step. JuliaRendererPeer binds each private field of one
// renderer under the field's own name; a peer of a const renderer reads
// only.
//
//     JuliaRendererPeer state(renderer);
//     state.m_bestRow = 240;
//     renderer.FinishPicture(store);
//     EXPECT_EQ(state.m_row, 0);
//
// The peer holds references: it must not outlive its renderer, and a copy of
// the renderer needs a peer of its own.
#pragma once

#include <cstdint>
#include <type_traits>

#include "render/julia_renderer.h"

namespace quorvana {

template <class Renderer>  // JuliaRenderer or const JuliaRenderer
class JuliaRendererPeer {
    static_assert(std::is_same_v<std::remove_const_t<Renderer>, JuliaRenderer>);
    template <class T>
    using Field = std::conditional_t<std::is_const_v<Renderer>, const T&, T&>;

public:
    explicit JuliaRendererPeer(Renderer& r)
        : m_width(r.m_width), m_height(r.m_height), m_reMin(r.m_reMin), m_reMax(r.m_reMax), m_imMin(r.m_imMin),
          m_imMax(r.m_imMax), m_maxIter(r.m_maxIter), m_zReOld(r.m_zReOld), m_zRe(r.m_zRe), m_zIm(r.m_zIm),
          m_cRe(r.m_cRe), m_cIm(r.m_cIm), m_iter(r.m_iter), m_reStep(r.m_reStep), m_imStep(r.m_imStep),
          m_col(r.m_col), m_row(r.m_row), m_curRe(r.m_curRe), m_curIm(r.m_curIm), m_rowChanges(r.m_rowChanges),
          m_bestChanges(r.m_bestChanges), m_bestRow(r.m_bestRow), m_lastValue(r.m_lastValue), m_aspect(r.m_aspect)
    {
    }

    // In the order and with the meaning of the renderer's declarations.
    Field<std::int32_t> m_width;
    Field<std::int32_t> m_height;
    Field<double> m_reMin;
    Field<double> m_reMax;
    Field<double> m_imMin;
    Field<double> m_imMax;
    Field<std::int32_t> m_maxIter;
    Field<double> m_zReOld;
    Field<double> m_zRe;
    Field<double> m_zIm;
    Field<double> m_cRe;
    Field<double> m_cIm;
    Field<std::int32_t> m_iter;
    Field<double> m_reStep;
    Field<double> m_imStep;
    Field<std::int32_t> m_col;
    Field<std::int32_t> m_row;
    Field<double> m_curRe;
    Field<double> m_curIm;
    Field<std::int32_t> m_rowChanges;
    Field<std::int32_t> m_bestChanges;
    Field<std::int32_t> m_bestRow;
    Field<COLORREF> m_lastValue;
    Field<double> m_aspect;
};

}  // namespace quorvana
