#pragma once

#include "framework/MenuBar.h"

// The application's one menu bar: File, Edit and Help.
class MenuBar1 : public fw::MenuBar {
 public:
  MenuBar1();

  void Untitled1();
  void Untitled2();
  void Untitled3();
};

// The single instance, built on the first call.
class MenuBar1& MenuBar1();
