// The yardstick of scripts/bench-frames: the least a program can do per frame in an SDL2
// OpenGL 3.3 window (clear, swap, take the events), with no swap interval, at most FPS frames
// a second (as the program paces its own; 0 runs unpaced). With a picture it also draws that
// picture at its own size in the window's middle, blended, each frame: what the program's first
// frames (its logo screens) draw, so that the two compare like with like.
//   bench_BareFrames WIDTH HEIGHT FRAMES [FPS [PICTURE.png]]

#include <SDL2/SDL.h>
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const VERTEX_SHADER = "#version 330 core\n"
                                  "layout(location = 0) in vec2 a_position;\n"
                                  "layout(location = 1) in vec2 a_uv;\n"
                                  "out vec2 v_uv;\n"
                                  "void main() { v_uv = a_uv; gl_Position = vec4(a_position, 0.0, 1.0); }\n";
const char* const FRAGMENT_SHADER = "#version 330 core\n"
                                    "in vec2 v_uv;\n"
                                    "uniform sampler2D u_texture;\n"
                                    "out vec4 o_color;\n"
                                    "void main() { o_color = texture(u_texture, v_uv); }\n";

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// The picture as a texture and a quad of its size in the middle of the window; false when it
// cannot be read.
bool preparePicture(const char* path, int width, int height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path))
        return false;
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return false;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(image.width), GLsizei(image.height), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    const GLuint program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER, VERTEX_SHADER));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, FRAGMENT_SHADER));
    glLinkProgram(program);
    glUseProgram(program);
    const float x = float(image.width) / float(width), y = float(image.height) / float(height);
    const float quad[] = {-x, -y, 0, 1, x, -y, 1, 1, -x, y, 0, 0, x, y, 1, 0};
    GLuint array = 0, buffer = 0;
    glGenVertexArrays(1, &array);
    glBindVertexArray(array);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(quad), quad, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), reinterpret_cast<void*>(2 * sizeof(float)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 6) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT FRAMES [FPS [PICTURE.png]]\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]), frames = std::atoi(argv[3]);
    const int fps = argc >= 5 ? std::atoi(argv[4]) : 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("Bare frames", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetSwapInterval(0);
    const bool picture = argc == 6;
    if (picture && !preparePicture(argv[5], width, height)) {
        std::fprintf(stderr, "cannot read %s\n", argv[5]);
        return 1;
    }
    const Uint64 ticksPerFrame = fps > 0 ? SDL_GetPerformanceFrequency() / Uint64(fps) : 0;
    Uint64 next = SDL_GetPerformanceCounter();
    for (int frame = 0; frame < frames; ++frame) {
        if (ticksPerFrame) {
            next += ticksPerFrame;
            const Uint64 now = SDL_GetPerformanceCounter();
            if (now < next)
                SDL_Delay(Uint32((next - now) * 1000 / SDL_GetPerformanceFrequency()));
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        if (picture)
            glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        SDL_GL_SwapWindow(window);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
