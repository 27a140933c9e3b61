#pragma once
// The school's contact details on the main window. Both are plainly examples, to be replaced
// by the school that installs the trainer.
inline constexpr const wchar_t* kSchoolWebAddress = L"http://www.muhe-jiaxiao.example";
inline constexpr const wchar_t* kSchoolTelephone = L"010-12345678";
