#include "skin/win32/skin_manage.h"

#include <algorithm>

#include "skin/win32/skin_messages.h"
#include "skin/win32/win_skin_form.h"
#include "skin/win32/win_skin_pop_menu.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/guarded_call.h"

namespace {

// The process's manager. A hook procedure and a thread timer carry no data of their own, so
// both reach the manager through this one pointer.
TSkinManage* theManager = nullptr;

std::wstring ClassNameOf(HWND hwnd) {
    wchar_t name[256] = {};
    const int length = hwnd ? GetClassNameW(hwnd, name, 256) : 0;
    return std::wstring(name, size_t(std::max(length, 0)));
}

bool SameText(const std::wstring& a, const wchar_t* b) { return _wcsicmp(a.c_str(), b) == 0; }

TForm* FormOf(HWND hwnd) { return dynamic_cast<TForm*>(TWinControl::FromHandle(hwnd)); }

HWND OwnerFormWindow(const TSkinData& skin) {
    TForm* form = OwnerForm(skin.Owner());
    return form && form->HandleAllocated() ? form->WindowHandle() : nullptr;
}

}  // namespace

TSkinManage* TSkinManage::Instance(bool create) {
    if (!theManager && create) theManager = new TSkinManage();
    return theManager;
}

TSkinManage::~TSkinManage() {
    StopTimer();
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        Application->OnFormShowing = nullptr;
    }
    hook_ = nullptr;
    const auto forms = std::exchange(forms_, {});
    for (TWinSkinForm* form : forms) {
        form->Release();
        form->Dispose();
    }
    for (auto& popup : popups_) popup->Detach();
    popups_.clear();
    closedPopups_.clear();
    if (theManager == this) theManager = nullptr;
}

// ---- the components

void TSkinManage::Register(TSkinData& skin) {
    if (std::find(skins_.begin(), skins_.end(), &skin) == skins_.end()) skins_.push_back(&skin);
}

void TSkinManage::Unregister(TSkinData& skin) {
    skins_.erase(std::remove(skins_.begin(), skins_.end(), &skin), skins_.end());
    if (currentSkin_ == &skin) currentSkin_ = nullptr;
    std::erase_if(brushes_, [&](const Brush& b) { return b.skin == &skin; });
    // The windows wearing this skin lose it: a window that stays gets its own frame back.
    const auto forms = forms_;
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        TWinSkinForm* form = *it;
        if (form->Skin() != &skin) continue;
        if (form->LifeState() == lsClosing || form->LifeState() == lsDestroyed || !IsWindow(form->Handle()))
            form->Release();
        else
            form->Unskin();
        Drop(form);
    }
    if (skins_.empty()) delete this;
}

void TSkinManage::SwitchOn() { active_ = true; }

void TSkinManage::CountActivation() { activations_ = std::max(activations_, 1); }

void TSkinManage::SkinOwnerForm(TSkinData& skin) {
    if (HWND window = OwnerFormWindow(skin)) SkinWindow(window);
}

void TSkinManage::InstallHook() {
    if (!hook_) hook_ = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    // A form of the program's own is skinned, frame finished, before it is shown: it appears
    // skinned, in its final size, in its first paint instead of being painted plain, resized
    // and painted again.
    Application->OnFormShowing = [](TForm& form) {
        if (theManager && form.HandleAllocated()) GuardedCall([&] { theManager->SkinWindow(form.WindowHandle(), true); });
    };
}

void TSkinManage::SetCurrentSkin(TSkinData* skin) { currentSkin_ = skin; }

void TSkinManage::DropCachedParts() {
    for (TWinSkinForm* form : forms_) form->DropCachedParts();
}

// ---- the window hook

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    bool refuse = false;
    // A window that cannot be skinned keeps its own frame; what went wrong is reported.
    if (theManager && code >= 0) GuardedCall([&] { theManager->OnCbt(code, wParam, lParam, refuse); });
    const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
    return refuse ? 1 : next;
}

void TSkinManage::OnCbt(int code, WPARAM wParam, LPARAM lParam, bool& refuse) {
    switch (code) {
        case HCBT_CREATEWND: {
            // A size grip would draw the system's look in the corner of a skinned window.
            const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
            const std::wstring className = ClassNameOf(reinterpret_cast<HWND>(wParam));
            if (create && create->lpcs && (create->lpcs->style & SBS_SIZEGRIP) && SameText(className, L"ScrollBar") &&
                FindForm(create->lpcs->hwndParent))
                refuse = true;
            if (className == L"#32768") SkinPopupMenu(reinterpret_cast<HWND>(wParam));
            break;
        }
        case HCBT_DESTROYWND:
            UnskinPopupMenu(reinterpret_cast<HWND>(wParam));
            break;
        case HCBT_ACTIVATE:
            if (activations_ == 0) activations_ = 1;
            SkinWindow(reinterpret_cast<HWND>(wParam));
            break;
    }
}

