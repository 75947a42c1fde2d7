// The inputs file, written and read (see InputsFile.h). Reading goes through the JSON library's
// event interface, which hands over every number as written, so a setting is read by the input
// syntax exactly as a typed one, never through a binary double.
#include "control/InputsFile.h"

#include "control/InputFields.h"
#include "control/InputSyntax.h"
#include "control/SettingFields.h"
#include "report/CheckLines.h"
#include "report/JsonText.h"
#include "support/FileWrite.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace verrask {

namespace {

using report::TSettingField;

struct TSettingKey {
    TSettingField Field;
    std::string_view Key;
};

// The settings' keys, in the order of the checks window's fields.
constexpr std::array<TSettingKey, report::SettingFields.size()> SettingKeys{{
    {TSettingField::GammaW, "gamma_w"},
    {TSettingField::Tailwater, "tailwater"},
    {TSettingField::FactorDst, "factor_dst"},
    {TSettingField::FactorStb, "factor_stb"},
    {TSettingField::UpliftDst, "uplift_dst"},
    {TSettingField::UpliftStb, "uplift_stb"},
    {TSettingField::TargetTerzaghi, "target_terzaghi"},
    {TSettingField::TargetExit, "target_exit"},
    {TSettingField::TargetColumn, "target_column"},
    {TSettingField::TargetEc7a, "target_ec7a"},
    {TSettingField::TargetEc7b, "target_ec7b"},
}};

// An inputs file is well under a kilobyte; anything far larger is not one.
constexpr std::uintmax_t LargestFile = 64 * 1024;

constexpr std::string_view InputsKey = "inputs", SettingsKey = "check_settings";

long double SettingValue(const checks::TCheckSettings& s, TSettingField field) {
    for (const report::TSettingFieldDesign& d : report::SettingFields)
        if (d.Field == field) return s.*d.Member;
    return checks::NotAvailable;
}

// The fewest significant digits that the input syntax reads back to exactly `v`.
std::string ShortestNumber(long double v) {
    char buffer[64] = "";
    for (int digits = 1; digits <= 21; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*Lg", digits, v);
        if (long double back = 0; ParseNumber(buffer, back) && back == v) break;
    }
    return buffer;
}

std::string Quoted(std::string_view section, std::string_view key) {
    std::string out = "\"";
    if (!section.empty()) out.append(section).append(".");
    return out.append(key).append("\"");
}

// One value as the file has it: a number keeps its text.
struct TScalar {
    enum class TKind { Null, Bool, Integer, Number, Text } Kind = TKind::Null;
    std::string Text;
    bool Negative = false; // of an integer
};

// Collects the members the file has and the first fault in its structure (a wrong type, an
// unknown or repeated key), skipping everything inside a member it refused.
class TReader final : public nlohmann::json_sax<nlohmann::json> {
  public:
    explicit TReader(std::string_view text) : Text(text) {}

    std::string Syntax; // the parser's message, with line and column
    std::string Fault;  // the first fault of structure
    bool NoObject = false;
    std::map<std::string, TScalar, std::less<>> Root, Inputs, Settings;
    std::set<std::string, std::less<>> Sections; // "inputs", "check_settings" as objects

    bool null() override { return Scalar({TScalar::TKind::Null, "", false}); }
    bool boolean(bool v) override { return Scalar({TScalar::TKind::Bool, v ? "true" : "", false}); }
    bool number_integer(number_integer_t v) override {
        return Scalar({TScalar::TKind::Integer, std::to_string(v), v < 0});
    }
    bool number_unsigned(number_unsigned_t v) override {
        return Scalar({TScalar::TKind::Integer, std::to_string(v), false});
    }
    bool number_float(number_float_t, const string_t& text) override {
        return Scalar({TScalar::TKind::Number, text, false});
    }
    bool string(string_t& v) override { return Scalar({TScalar::TKind::Text, v, false}); }
    bool binary(binary_t&) override { return Container(false); }
    bool start_object(std::size_t) override { return Container(true); }
    bool start_array(std::size_t) override { return Container(false); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& k) override {
        if (Skipping()) return true;
        Keys[Depth] = k;
        std::set<std::string, std::less<>>& seen = Seen[Depth];
        if (!seen.insert(k).second) Refuse(Quoted(Section(), k) + " appears twice");
        return true;
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& e) override {
        // The library's text without its tag; where it stopped, as line and column.
        std::string what = e.what();
        if (const std::size_t tag = what.find("] "); tag != std::string::npos)
            what.erase(0, tag + 2);
        // What it read last goes only when it is plain text (it may hold a broken byte).
        if (const std::size_t last = what.find("; last read: ");
            last != std::string::npos &&
            std::any_of(what.begin() + static_cast<std::ptrdiff_t>(last), what.end(),
                        [](unsigned char ch) { return ch < 0x20 || ch >= 0x7F; }))
            what.erase(last);
        if (const std::size_t at = what.find("at line "); at != std::string::npos) {
            Syntax = what.substr(at + 3);
            return false;
        }
        const std::string_view read = Text.substr(0, std::min(position, Text.size()));
        const std::size_t line =
            1 + static_cast<std::size_t>(std::count(read.begin(), read.end(), '\n'));
        const std::size_t start = read.rfind('\n');
        const std::size_t column = read.size() - (start == std::string_view::npos ? 0 : start + 1);
        Syntax =
            "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
        return false;
    }

