// Fontconfig keeps the fonts it has parsed until the process ends; that memory is the library's,
// not a leak of ours, so the leak checker of the sanitizer build is told to pass over it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
