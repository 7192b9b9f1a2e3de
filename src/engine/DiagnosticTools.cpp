// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DiagnosticTools.h"

#include "model/Names.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>

// Every step is single precision in a fixed order; the build keeps the
// compiler from contracting or reordering it, so results agree to the bit.

namespace {

// The first and last eight bytes of a name of eight bytes or more.
struct Ends {
    std::uint64_t head;
    std::uint64_t tail;
};

inline Ends endsOf(const std::string& name) {
    Ends ends;
    std::memcpy(&ends.head, name.data(), 8);
    std::memcpy(&ends.tail, name.data() + name.size() - 8, 8);
    return ends;
}

// The user's list, prepared once per run so that the scan over the catalogue
// does as little as it can per symptom: with plain names on the user's side,
// most catalogue names are ruled out by their length, and most others by their
// first and last bytes.
class UserSymptoms {
public:
    explicit UserSymptoms(const SymptomList& symptoms) {
        entries.reserve(symptoms.size());
        for (const auto& s : symptoms) {
            const bool ascii = isAscii(s->name);
            Entry entry{s->name,
                        ascii ? std::string() : canonicalName(s->name),
                        s->intensity,
                        ascii,
                        {0, 0}};
            if (entry.name.size() >= 8) {
                entry.ends = endsOf(entry.name);
            }
            entries.push_back(std::move(entry));
            allAscii = allAscii && ascii;
            if (s->name.size() < lengths.size()) {
                lengths.set(s->name.size());
            }
        }
    }

    // The first entry whose name equals `name` (the rule of namesEqual), or none.
    const float* find(const std::string& name) const {
        const std::size_t size = name.size();
        if (allAscii) {
            // A plain name equals only the same bytes.
            if (size < lengths.size() && !lengths.test(size)) {
                return nullptr;
            }
            if (size < 8) {
                for (const auto& e : entries) {
                    if (e.name == name) {
                        return &e.intensity;
                    }
                }
                return nullptr;
            }
            const Ends ends = endsOf(name);
            for (const auto& e : entries) {
                if (e.name.size() == size && e.ends.head == ends.head && e.ends.tail == ends.tail &&
                    std::memcmp(e.name.data(), name.data(), size) == 0) {
                    return &e.intensity;
                }
            }
            return nullptr;
        }
        const bool ascii = isAscii(name);
        std::string canonical;
        for (const auto& e : entries) {
            if (e.name == name) {
                return &e.intensity;
            }
            if (!ascii && !e.ascii) {
                if (canonical.empty()) {
                    canonical = canonicalName(name);
                }
                if (canonical == e.canonical) {
                    return &e.intensity;
                }
            }
        }
        return nullptr;
    }

