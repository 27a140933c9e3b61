#include "ui/automation.h"

#include <cwchar>

#include "base/errors.h"
#include "ui/application.h"
#include "ui/automation_protocol.h"
#include "ui/combo_box.h"
#include "ui/guarded_call.h"
#include "ui/json_writer.h"
#include "ui/list_view.h"
#include "ui/message_form.h"
#include "ui/tree_view.h"

namespace {

std::wstring WindowText(HWND hwnd) {
    if (!hwnd) return std::wstring();
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(size_t(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(size_t(copied > 0 ? copied : 0));
    return text;
}

std::wstring WindowClass(HWND hwnd) {
    wchar_t name[256] = {};
    const int length = hwnd ? GetClassNameW(hwnd, name, 256) : 0;
    return std::wstring(name, size_t(length > 0 ? length : 0));
}

bool OurProcess(HWND hwnd) {
    DWORD process = 0;
    if (hwnd) GetWindowThreadProcessId(hwnd, &process);
    return hwnd && process == GetCurrentProcessId();
}

HWND ActiveWindow() {
    if (HWND foreground = GetForegroundWindow(); OurProcess(foreground)) return foreground;
    if (HWND active = GetActiveWindow()) return active;
    if (TForm* main = Application->MainForm(); main && main->HandleAllocated()) return main->WindowHandle();
    return nullptr;
}

// The text of a system message box: the static control the system gives id 0xFFFF, or else
// the first static text that is not an icon.
std::wstring SystemBoxText(HWND box) {
    if (HWND text = GetDlgItem(box, 0xFFFF)) return WindowText(text);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(WindowClass(child).c_str(), L"Static") != 0) continue;
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        if (std::wstring text = WindowText(child); !text.empty()) return text;
    }
    return std::wstring();
}

// Where a control's top-left corner lies in its form's client area.
POINT OriginInForm(const TControl& control, HWND formWindow) {
    if (auto* windowed = dynamic_cast<const TWinControl*>(&control); windowed && windowed->HandleAllocated()) {
        RECT r{};
        GetWindowRect(windowed->WindowHandle(), &r);
        POINT p{r.left, r.top};
        ScreenToClient(formWindow, &p);
        return p;
    }
    POINT p{control.Left, control.Top};
    const TWinControl* parent = control.Parent;
    if (!parent || dynamic_cast<const TForm*>(parent)) return p;
    if (parent->HandleAllocated()) {
        POINT origin{0, 0};
        ClientToScreen(parent->WindowHandle(), &origin);
        ScreenToClient(formWindow, &origin);
        return POINT{p.x + origin.x, p.y + origin.y};
    }
    const POINT origin = OriginInForm(*parent, formWindow);
    return POINT{p.x + origin.x, p.y + origin.y};
}

void WriteRect(JsonWriter& json, const RECT& r) {
    json.Key("left");
    json.Int(r.left);
    json.Key("top");
    json.Int(r.top);
    json.Key("width");
    json.Int(r.right - r.left);
    json.Key("height");
    json.Int(r.bottom - r.top);
}

// The rows of a tree, top to bottom, each where its text lies in the form's client area
// (a test clicks there as a learner would).
void WriteTreeNodes(JsonWriter& json, const TTreeView& tree, HWND formWindow) {
    json.Key("nodes");
    json.BeginArray();
    for (const TTreeNode* node : tree.VisibleNodes()) {
        RECT r = node->DisplayRect();
        if (tree.HandleAllocated() && !IsRectEmpty(&r))
            MapWindowPoints(tree.WindowHandle(), formWindow, reinterpret_cast<POINT*>(&r), 2);
        json.BeginObject();
        json.Key("text");
        json.String(node->GetText());
        json.Key("level");
        json.Int(node->Level());
        json.Key("selected");
        json.Bool(node->GetSelected());
        json.Key("expanded");
        json.Bool(node->GetExpanded());
        WriteRect(json, r);
        json.EndObject();
    }
    json.EndArray();
}

void WriteComboItems(JsonWriter& json, const TComboBox& combo) {
    json.Key("items");
    json.BeginArray();
    for (const std::wstring& item : combo.Items->Items()) json.String(item);
    json.EndArray();
    json.Key("item_index");
    json.Int(combo.GetItemIndex());
    // The height of one row of the dropped list, for a test that clicks an item.
    json.Key("item_height");
    json.Int(combo.HandleAllocated() ? int(SendMessageW(combo.WindowHandle(), CB_GETITEMHEIGHT, 0, 0)) : 0);
}

// A list's column captions, its rows (each its cells, caption first) and the chosen row.
void WriteListItems(JsonWriter& json, const TListView& list) {
    json.Key("columns");
    json.BeginArray();
    for (int i = 0; i < list.ColumnCount(); ++i) json.String(list.ColumnCaption(i));
    json.EndArray();
    json.Key("items");
    json.BeginArray();
    for (int i = 0; i < list.ItemCount(); ++i) {
        json.BeginArray();
        for (const std::wstring& cell : list.Item(i)) json.String(cell);
        json.EndArray();
    }
    json.EndArray();
    json.Key("item_index");
    json.Int(list.GetItemIndex());
}

void WriteComponents(JsonWriter& json, const TForm* form) {
    json.BeginArray();
    if (form) {
        HWND formWindow = form->WindowHandle();
        for (TComponent* component : form->Components()) {
            auto* control = dynamic_cast<TControl*>(component);
            if (!control) continue;
            const POINT origin = OriginInForm(*control, formWindow);
            json.BeginObject();
            json.Key("name");
            json.String(control->Name);
            json.Key("class");
            json.String(control->ClassName());
            json.Key("caption");
            json.String(control->DisplayText());
            json.Key("visible");
            json.Bool(control->VisibleInForm());
            json.Key("enabled");
            json.Bool(control->Enabled);
            json.Key("color");
            json.String(ColorToHtml(control->Color));
            json.Key("font_color");
            json.String(ColorToHtml(control->Font->Color));
            json.Key("left");
            json.Int(origin.x);
            json.Key("top");
            json.Int(origin.y);
            json.Key("width");
            json.Int(control->Width);
            json.Key("height");
            json.Int(control->Height);
            std::vector<std::pair<std::string, std::wstring>> extra;
            control->AutomationFields(extra);
            for (const auto& [key, value] : extra) {
                json.Key(key);
                json.String(value);
            }
            if (auto* tree = dynamic_cast<const TTreeView*>(control)) WriteTreeNodes(json, *tree, formWindow);
            if (auto* combo = dynamic_cast<const TComboBox*>(control)) WriteComboItems(json, *combo);
            if (auto* list = dynamic_cast<const TListView*>(control)) WriteListItems(json, *list);
            json.EndObject();
        }
    }
    json.EndArray();
}

}  // namespace

