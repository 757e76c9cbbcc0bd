// Memory that the font configuration library keeps for the life of the process is not ours to
// free; LeakSanitizer reads these suppressions from the test program itself. Any test program with
// windows can add this file to its sources.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
