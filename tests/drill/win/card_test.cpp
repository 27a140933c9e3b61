// The question card on a host form, stepped through a copy of the sample bank: bound texts
// follow the row, the third badge follows C, the picture is decoded afresh on every move,
// centred and cut at the frame, and a picture that is not a bitmap goes to the error box.
#include <algorithm>

#include "data/statements.h"
#include "base/bmp.h"
#include "base/utf.h"
#include "drill/answer_codes.h"
#include "drill/win/question_card.h"
#include "support/sample_bank.h"
#include "ui/form.h"
#include "ui_test_support.h"

namespace {

class CardTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        bank_ = std::make_unique<SampleBank>();
        query_ = std::make_unique<TADOQuery>();
        query_->Connection = &bank_->Module().ADOConnection1;
        query_->SQL.SetText(statements::kAllQuestions);
        query_->Open();
        form_.reset(new TForm(nullptr));
        form_->SetBounds(0, 0, 769, 568);
        form_->Color = clWhite;
        card_ = std::make_unique<QuestionCard>(form_.get(), form_.get(), query_.get(), CardHeading::kIdAndBookNumber, 0, 0, 527);
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Active(); }));
    }
    void TearDown() override {
        card_.reset();
        form_.reset();
        query_.reset();
        bank_.reset();
        UiTest::TearDown();
    }
    void MoveTo(int id) {
        ASSERT_TRUE(query_->Locate("id", id));
        card_->ShowCard();
        PumpFor(10);
    }
    Bitmap32 StoredPicture() { return DecodeBmp(query_->FieldByName("image")->AsBytes()); }

    std::unique_ptr<SampleBank> bank_;
    std::unique_ptr<TADOQuery> query_;
    Owned<TForm> form_;
    std::unique_ptr<QuestionCard> card_;
};

TEST_F(CardTest, BoundTextsFollowTheRowAndTheThirdBadgeFollowsC) {
    const auto threeOptions = bank_->Ids("trim(C) <> ''");
    const auto twoOptions = bank_->Ids("trim(C) = ''");
    ASSERT_FALSE(threeOptions.empty());
    ASSERT_FALSE(twoOptions.empty());
    MoveTo(threeOptions.front());
    EXPECT_TRUE(card_->Image5->Visible);
    EXPECT_EQ(card_->DBText6->DisplayText(), Utf8ToWide(query_->FieldByName("timu")->AsString()));
    EXPECT_EQ(card_->DBText3->DisplayText(), Utf8ToWide(query_->FieldByName("C")->AsString()));
    EXPECT_EQ(card_->DBText4->DisplayText(), std::to_wstring(threeOptions.front()));
    EXPECT_EQ(card_->DBText5->DisplayText(), Utf8ToWide(query_->FieldByName("tihao")->AsString()));
    MoveTo(twoOptions.front());
    EXPECT_FALSE(card_->Image5->Visible);
    EXPECT_EQ(card_->DBText1->DisplayText(), L"正确");
    // A C of blanks only is a true/false question too.
    bank_->ExecuteOnBank("update kaoti set C='   ' where id=" + std::to_string(threeOptions.front()));
    query_->Close();
    query_->Open();
    MoveTo(threeOptions.front());
    EXPECT_FALSE(card_->Image5->Visible);
}

TEST_F(CardTest, PictureIsShownAtItsSizeAndClearedForAQuestionWithout) {
    const auto withPicture = bank_->Ids("length(image) > 0");
    const auto without = bank_->Ids("image is null or length(image) = 0");
    ASSERT_FALSE(withPicture.empty());
    MoveTo(withPicture.front());
    const Bitmap32 stored = StoredPicture();
    ASSERT_FALSE(card_->Image2->Picture->Empty());
    EXPECT_EQ(card_->Image2->Picture->Width(), stored.width);
    EXPECT_EQ(card_->Image2->Picture->Height(), stored.height);
    MoveTo(without.front());
    EXPECT_TRUE(card_->Image2->Picture->Empty());
    EXPECT_TRUE(card_->Image2->Center);
}

