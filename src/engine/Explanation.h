// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <cstddef>
#include <string>
#include <vector>

// Where one disease's probability comes from: the diagnosis's own terms, in
// the order the diagnosis computes them, so that `probability` is the very
// float the ranking gives.

struct MatchedTerm {
    std::string name; // the disease's own spelling
    float yours;      // the intensity the user entered
    float typical;    // the disease's intensity
    float weight;     // its share of the disease's total intensity, in percent
    float agreement;  // 1 when the intensities agree, less the further apart
    float points;     // what it adds to the match sum: weight x agreement
};

struct Explanation {
    std::string disease;
    std::vector<MatchedTerm> matched; // the disease's symptoms the user has, in its order
    std::vector<std::string> missing; // those the user did not enter, in its order
    std::size_t m = 0;                // matched
    std::size_t n = 0;                // the disease's symptoms
    std::size_t u = 0;                // the user's symptoms
    float total = 0.0f;               // sum of the disease's intensities
    float matchSum = 0.0f;            // sum of the points
    float coverage = 0.0f;            // 0.2 m/n + 0.1 m/u + 0.7
    float matchScore = 0.0f;          // matchSum x coverage
    float matchTerm = 0.0f;           // the match score's part of the probability
    float frequencyTerm = 0.0f;       // the frequency's part of the probability
    float probability = 0.0f;         // matchTerm + frequencyTerm
    bool listed = false;              // whether the diagnosis lists the disease at all
};

// The terms for `disease` against the user's symptoms. Reads both, changes
// neither.
Explanation explainDiagnosis(const Disease& disease, const SymptomList& symptoms);

// A matched symptom's share of the probability, in points: its part of the
// match term. The shares and the frequency term add up to the probability,
// give or take rounding; for telling a patient, not for ranking.
float shareOfProbability(const Explanation& explanation, const MatchedTerm& term);
