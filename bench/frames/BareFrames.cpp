// The yardstick of scripts/bench-frames: the least a program can do per frame in an SDL2
// OpenGL 3.3 window (clear, swap, take the events), with no swap interval, at most FPS frames
// a second (as the program paces its own; 0 runs unpaced).
//   bench_BareFrames WIDTH HEIGHT FRAMES [FPS]

#include <SDL2/SDL.h>
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT FRAMES [FPS]\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]), frames = std::atoi(argv[3]);
    const int fps = argc == 5 ? std::atoi(argv[4]) : 0;
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
        SDL_GL_SwapWindow(window);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
