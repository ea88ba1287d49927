#include "VornCalc.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "CalcOutput.h"
#include "DocumentCommands.h"
#include "document/InstDataType.h"
#include "document/InstrumentTemplates.h"
#include "io/AtomicFile.h"
#include "pitch/FrequencyRecord.h"
#include "pitch/Keys.h"
#include "pitch/Temperaments.h"
#include "sound/ToneImage.h"
#include "strings/StringPhysics.h"

namespace vorn::calc {

namespace {

// Bad input: the message names what is wrong.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double parseReal(const std::string& option, const std::string& text) {
    double v = 0;
    if (!ParseNumber(text, v) || !std::isfinite(v))
        throw UsageError(option + ": '" + text + "' is not a number");
    return v;
}

double parsePositive(const std::string& option, const std::string& text) {
    const double v = parseReal(option, text);
    if (!(v > 0))
        throw UsageError(option + ": " + text + " must be greater than 0");
    return v;
}

long parseWhole(const std::string& option, const std::string& text, long lo, long hi) {
    double v = 0;
    if (!ParseNumber(text, v) || v != std::floor(v) || text.find('.') != std::string::npos)
        throw UsageError(option + ": '" + text + "' is not a whole number");
    if (v < lo || v > hi)
        throw UsageError(option + ": " + text + " is out of range (" + std::to_string(lo) + ".." +
                         std::to_string(hi) + ")");
    return static_cast<long>(v);
}

// Options every pitch-aware command shares.
struct PitchOptions {
    std::string pitch = "440";
    std::string comma;
    std::string temperament;

    void add(CLI::App* cmd) {
        cmd->add_option("--pitch", pitch, "Pitch standard: frequency of A in Hz (default 440)");
        auto* c = cmd->add_option(
            "--comma", comma, "Temperament as a fraction of the syntonic comma (0 = pure fifths)");
        auto* t = cmd->add_option("--temperament", temperament,
                                  "Temperament 0..8 (default 5, 1/6 Comma (Gerle-Dowland))");
        c->excludes(t);
    }

    double pitchA() const { return parsePositive("--pitch", pitch); }

    // The temperament identifier and its comma fraction.
    std::pair<int, double> temperamentAndFraction() const {
        if (!comma.empty())
            return {CustomTemperament, parseReal("--comma", comma)};
        int id = 5;
        if (!temperament.empty())
            id = static_cast<int>(parseWhole("--temperament", temperament, 0, 8));
        return {id, TemperamentFraction(id)};
    }
};

std::string trimmed(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    const size_t e = s.find_last_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::optional<uint8_t> accidentalOption(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    return static_cast<uint8_t>(parseWhole("--accidental", text, 0, 5));
}

VornTensType unitOption(const std::string& text) {
    if (text == "N")
        return tt_newtons;
    if (text == "kg")
        return tt_kilograms;
    if (text == "lb")
        return tt_pounds;
    throw UsageError("--unit: '" + text + "' is not a tension unit (N, kg or lb)");
}

void emit(std::ostream& out, bool json, const nlohmann::ordered_json& j, const std::string& table) {
    if (json)
        out << j.dump(2) << "\n";
    else
        out << table;
}

} // namespace

int RunVornCalc(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"Vorn calculator: notes, frets, strings and makers' catalogues for historical "
                 "string instruments.",
                 "vorn-calc"};
    app.require_subcommand(1);
    bool json = false;
    app.add_flag("--json", json, "Print JSON instead of a table");

    // note
    auto* noteCmd = app.add_subcommand("note", "Name a note and give its frequency");
    std::string noteNumber, noteAccidental, noteKey;
    PitchOptions notePitch;
    noteCmd->add_option("NUMBER", noteNumber, "Note number 0..127 (69 = A, 60 = the C below)")
        ->required();
    noteCmd->add_option("--accidental", noteAccidental,
                        "Spelling 0..5 (none, double flat, flat, natural, sharp, double sharp)");
    noteCmd->add_option("--key", noteKey, "Key 0..29 that spells the note (default 7, C Major)");
    notePitch.add(noteCmd);
    noteCmd->add_flag("--json", json, "Print JSON");

    // frets
    auto* fretsCmd = app.add_subcommand("frets", "Fret positions of one open string");
    std::string fretsLength = "60", fretsOpen = "60", fretsAccidental, fretsChoices;
    PitchOptions fretsPitch;
    fretsCmd->add_option("--length", fretsLength, "String length in cm (default 60)");
    fretsCmd->add_option("--open", fretsOpen, "Note number of the open string (default 60)");
    fretsCmd->add_option("--accidental", fretsAccidental, "Spelling 0..5 of the open note");
    fretsPitch.add(fretsCmd);
    fretsCmd->add_option("--choices", fretsChoices,
                         "Eleven digits for frets 1..11: 0 Mi, 1 Fa, 2 fixed");
    fretsCmd->add_flag("--json", json, "Print JSON");

