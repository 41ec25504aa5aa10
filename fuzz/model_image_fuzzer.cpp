// Loads arbitrary bytes as a model through CModelImage::Load, runs a few
// substitutions over whatever it indexed, and checks that every entry and
// every write stays where it belongs, and that the layout and the planned
// substitution agree with what Load and the substitution did.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "model/model_image.h"
#include "model/texture_field.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "model image fuzzer: %s\n", what);
        std::abort();
    }
}

// One memory file, refilled with every input and opened by path as Load
// opens any disk file.
class InputFile {
public:
    InputFile() : m_fd(memfd_create("veltrane-fuzz-input", MFD_CLOEXEC))
    {
        Require(m_fd >= 0, "cannot create the input file");
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }

    const std::string& Fill(const std::uint8_t* data, std::size_t size)
    {
        Require(ftruncate(m_fd, 0) == 0, "cannot empty the input file");
        for (std::size_t written = 0; written < size;) {
            const ssize_t put = pwrite(m_fd, data + written, size - written, static_cast<off_t>(written));
            Require(put > 0, "cannot write the input file");
            written += static_cast<std::size_t>(put);
        }
        return m_path;
    }

private:
    int m_fd;
    std::string m_path;
};

// False when Load refused the file.
bool LoadIgnoringRefusal(CModelImage& image, const std::string& path)
{
    CFile file;
    Require(file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite), "cannot open the input file");
    bool loaded = true;
    try {
        image.Load(file);
    } catch (const CException& e) {
        Require(!e.GetErrorMessage().IsEmpty(), "an exception without a message");
        loaded = false;
    }
    file.Close();
    return loaded;
}

bool InsideImage(const CModelImage& image, const char* field)
{
    const char* begin = image.m_pData.get();
    return begin && field >= begin && field + kTextureFieldSize <= begin + image.m_nSize;
}

// Every entry lies inside the image, and its 32 bytes, all read here so that
// the sanitizer checks each one, are those of the file at that offset.
void CheckIndex(const CModelImage& image, const std::uint8_t* file)
{
    for (const char* field : image.m_textureFields) {
        Require(InsideImage(image, field), "an entry lies outside the image");
        const auto offset = static_cast<std::size_t>(field - image.m_pData.get());
        Require(std::memcmp(field, file + offset, kTextureFieldSize) == 0, "an entry differs from the file");
    }
}

// Walking the image again finds what Load found: as many faces, or a refusal.
void CheckLayout(const CModelImage& image, bool loaded)
{
    try {
        std::size_t faces = 0;
        for (const LodSummary& lod : image.DescribeLayout().lods)
            faces += lod.faceCount;
        Require(loaded, "the layout walked a file that Load refused");
        Require(faces == image.m_textureFields.size(), "the layout counts other faces than the index");
    } catch (const CException&) {
        Require(!loaded, "the layout refused a file that Load took");
    }
}

std::vector<bool> FieldBytes(const CModelImage& image)
{
    std::vector<bool> inField(static_cast<std::size_t>(image.m_nSize));
    for (const char* field : image.m_textureFields) {
        const auto offset = static_cast<std::size_t>(field - image.m_pData.get());
        for (std::size_t i = 0; i < kTextureFieldSize; ++i)
            inField[offset + i] = true;
    }
    return inField;
}

// A field the run wrote holds a terminated text; byte 31 only ever becomes zero.
void CheckField(const char* before, const char* after)
{
    if (std::memcmp(before, after, kTextureFieldSize) == 0)
        return;
    Require(TextureFieldText(after).size() <= kMaxTexturePath, "a written field has no terminating zero");
    Require(after[kMaxTexturePath] == before[kMaxTexturePath] || after[kMaxTexturePath] == 0,
            "byte 31 of a field got a text byte");
}

void Replace(CModelImage& image, const std::vector<bool>& inField, const CString& source,
             const CString& target, const CLeadByteSet& leadBytes)
{
    const std::string before(image.m_pData.get(), static_cast<std::size_t>(image.m_nSize));
    const std::vector<char*> fields = image.m_textureFields;
    const std::vector<TexturePathChange> plan = image.PlanTexturePathReplacement(source, target, leadBytes);
    const bool completed = image.ReplaceTexturePaths(source, target, leadBytes);
    Require(image.m_textureFields == fields, "the substitution changed the index");
    for (const TexturePathChange& change : plan) {
        Require(!completed || TextureFieldText(fields[change.firstFace]) == change.newPath,
                "a path did not become what the plan said");
    }
    for (std::size_t i = 0; i < before.size(); ++i)
        Require(inField[i] || before[i] == image.m_pData[i], "the substitution wrote outside the fields");
    for (const char* field : fields)
        CheckField(before.data() + (field - image.m_pData.get()), field);
}

CLeadByteSet CodePage932()
{
    CLeadByteSet leadBytes;
    leadBytes.AddRange(0x81, 0x9F);
    leadBytes.AddRange(0xE0, 0xFC);
    return leadBytes;
}

// A few fixed pairs, and one taken from the input: the first face's path
// replaced by the last one's.
void ReplaceSome(CModelImage& image)
{
    if (image.m_textureFields.empty())
        return;
    static const CLeadByteSet kLeadByteSets[] = {CLeadByteSet(), CodePage932()};
    const std::vector<bool> inField = FieldBytes(image);
    const CString pairs[][2] = {
        {"data\\", "models\\"},
        {"a", "aa"},
        {"", ""},
        {"\\", ""},
        {TextureFieldText(image.m_textureFields.front()), TextureFieldText(image.m_textureFields.back())},
    };
    for (const CLeadByteSet& leadBytes : kLeadByteSets) {
        for (const auto& pair : pairs)
            Replace(image, inField, pair[0], pair[1], leadBytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static InputFile input;
    CModelImage image;
    const bool loaded = LoadIgnoringRefusal(image, input.Fill(data, size));
    if (!loaded && image.m_nSize == -1) {
        // A damaged file leaves the fresh image as it was.
        Require(!image.m_pData && image.m_textureFields.empty(), "a refused file changed the image");
        return 0;
    }
    Require(image.m_nSize == static_cast<std::int32_t>(size), "the image size is not the file size");
    Require(size == 0 || std::memcmp(image.m_pData.get(), data, size) == 0, "the image is not the file");
    CheckIndex(image, data);
    CheckLayout(image, loaded);
    ReplaceSome(image);
    return 0;
}
