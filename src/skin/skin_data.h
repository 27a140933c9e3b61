#pragma once
// TSkinData: the skin component an application puts on its main window. It keeps the skin
// package (from the form's SkinStream property or a SkinFile), loads it into skin parts, and
// carries the options that say which windows and controls are skinned. The window side reads
// the loaded parts through Content() at paint time and provides the skin manager.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/memory_stream.h"
#include "skin/skin_host.h"
#include "skin/skin_parts.h"
#include "skin/skin_types.h"

class IniFile;
class TSkinReader;
// Window-side classes the events pass along; the portable side only forwards pointers.
class TComponent;
class TControl;
class TSkinControl;
class TWinSkinForm;

// Asks whether a window class is skinned; aName is the class name, doSkin arrives true.
using TOnFormSkin = std::function<void(TSkinData& sender, const std::wstring& aName, bool& doSkin)>;
// Fired after each skin action has been carried out.
using TOnSkinChanged = std::function<void(TSkinData& sender)>;
// Lets the application supply the skinner of a control; sender is the form skinner (the
// owner a new skinner needs), controlClass is upper case and skinnedControl arrives empty.
// A skinner handed back is owned by the form skinner from then on.
using TOnSkinControl = std::function<void(TWinSkinForm* sender, TSkinData& skinData, TControl* form, TControl* control,
                                          const std::wstring& controlClass, TSkinControl*& skinnedControl)>;

class TSkinData {
public:
    explicit TSkinData(SkinHost platform = {}, TComponent* ownerComponent = nullptr);
    ~TSkinData();
    TSkinData(const TSkinData&) = delete;
    TSkinData& operator=(const TSkinData&) = delete;

    // Component state. While designing nothing is loaded or applied; between BeginLoading and
    // Loaded the form's properties are being read.
    void SetDesigning(bool value) { designing = value; }
    bool Designing() const { return designing; }
    void BeginLoading() { loading = true; }
    bool Loading() const { return loading; }
    // After the form has been read: registers with the manager and, for the main form's
    // component, installs the hook and asks for all windows to be skinned (or resets Active
    // when no skin could be loaded).
    void Loaded();

    // Published properties.
    bool Active() const { return active; }
    void SetActive(bool value);
    int32_t DisableTag() const { return disableTag; }
    void SetDisableTag(int32_t value) { disableTag = value; }
    TSkinControls SkinControls() const { return skinControls; }
    void SetSkinControls(TSkinControls value) { skinControls = value; }
    const std::vector<std::string>& Skin3rd() const { return skin3rd; }
    void SetSkin3rd(const std::vector<std::string>& lines) { skin3rd = lines; }
    const std::wstring& SkinFile() const { return skinFile; }
    // Stores the path and marks the skin pending; an existing file is read and loaded, and
    // applied when it loaded. A path that names no file changes nothing else, so that no further window is
    // skinned until a skin loads.
    void SetSkinFile(const std::wstring& path);
    // "(Good)" while designing with a package stored, else "(none)"; setting it does nothing.
    std::string GetSkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return skinFormtype; }
    void SetSkinFormtype(TSkinFormType value) { skinFormtype = value; }
    bool MenuUpdate() const { return menuUpdate; }
    void SetMenuUpdate(bool value) { menuUpdate = value; }

    TOnFormSkin OnFormSkin;
    TOnSkinChanged OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // The SkinStream property: a 32-bit signed count, then that many bytes of package. A count
    // of 0 or less stores nothing. Reading a package outside design mode loads it. A value
    // cut short throws ESkinError.
    void ReadSkinStream(MemoryStream& stream);
    void WriteSkinStream(MemoryStream& stream) const;
    const MemoryStream& Package() const { return package; }

    // Loads the stored package. False when the archive is of another version (after telling
    // the user). A package outside the format throws ESkinError, an image that is not a bitmap
    // EInvalidGraphic. Whatever happens, a skin loaded before stays in use until a new one has
    // been read completely; SkinPending stays set after a failure.
    bool LoadSkin();
    // After a new skin was loaded from a file: re-skins every window with it.
    void ApplySkin();
    // Set until a skin description has been read completely; no window is skinned meanwhile.
    bool SkinPending() const { return skinPending; }

    const TSkinContent& Content() const { return content; }
    // The form skinner paints frames only while this is set.
    bool PaintFlag() const { return paintFlag; }
    void SetPaintFlag(bool value) { paintFlag = value; }
    TComponent* Owner() const { return owner; }
    ColourRef SystemColour(SysColour colour) const;

private:
    ISkinManager* Manager(bool create) const;
    // Loads the package in `candidate`; on success it becomes the stored package, on failure
    // the stored one is kept.
    bool LoadCandidate(MemoryStream candidate);

    SkinHost host;
    TComponent* owner;
    bool designing = false;
    bool loading = false;

    bool active = false;
    int32_t disableTag = 99;
    TSkinControls skinControls = TSkinControls::Default();
    std::vector<std::string> skin3rd;
    std::wstring skinFile;
    TSkinFormType skinFormtype = sfMainform;
    bool menuUpdate = true;

    MemoryStream package;
    bool skinPending = true;
    bool paintFlag = true;
    TSkinContent content;
};
