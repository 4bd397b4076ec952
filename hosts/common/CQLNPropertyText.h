// The readable text of a property set, as the hosts' property-bag files and data files hold it:
// one "Name=value" line per property, UTF-8, between a heading line and a closing line that counts
// the properties, so that a file cut anywhere is refused rather than read as a set that lacks its
// last properties. Blank lines and lines that begin with # are passed over; a text without the
// heading (written by hand, or before the heading was added) is read to its end.
//
// Values are kept with backslash escapes for the backslash and control characters (\\ \r \n \f
// \t, \uXXXX for the others and for surrogates, which UTF-8 cannot carry alone). Wide text is in
// UTF-16 code units on every platform, whatever the width of wchar_t, so that a text reads the
// same everywhere.
#pragma once
#include <string>
#include <vector>

class CQLNPropertyText
{
public:
    struct Property
    {
        std::wstring name;
        std::wstring value;
    };

    static constexpr const char* m_kszHeading = "[Properties]";

    // Whether a text can hold a property of this name so that it reads back: not empty, no = or
    // line break, and not starting as a comment (#) or as the heading or closing line would ([).
    static bool IsName(const std::wstring& name);

    // The properties of a text, in the order they stand; false with a message naming the line
    // when a line is not of the form Name=value, repeats a name, or the text is empty or cut.
    static bool Parse(const std::string& utf8, std::vector<Property>& properties, std::wstring& error);
    // The text of the properties, heading and closing line included, lines ending in CR LF.
    static std::string Format(const std::vector<Property>& properties);

    static std::string Escape(const std::wstring& text);
    static bool Unescape(const std::string& utf8, std::wstring& text);
    // Strict UTF-8: an overlong, cut or surrogate sequence is refused, not replaced.
    static bool FromUtf8(const std::string& utf8, std::wstring& text);
    // A lone surrogate becomes U+FFFD.
    static std::string ToUtf8(const std::wstring& text);

private:
    // The closing line of a set of nProperties properties.
    static std::string ClosingLine(size_t nProperties);
};
