#include "CQLNResultMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace {

bool IsValidUtf8(const std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        // Overlong forms and surrogates are as invalid as stray bytes.
        const auto c1 = static_cast<unsigned char>(length > 1 ? text[i + 1] : 0);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0) || (c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90))
            return false;
        i += length;
    }
    return true;
}

std::string Latin1ToUtf8(const std::string& text)
{
    std::string utf8;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

const std::vector<CQLNResultMapping::Field>& CQLNResultMapping::Table()
{
    static const std::vector<Field> table = {
        {"SampName", Source::Attribute, "sample_name", nullptr, Kind::Text},
        {"SampID", Source::Attribute, "sample_id", nullptr, Kind::Text},
        {"SampType", Source::Attribute, "sample_type", nullptr, Kind::Text},
        {"InjVol", Source::Attribute, "sample_injection_volume", nullptr, Kind::Number},
        {"AcqDate", Source::Attribute, "injection_date_time_stamp", nullptr, Kind::Date},
        {"Operator", Source::Attribute, "operator_name", nullptr, Kind::Text},
        {"InstName", Source::Attribute, "detector_name", nullptr, Kind::Text},
        {"ProcMthd", Source::Attribute, "peak_processing_method_name", nullptr, Kind::Text},
        {"RunTime", Source::Variable, "actual_run_time_length", nullptr, Kind::RunTime},
        {"DataFile", Source::FileName, "", nullptr, Kind::Text},
        {"TgetCompUnits", Source::Attribute, "peak_amount_unit", "peak_amount_units", Kind::Text},
        {"CompName", Source::PeakVariable, "peak_name", nullptr, Kind::Text},
        {"RT", Source::PeakVariable, "peak_retention_time", nullptr, Kind::PeakTime},
        {"Area", Source::PeakVariable, "peak_area", nullptr, Kind::Number},
        {"Height", Source::PeakVariable, "peak_height", nullptr, Kind::Number},
        {"CalcAmt", Source::PeakVariable, "peak_amount", nullptr, Kind::Number},
        {"Width", Source::PeakVariable, "peak_width", nullptr, Kind::PeakTime},
        {"PeakStart", Source::PeakVariable, "peak_start_time", nullptr, Kind::PeakTime},
        {"PeakEnd", Source::PeakVariable, "peak_end_time", nullptr, Kind::PeakTime},
    };
    return table;
}

bool CQLNResultMapping::IsResult(const Result& result)
{
    const auto& dims = result.dimensions;
    return std::find(dims.begin(), dims.end(), "peak_number") != dims.end() ||
           result.variables.count("ordinate_values") != 0;
}

std::string CQLNResultMapping::CleanText(const std::string& raw)
{
    // Fixed-width names are padded with NULs or blanks; what follows a NUL is padding too.
    std::string text = raw.substr(0, raw.find('\0'));
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    text = text.substr(begin, end - begin);
    return IsValidUtf8(text) ? text : Latin1ToUtf8(text);
}

bool CQLNResultMapping::ParseNumber(const std::string& text, double& value)
{
    const std::string clean = CleanText(text);
    if (clean.empty())
        return false;
    // Hexadecimal, infinities and NaN are no instrument's numbers.
    for (const char c : clean)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    char* end = nullptr;
    value = std::strtod(clean.c_str(), &end);
    return end == clean.c_str() + clean.size() && std::isfinite(value);
}

std::string CQLNResultMapping::FormatNumber(double value)
{
    char buf[400];
    double back = 0;
    // A magnitude of 1e21 and more has too many digits before the point for fixed notation.
    if (std::fabs(value) < 1e21)
        for (int decimals = 0; decimals <= 20; ++decimals) {
            std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
            if (ParseNumber(buf, back) && back == value)
                return buf;
        }
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, value);
        if (ParseNumber(buf, back) && back == value)
            break;
    }
    return buf;
}

std::string CQLNResultMapping::FormatDate(const std::string& stamp)
{
    const std::string text = CleanText(stamp);
    bool bDigits = text.size() >= 12;
    for (size_t i = 0; bDigits && i < 12; ++i)
        bDigits = text[i] >= '0' && text[i] <= '9';
    if (!bDigits)
        return text;
    return text.substr(0, 4) + "-" + text.substr(4, 2) + "-" + text.substr(6, 2) + " " + text.substr(8, 2) + ":" +
           text.substr(10, 2);
}

