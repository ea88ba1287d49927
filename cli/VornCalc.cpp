// SPDX-License-Identifier: GPL-3.0-or-later

#include "VornCalc.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CalcOptions.h"
#include "CalcOutput.h"
#include "DocumentCommands.h"
#include "FitCommand.h"
#include "chart/GlobalChangeForms.h"
#include "document/GlobalData.h"
#include "document/InstrumentTemplates.h"
#include "frets/FretFrorm.h"
#include "frets/ScalaReader.h"
#include "io/AtomicFile.h"
#include "pitch/FrequencyRecord.h"
#include "pitch/FretScale.h"
#include "pitch/Keys.h"
#include "pitch/NoteValue.h"
#include "pitch/Temperaments.h"
#include "sound/ToneImage.h"

namespace vorn::calc {

namespace {

void emit(std::ostream& out, bool json, const nlohmann::ordered_json& j, const std::string& table) {
    if (json)
        out << JsonText(j);
    else
        out << table;
}

std::optional<std::string> optionalPath(const std::string& p) {
    return p.empty() ? std::optional<std::string>() : std::optional<std::string>(p);
}

const std::string noteNumbers =
    "Note number " + std::to_string(MinNoteNumber) + ".." + std::to_string(MaxNoteNumber);

// A note number with an optional spelling; without one the key spells it.
NoteValue noteOption(const std::string& option, const std::string& number,
                     const std::string& accidental) {
    NoteValue note;
    note.Number = static_cast<int32_t>(ParseWhole(option, number, MinNoteNumber, MaxNoteNumber));
    if (auto a = AccidentalOption(accidental)) {
        note.Accidental = *a;
        note.SpellingFixed = 1;
    }
    return note;
}

// The scale of --rule or --scale, whichever of the two sub was given; an unknown rule or a
// file refused or unread is the user's to fix.
FretScale scaleOption(const CLI::App& sub, const std::string& rule, const std::string& path) {
    if (sub.count("--rule") > 0) {
        const std::optional<FretRule> known = FretRuleOfKey(rule);
        if (!known)
            throw UsageError("--rule: '" + rule + "' must be dowland or galilei");
        return RuleScale(*known);
    }
    std::string data, error;
    if (!ReadWholeFile(path, data, &error))
        throw UsageError(FileFailure("read", path, error));
    ScalaReading read = ReadScalaScale(data, std::filesystem::path(path).filename().string());
    if (!read.Scale)
        throw UsageError(path + ": " + read.Refusal->Message());
    return std::move(*read.Scale);
}

// One subcommand: its options, added to the program's, and what it does once parsed.
// Run returns the exit code; bad input throws UsageError.
class Command {
public:
    virtual ~Command() = default;
    virtual void Add(CLI::App& app, bool& json) = 0;
    virtual int Run(std::ostream& out, std::ostream& err, bool json) = 0;
    bool Parsed() const { return sub_ && sub_->parsed(); }

protected:
    CLI::App* sub_ = nullptr;
};

class NoteCommand : public Command {
public:
    void Add(CLI::App& app, bool& json) override {
        sub_ = app.add_subcommand("note", "Name a note and give its frequency");
        sub_->add_option("NUMBER", number_, noteNumbers + " (69 = A, 60 = the C below)")
            ->required();
        sub_->add_option("--accidental", accidental_,
                         "Spelling 0..5 (none, double flat, flat, natural, sharp, double sharp)");
        sub_->add_option("--key", key_, "Key 0..29 that spells the note (default 7, C Major)");
        pitch_.add(sub_);
        sub_->add_flag("--json", json, "Print JSON");
    }