  private:
    std::string_view Text;
    static constexpr std::size_t Deepest = 3; // root, section, member
    std::size_t Depth = 0;                    // containers open
    std::size_t SkipFrom = 0;                 // the depth a refused container opened at, 0: none
    std::array<std::string, Deepest> Keys;
    std::array<std::set<std::string, std::less<>>, Deepest> Seen;
    std::string_view CurrentSection;

    bool Skipping() const { return SkipFrom != 0; }
    std::string_view Section() const { return Depth == 2 ? CurrentSection : ""; }
    void Refuse(const std::string& why) {
        if (Fault.empty()) Fault = why;
    }
    // What the member at the current place may be: an unknown key, or why its type is wrong.
    std::string Misfit(std::string_view type) const {
        const std::string& k = Keys[Depth];
        std::string_view wanted;
        if (Depth == 1) {
            wanted = k == "format"                        ? "a text"
                     : k == "version"                     ? "a whole number"
                     : k == InputsKey || k == SettingsKey ? "an object"
                                                          : "";
        } else if (CurrentSection == InputsKey) {
            for (const TInputFieldDesign& d : InputFields)
                if (k == d.JsonKey) wanted = "a text";
        } else {
            for (const TSettingKey& s : SettingKeys)
                if (k == s.Key)
                    wanted = s.Field == TSettingField::Tailwater ? "a number or null" : "a number";
        }
        if (wanted.empty()) return "unknown key " + Quoted(Section(), k);
        return Quoted(Section(), k) + " must be " + std::string(wanted) + ", not " +
               std::string(type);
    }
    bool Container(bool object) {
        if (Skipping()) {
            ++Depth;
            return true;
        }
        if (Depth == 0 && object) {
            ++Depth;
            return true;
        }
        if (Depth == 0) {
            NoObject = true;
            SkipFrom = ++Depth;
            return true;
        }
        if (Depth == 1 && object && (Keys[1] == InputsKey || Keys[1] == SettingsKey)) {
            CurrentSection = Keys[1] == InputsKey ? InputsKey : SettingsKey;
            Sections.insert(Keys[1]);
            ++Depth;
            Seen[Depth].clear();
            return true;
        }
        Refuse(Misfit(object ? "an object" : "a list"));
        SkipFrom = ++Depth;
        return true;
    }
    bool Close() {
        if (Depth == SkipFrom) SkipFrom = 0;
        --Depth;
        return true;
    }
    bool Scalar(const TScalar& v) {
        if (Skipping()) return true;
        if (Depth == 0) {
            NoObject = true;
            return true;
        }
        const std::string& k = Keys[Depth];
        const char* type = v.Kind == TScalar::TKind::Text   ? "a text"
                           : v.Kind == TScalar::TKind::Null ? "null"
                           : v.Kind == TScalar::TKind::Bool ? (v.Text.empty() ? "false" : "true")
                                                            : "a number";
        const std::string misfit = Misfit(type);
        const bool known = misfit.rfind("unknown", 0) != 0;
        if (!known) {
            Refuse(misfit);
        } else if (Depth == 1) {
            if (k == InputsKey || k == SettingsKey)
                Refuse(misfit);
            else
                Root[k] = v; // format and version are judged once the whole file is read
        } else if (CurrentSection == InputsKey) {
            if (v.Kind == TScalar::TKind::Text)
                Inputs[k] = v;
            else
                Refuse(misfit);
        } else {
            const bool number =
                v.Kind == TScalar::TKind::Integer || v.Kind == TScalar::TKind::Number;
            if (number || (v.Kind == TScalar::TKind::Null && k == "tailwater"))
                Settings[k] = v;
            else
                Refuse(misfit);
        }
        return true;
    }
};

// Whether the file says it is an inputs file of a version this program reads; "" if so.
std::string FormatError(const TReader& r) {
    const auto format = r.Root.find("format");
    if (format == r.Root.end() || format->second.Kind != TScalar::TKind::Text)
        return "not a Verrask inputs file (no \"format\": \"" + std::string(InputsFormat) + "\")";
    if (format->second.Text != InputsFormat)
        return "not a Verrask inputs file: its format is " +
               report::JsonString(format->second.Text) + ", not \"" + std::string(InputsFormat) +
               "\"";
    const auto version = r.Root.find("version");
    if (version == r.Root.end()) return "\"version\" is missing";
    const TScalar& v = version->second;
    if (v.Kind != TScalar::TKind::Integer) return "\"version\" must be a whole number";
    const std::string newest = std::to_string(InputsVersion);
    if (v.Negative || v.Text == "0")
        return "version " + v.Text + " is unknown (this program reads version " + newest + ")";
    if (v.Text != newest)
        return "version " + v.Text + " is newer than this program reads (" + newest +
               "): it was written by a later Verrask";
    return "";
}

} // namespace

