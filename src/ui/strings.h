#pragma once
// A list of texts (the items of a combo box), telling its owner about every change.
#include <functional>
#include <string>
#include <vector>

class TStrings {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    int Add(const std::wstring& text);
    void Insert(int index, const std::wstring& text);
    void Delete(int index);
    void Clear();
    // Replaces the whole list (one change notification).
    void Assign(const std::vector<std::wstring>& texts);

    int Count() const { return int(items_.size()); }
    // The index of the first item equal to text, or -1.
    int IndexOf(const std::wstring& text) const;
    // The item at index; an index outside the list throws Exception("List index out of bounds (n)").
    const std::wstring& Strings(int index) const;
    const std::wstring& operator[](int index) const { return Strings(index); }
    const std::vector<std::wstring>& Items() const { return items_; }

    std::function<void()> OnChange;

private:
    void CheckIndex(int index, int limit) const;
    void Changed();

    std::vector<std::wstring> items_;
};