    int Run(std::ostream& out, std::ostream&, bool json) override {
        NoteResult r;
        r.Note = noteOption("NUMBER", number_, accidental_);
        uint8_t key = DefaultKey;
        if (!key_.empty())
            key = static_cast<uint8_t>(ParseWhole("--key", key_, 0, KeyCount - 1));
        const double pitchA = pitch_.pitchA();
        const double fraction = pitch_.temperamentAndFraction().second;
        r.Name = NoteName(r.Note, key, true);
        r.ShortName = NoteName(r.Note, key, false);
        FrequencyRecord table;
        table.Compute(fraction, pitchA);
        r.Frequency = table.NoteFrequency(r.Note);
        emit(out, json, NoteJson(r), NoteTable(r));
        return 0;
    }

private:
    std::string number_, accidental_, key_;
    PitchOptions pitch_;
};

class FretsCommand : public Command {
public:
    void Add(CLI::App& app, bool& json) override {
        sub_ = app.add_subcommand("frets", "Fret positions of one open string");
        sub_->add_option("--length", length_, "String length in cm (default 60)");
        sub_->add_option("--open", open_, "Note number of the open string (default 60)");
        sub_->add_option("--accidental", accidental_, "Spelling 0..5 of the open note");
        pitch_.add(sub_);
        sub_->add_option("--choices", choices_,
                         "Eleven digits for frets 1..11: 0 Mi, 1 Fa, 2 fixed");
        // A document brings all of the above itself.
        auto* document =
            sub_->add_option("--document", document_,
                             "Document file (.vrd): its Fret Chart, as the program shows it");
        for (const char* own : {"--length", "--open", "--accidental", "--pitch", "--comma",
                                "--temperament", "--choices"})
            document->excludes(sub_->get_option(own));
        sub_->add_option("--settings", settings_, "Settings file (.vrn) to open the document with")
            ->needs(document);
        // A scale brings its own pitches: no temperament, no Mi and Fa choices.
        auto* rule = sub_->add_option("--rule", rule_,
                                      "Frets by a historical rule instead of a temperament: "
                                      "dowland (1610; Vorn places his missing 11th fret at "
                                      "185/396) or galilei (18:17)");
        auto* scale = sub_->add_option(
            "--scale", scale_,
            "Frets by a Scala scale file (.scl) of 12 notes, or 17 as 'scl --notes 17' writes");
        rule->excludes(scale);
        for (auto* own : {rule, scale})
            for (const char* other : {"--comma", "--temperament", "--choices", "--document"})
                own->excludes(sub_->get_option(other));
        sub_->add_flag("--json", json, "Print JSON");
    }

    int Run(std::ostream& out, std::ostream& err, bool json) override {
        if (!document_.empty())
            return RunDocumentFrets(document_, optionalPath(settings_), json, out, err);
        if (sub_->count("--rule") > 0 || sub_->count("--scale") > 0)
            return runScale(out, json);
        const NoteValue open = noteOption("--open", open_, accidental_);
        // The File Setup page's range for the string the frets are measured on.
        const double length =
            ParseWithin("--length", length_, TopLengthRange.Min, TopLengthRange.Max, " cm");
        const double pitchA = pitch_.pitchA();
        const auto [id, fraction] = pitch_.temperamentAndFraction();
        FretChoices choices = DefaultMiFa;
        if (!choices_.empty()) {
            if (choices_.size() != 11 || choices_.find_first_not_of("012") != std::string::npos)
                throw UsageError("--choices: '" + choices_ + "' must be eleven digits 0, 1 or 2");
            for (int i = 0; i < 11; ++i)
                choices[i] = static_cast<uint8_t>(choices_[i] - '0');
            if (const int fret = FirstFixedFretChanged(choices))
                throw UsageError("--choices: fret " + std::to_string(fret) +
                                 " is fixed; its digit must be " +
                                 std::to_string(DefaultMiFa[fret - 1]));
        }
        const FretDistribution d = ComputeFretDistribution(open, length, fraction, pitchA, choices);
        const std::string name = TemperamentShortName(id, fraction);
        emit(out, json, FretsJson(d, name), FretsTable(d, name));
        return 0;
    }

private:
    // The open string sounds at its equal-tempered pitch from --pitch: a scale does not say.
    int runScale(std::ostream& out, bool json) const {
        const NoteValue open = noteOption("--open", open_, accidental_);
        const double length =
            ParseWithin("--length", length_, TopLengthRange.Min, TopLengthRange.Max, " cm");
        const double pitchA = pitch_.pitchA();
        const FretScale scale = scaleOption(*sub_, rule_, scale_);
        const FretDistribution d =
            ScaleFretDistribution(scale, open, length, ScaleOpenFrequency(open.Number, pitchA));
        emit(out, json, ScaleFretsJson(d, scale), ScaleFretsTable(d, scale));
        return 0;
    }

    std::string length_ = "60", open_ = "60", accidental_, choices_, document_, settings_, rule_,
                scale_;
    PitchOptions pitch_;
};

class PlacementCommand : public Command {
public:
    void Add(CLI::App& app, bool& json) override {
        sub_ = app.add_subcommand("placement",
                                  "A document's Placement Chart: six courses, twelve frets, Mi or "
                                  "Fa in its key");
        sub_->add_option("FILE", path_, "Document file (.vrd)")->required();
        sub_->add_option("--key", key_, "Key 0..29 to show instead of the document's own");
        sub_->add_option("--settings", settings_, "Settings file (.vrn) to open the document with");
        sub_->add_flag("--json", json, "Print JSON");
    }

