#include "platform/win32/win32_forms.h"

#include <algorithm>
#include <exception>
#include <map>
#include <stdexcept>
#include <vector>

#include "platform/form_keys.h"
#include "platform/handler_guard.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_form_keys.h"
#include "platform/win32/win32_text.h"

namespace scr::platform::win32 {

namespace {

// Unicode windows, so captions and texts show every character as typed.
constexpr const wchar_t* kFormClass = L"TScrForm";
constexpr const wchar_t* kPanelClass = L"TScrPanel";
constexpr const wchar_t* kLabelClass = L"TScrLabel";
constexpr int kFirstControlId = 100;
constexpr int kInkSlack = 2;

// The application-wide cursor: while it is not crDefault, every window of the
// program shows it.
TCursor g_cursor = TCursor::crDefault;

COLORREF ToColorRef(TColor c) {
  if (IsSystemColor(c)) return GetSysColor(SystemColorIndex(c));
  return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

HCURSOR CursorHandle(TCursor cursor) {
  return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(cursor == TCursor::crHandPoint ? IDC_HAND : IDC_ARROW));
}

class TWin32Form;

// What the window procedure of the backend's own classes finds in a window: its form
// and which control it is (-1: the form itself).
struct TWindowLink {
  TWin32Form* form = nullptr;
  int index = -1;
};

LRESULT CALLBACK FormsWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  for (const wchar_t* name : {kFormClass, kPanelClass, kLabelClass}) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = FormsWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = CursorHandle(TCursor::crDefault);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
  }
  registered = true;
}

class TWin32Form : public IForm {
 public:
  TWin32Form(IApplication& app, TFormSpec desc, IWindowEvents* events);
  ~TWin32Form() override;

  bool Created() const { return form_ != nullptr; }

  TWindowHandle Handle() const override { return FromHwnd(form_); }
  void Show() override {
    Fire(spec_.onShow);
    if (IsWindow(form_)) {
      ShowWindow(form_, SW_SHOW);
      UpdateWindow(form_);
    }
  }
  void Hide() override { ShowWindow(form_, SW_HIDE); }
  void Close() override { PostMessageA(form_, WM_CLOSE, 0, 0); }
  bool Exists() const override { return IsWindow(form_) != 0; }

