// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <optional>
#include <string>
#include <string_view>

// Who the person is, when they choose to say. Never stored in a profile.
struct AboutYou {
    std::string sex;        // "female", "male", or empty: not given
    std::optional<int> age; // whole years; none: not given

    bool given() const { return !sex.empty() || age.has_value(); }
};

// The catalogue's age group for an age: "baby" under 1, "child" 1 to 15,
// "adult" 16 to 64, "older" 65 and over.
std::string_view ageGroupFor(int years);

// Whether a condition can affect the person: its Sex and Ages, where the
// catalogue gives them and the person has said.
bool appliesTo(const Disease& disease, const AboutYou& person);

// The ranked result without the conditions that cannot affect the person;
// the rest keep their order and their probabilities.
DiagnosticList forPerson(const DiagnosticList& ranked, const AboutYou& person);

// Why a condition is left out for the person, one sentence; empty when it is not.
std::string personExclusion(const Disease& disease, const AboutYou& person);

// "Female, 34 years", "Male", "52 years"; empty when nothing is given.
std::string aboutYouText(const AboutYou& person);

// Reads the two answers as the terminal takes them. Each returns nothing for
// text it does not accept.
std::optional<std::string> parseSex(std::string_view text);
std::optional<int> parseAge(std::string_view text);

// The oldest age accepted.
inline constexpr int kOldestAge = 130;
