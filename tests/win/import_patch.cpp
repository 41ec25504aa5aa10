#include "import_patch.h"

#include <stdexcept>
#include <string>

namespace {

void** FindImportSlot(const char* dll, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name; ++entry) {
        if (_stricmp(reinterpret_cast<char*>(base + entry->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::string(reinterpret_cast<const char*>(byName->Name)) == function)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    throw std::runtime_error(std::string("no import of ") + function);
}

void Store(void** slot, void* value)
{
    DWORD protection = 0;
    ::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
    *slot = value;
    ::VirtualProtect(slot, sizeof(void*), protection, &protection);
}

}  // namespace

ImportPatch::ImportPatch(const char* dll, const char* function, void* replacement)
    : m_slot(FindImportSlot(dll, function)), m_original(*m_slot)
{
    Store(m_slot, replacement);
}

ImportPatch::~ImportPatch()
{
    Store(m_slot, m_original);
}
