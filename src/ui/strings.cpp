#include "ui/strings.h"

#include <algorithm>

#include "base/errors.h"

int TStrings::Add(const std::wstring& text) {
    items_.push_back(text);
    Changed();
    return int(items_.size()) - 1;
}

void TStrings::Insert(int index, const std::wstring& text) {
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, text);
    Changed();
}

void TStrings::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    Changed();
}

void TStrings::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStrings::Assign(const std::vector<std::wstring>& texts) {
    items_ = texts;
    Changed();
}

int TStrings::IndexOf(const std::wstring& text) const {
    const auto it = std::find(items_.begin(), items_.end(), text);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

const std::wstring& TStrings::Strings(int index) const {
    CheckIndex(index, Count());
    return items_[size_t(index)];
}

void TStrings::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Changed() {
    if (OnChange) OnChange();
}
