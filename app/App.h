#pragma once

#include <string>

#include "framework/Application.h"

// The application object: makes document windows, empty or from a file.
class App : public fw::Application {
 public:
  App();

  void Event_OpenDocument(const std::string& path);
  void Event_NewDocument();
  bool _FileNew_Action();
  bool _FileOpen_Action();
  bool _AppleAboutGradix_Action();
};

// The registered application object.
class App& App();
