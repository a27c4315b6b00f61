#ifdef _WIN32
#include "platform/win32/win32_movie_control.h"

#include "platform/win32/win32_api.h"
// The component object headers: the in-place activation and connection point
// interfaces are not part of the lean Windows headers.
#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#include <cstdio>
#include <utility>

#include "common/errors.h"

namespace scr::platform::win32 {

namespace {

// Dispatch identifiers of the two properties used.
constexpr DISPID kDispMovie = 102;
constexpr DISPID kDispTotalFrames = 124;
// The event the movie raises with a command; looked up by name in the control's type
// information, this is its number when the control gives none.
constexpr DISPID kDispFSCommandDefault = 150;
constexpr const wchar_t* kFSCommandName = L"FSCommand";
// Entries of the control's interface function table (counted from 0, IUnknown's three
// and IDispatch's four included).
constexpr int kSlotPlay = 28;
constexpr int kSlotStop = 29;
constexpr int kSlotStopPlay = 33;
constexpr int kSlotCurrentFrame = 35;

std::string OleErrorText(HRESULT hr) {
  std::string text = SystemErrorText(static_cast<DWORD>(hr));
  if (text.empty()) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "OLE error %08lX", static_cast<unsigned long>(hr));
    text = buf;
  }
  return text;
}

void OleCheck(HRESULT hr) {
  if (FAILED(hr)) throw Exception(OleErrorText(hr));
}

// An owned interface pointer.
template <class T>
class TCom {
 public:
  TCom() = default;
  ~TCom() { Reset(); }
  TCom(const TCom&) = delete;
  TCom& operator=(const TCom&) = delete;
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** Out() {
    Reset();
    return &p_;
  }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

RECT ToRect(const TRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

std::u16string FromBstr(const VARIANT& v) {
  if (v.vt == VT_BSTR && v.bstrVal)
    return std::u16string(reinterpret_cast<const char16_t*>(v.bstrVal), SysStringLen(v.bstrVal));
  if (v.vt == (VT_BSTR | VT_BYREF) && v.pbstrVal && *v.pbstrVal)
    return std::u16string(reinterpret_cast<const char16_t*>(*v.pbstrVal), SysStringLen(*v.pbstrVal));
  return {};
}

// The container's side of one hosted control: the site it is placed on and the frame
// around it. One object serves the three interfaces; it lives as long as the control
// holds a reference.
class TSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  TSite(HWND parent, const RECT& rect) : parent_(parent), rect_(rect) {}

  void SetInPlaceObject(IOleInPlaceObject* object) { inPlace_ = object; }
  void SetRect(const RECT& rect) { rect_ = rect; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
      *out = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
      *out = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
      *out = static_cast<IOleInPlaceFrame*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the in-place site and the frame)
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = parent_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    *pos = rect_;
    *clip = rect_;
    info->fMDIApp = FALSE;
    info->hwndFrame = parent_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override {
    inPlace_ = nullptr;
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT rect) override {
    if (!rect) return E_POINTER;
    rect_ = *rect;
    if (inPlace_) inPlace_->SetObjectRects(&rect_, &rect_);
    return S_OK;
  }

  // IOleInPlaceUIWindow
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

  // IOleInPlaceFrame
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  ~TSite() = default;

  ULONG refs_ = 1;
  HWND parent_;
  RECT rect_;
  IOleInPlaceObject* inPlace_ = nullptr;  // not owned
};

// Receives the control's events and passes the movie's commands on.
class TEventSink final : public IDispatch {
 public:
  TEventSink(IID events, DISPID fsCommand, TWin32MovieControls::TErrorReport report)
      : events_(events), fsCommand_(fsCommand), report_(std::move(report)) {}

  void SetHandler(TFSCommandEvent handler) { handler_ = std::move(handler); }

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, events_)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    if (id != fsCommand_ || !params || params->cArgs < 2 || !params->rgvarg || !handler_) return S_OK;
    // Arguments arrive last first: the command, then its argument string.
    const std::u16string command = FromBstr(params->rgvarg[params->cArgs - 1]);
    const std::u16string args = FromBstr(params->rgvarg[params->cArgs - 2]);
    // Keep the handler alive while it runs: it may free the control and this sink's
    // last owner reference with it.
    AddRef();
    const TFSCommandEvent handler = handler_;
    // Nothing may pass through the control's call: an error is reported here.
    try {
      handler(command, args);
    } catch (const std::exception& e) {
      if (report_) report_(e.what());
    } catch (...) {
    }
    Release();
    return S_OK;
  }

 private:
  ~TEventSink() = default;

  ULONG refs_ = 1;
  IID events_;
  DISPID fsCommand_;
  TWin32MovieControls::TErrorReport report_;
  TFSCommandEvent handler_;
};

