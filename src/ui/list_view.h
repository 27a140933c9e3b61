#pragma once
// TListView: rows of items in columns over the system list view ("SysListView32") in its
// report style, with the header control above the columns. Columns and items live in the
// object, so a re-created window shows them again.
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
    void Clear();
    int ColumnCount() const { return int(columns_.size()); }
    int ItemCount() const { return int(items_.size()); }
    // The list's header window (nullptr before the list's window exists).
    HWND HeaderHandle() const;
    // The first item shown.
    int TopIndex() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;

private:
    struct Column {
        std::wstring caption;
        int width = 50;
    };
    void InsertColumn(int index);
    void InsertItem(int index);

    std::vector<Column> columns_;
    std::vector<std::vector<std::wstring>> items_;
};
