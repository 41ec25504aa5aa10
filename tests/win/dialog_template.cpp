#include "dialog_template.h"

#include <cstring>
#include <stdexcept>

namespace {

class Reader {
public:
    explicit Reader(const BYTE* data) : m_start(data), m_at(data) {}

    template <class T> T Get()
    {
        T value;
        std::memcpy(&value, m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }
    std::wstring String()
    {
        std::wstring text;
        for (wchar_t c = Get<wchar_t>(); c; c = Get<wchar_t>())
            text += c;
        return text;
    }
    // A name that is empty, a 16-bit ordinal or a string.
    std::wstring NameOrOrdinal(bool controlClass)
    {
        const WORD first = Peek();
        if (first == 0) {
            Get<WORD>();
            return {};
        }
        if (first != 0xFFFF)
            return String();
        Get<WORD>();
        return OrdinalName(Get<WORD>(), controlClass);
    }
    void AlignTo4() { m_at += (4 - (m_at - m_start) % 4) % 4; }
    void Skip(std::size_t count) { m_at += count; }

private:
    WORD Peek() const
    {
        WORD value;
        std::memcpy(&value, m_at, sizeof(value));
        return value;
    }
    static std::wstring OrdinalName(WORD ordinal, bool controlClass)
    {
        static const wchar_t* const kClasses[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
        if (controlClass && ordinal >= 0x80 && ordinal <= 0x85)
            return kClasses[ordinal - 0x80];
        return L"#" + std::to_wstring(ordinal);
    }

    const BYTE* m_start;
    const BYTE* m_at;
};

DialogItem ReadItem(Reader& in)
{
    in.AlignTo4();
    DialogItem item{};
    item.helpId = in.Get<DWORD>();
    item.exStyle = in.Get<DWORD>();
    item.style = in.Get<DWORD>();
    item.at = in.Get<Placement>();
    item.id = in.Get<DWORD>();
    item.className = in.NameOrOrdinal(true);
    item.text = in.NameOrOrdinal(false);
    item.extraCount = in.Get<WORD>();
    in.Skip(item.extraCount);
    return item;
}

}  // namespace

DialogTemplate LoadDialogTemplate(UINT id)
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (!resource)
        throw std::runtime_error("no dialog template " + std::to_string(id));
    Reader in(static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource))));
    DialogTemplate dialog{};
    dialog.version = in.Get<WORD>();
    dialog.signature = in.Get<WORD>();
    dialog.helpId = in.Get<DWORD>();
    dialog.exStyle = in.Get<DWORD>();
    dialog.style = in.Get<DWORD>();
    const WORD count = in.Get<WORD>();
    dialog.at = in.Get<Placement>();
    dialog.menu = in.NameOrOrdinal(false);
    dialog.className = in.NameOrOrdinal(false);
    dialog.caption = in.String();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Get<WORD>();
        dialog.weight = in.Get<WORD>();
        dialog.italic = in.Get<BYTE>();
        dialog.charset = in.Get<BYTE>();
        dialog.typeface = in.String();
    }
    for (WORD i = 0; i < count; ++i)
        dialog.items.push_back(ReadItem(in));
    return dialog;
}