std::string AutomationDump() { return AutomationDumpWindow(ActiveWindow()); }

std::string AutomationDumpWindow(HWND window) {
    HWND described = window;
    bool isBox = false;
    std::wstring boxClass;
    std::wstring boxCaption;
    std::wstring boxText;
    if (window && WindowClass(window) == L"#32770") {
        isBox = true;
        boxClass = L"#32770";
        boxCaption = WindowText(window);
        boxText = SystemBoxText(window);
        described = GetWindow(window, GW_OWNER);
    } else if (auto* messageForm = dynamic_cast<TMessageForm*>(TWinControl::FromHandle(window))) {
        isBox = true;
        boxClass = messageForm->ClassName();
        boxCaption = messageForm->Caption;
        boxText = messageForm->Text();
        described = GetWindow(window, GW_OWNER);
    }
    // A box owned by no form (or by the application window) is described over the main form.
    if (isBox && (!described || described == Application->Handle())) {
        TForm* main = Application->MainForm();
        described = main && main->HandleAllocated() ? main->WindowHandle() : nullptr;
    }

    JsonWriter json;
    json.BeginObject();
    json.Key("window");
    if (described) {
        json.BeginObject();
        json.Key("class");
        json.String(WindowClass(described));
        json.Key("caption");
        json.String(WindowText(described));
        // Where the window and its client area lie on the screen, so that a component (whose
        // bounds are in the client area) can be clicked where a learner would, whatever frame
        // the window has.
        RECT r{};
        GetWindowRect(described, &r);
        json.Key("rect");
        json.BeginObject();
        json.Key("left");
        json.Int(r.left);
        json.Key("top");
        json.Int(r.top);
        json.Key("right");
        json.Int(r.right);
        json.Key("bottom");
        json.Int(r.bottom);
        json.EndObject();
        POINT origin{0, 0};
        ClientToScreen(described, &origin);
        json.Key("client_origin");
        json.BeginObject();
        json.Key("x");
        json.Int(origin.x);
        json.Key("y");
        json.Int(origin.y);
        json.EndObject();
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("components");
    WriteComponents(json, dynamic_cast<TForm*>(TWinControl::FromHandle(described)));
    json.Key("message_box");
    if (isBox) {
        json.BeginObject();
        json.Key("class");
        json.String(boxClass);
        json.Key("caption");
        json.String(boxCaption);
        json.Key("text");
        json.String(boxText);
        json.EndObject();
    } else {
        json.Null();
    }
    json.EndObject();
    return json.Text();
}

std::string AutomationWindowList() {
    struct Collect {
        JsonWriter json;
    } collect;
    collect.json.BeginObject();
    collect.json.Key("windows");
    collect.json.BeginArray();
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* c = reinterpret_cast<Collect*>(lParam);
            if (!OurProcess(hwnd) || !IsWindowVisible(hwnd)) return TRUE;
            c->json.BeginObject();
            c->json.Key("class");
            c->json.String(WindowClass(hwnd));
            c->json.Key("caption");
            c->json.String(WindowText(hwnd));
            c->json.EndObject();
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    collect.json.EndArray();
    collect.json.EndObject();
    return collect.json.Text();
}

// ---- the server window

TAutomationServer::TAutomationServer() : window_(kAutomationWindowClass, WindowProc, this) {}

TAutomationServer::~TAutomationServer() = default;

LRESULT CALLBACK TAutomationServer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_COPYDATA) return DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = FALSE;
    GuardedCall([&] { result = Answer(hwnd, wParam, lParam); });
    return result;
}

LRESULT TAutomationServer::Answer(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* request = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    HWND replyTo = reinterpret_cast<HWND>(wParam);
    if (!request || !replyTo || !IsWindow(replyTo)) return FALSE;
    std::string reply;
    try {
        if (request->dwData == kAutomationDump)
            reply = AutomationDump();
        else if (request->dwData == kAutomationWindows)
            reply = AutomationWindowList();
        else
            return FALSE;
    } catch (const std::exception& e) {
        JsonWriter json;
        json.BeginObject();
        json.Key("error");
        json.String(std::string_view(e.what()));
        json.EndObject();
        reply = json.Text();
    }
    COPYDATASTRUCT answer{};
    answer.dwData = kAutomationReply;
    answer.cbData = DWORD(reply.size());
    answer.lpData = reply.data();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&answer),
                        SMTO_ABORTIFHUNG, 2000, &ignored);
    return TRUE;
}
