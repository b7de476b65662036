#include "window/table/DataPage.h"

DataPage::DataPage(MainWndo& window) : w(window) {}

void DataPage::BindEvents() {}

void DataPage::UpdateCaptions() {}
