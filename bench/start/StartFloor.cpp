// The floor of bench_GameStart: the least a program does to show the game's pictures. It opens
// the program's headless EGL context (OpenGL 3.3 core on Mesa's surfaceless EGL), decodes the
// pictures named in a list with libpng on one thread, uploads each as a texture in the
// program's texel format, and waits for the renderer to take them. It prints the clock
// (CLOCK_MONOTONIC) when that is done and its peak resident memory:
//   bench_StartFloor DATA_DIR LIST_FILE
//   ready_ns=<ns> pictures=<count> peak_rss_MB=<MB>

#include "engine/platform/GlContext.h"

#include <GL/gl.h>
#include <png.h>
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
#ifndef GL_UNSIGNED_INT_8_8_8_8_REV
#define GL_UNSIGNED_INT_8_8_8_8_REV 0x8367
#endif

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

bool readFile(const std::string& path, std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_DIR LIST_FILE\n", argv[0]);
        return 2;
    }
    const std::string data = argv[1];
    std::vector<std::string> names;
    {
        std::ifstream list(argv[2]);
        for (std::string line; std::getline(list, line);)
            if (!line.empty())
                names.push_back(line);
    }
    std::unique_ptr<Platform::IGlContext> context;
    try {
        context = Platform::createHeadlessGlContext();
    } catch (const std::string& reason) {
        std::fprintf(stderr, "bench_StartFloor: no headless OpenGL: %s\n", reason.c_str());
        return 1;
    }
    context->makeCurrent();

    std::vector<unsigned char> bytes;
    std::vector<unsigned char> pixels;
    std::vector<GLuint> textures;
    for (const std::string& name : names) {
        if (!readFile(data + "/" + name, bytes)) {
            std::fprintf(stderr, "bench_StartFloor: cannot read %s\n", name.c_str());
            return 1;
        }
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
            std::fprintf(stderr, "bench_StartFloor: %s: %s\n", name.c_str(), image.message);
            return 1;
        }
        image.format = PNG_FORMAT_BGRA;
        pixels.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
            std::fprintf(stderr, "bench_StartFloor: %s: %s\n", name.c_str(), image.message);
            return 1;
        }
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(image.width), GLsizei(image.height), 0, GL_BGRA,
                     GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
        textures.push_back(texture);
    }
    glFinish();
    const long long ready = monotonicNs();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("ready_ns=%lld pictures=%zu peak_rss_MB=%.1f\n", ready, names.size(), double(usage.ru_maxrss) / 1024.0);
    glDeleteTextures(GLsizei(textures.size()), textures.data());
    return 0;
}
