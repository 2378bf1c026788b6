// The system's script control, declared by hand: the toolchain ships no header for
// it. Only the order of the methods matters to the calls; it follows the control's
// documented interface, after IDispatch's seven.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace qv {

// {0E59F1D5-1FBE-11D0-8FF2-00A0D10038BC}
constexpr CLSID kScriptControlClass = {0x0E59F1D5, 0x1FBE, 0x11D0, {0x8F, 0xF2, 0x00, 0xA0, 0xD1, 0x00, 0x38, 0xBC}};
// {0E59F1D3-1FBE-11D0-8FF2-00A0D10038BC}
constexpr IID kScriptControlInterface = {0x0E59F1D3, 0x1FBE, 0x11D0, {0x8F, 0xF2, 0x00, 0xA0, 0xD1, 0x00, 0x38, 0xBC}};

struct IScriptControl : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Language(BSTR* language) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Language(BSTR language) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_State(LONG* state) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_State(LONG state) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_SitehWnd(LONG window) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SitehWnd(LONG* window) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Timeout(LONG* milliseconds) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Timeout(LONG milliseconds) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AllowUI(VARIANT_BOOL* allow) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_AllowUI(VARIANT_BOOL allow) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_UseSafeSubset(VARIANT_BOOL* safe) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_UseSafeSubset(VARIANT_BOOL safe) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Modules(IDispatch** modules) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Error(IDispatch** error) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CodeObject(IDispatch** codeObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Procedures(IDispatch** procedures) = 0;
  virtual HRESULT STDMETHODCALLTYPE _AboutBox() = 0;
  virtual HRESULT STDMETHODCALLTYPE AddObject(BSTR name, IDispatch* object, VARIANT_BOOL addMembers) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
  virtual HRESULT STDMETHODCALLTYPE AddCode(BSTR code) = 0;
  virtual HRESULT STDMETHODCALLTYPE Eval(BSTR expression, VARIANT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE ExecuteStatement(BSTR statement) = 0;
  virtual HRESULT STDMETHODCALLTYPE Run(BSTR procedureName, SAFEARRAY** parameters, VARIANT* result) = 0;
};

}  // namespace qv
