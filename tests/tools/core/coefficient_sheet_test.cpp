#include "tools/core/coefficient_sheet.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CoefficientSheetTest, EightLinesOfTheWindowsTexts) {
    CoefficientSheet s;
    s.sampleLabel = QStringLiteral("Sample ID:");
    s.sampleId = QStringLiteral("QV: cells.pic");
    s.header = QStringLiteral("co-localizes with");
    s.countHeader = QStringLiteral("n");
    s.rows = {{{"Red", "Green", "0.6", "1"},
               {"Red", "Blue", "", ""},
               {"Green", "Red", "0.52", "1"},
               {"Green", "Blue", "", ""},
               {"Blue", "Red", "", ""},
               {"Blue", "Green", "", ""}}};
    EXPECT_EQ(CoefficientSheetLines(s),
              (QStringList{"Sample ID:QV: cells.pic\t ", "\tco-localizes with\tQV: cells.pic\tn",
                           "Red\tGreen\t0.6\t1", "Red\tBlue\t\t", "Green\tRed\t0.52\t1",
                           "Green\tBlue\t\t", "Blue\tRed\t\t", "Blue\tGreen\t\t"}));

    s.sampleId.clear();
    const QStringList empty = CoefficientSheetLines(s);
    EXPECT_EQ(empty[0], QStringLiteral("Sample ID:\t "));
    EXPECT_EQ(empty[1], QStringLiteral("\tco-localizes with\t\tn"));
}

TEST(CoefficientSheetTest, NamesOfANewSheet) {
    struct Case {
        const char *title, *mode, *name;
    };
    const Case cases[] = {
        {"cells.pic", "rg", "cells_rg_Coefficients.xls"},
        {"cells.tif.bak", "bg", "cells_bg_Coefficients.xls"},  // up to the first "."
        {"cells", "rb", "cells_rb_Coefficients.xls"},          // no "." at all
        {".x", "rg", "_rg_Coefficients.xls"},
        {"", "rg", "_rg_Coefficients.xls"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoefficientSheetName(QString::fromUtf8(c.title), QString::fromUtf8(c.mode)),
                  QString::fromUtf8(c.name))
            << c.title;
}

TEST(CoefficientSheetTest, ChosenNamesGetTheSheetExtension) {
    struct Case {
        const char *chosen, *saved;
    };
    const Case cases[] = {
        {"data", "data.xls"},
        {"data.txt", "data.txt.xls"},
        {"data.xls", "data.xls"},
        {"data.XLS", "data.XLS"},
        {"data.xlsx", "data.xlsx.xls"},
        {"xls", "xls.xls"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithSheetExtension(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.saved))
            << c.chosen;
}

TEST(CoefficientSheetTest, ClipboardLabel) {
    EXPECT_EQ(CoefficientClipboardLabel(QStringLiteral("rg"), QStringLiteral("cells.pic")),
              QStringLiteral("rg_coeffs: cells.pic"));
}

}  // namespace
}  // namespace qv
