#include "win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/page_control.h"
#include "ui/progress_bar.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"
#include "ui/up_down.h"
#include "win32/resource_ids.h"
#include "win32/text_encoding.h"

namespace korvane::win32 {
namespace {

constexpr char kFrameClass[] = "KorvaneForm";
constexpr char kContainerClass[] = "KorvanePage";
// Window properties: the renderer's own links, and each window's control
// name, kept as a global atom so that accessibility tools and the test
// driver can find a control from outside the process.
constexpr char kFormProperty[] = "Korvane.Form";
constexpr char kViewProperty[] = "Korvane.View";
constexpr char kItemProperty[] = "Korvane.Item";
constexpr char kNameProperty[] = "Korvane.Name";
constexpr char kOriginalProcProperty[] = "Korvane.OriginalProc";

// The window that ends the program, and the one whose input the model acts
// on now: message boxes belong to it.
FormWindow* g_main_window = nullptr;
FormWindow* g_acting_window = nullptr;

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(length + 1, '\0');
  GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(length > 0 ? length : 0);
  return FromAnsi(text);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// A text area's text as lines: pieces between CR LF, kept exactly, so that
// joining them gives the text back.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

bool IsTopLevel(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) == 0; }

bool LoadCommonControls() {
  using Initialise = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  using InitialiseAll = void(WINAPI*)();
  const HMODULE library = LoadLibraryA("comctl32.dll");
  if (!library) return false;
  if (const FARPROC function = GetProcAddress(library, "InitCommonControlsEx")) {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS;
    return reinterpret_cast<Initialise>(reinterpret_cast<void*>(function))(&controls) != FALSE;
  }
  // The first Windows 95 has only the older call, which registers them all.
  const FARPROC function = GetProcAddress(library, "InitCommonControls");
  if (!function) return false;
  reinterpret_cast<InitialiseAll>(reinterpret_cast<void*>(function))();
  return true;
}

}  // namespace

bool FormWindow::PrepareWindowing() {
  // Done with the first window rather than at start.
  static const bool ready = RegisterClasses();
  return ready;
}

bool FormWindow::PrepareControls() {
  // After the first window shows: Wine takes long to load the library.
  static const bool ready = LoadCommonControls();
  return ready;
}

bool FormWindow::RegisterClasses() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA frame = {};
  frame.cbSize = sizeof(frame);
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = instance;
  // The program's icon, large for Alt+Tab and small for the title bar and
  // the task bar.
  frame.hIcon = LoadCountedIcon(KORVANE_ICON, 0);
  frame.hIconSm = LoadCountedIcon(KORVANE_ICON, GetSystemMetrics(SM_CXSMICON));
  frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = kFrameClass;
  WNDCLASSEXA container = frame;
  container.lpfnWndProc = ContainerProc;
  container.hIcon = nullptr;
  container.lpszClassName = kContainerClass;
  return RegisterClassExA(&frame) != 0 && RegisterClassExA(&container) != 0;
}

class FormWindow::Acting {
 public:
  explicit Acting(FormWindow* window) : before_(g_acting_window) { g_acting_window = window; }
  Acting(const Acting&) = delete;
  Acting& operator=(const Acting&) = delete;
  ~Acting() { g_acting_window = before_; }

 private:
  FormWindow* before_;
};

HWND OwnerOfBoxes() {
  for (const FormWindow* window : {g_acting_window, g_main_window}) {
    if (window && window->frame_ && IsWindowVisible(window->frame_)) return window->frame_;
  }
  return nullptr;
}

FormWindow::FormWindow(ui::Form& form, FormWindow* owner, bool ends_program, GdiResources& gdi)
    : form_(form), owner_(owner), ends_program_(ends_program), gdi_(gdi) {
  if (ends_program) g_main_window = this;
  form.SetObserver(this);
  if (form.visible()) ShowFrame(true);
}

void FormWindow::CreateFrame() {
  if (frame_ || !PrepareWindowing()) return;
  const ui::Form& form = form_;
  if (owner_) owner_->CreateFrame();
  // No WS_CLIPCHILDREN: group boxes leave their inside for the parent to
  // paint.
  DWORD style = WS_CAPTION | WS_SYSMENU;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  switch (form.border_style()) {
    case ui::BorderStyle::kSingle:
      style |= WS_OVERLAPPED | WS_MINIMIZEBOX;
      break;
    case ui::BorderStyle::kDialog:
      style |= WS_POPUP;
      ex_style |= WS_EX_DLGMODALFRAME;
      break;
    case ui::BorderStyle::kToolWindow:
      style |= WS_POPUP;
      ex_style |= WS_EX_TOOLWINDOW;
      break;
  }
  RECT rect = {0, 0, form.client_width(), form.client_height()};
  AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  frame_ =
      CreateCountedWindow(ex_style, kFrameClass, ToAnsi(form.caption()).c_str(), style,
                          CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left,
                          rect.bottom - rect.top, owner_ ? owner_->hwnd() : nullptr, nullptr, this);
  AddView(form_, frame_);
}

