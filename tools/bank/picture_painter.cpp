#include "picture_painter.h"

#include <stdexcept>
#include <string_view>

#include "picture_kinds.h"

namespace {

enum class NumberRule { Speed, Metres, Tonnes };

struct NumberedKind {
    std::string_view kind;
    void (*paint)(Canvas&, std::string_view);
    NumberRule rule;
    std::string_view example;
};

constexpr NumberedKind kNumberedKinds[] = {
    {"limit", PaintSpeedLimit, NumberRule::Speed, "60"},
    {"minspeed", PaintMinimumSpeed, NumberRule::Speed, "50"},
    {"endlimit", PaintEndOfSpeedLimit, NumberRule::Speed, "40"},
    {"heightlimit", PaintHeightLimit, NumberRule::Metres, "3.5"},
    {"widthlimit", PaintWidthLimit, NumberRule::Metres, "3"},
    {"weightlimit", PaintWeightLimit, NumberRule::Tonnes, "10"},
};

struct KeyedKind {
    std::string_view kind;
    std::span<const PictureEntry> (*entries)();
};

constexpr KeyedKind kKeyedKinds[] = {
    {"warn", WarningPictures},     {"must", MandatoryPictures}, {"guide", GuidePictures},
    {"work", WorkPictures},        {"marking", MarkingPictures}, {"signal", SignalPictures},
    {"light", LampPictures},       {"police", PolicePictures},  {"scene", ScenePictures},
    {"tourist", TouristPictures},  {"aux", AuxPlatePictures},   {"badge", BadgePictures},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Speeds: a whole number 5..120 without sign or leading zero.
bool IsSpeed(std::string_view t) {
    if (t.empty() || t.size() > 3 || t[0] == '0') return false;
    int value = 0;
    for (char c : t) {
        if (!IsDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    return value >= 5 && value <= 120;
}

// Metres 1..9.9 or tonnes 1..99.9: whole part without leading zero, at most one decimal.
bool IsMeasure(std::string_view t, size_t maxWholeDigits) {
    const size_t dot = t.find('.');
    const std::string_view whole = t.substr(0, dot);
    if (whole.empty() || whole.size() > maxWholeDigits || whole[0] == '0') return false;
    for (char c : whole)
        if (!IsDigit(c)) return false;
    if (dot == std::string_view::npos) return true;
    const std::string_view fraction = t.substr(dot + 1);
    return fraction.size() == 1 && IsDigit(fraction[0]);
}

struct Resolved {
    void (*plain)(Canvas&) = nullptr;
    void (*numbered)(Canvas&, std::string_view) = nullptr;
    std::string_view argument;
    int width = kPictureWidth;
    int height = kPictureHeight;
};

// Finds the painter of a picture name; returns the reason when there is none.
std::string Resolve(const std::string& name, Resolved& out) {
    const std::string quoted = "\"" + name + "\"";
    const size_t colon = name.find(':');
    const std::string_view text(name);
    const std::string_view kind = text.substr(0, colon);
    const bool hasArgument = colon != std::string::npos;
    const std::string_view argument = hasArgument ? text.substr(colon + 1) : std::string_view();

    for (const PictureEntry& e : PlainSignPictures()) {
        if (e.key != kind) continue;
        if (hasArgument) return "unknown picture " + quoted + ": " + std::string(kind) + " takes nothing after it";
        out.plain = e.paint;
        return {};
    }
    for (const NumberedKind& k : kNumberedKinds) {
        if (k.kind != kind) continue;
        bool good = false;
        std::string rule;
        switch (k.rule) {
            case NumberRule::Speed:
                good = IsSpeed(argument);
                rule = "the speed must be a whole number from 5 to 120 (km/h)";
                break;
            case NumberRule::Metres:
                good = IsMeasure(argument, 1);
                rule = "the measure must be metres from 1 to 9.9 with at most one decimal, e.g. 3.5";
                break;
            case NumberRule::Tonnes:
                good = IsMeasure(argument, 2);
                rule = "the weight must be tonnes from 1 to 99.9 with at most one decimal, e.g. 10";
                break;
        }
        if (!good) return "bad picture " + quoted + ": " + rule;
        out.numbered = k.paint;
        out.argument = argument;
        return {};
    }
    for (const KeyedKind& k : kKeyedKinds) {
        if (k.kind != kind) continue;
        if (!hasArgument || argument.empty()) {
            return "unknown picture " + quoted + ": " + std::string(kind) + " needs a name after the colon, e.g. " +
                   std::string(kind) + ":" + std::string(k.entries().front().key);
        }
        for (const PictureEntry& e : k.entries()) {
            if (e.key != argument) continue;
            out.plain = e.paint;
            out.width = e.width;
            out.height = e.height;
            return {};
        }
        return "unknown picture " + quoted + ": " + std::string(kind) + " has no \"" + std::string(argument) + "\"";
    }
    if (name.empty()) return "empty picture name";
    return "unknown picture " + quoted + ": there is no kind \"" + std::string(kind) + "\"";
}

}  // namespace

Bitmap32 PaintPicture(const std::string& name) {
    Resolved r;
    const std::string problem = Resolve(name, r);
    if (!problem.empty()) throw std::invalid_argument(problem);
    Canvas canvas(r.width, r.height, kBackground);
    if (r.plain) {
        r.plain(canvas);
    } else {
        r.numbered(canvas, r.argument);
    }
    return canvas.Take();
}

bool IsKnownPictureSpec(const std::string& name) {
    Resolved r;
    return Resolve(name, r).empty();
}

std::vector<std::string> SamplePictureNames() {
    std::vector<std::string> names;
    for (const NumberedKind& k : kNumberedKinds) names.push_back(std::string(k.kind) + ":" + std::string(k.example));
    for (const PictureEntry& e : PlainSignPictures()) names.emplace_back(e.key);
    for (const KeyedKind& k : kKeyedKinds)
        for (const PictureEntry& e : k.entries()) names.push_back(std::string(k.kind) + ":" + std::string(e.key));
    return names;
}