    int Run(std::ostream& out, std::ostream& err, bool json) override {
        std::optional<int> key;
        if (!key_.empty())
            key = static_cast<int>(ParseWhole("--key", key_, 0, KeyCount - 1));
        return RunPlacement(path_, key, optionalPath(settings_), json, out, err);
    }

private:
    std::string path_, key_, settings_;
};

class StringCommand : public Command {
public:
    void Add(CLI::App& app, bool& json) override {
        sub_ = app.add_subcommand("string", "Recalculate one string");
        sub_->add_option("--note", note_, noteNumbers)->required();
        sub_->add_option("--accidental", accidental_, "Spelling 0..5");
        sub_->add_option("--length", length_, "Vibrating length in cm")->required();
        auto* t = sub_->add_option("--tension", tension_,
                                   "Tension in the display unit: solves the gut diameter");
        auto* d =
            sub_->add_option("--diameter", diameter_, "Gut diameter in mm: solves the tension");
        t->excludes(d);
        sub_->add_option("--unit", unit_, "Tension unit: N, kg or lb (default kg)");
        pitch_.add(sub_);
        sub_->add_option("--alt", alt_, "Alternative material or maker (default Nylon)");
        sub_->add_flag("--json", json, "Print JSON");
    }

    int Run(std::ostream& out, std::ostream&, bool json) override {
        StringSettings settings;
        settings.SetTensionUnit(UnitOption(unit_));
        const auto choices = settings.Materials.AlternativeChoiceList();
        if (std::find(choices.begin(), choices.end(), alt_) == choices.end()) {
            std::string list;
            for (const auto& c : choices)
                list += (list.empty() ? "" : ", ") + c;
            throw UsageError("--alt: '" + alt_ + "' is not an alternative (" + list + ")");
        }
        if (tension_.empty() == diameter_.empty())
            throw UsageError("string: give either --tension or --diameter");

        StringRecord row;
        row.Note = noteOption("--note", note_, accidental_);
        if (!row.Note.SpellingFixed)
            SpellLetter(row.Note, DefaultKey);
        const double pitchA = pitch_.pitchA();
        FrequencyRecord table;
        table.Compute(pitch_.temperamentAndFraction().second, pitchA);
        row.Frequency = table.NoteFrequency(row.Note);

        // What the string chart's cells take.
        row.Length = static_cast<float>(
            ParseWithin("--length", length_, MinStringLength, MaxStringLength, " cm"));
        row.AltChoice = alt_;
        RecalcMode mode = rm_diameter;
        if (!tension_.empty()) {
            row.TensionN =
                TypedTensionNewtons(ParseWithin("--tension", tension_, MinRowTension,
                                                MaxRowTension(settings.TensionUnit), " " + unit_),
                                    settings.TensionUnit);
        } else {
            row.GutDiameter = static_cast<float>(
                ParseWithin("--diameter", diameter_, MinRowDiameter, MaxRowDiameter, " mm"));
            mode = rm_tension;
        }
        Recalculate(row, mode, false, settings);
        emit(out, json, StringJson(row, settings), StringTable(row, settings));
        return 0;
    }

private:
    std::string note_, accidental_, length_, tension_, diameter_, unit_ = "kg", alt_ = "Nylon";
    PitchOptions pitch_;
};

class LimitCommand : public Command {
public:
    void Add(CLI::App& app, bool& json) override {
        sub_ =
            app.add_subcommand("limit", "The highest note a plain string takes before it breaks");
        sub_->add_option("--length", length_, "Vibrating length in cm")->required();
        sub_->add_option("--material", material_, "Plain string material (default Gut)");
        sub_->add_option("--margin", margin_, "Semitones to stay below breaking (default 0)");
        pitch_.add(sub_);
        sub_->add_option("--settings", settings_,
                         "Settings file (.vrn) whose materials and breaking indexes to use");
        sub_->add_flag("--json", json, "Print JSON");
    }

