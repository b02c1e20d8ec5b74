#pragma once

#include <QString>
#include <cstdint>

namespace qv {

// The decimal text of a number. A real is written as a plain decimal with at
// most 7 significant digits, no exponent and no trailing zeros (33.33333,
// 5.555556, 0.00009536743); a value that is not finite is written "0".
QString Str(double value);
QString Str(std::int64_t value);
inline QString Str(int value) { return Str(static_cast<std::int64_t>(value)); }

// A count and what it counts, singular for exactly one: "1 image", "0 images",
// "3 images".
QString CountText(std::int64_t count, const QString& one, const QString& many);

// The number at the start of a text (after leading blanks): "210abc" is 210,
// "" and "abc" are 0.
double Val(const QString& text);

QString Left(const QString& text, int count);
QString Right(const QString& text, int count);
QString Mid(const QString& text, int start, int count = -1);  // start from 1
QString Chr(int code);

// Fields of a text at a separator, numbered from 1; a field past the end is "".
QString NthField(const QString& text, const QString& separator, int index);
int CountFields(const QString& text, const QString& separator);

// A real to an integer, truncating toward zero; saturates at the Int32 range.
std::int32_t ToInt32(double value);

}  // namespace qv
