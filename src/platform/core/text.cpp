#include "platform/core/text.h"

#include <QStringList>

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace qv {

QString Str(std::int64_t value) { return QString::number(value); }

QString Str(double value) {
    if (!std::isfinite(value)) return QStringLiteral("0");
    if (value == 0) return QStringLiteral("0");
    // Seven significant digits in scientific form, then spelt out as a plain
    // decimal; always with a point, whatever the user's locale.
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
    std::string s(buf, written.ptr);
    const bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    const size_t e = s.find('e');
    const int exponent = std::stoi(s.substr(e + 1));
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);  // "d.dddddd" -> "ddddddd"
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out;
    const int point = exponent + 1;  // digits before the decimal point
    if (point <= 0) {
        out = "0." + std::string(static_cast<size_t>(-point), '0') + digits;
    } else if (point >= static_cast<int>(digits.size())) {
        out = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<size_t>(point)) + "." +
              digits.substr(static_cast<size_t>(point));
    }
    if (negative) out = "-" + out;
    return QString::fromStdString(out);
}

QString CountText(std::int64_t count, const QString& one, const QString& many) {
    return Str(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

double Val(const QString& text) {
    const std::string s = text.toStdString();
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
            end = j;
        }
    }
    // Read with a point, whatever the user's locale.
    const size_t from = s[start] == '+' ? start + 1 : start;
    double v = 0.0;
    const auto read = std::from_chars(s.data() + from, s.data() + end, v);
    return read.ec == std::errc() && std::isfinite(v) ? v : 0.0;
}

QString Left(const QString& text, int count) { return count <= 0 ? QString() : text.left(count); }

QString Right(const QString& text, int count) {
    return count <= 0 ? QString() : text.right(count);
}

QString Mid(const QString& text, int start, int count) {
    if (start < 1) start = 1;
    return count < 0 ? text.mid(start - 1) : text.mid(start - 1, count);
}

QString Chr(int code) { return QString(QChar(code)); }

QString NthField(const QString& text, const QString& separator, int index) {
    if (index < 1) return QString();
    if (separator.isEmpty()) return index == 1 ? text : QString();
    const QStringList fields = text.split(separator);
    return index <= fields.size() ? fields[index - 1] : QString();
}

int CountFields(const QString& text, const QString& separator) {
    if (separator.isEmpty()) return 1;
    return static_cast<int>(text.count(separator)) + 1;
}

std::int32_t ToInt32(double value) {
    if (!std::isfinite(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);  // truncation toward zero
}

}  // namespace qv