// What the control's type information says: its default interface (the one whose
// function table is called), its default event interface, and the event's number.
struct TControlTypes {
  IID defaultInterface = IID_IDispatch;
  IID events = IID_NULL;
  DISPID fsCommand = kDispFSCommandDefault;
};

TControlTypes ReadControlTypes(IUnknown* control) {
  TControlTypes types;
  TCom<IProvideClassInfo> provide;
  if (FAILED(control->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(provide.Out())))) return types;
  TCom<ITypeInfo> coclass;
  if (FAILED(provide->GetClassInfo(coclass.Out())) || !coclass) return types;
  TYPEATTR* attr = nullptr;
  if (FAILED(coclass->GetTypeAttr(&attr)) || !attr) return types;
  const UINT count = attr->cImplTypes;
  coclass->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < count; ++i) {
    INT flags = 0;
    if (FAILED(coclass->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FDEFAULT)) continue;
    HREFTYPE ref = 0;
    TCom<ITypeInfo> info;
    if (FAILED(coclass->GetRefTypeOfImplType(i, &ref)) || FAILED(coclass->GetRefTypeInfo(ref, info.Out())) || !info)
      continue;
    TYPEATTR* a = nullptr;
    if (FAILED(info->GetTypeAttr(&a)) || !a) continue;
    const IID iid = a->guid;
    info->ReleaseTypeAttr(a);
    if (flags & IMPLTYPEFLAG_FSOURCE) {
      types.events = iid;
      LPOLESTR name = const_cast<LPOLESTR>(kFSCommandName);
      DISPID id = DISPID_UNKNOWN;
      if (SUCCEEDED(info->GetIDsOfNames(&name, 1, &id))) types.fsCommand = id;
    } else {
      types.defaultInterface = iid;
    }
  }
  return types;
}

class TWin32MovieControl final : public IMovieControl {
 public:
  explicit TWin32MovieControl(TWin32MovieControls::TErrorReport report) : report_(std::move(report)) {}