    // string
    auto* stringCmd = app.add_subcommand("string", "Recalculate one string");
    std::string strNote, strAccidental, strLength, strTension, strDiameter, strUnit = "kg";
    std::string strAlt = "Nylon";
    PitchOptions strPitch;
    stringCmd->add_option("--note", strNote, "Note number 0..127")->required();
    stringCmd->add_option("--accidental", strAccidental, "Spelling 0..5");
    stringCmd->add_option("--length", strLength, "Vibrating length in cm")->required();
    auto* tOpt = stringCmd->add_option("--tension", strTension,
                                       "Tension in the display unit: solves the gut diameter");
    auto* dOpt =
        stringCmd->add_option("--diameter", strDiameter, "Gut diameter in mm: solves the tension");
    tOpt->excludes(dOpt);
    stringCmd->add_option("--unit", strUnit, "Tension unit: N, kg or lb (default kg)");
    strPitch.add(stringCmd);
    stringCmd->add_option("--alt", strAlt, "Alternative material or maker (default Nylon)");
    stringCmd->add_flag("--json", json, "Print JSON");

    // catalogue
    auto* catCmd = app.add_subcommand("catalogue", "Look up a maker's catalogue string");
    std::string catName, catFreq, catLength, catTension, catIndex = "0", catUnit = "kg";
    catCmd->add_option("NAME", catName, "Savarez, Pyramid, Kuerschner or Aquila")->required();
    catCmd->add_option("--frequency", catFreq, "Frequency in Hz")->required();
    catCmd->add_option("--length", catLength, "Vibrating length in cm")->required();
    catCmd->add_option("--tension", catTension, "Tension in newtons")->required();
    catCmd->add_option("--index", catIndex, "Entry to show, 0 searches (default 0)");
    catCmd->add_option("--unit", catUnit, "Unit of the label's tension: N, kg or lb (default kg)");
    catCmd->add_flag("--json", json, "Print JSON");

