#pragma once

// Places rectangles on pages of a fixed width with a skyline: each picture goes where its top
// lands lowest, so pages stay dense. Pictures keep a gap between them so that filtering never
// reads a neighbour.

#include <string>
#include <vector>

struct PackedPicture {
    std::string name;
    int width = 0;
    int height = 0;
    int page = -1;
    int x = 0;
    int y = 0;
};

class AtlasPacker {
public:
    AtlasPacker(int pageWidth, int pageHeight, int gap);
    // Places every picture (tallest first); throws when one is larger than a page.
    void pack(std::vector<PackedPicture>& pictures);
    int pageCount() const { return int(m_pageHeights.size()); }
    // The height used on a page, rounded up to a multiple of 4.
    int usedHeight(int page) const;

private:
    struct Skyline {
        std::vector<int> heights;
    };
    bool place(Skyline& skyline, PackedPicture& picture, int page);

    int m_pageWidth, m_pageHeight, m_gap;
    std::vector<Skyline> m_pages;
    std::vector<int> m_pageHeights;
};
