#pragma once
// Start-up's copy of the catalog's button texts into the captions that every
// message box takes.
#include "lang/string_catalog.h"
#include "ui/button_labels.h"

// Clears the labels and fills them from the catalog. A caption of 32
// characters or more is cut to 31; a missing text leaves its slot empty.
void FillButtonLabels(const StringCatalog& catalog, ButtonLabels& labels) noexcept;
