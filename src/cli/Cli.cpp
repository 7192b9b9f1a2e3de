// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "engine/AboutYou.h"
#include "engine/DiagnosticTools.h"
#include "engine/Explanation.h"
#include "engine/Triage.h"
#include "model/CatalogueCheck.h"
#include "model/DatabaseTools.h"
#include "model/Messages.h"
#include "model/Names.h"
#include "model/NumberText.h"
#include "model/Organs.h"
#include "model/Version.h"
#include "presentation/DiseaseInfo.h"
#include "presentation/ReportHtml.h"
#include "presentation/TableCells.h"
#include "presentation/WhyThisResult.h"
#include "profile/AtomicFile.h"
#include "profile/ProfileFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>

namespace {

constexpr const char* kUsage = R"(usage: sanoria-cli COMMAND [ARGS]

Commands:
  diagnose [--catalogue FILE] [--json] [--profile FILE] [--sex female|male]
           [--age YEARS] [NAME=INTENSITY ...]
      rank the catalogue's diseases for the given symptoms
  explain [--catalogue FILE] [--json] [--profile FILE] [--sex female|male]
          [--age YEARS] DISEASE [NAME=INTENSITY ...]
      show where a disease's probability comes from
  triage [--catalogue FILE] [--json] [--profile FILE] [--sex female|male]
         [--age YEARS] NAME=INTENSITY ...
      how soon to get care: emergency, urgent, doctor or self-care, and why
  report [--catalogue FILE] [--profile FILE] [--sex female|male] [--age YEARS]
         -o FILE.html NAME=INTENSITY ...
      write a report for your doctor as a self-contained HTML page
  symptoms [--catalogue FILE] ORGAN
      list the symptoms offered for an organ
  organs
      list the organ keys that symptoms takes
  info [--catalogue FILE] [--json] DISEASE
      show what the information window shows for a disease
  profile write FILE NAME=INTENSITY ...
      write a profile
  profile read FILE [--json]
      print a profile's symptoms
  check [--catalogue FILE]
      report what a catalogue author must fix

Each command takes --help; --version prints the version. Exit status: 0
success; 1 a profile or report that cannot be read or written, no symptom
given, no such disease, or a command that could not finish (out of memory); 2
a catalogue that cannot be read; 3 check found problems; 64 a usage error.
)";

struct Command {
    const char* name;
    const char* usage;
    std::set<std::string> options; // those taking a value end in '='
};

// What a diagnosis is made from. Triage judges that same diagnosis, so both
// commands take every one of these options.
const std::set<std::string> kDiagnosisOptions{"catalogue=", "json", "profile=", "sex=", "age="};

const Command kDiagnose{"diagnose",
                        "usage: sanoria-cli diagnose [--catalogue FILE] [--json] [--profile FILE]\n"
                        "                            [--sex female|male] [--age YEARS] "
                        "[NAME=INTENSITY ...]\n"
                        "The symptoms of the profile, then those of the arguments, are ranked\n"
                        "against the catalogue: one line per disease, \"76.0%<TAB>Name\".\n"
                        "With --sex or --age, the conditions that cannot affect such a person are\n"
                        "left out; the others keep their order and probability.\n"
                        "A critical symptom adds the hospital warning on standard error.\n",
                        kDiagnosisOptions};
const Command kExplain{"explain",
                       "usage: sanoria-cli explain [--catalogue FILE] [--json] [--profile FILE]\n"
                       "                           [--sex female|male] [--age YEARS] DISEASE "
                       "[NAME=INTENSITY ...]\n"
                       "Shows where DISEASE's probability comes from: the symptoms it shares with\n"
                       "yours and their points, its typical symptoms you did not enter, and what\n"
                       "its frequency added. --json gives the exact terms; its probability is\n"
                       "null when the diagnosis would not list DISEASE.\n",
                       kDiagnosisOptions};
const Command kTriage{"triage",
                      "usage: sanoria-cli triage [--catalogue FILE] [--json] [--profile FILE]\n"
                      "                          [--sex female|male] [--age YEARS] "
                      "NAME=INTENSITY ...\n"
                      "Diagnoses as diagnose does, then prints how soon to get care: the level\n"
                      "(emergency, urgent, doctor or self-care) on the first line, then one\n"
                      "reason a line. --json prints one object with level, critical, reasons\n"
                      "and conditions.\n",
                      kDiagnosisOptions};
