#include "presentation/IntensityLevel.h"

std::optional<IntensityLevel> intensityLevelFor(float intensity) {
    for (const auto& level : kIntensityLevels) {
        if (intensity == level.value) {
            return level;
        }
    }
    return std::nullopt;
}
