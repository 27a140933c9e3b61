#pragma once
// Pages made to hurt the page engine: each attacks one cost (selector work, quadratic
// insertion, picture memory, coordinates). The named tests check what the engine makes of
// them; the page benchmark times them.
#include <string>
#include <vector>

#include "fake_measurer.h"

namespace hostile {

// About 38 KB: 1024 descendant rules keyed by classes, and 50 nested blocks that each carry
// many classes, so that every rule is a candidate for every block and walks its ancestors.
std::wstring CssHeavyPage();
// A block whose class attribute is 500,000 characters long, with styled elements inside.
std::wstring LongClassPage();
// 30,000 text runs in one paragraph.
std::wstring ManyRunsPage();
// 60,000 nodes written inside a table where no content may stand (they move before it).
std::wstring MisplacedInTablePage();
// A table pushed right past x = 1,000,000 px by nested margins and padding.
std::wstring FarRightTablePage();
// 1024 rules of eight compounds that need every placement tried ("A > B C"), each a candidate
// for 2,000 elements 90 deep: the selector work budget ends it.
std::wstring DeepSelectorsPage();
// Five bitmaps of about 1 KB that each decode to 8192 x 8192 pixels (256 MB), and a small one.
std::wstring BitmapBombPage();

// A bitmap file of the given size whose RLE8 pixels are a single end-of-bitmap code.
std::string Rle8Bitmap(int width, int height);
// Teaches a measurer the pictures of BitmapBombPage, their sizes read from the files'
// headers by the bitmap codec, as the page view reads them.
void AddBitmapBombPictures(FakeMeasurer& measurer);

struct Named {
    const char* name;
    std::wstring (*make)();
};
// Every page above, by name.
std::vector<Named> AllPages();

}  // namespace hostile
