// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CatalogueBuilder.h"

#include <memory>
#include <string_view>

// Catalogue readers for the two property-list forms. Each walks the file in
// order and feeds the builder; any fault throws CatalogueError.

// White space as XML has it.
inline bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// How deep values may nest, the root dictionary being the first level.
inline constexpr std::size_t kMaxPlistDepth = 64;

// XML, fed in pieces as the file is read; the last piece says so.
class XmlCatalogueReader {
public:
    explicit XmlCatalogueReader(CatalogueBuilder& builder);
    ~XmlCatalogueReader();
    XmlCatalogueReader(const XmlCatalogueReader&) = delete;
    XmlCatalogueReader& operator=(const XmlCatalogueReader&) = delete;
    void feed(std::string_view bytes, bool last);
    // Whether everything fed so far is whole entries of the root dictionary,
    // in UTF-8, with nothing left over but white space: the reader stands
    // where the next disease's key may begin. `wrapped` says whether the
    // root sits inside <plist>.
    bool atRootEntry(bool wrapped) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

void readXmlCatalogue(std::string_view xml, CatalogueBuilder& builder);
void readBinaryCatalogue(std::string_view bytes, CatalogueBuilder& builder);

// A property-list integer as a float: -2^63 to 2^64-1, the same from either
// form. False for anything else.
bool parsePlistInteger(std::string_view digits, float* out);