const Command kReport{"report",
                      "usage: sanoria-cli report [--catalogue FILE] [--profile FILE] "
                      "[--sex female|male]\n"
                      "                          [--age YEARS] -o FILE.html NAME=INTENSITY ...\n"
                      "Writes the report the window prints: the symptoms, the care level, the\n"
                      "ten likeliest causes and why the first three rank, as one HTML page that\n"
                      "needs nothing from the network.\n",
                      {"catalogue=", "profile=", "sex=", "age=", "output="}};
const Command kSymptoms{"symptoms",
                        "usage: sanoria-cli symptoms [--catalogue FILE] ORGAN\n"
                        "Lists the symptom names offered for ORGAN, one per line.\n",
                        {"catalogue="}};
const Command kOrgansCommand{"organs",
                             "usage: sanoria-cli organs\n"
                             "Lists the organ keys, one per line, in the window's order.\n",
                             {}};
const Command kInfo{"info",
                    "usage: sanoria-cli info [--catalogue FILE] [--json] DISEASE\n"
                    "Prints the name, description, gravity, frequency and symptoms of DISEASE,\n"
                    "one per line.\n",
                    {"catalogue=", "json"}};
const Command kProfileWrite{"profile write",
                            "usage: sanoria-cli profile write FILE NAME=INTENSITY ...\n"
                            "Writes the symptoms to FILE as a profile.\n",
                            {}};
const Command kProfileRead{"profile read",
                           "usage: sanoria-cli profile read FILE [--json]\n"
                           "Prints each symptom of the profile as NAME<TAB>INTENSITY.\n",
                           {"json"}};
const Command kCheck{"check",
                     "usage: sanoria-cli check [--catalogue FILE]\n"
                     "Reports what a catalogue author must fix, then a summary. Exit 3 when\n"
                     "something is to fix.\n",
                     {"catalogue="}};

struct UsageError : std::runtime_error {
    const Command* command;
    UsageError(const std::string& what, const Command* command)
        : std::runtime_error(what), command(command) {}
};

struct Args {
    std::vector<std::string> positional;
    std::optional<std::string> catalogue;
    std::optional<std::string> profile;
    std::optional<std::string> output;
    AboutYou person;
    bool json = false;
    bool help = false;
};

Args parseArgs(const std::vector<std::string>& args, std::size_t from, const Command& command) {
    Args parsed;
    bool optionsEnded = false;
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || (a.compare(0, 2, "--") != 0 && a != "-o")) {
            parsed.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "-o" && command.options.count("output=")) {
            if (i + 1 >= args.size()) {
                throw UsageError("-o needs a file", &command);
            }
            parsed.output = args[++i];
            continue;
        }
        if (a == "--help") {
            parsed.help = true;
            continue;
        }
        std::string name = a.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (command.options.count(name + "=")) {
            if (!value) {
                if (i + 1 >= args.size()) {
                    throw UsageError("--" + name + " needs a value", &command);
                }
                value = args[++i];
            }
            if (name == "sex") {
                const auto sex = parseSex(*value);
                if (!sex) {
                    throw UsageError("--sex takes female or male, not \"" + *value + "\"",
                                     &command);
                }
                parsed.person.sex = *sex;
            } else if (name == "age") {
                parsed.person.age = parseAge(*value);
                if (!parsed.person.age) {
                    throw UsageError("--age takes whole years from 0 to " +
                                         std::to_string(kOldestAge) + ", not \"" + *value + "\"",
                                     &command);
                }
            } else if (name == "output") {
                parsed.output = *value;
            } else {
                (name == "catalogue" ? parsed.catalogue : parsed.profile) = *value;
            }
        } else if (command.options.count(name) && !value) {
            parsed.json = true;
        } else {
            throw UsageError("unknown option " + a, &command);
        }
    }
    return parsed;
}