    int Run(std::ostream& out, std::ostream& err, bool json) override {
        TGlobalData settings;
        if (!settings_.empty() && !LoadCalcSettings(settings_, settings, err))
            return 1;
        const TStringMaterialCollection& materials = settings.Materials;
        if (materials.IsCatalogueName(material_))
            throw UsageError("limit: '" + material_ +
                             "' is a maker's wound string, which has no breaking index");
        const auto& items = materials.Items();
        if (std::none_of(items.begin(), items.end(),
                         [&](const TStringMaterialItem& m) { return m.Name == material_; })) {
            std::string list;
            for (const auto& m : items)
                list += (list.empty() ? "" : ", ") + m.Name;
            throw UsageError("--material: '" + material_ + "' is not a material (" + list + ")");
        }
        const double index = materials.BreakingIndexOf(material_);
        if (!(index > 0))
            throw UsageError("limit: '" + material_ +
                             "' has no breaking index: it is not used for plain strings");

        LimitResult r;
        r.Material = material_;
        r.Index = index;
        r.Length = ParseWithin("--length", length_, MinStringLength, MaxStringLength, " cm");
        r.Margin = ParseWithin("--margin", margin_, 0, 24, " semitones");
        r.MaxFrequency = BreakingFrequency(r.Index, r.Length, r.Margin);

        FrequencyRecord table;
        table.Compute(pitch_.temperamentAndFraction().second, pitch_.pitchA());
        for (int n = MaxNoteNumber; n >= MinNoteNumber; --n) {
            NoteResult note;
            note.Note.Number = n;
            SpellLetter(note.Note, DefaultKey);
            note.Frequency = table.NoteFrequency(note.Note);
            if (note.Frequency <= r.MaxFrequency) {
                note.Name = NoteName(note.Note, DefaultKey, true);
                note.ShortName = NoteName(note.Note, DefaultKey, false);
                r.Note = note;
                break;
            }
        }
        emit(out, json, LimitJson(r), LimitTable(r));
        return 0;
    }

private:
    std::string length_, material_ = "Gut", margin_ = "0", settings_;
    PitchOptions pitch_;
};

class CatalogueCommand : public Command {
public:
    void Add(CLI::App& app, bool& json) override {
        sub_ = app.add_subcommand("catalogue", "Look up a maker's catalogue string");
        sub_->add_option("NAME", name_, "Savarez, Pyramid, Kuerschner or Aquila")->required();
        sub_->add_option("--frequency", frequency_, "Frequency in Hz")->required();
        sub_->add_option("--length", length_, "Vibrating length in cm")->required();
        sub_->add_option("--tension", tension_, "Tension in newtons")->required();
        sub_->add_option("--index", index_, "Entry to show, 0 searches (default 0)");
        sub_->add_option("--unit", unit_, "Unit of the label's tension: N, kg or lb (default kg)");
        sub_->add_flag("--json", json, "Print JSON");
    }

    int Run(std::ostream& out, std::ostream&, bool json) override {
        const int kind = CatalogueKindOfName(name_);
        if (kind < 0)
            throw UsageError("catalogue: '" + name_ +
                             "' is not a maker (Savarez, Pyramid, Kuerschner or Aquila)");
        // A row's ranges: its frequency, length and tension in newtons.
        const double f = ParseWithin("--frequency", frequency_, 1, MaxRowFrequency, " Hz");
        const double L = ParseWithin("--length", length_, MinStringLength, MaxStringLength, " cm");
        const double T = ParseWithin("--tension", tension_, MinRowTension, MaxRowTensionN, " N");
        uint8_t index = static_cast<uint8_t>(ParseWhole("--index", index_, 0, 255));
        TCatalogues catalogues;
        catalogues.SetCatalogueUnit(UnitOption(unit_));
        const std::string label =
            catalogues.CatalogueLabel(kind, index, f, static_cast<float>(L), static_cast<float>(T));
        emit(out, json, CatalogueJson(label, index), CatalogueTable(name_, label, index));
        return 0;
    }

private:
    std::string name_, frequency_, length_, tension_, index_ = "0", unit_ = "kg";
};

class NewCommand : public Command {
public:
    void Add(CLI::App& app, bool&) override {
        sub_ = app.add_subcommand("new", "Write a new document built from an instrument template");
        sub_->add_option("TYPE", type_, "Instrument type 0..23 (3 = Alto Lute in G)")->required();
        sub_->add_option("FILE", path_, "Document file to write (.vrd)")->required();
        sub_->add_option("--settings", settings_, "Settings file (.vrn) to take the defaults from");
    }

    int Run(std::ostream& out, std::ostream& err, bool) override {
        const int type = static_cast<int>(ParseWhole("TYPE", type_, 0, InstrumentTypeCount - 1));
        CheckOutputFormat("FILE", path_, of_document);
        return RunNew(type, path_, optionalPath(settings_), out, err);
    }

private:
    std::string type_, path_, settings_;
};

class ShowCommand : public Command {
public:
    void Add(CLI::App& app, bool& json) override {
        sub_ = app.add_subcommand("show", "Open a document file and show its string chart");
        sub_->add_option("FILE", path_, "Document file (.vrd), current or older format")
            ->required();
        sub_->add_option("--settings", settings_, "Settings file (.vrn) to compute with");
        sub_->add_flag("--json", json, "Print JSON");
    }

