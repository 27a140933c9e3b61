#include "skin/win32/control_dispatch.h"

#include <cwctype>

#include "base/utf.h"
#include "skin/win32/skin_button.h"
#include "skin/win32/skin_check_box.h"
#include "skin/win32/skin_combo_box.h"
#include "skin/win32/skin_edit.h"
#include "skin/win32/skin_range_controls.h"
#include "skin/win32/skin_scroll_bar.h"
#include "skin/win32/skin_speed_button.h"
#include "skin/win32/skin_status_bar.h"
#include "skin/win32/skin_tab.h"
#include "skin/win32/win_skin_form.h"
#include "ui/bit_btn.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/date_time_picker.h"
#include "ui/db_rich_edit.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/group_box.h"
#include "ui/list_view.h"
#include "ui/memo.h"
#include "ui/panel.h"
#include "ui/range_controls.h"
#include "ui/scroll_box.h"
#include "ui/speed_button.h"
#include "ui/status_bar.h"
#include "ui/tab_control.h"
#include "ui/tool_bar.h"
#include "ui/tree_view.h"

namespace {

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, size_t(std::max(length, 0)));
}

std::wstring Upper(const std::wstring& text) {
    std::wstring out;
    for (wchar_t ch : text) out += wchar_t(std::towupper(ch));
    return out;
}

// Attaches a skinner to a toolkit control (edits by their window) and gives it to the form.
void AttachTo(TWinSkinForm& form, std::unique_ptr<TSkinControl> skinner, TWinControl& control, TSkinnerKind kind,
              bool recolour) {
    if (!skinner) return;
    if (kind == TSkinnerKind::Edit || kind == TSkinnerKind::Tab)
        skinner->AttachHandle(control.Handle());
    else
        skinner->Attach(control, recolour);
    form.AddControlSkinner(std::move(skinner));
}

void Visit(TWinSkinForm& form, TSkinData& skin, const std::vector<TControl*>& controls, TForm& owner);

TSkinnerRules RulesOf(TSkinData& skin) {
    TSkinnerRules rules;
    rules.controls = skin.SkinControls();
    rules.disableTag = skin.DisableTag();
    rules.skin3rd = &skin.Skin3rd();
    rules.hasTabsPart = skin.Content().Tabs && !skin.Content().Tabs->Image.Empty();
    return rules;
}

// A control without a window: only speed buttons have a skinner, which works through the
// parent.
void SkinGraphic(TWinSkinForm& form, TSkinData& skin, TControl& control) {
    auto* button = dynamic_cast<TSpeedButton*>(&control);
    if (!button || !button->GetParent() || DisabledByTag(button->Tag, skin.DisableTag())) return;
    if (form.FindGraphicSkinner(button)) return;
    TControlTraits traits;
    traits.className = WideToUtf8(button->ClassName());
    traits.tag = button->Tag;
    traits.speedButton = true;
    if (ChooseSkinner(traits, RulesOf(skin)).kind != TSkinnerKind::SpeedButton) return;
    auto skinner = std::make_unique<TSkinSpeedButton>(form, skin);
    skinner->AttachGraphic(*button);
    form.AddControlSkinner(std::move(skinner));
}

