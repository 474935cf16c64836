// Decoding and texture creation of a 1024x1024 PNG and of a 1024x1024 DXT5 DDS on the recording
// render device, and rendering a text texture of a 30-character line.

#include "engine/media/TextTexture.h"
#include "engine/media/TextureFactory.h"
#include "engine/platform/headless/RecordingRenderDevice.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Engine;

namespace {

constexpr int SIDE = 1024;

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

// A picture with gradients, soft noise and an alpha ramp, as the game's art compresses.
const std::string& pngFile() {
    static const std::string file = [] {
        std::string out;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_write_fn(png, &out, appendBytes, nullptr);
        png_set_IHDR(png, info, SIDE, SIDE, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<uint8_t> row(SIDE * 4);
        uint32_t noise = 12345;
        for (int y = 0; y < SIDE; ++y) {
            for (int x = 0; x < SIDE; ++x) {
                noise = noise * 214013 + 2531011;
                row[size_t(x) * 4 + 0] = uint8_t(x / 4 + ((noise >> 16) & 7));
                row[size_t(x) * 4 + 1] = uint8_t(y / 4);
                row[size_t(x) * 4 + 2] = uint8_t((x + y) / 8);
                row[size_t(x) * 4 + 3] = uint8_t(255 - y / 4);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
        return out;
    }();
    return file;
}

void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

const std::string& ddsFile() {
    static const std::string file = [] {
        std::string out = "DDS ";
        put32(out, 124);
        put32(out, 0x81007);
        put32(out, SIDE);
        put32(out, SIDE);
        put32(out, SIDE * SIDE);
        put32(out, 0);
        put32(out, 1);
        out.append(44, '\0');
        put32(out, 32);
        put32(out, 0x4);
        out += "DXT5";
        out.append(20, '\0');
        put32(out, 0x1000);
        out.append(16, '\0');
        uint32_t noise = 777;
        for (int block = 0; block < (SIDE / 4) * (SIDE / 4); ++block)
            for (int i = 0; i < 16; ++i) {
                noise = noise * 214013 + 2531011;
                out += char((noise >> 16) & 0xFF);
            }
        return out;
    }();
    return file;
}

void decodeAndCreate(benchmark::State& state, const std::string& file) {
    Platform::cRecordingRenderDevice device;
    cTextureFactory factory(&device);
    for (auto _ : state) {
        Platform::tTextureHandle texture = 0;
        cImageInfo info;
        factory.createTexture(reinterpret_cast<const uint8_t*>(file.data()), file.size(), texture,
                              Platform::POOL_MANAGED, &info, 0, 0);
        factory.releaseTexture(texture);
        device.clearCalls();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
    state.counters["pixels_per_second"] =
        benchmark::Counter(double(state.iterations()) * SIDE * SIDE, benchmark::Counter::kIsRate);
}

void BM_Png1024(benchmark::State& state) {
    decodeAndCreate(state, pngFile());
}
void BM_Dxt5Dds1024(benchmark::State& state) {
    decodeAndCreate(state, ddsFile());
}

void BM_TextTexture30Characters(benchmark::State& state) {
    setenv("MEADOW_HEADLESS", "1", 0);
    Platform::cRecordingRenderDevice device;
    cTextureFactory factory(&device);
    const std::wstring lines[2] = {L"Level 12: collect 40 carrots!!", L"Level 13: collect 45 apples!!!"};
    cTextTexture text(lines[0]);
    size_t i = 0;
    for (auto _ : state) {
        text.setText(lines[++i % 2]);
        device.clearCalls();
    }
    state.counters["width"] = double(text.getSizeRef().x);
    state.counters["height"] = double(text.getSizeRef().y);
}

} // namespace

BENCHMARK(BM_Png1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dxt5Dds1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextTexture30Characters)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
