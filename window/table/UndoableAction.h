#pragma once

class MainWndo;

// One level of undo: a snapshot taken from a window just before a bulk change.
// Records are shared; the caller of Undo keeps its own reference, because an
// Undo may drop the window's LastAction while it runs.
class UndoableAction {
 public:
  virtual ~UndoableAction() = default;

  // Writes the snapshot back into theWndo.
  virtual void Undo() {}

  // The window the snapshot belongs to; not owned.
  MainWndo* theWndo = nullptr;
};