std::string InputsFileText(const TInputsFile& file) {
    std::string out = "{\n  \"format\": " + report::JsonString(InputsFormat) +
                      ",\n  \"version\": " + std::to_string(InputsVersion) + ",\n  \"" +
                      std::string(InputsKey) + "\": {\n";
    for (std::size_t i = 0; i < InputFields.size(); ++i) {
        const TInputFieldDesign& d = InputFields[i];
        out += "    " + report::JsonString(d.JsonKey) + ": " +
               report::JsonString(file.Inputs.*d.Text) +
               (i + 1 < InputFields.size() ? ",\n" : "\n");
    }
    out += "  },\n  \"" + std::string(SettingsKey) + "\": {\n";
    for (std::size_t i = 0; i < SettingKeys.size(); ++i) {
        const long double v = SettingValue(file.Settings, SettingKeys[i].Field);
        out += "    " + report::JsonString(SettingKeys[i].Key) + ": " +
               (std::isfinite(v) ? ShortestNumber(v) : "null") +
               (i + 1 < SettingKeys.size() ? ",\n" : "\n");
    }
    return out + "  }\n}\n";
}

std::string ReadInputsText(std::string_view text, TInputsFile& file) {
    TReader r(text);
    nlohmann::json::sax_parse(text, &r);
    if (!r.Syntax.empty()) return r.Syntax;
    if (r.NoObject) return "the file holds no JSON object";
    if (std::string error = FormatError(r); !error.empty()) return error;
    if (!r.Fault.empty()) return r.Fault;
    for (std::string_view section : {InputsKey, SettingsKey})
        if (!r.Sections.contains(section)) return Quoted("", section) + " is missing";

    TInputsFile read;
    for (const TInputFieldDesign& d : InputFields) {
        const auto found = r.Inputs.find(d.JsonKey);
        if (found == r.Inputs.end()) return Quoted(InputsKey, d.JsonKey) + " is missing";
        for (unsigned char ch : found->second.Text)
            if (ch < 0x20 || ch == 0x7F)
                return Quoted(InputsKey, d.JsonKey) + " holds a control character";
        read.Inputs.*d.Text = found->second.Text;
    }
    for (const TSettingKey& s : SettingKeys) {
        const auto found = r.Settings.find(s.Key);
        if (found == r.Settings.end()) return Quoted(SettingsKey, s.Key) + " is missing";
        const std::string typed =
            found->second.Kind == TScalar::TKind::Null ? "" : found->second.Text;
        if (std::string error = ApplySetting(typed, s.Field, read.Settings); !error.empty())
            return Quoted(SettingsKey, s.Key) + ": " + error;
    }
    file = read;
    return "";
}

std::string OpenInputsFile(const std::filesystem::path& path, TInputsFile& file) {
    const std::string name = PathText(path);
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return name + ": no such file";
    if (std::filesystem::is_directory(status)) return name + ": a folder, not a file";
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > LargestFile)
        return name + ": too large for an inputs file (" + std::to_string(size) + " bytes)";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (!(text << in.rdbuf()) && size > 0) return name + ": cannot be read";
    if (in.bad()) return name + ": cannot be read";
    if (std::string error = ReadInputsText(text.str(), file); !error.empty())
        return name + ": " + error;
    return "";
}

std::string SaveInputsFile(std::filesystem::path path, const TInputsFile& file) {
    if (!path.empty() && !path.has_extension()) path += ".json"; // the file dialog's filter
    return WriteWholeFile(path, InputsFileText(file));
}

} // namespace verrask
