#pragma once

// Pixel tests: an OpenGL render device on a headless Mesa EGL context (software rendering),
// and comparisons of single back-buffer pixels with a tolerance of 2 per channel.

#include "engine/platform/RenderDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace TestSupport {

// The device with a back buffer of width x height, or null with the reason in reason.
std::unique_ptr<Platform::IRenderDevice> createPixelTestDevice(int width, int height, std::string& reason);

// True when a colour channel of the two 0xAARRGGBB pixels differs by more than tolerance (alpha
// is not compared).
bool colorsDiffer(uint32_t a, uint32_t b, int tolerance = 2);

// Success when every channel of the back-buffer pixel at (x, y), rows top first, is within
// tolerance of expected (0xAARRGGBB; alpha is not compared).
::testing::AssertionResult pixelNear(Platform::IRenderDevice& device, int x, int y, uint32_t expected,
                                     int tolerance = 2);

// Writes the box (left, top, width, height) of a frame of 0xAARRGGBB pixels, `stride` pixels a row,
// as an RGB PNG (the docs' screenshots); false when the file cannot be written.
bool writeRgbPng(const std::string& path, const std::vector<uint32_t>& argb, int stride, int left, int top, int width,
                 int height);

} // namespace TestSupport

// Skips the test with the reason when no GL device can be made.
#define MEADOW_PIXEL_DEVICE(variable, width, height)                                                                   \
    std::string variable##Reason;                                                                                      \
    std::unique_ptr<Platform::IRenderDevice> variable =                                                                \
        TestSupport::createPixelTestDevice(width, height, variable##Reason);                                           \
    if (!variable)                                                                                                     \
    GTEST_SKIP() << "No headless OpenGL: " << variable##Reason
