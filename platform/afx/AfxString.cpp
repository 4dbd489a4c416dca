// AfxString.cpp: CString's operations, formatting and loading from the string table.
#include "platform/afx/afxstr.h"

#include "platform/afx/afxresource.h"
#include "platform/win32/windows.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

char fold(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

}  // namespace

CString::CString(LPCSTR text, int length) {
    if (text != nullptr && length > 0) {
        // Stops at a NUL inside the count, as the text would show.
        const void* nul = std::memchr(text, '\0', static_cast<std::size_t>(length));
        const std::size_t n = nul != nullptr
                                  ? static_cast<std::size_t>(static_cast<const char*>(nul) - text)
                                  : static_cast<std::size_t>(length);
        m_text.assign(text, n);
    }
}

CString::CString(char ch, int repeat) {
    if (ch != '\0' && repeat > 0) {
        m_text.assign(static_cast<std::size_t>(repeat), ch);
    }
}

CString& CString::operator=(LPCSTR text) {
    m_text = text != nullptr ? text : "";
    return *this;
}

CString& CString::operator=(char ch) {
    m_text.assign(ch != '\0' ? 1 : 0, ch);
    return *this;
}

char CString::GetAt(int index) const {
    return index >= 0 && index < GetLength() ? m_text[static_cast<std::size_t>(index)] : '\0';
}

void CString::SetAt(int index, char ch) {
    if (index >= 0 && index < GetLength() && ch != '\0') {
        m_text[static_cast<std::size_t>(index)] = ch;
    }
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(LPCSTR text) {
    if (text != nullptr) {
        m_text += text;
    }
    return *this;
}

CString& CString::operator+=(char ch) {
    if (ch != '\0') {
        m_text += ch;
    }
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCSTR b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(LPCSTR a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b) {
    CString r(a);
    r += b;
    return r;
}

int CString::Compare(LPCSTR other) const {
    const int c = std::strcmp(m_text.c_str(), other != nullptr ? other : "");
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CString::CompareNoCase(LPCSTR other) const {
    const char* a = m_text.c_str();
    const char* b = other != nullptr ? other : "";
    for (;; ++a, ++b) {
        const auto ca = static_cast<unsigned char>(fold(*a));
        const auto cb = static_cast<unsigned char>(fold(*b));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
    }
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.c_str() + first, count);
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

int CString::Find(char ch) const {
    const auto pos = m_text.find(ch);
    return pos == std::string::npos || ch == '\0' ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCSTR sub) const {
    if (sub == nullptr) {
        return -1;
    }
    const auto pos = m_text.find(sub);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

void CString::MakeUpper() {
    for (char& ch : m_text) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
}

void CString::MakeLower() {
    for (char& ch : m_text) {
        ch = fold(ch);
    }
}

void CString::FormatV(LPCSTR format, va_list args) {
    if (format == nullptr) {
        m_text.clear();
        return;
    }
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        m_text.clear();  // a format the runtime cannot apply gives an empty string
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    m_text.assign(buffer.data(), std::strlen(buffer.data()));
}

void CString::Format(LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

BOOL CString::Format(UINT format_id, ...) {
    CString format;
    if (!format.LoadString(format_id)) {
        return FALSE;
    }
    va_list args;
    va_start(args, format_id);
    FormatV(format, args);
    va_end(args);
    return TRUE;
}

BOOL CString::LoadString(UINT id) {
    // LoadStringA truncates to the buffer: grow it until the string fits with room to spare.
    std::vector<char> buffer(256);
    for (;;) {
        const int n = ::LoadStringA(AfxGetResourceHandle(), id, buffer.data(),
                                    static_cast<int>(buffer.size()));
        if (n <= 0) {
            m_text.clear();
            return FALSE;
        }
        if (static_cast<std::size_t>(n) < buffer.size() - 1) {
            m_text.assign(buffer.data(), static_cast<std::size_t>(n));
            return TRUE;
        }
        if (buffer.size() > 65536) {
            m_text.assign(buffer.data(), static_cast<std::size_t>(n));
            return TRUE;  // a string table entry is never longer than this
        }
        buffer.resize(buffer.size() * 2);
    }
}

LPSTR CString::GetBuffer(int min_length) {
    if (min_length > GetLength()) {
        m_text.resize(static_cast<std::size_t>(min_length));
    }
    return m_text.data();
}

void CString::ReleaseBuffer(int new_length) {
    const std::size_t limit = m_text.size();
    std::size_t n = new_length < 0 ? std::strlen(m_text.c_str())
                                   : std::min(static_cast<std::size_t>(new_length), limit);
    // A NUL written inside the kept part still ends the string.
    n = std::min(n, std::strlen(m_text.c_str()));
    m_text.resize(n);
}
