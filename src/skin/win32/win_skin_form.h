#pragma once
// TWinSkinForm: the skin of one top-level window. It takes over the window's procedure,
// strips the system's caption buttons, paints the frame, caption and caption buttons from the
// skin, answers the non-client messages for them and shapes the window by the skin's magenta
// corners. Made and dropped by TSkinManage; a form object's window gets Init, any other
// window InitWindow.
//
// Life states: 0 new → (0x3503) 5 resizing → 1 skinned; 1 → 3 during Refresh → 1; any → 4
// closing (WM_NCDESTROY or manager shutdown) → 6 destroyed, then dropped by the manager.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/skin_data.h"
#include "skin/win32/nc_object.h"
#include "skin/win32/skin_dib.h"
#include "ui/gdi.h"
#include "ui/graphics.h"
#include "ui/ui_types.h"
#include "ui/window_subclass.h"

class TForm;
class TControl;
class TSkinControl;
class TSkinMenuItems;
class TWinSkinMenu;
class TMenuBtn;
class TPopupMenu;
struct TSkinMenuItem;
class TSkinManage;
class TWinControl;

enum TSkinLifeState : int {
    lsNew = 0,
    lsSkinned = 1,
    lsReskinning = 3,
    lsClosing = 4,
    lsResizing = 5,
    lsDestroyed = 6,
};

// 0 ordinary, 1 MDI parent (it has an "MDIClient" child), 2 MDI child.
enum TSkinWindowKind : int { wkOrdinary = 0, wkMdiParent = 1, wkMdiChild = 2 };
// 0 a window with the window-edge or sizing frame, 2 a pop-up without a full caption (no
// skinned frame at all), 3 anything else.
enum TSkinFrameKind : int { fkEdge = 0, fkNoFrame = 2, fkPlain = 3 };
enum TSkinWindowState : int { wsNormal = 0, wsMaximized = 1, wsMinimized = 2 };

// The system buttons a window has (bits).
inline constexpr int kHasSystemMenu = 8;
inline constexpr int kHasMinimizeBox = 2;
inline constexpr int kHasMaximizeBox = 1;

// The skinned frame's widths, in pixels.
struct TFrameMetrics {
    int left = 0;
    int caption = 0;
    int right = 0;
    int bottom = 0;
    int menuBar = 0;
};

class TWinSkinForm {
public:
    TWinSkinForm(TSkinManage& manager, HWND hwnd, TForm* form);
    ~TWinSkinForm();
    TWinSkinForm(const TWinSkinForm&) = delete;
    TWinSkinForm& operator=(const TWinSkinForm&) = delete;

    // Skins a form object: its colour becomes the skin's ButtonFace, then InitWindow.
    void Init(TSkinData& skin, TForm& form);
    // Skins the window: reads what it is, strips the system's caption buttons, works out the
    // frame, takes over the window procedure and invalidates the window.
    void InitWindow(TSkinData& skin);
    // Gives the window back as it was: procedure, style, colour, size and region.
    void Unskin();
    // The window is going (WM_NCDESTROY, or the manager shuts down): lets go of it without
    // changing its looks.
    void Release();
    // After a skin change (and on 0x3401): new colours, frame and region.
    void Refresh();
    // Frame metrics and caption buttons from the skin.
    void RebuildButtons();
    // Forgets everything taken from the skin's parts (a new skin is coming).
    void DropCachedParts();
    // Deletes the object now, or when its window procedure has returned if it is running.
    void Dispose();

    // Paints the whole frame now (0x3502).
    void RepaintFrame();

    HWND Handle() const { return hwnd_; }
    TForm* Form() const { return form_; }
    TSkinData* Skin() const { return skin_; }
    int LifeState() const { return lifeState_; }
    int WindowKind() const { return windowKind_; }
    int FrameKind() const { return frameKind_; }
    int WindowState() const { return windowState_; }
    int SystemButtons() const { return systemButtons_; }
    bool IsActive() const { return active_; }
    const TFrameMetrics& Metrics() const { return metrics_; }
    const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return buttons_; }

    // The item under the mouse (or pressed), or nullptr.
    TNCObject* Current() const { return current_; }
    // The font the caption text is drawn in.
    HFONT CaptionFont() const { return captionFont_.Get(); }
    void SetCurrent(TNCObject* item) { current_ = item; }
    // Repaints one caption button in its state.
    void PaintCaptionButton(TWinSysButton& button);
    // Shows the system menu at a screen point; a second showing within the double-click time
    // closes the window instead.
    void ShowSystemMenu(POINT screen);

    // The owner-drawn menu standing in for the system menu (nullptr until skinned).
    HMENU SystemMenuReplacement() const { return systemMenu_; }
    // WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn menu item: true when it was one of the
    // skin's items and has been answered.
    bool MeasureMenuItem(MEASUREITEMSTRUCT& measure);
    bool DrawMenuItem(const DRAWITEMSTRUCT& draw);
    // The skinned menu bar, or nullptr when the window has no menu.
    TWinSkinMenu* MenuBar() const { return menuBar_.get(); }
    // Opens a bar item's sub-menu below it and tracks it (switching between the bar's items
    // with the arrow keys and the mouse) until the menus close.
    void OpenBarItem(TMenuBtn& item);

    // The control skinners of the window's controls.
    void AddControlSkinner(std::unique_ptr<TSkinControl> skinner);
    TSkinControl* FindControlSkinner(const TWinControl* control) const;
    TSkinControl* FindControlSkinner(HWND hwnd) const;
    // The skinner of a control without a window.
    TSkinControl* FindGraphicSkinner(const TControl* control) const;
    bool HasControlSkinner(const TSkinControl* skinner) const;
    std::vector<TSkinControl*> ControlSkinners() const;
    // The control skinner under the mouse (only one is hot at a time).
    TSkinControl* HotControl() const { return hotControl_; }
    void SetHotControl(TSkinControl* skinner) { hotControl_ = skinner; }

