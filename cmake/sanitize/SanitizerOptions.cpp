// The sanitizers' default options for every program of the sanitizer build (MEADOW_SANITIZE);
// ASAN_OPTIONS, UBSAN_OPTIONS and LSAN_OPTIONS given at run time still add to them.

extern "C" {

const char* __asan_default_options() {
    return "detect_leaks=1:strict_init_order=1:check_initialization_order=1";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// Only Mesa and the system libraries are let off; the project's own leaks all count.
const char* __lsan_default_options() {
    return "suppressions=" MEADOW_SANITIZER_SUPPRESSIONS ":print_suppressions=0";
}
}

// Mesa unloads its driver when the last context goes; leaks it keeps would then be reported
// without a module to match the suppressions. The libraries stay loaded to the end instead.
extern "C" int dlclose(void*) {
    return 0;
}
