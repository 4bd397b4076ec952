#include "CQLNPropertyText.h"

#include <cstdint>
#include <cstdio>
#include <set>
#include <sstream>

namespace {

bool IsHighSurrogate(uint32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(uint32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf16(std::wstring& text, uint32_t code)
{
    if (code < 0x10000) {
        text += static_cast<wchar_t>(code);
        return;
    }
    code -= 0x10000;
    text += static_cast<wchar_t>(0xD800 + (code >> 10));
    text += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
}

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

bool CQLNPropertyText::FromUtf8(const std::string& utf8, std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < utf8.size();) {
        const uint8_t lead = static_cast<uint8_t>(utf8[i]);
        size_t length = 0;
        uint32_t code = 0, least = 0;
        if (lead < 0x80) {
            length = 1, code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (utf8.size() - i < length)
            return false;
        for (size_t k = 1; k < length; ++k) {
            const uint8_t next = static_cast<uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code))
            return false;
        AppendUtf16(out, code);
        i += length;
    }
    text.swap(out);
    return true;
}

std::string CQLNPropertyText::ToUtf8(const std::wstring& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        // Only code units: a wider wchar_t holds no more than UTF-16 here.
        const uint32_t unit = static_cast<uint32_t>(text[i]) & 0xFFFF;
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(static_cast<uint32_t>(text[i + 1]) & 0xFFFF)) {
            const uint32_t low = static_cast<uint32_t>(text[++i]) & 0xFFFF;
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::string CQLNPropertyText::Escape(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        const uint32_t unit = static_cast<uint32_t>(c) & 0xFFFF;
        switch (unit) {
        case L'\\': out += L"\\\\"; break;
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        case L'\f': out += L"\\f"; break;
        case L'\t': out += L"\\t"; break;
        default:
            // Control characters cannot stand in a line as they are, nor a lone surrogate in
            // UTF-8; pairs are escaped too, so that a value's text never depends on its pairing.
            if (unit < 0x20 || unit == 0x7F || IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(unit));
                out.append(buf, buf + 6);
            } else {
                out += static_cast<wchar_t>(unit);
            }
        }
    }
    return ToUtf8(out);
}

bool CQLNPropertyText::Unescape(const std::string& utf8, std::wstring& text)
{
    std::wstring raw;
    if (!FromUtf8(utf8, raw))
        return false;
    std::wstring out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != L'\\') {
            out += raw[i];
            continue;
        }
        if (++i >= raw.size())
            return false;
        switch (raw[i]) {
        case L'\\': out += L'\\'; break;
        case L'r': out += L'\r'; break;
        case L'n': out += L'\n'; break;
        case L'f': out += L'\f'; break;
        case L't': out += L'\t'; break;
        case L'u': {
            unsigned value = 0;
            for (size_t k = 1; k <= 4; ++k) {
                if (i + k >= raw.size())
                    return false;
                const wchar_t h = raw[i + k];
                value <<= 4;
                if (h >= L'0' && h <= L'9')
                    value |= static_cast<unsigned>(h - L'0');
                else if (h >= L'A' && h <= L'F')
                    value |= static_cast<unsigned>(h - L'A' + 10);
                else if (h >= L'a' && h <= L'f')
                    value |= static_cast<unsigned>(h - L'a' + 10);
                else
                    return false;
            }
            out += static_cast<wchar_t>(value);
            i += 4;
            break;
        }
        default:
            return false;
        }
    }
    text.swap(out);
    return true;
}

bool CQLNPropertyText::Parse(const std::string& utf8, std::vector<Property>& properties, std::wstring& error)
{
    std::vector<Property> read;
    std::set<std::wstring> names;
    std::istringstream in(utf8);
    std::string line;
    size_t number = 0;
    bool bHeaded = false, bClosed = false;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1 && line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        const std::wstring where = L"line " + std::to_wstring(number);
        if (bClosed) {
            error = where + L" follows the closing line";
            return false;
        }
        if (number == 1 && line == m_kszHeading) {
            bHeaded = true;
            continue;
        }
        if (bHeaded && line == ClosingLine(read.size())) {
            // The break after the closing line is the last byte written; without it the text is cut.
            if (in.eof()) {
                error = L"the file is cut short in its closing line";
                return false;
            }
            bClosed = true;
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[' && bHeaded) {
            error = where + L" is not the closing line of the " + std::to_wstring(read.size()) + L" properties before it";
            return false;
        }
        const size_t eq = line.find('=');
        Property property;
        if (eq == std::string::npos || eq == 0 || !FromUtf8(line.substr(0, eq), property.name) ||
            !Unescape(line.substr(eq + 1), property.value)) {
            error = where + L" is not of the form Name=value";
            return false;
        }
        if (!names.insert(property.name).second) {
            error = where + L" repeats the property " + property.name;
            return false;
        }
        read.push_back(std::move(property));
    }
    if (number == 0) {
        error = L"the file is empty";
        return false;
    }
    if (bHeaded && !bClosed) {
        error = L"the file is cut short: it ends after line " + std::to_wstring(number) + L" without its closing line";
        return false;
    }
    properties.swap(read);
    return true;
}

std::string CQLNPropertyText::Format(const std::vector<Property>& properties)
{
    std::string out = std::string(m_kszHeading) + "\r\n";
    for (const Property& property : properties)
        out += ToUtf8(property.name) + "=" + Escape(property.value) + "\r\n";
    return out + ClosingLine(properties.size()) + "\r\n";
}

bool CQLNPropertyText::IsName(const std::wstring& name)
{
    return !name.empty() && name[0] != L'#' && name[0] != L'[' && name.find_first_of(L"=\r\n") == std::wstring::npos;
}

std::string CQLNPropertyText::ClosingLine(size_t nProperties)
{
    return "[End: " + std::to_string(nProperties) + (nProperties == 1 ? " property]" : " properties]");
}