    // A mistyped command deserves its own name in the message.
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.empty() || word[0] == '-')
            continue;
        if (word != "note" && word != "frets" && word != "string" && word != "catalogue" &&
            word != "new" && word != "show" && word != "convert" && word != "tone") {
            err << "vorn-calc: unknown command '" << word
                << "' (use note, frets, string, catalogue, new, show, convert or tone)\n";
            return 2;
        }
        break;
    }

    // new, show, convert
    auto* newCmd =
        app.add_subcommand("new", "Write a new document built from an instrument template");
    std::string newType, newPath, newSettings;
    newCmd->add_option("TYPE", newType, "Instrument type 0..23 (3 = Alto Lute in G)")->required();
    newCmd->add_option("FILE", newPath, "Document file to write (.vrd)")->required();
    newCmd->add_option("--settings", newSettings, "Settings file (.vrn) to take the defaults from");

    auto* showCmd = app.add_subcommand("show", "Open a document file and show its string chart");
    std::string showPath, showSettings;
    showCmd->add_option("FILE", showPath, "Document file (.vrd), current or older format")
        ->required();
    showCmd->add_option("--settings", showSettings, "Settings file (.vrn) to compute with");
    showCmd->add_flag("--json", json, "Print JSON");

    auto* convertCmd =
        app.add_subcommand("convert", "Rewrite an older-format document in today's format");
    std::string convertOld, convertNew;
    convertCmd->add_option("OLD", convertOld, "Older-format document")->required();
    convertCmd->add_option("NEW", convertNew, "Document file to write")->required();

    // tone
    auto* toneCmd = app.add_subcommand(
        "tone", "Write the one-second looping tone the program plays, as a WAV file");
    std::string toneHz, toneVolume = std::to_string(DefaultToneVolume), toneOutput;
    toneCmd->add_option("HZ", toneHz, "Frequency in whole hertz, 12..6615")->required();
    toneCmd->add_option("--volume", toneVolume, "Volume 0..127 (default 60)");
    toneCmd->add_option("--output", toneOutput, "WAV file to write")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "vorn-calc: " << e.what() << "\n";
        return 2;
    }

    try {
        if (noteCmd->parsed()) {
            NoteResult r;
            r.Note.Number = static_cast<int32_t>(parseWhole("NUMBER", noteNumber, 0, 127));
            if (auto a = accidentalOption(noteAccidental)) {
                r.Note.Accidental = *a;
                r.Note.SpellingFixed = 1;
            }
            uint8_t key = DefaultKey;
            if (!noteKey.empty())
                key = static_cast<uint8_t>(parseWhole("--key", noteKey, 0, KeyCount - 1));
            const double pitchA = notePitch.pitchA();
            const auto [id, fraction] = notePitch.temperamentAndFraction();
            (void)id;
            r.Name = NoteName(r.Note, key, true);
            r.ShortName = NoteName(r.Note, key, false);
            FrequencyRecord table;
            table.Compute(fraction, pitchA);
            r.Frequency = table.NoteFrequency(r.Note);
            emit(out, json, NoteJson(r), NoteTable(r));
            return 0;
        }

        if (fretsCmd->parsed()) {
            NoteValue open;
            open.Number = static_cast<int32_t>(parseWhole("--open", fretsOpen, 0, 127));
            if (auto a = accidentalOption(fretsAccidental)) {
                open.Accidental = *a;
                open.SpellingFixed = 1;
            }
            const double length = parsePositive("--length", fretsLength);
            const double pitchA = fretsPitch.pitchA();
            const auto [id, fraction] = fretsPitch.temperamentAndFraction();
            FretChoices choices = DefaultMiFa;
            if (!fretsChoices.empty()) {
                if (fretsChoices.size() != 11 ||
                    fretsChoices.find_first_not_of("012") != std::string::npos)
                    throw UsageError("--choices: '" + fretsChoices +
                                     "' must be eleven digits 0, 1 or 2");
                for (int i = 0; i < 11; ++i)
                    choices[i] = static_cast<uint8_t>(fretsChoices[i] - '0');
            }
            const FretDistribution d =
                ComputeFretDistribution(open, length, fraction, pitchA, choices);
            const std::string name = trimmed(TemperamentName(id, fraction));
            emit(out, json, FretsJson(d, name), FretsTable(d, name));
            return 0;
        }

        if (stringCmd->parsed()) {
            StringSettings settings;
            settings.SetTensionUnit(unitOption(strUnit));

            const auto choices = settings.Materials.AlternativeChoiceList();
            if (std::find(choices.begin(), choices.end(), strAlt) == choices.end()) {
                std::string list;
                for (const auto& c : choices)
                    list += (list.empty() ? "" : ", ") + c;
                throw UsageError("--alt: '" + strAlt + "' is not an alternative (" + list + ")");
            }
            if (strTension.empty() == strDiameter.empty())
                throw UsageError("string: give either --tension or --diameter");

            StringRecord row;
            row.Note.Number = static_cast<int32_t>(parseWhole("--note", strNote, 0, 127));
            if (auto a = accidentalOption(strAccidental)) {
                row.Note.Accidental = *a;
                row.Note.SpellingFixed = 1;
            } else {
                SpellLetter(row.Note, DefaultKey);
            }
            const double pitchA = strPitch.pitchA();
            const auto [id, fraction] = strPitch.temperamentAndFraction();
            (void)id;
            FrequencyRecord table;
            table.Compute(fraction, pitchA);
            row.Frequency = table.NoteFrequency(row.Note);

            // The string chart's entry minimums: length 1 cm, tension and diameter 0.1.
            row.Length = static_cast<float>(std::max(1.0, parsePositive("--length", strLength)));
            row.TensionUnit = settings.TensionUnit;
            row.AltChoice = strAlt;
            RecalcMode mode;
            if (!strTension.empty()) {
                row.Tension =
                    static_cast<float>(std::max(0.1, parsePositive("--tension", strTension)));
                mode = rm_diameter;
            } else {
                row.GutDiameter =
                    static_cast<float>(std::max(0.1, parsePositive("--diameter", strDiameter)));
                mode = rm_tension;
            }
            Recalculate(row, mode, false, settings);
            emit(out, json, StringJson(row, settings), StringTable(row, settings));
            return 0;
        }

        if (catCmd->parsed()) {
            const int kind = CatalogueKindOfName(catName);
            if (kind < 0)
                throw UsageError("catalogue: '" + catName +
                                 "' is not a maker (Savarez, Pyramid, Kuerschner or Aquila)");
            const double f = parsePositive("--frequency", catFreq);
            const double L = parsePositive("--length", catLength);
            const double T = parsePositive("--tension", catTension);
            uint8_t index = static_cast<uint8_t>(parseWhole("--index", catIndex, 0, 255));
            TCatalogues catalogues;
            catalogues.SetCatalogueUnit(unitOption(catUnit));
            const std::string label = catalogues.CatalogueLabel(
                kind, index, f, static_cast<float>(L), static_cast<float>(T));
            emit(out, json, CatalogueJson(label, index), CatalogueTable(catName, label, index));
            return 0;
        }

        auto optionalPath = [](const std::string& p) {
            return p.empty() ? std::optional<std::string>() : std::optional<std::string>(p);
        };
        if (newCmd->parsed()) {
            const int type =
                static_cast<int>(parseWhole("TYPE", newType, 0, InstrumentTypeCount - 1));
            return RunNew(type, newPath, optionalPath(newSettings), out, err);
        }
        if (showCmd->parsed())
            return RunShow(showPath, optionalPath(showSettings), json, out, err);
        if (convertCmd->parsed())
            return RunConvert(convertOld, convertNew, out, err);
        if (toneCmd->parsed()) {
            const auto hz =
                static_cast<int32_t>(parseWhole("HZ", toneHz, MinToneFrequency, MaxToneFrequency));
            const auto volume =
                static_cast<int32_t>(parseWhole("--volume", toneVolume, 0, MaxToneVolume));
            std::string error;
            if (!WriteFileAtomically(toneOutput, BuildToneImage(hz, volume), &error)) {
                err << "vorn-calc: cannot write " << toneOutput << ": " << error << "\n";
                return 1;
            }
            out << "Wrote a " << hz << " Hz tone at volume " << volume << " to " << toneOutput
                << "\n";
            return 0;
        }
    } catch (const UsageError& e) {
        err << "vorn-calc: " << e.what() << "\n";
        return 2;
    }
    return 2;
}

} // namespace vorn::calc
