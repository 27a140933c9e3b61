#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bank/picture_painter.h"
#include "base/bmp.h"

namespace {

// ---- the list of pictures, read from the document the content is written against ----

struct DocumentedPictures {
    std::set<std::string> fixed;           // "stop", "warn:curve_left", ...
    std::map<std::string, char> numbered;  // kind -> placeholder: 'N' speed, 'M' metres, 'T' tonnes
};

std::vector<std::string> BacktickedWords(const std::string& text) {
    std::vector<std::string> words;
    size_t at = 0;
    while ((at = text.find('`', at)) != std::string::npos) {
        const size_t end = text.find('`', at + 1);
        if (end == std::string::npos) break;
        words.push_back(text.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return words;
}

// Each list item names a kind with its placeholder (`warn:K`, `limit:N`) followed by the keys
// of that kind, or names complete pictures (`stop`, `noentry`).
DocumentedPictures ReadDocumentedPictures() {
    const std::filesystem::path path = MUHE_PICTURE_LIST;
    std::ifstream in(path);
    EXPECT_TRUE(in) << "cannot read " << path;
    std::vector<std::string> items;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("- ", 0) == 0) {
            items.push_back(line);
        } else if (line.rfind("  ", 0) == 0 && !items.empty()) {
            items.back() += " " + line;
        }
    }
    DocumentedPictures doc;
    for (const std::string& item : items) {
        const std::vector<std::string> words = BacktickedWords(item);
        if (words.empty()) continue;
        const size_t colon = words[0].find(':');
        if (colon == std::string::npos) {
            for (const std::string& w : words) doc.fixed.insert(w);
            continue;
        }
        const std::string kind = words[0].substr(0, colon);
        const std::string placeholder = words[0].substr(colon + 1);
        if (placeholder == "K") {
            for (size_t i = 1; i < words.size(); ++i) doc.fixed.insert(kind + ":" + words[i]);
        } else {
            for (const std::string& w : words) {
                const size_t c = w.find(':');
                if (c != std::string::npos && c + 2 == w.size()) doc.numbered[w.substr(0, c)] = w[c + 1];
            }
        }
    }
    return doc;
}

std::vector<std::string> NumberExamples(char placeholder) {
    switch (placeholder) {
        case 'N': return {"5", "60", "120"};
        case 'M': return {"2.2", "3.5", "4"};
        default: return {"1.5", "10", "55"};
    }
}

// Every documented picture, with a few values for each kind that carries a number.
std::vector<std::string> AllDocumentedNames() {
    const DocumentedPictures doc = ReadDocumentedPictures();
    std::vector<std::string> names(doc.fixed.begin(), doc.fixed.end());
    for (const auto& [kind, placeholder] : doc.numbered)
        for (const std::string& value : NumberExamples(placeholder)) names.push_back(kind + ":" + value);
    return names;
}

bool IsScene(const std::string& name) { return name.rfind("scene:", 0) == 0; }

// ---- colour tests, loose enough to describe a colour rather than restate a constant ----

bool Reddish(uint32_t p) { return RedOf(p) > 170 && GreenOf(p) < 90 && BlueOf(p) < 90; }
bool Bluish(uint32_t p) { return BlueOf(p) > 130 && RedOf(p) < 60 && GreenOf(p) < 140; }
bool Yellowish(uint32_t p) { return RedOf(p) > 200 && GreenOf(p) > 150 && BlueOf(p) < 80; }
bool Greenish(uint32_t p) { return GreenOf(p) > 90 && RedOf(p) < 80 && BlueOf(p) < 130 && GreenOf(p) > BlueOf(p); }
bool Orangeish(uint32_t p) { return RedOf(p) > 200 && GreenOf(p) > 80 && GreenOf(p) < 160 && BlueOf(p) < 80; }
bool Brownish(uint32_t p) { return RedOf(p) > 90 && RedOf(p) < 160 && GreenOf(p) < RedOf(p) - 30 && BlueOf(p) < GreenOf(p); }
bool Whitish(uint32_t p) { return RedOf(p) > 245 && GreenOf(p) > 245 && BlueOf(p) > 245; }
bool Darkish(uint32_t p) { return RedOf(p) < 60 && GreenOf(p) < 60 && BlueOf(p) < 60; }

template <typename Test>
double Share(const Bitmap32& b, Test test, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
    if (x1 < 0) x1 = b.width;
    if (y1 < 0) y1 = b.height;
    int hits = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) hits += test(b.At(x, y)) ? 1 : 0;
    return double(hits) / double((x1 - x0) * (y1 - y0));
}

