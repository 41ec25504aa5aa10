#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/ansi_string.h"
#include "framework/file.h"
#include "framework/lead_bytes.h"
#include "model/model_layout.h"
#include "model/texture_path_change.h"

// One MLOD model held as a single byte image, with the texture field of every
// face indexed in file order. Edits go into the image in place; Write saves
// the image byte for byte.
class CModelImage {
public:
    CModelImage() = default;
    CModelImage(const CModelImage&) = delete;
    CModelImage& operator=(const CModelImage&) = delete;

    // Replaces the image by the whole content of file and indexes its faces.
    // An empty file sets m_nSize to 0 and keeps the previous image and index.
    // If the file cannot be read, or is damaged, the image stays exactly as it
    // was; only a seek before the start of the image (badSeek) leaves the new
    // file loaded with the faces found before it.
    void Load(CFile& file);
    // Writes the whole image at the file's position; writes nothing when empty.
    void Write(CFile& file) const;

    // Replaces every occurrence of source by target in each texture field, in
    // file order. Stops at the first field whose path would exceed 31 bytes,
    // leaving it and the later ones unwritten, and returns false.
    bool ReplaceTexturePaths(const CString& source, const CString& target);
    bool ReplaceTexturePaths(const CString& source, const CString& target,
                             const CLeadByteSet& leadBytes);

    // What ReplaceTexturePaths(source, target) would change, without writing:
    // each distinct path (byte for byte) whose text it changes, in the order
    // of its first face, with the text it would get, also when over-long.
    std::vector<TexturePathChange> PlanTexturePathReplacement(const CString& source, const CString& target,
                                                              const CLeadByteSet& leadBytes = AfxGetAnsiLeadBytes()) const;

    // The LODs of the loaded image, walked again; nothing when none is loaded.
    // Raises what Load raised if the image is damaged.
    ModelLayout DescribeLayout() const;

    std::unique_ptr<char[]> m_pData;
    std::int32_t m_nSize = -1;
    std::vector<char*> m_textureFields;

private:
    void Adopt(std::unique_ptr<char[]> data, std::int32_t size, std::vector<char*> fields);
};
