// The resource functions over the program module's registered .res image.
#include "res/res_image.h"

#include <winsim/module_resources.h>
#include <winsim/sim.h>
#include <winsim/winerror.h>
#include <winsim/winres.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace winsim {
namespace {

// Where 32-bit executables are loaded by default: the program module's handle.
const HMODULE kProgramModule = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x00400000));

// Every image ever registered stays alive, so a handle from an earlier registration never
// dangles; only the last one is searched and accepted.
std::vector<std::unique_ptr<res::ResImage>>& Images() {
    static std::vector<std::unique_ptr<res::ResImage>> images;
    return images;
}

const res::ResImage* CurrentImage() {
    const auto& images = Images();
    return images.empty() ? nullptr : images.back().get();
}

// NULL names the program module, as on Windows.
bool IsProgramModule(HMODULE module) {
    return module == nullptr || module == kProgramModule;
}

// The resource id that an ANSI argument names: an integer resource, "#123", or a name.
res::ResourceId IdFromArgument(LPCSTR arg) {
    res::ResourceId id;
    if (IS_INTRESOURCE(arg)) {
        id.ordinal = static_cast<WORD>(reinterpret_cast<uintptr_t>(arg));
        return id;
    }
    const std::string text(arg);
    if (text.size() > 1 && text[0] == '#') {
        unsigned long value = 0;
        bool digits = true;
        for (size_t i = 1; i < text.size() && digits; ++i) {
            digits = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
            value = value * 10 + static_cast<unsigned long>(text[i] - '0');
            digits = digits && value <= 0xFFFF;
        }
        if (digits) {
            id.ordinal = static_cast<WORD>(value);
            return id;
        }
    }
    id.isOrdinal = false;
    // Resource names are plain ASCII in practice; other bytes are taken as Latin-1.
    for (unsigned char c : text) {
        id.text.push_back(static_cast<char16_t>(c));
    }
    id.text = res::UpperCaseName(id.text);
    return id;
}

bool Matches(const res::ResourceId& stored, const res::ResourceId& wanted) {
    if (stored.isOrdinal != wanted.isOrdinal) {
        return false;
    }
    if (stored.isOrdinal) {
        return stored.ordinal == wanted.ordinal;
    }
    return res::UpperCaseName(stored.text) == wanted.text;
}

const res::ResourceRecord* RecordOfHandle(const res::ResImage* image, HRSRC handle) {
    if (!image || !handle) {
        return nullptr;
    }
    for (const res::ResourceRecord& record : image->records) {
        if (reinterpret_cast<HRSRC>(const_cast<res::ResourceRecord*>(&record)) == handle) {
            return &record;
        }
    }
    return nullptr;
}

HRSRC HandleOf(const res::ResourceRecord& record) {
    return reinterpret_cast<HRSRC>(const_cast<res::ResourceRecord*>(&record));
}

} // namespace

bool RegisterModuleResources(const void* data, size_t size) {
    std::optional<res::ResImage> image = res::ParseResImage(data, size);
    if (!image) {
        return false;
    }
    Images().push_back(std::make_unique<res::ResImage>(std::move(*image)));
    return true;
}

HMODULE ProgramModule() {
    return kProgramModule;
}

} // namespace winsim

HRSRC FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage) {
    if (!winsim::IsProgramModule(hModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const winsim::res::ResImage* image = winsim::CurrentImage();
    if (!image) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    const winsim::res::ResourceId type = winsim::IdFromArgument(lpType);
    const winsim::res::ResourceId name = winsim::IdFromArgument(lpName);

    bool typeFound = false;
    std::vector<const winsim::res::ResourceRecord*> candidates;
    for (const winsim::res::ResourceRecord& record : image->records) {
        if (!winsim::Matches(record.type, type)) {
            continue;
        }
        typeFound = true;
        if (winsim::Matches(record.name, name)) {
            candidates.push_back(&record);
        }
    }
    if (!typeFound) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    if (candidates.empty()) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    for (const winsim::res::ResourceRecord* record : candidates) {
        if (record->language == wLanguage) {
            return winsim::HandleOf(*record);
        }
    }
    if (PRIMARYLANGID(wLanguage) == LANG_NEUTRAL) {
        // The neutral language takes the resource in whatever language the module has it.
        return winsim::HandleOf(*candidates.front());
    }
    if (SUBLANGID(wLanguage) == SUBLANG_NEUTRAL) {
        for (const winsim::res::ResourceRecord* record : candidates) {
            if (PRIMARYLANGID(record->language) == PRIMARYLANGID(wLanguage)) {
                return winsim::HandleOf(*record);
            }
        }
    }
    SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
    return nullptr;
}

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    return FindResourceExA(hModule, lpType, lpName, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
    const winsim::res::ResImage* image = winsim::CurrentImage();
    const winsim::res::ResourceRecord* record = winsim::RecordOfHandle(image, hResInfo);
    if (!winsim::IsProgramModule(hModule) || !record) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<BYTE*>(image->bytes.data() + record->dataOffset);
}

LPVOID LockResource(HGLOBAL hResData) {
    const winsim::res::ResImage* image = winsim::CurrentImage();
    if (image && hResData) {
        for (const winsim::res::ResourceRecord& record : image->records) {
            if (image->bytes.data() + record.dataOffset == hResData) {
                return hResData;
            }
        }
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    const winsim::res::ResourceRecord* record =
        winsim::RecordOfHandle(winsim::CurrentImage(), hResInfo);
    if (!winsim::IsProgramModule(hModule) || !record) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return record->dataSize;
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

HMODULE GetModuleHandleA(LPCSTR lpModuleName) {
    if (!lpModuleName) {
        return winsim::ProgramModule();
    }
    auto lower = [](std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    };
    std::string wanted = lower(lpModuleName);
    const std::string path = lower(winsim::Config().exePath);
    const size_t slash = path.find_last_of('\\');
    const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);

    const size_t wantedSlash = wanted.find_last_of('\\');
    const std::string wantedFile =
        wantedSlash == std::string::npos ? wanted : wanted.substr(wantedSlash + 1);
    if (wantedFile.find('.') == std::string::npos) {
        wanted += ".dll";
    }
    const bool hasFolder = wantedSlash != std::string::npos;
    if ((hasFolder && wanted == path) || (!hasFolder && wanted == fileName)) {
        return winsim::ProgramModule();
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}
