// The section file, read (see SectionFile.h). The JSON library parses the whole text into a
// value first (a repeated key is caught on the way, which the value itself would hide); the
// section is then built member by member and handed over only when every check has passed.
#include "section/SectionFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <limits>
#include <set>
#include <sstream>

namespace verrask::section {

namespace {

using nlohmann::json;

// A section file is a few kilobytes; anything far larger is not one.
constexpr std::size_t LargestText = 1024 * 1024;
// Coordinates beyond 10 km of the origin belong to no cross-section of a wall.
constexpr double FarthestCoordinate = 1e4;
// Permeabilities of soils span about 1e-12 (clay) to 1 m/s (clean gravel); a decade more each way.
constexpr double LeastK = 1e-13, MostK = 10;
// Soils are stratified flatter than they are fissured: kx/kz from 1/100 (fissured) to 1000 (varved
// clay); beyond, the grid's cells grow too flat for double precision.
constexpr double LeastAnisotropy = 1e-2, MostAnisotropy = 1e3;
// Layers more than 1e8 apart in k: the less pervious one is impervious within the solve's precision
// (model it as the base, or as a cover).
constexpr double MostContrast = 1e8;
// Saturated unit weights of soils stay below about 25 kN/m3; more is a typing error.
constexpr double HeaviestSoil = 30;
// The grid grows with the number of layers and covers; more than this is no section of a site.
constexpr std::size_t MostLayers = 20, MostCovers = 20;
// Levels and positions are surveyed to the millimetre: closer features are one (the model merges
// much closer ones), so a gap under this is refused rather than silently closed or kept.
constexpr double LeastGap = 1e-3;
// Finer than 1e-4 needs more unknowns than the machine holds; coarser than 10 % is no answer.
constexpr double FinestAccuracy = 1e-4, CoarsestAccuracy = 0.1;

// Thrown inside this file only, with the message; ReadSectionText catches it.
struct TRefusal {
    std::string Why;
};

[[noreturn]] void Refuse(std::string why) {
    throw TRefusal{std::move(why)};
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string Shown(const json& v) {
    std::string text = v.dump(-1, ' ', false, json::error_handler_t::replace);
    constexpr std::size_t Longest = 40; // keeps a message on one line
    if (text.size() > Longest) text = text.substr(0, Longest) + "...";
    return text;
}

std::string Number(double v) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << v;
    return out.str();
}

[[noreturn]] void RefuseValue(const std::string& path, const json& v, const std::string& why) {
    Refuse(Quoted(path) + " = " + Shown(v) + ": " + why);
}
[[noreturn]] void RefuseValue(const std::string& path, double v, const std::string& why) {
    Refuse(Quoted(path) + " = " + Number(v) + ": " + why);
}

std::string Join(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}
std::string At(const std::string& path, std::size_t i) {
    return path + "[" + std::to_string(i) + "]";
}

void RequireObject(const json& v, const std::string& path,
                   std::initializer_list<const char*> keys) {
    if (!v.is_object() && path.empty()) Refuse("the file must hold one JSON object");
    if (!v.is_object()) RefuseValue(path, v, "must be an object");
    for (const auto& [key, value] : v.items()) {
        bool known = false;
        for (const char* k : keys) known = known || key == k;
        if (!known) Refuse("unknown key " + Quoted(Join(path, key)));
    }
}

const json& Member(const json& object, const std::string& path, const char* key) {
    const auto it = object.find(key);
    if (it == object.end()) Refuse(Quoted(Join(path, key)) + " is missing");
    return *it;
}

double ReadNumber(const json& v, const std::string& path) {
    if (!v.is_number()) RefuseValue(path, v, "must be a number");
    const double x = v.get<double>();
    if (!std::isfinite(x)) RefuseValue(path, v, "must be a finite number");
    return x;
}

double ReadCoordinate(const json& object, const std::string& path, const char* key) {
    const std::string where = Join(path, key);
    const double x = ReadNumber(Member(object, path, key), where);
    if (std::fabs(x) > FarthestCoordinate)
        RefuseValue(where, x, "farther than " + Number(FarthestCoordinate) + " m from the origin");
    return x;
}

const json& ReadArray(const json& object, const char* key, std::size_t least, std::size_t most) {
    const json& v = Member(object, "", key);
    if (!v.is_array()) RefuseValue(key, v, "must be an array");
    if (v.size() < least || v.size() > most)
        RefuseValue(key, v,
                    "must have " + std::to_string(least) +
                        (least == most ? "" : " to " + std::to_string(most)) + " entries, not " +
                        std::to_string(v.size()));
    return v;
}

TLayer ReadLayer(const json& v, const std::string& path, const TLayer* above) {
    RequireObject(v, path, {"bottom", "kx", "kz", "gamma_sat", "name"});
    TLayer layer;
    layer.Bottom = ReadCoordinate(v, path, "bottom");
    if (above && !(layer.Bottom < above->Bottom))
        RefuseValue(Join(path, "bottom"), layer.Bottom,
                    "layers must descend: not below the bottom of the layer above (" +
                        Number(above->Bottom) + ")");
    for (const char* key : {"kx", "kz"}) {
        const std::string where = Join(path, key);
        const double k = ReadNumber(Member(v, path, key), where);
        if (!(k > 0)) RefuseValue(where, k, "a permeability must be positive");
        if (k < LeastK || k > MostK)
            RefuseValue(where, k,
                        "outside the permeabilities of soils (" + Number(LeastK) + " to " +
                            Number(MostK) + " m/s)");
        (key[1] == 'x' ? layer.Kx : layer.Kz) = k;
    }
    if (const double ratio = layer.Kx / layer.Kz; ratio < LeastAnisotropy || ratio > MostAnisotropy)
        RefuseValue(Join(path, "kz"), layer.Kz,
                    "kx/kz = " + Number(ratio) + " is outside the anisotropy of soils (" +
                        Number(LeastAnisotropy) + " to " + Number(MostAnisotropy) + ")");
    const std::string where = Join(path, "gamma_sat");
    layer.GammaSat = ReadNumber(Member(v, path, "gamma_sat"), where);
    if (!(layer.GammaSat > 0)) RefuseValue(where, layer.GammaSat, "must be positive");
    if (!(layer.GammaSat > GammaWater))
        RefuseValue(where, layer.GammaSat,
                    "must be more than the unit weight of water (" + Number(GammaWater) +
                        " kN/m3): the submerged weight would not be positive");
    if (layer.GammaSat > HeaviestSoil)
        RefuseValue(where, layer.GammaSat,
                    "heavier than any soil (at most " + Number(HeaviestSoil) + " kN/m3)");
    if (const auto name = v.find("name"); name != v.end()) {
        if (!name->is_string()) RefuseValue(Join(path, "name"), *name, "must be a text");
        layer.Name = name->get<std::string>();
    }
    return layer;
}

void ReadCovers(const json& v, const std::string& path, TStretch& stretch, double lo, double hi) {
    if (v.is_string()) {
        if (v.get<std::string>() != "all")
            RefuseValue(path, v, "must be \"all\" or a list of [x1, x2] intervals");
        stretch.CoveredAll = true;
        return;
    }
    if (!v.is_array()) RefuseValue(path, v, "must be \"all\" or a list of [x1, x2] intervals");
    if (v.size() > MostCovers)
        RefuseValue(path, v, "more than " + std::to_string(MostCovers) + " covers");
    for (std::size_t c = 0; c < v.size(); ++c) {
        const std::string where = At(path, c);
        const json& pair = v[c];
        if (!pair.is_array() || pair.size() != 2)
            RefuseValue(where, pair, "must be an interval [x1, x2]");
        TCover cover{ReadNumber(pair[0], At(where, 0)), ReadNumber(pair[1], At(where, 1))};
        if (!(cover.X1 < cover.X2)) RefuseValue(where, pair, "x1 must be less than x2");
        if (cover.X1 < lo || cover.X2 > hi)
            RefuseValue(where, pair,
                        "outside its stretch (x from " + Number(lo) + " to " + Number(hi) + ")");
        stretch.Covers.push_back(cover);
    }
}

TSection ReadSection(const json& root) {
    RequireObject(root, "",
                  {"verrask_section", "layers", "walls", "surface", "extent", "accuracy"});
    const json& version = Member(root, "", "verrask_section");
    if (!version.is_number_integer() || version.get<long long>() != SectionVersion)
        RefuseValue("verrask_section", version,
                    "this program reads version " + std::to_string(SectionVersion));

    TSection s;
    const json& layers = ReadArray(root, "layers", 1, MostLayers);
    for (std::size_t i = 0; i < layers.size(); ++i)
        s.Layers.push_back(ReadLayer(layers[i], At("layers", i), i ? &s.Layers.back() : nullptr));
    double least = s.Layers.front().Kx, most = least;
    for (const TLayer& l : s.Layers) {
        least = std::min({least, l.Kx, l.Kz});
        most = std::max({most, l.Kx, l.Kz});
    }
    for (std::size_t i = 0; i < s.Layers.size(); ++i)
        for (const char* key : {"kx", "kz"}) {
            const double k = key[1] == 'x' ? s.Layers[i].Kx : s.Layers[i].Kz;
            if ((k == least || k == most) && most / least > MostContrast)
                RefuseValue(Join(At("layers", i), key), k,
                            "the layers' permeabilities span " + Number(most / least) +
                                ", more than " + Number(MostContrast) +
                                ": treat the least pervious layer as impervious (the base)");
        }

    const json& walls = ReadArray(root, "walls", 1, 2);
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const std::string path = At("walls", i);
        RequireObject(walls[i], path, {"x", "toe"});
        const TWall wall{ReadCoordinate(walls[i], path, "x"),
                         ReadCoordinate(walls[i], path, "toe")};
        if (i > 0 && !(wall.X > s.Walls.back().X))
            RefuseValue(Join(path, "x"), wall.X,
                        "walls must go left to right: not right of the wall before (x = " +
                            Number(s.Walls.back().X) + ")");
        if (i > 0 && wall.X - s.Walls.back().X < LeastGap)
            RefuseValue(Join(path, "x"), wall.X, "less than 1 mm from the wall before");
        s.Walls.push_back(wall);
    }