void FormWindow::CreateControls() {
  if (!frame_ || built_ || !PrepareControls()) return;
  built_ = true;
  const ui::Form& form = form_;
  SendMessageA(frame_, WM_SETFONT,
               reinterpret_cast<WPARAM>(gdi_.Font(form.font_face(), form.font_size_px(), {})),
               FALSE);

  tooltip_ =
      CreateCountedWindow(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, frame_, nullptr, nullptr);
  if (tooltip_) {
    SetPropA(tooltip_, kFormProperty, this);
    SetPropA(tooltip_, kOriginalProcProperty,
             reinterpret_cast<HANDLE>(
                 SetWindowLongA(tooltip_, GWL_WNDPROC, reinterpret_cast<LONG>(TooltipProc))));
  }
  Build(form, frame_, 0, 0);
  FinishViews();
}

void FormWindow::FinishViews() {
  for (; finished_views_ < views_.size(); ++finished_views_) {
    View& view = *views_[finished_views_];
    AddTooltips(view);
    // The model may have disabled or hidden controls before their windows
    // existed.
    if (view.control != &form_) {
      if (!view.control->enabled()) ControlChanged(*view.control, ui::Change::kEnabled);
      if (!view.control->visible()) ControlChanged(*view.control, ui::Change::kVisible);
    }
  }
}

FormWindow::~FormWindow() {
  if (g_main_window == this) g_main_window = nullptr;
  if (g_acting_window == this) g_acting_window = nullptr;
  form_.SetObserver(nullptr);
  for (const auto& view : views_) {
    if (const auto atom =
            static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(view->hwnd, kNameProperty)))) {
      GlobalDeleteAtom(atom);
    }
  }
  if (frame_) DestroyCountedWindow(frame_);
}

