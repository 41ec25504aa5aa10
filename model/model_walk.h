#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ansi_string.h"
#include "framework/mem_file.h"
#include "model/model_layout.h"

// Steps through the structure of a model image from face to face and
// collects the texture field of every face. It reads only the counts and
// sizes it needs and stops with CModelFormatException where the structure
// leaves the image or runs backwards, so it always ends.
class CModelWalk {
public:
    CModelWalk(char* data, std::int32_t size, CString fileName);
    CModelWalk(const CModelWalk&) = delete;
    CModelWalk& operator=(const CModelWalk&) = delete;

    // Appends one entry per face to fields. Entries found before a failure stay.
    void Run(std::vector<char*>& fields);
    // The LODs stepped over by Run.
    const ModelLayout& Layout() const { return m_layout; }

private:
    void ReserveIndex(std::vector<char*>& fields) const;
    void WalkLod(std::int32_t lod, std::vector<char*>& fields);
    std::size_t IndexFaces(std::int32_t lod, std::int32_t faceCount, std::vector<char*>& fields);
    void SkipTags(std::int32_t lod);

    // what() names the record for the message of a failure; it runs only then.
    template <class Describe> void ReadRecord(void* record, std::uint32_t size, Describe what);
    template <class Describe>
    void SkipForward(std::int64_t distance, std::uint64_t recordOffset, Describe what);
    std::uint64_t Position() const { return m_view.GetPosition(); }
    [[noreturn]] void Fail(const std::string& problem, std::uint64_t offset) const;

    char* m_data;
    std::int32_t m_size;
    CString m_fileName;
    CMemFile m_view;
    ModelLayout m_layout;
};
