// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

class DiagnosticTools {
public:
    DiagnosticTools() = delete;

    // Scores every disease against the user's symptoms; the diseases that share
    // at least one symptom come back, most probable first.
    static DiagnosticList generateDiagnostics(const DiseaseList& diseases,
                                              const SymptomList& symptoms);
};