// The share of pixels within a circle around the sign's centre.
template <typename Test>
double ShareInDisc(const Bitmap32& b, Test test, double radius) {
    int hits = 0, all = 0;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            const double dx = x + 0.5 - b.width / 2.0, dy = y + 0.5 - b.height / 2.0;
            if (dx * dx + dy * dy > radius * radius) continue;
            ++all;
            hits += test(b.At(x, y)) ? 1 : 0;
        }
    return double(hits) / all;
}

}  // namespace

TEST(PicturePainter, EveryDocumentedPicturePaintsAtItsSize) {
    const std::vector<std::string> names = AllDocumentedNames();
    ASSERT_GT(names.size(), 150u) << "the list was not read";
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(IsKnownPictureSpec(name));
        const Bitmap32 picture = PaintPicture(name);
        ASSERT_EQ(picture.pixels.size(), size_t(picture.width) * size_t(picture.height));
        if (IsScene(name)) {
            // Larger than the card's 207 x 216 frame, so that it is cut at the frame.
            EXPECT_TRUE((picture.width == 400 && picture.height == 300) || (picture.width == 320 && picture.height == 240))
                << picture.width << "x" << picture.height;
        } else {
            EXPECT_EQ(picture.width, 207);
            EXPECT_EQ(picture.height, 216);
        }
    }
}

TEST(PicturePainter, PaintsExactlyTheDocumentedList) {
    const DocumentedPictures doc = ReadDocumentedPictures();
    std::set<std::string> fixed;
    std::set<std::string> numberedKinds;
    for (const std::string& name : SamplePictureNames()) {
        EXPECT_TRUE(IsKnownPictureSpec(name)) << name;
        const size_t colon = name.find(':');
        if (colon != std::string::npos && doc.numbered.count(name.substr(0, colon))) {
            numberedKinds.insert(name.substr(0, colon));
        } else {
            fixed.insert(name);
        }
    }
    // Nothing the content may use is missing, and nothing undocumented slips in.
    EXPECT_EQ(fixed, doc.fixed);
    std::set<std::string> documentedKinds;
    for (const auto& entry : doc.numbered) documentedKinds.insert(entry.first);
    EXPECT_EQ(numberedKinds, documentedKinds);
}

