// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/WhyThisResult.h"

#include "model/NumberText.h"
#include "presentation/DiseaseInfo.h"
#include "presentation/IntensityLevel.h"

std::string intensityWords(float intensity) {
    if (const auto level = intensityLevelFor(intensity)) {
        return std::string(level->word);
    }
    return formatShortest(intensity);
}

std::string pointsText(float points) {
    return formatFixed(static_cast<double>(points), 1);
}

namespace {

// A share too small for one decimal still added something; "0.0" would say it did not.
std::string shareText(float points) {
    return points > 0.0f && points < 0.05f ? "less than 0.1" : pointsText(points);
}

std::string countOf(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

WhyThisResult whyThisResult(const Explanation& e, float frequency) {
    WhyThisResult why;
    const std::string total = pointsText(e.probability);
    if (!e.listed) {
        why.summary = e.m == 0 ? "None of your symptoms is one of its typical symptoms, so it is "
                                 "not among the possible causes."
                               : "Your symptoms do not fit it well enough for it to be among the "
                                 "possible causes.";
    } else {
        why.summary = "You have " + std::to_string(e.m) + " of its " +
                      countOf(e.n, "typical symptom", "typical symptoms") +
                      ", and it accounts for " + std::to_string(e.m) + " of your " +
                      countOf(e.u, "symptom", "symptoms") + ". Together they give " + total +
                      " points out of 100.";
    }
    for (const auto& t : e.matched) {
        std::string line = t.name + ": you entered " + intensityWords(t.yours);
        line += ", typical is " + intensityWords(t.typical);
        if (e.listed) {
            line += " \u2014 " + shareText(shareOfProbability(e, t)) + " of " + total + " points";
        }
        why.matched.push_back(std::move(line));
    }
    if (e.missing.empty()) {
        why.missing = e.n == 0 ? "" : "You entered every one of its typical symptoms.";
    } else {
        why.missing = "Typical symptoms you did not enter: ";
        for (std::size_t i = 0; i < e.missing.size(); ++i) {
            why.missing += (i ? ", " : "") + e.missing[i];
        }
        why.missing += ".";
    }
    if (e.listed) {
        why.frequency = "How common it is (" + frequencyCount(frequency) +
                        " in 1000 patients) added " + shareText(e.frequencyTerm) + " points.";
    }
    return why;
}

std::vector<std::string> whyLines(const WhyThisResult& why, const std::string& bullet) {
    std::vector<std::string> lines{why.summary};
    for (const auto& line : why.matched) {
        lines.push_back(bullet + line);
    }
    for (const std::string* text : {&why.missing, &why.frequency}) {
        if (!text->empty()) {
            lines.push_back(*text);
        }
    }
    return lines;
}