    int Run(std::ostream& out, std::ostream& err, bool json) override {
        return RunShow(path_, optionalPath(settings_), json, out, err);
    }

private:
    std::string path_, settings_;
};

class ConvertCommand : public Command {
public:
    void Add(CLI::App& app, bool&) override {
        sub_ = app.add_subcommand("convert", "Rewrite an older-format document in today's format");
        sub_->add_option("OLD", old_, "Older-format document")->required();
        sub_->add_option("NEW", new_, "Document file to write")->required();
    }

    int Run(std::ostream& out, std::ostream& err, bool) override {
        CheckOutputFormat("NEW", new_, of_document);
        return RunConvert(old_, new_, out, err);
    }

private:
    std::string old_, new_;
};

class ReportCommand : public Command {
public:
    void Add(CLI::App& app, bool&) override {
        sub_ =
            app.add_subcommand("report", "A document's string and fret charts as the print window "
                                         "builds them: HTML, plain text or PDF");
        sub_->add_option("FILE", path_, "Document file (.vrd)")->required();
        sub_->add_option("--settings", settings_, "Settings file (.vrn) to compute with");
        sub_->add_option("--charts", charts_, "both (default), strings or frets");
        sub_->add_option("--format", format_, "html (default), text or pdf");
        sub_->add_option("--paper", paper_, "Paper of a PDF: a4 (default) or letter");
        sub_->add_option("--output", output_,
                         "File to write; html and text go to standard output without it");
    }

    int Run(std::ostream& out, std::ostream& err, bool) override {
        ReportRequest r;
        r.Path = path_;
        r.Settings = optionalPath(settings_);
        r.Output = optionalPath(output_);
        if (charts_ == "both")
            r.Strings = r.Frets = true;
        else if (charts_ == "strings")
            r.Frets = false;
        else if (charts_ == "frets")
            r.Strings = false;
        else
            throw UsageError("--charts: '" + charts_ + "' must be both, strings or frets");
        if (format_ == "html")
            r.Format = ReportFormat::Html;
        else if (format_ == "text")
            r.Format = ReportFormat::Text;
        else if (format_ == "pdf")
            r.Format = ReportFormat::Pdf;
        else
            throw UsageError("--format: '" + format_ + "' must be html, text or pdf");
        if (r.Format == ReportFormat::Pdf && !r.Output)
            throw UsageError("--format pdf needs --output");
        if (r.Output)
            CheckOutputFormat("--output", *r.Output,
                              r.Format == ReportFormat::Pdf    ? of_pdf
                              : r.Format == ReportFormat::Text ? of_text
                                                               : of_html);
        if (paper_ != "a4" && paper_ != "letter")
            throw UsageError("--paper: '" + paper_ + "' must be a4 or letter");
        r.Letter = paper_ == "letter";
        return RunReport(r, out, err);
    }

private:
    std::string path_, settings_, charts_ = "both", format_ = "html", output_, paper_ = "a4";
};

class ChangeCommand : public Command {
public:
    void Add(CLI::App& app, bool&) override {
        sub_ = app.add_subcommand("change",
                                  "Change a whole instrument as the Globals menu does and write "
                                  "the result");
        sub_->add_option("FILE", path_, "Document file (.vrd)")->required();
        sub_->add_option("--output", output_, "Document file to write")->required();
        sub_->add_option("--settings", settings_, "Settings file (.vrn) to compute with");
        sub_->add_option("--pitch", pitch_, "Pitch standard: A in Hz, 20..2100");
        auto* temperament =
            sub_->add_option("--temperament", temperament_, "Temperament 0..8 (5 = 1/6.05 comma)");
        auto* comma = sub_->add_option("--comma", comma_, "A comma fraction of your own, 0..0.34");
        temperament->excludes(comma);
        // A scale sets the frets only: the strings keep the temperament, which a later
        // --temperament or --comma brings back to the frets as well.
        auto* rule = sub_->add_option("--rule", rule_,
                                      "Fret by a historical rule from now on: dowland or galilei");
        auto* scale = sub_->add_option("--scale", scale_,
                                       "Fret by a Scala scale file (.scl) from now on, 12 or 17 "
                                       "notes");
        rule->excludes(scale);
        for (auto* own : {rule, scale})
            own->excludes(temperament)->excludes(comma);
        sub_->add_option("--transpose", transpose_, "Semitones, -12..12");
        sub_->add_option("--course-kinds", kinds_, "single, unison, bass-octave or default");
        auto* courses = sub_->add_option("--courses", courses_, "Number of courses, 4..19");
        sub_->add_option("--new-kind", newKind_,
                         "Kind of added courses: single, unison or "
                         "bass-octave (default)")
            ->needs(courses);
        auto* tension = sub_->add_option("--tension", tension_, "One tension for every string");
        sub_->add_option("--unit", unit_, "Unit of --tension: N, kg (default) or lb")
            ->needs(tension);
        sub_->add_flag("--default-tensions", defaultTensions_, "Every string its default tension")
            ->excludes(tension);
        auto* alt = sub_->add_option("--alt", alt_, "One alternative string for every string");
        sub_->add_flag("--default-alts", defaultAlts_, "Every string its default alternative")
            ->excludes(alt);
        auto* gut = sub_->add_option("--gut-density", gutDensity_, "Gut density in g/cm3");
        sub_->add_option("--gut-affects", gutAffects_,
                         "What a gut density change recalculates: tension or length (default: "
                         "the settings' rule, tension)")
            ->needs(gut);
        auto* length = sub_->add_option("--length", length_, "Top string length in cm, 20..120");
        auto* second =
            sub_->add_option("--second-length", second_, "Second string length in cm, 20..220")
                ->needs(length);
        auto* from = sub_->add_option("--from", from_, "Course the second length starts at, 6..19")
                         ->needs(second);
        second->needs(from);
        sub_->add_flag("--no-second-length", noSecond_, "One string length for every course")
            ->needs(length)
            ->excludes(second);
    }