std::string CQLNResultMapping::Escaped(const std::string& utf8)
{
    std::string out;
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string CQLNResultMapping::Value(const std::string& raw, Kind kind, bool bSeconds)
{
    double number = 0;
    switch (kind) {
    case Kind::Text:
        return CleanText(raw);
    case Kind::Date:
        return FormatDate(raw);
    case Kind::Number:
    case Kind::RunTime:
    case Kind::PeakTime:
        break;
    }
    // A number that is no number is shown as the file has it, so that a reader sees what is wrong.
    if (!ParseNumber(raw, number))
        return CleanText(raw);
    if (number == m_kdNull)
        return std::string();
    if (kind == Kind::RunTime || (kind == Kind::PeakTime && bSeconds))
        number /= 60;
    return FormatNumber(number);
}

const std::string* CQLNResultMapping::Attribute(const Result& result, const Field& field)
{
    auto it = result.attributes.find(field.name);
    if (it == result.attributes.end() && field.alias != nullptr)
        it = result.attributes.find(field.alias);
    return it == result.attributes.end() ? nullptr : &it->second;
}

const std::vector<std::string>* CQLNResultMapping::Variable(const Result& result, const Field& field)
{
    auto it = result.variables.find(field.name);
    if (it == result.variables.end() && field.alias != nullptr)
        it = result.variables.find(field.alias);
    return it == result.variables.end() ? nullptr : &it->second;
}

bool CQLNResultMapping::InSeconds(const Result& result)
{
    // Seconds unless the file says minutes: the format's own unit for times is the second.
    auto it = result.attributes.find("retention_unit");
    if (it == result.attributes.end())
        it = result.attributes.find("retention_units");
    if (it == result.attributes.end())
        return true;
    std::string unit = CleanText(it->second);
    std::transform(unit.begin(), unit.end(), unit.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    return unit.compare(0, 3, "min") != 0;
}

std::string CQLNResultMapping::DataText(const Result& result)
{
    const bool bSeconds = InSeconds(result);
    std::string text;
    auto line = [&text](const std::string& key, const std::string& value) { text += key + "=" + Escaped(value) + "\n"; };

    size_t nPeaks = 0;
    for (const Field& field : Table()) {
        if (field.source == Source::FileName) {
            line(field.key, CleanText(result.fileName));
        } else if (field.source == Source::Attribute) {
            if (const std::string* raw = Attribute(result, field))
                line(field.key, Value(*raw, field.kind, bSeconds));
        } else if (field.source == Source::Variable) {
            const std::vector<std::string>* values = Variable(result, field);
            if (values != nullptr && !values->empty())
                line(field.key, Value(values->front(), field.kind, true));
        } else if (const std::vector<std::string>* values = Variable(result, field)) {
            nPeaks = std::max(nPeaks, values->size());
        }
    }

    // Rows in retention order; a peak without a time goes after those with one, and peaks of the
    // same time keep the file's order.
    std::vector<double> times(nPeaks, HUGE_VAL);
    const auto rt = result.variables.find("peak_retention_time");
    for (size_t i = 0; rt != result.variables.end() && i < rt->second.size(); ++i) {
        double t = 0;
        if (ParseNumber(rt->second[i], t) && t != m_kdNull)
            times[i] = t;
    }
    std::vector<size_t> order(nPeaks);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&times](size_t a, size_t b) { return times[a] < times[b]; });
    for (size_t row = 0; row < nPeaks; ++row) {
        const std::string prefix = "Row" + std::to_string(row + 1) + ".";
        for (const Field& field : Table()) {
            if (field.source != Source::PeakVariable)
                continue;
            const std::vector<std::string>* values = Variable(result, field);
            // A variable shorter than the others lacks the value: the row leaves it out.
            if (values != nullptr && order[row] < values->size())
                line(prefix + field.key, Value((*values)[order[row]], field.kind, bSeconds));
        }
    }

    const auto signal = result.variables.find("ordinate_values");
    if (signal != result.variables.end()) {
        const Field interval = {"Signal.Interval", Source::Variable, "actual_sampling_interval", nullptr, Kind::RunTime};
        const Field delay = {"Signal.Delay", Source::Variable, "actual_delay_time", nullptr, Kind::RunTime};
        for (const Field& field : {interval, delay}) {
            const std::vector<std::string>* values = Variable(result, field);
            if (values != nullptr && !values->empty())
                line(field.key, Value(values->front(), field.kind, true));
        }
        // Both are written in minutes, whatever the file's unit, as every time the reader gives.
        line("Signal.TimeUnit", "min");
        const Field unit = {"Signal.Unit", Source::Attribute, "detector_unit", "detector_units", Kind::Text};
        if (const std::string* raw = Attribute(result, unit))
            line(unit.key, CleanText(*raw));
        std::string values;
        for (const std::string& raw : signal->second) {
            double number = 0;
            // A point without a value keeps its place, so that the times of the others hold.
            values += (values.empty() ? "" : " ") + (ParseNumber(raw, number) && number != m_kdNull ? FormatNumber(number) : std::string("-"));
        }
        line("Signal.Values", values);
    }
    return text;
}
