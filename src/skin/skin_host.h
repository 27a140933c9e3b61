#pragma once
// What the portable skin component needs from the platform, and the skin manager it drives.
// The Windows side fills these in; tests fill them with recorders.
#include <functional>
#include <string>

#include "skin/skin_types.h"

class TSkinData;

// Skin manager actions and the delay the component asks for them with.
inline constexpr int kSkinActionSkinAll = 1;
inline constexpr int kSkinActionUnskinAll = 2;
inline constexpr int kSkinActionReskin = 3;
inline constexpr int kSkinActionDropClosed = 6;
inline constexpr int kSkinActionDelayMs = 250;

// The one skin manager of the process (it hooks the windows and runs the deferred actions).
class ISkinManager {
public:
    virtual ~ISkinManager() = default;
    virtual void Register(TSkinData& skin) = 0;
    virtual void Unregister(TSkinData& skin) = 0;
    // Switches skinning on at once (components that skin only their own form or dialogs).
    virtual void SwitchOn() = 0;
    // Counts one window activation, so that deferred actions start running.
    virtual void CountActivation() = 0;
    // Skins the form that owns the component now, if its owner is a form.
    virtual void SkinOwnerForm(TSkinData& skin) = 0;
    // Installs the thread's window-creation and activation hook (once).
    virtual void InstallHook() = 0;
    virtual void SetCurrentSkin(TSkinData* skin) = 0;
    // Makes every skinned form drop the parts it cached from the previous skin.
    virtual void DropCachedParts() = 0;
    // Runs action (kSkinAction...) for the current skin after delayMs.
    virtual void RequestAction(int action, int delayMs) = 0;
};

struct SkinHost {
    // The modal information box (UTF-8 text). Empty: no box.
    std::function<void(const std::string& text)> ShowMessage;
    // A system colour. Empty: the classic Windows scheme.
    std::function<ColourRef(SysColour colour)> SystemColour;
    // The process's skin manager; with create set it is made on first need. Empty, or a null
    // result: there is no manager (tools, tests of the model alone).
    std::function<ISkinManager*(bool create)> Manager;
};

// The classic Windows colour scheme, for hosts without a window system.
ColourRef ClassicSystemColour(SysColour colour);
