#pragma once

class MainWndo;

// The "Data" page of a document window: the table, its editing and keyboard
// commands, number formats, calculated columns and the data-set slider.
class DataPage {
 public:
  explicit DataPage(MainWndo& window);

  // Binds the events of the "Data" page's controls to the handlers below.
  void BindEvents();
  void UpdateCaptions();

 private:
  MainWndo& w;
};
