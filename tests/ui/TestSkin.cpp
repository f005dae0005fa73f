#include "TestSkin.h"

#include "ResourceSettings.h"
#include "resource.h"

namespace test {

std::vector<BYTE> ProgramSkinArchive() {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_SKIN_ARCHIVE), L"ZIPRES");
    if (found == nullptr) {
        return {};
    }
    const auto* bytes = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    return bytes == nullptr ? std::vector<BYTE>()
                            : std::vector<BYTE>(bytes, bytes + ::SizeofResource(module, found));
}

void UseProgramSkinArchive() {
    // The framework keeps using the bytes: they live until the process ends.
    static const std::vector<BYTE> archive = ProgramSkinArchive();
    DuiLib::SetResourceArchive(archive.data(), archive.size());
}

}  // namespace test
