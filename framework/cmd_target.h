#pragma once

#include <windows.h>

#include <span>
#include <type_traits>

class CCmdTarget;

// One entry of a message map: a message, for WM_COMMAND also the notification
// code and the control id, and the call of the member that handles it.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    LRESULT (*pfnCall)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);
};

// A class's own entries, searched before the map of its base class.
struct AFX_MSGMAP {
    const AFX_MSGMAP* pBaseMap;
    std::span<const AFX_MSGMAP_ENTRY> entries;
};

// Base of every class with a message map: windows and the application.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the handler of command nID with notification nCode; false when
    // this object's map has none.
    virtual bool OnCmdMsg(UINT nID, UINT nCode);

protected:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    virtual const AFX_MSGMAP* GetMessageMap() const;
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

// The handler signatures a map entry can call, with how each one decodes
// the message's parameters and encodes its result.
namespace afx_msg {

template <class T> void Invoke(T& target, void (T::*handler)(), WPARAM, LPARAM)
{
    (target.*handler)();
}

template <class T> void Invoke(T& target, void (T::*handler)(UINT, LPARAM), WPARAM wParam, LPARAM lParam)
{
    (target.*handler)(static_cast<UINT>(wParam), lParam);
}

template <class T> LRESULT Invoke(T& target, HCURSOR (T::*handler)(), WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((target.*handler)());
}

template <class T> LRESULT Invoke(T& target, LRESULT (T::*handler)(WPARAM, LPARAM), WPARAM wParam, LPARAM lParam)
{
    return (target.*handler)(wParam, lParam);
}

template <class T> LRESULT Invoke(T& target, BOOL (T::*handler)(HELPINFO*), WPARAM, LPARAM lParam)
{
    return (target.*handler)(reinterpret_cast<HELPINFO*>(lParam));
}

template <class M> struct ClassOf;
template <class T, class R, class... Args> struct ClassOf<R (T::*)(Args...)> {
    using type = T;
};

template <auto Handler> LRESULT Call(CCmdTarget& target, WPARAM wParam, LPARAM lParam)
{
    using Class = typename ClassOf<decltype(Handler)>::type;
    auto& object = static_cast<Class&>(target);
    if constexpr (std::is_void_v<decltype(Invoke(object, Handler, wParam, lParam))>) {
        Invoke(object, Handler, wParam, lParam);
        return 0;
    } else {
        return Invoke(object, Handler, wParam, lParam);
    }
}

}  // namespace afx_msg

// Map entries: a window message, a command (menu, accelerator, button click)
// and a control's notification.
template <auto Handler> constexpr AFX_MSGMAP_ENTRY MessageEntry(UINT nMessage)
{
    return {nMessage, 0, 0, &afx_msg::Call<Handler>};
}

template <auto Handler> constexpr AFX_MSGMAP_ENTRY CommandEntry(UINT nID)
{
    return {WM_COMMAND, 0, nID, &afx_msg::Call<Handler>};
}

template <auto Handler> constexpr AFX_MSGMAP_ENTRY NotifyEntry(UINT nCode, UINT nID)
{
    return {WM_COMMAND, nCode, nID, &afx_msg::Call<Handler>};
}