    if (const auto extent = root.find("extent"); extent != root.end()) {
        RequireObject(*extent, "extent", {"left", "right"});
        const TExtent e{ReadCoordinate(*extent, "extent", "left"),
                        ReadCoordinate(*extent, "extent", "right")};
        for (std::size_t i = 0; i < s.Walls.size(); ++i)
            if (!(s.Walls[i].X - e.Left >= LeastGap && e.Right - s.Walls[i].X >= LeastGap))
                RefuseValue(Join(At("walls", i), "x"), s.Walls[i].X,
                            "outside the extent (" + Number(e.Left) + " to " + Number(e.Right) +
                                ", at least 1 mm inside" + ")");
        s.Extent = e;
    }

    const json& surface = Member(root, "", "surface");
    if (!surface.is_array()) RefuseValue("surface", surface, "must be an array");
    if (surface.size() != s.Walls.size() + 1)
        RefuseValue("surface", surface,
                    std::to_string(surface.size()) +
                        " stretches: " + std::to_string(s.Walls.size()) + " wall(s) need " +
                        std::to_string(s.Walls.size() + 1) + ", one each side of every wall");
    constexpr double Open = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < surface.size(); ++i) {
        const std::string path = At("surface", i);
        RequireObject(surface[i], path, {"ground", "water", "covered"});
        TStretch stretch;
        stretch.Ground = ReadCoordinate(surface[i], path, "ground");
        stretch.Water = ReadCoordinate(surface[i], path, "water");
        if (!(stretch.Ground - s.Base() >= LeastGap))
            RefuseValue(Join(path, "ground"), stretch.Ground,
                        "not above the base (" + Number(s.Base()) + ") by 1 mm at least");
        if (stretch.Water < stretch.Ground)
            RefuseValue(Join(path, "water"), stretch.Water,
                        "below the ground (" + Number(stretch.Ground) +
                            "): unconfined flow is not modelled, the water must be at or above "
                            "the ground");
        const double lo = i > 0 ? s.Walls[i - 1].X : s.Extent ? s.Extent->Left : -Open;
        const double hi = i < s.Walls.size() ? s.Walls[i].X : s.Extent ? s.Extent->Right : Open;
        if (const auto covered = surface[i].find("covered"); covered != surface[i].end())
            ReadCovers(*covered, Join(path, "covered"), stretch, lo, hi);
        s.Surface.push_back(std::move(stretch));
    }
    if (!(s.Layers.front().Bottom < s.Top()))
        RefuseValue("layers[0].bottom", s.Layers.front().Bottom,
                    "not below the highest ground (" + Number(s.Top()) + ")");