// ---- the gatekeeper

bool TSkinManage::FilterAllows(const std::wstring& className) const {
    for (TSkinData* skin : skins_) {
        if (skin->SkinFormtype() != sfMainform) continue;
        if (skin->OnFormSkin) {
            bool doSkin = true;
            skin->OnFormSkin(*skin, className, doSkin);
            return doSkin;
        }
        if (SameText(className, L"SysMonthCal32")) return false;
        if (skin->SkinControls().Contains(xcFastReport) && className.rfind(L"Tfr", 0) == 0) return false;
        return true;
    }
    return true;
}

TSkinData* TSkinManage::FindSkinData(HWND hwnd) const {
    for (TSkinData* skin : skins_) {
        if (skin->SkinFormtype() == sfOnlyThisForm && OwnerFormWindow(*skin) == hwnd) return skin;
    }
    const std::wstring className = ClassNameOf(hwnd);
    if (SameText(className, L"TMessageForm") || SameText(className, L"#32770")) {
        for (TSkinData* skin : skins_) {
            if (skin->SkinFormtype() == sfDialog) return skin;
        }
    }
    for (TSkinData* skin : skins_) {
        if (skin->SkinFormtype() == sfMainform) return skin;
    }
    return skins_.empty() ? nullptr : skins_.front();
}

bool TSkinManage::SkinWindow(HWND hwnd, bool finishNow) {
    if (!active_ || !IsWindow(hwnd)) return false;
    if (SendMessageW(hwnd, kSkinQuery, 0, 0) == 1) return false;
    if (FindForm(hwnd)) return false;
    if (!batch_ && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) &&
        SameText(ClassNameOf(GetParent(hwnd)), L"MDIClient"))
        return false;
    RECT bounds{};
    GetWindowRect(hwnd, &bounds);
    if (IsRectEmpty(&bounds)) return false;
    TForm* form = FormOf(hwnd);
    if (form && form->Tag == 99) return false;  // a fixed value, whatever DisableTag says
    const std::wstring className = ClassNameOf(hwnd);
    if (className == L"TApplication") return false;
    if (!FilterAllows(className)) return false;
    TSkinData* skin = FindSkinData(hwnd);
    if (!skin || skin->SkinPending()) return false;

    auto* skinned = new TWinSkinForm(*this, hwnd, form);
    try {
        if (form)
            skinned->Init(*skin, *form);
        else
            skinned->InitWindow(*skin);
    } catch (...) {
        skinned->Unskin();
        skinned->Dispose();
        throw;
    }
    forms_.push_back(skinned);
    if (finishNow)
        SendMessageW(hwnd, kSkinFinish, 0, kSkinFinishParam);
    else
        PostMessageW(hwnd, kSkinFinish, 0, kSkinFinishParam);
    return true;
}

TWinSkinForm* TSkinManage::FindForm(HWND hwnd) const {
    if (!hwnd) return nullptr;
    for (TWinSkinForm* form : forms_) {
        // A destroyed window's handle may come back for a new window.
        if (form->Handle() == hwnd && form->LifeState() != lsDestroyed) return form;
    }
    return nullptr;
}

void TSkinManage::Drop(TWinSkinForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    form->Dispose();
}

// ---- pop-up menu windows

bool TSkinManage::SkinPopupMenu(HWND hwnd) {
    closedPopups_.clear();
    if (FindPopupMenu(hwnd)) return false;
    TSkinData* skin = FindSkinData(hwnd);
    // While no skin has loaded, menus keep the system's look.
    if (!skin || skin->SkinPending() || !skin->SkinControls().Contains(xcMainMenu)) return false;
    auto popup = std::make_unique<TWinSkinPopMenu>(*this, hwnd, *skin);
    popup->FromMenuBar = tracking_.form != nullptr;
    popup->Attach();
    popups_.push_back(std::move(popup));
    return true;
}

void TSkinManage::UnskinPopupMenu(HWND hwnd) { PopupMenuClosed(hwnd); }

void TSkinManage::PopupMenuClosed(HWND hwnd) {
    for (auto it = popups_.begin(); it != popups_.end(); ++it) {
        if ((*it)->Handle() != hwnd) continue;
        (*it)->Detach();
        closedPopups_.push_back(std::move(*it));
        popups_.erase(it);
        return;
    }
}

