// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CatalogueBuilder.h"

#include <string_view>

// Catalogue readers for the two property-list forms. Each walks the file in
// order and feeds the builder; any fault throws CatalogueError.
void readXmlCatalogue(std::string_view xml, CatalogueBuilder& builder);
void readBinaryCatalogue(std::string_view bytes, CatalogueBuilder& builder);
