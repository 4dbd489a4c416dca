// WndClass.cpp: window classes the class library registers for its own windows.
#include "platform/afx/afxwin.h"

#include <cstdio>
#include <map>
#include <string>
#include <tuple>

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    // One class per combination of attributes, named after them.
    using Key = std::tuple<UINT, HCURSOR, HBRUSH, HICON>;
    static std::map<Key, std::string> registered;
    const Key key{nClassStyle, hCursor, hbrBackground, hIcon};
    auto it = registered.find(key);
    if (it != registered.end()) {
        WNDCLASSA existing{};
        if (::GetClassInfoA(nullptr, it->second.c_str(), &existing)) {
            return it->second.c_str();
        }
        registered.erase(it);  // unregistered since: register again
    }
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%llx:%llx:%llx", nClassStyle,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hCursor)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hbrBackground)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hIcon)));
    WNDCLASSA wc{};
    if (!::GetClassInfoA(nullptr, name, &wc)) {
        wc = WNDCLASSA{};
        wc.style = nClassStyle;
        wc.lpfnWndProc = &AfxWndProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (::RegisterClassA(&wc) == 0) {
            return nullptr;
        }
    } else if (wc.lpfnWndProc != &AfxWndProc) {
        return nullptr;  // the name is taken by a class that is not ours
    }
    return registered.emplace(key, name).first->second.c_str();
}