    int Run(std::ostream& out, std::ostream& err, bool) override {
        CheckOutputFormat("--output", output_, of_document);
        ChangeRequest r;
        r.Path = path_;
        r.Output = output_;
        r.Settings = optionalPath(settings_);
        if (!pitch_.empty())
            r.Pitch = ParseWithin("--pitch", pitch_, APitchRange.Min, APitchRange.Max, " Hz");
        if (!temperament_.empty())
            r.Temperament = static_cast<int>(
                ParseWhole("--temperament", temperament_, 0, NamedTemperamentCount - 1));
        if (!comma_.empty())
            r.Comma = ParseWithin("--comma", comma_, MinCommaFraction, MaxCommaFraction);
        if (sub_->count("--rule") > 0 || sub_->count("--scale") > 0)
            r.Scale = scaleOption(*sub_, rule_, scale_);
        if (!transpose_.empty())
            r.Transpose = static_cast<int>(ParseWhole("--transpose", transpose_, -12, 12));
        if (!kinds_.empty()) {
            if (kinds_ == "default")
                r.CourseKinds = 0;
            else
                r.CourseKinds = kindOption("--course-kinds", kinds_) + 1;
        }
        if (!courses_.empty()) {
            r.Courses = static_cast<int>(ParseWhole("--courses", courses_, MinCourses, MaxCourses));
            if (!newKind_.empty())
                r.NewKindPosition = kindOption("--new-kind", newKind_);
        }
        if (!tension_.empty()) {
            r.Tension = ParsePositive("--tension", tension_);
            r.TensionUnit = UnitOption(unit_);
            const double newtons = static_cast<double>(ToNewtons(*r.Tension, r.TensionUnit));
            if (newtons < TensionForm::MinNewtons || newtons > TensionForm::MaxNewtons)
                throw UsageError("--tension: '" + tension_ + "' is outside 1..2000 N");
        }
        r.DefaultTensions = defaultTensions_;
        if (!alt_.empty())
            r.Alternative = alt_;
        r.DefaultAlternatives = defaultAlts_;
        if (!gutDensity_.empty()) {
            r.GutDensity =
                ParseWithin("--gut-density", gutDensity_, DensityRange.Min, DensityRange.Max);
            if (gutAffects_ == "tension")
                r.GutAffects = rm_tension;
            else if (gutAffects_ == "length")
                r.GutAffects = rm_length;
            else if (!gutAffects_.empty())
                throw UsageError("--gut-affects: '" + gutAffects_ + "' must be tension or length");
        }
        if (!length_.empty()) {
            r.Length =
                ParseWithin("--length", length_, TopLengthRange.Min, TopLengthRange.Max, " cm");
            if (!second_.empty()) {
                r.SecondLength = ParseWithin("--second-length", second_, SecondLengthRange.Min,
                                             SecondLengthRange.Max, " cm");
                r.FromCourse = static_cast<int>(ParseWhole(
                    "--from", from_, LengthForm::FirstFromCourse, LengthForm::LastFromCourse));
            }
            r.NoSecondLength = noSecond_;
        }
        return RunChange(r, out, err);
    }

private:
    // 0 single, 1 unison, 2 bass with octave.
    static int kindOption(const std::string& option, const std::string& text) {
        if (text == "single")
            return 0;
        if (text == "unison")
            return 1;
        if (text == "bass-octave")
            return 2;
        throw UsageError(option + ": '" + text + "' must be single, unison or bass-octave");
    }

