#pragma once
// TDBRichEdit: a read-only rich-text box over the system's rich-edit control (RichEdit 2.0,
// class "RichEdit20W" of riched20.dll) showing one column of its dataset's current row. A
// column holding RTF ("{\rtf...") is streamed in as rich text, anything else as plain text.
// The box registers with the dataset and loads the column afresh whenever the dataset reports
// a change; OnChange runs after every load (the content changed). The learner reads, scrolls
// and selects; nothing is edited.
#include <string>

#include "data/data_link.h"
#include "ui/win_control.h"

class TDBRichEdit : public TWinControl, public DataObserver {
public:
    explicit TDBRichEdit(TComponent* owner);
    ~TDBRichEdit() override;
    std::wstring ClassName() const override { return L"TDBRichEdit"; }

    DataSetView* GetDataSource() const { return dataSource_; }
    void SetDataSource(DataSetView* dataSource);
    std::string GetDataField() const { return dataField_; }
    void SetDataField(const std::string& field);

    // The dataset the box follows (not owned; it must outlive the binding).
    Property<&TDBRichEdit::GetDataSource, &TDBRichEdit::SetDataSource> DataSource{this};
    // The column name, as the dataset knows it.
    Property<&TDBRichEdit::GetDataField, &TDBRichEdit::SetDataField> DataField{this};

    // The content changed (a load from the dataset).
    TNotifyEvent OnChange;

    void DataChanged() override;
    void DataSetDestroyed(DataSetView* dataSet) override;
    // The plain text of the content.
    std::wstring DisplayText() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;

private:
    void Load();
    void FitFormattingRectangle();

    DataSetView* dataSource_ = nullptr;
    std::string dataField_;
    std::string content_;  // the column's text as last loaded (UTF-8)
};
