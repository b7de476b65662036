#pragma once

#include <memory>

#include "framework/FileType.h"

// The application's two file types, registered at start-up and kept until the end.
namespace FileTypes {

extern std::unique_ptr<fw::FileType> pGradixData;
extern std::unique_ptr<fw::FileType> pTextPlain;

void _Initialize();
// Releases both types while the framework still knows them (at the end of the program).
void _Release();

}  // namespace FileTypes
