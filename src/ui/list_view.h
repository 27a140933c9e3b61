#pragma once
// TListView: rows of items in columns over the system list view ("SysListView32") in its
// report style, with the header control above the columns. Columns and items live in the
// object, so a re-created window shows them again. With OwnerData the window holds no texts:
// it asks for those of the rows it shows, so that thousands of rows are one message to put
// in instead of several per row.
#include <string>
#include <vector>

#include "ui/win_control.h"

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    std::wstring ClassName() const override { return L"TListView"; }

    void AddColumn(const std::wstring& caption, int width);
    // An item: its caption and the texts of the further columns. Returns its index.
    int AddItem(const std::wstring& caption, const std::vector<std::wstring>& subItems = {});
    // Replaces every item at once; each is its caption followed by the further columns' texts.
    void SetItems(std::vector<std::vector<std::wstring>> items);
    void Clear();
    int ColumnCount() const { return int(columns_.size()); }
    const std::wstring& ColumnCaption(int index) const { return columns_.at(size_t(index)).caption; }
    int ItemCount() const { return int(items_.size()); }
    // The texts of an item, caption first.
    const std::vector<std::wstring>& Item(int index) const { return items_.at(size_t(index)); }
    // The list's header window (nullptr before the list's window exists).
    HWND HeaderHandle() const;
    // The first item shown.
    int TopIndex() const;

    bool GetOwnerData() const { return ownerData_; }
    // Takes effect when the window is made (a window made already is made anew).
    void SetOwnerData(bool ownerData);
    Property<&TListView::GetOwnerData, &TListView::SetOwnerData> OwnerData{this};
    // The selected item, -1 for none. Setting it selects the item and scrolls it into view.
    int GetItemIndex() const;
    void SetItemIndex(int index);
    Property<&TListView::GetItemIndex, &TListView::SetItemIndex> ItemIndex{this};

    // After the selection moved to another item (or to none), by the user or by ItemIndex.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;

private:
    struct Column {
        std::wstring caption;
        int width = 50;
    };
    void InsertColumn(int index);
    void InsertItem(int index);
    void FillWindow();
    void GiveText(NMLVDISPINFOW& info) const;
    void SelectionChanged();

    std::vector<Column> columns_;
    std::vector<std::vector<std::wstring>> items_;
    bool ownerData_ = false;
    int selected_ = -1;  // the item OnChange last reported
};
