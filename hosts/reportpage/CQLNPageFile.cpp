#include "CQLNPageFile.h"

#include "CQLNCompoundFileCheck.h"
#include "CQLNTextObjError.h"
#include "CQLNTextPropertyBag.h"

#include <cstring>

using Microsoft::WRL::ComPtr;

bool CQLNPageFile::Open(const std::wstring& path, ComPtr<IStorage>& root, std::wstring& error)
{
    std::string bytes;
    if (!CQLNTextPropertyBag::ReadBytes(path, bytes, error))
        return false;
    std::wstring why;
    switch (CQLNCompoundFileCheck::Check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), why)) {
    case CQLNCompoundFileCheck::Verdict::NotCompound:
        error = path + L" is not a report page: " + why;
        return false;
    case CQLNCompoundFileCheck::Verdict::Damaged:
        error = path + L" is damaged: " + why;
        return false;
    case CQLNCompoundFileCheck::Verdict::Sound:
        break;
    }
    // The memory goes with the last reference to the bytes' holder.
    const HGLOBAL hMemory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* pMemory = hMemory != nullptr ? ::GlobalLock(hMemory) : nullptr;
    if (pMemory == nullptr) {
        if (hMemory != nullptr)
            ::GlobalFree(hMemory);
        error = L"cannot read " + path + L": " + CQLNTextObjError::Describe(E_OUTOFMEMORY);
        return false;
    }
    std::memcpy(pMemory, bytes.data(), bytes.size());
    ::GlobalUnlock(hMemory);
    ComPtr<ILockBytes> lockBytes;
    HRESULT hr = ::CreateILockBytesOnHGlobal(hMemory, TRUE, &lockBytes);
    if (FAILED(hr)) {
        ::GlobalFree(hMemory);
        error = L"cannot read " + path + L": " + CQLNTextObjError::Describe(hr);
        return false;
    }
    hr = ::StgOpenStorageOnILockBytes(lockBytes.Get(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &root);
    if (FAILED(hr)) {
        error = path + L" is damaged: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}