    for (std::size_t i = 0; i < s.Walls.size(); ++i) {
        const std::string where = Join(At("walls", i), "toe");
        const double toe = s.Walls[i].Toe;
        if (toe < s.Base()) RefuseValue(where, toe, "below the base (" + Number(s.Base()) + ")");
        if (toe > s.Base() && toe - s.Base() < LeastGap)
            RefuseValue(where, toe,
                        "less than 1 mm above the base (" + Number(s.Base()) +
                            "): on the base it cuts the flow, else leave a gap");
        const double ground = std::min(s.Surface[i].Ground, s.Surface[i + 1].Ground);
        if (!(ground - toe >= LeastGap))
            RefuseValue(where, toe,
                        "not below the ground beside the wall (" + Number(ground) +
                            ") by 1 mm at least: the wall must reach into the soil on both sides");
    }

    if (const auto accuracy = root.find("accuracy"); accuracy != root.end()) {
        s.Accuracy = ReadNumber(*accuracy, "accuracy");
        if (!(s.Accuracy >= FinestAccuracy && s.Accuracy <= CoarsestAccuracy))
            RefuseValue("accuracy", s.Accuracy,
                        "the target relative error of q must be from " + Number(FinestAccuracy) +
                            " to " + Number(CoarsestAccuracy));
    }
    return s;
}

