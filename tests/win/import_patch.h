#pragma once

#include <windows.h>

// Redirects this program's calls of one imported system function to a
// replacement while the object lives. Tests use it only where the system
// cannot be made to answer as a case needs.
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    template <class F> F Original() const { return reinterpret_cast<F>(m_original); }

private:
    void** m_slot = nullptr;
    void* m_original = nullptr;
};