private:
    static constexpr UINT_PTR kFormTimerId = 0x35020001;

    // The subclass: counts the calls in progress so that a dropped object outlives them.
    LRESULT Subclass(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    bool FrameSkinned() const;
    bool SkinsFrame() const;
    bool Plain() const { return form_ == nullptr; }

    // Typed handlers (win_skin_form_proc.cpp).
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColor(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaint(HRGN update);
    LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcRButtonDown(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTextOrIcon(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnTimer();
    void Finish();
    // The system-menu replacement (win_skin_form_menus.cpp).
    void BuildSystemMenu();
    void DestroySystemMenu();
    void EnableSystemMenuItems(HMENU menu, bool replacement);
    // The menu bar from the window's menu (InitWindow, and CM_MENUCHANGED).
    void BuildMenuBar();
    void GiveMenuBarBack();
    // The form's pop-up menus drawn by the skin, and back.
    void SkinPopupMenus();
    void UnskinPopupMenus();
    void DrawPopupItem(const DRAWITEMSTRUCT& draw, const TSkinMenuItem& item);
    void OnFormMessage(TMessage& message, const TWndNext& next);
    LRESULT OnKeyMenu(WPARAM wParam, LPARAM lParam, bool& handled);
    static LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam);
    // Detaches and frees every control skinner.
    void ReleaseControls();
    // Frees the skinners whose controls are gone.
    void DropFinishedControls();

    // Frame work (win_skin_form.cpp).
    void ReadWindowState();
    void StripSystemButtons();
    void RestoreSystemButtons();
    void SetStyle(LONG_PTR style);
    void StartTimer();
    void StopTimer();
    void ReadText();
    void ChooseCaptionFont();
    void ReadIcon();
    void ResizeToFrame();
    void RunAction(const TWinSysButton& button, POINT screen);
    POINT ScreenToWindow(POINT screen) const;
    TNCObject* ItemAt(POINT window) const;
    TCaptionState CaptionState() const;

    // Painting (win_skin_form_paint.cpp).
    void PaintFrame(HDC dc);
    void ComposeCaption(int width, const Bitmap32& left, const Bitmap32& right);
    void DrawCaptionText(int width);
    void LayOutButtons(int width);
    void DrawButton(const TWinSysButton& button);
    HRGN MakeRegion(int width, int height) const;
    void BuildRegion(bool force, SIZE size = SIZE{-1, -1}, bool redraw = true);

    TSkinManage& manager_;
    HWND hwnd_;
    TForm* form_;
    TSkinData* skin_ = nullptr;
    TWindowSubclass subclass_;
    int busy_ = 0;
    bool disposed_ = false;
    bool initialized_ = false;

    LONG_PTR styleBefore_ = 0;
    LONG_PTR style_ = 0;
    LONG_PTR exStyle_ = 0;
    SIZE ncBefore_{};
    RECT clientBefore_{};
    TColor colourBefore_ = clBtnFace;

    int windowKind_ = wkOrdinary;
    int frameKind_ = fkPlain;
    int windowState_ = wsNormal;
    int systemButtons_ = 0;
    bool active_ = false;
    bool rightToLeft_ = false;
    int lifeState_ = lsNew;
    bool ready_ = false;
    TFrameMetrics metrics_;

    Gdi<HFONT> captionFont_;
    std::wstring text_;
    std::wstring className_;
    HICON icon_ = nullptr;  // borrowed from the window or its class
    SIZE iconSize_{};

    std::vector<std::unique_ptr<TWinSysButton>> buttons_;
    TNCObject* current_ = nullptr;
    // The caption button the left button went down on: only a release on that same button
    // runs its action, as with the system's own caption buttons.
    TNCObject* pressed_ = nullptr;
    bool timerRunning_ = false;
    ULONGLONG systemMenuShown_ = 0;

    // The caption as last painted: the background (Top part and text) and, on top of it, the
    // buttons; the text box and the leftmost right-aligned button of the last layout.
    Bitmap32 captionBack_;
    SkinDib caption_;
    RECT textBox_{};
    int rightButtonsLeft_ = -1;
    SIZE regionSize_{-1, -1};

    HMENU systemMenu_ = nullptr;
    std::unique_ptr<TSkinMenuItems> systemMenuItems_;
    std::unique_ptr<TWinSkinMenu> menuBar_;
    TWndHookToken formHook_ = 0;
    // The form's pop-up menus the skin draws, with their owner-draw setting before.
    std::vector<std::pair<TPopupMenu*, bool>> popupMenus_;

    std::vector<std::unique_ptr<TSkinControl>> controls_;
    TSkinControl* hotControl_ = nullptr;
};
