// Memory that the font configuration library keeps for the life of the process is not ours to
// free; LeakSanitizer reads these suppressions from the test program itself. Every test program with
// windows gets this file through trevolk_test(... UI).
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