  // Creates and places the control. On failure what was made so far is undone by the
  // destructor.
  void Open(HWND parent, const TRect& bounds) {
    CLSID clsid;
    OleCheck(CLSIDFromString(const_cast<LPOLESTR>(L"{D27CDB6E-AE6D-11CF-96B8-444553540000}"), &clsid));
    OleCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              reinterpret_cast<void**>(object_.Out())));
    const RECT rect = ToRect(bounds);
    site_ = new TSite(parent, rect);
    OleCheck(object_->SetClientSite(static_cast<IOleClientSite*>(site_)));
    clientSiteSet_ = true;
    // A control that keeps its state in a stream starts from a fresh one.
    TCom<IPersistStreamInit> persist;
    if (SUCCEEDED(object_->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(persist.Out()))))
      persist->InitNew();
    const TControlTypes types = ReadControlTypes(object_.Get());
    // The interface whose function table holds play, stop and the frame query; a
    // dual interface answers for IDispatch too.
    OleCheck(object_->QueryInterface(types.defaultInterface, reinterpret_cast<void**>(control_.Out())));
    if (types.defaultInterface != IID_IDispatch)
      OleCheck(object_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch_.Out())));
    Advise(types);
    OleCheck(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, parent,
                             &rect));
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(inPlace_.Out())))) {
      site_->SetInPlaceObject(inPlace_.Get());
      OleCheck(inPlace_->SetObjectRects(&rect, &rect));
      HWND window = nullptr;
      if (SUCCEEDED(inPlace_->GetWindow(&window))) window_ = window;
    }
    if (window_) ShowWindow(window_, SW_SHOW);
  }

  ~TWin32MovieControl() override {
    if (sink_) sink_->SetHandler({});
    if (point_) point_->Unadvise(cookie_);
    point_.Reset();
    if (inPlace_) inPlace_->InPlaceDeactivate();
    if (site_) site_->SetInPlaceObject(nullptr);
    inPlace_.Reset();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      if (clientSiteSet_) object_->SetClientSite(nullptr);
    }
    dispatch_.Reset();
    control_.Reset();
    object_.Reset();
    if (sink_) sink_->Release();
    if (site_) site_->Release();
  }

  TWin32MovieControl(const TWin32MovieControl&) = delete;
  TWin32MovieControl& operator=(const TWin32MovieControl&) = delete;

  void SetVisible(bool visible) override {
    visible_ = visible;
    if (window_) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
  }
  // The control's own visibility, whether or not its parent shows.
  bool Visible() const override {
    return window_ ? (GetWindowLongA(window_, GWL_STYLE) & WS_VISIBLE) != 0 : visible_;
  }

  void SetMovie(const std::u16string& path) override {
    BSTR value = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(path.data()), static_cast<UINT>(path.size()));
    if (!value) throw Exception(OleErrorText(E_OUTOFMEMORY));
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    const HRESULT hr =
        Dispatch()->Invoke(kDispMovie, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    VariantClear(&arg);
    OleCheck(hr);
  }

  int32_t TotalFrames() override {
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    OleCheck(Dispatch()->Invoke(kDispTotalFrames, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                nullptr, nullptr));
    const HRESULT hr = VariantChangeType(&result, &result, 0, VT_I4);
    const int32_t frames = SUCCEEDED(hr) ? static_cast<int32_t>(result.lVal) : 0;
    VariantClear(&result);
    OleCheck(hr);
    return frames;
  }

  int32_t CurrentFrame() override {
    using TFrameCall = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, long*);
    long frame = 0;
    OleCheck(reinterpret_cast<TFrameCall>(Slot(kSlotCurrentFrame))(control_.Get(), &frame));
    return static_cast<int32_t>(frame);
  }
  void Play() override { Call(kSlotPlay); }
  void Stop() override { Call(kSlotStop); }
  void StopPlay() override { Call(kSlotStopPlay); }

  void SetOnFSCommand(TFSCommandEvent handler) override {
    if (sink_) sink_->SetHandler(std::move(handler));
  }

 private:
  IDispatch* Dispatch() const { return dispatch_ ? dispatch_.Get() : control_.Get(); }

  void* Slot(int index) const {
    void** table = *reinterpret_cast<void***>(control_.Get());
    return table[index];
  }
  void Call(int index) {
    using TPlainCall = HRESULT(STDMETHODCALLTYPE*)(IUnknown*);
    OleCheck(reinterpret_cast<TPlainCall>(Slot(index))(control_.Get()));
  }

  // Connects the sink to the control's default event interface (the first connection
  // point when the control does not say which).
  void Advise(const TControlTypes& types) {
    TCom<IConnectionPointContainer> container;
    if (FAILED(object_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Out()))))
      return;
    IID events = types.events;
    if (IsEqualIID(events, IID_NULL) || FAILED(container->FindConnectionPoint(events, point_.Out()))) {
      TCom<IEnumConnectionPoints> points;
      if (FAILED(container->EnumConnectionPoints(points.Out())) || !points) return;
      ULONG fetched = 0;
      if (points->Next(1, point_.Out(), &fetched) != S_OK || !point_) return;
      if (FAILED(point_->GetConnectionInterface(&events))) return;
    }
    sink_ = new TEventSink(events, types.fsCommand, report_);
    if (FAILED(point_->Advise(sink_, &cookie_))) point_.Reset();
  }

  TWin32MovieControls::TErrorReport report_;
  TCom<IOleObject> object_;
  TCom<IDispatch> control_;
  TCom<IDispatch> dispatch_;
  TCom<IOleInPlaceObject> inPlace_;
  TCom<IConnectionPoint> point_;
  DWORD cookie_ = 0;
  TSite* site_ = nullptr;
  TEventSink* sink_ = nullptr;
  bool clientSiteSet_ = false;
  HWND window_ = nullptr;
  bool visible_ = true;
};

}  // namespace

std::unique_ptr<IMovieControl> TWin32MovieControls::CreateMovieControl(TWindowHandle parent, const TRect& bounds) {
  auto control = std::make_unique<TWin32MovieControl>(report_);
  control->Open(ToHwnd(parent), bounds);
  return control;
}

TDialogAnswer TWin32Dialogs::InformationYesNo(TWindowHandle owner, const std::string& text) {
  const UINT modality = owner ? MB_APPLMODAL : MB_TASKMODAL;
  const int answer = MessageBoxA(ToHwnd(owner), text.c_str(), "Information", MB_YESNO | MB_ICONINFORMATION | modality);
  return answer == IDYES ? TDialogAnswer::Yes : TDialogAnswer::No;
}

}  // namespace scr::platform::win32
#endif  // _WIN32