    std::string path_, output_, settings_, pitch_, temperament_, comma_, rule_, scale_, transpose_,
        kinds_, courses_, newKind_, tension_, unit_ = "kg", alt_, gutDensity_, gutAffects_, length_,
                                              second_, from_;
    bool defaultTensions_ = false, defaultAlts_ = false, noSecond_ = false;
};

class TemplateCommand : public Command {
public:
    void Add(CLI::App& app, bool&) override {
        sub_ = app.add_subcommand(
            "template", "A full-scale fret template of a document's top string (PDF, SVG, DXF "
                        "or CSV)");
        sub_->add_option("FILE", path_, "Document file (.vrd)")->required();
        sub_->add_option("--output", output_, "Template to write: .pdf, .svg, .dxf or .csv")
            ->required();
        sub_->add_option("--paper", paper_, "a4 (default) or letter");
        sub_->add_flag("--no-alternatives", noAlternatives_, "Leave out the alternative positions");
    }

    int Run(std::ostream& out, std::ostream& err, bool) override {
        if (paper_ != "a4" && paper_ != "letter")
            throw UsageError("--paper: '" + paper_ + "' must be a4 or letter");
        const std::string ext = std::filesystem::path(output_).extension().string();
        if (ext != ".pdf" && ext != ".svg" && ext != ".dxf" && ext != ".csv")
            throw UsageError("--output: '" + output_ + "' must end in .pdf, .svg, .dxf or .csv");
        return RunTemplate(path_, output_, paper_ == "letter", !noAlternatives_, out, err);
    }

private:
    std::string path_, output_, paper_ = "a4";
    bool noAlternatives_ = false;
};

class OrderCommand : public Command {
public:
    void Add(CLI::App& app, bool&) override {
        sub_ = app.add_subcommand("order", "What strings to buy for a document, by maker or "
                                           "material and gauge");
        sub_->add_option("FILE", path_, "Document file (.vrd)")->required();
        sub_->add_option("--settings", settings_, "Settings file (.vrn) to compute with");
        sub_->add_option("--format", format_, "text (default) or csv");
        sub_->add_flag("--by-alternative", byAlternative_,
                       "Buy each string as its alternative (material or catalogue string), "
                       "not gut");
    }

    int Run(std::ostream& out, std::ostream& err, bool) override {
        if (format_ != "text" && format_ != "csv")
            throw UsageError("--format: '" + format_ + "' must be text or csv");
        return RunOrder(path_, optionalPath(settings_), format_ == "csv", byAlternative_, out, err);
    }

private:
    std::string path_, settings_, format_ = "text";
    bool byAlternative_ = false;
};

class ScalaCommand : public Command {
public:
    void Add(CLI::App& app, bool&) override {
        sub_ = app.add_subcommand("scl", "A temperament as a Scala scale file for tuners and "
                                         "synthesizers");
        auto* file =
            sub_->add_option("FILE", path_, "Document (.vrd): its temperament and fret choices");
        auto* temperament = sub_->add_option("--temperament", temperament_, "Temperament 0..8");
        auto* comma = sub_->add_option("--comma", comma_, "A comma fraction of your own, 0..0.34");
        file->excludes(temperament)->excludes(comma);
        temperament->excludes(comma);
        sub_->add_option("--notes", notes_, "12 (as fretted, default) or 17 (sharps and flats)");
        sub_->add_option("--output", output_, "Scala file to write (.scl)")->required();
    }

    int Run(std::ostream& out, std::ostream& err, bool) override {
        CheckOutputFormat("--output", output_, of_scala);
        const int notes = static_cast<int>(ParseWhole("--notes", notes_, 12, 17));
        if (notes != 12 && notes != 17)
            throw UsageError("--notes: '" + notes_ + "' must be 12 or 17");
        int id = -1;
        double fraction = 0;
        if (!temperament_.empty()) {
            id = static_cast<int>(
                ParseWhole("--temperament", temperament_, 0, NamedTemperamentCount - 1));
            fraction = TemperamentFraction(id);
        } else if (!comma_.empty()) {
            id = CustomTemperament;
            fraction = ParseWithin("--comma", comma_, MinCommaFraction, MaxCommaFraction);
        } else if (path_.empty()) {
            throw UsageError("scl: give a document, --temperament or --comma");
        }
        return RunScala(optionalPath(path_), id, fraction, notes, output_, out, err);
    }

private:
    std::string path_, temperament_, comma_, notes_ = "12", output_;
};

class ToneCommand : public Command {
public:
    void Add(CLI::App& app, bool&) override {
        sub_ = app.add_subcommand(
            "tone", "Write the one-second looping tone the program plays, as a WAV file");
        sub_->add_option("HZ", hz_, "Frequency in whole hertz, 12..6615")->required();
        sub_->add_option("--volume", volume_, "Volume 0..127 (default 60)");
        sub_->add_option("--output", output_, "WAV file to write")->required();
    }