void SkinOne(TWinSkinForm& form, TSkinData& skin, TControl& component, TForm& owner) {
    auto* control = dynamic_cast<TWinControl*>(&component);
    if (!control) {
        SkinGraphic(form, skin, component);
        return;
    }
    if (control == &owner) return;
    if (DisabledByTag(control->Tag, skin.DisableTag())) return;
    if (form.FindControlSkinner(control)) return;
    try {
        control->HandleNeeded();
    } catch (const std::exception&) {
        return;  // a control whose window cannot be created is skipped
    }
    const std::wstring cls = control->ClassName();

    if (skin.OnSkinControl) {
        TSkinControl* supplied = nullptr;
        TControl* container = control->Parent ? static_cast<TControl*>(control->Parent.Get()) : &owner;
        skin.OnSkinControl(&form, skin, container, control, Upper(cls), supplied);
        if (supplied) {
            std::unique_ptr<TSkinControl> owned(supplied);
            if (!form.HasControlSkinner(supplied)) {
                owned->Attach(*control, owned->Recolour());
                form.AddControlSkinner(std::move(owned));
            } else {
                owned.release();  // the form has it already
            }
            if (dynamic_cast<TPanel*>(control)) Visit(form, skin, control->Controls(), owner);
            return;
        }
    }

    const TSkinnerChoice choice = ChooseSkinner(TraitsOf(*control), RulesOf(skin));
    if (choice.leaveAlone) return;
    const TColor face = TColor(skin.Content().Colours.ButtonFace);
    if (choice.colourButtonFace) control->Color = face;
    if (choice.makeFlat) {
        if (auto* bar = dynamic_cast<TToolBar*>(control)) bar->Flat = true;
    }
    if (choice.sizeGripOff) {
        if (auto* bar = dynamic_cast<TStatusBar*>(control)) bar->SizeGrip = false;
    }
    if (choice.childrenParentColourOff) {
        for (TControl* child : control->Controls()) {
            child->ParentColor = false;
            auto* childWindow = dynamic_cast<TWinControl*>(child);
            if (childWindow && choice.childKind != TSkinnerKind::None && !form.FindControlSkinner(childWindow))
                AttachTo(form, MakeSkinner(choice.childKind, form, skin), *childWindow, choice.childKind, true);
        }
    }
    if (choice.Skinned()) AttachTo(form, MakeSkinner(choice.kind, form, skin), *control, choice.kind, choice.recolour);
    if (choice.recurse) Visit(form, skin, control->Controls(), owner);
}

void Visit(TWinSkinForm& form, TSkinData& skin, const std::vector<TControl*>& controls, TForm& owner) {
    const auto list = controls;
    for (TControl* c : list) SkinOne(form, skin, *c, owner);
}

void SkinFormControls(TWinSkinForm& form, TSkinData& skin, TForm& owner) {
    // The form's own components in their order; containers take their children along.
    const auto components = owner.Components();
    for (TComponent* c : components) {
        if (auto* control = dynamic_cast<TControl*>(c)) SkinOne(form, skin, *control, owner);
    }
}

void SkinPlainChildren(TWinSkinForm& form, TSkinData& skin) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(form.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        if (form.FindControlSkinner(child)) continue;
        const TSkinnerKind kind =
            ChoosePlainSkinner(ClassOf(child), static_cast<unsigned long>(GetWindowLongPtrW(child, GWL_STYLE)));
        HWND target = child;
        if (_wcsicmp(ClassOf(child).c_str(), L"ComboBoxEx32") == 0) target = GetWindow(child, GW_CHILD);
        if (!target) continue;
        std::unique_ptr<TSkinControl> skinner = MakeSkinner(kind, form, skin);
        if (!skinner) continue;
        skinner->AttachHandle(target);
        form.AddControlSkinner(std::move(skinner));
    }
}

}  // namespace

