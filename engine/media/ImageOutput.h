#pragma once

// Image output: device-independent bitmaps (bottom row first, blue-green-red, rows padded to
// four bytes) turned into top-first RGB rows and written as JPEG files, as screenshots are.

#include <cstdint>
#include <string>

namespace Engine {

// The fields of a Windows BITMAPINFOHEADER; width, height and bit count are read.
struct cBitmapInfoHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};

// A 5-5-5 pixel as 0x00RRGGBB; each 5-bit field k becomes 0, 8k + 8 or (for 31) 255.
uint32_t rgb555ToRgb(uint16_t color);

// Fills rows[0 .. height-1] (each width x 3 bytes: red, green, blue; top row first) from the
// bitmap's 16-, 24- or 32-bit pixels. Returns false with the reason in errorText:
// "Invalid input data", "Invalid bitmap bit count", or "Unsupported bitmap bit count" for the
// palette formats (1, 4 and 8 bits), which are not converted.
bool bitmapToRgbRows(const cBitmapInfoHeader* header, const uint8_t* pixels, int rowLength, uint8_t** rows,
                     std::string* errorText);

// Writes the bitmap as a baseline JPEG of the given quality (0 to 100) to fileName. Returns
// true when the whole file was written; otherwise false with the reason in errorText and no
// half-written file left behind. Library errors (a full disk) come back here; nothing is thrown.
bool writeJpeg(const cBitmapInfoHeader* header, const uint8_t* pixels, int quality, const std::wstring& fileName,
               std::string* errorText);

} // namespace Engine
