// The framework's string class, with just the operations the program uses.
#ifndef PLATFORM_CSTRING_H_
#define PLATFORM_CSTRING_H_

#include <cstdarg>
#include <string>

class CString {
 public:
  CString() = default;
  CString(const char* psz) : m_str(psz != nullptr ? psz : "") {}  // NOLINT: converts implicitly
  CString(std::string str) : m_str(std::move(str)) {}             // NOLINT

  CString& operator=(const char* psz) {
    m_str = psz != nullptr ? psz : "";
    return *this;
  }

  /// The text as a NUL-terminated narrow string; valid until the string changes.
  operator const char*() const { return m_str.c_str(); }  // NOLINT: the framework converts implicitly
  const char* GetString() const { return m_str.c_str(); }
  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }

  /// The first nCount characters (all of them when there are fewer).
  CString Left(int nCount) const;
  /// Everything from index nFirst on (empty when nFirst is past the end).
  CString Mid(int nFirst) const;
  /// 0 when equal; negative or positive like strcmp.
  int Compare(const char* psz) const;
  /// Like Compare, ignoring the case of ASCII letters.
  int CompareNoCase(const char* psz) const;

  /// printf-style formatting; the string grows to whatever the text needs.
  void Format(const char* pszFormat, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  void FormatV(const char* pszFormat, va_list args);

 private:
  std::string m_str;
};

#endif  // PLATFORM_CSTRING_H_
