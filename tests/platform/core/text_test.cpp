#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <string>

#include "platform/core/text.h"

namespace qv {
namespace {

TEST(StrTest, RealsArePlainDecimalsOfSevenDigits) {
    struct Case {
        double value;
        const char* text;
    };
    for (const Case& c : {Case{100.0 / 3, "33.33333"}, Case{50.0 / 9, "5.555556"},
                          Case{0.0000123, "0.0000123"}, Case{1.0, "1"}, Case{200.0, "200"},
                          Case{100.0 / 1048576, "0.00009536743"}, Case{0.0, "0"},
                          Case{-2.5, "-2.5"}, Case{0.5, "0.5"}, Case{123456789.0, "123456800"},
                          Case{0.1 + 0.2, "0.3"}, Case{1e-9, "0.000000001"}}) {
        EXPECT_EQ(Str(c.value).toStdString(), c.text) << c.value;
    }
}

TEST(StrTest, NoNumberShowsAsNanOrInfinity) {
    const double zero = 0.0;
    EXPECT_EQ(Str(1.0 / zero), QStringLiteral("0"));
    EXPECT_EQ(Str(zero / zero), QStringLiteral("0"));
}

TEST(StrTest, IntegersInFull) {
    EXPECT_EQ(Str(0), QStringLiteral("0"));
    EXPECT_EQ(Str(65536), QStringLiteral("65536"));
    EXPECT_EQ(Str(std::int64_t{1048576} * 1024), QStringLiteral("1073741824"));
    EXPECT_EQ(Str(-17), QStringLiteral("-17"));
}

TEST(ValTest, ReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : {Case{"210abc", 210}, Case{"", 0}, Case{"abc", 0}, Case{"  42", 42},
                          Case{"-3.5x", -3.5}, Case{"2.10", 2.1}, Case{"1e3", 1000},
                          Case{"7e", 7}, Case{".5", 0.5}, Case{"-", 0}, Case{"33%", 33}}) {
        EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.value) << c.text;
    }
}

// The program runs under the user's locale (Qt sets it from the environment at
// start-up), whose decimal point may be "," or a character of two bytes.
class NumericLocale {
public:
    // A locale whose only category is LC_NUMERIC with this decimal point, made
    // in a folder of its own; false when it cannot be made or chosen here.
    bool Use(const char* decimalPoint) {
        if (!dir_.isValid()) return false;
        const QString source = dir_.filePath(QStringLiteral("numeric.src"));
        QFile f(source);
        if (!f.open(QIODevice::WriteOnly)) return false;
        f.write(QByteArray("LC_NUMERIC\ndecimal_point \"") + decimalPoint +
                "\"\nthousands_sep \"\"\ngrouping -1\nEND LC_NUMERIC\n");
        f.close();
        QProcess localedef;  // warns of the categories left out
        localedef.setStandardOutputFile(QProcess::nullDevice());
        localedef.setStandardErrorFile(QProcess::nullDevice());
        localedef.start(QStringLiteral("localedef"),
                        {QStringLiteral("-c"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                         QStringLiteral("-i"), source, dir_.filePath(QStringLiteral("qv_NUM"))});
        localedef.waitForFinished();
        old_ = std::setlocale(LC_NUMERIC, nullptr);
        qputenv("LOCPATH", QFile::encodeName(dir_.path()));
        const bool chosen = std::setlocale(LC_NUMERIC, "qv_NUM") != nullptr;
        qunsetenv("LOCPATH");
        return chosen;
    }
    ~NumericLocale() {
        if (!old_.empty()) std::setlocale(LC_NUMERIC, old_.c_str());
    }

private:
    QTemporaryDir dir_;
    std::string old_;
};

TEST(StrTest, ValAndStrReadAndWriteAPointWhateverTheLocale) {
    for (const char* point : {",", "<U066B>"}) {
        SCOPED_TRACE(point);
        NumericLocale locale;
        if (!locale.Use(point)) GTEST_SKIP() << "no locale can be made here";
        EXPECT_DOUBLE_EQ(Val(QStringLiteral("5.5")), 5.5);
        EXPECT_DOUBLE_EQ(Val(QStringLiteral("-0.25e1x")), -2.5);
        EXPECT_EQ(Str(50.0 / 9), QStringLiteral("5.555556"));
        EXPECT_EQ(Str(100.0 / 1048576), QStringLiteral("0.00009536743"));
        EXPECT_EQ(Str(-2.5), QStringLiteral("-2.5"));
    }
}

TEST(FieldsTest, NthFieldAndCountFields) {
    const QString t = QStringLiteral("a*b*c");
    EXPECT_EQ(NthField(t, "*", 1), QStringLiteral("a"));
    EXPECT_EQ(NthField(t, "*", 2), QStringLiteral("b"));
    EXPECT_EQ(NthField(t, "*", 3), QStringLiteral("c"));
    EXPECT_EQ(NthField(t, "*", 4), QString());
    EXPECT_EQ(NthField(t, "*", 0), QString());
    EXPECT_EQ(NthField(QStringLiteral("abc"), "*", 1), QStringLiteral("abc"));
    EXPECT_EQ(NthField(QStringLiteral("abc"), "*", 2), QString());
    EXPECT_EQ(NthField(QStringLiteral("a**c"), "*", 2), QString());
    EXPECT_EQ(NthField(QStringLiteral("As Image, As Excel sheet"), ",", 2),
              QStringLiteral(" As Excel sheet"));
    EXPECT_EQ(CountFields(t, "*"), 3);
    EXPECT_EQ(CountFields(QStringLiteral("abc"), "*"), 1);
    EXPECT_EQ(CountFields(QStringLiteral("As Image, As Excel sheet"), ","), 2);
}

TEST(FieldsTest, LeftRightMid) {
    EXPECT_EQ(Left(QStringLiteral("0.123456"), 4), QStringLiteral("0.12"));
    EXPECT_EQ(Left(QStringLiteral("1"), 4), QStringLiteral("1"));
    EXPECT_EQ(Left(QStringLiteral("abc"), 0), QString());
    EXPECT_EQ(Right(QStringLiteral("file.xls"), 4), QStringLiteral(".xls"));
    EXPECT_EQ(Mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
}

TEST(ToInt32Test, TruncatesTowardZero) {
    EXPECT_EQ(ToInt32(2.9), 2);
    EXPECT_EQ(ToInt32(-2.9), -2);
    EXPECT_EQ(ToInt32(1e12), 2147483647);
    EXPECT_EQ(ToInt32(std::nan("")), 0);
}

}  // namespace
TEST(CountTextTest, OneTakesTheSingular) {
    const QString one = QStringLiteral("image"), many = QStringLiteral("images");
    EXPECT_EQ(CountText(1, one, many), QStringLiteral("1 image"));
    EXPECT_EQ(CountText(0, one, many), QStringLiteral("0 images"));
    EXPECT_EQ(CountText(5, one, many), QStringLiteral("5 images"));
    EXPECT_EQ(CountText(-1, one, many), QStringLiteral("-1 images"));
}

}  // namespace qv
