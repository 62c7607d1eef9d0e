#pragma once
// The radio's data files that ship inside the program (settings file, template, defaults),
// taken from the memory model's embedded copies.

#include <vector>

#include "shell/app_folder.h"

namespace tarvos::ui {

std::vector<ShippedItem> ShippedCoreData();

}  // namespace tarvos::ui