FormWindow* FormWindow::Of(HWND window) {
  for (HWND hwnd = window; hwnd; hwnd = GetParent(hwnd)) {
    if (auto* form_window = static_cast<FormWindow*>(GetPropA(hwnd, kFormProperty))) {
      return form_window;
    }
    if (IsTopLevel(hwnd)) break;  // GetParent would give the owner
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// Building the windows

FormWindow::View& FormWindow::AddView(ui::Control& control, HWND hwnd) {
  views_.push_back(std::make_unique<View>());
  View& view = *views_.back();
  view.control = &control;
  view.hwnd = hwnd;
  view.id = next_id_++;
  SetPropA(hwnd, kViewProperty, &view);
  Name(hwnd, control.name());
  return view;
}

void FormWindow::Name(HWND hwnd, const std::string& name) {
  const ATOM atom = GlobalAddAtomA(name.c_str());
  SetPropA(hwnd, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

HWND FormWindow::CreateChild(const char* window_class, const std::string& text, DWORD style,
                             DWORD ex_style, int x, int y, int width, int height, HWND parent) {
  return CreateCountedWindow(ex_style, window_class, ToAnsi(text).c_str(),
                             WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(next_id_)), nullptr);
}

void FormWindow::ApplyFont(const View& view) {
  const ui::Control& control = *view.control;
  const HFONT font = gdi_.Font(form_.font_face(), form_.font_size_px(), control.style());
  SendMessageA(view.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (control.kind() == ui::ControlKind::kRadioGroup) {
    for (HWND item : view.items)
      SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

SIZE FormWindow::CaptionSize(const ui::Control& control, HWND window) {
  const HDC dc = GetCountedDC(window);
  const HGDIOBJ old =
      SelectObject(dc, gdi_.Font(form_.font_face(), form_.font_size_px(), control.style()));
  const std::string text = ToAnsi(control.caption());
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseCountedDC(window, dc);
  ++size.cx;  // room for the last glyph's overhang
  return size;
}

void FormWindow::Build(const ui::Container& container, HWND parent, int dx, int dy) {
  using ui::ControlKind;
  const std::size_t first_view = views_.size();
  for (ui::Control* control : container.children()) {
    const ui::Bounds b = control->bounds();
    const int x = dx + b.left;
    const int y = dy + b.top;
    switch (control->kind()) {
      case ControlKind::kGroupBox: {
        View& view = AddView(*control, CreateChild("BUTTON", control->caption(), BS_GROUPBOX, 0, x,
                                                   y, b.width, b.height, parent));
        ApplyFont(view);
        Build(*static_cast<ui::Container*>(control), parent, x, y);
        break;
      }
      case ControlKind::kPanel: {
        const bool sunken = static_cast<ui::Panel*>(control)->sunken();
        View& view =
            AddView(*control, CreateChild(kContainerClass, "", WS_CLIPSIBLINGS,
                                          WS_EX_CONTROLPARENT | (sunken ? WS_EX_STATICEDGE : 0), x,
                                          y, b.width, b.height, parent));
        SetWindowLongA(view.hwnd, GWL_USERDATA, reinterpret_cast<LONG>(this));
        Build(*static_cast<ui::Container*>(control), view.hwnd, 0, 0);
        break;
      }
      case ControlKind::kPageControl: {
        auto& pages = *static_cast<ui::PageControl*>(control);
        View& view =
            AddView(*control, CreateChild(WC_TABCONTROLA, "",
                                          WS_TABSTOP | WS_CLIPSIBLINGS | TCS_BUTTONS |
                                              TCS_FLATBUTTONS | TCS_MULTILINE | TCS_HOTTRACK,
                                          0, x, y, b.width, b.height, parent));
        ApplyFont(view);
        for (int i = 0; i < pages.page_count(); ++i) {
          std::string caption = ToAnsi(pages.page(i).caption());
          TCITEMA item = {};
          item.mask = TCIF_TEXT;
          item.pszText = caption.data();
          SendMessageA(view.hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageA(view.hwnd, TCM_SETCURSEL, pages.active_index(), 0);
        RECT area;
        GetClientRect(view.hwnd, &area);
        SendMessageA(view.hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        for (int i = 0; i < pages.page_count(); ++i) {
          ui::TabSheet& sheet = pages.page(i);
          const HWND page = CreateCountedWindow(WS_EX_CONTROLPARENT, kContainerClass, "",
                                                WS_CHILD | WS_CLIPSIBLINGS, x + area.left,
                                                y + area.top, area.right - area.left,
                                                area.bottom - area.top, parent, nullptr, nullptr);
          SetWindowLongA(page, GWL_USERDATA, reinterpret_cast<LONG>(this));
          view.items.push_back(page);
          // The other pages get their controls when first shown.
          View& sheet_view = AddView(sheet, page);
          sheet_view.filled = i == pages.active_index();
          if (sheet_view.filled) Build(sheet, page, 0, 0);
        }
        // Below the pages, so that they paint over it.
        SetWindowPos(view.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowPages(view);
        break;
      }
      case ControlKind::kLabel: {
        int width = b.width;
        int height = b.height;
        if (width == 0 || height == 0) {
          const SIZE size = CaptionSize(*control, parent);
          if (width == 0) width = size.cx;
          if (height == 0) height = size.cy;
        }
        int left = x;
        const auto& label = static_cast<const ui::Label&>(*control);
        if (const ui::Label* before = label.placed_after()) {
          left = std::max<int>(left, dx + before->bounds().left + CaptionSize(*before, parent).cx +
                                         label.gap_after());
        }
        View& view = AddView(
            *control, CreateChild("STATIC", control->caption(), SS_LEFT | SS_NOTIFY | SS_NOPREFIX,
                                  0, left, y, width, height, parent));
        ApplyFont(view);
        break;
      }
      case ControlKind::kButton: {
        const bool is_default = static_cast<ui::Button*>(control)->is_default;
        View& view = AddView(
            *control,
            CreateChild("BUTTON", control->caption(),
                        WS_TABSTOP | WS_GROUP | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
                        x, y, b.width, b.height, parent));
        ApplyFont(view);
        break;
      }
      case ControlKind::kCheckBox: {
        View& view = AddView(
            *control, CreateChild("BUTTON", control->caption(), WS_TABSTOP | WS_GROUP | BS_CHECKBOX,
                                  0, x, y, b.width, b.height, parent));
        ApplyFont(view);
        MirrorState(view);
        break;
      }
      case ControlKind::kRadioGroup: {
        auto& group = *static_cast<ui::RadioGroup*>(control);
        View& view = AddView(*control, CreateChild("BUTTON", control->caption(), BS_GROUPBOX, 0, x,
                                                   y, b.width, b.height, parent));
        const int count = static_cast<int>(group.items().size());
        const int columns = group.columns() > 0 ? group.columns() : 1;
        const int per_column = (count + columns - 1) / columns;
        const int item_width = (b.width - 12) / columns;
        const int item_height = per_column > 0 ? (b.height - 18) / per_column : 0;
        for (int i = 0; i < count; ++i) {
          const HWND item = CreateChild(
              "BUTTON", group.items()[i], BS_RADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), 0,
              x + 8 + (i / per_column) * item_width, y + 15 + (i % per_column) * item_height,
              item_width - 2, item_height, parent);
          SetPropA(item, kViewProperty, &view);
          SetPropA(item, kItemProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(i + 1)));
          Name(item, group.name() + "[" + std::to_string(i) + "]");
          view.items.push_back(item);
        }
        ApplyFont(view);
        MirrorState(view);
        break;
      }
      case ControlKind::kComboBox: {
        View& view =
            AddView(*control, CreateChild("COMBOBOX", "",
                                          WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                                          x, y, b.width, b.height + 160, parent));
        ApplyFont(view);
        MirrorState(view);
        break;
      }
      case ControlKind::kEdit: {
        View& view =
            AddView(*control, CreateChild("EDIT", static_cast<ui::Edit*>(control)->text(),
                                          WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                                          x, y, b.width, b.height, parent));
        ApplyFont(view);
        if (const int limit = static_cast<ui::Edit*>(control)->max_length) {
          SendMessageA(view.hwnd, EM_LIMITTEXT, limit, 0);
        }
        // Edit controls report no clicks of their own.
        SetPropA(view.hwnd, kOriginalProcProperty,
                 reinterpret_cast<HANDLE>(
                     SetWindowLongA(view.hwnd, GWL_WNDPROC, reinterpret_cast<LONG>(EditProc))));
        break;
      }
      case ControlKind::kUpDown: {
        auto& up_down = *static_cast<ui::UpDown*>(control);
        View& view =
            AddView(*control, CreateChild(UPDOWN_CLASSA, "", UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, x,
                                          y, b.width, b.height, parent));
        SendMessageA(view.hwnd, UDM_SETRANGE, 0, MAKELONG(up_down.max(), up_down.min()));
        // Held down, the arrows would step by 5 and then 20 times the
        // increment after a few seconds; every step is the model's one.
        UDACCEL one_step = {0, 1};
        SendMessageA(view.hwnd, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&one_step));
        MirrorState(view);
        break;
      }
      case ControlKind::kMemo: {
        const bool read_only = static_cast<ui::Memo*>(control)->read_only();
        View& view =
            AddView(*control, CreateChild("EDIT", "",
                                          ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP |
                                              WS_GROUP | (read_only ? ES_READONLY : ES_WANTRETURN),
                                          WS_EX_CLIENTEDGE, x, y, b.width, b.height, parent));
        ApplyFont(view);
        MirrorState(view);
        break;
      }
      case ControlKind::kStatusBar: {
        auto& bar = *static_cast<ui::StatusBar*>(control);
        View& view = AddView(*control, CreateChild(STATUSCLASSNAMEA, "",
                                                   CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                                                   0, x, y, b.width, b.height, parent));
        std::vector<int> edges;
        int edge = 0;
        for (const auto& panel : bar.panels()) edges.push_back(edge += panel.width);
        SendMessageA(view.hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        ApplyFont(view);
        MirrorState(view);
        break;
      }
      case ControlKind::kImage: {
        AddView(*control, CreateChild("STATIC", "", SS_OWNERDRAW | SS_NOTIFY, 0, x, y, b.width,
                                      b.height, parent));
        break;
      }
      case ControlKind::kProgressBar: {
        View& view =
            AddView(*control, CreateChild(PROGRESS_CLASSA, "", 0, 0, x, y, b.width, b.height, parent));
        // Windows 95's first bar takes a 16-bit range only.
        SendMessageA(view.hwnd, PBM_SETRANGE, 0, MAKELPARAM(0, 1000));
        MirrorState(view);
        break;
      }
      case ControlKind::kForm:
      case ControlKind::kTabSheet:
        break;
    }
  }
  for (std::size_t i = first_view; i < views_.size(); ++i) {
    if (views_[i]->control->parent() == &container) views_[i]->origin = POINT{dx, dy};
  }
}

void FormWindow::AddTooltips(const View& view) {
  const ui::Control& control = *view.control;
  if (!tooltip_ || control.kind() == ui::ControlKind::kForm || !control.ShowsTooltip()) return;
  std::string text = ToAnsi(control.hint());
  std::vector<HWND> windows = {view.hwnd};
  if (control.kind() == ui::ControlKind::kRadioGroup) {
    windows.insert(windows.end(), view.items.begin(), view.items.end());
  }
  for (HWND hwnd : windows) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = frame_;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = text.data();
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

// ---------------------------------------------------------------------------
// Mirroring the model

FormWindow::View* FormWindow::ViewOf(HWND hwnd) const {
  return hwnd ? static_cast<View*>(GetPropA(hwnd, kViewProperty)) : nullptr;
}

FormWindow::View* FormWindow::ViewOf(const ui::Control& control) const {
  for (const auto& view : views_) {
    if (view->control == &control) return view.get();
  }
  return nullptr;
}

int FormWindow::ItemOf(HWND hwnd) const {
  return static_cast<int>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kItemProperty))) - 1;
}

void FormWindow::ShowPages(const View& view) {
  const int active = static_cast<ui::PageControl*>(view.control)->active_index();
  for (std::size_t i = 0; i < view.items.size(); ++i) {
    if (static_cast<int>(i) == active) FillPage(*ViewOf(view.items[i]));
    ShowWindow(view.items[i], static_cast<int>(i) == active ? SW_SHOW : SW_HIDE);
  }
}

void FormWindow::FillPage(View& page) {
  if (page.filled) return;
  page.filled = true;
  Build(*static_cast<ui::Container*>(page.control), page.hwnd, 0, 0);
  FinishViews();
}

void FormWindow::MirrorState(View& view) {
  using ui::ControlKind;
  ui::Control& control = *view.control;
  mirroring_ = true;
  switch (control.kind()) {
    case ControlKind::kCheckBox:
      SendMessageA(view.hwnd, BM_SETCHECK,
                   static_cast<ui::CheckBox&>(control).checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::kRadioGroup: {
      const int selected = static_cast<ui::RadioGroup&>(control).item_index();
      for (std::size_t i = 0; i < view.items.size(); ++i) {
        SendMessageA(view.items[i], BM_SETCHECK,
                     static_cast<int>(i) == selected ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      break;
    }
    case ControlKind::kComboBox: {
      auto& combo = static_cast<ui::ComboBox&>(control);
      SendMessageA(view.hwnd, CB_RESETCONTENT, 0, 0);
      for (const std::string& item : combo.items()) {
        SendMessageA(view.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToAnsi(item).c_str()));
      }
      SendMessageA(view.hwnd, CB_SETCURSEL, combo.item_index(), 0);
      break;
    }
    case ControlKind::kEdit:
      if (WindowText(view.hwnd) != static_cast<ui::Edit&>(control).text()) {
        SetWindowTextA(view.hwnd, ToAnsi(static_cast<ui::Edit&>(control).text()).c_str());
      }
      break;
    case ControlKind::kUpDown:
      SendMessageA(view.hwnd, UDM_SETPOS, 0,
                   MAKELONG(static_cast<ui::UpDown&>(control).position(), 0));
      break;
    case ControlKind::kMemo: {
      const std::string text = JoinLines(static_cast<ui::Memo&>(control).lines());
      if (WindowText(view.hwnd) == text) break;  // the user's own typing
      // A rewritten line leaves the view where the user was reading.
      const LRESULT first_visible = SendMessageA(view.hwnd, EM_GETFIRSTVISIBLELINE, 0, 0);
      SetWindowTextA(view.hwnd, ToAnsi(text).c_str());
      SendMessageA(view.hwnd, EM_LINESCROLL, 0, first_visible);
      break;
    }
    case ControlKind::kStatusBar: {
      const auto& panels = static_cast<ui::StatusBar&>(control).panels();
      for (std::size_t i = 0; i < panels.size(); ++i) {
        SendMessageA(view.hwnd, SB_SETTEXTA, i,
                     reinterpret_cast<LPARAM>(ToAnsi(panels[i].text).c_str()));
      }
      break;
    }
    case ControlKind::kProgressBar:
      SendMessageA(view.hwnd, PBM_SETPOS, static_cast<ui::ProgressBar&>(control).position(), 0);
      break;
    case ControlKind::kPageControl:
      SendMessageA(view.hwnd, TCM_SETCURSEL, static_cast<ui::PageControl&>(control).active_index(),
                   0);
      ShowPages(view);
      break;
    default:
      break;
  }
  mirroring_ = false;
}

// The pointer takes its new shape at once, not at its next move.
void FormWindow::RefreshCursor() {
  POINT point;
  if (!frame_ || !GetCursorPos(&point)) return;
  const HWND under = WindowFromPoint(point);
  if (!under || (under != frame_ && !IsChild(frame_, under))) return;
  const LRESULT hit = SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
               MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

void FormWindow::ControlChanged(ui::Control& control, ui::Change change) {
  if (&control == &form_ && change == ui::Change::kVisible) {
    ShowFrame(control.visible());
    return;
  }
  if (&control == &form_ && change == ui::Change::kState) {
    RefreshCursor();
    return;
  }
  View* view = ViewOf(control);
  if (!view) return;  // its window is not made yet
  std::vector<HWND> windows = {view->hwnd};
  if (control.kind() == ui::ControlKind::kRadioGroup) {
    windows.insert(windows.end(), view->items.begin(), view->items.end());
  }
  switch (change) {
    case ui::Change::kCaption:
      if (control.kind() == ui::ControlKind::kTabSheet) break;
      SetWindowTextA(view->hwnd, ToAnsi(control.caption()).c_str());
      if (control.kind() == ui::ControlKind::kLabel && control.bounds().width == 0) {
        // Labels that fit their caption grow and shrink with it.
        const SIZE size = CaptionSize(control, view->hwnd);
        RECT rect;
        GetWindowRect(view->hwnd, &rect);
        SetWindowPos(view->hwnd, nullptr, 0, 0, size.cx, rect.bottom - rect.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      InvalidateRect(view->hwnd, nullptr, TRUE);
      break;
    case ui::Change::kHint:
      if (tooltip_) {
        std::string text = ToAnsi(control.hint());
        for (HWND hwnd : windows) {
          TOOLINFOA tool = {};
          tool.cbSize = TTTOOLINFOA_V1_SIZE;
          tool.hwnd = frame_;
          tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
          tool.lpszText = text.data();
          SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
      }
      break;
    case ui::Change::kEnabled:
      for (HWND hwnd : windows) EnableWindow(hwnd, control.enabled());
      break;
    case ui::Change::kVisible:
      for (HWND hwnd : windows) ShowWindow(hwnd, control.visible() ? SW_SHOW : SW_HIDE);
      break;
    case ui::Change::kBounds: {
      const ui::Bounds b = control.bounds();
      RECT rect;
      GetWindowRect(view->hwnd, &rect);
      SetWindowPos(view->hwnd, nullptr, view->origin.x + b.left, view->origin.y + b.top,
                   b.width > 0 ? b.width : rect.right - rect.left,
                   b.height > 0 ? b.height : rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case ui::Change::kStyle:
      ApplyFont(*view);
      for (HWND hwnd : windows) InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case ui::Change::kState:
    case ui::Change::kItems:
      MirrorState(*view);
      break;
  }
}

void FormWindow::ShowFrame(bool visible) {
  if (visible) {
    CreateFrame();
    if (!frame_) {
      if (ends_program_) PostQuitMessage(1);  // no window, nothing to end it by
      return;
    }
    if (!positioned_) {
      RECT rect;
      GetWindowRect(frame_, &rect);
      const int width = rect.right - rect.left;
      const int height = rect.bottom - rect.top;
      SetWindowPos(frame_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      positioned_ = true;
    }
    ShowWindow(frame_, SW_SHOWNORMAL);
    if (!built_) {
      // The window is there at once, its controls a moment later: the
      // first showing loads the common controls and the fonts.
      UpdateWindow(frame_);
      CreateControls();
      if (!built_) {
        ShowWindow(frame_, SW_HIDE);
        if (ends_program_) PostQuitMessage(1);  // a window without its controls
        return;
      }
    }
    SetForegroundWindow(frame_);
    if (!saved_focus_) {
      saved_focus_ = GetNextDlgTabItem(frame_, nullptr, FALSE);
      if (saved_focus_) SetFocus(saved_focus_);
    }
    UpdateWindow(frame_);
    return;
  }
  // Give the owner back its input first, so that it becomes the active
  // window instead of some other program's.
  if (owner_ && owner_->hwnd() && !IsWindowEnabled(owner_->hwnd())) {
    EnableWindow(owner_->hwnd(), TRUE);
  }
  if (frame_) ShowWindow(frame_, SW_HIDE);
  if (ends_program_) PostQuitMessage(0);
}

void FormWindow::RunModal(ui::Form& form) {
  const HWND owner = owner_ ? owner_->hwnd() : nullptr;
  if (owner) EnableWindow(owner, FALSE);
  MSG msg;
  while (form.visible()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // The program is ending: let the outer loop see it too.
      PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 1);
      break;
    }
    FormWindow* target = Of(msg.hwnd);
    if (target && target->PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
}

void FormWindow::BringToFront(ui::Form&) {
  if (!frame_) return;
  if (IsIconic(frame_)) ShowWindow(frame_, SW_RESTORE);
  SetForegroundWindow(frame_);
}

// ---------------------------------------------------------------------------
// Input

HWND FormWindow::ControlWindowAt(HWND window, POINT screen) const {
  // A window of the renderer's own, not one inside a control.
  while (window && !ViewOf(window)) {
    if (IsTopLevel(window)) return nullptr;
    window = GetParent(window);
  }
  const View* view = ViewOf(window);
  if (!view || !ui::IsContainer(view->control->kind())) return window;
  // Over a container the pointer may be over one of its disabled controls,
  // which get no mouse messages of their own: the innermost control that
  // holds the point wins. Group boxes share their parent with their
  // controls, so the ones made last are the innermost.
  for (auto it = views_.rbegin(); it != views_.rend(); ++it) {
    const View& inner = **it;
    if (ui::IsContainer(inner.control->kind())) continue;
    std::vector<HWND> candidates = inner.items;  // a radio group's buttons first
    candidates.push_back(inner.hwnd);
    for (HWND candidate : candidates) {
      RECT rect;
      GetWindowRect(candidate, &rect);
      if (GetParent(candidate) == window && IsWindowVisible(candidate) && PtInRect(&rect, screen)) {
        return candidate;
      }
    }
  }
  return window;
}

void FormWindow::TrackPointer(const MSG& msg) {
  const HWND under = ControlWindowAt(msg.hwnd, msg.pt);
  if (!under) return;
  if (tooltip_) {
    // The tooltip hears of the pointer from here rather than by subclassing
    // each control, so that disabled controls show their hints too.
    MSG relayed = msg;
    relayed.hwnd = under;
    POINT client = msg.pt;
    ScreenToClient(under, &client);
    relayed.lParam = MAKELPARAM(client.x, client.y);
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  if (msg.message != WM_MOUSEMOVE) return;
  if (const View* view = ViewOf(under)) view->control->PointerOver();
}

LRESULT CALLBACK FormWindow::TooltipProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = static_cast<FormWindow*>(GetPropA(hwnd, kFormProperty));
  if (self && message == TTM_WINDOWFROMPOINT) {
    // The system's answer skips disabled windows; ours finds their control.
    const POINT screen = *reinterpret_cast<const POINT*>(lparam);
    return reinterpret_cast<LRESULT>(self->ControlWindowAt(WindowFromPoint(screen), screen));
  }
  const auto original = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOriginalProcProperty));
  return CallWindowProcA(original, hwnd, message, wparam, lparam);
}

bool FormWindow::PreTranslate(MSG& msg) {
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) TrackPointer(msg);
  return IsDialogMessageA(frame_, &msg) != 0;
}

void FormWindow::OnCommand(HWND control_window, int id, int code) {
  View* view = ViewOf(control_window);
  if (!view) {
    for (const auto& candidate : views_) {
      if (candidate->id == id) view = candidate.get();
    }
  }
  if (!view) return;
  using ui::ControlKind;
  ui::Control& control = *view->control;
  switch (control.kind()) {
    case ControlKind::kButton:
      if (code == BN_CLICKED) static_cast<ui::Button&>(control).Click();
      break;
    case ControlKind::kCheckBox:
      if (code == BN_CLICKED) static_cast<ui::CheckBox&>(control).Click();
      break;
    case ControlKind::kRadioGroup:
      if (code == BN_CLICKED && ItemOf(control_window) >= 0) {
        static_cast<ui::RadioGroup&>(control).ClickItem(ItemOf(control_window));
      }
      break;
    case ControlKind::kLabel:
      if (code == STN_CLICKED) static_cast<ui::Label&>(control).Click();
      break;
    case ControlKind::kImage:
      if (code == STN_CLICKED) static_cast<ui::Image&>(control).Click();
      break;
    case ControlKind::kComboBox:
      if (code == CBN_SELCHANGE) {
        static_cast<ui::ComboBox&>(control).Select(
            static_cast<int>(SendMessageA(view->hwnd, CB_GETCURSEL, 0, 0)));
      }
      break;
    case ControlKind::kEdit:
      if (code == EN_CHANGE && !mirroring_) {
        static_cast<ui::Edit&>(control).Type(WindowText(view->hwnd));
      }
      break;
    case ControlKind::kMemo:
      if (code == EN_CHANGE && !mirroring_) {
        static_cast<ui::Memo&>(control).Type(SplitLines(WindowText(view->hwnd)));
      }
      break;
    default:
      break;
  }
}

bool FormWindow::OnNotify(const NMHDR& header, LRESULT* result) {
  View* view = ViewOf(header.hwndFrom);
  if (!view) return false;
  if (view->control->kind() == ui::ControlKind::kPageControl && header.code == TCN_SELCHANGE) {
    static_cast<ui::PageControl*>(view->control)
        ->Select(static_cast<int>(SendMessageA(view->hwnd, TCM_GETCURSEL, 0, 0)));
    *result = 0;
    return true;
  }
  if (view->control->kind() == ui::ControlKind::kUpDown && header.code == UDN_DELTAPOS) {
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    static_cast<ui::UpDown*>(view->control)->Step(change.iDelta);
    *result = TRUE;  // the model has moved the position, and mirrored it
    return true;
  }
  return false;
}

HBRUSH FormWindow::OnControlColour(HDC dc, HWND control_window) {
  const View* view = ViewOf(control_window);
  if (view && view->control->kind() == ui::ControlKind::kMemo) {
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }
  if (view && view->control->style().colour != ui::kDefaultColour) {
    SetTextColor(dc, view->control->style().colour);
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

bool FormWindow::HandleChildMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND: {
      const Acting acting(this);
      OnCommand(reinterpret_cast<HWND>(lparam), LOWORD(wparam), HIWORD(wparam));
      *result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const Acting acting(this);
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam), result);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      *result = reinterpret_cast<LRESULT>(
          OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)));
      return true;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const View* view = ViewOf(item.hwndItem);
      if (!view || view->control->kind() != ui::ControlKind::kImage) return false;
      DrawPicture(item.hDC, item.rcItem, static_cast<ui::Image*>(view->control)->picture());
      *result = TRUE;
      return true;
    }
    case WM_SETCURSOR: {
      // While a tool runs the window still answers: the pointer says both.
      if (form_.busy() && LOWORD(lparam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
        *result = TRUE;
        return true;
      }
      const View* view = ViewOf(reinterpret_cast<HWND>(wparam));
      if (view && view->control->hand_cursor() && LOWORD(lparam) == HTCLIENT) {
        SetCursor(gdi_.HandCursor());
        *result = TRUE;
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK FormWindow::FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetPropA(hwnd, kFormProperty, self);
    SetWindowLongA(hwnd, GWL_USERDATA, reinterpret_cast<LONG>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongA(hwnd, GWL_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == ResourceCountMessage()) return AnswerResourceCount(wparam);
  LRESULT result = 0;
  switch (message) {
    case WM_CLOSE: {
      const Acting acting(self);
      self->form_.UserClose();
      return 0;
    }
    case WM_QUERYENDSESSION:
      if (self->form_.can_end_session) {
        const Acting acting(self);
        return self->form_.can_end_session() ? TRUE : FALSE;
      }
      break;
    case WM_ENDSESSION:
      // The session ends: Windows ends the process once this returns, and
      // whatever the program was doing (a box, a wait) must not hold it up.
      // Everything was stored when it changed.
      if (wparam && self->ends_program_) ExitProcess(0);
      return 0;
    case WM_ACTIVATE:
      // Keyboard focus goes back where it was when the window is activated.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) self->saved_focus_ = focus;
      } else if (self->saved_focus_ && IsWindow(self->saved_focus_)) {
        SetFocus(self->saved_focus_);
        return 0;
      }
      break;
    case DM_GETDEFID:
      for (const auto& view : self->views_) {
        if (view->control->kind() == ui::ControlKind::kButton &&
            static_cast<ui::Button*>(view->control)->is_default) {
          return MAKELRESULT(view->id, DC_HASDEFID);
        }
      }
      return 0;
    case WM_COMMAND:
      // Escape closes a dialog.
      if (LOWORD(wparam) == IDCANCEL && lparam == 0 &&
          self->form_.border_style() != ui::BorderStyle::kSingle) {
        const Acting acting(self);
        self->form_.UserClose();
        return 0;
      }
      break;
    default:
      break;
  }
  if (self->HandleChildMessage(message, wparam, lparam, &result)) return result;
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK FormWindow::ContainerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongA(hwnd, GWL_USERDATA));
  LRESULT result = 0;
  if (self && self->HandleChildMessage(message, wparam, lparam, &result)) return result;
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK FormWindow::EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOriginalProcProperty));
  const LRESULT result = CallWindowProcA(original, hwnd, message, wparam, lparam);
  if (message == WM_LBUTTONUP) {
    if (auto* view = static_cast<View*>(GetPropA(hwnd, kViewProperty))) {
      const Acting acting(Of(hwnd));
      static_cast<ui::Edit*>(view->control)->Click();
    }
  }
  return result;
}

namespace {

// A request to end the program that arrived while an action waited for an
// outside tool. Posting it again at once would wake every later slice of
// the wait, and the action's own message boxes would take it for theirs.
bool g_quit_pending = false;
int g_quit_code = 0;

}  // namespace

int RunMessageLoop() {
  MSG msg;
  while (true) {
    if (g_quit_pending) {
      g_quit_pending = false;
      return g_quit_code;
    }
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    FormWindow* target = FormWindow::Of(msg.hwnd);
    if (target && target->PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool PumpPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      g_quit_pending = true;
      g_quit_code = static_cast<int>(msg.wParam);
      return false;
    }
    FormWindow* target = FormWindow::Of(msg.hwnd);
    if (target && target->PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return !g_quit_pending;
}

}  // namespace korvane::win32
