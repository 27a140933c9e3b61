#pragma once
// TDBText: a label showing one column of its dataset's current row. It registers with the
// dataset and repaints whenever the dataset reports a change; it unregisters when it goes,
// and a dataset that goes first unbinds it (it then shows nothing).
#include <string>

#include "data/data_link.h"
#include "ui/label.h"

class TDBText : public TCustomLabel, public DataObserver {
public:
    explicit TDBText(TComponent* owner);
    ~TDBText() override;
    std::wstring ClassName() const override { return L"TDBText"; }

    DataSetView* GetDataSource() const { return dataSource_; }
    void SetDataSource(DataSetView* dataSource);
    std::string GetDataField() const { return dataField_; }
    void SetDataField(const std::string& field);

    // The dataset the text follows (not owned; cleared when the dataset is destroyed).
    Property<&TDBText::GetDataSource, &TDBText::SetDataSource> DataSource{this};
    // The column name, as the dataset knows it.
    Property<&TDBText::GetDataField, &TDBText::SetDataField> DataField{this};

    void DataChanged() override;
    void DataSetDestroyed(DataSetView* dataSet) override;

protected:
    std::wstring LabelText() const override;

private:
    DataSetView* dataSource_ = nullptr;
    std::string dataField_;
};
