// afxstr.h: CString, the class library's string of Windows-1250 bytes.
#pragma once

#include "platform/win32/windef.h"

#include <cstdarg>
#include <string>

// A byte string that never holds an embedded NUL in what it shows: operator LPCSTR gives a
// terminated buffer valid until the next change. Formatting and loading never overrun.
class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCSTR text) : m_text(text != nullptr ? text : "") {}
    CString(LPCSTR text, int length);
    CString(char ch, int repeat = 1);
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCSTR text);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // Index outside the string: NUL.
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }
    operator LPCSTR() const { return m_text.c_str(); }

    CString& operator+=(const CString& other);
    CString& operator+=(LPCSTR text);
    CString& operator+=(char ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);

    // Byte order, as strcmp; NoCase folds ASCII letters only.
    int Compare(LPCSTR other) const;
    int CompareNoCase(LPCSTR other) const;
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
    friend bool operator!=(LPCSTR a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

    // Counts clamp to the string; a negative start counts as 0.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    // -1 when absent.
    int Find(char ch) const;
    int Find(LPCSTR sub) const;
    void MakeUpper();
    void MakeLower();

    // printf formatting of any length. Pass CString arguments as (LPCSTR).
    void Format(LPCSTR format, ...) __attribute__((format(printf, 2, 3)));
    // The format is string `format_id` of the resource module; FALSE (string unchanged) when
    // it is missing.
    BOOL Format(UINT format_id, ...);
    void FormatV(LPCSTR format, va_list args);
    // String `id` of the current resource module, whatever its length; FALSE and an empty
    // string when it is missing.
    BOOL LoadString(UINT id);

    // A writable buffer of at least min_length bytes plus the terminator; ReleaseBuffer(-1)
    // takes the length up to the first NUL, else the given length (clamped to the buffer).
    LPSTR GetBuffer(int min_length);
    void ReleaseBuffer(int new_length = -1);

private:
    std::string m_text;
};
