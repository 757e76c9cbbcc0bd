// The INI engine on arbitrary file bytes: load, every kind of read, a write, a save and a reload.
// A saved file is in the engine's own form, so it must load back to exactly the same content.
#include "support/Fastini.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// One folder per process, on tmpfs when there is one, since every input is a file.
struct TFuzzFolder {
  TFuzzFolder() {
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    path = base + "/trevolk_fuzz_ini_XXXXXX";
    if (mkdtemp(path.data()) == nullptr) std::abort();
    path += "/";
  }
  ~TFuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

const std::string& Folder() {
  static const TFuzzFolder folder;
  return folder.path;
}

void ExerciseReads(TFastIniFile& ini) {
  for (std::size_t s = 0; s < ini.SectionCount(); ++s) {
    TIniSection* section = ini.SectionAt(s);
    const std::string& name = section->Name();
    // Sections and keys may repeat: a lookup finds the first of the name, not always this one.
    const TIniSection* first = ini.FindSection(name);
    if (first == nullptr || !SameIniName(first->Name(), name)) std::abort();
    for (std::size_t k = 0; k < section->ParamCount(); ++k) {
      const std::string& key = section->ParamAt(k)->Name();
      if (!section->ValueExists(key)) std::abort();
      (void)ini.ValueExists(name, key);
      (void)ini.ReadString(name, key, "");
      (void)ini.ReadInteger(name, key, 0);
      (void)ini.ReadBool(name, key, false);
      (void)ini.ReadFloat(name, key, 0.0);
    }
    TRect bounds{1, 2, 3, 4};
    ini.ReadBounds(name, bounds);
    KeepOnScreen(bounds, {0, 0, 1920, 1080});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = Folder() + "input.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  std::string saved;
  {
    TFastIniFile ini(path);
    if (ini.Failed()) std::abort();
    ExerciseReads(ini);
    if (ini.SectionCount() > 0) ini.WriteFloat(ini.SectionAt(0)->Name(), "Fuzz", 2.5);
    ini.EraseSection("Erase");
    saved = ini.FileContent();
    if (!ini.Save() || ini.Modified()) std::abort();
  }

  TFastIniFile reloaded(path);
  if (reloaded.Failed() || reloaded.Modified()) std::abort();
  if (reloaded.FileContent() != saved) std::abort();
  return 0;
}
