#include "ui/db_text.h"

#include "base/utf.h"

TDBText::TDBText(TComponent* owner) : TCustomLabel(owner) {}

TDBText::~TDBText() {
    if (dataSource_) dataSource_->RemoveObserver(this);
}

void TDBText::SetDataSource(DataSetView* dataSource) {
    if (dataSource == dataSource_) return;
    if (dataSource_) dataSource_->RemoveObserver(this);
    dataSource_ = dataSource;
    if (dataSource_) dataSource_->AddObserver(this);
    DataChanged();
}

void TDBText::SetDataField(const std::string& field) {
    if (field == dataField_) return;
    dataField_ = field;
    DataChanged();
}

void TDBText::DataChanged() {
    AdjustSize();
    Invalidate();
}

void TDBText::DataSetDestroyed(DataSetView* dataSet) {
    if (dataSet != dataSource_) return;
    dataSource_ = nullptr;
    if (!Destroying()) DataChanged();
}

std::wstring TDBText::LabelText() const {
    if (!dataSource_ || dataField_.empty() || !dataSource_->HasCurrentRow()) return std::wstring();
    return Utf8ToWide(dataSource_->CurrentText(dataField_));
}
