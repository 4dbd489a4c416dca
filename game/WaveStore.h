// WaveStore.h: the route search's waves, layer by layer, in discovery order.
#pragma once

#include "game/BoardCell.h"

#include <cassert>
#include <cstdint>

// One flat list of points with the offset where each layer begins. Every cell enters the
// list at most once and the start once, so 169 points and 170 layer offsets (the last
// layer may be empty) always suffice, whatever the shape of the board or the route.
class WaveStore {
public:
    void Clear() {
        m_pointCount = 0;
        m_layerCount = 0;
    }

    // Opens a new last layer; Append adds to it.
    void OpenLayer() {
        assert(m_layerCount <= kCellCount);
        m_layerFirst[m_layerCount++] = m_pointCount;
    }

    void Append(RoutePoint point) {
        assert(m_layerCount > 0 && m_pointCount < kCellCount);
        m_points[m_pointCount++] = point;
    }

    int LayerCount() const { return m_layerCount; }
    int LayerSize(int layer) const { return LayerEnd(layer) - m_layerFirst[layer]; }
    const RoutePoint* Layer(int layer) const { return m_points + m_layerFirst[layer]; }

private:
    int LayerEnd(int layer) const {
        return layer + 1 < m_layerCount ? m_layerFirst[layer + 1] : m_pointCount;
    }

    RoutePoint m_points[kCellCount];
    std::int16_t m_layerFirst[kCellCount + 1];
    std::int16_t m_pointCount = 0;
    std::int16_t m_layerCount = 0;
};
