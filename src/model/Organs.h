// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

// The eleven body regions, in the order of the window's buttons.
struct Organ {
    std::string_view key;     // what the catalogue's "Organ" holds
    std::string_view image;   // picture resource name; "-Selected" is appended for the selected one
    std::string_view tooltip; // what the button tells the user
};

inline constexpr std::array<Organ, 11> kOrgans{{
    {"Brain", "Brain", "Brain"},
    {"Throat", "Trachea", "Throat"},
    {"Lungs", "Lungs", "Lungs"},
    {"Heart", "Heart", "Heart"},
    {"Stomach", "Stomach", "Stomach"},
    {"Liver", "Liver", "Liver"},
    {"Intestines", "Intestins", "Intestines"},
    {"Kidneys", "Kidneys", "Kidneys"},
    {"Uterus", "Uterus", "Uterus / Testicles"},
    {"Bladder", "Bladder", "Bladder"},
    {"Muscles & Bones", "Bones", "Skin, Muscles & Bones"},
}};

inline constexpr std::string_view kInitialOrgan = "Heart";

// Symptom names that send the user to hospital when entered at a high intensity.
inline constexpr std::array<std::string_view, 15> kRiskSymptoms{
    "Difficulty speaking",
    "One-sided paralysis",
    "Vertigo",
    "Double vision",
    "Difficulty breathing",
    "Wheezing",
    "Coughing up blood",
    "Chest pain",
    "Palpitations",
    "Fainting",
    "Vomiting blood",
    "Jaundice",
    "Black stool",
    "Blood in urine",
    "Joint swelling",
};

inline constexpr float kCriticalIntensity = 80.0f;

// The catalogue's name for thoughts of self-harm or suicide: at any intensity,
// the care advice is an emergency with crisis wording.
inline constexpr std::string_view kCrisisSymptom = "Thoughts of self-harm or suicide";