SymptomPtr parseSymptomArgument(const std::string& argument, const Command& command) {
    const auto eq = argument.rfind('=');
    if (eq == std::string::npos) {
        throw UsageError("expected NAME=INTENSITY, got \"" + argument + "\"", &command);
    }
    const auto intensity = parseProfileNumber(std::string_view(argument).substr(eq + 1));
    if (!intensity) {
        throw UsageError("the intensity of \"" + argument + "\" is not a number", &command);
    }
    return makeSymptom(argument.substr(0, eq), *intensity);
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

// A number as JSON: the shortest text that reads back as the same float; the
// special values as strings, which JSON has no numbers for.
std::string jsonNumber(float value) {
    const std::string text = formatShortest(value);
    return std::isfinite(value) ? text : jsonString(text);
}

DiseaseList loadCatalogue(const Args& args) {
    return args.catalogue ? DatabaseTools::loadDiseases(*args.catalogue)
                          : DatabaseTools::loadDiseases();
}

// The symptoms of the profile, then those of the arguments; none (after a
// message) when there is nothing to diagnose.
std::optional<SymptomList> gatherSymptoms(const Args& args, const Command& command,
                                          std::ostream& err, std::size_t firstSymptom = 0) {
    SymptomList symptoms;
    if (args.profile) {
        auto loaded = readProfileFile(*args.profile);
        if (!loaded) {
            err << messages::kCouldNotLoad << std::endl;
            return std::nullopt;
        }
        symptoms = std::move(*loaded);
    }
    for (std::size_t i = firstSymptom; i < args.positional.size(); ++i) {
        symptoms.push_back(parseSymptomArgument(args.positional[i], command));
    }
    if (symptoms.empty()) {
        err << messages::kNoSymptoms << std::endl;
        return std::nullopt;
    }
    return symptoms;
}

// A diagnosis as both commands make it, so that whatever shapes one shapes
// the other.
struct Diagnosis {
    SymptomList symptoms;
    DiseaseList diseases;
    DiagnosticList results;
};

std::optional<Diagnosis> makeDiagnosis(const Args& args, const Command& command,
                                       std::ostream& err) {
    auto symptoms = gatherSymptoms(args, command, err);
    if (!symptoms) {
        return std::nullopt;
    }
    Diagnosis d{std::move(*symptoms), loadCatalogue(args), {}};
    // Conditions that cannot affect the person are left out; the rest keep their
    // order and probability.
    d.results =
        forPerson(DiagnosticTools::generateDiagnostics(d.diseases, d.symptoms), args.person);
    return d;
}

int diagnose(const Args& args, std::ostream& out, std::ostream& err) {
    const auto diagnosis = makeDiagnosis(args, kDiagnose, err);
    if (!diagnosis) {
        return kExitProfile;
    }
    const auto& [symptoms, diseases, results] = *diagnosis;
    if (args.json) {
        out << "[";
        for (std::size_t i = 0; i < results.size(); ++i) {
            out << (i ? ",\n " : "") << "{\"disease\": " << jsonString(results[i]->disease->name)
                << ", \"probability\": " << jsonNumber(results[i]->probability) << "}";
        }
        out << "]\n";
    } else {
        // The window's warning at Add; here beside the results, never in them.
        if (std::any_of(symptoms.begin(), symptoms.end(), [](const SymptomPtr& s) {
                return isCriticalSymptom(s->name(), s->intensity);
            })) {
            err << messages::kCriticalSymptom << std::endl;
        }
        for (const auto& d : results) {
            out << probabilityText(d->probability) << '\t' << d->disease->name << '\n';
        }
    }
    return kExitOk;
}

DiseasePtr findDisease(const DiseaseList& diseases, const std::string& name) {
    for (const auto& d : diseases) {
        if (namesEqual(d->name, name)) {
            return d;
        }
    }
    return nullptr;
}

void printNoSuchDisease(const std::string& name, std::ostream& err) {
    err << "No disease named \"" << name << "\" in the catalogue." << std::endl;
}

int explain(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.positional.empty()) {
        throw UsageError("expected DISEASE", &kExplain);
    }
    const auto symptoms = gatherSymptoms(args, kExplain, err, 1);
    if (!symptoms) {
        return kExitProfile;
    }
    const DiseaseList diseases = loadCatalogue(args);
    const DiseasePtr disease = findDisease(diseases, args.positional[0]);
    if (!disease) {
        printNoSuchDisease(args.positional[0], err);
        return kExitProfile;
    }
    const Explanation e = explainDiagnosis(*disease, *symptoms);
    const bool applies = appliesTo(*disease, args.person);
    const bool shown = e.listed && applies;
    if (args.json) {
        out << "{\"disease\": " << jsonString(e.disease)
            << ", \"probability\": " << (shown ? jsonNumber(e.probability) : "null")
            << ", \"matchScore\": " << jsonNumber(e.matchScore) << ", \"coverage\": {\"m\": " << e.m
            << ", \"n\": " << e.n << ", \"u\": " << e.u
            << ", \"factor\": " << jsonNumber(e.coverage) << "}"
            << ", \"frequencyTerm\": " << jsonNumber(e.frequencyTerm) << ", \"matched\": [";
        for (std::size_t i = 0; i < e.matched.size(); ++i) {
            const MatchedTerm& t = e.matched[i];
            out << (i ? ", " : "") << "{\"name\": " << jsonString(t.name)
                << ", \"yours\": " << jsonNumber(t.yours)
                << ", \"typical\": " << jsonNumber(t.typical)
                << ", \"weight\": " << jsonNumber(t.weight)
                << ", \"agreement\": " << jsonNumber(t.agreement)
                << ", \"points\": " << jsonNumber(t.points) << "}";
        }
        out << "], \"missing\": [";
        for (std::size_t i = 0; i < e.missing.size(); ++i) {
            out << (i ? ", " : "") << jsonString(e.missing[i]);
        }
        out << "]}\n";
        return kExitOk;
    }
    out << e.disease;
    if (shown) {
        out << ": " << probabilityText(e.probability);
    }
    out << '\n';
    if (!applies) {
        out << personExclusion(*disease, args.person) << '\n';
    }
    for (const auto& line : whyLines(whyThisResult(e, disease->frequency), "  ")) {
        out << line << '\n';
    }
    return kExitOk;
}