    float count() const { return static_cast<float>(entries.size()); }

private:
    struct Entry {
        std::string name;
        std::string canonical; // the NFC form, for a name that is not plain ASCII
        float intensity;
        bool ascii;
        Ends ends;
    };
    std::vector<Entry> entries;
    std::bitset<64> lengths; // lengths of the names, where short
    bool allAscii = true;
};

inline void prefetch(const void* address) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    asm volatile("prefetcht0 %0" : : "m"(*static_cast<const char*>(address)));
#elif defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// Asks for the records a few diseases ahead, so the scan does not wait on
// memory: with a large catalogue that waiting is most of the time.
void prefetchAhead(const DiseaseList& diseases, std::size_t index) {
    // In stages, each on what the one before brought in: the disease, its list
    // of symptoms, the symptoms.
    constexpr std::size_t kStage = 4;
    const std::size_t count = diseases.size();
    if (index + 3 * kStage < count) {
        prefetch(diseases[index + 3 * kStage].get());
    }
    if (index + 2 * kStage < count) {
        const auto& list = diseases[index + 2 * kStage]->symptoms;
        const char* begin = reinterpret_cast<const char*>(list.data());
        const char* end = reinterpret_cast<const char*>(list.data() + list.size());
        for (const char* line = begin; line < end; line += 64) {
            prefetch(line);
        }
    }
    if (index + kStage < count) {
        for (const auto& s : diseases[index + kStage]->symptoms) {
            prefetch(s.get());
        }
    }
    if (index + 2 < count) {
        for (const auto& s : diseases[index + 2]->symptoms) {
            prefetch(s->name.data());
        }
    }
}

struct Scored {
    float probability;
    std::size_t disease;
};

// Scores the diseases [begin, end) of the catalogue, appending those that
// yield a diagnostic in catalogue order.
void scoreRange(const DiseaseList& diseases, std::size_t begin, std::size_t end,
                const UserSymptoms& user, std::vector<Scored>& scored) {
    const float u = user.count();
    struct Match {
        float own;  // the disease's intensity
        float user; // the user's
    };
    std::vector<Match> matches;

    for (std::size_t index = begin; index < end; ++index) {
        prefetchAhead(diseases, index);
        const Disease& disease = *diseases[index];
        const auto& own = disease.symptoms;
        if (own.empty()) {
            continue;
        }
        // One walk over the symptoms: the total, and the matches in list order.
        matches.clear();
        float total = 0.0f;
        for (const auto& s : own) {
            total = total + s->intensity;
            if (const float* v = user.find(s->name)) {
                matches.push_back({s->intensity, *v});
            }
        }
        if (matches.empty()) {
            continue;
        }
        const float n = static_cast<float>(own.size());
        float sum = 0.0f;
        for (const Match& match : matches) {
            const float weight = (match.own * 100.0f) / total;
            if (match.user == match.own) {
                sum = sum + weight;
            } else {
                const float delta =
                    std::max(match.user, match.own) - std::min(match.user, match.own);
                sum = sum + weight * (delta / -100.0f + 1.0f);
            }
        }
        const float m = static_cast<float>(matches.size());
        const float x1 = (m / u) * 0.1f;
        const float x2 = (m / n) * 0.2f;
        const float coverage = (x2 + x1) + 0.7f;
        const float matchScore = sum * coverage;
        if (!(matchScore > 0.0f)) {
            continue;
        }
        const float probability =
            (matchScore * 80.0f) / 100.0f + ((disease.frequency / 10.0f) * 20.0f) / 100.0f;
        if (!(probability > 0.0f)) {
            continue;
        }
        scored.push_back({probability, index});
    }
}

// Below this many diseases a second thread costs more than it saves.
constexpr std::size_t kParallelFrom = 20000;

} // namespace

DiagnosticList DiagnosticTools::generateDiagnostics(const DiseaseList& diseases,
                                                    const SymptomList& symptoms) {
    const UserSymptoms user(symptoms);
    std::vector<Scored> scored;
    // Each disease is scored on its own, so halves scored side by side and
    // joined in order give exactly what one pass gives.
    const std::size_t count = diseases.size();
    std::size_t middle = count;
    std::vector<Scored> secondHalf;
    std::thread helper;
    if (count >= kParallelFrom && std::thread::hardware_concurrency() > 1) {
        try {
            helper = std::thread(
                [&, from = count / 2] { scoreRange(diseases, from, count, user, secondHalf); });
            middle = count / 2;
        } catch (const std::system_error&) {
            // No thread to be had: one pass does it all.
        }
    }
    scoreRange(diseases, 0, middle, user, scored);
    if (helper.joinable()) {
        helper.join();
        scored.insert(scored.end(), secondHalf.begin(), secondHalf.end());
    }

    // Stable, so equal probabilities keep catalogue order from one run to the next.
    std::stable_sort(scored.begin(), scored.end(), [](const Scored& a, const Scored& b) {
        return a.probability > b.probability;
    });
    std::vector<Diagnostic> result;
    result.reserve(scored.size());
    for (const Scored& s : scored) {
        result.emplace_back(diseases[s.disease], s.probability);
    }
    return shareEach(std::move(result));
}