TControlTraits TraitsOf(TWinControl& control) {
    TControlTraits t;
    t.className = WideToUtf8(control.ClassName());
    t.tag = control.Tag;
    t.comboBox = dynamic_cast<TComboBox*>(&control) != nullptr;
    t.bitBtn = dynamic_cast<TBitBtn*>(&control) != nullptr;
    t.statusBar = dynamic_cast<TStatusBar*>(&control) != nullptr;
    t.panel = dynamic_cast<TPanel*>(&control) != nullptr;
    t.edit = dynamic_cast<TEdit*>(&control) != nullptr;
    t.treeView = dynamic_cast<TTreeView*>(&control) != nullptr;
    t.pageControl = dynamic_cast<TPageControl*>(&control) != nullptr;
    t.tabControl = dynamic_cast<TTabControl*>(&control) != nullptr && !t.pageControl;
    // A tool bar of another class than TToolBar (whose name has a row of its own).
    t.flatContainer = dynamic_cast<TToolBar*>(&control) != nullptr;
    t.container = dynamic_cast<TTabSheet*>(&control) != nullptr;
    if (const auto* picker = dynamic_cast<TDateTimePicker*>(&control)) t.dateTimeTimeKind = picker->Kind == dtkTime;
    t.checkBox = dynamic_cast<TCheckBox*>(&control) != nullptr;
    t.radioButton = dynamic_cast<TRadioButton*>(&control) != nullptr;
    t.radioGroup = dynamic_cast<TRadioGroup*>(&control) != nullptr;
    t.groupBox = dynamic_cast<TGroupBox*>(&control) != nullptr;
    t.progressBar = dynamic_cast<TProgressBar*>(&control) != nullptr;
    t.scrollingContainer = dynamic_cast<TScrollBox*>(&control) != nullptr;
    t.listView = dynamic_cast<TListView*>(&control) != nullptr;
    // The data-aware rich-text box is a memo as well.
    t.memo = dynamic_cast<TMemo*>(&control) != nullptr || dynamic_cast<TDBRichEdit*>(&control) != nullptr;
    t.form = dynamic_cast<TForm*>(&control) != nullptr;
    if (control.HandleAllocated())
        t.scrollBarStyle = (GetWindowLongPtrW(control.WindowHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
    // A drop-down list keeps its scroll bar to itself.
    if (t.comboBox) t.scrollBarStyle = false;
    return t;
}

std::unique_ptr<TSkinControl> MakeSkinner(TSkinnerKind kind, TWinSkinForm& form, TSkinData& skin) {
    switch (kind) {
        case TSkinnerKind::Button: return std::make_unique<TSkinButton>(form, skin);
        case TSkinnerKind::BitButton: return std::make_unique<TSkinBitButton>(form, skin);
        case TSkinnerKind::ComBox: return std::make_unique<TSkinComBox>(form, skin);
        case TSkinnerKind::StatusBar: return std::make_unique<TSkinStatusBar>(form, skin);
        case TSkinnerKind::Edit: return std::make_unique<TSkinEdit>(form, skin);
        case TSkinnerKind::Box: return std::make_unique<TSkinBox>(form, skin);
        case TSkinnerKind::Sizer: return std::make_unique<TSkinSizer>(form, skin);
        case TSkinnerKind::CheckBox: return std::make_unique<TSkinCheckBox>(form, skin);
        case TSkinnerKind::RadioButton: return std::make_unique<TSkinRadioButton>(form, skin);
        case TSkinnerKind::TrackBar: return std::make_unique<TSkinTrackBar>(form, skin);
        case TSkinnerKind::UpDown: return std::make_unique<TSkinUpDown>(form, skin);
        case TSkinnerKind::Progress: return std::make_unique<TSkinProgress>(form, skin);
        case TSkinnerKind::ScrollBar: return std::make_unique<TSkinScrollBar>(form, skin);
        case TSkinnerKind::ScControl: return std::make_unique<TSkinScControl>(form, skin);
        case TSkinnerKind::ListView: return std::make_unique<TSkinListView>(form, skin);
        case TSkinnerKind::Tab: return std::make_unique<TSkinTab>(form, skin);
        case TSkinnerKind::Tab31: return std::make_unique<TSkinTab31>(form, skin);
        case TSkinnerKind::SpeedButton:  // works through the parent: see SkinGraphic
        case TSkinnerKind::None: return nullptr;
    }
    return nullptr;
}

void SkinWindowControls(TWinSkinForm& form) {
    TSkinData* skin = form.Skin();
    if (!skin) return;
    if (TForm* owner = form.Form())
        SkinFormControls(form, *skin, *owner);
    else
        SkinPlainChildren(form, *skin);
}