std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? ", " : "") + jsonString(items[i]);
    }
    return out + "]";
}

int triage(const Args& args, std::ostream& out, std::ostream& err) {
    const auto diagnosis = makeDiagnosis(args, kTriage, err);
    if (!diagnosis) {
        return kExitProfile;
    }
    const CareAdvice advice =
        assessCare(diagnosis->diseases, diagnosis->symptoms, diagnosis->results);
    if (args.json) {
        out << "{\"level\": " << jsonString(std::string(careLevelKey(advice.level)))
            << ", \"critical\": " << (advice.critical ? "true" : "false")
            << ", \"reasons\": " << jsonArray(advice.reasons)
            << ", \"conditions\": " << jsonArray(advice.conditions) << "}\n";
    } else {
        out << careLevelKey(advice.level) << '\n';
        for (const auto& reason : advice.reasons) {
            out << reason << '\n';
        }
    }
    return kExitOk;
}

int report(const Args& args, std::ostream&, std::ostream& err) {
    if (!args.output) {
        throw UsageError("expected -o FILE.html", &kReport);
    }
    const auto symptoms = gatherSymptoms(args, kReport, err);
    if (!symptoms) {
        return kExitProfile;
    }
    const ReportContent content = makeReportContent(loadCatalogue(args), *symptoms, args.person,
                                                    localDate(std::chrono::system_clock::now()));
    std::string error;
    if (!writeFileAtomically(*args.output, reportHtml(content), &error)) {
        err << "Could not write the report to " << *args.output << " (" << error << ")"
            << std::endl;
        return kExitProfile;
    }
    return kExitOk;
}

int symptoms(const Args& args, std::ostream& out, std::ostream&) {
    if (args.positional.size() != 1) {
        throw UsageError("expected one ORGAN", &kSymptoms);
    }
    const DiseaseList diseases = loadCatalogue(args);
    for (const auto& name : DatabaseTools::symptomsForOrgan(diseases, args.positional[0])) {
        out << name << '\n';
    }
    return kExitOk;
}

int info(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.positional.size() != 1) {
        throw UsageError("expected one DISEASE", &kInfo);
    }
    const DiseaseList diseases = loadCatalogue(args);
    const DiseasePtr d = findDisease(diseases, args.positional[0]);
    if (!d) {
        printNoSuchDisease(args.positional[0], err);
        return kExitProfile;
    }
    const DiseaseInfo texts = diseaseInfo(*d);
    const std::string gravity = texts.gravity ? std::string(texts.gravity->word) : "";
    if (args.json) {
        out << "{\"name\": " << jsonString(texts.name)
            << ", \"description\": " << jsonString(texts.description)
            << ", \"gravity\": " << jsonString(gravity)
            << ", \"frequency\": " << jsonString(texts.frequency)
            << ", \"symptoms\": " << jsonString(texts.symptoms) << "}\n";
    } else {
        out << texts.name << '\n'
            << texts.description << '\n'
            << gravity << '\n'
            << texts.frequency << '\n'
            << texts.symptoms << '\n';
    }
    return kExitOk;
}

int profileWrite(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.positional.empty()) {
        throw UsageError("expected FILE", &kProfileWrite);
    }
    SymptomList list;
    for (std::size_t i = 1; i < args.positional.size(); ++i) {
        list.push_back(parseSymptomArgument(args.positional[i], kProfileWrite));
    }
    const SaveResult saved = saveProfileFile(args.positional[0], list, out);
    if (!saved.ok) {
        err << messages::kCouldNotSave << " (" << saved.error << ")" << std::endl;
        return kExitProfile;
    }
    return kExitOk;
}

