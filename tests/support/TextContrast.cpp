#include "tests/support/TextContrast.h"

#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "tests/support/PixelTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace TestSupport {

namespace {

double linear(uint32_t channel) {
    const double c = double(channel & 255u) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(uint32_t argb) {
    return 0.2126 * linear(argb >> 16) + 0.7152 * linear(argb >> 8) + 0.0722 * linear(argb);
}

double contrastRatio(uint32_t a, uint32_t b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string cTextContrast::describe() const {
    char text[160];
    std::snprintf(text, sizeof text,
                  "contrast %.2f against #%06X (%d pixels changed, %d letter pixels, %d around them)", contrast,
                  background & 0xFFFFFFu, changedPixels, letterPixels, ringPixels);
    return text;
}

cTextContrast measureTextContrast(const std::vector<uint32_t>& with, const std::vector<uint32_t>& without, int width,
                                  const cPixelBox& box, uint32_t textColor) {
    const int height = int(with.size()) / width;
    const int left = std::max(0, box.left), top = std::max(0, box.top);
    const int right = std::min(width, box.left + box.width), bottom = std::min(height, box.top + box.height);
    cTextContrast result;
    if (right <= left || bottom <= top || without.size() != with.size())
        return result;
    const int w = right - left, h = bottom - top;
    auto index = [&](int x, int y) { return size_t(y + top) * size_t(width) + size_t(x + left); };
    // Letter pixels: drawn by the text, in (nearly) the text's colour; edges blended with what
    // lies behind them are not the text's colour and are left out.
    std::vector<char> letter(size_t(w) * size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (colorsDiffer(with[index(x, y)], without[index(x, y)], 2)) {
                ++result.changedPixels;
                if (!colorsDiffer(with[index(x, y)], textColor, 24)) {
                    letter[size_t(y * w + x)] = 1;
                    ++result.letterPixels;
                }
            }
    // The ring: pixels 1.4 to 2 pixels (squared distance 2 to 4) from the nearest letter pixel,
    // past the letters' blended edges.
    auto ringDistance = [&](int x, int y) {
        int nearest = 100;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < w && ny < h && letter[size_t(ny * w + nx)])
                    nearest = std::min(nearest, dx * dx + dy * dy);
            }
        return nearest;
    };
    std::vector<std::pair<double, uint32_t>> ring;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (const int squared = ringDistance(x, y); squared > 1 && squared <= 4) {
                const uint32_t pixel = with[index(x, y)];
                ring.emplace_back(contrastRatio(pixel, textColor), pixel);
            }
    result.ringPixels = int(ring.size());
    if (ring.empty())
        return result;
    std::sort(ring.begin(), ring.end());
    const auto& tenth = ring[ring.size() / 10];
    result.contrast = tenth.first;
    result.background = tenth.second;
    return result;
}

cPixelBox labelBox(Engine::cLabel& label, int margin) {
    const float width = label.getTextWidth(), height = label.getTextHeight();
    float left = label.getPosition().x - width * 0.5f;
    if (label.getAlign() == Engine::ALIGN_LEFT)
        left = label.getPosition().x;
    else if (label.getAlign() == Engine::ALIGN_RIGHT)
        left = label.getPosition().x - width;
    return {int(left) - margin, int(label.getPosition().y - height * 0.5f) - margin, int(width) + 2 * margin,
            int(height) + 2 * margin};
}

double requiredContrast(Engine::cLabel& label) {
    const std::string& name = label.getTexture();
    const size_t slash = name.find_last_of('/');
    const std::string file = slash == std::string::npos ? name : name.substr(slash + 1);
    const size_t digits = file.find_first_of("0123456789");
    const double pixels = digits == std::string::npos ? 0 : std::atof(file.c_str() + digits) * label.getMultiplier();
    const bool bold = file.rfind("Title", 0) == 0 || file.rfind("Digits", 0) == 0;
    return pixels >= 24 || (bold && pixels >= 18.7) ? AA_LARGE_TEXT : AA_NORMAL_TEXT;
}

std::vector<Engine::cLabel*> shownLabels() {
    std::vector<Engine::cLabel*> labels;
    for (Engine::IFrameWidget* widget : Engine::getLiveWidgets())
        if (auto* label = dynamic_cast<Engine::cLabel*>(widget))
            if (label->isVisible() && label->getAlpha() > 0.9f && !label->getText().empty() &&
                label->getTextWidth() > 0)
                labels.push_back(label);
    return labels;
}

cTextContrast measureLabel(Engine::cLabel& label, const std::function<std::vector<uint32_t>()>& frame, int width) {
    const cPixelBox box = labelBox(label);
    cTextContrast result;
    // A scene that changes around the label meanwhile (a tip coming up, a panel sliding in) is
    // measured again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // The label hidden; one that carries pictures (a coin beside a price) keeps them, only its
        // letters made clear.
        const std::vector<uint32_t> with = frame();
        const bool carries = !label.getChildren().empty();
        const float alpha = label.getAlpha();
        if (carries)
            label.setAlpha(0);
        else
            label.hide();
        const std::vector<uint32_t> without = frame();
        if (carries)
            label.setAlpha(alpha);
        else
            label.show();
        const std::vector<uint32_t> again = frame();
        result = measureTextContrast(with, without, width, box, label.getColor().toARGB());
        int moved = 0;
        for (int y = std::max(0, box.top); y < box.top + box.height && y < int(with.size()) / width; ++y)
            for (int x = std::max(0, box.left); x < box.left + box.width && x < width; ++x)
                moved += colorsDiffer(with[size_t(y * width + x)], again[size_t(y * width + x)], 2) ? 1 : 0;
        if (moved * 20 <= box.width * box.height)
            break;
    }
    return result;
}

std::vector<std::wstring> expectShownTextsRead(const std::function<std::vector<uint32_t>()>& frame, int width,
                                               const std::string& where) {
    std::vector<std::wstring> measured;
    for (Engine::cLabel* label : shownLabels()) {
        // A tip closed meanwhile takes its labels with it.
        if (!Engine::isWidgetAlive(label) || !label->isVisible())
            continue;
        const cTextContrast text = measureLabel(*label, frame, width);
        // Covered, or shaded under a dialog that the player reads instead.
        if (text.changedPixels == 0 || text.letterPixels == 0)
            continue;
        measured.push_back(label->getText());
        const std::string name = where + ": \"" + Engine::wideToNarrow(label->getText()) + "\"";
        EXPECT_GE(text.letterPixels, 10) << name << " shows no letters in its colour, " << text.describe();
        EXPECT_GE(text.contrast, requiredContrast(*label)) << name << ", " << text.describe();
    }
    return measured;
}

} // namespace TestSupport
