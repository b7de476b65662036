#include "app/FileTypes.h"

namespace FileTypes {

std::unique_ptr<fw::FileType> pGradixData;
std::unique_ptr<fw::FileType> pTextPlain;

namespace {

std::unique_ptr<fw::FileType> Make(const char* name, const char* extensions, const char* type,
                                   const char* creator) {
  auto fileType = std::make_unique<fw::FileType>();
  fileType->SetName(name);
  fileType->SetExtensions(extensions);
  fileType->SetMacType(type);
  fileType->SetMacCreator(creator);
  return fileType;
}

}  // namespace

void _Initialize() {
  pGradixData = Make("GradixData", ".gdx", "qzGD", "qzGX");
  pTextPlain = Make("text/plain",
                    ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt",
                    "TEXT", "????");
}

void _Release() {
  pGradixData.reset();
  pTextPlain.reset();
}

}  // namespace FileTypes
