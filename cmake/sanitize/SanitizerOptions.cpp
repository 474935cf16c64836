// The sanitizers' default options for every program of the sanitizer build (MEADOW_SANITIZE);
// ASAN_OPTIONS, UBSAN_OPTIONS and LSAN_OPTIONS given at run time still add to them.

extern "C" {

// intercept_tls_get_addr=0: the runtime's own record of dynamic TLS blocks (Mesa's and LLVM's,
// loaded with the driver) can hold a stale range on this glibc, and the leak check at exit then
// dies reading it ("Tracer caught signal 11" after "DTLS ... at 0x...") with the test passed.
// Without the record, those blocks are plain heap blocks reached from the thread's own TLS, and
// are still scanned.
const char* __asan_default_options() {
    return "detect_leaks=1:strict_init_order=1:check_initialization_order=1:intercept_tls_get_addr=0";
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
