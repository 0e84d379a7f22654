// CString: the wide string the system's classes hold. A thin value type over std::wstring with the
// few operations the launcher uses.
#pragma once

#include <string>

namespace fw {

class CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_text(text ? text : L"") {} // NOLINT: converts like a string literal
    CString(const std::wstring& text) : m_text(text) {}         // NOLINT

    operator const wchar_t*() const { return m_text.c_str(); } // NOLINT: passes straight to Win32
    const wchar_t* GetString() const { return m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    // Position of the first occurrence of `part` (case-sensitive), or -1.
    int Find(const wchar_t* part, int start = 0) const
    {
        const size_t at = m_text.find(part ? part : L"", static_cast<size_t>(start < 0 ? 0 : start));
        return at == std::wstring::npos ? -1 : static_cast<int>(at);
    }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_text == (b ? b : L""); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }

private:
    std::wstring m_text;
};

} // namespace fw