  std::string Caption() const override { return spec_.caption; }
  void SetCaption(const std::string& caption) override {
    spec_.caption = caption;
    SetWindowTextW(form_, Wide(caption).c_str());
  }
  std::string Text(std::string_view control) const override { return spec_.controls[IndexOf(control)].text; }
  void SetText(std::string_view control, const std::string& text) override;
  bool Checked(std::string_view control) const override {
    const int i = IndexOf(control);
    return SendMessageW(hwnds_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetChecked(std::string_view control, bool checked) override {
    const int i = IndexOf(control);
    spec_.controls[i].checked = checked;
    SendMessageW(hwnds_[i], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  LRESULT Dispatch(HWND hwnd, int index, UINT msg, WPARAM wp, LPARAM lp);
  void Report(const std::exception& e) { Report(e.what()); }
  void Report(const char* what) { app_.ShowException(what); }
  void Forget(HWND hwnd) {
    if (hwnd != form_) return;
    RemoveFormKeyHandler(form_);
    form_ = nullptr;
  }

 private:
  int IndexOf(std::string_view name) const {
    const int i = FindControl(spec_, name);
    if (i < 0) throw std::invalid_argument("no control named " + std::string(name));
    return i;
  }
  HWND ParentWindow(int index) const {
    const int parent = spec_.controls[index].parent;
    return parent < 0 ? form_ : hwnds_[parent];
  }
  void CreateChildren(int parent);
  void Layout();
  SIZE MeasureLabel(int index);
  LRESULT FormMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT LabelMessage(HWND hwnd, int index, UINT msg, WPARAM wp, LPARAM lp);
  void PaintPanel(HWND hwnd);
  void PaintLabel(HWND hwnd, int index);
  void Fire(const TNotifyEvent& event) {
    if (!event) return;
    try {
      event();
    } catch (const std::exception& e) {
      Report(e);
    }
  }
  // A control's colour and font after inheriting from its parents (-1: the form).
  TColor ColorOf(int index) const;
  const TFontSpec& FontOf(int index) const;
  HFONT Font(int index);
  HBRUSH Brush(COLORREF color);
  int ControlOf(HWND hwnd) const {
    const auto it = std::find(hwnds_.begin(), hwnds_.end(), hwnd);
    return it == hwnds_.end() ? -1 : static_cast<int>(it - hwnds_.begin());
  }
  void FocusFirst();
  // A key message of the queue under this form; true when the form took it.
  bool KeyMessage(const MSG& msg);
  // Presses a control as a click would: a check box toggles, then its event runs.
  void Press(int index);

  IApplication& app_;
  TFormSpec spec_;
  IWindowEvents* events_;
  HWND form_ = nullptr;
  std::vector<HWND> hwnds_;
  std::vector<TWindowLink> links_;
  std::vector<bool> hovering_, pressed_;
  std::map<const TFontSpec*, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  TWindowLink formLink_;
};

TWin32Form::TWin32Form(IApplication& app, TFormSpec desc, IWindowEvents* events)
    : app_(app), spec_(std::move(desc)), events_(events) {
  RegisterClasses();
  const size_t n = spec_.controls.size();
  hwnds_.assign(n, nullptr);
  links_.resize(n);
  hovering_.assign(n, false);
  pressed_.assign(n, false);
  for (size_t i = 0; i < n; ++i) links_[i] = TWindowLink{this, static_cast<int>(i)};
  formLink_ = TWindowLink{this, -1};

  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (spec_.sizeable) style |= WS_THICKFRAME;
  if (spec_.borderIcons) style |= WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  RECT outer{0, 0, spec_.clientWidth, spec_.clientHeight};
  AdjustWindowRectEx(&outer, style, FALSE, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  int x = spec_.position.x;
  int y = spec_.position.y;
  if (spec_.screenCenter) {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  form_ = CreateWindowExW(0, kFormClass, Wide(spec_.caption).c_str(), style, x, y, width, height, nullptr, nullptr,
                          GetModuleHandleA(nullptr), &formLink_);
  if (!form_) return;
  CreateChildren(-1);
  Layout();
  AddFormKeyHandler(form_, [this](const MSG& msg) { return KeyMessage(msg); });
}

TWin32Form::~TWin32Form() {
  if (form_) RemoveFormKeyHandler(form_);
  if (form_ && IsWindow(form_)) DestroyWindow(form_);
  for (auto& [desc, font] : fonts_) DeleteObject(font);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

// Children of one parent are made in their tab order, which is also the order the
// system keeps them in.
void TWin32Form::CreateChildren(int parent) {
  std::vector<int> children;
  for (size_t i = 0; i < spec_.controls.size(); ++i)
    if (spec_.controls[i].parent == parent) children.push_back(static_cast<int>(i));
  std::stable_sort(children.begin(), children.end(),
                   [&](int a, int b) { return spec_.controls[a].tabOrder < spec_.controls[b].tabOrder; });
  for (int i : children) {
    const TControlSpec& c = spec_.controls[i];
    const wchar_t* cls = kLabelClass;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (c.kind) {
      case TControlKind::ckPanel:
        cls = kPanelClass;
        style |= WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT;  // the focus moves into and through its controls
        break;
      case TControlKind::ckLabel:
        break;
      case TControlKind::ckCheckBox:
        cls = L"BUTTON";
        style |= BS_AUTOCHECKBOX | WS_TABSTOP;
        break;
      case TControlKind::ckButton:
        cls = L"BUTTON";
        style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    }
    const TRect& b = c.bounds;
    hwnds_[i] = CreateWindowExW(exStyle, cls, Wide(c.text).c_str(), style, b.left, b.top, b.Width(), b.Height(),
                                ParentWindow(i), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                GetModuleHandleA(nullptr), &links_[i]);
    if (!hwnds_[i]) continue;
    SendMessageW(hwnds_[i], WM_SETFONT, reinterpret_cast<WPARAM>(Font(i)), FALSE);
    if (c.kind == TControlKind::ckCheckBox && c.checked) SendMessageW(hwnds_[i], BM_SETCHECK, BST_CHECKED, 0);
    if (c.kind == TControlKind::ckPanel) CreateChildren(i);
  }
}

void TWin32Form::Layout() {
  // The form's own creation sends sizes before any control exists.
  if (!form_) return;
  RECT client{0, 0, 0, 0};
  GetClientRect(form_, &client);
  const std::vector<TRect> rects = LayoutControls(spec_, client.right, client.bottom);
  for (size_t i = 0; i < rects.size(); ++i) {
    if (!hwnds_[i]) continue;
    TRect r = rects[i];
    const TControlSpec& c = spec_.controls[i];
    if (c.kind == TControlKind::ckLabel && c.autoSize) {
      const SIZE size = MeasureLabel(static_cast<int>(i));
      r = Bounds(r.left, r.top, size.cx, size.cy);
    }
    MoveWindow(hwnds_[i], r.left, r.top, r.Width(), r.Height(), TRUE);
  }
}

// The size of the label's text in its font; an empty text measures as one blank, so
// an empty label keeps the height of a line.
SIZE TWin32Form::MeasureLabel(int index) {
  const std::string& own = spec_.controls[index].text;
  const std::string text = own.empty() ? std::string(1, ' ') : own;
  HDC dc = GetDC(hwnds_[index]);
  HGDIOBJ old = SelectObject(dc, Font(index));
  RECT r{0, 0, 0, 0};
  const std::wstring wide = Wide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(hwnds_[index], dc);
  // Smoothed glyphs can put ink a pixel or two past their advance width; the label is
  // transparent, so the room added for it shows nothing else.
  return SIZE{r.right - r.left + kInkSlack, r.bottom - r.top};
}

void TWin32Form::SetText(std::string_view control, const std::string& text) {
  const int i = IndexOf(control);
  spec_.controls[i].text = text;
  SetWindowTextW(hwnds_[i], Wide(text).c_str());
  if (spec_.controls[i].kind == TControlKind::ckLabel) {
    Layout();
    InvalidateRect(hwnds_[i], nullptr, TRUE);
  }
}

TColor TWin32Form::ColorOf(int index) const {
  while (index >= 0) {
    const TControlSpec& c = spec_.controls[index];
    if (c.color && !c.transparent) return *c.color;
    index = c.parent;
  }
  return spec_.color;
}

const TFontSpec& TWin32Form::FontOf(int index) const {
  while (index >= 0) {
    const TControlSpec& c = spec_.controls[index];
    if (c.font) return *c.font;
    index = c.parent;
  }
  return spec_.font;
}

HFONT TWin32Form::Font(int index) {
  const TFontSpec& f = FontOf(index);
  HFONT& font = fonts_[&f];
  if (!font)
    font = CreateFontW(f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, f.underline ? TRUE : FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       Wide(f.name).c_str());
  return font;
}

HBRUSH TWin32Form::Brush(COLORREF color) {
  HBRUSH& brush = brushes_[color];
  if (!brush) brush = CreateSolidBrush(color);
  return brush;
}

void TWin32Form::FocusFirst() {
  HWND focus = GetFocus();
  if (focus && IsChild(form_, focus)) return;
  // The first control that takes the focus, in tab order (the system's child order).
  HWND first = GetNextDlgTabItem(form_, nullptr, FALSE);
  if (first) SetFocus(first);
}

bool TWin32Form::KeyMessage(const MSG& msg) {
  TFormKey key;
  if (msg.message == WM_KEYDOWN) {
    // Space stays with the focused button, which presses itself when the key comes up.
    switch (msg.wParam) {
      case VK_TAB: key.kind = TFormKeyKind::fkTab; break;
      case VK_RETURN: key.kind = TFormKeyKind::fkEnter; break;
      case VK_ESCAPE: key.kind = TFormKeyKind::fkEscape; break;
      default: return false;
    }
    key.shift = GetKeyState(VK_SHIFT) < 0;
  } else {
    key.ch = static_cast<char>(msg.wParam);
    if (key.ch == ' ') return false;
    key.alt = msg.message == WM_SYSCHAR;
  }
  const TFormKeyAction action = FormKeyAction(spec_, ControlOf(GetFocus()), key);
  switch (action.kind) {
    case TFormKeyAction::kPass: return false;
    case TFormKeyAction::kSwallow: return true;
    case TFormKeyAction::kFocus:
      if (hwnds_[action.control]) SetFocus(hwnds_[action.control]);
      return true;
    case TFormKeyAction::kPress: Press(action.control); return true;
  }
  return false;
}

void TWin32Form::Press(int index) {
  TControlSpec& c = spec_.controls[index];
  if (c.kind == TControlKind::ckCheckBox) {
    c.checked = SendMessageW(hwnds_[index], BM_GETCHECK, 0, 0) != BST_CHECKED;
    SendMessageW(hwnds_[index], BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  // The event may free the form: run it from a copy.
  const TNotifyEvent event = spec_.controls[index].onClick;
  Fire(event);
}

void TWin32Form::PaintPanel(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  EndPaint(hwnd, &ps);
}

void TWin32Form::PaintLabel(HWND hwnd, int index) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  const std::string& text = spec_.controls[index].text;
  HGDIOBJ old = SelectObject(dc, Font(index));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(FontOf(index).color));
  const std::wstring wide = Wide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_EXPANDTABS);
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

LRESULT TWin32Form::LabelMessage(HWND hwnd, int index, UINT msg, WPARAM wp, LPARAM lp) {
  const TControlSpec& c = spec_.controls[index];
  switch (msg) {
    case WM_PAINT:
      PaintLabel(hwnd, index);
      return 0;
    case WM_MOUSEMOVE:
      if (!hovering_[index]) {
        hovering_[index] = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        Fire(c.onMouseEnter);
      }
      return 0;
    case WM_MOUSELEAVE:
      hovering_[index] = false;
      Fire(c.onMouseLeave);
      return 0;
    case WM_LBUTTONDOWN:
      pressed_[index] = true;
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP: {
      if (!pressed_[index]) return 0;
      pressed_[index] = false;
      ReleaseCapture();
      RECT r;
      GetClientRect(hwnd, &r);
      const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      if (PtInRect(&r, p)) Fire(c.onClick);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT TWin32Form::FormMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) {
        FocusFirst();
        if (events_) events_->Activated();
      }
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_CLOSE:
      if (!events_ || events_->CloseQuery()) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      if (events_) events_->Destroyed();
      return 0;
    default:
      if (msg >= WM_USER && events_ && events_->UserMessage(msg, wp, lp)) return 0;
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT TWin32Form::Dispatch(HWND hwnd, int index, UINT msg, WPARAM wp, LPARAM lp) {
  // What the form and the panels share: their background, their button children's
  // colours and clicks, and the application-wide cursor.
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, Brush(ToColorRef(ColorOf(index))));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const int child = ControlOf(reinterpret_cast<HWND>(lp));
      if (child < 0) break;
      HDC dc = reinterpret_cast<HDC>(wp);
      const COLORREF back = ToColorRef(ColorOf(child));
      SetTextColor(dc, ToColorRef(FontOf(child).color));
      SetBkColor(dc, back);
      return reinterpret_cast<LRESULT>(Brush(back));
    }
    case WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED && lp) {
        const int child = ControlOf(reinterpret_cast<HWND>(lp));
        if (child >= 0) {
          // The event may free the form: run it from a copy.
          const TNotifyEvent event = spec_.controls[child].onClick;
          Fire(event);
        }
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (g_cursor != TCursor::crDefault && LOWORD(lp) == HTCLIENT) {
        ::SetCursor(CursorHandle(g_cursor));
        return TRUE;
      }
      break;
    default:
      break;
  }
  if (index < 0) return FormMessage(hwnd, msg, wp, lp);
  if (spec_.controls[index].kind == TControlKind::ckLabel) return LabelMessage(hwnd, index, msg, wp, lp);
  if (msg == WM_PAINT) {
    PaintPanel(hwnd);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK FormsWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* link = reinterpret_cast<TWindowLink*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (link && link->form && link->index < 0) link->form->Forget(hwnd);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (!link || !link->form) return DefWindowProcW(hwnd, msg, wp, lp);
  LRESULT result = 0;
  GuardHandler([&] { result = link->form->Dispatch(hwnd, link->index, msg, wp, lp); },
               [link](const char* what) { link->form->Report(what); });
  return result;
}

}  // namespace

std::unique_ptr<IForm> TWin32Forms::CreateForm(TFormSpec desc, IWindowEvents* events) {
  CheckFormSpec(desc);
  auto form = std::make_unique<TWin32Form>(app_, std::move(desc), events);
  if (!form->Created()) return nullptr;
  return form;
}

void TWin32Forms::SetCursor(TCursor cursor) {
  g_cursor = cursor;
  // Show it at once where the mouse is, the way the windows under it would on the
  // next move.
  POINT p;
  if (!GetCursorPos(&p)) return;
  HWND under = WindowFromPoint(p);
  DWORD process = 0;
  if (!under || !GetWindowThreadProcessId(under, &process) || process != GetCurrentProcessId()) return;
  const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

TCursor TWin32Forms::Cursor() const { return g_cursor; }

}  // namespace scr::platform::win32
