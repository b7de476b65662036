#include "app/MenuBar1.h"

#include <memory>

#include "framework/QuitMenuItem.h"

namespace {

struct ItemDef {
  const char* name;
  const char* text;
  const char* shortcut;
  bool autoEnable;
  bool quit = false;
};

void Build(fw::MenuBar& bar, const char* titleName, const char* titleText,
           std::initializer_list<ItemDef> items) {
  auto title = std::make_unique<fw::MenuItem>();
  title->SetName(titleName);
  title->SetAutoEnable(true);
  title->SetText(titleText);
  bar.Append(std::move(title));
  fw::MenuItem* menu = bar.Child(titleName);
  for (const ItemDef& def : items) {
    std::unique_ptr<fw::MenuItem> item =
        def.quit ? std::make_unique<fw::QuitMenuItem>() : std::make_unique<fw::MenuItem>();
    item->SetName(def.name);
    item->SetAutoEnable(def.autoEnable);
    item->SetText(def.text);
    if (*def.shortcut) item->SetKeyboardShortcut(def.shortcut);
    menu->Append(std::move(item));
  }
}

}  // namespace

MenuBar1::MenuBar1() {
  Untitled1();
  Untitled2();
  Untitled3();
}

void MenuBar1::Untitled1() {
  Build(*this, "FileMenu", "&File",
        {{"FileNew", "New", "Cmd+N", true},
         {"FileOpen", "Open\xE2\x80\xA6", "Cmd+O", true},
         {"FileClose", "Close", "Cmd+W", true},
         {"FileImport", "Import\xE2\x80\xA6", "", false},
         {"FileSave", "Save\xE2\x80\xA6", "Cmd+S", false},
         {"FileSaveAs", "Save As\xE2\x80\xA6", "", true},
         {"FileQuit", "Quit", "Cmd+Q", true, true}});
}

void MenuBar1::Untitled2() {
  Build(*this, "EditMenu", "&Edit",
        {{"EditUndo", "Undo", "Cmd+Z", false},
         {"UntitledMenu0", "-", "", true},
         {"EditCut", "Cut", "Cmd+X", false},
         {"EditCopy", "Copy", "Cmd+C", false},
         {"EditPaste", "Paste", "Cmd+V", false},
         {"EditClear", "Clear", "", true}});
}

void MenuBar1::Untitled3() {
  Build(*this, "HelpMenu", "Help", {{"HelpAboutGradix", "About Gradix\xE2\x80\xA6", "", true}});
}

class MenuBar1& MenuBar1() {
  static class MenuBar1 instance;
  return instance;
}
