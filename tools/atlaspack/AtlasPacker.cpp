#include "AtlasPacker.h"

#include <algorithm>
#include <stdexcept>

AtlasPacker::AtlasPacker(int pageWidth, int pageHeight, int gap)
    : m_pageWidth(pageWidth), m_pageHeight(pageHeight), m_gap(gap) {}

bool AtlasPacker::place(Skyline& skyline, PackedPicture& picture, int page) {
    const int w = picture.width + m_gap, h = picture.height + m_gap;
    int bestX = -1, bestY = m_pageHeight + 1;
    // Columns step by 4 pixels: fast enough, and the loss of space is small.
    for (int x = 0; x + w <= m_pageWidth; x += 4) {
        const int top = *std::max_element(skyline.heights.begin() + x, skyline.heights.begin() + x + w);
        if (top + h <= m_pageHeight && top < bestY) {
            bestY = top;
            bestX = x;
        }
    }
    if (bestX < 0)
        return false;
    std::fill(skyline.heights.begin() + bestX, skyline.heights.begin() + bestX + w, bestY + h);
    picture.page = page;
    picture.x = bestX;
    picture.y = bestY;
    m_pageHeights[size_t(page)] = std::max(m_pageHeights[size_t(page)], bestY + picture.height);
    return true;
}

void AtlasPacker::pack(std::vector<PackedPicture>& pictures) {
    std::stable_sort(pictures.begin(), pictures.end(), [](const PackedPicture& a, const PackedPicture& b) {
        return a.height != b.height ? a.height > b.height : a.width > b.width;
    });
    for (PackedPicture& picture : pictures) {
        if (picture.width > m_pageWidth || picture.height > m_pageHeight)
            throw std::runtime_error(picture.name + " is larger than an atlas page");
        bool placed = false;
        for (size_t page = 0; page < m_pages.size() && !placed; ++page)
            placed = place(m_pages[page], picture, int(page));
        if (!placed) {
            m_pages.push_back(Skyline{std::vector<int>(size_t(m_pageWidth), 0)});
            m_pageHeights.push_back(0);
            if (!place(m_pages.back(), picture, int(m_pages.size()) - 1))
                throw std::runtime_error("cannot place " + picture.name);
        }
    }
}

int AtlasPacker::usedHeight(int page) const {
    return (m_pageHeights[size_t(page)] + 3) / 4 * 4;
}
