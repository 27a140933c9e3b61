#pragma once
// TSkinManage: the one skin manager of the process. It watches the thread's windows through a
// CBT hook, skins every window that passes its gatekeeper when the window is first activated,
// keeps one TWinSkinForm per skinned window, and runs the deferred skin actions (skin all,
// unskin all, re-skin, drop closed forms) from one 250 ms timer.
#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "skin/skin_data.h"
#include "skin/skin_host.h"
#include "ui/gdi.h"

class TWinSkinForm;
class TWinSkinPopMenu;
struct TSkinMenuItem;

// The state of the one menu tracked from a skinned menu bar (only one is open at a time).
struct TMenuTracking {
    TWinSkinForm* form = nullptr;  // the window whose bar item's menu is open
    int index = -1;                // that item
    int next = -1;                 // the item to open next, when switching
    HMENU topMenu = nullptr;       // the item's sub-menu
    HMENU selectedMenu = nullptr;  // the menu holding the entry last selected
    bool selectedHasSubMenu = false;
    POINT lastPoint{-1, -1};
    bool switching = false;
    HHOOK hook = nullptr;
};

class TSkinManage final : public ISkinManager {
public:
    // The manager; with create set it is made on first need. It lives until the last skin
    // component unregisters.
    static TSkinManage* Instance(bool create);

    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // ISkinManager: what the skin component asks of its manager.
    void Register(TSkinData& skin) override;
    void Unregister(TSkinData& skin) override;
    void SwitchOn() override;
    void CountActivation() override;
    void SkinOwnerForm(TSkinData& skin) override;
    void InstallHook() override;
    void SetCurrentSkin(TSkinData* skin) override;
    void DropCachedParts() override;
    void RequestAction(int action, int delayMs) override;

    // The gatekeeper: skins the window if every condition holds; true when it did.
    // Skins the window; its frame is finished at once when `finishNow`, else by a message
    // posted to it (a window being activated is in the middle of the system's work).
    bool SkinWindow(HWND hwnd, bool finishNow = false);
    // The skin a window gets: the component that skins only that form, the dialog skin for
    // message boxes, else the main one, else the first registered; nullptr when none.
    TSkinData* FindSkinData(HWND hwnd) const;

    bool Active() const { return active_; }
    bool HookInstalled() const { return hook_ != nullptr; }
    int Activations() const { return activations_; }
    // The skinner of a window, or nullptr.
    TWinSkinForm* FindForm(HWND hwnd) const;
    const std::vector<TWinSkinForm*>& Forms() const { return forms_; }

    // An MDI child of the application is maximized (its caption buttons then sit on the
    // parent's menu bar).
    void SetMdiMaximized(bool maximized);
    bool MdiMaximized() const { return mdiMaximized_; }
    void SetMdiClient(HWND client) { mdiClient_ = client; }
    HWND MdiClient() const { return mdiClient_; }

    // Pop-up menu windows ("#32768"), from the hook: skinned when created (unless the skin is
    // still to load or the frame is not skinned), let go of when destroyed.
    bool SkinPopupMenu(HWND hwnd);
    void UnskinPopupMenu(HWND hwnd);
    // A skinned menu window is going: it lets go of the window now and is freed later.
    void PopupMenuClosed(HWND hwnd);
    TWinSkinPopMenu* FindPopupMenu(HWND hwnd) const;
    const std::vector<std::unique_ptr<TWinSkinPopMenu>>& PopupMenus() const { return popups_; }

    TMenuTracking& MenuTracking() { return tracking_; }

    // The records of owner-drawn menu items the skin paints (their item data).
    void RememberMenuItem(const TSkinMenuItem* item) { menuItems_.insert(item); }
    void ForgetMenuItem(const TSkinMenuItem* item) { menuItems_.erase(item); }
    bool IsSkinMenuItem(ULONG_PTR data) const {
        return menuItems_.count(reinterpret_cast<const TSkinMenuItem*>(data)) != 0;
    }

    // A skinned window was destroyed: its skin becomes current and the closed form is dropped
    // by the timer.
    void FormDestroyed(TWinSkinForm& form);
    // The brush of the skin's ButtonFace colour, made anew when the colour changed.
    HBRUSH BackgroundBrush(const TSkinData& skin);

private:
    TSkinManage() = default;
    ~TSkinManage() override;

    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
    void OnCbt(int code, WPARAM wParam, LPARAM lParam, bool& refuse);
    void RunAction();
    bool FilterAllows(const std::wstring& className) const;
    void Drop(TWinSkinForm* form);
    void StopTimer();

    struct Brush {
        const TSkinData* skin;
        ColourRef colour;
        Gdi<HBRUSH> brush;
    };

    bool active_ = false;
    bool batch_ = false;
    bool mdiMaximized_ = false;
    int activations_ = 0;
    std::vector<TWinSkinForm*> forms_;
    std::vector<TSkinData*> skins_;
    std::vector<Brush> brushes_;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    int pendingAction_ = 0;
    TSkinData* currentSkin_ = nullptr;
    HWND mdiClient_ = nullptr;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popups_;
    // Menu skinners let go of their windows, freed outside their own calls.
    std::vector<std::unique_ptr<TWinSkinPopMenu>> closedPopups_;
    std::set<const TSkinMenuItem*> menuItems_;
    TMenuTracking tracking_;
};
