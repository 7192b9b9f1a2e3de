// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// What the program tells the user, word for word.
namespace messages {
inline constexpr std::string_view kAlreadySelected = "You have already selected this symptom.";
inline constexpr std::string_view kUpdateIntensity =
    "You have already selected this symptom with a different intensity. Do you want to update "
    "the intensity?";
inline constexpr std::string_view kCriticalSymptom =
    "You are experiencing a critical symptom. Please go to the nearest hospital right away for a "
    "complete medical examination.";
inline constexpr std::string_view kNoSymptoms = "Please add at least one symptom and try again.";
inline constexpr std::string_view kCouldNotSave = "Could not save profile.";
inline constexpr std::string_view kCouldNotLoad = "Could not load profile.";
inline constexpr std::string_view kUnknownSymptom =
    "No condition in the catalogue lists this symptom.";
inline constexpr std::string_view kNameHoldsLineBreak = "A symptom name cannot hold a line break.";
inline constexpr std::string_view kDiscardAndExit =
    "You have unsaved changes that will be lost. Are you sure you want to exit the application?";
// Save As and Export add the extension to a name without it; the panel asked
// only about the name as typed.
inline constexpr std::string_view kReplaceExisting =
    "A profile with this name already exists. Do you want to replace it?";
inline constexpr std::string_view kReplaceExistingReport =
    "A report with this name already exists. Do you want to replace it?";
inline constexpr std::string_view kDiscardAndContinue =
    "You have unsaved changes that will be lost. Continue?";
inline constexpr std::string_view kDisclaimer =
    "Sanoria gives information, not a medical diagnosis.";
inline constexpr std::string_view kCouldNotExportReport = "Could not export the report.";
// An action that fails where nothing was expected to; the action is dropped.
inline constexpr std::string_view kOutOfMemory =
    "There was not enough memory to finish this action. It was not carried out.";
inline constexpr std::string_view kActionFailed =
    "This action could not be finished and was not carried out.";
} // namespace messages
