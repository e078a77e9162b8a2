// Data objects for tests that drop through the real OLE path: blocks of
// global memory by clipboard format, as a drag source hands them to OLE.
#pragma once

#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <string>

#include "services/win/handles.h"

namespace yz::testing {

// A data object holding blocks of global memory by clipboard format, as a
// drag source hands it to OLE.
class TestData : public win::ComObject<IDataObject> {
 public:
  static win::ComPtr<IDataObject> Make(std::map<CLIPFORMAT, std::string> blocks) {
    return win::ComPtr<IDataObject>(new TestData(std::move(blocks)));
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    const std::string& bytes = blocks_.at(f->cfFormat);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!h) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    *m = STGMEDIUM{};
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = h;
    ++gets;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    if (!f || !(f->tymed & TYMED_HGLOBAL) || !blocks_.count(f->cfFormat)) return DV_E_FORMATETC;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  int gets = 0;

 private:
  explicit TestData(std::map<CLIPFORMAT, std::string> blocks) : blocks_(std::move(blocks)) {}
  ~TestData() override = default;
  std::map<CLIPFORMAT, std::string> blocks_;
};

// The bytes of a wide text with its terminating zero.
inline std::string WideBytes(const std::u16string& s) {
  return std::string(reinterpret_cast<const char*>(s.c_str()), (s.size() + 1) * 2);
}

// A CF_HDROP block: DROPFILES, then each wide path with its zero, then a zero.
inline std::string FileList(std::initializer_list<std::u16string> paths) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  for (const std::u16string& p : paths) block += WideBytes(p);
  block += std::string(2, '\0');
  return block;
}

}  // namespace yz::testing
