#include "drill/win/question_card.h"

#include "base/bmp.h"
#include "drill/answer_codes.h"
#include "ui/builders.h"
#include "ui/resource_picture.h"

namespace {

constexpr int kFrameWidth = 207;
constexpr int kFrameHeight = 216;
constexpr int kTextWidth = 277;
constexpr int kTextHeight = 233;

TDBText* Bound(TDBText* text, TADOQuery* query, const char* field) {
    text->DataSource = static_cast<DataSetView*>(query);
    text->DataField = field;
    return text;
}

}  // namespace

QuestionCard::QuestionCard(TComponent* form, TWinControl* parent, TADOQuery* query, CardHeading heading, int left,
                           int top, int width)
    : Query(query) {
    const int x = left + 8;
    const int headingTop = top + 26;
    LabelDi = Place<TLabel>(form, parent, L"LabelDi", {x, headingTop, 18, 20});
    LabelDi->Caption = L"第";
    SetSongFont(LabelDi, 16, clRed);
    int after = x + 20;
    if (heading == CardHeading::kPaperPosition) {
        Label14 = Place<TLabel>(form, parent, L"Label14", {after, headingTop, 34, 20});
        Label14->Alignment = taCenter;
        SetSongFont(Label14, 16, clRed);
        after += 36;
    } else {
        DBText4 = Bound(Place<TDBText>(form, parent, L"DBText4", {after, headingTop, 44, 20}), query, "id");
        DBText4->Alignment = taCenter;
        SetSongFont(DBText4, 16, clRed);
        after += 46;
    }
    LabelTi = Place<TLabel>(form, parent, L"LabelTi", {after, headingTop, 18, 20});
    LabelTi->Caption = L"题";
    SetSongFont(LabelTi, 16, clRed);
    after += 24;
    if (heading == CardHeading::kIdAndBookNumber) {
        DBText5 = Bound(Place<TDBText>(form, parent, L"DBText5", {after, headingTop, 100, 20}), query, "tihao");
        SetSongFont(DBText5, 16, clRed);
        after += 104;
    }
    Label12 = Place<TLabel>(form, parent, L"Label12", {after, headingTop, 150, 20});
    SetSongFont(Label12, 16, clBlue);
    if (heading == CardHeading::kPaperPosition) {
        Label21 = Place<TLabel>(form, parent, L"Label21", {after + 152, headingTop + 1, 130, 20});
        SetSongFont(Label21, 14, clRed);
    }

    const int bodyTop = top + 52;
    TextFrame = Place<TPanel>(form, parent, L"TextFrame", {x, bodyTop, kTextWidth, kTextHeight});
    TextFrame->BevelOuter = bvLowered;
    TextFrame->Color = clWhite;
    DBText6 = Bound(Place<TDBText>(form, TextFrame, L"DBText6", {6, 6, kTextWidth - 12, kTextHeight - 12}), query, "timu");
    DBText6->WordWrap = true;
    SetSongFont(DBText6, 16, clBlack);

    PictureFrame = Place<TPanel>(form, parent, L"PictureFrame",
                                 {left + width - kFrameWidth - 10, bodyTop, kFrameWidth + 2, kFrameHeight + 2});
    PictureFrame->BevelOuter = bvLowered;
    PictureFrame->Color = clWhite;
    Image2 = Place<TImage>(form, PictureFrame, L"Image2", {1, 1, kFrameWidth, kFrameHeight});
    Image2->Center = true;

    const int optionTop = bodyTop + kTextHeight + 14;
    const int optionHeight = 58;
    TImage** badges[] = {&Image3, &Image4, &Image5};
    TDBText** options[] = {&DBText1, &DBText2, &DBText3};
    const wchar_t* badgeNames[] = {L"Image3", L"Image4", L"Image5"};
    const wchar_t* optionNames[] = {L"DBText1", L"DBText2", L"DBText3"};
    const wchar_t* badgePictures[] = {L"BADGE1", L"BADGE2", L"BADGE3"};
    const char* columns[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        const int y = optionTop + i * optionHeight;
        TImage* badge = Place<TImage>(form, parent, badgeNames[i], {x, y, 28, 28});
        badge->Center = true;
        // The badge's corners take the colour of whatever it stands on (a skinned form's too).
        badge->Transparent = true;
        badge->Picture->Assign(LoadResourcePicture(badgePictures[i]));
        *badges[i] = badge;
        TDBText* option = Bound(Place<TDBText>(form, parent, optionNames[i], {x + 36, y + 4, width - 56, optionHeight - 6}),
                                query, columns[i]);
        option->WordWrap = true;
        SetSongFont(option, 16, clBlack);
        *options[i] = option;
    }
}

void QuestionCard::ShowCard() {
    Image5->Visible = Query->Active() && !Query->IsEmpty() && IsThreeOptionQuestion(Query->FieldByName("C")->AsString());
    tpxs();
}

void QuestionCard::tpxs() {
    // Decoded afresh on every move; the temporary picture goes at the end of the call.
    std::vector<uint8_t> bytes;
    if (Query->Active() && !Query->IsEmpty()) bytes = Query->FieldByName("image")->AsBytes();
    const Bitmap32 picture = DecodeBmp(bytes);
    if (picture.Empty()) {
        Image2->Picture->Clear();
        return;
    }
    Image2->Picture->Assign(picture);
}

void QuestionCard::SetThirdBadgeFromKind() {
    if (!Query->Active() || Query->IsEmpty()) return;
    const std::string kind = TrimBlanks(Query->FieldByName("lei3")->AsString());
    if (kind == "判断题") Image5->Visible = false;
    else if (kind == "单项选择题") Image5->Visible = true;
}