int profileRead(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.positional.size() != 1) {
        throw UsageError("expected one FILE", &kProfileRead);
    }
    const auto list = readProfileFile(args.positional[0]);
    if (!list) {
        err << messages::kCouldNotLoad << std::endl;
        return kExitProfile;
    }
    if (args.json) {
        out << "[";
        for (std::size_t i = 0; i < list->size(); ++i) {
            const Symptom& s = *(*list)[i];
            out << (i ? ",\n " : "") << "{\"name\": " << jsonString(s.name())
                << ", \"intensity\": " << jsonNumber(s.intensity) << "}";
        }
        out << "]\n";
    } else {
        for (const auto& s : *list) {
            out << s->name() << '\t' << profileNumberText(s->intensity) << '\n';
        }
    }
    return kExitOk;
}

int check(const Args& args, std::ostream& out, std::ostream&) {
    if (!args.positional.empty()) {
        throw UsageError("unexpected argument \"" + args.positional[0] + "\"", &kCheck);
    }
    const DiseaseList diseases = loadCatalogue(args);
    const CatalogueReport report = checkCatalogue(diseases);
    for (const auto& p : report.problems) {
        out << "problem: " << p << '\n';
    }
    out << diseases.size() << " diseases, " << report.distinctSymptoms << " distinct symptoms\n";
    for (const auto& [organ, count] : report.diseasesPerOrgan) {
        out << "  " << organ << ": " << count << '\n';
    }
    if (!report.problems.empty()) {
        out << report.problems.size() << " problem(s) to fix\n";
        return kExitProblems;
    }
    return kExitOk;
}

int organs(const Args& args, std::ostream& out, std::ostream&) {
    if (!args.positional.empty()) {
        throw UsageError("unexpected argument \"" + args.positional[0] + "\"", &kOrgansCommand);
    }
    for (const Organ& organ : kOrgans) {
        out << organ.key << '\n';
    }
    return kExitOk;
}

// Each command and what runs it.
struct Handler {
    const Command& command;
    int (*run)(const Args& args, std::ostream& out, std::ostream& err);
};
const Handler kHandlers[] = {
    {kDiagnose, diagnose},
    {kExplain, explain},
    {kTriage, triage},
    {kReport, report},
    {kSymptoms, symptoms},
    {kOrgansCommand, organs},
    {kInfo, info},
    {kCheck, check},
    {kProfileWrite, profileWrite},
    {kProfileRead, profileRead},
};

int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        throw UsageError("no command given", nullptr);
    }
    const std::string& name = args[0];
    if (name == "--help" || name == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (name == "--version") {
        out << "sanoria-cli " << kSanoriaVersion << '\n';
        return kExitOk;
    }
    std::string fullName = name;
    std::size_t from = 1;
    if (name == "profile") {
        if (args.size() < 2 || args[1] == "--help") {
            if (args.size() >= 2) {
                out << kProfileWrite.usage << kProfileRead.usage;
                return kExitOk;
            }
            throw UsageError("expected \"profile write\" or \"profile read\"", nullptr);
        }
        if (args[1] != "write" && args[1] != "read") {
            throw UsageError("unknown profile command \"" + args[1] + "\"", nullptr);
        }
        fullName += " " + args[1];
        from = 2;
    }
    const auto handler = std::find_if(std::begin(kHandlers), std::end(kHandlers),
                                      [&](const Handler& h) { return fullName == h.command.name; });
    // "profile write" is two words on the command line, never one.
    if (handler == std::end(kHandlers) || (from == 1 && name.find(' ') != std::string::npos)) {
        throw UsageError("unknown command \"" + name + "\"", nullptr);
    }
    const Args parsed = parseArgs(args, from, handler->command);
    if (parsed.help) {
        out << handler->command.usage;
        return kExitOk;
    }
    return handler->run(parsed, out, err);
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        return dispatch(args, out, err);
    } catch (const UsageError& e) {
        err << "sanoria-cli: " << e.what() << "\n" << (e.command ? e.command->usage : kUsage);
        return kExitUsage;
    } catch (const CatalogueError& e) {
        err << "sanoria-cli: " << e.what() << std::endl;
        return kExitCatalogue;
    } catch (const std::bad_alloc&) {
        err << "sanoria-cli: out of memory; the command was not finished" << std::endl;
        return kExitFailed;
    } catch (const std::exception& e) {
        err << "sanoria-cli: the command was not finished (" << e.what() << ")" << std::endl;
        return kExitFailed;
    }
}
