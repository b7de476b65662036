#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class MainWndo;

// The application for fuzz targets that drive document windows through its own
// commands: started as the program starts it, offscreen, with the test hooks on, so
// that a modal dialog that no answer waits for is cancelled at once.
namespace FuzzApp {

void Start(int* argc, char*** argv);
// A file of this run's own folder, holding the bytes; its path.
std::string WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size);
std::string PathOf(const std::string& name);
// The document window opened last.
MainWndo& LastDocument();
// Closes every window without a question, and lets their deletion run.
void CloseAll();
// Reports a broken invariant and ends the run, so that the fuzzer keeps the input.
[[noreturn]] void Broken(const std::string& what);

}  // namespace FuzzApp
