// Built into the test programs of the sanitizer build (make sanitize): the
// runtime options they always run with, whoever starts them.
extern "C" {

// glibc's setlocale() keeps, for the life of the process, the list of
// locale folders it builds from LOCPATH; the comma-locale tests set LOCPATH
// to a locale they compiled themselves.
const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }

const char* __asan_default_options() {
    return "detect_leaks=1:strict_string_checks=1:check_initialization_order=1:detect_stack_use_after_return=1";
}

const char* __ubsan_default_options() { return "print_stacktrace=1"; }

}
