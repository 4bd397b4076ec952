// What the sanitizers check beyond their defaults, built into the program so that every way of
// starting it (ctest, by hand, under a debugger) checks the same.

// Static objects (the catalogue's token table, strings at namespace scope) must not read one
// another before they are made; a string function must not read past a terminating zero it was
// promised; a stack variable must not be used after its function returned.
extern "C" const char* __asan_default_options()
{
    return "check_initialization_order=1:strict_init_order=1:strict_string_checks=1:"
           "detect_stack_use_after_return=1";
}

// Where undefined behaviour happened, not only that it did.
extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}
