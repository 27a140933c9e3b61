#include "practice/win/help_column.h"

#include "drill/win/drill_form.h"
#include "ui/builders.h"
#include "ui/resource_picture.h"

namespace {

constexpr int kPictureWidth = 222;
constexpr int kPictureHeight = 269;
constexpr int kPanelWidth = 221;
constexpr int kPanelHeight = 255;
constexpr int kLineHeight = 17;

}  // namespace

HelpColumn PlaceHelpColumn(TForm* form, int left, std::initializer_list<HelpLine> lines) {
    HelpColumn column;
    column.Image1 = Place<TImage>(form, form, L"Image1", {left, 0, kPictureWidth, kPictureHeight});
    column.Image1->Center = true;
    column.Image1->Picture->Assign(LoadResourcePicture(L"DECO"));
    column.Panel1 = PlacePlainPanel(form, L"Panel1", {left, kPictureHeight, kPanelWidth, kPanelHeight});
    int top = 6;
    for (const HelpLine& line : lines) {
        column.Lines.push_back(
            SongLabel(form, column.Panel1, line.name, line.caption, {4, top, kPanelWidth - 6, 14}, 12, clBlack, 0));
        top += kLineHeight;
    }
    return column;
}
