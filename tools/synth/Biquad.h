#pragma once

// A second-order filter section (direct form I) with the usual audio designs; the coefficients
// may change between samples, so sweeping filters keep their state.

#include "tools/synth/Signal.h"

#include <algorithm>
#include <cmath>

namespace Synth {

class cBiquad {
public:
    void setLowpass(double frequency, double q = 0.7071) { design(frequency, q, LOWPASS); }
    void setHighpass(double frequency, double q = 0.7071) { design(frequency, q, HIGHPASS); }
    // Peak gain 1 at the centre frequency.
    void setBandpass(double frequency, double q) { design(frequency, q, BANDPASS); }
    void setHighShelf(double frequency, double q, double gainDb);

    double process(double x) {
        double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }
    void processAll(cSignal& signal, int channel = 0) {
        for (size_t i = 0; i < signal.getFrames(); ++i)
            signal.at(i, channel) = float(process(signal.at(i, channel)));
    }

private:
    enum eKind { LOWPASS, HIGHPASS, BANDPASS };
    void design(double frequency, double q, eKind kind);
    void set(double b0, double b1, double b2, double a0, double a1, double a2) {
        m_b0 = b0 / a0;
        m_b1 = b1 / a0;
        m_b2 = b2 / a0;
        m_a1 = a1 / a0;
        m_a2 = a2 / a0;
    }

    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

inline void cBiquad::design(double frequency, double q, eKind kind) {
    double w = 2.0 * PI * std::clamp(frequency, 10.0, RATE * 0.45) / RATE;
    double cosw = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    switch (kind) {
    case LOWPASS:
        set((1 - cosw) / 2, 1 - cosw, (1 - cosw) / 2, 1 + alpha, -2 * cosw, 1 - alpha);
        break;
    case HIGHPASS:
        set((1 + cosw) / 2, -(1 + cosw), (1 + cosw) / 2, 1 + alpha, -2 * cosw, 1 - alpha);
        break;
    case BANDPASS:
        set(alpha, 0, -alpha, 1 + alpha, -2 * cosw, 1 - alpha);
        break;
    }
}

inline void cBiquad::setHighShelf(double frequency, double q, double gainDb) {
    double a = std::pow(10.0, gainDb / 40.0);
    double w = 2.0 * PI * frequency / RATE;
    double cosw = std::cos(w), alpha = std::sin(w) / (2.0 * q), root = 2.0 * std::sqrt(a) * alpha;
    set(a * ((a + 1) + (a - 1) * cosw + root), -2 * a * ((a - 1) + (a + 1) * cosw),
        a * ((a + 1) + (a - 1) * cosw - root), (a + 1) - (a - 1) * cosw + root, 2 * ((a - 1) - (a + 1) * cosw),
        (a + 1) - (a - 1) * cosw - root);
}

} // namespace Synth
