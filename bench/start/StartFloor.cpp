// The floor of bench_GameStart: the least a program does to show the game's pictures. It opens
// the program's headless EGL context (OpenGL 3.3 core on Mesa's surfaceless EGL) and makes the
// back buffer the program draws into (1024 x 768, colour with depth and stencil: the headless
// context has none of its own), decodes the pictures named in a list with libpng on one thread,
// uploads each as a texture in the program's texel format (its decoded pixels freed once
// uploaded), draws each once with the least shader that samples a texture, and waits for the
// renderer. It prints the clock (CLOCK_MONOTONIC) when that is done and its peak resident memory:
//   bench_StartFloor DATA_DIR LIST_FILE
//   ready_ns=<ns> pictures=<count> peak_rss_MB=<MB>

#include "engine/platform/GlContext.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <png.h>
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
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

constexpr int SCREEN_WIDTH = 1024, SCREEN_HEIGHT = 768;

const char* const VERTEX_SOURCE = R"(#version 330 core
layout(location = 0) in vec2 a_position;
out vec2 v_texcoord;
uniform vec2 u_size;
void main() {
    v_texcoord = a_position;
    gl_Position = vec4(a_position * u_size * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char* const FRAGMENT_SOURCE = R"(#version 330 core
in vec2 v_texcoord;
uniform sampler2D u_texture;
out vec4 o_color;
void main() {
    o_color = texture(u_texture, v_texcoord);
}
)";

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    return ok ? shader : 0;
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

    GLuint framebuffer = 0, buffers[2] = {};
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, SCREEN_WIDTH, SCREEN_HEIGHT);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, SCREEN_WIDTH, SCREEN_HEIGHT);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "bench_StartFloor: no back buffer\n");
        return 1;
    }
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    const GLuint vertexShader = compile(GL_VERTEX_SHADER, VERTEX_SOURCE);
    const GLuint fragmentShader = compile(GL_FRAGMENT_SHADER, FRAGMENT_SOURCE);
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!vertexShader || !fragmentShader || !linked) {
        std::fprintf(stderr, "bench_StartFloor: the shader does not build\n");
        return 1;
    }
    glUseProgram(program);
    const GLint sizeUniform = glGetUniformLocation(program, "u_size");
    const float corners[] = {0, 0, 1, 0, 0, 1, 1, 1};
    GLuint vertexArray = 0, vertexBuffer = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    std::vector<unsigned char> bytes;
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
        std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
            std::fprintf(stderr, "bench_StartFloor: %s: %s\n", name.c_str(), image.message);
            return 1;
        }
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(image.width), GLsizei(image.height), 0, GL_BGRA,
                     GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        textures.push_back(texture);
        // Drawn once at its own size from the corner, as far as the screen reaches.
        glUniform2f(sizeUniform, float(image.width) / SCREEN_WIDTH, float(image.height) / SCREEN_HEIGHT);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    glFinish();
    const long long ready = monotonicNs();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("ready_ns=%lld pictures=%zu peak_rss_MB=%.1f\n", ready, names.size(), double(usage.ru_maxrss) / 1024.0);
    glDeleteTextures(GLsizei(textures.size()), textures.data());
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    glDeleteRenderbuffers(2, buffers);
    glDeleteFramebuffers(1, &framebuffer);
    return 0;
}