TWinSkinPopMenu* TSkinManage::FindPopupMenu(HWND hwnd) const {
    for (const auto& popup : popups_) {
        if (popup->Handle() == hwnd) return popup.get();
    }
    return nullptr;
}

void TSkinManage::SetMdiMaximized(bool maximized) {
    if (maximized == mdiMaximized_) return;
    mdiMaximized_ = maximized;
    for (TWinSkinForm* form : forms_) {
        if (form->WindowKind() != wkOrdinary) PostMessageW(form->Handle(), kSkinRepaintFrame, 0, 0);
    }
}

void TSkinManage::FormDestroyed(TWinSkinForm& form) {
    // An action already waiting keeps the skin it concerns.
    if (pendingAction_ == 0 || pendingAction_ == kSkinActionDropClosed) currentSkin_ = form.Skin();
    RequestAction(kSkinActionDropClosed, kSkinActionDelayMs);
}

HBRUSH TSkinManage::BackgroundBrush(const TSkinData& skin) {
    const ColourRef colour = skin.Content().BackgroundColour;
    auto it = std::find_if(brushes_.begin(), brushes_.end(), [&](const Brush& b) { return b.skin == &skin; });
    if (it == brushes_.end()) {
        brushes_.push_back(Brush{&skin, colour, Gdi<HBRUSH>(CreateSolidBrush(colour))});
        return brushes_.back().brush.Get();
    }
    if (it->colour != colour || !it->brush) {
        it->brush.Reset(CreateSolidBrush(colour));
        it->colour = colour;
    }
    return it->brush.Get();
}

// ---- the deferred actions

void TSkinManage::RequestAction(int action, int delayMs) {
    if (activations_ == 0) {
        // Before any window was activated there is nothing to skin yet: the first activation
        // skins the window through the hook.
        if (action == kSkinActionSkinAll) active_ = true;
        if (action == kSkinActionUnskinAll) active_ = false;
        return;
    }
    // There is one pending action. Every action drops the closed forms when it is done, so a
    // request to drop them never displaces another action still to run.
    if (action == kSkinActionDropClosed && pendingAction_ != 0 && timer_) return;
    pendingAction_ = action;
    StopTimer();
    timer_ = SetTimer(nullptr, 0, UINT(std::max(delayMs, 1)), TimerProc);
}

void TSkinManage::StopTimer() {
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
}

void CALLBACK TSkinManage::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    if (!theManager || id != theManager->timer_) {
        KillTimer(nullptr, id);
        return;
    }
    GuardedCall([] { theManager->RunAction(); });
}

void TSkinManage::RunAction() {
    StopTimer();
    closedPopups_.clear();
    const int action = std::exchange(pendingAction_, 0);
    TSkinData* skin = std::exchange(currentSkin_, nullptr);
    const bool onlyThisForm = skin && skin->SkinFormtype() == sfOnlyThisForm;
    const auto uses = [skin](const TWinSkinForm* form) { return !skin || form->Skin() == skin; };
    switch (action) {
        case kSkinActionSkinAll:
            active_ = true;
            batch_ = true;
            try {
                if (onlyThisForm) {
                    if (HWND window = OwnerFormWindow(*skin)) SkinWindow(window);
                } else {
                    const auto forms = Application->Forms();
                    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
                        if ((*it)->HandleAllocated()) SkinWindow((*it)->WindowHandle());
                    }
                }
            } catch (...) {
                batch_ = false;
                throw;
            }
            batch_ = false;
            break;
        case kSkinActionUnskinAll: {
            active_ = false;
            const auto forms = forms_;
            for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
                TWinSkinForm* form = *it;
                if (onlyThisForm && form->Skin() != skin) continue;
                const HWND window = form->Handle();
                form->Unskin();
                Drop(form);
                if (IsWindow(window))
                    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            }
            break;
        }
        case kSkinActionReskin: {
            std::vector<TWinSkinForm*> targets;
            for (TWinSkinForm* form : forms_) {
                if (uses(form) && form->LifeState() != lsDestroyed) targets.push_back(form);
            }
            if (onlyThisForm && targets.size() > 1) targets.resize(1);
            for (TWinSkinForm* form : targets) {
                form->DropCachedParts();
                form->RebuildButtons();
            }
            for (TWinSkinForm* form : targets) form->Refresh();
            break;
        }
        case kSkinActionDropClosed: break;  // below, as after every action
    }
    const auto forms = forms_;
    for (TWinSkinForm* form : forms) {
        if (form->LifeState() == lsDestroyed) Drop(form);
    }
    if (skin && skin->OnSkinChanged) skin->OnSkinChanged(*skin);
}
