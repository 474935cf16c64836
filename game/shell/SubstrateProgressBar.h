#pragma once

// A progress bar drawn over a backing picture (its substrate, a child). An inverse bar empties
// as its value grows. Its depth stays at its own "deep" value whatever depth it is given.

#include "engine/gui/ProgressBar.h"

class cSubstrateProgressBar : public Engine::cProgressBar {
public:
    cSubstrateProgressBar(Engine::cWidget* parent, bool inverse);
    // The prototype's depth and direction, and a copy of its substrate as a child.
    cSubstrateProgressBar(const cSubstrateProgressBar& other);

    // "deep", the bar's keys and the "Substrate" element.
    void loadXML(const Engine::IXmlNode* node) override;
    // Always back to the bar's own depth.
    void setDepth(float depth) override;
    void setInverseX(bool inverse) override;

    // The value as the caller sees it, at most the maximum.
    void setValue(float value);
    void setMaximum(float maximum);
    // The value last given, as the caller sees it (the inverse of the stored one for an inverse bar).
    float getValue() const;

    Engine::cPanel* getSubstrate() const { return m_substrate; }
    bool isInverse() const { return m_inverse; }

private:
    Engine::cPanel* m_substrate;
    float m_depthValue = 0;
    bool m_inverse;
};