TEST(PicturePainter, NumbersAreCheckedAgainstTheirKind) {
    for (int kmh = 5; kmh <= 120; ++kmh) EXPECT_TRUE(IsKnownPictureSpec("limit:" + std::to_string(kmh))) << kmh;
    for (const char* good : {"minspeed:60", "endlimit:40", "heightlimit:3.5", "heightlimit:4", "heightlimit:9.9",
                             "widthlimit:2.2", "weightlimit:10", "weightlimit:1.5", "weightlimit:99.9"}) {
        EXPECT_TRUE(IsKnownPictureSpec(good)) << good;
    }
    for (const char* bad : {"limit:4", "limit:121", "limit:060", "limit:6a", "limit:-5", "limit:+60", "limit:", "limit",
                            "limit:1000", "minspeed:0", "endlimit:x", "heightlimit:10", "heightlimit:0.5", "heightlimit:3.55",
                            "heightlimit:3.", "heightlimit:.5", "heightlimit:3,5", "widthlimit:", "weightlimit:100",
                            "weightlimit:0", "weightlimit:07", "weightlimit:10t"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(IsKnownPictureSpec(bad));
        EXPECT_THROW(PaintPicture(bad), std::invalid_argument);
    }
}

TEST(PicturePainter, UnknownPicturesAreRejectedWithTheirName) {
    for (const char* bad : {"", ":", "warn", "warn:", "warn:curve", "warn:curve_left:x", "stop:now", "Stop", "limit60",
                            "scene:overtake ", " scene:overtake", "badge:rings5", "unknown:thing", "noentry:", "light:OIL"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(IsKnownPictureSpec(bad));
        try {
            PaintPicture(bad);
            ADD_FAILURE() << "painted";
        } catch (const std::invalid_argument& e) {
            const std::string message = e.what();
            EXPECT_FALSE(message.empty());
            if (*bad != '\0') {
                EXPECT_NE(message.find(std::string("\"") + bad + "\""), std::string::npos) << message;
            }
        }
    }
}

TEST(PicturePainter, PicturesAreDistinctRepeatableAndFitAFourBitPalette) {
    std::vector<std::string> names = AllDocumentedNames();
    for (const char* extra : {"limit:80", "minspeed:80", "endlimit:80", "limit:45"}) names.push_back(extra);
    std::map<std::vector<uint32_t>, std::string> seen;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const Bitmap32 picture = PaintPicture(name);
        std::vector<uint32_t> key = picture.pixels;
        key.push_back(uint32_t(picture.width));
        const auto [at, inserted] = seen.emplace(std::move(key), name);
        EXPECT_TRUE(inserted) << name << " looks exactly like " << at->second;
        // Few flat colours: the bank stores some pictures at 4 bits, which must lose nothing.
        std::set<uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
        EXPECT_LE(colours.size(), 16u);
        EXPECT_GE(colours.size(), 2u) << "an empty picture";
        const Bitmap32 stored = DecodeBmp(EncodeBmp(picture, 4));
        EXPECT_TRUE(stored.pixels == picture.pixels);
    }
    for (const char* name : {"warn:roundabout", "scene:rain_night", "badge:rings4", "limit:60"}) {
        EXPECT_TRUE(PaintPicture(name).pixels == PaintPicture(name).pixels) << name;
    }
}

TEST(PicturePainter, RoundSignsHaveTheirColoursInPlace) {
    const Bitmap32 limit = PaintPicture("limit:60");
    // Red all round the ring, a white face with black figures in it.
    for (int angle = 0; angle < 360; angle += 30) {
        const double a = angle * std::numbers::pi / 180;
        EXPECT_TRUE(Reddish(limit.At(int(103.5 + 81 * std::cos(a)), int(108 - 81 * std::sin(a))))) << angle;
    }
    EXPECT_GT(ShareInDisc(limit, Whitish, 70), 0.55);
    EXPECT_GT(ShareInDisc(limit, Darkish, 70), 0.1);
    EXPECT_TRUE(Whitish(limit.At(103, 60)));

    const Bitmap32 must = PaintPicture("must:left");
    EXPECT_GT(Share(must, Bluish), 0.4);
    EXPECT_GT(ShareInDisc(must, Bluish, 85), 0.6);
    EXPECT_GT(ShareInDisc(must, Whitish, 85), 0.08);

    const Bitmap32 minimum = PaintPicture("minspeed:50");
    EXPECT_GT(ShareInDisc(minimum, Bluish, 85), 0.6);
    EXPECT_EQ(ShareInDisc(minimum, Reddish, 95), 0.0);

    // The no-entry disc is red with a white bar across the middle.
    const Bitmap32 noEntry = PaintPicture("noentry");
    EXPECT_TRUE(Whitish(noEntry.At(103, 108)));
    EXPECT_TRUE(Whitish(noEntry.At(50, 108)));
    EXPECT_TRUE(Reddish(noEntry.At(103, 60)));
    EXPECT_TRUE(Reddish(noEntry.At(103, 160)));

    // No stopping: blue face, red cross; no parking: one bar only, upper left to lower right.
    const Bitmap32 noStopping = PaintPicture("nostopping");
    const Bitmap32 noParking = PaintPicture("noparking");
    for (const Bitmap32* sign : {&noStopping, &noParking}) {
        EXPECT_TRUE(Reddish(sign->At(73, 78)));
        EXPECT_TRUE(Reddish(sign->At(133, 138)));
        EXPECT_TRUE(Bluish(sign->At(103, 60)));
    }
    EXPECT_TRUE(Reddish(noStopping.At(133, 78)));
    EXPECT_TRUE(Bluish(noParking.At(133, 78)));

    // Every "no ..." pictogram sign: the red bar crosses the middle over a white face.
    for (const char* name : {"noleft", "noright", "nostraight", "nouturn", "noovertake", "nohorn", "nomotor", "notruck",
                             "nobicycle", "nopedestrian"}) {
        SCOPED_TRACE(name);
        const Bitmap32 sign = PaintPicture(name);
        EXPECT_TRUE(Reddish(sign.At(103, 108)));
        EXPECT_TRUE(Reddish(sign.At(73, 78)));
        EXPECT_TRUE(Reddish(sign.At(103, 22)));  // the ring
        EXPECT_GT(ShareInDisc(sign, Whitish, 70), 0.35);
        EXPECT_GT(ShareInDisc(sign, Darkish, 70), 0.03) << "no pictogram";
    }

    const Bitmap32 stop = PaintPicture("stop");
    EXPECT_TRUE(Whitish(stop.At(103, 108)));
    EXPECT_TRUE(Reddish(stop.At(103, 60)));
    EXPECT_TRUE(Reddish(stop.At(103, 160)));
    const Bitmap32 yield = PaintPicture("yield");
    EXPECT_TRUE(Whitish(yield.At(103, 80)));
    EXPECT_TRUE(Reddish(yield.At(103, 185)));  // near the lower point: the triangle stands on its tip
    EXPECT_FALSE(Reddish(yield.At(103, 10)));
}

TEST(PicturePainter, WarningSignsAreYellowTrianglesWithBlackBorders) {
    const DocumentedPictures doc = ReadDocumentedPictures();
    int count = 0;
    for (const std::string& name : doc.fixed) {
        if (name.rfind("warn:", 0) != 0) continue;
        SCOPED_TRACE(name);
        ++count;
        const Bitmap32 sign = PaintPicture(name);
        EXPECT_TRUE(Darkish(sign.At(103, 40))) << "border below the apex";
        EXPECT_TRUE(Darkish(sign.At(20, 188))) << "border at the lower left corner";
        EXPECT_TRUE(Yellowish(sign.At(103, 58))) << "yellow face under the apex";
        EXPECT_FALSE(Yellowish(sign.At(10, 20))) << "the apex points up: no sign in the upper corners";
        EXPECT_GT(Share(sign, Yellowish), 0.2);
        EXPECT_GT(Share(sign, Darkish, 72, 100, 135, 175), 0.05) << "no pictogram";
    }
    EXPECT_EQ(count, 25);
}

TEST(PicturePainter, PanelsLampsAndLightsUseTheirColours) {
    EXPECT_GT(Share(PaintPicture("guide:expressway_exit"), Greenish), 0.5);
    EXPECT_GT(Share(PaintPicture("guide:service_area"), Greenish), 0.4);
    EXPECT_GT(Share(PaintPicture("guide:parking"), Bluish), 0.4);
    EXPECT_GT(Share(PaintPicture("guide:lanes"), Bluish), 0.4);
    for (const char* name : {"work:closed_left", "work:detour", "work:cone_row"}) EXPECT_GT(Share(PaintPicture(name), Orangeish), 0.3) << name;
    EXPECT_GT(Share(PaintPicture("tourist:camping"), Brownish), 0.4);
    const Bitmap32 plate = PaintPicture("aux:arrow_left");
    EXPECT_GT(Share(plate, Whitish, 20, 70, 187, 146), 0.6);
    EXPECT_GT(Share(plate, Darkish, 20, 70, 187, 146), 0.05);

    // Lamps: a dark panel with the symbol in the colour its warning has.
    const struct {
        const char* name;
        bool (*colour)(uint32_t);
    } lamps[] = {{"light:high_beam", Bluish}, {"light:oil", Reddish}, {"light:battery", Reddish},
                 {"light:turn_signals", Greenish}, {"light:low_beam", Greenish}};
    for (const auto& lamp : lamps) {
        SCOPED_TRACE(lamp.name);
        const Bitmap32 b = PaintPicture(lamp.name);
        EXPECT_GT(Share(b, Darkish), 0.6);
        EXPECT_GT(Share(b, lamp.colour), 0.02);
    }
    const auto amber = [](uint32_t p) { return RedOf(p) > 220 && GreenOf(p) > 130 && GreenOf(p) < 200 && BlueOf(p) < 60; };
    EXPECT_GT(Share(PaintPicture("light:engine"), amber), 0.02);
    EXPECT_GT(Share(PaintPicture("light:fuel"), amber), 0.02);

    // Traffic lights: only the lamp that is on is bright.
    const Bitmap32 red = PaintPicture("signal:red");
    const Bitmap32 green = PaintPicture("signal:green");
    EXPECT_TRUE(Reddish(red.At(103, 46)));
    EXPECT_FALSE(Greenish(red.At(103, 170)));
    EXPECT_TRUE(Greenish(green.At(103, 170)));
    EXPECT_FALSE(Reddish(green.At(103, 46)));
}

TEST(PicturePainter, ScenesShowTheLearnersRedCarNearTheMiddle) {
    const DocumentedPictures doc = ReadDocumentedPictures();
    int count = 0;
    for (const std::string& name : doc.fixed) {
        if (!IsScene(name)) continue;
        SCOPED_TRACE(name);
        ++count;
        const Bitmap32 scene = PaintPicture(name);
        // The card shows the middle 207 x 216; the learner's car must be there.
        const int x0 = (scene.width - 207) / 2, y0 = (scene.height - 216) / 2;
        const double red = Share(scene, Reddish, x0, y0, x0 + 207, y0 + 216);
        EXPECT_GT(red * 207 * 216, 450.0) << "no red car in the visible part";
    }
    EXPECT_EQ(count, 20);
}

TEST(PicturePainter, MarkingsUseTheRightLineColours) {
    const auto yellow = [](uint32_t p) { return RedOf(p) > 220 && GreenOf(p) > 160 && BlueOf(p) < 60; };
    EXPECT_EQ(Share(PaintPicture("marking:solid_white"), yellow), 0.0);
    EXPECT_EQ(Share(PaintPicture("marking:dashed_white"), yellow), 0.0);
    const double solid = Share(PaintPicture("marking:solid_yellow"), yellow);
    const double dashed = Share(PaintPicture("marking:dashed_yellow"), yellow);
    const double twin = Share(PaintPicture("marking:double_yellow"), yellow);
    EXPECT_GT(solid, 0.01);
    EXPECT_LT(dashed, solid);
    EXPECT_GT(twin, 1.8 * solid);
}