// The parse's callback: refuses a key repeated in one object (the value would keep the last).
class TRepeatedKeys {
  public:
    std::string Repeated;
    bool operator()(int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start) Open.emplace_back();
        if (event == json::parse_event_t::object_end && !Open.empty()) Open.pop_back();
        if (event == json::parse_event_t::key && !Open.empty() && Repeated.empty() &&
            parsed.is_string() && !Open.back().insert(parsed.get<std::string>()).second)
            Repeated = parsed.get<std::string>();
        return true;
    }

  private:
    std::vector<std::set<std::string>> Open;
};

} // namespace

std::string ReadSectionText(std::string_view text, TSection& section) {
    try {
        if (text.size() > LargestText)
            return "the text is " + std::to_string(text.size()) +
                   " bytes: a section file is at most " + std::to_string(LargestText);
        TRepeatedKeys repeated;
        json root;
        try {
            root = json::parse(text.begin(), text.end(), std::ref(repeated));
        } catch (const json::parse_error& e) {
            std::string what = e.what();
            if (const std::size_t tag = what.find("] "); tag != std::string::npos)
                what.erase(0, tag + 2);
            return "no JSON: " + what;
        }
        if (!repeated.Repeated.empty())
            return "key " + Quoted(repeated.Repeated) + " appears twice in one object";
        TSection read = ReadSection(root);
        section = std::move(read);
        return "";
    } catch (const TRefusal& r) {
        return r.Why;
    } catch (const std::exception& e) {
        return std::string("the section could not be read: ") + e.what();
    }
}

std::string OpenSectionFile(const std::filesystem::path& path, TSection& section) {
    const std::string name = path.string();
    std::ifstream in(path, std::ios::binary);
    if (!in) return name + ": cannot be opened";
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > LargestText) break;
    }
    if (in.bad()) return name + ": cannot be read";
    const std::string why = ReadSectionText(text, section);
    return why.empty() ? "" : name + ": " + why;
}

} // namespace verrask::section