TEST_F(CardTest, ALargePictureShowsItsCentreAtFullScale) {
    // Plant a 400 x 300 picture of four coloured quadrants with a black centre cross.
    Bitmap32 big(400, 300, 0);
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            big.At(x, y) = x < 200 ? (y < 150 ? Rgb(255, 0, 0) : Rgb(0, 0, 255)) : (y < 150 ? Rgb(0, 160, 0) : Rgb(255, 200, 0));
        }
    }
    const auto bmp = EncodeBmp(big, 24);
    std::string hex;
    for (uint8_t b : bmp) {
        static const char* digits = "0123456789ABCDEF";
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    bank_->ExecuteOnBank("update kaoti set image=X'" + hex + "' where id=3");
    query_->Close();
    query_->Open();
    MoveTo(3);
    const Bitmap32 shown = ScreenClient(form_->WindowHandle());
    // The frame's inside, in form coordinates: each quadrant meets at the frame's centre.
    const RECT frame = card_->PictureFrame->BoundsRect();
    const int cx = frame.left + 1 + 207 / 2;
    const int cy = frame.top + 1 + 216 / 2;
    EXPECT_EQ(shown.At(cx - 20, cy - 20), Rgb(255, 0, 0));
    EXPECT_EQ(shown.At(cx + 20, cy - 20), Rgb(0, 160, 0));
    EXPECT_EQ(shown.At(cx - 20, cy + 20), Rgb(0, 0, 255));
    EXPECT_EQ(shown.At(cx + 20, cy + 20), Rgb(255, 200, 0));
    // Cut at the frame: nothing of the picture outside it.
    EXPECT_NE(shown.At(frame.left - 3, cy), Rgb(255, 0, 0));
    EXPECT_NE(shown.At(frame.right + 3, cy), Rgb(0, 160, 0));
}

TEST_F(CardTest, BytesThatAreNotABitmapRaiseTheErrorAndKeepThePreviousPicture) {
    const auto withPicture = bank_->Ids("length(image) > 0");
    ASSERT_GE(withPicture.size(), 2u);
    bank_->ExecuteOnBank("update kaoti set image=X'424D0000FFFF' where id=" + std::to_string(withPicture[1]));
    query_->Close();
    query_->Open();
    MoveTo(withPicture[0]);
    const int width = card_->Image2->Picture->Width();
    // A key handler that moves and then would set a label: the error stops it half way.
    auto* marker = new TLabel(form_.get());
    marker->Parent = form_.get();
    form_->OnKeyPress = [&](wchar_t&) {
        query_->Locate("id", withPicture[1]);
        card_->ShowCard();
        marker->Caption = L"reached";
    };
    Application->SetBoxResponder([](const TOpenBox&) { return IDOK; });
    PressKey('6');
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].Kind, TBoxKind::ErrorBox);
    EXPECT_EQ(Application->ShownBoxes()[0].Text, L"Bitmap image is not valid");
    EXPECT_EQ(card_->Image2->Picture->Width(), width);
    EXPECT_EQ(marker->Caption.Get(), L"");
}

TEST_F(CardTest, TenThousandMovesLeaveTheObjectCountsAsTheyWere) {
    const auto withPicture = bank_->Ids("length(image) > 0");
    MoveTo(withPicture[0]);
    MoveTo(1);
    const int gdi = GdiObjectCount();
    const int windows = ThreadWindowCount();
    for (int i = 0; i < 10000; ++i) {
        query_->Locate("id", withPicture[size_t(i) % withPicture.size()] + (i % 2));
        card_->ShowCard();
        if (i % 500 == 0) PumpFor(1);
    }
    MoveTo(1);
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(ThreadWindowCount(), windows);
}

}  // namespace
