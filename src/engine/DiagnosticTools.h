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