    int Run(std::ostream& out, std::ostream& err, bool) override {
        const auto hz =
            static_cast<int32_t>(ParseWhole("HZ", hz_, MinToneFrequency, MaxToneFrequency));
        const auto volume = static_cast<int32_t>(ParseWhole("--volume", volume_, 0, MaxToneVolume));
        CheckOutputFormat("--output", output_, of_wav);
        std::string error;
        if (!WriteFileAtomically(output_, BuildToneImage(hz, volume), &error)) {
            err << "vorn-calc: " << OneLine(FileFailure("write", output_, error)) << "\n";
            return 1;
        }
        out << "Wrote a " << hz << " Hz tone at volume " << volume << " to " << OneLine(output_)
            << "\n";
        return 0;
    }

private:
    std::string hz_, volume_ = std::to_string(DefaultToneVolume), output_;
};

class FitCommand : public Command {
public:
    void Add(CLI::App& app, bool& json) override {
        sub_ = app.add_subcommand("fit", "Which temperament measured frets were set to");
        sub_->add_option("--length", length_, "String length in cm, 20..120")->required();
        sub_->add_option("--frets", frets_,
                         "Distances in cm from the nut of frets 1..11, comma-separated; an "
                         "empty field for a fret not measured")
            ->required();
        sub_->add_flag("--json", json, "Print JSON");
    }

    int Run(std::ostream& out, std::ostream&, bool json) override {
        return RunFit(length_, frets_, json, out);
    }

private:
    std::string length_, frets_;
};

} // namespace

int RunVornCalc(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"Vorn calculator: notes, frets, strings and makers' catalogues for historical "
                 "string instruments.",
                 "vorn-calc"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("vorn-calc ") + VORN_VERSION);
    bool json = false;
    app.add_flag("--json", json, "Print JSON instead of a table");

    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<NoteCommand>());
    commands.push_back(std::make_unique<FretsCommand>());
    commands.push_back(std::make_unique<PlacementCommand>());
    commands.push_back(std::make_unique<StringCommand>());
    commands.push_back(std::make_unique<LimitCommand>());
    commands.push_back(std::make_unique<CatalogueCommand>());
    commands.push_back(std::make_unique<NewCommand>());
    commands.push_back(std::make_unique<ShowCommand>());
    commands.push_back(std::make_unique<ConvertCommand>());
    commands.push_back(std::make_unique<ChangeCommand>());
    commands.push_back(std::make_unique<ReportCommand>());
    commands.push_back(std::make_unique<ScalaCommand>());
    commands.push_back(std::make_unique<TemplateCommand>());
    commands.push_back(std::make_unique<OrderCommand>());
    commands.push_back(std::make_unique<ToneCommand>());
    commands.push_back(std::make_unique<FitCommand>());
    for (const auto& command : commands)
        command->Add(app, json);

    // A mistyped command deserves its own name in the message.
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.empty() || word[0] == '-')
            continue;
        const std::vector<CLI::App*> subs = app.get_subcommands({});
        if (std::none_of(subs.begin(), subs.end(),
                         [&](const CLI::App* sub) { return sub->get_name() == word; })) {
            std::string names;
            for (size_t n = 0; n < subs.size(); ++n)
                names += (n == 0 ? "" : n + 1 == subs.size() ? " or " : ", ") + subs[n]->get_name();
            err << "vorn-calc: unknown command '" << OneLine(word) << "' (use " << names << ")\n";
            return 2;
        }
        break;
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << "\n";
        return 0;
    } catch (const CLI::RequiredError& e) {
        // No command at all: say how to start rather than what is missing.
        if (app.get_subcommands().empty()) {
            err << "usage: vorn-calc [--json] command [options]; see vorn-calc --help\n";
            return 2;
        }
        err << "vorn-calc: " << OneLine(e.what()) << "\n";
        return 2;
    } catch (const CLI::ParseError& e) {
        err << "vorn-calc: " << OneLine(e.what()) << "\n";
        return 2;
    }

    try {
        for (const auto& command : commands)
            if (command->Parsed())
                return command->Run(out, err, json);
    } catch (const UsageError& e) {
        err << "vorn-calc: " << OneLine(e.what()) << "\n";
        return 2;
    } catch (const std::exception& e) {
        // Whatever a command meets, it ends with a message, never an abort.
        err << "vorn-calc: " << OneLine(e.what()) << "\n";
        return 1;
    }
    return 2;
}

} // namespace vorn::calc
